#include "Arrondi.h"
#include "Dates.h"
#include "Fichiers.h"
#include "Lieux.h"
#include "Textes.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

TEST(Arrondi, HalvesGoToEven)
{
    const std::pair<double, int> cas[] = {
        {0.5, 0}, {1.5, 2}, {2.5, 2}, {3.5, 4}, {-0.5, 0}, {-1.5, -2}, {-2.5, -2},
        {2.4999, 2}, {2.5001, 3}, {-2.6, -3}, {7.0, 7}, {1e300, 2147483647}, {-1e300, -2147483647 - 1},
    };
    for (const auto &[x, attendu] : cas)
        EXPECT_EQ(Round(x), attendu) << x;
    EXPECT_EQ(Round(std::nan("")), 0);
}

TEST(Arrondi, DivTruncatesTowardZero)
{
    EXPECT_EQ(Div(7, 2), 3);
    EXPECT_EQ(Div(-7, 2), -3);
    EXPECT_EQ(Div(7, -2), -3);
    EXPECT_EQ(Div(7, 0), 0);
}

TEST(Textes, Helpers)
{
    EXPECT_EQ(StripTrailingBlanks(QStringLiteral("  a b \t ")), u"  a b");
    EXPECT_EQ(StripTrailingBlanks(QStringLiteral("   ")), QString());
    EXPECT_EQ(RetireRetourLigne(QStringLiteral("a\r\nb\nc\rd")), u"a b c d");
    EXPECT_EQ(SplitFields(QStringLiteral("|"), QStringLiteral("t|Nom|x|")),
              (QStringList{QStringLiteral("t"), QStringLiteral("Nom"), QStringLiteral("x"), QString()}));
    EXPECT_EQ(SplitFields(QStringLiteral("||"), QStringLiteral("a||b")),
              (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
    EXPECT_EQ(SplitFields(QString(), QStringLiteral("a|b")), QStringList{QStringLiteral("a|b")});
    EXPECT_EQ(FloatToStr2(3.14159), u"3,14");
    EXPECT_EQ(FloatToStr2(-0.5), u"-0,50");
    EXPECT_EQ(FloatToStr2(-0.001), u"0,00");
    EXPECT_EQ(FloatToStr2(2.0 / 3.0), u"0,67");
    EXPECT_EQ(FloatToStr2(1e6), u"1000000,00");
}

TEST(Lieux, SplitPlaceAndRegions)
{
    const auto p = SplitPlace(QStringLiteral("FRA, IDF ,F95,Pontoise,,x,y"));
    EXPECT_EQ(p[LieuPays], u"FRA");
    EXPECT_EQ(p[LieuRegion], u"IDF");
    EXPECT_EQ(p[LieuDepartement], u"F95");
    EXPECT_EQ(p[LieuCommune], u"Pontoise");
    EXPECT_EQ(p[LieuLocalite], QString());
    EXPECT_EQ(p[LieuAutre], u"x");
    EXPECT_EQ(SplitPlace(QString())[0], QString());

    EXPECT_EQ(RegionOfDepartement(95), u"IDF");
    EXPECT_EQ(RegionOfDepartement(75), u"IDF");
    EXPECT_EQ(RegionOfDepartement(1), u"ARA");
    EXPECT_EQ(RegionOfDepartement(29), u"BRE");
    EXPECT_EQ(RegionOfDepartement(20), u"COR");
    EXPECT_EQ(RegionOfDepartement(33), u"NAQ");
    EXPECT_EQ(RegionOfDepartement(974), u"REU");
    for (int n : {0, -1, 96, 975, 977, 100000})
        EXPECT_TRUE(RegionOfDepartement(n).isEmpty()) << n;
}

TEST(Fichiers, ListFilesAndSubFolders)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString racine = tmp.path();
    QDir(racine).mkpath(QStringLiteral("b/c"));
    QDir(racine).mkpath(QStringLiteral("a"));
    QDir(racine).mkpath(QStringLiteral(".cache"));
    for (const char *nom : {"z.MVA", "y.mva", "x.png", "b/w.mva", "b/c/v.Png", ".cache/u.mva"}) {
        QFile f(racine + QLatin1Char('/') + QString::fromLatin1(nom));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    // A link back to the root must not make the walk endless.
    QFile::link(racine, racine + QStringLiteral("/b/boucle"));

    QStringList l{QStringLiteral("déjà là")};
    ListFiles(l, racine, QStringLiteral(".mva|.png"), false);
    EXPECT_EQ(l, (QStringList{QStringLiteral("déjà là"), racine + QStringLiteral("/x.png"),
                              racine + QStringLiteral("/y.mva"), racine + QStringLiteral("/z.MVA")}));
    l.clear();
    ListFiles(l, racine, QStringLiteral(".mva"), true);
    EXPECT_EQ(l, (QStringList{racine + QStringLiteral("/y.mva"), racine + QStringLiteral("/z.MVA"),
                              racine + QStringLiteral("/b/w.mva")}));
    l.clear();
    ListFiles(l, racine + QStringLiteral("/absent"), QString(), true);
    EXPECT_TRUE(l.isEmpty());

    ListSubFolders(l, racine, true);
    EXPECT_EQ(l, (QStringList{racine + QLatin1Char('/'), racine + QStringLiteral("/a/"),
                              racine + QStringLiteral("/b/"), racine + QStringLiteral("/b/boucle/"),
                              racine + QStringLiteral("/b/c/")}));
    ListSubFolders(l, racine, false);
    EXPECT_EQ(l.size(), 3);
}

TEST(Fetes, TableOfNameDays)
{
    TTableFetes &t = TableFetes();
    t.Put(12, 31, QStringLiteral("Sylvestre"));
    t.Put(13, 1, QStringLiteral("x"));
    t.Put(1, 0, QStringLiteral("x"));
    EXPECT_EQ(t.Get(12, 31), u"Sylvestre");
    EXPECT_TRUE(t.Get(13, 1).isEmpty());
    EXPECT_TRUE(t.Get(0, 0).isEmpty());
    t.Clear();
    EXPECT_TRUE(t.Get(12, 31).isEmpty());
}

} // namespace
