#pragma once

#include "Source.h"

#include <QObject>

#include <functional>

class QWidget;
class TBD;

// The main window's source commands, brought by the records library: the
// main window makes one, gives it the few services it needs, and lets it
// take its buttons. It also serves the source windows opened from the
// record form (THoteSource).
class TCommandesSources final : public QObject, public THoteSource
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TCommandesSources)

public:
    struct TServices {
        std::function<void(int)> MontrePersonne; // makes a person current
        std::function<int()> ChoisitPersonne;    // the person search; 0 on cancel
        std::function<void()> SourcesModifiees;  // title, record form, tree
        std::function<QBrush()> Fond;            // the background of the tree view
    };
    // `fenetre` (the main window) owns the object and parents its windows.
    TCommandesSources(TBD &bd, TServices services, QWidget *fenetre);
    ~TCommandesSources() override;

    // Enables and connects the window's buttons found by name:
    // sbSourceAjoute (a new source, tied to no person, in the editor; kept
    // only when the editor is closed with its bOk button),
    // sbSourceRech (a source chosen in the chooser, then edited),
    // SpeedButton4 (the chooser, to look through the sources) and
    // SpeedButton6 (the sources overview). Gives the source editor its
    // scanner button when SANE is installed.
    void Branche();

    void Ajoute();
    void Recherche();
    void Choisit();
    void Apercu();

    void MontrePersonne(int p) override;
    int ChoisitPersonne() override;
    void SourcesModifiees() override;
    QBrush Fond() const override;

private:
    TBD &m_bd;
    TServices m_services;
    QWidget *m_fenetre;
};
