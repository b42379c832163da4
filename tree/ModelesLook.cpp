#include "ModelesLook.h"

#include <algorithm>

#include <QFileInfo>

#include "BD.h"
#include "Modeles.h"
#include "ModelesUtilisateur.h"
#include "TBoite.h"

namespace {

constexpr int TexteNomVide = 7505;
constexpr int TexteNomInterdit = 7506;
constexpr qsizetype LongueurMaxNom = 200;
const QString Extension = QStringLiteral(".mva");

} // namespace

std::vector<TModeleLook> ListeModeles(const TDossiersModeles &dossiers)
{
    std::vector<TModeleLook> modeles;
    for (const QString &chemin : FichiersModeles(dossiers, Extension)) {
        const QFileInfo f(chemin);
        if (!f.isFile())
            continue;
        const QString fichier = f.fileName().chopped(Extension.size());
        modeles.push_back({fichier.toLower(), fichier});
    }
    std::sort(modeles.begin(), modeles.end(), [](const TModeleLook &a, const TModeleLook &b) {
        const int c = a.Nom.compare(b.Nom);
        return c != 0 ? c < 0 : a.Fichier < b.Fichier;
    });
    return modeles;
}

int DefautNomModele(const QString &nom)
{
    if (nom.trimmed().isEmpty())
        return TexteNomVide;
    if (nom == u"." || nom == u".." || nom.size() > LongueurMaxNom || nom.front().isSpace()
        || nom.back().isSpace() || nom.back() == u'.')
        return TexteNomInterdit;
    for (const QChar c : nom) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || QStringView(u"/\\:*?\"<>|").contains(c))
            return TexteNomInterdit;
    }
    return 0;
}

QImage VignetteLook(const TLooks &looks, const TBD &bd, int personne, bool expanse)
{
    // The box reads its look at paint time: it gets a copy whose computed
    // sizes are those of the look given, whatever the tree last built.
    TLooks copie = looks;
    CalculPas(copie, 1);
    TContexteArbre contexte;
    contexte.Bd = &bd;
    contexte.Looks = &copie;
    contexte.SelecPers = personne;
    TBoite boite(contexte);
    boite.InitBoite(0, 0, personne, 1, bd.Sex(personne));
    const TLook &look = copie[1].Look;
    const int n = std::clamp(look.LigneNbre, 0, NbreLignesMax);
    for (int i = 0; i < n; ++i) {
        const QString &modele = look.Ligne[std::size_t(i)].Texte;
        boite.Lignes[std::size_t(i)] = expanse ? ExpandTemplate(bd, personne, modele) : modele;
    }
    return boite.BoiteVersBitmap();
}
