#include "LayoutsAsc.h"

#include "BD.h"
#include "Globales.h"
#include "Look.h"
#include "TAffArbre.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

using LayoutsAsc::GenerationsMax;

namespace {

using i64 = std::int64_t;

// Positions are computed in 64 bits so that no sum can overflow; a spread is
// kept within this bound so that the whole drawing stays well inside 32-bit
// coordinates.
constexpr i64 EtendueMax = std::numeric_limits<std::int32_t>::max() / 2;

// The measures of look 1. `n` is the number of generations shown: NbreGen,
// but never more than GenerationsMax, since a look file may hold any number
// and every worker recurses once per generation.
struct Pas {
    i64 L = 0;
    i64 h = 0;
    i64 hs = 0;
    i64 vs = 0;
    int nDemande = 0;
    int n = 0;
};

Pas LitPas()
{
    const T1Aff &aff = Looks[1];
    Pas pas;
    pas.L = aff.Large;
    pas.h = aff.HauteurBoite;
    pas.hs = aff.PasHorz;
    pas.vs = aff.PasVert;
    pas.nDemande = aff.NbreGen;
    pas.n = std::clamp(aff.NbreGen, 0, GenerationsMax);
    return pas;
}

int Etroit(TAffArbre &arbre, i64 v)
{
    constexpr i64 bas = std::numeric_limits<std::int32_t>::min();
    constexpr i64 haut = std::numeric_limits<std::int32_t>::max();
    if (v < bas || v > haut) {
        arbre.SetCoupe();
        return static_cast<int>(std::clamp(v, bas, haut));
    }
    return static_cast<int>(v);
}

void Boite(TAffArbre &arbre, i64 x, i64 y, int p)
{
    arbre.AjouteBoite(Etroit(arbre, x), Etroit(arbre, y), p, 1);
}

void Lien(TAffArbre &arbre, i64 x1, i64 y1, i64 x2, i64 y2, int p1, int p2)
{
    arbre.AjouteLien(Etroit(arbre, x1), Etroit(arbre, y1), Etroit(arbre, x2), Etroit(arbre, y2), p1, p2, 1);
}

// Whether the parents of a person, who are generation k, are laid out. The
// caller knows there is at least one parent to show: when a limit keeps them
// out, the tree is marked cut. Checking the item limit before every descent
// is what stops the exponential number of paths of a loop or of pedigree
// collapse.
bool Montre(TAffArbre &arbre, const Pas &pas, int k)
{
    if (k > pas.n) {
        if (k <= pas.nDemande)
            arbre.SetCoupe();
        return false;
    }
    if (arbre.Plein()) {
        arbre.SetCoupe();
        return false;
    }
    return true;
}

// The length of the longest line of parents above `racine`, fold flags
// ignored, capped at `limite`; a loop reachable from `racine` makes lines of
// any length, hence `limite`. A parent number beyond the person count still
// counts as a generation (its link is drawn) but has no parents. Iterative,
// each person visited once, so that neither a deep line nor pedigree collapse
// costs more than the size of the database.
int Profondeur(const TBD &bd, int racine, int limite)
{
    const int nb = bd.PersonCount();
    if (limite <= 0 || racine < 1 || racine > nb)
        return 0;
    constexpr int blanc = -1;
    constexpr int gris = -2; // on the current path
    std::vector<int> haut(static_cast<size_t>(nb) + 1, blanc);
    struct Etape {
        int p;
        int suivant; // 0 father, 1 mother, 2 done
    };
    std::vector<Etape> pile{{racine, 0}};
    haut[static_cast<size_t>(racine)] = gris;
    while (!pile.empty()) {
        Etape &e = pile.back();
        if (e.suivant < 2) {
            const int q = e.suivant == 0 ? bd.Father(e.p) : bd.Mother(e.p);
            ++e.suivant;
            if (q < 1 || q > nb)
                continue;
            int &hq = haut[static_cast<size_t>(q)];
            if (hq == gris)
                return limite;
            if (hq == blanc) {
                hq = gris;
                pile.push_back({q, 0}); // e is invalid from here
            }
            continue;
        }
        int h = 0;
        for (const int q : {bd.Father(e.p), bd.Mother(e.p)}) {
            if (q > nb)
                h = std::max(h, 1);
            else if (q >= 1)
                h = std::max(h, haut[static_cast<size_t>(q)] + 1);
        }
        haut[static_cast<size_t>(e.p)] = std::min(h, limite);
        pile.pop_back();
    }
    return haut[static_cast<size_t>(racine)];
}

// The number of generations the binary styles spread for: the depth of the
// ancestry actually shown, at most the generations asked for. Spread for
// generations that do not exist, the boxes of those that do would lie far
// apart, and a tree fitted to the window would shrink to a line of specks.
// The depth also keeps 2^depth within reach of 64 bits for any real tree.
int ProfondeurMontree(TAffArbre &arbre, const TBD &bd, const Pas &pas)
{
    const int d = Profondeur(bd, RefPers, std::min(pas.nDemande, pas.n + 1));
    if (d > pas.n) {
        arbre.SetCoupe();
        return pas.n;
    }
    return d;
}

// Half-spreads of the binary styles: ecart[g] = 2^(e - g) x u for the
// parents of generation g + 1. When their sum would exceed EtendueMax every
// one is capped at EtendueMax / e (the deepest generations keep their exact
// value) and the tree is marked cut.
std::vector<i64> Ecarts(TAffArbre &arbre, int e, i64 u)
{
    std::vector<i64> ecart(static_cast<size_t>(e));
    const i64 au = u < 0 ? -u : u;
    bool trop = false;
    i64 somme = 0;
    for (int k = e; k >= 1 && !trop; --k) {
        if (k >= 62 || au > (EtendueMax >> k)) {
            trop = true;
        } else {
            somme += au << k;
            trop = somme > EtendueMax;
        }
    }
    const i64 plafond = trop ? EtendueMax / e : EtendueMax;
    if (trop)
        arbre.SetCoupe();
    for (int g = 0; g < e; ++g) {
        const int k = e - g;
        const i64 a = (k >= 62 || au > (plafond >> k)) ? plafond : au << k;
        ecart[static_cast<size_t>(g)] = u < 0 ? -a : a;
    }
    return ecart;
}

// Styles 4 and 5.
struct Binaire {
    TAffArbre &arbre;
    const TBD &bd;
    Pas pas;
    int e;                  // generations laid out
    std::vector<i64> ecart; // by generation of the child
    i64 u;

    bool Parents(int p, int g, int &f, int &m) const
    {
        if (p <= 0 || g >= e)
            return false;
        f = bd.Father(p);
        m = bd.Mother(p);
        if (f <= 0 && m <= 0)
            return false;
        if (arbre.Plein()) {
            arbre.SetCoupe();
            return false;
        }
        return true;
    }

    void Vertical(i64 x, i64 y, int p, int g)
    {
        int f = 0;
        int m = 0;
        if (!Parents(p, g, f, m))
            return;
        const i64 d = ecart[static_cast<size_t>(g)];
        const i64 py = y - pas.h - pas.vs;
        if (f > 0) {
            const i64 fx = x - d;
            Lien(arbre, fx + u, y - pas.vs, x, y + pas.h / 2, p, f);
            Boite(arbre, fx, py, f);
            Vertical(fx, py, f, g + 1);
        }
        if (m > 0) {
            const i64 mx = x + d;
            Lien(arbre, mx + pas.L - u, y - pas.vs, x + pas.L, y + pas.h / 2, p, m);
            Boite(arbre, mx, py, m);
            Vertical(mx, py, m, g + 1);
        }
    }

    void Horizontal(i64 x, i64 y, int p, int g)
    {
        int f = 0;
        int m = 0;
        if (!Parents(p, g, f, m))
            return;
        const i64 d = ecart[static_cast<size_t>(g)];
        const i64 px = x - pas.hs;
        if (f > 0) {
            const i64 fy = y - d;
            Lien(arbre, px + pas.L, fy + pas.h / 2, x + pas.L - pas.hs / 2, y, p, f);
            Boite(arbre, px, fy, f);
            Horizontal(px, fy, f, g + 1);
        }
        if (m > 0) {
            const i64 my = y + d;
            Lien(arbre, px + pas.L, my + pas.h / 2, x + pas.L - pas.hs / 2, y + pas.h, p, m);
            Boite(arbre, px, my, m);
            Horizontal(px, my, m, g + 1);
        }
    }
};

// Style 1.
struct Groupe {
    TAffArbre &arbre;
    const TBD &bd;
    Pas pas;
    i64 x0;
    i64 cx;
    i64 cy;

    // g is the generation of p's parents.
    void Ajoute(i64 x, i64 y, int p, int g)
    {
        if (p <= 0)
            return;
        const int parents[2] = {bd.Father(p), bd.Mother(p)};
        if ((parents[0] <= 0 && parents[1] <= 0) || !Montre(arbre, pas, g))
            return;
        // The link leaves the child's bottom edge hs / 2 inside its right side,
        // but never right of its middle.
        const i64 decalage = std::max(pas.L - pas.hs / 2, pas.L / 2);
        for (const int q : parents) {
            if (q <= 0)
                continue;
            cy += pas.h + pas.vs;
            cx = x0 - pas.hs * g;
            Lien(arbre, x + decalage, y + pas.h, cx + pas.L, cy + pas.h / 2, p, q);
            Boite(arbre, cx, cy, q);
            if (!bd.TreeFold(q))
                Ajoute(cx, cy, q, g + 1);
        }
    }
};

struct Point64 {
    i64 x = 0;
    i64 y = 0;
};

// Styles 2 and 3: the parents' subtrees are laid out first (their leaves at
// the cursor), then the child is centred between its parents. A child with
// a mother only sits under her, as a child with a father only sits under
// him.
struct Compact {
    TAffArbre &arbre;
    const TBD &bd;
    Pas pas;
    i64 curseur = 0;

    bool Branches(int p, int g, int f, int m) const
    {
        return (f > 0 || m > 0) && !bd.TreeFold(p) && Montre(arbre, pas, g);
    }

    // g is the generation of p's parents; the root call (g = 1) adds no box.
    Point64 Vert(int p, i64 y, int g)
    {
        const int f = bd.Father(p);
        const int m = bd.Mother(p);
        const bool branches = Branches(p, g, f, m);
        const i64 py = y - (pas.h + pas.vs);
        Point64 pf{curseur, py};
        Point64 pm;
        if (branches && f > 0)
            pf = Vert(f, py, g + 1);
        if (branches && m > 0) {
            if (f > 0)
                curseur += pas.L + pas.hs;
            pm = Vert(m, py, g + 1);
            if (f <= 0)
                pf = pm;
        } else {
            pm = pf;
        }
        const i64 x = (pf.x + pm.x) / 2;
        if (g > 1)
            Boite(arbre, x, y, p);
        if (branches && f > 0)
            Lien(arbre, x + pas.L / 2, y, pf.x + pas.L / 2, pf.y + pas.h, p, f);
        if (branches && m > 0)
            Lien(arbre, x + pas.L / 2, y, pm.x + pas.L / 2, pm.y + pas.h, p, m);
        return {x, y};
    }

    Point64 Horz(int p, i64 x, int g)
    {
        const int f = bd.Father(p);
        const int m = bd.Mother(p);
        const bool branches = Branches(p, g, f, m);
        const i64 px = x - (pas.L + pas.hs);
        Point64 pf{px, curseur};
        Point64 pm;
        if (branches && f > 0)
            pf = Horz(f, px, g + 1);
        if (branches && m > 0) {
            if (f > 0)
                curseur += pas.h + pas.vs;
            pm = Horz(m, px, g + 1);
            if (f <= 0)
                pf = pm;
        } else {
            pm = pf;
        }
        const i64 y = (pf.y + pm.y) / 2;
        if (g > 1)
            Boite(arbre, x, y, p);
        if (branches && f > 0)
            Lien(arbre, x, y + pas.h / 2, pf.x + pas.L, pf.y + pas.h / 2, p, f);
        if (branches && m > 0)
            Lien(arbre, x, y + pas.h / 2, pm.x + pas.L, pm.y + pas.h / 2, p, m);
        return {x, y};
    }
};

} // namespace

void AscGroupe(TAffArbre &arbre, const TBD &bd, int x0, int y0)
{
    Groupe w{arbre, bd, LitPas(), x0, x0, y0};
    w.Ajoute(x0, y0, RefPers, 1);
}

QPoint AscCompactVert(TAffArbre &arbre, const TBD &bd)
{
    Compact w{arbre, bd, LitPas()};
    const Point64 r = w.Vert(RefPers, (w.pas.h + w.pas.vs) * w.pas.n, 1);
    return {Etroit(arbre, r.x), Etroit(arbre, r.y)};
}

QPoint AscCompactHorz(TAffArbre &arbre, const TBD &bd)
{
    Compact w{arbre, bd, LitPas()};
    const Point64 r = w.Horz(RefPers, 300, 1);
    return {Etroit(arbre, r.x), Etroit(arbre, r.y)};
}

void AscVertical(TAffArbre &arbre, const TBD &bd, int x0, int y0)
{
    const Pas pas = LitPas();
    const i64 u = (pas.L + pas.hs) / 4;
    const int e = ProfondeurMontree(arbre, bd, pas);
    if (e <= 0)
        return;
    Binaire w{arbre, bd, pas, e, Ecarts(arbre, e, u), u};
    w.Vertical(x0, y0, RefPers, 0);
}

void AscHorizontal(TAffArbre &arbre, const TBD &bd, int x0, int y0)
{
    const Pas pas = LitPas();
    const i64 u = pas.h / 2 + pas.vs;
    const int e = ProfondeurMontree(arbre, bd, pas);
    if (e <= 0)
        return;
    Binaire w{arbre, bd, pas, e, Ecarts(arbre, e, u), u};
    w.Horizontal(x0, y0, RefPers, 0);
}
