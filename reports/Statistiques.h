#pragma once

#include "Listes.h"

#include <QStringList>

class TBD;

// The statistics of the statistics window: what is counted, in which
// columns, and the French commentary. Plain computation over the database;
// the window draws the result.

// Entries of the statistics list, 0-based: 0 men and women, 1 events known,
// 3 parents known, 4 children per person, 5 unions per person, 7 age at
// death, 8 age at marriage, 9 age at the first child, then from 11 six
// events (births, baptisms, deaths, burials, marriages, divorces), each by
// weekday, by month and by year. Entries 2, 6 and 10 are separators ("-").
constexpr int NbStatistiques = 29;
constexpr int StatSexe = 0;
constexpr int StatAgeDeces = 7;
constexpr int StatAgeMariage = 8;
constexpr int StatAgePremierEnfant = 9;
constexpr int StatNaissancesJour = 11;
constexpr int StatNaissancesMois = 12;
constexpr int StatNaissancesAnnee = 13;
constexpr int StatMariagesJour = 23;
constexpr int StatMariagesMois = 24;
constexpr int StatMariagesAnnee = 25;

// The name of an entry as the list shows it ("-" for a separator); empty
// outside 0..28.
QString NomStatistique(int entree);
bool EstSeparateur(int entree);
// Entries counted in age ranges (7 to 9), in year ranges (13, 16 ... 28).
bool StatistiqueAges(int entree);
bool StatistiqueAnnees(int entree);

// Most columns a statistic shows.
constexpr int MaxColonnesStat = 2001;

// An age or year range: values Min..Max in columns of Pas values each.
struct TPlageStat {
    int Min = 0;
    int Max = 100;
    int Pas = 10;
};
// The range as typed: Max raised to Min + 1 when it is not above Min (Min
// lowered by one when that would overflow), Pas raised to 1 when below 1.
TPlageStat CorrigePlage(int min, int max, int pas);
// Number of columns a corrected range shows: (Max - Min - 1) div Pas + 1.
// A value equal to Max falls in the next column when Max - Min is a
// multiple of Pas: it is counted but not shown.
qint64 ColonnesPlage(const TPlageStat &plage);

struct TResultatStat {
    // One entry per column shown: its label and its value as decimal text.
    QStringList ValX;
    QStringList ValY;
    // The name of each column for captions and tables: the label, or for
    // age columns whose labels are left out, the start of the column ("20+").
    QStringList Noms;
    // The commentary, one line per entry.
    QStringList Commentaire;
    // The persons counted in the selected column, in source order, once per
    // count (a person counted for two unions is there twice).
    TR Resultat;
};

// Computes statistic `entree` over the persons of `source` that are in use,
// the source size of the commentary being their number. `colonne` is the
// selected column (0-based, -1 for none) whose persons go into Resultat.
// Age statistics use `ages`, year statistics `annees` (both corrected, see
// CorrigePlage); a range needing more than MaxColonnesStat columns shows the
// first MaxColonnesStat. Separators and numbers outside 0..28 compute entry
// 0. The progress gets the source count as maximum and a position every 10
// persons, then 0; it may be null.
TResultatStat CalculeStatistique(const TBD &bd, const TR &source, int entree, int colonne,
                                 const TPlageStat &ages, const TPlageStat &annees,
                                 TProgression *progression = nullptr);

// The persons in use born in the years debut to fin, both included, in
// number order: those whose birth date has a year in that period.
TR PersonnesNeesEntre(const TBD &bd, int debut, int fin);
