#pragma once

// What the tests of the line, shape and guide objects share: a scripted
// keyboard, an editor's colours, and curves measured against the pixels
// drawn for them.

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include <QImage>
#include <QPointF>

#include "Clavier.h"
#include "TxiloCADMdl.h"

namespace aidebezier {

class ClavierScripte final : public TEtatClavier
{
public:
    bool maj = false;
    bool ctrl = false;
    bool Maj() const override { return maj; }
    bool Ctrl() const override { return ctrl; }
};

// Installs a scripted keyboard for the life of a test.
struct ClavierDeTest {
    ClavierScripte touches;
    ClavierDeTest() { SetEtatClavier(&touches); }
    ~ClavierDeTest() { SetEtatClavier(nullptr); }
};

// An editor's colours, each unlike any other colour drawn.
class Couleurs final : public TProprietaireModele
{
public:
    static constexpr TColor Cadre = CouleurRGB(0, 255, 255);
    static constexpr TColor Selection = CouleurRGB(255, 0, 255);
    static constexpr TColor Active = CouleurRGB(255, 255, 0);
    TColor CouleurCadre() const override { return Cadre; }
    TColor CouleurSelection() const override { return Selection; }
    TColor CouleurActive() const override { return Active; }
};

// The point at t of a cubic segment, by de Casteljau's construction.
inline QPointF Casteljau(QPointF a, QPointF b, QPointF c, QPointF d, double t)
{
    const auto entre = [t](QPointF p, QPointF q) { return p + t * (q - p); };
    const QPointF ab = entre(a, b), bc = entre(b, c), cd = entre(c, d);
    const QPointF abc = entre(ab, bc), bcd = entre(bc, cd);
    return entre(abc, bcd);
}

// Fine samples of a chain of segments (3k + 1 points) in pixels of the
// model's page, unrounded: the canvas puts a point at the pixel its
// coordinates round to.
inline std::vector<QPointF> Echantillons(const TxiloCADMdl &m, const std::vector<QPointF> &page)
{
    std::vector<QPointF> px;
    for (const QPointF &p : page)
        px.emplace_back(p.x() * m.EchelleX() + m.DecalageX(), p.y() * m.EchelleY() + m.DecalageY());
    std::vector<QPointF> points;
    for (size_t s = 0; s + 3 < px.size(); s += 3) {
        for (int i = 0; i <= 2000; ++i)
            points.push_back(Casteljau(px[s], px[s + 1], px[s + 2], px[s + 3], i / 2000.0));
    }
    return points;
}

inline double Distance(QPointF a, QPointF b)
{
    return std::hypot(a.x() - b.x(), a.y() - b.y());
}

// How far the pixels that `encre` keeps lie from the curve at most, and how
// far the curve lies from the nearest such pixel at most. Infinite when
// there is no ink.
struct Ecarts {
    double EncreACourbe = 0;
    double CourbeAEncre = 0;
};
inline Ecarts MesureTrace(const QImage &image, const std::vector<QPointF> &courbe,
                          const std::function<bool(QRgb)> &encre)
{
    std::vector<QPointF> pixels;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (encre(image.pixel(x, y)))
                pixels.emplace_back(x, y);
        }
    }
    Ecarts e;
    if (pixels.empty()) {
        e.EncreACourbe = e.CourbeAEncre = INFINITY;
        return e;
    }
    const auto plusPres = [](QPointF p, const std::vector<QPointF> &autres) {
        double d = INFINITY;
        for (const QPointF &q : autres)
            d = std::min(d, Distance(p, q));
        return d;
    };
    for (const QPointF &p : pixels)
        e.EncreACourbe = std::max(e.EncreACourbe, plusPres(p, courbe));
    for (size_t i = 0; i < courbe.size(); i += 10)
        e.CourbeAEncre = std::max(e.CourbeAEncre, plusPres(courbe[i], pixels));
    return e;
}

} // namespace aidebezier
