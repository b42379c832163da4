// The EAN-13 bar code object of the designs: its modules against two
// independent encoders (their output is the committed table
// fixtures/codebarre/ean13.tsv), the bars and digits drawn at a known scale,
// the message of a number that is not 13 digits, transparency and its keys.

#include "AideCAD.h"
#include "CanevasEspion.h"
#include "TxiloCADCodeBarre.h"
#include "TxiloCADMdl.h"

#include <gtest/gtest.h>

#include <QFile>

using namespace Qt::StringLiterals;
using namespace aidecad;

namespace {

struct Symbole {
    QString Numero;
    QString Zint;
    QString Gnu;
};

std::vector<Symbole> Table()
{
    std::vector<Symbole> table;
    QFile f(QStringLiteral(LIGNEE_FIXTURES "/codebarre/ean13.tsv"));
    if (!f.open(QIODevice::ReadOnly))
        return table;
    for (const QByteArray &ligne : f.readAll().split('\n')) {
        const QList<QByteArray> champs = ligne.trimmed().split('\t');
        if (champs.size() == 3)
            table.push_back({QString::fromLatin1(champs[0]), QString::fromLatin1(champs[1]),
                             QString::fromLatin1(champs[2])});
    }
    return table;
}

bool Fonce(QRgb c)
{
    return qGray(c) < 128;
}

// The first column of the bars: the first dark pixel of row 150 in the
// symbol's box.
int PremiereBarre(const QImage &image)
{
    int x = 90;
    while (x < 510 && !Fonce(image.pixel(x, 150)))
        ++x;
    return x;
}

// The modules read back from the pixels of row y within the symbol's box
// (columns 90 to 509): the runs of dark and light pixels from the first dark
// one to the last, each as many modules as its width holds module widths.
std::string ModulesLus(const QImage &image, int y, double largeurModule)
{
    int debut = 90;
    while (debut < 510 && !Fonce(image.pixel(debut, y)))
        ++debut;
    int fin = 509;
    while (fin > debut && !Fonce(image.pixel(fin, y)))
        --fin;
    QString modules;
    int x = debut;
    while (x <= fin) {
        const bool fonce = Fonce(image.pixel(x, y));
        int n = 0;
        while (x <= fin && Fonce(image.pixel(x, y)) == fonce) {
            ++n;
            ++x;
        }
        modules += QString(qRound(n / largeurModule), fonce ? u'1' : u'0');
    }
    return modules.toStdString();
}

// The last dark pixel of column x going down from row y without a break,
// or -1 when (x, y) is not dark.
int BasColonne(const QImage &image, int x, int y)
{
    if (!Fonce(image.pixel(x, y)))
        return -1;
    while (y + 1 < image.height() && Fonce(image.pixel(x, y + 1)))
        ++y;
    return y;
}

// A bar code of 42 x 20 mm in the middle of a page of 60 x 40 mm drawn at
// 10 pixels per millimetre: the symbol's box is 420 x 200 pixels at
// (90, 100), so its margin is 9 pixels and a module 4.02 pixels wide.
struct Page {
    Page() { EXPECT_TRUE(ChargeFonteTest()); }
    TxiloCADMdl m{nullptr, QRect(0, 0, 600, 400), 60, 40};
    const QRect rect{0, 0, 600, 400};
    static constexpr double Module = 4.02;
    TxiloCADCodeBarre &Code(const QString &numero)
    {
        auto &c = dynamic_cast<TxiloCADCodeBarre &>(*m.AddObject(u"codebarre"_s));
        c.SetFace(1);
        c.SetCentre(30, 20);
        c.SetTaille(42, 20);
        c.SetCodeBarre(numero);
        return c;
    }
    QImage Image()
    {
        return Dessine(rect.size(), [&](TCanevas &c) { m.Draw(c, rect); });
    }
};

} // namespace

TEST(CodeBarre, ModulesDesDeuxEncodeurs)
{
    const std::vector<Symbole> table = Table();
    ASSERT_GE(table.size(), 10u);
    for (const Symbole &s : table) {
        ASSERT_EQ(s.Zint, s.Gnu) << s.Numero.toStdString();
        EXPECT_EQ(ModulesEan13(s.Numero), s.Zint) << s.Numero.toStdString();
    }
    // Anything but 13 digits has no symbol.
    for (const QString &faux : {u""_s, u"400638133393"_s, u"40063813339310"_s, u"40063813339 1"_s, u"400638133393A"_s,
                                u"4006381333\u0663931"_s})
        EXPECT_TRUE(ModulesEan13(faux).isEmpty()) << faux.toStdString();
}

TEST(CodeBarre, BarresEtChiffresALEchelle)
{
    // Each number of the table drawn, its bars read back from the pixels.
    for (const Symbole &s : Table()) {
        Page p;
        p.Code(s.Numero);
        const QImage image = p.Image();
        EXPECT_EQ(ModulesLus(image, 150, Page::Module), s.Zint.toStdString()) << s.Numero.toStdString();
    }

    Page p;
    TxiloCADCodeBarre &c = p.Code(u"4006381333931"_s);
    const QImage image = p.Image();
    // The bars start below the margin; every module lies within the box.
    const QRect symbole = Boite(image.copy(1, 1, 598, 398), [](QRgb x) { return Fonce(x); }).translated(1, 1);
    EXPECT_EQ(symbole.top(), 100 + 9);
    EXPECT_GE(symbole.left(), 90 + 9);
    EXPECT_LE(symbole.right(), 90 + 420);
    // A guard bar (module 1) reaches lower than a data bar (module 7, the
    // first bar of the second digit, 0 of set L) by half the digit zone; the
    // digits are written in that zone, under the data bars.
    const int x0 = PremiereBarre(image);
    const int basGarde = BasColonne(image, x0 + 1, 150);
    const int basDonnee = BasColonne(image, x0 + qRound(6.5 * Page::Module), 150);
    ASSERT_GT(basDonnee, 0);
    EXPECT_GT(basGarde, basDonnee + 5);
    const QRect chiffres =
        Boite(image.copy(0, basDonnee + 2, 600, 300 - 9 - basDonnee - 2), [](QRgb x) { return Fonce(x); });
    ASSERT_FALSE(chiffres.isNull());
    // The first digit stands left of the bars, the last under the right
    // half's last bars; none goes below the box.
    EXPECT_LT(chiffres.left(), x0);
    EXPECT_GT(chiffres.right(), x0 + 80 * Page::Module);
    EXPECT_LE(basDonnee + 2 + chiffres.bottom(), 300);
    // The colours are the object's.
    c.SetColorBarre(CouleurRGB(0, 0, 200));
    c.SetColorFond(CouleurRGB(255, 255, 0));
    const QImage couleurs = p.Image();
    EXPECT_TRUE(Est(couleurs, x0, 150, CouleurRGB(0, 0, 200)));
    EXPECT_TRUE(Est(couleurs, 92, 102, CouleurRGB(255, 255, 0)));
    EXPECT_TRUE(Est(couleurs, 89, 102, CouleurBlanche));
}

TEST(CodeBarre, MessageOuNombreTelQuel)
{
    Page p;
    TxiloCADCodeBarre &c = p.Code(u"400638133393"_s);
    const auto textes = [&] {
        CanevasEspion canevas(p.rect.size());
        p.m.Draw(canevas, p.rect);
        QStringList t;
        for (const TexteEcrit &e : canevas.Textes)
            t << e.Texte;
        return std::pair{t, canevas.Image()};
    };
    // Twelve digits, or thirteen characters that are not all digits: the
    // message alone, no bar.
    for (const QString &faux : {u"400638133393"_s, u"40063813339X1"_s}) {
        c.SetCodeBarre(faux);
        const auto [t, image] = textes();
        EXPECT_EQ(t, QStringList{u"Il n'y a pas 13 chiffres"_s}) << faux.toStdString();
        EXPECT_EQ(Compte(image.copy(90, 100, 420, 200), CouleurNoire), 0);
    }
    // A wrong check digit is drawn as given: the symbol of the right number
    // but for the last digit's modules.
    c.SetCodeBarre(u"4006381333932"_s);
    const auto [t, image] = textes();
    EXPECT_EQ(t.size(), 13);
    EXPECT_EQ(t.last(), u"2"_s);
    const std::string lus = ModulesLus(image, 150, Page::Module);
    const std::string juste = ModulesEan13(u"4006381333931"_s).toStdString();
    ASSERT_EQ(lus.size(), 95u);
    EXPECT_EQ(lus.substr(0, 85), juste.substr(0, 85));
    EXPECT_NE(lus.substr(85, 7), juste.substr(85, 7));
    EXPECT_EQ(lus, ModulesEan13(u"4006381333932"_s).toStdString());
}

TEST(CodeBarre, TransparentLaissePasserLaPage)
{
    Page p;
    // A red rectangle under the bar code.
    TxiloCADObj *fond = p.m.AddObject(u"rectangle"_s);
    fond->SetFace(1);
    auto &r = dynamic_cast<TxiloCADRect &>(*fond);
    r.SetCentre(30, 20);
    r.SetTaille(50, 30);
    r.SetBrush(TPinceau{CouleurRouge, PinceauPlein});
    TxiloCADCodeBarre &c = p.Code(u"4006381333931"_s);
    // Module 2 is a space between the first two guard bars.
    const QString modules = ModulesEan13(c.CodeBarre());
    ASSERT_EQ(modules.mid(0, 3), u"101"_s);
    QImage image = p.Image();
    const int x0 = PremiereBarre(image);
    const int espace = x0 + qRound(1.5 * Page::Module);
    EXPECT_TRUE(Est(image, espace, 150, CouleurBlanche));
    c.SetTransparent(true);
    image = p.Image();
    EXPECT_TRUE(Est(image, espace, 150, CouleurRouge));
    EXPECT_TRUE(Est(image, x0 + 1, 150, CouleurNoire));
}

TEST(CodeBarre, Cles)
{
    TxiloCADMdl m(nullptr, QRect(0, 0, 100, 100), 100, 100);
    auto &c = dynamic_cast<TxiloCADCodeBarre &>(*m.AddObject(u"CodeBarre"_s));
    // Made at the page centre, its number a valid one, handle 2 off.
    EXPECT_EQ(c.Name(), u"codebarre"_s);
    EXPECT_EQ(c.X(), 50);
    EXPECT_FALSE(ModulesEan13(c.CodeBarre()).isEmpty());
    EXPECT_FALSE(c.AvecPoignee(2));
    EXPECT_TRUE(c.AvecPoignee(3));

    c.SetCodeBarre(u" 12 "_s);
    c.SetColorBarre(CouleurRGB(1, 2, 3));
    c.SetColorFond(CouleurRGB(0xAA, 0xBB, 0xCC));
    c.SetTransparent(true);
    c.SetCentre(10, 20);
    const QStringList cles = c.SaveToStrings();
    EXPECT_EQ(cles.mid(cles.indexOf(u"r=0"_s) + 1),
              (QStringList{u"codebarre= 12 "_s, u"colorBarre=010203"_s, u"colorFond=AABBCC"_s, u"Transparent=1"_s}));

    // Read back through the model file's text.
    m.SaveToStrings();
    TxiloCADMdl relu(nullptr, QRect(0, 0, 100, 100), 100, 100);
    relu.LoadFromStrings(m.SaveToStrings());
    ASSERT_EQ(relu.Count(), 1);
    auto &d = dynamic_cast<TxiloCADCodeBarre &>(relu.Objet(0));
    EXPECT_EQ(d.CodeBarre(), u" 12 "_s);
    EXPECT_EQ(d.ColorBarre(), CouleurRGB(1, 2, 3));
    EXPECT_EQ(d.ColorFond(), CouleurRGB(0xAA, 0xBB, 0xCC));
    EXPECT_TRUE(d.Transparent());
    EXPECT_EQ(d.X(), 10);
    EXPECT_FALSE(d.AvecPoignee(2));
    // Missing colours keep the present ones; a missing Transparent is off.
    d.LoadFromStrings({u"codebarre=4006381333931"_s});
    EXPECT_EQ(d.ColorBarre(), CouleurRGB(1, 2, 3));
    EXPECT_FALSE(d.Transparent());
}
