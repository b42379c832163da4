#pragma once

#include "StylesCAD.h"
#include "TxiloCADRect.h"

// The month calendar kind ("cal"): the grid of one month in a box that turns
// with the object, 7 columns (Monday first) and 7 rows: a header row of
// weekday letters, then six rows of day numbers. Every cell is shaded from
// the cell colour: 25 % darker in the header, 10 % darker in the Sunday
// column, 5 % darker elsewhere; its numbers and letters are turned with the
// box.
//
// Keys written after those of boxed objects, in this order: Font (font
// text), Name, Jour, Mois, Annee (integers), ColorFond, ColorCase (colour
// texts RRGGBB).
class TxiloCADCal final : public TxiloCADRect
{
public:
    // A calendar of that geometry (millimetres, degrees) for today's date,
    // in Arial, on a white background with cells of (192, 192, 192).
    TxiloCADCal(TxiloCADMdl &modele, double x, double y, double l, double h, double r);

    const QStringList &SaveToStrings() override;
    // Reads Font, Jour, Mois, Annee, ColorFond and ColorCase, then the keys
    // of boxed objects. A number outside 0..65535 reads as 0; a missing
    // Font, ColorFond or ColorCase key keeps the present value.
    void LoadFromStrings(const QStringList &lignes) override;
    // On the current face: the box filled with the background colour unless
    // it is white; the 49 cells, each inset by l / 350 and h / 300, filled
    // and outlined with a thin black pen; for a month of 1 to 12 the weekday
    // letters in the header (language texts 8700 to 8706, "L M M J V S D"
    // when missing) and, for a year of 1 to 9999, the day numbers in their
    // cells; then the frame and handles. The texts are centred in their
    // cells in the object's font at round((l + h) / 50 x horizontal scale)
    // points (the scale's magnitude: a mirrored group changes no size), and
    // left out when that size is not at least 1 point.
    void Draw(TCanevas &canevas) override;

    // Day, month and year, each 0 to 65535 (values beyond are taken as 0).
    // The day is kept and written but not drawn.
    int Jour() const { return m_jour; }
    int Mois() const { return m_mois; }
    int Annee() const { return m_annee; }
    void SetJour(int jour);
    void SetMois(int mois);
    void SetAnnee(int annee);
    const TFonteCAD &Font() const { return m_font; }
    void SetFont(const TFonteCAD &fonte) { m_font = fonte; }
    TColor ColorFond() const { return m_colorFond; }
    void SetColorFond(TColor c) { m_colorFond = c; }
    TColor ColorCase() const { return m_colorCase; }
    void SetColorCase(TColor c) { m_colorCase = c; }

private:
    int m_jour = 0;
    int m_mois = 0;
    int m_annee = 0;
    TFonteCAD m_font;
    TColor m_colorFond = CouleurBlanche;
    TColor m_colorCase = CouleurRGB(192, 192, 192);
};
