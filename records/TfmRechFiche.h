#pragma once

#include "Recherche.h"

#include <QDialog>

#include <vector>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QStringListModel;
class TBD;
class TModelePersonnes;
class TRelatifs;
class THoteRelatifs;

// The person search window "Recherche d'une fiche": the one place where a
// person is picked, by name, either to go to it or to link it to a
// reference person as father, mother, sibling, child or spouse.
//
// Controls (objectName): RG_Forme, a group of two radio buttons
// rbListeUnique "Liste unique" and rbNomPrenom "Nom et prénom" (the
// default); the group GB_Pers holding L_NomPre over LB_NomPre (one list of
// every person, unique list form), L_Nom over LB_Nom (surnames) and L_Pre
// over LB_Pre (the persons of the highlighted surname) in the names form,
// Label1 and eCommence (the surname prefix, typed in capitals) and cbTous
// (lift the birth-year window; link searches only); cbSelec (the highlighted
// person is made current while ticked), cbRefresh (ticking it builds the
// visible list again), the progress bar Bar, B_Ok (default) and B_Annuler.
// The lists are QListViews: the surnames over a string list model, the
// persons over a model that makes each line (LigneRecherche) when the view
// first shows it. A double click on a person line acts as B_Ok.
//
// The lists are built again from the sorted orders (TOrdresRecherche) at
// every opening and every keystroke; those orders are sorted again only when
// the database changed. The chosen person is kept from one opening to the
// next. While the window is open, the current person (THoteRelatifs) may
// follow the highlighted line (cbSelec); on every close, however it closes,
// the current person and the record form's tab of the moment it was shown
// are put back.
class TfmRechFiche final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfmRechFiche)

public:
    TfmRechFiche(TBD &bd, TRelatifs &relatifs, THoteRelatifs &hote, QWidget *parent = nullptr);
    ~TfmRechFiche() override;

    // Plain search: the chosen person, 0 on cancel.
    int ChoisitPersonne(int reference);
    // Link searches: on OK the link is made (TRelatifs::Lie...).
    void LiePere(int reference);
    void LieMere(int reference);
    void LieConjoint(int reference);
    void LieEnfant(int reference);
    void LieFratrie(int reference);

    // The two halves of each of the calls above, for driving the window
    // without a modal loop: Prepare sets the mode, the reference, the
    // captions and the birth-year window (nothing is shown); after the
    // window was shown and closed, Conclut acts on how it closed (the link
    // for a link mode) and returns the chosen person, 0 when cancelled or
    // refused.
    void Prepare(TModeRecherche mode, int reference);
    int Conclut();

    // Forgets the person chosen last, whose number names somebody else once
    // the database is replaced: the next opening starts on the current
    // person.
    void OubliePersonne();

    // Closing in any way (OK, Cancel, Escape, the title bar) puts back the
    // current person and the record form's tab saved when shown.
    void done(int resultat) override;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    // Prepare, the modal window, Conclut.
    int Cherche(TModeRecherche mode, int reference);
    void Affiche();
    void AfficheNomPre();
    void AfficheNom();
    void LB_NomClick(int ligne);
    void LB_PreClick(int ligne);
    void LB_NomPreClick(int ligne);
    void eCommenceChange();
    void cbSelecClick();
    void cbRefreshClick();
    void B_OkClick();
    void choisitLigne(int ligne);
    void surligne(QListView *liste, int ligne);
    bool accepte(int p);
    void majOk();
    bool formeUnique() const;
    QListView *listePersonnes() const;

    TBD &m_bd;
    TRelatifs &m_relatifs;
    THoteRelatifs &m_hote;
    TOrdresRecherche m_ordres;

    TCritereRecherche m_critere;
    int m_choisi = 0;
    int m_persAuShow = 0;
    int m_ongletAuShow = 0;
    bool m_aConclure = false;
    // Set while a line is highlighted by the program, whose caller then runs
    // the click handler itself.
    bool m_programme = false;
    // Person numbers of the lines of the visible person list (LB_NomPre or
    // LB_Pre), and group numbers of the lines of LB_Nom.
    std::vector<int> m_numeros;
    std::vector<int> m_groupes;

    QGroupBox *m_rgForme = nullptr;
    QRadioButton *m_rbListeUnique = nullptr;
    QRadioButton *m_rbNomPrenom = nullptr;
    QGroupBox *m_gbPers = nullptr;
    QLabel *m_lNomPre = nullptr;
    QListView *m_lbNomPre = nullptr;
    QLabel *m_lNom = nullptr;
    QListView *m_lbNom = nullptr;
    QLabel *m_lPre = nullptr;
    QListView *m_lbPre = nullptr;
    TModelePersonnes *m_modeleNomPre = nullptr;
    QStringListModel *m_modeleNom = nullptr;
    TModelePersonnes *m_modelePre = nullptr;
    QLineEdit *m_eCommence = nullptr;
    QCheckBox *m_cbTous = nullptr;
    QCheckBox *m_cbSelec = nullptr;
    QCheckBox *m_cbRefresh = nullptr;
    QProgressBar *m_bar = nullptr;
    QPushButton *m_bOk = nullptr;
    QPushButton *m_bAnnuler = nullptr;
};
