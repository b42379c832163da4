#pragma once

#include <QString>

#include <vector>

class QDate;
class TBD;

// The anniversaries file (Windows-1252), read by the anniversary reminder and
// written from the database when the options are confirmed:
//
//   [AnniFete]
//   NbreJour=15
//   j25m12=Anniversaire|Paul DUPONT|1950|Fête|Noël MARTIN||
//
// "NbreJour" is the number of days the reminder looks ahead; each key
// "j" + day + "m" + month (no leading zeros) holds the entries of that day,
// three fields each, every field closed by "|": the kind ("Anniversaire" or
// "Fête"), the person's full name, and for a birthday the birth year ("0"
// when not known), for a name day nothing.

// One entry of a day.
struct TEntreeAnniFete {
    QString Genre; // "Anniversaire" or "Fête" (any text read from a file)
    QString Nom;
    QString Annee; // the third field as written, empty for a name day
};

// The days ahead, clamped to 0..365; a file without the key gives 15.
inline constexpr int NbreJourDefaut = 15;
inline constexpr int NbreJourMax = 365;

// The content of an anniversaries file.
class TAnniFete final
{
public:
    int NbreJour = NbreJourDefaut;

    // The entries of a day (month 1..12, day 1..31), in file order; empty for
    // any other day.
    const std::vector<TEntreeAnniFete> &Jour(int mois, int jour) const;
    void SetJour(int mois, int jour, std::vector<TEntreeAnniFete> entrees);

private:
    std::vector<TEntreeAnniFete> m_jours[12][31];
};

// The entries of a day's value: its "|"-closed fields taken three by three.
// Text after the last "|" and a trailing entry of fewer than three fields
// are dropped, so that a damaged value never shifts the entries before it.
std::vector<TEntreeAnniFete> ListeVersEntrees(const QString &texte);

// Reads the file into *anniFete. False, with *anniFete untouched and the
// reason in *erreur (when given, in French), when the path is not an
// existing ordinary file (ObstacleLecture, Fichiers.h: a pipe or a device is
// never read) or the file cannot be read. A "NbreJour" that is not a number
// keeps the default; one outside 0..365 is brought within.
bool LitAnniFete(const QString &chemin, TAnniFete *anniFete, QString *erreur = nullptr);

// Whether person p counts as living: in use, with a birth date, without a
// death date, and not older today (AgeInYears, Dates.h) than `ageMax` years
// (the options' AgeDecesMax): someone born three centuries ago whose death
// was never entered is no longer living.
bool PersonneEnVie(const TBD &bd, int p, int ageMax);
// The same on the day `aujourdhui` (Aujourdhui(), Dates.h), taken once by
// the callers that look at every person: asking the clock reads the time
// zone each time.
bool PersonneEnVie(const TBD &bd, int p, int ageMax, const QDate &aujourdhui);

// Writes the file for the living persons of the database (PersonneEnVie,
// born on a full unqualified date): a birthday entry on the day
// and month of the birth, with its year, and a name-day entry on each day
// whose names of the name-day table (TableFetes, Dates.h) include the
// person's principal given name (letter case ignored). Names are written
// with every "|" made a blank. The section is replaced whole and the file
// saved atomically; false with the reason in *erreur (when given) when it
// cannot be written, the previous file then left as it was.
bool EcritAnniFete(const QString &chemin, const TBD &bd, int nbreJour, int ageMax, QString *erreur = nullptr);
