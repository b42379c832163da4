// The browser module: the only code of the program that links Qt WebEngine.

#include "MoteurWeb.h"

#include <QCoreApplication>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace {

// The page asks before every navigation of its main frame.
class TPageMoteur final : public QWebEnginePage
{
public:
    TPageMoteur(std::function<bool(const QUrl &)> navigation, QObject *parent)
        : QWebEnginePage(parent)
        , m_navigation(std::move(navigation))
    {
    }

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType, bool isMainFrame) override
    {
        return !isMainFrame || !m_navigation || m_navigation(url);
    }

private:
    std::function<bool(const QUrl &)> m_navigation;
};

class TVueMoteur final : public QWebEngineView, public TMoteurWeb
{
public:
    TVueMoteur(QWidget *parent, const TAppelsMoteurWeb &appels)
        : QWebEngineView(parent)
    {
        setObjectName(QStringLiteral("wbVue"));
        auto *page = new TPageMoteur(appels.Navigation, this);
        setPage(page);
        // The browser's own menu would offer going back, reloading or
        // viewing the source, each of which loses what the page shows.
        setContextMenuPolicy(Qt::NoContextMenu);
        // The page is a local file, whose remote loads (the background
        // tiles) the browser blocks unless told otherwise.
        settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
        // The tile server asks programs to name themselves.
        QWebEngineProfile *profil = page->profile();
        if (!profil->httpUserAgent().contains(QLatin1String("Lignee/")))
            profil->setHttpUserAgent(profil->httpUserAgent() + QLatin1String(" Lignee/")
                                     + QCoreApplication::applicationVersion());
        if (appels.Chargee)
            connect(this, &QWebEngineView::loadFinished, this, appels.Chargee);
    }

    QWidget *Vue() override { return this; }
    void Charge(const QUrl &adresse) override { setUrl(adresse); }
    void Execute(const QString &script, const std::function<void(const QVariant &)> &fin) override
    {
        page()->runJavaScript(script, fin);
    }
};

} // namespace

extern "C" Q_DECL_EXPORT TMoteurWeb *CreeMoteurWeb(QWidget *parent, const TAppelsMoteurWeb &appels)
{
    return new TVueMoteur(parent, appels);
}
