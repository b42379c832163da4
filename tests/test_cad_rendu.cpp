// Drawing a page model: background, template guides, grid, objects and the
// template masks; the objects alone; and the page exported as a bitmap, a
// BMP and a JPEG file.

#include "AideCAD.h"
#include "BitmapFX.h"
#include "Bitmaps.h"
#include "Images.h"
#include "TxiloCADImage.h"
#include "TxiloCADMdl.h"
#include "TxiloCADLigne.h"
#include "TxiloCADRect.h"
#include "TxiloCADRectangle.h"
#include "TxiloCADRepere.h"
#include "TxiloCADTexte.h"

#include <cmath>
#include <gtest/gtest.h>

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;
using namespace aidecad;

namespace {

constexpr TColor Bleu = CouleurBleue;
constexpr TColor Vert = CouleurRGB(0, 160, 0);

// A page of large x haut millimetres with a template and its size key.
std::unique_ptr<TxiloCADMdl> Page(double large, double haut, const QString &gabarit = {},
                                  const QString &cle = {}, double cote = 0)
{
    auto m = std::make_unique<TxiloCADMdl>(nullptr, QRect(0, 0, 100, 100), large, haut);
    QStringList lignes = {u"Large="_s + QString::number(large), u"Haut="_s + QString::number(haut)};
    if (!gabarit.isEmpty())
        lignes.append(u"Gabarit="_s + gabarit);
    if (!cle.isEmpty())
        lignes.append(cle + u'=' + QString::number(cote));
    m->LoadFromStrings(lignes);
    return m;
}

TxiloCADRectangle &AjouteRect(TxiloCADMdl &m, QRectF mm, TColor couleur, int face = 1)
{
    auto &r = dynamic_cast<TxiloCADRectangle &>(*m.AddObject(u"rectangle"_s));
    r.SetFace(face);
    r.SetCentre(mm.center().x(), mm.center().y());
    r.SetTaille(mm.width(), mm.height());
    r.SetPen(TStylo{couleur, 0, StyloVide});
    r.SetBrush(TPinceau{couleur, PinceauPlein});
    return r;
}

QImage DessinePage(TxiloCADMdl &m, QSize taille, QRect rect = {})
{
    if (rect.isNull())
        rect = QRect(QPoint(0, 0), taille);
    return Dessine(taille, [&](TCanevas &c) { m.Draw(c, rect); });
}

// The columns holding at least one pixel of that colour.
QList<int> Colonnes(const QImage &image, TColor couleur)
{
    QList<int> colonnes;
    const QRgb c = CouleurCAD(couleur).rgb();
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            if (image.pixel(x, y) == c) {
                colonnes.append(x);
                break;
            }
        }
    }
    return colonnes;
}

int CompteColonne(const QImage &image, int x, TColor couleur)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        n += image.pixel(x, y) == CouleurCAD(couleur).rgb();
    return n;
}

int Ecart(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
}

} // namespace

// The folds of each template on a 100 x 50 mm page drawn at 2 pixels per
// millimetre: dash-dot on face 1, dashed on the others; the sleeve's fold
// runs between its flaps only.
TEST(DessinPage, GuidesDesGabarits)
{
    struct Cas {
        const char16_t *gabarit;
        const char16_t *cle;
        double cote;
        QList<int> colonnes;
    } const cas[] = {
        {u"", u"", 0, {}},
        {u"CD", u"PetitDiam", 15, {}},
        {u"Jaquette", u"", 0, {}},
        {u"Livret", u"", 0, {100}},
        {u"Feuillet", u"TailleRetour", 10, {20, 180}},
        {u"JaquetteDVD", u"TailleTranche", 14, {86, 114}},
        {u"PochetteCD", u"TailleRabat", 10, {100}},
    };
    for (const Cas &c : cas) {
        const std::string nom = QString::fromUtf16(c.gabarit).toStdString();
        auto m = Page(100, 50, QString::fromUtf16(c.gabarit), QString::fromUtf16(c.cle), c.cote);
        const QImage face1 = DessinePage(*m, QSize(200, 100));
        EXPECT_EQ(Colonnes(face1, Bleu), c.colonnes) << nom;
        if (c.colonnes.isEmpty())
            continue;
        const int x = c.colonnes.first();
        if (QString::fromUtf16(c.gabarit) == u"PochetteCD"_s) {
            const QRect trait = BoiteDe(face1, Bleu);
            EXPECT_GE(trait.top(), 20) << nom;
            EXPECT_LE(trait.bottom(), 80) << nom;
            continue;
        }
        m->SetFaceCourante(2);
        const QImage face2 = DessinePage(*m, QSize(200, 100));
        EXPECT_EQ(Colonnes(face2, Bleu), c.colonnes) << nom;
        // Dash-dot lights half of its period, dashes three quarters.
        const int points = CompteColonne(face1, x, Bleu);
        const int tirets = CompteColonne(face2, x, Bleu);
        EXPECT_NEAR(points, 50, 8) << nom;
        EXPECT_NEAR(tirets, 75, 8) << nom;
    }
}

// Background mode, frame of the plain templates, grid dots and millimetre
// lines, objects of the current face only, and a target rectangle away from
// the corner of the surface.
TEST(DessinPage, FondGrilleObjetsEtDecalage)
{
    auto m = Page(100, 50);
    AjouteRect(*m, QRectF(10, 10, 20, 10), Vert, 1);
    AjouteRect(*m, QRectF(60, 10, 20, 10), CouleurRouge, 2);
    QImage image = DessinePage(*m, QSize(200, 100));
    EXPECT_TRUE(m->Interrupteurs().Dessine);
    EXPECT_EQ(BoiteDe(image, Vert), QRect(20, 20, 40, 20));
    EXPECT_EQ(Compte(image, CouleurRouge), 0);
    EXPECT_TRUE(Est(image, 100, 50, CouleurBlanche));
    // The frame of a page without mask.
    for (const QPoint p : {QPoint(0, 0), QPoint(199, 0), QPoint(199, 99), QPoint(0, 99), QPoint(100, 0)})
        EXPECT_TRUE(Est(image, p.x(), p.y(), CouleurNoire)) << p.x() << "," << p.y();
    EXPECT_TRUE(Est(image, 1, 1, CouleurBlanche));

    m->Interrupteurs().ModeFond = 1;
    m->Interrupteurs().Grille = true;
    image = DessinePage(*m, QSize(200, 100));
    EXPECT_TRUE(Est(image, 101, 51, m->CouleurPage()));
    // Millimetre lines in light grey, every tenth darker; the centimetre
    // dots counted from the centre of the page fall on them.
    EXPECT_TRUE(Est(image, 2, 51, CouleurRGB(192, 192, 192)));
    EXPECT_TRUE(Est(image, 20, 51, CouleurGrise));
    EXPECT_TRUE(Est(image, 120, 70, CouleurGrise));

    m->Interrupteurs().ModeFond = 0;
    m->Interrupteurs().Grille = false;
    image = DessinePage(*m, QSize(300, 200), QRect(30, 40, 200, 100));
    EXPECT_EQ(BoiteDe(image, Vert), QRect(50, 60, 40, 20));
    EXPECT_EQ(BoiteDe(image, CouleurNoire), QRect(30, 40, 200, 100));
    EXPECT_DOUBLE_EQ(m->DecalageX(), 30);
}

// The CD mask covers the outside of the disc and the centre hole in white,
// outlines both, and is rendered once per size and hole: two sizes whose
// digits run together ("1" "12" "345" and "1" "123" "45") are two masks.
TEST(DessinPage, MasqueCDGardeEtRefait)
{
    auto m = Page(120, 120, u"CD"_s, u"PetitDiam"_s, 40);
    AjouteRect(*m, QRectF(0, 0, 120, 120), Vert);
    QImage image = DessinePage(*m, QSize(240, 240));
    EXPECT_TRUE(Est(image, 3, 3, CouleurBlanche));       // outside the disc
    EXPECT_TRUE(Est(image, 120, 120, CouleurBlanche));   // in the hole
    EXPECT_TRUE(Est(image, 120, 20, Vert));              // on the disc
    EXPECT_TRUE(Est(image, 120, 0, CouleurNoire));       // the disc's outline
    EXPECT_TRUE(Est(image, 120, 80, CouleurNoire));      // the hole's outline
    EXPECT_EQ(Compte(image, CouleurMagenta), 0);
    const qint64 premier = m->MasqueGabarit().cacheKey();
    DessinePage(*m, QSize(240, 240));
    EXPECT_EQ(m->MasqueGabarit().cacheKey(), premier);
    DessinePage(*m, QSize(250, 240));
    EXPECT_NE(m->MasqueGabarit().cacheKey(), premier);

    DessinePage(*m, QSize(12, 345));
    EXPECT_EQ(m->MasqueGabarit().size(), QSize(12, 345));
    DessinePage(*m, QSize(123, 45));
    EXPECT_EQ(m->MasqueGabarit().size(), QSize(123, 45));

    // Another model with a wider hole, drawn at the same size.
    image = DessinePage(*m, QSize(240, 240));
    EXPECT_TRUE(Est(image, 120, 60, Vert));
    auto large = Page(120, 120, u"CD"_s, u"PetitDiam"_s, 80);
    m->LoadFromStrings(large->TextePage());
    AjouteRect(*m, QRectF(0, 0, 120, 120), Vert);
    image = DessinePage(*m, QSize(240, 240));
    EXPECT_TRUE(Est(image, 120, 60, CouleurBlanche)) << "le trou de 80 mm couvre ce point";
}

// The CD sleeve: the band between the flaps shows the design; above and
// below it only the hatched glue flaps of the left half are drawn, on white.
TEST(DessinPage, MasquePochetteCD)
{
    auto m = Page(200, 100, u"PochetteCD"_s, u"TailleRabat"_s, 20);
    AjouteRect(*m, QRectF(0, 0, 200, 100), Vert);
    const QImage image = DessinePage(*m, QSize(400, 200));
    EXPECT_TRUE(Est(image, 300, 100, Vert));
    EXPECT_EQ(Compte(image, CouleurMagenta), 0);
    for (const int y : {0, 20, 39, 160, 180, 199})
        EXPECT_TRUE(Est(image, 300, y, CouleurBlanche)) << y;
    // Hatches in the flaps: black and white pixels along a row inside.
    int noirs = 0, blancs = 0;
    for (int x = 60; x < 140; ++x) {
        noirs += Est(image, x, 20, CouleurNoire);
        blancs += Est(image, x, 20, CouleurBlanche);
    }
    EXPECT_GT(noirs, 5);
    EXPECT_GT(blancs, 40);
    // The band's outline.
    EXPECT_TRUE(Est(image, 300, 40, CouleurNoire));
    EXPECT_TRUE(Est(image, 300, 159, CouleurNoire));
}

// A page drawn twice as wide as its scale down: the folds, the grid and the
// masks each place their lines by the scale of their own axis, and the CD's
// hole and the sleeve's flaps take their size from the horizontal one.
TEST(DessinPage, EchellesDifferentes)
{
    auto feuillet = Page(100, 50, u"Feuillet"_s, u"TailleRetour"_s, 10);
    // The folds from the page's top to its bottom, 50 rows.
    QImage image = DessinePage(*feuillet, QSize(200, 80), QRect(0, 0, 200, 50));
    EXPECT_EQ(Colonnes(image, Bleu), QList<int>({20, 180}));
    EXPECT_EQ(BoiteDe(image, Bleu).bottom(), 48);
    // Millimetre lines every 2 pixels across and every pixel down, every
    // tenth darker.
    feuillet->Interrupteurs().Grille = true;
    image = DessinePage(*feuillet, QSize(200, 50));
    const TColor clair = CouleurRGB(192, 192, 192);
    EXPECT_TRUE(Est(image, 51, 10, CouleurGrise));
    EXPECT_TRUE(Est(image, 51, 11, clair));
    EXPECT_TRUE(Est(image, 20, 5, CouleurGrise));
    EXPECT_TRUE(Est(image, 30, 5, clair));

    // The hole of 40 mm is 80 pixels wide and high, about pixel (120, 60).
    auto cd = Page(120, 120, u"CD"_s, u"PetitDiam"_s, 40);
    AjouteRect(*cd, QRectF(0, 0, 120, 120), Vert);
    image = DessinePage(*cd, QSize(240, 120));
    EXPECT_TRUE(Est(image, 120, 15, Vert));
    EXPECT_TRUE(Est(image, 120, 20, CouleurNoire));
    EXPECT_TRUE(Est(image, 120, 25, CouleurBlanche));
    EXPECT_TRUE(Est(image, 75, 60, Vert));
    EXPECT_TRUE(Est(image, 85, 60, CouleurBlanche));

    // Flaps of 20 mm are 40 pixels high: the design shows from 40 to 60.
    auto pochette = Page(200, 100, u"PochetteCD"_s, u"TailleRabat"_s, 20);
    AjouteRect(*pochette, QRectF(0, 0, 200, 100), Vert);
    image = DessinePage(*pochette, QSize(400, 100));
    EXPECT_TRUE(Est(image, 300, 30, CouleurBlanche));
    EXPECT_TRUE(Est(image, 300, 50, Vert));
    EXPECT_TRUE(Est(image, 300, 70, CouleurBlanche));
}

// The objects alone: no background, guides or mask, and the editor's
// frames left out while the switch is given back, with the scales and
// offsets the editor measures with.
TEST(DessinPage, ObjetsSeuls)
{
    auto m = Page(100, 50, u"CD"_s, u"PetitDiam"_s, 10);
    AjouteRect(*m, QRectF(10, 10, 20, 10), Vert).SetSelectionne(true);
    m->SetEchelles(3, 4);
    m->SetDecalages(5, 6);
    const QImage image = Dessine(QSize(300, 200), [&](TCanevas &c) { m->DrawObjects(c, QRect(30, 40, 200, 100)); });
    EXPECT_EQ(BoiteNonBlanche(image), QRect(50, 60, 40, 20));
    EXPECT_TRUE(m->Interrupteurs().Interactif);
    EXPECT_DOUBLE_EQ(m->EchelleX(), 3);
    EXPECT_DOUBLE_EQ(m->EchelleY(), 4);
    EXPECT_DOUBLE_EQ(m->DecalageX(), 5);
    EXPECT_DOUBLE_EQ(m->DecalageY(), 6);
}

// Pages that cannot be drawn draw nothing and export nothing.
TEST(DessinPage, PageVideRefusee)
{
    QTemporaryDir dossier;
    for (const auto &[large, haut] : {std::pair{0.0, 50.0}, {50.0, 0.0}, {-3.0, 10.0}, {0.001, 10.0}}) {
        auto m = Page(large, haut);
        m->SetLarge(large);
        m->SetHaut(haut);
        const QImage image = DessinePage(*m, QSize(50, 50));
        EXPECT_TRUE(large == 0.001 || BoiteNonBlanche(image).isNull()) << large << " x " << haut;
        QImage bitmap = NouveauBitmap(QSize(20, 20));
        EXPECT_EQ(m->ExportBitmap(bitmap), large == 0.001) << large;
        EXPECT_TRUE(m->TailleExport(160, 120).isEmpty()) << large << " x " << haut;
        const QString chemin = dossier.filePath(u"vide.bmp"_s);
        EXPECT_FALSE(m->ExportBmp(chemin, 160, 120, CouleurNoire));
        EXPECT_FALSE(m->ExportJpeg(chemin, 160, 120, CouleurNoire));
        EXPECT_FALSE(QFile::exists(chemin));
    }
}

// Export sizes: the page's proportions within the maxima, sides capped
// before anything is allocated.
TEST(ExportPage, Tailles)
{
    struct Cas {
        double large, haut;
        int lmax, hmax;
        QSize attendu;
    } const cas[] = {
        {120, 120, 160, 120, QSize(120, 120)}, {210, 297, 2480, 3508, QSize(2480, 3507)},
        {100, 50, 50000, 50000, QSize(20000, 10000)}, {100, 50, 0, 100, QSize()},
        {100, 50, 100, -1, QSize()}, {10000, 0.01, 100, 100, QSize()},
    };
    for (const Cas &c : cas) {
        auto m = Page(c.large, c.haut);
        EXPECT_EQ(m->TailleExport(c.lmax, c.hmax), c.attendu) << c.large << " x " << c.haut;
    }
}

// Quality 7 draws the objects at the picture's size; below it they are
// drawn at twice the size and filtered down, which smooths their edges. The
// export background shows either way, the mask is drawn when asked, and the
// caller's scales and switches are given back.
TEST(ExportPage, QualiteFondEtMasque)
{
    auto m = Page(100, 100);
    AjouteRect(*m, QRectF(20.25, 20.25, 40, 40), CouleurNoire).SetR(30);
    m->SetCouleurFondExport(Vert);
    m->SetEchelles(3, 4);
    for (const int qualite : {7, 0}) {
        m->SetQualiteExport(qualite);
        m->Interrupteurs().GabaritSurExport = false;
        QImage bitmap(200, 200, QImage::Format_RGB888);
        ASSERT_TRUE(m->ExportBitmap(bitmap));
        EXPECT_EQ(bitmap.format(), FormatBitmap);
        EXPECT_EQ(bitmap.size(), QSize(200, 200));
        EXPECT_TRUE(Est(bitmap, 5, 5, Vert)) << qualite;
        EXPECT_TRUE(Est(bitmap, 80, 80, CouleurNoire)) << qualite;
        int intermediaires = 0;
        for (int y = 0; y < 200; ++y) {
            for (int x = 0; x < 200; ++x) {
                const QRgb c = bitmap.pixel(x, y);
                intermediaires += c != CouleurCAD(Vert).rgb() && c != qRgb(0, 0, 0);
            }
        }
        if (qualite == 7) {
            EXPECT_EQ(intermediaires, 0);
        } else {
            EXPECT_GT(intermediaires, 200);
        }
        EXPECT_DOUBLE_EQ(m->EchelleX(), 3);
        EXPECT_DOUBLE_EQ(m->EchelleY(), 4);
        EXPECT_TRUE(m->Interrupteurs().Interactif);

        m->Interrupteurs().GabaritSurExport = true;
        ASSERT_TRUE(m->ExportBitmap(bitmap));
        EXPECT_TRUE(Est(bitmap, 0, 100, CouleurNoire));
        EXPECT_TRUE(Est(bitmap, 5, 5, Vert));
    }
}

// Below quality 7 the doubled page is drawn and reduced a band of rows at a
// time: the picture is the one the whole doubled page, reduced at once,
// gives, pixel for pixel, with turned shapes, hatched brushes, an ellipse,
// a text and a line across the bands' edges. Pictures are made at the
// picture's scale meanwhile, and at the page's again afterwards.
TEST(ExportPage, BandesSansRaccord)
{
    ASSERT_TRUE(ChargeFonteTest());
    // 2,400 x 900 pixels, drawn at 4,800 x 1,800: bands of 896 rows, their
    // edges 44.8 and 89.6 mm down the page.
    const QSize taille(2400, 900);
    const int bande = (TxiloCADMdl::OctetsBandeExport / (4 * 2 * taille.width()) + 63) / 64 * 64;
    ASSERT_EQ(bande, 896);
    auto m = Page(240, 90);
    m->Interrupteurs().GabaritSurExport = false;
    const int pinceaux[] = {PinceauDiagonaleArriere, PinceauPlein, 4, 5, 6, 7};
    for (int i = 0; i < 6; ++i) {
        TxiloCADRectangle &r = AjouteRect(*m, QRectF(10 + 38 * i, 30 + 3 * i, 30, 25), CouleurRGB(40 * i, 0, 200));
        r.SetBrush(TPinceau{CouleurRGB(40 * i, 90, 200), pinceaux[i]});
        r.SetPen(TStylo{CouleurNoire, 700, StyloPlein});
        r.SetR(17.5 * i);
        if (i == 3)
            r.SetCote(TxiloCADRectangle::CoteEllipse);
    }
    auto &texte = dynamic_cast<TxiloCADTexte &>(*m->AddObject(u"texte"_s));
    texte.SetFace(1);
    texte.SetFont(TFonteCAD{CouleurRGB(160, 0, 0), u"Arial"_s, 9000, 0, 0});
    texte.SetCentre(120, 44.8);
    texte.SetR(-8);
    texte.SetText(u"Généalogie de ma famille"_s);
    auto &ligne = dynamic_cast<TxiloCADLigne &>(*m->AddObject(u"ligne"_s));
    ligne.SetFace(1);
    ligne.SetPen(TStylo{CouleurRGB(0, 120, 0), 1500, StyloPlein});
    for (const QPointF &p : {QPointF(5, 85), QPointF(60, 10), QPointF(180, 95), QPointF(235, 40)})
        ligne.AddPoint(p);

    QImage double2(2 * taille.width(), 2 * taille.height(), FormatBitmap);
    double2.fill(Qt::white);
    {
        QPainter painter(&double2);
        TCanevasQt canevas(painter);
        m->DrawObjects(canevas, double2.rect());
    }
    QImage attendue(taille, FormatBitmap);
    ASSERT_TRUE(TBitmapFX::Stretch(double2, attendue, FiltreBox, 0.5));
    QImage bitmap(taille, FormatBitmap);
    ASSERT_TRUE(m->ExportBitmap(bitmap));
    int differents = 0;
    for (int y = 0; y < taille.height(); ++y)
        for (int x = 0; x < taille.width(); ++x)
            differents += bitmap.pixel(x, y) != attendue.pixel(x, y);
    EXPECT_EQ(differents, 0);

    // A picture of 2,400 x 1,600 pixels in a box of 120 x 80 mm. In an
    // export of more than PixelsExportImagesSimples pixels it is made at the
    // picture's scale, in a smaller one at twice it; on the page again at
    // the page's scale.
    QTemporaryDir dossier;
    QImage photo(2400, 1600, QImage::Format_RGB32);
    photo.fill(qRgb(200, 120, 40));
    ASSERT_TRUE(EcritPng(photo, dossier.filePath(u"photo.png"_s)));
    auto &image = dynamic_cast<TxiloCADImage &>(*m->AddObject(u"image"_s));
    image.SetFace(1);
    image.SetCentre(120, 45);
    image.SetTaille(120, 80);
    image.SetFichierImage(dossier.filePath(u"photo.png"_s));
    ASSERT_GT(qint64(2400) * 900, TxiloCADMdl::PixelsExportImagesSimples / 2);
    const struct {
        QSize export_, cache;
    } cas[] = {{{2400, 900}, {2400, 1600}}, {{3360, 1260}, {1680, 1120}}, {{480, 180}, {480, 320}}};
    // 2,400 x 900 is below the limit: made at twice 10 pixels per
    // millimetre (the picture's own size); 3,360 x 1,260 above: made at 14,
    // its own.
    for (const auto &c : cas) {
        QImage exportee(c.export_, FormatBitmap);
        ASSERT_TRUE(m->ExportBitmap(exportee));
        EXPECT_EQ(image.Cache().size(), c.cache) << c.export_.width();
        EXPECT_EQ(exportee.pixel(c.export_.width() / 2, c.export_.height() / 2), qRgb(200, 120, 40));
        EXPECT_EQ(m->ResolutionMaxImages(), 0);
    }
    m->SetQualiteExport(7);
    QImage directe(QSize(3000, 1125), FormatBitmap);
    ASSERT_TRUE(m->ExportBitmap(directe));
    EXPECT_EQ(image.Cache().size(), QSize(1500, 1000));
    DessinePage(*m, QSize(480, 180));
    EXPECT_EQ(image.Cache().size(), QSize(240, 160));
}

// BMP and JPEG files: sized as asked, readable, framed only when the mask
// is off and the frame colour is not white (black here: JPEG keeps a thin
// line's brightness better than its hue); a path that cannot be written
// gives false and leaves the file that was there.
TEST(ExportPage, FichiersBmpEtJpeg)
{
    QTemporaryDir dossier;
    auto m = Page(120, 120);
    AjouteRect(*m, QRectF(30, 30, 60, 60), Vert);
    m->Interrupteurs().GabaritSurExport = false;
    for (const bool jpeg : {false, true}) {
        const QString chemin = dossier.filePath(jpeg ? u"page.jpg"_s : u"page.bmp"_s);
        const auto exporte = [&](int l, int h, TColor cadre) {
            return jpeg ? m->ExportJpeg(chemin, l, h, cadre) : m->ExportBmp(chemin, l, h, cadre);
        };
        const int tolerance = jpeg ? 40 : 0;
        ASSERT_TRUE(exporte(160, 120, CouleurBlanche));
        QImage lue;
        ASSERT_TRUE(ChargeImage(lue, chemin));
        EXPECT_EQ(lue.size(), QSize(120, 120));
        EXPECT_LE(Ecart(lue.pixel(0, 60), qRgb(255, 255, 255)), tolerance);
        EXPECT_LE(Ecart(lue.pixel(60, 60), CouleurCAD(Vert).rgb()), tolerance);

        ASSERT_TRUE(exporte(300, 500, CouleurNoire));
        ASSERT_TRUE(ChargeImage(lue, chemin));
        EXPECT_EQ(lue.size(), QSize(300, 300));
        EXPECT_LE(Ecart(lue.pixel(0, 150), qRgb(0, 0, 0)), tolerance + 40);
        EXPECT_LE(Ecart(lue.pixel(150, 299), qRgb(0, 0, 0)), tolerance + 40);
        EXPECT_LE(Ecart(lue.pixel(3, 150), qRgb(255, 255, 255)), tolerance);
        if (!jpeg) {
            QFile f(chemin);
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            const QByteArray entete = f.read(30);
            EXPECT_EQ(entete.left(2), "BM");
            EXPECT_EQ(quint8(entete[28]), 24) << "bits par pixel";
        }
        const QByteArray avant = [&] {
            QFile f(chemin);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();
        EXPECT_FALSE(exporte(0, 100, CouleurNoire));
        QFile f(chemin);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), avant);
        EXPECT_FALSE(jpeg ? m->ExportJpeg(dossier.filePath(u"absent/page.jpg"_s), 50, 50, CouleurNoire)
                          : m->ExportBmp(dossier.filePath(u"absent/page.bmp"_s), 50, 50, CouleurNoire));
    }
}

namespace {

// A photograph with its mask, composed as picture objects compose theirs:
// the mask's white areas become the transparent colour, and the picture is
// stretched into the box without them.
class PhotoMasquee final : public TxiloCADRect
{
public:
    PhotoMasquee(TxiloCADMdl &m, const QString &photo, const QString &masque) : TxiloCADRect(m)
    {
        QImage mq;
        m_charge = LoadPicture(m_image, photo) && LoadPicture(mq, masque);
        ApplyMask(m_image, mq);
    }
    void Draw(TCanevas &canevas) override
    {
        if (!SurFaceCourante())
            return;
        const QPoint a = Modele().PageToPixel(QPointF(X() - L() / 2, Y() - H() / 2));
        const QPoint b = Modele().PageToPixel(QPointF(X() + L() / 2, Y() + H() / 2));
        DessineTransparent(canevas, QRect(a, QSize(b.x() - a.x(), b.y() - a.y())), m_image, CouleurMagenta);
    }
    bool m_charge = false;

private:
    QImage m_image;
};

QRgb CouleurPhoto(int i, int j)
{
    return qRgb(40 + 3 * i, 60 + 4 * j, 200 - 2 * i);
}

} // namespace

// A CD label: a background, a photograph whose left half is masked, and the
// CD template, exported as BMP and JPEG files at two sizes. Every sampled
// pixel away from an edge has the colour the geometry gives: white outside
// the disc and in the hole, the photograph on its unmasked half, the
// background elsewhere.
TEST(ExportPage, EtiquetteCDAvecPhotoMasquee)
{
    QTemporaryDir dossier;
    QImage photo(64, 32, QImage::Format_RGB32);
    for (int j = 0; j < 32; ++j) {
        for (int i = 0; i < 64; ++i)
            photo.setPixel(i, j, CouleurPhoto(i, j));
    }
    QImage masque(8, 8, QImage::Format_RGB32);
    masque.fill(Qt::black);
    QPainter(&masque).fillRect(0, 0, 4, 8, Qt::white);
    const QString cheminPhoto = dossier.filePath(u"photo.png"_s);
    const QString cheminMasque = dossier.filePath(u"masque.png"_s);
    ASSERT_TRUE(EcritPng(photo, cheminPhoto));
    ASSERT_TRUE(EcritPng(masque, cheminMasque));

    auto m = Page(120, 120, u"CD"_s, u"PetitDiam"_s, 40);
    const TColor fond = CouleurRGB(30, 90, 200);
    AjouteRect(*m, QRectF(0, 0, 120, 120), fond);
    auto objet = std::make_unique<PhotoMasquee>(*m, cheminPhoto, cheminMasque);
    ASSERT_TRUE(objet->m_charge);
    objet->SetFace(1);
    objet->SetCentre(60, 35);
    objet->SetTaille(64, 32);
    ASSERT_NE(m->AddObject(std::move(objet)), nullptr);
    // An object made for another model, or none, is not taken.
    auto autre = Page(10, 10);
    EXPECT_EQ(m->AddObject(std::make_unique<PhotoMasquee>(*autre, cheminPhoto, cheminMasque)), nullptr);
    EXPECT_EQ(m->AddObject(std::unique_ptr<TxiloCADObj>()), nullptr);
    EXPECT_EQ(m->Count(), 2);

    struct Export {
        bool jpeg;
        int lmax, hmax, cote, tolerance, marge;
    } const exports[] = {
        {false, 240, 240, 240, 8, 3},
        {false, 500, 400, 400, 8, 3},
        {true, 240, 240, 240, 32, 8},
        {true, 500, 400, 400, 32, 8},
    };
    for (const Export &e : exports) {
        const std::string cas = (e.jpeg ? "jpeg " : "bmp ") + std::to_string(e.cote);
        const QString chemin = dossier.filePath(u"cd%1.%2"_s.arg(e.cote).arg(e.jpeg ? u"jpg"_s : u"bmp"_s));
        ASSERT_TRUE(e.jpeg ? m->ExportJpeg(chemin, e.lmax, e.hmax, CouleurNoire)
                           : m->ExportBmp(chemin, e.lmax, e.hmax, CouleurNoire))
            << cas;
        QImage lue;
        ASSERT_TRUE(ChargeImage(lue, chemin)) << cas;
        ASSERT_EQ(lue.size(), QSize(e.cote, e.cote)) << cas;

        const double mmParPixel = 120.0 / e.cote;
        // Edges are smoothed over a pixel or two, and JPEG blocks of 8
        // pixels ring round them.
        const double marge = e.marge * mmParPixel;
        int blancs = 0, photos = 0, fonds = 0;
        for (int py = 1; py < e.cote; py += 3) {
            for (int px = 1; px < e.cote; px += 3) {
                const double x = (px + 0.5) * mmParPixel;
                const double y = (py + 0.5) * mmParPixel;
                const double d = std::hypot(x - 60, y - 60);
                const bool dansBoite = x > 28 && x < 92 && y > 19 && y < 51;
                const bool presBoite = x > 28 - marge && x < 92 + marge && y > 19 - marge && y < 51 + marge
                                       && !(x > 28 + marge && x < 92 - marge && y > 19 + marge && y < 51 - marge);
                if (std::abs(d - 60) < marge || std::abs(d - 20) < marge || presBoite
                    || (dansBoite && std::abs(x - 60) < marge))
                    continue;
                QRgb attendu = CouleurCAD(fond).rgb();
                if (d > 60 || d < 20) {
                    attendu = qRgb(255, 255, 255);
                    ++blancs;
                } else if (dansBoite && x > 60) {
                    attendu = CouleurPhoto(int(x - 28), int(y - 19));
                    ++photos;
                } else {
                    ++fonds;
                }
                ASSERT_LE(Ecart(lue.pixel(px, py), attendu), e.tolerance)
                    << cas << " pixel " << px << "," << py << " (" << x << " mm, " << y << " mm)";
            }
        }
        EXPECT_GT(blancs, 100) << cas;
        EXPECT_GT(photos, 100) << cas;
        EXPECT_GT(fonds, 100) << cas;
    }
}

namespace {

std::string Nom(const TxiloCADObj &objet)
{
    return objet.Name().toStdString() + " " + objet.Params().join(u' ').left(60).toStdString();
}

} // namespace

// A model whose coordinates, sizes, pens and fonts lie far beyond any page
// (a damaged or hostile file): it is drawn, exported, hit, snapped, resized
// and edited without an overflow anywhere, at every scale, and the page
// still shows.
TEST(DessinPage, CoordonneesEnormes)
{
    ASSERT_TRUE(ChargeFonteTest());
    const auto m = std::make_unique<TxiloCADMdl>(nullptr, QRect(0, 0, 100, 100), 120, 120);
    ASSERT_TRUE(m->LoadFromFile(QString::fromUtf8(LIGNEE_FIXTURES) + u"/cad/coordonnees_enormes.mdl"_s));
    ASSERT_EQ(m->Count(), 11);
    TInterrupteursModele &interrupteurs = m->Interrupteurs();
    interrupteurs.TousCadres = true;
    interrupteurs.ReduitTexte = true;
    interrupteurs.CadresOrigine = true;
    interrupteurs.Grille = true;
    for (int i = 0; i < m->Count(); ++i) {
        m->Objet(i).SetSelectionne(i % 2 == 0);
        m->Objet(i).SetPoigneeActive(i % 9);
    }
    const QPointF points[] = {{60, 60}, {0, 0}, {1e17, -1e17}, {-1e17, 1e17}, {2147483647, -2147483648.0},
                              {1e15, 60}, {60, -3e9}};
    for (const QRect rect : {QRect(0, 0, 240, 240), QRect(-50, 30, 40, 400), QRect(3, 3, 1, 1)}) {
        SCOPED_TRACE(rect.width());
        DessinePage(*m, QSize(240, 240), rect);
        // The page itself lies in the CD's centre hole, as wide as a house.
        const QImage objets = Dessine(QSize(240, 240), [&](TCanevas &c) { m->DrawObjects(c, rect); });
        if (rect.width() > 100) {
            EXPECT_FALSE(BoiteNonBlanche(objets).isNull());
        }
        for (int i = 0; i < m->Count(); ++i) {
            TxiloCADObj &objet = m->Objet(i);
            SCOPED_TRACE(Nom(objet));
            for (const QPointF p : points) {
                const int atteint = objet.HitTest(p);
                EXPECT_GE(atteint, -1);
                EXPECT_LE(atteint, 999);
            }
            if (auto *boite = dynamic_cast<TxiloCADRect *>(&objet)) {
                Aimante(*boite);
                boite->MemoriseDepart();
                for (const int poignee : {1, 4, 5, 6, 7, 8}) {
                    boite->SetPoigneeActive(poignee);
                    boite->RedimPoignee(points[size_t(poignee) % std::size(points)]);
                }
                boite->RedimCentre(points[2]);
                boite->Tourne(points[3]);
            } else if (auto *ligne = dynamic_cast<TxiloCADLigne *>(&objet)) {
                ligne->MovePoint(1, points[2]);
                ligne->MovePoint(3, points[3], TGlissement::Ligne);
                ligne->InsertPoint(3);
                ligne->AddPoint(points[4]);
            } else if (auto *repere = dynamic_cast<TxiloCADRepere *>(&objet)) {
                repere->Borne();
                repere->SetPosition(1e17);
            }
        }
        DessinePage(*m, QSize(240, 240), rect);
    }
    for (const int qualite : {0, 7}) {
        m->SetQualiteExport(qualite);
        QImage export_ = NouveauBitmap(QSize(120, 120));
        EXPECT_TRUE(m->ExportBitmap(export_));
    }
    // Reloaded, the objects come back, and a copy of each is made.
    ASSERT_TRUE(m->LoadFromFile(QString::fromUtf8(LIGNEE_FIXTURES) + u"/cad/coordonnees_enormes.mdl"_s));
    for (int i = 0, n = m->Count(); i < n; ++i)
        m->CloneObject(m->Objet(i));
    DessinePage(*m, QSize(240, 240));
}

// Below export quality 7 the page is drawn at twice the size and reduced by
// the Box filter: each pixel of the picture is the plain average of the two
// or three doubled pixels nearest to its centre. A black line one doubled
// pixel wide thus greys one or two columns, each by a half or a third, with
// no other column touched.
TEST(ExportPage, ReductionParLeFiltreBox)
{
    auto m = Page(100, 100);
    m->Interrupteurs().GabaritSurExport = false;
    for (const double x : {10.25, 30.5, 47.75, 70.0, 90.5}) {
        auto &ligne = dynamic_cast<TxiloCADLigne &>(*m->AddObject(u"ligne"_s));
        ligne.SetFace(1);
        ligne.SetPen(TStylo{CouleurNoire, 0, StyloPlein});
        ligne.SetPoints({{x, -1}, {x, -1}, {x, 101}, {x, 101}});
    }
    m->SetQualiteExport(0);
    QImage bitmap = NouveauBitmap(QSize(100, 100));
    ASSERT_TRUE(m->ExportBitmap(bitmap));
    // The greys of row 50, in runs of neighbouring columns.
    QList<QList<int>> groupes;
    bool dansGroupe = false;
    for (int x = 0; x < bitmap.width(); ++x) {
        const QRgb c = bitmap.pixel(x, 50);
        ASSERT_TRUE(qRed(c) == qGreen(c) && qGreen(c) == qBlue(c)) << x;
        if (qRed(c) == 255) {
            dansGroupe = false;
            continue;
        }
        if (!dansGroupe)
            groupes.append(QList<int>());
        groupes.last().append(qRed(c));
        dansGroupe = true;
    }
    ASSERT_EQ(groupes.size(), 5) << testing::PrintToString(groupes);
    for (const QList<int> &groupe : groupes) {
        SCOPED_TRACE(testing::PrintToString(groupe));
        EXPECT_LE(groupe.size(), 2);
        for (const int gris : groupe)
            EXPECT_TRUE(gris == 128 || gris == 170);
    }
    // Every row alike: the lines run the page's height.
    for (const int y : {0, 33, 99})
        EXPECT_EQ(bitmap.copy(0, y, 100, 1), bitmap.copy(0, 50, 100, 1)) << y;
}
