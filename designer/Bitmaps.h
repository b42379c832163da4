#pragma once

#include <QImage>
#include <QSize>

#include "StylesCAD.h"

class QRect;
class QString;
class TCanevas;

// The bitmaps the designs compose: opaque 24-bit colour pictures held as
// QImage::Format_RGB32 (QPainter draws fastest on it), new ones white.
// Transparency is the magenta colour (CouleurMagenta) until a bitmap is
// drawn: RendTransparent then turns it into an alpha of 0.

constexpr QImage::Format FormatBitmap = QImage::Format_RGB32;

// No side of a bitmap made by the designs exceeds this many pixels; a
// larger one is not allocated.
constexpr int CoteMaxBitmap = 20000;

// A white bitmap of that size; a null image when a side is 0 or below or
// above CoteMaxBitmap, or when memory runs out.
QImage NouveauBitmap(QSize taille);

// Loads a picture file into `bitmap` by its extension, letter case ignored
// (".png", ".jpg", ".jpeg", ".bmp"), through the program's one picture
// loader (ChargeImage, core/Images.h: damaged or truncated files and
// pictures above its size cap give false, never a crash; alpha composited
// onto white). True when a picture was loaded. Whether loaded or not, the
// bitmap then holds FormatBitmap pixels; on false its picture is the one it
// had.
bool LoadPicture(QImage &bitmap, const QString &fichier);

// Copies the bitmap stretched into the rectangle of the canvas, as printers
// are given pictures. Nothing for a null bitmap or an empty rectangle.
void PrintBitmap(TCanevas &canevas, const QRect &rect, const QImage &bitmap);

// A new bitmap holding `source` turned counter-clockwise on screen by
// `angle` degrees, large enough for the turned picture, its uncovered
// corners in `fond`. A quarter turn of a W x H picture is H x W; 0 and 360
// give the same picture. A null image for a null source (an angle that is
// not finite counts as 0).
QImage RotateBitmap(const QImage &source, TColor fond, double angle);

// The mask picture stretched over `bitmap`: every pixel of the bitmap under
// a pure white (255, 255, 255) pixel of the mask becomes magenta, the
// transparent colour; the bitmap becomes FormatBitmap. Nothing for a null
// bitmap or mask.
void ApplyMask(QImage &bitmap, const QImage &masque);

// Each of red, green and blue times (100 + pourcent) / 100, rounded and kept
// within 0..255: LightenColor(RGB(200, 100, 0), 50) is RGB(255, 150, 0).
TColor LightenColor(TColor couleur, int pourcent);

// A copy of the bitmap in which the pixels of colour `transparente` have an
// alpha of 0 and the others are opaque (QImage::Format_ARGB32), ready for
// TCanevas::Image. A null image for a null bitmap.
QImage RendTransparent(const QImage &bitmap, TColor transparente);

// `bitmap` stretched smoothly to `taille` (FormatBitmap) with its pixels of
// colour `transparente` kept out of the smoothing: a pixel of the result
// that lies mostly over such pixels is that colour exactly, and any other
// blends only the other pixels, so that no blend of the transparent colour
// shows once it is left out. A null image for a null bitmap or an empty
// size.
QImage EtireTransparent(const QImage &bitmap, QSize taille, TColor transparente);

// The bitmap stretched over the rectangle with its pixels of colour
// `transparente` left out.
void DessineTransparent(TCanevas &canevas, const QRect &rect, const QImage &bitmap, TColor transparente);
