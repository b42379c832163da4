#pragma once

#include <QString>

class QPrinter;
class TAffArbre;
class TPage;

// Printing the tree page by page on a printer set up by the caller (page
// size, copies, PDF output...). Pages are those of the page grid of the
// canvas; the page settings (zoom, overlap, method) are the canvas's.
// The printer's page size must be the one the canvas was given
// (TPage::PageImprimante).
//
// Prints pages premiere to derniere (1-based, bounded to the pages that
// exist), a new sheet between two pages and none after the last; copies are
// made once: by the printer when it can, else by repeating the pages (the
// printer's copy count is then 1 during the job and given back after). Only
// what falls on the sheet is drawn. False, with *erreur set (a French
// sentence), when there is nothing to print, the printer's output file is
// not an ordinary file (ObstacleEcriture: a pipe, a link to a device, a
// folder) or the printer could not be started; nothing is shown to the user.
bool ImprimeArbre(TAffArbre &arbre, TPage &page, QPrinter &imprimante, int premiere, int derniere,
                  QString *erreur = nullptr);
