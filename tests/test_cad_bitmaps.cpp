// The bitmap helpers of the designs: loading pictures, turning them, masks,
// lighter colours and drawing with a transparent colour.

#include "AideCAD.h"
#include "Bitmaps.h"
#include "Images.h"

#include <cmath>
#include <gtest/gtest.h>

#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;
using namespace aidecad;

namespace {

constexpr TColor Vert = CouleurRGB(0, 160, 0);

QString Fixture(const QString &nom)
{
    return QString::fromUtf8(LIGNEE_FIXTURES) + u"/images/"_s + nom;
}

QImage Motif(int w, int h)
{
    QImage image(w, h, FormatBitmap);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(x * 255 / w, y * 255 / h, (x * 7 + y * 13) % 256));
    }
    return image;
}

} // namespace

// Pictures of every kind load as opaque bitmaps; damaged, truncated and
// unknown files give false and leave the bitmap's picture as it was, in the
// bitmap format.
TEST(Bitmaps, LoadPicture)
{
    QTemporaryDir dossier;
    QImage transparente(4, 4, QImage::Format_ARGB32);
    transparente.fill(qRgba(255, 0, 0, 128));
    const QString demiRouge = dossier.filePath(u"demi.PNG"_s);
    ASSERT_TRUE(transparente.save(demiRouge, "PNG"));
    const QString gif = dossier.filePath(u"image.gif"_s);
    ASSERT_TRUE(QFile::copy(Fixture(u"rgb.png"_s), gif));

    struct Cas {
        QString fichier;
        bool charge;
    } const cas[] = {
        {Fixture(u"rgb.png"_s), true},
        {Fixture(u"couleur.jpg"_s), true},
        {Fixture(u"couleur.bmp"_s), true},
        {Fixture(u"gris_alpha.png"_s), true},
        {demiRouge, true},
        {Fixture(u"rgb_tronque.png"_s), false},
        {Fixture(u"rgb_corrompu.png"_s), false},
        {Fixture(u"couleur_tronque.jpg"_s), false},
        {Fixture(u"couleur_corrompu.jpg"_s), false},
        {Fixture(u"couleur_tronque.bmp"_s), false},
        {gif, false},
        {dossier.filePath(u"absente.jpg"_s), false},
    };
    for (const Cas &c : cas) {
        QImage bitmap(3, 2, QImage::Format_RGB888);
        bitmap.fill(qRgb(1, 2, 3));
        EXPECT_EQ(LoadPicture(bitmap, c.fichier), c.charge) << c.fichier.toStdString();
        EXPECT_EQ(bitmap.format(), FormatBitmap) << c.fichier.toStdString();
        if (!c.charge) {
            EXPECT_EQ(bitmap.size(), QSize(3, 2));
            EXPECT_EQ(bitmap.pixel(2, 1), qRgb(1, 2, 3));
        } else {
            EXPECT_EQ(bitmap.size(), QImageReader(c.fichier).size()) << c.fichier.toStdString();
        }
    }
    // Half-transparent red is composed onto white.
    QImage bitmap;
    ASSERT_TRUE(LoadPicture(bitmap, demiRouge));
    EXPECT_NEAR(qGreen(bitmap.pixel(1, 1)), 127, 2);
    EXPECT_EQ(qRed(bitmap.pixel(1, 1)), 255);
}

// Quarter and half turns move every pixel onto a pixel; the picture turns
// counter-clockwise on screen; other angles enlarge the bitmap and leave the
// corners in the background colour.
TEST(Bitmaps, RotateBitmap)
{
    const QImage src = Motif(100, 50);
    const TColor fond = CouleurRGB(7, 8, 9);
    struct Cas {
        double angle;
        QSize taille;
        std::function<QPoint(int, int)> source; // the source pixel of a destination pixel
    } const cas[] = {
        {0, QSize(100, 50), [](int x, int y) { return QPoint(x, y); }},
        {360, QSize(100, 50), [](int x, int y) { return QPoint(x, y); }},
        {-720, QSize(100, 50), [](int x, int y) { return QPoint(x, y); }},
        {90, QSize(50, 100), [](int x, int y) { return QPoint(99 - y, x); }},
        {-270, QSize(50, 100), [](int x, int y) { return QPoint(99 - y, x); }},
        {180, QSize(100, 50), [](int x, int y) { return QPoint(99 - x, 49 - y); }},
        {270, QSize(50, 100), [](int x, int y) { return QPoint(y, 49 - x); }},
    };
    for (const Cas &c : cas) {
        const QImage t = RotateBitmap(src, fond, c.angle);
        ASSERT_EQ(t.size(), c.taille) << c.angle;
        for (int y = 0; y < t.height(); ++y) {
            for (int x = 0; x < t.width(); ++x) {
                const QPoint p = c.source(x, y);
                ASSERT_EQ(t.pixel(x, y), src.pixel(p)) << c.angle << " : " << x << "," << y;
            }
        }
    }

    const QImage carre = Motif(100, 100);
    const QImage t = RotateBitmap(carre, fond, 45);
    EXPECT_EQ(t.size(), QSize(141, 141));
    for (const QPoint coin : {QPoint(2, 2), QPoint(138, 2), QPoint(138, 138), QPoint(2, 138)})
        EXPECT_TRUE(Est(t, coin.x(), coin.y(), fond)) << coin.x() << "," << coin.y();
    EXPECT_EQ(t.pixel(70, 70), carre.pixel(50, 50));
    // The source's top-right corner ends at the top.
    EXPECT_LT(BoiteDe(t, CouleurRGB(qRed(carre.pixel(99, 0)), qGreen(carre.pixel(99, 0)), qBlue(carre.pixel(99, 0))))
                  .top(),
              3);
    EXPECT_TRUE(RotateBitmap(QImage(), fond, 10).isNull());
    EXPECT_EQ(RotateBitmap(src, fond, std::nan("")), src);
}

// White areas of the mask, stretched to the bitmap, become magenta; other
// colours, near-white included, leave the bitmap as it was.
TEST(Bitmaps, ApplyMask)
{
    const QImage src = Motif(40, 20);
    QImage bitmap = src;
    QImage masque(4, 2, QImage::Format_RGB888);
    masque.fill(Qt::black);
    masque.setPixel(0, 0, qRgb(255, 255, 255));
    masque.setPixel(1, 0, qRgb(255, 255, 255));
    masque.setPixel(0, 1, qRgb(254, 255, 255));
    ApplyMask(bitmap, masque);
    EXPECT_EQ(BoiteDe(bitmap, CouleurMagenta), QRect(0, 0, 20, 10));
    EXPECT_EQ(Compte(bitmap, CouleurMagenta), 200);
    EXPECT_EQ(bitmap.pixel(5, 15), src.pixel(5, 15));
    EXPECT_EQ(bitmap.pixel(30, 5), src.pixel(30, 5));

    QImage inchangee = src;
    ApplyMask(inchangee, QImage());
    EXPECT_EQ(inchangee, src);
}

TEST(Bitmaps, LightenColor)
{
    struct Cas {
        TColor couleur;
        int pourcent;
        TColor attendu;
    } const cas[] = {
        {CouleurRGB(200, 100, 0), 50, CouleurRGB(255, 150, 0)},
        {CouleurRGB(200, 100, 0), -50, CouleurRGB(100, 50, 0)},
        {CouleurRGB(255, 255, 255), -25, CouleurRGB(191, 191, 191)},
        {CouleurRGB(10, 20, 30), -5, CouleurRGB(10, 19, 28)},
        {CouleurRGB(10, 20, 30), 0, CouleurRGB(10, 20, 30)},
        {CouleurRGB(10, 20, 30), -300, CouleurNoire},
    };
    for (const Cas &c : cas)
        EXPECT_EQ(LightenColor(c.couleur, c.pourcent), c.attendu) << c.couleur << " " << c.pourcent;
}

// Drawn with a transparent colour, a picture lets the surface show through
// its pixels of that colour, stretched pixel by pixel; printed, it is copied
// whole.
TEST(Bitmaps, DessinTransparentEtImpression)
{
    QImage image(2, 1, FormatBitmap);
    image.setPixel(0, 0, qRgb(255, 0, 0));
    image.setPixel(1, 0, qRgb(255, 0, 255));
    const auto surVert = [&](const std::function<void(TCanevas &)> &dessin) {
        return Dessine(QSize(20, 10), [&](TCanevas &c) {
            c.SetStylo(TStylo{Vert, 1, StyloPlein});
            c.SetPinceau(TPinceau{Vert, PinceauPlein});
            c.Rectangle(0, 0, 20, 10);
            dessin(c);
        });
    };
    QImage dessin = surVert([&](TCanevas &c) { DessineTransparent(c, QRect(5, 2, 10, 4), image, CouleurMagenta); });
    EXPECT_EQ(BoiteDe(dessin, CouleurRouge), QRect(5, 2, 5, 4));
    EXPECT_EQ(Compte(dessin, CouleurMagenta), 0);
    EXPECT_EQ(Compte(dessin, Vert), 200 - 20);

    dessin = surVert([&](TCanevas &c) { PrintBitmap(c, QRect(5, 2, 10, 4), image); });
    EXPECT_EQ(BoiteDe(dessin, CouleurMagenta), QRect(10, 2, 5, 4));
    dessin = surVert([&](TCanevas &c) { PrintBitmap(c, QRect(5, 2, 10, 4), RendTransparent(image, CouleurMagenta)); });
    EXPECT_EQ(Compte(dessin, Vert), 200 - 40);

    const QImage t = RendTransparent(image, CouleurMagenta);
    EXPECT_EQ(qAlpha(t.pixel(1, 0)), 0);
    EXPECT_EQ(t.pixel(0, 0), qRgba(255, 0, 0, 255));
}

// Stretched smoothly with a transparent colour, a picture blends only its
// other colours: every pixel is that colour exactly or a blend of the
// others, and the part that shows keeps its share of the picture.
TEST(Bitmaps, EtireTransparentSansMelange)
{
    // Red and blue stripes on a green key, reduced and enlarged.
    QImage image(90, 60, FormatBitmap);
    image.fill(qRgb(0, 255, 0));
    for (int x = 10; x < 70; ++x)
        for (int y = 0; y < 60; ++y)
            if ((x / 5 + y / 7) % 3 != 0)
                image.setPixel(x, y, (x / 5) % 2 ? qRgb(255, 0, 0) : qRgb(0, 0, 255));
    const TColor cle = CouleurRGB(0, 255, 0);
    for (const QSize taille : {QSize(37, 23), QSize(60, 40), QSize(200, 130)}) {
        const QImage etiree = EtireTransparent(image, taille, cle);
        ASSERT_EQ(etiree.size(), taille);
        EXPECT_EQ(etiree.format(), FormatBitmap);
        int montres = 0;
        int melanges = 0;
        for (int y = 0; y < taille.height(); ++y)
            for (int x = 0; x < taille.width(); ++x) {
                const QRgb c = etiree.pixel(x, y);
                if (c == qRgb(0, 255, 0))
                    continue;
                ++montres;
                melanges += qGreen(c) != 0;
            }
        EXPECT_EQ(melanges, 0) << taille.width();
        const int cleSource = Compte(image, cle);
        const double part = 1.0 - double(cleSource) / (90 * 60);
        EXPECT_NEAR(montres, part * taille.width() * taille.height(), 0.06 * taille.width() * taille.height())
            << taille.width();
    }
    EXPECT_TRUE(EtireTransparent(QImage(), QSize(5, 5), cle).isNull());
    EXPECT_TRUE(EtireTransparent(image, QSize(0, 5), cle).isNull());
}

TEST(Bitmaps, NouveauBitmap)
{
    const QImage b = NouveauBitmap(QSize(30, 20));
    EXPECT_EQ(b.format(), FormatBitmap);
    EXPECT_EQ(Compte(b, CouleurBlanche), 600);
    for (const QSize t : {QSize(0, 5), QSize(5, -1), QSize(CoteMaxBitmap + 1, 1), QSize(1, CoteMaxBitmap + 1)})
        EXPECT_TRUE(NouveauBitmap(t).isNull()) << t.width() << "x" << t.height();
}
