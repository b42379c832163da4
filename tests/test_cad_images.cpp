// The picture objects of the designs: tiled borders, metafile masks, turns,
// placeholders in file names, the cache and its refresh, copies, and
// metafiles played in their box, measured on pixels.

#include "AideCAD.h"
#include "Bitmaps.h"
#include "BordureImage.h"
#include "CanevasEspion.h"
#include "Clavier.h"
#include "ExportEmf.h"
#include "Metafichier.h"
#include "TxiloCADImage.h"
#include "TxiloCADMdl.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;
using namespace aidecad;

namespace {

QString Fixture(const QString &nom)
{
    return QString::fromUtf8(LIGNEE_FIXTURES) + u"/cad/"_s + nom;
}

const QRgb Jaune = qRgb(255, 255, 0);
const QRgb RougeSombre = qRgb(128, 0, 0);
const QRgb BleuSombre = qRgb(0, 0, 128);
const QRgb Blanc = qRgb(255, 255, 255);

// A page of 200 x 150 mm drawn at 4 pixels per millimetre, whose bare file
// names are those of the test files.
struct Page : Page200x150 {
    Page() : Page200x150(Fixture(QString())) {}
    TxiloCADImage &Ajoute(double x, double y, double l, double h, double r = 0)
    {
        auto &image = dynamic_cast<TxiloCADImage &>(*m.AddObject(u"image"_s));
        image.SetFace(1);
        image.SetCentre(x, y);
        image.SetTaille(l, h);
        image.SetR(r);
        return image;
    }
};

// A green disc on magenta, the transparent colour, written into `dossier`:
// a 240 x 180 picture with one disc in its middle, or with `bande` a border
// strip of two 60-pixel tiles, each with its disc.
QString DisqueSurMagenta(const QTemporaryDir &dossier, bool bande)
{
    const QString fichier = dossier.filePath(bande ? u"bande.png"_s : u"disque.png"_s);
    QImage image(bande ? QSize(120, 60) : QSize(240, 180), QImage::Format_RGB32);
    image.fill(qRgb(255, 0, 255));
    QPainter painter(&image);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 140, 0));
    if (bande) {
        painter.drawEllipse(QRect(8, 8, 44, 44));
        painter.drawEllipse(QRect(68, 8, 44, 44));
    } else {
        painter.drawEllipse(QRect(50, 20, 140, 140));
    }
    painter.end();
    EXPECT_TRUE(image.save(fichier));
    return fichier;
}

// Pixels where the transparent colour shows, even blended: red and blue
// both well above green.
int Magentas(const QImage &image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            n += qRed(c) > qGreen(c) + 40 && qBlue(c) > qGreen(c) + 40;
        }
    return n;
}

int NonBlancs(const QImage &image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) != Blanc;
    return n;
}

class ClavierScripte final : public TEtatClavier
{
public:
    bool maj = false;
    bool Maj() const override { return maj; }
    bool Ctrl() const override { return false; }
};

} // namespace

TEST(BordureImage, TuilesTourneesEtModes)
{
    // A strip whose pixels all differ: the eight tiles are its two squares
    // turned by quarter turns clockwise.
    QImage bande(6, 3, QImage::Format_RGB32);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 6; ++x)
            bande.setPixel(x, y, qRgb(x * 40, y * 80, 7));
    const auto tuiles = TuilesBordure(bande);
    for (int k = 0; k < 2; ++k) {
        const QImage &droite = tuiles[size_t(4 * k)];
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 3; ++x) {
                EXPECT_EQ(droite.pixel(x, y), bande.pixel(3 * k + x, y));
                EXPECT_EQ(tuiles[size_t(4 * k + 1)].pixel(x, y), droite.pixel(y, 2 - x));
                EXPECT_EQ(tuiles[size_t(4 * k + 2)].pixel(x, y), droite.pixel(2 - x, 2 - y));
                EXPECT_EQ(tuiles[size_t(4 * k + 3)].pixel(x, y), droite.pixel(2 - y, x));
            }
    }
    // A strip too narrow for its side tile uses its corner tile.
    EXPECT_EQ(TuilesBordure(bande.copy(0, 0, 5, 3))[4], tuiles[0]);

    // The tile of each cell of a 4 x 3 grid, by mode, row by row.
    const struct {
        int mode;
        int tuiles[3][4];
    } modes[] = {
        {0, {{1, 1, 1, 1}, {1, 0, 0, 1}, {1, 1, 1, 1}}},
        {1, {{1, 1, 1, 2}, {4, 0, 0, 2}, {4, 3, 3, 3}}},
        {2, {{1, 5, 5, 2}, {8, 0, 0, 6}, {4, 7, 7, 3}}},
        {3, {{1, 0, 0, 2}, {0, 0, 0, 0}, {4, 0, 0, 3}}},
        {4, {{0, 5, 5, 0}, {8, 0, 0, 6}, {0, 7, 7, 0}}},
        {5, {{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}}},
    };
    for (const auto &m : modes)
        for (int j = 0; j < 3; ++j)
            for (int i = 0; i < 4; ++i)
                EXPECT_EQ(TuileCellule(m.mode, i, j, 4, 3), m.tuiles[j][i]) << m.mode << ' ' << i << ',' << j;
}

TEST(ImageObjet, BordureDeTuilesCalee)
{
    // 12-mm tiles in mode 2 round a 48 x 36 mm box: 4 x 3 tiles of 48
    // pixels. The strip's corner tile has a yellow square in its top-left
    // corner, its side tile a yellow band along its top.
    Page p;
    TxiloCADImage &image = p.Ajoute(100, 75, 48, 36);
    image.SetFichierImage(u"bordure.png"_s);
    image.SetBordure(TBordure{true, 12, 12, 2});
    const QImage page = p.Dessine();
    EXPECT_DOUBLE_EQ(image.L(), 48);
    EXPECT_DOUBLE_EQ(image.H(), 36);
    // The box from (304, 228), 192 x 144 pixels.
    const auto cellule = [&](int i, int j, int x, int y) { return page.pixel(304 + 48 * i + x, 228 + 48 * j + y); };
    // Corners: tiles 1 to 4, the yellow square turning with them.
    EXPECT_EQ(cellule(0, 0, 3, 3), Jaune);
    EXPECT_EQ(cellule(0, 0, 40, 40), RougeSombre);
    EXPECT_EQ(cellule(3, 0, 44, 3), Jaune);
    EXPECT_EQ(cellule(3, 0, 3, 3), RougeSombre);
    EXPECT_EQ(cellule(3, 2, 44, 44), Jaune);
    EXPECT_EQ(cellule(3, 2, 44, 3), RougeSombre);
    EXPECT_EQ(cellule(0, 2, 3, 44), Jaune);
    EXPECT_EQ(cellule(0, 2, 44, 44), RougeSombre);
    // Sides: tiles 5 to 8, the band on the outer edge.
    for (const int i : {1, 2}) {
        EXPECT_EQ(cellule(i, 0, 24, 3), Jaune);
        EXPECT_EQ(cellule(i, 0, 24, 30), BleuSombre);
        EXPECT_EQ(cellule(i, 2, 24, 44), Jaune);
        EXPECT_EQ(cellule(i, 2, 24, 20), BleuSombre);
    }
    EXPECT_EQ(cellule(3, 1, 44, 24), Jaune);
    EXPECT_EQ(cellule(3, 1, 20, 24), BleuSombre);
    EXPECT_EQ(cellule(0, 1, 3, 24), Jaune);
    EXPECT_EQ(cellule(0, 1, 30, 24), BleuSombre);
    // The inner cells are not painted.
    EXPECT_EQ(cellule(1, 1, 24, 24), Blanc);
    EXPECT_EQ(cellule(2, 1, 24, 24), Blanc);
}

TEST(ImageObjet, BordureDessineeSansChangerLaBoite)
{
    // A 50 x 40 mm box of 12-mm tiles holds 4 x 3 tiles, stretched to fill
    // it at every zoom: drawing, whatever the scale, leaves the object and
    // what it saves as they were, and the frame covers the box.
    TxiloCADMdl m(nullptr, QRect(0, 0, 200, 150), 200, 150);
    auto &image = dynamic_cast<TxiloCADImage &>(*m.AddObject(u"image"_s));
    image.SetFace(1);
    image.SetCentre(100, 75);
    image.SetTaille(50, 40);
    image.SetFichierImage(Fixture(u"bordure.png"_s));
    image.SetBordure(TBordure{true, 12, 12, 0});
    const QStringList cles = image.SaveToStrings();
    for (const double echelle : {0.5, 1.0, 2.5, 4.0, 0.5}) {
        const QSize taille(qRound(200 * echelle), qRound(150 * echelle));
        const QImage page = Dessine(taille, [&](TCanevas &c) { m.Draw(c, QRect(QPoint(), taille)); });
        EXPECT_DOUBLE_EQ(image.L(), 50) << echelle;
        EXPECT_DOUBLE_EQ(image.H(), 40) << echelle;
        EXPECT_EQ(image.SaveToStrings().join(u'\n'), cles.join(u'\n')) << echelle;
        // Mode 0 paints every edge cell: the frame reaches the box's sides,
        // 75 to 125 mm across and 55 to 95 mm down, within a pixel.
        const QRect cadre = Boite(page, [](QRgb c) { return c != qRgb(255, 255, 255) && c != qRgb(0, 0, 0); });
        EXPECT_NEAR(cadre.left(), 75 * echelle, 1.01) << echelle;
        EXPECT_NEAR(cadre.right() + 1, 125 * echelle, 1.01) << echelle;
        EXPECT_NEAR(cadre.top(), 55 * echelle, 1.01) << echelle;
        EXPECT_NEAR(cadre.bottom() + 1, 95 * echelle, 1.01) << echelle;
    }
}

TEST(ImageObjet, BordureCoinsSeulsEtTuilesNulles)
{
    // Ten tiles' worth each way in mode 3: the four corners and nothing
    // between them.
    TxiloCADMdl m(nullptr, QRect(0, 0, 600, 600), 300, 300);
    auto &image = dynamic_cast<TxiloCADImage &>(*m.AddObject(u"image"_s));
    image.SetFace(1);
    image.SetTaille(120, 120);
    image.SetFichierImage(Fixture(u"bordure.png"_s));
    image.SetBordure(TBordure{true, 12, 12, 3});
    const QImage page = Dessine(QSize(600, 600), [&](TCanevas &c) { m.Draw(c, QRect(0, 0, 600, 600)); });
    // The box from (180, 180), cells of 24 pixels.
    const auto peinte = [&](int i, int j) {
        for (int y = 2; y < 22; ++y)
            for (int x = 2; x < 22; ++x)
                if (page.pixel(180 + 24 * i + x, 180 + 24 * j + y) != Blanc)
                    return true;
        return false;
    };
    for (int j = 0; j < 10; ++j)
        for (int i = 0; i < 10; ++i)
            EXPECT_EQ(peinte(i, j), (i == 0 || i == 9) && (j == 0 || j == 9)) << i << ',' << j;

    // A tile of no width or height leaves the border off: the picture is
    // stretched over the box, whose size stays.
    for (const TBordure &bordure : {TBordure{true, 0, 12, 2}, TBordure{true, 12, 0, 2}, TBordure{true, -12, 12, 2}}) {
        image.SetTaille(120, 120);
        image.SetBordure(bordure);
        const QImage etiree = Dessine(QSize(600, 600), [&](TCanevas &c) { m.Draw(c, QRect(0, 0, 600, 600)); });
        // The strip's red corner tile on the left, its blue side tile on the
        // right (the stretch smooths their colours).
        EXPECT_DOUBLE_EQ(image.L(), 120);
        const QRgb gauche = etiree.pixel(220, 300);
        const QRgb droite = etiree.pixel(380, 300);
        EXPECT_TRUE(qRed(gauche) > 100 && qBlue(gauche) < 40) << bordure.LargeurTuile;
        EXPECT_TRUE(qBlue(droite) > 100 && qRed(droite) < 40) << bordure.LargeurTuile;
    }
}

TEST(ImageObjet, MasqueMetafichierEtRotation)
{
    // The mask's white left half leaves the picture's left half transparent:
    // the page colour shows there.
    Page p;
    p.m.Interrupteurs().ModeFond = 1;
    const QRgb fond = CouleurCAD(p.m.CouleurPage()).rgb();
    TxiloCADImage &image = p.Ajoute(100, 75, 40, 30);
    image.SetFichierImage(u"photo.png"_s);
    image.SetFichierMasque(u"masque_gauche.emf"_s);
    EXPECT_FALSE(image.MasqueMetafichier().EstVide());
    QImage page = p.Dessine();
    EXPECT_TRUE(image.Transparent());
    EXPECT_EQ(image.TransparentColor(), CouleurMagenta);
    // The box from (320, 240), 160 x 120 pixels.
    for (const int y : {250, 300, 350}) {
        EXPECT_EQ(page.pixel(330, y), fond) << y;
        EXPECT_EQ(page.pixel(390, y), fond) << y;
        EXPECT_NE(page.pixel(410, y), fond) << y;
        EXPECT_NE(page.pixel(470, y), fond) << y;
    }
    EXPECT_EQ(page.pixel(310, 300), fond);

    // An oval mask: the corners transparent, the middle shown.
    TxiloCADImage &ovale = p.Ajoute(40, 40, 40, 30);
    ovale.SetFichierImage(u"photo.png"_s);
    ovale.SetFichierMasque(u"masque_ovale.emf"_s);
    page = p.Dessine();
    EXPECT_EQ(page.pixel(82, 102), fond);
    EXPECT_EQ(page.pixel(236, 218), fond);
    EXPECT_NE(page.pixel(160, 160), fond);

    // Turned a quarter turn, the 160 x 120 box's cache (the picture's 120 x
    // 90 pixels, being smaller) stands upright and fills a 120 x 160 box.
    TxiloCADImage &tournee = p.Ajoute(160, 75, 40, 30, 90);
    tournee.SetFichierImage(u"photo.png"_s);
    page = p.Dessine();
    EXPECT_EQ(tournee.Cache().size(), QSize(90, 120));
    const QRect encre = Boite(page.copy(500, 10, 280, 580), [&](QRgb c) { return c != fond; }).translated(500, 10);
    EXPECT_EQ(encre, QRect(580, 220, 120, 160));
}

TEST(ImageObjet, NomsBalisesEtFichiersAbsents)
{
    Page p;
    p.m.SetOnGetTagValue([](TxiloCADObj *, const QString &balise, QString &valeur) {
        if (balise == u"portrait"_s)
            valeur = u"photo"_s;
    });
    TxiloCADImage &image = p.Ajoute(100, 75, 40, 30);
    // A placeholder is filled before the file is looked up.
    image.SetFichierImage(u"<Portrait>.png"_s);
    EXPECT_EQ(image.FichierImage(), Fixture(u"photo.png"_s));
    EXPECT_EQ(image.Image().size(), QSize(120, 90));
    // A file that is not there is held as the path; the picture stays.
    image.SetFichierImage(u"absente.png"_s);
    EXPECT_EQ(image.FichierImage(), Fixture(u"absente.png"_s));
    EXPECT_EQ(image.Image().size(), QSize(120, 90));
    EXPECT_NE(p.Dessine().pixel(400, 300), Blanc);

    // Without a picture, what the box says; nothing with messages off.
    const struct {
        QString nom;
        QString message;
    } cas[] = {{QString(), u"Pas d'image"_s}, {u"absente.png"_s, u"\"absente.png\" non trouvé"_s}};
    for (const auto &c : cas) {
        TxiloCADMdl m(nullptr, QRect(0, 0, 800, 600), 200, 150);
        auto &vide = dynamic_cast<TxiloCADImage &>(*m.AddObject(u"image"_s));
        vide.SetFace(1);
        vide.SetTaille(40, 30);
        vide.SetFichierImage(c.nom.isEmpty() ? QString() : Fixture(c.nom));
        for (const bool messages : {true, false}) {
            m.Interrupteurs().Messages = messages;
            CanevasEspion espion(QSize(800, 600));
            m.Draw(espion, QRect(0, 0, 800, 600));
            if (messages) {
                ASSERT_EQ(espion.Textes.size(), 1u);
                EXPECT_EQ(espion.Textes[0].Texte, c.message);
            } else {
                EXPECT_TRUE(espion.Textes.empty());
            }
        }
    }
}

TEST(ImageObjet, CacheGardeTantQueRienNeChange)
{
    // A 400 x 400 box over a 120 x 90 picture: the cache, reduced to the
    // picture, is not the box's size, yet is composed once.
    Page p;
    TxiloCADImage &image = p.Ajoute(100, 75, 100, 100);
    image.SetFichierImage(u"photo.png"_s);
    p.Dessine();
    ASSERT_FALSE(image.Cache().isNull());
    EXPECT_EQ(image.Cache().size(), QSize(90, 90));
    const qint64 cle = image.Cache().cacheKey();
    p.Dessine();
    p.Dessine();
    EXPECT_EQ(image.Cache().cacheKey(), cle);

    // A name that resolves to the path held reloads nothing.
    image.SetFichierImage(u"photo.png"_s);
    EXPECT_EQ(image.Cache().cacheKey(), cle);

    // While a handle is dragged, or with the refresh switch off, the old
    // cache is stretched; otherwise a new size composes it again.
    image.SetTaille(50, 50);
    image.SetPoigneeActive(3);
    p.Dessine();
    EXPECT_EQ(image.Cache().cacheKey(), cle);
    image.SetPoigneeActive(-1);
    p.m.Interrupteurs().RafraichitCache = false;
    p.Dessine();
    EXPECT_EQ(image.Cache().cacheKey(), cle);
    p.m.Interrupteurs().RafraichitCache = true;
    p.Dessine();
    EXPECT_NE(image.Cache().cacheKey(), cle);
    // A turn that keeps the bounding size composes it again too.
    const qint64 droite = image.Cache().cacheKey();
    image.SetR(30);
    p.Dessine();
    const qint64 trente = image.Cache().cacheKey();
    EXPECT_NE(trente, droite);
    image.SetR(-30);
    p.Dessine();
    EXPECT_NE(image.Cache().cacheKey(), trente);

    // A tiled frame of more pixels than a cache holds: on a surface that
    // keeps all it is given (a metafile) composed smaller, once; on a
    // bitmap made only where it shows (the page's 800 x 600 pixels), once.
    image.SetR(0);
    image.SetTaille(1500, 1500);
    image.SetFichierImage(u"bordure.png"_s);
    image.SetBordure(TBordure{true, 12, 12, 0});
    CanevasEspion toutGarde(QSize(800, 600));
    p.m.Draw(toutGarde, QRect(0, 0, 800, 600));
    const QSize grande = image.Cache().size();
    EXPECT_LE(qint64(grande.width()) * grande.height(), TxiloCADImage::PixelsMaxCache);
    EXPECT_GT(qint64(grande.width()) * grande.height(), TxiloCADImage::PixelsMaxCache / 2);
    const qint64 bordee = image.Cache().cacheKey();
    p.m.Draw(toutGarde, QRect(0, 0, 800, 600));
    EXPECT_EQ(image.Cache().cacheKey(), bordee);
    p.Dessine();
    EXPECT_TRUE(image.Cache().isNull());
    EXPECT_EQ(image.Partie().size(), QSize(800, 600));
    const qint64 partie = image.Partie().cacheKey();
    p.Dessine();
    EXPECT_EQ(image.Partie().cacheKey(), partie);
    image.SetTaille(50, 50);
    image.SetBordure(TBordure());
    image.SetFichierImage(u"photo.png"_s);

    // While the editor drags, the box is drawn as an outline in grey.
    image.SetR(0);
    image.SetEnDeplacement(true);
    const QImage page = p.Dessine();
    EXPECT_EQ(page.pixel(400, 300), CouleurCAD(CouleurGrise).rgb());
    EXPECT_EQ(page.pixel(380, 300), Blanc);
}

TEST(ImageObjet, BoiteTropGrandeFaiteOuElleSeVoit)
{
    // A turned picture framed by 12-mm tiles in a box of 9 x 9 metres whose
    // left side runs down the middle of a 100 x 75 mm page drawn at 160 x 120
    // pixels: made only for the 96 x 120 pixels of the page it covers, its
    // left column of tiles (19.2 pixels wide from pixel 64) drawn there, the
    // inside of the frame left as the page was.
    TxiloCADMdl m(nullptr, QRect(0, 0, 160, 120), 100, 75);
    auto &image = dynamic_cast<TxiloCADImage &>(*m.AddObject(u"image"_s));
    image.SetFace(1);
    image.SetCentre(4540, 37.5);
    image.SetTaille(9000, 9000);
    image.SetR(180);
    image.SetFichierImage(Fixture(u"bordure.png"_s));
    image.SetBordure(TBordure{true, 12, 12, 0});
    const QImage page = Dessine(QSize(160, 120), [&](TCanevas &c) { m.Draw(c, QRect(0, 0, 160, 120)); });
    EXPECT_TRUE(image.Cache().isNull());
    EXPECT_EQ(image.Partie().size(), QSize(96, 120));
    for (const int y : {10, 60, 110}) {
        const QRgb tuile = page.pixel(74, y);
        EXPECT_TRUE(qRed(tuile) > 100 && qBlue(tuile) < 60) << y;
        EXPECT_EQ(page.pixel(62, y), Blanc) << y;
        EXPECT_EQ(page.pixel(100, y), Blanc) << y;
    }
    EXPECT_DOUBLE_EQ(image.L(), 9000);
}

TEST(ImageObjet, CopiesEtCles)
{
    // Bare names resolve into an empty folder: the picture lies elsewhere.
    QTemporaryDir dossier;
    TxiloCADMdl m(nullptr, QRect(0, 0, 800, 600), 200, 150);
    ResoutDans(m, dossier.path());
    auto &image = dynamic_cast<TxiloCADImage &>(*m.AddObject(u"image"_s));
    image.SetFace(1);
    image.SetTaille(40, 30);
    image.SetFichierImage(Fixture(u"photo.png"_s));
    image.SetFichierMasque(Fixture(u"masque_ovale.emf"_s));
    image.SetBordure(TBordure{false, 8.5, 12, 1});
    // The keys hold the file names alone.
    const QStringList cles = image.SaveToStrings();
    const qsizetype debut = cles.indexOf(u"r=0"_s);
    ASSERT_GE(debut, 0);
    EXPECT_EQ(cles.mid(debut + 1), QStringList({u"FichierImage=photo.png"_s, u"FichierMasque=masque_ovale.emf"_s,
                                                u"Bordure=0,8.5,12,1"_s, u"Transparent=0"_s,
                                                u"TransparentColor=FF00FF"_s}));
    // A copy keeps the picture and the mask found outside that folder.
    auto *copie = dynamic_cast<TxiloCADImage *>(m.CloneObject(image));
    ASSERT_NE(copie, nullptr);
    EXPECT_EQ(copie->FichierImage(), Fixture(u"photo.png"_s));
    EXPECT_EQ(copie->Image().size(), QSize(120, 90));
    EXPECT_FALSE(copie->MasqueMetafichier().EstVide());
    EXPECT_EQ(copie->Bordure(), image.Bordure());
    const QImage page = Dessine(QSize(800, 600), [&](TCanevas &c) { m.Draw(c, QRect(0, 0, 800, 600)); });
    EXPECT_NE(page.pixel(400, 300), Blanc);

    // Read back: a missing or empty transparent colour is magenta.
    QStringList lues = cles;
    lues.replace(lues.indexOf(u"TransparentColor=FF00FF"_s), u"TransparentColor=00FF00"_s);
    copie->LoadFromStrings(lues);
    EXPECT_EQ(copie->TransparentColor(), CouleurRGB(0, 255, 0));
    lues.removeAll(u"TransparentColor=00FF00"_s);
    copie->LoadFromStrings(lues);
    EXPECT_EQ(copie->TransparentColor(), CouleurMagenta);
}

TEST(ImageObjet, MetafichierDansSaBoite)
{
    // A metafile fills its box unturned; handle 2 is off for it.
    Page p;
    TxiloCADImage &fleur = p.Ajoute(100, 75, 60, 60, 30);
    fleur.SetFichierImage(u"fleur.emf"_s);
    ASSERT_FALSE(fleur.Metafichier().EstVide());
    const QImage page = p.Dessine();
    EXPECT_EQ(fleur.R(), 0);
    EXPECT_FALSE(fleur.AvecPoignee(2));
    // The flower's heart, at (30, 22) mm of its 60-mm frame, is brown; its
    // ground at the bottom pale green.
    EXPECT_EQ(page.pixel(400, 268), qRgb(150, 70, 20));
    EXPECT_EQ(page.pixel(300, 410), qRgb(200, 230, 200));
    EXPECT_EQ(page.pixel(270, 410), Blanc);

    // Played once for a size; a box of more pixels than a cache holds is
    // played smaller and stretched.
    const qint64 jouee = fleur.Rendu().cacheKey();
    p.Dessine();
    EXPECT_EQ(fleur.Rendu().cacheKey(), jouee);
    fleur.SetTaille(1500, 1500);
    p.Dessine();
    EXPECT_LE(qint64(fleur.Rendu().width()) * fleur.Rendu().height(), TxiloCADImage::PixelsMaxCache);
    fleur.SetTaille(60, 60);

    // With Shift held the width follows the picture's proportions.
    ClavierScripte touches;
    SetEtatClavier(&touches);
    touches.maj = true;
    fleur.RedimCentre(QPointF(150, 95));
    EXPECT_DOUBLE_EQ(fleur.L(), fleur.H());
    TxiloCADImage &photo = p.Ajoute(100, 75, 40, 40);
    photo.SetFichierImage(u"photo.png"_s);
    p.Dessine();
    EXPECT_TRUE(photo.AvecPoignee(2));
    photo.RedimCentre(QPointF(130, 105));
    EXPECT_DOUBLE_EQ(photo.L(), photo.H() * 4 / 3);
    SetEtatClavier(nullptr);
}

TEST(ImageObjet, CleTransparenteSansFrange)
{
    // A disc on magenta made transparent, turned or not, alone, under a
    // mask or as a border: nowhere does the magenta show, not even blended
    // with the disc, on the screen, in the exported pictures or in the
    // metafile; what is not magenta covers what it covers unturned.
    QTemporaryDir dossier;
    const QString disque = DisqueSurMagenta(dossier, false);
    const QString bande = DisqueSurMagenta(dossier, true);
    const struct {
        const char *nom;
        bool masque;
        bool bordure;
    } variantes[] = {{"seule", false, false}, {"masquée", true, false}, {"bordure", false, true}};
    for (const auto &v : variantes) {
        SCOPED_TRACE(v.nom);
        int encreDroite = 0;
        QRect boiteDroite;
        for (const double r : {0.0, 30.0, 45.0, -30.0, 200.0}) {
            SCOPED_TRACE(r);
            Page p;
            TxiloCADImage &image = p.Ajoute(100, 75, 40, 30, r);
            image.SetTransparent(true);
            image.SetFichierImage(v.bordure ? bande : disque);
            if (v.masque)
                image.SetFichierMasque(u"masque_ovale.emf"_s);
            if (v.bordure)
                image.SetBordure(TBordure{true, 12, 12, 0});
            const QRect rect(0, 0, 800, 600);
            const QImage ecran = aidecad::Dessine(rect.size(), [&](TCanevas &c) { p.m.DrawObjects(c, rect); });
            EXPECT_EQ(Magentas(ecran), 0);
            const int encre = NonBlancs(ecran);
            const QRect boite = BoiteNonBlanche(ecran);
            if (r == 0) {
                encreDroite = encre;
                boiteDroite = boite;
                ASSERT_GT(encreDroite, 2000);
            } else {
                EXPECT_NEAR(encre, encreDroite, encreDroite * 0.03);
                // The disc alone turns about its own middle.
                if (!v.masque && !v.bordure) {
                    EXPECT_NEAR(boite.left(), boiteDroite.left(), 2);
                    EXPECT_NEAR(boite.top(), boiteDroite.top(), 2);
                    EXPECT_NEAR(boite.right(), boiteDroite.right(), 2);
                    EXPECT_NEAR(boite.bottom(), boiteDroite.bottom(), 2);
                }
            }

            for (const int qualite : {0, 7}) {
                p.m.SetQualiteExport(qualite);
                QImage exportee(800, 600, FormatBitmap);
                ASSERT_TRUE(p.m.ExportBitmap(exportee));
                EXPECT_EQ(Magentas(exportee), 0) << "qualité " << qualite;
                // Within the frame the export draws round the page.
                EXPECT_NEAR(NonBlancs(exportee.copy(rect.adjusted(1, 1, -1, -1))), encre, encre * 0.1)
                    << "qualité " << qualite;
            }
            const QString emf = dossier.filePath(u"page.emf"_s);
            ASSERT_TRUE(ExporteEmf(p.m, emf, 800, 600));
            TMetafichier metafichier;
            ASSERT_TRUE(metafichier.Charge(emf));
            const QImage jouee = metafichier.Rendu(rect.size(), Qt::white).convertToFormat(QImage::Format_RGB32);
            EXPECT_EQ(Magentas(jouee), 0);
            EXPECT_NEAR(NonBlancs(jouee), encre, encre * 0.03);
        }
    }
}
