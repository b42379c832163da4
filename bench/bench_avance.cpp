// The advanced selection and the ancestry web page: one criteria row over
// the synthetic 100,000-person database, the whole selection of everyone
// born in Paris before 1800 whose surname begins with "M", the ET and OU
// joins of two 100,000-person lists, and the ancestry page of a person with
// a full pedigree over 20 generations, written to its file.

#include "BaseSynthetique.h"
#include "BD.h"
#include "Globales.h"
#include "Langue.h"
#include "Listes.h"
#include "Modeles.h"
#include "PagesHtml.h"
#include "Parente.h"
#include "SelectionAvancee.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

void BM_UneLigneSurTous(benchmark::State &state)
{
    const TBD &bd = BaseSynthetiquePartagee();
    const TR tous = AllPersons(bd);
    const TExpandeur expandeur = ExpandeurDe(bd);
    int n = 0;
    for (auto _ : state)
        n = FilterListByTest(tous, u"<lieu naissance>"_s, u"Paris"_s, 2, expandeur).Count();
    state.counters["personnes"] = tous.Count();
    state.counters["retenues"] = n;
}
BENCHMARK(BM_UneLigneSurTous)->Unit(benchmark::kMillisecond);

void BM_SelectionTroisLignes(benchmark::State &state)
{
    const TBD &bd = BaseSynthetiquePartagee();
    const TR tous = AllPersons(bd);
    TSelectionAvancee s;
    s.Criteres[0] = {u"<lieu naissance>"_s, 2, u"Paris"_s};
    s.Criteres[1] = {u"<naissance>"_s, 9, u"1800"_s};
    s.Criteres[2] = {u"<nom>"_s, 4, u"M"_s};
    s.Jonctions = {JonctionEt, JonctionEt};
    int n = 0;
    for (auto _ : state)
        n = EvalueSelection(tous, s, ExpandeurDe(bd)).Count();
    state.counters["retenues"] = n;
}
BENCHMARK(BM_SelectionTroisLignes)->Unit(benchmark::kMillisecond);

// Two lists of 100,000 numbers that share half of them, the second in
// reverse order.
struct Listes {
    TR a, b;
    Listes()
    {
        for (int i = 1; i <= TR::Capacity; ++i) {
            a.Add(i);
            b.Add(TR::Capacity + TR::Capacity / 2 - i + 1);
        }
    }
};

void BM_Jonction(benchmark::State &state)
{
    static const Listes l;
    const int jonction = static_cast<int>(state.range(0));
    int n = 0;
    for (auto _ : state)
        n = Joint(l.a, l.b, jonction).Count();
    state.counters["resultat"] = n;
}
BENCHMARK(BM_Jonction)->Arg(JonctionEt)->Arg(JonctionOu)->Unit(benchmark::kMillisecond);

// A full pedigree over 20 generations: every person of generations 1 to 19
// has both parents. Generation g holds min(2^g, 4096) persons, so the lines
// meet again from the twelfth generation on (implex), as they do in real
// families; each couple is a union. 36,863 persons.
struct Pedigree {
    TBD bd;
    int racine = 0;
    Pedigree()
    {
        std::vector<int> enfants;
        for (int g = 0; g < 20; ++g) {
            const int nombre = std::min(1 << g, 4096);
            std::vector<int> generation;
            for (int i = 0; i < nombre; ++i) {
                const int p = bd.NewPerson();
                bd.SetSurname(p, u"NOM%1"_s.arg(i));
                bd.SetGivenNames(p, u"Prénom"_s);
                bd.SetSex(p, i % 2 ? SexeFemme : SexeHomme);
                bd.SetBirthDate(p, QString::number(2000 - 25 * g));
                generation.push_back(p);
            }
            for (int i = 0; i + 1 < nombre; i += 2)
                bd.NewUnionOf(generation[static_cast<size_t>(i)], generation[static_cast<size_t>(i + 1)]);
            for (size_t i = 0; i < enfants.size(); ++i) {
                bd.SetFather(enfants[i], generation[(2 * i) % generation.size()]);
                bd.SetMother(enfants[i], generation[(2 * i + 1) % generation.size()]);
            }
            enfants = std::move(generation);
        }
        racine = 1;
    }
};

// Arguments: the kind of page, then 1 with the siblings, other partners and
// complement.
void BM_PageAscendance20Generations(benchmark::State &state)
{
    static const Pedigree pedigree;
    QTemporaryDir dossier;
    DossierGenealogie = dossier.path() + u'/';
    DossierModele = QStringLiteral(LIGNEE_MODELE "/1/");
    const int sorte = static_cast<int>(state.range(0));
    const bool options = state.range(1) != 0;
    qint64 taille = 0;
    for (auto _ : state) {
        const QString corps = PageAscendance(pedigree.bd, pedigree.racine, 20, sorte, options, options,
                                             options ? u"(<naissance>-<décès>)"_s : QString());
        const QString chemin = NomPageHtmlLibre(u"rapport"_s);
        if (!EcritPageHtml(chemin, u"Rapport"_s, corps))
            state.SkipWithError("page non écrite");
        taille = corps.size();
    }
    state.counters["caracteres"] = static_cast<double>(taille);
}
BENCHMARK(BM_PageAscendance20Generations)
    ->Args({AscendanceParGenerations, 0})
    ->Args({AscendanceAvecAbsents, 1})
    ->Args({AscendantsManquants, 0})
    ->Unit(benchmark::kMillisecond);

} // namespace
