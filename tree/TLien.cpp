#include "TLien.h"

#include "TBoite.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPen>

#include "BD.h"
#include "Dessin.h"
#include "Globales.h"
#include "Images.h"
#include "Look.h"
#include "ModelesUtilisateur.h"

namespace {

int zoome(int valeur, int zoom)
{
    return static_cast<int>(static_cast<std::int64_t>(valeur) * zoom / 100);
}

// Positions and sizes are kept within +-2^30 so that a position plus a size
// still fits in an int.
int Borne(qint64 v)
{
    constexpr qint64 limite = qint64(1) << 30;
    return int(std::clamp<qint64>(v, -limite, limite));
}

// The colour of a link picture that lets the tree show through.
constexpr QRgb CouleurTransparente = 0x00FFFF;

// A look names at most nine pictures per look; the bound only guards against
// a cache that would grow while looks are loaded again and again.
constexpr qsizetype TailleMaxCache = 64;

QHash<QString, QImage> &ImagesLiens()
{
    static QHash<QString, QImage> images;
    return images;
}

// The picture of a link texture name (found by the folder rule of
// CheminTextureLien) with its cyan pixels made transparent, decoded once and
// shared by every link. The rule looks in the database's folder too, hence
// that in the key. A name found nowhere, or a file that cannot be read, is
// kept as a null picture, so that the disk is not searched at every paint.
QImage ImageLien(const QString &nom)
{
    if (nom.isEmpty())
        return QImage();
    QHash<QString, QImage> &images = ImagesLiens();
    const QString cle = DossierImageArbreUser + QChar(0x1F) + DossierImageArbre + QChar(0x1F) + FichierCourant
                        + QChar(0x1F) + nom;
    const auto trouve = images.constFind(cle);
    if (trouve != images.constEnd())
        return *trouve;
    if (images.size() >= TailleMaxCache)
        images.clear();
    const QString chemin = CheminTextureLien(nom);
    QImage lue;
    QImage image;
    if (!chemin.isEmpty() && ChargeImage(lue, chemin)) {
        // Opaque pixels are the same premultiplied or not, and a fully
        // transparent one is 0 in both.
        image = lue.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        for (int y = 0; y < image.height(); ++y) {
            auto *ligne = reinterpret_cast<QRgb *>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                if ((ligne[x] & 0xFFFFFF) == CouleurTransparente)
                    ligne[x] = 0;
        }
    }
    images.insert(cle, image);
    return image;
}

// The points of a shape in the rectangle (X, Y, W, H), the pen kept d pixels
// from the sides it runs along; with `coudes` false, only the first and the
// last point (the line then goes straight across).
std::vector<QPoint> PointsForme(int forme, int X, int Y, int W, int H, int d, bool coudes)
{
    const int h2 = H / 2;
    const int w2 = W / 2;
    std::vector<QPoint> points;
    switch (forme) {
    case 1:
        points = {{X + d, Y + H}, {X + d, Y + h2}, {X + W - d - 1, Y + h2}, {X + W - d - 1, Y}};
        break;
    case 2:
        points = {{X + d, Y}, {X + d, Y + h2}, {X + W - d - 1, Y + h2}, {X + W - d - 1, Y + H}};
        break;
    case 3:
        points = {{X, Y + H - d - 1}, {X + w2, Y + H - d - 1}, {X + w2, Y + d}, {X + W, Y + d}};
        break;
    case 4:
        points = {{X, Y + d}, {X + w2, Y + d}, {X + w2, Y + H - d - 1}, {X + W, Y + H - d - 1}};
        break;
    case 5:
        points = {{X, Y + h2}, {X + W, Y + h2}};
        break;
    case 6:
        points = {{X + w2, Y}, {X + w2, Y + H}};
        break;
    case 7:
        points = {{X, Y}, {X + W - 1, Y}, {X + W - 1, Y + H}};
        break;
    case 8:
        points = {{X + W - 1, Y}, {X + W - 1, Y + H - 1}, {X, Y + H - 1}};
        break;
    case 9:
        points = {{X, Y}, {X, Y + H - 1}, {X + W, Y + H - 1}};
        break;
    default:
        break;
    }
    if (!coudes && points.size() > 2)
        points = {points.front(), points.back()};
    return points;
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

void TLien::AfficheLien(QPainter &p, int X, int Y, int W, int H, int zoom)
{
    const T1Aff &aff = (*m_ctx.Looks)[m_look];
    if (aff.Relier < 1 || aff.Relier > 3 || m_forme < 1 || m_forme > 9)
        return;
    X = Borne(X);
    Y = Borne(Y);
    W = Borne(W);
    H = Borne(H);
    if (W < 1 || H < 1)
        return;
    const QRect rectangle(X, Y, W, H);

    if (aff.Relier == 3) {
        const QImage image = ImageLien(aff.RelierTexture[std::size_t(m_forme)]);
        if (image.isNull())
            return;
        p.save();
        // Nearest pixels only: a blended edge would bring back a trace of
        // the transparent cyan.
        p.setRenderHint(QPainter::SmoothPixmapTransform, false);
        p.drawImage(rectangle, image);
        p.restore();
        return;
    }

    bool pointille = false;
    if (m_ctx.Bd && m_personne2 > 0) {
        const TBD &bd = *m_ctx.Bd;
        pointille = (m_personne2 == bd.Father(m_personne1) && bd.FatherLinkStatus(m_personne1) > 0)
                    || (m_personne2 == bd.Mother(m_personne1) && bd.MotherLinkStatus(m_personne1) > 0);
    }

    // The pen's half-width, even, is also how far the line keeps from the
    // sides it runs along, so that a wide line stays within the rectangle.
    // A negative width read from a look file counts as the thinnest.
    const qint64 large = qint64(aff.RelierLarge) * zoom / 100;
    const int d = int(2 * (std::clamp<qint64>(large, 0, qint64(1) << 16) / 2));

    QPen stylo(CouleurQt(aff.RelierColor));
    stylo.setStyle(pointille ? Qt::DotLine : Qt::SolidLine);
    // A thin line covers the pixels right of and below its points, its end
    // points included. Magnified (on paper), a pen one logical pixel wide
    // astride the pixels' middles covers the same pixels.
    const bool mince = d == 0;
    if (mince) {
        stylo.setWidth(1);
        stylo.setCapStyle(Qt::SquareCap);
        stylo.setJoinStyle(Qt::MiterJoin);
    } else {
        stylo.setWidth(2 * d);
        stylo.setCapStyle(Qt::RoundCap);
        stylo.setJoinStyle(Qt::RoundJoin);
    }

    const std::vector<QPoint> points = PointsForme(m_forme, X, Y, W, H, d, aff.Relier == 2);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    // The line's ends and a wide pen's caps reach past the rectangle: the
    // link keeps to its own rectangle, on screen as on paper.
    p.setClipRect(rectangle, Qt::IntersectClip);
    p.setPen(stylo);
    p.setBrush(Qt::NoBrush);
    if (mince && p.deviceTransform().isScaling())
        p.translate(0.5, 0.5);
    p.drawPolyline(points.data(), int(points.size()));
    p.restore();
}

void TLien::Paint(QPainter &p)
{
    AfficheLien(p, m_bounds.x(), m_bounds.y(), m_bounds.width(), m_bounds.height(), (*m_ctx.Looks)[m_look].Zoom);
}

void TLien::Imprime(QPainter &p, const TParamImpression &page)
{
    if (page.PrintZoom <= 0)
        return;
    // The link as the screen shows it, magnified by the print zoom.
    const qreal e = page.PrintZoom / 100.0;
    const QRectF cible(m_bounds.x() * e - page.Origine.x(), m_bounds.y() * e - page.Origine.y(),
                       m_bounds.width() * e, m_bounds.height() * e);
    // A link draws within its rectangle; one wholly off the sheet would
    // still reach the printer (its picture, for a textured link).
    if (p.hasClipping() && !p.clipBoundingRect().intersects(cible))
        return;
    p.save();
    p.translate(cible.topLeft());
    p.scale(e, e);
    p.translate(-m_bounds.topLeft());
    Paint(p);
    p.restore();
}

void TLien::VideCacheImages()
{
    ImagesLiens().clear();
}
