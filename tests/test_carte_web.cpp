// The web map in the real page, in Qt WebEngine: the markers the calls put
// there, a person's link, script errors, a page that never loads, and the
// map button of the record form.

#include "BD.h"
#include "Chemins.h"
#include "DialoguesScriptes.h"
#include "Globales.h"
#include "Langue.h"
#include "Options.h"
#include "ScriptCarte.h"
#include "TCarteWeb.h"
#include "TfmFiche.h"
#include "TfmMaps.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QChildEvent>
#include <QCursor>
#include <QWindow>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>

#include <cmath>

using namespace Qt::StringLiterals;

void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

namespace {

// The value of a script run in the page.
QVariant Js(TCarteWeb *carte, const QString &script)
{
    QVariant resultat;
    bool fini = false;
    carte->Evalue(script, [&](const QVariant &v) {
        resultat = v;
        fini = true;
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return fini; }, 10000)) << script.toStdString();
    return resultat;
}

struct Marqueur {
    double lat = 0, lon = 0;
    QString libelle;
};

// The markers of the page, read back from Leaflet once every queued call
// has run.
QList<Marqueur> Marqueurs(TCarteWeb *carte)
{
    carte->Envoie();
    EXPECT_TRUE(QTest::qWaitFor([&] { return carte->RunsEnCours() == 0; }, 10000));
    QList<Marqueur> liste;
    const QVariantList v = Js(carte, u"marqueurs.getLayers().map(m => [m.getLatLng().lat, m.getLatLng().lng, "
                                     "m.getPopup().getContent()])"_s)
                               .toList();
    for (const QVariant &m : v) {
        const QVariantList c = m.toList();
        liste.append({c.value(0).toDouble(), c.value(1).toDouble(), c.value(2).toString()});
    }
    return liste;
}

// The tests reach no server but their own: requests for the background
// tiles are counted and blocked.
class Barriere final : public QWebEngineUrlRequestInterceptor
{
public:
    void interceptRequest(QWebEngineUrlRequestInfo &info) override
    {
        const QUrl url = info.requestUrl();
        if (url.host() == u"tile.openstreetmap.org")
            ++Tuiles;
        if (url.scheme() != u"file" && url.host() != u"127.0.0.1")
            info.block(true);
    }
    int Tuiles = 0;
};
Barriere g_barriere;

class CarteWeb : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        ASSERT_TRUE(ChargeLangue(QStringLiteral(LIGNEE_MODELE "/langue.txt"), nullptr));
        SetRepModele(QStringLiteral(LIGNEE_MODELE));
        QWebEngineProfile::defaultProfile()->setUrlRequestInterceptor(&g_barriere);
    }
    // The pages go before the browser's profile does, at exit.
    static void TearDownTestSuite() { delete TfmMaps::Instance(); }
    void SetUp() override
    {
        for (const char *nom : {"DUPONT", "ROSSI", "MARTIN", "D'ARC", "X", "Y", "DUPONT"}) {
            const int p = m_bd.NewPerson();
            m_bd.SetSurname(p, QString::fromUtf8(nom));
        }
        m_bd.SetGivenNames(7, u"Jean"_s);
        m_bd.SetGivenNames(2, u"Maria"_s);
        if (TfmMaps *carte = TfmMaps::Instance())
            carte->Carte()->PlotClear();
    }
    // The web map after plotting the place of person p.
    TCarteWeb *Montre(const QString &lieu, int p)
    {
        EXPECT_TRUE(ShowMapPlace(nullptr, m_bd, lieu, p, [this](int choisie) { m_choisies << choisie; }));
        EXPECT_NE(TfmMaps::Instance(), nullptr);
        return TfmMaps::Instance() ? TfmMaps::Instance()->Carte() : nullptr;
    }

    TBD m_bd;
    TDialoguesScriptes m_dialogues;
    QList<int> m_choisies;
};

// The browser engine takes a second or more to start: the map window is on
// the screen first, its line "Chargement de la carte…" drawn, under a busy
// cursor, when the engine's view is being made.
TEST_F(CarteWeb, TheWindowShowsItsLoadingLineBeforeTheBrowserStarts)
{
    delete TfmMaps::Instance();
    struct Instant {
        QObject *enfant = nullptr;
        bool visible = false, exposee = false, ligne = false, dessinee = false, occupe = false, couvre = false,
             introuvables = true, curseurCarte = false;
    };
    class Guet final : public QObject
    {
    public:
        QList<Instant> Vus;
        int Dessins = 0;

    protected:
        bool eventFilter(QObject *objet, QEvent *evenement) override
        {
            if (evenement->type() == QEvent::Paint && objet->objectName() == u"lChargement")
                ++Dessins;
            if (evenement->type() == QEvent::ChildAdded && objet->objectName() == u"wb") {
                QObject *enfant = static_cast<QChildEvent *>(evenement)->child();
                auto *carte = static_cast<QWidget *>(objet);
                auto *ligne = carte->findChild<QLabel *>(u"lChargement"_s);
                if (enfant->isWidgetType() && enfant != ligne) {
                    const QCursor *curseur = QApplication::overrideCursor();
                    const auto *introuvables = carte->window()->findChild<QLabel *>(u"lIntrouvables"_s);
                    Vus.append({enfant, carte->window()->isVisible(),
                                carte->window()->windowHandle() && carte->window()->windowHandle()->isExposed(),
                                ligne && ligne->isVisible() && ligne->text() == MLText(9300), Dessins > 0,
                                curseur && curseur->shape() == Qt::BusyCursor,
                                ligne && ligne->geometry() == carte->rect(),
                                introuvables && introuvables->isVisible(),
                                carte->cursor().shape() == Qt::BusyCursor});
                }
            }
            return false;
        }
    } guet;
    qApp->installEventFilter(&guet);
    TCarteWeb *carte = Montre(u"FRA,IDF,F95,Pontoise"_s, 7);
    qApp->removeEventFilter(&guet);
    ASSERT_NE(carte, nullptr);
    // The moment the browser's view was made.
    const auto vue = std::find_if(guet.Vus.begin(), guet.Vus.end(),
                                  [&](const Instant &i) { return i.enfant == carte->Vue(); });
    ASSERT_NE(vue, guet.Vus.end());
    const Instant &i = *vue;
    EXPECT_TRUE(i.visible);
    EXPECT_TRUE(i.exposee);
    EXPECT_TRUE(i.ligne);
    EXPECT_TRUE(i.dessinee);
    EXPECT_TRUE(i.occupe);
    // The line covers the whole map, whose line of places not found is not
    // shown while there are none.
    EXPECT_TRUE(i.couvre);
    EXPECT_FALSE(i.introuvables);
    // Over the map itself too, the cursor says it is busy until the page has
    // loaded.
    EXPECT_TRUE(i.curseurCarte);
    // One browser for the map.
    EXPECT_EQ(carte->findChildren<QWebEngineView *>().size(), 1);
    // Once the page has loaded, the map shows and the cursor is back.
    EXPECT_FALSE(carte->findChild<QLabel *>(u"lChargement"_s)->isVisible());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(carte->testAttribute(Qt::WA_SetCursor));
    // The keys typed in the map window go to the map.
    QApplication::setActiveWindow(carte->window());
    ASSERT_TRUE(QTest::qWaitForWindowActive(carte->window()));
    carte->setFocus();
    QWidget *clavier = QApplication::focusWidget();
    EXPECT_TRUE(clavier && (clavier == carte->Vue() || carte->Vue()->isAncestorOf(clavier)));
    // The person's place reaches the page by itself, with nothing after it.
    EXPECT_TRUE(QTest::qWaitFor([&] { return Js(carte, u"marqueurs.getLayers().length"_s).toInt() == 1; }, 5000));
    EXPECT_EQ(Marqueurs(carte).size(), 1);
}

TEST_F(CarteWeb, PlacesOfPersonsOnTheRealPage)
{
    struct Cas {
        QString lieu;
        int personne;
        int marqueurs;
        double lat, lon, tolerance;
    };
    const Cas cas[] = {
        {u"FRA,IDF,F95,000 Pontoise"_s, 7, 1, 49.05, 2.1, 0.01},
        // The place of a foreign town goes unchanged; the page reads it.
        {u"ITA,,,Roma"_s, 2, 1, 41.89, 12.51, 0.05},
        // No commune: the centre of the region.
        {u"FRA,IDF"_s, 7, 1, 48.7, 2.5, 0.5},
        // Person 0: the page loads and nothing is plotted.
        {u"FRA,IDF,F95,Pontoise"_s, 0, 0, 0, 0, 0},
    };
    for (const Cas &c : cas) {
        TCarteWeb *carte = Montre(c.lieu, c.personne);
        ASSERT_NE(carte, nullptr);
        EXPECT_TRUE(TfmMaps::Instance()->isVisible());
        EXPECT_TRUE(TfmMaps::Instance()->windowFlags() & Qt::WindowStaysOnTopHint);
        const QList<Marqueur> m = Marqueurs(carte);
        ASSERT_EQ(m.size(), c.marqueurs) << c.lieu.toStdString();
        if (c.marqueurs == 1) {
            EXPECT_NEAR(m[0].lat, c.lat, c.tolerance) << c.lieu.toStdString();
            EXPECT_NEAR(m[0].lon, c.lon, c.tolerance) << c.lieu.toStdString();
            EXPECT_EQ(m[0].libelle, PointPersonne(c.lieu, c.personne, m_bd.FullName(c.personne)).Libelle);
        }
        carte->PlotClear();
    }
    EXPECT_TRUE(m_dialogues.Messages.isEmpty());
    // The background comes from OpenStreetMap.
    EXPECT_GT(g_barriere.Tuiles, 0);
    // One window all along.
    TfmMaps *premiere = TfmMaps::Instance();
    TCarteWeb *carte = Montre(u"FRA,IDF,F95,Pontoise"_s, 1);
    EXPECT_EQ(TfmMaps::Instance(), premiere);
    // Person number 1 is a person like the others: its name in the pop-up.
    ASSERT_NE(carte, nullptr);
    const QList<Marqueur> m = Marqueurs(carte);
    ASSERT_EQ(m.size(), 1);
    ASSERT_TRUE(m_bd.FullName(1).startsWith(u"DUPONT"_s));
    EXPECT_EQ(m[0].libelle, u"<a href=\"1\">"_s + m_bd.FullName(1) + u"</a><br/>FRA,IDF,F95,Pontoise"_s);
}

// Quotes, backslashes, line breaks, "</script>" and markup in a name or a
// place reach the pop-up as the very text, and run nothing.
TEST_F(CarteWeb, HostileTextsStayText)
{
    const QString nom = u"<img src=x onerror=\"window.pirate=1\">'\\</script>\n"_s;
    m_bd.SetSurname(3, nom);
    m_bd.SetGivenNames(3, QString());
    const QString lieu = u"FRA,IDF,F95,Pontoise,l'\\</script><b>x</b>\u2028y"_s;
    TCarteWeb *carte = Montre(lieu, 3);
    ASSERT_NE(carte, nullptr);
    const QList<Marqueur> m = Marqueurs(carte);
    ASSERT_EQ(m.size(), 1);
    Js(carte, u"marqueurs.getLayers()[0].openPopup()"_s);
    EXPECT_EQ(Js(carte, u"document.querySelector('.leaflet-popup-content').textContent"_s).toString(),
              m_bd.FullName(3) + lieu);
    EXPECT_EQ(Js(carte, u"document.querySelectorAll('.leaflet-popup-content img, .leaflet-popup-content b').length"_s)
                  .toInt(),
              0);
    EXPECT_FALSE(Js(carte, u"window.pirate === 1"_s).toBool());
    EXPECT_TRUE(m_dialogues.Messages.isEmpty());
}

// A click on the person's link in the pop-up selects that person; the map
// stays, the caption shows the address.
TEST_F(CarteWeb, APersonLinkSelectsThePersonAndKeepsTheMap)
{
    TCarteWeb *carte = Montre(u"FRA,IDF,F95,Pontoise"_s, 7);
    ASSERT_NE(carte, nullptr);
    ASSERT_EQ(Marqueurs(carte).size(), 1);
    TfmMaps::Instance()->resize(640, 520);
    Js(carte, u"carte.setView(marqueurs.getLayers()[0].getLatLng(), 9); marqueurs.getLayers()[0].openPopup()"_s);
    const QVariantList r =
        Js(carte, u"(function(){const r = document.querySelector('.leaflet-popup-content a').getBoundingClientRect();"
                  "return [r.left + r.width / 2, r.top + r.height / 2];})()"_s)
            .toList();
    ASSERT_EQ(r.size(), 2);
    const QPoint lien(qRound(r[0].toDouble()), qRound(r[1].toDouble()));
    auto *vue = qobject_cast<QWebEngineView *>(carte->Vue());
    ASSERT_NE(vue, nullptr);
    QWidget *surface = vue->focusProxy();
    ASSERT_NE(surface, nullptr);
    QSignalSpy fin(vue, &QWebEngineView::loadFinished);
    QTest::mouseClick(surface, Qt::LeftButton, {}, lien);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !m_choisies.isEmpty(); }, 5000));
    // The navigation ends, refused.
    EXPECT_TRUE(fin.wait(5000));
    EXPECT_EQ(m_choisies, QList<int>{7});
    EXPECT_TRUE(TfmMaps::Instance()->windowTitle().endsWith(u"/7"_s)) << TfmMaps::Instance()->windowTitle().toStdString();
    EXPECT_EQ(carte->Adresse(), TCarteWeb::AdressePage());
    EXPECT_EQ(Marqueurs(carte).size(), 1);
}

// Stands for the user's web browser: records the addresses given to it.
class Navigateur final : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> Ouvertes;

public slots:
    void Ouvre(const QUrl &url) { Ouvertes << url; }
};

// Where the links of the page lead: only a bare person number, a file
// beside the page, names a person; a web link, http or https, opens in the
// user's browser; anything else does nothing. The map stays in every case.
TEST_F(CarteWeb, LinksOfThePage)
{
    TCarteWeb *carte = Montre(QString(), 0);
    ASSERT_NE(carte, nullptr);
    Navigateur navigateur;
    QDesktopServices::setUrlHandler(u"http"_s, &navigateur, "Ouvre");
    QDesktopServices::setUrlHandler(u"https"_s, &navigateur, "Ouvre");
    const QUrl page = TCarteWeb::AdressePage();
    const QString dossier = QFileInfo(page.toLocalFile()).absolutePath();
    const struct {
        QString lien;
        int personne;
        bool ouverte;
    } cas[] = {
        {u"7"_s, 7, false},
        {u"+7"_s, 0, false},
        {u"-7"_s, 0, false},
        {u"0"_s, 0, false},
        {u"7x"_s, 0, false},
        {u"autre/7"_s, 0, false},
        {QUrl::fromLocalFile(QDir::tempPath() + u"/7"_s).toString(), 0, false},
        {QUrl::fromLocalFile(dossier + u"/7"_s).toString(), 7, false},
        {u"http://exemple.org/arbre?p=7"_s, 0, true},
        {u"https://exemple.org/"_s, 0, true},
    };
    for (const auto &c : cas) {
        SCOPED_TRACE(c.lien.toStdString());
        m_choisies.clear();
        navigateur.Ouvertes.clear();
        QSignalSpy navigation(carte, &TCarteWeb::Navigation);
        Js(carte, u"location.href = %1"_s.arg(LitteralJs(c.lien)));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !navigation.isEmpty(); }, 5000));
        EXPECT_EQ(m_choisies, c.personne ? QList<int>{c.personne} : QList<int>{});
        EXPECT_EQ(navigateur.Ouvertes.size(), c.ouverte ? 1 : 0);
        if (c.ouverte && !navigateur.Ouvertes.isEmpty()) {
            EXPECT_EQ(navigateur.Ouvertes.first(), QUrl(c.lien));
        }
        EXPECT_EQ(carte->Adresse(), page);
    }
    QDesktopServices::unsetUrlHandler(u"http"_s);
    QDesktopServices::unsetUrlHandler(u"https"_s);

    // A right click on the map opens no browser menu (back, reload, view the
    // source), each entry of which would lose the map.
    QWidget *vue = carte->Vue()->focusProxy() ? carte->Vue()->focusProxy() : carte->Vue();
    QTest::mouseClick(vue, Qt::RightButton, {}, vue->rect().center());
    const auto menu = [] {
        for (QWidget *f : QApplication::topLevelWidgets())
            if (qobject_cast<QMenu *>(f) && f->isVisible())
                return true;
        return false;
    };
    EXPECT_FALSE(QTest::qWaitFor(menu, 2000));
}

TEST_F(CarteWeb, ScriptErrorsAreToldAndTheMapGoesOn)
{
    TCarteWeb *carte = Montre(QString(), 0);
    ASSERT_NE(carte, nullptr);
    carte->ExecuteScript(u"throw new Error('boum')"_s);
    Marqueurs(carte);
    carte->ExecuteScript(u"plotadd("_s);
    Marqueurs(carte);
    ASSERT_EQ(m_dialogues.Messages.size(), 2);
    EXPECT_EQ(m_dialogues.Messages[0], MLFormat(8003, {u"boum"_s}));
    EXPECT_EQ(m_dialogues.Messages[1], MLFormat(8003, {MLText(8005)}));
    // Places not found are listed above the map.
    carte->PlotAdd(u"Trifouilly-les-Oies,France"_s, u"x"_s);
    carte->PlotAdd(u"Pontoise,France"_s, u"y"_s);
    EXPECT_EQ(Marqueurs(carte).size(), 1);
    auto *introuvables = TfmMaps::Instance()->findChild<QLabel *>(u"lIntrouvables"_s);
    EXPECT_TRUE(QTest::qWaitFor([&] { return introuvables->isVisibleTo(TfmMaps::Instance()); }, 5000));
    EXPECT_EQ(introuvables->text(), MLFormat(8004, {u"Trifouilly-les-Oies,France"_s}));
}

// A page that never finishes loading is given up after ten seconds, with a
// message, and nothing is plotted.
TEST_F(CarteWeb, APageThatNeverLoadsIsGivenUp)
{
    delete TfmMaps::Instance();
    QTcpServer serveur;
    ASSERT_TRUE(serveur.listen(QHostAddress::LocalHost));
    QList<QTcpSocket *> clients;
    QObject::connect(&serveur, &QTcpServer::newConnection, [&] { clients << serveur.nextPendingConnection(); });
    QTemporaryDir modele;
    QDir().mkpath(modele.path() + u"/0/carte"_s);
    QFile page(modele.path() + u"/0/carte/carte.html"_s);
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.write(u"<html><head><script src=\"http://127.0.0.1:%1/lent.js\"></script>"
               "<script>function plotadd(){window.appels=1;}</script></head><body></body></html>"_s
                   .arg(serveur.serverPort())
                   .toUtf8());
    page.close();
    SetRepModele(modele.path());
    QElapsedTimer chrono;
    chrono.start();
    EXPECT_FALSE(ShowMapPlace(nullptr, m_bd, u"FRA,IDF,F95,Pontoise"_s, 7, {}));
    const qint64 duree = chrono.elapsed();
    SetRepModele(QStringLiteral(LIGNEE_MODELE));
    EXPECT_GE(duree, TCarteWeb::DelaiPage);
    EXPECT_LT(duree, TCarteWeb::DelaiPage + 5000);
    EXPECT_FALSE(clients.isEmpty());
    ASSERT_EQ(m_dialogues.Messages.size(), 1);
    EXPECT_EQ(m_dialogues.Messages[0], MLText(8001));
    // The loading line lies over the browser, opaque, as long as the page
    // is loading.
    TCarteWeb *carte = TfmMaps::Instance()->Carte();
    auto *ligne = carte->findChild<QLabel *>(u"lChargement"_s);
    EXPECT_EQ(carte->childAt(carte->rect().center()), ligne);
    const QPoint coin = ligne->mapTo(carte->window(), QPoint(3, 3));
    EXPECT_EQ(carte->window()->grab().toImage().pixelColor(coin), ligne->palette().color(QPalette::Window));
    EXPECT_FALSE(TfmMaps::Instance()->Carte()->ExecuteScript(u"1"_s));
    delete TfmMaps::Instance();
}

class HoteFiche final : public THoteFiche
{
public:
    int Selec = 1;
    int SelecPers() const override { return Selec; }
    void SetSelecPers(int p) override { Selec = p; }
    bool FormKeyDown(int, Qt::KeyboardModifiers) override { return false; }
    void PersonneModifiee(int) override {}
    void LiensModifies() override {}
    QColor CouleurSexe(int) const override { return Qt::white; }
    QString DefinitionChamps() const override { return QString(); }
    void FicheCachee() override {}
};

// The user opens a person's record, clicks the map button of the birth
// event, and sees the marker; then the same for a person born abroad.
TEST_F(CarteWeb, TheMapButtonOfTheRecordForm)
{
    Options() = TOptions();
    m_bd.SetBirthDate(1, u"1/2/1900"_s);
    m_bd.SetPersonEventByType(1, MLText(201), u"FRA,IDF,F95,Pontoise"_s, EveLieu);
    m_bd.SetPersonEventByType(2, MLText(201), u"DEU,,,München"_s, EveLieu);
    HoteFiche hote;
    TfmFiche fiche(m_bd, hote);
    fiche.show();
    QList<Marqueur> m;
    for (int p : {1, 2}) {
        hote.Selec = p;
        fiche.Affiche();
        fiche.SetOnglet(1);
        auto *bouton = fiche.findChild<QToolButton *>(u"iMaps"_s);
        ASSERT_NE(bouton, nullptr);
        QTest::mouseClick(bouton, Qt::LeftButton);
        ASSERT_NE(TfmMaps::Instance(), nullptr);
        m = Marqueurs(TfmMaps::Instance()->Carte());
    }
    ASSERT_EQ(m.size(), 2);
    EXPECT_NEAR(m[0].lat, 49.05, 0.01);
    EXPECT_NEAR(m[0].lon, 2.1, 0.01);
    EXPECT_NEAR(m[1].lat, 48.14, 0.01);
    EXPECT_NEAR(m[1].lon, 11.58, 0.01);
    // Person number 1 is named in its pop-up as any other.
    ASSERT_TRUE(m_bd.FullName(1).startsWith(u"DUPONT"_s));
    EXPECT_EQ(m[0].libelle, u"<a href=\"1\">"_s + m_bd.FullName(1) + u"</a><br/>FRA,IDF,F95,Pontoise"_s);
    EXPECT_TRUE(m[1].libelle.contains(u"ROSSI Maria"_s));
    EXPECT_TRUE(m_dialogues.Messages.isEmpty());
    delete TfmMaps::Instance();
}

} // namespace

#include "test_carte_web.moc"
