#include "BD.h"
#include "Dates.h"
#include "FamilleTest.h"
#include "Modeles.h"
#include "Options.h"

#include <gtest/gtest.h>

#include <QDate>

#include <iterator>
#include <ostream>
#include <utility>

// Readable failure messages.
void PrintTo(const QString &texte, std::ostream *os) { *os << '"' << texte.toStdString() << '"'; }

namespace {

QString u8(const char *texte) { return QString::fromUtf8(texte); }

// The test family, with person 4 (Pierre MARTIN, born 3/4/1926, son of 1 and
// 2, married to 8 in 1950) given every kind of data a tag shows.
struct Famille : FamilleTest {
    Famille()
    {
        bd.SetGivenNames(4, u8("Pierre, Louis"));
        // A baptism typed in lower case is still the baptism.
        const int b = bd.AddPersonEvent(4);
        bd.SetEventField(b, EveType, u8("baptême"));
        bd.SetEventField(b, EveDate, u8("5/4/1926"));
        bd.SetEventField(b, EveLieu, u8("Lyon"));
        const std::pair<int, const char *> champs[] = {
            {PcNaissanceLieu, "Lyon"}, {PcDecesDate, "2/4/1990"}, {PcDecesLieu, "Paris"},
            {PcInhumationDate, "6/4/1990"}, {PcInhumationLieu, "Paris, Montparnasse"},
            {PcNote, "Menuisier à Lyon"}, {PcChamps, "t|Profession|Menuisier|"},
            {PcNumerotation, "2"}, {PcCreation, "1/2/2003"}, {PcModification, "14/5/2006"}};
        for (const auto &[champ, valeur] : champs)
            bd.SetField(4, champ, u8(valeur));
        source(4, "Acte", "actes/naissance.jpg");
        source(4, "PHOTO DE L'ARBRE", "photos/pierre.jpg|10|20|Pierre");
        source(4, "Photo de l'arbre", "photos/autre.jpg");
    }

    void source(int p, const char *genre, const char *fichier)
    {
        const int s = bd.AddPersonSource(p);
        bd.SetSourceField(s, SrcGenre, u8(genre));
        bd.SetSourceField(s, SrcFichier, u8(fichier));
    }

    QString x(int p, const char *modele) const { return ExpandTemplate(bd, p, u8(modele)); }
};

// `modele` expanded for a lone person born on `naissance`, and dead on
// `deces` when given (the death event exists even without a date).
QString Seul(const char *modele, const char *naissance, const char *deces = nullptr)
{
    TBD bd;
    const int p = bd.NewPerson();
    bd.SetBirthDate(p, u8(naissance));
    if (deces) {
        bd.SetField(p, PcDecesLieu, u8("Paris"));
        bd.SetField(p, PcDecesDate, u8(deces));
    }
    return ExpandTemplate(bd, p, u8(modele));
}

struct Cas { const char *modele; const char *attendu; };

// Restore the settings a test changes.
struct OrdreMoisJourRestaure {
    bool ancien = OrdreMoisJour();
    ~OrdreMoisJourRestaure() { SetOrdreMoisJour(ancien); }
};
struct HorlogeRestauree {
    ~HorlogeRestauree() { SetHorloge({}); }
};

TEST(Modeles, EveryTagOfAPersonWithAllData)
{
    HorlogeRestauree h;
    SetHorloge([] { return QDate(2024, 1, 1); });
    const Famille f;
    const Cas cas[] = {
        {"<nom>", "MARTIN"}, {"<prénom>", "Pierre, Louis"}, {"<prénom usuel>", "Pierre"},
        {"<sexe>", "H"}, {"<n°>", "4"}, {"<numéro>", "2"},
        {"<naissance>", "3/4/1926"}, {"<lieu naissance>", "Lyon"},
        {"<baptême>", "5/4/1926"}, {"<lieu baptême>", "Lyon"},
        {"<décès>", "2/4/1990"}, {"<lieu décès>", "Paris"},
        {"<inhumation>", "6/4/1990"}, {"<lieu inhumation>", "Paris, Montparnasse"},
        {"<note>", "Menuisier à Lyon"}, {"<profession>", "Menuisier"},
        {"<âge>", "63"}, // one day short of his 64th birthday
        {"<père>", "MARTIN Jean"}, {"<mère>", "DURAND Marie"}, {"<conjoint>", "BERNARD Sophie"},
        {"<mariage>", "1950"}, {"<création>", "1/2/2003"}, {"<modification>", "14/5/2006"},
        {"<zodiaque>", "Bélier"}, {"<photo>", "@photos/pierre.jpg"},
        {"° <naissance> <lieu naissance>, † <décès>", "° 3/4/1926 Lyon, † 2/4/1990"},
    };
    for (const Cas &c : cas)
        EXPECT_EQ(f.x(4, c.modele), u8(c.attendu)) << c.modele;
    // The tags offered by the field-code builder are the ones above, in order.
    QStringList balises;
    for (std::size_t i = 0; i + 1 < std::size(cas); ++i)
        balises << u8(cas[i].modele);
    EXPECT_EQ(BalisesModele(), balises);
}

TEST(Modeles, MissingDataGivesEmptyTexts)
{
    const Famille f;
    // 8 Sophie BERNARD: no events, parents, sources or fields.
    for (const char *modele : {"<naissance>", "<lieu naissance>", "<baptême>", "<décès>",
                               "<inhumation>", "<lieu inhumation>", "<note>", "<profession>",
                               "<âge>", "<père>", "<mère>", "<numéro>", "<création>",
                               "<zodiaque>", "<photo>"})
        EXPECT_EQ(f.x(8, modele), QString()) << modele;
    EXPECT_EQ(f.x(8, "<conjoint> (<mariage>)"), u8("MARTIN Pierre (1950)"));
}

TEST(Modeles, RelativesAndLastUnion)
{
    Famille f;
    // Jean's later marriage has the lower union number.
    EXPECT_EQ(f.x(1, "<conjoint> <mariage>"), u8("PETIT Louise 1940"));
    // A married person of unknown sex has no last spouse, so no marriage.
    const int u = f.bd.NewUnion();
    f.bd.SetWife(u, 7);
    f.bd.SetHusband(u, 6);
    f.bd.SetUnionField(u, UcMariageDate, u8("1960"));
    EXPECT_EQ(f.x(7, "[<conjoint>|<mariage>|<sexe>]"), u8("[||I]"));
    EXPECT_EQ(f.x(7, "<père>/<mère>"), u8("/DURAND Marie"));
    // An undated last union gives its partner and no date.
    EXPECT_EQ(f.x(11, "<conjoint>/<mariage>"), u8("MARTIN Anne/"));
    // Parents that name a free slot or no slot at all are nobody.
    f.bd.SetFather(6, 10);
    f.bd.SetMother(6, 99999);
    EXPECT_EQ(f.x(6, "<père>/<mère>"), u8("/"));
}

TEST(Modeles, PhotoNeedsASourceOfThePhotoKindWithAFile)
{
    Famille f;
    // Another kind of photo source set in the options.
    const QString ancien = Options().Photo;
    Options().Photo = u8("Acte");
    EXPECT_EQ(f.x(4, "<photo>"), u8("@actes/naissance.jpg"));
    Options().Photo = ancien;
    f.source(9, "Photo de l'arbre", "");
    f.source(9, "Photo de l'arbre", "photos/luc.jpg");
    EXPECT_EQ(f.x(9, "<photo>"), QString());
}

TEST(Modeles, TagsInAnyCaseAmongPlainTextAndUnknownTags)
{
    const Famille f;
    const Cas cas[] = {
        {"<NOM> <PRÉNOM> <Prénom Usuel> <LIEU NAISSANCE> <DÉCÈS> <Père> <N°>",
         "MARTIN Pierre, Louis Pierre Lyon 2/4/1990 MARTIN Jean 4"},
        {"", ""}, {"sans balise", "sans balise"}, {"a < b", "a < b"}, {"a > b", "a > b"},
        {"<<nom>>", "<MARTIN>"}, {"<nom", "<nom"}, {"<nom><prénom usuel>", "MARTINPierre"},
        {"x <inconnu> y", "x <inconnu> y"}, {"< nom>", "< nom>"}, {"<>", "<>"}, {"<<<", "<<<"},
        {"a < b <nom>", "a < b MARTIN"}, {"1 < 2 et 3 > 2", "1 < 2 et 3 > 2"}, {"<nom> <", "MARTIN <"},
        {"<une phrase plus longue qu'une balise <nom>", "<une phrase plus longue qu'une balise MARTIN"},
    };
    for (const Cas &c : cas)
        EXPECT_EQ(f.x(4, c.modele), u8(c.attendu)) << c.modele;
}

// A field of the first event of a type, named as the user writes it: the
// years of birth and death of a complement, the place of the baptism typed
// in lower case; without a field, or with an unknown one, it is plain text.
TEST(Modeles, EventFieldsByTypeName)
{
    const Famille f;
    const Cas cas[] = {
        {"(<eve:Naissance,Année>-<eve:Décès,Année>)", "(1926-1990)"},
        {"<EVE:Baptême,lieu> <eve:décès,Date> <eve:Naissance,Note>", "Lyon 2/4/1990 "},
        {"<eve:Inhumation,Lieu>", "Paris, Montparnasse"},
        {"<eve:Mariage,Année>", ""},
        {"<eve:Naissance>", "<eve:Naissance>"},
        {"<eve:Naissance,Heure>", "<eve:Naissance,Heure>"},
        {"<eve:,Date>", "<eve:,Date>"},
    };
    for (const Cas &c : cas)
        EXPECT_EQ(f.x(4, c.modele), u8(c.attendu)) << c.modele;
    EXPECT_EQ(f.x(8, "(<eve:Naissance,Année>-<eve:Décès,Année>)"), u8("(-)"));
    EXPECT_EQ(Seul("<eve:Naissance,Année>", "vers 1850"), u8("1850"));
}

TEST(Modeles, PersonOutOfRangeOrFreeKeepsOnlyThePlainText)
{
    const Famille f;
    for (int p : {0, -1, 10, 14, MaxPersonnes + 1})
        EXPECT_EQ(f.x(p, "[<nom> <prénom>] ° <naissance> a < b <sexe><n°><âge><photo>"),
                  u8("[ ] °  a < b ")) << p;
}

TEST(Modeles, DatesInDisplayOrder)
{
    OrdreMoisJourRestaure r;
    Famille f;
    f.bd.SetUnionField(3, UcMariageDate, u8("12/6/1950"));
    SetOrdreMoisJour(true);
    EXPECT_EQ(f.x(4, "<naissance> <baptême> <décès> <inhumation> <mariage> <création> <modification>"),
              u8("4/3/1926 4/5/1926 4/2/1990 4/6/1990 6/12/1950 2/1/2003 5/14/2006"));
    // The sign is read from the stored date, whatever the display order.
    EXPECT_EQ(f.x(4, "<zodiaque>"), u8("Bélier"));
    SetOrdreMoisJour(false);
    EXPECT_EQ(f.x(4, "<naissance> <mariage>"), u8("3/4/1926 12/6/1950"));
}

TEST(Modeles, AgeAtDeathOrToday)
{
    HorlogeRestauree h;
    SetHorloge([] { return QDate(2000, 4, 2); });
    const struct {
        const char *naissance, *deces, *attendu; // deces nullptr: no death event
    } cas[] = {
        {"3/4/1926", nullptr, "73"}, {"2/4/1926", nullptr, "74"}, {"1926", nullptr, "74"},
        {"5/1926", nullptr, "73"}, {"2010", nullptr, ""} /* born after today */,
        {"", nullptr, ""}, {"vers", nullptr, ""} /* no year */,
        {"3/4/1926", "2/4/1990", "63"}, {"3/4/1926", "3/4/1990", "64"}, {"1926", "1990", "64"},
        // A baby has no age in whole years, living or dead; one year is one.
        {"3/1/2000", nullptr, ""}, {"2/4/1999", nullptr, "1"}, {"3/4/1999", nullptr, ""},
        {"1/1/1926", "31/12/1926", ""}, {"1/1/1926", "1/1/1927", "1"},
        {"1926", "1926", ""}, {"5/1926", "1926", ""}, {"1950", "1940", ""} /* death first */,
        {"3/4/1926", "", ""} /* dead, date unknown */, {"", "1990", ""},
    };
    for (const auto &c : cas)
        EXPECT_EQ(Seul("<âge>", c.naissance, c.deces), u8(c.attendu))
                << c.naissance << " / " << (c.deces ? c.deces : "-");
    SetHorloge([] { return QDate(2000, 4, 3); });
    EXPECT_EQ(Famille().x(13, "<âge>"), u8("20"));
}

TEST(Modeles, ZodiacSignsAtTheirBoundaries)
{
    const Cas cas[] = {
        {"21/3/1900", "Bélier"}, {"19/4/1900", "Bélier"}, {"20/4/1900", "Taureau"}, {"20/5/1900", "Taureau"},
        {"21/5/1900", "Gémeaux"}, {"20/6/1900", "Gémeaux"}, {"21/6/1900", "Cancer"}, {"22/7/1900", "Cancer"},
        {"23/7/1900", "Lion"}, {"22/8/1900", "Lion"}, {"23/8/1900", "Vierge"}, {"22/9/1900", "Vierge"},
        {"23/9/1900", "Balance"}, {"22/10/1900", "Balance"}, {"23/10/1900", "Scorpion"},
        {"21/11/1900", "Scorpion"}, {"22/11/1900", "Sagittaire"}, {"21/12/1900", "Sagittaire"},
        {"22/12/1900", "Capricorne"}, {"31/12/1900", "Capricorne"}, {"1/1/1900", "Capricorne"},
        {"19/1/1900", "Capricorne"}, {"20/1/1900", "Verseau"}, {"18/2/1900", "Verseau"},
        {"19/2/1900", "Poissons"}, {"29/2/1904", "Poissons"}, {"20/3/1900", "Poissons"},
        {"3/1900", ""}, {"1900", ""}, {"", ""}, {"vers 21/3/1900", ""}, {"après 1/5/1900 avant 1/6/1900", ""},
    };
    for (const Cas &c : cas)
        EXPECT_EQ(Seul("<zodiaque>", c.modele), u8(c.attendu)) << c.modele;
}

TEST(Modeles, FirstEventOfEachKindAndLanguageNames)
{
    Famille f;
    const int e = f.bd.AddPersonEvent(4);
    f.bd.SetEventField(e, EveType, u8("Naissance"));
    f.bd.SetEventField(e, EveDate, u8("1/1/1111"));
    EXPECT_EQ(f.x(4, "<naissance>"), u8("3/4/1926"));

    const TNomsEvenements ancien = NomsEvenements();
    TNomsEvenements noms = ancien;
    noms.Naissance = u8("Birth");
    SetNomsEvenements(noms);
    f.bd.SetEventField(e, EveType, u8("BIRTH"));
    EXPECT_EQ(f.x(4, "<naissance>"), u8("1/1/1111"));
    SetNomsEvenements(ancien);
}

TEST(Modeles, CachedTemplatesAreNotTiedToOnePersonOrState)
{
    Famille f;
    const QString modele = u8("<nom> <prénom> (<naissance>)");
    EXPECT_EQ(ExpandTemplate(f.bd, 4, modele), u8("MARTIN Pierre, Louis (3/4/1926)"));
    EXPECT_EQ(ExpandTemplate(f.bd, 9, modele), u8("MARTIN Luc (1952)"));
    f.bd.SetSurname(4, u8("MARTINEZ"));
    EXPECT_EQ(ExpandTemplate(f.bd, 4, modele), u8("MARTINEZ Pierre, Louis (3/4/1926)"));

    // Far more templates than the cache keeps, each expanded twice.
    for (int tour = 0; tour < 2; ++tour)
        for (int i = 0; i < 600; ++i)
            ASSERT_EQ(ExpandTemplate(f.bd, 9, QStringLiteral("%1 <nom> <n°>").arg(i)),
                      QStringLiteral("%1 MARTIN 9").arg(i));
    EXPECT_EQ(ExpandTemplate(f.bd, 4, modele), u8("MARTINEZ Pierre, Louis (3/4/1926)"));

    const TExpandeur e = ExpandeurDe(f.bd);
    EXPECT_EQ(e(12, u8("<mère>")), u8("MARTIN Anne"));
    EXPECT_EQ(e(0, u8("<nom>!")), u8("!"));
}

} // namespace
