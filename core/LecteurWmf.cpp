#include "LecteurWmf.h"

#include <cmath>
#include <optional>

namespace {

constexpr qsizetype TaillePlacable = 22;
constexpr qsizetype TailleEntete = 18;
constexpr double PixelsParMm = 96 / 25.4;

qsizetype TailleFixe(std::uint16_t fonction)
{
    switch (fonction) {
    case meta::SaveDC:
        return 6;
    case meta::SetBkMode:
    case meta::SetMapMode:
    case meta::SetRop2:
    case meta::SetPolyFillMode:
    case meta::SetStretchBltMode:
    case meta::RestoreDC:
    case meta::SelectObject:
    case meta::SetTextAlign:
    case meta::DeleteObject:
        return 8;
    case meta::SetBkColor:
    case meta::SetTextColor:
    case meta::SetWindowOrg:
    case meta::SetWindowExt:
    case meta::SetViewportOrg:
    case meta::SetViewportExt:
    case meta::LineTo:
    case meta::MoveTo:
    case meta::DibCreatePatternBrush:
        return 10;
    case meta::ScaleWindowExt:
    case meta::ScaleViewportExt:
    case meta::ExcludeClipRect:
    case meta::IntersectClipRect:
    case meta::Ellipse:
    case meta::Rectangle:
    case meta::CreateBrushIndirect:
        return 14;
    case meta::CreatePenIndirect:
        return 16;
    case meta::RoundRect:
    case meta::PatBlt:
        return 18;
    case meta::DibBitBlt:
        return 22;
    case meta::Arc:
    case meta::Pie:
    case meta::Chord:
        return 22;
    case meta::CreateFontIndirect:
        return 24;
    case meta::DibStretchBlt:
        return 26;
    case meta::StretchDib:
        return 28;
    default:
        return 0;
    }
}

bool EnteteMeta(const TEnregistrementEmf &e, qsizetype p)
{
    const std::uint16_t type = e.U16(p);
    const std::uint16_t version = e.U16(p + 4);
    return (type == 1 || type == 2) && e.U16(p + 2) == 9 && (version == 0x0100 || version == 0x0300);
}

} // namespace

bool TLecteurWmf::EnregistrementValide(std::uint16_t fonction, QByteArrayView octets)
{
    const TEnregistrementEmf e(fonction, octets);
    const qint64 total = octets.size();
    if (const qsizetype fixe = TailleFixe(fonction); fixe > 0)
        return total >= fixe;
    switch (fonction) {
    case meta::Polygon:
    case meta::Polyline:
        return total >= 8 && 4 * qint64(e.U16(6)) <= total - 8;
    case meta::PolyPolygon: {
        if (total < 8)
            return false;
        const qint64 nombre = e.U16(6);
        if (2 * nombre > total - 8)
            return false;
        qint64 points = 0;
        for (qint64 i = 0; i < nombre; ++i)
            points += e.U16(8 + 2 * i);
        return 4 * points <= total - 8 - 2 * nombre;
    }
    case meta::TextOut: {
        if (total < 8)
            return false;
        const qint64 longueur = e.U16(6);
        return longueur + longueur % 2 + 4 <= total - 8;
    }
    case meta::ExtTextOut: {
        if (total < 14)
            return false;
        const qint64 rectangle = (e.U16(12) & 6) ? 8 : 0;
        return rectangle + e.U16(10) <= total - 14;
    }
    default:
        return true;
    }
}

bool LitEnteteWmf(const QByteArray &octets, TEnteteWmf &entete)
{
    TLecteurWmf lecteur(octets);
    if (!lecteur.EnteteValide())
        return false;
    const TEnregistrementEmf tout(0, octets);
    if (tout.U32(0) == CleWmfPlacable) {
        const QRectF boite(QPointF(tout.I16(6), tout.I16(8)), QPointF(tout.I16(10), tout.I16(12)));
        const double parPouce = tout.U16(14);
        if (boite.width() == 0 || boite.height() == 0 || parPouce <= 0)
            return false;
        entete.Cadre = boite;
        entete.TailleMm =
            QSizeF(std::abs(boite.width()) / parPouce * 25.4, std::abs(boite.height()) / parPouce * 25.4);
        return true;
    }
    // Without the placeable header the picture's size is the window its
    // records set.
    TEnregistrementEmf e;
    std::optional<QPointF> origine;
    std::optional<QSizeF> etendue;
    while (!(origine && etendue) && lecteur.Suivant(e)) {
        if (e.Type() == meta::SetWindowOrg && !origine) {
            origine = QPointF(e.I16(8), e.I16(6));
        } else if (e.Type() == meta::SetWindowExt && !etendue) {
            const QSizeF s(e.I16(8), e.I16(6));
            if (s.width() != 0 && s.height() != 0)
                etendue = s;
        }
    }
    if (!etendue)
        return false;
    const QSizeF taille = *etendue;
    entete.Cadre = QRectF(origine.value_or(QPointF()), taille);
    entete.TailleMm = QSizeF(std::abs(taille.width()) / PixelsParMm, std::abs(taille.height()) / PixelsParMm);
    return true;
}

TLecteurWmf::TLecteurWmf(QByteArray octets) : m_octets(std::move(octets))
{
    const TEnregistrementEmf tout(0, m_octets);
    const qsizetype debut = tout.U32(0) == CleWmfPlacable ? TaillePlacable : 0;
    m_enteteValide = m_octets.size() >= debut + TailleEntete && EnteteMeta(tout, debut);
    // The metafile header gives its own size in words.
    m_position = debut + qsizetype(tout.U16(debut + 2)) * 2;
    if (!m_enteteValide)
        m_fin = TFinEmf::Malforme;
}

bool TLecteurWmf::Suivant(TEnregistrementEmf &e)
{
    if (m_fin != TFinEmf::EnCours)
        return false;
    const qint64 reste = m_octets.size() - m_position;
    if (reste == 0) {
        m_fin = TFinEmf::FinDonnees;
        return false;
    }
    const TEnregistrementEmf debut(0, QByteArrayView(m_octets).sliced(m_position));
    const qint64 taille = qint64(debut.U32(0)) * 2;
    const std::uint16_t fonction = debut.U16(4);
    if (reste < 6 || taille < 6 || taille > reste) {
        m_fin = TFinEmf::Malforme;
        return false;
    }
    const QByteArrayView octets = QByteArrayView(m_octets).sliced(m_position, taille);
    if (fonction == meta::Eof) {
        m_fin = TFinEmf::Eof;
        return false;
    }
    if (!EnregistrementValide(fonction, octets)) {
        m_fin = TFinEmf::Malforme;
        return false;
    }
    m_position += taille;
    e = TEnregistrementEmf(fonction, octets);
    return true;
}
