#include "ModelesUtilisateur.h"

#include <algorithm>
#include <utility>

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include "Fichiers.h"
#include "Globales.h"

namespace {

// The model files of one folder: the files whose names end with the
// extension, less a file named only by it.
QStringList fichiersDe(const QString &dossier, const QString &extension)
{
    QStringList trouves;
    if (dossier.isEmpty())
        return trouves;
    ListFiles(trouves, dossier, extension, false);
    trouves.removeIf([&](const QString &f) { return QFileInfo(f).fileName().size() <= extension.size(); });
    return trouves;
}

QString nomModele(const QString &chemin, const QString &extension)
{
    return QFileInfo(chemin).fileName().chopped(extension.size());
}

// The file of that model in one folder, whatever the letter case of its
// name; empty when there is none.
QString fichierDans(const QString &dossier, const QString &nom, const QString &extension)
{
    if (dossier.isEmpty())
        return QString();
    const QString chemin = CheminSansCasse(dossier + nom + extension);
    return QFileInfo(chemin).isFile() ? chemin : QString();
}

} // namespace

TDossiersModeles DossiersArbre()
{
    return {DossierArbreUser, DossierArbre};
}

TDossiersModeles DossiersRapport()
{
    return {DossierRapportUser, DossierRapport};
}

TDossiersModeles DossiersCarte()
{
    return {DossierCarteUser, DossierCarte};
}

QStringList FichiersModeles(const TDossiersModeles &dossiers, const QString &extension)
{
    QStringList tous = fichiersDe(dossiers.User, extension);
    QSet<QString> nomsUser;
    for (const QString &f : std::as_const(tous))
        nomsUser.insert(nomModele(f, extension).toCaseFolded());
    // The same folder given twice (no user's folder of its own) lists its
    // files once.
    if (QDir(dossiers.User) != QDir(dossiers.Livre) || dossiers.User.isEmpty()) {
        for (const QString &f : fichiersDe(dossiers.Livre, extension)) {
            if (!nomsUser.contains(nomModele(f, extension).toCaseFolded()))
                tous.append(f);
        }
    }
    std::stable_sort(tous.begin(), tous.end(), [](const QString &a, const QString &b) {
        return QFileInfo(a).fileName().compare(QFileInfo(b).fileName(), Qt::CaseInsensitive) < 0;
    });
    return tous;
}

QStringList NomsModeles(const TDossiersModeles &dossiers, const QString &extension)
{
    QStringList noms;
    for (const QString &f : FichiersModeles(dossiers, extension))
        noms.append(nomModele(f, extension));
    return noms;
}

QString FichierModele(const TDossiersModeles &dossiers, const QString &nom, const QString &extension)
{
    if (const QString user = fichierDans(dossiers.User, nom, extension); !user.isEmpty())
        return user;
    if (const QString livre = fichierDans(dossiers.Livre, nom, extension); !livre.isEmpty())
        return livre;
    return (dossiers.Livre.isEmpty() ? dossiers.User : dossiers.Livre) + nom + extension;
}

QString FichierModeleAEcrire(const TDossiersModeles &dossiers, const QString &nom, const QString &extension)
{
    if (dossiers.User.isEmpty())
        return CheminSansCasse(dossiers.Livre + nom + extension);
    QDir().mkpath(dossiers.User);
    if (const QString user = fichierDans(dossiers.User, nom, extension); !user.isEmpty())
        return user;
    // The user's copy of a shipped model keeps the shipped file's name.
    if (const QString livre = fichierDans(dossiers.Livre, nom, extension); !livre.isEmpty())
        return dossiers.User + QFileInfo(livre).fileName();
    return CheminSansCasse(dossiers.User + nom + extension);
}

QString CheminImageArbre(const QString &nom)
{
    if (nom.isEmpty())
        return QString();
    if (!DossierImageArbreUser.isEmpty() && QFileInfo(DossierImageArbreUser + nom).isFile())
        return DossierImageArbreUser + nom;
    if (DossierImageArbre.isEmpty())
        return QString();
    return DossierImageArbre + nom;
}

QString DossierImagesCopiees()
{
    return DossierImageArbreUser.isEmpty() ? DossierImageArbre : DossierImageArbreUser;
}
