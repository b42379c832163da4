#pragma once

#include <QStringList>
#include <QUrl>
#include <QVariant>
#include <QWidget>

#include <functional>

class QLabel;
class QTimer;
class TMoteurWeb;

// The web map page (modele/0/carte/carte.html, on Leaflet) in a browser
// view, which fills this widget. The browser comes from its own module
// (MoteurWeb.h), loaded when the first map is made; when it cannot be loaded
// the page never loads (Chargee(false)). The browser starts with the first
// load, once the widget is on the screen (or when the page is waited for):
// until the page has loaded, the line lChargement "Chargement de la carte…"
// covers the widget under a busy cursor. It loads the page, tells when the page is loaded, and runs the
// scripts sent to it in order, grouped by up to 500 per run. A script error
// comes back as the signal ErreurScript; a link clicked in the page never
// replaces the map: a person's link ("<a href=\"7\">") gives PersonneChoisie,
// a web link opens in the user's browser.
class TCarteWeb final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TCarteWeb)

public:
    // Longest wait for the page, in milliseconds.
    static constexpr int DelaiPage = 10000;
    // Most scripts run at once.
    static constexpr int TailleLot = 500;

    explicit TCarteWeb(QWidget *parent = nullptr);
    ~TCarteWeb() override;

    // To call before the QApplication is made by a program that may show
    // the map: the browser's sandbox refuses to start as root, for which it
    // is then turned off. The OpenGL context the browser shares its drawings
    // through is made with the first map (Qt makes it at the start of every
    // program that sets Qt::AA_ShareOpenGLContexts, a cost paid for nothing
    // by a start that shows no map).
    static void PrepareApplication();

    // The browser view inside (a QWebEngineView, with the focus of this
    // widget), nullptr before the browser started or when its module could
    // not be loaded.
    QWidget *Vue() const;
    // The address the browser shows, empty without the browser.
    QUrl Adresse() const;

    // The map page: carte.html in the folder "0/carte" of the models folder
    // (RepModele), with the query "pos=France".
    static QUrl AdressePage();

    // Starts loading the page at `adresse`; the page counts as loaded once
    // it reports completion.
    void Charge(const QUrl &adresse = AdressePage());
    bool PageChargee() const { return m_chargee; }
    // True from Charge until the page reports completion or failure.
    bool EnChargement() const { return m_chargement; }
    // Processes events until the page has finished loading, for at most
    // `delai` milliseconds. True when it loaded; false when it failed or did
    // not finish in time (the caller tells the user).
    bool AttendPage(int delai = DelaiPage);

    // Queues a script for the page. Queued scripts run in order, in runs of
    // up to TailleLot, as soon as TailleLot are queued or control returns to
    // the event loop. Returns false, and drops the script, while the page is
    // not loaded.
    bool ExecuteScript(const QString &script);
    // ExecuteScript of the page's calls (ScriptAppel, ScriptCarte.h).
    bool PlotAdd(const QString &lieu, const QString &libelle);
    bool PlotClear();
    bool ResizeApp();
    // Runs what is queued now.
    void Envoie();
    // Runs `script` in the page at once, outside the queue; `fin` gets its
    // result (an invalid value when it did not run or there is no browser).
    void Evalue(const QString &script, const std::function<void(const QVariant &)> &fin);
    // Runs sent to the page that have not finished yet.
    int RunsEnCours() const { return m_enCours; }
    // The places the page could not find since its last plotclear(), as of
    // the last finished run.
    QStringList Introuvables() const { return m_introuvables; }

signals:
    // The page finished loading (ok false when it failed).
    void Chargee(bool ok);
    // Every run sent so far has finished.
    void ScriptsTermines();
    // A run failed; `message` is the page's error text.
    void ErreurScript(const QString &message);
    // The user clicked the link of person p in a pop-up.
    void PersonneChoisie(int p);
    // The page asked to open `adresse` (a link clicked); the map stays.
    void Navigation(const QUrl &adresse);

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // Starts the browser (once), then the load asked for by Charge.
    void Demarre();
    void Termine(const QVariant &resultat);
    bool Navigue(const QUrl &url);
    void FinChargement(bool ok);

    TMoteurWeb *m_moteur = nullptr;
    bool m_demarre = false;
    QLabel *m_lChargement = nullptr;
    QUrl m_adresse;
    bool m_chargee = false;
    bool m_chargement = false;
    QStringList m_lot;
    QTimer *m_envoi = nullptr;
    int m_enCours = 0;
    QStringList m_introuvables;
};
