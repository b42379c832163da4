#pragma once

#include <QRect>

class QPainter;
struct TContexteArbre;
struct TParamImpression;

// One line of the tree between two boxes (a child and a parent, or two
// siblings): its shape and the rectangle spanned by its end points. A plain
// object, painted and hit-tested by the tree canvas.
class TLien final
{
public:
    explicit TLien(const TContexteArbre &contexte);

    // Sets the end points (unzoomed tree units), the persons (the child, or
    // the root of a sibling chain; the parent, or the same person again) and
    // the look index; chooses the shape from the look's style and the rectangle
    // (a straight line gets a thickness of half its length, so that it can be
    // clicked); calls Positionne.
    void InitLien(int x1, int y1, int x2, int y2, int personne1, int personne2, int look);
    // On-screen bounds: the rectangle times the look's zoom div 100 (64-bit
    // products); a width or height below 1 becomes 1.
    void Positionne();

    // Draws the link in the rectangle (X, Y, W, H) by its look's Relier:
    // - 0, or a value above 3: nothing;
    // - 3: the picture RelierTexture[shape], found by CheminTextureLien
    //   (Look.h), stretched over the rectangle, its cyan pixels (RGB 0, 255,
    //   255 exactly) left transparent; nothing when the file is missing or
    //   cannot be read;
    // - 1 or 2: the shape's line in RelierColor, straight from its first
    //   point to its last (1) or through its elbows (2); dotted when the
    //   second person is the first person's father, or mother, and that
    //   link's status is above 0 (not sure). The pen is RelierLarge x zoom
    //   div 100 rounded down to even, doubled (the thinnest pen, one pixel,
    //   below 2), with round ends and corners, and kept that half-width from
    //   the rectangle's sides where the shape says so.
    // Lines are drawn without antialiasing and cover both their end points;
    // nothing is drawn outside the rectangle. Nothing for a shape outside
    // 1..9 or an empty rectangle. The painter's state is restored.
    void AfficheLien(QPainter &p, int X, int Y, int W, int H, int zoom);
    // Draws the link at its on-screen bounds at its look's zoom.
    void Paint(QPainter &p);
    // Prints the link for one page, always drawn directly whatever the
    // page's method: the drawing of the screen (the link at its on-screen
    // bounds, at its look's zoom) magnified by PrintZoom / 100, less the page
    // origin. Nothing for a zoom of 0 or less.
    void Imprime(QPainter &p, const TParamImpression &page);
    // Forgets the link pictures, decoded once per file and shared by all
    // links. Call it when a look or the picture files change; the next paint
    // reads the files again. GUI thread only.
    static void VideCacheImages();

    // The end points as given to InitLien (unzoomed tree units).
    QPoint Point1() const { return m_p1; }
    QPoint Point2() const { return m_p2; }
    int Gauche() const { return m_gauche; }
    int Haut() const { return m_haut; }
    int Largeur() const { return m_largeur; }
    int Hauteur() const { return m_hauteur; }
    int Forme() const { return m_forme; }
    int Personne1() const { return m_personne1; }
    int Personne2() const { return m_personne2; }
    int LookIndex() const { return m_look; }
    const QRect &Bounds() const { return m_bounds; }
    // Moves the stored rectangle (the tree shifts its drawing to the margins).
    void Deplace(int dx, int dy);

private:
    const TContexteArbre &m_ctx;
    QPoint m_p1;
    QPoint m_p2;
    int m_gauche = 0;
    int m_haut = 0;
    int m_largeur = 0;
    int m_hauteur = 0;
    int m_forme = 0;
    int m_personne1 = 0;
    int m_personne2 = 0;
    int m_look = 0;
    QRect m_bounds;
};
