#pragma once

#include <vector>

#include <QPointF>

#include "TxiloCADObj.h"

// How an anchor of a line follows the pointer (TxiloCADLigne::MovePoint).
enum class TGlissement {
    // The anchor and its two control points move together: the line tool,
    // and every other caller.
    Point,
    // The whole line moves: only while the editor's selection tool drags an
    // anchor with the left button.
    Ligne,
};

// The line kind ("ligne"): a free path of cubic Bézier segments whose
// points lie on the page (millimetres) and are edited one by one. It is not
// a boxed object.
//
// Points: anchors at indices 0, 3, 6 ..., two control points between two
// anchors (see Bezier.h); a path of k segments holds 3k + 1 points and at
// most PointsMax (1000, itself 3 x 333 + 1). Points read from a file after
// the last anchor are kept and written back, but belong to no segment: they
// are neither drawn nor hit.
//
// Keys written after those of every object: Name again, then p, the points
// as "x;y|" each (see TextToPoints, Convertisseurs.h).
class TxiloCADLigne final : public TxiloCADObj
{
public:
    // A line without points.
    explicit TxiloCADLigne(TxiloCADMdl &modele);

    const QStringList &SaveToStrings() override;
    // Reads p (at most PointsMax points, the rest left out), then the keys
    // of every object.
    void LoadFromStrings(const QStringList &lignes) override;
    // On the current face: the path filled with the brush when the brush is
    // not clear and the model's fill switch is on, and drawn with the pen,
    // its width scaled to the page. The model's background mode 1 fills it
    // solid white, mode 2 hatches it in black. With the model's interactive
    // switch on: a selected line shows each segment's control points (red
    // dotted arms from their anchors, square marks); a selected line, or one
    // with an active point, shows its anchors as round marks once the page
    // has been drawn (the model's drawn flag). Marks are filled with the
    // editor's active colour for the active point, else its selection colour
    // for a selected line, else its frame colour (blue, red and red without
    // an editor).
    void Draw(TCanevas &canevas) override;
    // The index (0-based) of the point at `point` (page millimetres): a point
    // hits when it lies less than 3 pixels away on each axis. Anchors are
    // looked at first, control points first while Ctrl is held; the other
    // kind only for a selected line when the first found nothing. The lowest
    // index of the kind that hits wins. -1 when nothing hits or the line
    // cannot be selected. The face is not looked at.
    int HitTest(QPointF point) override;

    const std::vector<QPointF> &Points() const { return m_points; }
    int NombrePoints() const { return int(m_points.size()); }
    // Replaces the points; of more than PointsMax only the first PointsMax
    // are kept, which end on an anchor (the metafile import makes lines so).
    void SetPoints(std::vector<QPointF> points);

    // Moves point `indice` (0-based; nothing when out of range) towards `p`,
    // as the editor does while the point is dragged:
    // - a control point comes onto either neighbouring point when `p` lies
    //   less than 5 pixels from it, else onto `p`; then, unless Shift is
    //   held, the control point across its anchor is set opposite, so that
    //   the two stay in line through the anchor;
    // - an anchor moves to `p` with its two control points, or, in mode
    //   TGlissement::Ligne without Shift held, the whole line moves by the
    //   same offset.
    void MovePoint(int indice, QPointF p, TGlissement mode = TGlissement::Point);

    // The line's point operations. Indices are 0-based.
    // Adds a segment ending at `p`: the first point of an empty line, else a
    // control point on the last anchor, then `p` as the second control point
    // and as the new anchor (a path whose last segment is incomplete is
    // completed: `p` only fills the points that are missing). Returns the
    // index of the second control point of the new segment (0 for the first
    // point), or -1 when the line would exceed PointsMax points.
    int AddPoint(QPointF p);
    // Removes the anchor `indice` with its two control points (for the first
    // anchor the two after it, for the last the two before it). False, the
    // line unchanged, when `indice` is not an anchor or the line holds fewer
    // than 3 points.
    bool DeletePoint(int indice);
    // Cuts the segment after the anchor `indice` in two: a new anchor half
    // way to the next one, its control points on it. After the last anchor a
    // new straight segment 20 pixels to the right is added instead. False,
    // the line unchanged, when `indice` is not an anchor of the path or the
    // line would exceed PointsMax points.
    bool InsertPoint(int indice);
    // The number of complete segments.
    int SegmentCount() const;
    // Moves every point by `decalage` (page millimetres).
    void Translate(QPointF decalage);
    // A copy of the line added to the model (drawn on top) and moved 10
    // pixels right and down, every point with it; nullptr when the model
    // cannot make one.
    TxiloCADLigne *Duplique();

private:
    // Whether two page points lie less than `pixels` apart on the page as
    // drawn.
    bool Proches(QPointF a, QPointF b, double pixels) const;
    // The lowest index of the path's anchors (or control points) that hits
    // `point`, or -1.
    int Cherche(QPointF point, bool ancres) const;

    std::vector<QPointF> m_points;
};
