#include "Arrondi.h"
#include "Dates.h"
#include "Fichiers.h"
#include "Lieux.h"
#include "Textes.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

TEST(Arrondi, RoundHalvesToEvenAndDivTruncatesTowardZero)
{
    const std::pair<double, int> cas[] = {
        {0.5, 0}, {1.5, 2}, {2.5, 2}, {3.5, 4}, {-0.5, 0}, {-1.5, -2}, {-2.5, -2},
        {2.4999, 2}, {2.5001, 3}, {-2.6, -3}, {7.0, 7}, {1e300, 2147483647}, {-1e300, -2147483647 - 1},
    };
    for (const auto &[x, attendu] : cas)
        EXPECT_EQ(Round(x), attendu) << x;
    EXPECT_EQ(Round(std::nan("")), 0);
    for (const auto &[a, b, q] : {std::tuple(7, 2, 3), {-7, 2, -3}, {7, -2, -3}, {7, 0, 0}})
        EXPECT_EQ(Div(a, b), q) << a << " / " << b;
}

TEST(Textes, Helpers)
{
    EXPECT_EQ(StripTrailingBlanks(u"  a b \t "_s), u"  a b");
    EXPECT_EQ(StripTrailingBlanks(u"   "_s), QString());
    EXPECT_EQ(RetireRetourLigne(u"a\r\nb\nc\rd"_s), u"a b c d");
    EXPECT_EQ(SplitFields(u"|"_s, u"t|Nom|x|"_s), (QStringList{u"t"_s, u"Nom"_s, u"x"_s, QString()}));
    EXPECT_EQ(SplitFields(u"||"_s, u"a||b"_s), (QStringList{u"a"_s, u"b"_s}));
    EXPECT_EQ(SplitFields(QString(), u"a|b"_s), QStringList{u"a|b"_s});
    // A note keeps its inner line breaks as CR LF and loses what trails.
    EXPECT_EQ(TexteNote(u"a\nb\r\n  c \t\n\n"_s), u"a\r\nb\r\n  c");
    EXPECT_EQ(TexteNote(u" \n"_s), QString());
    const std::pair<double, const char16_t *> reels[] = {
        {3.14159, u"3,14"}, {-0.5, u"-0,50"}, {-0.001, u"0,00"}, {2.0 / 3.0, u"0,67"}, {1e6, u"1000000,00"}};
    for (const auto &[x, texte] : reels)
        EXPECT_EQ(FloatToStr2(x), QStringView(texte)) << x;
}

TEST(Lieux, SplitPlaceAndRegions)
{
    EXPECT_EQ(SplitPlace(u"FRA, IDF ,F95,Pontoise,,x,y"_s),
              (std::array<QString, 6>{u"FRA"_s, u"IDF"_s, u"F95"_s, u"Pontoise"_s, QString(), u"x"_s}));
    EXPECT_EQ(SplitPlace(QString())[0], QString());
    const std::pair<int, const char16_t *> regions[] = {
        {95, u"IDF"}, {75, u"IDF"}, {1, u"ARA"}, {29, u"BRE"}, {20, u"COR"}, {33, u"NAQ"}, {974, u"REU"},
        {0, u""}, {-1, u""}, {96, u""}, {975, u""}, {977, u""}, {100000, u""}};
    for (const auto &[n, region] : regions)
        EXPECT_EQ(RegionOfDepartement(n), QStringView(region)) << n;
}

TEST(Fichiers, ListFilesAndSubFolders)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString racine = tmp.path();
    const auto chemin = [&racine](const char *nom) { return racine + QString::fromUtf8(nom); };
    for (const char *dossier : {"/b/c", "/a", "/.cache"})
        QDir().mkpath(chemin(dossier));
    for (const char *nom : {"/z.MVA", "/y.mva", "/x.png", "/b/w.mva", "/b/c/v.Png", "/.cache/u.mva"}) {
        QFile f(chemin(nom));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    // A link back to the root must not make the walk endless.
    QFile::link(racine, chemin("/b/boucle"));

    QStringList l{u"déjà là"_s};
    ListFiles(l, racine, u".mva|.png"_s, false);
    EXPECT_EQ(l, (QStringList{u"déjà là"_s, chemin("/x.png"), chemin("/y.mva"), chemin("/z.MVA")}));
    l.clear();
    ListFiles(l, racine, u".mva"_s, true);
    EXPECT_EQ(l, (QStringList{chemin("/y.mva"), chemin("/z.MVA"), chemin("/b/w.mva")}));
    l.clear();
    ListFiles(l, chemin("/absent"), QString(), true);
    EXPECT_TRUE(l.isEmpty());

    ListSubFolders(l, racine, true);
    EXPECT_EQ(l, (QStringList{chemin("/"), chemin("/a/"), chemin("/b/"), chemin("/b/boucle/"), chemin("/b/c/")}));
    ListSubFolders(l, racine, false);
    EXPECT_EQ(l.size(), 3);
}

TEST(Fetes, TableOfNameDays)
{
    TTableFetes &t = TableFetes();
    t.Put(12, 31, u"Sylvestre"_s);
    t.Put(13, 1, u"x"_s);
    t.Put(1, 0, u"x"_s);
    EXPECT_EQ(t.Get(12, 31), u"Sylvestre");
    EXPECT_TRUE(t.Get(13, 1).isEmpty() && t.Get(0, 0).isEmpty());
    t.Clear();
    EXPECT_TRUE(t.Get(12, 31).isEmpty());
}

} // namespace
