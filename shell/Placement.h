#pragma once

#include <QHash>
#include <QMargins>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>

#include <utility>
#include <vector>

class QWidget;
class TIniFile;

// Where the main window's tool windows open, and how big.
//
// The first time a window is shown it goes beside the tree area: a window
// of a right-hand corner to the right of the main window when the screen
// has room for it there, else inside the tree area, in the corner given for
// it; either way below the top of the tree area, so that it covers neither
// the menu bar nor the task bar, and wholly on the screen. It opens at least
// at its size hint, wide enough for the titles of all its tabs and for its
// own title, and it grows when a new title no longer fits. Afterwards it
// opens where the user left it.
//
// The positions are kept in gene.ini, section [Fenetres], one key per
// window named by its objectName, the value "x,y,largeur,hauteur": the
// geometry of the window without its frame, in screen coordinates. A kept
// position that no longer lies on a screen (another screen layout) is not
// used.
class TPlacement final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TPlacement)

public:
    enum TCoin { HautDroite, BasDroite, HautGauche, BasGauche };

    // `principale` is the main window, `zone` its tree area; both must
    // outlive this object.
    TPlacement(QWidget *principale, QWidget *zone, QObject *parent = nullptr);
    ~TPlacement() override;

    // Places `fenetre` (a top-level window) when it is shown for the first
    // time, and keeps its geometry each time it is hidden. A window made for
    // one use may be followed again under the same objectName: it opens
    // where the previous one was left.
    void Suit(QWidget *fenetre, TCoin coin);

    // `fenetre` (a top-level window) serves `servie`: each time either is
    // shown while the other is on screen and they overlap, they are put
    // side by side, off the menus and the task column of the main window,
    // and again once the window system has placed both and told their
    // frames, which may come after the show:
    // `fenetre` goes beside `servie` when the screen has room for it whole,
    // else `servie` beside `fenetre` when it has room for that, else
    // `fenetre` beside `servie` made smaller, else `servie` beside `fenetre`
    // made smaller. Both may be destroyed before this object.
    void Accompagne(QWidget *fenetre, QWidget *servie);

    // The part of the screen the tool windows may take when they make room
    // for each other: from the top left corner of the tree area (below the
    // menus, right of the task column) to the bottom right corner of the
    // screen's available area, in screen coordinates.
    QRect ZoneLibre() const;

    // The kept positions, read from and written to gene.ini. Ecrit takes the
    // windows on screen where they are now.
    void Lit(const TIniFile &ini);
    void Ecrit(TIniFile &ini);

    // The geometry, without frame, of a window of that size (frame excluded)
    // and those frame margins, placed as the class says: `principale` is the
    // main window's frame, `zone` its tree area, `ecran` the available area of
    // the screen, all in screen coordinates.
    static QRect Calcule(QSize taille, const QMargins &cadre, TCoin coin, const QRect &principale,
                         const QRect &zone, const QRect &ecran);

    // The smallest width that shows a window's title whole, frame buttons
    // included.
    static int LargeurTitre(const QWidget *fenetre);

protected:
    bool eventFilter(QObject *objet, QEvent *evenement) override;

private:
    struct TSuivie {
        QPointer<QWidget> Fenetre;
        TCoin Coin;
        bool Placee = false;
        bool Ancree = false;
    };
    // True when the window went where it was left, false when to its corner.
    bool Place(TSuivie &suivie);
    QMargins CadreEstime(const QWidget *fenetre) const;
    // Puts two windows that overlap side by side (see Accompagne).
    void Separe(QWidget *fenetre, QWidget *servie);
    // Separe again once the window system has put both windows on screen
    // and told their frames (at most a second later).
    void SepareQuandCadresConnus(QWidget *fenetre, QWidget *servie);
    // Moves a window of its present size to its corner.
    void Positionne(const TSuivie &suivie);
    // Moves a window back wholly on its screen.
    void GardeSurEcran(QWidget *fenetre);
    // Widens a window whose title no longer fits, keeping it on the screen.
    void Elargit(QWidget *fenetre);
    void Garde(const QWidget *fenetre);

    QWidget *m_principale;
    QWidget *m_zone;
    std::vector<TSuivie> m_suivies;
    std::vector<std::pair<QPointer<QWidget>, QPointer<QWidget>>> m_accompagnees;
    QHash<QString, QRect> m_positions;
};
