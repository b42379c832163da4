#include "Parente.h"

#include "BD.h"
#include "Dates.h"

#include <QStringList>

#include <algorithm>
#include <iterator>
#include <unordered_map>

namespace {

// Walks that do not add an item at every step (the ancestors without
// parents, for instance) stop after this many steps, so that a damaged file
// with many crossing loops cannot hold the program.
constexpr long MaxEtapes = 4'000'000;

int partenaire(const TBD &bd, int u, int p)
{
    return bd.Husband(u) == p ? bd.Wife(u) : bd.Husband(u);
}

// True when p takes part in union u in the role its sex gives it.
bool dansLeRole(const TBD &bd, int u, int p)
{
    return bd.Sex(p) == SexeHomme ? bd.Husband(u) == p : bd.Wife(u) == p;
}

std::vector<int> unionsDansLeRole(const TBD &bd, int p)
{
    std::vector<int> unions;
    for (int u : bd.IndexUnions(p)) {
        if (dansLeRole(bd, u, p))
            unions.push_back(u);
    }
    // Dated unions are sorted by date among the places they hold; undated
    // ones stay where number order put them.
    TrieParDateEnPlace(unions, [&](int u) { return DateKey(bd.MarriageDate(u)); });
    return unions;
}

template <typename Liste>
Liste versListe(const std::vector<int> &items)
{
    Liste r;
    for (int x : items) {
        if (!r.Add(x))
            break;
    }
    return r;
}

std::vector<int> parentsConnus(const TBD &bd, int p)
{
    std::vector<int> parents;
    if (bd.PersonInUse(bd.Father(p)))
        parents.push_back(bd.Father(p));
    if (bd.PersonInUse(bd.Mother(p)))
        parents.push_back(bd.Mother(p));
    return parents;
}

std::vector<int> freresEtSoeurs(const TBD &bd, int p)
{
    std::vector<int> r;
    if (!bd.PersonInUse(p))
        return r;
    static const std::vector<int> aucun;
    const int pere = bd.Father(p);
    const int mere = bd.Mother(p);
    const std::vector<int> &a = bd.PersonInUse(pere) ? bd.IndexEnfants(pere) : aucun;
    const std::vector<int> &b = bd.PersonInUse(mere) && mere != pere ? bd.IndexEnfants(mere) : aucun;
    std::set_union(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(r));
    r.erase(std::remove(r.begin(), r.end(), p), r.end());
    return r;
}

std::vector<int> conjoints(const TBD &bd, int p)
{
    std::vector<int> r;
    for (int u : unionsDansLeRole(bd, p)) {
        const int c = partenaire(bd, u, p);
        if (bd.PersonInUse(c))
            r.push_back(c);
    }
    return r;
}

// Depth-first walk from a root. `suivants(x)` gives the persons reached from
// x; `visite(x, profondeur, nbSuivants)` is called once per arrival in
// pre-order and returns false to stop the walk. A person already on the path
// from the root is not entered again, which ends loops in the links without
// changing the result for loop-free data. Nodes at depth maxProfondeur are
// visited but not expanded. Returns false when the walk was cut short.
template <typename Suivants, typename Visite>
bool parcours(const TBD &bd, int racine, int maxProfondeur, Suivants suivants, Visite visite)
{
    struct Cadre {
        int Personne;
        std::vector<int> Aller;
        size_t Rang;
        int Profondeur;
    };
    std::vector<char> surChemin(static_cast<size_t>(bd.PersonCount()) + 1, 0);
    std::vector<Cadre> pile;
    long etapes = 0;

    auto entre = [&](int x, int profondeur) {
        const auto &tous = suivants(x);
        std::vector<int> s;
        if (profondeur < maxProfondeur) {
            for (int y : tous) {
                if (!surChemin[static_cast<size_t>(y)])
                    s.push_back(y);
            }
        }
        // Count the links that exist, even those skipped as loops, so that a
        // person whose parents are all on the path is not taken for an orphan.
        const int nbSuivants = static_cast<int>(tous.size());
        if (!visite(x, profondeur, nbSuivants))
            return false;
        surChemin[static_cast<size_t>(x)] = 1;
        pile.push_back({x, std::move(s), 0, profondeur});
        return true;
    };

    if (!entre(racine, 0))
        return false;
    while (!pile.empty()) {
        if (++etapes > MaxEtapes)
            return false;
        Cadre &haut = pile.back();
        if (haut.Rang >= haut.Aller.size()) {
            surChemin[static_cast<size_t>(haut.Personne)] = 0;
            pile.pop_back();
            continue;
        }
        const int y = haut.Aller[haut.Rang++];
        const int profondeur = haut.Profondeur + 1;
        if (surChemin[static_cast<size_t>(y)])
            continue;
        if (!entre(y, profondeur))
            return false;
    }
    return true;
}

// Decimal text of 2n or 2n + 1 for a decimal text n of any length.
QString doubleDecimal(const QString &n, bool plusUn)
{
    QString r;
    int retenue = plusUn ? 1 : 0;
    for (qsizetype i = n.size() - 1; i >= 0; --i) {
        const int v = (n[i].unicode() - '0') * 2 + retenue;
        r.prepend(QChar(u'0' + v % 10));
        retenue = v / 10;
    }
    if (retenue)
        r.prepend(QChar(u'0' + retenue));
    return r;
}

bool estDecimal(const QString &t)
{
    if (t.isEmpty())
        return false;
    for (QChar c : t) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

// Adds a number to a person's numbering list unless it is there already.
void ajouteNumero(TBD &bd, int p, const QString &numero)
{
    const QString actuel = bd.GetField(p, PcNumerotation);
    QStringList numeros = actuel.isEmpty() ? QStringList() : actuel.split(QLatin1Char(','));
    for (const QString &n : numeros) {
        if (n.trimmed() == numero)
            return;
    }
    numeros.append(numero);
    bd.SetField(p, PcNumerotation, numeros.join(QLatin1Char(',')));
}

void propageSosa(TBD &bd, int p, int parent, bool mere)
{
    if (!bd.PersonInUse(parent))
        return;
    const QStringList numeros = bd.GetField(p, PcNumerotation).split(QLatin1Char(','));
    for (const QString &brut : numeros) {
        QString n = brut.trimmed();
        while (n.size() > 1 && n.startsWith(QLatin1Char('0')))
            n.remove(0, 1);
        if (estDecimal(n))
            ajouteNumero(bd, parent, doubleDecimal(n, mere));
    }
}

} // namespace

TR AllPersons(const TBD &bd)
{
    TR r;
    for (int p = 1; p <= bd.PersonCount(); ++p) {
        if (bd.PersonInUse(p))
            r.Add(p);
    }
    return r;
}

TR FindBySurname(const TBD &bd, const QString &nom)
{
    TR r;
    for (int p = 1; p <= bd.PersonCount(); ++p) {
        if (bd.PersonInUse(p) && bd.Surname(p) == nom)
            r.Add(p);
    }
    return r;
}

TR ParentsOf(const TBD &bd, int p)
{
    return versListe<TR>(parentsConnus(bd, p));
}

TRR ParentsOfTRR(const TBD &bd, int p)
{
    return versListe<TRR>(parentsConnus(bd, p));
}

TR SiblingsOf(const TBD &bd, int p)
{
    return versListe<TR>(freresEtSoeurs(bd, p));
}

TR ChildrenOf(const TBD &bd, int p)
{
    if (p < 1)
        return TR();
    return versListe<TR>(bd.IndexEnfants(p));
}

bool HasChildren(const TBD &bd, int p)
{
    return p >= 1 && !bd.IndexEnfants(p).empty();
}

TR UnionsOf(const TBD &bd, int p)
{
    return versListe<TR>(unionsDansLeRole(bd, p));
}

TRR UnionsOfTRR(const TBD &bd, int p)
{
    return versListe<TRR>(unionsDansLeRole(bd, p));
}

TR SpousesOf(const TBD &bd, int p)
{
    return versListe<TR>(conjoints(bd, p));
}

int SpouseCount(const TBD &bd, int p)
{
    int n = 0;
    for (int u : bd.IndexUnions(p)) {
        if (dansLeRole(bd, u, p))
            ++n;
    }
    return n;
}

int UnionOf(const TBD &bd, int a, int b)
{
    // A couple whose sexes are not a man and a woman may have been recorded
    // either way round: both are accepted.
    const std::vector<int> &unions = bd.IndexUnions(a);
    for (auto it = unions.rbegin(); it != unions.rend(); ++it) {
        const int h = bd.Husband(*it);
        const int w = bd.Wife(*it);
        if ((h == a && w == b) || (h == b && w == a))
            return *it;
    }
    return 0;
}

int LastSpouse(const TBD &bd, int p)
{
    if (!bd.PersonInUse(p) || bd.Sex(p) == SexeInconnu)
        return 0;
    const std::vector<int> unions = unionsDansLeRole(bd, p);
    if (unions.empty())
        return 0;
    return partenaire(bd, unions.back(), p);
}

bool HasUnion(const TBD &bd, int p)
{
    for (int u : bd.IndexUnions(p)) {
        if (dansLeRole(bd, u, p))
            return true;
    }
    return false;
}

namespace {

template <typename Fonction>
TR pourChaque(const TR &liste, Fonction relatifs)
{
    TR r;
    for (int x : liste) {
        for (int y : relatifs(x)) {
            if (!r.Add(y))
                return r;
        }
    }
    return r;
}

} // namespace

TR ParentsOfList(const TBD &bd, const TR &liste)
{
    return pourChaque(liste, [&](int x) { return parentsConnus(bd, x); });
}

TR SiblingsOfList(const TBD &bd, const TR &liste)
{
    return pourChaque(liste, [&](int x) { return freresEtSoeurs(bd, x); });
}

TR ChildrenOfList(const TBD &bd, const TR &liste)
{
    return pourChaque(liste, [&](int x) {
        return x < 1 ? std::vector<int>() : bd.IndexEnfants(x);
    });
}

TR SpousesOfList(const TBD &bd, const TR &liste)
{
    return pourChaque(liste, [&](int x) { return conjoints(bd, x); });
}

TR AncestorsOf(const TBD &bd, int p, int n)
{
    TR r;
    if (!bd.PersonInUse(p))
        return r;
    r.Add(p);
    std::vector<int> generation{p};
    for (int g = 1; g <= n && !generation.empty(); ++g) {
        std::vector<int> suivante;
        for (int x : generation) {
            for (int parent : parentsConnus(bd, x)) {
                if (!r.Add(parent))
                    return r;
                suivante.push_back(parent);
            }
        }
        generation.swap(suivante);
    }
    return r;
}

TR DescendantsOf(const TBD &bd, int p, int n)
{
    TR r;
    if (!bd.PersonInUse(p) || n < 1)
        return r;
    const bool complet = parcours(
        bd, p, n, [&](int x) -> const std::vector<int> & { return bd.IndexEnfants(x); },
        [&](int x, int profondeur, int) { return profondeur == 0 || r.Add(x); });
    if (!complet)
        r.SetTronquee(true);
    return r;
}

TR AncestorsWithoutParents(const TBD &bd, int p)
{
    TR r;
    if (!bd.PersonInUse(p))
        return r;
    const bool complet = parcours(
        bd, p, MaxPersonnes, [&](int x) { return parentsConnus(bd, x); },
        [&](int x, int, int nbParents) { return nbParents > 0 || r.Add(x); });
    if (!complet)
        r.SetTronquee(true);
    return r;
}

TR AncestorsMissingAParent(const TBD &bd, int p)
{
    TR r;
    if (!bd.PersonInUse(p))
        return r;
    const bool complet = parcours(
        bd, p, MaxPersonnes, [&](int x) { return parentsConnus(bd, x); },
        [&](int x, int, int nbParents) { return nbParents == 2 || r.Add(x); });
    if (!complet)
        r.SetTronquee(true);
    return r;
}

TR DescendantsWithoutChildren(const TBD &bd, int p)
{
    TR r;
    if (!bd.PersonInUse(p))
        return r;
    const bool complet = parcours(
        bd, p, MaxPersonnes, [&](int x) -> const std::vector<int> & { return bd.IndexEnfants(x); },
        [&](int x, int, int nbEnfants) { return nbEnfants > 0 || r.Add(x); });
    if (!complet)
        r.SetTronquee(true);
    return r;
}

namespace {

// Every ancestor of p within n generations with its smallest distance.
// Generation by generation, each ancestor entered once, at the first (so the
// smallest) distance that reaches it: following every path instead would
// take time exponential in the depth wherever lines meet again, and would
// never end on a loop in the parent links.
std::unordered_map<int, int> distancesAncetres(const TBD &bd, int p, int n)
{
    std::unordered_map<int, int> distances;
    distances[p] = 0;
    std::vector<int> generation{p};
    for (int g = 1; g <= n && !generation.empty(); ++g) {
        std::vector<int> suivante;
        for (int x : generation) {
            for (int parent : parentsConnus(bd, x)) {
                if (distances.emplace(parent, g).second)
                    suivante.push_back(parent);
            }
        }
        generation.swap(suivante);
    }
    return distances;
}

} // namespace

bool FindCommonAncestor(const TBD &bd, int a, int b, int n, TAncetreCommun *resultat)
{
    // "Nearest" is the smallest sum of the two distances: the fewest
    // generations between the two persons through that ancestor.
    if (!bd.PersonInUse(a) || !bd.PersonInUse(b))
        return false;
    const auto deA = distancesAncetres(bd, a, n);
    const auto deB = distancesAncetres(bd, b, n);
    TAncetreCommun meilleur;
    bool trouve = false;
    for (const auto &[x, da] : deA) {
        const auto it = deB.find(x);
        if (it == deB.end())
            continue;
        const int db = it->second;
        const bool mieux = !trouve
            || da + db < meilleur.DistanceA + meilleur.DistanceB
            || (da + db == meilleur.DistanceA + meilleur.DistanceB
                && (da < meilleur.DistanceA || (da == meilleur.DistanceA && x < meilleur.Ancetre)));
        if (mieux) {
            meilleur = {x, da, db};
            trouve = true;
        }
    }
    if (trouve && resultat)
        *resultat = meilleur;
    return trouve;
}

bool HasSosaNumber(const TBD &bd, int p)
{
    const QString n = bd.GetField(p, PcNumerotation);
    return !n.isEmpty() && !n.contains(QLatin1Char('/'));
}

void PropagateSosaToFather(TBD &bd, int p)
{
    propageSosa(bd, p, bd.Father(p), false);
}

void PropagateSosaToMother(TBD &bd, int p)
{
    propageSosa(bd, p, bd.Mother(p), true);
}

namespace {

void numeroteAncetres(TBD &bd, int racine, int generations)
{
    std::vector<int> generation{racine};
    for (int g = 1; g <= generations && !generation.empty(); ++g) {
        std::vector<int> suivante;
        for (int x : generation) {
            PropagateSosaToFather(bd, x);
            PropagateSosaToMother(bd, x);
            for (int parent : parentsConnus(bd, x)) {
                if (std::find(suivante.begin(), suivante.end(), parent) == suivante.end())
                    suivante.push_back(parent);
            }
        }
        generation.swap(suivante);
    }
}

// The children of x in numbering groups: one group in birth order, or with
// parFamille one group per union (in union order) and a last group of the
// children of no union of x. The flag says whether groups carry letters.
std::vector<std::vector<int>> groupesEnfants(const TBD &bd, int x, bool parFamille, bool *lettres)
{
    TR enfants = ChildrenOf(bd, x);
    SortListByDate(bd, enfants, PcNaissanceDate);
    const std::vector<int> tous(enfants.begin(), enfants.end());
    *lettres = false;
    if (!parFamille)
        return {tous};
    const std::vector<int> unions = unionsDansLeRole(bd, x);
    if (unions.size() < 2)
        return {tous};
    *lettres = true;
    std::vector<std::vector<int>> groupes(unions.size() + 1);
    for (int c : tous) {
        const int autre = bd.Father(c) == x ? bd.Mother(c) : bd.Father(c);
        size_t g = unions.size();
        for (size_t k = 0; k < unions.size(); ++k) {
            if (autre != 0 && partenaire(bd, unions[k], x) == autre) {
                g = k;
                break;
            }
        }
        groupes[g].push_back(c);
    }
    return groupes;
}

QString lettreGroupe(size_t g)
{
    // a..z, then aa, ab... for the rare person with more than 26 unions.
    QString r;
    size_t n = g;
    do {
        r.prepend(QChar(u'a' + static_cast<char16_t>(n % 26)));
        n = n / 26;
    } while (n-- > 0);
    return r;
}

void numeroteDescendants(TBD &bd, int racine, int generations, bool conjointsAussi, bool parFamille)
{
    struct Entree {
        int Personne;
        QString Numero;
        int Profondeur;
    };
    std::vector<char> vu(static_cast<size_t>(bd.PersonCount()) + 1, 0);
    vu[static_cast<size_t>(racine)] = 1;
    std::vector<Entree> pile{{racine, QStringLiteral("1"), 0}};
    while (!pile.empty()) {
        const Entree e = pile.back();
        pile.pop_back();
        if (e.Profondeur > 0 && conjointsAussi) {
            const std::vector<int> partenaires = conjoints(bd, e.Personne);
            for (size_t k = 0; k < partenaires.size(); ++k) {
                const QString suffixe = partenaires.size() > 1 ? QString::number(k + 1) : QString();
                ajouteNumero(bd, partenaires[k], e.Numero + QLatin1Char('c') + suffixe);
            }
        }
        if (e.Profondeur >= generations)
            continue;
        bool lettres = false;
        const auto groupes = groupesEnfants(bd, e.Personne, parFamille, &lettres);
        std::vector<Entree> aSuivre;
        for (size_t g = 0; g < groupes.size(); ++g) {
            const QString lettre = lettres ? lettreGroupe(g) : QString();
            for (size_t k = 0; k < groupes[g].size(); ++k) {
                const int c = groupes[g][k];
                const QString numero = e.Numero + QLatin1Char('/') + lettre + QString::number(k + 1);
                ajouteNumero(bd, c, numero);
                // A child reached again (its parents are both descendants)
                // gets the second number, but its own descendants are
                // numbered once, from the first.
                if (!vu[static_cast<size_t>(c)]) {
                    vu[static_cast<size_t>(c)] = 1;
                    aSuivre.push_back({c, numero, e.Profondeur + 1});
                }
            }
        }
        for (auto it = aSuivre.rbegin(); it != aSuivre.rend(); ++it)
            pile.push_back(*it);
    }
}

} // namespace

void NumberTree(TBD &bd, int racine, int generations, bool conjointsAussi, bool parFamille)
{
    for (int p = 1; p <= bd.PersonCount(); ++p) {
        if (bd.PersonInUse(p))
            bd.SetField(p, PcNumerotation, QString());
    }
    if (!bd.PersonInUse(racine))
        return;
    bd.SetField(racine, PcNumerotation, QStringLiteral("1"));
    numeroteAncetres(bd, racine, generations);
    numeroteDescendants(bd, racine, generations, conjointsAussi, parFamille);
}

bool IsAncestorOf(const TBD &bd, int a, int p)
{
    if (!bd.PersonInUse(a) || !bd.PersonInUse(p))
        return false;
    std::vector<char> vu(static_cast<size_t>(bd.PersonCount()) + 1, 0);
    std::vector<int> aVoir{p};
    vu[static_cast<size_t>(p)] = 1;
    while (!aVoir.empty()) {
        const int q = aVoir.back();
        aVoir.pop_back();
        if (q == a)
            return true;
        for (const int parent : {bd.Father(q), bd.Mother(q)}) {
            if (bd.PersonInUse(parent) && !vu[static_cast<size_t>(parent)]) {
                vu[static_cast<size_t>(parent)] = 1;
                aVoir.push_back(parent);
            }
        }
    }
    return false;
}
