#pragma once

#include <vector>

#include "TxiloCADRect.h"

// The rectangle kind ("rectangle"): a filled polygon inscribed in its box,
// from a triangle to an ellipse, drawn with the object's pen and brush.
//
// Cote, the number of sides: 3 is a triangle with its apex in the middle of
// the top side, 4 the box itself, 999 an ellipse (drawn with 50 sides), any
// other n a polygon of n sides inscribed in the ellipse of the box, its
// first corner in the middle of the right side. Key written after those of
// boxed objects: Cote.
class TxiloCADRectangle final : public TxiloCADRect
{
public:
    // Counts of sides below 3 have no shape: they are taken as 4. Counts
    // above CoteMax are taken as CoteMax.
    static constexpr int CoteMax = 1000;
    static constexpr int CoteEllipse = 999;

    // A rectangle of that geometry (millimetres, degrees), 4 sides.
    TxiloCADRectangle(TxiloCADMdl &modele, double x, double y, double l, double h, double r);

    const QStringList &SaveToStrings() override;
    // Reads Cote (a missing one gives 4), then the keys of boxed objects.
    void LoadFromStrings(const QStringList &lignes) override;
    // On the current face: the polygon filled with the brush (clear when
    // the model's fill switch is off) and outlined with the pen, its width
    // scaled to the page; then the frame and handles.
    void Draw(TCanevas &canevas) override;

    int Cote() const { return m_cote; }
    void SetCote(int cote);
    // The polygon's corners in page millimetres, turned with the box; for a
    // shape of n sides other than 3 and 4, n + 1 points, the last repeating
    // the first.
    std::vector<QPointF> Sommets() const;

private:
    int m_cote = 4;
};
