#pragma once

#include <QApplication>
#include <QObject>
#include <QTimer>

#include <functional>

// Answers a modal dialog of type T as soon as it is open: the test sets one
// up before the gesture that opens the dialog, and the action drives the
// dialog's controls as the user would. When no such dialog opens, the
// answer is dropped with its owner and Ouvert stays false.
template <typename T>
class ReponseModale final
{
public:
    explicit ReponseModale(std::function<void(T &)> action)
    {
        QTimer::singleShot(0, &m_contexte, [this, action = std::move(action)] {
            auto *d = qobject_cast<T *>(QApplication::activeModalWidget());
            if (!d)
                return;
            Ouvert = true;
            action(*d);
        });
    }
    bool Ouvert = false;

private:
    QObject m_contexte;
};
