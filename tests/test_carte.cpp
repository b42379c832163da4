// Map files, the zone matching, the border fill and the maps that ship.

#include "Chemins.h"
#include "IOCarte.h"
#include "Lieux.h"
#include "Langue.h"
#include "ListesLieux.h"
#include "ModelesUtilisateur.h"
#include "ScriptCarte.h"
#include "ZonesCarte.h"

#include <gtest/gtest.h>

#include <deque>
#include <random>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

QByteArray lit(const QString &chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void ecrit(const QString &chemin, const QByteArray &octets)
{
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(octets);
}

// A maps folder alone (ending with "/"), as the map window reads it when no
// user's folder is set.
TDossiersModeles cartesDe(const QString &dossier)
{
    return {QString(), dossier};
}

// The obvious fill, one pixel at a time from a queue: what the production
// fill must give.
QImage rempliNaif(QImage image, QPoint germe, QRgb couleur)
{
    auto noir = [&](QPoint p) { return (image.pixel(p) & 0xffffffu) == 0; };
    if (!image.valid(germe) || noir(germe))
        return image;
    std::vector<char> vu(static_cast<size_t>(image.width() * image.height()), 0);
    std::deque<QPoint> file{germe};
    vu[static_cast<size_t>(germe.y() * image.width() + germe.x())] = 1;
    while (!file.empty()) {
        const QPoint p = file.front();
        file.pop_front();
        image.setPixel(p, couleur);
        for (const QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
            const QPoint q = p + d;
            if (image.valid(q) && !vu[static_cast<size_t>(q.y() * image.width() + q.x())] && !noir(q)) {
                vu[static_cast<size_t>(q.y() * image.width() + q.x())] = 1;
                file.push_back(q);
            }
        }
    }
    return image;
}

TEST(RemplitBordure, GivesWhatANaiveFillGivesOnRandomPictures)
{
    std::mt19937 rng(7);
    const QRgb couleurs[] = {qRgb(255, 255, 255), qRgb(153, 204, 255), qRgb(0, 0, 255), qRgb(0, 0, 1)};
    for (int essai = 0; essai < 60; ++essai) {
        const int w = 1 + static_cast<int>(rng() % 60);
        const int h = 1 + static_cast<int>(rng() % 60);
        // From sparse walls to a maze of black: regions of every shape, the
        // fill colour itself among the pixels to cross.
        const double noirs = (essai % 6) * 0.1;
        QImage image(w, h, QImage::Format_RGB32);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                image.setPixel(x, y, std::uniform_real_distribution<>(0, 1)(rng) < noirs ? qRgb(0, 0, 0)
                                                                                         : couleurs[rng() % 4]);
        const QPoint germe(static_cast<int>(rng() % w), static_cast<int>(rng() % h));
        const QRgb couleur = couleurs[rng() % 3];
        QImage attendue = rempliNaif(image, germe, couleur);
        QImage obtenue = image;
        const qsizetype n = RemplitBordure(obtenue, germe, couleur);
        ASSERT_EQ(obtenue, attendue) << "essai " << essai;
        EXPECT_EQ(n == 0, attendue == image && (image.pixel(germe) & 0xffffffu) == 0) << "essai " << essai;
    }
}

TEST(RemplitBordure, DoesNothingOutsideThePictureOrOnBlack)
{
    QImage image(10, 10, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setPixel(3, 3, qRgb(0, 0, 0));
    const QImage avant = image;
    for (const QPoint germe : {QPoint(-1, 2), QPoint(10, 2), QPoint(2, 10), QPoint(3, 3)}) {
        EXPECT_EQ(RemplitBordure(image, germe, qRgb(1, 2, 3)), 0);
        EXPECT_EQ(image, avant);
    }
    QImage vide;
    EXPECT_EQ(RemplitBordure(vide, QPoint(0, 0), qRgb(1, 2, 3)), 0);
    // A picture of a palette is worked on in colour.
    QImage palette = image.convertToFormat(QImage::Format_Indexed8);
    EXPECT_EQ(RemplitBordure(palette, QPoint(0, 0), qRgb(1, 2, 3)), 99);
    EXPECT_EQ(palette.pixel(9, 9), qRgb(1, 2, 3));
}

TEST(ZoneCouvre, CodesAtTheStartOfAPartThatDoNotStopInAWord)
{
    const struct {
        const char *code;
        const char *lieu;
        bool couvre;
    } cas[] = {
        {"F95", "FRA,IDF,F95,000 Pontoise", true},
        {"F95", "XXX,F95", true},
        {"f95", "fra,idf, F95 ,Pontoise", true},
        {"F95", "FRA,IDF,F95000,Pontoise", true}, // a postal code in the département part
        {"F9", "FRA,IDF,F95,Pontoise", true},
        {"FRA", "FRA,IDF,F95,Pontoise", true},
        {"FRA", "FRA", true},
        {"FRA,IDF", "FRA, IDF,F95", true},
        {"FRA,IDF,F95", "FRA,IDF,F95,Pontoise", true},
        {"MAR", "FRA,PAC,F13,Marseille", false},
        {"SUR", "FRA,NOR,F76,Villers-sur-Mer", false},
        {"F95", "FRA,IDF,AF95", false},
        {"FRA,IDF", "FRA,IDFX", false},
        {"", "FRA,IDF,F95,Pontoise", false},
        {"   ", "FRA,IDF,F95,Pontoise", false},
        {"FRA", "", false},
        {"ÉTÉ", "été,x", true},
    };
    for (const auto &c : cas)
        EXPECT_EQ(ZoneCouvre(QString::fromUtf8(c.code), QString::fromUtf8(c.lieu)), c.couvre)
            << c.code << " / " << c.lieu;
}

TEST(TIndexZones, EveryZoneCoveringAPlaceInListOrder)
{
    TIndexZones index({{u"Île-de-France"_s, u"FRA,IDF"_s, 1, 1},
                       {u"Vide"_s, QString(), 2, 2},
                       {u"Val-d'Oise"_s, u"F95"_s, 3, 3},
                       {u"France"_s, u"FRA"_s, 4, 4}});
    EXPECT_EQ(index.Zones(u"FRA,IDF,F95,Pontoise"_s), (std::vector<int>{0, 2, 3}));
    EXPECT_EQ(index.Premiere(u"FRA,IDF,F95,Pontoise"_s), 0);
    EXPECT_EQ(index.Premiere(u"FRA,BRE,F29,Quimper"_s), 3);
    EXPECT_EQ(index.Premiere(u"ITA,,,Roma"_s), -1);
    EXPECT_EQ(index.Premiere(QString()), -1);
    EXPECT_EQ(index.Zones(u"FRA,IDF,F95,Pontoise"_s), (std::vector<int>{0, 2, 3})); // remembered
}

// Codes that must begin the place: a region part that is also a country
// code is no country.
TEST(TIndexZones, CodesAtTheStartOfThePlaceOnly)
{
    TIndexZones index({{u"France"_s, u"FRA"_s, 1, 1},
                       {u"Norvège"_s, u"NOR"_s, 2, 2},
                       {u"Guyana"_s, u"GUY"_s, 3, 3},
                       {u"Guyane"_s, u"FRA,GUY"_s, 4, 4},
                       {u"Val-d'Oise"_s, u"F95"_s, 5, 5}},
                      TComparaisonLieux::Debut);
    const struct {
        const char *lieu;
        std::vector<int> zones;
    } cas[] = {
        {"FRA,NOR,F76,Rouen", {0}},
        {"FRA,GUY,F973,Cayenne", {0, 3}},
        {" fra , guy ,F973", {0, 3}},
        {"NOR,,,Oslo", {1}},
        {"NOR", {1}},
        {"GUY,,,Georgetown", {2}},
        {"FRA,IDF,F95,Pontoise", {0}},
        {"F95,Pontoise", {4}},
        {"FRANCE", {}},
        {"", {}},
    };
    for (const auto &c : cas)
        EXPECT_EQ(index.Zones(QString::fromUtf8(c.lieu)), c.zones) << c.lieu;
}

// The messages come from the language file.
void chargeTextes()
{
    SetRepModele(QStringLiteral(LIGNEE_MODELE));
    ASSERT_TRUE(ChargeLangue(FichierLangue()));
}

class FichiersCarte : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_tmp.isValid());
        chargeTextes();
    }
    QString chemin(const QString &nom) const { return m_tmp.path() + u'/' + nom; }
    QTemporaryDir m_tmp;
};

TEST_F(FichiersCarte, RoundTripKeepsTheKeysOfALongerFormerList)
{
    const std::vector<TZoneCarte> zones{{u"Côtes-d'Armor"_s, u"F22"_s, 10, 20}, {u"Œuvre"_s, u"F29"_s, 30, 40},
                                        {u"Trois"_s, u"F35"_s, 5, 6}};
    ASSERT_TRUE(SauveCarte(chemin(u"a.mvc"_s), zones, TComparaisonLieux::Partie));
    std::vector<TZoneCarte> lues;
    ASSERT_TRUE(ChargeCarte(chemin(u"a.mvc"_s), lues).Ok);
    EXPECT_EQ(lues, zones);
    // Windows-1252, as the files of the program have always been, one
    // section after the other.
    EXPECT_EQ(lit(chemin(u"a.mvc"_s)),
              QByteArray("[Description]\r\nNbre=3\r\n\r\n[Nom]\r\n1=C\xf4tes-d'Armor\r\n2=\x8cuvre\r\n3=Trois\r\n\r\n"
                         "[Lieu]\r\n1=F22\r\n2=F29\r\n3=F35\r\n\r\n[PtsX]\r\n1=10\r\n2=30\r\n3=5\r\n\r\n"
                         "[PtsY]\r\n1=20\r\n2=40\r\n3=6\r\n"));

    ASSERT_TRUE(SauveCarte(chemin(u"a.mvc"_s), {zones[1]}, TComparaisonLieux::Debut));
    TLectureCarte r = ChargeCarte(chemin(u"a.mvc"_s), lues);
    ASSERT_TRUE(r.Ok);
    EXPECT_EQ(r.Comparaison, TComparaisonLieux::Debut);
    EXPECT_EQ(lues, std::vector<TZoneCarte>{zones[1]});
    const QString texte = QString::fromLatin1(lit(chemin(u"a.mvc"_s)));
    EXPECT_TRUE(texte.startsWith(u"[Description]\r\nNbre=1\r\nDebutLieu=1\r\n"_s));
    EXPECT_TRUE(texte.contains(u"3=Trois"_s));
    EXPECT_TRUE(texte.contains(u"3=F35"_s));
    ASSERT_TRUE(SauveCarte(chemin(u"a.mvc"_s), zones, TComparaisonLieux::Partie));
    EXPECT_EQ(ChargeCarte(chemin(u"a.mvc"_s), lues).Comparaison, TComparaisonLieux::Partie);
    EXPECT_FALSE(lit(chemin(u"a.mvc"_s)).contains("DebutLieu"));
}

TEST_F(FichiersCarte, BrokenFilesAreReadWithinBounds)
{
    std::vector<TZoneCarte> zones;
    ecrit(chemin(u"enorme.mvc"_s), "[Description]\nNbre=2000000000\n[Nom]\n1=Une\n");
    TLectureCarte r = ChargeCarte(chemin(u"enorme.mvc"_s), zones);
    EXPECT_TRUE(r.Ok);
    EXPECT_TRUE(r.Tronquee);
    EXPECT_EQ(zones.size(), size_t(MaxZonesCarte));
    EXPECT_EQ(zones[0].Nom, u"Une"_s);

    ecrit(chemin(u"negatif.mvc"_s),
          "[Description]\nNbre=-5\n");
    r = ChargeCarte(chemin(u"negatif.mvc"_s), zones);
    EXPECT_TRUE(r.Ok && !r.Tronquee && zones.empty());

    ecrit(chemin(u"points.mvc"_s), "[Description]\nNbre=3\n[PtsX]\n1=abc\n2=-4\n3=7\n[PtsY]\n1=1e9\n2=2\n3=99999999\n");
    r = ChargeCarte(chemin(u"points.mvc"_s), zones);
    ASSERT_EQ(zones.size(), 3u);
    EXPECT_EQ(QPoint(zones[0].X, zones[0].Y), QPoint(0, 0));
    EXPECT_EQ(QPoint(zones[1].X, zones[1].Y), QPoint(0, 2));
    EXPECT_EQ(QPoint(zones[2].X, zones[2].Y), QPoint(7, 0));
    EXPECT_TRUE(zones[2].Nom.isEmpty());

    r = ChargeCarte(chemin(u"absente.mvc"_s), zones);
    EXPECT_FALSE(r.Ok);
    EXPECT_FALSE(r.Erreur.isEmpty());
    ASSERT_EQ(::mkfifo(chemin(u"tube.mvc"_s).toLocal8Bit().constData(), 0600), 0);
    r = ChargeCarte(chemin(u"tube.mvc"_s), zones);
    EXPECT_FALSE(r.Ok);
    EXPECT_TRUE(zones.empty());

    // A file whose reading fails (here an input error) is not a map of no
    // zones.
    ecrit(chemin(u"lue.mvc"_s), "[Description]\nNbre=1\n[Nom]\n1=Une\n");
    ASSERT_TRUE(ChargeCarte(chemin(u"lue.mvc"_s), zones).Ok);
    ASSERT_TRUE(QFile::link(u"/proc/self/mem"_s, chemin(u"illisible.mvc"_s)));
    r = ChargeCarte(chemin(u"illisible.mvc"_s), zones);
    EXPECT_FALSE(r.Ok);
    EXPECT_FALSE(r.Erreur.isEmpty());
    EXPECT_TRUE(zones.empty());
}

TEST_F(FichiersCarte, NewMapsListsNamesAndPaths)
{
    ecrit(chemin(u"b.mvc"_s), "[Description]\nNbre=4\n[Nom]\n1=x\n");
    ASSERT_TRUE(NouvelleCarte(chemin(u"b.mvc"_s)));
    EXPECT_EQ(lit(chemin(u"b.mvc"_s)), QByteArray("[Description]\r\nNbre=0\r\n"));
    ecrit(chemin(u"Monde.MVC"_s), "");
    ecrit(chemin(u"Monde.BMP"_s), "");
    ecrit(chemin(u"notes.txt"_s), "");
    QStringList noms = NomsModeles(cartesDe(m_tmp.path() + u'/'), u".mvc"_s);
    noms.sort();
    EXPECT_EQ(noms, (QStringList{u"Monde"_s, u"b"_s}));
    EXPECT_EQ(FichierModele(cartesDe(m_tmp.path() + u'/'), u"Monde"_s, u".bmp"_s), chemin(u"Monde.BMP"_s));
    EXPECT_EQ(FichierModele(cartesDe(m_tmp.path() + u'/'), u"Autre"_s, u".bmp"_s), chemin(u"Autre.bmp"_s));
    EXPECT_TRUE(NomsModeles(cartesDe(chemin(u"absent/"_s)), u".mvc"_s).isEmpty());

    QString erreur;
    EXPECT_FALSE(SauveImageCarte(QImage(), chemin(u"x.bmp"_s), &erreur));
    EXPECT_FALSE(erreur.isEmpty());
    EXPECT_FALSE(QFile::exists(chemin(u"x.bmp"_s)));
    EXPECT_FALSE(NouvelleCarte(chemin(u"absent/c.mvc"_s), &erreur));
    EXPECT_FALSE(SauveCarte(chemin(u"absent/c.mvc"_s), {}, TComparaisonLieux::Partie, &erreur));
}

TEST(NomCarteValide, RefusesNamesThatWouldLeaveTheFolder)
{
    chargeTextes();
    for (const QString &nom : {u"Départements"_s, u"Monde 1900"_s, u"a.b"_s})
        EXPECT_TRUE(NomCarteValide(nom)) << nom.toStdString();
    for (const QString &nom : {QString(), u"  "_s, u"../x"_s, u"a/b"_s, u"a\\b"_s, u".cachée"_s, u"a\nb"_s}) {
        QString raison;
        EXPECT_FALSE(NomCarteValide(nom, &raison)) << nom.toStdString();
        EXPECT_FALSE(raison.isEmpty());
    }
}

TEST(PointLieuCarte, FrenchPlacesKeepTheirPostalCode)
{
    const struct {
        const char *lieu, *envoye;
    } cas[] = {
        {"FRA,IDF,F95,000 Pontoise", "000 Pontoise,France"},
        {"FRA,IDF,F95000,Pontoise", "Pontoise,95000,France"},
        {"fra,IDF,F95000,Pontoise", "Pontoise,95000,France"},
        {"FRA,IDF", "FRA,IDF"},
        {"FRA,IDF,F95", "FRA,IDF,F95"},
        {"ITA,,,Roma", "ITA,,,Roma"},
    };
    for (const auto &c : cas)
        EXPECT_EQ(PointLieuCarte(QString::fromUtf8(c.lieu), u"X"_s).Lieu, QString::fromUtf8(c.envoye)) << c.lieu;
    const TPointCarte p = PointLieuCarte(u"FRA,IDF,F95,L'Isle-Adam <b>"_s, u"D'Arc <script>"_s);
    EXPECT_EQ(p.Libelle, u"D&#39;Arc &lt;script&gt;<br/><font size=\"-1\">FRA,IDF,F95,L&#39;Isle-Adam &lt;b&gt;</font>"_s);
    EXPECT_TRUE(PointLieuCarte(QString(), u"X"_s).Lieu.isEmpty());
}

// The maps of the program's folder: each loads, each seed is white and its
// region holds no other zone's seed.
// Every place the shipped place lists offer is covered by a zone of a shipped
// map, compared the way that map compares (its seeds are white, above): a
// code that no map colours is not offered ("GUF,Cayenne" would colour
// nothing: French Guiana is "FRA,GUY" on the world map).
TEST(CartesLivrees, EveryPlaceOfTheShippedListsColoursAZone)
{
    SetRepModele(QStringLiteral(LIGNEE_MODELE));
    const QString dossier = QStringLiteral(LIGNEE_MODELE "/1/carte/");
    std::vector<std::pair<QString, TIndexZones>> cartes;
    std::vector<std::vector<TZoneCarte>> zones;
    zones.reserve(16);
    for (const QString &nom : NomsModeles(cartesDe(dossier), u".mvc"_s)) {
        zones.emplace_back();
        const TLectureCarte lecture = ChargeCarte(FichierModele(cartesDe(dossier), nom, u".mvc"_s), zones.back());
        ASSERT_TRUE(lecture.Ok) << nom.toStdString();
        cartes.emplace_back(nom, TIndexZones(zones.back(), lecture.Comparaison));
    }
    ASSERT_GE(cartes.size(), 3u);
    const QStringList listes = QDir(QStringLiteral(LIGNEE_MODELE "/1/lieu")).entryList({u"*.txt"_s}, QDir::Files);
    ASSERT_EQ(listes.size(), 3);
    for (const QString &liste : listes) {
        SCOPED_TRACE(liste.toStdString());
        QStringList lieux;
        ASSERT_TRUE(ChargeListeLieux(QStringLiteral(LIGNEE_MODELE "/1/lieu/") + liste, lieux));
        ASSERT_FALSE(lieux.isEmpty());
        QStringList sansZone;
        for (const QString &lieu : lieux) {
            bool couvert = false;
            for (auto &carte : cartes)
                couvert = couvert || carte.second.Premiere(lieu) >= 0;
            if (!couvert)
                sansZone << lieu;
        }
        EXPECT_TRUE(sansZone.isEmpty()) << sansZone.join(u' ').toStdString();
    }
    SetRepModele(QString());
}

TEST(CartesLivrees, LoadWithSeedsInsideTheirZones)
{
    SetRepModele(QStringLiteral(LIGNEE_MODELE));
    const QString dossier = QStringLiteral(LIGNEE_MODELE "/1/carte/");
    const QStringList cartes = NomsModeles(cartesDe(dossier), u".mvc"_s);
    ASSERT_TRUE(cartes.contains(NomCarteWeb()));
    ASSERT_TRUE(cartes.contains(u"Départements de France"_s));
    ASSERT_TRUE(cartes.contains(u"Pays du monde"_s));
    std::vector<TZoneCarte> web;
    ASSERT_TRUE(ChargeCarte(FichierModele(cartesDe(dossier), NomCarteWeb(), u".mvc"_s), web).Ok);
    EXPECT_TRUE(web.empty());

    for (const QString &nom : {u"Départements de France"_s, u"Pays du monde"_s}) {
        SCOPED_TRACE(nom.toStdString());
        std::vector<TZoneCarte> zones;
        ASSERT_TRUE(ChargeCarte(FichierModele(cartesDe(dossier), nom, u".mvc"_s), zones).Ok);
        ASSERT_GT(zones.size(), 90u);
        QImage image(FichierModele(cartesDe(dossier), nom, u".bmp"_s));
        ASSERT_FALSE(image.isNull());
        image.convertTo(QImage::Format_RGB32);
        for (size_t i = 0; i < zones.size(); ++i) {
            const QPoint germe(zones[i].X, zones[i].Y);
            ASSERT_EQ(image.pixel(germe), qRgb(255, 255, 255)) << zones[i].Nom.toStdString();
            QImage copie = image;
            ASSERT_GT(RemplitBordure(copie, germe, qRgb(1, 2, 3)), 0);
            for (size_t j = 0; j < zones.size(); ++j) {
                if (j == i)
                    continue;
                EXPECT_NE(copie.pixel(zones[j].X, zones[j].Y), qRgb(1, 2, 3))
                    << zones[i].Nom.toStdString() << " reaches " << zones[j].Nom.toStdString();
            }
        }
        // Every piece of land is some zone's: filling every zone leaves no
        // white pixel.
        QImage remplie = image;
        for (const TZoneCarte &z : zones)
            RemplitBordure(remplie, QPoint(z.X, z.Y), qRgb(1, 2, 3));
        qsizetype blancs = 0;
        for (int y = 0; y < remplie.height(); ++y)
            for (int x = 0; x < remplie.width(); ++x)
                blancs += remplie.pixel(x, y) == qRgb(255, 255, 255);
        EXPECT_EQ(blancs, 0);

    }
    // A place of France lights France on the world map, whatever its region
    // code ("NOR" is also Norway's) or its commune's name holds, and an
    // overseas département its own zone too.
    std::vector<TZoneCarte> monde;
    const TLectureCarte lecture = ChargeCarte(FichierModele(cartesDe(dossier), u"Pays du monde"_s, u".mvc"_s), monde);
    ASSERT_TRUE(lecture.Ok);
    TIndexZones index(monde, lecture.Comparaison);
    const QHash<QString, QString> outremer{{u"F971"_s, u"Guadeloupe"_s}, {u"F972"_s, u"Martinique"_s},
                                           {u"F973"_s, u"Guyane"_s}, {u"F974"_s, u"Réunion"_s},
                                           {u"F976"_s, u"Mayotte"_s}};
    QStringList lieux;
    for (const char *liste : {"Départements de France", "Communes de France"}) {
        QStringList l;
        ASSERT_TRUE(ChargeListeLieux(QStringLiteral(LIGNEE_MODELE "/1/lieu/") + QString::fromUtf8(liste)
                                         + u".txt"_s, l));
        lieux << l;
    }
    ASSERT_GT(lieux.size(), 30000);
    for (const QString &lieu : lieux) {
        QStringList noms;
        for (const int z : index.Zones(lieu))
            noms << monde[static_cast<size_t>(z)].Nom;
        noms.removeDuplicates();
        QStringList attendus{u"France"_s};
        if (const QString dom = outremer.value(SplitPlace(lieu)[2]); !dom.isEmpty())
            attendus << dom;
        ASSERT_EQ(noms, attendus) << lieu.toStdString();
    }
    SetRepModele(QString());
}

} // namespace
