// The designs for discs: a CD label, the front and back of a CD case, a
// paper sleeve, a folded booklet (outside and inside) and a DVD case cover,
// each on the template of its format.

#include "ModelesImpression.h"

#include "Chemins.h"
#include "TxiloCADArbo.h"
#include "TxiloCADGroup.h"
#include "TxiloCADImage.h"
#include "TxiloCADRectangle.h"
#include "TxiloCADRepere.h"
#include "TxiloCADTexte.h"

using namespace Qt::StringLiterals;
using namespace couleurs;

namespace {

constexpr TColor Blanc = CouleurBlanche;
constexpr int Ellipse = TxiloCADRectangle::CoteEllipse;

// A label of 120 mm with a centre hole of 41 mm: the title round the top,
// a tree on the left, the name below the hole.
std::unique_ptr<TPlanImpression> Etiquette(const QString &images)
{
    auto p = std::make_unique<TPlanImpression>(120, 120, 1, images);
    p->Cote(u"PetitDiam"_s, 41);
    p->Image({60, 60}, {120, 120}, u"fond_disque.jpg"_s).SetCanSelect(false);
    p->Forme({60, 60}, {115, 115}, Ellipse, Trait(Or, 0.8), SansFond);
    p->Forme({60, 60}, {46, 46}, Ellipse, Trait(CouleurRGB(225, 230, 250), 0.6), SansFond);
    p->Texte({60, 21}, 78, u"<Texte1>"_s, Police(Serif, 6.5, Blanc, GrasItalique));
    p->Groupe({23, 60}, {19, 23}, u"arbre.emf"_s);
    p->Texte({97, 60}, 26, u"<Texte3>"_s, Police(SansSerif, 3, CouleurRGB(225, 230, 250), FonteItalique));
    p->Texte({60, 88}, 80, u"<prénom> <nom>"_s, Police(SansSerif, 5, Blanc, FonteGras));
    p->Texte({60, 95.5}, 66, u"<naissance> <lieu naissance>"_s, Police(SansSerif, 3.4, CouleurRGB(210, 220, 250)));
    return p;
}

// The front of a CD case: the portrait on a mount under the title.
std::unique_ptr<TPlanImpression> FaceAvant(const QString &images)
{
    auto p = std::make_unique<TPlanImpression>(121, 120, 2, images);
    p->Image({60.5, 60}, {121, 120}, u"fond_ciel.jpg"_s).SetCanSelect(false);
    p->Texte({60.5, 14}, 108, u"<Texte1>"_s, Police(Serif, 7.5, BleuNuit, GrasItalique));
    p->Forme({60.5, 58}, {62, 76}, 4, Trait(CouleurRGB(190, 200, 215), 0.3), Fond(Blanc));
    Photo(*p, {60.5, 58}, {56, 70});
    p->Texte({60.5, 103}, 108, u"<prénom> <nom>"_s, Police(Serif, 6.5, BleuNuit, FonteGras));
    p->Texte({60.5, 110}, 100, u"<naissance> <lieu naissance>"_s, Police(SansSerif, 3.6, BleuFonce));
    return p;
}

// The back card of a CD case, its two turned edges bearing the title: a tree
// in an octagon, the name, the dedication and the signature.
std::unique_ptr<TPlanImpression> Dos(const QString &images)
{
    auto p = std::make_unique<TPlanImpression>(151, 118, 4, images);
    p->Cote(u"TailleRetour"_s, 6.5);
    p->Forme({75.5, 59}, {151, 118}, 4, SansTrait, Fond(Ivoire)).SetCanSelect(false);
    for (const double x : {3.25, 147.75}) {
        p->Forme({x, 59}, {6.5, 118}, 4, SansTrait, Fond(BleuFonce));
        p->Texte({x, 59}, 110, u"<Texte1>"_s, Police(SansSerif, 3.6, Blanc, FonteGras), 0, TxiloCADTexte::AligneCentre,
                 90);
    }
    p->Texte({75.5, 15}, 130, u"<prénom> <nom>"_s, Police(Serif, 6, BleuNuit, FonteGras));
    p->Forme({75.5, 46}, {38, 38}, 8, Trait(Or, 0.5), Fond(OrPale));
    p->Groupe({75.5, 46}, {24, 28}, u"arbre.emf"_s);
    p->Texte({75.5, 72}, 126, u"<Texte2>"_s, Police(Serif, 4.5, BrunFonce, FonteItalique), 5);
    p->Texte({140, 111}, 80, u"<Texte3>"_s, Police(Serif, 4, Brun, FonteItalique), 3, TxiloCADTexte::AligneDroite);
    return p;
}

// A paper sleeve: two faces of 125 mm side by side between the glue flaps
// of 15 mm, the front on the right with the portrait in a heart.
std::unique_ptr<TPlanImpression> Pochette(const QString &images)
{
    auto p = std::make_unique<TPlanImpression>(250, 155, 6, images);
    p->Cote(u"TailleRabat"_s, 15);
    p->Image({125, 77.5}, {250, 125}, u"fond_ciel.jpg"_s).SetCanSelect(false);
    p->Texte({187.5, 33}, 110, u"<Texte1>"_s, Police(Serif, 8, BleuNuit, GrasItalique));
    Photo(*p, {187.5, 78}, {56, 52}, u"masque_coeur.emf"_s);
    p->Texte({187.5, 116}, 110, u"<prénom> <nom>"_s, Police(Serif, 6.5, BleuNuit, FonteGras));
    p->Texte({187.5, 124}, 100, u"<naissance> <lieu naissance>"_s, Police(SansSerif, 3.6, BleuFonce));

    p->Texte({62.5, 42}, 105, u"<Texte2>"_s, Police(Serif, 5, BleuNuit, FonteItalique), 5);
    p->Ligne(formes::Segment({35, 78}, {90, 78}), Trait(BleuFonce, 0.4));
    p->Groupe({62.5, 98}, {40, 20}, u"ornement.mdl"_s);
    p->Texte({115, 131}, 90, u"<Texte3>"_s, Police(Serif, 4.5, BleuFonce, FonteItalique), 3,
             TxiloCADTexte::AligneDroite);
    p->Repere(TxiloCADRepere::Verticale, 125);
    return p;
}

// A booklet folded in the middle, outside: the back with a tree and the
// front with the portrait in a gilt frame. Its inside is a design of its
// own: the print window shows, saves and prints one face of a design.
std::unique_ptr<TPlanImpression> Livret(const QString &images)
{
    auto p = std::make_unique<TPlanImpression>(240, 120, 3, images);
    p->Image({120, 60}, {120, 240}, u"fond_parchemin.jpg"_s, 90).SetCanSelect(false);
    p->Bordure({180, 60}, {112, 112}, u"bordure_filet.png"_s, 8);
    p->Texte({180, 27}, 88, u"<Texte1>"_s, Police(Serif, 6.5, BrunFonce, GrasItalique));
    Photo(*p, {180, 63}, {38, 48}, u"masque_ovale.emf"_s);
    p->Forme({180, 63}, {41, 51}, Ellipse, Trait(Or, 0.6), SansFond);
    p->Texte({180, 97}, 88, u"<prénom> <nom>"_s, Police(Serif, 5.5, BrunFonce, FonteGras));
    p->Groupe({60, 50}, {40, 46}, u"arbre.emf"_s);
    p->Texte({60, 92}, 100, u"<Texte3>"_s, Police(Serif, 4.5, Brun, FonteItalique));
    return p;
}

// The inside of the booklet: the dedication facing the person's family.
std::unique_ptr<TPlanImpression> LivretInterieur(const QString &images)
{
    auto p = std::make_unique<TPlanImpression>(240, 120, 3, images);
    p->Forme({120, 60}, {240, 120}, 4, SansTrait, Fond(Ivoire)).SetCanSelect(false);
    for (const double x : {60.0, 180.0})
        p->Forme({x, 60}, {106, 106}, 4, Trait(Or, 0.4), SansFond);
    p->Texte({60, 30}, 96, u"<Texte2>"_s, Police(Serif, 5, BrunFonce, FonteItalique), 5);
    p->Groupe({60, 88}, {44, 22}, u"ornement.mdl"_s);
    p->Texte({180, 20}, 100, u"<prénom> <nom>"_s, Police(Serif, 6, BrunFonce, FonteGras));
    p->Texte({180, 27.5}, 100, u"<naissance> <lieu naissance>"_s, Police(SansSerif, 3.5, Brun));
    p->Texte({180, 42}, 80, u"Parents"_s, Police(SansSerif, 3.8, Brun, FonteItalique));
    p->Texte({180, 49}, 100, u"<père>"_s, Police(Serif, 5, BrunFonce));
    p->Texte({180, 55.5}, 100, u"<mère>"_s, Police(Serif, 5, BrunFonce));
    p->FormeLibre({180, 66}, {6, 5.5}, formes::Coeur(), {100, 92}, Trait(RougeFonce, 0.3), Fond(Rouge));
    p->Texte({180, 75}, 100, u"<conjoint>"_s, Police(Serif, 5, BrunFonce));
    p->Texte({180, 81.5}, 80, u"<mariage>"_s, Police(SansSerif, 3.5, Brun));
    return p;
}

// A DVD case cover: the back lists the albums of the user's pictures
// folder, the spine bears the title, the front the portrait.
std::unique_ptr<TPlanImpression> Dvd(const QString &images)
{
    auto p = std::make_unique<TPlanImpression>(273, 183, 5, images);
    p->Cote(u"TailleTranche"_s, 14);
    p->Image({136.5, 91.5}, {273, 183}, u"fond_ciel.jpg"_s).SetCanSelect(false);
    p->Forme({136.5, 91.5}, {14, 183}, 4, SansTrait, Fond(BleuNuit));
    p->Texte({136.5, 91.5}, 160, u"<Texte1>"_s, Police(SansSerif, 5.5, Blanc, FonteGras), 0,
             TxiloCADTexte::AligneCentre, 90);

    p->Texte({208.25, 24}, 115, u"<Texte1>"_s, Police(Serif, 9, BleuNuit, GrasItalique));
    p->Forme({208.25, 88}, {76, 94}, 4, Trait(CouleurRGB(190, 200, 215), 0.3), Fond(Blanc));
    Photo(*p, {208.25, 88}, {70, 88}, u"masque_arrondi.emf"_s);
    p->Texte({208.25, 146}, 115, u"<prénom> <nom>"_s, Police(Serif, 7, BleuNuit, FonteGras));
    p->Texte({208.25, 155}, 110, u"<naissance> <lieu naissance>"_s, Police(SansSerif, 4, BleuFonce));

    p->Texte({64.75, 20}, 110, u"Contenu du disque"_s, Police(SansSerif, 5, BleuNuit, FonteGras));
    p->Forme({64.75, 72}, {112, 80}, 4, Trait(BleuFonce, 0.3), Fond(CouleurRGB(240, 246, 252)));
    TxiloCADArbo &albums =
        p->Arbo({64.75, 72}, {104, 72}, ShellFolder(u"My Pictures"_s), 2, 1, Police(SansSerif, 4, BleuNuit));
    albums.SetPen(Trait(BleuFonce, 0.2));
    p->Texte({64.75, 124}, 110, u"<Texte2>"_s, Police(Serif, 4.5, BleuNuit, FonteItalique), 5);
    p->Texte({122, 172}, 90, u"<Texte3>"_s, Police(Serif, 4, BleuFonce, FonteItalique), 3,
             TxiloCADTexte::AligneDroite);
    return p;
}

} // namespace

std::vector<TModeleLivre> ModelesDisques()
{
    return {
        {u"Pochette de CD"_s, u"Étiquette de CD"_s, Etiquette},
        {u"Pochette de CD"_s, u"Face avant de boîtier"_s, FaceAvant},
        {u"Pochette de CD"_s, u"Dos de boîtier"_s, Dos},
        {u"Pochette de CD"_s, u"Pochette papier"_s, Pochette},
        {u"Livret de CD"_s, u"Livret de famille"_s, Livret},
        {u"Livret de CD"_s, u"Livret de famille, intérieur"_s, LivretInterieur},
        {u"Jaquette de DVD"_s, u"Souvenirs de famille"_s, Dvd},
    };
}
