#include "BitmapFX.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include <QImage>
#include <QPainter>
#include <QString>

using namespace Qt::StringLiterals;

namespace {

double Box(double t)
{
    return t > -0.5 && t <= 0.5 ? 1.0 : 0.0;
}

double Triangle(double t)
{
    t = std::abs(t);
    return t < 1 ? 1 - t : 0.0;
}

double Hermite(double t)
{
    t = std::abs(t);
    return t < 1 ? (2 * t - 3) * t * t + 1 : 0.0;
}

double Bell(double t)
{
    t = std::abs(t);
    if (t < 0.5)
        return 0.75 - t * t;
    if (t < 1.5) {
        const double u = t - 1.5;
        return u * u / 2;
    }
    return 0.0;
}

double BSpline(double t)
{
    t = std::abs(t);
    if (t < 1)
        return (t / 2 - 1) * t * t + 2.0 / 3.0;
    if (t < 2) {
        const double u = 2 - t;
        return u * u * u / 6;
    }
    return 0.0;
}

double Sinc(double t)
{
    if (t == 0)
        return 1.0;
    const double a = std::numbers::pi * t;
    return std::sin(a) / a;
}

double Lanczos3(double t)
{
    return std::abs(t) < 3 ? Sinc(t) * Sinc(t / 3) : 0.0;
}

double Mitchell(double t)
{
    constexpr double B = 1.0 / 3.0;
    constexpr double C = 1.0 / 3.0;
    t = std::abs(t);
    const double t2 = t * t;
    if (t < 1)
        return ((12 - 9 * B - 6 * C) * t * t2 + (-18 + 12 * B + 6 * C) * t2 + (6 - 2 * B)) / 6;
    if (t < 2)
        return ((-B - 6 * C) * t * t2 + (6 * B + 30 * C) * t2 + (-12 * B - 48 * C) * t + (8 * B + 24 * C)) / 6;
    return 0.0;
}

// The weighted source pixels of every destination pixel of one direction,
// stored one list after the other.
struct Contributeurs {
    std::vector<std::int32_t> debut; // index of pixel i's first entry; one more for the end
    std::vector<std::int32_t> indice;
    std::vector<float> poids;
};

Contributeurs Construit(int tailleSource, int tailleDest, double (*filtre)(double), double support)
{
    // A side of 1 in either bitmap has no first-to-last span to keep in
    // line, and (dest - 1) / (source - 1) would be 0 or a division by 0.
    const double echelle = tailleSource == 1 || tailleDest == 1
                               ? double(tailleDest) / tailleSource
                               : double(tailleDest - 1) / (tailleSource - 1);
    const bool reduction = echelle < 1;
    const double rayon = reduction ? support / echelle : support;

    Contributeurs c;
    c.debut.reserve(size_t(tailleDest) + 1);
    const size_t parPixel = size_t(2 * std::ceil(rayon) + 3);
    c.indice.reserve(size_t(tailleDest) * parPixel);
    c.poids.reserve(size_t(tailleDest) * parPixel);
    std::vector<double> poids;
    for (int i = 0; i < tailleDest; ++i) {
        c.debut.push_back(std::int32_t(c.indice.size()));
        const double centre = i / echelle;
        const auto gauche = std::int64_t(std::floor(centre - rayon));
        const auto droite = std::int64_t(std::ceil(centre + rayon));
        const size_t premier = c.indice.size();
        poids.clear();
        double somme = 0;
        for (std::int64_t j = gauche; j <= droite; ++j) {
            const double p = reduction ? filtre((centre - double(j)) * echelle) * echelle : filtre(centre - double(j));
            if (p == 0)
                continue;
            // Mirrored at the edges; a radius wider than the source would
            // still mirror outside it, so the index is also kept inside.
            std::int64_t k = j < 0 ? -j : (j >= tailleSource ? 2 * std::int64_t(tailleSource) - j - 1 : j);
            k = std::clamp<std::int64_t>(k, 0, tailleSource - 1);
            c.indice.push_back(std::int32_t(k));
            poids.push_back(p);
            somme += p;
        }
        if (somme == 0) {
            // No weight reached a source pixel: the nearest one is taken.
            c.indice.resize(premier);
            c.indice.push_back(std::int32_t(std::clamp<double>(std::round(centre), 0, tailleSource - 1)));
            c.poids.push_back(1.0f);
            continue;
        }
        // Weights that do not add up to 1 would brighten or darken the
        // picture where the list is cut by an edge or the filter's samples
        // fall unevenly.
        for (const double p : poids)
            c.poids.push_back(float(p / somme));
    }
    c.debut.push_back(std::int32_t(c.indice.size()));
    return c;
}

inline uchar Octet(float v)
{
    if (v <= 0)
        return 0;
    if (v >= 255)
        return 255;
    return uchar(v + 0.5f);
}

// Every row of `source` into the rows of `travail` (destination width,
// source height). Pixels are 4 bytes, blue, green, red, then the opaque byte.
void PasseHorizontale(const QImage &source, QImage &travail, const Contributeurs &c)
{
    const int largeur = travail.width();
    for (int y = 0; y < source.height(); ++y) {
        const uchar *de = source.constScanLine(y);
        uchar *vers = travail.scanLine(y);
        for (int x = 0; x < largeur; ++x) {
            float b = 0, g = 0, r = 0;
            for (std::int32_t e = c.debut[size_t(x)]; e < c.debut[size_t(x) + 1]; ++e) {
                const uchar *p = de + 4 * c.indice[size_t(e)];
                const float w = c.poids[size_t(e)];
                b += w * p[0];
                g += w * p[1];
                r += w * p[2];
            }
            uchar *q = vers + 4 * x;
            q[0] = Octet(b);
            q[1] = Octet(g);
            q[2] = Octet(r);
            q[3] = 255;
        }
    }
}

// Every column of `travail` into `destination`, a whole row at a time so
// that the source rows are read in order.
void PasseVerticale(const QImage &travail, QImage &destination, const Contributeurs &c)
{
    const size_t n = size_t(destination.width()) * 4;
    std::vector<float> somme(n);
    for (int y = 0; y < destination.height(); ++y) {
        std::fill(somme.begin(), somme.end(), 0.0f);
        for (std::int32_t e = c.debut[size_t(y)]; e < c.debut[size_t(y) + 1]; ++e) {
            const uchar *ligne = travail.constScanLine(c.indice[size_t(e)]);
            const float w = c.poids[size_t(e)];
            for (size_t k = 0; k < n; ++k)
                somme[k] += w * ligne[k];
        }
        uchar *vers = destination.scanLine(y);
        for (size_t k = 0; k < n; ++k)
            vers[k] = Octet(somme[k]);
    }
}

QImage Opaque(const QImage &source)
{
    if (source.format() == QImage::Format_RGB32)
        return source;
    if (!source.hasAlphaChannel())
        return source.convertToFormat(QImage::Format_RGB32);
    QImage opaque(source.size(), QImage::Format_RGB32);
    if (opaque.isNull())
        return opaque;
    opaque.fill(Qt::white);
    QPainter painter(&opaque);
    painter.drawImage(0, 0, source);
    return opaque;
}

} // namespace

const std::array<TFiltre, TBitmapFX::NombreFiltres> &TBitmapFX::Filtres()
{
    static const std::array<TFiltre, NombreFiltres> filtres = {{
        {u"Box", Box, 0.5},
        {u"Triangle", Triangle, 1.0},
        {u"Hermite", Hermite, 1.0},
        {u"Bell", Bell, 1.5},
        {u"B-Spline", BSpline, 2.0},
        {u"Lanczos3", Lanczos3, 3.0},
        {u"Mitchell", Mitchell, 2.0},
    }};
    return filtres;
}

bool TBitmapFX::Stretch(const QImage &source, QImage &destination, int filtre, double support, QString *erreur)
{
    if (source.width() < 1 || source.height() < 1) {
        if (erreur)
            *erreur = u"Source bitmap too small"_s;
        return false;
    }
    if (destination.isNull() || filtre < 0 || filtre >= NombreFiltres || !(support > 0 && support <= SupportMax))
        return false;
    const QImage src = Opaque(source);
    QImage travail(destination.width(), src.height(), QImage::Format_RGB32);
    QImage resultat(destination.size(), QImage::Format_RGB32);
    if (src.isNull() || travail.isNull() || resultat.isNull())
        return false;

    const auto fonction = Filtres()[size_t(filtre)].Fonction;
    PasseHorizontale(src, travail, Construit(src.width(), destination.width(), fonction, support));
    PasseVerticale(travail, resultat, Construit(src.height(), destination.height(), fonction, support));
    destination = resultat;
    return true;
}

bool TBitmapFX::Stretch(const QImage &source, QImage &destination, int filtre)
{
    if (filtre < 0 || filtre >= NombreFiltres)
        return false;
    return Stretch(source, destination, filtre, Filtres()[size_t(filtre)].Support);
}
