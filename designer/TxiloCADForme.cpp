#include "TxiloCADForme.h"

#include "Bezier.h"
#include "Canevas.h"
#include "Convertisseurs.h"
#include "TxiloCADMdl.h"

using namespace Qt::StringLiterals;

TxiloCADForme::TxiloCADForme(TxiloCADMdl &modele, double x, double y, double l, double h, double r)
    : TxiloCADRect(modele)
{
    SetName(u"Forme"_s);
    SetCentre(x, y);
    SetTaille(l, h);
    SetR(r);
}

void TxiloCADForme::SetPoints(std::vector<QPointF> points)
{
    if (points.size() > size_t(PointsMax))
        points.resize(size_t(PointsMax));
    m_points = std::move(points);
}

void TxiloCADForme::SetCadreForme(double large, double haut)
{
    // The frame divides the points: an empty one would send them away.
    m_formeLarge = large == 0 ? 1 : large;
    m_formeHaut = haut == 0 ? 1 : haut;
}

const QStringList &TxiloCADForme::SaveToStrings()
{
    TxiloCADRect::SaveToStrings();
    m_params.Ecrit(u"Name"_s, Name());
    m_params.Ecrit(u"p"_s, PointsToText(m_points));
    m_params.Ecrit(u"FormeLarge"_s, FloatToText(m_formeLarge));
    m_params.Ecrit(u"FormeHaut"_s, FloatToText(m_formeHaut));
    return m_params.Lignes();
}

void TxiloCADForme::LoadFromStrings(const QStringList &lignes)
{
    m_params.SetLignes(lignes);
    SetCadreForme(TextToFloat(m_params.Valeur(u"FormeLarge")), TextToFloat(m_params.Valeur(u"FormeHaut")));
    SetPoints(TextToPoints(m_params.Valeur(u"p")));
    TxiloCADRect::LoadFromStrings(lignes);
}

std::vector<QPointF> TxiloCADForme::PointsPage() const
{
    // Placed in the unturned box from its top-left corner, then turned about
    // its centre as its handles are, so that the path keeps to its frame
    // whatever the scales of the page.
    const QPointF centre(X(), Y());
    const QPointF coin(X() - L() / 2, Y() - H() / 2);
    const qsizetype n = PointsDuChemin(qsizetype(m_points.size()));
    std::vector<QPointF> page;
    page.reserve(size_t(n));
    for (qsizetype i = 0; i < n; ++i) {
        const QPointF &p = m_points[size_t(i)];
        const QPointF dansLaBoite(coin.x() + L() * p.x() / m_formeLarge, coin.y() + H() * p.y() / m_formeHaut);
        page.push_back(TxiloCADMdl::RotatePoint(centre, dansLaBoite, R()));
    }
    return page;
}

void TxiloCADForme::Draw(TCanevas &canevas)
{
    if (!SurFaceCourante())
        return;
    const TxiloCADMdl &m = Modele();
    canevas.SetStylo(StyloAEchelle(m, Pen()));
    canevas.SetPinceau(Brush());
    TraceBezier(canevas, m, PointsPage(), Brush().Style != PinceauVide && m.Interrupteurs().Remplissage);
    DessineCadre(canevas);
}
