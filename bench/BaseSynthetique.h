#pragma once

class TBD;

// Fills an empty database with a made-up population for timing: founding
// couples around 1700 and their descendants over six or seven generations,
// every child marrying an outsider or, now and then, a cousin, some of them
// twice (half-siblings), with dates and French places on a share of the
// persons and unions. The same seed gives the same database. Stops when the
// person table is full (100,000); unions and events stop at their own
// capacities.
void RemplitBaseSynthetique(TBD &bd, unsigned graine = 1);
// The same population with its founding couples born from `debut` on
// instead of 1690 (the same seed and start give the same database).
void RemplitBaseSynthetique(TBD &bd, unsigned graine, int debut);

// One synthetic database made once for the whole benchmark program.
const TBD &BaseSynthetiquePartagee();
// One synthetic database with living persons, made once: founded around
// 1820, its last generations are born in the twentieth century and later,
// most of them without a death date and younger than 110 (PersonneEnVie).
const TBD &BaseSynthetiqueVivantePartagee();
