#pragma once

#include <QPointF>
#include <QString>
#include <QStringList>

#include "LignesCles.h"
#include "StylesCAD.h"

class TCanevas;
class TxiloCADMdl;

// A drawing object of a page model: what every kind shares. Objects are
// made by their model (TxiloCADMdl::AddObject), which owns them; all
// lengths are page millimetres.
//
// Keys written and read by every object, in this order: Name (the kind),
// Face, Tag (only when not 0), Code (only when not empty), CanSelect ("1"
// or "0"), Pen (pen text, width in thousandths of a millimetre), Brush
// (brush text); see Convertisseurs.h for the texts.
class TxiloCADObj
{
public:
    explicit TxiloCADObj(TxiloCADMdl &modele);
    virtual ~TxiloCADObj();
    TxiloCADObj(const TxiloCADObj &) = delete;
    TxiloCADObj &operator=(const TxiloCADObj &) = delete;

    // The object's key lines, written afresh from its values.
    virtual const QStringList &SaveToStrings();
    // Takes the object's values from its key lines. The kind (Name) is not
    // read: the model has chosen it. A Face of 0 or below (or none) reads
    // as 1; a missing CanSelect reads as true; a missing Pen or Brush keeps
    // the present one.
    virtual void LoadFromStrings(const QStringList &lignes);
    // Draws the object on the canvas; nothing in the base.
    virtual void Draw(TCanevas &canevas);
    // The handle of the object at `point` (page millimetres): 0 the body,
    // 1 and up a handle, -1 none. -1 in the base.
    virtual int HitTest(QPointF point);
    // Completes a copy made from the keys of `source` (CloneObject) with
    // what the keys cannot carry, such as the files a kind found where their
    // stored names alone would not find them again. Nothing in the base.
    virtual void CompleteCopie(const TxiloCADObj &source);

    TxiloCADMdl &Modele() const { return m_modele; }
    // The key lines as last read or written.
    const QStringList &Params() const { return m_params.Lignes(); }

    const QString &Name() const { return m_name; }
    const QString &Code() const { return m_code; }
    void SetCode(const QString &code) { m_code = code; }
    // The face, 0 to FaceMax (values beyond are brought into that range).
    int Face() const { return m_face; }
    void SetFace(int face);
    static constexpr int FaceMax = 9999;
    int Tag() const { return m_tag; }
    void SetTag(int tag) { m_tag = tag; }
    bool CanSelect() const { return m_canSelect; }
    void SetCanSelect(bool b) { m_canSelect = b; }
    const TStylo &Pen() const { return m_pen; }
    void SetPen(const TStylo &pen) { m_pen = pen; }
    const TPinceau &Brush() const { return m_brush; }
    void SetBrush(const TPinceau &brush) { m_brush = brush; }

    // The editor's state on the object: the handle under the pointer or
    // being dragged (-1 none, 0 the body), the selection, and the mark set
    // on every object while the selected one is dragged.
    int PoigneeActive() const { return m_poigneeActive; }
    void SetPoigneeActive(int poignee) { m_poigneeActive = poignee; }
    bool Selectionne() const { return m_selectionne; }
    void SetSelectionne(bool b) { m_selectionne = b; }
    bool EnDeplacement() const { return m_enDeplacement; }
    void SetEnDeplacement(bool b) { m_enDeplacement = b; }
    // The cursor the editor shows over the object.
    Qt::CursorShape Curseur() const { return m_curseur; }

protected:
    // Each kind names itself.
    void SetName(const QString &name) { m_name = name; }
    void SetCurseur(Qt::CursorShape c) { m_curseur = c; }
    // The object is drawn only on the model's current face.
    bool SurFaceCourante() const;

    TLignesCles m_params;

private:
    TxiloCADMdl &m_modele;
    TStylo m_pen;
    TPinceau m_brush{CouleurBlanche, PinceauVide};
    int m_poigneeActive = -1;
    bool m_canSelect = true;
    bool m_selectionne = false;
    bool m_enDeplacement = false;
    QString m_name = QStringLiteral("Objet");
    QString m_code;
    int m_face = 0;
    int m_tag = 0;
    Qt::CursorShape m_curseur = Qt::PointingHandCursor;
};
