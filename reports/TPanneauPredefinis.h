#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;
class TBD;
class TfmRapport;

// Panel pDef of the report options window: the predefined reports
// (Predefinis.h), fourteen tables over the whole database shown in the report
// grid.
//
// Controls, found by objectName: the list lbDef of the reports
// (TexteRapportPredefini, item index = report); the options, each shown only
// for the reports that read it: the place filter rbEclair1 "Tous les lieux"
// (checked) / rbEclair2 "Lieu commençant par:" with the prefix eEclair
// ("FRA,IDF,F75"), reports 0 and 9; the place format cbLieux with lLieux,
// reports 2, 4, 5 and 7; the search depth seCons (1 to 999, default 10) with
// lCons, report 3; the sign cbZodiaque with lZodiaque, report 10; then
// cbAppDef "Appliquer à chaque modification" (checked) and bDef "Ok".
//
// Choosing a report, or changing an option, runs the chosen report while
// cbAppDef is checked; bDef runs it in any case, then asks for the window to
// close (Ferme). A report runs between the report window's InitRapport and
// FinRapport, which show the report window and keep a second fill from
// starting: a request made while the report window fills does nothing. The
// grid then holds the table, the window's caption says what it is, a table
// of events is sorted on its date as a title click sorts it, and the orphans
// become the report list. The progress bar moves and the window keeps
// responding meanwhile.
class TPanneauPredefinis final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TPanneauPredefinis)

public:
    // bd and rapport must outlive the panel.
    TPanneauPredefinis(const TBD &bd, TfmRapport &rapport, QWidget *parent = nullptr);
    ~TPanneauPredefinis() override;

    // The chosen report, -1 when none.
    int Rapport() const;
    // Clears the choice without running anything (a person report was
    // chosen in another panel).
    void EffaceChoix();
    // Shows the options of the chosen report only, and gives the place
    // format and the sign their first item when they have none.
    void DefInit();

signals:
    // bDef: the options window closes.
    void Ferme();

private:
    void construit();
    void lbDefClick(bool bouton);
    void execute(int rapport);

    const TBD &m_bd;
    TfmRapport &m_rapport;
    bool m_chargement = false;

    QListWidget *m_lbDef = nullptr;
    QRadioButton *m_rbEclair1 = nullptr;
    QRadioButton *m_rbEclair2 = nullptr;
    QLineEdit *m_eEclair = nullptr;
    QLabel *m_lLieux = nullptr;
    QComboBox *m_cbLieux = nullptr;
    QLabel *m_lCons = nullptr;
    QSpinBox *m_seCons = nullptr;
    QLabel *m_lZodiaque = nullptr;
    QComboBox *m_cbZodiaque = nullptr;
    QCheckBox *m_cbAppDef = nullptr;
    QPushButton *m_bDef = nullptr;
};
