// The link lines of the tree, checked by rendering into pictures and
// measuring pixels, and the clicks on a link in the tree window.

#include "TLien.h"

#include "Chemins.h"
#include "Dessin.h"
#include "FamilleTest.h"
#include "Globales.h"
#include "Ini.h"
#include "Look.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QPainter>
#include <QTemporaryDir>

#include "AideArbre.h"

using namespace Qt::StringLiterals;

namespace {

const QRgb Blanc = qRgb(255, 255, 255);
// The rectangle most links are drawn in: columns 10..50, rows 20..50.
const QRect R(10, 20, 41, 31);

class Lien : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (int n = 1; n <= 2; ++n) {
            looks[n].Relier = 2;
            looks[n].RelierLarge = 1;
            looks[n].Zoom = 100;
        }
        for (int i = 0; i < 3; ++i)
            bd.NewPerson();
        bd.SetFather(enfant, pere);
        bd.SetMother(enfant, mere);
        TLien::VideCacheImages();
    }

    // A link of that shape (1..9), made through the look's style.
    std::unique_ptr<TLien> LienDeForme(int forme, int p1 = 1, int p2 = 1)
    {
        static const int cas[9][6] = {{2, 1, 0, 100, 50, 0}, {2, 1, 50, 100, 0, 0}, {3, 1, 0, 0, 50, 100},
                                      {3, 1, 0, 100, 50, 0}, {2, 1, 0, 0, 50, 0},   {2, 1, 0, 0, 0, 50},
                                      {5, 1, 0, 0, 50, 100}, {1, 1, 0, 0, 50, 100}, {1, 2, 0, 0, 50, 100}};
        const int *c = cas[forme - 1]; // style, look, x1, y1, x2, y2
        looks[c[1]].Style = std::uint8_t(c[0]);
        auto lien = std::make_unique<TLien>(contexte);
        lien->InitLien(c[2], c[3], c[4], c[5], p1, p2, c[1]);
        EXPECT_EQ(lien->Forme(), forme);
        return lien;
    }

    QImage Dessin(TLien &lien, int w, int h, const QRect &r, int zoom = 100, QRgb fond = Blanc)
    {
        QImage image = Toile(w, h, fond);
        QPainter p(&image);
        lien.AfficheLien(p, r.x(), r.y(), r.width(), r.height(), zoom);
        return image;
    }

    TBD bd;
    TLooks looks;
    TContexteArbre contexte{&bd, &looks};
    static constexpr int enfant = 1, pere = 2, mere = 3;
};

TEST_F(Lien, StraightLinesGetAThicknessOfHalfTheirLength)
{
    const struct {
        int x1, y1, x2, y2, forme;
        QRect rectangle, encre;
    } cas[] = {
        // Vertical: shape 6 centred on its x; horizontal: shape 5.
        {100, 151, 100, 50, 6, {75, 50, 50, 101}, {100, 50, 1, 101}},
        {10, 40, 91, 40, 5, {10, 20, 81, 40}, {10, 40, 81, 1}},
        // Equal end points: shape 5 of zero size, shown on one pixel.
        {7, 9, 7, 9, 5, {7, 9, 0, 0}, {7, 9, 1, 1}},
    };
    for (const auto &c : cas) {
        for (int style = 0; style <= 5; ++style) {
            looks[1].Style = std::uint8_t(style);
            TLien lien(contexte);
            lien.InitLien(c.x1, c.y1, c.x2, c.y2, 1, 2, 1);
            EXPECT_EQ(lien.Forme(), c.forme) << style;
            EXPECT_EQ(QRect(lien.Gauche(), lien.Haut(), lien.Largeur(), lien.Hauteur()), c.rectangle);
            EXPECT_EQ(Encre(Dessin(lien, 200, 200, lien.Bounds())), c.encre) << style;
        }
    }
}

TEST_F(Lien, EachShapeWithElbowsCoversItsPoints)
{
    // Segments of pixels, ends included, in the rectangle R (h2 = 15, w2 = 20).
    const std::vector<std::array<int, 4>> attendus[9] = {
        {{10, 35, 10, 50}, {10, 35, 50, 35}, {50, 20, 50, 35}},
        {{10, 20, 10, 35}, {10, 35, 50, 35}, {50, 35, 50, 50}},
        {{10, 50, 30, 50}, {30, 20, 30, 50}, {30, 20, 50, 20}},
        {{10, 20, 30, 20}, {30, 20, 30, 50}, {30, 50, 50, 50}},
        {{10, 35, 50, 35}},
        {{30, 20, 30, 50}},
        {{10, 20, 50, 20}, {50, 20, 50, 50}},
        {{50, 20, 50, 50}, {10, 50, 50, 50}},
        {{10, 20, 10, 50}, {10, 50, 50, 50}},
    };
    for (int forme = 1; forme <= 9; ++forme) {
        QImage attendu = Toile(64, 80);
        for (const auto &[x1, y1, x2, y2] : attendus[forme - 1])
            for (int y = y1; y <= y2; ++y)
                for (int x = x1; x <= x2; ++x)
                    attendu.setPixel(x, y, qRgb(0, 0, 0));
        EXPECT_TRUE(Dessin(*LienDeForme(forme), 64, 80, R) == attendu) << "shape " << forme;
    }
    // The directions LienDeForme does not take: style 4 either way, style 5
    // upward.
    for (const auto &[style, x2, y2, forme] : {std::array{4, 50, 100, 9}, {4, -50, 100, 8}, {5, 50, -100, 8}}) {
        looks[1].Style = std::uint8_t(style);
        TLien lien(contexte);
        lien.InitLien(0, 0, x2, y2, 1, 1, 1);
        EXPECT_EQ(lien.Forme(), forme) << style << ' ' << x2 << ',' << y2;
    }
}

TEST_F(Lien, StraightModeJoinsTheEndsByOneSegment)
{
    looks[1].Relier = looks[2].Relier = 1;
    const std::pair<int, std::array<int, 4>> cas[] = {
        {1, {10, 51, 50, 20}}, {2, {10, 20, 50, 51}}, {3, {10, 50, 51, 20}}, {4, {10, 20, 51, 50}},
        {7, {10, 20, 50, 51}}, {8, {50, 20, 10, 50}}, {9, {10, 20, 51, 50}},
    };
    for (const auto &[forme, s] : cas) {
        const std::vector<QPoint> encre = PointsEncre(Dessin(*LienDeForme(forme), 64, 80, R));
        // One pixel per step across the rectangle, each on the segment.
        EXPECT_GE(encre.size(), 31u) << forme;
        EXPECT_LE(encre.size(), 42u) << forme;
        QRect cadre;
        const double dx = s[2] - s[0], dy = s[3] - s[1];
        for (const QPoint &q : encre) {
            cadre |= QRect(q, QSize(1, 1));
            const double distance = std::abs(dy * (q.x() - s[0]) - dx * (q.y() - s[1])) / std::hypot(dx, dy);
            EXPECT_LE(distance, 1.0) << forme << " at " << q.x() << "," << q.y();
        }
        EXPECT_GE(cadre.width(), 40) << forme;
        EXPECT_GE(cadre.height(), 30) << forme;
    }
}

TEST_F(Lien, UncertainParentLinksAreDotted)
{
    const struct {
        int statutPere, statutMere, second;
        bool pointille;
    } cas[] = {
        {0, 0, pere, false}, {1, 0, pere, true},  {2, 0, pere, true},  {3, 0, pere, true},   {0, 3, pere, false},
        {0, 0, mere, false}, {0, 2, mere, true},  {3, 0, mere, false}, {3, 3, enfant, false},
    };
    for (const auto &c : cas) {
        bd.SetFatherLinkStatus(enfant, c.statutPere);
        bd.SetMotherLinkStatus(enfant, c.statutMere);
        const QImage image = Dessin(*LienDeForme(6, enfant, c.second), 40, 40, QRect(10, 0, 20, 40));
        const size_t n = PointsEncre(image).size();
        EXPECT_TRUE(n > 5 && n <= 40);
        EXPECT_EQ(n < 40, c.pointille) << c.statutPere << c.statutMere << c.second;
        EXPECT_EQ(Encre(image).width(), 1);
    }
    // A parent who is person number 1 is a parent like the others.
    const int petit = bd.NewPerson();
    bd.SetFather(petit, enfant);
    bd.SetFatherLinkStatus(petit, 1);
    EXPECT_LT(PointsEncre(Dessin(*LienDeForme(6, petit, enfant), 40, 40, QRect(10, 0, 20, 40))).size(), 40u);
    // No father, an uncertain status left over, and a link towards nobody.
    const int seul = bd.NewPerson();
    bd.SetFatherLinkStatus(seul, 2);
    EXPECT_EQ(PointsEncre(Dessin(*LienDeForme(6, seul, 0), 40, 40, QRect(10, 0, 20, 40))).size(), 40u);
}

TEST_F(Lien, PenWidthIsTheLookWidthAtTheZoomRoundedDownToEvenAndDoubled)
{
    const std::array<int, 3> cas[] = {{1, 100, 1}, {2, 100, 4}, {3, 100, 4}, {2, 50, 1},
                                      {4, 200, 16}, {0, 100, 1}, {-5, 100, 1}}; // width, zoom, pixels
    for (const auto &[large, zoom, largeur] : cas) {
        looks[1].RelierLarge = large;
        const QImage image = Dessin(*LienDeForme(6), 40, 40, QRect(0, 0, 40, 40), zoom);
        EXPECT_EQ(Encre(image.copy(0, 20, 40, 1)), QRect(20 - largeur / 2, 0, largeur, 1)) << large << " " << zoom;
    }
    // A 4-pixel pen keeps 2 pixels from the sides it runs along, and the
    // link keeps to its rectangle.
    looks[1].RelierLarge = 2;
    const QImage image = Dessin(*LienDeForme(1), 64, 80, R);
    EXPECT_EQ(Encre(image.copy(0, 45, 64, 1)), QRect(10, 0, 4, 1)); // lower vertical
    EXPECT_EQ(Encre(image.copy(0, 22, 64, 1)), QRect(46, 0, 4, 1)); // upper vertical
    EXPECT_EQ(Encre(image.copy(30, 0, 1, 80)), QRect(0, 33, 1, 4)); // elbow
    EXPECT_TRUE(R.contains(Encre(image)));
}

TEST_F(Lien, PicturesAreStretchedWithCyanTransparent)
{
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(u"lien.png"_s);
    QImage source = Toile(4, 4, qRgb(0, 255, 255));
    for (const QPoint p : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(1, 1)})
        source.setPixel(p, qRgb(255, 0, 0));
    source.setPixel(3, 3, qRgb(0, 255, 254)); // nearly cyan: drawn
    ASSERT_TRUE(source.save(chemin, "PNG"));

    const QRgb vert = qRgb(0, 128, 0);
    looks[1].Relier = 3;
    looks[1].RelierTexture[2] = chemin;
    const auto lien = LienDeForme(2);
    const QRect r(10, 10, 40, 40);
    const QImage image = Dessin(*lien, 60, 60, r, 100, vert);
    EXPECT_EQ(image.pixel(10, 10), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(29, 29), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(30, 15), vert);
    EXPECT_EQ(image.pixel(45, 45), qRgb(0, 255, 254));
    EXPECT_EQ(Encre(image, vert), r);

    // Decoded once and shared: the file is not read again until the cache
    // is emptied.
    ASSERT_TRUE(QFile::remove(chemin));
    EXPECT_TRUE(Dessin(*LienDeForme(2), 60, 60, r, 100, vert) == image);
    TLien::VideCacheImages();
    EXPECT_TRUE(Encre(Dessin(*lien, 60, 60, r, 100, vert), vert).isNull());
    // No picture for the shape, or links turned off: nothing.
    EXPECT_TRUE(Encre(Dessin(*LienDeForme(3), 60, 60, r, 100, vert), vert).isNull());
    looks[1].Relier = 0;
    looks[1].RelierTexture[2] = QStringLiteral(LIGNEE_MODELE "/Lien2.png");
    EXPECT_TRUE(Encre(Dessin(*lien, 60, 60, r, 100, vert), vert).isNull());
    // A link of no shape (style 0) draws nothing either.
    looks[1].Relier = 2;
    looks[1].Style = 0;
    TLien sansForme(contexte);
    sansForme.InitLien(0, 0, 50, 100, 1, 2, 1);
    EXPECT_EQ(sansForme.Forme(), 0);
    EXPECT_TRUE(Encre(Dessin(sansForme, 60, 60, r)).isNull());
}

TEST_F(Lien, PrintingMagnifiesTheScreenDrawingWhateverTheMethod)
{
    looks[1].Zoom = 50;
    TLien lien(contexte), point(contexte);
    lien.InitLien(200, 100, 200, 300, 1, 2, 1); // on screen (75, 50, 50, 100), the line at x = 100
    point.InitLien(200, 100, 200, 100, 1, 2, 1);
    // Print zoom 300, origin (100, 50): each pixel of the screen becomes
    // three by three.
    const auto imprime = [](TLien &l, int zoom, int methode) {
        QImage image = Toile(400, 450);
        QPainter p(&image);
        l.Imprime(p, TParamImpression{QPoint(100, 50), zoom, methode});
        return image;
    };
    for (int methode = 0; methode <= 2; ++methode)
        EXPECT_EQ(Encre(imprime(lien, 300, methode)), QRect(200, 100, 3, 300)) << methode;
    // A link of no size, one pixel on screen; nothing at a zero zoom.
    EXPECT_EQ(Encre(imprime(point, 300, 2)), QRect(200, 100, 3, 3));
    EXPECT_EQ(PointsEncre(imprime(point, 300, 2)).size(), 9u);
    EXPECT_TRUE(Encre(imprime(lien, 0, 0)).isNull());
    // A wide pen: 4 x 50 div 100 = 2, four pixels on screen, twelve on paper.
    looks[1].RelierLarge = 4;
    EXPECT_EQ(Encre(imprime(lien, 300, 0)), QRect(194, 100, 12, 300));
}

TEST_F(Lien, TheShippedLookNamesPicturesOfEachShape)
{
    const GardeGlobales garde;
    DossierImageArbre = QStringLiteral(LIGNEE_MODELE "/0/ImageArbre/");
    LitLook(QStringLiteral(LIGNEE_MODELE "/1/arbre/defaut.mva"), looks);
    for (int forme = 1; forme <= 9; ++forme) {
        // Bare names of the tree-pictures folder.
        for (int n = 1; n <= 2; ++n)
            EXPECT_EQ(looks[n].RelierTexture[forme], u"Lien%1.png"_s.arg(forme));
        // The picture's line covers the shape's one-pixel line, within two
        // pixels of it.
        const auto lien = LienDeForme(forme);
        looks[1].Relier = looks[2].Relier = 2;
        const std::vector<QPoint> trait = PointsEncre(Dessin(*lien, 64, 64, QRect(0, 0, 64, 64)));
        looks[1].Relier = looks[2].Relier = 3;
        const QImage image = Dessin(*lien, 64, 64, QRect(0, 0, 64, 64));
        const std::vector<QPoint> encre = PointsEncre(image);
        ASSERT_FALSE(trait.empty());
        EXPECT_LT(encre.size(), 64u * 64u / 4) << forme;
        for (const QPoint &q : trait)
            EXPECT_NE(image.pixel(q), Blanc) << forme;
        for (const QPoint &q : encre)
            EXPECT_TRUE(std::any_of(trait.begin(), trait.end(), [&](const QPoint &t) {
                return std::abs(t.x() - q.x()) <= 2 && std::abs(t.y() - q.y()) <= 2;
            })) << forme << " at " << q.x() << "," << q.y();
    }
}

TEST_F(Lien, ATextureNameIsFoundInTheTreePicturesFolderElseByTheMediaSearch)
{
    const GardeGlobales garde;
    QTemporaryDir racine;
    const QString images = racine.filePath(u"ImageArbre/"_s);
    const QString ailleurs = racine.filePath(u"ailleurs/"_s);
    ASSERT_TRUE(QDir().mkpath(images) && QDir().mkpath(ailleurs));
    DossierImageArbre = images;
    FichierCourant.clear();
    const auto peinte = [](const QString &chemin, QRgb couleur) { ASSERT_TRUE(Toile(4, 4, couleur).save(chemin, "PNG")); };
    peinte(images + u"rouge.png"_s, qRgb(255, 0, 0));
    peinte(ailleurs + u"bleu.png"_s, qRgb(0, 0, 255));
    peinte(ailleurs + u"rouge.png"_s, qRgb(0, 0, 255)); // the folder's file wins
    const QString look = racine.filePath(u"liens.mva"_s);
    {
        TIniFile ini(look, TEncodage::Windows1252);
        ini.WriteInteger(u"Aff 1"_s, u"Relier"_s, 3);
        ini.WriteString(u"Aff 1"_s, u"RelierTexture 1"_s, u"rouge.png"_s);
        ini.WriteString(u"Aff 1"_s, u"RelierTexture 2"_s, ailleurs + u"bleu.png"_s);
        ini.WriteString(u"Aff 1"_s, u"RelierTexture 3"_s, u"C:\\Autre\\rouge.png"_s);
        ini.WriteString(u"Aff 1"_s, u"RelierTexture 4"_s, u"absent.png"_s);
        ASSERT_TRUE(ini.UpdateFile());
    }
    LitLook(look, looks);
    EXPECT_EQ(looks[1].RelierTexture[1], u"rouge.png");
    EXPECT_EQ(looks[1].RelierTexture[2], ailleurs + u"bleu.png"_s);
    EXPECT_EQ(looks[1].RelierTexture[3], u"rouge.png"); // a path of another machine
    EXPECT_TRUE(looks[1].RelierTexture[4].isEmpty());
    // Painted as read, the look file's own style aside.
    const std::pair<int, QRgb> attendus[] = {{1, qRgb(255, 0, 0)}, {2, qRgb(0, 0, 255)}, {3, qRgb(255, 0, 0)},
                                             {4, Blanc}};
    for (const auto &[forme, couleur] : attendus) {
        const auto lien = LienDeForme(forme);
        looks[1].Relier = looks[2].Relier = 3;
        looks[2].RelierTexture = looks[1].RelierTexture;
        EXPECT_EQ(Dessin(*lien, 64, 64, QRect(0, 0, 64, 64)).pixel(32, 32), couleur) << forme;
    }
    // The editor's bare name follows the folder: a picture copied there later
    // is painted once the pictures are read again.
    looks[1].RelierTexture[4] = u"vert.png"_s;
    peinte(images + u"vert.png"_s, qRgb(0, 255, 0));
    TLien::VideCacheImages();
    EXPECT_EQ(Dessin(*LienDeForme(4), 64, 64, QRect(0, 0, 64, 64)).pixel(32, 32), qRgb(0, 255, 0));
}

// ---- In the tree window --------------------------------------------------

TEST(LienFenetre, TheWindowPaintsTheLinkAndPassesCtrlOrShiftClicks)
{
    const GardeGlobales garde;
    Looks[1].Style = 2;
    Looks[1].Relier = 2;
    Looks[1].RelierColor = clRed;
    Looks[1].RelierLarge = 1;
    Looks[1].Zoom = 100;
    CouleurEcran = clWhite;
    TextEcran.clear();
    FamilleTest famille;
    HoteArbreTest hote;
    QScrollArea vue;
    TPage *page = nullptr;
    std::unique_ptr<TAffArbre> arbre;
    RelieArbre(vue, page, arbre, famille.bd, hote, QSize(500, 500));
    arbre->AjouteLien(100, 300, 200, 100, 4, 1, 1); // shape 1 in (100, 100, 100, 200)
    ASSERT_EQ(arbre->Liens()[0]->Bounds(), QRect(100, 100, 100, 200));
    ASSERT_GE(page->width(), 300);
    ASSERT_GE(page->height(), 300);

    const QImage image = page->grab().toImage().convertToFormat(QImage::Format_RGB32);
    for (const QPoint pt : {QPoint(100, 250), QPoint(150, 200), QPoint(199, 120)}) // both sides, the elbow
        EXPECT_EQ(image.pixel(pt), CouleurQt(clRed).rgb()) << pt.x() << ',' << pt.y();
    EXPECT_EQ(Encre(image), QRect(100, 100, 100, 200));

    const QPoint dedans(150, 220);
    const auto clic = [&](Qt::MouseButton bouton, Qt::KeyboardModifiers touches) {
        QMouseEvent e(QEvent::MouseButtonPress, QPointF(dedans), QPointF(page->mapToGlobal(dedans)), bouton,
                      bouton, touches);
        QApplication::sendEvent(page, &e);
    };
    clic(Qt::LeftButton, Qt::NoModifier);
    clic(Qt::LeftButton, Qt::ControlModifier | Qt::ShiftModifier);
    clic(Qt::LeftButton, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_TRUE(hote.Clics.empty());
    clic(Qt::LeftButton, Qt::ControlModifier);
    clic(Qt::LeftButton, Qt::ShiftModifier);
    clic(Qt::RightButton, Qt::NoModifier);
    // Left clicks give the position within the link, the right one the
    // position on the canvas (for the tree menu).
    const std::vector<HoteArbreTest::Clic> attendus = {{Qt::LeftButton, Qt::ControlModifier, QPoint(50, 120)},
                                                       {Qt::LeftButton, Qt::ShiftModifier, QPoint(50, 120)},
                                                       {Qt::RightButton, Qt::NoModifier, dedans}};
    EXPECT_TRUE(hote.Clics == attendus);
}

} // namespace
