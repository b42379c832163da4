#pragma once

#include <QApplication>
#include <QObject>
#include <QTimer>

#include <functional>

// Answers a modal dialog of type T as soon as it is open: the test sets one
// up before the gesture that opens the dialog, and the action drives the
// dialog's controls as the user would. It looks for the dialog each time
// the events are handled, so a gesture that lets the event loop run before
// the dialog opens is answered too; it answers once. When no such dialog
// opens, the answer is dropped with its owner and Ouvert stays false.
template <typename T>
class ReponseModale final
{
public:
    explicit ReponseModale(std::function<void(T &)> action)
    {
        m_guet.setInterval(0);
        QObject::connect(&m_guet, &QTimer::timeout, [this, action = std::move(action)] {
            auto *d = qobject_cast<T *>(QApplication::activeModalWidget());
            if (!d)
                return;
            m_guet.stop();
            Ouvert = true;
            action(*d);
        });
        m_guet.start();
    }
    bool Ouvert = false;

private:
    QTimer m_guet;
};
