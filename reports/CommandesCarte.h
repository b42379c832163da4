#pragma once

#include <QObject>

#include <functional>

class QWidget;
class TBD;
class TfmCarte;
class TfmRapport;

// The main window's map commands, brought by the reports library: the main
// window makes one at start-up, places its three buttons, and tells it when
// the current person, a place or the database changes.
class TCommandesCarte final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TCommandesCarte)

public:
    // `fenetre` (the main window) owns the object and the map window with
    // its zone editor, made here and kept until exit. The database and the
    // report window must outlive it; `selecPers` gives the current person.
    TCommandesCarte(const TBD &bd, TfmRapport &rapport, std::function<int()> selecPers, QWidget *fenetre);
    ~TCommandesCarte() override;

    TfmCarte *Carte() const { return m_carte; }

    // Enables and connects the window's buttons found by name: sbCarte
    // (down shows the map window, up hides it; it comes up when the window
    // is closed), sbCarteDef (the same for the zone editor) and
    // sbCarteNouvelle (the new-map dialog, which shows the map window first).
    void Branche();

    // The current person changed: a map of the selection follows it.
    void AffCarte();
    // The places of person `p` were edited: a map showing `p`, whatever its
    // source, is drawn again.
    void LieuxModifies(int p);
    // The database was replaced.
    void BaseRechargee();

private:
    TfmCarte *m_carte;
    QWidget *m_fenetre;
};
