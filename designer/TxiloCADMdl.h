#pragma once

#include <functional>
#include <memory>
#include <vector>

#include <QImage>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QString>
#include <QStringList>

#include "LignesCles.h"
#include "StylesCAD.h"

class QPainter;
class TCanevas;
class TxiloCADObj;

// What the editor control showing a model lends to its objects: the
// colours of their frames and handles.
class TProprietaireModele
{
public:
    virtual ~TProprietaireModele() = default;
    virtual TColor CouleurCadre() const = 0;     // frames of hovered objects
    virtual TColor CouleurSelection() const = 0; // the selected object
    virtual TColor CouleurActive() const = 0;    // the handle under the pointer
    // The model is about to free `objet`, or every object when it is null,
    // so that the editor forgets it. Nothing by default.
    virtual void ObjetRetire(TxiloCADObj *objet) { (void)objet; }
};

// Switches read by the drawing code of the objects and of the page.
struct TInterrupteursModele {
    bool DeplacementRapide = true; // pictures drawn as outlines while dragged
    bool Messages = true;          // objects with nothing to show say so
    bool RafraichitCache = true;   // picture caches rebuilt at a new size
    bool CadresOrigine = false;    // texts show the box they were loaded with
    bool ReduitTexte = false;      // texts shrink to the width they were loaded with
    bool TousCadres = false;       // every boxed object draws its frame
    bool Remplissage = true;       // off: shapes are drawn unfilled
    int ModeFond = 0;              // 1: the page is filled with the page colour
    bool Interactif = true;        // handles and frames of the editor drawn
    bool Dessine = false;          // set once the page has been drawn
    bool GabaritSurExport = true;  // the template mask drawn on exports
    bool Grille = false;           // the millimetre grid drawn
    bool AimanteMm = false;        // the editor rounds the pointer to millimetres
};

// A page model of a printable design: a page of `Large` x `Haut`
// millimetres, an optional template (a CD label, a case cover...), one or
// more faces, and an ordered list of drawing objects, each on one face,
// drawn first to last. Page lengths are millimetres, angles degrees,
// positive clockwise on screen.
//
// The objects convert their millimetres into pixels of the surface they draw
// on through the model's scales (pixels per millimetre), offsets and page
// angle.
class TxiloCADMdl final
{
public:
    // Fills the placeholder `balise` (the name between "<" and ">", in
    // lower case) of a text or picture name of `objet`: `valeur` arrives
    // empty and leaves with the text to put in.
    using TOnGetTagValue = std::function<void(TxiloCADObj *objet, const QString &balise, QString &valeur)>;
    // Turns the file name an object stores into the path it loads.
    using TOnResolveFile = std::function<void(TxiloCADObj *objet, QString &nom)>;

    // A page of large x haut millimetres drawn on a work bitmap of the
    // rectangle's size (made when first asked for, white), scales from them
    // (1 when the page or the rectangle is empty), no object, face 1.
    // `proprietaire` (not owned, may be null) is the editor showing the
    // model.
    TxiloCADMdl(TProprietaireModele *proprietaire, const QRect &pixels, double large, double haut);
    ~TxiloCADMdl();
    TxiloCADMdl(const TxiloCADMdl &) = delete;
    TxiloCADMdl &operator=(const TxiloCADMdl &) = delete;

    TProprietaireModele *Proprietaire() const { return m_proprietaire; }

    // Page --------------------------------------------------------------
    double Large() const { return m_large; }
    double Haut() const { return m_haut; }
    void SetLarge(double v) { m_large = v; }
    void SetHaut(double v) { m_haut = v; }
    // True when the page can be drawn: both sizes above 0 and at most
    // TailleMaxPage. A bitmap is only ever made for such a page.
    bool PageValide() const;
    static constexpr double TailleMaxPage = 10000.0;
    double FriseX() const { return m_friseX; }
    void SetFriseX(double v) { m_friseX = v; }
    // The template, 0 to 6 (TemplateIndex, Convertisseurs.h); other values
    // are brought into that range.
    int Gabarit() const { return m_gabarit; }
    void SetGabarit(int gabarit);
    // A page key read from the page text (the text of the last file read or
    // saved): the first line whose key is `cle`, letter case ignored;
    // lines indented by blanks are never page keys. The template sizes
    // (PetitDiam, TailleRetour, TailleTranche, TailleRabat) are read so.
    QString ValeurPage(QStringView cle) const;
    // Writes a page key: replaced in place when present, else added before
    // the first face; an empty value removes it.
    void EcritValeurPage(const QString &cle, const QString &valeur);
    const QStringList &TextePage() const { return m_textePage.Lignes(); }

    int FaceCourante() const { return m_faceCourante; }
    void SetFaceCourante(int face) { m_faceCourante = face; }
    TInterrupteursModele &Interrupteurs() { return m_interrupteurs; }
    const TInterrupteursModele &Interrupteurs() const { return m_interrupteurs; }
    int QualiteExport() const { return m_qualiteExport; }
    void SetQualiteExport(int q) { m_qualiteExport = q; }
    TColor CouleurPage() const { return m_couleurPage; }
    void SetCouleurPage(TColor c) { m_couleurPage = c; }
    TColor CouleurFondExport() const { return m_couleurFondExport; }
    void SetCouleurFondExport(TColor c) { m_couleurFondExport = c; }
    // The most pixels per millimetre at which objects compose the bitmaps
    // they stretch onto the page (pictures, played metafiles); 0, the
    // default, for the drawing's own scale. An export drawn at twice its
    // picture's size sets it to the picture's scale while it draws: what is
    // reduced by half afterwards need not be made at twice the size.
    double ResolutionMaxImages() const { return m_resolutionMaxImages; }
    void SetResolutionMaxImages(double v) { m_resolutionMaxImages = v; }

    // Placeholders and file names ----------------------------------------
    void SetOnGetTagValue(TOnGetTagValue f) { m_onGetTagValue = std::move(f); }
    void SetOnResolveFile(TOnResolveFile f) { m_onResolveFile = std::move(f); }
    // The text with each placeholder "<name>" replaced by the value the
    // OnGetTagValue handler gives for the name in lower case (nothing
    // without a handler). The scan resumes at the start of the inserted
    // value, so a value holding a placeholder is filled in turn, but for the
    // placeholders whose values it lies within, which stay as they stand: a
    // value that names itself is filled once. A "<" without ">" and a ">"
    // without "<" stay. Filling stops after RemplacementsMax placeholders or
    // when the text would exceed TailleMaxTexte characters, the rest left as
    // it stands.
    QString RemplitBalises(TxiloCADObj *objet, const QString &texte) const;
    static constexpr int RemplacementsMax = 10000;
    static constexpr qsizetype TailleMaxTexte = 1 << 20;
    // The path for a stored file name, by the OnResolveFile handler; the
    // name unchanged without one.
    QString ResoutFichier(TxiloCADObj *objet, const QString &nom) const;

    // Objects -----------------------------------------------------------
    // A new object of the kind named by `motCle` (letter case ignored:
    // "rectangle"), appended to the list and owned by the model, on face 0
    // (the caller sets the face); nullptr for an unknown kind, the list
    // unchanged.
    TxiloCADObj *AddObject(const QString &motCle);
    // Appends an object made by its caller for this model, drawn on top and
    // owned by the model from now on; its face is left as it is. nullptr,
    // the object freed, when it is null or belongs to another model.
    TxiloCADObj *AddObject(std::unique_ptr<TxiloCADObj> objet);
    // A copy of `objet` made from its keys, appended (drawn on top).
    // nullptr when its kind cannot be made.
    TxiloCADObj *CloneObject(TxiloCADObj &objet);
    // Frees every object.
    void ClearObjects();
    // Removes `objet` from the list and frees it; false, nothing freed, when
    // it is not one of the model's objects.
    bool SupprimeObjet(TxiloCADObj *objet);
    // Number of objects and object i (0-based, drawing order).
    int Count() const { return int(m_objets.size()); }
    TxiloCADObj &Objet(int i) const { return *m_objets[size_t(i)]; }
    // The topmost object of the current face whose hit test finds
    // `point` (page millimetres), with the handle found (0 the body) in
    // *poignee; nullptr when none.
    TxiloCADObj *ObjetSous(QPointF point, int *poignee = nullptr) const;

    // Files ---------------------------------------------------------------
    // Frees the objects, then reads the model file at `chemin`. False when
    // it cannot be read, the objects gone and the page fields as they were;
    // *erreur (may be null) then says why, without the path. The current
    // face and the switches are kept.
    bool LoadFromFile(const QString &chemin, QString *erreur = nullptr);
    // Reads a model from its lines: scales 1; the page keys Large, Haut,
    // FriseX (0 when missing) and Gabarit; then for face 1, 2, ... the
    // objects of the face's blocks, each made from its Name key and set on
    // that face, until the first face without a block. A block of a kind
    // the model does not make (or without Name) is kept as read, as a
    // TxiloCADBloc (TxiloCADBloc.h) that draws nothing, unless it holds no
    // line. The lines become the page text.
    //
    // A model read while no other is (LoadFromFile or LoadFromStrings) opens
    // a reading that the sub-models of its groups, read within it, share:
    // once it has made ObjetsMaxLecture objects or read
    // SousModelesMaxLecture sub-models, the groups read after that get no
    // sub-model (ReserveSousModele) and show "Pas de modèle", while the
    // rest of the design, read before, shows whole. Only the files being
    // read at that moment still make their own objects, each sub-model
    // read whole or not at all: a sub-model that would take the reading
    // past ObjetsPlafondLecture objects is left empty (LectureTronquee).
    // The model read first is never cut. So groups holding groups of
    // groups, however wide each level, cost a bounded time and memory.
    void LoadFromStrings(const QStringList &lignes);
    static constexpr int ObjetsMaxLecture = 10000;
    static constexpr int ObjetsPlafondLecture = 2 * ObjetsMaxLecture;
    static constexpr int SousModelesMaxLecture = 2000;
    // For a group about to read its sub-model: true, one sub-model counted,
    // when the reading under way has budget left, or when no reading is
    // under way; false when its budget is spent.
    static bool ReserveSousModele();
    // True when the last reading of this model, a sub-model read within
    // another, reached ObjetsPlafondLecture and left it empty.
    bool LectureTronquee() const { return m_lectureTronquee; }
    // The model file text, which reads back as the same model:
    // - the lines of the page text before its first face header, then the
    //   page keys found after it whose key is not among them (the first line
    //   of each); Large, Haut, FriseX and Gabarit written over the first line
    //   of their key and the later ones removed (those missing put before
    //   the other keys; Gabarit left out for no template);
    // - one block per face from 1 to the highest face of an object, each
    //   object's key lines under a block name that no line of an object
    //   holds, its Face key and any line that reads as another face's header
    //   giving the face of the block. Objects of a face below 1 are written
    //   on face 1; a face without object gets an empty block, so that the
    //   faces after it are read again.
    QStringList SaveToStrings() const;
    // Writes SaveToStrings() to the file atomically; the saved lines then
    // become the page text. False when the file could not be written, left
    // as it was (or its text could not be encoded); *erreur (may be null)
    // says why.
    bool SaveToFile(const QString &chemin, QString *erreur = nullptr);

    // Geometry ------------------------------------------------------------
    double EchelleX() const { return m_echelleX; }
    double EchelleY() const { return m_echelleY; }
    void SetEchelles(double x, double y);
    double DecalageX() const { return m_decalageX; }
    double DecalageY() const { return m_decalageY; }
    void SetDecalages(double x, double y);
    double AnglePage() const { return m_anglePage; }
    void SetAnglePage(double angle) { m_anglePage = angle; }

    // round(v * scale + offset), kept within -CoordonneeMax..CoordonneeMax
    // (Canevas.h) as every pixel given below: a coordinate read from a file
    // may lie any distance away.
    int MmToPixelX(double v) const;
    int MmToPixelY(double v) const;
    // A distance in pixels as millimetres: n / scale, or n when the scale
    // is 0. No offset is taken off.
    double PixelToMmX(double n) const;
    double PixelToMmY(double n) const;
    // A page point as a pixel: scaled, turned by the page angle, moved by
    // the offsets, rounded.
    QPoint PageToPixel(QPointF point) const;
    // `point` turned by `angle` degrees about `centre`, on screen axes
    // (y downwards, so positive angles turn clockwise on screen).
    static QPointF RotatePoint(QPointF centre, QPointF point, double angle);

    // Drawing helpers -------------------------------------------------------
    // Fills, with the canvas brush and no outline, the box whose opposite
    // corners are the page points a and b and whose sides are turned by
    // `angle`: its other corners are (b.x, a.y) and (a.x, b.y), each turned
    // by twice the angle about the middle of a and b (a and b being two
    // opposite corners of a box turned by `angle`, this gives the other
    // two).
    void FillTurnedBox(TCanevas &canevas, QPointF a, QPointF b, double angle) const;
    // Writes the text in the canvas font turned by `angle` degrees
    // (clockwise on screen), the top-left corner of its cell at `pixel`; the
    // canvas font is left as it was.
    static void TextOutRotated(TCanevas &canevas, QPoint pixel, const QString &texte, double angle);

    // Rendering (RenduMdl.cpp) ---------------------------------------------
    // Draw first sets the scales from the target rectangle (its width /
    // Large and height / Haut) and the offsets to its top-left corner, and
    // leaves them so: the editor's hit tests measure with them. DrawObjects
    // and the exports draw at the scales of their target and give the
    // caller's back. Nothing is drawn, and the exports give false, for a
    // page that is not valid (PageValide) or an empty target.

    // The whole page into the rectangle, as the editor shows it: the drawn
    // flag is set; the rectangle is filled white (with the page colour in
    // background mode 1); the template's guide lines and, with the grid
    // switch, the 10-mm dots and the millimetre grid; the objects of the
    // current face in list order; then the template mask (below).
    void Draw(TCanevas &canevas, const QRect &rect);
    // Draw in two parts, for an editor that redraws one object moving over a
    // page kept as two layers: DrawDessous is Draw with only the objects
    // before index `fin` (0-based, excluded), DrawDessus draws only the
    // objects from index `debut` on and the template mask, without
    // background. DrawDessous(c, r, Count()) then DrawDessus(c, r, Count())
    // is Draw(c, r).
    void DrawDessous(TCanevas &canevas, const QRect &rect, int fin);
    void DrawDessus(TCanevas &canevas, const QRect &rect, int debut);
    // The objects alone, without background, guides or mask, the editor's
    // handles and frames left out (metafiles and printing); the scales,
    // offsets and the interactive switch are the caller's again afterwards.
    void DrawObjects(TCanevas &canevas, const QRect &rect);
    // The page, without background guides, over the whole of `bitmap`, whose
    // size is kept and which becomes a FormatBitmap bitmap (Bitmaps.h): the
    // export background colour, the objects (below export quality 7 drawn at
    // twice the size and reduced by the Box filter, so that their edges are
    // smoothed), then the template mask when the template-on-export switch is
    // on. The scales, offsets and the interactive switch are those of the
    // caller again afterwards. False, the bitmap untouched, when the page is
    // not valid, the bitmap is null, a side exceeds CoteMaxBitmap or memory
    // runs out.
    //
    // The page at twice the size is drawn in bands of rows of about
    // OctetsBandeExport bytes (a multiple of 64 rows), each reduced as it
    // comes (TReductionBandes, BitmapFX.h); in a picture of more than
    // PixelsExportImagesSimples pixels, the pictures of the page are made at
    // the picture's scale (ResolutionMaxImages). The export holds the
    // picture, a band and the pictures of the page, never the doubled page.
    bool ExportBitmap(QImage &bitmap);
    static constexpr int OctetsBandeExport = 16 * 1024 * 1024;
    static constexpr qint64 PixelsExportImagesSimples = 4000000;
    // The pixel size of an export within largeurMax x hauteurMax (each
    // taken at most CoteMaxBitmap): the largest with the page's proportions
    // (its sizes in hundredths of a millimetre) that fits, by FitRect (core/
    // Images.h). An empty size when the page is not valid, a maximum is 0
    // or below, or the fitted picture has a side of 0.
    QSize TailleExport(int largeurMax, int hauteurMax) const;
    // The page exported at TailleExport(largeurMax, hauteurMax) and written
    // atomically at `chemin` as a 24-bit BMP or a JPEG file. When the
    // template-on-export switch is off and `cadre` is not white, a 1-pixel
    // frame of that colour is drawn round the picture. False on any failure,
    // without message and without touching a file already there.
    bool ExportBmp(const QString &chemin, int largeurMax, int hauteurMax, TColor cadre);
    bool ExportJpeg(const QString &chemin, int largeurMax, int hauteurMax, TColor cadre);
    // The template mask, over a rectangle of the page's scale: templates
    // 0, 2, 3, 4 and 5 draw a black 1-pixel frame round it; the CD (1)
    // covers in white what lies outside the disc and inside its centre hole
    // (PetitDiam), with both circles outlined in black; the CD sleeve (6)
    // covers the flaps (TailleRabat high) in white, hatching the two glue
    // flaps of the left half. The CD and sleeve masks are rendered once and
    // kept until the template, the rectangle's size or the template's size
    // key changes: MasqueGabarit() is that kept mask (null before any).
    const QImage &MasqueGabarit() const { return m_masque; }

    // The canvas of the work bitmap, on which objects measure their texts.
    // The bitmap is made at the first call; it is empty when the rectangle
    // given at creation was empty or beyond TailleMaxTravail pixels.
    TCanevas &CanevasTravail();
    static constexpr qint64 TailleMaxTravail = qint64(64) * 1024 * 1024;

private:
    // Drawing helpers of RenduMdl.cpp.
    void Echelles(const QRect &rect);
    void DessineGuides(TCanevas &canevas);
    void DessineGrille(TCanevas &canevas);
    // The objects of indices debut to fin - 1, in list order.
    void DessineObjets(TCanevas &canevas, int debut = 0, int fin = -1);
    void DessineMasque(TCanevas &canevas, const QRect &rect);
    bool Exporte(const QString &chemin, int largeurMax, int hauteurMax, TColor cadre, bool jpeg);
    // The picture ExportBitmap makes, of that size; null when it cannot be
    // made.
    QImage RenduExport(QSize taille);
    // The template size key read from the page text (PetitDiam, TailleRetour,
    // TailleTranche, TailleRabat), in millimetres; 0 when the template has none.
    double CoteGabarit(QStringView cle) const;

    // The object made for a kind name, already lower-cased; nullptr when
    // unknown.
    std::unique_ptr<TxiloCADObj> Fabrique(const QString &motCle);
    // Index of the first line of the page text that the reader can take for
    // a face header (NumeroFace, FichierMdl.h), or the number of lines.
    qsizetype DebutFaces() const;
    // Appends the face blocks of the objects to the lines of the file.
    void EcritFaces(QStringList &lignes) const;

    TProprietaireModele *m_proprietaire;
    TLignesCles m_textePage;
    TOnGetTagValue m_onGetTagValue;
    TOnResolveFile m_onResolveFile;
    int m_faceCourante = 1;
    QSize m_tailleTravail;
    QImage m_travail;
    std::unique_ptr<QPainter> m_painterTravail;
    std::unique_ptr<TCanevas> m_canevasTravail;
    double m_decalageX = 0;
    double m_decalageY = 0;
    double m_large;
    double m_haut;
    double m_anglePage = 0;
    double m_echelleX = 1;
    double m_echelleY = 1;
    double m_friseX = 0;
    std::vector<std::unique_ptr<TxiloCADObj>> m_objets;
    TInterrupteursModele m_interrupteurs;
    int m_qualiteExport = 0;
    TColor m_couleurPage = CouleurRGB(153, 204, 255);
    TColor m_couleurFondExport = CouleurBlanche;
    double m_resolutionMaxImages = 0;
    int m_gabarit = 0;
    bool m_lectureTronquee = false;
    // The kept template mask and what it was rendered for.
    struct CleMasque {
        int Gabarit = -1;
        int Largeur = 0;
        int Hauteur = 0;
        double Cote = 0;
        bool operator==(const CleMasque &) const = default;
    };
    QImage m_masque;
    CleMasque m_cleMasque;
};
