// Printable designs, pictures and metafiles:
// - a clip art of 5,000 records (pens, brushes, polygons, lines, rectangles,
//   ellipses, filled paths) played into an 800 x 600 picture within 20 ms;
// - an 800 x 600 page of 20 picture objects whose caches are composed,
//   four of them turned and four masked, redrawn within 10 ms, as the
//   editor redraws on a 10-millisecond timer.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QTemporaryDir>

#include "CanevasQt.h"
#include "Images.h"
#include "LecteurEmf.h"
#include "Metafichier.h"
#include "TxiloCADImage.h"
#include "TxiloCADMdl.h"

using namespace Qt::StringLiterals;

namespace {

void Mot(QByteArray &o, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        o.append(char((v >> (8 * i)) & 0xFF));
}

// Metafile records written one after the other, a header before them and
// an EOF after, in hundredths of a millimetre over a 200 x 150 mm frame.
class Emf
{
public:
    void Enr(std::uint32_t type, std::initializer_list<std::uint32_t> mots)
    {
        Mot(m_corps, type);
        Mot(m_corps, std::uint32_t(8 + 4 * mots.size()));
        for (const std::uint32_t m : mots)
            Mot(m_corps, m);
        ++m_nombre;
    }
    void Poly16(std::uint32_t type, const std::vector<QPoint> &points)
    {
        Mot(m_corps, type);
        Mot(m_corps, std::uint32_t(28 + 4 * points.size()));
        for (int i = 0; i < 4; ++i)
            Mot(m_corps, 0);
        Mot(m_corps, std::uint32_t(points.size()));
        for (const QPoint &p : points)
            Mot(m_corps, std::uint32_t(std::uint16_t(p.x())) | (std::uint32_t(std::uint16_t(p.y())) << 16));
        ++m_nombre;
    }
    int Nombre() const { return m_nombre; }
    QByteArray Octets() const
    {
        QByteArray o;
        for (const std::uint32_t v : {1u, 88u, 0u, 0u, 799u, 599u, 0u, 0u, 20000u, 15000u, SignatureEmf, 0x10000u,
                                      std::uint32_t(88 + m_corps.size() + 20), std::uint32_t(m_nombre + 2), 64u, 0u,
                                      0u, 0u, 800u, 600u, 200u, 150u})
            Mot(o, v);
        o.append(m_corps);
        for (const std::uint32_t v : {14u, 20u, 0u, 16u, 20u})
            Mot(o, v);
        return o;
    }

private:
    QByteArray m_corps;
    int m_nombre = 0;
};

// 5,000 records: the mapping, then groups of ten records drawing a star,
// a bar, a frame, an ellipse and a filled path, each with its own pen and
// brush.
QByteArray ClipArt()
{
    Emf e;
    e.Enr(17, {8});
    e.Enr(9, {20000, 15000});
    e.Enr(11, {800, 600});
    e.Enr(18, {1});
    int i = 0;
    while (e.Nombre() + 16 <= 5000) {
        const int x = 500 + (i * 1370) % 19000;
        const int y = 500 + (i * 2290) % 14000;
        const std::uint32_t couleur = std::uint32_t((i * 2654435761u) & 0xFFFFFF);
        e.Enr(38, {1, 0, std::uint32_t(10 + i % 60), 0, couleur ^ 0x808080});
        e.Enr(37, {1});
        e.Enr(39, {2, 0, couleur, 0});
        e.Enr(37, {2});
        std::vector<QPoint> etoile;
        for (int k = 0; k < 10; ++k) {
            const double a = k * 3.14159265 / 5;
            const int r = k % 2 ? 180 : 450;
            etoile.emplace_back(x + int(r * std::cos(a)), y + int(r * std::sin(a)));
        }
        e.Poly16(86, etoile);
        e.Poly16(87, {{x - 400, y + 500}, {x, y + 650}, {x + 400, y + 500}});
        e.Enr(43, {std::uint32_t(x - 300), std::uint32_t(y - 300), std::uint32_t(x + 300), std::uint32_t(y + 200)});
        e.Enr(42, {std::uint32_t(x - 150), std::uint32_t(y - 150), std::uint32_t(x + 150), std::uint32_t(y + 150)});
        e.Enr(59, {});
        e.Enr(27, {std::uint32_t(x), std::uint32_t(y - 600)});
        e.Poly16(88, {{x + 200, y - 600}, {x + 300, y - 400}, {x + 200, y - 300}});
        e.Enr(61, {});
        e.Enr(60, {});
        e.Enr(62, {0, 0, 1, 1});
        e.Enr(40, {1});
        e.Enr(40, {2});
        ++i;
    }
    while (e.Nombre() < 5000)
        e.Enr(33, {}), e.Enr(34, {std::uint32_t(-1)});
    return e.Octets();
}

void BM_JoueMetafichier5000Enregistrements(benchmark::State &state)
{
    TMetafichier metafichier;
    if (!metafichier.ChargeOctets(ClipArt())) {
        state.SkipWithError("métafichier illisible");
        return;
    }
    QImage image(800, 600, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        metafichier.Dessine(painter, QRectF(0, 0, 800, 600));
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["enregistrements"] = 5000;
}
BENCHMARK(BM_JoueMetafichier5000Enregistrements)->Unit(benchmark::kMillisecond);

void BM_PageDe20ImagesEnCache(benchmark::State &state)
{
    // A 1,600 x 1,200 photograph shaded from red to blue, and the clip art
    // as a mask of white areas.
    QTemporaryDir dossier;
    QImage photo(1600, 1200, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x)
            photo.setPixel(x, y, qRgb(255 - x * 255 / 1600, y * 200 / 1200, x * 255 / 1600));
    const QString chemin = dossier.filePath(u"photo.jpg"_s);
    const QString masque = dossier.filePath(u"masque.emf"_s);
    QFile f(masque);
    if (!EcritJpeg(photo, chemin) || !f.open(QIODevice::WriteOnly) || f.write(ClipArt()) < 0) {
        state.SkipWithError("fichiers de test");
        return;
    }
    f.close();

    TxiloCADMdl m(nullptr, QRect(0, 0, 200, 150), 200, 150);
    for (int i = 0; i < 20; ++i) {
        auto &image = dynamic_cast<TxiloCADImage &>(*m.AddObject(u"image"_s));
        image.SetFace(1);
        image.SetCentre(22 + (i % 5) * 39, 20 + (i / 5) * 37);
        image.SetTaille(36, 27);
        image.SetR(i % 5 == 4 ? 15 : 0);
        image.SetFichierImage(chemin);
        if (i % 5 == 3)
            image.SetFichierMasque(masque);
    }
    const QRect ecran(0, 0, 800, 600);
    QImage page(ecran.size(), QImage::Format_RGB32);
    QPainter painter(&page);
    TCanevasQt canevas(painter);
    // The caches are composed at the first drawing.
    m.Draw(canevas, ecran);
    for (auto _ : state) {
        m.Draw(canevas, ecran);
        benchmark::DoNotOptimize(page.constBits());
    }
}
BENCHMARK(BM_PageDe20ImagesEnCache)->Unit(benchmark::kMillisecond);

} // namespace
