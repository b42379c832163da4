#include "Images.h"

#include "AideEmf.h"
#include "CheminsSpeciaux.h"

#include <gtest/gtest.h>
#include <vector>

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

QString Fixture(QStringView nom)
{
    return QString::fromUtf8(LIGNEE_FIXTURES) + u"/images/"_s + nom.toString();
}

QByteArray Octets(const QString &chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool Ecrit(const QString &chemin, const QByteArray &octets)
{
    QFile f(chemin);
    return f.open(QIODevice::WriteOnly) && f.write(octets) == octets.size();
}

// Each channel within `tolerance` of `attendu` (0xRRGGBB): JPEG is lossy.
::testing::AssertionResult Pixel(const QImage &image, int x, int y, QRgb attendu, int tolerance = 0)
{
    const QRgb lu = image.pixel(x, y);
    if (qAbs(qRed(lu) - qRed(attendu)) <= tolerance && qAbs(qGreen(lu) - qGreen(attendu)) <= tolerance
        && qAbs(qBlue(lu) - qBlue(attendu)) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "pixel " << x << "," << y << " is " << std::hex
                                         << (lu & 0xFFFFFF) << ", expected " << attendu;
}

// A complete black PNG, 1 bit per pixel: 12.5 MB in memory at 100 megapixels.
bool EcritPngNoir(const QString &chemin, int largeur, int hauteur)
{
    QImage image(largeur, hauteur, QImage::Format_Mono);
    image.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    image.fill(0);
    return image.save(chemin, "PNG");
}

// A GIF of a logical screen of largeur x hauteur pixels holding one frame of
// 1 x 1 pixel at (x, y): 43 bytes, whatever sizes it claims.
QByteArray Gif(quint16 largeur, quint16 hauteur, quint16 x = 0, quint16 y = 0)
{
    QByteArray gif = QByteArray::fromBase64("R0lGODlhAQABAIAAAP8AAP///yH5BAAAAAAALAAAAAABAAEAAAICRAEAOw==");
    const auto pose = [&gif](int position, quint16 valeur) {
        gif[position] = char(valeur & 0xFF);
        gif[position + 1] = char(valeur >> 8);
    };
    pose(6, largeur);
    pose(8, hauteur);
    pose(28, x);
    pose(30, y);
    return gif;
}

// A BMP of 35 bytes whose 40-byte header claims largeur x hauteur pixels of
// `bits` bits, uncompressed: the header cut short, one byte of pixels.
QByteArray BmpCourt(qint32 largeur, qint32 hauteur, quint16 bits)
{
    QByteArray bmp("BM");
    const auto mot = [&bmp](quint32 v, int octets) {
        for (int i = 0; i < octets; ++i)
            bmp.append(char((v >> (8 * i)) & 0xFF));
    };
    mot(35, 4);         // file size
    mot(0, 4);          // reserved
    mot(34, 4);         // offset of the pixels
    mot(40, 4);         // header size
    mot(quint32(largeur), 4);
    mot(quint32(hauteur), 4);
    mot(1, 2);          // planes
    mot(bits, 2);
    mot(0, 4);          // no compression
    bmp.append('\0');
    return bmp;
}

struct PixelAttendu { int x, y; QRgb couleur; };

class Images : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dossier.isValid()); }
    QString Chemin(const QString &nom) const { return m_dossier.filePath(nom); }
    QStringList Fichiers() const { return QDir(m_dossier.path()).entryList(QDir::Files); }

    QTemporaryDir m_dossier;
};

} // namespace

TEST_F(Images, FichiersValides)
{
    const struct {
        const char16_t *fichier;
        int largeur, hauteur, tolerance;
        std::vector<PixelAttendu> pixels;
    } cas[] = {
        {u"rgb.png", 4, 3, 0, {{0, 0, 0xFF0000}, {1, 0, 0x00FF00}, {2, 0, 0x0000FF}, {3, 2, 0x010203}}},
        // Palette entry 2 fully transparent, entry 3 black at half opacity.
        {u"palette.png", 4, 1, 0, {{0, 0, 0xFF0000}, {1, 0, 0x0000FF}, {2, 0, 0xFFFFFF}, {3, 0, 0x7F7F7F}}},
        {u"gris_alpha.png", 3, 1, 0, {{0, 0, 0x000000}, {1, 0, 0xFFFFFF}, {2, 0, 0x7F7F7F}}},
        // 0xFF00, 0x80FF, 0x0010 / 0x1234, 0x0000, 0xFFFF: high bytes kept.
        {u"rgb16.png", 2, 1, 0, {{0, 0, 0xFF8000}, {1, 0, 0x1200FF}}},
        // 4-bit grey, Adam7, value (x + 2y) mod 16: one pixel of each pass.
        {u"gris_entrelace.png", 9, 9, 0,
         {{0, 0, 0x000000}, {4, 0, 0x444444}, {0, 4, 0x888888}, {2, 0, 0x222222},
          {0, 2, 0x444444}, {1, 0, 0x111111}, {8, 7, 0x666666}}},
        {u"couleur.jpg", 16, 16, 4, {{0, 0, 0xFF0000}, {15, 0, 0x00FF00}, {0, 15, 0x0000FF}, {15, 15, 0xFFFFFF}}},
        {u"gris.jpg", 8, 8, 2, {{0, 0, 0x323232}, {7, 7, 0xC8C8C8}}},
        // Adobe CMYK, values stored inverted: red ink on the left, blue on the right.
        {u"cmyk.jpg", 16, 8, 3, {{0, 0, 0xFF0000}, {15, 7, 0x0000FF}}},
        {u"couleur.bmp", 4, 3, 0, {{0, 0, 0xFF0000}, {2, 0, 0x0000FF}, {1, 2, 0x3264C8}}},
    };
    for (const auto &c : cas) {
        SCOPED_TRACE(QString::fromUtf16(c.fichier).toStdString());
        QImage image;
        ASSERT_TRUE(ChargeImage(image, Fixture(c.fichier)));
        EXPECT_EQ(image.format(), QImage::Format_RGB888);
        ASSERT_EQ(image.size(), QSize(c.largeur, c.hauteur));
        for (const PixelAttendu &p : c.pixels)
            EXPECT_TRUE(Pixel(image, p.x, p.y, p.couleur, c.tolerance));
    }
}

TEST_F(Images, FichiersAbimesRefusesSansToucherLImage)
{
    const char16_t *fichiers[] = {
        u"rgb_tronque.png", u"rgb_corrompu.png", u"couleur_tronque.jpg", u"couleur_corrompu.jpg",
        u"couleur_tronque.bmp", u"couleur_corrompu.bmp",
        u"png_nomme.jpg", // PNG content under a JPEG name
        // Headers claiming 20000 x 20000 with a few bytes of data.
        u"geante.png", u"geante.jpg",
        // 10001 x 10000, complete (its RLE data ends at once): refused for its size.
        u"geante.bmp",
    };
    QImage avant(2, 2, QImage::Format_RGB32);
    avant.fill(0x123456);
    for (const char16_t *fichier : fichiers) {
        SCOPED_TRACE(QString::fromUtf16(fichier).toStdString());
        QImage image = avant;
        EXPECT_FALSE(ChargeImage(image, Fixture(fichier)));
        EXPECT_EQ(image, avant);
    }
    // A named pipe or a device under a picture's name is never opened.
    for (const QString &extension : {u".png"_s, u".jpg"_s, u".bmp"_s}) {
        for (const QString &chemin : CheminsSpeciaux(m_dossier.path(), extension).mid(0, 2)) {
            SCOPED_TRACE(chemin.toStdString());
            QImage image = avant;
            EXPECT_FALSE(ChargeImage(image, chemin));
            EXPECT_EQ(image, avant);
        }
    }
}

TEST_F(Images, NomsDeFichiers)
{
    const QByteArray png = Octets(Fixture(u"rgb.png"));
    const struct { const char16_t *nom; QByteArray octets; bool charge; } cas[] = {
        // Empty files are among the cuts below.
        {u"image.gif", png, false}, {u"image", png, false}, {u"image.png.txt", png, false},
        {u"MAJUSCULES.PNG", png, true}, {u"photo.Jpeg", Octets(Fixture(u"couleur.jpg")), true},
    };
    for (const auto &c : cas) {
        SCOPED_TRACE(QString::fromUtf16(c.nom).toStdString());
        const QString chemin = Chemin(QString::fromUtf16(c.nom));
        ASSERT_TRUE(Ecrit(chemin, c.octets));
        QImage image;
        EXPECT_EQ(ChargeImage(image, chemin), c.charge);
    }
    QImage image;
    // Missing, and a folder named like a picture.
    ASSERT_TRUE(QDir().mkdir(Chemin(u"dossier.png"_s)));
    for (const QString &chemin : {Chemin(u"absent.png"_s), Chemin(u"dossier.png"_s)})
        EXPECT_FALSE(ChargeImage(image, chemin)) << qPrintable(chemin);
    EXPECT_TRUE(image.isNull());
}

// Every cut of a valid file before the end of its picture data is refused,
// and no cut or damaged byte crashes or leaks (run under ASan).
TEST_F(Images, CoupuresEtOctetsAbimes)
{
    // With the bytes at the end that the picture does not need.
    const struct { const char16_t *fichier; qsizetype inutiles; } cas[] = {
        {u"rgb.png", 12 /* IEND */}, {u"couleur.jpg", 0}, {u"couleur.bmp", 0}};
    for (const auto &c : cas) {
        const QString nom = QString::fromUtf16(c.fichier);
        const QString copie = Chemin(nom);
        const QByteArray octets = Octets(Fixture(nom));
        ASSERT_FALSE(octets.isEmpty());
        for (qsizetype taille = 0; taille < octets.size() - c.inutiles; ++taille) {
            ASSERT_TRUE(Ecrit(copie, octets.left(taille)));
            QImage image;
            EXPECT_FALSE(ChargeImage(image, copie)) << qPrintable(nom) << " cut at " << taille;
        }
        for (qsizetype i = 0; i < octets.size(); ++i) {
            QByteArray abime = octets;
            abime[i] = char(abime[i] ^ 0x5A);
            ASSERT_TRUE(Ecrit(copie, abime));
            QImage image;
            if (ChargeImage(image, copie)) {
                EXPECT_EQ(image.format(), QImage::Format_RGB888) << qPrintable(nom) << " byte " << i;
            }
        }
    }
}

// The size checked is the size the decoder will make, judged from the
// content whatever the name: a GIF's logical screen, not its first frame.
TEST_F(Images, LaTailleDecodeeEstCelleDuContenuQuelQueSoitLeNom)
{
    const QByteArray png = Octets(Fixture(u"rgb.png"));
    const struct {
        const char16_t *nom;
        QByteArray octets;
        bool chargeImage;  // by the name's kind
        QSize qt;          // through Qt's readers; invalid when refused
    } cas[] = {
        // 16,383 x 16,383 pixels (1 GB) from 43 bytes, under any name.
        {u"ecran.gif", Gif(16'383, 16'383), false, {}},
        {u"ecran.bmp", Gif(16'383, 16'383), false, {}},
        {u"ecran.png", Gif(16'383, 16'383), false, {}},
        // No screen size: the frame's far corner sets it.
        {u"cadre.gif", Gif(0, 0, 16'000, 16'000), false, {}},
        {u"juste.gif", Gif(10'001, 10'000), false, {}},
        // Small pictures under another kind's name: read by their content
        // through Qt's readers, refused by a loader that goes by the name.
        {u"petit.gif", Gif(3, 2), false, {3, 2}},
        {u"petit.bmp", Gif(3, 2), false, {3, 2}},
        {u"cadre_seul.gif", Gif(0, 0, 4, 1), false, {5, 2}},
        {u"png.bmp", png, false, {4, 3}},
        {u"png.gif", png, false, {4, 3}},
        // Headers claiming 20000 x 20000, under their own and other names.
        {u"geante.png", Octets(Fixture(u"geante.png")), false, {}},
        {u"geante.jpg", Octets(Fixture(u"geante.jpg")), false, {}},
        {u"geante.bmp", Octets(Fixture(u"geante.bmp")), false, {}},
        {u"geante_png.bmp", Octets(Fixture(u"geante.png")), false, {}},
        {u"geante_jpeg.bmp", Octets(Fixture(u"geante.jpg")), false, {}},
        {u"texte.gif", "GIF89a", false, {}},
        {u"texte.bmp", "BM", false, {}},
        // Rows and row length whose product lies beyond 64 bits.
        {u"debordement.bmp", BmpCourt(0x7FFFFFFF, 0x7FFFFFFF, 32), false, {}},
        {u"debordement_bas.bmp", BmpCourt(0x7FFFFFFF, qint32(0x80000000), 32), false, {}},
    };
    for (const auto &c : cas) {
        SCOPED_TRACE(QString::fromUtf16(c.nom).toStdString());
        const QString chemin = Chemin(QString::fromUtf16(c.nom));
        ASSERT_TRUE(Ecrit(chemin, c.octets));
        QImage image;
        EXPECT_EQ(ChargeImage(image, chemin), c.chargeImage);
        for (const QSize boite : {QSize(), QSize(3, 3)}) {
            QImage lue(1, 1, QImage::Format_RGB32);
            EXPECT_EQ(ChargeImageQt(lue, chemin, boite), c.qt.isValid()) << boite.width();
            if (c.qt.isValid())
                EXPECT_EQ(lue.size(), boite.isValid() ? c.qt.scaled(boite, Qt::KeepAspectRatio).boundedTo(c.qt) : c.qt);
            else
                EXPECT_EQ(lue.size(), QSize(1, 1));
        }
    }
    // Every valid picture reads at the size the decoders of ChargeImage give.
    for (const char16_t *nom : {u"rgb.png", u"palette.png", u"gris_entrelace.png", u"couleur.jpg", u"gris.jpg",
                                u"cmyk.jpg", u"couleur.bmp"}) {
        SCOPED_TRACE(QString::fromUtf16(nom).toStdString());
        QImage attendue, lue;
        ASSERT_TRUE(ChargeImage(attendue, Fixture(nom)));
        ASSERT_TRUE(ChargeImageQt(lue, Fixture(nom)));
        EXPECT_EQ(lue.size(), attendue.size());
    }
    // A named pipe is never opened.
    for (const QString &chemin : CheminsSpeciaux(m_dossier.path(), u".gif"_s).mid(0, 2)) {
        QImage image;
        EXPECT_FALSE(ChargeImageQt(image, chemin)) << chemin.toStdString();
    }
}

// 100 megapixels are read, one more pixel row is refused. A 24-bit BMP of
// 5900 x 5900 takes 133 MB once read by Qt (32 bits per pixel), above Qt's
// default limit of 128 MB: it is read too. The BMP file is sparse.
TEST_F(Images, LimitesDeTaille)
{
    const QString chemin = Chemin(u"limite.png"_s);
    QImage image;
    ASSERT_TRUE(EcritPngNoir(chemin, 10'001, 10'000));
    EXPECT_FALSE(ChargeImage(image, chemin));
    ASSERT_TRUE(EcritPngNoir(chemin, 10'000, 10'000));
    ASSERT_TRUE(ChargeImage(image, chemin));
    EXPECT_EQ(image.size(), QSize(10'000, 10'000));
    EXPECT_TRUE(Pixel(image, 9'999, 9'999, 0x000000));

    constexpr quint32 kCote = 5900, kPixels = kCote * kCote * 3; // rows need no padding
    QFile f(Chemin(u"grande.bmp"_s));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    QDataStream flux(&f);
    flux.setByteOrder(QDataStream::LittleEndian);
    flux << quint16(0x4D42) << quint32(54 + kPixels) << quint32(0) << quint32(54) // "BM"
         << quint32(40) << kCote << kCote << quint16(1) << quint16(24) << quint32(0) << kPixels
         << quint32(0) << quint32(0) << quint32(0) << quint32(0);
    ASSERT_TRUE(f.resize(54 + qint64(kPixels)));
    f.close();
    ASSERT_TRUE(ChargeImage(image, f.fileName()));
    EXPECT_EQ(image.size(), QSize(kCote, kCote));
    EXPECT_TRUE(Pixel(image, kCote - 1, kCote - 1, 0x000000));
}

// Failed writes leave the old file alone; a good one replaces it, leaving
// no temporary or backup file behind.
TEST_F(Images, EcritPngAtomique)
{
    const QString chemin = Chemin(u"vignette.png"_s);
    ASSERT_TRUE(Ecrit(chemin, "ancien contenu"));
    QImage image(3, 2, QImage::Format_ARGB32);
    image.fill(qRgba(10, 20, 30, 255));
    image.setPixel(1, 0, qRgba(200, 0, 100, 255));
    image.setPixel(2, 1, qRgba(0, 0, 0, 0));
    QImage tropLarge(1'000'001, 1, QImage::Format_RGB888); // beyond libpng's width limit
    tropLarge.fill(Qt::black);

    EXPECT_FALSE(EcritPng(QImage(), chemin));
    EXPECT_FALSE(EcritPng(tropLarge, chemin));
    EXPECT_FALSE(EcritPng(image, chemin + u"/sous-dossier.png"_s));
    EXPECT_EQ(Octets(chemin), "ancien contenu");
    EXPECT_EQ(Fichiers(), QStringList{u"vignette.png"_s});

    ASSERT_TRUE(EcritPng(image, chemin));
    QImage relue;
    ASSERT_TRUE(ChargeImage(relue, chemin));
    ASSERT_EQ(relue.size(), QSize(3, 2));
    EXPECT_TRUE(Pixel(relue, 0, 0, 0x0A141E));
    EXPECT_TRUE(Pixel(relue, 1, 0, 0xC80064));
    EXPECT_TRUE(Pixel(relue, 2, 1, 0xFFFFFF)); // transparent: white
    EXPECT_EQ(Fichiers(), QStringList{u"vignette.png"_s});
}

TEST_F(Images, EcritPngDansUnDossierProtegeLaisseLAncienFichier)
{
    const QString chemin = Chemin(u"vignette.png"_s);
    ASSERT_TRUE(Ecrit(chemin, "ancien contenu"));
    const auto droits = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
    ASSERT_TRUE(QFile::setPermissions(m_dossier.path(), droits & ~QFile::WriteOwner));
    if (QFile essai(Chemin(u"essai"_s)); essai.open(QIODevice::WriteOnly)) {
        essai.remove();
        QFile::setPermissions(m_dossier.path(), droits);
        GTEST_SKIP() << "folder permissions are not enforced for this user (root)";
    }
    QImage petite(2, 2, QImage::Format_RGB32);
    petite.fill(Qt::red);
    EXPECT_FALSE(EcritPng(petite, chemin));
    EXPECT_EQ(Octets(chemin), "ancien contenu");
    QFile::setPermissions(m_dossier.path(), droits);
}

TEST_F(Images, ChargeImageEtireeGardeTailleEtFormat)
{
    QImage image(32, 4, QImage::Format_RGB32);
    image.fill(Qt::green);
    ASSERT_TRUE(ChargeImageEtiree(image, Fixture(u"cmyk.jpg")));
    EXPECT_EQ(image.size(), QSize(32, 4));
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    EXPECT_TRUE(Pixel(image, 0, 0, 0xFF0000, 3));
    EXPECT_TRUE(Pixel(image, 31, 3, 0x0000FF, 3));

    const QImage avant = image;
    EXPECT_FALSE(ChargeImageEtiree(image, Fixture(u"rgb_tronque.png")));
    EXPECT_FALSE(ChargeImageEtiree(image, Fixture(u"absent.png")));
    EXPECT_EQ(image, avant);

    QImage nulle;
    EXPECT_FALSE(ChargeImageEtiree(nulle, Fixture(u"rgb.png")));
    EXPECT_TRUE(nulle.isNull());

    // Metafiles are played on white over the whole picture, in its format;
    // one that cannot be read leaves the picture as it was.
    aideemf::Emf emf;
    emf.Brosse(1, 0, aideemf::Ref(255, 0, 0)).Choisit(1).Choisit(0x80000008);
    emf.Rect(emr::Rectangle, QRect(QPoint(0, 0), QPoint(100, 150)));
    ASSERT_TRUE(emf.Ecrit(Chemin(u"moitie.EMF"_s)));
    image.fill(Qt::green);
    ASSERT_TRUE(ChargeImageEtiree(image, Chemin(u"moitie.EMF"_s)));
    EXPECT_EQ(image.size(), QSize(32, 4));
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    EXPECT_TRUE(Pixel(image, 0, 0, 0xFF0000));
    EXPECT_TRUE(Pixel(image, 15, 3, 0xFF0000));
    EXPECT_TRUE(Pixel(image, 16, 0, 0xFFFFFF));
    EXPECT_TRUE(Pixel(image, 31, 3, 0xFFFFFF));
    QFile abime(Chemin(u"abime.wmf"_s));
    ASSERT_TRUE(abime.open(QIODevice::WriteOnly));
    abime.write("pas un métafichier");
    abime.close();
    const QImage avantMeta = image;
    for (const QString &metafichier : {Chemin(u"abime.wmf"_s), Chemin(u"absent.emf"_s)}) {
        EXPECT_FALSE(ChargeImageEtiree(image, metafichier));
        EXPECT_EQ(image, avantMeta);
    }
}

TEST(DessineBitmapEtire, EtLogiqueDesCouleurs)
{
    // Stretched over x = 1 to 6: white leaves the background, black stays
    // black, another colour masks it.
    QImage motif(3, 1, QImage::Format_RGB888);
    motif.setPixel(0, 0, 0xFFFFFF);
    motif.setPixel(1, 0, 0x000000);
    motif.setPixel(2, 0, 0x0F0FF0);
    constexpr QRgb kFond = 0x3366CC, kMasque = kFond & 0x0F0FF0;
    const QRgb attendus[8] = {kFond, kFond, kFond, 0, 0, kMasque, kMasque, kFond};
    for (const QImage::Format format : {QImage::Format_RGB32, QImage::Format_RGB888}) {
        SCOPED_TRACE(int(format));
        QImage fond(8, 2, format);
        fond.fill(QColor(kFond));
        {
            QPainter painter(&fond);
            DessineBitmapEtire(painter, QRect(1, 0, 6, 2), motif);
            EXPECT_EQ(painter.compositionMode(), QPainter::CompositionMode_SourceOver);
        }
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 8; ++x)
                EXPECT_TRUE(Pixel(fond, x, y, attendus[x]));
    }
}

TEST(FitRect, Table)
{
    const struct { int largeurBoite, hauteurBoite, largeurImage, hauteurImage; QRect attendu; } cas[] = {
        {10, 10, 4, 3, {0, 1, 10, 8}},  // height 7.5 -> 8
        {3, 10, 2, 3, {0, 3, 3, 4}},    // height 4.5 -> 4
        {10, 3, 3, 2, {3, 0, 4, 3}},    // width 4.5 -> 4
        {10, 3, 5, 2, {1, 0, 8, 3}},    // width 7.5 -> 8
        {20, 10, 2, 1, {0, 0, 20, 10}}, // same proportions
        {11, 4, 1, 1, {3, 0, 4, 4}},    // left 3.5 truncated
        {10, 10, 1000, 1, {0, 5, 10, 0}},
        {2'000'000'000, 1, 1, 2'000'000'000, {1'000'000'000, 0, 0, 1}},
        {1, 2'000'000'000, 2'000'000'000, 1, {0, 1'000'000'000, 1, 0}},
    };
    for (const auto &c : cas) {
        QRect rect;
        EXPECT_TRUE(FitRect(c.largeurBoite, c.hauteurBoite, c.largeurImage, c.hauteurImage, rect));
        EXPECT_EQ(rect, c.attendu) << c.largeurBoite << "x" << c.hauteurBoite << " "
                                   << c.largeurImage << "x" << c.hauteurImage;
    }
    const int refuses[][4] = {{10, 0, 4, 3}, {10, 10, 4, 0}, {0, 10, 4, 3},
                              {10, 10, 0, 3}, {-10, 10, 4, 3}, {10, 10, 4, -3}};
    for (const auto &r : refuses) {
        QRect rect(7, 7, 7, 7);
        EXPECT_FALSE(FitRect(r[0], r[1], r[2], r[3], rect));
        EXPECT_EQ(rect, QRect(7, 7, 7, 7));
    }
}
