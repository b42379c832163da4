#pragma once

#include <array>

#include "TxiloCADObj.h"

// A boxed drawing object: a box given by its centre (x, y), its width l and
// height h, and its rotation r in degrees (clockwise on screen), with eight
// handles and a dotted frame shown while it is edited.
//
// Handles: 0 the centre, 1 top-left corner, 2 top-right, 3 bottom-right,
// 4 bottom-left, 5 middle of the top side, 6 of the right side, 7 of the
// bottom side, 8 of the left side; each turned with the box. Dragging
// handle 2 turns the box, 3 resizes it about its centre, the others resize
// it keeping the opposite side or corner in place. Handles 1 and 4 are off
// by default.
//
// Keys written after those of every object: x, y, l, h, r (decimal texts).
class TxiloCADRect : public TxiloCADObj
{
public:
    explicit TxiloCADRect(TxiloCADMdl &modele);

    const QStringList &SaveToStrings() override;
    // Reads x, y, l, h, r (0 when missing), then the keys of every object.
    void LoadFromStrings(const QStringList &lignes) override;
    // The frame and handles, on the current face only.
    void Draw(TCanevas &canevas) override;
    // -1 when the object cannot be selected; else the last handle (1 to 8,
    // among those on) whose point is less than 3 pixels away on both axes;
    // else 0 when the point is inside the box, sampled as a pixel of
    // hundredths of a millimetre (so the left and top sides of an unturned
    // box are inside, the right and bottom ones outside); else -1. The face
    // is not looked at.
    int HitTest(QPointF point) override;

    double X() const { return m_x; }
    double Y() const { return m_y; }
    double L() const { return m_l; }
    double H() const { return m_h; }
    double R() const { return m_r; }
    void SetCentre(double x, double y);
    void SetTaille(double l, double h);
    void SetR(double r) { m_r = r; }

    // Whether handle i (1 to 8) is on.
    bool AvecPoignee(int i) const;
    void SetAvecPoignee(int i, bool on);
    // The page position of handle i; the centre for i below 1 or above 8.
    QPointF HandlePoint(int i) const;
    // Where handle i lies from the centre, turned with the box: (0, 0) for
    // the centre.
    QPointF DecalagePoignee(int i) const;
    // Handles 1 to 4, the corners.
    std::array<QPointF, 4> Coins() const;

    // Remembers the centre and size at the start of a drag; the resize by a
    // handle works from them.
    void MemoriseDepart();
    QPointF CentreDepart() const { return QPointF(m_x0, m_y0); }
    double LDepart() const { return m_l0; }
    double HDepart() const { return m_h0; }

    // The three operations the editor calls with the pointer (page
    // millimetres) while a handle is dragged.
    // Handle 2: the box turns so that its top-right corner points at the
    // pointer and scales, keeping its proportions, so that the corner comes
    // under it. With Shift held the angle goes to the nearest multiple of
    // 22.5 degrees. Nothing when h is 0.
    virtual void Tourne(QPointF pointeur);
    // Handle 3: the box stays centred and its bottom-right corner follows
    // the pointer; a side below 5 pixels becomes 5 pixels.
    virtual void RedimCentre(QPointF pointeur);
    // The active handle (1 or 4 to 8), from the drag-start box: the side or
    // corner under the handle follows the pointer, the opposite one stays
    // in place; a changed side below 5 pixels becomes 5 pixels. Nothing for
    // other handles.
    virtual void RedimPoignee(QPointF pointeur);
    // Called by the editor when the user lets go of a handle (1 to 8) that
    // turned or resized the box: a kind that keeps a picture made at its
    // size makes it again. Nothing by default.
    virtual void FinRedimension() {}

    // What a kind with nothing to show draws: the box's outline and both
    // diagonals in grey, and the text in grey 8-point Arial, unturned, in
    // the middle of the box.
    void DrawMessage(TCanevas &canevas, const QString &texte);

protected:
    // The frame and handles, as the editor's state asks.
    void DessineCadre(TCanevas &canevas);
    // The side in pixels below which the resize operations stop, in
    // millimetres of each axis.
    void AppliqueMinimum();

private:
    std::array<bool, 9> m_poignees{false, false, true, true, false, true, true, true, true};
    double m_x = 0;
    double m_y = 0;
    double m_l = 0;
    double m_h = 0;
    double m_r = 0;
    double m_x0 = 0;
    double m_y0 = 0;
    double m_l0 = 0;
    double m_h0 = 0;
};
