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
};

// The kinds are the item indexes of the selection list: 0 every person ...
// 14 the persons shown in the tree; -1 (none chosen) the person alone. n is
// the number of generations or the degree (1..99). `ecranArbre` gives the
// persons of the tree view (kind 14).
TSelection SelectionneListe(const TBD &bd, int sorte, int p, int n,
                            const std::function<TR()> &ecranArbre = {});
