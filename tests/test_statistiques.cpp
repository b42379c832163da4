// The statistics over a generated database whose distributions the test
// knows: every expected count is computed here from what was generated,
// with Qt's own calendar for weekdays, months and ages.

#include <gtest/gtest.h>

#include <limits>
#include <map>
#include <random>
#include <vector>

#include <QDate>

#include "BD.h"
#include "Dates.h"
#include "Langue.h"
#include "Parente.h"
#include "Statistiques.h"
#include "Textes.h"

using namespace Qt::StringLiterals;

namespace {

// A date as generated: complete (jour > 0), month and year, or year alone.
struct TDateGen {
    int annee = 0, mois = 0, jour = 0;
    bool vide() const { return annee == 0; }
    QString texte() const
    {
        if (annee == 0)
            return QString();
        if (mois == 0)
            return QString::number(annee);
        if (jour == 0)
            return u"%1/%2"_s.arg(mois).arg(annee);
        return u"%1/%2/%3"_s.arg(jour).arg(mois).arg(annee);
    }
    QDate qdate() const { return QDate(annee, mois, jour); }
};

TDateGen depuis(const QDate &d)
{
    return {d.year(), d.month(), d.day()};
}

// Whole years between two dates in either order, 0 within one year; a
// missing month or day leaves that part out, as the date services do.
int ans(TDateGen a, TDateGen b)
{
    if (a.annee == b.annee)
        return 0;
    if (a.annee > b.annee)
        std::swap(a, b);
    int n = b.annee - a.annee;
    if (a.mois != 0 && b.mois != 0 && (b.mois < a.mois || (b.mois == a.mois && a.jour != 0 && b.jour != 0 && b.jour < a.jour)))
        --n;
    return n;
}

struct TPersonneGen {
    int sexe = SexeHomme;
    TDateGen naissance, bapteme, deces;
    bool lieuInhumation = false;
    int pere = 0, mere = 0;
};
struct TUnionGen {
    int mari = 0, femme = 0;
    TDateGen mariage, divorce;
};

struct BaseGeneree {
    TBD bd;
    std::vector<TPersonneGen> personnes{1}; // 1-based
    std::vector<TUnionGen> unions{1};

    BaseGeneree()
    {
        std::mt19937 alea(19);
        auto de = [&](int n) { return static_cast<int>(alea() % static_cast<unsigned>(n)); };
        const QDate origine(1850, 1, 1);
        for (int i = 1; i <= 400; ++i) {
            TPersonneGen g;
            g.sexe = de(3) == 0 ? (de(4) == 0 ? SexeInconnu : SexeFemme) : (de(2) ? SexeHomme : SexeFemme);
            const QDate naissance = origine.addDays(de(150 * 365));
            switch (de(10)) {
            case 0:
                g.naissance = {naissance.year(), 0, 0};
                break;
            case 1:
                g.naissance = {naissance.year(), naissance.month(), 0};
                break;
            case 2:
                break;
            default:
                g.naissance = depuis(naissance);
                if (de(3) == 0)
                    g.bapteme = depuis(naissance.addDays(3));
                if (de(2) == 0)
                    g.deces = depuis(naissance.addDays(de(106 * 365)));
                break;
            }
            g.lieuInhumation = de(5) == 0;
            if (i > 20) {
                std::vector<int> hommes, femmes;
                for (int j = 1; j < i; ++j)
                    (personnes[j].sexe == SexeHomme ? hommes : femmes).push_back(j);
                if (de(5) < 3 && !hommes.empty())
                    g.pere = hommes[de(static_cast<int>(hommes.size()))];
                if (de(5) < 3 && !femmes.empty())
                    g.mere = femmes[de(static_cast<int>(femmes.size()))];
            }
            personnes.push_back(g);

            const int p = bd.NewPerson();
            EXPECT_EQ(p, i);
            bd.SetSex(p, g.sexe);
            bd.SetSurname(p, u"NOM"_s);
            if (!g.naissance.vide())
                bd.SetBirthDate(p, g.naissance.texte());
            bd.SetField(p, PcBaptemeDate, g.bapteme.texte());
            bd.SetField(p, PcDecesDate, g.deces.texte());
            if (g.lieuInhumation)
                bd.SetField(p, PcInhumationLieu, u"Brest"_s);
            bd.SetFather(p, g.pere);
            bd.SetMother(p, g.mere);
        }
        // Unions: a man, or now and then a person of unknown sex, as husband;
        // the wife a woman or a person of unknown sex.
        for (int k = 0; k < 160; ++k) {
            TUnionGen u;
            do
                u.mari = 1 + de(400);
            while (personnes[u.mari].sexe == SexeFemme);
            do
                u.femme = 1 + de(400);
            while (personnes[u.femme].sexe == SexeHomme || u.femme == u.mari);
            const QDate mariage = QDate(1870, 1, 1).addDays(de(120 * 365));
            switch (de(8)) {
            case 0:
                u.mariage = {mariage.year(), 0, 0};
                break;
            case 1:
                break;
            default:
                u.mariage = depuis(mariage);
                if (de(6) == 0)
                    u.divorce = depuis(mariage.addDays(de(20 * 365)));
                break;
            }
            unions.push_back(u);
            const int n = bd.NewUnion();
            bd.SetHusband(n, u.mari);
            bd.SetWife(n, u.femme);
            bd.SetUnionField(n, UcMariageDate, u.mariage.texte());
            bd.SetUnionField(n, UcDivorceDate, u.divorce.texte());
        }
        // A person born on 1 January 2010, a Friday.
        TPersonneGen vendredi;
        vendredi.naissance = {2010, 1, 1};
        personnes.push_back(vendredi);
        const int p = bd.NewPerson();
        bd.SetBirthDate(p, u"1/1/2010"_s);
    }

    int nombre() const { return static_cast<int>(personnes.size()) - 1; }

    // The unions of p in its role: husband for a man, else wife.
    std::vector<int> unionsDe(int p) const
    {
        std::vector<int> r;
        for (int u = 1; u < static_cast<int>(unions.size()); ++u) {
            if ((personnes[p].sexe == SexeHomme ? unions[u].mari : unions[u].femme) == p)
                r.push_back(u);
        }
        return r;
    }
    std::vector<int> enfantsDe(int p) const
    {
        std::vector<int> r;
        for (int e = 1; e <= nombre(); ++e) {
            if (personnes[e].pere == p || personnes[e].mere == p)
                r.push_back(e);
        }
        return r;
    }
};

QStringList texte(const std::vector<int> &valeurs)
{
    QStringList r;
    for (int v : valeurs)
        r << QString::number(v);
    return r;
}

class Statistiques : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        ASSERT_TRUE(ChargeLangue(QStringLiteral(LIGNEE_MODELE "/langue.txt")));
        base = new BaseGeneree;
        toutes = new TR(AllPersons(base->bd));
    }
    static void TearDownTestSuite()
    {
        delete toutes;
        delete base;
    }

    static TResultatStat calcule(int entree, int colonne = -1, TPlageStat ages = {0, 100, 10},
                                 TPlageStat annees = {1900, 2000, 10})
    {
        return CalculeStatistique(base->bd, *toutes, entree, colonne, ages, annees);
    }

    static BaseGeneree *base;
    static TR *toutes;
};
BaseGeneree *Statistiques::base = nullptr;
TR *Statistiques::toutes = nullptr;

TEST_F(Statistiques, SexesEventsAndParents)
{
    const BaseGeneree &b = *base;
    const int n = b.nombre();
    std::vector<int> sexes(2), connus(4), parents(4);
    for (int p = 1; p <= n; ++p) {
        const TPersonneGen &g = b.personnes[p];
        ++sexes[g.sexe == SexeHomme ? 0 : 1];
        connus[0] += !g.naissance.vide();
        connus[1] += !g.bapteme.vide();
        connus[2] += !g.deces.vide();
        connus[3] += g.lieuInhumation;
        ++parents[g.pere && g.mere ? 0 : (!g.pere && !g.mere ? 1 : (g.pere ? 2 : 3))];
    }

    TResultatStat r = calcule(0);
    EXPECT_EQ(r.ValY, texte(sexes));
    EXPECT_EQ(r.ValX, QStringList({MLFormat(800, {QString::number(sexes[0])}), MLFormat(801, {QString::number(sexes[1])})}));
    EXPECT_EQ(r.Commentaire, QStringList({MLFormat(802, {QString::number(n)}),
                                          MLFormat(803, {QString::number(sexes[0]), FloatToStr2(100.0 * sexes[0] / n)}),
                                          MLFormat(804, {QString::number(sexes[1]), FloatToStr2(100.0 * sexes[1] / n)})}));
    // Separators compute the first statistic.
    for (int separateur : {2, 6, 10})
        EXPECT_EQ(calcule(separateur).ValY, r.ValY);

    r = calcule(1);
    EXPECT_EQ(r.ValY, texte(connus));
    const int somme = connus[0] + connus[1] + connus[2] + connus[3];
    // Each person counts at most once per event: 4 x n is all of them.
    ASSERT_EQ(r.Commentaire.size(), 2);
    EXPECT_EQ(r.Commentaire[1], MLFormat(810, {FloatToStr2(100.0 * somme / (4.0 * n))}));

    r = calcule(3, 2);
    EXPECT_EQ(r.ValY, texte(parents));
    EXPECT_EQ(r.Resultat.Count(), parents[2]);
    for (int p : r.Resultat)
        EXPECT_TRUE(b.personnes[p].pere && !b.personnes[p].mere) << p;
    EXPECT_EQ(r.Commentaire.size(), 2);
}

TEST_F(Statistiques, ChildrenAndUnionsPerPerson)
{
    const BaseGeneree &b = *base;
    for (const bool enfants : {true, false}) {
        SCOPED_TRACE(enfants);
        std::map<int, int> compte;
        int plusHaut = 0;
        for (int p = 1; p <= b.nombre(); ++p) {
            const int k = static_cast<int>(enfants ? b.enfantsDe(p).size() : b.unionsDe(p).size());
            ++compte[k];
            plusHaut = std::max(plusHaut, k);
        }
        const TResultatStat r = calcule(enfants ? 4 : 5, 1);
        ASSERT_EQ(r.ValY.size(), plusHaut + 1);
        for (int k = 0; k <= plusHaut; ++k) {
            EXPECT_EQ(r.ValY[k].toInt(), compte[k]) << k;
            EXPECT_EQ(r.ValX[k], u"%1 (%2)"_s.arg(k).arg(compte[k]));
        }
        EXPECT_EQ(r.Resultat.Count(), compte[1]);
        const int avec = b.nombre() - compte[0];
        EXPECT_EQ(r.Commentaire.value(0), MLFormat(enfants ? 830 : 840, {QString::number(avec), QString::number(b.nombre()),
                                                                      FloatToStr2(100.0 * avec / b.nombre())}));
    }
}

TEST_F(Statistiques, Ages)
{
    const BaseGeneree &b = *base;
    struct Cas {
        int entree;
        TPlageStat plage;
    };
    for (const Cas &c : {Cas{7, {0, 100, 10}}, Cas{7, {20, 60, 7}}, Cas{8, {0, 100, 10}}, Cas{9, {15, 45, 5}},
                         Cas{7, {0, 2000, 1}}}) {
        SCOPED_TRACE(testing::Message() << c.entree << " " << c.plage.Min << ".." << c.plage.Max << "/" << c.plage.Pas);
        const TPlageStat &pl = c.plage;
        const int colonnes = (pl.Max - pl.Min - 1) / pl.Pas + 1;
        std::vector<int> attendu(colonnes + 1);
        long long somme = 0;
        int nombre = 0;
        auto compte = [&](int age) {
            if (age < pl.Min || age > pl.Max)
                return;
            ++attendu[(age - pl.Min) / pl.Pas];
            somme += age;
            ++nombre;
        };
        for (int p = 1; p <= b.nombre(); ++p) {
            const TPersonneGen &g = b.personnes[p];
            if (g.naissance.vide())
                continue;
            if (c.entree == 7 && !g.deces.vide())
                compte(ans(g.naissance, g.deces));
            if (c.entree == 8) {
                for (int u : b.unionsDe(p)) {
                    const TDateGen &m = b.unions[u].mariage;
                    if (!m.vide())
                        compte(ans(g.naissance, m));
                }
            }
            if (c.entree == 9) {
                // The eldest child, whatever its number.
                const TPersonneGen *aine = nullptr;
                for (int e : b.enfantsDe(p)) {
                    const TPersonneGen &ge = b.personnes[e];
                    if (ge.naissance.vide())
                        continue;
                    auto cle = [](const TDateGen &d) { return d.annee * 10000 + d.mois * 100 + d.jour; };
                    if (!aine || cle(ge.naissance) < cle(aine->naissance))
                        aine = &ge;
                }
                if (aine)
                    compte(ans(g.naissance, aine->naissance));
            }
        }
        const TResultatStat r = calcule(c.entree, -1, pl);
        attendu.resize(colonnes);
        EXPECT_EQ(r.ValY, texte(attendu));
        for (int k = 0; k < colonnes; ++k) {
            const QString debut = QString::number(pl.Min + k * pl.Pas) + u'+';
            EXPECT_EQ(r.Noms[k], debut);
            EXPECT_EQ(r.ValX[k], colonnes <= 16 ? debut : QString());
        }
        ASSERT_GT(nombre, 0);
        EXPECT_EQ(r.Commentaire.value(1), MLFormat(c.entree == 7 ? 851 : (c.entree == 8 ? 853 : 855),
                                                   {FloatToStr2(static_cast<double>(somme) / nombre)}));
    }
}

TEST_F(Statistiques, AgeAtDeathLimitsAndTheEldestChild)
{
    TBD bd;
    auto personne = [&](const char *naissance, const char *deces) {
        const int p = bd.NewPerson();
        bd.SetSex(p, SexeFemme);
        bd.SetBirthDate(p, QString::fromUtf8(naissance));
        bd.SetField(p, PcDecesDate, QString::fromUtf8(deces));
        return p;
    };
    personne("1/1/1800", "1/1/1900"); // exactly 100
    personne("5/3/1800", "4/3/1890"); // 89
    personne("5/3/1800", "5/3/1890"); // 90
    const int mere = personne("1/6/1900", "");
    const int tardif = personne("1/6/1940", "");   // lower number, born later
    const int premier = personne("1/6/1925", ""); // the eldest
    bd.SetMother(tardif, mere);
    bd.SetMother(premier, mere);
    TR tous = AllPersons(bd);

    TResultatStat r = CalculeStatistique(bd, tous, 7, 8, {0, 100, 10}, {1900, 2000, 10});
    ASSERT_EQ(r.ValX.size(), 10);
    EXPECT_EQ(r.ValX.first(), u"0+");
    EXPECT_EQ(r.ValX.last(), u"90+");
    EXPECT_EQ(r.ValY.mid(8), QStringList({u"1"_s, u"1"_s}));
    // The centenarian is in no column but in the mean: (100 + 89 + 90) / 3.
    EXPECT_EQ(r.Commentaire.value(1), MLFormat(851, {FloatToStr2(279.0 / 3)}));
    EXPECT_EQ(r.Resultat.Count(), 1);
    EXPECT_EQ(r.Resultat.Get(1), 2);

    r = CalculeStatistique(bd, tous, 9, -1, {0, 100, 5}, {1900, 2000, 10});
    EXPECT_EQ(r.ValY.value(5), u"1"); // 25 years: the eldest, not the first number
    EXPECT_EQ(r.ValY.value(8), u"0");
}

// Two persons die at 100, outside the ten columns 0+..90+, two at 25: the
// mean is over the four ages counted, 250 / 4, not over the two shown in
// columns (which would give 125).
TEST_F(Statistiques, MeanAgeIsOverEveryAgeCountedNotTheShownColumns)
{
    TBD bd;
    for (const char *deces : {"1/1/1900", "1/1/1900", "1/1/1825", "1/1/1825"}) {
        const int p = bd.NewPerson();
        bd.SetBirthDate(p, u"1/1/1800"_s);
        bd.SetField(p, PcDecesDate, QString::fromUtf8(deces));
    }
    const TResultatStat r = CalculeStatistique(bd, AllPersons(bd), StatAgeDeces, -1, {0, 100, 10}, {1900, 2000, 10});
    ASSERT_EQ(r.ValY.size(), 10);
    EXPECT_EQ(r.ValY.value(2), u"2"_s);
    EXPECT_EQ(r.Commentaire.value(1), MLFormat(851, {u"62,50"_s}));
}

// June and July share their first three letters: their columns read "juin"
// and "juil", every other month its first three letters.
TEST_F(Statistiques, MonthLabelsTellJuneFromJuly)
{
    TBD bd;
    for (int mois = 1; mois <= 12; ++mois)
        bd.SetBirthDate(bd.NewPerson(), u"1/%1/1900"_s.arg(mois));
    const TResultatStat r = CalculeStatistique(bd, AllPersons(bd), StatNaissancesMois, -1, {}, {});
    EXPECT_EQ(r.ValX, QStringList({u"jan(1)"_s, u"fév(1)"_s, u"mar(1)"_s, u"avr(1)"_s, u"mai(1)"_s, u"juin(1)"_s,
                                   u"juil(1)"_s, u"aoû(1)"_s, u"sep(1)"_s, u"oct(1)"_s, u"nov(1)"_s, u"déc(1)"_s}));
}

TEST_F(Statistiques, DistributionsByWeekdayMonthAndYear)
{
    const BaseGeneree &b = *base;
    struct Evenement {
        int premiere;
        std::function<std::vector<TDateGen>(int)> dates;
    };
    const Evenement evenements[] = {
        {11, [&](int p) { return std::vector<TDateGen>{b.personnes[p].naissance}; }},
        {14, [&](int p) { return std::vector<TDateGen>{b.personnes[p].bapteme}; }},
        {17, [&](int p) { return std::vector<TDateGen>{b.personnes[p].deces}; }},
        {23, [&](int p) {
             std::vector<TDateGen> r;
             for (int u : b.unionsDe(p))
                 r.push_back(b.unions[u].mariage);
             return r;
         }},
        {26, [&](int p) {
             std::vector<TDateGen> r;
             for (int u : b.unionsDe(p))
                 r.push_back(b.unions[u].divorce);
             return r;
         }},
    };
    const TPlageStat annees{1850, 2010, 1};
    for (const Evenement &ev : evenements) {
        SCOPED_TRACE(ev.premiere);
        std::vector<int> jours(7), mois(12), ans((annees.Max - annees.Min - 1) / annees.Pas + 1);
        std::vector<int> vendredis, mars, annee1950;
        for (int p = 1; p <= b.nombre(); ++p) {
            for (const TDateGen &d : ev.dates(p)) {
                if (d.vide())
                    continue;
                if (d.jour) {
                    const int j = d.qdate().dayOfWeek() % 7; // Qt: Monday 1 .. Sunday 7
                    ++jours[j];
                    if (j == 5)
                        vendredis.push_back(p);
                }
                if (d.mois) {
                    ++mois[d.mois - 1];
                    if (d.mois == 3)
                        mars.push_back(p);
                }
                if (d.annee >= annees.Min && d.annee < annees.Max) {
                    ++ans[(d.annee - annees.Min) / annees.Pas];
                    if (d.annee == 1950)
                        annee1950.push_back(p);
                }
            }
        }
        auto resultat = [](const TResultatStat &r) { return std::vector<int>(r.Resultat.begin(), r.Resultat.end()); };

        TResultatStat r = calcule(ev.premiere, 5, {}, annees);
        EXPECT_EQ(r.ValY, texte(jours));
        EXPECT_EQ(r.ValX.value(5), u"vendredi(%1)"_s.arg(jours[5]));
        EXPECT_EQ(resultat(r), vendredis);
        const auto [jmin, jmax] = std::minmax_element(jours.begin(), jours.end());
        EXPECT_EQ(r.Commentaire.last(), MLFormat(827, {QString::number(*jmin), QString::number(*jmax)}));

        r = calcule(ev.premiere + 1, 2, {}, annees);
        EXPECT_EQ(r.ValY, texte(mois));
        EXPECT_EQ(r.ValX.value(2), u"mar(%1)"_s.arg(mois[2]));
        EXPECT_EQ(resultat(r), mars);

        // Every year column counts, the 101st and beyond included.
        r = calcule(ev.premiere + 2, 1950 - annees.Min, {}, annees);
        EXPECT_EQ(r.ValY, texte(ans));
        EXPECT_EQ(r.ValX.value(100), u"1950+");
        EXPECT_EQ(resultat(r), annee1950);
    }

    // 1 January 2010 was a Friday.
    TBD bd;
    bd.SetBirthDate(bd.NewPerson(), u"1/1/2010"_s);
    const TResultatStat r = CalculeStatistique(bd, AllPersons(bd), 11, 5, {}, {});
    EXPECT_EQ(r.ValY.value(5), u"1");
    EXPECT_EQ(r.Resultat.Count(), 1);

    // Both ends of the year range count when a column shows them: 1850 to
    // 2005 by tens ends on the column of 2000 to 2005.
    TBD extremes;
    for (const char *naissance : {"1849", "1850", "2000", "3/4/2005", "2006"})
        extremes.SetBirthDate(extremes.NewPerson(), QString::fromUtf8(naissance));
    const TResultatStat bouts = CalculeStatistique(extremes, AllPersons(extremes), 13, 15, {}, {1850, 2005, 10});
    ASSERT_EQ(bouts.ValY.size(), 16);
    EXPECT_EQ(bouts.ValY.first(), u"1");
    EXPECT_EQ(bouts.ValY.last(), u"2");
    EXPECT_EQ(std::vector<int>(bouts.Resultat.begin(), bouts.Resultat.end()), (std::vector<int>{3, 4}));
}

TEST_F(Statistiques, MarriagesCountEachUnionOfEachPerson)
{
    TBD bd;
    const int mari = bd.NewPerson(), femme1 = bd.NewPerson(), femme2 = bd.NewPerson();
    bd.SetSex(femme1, SexeFemme);
    bd.SetSex(femme2, SexeFemme);
    const int u1 = bd.NewUnionOf(mari, femme1), u2 = bd.NewUnionOf(mari, femme2);
    bd.SetUnionField(u1, UcMariageDate, u"3/6/1900"_s);
    bd.SetUnionField(u2, UcMariageDate, u"20/6/1910"_s);
    const TResultatStat r = CalculeStatistique(bd, AllPersons(bd), StatMariagesMois, 5, {}, {});
    EXPECT_EQ(r.ValY.value(5), u"4"); // each union seen from both partners
    EXPECT_EQ(std::vector<int>(r.Resultat.begin(), r.Resultat.end()), (std::vector<int>{mari, mari, femme1, femme2}));
    EXPECT_EQ(r.Commentaire.last(),
              u"La répartition des mariages dans un mois varie entre 0 et 4, la moyenne étant à 0,33."_s);
}

TEST_F(Statistiques, EmptySourceAndSources)
{
    const TResultatStat vide = CalculeStatistique(base->bd, TR(), 7, -1, {0, 100, 10}, {});
    EXPECT_EQ(vide.ValY, QStringList(10, u"0"_s));
    EXPECT_TRUE(vide.Commentaire.isEmpty());
    EXPECT_EQ(CalculeStatistique(base->bd, TR(), 13, -1, {}, {1900, 2000, 10}).Commentaire.size(), 1);
    EXPECT_EQ(CalculeStatistique(base->bd, TR(), 0, -1, {}, {}).Commentaire.size(), 1);

    // Born between two years: both whole years.
    TBD bd;
    for (const char *date : {"31/12/1899", "1/1/1900", "1900", "15/7/1950", "31/12/1960", "1960", "1/1/1961", ""})
        bd.SetBirthDate(bd.NewPerson(), QString::fromUtf8(date));
    const TR nes = PersonnesNeesEntre(bd, 1900, 1960);
    EXPECT_EQ(std::vector<int>(nes.begin(), nes.end()), (std::vector<int>{2, 3, 4, 5, 6}));
    bd.ClearPerson(4);
    EXPECT_EQ(PersonnesNeesEntre(bd, 1900, 1960).Count(), 4);
    // Persons no longer in use are not counted.
    TR source = AllPersons(bd);
    source.Add(4);
    EXPECT_EQ(CalculeStatistique(bd, source, 0, -1, {}, {}).ValY, QStringList({u"7"_s, u"0"_s}));
}

// The window reads typed ranges (its test covers the usual ones); the
// extremes of an int neither overflow nor wrap.
TEST(PlagesStat, ExtremeRanges)
{
    const int plusGrand = std::numeric_limits<int>::max(), plusPetit = std::numeric_limits<int>::min();
    EXPECT_EQ(ColonnesPlage(CorrigePlage(plusPetit, plusGrand, 1)), 4294967295LL);
    const TPlageStat p = CorrigePlage(plusGrand, 0, -5);
    EXPECT_EQ(std::tuple(p.Min, p.Max, p.Pas), std::tuple(plusGrand - 1, plusGrand, 1));
    EXPECT_EQ(ColonnesPlage(p), 1);
    EXPECT_EQ(ColonnesPlage(CorrigePlage(0, 100, 10)), 10);
    EXPECT_EQ(ColonnesPlage(CorrigePlage(0, 101, 10)), 11);
}

} // namespace
