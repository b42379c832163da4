#pragma once

#include <QDialog>

class QAction;
class QLineEdit;
class QMenu;
class QPushButton;
class TBD;

// What the merge window needs from the main window.
class THoteFusion
{
public:
    virtual ~THoteFusion() = default;
    virtual int SelecPers() const = 0;
    virtual void SetSelecPers(int p) = 0;
    // The person search: the chosen person, 0 when cancelled.
    virtual int ChoisitPersonne() = 0;
    // Shows the record-tree navigator of the current person, and the tree
    // rebuilt when it is shown.
    virtual void MontreFicheArbre() = 0;
    // After a merge: the record form, the navigator and the tree show the
    // database as it is now.
    virtual void ApresFusion() = 0;
};

// "Fusion": merges two person records chosen through the person search.
//
// Controls (objectName): Personne1 and Personne2 (read-only: surname, given
// names and birth date of the chosen persons), SelectFiche1 and
// SelectFiche2 "Sélectionner" (the person search; the chosen person becomes
// current, a cancelled search clears the choice), VoirFiche1 and VoirFiche2
// "Voir fiche" (that person, when chosen, becomes current, and the
// navigator shows it), Fusionner (merges the second into the first, see
// FusionneFiches, and tells the result in a message box; after a merge the
// first becomes current and the host refreshes its views; the window stays
// open), Annuler (closes).
class TFusion final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFusion)

public:
    TFusion(TBD &bd, THoteFusion &hote, QWidget *parent = nullptr);
    ~TFusion() override;

    // The chosen persons, 0 for none.
    int Premier() const { return m_premier; }
    int Second() const { return m_second; }

private:
    void SelectFicheClick(int &personne, QLineEdit *champ);
    void VoirFicheClick(int personne);
    void FusionnerClick();
    void AffichePersonne(int personne, QLineEdit *champ);

    TBD &m_bd;
    THoteFusion &m_hote;
    int m_premier = 0;
    int m_second = 0;

    QLineEdit *m_personne1 = nullptr;
    QLineEdit *m_personne2 = nullptr;
    QPushButton *m_fusionner = nullptr;
};

// The command that opens the merge window: the entry "Fusionner deux
// fiches..." (objectName MI_Fusion) appended to `menu`; each use opens a
// new modal window over `parent`, freed when it closes.
QAction *AjouteCommandeFusion(QMenu *menu, TBD &bd, THoteFusion &hote, QWidget *parent);
