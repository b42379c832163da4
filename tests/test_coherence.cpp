#include <ostream>
#include <vector>

#include <gtest/gtest.h>

#include <QString>

#include "BD.h"
#include "Coherence.h"
#include "Langue.h"
#include "Options.h"

using namespace Qt::StringLiterals;

// The cases name only the dates they set; the others keep their defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace {

struct Mariage {
    const char *date = "";
    const char *divorce = "";
    const char *naissanceConjoint = "";
};

// One person with a father, a mother and any number of spouses; an empty
// date is left unset.
struct Cas {
    const char *nom = "";
    int sexe = SexeHomme;
    const char *ne = "1/1/1900", *bapt = "", *mort = "", *inhum = ""; // birth, baptism, death, burial
    const char *pereNe = "", *pereMort = "", *mereNee = "", *mereMorte = "";
    std::vector<Mariage> unions;
    int entete = 0; // heading text expected, 0 for none
    std::vector<int> msg;
};

void pose(TBD &bd, int p, int champ, const char *date)
{
    if (*date)
        bd.SetField(p, champ, QString::fromUtf8(date));
}

int personne(TBD &bd, int sexe, const char *naissance, const char *deces = "")
{
    const int p = bd.NewPerson();
    bd.SetSex(p, sexe);
    pose(bd, p, PcNaissanceDate, naissance);
    pose(bd, p, PcDecesDate, deces);
    return p;
}

void PrintTo(const Cas &c, std::ostream *os) { *os << c.nom; }

int construit(TBD &bd, const Cas &c)
{
    const int p = personne(bd, c.sexe, c.ne, c.mort);
    pose(bd, p, PcBaptemeDate, c.bapt);
    pose(bd, p, PcInhumationDate, c.inhum);
    bd.SetFather(p, personne(bd, SexeHomme, c.pereNe, c.pereMort));
    bd.SetMother(p, personne(bd, SexeFemme, c.mereNee, c.mereMorte));
    for (const Mariage &m : c.unions) {
        const int u = bd.NewUnionOf(p, personne(bd, c.sexe == SexeHomme ? SexeFemme : SexeHomme, m.naissanceConjoint));
        bd.SetUnionField(u, UcMariageDate, QString::fromUtf8(m.date));
        bd.SetUnionField(u, UcDivorceDate, QString::fromUtf8(m.divorce));
    }
    return p;
}

QString attendu(int entete, const std::vector<int> &messages)
{
    QString texte = entete ? MLText(entete) + u"\r\n"_s : QString();
    for (int n : messages)
        texte += MLText(n) + u"\r\n"_s;
    return texte;
}

class Coherence : public ::testing::TestWithParam<Cas>
{
protected:
    static void SetUpTestSuite()
    {
        ASSERT_TRUE(ChargeLangue(QStringLiteral(LIGNEE_MODELE "/langue.txt"), nullptr));
        // Every message must be told apart from the others by its text.
        for (int n = 901; n <= 923; ++n)
            ASSERT_FALSE(MLText(n).isEmpty()) << n;
    }
};

TEST_P(Coherence, Messages)
{
    TBD bd;
    const int p = construit(bd, GetParam());
    const TOptions limites; // 15 and 70 for marriage and children, 110, 20
    EXPECT_EQ(ControleCoherence(bd, p, limites), attendu(GetParam().entete, GetParam().msg));
}

// Born 1/1/1900 unless stated; a limit itself is accepted.
const Cas kCas[] = {
    // Without a birth year nothing at all is checked.
    {.nom = "SansNaissance", .ne = "", .mort = "1800", .pereNe = "1950", .unions = {{"1800", "1700"}}},
    {.nom = "NaissanceIllisible", .ne = "inconnue", .pereNe = "1950", .unions = {{"1800", "1700"}}},
    {.nom = "RienASignaler", .bapt = "3/1/1900", .mort = "1/1/1980", .inhum = "4/1/1980", .pereNe = "1870",
     .mereNee = "1875", .unions = {{"1925", "1940", "1903"}}},

    // Parents.
    {.nom = "PereNeLeMemeJour", .pereNe = "1/1/1900", .entete = 905, .msg = {901}},
    {.nom = "PereNeLaMemeAnnee", .ne = "1900", .pereNe = "1900", .entete = 905, .msg = {901}},
    {.nom = "MereNeeApres", .mereNee = "2/1/1900", .entete = 905, .msg = {902}},
    {.nom = "NeApresDecesPere", .pereMort = "31/12/1899", .entete = 905, .msg = {903}},
    {.nom = "PereMortLeJour", .pereMort = "1/1/1900"},
    {.nom = "NeApresDecesMere", .mereMorte = "1899", .entete = 905, .msg = {904}},
    // Parent messages skip 907-915 but not the unions.
    {.nom = "UnMessageParentsPuisUnions", .bapt = "1/1/1899", .mort = "1/1/2050", .pereNe = "1/1/1900",
     .unions = {{"1/1/1899"}}, .entete = 905, .msg = {901, 916}},
    {.nom = "DeuxMessagesParents", .bapt = "1899", .pereNe = "1901", .mereNee = "1902", .unions = {{"1/1/1890"}},
     .entete = 906, .msg = {901, 902, 916}},
    // Four parent messages take the plural heading too.
    {.nom = "QuatreMessagesParents", .pereNe = "1950", .pereMort = "1850", .mereNee = "1950", .mereMorte = "1850",
     .entete = 906, .msg = {901, 902, 903, 904}},

    // The person's own dates.
    {.nom = "BaptemeAvant", .bapt = "31/12/1899", .msg = {907}}, {.nom = "BaptemeLeJour", .bapt = "1/1/1900"},
    {.nom = "DecesAvant", .mort = "1/6/1899", .msg = {908}}, {.nom = "DecesLeJour", .mort = "1/1/1900"},
    // Not also 915: the 200 years lie before the birth.
    {.nom = "DecesDeuxCentsAnsAvant", .mort = "1700", .msg = {908}}, {.nom = "DecesIllisible", .mort = "x"},
    {.nom = "InhumationAvant", .inhum = "1899", .msg = {909}}, {.nom = "InhumationSansDeces", .inhum = "1/1/2000"},
    {.nom = "Inhumation7JoursApres", .mort = "1/3/1950", .inhum = "8/3/1950"},
    {.nom = "Inhumation8JoursApres", .mort = "1/3/1950", .inhum = "9/3/1950", .msg = {910}},
    {.nom = "InhumationAvantDeces", .mort = "10/3/1950", .inhum = "1/3/1950"},
    {.nom = "Pere15Ans", .pereNe = "1/1/1885"}, {.nom = "Pere14Ans", .pereNe = "2/1/1885", .msg = {911}},
    {.nom = "Pere70Ans", .pereNe = "1/1/1830"}, {.nom = "Pere71Ans", .pereNe = "1/1/1829", .msg = {912}},
    {.nom = "Mere14Ans", .mereNee = "2/1/1885", .msg = {913}}, {.nom = "Mere15Ans", .mereNee = "1/1/1885"},
    {.nom = "Mere71Ans", .mereNee = "1/1/1829", .msg = {914}},
    {.nom = "MortA110Ans", .mort = "1/1/2010"}, {.nom = "MortA111Ans", .mort = "1/1/2011", .msg = {915}},
    {.nom = "OrdreDesMessages", .bapt = "1899", .mort = "1/1/2020", .inhum = "20/1/2020", .pereNe = "1890",
     .mereNee = "1820", .msg = {907, 910, 911, 914, 915}},

    // Unions.
    {.nom = "MariageAvantNaissance", .unions = {{"1/1/1899"}}, .msg = {916}},
    {.nom = "MariageLeJourDeLaNaissance", .unions = {{"1/1/1900"}}, .msg = {916}},
    // 916 takes the place of 917; no age is drawn from a marriage before birth.
    {.nom = "MariageEtDivorceAvantNaissance", .unions = {{"1/1/1899", "1898"}}, .msg = {916, 918}},
    {.nom = "DivorceAvantNaissance", .unions = {{"", "1899"}}, .msg = {917}},
    {.nom = "DivorceLeJourDeLaNaissance", .unions = {{"", "1/1/1900"}}, .msg = {917}},
    {.nom = "DivorceLeJourDuMariage", .unions = {{"1/6/1930", "1/6/1930"}}, .msg = {918}},
    {.nom = "DivorceAvantMariage", .unions = {{"1/6/1930", "1/6/1929"}}, .msg = {918}},
    {.nom = "MariageApresDeces", .mort = "1/1/1950", .unions = {{"2/1/1950"}}, .msg = {919}},
    {.nom = "MariageLeJourDuDeces", .mort = "1/1/1950", .unions = {{"1/1/1950"}}},
    {.nom = "MarieA70Ans", .unions = {{"1/1/1970"}}}, {.nom = "MarieA71Ans", .unions = {{"1/1/1971"}}, .msg = {920}},
    {.nom = "MarieA15Ans", .unions = {{"1/1/1915"}}}, {.nom = "MarieA14Ans", .unions = {{"31/12/1914"}}, .msg = {921}},
    {.nom = "EpouseCadetteDe20Ans", .unions = {{"1/1/1930", "", "1/1/1920"}}},
    {.nom = "EpouseCadetteDe21Ans", .unions = {{"1/1/1930", "", "1/1/1921"}}, .msg = {922}},
    {.nom = "EpouseAineeDe21Ans", .unions = {{"1/1/1930", "", "1/1/1879"}}, .msg = {923}},
    // For a woman the spouse is the husband.
    {.nom = "MariAineDe21Ans", .sexe = SexeFemme, .unions = {{"1/1/1930", "", "1/1/1879"}}, .msg = {923}},
    // Unions come by marriage date, not in the order they were made.
    {.nom = "UnionsParDateDeMariage", .unions = {{"1/1/1980"}, {"1/1/1910"}}, .msg = {921, 920}},
    {.nom = "MessagesDUneUnionDansLOrdre", .mort = "1/1/1940", .unions = {{"1/1/1990", "1/1/1980", "1/1/1960"}},
     .msg = {918, 919, 920, 922}},
};

INSTANTIATE_TEST_SUITE_P(Cas, Coherence, ::testing::ValuesIn(kCas),
                         [](const ::testing::TestParamInfo<Cas> &info) { return std::string(info.param.nom); });

TEST(CoherenceHorsCas, NoPersonGivesNothing)
{
    TBD bd;
    const int p = bd.NewPerson();
    bd.SetField(p, PcNaissanceDate, u"1/1/1900"_s);
    bd.SetFather(p, 5); // a slot that holds nobody
    for (int n : {p, 0, -1, MaxPersonnes + 1})
        EXPECT_TRUE(ControleCoherence(bd, n).isEmpty()) << n;
}

TEST(CoherenceHorsCas, LimitsComeFromTheOptions)
{
    ASSERT_TRUE(ChargeLangue(QStringLiteral(LIGNEE_MODELE "/langue.txt"), nullptr));
    TBD bd;
    const int p = construit(bd, {.pereNe = "1/1/1882", .unions = {{"1/1/1917", "", "1/1/1890"}}});
    // Father 18, married at 17, wife 10 years older: fine with the defaults.
    EXPECT_TRUE(ControleCoherence(bd, p, TOptions()).isEmpty());
    TOptions limites;
    limites.AgeEnfMin = 20;
    limites.AgeMarMin = 18;
    limites.EcartConjMax = 9;
    EXPECT_EQ(ControleCoherence(bd, p, limites), attendu(0, {911, 921, 923}));

    // The short form reads the options of the run.
    const TOptions avant = Options();
    Options().AgeEnfMin = 20;
    const QString texte = ControleCoherence(bd, p);
    Options() = avant;
    EXPECT_EQ(texte, attendu(0, {911}));
}

} // namespace
