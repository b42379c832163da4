#include "ImportEmf.h"

#include <algorithm>
#include <vector>

#include "Convertisseurs.h"
#include "LecteurEmf.h"
#include "Metafichier.h"
#include "TxiloCADLigne.h"
#include "TxiloCADMdl.h"

using namespace Qt::StringLiterals;

namespace {

// Pen widths of the metafile become thousandths of a millimetre by this
// divisor, as the models made from metafiles were drawn.
constexpr int DiviseurLargeur = 35;

class TImport final
{
public:
    explicit TImport(TxiloCADMdl &modele) : m_modele(modele) {}
    ~TImport() { Termine(); }
    TImport(const TImport &) = delete;
    TImport &operator=(const TImport &) = delete;

    void Traite(const TEnregistrementEmf &e)
    {
        switch (e.Type()) {
        case emr::Header: {
            const QRect cadre = e.Rect32(24);
            m_modele.SetLarge(cadre.right() / 100.0);
            m_modele.SetHaut(cadre.bottom() / 100.0);
            break;
        }
        case emr::BeginPath:
            Nouvelle();
            break;
        case emr::EndPath:
        case emr::AbortPath:
            Termine();
            m_dansChemin = false;
            break;
        case emr::MoveToEx:
        case emr::LineTo:
            Droit(e.Point32(8));
            break;
        case emr::PolylineTo16:
            for (qsizetype i = 0; i < qsizetype(e.U32(24)); ++i)
                Droit(e.Point16(28 + 4 * i));
            break;
        case emr::PolyBezierTo16:
            for (qsizetype i = 0; i < qsizetype(e.U32(24)) && Ouverte(); ++i)
                Ajoute(e.Point16(28 + 4 * i));
            break;
        case emr::CreatePen:
            // Kept for the lines begun after it: a pen is created before the
            // path it strokes.
            m_stylo.Couleur = e.U32(24) & 0xFFFFFF;
            m_stylo.Largeur = std::clamp(e.I32(16) / DiviseurLargeur, 0, LargeurStyloMax);
            break;
        case emr::CreateBrushIndirect: {
            const std::uint32_t style = e.U32(12);
            m_pinceau = TPinceau{e.U32(16) & 0xFFFFFF, style <= std::uint32_t(PinceauMax) ? int(style) : PinceauPlein};
            break;
        }
        case emr::FillPath:
            if (m_ligne)
                m_ligne->SetBrush(m_pinceau);
            break;
        default:
            break;
        }
    }

private:
    bool Ouverte() const { return m_ligne && m_dansChemin && m_points.size() < size_t(PointsMax); }

    void Nouvelle()
    {
        Termine();
        m_ligne = dynamic_cast<TxiloCADLigne *>(m_modele.AddObject(u"ligne"_s));
        m_dansChemin = m_ligne != nullptr;
        if (!m_ligne)
            return;
        m_ligne->SetFace(1);
        m_ligne->SetPen(m_stylo);
    }

    // The points gathered are given to the line when its path ends.
    void Termine()
    {
        if (m_ligne && !m_points.empty())
            m_ligne->SetPoints(m_points);
        m_points.clear();
    }

    static QPointF Mm(QPoint p) { return QPointF(p.x() / 100.0, p.y() / 100.0); }

    void Ajoute(QPoint p) { m_points.push_back(Mm(p)); }

    // A straight segment to the point: its control points on its ends.
    void Droit(QPoint p)
    {
        if (!Ouverte())
            return;
        const QPointF q = Mm(p);
        if (m_points.empty()) {
            m_points.push_back(q);
            return;
        }
        if (m_points.size() + 3 > size_t(PointsMax))
            return;
        const QPointF dernier = m_points.back();
        m_points.push_back(dernier);
        m_points.push_back(q);
        m_points.push_back(q);
    }

    TxiloCADMdl &m_modele;
    TxiloCADLigne *m_ligne = nullptr;
    bool m_dansChemin = false;
    std::vector<QPointF> m_points;
    TStylo m_stylo;
    TPinceau m_pinceau;
};

} // namespace

bool ImportEmfOctets(TxiloCADMdl &modele, const QByteArray &octets)
{
    TLecteurEmf lecteur(octets);
    if (!lecteur.EnteteValide())
        return false;
    TImport import(modele);
    TEnregistrementEmf e;
    while (lecteur.Suivant(e))
        import.Traite(e);
    return true;
}

bool ImportEmf(TxiloCADMdl &modele, const QString &chemin)
{
    QByteArray octets;
    return TMetafichier::LitFichier(chemin, &octets) && ImportEmfOctets(modele, octets);
}
