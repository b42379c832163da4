#include "BaseSynthetique.h"

#include "BD.h"

#include <QString>

#include <random>
#include <vector>

namespace {

const char *const Noms[] = {
    "MARTIN", "BERNARD", "THOMAS", "PETIT", "ROBERT", "RICHARD", "DURAND", "DUBOIS", "MOREAU",
    "LAURENT", "SIMON", "MICHEL", "LEFEBVRE", "LEROY", "ROUX", "DAVID", "BERTRAND", "MOREL",
    "FOURNIER", "GIRARD", "BONNET", "DUPONT", "LAMBERT", "FONTAINE", "ROUSSEAU", "VINCENT",
    "MULLER", "LEFÈVRE", "FAURE", "ANDRÉ", "MERCIER", "BLANC", "GUÉRIN", "BOYER", "GARNIER",
    "CHEVALIER", "FRANÇOIS", "LEGRAND", "GAUTHIER", "GARCIA", "PERRIN", "ROBIN", "CLÉMENT",
    "MORIN", "NICOLAS", "HENRY", "ROUSSEL", "MATHIEU", "GAUTIER", "MASSON", "MARCHAND", "DUVAL",
    "DENIS", "DUMONT", "MARIE", "LEMAIRE", "NOËL", "MEYER", "DUFOUR", "MEUNIER", "BRUN",
    "BLANCHARD", "GIRAUD", "JOLY", "RIVIÈRE", "LUCAS", "BRUNET", "GAILLARD", "BARBIER", "ARNAUD",
};
const char *const PrenomsH[] = {
    "Jean", "Pierre", "Louis", "Joseph", "François", "Jacques", "Antoine", "Nicolas", "Étienne",
    "Claude", "Michel", "Charles", "Henri", "Paul", "Jules", "Auguste", "René", "Marcel",
};
const char *const PrenomsF[] = {
    "Marie", "Anne", "Jeanne", "Marguerite", "Catherine", "Françoise", "Louise", "Madeleine",
    "Élisabeth", "Geneviève", "Marthe", "Julie", "Joséphine", "Rose", "Hélène", "Suzanne",
};
const char *const Lieux[] = {
    "FRA,IDF,F95,Pontoise", "FRA,IDF,F75,Paris", "FRA,IDF,F78,Versailles", "FRA,HDF,F59,Lille",
    "FRA,BRE,F29,Quimper", "FRA,ARA,F69,Lyon", "FRA,NAQ,F33,Bordeaux", "FRA,OCC,F31,Toulouse",
    "FRA,PAC,F13,Marseille", "FRA,GES,F67,Strasbourg", "FRA,NOR,F14,Caen", "FRA,CVL,F37,Tours",
};

template <size_t N>
QString tire(const char *const (&table)[N], std::mt19937 &rng)
{
    return QString::fromUtf8(table[std::uniform_int_distribution<size_t>(0, N - 1)(rng)]);
}

QString date(int annee, std::mt19937 &rng)
{
    const int jour = std::uniform_int_distribution<int>(1, 28)(rng);
    const int mois = std::uniform_int_distribution<int>(1, 12)(rng);
    return QStringLiteral("%1/%2/%3").arg(jour).arg(mois).arg(annee);
}

struct Generateur {
    TBD &bd;
    std::mt19937 rng;
    std::vector<int> naissance; // birth year by person number

    bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng) < p; }

    int personne(int sexe, const QString &nom, int annee)
    {
        const int p = bd.NewPerson();
        if (p == 0)
            return 0;
        bd.SetSex(p, sexe);
        bd.SetSurname(p, nom);
        bd.SetGivenNames(p, sexe == SexeHomme ? tire(PrenomsH, rng) : tire(PrenomsF, rng));
        if (static_cast<int>(naissance.size()) <= p)
            naissance.resize(static_cast<size_t>(p) + 1);
        naissance[static_cast<size_t>(p)] = annee;
        if (chance(0.34)) {
            bd.SetBirthDate(p, date(annee, rng));
            if (chance(0.5))
                bd.SetField(p, PcNaissanceLieu, tire(Lieux, rng));
        }
        if (chance(0.1))
            bd.SetField(p, PcDecesDate, date(annee + std::uniform_int_distribution<int>(1, 90)(rng), rng));
        return p;
    }

    int mariage(int mari, int femme, int annee)
    {
        const int u = bd.NewUnionOf(mari, femme);
        if (u != 0 && chance(0.17)) {
            bd.SetUnionField(u, UcMariageDate, date(annee, rng));
            bd.SetUnionField(u, UcMariageLieu, tire(Lieux, rng));
        }
        return u;
    }

    bool grandParentCommun(int a, int b)
    {
        for (int pa : {bd.Father(a), bd.Mother(a)}) {
            for (int pb : {bd.Father(b), bd.Mother(b)}) {
                if (pa == 0 || pb == 0 || pa == pb)
                    continue;
                for (int ga : {bd.Father(pa), bd.Mother(pa)}) {
                    if (ga != 0 && (ga == bd.Father(pb) || ga == bd.Mother(pb)))
                        return true;
                }
            }
        }
        return false;
    }

    // An unmarried first cousin of p of the other sex among the latest ones,
    // taken out of the list; 0 when none.
    int cousinCelibataire(std::vector<int> &celibataires, int p)
    {
        const size_t debut = celibataires.size() > 40 ? celibataires.size() - 40 : 0;
        for (size_t i = celibataires.size(); i-- > debut;) {
            const int c = celibataires[i];
            const bool memesParents = bd.Father(c) == bd.Father(p) || bd.Mother(c) == bd.Mother(p);
            if (bd.Sex(c) != bd.Sex(p) && !memesParents && grandParentCommun(c, p)) {
                celibataires.erase(celibataires.begin() + static_cast<long>(i));
                return c;
            }
        }
        return 0;
    }

    // A partner from outside the family, one to five years apart.
    int epouxExterieur(int p)
    {
        const int sexe = bd.Sex(p) == SexeHomme ? SexeFemme : SexeHomme;
        const int annee = naissance[static_cast<size_t>(p)] + std::uniform_int_distribution<int>(-5, 5)(rng);
        const int e = personne(sexe, tire(Noms, rng), annee);
        if (e == 0)
            return 0;
        return mariage(p, e, naissance[static_cast<size_t>(p)] + 25);
    }
};

} // namespace

void RemplitBaseSynthetique(TBD &bd, unsigned graine)
{
    RemplitBaseSynthetique(bd, graine, 1690);
}

void RemplitBaseSynthetique(TBD &bd, unsigned graine, int debut)
{
    bd.Clear();
    Generateur g{bd, std::mt19937(graine), {}};

    std::vector<int> unions;
    for (int i = 0; i < 400; ++i) {
        const int annee = debut + i % 30;
        const int h = g.personne(SexeHomme, tire(Noms, g.rng), annee);
        const int f = g.personne(SexeFemme, tire(Noms, g.rng), annee + 2);
        unions.push_back(g.mariage(h, f, annee + 25));
    }

    std::discrete_distribution<int> nbEnfants({8, 12, 22, 24, 17, 10, 7});
    while (!unions.empty() && bd.PersonCount() < MaxPersonnes) {
        std::vector<int> suivantes;
        std::vector<int> celibataires; // this generation's unmarried, for cousin marriages
        for (int u : unions) {
            const int pere = bd.Husband(u);
            const int mere = bd.Wife(u);
            const int base = g.naissance[static_cast<size_t>(pere)] + 24;
            const int n = nbEnfants(g.rng);
            for (int k = 0; k < n; ++k) {
                const int sexe = g.chance(0.5) ? SexeHomme : SexeFemme;
                const int c = g.personne(sexe, bd.Surname(pere), base + 2 * k);
                if (c == 0)
                    break;
                bd.SetFather(c, pere);
                bd.SetMother(c, mere);
                if (g.chance(0.03)) {
                    const int cousin = g.cousinCelibataire(celibataires, c);
                    if (cousin != 0) {
                        const int v = g.mariage(c, cousin, base + 25);
                        if (v != 0)
                            suivantes.push_back(v);
                        continue;
                    }
                }
                if (g.chance(0.06)) {
                    celibataires.push_back(c);
                    continue;
                }
                const int v = g.epouxExterieur(c);
                if (v != 0)
                    suivantes.push_back(v);
                // A widower or widow remarries; the second family gives
                // half-siblings.
                if (v != 0 && g.chance(0.06)) {
                    const int w = g.epouxExterieur(c);
                    if (w != 0)
                        suivantes.push_back(w);
                }
            }
            if (bd.PersonCount() >= MaxPersonnes)
                break;
        }
        unions.swap(suivantes);
    }
    // The last generation may leave the person table short when the union
    // table filled first: complete it with children of the last families.
    for (int u = bd.UnionCount(); bd.PersonCount() < MaxPersonnes; u = u > 1 ? u - 1 : bd.UnionCount()) {
        const int pere = bd.Husband(u);
        const int c = g.personne(SexeFemme, bd.Surname(pere), g.naissance[static_cast<size_t>(pere)] + 30);
        bd.SetFather(c, pere);
        bd.SetMother(c, bd.Wife(u));
    }
}

const TBD &BaseSynthetiquePartagee()
{
    static const TBD *bd = [] {
        auto *b = new TBD;
        RemplitBaseSynthetique(*b);
        return b;
    }();
    return *bd;
}

const TBD &BaseSynthetiqueVivantePartagee()
{
    static const TBD *bd = [] {
        auto *b = new TBD;
        RemplitBaseSynthetique(*b, 1, 1820);
        return b;
    }();
    return *bd;
}
