#include "LayoutsDes.h"

#include "BD.h"
#include "Globales.h"
#include "Listes.h"
#include "Look.h"
#include "Parente.h"
#include "TAffArbre.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <unordered_map>
#include <vector>

namespace {

using i64 = std::int64_t;

bool Tient(i64 v)
{
    return v >= std::numeric_limits<int>::min() && v <= std::numeric_limits<int>::max();
}

// Geometry is computed in 64 bits; an item that would not fit in the tree's
// 32-bit coordinates is refused and stops the layout, since every later item
// of a growing cursor would be refused too.
class Sortie
{
public:
    explicit Sortie(TAffArbre &arbre)
        : m_arbre(arbre)
    {
    }

    bool Arret() const { return m_arret; }

    // False once the layout must stop (the tree is full, or a coordinate
    // overflowed); the tree is then marked as cut.
    bool Peut()
    {
        if (m_arret)
            return false;
        if (m_arbre.Plein()) {
            Stoppe();
            return false;
        }
        return true;
    }

    void Boite(i64 x, i64 y, int personne, int look)
    {
        if (!Peut())
            return;
        if (!Tient(x) || !Tient(y)) {
            Stoppe();
            return;
        }
        m_arbre.AjouteBoite(static_cast<int>(x), static_cast<int>(y), personne, look);
    }

    void Lien(i64 x1, i64 y1, i64 x2, i64 y2, int p1, int p2)
    {
        if (!Peut())
            return;
        if (!Tient(x1) || !Tient(y1) || !Tient(x2) || !Tient(y2)) {
            Stoppe();
            return;
        }
        m_arbre.AjouteLien(static_cast<int>(x1), static_cast<int>(y1), static_cast<int>(x2),
                           static_cast<int>(y2), p1, p2, 2);
    }

    void Stoppe()
    {
        m_arret = true;
        m_arbre.SetCoupe();
    }

private:
    TAffArbre &m_arbre;
    bool m_arret = false;
};

TR EnfantsParNaissance(const TBD &bd, int p)
{
    TR enfants = ChildrenOf(bd, p);
    SortListByDate(bd, enfants, PcNaissanceDate);
    return enfants;
}

// ---- Style 1: indented list --------------------------------------------

class Groupe
{
public:
    Groupe(TAffArbre &arbre, const TBD &bd, bool conj)
        : m_sortie(arbre)
        , m_bd(bd)
        , m_conj(conj)
    {
    }

    void Place(int x0, int y0)
    {
        const T1Aff &l1 = Looks[1];
        const int p0 = RefPers;
        m_cx = x0;
        m_cy = y0;
        const int s = m_conj ? LastSpouse(m_bd, p0) : 0;
        // The reference person's spouse goes where look 1's style leaves room
        // for it; the descendance then starts from the shifted cursor.
        switch (l1.Style) {
        case 1:
        case 5:
            m_cx += l1.Large;
            if (s > 0)
                m_sortie.Boite(m_cx, m_cy, s, 1);
            break;
        case 2:
        case 4:
            if (s > 0) {
                m_cy += l1.HauteurBoite;
                m_sortie.Boite(m_cx, m_cy, s, 1);
            }
            break;
        case 3:
            if (s > 0)
                m_sortie.Boite(m_cx + l1.Large, m_cy, s, 1);
            break;
        default:
            break;
        }
        m_cy += l1.HauteurBoite - Looks[2].HauteurBoite;
        Descend(m_cx, m_cy, p0, 1);
    }

private:
    void Descend(i64 x, i64 y, int p, int g)
    {
        const T1Aff &l2 = Looks[2];
        if (p <= 0 || g > l2.NbreGen)
            return;
        TR enfants = EnfantsParNaissance(m_bd, p);
        if (g > MaxGenerationsDes) {
            if (!enfants.IsEmpty())
                m_sortie.Stoppe();
            return;
        }
        const i64 h2 = l2.HauteurBoite;
        const i64 decalage = std::min(l2.PasHorz / 2, l2.Large / 2);
        for (int c : enfants) {
            if (!m_sortie.Peut())
                return;
            m_cy += h2 + l2.PasVert;
            const i64 xc = m_cx + static_cast<i64>(l2.PasHorz) * g;
            m_sortie.Lien(x + decalage, y + h2, xc, m_cy + h2 / 2, p, c);
            m_sortie.Boite(xc, m_cy, c, 2);
            if (m_conj) {
                const int s = LastSpouse(m_bd, c);
                if (s > 0)
                    m_sortie.Boite(xc + l2.Large, m_cy, s, 2);
            }
            if (!m_bd.TreeFold(c))
                Descend(xc, m_cy, c, g + 1);
        }
    }

    Sortie m_sortie;
    const TBD &m_bd;
    bool m_conj;
    i64 m_cx = 0;
    i64 m_cy = 0;
};

// ---- Styles 2 and 3: compact trees -------------------------------------

struct Noeud {
    i64 x = 0;
    i64 y = 0;
    int personne = 0;
    // The person whose child this row is; 0 for a top-level row, -1 for a
    // spouse row.
    int parent = 0;
    // The row's person has its spouse row right after it.
    bool conjointApres = false;
};

// Room kept at the end of the table for the reference person and its
// spouse, so that a cut descendance still has its root.
constexpr int ReserveRacine = 2;

class Compact
{
public:
    Compact(TAffArbre &arbre, const TBD &bd, int p0, bool vertical, bool conj, bool fratrie)
        : m_arbre(arbre)
        , m_sortie(arbre)
        , m_bd(bd)
        , m_p0(p0)
        , m_vertical(vertical)
        , m_conj(conj)
        , m_fratrie(fratrie)
    {
    }

    void Place(int x0, int y0)
    {
        if (m_p0 <= 0)
            return;
        m_x0 = x0;
        m_y0 = y0;
        if (m_fratrie)
            PlaceFratrie();
        else
            PlaceDescendance();
        if (m_tableFermee)
            m_arbre.SetCoupe();
    }

private:
    const T1Aff &L1() const { return Looks[1]; }
    const T1Aff &L2() const { return Looks[2]; }

    // Distance between two neighbouring leaves, and between two generations.
    i64 PasFeuille() const
    {
        return m_vertical ? i64(L2().Large) + L2().PasHorz : i64(L2().HauteurBoite) + L2().PasVert;
    }
    i64 PasGeneration() const
    {
        if (m_vertical)
            return i64(L2().HauteurBoite) * (m_conj ? 2 : 1) + L2().PasVert;
        return i64(L2().Large) * (m_conj ? 2 : 1) + L2().PasHorz;
    }

    // Every row but the spouses' and the reference's has a link to its
    // parent, and the sibling chain has one link per sibling: the rows of a
    // cut descendance keep room for their links among the tree's items.
    i64 LignesMax() const { return m_arbre.LimiteElements() / 2; }

    // Room for a row of `lignes` rows (a person, and its spouse), the rows
    // promised to the ancestors being laid out counted. The reference rows
    // always have room; the first refusal closes the table so that no later
    // row fills a gap out of order.
    bool PlaceLibre(int lignes, bool racine)
    {
        if (racine)
            return true;
        if (m_tableFermee
            || static_cast<i64>(m_noeuds.size()) + lignes + m_promises > LignesMax() - ReserveRacine) {
            m_tableFermee = true;
            return false;
        }
        return true;
    }

    void AjouteNoeud(i64 x, i64 y, int personne, int parent, bool conjointApres)
    {
        if (personne == m_p0 && parent == 0)
            m_ligneRacine = static_cast<int>(m_noeuds.size());
        m_noeuds.push_back({x, y, personne, parent, conjointApres});
    }

    // A person's row, with its last spouse's row after it when asked.
    void AjoutePersonne(i64 x, i64 y, int personne, int parent, int conjoint)
    {
        if (conjoint > 0) {
            AjouteNoeud(x, y, personne, parent, true);
            if (m_vertical)
                AjouteNoeud(x, y + L2().HauteurBoite, conjoint, -1, false);
            else
                AjouteNoeud(x + L2().Large, y, conjoint, -1, false);
        } else {
            AjouteNoeud(x, y, personne, parent, false);
        }
    }

    // Lays out a list of brothers and sisters of generation g, appending each
    // person's descendants before the person: leaves take the next place of
    // the cursor, a parent is centred over the span of its leaves.
    void Descend(const TR &liste, int parent, int g)
    {
        const i64 demande = i64(L2().NbreGen) + (m_fratrie ? 1 : 0);
        if (g > demande)
            return;
        if (g > MaxGenerationsDes + (m_fratrie ? 1 : 0)) {
            if (!liste.IsEmpty())
                m_arbre.SetCoupe();
            return;
        }
        bool premier = true;
        for (int c : liste) {
            const bool racine = g == 1 && m_fratrie && c == m_p0;
            if (m_tableFermee && !racine)
                continue;
            const int conjoint = m_conj ? LastSpouse(m_bd, c) : 0;
            const int lignes = conjoint > 0 ? 2 : 1;
            // A person whose rows would not fit takes no place: the cursor
            // moves between two persons shown only, so a cut list leaves no
            // empty place behind it.
            if (!PlaceLibre(lignes, racine))
                continue;
            if (!premier)
                m_curseur += PasFeuille();
            premier = false;
            const i64 debut = m_curseur;
            if (!m_tableFermee && !m_bd.TreeFold(c)) {
                const TR enfants = EnfantsParNaissance(m_bd, c);
                if (!enfants.IsEmpty()) {
                    // The descendants leave room for this person's rows, so
                    // that no row shown lacks its parent's row.
                    const int promises = racine ? 0 : lignes;
                    m_promises += promises;
                    Descend(enfants, c, g + 1);
                    m_promises -= promises;
                }
            }
            const i64 fin = m_curseur;
            const i64 milieu = debut + (fin - debut) / 2;
            const i64 niveau = (m_vertical ? m_y0 : m_x0) + PasGeneration() * g;
            if (m_vertical)
                AjoutePersonne(milieu, niveau, c, parent, conjoint);
            else
                AjoutePersonne(niveau, milieu, c, parent, conjoint);
        }
    }

    void PlaceDescendance()
    {
        Descend(EnfantsParNaissance(m_bd, m_p0), m_p0, 1);
        const i64 w = m_curseur / 2;
        const int conjoint = m_conj ? LastSpouse(m_bd, m_p0) : 0;
        // The reserve guarantees room for these rows.
        if (m_vertical) {
            if (conjoint > 0)
                AjouteNoeud(w, i64(m_y0) + L2().HauteurBoite, conjoint, 0, false);
            AjouteNoeud(w, m_y0, m_p0, 0, conjoint > 0);
        } else {
            if (conjoint > 0)
                AjouteNoeud(i64(m_x0) + L2().Large, w, conjoint, 0, false);
            AjouteNoeud(m_x0, w, m_p0, 0, conjoint > 0);
        }
        // The reference row falls on the reference box: same x (same y when
        // horizontal), bottoms (right sides) meeting.
        for (Noeud &n : m_noeuds) {
            if (m_vertical) {
                n.x += m_x0 - w;
                n.y += i64(L1().HauteurBoite) - L2().HauteurBoite;
            } else {
                n.y += m_y0 - w;
                n.x += i64(L1().Large) - L2().Large;
            }
        }
        // The last row is the reference person, whose box the builder adds.
        for (size_t k = 0; k + 1 < m_noeuds.size(); ++k)
            m_sortie.Boite(m_noeuds[k].x, m_noeuds[k].y, m_noeuds[k].personne, 2);
        LiensParents();
    }

    void PlaceFratrie()
    {
        TR liste = SiblingsOf(m_bd, m_p0);
        liste.Add(m_p0);
        SortListByDate(m_bd, liste, PcNaissanceDate);
        Descend(liste, 0, 1);
        if (m_ligneRacine < 0)
            return;
        const Noeud racine = m_noeuds[static_cast<size_t>(m_ligneRacine)];
        // The top-level rows sit one generation below y0 (right of x0); the
        // shift brings the reference row onto the reference box.
        for (Noeud &n : m_noeuds) {
            if (m_vertical) {
                n.x += m_x0 - racine.x;
                n.y += i64(L1().HauteurBoite) - 2 * i64(L2().HauteurBoite) - L2().PasVert
                       - (m_conj ? L2().HauteurBoite : 0);
            } else {
                n.y += m_y0 - racine.y;
                n.x += i64(L1().Large) - 2 * i64(L2().Large) - L2().PasHorz - (m_conj ? L2().Large : 0);
            }
        }
        for (size_t k = 0; k < m_noeuds.size(); ++k) {
            if (static_cast<int>(k) != m_ligneRacine)
                m_sortie.Boite(m_noeuds[k].x, m_noeuds[k].y, m_noeuds[k].personne, 2);
        }
        // The siblings are chained in table order, each to the one before.
        const i64 l2 = L2().Large;
        const i64 h2 = L2().HauteurBoite;
        const Noeud *precedent = nullptr;
        for (const Noeud &n : m_noeuds) {
            if (n.parent != 0)
                continue;
            if (precedent) {
                if (m_vertical)
                    m_sortie.Lien(precedent->x + l2, precedent->y + h2 / 2, n.x, n.y + h2 / 2, n.personne,
                                  n.personne);
                else
                    m_sortie.Lien(precedent->x + l2 / 2, precedent->y + h2, n.x + l2 / 2, n.y, n.personne,
                                  n.personne);
            }
            precedent = &n;
        }
        LiensParents();
    }

    // Each row is linked to its parent's row: the first row at or after it
    // whose person is that parent (children come before their parent, and a
    // person shown twice has one row per place). The rows of each person are
    // indexed so that the search does not rescan the table.
    void LiensParents()
    {
        std::unordered_map<int, std::vector<int>> lignesDe;
        for (size_t j = 0; j < m_noeuds.size(); ++j)
            lignesDe[m_noeuds[j].personne].push_back(static_cast<int>(j));
        const i64 l2 = L2().Large;
        const i64 h2 = L2().HauteurBoite;
        for (size_t k = 0; k + 1 < m_noeuds.size(); ++k) {
            const Noeud &n = m_noeuds[k];
            if (n.parent <= 0)
                continue;
            const auto it = lignesDe.find(n.parent);
            if (it == lignesDe.end())
                continue;
            const auto j = std::lower_bound(it->second.begin(), it->second.end(), static_cast<int>(k));
            if (j == it->second.end())
                continue;
            const Noeud &p = m_noeuds[static_cast<size_t>(*j)];
            const i64 etendue = p.conjointApres ? 2 : 1;
            if (m_vertical)
                m_sortie.Lien(n.x + l2 / 2, n.y, p.x + l2 / 2, p.y + h2 * etendue, n.personne, p.personne);
            else
                m_sortie.Lien(n.x, n.y + h2 / 2, p.x + l2 * etendue, p.y + h2 / 2, n.personne, p.personne);
            if (m_sortie.Arret())
                return;
        }
    }

    TAffArbre &m_arbre;
    Sortie m_sortie;
    const TBD &m_bd;
    int m_p0;
    bool m_vertical;
    bool m_conj;
    bool m_fratrie;
    i64 m_x0 = 0;
    i64 m_y0 = 0;
    std::vector<Noeud> m_noeuds;
    int m_ligneRacine = -1;
    bool m_tableFermee = false;
    // Rows owed to the persons whose descendants are being laid out.
    i64 m_promises = 0;
    i64 m_curseur = 0;
};

} // namespace

void DesGroupe(TAffArbre &arbre, const TBD &bd, int x0, int y0, bool showConj)
{
    Groupe(arbre, bd, showConj).Place(x0, y0);
}

void DesVertGroupe(TAffArbre &arbre, const TBD &bd, int refPers, int x0, int y0, bool showConj,
                   bool showFratrie)
{
    Compact(arbre, bd, refPers, true, showConj, showFratrie).Place(x0, y0);
}

void DesHorzGroupe(TAffArbre &arbre, const TBD &bd, int refPers, int x0, int y0, bool showConj,
                   bool showFratrie)
{
    Compact(arbre, bd, refPers, false, showConj, showFratrie).Place(x0, y0);
}
