#pragma once

#include "TxiloCADObj.h"

class TxiloCADRect;

// The guide mark kind ("repere"): a vertical or horizontal line across the
// whole page, shown only while a design is edited (never printed or
// exported), to which dragged boxed objects snap (Aimante below). It is not
// a boxed object.
//
// Keys written after those of every object: position (decimal millimetres),
// sens and sorte (integers).
class TxiloCADRepere final : public TxiloCADObj
{
public:
    enum TSens : int {
        Verticale = 1,   // at x = position
        Horizontale = 2, // at y = position
    };
    enum TSorte : int {
        SaFace = 1,    // shown on its own face only
        TouteFace = 2, // shown on every face
    };

    // A vertical guide of its own face at 0 mm.
    explicit TxiloCADRepere(TxiloCADMdl &modele);

    const QStringList &SaveToStrings() override;
    // Reads position (rounded to the nearest whole millimetre), sens and
    // sorte (0 when missing), then the keys of every object.
    void LoadFromStrings(const QStringList &lignes) override;
    // Only with the model's interactive switch on, and where the guide is
    // shown (Affichee): a 1-pixel line across the page, solid blue for a
    // guide of its own face; dash-dot black on its face and dashed grey on
    // the others for a guide of every face; red when selected. A selected
    // guide is labelled with its position (MmToText, Convertisseurs.h) in
    // black 8-point Arial on a white box 10 pixels from the page's top (a
    // vertical guide) or left edge (a horizontal one), beside the line, or
    // on its other side when the box would not end inside the page.
    void Draw(TCanevas &canevas) override;
    // 0 when `point` (page millimetres) lies less than 2 pixels across from
    // the line, the guide's cursor then being the split cursor of its
    // direction; -1 otherwise, for a guide that cannot be selected and for
    // a direction other than 1 and 2.
    int HitTest(QPointF point) override;

    double Position() const { return m_position; }
    // As given, not rounded: the editor sets the pointer's position while
    // the guide is dragged, then calls Borne.
    void SetPosition(double position) { m_position = position; }
    // 1 vertical, 2 horizontal; a guide of any other direction draws and
    // hits nothing and draws no object to it.
    int Sens() const { return m_sens; }
    void SetSens(int sens) { m_sens = sens; }
    // 2 shown on every face; any other value on its own face only.
    int Sorte() const { return m_sorte; }
    void SetSorte(int sorte) { m_sorte = sorte; }
    // Whether the guide is shown on `face`; false for a direction other
    // than 1 and 2.
    bool Affichee(int face) const;

    // Keeps a dragged guide on the page: a position less than 5 pixels
    // after the page's start, or less than 6 pixels before its end (pixels
    // of the guide's direction), is brought to that bound and rounded to the
    // nearest whole millimetre; when that millimetre is the page's edge or
    // beyond, to the whole millimetre on the page's side of the bound
    // instead. Nothing for a direction other than 1 and 2.
    void Borne();

private:
    double m_position = 0;
    int m_sens = Verticale;
    int m_sorte = SaFace;
};

// Snaps a boxed object being dragged to the page's edges and to the guides
// shown on its face, as the editor does after each move of the pointer. Its
// centre and its four corners are taken in turn, each once, where the object
// then is, and compared with each line of its direction: x = 0, x = Large
// and the vertical guides, then y = 0, y = Haut and the horizontal guides.
// Each line lying less than 8 pixels from the point (on that axis) moves the
// object's centre by the distance between them, so a point near one line
// lands on it and a point near several is moved by the sum of their
// distances.
void Aimante(TxiloCADRect &objet);
