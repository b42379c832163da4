#include "TLien.h"

#include "TBoite.h"

#include <cstdint>
#include <cstdlib>

namespace {

int zoome(int valeur, int zoom)
{
    return static_cast<int>(static_cast<std::int64_t>(valeur) * zoom / 100);
}

} // namespace

TLien::TLien(const TContexteArbre &contexte)
    : m_ctx(contexte)
{
}

void TLien::InitLien(int x1, int y1, int x2, int y2, int personne1, int personne2, int look)
{
    m_p1 = QPoint(x1, y1);
    m_p2 = QPoint(x2, y2);
    m_personne1 = personne1;
    m_personne2 = personne2;
    m_look = look == 2 ? 2 : 1;
    switch ((*m_ctx.Looks)[m_look].Style) {
    case 1:
        m_forme = m_look == 1 ? 8 : 9;
        break;
    case 2:
        m_forme = x2 > x1 ? 1 : 2;
        break;
    case 3:
        m_forme = y1 < y2 ? 3 : 4;
        break;
    case 4:
        m_forme = x2 > x1 ? 9 : 8;
        break;
    case 5:
        m_forme = y1 < y2 ? 7 : 8;
        break;
    default:
        m_forme = 0;
        break;
    }
    m_gauche = std::min(x1, x2);
    m_haut = std::min(y1, y2);
    m_largeur = std::abs(x1 - x2);
    m_hauteur = std::abs(y1 - y2);
    if (x1 == x2) {
        m_gauche -= m_hauteur / 4;
        m_largeur = m_hauteur / 2;
        m_forme = 6;
    }
    if (y1 == y2) {
        m_haut -= m_largeur / 4;
        m_hauteur = m_largeur / 2;
        m_forme = 5;
    }
    Positionne();
}

void TLien::Positionne()
{
    const int zoom = (*m_ctx.Looks)[m_look].Zoom;
    m_bounds = QRect(zoome(m_gauche, zoom), zoome(m_haut, zoom), std::max(1, zoome(m_largeur, zoom)),
                     std::max(1, zoome(m_hauteur, zoom)));
}

void TLien::Deplace(int dx, int dy)
{
    m_gauche += dx;
    m_haut += dy;
    m_p1 += QPoint(dx, dy);
    m_p2 += QPoint(dx, dy);
}

void TLien::AfficheLien(QPainter &, int, int, int, int, int)
{
    // Drawn with the link lines.
}

void TLien::Paint(QPainter &p)
{
    AfficheLien(p, m_bounds.x(), m_bounds.y(), m_bounds.width(), m_bounds.height(), (*m_ctx.Looks)[m_look].Zoom);
}

void TLien::Imprime(QPainter &, const TParamImpression &)
{
}
