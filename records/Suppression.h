#pragma once

#include "Listes.h"

#include <vector>

class TBD;

// The persons the delete window gathers around its reference person, by
// ticked box (in the order they are applied).
struct TCriteresSuppression {
    bool Personne = true;     // CB_Pers: the reference
    bool Pere = false;        // CB_Pere
    bool Mere = false;        // CB_Mere
    bool Conjoints = false;   // CB_Conj: its partners
    bool Fratrie = false;     // CB_Fatrie: its brothers and sisters
    bool Enfants = false;     // CB_Enfant
    bool Asc = false;         // CB_Asc: the reference and its ancestors over AscGen generations
    int AscGen = 1;           // eAscGen
    bool AscConj = false;     // cbAscConj: the partners of those ancestors
    bool AscConjAsc = false;  // cbAscConjAsc: and each partner's ancestors over AscConjAscGen
    int AscConjAscGen = 1;    // eAscConjAsc
    bool AscFratrie = false;  // cbAscFratrie: the siblings of the ancestors
    bool AscFratrieDes = false; // cbAscFratrieDes: and all their descendants
    bool Des = false;         // CB_Des: its descendants over DesGen generations
    int DesGen = 1;           // eDesGen
    bool DesConj = false;     // cbDesConj: their partners
    bool DesConjAsc = false;  // cbDesConjAsc: and each partner's ancestors over DesConjAscGen
    int DesConjAscGen = 1;    // eDesConjAsc
    bool Age = false;         // cbAge: persons whose age is above 0 and below AgeMax
    int AgeMax = 100;         // eAge
    bool Rapport = false;     // cbRapport: the persons listed in the report
};

// After persons were removed: the current person `courant` when still in
// use, else the nearest person in use before it, else the first after it,
// else 0. The reference person of the tree (RefPers) becomes that person
// when it is no longer in use.
int PersonneApresSuppression(const TBD &bd, int courant);

// A set of persons as one byte per person number: index 0 unused, 1 = in
// the set, 0 = not. Numbers at or beyond the size are not in the set.
using TMarques = std::vector<char>;

// Generations walked below the siblings of the ancestors ("all their
// descendants").
constexpr int GenerationsFratrieDes = 9999;

// The set gathered around `reference` (a person number; 0 or a free slot
// gives no relatives) by the ticked criteria, sized to the person
// high-water count + 1. A dependent criterion counts only with the one it
// depends on (AscConj, AscFratrie under Asc; AscConjAsc under AscConj;
// AscFratrieDes under AscFratrie; DesConj under Des; DesConjAsc under
// DesConj). Generation counts below 0 count as 0.
//
// Relatives are those of the relatives queries: parents and partners only
// when in use, partners in the role the person's sex gives it, siblings by
// father or mother. Ancestors and descendants are walked breadth first,
// each person once, so a family with cousin marriages costs no more than
// its size whatever the number of generations asked for.
//
// `rapport` holds the persons listed in the report window; it is read only
// with criteres.Rapport, and its numbers outside 1..high-water are ignored.
TMarques MarquesSuppression(const TBD &bd, int reference, const TCriteresSuppression &criteres,
                            const TR &rapport);

// True when the operation removes person p: p is in use and marked (remove
// the set) or unmarked (conserver: keep only the set).
bool EstSupprimee(const TBD &bd, const TMarques &marques, bool conserver, int p);

// The number of persons the operation removes.
int CompteSuppression(const TBD &bd, const TMarques &marques, bool conserver);

// The persons the operation removes, in number order.
TR ListeSuppression(const TBD &bd, const TMarques &marques, bool conserver);

// Removes the persons of the operation (marks computed on the database as
// it stands) and returns the new current person:
//  - each removed person's slot and events are freed; when it is the
//    current person, the current person first becomes its father when in
//    use, else its mother when in use (so removing a line of ancestors in
//    one go climbs past all of them);
//  - when the current person is then gone, PersonneApresSuppression
//    decides (RefPers follows it when gone too);
//  - every father or mother link to a person not in use is set to 0, with
//    its certainty status;
//  - the unions of a removed person are freed with their events; a partner
//    number naming no person in use for another reason is set to 0; a union
//    left with neither partner is freed. A union with one partner known and
//    none removed stays.
// BaseModifiee is set. Works with an empty set too (only the clean-up).
int SupprimePersonnes(TBD &bd, const TMarques &marques, bool conserver, int courant);
