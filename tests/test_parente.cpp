#include "FamilleTest.h"
#include "Parente.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <tuple>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

template <int N>
std::vector<int> v(const TListe<N> &l)
{
    return {l.begin(), l.end()};
}

using V = std::vector<int>;

class Parente : public ::testing::Test, protected FamilleTest
{
protected:
    QString numero(int p) const { return bd.GetField(p, PcNumerotation); }
};

TEST_F(Parente, ParentsChildrenAndSiblings)
{
    EXPECT_EQ(v(ParentsOf(bd, 4)), (V{1, 2}));
    EXPECT_EQ(v(ParentsOf(bd, 7)), (V{2}));
    EXPECT_EQ(v(ParentsOfTRR(bd, 13)), (V{9, 12}));
    EXPECT_TRUE(ParentsOf(bd, 1).IsEmpty());
    EXPECT_EQ(v(ChildrenOf(bd, 1)), (V{4, 5, 6}));
    EXPECT_EQ(v(ChildrenOf(bd, 2)), (V{4, 5, 7}));
    EXPECT_EQ(std::pair(ChildrenOf(bd, 0).Count(), ChildrenOf(bd, -3).Count()), std::pair(0, 0));
    EXPECT_EQ(std::pair(HasChildren(bd, 5), HasChildren(bd, 13)), std::pair(true, false));

    // Full and half siblings on both sides, each once, in number order.
    EXPECT_EQ(v(SiblingsOf(bd, 4)), (V{5, 6, 7}));
    EXPECT_EQ(v(SiblingsOf(bd, 6)), (V{4, 5}));
    EXPECT_EQ(v(SiblingsOf(bd, 7)), (V{4, 5}));
    EXPECT_TRUE(SiblingsOf(bd, 1).IsEmpty());

    // The list variants go member by member, duplicates kept.
    TR l;
    for (int p : {4, 5})
        l.Add(p);
    EXPECT_EQ(v(ParentsOfList(bd, l)), (V{1, 2, 1, 2}));
    EXPECT_EQ(v(SiblingsOfList(bd, l)), (V{5, 6, 7, 4, 6, 7}));
    EXPECT_EQ(v(ChildrenOfList(bd, l)), (V{9, 12}));
    EXPECT_EQ(v(SpousesOfList(bd, l)), (V{8, 11}));
}

TEST_F(Parente, UnionsOrderedByMarriageDate)
{
    // Union 2 (1925) comes before union 1 (1940).
    EXPECT_EQ(v(UnionsOf(bd, 1)), (V{2, 1}));
    EXPECT_EQ(v(UnionsOfTRR(bd, 1)), (V{2, 1}));
    EXPECT_EQ(v(SpousesOf(bd, 1)), (V{2, 3}));
    EXPECT_EQ(SpouseCount(bd, 1), 2);
    EXPECT_EQ(std::pair(LastSpouse(bd, 1), LastSpouse(bd, 3)), std::pair(3, 1));
    EXPECT_EQ(v(UnionsOf(bd, 2)), (V{2}));
    EXPECT_EQ(std::tuple(UnionOf(bd, 1, 3), UnionOf(bd, 3, 1), UnionOf(bd, 1, 5)), std::tuple(1, 1, 0));
    EXPECT_EQ(std::pair(HasUnion(bd, 8), HasUnion(bd, 6)), std::pair(true, false));

    // Dating the older union later reverses the order.
    bd.SetUnionField(2, UcMariageDate, u"1945"_s);
    EXPECT_EQ(v(UnionsOf(bd, 1)), (V{1, 2}));
    EXPECT_EQ(LastSpouse(bd, 1), 2);
    // A remarriage of the same couple: the last union is theirs.
    bd.SetUnionField(bd.NewUnionOf(1, 3), UcMariageDate, u"1950"_s);
    EXPECT_EQ(UnionOf(bd, 1, 3), 6);
    EXPECT_EQ(v(SpousesOf(bd, 1)), (V{3, 2, 3}));
    EXPECT_EQ(LastSpouse(bd, 1), 3);
}

TEST_F(Parente, UnknownSexTakesTheWifeRole)
{
    // Claude (unknown sex) married as husband is not found as wife.
    const int u = bd.NewUnion();
    bd.SetHusband(u, 7);
    bd.SetWife(u, 6);
    EXPECT_EQ(std::pair(HasUnion(bd, 7), SpouseCount(bd, 7)), std::pair(false, 0));
    bd.SetHusband(u, 6);
    bd.SetWife(u, 7);
    EXPECT_TRUE(HasUnion(bd, 7));
    EXPECT_EQ(v(SpousesOf(bd, 7)), (V{6}));
    // The partner is known, but an unknown sex has no "last spouse".
    EXPECT_EQ(LastSpouse(bd, 7), 0);
}

TEST_F(Parente, AncestorsAndDescendantsWithPedigreeCollapse)
{
    EXPECT_EQ(v(AncestorsOf(bd, 13, 0)), (V{13}));
    EXPECT_EQ(v(AncestorsOf(bd, 13, 1)), (V{13, 9, 12}));
    EXPECT_EQ(v(AncestorsOf(bd, 13, 3)), (V{13, 9, 12, 4, 8, 11, 5, 1, 2, 1, 2}));
    EXPECT_EQ(v(AncestorsOf(bd, 13, 20)), v(AncestorsOf(bd, 13, 3)));
    EXPECT_TRUE(AncestorsOf(bd, 10, 3).IsEmpty());
    EXPECT_EQ(v(AncestorsWithoutParents(bd, 13)), (V{1, 2, 8, 11, 1, 2}));
    EXPECT_EQ(v(AncestorsWithoutParents(bd, 1)), (V{1}));
    EXPECT_EQ(v(AncestorsMissingAParent(bd, 13)), (V{1, 2, 8, 11, 1, 2}));
    EXPECT_EQ(v(AncestorsMissingAParent(bd, 7)), (V{7, 2}));

    EXPECT_EQ(v(DescendantsOf(bd, 1, 1)), (V{4, 5, 6}));
    // Théo descends from Jean through both his parents.
    EXPECT_EQ(v(DescendantsOf(bd, 1, 10)), (V{4, 9, 13, 5, 12, 13, 6}));
    EXPECT_TRUE(DescendantsOf(bd, 1, 0).IsEmpty());
    EXPECT_EQ(v(DescendantsWithoutChildren(bd, 1)), (V{13, 13, 6}));
    EXPECT_EQ(v(DescendantsWithoutChildren(bd, 6)), (V{6}));
}

TEST_F(Parente, CommonAncestorOfCousins)
{
    TAncetreCommun a;
    const auto trouve = [&](int x, int y, int n) {
        return FindCommonAncestor(bd, x, y, n, &a) ? std::tuple(a.Ancetre, a.DistanceA, a.DistanceB)
                                                   : std::tuple(0, 0, 0);
    };
    // Jean and Marie are both at distance 2 from each; the lower number wins.
    EXPECT_EQ(trouve(9, 12, 5), std::tuple(1, 2, 2));
    EXPECT_EQ(trouve(9, 12, 1), std::tuple(0, 0, 0));
    EXPECT_EQ(trouve(6, 8, 10), std::tuple(0, 0, 0));
    // A parent is the nearest common ancestor of a parent and child pair.
    EXPECT_EQ(trouve(13, 9, 5), std::tuple(9, 1, 0));
}

// Pedigrees built by hand: the nearest common ancestor is the one with the
// smallest sum of distances, then the smallest distance from the first
// person, then the lowest number; a loop in the parent links ends.
TEST(Consanguinite, CommonAncestorsOfHandBuiltPedigrees)
{
    TBD bd;
    const auto personne = [&](int pere, int mere) {
        const int p = bd.NewPerson();
        bd.SetFather(p, pere);
        bd.SetMother(p, mere);
        return p;
    };
    // Two couples of grandparents; 5, 6 children of 1 and 2, 7, 8 of 3 and 4.
    const int g1 = personne(0, 0), g2 = personne(0, 0), g3 = personne(0, 0), g4 = personne(0, 0);
    const int f1 = personne(g1, g2), f2 = personne(g1, g2), s1 = personne(g3, g4), s2 = personne(g3, g4);
    const int autre = personne(0, 0);
    const int cousin = personne(f1, autre);       // first cousins through f1 and f2
    const int cousine = personne(f2, personne(0, 0));
    const int doubleA = personne(f1, s1);         // double first cousins
    const int doubleB = personne(f2, s2);
    const int niece = personne(f2, s2);
    // A loop: x is the father of y and y the father of x; z a child of x.
    const int x = personne(0, 0), y = personne(x, 0);
    bd.SetFather(x, y);
    const int z = personne(x, 0);

    const struct { const char *nom; int a, b, n; bool trouve; TAncetreCommun attendu; } cas[] = {
        {"premiers cousins", cousin, cousine, 10, true, {g1, 2, 2}},
        {"premiers cousins, une generation", cousin, cousine, 1, false, {}},
        {"oncle et niece", f1, niece, 10, true, {g1, 1, 2}},
        {"niece et oncle", niece, f1, 10, true, {g1, 2, 1}},
        {"doubles cousins", doubleA, doubleB, 2, true, {g1, 2, 2}},
        {"doubles cousins par les meres", doubleA, personne(autre, s2), 10, true, {g3, 2, 2}},
        {"parent et enfant", f1, cousin, 10, true, {f1, 0, 1}},
        {"sans lien", g1, g3, 10, false, {}},
        {"boucle", z, y, 1000, true, {x, 1, 1}},
        {"boucle sur elle-meme", x, y, 1000000, true, {x, 0, 1}},
    };
    for (const auto &c : cas) {
        SCOPED_TRACE(c.nom);
        TAncetreCommun r;
        ASSERT_EQ(FindCommonAncestor(bd, c.a, c.b, c.n, &r), c.trouve);
        if (c.trouve) {
            EXPECT_EQ(std::tuple(r.Ancetre, r.DistanceA, r.DistanceB),
                      std::tuple(c.attendu.Ancetre, c.attendu.DistanceA, c.attendu.DistanceB));
        }
    }
}

TEST(ParenteBoucle, ALoopInParentLinksEnds)
{
    TBD bd;
    const int a = bd.NewPerson();
    const int b = bd.NewPerson();
    const int c = bd.NewPerson();
    bd.SetFather(a, b);
    bd.SetFather(b, a);
    bd.SetMother(b, c);
    EXPECT_EQ(v(AncestorsOf(bd, a, 3)), (V{a, b, a, c, b}));
    EXPECT_EQ(v(DescendantsOf(bd, a, 1000)), (V{b}));
    EXPECT_EQ(v(DescendantsOf(bd, c, 1000)), (V{b, a}));
    EXPECT_EQ(v(AncestorsWithoutParents(bd, a)), (V{c}));
    EXPECT_EQ(v(AncestorsMissingAParent(bd, a)), (V{a, c}));
    EXPECT_TRUE(DescendantsWithoutChildren(bd, c).IsEmpty());
    // A person that is its own father.
    bd.SetFather(c, c);
    EXPECT_EQ(v(DescendantsOf(bd, c, 50)), (V{b, a}));
    EXPECT_FALSE(DescendantsOf(bd, c, 50).Tronquee());
}

TEST_F(Parente, AncestorTestSeesEveryDepthAndTheLoopsAlreadyThere)
{
    // 1: great-grandfather through both cousins; 13: oneself; 8: an in-law of 12.
    const std::tuple<int, int, bool> avant[] = {{1, 13, true}, {13, 13, true}, {13, 1, false}, {8, 12, false},
                                                {0, 13, false}};
    for (const auto &[a, p, attendu] : avant)
        EXPECT_EQ(IsAncestorOf(bd, a, p), attendu) << a << " of " << p;
    bd.SetFather(1, 13); // a loop: the walk still ends, and goes round it once
    for (const auto &[a, p, attendu] : {std::tuple(13, 4, true), {8, 4, true}, {3, 4, false}})
        EXPECT_EQ(IsAncestorOf(bd, a, p), attendu) << a << " of " << p;
}

TEST(ParenteBoucle, AVeryLongLineDoesNotExhaustTheStack)
{
    TBD bd;
    for (int i = 0; i < 60000; ++i)
        bd.SetFather(bd.NewPerson(), i);
    EXPECT_EQ(DescendantsOf(bd, 1, MaxPersonnes).Count(), 59999);
    EXPECT_EQ(v(AncestorsWithoutParents(bd, 60000)), (V{1}));
    EXPECT_EQ(v(DescendantsWithoutChildren(bd, 1)), (V{60000}));
    EXPECT_TRUE(IsAncestorOf(bd, 1, 60000));
}

TEST(ParenteCapacite, ListsStopAtTheirCapacityAndSaySo)
{
    // A father of 700 children: their siblings, listed child by child, number
    // 700 x 699, far beyond a list's capacity.
    TBD bd;
    const int pere = bd.NewPerson();
    for (int i = 0; i < 700; ++i)
        bd.SetFather(bd.NewPerson(), pere);
    const TR tous = ChildrenOf(bd, pere);
    ASSERT_EQ(tous.Count(), 700);
    EXPECT_FALSE(tous.Tronquee());
    const TR freres = SiblingsOfList(bd, tous);
    EXPECT_EQ(freres.Count(), TR::Capacity);
    EXPECT_TRUE(freres.Tronquee());

    // A short list refuses its 201st item.
    for (int i = 0; i < 210; ++i)
        bd.NewUnionOf(pere, bd.NewPerson());
    const TRR unions = UnionsOfTRR(bd, pere);
    EXPECT_EQ(unions.Count(), 200);
    EXPECT_TRUE(unions.Tronquee());
    EXPECT_EQ(UnionsOf(bd, pere).Count(), 210);
}

TEST_F(Parente, IndexesFollowEveryLinkChange)
{
    bd.SetFather(6, 11);
    EXPECT_EQ(v(ChildrenOf(bd, 1)), (V{4, 5}));
    EXPECT_EQ(v(ChildrenOf(bd, 11)), (V{6, 12}));
    // The same person recorded as both parents stays a child until both go.
    bd.SetMother(6, 11);
    bd.SetFather(6, 0);
    EXPECT_EQ(v(ChildrenOf(bd, 11)), (V{6, 12}));
    bd.SetMother(6, 0);
    EXPECT_EQ(v(ChildrenOf(bd, 11)), (V{12}));

    bd.SetWife(3, 12);
    EXPECT_TRUE(UnionsOf(bd, 8).IsEmpty());
    EXPECT_EQ(v(UnionsOf(bd, 12)), (V{3, 5}));
    bd.DeletePerson(4);
    EXPECT_EQ(bd.Father(9), 0);
    EXPECT_EQ(bd.Husband(3), 0);
    EXPECT_EQ(v(ChildrenOf(bd, 1)), (V{5}));
    bd.ClearUnion(5);
    EXPECT_FALSE(HasUnion(bd, 9));
    // Clearing a person leaves the others' links to it, but it is no longer
    // a known parent.
    bd.ClearPerson(2);
    EXPECT_EQ(bd.Mother(5), 2);
    EXPECT_EQ(v(ParentsOf(bd, 5)), (V{1}));
    EXPECT_TRUE(SiblingsOf(bd, 5).IsEmpty()); // not 7, Marie's other child

    // Whole records put in place: the indexes are rebuilt from the tables.
    TFiche f14;
    f14.EnService = true;
    f14.Pere = 1;
    bd.PlaceFiche(14, f14);
    EXPECT_EQ(v(ChildrenOf(bd, 1)), (V{5, 14}));
    bd.SetFather(14, 2);
    EXPECT_EQ(v(ChildrenOf(bd, 1)), (V{5}));
}

TEST_F(Parente, SosaPropagationWithLongNumbers)
{
    bd.SetField(13, PcNumerotation, u"1"_s);
    PropagateSosaToFather(bd, 13);
    PropagateSosaToMother(bd, 13);
    PropagateSosaToFather(bd, 13); // no duplicate
    EXPECT_EQ(std::pair(numero(9), numero(12)), std::pair(u"2"_s, u"3"_s));
    EXPECT_TRUE(HasSosaNumber(bd, 9));
    // Beyond 64 bits the arithmetic stays exact.
    bd.SetField(4, PcNumerotation, u"9223372036854775807,5"_s);
    PropagateSosaToMother(bd, 4);
    EXPECT_EQ(numero(2), u"18446744073709551615,11");
    // Non-numbers and d'Aboville numbers are not propagated.
    bd.SetField(5, PcNumerotation, u"1/2,x"_s);
    PropagateSosaToFather(bd, 5);
    EXPECT_EQ(numero(1), QString());
    EXPECT_FALSE(HasSosaNumber(bd, 5));
}

TEST_F(Parente, NumberTreeFollowsTheSosaProperty)
{
    NumberTree(bd, 13, 10, false, false);
    // Jean and Marie are reached through both parents of Théo.
    EXPECT_EQ(QStringList({numero(13), numero(1), numero(2)}), QStringList({u"1"_s, u"8,14"_s, u"9,15"_s}));
    for (int p = 1; p <= bd.PersonCount(); ++p) {
        if (!HasSosaNumber(bd, p))
            continue;
        const QStringList pere = numero(bd.Father(p)).split(u','), mere = numero(bd.Mother(p)).split(u',');
        for (const QString &n : numero(p).split(u',')) {
            const qlonglong k = n.toLongLong();
            EXPECT_TRUE(!bd.PersonInUse(bd.Father(p)) || pere.contains(QString::number(2 * k))) << p;
            EXPECT_TRUE(!bd.PersonInUse(bd.Mother(p)) || mere.contains(QString::number(2 * k + 1))) << p;
        }
    }
    // Persons off the tree have no number; a generation bound stops numbering.
    EXPECT_EQ(numero(3), QString());
    NumberTree(bd, 13, 1, false, false);
    EXPECT_EQ(std::pair(numero(4), numero(9)), std::pair(QString(), u"2"_s));
}

TEST_F(Parente, NumberTreeDescendants)
{
    NumberTree(bd, 1, 5, false, false);
    // Children by birth date: Pierre 1926, Anne 1928, Paul 1942; Théo
    // descends twice.
    const std::pair<int, const char *> simples[] = {
        {4, "1/1"}, {5, "1/2"}, {6, "1/3"}, {9, "1/1/1"}, {13, "1/1/1/1,1/2/1/1"}, {8, ""}};
    for (const auto &[p, n] : simples)
        EXPECT_EQ(numero(p), QString::fromUtf8(n)) << p;
    // By union (letters only for a parent of several unions), with the
    // partners of the descendants (not the root's).
    NumberTree(bd, 1, 5, true, true);
    const std::pair<int, const char *> familles[] = {
        {4, "1/a1"}, {5, "1/a2"}, {6, "1/b1"}, {8, "1/a1c"}, {11, "1/a2c"}, {2, ""}, {9, "1/a1/1,1/a2/1c"}};
    for (const auto &[p, n] : familles)
        EXPECT_EQ(numero(p), QString::fromUtf8(n)) << p;

    // As many generations of descendants as asked, not one more: children
    // (Pierre 4), grandchildren (Luc 9), great-grandchildren (Théo 13).
    const struct { int generations; const char *pierre, *luc, *theo; } bornes[] = {
        {0, "", "", ""}, {1, "1/1", "", ""}, {2, "1/1", "1/1/1", ""}, {3, "1/1", "1/1/1", "1/1/1/1,1/2/1/1"}};
    for (const auto &b : bornes) {
        NumberTree(bd, 1, b.generations, false, false);
        EXPECT_EQ(QStringList({numero(4), numero(9), numero(13)}),
                  QStringList({QString::fromUtf8(b.pierre), QString::fromUtf8(b.luc), QString::fromUtf8(b.theo)}))
            << b.generations;
    }
}

} // namespace
