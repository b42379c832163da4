#include "TCarteWeb.h"

#include "Chemins.h"
#include "Langue.h"
#include "ScriptCarte.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QDesktopServices>
#include <QEventLoop>
#include <QFileInfo>
#include <QPointer>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>

namespace {

constexpr int TexteScriptIllisible = 8005;

// The page of the map: it lets through only the loading of the map itself
// and hands every other navigation to its view.
class TPageCarte final : public QWebEnginePage
{
public:
    TPageCarte(const std::function<bool(const QUrl &)> &navigation, QObject *parent)
        : QWebEnginePage(parent)
        , m_navigation(navigation)
    {
    }

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType, bool isMainFrame) override
    {
        return !isMainFrame || m_navigation(url);
    }

private:
    std::function<bool(const QUrl &)> m_navigation;
};

// The person number of a pop-up link: the page writes "<a href=\"7\">",
// which the browser reads as the file "7" beside the page. 0 for any other
// address.
int PersonneDuLien(const QUrl &lien, const QUrl &page)
{
    if (!lien.isLocalFile() || !page.isLocalFile())
        return 0;
    const QFileInfo f(lien.toLocalFile());
    if (f.absolutePath() != QFileInfo(page.toLocalFile()).absolutePath())
        return 0;
    bool ok = false;
    const int p = f.fileName().toInt(&ok);
    return ok && p > 0 && !f.fileName().startsWith(QLatin1Char('+')) ? p : 0;
}

} // namespace

TCarteWeb::TCarteWeb(QWidget *parent)
    : QWebEngineView(parent)
{
    setObjectName(QStringLiteral("wb"));
    auto *page = new TPageCarte(
        [this](const QUrl &url) {
            if (url.adjusted(QUrl::RemoveFragment) == m_adresse.adjusted(QUrl::RemoveFragment) && m_chargement)
                return true;
            emit Navigation(url);
            if (const int p = PersonneDuLien(url, m_adresse))
                emit PersonneChoisie(p);
            else if (url.scheme() == QLatin1String("https") || url.scheme() == QLatin1String("http"))
                QDesktopServices::openUrl(url);
            return false;
        },
        this);
    setPage(page);
    // The browser's own menu would offer going back, reloading or viewing
    // the source, each of which loses the markers.
    setContextMenuPolicy(Qt::NoContextMenu);
    // The page is a local file, whose remote loads (the background tiles)
    // the browser blocks unless told otherwise.
    settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
    // The tile server asks programs to name themselves.
    QWebEngineProfile *profil = page->profile();
    if (!profil->httpUserAgent().contains(QLatin1String("Lignee/")))
        profil->setHttpUserAgent(profil->httpUserAgent() + QLatin1String(" Lignee/") + QCoreApplication::applicationVersion());

    m_envoi = new QTimer(this);
    m_envoi->setSingleShot(true);
    m_envoi->setInterval(0);
    connect(m_envoi, &QTimer::timeout, this, &TCarteWeb::Envoie);
    // A link refused by the page ends in a failed load of its own, which
    // leaves the map as it was: only the loading of the map counts.
    connect(this, &QWebEngineView::loadFinished, this, [this](bool ok) {
        if (!m_chargement)
            return;
        m_chargement = false;
        m_chargee = ok;
        emit Chargee(ok);
    });
}

TCarteWeb::~TCarteWeb() = default;

void TCarteWeb::PrepareApplication()
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    if (::geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
}

QUrl TCarteWeb::AdressePage()
{
    QUrl url = QUrl::fromLocalFile(RepModele() + QStringLiteral("/0/carte/carte.html"));
    url.setQuery(QStringLiteral("pos=France"));
    return url;
}

void TCarteWeb::Charge(const QUrl &adresse)
{
    m_adresse = adresse;
    m_chargee = false;
    m_chargement = true;
    m_lot.clear();
    m_introuvables.clear();
    setUrl(adresse);
}

bool TCarteWeb::AttendPage(int delai)
{
    if (m_chargee || !m_chargement)
        return m_chargee;
    // The window keeps answering while the page loads; a page that never
    // finishes is given up after `delai`.
    QEventLoop boucle;
    QTimer limite;
    limite.setSingleShot(true);
    limite.setTimerType(Qt::PreciseTimer);
    connect(&limite, &QTimer::timeout, &boucle, &QEventLoop::quit);
    connect(this, &TCarteWeb::Chargee, &boucle, &QEventLoop::quit);
    limite.start(delai);
    boucle.exec();
    return m_chargee;
}

bool TCarteWeb::ExecuteScript(const QString &script)
{
    if (!m_chargee)
        return false;
    m_lot << script;
    if (m_lot.size() >= TailleLot)
        Envoie();
    else if (!m_envoi->isActive())
        m_envoi->start();
    return true;
}

bool TCarteWeb::PlotAdd(const QString &lieu, const QString &libelle)
{
    return ExecuteScript(ScriptAppel(QStringLiteral("plotadd"), {lieu, libelle}));
}

bool TCarteWeb::PlotClear()
{
    return ExecuteScript(ScriptAppel(QStringLiteral("plotclear")));
}

bool TCarteWeb::ResizeApp()
{
    return ExecuteScript(ScriptAppel(QStringLiteral("resizeApp")));
}

void TCarteWeb::Envoie()
{
    m_envoi->stop();
    if (m_lot.isEmpty() || !m_chargee)
        return;
    // An exception thrown by one call stops the run and comes back as a
    // text; the page's list of places not found comes back otherwise.
    const QString script = QStringLiteral("(function(){try{\n") + m_lot.join(QStringLiteral(";\n"))
        + QStringLiteral(";\n}catch(e){return {erreur: String(e && e.message || e)};}\n"
                         "return {introuvables: typeof lieuxIntrouvables === 'function' ? lieuxIntrouvables() : []};})()");
    m_lot.clear();
    ++m_enCours;
    page()->runJavaScript(script, [vue = QPointer<TCarteWeb>(this)](const QVariant &resultat) {
        if (vue)
            vue->Termine(resultat);
    });
}

void TCarteWeb::Termine(const QVariant &resultat)
{
    --m_enCours;
    const QVariantMap r = resultat.toMap();
    if (r.contains(QStringLiteral("erreur")))
        emit ErreurScript(r.value(QStringLiteral("erreur")).toString());
    else if (!resultat.isValid())
        // A script that does not even parse gives no result at all.
        emit ErreurScript(MLText(TexteScriptIllisible));
    else
        m_introuvables = r.value(QStringLiteral("introuvables")).toStringList();
    if (m_enCours == 0)
        emit ScriptsTermines();
}
