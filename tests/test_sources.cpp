// The source file field, file kinds and source pictures.

#include "BD.h"
#include "Globales.h"
#include "Sources.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

namespace {

TEST(ChampFichier, TwoLegendsAreWrittenBackIdentically)
{
    const QString champ = u"/photos/acte.jpg|120|45|Jean|3000|2|Marie Dupont"_s;
    const TChampFichier lu = LitChampFichier(champ);
    EXPECT_EQ(lu.Chemin, u"/photos/acte.jpg");
    ASSERT_EQ(lu.Legendes.size(), 2u);
    EXPECT_EQ(lu.Legendes[0].X, 120);
    EXPECT_EQ(lu.Legendes[0].Y, 45);
    EXPECT_EQ(lu.Legendes[1].Texte, u"Marie Dupont");
    EXPECT_EQ(EcritChampFichier(lu), champ);
}

TEST(ChampFichier, ReadingOddFields)
{
    const struct {
        const char *champ;
        const char *chemin;
        std::vector<TLegende> legendes;
    } cas[] = {
        {"", "", {}},
        {"c:\\a.bmp", "c:\\a.bmp", {}},
        {"a.bmp|", "a.bmp", {}},
        {"a.bmp|x|-7|t|", "a.bmp", {{0, -7, u"t"_s}}},     // non-numeric reads as 0
        {"a.bmp| 12 |4.5|t", "a.bmp", {{12, 0, u"t"_s}}},
        {"a.bmp|5", "a.bmp", {{5, 0, QString()}}},          // cut short
        {"|1|2|sans fichier", "", {{1, 2, u"sans fichier"_s}}},
        {"a.bmp|1|2||3|4|", "a.bmp", {{1, 2, QString()}, {3, 4, QString()}}},
    };
    for (const auto &c : cas) {
        const TChampFichier lu = LitChampFichier(QString::fromUtf8(c.champ));
        EXPECT_EQ(lu.Chemin, QString::fromUtf8(c.chemin)) << c.champ;
        ASSERT_EQ(lu.Legendes.size(), c.legendes.size()) << c.champ;
        for (size_t i = 0; i < lu.Legendes.size(); ++i) {
            EXPECT_EQ(lu.Legendes[i].X, c.legendes[i].X) << c.champ;
            EXPECT_EQ(lu.Legendes[i].Y, c.legendes[i].Y) << c.champ;
            EXPECT_EQ(lu.Legendes[i].Texte, c.legendes[i].Texte) << c.champ;
        }
    }
}

TEST(ChampFichier, AtMostAThousandLegendsAndNoSeparatorInATextWritten)
{
    QString champ = u"a.jpg"_s;
    for (int i = 0; i < MaxLegendes + 5; ++i)
        champ += u"|%1|%1|L%1"_s.arg(i);
    TChampFichier lu = LitChampFichier(champ);
    ASSERT_EQ(lu.Legendes.size(), size_t(MaxLegendes));
    EXPECT_EQ(lu.Legendes.back().Texte, u"L999");

    lu.Legendes.resize(1);
    lu.Legendes[0].Texte = u"a|b\r\nc"_s;
    EXPECT_EQ(EcritChampFichier(lu), u"a.jpg|0|0|a b  c");
    lu.Legendes.assign(MaxLegendes + 1, TLegende{1, 1, u"x"_s});
    EXPECT_EQ(LitChampFichier(EcritChampFichier(lu)).Legendes.size(), size_t(MaxLegendes));
}

TEST(GenreMedia, WholeExtensions)
{
    const struct {
        const char *chemin;
        const char *extension;
        TGenreMedia genre;
        bool photo;
    } cas[] = {
        {"/a/acte.jpeg", "JPEG", TGenreMedia::Image, true},
        {"c:\\a\\acte.JPG", "JPG", TGenreMedia::Image, true},
        {"acte.Png", "PNG", TGenreMedia::Image, true},
        {"acte.bmp", "BMP", TGenreMedia::Image, true},
        {"acte.gif", "GIF", TGenreMedia::Image, false},
        {"acte.jpe", "JPE", TGenreMedia::Aucun, false},
        {"acte.jpegx", "JPEGX", TGenreMedia::Aucun, false},
        {"voix.wav", "WAV", TGenreMedia::Son, false},
        {"voix.wave", "WAVE", TGenreMedia::Aucun, false},
        {"film.avi", "AVI", TGenreMedia::Video, false},
        {"/dossier.jpg/fichier", "", TGenreMedia::Aucun, false},
        {"sans", "", TGenreMedia::Aucun, false},
        {"point.", "", TGenreMedia::Aucun, false},
    };
    for (const auto &c : cas) {
        const QString chemin = QString::fromUtf8(c.chemin);
        EXPECT_EQ(ExtensionMaj(chemin), QString::fromUtf8(c.extension)) << c.chemin;
        EXPECT_EQ(GenreMedia(chemin), c.genre) << c.chemin;
        EXPECT_EQ(EstPhotoArbre(chemin), c.photo) << c.chemin;
    }
}

TEST(CheminSource, BareNamesAreLookedForBesideTheDatabase)
{
    QTemporaryDir dossier;
    const QString base = dossier.filePath(u"famille.mvd"_s);
    const QString acte = dossier.filePath(u"acte.jpg"_s);
    QFile(acte).open(QIODevice::WriteOnly);
    FichierCourant = base;
    EXPECT_EQ(CheminSource(u"acte.jpg"_s), acte);
    EXPECT_EQ(CheminSource(acte), acte);
    EXPECT_EQ(CheminSource(u"/ailleurs/acte.jpg"_s), acte); // from another machine
    EXPECT_EQ(CheminSource(u"absent.jpg"_s), QString());
    EXPECT_EQ(CheminSource(QString()), QString());
    FichierCourant.clear();
}

TEST(ChargeImageSource, DecodesAtTheBoxSizeAndRefusesBrokenFiles)
{
    QTemporaryDir dossier;
    QImage image(400, 200, QImage::Format_RGB32);
    image.fill(Qt::blue);
    for (const char *nom : {"p.jpg", "p.png", "p.bmp", "p.gif"}) {
        const QString chemin = dossier.filePath(QString::fromLatin1(nom));
        // Qt writes no GIF: a one-pixel GIF by hand.
        if (QByteArray(nom) == "p.gif") {
            QFile f(chemin);
            f.open(QIODevice::WriteOnly);
            f.write(QByteArray::fromBase64("R0lGODlhAQABAIAAAP8AAP///yH5BAAAAAAALAAAAAABAAEAAAICRAEAOw=="));
        } else {
            ASSERT_TRUE(image.save(chemin));
        }
        QImage lue;
        EXPECT_TRUE(ChargeImageSource(lue, chemin)) << nom;
        QImage petite;
        EXPECT_TRUE(ChargeImageSource(petite, chemin, QSize(100, 100))) << nom;
        if (QByteArray(nom) != "p.gif") {
            EXPECT_EQ(lue.size(), QSize(400, 200)) << nom;
            EXPECT_EQ(petite.size(), QSize(100, 50)) << nom;
        } else {
            EXPECT_EQ(petite.size(), QSize(1, 1)); // never enlarged
        }
    }
    // Truncated, not a picture, of another kind, missing.
    QFile source(dossier.filePath(u"p.jpg"_s));
    source.open(QIODevice::ReadOnly);
    const QByteArray jpeg = source.readAll();
    QFile tronque(dossier.filePath(u"t.jpg"_s));
    tronque.open(QIODevice::WriteOnly);
    tronque.write(jpeg.left(jpeg.size() / 2));
    tronque.close();
    QFile texte(dossier.filePath(u"x.png"_s));
    texte.open(QIODevice::WriteOnly);
    texte.write("pas une image");
    texte.close();
    QImage lue(3, 3, QImage::Format_RGB32);
    for (const char *nom : {"t.jpg", "x.png", "absent.png"})
        EXPECT_FALSE(ChargeImageSource(lue, dossier.filePath(QString::fromLatin1(nom)))) << nom;
    EXPECT_FALSE(ChargeImageSource(lue, dossier.filePath(u"x.png"_s), QSize(50, 50)));
    QFile::copy(dossier.filePath(u"p.png"_s), dossier.filePath(u"p.wav"_s));
    EXPECT_FALSE(ChargeImageSource(lue, dossier.filePath(u"p.wav"_s)));
    EXPECT_EQ(lue.size(), QSize(3, 3));
}

TEST(Sources, PersonsCitingASourceAndFileNamesOfTitles)
{
    TBD bd;
    for (int i = 0; i < 5; ++i)
        bd.NewPerson();
    const int s = bd.AddPersonSource(4);
    bd.LinkSource(2, s);
    bd.LinkSource(5, s);
    bd.ClearPerson(5);
    bd.AddPersonSource(1);
    EXPECT_EQ(PersonnesDeSource(bd, s), (std::vector<int>{2, 4}));
    EXPECT_TRUE(PersonnesDeSource(bd, 99).empty());
    // Removing a person's entry keeps the source.
    bd.RemovePersonSource(4, 1);
    EXPECT_TRUE(bd.SourceInUse(s));
    EXPECT_EQ(PersonnesDeSource(bd, s), (std::vector<int>{2}));

    EXPECT_EQ(NomDeFichierPour(u"Acte n°3: Jean/Marie?"_s), u"Acte n°3_ Jean_Marie_");
    EXPECT_EQ(NomDeFichierPour(u" ..a\tb.. "_s), u"a_b");
    EXPECT_EQ(NomDeFichierPour(u"<>"_s), u"__");
    EXPECT_EQ(NomDeFichierPour(u" . "_s), u"source");
}

} // namespace
