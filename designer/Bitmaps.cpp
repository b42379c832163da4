#include "Bitmaps.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include <QRect>
#include <QString>

#include "Arrondi.h"
#include "Canevas.h"
#include "Images.h"

namespace {

QRgb Rgb(TColor c)
{
    return qRgb(RougeDe(c), VertDe(c), BleuDe(c));
}

int Eclaircit(int composante, int pourcent)
{
    return std::clamp(Round(composante * (100.0 + pourcent) / 100.0), 0, 255);
}

} // namespace

QImage NouveauBitmap(QSize taille)
{
    if (taille.width() <= 0 || taille.height() <= 0 || taille.width() > CoteMaxBitmap
        || taille.height() > CoteMaxBitmap)
        return QImage();
    QImage bitmap(taille, FormatBitmap);
    if (!bitmap.isNull())
        bitmap.fill(Qt::white);
    return bitmap;
}

bool LoadPicture(QImage &bitmap, const QString &fichier)
{
    QImage lue;
    const bool charge = ChargeImage(lue, fichier);
    if (charge)
        bitmap = lue;
    if (!bitmap.isNull() && bitmap.format() != FormatBitmap)
        bitmap = bitmap.convertToFormat(FormatBitmap);
    return charge;
}

void PrintBitmap(TCanevas &canevas, const QRect &rect, const QImage &bitmap)
{
    // A picture with transparency would let the paper show through; a
    // printed bitmap is opaque.
    if (bitmap.hasAlphaChannel())
        canevas.Image(rect, bitmap.convertToFormat(FormatBitmap));
    else
        canevas.Image(rect, bitmap);
}

QImage RotateBitmap(const QImage &source, TColor fond, double angle)
{
    if (source.isNull())
        return QImage();
    if (!std::isfinite(angle))
        angle = 0;
    angle = std::fmod(angle, 360.0);
    if (angle < 0)
        angle += 360;
    const double a = angle * std::numbers::pi / 180;
    // A quarter turn must swap the sides exactly, not by a rounding of
    // 6e-17.
    double s = std::sin(a);
    double c = std::cos(a);
    if (std::abs(s) < 1e-12)
        s = 0;
    if (std::abs(c) < 1e-12)
        c = 0;

    const int w = source.width();
    const int h = source.height();
    int w2 = 0;
    int h2 = 0;
    if (s * c >= 0) {
        w2 = Round(std::abs(w * c) + std::abs(h * s));
        h2 = Round(std::abs(w * s) + std::abs(h * c));
    } else {
        w2 = Round(std::abs(w * c - h * s));
        h2 = Round(std::abs(w * s - h * c));
    }
    QImage tournee(std::max(w2, 1), std::max(h2, 1), FormatBitmap);
    if (tournee.isNull())
        return tournee;
    tournee.fill(Rgb(fond));
    const QImage src = source.format() == FormatBitmap ? source : source.convertToFormat(FormatBitmap);

    // Both pictures turn about their pixel-centre middle, (size - 1) / 2: a
    // middle taken as size div 2 (with a correction by the quadrant) loses a
    // row or a column of the picture on quarter and half turns and leaves a
    // line of background in its place.
    const double cx2 = (w2 - 1) / 2.0;
    const double cy2 = (h2 - 1) / 2.0;
    const double cx = (w - 1) / 2.0;
    const double cy = (h - 1) / 2.0;
    for (int y2 = 0; y2 < tournee.height(); ++y2) {
        auto *ligne = reinterpret_cast<QRgb *>(tournee.scanLine(y2));
        const double dy = y2 - cy2;
        for (int x2 = 0; x2 < tournee.width(); ++x2) {
            const double dx = x2 - cx2;
            const int sx = Round(dx * c - dy * s + cx);
            const int sy = Round(dx * s + dy * c + cy);
            if (sx >= 0 && sx < w && sy >= 0 && sy < h)
                ligne[x2] = reinterpret_cast<const QRgb *>(src.constScanLine(sy))[sx];
        }
    }
    return tournee;
}

void ApplyMask(QImage &bitmap, const QImage &masque)
{
    if (bitmap.isNull() || masque.isNull())
        return;
    if (bitmap.format() != FormatBitmap)
        bitmap = bitmap.convertToFormat(FormatBitmap);
    const QImage etire =
        masque.scaled(bitmap.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation).convertToFormat(FormatBitmap);
    if (etire.isNull())
        return;
    const QRgb blanc = qRgb(255, 255, 255);
    const QRgb magenta = Rgb(CouleurMagenta);
    for (int y = 0; y < bitmap.height(); ++y) {
        const auto *m = reinterpret_cast<const QRgb *>(etire.constScanLine(y));
        auto *p = reinterpret_cast<QRgb *>(bitmap.scanLine(y));
        for (int x = 0; x < bitmap.width(); ++x) {
            if (m[x] == blanc)
                p[x] = magenta;
        }
    }
}

TColor LightenColor(TColor couleur, int pourcent)
{
    return CouleurRGB(Eclaircit(RougeDe(couleur), pourcent), Eclaircit(VertDe(couleur), pourcent),
                      Eclaircit(BleuDe(couleur), pourcent));
}

QImage RendTransparent(const QImage &bitmap, TColor transparente)
{
    if (bitmap.isNull())
        return QImage();
    QImage sortie = bitmap.convertToFormat(QImage::Format_ARGB32);
    if (sortie.isNull())
        return sortie;
    const QRgb cle = Rgb(transparente);
    for (int y = 0; y < sortie.height(); ++y) {
        auto *p = reinterpret_cast<QRgb *>(sortie.scanLine(y));
        for (int x = 0; x < sortie.width(); ++x)
            p[x] = (p[x] | 0xFF000000u) == cle ? 0u : (p[x] | 0xFF000000u);
    }
    return sortie;
}

QImage EtireTransparent(const QImage &bitmap, QSize taille, TColor transparente)
{
    if (bitmap.isNull() || taille.isEmpty())
        return QImage();
    // The transparent colour made an alpha of 0 first weighs nothing in the
    // smoothing of premultiplied pixels: the blends along its edges are of
    // the picture's own colours, with an alpha telling how much of the
    // picture they hold.
    const QImage lisse = RendTransparent(bitmap, transparente)
                             .convertToFormat(QImage::Format_ARGB32_Premultiplied)
                             .scaled(taille, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QImage sortie(lisse.size(), FormatBitmap);
    if (lisse.isNull() || sortie.isNull())
        return QImage();
    const QRgb cle = Rgb(transparente);
    for (int y = 0; y < sortie.height(); ++y) {
        const auto *p = reinterpret_cast<const QRgb *>(lisse.constScanLine(y));
        auto *s = reinterpret_cast<QRgb *>(sortie.scanLine(y));
        for (int x = 0; x < sortie.width(); ++x) {
            if (qAlpha(p[x]) < 128) {
                s[x] = cle;
                continue;
            }
            // A blend that rounds to the transparent colour itself would
            // vanish: one unit of blue keeps it.
            const QRgb c = qUnpremultiply(p[x]) | 0xFF000000u;
            s[x] = c == cle ? c ^ 1u : c;
        }
    }
    return sortie;
}

void DessineTransparent(TCanevas &canevas, const QRect &rect, const QImage &bitmap, TColor transparente)
{
    canevas.Image(rect, RendTransparent(bitmap, transparente));
}
