// Playing the records of an enhanced metafile through the drawing state
// machine. The reader has checked each record's layout (fixed part, point
// counts, offsets of strings and bitmaps), so the offsets read here lie
// within the record; the accessors would give 0 otherwise.

#include "JoueurGdi.h"
#include "LecteurEmf.h"

namespace {

QPointF P(QPoint p)
{
    return QPointF(p);
}

// Left, top, right, bottom as a rectangle that may be mirrored.
QRectF R(const QRect &r)
{
    return QRectF(QPointF(r.left(), r.top()), QPointF(r.right(), r.bottom()));
}

QPolygonF Points(const TEnregistrementEmf &e, qsizetype debut, qsizetype nombre, bool seize)
{
    QPolygonF points;
    points.reserve(nombre);
    for (qsizetype i = 0; i < nombre; ++i)
        points.append(seize ? P(e.Point16(debut + 4 * i)) : P(e.Point32(debut + 8 * i)));
    return points;
}

QPolygonF PointsPoly(const TEnregistrementEmf &e, bool seize)
{
    return Points(e, 28, e.U32(24), seize);
}

void PolyPoly(TJoueurGdi &j, const TEnregistrementEmf &e, bool polygones, bool seize)
{
    const qsizetype nombre = e.U32(24);
    std::vector<std::uint32_t> comptes;
    comptes.reserve(size_t(nombre));
    for (qsizetype i = 0; i < nombre; ++i)
        comptes.push_back(e.U32(32 + 4 * i));
    const QPolygonF points = Points(e, 32 + 4 * nombre, e.U32(28), seize);
    if (polygones)
        j.PolyPolygon(points, comptes);
    else
        j.PolyPolyline(points, comptes);
}

QTransform Xform(const TEnregistrementEmf &e, qsizetype p)
{
    return QTransform(e.F32(p), e.F32(p + 4), e.F32(p + 8), e.F32(p + 12), e.F32(p + 16), e.F32(p + 20));
}

// The picture of a record's bitmap given by the offsets at `champs`
// (header offset and size, pixels offset and size).
QImage ImageEnregistrement(const TEnregistrementEmf &e, qsizetype champs, std::uint32_t usage)
{
    return ImageDib(e.Partie(e.U32(champs), e.U32(champs + 4)), e.Partie(e.U32(champs + 8), e.U32(champs + 12)),
                    usage);
}

void Blt(TJoueurGdi &j, const TEnregistrementEmf &e, bool etire)
{
    const QRectF cible(e.I32(24), e.I32(28), e.I32(32), e.I32(36));
    const std::uint32_t rop = e.U32(40);
    if (e.U32(88) == 0) {
        j.RemplitRop(cible, rop);
        return;
    }
    const QImage image = ImageEnregistrement(e, 84, e.U32(80));
    const double largeur = etire ? e.I32(100) : cible.width();
    const double hauteur = etire ? e.I32(104) : cible.height();
    j.Bitmap(cible, image, QRectF(e.I32(44), e.I32(48), largeur, hauteur), rop);
}

void StretchDIBits(TJoueurGdi &j, const TEnregistrementEmf &e)
{
    const QImage image = ImageEnregistrement(e, 48, e.U32(64));
    if (image.isNull())
        return;
    const double xs = e.I32(32);
    const double ys = e.I32(36);
    const double ls = e.I32(40);
    const double hs = e.I32(44);
    const double haut = HautSourceDib(e.Partie(e.U32(48), e.U32(52)), image, ys, hs);
    j.Bitmap(QRectF(e.I32(24), e.I32(28), e.I32(72), e.I32(76)), image, QRectF(xs, haut, ls, hs), e.U32(68));
}

void ExtCreatePen(TJoueurGdi &j, const TEnregistrementEmf &e)
{
    TStyloGdi s;
    s.Style = e.U32(28);
    s.Largeur = e.U32(32);
    s.Couleur = CouleurRef(e.U32(40));
    s.Cosmetique = (s.Style & emf::PsTypeMasque) == 0;
    if (e.U32(36) == emf::BsNul)
        s.Style = (s.Style & ~0xFu) | emf::PsNul;
    j.CreeObjet(e.U32(8), s);
}

void CreeFonte(TJoueurGdi &j, const TEnregistrementEmf &e)
{
    TFonteGdi f;
    f.Hauteur = e.I32(12);
    f.Escapement = e.I32(20);
    f.Poids = e.I32(28);
    f.Italique = e.U8(32) != 0;
    f.Souligne = e.U8(33) != 0;
    f.Barre = e.U8(34) != 0;
    QString nom;
    for (qsizetype i = 0; i < 32; ++i) {
        const char16_t c = e.U16(40 + 2 * i);
        if (c == 0)
            break;
        nom.append(QChar(c));
    }
    f.Nom = nom;
    j.CreeObjet(e.U32(8), f);
}

void Texte(TJoueurGdi &j, const TEnregistrementEmf &e, bool large)
{
    const qsizetype nombre = e.U32(44);
    const QByteArrayView octets = e.Partie(e.U32(48), nombre * (large ? 2 : 1));
    QString texte;
    if (large) {
        texte.reserve(nombre);
        for (qsizetype i = 0; i < nombre; ++i)
            texte.append(QChar(char16_t(std::uint8_t(octets.at(2 * i)) | (std::uint8_t(octets.at(2 * i + 1)) << 8))));
    } else {
        texte = QString::fromLatin1(octets);
    }
    j.Texte(P(e.Point32(36)), texte, e.U32(52), R(e.Rect32(56)));
}

void ClipRegion(TJoueurGdi &j, const TEnregistrementEmf &e)
{
    const qsizetype taille = e.U32(8);
    std::vector<QRectF> rectangles;
    if (taille >= 32) {
        const qsizetype nombre = e.U32(24);
        rectangles.reserve(size_t(nombre));
        for (qsizetype i = 0; i < nombre; ++i)
            rectangles.push_back(R(e.Rect32(48 + 16 * i)));
    }
    j.SelectClipRegion(rectangles, int(e.U32(12)));
}

void Joue(TJoueurGdi &j, const TEnregistrementEmf &e)
{
    switch (e.Type()) {
    case emr::PolyBezier:
    case emr::PolyBezier16:
        j.PolyBezier(PointsPoly(e, e.Type() == emr::PolyBezier16));
        break;
    case emr::Polygon:
    case emr::Polygon16:
        j.Polygon(PointsPoly(e, e.Type() == emr::Polygon16));
        break;
    case emr::Polyline:
    case emr::Polyline16:
        j.Polyline(PointsPoly(e, e.Type() == emr::Polyline16));
        break;
    case emr::PolyBezierTo:
    case emr::PolyBezierTo16:
        j.PolyBezierTo(PointsPoly(e, e.Type() == emr::PolyBezierTo16));
        break;
    case emr::PolylineTo:
    case emr::PolylineTo16:
        j.PolylineTo(PointsPoly(e, e.Type() == emr::PolylineTo16));
        break;
    case emr::PolyPolyline:
    case emr::PolyPolyline16:
        PolyPoly(j, e, false, e.Type() == emr::PolyPolyline16);
        break;
    case emr::PolyPolygon:
    case emr::PolyPolygon16:
        PolyPoly(j, e, true, e.Type() == emr::PolyPolygon16);
        break;
    case emr::SetWindowExtEx:
        j.SetWindowExt(QSizeF(e.I32(8), e.I32(12)));
        break;
    case emr::SetWindowOrgEx:
        j.SetWindowOrg(P(e.Point32(8)));
        break;
    case emr::SetViewportExtEx:
        j.SetViewportExt(QSizeF(e.I32(8), e.I32(12)));
        break;
    case emr::SetViewportOrgEx:
        j.SetViewportOrg(P(e.Point32(8)));
        break;
    case emr::SetMapMode:
        j.SetMapMode(e.I32(8));
        break;
    case emr::SetBkMode:
        j.SetBkMode(e.I32(8));
        break;
    case emr::SetPolyFillMode:
        j.SetPolyFillMode(e.I32(8));
        break;
    case emr::SetTextAlign:
        j.SetTextAlign(e.U32(8));
        break;
    case emr::SetTextColor:
        j.SetTextColor(CouleurRef(e.U32(8)));
        break;
    case emr::SetBkColor:
        j.SetBkColor(CouleurRef(e.U32(8)));
        break;
    case emr::MoveToEx:
        j.MoveTo(P(e.Point32(8)));
        break;
    case emr::LineTo:
        j.LineTo(P(e.Point32(8)));
        break;
    case emr::ExcludeClipRect:
        j.ExcludeClipRect(R(e.Rect32(8)));
        break;
    case emr::IntersectClipRect:
        j.IntersectClipRect(R(e.Rect32(8)));
        break;
    case emr::ScaleViewportExtEx:
        j.ScaleViewportExt(e.I32(8), e.I32(12), e.I32(16), e.I32(20));
        break;
    case emr::ScaleWindowExtEx:
        j.ScaleWindowExt(e.I32(8), e.I32(12), e.I32(16), e.I32(20));
        break;
    case emr::SaveDC:
        j.SaveDC();
        break;
    case emr::RestoreDC:
        j.RestoreDC(e.I32(8));
        break;
    case emr::SetWorldTransform:
        j.ModifyWorldTransform(Xform(e, 8), 4);
        break;
    case emr::ModifyWorldTransform:
        j.ModifyWorldTransform(Xform(e, 8), e.I32(32));
        break;
    case emr::SelectObject:
        j.SelectObject(e.U32(8));
        break;
    case emr::DeleteObject:
        j.DeleteObject(e.U32(8));
        break;
    case emr::CreatePen:
        j.CreeObjet(e.U32(8), StyloSimple(e.U32(12), e.I32(16), CouleurRef(e.U32(24))));
        break;
    case emr::ExtCreatePen:
        ExtCreatePen(j, e);
        break;
    case emr::CreateBrushIndirect:
        j.CreeObjet(e.U32(8), TPinceauGdi{e.U32(12), CouleurRef(e.U32(16)), e.U32(20), QImage()});
        break;
    case emr::CreateMonoBrush:
    case emr::CreateDIBPatternBrushPt:
        j.CreeObjet(e.U32(8), TPinceauGdi{3, Qt::black, 0, ImageEnregistrement(e, 16, e.U32(12))});
        break;
    case emr::ExtCreateFontIndirectW:
        CreeFonte(j, e);
        break;
    case emr::Ellipse:
        j.Ellipse(R(e.Rect32(8)));
        break;
    case emr::Rectangle:
        j.Rectangle(R(e.Rect32(8)));
        break;
    case emr::RoundRect:
        j.RoundRect(R(e.Rect32(8)), QSizeF(e.I32(24), e.I32(28)));
        break;
    case emr::Arc:
        j.Arc(TArcGdi::Arc, R(e.Rect32(8)), P(e.Point32(24)), P(e.Point32(32)));
        break;
    case emr::Chord:
        j.Arc(TArcGdi::Corde, R(e.Rect32(8)), P(e.Point32(24)), P(e.Point32(32)));
        break;
    case emr::Pie:
        j.Arc(TArcGdi::Camembert, R(e.Rect32(8)), P(e.Point32(24)), P(e.Point32(32)));
        break;
    case emr::ArcTo:
        j.Arc(TArcGdi::ArcVers, R(e.Rect32(8)), P(e.Point32(24)), P(e.Point32(32)));
        break;
    case emr::SetArcDirection:
        j.SetArcDirection(e.I32(8));
        break;
    case emr::BeginPath:
        j.BeginPath();
        break;
    case emr::EndPath:
        j.EndPath();
        break;
    case emr::CloseFigure:
        j.CloseFigure();
        break;
    case emr::FillPath:
        j.FillPath();
        break;
    case emr::StrokeAndFillPath:
        j.StrokeAndFillPath();
        break;
    case emr::StrokePath:
        j.StrokePath();
        break;
    case emr::SelectClipPath:
        j.SelectClipPath(e.I32(8));
        break;
    case emr::AbortPath:
        j.AbortPath();
        break;
    case emr::ExtSelectClipRgn:
        ClipRegion(j, e);
        break;
    case emr::BitBlt:
        Blt(j, e, false);
        break;
    case emr::StretchBlt:
        Blt(j, e, true);
        break;
    case emr::StretchDIBits:
        StretchDIBits(j, e);
        break;
    case emr::ExtTextOutA:
        Texte(j, e, false);
        break;
    case emr::ExtTextOutW:
        Texte(j, e, true);
        break;
    default:
        break;
    }
}

} // namespace

void JoueEmf(TLecteurEmf &lecteur, QPainter &painter, const QTransform &placement, QSizeF pixelsParMm)
{
    TJoueurGdi joueur(painter, placement, pixelsParMm);
    TEnregistrementEmf e;
    while (lecteur.Suivant(e))
        Joue(joueur, e);
}
