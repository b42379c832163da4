#include "TxiloCADLigne.h"

#include <algorithm>
#include <cmath>

#include "Bezier.h"
#include "Canevas.h"
#include "Clavier.h"
#include "Convertisseurs.h"
#include "TxiloCADMdl.h"

using namespace Qt::StringLiterals;

namespace {

// Points are hit within this many pixels on each axis; a dragged control
// point comes onto a neighbour nearer than the second.
constexpr double ToleranceAtteinte = 3;
constexpr double ToleranceAimant = 5;
// A segment added after the last anchor reaches this far to the right.
constexpr double LongueurAjout = 20;
// Duplicates are moved this far right and down.
constexpr double DecalageCopie = 10;

bool EstAncre(qsizetype indice)
{
    return indice % 3 == 0;
}

} // namespace

TxiloCADLigne::TxiloCADLigne(TxiloCADMdl &modele) : TxiloCADObj(modele)
{
    SetName(u"Ligne"_s);
}

const QStringList &TxiloCADLigne::SaveToStrings()
{
    TxiloCADObj::SaveToStrings();
    m_params.Ecrit(u"Name"_s, Name());
    m_params.Ecrit(u"p"_s, PointsToText(m_points));
    return m_params.Lignes();
}

void TxiloCADLigne::LoadFromStrings(const QStringList &lignes)
{
    m_params.SetLignes(lignes);
    SetPoints(TextToPoints(m_params.Valeur(u"p")));
    TxiloCADObj::LoadFromStrings(lignes);
}

void TxiloCADLigne::SetPoints(std::vector<QPointF> points)
{
    // PointsMax is itself 3k + 1: the kept points end on an anchor.
    if (points.size() > size_t(PointsMax))
        points.resize(size_t(PointsMax));
    m_points = std::move(points);
}

int TxiloCADLigne::SegmentCount() const
{
    return SegmentsComplets(qsizetype(m_points.size()));
}

bool TxiloCADLigne::Proches(QPointF a, QPointF b, double pixels) const
{
    const TxiloCADMdl &m = Modele();
    const auto enPixels = [&m](QPointF p) { return QPointF(p.x() * m.EchelleX(), p.y() * m.EchelleY()); };
    return PointDistance(enPixels(a), enPixels(b)) < pixels;
}

void TxiloCADLigne::MovePoint(int indice, QPointF p, TGlissement mode)
{
    const int n = NombrePoints();
    if (indice < 0 || indice >= n)
        return;
    const int dernier = n - 1;
    QPointF &point = m_points[size_t(indice)];
    if (!EstAncre(indice)) {
        bool aimante = false;
        if (indice > 0 && Proches(p, m_points[size_t(indice - 1)], ToleranceAimant)) {
            point = m_points[size_t(indice - 1)];
            aimante = true;
        }
        if (indice < dernier && Proches(p, m_points[size_t(indice + 1)], ToleranceAimant)) {
            point = m_points[size_t(indice + 1)];
            aimante = true;
        }
        if (!aimante)
            point = p;
        if (EtatClavier().Maj())
            return;
        // The handle across the anchor is set from where the dragged one
        // now is, so that the two are in line when the drag stops.
        if (indice % 3 == 1 && indice >= 3)
            m_points[size_t(indice - 2)] = 2 * m_points[size_t(indice - 1)] - point;
        else if (indice % 3 == 2 && indice < dernier - 1)
            m_points[size_t(indice + 2)] = 2 * m_points[size_t(indice + 1)] - point;
        return;
    }

    const QPointF decalage = p - point;
    if (mode == TGlissement::Ligne && !EtatClavier().Maj()) {
        Translate(decalage);
        return;
    }
    if (indice > 0)
        m_points[size_t(indice - 1)] += decalage;
    if (indice < dernier)
        m_points[size_t(indice + 1)] += decalage;
    point = p;
}

int TxiloCADLigne::AddPoint(QPointF p)
{
    const qsizetype n = qsizetype(m_points.size());
    if (n == 0) {
        m_points.push_back(p);
        return 0;
    }
    // Points left after the last anchor (a file may hold them) are the first
    // control points of the new segment.
    const qsizetype manquants = 3 - (n - 1) % 3;
    if (n + manquants > PointsMax)
        return -1;
    if (manquants == 3)
        m_points.push_back(m_points.back());
    if (manquants >= 2)
        m_points.push_back(p);
    m_points.push_back(p);
    return int(m_points.size()) - 2;
}

bool TxiloCADLigne::DeletePoint(int indice)
{
    const qsizetype n = qsizetype(m_points.size());
    if (n < 3 || indice < 0 || indice >= n || !EstAncre(indice))
        return false;
    qsizetype debut = indice - 1;
    if (indice == 0)
        debut = 0;
    else if (indice == 3 * SegmentCount())
        debut = indice - 2;
    m_points.erase(m_points.begin() + debut, m_points.begin() + debut + 3);
    return true;
}

bool TxiloCADLigne::InsertPoint(int indice)
{
    const qsizetype n = qsizetype(m_points.size());
    const int derniereAncre = 3 * SegmentCount();
    if (n == 0 || indice < 0 || indice > derniereAncre || !EstAncre(indice) || n + 3 > PointsMax)
        return false;
    const size_t i = size_t(indice);
    // The points from the anchor on move up by three; the anchor and its
    // next control point also stay where they were.
    std::vector<QPointF> points(size_t(n) + 3);
    for (size_t j = 0; j < size_t(n); ++j) {
        if (j >= i)
            points[j + 3] = m_points[j];
        if (j <= i + 1)
            points[j] = m_points[j];
    }
    const QPointF ancre = m_points[i];
    if (indice < derniereAncre) {
        const QPointF milieu = (ancre + m_points[i + 3]) / 2;
        points[i + 2] = milieu;
        points[i + 3] = milieu;
        points[i + 4] = milieu;
    } else {
        const QPointF nouvelle = ancre + QPointF(Modele().PixelToMmX(LongueurAjout), 0);
        points[i + 1] = ancre;
        points[i + 2] = nouvelle;
        points[i + 3] = nouvelle;
    }
    m_points = std::move(points);
    return true;
}

void TxiloCADLigne::Translate(QPointF decalage)
{
    for (QPointF &p : m_points)
        p += decalage;
}

TxiloCADLigne *TxiloCADLigne::Duplique()
{
    TxiloCADMdl &m = Modele();
    auto *copie = dynamic_cast<TxiloCADLigne *>(m.CloneObject(*this));
    if (copie)
        copie->Translate(QPointF(m.PixelToMmX(DecalageCopie), m.PixelToMmY(DecalageCopie)));
    return copie;
}

int TxiloCADLigne::Cherche(QPointF point, bool ancres) const
{
    const TxiloCADMdl &m = Modele();
    const double toleranceX = std::abs(m.PixelToMmX(ToleranceAtteinte));
    const double toleranceY = std::abs(m.PixelToMmY(ToleranceAtteinte));
    const qsizetype n = PointsDuChemin(qsizetype(m_points.size()));
    for (qsizetype i = 0; i < n; ++i) {
        if (EstAncre(i) != ancres)
            continue;
        const QPointF &p = m_points[size_t(i)];
        if (std::abs(p.x() - point.x()) < toleranceX && std::abs(p.y() - point.y()) < toleranceY)
            return int(i);
    }
    return -1;
}

int TxiloCADLigne::HitTest(QPointF point)
{
    if (!CanSelect())
        return -1;
    const bool ancresDabord = !EtatClavier().Ctrl();
    int trouve = Cherche(point, ancresDabord);
    if (trouve < 0 && Selectionne())
        trouve = Cherche(point, !ancresDabord);
    return trouve;
}

void TxiloCADLigne::Draw(TCanevas &canevas)
{
    if (!SurFaceCourante())
        return;
    const TxiloCADMdl &m = Modele();
    const TInterrupteursModele &interrupteurs = m.Interrupteurs();
    canevas.SetStylo(StyloAEchelle(m, Pen()));
    TPinceau pinceau = Brush();
    if (interrupteurs.ModeFond == 1)
        pinceau = TPinceau{CouleurBlanche, PinceauPlein};
    else if (interrupteurs.ModeFond == 2)
        pinceau = TPinceau{CouleurNoire, PinceauDiagonaleArriere};
    canevas.SetPinceau(pinceau);
    const qsizetype n = PointsDuChemin(qsizetype(m_points.size()));
    const std::vector<QPointF> chemin(m_points.begin(), m_points.begin() + n);
    TraceBezier(canevas, m, chemin, pinceau.Style != PinceauVide && interrupteurs.Remplissage);

    if (!interrupteurs.Interactif)
        return;
    const TProprietaireModele *editeur = m.Proprietaire();
    const auto remplissage = [&](qsizetype i) {
        if (i == PoigneeActive())
            return editeur ? editeur->CouleurActive() : CouleurBleue;
        if (Selectionne())
            return editeur ? editeur->CouleurSelection() : CouleurRouge;
        return editeur ? editeur->CouleurCadre() : CouleurRouge;
    };
    const auto marque = [&](qsizetype i) {
        canevas.SetStylo(TStylo{CouleurNoire, 1, StyloPlein});
        canevas.SetPinceau(TPinceau{remplissage(i), PinceauPlein});
        return m.PageToPixel(m_points[size_t(i)]);
    };
    if (Selectionne()) {
        const int segments = SegmentsComplets(n);
        canevas.SetStylo(TStylo{CouleurRouge, 1, StyloPoints});
        for (int s = 0; s < segments; ++s) {
            const size_t a = size_t(3 * s);
            canevas.Ligne(m.PageToPixel(m_points[a]), m.PageToPixel(m_points[a + 1]));
            canevas.Ligne(m.PageToPixel(m_points[a + 2]), m.PageToPixel(m_points[a + 3]));
        }
        for (qsizetype i = 1; i < n; ++i) {
            if (EstAncre(i))
                continue;
            const QPoint p = marque(i);
            canevas.Rectangle(p.x() - 3, p.y() - 3, p.x() + 3, p.y() + 3);
        }
    }
    if (interrupteurs.Dessine && (Selectionne() || PoigneeActive() >= 0)) {
        for (qsizetype i = 0; i < n; i += 3) {
            const QPoint p = marque(i);
            canevas.Ellipse(p.x() - 4, p.y() - 4, p.x() + 4, p.y() + 4);
        }
    }
}
