#pragma once

#include "Canevas.h"

class QColor;
class QRectF;
class QFont;
class QPainter;

// The canvas drawing through a QPainter: screen, bitmaps and printers.
// The painter (not owned) must be active for the canvas's life; its pen,
// brush, font and render hints are the canvas's to change while it draws,
// and are left as it set them.
class TCanevasQt final : public TCanevas
{
public:
    explicit TCanevasQt(QPainter &painter);

    void Ligne(QPoint de, QPoint a) override;
    void Polyligne(const QPolygon &points) override;
    void Polygone(const QPolygon &points) override;
    void Rectangle(int gauche, int haut, int droite, int bas) override;
    void Ellipse(int gauche, int haut, int droite, int bas) override;
    void Texte(QPoint coin, const QString &texte) override;
    QSize TailleTexte(const QString &texte) override;
    void Image(const QRect &cible, const QImage &image) override;
    // The painter's device, within its clip when it has one, in the
    // painter's coordinates.
    QRect Zone() const override;

private:
    // Sets the painter's pen and brush from the canvas state, antialiasing
    // off: the pixel rules hold for aliased drawing only.
    void PrepareTrace();
    // The pen is thin and draws: its pixels are laid one by one.
    bool TraitFin() const;
    // Orders the figure (left, top, right, bottom) of a rectangle or an
    // ellipse and gives the path its outline follows. False when nothing is
    // to be drawn.
    bool Cadre(int &gauche, int &haut, int &droite, int &bas, QRectF &chemin) const;

    QPainter &m_painter;
};

// The Qt colour of a model colour (the high byte is not drawn).
QColor CouleurCAD(TColor couleur);
// The font the canvases draw a font with, for a height in pixels.
QFont PoliceCAD(const TFonteCAD &fonte);
