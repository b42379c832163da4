#include "TxiloCADObj.h"

#include <algorithm>

#include "Convertisseurs.h"
#include "TxiloCADMdl.h"

using namespace Qt::StringLiterals;

TxiloCADObj::TxiloCADObj(TxiloCADMdl &modele) : m_modele(modele) {}

TxiloCADObj::~TxiloCADObj() = default;

void TxiloCADObj::SetFace(int face)
{
    m_face = std::clamp(face, 0, FaceMax);
}

bool TxiloCADObj::SurFaceCourante() const
{
    return m_face == m_modele.FaceCourante();
}

const QStringList &TxiloCADObj::SaveToStrings()
{
    m_params.Efface();
    m_params.Ecrit(u"Name"_s, m_name);
    m_params.Ecrit(u"Face"_s, IntToText(m_face));
    if (m_tag != 0)
        m_params.Ecrit(u"Tag"_s, IntToText(m_tag));
    m_params.Ecrit(u"Code"_s, m_code);
    m_params.Ecrit(u"CanSelect"_s, BoolToText(m_canSelect));
    m_params.Ecrit(u"Pen"_s, PenToText(m_pen));
    m_params.Ecrit(u"Brush"_s, BrushToText(m_brush));
    return m_params.Lignes();
}

void TxiloCADObj::LoadFromStrings(const QStringList &lignes)
{
    m_params.SetLignes(lignes);
    // No face, or one that cannot be, is the first.
    const int face = TextToInt(m_params.Valeur(u"Face"));
    SetFace(face <= 0 ? 1 : face);
    m_tag = TextToInt(m_params.Valeur(u"Tag"));
    m_code = m_params.Valeur(u"Code");
    m_canSelect = TextToBool(m_params.Valeur(u"CanSelect"));
    // An absent pen or brush text would read as a dashed black pen or a
    // clear black brush; the object keeps its own instead.
    if (m_params.Contient(u"Pen"))
        m_pen = TextToPen(m_params.Valeur(u"Pen"));
    if (m_params.Contient(u"Brush"))
        m_brush = TextToBrush(m_params.Valeur(u"Brush"));
}

void TxiloCADObj::Draw(TCanevas &canevas)
{
    Q_UNUSED(canevas);
}

int TxiloCADObj::HitTest(QPointF point)
{
    Q_UNUSED(point);
    return -1;
}

void TxiloCADObj::CompleteCopie(const TxiloCADObj &source)
{
    Q_UNUSED(source);
}
