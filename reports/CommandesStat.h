#pragma once

#include <QObject>

#include <functional>

class QPrinter;
class QToolButton;
class QWidget;
class TBD;
class TfmRapport;
class TfmStat;
struct TReglagesStat;

// The main window's statistics commands, brought by the reports library:
// the main window makes one at start-up, gives it what the statistics
// window needs, and lets it take its button.
class TCommandesStat final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TCommandesStat)

public:
    // `fenetre` (the main window) owns the object and the statistics window,
    // made here and kept until exit. The database, the report window and the
    // settings must outlive it; `imprimante` is the program's printer.
    TCommandesStat(const TBD &bd, TfmRapport &rapport, TReglagesStat &reglages,
                   std::function<QPrinter &()> imprimante, QWidget *fenetre);
    ~TCommandesStat() override;

    TfmStat *Stat() const { return m_stat; }

    // Takes the main window's button sbStat (found by name): down shows the
    // statistics window and brings the page TS_Stat of PC forward, up hides
    // the window; the window hidden puts it up and brings the page
    // TS_Afficher forward. Places after it the
    // buttons sbStatRapport (the graph's values as a table in the report
    // window) and sbStatImprime (the window printed; into a file, the
    // status line of `fenetre`, when it is a main window, says where),
    // enabled while the window is shown.
    void Branche();

private:
    QToolButton *Bouton(QToolButton *modele, const QString &nom, const QString &texte);

    TfmStat *m_stat;
    QWidget *m_fenetre;
};
