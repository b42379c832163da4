// Playing the records of a Windows metafile through the drawing state
// machine. The player owns the viewport: the metafile's window is mapped
// onto the picture's frame, which the placement maps onto the target, so the
// records that set the viewport or a fixed mapping mode are not followed.
// Coordinates come y before x, and rectangles bottom, right, top, left.

#include "JoueurGdi.h"
#include "LecteurWmf.h"

namespace {

QPointF Point(const TEnregistrementEmf &e, qsizetype p)
{
    return QPointF(e.I16(p + 2), e.I16(p));
}

// Bottom, right, top, left from `p`.
QRectF Rect(const TEnregistrementEmf &e, qsizetype p)
{
    return QRectF(QPointF(e.I16(p + 6), e.I16(p + 4)), QPointF(e.I16(p + 2), e.I16(p)));
}

QPolygonF Points(const TEnregistrementEmf &e, qsizetype debut, qsizetype nombre)
{
    QPolygonF points;
    points.reserve(nombre);
    for (qsizetype i = 0; i < nombre; ++i)
        points.append(QPointF(e.I16(debut + 4 * i), e.I16(debut + 4 * i + 2)));
    return points;
}

QString Chaine(QByteArrayView octets)
{
    const qsizetype fin = octets.indexOf('\0');
    return QString::fromLatin1(fin >= 0 ? octets.first(fin) : octets);
}

void Cree(TJoueurGdi &j, TObjetGdi objet)
{
    j.CreeObjet(j.PremierLibre(), std::move(objet));
}

void CreeFonte(TJoueurGdi &j, const TEnregistrementEmf &e)
{
    TFonteGdi f;
    f.Hauteur = e.I16(6);
    f.Escapement = e.I16(10);
    f.Poids = e.I16(14);
    f.Italique = e.U8(16) != 0;
    f.Souligne = e.U8(17) != 0;
    f.Barre = e.U8(18) != 0;
    f.Nom = Chaine(e.Octets().sliced(24).first(std::min<qsizetype>(32, e.Taille() - 24)));
    Cree(j, f);
}

void PolyPolygone(TJoueurGdi &j, const TEnregistrementEmf &e)
{
    const qsizetype nombre = e.U16(6);
    std::vector<std::uint32_t> comptes;
    qsizetype total = 0;
    for (qsizetype i = 0; i < nombre; ++i) {
        comptes.push_back(e.U16(8 + 2 * i));
        total += comptes.back();
    }
    j.PolyPolygon(Points(e, 8 + 2 * nombre, total), comptes);
}

void TexteSimple(TJoueurGdi &j, const TEnregistrementEmf &e)
{
    const qsizetype longueur = e.U16(6);
    const qsizetype apres = 8 + longueur + longueur % 2;
    j.Texte(Point(e, apres), QString::fromLatin1(e.Partie(8, longueur)), 0, QRectF());
}

void TexteEtendu(TJoueurGdi &j, const TEnregistrementEmf &e)
{
    const std::uint16_t options = e.U16(12);
    qsizetype debut = 14;
    QRectF rect;
    if (options & 6) {
        rect = QRectF(QPointF(e.I16(14), e.I16(16)), QPointF(e.I16(18), e.I16(20)));
        debut += 8;
    }
    j.Texte(Point(e, 6), QString::fromLatin1(e.Partie(debut, e.U16(10))), options, rect);
}

// A bitmap record: the fields of the source and target rectangles (height,
// width, y, x of each, from `source` and `cible`) and the packed bitmap from
// `dib`. Without a bitmap, a fill by the raster operation.
void Bitmap(TJoueurGdi &j, const TEnregistrementEmf &e, qsizetype source, qsizetype cible, qsizetype dib,
            std::uint32_t usage)
{
    const QRectF c(e.I16(cible + 6), e.I16(cible + 4), e.I16(cible + 2), e.I16(cible));
    const std::uint32_t rop = e.U32(6);
    if (dib >= e.Taille()) {
        j.RemplitRop(c, rop);
        return;
    }
    const QImage image = ImageDibCompacte(e.Octets().sliced(dib), usage);
    if (image.isNull())
        return;
    const double hauteur = e.I16(source);
    const double haut = HautSourceDib(e.Octets().sliced(dib), image, e.I16(source + 4), hauteur);
    j.Bitmap(c, image, QRectF(e.I16(source + 6), haut, e.I16(source + 2), hauteur), rop);
}

void Joue(TJoueurGdi &j, const TEnregistrementEmf &e)
{
    switch (e.Type()) {
    case meta::SaveDC:
        j.SaveDC();
        break;
    case meta::RestoreDC:
        j.RestoreDC(e.I16(6));
        break;
    case meta::SetBkMode:
        j.SetBkMode(e.U16(6));
        break;
    case meta::SetMapMode:
        j.SetMapMode(e.U16(6) == emf::MmIsotrope ? emf::MmIsotrope : emf::MmAnisotrope);
        break;
    case meta::SetPolyFillMode:
        j.SetPolyFillMode(e.U16(6));
        break;
    case meta::SetTextAlign:
        j.SetTextAlign(e.U16(6));
        break;
    case meta::SetBkColor:
        j.SetBkColor(CouleurRef(e.U32(6)));
        break;
    case meta::SetTextColor:
        j.SetTextColor(CouleurRef(e.U32(6)));
        break;
    case meta::SetWindowOrg:
        j.SetWindowOrg(Point(e, 6));
        break;
    case meta::SetWindowExt:
        j.SetWindowExt(QSizeF(e.I16(8), e.I16(6)));
        break;
    case meta::ScaleWindowExt:
        j.ScaleWindowExt(e.I16(12), e.I16(10), e.I16(8), e.I16(6));
        break;
    case meta::SelectObject:
        j.SelectObject(e.U16(6));
        break;
    case meta::DeleteObject:
        j.DeleteObject(e.U16(6));
        break;
    case meta::CreatePenIndirect:
        Cree(j, StyloSimple(e.U16(6), e.I16(8), CouleurRef(e.U32(12))));
        break;
    case meta::CreateBrushIndirect:
        Cree(j, TPinceauGdi{e.U16(6), CouleurRef(e.U32(8)), e.U16(12), QImage()});
        break;
    case meta::DibCreatePatternBrush:
        Cree(j, TPinceauGdi{3, Qt::black, 0, ImageDibCompacte(e.Octets().sliced(10), e.U16(8))});
        break;
    case meta::CreateFontIndirect:
        CreeFonte(j, e);
        break;
    case 0x00F7: // palette
    case 0x01F9: // pattern brush of a device-dependent bitmap
    case 0x06FF: // region
        Cree(j, TAutreGdi{});
        break;
    case meta::MoveTo:
        j.MoveTo(Point(e, 6));
        break;
    case meta::LineTo:
        j.LineTo(Point(e, 6));
        break;
    case meta::Polygon:
        j.Polygon(Points(e, 8, e.U16(6)));
        break;
    case meta::Polyline:
        j.Polyline(Points(e, 8, e.U16(6)));
        break;
    case meta::PolyPolygon:
        PolyPolygone(j, e);
        break;
    case meta::ExcludeClipRect:
        j.ExcludeClipRect(Rect(e, 6));
        break;
    case meta::IntersectClipRect:
        j.IntersectClipRect(Rect(e, 6));
        break;
    case meta::Ellipse:
        j.Ellipse(Rect(e, 6));
        break;
    case meta::Rectangle:
        j.Rectangle(Rect(e, 6));
        break;
    case meta::RoundRect:
        j.RoundRect(Rect(e, 10), QSizeF(e.I16(8), e.I16(6)));
        break;
    case meta::Arc:
        j.Arc(TArcGdi::Arc, Rect(e, 14), Point(e, 10), Point(e, 6));
        break;
    case meta::Pie:
        j.Arc(TArcGdi::Camembert, Rect(e, 14), Point(e, 10), Point(e, 6));
        break;
    case meta::Chord:
        j.Arc(TArcGdi::Corde, Rect(e, 14), Point(e, 10), Point(e, 6));
        break;
    case meta::TextOut:
        TexteSimple(j, e);
        break;
    case meta::ExtTextOut:
        TexteEtendu(j, e);
        break;
    case meta::PatBlt:
        j.RemplitRop(QRectF(e.I16(16), e.I16(14), e.I16(12), e.I16(10)), e.U32(6));
        break;
    case meta::StretchDib:
        Bitmap(j, e, 12, 20, 28, e.U16(10));
        break;
    case meta::DibStretchBlt:
        // Without a bitmap the record holds one more word before the target.
        if (e.Taille() == 28)
            Bitmap(j, e, 10, 20, e.Taille(), 0);
        else
            Bitmap(j, e, 10, 18, 26, 0);
        break;
    case meta::DibBitBlt:
        if (e.Taille() == 24) {
            j.RemplitRop(QRectF(e.I16(22), e.I16(20), e.I16(18), e.I16(16)), e.U32(6));
        } else {
            // Source and target share the size: y, x of the source, then
            // height, width, y, x of the target.
            const QRectF c(e.I16(20), e.I16(18), e.I16(16), e.I16(14));
            const QImage image = ImageDibCompacte(e.Octets().sliced(22), 0);
            if (!image.isNull()) {
                const double haut = HautSourceDib(e.Octets().sliced(22), image, e.I16(10), c.height());
                j.Bitmap(c, image, QRectF(e.I16(12), haut, c.width(), c.height()), e.U32(6));
            }
        }
        break;
    default:
        break;
    }
}

} // namespace

void JoueWmf(const QByteArray &octets, const QRectF &cadre, QPainter &painter, const QTransform &placement)
{
    TLecteurWmf lecteur(octets);
    if (!lecteur.EnteteValide())
        return;
    TJoueurGdi j(painter, placement, QSizeF(1, 1));
    j.SetMapMode(emf::MmAnisotrope);
    j.SetWindowOrg(cadre.topLeft());
    j.SetWindowExt(cadre.size());
    j.SetViewportOrg(cadre.topLeft());
    j.SetViewportExt(cadre.size());
    TEnregistrementEmf e;
    while (lecteur.Suivant(e))
        Joue(j, e);
}
