#include "LecteurEmf.h"

#include <cstring>

namespace {

// The smallest header record: the fields up to the recording device's size
// in millimetres.
constexpr qsizetype TailleEnteteMin = 88;

// The size of the records whose layout is fixed, or 0.
qsizetype TailleFixe(std::uint32_t type)
{
    switch (type) {
    case emr::SaveDC:
    case emr::BeginPath:
    case emr::EndPath:
    case emr::CloseFigure:
    case emr::AbortPath:
        return 8;
    case emr::SetMapMode:
    case emr::SetBkMode:
    case emr::SetPolyFillMode:
    case emr::SetRop2:
    case emr::SetStretchBltMode:
    case emr::SetTextAlign:
    case emr::SetTextColor:
    case emr::SetBkColor:
    case emr::RestoreDC:
    case emr::SelectObject:
    case emr::DeleteObject:
    case emr::SetArcDirection:
    case emr::SelectClipPath:
        return 12;
    case emr::SetWindowExtEx:
    case emr::SetWindowOrgEx:
    case emr::SetViewportExtEx:
    case emr::SetViewportOrgEx:
    case emr::SetBrushOrgEx:
    case emr::MoveToEx:
    case emr::LineTo:
        return 16;
    case emr::ExcludeClipRect:
    case emr::IntersectClipRect:
    case emr::ScaleViewportExtEx:
    case emr::ScaleWindowExtEx:
    case emr::CreateBrushIndirect:
    case emr::Ellipse:
    case emr::Rectangle:
    case emr::FillPath:
    case emr::StrokeAndFillPath:
    case emr::StrokePath:
        return 24;
    case emr::CreatePen:
        return 28;
    case emr::SetWorldTransform:
    case emr::RoundRect:
        return 32;
    case emr::ModifyWorldTransform:
        return 36;
    case emr::Arc:
    case emr::Chord:
    case emr::Pie:
    case emr::ArcTo:
        return 40;
    default:
        return 0;
    }
}

// Whether `nombre` elements of `taille` bytes after `fixe` bytes fit in a
// record of `total` bytes. The counts are 32-bit, so the products fit.
bool Tient(qint64 total, qint64 fixe, qint64 nombre, qint64 taille)
{
    return fixe <= total && nombre * taille <= total - fixe;
}

// Whether the `longueur` bytes at `position` lie within the record.
bool PartieDans(qint64 total, qint64 position, qint64 longueur)
{
    return longueur == 0 || (position >= 0 && position <= total && longueur <= total - position);
}

// A bitmap given by its offsets and sizes (header, then pixels) lies within
// the record.
bool BitmapDans(const TEnregistrementEmf &e, qsizetype champs)
{
    const qint64 total = e.Taille();
    return PartieDans(total, e.U32(champs), e.U32(champs + 4))
           && PartieDans(total, e.U32(champs + 8), e.U32(champs + 12));
}

// Poly-polygons and poly-polylines: the counts, then the points.
bool PolyPolyValide(const TEnregistrementEmf &e, qint64 taillePoint)
{
    const qint64 total = e.Taille();
    if (total < 32)
        return false;
    const qint64 nombre = e.U32(24);
    const qint64 points = e.U32(28);
    if (!Tient(total, 32, nombre, 4) || !Tient(total - 4 * nombre, 32, points, taillePoint))
        return false;
    qint64 somme = 0;
    for (qint64 i = 0; i < nombre; ++i)
        somme += e.U32(32 + 4 * i);
    return somme <= points;
}

} // namespace

std::uint32_t TEnregistrementEmf::U32(qsizetype position) const
{
    if (position < 0 || position > m_octets.size() - 4)
        return 0;
    const auto *p = reinterpret_cast<const unsigned char *>(m_octets.data() + position);
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16)
           | (std::uint32_t(p[3]) << 24);
}

std::uint16_t TEnregistrementEmf::U16(qsizetype position) const
{
    if (position < 0 || position > m_octets.size() - 2)
        return 0;
    const auto *p = reinterpret_cast<const unsigned char *>(m_octets.data() + position);
    return std::uint16_t(p[0] | (p[1] << 8));
}

std::uint8_t TEnregistrementEmf::U8(qsizetype position) const
{
    if (position < 0 || position >= m_octets.size())
        return 0;
    return std::uint8_t(m_octets.at(position));
}

float TEnregistrementEmf::F32(qsizetype position) const
{
    const std::uint32_t bits = U32(position);
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

QRect TEnregistrementEmf::Rect32(qsizetype position) const
{
    return QRect(Point32(position), Point32(position + 8));
}

QByteArrayView TEnregistrementEmf::Partie(qsizetype position, qsizetype longueur) const
{
    if (longueur <= 0 || !PartieDans(m_octets.size(), position, longueur))
        return {};
    return m_octets.sliced(position, longueur);
}

bool TLecteurEmf::EnregistrementValide(std::uint32_t type, QByteArrayView octets)
{
    const TEnregistrementEmf e(type, octets);
    const qint64 total = octets.size();
    if (const qsizetype fixe = TailleFixe(type); fixe > 0)
        return total >= fixe;
    switch (type) {
    case emr::Header:
        return total >= TailleEnteteMin;
    case emr::PolyBezier:
    case emr::Polygon:
    case emr::Polyline:
    case emr::PolyBezierTo:
    case emr::PolylineTo:
        return total >= 28 && Tient(total, 28, e.U32(24), 8);
    case emr::PolyBezier16:
    case emr::Polygon16:
    case emr::Polyline16:
    case emr::PolyBezierTo16:
    case emr::PolylineTo16:
        return total >= 28 && Tient(total, 28, e.U32(24), 4);
    case emr::PolyPolyline:
    case emr::PolyPolygon:
        return PolyPolyValide(e, 8);
    case emr::PolyPolyline16:
    case emr::PolyPolygon16:
        return PolyPolyValide(e, 4);
    case emr::ExtSelectClipRgn: {
        if (total < 16 || !PartieDans(total, 16, e.U32(8)))
            return false;
        // The region's rectangles follow its 32-byte header.
        const qint64 donnees = e.U32(8);
        return donnees < 32 || Tient(donnees, 32, e.U32(24), 16);
    }
    case emr::BitBlt:
        return total >= 100 && BitmapDans(e, 84);
    case emr::StretchBlt:
        return total >= 108 && BitmapDans(e, 84);
    case emr::StretchDIBits:
        return total >= 80 && BitmapDans(e, 48);
    case emr::CreateMonoBrush:
    case emr::CreateDIBPatternBrushPt:
        return total >= 32 && BitmapDans(e, 16);
    case emr::ExtCreatePen:
        return total >= 52 && Tient(total, 52, e.U32(48), 4) && BitmapDans(e, 12);
    case emr::ExtCreateFontIndirectW:
        return total >= 104;
    case emr::ExtTextOutA:
    case emr::ExtTextOutW: {
        if (total < 76)
            return false;
        const qint64 caracteres = e.U32(44);
        const qint64 largeur = type == emr::ExtTextOutW ? 2 : 1;
        return caracteres == 0 || (caracteres <= total && PartieDans(total, e.U32(48), caracteres * largeur));
    }
    default:
        return true;
    }
}

TLecteurEmf::TLecteurEmf(QByteArray octets) : m_octets(std::move(octets))
{
    const TEnregistrementEmf debut(0, m_octets);
    const std::uint32_t type = debut.U32(0);
    const qint64 taille = debut.U32(4);
    m_enteteValide = type == emr::Header && taille >= TailleEnteteMin && taille % 4 == 0
                     && taille <= m_octets.size() && debut.U32(40) == SignatureEmf;
    if (!m_enteteValide) {
        m_fin = TFinEmf::Malforme;
        return;
    }
    const TEnregistrementEmf e(type, QByteArrayView(m_octets).first(taille));
    m_entete.Limites = e.Rect32(8);
    m_entete.Cadre = e.Rect32(24);
    m_entete.Octets = e.U32(48);
    m_entete.Enregistrements = e.U32(52);
    m_entete.Objets = e.U16(56);
    m_entete.Peripherique = QSize(e.I32(72), e.I32(76));
    m_entete.Millimetres = QSize(e.I32(80), e.I32(84));
}

bool TLecteurEmf::Suivant(TEnregistrementEmf &e)
{
    if (m_fin != TFinEmf::EnCours)
        return false;
    const qint64 reste = m_octets.size() - m_position;
    if (reste == 0) {
        m_fin = TFinEmf::FinDonnees;
        return false;
    }
    const TEnregistrementEmf debut(0, QByteArrayView(m_octets).sliced(m_position));
    const std::uint32_t type = debut.U32(0);
    const qint64 taille = debut.U32(4);
    if (reste < 8 || taille < 8 || taille % 4 != 0 || taille > reste) {
        m_fin = TFinEmf::Malforme;
        return false;
    }
    const QByteArrayView octets = QByteArrayView(m_octets).sliced(m_position, taille);
    if (type == emr::Eof) {
        m_fin = TFinEmf::Eof;
        return false;
    }
    if (!EnregistrementValide(type, octets)) {
        m_fin = TFinEmf::Malforme;
        return false;
    }
    m_position += taille;
    e = TEnregistrementEmf(type, octets);
    return true;
}

bool EstEmf(QByteArrayView octets)
{
    const TEnregistrementEmf debut(0, octets);
    return debut.U32(0) == emr::Header && debut.U32(40) == SignatureEmf;
}
