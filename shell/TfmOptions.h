#pragma once

#include <QDialog>
#include <QString>

#include <functional>

struct TOptions;
struct TEvePropose;
struct TChampPropose;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;
class TxiloStyleEdit;

// The options dialog. The main window creates it hidden at start-up with the
// options of the run (not owned; they must outlive the dialog) and shows it
// modally on demand.
//
// Every control carries its documented object name (cbNomMaj, seSaisieNom,
// sgEve, bOk...). The controls always show the options except while the
// user edits them: the constructor and Charge() fill them, OK (bOk) writes
// them back into the options, after which the caller saves gene.ini; Cancel
// (bAnnuler, Escape, closing the window) fills them again from the options,
// which stay untouched.
//
// The postal-code program's path is typed in eLindafor or chosen with the
// file dialog of bLindafor "Parcourir...".
//
// Grids: sgEve (kind, type name, GEDCOM tag), sgChp (shown for every person
// as a check box, name, GEDCOM tag), sgSrc (source kind), each with buttons
// to add a row (bEveAjoute, bChpAjoute, bSrcAjoute) and to remove the
// selected rows (bEveSupprime, bChpSupprime, bSrcSupprime). Rows whose name
// is blank are dropped on OK.
//
// The Style tab holds the style sheet editor Style: the text of the HTML
// style sheet whose colours the report, the statistics and the calendar
// read. Changed and confirmed, it is saved whole to its file before the
// options are taken; when it cannot be saved the user is told and the
// dialog stays open.
class TfmOptions final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfmOptions)

public:
    explicit TfmOptions(TOptions &options, QWidget *parent = nullptr);

    // Fills every control from the options.
    void Charge();

    // What Button6 "Vérifier la base de donnée" runs; the button stays
    // disabled until it is given.
    void SetVerification(std::function<void()> verification);

    // What the Style tab edits: the style sheet `style` (not owned; it must
    // outlive the dialog), which OK saves to `fichier` when its text was
    // changed. The tab stays disabled until it is given.
    void SetStyle(TxiloStyleEdit *style, const QString &fichier);

    // The user-defined field definitions of the record form (see
    // ::DefinitionChamps) of the rows of sgChp as they stand, before OK.
    QString DefinitionChamps() const;

    void accept() override;
    void reject() override;

private:
    QWidget *CreePageSaisie();
    QWidget *CreePageFiche();
    QWidget *CreePageNumerotation();
    QWidget *CreePageVerification();
    QWidget *CreePageCalendrier();
    QWidget *CreePageEvenements();
    QWidget *CreePageChamps();
    QWidget *CreePageSources();
    QWidget *CreePageStyle();

    // Writes the controls into the options.
    void Enregistre();

    // bLindafor: the postal-code program chosen in a file dialog.
    void bLindaforClick();

    void AjouteLigneEve(const TEvePropose &evenement);
    void AjouteLigneChp(const TChampPropose &champ);
    void AjouteLigneSrc(const QString &source);
    void bEveAjouteClick();
    void bChpAjouteClick();
    void bSrcAjouteClick();
    // Removes the selected rows of a grid.
    static void SupprimeLignes(QTableWidget *grille);
    // Starts editing the name cell of a new last row.
    static void EditeNouvelleLigne(QTableWidget *grille, int colonneNom);

    TOptions &m_options;

    QCheckBox *m_cbNomMaj = nullptr;
    QCheckBox *m_cbPreMaj = nullptr;
    QCheckBox *m_cbSaisieNom = nullptr;
    QCheckBox *m_cbSaisieChp = nullptr;
    QSpinBox *m_seSaisieNom = nullptr;
    QComboBox *m_cbSaisieLieu = nullptr;
    QCheckBox *m_cbLindafor = nullptr;
    QLineEdit *m_eLindafor = nullptr;

    QLineEdit *m_eFicheTitre = nullptr;
    QLineEdit *m_eFiche1 = nullptr;
    QLineEdit *m_eFiche2 = nullptr;
    QCheckBox *m_cbFicheIdEnRech = nullptr;
    QCheckBox *m_cbAjouteEve = nullptr;
    QSpinBox *m_seGeneration = nullptr;
    QCheckBox *m_cbAjoutePers = nullptr;
    QCheckBox *m_cbLienAuto = nullptr;

    QCheckBox *m_cbNumeroteBase = nullptr;
    QSpinBox *m_seNumeroteGen = nullptr;
    QCheckBox *m_cbNumeroteConjoint = nullptr;
    QCheckBox *m_cbNumeroteFamille = nullptr;

    QSpinBox *m_seAgeMarMin = nullptr;
    QSpinBox *m_seAgeMarMax = nullptr;
    QSpinBox *m_seAgeEnfMin = nullptr;
    QSpinBox *m_seAgeEnfMax = nullptr;
    QSpinBox *m_seAgeDecesMax = nullptr;
    QSpinBox *m_seEcartConjMax = nullptr;
    QPushButton *m_Button6 = nullptr;

    QComboBox *m_cbCalNbre = nullptr;
    QCheckBox *m_cbCalWE = nullptr;
    QCheckBox *m_cbCalFete = nullptr;
    QSpinBox *m_seNbreJour = nullptr;

    QTableWidget *m_sgEve = nullptr;
    QTableWidget *m_sgChp = nullptr;
    QTableWidget *m_sgSrc = nullptr;
    QLineEdit *m_ePhoto = nullptr;

    QPlainTextEdit *m_Style = nullptr;
    TxiloStyleEdit *m_style = nullptr;
    QString m_fichierStyle;

    QPushButton *m_bOk = nullptr;
    QPushButton *m_bAnnuler = nullptr;
};
