// Printable designs, lines, shapes and guides, on an A4 page shown at the
// editor's usual 4 pixels per millimetre (840 x 1,188 pixels), which redraws
// on a 10-millisecond timer:
// - a page holding a line of 1,000 points (333 curved segments) drawn
//   within 10 ms, selected with all its editing marks within 15 ms;
// - a page of 200 filled free shapes drawn within 20 ms, as long as a page
//   of 200 ellipses takes;
// - the line's hit test (a miss searching both kinds of points) within
//   20 microseconds, and a segment cut and removed again within 20;
// - a dragged box snapped among 1,000 objects and 100 guides within 50
//   microseconds, as the editor does on every move of the pointer.

#include <benchmark/benchmark.h>

#include <cmath>

#include <QImage>
#include <QPainter>
#include <QRect>

#include "CanevasQt.h"
#include "Convertisseurs.h"
#include "TxiloCADForme.h"
#include "TxiloCADLigne.h"
#include "TxiloCADMdl.h"
#include "TxiloCADRectangle.h"
#include "TxiloCADRepere.h"

using namespace Qt::StringLiterals;

namespace {

const QRect Ecran(0, 0, 840, 1188);

std::unique_ptr<TxiloCADMdl> PageA4()
{
    return std::make_unique<TxiloCADMdl>(nullptr, QRect(0, 0, 210, 297), 210, 297);
}

// A line winding down the page in 333 curved segments.
TxiloCADLigne &AjouteLigne(TxiloCADMdl &m)
{
    auto &l = dynamic_cast<TxiloCADLigne &>(*m.AddObject(u"ligne"_s));
    l.SetFace(1);
    l.SetPen(TStylo{CouleurNoire, 300, StyloPlein});
    std::vector<QPointF> points;
    for (int i = 0; i < PointsMax; ++i) {
        const double t = i / 3.0;
        points.emplace_back(105 + 90 * std::sin(t / 7) + (i % 3 == 1 ? 8 : i % 3 == 2 ? -8 : 0), 5 + 0.285 * i);
    }
    l.SetPoints(points);
    return l;
}

void Dessine(benchmark::State &state, TxiloCADMdl &m)
{
    QImage image(Ecran.size(), QImage::Format_RGB32);
    QPainter painter(&image);
    TCanevasQt canevas(painter);
    for (auto _ : state) {
        m.Draw(canevas, Ecran);
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_DessineLigne1000Points(benchmark::State &state)
{
    auto m = PageA4();
    AjouteLigne(*m);
    Dessine(state, *m);
}
BENCHMARK(BM_DessineLigne1000Points)->Unit(benchmark::kMillisecond);

void BM_DessineLigneSelectionnee(benchmark::State &state)
{
    auto m = PageA4();
    TxiloCADLigne &l = AjouteLigne(*m);
    l.SetSelectionne(true);
    l.SetPoigneeActive(3);
    Dessine(state, *m);
}
BENCHMARK(BM_DessineLigneSelectionnee)->Unit(benchmark::kMillisecond);

void BM_Dessine200Formes(benchmark::State &state)
{
    auto m = PageA4();
    // A rounded star of four curved segments, in a frame of 100 x 100.
    const std::vector<QPointF> etoile = {{50, 0},   {60, 40},  {60, 40},  {100, 50}, {60, 60}, {60, 60}, {50, 100},
                                         {40, 60},  {40, 60},  {0, 50},   {40, 40},  {40, 40}, {50, 0}};
    for (int i = 0; i < 200; ++i) {
        auto &f = dynamic_cast<TxiloCADForme &>(*m->AddObject(u"forme"_s));
        f.SetFace(1);
        f.SetCentre(10 + (i * 37) % 190, 10 + (i * 53) % 277);
        f.SetTaille(10 + i % 40, 8 + i % 30);
        f.SetR((i * 7) % 360);
        f.SetCadreForme(100, 100);
        f.SetPoints(etoile);
        f.SetPen(TStylo{CouleurRGB(i % 256, 0, 128), 250 + i % 300, StyloPlein});
        f.SetBrush(TPinceau{CouleurRGB(0, i % 256, 64), i % 2 == 0 ? PinceauPlein : PinceauDiagonaleAvant});
    }
    Dessine(state, *m);
}
BENCHMARK(BM_Dessine200Formes)->Unit(benchmark::kMillisecond);

void BM_AtteinteLigne(benchmark::State &state)
{
    auto m = PageA4();
    m->SetEchelles(4, 4);
    TxiloCADLigne &l = AjouteLigne(*m);
    l.SetSelectionne(true);
    for (auto _ : state)
        benchmark::DoNotOptimize(l.HitTest(QPointF(1, 1)));
}
BENCHMARK(BM_AtteinteLigne)->Unit(benchmark::kMicrosecond);

void BM_InsereEtSupprimePoint(benchmark::State &state)
{
    auto m = PageA4();
    TxiloCADLigne &l = AjouteLigne(*m);
    l.SetPoints(std::vector<QPointF>(l.Points().begin(), l.Points().end() - 3));
    for (auto _ : state) {
        l.InsertPoint(0);
        l.DeletePoint(3);
    }
}
BENCHMARK(BM_InsereEtSupprimePoint)->Unit(benchmark::kMicrosecond);

void BM_AimanteParmi1000Objets(benchmark::State &state)
{
    auto m = PageA4();
    m->SetEchelles(4, 4);
    for (int i = 0; i < 900; ++i) {
        auto &r = dynamic_cast<TxiloCADRectangle &>(*m->AddObject(u"rectangle"_s));
        r.SetFace(1);
        r.SetCentre(10 + (i * 37) % 190, 10 + (i * 53) % 277);
    }
    for (int i = 0; i < 100; ++i) {
        auto &g = dynamic_cast<TxiloCADRepere &>(*m->AddObject(u"repere"_s));
        g.SetFace(1 + i % 2);
        g.SetSorte(1 + i % 3 % 2);
        g.SetSens(1 + i % 2);
        g.SetPosition(3 + i * 2.1);
    }
    auto &boite = dynamic_cast<TxiloCADRectangle &>(*m->AddObject(u"rectangle"_s));
    boite.SetFace(1);
    boite.SetTaille(40, 30);
    for (auto _ : state) {
        boite.SetCentre(100.3, 150.2);
        Aimante(boite);
        benchmark::DoNotOptimize(boite.X());
    }
}
BENCHMARK(BM_AimanteParmi1000Objets)->Unit(benchmark::kMicrosecond);

} // namespace
