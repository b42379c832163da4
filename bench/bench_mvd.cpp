// Saving and loading the native database file with the 100,000-person
// synthetic database. Both should stay well under one second.

#include <benchmark/benchmark.h>

#include <QFileInfo>
#include <QTemporaryDir>

#include "BD.h"
#include "BaseSynthetique.h"
#include "FichierMvd.h"

using namespace Qt::StringLiterals;

namespace {

const TBD &baseSynthetique()
{
    static const TBD bd = [] {
        TBD b;
        RemplitBaseSynthetique(b);
        return b;
    }();
    return bd;
}

TEnteteMvd entete()
{
    TEnteteMvd e;
    e.NomLook = u"defaut"_s;
    e.RefPers = 1;
    return e;
}

// Each save after the first also keeps the previous file as "base.old", as
// every save of the program does.
void BM_SauveMvd(benchmark::State &state)
{
    const TBD &bd = baseSynthetique();
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(u"base.mvd"_s);
    for (auto _ : state) {
        const TResultatMvd r = SauveMvd(chemin, bd, entete());
        if (!r.Ok()) {
            state.SkipWithError("save failed");
            break;
        }
    }
    state.counters["octets"] = static_cast<double>(QFileInfo(chemin).size());
    state.counters["personnes"] = bd.PersonCount();
}
BENCHMARK(BM_SauveMvd)->Unit(benchmark::kMillisecond);

void BM_ChargeMvd(benchmark::State &state)
{
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(u"base.mvd"_s);
    if (!SauveMvd(chemin, baseSynthetique(), entete()).Ok()) {
        state.SkipWithError("save failed");
        return;
    }
    for (auto _ : state) {
        TBD bd;
        TEnteteMvd lue;
        const TResultatMvd r = ChargeMvd(chemin, bd, &lue);
        if (!r.Ok() || bd.PersonCount() != baseSynthetique().PersonCount()) {
            state.SkipWithError("load failed");
            break;
        }
        benchmark::DoNotOptimize(bd);
    }
}
BENCHMARK(BM_ChargeMvd)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
