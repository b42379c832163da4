#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// The temporary files of a save. Each is made beside the file it is to
// become, named "<final file name>.XXXXXX.tmp" (six random letters or
// digits), and holds an exclusive lock (flock) for as long as it is open, so
// that a later save can tell the leftovers of a program killed while it saved
// from the files of a save still running. A file made by Cree has no name
// while it is written, where the file system allows it (O_TMPFILE): it takes
// one just before it replaces the file, so that a kill on the way leaves
// nothing behind.
//
// Errors come back as false and a reason for the user in *erreur
// (RaisonSysteme, Fichiers.h: "le disque est plein" for a full disk).
class TFichierTemporaire final
{
public:
    TFichierTemporaire() = default;
    // Removes the file unless it was renamed by Remplace().
    ~TFichierTemporaire();
    Q_DISABLE_COPY_MOVE(TFichierTemporaire)

    // Creates an empty file beside `final`, with the permissions of the file
    // `modele` when it exists (whatever the umask), else those a new file
    // gets.
    bool Cree(const QString &final, const QString &modele, QString *erreur);
    // Makes the temporary file a second name (hard link) of the file `source`,
    // beside `final`. Fails on file systems without hard links: make a copy
    // with Cree() and Ecrit() instead.
    bool Lie(const QString &source, const QString &final, QString *erreur);
    // Appends bytes (see EcritTout, Fichiers.h).
    bool Ecrit(const char *donnees, qint64 taille, QString *erreur);
    // Appends the whole content of the file `source`.
    bool Copie(const QString &source, QString *erreur);
    // Flushes the content to the disk.
    bool Synchronise(QString *erreur);
    // Renames the file over `final`, which then holds its content at once and
    // whole; the file is no longer removed nor locked afterwards.
    bool Remplace(const QString &final, QString *erreur);

    // The temporary file's path; empty while it has none.
    QString Chemin() const;

private:
    void Ferme();

    QByteArray m_chemin; // empty once renamed or removed, or before it has a name
    int m_fd = -1;
    bool m_sansNom = false;
};

// Removes the temporary files of `final` that no running save holds locked:
// the leftovers of saves that were killed. Only ordinary files named as
// TFichierTemporaire names them are touched.
void NettoieTemporaires(const QString &final);
