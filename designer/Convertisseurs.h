#pragma once

#include <vector>

#include <QPointF>
#include <QString>

#include "StylesCAD.h"

// Converters between the texts of a model file's key lines and the values of
// the drawing objects. They never fail: a text that is not what it should be
// is read as far as it is valid, the rest falling back as said for each.
// Numbers are always written with "." as decimal separator; both "." and ","
// are read.

// Readers ----------------------------------------------------------------

// A decimal number. Every "," counts as "."; the text before the last "."
// is the integer part (leading blanks, an optional sign, digits, reading
// stopping at the first other character), the digits after it the
// fraction, also read as far as they go; a "-" before the integer part
// applies to the fraction too ("-0,25" is -0.25). Without "." the whole text
// is the integer part. The empty text, and any text without digits, is 0.
// So "1.000,5" is 1.5 and "12,5abc" is 12.5. The result is always finite;
// integer parts beyond 1e18 are cut there.
double TextToFloat(QStringView texte);

// The whole text as a 32-bit integer: leading blanks, an optional sign, then
// decimal digits, or hexadecimal digits after "$" or "0x" (a hexadecimal
// number of up to 8 digits is taken as the 32 bits it gives, so "$FFFFFFFF"
// is -1). `defaut` when the text is anything else or out of range.
int TextToInt(QStringView texte, int defaut = 0);

// TextToInt(texte, 1) == 1: "1", the empty text and any text that is not a
// number are true; every other number is false.
bool TextToBool(QStringView texte);

// A colour written RRGGBB (two hexadecimal digits each of red, green and
// blue): the hexadecimal number made of the fifth and sixth, third and
// fourth, then first and second characters, pairs that are missing being
// left out ("FF" is red, "ABC" is the number CAB). Reading the number stops
// at the first character that is not a hexadecimal digit, keeping what was
// read; nothing read is black.
TColor TextToColor(QStringView texte);

// A colour number as pen and brush texts write it: the colour's own number
// in hexadecimal (blue in the high byte). Reading stops at the first
// character that is not a hexadecimal digit, keeping what was read, and
// after 8 digits.
TColor TextToColorNumber(QStringView texte);

// Pen text "colour number,width,style". The width (thousandths of a
// millimetre) falls back to 1 when it is not an integer and is limited to
// 0..LargeurStyloMax; the style falls back to 1 (dashes) when it is not a
// pen style number (0 to 6).
TStylo TextToPen(QStringView texte);
constexpr int LargeurStyloMax = 100000;

// Brush text "colour number,style"; the style falls back to 1 (clear) when it
// is not a brush style number (0 to 7).
TPinceau TextToBrush(QStringView texte);

// Font text "RRGGBB,name,height,styles" read into `fonte`: colour, name and
// height (1 when not an integer; limited to -HauteurFonteMax..
// HauteurFonteMax) are replaced; each of the capital letters B, I, U, S in
// the fourth field adds bold, italic, underline, strike-out to the style the
// font already had (no style is removed).
void TextToFont(QStringView texte, TFonteCAD &fonte);
constexpr int HauteurFonteMax = 1000000;

// The tiled border of a picture object: on or off, the width and height of
// a tile in millimetres, and how the tiles are laid out (0 to 4).
struct TBordure {
    bool Active = false;
    double LargeurTuile = 12;
    double HauteurTuile = 12;
    int Mode = 2;
    bool operator==(const TBordure &) const = default;
};
// Border text "1,width,height,mode": on when the first field is exactly "1";
// the two sizes by TextToFloat; the mode by TextToInt. A field that is
// missing leaves the value of `defaut`.
TBordure TextToBorder(QStringView texte, const TBordure &defaut = TBordure());

// Point list text "x;y|x;y|...|" in millimetres. Reading stops at the first
// piece whose x text is empty, and after PointsMax points; a piece without
// y has y = 0.
std::vector<QPointF> TextToPoints(QStringView texte);
constexpr int PointsMax = 1000;

// The template of a page by its name: 0 for "" (none), 1 "CD", 2
// "Jaquette", 3 "Livret", 4 "Feuillet", 5 "JaquetteDVD", 6 "PochetteCD",
// letter case ignored; 0 for any other name.
int TemplateIndex(QStringView nom);
// The name of template 0 to 6; the empty text for any other number.
QString TemplateName(int gabarit);

// Writers ----------------------------------------------------------------

QString IntToText(int n);
// The number rounded to 4 decimals (halves to the even neighbour), without
// exponent, thousands separator or trailing zeros, with "." as decimal
// separator: -33.69014 gives "-33.6901", 7.0 gives "7". Not-a-number and
// infinities give "0".
QString FloatToText(double v);
QString BoolToText(bool b);
// RRGGBB in capital hexadecimal digits (the high byte is not written).
QString ColorToText(TColor couleur);
// The colour's number in capital hexadecimal, at least 6 digits.
QString ColorNumberToText(TColor couleur);
// "colour number,width,style".
QString PenToText(const TStylo &stylo);
// "colour number,style".
QString BrushToText(const TPinceau &pinceau);
// "RRGGBB,name,height," then B, I, U, S for each style set, in that order.
QString FontToText(const TFonteCAD &fonte);
// "1" or "0", then the two sizes and the mode, separated by ",".
QString BorderToText(const TBordure &bordure);
// "x;y|" for each point.
QString PointsToText(const std::vector<QPointF> &points);

// A length for the labels of guide marks: the value rounded to hundredths,
// a blank, and the unit label (empty: the designs measure in millimetres).
QString MmToText(double v);
