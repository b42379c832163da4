// The statistics window on the synthetic 100,000-person database: each
// statistic computed over every person and drawn, and the graph painted
// with the most columns it shows.

#include "BaseSynthetique.h"
#include "BD.h"
#include "Langue.h"
#include "Options.h"
#include "Statistiques.h"
#include "TfmRapport.h"
#include "TfmStat.h"
#include "TxiloGraph.h"

#include <benchmark/benchmark.h>

#include <QComboBox>
#include <QImage>
#include <QPainter>
#include <QPrinter>

namespace {

class Hote final : public THoteRapport
{
public:
    int SelecPers() const override { return 0; }
    void SelecFiche(int) override {}
    void MontreRapport() override {}
    void RapportCache() override {}
    bool FormKeyDown(int, Qt::KeyboardModifiers) override { return false; }
};

struct Banc {
    TBD bd;
    Hote hote;
    TReglagesStat reglages;
    QPrinter imprimante;
    TfmRapport *rapport;
    TfmStat *stat;
    QImage image{800, 400, QImage::Format_RGB32};
    Banc()
    {
        ChargeLangue(QStringLiteral(LIGNEE_MODELE "/langue.txt"));
        RemplitBaseSynthetique(bd);
        rapport = new TfmRapport(bd, hote);
        stat = new TfmStat(bd, *rapport, reglages, [this]() -> QPrinter & { return imprimante; });
        stat->resize(800, 600);
        stat->show();
    }
};

Banc &banc()
{
    static Banc b;
    return b;
}

// Statistic `entree` over every person (ages 0..100 by 10, years 1900..2100
// by 10), then the graph drawn as the window shows it.
void BM_Statistique(benchmark::State &state)
{
    Banc &b = banc();
    const int entree = static_cast<int>(state.range(0));
    b.stat->findChild<QComboBox *>(QStringLiteral("cbVoir"))->setCurrentIndex(entree);
    for (auto _ : state) {
        b.stat->Affiche();
        QPainter peintre(&b.image);
        b.stat->Graph()->Dessine(peintre, b.image.rect());
    }
    state.SetLabel(NomStatistique(entree).toStdString());
    state.counters["personnes"] = b.stat->Source().Count();
    state.counters["colonnes"] = b.stat->Graph()->NombreColonnes();
}
BENCHMARK(BM_Statistique)
    ->DenseRange(0, 1)
    ->DenseRange(3, 5)
    ->DenseRange(7, 9)
    ->DenseRange(11, 28)
    ->Unit(benchmark::kMillisecond);

// 2,001 columns painted into an 800 x 400 image.
void BM_Peint2001Colonnes(benchmark::State &state)
{
    TxiloGraph graphe;
    graphe.SetMargeX(42);
    QStringList x, y;
    for (int i = 0; i < MaxColonnesStat; ++i) {
        x << QString::number(i) + QStringLiteral("+");
        y << QString::number((i * 37) % 1000);
    }
    graphe.SetValX(x);
    graphe.SetValY(y);
    QImage image(800, 400, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter peintre(&image);
        graphe.Dessine(peintre, image.rect());
    }
    state.counters["colonnes"] = graphe.NombreColonnes();
}
BENCHMARK(BM_Peint2001Colonnes)->Unit(benchmark::kMillisecond);

} // namespace
