// Building and painting the largest trees a database holds: a full pedigree
// of sixteen generations (65,535 persons) and the descendance of one couple
// filling the 100,000 person slots, in the shipped default look.

#include "BD.h"
#include "Globales.h"
#include "Look.h"
#include "Options.h"
#include "TAffArbre.h"
#include "TPage.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>

#include <cstdio>
#include <vector>

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

const char *const Noms[] = {"MARTIN", "BERNARD", "DUBOIS", "LEFÈVRE", "GUÉRIN", "FRANÇOIS", "ROUSSEAU", "NOËL"};
const char *const Prenoms[] = {"Jean", "Marie", "Étienne", "Françoise", "Louis", "Geneviève", "Joseph", "Anne"};

// A person with a name, and a birth and a death date on some of them, as
// the default look shows.
int Personne(TBD &bd, int sexe, int i)
{
    const int p = bd.NewPerson();
    bd.SetSex(p, sexe);
    bd.SetSurname(p, QString::fromUtf8(Noms[i % 8]));
    bd.SetGivenNames(p, QString::fromUtf8(Prenoms[(i / 8) % 8]));
    if (i % 3 != 0)
        bd.SetBirthDate(p, QStringLiteral("%1/%2/%3").arg(1 + i % 28).arg(1 + i % 12).arg(1600 + i % 300));
    if (i % 5 == 0)
        bd.SetField(p, PcDecesDate, QStringLiteral("%1").arg(1700 + i % 300));
    return p;
}

// Sixteen generations: 1 and its 65,534 ancestors, every one distinct.
struct Pedigree {
    TBD bd;
    Pedigree()
    {
        bd.SetAppendOnly(true);
        std::vector<int> generation{Personne(bd, SexeHomme, 0)};
        for (int g = 1; g < 16; ++g) {
            std::vector<int> suivante;
            for (int p : generation) {
                const int pere = Personne(bd, SexeHomme, bd.PersonCount());
                const int mere = Personne(bd, SexeFemme, bd.PersonCount());
                bd.SetFather(p, pere);
                bd.SetMother(p, mere);
                suivante.push_back(pere);
                suivante.push_back(mere);
            }
            generation.swap(suivante);
        }
    }
};

// A founder couple whose descendants, each married to an outsider and with
// three children, fill the person table: about half descendants, half
// spouses. The founder has three brothers and sisters.
struct Descendance {
    TBD bd;
    int fondateur = 0;
    Descendance()
    {
        bd.SetAppendOnly(true);
        const int pere = Personne(bd, SexeHomme, 0);
        fondateur = Personne(bd, SexeHomme, 1);
        bd.SetFather(fondateur, pere);
        for (int k = 0; k < 3; ++k)
            bd.SetFather(Personne(bd, k % 2 ? SexeFemme : SexeHomme, 2 + k), pere);
        std::vector<int> generation{fondateur};
        while (!generation.empty() && bd.PersonCount() < MaxPersonnes) {
            std::vector<int> suivante;
            for (int p : generation) {
                if (bd.PersonCount() + 4 > MaxPersonnes)
                    break;
                const bool homme = bd.Sex(p) == SexeHomme;
                const int conjoint = Personne(bd, homme ? SexeFemme : SexeHomme, bd.PersonCount());
                bd.NewUnionOf(p, conjoint);
                for (int k = 0; k < 3; ++k) {
                    const int c = Personne(bd, k % 2 ? SexeFemme : SexeHomme, bd.PersonCount());
                    bd.SetFather(c, homme ? p : conjoint);
                    bd.SetMother(c, homme ? conjoint : p);
                    suivante.push_back(c);
                }
            }
            generation.swap(suivante);
        }
    }
};

// The tree view of the main window: a 1200 x 800 scroll area, its canvas and
// the builder, in the shipped default look.
struct Vue {
    Hote hote;
    QScrollArea vue;
    TPage *page = new TPage; // owned by the scroll area
    TAffArbre arbre;

    explicit Vue(TBD &bd)
        : arbre(bd, &vue, hote)
    {
        LitLook(QStringLiteral(LIGNEE_MODELE "/1/arbre/defaut.mva"), Looks);
        Reglages().ZoomAuto = false;
        vue.resize(1200, 800);
        vue.setWidget(page);
        vue.setWidgetResizable(true);
        arbre.SetPage(page);
        page->SetArbre(&arbre);
        page->PrintZoomAuto = false;
        vue.show();
    }
};

Pedigree &pedigree()
{
    static Pedigree p;
    return p;
}

Descendance &descendance()
{
    static Descendance d;
    return d;
}

// Bytes allocated on the heap and still in use.
double Octets()
{
    return static_cast<double>(mallinfo2().uordblks);
}

// Builds the tree once more outside the timings and reports its size and
// the memory its items take.
void Compte(benchmark::State &state, TAffArbre &arbre)
{
    arbre.Vide();
    malloc_trim(0);
    const double avant = Octets();
    arbre.Execute();
    state.counters["boites"] = static_cast<double>(arbre.Boites().size());
    state.counters["elements"] = static_cast<double>(arbre.Boites().size() + arbre.Liens().size());
    state.counters["Mio"] = (Octets() - avant) / (1024.0 * 1024.0);
    state.counters["coupe"] = arbre.Coupe() ? 1 : 0;
}

// The whole build of the main window: clearing, the layout, one box per
// ancestor with its four lines expanded, the links, the shift to the margins.
void BM_ConstruitPedigree16Generations(benchmark::State &state)
{
    Vue v(pedigree().bd);
    RefPers = 1;
    Looks[1].Style = static_cast<std::uint8_t>(state.range(0));
    Looks[1].NbreGen = 15;
    Looks[2].Style = 0;
    for (auto _ : state) {
        v.arbre.Execute();
        benchmark::DoNotOptimize(v.arbre.Boites().size());
    }
    Compte(state, v.arbre);
}
BENCHMARK(BM_ConstruitPedigree16Generations)->DenseRange(1, 5)->Unit(benchmark::kMillisecond);

// The same build in the vertical binary style with the automatic zoom, which
// fits the tree to the view and checks the fit at the zoom found.
void BM_ConstruitPedigreeZoomAuto(benchmark::State &state)
{
    Vue v(pedigree().bd);
    RefPers = 1;
    Looks[1].Style = 4;
    Looks[1].NbreGen = 15;
    Looks[2].Style = 0;
    Reglages().ZoomAuto = true;
    for (auto _ : state) {
        v.arbre.Execute();
        benchmark::DoNotOptimize(v.arbre.Boites().size());
    }
    state.counters["zoom"] = Looks[1].Zoom;
    Reglages().ZoomAuto = false;
    Looks[1].Zoom = Looks[2].Zoom = 100;
}
BENCHMARK(BM_ConstruitPedigreeZoomAuto)->Unit(benchmark::kMillisecond);

// The descendance with the last spouses and the siblings shown.
void BM_ConstruitDescendance(benchmark::State &state)
{
    Vue v(descendance().bd);
    v.arbre.ShowConj = true;
    v.arbre.ShowFratrie = true;
    RefPers = descendance().fondateur;
    Looks[1].Style = 0;
    Looks[2].Style = static_cast<std::uint8_t>(state.range(0));
    Looks[2].NbreGen = 50;
    for (auto _ : state) {
        v.arbre.Execute();
        benchmark::DoNotOptimize(v.arbre.Boites().size());
    }
    Compte(state, v.arbre);
}
BENCHMARK(BM_ConstruitDescendance)->DenseRange(1, 3)->Unit(benchmark::kMillisecond);

// Painting a visible area of 1200 x 800 of the pedigree (compact vertical
// style) where it is densest, the top rows: the same area again, then a new
// area at each iteration, as when scrolling, whose boxes lay out their lines
// the first time they are painted.
void Repeint(benchmark::State &state, bool defile)
{
    Vue v(pedigree().bd);
    RefPers = 1;
    Looks[1].Style = 2;
    Looks[1].NbreGen = 15;
    Looks[2].Style = 0;
    v.arbre.Execute();
    const QRect tout = v.arbre.GetRect();
    QRect zone(tout.topLeft(), QSize(1200, 800));
    QImage image(zone.size(), QImage::Format_RGB32);
    for (auto _ : state) {
        v.page->render(&image, QPoint(), QRegion(zone));
        benchmark::DoNotOptimize(image.bits());
        if (defile) {
            zone.translate(zone.width(), 0);
            if (zone.left() > tout.right())
                zone.moveLeft(tout.left());
        }
    }
    state.counters["boites"] = static_cast<double>(v.arbre.Boites().size());
}

void BM_RepeintZoneVisible(benchmark::State &state)
{
    Repeint(state, false);
}
BENCHMARK(BM_RepeintZoneVisible)->Unit(benchmark::kMillisecond);

void BM_DefileZoneVisible(benchmark::State &state)
{
    Repeint(state, true);
}
BENCHMARK(BM_DefileZoneVisible)->Unit(benchmark::kMillisecond);

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
