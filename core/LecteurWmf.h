#pragma once

#include <cstdint>

#include <QByteArray>
#include <QByteArrayView>
#include <QRectF>
#include <QSizeF>

#include "LecteurEmf.h"

// Reading the records of a Windows metafile (".wmf"), with or without the
// placeable header that gives its size, by the same rules as the enhanced
// metafile reader (LecteurEmf.h): a record whose size (in 16-bit words) is
// below 3, or that reaches past the end of the data, stops the reading, and
// so does a record of a kind listed below whose fixed part, counts or string
// do not fit within it. A record of function 0 ends the reading.
//
// Records are handed out as TEnregistrementEmf: its type is the record's
// function, its bytes the whole record (size and function included, the
// parameters from byte 6).

namespace meta {
enum : std::uint16_t {
    Eof = 0x0000,
    SaveDC = 0x001E,
    SetBkMode = 0x0102,
    SetMapMode = 0x0103,
    SetRop2 = 0x0104,
    SetPolyFillMode = 0x0106,
    SetStretchBltMode = 0x0107,
    RestoreDC = 0x0127,
    SelectObject = 0x012D,
    SetTextAlign = 0x012E,
    DibCreatePatternBrush = 0x0142,
    DeleteObject = 0x01F0,
    SetBkColor = 0x0201,
    SetTextColor = 0x0209,
    SetWindowOrg = 0x020B,
    SetWindowExt = 0x020C,
    SetViewportOrg = 0x020D,
    SetViewportExt = 0x020E,
    LineTo = 0x0213,
    MoveTo = 0x0214,
    CreatePenIndirect = 0x02FA,
    CreateFontIndirect = 0x02FB,
    CreateBrushIndirect = 0x02FC,
    Polygon = 0x0324,
    Polyline = 0x0325,
    ScaleWindowExt = 0x0410,
    ScaleViewportExt = 0x0412,
    ExcludeClipRect = 0x0415,
    IntersectClipRect = 0x0416,
    Ellipse = 0x0418,
    Rectangle = 0x041B,
    TextOut = 0x0521,
    PolyPolygon = 0x0538,
    RoundRect = 0x061C,
    PatBlt = 0x061D,
    Arc = 0x0817,
    Pie = 0x081A,
    Chord = 0x0830,
    DibBitBlt = 0x0940,
    ExtTextOut = 0x0A32,
    DibStretchBlt = 0x0B41,
    StretchDib = 0x0F43,
};
} // namespace meta

// The first 4 bytes of a placeable header.
constexpr std::uint32_t CleWmfPlacable = 0x9AC6CDD7;

struct TEnteteWmf {
    // The picture's frame in its logical units: the placeable header's box,
    // else the window set by the first records.
    QRectF Cadre;
    // Its size in millimetres: by the placeable header's units per inch,
    // else taking a logical unit for a pixel at 96 per inch.
    QSizeF TailleMm;
};

// Reads the headers (and, without a placeable header, the records until
// the window's origin and extent are set). False, *entete untouched, when the data does not begin
// with a metafile header that can be read (TLecteurWmf::EnteteValide) or
// the picture's frame cannot be told or is empty.
bool LitEnteteWmf(const QByteArray &octets, TEnteteWmf &entete);

class TLecteurWmf final
{
public:
    // The reader keeps a copy of the bytes (shared, not duplicated).
    explicit TLecteurWmf(QByteArray octets);

    // Whether the data begins, after a placeable header if any, with a
    // metafile header that can be read (type 1 or 2, 9 words, version
    // 0x0100 or 0x0300). Without one no record is read.
    bool EnteteValide() const { return m_enteteValide; }
    // The next record after the headers; false when the reading has ended,
    // Fin() saying why.
    bool Suivant(TEnregistrementEmf &e);
    TFinEmf Fin() const { return m_fin; }

    static bool EnregistrementValide(std::uint16_t fonction, QByteArrayView octets);

private:
    QByteArray m_octets;
    bool m_enteteValide = false;
    qsizetype m_position = 0;
    TFinEmf m_fin = TFinEmf::EnCours;
};
