#pragma once

#include <QString>
#include <QStringList>

// Where the program finds its models and the user's files, and how stored
// picture paths are found again.

// The folder of the program file, ending with "/".
QString DossierProgramme();
// The models folder, without a trailing separator: "<program folder>/modele"
// when it holds the language file (the program run from its build folder or
// unpacked in a folder of its own), else the data folder of an installed
// program, "<program folder>/../share/lignee/modele" (as installed by
// `cmake --install`, whatever the prefix), when that one holds it; else
// "<program folder>/modele", which the start-up then reports as missing.
QString RepModele();
// Points both elsewhere (tests, or a program started from its build folder).
void SetDossierProgramme(const QString &dossier);
void SetRepModele(const QString &dossier);

// Paths of the language file and of the language settings file.
QString FichierLangue();
QString FichierReglagesLangue();

// Sets the folder globals of Globales.h for a language number and creates
// the user's folders (settings, genealogy) when missing. The user's model
// folders lie in the application's data folder (QStandardPaths
// AppDataLocation) + "modele/<langue>/", made when first written to.
// `racineUtilisateur` replaces the user's configuration, documents and data
// folders when not empty ("config/", "Lignée/", "donnees/" in it).
// Returns false when a user folder cannot be created.
bool InitialiseDossiers(int langue, const QString &racineUtilisateur = QString());

// The file name of a stored path, which may come from another system: the
// part after the last "\", "/" or ":".
QString NomDeFichier(const QString &chemin);

// Resolves a stored picture or texture path to an existing file, trying in
// order: the path itself (a relative path against the working folder), its
// file name in the models folder, in the folder of the open database, the
// same there with the extension ".jpg", and in the program folder. Empty when
// none exists or the path is empty.
QString CheminMedia(const QString &chemin);

// The text to store for a path: its bare file name when its folder is the
// models folder or the program folder (letter case ignored), else the path
// unchanged.
QString CheminRelatif(const QString &chemin);

// The user's folder of that kind, ending with "/"; empty for an unknown
// kind. The kinds are those of NomsShellFolders (letter case ignored).
QString ShellFolder(const QString &nom);
// The kinds of the user's folders, in a fixed order: "Desktop", "Personal"
// (documents), "My Pictures", "My Music", "My Video". A design names a folder
// by its kind so that it finds that user's own folder on another machine.
QStringList NomsShellFolders();
