#pragma once

#include <QString>

// The name-day file (Windows-1252): section "Fêtes", one key per day,
// "m" + month + "j" + day ("m12j31"), whose value is the first names of the
// day.

// Fills the name-day table (TableFetes, Dates.h) from the file; days the file
// lacks are left empty. False, with the table left as it was and the reason
// in *erreur (when given, in French), when the file is missing, is not an
// ordinary file (ObstacleLecture, Fichiers.h) or cannot be read.
bool LitFetes(const QString &chemin, QString *erreur = nullptr);

// Writes the traditional French name days of the 366 days of the year into
// the file, keeping whatever else it holds. False when it cannot be saved.
bool EcritFetesFrancaises(const QString &chemin);

// The traditional French first names of a day; empty for a day that does not
// exist.
QString FeteFrancaise(int mois, int jour);
