// Building and painting the tree on the synthetic 100,000-person database.

#include "BaseSynthetique.h"
#include "BD.h"
#include "Globales.h"
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
