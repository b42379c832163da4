#pragma once

#include <QMargins>
#include <QRect>

class QWidget;

// How the program's windows keep out of each other's way: a window that
// serves another goes beside it rather than over it, and a dialog or a
// window brought up from a window that stays on top comes above that window.
// Rectangles are frames (title bar and borders included) in screen
// coordinates.

// The sides of a rectangle a window may go to.
enum TCote {
    CoteDroit = 1,
    CoteGauche = 2,
    CoteDessous = 4,
    CoteDessus = 8,
    TousLesCotes = 15,
};

// Where a window whose frame is `cadre` goes so that it does not cover
// `servi`, on the screen's available area `ecran`. Unchanged when it lies
// wholly on the screen and does not meet `servi`. Else it goes against one
// of the allowed sides of `servi` (`cotes`, TCote values or-ed), keeping its
// other coordinate as far as the screen allows: of the sides where it fits
// whole (its size bounded by the screen's), the one nearest to where it
// was, the right, left, lower and upper sides winning ties in that order;
// when it fits whole on none, the side with the most room, the window made
// smaller, never below `minimum` (frame included). Unchanged when no
// allowed side has room even for `minimum`.
QRect RectACote(const QRect &cadre, QSize minimum, const QRect &servi, const QRect &ecran,
                int cotes = TousLesCotes);

// The frame margins the window system gives the top-level window `fenetre`
// now; none while it has not told them (a window never shown yet).
QMargins MargesCadre(const QWidget *fenetre);

// The frame margins of a top-level window; for one never shown yet (whose
// frame the window system has not told), those of the window it belongs to
// (its parent's window), else none.
QMargins CadreDe(const QWidget *fenetre);

// Gives the top-level window `fenetre` the frame `cadre` (screen
// coordinates), its margins taken by CadreDe; right also for a window just
// shown, whose frame the window system has not told yet.
void PlaceCadre(QWidget *fenetre, const QRect &cadre);

// Moves (and, when it must, shrinks) the top-level window `fenetre` by
// RectACote so that it leaves `servi` (a frame or an area in screen
// coordinates) uncovered, on the available area of the screen that shows
// `servi`, within `zone` too when it is given. It is never made smaller
// than `minimum` (frame excluded), by default its minimum size (or size
// hint); its own size keeps it whole. True when it moved.
bool MetACote(QWidget *fenetre, const QRect &servi, const QRect &zone = QRect(), QSize minimum = QSize());

// True when the top-level window of `fenetre`, or a window it belongs to
// (the windows of its parents, up the chain), stays on top of the others.
bool ResteAuDessus(const QWidget *fenetre);

// Sets or clears the stay-on-top hint of the top-level window `fenetre`
// without hiding it (QWidget::setWindowFlags hides a window): the window
// system is told at once when the window is on screen.
void ChangeAuDessus(QWidget *fenetre, bool dessus);

// Before a dialog is shown over its parent: it stays on top when its parent
// does, so that the window system cannot put it under its own parent.
void DialogueAuDessus(QWidget *dialogue);

// Brings the shown top-level window `fenetre` above `source`, the window
// whose user asked for it: it stays on top too when `source` does, and it is
// raised; with `active` it is also activated (a raise alone may be refused
// by the window system), unless a modal window is open, which keeps the
// keyboard. `source` may be null.
void MonteAuDessus(QWidget *fenetre, const QWidget *source, bool active);
