// The program's windows among each other, on a 1366 x 768 screen: dialogs
// over the window that opened them, results in sight of the window that
// asked for them, and windows beside what they serve rather than over it.

#include "BD.h"
#include "DialoguesQt.h"
#include "GardeEcran.h"
#include "TfmCartePerso.h"
#include "HoteSourceTest.h"
#include "Langue.h"
#include "MediaFactice.h"
#include "ProgrammeTest.h"
#include "TBKStringGrid.h"
#include "TQuorWin.h"
#include "TfmCal.h"
#include "TfmCarte.h"
#include "CommandesCarte.h"
#include "TfmFiche.h"
#include "TfmListe.h"
#include "TfmRapport.h"
#include "TfmRapportCritere.h"
#include "TfmRemp.h"
#include "TfmSource.h"
#include "TfmStat.h"
#include "TfmSupprime.h"
#include "TxiloGraph.h"
#include "Voisinage.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QImage>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QCheckBox>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

using namespace Qt::StringLiterals;

void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

namespace {

const QString Exemple = QStringLiteral(LIGNEE_MODELE "/exemples/exemple.mvd");

// A dialog as it was once open.
struct TVu {
    QString Titre;
    QPointer<QWidget> Parent;
    QWindow *Transitoire = nullptr;
    bool Active = false;
    bool Dessus = false;
};

// Closes every modal window that opens (but those it is told to leave) once
// it is the active window, or after about two seconds, recording how it
// was; `action`, when given, runs on it first instead of the closing.
class TGuet final
{
public:
    TGuet()
    {
        m_minuterie.setInterval(10);
        QObject::connect(&m_minuterie, &QTimer::timeout, [this] { Regarde(); });
        m_minuterie.start();
    }
    void Laisse(QWidget *fenetre) { m_laissees << fenetre; }
    std::function<void(QWidget &)> Action;
    QList<TVu> Vus;

private:
    void Regarde()
    {
        QWidget *m = QApplication::activeModalWidget();
        if (!m || m_laissees.contains(m) || !m->isVisible())
            return;
        if (QApplication::activeWindow() != m && ++m_attente < 200)
            return;
        m_attente = 0;
        Vus.push_back({m->windowTitle(), m->parentWidget(), m->windowHandle() ? m->windowHandle()->transientParent() : nullptr,
                       QApplication::activeWindow() == m, bool(m->windowFlags() & Qt::WindowStaysOnTopHint)});
        if (Action) {
            const auto action = std::exchange(Action, nullptr);
            action(*m);
        } else if (auto *d = qobject_cast<QDialog *>(m)) {
            d->reject();
        } else {
            m->close();
        }
    }

    QTimer m_minuterie;
    QList<QWidget *> m_laissees;
    int m_attente = 0;
};

// The frame of a window, the rectangle of a control, in screen coordinates.
QRect cadre(const QWidget *w)
{
    return w->frameGeometry();
}
QRect rect(const QWidget *w)
{
    return {w->mapToGlobal(QPoint(0, 0)), w->size()};
}
QRect ecran()
{
    return QGuiApplication::primaryScreen()->availableGeometry();
}

// What each dialog looked like: titled `titre`, over `fenetre` (its parent and
// the window it is transient for), active, and on top when `fenetre` is.
void VerifieDialogue(const TVu &vu, const QString &titre, QWidget *fenetre)
{
    SCOPED_TRACE(titre.toStdString());
    EXPECT_EQ(vu.Titre, titre);
    EXPECT_EQ(vu.Parent.data(), fenetre);
    EXPECT_EQ(vu.Transitoire, fenetre->windowHandle());
    EXPECT_TRUE(vu.Active);
    EXPECT_EQ(vu.Dessus, bool(fenetre->windowFlags() & Qt::WindowStaysOnTopHint));
}

// The program on the example database, with the dialog service of the
// running program; every dialog left open is closed by the guard.
class Fenetres : public ProgrammeTest
{
protected:
    void SetUp() override
    {
        ProgrammeTest::SetUp();
        ASSERT_EQ(ecran(), QRect(0, 0, 1366, 768));
    }
    void TearDown() override
    {
        m_fenetre.reset();
        SetDialogues(&m_dialogues);
        ProgrammeTest::TearDown();
    }
    TQuorWin &programme()
    {
        m_fenetre = std::make_unique<TQuorWin>();
        // In the middle of the screen, as window managers put it.
        m_fenetre->move((ecran().width() - m_fenetre->frameGeometry().width()) / 2, 0);
        m_fenetre->show();
        m_fenetre->Initialise({Exemple});
        EXPECT_TRUE(QTest::qWaitForWindowExposed(m_fenetre.get()));
        m_qt.SetParent(m_fenetre.get());
        SetDialogues(&m_qt);
        return *m_fenetre;
    }
    template <typename T = QToolButton>
    T *controle(const QWidget *dans, const char *nom)
    {
        T *c = dans->findChild<T *>(QLatin1String(nom));
        EXPECT_NE(c, nullptr) << nom;
        return c;
    }
    // A task button of the main window, on its tab.
    void tache(const char *onglet, const char *nom)
    {
        auto *pc = m_fenetre->centralWidget()->findChild<QTabWidget *>(u"PC"_s);
        pc->setCurrentWidget(controle<QWidget>(m_fenetre.get(), onglet));
        QTest::mouseClick(controle(m_fenetre.get(), nom), Qt::LeftButton);
    }
    // The user brings a window forward before working in it.
    static void active(QWidget *fenetre)
    {
        // A tool window counts as active while its owner is (isActiveWindow):
        // the test waits for the window itself.
        fenetre->activateWindow();
        EXPECT_TRUE(QTest::qWaitFor([fenetre] { return QApplication::activeWindow() == fenetre; }));
    }

    TDialoguesQt m_qt;
    TGuet m_guet;
    std::unique_ptr<TQuorWin> m_fenetre;
};

// ---- Dialogs --------------------------------------------------------------

// The source editor stays on top and is modal: its legend prompt, its file
// dialogs and its question open over it, on top as well, active; its tip
// opens over it, on top, and leaves it the keyboard.
TEST_F(Fenetres, DialogsOfTheSourceEditorOpenOverIt)
{
    QWidget principale;
    principale.show();
    m_qt.SetParent(&principale);
    SetDialogues(&m_qt);
    TMediaFactice::Installe media;
    SetAcquisitionImage([](QImage &i) {
        i = QImage(30, 20, QImage::Format_RGB32);
        i.fill(Qt::green);
        return true;
    });
    TBD bd;
    const int p = bd.NewPerson();
    const int s = bd.AddPersonSource(p);
    QImage image(200, 150, QImage::Format_RGB32);
    image.fill(Qt::red);
    const QString chemin = m_tmp.filePath(u"acte.png"_s);
    ASSERT_TRUE(image.save(chemin));
    bd.SetSourceField(s, SrcFichier, chemin);
    THoteSourceTest hote;
    TfmSource editeur(bd, hote, s, &principale);
    editeur.setWindowModality(Qt::ApplicationModal);
    editeur.show();
    active(&editeur);
    m_guet.Laisse(&editeur);

    // The tip of the create line, then the legend's text for a click on the
    // picture.
    auto *zones = controle<QListWidget>(&editeur, "lbZone");
    const QPoint creer = zones->visualItemRect(zones->item(zones->count() - 1)).center();
    QTest::mouseClick(zones->viewport(), Qt::LeftButton, {}, creer);
    QTest::mouseDClick(zones->viewport(), Qt::LeftButton, {}, creer);
    QTest::qWait(50);
    QMessageBox *astuce = nullptr;
    for (QWidget *fenetre : QApplication::topLevelWidgets()) {
        if (auto *b = qobject_cast<QMessageBox *>(fenetre); b && b->isVisible())
            astuce = b;
    }
    ASSERT_NE(astuce, nullptr);
    EXPECT_EQ(astuce->windowTitle(), u"Astuce n° 5"_s);
    EXPECT_EQ(astuce->parentWidget(), &editeur);
    EXPECT_EQ(astuce->windowHandle()->transientParent(), editeur.windowHandle());
    EXPECT_TRUE(astuce->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(QApplication::activeWindow(), &editeur);
    astuce->close();
    QTest::mouseClick(controle<QWidget>(&editeur, "pbZone"), Qt::LeftButton, {}, QPoint(20, 20));
    // The file of the source: cancelled, it asks before detaching the file.
    QTest::mouseClick(controle(&editeur, "sbFichier"), Qt::LeftButton);
    // A scanned picture is saved first.
    QTest::mouseClick(controle(&editeur, "sbScan"), Qt::LeftButton);
    SetAcquisitionImage({});

    const QString titres[] = {MLText(541), MLText(7605), QApplication::applicationName(), MLText(7606)};
    ASSERT_EQ(m_guet.Vus.size(), std::size(titres));
    for (size_t i = 0; i < std::size(titres); ++i)
        VerifieDialogue(m_guet.Vus[static_cast<int>(i)], titres[i], &editeur);
}

// The calendar and the map stay on top: the calendar's page web file dialog
// and the new map dialog open over them.
TEST_F(Fenetres, DialogsOfTheCalendarAndTheMapOpenOverThem)
{
    TQuorWin &w = programme();
    tache("TS_Stat", "sbCal");
    auto *cal = w.findChild<TfmCal *>();
    ASSERT_TRUE(cal && cal->isVisible());
    active(cal);
    QTest::mouseClick(controle<QPushButton>(cal, "bPageWeb"), Qt::LeftButton);
    ASSERT_EQ(m_guet.Vus.size(), 1);
    VerifieDialogue(m_guet.Vus[0], MLText(8302), cal);
    cal->close();

    // From the main window's button, which shows the map first.
    tache("TS_Stat", "sbCarteNouvelle");
    TfmCarte *carte = w.Cartes()->Carte();
    ASSERT_TRUE(carte->isVisible());
    ASSERT_EQ(m_guet.Vus.size(), 2);
    VerifieDialogue(m_guet.Vus[1], u"Création d'une nouvelle carte"_s, carte);
}

// ---- Reports handed over ---------------------------------------------------

// The report comes in sight of the window that filled it: beside it when the
// screen has room, on top when it stays on top, wholly on the screen off the
// main window's menus and task column; a report still covering part of that
// window is the active window.
void VerifieRapport(const TQuorWin &w, const QWidget *source)
{
    const TfmRapport *rapport = w.Rapport();
    ASSERT_TRUE(rapport->isVisible());
    // Never narrower than its columns need, up to half the screen: a report
    // cut to its first column is of no use; it may be made lower.
    int colonnes = 16;
    for (int c = 0; c < rapport->Grille()->ColCount(); ++c)
        colonnes += rapport->Grille()->ColWidth(c) + 1;
    EXPECT_GE(rapport->width(), std::min(colonnes, ecran().width() / 2));
    EXPECT_GE(rapport->Grille()->viewport()->height(), 3 * rapport->Grille()->rowHeight(0));
    // Off the menus and the task column of the main window.
    EXPECT_TRUE(w.ZoneLibre().contains(cadre(rapport)));
    if (source->windowFlags() & Qt::WindowStaysOnTopHint) {
        EXPECT_TRUE(rapport->windowFlags() & Qt::WindowStaysOnTopHint);
    }
    if (cadre(rapport).intersects(cadre(source))) {
        EXPECT_TRUE(QTest::qWaitFor([rapport] { return QApplication::activeWindow() == rapport; }));
    }
}

TEST_F(Fenetres, AStatisticsColumnACalendarDayOrAMapZoneBringsTheReportUp)
{
    TQuorWin &w = programme();
    // The first column of the ages at death.
    tache("TS_Stat", "sbStat");
    auto *stat = w.findChild<TfmStat *>();
    ASSERT_TRUE(stat && stat->isVisible());
    // Made taller by the user: the strip on its right is narrower than the
    // report, and too little is left below it for the report's rows.
    stat->resize(stat->width(), ecran().bottom() - 100 - stat->frameGeometry().top());
    ASSERT_LT(ecran().right() - cadre(stat).right(), 500);
    active(stat);
    TxiloGraph *graph = stat->Graph();
    for (const auto &b : graph->Geometrie(graph->rect(), graph->fontMetrics()).Barres) {
        if (b.Colonne == 0)
            QTest::mouseClick(graph, Qt::LeftButton, {}, b.Rect.center());
    }
    ASSERT_FALSE(w.Rapport()->Liste().IsEmpty());
    {
        SCOPED_TRACE("statistiques");
        VerifieRapport(w, stat);
    }
    stat->close();
    w.Rapport()->close();

    // A day of two births in the calendar of events.
    TBD &bd = w.Base();
    const int premier = bd.NextPerson(0), second = bd.NextPerson(premier);
    for (const int p : {premier, second})
        bd.SetBirthDate(p, u"5/6/1960"_s);
    tache("TS_Stat", "sbCal");
    auto *cal = w.findChild<TfmCal *>();
    ASSERT_TRUE(cal && cal->isVisible());
    int mois = 0, jour = 0;
    for (int m = 1; m <= 12 && !mois; ++m)
        for (int j = 1; j <= 31 && !mois; ++j)
            if (cal->Cellules().Cellule(m, j).size() > 1)
                std::tie(mois, jour) = std::pair(m, j);
    ASSERT_NE(mois, 0);
    active(cal);
    QTest::mouseClick(cal->Grille(), Qt::LeftButton, {}, RectCelluleCal(cal->Grille()->size(), mois, jour).center());
    EXPECT_EQ(w.Rapport()->Liste().Count(), static_cast<int>(cal->Cellules().Cellule(mois, jour).size()));
    {
        SCOPED_TRACE("calendrier");
        VerifieRapport(w, cal);
    }
    cal->close();
    w.Rapport()->close();

    // A département of the map of births.
    tache("TS_Stat", "sbCarte");
    TfmCarte *carte = w.Cartes()->Carte();
    ASSERT_TRUE(carte->isVisible());
    for (const auto &[liste, texte] : {std::pair("cbPour", u"Tout le monde"_s), std::pair("cbEvenement", u"Naissance"_s)}) {
        auto *l = controle<QComboBox>(carte, liste);
        l->showPopup();
        QAbstractItemView *vue = l->view();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(vue->window()));
        const QModelIndex ligne = vue->model()->index(l->findText(texte), 0);
        ASSERT_TRUE(ligne.isValid()) << liste;
        QTest::mouseClick(vue->viewport(), Qt::LeftButton, {}, vue->visualRect(ligne).center());
    }
    int zone = -1;
    for (int p = bd.NextPerson(0); p && zone < 0; p = bd.NextPerson(p))
        zone = carte->LieuToIndex(bd.BirthPlace(p));
    ASSERT_GE(zone, 0);
    active(carte);
    const TZoneCarte &z = carte->Zones()[static_cast<size_t>(zone)];
    QTest::mouseClick(carte->findChild<QWidget *>(u"carte"_s), Qt::LeftButton, {}, QPoint(z.X, z.Y));
    ASSERT_FALSE(w.Rapport()->Liste().IsEmpty());
    EXPECT_EQ(carte->LieuToIndex(bd.BirthPlace(w.Rapport()->Liste().Get(1))), zone);
    SCOPED_TRACE("carte");
    VerifieRapport(w, carte);
}

// The lists of the delete window and of find and replace leave the controls
// the user works with uncovered.
TEST_F(Fenetres, ListsOfTheDeleteAndReplaceWindowsOpenBesideThem)
{
    TQuorWin &w = programme();
    w.AfficheSupprime();
    TfmSupprime *supprime = w.FenetreSupprime();
    ASSERT_TRUE(supprime && supprime->isVisible());
    active(supprime);
    QTest::mouseClick(controle(supprime, "sbListe"), Qt::LeftButton);
    EXPECT_EQ(w.Rapport()->windowTitle().left(27), u"Liste d'une fiche supprimée"_s);
    VerifieRapport(w, supprime);
    for (const char *nom : {"B_Ok", "B_Annuler"})
        EXPECT_FALSE(cadre(w.Rapport()).intersects(rect(controle<QPushButton>(supprime, nom)))) << nom;
    supprime->close();
    w.Rapport()->close();

    tache("TS_Afficher", "sbRemp");
    auto *remp = w.findChild<TfmRemp *>();
    ASSERT_TRUE(remp && remp->isVisible());
    active(remp);
    auto *donnees = controle<QListWidget>(remp, "lb");
    const auto lieu = donnees->findItems(u"Lieu"_s, Qt::MatchExactly);
    ASSERT_EQ(lieu.size(), 1);
    QTest::mouseClick(donnees->viewport(), Qt::LeftButton, {}, donnees->visualItemRect(lieu[0]).center());
    auto *remplacer = remp->findChildren<QRadioButton *>().last();
    remplacer->click();
    QTest::mouseClick(controle<QCheckBox>(remp, "cbVoir"), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(w.Rapport()->windowTitle().startsWith(u"Liste des lieux ("_s));
    VerifieRapport(w, remp);
    for (QWidget *c : {controle<QWidget>(remp, "e1"), controle<QWidget>(remp, "bOk")})
        EXPECT_FALSE(cadre(w.Rapport()).intersects(rect(c))) << c->objectName().toStdString();
}

// ---- Windows beside what they serve -------------------------------------------

TEST_F(Fenetres, TheOptionsWindowLeavesTheReportsColumnsUncovered)
{
    TQuorWin &w = programme();
    tache("TS_Afficher", "SB_Rapport");
    tache("TS_Afficher", "sbRapAff");
    const TfmRapport *rapport = w.Rapport();
    const TfmRapportCritere *options = w.RapportCritere();
    ASSERT_TRUE(rapport->isVisible() && options->isVisible());
    const TBKStringGrid *grille = rapport->Grille();
    const QRect colonne(grille->viewport()->mapToGlobal(QPoint(grille->columnViewportPosition(0), 0)),
                        QSize(grille->columnWidth(0), grille->viewport()->height()));
    EXPECT_FALSE(cadre(options).intersects(colonne));
    EXPECT_FALSE(cadre(options).intersects(cadre(rapport)));
    EXPECT_TRUE(ecran().contains(cadre(options)));
}

// "Page web" brings the report with the options window. The window system
// may place the options window only once it is on screen, here over the
// report as it did under load: the two are put side by side then, and the
// report leaves "Fermer" uncovered.
TEST_F(Fenetres, AfterPageWebTheReportLeavesTheOptionsWindowUncovered)
{
    TQuorWin &w = programme();
    tache("TS_Afficher", "sbRapWeb");
    const TfmRapport *rapport = w.Rapport();
    TfmRapportCritere *options = w.RapportCritere();
    ASSERT_TRUE(rapport->isVisible() && options->isVisible());
    options->move(rapport->pos());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !cadre(options).intersects(cadre(rapport)); }, 2000));
    EXPECT_FALSE(cadre(rapport).intersects(rect(controle<QPushButton>(options, "Button3"))));
    EXPECT_TRUE(ecran().contains(cadre(options)));
    EXPECT_TRUE(ecran().contains(cadre(rapport)));
}

// Typed in a place field low on the screen, the proposals go above the field.
TEST_F(Fenetres, PlaceProposalsLeaveTheFieldUncovered)
{
    TQuorWin &w = programme();
    w.ShowFiche();
    TfmFiche *fiche = w.Fiche();
    auto *pc = controle<QTabWidget>(fiche, "PC");
    pc->setCurrentWidget(controle<QWidget>(fiche, "TS_Evenement"));
    auto *lieu = controle<QLineEdit>(fiche, "eveLieu");
    for (const int bas : {300, ecran().bottom() - 20}) {
        SCOPED_TRACE(bas);
        fiche->move(fiche->x(), fiche->y() + bas - rect(lieu).bottom());
        active(fiche);
        lieu->setFocus();
        lieu->clear();
        QTest::keyClicks(lieu, u"FRA"_s);
        const QWidget *liste = fiche->Liste();
        ASSERT_TRUE(liste->isVisible());
        EXPECT_FALSE(cadre(liste).intersects(rect(lieu)));
        EXPECT_TRUE(ecran().contains(cadre(liste)));
        EXPECT_EQ(cadre(liste).left(), rect(lieu).left());
        QTest::keyClick(lieu, Qt::Key_Escape);
    }
}

// "Voir fiche" of the merge shows the navigator beside the merge window.
TEST_F(Fenetres, TheMergeShowsTheNavigatorBesideIt)
{
    TQuorWin &w = programme();
    QRect fusion, navigateur;
    m_guet.Action = [&](QWidget &d) {
        QTest::mouseClick(controle<QPushButton>(&d, "VoirFiche1"), Qt::LeftButton);
        fusion = cadre(&d);
        if (auto *n = w.findChild<QWidget *>(u"fmFicheArbre"_s); n && n->isVisible())
            navigateur = cadre(n);
        static_cast<QDialog &>(d).reject();
    };
    w.menuBar()->findChild<QAction *>(u"MI_Fusion"_s)->trigger();
    ASSERT_EQ(m_guet.Vus.size(), 1);
    ASSERT_FALSE(navigateur.isNull());
    EXPECT_FALSE(navigateur.intersects(fusion));
    EXPECT_TRUE(ecran().contains(navigateur));
}

// Every window stays on the screen, frame included, however it was placed
// before the window system gave it its frame: the zone editor, a dialog, a
// tool window, placed by their inside so that their frame hangs past the
// bottom or the right edge, or larger than the screen. Moved later by the
// user, a window stays where the user puts it.
TEST_F(Fenetres, EveryWindowStaysOnTheScreen)
{
    TQuorWin &w = programme();
    QWidget *zones = w.Cartes()->Carte()->Perso();
    zones->setGeometry(QRect(300, 768 - 480, 420, 480));
    tache("TS_Stat", "sbCarteDef");
    ASSERT_TRUE(zones->isVisible());
    QDialog dialogue(&w);
    dialogue.setGeometry(QRect(1366 - 300, 200, 300, 200));
    dialogue.show();
    QWidget outil(&w, Qt::Tool);
    outil.setGeometry(QRect(-20, 10, 2000, 900));
    outil.show();
    QApplication::processEvents();
    for (QWidget *f : {zones, static_cast<QWidget *>(&dialogue), &outil}) {
        SCOPED_TRACE(f->metaObject()->className());
        EXPECT_TRUE(ecran().contains(cadre(f))) << cadre(f).bottom() << ',' << cadre(f).right();
    }
    EXPECT_EQ(cadre(zones).bottom(), 767);
    EXPECT_EQ(cadre(&dialogue).right(), 1365);
    EXPECT_EQ(cadre(&outil), ecran());

    // The user's own move is the user's.
    QTest::qWait(TGardeEcran::Delai + 100);
    dialogue.move(1300, 700);
    QApplication::processEvents();
    EXPECT_EQ(cadre(&dialogue).topLeft(), QPoint(1300, 700));

    // Placed by the window system after it was shown, within the watch, a
    // window is brought back on the screen too.
    QDialog tardive(&w);
    tardive.setGeometry(QRect(100, 100, 300, 200));
    tardive.show();
    QApplication::processEvents();
    tardive.windowHandle()->setFramePosition(QPoint(1200, 650));
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_TRUE(ecran().contains(cadre(&tardive))) << cadre(&tardive).right() << ',' << cadre(&tardive).bottom();

    // Tooltips and menus are placed by Qt, a hidden window by nobody.
    QWidget bulle(nullptr, Qt::ToolTip), cachee;
    bulle.setGeometry(QRect(1300, 740, 200, 50));
    bulle.show();
    cachee.setGeometry(QRect(1300, 740, 200, 50));
    QApplication::processEvents();
    EXPECT_EQ(bulle.geometry(), QRect(1300, 740, 200, 50));
    EXPECT_FALSE(TGardeEcran::GardeSurEcran(&bulle));
    EXPECT_FALSE(TGardeEcran::GardeSurEcran(&cachee));
    EXPECT_EQ(cachee.geometry(), QRect(1300, 740, 200, 50));

    // The rule itself.
    const QRect e(0, 0, 1366, 768);
    EXPECT_EQ(TGardeEcran::Ramene(QRect(10, 20, 300, 200), e), QRect(10, 20, 300, 200));
    EXPECT_EQ(TGardeEcran::Ramene(QRect(10, 600, 300, 200), e), QRect(10, 568, 300, 200));
    EXPECT_EQ(TGardeEcran::Ramene(QRect(-5, -5, 300, 200), e), QRect(0, 0, 300, 200));
    EXPECT_EQ(TGardeEcran::Ramene(QRect(1200, 0, 300, 900), e), QRect(1066, 0, 300, 768));
}

// Where a window goes beside a rectangle it serves, on a 1366 x 768 screen:
// a window of 460 x 470 at (400, 50), or a field low on the screen.
TEST(Voisinage, BesideTheServedRectangle)
{
    const QRect ecran(0, 0, 1366, 768);
    const QRect fenetre(400, 50, 460, 470);
    const QRect champ(450, 700, 200, 20);
    const struct { const char *cas; QRect servi, cadre; QSize minimum; int cotes; QRect attendu; } cas[] = {
        {"apart, left alone", fenetre, {900, 100, 300, 200}, {100, 100}, TousLesCotes, {900, 100, 300, 200}},
        {"apart but off the screen, brought back", fenetre, {1200, 700, 300, 200}, {100, 100}, TousLesCotes,
         {1066, 568, 300, 200}},
        {"over it: the right side, same height", fenetre, {700, 300, 300, 400}, {100, 100}, TousLesCotes,
         {860, 300, 300, 400}},
        {"nearer on the left", fenetre, {380, 100, 300, 200}, {100, 100}, TousLesCotes, {100, 100, 300, 200}},
        {"too wide for either side: below", fenetre, {400, 300, 700, 200}, {100, 100}, TousLesCotes,
         {400, 520, 700, 200}},
        {"too big anywhere: the most room, smaller", fenetre, {300, 200, 1000, 600}, {200, 200}, TousLesCotes,
         {860, 168, 506, 600}},
        {"no room even for the minimum: unchanged", fenetre, {300, 200, 1000, 600}, {600, 600}, TousLesCotes,
         {300, 200, 1000, 600}},
        {"under a field, on the screen", {450, 300, 200, 20}, {450, 320, 200, 150}, {200, 60},
         CoteDessous | CoteDessus, {450, 320, 200, 150}},
        {"under a field, off the screen: above it", champ, {450, 720, 200, 150}, {200, 60},
         CoteDessous | CoteDessus, {450, 550, 200, 150}},
        {"beside a window partly off the screen", {-300, 100, 500, 400}, {100, 200, 300, 200}, {100, 100},
         TousLesCotes, {200, 200, 300, 200}},
    };
    for (const auto &c : cas) {
        SCOPED_TRACE(c.cas);
        EXPECT_EQ(RectACote(c.cadre, c.minimum, c.servi, ecran, c.cotes), c.attendu);
    }
}

// ---- Qt's texts -----------------------------------------------------------

// The type column of the file dialogs names a folder in French.
TEST_F(Fenetres, FileDialogsNameAFolderInFrench)
{
    if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + u"/qtbase_fr.qm"_s))
        GTEST_SKIP() << "Qt's French translation is not installed (qt6-translations-l10n)";
    ASSERT_TRUE(QDir(m_tmp.path()).mkdir(u"photos"_s));
    QWidget principale;
    principale.show();
    m_qt.SetParent(&principale);
    SetDialogues(&m_qt);
    QString type;
    m_guet.Action = [&](QWidget &d) {
        auto *modele = d.findChild<QFileSystemModel *>();
        ASSERT_NE(modele, nullptr);
        const QModelIndex dossier = modele->index(m_tmp.filePath(u"photos"_s), 2);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !modele->data(dossier).toString().isEmpty(); }));
        type = modele->data(dossier).toString();
        static_cast<QDialog &>(d).reject();
    };
    Dialogues().FichierAOuvrir(u"Choisir"_s, m_tmp.path(), u"Tout fichier (*)"_s);
    EXPECT_EQ(type, u"Dossier"_s);
}

} // namespace
