#include "BordureImage.h"

#include <QPainter>
#include <QTransform>

#include "Arrondi.h"
#include "Bitmaps.h"

namespace {

// A square tile turned by quarter turns clockwise: a turn by whole quarters
// moves pixels without blending them.
QImage Tourne(const QImage &tuile, int quarts)
{
    return quarts == 0 ? tuile : tuile.transformed(QTransform().rotate(90.0 * quarts));
}

} // namespace

std::array<QImage, 8> TuilesBordure(const QImage &bande)
{
    std::array<QImage, 8> tuiles;
    if (bande.isNull() || bande.height() <= 0)
        return tuiles;
    const int t = bande.height();
    const QImage source = bande.convertToFormat(FormatBitmap);
    const QImage coin = source.copy(0, 0, t, t);
    const QImage cote = source.width() >= 2 * t ? source.copy(t, 0, t, t) : coin;
    for (int q = 0; q < 4; ++q) {
        tuiles[size_t(q)] = Tourne(coin, q);
        tuiles[size_t(q + 4)] = Tourne(cote, q);
    }
    return tuiles;
}

int TuileCellule(int mode, int i, int j, int nx, int ny)
{
    const bool gauche = i == 0;
    const bool droite = i == nx - 1;
    const bool haut = j == 0;
    const bool bas = j == ny - 1;
    if (!(gauche || droite || haut || bas))
        return 0;
    int coin = 0;
    if (haut && gauche)
        coin = 1;
    else if (haut && droite)
        coin = 2;
    else if (bas && droite)
        coin = 3;
    else if (bas && gauche)
        coin = 4;
    const auto cote = [&](int g, int b, int d, int h) { return gauche ? g : bas ? b : droite ? d : h; };
    switch (mode) {
    case 0:
        return 1;
    case 1:
        return coin != 0 ? coin : cote(4, 3, 2, 1);
    case 2:
        return coin != 0 ? coin : cote(8, 7, 6, 5);
    case 3:
        return coin;
    case 4:
        return coin != 0 ? 0 : cote(8, 7, 6, 5);
    default:
        return 0;
    }
}

QImage DessineBordure(const QImage &bande, QSize taille, int nx, int ny, QSizeF cellule, int mode)
{
    QImage bitmap = NouveauBitmap(taille);
    if (bitmap.isNull())
        return bitmap;
    const std::array<QImage, 8> tuiles = TuilesBordure(bande);
    if (tuiles[0].isNull())
        return bitmap;
    QPainter painter(&bitmap);
    // Nearest pixels: a tile may hold the transparent colour, which a smoothed
    // stretch would blend into its neighbours.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    const auto place = [&](int i, int j) {
        const int numero = TuileCellule(mode, i, j, nx, ny);
        if (numero == 0)
            return;
        const QPoint debut(Round(i * cellule.width()), Round(j * cellule.height()));
        const QPoint fin(Round((i + 1) * cellule.width()), Round((j + 1) * cellule.height()));
        painter.drawImage(QRect(debut, fin - QPoint(1, 1)), tuiles[size_t(numero - 1)]);
    };
    // The edge cells only: the top and bottom rows, then the sides between.
    for (int i = 0; i < nx; ++i) {
        place(i, 0);
        if (ny > 1)
            place(i, ny - 1);
    }
    for (int j = 1; j < ny - 1; ++j) {
        place(0, j);
        if (nx > 1)
            place(nx - 1, j);
    }
    return bitmap;
}
