// The key lines of the designs' model files and the converters between
// their texts and the objects' values.

#include "Convertisseurs.h"
#include "LignesCles.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(LignesCles, LectureEtEcriture)
{
    // Each case starts from the same lines, writes one value (or reads one
    // when the value is null) and checks the lines and the value read.
    const QStringList depart = {u"Name=Rectangle"_s, u"face=1"_s, u"  x=5"_s, u"sans egal"_s,
                                u"Face=2"_s, u"Code=a=b"_s, u"Vide="_s};
    struct Cas {
        const char16_t *cle;
        const char16_t *valeur; // nullptr: read only
        const char16_t *lu;     // the value read after the write
        QStringList lignes;     // the lines after the write
    };
    const Cas cas[] = {
        // First match wins, letter case ignored.
        {u"FACE", nullptr, u"1", depart},
        // The key is the exact text before the first "=": blanks count.
        {u"x", nullptr, u"", depart},
        {u"  x", nullptr, u"5", depart},
        {u"Code", nullptr, u"a=b", depart},
        {u"sans egal", nullptr, u"", depart},
        {u"Vide", nullptr, u"", depart},
        // A present key is replaced in place, by the key as given.
        {u"FACE", u"3", u"3",
         {u"Name=Rectangle"_s, u"FACE=3"_s, u"  x=5"_s, u"sans egal"_s, u"Face=2"_s, u"Code=a=b"_s, u"Vide="_s}},
        // An absent key is appended.
        {u"Tag", u"7", u"7",
         {u"Name=Rectangle"_s, u"face=1"_s, u"  x=5"_s, u"sans egal"_s, u"Face=2"_s, u"Code=a=b"_s, u"Vide="_s,
          u"Tag=7"_s}},
        // An empty value removes the first line of the key only.
        {u"Face", u"", u"2",
         {u"Name=Rectangle"_s, u"  x=5"_s, u"sans egal"_s, u"Face=2"_s, u"Code=a=b"_s, u"Vide="_s}},
        {u"Absente", u"", u"", depart},
    };
    for (const Cas &c : cas) {
        SCOPED_TRACE(QString::fromUtf16(c.cle).toStdString());
        TLignesCles lignes(depart);
        if (c.valeur)
            lignes.Ecrit(QString::fromUtf16(c.cle), QString::fromUtf16(c.valeur));
        EXPECT_EQ(lignes.Valeur(QString::fromUtf16(c.cle)), QString::fromUtf16(c.lu));
        EXPECT_EQ(lignes.Lignes(), c.lignes);
    }
}

TEST(Convertisseurs, Nombres)
{
    struct Cas {
        const char16_t *texte;
        double valeur;
    };
    // "1.000,5": the integer part stops at its first full stop; "-0.25":
    // the sign takes the fraction too; "12,5abc": read as far as it goes; a
    // fraction longer than a double holds gives its first digits.
    const Cas cas[] = {
        {u"12,5", 12.5},   {u"12.5", 12.5}, {u"1.000,5", 1.5}, {u"-33,6901", -33.6901}, {u"-0.25", -0.25},
        {u"  -0,05", -0.05}, {u"7", 7.0},   {u"abc", 0.0},     {u"", 0.0},              {u"12,5abc", 12.5},
        {u"3x.5", 3.5},    {u".5", 0.5},
        {u"0.3333333333333333333333333333333333333333333333333333", 1.0 / 3},
        {u"2.00000000000000000000000000000000000000000000000000001", 2.0},
    };
    for (const Cas &c : cas) {
        SCOPED_TRACE(QString::fromUtf16(c.texte).toStdString());
        EXPECT_DOUBLE_EQ(TextToFloat(QString::fromUtf16(c.texte)), c.valeur);
    }
    // Endless digits never overflow to an infinity.
    EXPECT_TRUE(std::isfinite(TextToFloat(QString(5000, u'9'))));
    EXPECT_TRUE(std::isfinite(TextToFloat(QString(5000, u'9') + u'.' + QString(5000, u'9'))));

    // Halves go to the even neighbour: 1/32 is 312.5 ten-thousandths, 3/32
    // 937.5.
    const std::pair<double, const char16_t *> textes[] = {
        {-33.69014, u"-33.6901"}, {7.0, u"7"},           {0.5, u"0.5"},      {-0.00004, u"0"},
        {2.99996, u"3"},          {-2.99996, u"-3"},     {1234567.1, u"1234567.1"},
        {1e15, u"1000000000000000"}, {std::nan(""), u"0"}, {1.0 / 32, u"0.0312"}, {3.0 / 32, u"0.0938"},
    };
    for (const auto &[v, texte] : textes)
        EXPECT_EQ(FloatToText(v), QString::fromUtf16(texte)) << v;

    // Round trips, the written text always with a full stop.
    for (const double v : {0.0, 105.0, 148.5, -12.25, 0.0001, 210.0, -1.5, 33.6901, 99999.9999}) {
        SCOPED_TRACE(v);
        const QString texte = FloatToText(v);
        EXPECT_FALSE(texte.contains(u','));
        EXPECT_DOUBLE_EQ(TextToFloat(texte), v);
    }
    // Past 2^53 a number reads as the double nearest to it, and a double
    // written reads back as itself.
    const std::pair<const char16_t *, double> grands[] = {
        {u"100000000000000016", 100000000000000016.0},
        {u"99999999999999999", 1e17},
        {u"-99999999999999456", -99999999999999456.0},
        {u"123456789012345678", 123456789012345678.0},
    };
    for (const auto &[texte, v] : grands) {
        SCOPED_TRACE(QString::fromUtf16(texte).toStdString());
        EXPECT_EQ(TextToFloat(QString::fromUtf16(texte)), v);
        EXPECT_EQ(TextToFloat(FloatToText(v)), v);
    }
}

TEST(Convertisseurs, EntiersEtBooleens)
{
    struct Cas {
        const char16_t *texte;
        int entier;  // TextToInt
        bool vrai;   // TextToBool
    };
    const Cas cas[] = {
        {u"1", 1, true},        {u"0", 0, false},          {u"2", 2, false},
        {u"", 0, true},         {u"x", 0, true},           {u"-12", -12, false},
        {u"  42", 42, false},   {u"42 ", 0, true},         {u"$1F", 31, false},
        {u"0x10", 16, false},   {u"0X1F", 31, false},      {u"0XffffFFFF", -1, false},
        {u"$FFFFFFFF", -1, false}, {u"$1FFFFFFFF", 0, true}, {u"0x", 0, true},
        {u"2147483647", 2147483647, false},               {u"-2147483648", -2147483647 - 1, false},
        {u"2147483648", 0, true}, {u"99999999999999999999", 0, true}, {u"$", 0, true},
    };
    for (const Cas &c : cas) {
        SCOPED_TRACE(QString::fromUtf16(c.texte).toStdString());
        EXPECT_EQ(TextToInt(QString::fromUtf16(c.texte)), c.entier);
        EXPECT_EQ(TextToBool(QString::fromUtf16(c.texte)), c.vrai);
    }
    EXPECT_EQ(BoolToText(true), u"1"_s);
    EXPECT_EQ(BoolToText(false), u"0"_s);
    for (const int n : {0, 1, -7, 2147483647, -2147483647 - 1})
        EXPECT_EQ(TextToInt(IntToText(n)), n);
}

TEST(Convertisseurs, Couleurs)
{
    // RRGGBB texts: red in the first two digits.
    struct Cas {
        const char16_t *texte;
        TColor couleur;
    };
    // Missing pairs are absent from the number; reading stops at the first
    // character that is not a digit ("12345Z" is the number "5Z3412").
    const Cas rrggbb[] = {
        {u"FF0000", CouleurRGB(255, 0, 0)}, {u"0000ff", CouleurRGB(0, 0, 255)},
        {u"99CCFF", CouleurRGB(0x99, 0xCC, 0xFF)}, {u"FF", 0xFF}, {u"ABC", 0xCAB}, {u"GG0000", 0},
        {u"12345Z", 5}, {u"", 0}, {u"FF0000AA", CouleurRGB(255, 0, 0)},
    };
    for (const Cas &c : rrggbb) {
        SCOPED_TRACE(QString::fromUtf16(c.texte).toStdString());
        EXPECT_EQ(TextToColor(QString::fromUtf16(c.texte)), c.couleur);
    }
    // Colour numbers: blue in the high byte; what was read is kept; at most
    // 8 digits.
    const Cas nombres[] = {
        {u"FF0000", CouleurRGB(0, 0, 255)}, {u"0000FF", CouleurRGB(255, 0, 0)}, {u"FF00ZZ", 0xFF00},
        {u"FFFFFFFFFFFF", 0xFFFFFFFF}, {u"xyz", 0},
    };
    for (const Cas &c : nombres) {
        SCOPED_TRACE(QString::fromUtf16(c.texte).toStdString());
        EXPECT_EQ(TextToColorNumber(QString::fromUtf16(c.texte)), c.couleur);
    }
    for (const TColor c : {CouleurRGB(0, 0, 0), CouleurRGB(255, 255, 255), CouleurRGB(1, 2, 3), CouleurMagenta}) {
        EXPECT_EQ(TextToColor(ColorToText(c)), c);
        EXPECT_EQ(TextToColorNumber(ColorNumberToText(c)), c);
    }
    EXPECT_EQ(ColorToText(CouleurRGB(0xAB, 0xCD, 0xEF)), u"ABCDEF"_s);
    EXPECT_EQ(ColorNumberToText(CouleurRGB(0xAB, 0xCD, 0xEF)), u"EFCDAB"_s);
    EXPECT_EQ(ColorNumberToText(CouleurRGB(255, 0, 0)), u"0000FF"_s);
    EXPECT_EQ(ColorNumberToText(0x80000005), u"80000005"_s);
}

TEST(Convertisseurs, StylosEtPinceaux)
{
    struct CasStylo {
        const char16_t *texte;
        TStylo stylo;
    };
    // Missing fields, fields that are not integers and styles out of range
    // fall back to width 1 and dashes; widths are bounded.
    const CasStylo stylos[] = {
        {u"FF0000,200,0", {CouleurBleue, 200, StyloPlein}}, {u"FF0000", {CouleurBleue, 1, StyloTirets}},
        {u"0000FF,x,y", {CouleurRouge, 1, StyloTirets}},    {u"000000,3,7", {CouleurNoire, 3, StyloTirets}},
        {u"000000,3,-1", {CouleurNoire, 3, StyloTirets}},   {u"000000,-5,5", {CouleurNoire, 0, StyloVide}},
        {u"000000,999999999,6", {CouleurNoire, LargeurStyloMax, StyloInterieur}},
    };
    for (const CasStylo &c : stylos) {
        SCOPED_TRACE(QString::fromUtf16(c.texte).toStdString());
        EXPECT_EQ(TextToPen(QString::fromUtf16(c.texte)), c.stylo);
    }
    struct CasPinceau {
        const char16_t *texte;
        TPinceau pinceau;
    };
    const CasPinceau pinceaux[] = {
        {u"FFFFFF,0", {CouleurBlanche, PinceauPlein}}, {u"00FF00,7", {CouleurRGB(0, 255, 0), PinceauCroixDiagonale}},
        {u"00FF00", {CouleurRGB(0, 255, 0), PinceauVide}}, {u"00FF00,8", {CouleurRGB(0, 255, 0), PinceauVide}},
        {u"", {CouleurNoire, PinceauVide}},
    };
    for (const CasPinceau &c : pinceaux) {
        SCOPED_TRACE(QString::fromUtf16(c.texte).toStdString());
        EXPECT_EQ(TextToBrush(QString::fromUtf16(c.texte)), c.pinceau);
    }
    for (int style = 0; style <= PinceauMax; ++style) {
        if (style <= StyloMax) {
            EXPECT_EQ(TextToPen(PenToText(TStylo{CouleurRGB(10, 20, 30), 250, style})).Style, style);
        }
        EXPECT_EQ(TextToBrush(BrushToText(TPinceau{CouleurRGB(10, 20, 30), style})).Style, style);
    }
    EXPECT_EQ(PenToText(TStylo{CouleurBleue, 200, StyloPlein}), u"FF0000,200,0"_s);
    EXPECT_EQ(BrushToText(TPinceau{CouleurBlanche, PinceauVide}), u"FFFFFF,1"_s);
}

TEST(Convertisseurs, Fontes)
{
    TFonteCAD fonte;
    TextToFont(u"0000FF,Arial,4000,BI", fonte);
    EXPECT_EQ(fonte.Couleur, CouleurBleue);
    EXPECT_EQ(fonte.Nom, u"Arial"_s);
    EXPECT_EQ(fonte.Hauteur, 4000);
    EXPECT_EQ(fonte.Style, FonteGras | FonteItalique);
    // Styles are added to those the font has; lower-case letters count for
    // nothing.
    TFonteCAD soulignee;
    soulignee.Style = FonteSouligne;
    TextToFont(u"000000,Times New Roman,-300,bIS", soulignee);
    EXPECT_EQ(soulignee.Style, FonteSouligne | FonteItalique | FonteBarre);
    EXPECT_EQ(soulignee.Hauteur, -300);
    TFonteCAD defaut;
    TextToFont(u"FFFFFF,Arial", defaut);
    EXPECT_EQ(defaut.Hauteur, 1);
    TextToFont(u"FFFFFF,Arial,99999999999", defaut);
    EXPECT_EQ(defaut.Hauteur, 1);
    TextToFont(u"FFFFFF,Arial,-2000000000", defaut);
    EXPECT_EQ(defaut.Hauteur, -HauteurFonteMax);

    for (std::uint8_t style = 0; style < 16; ++style) {
        const TFonteCAD f{CouleurRGB(1, 2, 3), u"Liberation Serif"_s, 2500, style, 0};
        TFonteCAD lue;
        lue.Style = 0;
        TextToFont(FontToText(f), lue);
        EXPECT_EQ(lue, f);
    }
    EXPECT_EQ(FontToText(TFonteCAD{CouleurBleue, u"Arial"_s, 4000, FonteGras | FonteItalique, 0}),
              u"0000FF,Arial,4000,BI"_s);
}

TEST(Convertisseurs, BorduresEtPoints)
{
    const TBordure bordure{true, 12.5, 7.25, 3};
    EXPECT_EQ(BorderToText(bordure), u"1,12.5,7.25,3"_s);
    EXPECT_EQ(TextToBorder(BorderToText(bordure)), bordure);
    // A border written with whole tiles on a system using the comma reads
    // as it was meant.
    EXPECT_EQ(TextToBorder(u"0,12,12,2"), (TBordure{false, 12, 12, 2}));
    // Missing fields keep their defaults.
    EXPECT_EQ(TextToBorder(u"1"), (TBordure{true, 12, 12, 2}));
    EXPECT_EQ(TextToBorder(u""), TBordure());

    const std::vector<QPointF> points = {{0, 0}, {1.5, -2}, {2.25, 0}, {3, 0.0001}};
    EXPECT_EQ(PointsToText(points), u"0;0|1.5;-2|2.25;0|3;0.0001|"_s);
    EXPECT_EQ(TextToPoints(PointsToText(points)), points);
    // Reading ends at the first piece without x; a piece without y has 0.
    EXPECT_EQ(TextToPoints(u"1,5;2|3|;4|5;6|"), (std::vector<QPointF>{{1.5, 2}, {3, 0}}));
    QString beaucoup;
    for (int i = 0; i < PointsMax + 50; ++i)
        beaucoup += u"1;1|"_s;
    EXPECT_EQ(TextToPoints(beaucoup).size(), size_t(PointsMax));
}

TEST(Convertisseurs, GabaritsEtMesures)
{
    const struct {
        const char16_t *nom;
        int indice;
    } cas[] = {
        {u"", 0},        {u"CD", 1},         {u"jaquette", 2},   {u"LIVRET", 3},
        {u"Feuillet", 4}, {u"jaquettedvd", 5}, {u"pochettecd", 6}, {u"CDs", 0},
        {u" CD", 0},
    };
    for (const auto &c : cas) {
        EXPECT_EQ(TemplateIndex(QString::fromUtf16(c.nom)), c.indice) << QString::fromUtf16(c.nom).toStdString();
        EXPECT_EQ(TemplateIndex(TemplateName(c.indice)), c.indice);
    }
    EXPECT_EQ(TemplateName(7), QString());
    EXPECT_EQ(MmToText(10.4), u"10.4 "_s);
    EXPECT_EQ(MmToText(12.345), u"12.34 "_s);
}
