// Printable designs: a model of 1,000 objects loaded from and saved to its
// file within 20 ms each, the topmost object under the pointer found within
// 50 microseconds, and a design whose groups fan out (nine files each holding
// five groups of the next) loaded within 100 ms.

#include <benchmark/benchmark.h>

#include <QFile>
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

// Nine files of about 500 bytes, each holding five groups of the next (the
// last five rectangles): read whole they would make 5^9 objects. The design is
// read again at each turn.
void BM_GroupesEnEventail(benchmark::State &state)
{
    QTemporaryDir dossier;
    for (int n = 0; n < 9; ++n) {
        QString texte = u"Large=100\nHaut=20\nFace=1\n"_s;
        for (int i = 0; i < 5; ++i) {
            texte += u"  O%1\n    Name=%2\n    x=%3\n    y=10\n    l=18\n    h=18\n"_s.arg(i)
                         .arg(n < 8 ? u"Groupe"_s : u"Rectangle"_s)
                         .arg(10 + 20 * i);
            if (n < 8)
                texte += u"    FichierMdl=%1\n"_s.arg(dossier.filePath(u"n%1.mdl"_s.arg(n + 1)));
            texte += u"  End\n"_s;
        }
        QFile f(dossier.filePath(u"n%1.mdl"_s.arg(n)));
        if (!f.open(QIODevice::WriteOnly) || f.write((texte + u"End\n"_s).toUtf8()) < 0)
            state.SkipWithError("les modèles n'ont pu être écrits");
    }
    TxiloCADMdl m(nullptr, QRect(0, 0, 1000, 200), 100, 20);
    for (auto _ : state) {
        if (!m.LoadFromFile(dossier.filePath(u"n0.mdl"_s)) || m.Count() != 5)
            state.SkipWithError("le modèle n'a pu être lu");
    }
}
BENCHMARK(BM_GroupesEnEventail)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
