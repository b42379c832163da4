#include "AideArbre.h"
#include "FamilleTest.h"
#include "FichierMvd.h"
#include "ProgrammeTest.h"
#include "TfmFiche.h"
#include "TQuorWin.h"
#include "TfmCellule.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A main window stand-in that records what the tree asks of it.
class HoteTest final : public THoteArbre
{
public:
    int Selec = 0;
    int Fiches = 0;
    int Titres = 0;
    QList<Qt::MouseButton> Clics;
    QMenu Menu;

    int SelecPers() const override { return Selec; }
    void SetSelecPers(int p) override { Selec = p; }
    void ShowFiche() override { ++Fiches; }
    void TitreFenetre() override { ++Titres; }
    void ArbreMouseDown(Qt::MouseButton b, Qt::KeyboardModifiers, const QPoint &) override { Clics << b; }
    QMenu *MenuBoite() override { return &Menu; }
};

class Arbre : public ::testing::Test
{
protected:
    void SetUp() override
    {
        LitLook(QStringLiteral("/absent/absent.mva"), Looks); // the defaults
        Looks[1].Style = Looks[2].Style = 0;
        Reglages() = TReglages();
        Reglages().ZoomAuto = false;
        Options() = TOptions();
        RefPers = 4;
        RelieArbre(m_vue, m_page, m_arbre, m_famille.bd, m_hote, QSize(800, 600));
    }

    FamilleTest m_famille;
    HoteTest m_hote;
    QScrollArea m_vue;
    TPage *m_page = nullptr;
    std::unique_ptr<TAffArbre> m_arbre;
};

TEST_F(Arbre, BuildsOfTheReferenceBoxAlone)
{
    m_vue.hide(); // nothing is built while the tree is hidden
    m_arbre->Execute();
    EXPECT_TRUE(m_arbre->Boites().empty());
    m_vue.show();

    // Requests in one turn build once.
    int builds = 0;
    QObject::connect(m_arbre.get(), &TAffArbre::Construit, [&] { ++builds; });
    for (int i = 0; i < 3; ++i)
        m_arbre->Affiche();
    EXPECT_TRUE(m_arbre->AffichePrevu());
    EXPECT_EQ(builds, 0);
    QApplication::processEvents();
    EXPECT_EQ(builds, 1);
    ASSERT_EQ(m_arbre->Boites().size(), 1u);
    EXPECT_EQ(m_arbre->Boites()[0]->Personne(), 4);
    EXPECT_EQ(m_arbre->Boites()[0]->LookIndex(), 1);
    EXPECT_EQ(m_arbre->GetBoiteRefPers(), m_arbre->Boites()[0].get());
    EXPECT_EQ(m_arbre->Boites()[0]->Lignes[0], u"MARTIN Pierre"); // the look's template expanded
    EXPECT_EQ(m_hote.Titres, 1);
    // The steps of the looks are computed at every build, for a folded
    // reference shown alone too: right after a look is read they are zero.
    EXPECT_EQ(Looks[1].HauteurBoite, 12);
    EXPECT_EQ(Looks[1].PasHorz, 50);
    LitLook(QStringLiteral("/absent/absent.mva"), Looks);
    ASSERT_EQ(Looks[1].HauteurBoite, 0);
    m_famille.bd.SetTreeFold(4, 1);
    m_arbre->Execute();
    ASSERT_EQ(m_arbre->Boites().size(), 1u);
    EXPECT_EQ(m_arbre->Boites()[0]->Bounds().size(), QSize(100, 12));

    // A reference person that does not exist gives an empty tree.
    RefPers = 99;
    m_arbre->Execute();
    EXPECT_TRUE(m_arbre->Boites().empty());
    EXPECT_EQ(m_arbre->GetRect(), QRect());
    EXPECT_EQ(m_arbre->GetBoiteRefPers(), nullptr);
}

// Every layout of the ascendance and of the descendance that can be drawn
// together shows the reference's parents and grandchildren when it is
// chosen, and only then.
TEST_F(Arbre, EachLayoutShowsItsSideOfTheFamily)
{
    for (int asc = 0; asc <= 5; ++asc) {
        for (int des = 0; des <= 3; ++des) {
            if ((des == 2 && (asc == 1 || asc == 3 || asc == 5)) || (des == 3 && (asc == 2 || asc == 4)))
                continue;
            SCOPED_TRACE(asc * 10 + des);
            Looks[1].Style = std::uint8_t(asc);
            Looks[2].Style = std::uint8_t(des);
            m_arbre->Execute();
            const TR ecran = m_arbre->ListeEcran();
            EXPECT_TRUE(ecran.Contains(4));
            EXPECT_EQ(ecran.Contains(1) && ecran.Contains(2), asc != 0);
            EXPECT_EQ(ecran.Contains(9) && ecran.Contains(13), des != 0);
        }
    }
}

TEST_F(Arbre, DecaleZeroPutsTheDrawingAtTheMarginsAtAnyZoom)
{
    m_page->PrintMargeG = 40;
    m_page->PrintMargeH = 30;
    m_arbre->Execute();
    m_arbre->AjouteBoite(-500, 300, 1, 1);
    m_arbre->AjouteBoite(200, -250, 2, 2);
    m_arbre->AjouteLien(-600, 10, -550, 10, 1, 2, 1);
    for (int zoom : {100, 30}) {
        Looks[1].Zoom = Looks[2].Zoom = zoom;
        m_arbre->RePositionne();
        m_arbre->DecaleZero();
        const QRect r = m_arbre->GetRect();
        // At another zoom the shift is in whole tree units.
        EXPECT_NEAR(r.left(), 40, zoom == 100 ? 0 : 1);
        EXPECT_NEAR(r.top(), 30, zoom == 100 ? 0 : 1);
        // The canvas covers the whole tree.
        EXPECT_GE(m_page->minimumWidth(), r.right());
        EXPECT_GE(m_page->minimumHeight(), r.bottom());
    }
}

TEST_F(Arbre, AutomaticZoomStaysBetween1And100InBothLooks)
{
    m_arbre->Execute();
    m_arbre->CalculZoomAuto();
    EXPECT_EQ(std::pair(Looks[1].Zoom, Looks[2].Zoom), std::pair(100, 100));
    m_arbre->AjouteBoite(200000000, 0, 2, 2); // far wider than the view
    m_arbre->RePositionne();
    m_arbre->CalculZoomAuto();
    EXPECT_EQ(std::pair(Looks[1].Zoom, Looks[2].Zoom), std::pair(1, 1));
    // An empty tree keeps its zoom.
    Looks[1].Zoom = Looks[2].Zoom = 64;
    m_arbre->Vide();
    m_arbre->CalculZoomAuto();
    EXPECT_EQ(Looks[1].Zoom, 64);
}

TEST_F(Arbre, LookupsOfTheBoxesShown)
{
    m_arbre->Execute();
    m_arbre->AjouteBoite(300, 0, 4, 2); // Pierre reached a second time
    m_arbre->AjouteBoite(600, 0, 9, 2);
    m_arbre->AjouteBoite(900, 0, 0, 2);  // refused
    m_arbre->AjouteBoite(900, 0, 14, 2); // beyond the person count: refused
    ASSERT_EQ(m_arbre->Boites().size(), 3u);

    EXPECT_EQ(m_arbre->QuiEcran(TR()), 0);
    TR l;
    l.Add(13);
    l.Add(9);
    EXPECT_EQ(m_arbre->QuiEcran(l), 9);
    const TR ecran = m_arbre->ListeEcran();
    EXPECT_EQ(std::vector<int>(ecran.begin(), ecran.end()), (std::vector<int>{4, 4, 9}));

    m_hote.Selec = 4;
    m_arbre->AfficheSelecPers();
    for (int i : {0, 1, 2})
        EXPECT_EQ(m_arbre->Boites()[size_t(i)]->isSelec(), i < 2) << i;

    m_famille.bd.SetGivenNames(9, QStringLiteral("Lucien"));
    m_famille.bd.SetSex(9, SexeFemme);
    m_arbre->RepaintPers(9);
    EXPECT_EQ(m_arbre->Boites()[2]->Lignes[0], u"MARTIN Lucien");
    EXPECT_FALSE(m_arbre->Boites()[2]->Homme());
}

TEST_F(Arbre, TheCanvasPaintsTheBackgroundAndTheBoxes)
{
    const GardeGlobales garde;
    CouleurEcran = 0x00FFFF; // yellow
    m_arbre->Execute();
    const QImage image = m_page->grab().toImage();
    const QRect b = m_arbre->Boites()[0]->Bounds();
    EXPECT_EQ(image.pixelColor(b.right() + 10, b.bottom() + 10), QColor(255, 255, 0));
    EXPECT_NE(image.pixelColor(b.left(), b.center().y()), QColor(255, 255, 0)); // framed
    // Other windows wear the same background: the colour, or the texture.
    EXPECT_EQ(m_page->Fond(), QBrush(QColor(255, 255, 0)));
    QTemporaryDir dossier;
    DossierImageArbre = dossier.path() + u'/';
    QImage texture(3, 2, QImage::Format_RGB32);
    texture.fill(QColor(10, 120, 30));
    ASSERT_TRUE(texture.save(dossier.filePath(QStringLiteral("fond.png"))));
    TextEcran = QStringLiteral("fond.png");
    const QBrush fond = m_page->Fond();
    ASSERT_EQ(fond.style(), Qt::TexturePattern);
    EXPECT_EQ(fond.textureImage().size(), QSize(3, 2));
    EXPECT_EQ(fond.textureImage().pixelColor(2, 1), QColor(10, 120, 30));
}

TEST_F(Arbre, MouseActionsOnTheCanvas)
{
    TDialoguesScriptes dialogues;
    m_arbre->Execute();
    m_arbre->AjouteBoite(400, 0, 9, 2);
    m_arbre->RePositionne();
    const QPoint luc = m_arbre->Boites()[1]->Bounds().center();

    QTest::mouseClick(m_page, Qt::LeftButton, {}, luc);
    EXPECT_EQ(m_hote.Selec, 9);
    EXPECT_EQ(m_hote.Fiches, 1);
    QTest::mouseClick(m_page, Qt::LeftButton, {}, luc + QPoint(0, 500));
    EXPECT_EQ(m_hote.Clics, (QList<Qt::MouseButton>{Qt::LeftButton}));
    QTest::mouseClick(m_page, Qt::RightButton, {}, m_arbre->Boites()[0]->Bounds().center());
    EXPECT_EQ(m_hote.Selec, 4);
    EXPECT_TRUE(m_hote.Menu.isVisible());
    m_hote.Menu.hide();

    // The double click makes Luc the reference; the tree is rebuilt after the
    // event, from him.
    QTest::mouseDClick(m_page, Qt::LeftButton, {}, luc);
    EXPECT_EQ(RefPers, 9);
    EXPECT_TRUE(m_arbre->AffichePrevu());
    QApplication::processEvents();
    ASSERT_EQ(m_arbre->Boites().size(), 1u);
    EXPECT_EQ(m_arbre->Boites()[0]->Personne(), 9);
    EXPECT_EQ(BaseModifiee, 0);

    // With renumbering on, the double click numbers from the new reference.
    Options().NumeroteBase = true;
    Options().NumeroteGen = 5;
    RefPers = 4;
    m_arbre->Execute();
    QTest::mouseDClick(m_page, Qt::LeftButton, {}, m_arbre->Boites()[0]->Bounds().center());
    EXPECT_EQ(m_famille.bd.GetField(4, PcNumerotation), u"1");
    EXPECT_EQ(m_famille.bd.GetField(1, PcNumerotation), u"2");
    EXPECT_EQ(BaseModifiee, 1);
    EXPECT_EQ(dialogues.Astuces.count(8), 1); // the double click's tip, shown once
    BaseModifiee = 0;
    QApplication::processEvents();
}

using ArbreFenetre = ProgrammeTest;

TEST_F(ArbreFenetre, TheExampleShowsItsReferenceTheRecordAndTheBoxMenu)
{
    TQuorWin w;
    w.show();
    w.Initialise({QStringLiteral(LIGNEE_MODELE "/exemples/exemple.mvd")});
    QApplication::processEvents();
    TBoite *ref = w.Arbre()->GetBoiteRefPers();
    ASSERT_NE(ref, nullptr);
    EXPECT_EQ(ref->Personne(), RefPers);
    EXPECT_TRUE(ref->isSelec());
    EXPECT_EQ(NomLook, u"defaut");

    // A box clicked shows the record, and the box follows its edits.
    QTest::mouseClick(w.Page(), Qt::LeftButton, {}, ref->Bounds().center());
    ASSERT_TRUE(w.Fiche()->isVisible());
    EXPECT_EQ(w.Fiche()->Personne(), RefPers);
    auto *nom = w.Fiche()->findChild<QLineEdit *>(QStringLiteral("E_Nom"));
    QApplication::setActiveWindow(w.Fiche());
    nom->setFocus();
    nom->end(false);
    QTest::keyClicks(nom, QStringLiteral("X"));
    EXPECT_TRUE(w.Base().Surname(RefPers).endsWith(QLatin1Char('X')));
    EXPECT_TRUE(ref->Lignes[0].endsWith(QLatin1Char('X')));
    EXPECT_TRUE(w.windowTitle().endsWith(QStringLiteral(" *")));
    BaseModifiee = 0;

    // Folding the reference through the box menu rebuilds and marks the
    // database modified.
    QTest::mouseClick(w.Page(), Qt::RightButton, {}, ref->Bounds().center());
    EXPECT_TRUE(w.MenuBoite()->isVisible());
    QAction *plie = w.MenuBoite()->findChild<QAction *>(QStringLiteral("MI_BoitePlie"));
    ASSERT_NE(plie, nullptr);
    const int p = RefPers;
    plie->trigger();
    w.MenuBoite()->hide();
    QApplication::processEvents();
    EXPECT_EQ(w.Base().TreeFold(p), 1);
    EXPECT_EQ(BaseModifiee, 1);
    EXPECT_EQ(w.Arbre()->Boites().size(), 1u);
    BaseModifiee = 0;
}

TEST_F(ArbreFenetre, OpeningAFileScrollsTheCurrentPersonsBoxIntoView)
{
    // A reference person with forty children: its box, centred over theirs,
    // lies far to the right of the view's left edge.
    {
        TBD bd;
        const int r = bd.NewPerson();
        bd.SetSurname(r, QStringLiteral("MARTIN"));
        for (int i = 0; i < 40; ++i)
            bd.SetFather(bd.NewPerson(), r);
        TEnteteMvd entete;
        entete.NomLook = QStringLiteral("defaut");
        entete.RefPers = r;
        ASSERT_TRUE(SauveMvd(chemin("large.mvd"), bd, entete).Ok());
    }
    TQuorWin w;
    w.show();
    w.Initialise({});
    Reglages().ZoomAuto = false;
    m_dialogues.Fichiers.push_back(chemin("large.mvd"));
    QAction *ouvrir = w.findChild<QAction *>(QStringLiteral("MI_Ouvrir"));
    ASSERT_NE(ouvrir, nullptr);
    ouvrir->trigger();
    QApplication::processEvents();

    const TBoite *ref = w.Arbre()->GetBoiteRefPers();
    ASSERT_NE(ref, nullptr);
    const auto *vue = w.findChild<QScrollArea *>(QStringLiteral("Arbre"));
    const QRect visible(QPoint(vue->horizontalScrollBar()->value(), vue->verticalScrollBar()->value()),
                        vue->viewport()->size());
    EXPECT_GT(ref->Bounds().left(), vue->viewport()->width());
    EXPECT_TRUE(visible.contains(ref->Bounds()));
}

TEST_F(ArbreFenetre, TheLookEditorChangesTheExamplesTreeAndItsModels)
{
    // The shipped models, copied, so that a fault could not write into the
    // program's folder: a model saved goes to the user's folder.
    const QString modeles = chemin("arbre/");
    ASSERT_TRUE(QDir().mkpath(modeles));
    for (const QString &nom : QDir(DossierArbre).entryList(QDir::Files))
        ASSERT_TRUE(QFile::copy(DossierArbre + nom, modeles + nom));
    DossierArbre = modeles;
    TQuorWin w;
    w.show();
    w.Initialise({QStringLiteral(LIGNEE_MODELE "/exemples/exemple.mvd")});
    Reglages().ZoomAuto = false;
    QApplication::processEvents();
    int constructions = 0;
    QObject::connect(w.Arbre(), &TAffArbre::Construit, [&] { ++constructions; });

    // The tree task "Affichage de l'arbre" opens the editor.
    auto *commande = w.findChild<QToolButton *>(QStringLiteral("sbCellule"));
    ASSERT_NE(commande, nullptr);
    QTest::mouseClick(commande, Qt::LeftButton);
    TfmCellule *f = w.Cellule();
    ASSERT_TRUE(f->isVisible());
    EXPECT_TRUE(w.findChild<QMenu *>(QStringLiteral("PM_Arbre"))->actions().contains(f->Commande()));
    auto *liste = f->findChild<QListWidget *>(QStringLiteral("lbFileList"));
    ASSERT_GE(liste->count(), 5);
    EXPECT_EQ(liste->currentItem()->text(), u"defaut");
    const auto clic = [f](const char *nom, QPoint point = {}) {
        auto *c = f->findChild<QWidget *>(QString::fromLatin1(nom));
        ASSERT_NE(c, nullptr) << nom;
        QTest::mouseClick(c, Qt::LeftButton, {}, point.isNull() ? c->rect().center() : point);
    };
    const auto onglet = [f](int i) {
        auto *onglets = f->findChild<QTabWidget *>(QStringLiteral("PageControl"));
        QTest::mouseClick(onglets->tabBar(), Qt::LeftButton, {}, onglets->tabBar()->tabRect(i).center());
    };
    const auto clicModele = [liste](const QString &nom) {
        const QList<QListWidgetItem *> items = liste->findItems(nom, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << nom.toStdString();
        QTest::mouseClick(liste->viewport(), Qt::LeftButton, {}, liste->visualItemRect(items[0]).center());
    };
    const QImage avant = w.Page()->grab().toImage();

    // A line's font, the women's background, the link shape: the tree follows.
    clic("sbModifier");
    onglet(0);
    QFont fonte(QStringLiteral("Liberation Serif"));
    fonte.setPixelSize(18);
    m_dialogues.Fontes.push_back({fonte, QColor(0, 128, 0)});
    clic("SB_Fonte");
    onglet(1);
    auto *sexe = f->findChild<QComboBox *>(QStringLiteral("cbSexe"));
    sexe->setFocus();
    QTest::keyClick(sexe, Qt::Key_Down);
    clic("rgSexe1", QPoint(6, 8));
    m_dialogues.Couleurs.push_back(QColor(255, 255, 0));
    clic("sbChoix");
    onglet(3);
    clic("rgRelier1", QPoint(6, 8));
    QApplication::processEvents();
    EXPECT_EQ(constructions, 1);
    EXPECT_EQ(Looks[1].Look.Ligne[0].Fonte.Nom, u"Liberation Serif");
    EXPECT_EQ(Looks[2].Look.Femme.Couleur, TColor(0x00FFFF));
    EXPECT_EQ(Looks[1].Relier, 1);
    const QImage apres = w.Page()->grab().toImage();
    EXPECT_NE(apres, avant);
    bool femmeJaune = false;
    for (const auto &b : w.Arbre()->Boites())
        if (!b->Homme() && b->Bounds().width() > 4)
            femmeJaune = femmeJaune || apres.pixel(b->Bounds().topLeft() + QPoint(4, b->Bounds().height() - 4)) == qRgb(255, 255, 0);
    EXPECT_TRUE(femmeJaune);

    // Saved as a new model, then another model, then back.
    auto *nom = f->findChild<QLineEdit *>(QStringLiteral("eFile"));
    nom->setFocus();
    nom->selectAll();
    QTest::keyClicks(nom, QStringLiteral("mon look"));
    clic("SB_CelluleSauve");
    EXPECT_TRUE(m_dialogues.Messages.isEmpty());
    EXPECT_TRUE(QFileInfo::exists(DossierArbreUser + QStringLiteral("mon look.mva")));
    EXPECT_TRUE(QFileInfo::exists(DossierArbreUser + QStringLiteral("mon look.png")));
    EXPECT_FALSE(QFileInfo::exists(modeles + QStringLiteral("mon look.mva")));
    const TLooks modifie = Looks;
    clic("sbModifier");
    clicModele(QStringLiteral("classique"));
    EXPECT_EQ(Looks[1].Look.Ligne[0].Fonte.Nom, u"Times New Roman");
    clicModele(QStringLiteral("mon look"));
    for (int n = 1; n <= 2; ++n)
        EXPECT_EQ(Looks[std::size_t(n)].Look, modifie[std::size_t(n)].Look) << n;
    QApplication::processEvents();
    EXPECT_EQ(w.Arbre()->GetBoiteRefPers()->Bounds().width(), Looks[1].Large);

    // Another database opened with the editor on screen: the editor edits
    // that database's look.
    {
        TBD bd;
        TEnteteMvd entete;
        entete.RefPers = bd.NewPerson();
        entete.NomLook = QStringLiteral("compact");
        ASSERT_TRUE(SauveMvd(chemin("compact.mvd"), bd, entete).Ok());
    }
    ASSERT_TRUE(w.Charge(chemin("compact.mvd")));
    EXPECT_EQ(Looks[1].Large, 100);
    EXPECT_EQ(f->LookEdite().Large, 100);
    EXPECT_EQ(nom->text(), u"compact");

    clic("B_Ok");
    EXPECT_FALSE(f->isVisible());
    EXPECT_FALSE(commande->isChecked());
}

// The look of a database lives in its header only: choosing one in the
// editor, by its thumbnail or its drop-down, marks the database modified, so
// that quitting asks to save it and it opens again in that look.
TEST_F(ArbreFenetre, ALookChosenIsSavedWithTheDatabase)
{
    const QString base = chemin("exemple.mvd");
    ASSERT_TRUE(QFile::copy(QStringLiteral(LIGNEE_MODELE "/exemples/exemple.mvd"), base));
    QFile::setPermissions(base, QFile::ReadOwner | QFile::WriteOwner);
    auto w = std::make_unique<TQuorWin>();
    w->show();
    w->Initialise({base});
    ASSERT_EQ(NomLook, u"defaut");
    ASSERT_EQ(BaseModifiee, 0);
    QTest::mouseClick(w->findChild<QToolButton *>(QStringLiteral("sbCellule")), Qt::LeftButton);
    auto *liste = w->Cellule()->findChild<QListWidget *>(QStringLiteral("lbFileList"));
    const auto clicModele = [liste](const QString &nom) {
        const QList<QListWidgetItem *> items = liste->findItems(nom, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << nom.toStdString();
        QTest::mouseClick(liste->viewport(), Qt::LeftButton, {}, liste->visualItemRect(items[0]).center());
    };
    // The look already there changes nothing.
    clicModele(QStringLiteral("defaut"));
    EXPECT_EQ(BaseModifiee, 0);
    clicModele(QStringLiteral("classique"));
    EXPECT_EQ(NomLook, u"classique");
    EXPECT_EQ(BaseModifiee, 1);
    EXPECT_TRUE(w->windowTitle().endsWith(QStringLiteral(" *")));
    QTest::mouseClick(w->Cellule()->findChild<QPushButton *>(QStringLiteral("B_Ok")), Qt::LeftButton);

    // Quitting asks; Yes saves the look's name with the database.
    m_dialogues.Reponses = {ReponseOui};
    EXPECT_TRUE(w->close());
    EXPECT_EQ(m_dialogues.Messages.size(), 1);
    w.reset();
    Looks = TLooks();
    NomLook.clear();
    w = std::make_unique<TQuorWin>();
    w->show();
    w->Initialise({base});
    EXPECT_EQ(NomLook, u"classique");
    EXPECT_EQ(Looks[1].Look.Ligne[0].Fonte.Nom, u"Times New Roman");

    // The drop-down chooses as well.
    QTest::mouseClick(w->findChild<QToolButton *>(QStringLiteral("sbCellule")), Qt::LeftButton);
    auto *deroulante = w->Cellule()->findChild<QComboBox *>(QStringLiteral("CB_FileList"));
    const int defaut = deroulante->findText(QStringLiteral("defaut"));
    ASSERT_GE(defaut, 0);
    deroulante->setFocus();
    QTest::keyClick(deroulante, Qt::Key_Home);
    for (int i = 0; i < defaut; ++i)
        QTest::keyClick(deroulante, Qt::Key_Down);
    EXPECT_EQ(NomLook, u"defaut");
    EXPECT_EQ(BaseModifiee, 1);
    BaseModifiee = 0;
}

// The automatic zoom fits the tree as drawn into the view: on the example
// (four generations of ancestors), in the vertical binary style with a wide
// gap, however many generations are asked for, every box is seen whole
// without a scroll bar, and the tree is not shrunk below what it needs.
TEST_F(ArbreFenetre, TheAutomaticZoomFitsTheTreeWithoutScrollBars)
{
    TQuorWin w;
    w.show();
    w.Initialise({QStringLiteral(LIGNEE_MODELE "/exemples/exemple.mvd")});
    Reglages().ZoomAuto = true;
    auto *vue = w.findChild<QScrollArea *>(QStringLiteral("Arbre"));
    Looks[2].Style = 0;
    for (const int largeur : {1100, 700}) {
        w.resize(largeur, 600);
        for (const int ecart : {143, 20}) {
            for (const int generations : {1, 2, 3, 4, 10}) {
                SCOPED_TRACE(QStringLiteral("%1 px, gap %2, %3 generations").arg(largeur).arg(ecart).arg(generations).toStdString());
                Looks[1].Style = 4;
                Looks[1].EcatHorz = ecart;
                Looks[1].NbreGen = generations;
                w.Arbre()->Execute();
                QApplication::processEvents();
                const QRect arbre = w.Arbre()->GetRect();
                EXPECT_FALSE(vue->horizontalScrollBar()->isVisible());
                EXPECT_FALSE(vue->verticalScrollBar()->isVisible());
                EXPECT_TRUE(QRect(QPoint(0, 0), vue->viewport()->size()).contains(arbre))
                    << arbre.right() << ',' << arbre.bottom() << " in " << vue->viewport()->width() << 'x'
                    << vue->viewport()->height();
                // Fitted: one more step of zoom would not fit.
                const int zoom = Looks[1].Zoom;
                EXPECT_TRUE(zoom == 100 || arbre.right() + arbre.right() / zoom + 2 >= vue->viewport()->width()
                            || arbre.bottom() + arbre.bottom() / zoom + 2 >= vue->viewport()->height())
                    << zoom;
                EXPECT_GE(w.Arbre()->Boites().front()->Bounds().width(), 10) << zoom;
            }
        }
    }
}

TEST_F(ArbreFenetre, ACutTreeIsToldInTheStatusLine)
{
    TQuorWin w;
    w.show();
    w.Initialise({});
    TBD &bd = w.Base();
    const int a = bd.NewPerson();
    const int b = bd.NewPerson();
    bd.SetFather(a, b);
    bd.SetFather(b, a);
    RefPers = a;
    Looks[1].Style = 4;
    Looks[1].NbreGen = 999;
    Looks[2].Style = 0;
    w.Arbre()->Execute();
    EXPECT_TRUE(w.Arbre()->Coupe());
    EXPECT_TRUE(w.statusBar()->currentMessage().contains(QStringLiteral("coupé")));

    Looks[1].NbreGen = 3;
    w.Arbre()->Execute();
    EXPECT_FALSE(w.Arbre()->Coupe());
    EXPECT_TRUE(w.statusBar()->currentMessage().isEmpty());
    // A father, grandfather and great-grandfather in turn: a, b, a.
    EXPECT_EQ(w.Arbre()->Boites().size(), 4u);
}

} // namespace
