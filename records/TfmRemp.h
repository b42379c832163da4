#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QToolButton;
class TBD;
class TBKStringGrid;
class TProgression;
struct TRemplacement;

// What the find-and-replace window needs from the main window.
class THoteRemp
{
public:
    virtual ~THoteRemp() = default;
    // Opens the report window for a table whose rows are not persons: its
    // list and row values are cleared and it is shown. Its grid, or null
    // while the report window is busy with another fill (nothing is done
    // then).
    virtual TBKStringGrid *OuvreRapport() = 0;
    // The report window's progress bar; may be null.
    virtual TProgression *ProgressionRapport() = 0;
    // Closes the fill opened by OuvreRapport with this caption: the grid
    // shows when it has rows, the window takes the width of its columns.
    virtual void FermeRapport(const QString &titre) = 0;
    // Values were replaced: the current person is shown again, the tree is
    // rebuilt, the completion lists forget what they knew, the title marks
    // the database modified.
    virtual void ValeursRemplacees() = 0;
};

// The window "Rechercher et remplacer": changes one kind of data across
// the whole database (see Remplacement.h): lower case, upper case, a
// capital first letter, or one whole value replaced by another; and lists
// every distinct value of that kind with its number of uses in the report
// window. A tool window kept above the main window, not modal, freed when
// closed.
//
// Controls (objectName): lb (the eight kinds), l and cb (the field whose
// content changes, shown for "Contenu d'un champ personnel" only, filled
// with the proposed fields of the options), the radio buttons rb1 (lower
// case), rb2 (upper case), rb4 (first letter), rb3 (replace), none chosen
// at first; l1, e1 (the value looked for), sb (copies e1 into e2), l2, e2
// (its replacement), shown with rb3 only; cbVoir (the value list is built
// after each choice and each replacement while it is ticked); lCompte (how
// many values the last replacement changed); bOk "&Remplacer" (Enter) and
// B_Annuler "&Fermer" (Escape).
//
// bOk is enabled when a kind is chosen (with a field name for the field
// content), an operation is chosen, and for rb3 both texts are filled.
// Choosing another kind or field empties e1 and e2. The database is marked
// modified, and the main window told, only when a value changed.
class TfmRemp final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfmRemp)

public:
    // bd and hote must outlive the window.
    TfmRemp(TBD &bd, THoteRemp &hote, QWidget *parent = nullptr);
    ~TfmRemp() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void Change();
    void lbClick();
    void bOkClick();
    void bVoirClick();
    TRemplacement Remplacement() const;

    TBD &m_bd;
    THoteRemp &m_hote;
    // Set while the window empties its own edits: their change handlers
    // then do nothing.
    bool m_garde = false;

    QListWidget *m_lb = nullptr;
    QLabel *m_l = nullptr;
    QComboBox *m_cb = nullptr;
    QRadioButton *m_rb1 = nullptr;
    QRadioButton *m_rb2 = nullptr;
    QRadioButton *m_rb3 = nullptr;
    QRadioButton *m_rb4 = nullptr;
    QLabel *m_l1 = nullptr;
    QLineEdit *m_e1 = nullptr;
    QToolButton *m_sb = nullptr;
    QLabel *m_l2 = nullptr;
    QLineEdit *m_e2 = nullptr;
    QCheckBox *m_cbVoir = nullptr;
    QLabel *m_lCompte = nullptr;
    QPushButton *m_bOk = nullptr;
    QPushButton *m_B_Annuler = nullptr;
};
