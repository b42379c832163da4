#include "BitmapFX.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <deque>
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

// One source row into one row of destination width, by the horizontal
// contributors. Pixels are 4 bytes, blue, green, red, then the opaque byte.
void LigneHorizontale(const uchar *de, uchar *vers, int largeur, const Contributeurs &c)
{
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

// Every row of `source` into the rows of `travail` (destination width,
// source height).
void PasseHorizontale(const QImage &source, QImage &travail, const Contributeurs &c)
{
    const int largeur = travail.width();
    for (int y = 0; y < source.height(); ++y)
        LigneHorizontale(source.constScanLine(y), travail.scanLine(y), largeur, c);
}

// Destination row y from the rows its vertical contributors name, each given
// by `ligne`; `somme` holds the n sums of the row's bytes.
template <class Ligne>
void LigneVerticale(int y, uchar *vers, const Contributeurs &c, std::vector<float> &somme, Ligne ligne)
{
    const size_t n = somme.size();
    std::fill(somme.begin(), somme.end(), 0.0f);
    for (std::int32_t e = c.debut[size_t(y)]; e < c.debut[size_t(y) + 1]; ++e) {
        const uchar *de = ligne(c.indice[size_t(e)]);
        const float w = c.poids[size_t(e)];
        for (size_t k = 0; k < n; ++k)
            somme[k] += w * de[k];
    }
    for (size_t k = 0; k < n; ++k)
        vers[k] = Octet(somme[k]);
}

// Every column of `travail` into `destination`, a whole row at a time so
// that the source rows are read in order.
void PasseVerticale(const QImage &travail, QImage &destination, const Contributeurs &c)
{
    std::vector<float> somme(size_t(destination.width()) * 4);
    for (int y = 0; y < destination.height(); ++y)
        LigneVerticale(y, destination.scanLine(y), c, somme, [&](int j) { return travail.constScanLine(j); });
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

struct TReductionBandes::Etat {
    Contributeurs horizontaux;
    Contributeurs verticaux;
    // For each destination row, the last source row it reads, and the
    // first source row that it or any later row reads.
    std::vector<std::int32_t> derniere;
    std::vector<std::int32_t> premiereSuite;
    // The horizontally resampled source rows still needed, from `base` on.
    std::deque<std::vector<uchar>> lignes;
    int base = 0;
    std::vector<float> somme;
};

TReductionBandes::TReductionBandes(QSize source, QImage &destination, int filtre, double support)
    : m_source(source), m_destination(destination)
{
    if (source.width() < 1 || source.height() < 1 || destination.isNull() || filtre < 0
        || filtre >= TBitmapFX::NombreFiltres || !(support > 0 && support <= TBitmapFX::SupportMax))
        return;
    if (destination.format() != QImage::Format_RGB32) {
        destination = destination.convertToFormat(QImage::Format_RGB32);
        if (destination.isNull())
            return;
    }
    const auto fonction = TBitmapFX::Filtres()[size_t(filtre)].Fonction;
    m_etat = std::make_unique<Etat>();
    Etat &e = *m_etat;
    e.horizontaux = Construit(source.width(), destination.width(), fonction, support);
    e.verticaux = Construit(source.height(), destination.height(), fonction, support);
    const int hauteur = destination.height();
    e.derniere.resize(size_t(hauteur));
    e.premiereSuite.resize(size_t(hauteur));
    for (int y = hauteur - 1; y >= 0; --y) {
        const auto debut = e.verticaux.indice.begin() + e.verticaux.debut[size_t(y)];
        const auto fin = e.verticaux.indice.begin() + e.verticaux.debut[size_t(y) + 1];
        const auto [bas, haut] = std::minmax_element(debut, fin);
        e.derniere[size_t(y)] = *haut;
        e.premiereSuite[size_t(y)] =
            y + 1 < hauteur ? std::min(*bas, e.premiereSuite[size_t(y) + 1]) : *bas;
    }
    e.somme.assign(size_t(destination.width()) * 4, 0.0f);
}

TReductionBandes::~TReductionBandes() = default;

bool TReductionBandes::Ajoute(const QImage &bande, int nombre)
{
    if (!m_etat || bande.format() != QImage::Format_RGB32 || bande.width() != m_source.width() || nombre < 0
        || nombre > bande.height() || m_recues + nombre > m_source.height())
        return false;
    Etat &e = *m_etat;
    const size_t octets = size_t(m_destination.width()) * 4;
    for (int i = 0; i < nombre; ++i) {
        e.lignes.emplace_back(octets);
        LigneHorizontale(bande.constScanLine(i), e.lignes.back().data(), m_destination.width(), e.horizontaux);
        ++m_recues;
        // Every destination row whose source rows have all come.
        while (m_faites < m_destination.height() && e.derniere[size_t(m_faites)] < m_recues) {
            LigneVerticale(m_faites, m_destination.scanLine(m_faites), e.verticaux, e.somme,
                           [&e](int j) { return e.lignes[size_t(j - e.base)].data(); });
            ++m_faites;
            const int garde = m_faites < m_destination.height() ? e.premiereSuite[size_t(m_faites)] : m_recues;
            while (e.base < garde && !e.lignes.empty()) {
                e.lignes.pop_front();
                ++e.base;
            }
        }
    }
    return true;
}

bool TReductionBandes::Complete() const
{
    return m_etat && m_faites == m_destination.height();
}
