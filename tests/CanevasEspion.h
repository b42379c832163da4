#pragma once

// A canvas that draws into an image as the program's canvas does and notes
// what it was asked: every text written (with the font it was written in)
// and how many texts it measured.

#include <vector>

#include <QImage>
#include <QPainter>

#include "CanevasQt.h"

namespace aidecad {

struct TexteEcrit {
    QPoint Coin;
    QString Texte;
    TFonteCAD Fonte;
};

class CanevasEspion final : public TCanevas
{
public:
    explicit CanevasEspion(QSize taille) : m_image(taille, QImage::Format_RGB32)
    {
        m_image.fill(Qt::white);
        m_painter.begin(&m_image);
    }

    void Ligne(QPoint de, QPoint a) override { Canevas().Ligne(de, a); }
    void Polyligne(const QPolygon &points) override { Canevas().Polyligne(points); }
    void Polygone(const QPolygon &points) override { Canevas().Polygone(points); }
    void Rectangle(int g, int h, int d, int b) override { Canevas().Rectangle(g, h, d, b); }
    void Ellipse(int g, int h, int d, int b) override { Canevas().Ellipse(g, h, d, b); }
    void Texte(QPoint coin, const QString &texte) override
    {
        Textes.push_back({coin, texte, Fonte()});
        Canevas().Texte(coin, texte);
    }
    QSize TailleTexte(const QString &texte) override
    {
        ++Mesures;
        return Canevas().TailleTexte(texte);
    }
    void Image(const QRect &cible, const QImage &image) override { Canevas().Image(cible, image); }

    // The picture drawn so far.
    QImage Image()
    {
        m_painter.end();
        const QImage copie = m_image.copy();
        m_painter.begin(&m_image);
        return copie;
    }

    std::vector<TexteEcrit> Textes;
    int Mesures = 0;

private:
    TCanevasQt &Canevas()
    {
        m_canevas.SetStylo(Stylo());
        m_canevas.SetPinceau(Pinceau());
        m_canevas.SetFonte(Fonte());
        return m_canevas;
    }

    QImage m_image;
    QPainter m_painter;
    TCanevasQt m_canevas{m_painter};
};

} // namespace aidecad
