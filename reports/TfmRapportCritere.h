#pragma once

#include "Listes.h"

#include <QWidget>

#include <functional>

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class QSpinBox;
class QStackedWidget;
class TBD;
class TfmRapport;
class TPanneauAvance;
class TPanneauColonnes;
class TPanneauPredefinis;
class TPanneauWeb;

// "Options du rapport": the small tool window beside the report window from
// which person reports are made, kept above the main window but below the
// dialogs.
//
// Panel pAff (selection kinds): the list lbAfficher of the fifteen selection
// kinds (TexteSorteSelection, item index = kind), the number of generations
// or degree seGen (1..99, default 1) with its label lGen, shown only for the
// kinds that use it (SorteAvecDegre), cbTrie (sort the report by surname and
// given names), cbAppliquer "Appliquer à chaque modification" (checked) and
// bOk; lTitre shows the current person's name, refreshed at each showing.
//
// Applying a selection (Applique) builds the list of the chosen kind around
// the current person (SelectionneListe), sorts it when cbTrie is checked and
// hands it with its title to the report window (AfficheListe). It happens on
// bOk (the window then hides) and, while cbAppliquer is checked, on every
// change: choosing a kind, changing seGen, checking cbTrie or cbAppliquer.
// Unchecking cbTrie or cbAppliquer applies nothing. With no kind chosen the
// report is the current person alone ("La personne"), and seGen, lGen and the
// window are hidden. A selection that had to be cut at the capacity of a
// person list is shown as far as it goes and the user is told (message box
// text 5050, through Dialogues()).
//
// The window holds its panels at the same place, one at a time: pAff (the
// one shown first), the column model pCol (TPanneauColonnes), the advanced
// selection pAvance (TPanneauAvance), the predefined reports pDef
// (TPanneauPredefinis) and the ancestry web page pWeb (TPanneauWeb). Choosing a selection kind in pAff clears the choice
// of pDef. Their "Ok" buttons hide the window. Each showing refreshes the
// person's name and the panels' defaults; the controls keep their values
// between showings.
//
// The database and the report window must outlive this window.
class TfmRapportCritere final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfmRapportCritere)

public:
    enum Panneau {
        PanneauAff,
        PanneauCol,
        PanneauDef,
        PanneauAvance,
        PanneauWeb,
    };

    // `personne` gives the current person's number; `ecranArbre` the persons
    // shown in the tree view. Either may be empty (no person; an empty tree).
    TfmRapportCritere(const TBD &bd, TfmRapport &rapport, std::function<int()> personne,
                      std::function<TR()> ecranArbre, QWidget *parent = nullptr);
    ~TfmRapportCritere() override;

    // The chosen kind: the item index of lbAfficher, -1 when none.
    int Sorte() const;
    // Chooses a kind (-1 for none) as the window's own code does: seGen and
    // lGen follow, nothing is applied.
    void SetSorte(int sorte);

    // Shows the current person's name in lTitre and lWeb ("Par rapport
    // à :"); the window does it when shown, the main window when the current
    // person or a name changes.
    void AffichePersonne();

    // Applies the current choice to the report window, whatever cbAppliquer
    // says. Does nothing while the report window is filling.
    void Applique();

    // Puts a panel in front and shows the window; the panel in front.
    void MontrePanneau(Panneau panneau);
    Panneau PanneauCourant() const;

signals:
    // The window was hidden (Ok, its close button, or a selection of no
    // kind): the task buttons that show it come up.
    void Cachee();

protected:
    void showEvent(QShowEvent *evenement) override;
    void hideEvent(QHideEvent *evenement) override;

private:
    void construitPanneauAff();
    void lbAfficherClick();
    void seGenChange();
    void cbTrieClick();
    void cbAppliquerClick();
    void bOkClick();
    void montreDegre(int sorte);

    const TBD &m_bd;
    TfmRapport &m_rapport;
    std::function<int()> m_personne;
    std::function<TR()> m_ecranArbre;
    // Set while the window's own code changes its controls: the change
    // handlers then apply nothing.
    bool m_chargement = false;

    QStackedWidget *m_panneaux = nullptr;
    TPanneauColonnes *m_pCol = nullptr;
    TPanneauPredefinis *m_pDef = nullptr;
    TPanneauAvance *m_pAvance = nullptr;
    TPanneauWeb *m_pWeb = nullptr;
    QWidget *m_pAff = nullptr;
    QLabel *m_lTitre = nullptr;
    QListWidget *m_lbAfficher = nullptr;
    QLabel *m_lGen = nullptr;
    QSpinBox *m_seGen = nullptr;
    QCheckBox *m_cbTrie = nullptr;
    QCheckBox *m_cbAppliquer = nullptr;
    QPushButton *m_bOk = nullptr;
};
