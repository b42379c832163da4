// Printable designs: an A4 page of 200 text objects drawn with their fonts
// fitted, within 50 ms, whether they shrink to the width they were loaded
// with or are fitted to boxes dragged by their corners; and one month
// calendar drawn within 2 ms.

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <QRect>

#include "CanevasQt.h"
#include "TxiloCADCal.h"
#include "TxiloCADMdl.h"
#include "TxiloCADTexte.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int NombreTextes = 200;
// An A4 page on a 96-dpi screen.
const QRect PageA4(0, 0, 794, 1123);

const QString Phrases[] = {
    u"Jean-Baptiste Dupont"_s,
    u"né le 12 mars 1871 à Saint-Étienne"_s,
    u"Marie Louise|épouse Martin"_s,
    u"<nom> <prenom>"_s,
    u"Famille Lefebvre de la Roche"_s,
};

// Texts of a design as read from its file: each box narrower than its text
// at the font it was saved with, so that the shrink has work to do.
void Remplit(TxiloCADMdl &m)
{
    m.SetOnGetTagValue([](TxiloCADObj *, const QString &balise, QString &valeur) {
        valeur = balise == u"nom"_s ? u"MARTIN"_s : u"Pierre"_s;
    });
    for (int i = 0; i < NombreTextes; ++i) {
        TxiloCADObj *objet = m.AddObject(u"texte"_s);
        objet->LoadFromStrings({
            u"Name=Texte"_s,
            u"Face=1"_s,
            u"x=%1"_s.arg(20 + (i * 37) % 170),
            u"y=%1"_s.arg(10 + (i * 53) % 277),
            u"l=%1"_s.arg(20 + i % 30),
            u"r=%1"_s.arg((i * 7) % 360),
            u"Font=000000,Arial,%1,%2"_s.arg(3000 + (i % 20) * 250).arg(i % 3 == 0 ? u"B"_s : QString()),
            u"Alignement=%1"_s.arg(i % 3),
            u"txt="_s + Phrases[i % std::size(Phrases)],
        });
    }
}

void BM_PageTextesReduits(benchmark::State &state)
{
    TxiloCADMdl m(nullptr, PageA4, 210, 297);
    Remplit(m);
    m.Interrupteurs().ReduitTexte = true;
    QImage image(PageA4.size(), QImage::Format_RGB32);
    QPainter painter(&image);
    TCanevasQt canevas(painter);
    for (auto _ : state)
        m.Draw(canevas, PageA4);
}
BENCHMARK(BM_PageTextesReduits)->Unit(benchmark::kMillisecond);

void BM_PageTextesAjustes(benchmark::State &state)
{
    TxiloCADMdl m(nullptr, PageA4, 210, 297);
    Remplit(m);
    QImage image(PageA4.size(), QImage::Format_RGB32);
    QPainter painter(&image);
    TCanevasQt canevas(painter);
    m.Draw(canevas, PageA4);
    int tour = 0;
    for (auto _ : state) {
        // Every text's corner dragged to a new width, then the page drawn.
        ++tour;
        for (int i = 0; i < m.Count(); ++i) {
            auto &t = static_cast<TxiloCADTexte &>(m.Objet(i));
            const double demi = 10 + (i + tour) % 25;
            t.RedimCentre(TxiloCADMdl::RotatePoint(QPointF(t.X(), t.Y()), QPointF(t.X() + demi, t.Y() + 4), t.R()));
        }
        m.Draw(canevas, PageA4);
    }
}
BENCHMARK(BM_PageTextesAjustes)->Unit(benchmark::kMillisecond);

void BM_CalendrierMois(benchmark::State &state)
{
    TxiloCADMdl m(nullptr, PageA4, 210, 297);
    auto &cal = static_cast<TxiloCADCal &>(*m.AddObject(u"cal"_s));
    cal.SetFace(1);
    cal.SetTaille(150, 120);
    cal.SetR(state.range(0));
    cal.SetAnnee(2010);
    cal.SetMois(1);
    cal.SetColorFond(CouleurRGB(255, 255, 200));
    QImage image(PageA4.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    TCanevasQt canevas(painter);
    for (auto _ : state)
        m.DrawObjects(canevas, PageA4);
}
// Unturned and turned by 30 degrees.
BENCHMARK(BM_CalendrierMois)->Arg(0)->Arg(30)->Unit(benchmark::kMicrosecond);

} // namespace
