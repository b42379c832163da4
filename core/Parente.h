#pragma once

#include "Listes.h"

#include <QString>

class TBD;

// Relatives queries. Each returns a new list in the order stated; a list
// that would exceed its capacity stops there and is marked as cut
// (TListe::Tronquee). A parent or partner number counts only when it names a
// person in use.

// Every person in use, in number order.
TR AllPersons(const TBD &bd);
// The persons whose surname equals the text exactly, in number order.
TR FindBySurname(const TBD &bd, const QString &nom);

// The father, then the mother, each only when known.
TR ParentsOf(const TBD &bd, int p);
TRR ParentsOfTRR(const TBD &bd, int p);
// Persons with the same father or the same mother, p excluded, in number
// order, each once.
TR SiblingsOf(const TBD &bd, int p);
// Persons whose father or mother is p, in number order; empty for p < 1.
TR ChildrenOf(const TBD &bd, int p);
bool HasChildren(const TBD &bd, int p);

// Union numbers of p, as husband for a man, else as wife, ordered by marriage
// date (undated unions keep their places in number order).
TR UnionsOf(const TBD &bd, int p);
TRR UnionsOfTRR(const TBD &bd, int p);
// The partner of each union of UnionsOf, in the same order; unions without a
// partner are skipped.
TR SpousesOf(const TBD &bd, int p);
// Number of unions of p (the count of UnionsOf).
int SpouseCount(const TBD &bd, int p);
// The last union whose husband and wife are the two persons (husband and wife
// chosen by the sex of a); 0 when none.
int UnionOf(const TBD &bd, int a, int b);
// The partner of p's last union by marriage date; 0 when p has no union or
// p's sex is unknown.
int LastSpouse(const TBD &bd, int p);
// True when some union has p as husband (man) or wife (woman or unknown sex).
bool HasUnion(const TBD &bd, int p);

// Parents, siblings (each member itself excluded), children or partners of
// every member of a list, member by member, duplicates kept.
TR ParentsOfList(const TBD &bd, const TR &liste);
TR SiblingsOfList(const TBD &bd, const TR &liste);
TR ChildrenOfList(const TBD &bd, const TR &liste);
TR SpousesOfList(const TBD &bd, const TR &liste);

// p and its ancestors over n generations, generation by generation, father
// before mother, duplicates kept; n = 0 gives p alone.
TR AncestorsOf(const TBD &bd, int p, int n);
// The descendants of p down to n generations, depth first, children in number
// order, p excluded.
TR DescendantsOf(const TBD &bd, int p, int n);
// Depth-first walks over every generation: the ancestors with neither parent
// (p itself when it has none); the ancestors, p included, lacking a father
// or a mother; the descendants without children (p itself when childless).
// A loop in the parent links is not followed round again.
TR AncestorsWithoutParents(const TBD &bd, int p);
TR AncestorsMissingAParent(const TBD &bd, int p);
TR DescendantsWithoutChildren(const TBD &bd, int p);

// True when a is p or one of p's ancestors at any depth, following only
// parents in use; a loop already in the links is walked once. Making p the
// father or mother of a would close a loop exactly when this is true.
bool IsAncestorOf(const TBD &bd, int a, int p);

// The nearest common ancestor of a and b within n generations (a person
// counts as its own ancestor at distance 0): the one with the smallest sum of
// distances, then the smallest distance from a, then the lowest number.
struct TAncetreCommun {
    int Ancetre = 0;
    int DistanceA = 0;
    int DistanceB = 0;
};
bool FindCommonAncestor(const TBD &bd, int a, int b, int n, TAncetreCommun *resultat);

// Numbering texts (person field 26): Sosa numbers of ancestors as a comma
// list ("5,12"), d'Aboville numbers of descendants with "/" ("1/2/1").
// True when the text is not empty and holds no "/".
bool HasSosaNumber(const TBD &bd, int p);
// Adds 2n (father) or 2n + 1 (mother) for each number n of p's numbering to
// the parent's list, without duplicates. Numbers of any length are exact.
void PropagateSosaToFather(TBD &bd, int p);
void PropagateSosaToMother(TBD &bd, int p);
// Renumbers every person from a root over `generations` generations each way:
// all numberings are cleared; the root gets "1"; its ancestors their Sosa
// numbers; its descendants d'Aboville numbers, the k-th child (by birth
// date) of "N" being "N/k". With parFamille, children are numbered within
// each union, the union's letter before the rank ("1/a1", "1/b1") when their
// parent has several unions. With conjoints, the partners of numbered
// descendants get the descendant's number followed by "c" ("1/2c"; "1/2c1",
// "1/2c2" for several).
void NumberTree(TBD &bd, int racine, int generations, bool conjoints, bool parFamille);
