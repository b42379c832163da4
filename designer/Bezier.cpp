#include "Bezier.h"

#include <algorithm>
#include <cmath>

#include <QPolygon>

#include "Arrondi.h"
#include "Canevas.h"
#include "TxiloCADMdl.h"

namespace {

// Straight pieces of one segment, chosen from its pixel control points:
// the curve strays from the chord of a piece of parameter length 1/n by at
// most 3/4 d / n^2, d being the longest second difference of the control
// points, so n = sqrt(3 d) keeps it within a quarter of a pixel.
int Pieces(QPoint p0, QPoint p1, QPoint p2, QPoint p3)
{
    const double d = std::max(std::hypot(double(p0.x()) - 2.0 * p1.x() + p2.x(), double(p0.y()) - 2.0 * p1.y() + p2.y()),
                              std::hypot(double(p1.x()) - 2.0 * p2.x() + p3.x(), double(p1.y()) - 2.0 * p2.y() + p3.y()));
    const double n = std::ceil(std::sqrt(3 * d));
    if (!(n >= 1))
        return 1;
    return n >= PiecesMaxParSegment ? PiecesMaxParSegment : int(n);
}

} // namespace

int SegmentsComplets(qsizetype nombre)
{
    return nombre <= 0 ? 0 : int((nombre - 1) / 3);
}

qsizetype PointsDuChemin(qsizetype nombre)
{
    return nombre <= 0 ? 0 : 3 * qsizetype(SegmentsComplets(nombre)) + 1;
}

double PointDistance(QPointF a, QPointF b)
{
    return std::hypot(a.x() - b.x(), a.y() - b.y());
}

QPointF PointBezier(QPointF p0, QPointF p1, QPointF p2, QPointF p3, double t)
{
    const double u = 1 - t;
    return u * u * u * p0 + 3 * u * u * t * p1 + 3 * u * t * t * p2 + t * t * t * p3;
}

TStylo StyloAEchelle(const TxiloCADMdl &modele, const TStylo &stylo)
{
    TStylo s = stylo;
    // A mirrored page has a negative scale; the pen keeps its width.
    s.Largeur = Round(stylo.Largeur / 1000.0 * (std::abs(modele.EchelleX()) + std::abs(modele.EchelleY())) / 2);
    return s;
}

void TraceBezier(TCanevas &canevas, const TxiloCADMdl &modele, const std::vector<QPointF> &points, bool remplir)
{
    const int segments = SegmentsComplets(qsizetype(points.size()));
    if (segments == 0)
        return;
    // The curve is cut in page millimetres and each piece's end turned into
    // a pixel: the page-to-pixel transform is affine, so this is the curve
    // of the pixel control points, without their rounding.
    QPolygon courbe;
    courbe.reserve(3 * qsizetype(segments) + 1);
    courbe.append(modele.PageToPixel(points[0]));
    QPolygon trace;
    trace.append(courbe.constFirst());
    for (int s = 0; s < segments; ++s) {
        const QPointF *p = &points[size_t(3 * s)];
        const QPoint c1 = modele.PageToPixel(p[1]);
        const QPoint c2 = modele.PageToPixel(p[2]);
        const QPoint fin = modele.PageToPixel(p[3]);
        courbe << c1 << c2 << fin;
        const int n = Pieces(courbe.at(3 * s), c1, c2, fin);
        for (int i = 1; i <= n; ++i) {
            const QPoint pixel = i == n ? fin : modele.PageToPixel(PointBezier(p[0], p[1], p[2], p[3], double(i) / n));
            if (pixel != trace.constLast())
                trace.append(pixel);
        }
    }
    canevas.Bezier(courbe, trace, remplir);
}

void TCanevas::Bezier(const QPolygon &courbe, const QPolygon &trace, bool remplir)
{
    (void)courbe;
    if (remplir) {
        // The fill closes the path, the outline does not: they are drawn
        // apart.
        const TStylo stylo = Stylo();
        TStylo sansTrait = stylo;
        sansTrait.Style = StyloVide;
        SetStylo(sansTrait);
        Polygone(trace);
        SetStylo(stylo);
    }
    Polyligne(trace);
}
