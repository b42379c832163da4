#include "TxiloCADCal.h"

#include <cmath>
#include <numbers>

#include <QDate>
#include <QPolygon>

#include "Arrondi.h"
#include "Bitmaps.h"
#include "Canevas.h"
#include "Convertisseurs.h"
#include "Langue.h"
#include "TxiloCADMdl.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int TexteLundi = 8700;
constexpr int Colonnes = 7;
constexpr int Rangs = 7;
constexpr int ColonneDimanche = 6;

// Numbers read from a file are kept in 16 bits; one beyond them means
// nothing, and is not taken as what its low bits happen to be.
int Valeur16(int n)
{
    return n >= 0 && n <= 0xFFFF ? n : 0;
}

QString LettreJour(int colonne)
{
    static constexpr char16_t Lettres[] = u"LMMJVSD";
    const QString lettre = MLText(TexteLundi + colonne);
    return lettre.isEmpty() ? QString(QChar(Lettres[colonne])) : lettre;
}

} // namespace

TxiloCADCal::TxiloCADCal(TxiloCADMdl &modele, double x, double y, double l, double h, double r) : TxiloCADRect(modele)
{
    SetName(u"cal"_s);
    SetCentre(x, y);
    SetTaille(l, h);
    SetR(r);
    const QDate aujourdhui = QDate::currentDate();
    m_jour = aujourdhui.day();
    m_mois = aujourdhui.month();
    m_annee = aujourdhui.year();
}

void TxiloCADCal::SetJour(int jour)
{
    m_jour = Valeur16(jour);
}

void TxiloCADCal::SetMois(int mois)
{
    m_mois = Valeur16(mois);
}

void TxiloCADCal::SetAnnee(int annee)
{
    m_annee = Valeur16(annee);
}

const QStringList &TxiloCADCal::SaveToStrings()
{
    TxiloCADRect::SaveToStrings();
    m_params.Ecrit(u"Font"_s, FontToText(m_font));
    m_params.Ecrit(u"Name"_s, Name());
    m_params.Ecrit(u"Jour"_s, IntToText(m_jour));
    m_params.Ecrit(u"Mois"_s, IntToText(m_mois));
    m_params.Ecrit(u"Annee"_s, IntToText(m_annee));
    m_params.Ecrit(u"ColorFond"_s, ColorToText(m_colorFond));
    m_params.Ecrit(u"ColorCase"_s, ColorToText(m_colorCase));
    return m_params.Lignes();
}

void TxiloCADCal::LoadFromStrings(const QStringList &lignes)
{
    m_params.SetLignes(lignes);
    // Colour and font texts read from nothing would be black and nameless.
    if (m_params.Contient(u"Font"))
        TextToFont(m_params.Valeur(u"Font"), m_font);
    SetJour(TextToInt(m_params.Valeur(u"Jour")));
    SetMois(TextToInt(m_params.Valeur(u"Mois")));
    SetAnnee(TextToInt(m_params.Valeur(u"Annee")));
    if (m_params.Contient(u"ColorFond"))
        m_colorFond = TextToColor(m_params.Valeur(u"ColorFond"));
    if (m_params.Contient(u"ColorCase"))
        m_colorCase = TextToColor(m_params.Valeur(u"ColorCase"));
    TxiloCADRect::LoadFromStrings(lignes);
}

void TxiloCADCal::Draw(TCanevas &canevas)
{
    if (!SurFaceCourante())
        return;
    const TxiloCADMdl &m = Modele();
    const QPointF centre(X(), Y());
    const double largeurCase = L() / Colonnes;
    const double hauteurCase = H() / Rangs;
    const double retraitX = L() / 350;
    const double retraitY = H() / 300;

    if ((m_colorFond & 0xFFFFFF) != CouleurBlanche) {
        canevas.SetPinceau(TPinceau{m_colorFond, PinceauPlein});
        m.FillTurnedBox(canevas, HandlePoint(1), HandlePoint(3), R());
    }

    // Letters need a month; numbers need a day that exists (QDate knows no
    // year 0, nor years beyond 9999 in a 16-bit field read from a file).
    const bool moisValide = m_mois >= 1 && m_mois <= 12;
    const bool anneeValide = moisValide && m_annee >= 1 && m_annee <= 9999;
    const QDate premier = anneeValide ? QDate(m_annee, m_mois, 1) : QDate();
    const int jourSemaine = anneeValide ? premier.dayOfWeek() - 1 : 0;
    const int joursDuMois = anneeValide ? premier.daysInMonth() : 0;

    // A size rounded to 0 points has no font to draw with.
    // A mirrored group draws at a negative scale, which changes no size.
    const int points = Round((L() + H()) / 50 * std::abs(m.EchelleX()));
    TFonteCAD fonte = m_font;
    fonte.Hauteur = HauteurPoints(points);
    fonte.Escapement = 0;
    const double a = R() * std::numbers::pi / 180;
    const double cosA = std::cos(a);
    const double sinA = std::sin(a);

    for (int c = 0; c < Colonnes; ++c) {
        for (int w = 0; w < Rangs; ++w) {
            const double gauche = X() - L() / 2 + c * largeurCase + retraitX;
            const double droite = X() - L() / 2 + (c + 1) * largeurCase - retraitX;
            const double haut = Y() - H() / 2 + w * hauteurCase + retraitY;
            const double bas = Y() - H() / 2 + (w + 1) * hauteurCase - retraitY;
            const auto pixel = [&](double x, double y) {
                return m.PageToPixel(TxiloCADMdl::RotatePoint(centre, QPointF(x, y), R()));
            };
            const QPoint p1 = pixel(gauche, haut);
            const QPoint p3 = pixel(droite, bas);
            const int pourcent = w == 0 ? -25 : c == ColonneDimanche ? -10 : -5;
            canevas.SetStylo(TStylo{CouleurNoire, 1, StyloPlein});
            canevas.SetPinceau(TPinceau{LightenColor(m_colorCase, pourcent), PinceauPlein});
            canevas.Polygone(QPolygon({p1, pixel(droite, haut), p3, pixel(gauche, bas)}));

            QString texte;
            if (w == 0 && moisValide) {
                texte = LettreJour(c);
            } else if (w > 0 && anneeValide) {
                const int jour = 7 * w - jourSemaine + c - 6;
                if (jour >= 1 && jour <= joursDuMois)
                    texte = QString::number(jour);
            }
            if (texte.isEmpty() || points < 1)
                continue;
            canevas.SetPinceau(TPinceau{CouleurBlanche, PinceauVide});
            canevas.SetFonte(fonte);
            const QSize taille = canevas.TailleTexte(texte);
            const int tourneeX = Round(taille.width() * cosA - taille.height() * sinA);
            const int tourneeY = Round(taille.width() * sinA + taille.height() * cosA);
            const QPoint reference(p1.x() + Div(p3.x() - p1.x() - tourneeX, 2),
                                   p1.y() + Div(p3.y() - p1.y() - tourneeY, 2));
            TxiloCADMdl::TextOutRotated(canevas, reference, texte, R());
        }
    }
    DessineCadre(canevas);
}
