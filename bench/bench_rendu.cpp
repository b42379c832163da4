// Printable designs: an A4 design exported at 300 dpi (2,480 x 3,508 pixels)
// as a JPEG file within 1 s, and a 4,000 x 3,000 picture resampled to
// 800 x 600 within 150 ms with the default filter (Box, the one the exports
// use); the other filters for comparison.

#include <benchmark/benchmark.h>

#include <QImage>
#include <QRect>
#include <QTemporaryDir>

#include "BitmapFX.h"
#include "TxiloCADMdl.h"
#include "TxiloCADRectangle.h"

using namespace Qt::StringLiterals;

namespace {

// An A4 page of 200 turned shapes of every kind, filled and outlined,
// spread over the page.
void Remplit(TxiloCADMdl &m)
{
    for (int i = 0; i < 200; ++i) {
        auto &r = dynamic_cast<TxiloCADRectangle &>(*m.AddObject(u"rectangle"_s));
        r.SetFace(1);
        r.SetCentre(10 + (i * 37) % 190, 10 + (i * 53) % 277);
        r.SetTaille(10 + i % 40, 8 + i % 30);
        r.SetR((i * 7) % 360);
        r.SetCote(i % 5 == 0 ? TxiloCADRectangle::CoteEllipse : 3 + i % 4);
        r.SetPen(TStylo{CouleurRGB(i % 256, 0, 128), 250 + i % 300, 0});
        r.SetBrush(TPinceau{CouleurRGB(0, i % 256, 64), i % 2 == 0 ? 0 : 4});
    }
}

void BM_ExportA4Jpeg300dpi(benchmark::State &state)
{
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(u"page.jpg"_s);
    TxiloCADMdl m(nullptr, QRect(0, 0, 210, 297), 210, 297);
    Remplit(m);
    m.SetQualiteExport(int(state.range(0)));
    for (auto _ : state) {
        if (!m.ExportJpeg(chemin, 2480, 3508, CouleurNoire))
            state.SkipWithError("la page n'a pu être exportée");
    }
}
// Quality 0 (the default) draws at twice the size and reduces; 7 draws
// directly.
BENCHMARK(BM_ExportA4Jpeg300dpi)->Arg(0)->Arg(7)->Unit(benchmark::kMillisecond);

QImage Photo()
{
    QImage image(4000, 3000, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *ligne = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            ligne[x] = qRgb((x * 7 + y) & 255, (x ^ y) & 255, (y * 3) & 255);
    }
    return image;
}

void BM_Redimension(benchmark::State &state)
{
    const QImage source = Photo();
    QImage destination(800, 600, QImage::Format_RGB32);
    const int filtre = int(state.range(0));
    for (auto _ : state) {
        if (!TBitmapFX::Stretch(source, destination, filtre))
            state.SkipWithError("échec du redimensionnement");
    }
    state.SetLabel(QString::fromUtf16(TBitmapFX::Filtres()[size_t(filtre)].Nom).toStdString());
}
BENCHMARK(BM_Redimension)->DenseRange(0, TBitmapFX::NombreFiltres - 1)->Unit(benchmark::kMillisecond);

} // namespace
