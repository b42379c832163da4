#pragma once

#include "SelectionAvancee.h"

#include <QWidget>

#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTimer;
class QToolButton;
class TBD;
class TfmRapport;

// Panel pAvance of the report options window: the advanced selection
// (SelectionAvancee.h), which builds the report list from up to three
// criteria rows.
//
// Controls, found by objectName:
//  - CB_FileListP, the list of the selection files of the report folders
//    (".mvp"), whose edit eFileP holds the selection name; opening the list
//    fills it, choosing one loads it (ChargeAvance), then applies it while
//    cbAppAvance is checked; sbSauveP saves under the name of eFileP;
//  - cbSource "Rechercher parmi": "Tout le monde", "Individus dans le
//    rapport" (a copy of the report list; none gives an empty result);
//  - eTitre "Titre du rapport" ("Rapport personnalisé"), the report's title,
//    given to the report window at every change (TfmRapport::DefinitTitre);
//  - rows n = 1..3: the code echpN with its builder button bchpN "?" (the
//    field-code builder on the code with the current person as example; its
//    result replaces the code, a cancelled builder empties it), the test
//    cbsignN (the fifteen tests, none chosen at first) and the value ecompN;
//  - the joins cbetou1 (rows 1 and 2) and cbetou2 (row 3): "(vide)", "ET",
//    "OU";
//  - cbAppAvance "Appliquer à chaque modification" (checked) and bOkAvance
//    "Ok", which applies when cbAppAvance is not checked, then asks for the
//    window to close (Ferme);
//  - cbTrtCol, never shown, unchecked at first: checked, a saved selection
//    carries the column model of the report too; saving or loading a
//    selection file checks it.
//
// The rows show as they are needed: cbetou1 when row 1 has a code and a
// test; row 2 when cbetou1 says ET or OU; cbetou2 when row 2 shows and has a
// code (it goes back to "(vide)" when row 2 hides); row 3 when cbetou2 says
// ET or OU. Every change of the source, the title, a code, a test, a value,
// a join or cbAppAvance applies the selection while cbAppAvance is checked,
// unless a row on show has a value without a code. Applying waits for the
// turn of the event loop after the change, and for the end of a report
// fill that runs, so that keys typed during a fill are applied too, once.
//
// Applying (Applique): nothing while row 1 has no code or no test;
// otherwise the persons of the source that the rows on show select
// (EvalueSelection) become the report list under the title of eTitre, and
// the report window shows them.
//
// A selection file holds the selection (EcritSelection) after the column
// part of the report's model when cbTrtCol is checked; loading one reads its
// column part whenever it has one ([Colonne] Nbre present). Names are
// checked, existing files confirmed and files written whole or not at all
// as for column models (SauveModeleNomme). Messages go through Dialogues().
class TPanneauAvance final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TPanneauAvance)

public:
    // `personne` gives the current person (the field-code builder's
    // example); it may be empty. bd and rapport must outlive the panel.
    TPanneauAvance(const TBD &bd, TfmRapport &rapport, std::function<int()> personne,
                   QWidget *parent = nullptr);
    ~TPanneauAvance() override;

    // The window's showing: the joins and the source get their first item
    // when they have none, eFileP the default name (NomModeleDefaut) when it
    // is empty.
    void Initialise();

    // The selection as the controls hold it, joins hidden counting as
    // "(vide)".
    TSelectionAvancee Selection() const;

    // Applies the selection at once (see above). Does nothing while the
    // report window fills or while an application runs.
    void Applique();

    // Writes the selection file at `chemin` (no question asked), replacing
    // it whole; checks cbTrtCol. False with a message in *erreur when it
    // could not be written, the old file then as it was.
    bool SauveAvance(const QString &chemin, QString *erreur);
    // Loads a selection file into the controls without applying it; checks
    // cbTrtCol. False with a message in *erreur, and nothing changed, when
    // the file cannot be read.
    bool ChargeAvance(const QString &chemin, QString *erreur);

signals:
    // bOkAvance: the options window closes.
    void Ferme();

private:
    struct TLigne {
        QLineEdit *Code = nullptr;
        QToolButton *Bouton = nullptr;
        QComboBox *Test = nullptr;
        QLineEdit *Valeur = nullptr;
        void Montre(bool visible) const;
        bool Visible() const;
    };

    void construit();
    void GetFileListAv();
    void CB_FileListAvChange(int index);
    void sbSauveAvClick();
    void bchpClick(int ligne);
    void bOkAvanceClick();
    // The cascade of the rows, then the request to apply.
    void ChampChange();
    void demandeApplication();
    void appliqueEnAttente();
    bool valeurSansCode() const;

    const TBD &m_bd;
    TfmRapport &m_rapport;
    std::function<int()> m_personne;
    // Set while the panel's own code fills its controls.
    bool m_chargement = false;
    // Set while an application runs (the report fill handles messages).
    bool m_evaluation = false;
    QTimer *m_attente = nullptr;
    // The selection name when the list was last opened.
    QString m_nomAvantListe;

    QComboBox *m_cbFileListP = nullptr;
    QLineEdit *m_eFileP = nullptr;
    QToolButton *m_sbSauveP = nullptr;
    QComboBox *m_cbSource = nullptr;
    QLineEdit *m_eTitre = nullptr;
    std::array<TLigne, 3> m_lignes;
    std::array<QComboBox *, 2> m_cbetou{};
    QCheckBox *m_cbAppAvance = nullptr;
    QPushButton *m_bOkAvance = nullptr;
    QCheckBox *m_cbTrtCol = nullptr;
};
