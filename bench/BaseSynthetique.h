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

// One synthetic database made once for the whole benchmark program.
const TBD &BaseSynthetiquePartagee();
