#pragma once

#include <QWidget>

#include <functional>

class QLabel;
class TBD;
class TCarteWeb;

// The web map window "Carte": a tool window that stays on top, showing the
// web map page (TCarteWeb, named "wb") under a line that lists the places
// the page could not find. One instance, made on first use
// (ShowMapPlace) and kept until the program ends.
class TfmMaps final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfmMaps)

public:
    // Makes the window, owned by `owner`, and starts loading the map page.
    explicit TfmMaps(QWidget *owner);
    ~TfmMaps() override;

    // The window, or nullptr before its first use.
    static TfmMaps *Instance();

    TCarteWeb *Carte() const { return m_wb; }
    // What a click on a person's link in a pop-up does (the person number
    // is given); nothing until set.
    void SetChoixPersonne(const std::function<void(int)> &choix) { m_choix = choix; }

    // Waits for the page (TCarteWeb::AttendPage); when it did not load,
    // tells the user why and returns false.
    bool AttendPage();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void AfficheIntrouvables();

    TCarteWeb *m_wb = nullptr;
    QLabel *m_lIntrouvables = nullptr;
    std::function<void(int)> m_choix;
};

// Plots the place `lieu` of person `personne` on the web map window: makes
// the window on first use (owned by `owner`) and loads the page, shows it
// when hidden, waits for the page (10 s at most), then, when the place is
// not empty and the person number at least 1, plots the point of
// PointPersonne with the person's full name. `choix` becomes what a click on
// a person's link does (SetChoixPersonne). Returns false when the page did
// not load (the user has been told; nothing is plotted).
bool ShowMapPlace(QWidget *owner, const TBD &bd, const QString &lieu, int personne,
                  const std::function<void(int)> &choix);
