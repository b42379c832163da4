#include "ExportEmf.h"

#include "CanevasEmf.h"
#include "EcrivainEmf.h"
#include "Fichiers.h"
#include "TxiloCADMdl.h"

using namespace Qt::StringLiterals;

namespace {

bool Echec(QString *erreur, const QString &raison)
{
    if (erreur)
        *erreur = raison;
    return false;
}

} // namespace

bool ExporteEmf(TxiloCADMdl &modele, const QString &fichier, int largeur, int hauteur, QString *erreur)
{
    if (!modele.PageValide())
        return Echec(erreur, u"la page du modèle n'a pas de taille valide"_s);
    if (largeur < 1 || hauteur < 1 || largeur > CoteMaxEmf || hauteur > CoteMaxEmf)
        return Echec(erreur, u"la taille de l'image (%1 x %2 pixels) n'est pas valide"_s.arg(largeur).arg(hauteur));
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
        return Echec(erreur, u"le métafichier dépasserait %1 Mo"_s.arg(TEcrivainEmf::TailleMax / (1024 * 1024)));
    const QByteArray octets = ecrivain.Octets();
    return EcritFichierEntier(fichier, octets.constData(), octets.size(), erreur);
}
