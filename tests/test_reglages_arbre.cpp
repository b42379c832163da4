#include "AideArbre.h"
#include "DialoguesScriptes.h"
#include "FamilleTest.h"
#include "Options.h"
#include "TfmReglagesArbre.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
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
    for (QDialog *fenetre : std::initializer_list<QDialog *>{&ecart, &large, &gen, &zoom}) {
        fenetre->show();
        EXPECT_FALSE(Ctrl<QPushButton>(*fenetre, "BitBtn1")->isVisible()) << fenetre->objectName().toStdString();
        Clic(*fenetre, "BitBtn1");
    }
    EXPECT_EQ(dialogues.Astuces, (QList<int>{7, 6, 5, 8}));
}

// ---- Gaps and widths ------------------------------------------------------

TEST_F(Reglages_, GapsGoToTheChosenLooksAndBuildOncePerTurnOrOnOk)
{
    Looks[1].EcatHorz = 10, Looks[1].EcartVert = 20;
    Looks[2].EcatHorz = 30, Looks[2].EcartVert = 40;
    TfmEcart f(*m_arbre);
    f.show();
    auto *seH = Spin(f, "seH");
    auto *seV = Spin(f, "seV");
    EXPECT_EQ(std::pair(seH->value(), seV->value()), std::pair(10, 20)); // "Les deux" shows look 1
    Clic(f, "rbDes"); // picking a look only shows it
    EXPECT_EQ(std::pair(seH->value(), Barre(f, "tbV")->value()), std::pair(30, 40));
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
    seV->setValue(0); // no gap at all
    EXPECT_EQ(Ecarts(1), std::pair(0, 0));
    seV->setValue(25);
    EXPECT_EQ(Ecarts(2), std::pair(10, 25));
    EXPECT_EQ(Constructions(), 1); // every change of this turn, built once

    // A gap typed survives moving the other track bar.
    Clic(f, "rbDeux");
    Barre(f, "tbV")->setValue(150);
    EXPECT_EQ(seV->value(), 150);
    seH->setValue(120);
    EXPECT_EQ(Barre(f, "tbH")->value(), 120);
    Barre(f, "tbV")->setValue(100);
    EXPECT_EQ(Ecarts(1), std::pair(120, 100));
    EXPECT_EQ(Ecarts(2), std::pair(120, 100));
    Constructions();

    // Without live application a change is stored, not shown, until OK.
    auto *appliquer = Ctrl<QCheckBox>(f, "cbAppliquer");
    appliquer->setChecked(false);
    seH->setValue(70);
    EXPECT_EQ(Looks[1].EcatHorz, 70);
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
    for (bool enDirect : {true, false}) {
        SCOPED_TRACE(enDirect);
        TfmLarge f(*m_arbre);
        f.show();
        // Each look's width in its own control.
        EXPECT_EQ(std::pair(Spin(f, "seAsc")->value(), Spin(f, "seDes")->value()),
                  std::pair(Looks[1].Large, Looks[2].Large));
        Ctrl<QCheckBox>(f, "cbAppliquer")->setChecked(enDirect);
        Spin(f, "seAsc")->setValue(enDirect ? 120 : 60);
        Spin(f, "seAsc")->setValue(enDirect ? 130 : 60);
        Barre(f, "tbDes")->setValue(140);
        EXPECT_EQ(Spin(f, "seDes")->value(), 140);
        EXPECT_EQ(Barre(f, "tbAsc")->value(), enDirect ? 130 : 60);
        EXPECT_EQ(Constructions(), enDirect ? 1 : 0); // the changes of a turn, built once
        // The preview gives each look its own width.
        EXPECT_EQ(std::pair(Looks[1].Large, Looks[2].Large), std::pair(enDirect ? 130 : 60, 140));
        Clic(f, "B_Ok");
        EXPECT_EQ(f.result(), QDialog::Accepted);
        EXPECT_FALSE(f.isVisible());
        EXPECT_EQ(Constructions(), enDirect ? 0 : 1);
        EXPECT_EQ(std::pair(Looks[1].Large, Looks[2].Large), std::pair(enDirect ? 130 : 60, 140));
        EXPECT_EQ(LargeurEcran(), Looks[1].Large);
    }
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
        EXPECT_FALSE(f.isVisible());
        EXPECT_EQ(f.result(), QByteArray(bouton) == "B_Ok" ? QDialog::Accepted : QDialog::Rejected);
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

TEST_F(Zoom_, ZoomValuesAreBroughtIntoRangeAndAppliedOncePerTurn)
{
    Looks[1].Zoom = Looks[2].Zoom = 70;
    TfmZoom f(*m_arbre);
    f.show();
    auto *se = Spin(f, "seZoom");
    auto *tb = Barre(f, "tbZoom");
    // Both controls show the zoom of the tree.
    EXPECT_EQ(std::pair(se->value(), tb->value()), std::pair(70, 70));
    se->setValue(100);
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
    // Live: the boxes move once the turn ends, without a rebuild.
    se->setValue(50);
    tb->setValue(70);
    EXPECT_TRUE(m_arbre->RePositionnePrevu());
    EXPECT_EQ(LargeurEcran(), 100);
    QApplication::processEvents();
    EXPECT_FALSE(m_arbre->RePositionnePrevu());
    EXPECT_EQ(LargeurEcran(), 70);
    Ctrl<QCheckBox>(f, "cbAppliquer")->setChecked(false);
    se->setValue(40);
    QApplication::processEvents();
    EXPECT_EQ(LargeurEcran(), 70);
    // Checked again, the box shows the zoom typed at once.
    Ctrl<QCheckBox>(f, "cbAppliquer")->setChecked(true);
    QApplication::processEvents();
    EXPECT_EQ(LargeurEcran(), 40);
    Ctrl<QCheckBox>(f, "cbAppliquer")->setChecked(false);
    se->setValue(30);
    QApplication::processEvents();
    EXPECT_EQ(LargeurEcran(), 40);
    Clic(f, "B_Ok");
    EXPECT_FALSE(f.isVisible());
    QApplication::processEvents();
    EXPECT_EQ(LargeurEcran(), 30);
    EXPECT_EQ(Constructions(), 0);

    // A zoom found at 0 is not stored as 0 either.
    Looks[1].Zoom = Looks[2].Zoom = 0;
    TfmZoom g(*m_arbre);
    g.show();
    Clic(g, "B_Ok");
    EXPECT_EQ(std::pair(Looks[1].Zoom, Looks[2].Zoom), std::pair(1, 1));
}

TEST_F(Zoom_, AutomaticZoomIsTheFitAtMostHundredAndLeftByHundredPerCent)
{
    const int ajuste = Ajuste();
    ASSERT_GT(ajuste, 1);
    ASSERT_LT(ajuste, 100);
    for (bool enDirect : {true, false}) {
        SCOPED_TRACE(enDirect);
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
        EXPECT_FALSE(se->isEnabled() || Barre(f, "tbZoom")->isEnabled());
        QApplication::processEvents();
        EXPECT_EQ(LargeurEcran(), enDirect ? se->value() : 100);
        Clic(f, "Button1"); // 100%
        EXPECT_FALSE(Ctrl<QCheckBox>(f, "cbAuto")->isChecked() || Reglages().ZoomAuto);
        EXPECT_TRUE(se->isEnabled());
        EXPECT_EQ(std::pair(Looks[1].Zoom, Looks[2].Zoom), std::pair(100, 100));
        QApplication::processEvents();
        EXPECT_EQ(LargeurEcran(), 100);
    }
    // Opened in automatic zoom: the fit, at most 100 when the reference box
    // alone fits many times over.
    Reglages().ZoomAuto = true;
    for (bool seul : {false, true}) {
        if (seul) {
            m_arbre->Execute();
            Looks[1].Zoom = Looks[2].Zoom = 40;
            m_arbre->RePositionne();
        }
        TfmZoom f(*m_arbre);
        f.show();
        EXPECT_TRUE(Ctrl<QCheckBox>(f, "cbAuto")->isChecked());
        EXPECT_EQ(Spin(f, "seZoom")->value(), seul ? 100 : ajuste);
        EXPECT_FALSE(Spin(f, "seZoom")->isEnabled());
    }
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

TEST_F(Reglages_, AStyleGroupHoldsOneButtonDownAtMostAndExtraRelativesFollowTheirButtons)
{
    Looks[1].Style = 2;
    m_arbre->ShowConj = false;
    m_arbre->ShowFratrie = true;
    TfmArbreApparence f(*m_arbre);
    EXPECT_FALSE(Ctrl<QToolButton>(f, "sbConj")->isChecked());
    EXPECT_TRUE(Ctrl<QToolButton>(f, "sbFratrie")->isChecked());
    Clic(f, "SB_AscVert");
    VerifieBoutons(f, 4, 0);
    EXPECT_EQ(Looks[1].Style, 4);
    Clic(f, "SB_AscVert"); // releasing the last one: no ascendance drawn
    VerifieBoutons(f, 0, 0);
    EXPECT_EQ(Looks[1].Style, 0);
    Clic(f, "SB_DesVertGrp");
    Clic(f, "sbConj");
    Clic(f, "sbFratrie");
    EXPECT_EQ(std::pair(m_arbre->ShowConj, m_arbre->ShowFratrie), std::pair(true, false));
    Clic(f, "SB_DesGrp"); // grouped descendance draws no siblings
    VerifieBoutons(f, 0, 1);
    EXPECT_EQ(Constructions(), 1);
}

} // namespace
