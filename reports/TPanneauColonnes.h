#pragma once

#include <QWidget>

#include <functional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QToolButton;
class TBD;
class TfmRapport;

// Panel pCol of the report options window: the column model of the person
// reports, which says for each column of the report its title, its code (a
// person text template expanded for every row, Modeles.h) and its type.
//
// Controls, found by objectName:
//  - CB_FileList, the model list, whose edit eFile holds the model name (the
//    file name without folder or ".mvr"); opening the list fills it with the
//    models of the report folders (ListeModeles), and choosing one loads it;
//  - sbSauve, which saves the model under the name of eFile (below);
//  - sgCol, the column editor: one row per column of the model, in report
//    order, with the title, the code and the type (header: language texts
//    2201, 2202, 2203). Titles and codes are edited in place. The type
//    column takes one key: the first letter of language text 2205 ("d",
//    Date), 2207 ("n", Nombre) or 2204 ("t", Texte), letter case ignored,
//    writes that whole text; any other character empties the cell and
//    explains the three keys (language text 8100);
//  - sbUp, sbDown: exchange the selected row with the one above or below,
//    the selection following it; sbPlus: a new empty row above the selected
//    one (at the end when none is selected), up to 256 rows, whose title
//    cell becomes current with the keyboard, so that what is typed next is
//    its title; sbMoins:
//    removes the selected row, never the last one; sbEdite "&Editeur de
//    contenu": the field-code builder (EditeContenu) on the selected row's
//    code with the current person as example; a non-empty result replaces
//    the code;
//  - cobLigne, the line styling of the report (TfmRapport::SetStyleLignes):
//    one colour, alternating, by sex;
//  - cbAppCol "Appliquer à chaque modification" (checked) and bOkCol "Ok".
//
// The editor works on the report window's model (TfmRapport::Modele) in
// place, a column keeping its width wherever it moves, and shows it again
// whenever the report window loads another one. Every change of the model
// (a cell that changed, a button, a model chosen in the list) is applied at
// once while cbAppCol is checked: the report window fills its grid again
// from its report list (RemplitTableau), once per change. bOkCol applies
// when cbAppCol is not checked, then asks for the window to close (Ferme).
//
// Saving: a name that cannot be a file name in the report folder
// (NomModeleValide) is refused with a message (8102) before anything else;
// when a model of that name exists (letter case ignored) the user is asked
// whether to replace it (8101) and No writes nothing; the file is then
// written whole or not at all (TfmRapport::Sauve), a failure told in a
// message. Messages and questions go through Dialogues().
class TPanneauColonnes final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TPanneauColonnes)

public:
    // `personne` gives the current person (the field-code builder's
    // example); it may be empty. bd and rapport must outlive the panel.
    TPanneauColonnes(const TBD &bd, TfmRapport &rapport, std::function<int()> personne,
                     QWidget *parent = nullptr);
    ~TPanneauColonnes() override;

    // Shows the report window's model again in the editor, with the titles
    // of the language file, and the model name in eFile; gives cobLigne its
    // default (alternating lines) when it has no choice. The options window
    // calls it each time it shows.
    void AfficheModele();

signals:
    // bOkCol: the options window closes.
    void Ferme();

protected:
    bool eventFilter(QObject *objet, QEvent *evenement) override;

private:
    void construit();
    void remplitEditeur();
    void GetFileList();
    void CB_FileListChange(int index);
    void sbSauveClick();
    void celluleChangee(int ligne, int col);
    bool toucheType(const QString &touche);
    void sbUpClick();
    void sbDownClick();
    void sbPlusClick();
    void sbMoinsClick();
    void sbEditeClick();
    void cobLigneChange(int index);
    void AppCol();
    void AppColClick();
    // Puts row `ligne` (0-based), column `col` as the current cell.
    void selectionne(int ligne, int col);

    const TBD &m_bd;
    TfmRapport &m_rapport;
    std::function<int()> m_personne;
    // Set while the panel's own code fills its controls: their change
    // handlers then apply nothing.
    bool m_chargement = false;

    QComboBox *m_cbFileList = nullptr;
    QLineEdit *m_eFile = nullptr;
    QToolButton *m_sbSauve = nullptr;
    QTableWidget *m_sgCol = nullptr;
    QToolButton *m_sbUp = nullptr;
    QToolButton *m_sbDown = nullptr;
    QToolButton *m_sbPlus = nullptr;
    QToolButton *m_sbMoins = nullptr;
    QPushButton *m_sbEdite = nullptr;
    QComboBox *m_cobLigne = nullptr;
    QCheckBox *m_cbAppCol = nullptr;
    QPushButton *m_bOkCol = nullptr;
};
