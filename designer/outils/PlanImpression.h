#pragma once

// Making a shipped design: a page model whose objects are added one by one,
// on the current face, with their geometry (page millimetres, degrees
// clockwise) and their looks, then written as a model file.

#include <memory>
#include <vector>

#include <QPointF>
#include <QSizeF>
#include <QString>

#include "StylesCAD.h"

class TxiloCADArbo;
class TxiloCADCal;
class TxiloCADCodeBarre;
class TxiloCADForme;
class TxiloCADGroup;
class TxiloCADImage;
class TxiloCADLigne;
class TxiloCADMdl;
class TxiloCADRectangle;
class TxiloCADRepere;
class TxiloCADTexte;

// A font of a design: `hauteur` is the height of its character cell in
// millimetres.
TFonteCAD Police(const QString &nom, double hauteur, TColor couleur, std::uint8_t style = 0);
// A pen `largeur` millimetres wide (0 for the thinnest line).
TStylo Trait(TColor couleur, double largeur, int style = StyloPlein);
constexpr TStylo SansTrait{CouleurNoire, 0, StyloVide};
constexpr TPinceau SansFond{CouleurBlanche, PinceauVide};
constexpr TPinceau Fond(TColor couleur) { return TPinceau{couleur, PinceauPlein}; }

// The names the designs give the fonts; the canvases draw them with the
// metric-compatible Liberation fonts.
inline const QString Serif = QStringLiteral("Times New Roman");
inline const QString SansSerif = QStringLiteral("Arial");

// The 13 digits of the EAN-13 number whose first 12 digits are `douze`, its
// check digit computed; empty when `douze` is not 12 digits.
QString Ean13(const QString &douze);

class TPlanImpression final
{
public:
    // A page of large x haut millimetres with template `gabarit` (0 to 6);
    // file names are looked up in `images` (ending with "/"), as the print
    // window does.
    TPlanImpression(double large, double haut, int gabarit, const QString &images);
    ~TPlanImpression();
    TPlanImpression(const TPlanImpression &) = delete;
    TPlanImpression &operator=(const TPlanImpression &) = delete;

    // A size key of the template (PetitDiam, TailleRetour, TailleTranche,
    // TailleRabat), in millimetres.
    void Cote(const QString &cle, double mm);
    // The face of the objects added from now on (1 at first).
    void Face(int face) { m_face = face; }

    // A rectangle (4 sides), triangle (3), polygon or ellipse
    // (TxiloCADRectangle::CoteEllipse) centred at `centre`.
    TxiloCADRectangle &Forme(QPointF centre, QSizeF taille, int cotes, const TStylo &trait, const TPinceau &fond,
                             double r = 0);
    // A text whose handle `aligne` (0 the centre, 1 top-left... as the boxed
    // objects number them) lies at `ancre`, `largeur` millimetres wide: the
    // width within which the print window shrinks the text it puts there.
    TxiloCADTexte &Texte(QPointF ancre, double largeur, const QString &texte, const TFonteCAD &fonte,
                         int aligne = 0, int alignement = 2, double r = 0);
    // A picture of the images folder stretched over the box.
    TxiloCADImage &Image(QPointF centre, QSizeF taille, const QString &fichier, double r = 0);
    // A picture framed by the tiles of a border strip, the white between
    // them transparent; the box holds a whole number of tiles.
    TxiloCADImage &Bordure(QPointF centre, QSizeF taille, const QString &fichier, double tuile, int mode = 2);
    // A path of Bézier segments on the page (anchors at 0, 3, 6...).
    TxiloCADLigne &Ligne(std::vector<QPointF> points, const TStylo &trait, const TPinceau &fond = SansFond);
    // A path drawn in its own frame of `cadre` units, stretched over the box.
    TxiloCADForme &FormeLibre(QPointF centre, QSizeF taille, std::vector<QPointF> points, QSizeF cadre,
                              const TStylo &trait, const TPinceau &fond, double r = 0);
    TxiloCADCal &Calendrier(QPointF centre, QSizeF taille, int mois, int annee, const TFonteCAD &fonte,
                            TColor cases, TColor fond = CouleurBlanche);
    // Another model or a metafile of the images folder, in a box.
    TxiloCADGroup &Groupe(QPointF centre, QSizeF taille, const QString &fichier, double r = 0);
    TxiloCADRepere &Repere(int sens, double position, int sorte = 1);
    TxiloCADCodeBarre &CodeBarre(QPointF centre, QSizeF taille, const QString &chiffres);
    TxiloCADArbo &Arbo(QPointF centre, QSizeF taille, const QString &dossier, int profondeur, int colonnes,
                       const TFonteCAD &fonte);

    // Writes the model file; false, with the reason in *erreur, when it
    // cannot be written.
    bool Ecrit(const QString &chemin, QString *erreur);

private:
    // An object of that kind on the current face.
    template<class T>
    T &Ajoute(const char *motCle);
    // A boxed object of that kind on the current face, its box placed.
    template<class T>
    T &AjouteBoite(const char *motCle, QPointF centre, QSizeF taille, double r = 0);

    std::unique_ptr<TxiloCADMdl> m_modele;
    int m_face = 1;
};

// Bézier points of a few drawn shapes, in their own frame.
namespace formes {
// A heart in a frame of 100 x 92.
std::vector<QPointF> Coeur();
// A banner with notched ends, in a frame of 100 x 30.
std::vector<QPointF> Ruban();
// A leaf pointing right, in a frame of 100 x 40.
std::vector<QPointF> Feuille();
// The straight segment from a to b as the three points that follow a in a
// path: both control points on the segment's ends, then b.
std::vector<QPointF> Droite(QPointF a, QPointF b);
// A path of one straight segment, from a to b.
std::vector<QPointF> Segment(QPointF a, QPointF b);
} // namespace formes
