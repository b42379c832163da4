#pragma once

#include <QString>
#include <QStringList>

// Listing the files of the models, maps and places folders, and the check
// every reader makes before it opens a file.

// Why the file at `chemin` cannot be read, as the detail of a message, in
// French: "fichier introuvable" when nothing is there (a symbolic link is
// followed), "c'est un dossier", or "ce n'est pas un fichier ordinaire" for a
// named pipe, a device or a socket, whose reading could wait for a writer
// forever or never end. Empty for an ordinary file, which is the only kind a
// reader opens.
QString ObstacleLecture(const QString &chemin);

// Why a file written whole cannot take the place of what is at `chemin`, as
// the detail of a message, in French: "c'est un dossier", or "ce n'est pas
// un fichier ordinaire" for a named pipe, a device or a socket, which the
// new file would replace (or, through a symbolic link, whose device would be
// written to). A symbolic link is followed: a link to an ordinary file is
// written through and stays a link. Empty when nothing is there or for an
// ordinary file.
QString ObstacleEcriture(const QString &chemin);

// Writes the `taille` bytes at `donnees` to the open file descriptor `fd`,
// writing again after a short write: a disk that fills up takes part of the
// data without an error, and only the next write says why. Returns false when
// not all could be written; *erreur then holds RaisonSysteme() of the error.
bool EcritTout(int fd, const char *donnees, qint64 taille, QString *erreur);

// Replaces the file at `chemin` with `taille` bytes at `donnees`, atomically
// (a locked temporary file beside it, TFichierTemporaire, written, flushed
// to the disk and renamed over it): the file holds either its previous
// content or the new one, whole; through a symbolic link, the file it points
// to is replaced. The temporary files that saves of the same file killed
// before their end left beside it are removed first (NettoieTemporaires).
// Returns false when it could not be written, leaving the previous file as
// it was, for a target that is not an ordinary file (ObstacleEcriture) and
// for a file without write permission, which are left alone; *erreur (may be
// null) then says why.
bool EcritFichierEntier(const QString &chemin, const char *donnees, qint64 taille, QString *erreur);

// The reason to show for a system call that failed with the error number
// `code`: language text 7400 ("le disque est plein") for a full disk or an
// exhausted quota, else the system's text for the code.
QString RaisonSysteme(int code);

// The file of that name in its folder, the name compared without regard to
// letter case, so that a name typed or listed in lower case still finds a file
// written with capitals ("Standard.mvr" for ".../standard.mvr"): the path as
// given when a file of exactly that name exists or none matches, else the
// path of the first match in name order. Only the file name is compared; the
// folder is taken as it stands.
QString CheminSansCasse(const QString &chemin);

// Appends to `liste` the full paths of the files of `dossier` whose names end
// with one of the "|"-separated suffixes (".mva|.png"), letter case ignored,
// in name order; descends into subfolders only when `recursif`. An empty
// suffix list matches every file. A missing folder adds nothing.
void ListFiles(QStringList &liste, const QString &dossier, const QString &suffixes, bool recursif);

// Clears `liste`, then adds the folder itself, then the full paths of its
// subfolders (all levels when `recursif`), in name order, each ending with
// "/". Names beginning with "." are skipped. Symbolic links to folders are
// listed but not descended into, so a link loop cannot make the list endless.
void ListSubFolders(QStringList &liste, const QString &dossier, bool recursif);
