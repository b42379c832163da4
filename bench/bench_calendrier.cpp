// The calendar and the anniversary reminder on the synthetic 100,000-person
// database: a year's calendar filled (every event of every person, and the
// births of the living), the grid painted, and the reminder as "lignee
// -anniv" shows it: the start-up's language and name-day files read, the
// anniversaries file of the whole database read, the window laid out and
// shown. What concerns the living runs on the synthetic database founded
// around 1820 (BaseSynthetiqueVivantePartagee), whose recent generations
// are living: the one founded in 1690 has nobody left alive.

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

// How many persons of the database count as living today, given to the
// benchmark as a counter. A database with few living would measure next to
// nothing: the benchmark then stops with an error.
int Vivants(benchmark::State &state, const TBD &bd)
{
    int n = 0;
    for (int p = bd.NextPerson(0); p != 0; p = bd.NextPerson(p))
        n += PersonneEnVie(bd, p, 110) ? 1 : 0;
    state.counters["vivants"] = n;
    if (n < 10000)
        state.SkipWithError("la base synthétique n'a presque pas de vivants");
    return n;
}

void RemplissageAnnee(benchmark::State &state, TSourceCal source)
{
    const TBD &bd = source == TSourceCal::EnVie ? BaseSynthetiqueVivantePartagee() : BaseSynthetiquePartagee();
    if (source == TSourceCal::EnVie)
        Vivants(state, bd);
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
    Vivants(state, BaseSynthetiqueVivantePartagee());
    EcritAnniFete(FichierAnniFete, BaseSynthetiqueVivantePartagee(), 15, 110);
    state.counters["octets"] = static_cast<double>(QFileInfo(FichierAnniFete).size());
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

// Reading the anniversaries file of the whole database (the living of
// 100,000 persons), as the reminder does at each start: to be no slower
// than loading the database itself (bench_mvd, BM_ChargeMvd).
void BM_AnniFeteLit(benchmark::State &state)
{
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(QStringLiteral("AnniFete.mv"));
    // With the name days of the shipped file, as the options write it.
    LitFetes(QStringLiteral(LIGNEE_MODELE "/1/Fete.mv"));
    Vivants(state, BaseSynthetiqueVivantePartagee());
    EcritAnniFete(chemin, BaseSynthetiqueVivantePartagee(), 15, 110);
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
    // With the name days of the shipped file, whatever ran before.
    LitFetes(QStringLiteral(LIGNEE_MODELE "/1/Fete.mv"));
    const TBD &bd = BaseSynthetiqueVivantePartagee();
    Vivants(state, bd);
    for (auto _ : state)
        EcritAnniFete(chemin, bd, 15, 110);
    state.counters["octets"] = static_cast<double>(QFileInfo(chemin).size());
}
BENCHMARK(BM_AnniFeteEcrit)->Unit(benchmark::kMillisecond);

} // namespace
