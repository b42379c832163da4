// Reading the HTML style sheet and looking up a colour in it. A style sheet
// of 1 MB should read in well under a second, whatever the shape of its
// rules: many small ones, or a few whose long selector lists share long
// declaration blocks.

#include <benchmark/benchmark.h>

#include <QString>

#include "Style.h"

using namespace Qt::StringLiterals;

namespace {

// About `taille` characters of rules, each with `selecteurs` selectors and
// `declarations` declarations, comments between them.
QString feuille(qsizetype taille, int selecteurs, int declarations)
{
    QString css;
    css.reserve(taille + 4096);
    for (int regle = 0; css.size() < taille; ++regle) {
        css += u"/* règle %1 */\n"_s.arg(regle);
        for (int s = 0; s < selecteurs; ++s)
            css += u"%1.classe%2_%3"_s.arg(s ? u", "_s : QString()).arg(regle).arg(s);
        css += u" {\n"_s;
        for (int d = 0; d < declarations; ++d)
            css += u"  propriete-%1: #%2; /* note */\n"_s.arg(d).arg(d % 0x1000000, 6, 16, QChar(u'0'));
        css += u"  background-color: #a0b0c0;\n}\n"_s;
    }
    return css;
}

void BM_LitFeuille(benchmark::State &state)
{
    const QString css = feuille(1024 * 1024, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        TxiloStyleEdit style;
        style.SetTexte(css);
        benchmark::DoNotOptimize(style.GetStyleValue(u".classe0_0"_s, u"background-color"_s));
    }
    state.counters["caracteres"] = static_cast<double>(css.size());
}
// Many small rules; a few wide ones; one single rule of 1 MB.
BENCHMARK(BM_LitFeuille)->Args({3, 5})->Args({200, 200})->Args({8000, 8000})->Unit(benchmark::kMillisecond);

void BM_CouleurDUnSelecteur(benchmark::State &state)
{
    TxiloStyleEdit style;
    style.SetTexte(feuille(1024 * 1024, 3, 5));
    int n = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(style.GetStyleValue(u".classe%1_1"_s.arg(n), u"background-color"_s));
        n = (n + 1) % 5000;
    }
}
BENCHMARK(BM_CouleurDUnSelecteur)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
