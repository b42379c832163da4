#include "TxiloCADRectangle.h"

#include <cmath>
#include <numbers>

#include <QPolygon>

#include "Arrondi.h"
#include "Canevas.h"
#include "Convertisseurs.h"
#include "TxiloCADMdl.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int CotesEllipse = 50;

} // namespace

TxiloCADRectangle::TxiloCADRectangle(TxiloCADMdl &modele, double x, double y, double l, double h, double r)
    : TxiloCADRect(modele)
{
    SetName(u"Rectangle"_s);
    SetCentre(x, y);
    SetTaille(l, h);
    SetR(r);
}

void TxiloCADRectangle::SetCote(int cote)
{
    // A count read without its key is 0, and the polygon divides by it.
    m_cote = cote < 3 ? 4 : std::min(cote, CoteMax);
}

const QStringList &TxiloCADRectangle::SaveToStrings()
{
    TxiloCADRect::SaveToStrings();
    m_params.Ecrit(u"Name"_s, Name());
    m_params.Ecrit(u"Cote"_s, IntToText(m_cote));
    return m_params.Lignes();
}

void TxiloCADRectangle::LoadFromStrings(const QStringList &lignes)
{
    m_params.SetLignes(lignes);
    SetCote(TextToInt(m_params.Valeur(u"Cote")));
    TxiloCADRect::LoadFromStrings(lignes);
}

std::vector<QPointF> TxiloCADRectangle::Sommets() const
{
    const QPointF centre(X(), Y());
    std::vector<QPointF> points;
    if (m_cote == 3) {
        for (const QPointF p : {QPointF(X(), Y() - H() / 2), QPointF(X() + L() / 2, Y() + H() / 2),
                                QPointF(X() - L() / 2, Y() + H() / 2)})
            points.push_back(TxiloCADMdl::RotatePoint(centre, p, R()));
        return points;
    }
    if (m_cote == 4) {
        const auto coins = Coins();
        return std::vector<QPointF>(coins.begin(), coins.end());
    }
    const int n = m_cote == CoteEllipse ? CotesEllipse : m_cote;
    points.reserve(size_t(n) + 1);
    for (int i = 0; i <= n; ++i) {
        const double t = 2 * std::numbers::pi * i / n;
        const QPointF p(X() + std::cos(t) * L() / 2, Y() + std::sin(t) * H() / 2);
        points.push_back(TxiloCADMdl::RotatePoint(centre, p, R()));
    }
    return points;
}

void TxiloCADRectangle::Draw(TCanevas &canevas)
{
    if (!SurFaceCourante())
        return;
    const TxiloCADMdl &m = Modele();
    TStylo stylo = Pen();
    // A mirrored page has a negative scale; the pen keeps its width.
    stylo.Largeur = Round(Pen().Largeur / 1000.0 * (std::abs(m.EchelleX()) + std::abs(m.EchelleY())) / 2);
    canevas.SetStylo(stylo);
    TPinceau pinceau = Brush();
    if (!m.Interrupteurs().Remplissage)
        pinceau.Style = PinceauVide;
    canevas.SetPinceau(pinceau);

    const std::vector<QPointF> sommets = Sommets();
    QPolygon polygone;
    polygone.reserve(qsizetype(sommets.size()));
    for (const QPointF &p : sommets)
        polygone.append(m.PageToPixel(p));
    canevas.Polygone(polygone);
    DessineCadre(canevas);
}
