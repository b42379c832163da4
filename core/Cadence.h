#pragma once

#include <QElapsedTimer>

// Paces a long loop of the window thread that shows its progress (a bar, a
// picture) and lets the windows handle their events meanwhile. Asked at
// every step, it answers yes at the first step, so that the loop shows at
// once that it started and what was waiting is handled, then at most once
// per interval: the loop repaints about twenty times a second however many
// steps it has and however fast each one is. Pacing by a step count instead
// repaints far more often than the eye needs on a fast loop, and freezes
// the screen on a slow one.
class TCadence final
{
public:
    // The interval used when none is given, in milliseconds.
    static constexpr int IntervalleDefaut = 50;

    explicit TCadence(int intervalleMs = IntervalleDefaut);

    // True at the first call, and afterwards when the interval has passed
    // since the last true answer; the next interval then starts from now.
    bool Echue();
    // Starts over: the next call answers true.
    void Relance();

private:
    QElapsedTimer m_horloge;
    qint64 m_intervalle;
};
