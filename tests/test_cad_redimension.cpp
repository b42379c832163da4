// The filtered resampling against reference tables made outside the program
// (tests/fixtures/redimension/reference.py): the filter curves as
// ImageMagick draws them, and rows resampled by an independent NumPy
// implementation of the method.

#include <cmath>
#include <random>

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QString>
#include <QStringList>

#include "BitmapFX.h"

using namespace Qt::StringLiterals;

namespace {

QStringList LignesDe(const QString &nom)
{
    QFile f(QString::fromUtf8(LIGNEE_FIXTURES) + u"/redimension/"_s + nom);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QStringList lignes;
    for (const QString &l : QString::fromLatin1(f.readAll()).split(u'\n', Qt::SkipEmptyParts)) {
        if (!l.startsWith(u'#'))
            lignes.append(l);
    }
    return lignes;
}

int IndiceFiltre(const QString &nom)
{
    for (int i = 0; i < TBitmapFX::NombreFiltres; ++i) {
        if (nom == QString::fromUtf16(TBitmapFX::Filtres()[size_t(i)].Nom))
            return i;
    }
    return -1;
}

QImage Uni(QSize taille, QRgb couleur)
{
    QImage image(taille, QImage::Format_RGB32);
    image.fill(couleur);
    return image;
}

} // namespace

// The curves agree with ImageMagick's to its printed precision, on both
// sides of 0 (the Box filter is 1 at +0.5 and 0 at -0.5), and each filter's
// support is the one ImageMagick uses.
TEST(Redimension, CourbesDesFiltres)
{
    const QStringList lignes = LignesDe(u"courbes.txt"_s);
    ASSERT_GT(lignes.size(), 1000);
    double dernierT[TBitmapFX::NombreFiltres] = {};
    for (const QString &ligne : lignes) {
        const QStringList champs = ligne.split(u' ');
        ASSERT_EQ(champs.size(), 3) << ligne.toStdString();
        const int indice = IndiceFiltre(champs[0]);
        ASSERT_GE(indice, 0) << ligne.toStdString();
        const TFiltre &f = TBitmapFX::Filtres()[size_t(indice)];
        const double t = champs[1].toDouble();
        const double attendu = champs[2].toDouble();
        dernierT[indice] = std::max(dernierT[indice], t);
        EXPECT_NEAR(f.Fonction(t), attendu, 1e-4) << ligne.toStdString();
        if (t < f.Support) {
            EXPECT_NEAR(f.Fonction(-t), attendu, 1e-4) << "-" << ligne.toStdString();
        }
    }
    for (int i = 0; i < TBitmapFX::NombreFiltres; ++i) {
        const TFiltre &f = TBitmapFX::Filtres()[size_t(i)];
        EXPECT_DOUBLE_EQ(dernierT[i], f.Support) << i;
        EXPECT_EQ(f.Fonction(f.Support + 0.01), 0.0) << i;
        EXPECT_EQ(f.Fonction(-f.Support - 0.01), 0.0) << i;
    }
    EXPECT_EQ(TBitmapFX::Filtres()[FiltreBox].Fonction(-0.5), 0.0);
}

// Rows and, turned into columns, the same values: reductions, enlargements,
// the same size, sides of 1, constant rows and sharp edges, for every filter.
// A pass rounds to whole values: within half a level plus float error.
TEST(Redimension, LignesContreLaReference)
{
    const QStringList lignes = LignesDe(u"lignes.txt"_s);
    ASSERT_GT(lignes.size(), 100);
    for (const QString &ligne : lignes) {
        const QStringList parties = ligne.split(u" | "_s);
        ASSERT_EQ(parties.size(), 3) << ligne.toStdString();
        const QStringList tete = parties[0].split(u' ');
        const int filtre = tete[0].toInt();
        const double support = tete[1].toDouble();
        const int n = tete[2].toInt();
        const int m = tete[3].toInt();
        const QStringList source = parties[1].split(u' ');
        const QStringList attendu = parties[2].split(u' ');
        ASSERT_EQ(source.size(), 3 * n);
        ASSERT_EQ(attendu.size(), 3 * m);
        const std::string cas = parties[0].toStdString();

        for (const bool colonne : {false, true}) {
            QImage src(colonne ? QSize(1, n) : QSize(n, 1), QImage::Format_RGB32);
            for (int i = 0; i < n; ++i) {
                const QRgb c = qRgb(source[3 * i].toInt(), source[3 * i + 1].toInt(), source[3 * i + 2].toInt());
                src.setPixel(colonne ? 0 : i, colonne ? i : 0, c);
            }
            QImage dst(colonne ? QSize(1, m) : QSize(m, 1), QImage::Format_RGB32);
            ASSERT_TRUE(TBitmapFX::Stretch(src, dst, filtre, support)) << cas;
            ASSERT_EQ(dst.size(), colonne ? QSize(1, m) : QSize(m, 1));
            for (int i = 0; i < m; ++i) {
                const QRgb c = dst.pixel(colonne ? 0 : i, colonne ? i : 0);
                const int obtenu[3] = {qRed(c), qGreen(c), qBlue(c)};
                for (int k = 0; k < 3; ++k) {
                    EXPECT_NEAR(obtenu[k], attendu[3 * i + k].toDouble(), 0.51)
                        << cas << (colonne ? " colonne" : " ligne") << ", pixel " << i << ", canal " << k;
                }
            }
        }
    }
}

// Whole pictures: a uniform colour stays uniform whatever the sizes and the
// filter, including sides of 1 both ways.
TEST(Redimension, UniResteUni)
{
    const QSize tailles[][2] = {
        {QSize(40, 30), QSize(9, 7)},  {QSize(9, 7), QSize(40, 31)}, {QSize(50, 20), QSize(1, 1)},
        {QSize(1, 1), QSize(17, 5)},  {QSize(30, 1), QSize(1, 12)}, {QSize(3, 80), QSize(2, 1)},
    };
    const QRgb couleur = qRgb(201, 13, 254);
    for (int filtre = 0; filtre < TBitmapFX::NombreFiltres; ++filtre) {
        for (const auto &t : tailles) {
            QImage dst = Uni(t[1], qRgb(0, 0, 0));
            ASSERT_TRUE(TBitmapFX::Stretch(Uni(t[0], couleur), dst, filtre));
            for (int y = 0; y < dst.height(); ++y) {
                for (int x = 0; x < dst.width(); ++x) {
                    ASSERT_EQ(dst.pixel(x, y), couleur) << filtre << " " << t[0].width() << "x" << t[0].height()
                                                        << " -> " << t[1].width() << "x" << t[1].height();
                }
            }
        }
    }
}

// At its own size the Box filter copies the picture; a picture with
// transparency is composed onto white; the destination keeps its size and
// becomes opaque 32-bit.
TEST(Redimension, MemeTailleEtFormats)
{
    QImage src(23, 17, QImage::Format_RGB888);
    std::mt19937 alea(7);
    for (int y = 0; y < src.height(); ++y) {
        for (int x = 0; x < src.width(); ++x)
            src.setPixel(x, y, qRgb(int(alea() % 256), int(alea() % 256), int(alea() % 256)));
    }
    QImage dst(23, 17, QImage::Format_RGB888);
    ASSERT_TRUE(TBitmapFX::Stretch(src, dst));
    EXPECT_EQ(dst.format(), QImage::Format_RGB32);
    EXPECT_EQ(dst, src.convertToFormat(QImage::Format_RGB32));

    QImage transparente(4, 4, QImage::Format_ARGB32);
    transparente.fill(qRgba(0, 0, 0, 0));
    QImage blanc(2, 2, QImage::Format_RGB32);
    ASSERT_TRUE(TBitmapFX::Stretch(transparente, blanc, FiltreTriangle));
    EXPECT_EQ(blanc.pixel(1, 1), qRgb(255, 255, 255));
}

TEST(Redimension, Refus)
{
    QString erreur;
    QImage dst = Uni(QSize(5, 5), qRgb(1, 2, 3));
    const QImage avant = dst;
    EXPECT_FALSE(TBitmapFX::Stretch(QImage(0, 10, QImage::Format_RGB32), dst, FiltreBox, 0.5, &erreur));
    EXPECT_EQ(erreur, u"Source bitmap too small"_s);
    EXPECT_FALSE(TBitmapFX::Stretch(QImage(), dst, FiltreBox, 0.5));
    const QImage src = Uni(QSize(3, 3), qRgb(9, 9, 9));
    QImage nulle;
    EXPECT_FALSE(TBitmapFX::Stretch(src, nulle));
    for (const auto &[filtre, support] : {std::pair{-1, 1.0}, {TBitmapFX::NombreFiltres, 1.0}, {0, 0.0},
                                          {0, -1.0}, {0, TBitmapFX::SupportMax + 1}, {0, std::nan("")}}) {
        EXPECT_FALSE(TBitmapFX::Stretch(src, dst, filtre, support)) << filtre << " " << support;
    }
    EXPECT_EQ(dst, avant);
}

// Given a band of rows at a time, whatever the bands, the reduction gives
// the pixels of the resampling of the whole source, reducing or enlarging,
// with every filter; rows beyond the source or of another width are
// refused, and the destination is whole only once every row has come.
TEST(Redimension, ParBandesCommeLeTout)
{
    std::mt19937 hasard(7);
    QImage source(61, 97, QImage::Format_RGB32);
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x)
            source.setPixel(x, y, qRgb(int(hasard() % 256), int(hasard() % 256), int(hasard() % 256)));
    const struct {
        QSize destination;
        int filtre, bande;
    } cas[] = {
        {{30, 48}, FiltreBox, 1},   {{30, 48}, FiltreBox, 7},      {{30, 48}, FiltreBox, 97},
        {{31, 49}, FiltreBox, 64},  {{20, 1}, FiltreTriangle, 5},  {{61, 97}, FiltreBox, 10},
        {{90, 150}, FiltreLanczos3, 13}, {{12, 20}, FiltreMitchell, 3}, {{1, 1}, FiltreBSpline, 40},
    };
    for (const auto &c : cas) {
        SCOPED_TRACE(testing::Message() << c.destination.width() << "x" << c.destination.height() << " filtre "
                                        << c.filtre << " bandes de " << c.bande);
        QImage tout(c.destination, QImage::Format_RGB32);
        ASSERT_TRUE(TBitmapFX::Stretch(source, tout, c.filtre));
        QImage parBandes(c.destination, QImage::Format_RGB888);
        TReductionBandes reduction(source.size(), parBandes, c.filtre, TBitmapFX::Filtres()[size_t(c.filtre)].Support);
        EXPECT_FALSE(reduction.Ajoute(source.copy(0, 0, 60, 5), 5));
        for (int haut = 0; haut < source.height(); haut += c.bande) {
            EXPECT_FALSE(reduction.Complete());
            const int n = std::min(c.bande, source.height() - haut);
            ASSERT_TRUE(reduction.Ajoute(source.copy(0, haut, source.width(), c.bande), n));
        }
        EXPECT_TRUE(reduction.Complete());
        EXPECT_FALSE(reduction.Ajoute(source.copy(0, 0, 61, 1), 1));
        EXPECT_EQ(parBandes.format(), QImage::Format_RGB32);
        EXPECT_EQ(parBandes, tout);
    }
    QImage nulle;
    TReductionBandes refusee(source.size(), nulle, FiltreBox, 0.5);
    EXPECT_FALSE(refusee.Ajoute(source, 1));
    EXPECT_FALSE(refusee.Complete());
}
