// The record-tree navigator, driven with the mouse and the keyboard.

#include <gtest/gtest.h>

#include <QImage>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "FamilleTest.h"
#include "Globales.h"
#include "Langue.h"
#include "Options.h"
#include "TfmFicheArbre.h"

using namespace Qt::StringLiterals;

namespace {

class Hote final : public THoteFicheArbre
{
public:
    int SelecPers() const override { return Selec; }
    void SetSelecPers(int p) override
    {
        Selec = p;
        ++Changements;
        if (Fenetre)
            Fenetre->Actualise();
    }
    bool FormKeyDown(int key, Qt::KeyboardModifiers) override
    {
        Touches << key;
        return key == Qt::Key_F2;
    }

    int Selec = 0;
    int Changements = 0;
    QList<int> Touches;
    TfmFicheArbre *Fenetre = nullptr;
};

class FicheArbre : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(ChargeLangue(QStringLiteral(LIGNEE_MODELE "/langue.txt"), nullptr));
        Options() = TOptions();
        Options().Fiche1 = u"<nom> <prénom>"_s;
        Options().Fiche2 = u"<prénom>"_s;
        m_fenetre = std::make_unique<TfmFicheArbre>(bd(), m_hote);
        m_hote.Fenetre = m_fenetre.get();
    }
    void TearDown() override
    {
        m_fenetre.reset();
        Options() = TOptions();
    }

    TBD &bd() { return m_famille.bd; }
    // Shows the window on person p.
    void montre(int p)
    {
        m_hote.Selec = p;
        m_fenetre->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_fenetre.get()));
    }
    QListWidget *liste(const char *nom)
    {
        auto *l = m_fenetre->findChild<QListWidget *>(QString::fromLatin1(nom));
        EXPECT_NE(l, nullptr) << nom;
        return l;
    }
    QStringList lignes(const char *nom)
    {
        QStringList t;
        for (int i = 0; i < liste(nom)->count(); ++i)
            t << liste(nom)->item(i)->text();
        return t;
    }
    // A click on line `ligne` of a list, or on the middle of the list for -1.
    void clique(const char *nom, int ligne, Qt::MouseButton bouton = Qt::LeftButton)
    {
        QListWidget *l = liste(nom);
        const QPoint ou = ligne < 0 ? l->viewport()->rect().center() : l->visualItemRect(l->item(ligne)).center();
        QTest::mouseClick(l->viewport(), bouton, {}, ou);
    }

    FamilleTest m_famille;
    Hote m_hote;
    std::unique_ptr<TfmFicheArbre> m_fenetre;
};

TEST_F(FicheArbre, TheBoxesAroundAPerson)
{
    bd().SetAttribute(4, u"Profession"_s, u"Menuisier"_s);
    bd().SetField(4, PcNaissanceLieu, u"Lyon"_s);
    bd().SetField(4, PcDecesDate, u"2/5/1990"_s);
    bd().SetField(4, PcDecesLieu, u"Paris"_s);
    montre(4);
    EXPECT_EQ(m_fenetre->windowTitle(), u"Fiche sous forme d'arbre");
    EXPECT_EQ(lignes("lbPere"), (QStringList{u"MARTIN Jean"_s, u"Naissance 1900"_s}));
    EXPECT_EQ(lignes("lbMere"), (QStringList{u"DURAND Marie"_s, u"Naissance 1902"_s}));
    EXPECT_EQ(lignes("lbCentre"), (QStringList{u"MARTIN Pierre"_s, u"Menuisier"_s, u"Naissance 3/4/1926"_s,
                                               u"Lieu de naissance Lyon"_s, u"Décès 2/5/1990"_s,
                                               u"Lieu de décès Paris"_s}));
    // Half-siblings by either parent, by birth date.
    EXPECT_EQ(lignes("lbFatrie"), (QStringList{u"Anne"_s, u"Claude"_s, u"Paul"_s}));
    EXPECT_EQ(lignes("lbEnfant"), QStringList{u"Luc"_s});
    EXPECT_EQ(lignes("lbUnion"), QStringList{u"BERNARD Sophie 1950"_s});
    EXPECT_EQ(liste("lbUnion")->currentRow(), 0);
    // The partner has no parents: two blank lines.
    EXPECT_EQ(lignes("lbUnionParent"), (QStringList{QString(), QString()}));
}

TEST_F(FicheArbre, EdgeCases)
{
    // Nobody around: every box but the centre is empty, and clicks on the
    // parents' boxes do nothing.
    const int seul = m_famille.personne("SEUL", "Alain", SexeHomme, "");
    montre(seul);
    EXPECT_EQ(lignes("lbCentre"), QStringList{u"SEUL Alain"_s});
    for (const char *nom : {"lbPere", "lbMere", "lbFatrie", "lbEnfant", "lbUnion", "lbUnionParent"})
        EXPECT_EQ(liste(nom)->count(), 0) << nom;
    clique("lbPere", -1);
    clique("lbMere", -1);
    EXPECT_EQ(m_hote.Changements, 0);

    // A woman's spouse boxes show her husbands, each with the marriage date
    // when there is one.
    m_hote.SetSelecPers(5);
    EXPECT_EQ(lignes("lbUnion"), QStringList{u"LEROY Henri"_s});
    m_hote.SetSelecPers(2);
    EXPECT_EQ(lignes("lbUnion"), QStringList{u"MARTIN Jean 1925"_s});

    // A partner with a mother only: the mother stays on the second line,
    // and the blank first line leads nowhere.
    bd().SetFather(12, 0);
    m_hote.SetSelecPers(9);
    EXPECT_EQ(lignes("lbUnionParent"), (QStringList{QString(), u"MARTIN Anne"_s}));
    const int avant = m_hote.Changements;
    clique("lbUnionParent", 0);
    EXPECT_EQ(m_hote.Changements, avant);
    clique("lbUnionParent", 1);
    EXPECT_EQ(m_hote.Selec, 5);
}

TEST_F(FicheArbre, ClicksWalkThroughTheFamily)
{
    // Three generations up through the fathers...
    montre(13);
    for (int pere : {9, 4, 1}) {
        clique("lbPere", -1);
        EXPECT_EQ(m_hote.Selec, pere);
        EXPECT_EQ(lignes("lbCentre").value(0), bd().Surname(pere) + u' ' + bd().GivenNames(pere));
    }
    // ...down to a child, across to a sister, her husband, their child,
    // and up through the mother.
    clique("lbEnfant", lignes("lbEnfant").indexOf(u"Paul"_s));
    EXPECT_EQ(m_hote.Selec, 6);
    clique("lbFatrie", lignes("lbFatrie").indexOf(u"Anne"_s));
    EXPECT_EQ(m_hote.Selec, 5);
    clique("lbUnion", 0);
    EXPECT_EQ(m_hote.Selec, 11);
    clique("lbEnfant", 0);
    EXPECT_EQ(m_hote.Selec, 12);
    clique("lbMere", -1);
    EXPECT_EQ(m_hote.Selec, 5);

    // The right button on a union line only shows that partner's parents.
    const int pereLouise = m_famille.personne("PETIT", "Louis", SexeHomme, "");
    bd().SetFather(3, pereLouise);
    m_hote.SetSelecPers(1);
    ASSERT_EQ(lignes("lbUnion"), (QStringList{u"DURAND Marie 1925"_s, u"PETIT Louise 1940"_s}));
    const int avant = m_hote.Changements;
    clique("lbUnion", 1, Qt::RightButton);
    EXPECT_EQ(m_hote.Changements, avant);
    EXPECT_EQ(liste("lbUnion")->currentRow(), 1);
    EXPECT_EQ(lignes("lbUnionParent"), (QStringList{u"PETIT Louis"_s, QString()}));
    // An edit elsewhere keeps that line while the person stays the same.
    m_fenetre->Actualise();
    EXPECT_EQ(liste("lbUnion")->currentRow(), 1);
    clique("lbUnionParent", 0);
    EXPECT_EQ(m_hote.Selec, pereLouise);
}

TEST_F(FicheArbre, TheButtonFollowsTheWindowAndKeysGoToTheMainWindow)
{
    m_hote.Selec = 1;
    QToolButton bouton;
    m_fenetre->SetBouton(&bouton);
    EXPECT_TRUE(bouton.isEnabled() && bouton.isCheckable());
    QTest::mouseClick(&bouton, Qt::LeftButton);
    EXPECT_TRUE(m_fenetre->isVisible());
    EXPECT_TRUE(bouton.isChecked());
    EXPECT_EQ(lignes("lbCentre").value(0), u"MARTIN Jean");
    QTest::mouseClick(&bouton, Qt::LeftButton);
    EXPECT_FALSE(m_fenetre->isVisible());

    // Closed from its own frame: the button comes up.
    QTest::mouseClick(&bouton, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_fenetre.get()));
    m_fenetre->close();
    EXPECT_FALSE(bouton.isChecked());

    // Hidden, it does not follow the current person; shown again, it does.
    m_hote.SetSelecPers(2);
    EXPECT_EQ(lignes("lbCentre").value(0), u"MARTIN Jean");
    m_fenetre->show();
    EXPECT_TRUE(bouton.isChecked());
    EXPECT_EQ(lignes("lbCentre").value(0), u"DURAND Marie");

    QTest::keyClick(liste("lbEnfant"), Qt::Key_F2);
    QTest::keyClick(liste("lbEnfant"), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(m_hote.Touches.value(0), Qt::Key_F2);
    EXPECT_EQ(m_hote.Touches.value(m_hote.Touches.size() - 1), Qt::Key_S);
}

TEST_F(FicheArbre, TheSkinPictureFillsTheBackground)
{
    QTemporaryDir skin;
    QImage rouge(8, 8, QImage::Format_RGB32);
    rouge.fill(Qt::red);
    ASSERT_TRUE(rouge.save(skin.filePath(u"FicheArbre.png"_s)));
    const QString avant = DossierSkin;
    for (bool image : {false, true}) {
        DossierSkin = image ? skin.path() + u'/' : QString();
        TfmFicheArbre fenetre(bd(), m_hote);
        m_hote.Selec = 1;
        fenetre.show();
        const QImage vue = fenetre.grab().toImage();
        // The margin around the boxes and the room between them.
        for (QPoint ou : {QPoint(2, 2), QPoint(vue.width() - 3, vue.height() - 3)})
            EXPECT_EQ(vue.pixelColor(ou) == QColor(Qt::red), image) << ou.x() << "," << ou.y();
        // The boxes stay white.
        auto *centre = fenetre.findChild<QListWidget *>(u"lbCentre"_s);
        const QPoint milieu = centre->mapTo(&fenetre, QPoint(centre->width() - 3, centre->height() - 3));
        EXPECT_EQ(vue.pixelColor(milieu), QColor(Qt::white));
    }
    DossierSkin = avant;
}

} // namespace
