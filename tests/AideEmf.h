#pragma once

// Building enhanced metafiles byte by byte, for the tests of the metafile
// reader, player and import.

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <vector>

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>

#include "LecteurEmf.h"

namespace aideemf {

// A COLORREF.
constexpr std::uint32_t Ref(int r, int g, int b)
{
    return std::uint32_t(r) | (std::uint32_t(g) << 8) | (std::uint32_t(b) << 16);
}

inline void Mot(QByteArray &o, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        o.append(char((v >> (8 * i)) & 0xFF));
}

inline void Demi(QByteArray &o, std::uint16_t v)
{
    o.append(char(v & 0xFF));
    o.append(char(v >> 8));
}

inline void Flottant(QByteArray &o, float f)
{
    std::uint32_t v;
    std::memcpy(&v, &f, 4);
    Mot(o, v);
}

// A metafile being written: a header, the records appended, and an EOF
// record. The recording device is 1,000 x 1,000 pixels over 100 x 100
// millimetres (10 pixels per millimetre) unless said otherwise; the frame is
// in hundredths of a millimetre.
class Emf
{
public:
    explicit Emf(QRect cadre = QRect(QPoint(0, 0), QPoint(2000, 1500)), QSize pixels = QSize(1000, 1000),
                 QSize mm = QSize(100, 100))
        : m_cadre(cadre), m_pixels(pixels), m_mm(mm)
    {
    }

    // A record of that type whose parameters are the bytes given (the type
    // and size are added; the size is the real one unless `taille` is
    // given).
    Emf &Enr(std::uint32_t type, const QByteArray &parametres, std::int64_t taille = -1)
    {
        QByteArray r;
        Mot(r, type);
        Mot(r, std::uint32_t(taille >= 0 ? taille : 8 + parametres.size()));
        r.append(parametres);
        m_records.append(r);
        ++m_nombre;
        return *this;
    }
    // A record of 32-bit parameters.
    Emf &Mots(std::uint32_t type, std::initializer_list<std::uint32_t> mots)
    {
        QByteArray p;
        for (const std::uint32_t m : mots)
            Mot(p, m);
        return Enr(type, p);
    }
    // Bytes appended as they are (a broken record).
    Emf &Brut(const QByteArray &octets)
    {
        m_records.append(octets);
        return *this;
    }
    Emf &SansEof()
    {
        m_eof = false;
        return *this;
    }

    static QByteArray Bornes(QRect r)
    {
        QByteArray o;
        Mot(o, std::uint32_t(r.left()));
        Mot(o, std::uint32_t(r.top()));
        Mot(o, std::uint32_t(r.right()));
        Mot(o, std::uint32_t(r.bottom()));
        return o;
    }
    // Points of 32 or 16 bits after the bounds and the count.
    Emf &Poly(std::uint32_t type, const QList<QPoint> &points)
    {
        const bool seize = type >= emr::PolyBezier16 && type <= emr::PolylineTo16;
        QByteArray p = Bornes(QRect(0, 0, 1, 1));
        Mot(p, std::uint32_t(points.size()));
        for (const QPoint &pt : points)
            Coordonnees(p, pt, seize);
        return Enr(type, p);
    }
    Emf &PolyPoly(std::uint32_t type, const QList<QList<QPoint>> &figures)
    {
        const bool seize = type == emr::PolyPolygon16 || type == emr::PolyPolyline16;
        QByteArray p = Bornes(QRect(0, 0, 1, 1));
        std::uint32_t total = 0;
        for (const auto &f : figures)
            total += std::uint32_t(f.size());
        Mot(p, std::uint32_t(figures.size()));
        Mot(p, total);
        for (const auto &f : figures)
            Mot(p, std::uint32_t(f.size()));
        for (const auto &f : figures) {
            for (const QPoint &pt : f)
                Coordonnees(p, pt, seize);
        }
        return Enr(type, p);
    }
    Emf &Point(std::uint32_t type, QPoint pt) { return Mots(type, {std::uint32_t(pt.x()), std::uint32_t(pt.y())}); }
    // Left, top, right, bottom.
    Emf &Rect(std::uint32_t type, QRect r) { return Enr(type, Bornes(r)); }
    Emf &Crayon(std::uint32_t index, std::uint32_t style, int largeur, std::uint32_t couleur)
    {
        return Mots(emr::CreatePen, {index, style, std::uint32_t(largeur), 0, couleur});
    }
    // A geometric pen (EXTCREATEPEN) of solid colour.
    Emf &CrayonEtendu(std::uint32_t index, std::uint32_t style, int largeur, std::uint32_t couleur)
    {
        return Mots(emr::ExtCreatePen, {index, 0, 0, 0, 0, style | 0x10000, std::uint32_t(largeur), 0, couleur, 0, 0});
    }
    Emf &Brosse(std::uint32_t index, std::uint32_t style, std::uint32_t couleur, std::uint32_t hachure = 0)
    {
        return Mots(emr::CreateBrushIndirect, {index, style, couleur, hachure});
    }
    Emf &Choisit(std::uint32_t index) { return Mots(emr::SelectObject, {index}); }
    Emf &Simple(std::uint32_t type) { return Enr(type, QByteArray()); }
    Emf &Transformation(float m11, float m12, float m21, float m22, float dx, float dy)
    {
        QByteArray p;
        for (const float f : {m11, m12, m21, m22, dx, dy})
            Flottant(p, f);
        return Enr(emr::SetWorldTransform, p);
    }
    // A font (LOGFONTW) of that height and face name; `attributs` holds the
    // italic, underline and strike-out bytes, from the lowest.
    Emf &Fonte(std::uint32_t index, int hauteur, const QString &nom, int escapement = 0, std::uint32_t attributs = 0)
    {
        QByteArray p;
        Mot(p, index);
        Mot(p, std::uint32_t(hauteur));
        Mot(p, 0);
        Mot(p, std::uint32_t(escapement));
        Mot(p, 0);
        Mot(p, 400);
        Mot(p, attributs); // italic, underline, strike-out, charset
        Mot(p, 0); // precisions, quality, pitch
        for (int i = 0; i < 32; ++i)
            Demi(p, i < nom.size() ? nom.at(i).unicode() : 0);
        return Enr(emr::ExtCreateFontIndirectW, p);
    }
    // EXTTEXTOUTW of the text at the reference point.
    Emf &Texte(QPoint reference, const QString &texte, std::uint32_t options = 0, QRect rect = QRect())
    {
        QByteArray p = Bornes(QRect(0, 0, 1, 1));
        Mot(p, 1); // graphics mode
        Flottant(p, 1);
        Flottant(p, 1);
        Mot(p, std::uint32_t(reference.x()));
        Mot(p, std::uint32_t(reference.y()));
        Mot(p, std::uint32_t(texte.size()));
        Mot(p, 76); // string offset
        Mot(p, options);
        p.append(Bornes(rect.isNull() ? QRect(0, 0, 1, 1) : rect));
        Mot(p, 0); // no spacing
        for (const QChar c : texte)
            Demi(p, c.unicode());
        while (p.size() % 4)
            p.append('\0');
        return Enr(emr::ExtTextOutW, p);
    }
    // STRETCHDIBITS of a 24-bit bottom-up picture over the target rectangle
    // (x, y, width, height in logical units).
    Emf &Bitmap(QRect cible, const QImage &image, std::uint32_t rop = 0xCC0020)
    {
        const QImage img = image.convertToFormat(QImage::Format_RGB32);
        const int pas = (img.width() * 3 + 3) / 4 * 4;
        QByteArray info;
        Mot(info, 40);
        Mot(info, std::uint32_t(img.width()));
        Mot(info, std::uint32_t(img.height()));
        Demi(info, 1);
        Demi(info, 24);
        for (int i = 0; i < 6; ++i)
            Mot(info, 0);
        QByteArray bits;
        for (int y = img.height() - 1; y >= 0; --y) {
            QByteArray ligne;
            for (int x = 0; x < img.width(); ++x) {
                const QRgb c = img.pixel(x, y);
                ligne.append(char(qBlue(c)));
                ligne.append(char(qGreen(c)));
                ligne.append(char(qRed(c)));
            }
            while (ligne.size() < pas)
                ligne.append('\0');
            bits.append(ligne);
        }
        QByteArray p = Bornes(QRect(0, 0, 1, 1));
        for (const int v : {cible.x(), cible.y(), 0, 0, img.width(), img.height()})
            Mot(p, std::uint32_t(v));
        Mot(p, 80);
        Mot(p, std::uint32_t(info.size()));
        Mot(p, std::uint32_t(80 + info.size()));
        Mot(p, std::uint32_t(bits.size()));
        Mot(p, 0);
        Mot(p, rop);
        Mot(p, std::uint32_t(cible.width()));
        Mot(p, std::uint32_t(cible.height()));
        p.append(info);
        p.append(bits);
        return Enr(emr::StretchDIBits, p);
    }

    QByteArray Octets() const
    {
        QByteArray corps;
        for (const QByteArray &r : m_records)
            corps.append(r);
        const qsizetype total = 88 + corps.size() + (m_eof ? 20 : 0);
        QByteArray o;
        Mot(o, emr::Header);
        Mot(o, 88);
        // The bounds in the device's pixels.
        const double px = double(m_pixels.width()) / (m_mm.width() * 100.0);
        const double py = double(m_pixels.height()) / (m_mm.height() * 100.0);
        o.append(Bornes(QRect(QPoint(int(m_cadre.left() * px), int(m_cadre.top() * py)),
                              QPoint(int(m_cadre.right() * px), int(m_cadre.bottom() * py)))));
        o.append(Bornes(m_cadre));
        Mot(o, SignatureEmf);
        Mot(o, 0x10000);
        Mot(o, std::uint32_t(total));
        Mot(o, std::uint32_t(m_nombre + 1 + (m_eof ? 1 : 0)));
        Demi(o, 16);
        Demi(o, 0);
        Mot(o, 0);
        Mot(o, 0);
        Mot(o, 0);
        Mot(o, std::uint32_t(m_pixels.width()));
        Mot(o, std::uint32_t(m_pixels.height()));
        Mot(o, std::uint32_t(m_mm.width()));
        Mot(o, std::uint32_t(m_mm.height()));
        o.append(corps);
        if (m_eof) {
            Mot(o, emr::Eof);
            Mot(o, 20);
            Mot(o, 0);
            Mot(o, 16);
            Mot(o, 20);
        }
        return o;
    }

    bool Ecrit(const QString &chemin) const
    {
        QFile f(chemin);
        return f.open(QIODevice::WriteOnly) && f.write(Octets()) >= 0;
    }

private:
    // A point of 16-bit or 32-bit coordinates.
    static void Coordonnees(QByteArray &o, QPoint pt, bool seize)
    {
        if (seize) {
            Demi(o, std::uint16_t(pt.x()));
            Demi(o, std::uint16_t(pt.y()));
        } else {
            Mot(o, std::uint32_t(pt.x()));
            Mot(o, std::uint32_t(pt.y()));
        }
    }

    QRect m_cadre;
    QSize m_pixels;
    QSize m_mm;
    QList<QByteArray> m_records;
    int m_nombre = 0;
    bool m_eof = true;
};

} // namespace aideemf
