// The guide marks of the designs: read and written, drawn only while a
// design is edited, hit, kept on the page when dragged; and boxed objects
// snapping to the guides and the page's edges.

#include "AideCAD.h"
#include "TxiloCADMdl.h"
#include "TxiloCADRectangle.h"
#include "TxiloCADRepere.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace aidecad;

namespace {

TxiloCADRepere &AjouteRepere(TxiloCADMdl &m, double position, int sens, int sorte, int face = 1)
{
    auto &r = dynamic_cast<TxiloCADRepere &>(*m.AddObject(u"repere"_s));
    r.SetFace(face);
    r.SetPosition(position);
    r.SetSens(sens);
    r.SetSorte(sorte);
    return r;
}

// Whether every pixel of the column x (or of the row y) from `de` to `a`
// has that colour.
bool ColonneDe(const QImage &image, int x, int de, int a, TColor couleur)
{
    for (int y = de; y <= a; ++y) {
        if (!Est(image, x, y, couleur))
            return false;
    }
    return true;
}

int CompteLigne(const QImage &image, int y, TColor couleur)
{
    int n = 0;
    for (int x = 0; x < image.width(); ++x)
        n += Est(image, x, y, couleur);
    return n;
}

// The text of a label: neither white nor a guide's colour.
QRect Etiquette(const QImage &image)
{
    return Boite(image, [](QRgb c) {
        return c != qRgb(255, 255, 255) && c != qRgb(255, 0, 0) && c != qRgb(0, 0, 255) && c != qRgb(0, 0, 0);
    });
}

constexpr double Racine2 = 1.4142135623730951;

} // namespace

TEST(Repere, LuEtEcrit)
{
    TxiloCADMdl m(nullptr, QRect(0, 0, 100, 100), 100, 100);
    auto &r = dynamic_cast<TxiloCADRepere &>(*m.AddObject(u"REPERE"_s));
    // Made vertical, of its own face, at 0.
    EXPECT_EQ(r.Name(), u"Repere"_s);
    EXPECT_EQ(r.Sens(), TxiloCADRepere::Verticale);
    EXPECT_EQ(r.Sorte(), TxiloCADRepere::SaFace);
    // The position is read to the nearest whole millimetre, halves to the
    // even one.
    for (const auto &[texte, attendu] : {std::pair{u"10.4"_s, 10.0}, {u"10,5"_s, 10.0}, {u"11.5"_s, 12.0},
                                         {u"-0.6"_s, -1.0}, {u""_s, 0.0}}) {
        r.LoadFromStrings({u"position="_s + texte, u"sens=2"_s, u"sorte=2"_s});
        EXPECT_EQ(r.Position(), attendu) << texte.toStdString();
    }
    EXPECT_EQ(r.Sens(), TxiloCADRepere::Horizontale);
    EXPECT_EQ(r.Sorte(), TxiloCADRepere::TouteFace);
    r.SetPosition(12.25);
    const QStringList cles = r.SaveToStrings();
    EXPECT_EQ(cles.first(), u"Name=Repere"_s);
    EXPECT_EQ(cles.mid(cles.size() - 3), (QStringList{u"position=12.25"_s, u"sens=2"_s, u"sorte=2"_s}));
    // A guide read without direction is shown nowhere and never hit.
    r.LoadFromStrings({u"position=10"_s});
    EXPECT_EQ(r.Sens(), 0);
    EXPECT_FALSE(r.Affichee(1));
    EXPECT_EQ(r.HitTest(QPointF(10, 10)), -1);
}

TEST(Repere, DessineSeulementALEdition)
{
    ASSERT_TRUE(ChargeFonteTest());
    // A page of 100 x 50 mm drawn at 2 pixels per millimetre.
    TxiloCADMdl m(nullptr, QRect(0, 0, 200, 100), 100, 50);
    TxiloCADRepere &v = AjouteRepere(m, 30, TxiloCADRepere::Verticale, TxiloCADRepere::SaFace);
    TxiloCADRepere &h = AjouteRepere(m, 20, TxiloCADRepere::Horizontale, TxiloCADRepere::TouteFace);
    const QRect rect(0, 0, 200, 100);
    const auto page = [&] { return Dessine(QSize(200, 100), [&](TCanevas &c) { m.Draw(c, rect); }); };

    // On their face: the guide of its own face solid blue across the page,
    // the guide of every face dash-dot black.
    QImage image = page();
    EXPECT_TRUE(ColonneDe(image, 60, 1, 98, CouleurBleue));
    EXPECT_GT(CompteLigne(image, 40, CouleurNoire), 60);
    EXPECT_GT(CompteLigne(image, 40, CouleurBlanche), 60);
    // On another face: the first one absent, the second dashed grey.
    m.SetFaceCourante(2);
    image = page();
    EXPECT_EQ(Compte(image, CouleurBleue), 0);
    EXPECT_GT(CompteLigne(image, 40, CouleurGrise), 100);
    EXPECT_GT(CompteLigne(image, 40, CouleurBlanche), 40);
    m.SetFaceCourante(1);

    // Selected: red, and labelled beside the line, 10 pixels from the page's
    // top or left edge; near the right or bottom edge, on the other side. The
    // page's edge is measured on the guide's own axis: drawn at 4 pixels per
    // millimetre across and 2 down (or 2 and 4), the page's right edge is at
    // 400 (its bottom at 200), far from a vertical guide at 60 mm (a
    // horizontal one at 30 mm).
    struct Cas {
        QSize taille;
        double position;
        int sens;
        bool avant; // the label before the line (left of it or above it)
    } const cas[] = {
        {{200, 100}, 30, TxiloCADRepere::Verticale, false},
        {{200, 100}, 95, TxiloCADRepere::Verticale, true},
        {{200, 100}, 20, TxiloCADRepere::Horizontale, false},
        {{200, 100}, 47, TxiloCADRepere::Horizontale, true},
        {{400, 100}, 60, TxiloCADRepere::Verticale, false},
        {{400, 100}, 97, TxiloCADRepere::Verticale, true},
        {{200, 200}, 30, TxiloCADRepere::Horizontale, false},
        {{200, 200}, 48, TxiloCADRepere::Horizontale, true},
    };
    for (const Cas &c : cas) {
        SCOPED_TRACE(testing::Message() << c.position << " sens " << c.sens << " sur " << c.taille.width() << " x "
                                        << c.taille.height());
        TxiloCADRepere &r = c.sens == TxiloCADRepere::Verticale ? v : h;
        r.SetPosition(c.position);
        r.SetSelectionne(true);
        image = Dessine(c.taille, [&](TCanevas &canevas) { m.Draw(canevas, QRect(QPoint(0, 0), c.taille)); });
        const int trait = c.sens == TxiloCADRepere::Verticale ? int(c.position * c.taille.width() / 100)
                                                              : int(c.position * c.taille.height() / 50);
        const QRect texte = Etiquette(image);
        ASSERT_FALSE(texte.isNull());
        if (c.sens == TxiloCADRepere::Verticale) {
            EXPECT_TRUE(ColonneDe(image, trait, 1, 9, CouleurRouge));
            EXPECT_GE(texte.top(), 12);
            EXPECT_LE(texte.top(), 16);
            EXPECT_EQ(texte.left() < trait, c.avant);
            EXPECT_EQ(texte.right() < trait, c.avant);
        } else {
            EXPECT_GT(CompteLigne(image, trait, CouleurRouge), 60);
            EXPECT_GE(texte.left(), 12);
            EXPECT_LE(texte.left(), 16);
            EXPECT_EQ(texte.top() < trait, c.avant);
            EXPECT_EQ(texte.bottom() < trait, c.avant);
        }
        r.SetSelectionne(false);
    }

    // Never printed or exported.
    v.SetSelectionne(true);
    image = Dessine(QSize(200, 100), [&](TCanevas &c) { m.DrawObjects(c, rect); });
    EXPECT_TRUE(BoiteNonBlanche(image).isNull());
    m.Interrupteurs().GabaritSurExport = false;
    QImage export_(200, 100, QImage::Format_RGB32);
    ASSERT_TRUE(m.ExportBitmap(export_));
    EXPECT_TRUE(BoiteNonBlanche(export_).isNull());
    // The editor still shows them afterwards.
    EXPECT_FALSE(BoiteDe(page(), CouleurRouge).isNull());
}

TEST(Repere, Atteint)
{
    TxiloCADMdl m(nullptr, QRect(0, 0, 100, 100), 100, 100);
    m.SetEchelles(10, 4);
    TxiloCADRepere &r = AjouteRepere(m, 30, TxiloCADRepere::Verticale, TxiloCADRepere::SaFace);
    // Less than 2 pixels across the line, in pixels of its direction.
    EXPECT_EQ(r.HitTest(QPointF(30.15, 80)), 0);
    EXPECT_EQ(r.Curseur(), Qt::SplitHCursor);
    EXPECT_EQ(r.HitTest(QPointF(29.85, 2)), 0);
    EXPECT_EQ(r.HitTest(QPointF(30.25, 50)), -1);
    EXPECT_EQ(r.HitTest(QPointF(40, 30)), -1);
    r.SetSens(TxiloCADRepere::Horizontale);
    EXPECT_EQ(r.HitTest(QPointF(80, 30.45)), 0);
    EXPECT_EQ(r.Curseur(), Qt::SplitVCursor);
    EXPECT_EQ(r.HitTest(QPointF(80, 30.55)), -1);
    EXPECT_EQ(r.HitTest(QPointF(30, 50)), -1);
    r.SetCanSelect(false);
    EXPECT_EQ(r.HitTest(QPointF(80, 30)), -1);
    r.SetCanSelect(true);
    r.SetSens(3);
    EXPECT_EQ(r.HitTest(QPointF(30, 30)), -1);
}

TEST(Repere, GardeSurLaPage)
{
    // A guide dragged past the page's start is brought 5 pixels inside it,
    // past its end 6 pixels inside, each direction with its own scale, then
    // onto the nearest whole millimetre; where that is the page's edge, onto
    // the next one inside.
    struct Cas {
        double echelleX, echelleY;
        int sens;
        double position, attendue;
    } const cas[] = {
        // 5 pixels a millimetre: 5 pixels is 1 mm, 6 pixels 1.2 mm.
        {5, 5, TxiloCADRepere::Verticale, 0, 1},
        {5, 5, TxiloCADRepere::Verticale, -12, 1},
        {5, 5, TxiloCADRepere::Verticale, 0.99, 1},
        {5, 5, TxiloCADRepere::Verticale, 1.2, 1.2},
        {5, 5, TxiloCADRepere::Verticale, 99, 99},
        {5, 5, TxiloCADRepere::Verticale, 98.5, 98.5},
        // The editor's scale for an A4 page: 5 pixels is 2 mm.
        {2.5, 2.5, TxiloCADRepere::Verticale, 0, 2},
        {2.5, 2.5, TxiloCADRepere::Verticale, 100, 98},
        // 4 pixels a millimetre: 1.25 mm is nearest to 1.
        {4, 4, TxiloCADRepere::Verticale, 0, 1},
        {4, 4, TxiloCADRepere::Verticale, 99, 98},
        // 10 and 20 pixels a millimetre: the nearest millimetre would be
        // the page's edge.
        {10, 10, TxiloCADRepere::Verticale, 0, 1},
        {10, 10, TxiloCADRepere::Verticale, 100, 99},
        {20, 20, TxiloCADRepere::Verticale, -1, 1},
        {20, 20, TxiloCADRepere::Verticale, 99.9, 99},
        // A horizontal guide with the vertical scale, on a page 50 high.
        {10, 5, TxiloCADRepere::Horizontale, -3, 1},
        {10, 5, TxiloCADRepere::Horizontale, 50, 49},
        {5, 10, TxiloCADRepere::Horizontale, 50, 49},
        {5, 20, TxiloCADRepere::Horizontale, 50, 49},
        // No direction: nothing.
        {5, 5, 0, -3, -3},
    };
    for (const Cas &c : cas) {
        SCOPED_TRACE(testing::Message() << c.echelleX << " x " << c.echelleY << " sens " << c.sens << " à "
                                        << c.position);
        TxiloCADMdl m(nullptr, QRect(0, 0, 100, 100), 100, 50);
        m.SetEchelles(c.echelleX, c.echelleY);
        TxiloCADRepere &r = AjouteRepere(m, c.position, c.sens, TxiloCADRepere::SaFace);
        r.Borne();
        EXPECT_DOUBLE_EQ(r.Position(), c.attendue);
        if (c.sens == TxiloCADRepere::Verticale) {
            EXPECT_GT(m.MmToPixelX(r.Position()), 0);
            EXPECT_LT(m.MmToPixelX(r.Position()), m.MmToPixelX(100));
        }
    }
}

TEST(Aimantation, AuxReperesEtAuxBords)
{
    // A page of 200 x 150 mm. Vertical guides at 30, 90.5, 100, 150 and 150.6
    // on face 1, at 120 on face 2 only; a horizontal guide of every face at
    // 60, kept on face 2; a guide without direction at 10.
    const auto page = [] {
        auto m = std::make_unique<TxiloCADMdl>(nullptr, QRect(0, 0, 100, 100), 200, 150);
        for (const double x : {30.0, 90.5, 100.0, 150.0, 150.6})
            AjouteRepere(*m, x, TxiloCADRepere::Verticale, TxiloCADRepere::SaFace);
        AjouteRepere(*m, 120, TxiloCADRepere::Verticale, TxiloCADRepere::SaFace, 2);
        AjouteRepere(*m, 60, TxiloCADRepere::Horizontale, TxiloCADRepere::TouteFace, 2);
        AjouteRepere(*m, 10, 0, TxiloCADRepere::TouteFace);
        return m;
    };
    struct Cas {
        const char *nom;
        double echelleX, echelleY;
        int face;
        double x, y, l, h, r;
        double xAttendu, yAttendu;
    } const cas[] = {
        // 10 pixels a millimetre: the left side 6 or 7.9 pixels from a guide
        // lands on it; at 8.1 pixels it stays.
        {"à 6 pixels", 10, 10, 1, 40.6, 100, 20, 10, 0, 40, 100},
        {"à 7,9 pixels", 10, 10, 1, 40.79, 100, 20, 10, 0, 40, 100},
        {"à 8,1 pixels", 10, 10, 1, 40.81, 100, 20, 10, 0, 40.81, 100},
        // The page's edges, right and top; a guide of every face kept on
        // another face, under the bottom side.
        {"bord droit", 10, 10, 1, 189.5, 100, 20, 10, 0, 190, 100},
        {"bord haut", 10, 10, 1, 40.9, 5.4, 20, 10, 0, 40.9, 5},
        {"repère de toute face", 10, 10, 1, 40.9, 54.5, 20, 10, 0, 40.9, 55},
        // A guide of face 2 only: not on face 1, but on face 2.
        {"repère d'une autre face", 10, 10, 1, 130.3, 100, 20, 10, 0, 130.3, 100},
        {"repère de sa face", 10, 10, 2, 130.3, 100, 20, 10, 0, 130, 100},
        // A turned box: its rightmost corner onto the page's edge.
        {"boîte tournée", 10, 10, 1, 185.3, 100, 20, 20, 45, 200 - 10 * Racine2, 100},
        // Turned so, the box's leftmost point is its fourth corner (bottom
        // left), and that corner alone comes within reach of the guide at 30.
        {"quatrième coin", 10, 10, 1, 30.5 + 10 * Racine2, 100, 20, 20, 45, 30 + 10 * Racine2, 100},
        // Two guides within reach of the centre: both distances add up, and
        // the centre lands on neither.
        {"cumul", 10, 10, 1, 150.2, 100, 40, 10, 0, 150.4, 100},
        // The points are taken in turn where the box then is: the centre
        // lands on 100, which brings the left side within reach of 90.5.
        {"en chaîne", 10, 10, 1, 100.3, 100, 20, 10, 0, 100.5, 100},
        // 2.5 pixels a millimetre across, 20 down: 8 pixels reach 3.2 mm
        // across and 0.4 mm down.
        {"petite échelle", 2.5, 20, 1, 43, 100, 20, 10, 0, 40, 100},
        {"petite échelle, trop loin", 2.5, 20, 1, 43.3, 100, 20, 10, 0, 43.3, 100},
        {"grande échelle en hauteur", 2.5, 20, 1, 43.3, 54.7, 20, 10, 0, 43.3, 55},
        {"grande échelle, trop loin", 2.5, 20, 1, 43.3, 54.5, 20, 10, 0, 43.3, 54.5},
    };
    for (const Cas &c : cas) {
        SCOPED_TRACE(c.nom);
        const auto m = page();
        m->SetEchelles(c.echelleX, c.echelleY);
        auto &boite = dynamic_cast<TxiloCADRectangle &>(*m->AddObject(u"rectangle"_s));
        boite.SetFace(c.face);
        boite.SetCentre(c.x, c.y);
        boite.SetTaille(c.l, c.h);
        boite.SetR(c.r);
        Aimante(boite);
        EXPECT_NEAR(boite.X(), c.xAttendu, 1e-9);
        EXPECT_NEAR(boite.Y(), c.yAttendu, 1e-9);
        EXPECT_EQ(boite.L(), c.l);
        EXPECT_EQ(boite.H(), c.h);
    }
}
