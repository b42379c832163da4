#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QPolygon>
#include <QSize>
#include <QString>

#include "StylesCAD.h"

// The surface every drawing object of a design draws on. One drawing
// routine per object serves the screen, bitmaps, printing and the vector
// export: each is a back end of this interface.
//
// Coordinates are whole pixels of the target. Any int is drawn without
// overflow (rectangles and ellipses are first brought within
// -CoordonneeMax..CoordonneeMax, below); the page model gives no pixel
// beyond. The drawing rules are those the models were made for, and every
// back end keeps them:
// - a pen of width 0 or 1 is the thin pen: one pixel, drawn with its dash
//   pattern; a wider pen is always solid, with round ends and joins, and
//   lies astride the path. Style StyloVide draws no outline. StyloInterieur
//   is solid and keeps a wide outline inside the frame of rectangles and
//   ellipses;
// - polygons are filled by the odd-even rule; their thin outline covers the
//   pixels of every side, both ends included;
// - a line from A to B covers the pixels from A up to B, B excluded; a
//   polyline likewise leaves out its last point only;
// - rectangles and ellipses exclude their right column and bottom row: with
//   a thin pen, (left, top, right, bottom) covers left..right-1 and
//   top..bottom-1; without a pen the brush fills one pixel less on the right
//   and at the bottom;
// - text is drawn without background in the font's colour, the top-left
//   corner of its character cell at the point given, turned about that
//   point by the font's escapement; font heights are pixels, positive for
//   the cell height and negative for the character (em) height; the classic
//   font names are drawn with installed fonts of the same metrics.
//
// The pen, brush and font are the state of the canvas, used by every
// primitive until changed.
// Far beyond any surface, and far enough from the limits of int that a
// size can be added to a coordinate, or the difference of two taken,
// without overflow.
constexpr int CoordonneeMax = 1 << 28;

class TCanevas
{
public:
    TCanevas() = default;
    virtual ~TCanevas();
    TCanevas(const TCanevas &) = delete;
    TCanevas &operator=(const TCanevas &) = delete;

    const TStylo &Stylo() const { return m_stylo; }
    const TPinceau &Pinceau() const { return m_pinceau; }
    const TFonteCAD &Fonte() const { return m_fonte; }
    void SetStylo(const TStylo &stylo) { m_stylo = stylo; }
    void SetPinceau(const TPinceau &pinceau) { m_pinceau = pinceau; }
    void SetFonte(const TFonteCAD &fonte) { m_fonte = fonte; }

    virtual void Ligne(QPoint de, QPoint a) = 0;
    virtual void Polyligne(const QPolygon &points) = 0;
    // Filled with the brush, then outlined with the pen; closed whether or
    // not the last point repeats the first.
    virtual void Polygone(const QPolygon &points) = 0;
    virtual void Rectangle(int gauche, int haut, int droite, int bas) = 0;
    // The ellipse inscribed in the rectangle (left, top, right, bottom).
    virtual void Ellipse(int gauche, int haut, int droite, int bas) = 0;
    virtual void Texte(QPoint coin, const QString &texte) = 0;
    // Width and cell height in pixels of the text on one line in the
    // current font, unturned.
    virtual QSize TailleTexte(const QString &texte) = 0;
    // The picture stretched over the rectangle (left, top, width, height in
    // pixels), each target pixel taking the nearest picture pixel. Pixels of
    // the picture whose alpha is 0 leave the surface as it was, so a picture
    // made transparent (RendTransparent, Bitmaps.h) shows what is below;
    // opaque pixels are copied. Nothing for a null picture or an empty
    // rectangle.
    virtual void Image(const QRect &cible, const QImage &image) = 0;
    // A chain of cubic Bézier segments (Bezier.h) in pixels: `courbe` holds
    // the first anchor, then the two control points and the end of each
    // segment (3k + 1 points, k >= 1); `trace` is the same curve laid as
    // straight pieces. With `remplir`, the area the path closes (straight
    // from its end back to its start) is first filled with the brush by the
    // odd-even rule, without outline; the path is then drawn with the pen as
    // an open line. This default draws `trace` with Polygone and Polyligne; a
    // back end that keeps curves (a metafile) draws `courbe` instead.
    virtual void Bezier(const QPolygon &courbe, const QPolygon &trace, bool remplir);
    // The part of the surface that can show what is drawn, in pixels: a
    // picture of a drawing larger than it need be made only where it falls
    // inside. An empty rectangle, this default, for a surface that keeps
    // everything drawn on it (a metafile).
    virtual QRect Zone() const { return QRect(); }

private:
    TStylo m_stylo;
    TPinceau m_pinceau;
    TFonteCAD m_fonte;
};

// The pixel height (negative: a character height) of a font of that many
// points on the 96-dots-per-inch surfaces the designs are drawn on.
int HauteurPoints(int points);
