#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;

// The add-field dialog "Ajouter un champ" of the user-defined fields: a
// modal dialog, centred on the screen, in which the user picks or types the
// label of a new field and chooses what it will hold.
//
// Controls: cbLibelle "Sélectionnez ou tapez un nouveau champ", a simple
// combo box made of the edit cbLibelle and, always open under it, its list
// cbLibelleListe (the labels of SetLibelles, at first ten usual ones);
// rgSorte "Que contiendra ce champ", radio buttons rbTexte "Du texte",
// rbMultiligne "multiligne", rbDate "Une date" and rbLieu "Un lieu" in three
// columns (a yes/no field cannot be added here); cbListe "Ajouter les
// nouveaux champs à la liste" (checked at first); cbTous "Ajouter ce champ
// pour toutes les personnes"; bOk "&Ok" (default button) and bAnnuler
// "&Annuler".
//
// Each time it is shown the label is empty, bOk disabled and "Du texte"
// chosen; the two check boxes keep their state. Picking a line of the list
// puts it into the edit. bOk is enabled only while the edit holds something
// besides blanks; it, Enter, and a double-click on a line (when bOk is
// enabled) end the dialog with OK. Esc or closing the window cancels.
class TfmChampAjoute final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfmChampAjoute)

public:
    explicit TfmChampAjoute(QWidget *parent = nullptr);

    // Replaces the labels of the list.
    void SetLibelles(const QStringList &libelles);
    QStringList Libelles() const;

    // What the user chose, once the dialog ended with OK: the label without
    // surrounding blanks, the kind ("t", "m", "d" or "l") and the two check
    // boxes.
    QString Libelle() const;
    QString Sorte() const;
    bool Liste() const;
    bool Tous() const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void cbLibelleChange();
    void bOkClick();

    QLineEdit *m_cbLibelle = nullptr;
    QListWidget *m_cbLibelleListe = nullptr;
    QButtonGroup *m_rgSorte = nullptr;
    QCheckBox *m_cbListe = nullptr;
    QCheckBox *m_cbTous = nullptr;
    QPushButton *m_bOk = nullptr;
};
