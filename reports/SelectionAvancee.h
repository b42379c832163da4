#pragma once

#include "Listes.h"

#include <QString>

#include <array>

class TIniFile;

// The advanced selection: up to three criteria rows, each a field code (a
// person text template, Modeles.h), a test and a value, joined left to right
// by "ET" or "OU", applied to every person or to the persons of the report,
// under a title of the user's. It is kept in advanced selection files
// (".mvp" in DossierRapport), settings files in Windows-1252 that may also
// carry the column model of the report (TfmRapport::SauveColonnes).

// The tests, by index (CompareByTest, Listes.h).
constexpr int NbTestsSelection = 15;
// Text of test t, 0..14 ("texte égal à" .. "nombre supérieur à"); empty
// outside.
QString TexteTest(int test);

enum TSourceSelection {
    SourceTous = 0,    // "Tout le monde": every person in use
    SourceRapport = 1, // "Individus dans le rapport": the report list
};

// How a row joins the result of the rows before it.
enum TJonction {
    JonctionVide = 0, // "(vide)": the row is not used
    JonctionEt = 1,   // "ET": IntersectLists
    JonctionOu = 2,   // "OU": UniteLists
};
// Text of a join, 0..2: "(vide)", "ET", "OU"; empty outside.
QString TexteJonction(int jonction);

struct TCritere {
    QString Code;   // template expanded for each person
    int Test = -1;  // 0..14, -1 when none is chosen
    QString Valeur; // empty: every person passes; "<...": a template
};

struct TSelectionAvancee {
    int Source = SourceTous;
    QString Titre;
    std::array<TCritere, 3> Criteres;
    // Jonctions[0] joins row 2 to row 1, Jonctions[1] row 3 to the result.
    std::array<int, 2> Jonctions{JonctionVide, JonctionVide};
};

// `a` joined with `b`: JonctionEt gives IntersectLists(a, b), JonctionOu
// UniteLists(a, b), anything else `a` itself.
TR Joint(const TR &a, const TR &b, int jonction);

// The persons of `source` that the selection keeps: row 1 filtered from the
// source (FilterListByTest with the expander), then, when Jonctions[0] is
// ET or OU, joined with row 2 filtered from the same source, then, when
// Jonctions[1] is ET or OU too, the result joined with row 3: strictly left
// to right, ((1 op 2) op 3). A join of JonctionVide ends the evaluation.
// Each row is filtered over the whole source, in source order.
TR EvalueSelection(const TR &source, const TSelectionAvancee &selection, const TExpandeur &expandeur);

// Writes [Lignee] Version 2, then the section [Selection]: Rech ("Tous" for
// SourceTous, else "Rapport"), Titre, and for each row n = 1..3 "Code n",
// "Test n" (the index, -1 for none) and "Valeur n", with "EtOu 1" after row
// 1 and "EtOu 2" after row 2 ("ET", "OU", else "vide").
void EcritSelection(TIniFile &ini, const TSelectionAvancee &selection);

// Reads what EcritSelection writes. Rech "Tous" (letter case ignored) gives
// SourceTous, anything else, a missing key included, SourceRapport; texts
// default to empty; "Test n" that is not a number reads as 0 ("texte égal
// à", so a file without its tests still selects), and a number outside
// -1..14 as -1 (no test); "EtOu n" gives JonctionEt for "ET", JonctionOu for
// "OU" (letter case ignored), JonctionVide otherwise. Version is not checked.
TSelectionAvancee LitSelection(const TIniFile &ini);
