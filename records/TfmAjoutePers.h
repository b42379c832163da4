#pragma once

#include <QDialog>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class TBD;
class THoteFiche;
class TfmListe;

// The identity window of a new relative: its sex (pSexe, sbSexe, lSexe),
// surname eNom and given names ePre, written into the database at every
// keystroke, cbSelec "Sélectionner cette personne maintenant" (kept from one
// use to the next) and Button1 "&Ok".
class TfmAjoutePers final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfmAjoutePers)

public:
    // liste: the record form's completion list, used for the two edits.
    TfmAjoutePers(TBD &bd, THoteFiche &hote, TfmListe *liste, QWidget *parent = nullptr);

    // Fills the window for person p (caption, sex panel, both edits, sex
    // button enabled when sexeChoisi) without showing it.
    void Prepare(const QString &titre, int p, bool sexeChoisi);
    // Prepare, then shows the window modally; the state of cbSelec when it
    // closes.
    bool SaisieIdentite(const QString &titre, int p, bool sexeChoisi);
    int Personne() const { return m_personne; }

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *objet, QEvent *evenement) override;

private:
    void Change(QLineEdit *edit);
    void sbSexeClick();
    void AfficheSexe(int sexe);
    bool PersonneValide() const;

    TBD &m_bd;
    THoteFiche &m_hote;
    TfmListe *m_liste = nullptr;
    int m_personne = 0;
    bool m_remplissage = false;
    QFrame *m_pSexe = nullptr;
    QToolButton *m_sbSexe = nullptr;
    QLabel *m_lSexe = nullptr;
    QLineEdit *m_nom = nullptr;
    QLineEdit *m_prenoms = nullptr;
    QCheckBox *m_selec = nullptr;
};
