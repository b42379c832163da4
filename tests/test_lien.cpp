// The link lines of the tree, checked by rendering into pictures and
// measuring pixels, and the clicks on a link in the tree window.

#include "Chemins.h"
#include "Dessin.h"
#include "FamilleTest.h"
#include "Globales.h"
#include "Look.h"
#include "TAffArbre.h"
#include "TBoite.h"
#include "TLien.h"
#include "TPage.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QTemporaryDir>

namespace {

const QRgb Blanc = qRgb(255, 255, 255);

QImage Toile(int w, int h, QRgb fond = Blanc)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(fond);
    return image;
}

std::vector<QPoint> Encre(const QImage &image, QRgb fond = Blanc)
{
    std::vector<QPoint> points;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != fond)
                points.emplace_back(x, y);
    return points;
}

QRect Boite(const std::vector<QPoint> &points)
{
    QRect r;
    for (const QPoint &p : points)
        r |= QRect(p, QSize(1, 1));
    return r;
}

// Bounding box of the ink within a zone of the picture.
QRect EncreDans(const QImage &image, const QRect &zone)
{
    return Boite(Encre(image.copy(zone))).translated(zone.topLeft());
}

// A segment of pixels, ends included, along a row or a column.
struct Segment {
    int x1, y1, x2, y2;
};

QImage Attendu(int w, int h, const std::vector<Segment> &segments)
{
    QImage image = Toile(w, h);
    for (const Segment &s : segments)
        for (int y = std::min(s.y1, s.y2); y <= std::max(s.y1, s.y2); ++y)
            for (int x = std::min(s.x1, s.x2); x <= std::max(s.x1, s.x2); ++x)
                image.setPixel(x, y, qRgb(0, 0, 0));
    return image;
}

class Lien : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (int n = 1; n <= 2; ++n) {
            T1Aff &a = looks[n];
            a.Relier = 2;
            a.RelierColor = clBlack;
            a.RelierLarge = 1;
            a.Zoom = 100;
        }
        enfant = bd.NewPerson();
        pere = bd.NewPerson();
        mere = bd.NewPerson();
        bd.SetFather(enfant, pere);
        bd.SetMother(enfant, mere);
        TLien::VideCacheImages();
    }
    void TearDown() override { TLien::VideCacheImages(); }

    // A link of that shape (1..9), made through the look's style.
    std::unique_ptr<TLien> LienDeForme(int forme, int p1 = 1, int p2 = 1)
    {
        struct Cas {
            int style, look, x1, y1, x2, y2;
        };
        static const Cas cas[] = {{2, 1, 0, 100, 50, 0}, {2, 1, 50, 100, 0, 0}, {3, 1, 0, 0, 50, 100},
                                  {3, 1, 0, 100, 50, 0}, {2, 1, 0, 0, 50, 0},   {2, 1, 0, 0, 0, 50},
                                  {5, 1, 0, 0, 50, 100}, {1, 1, 0, 0, 50, 100}, {1, 2, 0, 0, 50, 100}};
        const Cas &c = cas[forme - 1];
        looks[c.look].Style = std::uint8_t(c.style);
        auto lien = std::make_unique<TLien>(contexte);
        lien->InitLien(c.x1, c.y1, c.x2, c.y2, p1, p2, c.look);
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
    int enfant = 0, pere = 0, mere = 0;
};

TEST_F(Lien, StraightLinesGetAThicknessOfHalfTheirLength)
{
    // A vertical line is shape 6 whatever the style, centred on its x.
    for (int style = 0; style <= 5; ++style) {
        looks[1].Style = std::uint8_t(style);
        TLien lien(contexte);
        lien.InitLien(100, 151, 100, 50, 1, 2, 1);
        EXPECT_EQ(lien.Forme(), 6) << style;
        EXPECT_EQ(QRect(lien.Gauche(), lien.Haut(), lien.Largeur(), lien.Hauteur()), QRect(75, 50, 50, 101));
        const std::vector<QPoint> encre = Encre(Dessin(lien, 200, 200, lien.Bounds()));
        EXPECT_EQ(Boite(encre), QRect(100, 50, 1, 101)) << style;
    }
    // A horizontal one is shape 5.
    looks[1].Style = 3;
    TLien horizontal(contexte);
    horizontal.InitLien(10, 40, 91, 40, 1, 2, 1);
    EXPECT_EQ(horizontal.Forme(), 5);
    EXPECT_EQ(QRect(horizontal.Gauche(), horizontal.Haut(), horizontal.Largeur(), horizontal.Hauteur()),
              QRect(10, 20, 81, 40));
    EXPECT_EQ(Boite(Encre(Dessin(horizontal, 120, 80, horizontal.Bounds()))), QRect(10, 40, 81, 1));
    // Equal end points: shape 5 of zero size, shown on one pixel.
    TLien point(contexte);
    point.InitLien(7, 9, 7, 9, 1, 2, 1);
    EXPECT_EQ(point.Forme(), 5);
    EXPECT_EQ(point.Largeur(), 0);
    EXPECT_EQ(point.Hauteur(), 0);
    EXPECT_EQ(point.Bounds(), QRect(7, 9, 1, 1));
    EXPECT_EQ(Encre(Dessin(point, 20, 20, point.Bounds())), std::vector<QPoint>{QPoint(7, 9)});
}

// Rectangle (10, 20, 41, 31): columns 10..50, rows 20..50, h2 = 15, w2 = 20.
TEST_F(Lien, EachShapeWithElbowsCoversItsPoints)
{
    const std::vector<std::vector<Segment>> attendus = {
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
        const auto lien = LienDeForme(forme);
        const QImage image = Dessin(*lien, 64, 80, QRect(10, 20, 41, 31));
        EXPECT_TRUE(image == Attendu(64, 80, attendus[forme - 1])) << "shape " << forme;
    }
}

TEST_F(Lien, StraightModeJoinsTheEndsByOneSegment)
{
    looks[1].Relier = looks[2].Relier = 1;
    const std::vector<std::pair<int, Segment>> cas = {
        {1, {10, 51, 50, 20}}, {2, {10, 20, 50, 51}}, {3, {10, 50, 51, 20}}, {4, {10, 20, 51, 50}},
        {7, {10, 20, 50, 51}}, {8, {50, 20, 10, 50}}, {9, {10, 20, 51, 50}},
    };
    for (const auto &[forme, s] : cas) {
        const auto lien = LienDeForme(forme);
        const std::vector<QPoint> encre = Encre(Dessin(*lien, 64, 80, QRect(10, 20, 41, 31)));
        // One pixel per step across the rectangle, each on the segment.
        EXPECT_GE(encre.size(), 31u) << forme;
        EXPECT_LE(encre.size(), 42u) << forme;
        EXPECT_GE(Boite(encre).width(), 40) << forme;
        EXPECT_GE(Boite(encre).height(), 30) << forme;
        const double dx = s.x2 - s.x1, dy = s.y2 - s.y1;
        for (const QPoint &q : encre) {
            const double distance = std::abs(dy * (q.x() - s.x1) - dx * (q.y() - s.y1)) / std::hypot(dx, dy);
            EXPECT_LE(distance, 1.0) << forme << " at " << q.x() << "," << q.y();
        }
    }
}

TEST_F(Lien, UncertainParentLinksAreDotted)
{
    struct Cas {
        int statutPere, statutMere;
        int second; // 0 the father, 1 the mother, 2 the child itself
        bool pointille;
    };
    const Cas cas[] = {
        {0, 0, 0, false}, {1, 0, 0, true},  {2, 0, 0, true},  {3, 0, 0, true},  {0, 3, 0, false},
        {0, 0, 1, false}, {0, 2, 1, true},  {3, 0, 1, false}, {3, 3, 2, false},
    };
    for (const Cas &c : cas) {
        bd.SetFatherLinkStatus(enfant, c.statutPere);
        bd.SetMotherLinkStatus(enfant, c.statutMere);
        const int second = c.second == 0 ? pere : c.second == 1 ? mere : enfant;
        const auto lien = LienDeForme(6, enfant, second);
        const std::vector<QPoint> encre = Encre(Dessin(*lien, 40, 40, QRect(10, 0, 20, 40)));
        EXPECT_GT(encre.size(), 5u);
        EXPECT_EQ(encre.size() < 40, c.pointille) << c.statutPere << c.statutMere << c.second;
        EXPECT_EQ(Boite(encre).width(), 1);
    }
    // No father, an uncertain status left over, and a link towards nobody.
    const int seul = bd.NewPerson();
    bd.SetFatherLinkStatus(seul, 2);
    EXPECT_EQ(Encre(Dessin(*LienDeForme(6, seul, 0), 40, 40, QRect(10, 0, 20, 40))).size(), 40u);
}

TEST_F(Lien, PenWidthIsTheLookWidthAtTheZoomRoundedDownToEvenAndDoubled)
{
    struct Cas {
        int large, zoom, largeur;
    };
    for (const Cas c : {Cas{1, 100, 1}, Cas{2, 100, 4}, Cas{3, 100, 4}, Cas{2, 50, 1}, Cas{4, 200, 16},
                        Cas{0, 100, 1}, Cas{-5, 100, 1}}) {
        looks[1].RelierLarge = c.large;
        const auto lien = LienDeForme(6);
        const QImage image = Dessin(*lien, 40, 40, QRect(0, 0, 40, 40), c.zoom);
        EXPECT_EQ(EncreDans(image, QRect(0, 20, 40, 1)), QRect(20 - c.largeur / 2, 20, c.largeur, 1))
            << c.large << " " << c.zoom;
    }

    // A 4-pixel pen keeps 2 pixels from the sides it runs along, and the
    // link keeps to its rectangle.
    looks[1].RelierLarge = 2;
    const QImage image = Dessin(*LienDeForme(1), 64, 80, QRect(10, 20, 41, 31));
    EXPECT_EQ(EncreDans(image, QRect(0, 45, 64, 1)), QRect(10, 45, 4, 1)); // lower vertical
    EXPECT_EQ(EncreDans(image, QRect(0, 22, 64, 1)), QRect(46, 22, 4, 1)); // upper vertical
    EXPECT_EQ(EncreDans(image, QRect(30, 0, 1, 80)), QRect(30, 33, 1, 4)); // elbow
    EXPECT_TRUE(QRect(10, 20, 41, 31).contains(Boite(Encre(image))));
}

TEST_F(Lien, PicturesAreStretchedWithCyanTransparent)
{
    QTemporaryDir dossier;
    ASSERT_TRUE(dossier.isValid());
    const QString chemin = dossier.filePath(QStringLiteral("lien.png"));
    QImage source = Toile(4, 4, qRgb(0, 255, 255));
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x)
            source.setPixel(x, y, qRgb(255, 0, 0));
    source.setPixel(3, 3, qRgb(0, 255, 254)); // nearly cyan: drawn
    ASSERT_TRUE(source.save(chemin, "PNG"));

    const QRgb vert = qRgb(0, 128, 0);
    looks[1].Relier = 3;
    looks[1].RelierTexture[2] = chemin;
    const auto lien = LienDeForme(2);
    const QRect r(10, 10, 40, 40);
    QImage image = Dessin(*lien, 60, 60, r, 100, vert);
    EXPECT_EQ(image.pixel(10, 10), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(29, 29), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(30, 15), vert);
    EXPECT_EQ(image.pixel(45, 45), qRgb(0, 255, 254));
    EXPECT_EQ(Boite(Encre(image, vert)), QRect(10, 10, 40, 40));

    // Decoded once and shared: the file is not read again until the cache
    // is emptied.
    ASSERT_TRUE(QFile::remove(chemin));
    EXPECT_TRUE(Dessin(*LienDeForme(2), 60, 60, r, 100, vert) == image);
    TLien::VideCacheImages();
    EXPECT_TRUE(Encre(Dessin(*lien, 60, 60, r, 100, vert), vert).empty());

    // No picture for the shape, or links turned off: nothing.
    EXPECT_TRUE(Encre(Dessin(*LienDeForme(3), 60, 60, r, 100, vert), vert).empty());
    looks[1].Relier = 0;
    looks[1].RelierTexture[2] = QStringLiteral(LIGNEE_MODELE "/Lien2.png");
    EXPECT_TRUE(Encre(Dessin(*lien, 60, 60, r, 100, vert), vert).empty());
    // A link of no shape (style 0) draws nothing either.
    looks[1].Relier = 2;
    looks[1].Style = 0;
    TLien sansForme(contexte);
    sansForme.InitLien(0, 0, 50, 100, 1, 2, 1);
    EXPECT_EQ(sansForme.Forme(), 0);
    EXPECT_TRUE(Encre(Dessin(sansForme, 60, 60, r)).empty());
}

TEST_F(Lien, PrintingPlacesTheLinkOnThePage)
{
    looks[1].Zoom = 50;
    TLien lien(contexte);
    lien.InitLien(200, 100, 200, 300, 1, 2, 1); // rectangle (150, 100, 100, 200)
    TParamImpression page;
    page.Origine = QPoint(100, 50);
    page.PrintZoom = 300; // x 1.5: rectangle (125, 100, 150, 300), zoom 150
    for (int methode = 0; methode <= 2; ++methode) {
        page.Methode = methode;
        QImage image = Toile(400, 450);
        {
            QPainter p(&image);
            lien.Imprime(p, page);
        }
        EXPECT_EQ(Boite(Encre(image)), QRect(200, 100, 1, 300)) << methode;
    }
    // The pen follows the print zoom: 2 x 150 div 100 = 3, a 4-pixel pen.
    looks[1].RelierLarge = 2;
    QImage image = Toile(400, 450);
    {
        QPainter p(&image);
        lien.Imprime(p, page);
        page.PrintZoom = 0;
        lien.Imprime(p, page); // nothing at a zero zoom
    }
    EXPECT_EQ(Boite(Encre(image)), QRect(198, 100, 4, 300));

    // A link of no size keeps one pixel on paper as on screen.
    looks[1].RelierLarge = 1;
    TLien point(contexte);
    point.InitLien(200, 100, 200, 100, 1, 2, 1);
    page.PrintZoom = 300;
    image = Toile(400, 450);
    {
        QPainter p(&image);
        point.Imprime(p, page);
    }
    EXPECT_EQ(Encre(image), std::vector<QPoint>{QPoint(200, 100)});
}

TEST_F(Lien, TheShippedLookNamesPicturesOfEachShape)
{
    const QString nomLook = NomLook, textEcran = TextEcran;
    const TColor couleurEcran = CouleurEcran;
    SetRepModele(QStringLiteral(LIGNEE_MODELE));
    LitLook(QStringLiteral(LIGNEE_MODELE "/1/arbre/defaut.mva"), looks);
    SetRepModele(QString());
    NomLook = nomLook;
    TextEcran = textEcran;
    CouleurEcran = couleurEcran;

    for (int forme = 1; forme <= 9; ++forme) {
        for (int n = 1; n <= 2; ++n)
            EXPECT_EQ(looks[n].RelierTexture[forme], QStringLiteral(LIGNEE_MODELE "/Lien%1.png").arg(forme));
        // The picture's line covers the shape's one-pixel line, within two
        // pixels of it.
        const auto lien = LienDeForme(forme);
        looks[1].Relier = looks[2].Relier = 2;
        const std::vector<QPoint> trait = Encre(Dessin(*lien, 64, 64, QRect(0, 0, 64, 64)));
        looks[1].Relier = looks[2].Relier = 3;
        const QImage image = Dessin(*lien, 64, 64, QRect(0, 0, 64, 64));
        const std::vector<QPoint> encre = Encre(image);
        ASSERT_FALSE(trait.empty());
        EXPECT_LT(encre.size(), 64u * 64u / 4) << forme;
        for (const QPoint &q : trait)
            EXPECT_NE(image.pixel(q), Blanc) << forme;
        for (const QPoint &q : encre) {
            const bool proche = std::any_of(trait.begin(), trait.end(), [&](const QPoint &t) {
                return std::abs(t.x() - q.x()) <= 2 && std::abs(t.y() - q.y()) <= 2;
            });
            EXPECT_TRUE(proche) << forme << " at " << q.x() << "," << q.y();
        }
    }
}

// ---- In the tree window --------------------------------------------------

class HoteTest final : public THoteArbre
{
public:
    struct Clic {
        Qt::MouseButton bouton;
        Qt::KeyboardModifiers touches;
        QPoint position;
        bool operator==(const Clic &) const = default;
    };
    std::vector<Clic> Clics;

    int SelecPers() const override { return 0; }
    void SetSelecPers(int) override {}
    void ShowFiche() override {}
    void TitreFenetre() override {}
    void ArbreMouseDown(Qt::MouseButton b, Qt::KeyboardModifiers t, const QPoint &p) override
    {
        Clics.push_back({b, t, p});
    }
    QMenu *MenuBoite() override { return nullptr; }
};

class LienFenetre : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Looks[1].Style = 2;
        Looks[1].Relier = 2;
        Looks[1].RelierColor = clRed;
        Looks[1].RelierLarge = 1;
        Looks[1].Zoom = 100;
        CouleurEcran = clWhite;
        TextEcran.clear();
        m_vue.resize(500, 500);
        m_page = new TPage;
        m_vue.setWidget(m_page);
        m_vue.setWidgetResizable(true);
        m_arbre = std::make_unique<TAffArbre>(m_famille.bd, &m_vue, m_hote);
        m_arbre->SetPage(m_page);
        m_page->SetArbre(m_arbre.get());
        m_vue.show();
        // Shape 1 in the rectangle (100, 100, 100, 200).
        m_arbre->AjouteLien(100, 300, 200, 100, 4, 1, 1);
    }
    void TearDown() override
    {
        Looks = m_looks;
        CouleurEcran = m_couleurEcran;
        TextEcran = m_textEcran;
    }

    void Clic(Qt::MouseButton bouton, Qt::KeyboardModifiers touches, const QPoint &position)
    {
        QMouseEvent e(QEvent::MouseButtonPress, QPointF(position), QPointF(m_page->mapToGlobal(position)),
                      bouton, bouton, touches);
        QApplication::sendEvent(m_page, &e);
    }

    const TLooks m_looks = Looks;
    const TColor m_couleurEcran = CouleurEcran;
    const QString m_textEcran = TextEcran;
    FamilleTest m_famille;
    HoteTest m_hote;
    QScrollArea m_vue;
    TPage *m_page = nullptr;
    std::unique_ptr<TAffArbre> m_arbre;
};

TEST_F(LienFenetre, CtrlOrShiftLeftClicksReachTheMainWindow)
{
    ASSERT_EQ(m_arbre->Liens().size(), 1u);
    ASSERT_EQ(m_arbre->Liens()[0]->Bounds(), QRect(100, 100, 100, 200));
    ASSERT_GE(m_page->width(), 300);
    ASSERT_GE(m_page->height(), 300);
    const QPoint dedans(150, 220);

    Clic(Qt::LeftButton, Qt::NoModifier, dedans);
    Clic(Qt::LeftButton, Qt::ControlModifier | Qt::ShiftModifier, dedans);
    Clic(Qt::LeftButton, Qt::ControlModifier | Qt::AltModifier, dedans);
    EXPECT_TRUE(m_hote.Clics.empty());

    Clic(Qt::LeftButton, Qt::ControlModifier, dedans);
    Clic(Qt::LeftButton, Qt::ShiftModifier, dedans);
    Clic(Qt::RightButton, Qt::NoModifier, dedans);
    // Left clicks give the position within the link, the right one the
    // position on the canvas (for the tree menu).
    using C = HoteTest::Clic;
    const std::vector<C> attendus = {{Qt::LeftButton, Qt::ControlModifier, QPoint(50, 120)},
                                     {Qt::LeftButton, Qt::ShiftModifier, QPoint(50, 120)},
                                     {Qt::RightButton, Qt::NoModifier, dedans}};
    EXPECT_TRUE(m_hote.Clics == attendus);
}

TEST_F(LienFenetre, TheWindowPaintsTheLinkAtItsBounds)
{
    const QImage image = m_page->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRgb rouge = CouleurQt(clRed).rgb();
    EXPECT_EQ(image.pixel(100, 250), rouge); // lower vertical
    EXPECT_EQ(image.pixel(150, 200), rouge); // elbow at mid-height
    EXPECT_EQ(image.pixel(199, 120), rouge); // upper vertical
    EXPECT_EQ(image.pixel(150, 250), Blanc);
    EXPECT_EQ(Boite(Encre(image)), QRect(100, 100, 100, 200));
}

} // namespace
