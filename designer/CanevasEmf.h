#pragma once

#include <cstdint>
#include <optional>

#include "Canevas.h"
#include "EcrivainEmf.h"

// The canvas that writes an enhanced metafile: each primitive becomes the
// records with which a Windows device context draws it by the same pixel
// rules (Canevas.h), one logical unit of the metafile being one pixel of the
// picture. Pens, brushes and fonts are created when a primitive first needs
// them after a change, and freed when replaced; texts keep the advances
// the screen gives their characters; pictures are written once, at most at
// the pixels they are drawn on, and those with transparent pixels only by
// the blocks that hold opaque ones, each in two passes, a mask of 1 bit per
// pixel that blackens where it is opaque (AND), then its colours over black
// (OR); Bézier chains stay curves.
class TCanevasEmf final : public TCanevas
{
public:
    // Writes to `ecrivain` (not owned; it outlives the canvas), first the
    // state the primitives rely on (transparent background, odd-even fill,
    // nearest-pixel stretching, texts placed by the start of their base
    // line), inside a saved state. The first figure that reaches beyond the
    // picture clips what follows to it.
    explicit TCanevasEmf(TEcrivainEmf &ecrivain);
    // Termine, when not done.
    ~TCanevasEmf() override;

    // Restores the state saved at creation and frees the objects created;
    // the canvas writes nothing afterwards.
    void Termine();

    void Ligne(QPoint de, QPoint a) override;
    void Polyligne(const QPolygon &points) override;
    void Polygone(const QPolygon &points) override;
    void Rectangle(int gauche, int haut, int droite, int bas) override;
    void Ellipse(int gauche, int haut, int droite, int bas) override;
    void Texte(QPoint coin, const QString &texte) override;
    QSize TailleTexte(const QString &texte) override;
    void Image(const QRect &cible, const QImage &image) override;
    void Bezier(const QPolygon &courbe, const QPolygon &trace, bool remplir) override;

private:
    // The pen and brush as drawn: what draws nothing is StyloVide or
    // PinceauVide, thin pens have width 1, wide pens are solid.
    TStylo StyloTrace() const;
    TPinceau PinceauTrace() const;
    // Selects the pen, brush or font of the canvas state into the metafile
    // when it differs from the one selected.
    void ChoisitStylo();
    void ChoisitPinceau();
    void ChoisitFonte();
    // Creates an object at the free one of the two indices of its kind
    // (`premier` and the next), selects it and frees the one it replaces;
    // `index` is the selected index, 0 for a stock object.
    template <typename Cree>
    void Remplace(std::uint32_t &index, std::uint32_t premier, Cree cree);
    // Selects the pen or brush `voulu` unless it is `choisi` already: the
    // stock object `stock` when it draws nothing, else one made by `cree`
    // (Remplace).
    template <typename T, typename Cree>
    void Choisit(std::optional<T> &choisi, const T &voulu, std::uint32_t &index, std::uint32_t premier,
                 std::uint32_t stock, Cree cree);
    // A rectangle or an ellipse (the record `type`) of those bounds.
    void Cadre(std::uint32_t type, int gauche, int haut, int droite, int bas);
    // A wide pen of style StyloInterieur keeps its outline inside the
    // frame of rectangles and ellipses: the figure (ordered) shrinks.
    void Interieur(int &gauche, int &haut, int &droite, int &bas) const;
    // The pixels a figure of those bounds (inclusive) covers with the pen.
    QRect Etendue(const QRect &figure) const;
    // Clips the drawing to the picture before a figure of those bounds when
    // it reaches beyond and nothing was clipped yet: a page bitmap leaves
    // out what lies off the page, and so do players given the metafile,
    // while some of them misplace the clip of turned texts, which is
    // written only when needed.
    void Decoupe(const QRect &bornes);
    // The figure (left, top, right, bottom) ordered and within the
    // coordinate bounds; false when it is empty or nothing would show.
    bool Figure(int &gauche, int &haut, int &droite, int &bas) const;

    TEcrivainEmf &m_ecrivain;
    bool m_termine = false;
    bool m_decoupe = false;
    std::optional<TStylo> m_stylo;
    std::optional<TPinceau> m_pinceau;
    std::optional<TFonteEmf> m_fonte;
    std::optional<TColor> m_couleurTexte;
    std::uint32_t m_indexStylo = 0;
    std::uint32_t m_indexPinceau = 0;
    std::uint32_t m_indexFonte = 0;
};
