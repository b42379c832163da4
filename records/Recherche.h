#pragma once

#include "Listes.h"

#include <QString>

#include <vector>

class TBD;
struct TOptions;

// What the person search window looks for.
enum class TModeRecherche {
    Simple = 0,   // any person
    Pere = 1,     // a father for the reference
    Mere = 2,     // a mother
    Fratrie = 3,  // a brother or sister
    Enfant = 4,   // a child
    Conjoint = 5, // a spouse
};

// Accepted birth years, bounds included.
struct TFenetreAnnees {
    int Min = 0;
    int Max = 9999;
};
