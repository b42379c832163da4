#pragma once

class TBD;

// Merging two person records that describe the same person: the second
// record's names, parents, children, events, note and unions are carried
// into the first; the second stays in the database, its surname prefixed
// with "(double à supprimer) " for the user to delete it. Sources are not
// carried over.

enum class TResultatFusion {
    Faite,
    // Done, but the event table (50,000) filled up: the events not yet
    // carried when it did were left with the second record.
    EvenementsPleins,
    // Done, but the union table (50,000) is full: a union the merge needed
    // (of the parents, or of the first and a partner of the second) was not
    // made, and that union's events stayed with the second record.
    UnionsPleines,
    // Refused, nothing changed: the same person twice, or a number naming
    // no person in use.
    PersonnesInvalides,
    // Refused, nothing changed: the sexes differ.
    SexesDifferents,
    // Refused, nothing changed: both have a father and the fathers differ,
    // or both have a mother and the mothers differ.
    ParentsDifferents,
    // Refused, nothing changed: one is an ancestor of the other, so that the
    // merge would make a person his own ancestor.
    Ascendance,
};

// True for the results of a merge that was carried out.
bool FusionFaite(TResultatFusion resultat);

// The language text that tells the user the result: 7710 to 7716 ("Fusion
// Terminée" for Faite).
int TexteFusion(TResultatFusion resultat);

// Merges person `second` into person `premier` (both 1-based numbers),
// after the checks of TResultatFusion, in this order:
//  1. names: when the surnames differ, the first's becomes "<first> |
//     <second>", the same for the given names; the second's surname gets
//     the prefix "(double à supprimer) ";
//  2. the first's update date becomes today's;
//  3. parents: a father of the second becomes the first's, else the second
//     gets the first's; the same for the mother; then the union of the
//     father and the mother is ensured (UnionFusion);
//  4. the second's children (links to the second as father or mother) are
//     linked to the first instead;
//  5. the second's events, in order, are carried (see below) into the
//     first's first event of the same type (letter case ignored), else into
//     a new event of the first;
//  6. a note of the second is added to the first's after a line "Issue de
//     la fusion" (text 7717);
//  7. for each union of the second, by marriage date: the union of the
//     first and that partner (UnionFusion) receives the union's events.
// Carrying an event into a target: the target takes the type; a target that
// has a note gets the line "Issue de la fusion"; the date, the place and the
// time fill the target's when empty, else are added to the target's note
// as a line each; the event's note is added to the target's note. Lines of a
// note are separated by CR LF.
// BaseModifiee is set when the merge was carried out.
TResultatFusion FusionneFiches(TBD &bd, int premier, int second);

// The union of a and b, two persons in use of different sex: the existing
// one (UnionOf), else a new one: b is the husband when b is a man, else the
// wife, and a takes the other place; a new union also numbers a from b
// (person field 26 read as a whole number): when b is the husband and his
// number is above 0, a's becomes that number plus 1; when b is the wife,
// that number minus 1. 0 when the sexes are equal, when a or b names no
// person in use (no union is made then) or when the union table is full.
int UnionFusion(TBD &bd, int a, int b);
