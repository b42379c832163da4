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
    const char *naissance = "1/1/1900";
    const char *bapteme = "";
    const char *deces = "";
    const char *inhumation = "";
    const char *pereNaissance = "";
    const char *pereDeces = "";
    const char *mereNaissance = "";
    const char *mereDeces = "";
    std::vector<Mariage> mariages;
    int entete = 0; // heading text expected, 0 for none
    std::vector<int> messages;
};

void PrintTo(const Cas &c, std::ostream *os)
{
    *os << c.nom;
}

QString u8(const char *s)
{
    return QString::fromUtf8(s);
}

int personne(TBD &bd, int sexe, const char *naissance, const char *deces = "")
{
    const int p = bd.NewPerson();
    bd.SetSex(p, sexe);
    if (*naissance)
        bd.SetField(p, PcNaissanceDate, u8(naissance));
    if (*deces)
        bd.SetField(p, PcDecesDate, u8(deces));
    return p;
}

int construit(TBD &bd, const Cas &c)
{
    const int p = personne(bd, c.sexe, c.naissance, c.deces);
    if (*c.bapteme)
        bd.SetField(p, PcBaptemeDate, u8(c.bapteme));
    if (*c.inhumation)
        bd.SetField(p, PcInhumationDate, u8(c.inhumation));
    bd.SetFather(p, personne(bd, SexeHomme, c.pereNaissance, c.pereDeces));
    bd.SetMother(p, personne(bd, SexeFemme, c.mereNaissance, c.mereDeces));
    for (const Mariage &m : c.mariages) {
        const int conjoint = personne(bd, c.sexe == SexeHomme ? SexeFemme : SexeHomme,
                                      m.naissanceConjoint);
        const int u = bd.NewUnionOf(p, conjoint);
        if (*m.date)
            bd.SetUnionField(u, UcMariageDate, u8(m.date));
        if (*m.divorce)
            bd.SetUnionField(u, UcDivorceDate, u8(m.divorce));
    }
    return p;
}

QString attendu(int entete, const std::vector<int> &messages)
{
    QString texte;
    if (entete)
        texte += MLText(entete) + u"\r\n"_s;
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
    }
    void SetUp() override
    {
        // Every message must be told apart from the others by its text.
        for (int n = 901; n <= 923; ++n)
            ASSERT_FALSE(MLText(n).isEmpty()) << n;
    }
};

TEST_P(Coherence, Messages)
{
    const Cas &c = GetParam();
    TBD bd;
    const int p = construit(bd, c);
    const TOptions limites; // 15 and 70 for marriage and children, 110, 20
    EXPECT_EQ(ControleCoherence(bd, p, limites), attendu(c.entete, c.messages));
}

// Born 1/1/1900 unless stated.
const Cas kCas[] = {
    // Without a birth year nothing at all is checked.
    {.nom = "SansNaissance", .naissance = "", .deces = "1800", .pereNaissance = "1950",
     .mariages = {{"1/1/1800", "1/1/1700"}}},
    {.nom = "NaissanceIllisible", .naissance = "inconnue", .pereNaissance = "1950",
     .mariages = {{"1/1/1800", "1/1/1700"}}},
    {.nom = "RienASignaler", .bapteme = "3/1/1900", .deces = "1/1/1980", .inhumation = "4/1/1980",
     .pereNaissance = "1870", .mereNaissance = "1875", .mariages = {{"1925", "1940", "1903"}}},

    // Parents.
    {.nom = "PereNeLeMemeJour", .pereNaissance = "1/1/1900", .entete = 905, .messages = {901}},
    {.nom = "PereNeLaMemeAnnee", .naissance = "1900", .pereNaissance = "1900", .entete = 905,
     .messages = {901}},
    {.nom = "MereNeeApres", .mereNaissance = "2/1/1900", .entete = 905, .messages = {902}},
    {.nom = "NaissanceApresDecesPere", .pereDeces = "31/12/1899", .entete = 905, .messages = {903}},
    {.nom = "PereMortLeJourDeLaNaissance", .pereDeces = "1/1/1900"},
    {.nom = "NaissanceApresDecesMere", .mereDeces = "1899", .entete = 905, .messages = {904}},
    // Parent messages skip 907-915 but not the unions.
    {.nom = "UnMessageParentsPuisUnions", .bapteme = "1/1/1899", .deces = "1/1/2050",
     .pereNaissance = "1/1/1900", .mariages = {{"1/1/1899"}}, .entete = 905,
     .messages = {901, 916}},
    {.nom = "DeuxMessagesParents", .bapteme = "1899", .pereNaissance = "1901",
     .mereNaissance = "1902", .mariages = {{"1/1/1890"}}, .entete = 906,
     .messages = {901, 902, 916}},
    {.nom = "TroisMessagesParents", .pereNaissance = "1950", .pereDeces = "1850",
     .mereNaissance = "1950", .entete = 906, .messages = {901, 902, 903}},
    {.nom = "QuatreMessagesParents", .pereNaissance = "1950", .pereDeces = "1850",
     .mereNaissance = "1950", .mereDeces = "1850", .entete = 906,
     .messages = {901, 902, 903, 904}},

    // The person's own dates.
    {.nom = "BaptemeAvant", .bapteme = "31/12/1899", .messages = {907}},
    {.nom = "BaptemeLeJourDeLaNaissance", .bapteme = "1/1/1900"},
    {.nom = "DecesAvant", .deces = "1/6/1899", .messages = {908}},
    {.nom = "DecesLeJourDeLaNaissance", .deces = "1/1/1900"},
    // Not also 915: the 200 years lie before the birth.
    {.nom = "DecesDeuxCentsAnsAvant", .deces = "1700", .messages = {908}},
    {.nom = "DecesIllisible", .deces = "inconnu"},
    {.nom = "InhumationAvant", .inhumation = "1899", .messages = {909}},
    {.nom = "Inhumation7JoursApres", .deces = "1/3/1950", .inhumation = "8/3/1950"},
    {.nom = "Inhumation8JoursApres", .deces = "1/3/1950", .inhumation = "9/3/1950",
     .messages = {910}},
    {.nom = "InhumationAvantDeces", .deces = "10/3/1950", .inhumation = "1/3/1950"},
    {.nom = "InhumationSansDeces", .inhumation = "1/1/2000"},
    {.nom = "PereExactement15Ans", .pereNaissance = "1/1/1885"},
    {.nom = "Pere14Ans", .pereNaissance = "2/1/1885", .messages = {911}},
    {.nom = "PereExactement70Ans", .pereNaissance = "1/1/1830"},
    {.nom = "Pere71Ans", .pereNaissance = "1/1/1829", .messages = {912}},
    {.nom = "Mere14Ans", .mereNaissance = "2/1/1885", .messages = {913}},
    {.nom = "MereExactement15Ans", .mereNaissance = "1/1/1885"},
    {.nom = "Mere71Ans", .mereNaissance = "1/1/1829", .messages = {914}},
    {.nom = "MortA110Ans", .deces = "1/1/2010"},
    {.nom = "MortA111Ans", .deces = "1/1/2011", .messages = {915}},
    {.nom = "OrdreDesMessages", .bapteme = "1899", .deces = "1/1/2020", .inhumation = "20/1/2020",
     .pereNaissance = "1890", .mereNaissance = "1820", .messages = {907, 910, 911, 914, 915}},

    // Unions.
    {.nom = "MariageAvantNaissance", .mariages = {{"1/1/1899"}}, .messages = {916}},
    {.nom = "MariageLeJourDeLaNaissance", .mariages = {{"1/1/1900"}}, .messages = {916}},
    // 916 takes the place of 917; no age is drawn from a marriage before birth.
    {.nom = "MariageEtDivorceAvantNaissance", .mariages = {{"1/1/1899", "1898"}},
     .messages = {916, 918}},
    {.nom = "DivorceAvantNaissanceSansMariage", .mariages = {{"", "1899"}}, .messages = {917}},
    {.nom = "DivorceLeJourDeLaNaissance", .mariages = {{"", "1/1/1900"}}, .messages = {917}},
    {.nom = "DivorceLeJourDuMariage", .mariages = {{"1/6/1930", "1/6/1930"}}, .messages = {918}},
    {.nom = "DivorceAvantMariage", .mariages = {{"1/6/1930", "1/6/1929"}}, .messages = {918}},
    {.nom = "MariageApresDeces", .deces = "1/1/1950", .mariages = {{"2/1/1950"}},
     .messages = {919}},
    {.nom = "MariageLeJourDuDeces", .deces = "1/1/1950", .mariages = {{"1/1/1950"}}},
    {.nom = "MarieA70Ans", .mariages = {{"1/1/1970"}}},
    {.nom = "MarieA71Ans", .mariages = {{"1/1/1971"}}, .messages = {920}},
    {.nom = "MarieA15Ans", .mariages = {{"1/1/1915"}}},
    {.nom = "MarieA14Ans", .mariages = {{"31/12/1914"}}, .messages = {921}},
    {.nom = "UnionSansDate", .mariages = {{}}},
    {.nom = "EpouseCadetteDe20Ans", .mariages = {{"1/1/1930", "", "1/1/1920"}}},
    {.nom = "EpouseCadetteDe21Ans", .mariages = {{"1/1/1930", "", "1/1/1921"}}, .messages = {922}},
    {.nom = "EpouseAineeDe21Ans", .mariages = {{"1/1/1930", "", "1/1/1879"}}, .messages = {923}},
    {.nom = "EpouseNeeLeMemeJour", .mariages = {{"1/1/1930", "", "1/1/1900"}}},
    {.nom = "EpouseSansNaissance", .mariages = {{"1/1/1930", "", ""}}},
    // For a woman the spouse is the husband.
    {.nom = "MariAineDe21Ans", .sexe = SexeFemme, .mariages = {{"1/1/1930", "", "1/1/1879"}},
     .messages = {923}},
    {.nom = "MariCadetDe21Ans", .sexe = SexeFemme, .mariages = {{"1/1/1930", "", "1/1/1921"}},
     .messages = {922}},
    // Unions come by marriage date, not in the order they were made.
    {.nom = "UnionsParDateDeMariage", .mariages = {{"1/1/1980"}, {"1/1/1910"}},
     .messages = {921, 920}},
    {.nom = "MessagesDUneUnionDansLOrdre", .deces = "1/1/1940",
     .mariages = {{"1/1/1990", "1/1/1980", "1/1/1960"}}, .messages = {918, 919, 920, 922}},
};

INSTANTIATE_TEST_SUITE_P(Cas, Coherence, ::testing::ValuesIn(kCas),
                         [](const ::testing::TestParamInfo<Cas> &info) {
                             return std::string(info.param.nom);
                         });

TEST(CoherenceHorsCas, NoPersonGivesNothing)
{
    TBD bd;
    const int p = bd.NewPerson();
    bd.SetField(p, PcNaissanceDate, u"1/1/1900"_s);
    bd.SetFather(p, 5); // a slot that holds nobody
    EXPECT_TRUE(ControleCoherence(bd, p).isEmpty());
    EXPECT_TRUE(ControleCoherence(bd, 0).isEmpty());
    EXPECT_TRUE(ControleCoherence(bd, -1).isEmpty());
    EXPECT_TRUE(ControleCoherence(bd, MaxPersonnes + 1).isEmpty());
}

TEST(CoherenceHorsCas, LimitsComeFromTheOptions)
{
    ASSERT_TRUE(ChargeLangue(QStringLiteral(LIGNEE_MODELE "/langue.txt"), nullptr));
    TBD bd;
    const int p = construit(bd, {.pereNaissance = "1/1/1882", .mariages = {{"1/1/1917", "", "1/1/1890"}}});
    // Father 18, married at 17, wife 10 years older: fine with the defaults.
    const TOptions defaut;
    EXPECT_TRUE(ControleCoherence(bd, p, defaut).isEmpty());

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
