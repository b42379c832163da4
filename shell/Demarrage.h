#pragma once

#include <QString>

// What the program does before its main window exists: it checks that the
// language file and the language settings file are in the models folder,
// loads them, builds the folders and reads the name days.
//
// Returns false when a language file is missing, after telling the user
// "Not Found : " and the path through the dialog service; the program then
// stops. `racineUtilisateur`, when not empty, replaces the user's
// configuration and documents folders (tests).
bool PrepareDemarrage(const QString &racineUtilisateur = QString());
