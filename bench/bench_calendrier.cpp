// The calendar and the anniversary reminder on the synthetic 100,000-person
// database: a year's calendar filled (every event of every person, and the
// births of the living), the grid painted, and the reminder as "lignee
// -anniv" shows it: the start-up's language and name-day files read, the
// anniversaries file of the whole database read, the window laid out and
// shown.

#include "AnniFete.h"
#include "BaseSynthetique.h"
#include "BD.h"
#include "Calendrier.h"
#include "Chemins.h"
#include "Demarrage.h"
#include "Fetes.h"
#include "Globales.h"
#include "TfmAnniFete.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

namespace {

void RemplissageAnnee(benchmark::State &state, TSourceCal source)
{
    const TBD &bd = BaseSynthetiquePartagee();
    TCritereCal c;
    c.Source = source;
    c.Debut = 1700;
    c.Fin = 2100;
    TCalendrier cal;
    for (auto _ : state) {
        RemplitCalendrier(bd, c, cal);
        benchmark::DoNotOptimize(cal.Cellule(1, 1).size());
    }
}

void BM_CalendrierRempliTousLesEvenements(benchmark::State &state)
{
    RemplissageAnnee(state, TSourceCal::Tous);
}
BENCHMARK(BM_CalendrierRempliTousLesEvenements)->Unit(benchmark::kMillisecond);

void BM_CalendrierRempliVivants(benchmark::State &state)
{
    RemplissageAnnee(state, TSourceCal::EnVie);
}
BENCHMARK(BM_CalendrierRempliVivants)->Unit(benchmark::kMillisecond);

void BM_CalendrierRempliUnions(benchmark::State &state)
{
    RemplissageAnnee(state, TSourceCal::Unions);
}
BENCHMARK(BM_CalendrierRempliUnions)->Unit(benchmark::kMillisecond);

void BM_CalendrierPeint(benchmark::State &state)
{
    const TBD &bd = BaseSynthetiquePartagee();
    TCritereCal c;
    c.Debut = 1700;
    c.Fin = 2100;
    TCalendrier cal;
    RemplitCalendrier(bd, c, cal);
    const QSize taille(1000, 700);
    QImage image(taille, QImage::Format_RGB32);
    const TCouleursCal couleurs = CouleursCal(Qt::gray);
    for (auto _ : state) {
        QPainter p(&image);
        DessineCalendrier(p, taille, cal, couleurs, true, 2010);
    }
}
BENCHMARK(BM_CalendrierPeint)->Unit(benchmark::kMillisecond);

// From the start-up to the reminder on screen, the database never loaded.
void BM_RappelAnniversairesAffiche(benchmark::State &state)
{
    QTemporaryDir dossier;
    SetRepModele(QStringLiteral(LIGNEE_MODELE));
    PrepareDemarrage(dossier.path());
    EcritAnniFete(FichierAnniFete, BaseSynthetiquePartagee(), 15, 110);
    for (auto _ : state) {
        PrepareDemarrage(dossier.path());
        TAnniFete af;
        LitAnniFete(FichierAnniFete, &af);
        TfmAnniFete rappel(af);
        rappel.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(rappel.Lignes().size());
    }
}
BENCHMARK(BM_RappelAnniversairesAffiche)->Unit(benchmark::kMillisecond);

// Reading the anniversaries file of the whole database (1.7 MB), as the
// reminder does at each start: to be no slower than loading the database
// itself (bench_mvd, BM_ChargeMvd).
void BM_AnniFeteLit(benchmark::State &state)
{
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(QStringLiteral("AnniFete.mv"));
    // With the name days of the shipped file, as the options write it.
    LitFetes(QStringLiteral(LIGNEE_MODELE "/1/Fete.mv"));
    EcritAnniFete(chemin, BaseSynthetiquePartagee(), 15, 110);
    state.counters["octets"] = static_cast<double>(QFileInfo(chemin).size());
    for (auto _ : state) {
        TAnniFete af;
        LitAnniFete(chemin, &af);
        benchmark::DoNotOptimize(af.Jour(12, 25).size());
    }
}
BENCHMARK(BM_AnniFeteLit)->Unit(benchmark::kMillisecond);

// Writing the anniversaries file of the whole database (options confirmed).
void BM_AnniFeteEcrit(benchmark::State &state)
{
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(QStringLiteral("AnniFete.mv"));
    for (auto _ : state)
        EcritAnniFete(chemin, BaseSynthetiquePartagee(), 15, 110);
}
BENCHMARK(BM_AnniFeteEcrit)->Unit(benchmark::kMillisecond);

} // namespace
