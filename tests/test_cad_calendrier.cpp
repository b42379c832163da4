// The month calendar object of the designs: the day numbers in their cells
// against an independent weekday computation, the shading of the cells, the
// months and years that draw no numbers, its keys; and a page holding a
// fitted title and a calendar of the current month.

#include "AideCAD.h"
#include "Bitmaps.h"
#include "CanevasEspion.h"
#include "TxiloCADCal.h"
#include "TxiloCADMdl.h"
#include "TxiloCADRectangle.h"
#include "TxiloCADTexte.h"

#include <cmath>
#include <gtest/gtest.h>
#include <algorithm>
#include <tuple>

#include <QDate>

using namespace Qt::StringLiterals;
using namespace aidecad;

namespace {

// Day of the week, Monday 0 to Sunday 6 (Sakamoto's method).
int JourSemaine(int annee, int mois, int jour)
{
    static constexpr int t[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    if (mois < 3)
        --annee;
    const int dimanche0 = (annee + annee / 4 - annee / 100 + annee / 400 + t[mois - 1] + jour) % 7;
    return (dimanche0 + 6) % 7;
}

int JoursDuMois(int annee, int mois)
{
    static constexpr int jours[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool bissextile = (annee % 4 == 0 && annee % 100 != 0) || annee % 400 == 0;
    return mois == 2 && bissextile ? 29 : jours[mois - 1];
}

// A page of 120 x 100 mm at 10 pixels per millimetre.
struct Page {
    Page() { EXPECT_TRUE(ChargeFonteTest()); }
    TxiloCADMdl m{nullptr, QRect(0, 0, 1200, 1000), 120, 100};
    TxiloCADCal &Calendrier(int annee, int mois, double r = 0)
    {
        auto &c = dynamic_cast<TxiloCADCal &>(*m.AddObject(u"cal"_s));
        c.SetFace(1);
        c.SetCentre(60, 50);
        c.SetTaille(70, 70);
        c.SetR(r);
        c.SetAnnee(annee);
        c.SetMois(mois);
        c.SetFont(TFonteCAD{CouleurNoire, u"Arial"_s, 12, 0, 0});
        return c;
    }
    // Drawn at 10 pixels per millimetre, or `bas` pixels down.
    std::vector<TexteEcrit> Textes(int bas = 10)
    {
        CanevasEspion canevas(QSize(1200, 100 * bas));
        m.Draw(canevas, QRect(0, 0, 1200, 100 * bas));
        return std::move(canevas.Textes);
    }
};

// The middle of a text as written: its cell's top-left corner moved by half
// its size, turned with its escapement, in pixels.
QPointF Milieu(const TexteEcrit &e)
{
    QImage image(1, 1, QImage::Format_RGB32);
    QPainter painter(&image);
    TCanevasQt mesure(painter);
    mesure.SetFonte(e.Fonte);
    const QSize taille = mesure.TailleTexte(e.Texte);
    const QPointF coin(e.Coin);
    return TxiloCADMdl::RotatePoint(coin, coin + QPointF(taille.width(), taille.height()) / 2,
                                    -e.Fonte.Escapement / 10.0);
}

// Each text written with the cell (column, row) under its middle, found by
// turning that middle back into the calendar's unturned box.
std::vector<std::pair<QString, QPoint>> Cases(const TxiloCADCal &cal, const std::vector<TexteEcrit> &textes)
{
    std::vector<std::pair<QString, QPoint>> cases;
    for (const TexteEcrit &e : textes) {
        const QPointF p = TxiloCADMdl::RotatePoint(QPointF(cal.X(), cal.Y()), Milieu(e) / 10, -cal.R());
        cases.emplace_back(e.Texte, QPoint(int(std::floor((p.x() - cal.X() + cal.L() / 2) / (cal.L() / 7))),
                                           int(std::floor((p.y() - cal.Y() + cal.H() / 2) / (cal.H() / 7)))));
    }
    return cases;
}

// Every day of the month once, in its cell, and the weekday letters above.
void VerifieMois(const TxiloCADCal &cal, const std::vector<TexteEcrit> &textes)
{
    const int jours = JoursDuMois(cal.Annee(), cal.Mois());
    const int premier = JourSemaine(cal.Annee(), cal.Mois(), 1);
    std::vector<std::pair<QString, QPoint>> attendues;
    for (int c = 0; c < 7; ++c)
        attendues.emplace_back(QString(u"LMMJVSD"_s.at(c)), QPoint(c, 0));
    for (int jour = 1; jour <= jours; ++jour) {
        const int k = premier + jour - 1;
        attendues.emplace_back(QString::number(jour), QPoint(k % 7, 1 + k / 7));
    }
    auto vues = Cases(cal, textes);
    const auto ordre = [](const auto &a, const auto &b) {
        return std::tuple(a.second.y(), a.second.x(), a.first) < std::tuple(b.second.y(), b.second.x(), b.first);
    };
    std::sort(vues.begin(), vues.end(), ordre);
    std::sort(attendues.begin(), attendues.end(), ordre);
    EXPECT_EQ(vues, attendues);
}

} // namespace

TEST(CalendrierCAD, JoursDansLeursCases)
{
    struct Cas {
        int annee, mois;
        double r;
        int premier; // the weekday of the 1st, as the calendar says
    } const cas[] = {
        {2000, 2, 0, 1},  // leap, begins on a Tuesday
        {2010, 1, 30, 4}, // a Friday, turned
        {2021, 3, 0, 0},  // a Monday: the 31st in the third column of row 5
        {2021, 8, -90, 6} // a Sunday: 31 days reach row 6
    };
    for (const Cas &c : cas) {
        SCOPED_TRACE(testing::Message() << c.mois << "/" << c.annee);
        EXPECT_EQ(JourSemaine(c.annee, c.mois, 1), c.premier);
        Page p;
        const TxiloCADCal &cal = p.Calendrier(c.annee, c.mois, c.r);
        const auto textes = p.Textes();
        VerifieMois(cal, textes);
        for (const TexteEcrit &e : textes) {
            EXPECT_EQ(e.Fonte.Escapement, int(std::lround(-c.r * 10)));
            EXPECT_EQ(e.Fonte.Hauteur, HauteurPoints(28)); // (70 + 70) / 50 x 10
        }
    }
    EXPECT_EQ(JoursDuMois(2000, 2), 29);
}

// Each letter and number stands in the middle of its cell, the cell and
// the text turned with the calendar: its middle is the cell's, to a pixel.
// Drawn at 5 pixels per millimetre down and 10 across, the cells are
// sheared, and still centred; the font's size follows the horizontal scale.
TEST(CalendrierCAD, TexteAuMilieuDeSaCase)
{
    for (const int bas : {10, 5}) {
        for (const double r : {0.0, 30.0, -90.0, 135.0}) {
            SCOPED_TRACE(testing::Message() << r << " degrés, " << bas << " pixels par mm en hauteur");
            Page p;
            TxiloCADCal &cal = p.Calendrier(2021, 3, r);
            cal.SetTaille(84, 56);
            const auto textes = p.Textes(bas);
            ASSERT_EQ(textes.size(), 7u + 31u);
            for (const TexteEcrit &e : textes) {
                SCOPED_TRACE(e.Texte.toStdString());
                EXPECT_EQ(e.Fonte.Hauteur, HauteurPoints(28)); // (84 + 56) / 50 x 10
                // The cell under the text's middle, brought back to
                // millimetres.
                const QPointF vu = Milieu(e);
                const QPointF mm = TxiloCADMdl::RotatePoint(QPointF(cal.X(), cal.Y()),
                                                            QPointF(vu.x() / 10, vu.y() / bas), -r);
                const int c = int(std::floor((mm.x() - cal.X() + 42) / 12));
                const int w = int(std::floor((mm.y() - cal.Y() + 28) / 8));
                const QPointF centre(cal.X() - 42 + (c + 0.5) * 12, cal.Y() - 28 + (w + 0.5) * 8);
                const QPointF tourne = TxiloCADMdl::RotatePoint(QPointF(cal.X(), cal.Y()), centre, r);
                EXPECT_NEAR(vu.x(), tourne.x() * 10, 1.5);
                EXPECT_NEAR(vu.y(), tourne.y() * bas, 1.5);
            }
        }
    }
}

TEST(CalendrierCAD, CasesOmbrees)
{
    for (const TColor fond : {CouleurBlanche, CouleurRGB(0, 0, 200)}) {
        Page p;
        auto &dessous = dynamic_cast<TxiloCADRectangle &>(*p.m.AddObject(u"rectangle"_s));
        dessous.SetFace(1);
        dessous.SetCentre(60, 50);
        dessous.SetTaille(100, 90);
        dessous.SetPen(TStylo{CouleurRouge, 0, StyloVide});
        dessous.SetBrush(TPinceau{CouleurRouge, PinceauPlein});
        TxiloCADCal &cal = p.Calendrier(2000, 2);
        cal.SetColorCase(CouleurRGB(200, 100, 0));
        cal.SetColorFond(fond);
        CanevasEspion canevas(QSize(1200, 1000));
        p.m.Draw(canevas, QRect(0, 0, 1200, 1000));
        const QImage image = canevas.Image();
        // Inside the box, left of the first column's inset (2 pixels).
        EXPECT_TRUE(Est(image, 251, 500, fond == CouleurBlanche ? CouleurRouge : fond));
        for (int c = 0; c < 7; ++c) {
            for (int w = 0; w < 7; ++w) {
                const int pourcent = w == 0 ? -25 : c == 6 ? -10 : -5;
                const QPoint coin(250 + 100 * c, 150 + 100 * w);
                EXPECT_TRUE(Est(image, coin.x() + 15, coin.y() + 15, LightenColor(cal.ColorCase(), pourcent)))
                    << c << " " << w;
                EXPECT_TRUE(Est(image, coin.x() + 2, coin.y() + 50, CouleurNoire)) << c << " " << w;
            }
        }
    }
}

TEST(CalendrierCAD, MoisEtAnneesSansNombres)
{
    struct Cas {
        int annee, mois;
        double cote;
        int textes;
    } const cas[] = {
        {2000, 0, 70, 0}, {2000, 13, 70, 0}, // no month: shaded cells only
        {0, 5, 70, 7},    {10000, 5, 70, 7}, // no such year: letters only
        {2000, 5, 1, 0},                     // a size of 0 points
    };
    for (const Cas &c : cas) {
        SCOPED_TRACE(testing::Message() << c.mois << "/" << c.annee << " " << c.cote);
        Page p;
        TxiloCADCal &cal = p.Calendrier(c.annee, c.mois);
        cal.SetTaille(c.cote, c.cote);
        CanevasEspion canevas(QSize(1200, 1000));
        p.m.Draw(canevas, QRect(0, 0, 1200, 1000));
        EXPECT_EQ(int(canevas.Textes.size()), c.textes);
        // The cells are there, inside the page's frame.
        const QRect cases = BoiteNonBlanche(canevas.Image().copy(1, 1, 1198, 998));
        EXPECT_NEAR(cases.width(), c.cote * 10, 4);
        EXPECT_NEAR(cases.height(), c.cote * 10, 4);
    }
}

TEST(CalendrierCAD, Cles)
{
    Page p;
    auto &cree = dynamic_cast<TxiloCADCal &>(*p.m.AddObject(u"CAL"_s));
    const QDate aujourdhui = QDate::currentDate();
    EXPECT_EQ(QDate(cree.Annee(), cree.Mois(), cree.Jour()), aujourdhui);
    EXPECT_EQ(QSizeF(cree.L(), cree.H()), QSizeF(1, 1));
    EXPECT_EQ(QPointF(cree.X(), cree.Y()), QPointF(60, 50));

    TxiloCADCal &cal = p.Calendrier(2010, 1);
    cal.SetJour(15);
    cal.SetColorFond(CouleurRGB(0x12, 0x34, 0x56));
    const QStringList cles = cal.SaveToStrings();
    EXPECT_EQ(cles.first(), u"Name=cal"_s);
    const qsizetype r = cles.indexOf(u"r=0"_s);
    ASSERT_GE(r, 0);
    EXPECT_EQ(cles.mid(r + 1), QStringList({u"Font=000000,Arial,12,"_s, u"Jour=15"_s, u"Mois=1"_s, u"Annee=2010"_s,
                                            u"ColorFond=123456"_s, u"ColorCase=C0C0C0"_s}));
    auto &copie = dynamic_cast<TxiloCADCal &>(*p.m.CloneObject(cal));
    EXPECT_EQ(copie.SaveToStrings(), cles);

    // Numbers that do not fit 16 bits are none; colours that are not there
    // stay.
    copie.LoadFromStrings({u"Name=cal"_s, u"Jour=-1"_s, u"Mois=70000"_s, u"Annee=65535"_s});
    EXPECT_EQ(copie.Jour(), 0);
    EXPECT_EQ(copie.Mois(), 0);
    EXPECT_EQ(copie.Annee(), 65535);
    EXPECT_EQ(copie.ColorFond(), CouleurRGB(0x12, 0x34, 0x56));
    EXPECT_EQ(copie.ColorCase(), CouleurRGB(192, 192, 192));
}

// A page of a model file: a title fitted to a width of 100 mm and a
// calendar of the current month.
TEST(PageCAD, TitreAjusteEtCalendrierDuMois)
{
    Page p;
    const QDate aujourdhui = QDate::currentDate();
    p.m.LoadFromStrings({
        u"Large=120"_s, u"Haut=100"_s, u"Face=1"_s,
        u"  Titre"_s, u"    Name=Texte"_s, u"    x=60"_s, u"    y=12"_s, u"    Font=000000,Arial,5000,B"_s,
        u"    txt=Famille Martin"_s, u"  End"_s,
        u"  Mois"_s, u"    Name=cal"_s, u"    x=60"_s, u"    y=60"_s, u"    l=70"_s, u"    h=70"_s,
        u"    Font=000000,Arial,12,"_s, u"    Mois="_s + QString::number(aujourdhui.month()),
        u"    Annee="_s + QString::number(aujourdhui.year()), u"  End"_s,
        u"End"_s,
    });
    ASSERT_EQ(p.m.Count(), 2);
    auto &titre = dynamic_cast<TxiloCADTexte &>(p.m.Objet(0));
    auto &cal = dynamic_cast<TxiloCADCal &>(p.m.Objet(1));
    EXPECT_EQ(titre.Font().Style, FonteGras);

    // Shown at 10 pixels per millimetre, the title dragged by its corner.
    CanevasEspion avant(QSize(1200, 1000));
    p.m.Draw(avant, QRect(0, 0, 1200, 1000));
    EXPECT_EQ(p.m.ObjetSous(QPointF(60, 12)), &titre);
    titre.MemoriseDepart();
    titre.RedimCentre(QPointF(110, 15));
    CanevasEspion canevas(QSize(1200, 1000));
    p.m.Draw(canevas, QRect(0, 0, 1200, 1000));

    ASSERT_GE(canevas.Textes.size(), 1u);
    EXPECT_EQ(canevas.Textes.front().Texte, u"Famille Martin"_s);
    std::vector<TexteEcrit> jours(canevas.Textes.begin() + 1, canevas.Textes.end());
    VerifieMois(cal, jours);

    const QImage image = canevas.Image();
    const QRect encre = BoiteDe(image.copy(1, 1, 1198, 239), CouleurNoire).translated(1, 1);
    EXPECT_LE(encre.width(), 1000);
    EXPECT_GE(encre.width(), 900);
    EXPECT_NEAR(encre.center().x(), 600, 6);
    EXPECT_LE(titre.L(), 100);
    EXPECT_EQ(p.m.ObjetSous(QPointF(60, 60)), &cal);
    EXPECT_TRUE(Est(image, 262, 262, LightenColor(cal.ColorCase(), -25)));
}
