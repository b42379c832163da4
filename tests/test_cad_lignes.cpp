// The line and free-shape objects of the designs: their points read and
// written, added, removed, inserted and dragged, their hit tests, and the
// curves drawn into images.

#include "AideBezier.h"
#include "AideCAD.h"
#include "Convertisseurs.h"
#include "TxiloCADForme.h"
#include "TxiloCADLigne.h"
#include "TxiloCADMdl.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace aidecad;
using namespace aidebezier;

namespace {

using Points = std::vector<QPointF>;

// A page of 120 x 120 mm shown at 10 pixels per millimetre.
struct Page {
    TxiloCADMdl m{nullptr, QRect(0, 0, 1200, 1200), 120, 120};
    TxiloCADLigne &Ligne(const Points &points)
    {
        auto &l = dynamic_cast<TxiloCADLigne &>(*m.AddObject(u"ligne"_s));
        l.SetFace(1);
        l.SetPoints(points);
        return l;
    }
};

void ExpectPoints(const Points &vus, const Points &attendus)
{
    ASSERT_EQ(vus.size(), attendus.size());
    for (size_t i = 0; i < vus.size(); ++i) {
        EXPECT_NEAR(vus[i].x(), attendus[i].x(), 1e-9) << "point " << i;
        EXPECT_NEAR(vus[i].y(), attendus[i].y(), 1e-9) << "point " << i;
    }
}

// Points (i, 0) for i from 0 to n - 1.
Points Rangee(int n)
{
    Points p;
    for (int i = 0; i < n; ++i)
        p.emplace_back(i, 0);
    return p;
}

constexpr TColor Vert = CouleurRGB(0, 160, 0);

bool EstNoir(QRgb c)
{
    return c == qRgb(0, 0, 0);
}

} // namespace

TEST(Ligne, LueEtEcrite)
{
    Page p;
    TxiloCADLigne &l = p.Ligne({});
    // One straight segment, written back with the same text, after the keys
    // of every object.
    l.LoadFromStrings({u"Name=Ligne"_s, u"Face=2"_s, u"Pen=0000FF,500,0"_s, u"p=0;0|1;0|2;0|3;0|"_s});
    ExpectPoints(l.Points(), Rangee(4));
    EXPECT_EQ(l.SegmentCount(), 1);
    EXPECT_EQ(l.Face(), 2);
    const QStringList cles = l.SaveToStrings();
    EXPECT_EQ(cles.last(), u"p=0;0|1;0|2;0|3;0|"_s);
    EXPECT_EQ(cles.first(), u"Name=Ligne"_s);
    EXPECT_TRUE(cles.contains(u"Pen=0000FF,500,0"_s));

    // A piece without y has y = 0; the list ends at the first piece without
    // x; commas are decimal separators.
    l.LoadFromStrings({u"p=1,5;2|3|;4|5;6|"_s});
    ExpectPoints(l.Points(), {{1.5, 2}, {3, 0}});
    EXPECT_EQ(l.SegmentCount(), 0);

    // Beyond 1,000 points the first 1,000 are kept, which end on an anchor.
    QString texte;
    for (int i = 0; i < 1502; ++i)
        texte += u"%1;%2|"_s.arg(i).arg(i % 7);
    l.LoadFromStrings({u"p="_s + texte});
    ASSERT_EQ(l.NombrePoints(), PointsMax);
    EXPECT_EQ(l.SegmentCount() * 3 + 1, l.NombrePoints());
    EXPECT_EQ(l.Points().back(), QPointF(999, 999 % 7));
    l.SetPoints(Rangee(1234));
    EXPECT_EQ(l.NombrePoints(), PointsMax);

    // The model makes both kinds from their names, and copies them.
    const QStringList fichier = {
        u"Large=100"_s, u"Haut=100"_s, u"Face=1"_s,
        u"  L"_s, u"    Name=LIGNE"_s, u"    p=0;0|10;0|20;10|30;10|"_s, u"  End"_s,
        u"  F"_s, u"    Name=forme"_s, u"    x=50"_s, u"    y=40"_s, u"    l=20"_s, u"    h=10"_s,
        u"    p=0;0|1;0|1;1|"_s, u"    FormeLarge=0"_s, u"    FormeHaut=2,5"_s, u"  End"_s,
        u"End"_s,
    };
    p.m.LoadFromStrings(fichier);
    ASSERT_EQ(p.m.Count(), 2);
    auto *ligne = dynamic_cast<TxiloCADLigne *>(&p.m.Objet(0));
    auto *forme = dynamic_cast<TxiloCADForme *>(&p.m.Objet(1));
    ASSERT_TRUE(ligne && forme);
    EXPECT_EQ(ligne->NombrePoints(), 4);
    EXPECT_EQ(forme->Name(), u"Forme"_s);
    EXPECT_EQ(forme->X(), 50);
    EXPECT_EQ(forme->Points().size(), 3u);
    // A shape frame of 0 is 1, and is written so.
    EXPECT_EQ(forme->FormeLarge(), 1);
    EXPECT_EQ(forme->FormeHaut(), 2.5);
    const QStringList clesForme = forme->SaveToStrings();
    EXPECT_TRUE(clesForme.contains(u"FormeLarge=1"_s));
    EXPECT_TRUE(clesForme.contains(u"p=0;0|1;0|1;1|"_s));
    for (TxiloCADObj *objet : {static_cast<TxiloCADObj *>(ligne), static_cast<TxiloCADObj *>(forme)}) {
        TxiloCADObj *copie = p.m.CloneObject(*objet);
        ASSERT_NE(copie, nullptr);
        EXPECT_EQ(copie->SaveToStrings(), objet->SaveToStrings());
    }
}

TEST(Ligne, PointsAjoutesSupprimesEtInseres)
{
    Page p;
    const QPointF a(10, 10), b(40, 20), c(70, 10);
    TxiloCADLigne &l = p.Ligne({});
    EXPECT_EQ(l.AddPoint(a), 0);
    EXPECT_EQ(l.AddPoint(b), 2);
    EXPECT_EQ(l.AddPoint(c), 5);
    ExpectPoints(l.Points(), {a, a, b, b, b, c, c});
    EXPECT_EQ(l.SegmentCount(), 2);

    // Cutting a segment: a new anchor half way, its control points on it,
    // the other control points kept.
    const QPointF milieu = (a + b) / 2;
    ASSERT_TRUE(l.InsertPoint(0));
    ExpectPoints(l.Points(), {a, a, milieu, milieu, milieu, b, b, b, c, c});
    // After the last anchor: a straight segment 20 pixels (2 mm) to the
    // right.
    ASSERT_TRUE(l.InsertPoint(9));
    const QPointF fin = c + QPointF(2, 0);
    ExpectPoints(l.Points(), {a, a, milieu, milieu, milieu, b, b, b, c, c, c, fin, fin});
    for (const int indice : {1, 2, 13, -3, 15})
        EXPECT_FALSE(l.InsertPoint(indice)) << indice;
    EXPECT_EQ(l.NombrePoints(), 13);

    // Removing anchors: one in the middle takes its control points with it,
    // the first one the two after it, the last one the two before it.
    ASSERT_TRUE(l.DeletePoint(6));
    ExpectPoints(l.Points(), {a, a, milieu, milieu, milieu, c, c, c, fin, fin});
    ASSERT_TRUE(l.DeletePoint(0));
    ExpectPoints(l.Points(), {milieu, milieu, c, c, c, fin, fin});
    ASSERT_TRUE(l.DeletePoint(6));
    ExpectPoints(l.Points(), {milieu, milieu, c, c});
    for (const int indice : {1, 2, 4, 5, -3})
        EXPECT_FALSE(l.DeletePoint(indice)) << indice;
    ASSERT_TRUE(l.DeletePoint(3));
    ExpectPoints(l.Points(), {milieu});
    EXPECT_FALSE(l.DeletePoint(0));

    // Points after the last anchor (as a file may hold) start the next
    // segment; the point added completes it.
    for (const int n : {5, 6}) {
        SCOPED_TRACE(n);
        l.SetPoints(Rangee(n));
        EXPECT_EQ(l.AddPoint(QPointF(9, 9)), 5);
        Points attendus = Rangee(n);
        attendus.resize(7, QPointF(9, 9));
        ExpectPoints(l.Points(), attendus);
    }

    // A line never grows beyond 1,000 points.
    l.SetPoints(Rangee(PointsMax));
    EXPECT_EQ(l.AddPoint(a), -1);
    EXPECT_FALSE(l.InsertPoint(0));
    EXPECT_EQ(l.NombrePoints(), PointsMax);
    l.SetPoints(Rangee(PointsMax - 3));
    EXPECT_TRUE(l.InsertPoint(PointsMax - 4));
    EXPECT_EQ(l.NombrePoints(), PointsMax);
    l.SetPoints(Rangee(PointsMax - 3));
    EXPECT_EQ(l.AddPoint(a), PointsMax - 2);
}

TEST(Ligne, PointsDeplaces)
{
    ClavierDeTest clavier;
    Page p;
    // Two segments along the x axis: anchors 0, 3 and 6.
    const Points depart = {{0, 0}, {3, 0}, {6, 0}, {9, 0}, {12, 0}, {15, 0}, {18, 0}};
    TxiloCADLigne &l = p.Ligne(depart);
    struct Cas {
        const char *nom;
        int indice;
        QPointF cible;
        bool maj;
        TGlissement mode;
        Points attendus;
    };
    const Cas cas[] = {
        // A control point 3.6 pixels from its anchor comes onto it; at 5.4
        // pixels it does not.
        {"aimanté à l'ancre", 1, {0.3, 0.2}, false, TGlissement::Point, {{0, 0}, {0, 0}, {6, 0}, {9, 0}, {12, 0}, {15, 0}, {18, 0}}},
        {"à 5,4 pixels", 1, {0.3, 0.45}, false, TGlissement::Point, {{0, 0}, {0.3, 0.45}, {6, 0}, {9, 0}, {12, 0}, {15, 0}, {18, 0}}},
        // Near its sibling control point, onto it.
        {"aimanté au voisin", 4, {14.8, 0.1}, false, TGlissement::Point, {{0, 0}, {3, 0}, {3, 0}, {9, 0}, {15, 0}, {15, 0}, {18, 0}}},
        // The control point across the anchor is set opposite, from where
        // the dragged one ends.
        {"miroir après", 4, {12, 3}, false, TGlissement::Point, {{0, 0}, {3, 0}, {6, -3}, {9, 0}, {12, 3}, {15, 0}, {18, 0}}},
        {"miroir avant", 2, {5, 4}, false, TGlissement::Point, {{0, 0}, {3, 0}, {5, 4}, {9, 0}, {13, -4}, {15, 0}, {18, 0}}},
        {"aimanté puis miroir", 4, {9.2, 0.2}, false, TGlissement::Point, {{0, 0}, {3, 0}, {9, 0}, {9, 0}, {9, 0}, {15, 0}, {18, 0}}},
        // Shift held: no mirror. The ends have nothing across.
        {"Maj sans miroir", 4, {12, 3}, true, TGlissement::Point, {{0, 0}, {3, 0}, {6, 0}, {9, 0}, {12, 3}, {15, 0}, {18, 0}}},
        {"début", 1, {2, 5}, false, TGlissement::Point, {{0, 0}, {2, 5}, {6, 0}, {9, 0}, {12, 0}, {15, 0}, {18, 0}}},
        {"fin", 5, {16, 5}, false, TGlissement::Point, {{0, 0}, {3, 0}, {6, 0}, {9, 0}, {12, 0}, {16, 5}, {18, 0}}},
        // An anchor takes its control points along.
        {"ancre", 3, {10, 2}, false, TGlissement::Point, {{0, 0}, {3, 0}, {7, 2}, {10, 2}, {13, 2}, {15, 0}, {18, 0}}},
        {"première ancre", 0, {1, 1}, false, TGlissement::Point, {{1, 1}, {4, 1}, {6, 0}, {9, 0}, {12, 0}, {15, 0}, {18, 0}}},
        {"dernière ancre", 6, {19, -1}, false, TGlissement::Point, {{0, 0}, {3, 0}, {6, 0}, {9, 0}, {12, 0}, {16, -1}, {19, -1}}},
        // Dragged whole by an anchor, the line moves; with Shift held only
        // the anchor and its control points do.
        {"ligne entière", 3, {10, 2}, false, TGlissement::Ligne, {{1, 2}, {4, 2}, {7, 2}, {10, 2}, {13, 2}, {16, 2}, {19, 2}}},
        {"ligne, Maj", 3, {10, 2}, true, TGlissement::Ligne, {{0, 0}, {3, 0}, {7, 2}, {10, 2}, {13, 2}, {15, 0}, {18, 0}}},
        // The whole-line mode moves control points alone.
        {"point en mode ligne", 1, {2, 5}, false, TGlissement::Ligne, {{0, 0}, {2, 5}, {6, 0}, {9, 0}, {12, 0}, {15, 0}, {18, 0}}},
        {"hors de la ligne", 7, {2, 5}, false, TGlissement::Ligne, depart},
        {"avant la ligne", -1, {2, 5}, false, TGlissement::Ligne, depart},
    };
    for (const Cas &c : cas) {
        SCOPED_TRACE(c.nom);
        l.SetPoints(depart);
        clavier.touches.maj = c.maj;
        l.MovePoint(c.indice, c.cible, c.mode);
        ExpectPoints(l.Points(), c.attendus);
    }

    // The 5-pixel reach is measured in pixels of each axis: 2 mm is 4
    // pixels at 2 pixels per millimetre.
    clavier.touches.maj = false;
    p.m.SetEchelles(2, 20);
    l.SetPoints(depart);
    l.MovePoint(1, QPointF(2, 0), TGlissement::Point);
    EXPECT_EQ(l.Points()[1], QPointF(0, 0));
    l.MovePoint(1, QPointF(0, 0.3), TGlissement::Point);
    EXPECT_EQ(l.Points()[1], QPointF(0, 0.3));
}

TEST(Ligne, DupliqueeEnEntier)
{
    Page p;
    const Points depart = {{10, 10}, {20, 0}, {30, 20}, {40, 10}};
    TxiloCADLigne &l = p.Ligne(depart);
    l.SetFace(2);
    TxiloCADLigne *copie = l.Duplique();
    ASSERT_NE(copie, nullptr);
    ASSERT_EQ(p.m.Count(), 2);
    EXPECT_EQ(&p.m.Objet(1), copie);
    EXPECT_EQ(copie->Face(), 2);
    // 10 pixels right and down, every point.
    Points attendus;
    for (const QPointF &q : depart)
        attendus.push_back(q + QPointF(1, 1));
    ExpectPoints(copie->Points(), attendus);
    ExpectPoints(l.Points(), depart);
}

TEST(Ligne, AtteinteDesPoints)
{
    ClavierDeTest clavier;
    Page p;
    // Anchors on the curve at (10, 10) and (30, 10); control points off it.
    TxiloCADLigne &l = p.Ligne({{10, 10}, {10, 20}, {30, 20}, {30, 10}});
    struct Cas {
        QPointF point;
        bool ctrl, selectionnee;
        int attendu;
    };
    const Cas cas[] = {
        // An anchor within 3 pixels on both axes; at 3 pixels, nothing.
        {{10.29, 9.71}, false, false, 0},
        {{29.8, 10.1}, false, false, 3},
        {{10.3, 10}, false, false, -1},
        {{10, 10.3}, false, false, -1},
        // The curve between its points does not pick the line.
        {{20, 17.5}, false, true, -1},
        {{15, 15}, false, true, -1},
        // Control points: with Ctrl held, or on a selected line.
        {{10.1, 20}, false, false, -1},
        {{10.1, 20}, true, false, 1},
        {{10.1, 20}, false, true, 1},
        {{30, 19.9}, false, true, 2},
        // Ctrl held: control points first; anchors only on a selected line.
        {{30, 10}, true, false, -1},
        {{30, 10}, true, true, 3},
    };
    for (const Cas &c : cas) {
        SCOPED_TRACE(testing::Message() << c.point.x() << ", " << c.point.y() << " ctrl " << c.ctrl << " sel "
                                        << c.selectionnee);
        clavier.touches.ctrl = c.ctrl;
        l.SetSelectionne(c.selectionnee);
        EXPECT_EQ(l.HitTest(c.point), c.attendu);
    }
    clavier.touches.ctrl = false;
    l.SetSelectionne(false);

    // Points on one another: the lowest index wins.
    l.SetPoints({{10, 10}, {10, 20}, {20, 20}, {10, 10}});
    EXPECT_EQ(l.HitTest(QPointF(10, 10)), 0);
    // Each axis has its own scale.
    p.m.SetEchelles(10, 2);
    EXPECT_EQ(l.HitTest(QPointF(10, 11.4)), 0);
    EXPECT_EQ(l.HitTest(QPointF(10.4, 10)), -1);
    p.m.SetEchelles(10, 10);
    // Points after the last anchor belong to no segment and are not hit.
    l.SetPoints({{10, 10}, {10, 20}, {20, 20}, {10, 10}, {50, 50}});
    l.SetSelectionne(true);
    EXPECT_EQ(l.HitTest(QPointF(50, 50)), -1);
    EXPECT_EQ(l.HitTest(QPointF(10, 20)), 1);
    l.SetCanSelect(false);
    EXPECT_EQ(l.HitTest(QPointF(10, 10)), -1);
}

TEST(Ligne, CourbeDessinee)
{
    // A page of 100 x 100 mm drawn at 4 pixels per millimetre.
    TxiloCADMdl m(nullptr, QRect(0, 0, 400, 400), 100, 100);
    m.SetEchelles(4, 4);
    auto &l = dynamic_cast<TxiloCADLigne &>(*m.AddObject(u"ligne"_s));
    l.SetFace(1);
    l.SetPen(TStylo{CouleurNoire, 0, StyloPlein});
    const Points s = {{10, 50}, {10, 0}, {50, 100}, {50, 50}, {50, 0}, {90, 100}, {90, 50}};
    l.SetPoints(s);
    const auto dessin = [&] { return Dessine(QSize(400, 400), [&](TCanevas &c) { l.Draw(c); }); };

    // The pixels follow the curve, and the curve is covered.
    QImage image = dessin();
    const Ecarts e = MesureTrace(image, Echantillons(m, s), EstNoir);
    EXPECT_LE(e.EncreACourbe, 1.2);
    EXPECT_LE(e.CourbeAEncre, 1.2);

    // Points after the last anchor are not drawn: with one more control
    // point far away, the same picture.
    Points plus = s;
    plus.emplace_back(0, 0);
    plus.emplace_back(99, 99);
    l.SetPoints(plus);
    EXPECT_EQ(dessin(), image);
    // Nothing without a whole segment, nor on another face.
    l.SetPoints({{10, 10}, {90, 90}, {10, 90}});
    EXPECT_TRUE(BoiteNonBlanche(dessin()).isNull());
    l.SetPoints(s);
    m.SetFaceCourante(2);
    EXPECT_TRUE(BoiteNonBlanche(dessin()).isNull());
    m.SetFaceCourante(1);

    // A pen of 1 mm is 4 pixels wide at 4 pixels a millimetre.
    l.SetPoints({{10, 50}, {40, 50}, {60, 50}, {90, 50}});
    l.SetPen(TStylo{CouleurNoire, 1000, StyloPlein});
    image = dessin();
    int epaisseur = 0;
    for (int y = 0; y < 400; ++y)
        epaisseur += EstNoir(image.pixel(200, y));
    EXPECT_EQ(epaisseur, 4);

    // A closed curve is filled with its brush when the fill switch is on;
    // background modes 1 and 2 fill it white, or hatch it in black.
    l.SetPen(TStylo{CouleurRouge, 0, StyloPlein});
    l.SetBrush(TPinceau{CouleurBleue, PinceauPlein});
    l.SetPoints({{20, 50}, {20, 10}, {80, 10}, {80, 50}, {80, 90}, {20, 90}, {20, 50}});
    image = dessin();
    EXPECT_TRUE(Est(image, 200, 200, CouleurBleue));
    EXPECT_TRUE(Est(image, 200, 20, CouleurBlanche));
    EXPECT_TRUE(Est(image, 80, 200, CouleurRouge));
    m.Interrupteurs().Remplissage = false;
    EXPECT_EQ(Compte(dessin(), CouleurBleue), 0);
    m.Interrupteurs().Remplissage = true;
    l.SetBrush(TPinceau{CouleurBleue, PinceauVide});
    EXPECT_EQ(Compte(dessin(), CouleurBleue), 0);
    // Points read far beyond the page are drawn as far as the picture goes.
    l.SetBrush(TPinceau{CouleurBleue, PinceauPlein});
    l.SetPoints({{20, 50}, {1e15, -1e15}, {-1e15, 1e15}, {80, 50}});
    image = dessin();
    EXPECT_TRUE(Est(image, 80, 200, CouleurRouge));
    l.SetPoints({{20, 50}, {20, 10}, {80, 10}, {80, 50}, {80, 90}, {20, 90}, {20, 50}});
    l.SetBrush(TPinceau{CouleurBleue, PinceauVide});
    m.Interrupteurs().ModeFond = 2;
    image = dessin();
    EXPECT_GT(Compte(image.copy(150, 150, 100, 100), CouleurNoire), 500);
    EXPECT_GT(Compte(image.copy(150, 150, 100, 100), CouleurBlanche), 500);
    m.Interrupteurs().ModeFond = 1;
    m.SetCouleurPage(CouleurRGB(153, 204, 255));
    image = Dessine(QSize(400, 400), [&](TCanevas &c) {
        c.SetPinceau(TPinceau{Vert, PinceauPlein});
        c.SetStylo(TStylo{Vert, 1, StyloPlein});
        c.Rectangle(0, 0, 400, 400);
        l.Draw(c);
    });
    EXPECT_TRUE(Est(image, 200, 200, CouleurBlanche));
    EXPECT_FALSE(Est(image, 200, 20, CouleurBlanche));
}

TEST(Ligne, MarquesDEdition)
{
    Couleurs editeur;
    TxiloCADMdl m(&editeur, QRect(0, 0, 400, 400), 100, 100);
    auto &l = dynamic_cast<TxiloCADLigne &>(*m.AddObject(u"ligne"_s));
    l.SetFace(1);
    const Points s = {{10, 50}, {10, 20}, {50, 80}, {50, 50}, {50, 20}, {90, 80}, {90, 50}};
    l.SetPoints(s);
    const QRect rect(0, 0, 400, 400);
    const auto page = [&] { return Dessine(QSize(400, 400), [&](TCanevas &c) { m.Draw(c, rect); }); };
    const auto pixel = [&](int i) { return m.PageToPixel(s[size_t(i)]); };
    const auto couleurEn = [&](const QImage &image, int i) { return image.pixel(pixel(i)); };
    const auto rgb = [](TColor c) { return CouleurCAD(c).rgb(); };

    // Neither selected nor under the pointer: no mark.
    QImage image = page();
    for (const TColor c : {Couleurs::Cadre, Couleurs::Selection, Couleurs::Active, CouleurRouge})
        EXPECT_EQ(Compte(image, c), 0);

    // Selected: control points on red dotted arms, anchors round, the active
    // point in the active colour.
    l.SetSelectionne(true);
    l.SetPoigneeActive(3);
    image = page();
    for (const int i : {0, 1, 2, 4, 5, 6})
        EXPECT_EQ(couleurEn(image, i), rgb(Couleurs::Selection)) << i;
    EXPECT_EQ(couleurEn(image, 3), rgb(Couleurs::Active));
    // The arm from anchor 0 down to its control point is dotted: some of its
    // pixels red, some not.
    int rouges = 0;
    for (int y = pixel(1).y() + 5; y < pixel(0).y() - 5; ++y)
        rouges += Est(image, pixel(0).x(), y, CouleurRouge);
    EXPECT_GT(rouges, 10);
    EXPECT_LT(rouges, pixel(0).y() - pixel(1).y() - 15);
    // Control points are squares, anchors disks.
    EXPECT_EQ(image.pixel(pixel(1) + QPoint(-2, -2)), rgb(Couleurs::Selection));
    EXPECT_NE(image.pixel(pixel(0) + QPoint(-3, -3)), rgb(Couleurs::Selection));

    // Under the pointer only: the anchors in the frame colour, no control
    // point shown.
    l.SetSelectionne(false);
    l.SetPoigneeActive(0);
    image = page();
    EXPECT_EQ(couleurEn(image, 0), rgb(Couleurs::Active));
    EXPECT_EQ(couleurEn(image, 3), rgb(Couleurs::Cadre));
    EXPECT_EQ(couleurEn(image, 6), rgb(Couleurs::Cadre));
    EXPECT_EQ(Compte(image, Couleurs::Selection), 0);
    EXPECT_EQ(Compte(image, CouleurRouge), 0);

    // Neither printed nor exported.
    l.SetSelectionne(true);
    image = Dessine(QSize(400, 400), [&](TCanevas &c) { m.DrawObjects(c, rect); });
    for (const TColor c : {Couleurs::Cadre, Couleurs::Selection, Couleurs::Active, CouleurRouge})
        EXPECT_EQ(Compte(image, c), 0);

    // Before the page has been drawn, no anchor mark; without an editor,
    // red marks and a blue active one.
    TxiloCADMdl seul(nullptr, QRect(0, 0, 400, 400), 100, 100);
    seul.SetEchelles(4, 4);
    auto &l2 = dynamic_cast<TxiloCADLigne &>(*seul.AddObject(u"ligne"_s));
    l2.SetFace(1);
    l2.SetPoints(s);
    l2.SetSelectionne(true);
    l2.SetPoigneeActive(1);
    // Beside anchor 3, where its arms and the curve run straight up and
    // down, only its mark would be.
    const QPoint cote = pixel(3) + QPoint(2, 0);
    image = Dessine(QSize(400, 400), [&](TCanevas &c) { l2.Draw(c); });
    EXPECT_EQ(couleurEn(image, 1), rgb(CouleurBleue));
    EXPECT_EQ(couleurEn(image, 2), rgb(CouleurRouge));
    EXPECT_EQ(image.pixel(cote), rgb(CouleurBlanche));
    seul.Interrupteurs().Dessine = true;
    image = Dessine(QSize(400, 400), [&](TCanevas &c) { l2.Draw(c); });
    EXPECT_EQ(image.pixel(cote), rgb(CouleurRouge));
}

TEST(Forme, SuitSaBoite)
{
    TxiloCADMdl m(nullptr, QRect(0, 0, 400, 400), 100, 100);
    m.SetEchelles(4, 4);
    auto &f = dynamic_cast<TxiloCADForme &>(*m.AddObject(u"forme"_s));
    // Made at the page centre, 1 x 1.
    EXPECT_EQ(QPointF(f.X(), f.Y()), QPointF(50, 50));
    EXPECT_EQ(f.L(), 1);
    f.SetFace(1);
    f.SetCentre(50, 50);
    f.SetTaille(60, 30);
    f.SetR(30);
    f.SetPen(TStylo{CouleurNoire, 0, StyloPlein});
    f.SetBrush(TPinceau{CouleurBleue, PinceauPlein});
    // A diamond through the middles of the frame's sides, in straight
    // segments, in frames of two sizes, the first one read as 0.
    const auto losange = [](double large, double haut) {
        const QPointF a(large / 2, 0), b(large, haut / 2), c(large / 2, haut), d(0, haut / 2);
        return Points{a, a, b, b, b, c, c, c, d, d, d, a, a};
    };
    QImage premiere;
    for (const auto &[large, haut] : {std::pair{0.0, 1.0}, {200.0, 40.0}}) {
        SCOPED_TRACE(large);
        f.LoadFromStrings({u"x=50"_s, u"y=50"_s, u"l=60"_s, u"h=30"_s, u"r=30"_s, u"Pen=0,0,0"_s, u"Brush=FF0000,0"_s,
                           u"FormeLarge="_s + FloatToText(large), u"FormeHaut="_s + FloatToText(haut),
                           u"p="_s + PointsToText(losange(large == 0 ? 1 : large, haut))});
        // Each anchor on the middle of a side of the turned box.
        const Points page = f.PointsPage();
        ASSERT_EQ(page.size(), 13u);
        const int milieux[] = {5, 6, 7, 8, 5};
        for (int i = 0; i < 5; ++i) {
            EXPECT_NEAR(page[size_t(3 * i)].x(), f.HandlePoint(milieux[i]).x(), 1e-9) << i;
            EXPECT_NEAR(page[size_t(3 * i)].y(), f.HandlePoint(milieux[i]).y(), 1e-9) << i;
        }
        const QImage image = Dessine(QSize(400, 400), [&](TCanevas &c) { f.Draw(c); });
        EXPECT_TRUE(Est(image, 200, 200, CouleurBleue));
        for (const int coin : {1, 2, 3, 4}) {
            const QPoint p = m.PageToPixel(f.HandlePoint(coin));
            EXPECT_TRUE(Est(image, p.x(), p.y(), CouleurBlanche)) << coin;
        }
        for (const int milieu : {5, 6, 7, 8}) {
            const QPoint p = m.PageToPixel(f.HandlePoint(milieu));
            EXPECT_TRUE(Est(image, p.x(), p.y(), CouleurNoire)) << milieu;
        }
        if (premiere.isNull())
            premiere = image;
        else
            EXPECT_EQ(image, premiere);
    }
    EXPECT_TRUE(f.SaveToStrings().contains(u"FormeHaut=40"_s));

    // A boxed object: hit by its body and handles, framed when selected.
    EXPECT_EQ(f.HitTest(QPointF(50, 50)), 0);
    EXPECT_EQ(f.HitTest(f.HandlePoint(6)), 6);
    f.SetSelectionne(true);
    const QImage cadre = Dessine(QSize(400, 400), [&](TCanevas &c) { f.Draw(c); });
    EXPECT_GT(Compte(cadre, CouleurRouge), 50);
    // Points after the last anchor are neither placed nor drawn.
    Points plus = losange(200, 40);
    plus.emplace_back(0, 0);
    f.SetPoints(plus);
    EXPECT_EQ(f.PointsPage().size(), 13u);
}

// At 10 pixels per millimetre across and 4 down: pens take the mean of both
// scales, a copy moves 10 pixels on each axis, a segment added after the
// last anchor reaches 20 pixels across, and a shape is stretched to its box
// on each axis.
TEST(Ligne, EchellesDifferentes)
{
    TxiloCADMdl m(nullptr, QRect(0, 0, 400, 400), 40, 100);
    m.SetEchelles(10, 4);
    auto &l = dynamic_cast<TxiloCADLigne &>(*m.AddObject(u"ligne"_s));
    l.SetFace(1);
    l.SetPoints({{2, 20}, {2, 20}, {38, 20}, {38, 20}});
    TxiloCADLigne *copie = l.Duplique();
    ASSERT_NE(copie, nullptr);
    ExpectPoints(copie->Points(), {{3, 22.5}, {3, 22.5}, {39, 22.5}, {39, 22.5}});
    ASSERT_TRUE(copie->InsertPoint(3));
    EXPECT_EQ(copie->Points().back(), QPointF(41, 22.5));

    // 1 mm is 7 pixels, for the line and for the shape.
    l.SetPen(TStylo{CouleurNoire, 1000, StyloPlein});
    auto &f = dynamic_cast<TxiloCADForme &>(*m.AddObject(u"forme"_s));
    f.SetFace(1);
    f.SetCentre(20, 60);
    f.SetTaille(30, 20);
    f.SetCadreForme(10, 10);
    f.SetPoints({{0, 5}, {0, 5}, {10, 5}, {10, 5}});
    f.SetPen(TStylo{CouleurNoire, 1000, StyloPlein});
    const QImage image = Dessine(QSize(400, 400), [&](TCanevas &c) {
        l.Draw(c);
        f.Draw(c);
    });
    for (const int y : {80, 240}) {
        SCOPED_TRACE(y);
        int epaisseur = 0;
        for (int dy = -10; dy <= 10; ++dy)
            epaisseur += EstNoir(image.pixel(200, y + dy));
        EXPECT_EQ(epaisseur, 7);
    }
    // The shape's segment runs from its box's left side to its right one,
    // at half its height: pixels 50 to 350 across, 240 down.
    const QRect trait = BoiteDe(image.copy(0, 160, 400, 160), CouleurNoire).translated(0, 160);
    EXPECT_NEAR(trait.left(), 50, 4);
    EXPECT_NEAR(trait.right(), 350, 4);
    EXPECT_NEAR(trait.center().y(), 240, 1);
}
