#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QRect>

class QWidget;

// Keeps the program's windows wholly on the available area of their screen
// (within the task bars and docks).
//
// A window is placed before the window system has given it its frame, from
// an estimate of that frame: a frame taller than the estimate (a tool window
// framed unlike the main window, a window the system places itself) leaves
// the bottom of the window off the screen. Installed on the application,
// this watches every top-level window (dialogs and tool windows included;
// menus, tooltips and maximized or full-screen windows excepted) from the
// moment it is shown until the window system has placed it, a short while
// (Delai): whenever its frame then strays off the screen, it is moved back,
// and made smaller when the screen cannot hold it. A window the user moves
// later is left where the user puts it.
class TGardeEcran final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TGardeEcran)

public:
    // Milliseconds after a window is shown during which its frame is kept
    // on the screen.
    static constexpr int Delai = 2000;

    // Watches the windows of the running application, from now until it is
    // destroyed.
    explicit TGardeEcran(QObject *parent = nullptr);
    ~TGardeEcran() override;

    // Where a window whose frame is `cadre` goes to lie on `ecran`: the
    // same rectangle when it does; else moved by as little as it takes, and
    // no larger than `ecran`.
    static QRect Ramene(const QRect &cadre, const QRect &ecran);

    // Brings the frame of the shown top-level window `fenetre` back on the
    // available area of its screen, as Ramene says. True when it moved.
    static bool GardeSurEcran(QWidget *fenetre);

protected:
    bool eventFilter(QObject *objet, QEvent *evenement) override;

private:
    static bool Concerne(const QWidget *fenetre);
    void Verifie(QWidget *fenetre);

    // The windows watched, with the time (QDeadlineTimer's milliseconds)
    // their watch ends.
    QHash<QWidget *, qint64> m_surveillees;
};
