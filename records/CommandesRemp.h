#pragma once

#include "TfmRemp.h"

#include <QObject>
#include <QPointer>

#include <functional>

class QWidget;
class TBD;

// The main window's "Rechercher et remplacer" command, brought by the
// records library: the main window makes one, gives it the services of its
// report window and its views, and lets it take its button.
class TCommandesRemp final : public QObject, public THoteRemp
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TCommandesRemp)

public:
    struct TServices {
        std::function<TBKStringGrid *()> OuvreRapport;      // see THoteRemp
        std::function<TProgression *()> ProgressionRapport; // may be empty
        std::function<void(const QString &)> FermeRapport;
        std::function<void()> ValeursRemplacees;
        std::function<void(QWidget *)> Place;               // places a new window; may be empty
    };
    // `fenetre` (the main window) owns the object and parents the window.
    TCommandesRemp(TBD &bd, TServices services, QWidget *fenetre);
    ~TCommandesRemp() override;

    // Enables and connects the window's button sbRemp, found by name.
    void Branche();
    // Shows the find-and-replace window, made when none is open.
    void AfficheRemplacer();
    // The window open, null when none.
    TfmRemp *Fenetre() const { return m_remp; }

    TBKStringGrid *OuvreRapport() override;
    TProgression *ProgressionRapport() override;
    void FermeRapport(const QString &titre) override;
    void ValeursRemplacees() override;

private:
    TBD &m_bd;
    TServices m_services;
    QWidget *m_fenetre;
    QPointer<TfmRemp> m_remp;
};
