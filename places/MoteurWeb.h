#pragma once

#include <QString>
#include <QUrl>
#include <QVariant>

#include <functional>

class QWidget;

// The browser behind the web map. It lives in a module of its own (the
// library lignee_navigateur), loaded when the first map is made, so that a
// start of the program that shows no map never loads the browser engine nor
// pays for its set-up. This header is all that the program and the module
// share: it names no browser type.

// What the browser calls back.
struct TAppelsMoteurWeb {
    // A navigation of the main frame to the address: true lets it happen,
    // false refuses it (the page stays).
    std::function<bool(const QUrl &)> Navigation;
    // A page load ended, successfully or not.
    std::function<void(bool)> Chargee;
};

class TMoteurWeb
{
public:
    virtual ~TMoteurWeb() = default;
    // The browser view (a QWebEngineView), a child of the parent given to
    // the module, which owns it and this object with it.
    virtual QWidget *Vue() = 0;
    // Starts loading the address.
    virtual void Charge(const QUrl &adresse) = 0;
    // Runs the script in the page; `fin` gets its result (an invalid value
    // when it did not run).
    virtual void Execute(const QString &script, const std::function<void(const QVariant &)> &fin) = 0;
};

// The module's entry point, exported unmangled under this name: makes the
// browser view as a child of `parent`. Context menu off, remote loads from
// the local page allowed, " Lignee/<version>" added to the user agent.
using TCreeMoteurWeb = TMoteurWeb *(*)(QWidget *parent, const TAppelsMoteurWeb &appels);
inline constexpr char NomCreeMoteurWeb[] = "CreeMoteurWeb";
