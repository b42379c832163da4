// Paper designs: calendar pages, a bookplate with its bar code and a
// bookmark.

#include "ModelesImpression.h"

#include "TxiloCADCodeBarre.h"
#include "TxiloCADGroup.h"
#include "TxiloCADImage.h"
#include "TxiloCADRectangle.h"
#include "TxiloCADTexte.h"

using namespace Qt::StringLiterals;
using namespace couleurs;

namespace {

constexpr int Annee = 2027;

QString NomMois(int mois)
{
    static const char16_t *const noms[] = {u"Janvier", u"Février",  u"Mars",      u"Avril",   u"Mai",      u"Juin",
                                           u"Juillet", u"Août",     u"Septembre", u"Octobre", u"Novembre", u"Décembre"};
    return QString::fromUtf16(noms[mois - 1]);
}

// The cells of a month take the colour of its season.
TColor Saison(int mois)
{
    switch (mois) {
    case 3: case 4: case 5:
        return CouleurRGB(212, 236, 200);
    case 6: case 7: case 8:
        return CouleurRGB(250, 236, 180);
    case 9: case 10: case 11:
        return CouleurRGB(244, 218, 190);
    default:
        return CouleurRGB(205, 222, 242);
    }
}

// An A4 page of the twelve months, three across, under the year and the
// title.
std::unique_ptr<TPlanImpression> AnneeEntiere(const QString &images)
{
    auto p = std::make_unique<TPlanImpression>(210, 297, 0, images);
    p->Forme({105, 21}, {210, 42}, 4, SansTrait, Fond(BleuPale)).SetCanSelect(false);
    p->Texte({105, 16}, 150, u"Calendrier %1"_s.arg(Annee), Police(Serif, 11, BleuNuit, GrasItalique));
    p->Texte({105, 31}, 170, u"<Texte1>"_s, Police(Serif, 6, BleuFonce, FonteItalique));
    for (int mois = 1; mois <= 12; ++mois) {
        const double x = 38 + 67 * ((mois - 1) % 3);
        const double haut = 47 + 61.5 * ((mois - 1) / 3);
        p->Texte({x, haut + 4}, 60, NomMois(mois), Police(SansSerif, 4.5, BleuNuit, FonteGras));
        p->Calendrier({x, haut + 31}, {60, 48}, mois, Annee, Police(SansSerif, 3, CouleurNoire), Saison(mois));
    }
    return p;
}

// An A5 page across: the portrait in a heart beside the month of January.
std::unique_ptr<TPlanImpression> Janvier(const QString &images)
{
    auto p = std::make_unique<TPlanImpression>(210, 148, 0, images);
    p->Image({105, 74}, {148, 210}, u"fond_parchemin.jpg"_s, 90).SetCanSelect(false);
    Photo(*p, {55, 68}, {76, 70}, u"masque_coeur.emf"_s);
    p->Texte({55, 116}, 92, u"<prénom> <nom>"_s, Police(Serif, 6, BrunFonce, FonteGras));
    p->Texte({55, 124}, 92, u"<naissance>"_s, Police(SansSerif, 3.8, Brun));
    p->Texte({155, 20}, 95, NomMois(1) + u' ' + QString::number(Annee), Police(Serif, 8, BrunFonce, GrasItalique));
    p->Calendrier({155, 76}, {92, 84}, 1, Annee, Police(Serif, 4, BrunFonce, FonteGras), OrPale, Ivoire);
    p->Texte({155, 130}, 95, u"<Texte1>"_s, Police(Serif, 5, Brun, FonteItalique));
    return p;
}

// A bookplate: "Ex-libris", an open book, the owner's name and a bar code,
// in a gilt frame.
std::unique_ptr<TPlanImpression> ExLibris(const QString &images)
{
    auto p = std::make_unique<TPlanImpression>(80, 110, 0, images);
    p->Forme({40, 55}, {80, 110}, 4, SansTrait, Fond(Ivoire)).SetCanSelect(false);
    p->Bordure({40, 55}, {75, 105}, u"bordure_filet.png"_s, 5);
    p->Texte({40, 17}, 60, u"Ex-libris"_s, Police(Serif, 8.5, RougeFonce, GrasItalique));
    p->Image({40, 40}, {42, 27}, u"livre.emf"_s);
    p->Texte({40, 62}, 60, u"<prénom> <nom>"_s, Police(Serif, 5.5, BrunFonce, FonteGras));
    p->Ligne(formes::Segment({22, 70}, {58, 70}), Trait(Or, 0.4));
    for (const double x : {19.5, 60.5})
        p->Forme({x, 70}, {2.6, 2.6}, 4, SansTrait, Fond(Or), 45);
    // A number of the range kept for internal use, so that it names no
    // article on sale.
    p->CodeBarre({40, 88}, {44, 20}, Ean13(u"200192604030"_s)).SetColorFond(Ivoire);
    return p;
}

// A bookmark: the title up its length, a tree in the colour of its leaves,
// the first name, in a border of leaves.
std::unique_ptr<TPlanImpression> MarquePage(const QString &images)
{
    auto p = std::make_unique<TPlanImpression>(50, 180, 0, images);
    p->Image({25, 90}, {50, 180}, u"fond_parchemin.jpg"_s).SetCanSelect(false);
    p->Bordure({25, 90}, {50, 180}, u"bordure_feuillage.png"_s, 10);
    p->Forme({25, 17}, {4.5, 4.5}, TxiloCADRectangle::CoteEllipse, Trait(Brun, 0.3), Fond(CouleurBlanche));
    p->Texte({25, 76}, 105, u"<Texte1>"_s, Police(Serif, 6, BrunFonce, GrasItalique), 0, TxiloCADTexte::AligneCentre,
             -90);
    TxiloCADGroup &arbre = p->Groupe({25, 140}, {22, 26}, u"arbre.emf"_s);
    arbre.SetForcePenBrush(true);
    arbre.SetPen(Trait(VertFonce, 0.2));
    arbre.SetBrush(Fond(CouleurRGB(70, 120, 55)));
    p->Texte({25, 161}, 28, u"<prénom>"_s, Police(Serif, 4.5, BrunFonce, FonteItalique));
    return p;
}

} // namespace

std::vector<TModeleLivre> ModelesPapeterie()
{
    return {
        {u"Page de calendrier"_s, u"Année %1"_s.arg(Annee), AnneeEntiere},
        {u"Page de calendrier"_s, u"Mois de janvier"_s, Janvier},
        {u"Ex-libris"_s, u"Ex-libris"_s, ExLibris},
        {u"Marque-page"_s, u"Marque-page"_s, MarquePage},
    };
}
