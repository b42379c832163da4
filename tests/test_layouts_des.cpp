#include "BD.h"
#include "Globales.h"
#include "LayoutsDes.h"
#include "Look.h"
#include "TAffArbre.h"

#include <gtest/gtest.h>

#include <QMenu>

#include <functional>
#include <memory>
#include <vector>

namespace {

class HoteTest final : public THoteArbre
{
public:
    int SelecPers() const override { return 0; }
    void SetSelecPers(int) override {}
    void ShowFiche() override {}
    void TitreFenetre() override {}
    void ArbreMouseDown(Qt::MouseButton, Qt::KeyboardModifiers, const QPoint &) override {}
    QMenu *MenuBoite() override { return nullptr; }
};

struct B {
    int x, y, p, look;
    bool operator==(const B &) const = default;
};
struct Li {
    int x1, y1, x2, y2, p1, p2;
    bool operator==(const Li &) const = default;
};

void PrintTo(const B &b, std::ostream *os)
{
    *os << "B{" << b.x << "," << b.y << " p" << b.p << " look" << b.look << "}";
}
void PrintTo(const Li &l, std::ostream *os)
{
    *os << "Li{" << l.x1 << "," << l.y1 << " -> " << l.x2 << "," << l.y2 << " p" << l.p1 << ",p" << l.p2 << "}";
}

// Reference box at (X0, Y0), L1 x H1; descendance boxes L2 x H2 with steps
// HS2 and VS2: every size differs so that a mix-up shows.
constexpr int X0 = 1000, Y0 = 500, L1 = 100, H1 = 40, L2 = 80, H2 = 30, HS2 = 20, VS2 = 10;

// The reference person R (1) with children A (1950) and B (1952), numbered
// against their birth order; A's children D (1970) and C (1972); optional
// spouses S of A and T of R; optional father F of R, whose other children
// are G (1940, with child K) and H (1960).
struct Famille {
    TBD bd;
    int R = 0, B_ = 0, A = 0, C = 0, D = 0, S = 0, T = 0, F = 0, G = 0, H = 0, K = 0;

    int Personne(int sexe, const char *naissance)
    {
        const int p = bd.NewPerson();
        bd.SetSex(p, sexe);
        if (*naissance)
            bd.SetBirthDate(p, QString::fromUtf8(naissance));
        return p;
    }
    int Enfant(int pere, int mere, int sexe, const char *naissance)
    {
        const int p = Personne(sexe, naissance);
        bd.SetFather(p, pere);
        bd.SetMother(p, mere);
        return p;
    }

    explicit Famille(bool conjoints = false, bool fratrie = false)
    {
        R = Personne(SexeHomme, "1945");
        B_ = Enfant(R, 0, SexeHomme, "1952");
        A = Enfant(R, 0, SexeHomme, "1950");
        C = Enfant(A, 0, SexeHomme, "1972");
        D = Enfant(A, 0, SexeHomme, "1970");
        if (conjoints) {
            S = Personne(SexeFemme, "");
            T = Personne(SexeFemme, "");
            bd.NewUnionOf(A, S);
            bd.NewUnionOf(R, T);
        }
        if (fratrie) {
            F = Personne(SexeHomme, "");
            H = Enfant(F, 0, SexeHomme, "1960");
            G = Enfant(F, 0, SexeHomme, "1940");
            K = Enfant(G, 0, SexeHomme, "1965");
            bd.SetFather(R, F);
        }
    }
};

class LayoutsDes : public ::testing::Test
{
protected:
    void SetUp() override
    {
        LooksParDefaut(Looks);
        for (int n = 1; n <= 2; ++n)
            Looks[n].Zoom = 100;
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
        Looks[2].Style = 2;
    }

    // Runs one layout for the reference person on a fresh tree.
    TAffArbre &Lance(TBD &bd, int style, int ref, bool conj, bool fratrie)
    {
        m_arbre = std::make_unique<TAffArbre>(bd, nullptr, m_hote);
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

    static std::vector<B> Boites(const TAffArbre &a)
    {
        std::vector<B> r;
        for (const auto &b : a.Boites())
            r.push_back({b->X(), b->Y(), b->Personne(), b->LookIndex()});
        return r;
    }
    static std::vector<Li> Liens(const TAffArbre &a)
    {
        std::vector<Li> r;
        for (const auto &l : a.Liens()) {
            EXPECT_EQ(l->LookIndex(), 2);
            r.push_back({l->Point1().x(), l->Point1().y(), l->Point2().x(), l->Point2().y(), l->Personne1(),
                         l->Personne2()});
        }
        return r;
    }

    HoteTest m_hote;
    std::unique_ptr<TAffArbre> m_arbre;
};

// ---- Hand-computed trees -----------------------------------------------

struct CasExact {
    const char *nom;
    int style;
    bool conj, fratrie;
    std::function<std::vector<B>(const Famille &)> boites;
    std::function<std::vector<Li>(const Famille &)> liens;
};

TEST_F(LayoutsDes, SmallTreesHaveTheirExactGeometryAndOrder)
{
    const std::vector<CasExact> cas = {
        {"vertical", 2, false, false,
         [](const Famille &f) {
             return std::vector<B>{{900, 590, f.D, 2}, {1000, 590, f.C, 2}, {950, 550, f.A, 2}, {1100, 550, f.B_, 2}};
         },
         [](const Famille &f) {
             return std::vector<Li>{{940, 590, 990, 580, f.D, f.A},
                                    {1040, 590, 990, 580, f.C, f.A},
                                    {990, 550, 1040, 540, f.A, f.R},
                                    {1140, 550, 1040, 540, f.B_, f.R}};
         }},
        {"vertical with spouses below", 2, true, false,
         [](const Famille &f) {
             return std::vector<B>{{900, 650, f.D, 2},  {1000, 650, f.C, 2}, {950, 580, f.A, 2},
                                   {950, 610, f.S, 2},  {1100, 580, f.B_, 2}, {1000, 540, f.T, 2}};
         },
         [](const Famille &f) {
             return std::vector<Li>{{940, 650, 990, 640, f.D, f.A},
                                    {1040, 650, 990, 640, f.C, f.A},
                                    {990, 580, 1040, 570, f.A, f.R},
                                    {1140, 580, 1040, 570, f.B_, f.R}};
         }},
        {"vertical with siblings", 2, false, true,
         [](const Famille &f) {
             return std::vector<B>{{800, 550, f.K, 2},  {800, 510, f.G, 2},  {900, 590, f.D, 2},  {1000, 590, f.C, 2},
                                   {950, 550, f.A, 2},  {1100, 550, f.B_, 2}, {1200, 510, f.H, 2}};
         },
         [](const Famille &f) {
             return std::vector<Li>{{880, 525, 1000, 525, f.R, f.R},  {1080, 525, 1200, 525, f.H, f.H},
                                    {840, 550, 840, 540, f.K, f.G},   {940, 590, 990, 580, f.D, f.A},
                                    {1040, 590, 990, 580, f.C, f.A},  {990, 550, 1040, 540, f.A, f.R},
                                    {1140, 550, 1040, 540, f.B_, f.R}};
         }},
        {"horizontal", 3, false, false,
         [](const Famille &f) {
             return std::vector<B>{{1220, 460, f.D, 2}, {1220, 500, f.C, 2}, {1120, 480, f.A, 2}, {1120, 540, f.B_, 2}};
         },
         [](const Famille &f) {
             return std::vector<Li>{{1220, 475, 1200, 495, f.D, f.A},
                                    {1220, 515, 1200, 495, f.C, f.A},
                                    {1120, 495, 1100, 515, f.A, f.R},
                                    {1120, 555, 1100, 515, f.B_, f.R}};
         }},
        {"horizontal with siblings", 3, false, true,
         [](const Famille &f) {
             return std::vector<B>{{1120, 420, f.K, 2}, {1020, 420, f.G, 2}, {1220, 460, f.D, 2}, {1220, 500, f.C, 2},
                                   {1120, 480, f.A, 2}, {1120, 540, f.B_, 2}, {1020, 580, f.H, 2}};
         },
         [](const Famille &f) {
             return std::vector<Li>{{1060, 450, 1060, 500, f.R, f.R},  {1060, 530, 1060, 580, f.H, f.H},
                                    {1120, 435, 1100, 435, f.K, f.G},  {1220, 475, 1200, 495, f.D, f.A},
                                    {1220, 515, 1200, 495, f.C, f.A},  {1120, 495, 1100, 515, f.A, f.R},
                                    {1120, 555, 1100, 515, f.B_, f.R}};
         }},
        {"indented list", 1, false, false,
         [](const Famille &f) {
             return std::vector<B>{{1020, 550, f.A, 2}, {1040, 590, f.D, 2}, {1040, 630, f.C, 2}, {1020, 670, f.B_, 2}};
         },
         [](const Famille &f) {
             return std::vector<Li>{{1010, 540, 1020, 565, f.R, f.A},
                                    {1030, 580, 1040, 605, f.A, f.D},
                                    {1030, 580, 1040, 645, f.A, f.C},
                                    {1010, 540, 1020, 685, f.R, f.B_}};
         }},
    };
    for (const CasExact &c : cas) {
        SCOPED_TRACE(c.nom);
        Famille f(c.conj, c.fratrie);
        const TAffArbre &a = Lance(f.bd, c.style, f.R, c.conj, c.fratrie);
        EXPECT_EQ(Boites(a), c.boites(f));
        EXPECT_EQ(Liens(a), c.liens(f));
        EXPECT_FALSE(a.Coupe());
    }
}

// The reference person's spouse in the indented list goes where look 1's
// style leaves room; the descendance moves with the cursor.
TEST_F(LayoutsDes, IndentedListPlacesTheReferenceSpouseByTheAscendantStyle)
{
    struct Cas {
        int styleAsc;
        bool conj;
        bool conjointVisible;
        QPoint conjoint; // look 1 box of T
        QPoint premierEnfant;
    };
    const Cas cas[] = {
        {0, true, false, {}, {1020, 550}},
        {1, true, true, {1100, 500}, {1120, 550}},
        {5, true, true, {1100, 500}, {1120, 550}},
        {2, true, true, {1000, 540}, {1020, 590}},
        {4, true, true, {1000, 540}, {1020, 590}},
        {3, true, true, {1100, 500}, {1020, 550}},
        {6, true, false, {}, {1020, 550}},
        // Styles 1 and 5 make room even when no spouse is shown.
        {1, false, false, {}, {1120, 550}},
    };
    Famille f(true);
    for (const Cas &c : cas) {
        SCOPED_TRACE(testing::Message() << "ascendant style " << c.styleAsc << " conj " << c.conj);
        Looks[1].Style = static_cast<std::uint8_t>(c.styleAsc);
        const std::vector<B> b = Boites(Lance(f.bd, 1, f.R, c.conj, false));
        ASSERT_FALSE(b.empty());
        size_t i = 0;
        if (c.conjointVisible) {
            EXPECT_EQ(b[0], (B{c.conjoint.x(), c.conjoint.y(), f.T, 1}));
            i = 1;
        }
        for (const B &x : b)
            EXPECT_TRUE(x.p != f.T || c.conjointVisible);
        ASSERT_GT(b.size(), i + 1);
        EXPECT_EQ(b[i], (B{c.premierEnfant.x(), c.premierEnfant.y(), f.A, 2}));
        // A descendant's spouse touches the descendant's right side.
        if (c.conj) {
            EXPECT_EQ(b[i + 1], (B{c.premierEnfant.x() + L2, c.premierEnfant.y(), f.S, 2}));
        }
    }
}

// ---- Edge cases --------------------------------------------------------

TEST_F(LayoutsDes, AChildlessReferenceShowsOnlyItsSpouseWhenAsked)
{
    TBD bd;
    const int r = bd.NewPerson();
    const int t = bd.NewPerson();
    bd.SetSex(r, SexeHomme);
    bd.SetSex(t, SexeFemme);
    struct Cas {
        int style;
        bool conj, fratrie, avecConjoint;
        B attendu;
    };
    const Cas cas[] = {
        {2, false, false, false, {}},       {3, false, false, false, {}},
        {2, false, true, false, {}},        {3, false, true, false, {}},
        // Without a union, ShowConj has nothing to show.
        {2, true, false, false, {}},
        // The spouse sits right below (vertical) or right of (horizontal)
        // the reference box, with or without the siblings.
        {2, true, false, true, {X0, Y0 + H1, t, 2}}, {3, true, false, true, {X0 + L1, Y0, t, 2}},
        {2, true, true, true, {X0, Y0 + H1, t, 2}},  {3, true, true, true, {X0 + L1, Y0, t, 2}},
    };
    for (const Cas &c : cas) {
        SCOPED_TRACE(testing::Message() << "style " << c.style << " conj " << c.conj << " fratrie " << c.fratrie
                                        << " union " << c.avecConjoint);
        if (c.avecConjoint && bd.UnionCount() == 0)
            bd.NewUnionOf(r, t);
        const TAffArbre &a = Lance(bd, c.style, r, c.conj, c.fratrie);
        if (c.avecConjoint)
            EXPECT_EQ(Boites(a), std::vector<B>{c.attendu});
        else
            EXPECT_TRUE(a.Boites().empty());
        EXPECT_TRUE(a.Liens().empty());
    }
}

TEST_F(LayoutsDes, AFoldedChildTakesOneLeafPlace)
{
    Famille f;
    f.bd.SetTreeFold(f.A, 1);
    EXPECT_EQ(Boites(Lance(f.bd, 2, f.R, false, false)),
              (std::vector<B>{{950, 550, f.A, 2}, {1050, 550, f.B_, 2}}));
    EXPECT_EQ(Liens(*m_arbre), (std::vector<Li>{{990, 550, 1040, 540, f.A, f.R}, {1090, 550, 1040, 540, f.B_, f.R}}));
    EXPECT_EQ(Boites(Lance(f.bd, 3, f.R, false, false)),
              (std::vector<B>{{1120, 480, f.A, 2}, {1120, 520, f.B_, 2}}));
    EXPECT_EQ(Boites(Lance(f.bd, 1, f.R, false, false)),
              (std::vector<B>{{1020, 550, f.A, 2}, {1020, 590, f.B_, 2}}));
}

// The cousins D (under A) and E (under B) have a child Z, who has a child Y:
// Z and Y each descend twice from R.
struct Cousins : Famille {
    int E = 0, Z = 0, Y = 0;
    Cousins()
        : Famille(true)
    {
        E = Enfant(B_, 0, SexeFemme, "1975");
        bd.NewUnionOf(D, E);
        Z = Enfant(D, E, SexeHomme, "1995");
        Y = Enfant(Z, 0, SexeHomme, "2020");
    }
};

TEST_F(LayoutsDes, APersonDescendingTwiceGetsTwoRowsAndTwoParentLinks)
{
    Cousins f;
    for (int style : {2, 3}) {
        SCOPED_TRACE(style);
        const TAffArbre &a = Lance(f.bd, style, f.R, false, false);
        std::vector<B> z, y;
        for (const B &b : Boites(a)) {
            if (b.p == f.Z)
                z.push_back(b);
            if (b.p == f.Y)
                y.push_back(b);
        }
        ASSERT_EQ(z.size(), 2u);
        ASSERT_EQ(y.size(), 2u);
        std::vector<int> parentsDeZ;
        std::vector<Li> liensDeY;
        for (const Li &l : Liens(a)) {
            if (l.p1 == f.Z)
                parentsDeZ.push_back(l.p2);
            if (l.p1 == f.Y)
                liensDeY.push_back(l);
        }
        EXPECT_EQ(parentsDeZ, (std::vector<int>{f.D, f.E}));
        ASSERT_EQ(liensDeY.size(), 2u);
        // Each Y hangs from its own Z, the one it is centred on.
        for (size_t i = 0; i < 2; ++i) {
            if (style == 2)
                EXPECT_EQ(liensDeY[i], (Li{y[i].x + L2 / 2, y[i].y, z[i].x + L2 / 2, z[i].y + H2, f.Y, f.Z}));
            else
                EXPECT_EQ(liensDeY[i], (Li{y[i].x, y[i].y + H2 / 2, z[i].x + L2, z[i].y + H2 / 2, f.Y, f.Z}));
        }
    }
    // The indented list shows the second branch again, one row each.
    const TAffArbre &a = Lance(f.bd, 1, f.R, false, false);
    int n = 0;
    for (const B &b : Boites(a))
        n += b.p == f.Y;
    EXPECT_EQ(n, 2);
}

// Recomputes every parent link with a plain scan of the rows (the boxes in
// creation order, the reference row last): the parent row of a child row k
// is the first row j >= k whose person is the link's parent. Every row but
// the spouses and the reference row has its link.
void VerifieParRechercheLineaire(const std::vector<B> &boites, const std::vector<Li> &liens, int ref, bool vertical)
{
    std::vector<B> lignes = boites;
    lignes.push_back(vertical ? B{X0, Y0 + H1 - H2, ref, 1} : B{X0 + L1 - L2, Y0, ref, 1});
    const size_t n = lignes.size();
    const QPoint decalage = vertical ? QPoint(0, H2) : QPoint(L2, 0);
    auto colle = [&](size_t a, size_t b) { // row a sits where b's spouse goes
        return QPoint(lignes[a].x, lignes[a].y) == QPoint(lignes[b].x, lignes[b].y) + decalage;
    };
    // A spouse row follows its partner, but the reference person's spouse
    // comes just before the reference row.
    auto conjointApres = [&](size_t j) { return j + 1 < n ? colle(j + 1, j) : j >= 1 && colle(j - 1, j); };
    size_t conjoints = 0;
    for (size_t i = 0; i + 1 < n; ++i)
        conjoints += (i >= 1 && colle(i, i - 1)) || (i + 2 == n && colle(i, i + 1)) ? 1 : 0;
    EXPECT_EQ(liens.size(), n - 1 - conjoints);

    auto debut = [&](const B &b) { return vertical ? QPoint(b.x + L2 / 2, b.y) : QPoint(b.x, b.y + H2 / 2); };
    size_t k = 0;
    for (const Li &l : liens) {
        while (k < n && !(debut(lignes[k]) == QPoint(l.x1, l.y1) && lignes[k].p == l.p1))
            ++k;
        ASSERT_LT(k, n) << "a link starts from no row";
        size_t j = k;
        while (j < n && lignes[j].p != l.p2)
            ++j;
        ASSERT_LT(j, n);
        const B &p = lignes[j];
        const int e = conjointApres(j) ? 2 : 1;
        const QPoint fin = vertical ? QPoint(p.x + L2 / 2, p.y + H2 * e) : QPoint(p.x + L2 * e, p.y + H2 / 2);
        EXPECT_EQ(QPoint(l.x2, l.y2), fin) << "link of row " << k;
        ++k;
    }
}

TEST_F(LayoutsDes, ParentRowsMatchAPlainScan)
{
    Cousins f;
    // More repeats: Y's children descend twice as well, and so do a
    // grandchild and the spouse of Z.
    const int w1 = f.Enfant(f.Y, 0, SexeHomme, "2040");
    f.Enfant(f.Y, 0, SexeFemme, "2042");
    f.Enfant(w1, 0, SexeFemme, "2060");
    f.bd.NewUnionOf(f.Z, f.Personne(SexeFemme, ""));
    Looks[2].NbreGen = 8;
    for (int style : {2, 3}) {
        for (bool conj : {false, true}) {
            SCOPED_TRACE(testing::Message() << "style " << style << " conj " << conj);
            const TAffArbre &a = Lance(f.bd, style, f.R, conj, false);
            VerifieParRechercheLineaire(Boites(a), Liens(a), f.R, style == 2);
        }
    }
}

// ---- Limits ------------------------------------------------------------

TEST_F(LayoutsDes, AWideDescendanceIsCutAtTheRowTableWithItsRootKept)
{
    // 50,001 children: more rows than the table holds.
    TBD bd;
    bd.SetAppendOnly(true);
    const int r = bd.NewPerson();
    for (int i = 0; i <= MaxNoeudsDes; ++i)
        bd.SetFather(bd.NewPerson(), r);
    Looks[2].NbreGen = 1;
    const TAffArbre &a = Lance(bd, 2, r, false, false);
    EXPECT_TRUE(a.Coupe());
    const std::vector<B> b = Boites(a);
    ASSERT_GT(b.size(), 1u);
    EXPECT_LT(b.size(), static_cast<size_t>(MaxNoeudsDes));
    EXPECT_LE(a.Boites().size() + a.Liens().size(), static_cast<size_t>(TAffArbre::MaxElements));
    // The leaves shown are packed, and the reference person is centred over
    // them, not over the ones left out.
    for (size_t i = 1; i < b.size(); ++i)
        ASSERT_EQ(b[i].x - b[i - 1].x, L2 + HS2);
    EXPECT_EQ(b.front().x + b.back().x, 2 * X0);
    ASSERT_FALSE(a.Liens().empty());
    EXPECT_EQ(a.Liens()[0]->Point2(), QPoint(X0 + L2 / 2, Y0 + H1));

    // Among as many siblings, the reference person's row is kept, right
    // below the last sibling shown, on the reference box.
    const int dernier = bd.PersonCount();
    const TAffArbre &h = Lance(bd, 3, dernier, false, true);
    EXPECT_TRUE(h.Coupe());
    const std::vector<B> s = Boites(h);
    ASSERT_FALSE(s.empty());
    EXPECT_LT(s.size(), static_cast<size_t>(MaxNoeudsDes));
    for (const B &x : s)
        EXPECT_NE(x.p, dernier);
    EXPECT_EQ(s.back(), (B{X0 + L1 - L2, Y0 - H2 - VS2, s.back().p, 2}));
}

TEST_F(LayoutsDes, LoopsInTheParentLinksEnd)
{
    // R is the father of A and B, who are both the parents of R: every
    // generation doubles.
    TBD bd;
    const int r = bd.NewPerson();
    const int a = bd.NewPerson();
    const int b = bd.NewPerson();
    bd.SetFather(a, r);
    bd.SetFather(b, r);
    bd.SetFather(r, a);
    bd.SetMother(r, b);
    Looks[2].NbreGen = 999;
    for (int style : {1, 2, 3}) {
        for (bool fratrie : {false, true}) {
            SCOPED_TRACE(testing::Message() << "style " << style << " fratrie " << fratrie);
            const TAffArbre &t = Lance(bd, style, r, false, fratrie);
            EXPECT_TRUE(t.Coupe());
            EXPECT_LE(t.Boites().size() + t.Liens().size(), static_cast<size_t>(TAffArbre::MaxElements));
        }
    }

    // A person who is its own child, with a generation count from a look
    // file far beyond the dialogs: the depth stops at MaxGenerationsDes.
    TBD seul;
    const int p = seul.NewPerson();
    seul.SetFather(p, p);
    Looks[2].NbreGen = 2000000000;
    for (int style : {1, 2, 3}) {
        SCOPED_TRACE(style);
        const TAffArbre &t = Lance(seul, style, p, false, false);
        EXPECT_TRUE(t.Coupe());
        EXPECT_EQ(t.Boites().size(), static_cast<size_t>(MaxGenerationsDes));
    }
}

TEST_F(LayoutsDes, CoordinatesBeyond32BitsCutTheTree)
{
    Famille f;
    Looks[2].PasVert = 2000000000;
    const TAffArbre &a = Lance(f.bd, 1, f.R, false, false);
    EXPECT_TRUE(a.Coupe());
    // A's row still fits; the next one would not.
    EXPECT_EQ(Boites(a), (std::vector<B>{{1020, 2000000540, f.A, 2}}));
}

} // namespace
