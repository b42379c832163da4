// Timings of the data core on a synthetic 100,000-person database.

#include "BaseSynthetique.h"
#include "BD.h"
#include "Listes.h"
#include "Parente.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

namespace {

const TBD &base()
{
    return BaseSynthetiquePartagee();
}

// Generations above each person (1 for a person without parents).
std::vector<int> profondeurs(const TBD &bd)
{
    std::vector<int> d(static_cast<size_t>(bd.PersonCount()) + 1, 0);
    for (int p = 1; p <= bd.PersonCount(); ++p) {
        const int pere = bd.Father(p);
        const int mere = bd.Mother(p);
        // Parents are always created before their children.
        d[static_cast<size_t>(p)] = 1 + std::max(pere > 0 ? d[static_cast<size_t>(pere)] : 0,
                                                 mere > 0 ? d[static_cast<size_t>(mere)] : 0);
    }
    return d;
}

int plusProfond()
{
    static const int p = [] {
        const auto d = profondeurs(base());
        return static_cast<int>(std::max_element(d.begin(), d.end()) - d.begin());
    }();
    return p;
}

// The founder with the largest descendance.
int fondateur()
{
    static const int f = [] {
        int meilleur = 1;
        int taille = 0;
        for (int p = 1; p <= 800; ++p) {
            const int n = DescendantsOf(base(), p, 20).Count();
            if (n > taille) {
                taille = n;
                meilleur = p;
            }
        }
        return meilleur;
    }();
    return f;
}

const std::vector<int> &echantillon()
{
    static const std::vector<int> pers = [] {
        std::mt19937 rng(7);
        std::vector<int> v(4096);
        for (int &x : v)
            x = std::uniform_int_distribution<int>(1, base().PersonCount())(rng);
        return v;
    }();
    return pers;
}

template <typename Requete>
void parPersonne(benchmark::State &state, Requete requete)
{
    const TBD &bd = base();
    const auto &pers = echantillon();
    size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(requete(bd, pers[i++ & 4095]));
}

void BM_ChildrenOf(benchmark::State &s) { parPersonne(s, ChildrenOf); }
void BM_SiblingsOf(benchmark::State &s) { parPersonne(s, SiblingsOf); }
void BM_HasChildren(benchmark::State &s) { parPersonne(s, HasChildren); }
void BM_UnionsOf(benchmark::State &s) { parPersonne(s, UnionsOf); }
void BM_SpousesOf(benchmark::State &s) { parPersonne(s, SpousesOf); }
void BM_LastSpouse(benchmark::State &s) { parPersonne(s, LastSpouse); }
void BM_SpouseCount(benchmark::State &s) { parPersonne(s, SpouseCount); }
BENCHMARK(BM_ChildrenOf);
BENCHMARK(BM_SiblingsOf);
BENCHMARK(BM_HasChildren);
BENCHMARK(BM_UnionsOf);
BENCHMARK(BM_SpousesOf);
BENCHMARK(BM_LastSpouse);
BENCHMARK(BM_SpouseCount);

void BM_CountChildrenOfEveryone(benchmark::State &state)
{
    const TBD &bd = base();
    for (auto _ : state) {
        long total = 0;
        for (int p = 1; p <= bd.PersonCount(); ++p)
            total += ChildrenOf(bd, p).Count();
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_CountChildrenOfEveryone)->Unit(benchmark::kMillisecond);

void BM_SortListByFullName(benchmark::State &state)
{
    const TBD &bd = base();
    const TR tous = AllPersons(bd);
    for (auto _ : state) {
        TR l = tous;
        SortList(bd, l, PcNomComplet);
        benchmark::DoNotOptimize(l.Get(1));
    }
}
BENCHMARK(BM_SortListByFullName)->Unit(benchmark::kMillisecond);

void BM_SortListByBirthDate(benchmark::State &state)
{
    const TBD &bd = base();
    const TR tous = AllPersons(bd);
    for (auto _ : state) {
        TR l = tous;
        SortListByDate(bd, l, PcNaissanceDate);
        benchmark::DoNotOptimize(l.Get(1));
    }
}
BENCHMARK(BM_SortListByBirthDate)->Unit(benchmark::kMillisecond);

void BM_AncestorsOfDeepest(benchmark::State &state)
{
    const int p = plusProfond();
    for (auto _ : state)
        benchmark::DoNotOptimize(AncestorsOf(base(), p, 20));
}
BENCHMARK(BM_AncestorsOfDeepest)->Unit(benchmark::kMicrosecond);

void BM_DescendantsOfFounder(benchmark::State &state)
{
    const int p = fondateur();
    for (auto _ : state)
        benchmark::DoNotOptimize(DescendantsOf(base(), p, 20));
}
BENCHMARK(BM_DescendantsOfFounder)->Unit(benchmark::kMicrosecond);

void BM_BuildSyntheticDatabase(benchmark::State &state)
{
    for (auto _ : state) {
        TBD bd;
        RemplitBaseSynthetique(bd);
        benchmark::DoNotOptimize(bd.PersonCount());
    }
}
BENCHMARK(BM_BuildSyntheticDatabase)->Unit(benchmark::kMillisecond)->Iterations(1);

void decritBase()
{
    const TBD &bd = base();
    const auto d = profondeurs(bd);
    int unions = 0;
    int cousins = 0;
    int remaries = 0;
    for (int u = 1; u <= bd.UnionCount(); ++u) {
        if (!bd.UnionInUse(u))
            continue;
        ++unions;
        if (FindCommonAncestor(bd, bd.Husband(u), bd.Wife(u), 3, nullptr))
            ++cousins;
    }
    for (int p = 1; p <= bd.PersonCount(); ++p) {
        if (SpouseCount(bd, p) > 1)
            ++remaries;
    }
    std::printf("Base: %d persons, %d unions, %d events, %d generations, %d persons married "
                "twice or more, %d unions of relatives; deepest person %d, founder %d with %d "
                "descendants over 20 generations\n",
                bd.PersonCount(), unions, bd.EventCount(),
                *std::max_element(d.begin(), d.end()), remaries, cousins, plusProfond(),
                fondateur(), DescendantsOf(bd, fondateur(), 20).Count());
}

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    decritBase();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
