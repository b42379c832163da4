#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>

// How often a long loop of the window thread lets the event loop turn while
// `action` runs: a timer of no interval fires once at each turn.
struct TToursBoucle {
    int Tours = 0;
    qint64 Ms = 0;

    // Whether the turns were paced by time: one at the start, then at most
    // one per interval of `intervalleMs`, with one of slack.
    bool Cadences(int intervalleMs = 50) const { return Tours <= 2 + Ms / intervalleMs; }
};

inline TToursBoucle ToursPendant(const std::function<void()> &action)
{
    TToursBoucle r;
    QTimer tic;
    tic.setInterval(0);
    QObject::connect(&tic, &QTimer::timeout, [&r] { ++r.Tours; });
    tic.start();
    QElapsedTimer horloge;
    horloge.start();
    action();
    r.Ms = horloge.elapsed();
    return r;
}
