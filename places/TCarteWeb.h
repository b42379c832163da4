#pragma once

#include <QStringList>
#include <QUrl>
#include <QWebEngineView>

class QTimer;

// The web map page (modele/0/carte/carte.html, on Leaflet) in a browser
// view. It loads the page, tells when the page is loaded, and runs the
// scripts sent to it in order, grouped by up to 500 per run. A script error
// comes back as the signal ErreurScript; a link clicked in the page never
// replaces the map: a person's link ("<a href=\"7\">") gives PersonneChoisie,
// a web link opens in the user's browser.
class TCarteWeb final : public QWebEngineView
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

    // To call before the QApplication is made: the browser needs the
    // shared OpenGL contexts, and its sandbox refuses to start as root, for
    // which it is then turned off.
    static void PrepareApplication();

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

private:
    void Termine(const QVariant &resultat);

    QUrl m_adresse;
    bool m_chargee = false;
    bool m_chargement = false;
    QStringList m_lot;
    QTimer *m_envoi = nullptr;
    int m_enCours = 0;
    QStringList m_introuvables;
};
