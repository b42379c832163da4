#pragma once

#include "Listes.h"
#include "Suppression.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QToolButton;
class TBD;

// What the delete window needs from the main window.
class THoteSupprime
{
public:
    virtual ~THoteSupprime() = default;
    virtual int SelecPers() const = 0;
    virtual void SetSelecPers(int p) = 0;
    // The persons listed in the report window (empty when none).
    virtual TR ListeRapport() const = 0;
    // The report window lists these persons under this caption and is shown
    // (its button put down).
    virtual void MontreListe(const TR &liste, const QString &titre) = 0;
    // Persons were removed: the record form, the tree and the report are
    // refreshed where shown.
    virtual void PersonnesSupprimees() = 0;
    // The window was hidden (the main window puts its button up).
    virtual void SupprimeCache() = 0;
};

// The delete window "Supprimer une ou plusieurs fiche(s)": removes a set of
// persons gathered around the current person, or keeps only that set. A
// tool window kept above the main window (below the dialogs), not modal,
// freed when closed.
//
// The reference is the host's current person when the window is built; the
// report's persons are read then too (cbRapport's caption gives their
// count). Controls, by objectName: L_Nom (the reference's name), in
// GB_Ajoute the boxes CB_Pers, CB_Pere, CB_Mere, CB_Conj, CB_Fatrie,
// CB_Enfant, CB_Asc with eAscGen, cbAscConj, cbAscConjAsc with eAscConjAsc,
// cbAscFratrie, cbAscFratrieDes, CB_Des with eDesGen, cbDesConj,
// cbDesConjAsc with eDesConjAsc, cbAge with eAge, cbRapport; rbSupprimer,
// rbConserver, cbCalculer, sbListe, B_Ok, B_Annuler. The number edits are
// spin boxes from 1 to 999 and accept digits only. A box that depends on
// another is unticked and disabled while that one is unticked.
//
// While cbCalculer is ticked, every change of a box, radio button or number
// recomputes the set and sbListe gives the number of persons the operation
// would remove ("Liste vide" and disabled for none); sbListe counts again
// and hands them to the host's report under its own text. B_Ok (or Enter)
// computes the set afresh from the boxes and the database as they are,
// removes the persons (see SupprimePersonnes), makes the host's current
// person the one it returns, tells the host and closes; B_Annuler (or
// Escape) closes.
class TfmSupprime final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfmSupprime)

public:
    TfmSupprime(TBD &bd, THoteSupprime &hote, QWidget *parent = nullptr);
    ~TfmSupprime() override;

    // Shows the database and the report as they are now, for a window left
    // open while they change: the reference's name, the relation boxes that
    // apply (a box that no longer applies is unticked), the persons of the
    // report (unless the report shows the list this window put there) and
    // the count.
    void Actualise();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    TCriteresSuppression Criteres() const;
    void Initialise();
    void ActualiseControles();
    void Enable();
    void Changement();
    void Compte();
    void CompteListe();
    void sbListeClick();
    void B_OkClick();

    TBD &m_bd;
    THoteSupprime &m_hote;
    int m_reference = 0;
    TR m_rapport;
    // The list sbListe last put in the report.
    TR m_listeMontree;
    TMarques m_marques;
    bool m_miseAJour = false;

    QLabel *m_L_Nom = nullptr;
    QCheckBox *m_CB_Pers = nullptr;
    QCheckBox *m_CB_Pere = nullptr;
    QCheckBox *m_CB_Mere = nullptr;
    QCheckBox *m_CB_Conj = nullptr;
    QCheckBox *m_CB_Fatrie = nullptr;
    QCheckBox *m_CB_Enfant = nullptr;
    QCheckBox *m_CB_Asc = nullptr;
    QSpinBox *m_eAscGen = nullptr;
    QCheckBox *m_cbAscConj = nullptr;
    QCheckBox *m_cbAscConjAsc = nullptr;
    QSpinBox *m_eAscConjAsc = nullptr;
    QCheckBox *m_cbAscFratrie = nullptr;
    QCheckBox *m_cbAscFratrieDes = nullptr;
    QCheckBox *m_CB_Des = nullptr;
    QSpinBox *m_eDesGen = nullptr;
    QCheckBox *m_cbDesConj = nullptr;
    QCheckBox *m_cbDesConjAsc = nullptr;
    QSpinBox *m_eDesConjAsc = nullptr;
    QCheckBox *m_cbAge = nullptr;
    QSpinBox *m_eAge = nullptr;
    QCheckBox *m_cbRapport = nullptr;
    QRadioButton *m_rbSupprimer = nullptr;
    QRadioButton *m_rbConserver = nullptr;
    QCheckBox *m_cbCalculer = nullptr;
    QToolButton *m_sbListe = nullptr;
    QPushButton *m_B_Ok = nullptr;
    QPushButton *m_B_Annuler = nullptr;
};
