#pragma once

#include <cstdint>
#include <vector>

#include <QByteArray>
#include <QImage>
#include <QPolygon>
#include <QRect>
#include <QSize>
#include <QSizeF>
#include <QString>

#include "LecteurEmf.h"

// Writing an enhanced metafile (".emf") record by record, in the layout the
// reader (LecteurEmf.h) checks: every record a multiple of 4 bytes long, its
// size field exact, its offsets and counts within it. Octets() gives the
// header, the records in the order written, and the EOF record.
//
// Coordinates are logical units; the writer sets no mapping of its own, so
// that with the default mapping a logical unit is one pixel of the picture.
// Each drawing record carries its bounds, the pixels it may touch
// (inclusive), the selected pen's width included.

// The values of the file format written with the records below are
// those of LecteurEmf.h (namespace emf).

// A font as the metafile gives it (a LOGFONTW). Heights are logical units:
// negative for the character (em) height, positive for the cell's; angles
// are tenths of a degree, counter-clockwise. The name keeps at most 31
// characters.
struct TFonteEmf {
    int Hauteur = 0;
    int Escapement = 0;
    int Orientation = 0;
    int Poids = emf::PoidsNormal;
    bool Italique = false;
    bool Souligne = false;
    bool Barre = false;
    QString Nom;
    bool operator==(const TFonteEmf &) const = default;
};

class TEcrivainEmf final
{
public:
    // A picture of `pixels` (each side at least 1) standing for `mm`
    // millimetres (each above 0): its bounds are (0, 0) to (width - 1,
    // height - 1) pixels, its frame (0, 0) to the size in hundredths of a
    // millimetre, and the recording device has the picture's resolution,
    // pixels / millimetres on each axis.
    // Records that would make the metafile longer than `tailleMax` bytes
    // (at most TailleMax) are left out (Deborde).
    TEcrivainEmf(QSize pixels, QSizeF mm, qint64 tailleMax = TailleMax);

    // Records of one 32-bit value: SetMapMode, SetBkMode, SetPolyFillMode,
    // SetTextAlign, SetTextColor, SetStretchBltMode, RestoreDC,
    // SelectObject, DeleteObject (the types of LecteurEmf.h).
    void Valeur(std::uint32_t type, std::uint32_t valeur);
    // Records without parameters: SaveDC, BeginPath, EndPath, CloseFigure.
    void Simple(std::uint32_t type);
    void MoveTo(QPoint p);
    // Rectangle, Ellipse and IntersectClipRect of the figure (left, top,
    // right, bottom).
    void Cadre(std::uint32_t type, int gauche, int haut, int droite, int bas);
    // FillPath, StrokePath, StrokeAndFillPath of the path built since the
    // last BeginPath.
    void TracePath(std::uint32_t type);
    // Polyline, Polygon, PolyBezier, PolylineTo or PolyBezierTo (their
    // 32-bit types) of the points, written with 16-bit points when every
    // coordinate fits.
    void Poly(std::uint32_t type, const QPolygon &points);

    // Objects of the table: `index` from 1 up. Pens of the thin kind
    // (CreatePen, `style` 0 to 5, width 0 for one pixel) and geometric pens
    // (ExtCreatePen, style bits with PsGeometrique), solid and hatched
    // brushes, fonts. Colours are COLORREF values (red in the low byte).
    void CreePen(std::uint32_t index, std::uint32_t style, int largeur, std::uint32_t couleur);
    void CreePenEtendu(std::uint32_t index, std::uint32_t style, int largeur, std::uint32_t couleur);
    void CreePinceau(std::uint32_t index, std::uint32_t style, std::uint32_t couleur, std::uint32_t hachure);
    void CreeFonte(std::uint32_t index, const TFonteEmf &fonte);

    // ExtTextOutW: the text (UTF-16) placed at `reference` by the text
    // alignment selected (SetTextAlign), each character
    // followed by the advance given for it (`avances`, one per UTF-16 unit,
    // logical units), `bornes` being what it covers. No clipping or opaque
    // rectangle. `echelle` is hundredths of a millimetre per logical unit.
    void Texte(QPoint reference, const QString &texte, const std::vector<int> &avances, const QRect &bornes,
               QSizeF echelle);
    // StretchDIBits of the part `source` of `image` (within it) over
    // `cible` (left, top, width, height in logical units) with the raster
    // operation `rop`. The pixels are written bottom row first as a 24-bit
    // picture, or as a 32-bit one keeping the alpha byte when `alpha`
    // (players that ignore the raster operations and honour the alpha then
    // still see the intended picture). Nothing for an empty source.
    void Bitmap(const QRect &cible, const QImage &image, const QRect &source, std::uint32_t rop, bool alpha);
    // StretchDIBits, as Bitmap, of a 1-bit picture made from the alpha of
    // the part `source` of `image`: black (colour 0) where a pixel's alpha is
    // at least `alphaMin`, white (colour 1) elsewhere. The spare byte of each
    // colour of its table holds its opacity, black 255 and white 0, which
    // players that ignore the raster operations take for the alpha.
    void Masque(const QRect &cible, const QImage &image, const QRect &source, std::uint32_t rop, int alphaMin);

    QSize Pixels() const { return m_pixels; }
    QSizeF Mm() const { return m_mm; }
    // The records written so far (the header and EOF excluded).
    int Nombre() const { return m_nombre; }
    // Set when a record would have made the metafile longer than its
    // maximum size: it and every later one were left out, the metafile
    // holding those before.
    bool Deborde() const { return m_deborde; }
    // The largest metafile the program reads (TMetafichier::TailleMax):
    // every metafile it writes, it reads back.
    static constexpr qint64 TailleMax = qint64(64) * 1024 * 1024;

    // The whole metafile.
    QByteArray Octets() const;

private:
    // Starts a record of `taille` bytes (a multiple of 4) with its type and
    // size; false, nothing written, past TailleMax.
    bool Debut(std::uint32_t type, qint64 taille);
    void Mot(std::uint32_t v);
    void Bornes(const QRect &r);
    void NoteObjet(std::uint32_t index, int largeurStylo);
    // Starts a StretchDIBits record of a `largeur` x `hauteur` picture of
    // `bits` bits per pixel and `couleurs` colours in its table, up to its
    // pixels (whose size it returns, or -1 when the record is left out).
    qint64 DebutBitmap(const QRect &cible, qint64 largeur, qint64 hauteur, int bits, int couleurs,
                       std::uint32_t rop);
    // The bounds of a figure, inflated by half the selected pen's width.
    QRect AvecStylo(const QRect &r) const;

    QSize m_pixels;
    QSizeF m_mm;
    qint64 m_tailleMax;
    QByteArray m_corps;
    int m_nombre = 0;
    bool m_deborde = false;
    std::uint32_t m_objets = 1;
    // The width of the pen created at each index (-1: not a pen), and of the
    // selected one.
    std::vector<int> m_largeurs;
    int m_largeurStylo = 1;
    // The bounds of the path being built.
    QRect m_bornesChemin;
};
