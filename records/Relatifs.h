#pragma once

#include <QString>
#include <QStringList>

class TBD;

// What the relatives operations need from the windows around them. The main
// window implements it; tests give a scripted one.
class THoteRelatifs
{
public:
    virtual ~THoteRelatifs() = default;
    // The current person, and making a person current (the record form and
    // every visible view follow).
    virtual int SelecPers() const = 0;
    virtual void SetSelecPers(int p) = 0;
    // The identity window for the new person p (TfmAjoutePers): caption
    // `titre`, the sex button enabled when sexeChoisi. True when the user
    // left "Sélectionner cette personne maintenant" ticked.
    virtual bool SaisieIdentite(const QString &titre, int p, bool sexeChoisi) = 0;
    // Shows a new person: the record form brings its identity tab forward,
    // p becomes the current person, then the form's caption becomes
    // `titreFiche` and the focus goes to its surname edit E_Nom (focusNom)
    // or its given names edit E_Pre.
    virtual void MontreNouvelle(int p, const QString &titreFiche, bool focusNom) = 0;
    // The record form is filled again for the current person (when shown).
    virtual void FicheAffiche() = 0;
    // The record form's active tab (0 is the identity tab), for windows that
    // move it while they are open and put it back afterwards.
    virtual int OngletFiche() const = 0;
    virtual void SetOngletFiche(int onglet) = 0;
};

// Adding and linking relatives. Every operation writes into the database at
// once; the follow-up questions are Yes/No message boxes (AppMessageBox,
// question icon) whose texts are language texts 320 to 331 filled with full
// names (MLFormat); options are read from Options() at each call
// (AjouteEve, Generation, AjoutePers, LienAuto).
//
// The database is marked modified (BaseModifiee) whenever something was
// created or linked, and only then. A table too small for what an operation
// needs makes it create nothing and say so (texts 5061 persons, 5062
// unions); a parent link that would make a person his own ancestor
// (IsAncestorOf) is not made and text 5060 says so, the rest of the
// operation going on as if the question had been answered No.
class TRelatifs
{
public:
    TRelatifs(TBD &bd, THoteRelatifs &hote);

    // ---- Adding a new person tied to a reference -------------------------
    // Each creates one person tied to the reference and returns its number,
    // 0 when nothing was created (full table, reference not in use):
    //   AjoutePere    reference's father := new man, reference's surname,
    //                 born Generation years before; caption texts 302 / 303,
    //                 focus E_Pre; then CompleteLienPere(reference, new).
    //   AjouteMere    reference's mother := new woman, empty surname,
    //                 Generation years before; 304 / 305, E_Nom;
    //                 CompleteLienMere(reference, new).
    //   AjouteEnfant  new man, reference's surname, whose father (reference a
    //                 man) or mother (otherwise) is the reference; then
    //                 CompleteLienEnfant(reference, new), then the father's
    //                 surname when it has a father now; born Generation years
    //                 after; 306 / 307, E_Pre, sex choosable.
    //   AjouteConjoint a new union of the reference and a new person of the
    //                 other sex (a woman for a man, else a man), empty
    //                 surname, born the same year; 308 / 309, E_Nom;
    //                 CompleteLienConjoint(reference, new). Needs a person
    //                 slot and a union slot: both are checked first.
    //   AjouteFratrie new man with the reference's father and mother and
    //                 surname, born the same year; 310 / 311, E_Pre, sex
    //                 choosable; CompleteLienFratrie(reference, new).
    // Ancestor numbers (field 26) go from the reference to a new father or
    // mother. With AjoutePers the identity window is shown with caption
    // "<text N> <reference's full name>"; when it is not ticked, or the window
    // answers true, the new person is shown (MontreNouvelle, caption
    // "<text M> <reference's full name>"); otherwise the current person stays.
    int AjoutePere(int reference);
    int AjouteMere(int reference);
    int AjouteEnfant(int reference);
    int AjouteConjoint(int reference);
    int AjouteFratrie(int reference);
    // A new empty person (add window's "Une nouvelle personne"): made current,
    // then the record form's caption is text 301 on its identity tab. 0 when
    // the person table is full (the user is told).
    int AjouteNouvelle();

    // ---- Linking an existing person (the person search's OK) -------------
    // Each makes the link of the search mode and runs the completion, as the
    // add operations do; false when nothing was linked (refused loop, full
    // union table, bad numbers).
    //   LiePere(r, p)     r's father := p; CompleteLienPere(r, p).
    //   LieMere(r, p)     r's mother := p; CompleteLienMere(r, p).
    //   LieConjoint(r, p) the union of r and p (the existing one, UnionOf,
    //                     else a new one); CompleteLienConjoint(r, p).
    //   LieEnfant(r, p)   p's father (r a man) or mother := r;
    //                     CompleteLienEnfant(r, p).
    //   LieFratrie(r, p)  parents shared without a question: when p has no
    //                     father, p's father := r's father, else when r has
    //                     none, r's father := p's father; the same for the
    //                     mother.
    bool LiePere(int r, int p);
    bool LieMere(int r, int p);
    bool LieConjoint(int r, int p);
    bool LieEnfant(int r, int p);
    bool LieFratrie(int r, int p);

    // ---- Completion questions -------------------------------------------
    void CompleteLienPere(int enfant, int pere);
    void CompleteLienMere(int enfant, int mere);
    void CompleteLienConjoint(int personne, int conjoint);
    void CompleteLienEnfant(int parent, int enfant);
    void CompleteLienFratrie(int personne, int frere);

    // When the reference has a birth year, p's birth date becomes "vers "
    // and that year plus `annees`, with quality "2" on the birth event;
    // otherwise nothing changes.
    void DateNaissanceVers(int reference, int p, int annees);

private:
    bool Connue(int p) const;
    // A Yes/No question: language text `texte` filled with the names.
    bool Demande(int texte, const QStringList &noms) const;
    // p's father (pere) or mother := parent, unless that would close a loop
    // in the parent links (the user is then told); true when linked.
    bool PoseParent(int enfant, int parent, bool pere);
    // A new person or a new union of a and b; 0, after telling the user,
    // when the table is full.
    int NouvellePersonne();
    int NouvelleUnion(int a, int b);
    // Steps shared by the add operations once the person is tied: the
    // estimated birth, the identity window and the selection of p.
    void Presente(int reference, int p, int decalage, int texteSaisie, int texteFiche, bool focusNom,
                  bool sexeChoisi);

    TBD &m_bd;
    THoteRelatifs &m_hote;
};
