#pragma once

#include "Look.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

#include <array>
#include <vector>

class QPainter;
class TBD;
struct TFonteDessin;

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
    ~TBoite();
    TBoite(const TBoite &) = delete;
    TBoite &operator=(const TBoite &) = delete;

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
    // Prints the box for one page by the page's print method: the drawing of
    // the screen (the box at its on-screen bounds, at its look's zoom)
    // magnified by PrintZoom / 100, less the page's origin. Pictures are
    // made at the printer's resolution. Nothing for a zoom of 0 or less.
    void Imprime(QPainter &p, const TParamImpression &page);
    // A picture of the box's width and height with the box drawn at its
    // look's zoom.
    QImage BoiteVersBitmap();
    // Tiles a picture over a rectangle from its top-left corner; nothing
    // when the picture is empty.
    static void RemplitTexture(const QRect &rectangle, QPainter &p, const QImage &image);
    // Forgets the pictures of the boxes (picture lines and backgrounds),
    // decoded once per file and size and shared by all boxes, and where
    // their files were found. Call it when a look or the picture files
    // change; the next paint reads the files again. GUI thread only.
    static void VideCacheImages();

    bool isSelec() const { return m_selec; }
    // True when the value changed (the caller repaints the box).
    bool SetSelec(bool selec);

    int X() const { return m_x; }
    int Y() const { return m_y; }
    // Moves the stored position (the tree shifts its drawing to the margins)
    // and the bounds with it (calls Positionne).
    void Deplace(int dx, int dy);
    int Personne() const { return m_personne; }
    int LookIndex() const { return m_look; }
    bool Homme() const { return m_homme; }
    void SetHomme(bool homme) { m_homme = homme; }
    const QRect &Bounds() const { return m_bounds; }

    // The expanded text lines 0..50; only the lines written take room.
    class TLignes
    {
    public:
        // Line i, made (empty) when missing; i is clamped to 0..50.
        QString &operator[](std::size_t i)
        {
            i = std::min<std::size_t>(i, NbreLignesMax - 1);
            if (m_lignes.size() <= i)
                m_lignes.resize(i + 1);
            return m_lignes[i];
        }
        // Line i, empty when it was never written.
        const QString &operator[](std::size_t i) const
        {
            static const QString vide;
            return i < m_lignes.size() ? m_lignes[i] : vide;
        }

    private:
        std::vector<QString> m_lignes;
    };
    TLignes Lignes;

private:
    // The box's look; an empty look for a look index other than 1 or 2.
    const T1Aff &Aff() const;
    TColor CouleurDuCadre() const;
    // Frame, shadow and background; returns the shadow offset (1 or 0).
    int DessineFond(QPainter &p, const TLookSexe &lookSexe, TColor cadre, int X, int Y, int W,
                    int H) const;
    struct TLigneDisposee;
    // The layout of text line i in `place` pixels, made or reused.
    const TLigneDisposee &Dispose(int i, const QString &texte, const TFonte &f, int hauteurFonte,
                                  const TFonteDessin &fonte, int place);

    const TContexteArbre &m_ctx;
    int m_x = 0;
    int m_y = 0;
    int m_personne = 0;
    int m_look = 0;
    bool m_homme = false;
    bool m_selec = false;
    QRect m_bounds;
    // Per text line, its last layout (font after shrinking, width, shaped
    // text), reused while the text, the font and the room stay the same.
    std::vector<TLigneDisposee> m_disposees;
};
