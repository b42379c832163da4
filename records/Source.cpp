#include "Source.h"

#include <algorithm>

#include <QFontMetrics>
#include <QPainter>

int VersEcran(int v, int zoom)
{
    if (zoom >= 2 && zoom <= ZoomMax)
        return static_cast<int>(qint64(v) * zoom / 100);
    if (zoom <= -2 && zoom >= -ZoomMax)
        return static_cast<int>(qint64(v) * 100 / -zoom);
    return v;
}

int DepuisEcran(int s, int zoom)
{
    if (zoom >= 2 && zoom <= ZoomMax)
        return static_cast<int>(qint64(s) * 100 / zoom);
    if (zoom <= -2 && zoom >= -ZoomMax)
        return static_cast<int>(qint64(s) * -zoom / 100);
    return s;
}

int ZoomInitial(int largeur)
{
    // Past 3,408 pixels the reduction would leave the zoom's range, where a
    // picture shows at full size: such a picture opens at the smallest size.
    return largeur < 214 ? 100 : static_cast<int>(std::max<qint64>(qint64(largeur) * -100 / 213, -ZoomMax));
}

int ZoomPlus(int zoom)
{
    if (zoom >= ZoomMax)
        return zoom;
    const int z = (zoom / 100) * 100 + 100;
    // Between -100 and 100 every zoom is the full size: the next step is
    // the first enlargement's neighbour, 100.
    return z >= -100 && z <= 100 ? 100 : std::min(z, ZoomMax);
}

int ZoomMoins(int zoom)
{
    if (zoom <= -ZoomMax)
        return zoom;
    const int z = (zoom / 100) * 100 - 100;
    // 0 and -100 would still be the full size.
    return z >= -100 && z <= 0 ? -200 : std::max(z, -ZoomMax);
}

double Facteur(int zoom)
{
    if (zoom >= 2 && zoom <= ZoomMax)
        return zoom / 100.0;
    if (zoom <= -2 && zoom >= -ZoomMax)
        return 100.0 / -zoom;
    return 1.0;
}

QRect BoiteLegende(const TLegende &legende, int zoom, const QFont &police)
{
    const QFontMetrics m(police);
    const int l = m.horizontalAdvance(legende.Texte) + 2;
    const int h = m.height();
    return QRect(VersEcran(legende.X, zoom) - l / 2, VersEcran(legende.Y, zoom) - h / 2, l, h);
}

void DessineLegendes(QPainter &painter, const std::vector<TLegende> &legendes, int selection, int zoom)
{
    painter.save();
    painter.setPen(Qt::black);
    const QFontMetrics m(painter.font());
    for (size_t i = 0; i < legendes.size(); ++i) {
        const QRect boite = BoiteLegende(legendes[i], zoom, painter.font());
        painter.setBrush(static_cast<int>(i) + 1 == selection ? QColor(255, 0, 0) : QColor(255, 255, 0));
        painter.drawRect(boite.adjusted(0, 0, -1, -1));
        painter.drawText(boite.left() + 1, boite.top() + m.ascent(), legendes[i].Texte);
    }
    painter.restore();
}
