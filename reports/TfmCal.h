#pragma once

#include "Calendrier.h"

#include <QWidget>

#include <functional>

class QComboBox;
class QPushButton;
class QSpinBox;
class TBD;
class TfmRapport;

// The calendar window "Calendrier": a year drawn as 12 month columns by 31
// day rows (the paint box pb, DessineCalendrier); a cell is coloured when a
// person (or a union) of the source had an event of the chosen kind on that
// day in the period. Controls of the panel pEve: cbEve (the event: language
// text 700 for every event, then the proposed event types of the options for
// persons, or for unions), seDeb and seFin (the period, 0..9999, 1950 to 2010
// at first; each pushes the other along), cbPour ("Tous les individus",
// "Individus en vie", "Individus du rapport", "Unions"), and bPageWeb,
// which writes the calendar as an HTML page to a file chosen through the
// dialog service and shows it (TDialogues::AffichePage).
//
// Two modes, chosen before showing: the events calendar (every setting
// free) and the anniversaries calendar (births of living persons; cbPour and
// cbEve fixed). Weekends are marked (options, CalWE) by the weekdays of the
// year seFin.
//
// Over a coloured cell the caption names its person ("Calendrier : Paul
// DUPONT"), its union ("husband et wife") or their count, and the cursor is
// a hand. A click on a cell of one entry makes that person (a union's
// husband) current and shows the record; a click on a cell of several puts
// them (husbands for unions) in the report window, captioned with the event
// and the day. Persons and unions gone since the fill are left out; a cell
// left empty by that does nothing.
class TfmCal final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfmCal)

public:
    // `selecFiche` makes a person current and shows the record. The
    // database and the report window must outlive the window.
    TfmCal(const TBD &bd, TfmRapport &rapport, std::function<void(int)> selecFiche, QWidget *parent = nullptr);
    ~TfmCal() override;

    // The mode of the next showing (and of this one when shown).
    void SetAnniversaires(bool anniversaires);
    bool Anniversaires() const { return m_anniversaires; }

    const TCalendrier &Cellules() const { return m_cal; }
    QWidget *Grille() const;

    // Refills the cells from the controls and repaints.
    void Change();
    // Writes the HTML page of the cells (PageCalendrier) to a file; false
    // with the reason in *erreur when it cannot be written.
    bool CalculeCalendrier(const QString &chemin, QString *erreur = nullptr);
    // The database was replaced: the cells are filled again when shown.
    void BaseRechargee();

signals:
    // The window was shown or hidden (not by minimising its owner).
    void Montree();
    void Cachee();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    class TGrille;

    // What each showing does: the controls of the mode, then the fill.
    void Prepare();
    void PourChange();
    void seDebChange();
    void seFinChange();
    void pbMouseMove(const QPoint &point);
    void pbMouseDown(const QPoint &point);
    void bPageWebClick();
    bool Unions() const;
    QString TitreRapport(int mois, int jour) const;

    const TBD &m_bd;
    TfmRapport &m_rapport;
    std::function<void(int)> m_selecFiche;
    TGrille *m_pb;
    QComboBox *m_cbEve;
    QSpinBox *m_seDeb;
    QSpinBox *m_seFin;
    QComboBox *m_cbPour;
    QPushButton *m_bPageWeb;
    TCalendrier m_cal;
    // The cells hold unions (the source when they were filled).
    bool m_unions = false;
    bool m_anniversaires = false;
    bool m_maj = false;
    QString m_tousEve;
};
