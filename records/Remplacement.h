#pragma once

#include <QHash>
#include <QString>

#include <vector>

class TBD;
class TProgression;

// Find and replace across the whole database: the kinds of values it
// reaches, the operations it applies to them, the list of the distinct
// values with their number of uses, and the replacement itself.
//
// Nothing here depends on Qt Widgets.

// Kinds of values, in the order of the window's list.
enum TDonneeRemp {
    RempNom = 0,          // each person in use: surname
    RempPrenom = 1,       // given names
    RempNomChamp = 2,     // the label of each entry of its user-defined fields
    RempContenuChamp = 3, // the value of one user-defined field, by name
    RempEvenement = 4,    // each event slot in use: type
    RempDate = 5,         // date
    RempLieu = 6,         // place
    RempNote = 7,         // note
};
constexpr int NbDonneesRemp = 8;

enum class TOperationRemp {
    Aucune,
    Minuscule,         // everything in lower case
    Majuscule,         // everything in upper case
    PremiereMajuscule, // the first character in upper case, the rest lower
    Remplace,          // one whole value by another
};

struct TRemplacement {
    TOperationRemp Operation = TOperationRemp::Aucune;
    QString Recherche; // Remplace: the whole value looked for
    QString Par;       // Remplace: the value put in its place
};

// The value after the operation. Cases follow Unicode, accented letters
// included ("élodie" -> "ÉLODIE"). PremiereMajuscule puts the first
// character in its title case and the rest in lower case, so
// "jean-pierre" gives "Jean-pierre". Remplace gives Par when the whole
// value equals Recherche without regard to case (Unicode case folding),
// else the value unchanged: parts of values are never replaced. Aucune
// gives the value unchanged.
QString Transforme(const QString &valeur, const TRemplacement &remplacement);

// The text counted for an empty value: " (Vide)".
QString ValeurVide();

// A distinct value and its number of uses.
struct TValeurUtilisee {
    QString Valeur;
    int Compte = 0;

    bool operator==(const TValeurUtilisee &) const = default;
};

// Counts the uses of values: each value once, in the order of its first
// use, exact (letter case and blanks count). A hash from value to entry
// keeps each count in constant time.
class TCompteValeurs final
{
public:
    // One use of a value; an empty value counts as ValeurVide().
    void CompteValeur(const QString &valeur);
    const std::vector<TValeurUtilisee> &Valeurs() const { return m_valeurs; }

private:
    QHash<QString, int> m_lignes;
    std::vector<TValeurUtilisee> m_valeurs;
};

// Every value of a kind, counted in the database's order: persons from 1 to
// the high-water count, events from 1 to the event count, slots not in use
// skipped. RempNomChamp counts each entry of each person's fields text (a
// person without fields counts nothing); RempContenuChamp counts the value
// of field `champ` (named without regard to case) of every person, empty
// when the person has no such field. The progress gets the number of
// persons or events as maximum and moves every 50 of them. An unknown kind
// gives nothing.
std::vector<TValeurUtilisee> CompteValeurs(const TBD &bd, int donnee, const QString &champ,
                                           TProgression *progression = nullptr);

// Passes every value of the kind through Transforme and writes back those
// that changed; returns their number (for RempNomChamp, the number of
// labels changed). Surnames and given names go through the person
// accessors; a person whose labels change gets its fields text written
// again by the fields-text writer, which keeps only the entries that have a
// value and turns "|" into a blank; a field content goes through
// TBD::SetAttribute (which does the same for "|"); event fields directly
// (a "|" kept, since nothing separates event fields). Every person whose
// data changed, and the persons that own a changed event (the spouses for
// a union's event), get today as their update date. Nothing is written,
// stamped or counted when the value stays the same. Does not touch
// BaseModifiee.
int RemplaceValeurs(TBD &bd, int donnee, const QString &champ, const TRemplacement &remplacement,
                    TProgression *progression = nullptr);
