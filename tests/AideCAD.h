#pragma once

// Drawing into an image and measuring what was drawn, for the tests of the
// designs.

#include <functional>

#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QImage>
#include <QPainter>
#include <QRect>

#include "CanevasQt.h"
#include "TxiloCADMdl.h"

namespace aidecad {

// The fixed font file the text measures of the tests rely on, loaded once.
inline bool ChargeFonteTest()
{
    static const int id = QFontDatabase::addApplicationFont(QString::fromUtf8(LIGNEE_FONTE_TEST));
    return id >= 0;
}

// A white image of that size with whatever `dessin` draws on its canvas.
inline QImage Dessine(QSize taille, const std::function<void(TCanevas &)> &dessin)
{
    QImage image(taille, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    TCanevasQt canevas(painter);
    dessin(canevas);
    painter.end();
    return image;
}

inline bool Est(const QImage &image, int x, int y, TColor couleur)
{
    return image.pixel(x, y) == CouleurCAD(couleur).rgb();
}

// The smallest rectangle holding every pixel that `garde` keeps; a null
// rectangle when there is none.
inline QRect Boite(const QImage &image, const std::function<bool(QRgb)> &garde)
{
    QRect boite;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (garde(image.pixel(x, y)))
                boite |= QRect(x, y, 1, 1);
        }
    }
    return boite;
}

inline QRect BoiteNonBlanche(const QImage &image)
{
    return Boite(image, [](QRgb c) { return c != qRgb(255, 255, 255); });
}

inline QRect BoiteDe(const QImage &image, TColor couleur)
{
    const QRgb cherche = CouleurCAD(couleur).rgb();
    return Boite(image, [cherche](QRgb c) { return c == cherche; });
}

// The bare file names of `m` (relative, not empty) are looked up in
// `dossier`.
inline void ResoutDans(TxiloCADMdl &m, const QString &dossier)
{
    m.SetOnResolveFile([dossier](TxiloCADObj *, QString &nom) {
        if (!nom.isEmpty() && QFileInfo(nom).isRelative())
            nom = QDir(dossier).filePath(nom);
    });
}

// A page of 200 x 150 mm drawn at 4 pixels per millimetre, whose bare file
// names are looked up in `dossier`.
struct Page200x150 {
    explicit Page200x150(const QString &dossier) { ResoutDans(m, dossier); }
    TxiloCADMdl m{nullptr, QRect(0, 0, 800, 600), 200, 150};
    QImage Dessine()
    {
        return aidecad::Dessine(QSize(800, 600), [this](TCanevas &c) { m.Draw(c, QRect(0, 0, 800, 600)); });
    }
};

inline int Compte(const QImage &image, TColor couleur)
{
    const QRgb cherche = CouleurCAD(couleur).rgb();
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) == cherche;
    }
    return n;
}

} // namespace aidecad
