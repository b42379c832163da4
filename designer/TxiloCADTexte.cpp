#include "TxiloCADTexte.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <numbers>

#include <QPolygon>

#include "Arrondi.h"
#include "Canevas.h"
#include "Convertisseurs.h"
#include "Langue.h"
#include "TxiloCADMdl.h"

using namespace Qt::StringLiterals;

namespace {

constexpr double RadiansParDegre = std::numbers::pi / 180.0;
constexpr int TexteNouveau = 8707;
// The shrink lowers the font by this many thousandths of a millimetre a
// step.
constexpr int PasReduction = 10;
// The fit grows the canvas font by this many pixels a step.
constexpr int PasAjustement = 10;

QString TexteParDefaut()
{
    const QString texte = MLText(TexteNouveau);
    return texte.isEmpty() ? u"Texte"_s : texte;
}

} // namespace

TxiloCADTexte::TxiloCADTexte(TxiloCADMdl &modele, double x, double y, double r) : TxiloCADRect(modele)
{
    SetName(u"Texte"_s);
    SetCentre(x, y);
    SetTaille(8, 2);
    SetR(r);
    m_font = TFonteCAD{CouleurNoire, u"Times New Roman"_s, 12, 0, 0};
    m_source = m_affiche = TexteParDefaut();
    for (int i = 1; i <= 8; ++i)
        SetAvecPoignee(i, i == 2 || i == 3 || i == 6);
    // A text made here was read from nowhere: what it would shrink back to
    // is what it was made with.
    PrendBoiteChargee();
}

void TxiloCADTexte::SetAligne(int aligne)
{
    m_aligne = aligne >= 0 && aligne <= 8 ? aligne : 0;
}

void TxiloCADTexte::SetAlignement(int alignement)
{
    m_alignement = alignement == AligneGauche || alignement == AligneDroite ? alignement : AligneCentre;
}

TCanevas &TxiloCADTexte::CanevasMesure()
{
    return m_canevasMesure ? *m_canevasMesure : Modele().CanevasTravail();
}

QStringList TxiloCADTexte::Lignes() const
{
    QStringList lignes = m_affiche.split(SeparateurLignes);
    for (QString &ligne : lignes)
        ligne = ligne.trimmed();
    return lignes;
}

TFonteCAD TxiloCADTexte::FonteCanevas() const
{
    TFonteCAD fonte = m_font;
    // A mirrored group draws its sub-model at negative scales; sizes come
    // from their magnitude, so that a mirror never changes them (a negative
    // height would measure the character instead of the cell).
    fonte.Hauteur = Round(m_font.Hauteur * std::abs(Modele().EchelleX()) / 1000.0);
    fonte.Escapement = 0;
    return fonte;
}

QSize TxiloCADTexte::Measure(TCanevas &canevas)
{
    canevas.SetFonte(FonteCanevas());
    int largeur = 0;
    qint64 hauteur = 0;
    for (const QString &ligne : Lignes()) {
        const QSize taille = canevas.TailleTexte(ligne);
        largeur = std::max(largeur, taille.width());
        hauteur += taille.height();
    }
    // A text of a million lines must not wrap the height round.
    return QSize(largeur, int(std::min<qint64>(hauteur, INT_MAX)));
}

void TxiloCADTexte::PrendTaille(QSize pixels)
{
    const TxiloCADMdl &m = Modele();
    const double l = m.EchelleX() == 0 ? L() : pixels.width() / std::abs(m.EchelleX());
    const double h = m.EchelleY() == 0 ? H() : pixels.height() / std::abs(m.EchelleY());
    SetTaille(l, h);
}

void TxiloCADTexte::PrendBoiteChargee()
{
    m_xCharge = X();
    m_yCharge = Y();
    m_lCharge = L();
    m_hCharge = H();
    m_hauteurChargee = m_font.Hauteur;
    m_tailleTexte = QSizeF(L(), H());
}

void TxiloCADTexte::SetText(const QString &texte)
{
    // The anchor's move is taken from the centre rather than between two
    // page positions, which far from the page's origin would differ by the
    // rounding of the doubles and move the text at every reading.
    const QPointF avant = DecalagePoignee(m_aligne);
    m_source = texte.trimmed();
    m_affiche = Modele().RemplitBalises(this, m_source);
    PrendTaille(Measure(CanevasMesure()));
    if (m_aligne > 0) {
        const QPointF deplacement = avant - DecalagePoignee(m_aligne);
        SetCentre(X() + deplacement.x(), Y() + deplacement.y());
    }
    m_tailleTexte = QSizeF(L(), H());
}

const QStringList &TxiloCADTexte::SaveToStrings()
{
    // The print window fills the texts coded so from its three edit
    // fields.
    for (int i = 1; i <= 3; ++i) {
        if (m_source == u"<Texte%1>"_s.arg(i))
            SetCode(u"texte%1"_s.arg(i));
    }
    TxiloCADRect::SaveToStrings();
    TFonteCAD fonte = m_font;
    // A text read from a file whose box is still the one its text gave it
    // (whatever text the print window put in, whatever size the zoom and
    // the shrink to its room gave it) is written with the box and font
    // height it was read with, so that it reads back as the same text: the
    // room a long text shrinks into is that box. It keeps its place: moved,
    // its anchor has taken the box read with it.
    if (m_lu && L() == m_tailleTexte.width() && H() == m_tailleTexte.height()) {
        const QPointF ancre = QPointF(X(), Y()) + DecalagePoignee(m_aligne);
        const double l = L();
        const double h = H();
        SetTaille(m_lCharge, m_hCharge);
        QPointF centre = ancre - DecalagePoignee(m_aligne);
        SetTaille(l, h);
        if (std::abs(centre.x() - m_xCharge) < 1e-9 && std::abs(centre.y() - m_yCharge) < 1e-9)
            centre = QPointF(m_xCharge, m_yCharge);
        m_params.Ecrit(u"x"_s, FloatToText(centre.x()));
        m_params.Ecrit(u"y"_s, FloatToText(centre.y()));
        m_params.Ecrit(u"l"_s, FloatToText(m_lCharge));
        m_params.Ecrit(u"h"_s, FloatToText(m_hCharge));
        fonte.Hauteur = m_hauteurChargee;
    }
    m_params.Ecrit(u"Name"_s, Name());
    m_params.Ecrit(u"Font"_s, FontToText(fonte));
    m_params.Ecrit(u"Aligne"_s, IntToText(m_aligne));
    m_params.Ecrit(u"Alignement"_s, IntToText(m_alignement));
    m_params.Ecrit(u"txt"_s, m_source);
    return m_params.Lignes();
}

void TxiloCADTexte::LoadFromStrings(const QStringList &lignes)
{
    m_params.SetLignes(lignes);
    // A font text read from nothing would be a nameless font one unit high.
    if (m_params.Contient(u"Font"))
        TextToFont(m_params.Valeur(u"Font"), m_font);
    SetAligne(TextToInt(m_params.Valeur(u"Aligne")));
    if (m_params.Contient(u"Alignement"))
        SetAlignement(TextToInt(m_params.Valeur(u"Alignement")));
    const QString source = m_params.Valeur(u"txt");
    TxiloCADRect::LoadFromStrings(lignes);
    PrendBoiteChargee();
    m_lu = true;
    SetText(source);
}

void TxiloCADTexte::Tourne(QPointF pointeur)
{
    TxiloCADRect::Tourne(pointeur);
    AjusteALaLargeur();
    PrendBoiteChargee();
}

void TxiloCADTexte::RedimCentre(QPointF pointeur)
{
    TxiloCADRect::RedimCentre(pointeur);
    AjusteALaLargeur();
    PrendBoiteChargee();
}

void TxiloCADTexte::AjusteALaLargeur()
{
    const double echelle = std::abs(Modele().EchelleX());
    // Without a scale there are no pixels to fit.
    if (!(echelle > 0))
        return;
    TCanevas &canevas = CanevasMesure();
    TFonteCAD fonte = FonteCanevas();
    canevas.SetFonte(fonte);
    QString plusLarge;
    int largeurMax = -1;
    for (const QString &ligne : Lignes()) {
        const int largeur = canevas.TailleTexte(ligne).width();
        if (largeur > largeurMax) {
            largeurMax = largeur;
            plusLarge = ligne;
        }
    }
    const auto largeurMm = [&](int hauteur) {
        fonte.Hauteur = hauteur;
        canevas.SetFonte(fonte);
        return canevas.TailleTexte(plusLarge).width() / echelle;
    };

    // The heights tried grow by 10 pixels from 1 up to the first whose width
    // reaches the box's: 1 + 10j for j = 0, 1, 2... The width grows with the
    // height, so that first height is found by doubling j, then halving,
    // in a few measures even for the largest font.
    const int jMax = (HauteurMaxAjustement - 1) / PasAjustement;
    const auto hauteurDe = [](int j) { return 1 + PasAjustement * j; };
    int hauteur = 1;
    double largeur = largeurMm(hauteur);
    // An empty line never becomes wider: it stays at the smallest font.
    if (!plusLarge.isEmpty() && largeur < L()) {
        int bas = 0; // narrower than the box
        int haut = 1;
        while (haut < jMax && largeurMm(hauteurDe(haut)) < L()) {
            bas = haut;
            haut = std::min(2 * haut, jMax);
        }
        if (haut == jMax && largeurMm(hauteurDe(jMax)) < L()) {
            // Even the largest font is narrower: it is the one.
            bas = haut = jMax;
        }
        while (haut - bas > 1) {
            const int milieu = bas + (haut - bas) / 2;
            if (largeurMm(hauteurDe(milieu)) < L())
                bas = milieu;
            else
                haut = milieu;
        }
        hauteur = hauteurDe(haut);
        largeur = largeurMm(hauteur);
    }
    while (largeur > L() && hauteur >= 2)
        largeur = largeurMm(--hauteur);

    m_font.Hauteur = std::clamp(Round(hauteur * 1000.0 / echelle), -HauteurFonteMax, HauteurFonteMax);
    PrendTaille(Measure(canevas));
}

void TxiloCADTexte::RedimPoignee(QPointF pointeur)
{
    // The pointer's offset along the box's width axis, its angle taken on
    // the whole circle: a pointer straight above or below the centre is on
    // the height axis and gives no width.
    const double dx = pointeur.x() - X();
    const double dy = pointeur.y() - Y();
    const double a = R() * RadiansParDegre - std::atan2(dy, dx);
    const double largeurMax = 2 * std::hypot(dx, dy) * std::cos(a);

    TCanevas &canevas = CanevasMesure();
    canevas.SetFonte(FonteCanevas());
    const TxiloCADMdl &m = Modele();
    QString texte = m_source;
    texte.replace(SeparateurLignes, u' ');
    QString resultat;
    QString ligne;
    bool premier = true;
    for (const QString &mot : texte.split(u' ')) {
        if (premier) {
            ligne = mot;
            premier = false;
            continue;
        }
        const QString avecMot = ligne + u' ' + mot;
        if (std::abs(m.PixelToMmX(canevas.TailleTexte(avecMot).width())) < largeurMax) {
            ligne = avecMot;
        } else {
            resultat += ligne + SeparateurLignes;
            ligne = mot;
        }
    }
    resultat += ligne;
    m_source = resultat;
    m_affiche = Modele().RemplitBalises(this, m_source);
    PrendTaille(Measure(canevas));
    PrendBoiteChargee();
}

void TxiloCADTexte::ReduitALaLargeurChargee(TCanevas &canevas)
{
    m_font.Hauteur = m_hauteurChargee;
    const double limite = m_lCharge * std::abs(Modele().EchelleX());
    // A text read without a width would be lowered for ever, and lowering
    // a negative (character) height makes the font taller.
    if (!(limite > 0) || m_font.Hauteur <= 0)
        return;
    if (Measure(canevas).width() <= limite)
        return;
    // The heights tried are h(k) = H - 10k for k = 1, 2... while positive;
    // the result is one step below the first that fits. The width grows
    // with the height, so that first height is found by halving, in a few
    // measures whatever the height read from the file.
    const int depart = m_hauteurChargee;
    const int kMax = (depart - 1) / PasReduction;
    if (kMax < 1)
        return;
    const auto tropLarge = [&](int k) {
        m_font.Hauteur = depart - PasReduction * k;
        return Measure(canevas).width() >= limite;
    };
    int k;
    if (tropLarge(kMax)) {
        k = kMax;
    } else {
        int bas = 0; // too wide (the height as loaded)
        int haut = kMax; // fits
        while (haut - bas > 1) {
            const int milieu = bas + (haut - bas) / 2;
            if (tropLarge(milieu))
                bas = milieu;
            else
                haut = milieu;
        }
        k = std::min(haut + 1, kMax);
    }
    m_font.Hauteur = depart - PasReduction * k;
}

void TxiloCADTexte::Draw(TCanevas &canevas)
{
    if (!SurFaceCourante())
        return;
    const TxiloCADMdl &m = Modele();
    if (m.Interrupteurs().ReduitTexte)
        ReduitALaLargeurChargee(canevas);

    QSize taille = Measure(canevas);
    // The box follows the font and the zoom.
    if (Round(L() * std::abs(m.EchelleX())) != taille.width()) {
        SetText(m_source);
        taille = Measure(canevas);
    }
    const QStringList lignes = Lignes();
    const int n = int(lignes.size());
    const double pas = n >= 1 && m.EchelleY() != 0 ? taille.height() / double(n) / std::abs(m.EchelleY()) : 0.0;
    // In a mirrored group (a negative scale) the text still reads as it is:
    // its box is mirrored, so that it turns the other way on the page, and
    // its lines are laid out as unmirrored, their offsets from the centre
    // then mirrored so that the pixels fall as they would unmirrored. In a
    // turned group the page's turn, which moves the lines, turns the
    // letters too.
    const double sensX = m.EchelleX() < 0 ? -1 : 1;
    const double sensY = m.EchelleY() < 0 ? -1 : 1;
    const double r = R() * sensX * sensY;
    const double surPage = r + m.AnglePage();

    const TFonteCAD fonteAvant = canevas.Fonte();
    TFonteCAD tournee = fonteAvant;
    tournee.Escapement = Round(-surPage * 10);
    canevas.SetFonte(tournee);
    canevas.SetPinceau(TPinceau{CouleurBlanche, PinceauVide});

    const double a = surPage * RadiansParDegre;
    const double w = taille.width();
    const double h = taille.height();
    // From the turned point of a line's top-left corner, in an unturned box
    // centred on the object, to its drawing point.
    const QPoint demiBoite(Round((w * std::cos(a) - h * std::sin(a)) / 2),
                           Round((w * std::sin(a) + h * std::cos(a)) / 2));
    const QPointF centre(X(), Y());
    for (int i = 0; i < n; ++i) {
        const QString &ligne = lignes.at(i);
        double dx = 0;
        if (m_alignement != AligneGauche) {
            dx = std::abs(m.PixelToMmX(w - canevas.TailleTexte(ligne).width()));
            if (m_alignement == AligneCentre)
                dx /= 2;
        }
        const QPointF decalage = TxiloCADMdl::RotatePoint(QPointF(), QPointF(dx, i * pas), r);
        const QPointF point = centre + QPointF(sensX * decalage.x(), sensY * decalage.y());
        canevas.Texte(m.PageToPixel(point) - demiBoite, ligne);
    }
    canevas.SetFonte(fonteAvant);

    DessineCadre(canevas);
    DessineAncre(canevas);
    if (m.Interrupteurs().CadresOrigine)
        DessineCadreCharge(canevas);
}

void TxiloCADTexte::DessineAncre(TCanevas &canevas)
{
    const TxiloCADMdl &m = Modele();
    if (!m.Interrupteurs().Interactif || (!Selectionne() && PoigneeActive() == -1))
        return;
    if (m_aligne < 1 || m_aligne > 4)
        return;
    const TProprietaireModele *editeur = m.Proprietaire();
    TColor couleur = Selectionne() ? CouleurRouge : CouleurBleue;
    if (editeur)
        couleur = Selectionne() ? editeur->CouleurSelection() : editeur->CouleurCadre();
    canevas.SetStylo(TStylo{couleur, 1, StyloPlein});
    const auto coins = Coins();
    const size_t i = size_t(m_aligne - 1);
    const QPoint ancre = m.PageToPixel(coins[i]);
    canevas.Ligne(m.PageToPixel(coins[(i + 3) % 4]), ancre);
    canevas.Ligne(ancre, m.PageToPixel(coins[(i + 1) % 4]));
}

void TxiloCADTexte::DessineCadreCharge(TCanevas &canevas)
{
    const TxiloCADMdl &m = Modele();
    const double gauche = m_xCharge - m_lCharge / 2;
    const double droite = m_xCharge + m_lCharge / 2;
    const double haut = m_yCharge - m_hCharge / 2;
    const double bas = m_yCharge + m_hCharge / 2;
    canevas.SetStylo(TStylo{CouleurGrise, 1, StyloPlein});
    canevas.SetPinceau(TPinceau{CouleurBlanche, PinceauVide});
    canevas.Polygone(QPolygon({m.PageToPixel(QPointF(gauche, haut)), m.PageToPixel(QPointF(droite, haut)),
                               m.PageToPixel(QPointF(droite, bas)), m.PageToPixel(QPointF(gauche, bas))}));
}
