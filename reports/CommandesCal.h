#pragma once

#include <QObject>

#include <functional>

class QToolButton;
class QWidget;
class TBD;
class TfmCal;
class TfmRapport;

// The main window's calendar commands, brought by the reports library: the
// calendar window, the calendar converter and the anniversary reminder. The
// main window makes one at start-up and lets it take its buttons.
class TCommandesCal final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TCommandesCal)

public:
    // `fenetre` (the main window) owns the object and the calendar window,
    // made here and kept until exit. The database and the report window must
    // outlive it; `selecFiche` makes a person current and shows the record.
    TCommandesCal(const TBD &bd, TfmRapport &rapport, std::function<void(int)> selecFiche, QWidget *fenetre);
    ~TCommandesCal() override;

    TfmCal *Cal() const { return m_cal; }

    // Takes the main window's buttons (found by name): sbCal down shows the
    // calendar in the mode of sbCalEve (events) or sbCalAnn (anniversaries),
    // which switch it while it is shown; up hides it, and the window hidden
    // puts it up. Places after them sbCalConv, which opens the calendar
    // converter on today's date, and sbAnniFete, which shows the anniversary
    // reminder, or says how to make its file when there is none.
    void Branche();

private:
    QToolButton *Bouton(QToolButton *apres, const QString &nom, const QString &texte);

    TfmCal *m_cal;
    QWidget *m_fenetre;
};
