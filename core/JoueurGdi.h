#pragma once

#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

#include <QByteArrayView>
#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <QTransform>

#include "ImageDib.h"

class QBrush;
class QFont;
class QPainter;
class QPen;

// The drawing state machine of the metafile players: the device context
// that a metafile's records set up and draw through (mapping mode, window
// and viewport, world transform, selected pen, brush and font, text
// attributes, current position, path and clip), played onto a QPainter.
// The record readers of each metafile format turn their records into these
// calls; coordinates given here are the metafile's logical units.
//
// Numbers (styles, modes, flags) are those of the metafile formats.

// A pen. `Largeur` is in logical units; a cosmetic pen is one device pixel
// wide whatever the mapping.
struct TStyloGdi {
    std::uint32_t Style = 0; // style, end caps, joins and type bits
    double Largeur = 0;
    QColor Couleur = Qt::black;
    bool Cosmetique = true;
};

struct TPinceauGdi {
    std::uint32_t Style = 0; // 0 solid, 1 none, 2 hatched, 3 and 5 pattern
    QColor Couleur = Qt::white;
    std::uint32_t Hachure = 0;
    QImage Motif;
};

struct TFonteGdi {
    int Hauteur = 0; // logical units; below 0 the character height
    int Escapement = 0; // tenths of a degree, counter-clockwise
    int Poids = 400;
    bool Italique = false;
    bool Souligne = false;
    bool Barre = false;
    QString Nom;
};

// An object that takes a place in the table but draws nothing (a palette, a
// region, an object of an unknown kind).
struct TAutreGdi {
};

// An object of the metafile's table: a free place, a pen, a brush, a font or
// another object.
using TObjetGdi = std::variant<std::monostate, TStyloGdi, TPinceauGdi, TFonteGdi, TAutreGdi>;

// The kinds of arcs.
enum class TArcGdi { Arc, Corde, Camembert, ArcVers };

// Region modes of the clip operations.
enum : int { RgnAnd = 1, RgnOr = 2, RgnXor = 3, RgnDiff = 4, RgnCopy = 5 };

class TJoueurGdi final
{
public:
    // Draws on `painter` (active, not owned; its state is saved now and
    // restored at destruction) through `placement`, which maps the
    // recording device's pixels to the painter's coordinates.
    // `pixelsParMm` is the recording device's resolution, for the mapping
    // modes in physical units.
    TJoueurGdi(QPainter &painter, const QTransform &placement, QSizeF pixelsParMm);
    ~TJoueurGdi();
    TJoueurGdi(const TJoueurGdi &) = delete;
    TJoueurGdi &operator=(const TJoueurGdi &) = delete;

    // Mapping.
    void SetMapMode(int mode);
    void SetWindowOrg(QPointF p);
    void SetWindowExt(QSizeF s);
    void SetViewportOrg(QPointF p);
    void SetViewportExt(QSizeF s);
    void ScaleWindowExt(double xNum, double xDen, double yNum, double yDen);
    void ScaleViewportExt(double xNum, double xDen, double yNum, double yDen);
    // Mode 1 identity, 2 left-multiply (the given transform first), 3
    // right-multiply, 4 set. A transform that is not finite is ignored.
    void ModifyWorldTransform(const QTransform &t, int mode);
    void SaveDC();
    // Negative: that many states back; positive: the n-th state saved (1 the
    // first). Out of range: nothing.
    void RestoreDC(int n);

    // Objects of the table, by index (below IndexMax; others are ignored).
    // Stock objects are selected with the index's high bit set.
    void CreeObjet(std::uint32_t index, TObjetGdi objet);
    void SelectObject(std::uint32_t index);
    void DeleteObject(std::uint32_t index);
    // The first free index from `debut` (the WMF table's rule); IndexMax
    // when none.
    std::uint32_t PremierLibre(std::uint32_t debut = 0) const;
    static constexpr std::uint32_t IndexMax = 65536;

    // Attributes.
    void SetBkMode(int mode) { m_etat.ModeFond = mode; }
    void SetBkColor(QColor c) { m_etat.CouleurFond = c; }
    void SetTextColor(QColor c) { m_etat.CouleurTexte = c; }
    void SetTextAlign(std::uint32_t a) { m_etat.AlignTexte = a; }
    void SetPolyFillMode(int mode) { m_etat.Remplissage = mode; }
    void SetArcDirection(int sens) { m_etat.SensArc = sens; }

    // Drawing, in logical units. Inside a path bracket the figures are added
    // to the path instead of being drawn.
    void MoveTo(QPointF p);
    void LineTo(QPointF p);
    void Polyline(const QPolygonF &points);
    void PolylineTo(const QPolygonF &points);
    void Polygon(const QPolygonF &points);
    // `comptes` points of `points` to each figure, in turn.
    void PolyPolygon(const QPolygonF &points, const std::vector<std::uint32_t> &comptes);
    void PolyPolyline(const QPolygonF &points, const std::vector<std::uint32_t> &comptes);
    // A start point followed by triples of two control points and an end.
    void PolyBezier(const QPolygonF &points);
    // Triples from the current position.
    void PolyBezierTo(const QPolygonF &points);
    // Rectangles as (left, top) to (right, bottom).
    void Rectangle(const QRectF &r);
    void Ellipse(const QRectF &r);
    void RoundRect(const QRectF &r, QSizeF coin);
    void Arc(TArcGdi sorte, const QRectF &r, QPointF debut, QPointF fin);
    // Text at `reference` by the text alignment; `options` bit 2 fills
    // `rect` with the background colour, bit 4 clips to it.
    void Texte(QPointF reference, const QString &texte, std::uint32_t options, const QRectF &rect);
    // The part `source` (pixels) of the picture stretched over `cible`
    // (logical units; a negative width or height mirrors the picture).
    void Bitmap(const QRectF &cible, const QImage &image, const QRectF &source, std::uint32_t rop);
    // A rectangle filled by a raster operation without a picture: with the
    // brush, black or white.
    void RemplitRop(const QRectF &cible, std::uint32_t rop);

    // Paths.
    void BeginPath();
    void EndPath();
    void CloseFigure();
    void AbortPath();
    void FillPath();
    void StrokePath();
    void StrokeAndFillPath();

    // Clipping. Rectangles in logical units; regions in the recording
    // device's pixels. A region mode 5 with no rectangle removes the clip.
    void IntersectClipRect(const QRectF &r);
    void ExcludeClipRect(const QRectF &r);
    void SelectClipPath(int mode);
    void SelectClipRegion(const std::vector<QRectF> &rectangles, int mode);

private:
    struct TEtat {
        int ModeMap = 1;
        QPointF OrigineFenetre;
        QPointF OrigineVue;
        QSizeF EtendueFenetre{1, 1};
        QSizeF EtendueVue{1, 1};
        QTransform Monde;
        TStyloGdi Stylo;
        TPinceauGdi Pinceau;
        TFonteGdi Fonte;
        QColor CouleurTexte = Qt::black;
        QColor CouleurFond = Qt::white;
        int ModeFond = 2;
        std::uint32_t AlignTexte = 0;
        int Remplissage = 1;
        int SensArc = 1;
        QPointF Courant;
        // In the recording device's pixels.
        std::optional<QPainterPath> Decoupe;
    };

    // The logical-to-painter transform, and the logical-to-device one.
    const QTransform &Transformation();
    QTransform Page() const;
    void Applique();
    void AppliqueDecoupe();
    // The transform from logical units to the recording device's pixels.
    QTransform VersPeripherique() const;
    QFont Police() const;
    void Combine(const QPainterPath &zone, int mode);
    QPen Pen() const;
    QBrush Brush() const;
    // Fills (with the background under a hatch in opaque mode) and strokes
    // a figure.
    void Trace(const QPainterPath &figure, bool remplit, bool trace);
    void Ajoute(const QPainterPath &figure);
    void Commence();
    QPainterPath FigureArc(TArcGdi sorte, const QRectF &r, QPointF debut, QPointF fin, QPointF *finArc) const;

    QPainter &m_painter;
    // The painter's own clip when the playing began, in device
    // coordinates: the metafile's clip only narrows it.
    std::optional<QPainterPath> m_decoupeBase;
    QTransform m_placement;
    QSizeF m_pixelsParMm;
    TEtat m_etat;
    std::vector<TEtat> m_pile;
    std::vector<TObjetGdi> m_objets;
    QTransform m_transformation;
    bool m_transformationSale = true;
    bool m_painterSale = true;
    bool m_decoupeSale = false;
    // The path bracket.
    bool m_dansChemin = false;
    bool m_figureOuverte = false;
    QPainterPath m_chemin;
    std::optional<QPainterPath> m_cheminFini;
};

// A COLORREF (0x00BBGGRR) as a colour.
QColor CouleurRef(std::uint32_t ref);

// A pen of the simple kind (the CreatePen records of both formats): of that
// style, width (logical units) and colour; one device pixel wide for a
// width of 0 or less, and solid when wider than 1 whatever dashes its style
// names, as such pens are drawn.
TStyloGdi StyloSimple(std::uint32_t style, double largeur, QColor couleur);

class TLecteurEmf;

// Plays the records of an enhanced metafile, from the reader's current
// record to the end of its reading, onto the painter, the recording device's
// pixels mapped by `placement`.
void JoueEmf(TLecteurEmf &lecteur, QPainter &painter, const QTransform &placement, QSizeF pixelsParMm);

// Plays the records of a Windows metafile (with or without its placeable
// header) onto the painter: its frame `cadre` (TEnteteWmf::Cadre, as
// LitEnteteWmf in LecteurWmf.h reads it) is mapped by `placement`.
void JoueWmf(const QByteArray &octets, const QRectF &cadre, QPainter &painter, const QTransform &placement);
