#pragma once

#include <QSize>
#include <QString>

#include "StylesCAD.h"
#include "TxiloCADRect.h"

// The text kind ("texte"): lines of text laid out in a box that turns with
// the object. The box follows the text: its size is always the measured
// size of the displayed text in the object's font at the model's scales.
// Dragging a corner scales the font to the box (handle 2 turns the box
// first, handle 3 resizes it about its centre); dragging the middle of the
// right side wraps the words again to a new width. Only handles 2, 3 and 6
// are on.
//
// The source text keeps its line breaks as "|" and may hold placeholders,
// tag names between "<" and ">", which the model fills
// (TxiloCADMdl::RemplitBalises) into the displayed text.
//
// Keys written after those of boxed objects, in this order: Font (font
// text, height in thousandths of a millimetre), Aligne, Alignement, txt
// (the source text). Saving a source text that is exactly "<Texte1>",
// "<Texte2>" or "<Texte3>" first sets the code to "texte1", "texte2" or
// "texte3".
//
// The box and font height a text was read with are the room its text has:
// the print window shrinks a longer text into it. So a text read from a
// file whose box is still the one its text gives it (its size set by
// nothing but SetText and drawing) saves the size and font height it was
// read with, placed so that its anchor stays where it is now; a saved model
// thus reads back as the same model. The editor's turn, resize and re-wrap
// make the box they leave the one the text is saved with.
class TxiloCADTexte final : public TxiloCADRect
{
public:
    // Line alignments (Alignement).
    enum : int { AligneGauche = 0, AligneDroite = 1, AligneCentre = 2 };
    // The line separator of the source and displayed texts.
    static constexpr char16_t SeparateurLignes = u'|';
    // Fitting the font to the box never makes the canvas font taller than
    // this many pixels, the largest font the canvases draw.
    static constexpr int HauteurMaxAjustement = 16384;

    // A text at (x, y) turned by r degrees: the text "Texte" (language
    // text 8707) in 12-unit Times New Roman, a box of 8 x 2 mm, centred
    // lines, anchored at its centre. The box "as loaded" is that box.
    TxiloCADTexte(TxiloCADMdl &modele, double x, double y, double r);

    const QStringList &SaveToStrings() override;
    // Reads Font, Aligne, Alignement and txt, then the keys of boxed
    // objects; the box and font height read become the box and height "as
    // loaded"; then SetText(txt). A missing Font or Alignement key keeps the
    // present value; Aligne outside 0..8 reads as 0, Alignement other than
    // 0, 1 or 2 as 2.
    void LoadFromStrings(const QStringList &lignes) override;
    // On the current face:
    // - with the model's text-shrink switch, the font height goes back to
    //   the height as loaded and, when the text is then wider than the box
    //   as loaded, is lowered by steps of 10 to one step below the first
    //   height that fits (never below 1; nothing when the loaded width is 0
    //   or less or the loaded height is not positive);
    // - when the box's width in pixels is not the text's, SetText(source)
    //   gives the box the text's size;
    // - each line is drawn in the font turned with the box, aligned left,
    //   right or centred within the widest line, the lines following each
    //   other from the top of the unturned box. The model's page turn (a
    //   turned group's) turns the letters with the lines. At a negative
    //   scale (a mirrored group) the text keeps its size and reads as it
    //   is: it is drawn as the same text unmirrored at the mirrored place,
    //   turned the other way when one side only is mirrored;
    // - then the frame and handles; in the editor, for a selected or
    //   hovered text anchored at a corner (Aligne 1 to 4), the two sides
    //   meeting there in solid lines; with the loaded-frames switch, the box
    //   as loaded, unturned, in grey.
    void Draw(TCanevas &canevas) override;
    // The boxed turn (handle 2), then the font fitted to the new width.
    void Tourne(QPointF pointeur) override;
    // The boxed resize about the centre (handle 3), then the font fitted to
    // the new width.
    void RedimCentre(QPointF pointeur) override;
    // The re-wrap, whatever the handle: the width is twice the pointer's
    // offset from the centre along the box's width axis (with no minimum),
    // and the words of the source text, its line breaks taken as blanks, are
    // laid greedily on lines narrower than that width, a word wider than it
    // standing alone. The wrapped text becomes the source text; the box
    // takes the text's size, its centre staying.
    void RedimPoignee(QPointF pointeur) override;

    // Sets the source text (blanks at both ends removed), fills its
    // placeholders into the displayed text and gives the box the measured
    // size of that text, positive whatever the scales' signs (a zero scale
    // leaves that side as it is). For an
    // anchor other than the centre, the box moves so that its anchor point
    // stays where it was.
    void SetText(const QString &texte);
    // The size in pixels of the displayed text in the object's font at the
    // model's horizontal scale (its magnitude: a mirror changes no size): the width of its widest line and the sum of
    // its line heights, each line trimmed. The canvas is left with that
    // font.
    QSize Measure(TCanevas &canevas);

    const QString &TexteSource() const { return m_source; }
    const QString &TexteAffiche() const { return m_affiche; }
    // The font, its height in thousandths of a millimetre.
    const TFonteCAD &Font() const { return m_font; }
    void SetFont(const TFonteCAD &fonte) { m_font = fonte; }
    // The handle (0 the centre, 1 to 8) that stays in place when the text
    // changes; values outside 0..8 are taken as 0.
    int Aligne() const { return m_aligne; }
    void SetAligne(int aligne);
    // AligneGauche, AligneDroite or AligneCentre; other values are taken as
    // AligneCentre.
    int Alignement() const { return m_alignement; }
    void SetAlignement(int alignement);
    // The box and the font height as last read from the model file.
    QPointF CentreCharge() const { return QPointF(m_xCharge, m_yCharge); }
    double LCharge() const { return m_lCharge; }
    double HCharge() const { return m_hCharge; }
    int HauteurChargee() const { return m_hauteurChargee; }

    // The canvas the text is measured on outside drawing (setting the text,
    // fitting, wrapping); the model's work canvas while none is set. Not
    // owned; nullptr goes back to the work canvas.
    void SetCanevasMesure(TCanevas *canevas) { m_canevasMesure = canevas; }

private:
    TCanevas &CanevasMesure();
    // The displayed lines, trimmed.
    QStringList Lignes() const;
    // The canvas font for the object's font at the horizontal scale's
    // magnitude.
    TFonteCAD FonteCanevas() const;
    // The box takes a size measured in pixels.
    void PrendTaille(QSize pixels);
    void AjusteALaLargeur();
    void ReduitALaLargeurChargee(TCanevas &canevas);
    void DessineAncre(TCanevas &canevas);
    void DessineCadreCharge(TCanevas &canevas);
    // The present box and font height become those "as loaded".
    void PrendBoiteChargee();

    double m_xCharge = 0;
    double m_yCharge = 0;
    double m_lCharge = 0;
    double m_hCharge = 0;
    int m_hauteurChargee = 0;
    // Read from a file, and the size SetText last gave the box.
    bool m_lu = false;
    QSizeF m_tailleTexte;
    QString m_affiche;
    QString m_source;
    TFonteCAD m_font;
    int m_aligne = 0;
    int m_alignement = AligneCentre;
    TCanevas *m_canevasMesure = nullptr;
};
