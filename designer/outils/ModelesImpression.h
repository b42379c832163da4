#pragma once

// The designs shipped for the artistic print window, made here. The print
// window fills their texts for the reference person: a text "<Texte1>"
// (the title), "<Texte2>" (the dedication, its lines separated by "|") or
// "<Texte3>" (the signature) takes what the user typed; any other text is a
// person template ("<prénom> <nom>", "<père>", "<naissance> <lieu
// naissance>"...). A picture coded "<photo>" shows the person's photo, its
// stored picture (a silhouette) until then. Pictures are named by their
// file name in the images folder.

#include <memory>
#include <vector>

#include <QString>

#include "PlanImpression.h"

// The colours of the designs.
namespace couleurs {
constexpr TColor BrunFonce = CouleurRGB(70, 40, 15);
constexpr TColor Brun = CouleurRGB(115, 75, 35);
constexpr TColor Or = CouleurRGB(190, 150, 60);
constexpr TColor OrFonce = CouleurRGB(135, 95, 30);
constexpr TColor OrPale = CouleurRGB(242, 224, 178);
constexpr TColor BleuNuit = CouleurRGB(20, 35, 80);
constexpr TColor BleuFonce = CouleurRGB(30, 55, 110);
constexpr TColor BleuPale = CouleurRGB(222, 232, 246);
constexpr TColor RougeFonce = CouleurRGB(120, 25, 35);
constexpr TColor Rouge = CouleurRGB(190, 50, 60);
constexpr TColor RosePale = CouleurRGB(246, 226, 230);
constexpr TColor VertFonce = CouleurRGB(40, 95, 40);
constexpr TColor Vert = CouleurRGB(85, 150, 65);
constexpr TColor Ivoire = CouleurRGB(250, 245, 230);
} // namespace couleurs

constexpr std::uint8_t GrasItalique = FonteGras | FonteItalique;

// The person's photo, shown through the metafile mask `masque` when one is
// named: a picture coded "<photo>", the silhouette until a photo is given.
TxiloCADImage &Photo(TPlanImpression &p, QPointF centre, QSizeF taille, const QString &masque = QString());

// A design and where it goes: the category (a subfolder of the models
// folder; empty for a model that only groups show, which goes in the images
// folder) and the name of its file, without ".mdl".
struct TModeleLivre {
    QString Categorie;
    QString Nom;
    std::unique_ptr<TPlanImpression> (*Fabrique)(const QString &images);
};

// Family charts, and the flourish their groups show.
std::vector<TModeleLivre> ModelesFamille();
// CD labels, case covers, sleeve, booklet and DVD cover.
std::vector<TModeleLivre> ModelesDisques();
// Calendar pages, bookplate and bookmark.
std::vector<TModeleLivre> ModelesPapeterie();

// Every design, sub-models first (the groups of the others read them).
std::vector<TModeleLivre> TousModelesLivres();
