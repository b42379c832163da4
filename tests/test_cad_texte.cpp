// The text object of the designs: its keys, placeholders, anchor, the font
// fitted to the box, the shrink to the width it was loaded with, the words
// wrapped again, and the lines drawn. Sizes are checked against relations
// measured in the fixed test font, never against pixel counts.

#include "AideCAD.h"
#include "CanevasEspion.h"
#include "Convertisseurs.h"
#include "LignesCles.h"
#include "TxiloCADMdl.h"
#include "TxiloCADTexte.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace aidecad;

namespace {

// Drawn in Liberation Sans, the fixed test font.
const TFonteCAD Arial{CouleurNoire, u"Arial"_s, 4000, 0, 0};

// A page of 100 x 80 mm at 10 pixels per millimetre.
struct Page {
    Page() { EXPECT_TRUE(ChargeFonteTest()); }
    TxiloCADMdl m{nullptr, QRect(0, 0, 1000, 800), 100, 80};
    TxiloCADTexte &Texte(const QString &texte, TFonteCAD fonte = Arial)
    {
        auto &t = dynamic_cast<TxiloCADTexte &>(*m.AddObject(u"texte"_s));
        t.SetFace(1);
        t.SetFont(fonte);
        t.SetText(texte);
        return t;
    }
    TxiloCADTexte &Charge(const QStringList &cles)
    {
        auto &t = dynamic_cast<TxiloCADTexte &>(*m.AddObject(u"texte"_s));
        t.LoadFromStrings(cles);
        return t;
    }
};

// The width in pixels of a line in Arial of a canvas height in pixels.
int Largeur(const QString &ligne, int hauteur)
{
    QImage image(1, 1, QImage::Format_RGB32);
    QPainter painter(&image);
    TCanevasQt canevas(painter);
    canevas.SetFonte(TFonteCAD{CouleurNoire, u"Arial"_s, hauteur, 0, 0});
    return canevas.TailleTexte(ligne).width();
}

int HauteurCanevas(const TxiloCADTexte &t)
{
    // Rounded as the program rounds, halves to the even neighbour.
    return int(std::nearbyint(t.Font().Hauteur * t.Modele().EchelleX() / 1000));
}

} // namespace

TEST(TexteCAD, CreationClesEtCode)
{
    Page p;
    auto *t = dynamic_cast<TxiloCADTexte *>(p.m.AddObject(u"TEXTE"_s));
    ASSERT_NE(t, nullptr);
    t->SetFace(1);
    EXPECT_EQ(t->Name(), u"Texte"_s);
    EXPECT_EQ(t->TexteSource(), u"Texte"_s);
    EXPECT_EQ(QPointF(t->X(), t->Y()), QPointF(50, 40));
    EXPECT_EQ(QSizeF(t->L(), t->H()), QSizeF(8, 2));
    for (int i = 1; i <= 8; ++i)
        EXPECT_EQ(t->AvecPoignee(i), i == 2 || i == 3 || i == 6) << i;

    // Only the exact tags give the print window's codes.
    t->SetText(u"  <Texte2> "_s);
    QStringList cles = t->SaveToStrings();
    EXPECT_EQ(t->Code(), u"texte2"_s);
    t->SetCode({});
    t->SetText(u"<texte2>"_s);
    t->SaveToStrings();
    EXPECT_EQ(t->Code(), QString());

    t->SetFont(Arial);
    t->SetAligne(3);
    t->SetAlignement(TxiloCADTexte::AligneDroite);
    t->SetText(u"Nom|Prénom"_s);
    cles = t->SaveToStrings();
    const qsizetype r = cles.indexOf(u"r=0"_s);
    ASSERT_GE(r, 0);
    EXPECT_EQ(cles.mid(r + 1), QStringList({u"Font=000000,Arial,4000,"_s, u"Aligne=3"_s, u"Alignement=1"_s,
                                            u"txt=Nom|Prénom"_s}));
    EXPECT_EQ(p.m.CloneObject(*t)->SaveToStrings(), cles);

    // Values that cannot be: the anchor is the centre, the lines centred;
    // without a font key the font stays. What was read is the box as
    // loaded, before the text gives it its size.
    TxiloCADTexte &lu = p.Charge({u"Name=Texte"_s, u"x=20"_s, u"y=30"_s, u"l=44"_s, u"h=5"_s, u"Aligne=12"_s,
                                  u"Alignement=7"_s, u"txt=  Bonjour  "_s});
    EXPECT_EQ(lu.Aligne(), 0);
    EXPECT_EQ(lu.Alignement(), TxiloCADTexte::AligneCentre);
    EXPECT_EQ(lu.Font().Nom, u"Times New Roman"_s);
    EXPECT_EQ(lu.TexteSource(), u"Bonjour"_s);
    EXPECT_EQ(lu.CentreCharge(), QPointF(20, 30));
    EXPECT_EQ(QSizeF(lu.LCharge(), lu.HCharge()), QSizeF(44, 5));
    EXPECT_EQ(lu.HauteurChargee(), 12);

    // A text read anchored at its bottom-right corner, given a longer text,
    // drawn shrunk into its room and moved by (5, 2) as the editor drags it:
    // saved with the box and font it was read with, moved with it. Given a
    // box of its own, it is saved with that one.
    p.m.Interrupteurs().ReduitTexte = true;
    TxiloCADTexte &banniere = p.Charge({u"Name=Texte"_s, u"x=40"_s, u"y=30"_s, u"l=30"_s, u"h=6"_s,
                                        u"Font=000000,Arial,5000,"_s, u"Aligne=3"_s, u"txt=Titre"_s});
    banniere.SetText(u"Un titre bien plus long que la place qu'il avait en 2026"_s);
    CanevasEspion dessin(QSize(1000, 800));
    p.m.Draw(dessin, QRect(0, 0, 1000, 800));
    EXPECT_LT(banniere.Font().Hauteur, 5000);
    banniere.SetCentre(banniere.X() + 5, banniere.Y() + 2);
    const TLignesCles sauve(banniere.SaveToStrings());
    EXPECT_EQ(sauve.Valeur(u"x"), u"45"_s);
    EXPECT_EQ(sauve.Valeur(u"y"), u"32"_s);
    EXPECT_EQ(sauve.Valeur(u"l"), u"30"_s);
    EXPECT_EQ(sauve.Valeur(u"h"), u"6"_s);
    EXPECT_EQ(sauve.Valeur(u"Font"), u"000000,Arial,5000,"_s);
    banniere.SetTaille(70, 9);
    EXPECT_EQ(TLignesCles(banniere.SaveToStrings()).Valeur(u"l"), u"70"_s);
}

TEST(TexteCAD, BalisesRemplies)
{
    Page p;
    TxiloCADTexte &t = p.Texte(u"a<Nom>b < c > d>"_s);
    EXPECT_EQ(t.TexteAffiche(), u"ab  d>"_s);
    p.m.SetOnGetTagValue([](TxiloCADObj *, const QString &balise, QString &valeur) {
        if (balise == u"nom"_s)
            valeur = u"Martin <prenom>"_s;
        else if (balise == u"prenom"_s)
            valeur = u"Jean"_s;
        else if (balise == u"boucle"_s)
            valeur = u"<boucle>x"_s;
    });
    t.SetText(u"M. <NOM>|<x"_s);
    EXPECT_EQ(t.TexteSource(), u"M. <NOM>|<x"_s);
    EXPECT_EQ(t.TexteAffiche(), u"M. Martin Jean|<x"_s);
    // A value that holds its own tag is filled once: the text is set and
    // drawn.
    t.SetText(u"<boucle>"_s);
    EXPECT_EQ(t.TexteAffiche(), u"<boucle>x"_s);
    CanevasEspion canevas(QSize(100, 80));
    p.m.Draw(canevas, QRect(0, 0, 100, 80));
    EXPECT_EQ(canevas.Textes.size(), 1u);
}

TEST(TexteCAD, LAncreResteEnPlace)
{
    for (const double r : {0.0, 30.0}) {
        for (int aligne = 0; aligne <= 8; ++aligne) {
            SCOPED_TRACE(testing::Message() << "r " << r << ", ancre " << aligne);
            Page p;
            TxiloCADTexte &t = p.Texte(u"court"_s);
            t.SetR(r);
            t.SetAligne(aligne);
            const QPointF avant = t.HandlePoint(aligne);
            const double l = t.L();
            t.SetText(u"un texte bien plus long|sur deux lignes"_s);
            EXPECT_GT(t.L(), 2 * l);
            EXPECT_NEAR(t.HandlePoint(aligne).x(), avant.x(), 1e-9);
            EXPECT_NEAR(t.HandlePoint(aligne).y(), avant.y(), 1e-9);
        }
    }
}

// The font fitted to a box dragged by handle 3 or 2: the widest line fits
// the box's new width and one pixel more would not.
TEST(TexteCAD, PoliceAjusteeALaBoite)
{
    struct Cas {
        double echelle;
        double r;
        double largeur; // the width the drag gives, mm
        bool tourne;
    } const cas[] = {{10, 0, 60, false}, {3.78, 0, 60, false}, {2.5, 30, 60, false}, {10, 0, 80, true}};
    for (const Cas &c : cas) {
        SCOPED_TRACE(testing::Message() << c.echelle << " px/mm, " << c.largeur << " mm");
        Page p;
        p.m.SetEchelles(c.echelle, c.echelle);
        TxiloCADTexte &t = p.Texte(u"Le titre|de la page familiale"_s);
        t.SetR(c.r);
        const QPointF centre(t.X(), t.Y());
        if (c.tourne) {
            // Handle 2 dragged along its diagonal: no turn, the box scaled.
            const double k = c.largeur / t.L();
            t.Tourne(centre + (t.HandlePoint(2) - centre) * k);
            EXPECT_NEAR(t.R(), 0, 1e-9);
        } else {
            t.RedimCentre(TxiloCADMdl::RotatePoint(centre, centre + QPointF(c.largeur / 2, 3), c.r));
        }
        const int hauteur = HauteurCanevas(t);
        EXPECT_LE(Largeur(u"de la page familiale"_s, hauteur) / c.echelle, c.largeur);
        EXPECT_GT(Largeur(u"de la page familiale"_s, hauteur + 1) / c.echelle, c.largeur);
        EXPECT_GT(hauteur, 10);
        // The box is the fitted text: its widest line, its two lines high.
        CanevasEspion canevas(QSize(10, 10));
        const int ligne = t.Measure(canevas).height() / 2;
        EXPECT_EQ(canevas.Fonte().Hauteur, hauteur);
        EXPECT_DOUBLE_EQ(t.L(), Largeur(u"de la page familiale"_s, hauteur) / c.echelle);
        t.SetText(u"Le titre"_s);
        EXPECT_EQ(t.Measure(canevas).height(), ligne);
        EXPECT_DOUBLE_EQ(t.H(), ligne / c.echelle);
    }
}

// Cases that would grow or shrink the font for ever end within a few
// measures.
TEST(TexteCAD, AjustementsQuiFinissent)
{
    Page p;
    CanevasEspion espion(QSize(10, 10));
    // An empty widest line never becomes wider.
    TxiloCADTexte &vide = p.Texte(u" | "_s);
    vide.SetCanevasMesure(&espion);
    vide.RedimCentre(QPointF(90, 60));
    EXPECT_LE(espion.Mesures, 6);
    EXPECT_EQ(HauteurCanevas(vide), 1);

    // A box wider than any font stops at the largest font.
    TxiloCADTexte &t = p.Texte(u"i"_s);
    t.SetCanevasMesure(&espion);
    espion.Mesures = 0;
    t.RedimCentre(QPointF(1e7, 1e6));
    EXPECT_LE(espion.Mesures, 40);
    EXPECT_EQ(t.Font().Hauteur, HauteurFonteMax);

    // The shrink of a text read without a width, or with a character
    // height, or with a huge font: the font is the one read, or found by a
    // few measures.
    p.m.Interrupteurs().ReduitTexte = true;
    struct Cas {
        QString largeur;
        int hauteur;
        int mesuresMax;
    } const cas[] = {{QString(), 4000, 4}, {u"-5"_s, 4000, 4}, {u"20"_s, -4000, 4}, {u"20"_s, 1000000, 60}};
    for (const Cas &c : cas) {
        SCOPED_TRACE(testing::Message() << c.largeur.toStdString() << " " << c.hauteur);
        QStringList cles = {u"Name=Texte"_s, u"Face=1"_s, u"Font=000000,Arial,%1,"_s.arg(c.hauteur),
                            u"txt=un texte long sur une ligne"_s};
        if (!c.largeur.isNull())
            cles.append(u"l="_s + c.largeur);
        TxiloCADTexte &lu = p.Charge(cles);
        CanevasEspion canevas(QSize(1000, 800));
        lu.Draw(canevas);
        EXPECT_LE(canevas.Mesures, c.mesuresMax + 2 * 3); // and the drawing's own
        if (c.hauteur < 1000000) {
            EXPECT_EQ(lu.Font().Hauteur, c.hauteur);
        } else {
            EXPECT_LE(lu.Measure(canevas).width(), 200);
        }
        p.m.ClearObjects();
    }
}

// Step by step, each lowering by 10 thousandths of a millimetre, the shrink
// stops one step below the first height that fits the loaded width.
TEST(TexteCAD, ReductionALaLargeurChargee)
{
    Page p;
    p.m.Interrupteurs().ReduitTexte = true;
    const QString ligne = u"Jean-Baptiste Dupont de la Roche"_s;
    TxiloCADTexte &t = p.Charge({u"Name=Texte"_s, u"Face=1"_s, u"x=50"_s, u"y=40"_s, u"l=60"_s,
                                 u"Font=000000,Arial,6000,"_s, u"txt="_s + ligne});
    const auto largeur = [&](int hauteurFonte) { return Largeur(ligne, int(std::nearbyint(hauteurFonte / 100.0))); };
    ASSERT_GT(largeur(6000), 600);
    CanevasEspion canevas(QSize(1000, 800));
    t.Draw(canevas);
    const int h = t.Font().Hauteur;
    EXPECT_EQ((6000 - h) % 10, 0);
    EXPECT_LT(largeur(h + 10), 600);
    EXPECT_GE(largeur(h + 20), 600);
    EXPECT_LE(t.L(), 60);
    EXPECT_LT(canevas.Mesures, 30);
    // Drawn again, the same height; a text that fits keeps its font.
    t.Draw(canevas);
    EXPECT_EQ(t.Font().Hauteur, h);
    t.SetText(u"Court"_s);
    t.Draw(canevas);
    EXPECT_EQ(t.Font().Hauteur, 6000);
}

TEST(TexteCAD, MotsRepliesALaLargeur)
{
    Page p;
    const QString texte = u"un deux trois|quatre cinq six sept huit neuf dix onze"_s;
    const QStringList mots = QString(texte).replace(u'|', u' ').split(u' ');
    TxiloCADTexte &t = p.Texte(texte);
    const int hauteur = HauteurCanevas(t);
    for (const double largeur : {25.0, 40.0, 70.0}) {
        SCOPED_TRACE(largeur);
        t.SetR(0);
        t.RedimPoignee(QPointF(t.X() + largeur / 2, t.Y() + 7));
        const QStringList lignes = t.TexteSource().split(u'|');
        EXPECT_GT(lignes.size(), 1);
        EXPECT_EQ(t.TexteSource().split(u'|').join(u' ').split(u' '), mots);
        for (qsizetype i = 0; i < lignes.size(); ++i) {
            const QString &ligne = lignes.at(i);
            if (ligne.contains(u' ')) {
                EXPECT_LT(Largeur(ligne, hauteur) / 10.0, largeur) << ligne.toStdString();
            }
            if (i + 1 < lignes.size()) {
                const QString suite = ligne + u' ' + lignes.at(i + 1).section(u' ', 0, 0);
                EXPECT_GE(Largeur(suite, hauteur) / 10.0, largeur) << suite.toStdString();
            }
        }
        CanevasEspion canevas(QSize(10, 10));
        EXPECT_DOUBLE_EQ(t.L(), t.Measure(canevas).width() / 10.0);
    }
    // Narrower than every word: one word a line. So is a pointer straight
    // below the centre of an unturned box, on its height axis.
    t.RedimPoignee(QPointF(t.X() + 0.5, t.Y()));
    EXPECT_EQ(t.TexteSource().split(u'|'), mots);
    t.SetText(texte);
    t.RedimPoignee(QPointF(t.X(), t.Y() + 45));
    EXPECT_EQ(t.TexteSource().split(u'|'), mots);
    // Turned a quarter, the box's width runs downwards.
    t.SetR(90);
    t.RedimPoignee(QPointF(t.X(), t.Y() + 60));
    EXPECT_EQ(t.TexteSource(), mots.join(u' '));
}

TEST(TexteCAD, LignesDessinees)
{
    Page p;
    TxiloCADTexte &t = p.Texte(u"AAAAAAAAAAAAAAAA|BB|CCCC"_s);
    const auto dessine = [&] {
        CanevasEspion canevas(QSize(1000, 800));
        p.m.Draw(canevas, QRect(0, 0, 1000, 800));
        return std::move(canevas.Textes);
    };
    const int hauteur = HauteurCanevas(t);
    for (const int alignement : {0, 1, 2}) {
        SCOPED_TRACE(alignement);
        t.SetAlignement(alignement);
        const auto textes = dessine();
        ASSERT_EQ(textes.size(), 3u);
        const int gauche = textes[0].Coin.x();
        const int largeur = Largeur(u"AAAAAAAAAAAAAAAA"_s, hauteur);
        EXPECT_NEAR(gauche, t.HandlePoint(1).x() * 10, 1);
        for (const TexteEcrit &e : textes) {
            const int l = Largeur(e.Texte, hauteur);
            const int attendu = alignement == 0 ? gauche : alignement == 1 ? gauche + largeur - l
                                                                           : gauche + (largeur - l) / 2;
            EXPECT_NEAR(e.Coin.x(), attendu, 1) << e.Texte.toStdString();
            EXPECT_EQ(e.Fonte.Escapement, 0);
        }
        EXPECT_NEAR(textes[1].Coin.y() - textes[0].Coin.y(), textes[2].Coin.y() - textes[1].Coin.y(), 1);
        EXPECT_NEAR(textes[1].Coin.y() - textes[0].Coin.y(), t.H() * 10 / 3, 1);
    }
    // A quarter turn clockwise: the lines run downwards, the first one on
    // the right, where the top of the box has gone.
    t.SetR(90);
    const auto tournes = dessine();
    ASSERT_EQ(tournes.size(), 3u);
    EXPECT_EQ(tournes[0].Fonte.Escapement, -900);
    EXPECT_GT(tournes[0].Coin.x(), tournes[1].Coin.x());
    EXPECT_GT(tournes[1].Coin.x(), tournes[2].Coin.x());
    EXPECT_NEAR(tournes[0].Coin.x(), t.HandlePoint(1).x() * 10, 1);
    EXPECT_NEAR(tournes[0].Coin.y(), t.HandlePoint(1).y() * 10, 1);
    CanevasEspion canevas(QSize(1000, 800));
    p.m.Draw(canevas, QRect(0, 0, 1000, 800));
    // Inside the page's frame.
    const QRect encre = BoiteDe(canevas.Image().copy(2, 2, 996, 796), CouleurNoire);
    EXPECT_GT(encre.height(), 2 * encre.width());
}

TEST(TexteCAD, CotesDeLAncreEtCadreCharge)
{
    Page p;
    TxiloCADTexte &t = p.Charge({u"Name=Texte"_s, u"Face=1"_s, u"x=50"_s, u"y=40"_s, u"l=70"_s, u"h=20"_s,
                                 u"Font=000000,Arial,4000,"_s, u"Aligne=3"_s, u"txt=Un nom"_s});
    t.SetSelectionne(true);
    CanevasEspion canevas(QSize(1000, 800));
    p.m.Draw(canevas, QRect(0, 0, 1000, 800));
    const QImage image = canevas.Image();
    // Anchored bottom right, where it was loaded: the bottom side is solid
    // red, the top one dotted.
    const QPoint coin = p.m.PageToPixel(t.HandlePoint(3));
    EXPECT_EQ(coin, QPoint(850, 500));
    const QPoint gauche = p.m.PageToPixel(t.HandlePoint(4));
    const QPoint haut = p.m.PageToPixel(t.HandlePoint(1));
    int bas = 0;
    int dessus = 0;
    for (int x = gauche.x() + 1; x < coin.x() - 6; ++x) {
        bas += Est(image, x, coin.y(), CouleurRouge);
        dessus += Est(image, x, haut.y(), CouleurRouge);
    }
    EXPECT_EQ(bas, coin.x() - 6 - gauche.x() - 1);
    EXPECT_LT(dessus, bas * 3 / 4);
    EXPECT_NE(BoiteDe(image, CouleurGrise), QRect(150, 300, 701, 201));
    // The box as loaded: 70 x 20 mm about (50, 40), in grey.
    p.m.Interrupteurs().CadresOrigine = true;
    CanevasEspion cadre(QSize(1000, 800));
    p.m.Draw(cadre, QRect(0, 0, 1000, 800));
    EXPECT_EQ(BoiteDe(cadre.Image(), CouleurGrise), QRect(150, 300, 701, 201));
}

// Drawn at 10 pixels per millimetre across and 5 down: the font's pixel
// height and the box's width follow the horizontal scale, its height and the
// step between lines the vertical one.
TEST(TexteCAD, EchellesDifferentes)
{
    Page p;
    p.m.SetEchelles(10, 5);
    TxiloCADTexte &t = p.Texte(u"AAAAAAAAAAAAAAAA|BB|CCCC"_s);
    t.SetAlignement(TxiloCADTexte::AligneDroite);
    CanevasEspion canevas(QSize(1000, 400));
    p.m.Draw(canevas, QRect(0, 0, 1000, 400));
    ASSERT_EQ(canevas.Textes.size(), 3u);
    EXPECT_EQ(canevas.Textes[0].Fonte.Hauteur, 40);
    const int largeur = Largeur(u"AAAAAAAAAAAAAAAA"_s, 40);
    const int cellule = t.Measure(canevas).height() / 3;
    EXPECT_DOUBLE_EQ(t.L(), largeur / 10.0);
    EXPECT_DOUBLE_EQ(t.H(), 3 * cellule / 5.0);
    // The first line from the box's top-left corner; each line one cell
    // below the last, all ending on the right side.
    EXPECT_NEAR(canevas.Textes[0].Coin.x(), t.HandlePoint(1).x() * 10, 1);
    EXPECT_NEAR(canevas.Textes[0].Coin.y(), t.HandlePoint(1).y() * 5, 1);
    for (size_t i = 0; i < 3; ++i) {
        const TexteEcrit &e = canevas.Textes[i];
        SCOPED_TRACE(e.Texte.toStdString());
        EXPECT_NEAR(e.Coin.x() + Largeur(e.Texte, 40), canevas.Textes[0].Coin.x() + largeur, 1);
        EXPECT_NEAR(e.Coin.y() - canevas.Textes[0].Coin.y(), int(i) * cellule, 1);
    }
}
