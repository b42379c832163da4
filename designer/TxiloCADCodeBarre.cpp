#include "TxiloCADCodeBarre.h"

#include <algorithm>

#include "Arrondi.h"
#include "Canevas.h"
#include "Convertisseurs.h"
#include "TxiloCADMdl.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int Chiffres = 13;
constexpr int Modules = 95;
// The modules whose bars are the guards, 1-based: they reach lower.
constexpr int Gardes[] = {1, 3, 47, 49, 93, 95};

// The left-hand odd set; the right-hand set is its complement, the even set
// the right-hand set read backwards.
constexpr const char *JeuL[10] = {"0001101", "0011001", "0010011", "0111101", "0100011",
                                  "0110001", "0101111", "0111011", "0110111", "0001011"};
// Which of the six left-hand digits are in the even set, by the first digit.
constexpr const char *Parites[10] = {"LLLLLL", "LLGLGG", "LLGGLG", "LLGGGL", "LGLLGG",
                                     "LGGLLG", "LGGGLL", "LGLGLG", "LGLGGL", "LGGLGL"};

QString MotifR(int chiffre)
{
    QString motif = QString::fromLatin1(JeuL[chiffre]);
    for (QChar &c : motif)
        c = c == u'0' ? u'1' : u'0';
    return motif;
}

QString MotifG(int chiffre)
{
    QString motif = MotifR(chiffre);
    std::reverse(motif.begin(), motif.end());
    return motif;
}

bool EstGarde(int module)
{
    return std::find(std::begin(Gardes), std::end(Gardes), module) != std::end(Gardes);
}

} // namespace

QString ModulesEan13(const QString &chiffres)
{
    if (chiffres.size() != Chiffres)
        return QString();
    for (const QChar c : chiffres) {
        if (c < u'0' || c > u'9')
            return QString();
    }
    const auto chiffre = [&chiffres](int i) { return chiffres.at(i).unicode() - u'0'; };
    const char *parite = Parites[chiffre(0)];
    QString modules = u"101"_s;
    for (int i = 1; i <= 6; ++i)
        modules += parite[i - 1] == 'G' ? MotifG(chiffre(i)) : QString::fromLatin1(JeuL[chiffre(i)]);
    modules += u"01010"_s;
    for (int i = 7; i < Chiffres; ++i)
        modules += MotifR(chiffre(i));
    modules += u"101"_s;
    return modules;
}

TxiloCADCodeBarre::TxiloCADCodeBarre(TxiloCADMdl &modele, double x, double y, double l, double h, double r)
    : TxiloCADRect(modele), m_codeBarre(u"3012345678902"_s)
{
    SetName(u"codebarre"_s);
    SetCentre(x, y);
    SetTaille(l, h);
    SetR(r);
    SetAvecPoignee(2, false);
}

const QStringList &TxiloCADCodeBarre::SaveToStrings()
{
    TxiloCADRect::SaveToStrings();
    m_params.Ecrit(u"codebarre"_s, m_codeBarre);
    m_params.Ecrit(u"colorBarre"_s, ColorToText(m_colorBarre));
    m_params.Ecrit(u"colorFond"_s, ColorToText(m_colorFond));
    m_params.Ecrit(u"Transparent"_s, BoolToText(m_transparent));
    return m_params.Lignes();
}

void TxiloCADCodeBarre::LoadFromStrings(const QStringList &lignes)
{
    m_params.SetLignes(lignes);
    m_codeBarre = m_params.Valeur(u"codebarre");
    // A colour read from nothing would be black.
    if (m_params.Contient(u"colorBarre"))
        m_colorBarre = TextToColor(m_params.Valeur(u"colorBarre"));
    if (m_params.Contient(u"colorFond"))
        m_colorFond = TextToColor(m_params.Valeur(u"colorFond"));
    m_transparent = m_params.Valeur(u"Transparent") == u"1"_s;
    TxiloCADRect::LoadFromStrings(lignes);
}

void TxiloCADCodeBarre::Draw(TCanevas &canevas)
{
    if (!SurFaceCourante())
        return;
    // A number that is not 13 digits has no symbol; one with a wrong check
    // digit is drawn all the same, as the user typed it.
    if (ModulesEan13(m_codeBarre).isEmpty()) {
        DrawMessage(canevas, u"Il n'y a pas 13 chiffres"_s);
    } else {
        const TxiloCADMdl &m = Modele();
        const int gauche = m.MmToPixelX(X() - L() / 2);
        const int haut = m.MmToPixelY(Y() - H() / 2);
        DrawEan13(m_codeBarre, canevas, gauche, haut, m.MmToPixelX(X() + L() / 2) - gauche,
                  m.MmToPixelY(Y() + H() / 2) - haut);
    }
    DessineCadre(canevas);
}

void TxiloCADCodeBarre::DrawEan13(const QString &chiffres, TCanevas &canevas, int gauche, int haut, int largeur,
                                  int hauteur) const
{
    const QString modules = ModulesEan13(chiffres);
    if (modules.isEmpty())
        return;
    const double w = largeur;
    const double h = hauteur;
    // 95 modules and 5 spare across the width inside the margin.
    const double marge = (w + h) * 0.03 / 2;
    const double mw = (w - 2 * marge) / 100;
    if (!(mw > 0) || h <= 0)
        return;

    // The digits take a font of eight modules; one that rounds to no height
    // is left out with its zone.
    const int hauteurFonte = Round(8 * mw);
    TFonteCAD fonte{m_colorBarre, u"Arial"_s, hauteurFonte, 0, 0};
    canevas.SetFonte(fonte);
    int zone = 0;
    int x0 = Round(marge);
    if (hauteurFonte >= 1) {
        zone = Round(canevas.TailleTexte(u"0"_s).height() * 0.8);
        x0 += canevas.TailleTexte(chiffres.first(1)).width();
    }

    if (!m_transparent) {
        canevas.SetStylo(TStylo{m_colorFond, 1, StyloPlein});
        canevas.SetPinceau(TPinceau{m_colorFond, PinceauPlein});
        canevas.Rectangle(gauche, haut, gauche + largeur, haut + hauteur);
    }

    // Each bar covers the pixels of its modules as a rectangle outlined and
    // filled in the bar colour would; adjacent modules make one bar, filled
    // at once (guard bars never touch a data bar).
    canevas.SetStylo(TStylo{m_colorBarre, 1, StyloVide});
    canevas.SetPinceau(TPinceau{m_colorBarre, PinceauPlein});
    const int m = Round(marge);
    const int basBarres = haut + hauteur - zone - m;
    for (int i = 1; i <= Modules; ++i) {
        if (modules.at(i - 1) != u'1')
            continue;
        int fin = i;
        while (fin < Modules && modules.at(fin) == u'1' && EstGarde(fin + 1) == EstGarde(i))
            ++fin;
        const int bas = EstGarde(i) ? basBarres + zone / 2 : basBarres;
        // Without a pen the brush leaves out the last column and row.
        canevas.Rectangle(gauche + Round(x0 + i * mw), haut + m, gauche + Round(x0 + fin * mw + mw) + 1, bas + 1);
        i = fin;
    }

    if (hauteurFonte < 1)
        return;
    canevas.SetPinceau(TPinceau{m_colorBarre, PinceauVide});
    canevas.SetFonte(fonte);
    const int hautTexte = haut + Round(h - zone - marge);
    canevas.Texte(QPoint(gauche + m, hautTexte), chiffres.first(1));
    for (int k = 0; k <= 5; ++k)
        canevas.Texte(QPoint(gauche + Round((7 * k + 5) * mw + x0), hautTexte), chiffres.mid(k + 1, 1));
    for (int k = 7; k <= 12; ++k)
        canevas.Texte(QPoint(gauche + Round((7 * k + 3) * mw + x0), hautTexte), chiffres.mid(k, 1));
}
