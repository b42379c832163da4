#pragma once

#include <QString>
#include <QStringList>

// The models the user saves (looks and their thumbnails, column models,
// advanced selections, maps, the pictures chosen for looks) never go into the models folder shipped with
// the program: an installed program cannot write there, and an update
// replaces what is there. They go into the user's own folder of the same
// kind (DossierArbreUser and the like, Globales.h), laid out as the shipped
// folder. A model is known by its name, the file name less its extension,
// letter case ignored: where both folders hold a model of one name, the
// user's is the one listed and read, so that a shipped model the user saves
// again is the user's from then on, and the shipped file stays as it was.

// The two folders of one kind of model, each empty or ending with "/". An
// empty user's folder (a tool or a test that sets no user folders) leaves
// the shipped folder alone: models are then read and written there.
struct TDossiersModeles {
    QString User;
    QString Livre;
};

// The folders of the looks (DossierArbreUser, DossierArbre), of the report
// models (DossierRapportUser, DossierRapport) and of the maps
// (DossierCarteUser, DossierCarte), as the globals hold them at the call.
TDossiersModeles DossiersArbre();
TDossiersModeles DossiersRapport();
TDossiersModeles DossiersCarte();

// Full paths of the model files of both folders whose names end with
// `extension` (".mvr"; letter case ignored), in file name order (letter case
// ignored): every file of the user's folder, and each file of the shipped
// folder whose model name no file of the user's folder has. A folder that is
// missing or cannot be read adds nothing.
QStringList FichiersModeles(const TDossiersModeles &dossiers, const QString &extension);

// The model names of those files, as spelled on the disk, in the same order.
QStringList NomsModeles(const TDossiersModeles &dossiers, const QString &extension);

// The file to read for model `nom` with `extension`: the user's file, else
// the shipped one. In each folder the exact name is taken first, else a file
// whose name differs from it only in letter case. When neither folder holds
// one, the path the shipped folder would have (nothing exists there).
QString FichierModele(const TDossiersModeles &dossiers, const QString &nom, const QString &extension);

// The file to write model `nom` with `extension` to: in the user's folder
// (the shipped one when no user's folder is set), the existing file whose
// name differs only in letter case when there is one, so that a model is not
// doubled, else the shipped model's file name when there is a shipped one,
// else folder + nom + extension. Creates the user's folder when
// missing; a folder that cannot be created shows as the failure of the write
// that follows.
QString FichierModeleAEcrire(const TDossiersModeles &dossiers, const QString &nom, const QString &extension);

// The tree pictures that looks name by their bare file names (box
// backgrounds, link textures, the screen texture): the shipped ones lie in
// DossierImageArbre, those the user chose are copied into
// DossierImageArbreUser.

// The file of the tree picture named `nom`: DossierImageArbreUser + nom when
// that file exists, else DossierImageArbre + nom, which may not exist. Empty
// for an empty name, or when neither folder is set.
QString CheminImageArbre(const QString &nom);

// The folder the pictures a user chooses are copied into:
// DossierImageArbreUser, or DossierImageArbre when no user's folder is set.
QString DossierImagesCopiees();
