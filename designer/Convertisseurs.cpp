#include "Convertisseurs.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include <QList>

#include "Arrondi.h"

using namespace Qt::StringLiterals;

namespace {

// Beyond this the integer part of a number stops growing: every length of a
// design is far below it, and a run of digits in a damaged file must not
// reach an infinity.
constexpr std::uint64_t PartieEntiereMax = 1000000000000000000;
// Digits of a fraction past the precision of a double change nothing.
constexpr int ChiffresFractionMax = 17;

bool EstChiffre(QChar c)
{
    return c >= u'0' && c <= u'9';
}

int ValeurHexa(QChar c)
{
    if (EstChiffre(c))
        return c.unicode() - u'0';
    if (c >= u'A' && c <= u'F')
        return c.unicode() - u'A' + 10;
    if (c >= u'a' && c <= u'f')
        return c.unicode() - u'a' + 10;
    return -1;
}

qsizetype SauteBlancs(QStringView t, qsizetype i = 0)
{
    while (i < t.size() && t.at(i) == u' ')
        ++i;
    return i;
}

struct TPartieEntiere {
    double Valeur = 0;
    bool Negatif = false;
};

// Blanks, a sign, then digits for as long as they go.
TPartieEntiere LitPartieEntiere(QStringView t)
{
    TPartieEntiere r;
    qsizetype i = SauteBlancs(t);
    if (i < t.size() && (t.at(i) == u'-' || t.at(i) == u'+')) {
        r.Negatif = t.at(i) == u'-';
        ++i;
    }
    // In whole numbers, exactly, and made a double once: a double taking
    // digit after digit loses its last ones past 2^53, so that a number
    // written back from it would read as another.
    std::uint64_t valeur = 0;
    for (; i < t.size() && EstChiffre(t.at(i)); ++i) {
        if (valeur < PartieEntiereMax)
            valeur = valeur * 10 + std::uint64_t(t.at(i).unicode() - u'0');
    }
    r.Valeur = double(valeur);
    if (r.Negatif)
        r.Valeur = -r.Valeur;
    return r;
}

// The leading digits of a fraction, as the value they stand for after the
// decimal point.
double LitFraction(QStringView t)
{
    double chiffres = 0;
    int n = 0;
    for (qsizetype i = 0; i < t.size() && EstChiffre(t.at(i)) && n < ChiffresFractionMax; ++i, ++n)
        chiffres = chiffres * 10 + (t.at(i).unicode() - u'0');
    return n == 0 ? 0.0 : chiffres / std::pow(10.0, n);
}

// Hexadecimal digits from the start of the text, stopping at the first
// other character or after 8 digits.
std::uint32_t LitHexa(QStringView t)
{
    std::uint32_t v = 0;
    for (qsizetype i = 0; i < t.size() && i < 8; ++i) {
        const int d = ValeurHexa(t.at(i));
        if (d < 0)
            break;
        v = (v << 4) | std::uint32_t(d);
    }
    return v;
}

QStringView Champ(const QList<QStringView> &champs, qsizetype i)
{
    return i < champs.size() ? champs.at(i) : QStringView();
}

const QString NomsGabarits[] = {
    QString(), u"CD"_s, u"Jaquette"_s, u"Livret"_s, u"Feuillet"_s, u"JaquetteDVD"_s, u"PochetteCD"_s,
};

} // namespace

double TextToFloat(QStringView texte)
{
    const QString t = texte.toString().replace(u',', u'.');
    const qsizetype point = t.lastIndexOf(u'.');
    if (point < 0)
        return LitPartieEntiere(t).Valeur;
    const TPartieEntiere entier = LitPartieEntiere(QStringView(t).first(point));
    const double fraction = LitFraction(QStringView(t).sliced(point + 1));
    return entier.Negatif ? entier.Valeur - fraction : entier.Valeur + fraction;
}

int TextToInt(QStringView texte, int defaut)
{
    qsizetype i = SauteBlancs(texte);
    bool negatif = false;
    if (i < texte.size() && (texte.at(i) == u'-' || texte.at(i) == u'+')) {
        negatif = texte.at(i) == u'-';
        ++i;
    }
    bool hexa = false;
    if (i < texte.size() && texte.at(i) == u'$') {
        hexa = true;
        ++i;
    } else if (i + 1 < texte.size() && texte.at(i) == u'0' && (texte.at(i + 1) == u'x' || texte.at(i + 1) == u'X')) {
        hexa = true;
        i += 2;
    }
    if (i >= texte.size())
        return defaut;
    std::int64_t v = 0;
    for (; i < texte.size(); ++i) {
        const int d = hexa ? ValeurHexa(texte.at(i)) : (EstChiffre(texte.at(i)) ? texte.at(i).unicode() - u'0' : -1);
        if (d < 0)
            return defaut;
        v = v * (hexa ? 16 : 10) + d;
        // A hexadecimal number gives the 32 bits it is written with; a
        // decimal one must fit the range.
        if (v > (hexa ? std::int64_t(0xFFFFFFFF) : std::int64_t(std::numeric_limits<int>::max()) + 1))
            return defaut;
    }
    if (hexa)
        v = std::int32_t(std::uint32_t(v));
    if (negatif)
        v = -v;
    if (v > std::numeric_limits<int>::max() || v < std::numeric_limits<int>::min())
        return defaut;
    return int(v);
}

bool TextToBool(QStringView texte)
{
    return TextToInt(texte, 1) == 1;
}

TColor TextToColor(QStringView texte)
{
    QString nombre;
    nombre += texte.mid(4, 2);
    nombre += texte.mid(2, 2);
    nombre += texte.mid(0, 2);
    return LitHexa(nombre);
}

TColor TextToColorNumber(QStringView texte)
{
    return LitHexa(texte);
}

TStylo TextToPen(QStringView texte)
{
    const QList<QStringView> champs = texte.split(u',');
    TStylo stylo;
    stylo.Couleur = TextToColorNumber(Champ(champs, 0));
    stylo.Largeur = std::clamp(TextToInt(Champ(champs, 1), 1), 0, LargeurStyloMax);
    stylo.Style = TextToInt(Champ(champs, 2), StyloTirets);
    if (stylo.Style < 0 || stylo.Style > StyloMax)
        stylo.Style = StyloTirets;
    return stylo;
}

TPinceau TextToBrush(QStringView texte)
{
    const QList<QStringView> champs = texte.split(u',');
    TPinceau pinceau;
    pinceau.Couleur = TextToColorNumber(Champ(champs, 0));
    pinceau.Style = TextToInt(Champ(champs, 1), PinceauVide);
    if (pinceau.Style < 0 || pinceau.Style > PinceauMax)
        pinceau.Style = PinceauVide;
    return pinceau;
}

void TextToFont(QStringView texte, TFonteCAD &fonte)
{
    const QList<QStringView> champs = texte.split(u',');
    fonte.Couleur = TextToColor(Champ(champs, 0));
    fonte.Nom = Champ(champs, 1).toString();
    fonte.Hauteur = std::clamp(TextToInt(Champ(champs, 2), 1), -HauteurFonteMax, HauteurFonteMax);
    const QStringView styles = Champ(champs, 3);
    if (styles.contains(u'B'))
        fonte.Style |= FonteGras;
    if (styles.contains(u'I'))
        fonte.Style |= FonteItalique;
    if (styles.contains(u'U'))
        fonte.Style |= FonteSouligne;
    if (styles.contains(u'S'))
        fonte.Style |= FonteBarre;
}

TBordure TextToBorder(QStringView texte, const TBordure &defaut)
{
    const QList<QStringView> champs = texte.split(u',');
    TBordure b = defaut;
    if (!texte.isEmpty())
        b.Active = champs.at(0) == u"1";
    if (champs.size() > 1)
        b.LargeurTuile = TextToFloat(champs.at(1));
    if (champs.size() > 2)
        b.HauteurTuile = TextToFloat(champs.at(2));
    if (champs.size() > 3)
        b.Mode = TextToInt(champs.at(3));
    return b;
}

std::vector<QPointF> TextToPoints(QStringView texte)
{
    std::vector<QPointF> points;
    for (const QStringView piece : texte.split(u'|')) {
        if (points.size() >= size_t(PointsMax))
            break;
        const qsizetype pointVirgule = piece.indexOf(u';');
        const QStringView x = pointVirgule < 0 ? piece : piece.first(pointVirgule);
        if (x.isEmpty())
            break;
        const double y = pointVirgule < 0 ? 0.0 : TextToFloat(piece.sliced(pointVirgule + 1));
        points.emplace_back(TextToFloat(x), y);
    }
    return points;
}

int TemplateIndex(QStringView nom)
{
    for (int i = 0; i < int(std::size(NomsGabarits)); ++i) {
        if (nom.compare(NomsGabarits[i], Qt::CaseInsensitive) == 0)
            return i;
    }
    return 0;
}

QString TemplateName(int gabarit)
{
    return gabarit >= 0 && gabarit < int(std::size(NomsGabarits)) ? NomsGabarits[gabarit] : QString();
}

QString IntToText(int n)
{
    return QString::number(n);
}

QString FloatToText(double v)
{
    if (!std::isfinite(v))
        return u"0"_s;
    // The fraction is rounded apart from the integer part, so that the
    // integer rounding helper serves whatever the size of the number.
    double entier = std::trunc(v);
    int dixMilliemes = Round((v - entier) * 10000.0);
    if (dixMilliemes >= 10000) {
        entier += 1;
        dixMilliemes -= 10000;
    } else if (dixMilliemes <= -10000) {
        entier -= 1;
        dixMilliemes += 10000;
    }
    const bool negatif = entier < 0 || dixMilliemes < 0;
    QString texte = negatif ? u"-"_s : QString();
    texte += QString::number(std::fabs(entier), 'f', 0);
    if (dixMilliemes != 0) {
        QString decimales = QString::number(std::abs(dixMilliemes)).rightJustified(4, u'0');
        while (decimales.endsWith(u'0'))
            decimales.chop(1);
        texte += u'.' + decimales;
    }
    return texte;
}

QString BoolToText(bool b)
{
    return b ? u"1"_s : u"0"_s;
}

QString ColorToText(TColor couleur)
{
    return QString::asprintf("%02X%02X%02X", RougeDe(couleur), VertDe(couleur), BleuDe(couleur));
}

QString ColorNumberToText(TColor couleur)
{
    return QString::number(couleur, 16).toUpper().rightJustified(6, u'0');
}

QString PenToText(const TStylo &stylo)
{
    return ColorNumberToText(stylo.Couleur) + u',' + IntToText(stylo.Largeur) + u',' + IntToText(stylo.Style);
}

QString BrushToText(const TPinceau &pinceau)
{
    return ColorNumberToText(pinceau.Couleur) + u',' + IntToText(pinceau.Style);
}

QString FontToText(const TFonteCAD &fonte)
{
    QString styles;
    if (fonte.Style & FonteGras)
        styles += u'B';
    if (fonte.Style & FonteItalique)
        styles += u'I';
    if (fonte.Style & FonteSouligne)
        styles += u'U';
    if (fonte.Style & FonteBarre)
        styles += u'S';
    return ColorToText(fonte.Couleur) + u',' + fonte.Nom + u',' + IntToText(fonte.Hauteur) + u',' + styles;
}

QString BorderToText(const TBordure &bordure)
{
    return BoolToText(bordure.Active) + u',' + FloatToText(bordure.LargeurTuile) + u','
           + FloatToText(bordure.HauteurTuile) + u',' + IntToText(bordure.Mode);
}

QString PointsToText(const std::vector<QPointF> &points)
{
    QString texte;
    for (const QPointF &p : points)
        texte += FloatToText(p.x()) + u';' + FloatToText(p.y()) + u'|';
    return texte;
}

QString MmToText(double v)
{
    // The unit settings of the labels: a factor and a unit name that
    // nothing changes.
    constexpr double facteur = 1.0;
    const QString unite;
    return FloatToText(Round(v * facteur * 100) / 100.0) + u' ' + unite;
}
