// The drawing rules of the designs' canvas, measured on pixels.

#include "AideCAD.h"
#include "CanevasQt.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>

using namespace Qt::StringLiterals;
using namespace aidecad;

namespace {

constexpr TColor Fond = CouleurRouge;
constexpr TColor Trait = CouleurBleue;

} // namespace

TEST(Canevas, RectanglesEtEllipsesSansLeurBordDroitEtBas)
{
    // A thin pen: the outline covers left..right-1 and top..bottom-1.
    const QImage plein = Dessine(QSize(30, 30), [](TCanevas &c) {
        c.SetStylo(TStylo{Trait, 1, StyloPlein});
        c.SetPinceau(TPinceau{Fond, PinceauPlein});
        c.Rectangle(5, 6, 15, 20);
    });
    EXPECT_EQ(BoiteNonBlanche(plein), QRect(QPoint(5, 6), QPoint(14, 19)));
    EXPECT_EQ(BoiteDe(plein, Fond), QRect(QPoint(6, 7), QPoint(13, 18)));
    EXPECT_EQ(Compte(plein, Trait), 2 * 10 + 2 * 12);
    // Corners given the other way round draw the same.
    EXPECT_EQ(Dessine(QSize(30, 30), [](TCanevas &c) {
                  c.SetStylo(TStylo{Trait, 1, StyloPlein});
                  c.SetPinceau(TPinceau{Fond, PinceauPlein});
                  c.Rectangle(15, 20, 5, 6);
              }),
              plein);
    // Without a pen the brush fills one pixel less on the right and below.
    const QImage sansTrait = Dessine(QSize(30, 30), [](TCanevas &c) {
        c.SetStylo(TStylo{Trait, 1, StyloVide});
        c.SetPinceau(TPinceau{Fond, PinceauPlein});
        c.Rectangle(5, 6, 15, 20);
    });
    EXPECT_EQ(BoiteNonBlanche(sansTrait), QRect(QPoint(5, 6), QPoint(13, 18)));
    // An ellipse lies in the same pixels as its rectangle.
    const QImage ellipse = Dessine(QSize(30, 30), [](TCanevas &c) {
        c.SetStylo(TStylo{Trait, 0, StyloPlein});
        c.SetPinceau(TPinceau{Fond, PinceauPlein});
        c.Ellipse(5, 6, 15, 20);
    });
    EXPECT_EQ(BoiteNonBlanche(ellipse), QRect(QPoint(5, 6), QPoint(14, 19)));
    EXPECT_FALSE(Est(ellipse, 5, 6, Trait)); // the corner is outside the curve
    EXPECT_TRUE(Est(ellipse, 10, 12, Fond));
    // A wide pen inside the frame stays within the rectangle's pixels.
    const QImage interieur = Dessine(QSize(30, 30), [](TCanevas &c) {
        c.SetStylo(TStylo{Trait, 4, StyloInterieur});
        c.SetPinceau(TPinceau{Fond, PinceauPlein});
        c.Rectangle(5, 6, 25, 26);
    });
    EXPECT_EQ(BoiteNonBlanche(interieur), QRect(QPoint(5, 6), QPoint(24, 25)));
    EXPECT_TRUE(Est(interieur, 15, 16, Fond));
}

TEST(Canevas, LignesSansLeurDernierPoint)
{
    const QImage ligne = Dessine(QSize(20, 20), [](TCanevas &c) {
        c.SetStylo(TStylo{Trait, 1, StyloPlein});
        c.Ligne(QPoint(2, 3), QPoint(12, 3));
        c.Ligne(QPoint(2, 6), QPoint(2, 16));
    });
    EXPECT_EQ(Compte(ligne, Trait), 20);
    EXPECT_TRUE(Est(ligne, 2, 3, Trait));
    EXPECT_TRUE(Est(ligne, 11, 3, Trait));
    EXPECT_FALSE(Est(ligne, 12, 3, Trait));
    EXPECT_FALSE(Est(ligne, 2, 16, Trait));
    // A polyline paints its corners and leaves its last point only.
    const QImage polyligne = Dessine(QSize(20, 20), [](TCanevas &c) {
        c.SetStylo(TStylo{Trait, 1, StyloPlein});
        c.Polyligne(QPolygon({QPoint(2, 2), QPoint(10, 2), QPoint(10, 10)}));
    });
    EXPECT_EQ(Compte(polyligne, Trait), 16);
    EXPECT_TRUE(Est(polyligne, 10, 2, Trait));
    EXPECT_FALSE(Est(polyligne, 10, 10, Trait));
}

TEST(Canevas, PolygonesPairImpairEtContourComplet)
{
    // A five-pointed star drawn in one stroke: by the odd-even rule its
    // middle is not filled.
    const QPolygon etoile({QPoint(50, 5), QPoint(77, 90), QPoint(5, 37), QPoint(95, 37), QPoint(23, 90)});
    const QImage image = Dessine(QSize(100, 100), [&](TCanevas &c) {
        c.SetStylo(TStylo{Trait, 1, StyloVide});
        c.SetPinceau(TPinceau{Fond, PinceauPlein});
        c.Polygone(etoile);
    });
    EXPECT_TRUE(Est(image, 50, 20, Fond));  // a point of the star
    EXPECT_TRUE(Est(image, 50, 55, CouleurBlanche)); // its middle
    // The thin outline of a polygon covers both ends of every side.
    const QImage carre = Dessine(QSize(20, 20), [](TCanevas &c) {
        c.SetStylo(TStylo{Trait, 1, StyloPlein});
        c.SetPinceau(TPinceau{Fond, PinceauVide});
        c.Polygone(QPolygon({QPoint(2, 2), QPoint(12, 2), QPoint(12, 12), QPoint(2, 12)}));
    });
    EXPECT_EQ(BoiteNonBlanche(carre), QRect(QPoint(2, 2), QPoint(12, 12)));
    EXPECT_EQ(Compte(carre, Trait), 40);
    // Turned, every corner is painted whatever the slope of its sides,
    // and the outline runs on without a gap.
    const QPolygon tourne({QPoint(5, 10), QPoint(30, 3), QPoint(35, 25), QPoint(10, 32)});
    const QImage quadrilatere = Dessine(QSize(40, 40), [&](TCanevas &c) {
        c.SetStylo(TStylo{Trait, 1, StyloPlein});
        c.SetPinceau(TPinceau{Fond, PinceauPlein});
        c.Polygone(tourne);
    });
    for (const QPoint &coin : tourne)
        EXPECT_TRUE(Est(quadrilatere, coin.x(), coin.y(), Trait)) << coin.x() << "," << coin.y();
    EXPECT_EQ(Compte(quadrilatere, Trait), 25 + 22 + 25 + 22);
    // Points far outside the surface cost nothing and draw what shows.
    const QImage loin = Dessine(QSize(20, 20), [](TCanevas &c) {
        c.SetStylo(TStylo{Trait, 1, StyloPlein});
        c.Ligne(QPoint(-2000000000, 5), QPoint(2000000000, 5));
    });
    EXPECT_EQ(Compte(loin, Trait), 20);
    // From one end of the int range to the other, the line keeps its slope
    // of one half: y = x / 2 + 1 / 4, rounded.
    const QImage pente = Dessine(QSize(20, 20), [](TCanevas &c) {
        c.SetStylo(TStylo{Trait, 1, StyloPlein});
        c.Ligne(QPoint(-2147483647 - 1, -1073741824), QPoint(2147483647, 1073741824));
    });
    for (int x = 0; x < 20; ++x)
        EXPECT_TRUE(Est(pente, x, (x + 1) / 2, Trait)) << x;
    EXPECT_EQ(Compte(pente, Trait), 20);
    // A box as wide as the int range covers the surface.
    const QImage immense = Dessine(QSize(20, 20), [](TCanevas &c) {
        c.SetStylo(TStylo{Trait, 1, StyloPlein});
        c.SetPinceau(TPinceau{Fond, PinceauPlein});
        c.Rectangle(-2147483647 - 1, -2147483647 - 1, 2147483647, 2147483647);
        c.Ellipse(2147483647, 2147483647, -2147483647 - 1, -2147483647 - 1);
    });
    EXPECT_EQ(Compte(immense, Fond), 400);
}

TEST(Canevas, TiretsSeulementSurLesStylosFins)
{
    for (const int style : {StyloTirets, StyloPoints, StyloTiretPoint, StyloTiretPointPoint}) {
        SCOPED_TRACE(style);
        const QImage fin = Dessine(QSize(120, 12), [style](TCanevas &c) {
            c.SetStylo(TStylo{Trait, 1, style});
            c.Ligne(QPoint(0, 5), QPoint(120, 5));
        });
        const int traits = Compte(fin, Trait);
        EXPECT_GT(traits, 30);
        EXPECT_LT(traits, 110); // gaps
        const QImage large = Dessine(QSize(120, 12), [style](TCanevas &c) {
            c.SetStylo(TStylo{Trait, 3, style});
            c.Ligne(QPoint(0, 5), QPoint(120, 5));
        });
        for (int x = 2; x < 118; ++x)
            ASSERT_TRUE(Est(large, x, 5, Trait)) << x;
    }
    // A clear pen draws no outline.
    const QImage vide = Dessine(QSize(20, 20), [](TCanevas &c) {
        c.SetStylo(TStylo{Trait, 1, StyloVide});
        c.SetPinceau(TPinceau{Fond, PinceauVide});
        c.Rectangle(2, 2, 12, 12);
        c.Ligne(QPoint(0, 15), QPoint(19, 15));
    });
    EXPECT_TRUE(BoiteNonBlanche(vide).isNull());
}

TEST(Canevas, HachuresSurLeFondExistant)
{
    struct Cas {
        int style;
        QPoint trait;  // a pixel of the hatch
        QPoint fond;   // a pixel between its lines
    };
    for (const Cas &cas : {Cas{PinceauHorizontal, {4, 3}, {4, 0}}, Cas{PinceauVertical, {4, 0}, {3, 0}},
                           Cas{PinceauDiagonaleAvant, {3, 3}, {3, 5}}, Cas{PinceauDiagonaleArriere, {7, 0}, {0, 0}},
                           Cas{PinceauCroix, {0, 3}, {1, 1}}, Cas{PinceauCroixDiagonale, {0, 0}, {2, 0}}}) {
        SCOPED_TRACE(cas.style);
        const QImage image = Dessine(QSize(16, 16), [&](TCanevas &c) {
            c.SetStylo(TStylo{Trait, 1, StyloVide});
            c.SetPinceau(TPinceau{Fond, cas.style});
            c.Rectangle(0, 0, 17, 17);
        });
        EXPECT_TRUE(Est(image, cas.trait.x(), cas.trait.y(), Fond));
        EXPECT_TRUE(Est(image, cas.fond.x(), cas.fond.y(), CouleurBlanche));
    }
}

TEST(Canevas, HauteursDeFontesEtTexteTourne)
{
    ASSERT_TRUE(ChargeFonteTest());
    // The classic names are drawn with the installed fonts of the same
    // metrics.
    EXPECT_EQ(QFontInfo(PoliceCAD(TFonteCAD{0, u"Arial"_s, 20, 0, 0})).family(), u"Liberation Sans"_s);
    EXPECT_EQ(QFontInfo(PoliceCAD(TFonteCAD{0, u"times new roman"_s, 20, 0, 0})).family(), u"Liberation Serif"_s);

    QImage support(10, 10, QImage::Format_RGB32);
    QPainter painter(&support);
    TCanevasQt canevas(painter);
    for (const int h : {8, 11, 20, 37, 100}) {
        SCOPED_TRACE(h);
        // A positive height is the cell height.
        canevas.SetFonte(TFonteCAD{0, u"Arial"_s, h, 0, 0});
        EXPECT_NEAR(canevas.TailleTexte(u"Ag"_s).height(), h, 1);
        // A negative one the character height: the cell is taller.
        canevas.SetFonte(TFonteCAD{0, u"Arial"_s, -h, 0, 0});
        EXPECT_EQ(PoliceCAD(canevas.Fonte()).pixelSize(), h);
        EXPECT_GT(canevas.TailleTexte(u"Ag"_s).height(), h);
    }
    painter.end();
    EXPECT_EQ(HauteurPoints(8), -11);

    // Text is drawn from the top-left corner of its cell, in the font's
    // colour and without background; an escapement of -900 turns it a
    // quarter clockwise, going down from that corner.
    const TFonteCAD fonte{Trait, u"Arial"_s, 30, 0, 0};
    QSize taille;
    const QImage droit = Dessine(QSize(200, 200), [&](TCanevas &c) {
        c.SetPinceau(TPinceau{Fond, PinceauPlein});
        c.SetFonte(fonte);
        taille = c.TailleTexte(u"MMMM"_s);
        c.Texte(QPoint(40, 50), u"MMMM"_s);
    });
    EXPECT_EQ(Compte(droit, Fond), 0);
    const QRect encre = BoiteNonBlanche(droit);
    EXPECT_GE(encre.left(), 40);
    EXPECT_LE(encre.left(), 43);
    EXPECT_GE(encre.top(), 50);
    EXPECT_LT(encre.bottom(), 50 + taille.height());
    EXPECT_NEAR(encre.width(), taille.width(), 4);
    const QImage tourne = Dessine(QSize(200, 200), [&](TCanevas &c) {
        TFonteCAD f = fonte;
        f.Escapement = -900;
        c.SetFonte(f);
        c.Texte(QPoint(100, 50), u"MMMM"_s);
    });
    const QRect encreTournee = BoiteNonBlanche(tourne);
    EXPECT_LE(encreTournee.right(), 100);
    EXPECT_GT(encreTournee.left(), 100 - taille.height());
    EXPECT_GE(encreTournee.top(), 50);
    EXPECT_NEAR(encreTournee.height(), taille.width(), 4);
}
