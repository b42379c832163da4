#include "TxiloCADRect.h"

#include <cmath>
#include <numbers>

#include <QPolygon>

#include "Arrondi.h"
#include "Canevas.h"
#include "Clavier.h"
#include "Convertisseurs.h"
#include "TxiloCADMdl.h"

using namespace Qt::StringLiterals;

namespace {

constexpr double Pi = std::numbers::pi;
constexpr double DegresParRadian = 180.0 / Pi;
// The corner or side of each handle: -1 left or top, 1 right or bottom.
constexpr int SignesPoignees[9][2] = {{0, 0}, {-1, -1}, {1, -1}, {1, 1}, {-1, 1}, {0, -1}, {1, 0}, {0, 1}, {-1, 0}};
// Handles are hit within this many pixels, and resizing stops at this many.
constexpr int ToleranceHandle = 3;
constexpr int TailleMin = 5;

// The point in the box's own axes: its offsets along the width and the
// height from the centre. Written with the angle of the pointer from the
// centre, taken on the whole circle: a pointer straight above or below the
// centre is on the height axis, not on the width axis.
QPointF DansLaBoite(QPointF centre, QPointF pointeur, double r)
{
    const double dx = pointeur.x() - centre.x();
    const double dy = pointeur.y() - centre.y();
    const double d = std::hypot(dx, dy);
    const double a = r / DegresParRadian - std::atan2(dy, dx);
    return QPointF(d * std::cos(a), -d * std::sin(a));
}

QPointF Tourne(QPointF p, double r)
{
    return TxiloCADMdl::RotatePoint(QPointF(0, 0), p, r);
}

// Winding number test of the pixel whose top-left corner is (px, py): its
// centre is inside the polygon. The centre never lies on a horizontal
// side, whose ends are whole numbers.
bool DansPolygone(const std::array<QPoint, 4> &p, long long px, long long py)
{
    const double x = px + 0.5;
    const double y = py + 0.5;
    int enroulement = 0;
    for (size_t i = 0; i < p.size(); ++i) {
        const QPoint a = p[i];
        const QPoint b = p[(i + 1) % p.size()];
        // In doubles: the corners of a box read from a file may lie at the
        // ends of the int range.
        const double cote = (double(b.x()) - a.x()) * (y - a.y()) - (x - a.x()) * (double(b.y()) - a.y());
        if (a.y() <= y) {
            if (b.y() > y && cote > 0)
                ++enroulement;
        } else if (b.y() <= y && cote < 0) {
            --enroulement;
        }
    }
    return enroulement != 0;
}

} // namespace

TxiloCADRect::TxiloCADRect(TxiloCADMdl &modele) : TxiloCADObj(modele) {}

void TxiloCADRect::SetCentre(double x, double y)
{
    m_x = x;
    m_y = y;
}

void TxiloCADRect::SetTaille(double l, double h)
{
    m_l = l;
    m_h = h;
}

bool TxiloCADRect::AvecPoignee(int i) const
{
    return i >= 1 && i <= 8 && m_poignees[size_t(i)];
}

void TxiloCADRect::SetAvecPoignee(int i, bool on)
{
    if (i >= 1 && i <= 8)
        m_poignees[size_t(i)] = on;
}

QPointF TxiloCADRect::HandlePoint(int i) const
{
    if (i < 1 || i > 8)
        return QPointF(m_x, m_y);
    const QPointF sansRotation(m_x + SignesPoignees[i][0] * m_l / 2, m_y + SignesPoignees[i][1] * m_h / 2);
    return TxiloCADMdl::RotatePoint(QPointF(m_x, m_y), sansRotation, m_r);
}

QPointF TxiloCADRect::DecalagePoignee(int i) const
{
    if (i < 1 || i > 8)
        return QPointF(0, 0);
    return ::Tourne(QPointF(SignesPoignees[i][0] * m_l / 2, SignesPoignees[i][1] * m_h / 2), m_r);
}

std::array<QPointF, 4> TxiloCADRect::Coins() const
{
    return {HandlePoint(1), HandlePoint(2), HandlePoint(3), HandlePoint(4)};
}

void TxiloCADRect::MemoriseDepart()
{
    m_x0 = m_x;
    m_y0 = m_y;
    m_l0 = m_l;
    m_h0 = m_h;
}

const QStringList &TxiloCADRect::SaveToStrings()
{
    TxiloCADObj::SaveToStrings();
    m_params.Ecrit(u"Name"_s, Name());
    m_params.Ecrit(u"x"_s, FloatToText(m_x));
    m_params.Ecrit(u"y"_s, FloatToText(m_y));
    m_params.Ecrit(u"l"_s, FloatToText(m_l));
    m_params.Ecrit(u"h"_s, FloatToText(m_h));
    m_params.Ecrit(u"r"_s, FloatToText(m_r));
    return m_params.Lignes();
}

void TxiloCADRect::LoadFromStrings(const QStringList &lignes)
{
    m_params.SetLignes(lignes);
    m_x = TextToFloat(m_params.Valeur(u"x"));
    m_y = TextToFloat(m_params.Valeur(u"y"));
    m_l = TextToFloat(m_params.Valeur(u"l"));
    m_h = TextToFloat(m_params.Valeur(u"h"));
    m_r = TextToFloat(m_params.Valeur(u"r"));
    TxiloCADObj::LoadFromStrings(lignes);
}

void TxiloCADRect::Draw(TCanevas &canevas)
{
    if (SurFaceCourante())
        DessineCadre(canevas);
}

int TxiloCADRect::HitTest(QPointF point)
{
    if (!CanSelect())
        return -1;
    const double tolerance = Modele().PixelToMmX(ToleranceHandle);
    // Most objects lie far from the pointer: nothing of the box, handles
    // included, is farther from the centre than half its diagonal plus the
    // handle's reach.
    const double portee = std::hypot(m_l, m_h) / 2 + std::abs(tolerance) * 1.5 + 0.02;
    const double dx = point.x() - m_x;
    const double dy = point.y() - m_y;
    if (!(dx * dx + dy * dy <= portee * portee))
        return -1;

    int trouve = -1;
    for (int i = 1; i <= 8; ++i) {
        if (!AvecPoignee(i))
            continue;
        const QPointF p = HandlePoint(i);
        if (std::abs(p.x() - point.x()) < tolerance && std::abs(p.y() - point.y()) < tolerance)
            trouve = i;
    }
    if (trouve >= 0)
        return trouve;

    const auto coins = Coins();
    std::array<QPoint, 4> polygone;
    for (size_t i = 0; i < coins.size(); ++i)
        polygone[i] = QPoint(Round(coins[i].x() * 100), Round(coins[i].y() * 100));
    return DansPolygone(polygone, Round(point.x() * 100), Round(point.y() * 100)) ? 0 : -1;
}

void TxiloCADRect::AppliqueMinimum()
{
    const TxiloCADMdl &m = Modele();
    if (Round(m_l * m.EchelleX()) < TailleMin)
        m_l = m.PixelToMmX(TailleMin);
    if (Round(m_h * m.EchelleY()) < TailleMin)
        m_h = m.PixelToMmY(TailleMin);
}

void TxiloCADRect::Tourne(QPointF pointeur)
{
    if (m_h == 0)
        return;
    const double dx = pointeur.x() - m_x;
    const double dy = pointeur.y() - m_y;
    const double k = m_l / m_h;
    const double d = 2 * std::hypot(dx, dy);
    const double atanK = std::atan(k) * DegresParRadian;
    // The angle for which the top-right corner, at atan(h / l) above the
    // width axis, points at the pointer.
    if (dy == 0)
        m_r = dx > 0 ? 90 - atanK : -90 - atanK;
    else if (dy > 0)
        m_r = 180 - (std::atan(dx / dy) * DegresParRadian + atanK);
    else
        m_r = -(std::atan(dx / dy) * DegresParRadian + atanK);
    if (EtatClavier().Maj())
        m_r = Round(m_r / 45 * 2) * 45 / 2.0;
    if (d > 0) {
        // The diagonal becomes d and the proportions stay.
        m_h = std::sqrt(d * d / (k * k + 1));
        m_l = k == 0 ? 0.0 : std::sqrt(d * d / (1 / (k * k) + 1));
    }
}

void TxiloCADRect::RedimCentre(QPointF pointeur)
{
    const QPointF p = DansLaBoite(QPointF(m_x, m_y), pointeur, m_r);
    m_l = 2 * p.x();
    m_h = 2 * p.y();
    AppliqueMinimum();
}

void TxiloCADRect::RedimPoignee(QPointF pointeur)
{
    const int poignee = PoigneeActive();
    if (poignee != 1 && (poignee < 4 || poignee > 8))
        return;
    const TxiloCADMdl &m = Modele();
    const QPointF p = DansLaBoite(QPointF(m_x0, m_y0), pointeur, m_r);
    const double u = p.x();
    const double v = p.y();
    double l = m_l0;
    double h = m_h0;
    switch (poignee) {
    case 1:
        l = m_l0 / 2 - u;
        h = m_h0 / 2 - v;
        break;
    case 4:
        l = m_l0 / 2 - u;
        h = m_h0 / 2 + v;
        break;
    case 5:
        h = m_h0 / 2 - v;
        break;
    case 6:
        l = m_l0 / 2 + u;
        break;
    case 7:
        h = m_h0 / 2 + v;
        break;
    case 8:
        l = m_l0 / 2 - u;
        break;
    }
    const bool changeL = poignee == 1 || poignee == 4 || poignee == 6 || poignee == 8;
    const bool changeH = poignee == 1 || poignee == 4 || poignee == 5 || poignee == 7;
    if (changeL && l < m.PixelToMmX(TailleMin))
        l = m.PixelToMmX(TailleMin);
    if (changeH && h < m.PixelToMmY(TailleMin))
        h = m.PixelToMmY(TailleMin);

    // The point that stays, in the box's axes before and after, turned with
    // the box: the centre moves by their difference.
    auto fixe = [poignee](double largeur, double hauteur) {
        switch (poignee) {
        case 1:
            return QPointF(largeur / 2, hauteur / 2);
        case 4:
            return QPointF(largeur / 2, -hauteur / 2);
        case 5:
            return QPointF(0, hauteur / 2);
        case 6:
            return QPointF(-largeur / 2, 0);
        case 7:
            return QPointF(0, -hauteur / 2);
        default:
            return QPointF(largeur / 2, 0);
        }
    };
    const QPointF q0 = ::Tourne(fixe(m_l0, m_h0), m_r);
    const QPointF q1 = ::Tourne(fixe(l, h), m_r);
    m_x = m_x0 + q0.x() - q1.x();
    m_y = m_y0 + q0.y() - q1.y();
    m_l = l;
    m_h = h;
    AppliqueMinimum();
}

void TxiloCADRect::DessineCadre(TCanevas &canevas)
{
    const TxiloCADMdl &m = Modele();
    const TInterrupteursModele &interrupteurs = m.Interrupteurs();
    const TProprietaireModele *editeur = m.Proprietaire();
    const bool survole = PoigneeActive() != -1;
    const auto coins = Coins();

    if (interrupteurs.TousCadres || (interrupteurs.Interactif && (Selectionne() || survole))) {
        TColor couleur = Selectionne() ? CouleurRouge : CouleurBleue;
        if (editeur)
            couleur = Selectionne() ? editeur->CouleurSelection() : editeur->CouleurCadre();
        canevas.SetStylo(TStylo{couleur, 1, StyloPoints});
        canevas.SetPinceau(TPinceau{CouleurBlanche, PinceauVide});
        for (size_t i = 0; i < coins.size(); ++i)
            canevas.Ligne(m.PageToPixel(coins[i]), m.PageToPixel(coins[(i + 1) % coins.size()]));
    }

    if (!interrupteurs.Interactif)
        return;
    for (int i = 1; i <= 8; ++i) {
        if (!AvecPoignee(i))
            continue;
        TColor couleur;
        if (i == PoigneeActive())
            couleur = editeur ? editeur->CouleurActive() : CouleurBleue;
        else if (Selectionne())
            couleur = editeur ? editeur->CouleurSelection() : CouleurRouge;
        else if (survole)
            couleur = editeur ? editeur->CouleurCadre() : CouleurRouge;
        else
            continue;
        canevas.SetStylo(TStylo{CouleurNoire, 1, StyloPlein});
        canevas.SetPinceau(TPinceau{couleur, PinceauPlein});
        const QPoint p = m.PageToPixel(HandlePoint(i));
        if (i == 2 || i == 3)
            canevas.Ellipse(p.x() - 4, p.y() - 4, p.x() + 4, p.y() + 4);
        else
            canevas.Rectangle(p.x() - 3, p.y() - 3, p.x() + 3, p.y() + 3);
    }
}

void TxiloCADRect::DrawMessage(TCanevas &canevas, const QString &texte)
{
    const TxiloCADMdl &m = Modele();
    const auto coins = Coins();
    QPoint p[4];
    for (size_t i = 0; i < coins.size(); ++i)
        p[i] = m.PageToPixel(coins[i]);
    canevas.SetStylo(TStylo{CouleurGrise, 1, StyloPlein});
    for (int i = 0; i < 4; ++i)
        canevas.Ligne(p[i], p[(i + 1) % 4]);
    canevas.Ligne(p[0], p[2]);
    canevas.Ligne(p[1], p[3]);

    canevas.SetPinceau(TPinceau{CouleurBlanche, PinceauVide});
    canevas.SetFonte(TFonteCAD{CouleurGrise, u"Arial"_s, HauteurPoints(8), 0, 0});
    const QSize taille = canevas.TailleTexte(texte);
    canevas.Texte(QPoint(Round(m.MmToPixelX(m_x) - taille.width() / 2.0),
                         Round(m.MmToPixelY(m_y) - taille.height() / 2.0)),
                  texte);
}
