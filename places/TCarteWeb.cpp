#include "TCarteWeb.h"

#include "Chemins.h"
#include "Langue.h"
#include "MoteurWeb.h"
#include "ScriptCarte.h"

#include <unistd.h>

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QDesktopServices>
#include <QEventLoop>
#include <QFileInfo>
#include <QLabel>
#include <QLibrary>
#include <QOpenGLContext>
#include <QPointer>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

// Qt Gui's context that every OpenGL context made afterwards shares with
// (what Qt::AA_ShareOpenGLContexts makes at the application's start).
QT_BEGIN_NAMESPACE
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext *context);
Q_GUI_EXPORT QOpenGLContext *qt_gl_global_share_context();
QT_END_NAMESPACE

namespace {

constexpr int TexteScriptIllisible = 8005;
constexpr int TexteEchec = 8002;
constexpr int TexteChargement = 9300;
// Longest wait for the window to reach the screen before the browser
// starts, in milliseconds.
constexpr int AttenteAffichage = 500;

// The browser draws its pages in OpenGL contexts of its own that must
// share with the context its view is composed in; both share through Qt's
// global context. Made here, before the browser's first view, rather than
// at every start of the program.
void PrepareContextePartage()
{
    if (qt_gl_global_share_context())
        return;
    auto *contexte = new QOpenGLContext;
    contexte->setFormat(QSurfaceFormat::defaultFormat());
    contexte->create();
    qt_gl_set_global_share_context(contexte);
    // Freed after the browser's own clean-up, which runs first.
    qAddPostRoutine([] {
        QOpenGLContext *c = qt_gl_global_share_context();
        qt_gl_set_global_share_context(nullptr);
        delete c;
    });
}

// The browser module's entry point, looked for once: beside an installed
// program in its library folder, else where the build made it. Null when
// the module cannot be loaded (the reason goes to the log).
TCreeMoteurWeb CreateurMoteur()
{
    static const TCreeMoteurWeb createur = [] {
        PrepareContextePartage();
        const QStringList chemins{
            QCoreApplication::applicationDirPath() + QStringLiteral("/" LIGNEE_NAVIGATEUR_RELATIF),
            QStringLiteral(LIGNEE_NAVIGATEUR_CONSTRUIT)};
        for (const QString &chemin : chemins) {
            if (!QFileInfo(chemin).isFile())
                continue;
            // Never unloaded: the browser keeps threads running until the
            // program ends.
            auto *module = new QLibrary(chemin);
            if (auto f = reinterpret_cast<TCreeMoteurWeb>(module->resolve(NomCreeMoteurWeb)))
                return f;
            qWarning("%s", qPrintable(module->errorString()));
        }
        return TCreeMoteurWeb(nullptr);
    }();
    return createur;
}

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
    : QWidget(parent)
{
    setObjectName(QStringLiteral("wb"));
    auto *l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    // Laid over the browser's place until the page has loaded.
    m_lChargement = new QLabel(MLText(TexteChargement), this);
    m_lChargement->setObjectName(QStringLiteral("lChargement"));
    m_lChargement->setAlignment(Qt::AlignCenter);
    m_lChargement->setAutoFillBackground(true);
    m_lChargement->hide();

    m_envoi = new QTimer(this);
    m_envoi->setSingleShot(true);
    m_envoi->setInterval(0);
    connect(m_envoi, &QTimer::timeout, this, &TCarteWeb::Envoie);
}

void TCarteWeb::Demarre()
{
    if (m_demarre)
        return;
    m_demarre = true;
    // The browser engine takes a second or more to start the first time,
    // holding the event loop: the window and its loading line are put on
    // the screen first, so that the program never looks frozen.
    QApplication::setOverrideCursor(Qt::BusyCursor);
    // Events handled meanwhile may free this map.
    const QPointer<TCarteWeb> moi(this);
    if (isVisible()) {
        QWindow *fenetre = window()->windowHandle();
        QElapsedTimer attente;
        attente.start();
        while ((!fenetre || !fenetre->isExposed()) && attente.elapsed() < AttenteAffichage) {
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
            if (!moi)
                break;
            fenetre = window()->windowHandle();
        }
        if (moi)
            m_lChargement->repaint();
    }
    // The window system gets the drawing and the cursor before the wait.
    if (moi)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    if (!moi) {
        QApplication::restoreOverrideCursor();
        return;
    }
    if (const TCreeMoteurWeb cree = CreateurMoteur()) {
        TAppelsMoteurWeb appels;
        appels.Navigation = [this](const QUrl &url) { return Navigue(url); };
        appels.Chargee = [this](bool ok) { FinChargement(ok); };
        m_moteur = cree(this, appels);
        layout()->addWidget(m_moteur->Vue());
        setFocusProxy(m_moteur->Vue());
        m_lChargement->raise();
    }
    QApplication::restoreOverrideCursor();
    if (!m_chargement)
        return;
    if (m_moteur)
        m_moteur->Charge(m_adresse);
    else
        // Without a browser the page fails at once, as a page that cannot
        // be read does.
        FinChargement(false);
}

void TCarteWeb::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Started from the event loop, once the window is on its way to the
    // screen.
    if (!m_demarre && m_chargement)
        QTimer::singleShot(0, this, &TCarteWeb::Demarre);
}

void TCarteWeb::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_lChargement->setGeometry(rect());
}

bool TCarteWeb::Navigue(const QUrl &url)
{
    if (url.adjusted(QUrl::RemoveFragment) == m_adresse.adjusted(QUrl::RemoveFragment) && m_chargement)
        return true;
    emit Navigation(url);
    if (const int p = PersonneDuLien(url, m_adresse))
        emit PersonneChoisie(p);
    else if (url.scheme() == QLatin1String("https") || url.scheme() == QLatin1String("http"))
        QDesktopServices::openUrl(url);
    return false;
}

void TCarteWeb::FinChargement(bool ok)
{
    // A link refused by the page ends in a failed load of its own, which
    // leaves the map as it was: only the loading of the map counts.
    if (!m_chargement)
        return;
    m_chargement = false;
    m_chargee = ok;
    m_lChargement->setVisible(!ok);
    if (!ok)
        m_lChargement->setText(MLText(TexteEchec));
    unsetCursor();
    emit Chargee(ok);
}

TCarteWeb::~TCarteWeb()
{
    // The browser goes first: its last calls back must not reach a map
    // half destroyed.
    if (m_moteur)
        delete m_moteur->Vue();
}

QWidget *TCarteWeb::Vue() const
{
    return m_moteur ? m_moteur->Vue() : nullptr;
}

QUrl TCarteWeb::Adresse() const
{
    return m_moteur ? m_moteur->Vue()->property("url").toUrl() : QUrl();
}

void TCarteWeb::PrepareApplication()
{
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
    m_lChargement->setText(MLText(TexteChargement));
    m_lChargement->setGeometry(rect());
    m_lChargement->show();
    m_lChargement->raise();
    setCursor(Qt::BusyCursor);
    if (m_moteur)
        m_moteur->Charge(adresse);
    else if (m_demarre)
        FinChargement(false);
    else if (isVisible())
        QTimer::singleShot(0, this, &TCarteWeb::Demarre);
    // Hidden, the browser starts when the window shows or when the page is
    // waited for.
}

bool TCarteWeb::AttendPage(int delai)
{
    if (m_chargee || !m_chargement)
        return m_chargee;
    Demarre();
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
    m_moteur->Execute(script, [vue = QPointer<TCarteWeb>(this)](const QVariant &resultat) {
        if (vue)
            vue->Termine(resultat);
    });
}

void TCarteWeb::Evalue(const QString &script, const std::function<void(const QVariant &)> &fin)
{
    if (m_moteur)
        m_moteur->Execute(script, fin);
    else if (fin)
        fin(QVariant());
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
