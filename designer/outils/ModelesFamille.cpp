// The family charts: the person's portrait with the names of the parents and
// the spouse, and the person between the parents' boxes.

#include "ModelesImpression.h"

#include "TxiloCADGroup.h"
#include "TxiloCADImage.h"
#include "TxiloCADRectangle.h"
#include "TxiloCADRepere.h"
#include "TxiloCADTexte.h"

using namespace Qt::StringLiterals;
using namespace couleurs;

namespace {

// A curl of two lines and three leaves, 60 x 30 mm, drawn by the groups.
std::unique_ptr<TPlanImpression> Ornement(const QString &images)
{
    auto p = std::make_unique<TPlanImpression>(60, 30, 0, images);
    p->Ligne({{2, 24}, {15, 31}, {27, 9}, {39, 15}, {47, 19}, {46, 28}, {39, 26}}, Trait(Brun, 0.8));
    p->Ligne({{22, 18}, {28, 9}, {40, 4}, {55, 8}}, Trait(Brun, 0.6));
    p->FormeLibre({44, 9}, {11, 4.5}, formes::Feuille(), {100, 40}, Trait(VertFonce, 0.2), Fond(Vert), -25);
    p->FormeLibre({31, 7.5}, {9, 3.6}, formes::Feuille(), {100, 40}, Trait(VertFonce, 0.2), Fond(Vert), 200);
    p->FormeLibre({13, 25}, {9, 3.6}, formes::Feuille(), {100, 40}, Trait(VertFonce, 0.2), Fond(Vert), 150);
    p->Forme({56.5, 8.2}, {3, 3}, TxiloCADRectangle::CoteEllipse, Trait(RougeFonce, 0.2), Fond(Rouge));
    return p;
}

// A4 upright: the portrait in an oval under the title banner, the names and
// dates, the parents, the spouse, the dedication and the signature, in a
// border of leaves.
std::unique_ptr<TPlanImpression> Portrait(const QString &images)
{
    auto p = std::make_unique<TPlanImpression>(210, 297, 0, images);
    p->Image({105, 148.5}, {210, 297}, u"fond_parchemin.jpg"_s).SetCanSelect(false);
    // Tiles of 15 mm from 6 to 291 mm down and 7.5 to 202.5 mm across.
    p->Bordure({105, 148.5}, {195, 285}, u"bordure_feuillage.png"_s, 15);
    p->FormeLibre({105, 38}, {150, 26}, formes::Ruban(), {100, 30}, Trait(OrFonce, 0.4), Fond(OrPale));
    p->Texte({105, 37.5}, 110, u"<Texte1>"_s, Police(Serif, 9, BrunFonce, GrasItalique));

    Photo(*p, {105, 103}, {68, 85}, u"masque_ovale.emf"_s);
    p->Forme({105, 103}, {72, 89}, TxiloCADRectangle::CoteEllipse, Trait(Brun, 1.0), SansFond);
    p->Forme({105, 103}, {76, 93}, TxiloCADRectangle::CoteEllipse, Trait(Or, 0.3), SansFond);

    p->Texte({105, 160}, 155, u"<prénom> <nom>"_s, Police(Serif, 9, BrunFonce, FonteGras));
    p->Texte({105, 167}, 150, u"<naissance> <lieu naissance>|<décès> <lieu décès>"_s,
             Police(Serif, 5, Brun, FonteItalique), 5);
    p->Ligne({{62, 187}, {76, 181}, {90, 193}, {105, 187}, {120, 181}, {134, 193}, {148, 187}}, Trait(Brun, 0.5));
    for (const double x : {59.5, 150.5})
        p->Forme({x, 187}, {2.6, 2.6}, TxiloCADRectangle::CoteEllipse, SansTrait, Fond(Brun));

    p->Texte({105, 197}, 80, u"Parents"_s, Police(SansSerif, 4, Brun, FonteItalique));
    p->Texte({105, 205}, 150, u"<père>"_s, Police(Serif, 6, BrunFonce));
    p->Texte({105, 212.5}, 150, u"<mère>"_s, Police(Serif, 6, BrunFonce));
    p->FormeLibre({105, 222}, {8, 7.4}, formes::Coeur(), {100, 92}, Trait(RougeFonce, 0.3), Fond(Rouge));
    p->Texte({105, 231.5}, 150, u"<conjoint>"_s, Police(Serif, 6, BrunFonce));
    p->Texte({105, 238.5}, 100, u"<mariage>"_s, Police(Serif, 4.5, Brun, FonteItalique));

    p->Texte({105, 247}, 150, u"<Texte2>"_s, Police(Serif, 5, BrunFonce, FonteItalique), 5);
    p->Texte({182, 271}, 90, u"<Texte3>"_s, Police(Serif, 4.5, Brun, FonteItalique), 3, TxiloCADTexte::AligneDroite);

    p->Repere(TxiloCADRepere::Verticale, 105, TxiloCADRepere::TouteFace);
    p->Repere(TxiloCADRepere::Horizontale, 21);
    p->Repere(TxiloCADRepere::Horizontale, 276);
    return p;
}

// A parent's box: its colours, the label and the name.
void Parent(TPlanImpression &p, double x, const QString &libelle, const QString &nom, TColor trait, TColor fond)
{
    p.Forme({x, 72}, {92, 30}, 4, Trait(trait, 0.5), Fond(fond));
    p.Texte({x, 64}, 80, libelle, Police(SansSerif, 3.8, trait, FonteItalique));
    p.Texte({x, 74}, 84, nom, Police(Serif, 6, BrunFonce, FonteGras));
    // The branch from the person ends in an arrow under the box.
    p.Ligne({{148.5, 113}, {148.5, 99}, {x, 102}, {x, 91}}, Trait(Brun, 0.7));
    p.Forme({x, 89}, {5, 4}, 3, SansTrait, Fond(Brun));
}

// A4 across: the person in a hexagon, the parents' boxes above, the spouse
// below, curls in the lower corners, in a gilt frame.
std::unique_ptr<TPlanImpression> Parents(const QString &images)
{
    auto p = std::make_unique<TPlanImpression>(297, 210, 0, images);
    // The upright sheet turned a quarter.
    p->Image({148.5, 105}, {210, 297}, u"fond_parchemin.jpg"_s, 90).SetCanSelect(false);
    p->Bordure({148.5, 105}, {288, 204}, u"bordure_filet.png"_s, 12);
    p->Texte({148.5, 32}, 220, u"<Texte1>"_s, Police(Serif, 10, BrunFonce, GrasItalique));

    Parent(*p, 88, u"Père"_s, u"<père>"_s, BleuFonce, BleuPale);
    Parent(*p, 209, u"Mère"_s, u"<mère>"_s, RougeFonce, RosePale);

    p->Forme({148.5, 130}, {120, 40}, 6, Trait(OrFonce, 0.6), Fond(OrPale));
    p->Texte({148.5, 126}, 96, u"<prénom> <nom>"_s, Police(Serif, 7, BrunFonce, FonteGras));
    p->Texte({148.5, 136}, 90, u"<naissance> <lieu naissance>"_s, Police(SansSerif, 3.8, Brun));

    p->FormeLibre({148.5, 160}, {7, 6.4}, formes::Coeur(), {100, 92}, Trait(RougeFonce, 0.3), Fond(Rouge));
    p->Texte({148.5, 169}, 150, u"<conjoint>"_s, Police(Serif, 5.5, BrunFonce, FonteItalique));
    p->Texte({148.5, 176}, 100, u"<mariage>"_s, Police(SansSerif, 3.8, Brun));

    p->Groupe({45, 174}, {44, 22}, u"ornement.mdl"_s);
    p->Groupe({252, 174}, {44, 22}, u"ornement.mdl"_s).SetMirroirX(-1);
    p->Texte({276, 193}, 90, u"<Texte3>"_s, Police(Serif, 4.5, Brun, FonteItalique), 3, TxiloCADTexte::AligneDroite);

    p->Repere(TxiloCADRepere::Horizontale, 72);
    p->Repere(TxiloCADRepere::Horizontale, 130);
    return p;
}

} // namespace

std::vector<TModeleLivre> ModelesFamille()
{
    return {
        {QString(), u"ornement"_s, Ornement},
        {u"Arbre généalogique"_s, u"Portrait de famille"_s, Portrait},
        {u"Arbre généalogique"_s, u"Entre mes parents"_s, Parents},
    };
}
