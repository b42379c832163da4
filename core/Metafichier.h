#pragma once

#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include "LecteurEmf.h"

class QPainter;

// A metafile picture: an enhanced metafile (".emf") or a Windows metafile
// (".wmf", with or without its placeable header), held as its bytes and
// played onto a QPainter. The records are read by the strict readers of
// their formats (LecteurEmf.h): a malformed record ends the picture there,
// what came before it being drawn.
//
// Played: window and viewport origins and extents, the mapping modes, saved
// and restored states, the world transform, lines, polylines, polygons and
// poly-polygons (16- and 32-bit points), Bézier curves, rectangles, rounded
// rectangles, ellipses, arcs, chords and pies, paths (filled, stroked,
// clipped to), clip rectangles and regions, pens, brushes (solid, hatched,
// patterns), fonts and texts, stretched bitmaps. Other records are skipped.
// Nothing is smoothed: edges fall on whole pixels, as the pictures were
// made to be drawn.
class TMetafichier final
{
public:
    enum class TFormat { Aucun, Emf, Wmf };

    TMetafichier() = default;

    // Reads the file at `fichier` (an ordinary file of at most TailleMax
    // bytes, never a pipe or a device). True when it holds a metafile whose
    // header can be read, whatever its extension; otherwise false, and the
    // picture is empty.
    bool Charge(const QString &fichier);
    // The same from bytes.
    bool ChargeOctets(const QByteArray &octets);
    static constexpr qint64 TailleMax = qint64(64) * 1024 * 1024;
    // The bytes of the file at `fichier`, an ordinary file of at most
    // TailleMax bytes, in *octets, which then holds no more memory than
    // they need. False, *octets emptied, for a file that cannot be read
    // whole.
    static bool LitFichier(const QString &fichier, QByteArray *octets);

    void Efface();
    bool EstVide() const { return m_format == TFormat::Aucun; }
    TFormat Format() const { return m_format; }
    const QByteArray &Octets() const { return m_octets; }

    // The picture's size in millimetres (its frame); empty for an empty
    // picture or one whose size cannot be told.
    QSizeF TailleMm() const { return m_tailleMm; }

    // Plays the picture stretched over `cible` (the painter's coordinates):
    // its frame fills the rectangle. The painter's state is as it was
    // afterwards; nothing is drawn for an empty picture or rectangle.
    void Dessine(QPainter &painter, const QRectF &cible) const;
    // The picture played over a new image of that size (Format_ARGB32_
    // Premultiplied) filled with `fond` first; a null image for an empty
    // picture or size, or a side beyond 20,000 pixels.
    QImage Rendu(QSize taille, QColor fond = Qt::transparent) const;

private:
    TFormat m_format = TFormat::Aucun;
    QByteArray m_octets;
    QSizeF m_tailleMm;
    // What the picture's frame covers, in the recording device's pixels,
    // and that device's resolution.
    QRectF m_cadrePixels;
    QSizeF m_pixelsParMm;
};
