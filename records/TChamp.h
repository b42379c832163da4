#pragma once

#include <QScrollArea>
#include <QString>
#include <QWidget>

#include <vector>

#include "Champs.h"

class QButtonGroup;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;
class QSplitter;
class TfmChampAjoute;

// Yes/no editor of the user-defined fields ("r" kind): three radio buttons
// side by side, "Oui" (rbOui), "Non" (rbNon) and "Nul" (rbNul).
//
// The value is held exactly as it was given: "Oui" stays "Oui", "oui" stays
// "oui", and a value that reads as neither yes, no nor empty (LitOuiNon gives
// Inconnu) is kept with no button checked, until the user clicks. A click
// writes "Oui", "Non" or "" (Nul).
class TRButton final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TRButton)

public:
    explicit TRButton(QWidget *parent = nullptr);

    // The value, as given to SetValeur or as the last click wrote it.
    QString Valeur() const;
    // Holds the value and checks the matching button (none for an unknown
    // value). Emits nothing.
    void SetValeur(const QString &valeur);

signals:
    // After a click that changed the value.
    void Change();

private:
    void Coche(TOuiNon choix);
    void Clique(int id);

    QButtonGroup *m_groupe = nullptr;
    QString m_valeur;
};

// The user-defined fields of one person, one row per field: its label in a
// left column and its editor in a right column, with a splitter between.
// A scroll area without horizontal scroll bar.
//
// Rows, in table order (FusionneChamps of ChampDef and Champ), for the kinds
// that have an editor, at most MaxLignes rows:
//   "t" one-line text, "d" date, "l" place: QLineEdit
//   "m" multi-line text:                    QPlainTextEdit
//   "r" yes/no:                             TRButton
// Object names, n being the 1-based index of the entry in the table (see
// Entrees()): label "L_Champ<n>", editor "E_Champ<n>". The splitter is
// "pPrincipal", the label column "pLibelles", the editor column "pEditeurs".
// Entries of other kinds, and entries beyond MaxLignes rows, get no row but
// stay in the table and are written back by Champ().
//
// Every editor turns a "|" typed or pasted into a blank (SansSeparateur).
// Values are read back from an editor only when that editor changes, so an
// entry the user does not touch is written back exactly as it was read.
class TChamp final : public QScrollArea
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TChamp)
    Q_PROPERTY(QString Champ READ Champ WRITE SetChamp)
    Q_PROPERTY(QString ChampDef READ ChampDef WRITE SetChampDef)
    Q_PROPERTY(int Split READ Split WRITE SetSplit)
    Q_PROPERTY(int Hauteur READ Hauteur)

public:
    static constexpr int MaxLignes = 1000;
    // Default width of the label column, in pixels.
    static constexpr int SplitDefaut = 80;

    explicit TChamp(QWidget *parent = nullptr);
    ~TChamp() override;

    // The fields text of the current entries (AssembleChamps: entries with
    // an empty value are left out).
    QString Champ() const;
    // Rebuilds the rows for a person's fields text, merged with ChampDef
    // (FusionneChamps). Emits nothing. May be called from a slot connected
    // to this control's signals: the old editors are deleted later.
    void SetChamp(const QString &texte);

    // The definitions: fields shown for every person, in the fields-text
    // form ("t|<name>||" ...). Used by the next SetChamp.
    QString ChampDef() const;
    void SetChampDef(const QString &definitions);

    // Width of the label column in pixels (never below 0). Dragging the
    // splitter changes it.
    int Split() const;
    void SetSplit(int largeur);

    // Height in pixels of all rows (0 without rows).
    int Hauteur() const;

    // The current entries, 0-based, in row order, those with an empty value
    // and those without a row included.
    const TTableChamps &Entrees() const;

    // Appends an entry of that kind and label (SansSeparateur applied) with
    // an empty value, and its row. Returns its editor, or null when the kind
    // has no editor or MaxLignes rows are shown. The entry is written by
    // Champ() only once it has a value.
    QWidget *AjouteEntree(const QString &sorte, const QString &libelle);

    // The add-field dialog of the control, made with it. Its owner may
    // replace the labels it proposes before AjouteChamp.
    TfmChampAjoute *DialogueAjout() const;
    // Shows DialogueAjout modally. On OK, appends an entry of the chosen
    // kind and label with an empty value and its row (AjouteEntree), and
    // returns true; the dialog then tells the label and its two check boxes
    // (cbListe, cbTous). On Cancel, returns false and changes nothing.
    bool AjouteChamp();

    // Called from a slot connected to ChampKeyDown: the key pressed is used
    // up, and reaches neither the editor nor the windows that hold it.
    void AvaleTouche() { m_avalee = true; }

signals:
    // After every change of an editor, by the user or by a program: the new
    // fields text (what Champ() returns). Emitted after EditeurChange.
    void ChampChange(const QString &texte);
    // An editor changed: the editor and its entry once refreshed. Completion
    // lists and date or place helpers hook here (sorte "d", "l", "t"...).
    void EditeurChange(QWidget *editeur, const QString &sorte, const QString &libelle,
                       const QString &valeur);
    // A key pressed or released in a "t", "d" or "l" editor (Qt::Key code),
    // with the editor's entry. The key then goes to the editor, unless a
    // slot connected to ChampKeyDown called AvaleTouche().
    void ChampKeyDown(QWidget *editeur, int touche, const QString &sorte,
                      const QString &libelle, const QString &valeur);
    void ChampKeyUp(QWidget *editeur, int touche, const QString &sorte,
                    const QString &libelle, const QString &valeur);
    // The focus left a date ("d") or a place ("l") editor.
    void DateExit(QWidget *editeur);
    void LieuExit(QWidget *editeur);

protected:
    bool eventFilter(QObject *objet, QEvent *evenement) override;

private:
    struct TLigne {
        size_t Entree = 0;
        QLabel *Libelle = nullptr;
        QWidget *Editeur = nullptr;
        int Y = 0;
        int H = 0;
    };

    void VideLignes();
    void ConstruitLignes();
    // Creates the row of entry i at the bottom; false when the kind has no
    // editor.
    bool AjouteLigne(size_t i);
    // The editor of entry i, filled with its value; hauteur receives its
    // row height.
    QWidget *CreeEditeur(size_t i, int &hauteur);
    void Dispose();
    void AppliqueSplit();
    // Reads entry i back from its editor and tells the owner.
    void EditeurModifie(size_t i, QWidget *editeur);

    TfmChampAjoute *m_fm = nullptr;
    QSplitter *m_principal = nullptr;
    QWidget *m_libelles = nullptr;
    QWidget *m_editeurs = nullptr;
    TTableChamps m_entrees;
    std::vector<TLigne> m_lignes;
    QString m_definitions;
    int m_split = SplitDefaut;
    int m_hauteur = 0;
    bool m_remplissage = false;
    bool m_avalee = false;
};
