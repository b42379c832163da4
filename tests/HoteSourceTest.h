#pragma once

#include "Source.h"

#include <QList>

// The main window of the source windows' tests: it records the persons
// shown, answers the person search from a queue and counts the changes.
class THoteSourceTest final : public THoteSource
{
public:
    QList<int> Montrees;
    QList<int> Choix; // answers of ChoisitPersonne; 0 when empty
    int Modifications = 0;
    QBrush Arriere; // the main window's background; none unless set

    void MontrePersonne(int p) override { Montrees << p; }
    int ChoisitPersonne() override { return Choix.isEmpty() ? 0 : Choix.takeFirst(); }
    void SourcesModifiees() override { ++Modifications; }
    QBrush Fond() const override { return Arriere; }
};
