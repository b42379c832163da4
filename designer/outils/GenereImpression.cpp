// Writes the designs shipped for the artistic print window: the raster
// pictures of <modele>/0/impression/images, the models of each category of
// <modele>/1/impression/modeles with their previews, as the program draws
// them. The metafiles of the images folder come first, from a script:
//     python3 scripts/donnees/impression.py
//     build/designer/lignee_modeles_impression modele

#include <cstdio>

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

#include "ImagesImpression.h"
#include "ImpressionLivree.h"
#include "ModelesImpression.h"

using namespace Qt::StringLiterals;

namespace {

int Echec(const QString &message)
{
    std::fprintf(stderr, "%s\n", qPrintable(message));
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    // The drawing of the tests, whatever the desktop's font settings.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <models folder>\n", argv[0]);
        return 2;
    }
    const QString modele = QString::fromLocal8Bit(argv[1]);
    const QString images = DossierImagesImpression(modele);
    for (const QString &nom : MetafichiersImpression()) {
        if (!QFileInfo(images + nom).isFile())
            return Echec(images + nom + u" missing: run scripts/donnees/impression.py first"_s);
    }
    QStringList ecrits;
    QString erreur;
    if (!EcritImagesImpression(images, ecrits, &erreur))
        return Echec(erreur);
    for (const QString &nom : std::as_const(ecrits))
        std::printf("%s\n", qPrintable(images + nom));

    // Folder trees list the same made-up albums on every machine.
    const TUtilisateurExemple utilisateur;
    if (!utilisateur.Pret())
        return Echec(u"cannot make the sample user's folders"_s);
    for (const TModeleLivre &m : TousModelesLivres()) {
        const QString chemin = (m.Categorie.isEmpty() ? images : DossierModelesImpression(modele) + m.Categorie + u'/')
                               + m.Nom + u".mdl"_s;
        if (!m.Fabrique(images)->Ecrit(chemin, &erreur))
            return Echec(chemin + u": "_s + erreur);
        std::printf("%s\n", qPrintable(chemin));
    }
    for (const QString &mdl : ModelesImpressionLivres(modele)) {
        const QString jpg = CheminApercu(mdl);
        if (!EcritApercuLivre(mdl, images, jpg, &erreur))
            return Echec(jpg + u": "_s + erreur);
        std::printf("%s\n", qPrintable(jpg));
    }
    return 0;
}
