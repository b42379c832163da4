#include "Selections.h"

#include <algorithm>
#include <array>

#include "BD.h"
#include "Parente.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int DegreMin = 1;
constexpr int DegreMax = 99;

// Builds a list step by step. A step works on the list that the previous one
// left, which may already have been cut; the cut of any step is remembered so
// that the caller learns of it even when a later step gives a short list.
class Etapes
{
public:
    explicit Etapes(TR depart) { prend(std::move(depart)); }

    template <typename Requete>
    void Repete(int fois, Requete requete)
    {
        for (int i = 0; i < fois && !m_liste.IsEmpty(); ++i)
            prend(requete(m_liste));
    }

    TSelection Selection(QString titre) &&
    {
        return {std::move(m_liste), std::move(titre), m_coupee};
    }

private:
    void prend(TR liste)
    {
        m_coupee = m_coupee || liste.Tronquee();
        m_liste = std::move(liste);
    }

    TR m_liste;
    bool m_coupee = false;
};

TSelection selection(TR liste, QString titre)
{
    return Etapes(std::move(liste)).Selection(std::move(titre));
}

// The parents of p, then n - 1 generations further up.
Etapes ascendantsAuDegre(const TBD &bd, int p, int n)
{
    Etapes e(ParentsOf(bd, p));
    e.Repete(n - 1, [&](const TR &l) { return ParentsOfList(bd, l); });
    return e;
}

Etapes onclesEtTantes(const TBD &bd, int p, int n)
{
    Etapes e = ascendantsAuDegre(bd, p, n);
    e.Repete(1, [&](const TR &l) { return SiblingsOfList(bd, l); });
    return e;
}

} // namespace

QString TexteDegre(int n)
{
    return n == 1 ? u"1er degré"_s : QString::number(n) + u"e degré"_s;
}

bool SorteAvecDegre(int sorte)
{
    switch (sorte) {
    case 1:
    case 2:
    case 7:
    case 8:
    case 9:
    case 10:
        return true;
    default:
        return false;
    }
}

QString TexteSorteSelection(int sorte)
{
    static const std::array<QString, NbSortesSelection> textes = {
        u"Toutes les personnes"_s,
        u"L'ascendance sur X génération(s)"_s,
        u"La descendance sur X génération(s)"_s,
        u"Les parents"_s,
        u"La fratrie"_s,
        u"Les enfants"_s,
        u"Les unions"_s,
        u"Les oncles/tantes"_s,
        u"Les cousins/cousines"_s,
        u"Les ascendants à un degré donné"_s,
        u"Les descendants à un degré donné"_s,
        u"Les ascendants sans aucun parent"_s,
        u"Les ascendants dont il manque au moins un parent"_s,
        u"Les descendants sans enfant"_s,
        u"Les personnes affichées dans l'arbre"_s,
    };
    if (sorte < 0 || sorte >= NbSortesSelection)
        return QString();
    return textes[static_cast<size_t>(sorte)];
}

TSelection SelectionneListe(const TBD &bd, int sorte, int p, int n,
                            const std::function<TR()> &ecranArbre)
{
    // A number outside the range would make the repeated steps run backwards
    // or the titles speak of a "0 ème" degree.
    n = std::clamp(n, DegreMin, DegreMax);
    const QString nom = bd.FullName(p);
    const QString degre = TexteDegre(n);
    const QString generations = u" sur "_s + QString::number(n) + u" générations"_s;

    switch (sorte) {
    case 0:
        return selection(AllPersons(bd), u"Toutes les personnes"_s);
    case 1:
        return selection(AncestorsOf(bd, p, n), n == 1 ? u"Les parents de "_s + nom
                                                       : u"L'ascendance de "_s + nom + generations);
    case 2:
        return selection(DescendantsOf(bd, p, n), n == 1 ? u"Les enfants de "_s + nom
                                                         : u"La descendance de "_s + nom + generations);
    case 3:
        return selection(ParentsOf(bd, p), u"Les parents de "_s + nom);
    case 4:
        return selection(SiblingsOf(bd, p), u"La fratrie de "_s + nom);
    case 5:
        return selection(ChildrenOf(bd, p), u"Les enfants de "_s + nom);
    case 6:
        return selection(SpousesOf(bd, p), u"Les unions de "_s + nom);
    case 7:
        return onclesEtTantes(bd, p, n)
            .Selection(u"Les oncles et les tantes de "_s + nom + u" au "_s + degre);
    case 8: {
        Etapes e = onclesEtTantes(bd, p, n);
        e.Repete(n, [&](const TR &l) { return ChildrenOfList(bd, l); });
        return std::move(e).Selection(u"Les cousins et les cousines de "_s + nom + u" au "_s + degre);
    }
    case 9:
        return ascendantsAuDegre(bd, p, n).Selection(degre + u" des ascendants de "_s + nom);
    case 10: {
        Etapes e(ChildrenOf(bd, p));
        e.Repete(n - 1, [&](const TR &l) { return ChildrenOfList(bd, l); });
        return std::move(e).Selection(degre + u" des descendants de "_s + nom);
    }
    case 11:
        return selection(AncestorsWithoutParents(bd, p),
                         u"Les ascendants de "_s + nom + u" sans aucun parent"_s);
    case 12:
        return selection(AncestorsMissingAParent(bd, p),
                         u"Les ascendants de "_s + nom + u" dont il manque au moins un parent"_s);
    case 13:
        return selection(DescendantsWithoutChildren(bd, p),
                         u"Les descendants de "_s + nom + u" sans enfants"_s);
    case 14:
        return selection(ecranArbre ? ecranArbre() : TR(),
                         u"Les personnes affichées dans l'arbre de "_s + nom);
    default:
        return selection(AncestorsOf(bd, p, 0), u"La personne"_s);
    }
}
