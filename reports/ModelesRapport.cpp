#include "ModelesRapport.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include "Dialogues.h"
#include "Fichiers.h"
#include "Globales.h"
#include "Ini.h"
#include "Langue.h"
#include "ModelesUtilisateur.h"

using namespace Qt::StringLiterals;

namespace {

} // namespace

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

std::vector<TFichierModele> ListeModeles(const TDossiersModeles &dossiers, const QString &extension)
{
    const QStringList chemins = FichiersModeles(dossiers, extension);
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

bool EcritTexteWindows1252(const QString &chemin, const QString &texteFichier, QString *erreur)
{
    const QByteArray octets = EncodeWindows1252(texteFichier);
    QString raison;
    if (EcritFichierEntier(chemin, octets.constData(), octets.size(), &raison))
        return true;
    if (erreur)
        *erreur = MLTextOu(5040, u"Le texte n'a pas pu être enregistré dans %1 : %2. "
                              "Le fichier existant n'a pas été modifié."_s)
                      .arg(QDir::toNativeSeparators(chemin), raison);
    return false;
}

bool SauveModeleNomme(const QString &nomSaisi, const QString &extension,
                      const std::function<bool(const QString &chemin, QString *erreur)> &ecrit)
{
    const QString nom = nomSaisi.trimmed();
    // The name becomes a path: checked before the user is asked anything.
    if (!NomModeleValide(nom)) {
        AppMessageBox(FormatTexte(MLTextOu(8102, u"« %1 » ne peut pas servir de nom de modèle : un nom ne peut être "
                                              "vide, commencer par un point ni contenir « / » ou « \\ ». Le modèle "
                                              "n'a pas été enregistré."_s),
                                  {nom}),
                      MsgErreur, BoutonsOk);
        return false;
    }
    if (QFileInfo::exists(FichierModele(DossiersRapport(), nom, extension))
        && !AskYesNo(MLTextOu(8101, u"Ce modèle existe déjà. Êtes-vous sûr de vouloir le remplacer ?\nVous pouvez "
                                 "créer un nouveau modèle en entrant un nom différent avant de cliquer sur "
                                 "enregistrer."_s)))
        return false;
    const QString chemin = FichierModeleAEcrire(DossiersRapport(), nom, extension);
    QString erreur;
    if (!ecrit(chemin, &erreur)) {
        AppMessageBox(erreur, MsgErreur, BoutonsOk);
        return false;
    }
    return true;
}
