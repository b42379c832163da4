// The map window on the synthetic 100,000-person database: "Tout le monde"
// drawn on the départements map, with the base's few places and with a
// commune of France for every event; one border fill of an 800 x 800 map;
// saving and loading a map of 10,000 zones.

#include "BaseSynthetique.h"
#include "BD.h"
#include "Chemins.h"
#include "Globales.h"
#include "Langue.h"
#include "ListesLieux.h"
#include "Options.h"
#include "TfmCarte.h"
#include "TfmRapport.h"
#include "ZonesCarte.h"

#include <benchmark/benchmark.h>

#include <random>

#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QWindow>

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

// A base whose every event takes one of the communes of France at random.
const TBD &BaseCommunes()
{
    static TBD bd = [] {
        TBD b;
        RemplitBaseSynthetique(b);
        QStringList communes;
        ChargeListeLieux(QStringLiteral(LIGNEE_MODELE "/1/lieu/Communes de France.txt"), communes);
        std::mt19937 rng(3);
        for (int e = 1; e <= b.EventCount(); ++e) {
            if (b.EventInUse(e) && !communes.isEmpty())
                b.SetEventField(e, EveLieu, communes[static_cast<qsizetype>(rng() % communes.size())]);
        }
        return b;
    }();
    return bd;
}

void ToutLeMonde(benchmark::State &state, const TBD &bd)
{
    SetRepModele(QStringLiteral(LIGNEE_MODELE));
    ChargeLangue(FichierLangue());
    DossierCarte = QStringLiteral(LIGNEE_MODELE "/1/carte/");
    Reglages().Carte = QStringLiteral("Départements de France");
    Hote hote;
    TfmRapport rapport(const_cast<TBD &>(bd), hote);
    TfmCarte carte(bd, rapport, [] { return 0; });
    carte.show();
    // On a real display the window must be on screen for its repaints to
    // cost what they cost to a user.
    QElapsedTimer attente;
    attente.start();
    while ((!carte.windowHandle() || !carte.windowHandle()->isExposed()) && attente.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    carte.findChild<QComboBox *>(QStringLiteral("cbPour"))->setCurrentIndex(TfmCarte::SourceTous);
    int zones = 0;
    for (auto _ : state) {
        carte.Affiche();
        zones = 0;
        for (const TZoneCarte &z : carte.Zones())
            zones += carte.Image().pixel(z.X, z.Y) == (TfmCarte::CouleurZone() | 0xff000000u);
    }
    state.counters["personnes"] = carte.Liste().Count();
    state.counters["zones"] = zones;
}

void BM_ToutLeMondeDepartements(benchmark::State &state)
{
    ToutLeMonde(state, BaseSynthetiquePartagee());
}
BENCHMARK(BM_ToutLeMondeDepartements)->Unit(benchmark::kMillisecond);

void BM_ToutLeMondeDepartementsCommunes(benchmark::State &state)
{
    ToutLeMonde(state, BaseCommunes());
}
BENCHMARK(BM_ToutLeMondeDepartementsCommunes)->Unit(benchmark::kMillisecond);

// The worst case of one fill: a single zone over the whole 800 x 800 map,
// with a few borders inside to go round.
void BM_RemplitBordure800(benchmark::State &state)
{
    QImage image(800, 800, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setPen(Qt::black);
    p.drawRect(0, 0, 799, 799);
    for (int i = 1; i < 8; ++i)
        p.drawLine(i * 100, i % 2 ? 0 : 100, i * 100, i % 2 ? 700 : 799);
    p.end();
    const QRgb couleurs[] = {qRgb(153, 204, 255), qRgb(255, 255, 255)};
    int n = 0;
    qsizetype pixels = 0;
    for (auto _ : state)
        pixels = RemplitBordure(image, QPoint(50, 400), couleurs[n++ % 2]);
    state.counters["pixels"] = static_cast<double>(pixels);
}
BENCHMARK(BM_RemplitBordure800)->Unit(benchmark::kMillisecond);

// Saving and loading a map of 10,000 zones (the most a map may have), into
// a new file and over the file of the same map.
std::vector<TZoneCarte> ZonesMax()
{
    std::vector<TZoneCarte> zones;
    for (int i = 0; i < MaxZonesCarte; ++i)
        zones.push_back({QStringLiteral("Zone %1").arg(i), QStringLiteral("F%1").arg(i), i % 800, i / 800});
    return zones;
}

void BM_SauveCarte10000(benchmark::State &state)
{
    QTemporaryDir dossier;
    const std::vector<TZoneCarte> zones = ZonesMax();
    const QString chemin = dossier.filePath(QStringLiteral("Carte.mvc"));
    const bool nouvelle = state.range(0) == 0;
    for (auto _ : state) {
        if (nouvelle) {
            state.PauseTiming();
            QFile::remove(chemin);
            state.ResumeTiming();
        }
        if (!SauveCarte(chemin, zones, TComparaisonLieux::Partie))
            state.SkipWithError("not saved");
    }
    state.counters["zones"] = static_cast<double>(zones.size());
}
BENCHMARK(BM_SauveCarte10000)->Arg(0)->Arg(1)->ArgName("existante")->Unit(benchmark::kMillisecond);

void BM_ChargeCarte10000(benchmark::State &state)
{
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(QStringLiteral("Carte.mvc"));
    SauveCarte(chemin, ZonesMax(), TComparaisonLieux::Partie);
    std::vector<TZoneCarte> zones;
    for (auto _ : state) {
        if (!ChargeCarte(chemin, zones).Ok)
            state.SkipWithError("not read");
    }
    state.counters["zones"] = static_cast<double>(zones.size());
}
BENCHMARK(BM_ChargeCarte10000)->Unit(benchmark::kMillisecond);

} // namespace
