#pragma once

#include <memory>

class QPrinter;
class QString;

// The printer the program's print commands use: the system's default
// printer, or, when none is installed, a PDF printer on A4 paper at 600 dpi
// that writes the file the user names (DemandeFichierPdf).
std::unique_ptr<QPrinter> CreeImprimante();

// For a PDF printer: asks, through the dialog service, for the file to write,
// proposing `fichierPropose`; ".pdf" is added to a name without it, and the
// printer is set to write there. `titre` heads the save dialog. Returns false
// when the user cancels. A printer that is not a PDF printer is left alone and
// gives true.
bool DemandeFichierPdf(QPrinter &imprimante, const QString &titre, const QString &fichierPropose);
