#include "ExportEmf.h"

#include <cerrno>

#include <QFileInfo>

#include "CanevasEmf.h"
#include "EcrivainEmf.h"
#include "Fichiers.h"
#include "Langue.h"
#include "TxiloCADMdl.h"

using namespace Qt::StringLiterals;

namespace {

bool Echec(QString *erreur, const QString &raison)
{
    if (erreur)
        *erreur = raison;
    return false;
}

// Why the metafile could not be written at `fichier`, in French and without
// the path, from what is there: the writer's own reasons come from the
// system or from Qt, in English and naming the file.
QString RaisonEcriture(const QString &fichier, const QString &raison)
{
    if (raison == RaisonSysteme(ENOSPC) || raison == RaisonSysteme(EDQUOT))
        return MLTextOu(7400, u"le disque est plein"_s);
    const QFileInfo info(fichier);
    const QFileInfo dossier(info.absolutePath());
    if (!dossier.isDir())
        return MLTextOu(9100, u"le dossier n'existe pas"_s);
    if (info.exists() && !info.isWritable())
        return MLTextOu(9102, u"le fichier existant est protégé en écriture"_s);
    if (!dossier.isWritable())
        return MLTextOu(9101, u"le dossier n'accepte pas l'écriture"_s);
    return MLTextOu(9103, u"le métafichier n'a pas pu être écrit"_s);
}

} // namespace

bool ExporteEmf(TxiloCADMdl &modele, const QString &fichier, int largeur, int hauteur, QString *erreur)
{
    if (!modele.PageValide())
        return Echec(erreur, MLTextOu(9104, u"la page du modèle n'a pas de taille valide"_s));
    if (largeur < 1 || hauteur < 1 || largeur > CoteMaxEmf || hauteur > CoteMaxEmf)
        return Echec(erreur, MLTextOu(9105, u"la taille de l'image (%1 x %2 pixels) n'est pas valide"_s)
                                 .arg(largeur)
                                 .arg(hauteur));
    // A target that cannot be replaced is told before the drawing is made.
    if (const QString obstacle = ObstacleEcriture(fichier); !obstacle.isEmpty())
        return Echec(erreur, obstacle);

    TEcrivainEmf ecrivain(QSize(largeur, hauteur), QSizeF(modele.Large(), modele.Haut()));
    {
        TCanevasEmf canevas(ecrivain);
        modele.DrawObjects(canevas, QRect(0, 0, largeur, hauteur));
        canevas.Termine();
    }
    if (ecrivain.Deborde())
        return Echec(erreur, MLTextOu(9106, u"le métafichier dépasserait %1 Mo"_s)
                                 .arg(TEcrivainEmf::TailleMax / (1024 * 1024)));
    const QByteArray octets = ecrivain.Octets();
    QString raison;
    if (!EcritFichierEntier(fichier, octets.constData(), octets.size(), &raison))
        return Echec(erreur, RaisonEcriture(fichier, raison));
    return true;
}
