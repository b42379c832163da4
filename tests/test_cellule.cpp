// The tree look editor driven as a user drives it, on a real tree whose
// builds are counted; its model panel on a temporary look folder; the
// field-code builder it opens.

#include "AideArbre.h"
#include "Dessin.h"
#include "DialoguesScriptes.h"
#include "FamilleTest.h"
#include "ImagesArbre.h"
#include "Images.h"
#include "Langue.h"
#include "ModelesLivres.h"
#include "ModelesLook.h"
#include "ModelesUtilisateur.h"
#include "Options.h"
#include "ReponseModale.h"
#include "TfmCellule.h"
#include "TfmEditeContenu.h"
#include "VignettesLivrees.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include <memory>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

class HoteCellule final : public THoteArbre
{
public:
    int Selec = 4; // Pierre MARTIN, the reference
    int SelecPers() const override { return Selec; }
    void SetSelecPers(int p) override { Selec = p; }
    void ShowFiche() override {}
    void TitreFenetre() override {}
    void ArbreMouseDown(Qt::MouseButton, Qt::KeyboardModifiers, const QPoint &) override {}
    QMenu *MenuBoite() override { return nullptr; }
};

QByteArray Octets(const QString &chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Ecrit(const QString &chemin, const QByteArray &octets)
{
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(octets);
}

// The fields a look file keeps: the computed ones are those of the last build.
TLooks Stockes(TLooks looks)
{
    for (T1Aff &a : looks)
        a.PasHorz = a.PasVert = a.HauteurBoite = 0;
    return looks;
}

bool MemesPixels(const QImage &a, const QImage &b)
{
    return a.size() == b.size() && a.convertToFormat(QImage::Format_RGB32) == b.convertToFormat(QImage::Format_RGB32);
}

class Cellule : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_tmp.isValid());
        ASSERT_TRUE(ChargeLangue(QStringLiteral(LIGNEE_MODELE "/langue.txt")));
        DossierArbre = m_tmp.filePath(u"arbre/"_s);
        DossierImageArbre = m_tmp.filePath(u"ImageArbre/"_s);
        ASSERT_TRUE(QDir().mkpath(DossierArbre) && QDir().mkpath(DossierImageArbre));
        LitLook(u"/absent/defaut.mva"_s, Looks);
        Looks[1].Style = 2;
        Looks[2].Style = 3;
        Looks[1].Relier = Looks[2].Relier = 2;
        Reglages().ZoomAuto = false;
        Options() = TOptions();
        RefPers = 4;
        RelieArbre(m_vue, m_page, m_arbre, m_famille.bd, m_hote, QSize(700, 500));
        m_arbre->Execute();
        QObject::connect(m_arbre.get(), &TAffArbre::Construit, [this] { ++m_constructions; });
        m_fenetre = std::make_unique<TfmCellule>(m_famille.bd, *m_arbre, m_hote);
        m_fenetre->Commande()->trigger(); // shown by its command
        ASSERT_TRUE(m_fenetre->isVisible());
        Constructions();
    }
    void TearDown() override
    {
        m_fenetre.reset();
        DossierArbre = m_dossierArbre;
        Reglages().ZoomAuto = m_zoomAuto;
        RefPers = m_refPers;
        AfficheMarges = false;
    }

    template <class T>
    T *Ctrl(const char *nom) const
    {
        T *c = m_fenetre->findChild<T *>(QString::fromLatin1(nom));
        if (!c)
            ADD_FAILURE() << "no control " << nom;
        return c;
    }
    QSpinBox *Spin(const char *nom) const { return Ctrl<QSpinBox>(nom); }
    QListWidget *Lignes() const { return Ctrl<QListWidget>("LB"); }

    void Clic(const char *nom) { Clic(Ctrl<QWidget>(nom)); }
    // A check box or a radio button is clicked on its mark, which a wide
    // one's middle may miss.
    static void Clic(QWidget *w)
    {
        const bool marque = qobject_cast<QCheckBox *>(w) || qobject_cast<QRadioButton *>(w);
        QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(marque ? 6 : w->width() / 2, w->height() / 2));
    }
    static void ClicItem(QListWidget *liste, int ligne)
    {
        QTest::mouseClick(liste->viewport(), Qt::LeftButton, {}, liste->visualItemRect(liste->item(ligne)).center());
    }
    // The editing tabs, shown by "Modifier", at the tab of that title.
    void Onglet(const QString &titre)
    {
        auto *modifier = Ctrl<QToolButton>("sbModifier");
        if (!modifier->isChecked())
            Clic(modifier);
        auto *onglets = Ctrl<QTabWidget>("PageControl");
        for (int i = 0; i < onglets->count(); ++i)
            if (onglets->tabText(i) == titre)
                QTest::mouseClick(onglets->tabBar(), Qt::LeftButton, {}, onglets->tabBar()->tabRect(i).center());
        ASSERT_EQ(onglets->tabText(onglets->currentIndex()), titre);
    }
    // Types a value into a spin box, as a user replaces its text.
    static void Tape(QSpinBox *spin, int valeur)
    {
        spin->setFocus();
        QTest::keyClick(spin, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(spin, QString::number(valeur));
    }
    void Pour(int cible)
    {
        auto *pour = Ctrl<QComboBox>("cbPour");
        pour->setFocus();
        while (pour->currentIndex() < cible)
            QTest::keyClick(pour, Qt::Key_Down);
        while (pour->currentIndex() > cible)
            QTest::keyClick(pour, Qt::Key_Up);
    }

    // Builds run since the last call, once the pending requests have run.
    int Constructions()
    {
        QApplication::processEvents();
        return std::exchange(m_constructions, 0);
    }

    QString Modele(const QString &nom, const char *extension) const
    {
        return DossierArbre + nom + QLatin1String(extension);
    }
    // Saves the look as a model under that name, through the save button.
    void Enregistre(const QString &nom)
    {
        auto *modifier = Ctrl<QToolButton>("sbModifier");
        if (!modifier->isChecked())
            Clic(modifier);
        auto *e = Ctrl<QLineEdit>("eFile");
        e->setFocus();
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Backspace);
        QTest::keyClicks(e, nom);
        Clic("SB_CelluleSauve");
    }

    const GardeGlobales m_garde;
    const QString m_dossierArbre = DossierArbre;
    const bool m_zoomAuto = Reglages().ZoomAuto;
    const int m_refPers = RefPers;
    QTemporaryDir m_tmp;
    TDialoguesScriptes m_dialogues;
    FamilleTest m_famille;
    HoteCellule m_hote;
    QScrollArea m_vue;
    TPage *m_page = nullptr;
    std::unique_ptr<TAffArbre> m_arbre;
    std::unique_ptr<TfmCellule> m_fenetre;
    int m_constructions = 0;
};

// ---- Applying the look ------------------------------------------------------

TEST_F(Cellule, OkGivesTheTargetLooksTheEditsEachKeepingItsStyle)
{
    for (int cible : {0, 1, 2}) {
        SCOPED_TRACE(cible);
        LitLook(u"/absent/defaut.mva"_s, Looks);
        Looks[1].Style = 2;
        Looks[2].Style = 3;
        Looks[2].Large = 90;
        const TLooks avant = Looks;
        m_fenetre->close();
        m_fenetre->Commande()->trigger();
        Constructions();
        Pour(cible);
        Clic("cbApp"); // applied on OK only
        ASSERT_FALSE(Ctrl<QCheckBox>("cbApp")->isChecked());

        Onglet(u"Texte"_s);
        ClicItem(Lignes(), 0);
        m_dialogues.Fontes.push_back({QFont(u"Liberation Serif"_s), QColor(0, 0, 255)});
        m_dialogues.Fontes.front().first.setPixelSize(20);
        m_dialogues.Fontes.front().first.setBold(true);
        Clic("SB_Fonte");
        Onglet(u"Fond"_s);
        Ctrl<QComboBox>("cbSexe")->setFocus();
        QTest::keyClick(Ctrl<QComboBox>("cbSexe"), Qt::Key_Down); // the women
        Clic("rgSexe1");                                // a colour
        m_dialogues.Couleurs.push_back(QColor(10, 20, 30));
        Clic("sbChoix");
        Onglet(u"Liens"_s);
        Clic("rgRelier1");
        Onglet(u"Dimensions"_s);
        Tape(Spin("seLarge"), 150);
        EXPECT_EQ(Stockes(Looks), Stockes(avant)); // nothing applied yet
        EXPECT_EQ(Constructions(), 0);

        Clic("B_Ok");
        EXPECT_FALSE(m_fenetre->isVisible());
        EXPECT_FALSE(m_fenetre->Commande()->isChecked());
        EXPECT_EQ(Constructions(), 1);
        for (int n = 1; n <= 2; ++n) {
            const bool vise = cible == 0 || cible == n;
            const T1Aff &a = Looks[std::size_t(n)];
            EXPECT_EQ(a.Style, avant[std::size_t(n)].Style) << n;
            if (!vise) {
                EXPECT_EQ(Stockes(Looks)[std::size_t(n)], Stockes(avant)[std::size_t(n)]) << n;
                continue;
            }
            const TFonte &f = a.Look.Ligne[0].Fonte;
            EXPECT_EQ(std::tuple(f.Nom, f.Hauteur, f.Style, f.Couleur),
                      std::tuple(u"Liberation Serif"_s, 20, std::uint8_t(fsGras), TColor(0xFF0000))) << n;
            EXPECT_EQ(std::pair(a.Look.Femme.Fond, a.Look.Femme.Couleur), std::pair(1, TColor(0x1E140A))) << n;
            EXPECT_EQ(a.Look.Homme, avant[1].Look.Homme) << n;
            EXPECT_EQ(std::pair(int(a.Relier), a.Large), std::pair(1, 150)) << n;
        }
        // The boxes follow: the reference's box has the new width.
        EXPECT_EQ(m_arbre->GetBoiteRefPers()->Bounds().width(), cible == 2 ? 100 : 150);
        m_fenetre->Commande()->trigger();
        Clic("cbApp");
    }
}

TEST_F(Cellule, LiveChangesBuildOncePerTurnAndTypingWaitsForALineClick)
{
    Onglet(u"Dimensions"_s);
    // A value held down or typed digit by digit: one build for the turn.
    Tape(Spin("seLarge"), 123);
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(Spin("seZoom"), Qt::Key_Down);
    EXPECT_EQ(std::pair(Looks[1].Large, Looks[2].Large), std::pair(123, 123));
    EXPECT_EQ(Looks[1].Zoom, 95);
    EXPECT_EQ(Constructions(), 1);
    EXPECT_EQ(m_arbre->GetBoiteRefPers()->Bounds().width(), 123 * 95 / 100);

    Onglet(u"Texte"_s);
    ClicItem(Lignes(), 0);
    EXPECT_EQ(Constructions(), 0);
    auto *e = Ctrl<QLineEdit>("E");
    e->setFocus();
    e->selectAll();
    QTest::keyClicks(e, u"<sexe> <nom>"_s);
    EXPECT_TRUE(m_fenetre->Modifie());
    EXPECT_EQ(Lignes()->item(0)->text(), u"<sexe> <nom>");
    EXPECT_EQ(Looks[1].Look.Ligne[0].Texte, u"<nom> <prénom>");
    EXPECT_EQ(Constructions(), 0);
    ClicItem(Lignes(), 0); // a click on a line applies what was typed
    EXPECT_EQ(Constructions(), 1);
    EXPECT_FALSE(m_fenetre->Modifie());
    EXPECT_EQ(Looks[2].Look.Ligne[0].Texte, u"<sexe> <nom>");
    EXPECT_EQ(m_arbre->GetBoiteRefPers()->Lignes[0], u"H MARTIN");
    ClicItem(Lignes(), 0);
    EXPECT_EQ(Constructions(), 0);

    // Style buttons repaint without a build.
    Clic("SB_CelluleItalique");
    EXPECT_EQ(Looks[1].Look.Ligne[0].Fonte.Style, fsItalique);
    EXPECT_EQ(Constructions(), 0);
}

TEST_F(Cellule, OkAppliesUnlessLiveAndNothingPending)
{
    struct Cas {
        bool direct;
        bool tape;
        int constructions;
    };
    for (const Cas c : {Cas{true, false, 0}, Cas{true, true, 1}, Cas{false, false, 1}}) {
        SCOPED_TRACE(c.direct * 10 + c.tape);
        if (!m_fenetre->isVisible())
            m_fenetre->Commande()->trigger();
        if (!c.direct)
            Clic("cbApp");
        Onglet(u"Texte"_s);
        if (c.tape)
            QTest::keyClicks(Ctrl<QLineEdit>("E"), u"x"_s);
        Clic("B_Ok");
        EXPECT_EQ(Constructions(), c.constructions);
        EXPECT_FALSE(m_fenetre->isVisible());
        m_fenetre->Commande()->trigger();
        EXPECT_TRUE(m_fenetre->isVisible());
        if (!c.direct) {
            Clic("cbApp"); // checking the box applies at once
            EXPECT_EQ(Constructions(), 1);
        }
    }
}

// ---- Lines --------------------------------------------------------------------

TEST_F(Cellule, LinesAreAddedUpToFiftyRemovedDownToOneAndMoved)
{
    Onglet(u"Texte"_s);
    auto *lb = Lignes();
    ASSERT_EQ(lb->count(), 1);
    ClicItem(lb, 0);
    for (int i = 1; i < 50; ++i)
        Clic("SB_Plus"); // above the selected line, which is the new one
    ASSERT_EQ(lb->count(), 50);
    EXPECT_EQ(lb->item(49)->text(), u"<nom> <prénom>");
    EXPECT_EQ(Constructions(), 1);
    // A 51st line takes the place of the last one.
    Clic("SB_Plus");
    EXPECT_EQ(lb->count(), 50);
    EXPECT_EQ(m_fenetre->LookEdite().Look.LigneNbre, 50);
    EXPECT_EQ(lb->item(49)->text(), QString());
    EXPECT_EQ(Looks[1].Look.LigneNbre, 50);
    EXPECT_EQ(lb->currentRow(), 0);
    EXPECT_EQ(m_fenetre->LookEdite().Look.Ligne[0].Fonte.Nom, u"TIMES NEW ROMAN");
    EXPECT_EQ(m_fenetre->focusWidget(), Ctrl<QLineEdit>("E"));

    QTest::keyClicks(Ctrl<QLineEdit>("E"), u"haut"_s);
    ClicItem(lb, 0);
    Clic("SB_Down");
    EXPECT_EQ(lb->item(1)->text(), u"haut");
    EXPECT_EQ(lb->currentRow(), 1);
    Clic("SB_Up");
    Clic("SB_Up"); // nothing above the first line
    EXPECT_EQ(lb->item(0)->text(), u"haut");
    EXPECT_EQ(lb->currentRow(), 0);

    for (int i = 0; i < 60; ++i)
        Clic("SB_Moins");
    EXPECT_EQ(lb->count(), 1);
    EXPECT_EQ(Looks[2].Look.LigneNbre, 1);
    EXPECT_EQ(Constructions(), 1);
}

TEST_F(Cellule, StyleButtonsKeepStrikeOutAndTheItemIsAsTallAsTheLine)
{
    // Each style button wears its style.
    EXPECT_TRUE(Ctrl<QToolButton>("SB_CelluleGras")->font().bold());
    EXPECT_TRUE(Ctrl<QToolButton>("SB_CelluleItalique")->font().italic());
    EXPECT_TRUE(Ctrl<QToolButton>("SB_CelluleSouligne")->font().underline());
    Looks[1].Look.LigneNbre = 2;
    Looks[1].Look.Ligne[0].Fonte.Style = fsBarre | fsSouligne;
    Looks[1].Look.Ligne[1] = {u"<naissance>"_s, {u"Liberation Sans"_s, clBlack, 31, 0, AlignCentre}};
    m_fenetre->close();
    m_fenetre->Commande()->trigger();
    Onglet(u"Texte"_s);
    auto *lb = Lignes();
    EXPECT_EQ(lb->visualItemRect(lb->item(0)).height(), 12);
    EXPECT_EQ(lb->visualItemRect(lb->item(1)).height(), 31);
    EXPECT_TRUE(Ctrl<QToolButton>("SB_CelluleSouligne")->isChecked());
    Clic("SB_CelluleGras");
    Clic("SB_CelluleSouligne");
    Clic("SB_RightAlign");
    const TFonte &f = Looks[1].Look.Ligne[0].Fonte;
    EXPECT_EQ(f.Style, fsGras | fsBarre);
    EXPECT_EQ(f.Alignement, AlignDroite);
    ClicItem(lb, 1);
    EXPECT_TRUE(Ctrl<QToolButton>("SB_CenterAlign")->isChecked());
    EXPECT_FALSE(Ctrl<QToolButton>("SB_CelluleGras")->isChecked());

    // The list draws the line in its font: the taller line shows more ink.
    const QImage image = lb->viewport()->grab().toImage();
    const auto encre = [&](int ligne) {
        const QImage item = image.copy(lb->visualItemRect(lb->item(ligne)));
        return Encre(item, item.pixel(0, 0)).height();
    };
    EXPECT_GT(encre(1), encre(0));
}

// ---- Backgrounds, margins, links, screen ----------------------------------------

TEST_F(Cellule, TheBackgroundKindShowsItsControls)
{
    Onglet(u"Fond"_s);
    const char *controles[] = {"pSexe", "sbChoix", "iSexe", "eTexture"};
    const bool visibles[4][4] = {{false, false, false, false}, {true, true, false, false},
                                 {true, true, true, false}, {false, false, false, true}};
    for (int genre : {1, 2, 3, 0}) {
        Clic(u"rgSexe%1"_s.arg(genre).toLatin1().constData());
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(Ctrl<QWidget>(controles[i])->isVisible(), visibles[genre][i]) << genre << controles[i];
        EXPECT_EQ(Looks[1].Look.Homme.Fond, genre);
    }
    Clic("rgSexe1");
    EXPECT_EQ(Ctrl<QPushButton>("sbChoix")->text(), u"Couleur...");
    // Each box reaches its own field.
    const TLookSexe &homme = Looks[1].Look.Homme;
    const std::pair<const char *, bool TLookSexe::*> cases[] = {
        {"cbOmbre", &TLookSexe::Ombre}, {"cbArrondis", &TLookSexe::Arrondis}, {"cbStretch", &TLookSexe::Stretch}};
    Clic("rgSexe2"); // a texture: it may be stretched
    for (const auto &[nom, champ] : cases) {
        const bool avant = homme.*champ;
        Clic(nom);
        EXPECT_NE(homme.*champ, avant) << nom;
    }
    Clic("rgSexe1");
    // The frame off, no shadow or corners to choose.
    Clic("cbCadre");
    EXPECT_FALSE(Looks[1].Look.Homme.Cadre);
    EXPECT_FALSE(Ctrl<QCheckBox>("cbOmbre")->isEnabled());
    EXPECT_EQ(Constructions(), 0); // backgrounds repaint only
}

// Opened on a look, the editor shows each of its values in its own control,
// and each colour swatch wears its colour; the texture name's label comes
// with the texture field only.
TEST_F(Cellule, TheEditorShowsEachValueOfTheLook)
{
    T1Aff &a = Looks[1];
    a.Look.MargeHaut = 2, a.Look.MargeBas = 4, a.Look.MargeDroite = 6, a.Look.MargeGauche = 8;
    a.NbreGen = 7, a.Large = 140, a.Zoom = 90, a.EcatHorz = 33, a.EcartVert = 21;
    a.Relier = 3, a.RelierLarge = 4, a.RelierColor = 0x00C000;
    a.Look.Homme.Fond = 1, a.Look.Homme.Couleur = 0x4080C0;
    const TColor ecranAvant = CouleurEcran;
    CouleurEcran = 0xC00000;
    m_fenetre->close();
    m_fenetre->Commande()->trigger();
    const std::pair<const char *, int> valeurs[] = {
        {"seMH", 2}, {"seMB", 4}, {"seMD", 6}, {"seMG", 8}, {"seNbreGen", 7}, {"seLarge", 140},
        {"seZoom", 90}, {"seEcartHorz", 33}, {"seEcartVert", 21}, {"seRelierLarge", 4}};
    for (const auto &[nom, valeur] : valeurs)
        EXPECT_EQ(Spin(nom)->value(), valeur) << nom;
    Onglet(u"Liens"_s);
    EXPECT_TRUE(Ctrl<QRadioButton>("rgRelier3")->isChecked());
    EXPECT_TRUE(Ctrl<QWidget>("pLienTexture")->isVisible());
    // The middle of a swatch as the window shows it.
    const auto teinte = [this](const char *nom) {
        QWidget *panneau = Ctrl<QWidget>(nom);
        const QPoint milieu = panneau->mapTo(m_fenetre.get(), panneau->rect().center());
        return m_fenetre->grab().toImage().pixelColor(milieu);
    };
    EXPECT_EQ(teinte("sRelierColor"), CouleurQt(0x00C000));
    // A colour chosen shows in its swatch and goes to the look, or to the
    // screen behind the tree.
    m_dialogues.Couleurs.push_back(QColor(10, 20, 30));
    Clic("B_LienCouleurChange");
    EXPECT_EQ(teinte("sRelierColor"), QColor(10, 20, 30));
    EXPECT_EQ(Looks[1].RelierColor, TColor(0x1E140A));
    Onglet(u"Écran"_s);
    EXPECT_EQ(teinte("pFond"), CouleurQt(0xC00000));
    m_dialogues.Couleurs.push_back(QColor(40, 50, 60));
    Clic("bFondColor");
    EXPECT_EQ(teinte("pFond"), QColor(40, 50, 60));
    EXPECT_EQ(CouleurEcran, TColor(0x3C3228));
    Onglet(u"Fond"_s);
    EXPECT_EQ(teinte("pSexe"), CouleurQt(0x4080C0));
    for (int genre : {1, 3}) {
        Clic(u"rgSexe%1"_s.arg(genre).toLatin1().constData());
        EXPECT_EQ(Ctrl<QWidget>("lTexture")->isVisible(), genre == 3);
    }
    m_fenetre->close();
    CouleurEcran = ecranAvant;
}

// Unequal values, each typed in its own control, reach their own field.
TEST_F(Cellule, EachMarginAndGapGoesToItsOwnField)
{
    Onglet(u"Marges"_s);
    Tape(Spin("seMH"), 3);
    Tape(Spin("seMB"), 5);
    Tape(Spin("seMD"), 7);
    Tape(Spin("seMG"), 9);
    Onglet(u"Dimensions"_s);
    Tape(Spin("seEcartHorz"), 31);
    Tape(Spin("seEcartVert"), 17);
    Clic("B_Ok");
    for (int n : {1, 2}) {
        const T1Aff &a = Looks[std::size_t(n)];
        EXPECT_EQ((std::array{a.Look.MargeHaut, a.Look.MargeBas, a.Look.MargeDroite, a.Look.MargeGauche}),
                  (std::array{3, 5, 7, 9}))
            << n;
        EXPECT_EQ(std::pair(a.EcatHorz, a.EcartVert), std::pair(31, 17)) << n;
    }
}

TEST_F(Cellule, IdenticalMarginsFollowTheOneChanged)
{
    Onglet(u"Marges"_s);
    Tape(Spin("seMH"), 7);
    Clic("cbMargeIdentique"); // copies the top margin
    TLook &l = Looks[1].Look;
    EXPECT_EQ((std::array{l.MargeHaut, l.MargeBas, l.MargeDroite, l.MargeGauche}), (std::array{7, 7, 7, 7}));
    Tape(Spin("seMB"), 12);
    for (const char *nom : {"seMH", "seMB", "seMD", "seMG"})
        EXPECT_EQ(Spin(nom)->value(), 12) << nom;
    EXPECT_EQ((std::array{l.MargeHaut, l.MargeBas, l.MargeDroite, l.MargeGauche}), (std::array{12, 12, 12, 12}));
    Clic("cbAfficheMarge");
    EXPECT_TRUE(AfficheMarges);
    Clic("B_Ok");
    EXPECT_FALSE(AfficheMarges);
}

TEST_F(Cellule, PicturesChosenAreCopiedUnderAFreeNameOrReported)
{
    QTemporaryDir ailleurs;
    const QString source = ailleurs.filePath(u"fond.png"_s);
    ASSERT_TRUE(Toile(8, 8, qRgb(0, 200, 0)).save(source, "PNG"));
    Onglet(u"Fond"_s);
    Clic("rgSexe2");
    // Another picture of that name is already there: it stays.
    const QByteArray autre = "pas la même image";
    Ecrit(DossierImageArbre + u"fond.png"_s, autre);
    m_dialogues.Fichiers = {source, source};
    Clic("sbChoix");
    EXPECT_EQ(Looks[1].Look.Homme.Texture, u"fond-2.png");
    EXPECT_EQ(Octets(DossierImageArbre + u"fond.png"_s), autre);
    EXPECT_EQ(Octets(DossierImageArbre + u"fond-2.png"_s), Octets(source));
    EXPECT_FALSE(Ctrl<QLabel>("iSexe")->pixmap().isNull());
    Clic("sbChoix"); // the same picture again: no third copy
    EXPECT_EQ(Looks[1].Look.Homme.Texture, u"fond-2.png");
    EXPECT_EQ(QDir(DossierImageArbre).entryList(QDir::Files).size(), 2);
    // A picture of the tree pictures folder itself is taken there, by name.
    m_dialogues.Fichiers = {DossierImageArbre + u"fond.png"_s};
    Clic("sbChoix");
    EXPECT_EQ(Looks[1].Look.Homme.Texture, u"fond.png");
    EXPECT_EQ(QDir(DossierImageArbre).entryList(QDir::Files).size(), 2);

    // A folder that cannot be written: the user is told, the look stays.
    Ecrit(m_tmp.filePath(u"fichier"_s), "x");
    DossierImageArbre = m_tmp.filePath(u"fichier/ImageArbre/"_s);
    Onglet(u"Écran"_s);
    TextEcran = u"avant.png"_s;
    m_dialogues.Fichiers = {source};
    Clic("bFondTexture");
    ASSERT_EQ(m_dialogues.Messages.size(), 1);
    EXPECT_TRUE(m_dialogues.Messages[0].contains(source));
    EXPECT_EQ(TextEcran, u"avant.png");
    // Cancelling the screen texture's dialog removes the texture.
    Clic("bFondTexture");
    EXPECT_TRUE(TextEcran.isEmpty());
}

// The pictures a user chooses are copied into the user's folder, never the
// shipped one: a shipped picture of the same bytes is used where it is, and
// one of the same name with other bytes keeps its name for the shipped
// looks. The tree paints them from either folder.
TEST_F(Cellule, PicturesChosenGoToTheUsersFolderNeverTheShippedOne)
{
    QTemporaryDir ailleurs;
    const QString vert = ailleurs.filePath(u"fond.png"_s), rouge = ailleurs.filePath(u"trait.png"_s);
    ASSERT_TRUE(Toile(8, 8, qRgb(0, 200, 0)).save(vert, "PNG"));
    ASSERT_TRUE(Toile(4, 4, qRgb(200, 0, 0)).save(rouge, "PNG"));
    TModelesLivres livres(m_tmp.filePath(u"images"_s));
    ASSERT_TRUE(livres.Ecrit(u"fond.png"_s, "pas la même image"));
    ASSERT_TRUE(livres.Copie(rouge, u"trait.png"_s));
    livres.Fige();
    DossierImageArbre = livres.Livre();
    DossierImageArbreUser = livres.User();

    Onglet(u"Fond"_s);
    Clic("rgSexe2");
    m_dialogues.Fichiers = {vert};
    Clic("sbChoix");
    EXPECT_EQ(Looks[1].Look.Homme.Texture, u"fond-2.png");
    EXPECT_FALSE(Ctrl<QLabel>("iSexe")->pixmap().isNull());
    Onglet(u"Liens"_s);
    Clic("rgRelier3");
    for (int k = 1; k <= 9; ++k) {
        Clic(u"sbLien%1"_s.arg(k).toLatin1().constData());
        m_dialogues.Fichiers = {rouge};
        Clic("SpeedButton11");
    }
    EXPECT_EQ(Looks[1].RelierTexture[2], u"trait.png");
    EXPECT_TRUE(m_dialogues.Messages.isEmpty());
    EXPECT_TRUE(livres.Intact());
    EXPECT_EQ(QDir(livres.User()).entryList(QDir::Files), QStringList{u"fond-2.png"_s});

    Clic("B_Ok");
    Constructions();
    const QImage image = m_page->grab().toImage();
    ASSERT_FALSE(m_arbre->Liens().empty());
    for (const auto &lien : m_arbre->Liens())
        EXPECT_EQ(image.pixel(lien->Bounds().center()), qRgb(200, 0, 0)) << lien->Forme();
    // The men's boxes show the green picture copied for the user.
    qsizetype verts = 0;
    for (const auto &b : m_arbre->Boites()) {
        if (!b->Homme())
            continue;
        const QImage boite = image.copy(b->Bounds());
        verts += qsizetype(boite.width()) * boite.height()
                 - static_cast<qsizetype>(PointsEncre(boite, qRgb(0, 200, 0)).size());
    }
    EXPECT_GT(verts, 0);
}

TEST_F(Cellule, LinkTexturesAreBareNamesOfTheTreePicturesFolder)
{
    QTemporaryDir ailleurs;
    const QString source = ailleurs.filePath(u"trait.png"_s);
    ASSERT_TRUE(Toile(4, 4, qRgb(200, 0, 0)).save(source, "PNG"));
    Onglet(u"Liens"_s);
    Clic("rgRelier3");
    EXPECT_TRUE(Ctrl<QWidget>("pLienTexture")->isVisible());
    for (int k = 1; k <= 9; ++k) {
        Clic(u"sbLien%1"_s.arg(k).toLatin1().constData());
        m_dialogues.Fichiers = {source};
        Clic("SpeedButton11");
    }
    EXPECT_EQ(Looks[1].RelierTexture[2], u"trait.png");
    EXPECT_EQ(QDir(DossierImageArbre).entryList(QDir::Files), QStringList{u"trait.png"_s});
    EXPECT_TRUE(QFileInfo::exists(DossierImageArbre + u"trait.png"_s));
    EXPECT_FALSE(Ctrl<QLabel>("iLien")->pixmap().isNull());
    // Painted from there: the tree's links of shape 2 show the picture.
    Clic("B_Ok");
    Constructions();
    const QImage image = m_page->grab().toImage();
    ASSERT_FALSE(m_arbre->Liens().empty());
    for (const auto &lien : m_arbre->Liens())
        EXPECT_EQ(image.pixel(lien->Bounds().center()), qRgb(200, 0, 0)) << lien->Forme();

    // A shape whose picture is found nowhere forgets it.
    Looks[1].RelierTexture[5] = u"disparu.png"_s;
    m_fenetre->Commande()->trigger();
    Onglet(u"Liens"_s);
    Clic("sbLien5");
    EXPECT_TRUE(m_fenetre->LookEdite().RelierTexture[5].isEmpty());
    EXPECT_TRUE(Ctrl<QLabel>("iLien")->pixmap().isNull());
}

// ---- The field-code builder -------------------------------------------------------

TEST_F(Cellule, TheFieldCodeBuilderInsertsTagsWithAPreviewForTheCurrentPerson)
{
    Onglet(u"Texte"_s);
    ClicItem(Lignes(), 0);
    ReponseModale<TfmEditeContenu> reponse([](TfmEditeContenu &d) {
        auto *e = d.findChild<QLineEdit *>(u"eContenu"_s);
        auto *apercu = d.findChild<QLabel *>(u"lApercu"_s);
        auto *balises = d.findChild<QTreeWidget *>(u"lvBalises"_s);
        EXPECT_EQ(e->text(), u"<nom> <prénom>");
        EXPECT_EQ(apercu->text(), u"MARTIN Pierre");
        e->setText(u"Né le "_s);
        e->end(false);
        const QList<QTreeWidgetItem *> trouves = balises->findItems(u"<naissance>"_s, Qt::MatchExactly);
        ASSERT_EQ(trouves.size(), 1);
        EXPECT_EQ(trouves[0]->text(1), u"3/4/1926"); // the example is the person's own
        const QPoint centre = balises->visualItemRect(trouves[0]).center();
        QTest::mouseClick(balises->viewport(), Qt::LeftButton, {}, centre);
        QTest::mouseDClick(balises->viewport(), Qt::LeftButton, {}, centre);
        EXPECT_EQ(e->text(), u"Né le <naissance>");
        EXPECT_EQ(apercu->text(), u"Né le 3/4/1926");
        QTest::mouseClick(d.findChild<QPushButton *>(u"B_Ok"_s), Qt::LeftButton);
    });
    Clic("bEdite");
    EXPECT_TRUE(reponse.Ouvert);
    EXPECT_EQ(Ctrl<QLineEdit>("E")->text(), u"Né le <naissance>");
    EXPECT_EQ(Looks[1].Look.Ligne[0].Texte, u"Né le <naissance>");
    EXPECT_EQ(Constructions(), 1);

    // Cancelled, the line stays.
    ReponseModale<TfmEditeContenu> annule([](TfmEditeContenu &d) {
        d.findChild<QLineEdit *>(u"eContenu"_s)->setText(u"autre"_s);
        QTest::mouseClick(d.findChild<QPushButton *>(u"B_Annuler"_s), Qt::LeftButton);
    });
    Clic("bEdite");
    EXPECT_TRUE(annule.Ouvert);
    EXPECT_EQ(Ctrl<QLineEdit>("E")->text(), u"Né le <naissance>");
    EXPECT_EQ(Constructions(), 0);
}

// ---- Models ------------------------------------------------------------------------

TEST_F(Cellule, AModelSavedIsListedChosenAndReadBackEqual)
{
    Onglet(u"Dimensions"_s);
    Tape(Spin("seLarge"), 160);
    Onglet(u"Fond"_s);
    Clic("rgSexe1");
    Enregistre(u"Mon Look"_s);
    EXPECT_TRUE(m_dialogues.Messages.isEmpty());
    const TLooks enregistres = Looks;
    EXPECT_EQ(NomLook, u"Mon Look");

    // The thumbnail is the tree's box of the current person with the
    // template texts, at the box's size.
    Constructions();
    QImage vignette;
    ASSERT_TRUE(ChargeImage(vignette, Modele(u"Mon Look"_s, ".png")));
    TBoite *boite = m_arbre->GetBoiteRefPers();
    ASSERT_TRUE(boite);
    boite->Lignes[0] = Looks[1].Look.Ligne[0].Texte;
    EXPECT_EQ(vignette.size(), boite->Bounds().size());
    EXPECT_TRUE(MemesPixels(vignette, boite->BoiteVersBitmap()));

    auto *liste = Ctrl<QListWidget>("lbFileList");
    ASSERT_EQ(liste->count(), 1);
    EXPECT_EQ(liste->item(0)->text(), u"mon look");
    EXPECT_EQ(liste->visualItemRect(liste->item(0)).height(), vignette.height() + 2);

    // Another look meanwhile; choosing the model brings it back.
    Onglet(u"Dimensions"_s);
    Tape(Spin("seLarge"), 80);
    Clic("sbModifier");
    ClicItem(liste, 0);
    EXPECT_EQ(Stockes(Looks), Stockes(enregistres));
    EXPECT_EQ(Ctrl<QLineEdit>("eFile")->text(), u"Mon Look");
    EXPECT_EQ(Spin("seLarge")->value(), 160);
    TLooks relus;
    LitLook(Modele(u"Mon Look"_s, ".mva"), relus);
    for (int n = 1; n <= 2; ++n)
        EXPECT_EQ(Stockes(relus)[std::size_t(n)], Stockes(enregistres)[std::size_t(n)]) << n;
}

TEST_F(Cellule, ReplacingAModelAsksAndNoLeavesBothFiles)
{
    Enregistre(u"classique"_s);
    const QByteArray mva = Octets(Modele(u"classique"_s, ".mva"));
    const QByteArray png = Octets(Modele(u"classique"_s, ".png"));
    ASSERT_FALSE(mva.isEmpty());
    Onglet(u"Dimensions"_s);
    Tape(Spin("seLarge"), 200);
    m_dialogues.Reponses = {ReponseNon};
    Enregistre(u"Classique"_s); // the same model whatever the letter case
    ASSERT_EQ(m_dialogues.Messages.size(), 1);
    EXPECT_EQ(m_dialogues.Messages[0], MLText(7501));
    EXPECT_EQ(Octets(Modele(u"classique"_s, ".mva")), mva);
    EXPECT_EQ(Octets(Modele(u"classique"_s, ".png")), png);
    EXPECT_EQ(QDir(DossierArbre).entryList(QDir::Files).size(), 2);
    m_dialogues.Reponses = {ReponseOui};
    Enregistre(u"Classique"_s);
    EXPECT_NE(Octets(Modele(u"classique"_s, ".mva")), mva);
    EXPECT_EQ(QDir(DossierArbre).entryList(QDir::Files).size(), 2);
}

TEST_F(Cellule, ModelNamesThatCannotBeFileNamesAndFailedSavesAreTold)
{
    for (const QString &nom : {u""_s, u"  "_s, u".."_s, u"a/b"_s, u"..\\\\x"_s, u"a:b"_s, u"fin."_s}) {
        m_dialogues.Messages.clear();
        Enregistre(nom);
        EXPECT_EQ(m_dialogues.Messages.size(), 1) << nom.toStdString();
    }
    EXPECT_TRUE(QDir(DossierArbre).entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(QDir(m_tmp.path()).entryList(QDir::Files).isEmpty());

    m_dialogues.Messages.clear();
    DossierArbre = m_tmp.filePath(u"absent/"_s);
    Enregistre(u"perdu"_s);
    ASSERT_EQ(m_dialogues.Messages.size(), 1);
    EXPECT_TRUE(m_dialogues.Messages[0].contains(Modele(u"perdu"_s, ".mva")));
}

TEST_F(Cellule, ModelsAreListedInLowerCaseAndOpenedByTheirRealName)
{
    TLooks look;
    LooksParDefaut(look);
    look[1].Large = 111;
    ASSERT_TRUE(SauveLook(Modele(u"Classique"_s, ".mva"), look));
    look[1].Large = 122;
    look[2].Large = 133;
    ASSERT_TRUE(SauveLook(Modele(u"bleu"_s, ".mva"), look));
    ASSERT_TRUE(Toile(50, 20).save(Modele(u"bleu"_s, ".png"), "PNG"));
    m_fenetre->close();
    m_fenetre->Commande()->trigger();
    auto *liste = Ctrl<QListWidget>("lbFileList");
    ASSERT_EQ(liste->count(), 2);
    EXPECT_EQ(std::pair(liste->item(0)->text(), liste->item(1)->text()), std::pair(u"bleu"_s, u"classique"_s));
    EXPECT_EQ(liste->visualItemRect(liste->item(0)).height(), 22);
    EXPECT_EQ(liste->visualItemRect(liste->item(1)).height(), 12);
    // Each thumbnail is read once per refill and kept by the list.
    ASSERT_TRUE(QFile::remove(Modele(u"bleu"_s, ".png")));
    liste->viewport()->repaint();
    EXPECT_EQ(liste->visualItemRect(liste->item(0)).height(), 22);

    ClicItem(liste, 1);
    EXPECT_EQ(Looks[1].Large, 111);
    EXPECT_EQ(NomLook, u"Classique");
    EXPECT_EQ(Ctrl<QLineEdit>("eFile")->text(), u"Classique");
    EXPECT_EQ(liste->currentRow(), 1);
    auto *combo = Ctrl<QComboBox>("CB_FileList");
    EXPECT_EQ(combo->count(), 2);
    emit combo->activated(0); // picked in the drop-down
    EXPECT_EQ(Looks[1].Large, 122);
    EXPECT_EQ(Constructions(), 1);
    // For the descendance, the model's descendance look.
    Pour(2);
    ClicItem(liste, 0);
    EXPECT_EQ(m_fenetre->LookEdite().Large, 133);
    EXPECT_EQ(std::pair(Looks[1].Large, Looks[2].Large), std::pair(122, 133));
}

// A model named in another letter case (typed by the user, or stored so in
// a database) is the model of that name: it opens, it is the one selected,
// and a save replaces it after the question instead of making a second file.
TEST_F(Cellule, AModelNamedInAnotherCaseIsThatModel)
{
    TLooks look;
    LooksParDefaut(look);
    look[1].Large = 111;
    ASSERT_TRUE(SauveLook(Modele(u"Classique"_s, ".mva"), look));
    LitLook(FichierModele(DossiersArbre(), u"CLASSIQUE"_s, u".mva"_s), Looks);
    EXPECT_EQ(Looks[1].Large, 111);
    EXPECT_EQ(NomLook, u"Classique");
    auto *liste = Ctrl<QListWidget>("lbFileList");
    for (const QString &nom : {u"Classique"_s, u"CLASSIQUE"_s}) {
        NomLook = nom;
        m_fenetre->Recharge();
        ASSERT_NE(liste->currentItem(), nullptr) << nom.toStdString();
        EXPECT_EQ(liste->currentItem()->text(), u"classique"_s);
    }

    m_dialogues.Reponses = {ReponseOui};
    Enregistre(u"CLASSIQUE"_s);
    EXPECT_EQ(m_dialogues.Messages, QStringList{MLText(7501)});
    EXPECT_EQ(QDir(DossierArbre).entryList(QDir::Files), (QStringList{u"Classique.mva"_s, u"Classique.png"_s}));
    EXPECT_EQ(liste->currentItem()->text(), u"classique"_s);
}

// A thumbnail narrower than the list is drawn in its middle, one pixel
// below the item's top; a wider one from the item's left.
TEST_F(Cellule, ThumbnailsAreCentredInTheList)
{
    TLooks look;
    LooksParDefaut(look);
    ASSERT_TRUE(SauveLook(Modele(u"etroit"_s, ".mva"), look));
    ASSERT_TRUE(Toile(41, 20, qRgb(255, 0, 0)).save(Modele(u"etroit"_s, ".png"), "PNG"));
    ASSERT_TRUE(SauveLook(Modele(u"large"_s, ".mva"), look));
    ASSERT_TRUE(Toile(2000, 20, qRgb(0, 0, 255)).save(Modele(u"large"_s, ".png"), "PNG"));
    m_fenetre->close();
    m_fenetre->Commande()->trigger();
    auto *liste = Ctrl<QListWidget>("lbFileList");
    ASSERT_EQ(liste->count(), 2);
    liste->setCurrentRow(-1);
    ASSERT_TRUE(liste->isVisible());
    liste->scrollToTop();
    QApplication::processEvents();
    const QImage image = liste->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRect item = liste->visualItemRect(liste->item(0)); // "etroit"
    const QRect rouge = Encre(image.copy(item), qRgb(255, 255, 255));
    ASSERT_FALSE(rouge.isNull());
    EXPECT_EQ(rouge.size(), QSize(41, 20));
    EXPECT_EQ(rouge.top(), 1);
    EXPECT_EQ(rouge.left(), (item.width() - 41) / 2);
    const QRect bleu = Encre(image.copy(liste->visualItemRect(liste->item(1))), qRgb(255, 255, 255));
    EXPECT_EQ(bleu.left(), 0);
}

TEST_F(Cellule, ShiftF5MakesEveryThumbnailForTheCurrentPerson)
{
    Enregistre(u"a"_s);
    Onglet(u"Dimensions"_s);
    Tape(Spin("seLarge"), 170);
    Enregistre(u"b"_s);
    const QByteArray avant = Octets(Modele(u"a"_s, ".png"));
    auto *e = Ctrl<QLineEdit>("eFile");
    e->setFocus();
    QTest::keyClick(e, Qt::Key_F5, Qt::ShiftModifier);
    EXPECT_EQ(m_dialogues.Messages, QStringList{u"Make all thumb"_s});
    EXPECT_NE(Octets(Modele(u"a"_s, ".png")), avant);
    // The last model is on the tree now: its thumbnail is the current
    // person's box as the tree shows it, name and dates.
    Constructions();
    QImage vignette;
    ASSERT_TRUE(ChargeImage(vignette, Modele(u"b"_s, ".png")));
    TBoite *boite = m_arbre->GetBoiteRefPers();
    EXPECT_EQ(boite->Lignes[0], u"MARTIN Pierre");
    EXPECT_EQ(vignette.width(), 170);
    EXPECT_TRUE(MemesPixels(vignette, boite->BoiteVersBitmap()));
}

// An installed program's look folder cannot be written: a shipped model
// saved again, a new model and the thumbnails made again all go to the
// user's folder; the list shows each name once, the user's model where both
// folders have it.
TEST_F(Cellule, ModelsAreSavedInTheUsersFolderNeverInTheShippedOne)
{
    TModelesLivres livres(m_tmp.path());
    TLooks look;
    LooksParDefaut(look);
    look[1].Large = 111;
    ASSERT_TRUE(SauveLook(livres.Livre() + u"Classique.mva"_s, look));
    ASSERT_TRUE(Toile(50, 20).save(livres.Livre() + u"Classique.png"_s, "PNG"));
    look[1].Large = 122;
    ASSERT_TRUE(SauveLook(livres.Livre() + u"bleu.mva"_s, look));
    livres.Fige();
    DossierArbre = livres.Livre();
    DossierArbreUser = livres.User();

    Onglet(u"Dimensions"_s);
    Tape(Spin("seLarge"), 160);
    m_dialogues.Reponses = {ReponseOui};
    Enregistre(u"classique"_s);
    EXPECT_EQ(m_dialogues.Messages, QStringList{MLText(7501)}) << "the shipped model would be hidden";
    Enregistre(u"neuf"_s);
    auto *e = Ctrl<QLineEdit>("eFile");
    e->setFocus();
    QTest::keyClick(e, Qt::Key_F5, Qt::ShiftModifier);
    EXPECT_TRUE(livres.Intact());
    EXPECT_EQ(QDir(livres.User()).entryList(QDir::Files),
              (QStringList{u"bleu.png"_s, u"Classique.mva"_s, u"Classique.png"_s, u"neuf.mva"_s, u"neuf.png"_s}));

    auto *liste = Ctrl<QListWidget>("lbFileList");
    QStringList noms;
    for (int i = 0; i < liste->count(); ++i)
        noms << liste->item(i)->text();
    EXPECT_EQ(noms, (QStringList{u"bleu"_s, u"classique"_s, u"neuf"_s}));
    QImage vignette;
    ASSERT_TRUE(ChargeImage(vignette, livres.User() + u"Classique.png"_s));
    EXPECT_EQ(liste->visualItemRect(liste->item(1)).height(), vignette.height() + 2);
    ClicItem(liste, 0);
    EXPECT_EQ(Looks[1].Large, 122);
    ClicItem(liste, 1);
    EXPECT_EQ(Looks[1].Large, 160);
    EXPECT_EQ(NomLook, u"Classique");
}

// ---- The shipped models ----------------------------------------------------------

TEST(ModelesLivres, EachShippedModelHasTheThumbnailTheProgramDrawsForIt)
{
    const GardeGlobales garde;
    PrepareVignettesLivrees(QStringLiteral(LIGNEE_MODELE));
    const QStringList modeles = ModelesLivres(QStringLiteral(LIGNEE_MODELE));
    EXPECT_GE(modeles.size(), 5); // the default and four others
    for (const QString &mva : modeles) {
        // Stale after a change of the model or of the drawing: rebuild them
        // with lignee_vignettes.
        QImage png;
        ASSERT_TRUE(ChargeImage(png, mva.chopped(4) + u".png"_s)) << mva.toStdString();
        EXPECT_TRUE(MemesPixels(png, VignetteLivree(mva))) << mva.toStdString();
    }
}

} // namespace
