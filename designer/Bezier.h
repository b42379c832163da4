#pragma once

#include <vector>

#include <QPointF>

#include "StylesCAD.h"

class TCanevas;
class TxiloCADMdl;

// Chains of cubic Bézier segments, as the line and shape objects keep them:
// the points at indices 0, 3, 6 ... are anchors, the two points between two
// anchors are the control points of the segment joining them, so that a
// chain of k segments holds 3k + 1 points. A straight segment has its
// control points on its ends.

// The number of complete segments of a chain of `nombre` points: (nombre -
// 1) div 3, 0 for an empty chain. Points after the last anchor belong to no
// segment.
int SegmentsComplets(qsizetype nombre);
// The points of a chain of `nombre` points that belong to its path: the
// anchors and control points up to the last anchor (3k + 1), 1 for a single
// anchor, 0 for none.
qsizetype PointsDuChemin(qsizetype nombre);

// The straight distance between two points.
double PointDistance(QPointF a, QPointF b);

// The point at parameter t (0 to 1) of the segment from p0 to p3 with the
// control points p1 and p2.
QPointF PointBezier(QPointF p0, QPointF p1, QPointF p2, QPointF p3, double t);

// A pen stored on an object (width in thousandths of a millimetre) as the
// canvas draws it on the model's page: its width becomes round(width / 1000
// x (|scale x| + |scale y|) / 2) pixels.
TStylo StyloAEchelle(const TxiloCADMdl &modele, const TStylo &stylo);

// Traces the complete segments of `points` (page millimetres, a chain as
// above) through the model's page-to-pixel transform. When `remplir`, the
// area the path closes (straight from its end back to its start) is first
// filled with the canvas brush by the odd-even rule, without outline; the
// path is then drawn with the canvas pen as an open line. Nothing without a
// complete segment. The curves are laid as straight pieces short enough to
// stay within a quarter of a pixel of the curve (at most
// PiecesMaxParSegment pieces a segment); the canvas receives them with the
// pixel control points (TCanevas::Bezier), and a back end that keeps curves
// draws those.
void TraceBezier(TCanevas &canevas, const TxiloCADMdl &modele, const std::vector<QPointF> &points, bool remplir);
constexpr int PiecesMaxParSegment = 256;
