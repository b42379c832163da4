#include "LayoutsAsc.h"

#include "BD.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>

#include <array>
#include <set>
#include <utility>
#include <vector>

#include "AideArbre.h"

namespace {

// Boxes as {person, x, y} and links as {person1, person2, x1, y1, x2, y2},
// each in creation order.
using Boites = std::vector<std::array<int, 3>>;
using Liens = std::vector<std::array<int, 6>>;

struct Resultat {
    Boites boites;
    Liens liens;
    QPoint racine;
    bool coupe = false;

    std::vector<int> Personnes() const
    {
        std::vector<int> r;
        for (const auto &b : boites)
            r.push_back(b[0]);
        return r;
    }
    std::vector<std::pair<int, int>> Paires() const
    {
        std::vector<std::pair<int, int>> r;
        for (const auto &l : liens)
            r.emplace_back(l[0], l[1]);
        return r;
    }
    // The same drawing moved by (dx, dy).
    Resultat Decale(int dx, int dy) const
    {
        Resultat r = *this;
        for (auto &b : r.boites)
            b = {b[0], b[1] + dx, b[2] + dy};
        for (auto &l : r.liens)
            l = {l[0], l[1], l[2] + dx, l[3] + dy, l[4] + dx, l[5] + dy};
        r.racine += QPoint(dx, dy);
        return r;
    }
};

class Ascendance : public ::testing::Test
{
protected:
    void SetUp() override
    {
        LooksParDefaut(Looks);
        Looks[1].Large = 100;
        Looks[1].HauteurBoite = 40;
        Looks[1].PasHorz = 50;
        Looks[1].PasVert = 20;
        Looks[1].NbreGen = 2;
        RefPers = 1;
    }

    void Personnes(int n)
    {
        for (int i = 0; i < n; ++i)
            m_bd.NewPerson();
    }
    void Parents(int enfant, int pere, int mere)
    {
        m_bd.SetFather(enfant, pere);
        m_bd.SetMother(enfant, mere);
    }
    // 1 is the child of 2 and 3; 2 of 4 and 5; 3 of 6 and 7.
    void TroisGenerations()
    {
        Personnes(7);
        Parents(1, 2, 3);
        Parents(2, 4, 5);
        Parents(3, 6, 7);
    }

    // Runs one style from the root (x0, y0) on a fresh tree.
    Resultat Lance(int style, int x0 = 0, int y0 = 0)
    {
        Looks[1].Style = static_cast<std::uint8_t>(style);
        TAffArbre arbre(m_bd, nullptr, m_hote);
        arbre.SetLimiteElements(m_limite);
        Resultat r{{}, {}, QPoint(x0, y0), false};
        switch (style) {
        case 1: AscGroupe(arbre, m_bd, x0, y0); break;
        case 2: r.racine = AscCompactVert(arbre, m_bd); break;
        case 3: r.racine = AscCompactHorz(arbre, m_bd); break;
        case 4: AscVertical(arbre, m_bd, x0, y0); break;
        case 5: AscHorizontal(arbre, m_bd, x0, y0); break;
        default: ADD_FAILURE() << "style " << style;
        }
        for (const auto &b : arbre.Boites()) {
            EXPECT_EQ(b->LookIndex(), 1);
            r.boites.push_back({b->Personne(), b->X(), b->Y()});
        }
        for (const auto &l : arbre.Liens()) {
            EXPECT_EQ(l->LookIndex(), 1);
            r.liens.push_back({l->Personne1(), l->Personne2(), l->Point1().x(), l->Point1().y(),
                               l->Point2().x(), l->Point2().y()});
        }
        r.coupe = arbre.Coupe();
        return r;
    }

    TBD m_bd;
    HoteArbreTest m_hote;
    int m_limite = TAffArbre::MaxElements;
};

TEST_F(Ascendance, HandComputedCoordinatesAndOrderInEveryStyle)
{
    // Worked by hand from L = 100, h = 40, hs = 50, vs = 20, two generations.
    const struct {
        int style;
        Boites boites;
        Liens liens;
        QPoint racine; // styles 2 and 3 only
    } cas[] = {
        // Rows of h + vs, indented hs per generation; link from (x + 75, y + 40).
        {1, {{2, -50, 60}, {4, -100, 120}, {5, -100, 180}, {3, -50, 240}, {6, -100, 300}, {7, -100, 360}},
         {{1, 2, 75, 40, 50, 80}, {2, 4, 25, 100, 0, 140}, {2, 5, 25, 100, 0, 200},
          {1, 3, 75, 40, 50, 260}, {3, 6, 25, 280, 0, 320}, {3, 7, 25, 280, 0, 380}}, {}},
        // Leaves 150 apart on row 0, children centred, root row 120.
        {2, {{4, 0, 0}, {5, 150, 0}, {2, 75, 60}, {6, 300, 0}, {7, 450, 0}, {3, 375, 60}},
         {{2, 4, 125, 60, 50, 40}, {2, 5, 125, 60, 200, 40}, {3, 6, 425, 60, 350, 40},
          {3, 7, 425, 60, 500, 40}, {1, 2, 275, 120, 125, 100}, {1, 3, 275, 120, 425, 100}}, {225, 120}},
        // Leaves 60 apart in column 0, children centred, root column 300.
        {3, {{4, 0, 0}, {5, 0, 60}, {2, 150, 30}, {6, 0, 120}, {7, 0, 180}, {3, 150, 150}},
         {{2, 4, 150, 50, 100, 20}, {2, 5, 150, 50, 100, 80}, {3, 6, 150, 170, 100, 140},
          {3, 7, 150, 170, 100, 200}, {1, 2, 300, 110, 250, 50}, {1, 3, 300, 110, 250, 170}}, {300, 90}},
        // u = 37, half-spreads 148 then 74.
        {4, {{2, -148, -60}, {4, -222, -120}, {5, -74, -120}, {3, 148, -60}, {6, 74, -120}, {7, 222, -120}},
         {{1, 2, -111, -20, 0, 20}, {2, 4, -185, -80, -148, -40}, {2, 5, -11, -80, -48, -40},
          {1, 3, 211, -20, 100, 20}, {3, 6, 111, -80, 148, -40}, {3, 7, 285, -80, 248, -40}}, {}},
        // u = 40, half-spreads 160 then 80, one hs left per generation.
        {5, {{2, -50, -160}, {4, -100, -240}, {5, -100, -80}, {3, -50, 160}, {6, -100, 80}, {7, -100, 240}},
         {{1, 2, 50, -140, 75, 0}, {2, 4, 0, -220, 25, -160}, {2, 5, 0, -60, 25, -120},
          {1, 3, 50, 180, 75, 40}, {3, 6, 0, 100, 25, 160}, {3, 7, 0, 260, 25, 200}}, {}},
    };
    TroisGenerations();
    for (const auto &c : cas) {
        SCOPED_TRACE(c.style);
        const Resultat r = Lance(c.style);
        EXPECT_EQ(r.boites, c.boites);
        EXPECT_EQ(r.liens, c.liens);
        EXPECT_FALSE(r.coupe);
        if (c.style == 2 || c.style == 3) {
            EXPECT_EQ(r.racine, c.racine);
        } else { // the other styles hang from the root they are given
            const Resultat ailleurs = Lance(c.style, 10, -20);
            EXPECT_EQ(ailleurs.boites, r.Decale(10, -20).boites);
            EXPECT_EQ(ailleurs.liens, r.Decale(10, -20).liens);
        }
    }
    // A step wider than half a box: the grouped links leave the child's
    // bottom at its middle.
    Looks[1].PasHorz = 150;
    EXPECT_EQ(Lance(1).liens.front(), (std::array<int, 6>{1, 2, 50, 40, -50, 80}));
}

TEST_F(Ascendance, OddSpansCentreTheChildTruncatingTowardZero)
{
    // L = 101 and h = 41: leaves 151 apart across, 61 down, so that every
    // centring and every half-size truncates.
    Looks[1].Large = 101;
    Looks[1].HauteurBoite = 41;
    const struct {
        int style;
        Boites boites;
        Liens liens;
        QPoint racine;
    } cas[] = {
        {2, {{4, 0, 0}, {5, 151, 0}, {2, 75, 61}, {6, 302, 0}, {7, 453, 0}, {3, 377, 61}},
         {{2, 4, 125, 61, 50, 41}, {2, 5, 125, 61, 201, 41}, {3, 6, 427, 61, 352, 41},
          {3, 7, 427, 61, 503, 41}, {1, 2, 276, 122, 125, 102}, {1, 3, 276, 122, 427, 102}}, {226, 122}},
        {3, {{4, -2, 0}, {5, -2, 61}, {2, 149, 30}, {6, -2, 122}, {7, -2, 183}, {3, 149, 152}},
         {{2, 4, 149, 50, 99, 20}, {2, 5, 149, 50, 99, 81}, {3, 6, 149, 172, 99, 142},
          {3, 7, 149, 172, 99, 203}, {1, 2, 300, 111, 250, 50}, {1, 3, 300, 111, 250, 172}}, {300, 91}},
    };
    TroisGenerations();
    for (const auto &c : cas) {
        SCOPED_TRACE(c.style);
        const Resultat r = Lance(c.style);
        EXPECT_EQ(r.boites, c.boites);
        EXPECT_EQ(r.liens, c.liens);
        EXPECT_EQ(r.racine, c.racine);
    }
}

TEST_F(Ascendance, AMotherWithoutFather)
{
    // 1 has a mother 2 only; 2 has both parents, so that centring shows.
    Personnes(4);
    Parents(1, 0, 2);
    Parents(2, 3, 4);
    // The child stands straight under its mother and the cursor did not move
    // for the missing father.
    const Resultat vert = Lance(2);
    EXPECT_EQ(vert.boites, (Boites{{3, 0, 0}, {4, 150, 0}, {2, 75, 60}}));
    EXPECT_EQ(vert.liens, (Liens{{2, 3, 125, 60, 50, 40}, {2, 4, 125, 60, 200, 40}, {1, 2, 125, 120, 125, 100}}));
    EXPECT_EQ(vert.racine, QPoint(75, 120));
    const Resultat horz = Lance(3);
    EXPECT_EQ(horz.racine, QPoint(300, 30));
    EXPECT_EQ(horz.boites.back(), (std::array<int, 3>{2, 150, 30}));
    // Only the right-hand branch.
    const Resultat binaire = Lance(4);
    EXPECT_EQ(binaire.boites, (Boites{{2, 148, -60}, {3, 74, -120}, {4, 222, -120}}));
    EXPECT_EQ(binaire.liens,
              (Liens{{1, 2, 211, -20, 100, 20}, {2, 3, 111, -80, 148, -40}, {2, 4, 285, -80, 248, -40}}));
}

TEST_F(Ascendance, AFoldedAncestorHidesItsParentsInStylesOneToThree)
{
    TroisGenerations();
    m_bd.SetTreeFold(2, 1);
    using Paires = std::vector<std::pair<int, int>>;
    const Paires toutes = {{1, 2}, {2, 4}, {2, 5}, {1, 3}, {3, 6}, {3, 7}};
    const struct {
        int style;
        std::vector<int> personnes;
        Paires paires;
    } cas[] = {
        {1, {2, 3, 6, 7}, {{1, 2}, {1, 3}, {3, 6}, {3, 7}}},
        {2, {2, 6, 7, 3}, {{3, 6}, {3, 7}, {1, 2}, {1, 3}}},
        {3, {2, 6, 7, 3}, {{3, 6}, {3, 7}, {1, 2}, {1, 3}}},
        {4, {2, 4, 5, 3, 6, 7}, toutes},
        {5, {2, 4, 5, 3, 6, 7}, toutes},
    };
    for (const auto &c : cas) {
        SCOPED_TRACE(c.style);
        const Resultat r = Lance(c.style);
        EXPECT_EQ(r.Personnes(), c.personnes);
        EXPECT_EQ(r.Paires(), c.paires);
    }
    // The folded father becomes a leaf: the mother's parents pack after him.
    EXPECT_EQ(Lance(2).boites, (Boites{{2, 0, 60}, {6, 150, 0}, {7, 300, 0}, {3, 225, 60}}));
}

TEST_F(Ascendance, NoParentsNoGenerationsAndParentsBeyondThePersonCount)
{
    Personnes(3);
    const auto vide = [&](int style) {
        const Resultat r = Lance(style);
        return r.boites.empty() && r.liens.empty() && !r.coupe;
    };
    for (int style = 1; style <= 5; ++style)
        EXPECT_TRUE(vide(style)) << style;
    // The lone reference sits on the leaf cursor of the compact styles.
    EXPECT_EQ(Lance(2).racine, QPoint(0, 120));
    EXPECT_EQ(Lance(3).racine, QPoint(300, 0));

    // A parent number beyond the person count gets a link but no box; in
    // the binary styles it still takes the father's place, spread for the
    // one generation there is of the two asked for.
    Parents(1, 99, 3);
    for (int style = 1; style <= 5; ++style) {
        const Resultat r = Lance(style);
        EXPECT_EQ(r.Personnes(), std::vector<int>{3}) << style;
        EXPECT_EQ(r.Paires(), (std::vector<std::pair<int, int>>{{1, 99}, {1, 3}})) << style;
    }
    EXPECT_EQ(Lance(4).liens.front(), (std::array<int, 6>{1, 99, -37, -20, 0, 20}));
    for (const int n : {0, -3}) {
        Looks[1].NbreGen = n;
        for (int style = 1; style <= 5; ++style)
            EXPECT_TRUE(vide(style)) << style << " with " << n << " generations";
    }
}

TEST_F(Ascendance, GenerationCountsBeyondTheAncestryFollowTheAncestryShown)
{
    TroisGenerations();
    Personnes(1);
    Parents(4, 8, 0); // three generations above 1
    for (int style = 1; style <= 5; ++style) {
        SCOPED_TRACE(style);
        Looks[1].NbreGen = 3;
        const Resultat trois = Lance(style);
        EXPECT_EQ(trois.boites.size(), 7u);
        // Two generations are spread narrower than three; more generations
        // than there are spread for the ancestry actually shown, so that its
        // boxes stay side by side.
        Looks[1].NbreGen = 2;
        if (style == 4)
            EXPECT_GT(Lance(style).boites.front()[1], trois.boites.front()[1]);
        for (const int n : {4, 10, 31, 64, 999}) {
            Looks[1].NbreGen = n;
            const Resultat r = Lance(style);
            // The compact vertical style puts its root row NbreGen rows down;
            // the drawing is the same seen from the root.
            const QPoint d = trois.racine - r.racine;
            EXPECT_EQ(r.Decale(d.x(), d.y()).boites, trois.boites) << n;
            EXPECT_EQ(r.Decale(d.x(), d.y()).liens, trois.liens) << n;
            EXPECT_FALSE(r.coupe) << n;
        }
    }
}

TEST_F(Ascendance, FortyGenerationsFinishWithSaneCoordinates)
{
    // 1's father is 2, 2's father is 3, ... over 40 generations.
    Personnes(41);
    for (int i = 1; i <= 40; ++i)
        Parents(i, i + 1, 0);
    Looks[1].NbreGen = 999;
    for (int style = 1; style <= 5; ++style) {
        SCOPED_TRACE(style);
        const Resultat r = Lance(style);
        ASSERT_EQ(r.boites.size(), 40u);
        ASSERT_EQ(r.liens.size(), 40u);
        // Only the binary styles need spreads too wide to be exact.
        EXPECT_EQ(r.coupe, style >= 4);
        // One box per place, each within 32 bits with room for the width of
        // a box.
        std::set<std::pair<int, int>> places;
        for (const auto &b : r.boites) {
            places.insert({b[1], b[2]});
            EXPECT_GT(b[1], -1100000000);
            EXPECT_GT(b[2], -1100000000);
        }
        EXPECT_EQ(places.size(), r.boites.size());
        // The farthest generations keep their exact spread.
        if (style >= 4) {
            EXPECT_EQ(r.boites[39][style - 3] - r.boites[38][style - 3], style == 4 ? -74 : -80);
        }
    }
}

TEST_F(Ascendance, LoopsAndExplosiveAncestriesEnd)
{
    // 1 and 2 each the other's father: a line without end, shown over 999
    // generations; the binary styles narrow their spreads, and a count beyond
    // what the layouts ever show cuts the others too.
    Personnes(2);
    Parents(1, 2, 0);
    Parents(2, 1, 0);
    const std::pair<int, std::array<bool, 5>> boucles[] = {{999, {false, false, false, true, true}},
                                                           {5000, {true, true, true, true, true}}};
    for (const auto &[n, coupe] : boucles) {
        Looks[1].NbreGen = n;
        for (int style = 1; style <= 5; ++style) {
            const Resultat r = Lance(style);
            EXPECT_EQ(r.boites.size(), size_t(LayoutsAsc::GenerationsMax)) << n << " generations, style " << style;
            EXPECT_EQ(r.liens.size(), size_t(LayoutsAsc::GenerationsMax)) << n << " generations, style " << style;
            EXPECT_EQ(r.coupe, coupe[size_t(style - 1)]) << n << " generations, style " << style;
        }
    }
    // Both parents the other person, or a line of 60 generations whose
    // parents are both the same person: 2^g paths at generation g, stopped
    // at the item limit (lowered, so that the test stays quick).
    Looks[1].NbreGen = 999;
    m_limite = 20000;
    for (const int n : {2, 61}) {
        m_bd.Clear();
        Personnes(n);
        for (int i = 1; i < n; ++i)
            Parents(i, i + 1, i + 1);
        if (n == 2)
            Parents(2, 1, 1);
        for (int style = 1; style <= 5; ++style) {
            QElapsedTimer chrono;
            chrono.start();
            const Resultat r = Lance(style);
            EXPECT_LT(chrono.elapsed(), 20000) << style;
            EXPECT_TRUE(r.coupe) << style;
            EXPECT_EQ(r.boites.size() + r.liens.size(), size_t(m_limite)) << style;
        }
    }
}

TEST_F(Ascendance, AFullPedigreeOfSixteenGenerationsIsDrawnWhole)
{
    // 65,535 persons, every one shown once: 65,534 ancestors and as many
    // links, in every style.
    m_bd.SetAppendOnly(true);
    Personnes(1);
    for (int p = 1; m_bd.PersonCount() < 65535; ++p) {
        Personnes(2);
        Parents(p, m_bd.PersonCount() - 1, m_bd.PersonCount());
    }
    Looks[1].NbreGen = 15;
    for (int style = 1; style <= 5; ++style) {
        const Resultat r = Lance(style);
        EXPECT_EQ(r.boites.size(), 65534u) << style;
        EXPECT_EQ(r.liens.size(), 65534u) << style;
        EXPECT_FALSE(r.coupe) << style;
    }
}

} // namespace
