#include "JoueurGdi.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include <QBrush>
#include <QFont>
#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPainter>
#include <QPen>
#include <QRegion>

#include "LecteurEmf.h"

using namespace Qt::StringLiterals;

namespace {


// SaveDC records beyond this many saved states are ignored: a metafile of
// nothing but saves must not exhaust memory.
constexpr std::size_t PileMax = 4096;
// Texts are laid out in a font of this pixel size, scaled to the metafile's
// height: no rounding of small heights, no glyphs of huge ones.
constexpr double TailleReference = 100;
// The height in device pixels of a font asked for with a height of 0.
constexpr double HauteurParDefaut = 16;
// Texts whose em square would stretch beyond this many device pixels along
// one side are filled as outlines. Qt rasterises a glyph into a bitmap
// whenever the transform's area is small, whatever its shape: a font
// squeezed to a line on one axis and stretched on the other (a scale of
// 1/1000 and 1000) would ask the font engine for a glyph bitmap millions of
// pixels long, which it fails to make and then copies from.
constexpr double CoteGlypheMax = 256;
// A clip that removes from "everything" starts from this square.
constexpr double Tout = 1e7;

bool Fini(const QTransform &t)
{
    for (const double v : {t.m11(), t.m12(), t.m13(), t.m21(), t.m22(), t.m23(), t.m31(), t.m32(), t.m33()}) {
        if (!std::isfinite(v))
            return false;
    }
    return true;
}

// How far the transform stretches a unit length at most (its largest
// singular value); infinite when its values are not finite.
double PlusGrandEtirement(const QTransform &t)
{
    const double a = t.m11();
    const double b = t.m12();
    const double c = t.m21();
    const double d = t.m22();
    const double somme = (a * a + b * b + c * c + d * d) / 2;
    const double aire = a * d - b * c;
    const double resultat = std::sqrt(somme + std::sqrt(std::max(0.0, somme * somme - aire * aire)));
    return std::isfinite(resultat) ? resultat : std::numeric_limits<double>::infinity();
}

TObjetGdi ObjetStock(std::uint32_t n)
{
    const auto pinceau = [](QColor c) { return TPinceauGdi{0, c, 0, QImage()}; };
    const auto stylo = [](QColor c) { return TStyloGdi{0, 0, c, true}; };
    switch (n) {
    case 0:
    case 18:
        return pinceau(Qt::white);
    case 1:
        return pinceau(QColor(192, 192, 192));
    case 2:
        return pinceau(QColor(128, 128, 128));
    case 3:
        return pinceau(QColor(64, 64, 64));
    case 4:
        return pinceau(Qt::black);
    case 5:
        return TPinceauGdi{emf::BsNul, Qt::white, 0, QImage()};
    case 6:
        return stylo(Qt::white);
    case 7:
    case 19:
        return stylo(Qt::black);
    case 8:
        return TStyloGdi{emf::PsNul, 0, Qt::black, true};
    case 10:
    case 11:
    case 12:
    case 13:
    case 14:
    case 16:
    case 17:
        return TFonteGdi{};
    default:
        return TAutreGdi{};
    }
}

} // namespace

QColor CouleurRef(std::uint32_t ref)
{
    return QColor(int(ref & 0xFF), int((ref >> 8) & 0xFF), int((ref >> 16) & 0xFF));
}

TStyloGdi StyloSimple(std::uint32_t style, double largeur, QColor couleur)
{
    TStyloGdi s{style, largeur, couleur, largeur <= 0};
    // Dashes are only drawn by thin pens; a wider one is solid.
    if (largeur > 1 && (style & 0xF) >= 1 && (style & 0xF) <= 4)
        s.Style &= ~0xFu;
    return s;
}

TJoueurGdi::TJoueurGdi(QPainter &painter, const QTransform &placement, QSizeF pixelsParMm)
    : m_painter(painter), m_placement(placement), m_pixelsParMm(pixelsParMm)
{
    m_painter.save();
    if (m_painter.hasClipping())
        m_decoupeBase = m_painter.worldTransform().map(m_painter.clipPath());
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    m_etat.Stylo = std::get<TStyloGdi>(ObjetStock(7));
    m_etat.Pinceau = std::get<TPinceauGdi>(ObjetStock(0));
}

TJoueurGdi::~TJoueurGdi()
{
    m_painter.restore();
}

QTransform TJoueurGdi::Page() const
{
    double sx = 1;
    double sy = 1;
    const double px = m_pixelsParMm.width();
    const double py = m_pixelsParMm.height();
    const auto physique = [&](double mmParUnite) {
        sx = px * mmParUnite;
        sy = -py * mmParUnite;
    };
    switch (m_etat.ModeMap) {
    case emf::MmLoMetric:
        physique(0.1);
        break;
    case emf::MmHiMetric:
        physique(0.01);
        break;
    case emf::MmLoEnglish:
        physique(0.254);
        break;
    case emf::MmHiEnglish:
        physique(0.0254);
        break;
    case emf::MmTwips:
        physique(25.4 / 1440);
        break;
    case emf::MmIsotrope:
    case emf::MmAnisotrope: {
        const QSizeF f = m_etat.EtendueFenetre;
        const QSizeF v = m_etat.EtendueVue;
        sx = f.width() == 0 ? 1 : v.width() / f.width();
        sy = f.height() == 0 ? 1 : v.height() / f.height();
        if (m_etat.ModeMap == emf::MmIsotrope) {
            // Both axes take the smaller scale, keeping their directions.
            const double m = std::min(std::abs(sx), std::abs(sy));
            sx = std::copysign(m, sx);
            sy = std::copysign(m, sy);
        }
        break;
    }
    default:
        break;
    }
    const QPointF fo = m_etat.OrigineFenetre;
    const QPointF vo = m_etat.OrigineVue;
    return QTransform::fromTranslate(-fo.x(), -fo.y()) * QTransform::fromScale(sx, sy)
           * QTransform::fromTranslate(vo.x(), vo.y());
}

QTransform TJoueurGdi::VersPeripherique() const
{
    return m_etat.Monde * Page();
}

const QTransform &TJoueurGdi::Transformation()
{
    if (m_transformationSale) {
        m_transformation = VersPeripherique() * m_placement;
        m_transformationSale = false;
    }
    return m_transformation;
}

void TJoueurGdi::AppliqueDecoupe()
{
    m_decoupeSale = false;
    m_painterSale = true;
    m_painter.setWorldTransform(QTransform());
    if (!m_etat.Decoupe) {
        if (m_decoupeBase)
            m_painter.setClipPath(*m_decoupeBase);
        else
            m_painter.setClipping(false);
        return;
    }
    QPainterPath zone = m_placement.map(*m_etat.Decoupe);
    if (m_decoupeBase)
        zone = zone.intersected(*m_decoupeBase);
    m_painter.setClipPath(zone);
}

void TJoueurGdi::Applique()
{
    if (m_decoupeSale)
        AppliqueDecoupe();
    if (m_painterSale) {
        m_painter.setWorldTransform(Transformation());
        m_painterSale = false;
    }
}

void TJoueurGdi::SetMapMode(int mode)
{
    if (mode < emf::MmTexte || mode > emf::MmAnisotrope)
        return;
    m_etat.ModeMap = mode;
    m_transformationSale = m_painterSale = true;
}

void TJoueurGdi::SetWindowOrg(QPointF p)
{
    m_etat.OrigineFenetre = p;
    m_transformationSale = m_painterSale = true;
}

void TJoueurGdi::SetWindowExt(QSizeF s)
{
    // An extent of 0 is refused, as the device context refuses it.
    if (s.width() == 0 || s.height() == 0)
        return;
    m_etat.EtendueFenetre = s;
    m_transformationSale = m_painterSale = true;
}

void TJoueurGdi::SetViewportOrg(QPointF p)
{
    m_etat.OrigineVue = p;
    m_transformationSale = m_painterSale = true;
}

void TJoueurGdi::SetViewportExt(QSizeF s)
{
    if (s.width() == 0 || s.height() == 0)
        return;
    m_etat.EtendueVue = s;
    m_transformationSale = m_painterSale = true;
}

void TJoueurGdi::ScaleWindowExt(double xNum, double xDen, double yNum, double yDen)
{
    if (xDen == 0 || yDen == 0)
        return;
    const QSizeF e = m_etat.EtendueFenetre;
    SetWindowExt(QSizeF(e.width() * xNum / xDen, e.height() * yNum / yDen));
}

void TJoueurGdi::ScaleViewportExt(double xNum, double xDen, double yNum, double yDen)
{
    if (xDen == 0 || yDen == 0)
        return;
    const QSizeF e = m_etat.EtendueVue;
    SetViewportExt(QSizeF(e.width() * xNum / xDen, e.height() * yNum / yDen));
}

void TJoueurGdi::ModifyWorldTransform(const QTransform &t, int mode)
{
    if (!Fini(t))
        return;
    switch (mode) {
    case 1:
        m_etat.Monde = QTransform();
        break;
    case 2:
        m_etat.Monde = t * m_etat.Monde;
        break;
    case 3:
        m_etat.Monde = m_etat.Monde * t;
        break;
    case 4:
        m_etat.Monde = t;
        break;
    default:
        return;
    }
    m_transformationSale = m_painterSale = true;
}

void TJoueurGdi::SaveDC()
{
    if (m_pile.size() < PileMax)
        m_pile.push_back(m_etat);
}

void TJoueurGdi::RestoreDC(int n)
{
    const auto taille = qint64(m_pile.size());
    qint64 garde = 0; // the states kept on the stack below the restored one
    if (n < 0 && -qint64(n) <= taille)
        garde = taille + n;
    else if (n > 0 && n <= taille)
        garde = n - 1;
    else
        return;
    m_etat = m_pile[size_t(garde)];
    m_pile.resize(size_t(garde));
    m_transformationSale = m_painterSale = m_decoupeSale = true;
}

void TJoueurGdi::CreeObjet(std::uint32_t index, TObjetGdi objet)
{
    if (index >= IndexMax)
        return;
    if (index >= m_objets.size())
        m_objets.resize(size_t(index) + 1);
    m_objets[index] = std::move(objet);
}

void TJoueurGdi::SelectObject(std::uint32_t index)
{
    const TObjetGdi *objet = nullptr;
    TObjetGdi stock;
    if (index & 0x80000000u) {
        stock = ObjetStock(index & 0x7FFFFFFFu);
        objet = &stock;
    } else if (index < m_objets.size()) {
        objet = &m_objets[index];
    }
    if (!objet)
        return;
    if (const auto *s = std::get_if<TStyloGdi>(objet))
        m_etat.Stylo = *s;
    else if (const auto *p = std::get_if<TPinceauGdi>(objet))
        m_etat.Pinceau = *p;
    else if (const auto *f = std::get_if<TFonteGdi>(objet))
        m_etat.Fonte = *f;
}

void TJoueurGdi::DeleteObject(std::uint32_t index)
{
    // The selected object is a copy: deleting it changes nothing drawn.
    if (index < m_objets.size())
        m_objets[index] = std::monostate();
}

std::uint32_t TJoueurGdi::PremierLibre(std::uint32_t debut) const
{
    for (std::uint32_t i = debut; i < IndexMax; ++i) {
        if (i >= m_objets.size() || std::holds_alternative<std::monostate>(m_objets[i]))
            return i;
    }
    return IndexMax;
}

QPen TJoueurGdi::Pen() const
{
    const TStyloGdi &s = m_etat.Stylo;
    const std::uint32_t style = s.Style & 0xF;
    if (style == emf::PsNul)
        return QPen(Qt::NoPen);
    QPen pen(s.Couleur);
    const bool cosmetique = s.Cosmetique || s.Largeur <= 0;
    if (cosmetique) {
        pen.setWidth(0);
        pen.setCosmetic(true);
    } else {
        pen.setWidthF(s.Largeur);
    }
    switch (style) {
    case 1:
        pen.setStyle(Qt::DashLine);
        break;
    case 2:
    case 8:
        pen.setStyle(Qt::DotLine);
        break;
    case 3:
        pen.setStyle(Qt::DashDotLine);
        break;
    case 4:
        pen.setStyle(Qt::DashDotDotLine);
        break;
    default:
        break;
    }
    if (cosmetique) {
        // A thin line leaves its last pixel out.
        pen.setCapStyle(Qt::FlatCap);
        return pen;
    }
    switch (s.Style & 0xF00) {
    case 0x100:
        pen.setCapStyle(Qt::SquareCap);
        break;
    case 0x200:
        pen.setCapStyle(Qt::FlatCap);
        break;
    default:
        pen.setCapStyle(Qt::RoundCap);
    }
    switch (s.Style & 0xF000) {
    case 0x1000:
        pen.setJoinStyle(Qt::BevelJoin);
        break;
    case 0x2000:
        pen.setJoinStyle(Qt::MiterJoin);
        break;
    default:
        pen.setJoinStyle(Qt::RoundJoin);
    }
    return pen;
}

QBrush TJoueurGdi::Brush() const
{
    const TPinceauGdi &p = m_etat.Pinceau;
    switch (p.Style) {
    case emf::BsNul:
        return QBrush(Qt::NoBrush);
    case emf::BsHachure: {
        static constexpr Qt::BrushStyle hachures[] = {Qt::HorPattern,   Qt::VerPattern,   Qt::FDiagPattern,
                                                      Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
        return QBrush(p.Couleur, p.Hachure < 6 ? hachures[p.Hachure] : Qt::SolidPattern);
    }
    case 3:
    case 5:
    case 6:
        if (!p.Motif.isNull())
            return QBrush(p.Motif);
        return QBrush(p.Couleur);
    default:
        return QBrush(p.Couleur);
    }
}

void TJoueurGdi::Trace(const QPainterPath &figure, bool remplit, bool trace)
{
    Applique();
    QPainterPath f = figure;
    f.setFillRule(m_etat.Remplissage == emf::RemplissageEnroulement ? Qt::WindingFill : Qt::OddEvenFill);
    const QBrush pinceau = remplit ? Brush() : QBrush(Qt::NoBrush);
    if (remplit && m_etat.Pinceau.Style == emf::BsHachure && m_etat.ModeFond == emf::FondOpaque)
        m_painter.fillPath(f, m_etat.CouleurFond);
    m_painter.setPen(trace ? Pen() : QPen(Qt::NoPen));
    m_painter.setBrush(pinceau);
    m_painter.drawPath(f);
}

void TJoueurGdi::Ajoute(const QPainterPath &figure)
{
    m_chemin.addPath(figure);
    m_figureOuverte = false;
}

void TJoueurGdi::Commence()
{
    if (!m_figureOuverte) {
        m_chemin.moveTo(m_etat.Courant);
        m_figureOuverte = true;
    }
}

void TJoueurGdi::MoveTo(QPointF p)
{
    m_etat.Courant = p;
    if (m_dansChemin) {
        m_chemin.moveTo(p);
        m_figureOuverte = true;
    }
}

void TJoueurGdi::LineTo(QPointF p)
{
    if (m_dansChemin) {
        Commence();
        m_chemin.lineTo(p);
    } else {
        Applique();
        m_painter.setPen(Pen());
        m_painter.drawLine(m_etat.Courant, p);
    }
    m_etat.Courant = p;
}

void TJoueurGdi::Polyline(const QPolygonF &points)
{
    if (points.isEmpty())
        return;
    if (m_dansChemin) {
        m_chemin.moveTo(points.first());
        for (qsizetype i = 1; i < points.size(); ++i)
            m_chemin.lineTo(points.at(i));
        m_figureOuverte = true;
        return;
    }
    Applique();
    m_painter.setPen(Pen());
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawPolyline(points);
}

void TJoueurGdi::PolylineTo(const QPolygonF &points)
{
    if (points.isEmpty())
        return;
    if (m_dansChemin) {
        Commence();
        for (const QPointF &p : points)
            m_chemin.lineTo(p);
    } else {
        QPolygonF ligne;
        ligne.reserve(points.size() + 1);
        ligne.append(m_etat.Courant);
        ligne.append(points);
        Applique();
        m_painter.setPen(Pen());
        m_painter.setBrush(Qt::NoBrush);
        m_painter.drawPolyline(ligne);
    }
    m_etat.Courant = points.last();
}

void TJoueurGdi::Polygon(const QPolygonF &points)
{
    if (points.size() < 2)
        return;
    if (m_dansChemin || (m_etat.Pinceau.Style == emf::BsHachure && m_etat.ModeFond == emf::FondOpaque)) {
        QPainterPath figure;
        figure.addPolygon(points);
        figure.closeSubpath();
        if (m_dansChemin)
            Ajoute(figure);
        else
            Trace(figure, true, true);
        return;
    }
    Applique();
    m_painter.setPen(Pen());
    m_painter.setBrush(Brush());
    m_painter.drawPolygon(points,
                          m_etat.Remplissage == emf::RemplissageEnroulement ? Qt::WindingFill : Qt::OddEvenFill);
}

void TJoueurGdi::PolyPolygon(const QPolygonF &points, const std::vector<std::uint32_t> &comptes)
{
    QPainterPath figure;
    qsizetype debut = 0;
    for (const std::uint32_t n : comptes) {
        if (n > points.size() - debut)
            break;
        if (n >= 2) {
            figure.addPolygon(points.mid(debut, n));
            figure.closeSubpath();
        }
        debut += n;
    }
    if (m_dansChemin)
        Ajoute(figure);
    else
        Trace(figure, true, true);
}

void TJoueurGdi::PolyPolyline(const QPolygonF &points, const std::vector<std::uint32_t> &comptes)
{
    qsizetype debut = 0;
    for (const std::uint32_t n : comptes) {
        if (n > points.size() - debut)
            break;
        Polyline(points.mid(debut, n));
        debut += n;
    }
}

void TJoueurGdi::PolyBezier(const QPolygonF &points)
{
    if (points.isEmpty())
        return;
    QPainterPath figure(points.first());
    for (qsizetype i = 1; i + 2 < points.size(); i += 3)
        figure.cubicTo(points.at(i), points.at(i + 1), points.at(i + 2));
    if (m_dansChemin) {
        m_chemin.addPath(figure);
        m_figureOuverte = true;
    } else {
        Trace(figure, false, true);
    }
}

void TJoueurGdi::PolyBezierTo(const QPolygonF &points)
{
    if (points.size() < 3)
        return;
    QPointF fin = m_etat.Courant;
    if (m_dansChemin) {
        Commence();
        for (qsizetype i = 0; i + 2 < points.size(); i += 3) {
            m_chemin.cubicTo(points.at(i), points.at(i + 1), points.at(i + 2));
            fin = points.at(i + 2);
        }
    } else {
        QPainterPath figure(m_etat.Courant);
        for (qsizetype i = 0; i + 2 < points.size(); i += 3) {
            figure.cubicTo(points.at(i), points.at(i + 1), points.at(i + 2));
            fin = points.at(i + 2);
        }
        Trace(figure, false, true);
    }
    m_etat.Courant = fin;
}

void TJoueurGdi::Rectangle(const QRectF &r)
{
    QPainterPath figure;
    figure.addRect(r.normalized());
    if (m_dansChemin)
        Ajoute(figure);
    else
        Trace(figure, true, true);
}

void TJoueurGdi::Ellipse(const QRectF &r)
{
    QPainterPath figure;
    figure.addEllipse(r.normalized());
    if (m_dansChemin)
        Ajoute(figure);
    else
        Trace(figure, true, true);
}

void TJoueurGdi::RoundRect(const QRectF &r, QSizeF coin)
{
    QPainterPath figure;
    figure.addRoundedRect(r.normalized(), std::abs(coin.width()) / 2, std::abs(coin.height()) / 2);
    if (m_dansChemin)
        Ajoute(figure);
    else
        Trace(figure, true, true);
}

QPainterPath TJoueurGdi::FigureArc(TArcGdi sorte, const QRectF &r, QPointF debut, QPointF fin, QPointF *finArc) const
{
    QPainterPath figure;
    const QRectF n = r.normalized();
    const double rx = n.width() / 2;
    const double ry = n.height() / 2;
    if (!(rx > 0) || !(ry > 0))
        return figure;
    const QPointF c = n.center();
    // The angle of a radial point on the ellipse, counter-clockwise on
    // screen from the right, as Qt's arcs count it.
    const auto angle = [&](QPointF p) {
        return std::atan2(-(p.y() - c.y()) / ry, (p.x() - c.x()) / rx) * 180 / std::numbers::pi;
    };
    const double a0 = angle(debut);
    const double a1 = angle(fin);
    double balayage = 0;
    if (m_etat.SensArc == emf::SensHoraire) {
        balayage = -std::fmod(a0 - a1 + 720, 360);
        if (balayage == 0)
            balayage = -360;
    } else {
        balayage = std::fmod(a1 - a0 + 720, 360);
        if (balayage == 0)
            balayage = 360;
    }
    if (sorte == TArcGdi::Camembert)
        figure.moveTo(c);
    else
        figure.arcMoveTo(n, a0);
    figure.arcTo(n, a0, balayage);
    if (finArc)
        *finArc = figure.currentPosition();
    if (sorte == TArcGdi::Corde || sorte == TArcGdi::Camembert)
        figure.closeSubpath();
    return figure;
}

void TJoueurGdi::Arc(TArcGdi sorte, const QRectF &r, QPointF debut, QPointF fin)
{
    QPointF finArc = m_etat.Courant;
    const QPainterPath figure = FigureArc(sorte, r, debut, fin, &finArc);
    if (figure.isEmpty())
        return;
    if (sorte == TArcGdi::ArcVers) {
        // A line from the current position to the arc's start, then the arc.
        if (m_dansChemin) {
            Commence();
            m_chemin.lineTo(figure.elementAt(0));
            m_chemin.connectPath(figure);
        } else {
            QPainterPath ligne(m_etat.Courant);
            ligne.connectPath(figure);
            Trace(ligne, false, true);
        }
        m_etat.Courant = finArc;
        return;
    }
    if (m_dansChemin) {
        m_chemin.addPath(figure);
        m_figureOuverte = sorte == TArcGdi::Arc;
        return;
    }
    Trace(figure, sorte != TArcGdi::Arc, true);
}

QFont TJoueurGdi::Police() const
{
    const TFonteGdi &f = m_etat.Fonte;
    QFont police(f.Nom.isEmpty() ? u"Liberation Sans"_s : f.Nom);
    police.setPixelSize(int(TailleReference));
    police.setWeight(QFont::Weight(std::clamp(f.Poids == 0 ? 400 : f.Poids, 1, 1000)));
    police.setItalic(f.Italique);
    police.setUnderline(f.Souligne);
    police.setStrikeOut(f.Barre);
    return police;
}

void TJoueurGdi::Texte(QPointF reference, const QString &texte, std::uint32_t options, const QRectF &rect)
{
    // Texts are not made into path outlines; GDI would add their glyphs.
    if (m_dansChemin)
        return;
    const std::uint32_t align = m_etat.AlignTexte;
    if (align & emf::TaMiseAJour)
        reference = m_etat.Courant;
    Applique();
    if ((options & emf::EtoOpaque) && !rect.isEmpty())
        m_painter.fillRect(rect.normalized(), m_etat.CouleurFond);
    if (texte.isEmpty())
        return;

    const QFont police = Police();
    const QFontMetricsF metriques(police);
    const double cellule = metriques.ascent() + metriques.descent();
    // The height in logical units: below 0 the characters', above 0 the
    // cell's, 0 the device's usual font.
    const QTransform &t = Transformation();
    const QPointF d = t.map(reference);
    QPointF ex = t.map(reference + QPointF(1, 0)) - d;
    QPointF ey = t.map(reference + QPointF(0, 1)) - d;
    double hauteur = m_etat.Fonte.Hauteur;
    double echelle = 0;
    if (hauteur < 0) {
        echelle = -hauteur / TailleReference;
    } else if (hauteur > 0) {
        echelle = hauteur / cellule;
    } else {
        const QPointF p = VersPeripherique().map(QPointF(0, 1)) - VersPeripherique().map(QPointF(0, 0));
        const double parUnite = std::hypot(p.x(), p.y());
        echelle = parUnite > 0 ? HauteurParDefaut / parUnite / cellule : 0;
    }
    if (!(echelle > 0) || !std::isfinite(echelle))
        return;

    const double largeur = metriques.horizontalAdvance(texte);
    double x = 0;
    if ((align & emf::TaCentre) == emf::TaCentre)
        x = -largeur / 2;
    else if (align & emf::TaDroite)
        x = -largeur;
    double y = metriques.ascent();
    if ((align & emf::TexteLigneDeBase) == emf::TexteLigneDeBase)
        y = 0;
    else if (align & emf::TaBas)
        y = -metriques.descent();

    // Text stands upright on the device whatever the direction of the
    // logical axes: a mapping whose y axis goes up does not turn it over.
    if (ex.x() * ey.y() - ex.y() * ey.x() < 0)
        ey = -ey;
    const QTransform cadre(ex.x(), ex.y(), ey.x(), ey.y(), d.x(), d.y());
    QTransform tourne;
    tourne.rotate(m_etat.Fonte.Escapement / -10.0);
    const QTransform placement = QTransform::fromScale(echelle, echelle) * tourne * cadre;
    // The side of the em square on the device, along its longest axis; a
    // text of a size that is not finite is left out.
    const double cote = TailleReference * PlusGrandEtirement(placement);
    if (std::isfinite(cote)) {
        const bool decoupe = (options & emf::EtoDecoupe) && !rect.isEmpty();
        if (decoupe) {
            m_painter.save();
            m_painter.setClipRect(rect.normalized(), Qt::IntersectClip);
        }
        m_painter.setWorldTransform(placement);
        m_painterSale = true;
        if (m_etat.ModeFond == emf::FondOpaque)
            m_painter.fillRect(QRectF(x, y - metriques.ascent(), largeur, cellule), m_etat.CouleurFond);
        if (cote <= CoteGlypheMax) {
            m_painter.setFont(police);
            m_painter.setPen(m_etat.CouleurTexte);
            m_painter.drawText(QPointF(x, y), texte);
        } else {
            // The outlines carry the underline and strike-out lines too.
            QPainterPath contours;
            contours.addText(QPointF(x, y), police, texte);
            m_painter.fillPath(contours, m_etat.CouleurTexte);
        }
        if (decoupe)
            m_painter.restore();
    }
    if (align & emf::TaMiseAJour)
        m_etat.Courant = reference + QPointF(largeur * echelle, 0);
}

void TJoueurGdi::Bitmap(const QRectF &cible, const QImage &image, const QRectF &source, std::uint32_t rop)
{
    if (image.isNull() || m_dansChemin || cible.width() == 0 || cible.height() == 0)
        return;
    // A negative width or height on either side mirrors the picture.
    const bool miroirX = (cible.width() < 0) != (source.width() < 0);
    const bool miroirY = (cible.height() < 0) != (source.height() < 0);
    QImage img = image;
    QRectF s = source.normalized();
    if (miroirX || miroirY) {
        img = image.mirrored(miroirX, miroirY);
        if (miroirX)
            s.moveLeft(img.width() - s.right());
        if (miroirY)
            s.moveTop(img.height() - s.bottom());
    }
    Applique();
    const QPaintEngine *moteur = m_painter.paintEngine();
    const bool rops = moteur && moteur->hasFeature(QPaintEngine::RasterOpModes);
    QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
    if (rops && rop == emf::RopSrcAnd)
        mode = QPainter::RasterOp_SourceAndDestination;
    else if (rops && rop == emf::RopSrcPaint)
        mode = QPainter::RasterOp_SourceOrDestination;
    else if (rops && rop == emf::RopSrcInvert)
        mode = QPainter::RasterOp_SourceXorDestination;
    m_painter.setCompositionMode(mode);
    m_painter.drawImage(cible.normalized(), img, s);
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TJoueurGdi::RemplitRop(const QRectF &cible, std::uint32_t rop)
{
    if (m_dansChemin)
        return;
    QBrush pinceau;
    if (rop == emf::RopPatCopy || rop == emf::RopPatInvert)
        pinceau = Brush();
    else if (rop == emf::RopNoir)
        pinceau = QBrush(Qt::black);
    else if (rop == emf::RopBlanc)
        pinceau = QBrush(Qt::white);
    else
        return;
    Applique();
    m_painter.fillRect(cible.normalized(), pinceau);
}

void TJoueurGdi::BeginPath()
{
    m_dansChemin = true;
    m_figureOuverte = false;
    m_chemin = QPainterPath();
    m_cheminFini.reset();
}

void TJoueurGdi::EndPath()
{
    if (!m_dansChemin)
        return;
    m_dansChemin = false;
    m_cheminFini = m_chemin;
    m_chemin = QPainterPath();
}

void TJoueurGdi::CloseFigure()
{
    if (m_dansChemin && m_figureOuverte) {
        m_chemin.closeSubpath();
        m_figureOuverte = false;
    }
}

void TJoueurGdi::AbortPath()
{
    m_dansChemin = false;
    m_chemin = QPainterPath();
    m_cheminFini.reset();
}

void TJoueurGdi::FillPath()
{
    if (m_cheminFini)
        Trace(*m_cheminFini, true, false);
    m_cheminFini.reset();
}

void TJoueurGdi::StrokePath()
{
    if (m_cheminFini)
        Trace(*m_cheminFini, false, true);
    m_cheminFini.reset();
}

void TJoueurGdi::StrokeAndFillPath()
{
    if (m_cheminFini)
        Trace(*m_cheminFini, true, true);
    m_cheminFini.reset();
}

void TJoueurGdi::Combine(const QPainterPath &zone, int mode)
{
    std::optional<QPainterPath> &d = m_etat.Decoupe;
    QPainterPath tout;
    tout.addRect(QRectF(-Tout, -Tout, 2 * Tout, 2 * Tout));
    switch (mode) {
    case RgnCopy:
        d = zone;
        break;
    case RgnAnd:
        d = d ? d->intersected(zone) : zone;
        break;
    case RgnOr:
        if (d)
            d = d->united(zone);
        break;
    case RgnXor: {
        const QPainterPath a = d ? *d : tout;
        d = a.subtracted(zone).united(zone.subtracted(a));
        break;
    }
    case RgnDiff:
        d = (d ? *d : tout).subtracted(zone);
        break;
    default:
        return;
    }
    m_decoupeSale = true;
}

void TJoueurGdi::IntersectClipRect(const QRectF &r)
{
    QPainterPath zone;
    zone.addRect(r.normalized());
    Combine(VersPeripherique().map(zone), RgnAnd);
}

void TJoueurGdi::ExcludeClipRect(const QRectF &r)
{
    QPainterPath zone;
    zone.addRect(r.normalized());
    Combine(VersPeripherique().map(zone), RgnDiff);
}

void TJoueurGdi::SelectClipPath(int mode)
{
    if (!m_cheminFini)
        return;
    Combine(VersPeripherique().map(*m_cheminFini), mode);
    m_cheminFini.reset();
}

void TJoueurGdi::SelectClipRegion(const std::vector<QRectF> &rectangles, int mode)
{
    if (rectangles.empty()) {
        if (mode == RgnCopy) {
            m_etat.Decoupe.reset();
            m_decoupeSale = true;
        }
        return;
    }
    // The rectangles are joined two by two, then the pairs, and so on: a
    // region of many rectangles does not cost the square of their number.
    std::vector<QRegion> regions;
    regions.reserve(rectangles.size());
    for (const QRectF &r : rectangles)
        regions.emplace_back(r.normalized().toAlignedRect());
    while (regions.size() > 1) {
        std::vector<QRegion> unions;
        unions.reserve(regions.size() / 2 + 1);
        for (size_t i = 0; i < regions.size(); i += 2)
            unions.push_back(i + 1 < regions.size() ? regions[i].united(regions[i + 1]) : regions[i]);
        regions.swap(unions);
    }
    QPainterPath zone;
    zone.addRegion(regions.front());
    Combine(zone, mode);
}
