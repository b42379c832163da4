#pragma once

class TAffArbre;
class TBD;

// The descendant layouts of the family tree. Each places the descendants of
// the reference person (and, as asked, their last spouses and the reference
// person's siblings) through arbre.AjouteBoite / arbre.AjouteLien, and never
// adds the reference person's own box: the tree builder adds it afterwards,
// in look 1, at the root position (x0, y0). Sizes and steps come from the
// global Looks (index 1 for the reference box, 2 for everything placed
// here), computed by the builder beforehand. Children are taken in birth
// date order. A folded person is shown without its descendants.
//
// A layout stops growing when the tree is full (arbre.Plein()), when a
// coordinate would not fit in 32 bits, or past MaxGenerationsDes
// generations; it then marks the tree as cut (arbre.SetCoupe()) and keeps
// what it placed.

// The vertical and horizontal layouts lay their persons out in a table of
// rows (persons, spouses and the reference rows) of at most half
// arbre.LimiteElements() rows, so that the rows shown have room for their
// links; a descendance that needs more is cut, the reference rows being
// always kept.
// Generations of descendants followed whatever the look asks, so that a
// loop in the parent links cannot recurse without end.
constexpr int MaxGenerationsDes = 1000;

// Indented list, one descendant per row, each generation hs2 further right,
// depth first. The reference person is RefPers; with showConj its last
// spouse is shown next to its box (placed by look 1's style, in look 1, with
// no link) and each descendant's last spouse right of the descendant's box.
// Links go from the parent's bottom to the child's left side, persons
// (parent, child).
void DesGroupe(TAffArbre &arbre, const TBD &bd, int x0, int y0, bool showConj);

// Compact tree growing downward from refPers: leaves L2 + hs2 apart, every
// person centred over its shown descendants, the whole aligned so that the
// reference person falls on its box at (x0, y0). showConj puts each last
// spouse below its partner; showFratrie also lays out refPers's siblings and
// their descendance, joined by a horizontal chain. Links go from the child's
// top centre to the parent's (or the parent's spouse's) bottom centre,
// persons (child, parent). A person descending twice is shown twice.
void DesVertGroupe(TAffArbre &arbre, const TBD &bd, int refPers, int x0, int y0, bool showConj,
                   bool showFratrie);

// The same compact tree growing to the right: leaves h2 + vs2 apart, spouses
// right of their partners, the sibling chain vertical, links from the
// child's left side to the parent's (or its spouse's) right side.
void DesHorzGroupe(TAffArbre &arbre, const TBD &bd, int refPers, int x0, int y0, bool showConj,
                   bool showFratrie);
