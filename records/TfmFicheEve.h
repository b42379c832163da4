#pragma once

#include <QDialog>
#include <QString>

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;
struct TOptions;

// The event type chooser (caption "Liste des événements"): a modal dialog in
// which the user picks or types the type name of a new event of one
// category, GenreEveIndividu() (person events) or GenreEveUnion() (union
// events).
//
// Controls: cbEve, a simple combo box made of the edit cbEve and, always
// open under it, its list cbEveListe; cbAjoute "Ajouter les nouveaux
// événements à la liste" (checked); bOk "&Ok" (default button); BitBtn1
// "Astuce..." (tip 10); bAdd "Ajouter..." (never shown).
//
// The list holds the names of the proposed events (options.Evenements) whose
// kind equals the category, letter case ignored, in their order; the first
// one is selected and put into the edit. Picking a line puts it into the
// edit. bOk is enabled only while the edit holds something besides blanks;
// it, Enter, and a double-click on a line (when bOk is enabled) end the
// dialog with OK. Esc or closing the window ends it with Cancel and changes
// nothing.
//
// On OK with cbAjoute checked, a type that the category does not propose yet
// (letter case ignored) is appended to options.Evenements with the category
// as kind and an empty GEDCOM tag; the caller saves the options with the
// settings as usual.
class TfmFicheEve final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfmFicheEve)

public:
    // options must outlive the dialog.
    TfmFicheEve(TOptions &options, const QString &categorie, QWidget *parent = nullptr);

    // The chosen type, without surrounding blanks, once the dialog ended
    // with OK; empty otherwise.
    QString Type() const;

private:
    void Remplit();
    void cbEveChange();
    void bOkClick();
    void bAddClick();
    void BitBtn1Click();

    TOptions &m_options;
    QString m_categorie;
    QLineEdit *m_cbEve = nullptr;
    QListWidget *m_cbEveListe = nullptr;
    QCheckBox *m_cbAjoute = nullptr;
    QPushButton *m_bOk = nullptr;
    QPushButton *m_bAdd = nullptr;
    QPushButton *m_BitBtn1 = nullptr;
};

// Shows the chooser modally for a category (GenreEveIndividu() or
// GenreEveUnion()) over Options(); returns the chosen type, or an empty text
// when the user cancelled.
QString ChoisitEvenement(QWidget *parent, const QString &categorie);
