#pragma once

#include <cstdint>

#include <QString>

// The values the drawing objects of a design keep and the canvases draw
// with: colours, pens, brushes and fonts, as the model files store them.

// A colour as the model files number it: red in bits 0-7, green in 8-15, blue
// in 16-23. The high byte is kept as read but not drawn.
using TColor = std::uint32_t;

constexpr TColor CouleurRGB(int rouge, int vert, int bleu)
{
    return TColor(rouge & 0xFF) | (TColor(vert & 0xFF) << 8) | (TColor(bleu & 0xFF) << 16);
}
constexpr int RougeDe(TColor c) { return int(c & 0xFF); }
constexpr int VertDe(TColor c) { return int((c >> 8) & 0xFF); }
constexpr int BleuDe(TColor c) { return int((c >> 16) & 0xFF); }

constexpr TColor CouleurNoire = CouleurRGB(0, 0, 0);
constexpr TColor CouleurBlanche = CouleurRGB(255, 255, 255);
constexpr TColor CouleurRouge = CouleurRGB(255, 0, 0);
constexpr TColor CouleurBleue = CouleurRGB(0, 0, 255);
constexpr TColor CouleurJaune = CouleurRGB(255, 255, 0);
constexpr TColor CouleurGrise = CouleurRGB(128, 128, 128);
// The transparent colour of every composed bitmap of the designs.
constexpr TColor CouleurMagenta = CouleurRGB(255, 0, 255);

// Pen styles, by the numbers the model files hold.
enum TStyleStylo : int {
    StyloPlein = 0,
    StyloTirets = 1,
    StyloPoints = 2,
    StyloTiretPoint = 3,
    StyloTiretPointPoint = 4,
    StyloVide = 5,       // no outline
    StyloInterieur = 6,  // solid, inside the frame of rectangles and ellipses
};
constexpr int StyloMax = StyloInterieur;

// Brush styles, by the numbers the model files hold. Hatches are drawn in
// the brush colour and leave the background between their lines as it was.
enum TStylePinceau : int {
    PinceauPlein = 0,
    PinceauVide = 1,
    PinceauHorizontal = 2,
    PinceauVertical = 3,
    PinceauDiagonaleAvant = 4,   // lines going down from left to right
    PinceauDiagonaleArriere = 5, // lines going up from left to right
    PinceauCroix = 6,
    PinceauCroixDiagonale = 7,
};
constexpr int PinceauMax = PinceauCroixDiagonale;

// A pen. On a drawing object the width is in thousandths of a millimetre;
// on a canvas it is in pixels, and a width of 0 or 1 is the thin pen, the
// only one drawn dashed.
struct TStylo {
    TColor Couleur = CouleurNoire;
    int Largeur = 1;
    int Style = StyloPlein;
    bool operator==(const TStylo &) const = default;
};

struct TPinceau {
    TColor Couleur = CouleurBlanche;
    int Style = PinceauPlein;
    bool operator==(const TPinceau &) const = default;
};

// Font style bits.
enum TStyleFonte : std::uint8_t {
    FonteGras = 1,
    FonteItalique = 2,
    FonteSouligne = 4,
    FonteBarre = 8,
};

// A font. On a drawing object the height is in thousandths of a
// millimetre. On a canvas it is in pixels: a positive height is the height
// of the character cell (ascent + descent), a negative one the character
// (em) height; and Escapement turns the text by tenths of a degree,
// counter-clockwise on screen. The escapement is a drawing state only and
// is not stored in model files.
struct TFonteCAD {
    TColor Couleur = CouleurNoire;
    QString Nom = QStringLiteral("Arial");
    int Hauteur = 12;
    std::uint8_t Style = 0;
    int Escapement = 0;
    bool operator==(const TFonteCAD &) const = default;
};
