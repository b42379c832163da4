// Building and painting the tree on the synthetic 100,000-person database.

#include "BaseSynthetique.h"
#include "BD.h"
#include "Globales.h"
#include "LayoutsAsc.h"
#include "LayoutsDes.h"
#include "Parente.h"
#include "Look.h"
#include "Options.h"
#include "TAffArbre.h"
#include "TPage.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QScrollArea>

#include <cstdio>

namespace {

class Hote final : public THoteArbre
{
public:
    int SelecPers() const override { return 1; }
    void SetSelecPers(int) override {}
    void ShowFiche() override {}
    void TitreFenetre() override {}
    void ArbreMouseDown(Qt::MouseButton, Qt::KeyboardModifiers, const QPoint &) override {}
    QMenu *MenuBoite() override { return nullptr; }
};

struct Banc {
    TBD bd;
    Hote hote;
    QScrollArea vue;
    TPage *page = new TPage;
    TAffArbre arbre{bd, &vue, hote};

    Banc()
    {
        RemplitBaseSynthetique(bd);
        // A look of four lines, as the default look has.
        LitLook(QStringLiteral("/absent.mva"), Looks);
        for (int n = 1; n <= 2; ++n) {
            TLook &l = Looks[n].Look;
            l.LigneNbre = 4;
            const char *lignes[] = {"<nom>", "<prénom>", "° <naissance>", "+ <décès>"};
            for (int i = 0; i < 4; ++i) {
                l.Ligne[static_cast<size_t>(i)].Texte = QString::fromUtf8(lignes[i]);
                l.Ligne[static_cast<size_t>(i)].Fonte.Nom = QStringLiteral("Arial");
                l.Ligne[static_cast<size_t>(i)].Fonte.Hauteur = 12;
            }
            l.Homme.Fond = l.Femme.Fond = 1;
            Looks[n].Zoom = 100;
            CalculPas(Looks, n);
        }
        Reglages().ZoomAuto = false;
        vue.resize(1200, 800);
        vue.setWidget(page);
        vue.setWidgetResizable(true);
        arbre.SetPage(page);
        page->SetArbre(&arbre);
        vue.show();
    }

    // 2,000 boxes of persons in a grid of 50 columns, each linked to the box
    // on its left, as a layout would make them.
    void Construit()
    {
        arbre.Vide();
        const int pas = 180;
        for (int i = 0; i < 2000; ++i) {
            const int x = (i % 50) * pas;
            const int y = (i / 50) * 90;
            arbre.AjouteBoite(x, y, 1 + i * 37, 1 + i % 2);
            arbre.AjouteLien(x - 40, y + 20, x, y + 20, 1 + i * 37, 1 + (i - 1) * 37, 1 + i % 2);
        }
        arbre.DecaleZero();
    }
};

Banc &banc()
{
    static Banc b;
    return b;
}

void BM_Construction2000Boites(benchmark::State &state)
{
    for (auto _ : state) {
        banc().Construit();
        benchmark::DoNotOptimize(banc().arbre.Boites().size());
    }
}
BENCHMARK(BM_Construction2000Boites)->Unit(benchmark::kMillisecond);

void BM_RepeintZoneVisible(benchmark::State &state)
{
    banc().Construit();
    QImage image(1200, 800, QImage::Format_RGB32);
    const QRect zone(2000, 600, 1200, 800);
    for (auto _ : state) {
        banc().page->render(&image, QPoint(), QRegion(zone));
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_RepeintZoneVisible)->Unit(benchmark::kMillisecond);

// A full ancestry of ten generations above one person: 2,047 persons.
struct Ascendance {
    TBD bd;
    int racine = 0;
    Ascendance()
    {
        racine = bd.NewPerson();
        std::vector<int> generation{racine};
        for (int g = 0; g < 10; ++g) {
            std::vector<int> suivante;
            for (int p : generation) {
                const int pere = bd.NewPerson();
                const int mere = bd.NewPerson();
                bd.SetSex(mere, SexeFemme);
                bd.SetSurname(pere, QStringLiteral("MARTIN"));
                bd.SetFather(p, pere);
                bd.SetMother(p, mere);
                suivante.push_back(pere);
                suivante.push_back(mere);
            }
            generation.swap(suivante);
        }
    }
};

void BM_Ascendance10Generations(benchmark::State &state)
{
    static Ascendance a;
    Banc &banc_ = banc();
    TAffArbre arbre(a.bd, &banc_.vue, banc_.hote);
    arbre.SetPage(banc_.page);
    const int style = static_cast<int>(state.range(0));
    RefPers = a.racine;
    Looks[1].NbreGen = 10;
    Looks[1].Style = static_cast<std::uint8_t>(style);
    for (auto _ : state) {
        arbre.Vide();
        switch (style) {
        case 1: AscGroupe(arbre, a.bd, 0, 0); break;
        case 2: AscCompactVert(arbre, a.bd); break;
        case 3: AscCompactHorz(arbre, a.bd); break;
        case 4: AscVertical(arbre, a.bd, 0, 0); break;
        default: AscHorizontal(arbre, a.bd, 0, 0); break;
        }
        arbre.DecaleZero();
        benchmark::DoNotOptimize(arbre.Boites().size());
    }
    state.counters["boites"] = static_cast<double>(arbre.Boites().size());
    banc_.page->SetArbre(&banc_.arbre);
}
BENCHMARK(BM_Ascendance10Generations)->DenseRange(1, 5)->Unit(benchmark::kMillisecond);

// A founder couple and six generations of four children each, all married:
// 5,460 descendants.
struct Descendance {
    TBD bd;
    int fondateur = 0;
    Descendance()
    {
        fondateur = bd.NewPerson();
        bd.SetSurname(fondateur, QStringLiteral("MARTIN"));
        std::vector<int> generation{fondateur};
        for (int g = 0; g < 6; ++g) {
            std::vector<int> suivante;
            for (int p : generation) {
                const int conjoint = bd.NewPerson();
                bd.SetSex(conjoint, bd.Sex(p) == SexeHomme ? SexeFemme : SexeHomme);
                bd.NewUnionOf(p, conjoint);
                for (int k = 0; k < 4; ++k) {
                    const int c = bd.NewPerson();
                    bd.SetSex(c, k % 2 ? SexeFemme : SexeHomme);
                    bd.SetSurname(c, QStringLiteral("MARTIN"));
                    bd.SetBirthDate(c, QStringLiteral("%1").arg(1800 + 25 * g + k));
                    bd.SetFather(c, bd.Sex(p) == SexeHomme ? p : conjoint);
                    bd.SetMother(c, bd.Sex(p) == SexeHomme ? conjoint : p);
                    suivante.push_back(c);
                }
            }
            generation.swap(suivante);
        }
        // Siblings of the founder, for the siblings option.
        const int pere = bd.NewPerson();
        bd.SetFather(fondateur, pere);
        for (int k = 0; k < 3; ++k)
            bd.SetFather(bd.NewPerson(), pere);
    }
};

void BM_Descendance5000(benchmark::State &state)
{
    static Descendance d;
    Banc &b = banc();
    TAffArbre arbre(d.bd, &b.vue, b.hote);
    arbre.SetPage(b.page);
    const int style = static_cast<int>(state.range(0));
    RefPers = d.fondateur;
    Looks[2].NbreGen = 10;
    Looks[2].Style = static_cast<std::uint8_t>(style);
    for (auto _ : state) {
        arbre.Vide();
        switch (style) {
        case 1: DesGroupe(arbre, d.bd, 0, 0, true); break;
        case 2: DesVertGroupe(arbre, d.bd, RefPers, 0, 0, true, true); break;
        default: DesHorzGroupe(arbre, d.bd, RefPers, 0, 0, true, true); break;
        }
        arbre.DecaleZero();
        benchmark::DoNotOptimize(arbre.Boites().size());
    }
    state.counters["boites"] = static_cast<double>(arbre.Boites().size());
    b.page->SetArbre(&b.arbre);
}
BENCHMARK(BM_Descendance5000)->DenseRange(1, 3)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    std::printf("sizeof(TBoite) = %zu bytes, sizeof(TLien) = %zu bytes (plus the text of the lines)\n",
                sizeof(TBoite), sizeof(TLien));
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
