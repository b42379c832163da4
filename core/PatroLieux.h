#pragma once

#include "Tableau.h"

class TBD;

// The surnames crossed with the places where they appear, for the reports
// "Patronymes et lieux" and "Lieux et patronymes", the Généanet export and
// the HTML export.
//
// Six columns: surname (language text 575, width 150, text), place (583,
// 150, text), first year (584, 50, date), last year (585, 50, date), dated
// occurrences (572, 30, date) and undated occurrences (633, 30, date).
// One row per distinct (surname, place) pair, both compared exactly, in order
// of first appearance; row values 0.
//
// Every person in use, in number order, counts once for each distinct place
// (exact text; an empty place is one) of its events, in list order, then of
// the events of its complete unions (UnionsOfTRR: as husband for a man, else
// as wife, by marriage date); a person's places beyond the 30th are ignored.
// For one person a place's years are the first and last years of the dates
// found there (DateYear; a date without a year adds none). The row of the
// person's surname and that place then gets: with years, its first year
// lowered and its last year raised to take them in and one more dated
// occurrence; without, one more undated occurrence. Years and counts never
// given stay empty cells.
//
// The progress, when given, counts persons (maximum the person count) and
// is told every 25 persons; the table stops there, incomplete, when it
// answers false.
TTableau PatroLieux(const TBD &bd, TAvancement *avancement = nullptr);
