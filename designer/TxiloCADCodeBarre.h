#pragma once

#include <QString>

#include "StylesCAD.h"
#include "TxiloCADRect.h"

class TCanevas;

// The EAN-13 bar code kind ("codebarre"): a 13-digit number drawn as the
// GS1 symbol (left guard, six digits of the sets L or G as the first digit
// says, centre guard, six digits of the set R, right guard: 95 modules), its
// digits under the bars, stretched over the box. The symbol does not turn
// with the box; handle 2 (turning) is off.
//
// Keys written after those of boxed objects, in this order: codebarre (the
// digits as they stand), colorBarre, colorFond (colour texts RRGGBB),
// Transparent ("1"/"0").
class TxiloCADCodeBarre final : public TxiloCADRect
{
public:
    // A bar code of that geometry (millimetres, degrees) for a valid
    // number, black bars on white.
    TxiloCADCodeBarre(TxiloCADMdl &modele, double x, double y, double l, double h, double r);

    const QStringList &SaveToStrings() override;
    // Reads codebarre, colorBarre, colorFond and Transparent, then the keys
    // of boxed objects. A missing colour keeps the present one.
    void LoadFromStrings(const QStringList &lignes) override;
    // On the current face: the symbol over the unturned box (DrawEan13);
    // when the number is not 13 digits, the boxed object's message "Il n'y
    // a pas 13 chiffres" instead. Then the frame and handles. The check
    // digit is drawn as given, never computed nor verified.
    void Draw(TCanevas &canevas) override;

    const QString &CodeBarre() const { return m_codeBarre; }
    void SetCodeBarre(const QString &chiffres) { m_codeBarre = chiffres; }
    TColor ColorFond() const { return m_colorFond; }
    void SetColorFond(TColor c) { m_colorFond = c; }
    TColor ColorBarre() const { return m_colorBarre; }
    void SetColorBarre(TColor c) { m_colorBarre = c; }
    // On: no background is painted, the page shows between the bars.
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool b) { m_transparent = b; }

    // Draws the symbol of `chiffres` in the rectangle (pixels) of the
    // canvas: the background unless transparent, the bars, the guard bars
    // half the digit zone longer, and the digits under the bars. Nothing
    // when `chiffres` is not 13 digits or the rectangle is too small to hold
    // a module.
    void DrawEan13(const QString &chiffres, TCanevas &canevas, int gauche, int haut, int largeur,
                   int hauteur) const;

private:
    QString m_codeBarre;
    TColor m_colorFond = CouleurBlanche;
    TColor m_colorBarre = CouleurNoire;
    bool m_transparent = false;
};

// The 95 modules of the EAN-13 symbol of `chiffres`, "1" a bar and "0" a
// space; empty when `chiffres` is not exactly 13 decimal digits.
QString ModulesEan13(const QString &chiffres);
