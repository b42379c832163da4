#include "BD.h"
#include "FamilleTest.h"
#include "Listes.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <vector>

namespace {

std::vector<int> v(const TR &l)
{
    return {l.begin(), l.end()};
}

TR liste(std::initializer_list<int> items)
{
    TR r;
    for (int x : items)
        r.Add(x);
    return r;
}

using V = std::vector<int>;

TEST(Listes, GetAndPutStayWithinTheCapacity)
{
    TR l;
    EXPECT_EQ(l.Get(1), 0);
    l.Put(5, 42);
    EXPECT_EQ(l.Count(), 0);
    EXPECT_EQ(l.Get(5), 42);
    l.Put(0, 1);
    l.Put(TR::Capacity + 1, 1);
    EXPECT_EQ(l.Get(0), 0);
    EXPECT_EQ(l.Get(TR::Capacity + 1), 0);
    l.Put(TR::Capacity, 9);
    EXPECT_EQ(l.Get(TR::Capacity), 9);

    TR m;
    for (int i = 1; i <= TR::Capacity; ++i)
        ASSERT_TRUE(m.Add(i));
    EXPECT_FALSE(m.Tronquee());
    EXPECT_FALSE(m.Add(7));
    EXPECT_TRUE(m.Tronquee());
    EXPECT_EQ(m.Count(), TR::Capacity);
    EXPECT_EQ(m.Get(TR::Capacity), TR::Capacity);

    TRR court;
    for (int i = 0; i < 200; ++i)
        court.Add(i);
    EXPECT_FALSE(court.Add(1));
    EXPECT_EQ(court.Get(201), 0);

    m.SetCount(3);
    EXPECT_EQ(v(m), (V{1, 2, 3}));
    m.SetCount(-5);
    EXPECT_TRUE(m.IsEmpty());
}

TEST(Listes, IntersectAndUnite)
{
    const TR a = liste({1, 2, 3, 2, 9});
    const TR b = liste({2, 5, 2, 1, 7});
    EXPECT_EQ(v(IntersectLists(a, b)), (V{1, 2, 2, 2, 2}));
    EXPECT_EQ(v(UniteLists(a, b)), (V{1, 2, 3, 2, 9, 5, 7}));
    EXPECT_TRUE(IntersectLists(a, TR()).IsEmpty());
    EXPECT_EQ(v(UniteLists(TR(), b)), v(b));
    // Inputs are left as they were.
    EXPECT_EQ(v(a), (V{1, 2, 3, 2, 9}));
}

TEST(Listes, SortByFieldInFrenchOrder)
{
    TBD bd;
    const char *noms[] = {"Zola", "émile", "Eric", "ÉDOUARD", "dupont", "Dupont", "Durand", "Élodie"};
    TR l;
    for (const char *n : noms) {
        const int p = bd.NewPerson();
        bd.SetSurname(p, QString::fromUtf8(n));
        l.Add(p);
    }
    struct Compte final : TProgression {
        int max = -1;
        int pos = -1;
        void Maximum(int n) override { max = n; }
        void Position(int i) override { pos = i; }
    } progression;
    SortList(bd, l, PcNom, &progression);
    QStringList tries;
    for (int p : l)
        tries << bd.Surname(p);
    // Accents weigh after the letters, case is ignored and equal names keep
    // their order.
    EXPECT_EQ(tries.join(QLatin1Char(' ')),
              QStringLiteral("dupont Dupont Durand ÉDOUARD Élodie émile Eric Zola"));
    EXPECT_EQ(progression.max, 8);
    EXPECT_EQ(progression.pos, 8);

    // Numbers compare by value.
    TR n;
    for (int i : {10, 9, 100})
        n.Add(i);
    TBD bd2;
    for (int i = 1; i <= 100; ++i)
        bd2.NewPerson();
    SortList(bd2, n, PcNumero);
    EXPECT_EQ(v(n), (V{9, 10, 100}));
}

TEST(Listes, SortByDateLeavesUndatedInPlace)
{
    FamilleTest f;
    // Birth years: 4 1926, 8 none, 1 1900, 11 none, 13 1980, 5 1928, 2 1902.
    TR l = liste({4, 8, 1, 11, 13, 5, 2});
    SortListByDate(f.bd, l, PcNaissanceDate);
    EXPECT_EQ(v(l), (V{1, 8, 2, 11, 4, 5, 13}));
    // Equal dates keep their order.
    f.bd.SetBirthDate(5, QStringLiteral("1900"));
    TR m = liste({5, 1});
    SortListByDate(f.bd, m, PcNaissanceDate);
    EXPECT_EQ(v(m), (V{5, 1}));
}

TEST(Listes, CompareByTest)
{
    struct Cas {
        const char *a;
        const char *b;
        int test;
        bool attendu;
    };
    const Cas cas[] = {
        {"Martin", "MARTIN", 0, true},   {"Martin", "Martine", 0, false},
        {"Martin", "MARTIN", 1, false},  {"Martin", "x", 1, true},
        {"Hélène", "LÈN", 2, true},      {"Hélène", "z", 2, false},
        {"Hélène", "z", 3, true},        {"Martin", "mar", 4, true},
        {"Martin", "martinez", 4, false}, {"Émile", "Eric", 5, true},
        {"Zola", "abel", 5, false},      {"Zola", "abel", 6, true},
        {"1/2/1900", "1/2/1900", 7, true}, {"1/2/1900", "1900", 7, false},
        {"1/2/1900", "1900", 8, true},   {"1/2/1900", "1901", 9, true},
        {"1/2/1900", "1899", 10, true},  {"1/2/1900", "1899", 9, false},
        {"12", " 12 ", 11, true},        {"x", "y", 11, false},
        {"x", "y", 12, false},           {"x", "3", 12, true},
        {"4", "10", 13, true},           {"x", "0", 13, true},
        {"10", "4", 14, true},           {"4", "4", 14, false},
        {"a", "a", 15, false},           {"a", "a", -1, false},
    };
    for (const Cas &c : cas) {
        EXPECT_EQ(CompareByTest(QString::fromUtf8(c.a), QString::fromUtf8(c.b), c.test), c.attendu)
            << c.a << " / " << c.b << " test " << c.test;
    }
}

TEST(Listes, FilterByTestExpandsCodeAndTemplateValues)
{
    FamilleTest f;
    // A stand-in expander knowing two tags.
    const TExpandeur expandeur = [&](int p, const QString &modele) {
        if (modele == u"<nom>")
            return f.bd.Surname(p);
        if (modele == u"<naissance>")
            return f.bd.BirthDate(p);
        return modele;
    };
    const TR tous = liste({1, 2, 4, 5, 9});
    EXPECT_EQ(v(FilterListByTest(tous, QStringLiteral("<nom>"), QStringLiteral("martin"), 0, expandeur)),
              (V{1, 4, 5, 9}));
    EXPECT_EQ(v(FilterListByTest(tous, QStringLiteral("<nom>"), QString(), 0, expandeur)), v(tous));
    // Born after 1920.
    EXPECT_EQ(v(FilterListByTest(tous, QStringLiteral("<naissance>"), QStringLiteral("1920"), 10, expandeur)),
              (V{4, 5, 9}));
    // A value that is itself a template is expanded for the same person.
    EXPECT_EQ(v(FilterListByTest(tous, QStringLiteral("<nom>"), QStringLiteral("<nom>"), 0, expandeur)),
              v(tous));
}

} // namespace
