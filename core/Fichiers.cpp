#include "Fichiers.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

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

void ListSubFolders(QStringList &liste, const QString &dossier, bool recursif)
{
    liste.clear();
    liste.append(avecSeparateur(dossier));
    const QDir dir(dossier);
    if (!dossier.isEmpty() && dir.exists())
        dossiers(liste, dir, recursif);
}
