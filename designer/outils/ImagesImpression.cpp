#include "ImagesImpression.h"

#include <cmath>
#include <functional>
#include <numbers>
#include <random>

#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "Images.h"

using namespace Qt::StringLiterals;

namespace {

// A smooth noise of the picture's size, 0 to 255: random values on a coarse
// grid, stretched. The generator's raw output is the same everywhere, unlike
// the standard distributions.
QImage Bruit(QSize taille, QSize grille, std::mt19937 &hasard)
{
    QImage petit(grille, QImage::Format_Grayscale8);
    for (int y = 0; y < grille.height(); ++y) {
        uchar *ligne = petit.scanLine(y);
        for (int x = 0; x < grille.width(); ++x)
            ligne[x] = uchar(hasard() >> 24);
    }
    return petit.scaled(taille, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

int Borne(double v)
{
    return std::clamp(int(std::lround(v)), 0, 255);
}

QImage Parchemin()
{
    const QSize taille(630, 891);
    std::mt19937 hasard(1871);
    const QImage large = Bruit(taille, QSize(9, 13), hasard);
    const QImage moyen = Bruit(taille, QSize(40, 57), hasard);
    const QImage fin = Bruit(taille, QSize(210, 297), hasard);
    QImage image(taille, QImage::Format_RGB32);
    for (int y = 0; y < taille.height(); ++y) {
        auto *ligne = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < taille.width(); ++x) {
            const double n = (large.constScanLine(y)[x] - 128) * 0.10 + (moyen.constScanLine(y)[x] - 128) * 0.07
                             + (fin.constScanLine(y)[x] - 128) * 0.04;
            ligne[x] = qRgb(Borne(243 + n), Borne(231 + n * 1.05), Borne(202 + n * 1.2));
        }
    }
    // The edges darken, as an old sheet does.
    QPainter p(&image);
    QRadialGradient bords(QPointF(taille.width() / 2.0, taille.height() / 2.0), taille.height() * 0.62);
    bords.setColorAt(0.55, QColor(140, 95, 40, 0));
    bords.setColorAt(1.0, QColor(140, 95, 40, 110));
    p.fillRect(image.rect(), bords);
    return image;
}

QImage Ciel()
{
    const QSize taille(800, 540);
    QImage image(taille, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient degrade(0, 0, 0, taille.height());
    degrade.setColorAt(0, QColor(62, 118, 190));
    degrade.setColorAt(0.65, QColor(150, 195, 235));
    degrade.setColorAt(1, QColor(215, 232, 246));
    p.fillRect(image.rect(), degrade);
    std::mt19937 hasard(1998);
    const auto tirage = [&hasard](double de, double a) { return de + (a - de) * (hasard() / 4294967296.0); };
    for (int nuage = 0; nuage < 9; ++nuage) {
        const QPointF centre(tirage(0, taille.width()), tirage(40, taille.height() * 0.7));
        const double largeur = tirage(90, 190);
        for (int boule = 0; boule < 7; ++boule) {
            const QPointF c = centre + QPointF(tirage(-largeur, largeur), tirage(-largeur / 5, largeur / 6));
            const double r = tirage(largeur * 0.25, largeur * 0.5);
            QRadialGradient flou(c, r);
            flou.setColorAt(0, QColor(255, 255, 255, 150));
            flou.setColorAt(0.6, QColor(255, 255, 255, 70));
            flou.setColorAt(1, QColor(255, 255, 255, 0));
            p.setPen(Qt::NoPen);
            p.setBrush(flou);
            p.drawEllipse(c, r, r * 0.6);
        }
    }
    return image;
}

QImage Disque()
{
    const QSize taille(480, 480);
    QImage image(taille, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(taille.width() / 2.0, taille.height() / 2.0);
    QRadialGradient degrade(centre, taille.width() / 2.0);
    degrade.setColorAt(0, QColor(30, 40, 95));
    degrade.setColorAt(0.45, QColor(70, 95, 175));
    degrade.setColorAt(0.75, QColor(45, 60, 130));
    degrade.setColorAt(1, QColor(20, 28, 70));
    p.fillRect(image.rect(), degrade);
    // The grooves of the disc.
    p.setBrush(Qt::NoBrush);
    for (int r = 90; r < 240; r += 5) {
        p.setPen(QPen(QColor(255, 255, 255, r % 10 == 0 ? 22 : 12), 1));
        p.drawEllipse(centre, r, r);
    }
    // The light across it.
    QLinearGradient reflet(0, 0, taille.width(), taille.height());
    reflet.setColorAt(0.30, QColor(255, 255, 255, 0));
    reflet.setColorAt(0.45, QColor(255, 255, 255, 45));
    reflet.setColorAt(0.60, QColor(255, 255, 255, 0));
    p.fillRect(image.rect(), reflet);
    return image;
}

// A leaf of length x width pixels centred at `centre`, turned by `angle`
// degrees.
void Feuille(QPainter &p, QPointF centre, double longueur, double largeur, double angle)
{
    p.save();
    p.translate(centre);
    p.rotate(angle);
    QPainterPath feuille;
    feuille.moveTo(-longueur / 2, 0);
    feuille.cubicTo(-longueur / 4, -largeur, longueur / 4, -largeur, longueur / 2, 0);
    feuille.cubicTo(longueur / 4, largeur, -longueur / 4, largeur, -longueur / 2, 0);
    p.setPen(QPen(QColor(40, 95, 40), 1.2));
    p.setBrush(QColor(85, 150, 65));
    p.drawPath(feuille);
    p.setPen(QPen(QColor(45, 105, 45), 0.8));
    p.drawLine(QPointF(-longueur / 2, 0), QPointF(longueur / 2.5, 0));
    p.restore();
}

// The strip of a border: its tiles are drawn on a transparent picture, which
// is written on white.
QImage Bande(int tuile, const std::function<void(QPainter &)> &coin, const std::function<void(QPainter &)> &bord)
{
    QImage image(2 * tuile, tuile, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setClipRect(0, 0, tuile, tuile);
    coin(p);
    p.translate(tuile, 0);
    p.setClipRect(0, 0, tuile, tuile);
    bord(p);
    return image;
}

// A vine along the outer edge: its stem 22 pixels in from the edge.
QImage Feuillage()
{
    constexpr int T = 64;
    constexpr double Tige = 22;
    const QPen tige(QColor(70, 110, 45), 3, Qt::SolidLine, Qt::RoundCap);
    return Bande(
        T,
        [&](QPainter &p) {
            // The stem turns the corner, round a rosette of leaves.
            p.setPen(tige);
            p.setBrush(Qt::NoBrush);
            QPainterPath arc;
            arc.moveTo(T, Tige);
            arc.cubicTo(T - 24, Tige, Tige, T - 24, Tige, T);
            p.drawPath(arc);
            for (int i = 0; i < 4; ++i)
                Feuille(p, QPointF(Tige, Tige) + QPointF(8 * std::cos((45 + 90 * i) * std::numbers::pi / 180),
                                                         8 * std::sin((45 + 90 * i) * std::numbers::pi / 180)),
                        20, 7, 45 + 90 * i);
            p.setPen(QPen(QColor(120, 20, 30), 1));
            p.setBrush(QColor(200, 45, 55));
            p.drawEllipse(QPointF(Tige, Tige), 5, 5);
        },
        [&](QPainter &p) {
            // One wave of the stem per tile, a leaf on each side.
            QPainterPath onde;
            onde.moveTo(0, Tige);
            for (int x = 1; x <= T; ++x)
                onde.lineTo(x, Tige + 4 * std::sin(2 * std::numbers::pi * x / T));
            p.setPen(tige);
            p.setBrush(Qt::NoBrush);
            p.drawPath(onde);
            Feuille(p, QPointF(19, Tige - 5), 20, 7, -35);
            Feuille(p, QPointF(51, Tige + 3), 20, 7, 35);
            p.setPen(QPen(QColor(120, 20, 30), 1));
            p.setBrush(QColor(200, 45, 55));
            p.drawEllipse(QPointF(34, Tige - 7), 2.5, 2.5);
        });
}

// A gilt frame: a broad and a narrow rule, a row of dots inside, a diamond in
// each corner.
QImage Filet()
{
    constexpr int T = 48;
    const QColor or_(190, 150, 60);
    const QColor orFonce(135, 95, 30);
    const QPen large(or_, 4, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    const QPen fin(orFonce, 1.5, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    return Bande(
        T,
        [&](QPainter &p) {
            p.setBrush(Qt::NoBrush);
            p.setPen(large);
            p.drawPolyline(QPolygonF({QPointF(T + 2, 14), QPointF(14, 14), QPointF(14, T + 2)}));
            p.setPen(fin);
            p.drawPolyline(QPolygonF({QPointF(T + 2, 22), QPointF(22, 22), QPointF(22, T + 2)}));
            p.setPen(QPen(orFonce, 1));
            p.setBrush(or_);
            p.drawPolygon(QPolygonF({QPointF(14, 4), QPointF(24, 14), QPointF(14, 24), QPointF(4, 14)}));
            p.setPen(Qt::NoPen);
            p.setBrush(orFonce);
            p.drawEllipse(QPointF(30, 30), 2, 2);
        },
        [&](QPainter &p) {
            p.setPen(large);
            p.drawLine(QPointF(-2, 14), QPointF(T + 2, 14));
            p.setPen(fin);
            p.drawLine(QPointF(-2, 22), QPointF(T + 2, 22));
            p.setPen(Qt::NoPen);
            p.setBrush(orFonce);
            for (int x = 8; x < T; x += 16)
                p.drawEllipse(QPointF(x, 30), 1.6, 1.6);
        });
}

// A head and shoulders in grey on a pale ground, 4 : 5.
QImage Silhouette()
{
    const QSize taille(300, 375);
    QImage image(taille, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fond(0, 0, 0, taille.height());
    fond.setColorAt(0, QColor(214, 222, 230));
    fond.setColorAt(1, QColor(172, 186, 200));
    p.fillRect(image.rect(), fond);
    const QColor gris(98, 108, 122);
    p.setPen(Qt::NoPen);
    p.setBrush(gris);
    QPainterPath buste;
    buste.moveTo(25, taille.height());
    buste.cubicTo(30, 290, 80, 255, 125, 248);
    buste.lineTo(125, 215);
    buste.lineTo(175, 215);
    buste.lineTo(175, 248);
    buste.cubicTo(220, 255, 270, 290, 275, taille.height());
    buste.closeSubpath();
    p.drawPath(buste);
    p.drawEllipse(QPointF(150, 150), 56, 70);
    return image;
}

} // namespace

bool EcritImagesImpression(const QString &images, QStringList &ecrits, QString *erreur)
{
    if (!QDir().mkpath(images)) {
        if (erreur)
            *erreur = images + u" : dossier impossible à créer"_s;
        return false;
    }
    const struct {
        QString Nom;
        std::function<QImage()> Dessin;
    } dessins[] = {
        {u"fond_parchemin.jpg"_s, Parchemin},
        {u"fond_ciel.jpg"_s, Ciel},
        {u"fond_disque.jpg"_s, Disque},
        {u"bordure_feuillage.png"_s, Feuillage},
        {u"bordure_filet.png"_s, Filet},
        {u"silhouette.png"_s, Silhouette},
    };
    for (const auto &image : dessins) {
        const QString chemin = QDir(images).filePath(image.Nom);
        const QImage dessin = image.Dessin();
        const bool ecrit = image.Nom.endsWith(u".jpg"_s) ? EcritJpeg(dessin, chemin) : EcritPng(dessin, chemin);
        if (!ecrit) {
            if (erreur)
                *erreur = chemin + u" : écriture impossible"_s;
            return false;
        }
        ecrits << image.Nom;
    }
    return true;
}

QStringList MetafichiersImpression()
{
    return {u"arbre.emf"_s, u"livre.emf"_s, u"masque_ovale.emf"_s, u"masque_coeur.emf"_s, u"masque_arrondi.emf"_s};
}
