#include "Fichiers.h"

#include <algorithm>
#include <cerrno>

#include <unistd.h>

#include <QDir>
#include <QFileInfo>

#include "FichierTemporaire.h"
#include "Langue.h"

namespace {

QString avecSeparateur(const QString &chemin)
{
    return chemin.endsWith(QLatin1Char('/')) ? chemin : chemin + QLatin1Char('/');
}

void fichiers(QStringList &liste, const QDir &dir, const QStringList &suffixes, bool recursif)
{
    const QFileInfoList entrees = dir.entryInfoList(QDir::Files | QDir::NoDotAndDotDot,
                                                    QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo &f : entrees) {
        const QString nom = f.fileName();
        const bool retenu = suffixes.isEmpty()
            || std::any_of(suffixes.begin(), suffixes.end(), [&](const QString &s) {
                   return nom.endsWith(s, Qt::CaseInsensitive);
               });
        if (retenu)
            liste.append(f.absoluteFilePath());
    }
    if (!recursif)
        return;
    for (const QFileInfo &d : dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase)) {
        if (!d.isSymLink())
            fichiers(liste, QDir(d.absoluteFilePath()), suffixes, true);
    }
}

void dossiers(QStringList &liste, const QDir &dir, bool recursif)
{
    for (const QFileInfo &d : dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase)) {
        if (d.fileName().startsWith(QLatin1Char('.')))
            continue;
        liste.append(avecSeparateur(d.absoluteFilePath()));
        if (recursif && !d.isSymLink())
            dossiers(liste, QDir(d.absoluteFilePath()), true);
    }
}

} // namespace

QString ObstacleLecture(const QString &chemin)
{
    const QFileInfo info(chemin);
    if (!info.exists())
        return QStringLiteral("fichier introuvable");
    if (info.isDir())
        return QStringLiteral("c'est un dossier");
    if (!info.isFile())
        return QStringLiteral("ce n'est pas un fichier ordinaire");
    return QString();
}

QString ObstacleEcriture(const QString &chemin)
{
    // A dangling link is no obstacle: the new file is made where it points,
    // as for a link to an ordinary file.
    return QFileInfo::exists(chemin) ? ObstacleLecture(chemin) : QString();
}

bool EcritTout(int fd, const char *donnees, qint64 taille, QString *erreur)
{
    while (taille > 0) {
        // Linux writes at most about 2 GiB in one call.
        const size_t morceau = static_cast<size_t>(std::min<qint64>(taille, qint64(1) << 30));
        const ssize_t ecrits = ::write(fd, donnees, morceau);
        if (ecrits < 0 && errno == EINTR)
            continue;
        if (ecrits <= 0) {
            // A write that takes nothing without an error leaves nothing to
            // retry: the disk can hold no more.
            *erreur = RaisonSysteme(ecrits < 0 ? errno : ENOSPC);
            return false;
        }
        donnees += ecrits;
        taille -= ecrits;
    }
    return true;
}

bool EcritFichierEntier(const QString &chemin, const char *donnees, qint64 taille, QString *erreur)
{
    // The new file would be renamed over a pipe or a device node, or
    // written into the device a link points to.
    QString raison = ObstacleEcriture(chemin);
    // Through a symbolic link, the file it points to is replaced and the
    // link stays.
    QString final = chemin;
    QFileInfo info(chemin);
    for (int lien = 0; lien < 128 && info.isSymLink(); ++lien) {
        final = info.symLinkTarget();
        info.setFile(final);
    }
    // A file the user has made read-only is not replaced behind his back.
    if (raison.isEmpty() && info.exists() && !info.isWritable())
        raison = RaisonSysteme(EACCES);
    bool ok = raison.isEmpty();
    if (ok) {
        // A save of this file killed before its end left its temporary
        // file; no later save would ever take it away but this one.
        NettoieTemporaires(final);
        TFichierTemporaire temporaire;
        ok = temporaire.Cree(final, final, &raison) && temporaire.Ecrit(donnees, taille, &raison)
             && temporaire.Synchronise(&raison) && temporaire.Remplace(final, &raison);
    }
    if (!ok && erreur)
        *erreur = raison;
    return ok;
}

QString RaisonSysteme(int code)
{
    if (code == ENOSPC || code == EDQUOT) {
        const QString plein = MLText(7400);
        if (!plein.isEmpty())
            return plein;
    }
    return qt_error_string(code);
}

void ListFiles(QStringList &liste, const QString &dossier, const QString &suffixes, bool recursif)
{
    QStringList s;
    for (const QString &x : suffixes.split(QLatin1Char('|'))) {
        if (!x.isEmpty())
            s.append(x);
    }
    const QDir dir(dossier);
    if (!dossier.isEmpty() && dir.exists())
        fichiers(liste, dir, s, recursif);
}

QString CheminSansCasse(const QString &chemin)
{
    const QFileInfo info(chemin);
    if (info.exists())
        return chemin;
    const QDir dossier = info.dir();
    const QStringList noms = dossier.entryList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString &nom : noms) {
        if (nom.compare(info.fileName(), Qt::CaseInsensitive) == 0)
            return dossier.filePath(nom);
    }
    return chemin;
}

void ListSubFolders(QStringList &liste, const QString &dossier, bool recursif)
{
    liste.clear();
    liste.append(avecSeparateur(dossier));
    const QDir dir(dossier);
    if (!dossier.isEmpty() && dir.exists())
        dossiers(liste, dir, recursif);
}
