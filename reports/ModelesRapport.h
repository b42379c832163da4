#pragma once

#include <QString>

#include <vector>

// The model files of the report folder (column models ".mvr"), as the model
// lists show them and as a name typed by the user becomes a file.

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

// The files of `dossier` whose names end with `extension` (".mvr"; letter
// case ignored), in name order.
std::vector<TFichierModele> ListeModeles(const QString &dossier, const QString &extension);
