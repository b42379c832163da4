#include "TxiloCADRepere.h"

#include <cmath>
#include <vector>

#include "Arrondi.h"
#include "Canevas.h"
#include "Convertisseurs.h"
#include "TxiloCADMdl.h"
#include "TxiloCADRect.h"

using namespace Qt::StringLiterals;

namespace {

constexpr double ToleranceAtteinte = 2;
// A dragged guide stays this many pixels inside the page's start and end.
constexpr double MargeDebut = 5;
constexpr double MargeFin = 6;
// Dragged objects snap to lines nearer than this many pixels.
constexpr double PorteeAimant = 8;
// The label's box: from the page edge, and round its text.
constexpr int EcartEtiquette = 10;
constexpr int BordEtiquette = 2;

} // namespace

TxiloCADRepere::TxiloCADRepere(TxiloCADMdl &modele) : TxiloCADObj(modele)
{
    SetName(u"Repere"_s);
}

const QStringList &TxiloCADRepere::SaveToStrings()
{
    TxiloCADObj::SaveToStrings();
    m_params.Ecrit(u"position"_s, FloatToText(m_position));
    m_params.Ecrit(u"sens"_s, IntToText(m_sens));
    m_params.Ecrit(u"sorte"_s, IntToText(m_sorte));
    return m_params.Lignes();
}

void TxiloCADRepere::LoadFromStrings(const QStringList &lignes)
{
    m_params.SetLignes(lignes);
    m_position = Round(TextToFloat(m_params.Valeur(u"position")));
    m_sens = TextToInt(m_params.Valeur(u"sens"));
    m_sorte = TextToInt(m_params.Valeur(u"sorte"));
    TxiloCADObj::LoadFromStrings(lignes);
}

bool TxiloCADRepere::Affichee(int face) const
{
    if (m_sens != Verticale && m_sens != Horizontale)
        return false;
    return m_sorte == TouteFace || face == Face();
}

void TxiloCADRepere::Draw(TCanevas &canevas)
{
    const TxiloCADMdl &m = Modele();
    if (!m.Interrupteurs().Interactif || !Affichee(m.FaceCourante()))
        return;
    TStylo stylo{CouleurBleue, 1, StyloPlein};
    if (m_sorte == TouteFace)
        stylo = SurFaceCourante() ? TStylo{CouleurNoire, 1, StyloTiretPoint} : TStylo{CouleurGrise, 1, StyloTirets};
    if (Selectionne())
        stylo.Couleur = CouleurRouge;
    canevas.SetStylo(stylo);
    canevas.SetPinceau(Brush());
    const bool verticale = m_sens == Verticale;
    const QPoint debut = m.PageToPixel(verticale ? QPointF(m_position, 0) : QPointF(0, m_position));
    const QPoint fin = m.PageToPixel(verticale ? QPointF(m_position, m.Haut()) : QPointF(m.Large(), m_position));
    canevas.Ligne(debut, fin);
    if (!Selectionne())
        return;

    const QString texte = MmToText(m_position);
    canevas.SetFonte(TFonteCAD{CouleurNoire, u"Arial"_s, HauteurPoints(8), 0, 0});
    const QSize taille = canevas.TailleTexte(texte);
    const int largeur = taille.width() + 2 * BordEtiquette;
    const int hauteur = taille.height() + 2 * BordEtiquette;
    QPoint coin;
    if (verticale) {
        coin = QPoint(debut.x(), Round(m.DecalageY()) + EcartEtiquette);
        // Where it would not end inside the page, on the line's left.
        if (m.MmToPixelX(m.Large()) <= coin.x() + largeur)
            coin.setX(debut.x() - taille.width() - 3);
    } else {
        coin = QPoint(Round(m.DecalageX()) + EcartEtiquette, debut.y());
        if (m.MmToPixelY(m.Haut()) <= coin.y() + hauteur)
            coin.setY(debut.y() - taille.height() - 3);
    }
    canevas.SetStylo(TStylo{CouleurBlanche, 1, StyloPlein});
    canevas.SetPinceau(TPinceau{CouleurBlanche, PinceauPlein});
    canevas.Rectangle(coin.x(), coin.y(), coin.x() + largeur, coin.y() + hauteur);
    canevas.Texte(coin + QPoint(BordEtiquette, BordEtiquette), texte);
}

int TxiloCADRepere::HitTest(QPointF point)
{
    if (!CanSelect())
        return -1;
    const TxiloCADMdl &m = Modele();
    if (m_sens == Verticale && std::abs((point.x() - m_position) * m.EchelleX()) < ToleranceAtteinte) {
        SetCurseur(Qt::SplitHCursor);
        return 0;
    }
    if (m_sens == Horizontale && std::abs((point.y() - m_position) * m.EchelleY()) < ToleranceAtteinte) {
        SetCurseur(Qt::SplitVCursor);
        return 0;
    }
    return -1;
}

void TxiloCADRepere::Borne()
{
    if (m_sens != Verticale && m_sens != Horizontale)
        return;
    const TxiloCADMdl &m = Modele();
    const bool verticale = m_sens == Verticale;
    const double debut = std::abs(verticale ? m.PixelToMmX(MargeDebut) : m.PixelToMmY(MargeDebut));
    const double fin = (verticale ? m.Large() : m.Haut()) - std::abs(verticale ? m.PixelToMmX(MargeFin)
                                                                               : m.PixelToMmY(MargeFin));
    // A guide brought back is put on the whole millimetre nearest to the
    // bound, as positions are whole once read. Where that millimetre is the
    // page's edge itself (half a millimetre rounds to 0 at 10 pixels a
    // millimetre) the guide would lie under the page's frame, below the
    // bound it was brought to: the next millimetre inside is taken.
    const double etendue = verticale ? m.Large() : m.Haut();
    if (m_position < debut) {
        m_position = Round(debut);
        if (m_position <= 0)
            m_position = std::ceil(debut);
    } else if (m_position > fin) {
        m_position = Round(fin);
        if (m_position >= etendue)
            m_position = std::floor(fin);
    }
}

void Aimante(TxiloCADRect &objet)
{
    const TxiloCADMdl &m = objet.Modele();
    std::vector<double> verticales = {0, m.Large()};
    std::vector<double> horizontales = {0, m.Haut()};
    // Only the guides the user sees where the object lies: a guide of
    // another face is not drawn there.
    for (int i = 0; i < m.Count(); ++i) {
        const auto *repere = dynamic_cast<const TxiloCADRepere *>(&m.Objet(i));
        if (!repere || !repere->Affichee(objet.Face()))
            continue;
        (repere->Sens() == TxiloCADRepere::Verticale ? verticales : horizontales).push_back(repere->Position());
    }
    const double echelleX = std::abs(m.EchelleX());
    const double echelleY = std::abs(m.EchelleY());
    for (int poignee = 0; poignee <= 4; ++poignee) {
        const QPointF p = objet.HandlePoint(poignee);
        double dx = 0;
        double dy = 0;
        for (const double x : verticales) {
            if (std::abs(x - p.x()) * echelleX < PorteeAimant)
                dx += x - p.x();
        }
        for (const double y : horizontales) {
            if (std::abs(y - p.y()) * echelleY < PorteeAimant)
                dy += y - p.y();
        }
        objet.SetCentre(objet.X() + dx, objet.Y() + dy);
    }
}
