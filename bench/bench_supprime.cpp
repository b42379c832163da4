// The delete window's count and removal on the synthetic 100,000-person
// database.

#include "BaseSynthetique.h"
#include "BD.h"
#include "Parente.h"
#include "Suppression.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

namespace {

const TBD &base()
{
    return BaseSynthetiquePartagee();
}

// The founder (one of the first couples) with the largest descendance.
int fondateur()
{
    static const int f = [] {
        TCriteresSuppression des;
        des.Personne = false;
        des.Des = true;
        des.DesGen = 999;
        int meilleur = 1;
        int taille = -1;
        for (int p = 1; p <= 800; ++p) {
            const int n = CompteSuppression(base(), MarquesSuppression(base(), p, des, TR()), false);
            if (n > taille) {
                taille = n;
                meilleur = p;
            }
        }
        return meilleur;
    }();
    return f;
}

// The person with the most generations above it.
int plusProfond()
{
    static const int p = [] {
        const TBD &bd = base();
        std::vector<int> d(static_cast<size_t>(bd.PersonCount()) + 1, 0);
        int meilleur = 1;
        for (int x = 1; x <= bd.PersonCount(); ++x) {
            // Parents are always created before their children.
            const int pere = bd.Father(x);
            const int mere = bd.Mother(x);
            d[static_cast<size_t>(x)] = 1 + std::max(pere > 0 ? d[static_cast<size_t>(pere)] : 0,
                                                     mere > 0 ? d[static_cast<size_t>(mere)] : 0);
            if (d[static_cast<size_t>(x)] > d[static_cast<size_t>(meilleur)])
                meilleur = x;
        }
        return meilleur;
    }();
    return p;
}

TCriteresSuppression tout()
{
    TCriteresSuppression c;
    c.Pere = c.Mere = c.Conjoints = c.Fratrie = c.Enfants = true;
    c.Asc = c.AscConj = c.AscConjAsc = c.AscFratrie = c.AscFratrieDes = true;
    c.Des = c.DesConj = c.DesConjAsc = true;
    c.AscGen = c.AscConjAscGen = c.DesGen = c.DesConjAscGen = 999;
    c.Age = true;
    c.AgeMax = 999;
    c.Rapport = true;
    return c;
}

// Every box ticked, every number at 999, the whole base in the report.
// Argument 0: a founder; 1: the deepest person.
void BM_CompteTout(benchmark::State &state)
{
    const TBD &bd = base();
    const int ref = state.range(0) == 0 ? fondateur() : plusProfond();
    const TR rapport = AllPersons(bd);
    const TCriteresSuppression c = tout();
    int n = 0;
    for (auto _ : state) {
        const TMarques m = MarquesSuppression(bd, ref, c, rapport);
        n = CompteSuppression(bd, m, false);
        benchmark::DoNotOptimize(n);
    }
    state.counters["supprimees"] = n;
}
BENCHMARK(BM_CompteTout)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The founder's descendance and their partners' ancestry over 999
// generations, without the age and report boxes that take everyone.
void BM_CompteDescendance(benchmark::State &state)
{
    const TBD &bd = base();
    TCriteresSuppression c;
    c.Des = c.DesConj = c.DesConjAsc = true;
    c.DesGen = c.DesConjAscGen = 999;
    const int ref = fondateur();
    int n = 0;
    for (auto _ : state) {
        n = CompteSuppression(bd, MarquesSuppression(bd, ref, c, TR()), false);
        benchmark::DoNotOptimize(n);
    }
    state.counters["supprimees"] = n;
}
BENCHMARK(BM_CompteDescendance)->Unit(benchmark::kMillisecond);

// "Conserver seulement" the founder: 99,999 persons and every union go.
void BM_ConserveSeulement(benchmark::State &state)
{
    const int ref = fondateur();
    const TMarques m = MarquesSuppression(base(), ref, TCriteresSuppression(), TR());
    for (auto _ : state) {
        state.PauseTiming();
        TBD bd = base();
        state.ResumeTiming();
        benchmark::DoNotOptimize(SupprimePersonnes(bd, m, true, ref));
        state.PauseTiming();
        bd = TBD();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ConserveSeulement)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
