#pragma once

#include <cstdint>

#include <QFont>
#include <QFontMetrics>
#include <QRect>
#include <QStaticText>
#include <QString>

class QColor;
class QPainter;

// The drawing rules the program's drawings (boxes, links, page frames,
// designs) were made for, in one place:
//
// - colours are TColor values, red in the low byte;
// - a rectangle (left, top, right, bottom) excludes its right column and its
//   bottom row: its outline, drawn with a 1-pixel pen, covers the pixels
//   left..right-1 and top..bottom-1, and the brush fills inside it;
// - a positive font height is the height of the character cell (ascent +
//   descent), a negative one the character (em) height;
// - the classic font names are drawn with installed fonts of the same
//   metrics;
// - text is drawn without background, from the top of its cell, and may be
//   clipped to a rectangle.
//
// All functions are for the thread that draws (the GUI thread): the font
// cache is per thread.

// Same definition as in Look.h, so that this file stands alone.
using TColor = std::uint32_t;

// The colour of a TColor (bits 0-7 red, 8-15 green, 16-23 blue; the high
// byte is ignored), opaque.
QColor CouleurQt(TColor couleur);
// The TColor of a colour (its alpha is dropped).
TColor CouleurDeQt(const QColor &couleur);

// The QRect holding the pixels left..right-1, top..bottom-1: the area of the
// rectangle (left, top, right, bottom). Empty when right <= left or
// bottom <= top.
QRect RectDe(int gauche, int haut, int droite, int bas);

// Draws the rectangle (left, top, right, bottom) with the painter's pen and
// brush, as the program's drawings expect whatever the painter's render
// hints:
// - with a pen (only its colour is used), the outline, one pixel wide,
//   covers the pixels left..right-1 and top..bottom-1 and the brush fills
//   the pixels inside it;
// - with no pen (Qt::NoPen), the brush fills the pixels left..right-2 and
//   top..bottom-2, one pixel less on the right and at the bottom.
// A rectangle one pixel wide or high is a line in the pen's colour; nothing
// is drawn when right <= left or bottom <= top. Pixels are those of the
// painter's coordinates: under a transform that magnifies by n, each is
// n x n device pixels, so that a drawing magnified for a printer is the
// screen's. The painter's state is left as it was.
void DessineRectangle(QPainter &p, int gauche, int haut, int droite, int bas);
// The same with rounded corners: each corner is a quarter of an ellipse of
// largeurCoin x hauteurCoin pixels (14 x 14 for the boxes); the straight
// sides lie on the same pixels as DessineRectangle's.
void DessineRectangleArrondi(QPainter &p, int gauche, int haut, int droite, int bas,
                             int largeurCoin, int hauteurCoin);

// The installed family used for a font name: "MS Sans Serif" and "Arial" give
// "Liberation Sans", "Times New Roman" "Liberation Serif", "Courier New"
// "Liberation Mono" (letter case ignored); any other name is returned as it
// is (the font system then chooses its own substitute when it is missing).
QString FamilleInstallee(const QString &nom);

// A font ready to draw and measure with.
struct TFonteDessin {
    QFont Fonte;
    QFontMetrics Metriques{Fonte};
    // Cell height in pixels (ascent + descent).
    int Hauteur() const { return Metriques.height(); }
};

// The font of that name, height and style bits (1 bold, 2 italic,
// 4 underline, 8 strike-out), sized in pixels:
// - hauteur > 0: the cell height. The pixel size is chosen so that the cell
//   height is as close as possible to hauteur (the smaller size on a tie);
// - hauteur < 0: the character height, -hauteur pixels;
// - hauteur = 0 counts as 1; heights are limited to 4096 pixels.
// Results are cached per (name, height, style), so calling this for every
// line of every box is cheap.
TFonteDessin FonteDessin(const QString &nom, int hauteur, std::uint8_t style);

// Width in pixels of the text drawn on one line in that font.
int LargeurTexte(const TFonteDessin &fonte, const QString &texte);

// Height in pixels of a line of that text: the font's cell height, whatever
// the text (an empty text included).
int HauteurTexte(const TFonteDessin &fonte, const QString &texte);

// Draws the text without background in that font and colour, the top of its
// cell at (x, y), showing only what falls inside `clip` (a null `clip` does
// not clip). The painter's state is left as it was.
void DessineTexte(QPainter &p, const TFonteDessin &fonte, TColor couleur, int x, int y,
                  const QString &texte, const QRect &clip);
// The same for a text laid out once and drawn many times: shaping a text is
// the costly part of drawing it, and a QStaticText keeps the result. Lay it
// out with TexteStatique in the same font.
void DessineTexte(QPainter &p, const TFonteDessin &fonte, TColor couleur, int x, int y,
                  const QStaticText &texte, const QRect &clip);
QStaticText TexteStatique(const TFonteDessin &fonte, const QString &texte);
