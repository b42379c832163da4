#pragma once

#include <QPoint>

class TAffArbre;
class TBD;

// The five layouts of the ascendance: the boxes of the ancestors of the
// reference person RefPers and the links from each child to its parents,
// added to `arbre` (AjouteBoite / AjouteLien, look 1) in a fixed creation
// order. They read look 1: Large, HauteurBoite, PasHorz, PasVert (computed by
// the builder before the layouts run) and NbreGen, the number of generations
// of ancestors shown (the parents are generation 1; 0 or less shows nothing).
// None adds the reference person's own box: the builder adds it last, at
// (x0, y0) or at the position returned by the compact layouts.
//
// Limits common to all five: at most GenerationsMax generations are shown
// whatever NbreGen says; a layout stops descending once arbre.Plein(); in
// both cases, and whenever a coordinate would not fit in 32 bits, the tree
// is marked cut (arbre.Coupe()). A loop in the parent links therefore ends.
namespace LayoutsAsc {
constexpr int GenerationsMax = 999;
}

// Style 1, "grouped": one ancestor per row below (x0, y0), depth first,
// father's line before mother's, each generation indented hs further left;
// a folded ancestor is shown without its parents.
void AscGroupe(TAffArbre &arbre, const TBD &bd, int x0, int y0);

// Style 2, compact tree growing upward: ancestors without shown parents are
// packed L + hs apart from x = 0, each child centred under its parents (or
// under its only parent); the root row is at y = (h + vs) x the number of
// generations shown (NbreGen brought into 0..GenerationsMax). A folded
// ancestor is shown without its parents. Returns the root position, where
// the reference person's box goes.
QPoint AscCompactVert(TAffArbre &arbre, const TBD &bd);

// Style 3, the same compact tree growing to the left: packed h + vs apart
// from y = 0, root column at x = 300. Returns the root position.
QPoint AscCompactHorz(TAffArbre &arbre, const TBD &bd);

// Style 4, binary tree growing upward from the box at (x0, y0), father to the
// left, mother to the right, the half-spread halving at each generation. The
// spread is counted from the depth of the ancestry actually shown (the
// longest parent line within NbreGen generations), not from NbreGen, so the
// deepest pair of parents is always (L + hs) div 4 x 4 apart; spreads too wide
// for 32-bit coordinates are narrowed (the tree is then marked cut). Fold
// flags are not consulted.
void AscVertical(TAffArbre &arbre, const TBD &bd, int x0, int y0);

// Style 5, binary tree growing to the left from the box at (x0, y0), father
// above, mother below, one hs step left per generation; spread as in style 4,
// vertically. Fold flags are not consulted.
void AscHorizontal(TAffArbre &arbre, const TBD &bd, int x0, int y0);
