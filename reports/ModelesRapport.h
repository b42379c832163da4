#pragma once

#include <QString>

#include <functional>
#include <vector>

struct TDossiersModeles;

// The model files of the report folders (column models ".mvr", advanced
// selections ".mvp"), as the model lists show them and as a name typed by
// the user becomes a file.

// True when a name typed by the user can name a model file in its folder: not
// empty nor blank, no "/" or "\" (it would lead to another folder), no
// leading "." (a hidden file, or the folder itself with "." and ".."), no
// control character.
bool NomModeleValide(const QString &nom);

struct TFichierModele {
    QString Nom;    // as the list shows it: the file name less its last four
                    // characters (".mvr"), lower-cased
    QString Chemin; // the file itself, with its real name
};

// The model files of both report folders (the user's and the shipped one,
// DossiersRapport) whose names end with `extension` (".mvr"; letter case
// ignored), one per model name, the user's where both have it
// (FichiersModeles), in name order.
std::vector<TFichierModele> ListeModeles(const TDossiersModeles &dossiers, const QString &extension);

// Writes a text in Windows-1252, replacing the file only once all of it is
// written (EcritFichierEntier). False when it could not be written, the file
// then left as it was, with a message naming the file and the reason in
// *erreur (may be null; language text 5040).
bool EcritTexteWindows1252(const QString &chemin, const QString &texte, QString *erreur);

// Saving a model under the name typed by the user, with the extension given
// (".mvr", ".mvp"), in the user's report folder (FichierModeleAEcrire;
// never the shipped one): a name that cannot name a file there
// (NomModeleValide) is refused with a message (language text 8102) before
// anything else; when a model of that name exists, the user's or a shipped
// one, letter case ignored, the user is asked whether to replace it (8101)
// and No writes nothing; then `ecrit` writes the file at the path found (the
// user's existing file's own name when there is one), and its error, if any,
// is shown. Messages and questions go through Dialogues(). True when the file
// was written.
bool SauveModeleNomme(const QString &nom, const QString &extension,
                      const std::function<bool(const QString &chemin, QString *erreur)> &ecrit);
