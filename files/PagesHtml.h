#pragma once

#include <QString>

class TBD;

// Web pages the program writes about a person, in the HTML export folder,
// with the header and footer templates and the style sheet of the HTML
// pages (THtml).

// The HTML export folder: DossierGenealogie + "html/". Made when a page is
// written in it.
QString DossierExportHtml();

// The kinds of ancestry page.
enum TSortePageAscendance {
    AscendanceParGenerations = 0, // "L'ascendance par générations"
    AscendanceAvecAbsents = 1,    // "L'ascendance par génération avec les absents"
    AscendantsManquants = 2,      // "Les ascendants manquants"
};

// The body (HTML, without header or footer) of the ancestry page of person
// p over `generations` generations, p being generation 1 (values below 1
// count as 1), under the heading "Ascendance de " + its name (language text
// 8510), or for the missing ancestors "Ascendants manquants de " + its name
// (8517). Generations are walked from p upward, father before mother, each
// ancestor once: one reached again by another line (implex), or through a
// loop in the parent links, is not listed again and its ancestors are not
// walked again. A parent number that names no person in use counts as
// missing.
//
// Each generation shown has a heading "Génération n" (8511) and a table
// whose rows carry the Sosa number (father 2n, mother 2n + 1 of the child
// n, exact at any depth) and the person's full name followed, when
// `complement` is not empty, by a blank and the template `complement`
// expanded for the person (ExpandTemplate), e.g. its birth and death years.
// With `fratrie`, a row also lists the person's brothers and sisters
// ("Fratrie : ", 8512); with `conjoints`, its partners other than the other
// parent of the child through whom it was reached ("Autres conjoints : ",
// 8514; for p itself all of them, "Conjoints : ", 8513). Names of siblings
// and partners take the complement too.
//
//  - AscendanceParGenerations: every ancestor found, generation by
//    generation, in Sosa order.
//  - AscendanceAvecAbsents: the same, with a row in its Sosa place for each
//    missing father ("Père inconnu de " + the child's name, 8515) or mother
//    ("Mère inconnue de ...", 8516) of a person of the generations before
//    the last (class "absent").
//  - AscendantsManquants: the persons of the generations before the last who
//    lack their father, their mother or both, in Sosa order, each with what
//    is missing ("père inconnu", "mère inconnue", "père et mère inconnus",
//    8518 to 8520); "Aucun ascendant ne manque." (8521) when none does.
//
// Every text that comes from the database or from the template is
// HTML-escaped. An empty text for a person not in use or an unknown kind.
QString PageAscendance(const TBD &bd, int p, int generations, int sorte, bool fratrie, bool conjoints,
                       const QString &complement);

// The first path DossierExportHtml() + base + N + ".htm", N = 1, 2, ...,
// where no file or folder exists yet.
QString NomPageHtmlLibre(const QString &base);

// Writes a whole page at `chemin`: the header template with the title, the
// body, the footer template, and the style sheet of the pages beside it
// (THtml::Enregistre), making the folder when it is missing. Each file is
// written whole or not at all. False with the reason in *erreur (may be
// null) when something could not be written.
bool EcritPageHtml(const QString &chemin, const QString &titre, const QString &corps,
                   QString *erreur = nullptr);

// Shows a page written by the program in the user's web browser, through
// the dialog service (TDialogues::AffichePage).
void AffichePageHtml(const QString &chemin);
