#pragma once

#include <vector>

#include <QPointF>

#include "TxiloCADRect.h"

// The free-shape kind ("forme"): a boxed object holding a path of cubic
// Bézier segments (see Bezier.h) drawn in its own frame of FormeLarge x
// FormeHaut units, which is stretched over the box and turned with it. It is
// hit, moved, turned and resized as every boxed object.
//
// Keys written after those of boxed objects: p (the points, as
// TextToPoints reads them, Convertisseurs.h), FormeLarge and FormeHaut.
class TxiloCADForme final : public TxiloCADRect
{
public:
    // A shape of that box (millimetres, degrees), without points, in a
    // frame of 1 x 1.
    TxiloCADForme(TxiloCADMdl &modele, double x, double y, double l, double h, double r);

    const QStringList &SaveToStrings() override;
    // Reads FormeLarge and FormeHaut (a missing or zero size is 1), p (at
    // most PointsMax points), then the keys of boxed objects.
    void LoadFromStrings(const QStringList &lignes) override;
    // On the current face: the path's complete segments filled with the
    // brush when it is not clear and the model's fill switch is on, and
    // drawn with the pen, its width scaled to the page; then the frame and
    // handles.
    void Draw(TCanevas &canevas) override;

    // The points in the shape's own frame: (0, 0) is the box's top-left
    // corner, (FormeLarge, FormeHaut) its bottom-right one.
    const std::vector<QPointF> &Points() const { return m_points; }
    // Of more than PointsMax points only the first PointsMax are kept.
    void SetPoints(std::vector<QPointF> points);
    double FormeLarge() const { return m_formeLarge; }
    double FormeHaut() const { return m_formeHaut; }
    // A size of 0 is taken as 1.
    void SetCadreForme(double large, double haut);
    // The points of the path's complete segments on the page (millimetres),
    // stretched over the box and turned with it.
    std::vector<QPointF> PointsPage() const;

private:
    std::vector<QPointF> m_points;
    double m_formeLarge = 1;
    double m_formeHaut = 1;
};
