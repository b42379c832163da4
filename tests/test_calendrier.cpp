// The anniversaries and events calendar: which days the fill enters, the
// grid as drawn, the HTML page, and the window driven with the mouse.

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLocale>
#include <QSet>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

#include "BD.h"
#include "Calendrier.h"
#include "Chemins.h"
#include "Dates.h"
#include "DialoguesScriptes.h"
#include "Globales.h"
#include "Html.h"
#include "Langue.h"
#include "Options.h"
#include "Style.h"
#include "TfmCal.h"
#include "TfmRapport.h"

using namespace Qt::StringLiterals;

namespace {

// Colours the calendar takes from the style sheet, one each.
const QColor Case(200, 30, 30), WeekEnd(30, 200, 30), Vide(240, 240, 250), Mois(30, 30, 200), Jour(200, 200, 30);

void styleDeTest()
{
    StyleOptions().SetTexte(u"table tbody td { background-color: %1 }\n.calcase { background-color: %2 }\n"
                            ".calweekend { background-color: %3 }\n.calmois { background-color: %4 }\n"
                            ".caljour { background-color: %5 }\n"_s.arg(Vide.name(), Case.name(), WeekEnd.name(),
                                                                       Mois.name(), Jour.name()));
}

// Persons born on a few days, one with two birth events, unions married on
// others:
//   1 Paul DUPONT     2/1/1950, again 2/1/1951 (a second birth event)
//   2 Anne MARTIN     2/1/1960, died 1990
//   3 Luc <b>&Co      29/2/1952
//   4 Jean VERS       vers 5/5/1955 (qualified: never entered)
//   5 Marc TARD       7/7/2011 (after the period)
//   6 Rose SEULE      3/3/1970
//   union 1: Paul x Anne, married 14/2/1975; union 2: Luc x Rose, 14/2/1980
struct Base {
    Base()
    {
        auto p = [this](const QString &nom, const QString &prenom, int sexe, const QString &naissance) {
            const int n = bd.NewPerson();
            bd.SetSurname(n, nom);
            bd.SetGivenNames(n, prenom);
            bd.SetSex(n, sexe);
            bd.SetBirthDate(n, naissance);
            return n;
        };
        p(u"DUPONT"_s, u"Paul"_s, SexeHomme, u"2/1/1950"_s);
        const int e = bd.AddPersonEvent(1);
        bd.SetPersonEventField(1, e, NomsEvenements().Naissance, EveType);
        bd.SetPersonEventField(1, e, u"2/1/1951"_s, EveDate);
        p(u"MARTIN"_s, u"Anne"_s, SexeFemme, u"2/1/1960"_s);
        bd.SetPersonEventByType(2, NomsEvenements().Deces, u"1990"_s, EveDate);
        p(u"<b>&Co"_s, u"Luc"_s, SexeHomme, u"29/2/1952"_s);
        p(u"VERS"_s, u"Jean"_s, SexeHomme, u"vers 5/5/1955"_s);
        p(u"TARD"_s, u"Marc"_s, SexeHomme, u"7/7/2011"_s);
        p(u"SEULE"_s, u"Rose"_s, SexeFemme, u"3/3/1970"_s);
        for (auto [mari, femme, date] : {std::tuple(1, 2, u"14/2/1975"_s), std::tuple(3, 6, u"14/2/1980"_s)}) {
            const int u = bd.NewUnionOf(mari, femme);
            bd.SetUnionEventByType(u, NomsEvenements().Mariage, date, EveDate);
        }
    }
    TBD bd;
};

std::vector<int> cellule(const TCalendrier &cal, int m, int j)
{
    return cal.Cellule(m, j);
}

class HoteRapport final : public THoteRapport
{
public:
    TfmRapport *Fenetre = nullptr;
    int SelecPers() const override { return 0; }
    void SelecFiche(int) override {}
    void MontreRapport() override { Fenetre->show(); }
    void RapportCache() override {}
    bool FormKeyDown(int, Qt::KeyboardModifiers) override { return false; }
};

} // namespace

TEST(Calendrier, TheFillEntersFullUnqualifiedDatesOfThePeriod)
{
    Base b;
    TCalendrier cal;
    TCritereCal c;
    c.Debut = 1950;
    c.Fin = 2010;
    RemplitCalendrier(b.bd, c, cal);
    // Both birth events of Paul count; a leap day has its cell; a qualified
    // date and a year outside the period are left out; every event counts.
    EXPECT_EQ(cellule(cal, 1, 2), (std::vector<int>{1, 1, 2}));
    EXPECT_EQ(cellule(cal, 2, 29), std::vector<int>{3});
    EXPECT_TRUE(cellule(cal, 5, 5).empty());
    EXPECT_TRUE(cellule(cal, 7, 7).empty());
    EXPECT_TRUE(cellule(cal, 13, 1).empty() && cellule(cal, 1, 0).empty());

    const struct { const char *nom; TSourceCal source; QString eve; int debut, fin; std::vector<int> jan2, fev14; } cas[] = {
        {"vivants, naissances", TSourceCal::EnVie, u"naissance"_s, 1950, 2010, {1, 1}, {}},
        {"un an", TSourceCal::Tous, QString(), 1951, 1951, {1}, {}},
        {"unions", TSourceCal::Unions, QString(), 1900, 2000, {}, {1, 2}},
        {"unions, autre événement", TSourceCal::Unions, u"Divorce"_s, 1900, 2000, {}, {}},
        {"rapport", TSourceCal::Rapport, QString(), 1900, 2000, {2}, {}},
    };
    for (const auto &k : cas) {
        c.Source = k.source;
        c.Evenement = k.eve;
        c.Debut = k.debut;
        c.Fin = k.fin;
        c.Rapport = {2, 99, 0, 6};
        RemplitCalendrier(b.bd, c, cal);
        EXPECT_EQ(cellule(cal, 1, 2), k.jan2) << k.nom;
        EXPECT_EQ(cellule(cal, 2, 14), k.fev14) << k.nom;
    }
}

// "Individus en vie": persons born and not dead, no older than the options'
// maximum age at death; every event of theirs counts.
TEST(Calendrier, TheLivingAreBornNotDeadAndNotTooOld)
{
    // Asking the clock reads the time zone: a fill asks it once, not once
    // per person.
    int lectures = 0;
    SetHorloge([&lectures] {
        ++lectures;
        return QDate(2025, 6, 10);
    });
    TBD bd;
    auto p = [&bd](const QString &naissance, const QString &bapteme) {
        const int n = bd.NewPerson();
        bd.SetBirthDate(n, naissance);
        bd.SetPersonEventByType(n, u"Baptême"_s, bapteme, EveDate);
        return n;
    };
    p(u"2/1/1950"_s, u"3/1/1950"_s);
    p(u"2/2/1700"_s, u"3/2/1700"_s);   // never said dead
    p(QString(), u"3/3/1960"_s);        // no birth date
    p(u"11/6/1914"_s, u"12/6/1914"_s);  // 110, 111 tomorrow
    p(u"10/6/1914"_s, u"11/7/1914"_s);  // 111 today
    const int mort = p(u"2/4/1950"_s, u"3/4/1950"_s);
    bd.SetPersonEventByType(mort, NomsEvenements().Deces, u"1999"_s, EveDate);
    const struct { TSourceCal source; int ageMax; std::vector<std::pair<int, int>> jours; } cas[] = {
        {TSourceCal::EnVie, 110, {{1, 2}, {1, 3}, {6, 11}, {6, 12}}},
        {TSourceCal::EnVie, 111, {{1, 2}, {1, 3}, {6, 11}, {6, 12}, {6, 10}, {7, 11}}},
        {TSourceCal::Tous, 110, {{1, 2}, {1, 3}, {2, 2}, {2, 3}, {3, 3}, {6, 11}, {6, 12}, {6, 10}, {7, 11}, {4, 2}, {4, 3}}},
    };
    for (const auto &k : cas) {
        TCritereCal c;
        c.Source = k.source;
        c.AgeMax = k.ageMax;
        c.Debut = 1600;
        c.Fin = 2025;
        TCalendrier cal;
        lectures = 0;
        RemplitCalendrier(bd, c, cal);
        EXPECT_LE(lectures, 1);
        std::vector<std::pair<int, int>> jours;
        for (int m = 1; m <= 12; ++m) {
            for (int j = 1; j <= 31; ++j) {
                if (!cal.Cellule(m, j).empty())
                    jours.push_back({m, j});
            }
        }
        auto attendus = k.jours;
        std::sort(attendus.begin(), attendus.end());
        EXPECT_EQ(jours, attendus) << static_cast<int>(k.source) << " " << k.ageMax;
    }
    SetHorloge({});
}

TEST(Calendrier, MonthTitlesAreFrenchAndTellEveryMonthApart)
{
    // On a system set to English the titles stay French.
    const QLocale avant;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QStringList noms;
    for (int m = 1; m <= 12; ++m)
        noms << NomMoisCourt(m);
    QLocale::setDefault(avant);
    EXPECT_EQ(noms.first(), u"janv."_s);
    EXPECT_EQ(noms[1], u"févr."_s);
    EXPECT_EQ(noms[5], u"juin"_s);
    EXPECT_EQ(noms[6], u"juil."_s);
    EXPECT_EQ(noms.last(), u"déc."_s);
    EXPECT_EQ(QSet<QString>(noms.begin(), noms.end()).size(), 12);
}

TEST(Calendrier, TheGridIsDrawnInTheStyleSheetsColours)
{
    styleDeTest();
    Base b;
    TCalendrier cal;
    RemplitCalendrier(b.bd, {}, cal);
    const QSize taille(25 + 12 * 40, 15 + 31 * 12);
    QImage image(taille, QImage::Format_RGB32);
    image.fill(Qt::black);
    {
        QPainter p(&image);
        DessineCalendrier(p, taille, cal, CouleursCal(Qt::gray), true, 2010);
    }
    auto centre = [&](int m, int j) { return image.pixelColor(RectCelluleCal(taille, m, j).center()); };
    EXPECT_EQ(RectCelluleCal(taille, 1, 1), QRect(QPoint(25, 15), QPoint(65, 27)));
    EXPECT_EQ(RectCelluleCal(taille, 12, 31), QRect(QPoint(465, 375), QPoint(505, 387)));
    EXPECT_EQ(centre(1, 2), Case);
    EXPECT_EQ(centre(2, 29), Case);
    // January 2010 began on a Friday: its weekends in their colour, the
    // other empty days plain; 31 February has no weekday.
    for (int j = 1; j <= 31; ++j) {
        if (j == 2)
            continue;
        const int jour = DayOfWeek(j, 1, 2010);
        EXPECT_EQ(centre(1, j), jour == 0 || jour == 6 ? WeekEnd : Vide) << j;
    }
    EXPECT_EQ(centre(1, 3), WeekEnd);
    EXPECT_EQ(centre(1, 4), Vide);
    EXPECT_EQ(centre(2, 31), Vide);
    EXPECT_EQ(image.pixelColor(RectCelluleCal(taille, 1, 4).topLeft()), QColor(Qt::gray));
    // Titles: months along the top, days down the left.
    EXPECT_EQ(image.pixelColor(100, 1), Mois);
    EXPECT_EQ(image.pixelColor(20, 200), Jour);

    // The shipped style sheet tells a day with events from an empty day and
    // from an empty weekend day at a glance.
    {
        QFile livre(QStringLiteral(LIGNEE_MODELE "/1/style.css"));
        ASSERT_TRUE(livre.open(QIODevice::ReadOnly));
        TxiloStyleEdit style;
        style.SetTexte(QString::fromUtf8(livre.readAll()));
        const QString sauve = StyleOptions().Texte();
        StyleOptions().SetTexte(style.Texte());
        QImage livree(taille, QImage::Format_RGB32);
        {
            QPainter p(&livree);
            DessineCalendrier(p, taille, cal, CouleursCal(Qt::gray), true, 2010);
        }
        StyleOptions().SetTexte(sauve);
        auto ecart = [](const QColor &a, const QColor &b) {
            return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
        };
        const QColor pleine = livree.pixelColor(RectCelluleCal(taille, 1, 2).center());
        const QColor vide = livree.pixelColor(RectCelluleCal(taille, 1, 4).center());
        const QColor weekEnd = livree.pixelColor(RectCelluleCal(taille, 1, 3).center());
        EXPECT_GE(ecart(pleine, vide), 120) << pleine.name().toStdString() << " " << vide.name().toStdString();
        EXPECT_GE(ecart(pleine, weekEnd), 120) << pleine.name().toStdString() << " " << weekEnd.name().toStdString();
    }

    // Without weekends marked, 3 January is plain too.
    QPainter p(&image);
    DessineCalendrier(p, taille, cal, CouleursCal(Qt::gray), false, 2010);
    EXPECT_EQ(centre(1, 3), Vide);

    // The cell under a point: title bands and the outside are in none.
    const std::pair<QPoint, std::pair<int, int>> points[] = {
        {QPoint(26, 16), {1, 1}}, {QPoint(64, 26), {1, 1}}, {QPoint(66, 28), {2, 2}},
        {QPoint(504, 386), {12, 31}}, {QPoint(24, 100), {0, 0}}, {QPoint(100, 14), {0, 0}},
        {QPoint(600, 100), {0, 0}}, {QPoint(100, 500), {0, 0}},
    };
    for (const auto &[point, attendu] : points)
        EXPECT_EQ(CelluleCalEn(taille, point), attendu) << point.x() << "," << point.y();
}

TEST(Calendrier, TheHtmlPageMatchesItsModel)
{
    QTemporaryDir vide;
    DossierModele = vide.path() + u'/'; // no templates: the built-in header and footer
    Base b;
    TCalendrier cal;
    TCritereCal c;
    TableFetes().Clear();
    TableFetes().Put(1, 2, u"Basile"_s);
    TableFetes().Put(3, 1, u"Aubin & Albin"_s);
    const struct { const char *modele; bool anniversaires, fetes, unions; int tableaux; } pages[] = {
        {"evenements.htm", false, false, false, 12},
        {"anniversaires_fetes.htm", true, true, false, 2},
        {"unions.htm", false, false, true, 1},
    };
    for (const auto &k : pages) {
        c.Source = k.unions ? TSourceCal::Unions : (k.anniversaires ? TSourceCal::EnVie : TSourceCal::Tous);
        RemplitCalendrier(b.bd, c, cal);
        TPageCal page;
        page.Anniversaires = k.anniversaires;
        page.Pour = k.unions ? u"Unions"_s : u"Tous <les> individus"_s;
        page.Evenement = u"Tous les événements"_s;
        page.Unions = k.unions;
        page.Tableaux = k.tableaux;
        page.Fetes = k.fetes;
        THtml html(StyleOptions());
        PageCalendrier(html, b.bd, cal, page);
        QFile modele(QStringLiteral(LIGNEE_FIXTURES "/calendrier/") + QString::fromLatin1(k.modele));
        ASSERT_TRUE(modele.open(QIODevice::ReadOnly)) << k.modele;
        EXPECT_EQ(html.Lignes().join(u'\n') + u'\n', QString::fromUtf8(modele.readAll())) << k.modele;
        EXPECT_FALSE(html.Lignes().join(u'\n').contains(u"<b>"_s)) << "names are escaped";
    }

    // Every choice of tables holds the twelve months in order, 12 / n to a
    // table, each table followed by the end of the one division; the names
    // of November and December are there.
    for (const auto &[nom, prenom, naissance] : {std::tuple(u"NOVEMBRE"_s, u"Yves"_s, u"15/11/1980"_s),
                                                 std::tuple(u"DÉCEMBRE"_s, u"Noëlle"_s, u"25/12/1990"_s)}) {
        const int n = b.bd.NewPerson();
        b.bd.SetSurname(n, nom);
        b.bd.SetGivenNames(n, prenom);
        b.bd.SetBirthDate(n, naissance);
    }
    c.Source = TSourceCal::Tous;
    RemplitCalendrier(b.bd, c, cal);
    for (const int tableaux : {1, 2, 3, 4, 6, 12}) {
        TPageCal page;
        page.Tableaux = tableaux;
        THtml html(StyleOptions());
        PageCalendrier(html, b.bd, cal, page);
        const QStringList lignes = html.Lignes();
        QStringList mois;
        int tables = 0, fins = 0;
        for (qsizetype i = 0; i < lignes.size(); ++i) {
            if (lignes[i].startsWith(u"<td class=\"calmois\">"_s))
                mois << lignes[i].section(u'>', 1).section(u'<', 0, 0);
            if (lignes[i] == u"</table>"_s) {
                EXPECT_EQ(mois.size(), (tables + 1) * 12 / tableaux) << tableaux;
                ++tables;
                EXPECT_EQ(lignes.value(i + 1), u"</div>"_s) << tableaux << " tables, table " << tables;
            }
            fins += lignes[i] == u"</div>"_s;
        }
        EXPECT_EQ(tables, tableaux);
        EXPECT_EQ(fins, tableaux);
        EXPECT_EQ(lignes.join(u'\n').count(u"<div"_s), 1);
        EXPECT_EQ(mois, (QStringList{u"Janvier"_s, u"Février"_s, u"Mars"_s, u"Avril"_s, u"Mai"_s, u"Juin"_s,
                                     u"Juillet"_s, u"Août"_s, u"Septembre"_s, u"Octobre"_s, u"Novembre"_s,
                                     u"Décembre"_s}))
            << tableaux;
        EXPECT_TRUE(lignes.contains(u"NOVEMBRE Yves"_s) && lignes.contains(u"DÉCEMBRE Noëlle"_s)) << tableaux;
    }
    TableFetes().Clear();
    DossierModele.clear();
}

TEST(Calendrier, TheWindowFillsHoversOpensAndReports)
{
    SetRepModele(QStringLiteral(LIGNEE_MODELE));
    ASSERT_TRUE(ChargeLangue(FichierLangue()));
    styleDeTest();
    TDialoguesScriptes dialogues;
    Options() = TOptions();
    Options().Evenements = {{GenreEveIndividu(), u"Naissance"_s, u"BIRT"_s},
                            {GenreEveUnion(), u"Mariage"_s, u"MARR"_s}};
    Base b;
    HoteRapport hote;
    TfmRapport rapport(b.bd, hote);
    hote.Fenetre = &rapport;
    std::vector<int> ouvertes;
    TfmCal cal(b.bd, rapport, [&](int p) { ouvertes.push_back(p); });
    cal.resize(25 + 12 * 50 + 40, 15 + 31 * 14 + 80);
    cal.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&cal));
    auto *pb = cal.Grille();
    auto *cbEve = cal.findChild<QComboBox *>(u"cbEve"_s);
    auto *cbPour = cal.findChild<QComboBox *>(u"cbPour"_s);
    auto *seDeb = cal.findChild<QSpinBox *>(u"seDeb"_s);
    auto *seFin = cal.findChild<QSpinBox *>(u"seFin"_s);
    auto centre = [pb](int m, int j) { return RectCelluleCal(pb->size(), m, j).center(); };

    EXPECT_EQ(seDeb->value(), 1950);
    EXPECT_EQ(seFin->value(), 2010);
    EXPECT_EQ(cbPour->currentIndex(), 0);
    EXPECT_EQ(cbEve->count(), 2) << "every event, then the person events of the options";
    EXPECT_EQ(cal.Cellules().Cellule(1, 2), (std::vector<int>{1, 1, 2}));

    // Hovering names the persons, or counts them.
    QTest::mouseMove(pb, centre(2, 29));
    EXPECT_EQ(cal.windowTitle(), u"Calendrier : <b>&Co Luc"_s);
    EXPECT_EQ(pb->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseMove(pb, centre(1, 2));
    EXPECT_EQ(cal.windowTitle(), u"Calendrier : 3 individus"_s);
    QTest::mouseMove(pb, centre(1, 3));
    EXPECT_EQ(cal.windowTitle(), u"Calendrier"_s);
    EXPECT_EQ(pb->cursor().shape(), Qt::ArrowCursor);

    // One person: the record; several: the report, captioned.
    QTest::mouseClick(pb, Qt::LeftButton, {}, centre(2, 29));
    EXPECT_EQ(ouvertes, std::vector<int>{3});
    QTest::mouseClick(pb, Qt::LeftButton, {}, centre(1, 2));
    EXPECT_EQ(rapport.Liste().Count(), 3);
    EXPECT_EQ(rapport.Titre(), u"Individus ayant l'événement Tous les événements entre 1950 et 2010, le 2 janvier"_s);

    // The period: a start above the end takes the end along.
    seDeb->setFocus();
    seDeb->selectAll();
    QTest::keyClicks(seDeb, u"1951"_s);
    QTest::keyClick(seDeb, Qt::Key_Enter);
    EXPECT_EQ(seFin->value(), 2010);
    seFin->setFocus();
    seFin->selectAll();
    QTest::keyClicks(seFin, u"1951"_s);
    QTest::keyClick(seFin, Qt::Key_Enter);
    EXPECT_EQ(cal.Cellules().Cellule(1, 2), std::vector<int>{1});
    seDeb->setFocus();
    seDeb->selectAll();
    QTest::keyClicks(seDeb, u"1975"_s);
    QTest::keyClick(seDeb, Qt::Key_Enter);
    EXPECT_EQ(seFin->value(), 1975);

    // Unions, in one year: the marriages of the options.
    cbPour->setCurrentIndex(3);
    EXPECT_EQ(cbEve->count(), 2);
    EXPECT_EQ(cbEve->itemText(1), u"Mariage"_s);
    EXPECT_EQ(cal.Cellules().Cellule(2, 14), std::vector<int>{1});
    QTest::mouseMove(pb, centre(2, 14));
    EXPECT_EQ(cal.windowTitle(), u"Calendrier : DUPONT Paul et MARTIN Anne"_s);
    ouvertes.clear();
    QTest::mouseClick(pb, Qt::LeftButton, {}, centre(2, 14));
    EXPECT_EQ(ouvertes, std::vector<int>{1}) << "a union opens its husband";

    // A person deleted since the fill is not opened.
    cbPour->setCurrentIndex(0);
    seFin->setValue(1952);
    ASSERT_EQ(seDeb->value(), 1952);
    ASSERT_EQ(cal.Cellules().Cellule(2, 29), std::vector<int>{3});
    b.bd.DeletePerson(3);
    ouvertes.clear();
    QTest::mouseClick(pb, Qt::LeftButton, {}, centre(2, 29));
    EXPECT_TRUE(ouvertes.empty());

    // The anniversaries mode: births of the living, other choices fixed.
    cal.SetAnniversaires(true);
    EXPECT_EQ(cbPour->currentIndex(), 1);
    EXPECT_FALSE(cbPour->isEnabled() || cbEve->isEnabled());
    EXPECT_EQ(cbEve->currentText(), MLText(201));
    // Its living are no older than the options' maximum age at death.
    SetHorloge([] { return QDate(2020, 6, 1); });
    Options().AgeDecesMax = 60;
    seFin->setValue(2020);
    seDeb->setValue(1900);
    EXPECT_EQ(cal.Cellules().Cellule(3, 3), std::vector<int>{6});
    EXPECT_TRUE(cal.Cellules().Cellule(1, 2).empty()) << "70 in 2020";
    SetHorloge({});

    // The page: a file chosen, written, shown.
    QTemporaryDir dossier;
    const QString page = dossier.filePath(u"cal.htm"_s);
    dialogues.Fichiers.push_back(page);
    QTest::mouseClick(cal.findChild<QPushButton *>(u"bPageWeb"_s), Qt::LeftButton);
    EXPECT_EQ(dialogues.Pages, QStringList{page});
    EXPECT_TRUE(QFile::exists(page) && QFile::exists(dossier.filePath(u"style.css"_s)));
    Options() = TOptions();
    SetRepModele(QString());
}
