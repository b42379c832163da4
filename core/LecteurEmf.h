#pragma once

#include <cstdint>

#include <QByteArray>
#include <QByteArrayView>
#include <QPoint>
#include <QRect>
#include <QSize>

// Reading the records of an enhanced metafile (".emf"): the one reader that
// the metafile player and the designs' metafile import share.
//
// A metafile is untrusted data. The reader checks every record before it
// hands it out: a size below 8, not a multiple of 4 or reaching past the end
// of the data stops the reading at that record, and so does a record of a
// kind listed below whose fixed part, point counts, or string and bitmap
// offsets do not fit within its size. The records before it are read as
// usual. An EMR_EOF record ends the reading; so does the end of the data.
// Records of other kinds are handed out unchecked beyond their size, and
// their readers must check what they read with the accessors below, which
// never read outside the record.

// Record types (the numbers of the file format).
namespace emr {
enum : std::uint32_t {
    Header = 1,
    PolyBezier = 2,
    Polygon = 3,
    Polyline = 4,
    PolyBezierTo = 5,
    PolylineTo = 6,
    PolyPolyline = 7,
    PolyPolygon = 8,
    SetWindowExtEx = 9,
    SetWindowOrgEx = 10,
    SetViewportExtEx = 11,
    SetViewportOrgEx = 12,
    SetBrushOrgEx = 13,
    Eof = 14,
    SetMapMode = 17,
    SetBkMode = 18,
    SetPolyFillMode = 19,
    SetRop2 = 20,
    SetStretchBltMode = 21,
    SetTextAlign = 22,
    SetTextColor = 24,
    SetBkColor = 25,
    MoveToEx = 27,
    ExcludeClipRect = 29,
    IntersectClipRect = 30,
    ScaleViewportExtEx = 31,
    ScaleWindowExtEx = 32,
    SaveDC = 33,
    RestoreDC = 34,
    SetWorldTransform = 35,
    ModifyWorldTransform = 36,
    SelectObject = 37,
    CreatePen = 38,
    CreateBrushIndirect = 39,
    DeleteObject = 40,
    Ellipse = 42,
    Rectangle = 43,
    RoundRect = 44,
    Arc = 45,
    Chord = 46,
    Pie = 47,
    LineTo = 54,
    ArcTo = 55,
    SetArcDirection = 57,
    BeginPath = 59,
    EndPath = 60,
    CloseFigure = 61,
    FillPath = 62,
    StrokeAndFillPath = 63,
    StrokePath = 64,
    SelectClipPath = 67,
    AbortPath = 68,
    ExtSelectClipRgn = 75,
    BitBlt = 76,
    StretchBlt = 77,
    StretchDIBits = 81,
    ExtCreateFontIndirectW = 82,
    ExtTextOutA = 83,
    ExtTextOutW = 84,
    PolyBezier16 = 85,
    Polygon16 = 86,
    Polyline16 = 87,
    PolyBezierTo16 = 88,
    PolylineTo16 = 89,
    PolyPolyline16 = 90,
    PolyPolygon16 = 91,
    CreateMonoBrush = 93,
    CreateDIBPatternBrushPt = 94,
    ExtCreatePen = 95,
};
} // namespace emr

// Values the records carry (pen and brush styles, raster operations, text
// alignment and output flags, modes), the same in the Windows metafiles:
// the writer, the readers and the players share them.
namespace emf {
enum : std::uint32_t {
    PsSolide = 0,
    PsNul = 5,
    PsGeometrique = 0x10000, // with round ends and joins (the 0 bits)
    PsTypeMasque = 0xF0000,  // the pen's type: 0 thin (cosmetic), else geometric
    BsSolide = 0,
    BsNul = 1,
    BsHachure = 2,
    // Stock objects, selected without being created.
    StockPinceauNul = 0x80000005,
    StockStyloNul = 0x80000008,
    RopSrcCopy = 0xCC0020,
    RopSrcAnd = 0x8800C6,
    RopSrcPaint = 0xEE0086,
    RopSrcInvert = 0x660046,
    RopPatCopy = 0xF00021,
    RopPatInvert = 0x5A0049,
    RopNoir = 0x000042,
    RopBlanc = 0xFF0062,
    // Text alignment bits.
    TaMiseAJour = 1, // from the current position, which the text moves
    TaDroite = 2,
    TaCentre = 6,
    TaBas = 8,
    TexteLigneDeBase = 24, // TA_BASELINE | TA_LEFT
    // Text output options.
    EtoOpaque = 2,
    EtoDecoupe = 4,
    EtirementCouleurs = 3, // COLORONCOLOR: nearest pixels
    CharsetDefaut = 1,
};
// Modes and weights, signed numbers as the records give them.
enum : int {
    MmTexte = 1,
    MmLoMetric = 2,
    MmHiMetric = 3,
    MmLoEnglish = 4,
    MmHiEnglish = 5,
    MmTwips = 6,
    MmIsotrope = 7,
    MmAnisotrope = 8,
    FondTransparent = 1,
    FondOpaque = 2,
    RemplissageAlterne = 1,
    RemplissageEnroulement = 2,
    SensHoraire = 2, // of the arcs
    PoidsNormal = 400,
    PoidsGras = 700,
};
} // namespace emf

// The "EMF" signature of the header, " EMF" read as a little-endian number.
constexpr std::uint32_t SignatureEmf = 0x464D4520;

// What the header record says. Rectangles are inclusive, as the file holds
// them: (left, top) to (right, bottom).
struct TEnteteEmf {
    // The picture's extent in pixels of the device it was recorded on.
    QRect Limites;
    // The picture's frame in hundredths of a millimetre.
    QRect Cadre;
    std::uint32_t Octets = 0;
    std::uint32_t Enregistrements = 0;
    std::uint16_t Objets = 0;
    // The recording device: its size in pixels and in millimetres.
    QSize Peripherique;
    QSize Millimetres;
};

// One record: its type and its bytes, the type and size fields included
// (offsets below count from the start of the record, as the file format's
// offsets do). The view points into the reader's data and lives as long as
// it does.
class TEnregistrementEmf final
{
public:
    TEnregistrementEmf() = default;
    TEnregistrementEmf(std::uint32_t type, QByteArrayView octets) : m_type(type), m_octets(octets) {}

    std::uint32_t Type() const { return m_type; }
    qsizetype Taille() const { return m_octets.size(); }
    QByteArrayView Octets() const { return m_octets; }

    // Little-endian values at byte `position`; 0 for a value that does not
    // lie wholly within the record.
    std::uint32_t U32(qsizetype position) const;
    std::int32_t I32(qsizetype position) const { return std::int32_t(U32(position)); }
    std::uint16_t U16(qsizetype position) const;
    std::int16_t I16(qsizetype position) const { return std::int16_t(U16(position)); }
    std::uint8_t U8(qsizetype position) const;
    float F32(qsizetype position) const;
    // A point of two 32-bit or two 16-bit coordinates.
    QPoint Point32(qsizetype position) const { return QPoint(I32(position), I32(position + 4)); }
    QPoint Point16(qsizetype position) const { return QPoint(I16(position), I16(position + 2)); }
    // A rectangle of four 32-bit values, left, top, right, bottom (kept as
    // QRect(QPoint(left, top), QPoint(right, bottom))).
    QRect Rect32(qsizetype position) const;
    // `longueur` bytes from `position`; empty unless they lie within the
    // record.
    QByteArrayView Partie(qsizetype position, qsizetype longueur) const;

private:
    std::uint32_t m_type = 0;
    QByteArrayView m_octets;
};

// Why the reading ended.
enum class TFinEmf {
    EnCours,   // records remain
    Eof,       // an EMR_EOF record
    FinDonnees, // the data ended without one
    Malforme,  // a record that breaks the rules above
};

// Reads the records of metafile bytes one after the other.
class TLecteurEmf final
{
public:
    // The reader keeps a copy of the bytes (shared, not duplicated).
    explicit TLecteurEmf(QByteArray octets);

    // Whether the data begins with a header record that can be read: type
    // 1, a size of at least 88 bytes within the data, a multiple of 4, and
    // the " EMF" signature. Without one no record is read.
    bool EnteteValide() const { return m_enteteValide; }
    const TEnteteEmf &Entete() const { return m_entete; }

    // The next record, the header first, in *e. False when the reading has
    // ended: Fin() then says why; an EMR_EOF record is not handed out.
    bool Suivant(TEnregistrementEmf &e);
    TFinEmf Fin() const { return m_fin; }
    // The offset of the next record to read, or of the record that stopped
    // the reading.
    qsizetype Position() const { return m_position; }

    // Whether a record of that type and those bytes (the whole record) is
    // sound: the checks of the kinds listed at the top of this file.
    static bool EnregistrementValide(std::uint32_t type, QByteArrayView octets);

private:
    QByteArray m_octets;
    TEnteteEmf m_entete;
    bool m_enteteValide = false;
    qsizetype m_position = 0;
    TFinEmf m_fin = TFinEmf::EnCours;
};

// Whether the bytes begin like a metafile of this format (a header record
// with its signature); a quick test that reads no further.
bool EstEmf(QByteArrayView octets);
