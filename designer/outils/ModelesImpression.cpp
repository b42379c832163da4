#include "ModelesImpression.h"

#include <algorithm>

#include "TxiloCADImage.h"

using namespace Qt::StringLiterals;

TxiloCADImage &Photo(TPlanImpression &p, QPointF centre, QSizeF taille, const QString &masque)
{
    TxiloCADImage &photo = p.Image(centre, taille, u"silhouette.png"_s);
    photo.SetCode(u"<photo>"_s);
    if (!masque.isEmpty())
        photo.SetFichierMasque(masque);
    return photo;
}

std::vector<TModeleLivre> TousModelesLivres()
{
    std::vector<TModeleLivre> tous;
    for (auto liste : {ModelesFamille(), ModelesDisques(), ModelesPapeterie()}) {
        for (auto &modele : liste)
            tous.push_back(std::move(modele));
    }
    // The models that groups show are written first.
    std::stable_partition(tous.begin(), tous.end(), [](const TModeleLivre &m) { return m.Categorie.isEmpty(); });
    return tous;
}
