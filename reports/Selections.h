#pragma once

#include "Listes.h"

#include <QString>
#include <functional>

class TBD;

// A person report's selection: the persons around the current person for one
// of the selection kinds, and the report title.
struct TSelection {
    TR Liste;
    QString Titre;
    // True when some list built on the way reached the capacity of a person
    // list (TR::Capacity) and was cut there: the result is then incomplete,
    // even when the final list is shorter than the capacity.
    bool Coupee = false;
};

// Number of selection kinds (items of the selection list).
inline constexpr int NbSortesSelection = 15;

// The kinds are the item indexes of the selection list:
//   0 every person, in number order;
//   1 p and its ancestors over n generations (generation by generation,
//     father before mother);
//   2 the descendants of p down to n generations (depth first);
//   3 the parents, 4 the siblings, 5 the children, 6 the partners of p;
//   7 the uncles and aunts of degree n (the siblings of the ancestors of
//     generation n); 8 the cousins of degree n (their descendants of
//     generation n);
//   9 the ancestors of generation n; 10 the descendants of generation n;
//   11 the ancestors (p included) with neither parent; 12 those lacking a
//     father or a mother; 13 the descendants (p included) without children;
//   14 the persons of the tree view, as `ecranArbre` gives them (an empty
//     list without it).
// Any other kind (-1: none chosen) gives p alone under the title
// "La personne". p is the current person's number (a number not in use gives
// empty lists); n is the number of generations or the degree, brought into
// 1..99. Lists keep the order and the duplicates of the relatives queries
// (Parente.h): an ancestor reached through two lines appears twice.
TSelection SelectionneListe(const TBD &bd, int sorte, int p, int n,
                            const std::function<TR()> &ecranArbre = {});

// The text of kind `sorte` in the selection list; empty outside 0..14.
QString TexteSorteSelection(int sorte);
// True for the kinds that use the number of generations or degree
// (1, 2, 7, 8, 9 and 10).
bool SorteAvecDegre(int sorte);
// The degree text of the titles: "1 er degré", else n + " ème degrés".
QString TexteDegre(int n);
