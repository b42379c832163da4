// Test pages of the designs read from their model files: a title, a curved
// line, a free shape, a calendar of the current month and guide marks drawn
// as the editor shows them and as they are exported, and the shape dragged
// onto a guide through the calls the editor makes; pictures and groups.

#include "AideBezier.h"
#include "AideCAD.h"
#include "TxiloCADCal.h"
#include "TxiloCADForme.h"
#include "TxiloCADGroup.h"
#include "TxiloCADImage.h"
#include "TxiloCADLigne.h"
#include "TxiloCADMdl.h"
#include "TxiloCADRepere.h"
#include "TxiloCADTexte.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;
using namespace aidecad;
using namespace aidebezier;

namespace {

QString Fixture(const QString &nom)
{
    return QString::fromUtf8(LIGNEE_FIXTURES) + u"/cad/"_s + nom;
}

constexpr TColor Vert = CouleurRGB(0, 160, 0);

bool EstNoir(QRgb c)
{
    return c == qRgb(0, 0, 0);
}

bool EstSombre(QRgb c)
{
    return qGray(c) < 128;
}

bool EstBleute(QRgb c)
{
    return qBlue(c) > qRed(c) + 60 && qBlue(c) > qGreen(c) + 60;
}

// The picture with everything but the curve's part of the page (left of x
// = 600 pixels, inside the page's frame) painted white.
QImage PartieCourbe(const QImage &image)
{
    QImage partie = image.copy();
    QPainter p(&partie);
    p.fillRect(QRect(598, 0, partie.width() - 598, partie.height()), Qt::white);
    p.setPen(Qt::white);
    p.drawRect(QRect(0, 0, partie.width() - 1, partie.height() - 1));
    return partie;
}

} // namespace

TEST(PageDeDessin, CourbeFormeEtReperes)
{
    TxiloCADMdl m(nullptr, QRect(0, 0, 210, 297), 21, 29.7);
    ASSERT_TRUE(m.LoadFromFile(Fixture(u"page_formes.mdl"_s)));
    ASSERT_EQ(m.Count(), 6);
    auto &ligne = dynamic_cast<TxiloCADLigne &>(m.Objet(0));
    auto &forme = dynamic_cast<TxiloCADForme &>(m.Objet(1));
    auto &verticale = dynamic_cast<TxiloCADRepere &>(m.Objet(2));
    auto &horizontale = dynamic_cast<TxiloCADRepere &>(m.Objet(3));
    auto &titre = dynamic_cast<TxiloCADTexte &>(m.Objet(4));
    auto &calendrier = dynamic_cast<TxiloCADCal &>(m.Objet(5));
    EXPECT_EQ(horizontale.Position(), 100);
    // The calendar of the current month.
    calendrier.SetMois(QDate::currentDate().month());
    calendrier.SetAnnee(QDate::currentDate().year());

    // The 200 x 150 mm page at 4 pixels per millimetre, as the editor shows
    // it.
    const QRect rect(0, 0, 800, 600);
    const auto page = [&] { return Dessine(QSize(800, 600), [&](TCanevas &c) { m.Draw(c, rect); }); };
    QImage image = page();
    // The curve, 2 pixels wide, where the cubic segments of its points lie.
    const std::vector<QPointF> courbe = Echantillons(m, ligne.Points());
    Ecarts e = MesureTrace(PartieCourbe(image), courbe, EstNoir);
    EXPECT_LE(e.EncreACourbe, 2);
    EXPECT_LE(e.CourbeAEncre, 1.5);
    // The shape, a diamond filled in its box, outlined at the middles of the
    // box's sides.
    EXPECT_TRUE(Est(image, 700, 120, Vert));
    for (const int coin : {1, 2, 3, 4}) {
        const QPoint p = m.PageToPixel(forme.HandlePoint(coin));
        EXPECT_TRUE(Est(image, p.x(), p.y(), CouleurBlanche)) << coin;
    }
    // The title in grey ink, inside its box at the top of the page.
    const QRect encreTitre = Boite(image.copy(0, 0, 598, 60), [](QRgb c) {
        return qRed(c) == qGreen(c) && qGreen(c) == qBlue(c) && qGray(c) >= 0x90 && qGray(c) < 0xf0;
    });
    ASSERT_FALSE(encreTitre.isNull());
    const QRect boiteTitre = QRect(m.PageToPixel(titre.HandlePoint(1)), m.PageToPixel(titre.HandlePoint(3))).normalized();
    EXPECT_TRUE(boiteTitre.adjusted(-2, -2, 2, 2).contains(encreTitre)) << boiteTitre.x() << "," << encreTitre.x();
    // The calendar's cells shaded over its whole box, with dark day numbers.
    const QRect boiteCal = QRect(m.PageToPixel(calendrier.HandlePoint(1)), m.PageToPixel(calendrier.HandlePoint(3))).normalized();
    int teintes = 0, sombres = 0;
    for (int y = boiteCal.top() + 2; y < boiteCal.bottom() - 1; ++y)
        for (int x = boiteCal.left() + 2; x < boiteCal.right() - 1; ++x) {
            const QRgb c = image.pixel(x, y);
            teintes += qRed(c) > qBlue(c) + 40;
            sombres += qGray(c) < 100;
        }
    EXPECT_GT(teintes, boiteCal.width() * boiteCal.height() / 2);
    EXPECT_GT(sombres, 50);
    const int gaucheAvant = BoiteDe(image, Vert).left();
    EXPECT_GT(gaucheAvant, 620);
    // The guides across the page.
    for (int y = 1; y < 599; ++y)
        ASSERT_TRUE(Est(image, 600, y, CouleurBleue)) << y;
    for (int x = 1; x < 799; ++x)
        ASSERT_TRUE(Est(image, x, 400, CouleurBleue)) << x;

    // Exported: the curve and the shape without the guides.
    m.Interrupteurs().GabaritSurExport = false;
    QImage exportee(800, 600, QImage::Format_RGB32);
    ASSERT_TRUE(m.ExportBitmap(exportee));
    e = MesureTrace(PartieCourbe(exportee), courbe, EstSombre);
    EXPECT_LE(e.EncreACourbe, 2.5);
    EXPECT_LE(e.CourbeAEncre, 1.5);
    EXPECT_EQ(exportee.pixel(700, 120), CouleurCAD(Vert).rgb());
    EXPECT_TRUE(Boite(exportee, EstBleute).isNull());

    // The shape dragged by its body towards the vertical guide, as the
    // editor drags a boxed object: picked where the pointer is, its centre
    // following the pointer by the offset taken at the pick, and snapped
    // after each step. 8 pixels away it does not move; at 6 its left side
    // lands on the guide.
    QPointF pointeur(175, 30);
    int poignee = -1;
    ASSERT_EQ(m.ObjetSous(pointeur, &poignee), &forme);
    EXPECT_EQ(poignee, 0);
    forme.SetSelectionne(true);
    forme.MemoriseDepart();
    const QPointF prise = QPointF(forme.X(), forme.Y()) - pointeur;
    for (const double x : {174.0, 172.0, 171.5}) {
        pointeur = QPointF(x, 30);
        const QPointF cible = pointeur + prise;
        forme.SetCentre(cible.x(), cible.y());
        Aimante(forme);
        if (x == 172.0) {
            EXPECT_EQ(forme.X(), 172);
        }
    }
    EXPECT_EQ(forme.HandlePoint(8).x(), verticale.Position());
    EXPECT_EQ(forme.Y(), 30);
    // Released: without its handles, the shape's tip on the guide's column.
    forme.SetSelectionne(false);
    image = page();
    EXPECT_NEAR(BoiteDe(image, Vert).left(), 600, 2);
    EXPECT_TRUE(Est(image, 680, 120, Vert));

    // The line dragged whole by an anchor in the selection tool.
    ASSERT_EQ(m.ObjetSous(QPointF(80.2, 59.8), &poignee), &ligne);
    ASSERT_EQ(poignee, 3);
    const std::vector<QPointF> avant = ligne.Points();
    ligne.MovePoint(poignee, QPointF(85, 62), TGlissement::Ligne);
    for (size_t i = 0; i < avant.size(); ++i)
        EXPECT_EQ(ligne.Points()[i], avant[i] + QPointF(5, 2)) << i;
}

// A page read from its model file holding a photograph under an oval mask, a
// picture framed by a tiled border, a group of a sub-model and a group of an
// imported metafile clip art, drawn as the editor shows it, exported, and
// read back after being saved.
TEST(PageDeDessin, ImagesEtGroupes)
{
    TxiloCADMdl m(nullptr, QRect(0, 0, 210, 297), 21, 29.7);
    ResoutDans(m, Fixture(QString()));
    ASSERT_TRUE(m.LoadFromFile(Fixture(u"page_images.mdl"_s)));
    ASSERT_EQ(m.Count(), 4);
    auto &portrait = dynamic_cast<TxiloCADImage &>(m.Objet(0));
    auto &cadre = dynamic_cast<TxiloCADImage &>(m.Objet(1));
    auto &ecusson = dynamic_cast<TxiloCADGroup &>(m.Objet(2));
    auto &fleur = dynamic_cast<TxiloCADGroup &>(m.Objet(3));
    EXPECT_FALSE(portrait.MasqueMetafichier().EstVide());
    EXPECT_EQ(ecusson.SousModele().Count(), 1);
    EXPECT_EQ(fleur.SousModele().Count(), 6);

    // At 4 pixels per millimetre.
    const QRgb fond = qRgb(255, 255, 255);
    const auto verifie = [&](const QImage &image, const char *quoi) {
        SCOPED_TRACE(quoi);
        // The photograph: its box from (40, 70) to (280, 250), the corners
        // outside the oval transparent, the middle shaded red to blue.
        EXPECT_EQ(image.pixel(45, 75), fond);
        EXPECT_EQ(image.pixel(275, 245), fond);
        const QRgb milieu = image.pixel(160, 160);
        EXPECT_NE(milieu, fond);
        EXPECT_GT(qRed(milieu), 60);
        EXPECT_GT(qBlue(milieu), 60);
        // The frame's 4 x 3 tiles stretched over its 200 x 160-pixel box from
        // (420, 80), cells of 50 x 53 pixels: the yellow squares of its
        // corner tiles, the blue of its side tiles, the white middle.
        EXPECT_EQ(image.pixel(423, 83), qRgb(255, 255, 0));
        EXPECT_EQ(image.pixel(616, 237), qRgb(255, 255, 0));
        EXPECT_EQ(image.pixel(495, 113), qRgb(0, 0, 128));
        EXPECT_EQ(image.pixel(495, 160), qRgb(255, 255, 255));
        // The sub-model's red left half, from (80, 380) to (200, 500).
        EXPECT_EQ(BoiteDe(image, CouleurRouge), QRect(QPoint(80, 380), QPoint(199, 499)));
        // The clip art's heart, a petal and its stem, from (500, 320).
        EXPECT_EQ(image.pixel(600, 393), qRgb(150, 70, 20));
        EXPECT_EQ(image.pixel(633, 360), qRgb(250, 200, 30));
        EXPECT_EQ(image.pixel(600, 470), qRgb(40, 160, 40));
    };
    const QRect rect(0, 0, 800, 600);
    verifie(Dessine(QSize(800, 600), [&](TCanevas &c) { m.Draw(c, rect); }), "écran");
    EXPECT_DOUBLE_EQ(cadre.L(), 50);
    EXPECT_DOUBLE_EQ(cadre.H(), 40);

    m.SetQualiteExport(7);
    QImage exportee(800, 600, QImage::Format_RGB32);
    ASSERT_TRUE(m.ExportBitmap(exportee));
    verifie(exportee, "export");

    QTemporaryDir dossier;
    const QString copie = dossier.filePath(u"copie.mdl"_s);
    ASSERT_TRUE(m.SaveToFile(copie));
    ASSERT_TRUE(m.LoadFromFile(copie));
    ASSERT_EQ(m.Count(), 4);
    verifie(Dessine(QSize(800, 600), [&](TCanevas &c) { m.Draw(c, rect); }), "relue");
}
