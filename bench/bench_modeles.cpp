// Timings of the template expander on the synthetic 100,000-person database:
// lines expanded per second (items/s) for the usual tree box lines.

#include "BaseSynthetique.h"
#include "BD.h"
#include "Modeles.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

const TBD &base()
{
    return BaseSynthetiquePartagee();
}

const std::vector<int> &personnes()
{
    static const std::vector<int> liste = [] {
        std::vector<int> l;
        for (int p = base().NextPerson(0); p != 0; p = base().NextPerson(p))
            l.push_back(p);
        return l;
    }();
    return liste;
}

// Expands the lines for one person after another, over the whole database.
void expanse(benchmark::State &state, std::vector<QString> lignes)
{
    const TBD &bd = base();
    const std::vector<int> &liste = personnes();
    size_t i = 0;
    for (auto _ : state) {
        const int p = liste[i];
        if (++i == liste.size())
            i = 0;
        for (const QString &ligne : lignes)
            benchmark::DoNotOptimize(ExpandTemplate(bd, p, ligne));
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * lignes.size()));
}

void BM_NomPrenom(benchmark::State &state)
{
    expanse(state, {QStringLiteral("<nom> <prénom>")});
}
BENCHMARK(BM_NomPrenom);

void BM_Naissance(benchmark::State &state)
{
    expanse(state, {QString::fromUtf8("° <naissance> <lieu naissance>")});
}
BENCHMARK(BM_Naissance);

// A whole box: name, birth, death, age.
void BM_Boite(benchmark::State &state)
{
    expanse(state, {QStringLiteral("<nom> <prénom>"), QString::fromUtf8("° <naissance> <lieu naissance>"),
                    QString::fromUtf8("† <décès> <lieu décès>"), QString::fromUtf8("<âge> ans")});
}
BENCHMARK(BM_Boite);

// Relatives lines, which go through the unions.
void BM_Famille(benchmark::State &state)
{
    expanse(state, {QString::fromUtf8("fils de <père> et de <mère>"),
                    QStringLiteral("x <conjoint> (<mariage>)")});
}
BENCHMARK(BM_Famille);

} // namespace

BENCHMARK_MAIN();
