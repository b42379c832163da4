#include "Suppression.h"

#include <algorithm>

#include "BD.h"
#include "Dates.h"
#include "Globales.h"
#include "Parente.h"

int PersonneApresSuppression(const TBD &bd, int courant)
{
    int p = courant;
    if (!bd.PersonInUse(p)) {
        p = bd.PrevPerson(p);
        if (p == 0)
            p = bd.NextPerson(courant);
    }
    if (!bd.PersonInUse(RefPers))
        RefPers = p;
    return p;
}

namespace {

// The walks below keep their own "seen" bytes instead of the relatives
// queries' lists, which keep duplicates: under pedigree collapse those lists
// double at every shared generation, and 999 generations of them never end.
class TEnsemble
{
public:
    explicit TEnsemble(const TBD &bd)
        : m_vu(static_cast<size_t>(bd.PersonCount()) + 1, 0)
    {
    }

    // True the first time p is added.
    bool Ajoute(int p)
    {
        if (p < 1 || p >= static_cast<int>(m_vu.size()) || m_vu[static_cast<size_t>(p)])
            return false;
        m_vu[static_cast<size_t>(p)] = 1;
        return true;
    }

private:
    std::vector<char> m_vu;
};

// Calls f for each partner in use of p, in the role p's sex gives it, as the
// record form shows them. Their order does not matter here, so the unions
// are not sorted by date.
template <typename F>
void pourConjoints(const TBD &bd, int p, F f)
{
    const bool homme = bd.Sex(p) == SexeHomme;
    for (int u : bd.IndexUnions(p)) {
        const int mari = bd.Husband(u);
        const int femme = bd.Wife(u);
        if (homme ? mari != p : femme != p)
            continue;
        const int c = homme ? femme : mari;
        if (bd.PersonInUse(c))
            f(c);
    }
}

// The starting persons in use and their ancestors over n generations, each
// once. Breadth first: a person reached by two paths is met first by the
// shorter one, the one that leaves it the most generations to climb.
std::vector<int> ascendance(const TBD &bd, const std::vector<int> &depart, int n)
{
    TEnsemble vu(bd);
    std::vector<int> r;
    for (int p : depart) {
        if (bd.PersonInUse(p) && vu.Ajoute(p))
            r.push_back(p);
    }
    size_t debut = 0;
    for (int g = 1; g <= n && debut < r.size(); ++g) {
        const size_t fin = r.size();
        for (size_t i = debut; i < fin; ++i) {
            const int x = r[i];
            for (int parent : {bd.Father(x), bd.Mother(x)}) {
                if (bd.PersonInUse(parent) && vu.Ajoute(parent))
                    r.push_back(parent);
            }
        }
        debut = fin;
    }
    return r;
}

// The descendants over n generations of the starting persons, each once,
// the starting persons themselves left out (also when a damaged file makes
// one of them its own descendant).
std::vector<int> descendance(const TBD &bd, const std::vector<int> &depart, int n)
{
    TEnsemble vu(bd);
    std::vector<int> generation;
    for (int p : depart) {
        if (bd.PersonInUse(p) && vu.Ajoute(p))
            generation.push_back(p);
    }
    std::vector<int> r;
    for (int g = 1; g <= n && !generation.empty(); ++g) {
        std::vector<int> suivante;
        for (int x : generation) {
            for (int enfant : bd.IndexEnfants(x)) {
                if (bd.PersonInUse(enfant) && vu.Ajoute(enfant))
                    suivante.push_back(enfant);
            }
        }
        r.insert(r.end(), suivante.begin(), suivante.end());
        generation.swap(suivante);
    }
    return r;
}

std::vector<int> conjointsDe(const TBD &bd, const std::vector<int> &personnes)
{
    TEnsemble vu(bd);
    std::vector<int> r;
    for (int p : personnes) {
        pourConjoints(bd, p, [&](int c) {
            if (vu.Ajoute(c))
                r.push_back(c);
        });
    }
    return r;
}

std::vector<int> fratrieDe(const TBD &bd, const std::vector<int> &personnes)
{
    TEnsemble vu(bd);
    std::vector<int> r;
    for (int p : personnes) {
        for (int f : SiblingsOf(bd, p)) {
            if (vu.Ajoute(f))
                r.push_back(f);
        }
    }
    return r;
}

class TMarqueur
{
public:
    TMarqueur(const TBD &bd, TMarques &marques)
        : m_bd(bd)
        , m_marques(marques)
    {
    }

    void Marque(int p)
    {
        if (p >= 1 && p < static_cast<int>(m_marques.size()))
            m_marques[static_cast<size_t>(p)] = 1;
    }

    void Marque(const std::vector<int> &personnes)
    {
        for (int p : personnes)
            Marque(p);
    }

    // The partners of the persons under `conjoints`, with their ancestors
    // over `generations` under `ascendance`.
    void MarqueConjoints(const std::vector<int> &personnes, bool conjoints, bool ascendanceAussi,
                         int generations)
    {
        if (!conjoints || personnes.empty())
            return;
        const std::vector<int> partenaires = conjointsDe(m_bd, personnes);
        Marque(partenaires);
        if (ascendanceAussi)
            Marque(ascendance(m_bd, partenaires, generations));
    }

private:
    const TBD &m_bd;
    TMarques &m_marques;
};

} // namespace

TMarques MarquesSuppression(const TBD &bd, int reference, const TCriteresSuppression &c,
                            const TR &rapport)
{
    TMarques marques(static_cast<size_t>(bd.PersonCount()) + 1, 0);
    TMarqueur m(bd, marques);
    const int ref = bd.PersonInUse(reference) ? reference : 0;
    auto generations = [](int n) { return std::max(n, 0); };

    if (c.Personne)
        m.Marque(ref);
    if (c.Pere && bd.PersonInUse(bd.Father(ref)))
        m.Marque(bd.Father(ref));
    if (c.Mere && bd.PersonInUse(bd.Mother(ref)))
        m.Marque(bd.Mother(ref));
    if (c.Conjoints)
        pourConjoints(bd, ref, [&](int p) { m.Marque(p); });
    if (c.Fratrie) {
        for (int p : SiblingsOf(bd, ref))
            m.Marque(p);
    }
    if (c.Enfants && ref != 0) {
        for (int p : bd.IndexEnfants(ref)) {
            if (bd.PersonInUse(p))
                m.Marque(p);
        }
    }

    if (c.Asc && ref != 0) {
        const bool conjAsc = c.AscConj && c.AscConjAsc;
        const int genConj = generations(c.AscConjAscGen);
        const std::vector<int> lignee = ascendance(bd, {ref}, generations(c.AscGen));
        m.Marque(lignee);
        m.MarqueConjoints(lignee, c.AscConj, conjAsc, genConj);
        if (c.AscFratrie) {
            std::vector<int> fratrie = fratrieDe(bd, lignee);
            if (c.AscFratrieDes) {
                const std::vector<int> des = descendance(bd, fratrie, GenerationsFratrieDes);
                fratrie.insert(fratrie.end(), des.begin(), des.end());
            }
            m.Marque(fratrie);
            m.MarqueConjoints(fratrie, c.AscConj, conjAsc, genConj);
        }
    }

    if (c.Des && ref != 0) {
        const std::vector<int> des = descendance(bd, {ref}, generations(c.DesGen));
        m.Marque(des);
        m.MarqueConjoints(des, c.DesConj, c.DesConj && c.DesConjAsc, generations(c.DesConjAscGen));
    }

    if (c.Age) {
        for (int p = 1; p <= bd.PersonCount(); ++p) {
            if (!bd.PersonInUse(p))
                continue;
            // Most persons have no birth date; reading today's date for
            // them would cost a look at the time zone each.
            const QString naissance = bd.BirthDate(p);
            if (naissance.isEmpty())
                continue;
            const int age = AgeInYears(naissance);
            if (age > 0 && age < c.AgeMax)
                m.Marque(p);
        }
    }

    if (c.Rapport) {
        for (int p : rapport)
            m.Marque(p);
    }
    return marques;
}

bool EstSupprimee(const TBD &bd, const TMarques &marques, bool conserver, int p)
{
    if (!bd.PersonInUse(p))
        return false;
    const bool marquee = p < static_cast<int>(marques.size()) && marques[static_cast<size_t>(p)];
    return marquee != conserver;
}

int CompteSuppression(const TBD &bd, const TMarques &marques, bool conserver)
{
    int n = 0;
    for (int p = 1; p <= bd.PersonCount(); ++p) {
        if (EstSupprimee(bd, marques, conserver, p))
            ++n;
    }
    return n;
}

TR ListeSuppression(const TBD &bd, const TMarques &marques, bool conserver)
{
    TR r;
    for (int p = 1; p <= bd.PersonCount(); ++p) {
        if (EstSupprimee(bd, marques, conserver, p))
            r.Add(p);
    }
    return r;
}

int SupprimePersonnes(TBD &bd, const TMarques &marques, bool conserver, int courant)
{
    const int haut = bd.PersonCount();
    std::vector<char> retiree(static_cast<size_t>(haut) + 1, 0);
    for (int p = 1; p <= haut; ++p) {
        if (!EstSupprimee(bd, marques, conserver, p))
            continue;
        if (p == courant) {
            // The parents are tested when the person goes, so a parent
            // removed earlier in this loop is passed over, and one removed
            // later moves the current person up once more.
            if (bd.PersonInUse(bd.Father(p)))
                courant = bd.Father(p);
            else if (bd.PersonInUse(bd.Mother(p)))
                courant = bd.Mother(p);
        }
        retiree[static_cast<size_t>(p)] = 1;
        bd.ClearPerson(p);
    }

    courant = PersonneApresSuppression(bd, courant);
    BaseModifiee = 1;

    for (int p = 1; p <= haut; ++p) {
        if (!bd.PersonInUse(p))
            continue;
        if (bd.Father(p) != 0 && !bd.PersonInUse(bd.Father(p))) {
            bd.SetFather(p, 0);
            bd.SetFatherLinkStatus(p, 0);
        }
        if (bd.Mother(p) != 0 && !bd.PersonInUse(bd.Mother(p))) {
            bd.SetMother(p, 0);
            bd.SetMotherLinkStatus(p, 0);
        }
    }

    auto perdu = [&](int partenaire) {
        return partenaire >= 1 && partenaire <= haut && retiree[static_cast<size_t>(partenaire)];
    };
    for (int u = 1; u <= bd.UnionCount(); ++u) {
        if (!bd.UnionInUse(u))
            continue;
        if (perdu(bd.Husband(u)) || perdu(bd.Wife(u))) {
            bd.ClearUnion(u);
            continue;
        }
        // A union elsewhere whose partner is merely not known yet is kept:
        // only a number that names no person is dropped.
        if (bd.Husband(u) != 0 && !bd.PersonInUse(bd.Husband(u)))
            bd.SetHusband(u, 0);
        if (bd.Wife(u) != 0 && !bd.PersonInUse(bd.Wife(u)))
            bd.SetWife(u, 0);
        if (bd.Husband(u) == 0 && bd.Wife(u) == 0)
            bd.ClearUnion(u);
    }
    return courant;
}
