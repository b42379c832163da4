// The database verification and the record merge on the synthetic
// 100,000-person database (its event table full: 50,000 events).

#include "BaseSynthetique.h"
#include "BD.h"
#include "Fusion.h"
#include "Verification.h"

#include <benchmark/benchmark.h>

#include <QString>

namespace {

// Verifying a healthy base only reads it: one copy serves every run.
void BM_VerificationBaseSaine(benchmark::State &state)
{
    TBD bd = BaseSynthetiquePartagee();
    if (!VerifieBase(bd).isEmpty()) {
        state.SkipWithError("the synthetic base is not healthy");
        return;
    }
    for (auto _ : state) {
        const QStringList rapport = VerifieBase(bd);
        benchmark::DoNotOptimize(rapport);
    }
    state.counters["personnes"] = bd.PersonCount();
    state.counters["evenements"] = bd.EventCount();
}
BENCHMARK(BM_VerificationBaseSaine)->Unit(benchmark::kMillisecond);

// The synthetic base with two records of one man, 50 events each: half of
// the second's event types are on the first, half are new to it. Room for
// them was made by freeing the events of the first persons.
const TBD &baseDoublons(int *premier, int *second)
{
    static int a = 0, b = 0;
    static const TBD bd = [] {
        TBD d = BaseSynthetiquePartagee();
        int libres = 0;
        for (int p = 1; p <= d.PersonCount() && libres < 200; ++p) {
            while (d.PersonEventCount(p) > 0) {
                d.RemovePersonEvent(p, 1);
                ++libres;
            }
        }
        // The person table is full: the last two persons make room.
        d.DeletePerson(d.PersonCount());
        d.DeletePerson(d.PersonCount() - 1);
        a = d.NewPerson();
        b = d.NewPerson();
        for (int p : {a, b}) {
            d.SetSurname(p, QStringLiteral("DOUBLON"));
            d.SetGivenNames(p, QStringLiteral("Jean"));
            for (int i = 0; i < 50; ++i) {
                const int e = d.AddPersonEvent(p);
                const int type = p == a ? i : i + 25;
                d.SetEventField(e, EveType, QStringLiteral("Type %1").arg(type));
                d.SetEventField(e, EveDate, QStringLiteral("%1").arg(1800 + i));
                d.SetEventField(e, EveLieu, QStringLiteral("Lieu %1").arg(i));
                d.SetEventField(e, EveNote, QStringLiteral("Note %1").arg(i));
            }
        }
        return d;
    }();
    *premier = a;
    *second = b;
    return bd;
}

void BM_FusionDeuxFiches50Evenements(benchmark::State &state)
{
    int premier = 0, second = 0;
    const TBD &modele = baseDoublons(&premier, &second);
    bool faites = true;
    for (auto _ : state) {
        state.PauseTiming();
        TBD bd = modele;
        state.ResumeTiming();
        faites = FusionneFiches(bd, premier, second) == TResultatFusion::Faite && faites;
        state.PauseTiming();
        // The copy is freed outside the timing.
        { const TBD libere = std::move(bd); }
        state.ResumeTiming();
    }
    if (!faites)
        state.SkipWithError("the merge was not carried out");
}
BENCHMARK(BM_FusionDeuxFiches50Evenements)->Unit(benchmark::kMillisecond)->Iterations(30);

} // namespace

BENCHMARK_MAIN();
