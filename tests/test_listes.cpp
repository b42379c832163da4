#include "BD.h"
#include "Cadence.h"
#include "FamilleTest.h"
#include "Listes.h"

#include <gtest/gtest.h>

#include <QCollator>
#include <QStringList>
#include <QThread>

#include <algorithm>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

using V = std::vector<int>;

V v(const TR &l)
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

// Fills a list to its capacity; the next item is refused and marks it cut.
template <typename L>
void VerifieCapacite()
{
    L l;
    for (int i = 1; i <= L::Capacity; ++i)
        ASSERT_TRUE(l.Add(i));
    EXPECT_FALSE(l.Tronquee());
    EXPECT_FALSE(l.Add(7));
    EXPECT_TRUE(l.Tronquee());
    EXPECT_EQ(l.Count(), L::Capacity);
    EXPECT_EQ(l.Get(L::Capacity), L::Capacity);
    EXPECT_EQ(l.Get(L::Capacity + 1), 0);
    l.SetCount(3);
    EXPECT_EQ((V{l.begin(), l.end()}), (V{1, 2, 3}));
    l.SetCount(-5);
    EXPECT_TRUE(l.IsEmpty());
}

TEST(Listes, GetPutAndAddStayWithinTheCapacity)
{
    TR l;
    EXPECT_EQ(l.Get(1), 0);
    l.Put(5, 42);
    EXPECT_EQ(l.Count(), 0);
    EXPECT_EQ(l.Get(5), 42);
    for (const int hors : {0, TR::Capacity + 1}) {
        l.Put(hors, 1);
        EXPECT_EQ(l.Get(hors), 0) << hors;
    }
    l.Put(TR::Capacity, 9);
    EXPECT_EQ(l.Get(TR::Capacity), 9);
    VerifieCapacite<TR>();
    VerifieCapacite<TRR>();
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
    // Persons 1 to 8, each three times in the list so that an unstable sort
    // would show.
    TBD bd;
    TR l;
    for (const char *nom : {"Zola", "émile", "Eric", "ÉDOUARD", "dupont", "Dupont", "Durand", "Élodie"}) {
        const int p = bd.NewPerson();
        bd.SetSurname(p, QString::fromUtf8(nom));
    }
    for (int i = 0; i < 24; ++i)
        l.Add(1 + i % 8);
    struct Compte final : TProgression {
        int max = -1, pos = -1;
        void Maximum(int n) override { max = n; }
        void Position(int i) override { pos = i; }
    } progression;
    SortList(bd, l, PcNom, &progression);
    // Accents weigh after the letters, case is ignored and equal names keep
    // their order: dupont and Dupont (equal), Durand, ÉDOUARD, Élodie, émile,
    // Eric, Zola.
    EXPECT_EQ(v(l), (V{5, 6, 5, 6, 5, 6, 7, 7, 7, 4, 4, 4, 8, 8, 8, 2, 2, 2, 3, 3, 3, 1, 1, 1}));
    EXPECT_EQ(progression.max, 24);
    EXPECT_EQ(progression.pos, 24);

    // Numbers compare by value.
    while (bd.NewPerson() < 100) {
    }
    TR n = liste({10, 9, 100});
    SortList(bd, n, PcNumero);
    EXPECT_EQ(v(n), (V{9, 10, 100}));
}

// A long list whose texts are nearly all different, then repeated in other
// letter cases: the same order as a plain stable sort by the collation.
TEST(Listes, SortOfManyTextsKeepsTheCollationOrderAndEqualTextsInPlace)
{
    TBD bd;
    TR l;
    for (int i = 0; i < 6000; ++i) {
        const int p = bd.NewPerson();
        const int n = i < 4500 ? i : (i * 7) % 4500;
        bd.SetSurname(p, (i % 3 == 0 ? u"Éloi %1"_s : u"eloi %1"_s).arg(n));
        l.Add(p);
    }
    std::vector<int> attendu(l.begin(), l.end());
    std::stable_sort(attendu.begin(), attendu.end(), [&](int a, int b) {
        return CollationFrancaise().compare(bd.Surname(a), bd.Surname(b)) < 0;
    });
    SortList(bd, l, PcNom);
    EXPECT_EQ(v(l), attendu);
}

TEST(Listes, SortByDateLeavesUndatedInPlace)
{
    FamilleTest f;
    // Birth years: 4 1926, 8 none, 1 1900, 11 none, 13 1980, 5 1928, 2 1902.
    TR l = liste({4, 8, 1, 11, 13, 5, 2});
    SortListByDate(f.bd, l, PcNaissanceDate);
    EXPECT_EQ(v(l), (V{1, 8, 2, 11, 4, 5, 13}));
    // Equal dates keep their order, in a list long enough for an unstable
    // sort to show.
    f.bd.SetBirthDate(5, u"1900"_s);
    TR m;
    for (int i = 0; i < 40; ++i)
        m.Add(i % 3 ? 1 : 5);
    const V avant = v(m);
    SortListByDate(f.bd, m, PcNaissanceDate);
    EXPECT_EQ(v(m), avant);
}

TEST(Listes, CompareByTest)
{
    const struct { const char *a, *b; int test; bool attendu; } cas[] = {
        {"Martin", "MARTIN", 0, true},     {"Martin", "Martine", 0, false}, {"Martin", "MARTIN", 1, false},
        {"Martin", "x", 1, true},          {"Hélène", "LÈN", 2, true},      {"Hélène", "z", 2, false},
        {"Hélène", "z", 3, true},          {"Martin", "mar", 4, true},      {"Martin", "martinez", 4, false},
        {"Émile", "Eric", 5, true},        {"Zola", "abel", 5, false},      {"Zola", "abel", 6, true},
        // Texts compare as texts, numbers in them too.
        {"10", "9", 5, true},              {"10", "9", 6, false},           {"9", "10", 6, true},
        {"rue 10", "RUE 9", 5, true},
        {"1/2/1900", "1/2/1900", 7, true}, {"1/2/1900", "1900", 7, false},  {"1/2/1900", "1900", 8, true},
        {"1/2/1900", "1901", 9, true},     {"1/2/1900", "1899", 10, true},  {"1/2/1900", "1899", 9, false},
        {"12", " 12 ", 11, true},          {"x", "y", 11, false},           {"x", "y", 12, false},
        {"x", "3", 12, true},              {"4", "10", 13, true},           {"x", "0", 13, true},
        {"10", "4", 14, true},             {"4", "4", 14, false},           {"a", "a", 15, false},
        {"a", "a", -1, false},
        // Texts that are not numbers are never equal, nor different.
        {"abc", "abc", 11, false},         {"abc", "abc", 12, false},       {"abc", "xyz", 12, false},
        {"abc", "abc", 13, false},         {"12abc", "12", 11, false},
        // Partial and missing dates: a year alone stands for its end, an
        // empty date is earlier than any other.
        {"3/1900", "1900", 7, false},      {"3/1900", "1900", 9, true},     {"1900", "1900", 7, true},
        {"", "", 7, true},                 {"", "1900", 9, true},           {"1900", "", 10, true},
        {"12/3/1900", "3/1900", 9, true},  {"1/1901", "1900", 10, true},
    };
    for (const auto &c : cas)
        EXPECT_EQ(CompareByTest(QString::fromUtf8(c.a), QString::fromUtf8(c.b), c.test), c.attendu)
            << c.a << " / " << c.b << " test " << c.test;
}

TEST(Listes, FilterByTestExpandsCodeAndTemplateValues)
{
    FamilleTest f;
    // A stand-in expander knowing two tags.
    const TExpandeur expandeur = [&](int p, const QString &modele) {
        return modele == u"<nom>" ? f.bd.Surname(p) : modele == u"<naissance>" ? f.bd.BirthDate(p) : modele;
    };
    const TR tous = liste({1, 2, 4, 5, 9});
    const auto filtre = [&](const QString &code, const QString &valeur, int test) {
        return v(FilterListByTest(tous, code, valeur, test, expandeur));
    };
    EXPECT_EQ(filtre(u"<nom>"_s, u"martin"_s, 0), (V{1, 4, 5, 9}));
    EXPECT_EQ(filtre(u"<nom>"_s, QString(), 0), v(tous));
    EXPECT_EQ(filtre(u"<naissance>"_s, u"1920"_s, 10), (V{4, 5, 9})); // born after 1920
    // A value that is itself a template is expanded for the same person.
    EXPECT_EQ(filtre(u"<nom>"_s, u"<nom>"_s, 0), v(tous));
}

// The pace of the long loops that show their progress: yes at the first
// step, then once an interval has passed.
TEST(Cadence, YesAtTheStartThenOncePerInterval)
{
    TCadence longue(60 * 60 * 1000);
    EXPECT_TRUE(longue.Echue());
    EXPECT_FALSE(longue.Echue());
    EXPECT_FALSE(longue.Echue());
    longue.Relance();
    EXPECT_TRUE(longue.Echue());
    EXPECT_FALSE(longue.Echue());

    TCadence courte(20);
    EXPECT_TRUE(courte.Echue());
    QThread::msleep(30);
    EXPECT_TRUE(courte.Echue());
    EXPECT_TRUE(TCadence(0).Echue());
}

} // namespace
