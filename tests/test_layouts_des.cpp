#include "LayoutsDes.h"

#include "BD.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <ostream>
#include <vector>

#include "AideArbre.h"

namespace {

struct Boite {
    int x, y, p, look = 2;
    bool operator==(const Boite &) const = default;
};
struct Trait {
    int x1, y1, x2, y2, p1, p2;
    bool operator==(const Trait &) const = default;
};
std::ostream &operator<<(std::ostream &os, const Boite &b)
{
    return os << "{" << b.x << "," << b.y << " p" << b.p << " look" << b.look << "}";
}
std::ostream &operator<<(std::ostream &os, const Trait &l)
{
    return os << "{" << l.x1 << "," << l.y1 << " -> " << l.x2 << "," << l.y2 << " p" << l.p1 << ",p" << l.p2 << "}";
}

// Reference box at (X0, Y0), L1 x H1; descendance boxes L2 x H2 with steps
// HS2 and VS2: every size differs so that a mix-up shows.
constexpr int X0 = 1000, Y0 = 500, L1 = 100, H1 = 40, L2 = 80, H2 = 30, HS2 = 20, VS2 = 10;

// The reference person R with children A (1950) and B (1952), numbered
// against their birth order; A's children D (1970) and C (1972); the spouses
// S of A and T of R; the father F of R, whose other children are G (1940,
// with child K) and H (1960). The cousins D and E (B's daughter) have a child
// Z, who has a child Y: Z and Y each descend twice from R.
enum Personne : int { R = 1, B, A, C, D, S, T, F, H, G, K, E, Z, Y };

struct Famille {
    TBD bd;

    int Enfant(int pere, int sexe, const char *naissance)
    {
        const int p = bd.NewPerson();
        bd.SetSex(p, sexe);
        bd.SetFather(p, pere);
        if (*naissance)
            bd.SetBirthDate(p, QString::fromUtf8(naissance));
        return p;
    }

    // The spouses are married and R is given its father as asked; E, Z and
    // Y exist with the cousins only.
    explicit Famille(bool conjoints = false, bool fratrie = false, bool cousins = false)
    {
        const std::pair<int, const char *> personnes[] = {{0, "1945"}, {R, "1952"}, {R, "1950"}, {A, "1972"},
                                                          {A, "1970"}, {0, ""},      {0, ""},      {0, ""},
                                                          {F, "1960"}, {F, "1940"}, {G, "1965"}};
        for (const auto &[pere, naissance] : personnes)
            Enfant(pere, SexeHomme, naissance);
        bd.SetSex(S, SexeFemme);
        bd.SetSex(T, SexeFemme);
        if (conjoints) {
            bd.NewUnionOf(A, S);
            bd.NewUnionOf(R, T);
        }
        if (fratrie)
            bd.SetFather(R, F);
        if (cousins) {
            Enfant(B, SexeFemme, "1975");
            bd.NewUnionOf(D, E);
            Enfant(D, SexeHomme, "1995");
            bd.SetMother(Z, E);
            Enfant(Z, SexeHomme, "2020");
        }
    }
};

class LayoutsDes : public ::testing::Test
{
protected:
    void SetUp() override
    {
        LooksParDefaut(Looks);
        Looks[1].Large = L1;
        Looks[1].HauteurBoite = H1;
        Looks[1].PasHorz = 50;
        Looks[1].PasVert = 25;
        Looks[1].Style = 0;
        Looks[2].Large = L2;
        Looks[2].HauteurBoite = H2;
        Looks[2].PasHorz = HS2;
        Looks[2].PasVert = VS2;
        Looks[2].NbreGen = 5;
    }

    // Runs one layout for the reference person on a fresh tree.
    TAffArbre &Lance(TBD &bd, int style, int ref, bool conj, bool fratrie)
    {
        m_arbre = std::make_unique<TAffArbre>(bd, nullptr, m_hote);
        m_arbre->SetLimiteElements(m_limite);
        RefPers = ref;
        Looks[2].Style = static_cast<std::uint8_t>(style);
        if (style == 1)
            DesGroupe(*m_arbre, bd, X0, Y0, conj);
        else if (style == 2)
            DesVertGroupe(*m_arbre, bd, ref, X0, Y0, conj, fratrie);
        else
            DesHorzGroupe(*m_arbre, bd, ref, X0, Y0, conj, fratrie);
        return *m_arbre;
    }

    static std::vector<Boite> Boites(const TAffArbre &a)
    {
        std::vector<Boite> r;
        for (const auto &b : a.Boites())
            r.push_back({b->X(), b->Y(), b->Personne(), b->LookIndex()});
        return r;
    }
    static std::vector<Trait> Liens(const TAffArbre &a)
    {
        std::vector<Trait> r;
        for (const auto &l : a.Liens()) {
            EXPECT_EQ(l->LookIndex(), 2);
            r.push_back({l->Point1().x(), l->Point1().y(), l->Point2().x(), l->Point2().y(), l->Personne1(),
                         l->Personne2()});
        }
        return r;
    }

    HoteArbreTest m_hote;
    std::unique_ptr<TAffArbre> m_arbre;
    int m_limite = TAffArbre::MaxElements;
};

TEST_F(LayoutsDes, SmallTreesHaveTheirExactGeometryAndOrder)
{
    const struct {
        const char *nom;
        int style;
        bool conj, fratrie;
        std::vector<Boite> boites;
        std::vector<Trait> liens;
    } cas[] = {
        {"vertical", 2, false, false,
         {{900, 590, D}, {1000, 590, C}, {950, 550, A}, {1100, 550, B}},
         {{940, 590, 990, 580, D, A}, {1040, 590, 990, 580, C, A}, {990, 550, 1040, 540, A, R},
          {1140, 550, 1040, 540, B, R}}},
        {"vertical with spouses below", 2, true, false,
         {{900, 650, D}, {1000, 650, C}, {950, 580, A}, {950, 610, S}, {1100, 580, B}, {1000, 540, T}},
         {{940, 650, 990, 640, D, A}, {1040, 650, 990, 640, C, A}, {990, 580, 1040, 570, A, R},
          {1140, 580, 1040, 570, B, R}}},
        {"vertical with siblings", 2, false, true,
         {{800, 550, K}, {800, 510, G}, {900, 590, D}, {1000, 590, C}, {950, 550, A}, {1100, 550, B},
          {1200, 510, H}},
         {{880, 525, 1000, 525, R, R}, {1080, 525, 1200, 525, H, H}, {840, 550, 840, 540, K, G},
          {940, 590, 990, 580, D, A}, {1040, 590, 990, 580, C, A}, {990, 550, 1040, 540, A, R},
          {1140, 550, 1040, 540, B, R}}},
        {"horizontal", 3, false, false,
         {{1220, 460, D}, {1220, 500, C}, {1120, 480, A}, {1120, 540, B}},
         {{1220, 475, 1200, 495, D, A}, {1220, 515, 1200, 495, C, A}, {1120, 495, 1100, 515, A, R},
          {1120, 555, 1100, 515, B, R}}},
        {"horizontal with siblings", 3, false, true,
         {{1120, 420, K}, {1020, 420, G}, {1220, 460, D}, {1220, 500, C}, {1120, 480, A}, {1120, 540, B},
          {1020, 580, H}},
         {{1060, 450, 1060, 500, R, R}, {1060, 530, 1060, 580, H, H}, {1120, 435, 1100, 435, K, G},
          {1220, 475, 1200, 495, D, A}, {1220, 515, 1200, 495, C, A}, {1120, 495, 1100, 515, A, R},
          {1120, 555, 1100, 515, B, R}}},
        {"indented list", 1, false, false,
         {{1020, 550, A}, {1040, 590, D}, {1040, 630, C}, {1020, 670, B}},
         {{1010, 540, 1020, 565, R, A}, {1030, 580, 1040, 605, A, D}, {1030, 580, 1040, 645, A, C},
          {1010, 540, 1020, 685, R, B}}},
    };
    for (const auto &c : cas) {
        SCOPED_TRACE(c.nom);
        Famille f(c.conj, c.fratrie);
        const TAffArbre &a = Lance(f.bd, c.style, R, c.conj, c.fratrie);
        EXPECT_EQ(Boites(a), c.boites);
        EXPECT_EQ(Liens(a), c.liens);
        EXPECT_FALSE(a.Coupe());
    }
}

TEST_F(LayoutsDes, OddSpansCentreTruncatingTowardZero)
{
    // L2 = 81 and H2 = 31: leaves 101 apart across, 41 down, and every
    // half-size odd. One generation centres the reference over two leaves,
    // two generations A over its children.
    Looks[2].Large = 81;
    Looks[2].HauteurBoite = 31;
    const struct {
        int style, generations;
        std::vector<Boite> boites;
        std::vector<Trait> liens;
    } cas[] = {
        {2, 1, {{950, 550, A}, {1051, 550, B}}, {{990, 550, 1040, 540, A, R}, {1091, 550, 1040, 540, B, R}}},
        {2, 5, {{899, 591, D}, {1000, 591, C}, {949, 550, A}, {1101, 550, B}},
         {{939, 591, 989, 581, D, A}, {1040, 591, 989, 581, C, A}, {989, 550, 1040, 540, A, R},
          {1141, 550, 1040, 540, B, R}}},
        {3, 1, {{1120, 480, A}, {1120, 521, B}}, {{1120, 495, 1100, 515, A, R}, {1120, 536, 1100, 515, B, R}}},
        {3, 5, {{1221, 459, D}, {1221, 500, C}, {1120, 479, A}, {1120, 541, B}},
         {{1221, 474, 1201, 494, D, A}, {1221, 515, 1201, 494, C, A}, {1120, 494, 1100, 515, A, R},
          {1120, 556, 1100, 515, B, R}}},
    };
    Famille f;
    for (const auto &c : cas) {
        SCOPED_TRACE(testing::Message() << "style " << c.style << ", " << c.generations << " generations");
        Looks[2].NbreGen = c.generations;
        const TAffArbre &a = Lance(f.bd, c.style, R, false, false);
        EXPECT_EQ(Boites(a), c.boites);
        EXPECT_EQ(Liens(a), c.liens);
    }
}

TEST_F(LayoutsDes, WithTheSiblingsTheGenerationCountStartsBelowThem)
{
    // The siblings are one generation, then NbreGen generations of
    // descendants below them and below the reference person.
    Famille f(false, true);
    const std::vector<int> parGenerations[] = {{G, H}, {K, G, A, B, H}, {K, G, D, C, A, B, H}};
    for (const int style : {2, 3}) {
        for (int n = 0; n < 3; ++n) {
            Looks[2].NbreGen = n;
            std::vector<int> personnes;
            for (const Boite &b : Boites(Lance(f.bd, style, R, false, true)))
                personnes.push_back(b.p);
            EXPECT_EQ(personnes, parGenerations[n]) << "style " << style << ", " << n << " generations";
        }
    }
}

// The reference person's spouse in the indented list goes where look 1's
// style leaves room; the descendance moves with the cursor.
TEST_F(LayoutsDes, IndentedListPlacesTheReferenceSpouseByTheAscendantStyle)
{
    const struct {
        int styleAsc;
        bool conj;
        QPoint conjoint; // look 1 box of T; (0, 0) when not shown
        QPoint premierEnfant;
    } cas[] = {
        {0, true, {}, {1020, 550}},          {1, true, {1100, 500}, {1120, 550}},
        {5, true, {1100, 500}, {1120, 550}}, {2, true, {1000, 540}, {1020, 590}},
        {4, true, {1000, 540}, {1020, 590}}, {3, true, {1100, 500}, {1020, 550}},
        {6, true, {}, {1020, 550}},
        // Styles 1 and 5 make room even when no spouse is shown.
        {1, false, {}, {1120, 550}},
    };
    Famille f(true);
    for (const auto &c : cas) {
        SCOPED_TRACE(testing::Message() << "ascendant style " << c.styleAsc << " conj " << c.conj);
        Looks[1].Style = static_cast<std::uint8_t>(c.styleAsc);
        std::vector<Boite> attendu;
        if (!c.conjoint.isNull())
            attendu.push_back({c.conjoint.x(), c.conjoint.y(), T, 1});
        attendu.push_back({c.premierEnfant.x(), c.premierEnfant.y(), A});
        // A descendant's spouse touches the descendant's right side.
        if (c.conj)
            attendu.push_back({c.premierEnfant.x() + L2, c.premierEnfant.y(), S});
        std::vector<Boite> b = Boites(Lance(f.bd, 1, R, c.conj, false));
        EXPECT_EQ(std::count_if(b.begin(), b.end(), [](const Boite &x) { return x.p == T; }),
                  c.conjoint.isNull() ? 0 : 1);
        b.resize(std::min(b.size(), attendu.size()));
        EXPECT_EQ(b, attendu);
    }
}

TEST_F(LayoutsDes, AChildlessReferenceShowsOnlyItsSpouseWhenAsked)
{
    TBD bd;
    const int r = bd.NewPerson();
    const int t = bd.NewPerson();
    bd.SetSex(t, SexeFemme);
    // Every style, ShowConj and ShowFratrie, without then with a union: the
    // spouse sits right below (vertical) or right of (horizontal) the
    // reference box, with or without the siblings.
    for (int k = 0; k < 16; ++k) {
        const bool avecUnion = k & 8, conj = k & 4, fratrie = k & 2;
        const int style = k & 1 ? 3 : 2;
        if (avecUnion && bd.UnionCount() == 0)
            bd.NewUnionOf(r, t);
        std::vector<Boite> attendu;
        if (avecUnion && conj)
            attendu.push_back(style == 2 ? Boite{X0, Y0 + H1, t} : Boite{X0 + L1, Y0, t});
        const TAffArbre &a = Lance(bd, style, r, conj, fratrie);
        EXPECT_EQ(Boites(a), attendu) << k;
        EXPECT_TRUE(a.Liens().empty()) << k;
    }
}

TEST_F(LayoutsDes, AFoldedChildTakesOneLeafPlace)
{
    Famille f;
    f.bd.SetTreeFold(A, 1);
    EXPECT_EQ(Boites(Lance(f.bd, 2, R, false, false)), (std::vector<Boite>{{950, 550, A}, {1050, 550, B}}));
    EXPECT_EQ(Liens(*m_arbre), (std::vector<Trait>{{990, 550, 1040, 540, A, R}, {1090, 550, 1040, 540, B, R}}));
    EXPECT_EQ(Boites(Lance(f.bd, 3, R, false, false)), (std::vector<Boite>{{1120, 480, A}, {1120, 520, B}}));
    EXPECT_EQ(Boites(Lance(f.bd, 1, R, false, false)), (std::vector<Boite>{{1020, 550, A}, {1020, 590, B}}));
}

// Checks every parent link against a plain scan of the rows (the boxes in
// creation order, the reference row last): the parent row of a child row k
// is the first row j >= k whose person is the link's parent. Every row but
// the spouses and the reference row has its link.
void VerifieParRechercheLineaire(const std::vector<Boite> &boites, const std::vector<Trait> &liens, bool vertical)
{
    std::vector<Boite> lignes = boites;
    lignes.push_back(vertical ? Boite{X0, Y0 + H1 - H2, R, 1} : Boite{X0 + L1 - L2, Y0, R, 1});
    const size_t n = lignes.size();
    const QPoint decalage = vertical ? QPoint(0, H2) : QPoint(L2, 0);
    const auto colle = [&](size_t a, size_t b) { // row a sits where b's spouse goes
        return QPoint(lignes[a].x, lignes[a].y) == QPoint(lignes[b].x, lignes[b].y) + decalage;
    };
    // A spouse row follows its partner, but the reference person's spouse
    // comes just before the reference row.
    const auto conjointApres = [&](size_t j) { return j + 1 < n ? colle(j + 1, j) : j >= 1 && colle(j - 1, j); };
    size_t conjoints = 0;
    for (size_t i = 0; i + 1 < n; ++i)
        conjoints += (i >= 1 && colle(i, i - 1)) || (i + 2 == n && colle(i, i + 1)) ? 1 : 0;
    EXPECT_EQ(liens.size(), n - 1 - conjoints);

    size_t k = 0;
    for (const Trait &l : liens) {
        const auto debut = [&](const Boite &b) {
            return vertical ? QPoint(b.x + L2 / 2, b.y) : QPoint(b.x, b.y + H2 / 2);
        };
        while (k < n && !(debut(lignes[k]) == QPoint(l.x1, l.y1) && lignes[k].p == l.p1))
            ++k;
        ASSERT_LT(k, n) << "a link starts from no row";
        size_t j = k;
        while (j < n && lignes[j].p != l.p2)
            ++j;
        ASSERT_LT(j, n);
        const Boite &p = lignes[j];
        const int e = conjointApres(j) ? 2 : 1;
        const QPoint fin = vertical ? QPoint(p.x + L2 / 2, p.y + H2 * e) : QPoint(p.x + L2 * e, p.y + H2 / 2);
        EXPECT_EQ(QPoint(l.x2, l.y2), fin) << "link of row " << k;
        ++k;
    }
}

TEST_F(LayoutsDes, APersonDescendingTwiceGetsTwoRowsLinkedAsAPlainScanFinds)
{
    Famille f(true, false, true);
    // More repeats: Y's children descend twice as well, and so do a
    // grandchild and the spouse of Z.
    const int w1 = f.Enfant(Y, SexeHomme, "2040");
    f.Enfant(Y, SexeFemme, "2042");
    f.Enfant(w1, SexeFemme, "2060");
    const int epouse = f.bd.NewPerson();
    f.bd.SetSex(epouse, SexeFemme);
    f.bd.NewUnionOf(Z, epouse);
    Looks[2].NbreGen = 8;
    const auto compte = [](const std::vector<Boite> &b, int p) {
        return std::count_if(b.begin(), b.end(), [p](const Boite &x) { return x.p == p; });
    };
    for (const int style : {2, 3}) {
        for (const bool conj : {false, true}) {
            SCOPED_TRACE(testing::Message() << "style " << style << " conj " << conj);
            const TAffArbre &a = Lance(f.bd, style, R, conj, false);
            EXPECT_EQ(compte(Boites(a), Z), 2);
            EXPECT_EQ(compte(Boites(a), Y), 2);
            std::vector<int> parentsDeZ;
            for (const Trait &l : Liens(a))
                if (l.p1 == Z)
                    parentsDeZ.push_back(l.p2);
            EXPECT_EQ(parentsDeZ, (std::vector<int>{D, E}));
            VerifieParRechercheLineaire(Boites(a), Liens(a), style == 2);
        }
    }
    // The indented list shows the second branch again, one row each.
    EXPECT_EQ(compte(Boites(Lance(f.bd, 1, R, false, false)), Y), 2);
}

// ---- Limits ------------------------------------------------------------

TEST_F(LayoutsDes, AWideDescendanceIsDrawnWholeOrCutAtTheGuardWithItsRootKept)
{
    // Every slot of the database: the reference person and 99,999 children,
    // each shown with its link in every style.
    TBD bd;
    bd.SetAppendOnly(true);
    const int r = bd.NewPerson();
    while (bd.PersonCount() < MaxPersonnes)
        bd.SetFather(bd.NewPerson(), r);
    Looks[2].NbreGen = 1;
    for (const int style : {1, 2, 3}) {
        const TAffArbre &a = Lance(bd, style, r, false, false);
        EXPECT_FALSE(a.Coupe()) << style;
        EXPECT_EQ(a.Boites().size(), size_t(MaxPersonnes - 1)) << style;
        EXPECT_EQ(a.Liens().size(), size_t(MaxPersonnes - 1)) << style;
    }

    // Under a guard too low for them, the rows shown keep their links.
    m_limite = 10000;
    const TAffArbre &a = Lance(bd, 2, r, false, false);
    EXPECT_TRUE(a.Coupe());
    const std::vector<Boite> b = Boites(a);
    ASSERT_GT(b.size(), 1u);
    EXPECT_EQ(a.Liens().size(), b.size());
    EXPECT_LE(a.Boites().size() + a.Liens().size(), size_t(m_limite));
    // The leaves shown are packed, and the reference person is centred over
    // them, not over the ones left out.
    for (size_t i = 1; i < b.size(); ++i)
        ASSERT_EQ(b[i].x - b[i - 1].x, L2 + HS2);
    EXPECT_EQ(b.front().x + b.back().x, 2 * X0);
    EXPECT_EQ(a.Liens().front()->Point2(), QPoint(X0 + L2 / 2, Y0 + H1));

    // Among as many siblings, the reference person's row is kept, right
    // below the last sibling shown, on the reference box.
    const int dernier = bd.PersonCount();
    const TAffArbre &h = Lance(bd, 3, dernier, false, true);
    EXPECT_TRUE(h.Coupe());
    const std::vector<Boite> s = Boites(h);
    ASSERT_FALSE(s.empty());
    EXPECT_LE(h.Boites().size() + h.Liens().size(), size_t(m_limite));
    for (const Boite &x : s)
        EXPECT_NE(x.p, dernier);
    EXPECT_EQ(s.back(), (Boite{X0 + L1 - L2, Y0 - H2 - VS2, s.back().p}));
}

TEST_F(LayoutsDes, LoopsInTheParentLinksEnd)
{
    // R is the father of A and B, who are both the parents of R: every
    // generation doubles.
    TBD bd;
    for (int i = 0; i < 3; ++i)
        bd.NewPerson();
    bd.SetFather(2, 1);
    bd.SetFather(3, 1);
    bd.SetFather(1, 2);
    bd.SetMother(1, 3);
    Looks[2].NbreGen = 999;
    m_limite = 20000; // reached quickly
    for (const int style : {1, 2, 3}) {
        for (const bool fratrie : {false, true}) {
            const TAffArbre &t = Lance(bd, style, 1, false, fratrie);
            EXPECT_TRUE(t.Coupe()) << style << fratrie;
            EXPECT_LE(t.Boites().size() + t.Liens().size(), size_t(m_limite)) << style << fratrie;
        }
    }
    // A person who is its own child, with a generation count from a look
    // file far beyond the dialogs: the depth stops at MaxGenerationsDes.
    TBD seul;
    const int p = seul.NewPerson();
    seul.SetFather(p, p);
    Looks[2].NbreGen = 2000000000;
    for (const int style : {1, 2, 3}) {
        const TAffArbre &t = Lance(seul, style, p, false, false);
        EXPECT_TRUE(t.Coupe()) << style;
        EXPECT_EQ(t.Boites().size(), size_t(MaxGenerationsDes)) << style;
    }
}

TEST_F(LayoutsDes, CoordinatesBeyond32BitsCutTheTree)
{
    Famille f;
    Looks[2].PasVert = 2000000000;
    const TAffArbre &a = Lance(f.bd, 1, R, false, false);
    EXPECT_TRUE(a.Coupe());
    // A's row still fits; the next one would not.
    EXPECT_EQ(Boites(a), (std::vector<Boite>{{1020, 2000000540, A}}));
}

} // namespace
