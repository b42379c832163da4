#pragma once

#include "Listes.h"

#include <QString>
#include <QStringList>

#include <vector>

class TBD;
struct TOptions;

// What the person search window looks for.
enum class TModeRecherche {
    Simple = 0,   // any person
    Pere = 1,     // a father for the reference
    Mere = 2,     // a mother
    Fratrie = 3,  // a brother or sister
    Enfant = 4,   // a child
    Conjoint = 5, // a spouse
};

// Accepted birth years, bounds included.
struct TFenetreAnnees {
    int Min = 0;
    int Max = 9999;
};

// The birth years a candidate of a link search may have, from the
// reference's birth year `annee` and the age limits of the options:
//   father, mother      annee - AgeEnfMax .. annee - AgeEnfMin
//   spouse              annee - EcartConjMax .. annee + EcartConjMax
//   child               annee + AgeEnfMin .. annee + AgeEnfMax
//   brother or sister   annee - AgeEnfMax .. annee + AgeEnfMax
// A plain search, or a year that is not positive (reference without a birth
// year), gives the open window 0 .. 9999.
TFenetreAnnees FenetreAnnees(TModeRecherche mode, int annee, const TOptions &options);

// Language text numbers of a search, for a reference of sex `sexeReference`
// (SexeHomme, SexeFemme, SexeInconnu):
//   Titre      window caption; for a link it is followed by a blank and the
//              reference's full name;
//   SansAnnee  caption of the person group when no birth-year window applies;
//   AvecAnnee  the same when one applies, a format whose %1 and %2 take the
//              lowest and the highest year.
// Plain search: 403, 402, 402. Spouse and child searches depend on the
// reference being a man or not.
struct TTextesRecherche {
    int Titre = 403;
    int SansAnnee = 402;
    int AvecAnnee = 402;
};
TTextesRecherche TextesRecherche(TModeRecherche mode, int sexeReference);

// What a candidate is tested against.
struct TCritereRecherche {
    TModeRecherche Mode = TModeRecherche::Simple;
    int Reference = 0;
    TFenetreAnnees Fenetre;
    // The birth-year window is not applied (the window's cbTous).
    bool Tous = false;
};

// True when person p may be chosen in the search described by c. A person
// not in use is never accepted. In every mode but Simple, p is rejected
// when it is the reference, and:
//   Pere      p is a woman (unknown sex passes);
//   Mere      p is a man;
//   Fratrie   p has both a father and a mother;
//   Enfant    p has a father when the reference is a man, a mother
//             otherwise (the link made on OK would replace it);
//   Conjoint  p has the reference's sex;
// and, unless c.Tous, p's birth year is positive and outside c.Fenetre
// (persons without a birth year pass). A parent counts only when it names a
// person in use. `anneeNaissance` is p's birth year (DateYear of the birth
// date; 0 when none); the short form reads it from the database.
bool AccepteCandidat(const TBD &bd, const TCritereRecherche &c, int p, int anneeNaissance);
bool AccepteCandidat(const TBD &bd, const TCritereRecherche &c, int p);

// The line of person p in the search lists: with `avecNom`, the surname and
// a blank; then the given names, two blanks and the date part. The date part
// is the birth date as stored; when empty, "b " and the date of the first
// baptism event; when empty too, "x " and the last non-empty date of the
// first marriage event of each union of p, the unions taken in marriage-date
// order (UnionsOf); else nothing.
QString LigneRecherche(const TBD &bd, int p, bool avecNom);

// The sorted person orders of the search window, kept between openings and
// built again, lazily, only when the database changed since they were built
// (TBD::Revision). Every accessor checks the revision first, so a reference
// it returned is valid until the next call or the next change of the
// database. The optional progression reports the building (a progress bar).
class TOrdresRecherche final
{
public:
    explicit TOrdresRecherche(const TBD &bd);

    // Every person in use sorted by field 25 (surname, a blank, given names;
    // SortList), and at the same indexes their lines with surname
    // (LigneRecherche), made only when asked for.
    const std::vector<int> &ParNomComplet(TProgression *progression = nullptr);
    const QStringList &LignesParNomComplet(TProgression *progression = nullptr);

    // Persons in use grouped by surname, surnames equal but for letter case
    // making one group; groups in surname order (field 2, SortList), the
    // persons of a group in that same order (number order among equal
    // surnames). Groups are numbered from 0.
    struct TGroupeNom {
        QString Cle;                  // the surname case-folded
        std::vector<int> Personnes;
    };
    const std::vector<TGroupeNom> &GroupesNoms(TProgression *progression = nullptr);
    // Group of p's surname; -1 when p is not in use.
    int GroupeDe(int p);
    // The persons of group g sorted by given names (field 3); empty for a
    // bad g.
    const std::vector<int> &PrenomsDuGroupe(int g);

    // Birth year of p (DateYear of the birth date), 0 when none or not in use.
    int AnneeNaissance(int p);

private:
    void verifie();

    const TBD &m_bd;
    quint64 m_revision = 0;
    bool m_valide = false;
    std::vector<int> m_parNomComplet;
    QStringList m_lignes;
    bool m_nomCompletFait = false;
    bool m_lignesFaites = false;
    std::vector<TGroupeNom> m_groupes;
    std::vector<int> m_groupeDe;                  // by person number
    std::vector<std::vector<int>> m_prenoms;      // by group, built on demand
    std::vector<bool> m_prenomsFaits;
    bool m_groupesFaits = false;
    std::vector<int> m_annees;                    // by person number
    bool m_anneesFaites = false;
};
