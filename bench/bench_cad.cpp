// Printable designs: a model of 1,000 objects loaded from and saved to its
// file within 20 ms each, and the topmost object under the pointer found
// within 50 microseconds.

#include <benchmark/benchmark.h>

#include <QRect>
#include <QTemporaryDir>

#include "TxiloCADMdl.h"
#include "TxiloCADRectangle.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int NombreObjets = 1000;

// An A4 page of turned rectangles of every kind, spread over the page, each
// with the keys a design holds (code, tag, pen and brush).
void Remplit(TxiloCADMdl &m)
{
    m.SetGabarit(3);
    for (int i = 0; i < NombreObjets; ++i) {
        auto &r = dynamic_cast<TxiloCADRectangle &>(*m.AddObject(u"rectangle"_s));
        r.SetFace(1);
        r.SetCentre(10 + (i * 37) % 190, 10 + (i * 53) % 277);
        r.SetTaille(5 + i % 23, 4 + i % 17);
        r.SetR((i * 7) % 360 - 180.25);
        r.SetCote(i % 5 == 0 ? TxiloCADRectangle::CoteEllipse : 3 + i % 4);
        r.SetCode(u"objet %1"_s.arg(i));
        r.SetTag(i);
        r.SetPen(TStylo{CouleurRGB(i % 256, 0, 128), 250 + i % 300, i % 5});
        r.SetBrush(TPinceau{CouleurRGB(0, i % 256, 64), i % 8});
    }
}

void BM_ChargeModele(benchmark::State &state)
{
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(u"modele.mdl"_s);
    {
        TxiloCADMdl m(nullptr, QRect(0, 0, 210, 297), 210, 297);
        Remplit(m);
        if (!m.SaveToFile(chemin))
            state.SkipWithError("le modèle n'a pu être écrit");
    }
    TxiloCADMdl m(nullptr, QRect(0, 0, 210, 297), 210, 297);
    for (auto _ : state) {
        if (!m.LoadFromFile(chemin) || m.Count() != NombreObjets)
            state.SkipWithError("le modèle n'a pu être relu");
    }
}
BENCHMARK(BM_ChargeModele)->Unit(benchmark::kMillisecond);

void BM_SauveModele(benchmark::State &state)
{
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(u"modele.mdl"_s);
    TxiloCADMdl m(nullptr, QRect(0, 0, 210, 297), 210, 297);
    Remplit(m);
    for (auto _ : state) {
        if (!m.SaveToFile(chemin))
            state.SkipWithError("le modèle n'a pu être écrit");
    }
}
BENCHMARK(BM_SauveModele)->Unit(benchmark::kMillisecond);

// The pointer over the first object, which lies under the 999 others: every
// object is asked before it is found. Then over empty page, and over a
// place where many objects overlap.
void BM_ObjetSous(benchmark::State &state)
{
    TxiloCADMdl m(nullptr, QRect(0, 0, 2100, 2970), 210, 297);
    Remplit(m);
    const auto &premier = dynamic_cast<const TxiloCADRect &>(m.Objet(0));
    const QPointF points[] = {QPointF(premier.X(), premier.Y()), QPointF(209.9, 296.9), QPointF(105, 148)};
    const QPointF pointeur = points[state.range(0)];
    for (auto _ : state) {
        int poignee = -1;
        benchmark::DoNotOptimize(m.ObjetSous(pointeur, &poignee));
        benchmark::DoNotOptimize(poignee);
    }
}
BENCHMARK(BM_ObjetSous)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
