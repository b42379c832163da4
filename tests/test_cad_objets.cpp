// The boxed drawing objects of the designs: handles, turning, resizing, hit
// tests, and the rectangle drawn into images.

#include "AideCAD.h"
#include "Clavier.h"
#include "TxiloCADMdl.h"
#include "TxiloCADRectangle.h"

#include <cmath>
#include <gtest/gtest.h>

#include <QTemporaryDir>

using namespace Qt::StringLiterals;
using namespace aidecad;

namespace {

constexpr double Eps = 1e-9;

class ClavierScripte final : public TEtatClavier
{
public:
    bool maj = false;
    bool ctrl = false;
    bool Maj() const override { return maj; }
    bool Ctrl() const override { return ctrl; }
};

// Installs a scripted keyboard for the life of a test.
struct ClavierDeTest {
    ClavierScripte touches;
    ClavierDeTest() { SetEtatClavier(&touches); }
    ~ClavierDeTest() { SetEtatClavier(nullptr); }
};

class Couleurs final : public TProprietaireModele
{
public:
    TColor CouleurCadre() const override { return CouleurRGB(0, 255, 255); }
    TColor CouleurSelection() const override { return CouleurMagenta; }
    TColor CouleurActive() const override { return CouleurJaune; }
};

// A page of 120 x 120 mm shown at 10 pixels per millimetre: handles are hit
// within 0.3 mm and sides stop at 0.5 mm.
struct Page {
    TxiloCADMdl m{nullptr, QRect(0, 0, 1200, 1200), 120, 120};
    TxiloCADRectangle &Ajoute(double x, double y, double l, double h, double r)
    {
        auto &rect = dynamic_cast<TxiloCADRectangle &>(*m.AddObject(u"rectangle"_s));
        rect.SetFace(1);
        rect.SetCentre(x, y);
        rect.SetTaille(l, h);
        rect.SetR(r);
        return rect;
    }
};

// The page point at offsets (u, v) along the box's own axes from `centre`,
// the box turned by r.
QPointF DansLaPage(QPointF centre, double u, double v, double r)
{
    return TxiloCADMdl::RotatePoint(centre, centre + QPointF(u, v), r);
}

void ExpectPoint(QPointF vu, QPointF attendu)
{
    EXPECT_NEAR(vu.x(), attendu.x(), 1e-7);
    EXPECT_NEAR(vu.y(), attendu.y(), 1e-7);
}

} // namespace

TEST(ObjetBoite, PoigneesDroitesEtTournees)
{
    Page p;
    TxiloCADRectangle &r = p.Ajoute(50, 40, 40, 20, 0);
    const QPointF droit[9] = {{50, 40}, {30, 30}, {70, 30}, {70, 50}, {30, 50},
                              {50, 30}, {70, 40}, {50, 50}, {30, 40}};
    // A quarter turn clockwise: the top-left corner goes to the top right.
    const QPointF quart[9] = {{50, 40}, {60, 20}, {60, 60}, {40, 60}, {40, 20},
                              {60, 40}, {50, 60}, {40, 40}, {50, 20}};
    for (int i = 0; i <= 8; ++i) {
        SCOPED_TRACE(i);
        ExpectPoint(r.HandlePoint(i), droit[i]);
    }
    r.SetR(90);
    for (int i = 0; i <= 8; ++i) {
        SCOPED_TRACE(i);
        ExpectPoint(r.HandlePoint(i), quart[i]);
    }
    ExpectPoint(r.HandlePoint(-1), QPointF(50, 40));
    EXPECT_FALSE(r.AvecPoignee(1));
    EXPECT_FALSE(r.AvecPoignee(4));
    for (const int i : {2, 3, 5, 6, 7, 8})
        EXPECT_TRUE(r.AvecPoignee(i)) << i;
}

TEST(ObjetBoite, TourneParLaPoigneeDeux)
{
    ClavierDeTest clavier;
    Page p;
    TxiloCADRectangle &r = p.Ajoute(50, 40, 40, 20, 0);
    // The handle on its own position gives back the angle and the size.
    for (const double angle : {0.0, 30.0, -60.0, 135.0, 179.0, 90.0 - std::atan(2.0) * 180 / M_PI}) {
        SCOPED_TRACE(angle);
        r.SetTaille(40, 20);
        r.SetR(angle);
        r.Tourne(r.HandlePoint(2));
        EXPECT_NEAR(std::remainder(r.R() - angle, 360), 0, 1e-9);
        EXPECT_NEAR(r.L(), 40, 1e-9);
        EXPECT_NEAR(r.H(), 20, 1e-9);
    }
    // Farther out along the diagonal: no turn, the proportions kept.
    r.SetR(0);
    r.Tourne(QPointF(90, 20));
    EXPECT_NEAR(r.R(), 0, Eps);
    EXPECT_NEAR(r.L(), 80, Eps);
    EXPECT_NEAR(r.H(), 40, Eps);
    // Any pointer: the corner comes under it, whether it is above, below,
    // level with the centre or straight above it.
    for (const QPointF pointeur : {QPointF(80, 40), QPointF(20, 40), QPointF(65, 70), QPointF(35, 5),
                                   QPointF(50, 10), QPointF(50, 75)}) {
        SCOPED_TRACE(pointeur.x());
        r.SetTaille(40, 20);
        r.Tourne(pointeur);
        ExpectPoint(r.HandlePoint(2), pointeur);
        EXPECT_NEAR(r.L() / r.H(), 2, Eps);
    }
    // Shift held: the nearest multiple of 22.5 degrees.
    clavier.touches.maj = true;
    for (const auto &[calcule, attendu] : {std::pair{30.0, 22.5}, {34.0, 45.0}, {11.0, 0.0}, {-40.0, -45.0}}) {
        SCOPED_TRACE(calcule);
        r.SetTaille(40, 20);
        r.SetR(calcule);
        r.Tourne(r.HandlePoint(2));
        EXPECT_DOUBLE_EQ(r.R(), attendu);
    }
    // A box of no height does not turn.
    r.SetTaille(40, 0);
    r.SetR(5);
    r.Tourne(QPointF(0, 0));
    EXPECT_EQ(r.R(), 5);
}

TEST(ObjetBoite, RedimensionneParSesPoignees)
{
    struct Cas {
        int poignee;
        double u, v;   // the pointer along the box's axes from its centre
        double l, h;   // the new size
        double du, dv; // the centre's move along the box's axes
        int fixe;      // the handle that stays in place (0: the centre)
    };
    // The box: 40 x 20 at (50, 40), turned by 0, 30 and 90 degrees.
    const Cas cas[] = {
        // Handle 3, about the centre: the corner follows the pointer; past
        // the centre the sides fall to 5 pixels; straight below the centre
        // the box is all height.
        {3, 25, 15, 50, 30, 0, 0, 0},
        {3, -3, 0.01, 0.5, 0.5, 0, 0, 0},
        {3, 0, 15, 0.5, 30, 0, 0, 0},
        {1, -30, -15, 50, 25, -5, -2.5, 3},
        {4, -30, 15, 50, 25, -5, 2.5, 2},
        {5, 7, -16, 40, 26, 0, -3, 7},
        {6, 28, 3, 48, 20, 4, 0, 8},
        {7, -4, 22, 40, 32, 0, 6, 5},
        {8, -33, 1, 53, 20, -6.5, 0, 6},
        // Dragged straight down or up along the height axis: the height
        // follows, the opposite side stays.
        {7, 0, 20, 40, 30, 0, 5, 5},
        {5, 0, -30, 40, 40, 0, -10, 7},
        // Handle 8 past the right side: 5 pixels wide, the right side kept.
        {8, 30, 0, 0.5, 20, 19.75, 0, 6},
        // Handle 2 turns; it does not resize.
        {2, 40, -20, 40, 20, 0, 0, 0},
    };
    for (const double angle : {0.0, 30.0, 90.0}) {
        for (const Cas &c : cas) {
            SCOPED_TRACE(testing::Message() << "poignée " << c.poignee << " vers " << c.u << ", " << c.v << " à "
                                            << angle << " degrés");
            Page p;
            TxiloCADRectangle &r = p.Ajoute(50, 40, 40, 20, angle);
            const QPointF fixe = r.HandlePoint(c.fixe);
            r.MemoriseDepart();
            r.SetPoigneeActive(c.poignee);
            const QPointF pointeur = DansLaPage(QPointF(50, 40), c.u, c.v, angle);
            if (c.poignee == 3)
                r.RedimCentre(pointeur);
            else
                r.RedimPoignee(pointeur);
            EXPECT_NEAR(r.L(), c.l, 1e-9);
            EXPECT_NEAR(r.H(), c.h, 1e-9);
            ExpectPoint(QPointF(r.X(), r.Y()), DansLaPage(QPointF(50, 40), c.du, c.dv, angle));
            ExpectPoint(r.HandlePoint(c.fixe), fixe);
            if ((c.poignee == 1 || c.poignee == 3 || c.poignee == 4) && c.l > 1 && c.h > 1)
                ExpectPoint(r.HandlePoint(c.poignee), pointeur);
        }
    }
}

TEST(ObjetBoite, TestsDeToucheDroitsEtTournes)
{
    Page p;
    TxiloCADRectangle &r = p.Ajoute(50, 40, 40, 20, 0);
    struct Cas {
        double angle;
        QPointF point; // given along the box's axes from its centre
        int attendu;
    };
    const Cas cas[] = {
        {0, {0, 0}, 0},
        // Unturned: the left and top sides are inside, the right and bottom
        // ones outside.
        {0, {-20, -5}, 0},
        {0, {20, -5}, -1},
        {0, {-5, -10}, 0},
        {0, {-5, 10}, -1},
        // Handles within 3 pixels (0.3 mm) on both axes.
        {0, {20, -10}, 2},
        {0, {20.29, -10.29}, 2},
        {0, {20.31, -10}, -1},
        {0, {20, 10}, 3},
        {0, {0, -10}, 5},
        {0, {20, 0}, 6},
        {0, {0, 10}, 7},
        {0, {-20, 0}, 8},
        // Corners 1 and 4 have no handle: a body hit or a miss.
        {0, {-20, -10}, 0},
        {0, {-20, 10}, -1},
        {0, {30, 0}, -1},
        // Turned 30 degrees, just inside and just outside each side.
        {30, {0, 0}, 0},
        {30, {19.95, 5}, 0},
        {30, {20.05, 5}, -1},
        {30, {-19.95, -5}, 0},
        {30, {-20.05, -5}, -1},
        {30, {5, -9.95}, 0},
        {30, {5, -10.05}, -1},
        {30, {-5, 9.95}, 0},
        {30, {-5, 10.05}, -1},
        {30, {20, -10}, 2},
        {30, {20, 10}, 3},
        {30, {-20, 0.2}, 8},
        {30, {-20, -10}, 0},
        // A quarter turn: the box spans x 40..60 and y 20..60 of the page,
        // its page-left and page-top sides inside.
        {90, {5, 10}, 0},   // page (40, 45)
        {90, {5, -10}, -1}, // page (60, 45)
    };
    for (const Cas &c : cas) {
        SCOPED_TRACE(testing::Message() << c.angle << " degrés, " << c.point.x() << ", " << c.point.y());
        r.SetR(c.angle);
        const QPointF point = DansLaPage(QPointF(50, 40), c.point.x(), c.point.y(), c.angle);
        EXPECT_EQ(r.HitTest(point), c.attendu);
    }
    // Handle 1 switched on is found at its corner; an object that cannot be
    // selected is never hit.
    r.SetR(0);
    r.SetAvecPoignee(1, true);
    EXPECT_EQ(r.HitTest(QPointF(30, 30)), 1);
    // Handles crowded within reach of one point: the last in their order
    // wins. At the middle of the right side of a box 0.4 mm wide, handles
    // 2, 3, 5, 6 and 7 are within 0.3 mm; a little higher, 2, 5 and 6; near
    // the top-left corner, 1, 5 and 8.
    r.SetTaille(0.4, 0.4);
    EXPECT_EQ(r.HitTest(QPointF(50.2, 40)), 7);
    EXPECT_EQ(r.HitTest(QPointF(50.2, 39.75)), 6);
    EXPECT_EQ(r.HitTest(QPointF(49.75, 39.85)), 8);
    r.SetCanSelect(false);
    for (const QPointF point : {QPointF(50, 40), QPointF(30, 30), QPointF(70, 30)})
        EXPECT_EQ(r.HitTest(point), -1);
}

TEST(ObjetRectangle, DessinDesFormes)
{
    Page p;
    p.m.SetEchelles(2, 2);
    TxiloCADRectangle &r = p.Ajoute(50, 40, 40, 20, 0);
    r.SetPen(TStylo{CouleurNoire, 0, StyloPlein});
    r.SetBrush(TPinceau{CouleurRouge, PinceauPlein});
    auto dessin = [&] { return Dessine(QSize(200, 200), [&](TCanevas &c) { r.Draw(c); }); };

    // Unturned: corners at pixels (60, 60) and (140, 100), the outline on
    // both ends of each side, the brush inside.
    QImage image = dessin();
    EXPECT_EQ(BoiteNonBlanche(image), QRect(QPoint(60, 60), QPoint(140, 100)));
    EXPECT_EQ(BoiteDe(image, CouleurRouge), QRect(QPoint(61, 61), QPoint(139, 99)));
    EXPECT_TRUE(Est(image, 140, 100, CouleurNoire));
    // A quarter turn stands it up.
    r.SetR(90);
    EXPECT_EQ(BoiteNonBlanche(dessin()), QRect(QPoint(80, 40), QPoint(120, 120)));
    // Turned 30 degrees: the corners drawn, the centre filled, nothing just
    // beyond each side.
    r.SetR(30);
    image = dessin();
    for (const QPointF &coin : r.Coins()) {
        const QPoint pixel = p.m.PageToPixel(coin);
        EXPECT_TRUE(Est(image, pixel.x(), pixel.y(), CouleurNoire));
    }
    EXPECT_TRUE(Est(image, 100, 80, CouleurRouge));
    for (const QPointF dehors : {QPointF(21.5, 0), QPointF(-21.5, 0), QPointF(0, 11.5), QPointF(0, -11.5)}) {
        const QPoint pixel = p.m.PageToPixel(DansLaPage(QPointF(50, 40), dehors.x(), dehors.y(), 30));
        EXPECT_TRUE(Est(image, pixel.x(), pixel.y(), CouleurBlanche));
    }
    // The pen's width is scaled to the page: 2 mm at 2 pixels per
    // millimetre is 4 pixels astride the side. The fill switch off, no
    // brush.
    r.SetR(0);
    r.SetPen(TStylo{CouleurNoire, 2000, StyloPlein});
    p.m.Interrupteurs().Remplissage = false;
    image = dessin();
    for (int x = 56; x <= 64; ++x)
        EXPECT_EQ(Est(image, x, 80, CouleurNoire), x >= 58 && x <= 61) << x;
    EXPECT_EQ(Compte(image, CouleurRouge), 0);
    p.m.Interrupteurs().Remplissage = true;
    r.SetPen(TStylo{CouleurNoire, 0, StyloPlein});

    // Cote 3 turned half a turn points down: the apex on the bottom side.
    r.SetCote(3);
    r.SetR(180);
    image = dessin();
    EXPECT_EQ(BoiteNonBlanche(image), QRect(QPoint(60, 60), QPoint(140, 100)));
    EXPECT_TRUE(Est(image, 100, 100, CouleurNoire));
    EXPECT_TRUE(Est(image, 90, 99, CouleurBlanche));
    // An ellipse leaves the corners of its box; a hexagon has its first
    // corner in the middle of the right side.
    r.SetR(0);
    r.SetCote(TxiloCADRectangle::CoteEllipse);
    image = dessin();
    EXPECT_NEAR(BoiteNonBlanche(image).left(), 60, 1);
    EXPECT_TRUE(Est(image, 62, 62, CouleurBlanche));
    r.SetCote(6);
    image = dessin();
    EXPECT_TRUE(Est(image, 140, 80, CouleurNoire));
    EXPECT_TRUE(Est(image, 140, 62, CouleurBlanche));
    // Fewer than 3 sides are 4; the count is bounded.
    r.SetCote(0);
    EXPECT_EQ(r.Sommets().size(), 4u);
    r.SetCote(2000000000);
    EXPECT_EQ(r.Sommets().size(), size_t(TxiloCADRectangle::CoteMax) + 1);
    // Another face is not drawn.
    r.SetFace(2);
    EXPECT_TRUE(BoiteNonBlanche(dessin()).isNull());
}

TEST(ObjetRectangle, CadreEtPoigneesDeLEditeur)
{
    Couleurs couleurs;
    for (TProprietaireModele *editeur : {static_cast<TProprietaireModele *>(nullptr),
                                         static_cast<TProprietaireModele *>(&couleurs)}) {
        SCOPED_TRACE(editeur ? "avec éditeur" : "sans éditeur");
        TxiloCADMdl m(editeur, QRect(0, 0, 240, 240), 120, 120);
        auto &r = dynamic_cast<TxiloCADRectangle &>(*m.AddObject(u"rectangle"_s));
        r.SetFace(1);
        r.SetCentre(50, 40);
        r.SetTaille(40, 20);
        r.SetPen(TStylo{CouleurNoire, 0, StyloVide});
        r.SetBrush(TPinceau{CouleurRGB(0, 128, 0), PinceauPlein});
        // Handle 6 (a square) and handle 3 (a circle) at pixels (140, 80)
        // and (140, 100); the top side of the frame along y = 60.
        QImage image;
        auto dessine = [&] { image = Dessine(QSize(200, 200), [&](TCanevas &c) { r.Draw(c); }); };
        auto poignee6 = [&] { return image.pixel(139, 79); };
        auto poignee3 = [&] { return image.pixel(139, 99); };
        auto pointsDuCadre = [&](TColor couleur) {
            int n = 0;
            for (int x = 61; x < 100; ++x)
                n += Est(image, x, 60, couleur);
            return n;
        };
        const TColor selection = editeur ? CouleurMagenta : CouleurRouge;
        const TColor active = editeur ? CouleurJaune : CouleurBleue;
        const TColor survol = editeur ? CouleurRGB(0, 255, 255) : CouleurRouge;
        const TColor cadre = editeur ? CouleurRGB(0, 255, 255) : CouleurBleue;

        // Neither selected nor under the pointer: nothing of the editor.
        dessine();
        EXPECT_EQ(BoiteNonBlanche(image), BoiteDe(image, CouleurRGB(0, 128, 0)));
        // Selected: handles and a dotted frame in the selection colour; the
        // squares reach 3 pixels; handles 1 and 4 are off.
        r.SetSelectionne(true);
        dessine();
        EXPECT_EQ(poignee6(), CouleurCAD(selection).rgb());
        EXPECT_EQ(poignee3(), CouleurCAD(selection).rgb());
        EXPECT_TRUE(Est(image, 142, 80, CouleurNoire));
        EXPECT_TRUE(Est(image, 143, 80, CouleurBlanche));
        EXPECT_TRUE(Est(image, 58, 58, CouleurBlanche));
        EXPECT_GT(pointsDuCadre(selection), 10);
        EXPECT_LT(pointsDuCadre(selection), 30);
        // Under the pointer: the active handle, the others and the frame.
        r.SetSelectionne(false);
        r.SetPoigneeActive(6);
        dessine();
        EXPECT_EQ(poignee6(), CouleurCAD(active).rgb());
        EXPECT_EQ(poignee3(), CouleurCAD(survol).rgb());
        EXPECT_GT(pointsDuCadre(cadre), 10);
        // Printing: no handle and no frame, unless every frame is asked
        // for.
        m.Interrupteurs().Interactif = false;
        dessine();
        EXPECT_EQ(BoiteNonBlanche(image), BoiteDe(image, CouleurRGB(0, 128, 0)));
        m.Interrupteurs().TousCadres = true;
        dessine();
        EXPECT_GT(pointsDuCadre(cadre), 10);
        EXPECT_EQ(poignee6(), CouleurCAD(CouleurRGB(0, 128, 0)).rgb());
    }
}

TEST(ObjetBoite, Message)
{
    ASSERT_TRUE(ChargeFonteTest());
    Page p;
    p.m.SetEchelles(2, 2);
    TxiloCADRectangle &r = p.Ajoute(50, 40, 40, 20, 0);
    const QImage image = Dessine(QSize(200, 200), [&](TCanevas &c) { r.DrawMessage(c, u"Pas d'image"_s); });
    // The outline and both diagonals in grey.
    for (const QPoint point : {QPoint(60, 60), QPoint(139, 60), QPoint(60, 99), QPoint(80, 70), QPoint(120, 70)})
        EXPECT_TRUE(Est(image, point.x(), point.y(), CouleurGrise)) << point.x() << "," << point.y();
    // The text in the middle of the box.
    const QRect texte = Boite(image, [](QRgb c) { return c != qRgb(255, 255, 255) && c != qRgb(128, 128, 128); });
    ASSERT_FALSE(texte.isNull());
    EXPECT_NEAR(texte.center().x(), 100, 3);
    EXPECT_NEAR(texte.center().y(), 80, 4);
    EXPECT_GT(texte.width(), 30);
}

TEST(ObjetRectangle, ModeleTourneEnregistreReluEtDessine)
{
    QTemporaryDir dossier;
    TxiloCADMdl modele(nullptr, QRect(0, 0, 400, 320), 100, 80);
    struct Forme {
        double x, y, l, h, r;
        int cote;
        TColor fond;
    };
    const Forme formes[] = {
        {30, 25, 30, 16, 30, 4, CouleurRouge},
        {70, 25, 24, 20, -45, 3, CouleurRGB(0, 160, 0)},
        {50, 60, 50, 20, 10, TxiloCADRectangle::CoteEllipse, CouleurBleue},
    };
    for (const Forme &f : formes) {
        auto &r = dynamic_cast<TxiloCADRectangle &>(*modele.AddObject(u"rectangle"_s));
        r.SetFace(1);
        r.SetCentre(f.x, f.y);
        r.SetTaille(f.l, f.h);
        r.SetR(f.r);
        r.SetCote(f.cote);
        r.SetPen(TStylo{CouleurNoire, 250, StyloPlein});
        r.SetBrush(TPinceau{f.fond, PinceauPlein});
    }
    const QString chemin = dossier.filePath(u"formes.mdl"_s);
    ASSERT_TRUE(modele.SaveToFile(chemin));

    TxiloCADMdl relu(nullptr, QRect(0, 0, 400, 320), 100, 80);
    ASSERT_TRUE(relu.LoadFromFile(chemin));
    ASSERT_EQ(relu.Count(), modele.Count());
    for (int i = 0; i < relu.Count(); ++i)
        EXPECT_EQ(relu.Objet(i).SaveToStrings(), modele.Objet(i).SaveToStrings()) << i;

    // Drawn at 4 pixels per millimetre, the reloaded page is the page: each
    // shape shows its colour at its centre, its outline at its corners, and
    // nothing just beyond its turned sides.
    auto page = [](TxiloCADMdl &m) {
        m.SetEchelles(4, 4);
        return Dessine(QSize(400, 320), [&](TCanevas &c) {
            for (int i = 0; i < m.Count(); ++i)
                m.Objet(i).Draw(c);
        });
    };
    const QImage image = page(relu);
    EXPECT_EQ(image, page(modele));
    for (int i = 0; i < relu.Count(); ++i) {
        SCOPED_TRACE(i);
        auto &r = dynamic_cast<TxiloCADRectangle &>(relu.Objet(i));
        const QPoint centre = relu.PageToPixel(QPointF(r.X(), r.Y()));
        EXPECT_TRUE(Est(image, centre.x(), centre.y(), formes[i].fond));
        for (const QPointF &sommet : r.Sommets()) {
            const QPoint pixel = relu.PageToPixel(sommet);
            EXPECT_TRUE(Est(image, pixel.x(), pixel.y(), CouleurNoire));
        }
        for (const QPointF dehors : {QPointF(r.L() / 2 + 1, 0), QPointF(-r.L() / 2 - 1, 0), QPointF(0, r.H() / 2 + 1),
                                     QPointF(0, -r.H() / 2 - 1)}) {
            const QPoint pixel = relu.PageToPixel(DansLaPage(QPointF(r.X(), r.Y()), dehors.x(), dehors.y(), r.R()));
            EXPECT_TRUE(Est(image, pixel.x(), pixel.y(), CouleurBlanche));
        }
    }
}

// The rules whose two axes have scales of their own, at 10 pixels per
// millimetre across and 2 down, where a mix-up of the two shows.
TEST(ObjetBoite, EchellesDifferentes)
{
    ASSERT_TRUE(ChargeFonteTest());
    Page p;
    p.m.SetEchelles(10, 2);
    TxiloCADRectangle &r = p.Ajoute(50, 40, 40, 20, 0);
    // A handle reaches 3 pixels of the horizontal scale on both axes: 0.3 mm
    // down too, not the 1.5 mm of 3 pixels down.
    EXPECT_EQ(r.HitTest(QPointF(70, 30.25)), 2);
    EXPECT_EQ(r.HitTest(QPointF(70.25, 30)), 2);
    EXPECT_EQ(r.HitTest(QPointF(70, 29.5)), -1);
    EXPECT_EQ(r.HitTest(QPointF(70, 50.5)), -1);

    // Sides stop at 5 pixels of their own axis: 0.5 mm across, 2.5 mm down.
    r.RedimCentre(QPointF(50, 40));
    EXPECT_DOUBLE_EQ(r.L(), 0.5);
    EXPECT_DOUBLE_EQ(r.H(), 2.5);
    // Dragged past the opposite side, the side stays where it was: the
    // right one at x = 70, the bottom one at y = 50.
    for (const auto &[poignee, pointeur] : {std::pair(8, QPointF(80, 40)), std::pair(5, QPointF(50, 60))}) {
        SCOPED_TRACE(poignee);
        r.SetCentre(50, 40);
        r.SetTaille(40, 20);
        r.MemoriseDepart();
        r.SetPoigneeActive(poignee);
        r.RedimPoignee(pointeur);
        if (poignee == 8) {
            EXPECT_DOUBLE_EQ(r.L(), 0.5);
            EXPECT_DOUBLE_EQ(r.X() + r.L() / 2, 70);
        } else {
            EXPECT_DOUBLE_EQ(r.H(), 2.5);
            EXPECT_DOUBLE_EQ(r.Y() + r.H() / 2, 50);
        }
    }

    // The pen's width takes the mean of both scales: 1 mm is 6 pixels.
    r.SetCentre(20, 40);
    r.SetTaille(10, 20);
    r.SetPoigneeActive(-1);
    r.SetPen(TStylo{CouleurNoire, 1000, StyloPlein});
    const QImage image = Dessine(QSize(300, 150), [&](TCanevas &c) { r.Draw(c); });
    int epaisseur = 0;
    for (int x = 130; x < 170; ++x)
        epaisseur += Est(image, x, 80, CouleurNoire);
    EXPECT_EQ(epaisseur, 6);

    // The message's text is centred on the box's centre, each axis by its
    // own scale: pixel (200, 80).
    const QImage message = Dessine(QSize(300, 150), [&](TCanevas &c) { r.DrawMessage(c, u"Pas d'image"_s); });
    const QRect texte = Boite(message, [](QRgb c) { return c != qRgb(255, 255, 255) && c != qRgb(128, 128, 128); });
    ASSERT_FALSE(texte.isNull());
    EXPECT_NEAR(texte.center().x(), 200, 3);
    EXPECT_NEAR(texte.center().y(), 80, 4);
}
