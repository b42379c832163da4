#pragma once

#include <QDialog>

class QLabel;
class QGroupBox;
class QRadioButton;
class QPushButton;
class TBD;
class TRelatifs;
class THoteRelatifs;

// The add window "Ajouter une nouvelle fiche": adds a new person, or a
// father, mother, sibling, child or spouse of the current person.
// Controls: L_Nom (the current person's full name), group GB_Ajoute with the
// radio buttons RB_Nouvelle (checked by default), RB_Pere, RB_Mere,
// RB_Fatrie, RB_Enfant, RB_Conj; B_Ok (default), B_Annuler, BitBtn1
// "Astuce..." (tip 2).
class TfmAjoute final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfmAjoute)

public:
    TfmAjoute(TBD &bd, TRelatifs &relatifs, THoteRelatifs &hote, QWidget *parent = nullptr);

    // Prepares the window for the current person: L_Nom, and RB_Pere /
    // RB_Mere enabled only while that parent is missing. Run it before each
    // showing.
    void Affiche();
    // OK: runs the chosen add operation for the current person, then closes
    // the window with Accepted and signals what was created.
    void B_OkClick();

signals:
    // A person was created (its number) by the OK button.
    void PersonneAjoutee(int p);

protected:
    void showEvent(QShowEvent *event) override;

private:
    TBD &m_bd;
    TRelatifs &m_relatifs;
    THoteRelatifs &m_hote;
    QLabel *m_nom = nullptr;
    QGroupBox *m_groupe = nullptr;
    QRadioButton *m_nouvelle = nullptr;
    QRadioButton *m_pere = nullptr;
    QRadioButton *m_mere = nullptr;
    QRadioButton *m_fratrie = nullptr;
    QRadioButton *m_enfant = nullptr;
    QRadioButton *m_conjoint = nullptr;
};
