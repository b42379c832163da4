// Printable designs in the editor control, an A4 page fitted to a control of
// 860 x 1,208 pixels (4 pixels per millimetre):
// - an object dragged on a page of 500 objects (rectangles, ellipses,
//   texts, lines, calendars and bar codes): one move of the pointer and the
//   redraw it asks for within 16 ms, a frame of a 60-hertz screen; and, for
//   comparison, the whole page drawn again, as any other change does;
// - a folder tree of 1,000 entries (100 folders of 9 files) drawn within
//   30 ms once listed, and its first drawing, which lists the folder.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QTemporaryDir>

#include "CanevasQt.h"
#include "TxiloCAD.h"
#include "TxiloCADArbo.h"
#include "TxiloCADCodeBarre.h"
#include "TxiloCADLigne.h"
#include "TxiloCADMdl.h"
#include "TxiloCADRectangle.h"
#include "TxiloCADTexte.h"

using namespace Qt::StringLiterals;

namespace {

void Souris(QWidget *page, QEvent::Type type, QPointF pixel, Qt::MouseButtons boutons)
{
    QMouseEvent e(type, pixel, page->mapToGlobal(pixel), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                  boutons, Qt::NoModifier);
    QCoreApplication::sendEvent(page, &e);
}

// 250 objects of every kind.
void Remplit(TxiloCADMdl &m)
{
    for (int i = 0; i < 250; ++i) {
        const double x = 10 + (i * 37) % 190;
        const double y = 10 + (i * 53) % 277;
        TxiloCADObj *objet = nullptr;
        switch (i % 6) {
        case 0:
        case 1: {
            auto &r = dynamic_cast<TxiloCADRectangle &>(*m.AddObject(u"rectangle"_s));
            r.SetCentre(x, y);
            r.SetTaille(8 + i % 20, 6 + i % 15);
            r.SetR((i * 7) % 360);
            r.SetCote(i % 2 ? 4 : TxiloCADRectangle::CoteEllipse);
            r.SetBrush(TPinceau{CouleurRGB(i % 256, 128, 0), PinceauPlein});
            objet = &r;
            break;
        }
        case 2: {
            auto &t = dynamic_cast<TxiloCADTexte &>(*m.AddObject(u"texte"_s));
            t.SetCentre(x, y);
            t.SetText(u"Texte "_s + QString::number(i));
            objet = &t;
            break;
        }
        case 3: {
            auto &l = dynamic_cast<TxiloCADLigne &>(*m.AddObject(u"ligne"_s));
            l.SetPoints({{x, y}, {x + 5, y - 5}, {x + 10, y + 5}, {x + 15, y}});
            objet = &l;
            break;
        }
        case 4: {
            auto &c = dynamic_cast<TxiloCADRect &>(*m.AddObject(u"cal"_s));
            c.SetCentre(x, y);
            c.SetTaille(20, 20);
            objet = &c;
            break;
        }
        default: {
            auto &c = dynamic_cast<TxiloCADCodeBarre &>(*m.AddObject(u"codebarre"_s));
            c.SetCentre(x, y);
            c.SetTaille(20, 10);
            objet = &c;
            break;
        }
        }
        objet->SetFace(1);
    }
}

// An editor of an A4 page of 500 objects, a box of 30 x 20 mm in their
// middle, 250 of them above it.
struct Page500 {
    TxiloCAD cad;
    TxiloCADRectangle *boite = nullptr;
    Page500()
    {
        TxiloCADMdl &m = cad.Modele();
        m.SetLarge(210);
        m.SetHaut(297);
        Remplit(m);
        boite = dynamic_cast<TxiloCADRectangle *>(m.AddObject(u"rectangle"_s));
        boite->SetFace(1);
        boite->SetCentre(100, 150);
        boite->SetTaille(30, 20);
        Remplit(m);
        cad.resize(860, 1208);
        cad.SetOutil(TxiloCAD::OutilSelection);
        cad.Redraw();
    }
};

void BM_RedessinePage500Objets(benchmark::State &state)
{
    Page500 p;
    for (auto _ : state) {
        p.cad.RequestRedraw();
        p.cad.Redraw();
        benchmark::DoNotOptimize(p.cad.Image().constBits());
    }
}
BENCHMARK(BM_RedessinePage500Objets)->Unit(benchmark::kMillisecond);

void BM_GlisseParmi500Objets(benchmark::State &state)
{
    Page500 p;
    TxiloCAD &cad = p.cad;
    TxiloCADRectangle &boite = *p.boite;
    QWidget *page = cad.findChild<QWidget *>(u"ImagePage"_s);
    // Picked by its body, then moved to and fro.
    const QPointF prise(400, 600);
    Souris(page, QEvent::MouseMove, prise, Qt::NoButton);
    Souris(page, QEvent::MouseButtonPress, prise, Qt::LeftButton);
    if (cad.Selection() != &boite)
        state.SkipWithError("the object was not picked");
    int pas = 0;
    for (auto _ : state) {
        Souris(page, QEvent::MouseMove, prise + QPointF(3 * (pas % 40), 2 * (pas % 30)), Qt::LeftButton);
        ++pas;
        cad.Redraw();
        benchmark::DoNotOptimize(cad.Image().constBits());
    }
    Souris(page, QEvent::MouseButtonRelease, prise, Qt::NoButton);
}
BENCHMARK(BM_GlisseParmi500Objets)->Unit(benchmark::kMillisecond);

// A folder of 100 sub-folders of 9 files each: 1,000 entries on two levels.
struct Dossier1000 {
    QTemporaryDir tmp;
    Dossier1000()
    {
        for (int d = 0; d < 100; ++d) {
            const QString sous = tmp.path() + u"/dossier"_s + QString::number(d).rightJustified(3, u'0');
            QDir().mkpath(sous);
            for (int f = 0; f < 9; ++f) {
                static const QStringView extensions[] = {u"jpg", u"png", u"txt", u"mp3", u"avi", u"pdf", u"doc", u"", u"odt"};
                QFile fichier(sous + u"/fichier "_s + QString::number(f) + u'.' + extensions[f].toString());
                fichier.open(QIODevice::WriteOnly);
            }
        }
    }
};

void DessineArbo(benchmark::State &state, bool relister)
{
    Dossier1000 dossier;
    TxiloCADMdl m(nullptr, QRect(0, 0, 210, 297), 210, 297);
    auto &a = dynamic_cast<TxiloCADArbo &>(*m.AddObject(u"arbo"_s));
    a.SetFace(1);
    a.SetCentre(105, 148.5);
    a.SetTaille(190, 277);
    a.SetColumn(4);
    a.SetViewFichier(true);
    a.SetPath(dossier.tmp.path());
    if (a.Entrees().size() != 1000)
        state.SkipWithError("the folder does not hold 1,000 entries");
    QImage image(840, 1188, QImage::Format_RGB32);
    QPainter painter(&image);
    TCanevasQt canevas(painter);
    for (auto _ : state) {
        if (relister)
            a.SetPath(dossier.tmp.path());
        m.Draw(canevas, QRect(0, 0, 840, 1188));
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_DessineArbo1000Entrees(benchmark::State &state)
{
    DessineArbo(state, false);
}
BENCHMARK(BM_DessineArbo1000Entrees)->Unit(benchmark::kMillisecond);

void BM_ListeEtDessineArbo1000Entrees(benchmark::State &state)
{
    DessineArbo(state, true);
}
BENCHMARK(BM_ListeEtDessineArbo1000Entrees)->Unit(benchmark::kMillisecond);

} // namespace
