#include "ModelesRapport.h"

#include <QFileInfo>
#include <QStringList>

#include "Fichiers.h"

bool NomModeleValide(const QString &nom)
{
    if (nom.trimmed().isEmpty() || nom.startsWith(u'.'))
        return false;
    for (const QChar c : nom) {
        if (c == u'/' || c == u'\\' || c.unicode() < 0x20)
            return false;
    }
    return true;
}

std::vector<TFichierModele> ListeModeles(const QString &dossier, const QString &extension)
{
    QStringList chemins;
    ListFiles(chemins, dossier, extension, false);
    std::vector<TFichierModele> modeles;
    modeles.reserve(static_cast<size_t>(chemins.size()));
    for (const QString &chemin : chemins) {
        const QString nom = QFileInfo(chemin).fileName();
        // The name is shown lower-cased, but the file keeps its own: a system
        // that tells letter case apart would not find "Standard.mvr" again by
        // the name "standard".
        modeles.push_back({nom.left(nom.size() - extension.size()).toLower(), chemin});
    }
    return modeles;
}
