#include "AideArbre.h"
#include "DialoguesScriptes.h"
#include "FamilleTest.h"
#include "Globales.h"
#include "Options.h"
#include "TPage.h"
#include "TfmReglagesArbre.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>

#include <cstdint>
#include <memory>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

template <class T>
T *Ctrl(const QWidget &fenetre, const char *nom)
{
    T *c = fenetre.findChild<T *>(QString::fromLatin1(nom));
    if (!c)
        ADD_FAILURE() << "no control " << nom;
    return c;
}

QSpinBox *Spin(const QWidget &f, const char *nom) { return Ctrl<QSpinBox>(f, nom); }
QSlider *Barre(const QWidget &f, const char *nom) { return Ctrl<QSlider>(f, nom); }
void Clic(const QWidget &f, const char *nom) { Ctrl<QAbstractButton>(f, nom)->click(); }

std::pair<int, int> Ecarts(int look) { return {Looks[look].EcatHorz, Looks[look].EcartVert}; }

// A real tree on a shown scroll area; builds are counted through Construit.
class Reglages_ : public ::testing::Test
{
protected:
    void SetUp() override
    {
        LitLook(u"/absent/absent.mva"_s, Looks); // box width 100, zoom 100
        Looks[1].Style = Looks[2].Style = 0;
        Reglages().ZoomAuto = false;
        Options() = TOptions();
        RefPers = 4;
        RelieArbre(m_vue, m_page, m_arbre, m_famille.bd, m_hote, QSize(400, 300));
        m_arbre->Execute();
        QObject::connect(m_arbre.get(), &TAffArbre::Construit, [this] { ++m_constructions; });
    }
    void TearDown() override
    {
        Reglages().ZoomAuto = m_zoomAuto;
        RefPers = m_refPers;
    }

    // Builds run since the last call, once pending requests have run.
    int Constructions()
    {
        QApplication::processEvents();
        return std::exchange(m_constructions, 0);
    }
    // The on-screen width of the reference person's box.
    int LargeurEcran() const { return m_arbre->GetBoiteRefPers()->Bounds().width(); }

    GardeGlobales m_garde;
    const bool m_zoomAuto = Reglages().ZoomAuto;
    const int m_refPers = RefPers;
    FamilleTest m_famille;
    HoteArbreTest m_hote;
    QScrollArea m_vue;
    TPage *m_page = nullptr;
    std::unique_ptr<TAffArbre> m_arbre;
    int m_constructions = 0;
};

TEST_F(Reglages_, TheHiddenTipButtonsShowTheirTips)
{
    TDialoguesScriptes dialogues;
    TfmEcart ecart(*m_arbre);
    TfmLarge large(*m_arbre);
    TfmNbreGen gen;
    TfmZoom zoom(*m_arbre);
    const std::pair<QDialog *, int> cas[] = {{&ecart, 7}, {&large, 6}, {&gen, 5}, {&zoom, 8}};
    for (const auto &[fenetre, astuce] : cas) {
        fenetre->show();
        auto *bouton = Ctrl<QPushButton>(*fenetre, "BitBtn1");
        ASSERT_NE(bouton, nullptr);
        EXPECT_FALSE(bouton->isVisible());
        bouton->click();
        EXPECT_EQ(dialogues.Astuces.value(dialogues.Astuces.size() - 1), astuce);
    }
    EXPECT_EQ(dialogues.Astuces.size(), 4);
}

// ---- Gaps and widths ------------------------------------------------------

TEST_F(Reglages_, GapsGoToTheChosenLooksAndPickingALookOnlyShowsIt)
{
    Looks[1].EcatHorz = 10, Looks[1].EcartVert = 20;
    Looks[2].EcatHorz = 30, Looks[2].EcartVert = 40;
    TfmEcart f(*m_arbre);
    f.show();
    auto *seH = Spin(f, "seH");
    auto *seV = Spin(f, "seV");
    EXPECT_EQ(std::pair(seH->value(), seV->value()), std::pair(10, 20)); // "Les deux" shows look 1

    Clic(f, "rbDes");
    EXPECT_EQ(std::pair(seH->value(), Barre(f, "tbV")->value()), std::pair(30, 40));
    EXPECT_EQ(Ecarts(1), std::pair(10, 20));
    EXPECT_EQ(Ecarts(2), std::pair(30, 40));
    EXPECT_EQ(Constructions(), 0);
    seH->setValue(35);
    EXPECT_EQ(Ecarts(2), std::pair(35, 40));
    EXPECT_EQ(Ecarts(1), std::pair(10, 20));

    // A change under "Les deux" writes both gaps into both looks.
    Clic(f, "rbDeux");
    seV->setValue(25);
    EXPECT_EQ(Ecarts(1), std::pair(10, 25));
    EXPECT_EQ(Ecarts(2), std::pair(10, 25));

    Clic(f, "rbAsc");
    seH->setValue(0);
    EXPECT_EQ(Ecarts(1), std::pair(0, 25));
    EXPECT_EQ(Ecarts(2), std::pair(10, 25));
    EXPECT_EQ(Constructions(), 1); // every change of this turn, built once
}

TEST_F(Reglages_, AGapTypedSurvivesMovingTheOtherTrackBar)
{
    TfmEcart f(*m_arbre);
    f.show();
    Barre(f, "tbV")->setValue(150);
    EXPECT_EQ(Spin(f, "seV")->value(), 150);
    Spin(f, "seH")->setValue(120);
    EXPECT_EQ(Barre(f, "tbH")->value(), 120);
    Barre(f, "tbV")->setValue(100);
    EXPECT_EQ(Ecarts(1), std::pair(120, 100));
    EXPECT_EQ(Ecarts(2), std::pair(120, 100));
}

TEST_F(Reglages_, GapsWithoutLiveApplicationRebuildOnceOnOk)
{
    TfmEcart f(*m_arbre);
    f.show();
    auto *appliquer = Ctrl<QCheckBox>(f, "cbAppliquer");
    EXPECT_TRUE(appliquer->isChecked());
    appliquer->setChecked(false);
    Spin(f, "seH")->setValue(70);
    EXPECT_EQ(Looks[1].EcatHorz, 70); // stored, not shown
    EXPECT_EQ(Constructions(), 0);
    Clic(f, "B_Ok");
    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_FALSE(appliquer->isChecked());
    EXPECT_EQ(Constructions(), 1);
}

TEST_F(Reglages_, WidthOkRebuildsOnlyWhenNotAppliedLive)
{
    Looks[1].Large = 80;
    Looks[2].Large = 90;
    {
        TfmLarge f(*m_arbre);
        f.show();
        EXPECT_EQ(Barre(f, "tbDes")->value(), 90);
        Spin(f, "seAsc")->setValue(120);
        Spin(f, "seAsc")->setValue(130);
        Barre(f, "tbDes")->setValue(140);
        EXPECT_EQ(Spin(f, "seDes")->value(), 140);
        EXPECT_EQ(Barre(f, "tbAsc")->value(), 130);
        EXPECT_EQ(Constructions(), 1);
        EXPECT_EQ(LargeurEcran(), 130);
        Clic(f, "B_Ok");
        EXPECT_EQ(Constructions(), 0);
        EXPECT_EQ(std::pair(Looks[1].Large, Looks[2].Large), std::pair(130, 140));
    }
    TfmLarge f(*m_arbre);
    f.show();
    Ctrl<QCheckBox>(f, "cbAppliquer")->setChecked(false);
    Spin(f, "seAsc")->setValue(60);
    EXPECT_EQ(Constructions(), 0);
    Clic(f, "B_Ok");
    EXPECT_EQ(Constructions(), 1);
    EXPECT_EQ(LargeurEcran(), 60);
}

TEST_F(Reglages_, GenerationsAreStoredOnOkOnly)
{
    Looks[1].NbreGen = 4;
    Looks[2].NbreGen = 6;
    for (const char *bouton : {"B_Annuler", "B_Ok"}) {
        TfmNbreGen f;
        f.show();
        EXPECT_EQ(std::pair(Spin(f, "SE_Asc")->value(), Spin(f, "SE_Des")->value()), std::pair(4, 6));
        Spin(f, "SE_Asc")->setValue(9);
        Spin(f, "SE_Des")->setValue(0);
        EXPECT_EQ(Looks[1].NbreGen, 4); // nothing is applied while it is open
        Clic(f, bouton);
    }
    EXPECT_EQ(std::pair(Looks[1].NbreGen, Looks[2].NbreGen), std::pair(9, 0));
    EXPECT_EQ(Constructions(), 0);
}

// ---- Zoom -----------------------------------------------------------------

class Zoom_ : public Reglages_
{
protected:
    void SetUp() override
    {
        Reglages_::SetUp();
        // A box far away makes the tree larger than its window.
        m_arbre->AjouteBoite(1500, 900, 1, 1);
        m_arbre->RePositionne();
    }
    // The fit measured on the tree placed at zoom 100; the tree is left so.
    int Ajuste()
    {
        Looks[1].Zoom = Looks[2].Zoom = 100;
        m_arbre->RePositionne();
        m_arbre->CalculZoomAuto();
        const int zoom = Looks[1].Zoom;
        Looks[1].Zoom = Looks[2].Zoom = 100;
        return zoom;
    }
};

TEST_F(Zoom_, ZoomValuesAreBroughtIntoRange)
{
    TfmZoom f(*m_arbre);
    f.show();
    auto *se = Spin(f, "seZoom");
    auto *tb = Barre(f, "tbZoom");
    EXPECT_EQ(se->value(), 100);
    se->setValue(0);
    EXPECT_EQ(std::pair(se->value(), tb->value()), std::pair(1, 1));
    EXPECT_EQ(std::pair(Looks[1].Zoom, Looks[2].Zoom), std::pair(1, 1));
    // The track bar reaches 1000, the spin edit stops at 999, also when it
    // holds 999 already.
    for (int depart : {500, 999}) {
        se->setValue(depart);
        tb->setValue(1000);
        EXPECT_EQ(std::pair(se->value(), tb->value()), std::pair(999, 999)) << depart;
        EXPECT_EQ(Looks[1].Zoom, 999) << depart;
    }
    // A zoom found at 0 is not stored as 0 either.
    Looks[1].Zoom = Looks[2].Zoom = 0;
    TfmZoom g(*m_arbre);
    g.show();
    Clic(g, "B_Ok");
    EXPECT_EQ(std::pair(Looks[1].Zoom, Looks[2].Zoom), std::pair(1, 1));
}

TEST_F(Zoom_, LiveZoomMovesTheBoxesOncePerTurnWithoutRebuilding)
{
    TfmZoom f(*m_arbre);
    f.show();
    Spin(f, "seZoom")->setValue(50);
    Barre(f, "tbZoom")->setValue(70);
    EXPECT_TRUE(m_arbre->RePositionnePrevu());
    EXPECT_EQ(LargeurEcran(), 100);
    QApplication::processEvents();
    EXPECT_FALSE(m_arbre->RePositionnePrevu());
    EXPECT_EQ(LargeurEcran(), 70);

    Ctrl<QCheckBox>(f, "cbAppliquer")->setChecked(false);
    Spin(f, "seZoom")->setValue(40);
    QApplication::processEvents();
    EXPECT_EQ(LargeurEcran(), 70);
    Clic(f, "B_Ok");
    QApplication::processEvents();
    EXPECT_EQ(LargeurEcran(), 40);
    EXPECT_EQ(Constructions(), 0);
}

TEST_F(Zoom_, CheckingAutomaticZoomReplacesTheTypedZoomByTheFit)
{
    const int ajuste = Ajuste();
    ASSERT_GT(ajuste, 1);
    ASSERT_LT(ajuste, 100);
    for (bool enDirect : {true, false}) {
        SCOPED_TRACE(enDirect);
        Looks[1].Zoom = Looks[2].Zoom = 100;
        m_arbre->RePositionne();
        TfmZoom f(*m_arbre);
        f.show();
        Ctrl<QCheckBox>(f, "cbAppliquer")->setChecked(enDirect);
        auto *se = Spin(f, "seZoom");
        se->setValue(300);
        QApplication::processEvents();
        // Not shown yet without live application: the fit must not be
        // measured against the typed zoom.
        Ctrl<QCheckBox>(f, "cbAuto")->setChecked(true);
        EXPECT_TRUE(Reglages().ZoomAuto);
        EXPECT_NEAR(se->value(), ajuste, 1);
        EXPECT_EQ(std::pair(Looks[1].Zoom, Looks[2].Zoom), std::pair(se->value(), se->value()));
        EXPECT_FALSE(se->isEnabled());
        EXPECT_FALSE(Barre(f, "tbZoom")->isEnabled());
        QApplication::processEvents();
        EXPECT_EQ(LargeurEcran(), enDirect ? se->value() : 100);
        Reglages().ZoomAuto = false;
    }
}

TEST_F(Zoom_, AutomaticZoomAtMostHundredAndLeftByHundredPerCent)
{
    const int ajuste = Ajuste();
    Reglages().ZoomAuto = true;
    {
        TfmZoom f(*m_arbre);
        f.show();
        EXPECT_TRUE(Ctrl<QCheckBox>(f, "cbAuto")->isChecked());
        EXPECT_EQ(Spin(f, "seZoom")->value(), ajuste);
        Clic(f, "Button1");
        EXPECT_FALSE(Ctrl<QCheckBox>(f, "cbAuto")->isChecked());
        EXPECT_FALSE(Reglages().ZoomAuto);
        EXPECT_TRUE(Spin(f, "seZoom")->isEnabled());
        EXPECT_EQ(std::pair(Looks[1].Zoom, Looks[2].Zoom), std::pair(100, 100));
        QApplication::processEvents();
        EXPECT_EQ(LargeurEcran(), 100);
    }
    // The reference box alone fits many times over: the zoom stays at 100.
    m_arbre->Execute();
    Looks[1].Zoom = Looks[2].Zoom = 40;
    m_arbre->RePositionne();
    Reglages().ZoomAuto = true;
    TfmZoom f(*m_arbre);
    f.show();
    EXPECT_EQ(Spin(f, "seZoom")->value(), 100);
    EXPECT_FALSE(Spin(f, "seZoom")->isEnabled());
}

// ---- Layout styles --------------------------------------------------------

const char *const BoutonsAsc[] = {nullptr, "SB_AscGrp", "SB_AscVertGrp", "SB_AscHorzGrp", "SB_AscVert", "SB_AscHorz"};
const char *const BoutonsDes[] = {nullptr, "SB_DesGrp", "SB_DesVertGrp", "SB_DesHorzGrp"};

// The layout pairs that can be drawn together.
bool PaireAdmise(int asc, int des)
{
    if (des == 2)
        return asc == 0 || asc == 2 || asc == 4;
    if (des == 3)
        return asc == 0 || asc == 1 || asc == 3 || asc == 5;
    return true;
}

void VerifieBoutons(const QWidget &f, int asc, int des)
{
    for (int a = 1; a <= 5; ++a) {
        EXPECT_EQ(Ctrl<QToolButton>(f, BoutonsAsc[a])->isEnabled(), PaireAdmise(a, des)) << BoutonsAsc[a];
        EXPECT_EQ(Ctrl<QToolButton>(f, BoutonsAsc[a])->isChecked(), a == asc) << BoutonsAsc[a];
    }
    for (int d = 1; d <= 3; ++d) {
        EXPECT_EQ(Ctrl<QToolButton>(f, BoutonsDes[d])->isEnabled(), PaireAdmise(asc, d)) << BoutonsDes[d];
        EXPECT_EQ(Ctrl<QToolButton>(f, BoutonsDes[d])->isChecked(), d == des) << BoutonsDes[d];
    }
    EXPECT_EQ(Ctrl<QToolButton>(f, "sbConj")->isEnabled(), des >= 1);
    EXPECT_EQ(Ctrl<QToolButton>(f, "sbFratrie")->isEnabled(), des >= 2);
}

TEST_F(Reglages_, StyleButtonsOnlyOfferLayoutsThatGoTogether)
{
    for (int asc = 0; asc <= 5; ++asc)
        for (int des = 0; des <= 3; ++des) {
            if (!PaireAdmise(asc, des))
                continue;
            SCOPED_TRACE(testing::Message() << asc << "/" << des);
            Looks[1].Style = static_cast<std::uint8_t>(asc);
            Looks[2].Style = static_cast<std::uint8_t>(des);
            {
                TfmArbreApparence f(*m_arbre); // opened on those styles
                VerifieBoutons(f, asc, des);
            }
            Looks[1].Style = Looks[2].Style = 0;
            TfmArbreApparence f(*m_arbre); // reached by clicks from none
            if (asc)
                Clic(f, BoutonsAsc[asc]);
            if (des)
                Clic(f, BoutonsDes[des]);
            EXPECT_EQ((std::pair<int, int>(Looks[1].Style, Looks[2].Style)), std::pair(asc, des));
            VerifieBoutons(f, asc, des);
        }
}

TEST_F(Reglages_, AStyleGroupHoldsOneButtonDownAtMost)
{
    Looks[1].Style = 2;
    TfmArbreApparence f(*m_arbre);
    Clic(f, "SB_AscVert");
    VerifieBoutons(f, 4, 0);
    EXPECT_EQ(Looks[1].Style, 4);
    Clic(f, "SB_AscVert"); // releasing the last one: no ascendance drawn
    VerifieBoutons(f, 0, 0);
    EXPECT_EQ(Looks[1].Style, 0);
    EXPECT_EQ(Constructions(), 1);
}

TEST_F(Reglages_, ExtraRelativesFollowTheirButtons)
{
    m_arbre->ShowConj = false;
    m_arbre->ShowFratrie = true;
    Looks[2].Style = 2;
    TfmArbreApparence f(*m_arbre);
    EXPECT_FALSE(Ctrl<QToolButton>(f, "sbConj")->isChecked());
    EXPECT_TRUE(Ctrl<QToolButton>(f, "sbFratrie")->isChecked());
    Clic(f, "sbConj");
    Clic(f, "sbFratrie");
    EXPECT_EQ(std::pair(m_arbre->ShowConj, m_arbre->ShowFratrie), std::pair(true, false));
    Clic(f, "SB_DesGrp"); // grouped descendance draws no siblings
    VerifieBoutons(f, 0, 1);
    EXPECT_EQ(Constructions(), 1);
}

} // namespace
