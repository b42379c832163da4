#pragma once

#include "Look.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

#include <array>

class QPainter;
class TBD;

// What every box of a tree reads besides its own fields: the database, the
// looks, the current person. The tree builder owns it and keeps SelecPers up
// to date.
struct TContexteArbre {
    const TBD *Bd = nullptr;
    const TLooks *Looks = &::Looks;
    int SelecPers = 0;
};

// Frame colours of the boxes: the current person's (red), a folded person's
// (blue), the others (black).
extern TColor CouleurCadreSelec;
extern TColor CouleurCadrePlie;
extern TColor CouleurCadre;
// Outlines of the margins and lines, an aid while adjusting a look.
extern bool AfficheMarges;

// Where and how a box or a link prints on one page: the page's origin in
// printer pixels of the whole printed plane, the print zoom (per cent), the
// print method (0 direct, 1 through a bitmap, 2 "safe mode": a bitmap copied
// with an AND of the colours).
struct TParamImpression {
    QPoint Origine;
    int PrintZoom = 100;
    int Methode = 2;
};

// One person's box on the tree. A plain object: the tree canvas paints it
// and hit-tests it; it owns no window.
class TBoite final
{
public:
    explicit TBoite(const TContexteArbre &contexte);

    // Sets the box: position in unzoomed tree units, person, look index (1 or
    // 2), sex (0 man); selected when the person is the current one. Calls
    // Positionne.
    void InitBoite(int x, int y, int personne, int look, int sexe);
    // On-screen bounds from the position and the look's width, box height and
    // zoom (value x zoom div 100, computed in 64 bits).
    void Positionne();

    // Draws the box with its top-left corner at (X, Y), W x H pixels, font
    // heights scaled by zoom per cent. The painter's state is restored.
    void AfficheBoite(QPainter &p, int X, int Y, int W, int H, int zoom);
    // Draws the box at its on-screen bounds, at its look's zoom.
    void Paint(QPainter &p);
    // Prints the box for one page by the page's print method.
    void Imprime(QPainter &p, const TParamImpression &page);
    // A picture of the box's width and height with the box drawn at its
    // look's zoom.
    QImage BoiteVersBitmap();
    // Tiles a picture over a rectangle from its top-left corner; nothing
    // when the picture is empty.
    static void RemplitTexture(const QRect &rectangle, QPainter &p, const QImage &image);

    bool isSelec() const { return m_selec; }
    // True when the value changed (the caller repaints the box).
    bool SetSelec(bool selec);

    int X() const { return m_x; }
    int Y() const { return m_y; }
    // Moves the stored position (the tree shifts its drawing to the margins).
    void Deplace(int dx, int dy);
    int Personne() const { return m_personne; }
    int LookIndex() const { return m_look; }
    bool Homme() const { return m_homme; }
    void SetHomme(bool homme) { m_homme = homme; }
    const QRect &Bounds() const { return m_bounds; }

    // The expanded text lines 0..50.
    std::array<QString, NbreLignesMax> Lignes;

private:
    const T1Aff &Aff() const;

    const TContexteArbre &m_ctx;
    int m_x = 0;
    int m_y = 0;
    int m_personne = 0;
    int m_look = 0;
    bool m_homme = false;
    bool m_selec = false;
    QRect m_bounds;
    // The picture of the box's picture line, at its drawn size.
    QImage m_image;
    QString m_nomImage;
};
