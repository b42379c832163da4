#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include "Convertisseurs.h"
#include "Metafichier.h"
#include "TxiloCADRect.h"

// The picture kind ("image"): a picture file shown in a box. A metafile
// (".emf", ".wmf") is played stretched into the box and never turned; a
// raster picture (".png", ".jpg", ".jpeg", ".bmp") is composed once into a
// cached bitmap (stretched to the box, or framed by a tiled border, masked,
// turned), which is then stretched onto the page. The picture name may hold
// placeholders ("<tag>") that the model fills, so that a design can show the
// current person's portrait.
//
// Keys written after those of boxed objects: Name again, FichierImage and
// FichierMasque (the file names alone, without folder), Bordure (the border
// text of Convertisseurs.h: on, tile width, tile height, mode), Transparent
// ("1"/"0"), TransparentColor (RRGGBB).
class TxiloCADImage final : public TxiloCADRect
{
public:
    // A picture at (x, y), l x h millimetres, turned by r degrees, without
    // file; its border off (12 x 12 mm tiles, mode 2), not transparent,
    // magenta as its transparent colour.
    TxiloCADImage(TxiloCADMdl &modele, double x, double y, double l, double h, double r);

    const QStringList &SaveToStrings() override;
    // Reads FichierImage (loading the picture) and FichierMasque (loading the
    // mask), Bordure, Transparent and TransparentColor (missing or empty:
    // magenta), then the keys of boxed objects. A missing Bordure or
    // Transparent keeps the present value.
    void LoadFromStrings(const QStringList &lignes) override;
    // On the current face:
    // - a metafile is played stretched into the box, whose rotation becomes
    //   0 (played at the box's size, no finer than the model's
    //   ResolutionMaxImages);
    // - a raster picture whose turned box would hold more than
    //   PixelsMaxCache pixels, drawn on a canvas that knows its Zone(): made
    //   (as Compose would make it, at the size drawn) only for the part of
    //   the box inside the zone, and made again when that part moves;
    // - any other raster picture: its cache is composed when there is none; when the
    //   box's size in pixels, its turn or its size in millimetres have
    //   changed since the cache was composed, it is composed again only when
    //   no handle is active (1 and up) and the model's cache refresh switch is
    //   on; otherwise the cache there is stretched. The cache is stretched
    //   into the turned box's bounding rectangle centred on the object, its
    //   transparent pixels left out. While the editor drags (the object's
    //   moving mark) with the model's fast-drag switch on, the box's outline
    //   and diagonals are drawn in grey instead;
    // - without a picture, with the model's messages switch on: "Pas
    //   d'image" without a file name, else the file name between double
    //   quotes followed by " non trouvé";
    // - then the frame and handles. Handle 2 (the turn) is on exactly when a
    //   raster picture is loaded.
    void Draw(TCanevas &canevas) override;
    // The resize about the centre; while Shift is held the width then
    // follows the picture's proportions (a raster picture without border,
    // or a metafile).
    void RedimCentre(QPointF pointeur) override;
    // A copy keeps the source's files as they were found, even where its
    // stored file names alone would not find them again.
    void CompleteCopie(const TxiloCADObj &source) override;
    // The box snaps to whole tiles of its border (at least two each way),
    // when the border is on; then Compose, at the size the handle left.
    void FinRedimension() override;

    // Sets the picture from a stored name: the placeholders are filled and
    // the model resolves the result into a path. Nothing happens when that
    // path is the one held. Otherwise it is held; when a file is there the
    // previous picture and cache are dropped and the file is read: a
    // metafile by its extension ".emf" or ".wmf", else a raster picture
    // (LoadPicture, Bitmaps.h); a file that cannot be read leaves no
    // picture. When no file is there the pictures already loaded are kept.
    // The name itself is kept for saving: a name holding placeholders is
    // written back as it was given, so that a model saved keeps them; any
    // other is written as the found file's name alone, or the name given
    // without its folder when nothing was found.
    void SetFichierImage(const QString &nom);
    // The same for the mask, which takes effect only as a metafile: its
    // white areas make the picture transparent.
    void SetFichierMasque(const QString &nom);
    const QString &FichierImage() const { return m_fichierImage; }
    const QString &FichierMasque() const { return m_fichierMasque; }
    const QImage &Image() const { return m_image; }
    const TMetafichier &Metafichier() const { return m_metafichier; }
    const TMetafichier &MasqueMetafichier() const { return m_masqueMetafichier; }

    const TBordure &Bordure() const { return m_bordure; }
    void SetBordure(const TBordure &bordure);
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool b);
    TColor TransparentColor() const { return m_couleurTransparente; }
    void SetTransparentColor(TColor c);

    // Builds the cache from the raster picture at the model's scales (the
    // editor calls it when a resize ends):
    // - without border, the box's size in pixels, reduced when it is larger
    //   than the picture to the largest size of its proportions within the
    //   picture, the picture stretched smoothly over it; when a colour is
    //   to be left out (transparent, masked or turned), that colour is kept
    //   out of the smoothing (EtireTransparent, Bitmaps.h), so that its
    //   edges leave no blend of it;
    // - with the border on (tiles of a positive size), the box's size in
    //   pixels framed by the tiled border (BordureImage.h): nx = the box's
    //   width in millimetres div the tile width and ny likewise, each at
    //   least 2 and at most the box's pixels plus one, the cells stretched
    //   to fill the box, whose size stays: composing, as drawing, never
    //   changes the object; a tile size of 0 or below draws no border;
    // - under a mask metafile, the pixels under its white areas become
    //   magenta and the object becomes transparent in magenta;
    // - turned by the object's rotation (uncovered corners in the transparent
    //   colour, or magenta, then transparent).
    // The model's scales are taken no finer than its ResolutionMaxImages,
    // when it has one, and a box of more than PixelsMaxCache pixels is
    // composed at the largest size of its proportions within that many.
    // Nothing without a raster picture.
    void Compose();
    static constexpr qint64 PixelsMaxCache = qint64(32) * 1024 * 1024;
    // The composed cache (FormatBitmap), null before any.
    const QImage &Cache() const { return m_cache; }
    // The part of a box too large for a cache as last made (its size that of
    // the part shown), null before any.
    const QImage &Partie() const { return m_partie; }
    // The metafile as last played for the page, null before any.
    const QImage &Rendu() const { return m_rendu; }

private:
    // The border is on with tiles of a finite positive size.
    bool AvecBordure() const;
    // The scales a picture is made at: the model's, no finer than its
    // ResolutionMaxImages.
    QSizeF EchellesComposition() const;
    // The turned box holds more than PixelsMaxCache pixels at those scales.
    bool TropGrandPourUnCache() const;
    // The part `partie` (canvas pixels) of the picture turned about the
    // pixel `centre`, transparent where nothing is drawn.
    QImage ComposePartie(const QRect &partie, QPoint centre);
    void OublieCache();
    void DessineRaster(TCanevas &canevas);
    void DessineMetafichier(TCanevas &canevas);
    // The size in pixels of the turned box's bounding rectangle.
    QSize TailleCible() const;

    // SetFichierImage and SetFichierMasque: the path `nom` resolves to
    // becomes `fichier`; when it is another one and a file is there, the
    // file is read into `image` or `metafichier` (the other emptied) and the
    // cache dropped, and the result is true.
    bool ChargeFichier(const QString &nom, QString &fichier, QImage &image, TMetafichier &metafichier);

    // The name to write back for a stored name and the path it resolved to.
    QString NomAEcrire(const QString &nom, const QString &chemin) const;

    QString m_nomImage;
    QString m_nomMasque;
    QString m_fichierImage;
    QString m_fichierMasque;
    QImage m_image;
    TMetafichier m_metafichier;
    QImage m_masque;
    TMetafichier m_masqueMetafichier;
    TBordure m_bordure;
    bool m_transparent = false;
    TColor m_couleurTransparente = CouleurMagenta;

    // The cache and what it was composed for: the size it was asked for (a
    // size reduced to the picture, or capped, differs from it), the turn and
    // the box's size.
    struct CleCache {
        QSize Cible;
        double R = 0;
        double L = 0;
        double H = 0;
        bool operator==(const CleCache &) const = default;
    };
    QImage m_cache;
    QImage m_cacheAffiche;
    CleCache m_cleCache;
    // A box too large for a cache: the part drawn last, and where.
    struct ClePartie {
        QRect Partie;
        QPoint Centre;
        QSize Cible;
        double R = 0;
        double L = 0;
        double H = 0;
        bool operator==(const ClePartie &) const = default;
    };
    QImage m_partie;
    ClePartie m_clePartie;
    // The metafile as last played, and the box's size in pixels it was
    // played for.
    QImage m_rendu;
    QSize m_tailleRendu;
};
