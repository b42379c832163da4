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
