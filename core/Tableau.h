#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// A table computed over the database for the report grid or for an export:
// its columns (title, width, sort kind), then its data rows, each with a row
// value, the number of the person the row is about or 0 for a row that is
// not a person (a count, a place, a surname).

struct TColonneTableau {
    QString Titre;
    int Large = 100; // width in pixels
    int Sorte = 0;   // sort kind of the report grid: 0 text, 1 date, 2 number
};

struct TTableau {
    std::vector<TColonneTableau> Colonnes;
    // Data rows, top to bottom; a row may hold fewer cells than there are
    // columns (the missing ones are empty).
    std::vector<QStringList> Lignes;
    // One per data row.
    std::vector<int> Valeurs;

    int NbLignes() const { return static_cast<int>(Lignes.size()); }
    void Ajoute(QStringList cellules, int valeur = 0)
    {
        Lignes.push_back(std::move(cellules));
        Valeurs.push_back(valeur);
    }
};

// How a long computation over the whole database tells its progress and
// lets its caller breathe: a window moves its progress bar and handles its
// pending messages in Etape, so that it keeps responding.
class TAvancement
{
public:
    virtual ~TAvancement() = default;
    // The number of items the computation is about to go through.
    virtual void Maximum(int n) = 0;
    // Called every few items with the number of items done. Returns false
    // when the computation must stop at once (its result, incomplete, is then
    // of no use: the database was replaced meanwhile). The database may be
    // changed during the call: a computation holds no reference into it
    // across one.
    virtual bool Etape(int i) = 0;
};
