// The bar graph: its drawing measured in an image, and its hit test driven
// with the mouse.

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QTest>

#include "TxiloGraph.h"

using namespace Qt::StringLiterals;

namespace {

QImage rendu(const TxiloGraph &graphe, QSize taille = {150, 150})
{
    QImage image(taille, QImage::Format_RGB32);
    image.fill(Qt::gray);
    QPainter peintre(&image);
    peintre.setPen(Qt::black);
    graphe.Dessine(peintre, image.rect());
    return image;
}

bool blanc(const QImage &image, int x, int y)
{
    return image.pixel(x, y) == qRgb(255, 255, 255);
}

// Runs of non-white pixels along row y between x0 and x1, as [first, last].
std::vector<std::pair<int, int>> segments(const QImage &image, int y, int x0, int x1)
{
    std::vector<std::pair<int, int>> r;
    for (int x = x0; x <= x1; ++x) {
        if (blanc(image, x, y))
            continue;
        if (!r.empty() && r.back().second == x - 1)
            r.back().second = x;
        else
            r.push_back({x, x});
    }
    return r;
}

std::vector<int> lignesNoires(const QImage &image, int x, int y0, int y1)
{
    std::vector<int> r;
    for (int y = y0; y <= y1; ++y) {
        if (image.pixel(x, y) == qRgb(0, 0, 0))
            r.push_back(y);
    }
    return r;
}

} // namespace

// Defaults and values 3, 5, 2 in 150 x 150: column width (150 - 20 - 1) / 3
// = 43, half gap round(25 x 43 / 200) = 5, axis height 130 for the value 5.
TEST(Graphe, DefaultDrawingMatchesTheHandComputedGeometry)
{
    TxiloGraph graphe;
    EXPECT_EQ(graphe.size(), QSize(150, 150));
    const QImage image = rendu(graphe);

    // The frame of the whole area.
    for (int i = 0; i < 150; ++i) {
        EXPECT_EQ(image.pixel(i, 0), qRgb(0, 0, 0));
        EXPECT_EQ(image.pixel(149, i), qRgb(0, 0, 0));
        EXPECT_EQ(image.pixel(0, i), qRgb(0, 0, 0));
    }
    // Bars end before the right edge of their rectangles.
    const std::vector<std::pair<int, int>> barres{{25, 58}, {68, 101}, {111, 144}};
    EXPECT_EQ(segments(image, 100, 21, 148), barres);

    struct Barre {
        int haut;
        QRgb couleur;
    };
    const Barre attendues[] = {{52, qRgb(0, 0, 255)}, {0, qRgb(0, 255, 0)}, {78, qRgb(255, 0, 0)}};
    for (int c = 0; c < 3; ++c) {
        SCOPED_TRACE(c);
        const int milieu = (barres[c].first + barres[c].second) / 2;
        const Barre &b = attendues[c];
        EXPECT_EQ(image.pixel(milieu, b.haut), qRgb(0, 0, 0));
        if (b.haut > 0) {
            EXPECT_TRUE(blanc(image, milieu, b.haut - 1));
        }
        EXPECT_EQ(image.pixel(milieu, b.haut + 1), b.couleur);
        EXPECT_EQ(image.pixel(milieu, 129), b.couleur);
        EXPECT_EQ(image.pixel(milieu, 130), qRgb(0, 0, 0));
        EXPECT_TRUE(blanc(image, milieu, 131));
    }

    // Ticks every value, 26 pixels apart, left of the axis.
    EXPECT_EQ(lignesNoires(image, 16, 1, 129), (std::vector<int>{26, 52, 78, 104}));
    // The value axis and the base line.
    EXPECT_EQ(lignesNoires(image, 20, 0, 130).size(), 131u);
    EXPECT_EQ(segments(image, 130, 20, 149), (std::vector<std::pair<int, int>>{{20, 149}}));
}

TEST(Graphe, GeometryCountsColumnsValuesAndSteps)
{
    TxiloGraph graphe;
    const QFontMetrics mesures(graphe.font());
    const QRect zone(0, 0, 150, 150);
    auto barres = [&] {
        std::vector<int> r;
        for (const auto &b : graphe.Geometrie(zone, mesures).Barres)
            r.push_back(b.Colonne);
        return r;
    };

    // Unequal lists: the shorter one counts.
    graphe.SetValX({u"a"_s, u"b"_s, u"c"_s, u"d"_s});
    graphe.SetValY({u"4"_s, u"1"_s});
    EXPECT_EQ(graphe.NombreColonnes(), 2);
    EXPECT_EQ(barres(), (std::vector<int>{0, 1}));
    EXPECT_EQ(graphe.Geometrie(zone, mesures).Etiquettes.size(), 2u);

    // A value that is not a whole number has no bar; the others keep theirs.
    graphe.SetValX({u"a"_s, u"b"_s, u"c"_s, u"d"_s, u"e"_s});
    graphe.SetValY({u"3"_s, u"abc"_s, u" 2 "_s, u"1.5"_s, u"99999999999"_s});
    EXPECT_EQ(barres(), (std::vector<int>{0, 2}));
    EXPECT_EQ(graphe.ValeurColonne(1), 0);
    EXPECT_EQ(graphe.ValeurColonne(2), 2);

    // The largest value an int holds: a few ticks, 500,000,000 apart.
    graphe.SetValX({u"a"_s, u"b"_s});
    graphe.SetValY({u"2147483647"_s, u"1"_s});
    const TGeometrieGraph geo = graphe.Geometrie(zone, mesures);
    ASSERT_EQ(geo.Graduations.size(), 4u);
    EXPECT_EQ(geo.Graduations.front().Valeur, u"500000000");
    EXPECT_EQ(geo.Graduations.back().Valeur, u"2000000000");

    // Many columns: labels at least 40 pixels apart, every 31st of 100 here
    // (130 pixels for 100 columns).
    QStringList x, y;
    for (int i = 0; i < 100; ++i) {
        x << QString::number(i);
        y << QString::number(i + 1);
    }
    graphe.SetValX(x);
    graphe.SetValY(y);
    std::vector<QString> etiquettes;
    for (const auto &e : graphe.Geometrie(zone, mesures).Etiquettes)
        etiquettes.push_back(e.Texte);
    EXPECT_EQ(etiquettes, (std::vector<QString>{u"0"_s, u"31"_s, u"62"_s, u"93"_s}));
}

TEST(Graphe, EdgeCasesOfTheDrawing)
{
    // All values 0: the background and its frame, nothing else.
    TxiloGraph zeros;
    zeros.SetValY({u"0"_s, u"0"_s, u"0"_s});
    QImage image = rendu(zeros);
    int autres = 0;
    for (int y = 1; y < 149; ++y)
        for (int x = 1; x < 149; ++x)
            autres += !blanc(image, x, y);
    EXPECT_EQ(autres, 0);
    EXPECT_EQ(image.pixel(0, 75), qRgb(0, 0, 0));

    // 13 columns of a white bar colour: column 12 is blue again.
    TxiloGraph treize;
    QStringList x, y;
    for (int i = 0; i < 13; ++i) {
        x << QString();
        y << u"1"_s;
    }
    treize.SetValX(x);
    treize.SetValY(y);
    image = rendu(treize, {400, 150});
    const auto geo = treize.Geometrie(QRect(0, 0, 400, 150), QFontMetrics(treize.font()));
    ASSERT_EQ(geo.Barres.size(), 13u);
    for (int c : {0, 1, 11, 12})
        EXPECT_EQ(image.pixel(geo.Barres[c].Rect.center()), TxiloGraph::CouleurPalette(c).rgb()) << c;
    EXPECT_EQ(TxiloGraph::CouleurPalette(12), QColor(0, 0, 255));
    EXPECT_EQ(TxiloGraph::CouleurPalette(11), QColor(128, 0, 128));
    // A bar colour of its own replaces the palette.
    treize.SetColorBar(QColor(0xa9, 0xc8, 0xe8));
    image = rendu(treize, {400, 150});
    EXPECT_EQ(image.pixel(geo.Barres[5].Rect.center()), qRgb(0xa9, 0xc8, 0xe8));

    // Bar width: 101 % is refused, 0 % leaves bars one pixel wide.
    TxiloGraph largeur;
    largeur.SetColLarge(101);
    EXPECT_EQ(largeur.ColLarge(), 75);
    largeur.SetColLarge(0);
    EXPECT_EQ(largeur.ColLarge(), 0);
    image = rendu(largeur);
    const auto fines = segments(image, 129, 21, 148);
    ASSERT_EQ(fines.size(), 3u);
    for (const auto &[premier, dernier] : fines)
        EXPECT_EQ(dernier, premier);

    // On screen, frames and texts are black on the white background even
    // where the theme writes its texts in white.
    TxiloGraph ecran;
    QPalette palette = ecran.palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    ecran.setPalette(palette);
    image = ecran.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(image.pixel(0, 75), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(20, 75), qRgb(0, 0, 0));
}

// The graph on screen, driven with the mouse.
TEST(Graphe, MouseOverAndClickOnBars)
{
    TxiloGraph graphe;
    std::vector<std::pair<int, int>> survols, clics;
    graphe.SetOnMouseMove([&](TxiloGraph *g, int col, int val) {
        EXPECT_EQ(g, &graphe);
        survols.push_back({col, val});
    });
    graphe.SetOnMouseColonneClick([&](TxiloGraph *, int col, int val) { clics.push_back({col, val}); });
    graphe.SetCursorSel(Qt::PointingHandCursor);
    graphe.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&graphe));

    // Bar centres, a gap between bars, the place above the short third bar,
    // the right and bottom edges just outside the first bar.
    const struct {
        QPoint point;
        int colonne;
    } cas[] = {{{41, 91}, 0}, {{84, 65}, 1}, {{127, 104}, 2}, {{63, 120}, -1},
               {{127, 60}, -1}, {{59, 100}, -1}, {{41, 131}, -1}, {{25, 52}, 0}};
    for (const auto &c : cas) {
        SCOPED_TRACE(c.colonne);
        survols.clear();
        clics.clear();
        QTest::mouseMove(&graphe, c.point);
        QTest::mouseClick(&graphe, Qt::LeftButton, {}, c.point);
        EXPECT_EQ(graphe.ColonneEn(c.point), c.colonne);
        ASSERT_FALSE(survols.empty());
        const int valeur = c.colonne < 0 ? -1 : graphe.ValeurColonne(c.colonne);
        EXPECT_EQ(survols.back(), std::make_pair(c.colonne, valeur));
        EXPECT_EQ(graphe.cursor().shape(), c.colonne < 0 ? Qt::ArrowCursor : Qt::PointingHandCursor);
        if (c.colonne < 0)
            EXPECT_TRUE(clics.empty());
        else
            EXPECT_EQ(clics, (std::vector<std::pair<int, int>>{{c.colonne, valeur}}));
    }
    // Other buttons do not click.
    clics.clear();
    QTest::mouseClick(&graphe, Qt::RightButton, {}, QPoint(84, 65));
    EXPECT_TRUE(clics.empty());

    // The axis top raised above the data: the bars are drawn shorter (the
    // second one from y 65, the third from 104), but the mouse still finds
    // them up to the height they have against the largest value.
    graphe.SetMaxiY(10);
    const QImage image = graphe.grab().toImage();
    EXPECT_TRUE(blanc(image, 84, 30));
    EXPECT_TRUE(blanc(image, 127, 90));
    const struct {
        QPoint point;
        int colonne;
    } hautes[] = {{{84, 30}, 1}, {{84, 70}, 1}, {{127, 90}, 2}, {{127, 60}, -1}, {{41, 80}, 0}, {{41, 40}, -1}};
    for (const auto &c : hautes) {
        SCOPED_TRACE(c.colonne);
        survols.clear();
        clics.clear();
        QTest::mouseMove(&graphe, c.point);
        QTest::mouseClick(&graphe, Qt::LeftButton, {}, c.point);
        ASSERT_FALSE(survols.empty());
        EXPECT_EQ(survols.back().first, c.colonne);
        EXPECT_EQ(clics.size(), c.colonne < 0 ? 0U : 1U);
        if (!clics.empty()) {
            EXPECT_EQ(clics.front(), std::make_pair(c.colonne, graphe.ValeurColonne(c.colonne)));
        }
    }

    // No column at all: nothing is hit.
    graphe.SetValX({});
    EXPECT_EQ(graphe.ColonneEn({84, 100}), -1);
    graphe.SetValX({u"a"_s});
    graphe.SetValY({u"-3"_s});
    EXPECT_EQ(graphe.ColonneEn({84, 100}), -1);
}
