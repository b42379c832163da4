#pragma once

#include <QString>

// The tree-pictures folders hold the pictures the looks name by their bare
// file names: box backgrounds, link textures, the screen texture. The shipped
// folder DossierImageArbre is only read; the look editor copies the pictures
// the user chooses into the user's folder (DossierImagesCopiees,
// ModelesUtilisateur.h), and a name is read there first (CheminImageArbre).

// Puts the picture file at `source` into the user's tree-pictures folder and
// gives in *nom the bare file name to store in the look:
// - a file of either folder is used where it is;
// - a picture of the same name and the same bytes, in the user's folder or
//   else in the shipped one, is used, not copied;
// - a file of the same name with other bytes is kept: the picture goes under
//   the first free name "<base>-2.<ext>", "<base>-3.<ext>"... (a file of one
//   of those names with the same bytes is used instead of a new copy).
// The user's folder is made when missing. Returns false when the source cannot be
// read or the copy cannot be written whole (folder not writable, full disk);
// nothing is then left behind, *nom is unchanged and *erreur (may be null)
// says why, in French, without the paths.
bool CopieImageArbre(const QString &source, QString *nom, QString *erreur);
