#pragma once

#include <QString>

// What the program does before its main window exists: it checks that the
// language file and the language settings file are in the models folder,
// loads them, gives Qt's own texts (standard buttons, file and print dialogs,
// system error texts) the same language, builds the folders and reads the
// name days.
//
// Qt's texts come from its translation "qtbase_<code>.qm" in Qt's
// translations folder (Debian package qt6-translations-l10n), <code> being
// language text 7401 ("fr"); without that file, or without the text, they
// stay in English. Called again, it replaces the translation it installed.
//
// Returns false when a language file is missing, after telling the user
// "Not Found : " and the path through the dialog service; the program then
// stops. `racineUtilisateur`, when not empty, replaces the user's
// configuration and documents folders (tests).
bool PrepareDemarrage(const QString &racineUtilisateur = QString());
