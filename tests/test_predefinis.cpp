// The predefined reports, chosen in the report options window as a user
// does, each checked against its whole table on a small database.

#include <gtest/gtest.h>

#include <functional>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStyle>
#include <QTest>
#include <QTimer>

#include "BD.h"
#include "Dates.h"
#include "DialoguesScriptes.h"
#include "Langue.h"
#include "Predefinis.h"
#include "TBKStringGrid.h"
#include "TfmRapport.h"
#include "TfmRapportCritere.h"
#include "ToursBoucle.h"

using namespace Qt::StringLiterals;

namespace {

QString S(const char *texte) { return QString::fromUtf8(texte); }

const char *const P = "FRA,IDF,F95,Pontoise";
const char *const P5 = "FRA,IDF,F95000,Pontoise"; // a postal code after the département
const char *const PA = "FRA,IDF,F75,Paris";
const char *const Q = "FRA,BRE,F29,Quimper";

// Two families of Pontoise and Paris over four generations, with a marriage
// of first cousins (7 x 8, grandchildren of 1 and 2), three namesakes "DUVAL
// Jean" (11 is written "Duval" and its principal given name is the one in
// quotes), two "BÉBÉ Lou", three persons without any relative (11, 12, 13;
// 13's only union lacks its other partner), professions, and persons born on
// 15 June, which is today:
//
//    1 DUVAL Louis     x  2 LEBLANC Victoire   union 1, 10/2/1845
//    3 DUVAL Henri     x  5 MOREAU Clémence    union 2, 1874   (3 and 4 children of 1 and 2)
//    6 GIRARD Paul     x  4 DUVAL Joséphine    union 3, 3/5/1872
//    7 DUVAL Jules     x  8 GIRARD Marie       union 4, 12/9/1900 (children of 3 and 5, of 6 and 4)
//   13 VEUF Alain      x  nobody               union 5, 1920
//   10 DUVAL Jean      x 19 MARTIN Claire      union 6, no event
//    9 DUVAL Jean, child of 7 and 8; 16, 17 children of 9; 18 child of 10;
//   15 child of 14.
struct Base {
    TBD bd;

    int personne(const char *nom, const char *prenoms, int sexe)
    {
        const int p = bd.NewPerson();
        bd.SetSurname(p, S(nom));
        bd.SetGivenNames(p, S(prenoms));
        bd.SetSex(p, sexe);
        return p;
    }
    void eve(int p, const char *type, const char *date, const char *lieu, const char *note = "")
    {
        const int i = bd.PersonEventCount(p) + 1;
        bd.AddPersonEvent(p);
        bd.SetPersonEventField(p, i, S(type), EveType);
        bd.SetPersonEventField(p, i, S(date), EveDate);
        bd.SetPersonEventField(p, i, S(lieu), EveLieu);
        bd.SetPersonEventField(p, i, S(note), EveNote);
    }
    void mariage(int u, const char *date, const char *lieu, const char *note = "")
    {
        bd.AddUnionEvent(u);
        bd.SetUnionEventField(u, 1, u"Mariage"_s, EveType);
        bd.SetUnionEventField(u, 1, S(date), EveDate);
        bd.SetUnionEventField(u, 1, S(lieu), EveLieu);
        bd.SetUnionEventField(u, 1, S(note), EveNote);
    }
    void parents(int enfant, int pere, int mere)
    {
        bd.SetFather(enfant, pere);
        bd.SetMother(enfant, mere);
    }

    Base()
    {
        const int H = SexeHomme, F = SexeFemme;
        personne("DUVAL", "Louis", H); // 1
        eve(1, "Naissance", "8/9/1818", P);
        eve(1, "Décès", "22/11/1879", P);
        bd.SetAttribute(1, u"Profession"_s, u"Cultivateur"_s);
        personne("LEBLANC", "Victoire", F); // 2
        eve(2, "Naissance", "vers 1820", P5);
        eve(2, "Inhumation", "1880", P);
        personne("DUVAL", "Henri", H); // 3
        eve(3, "Naissance", "5/6/1848", P);
        eve(3, "Baptême", "6/6/1848", P);
        bd.SetAttribute(3, u"Profession"_s, u"Cultivateur"_s);
        personne("DUVAL", "Joséphine", F); // 4
        eve(4, "Naissance", "17/10/1852", PA, "acte\r\nn° 12");
        bd.SetField(4, PcNote, S("Née à\r\nParis"));
        personne("MOREAU", "Clémence", F); // 5
        eve(5, "Naissance", "vers 1855", P);
        personne("GIRARD", "Paul", H); // 6
        eve(6, "Naissance", "1850", PA);
        eve(6, "Résidence", "", PA);
        bd.SetAttribute(6, u"Profession"_s, u"Menuisier"_s);
        personne("DUVAL", "Jules", H); // 7
        eve(7, "Naissance", "2/3/1875", P);
        bd.SetAttribute(7, u"Profession"_s, u"menuisier"_s);
        personne("GIRARD", "Marie", F); // 8
        eve(8, "Naissance", "21/3/1877", PA);
        personne("DUVAL", "Jean", H); // 9
        eve(9, "Naissance", "15/6/1950", P);
        personne("DUVAL", "Jean", H); // 10
        eve(10, "Naissance", "1952", "");
        personne("Duval", "Pierre \"Jean\"", H); // 11
        personne("SEUL", "Orphée", F); // 12
        eve(12, "Naissance", "1/1/1900", Q);
        bd.SetAttribute(12, u"Profession"_s, S("Couturière"));
        personne("VEUF", "Alain", H); // 13
        personne("PARENT", "Simon", H); // 14
        eve(14, "Résidence", "", Q);
        personne("ENFANT", "Lise", F); // 15
        eve(15, "Naissance", "20/3/1990", "");
        personne("BÉBÉ", "Lou", F); // 16
        eve(16, "Naissance", "15/6/2023", "");
        personne("BÉBÉ", "Lou", H); // 17
        eve(17, "Naissance", "15/6/2030", "");
        personne("ANCIEN", "Paule", F); // 18
        eve(18, "Naissance", "15/6/1900", "");
        personne("MARTIN", "Claire", F); // 19
        eve(19, "Naissance", "1955", PA);

        mariage(bd.NewUnionOf(1, 2), "10/2/1845", P, "Contrat chez\nMe Piel");
        mariage(bd.NewUnionOf(3, 5), "1874", P5);
        mariage(bd.NewUnionOf(6, 4), "3/5/1872", PA);
        mariage(bd.NewUnionOf(7, 8), "12/9/1900", P);
        const int seul = bd.NewUnion();
        bd.SetHusband(seul, 13);
        mariage(seul, "1920", Q);
        bd.NewUnionOf(10, 19);
        parents(3, 1, 2);
        parents(4, 1, 2);
        parents(7, 3, 5);
        parents(8, 6, 4);
        parents(9, 7, 8);
        parents(15, 14, 0);
        parents(16, 9, 0);
        parents(17, 9, 0);
        parents(18, 10, 0);
    }
};

class Hote final : public THoteRapport
{
public:
    TfmRapport *Fenetre = nullptr;
    int SelecPers() const override { return 0; }
    void SelecFiche(int) override {}
    void MontreRapport() override { Fenetre->show(); }
    void RapportCache() override {}
    bool FormKeyDown(int, Qt::KeyboardModifiers) override { return false; }
};

using Lignes = QList<QStringList>;

class Predefinis : public ::testing::Test
{
public:
    static void SetUpTestSuite() { ASSERT_TRUE(ChargeLangue(QStringLiteral(LIGNEE_MODELE "/langue.txt"))); }

    void SetUp() override
    {
        SetHorloge([] { return QDate(2024, 6, 15); });
        hote.Fenetre = &rapport;
        critere.MontrePanneau(TfmRapportCritere::PanneauDef);
    }
    void TearDown() override { SetHorloge({}); }

    template <typename T>
    T *controle(const QString &nom) const
    {
        T *c = critere.findChild<T *>(nom);
        EXPECT_NE(c, nullptr) << nom.toStdString();
        return c;
    }
    void choisit(int rapport)
    {
        QTest::mouseClick(lbDef->viewport(), Qt::LeftButton, {}, lbDef->visualItemRect(lbDef->item(rapport)).center());
    }
    void choisitDansListe(const char *nom, int index)
    {
        auto *liste = controle<QComboBox>(S(nom));
        liste->setFocus();
        while (liste->currentIndex() < index)
            QTest::keyClick(liste, Qt::Key_Down);
        while (liste->currentIndex() > index)
            QTest::keyClick(liste, Qt::Key_Up);
    }

    // The grid as shown: titles, then data rows.
    Lignes titresEtLignes() const
    {
        Lignes t;
        for (int r = 0; r < grille->RowCount(); ++r) {
            QStringList ligne;
            for (int c = 0; c < grille->ColCount(); ++c)
                ligne << grille->Cell(c, r);
            t << ligne;
        }
        return t;
    }
    std::vector<int> valeurs() const
    {
        std::vector<int> v;
        for (int r = 1; r < grille->RowCount(); ++r)
            v.push_back(grille->GetRowData(r));
        return v;
    }

    TDialoguesScriptes dialogues;
    Base base;
    Hote hote;
    TfmRapport rapport{base.bd, hote};
    TfmRapportCritere critere{base.bd, rapport, [] { return 1; }, {}};
    TBKStringGrid *grille = rapport.Grille();
    QListWidget *lbDef = controle<QListWidget>(u"lbDef"_s);
};

struct CasRapport {
    const char *Nom;
    int Rapport;
    // What the user does after choosing the report (the report runs again).
    std::function<void(Predefinis &)> Options;
    const char *Titre;
    Lignes Table; // titles, then rows
    std::vector<int> Valeurs; // empty: every row value is 0
};

// The cases are filled by the test, which has the controls at hand.
TEST_F(Predefinis, EachReportGivesItsTable)
{
    const auto prefixe = [](const char *texte) {
        return [texte](Predefinis &t) {
            QTest::mouseClick(t.controle<QRadioButton>(u"rbEclair2"_s), Qt::LeftButton);
            auto *e = t.controle<QLineEdit>(u"eEclair"_s);
            e->clear();
            QTest::keyClicks(e, S(texte));
        };
    };
    const auto format = [](int index) { return [index](Predefinis &t) { t.choisitDansListe("cbLieux", index); }; };
    const QString p = S(P), p5 = S(P5), pa = S(PA), q = S(Q);
    const CasRapport cas[] = {
        {"evenements par patronyme", 0, nullptr, "Nombre d'événements par patronyme (6)",
         {{u"Patronyme"_s, u"Individu"_s, u"Naissances"_s, S("Baptêmes"), S("Décès"), u"Inhumations"_s},
          {u"DUVAL"_s, u"5"_s, u"5"_s, u"1"_s, u"1"_s, {}},
          {u"LEBLANC"_s, u"1"_s, u"1"_s, {}, {}, u"1"_s},
          {u"MOREAU"_s, u"1"_s, u"1"_s, {}, {}, {}},
          {u"GIRARD"_s, u"2"_s, u"2"_s, {}, {}, {}},
          {u"SEUL"_s, u"1"_s, u"1"_s, {}, {}, {}},
          {u"MARTIN"_s, u"1"_s, u"1"_s, {}, {}, {}}},
         {}},
        // The prefix ignores letter case; a postal code after the
        // département still begins with it.
        {"evenements par patronyme, prefixe", 0, prefixe("fra,idf,f95"),
         "Nombre d'événements par patronyme pour les lieux commençant par fra,idf,f95 (3)",
         {{u"Patronyme"_s, u"Individu"_s, u"Naissances"_s, S("Baptêmes"), S("Décès"), u"Inhumations"_s},
          {u"DUVAL"_s, u"4"_s, u"4"_s, u"1"_s, u"1"_s, {}},
          {u"LEBLANC"_s, u"1"_s, u"1"_s, {}, {}, u"1"_s},
          {u"MOREAU"_s, u"1"_s, u"1"_s, {}, {}, {}}},
         {}},
        {"orphelins", 1, nullptr, "Individus sans lien de parenté (3)",
         {{u"Nom"_s, S("Prénoms")}, {u"Duval"_s, S("Pierre \"Jean\"")}, {u"SEUL"_s, S("Orphée")}, {u"VEUF"_s, u"Alain"_s}},
         {11, 12, 13}},
        {"unions", 2, format(2), "Liste des unions (5)",
         {{u"Époux"_s, u"Âge"_s, u"Épouse"_s, u"Âge"_s, u"Date du mariage"_s, u"Lieu du mariage"_s},
          {u"DUVAL Louis"_s, u"26"_s, u"LEBLANC Victoire"_s, u"25"_s, u"10/2/1845"_s, u" Pontoise"_s},
          {u"DUVAL Henri"_s, u"26"_s, S("MOREAU Clémence"), u"19"_s, u"1874"_s, u"95000 Pontoise"_s},
          {u"GIRARD Paul"_s, u"22"_s, S("DUVAL Joséphine"), u"19"_s, u"3/5/1872"_s, u" Paris"_s},
          {u"DUVAL Jules"_s, u"25"_s, u"GIRARD Marie"_s, u"23"_s, u"12/9/1900"_s, u" Pontoise"_s},
          {u"DUVAL Jean"_s, {}, u"MARTIN Claire"_s, {}, {}, {}}},
         {1, 3, 6, 7, 10}},
        {"mariages consanguins", 3, nullptr, "Mariages consanguins sur 10 générations (1)",
         {{u"Époux"_s, u"Épouse"_s, u"Date du mariage"_s, S("Ancêtre commun"), S("Génération époux"),
           S("Génération épouse")},
          {u"DUVAL Jules"_s, u"GIRARD Marie"_s, u"12/9/1900"_s, u"DUVAL Louis"_s, u"2"_s, u"2"_s}},
         {7}},
        {"mariages consanguins sur une generation", 3,
         [](Predefinis &t) { QTest::keyClick(t.controle<QSpinBox>(u"seCons"_s), Qt::Key_PageDown); },
         "Mariages consanguins sur 1 générations (0)",
         {{u"Époux"_s, u"Épouse"_s, u"Date du mariage"_s, S("Ancêtre commun"), S("Génération époux"),
           S("Génération épouse")}},
         {}},
        // Sorted on the date; the events without a date last.
        {"evenements des individus", 4, format(1), "Événements des individus (21)",
         {{u"Date"_s, u"Lieu"_s, S("Événement"), u"Individu"_s, u"Note"_s},
          {u"8/9/1818"_s, u"Pontoise"_s, u"Naissance"_s, u"DUVAL Louis"_s, {}},
          {u"vers 1820"_s, u"Pontoise"_s, u"Naissance"_s, u"LEBLANC Victoire"_s, {}},
          {u"5/6/1848"_s, u"Pontoise"_s, u"Naissance"_s, u"DUVAL Henri"_s, {}},
          {u"6/6/1848"_s, u"Pontoise"_s, S("Baptême"), u"DUVAL Henri"_s, {}},
          {u"1850"_s, u"Paris"_s, u"Naissance"_s, u"GIRARD Paul"_s, {}},
          {u"17/10/1852"_s, u"Paris"_s, u"Naissance"_s, S("DUVAL Joséphine"), S("acte n° 12")},
          {u"vers 1855"_s, u"Pontoise"_s, u"Naissance"_s, S("MOREAU Clémence"), {}},
          {u"2/3/1875"_s, u"Pontoise"_s, u"Naissance"_s, u"DUVAL Jules"_s, {}},
          {u"21/3/1877"_s, u"Paris"_s, u"Naissance"_s, u"GIRARD Marie"_s, {}},
          {u"22/11/1879"_s, u"Pontoise"_s, S("Décès"), u"DUVAL Louis"_s, {}},
          {u"1880"_s, u"Pontoise"_s, u"Inhumation"_s, u"LEBLANC Victoire"_s, {}},
          {u"1/1/1900"_s, u"Quimper"_s, u"Naissance"_s, S("SEUL Orphée"), {}},
          {u"15/6/1900"_s, {}, u"Naissance"_s, u"ANCIEN Paule"_s, {}},
          {u"15/6/1950"_s, u"Pontoise"_s, u"Naissance"_s, u"DUVAL Jean"_s, {}},
          {u"1952"_s, {}, u"Naissance"_s, u"DUVAL Jean"_s, {}},
          {u"1955"_s, u"Paris"_s, u"Naissance"_s, u"MARTIN Claire"_s, {}},
          {u"20/3/1990"_s, {}, u"Naissance"_s, u"ENFANT Lise"_s, {}},
          {u"15/6/2023"_s, {}, u"Naissance"_s, S("BÉBÉ Lou"), {}},
          {u"15/6/2030"_s, {}, u"Naissance"_s, S("BÉBÉ Lou"), {}},
          {{}, u"Paris"_s, S("Résidence"), u"GIRARD Paul"_s, {}},
          {{}, u"Quimper"_s, S("Résidence"), u"PARENT Simon"_s, {}}},
         {1, 2, 3, 3, 6, 4, 5, 7, 8, 1, 2, 12, 18, 9, 10, 19, 15, 16, 17, 6, 14}},
        {"evenements des unions", 5, format(3), "Événements des unions (4)",
         {{u"Date"_s, u"Lieu"_s, S("Événement"), u"Époux"_s, u"Épouse"_s, u"Note"_s},
          {u"10/2/1845"_s, u"Pontoise (95)"_s, u"Mariage"_s, u"DUVAL Louis"_s, u"LEBLANC Victoire"_s,
           u"Contrat chez Me Piel"_s},
          {u"3/5/1872"_s, u"Paris (75)"_s, u"Mariage"_s, u"GIRARD Paul"_s, S("DUVAL Joséphine"), {}},
          {u"1874"_s, u"Pontoise (95)"_s, u"Mariage"_s, u"DUVAL Henri"_s, S("MOREAU Clémence"), {}},
          {u"12/9/1900"_s, u"Pontoise (95)"_s, u"Mariage"_s, u"DUVAL Jules"_s, u"GIRARD Marie"_s, {}}},
         {1, 6, 3, 7}},
        {"doublons", 6, nullptr, "Doublons (5)",
         {{u"Nom"_s, u"Naissance"_s, S("Père"), S("Mère")},
          {S("BÉBÉ Lou"), u"15/6/2023"_s, u"DUVAL Jean"_s, {}},
          {S("BÉBÉ Lou"), u"15/6/2030"_s, u"DUVAL Jean"_s, {}},
          {u"DUVAL Jean"_s, u"15/6/1950"_s, u"DUVAL Jules"_s, u"GIRARD Marie"_s},
          {u"DUVAL Jean"_s, u"1952"_s, {}, {}},
          {u"Duval Jean"_s, {}, {}, {}}},
         {16, 17, 9, 10, 11}},
        {"lieux", 7, nullptr, "Liste des lieux (4)",
         {{u"Lieu"_s, S("Événements")}, {p, u"10"_s}, {p5, u"2"_s}, {pa, u"6"_s}, {q, u"3"_s}},
         {}},
        // Every event of a commune counts together whatever the rest.
        {"lieux par commune", 7, format(1), "Liste des lieux (3)",
         {{u"Lieu"_s, S("Événements")}, {u"Pontoise"_s, u"12"_s}, {u"Paris"_s, u"6"_s}, {u"Quimper"_s, u"3"_s}},
         {}},
        {"professions", 8, nullptr, "Liste des professions (4)",
         {{u"Profession"_s, u"Individus"_s},
          {u"Cultivateur"_s, u"2"_s},
          {u"Menuisier"_s, u"1"_s},
          {u"menuisier"_s, u"1"_s},
          {S("Couturière"), u"1"_s}},
         {}},
        {"liste eclair", 9, nullptr, "Liste éclair (11)",
         {{u"Patronyme"_s, u"Lieu"_s, S("Début"), u"Fin"_s},
          {u"DUVAL"_s, p, u"1818"_s, u"1950"_s},
          {u"LEBLANC"_s, p5, u"1820"_s, u"1820"_s},
          {u"LEBLANC"_s, p, u"1845"_s, u"1880"_s},
          {u"DUVAL"_s, pa, u"1852"_s, u"1872"_s},
          {u"MOREAU"_s, p, u"1855"_s, u"1855"_s},
          {u"GIRARD"_s, pa, u"1850"_s, u"1877"_s},
          {u"SEUL"_s, q, u"1900"_s, u"1900"_s},
          {u"MARTIN"_s, pa, u"1955"_s, u"1955"_s},
          {u"DUVAL"_s, p5, u"1874"_s, u"1874"_s},
          {u"MOREAU"_s, p5, u"1874"_s, u"1874"_s},
          {u"GIRARD"_s, p, u"1900"_s, u"1900"_s}},
         {}},
        {"liste eclair, prefixe", 9, prefixe("FRA,IDF,F75"),
         "Liste éclair des lieux commençant par FRA,IDF,F75 (3)",
         {{u"Patronyme"_s, u"Lieu"_s, S("Début"), u"Fin"_s},
          {u"DUVAL"_s, pa, u"1852"_s, u"1872"_s},
          {u"GIRARD"_s, pa, u"1850"_s, u"1877"_s},
          {u"MARTIN"_s, pa, u"1955"_s, u"1955"_s}},
         {}},
        {"zodiaque", 10, [](Predefinis &t) { t.choisitDansListe("cbZodiaque", 2); }, "Signe du zodiaque Gémeaux (5)",
         {{u"Nom"_s, u"Naissance"_s, u"Lieu de naissance"_s, u"Note"_s},
          {u"DUVAL Henri"_s, u"5/6/1848"_s, p, {}},
          {u"DUVAL Jean"_s, u"15/6/1950"_s, p, {}},
          {S("BÉBÉ Lou"), u"15/6/2023"_s, {}, {}},
          {S("BÉBÉ Lou"), u"15/6/2030"_s, {}, {}},
          {u"ANCIEN Paule"_s, u"15/6/1900"_s, {}, {}}},
         {3, 9, 16, 17, 18}},
        {"zodiaque balance", 10, [](Predefinis &t) { t.choisitDansListe("cbZodiaque", 6); }, "Signe du zodiaque Balance (1)",
         {{u"Nom"_s, u"Naissance"_s, u"Lieu de naissance"_s, u"Note"_s},
          {S("DUVAL Joséphine"), u"17/10/1852"_s, pa, S("Née à Paris")}},
         {4}},
        // An undated event where a dated one is makes no undated occurrence;
        // persons of one surname at one place share their row.
        {"patronymes et lieux", 11, nullptr, "Patronymes et lieux (16)",
         {{u"Patronyme"_s, u"Lieu"_s, S("Début"), u"Fin"_s, u"Date"_s, u"Sans date"_s},
          {u"ANCIEN"_s, {}, u"1900"_s, u"1900"_s, u"1"_s, {}},
          {S("BÉBÉ"), {}, u"2023"_s, u"2030"_s, u"2"_s, {}},
          {u"DUVAL"_s, {}, u"1952"_s, u"1952"_s, u"1"_s, {}},
          {u"DUVAL"_s, pa, u"1852"_s, u"1872"_s, u"1"_s, {}},
          {u"DUVAL"_s, p, u"1818"_s, u"1950"_s, u"4"_s, {}},
          {u"DUVAL"_s, p5, u"1874"_s, u"1874"_s, u"1"_s, {}},
          {u"ENFANT"_s, {}, u"1990"_s, u"1990"_s, u"1"_s, {}},
          {u"GIRARD"_s, pa, u"1850"_s, u"1877"_s, u"2"_s, {}},
          {u"GIRARD"_s, p, u"1900"_s, u"1900"_s, u"1"_s, {}},
          {u"LEBLANC"_s, p, u"1845"_s, u"1880"_s, u"1"_s, {}},
          {u"LEBLANC"_s, p5, u"1820"_s, u"1820"_s, u"1"_s, {}},
          {u"MARTIN"_s, pa, u"1955"_s, u"1955"_s, u"1"_s, {}},
          {u"MOREAU"_s, p, u"1855"_s, u"1855"_s, u"1"_s, {}},
          {u"MOREAU"_s, p5, u"1874"_s, u"1874"_s, u"1"_s, {}},
          {u"PARENT"_s, q, {}, {}, {}, u"1"_s},
          {u"SEUL"_s, q, u"1900"_s, u"1900"_s, u"1"_s, {}}},
         {}},
        {"lieux et patronymes", 12, nullptr, "Lieux et patronymes (16)",
         {{u"Lieu"_s, u"Patronyme"_s, S("Début"), u"Fin"_s, u"Date"_s, u"Sans date"_s},
          {{}, u"ANCIEN"_s, u"1900"_s, u"1900"_s, u"1"_s, {}},
          {{}, S("BÉBÉ"), u"2023"_s, u"2030"_s, u"2"_s, {}},
          {{}, u"DUVAL"_s, u"1952"_s, u"1952"_s, u"1"_s, {}},
          {{}, u"ENFANT"_s, u"1990"_s, u"1990"_s, u"1"_s, {}},
          {q, u"PARENT"_s, {}, {}, {}, u"1"_s},
          {q, u"SEUL"_s, u"1900"_s, u"1900"_s, u"1"_s, {}},
          {pa, u"DUVAL"_s, u"1852"_s, u"1872"_s, u"1"_s, {}},
          {pa, u"GIRARD"_s, u"1850"_s, u"1877"_s, u"2"_s, {}},
          {pa, u"MARTIN"_s, u"1955"_s, u"1955"_s, u"1"_s, {}},
          {p, u"DUVAL"_s, u"1818"_s, u"1950"_s, u"4"_s, {}},
          {p, u"GIRARD"_s, u"1900"_s, u"1900"_s, u"1"_s, {}},
          {p, u"LEBLANC"_s, u"1845"_s, u"1880"_s, u"1"_s, {}},
          {p, u"MOREAU"_s, u"1855"_s, u"1855"_s, u"1"_s, {}},
          {p5, u"DUVAL"_s, u"1874"_s, u"1874"_s, u"1"_s, {}},
          {p5, u"LEBLANC"_s, u"1820"_s, u"1820"_s, u"1"_s, {}},
          {p5, u"MOREAU"_s, u"1874"_s, u"1874"_s, u"1"_s, {}}},
         {}},
        // Born after this year: no age, rather than "âgé de -1 an".
        {"anniversaires", 13, nullptr, "Fêtes et anniversaires le 15/6/2024 (4)",
         {{u"Fêtes et anniversaires"_s},
          {u"Anniversaire de DUVAL Jean âgé de 74 ans."_s},
          {u"Anniversaire de BÉBÉ Lou âgée de 1 an."_s},
          {u"Anniversaire de BÉBÉ Lou."_s},
          {u"Anniversaire de ANCIEN Paule âgée de 124 ans."_s}},
         {}},
    };
    for (const CasRapport &c : cas) {
        SCOPED_TRACE(c.Nom);
        // Each case starts from the options as they are at first.
        controle<QRadioButton>(u"rbEclair1"_s)->setChecked(true);
        controle<QLineEdit>(u"eEclair"_s)->setText(u"FRA,IDF,F75"_s);
        controle<QComboBox>(u"cbLieux"_s)->setCurrentIndex(0);
        controle<QSpinBox>(u"seCons"_s)->setValue(10);
        choisit(c.Rapport);
        if (c.Options)
            c.Options(*this);
        EXPECT_FALSE(rapport.Occupe());
        EXPECT_EQ(rapport.windowTitle(), S(c.Titre));
        EXPECT_EQ(titresEtLignes(), c.Table);
        EXPECT_EQ(valeurs(), c.Valeurs.empty() ? std::vector<int>(static_cast<size_t>(c.Table.size() - 1), 0)
                                               : c.Valeurs);
        EXPECT_EQ(grille->isVisible(), c.Table.size() > 1);
        // Every title shows whole in its column, with its margins and the
        // room of the sort mark.
        const QHeaderView *titres = grille->horizontalHeader();
        const QFontMetrics mesures = titres->fontMetrics();
        const int marge = titres->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, titres);
        for (int col = 0; col < grille->ColCount(); ++col) {
            const QString titre = grille->Cell(col, 0);
            EXPECT_GE(grille->ColWidth(col), mesures.horizontalAdvance(titre) + 4 * marge + mesures.height())
                << titre.toStdString();
        }
    }
}

// A surname alone and a given name alone are different names: "Unknown "
// and " Unknown" are no namesakes, while "UNKNOWN " is the first one's.
TEST_F(Predefinis, DuplicatesKeepTheBlankOfAnEmptyPart)
{
    const int nom = base.personne("Unknown", "", SexeHomme);
    const int prenom = base.personne("", "Unknown", SexeHomme);
    choisit(6);
    EXPECT_EQ(valeurs(), (std::vector<int>{16, 17, 9, 10, 11}));
    const int autre = base.personne("UNKNOWN", "", SexeFemme);
    choisit(8);
    choisit(6);
    EXPECT_EQ(valeurs(), (std::vector<int>{16, 17, 9, 10, 11, nom, autre}));
    EXPECT_EQ(grille->Cell(0, 6), u"Unknown "_s);
    EXPECT_EQ(grille->Cell(0, 7), u"UNKNOWN "_s);
    const std::vector<int> listees = valeurs();
    EXPECT_EQ(std::count(listees.begin(), listees.end(), prenom), 0);
}

// The persons column of the events per surname counts a person for any of
// the four events, not for a birth only.
TEST_F(Predefinis, EventsPerSurnameCountPersonsOfEveryKind)
{
    base.eve(base.personne("ROUX", "Marc", SexeHomme), "Baptême", "1901", P);
    const int anne = base.personne("ROUX", "Anne", SexeFemme);
    base.eve(anne, "Décès", "1950", PA);
    base.eve(anne, "Inhumation", "1950", P);
    base.eve(base.personne("ROUX", "Luc", SexeHomme), "Naissance", "1903", Q);
    choisit(0);
    const Lignes t = titresEtLignes();
    ASSERT_FALSE(t.isEmpty());
    EXPECT_EQ(t.last(), (QStringList{u"ROUX"_s, u"3"_s, u"1"_s, u"1"_s, u"1"_s, u"1"_s}));
}

TEST_F(Predefinis, EachReportShowsItsOwnOptions)
{
    ASSERT_EQ(lbDef->count(), NbRapportsPredefinis);
    EXPECT_EQ(lbDef->item(13)->text(), S("Fêtes et anniversaires"));
    EXPECT_EQ(controle<QSpinBox>(u"seCons"_s)->maximum(), 999);
    const struct { const char *nom; std::vector<int> rapports; } options[] = {
        {"rbEclair1", {0, 9}}, {"rbEclair2", {0, 9}}, {"eEclair", {0, 9}}, {"cbLieux", {2, 4, 5, 7}},
        {"lLieux", {2, 4, 5, 7}}, {"seCons", {3}}, {"lCons", {3}}, {"cbZodiaque", {10}}, {"lZodiaque", {10}},
    };
    for (int r = 0; r < NbRapportsPredefinis; ++r) {
        choisit(r);
        for (const auto &o : options) {
            const bool attendu = std::find(o.rapports.begin(), o.rapports.end(), r) != o.rapports.end();
            EXPECT_EQ(controle<QWidget>(S(o.nom))->isVisible(), attendu) << o.nom << " " << r;
        }
    }
}

// The orphans become the report list; a title click after an events report
// sorts the other way from the report's own sort; a person report chosen in
// the first panel clears the choice here.
TEST_F(Predefinis, WhatAReportLeavesBehind)
{
    choisit(1);
    EXPECT_EQ(std::vector<int>(rapport.Liste().begin(), rapport.Liste().end()), (std::vector<int>{11, 12, 13}));
    choisit(5);
    EXPECT_EQ(rapport.Liste().Count(), 0);
    const QHeaderView *titres = grille->horizontalHeader();
    QTest::mouseClick(titres->viewport(), Qt::LeftButton, {},
                      {titres->sectionViewportPosition(0) + 10, titres->height() / 2});
    EXPECT_EQ(valeurs(), (std::vector<int>{7, 3, 6, 1}));

    critere.MontrePanneau(TfmRapportCritere::PanneauAff);
    critere.SetSorte(0);
    EXPECT_EQ(lbDef->currentRow(), -1);
}

// Unchecked, nothing runs until "Ok", which then closes the window; a
// request while the report window fills does nothing.
TEST_F(Predefinis, WithoutLiveApplicationOkRuns)
{
    QTest::mouseClick(controle<QCheckBox>(u"cbAppDef"_s), Qt::LeftButton);
    choisit(8);
    EXPECT_FALSE(rapport.isVisible());
    QTest::mouseClick(controle<QPushButton>(u"bDef"_s), Qt::LeftButton);
    EXPECT_EQ(rapport.windowTitle(), u"Liste des professions (4)"_s);
    EXPECT_FALSE(critere.isVisible());

    ASSERT_TRUE(rapport.InitRapport());
    critere.MontrePanneau(TfmRapportCritere::PanneauDef);
    QTest::mouseClick(controle<QPushButton>(u"bDef"_s), Qt::LeftButton);
    EXPECT_TRUE(rapport.Occupe());
    EXPECT_TRUE(critere.isVisible());
    rapport.FinRapport();
}

// The window's messages are handled while a report runs: a database
// replaced then leaves no row of the report, and the window starts again.
TEST_F(Predefinis, ADatabaseReplacedDuringAReportLeavesNothingOfIt)
{
    for (int i = 0; i < 60; ++i) {
        const int p = base.personne("NOUVEAU", "Né", SexeHomme);
        base.eve(p, "Naissance", "1900", P);
    }
    rapport.show();
    int vide = 0;
    QTimer::singleShot(0, &rapport, [&] {
        ++vide;
        EXPECT_TRUE(rapport.Occupe());
        rapport.Vide();
    });
    choisit(0);
    EXPECT_EQ(vide, 1);
    EXPECT_FALSE(rapport.Occupe());
    // The window starts again from every person.
    EXPECT_EQ(rapport.Titre(), u"Toutes les personnes"_s);
    EXPECT_EQ(grille->RowCount(), 79 + 1);
    EXPECT_FALSE(rapport.windowTitle().startsWith(u"Nombre"_s));
}

// A long report repaints its window a few times a second, not every few
// persons.
TEST_F(Predefinis, ALongReportIsPacedByTime)
{
    for (int i = 0; i < 3000; ++i) {
        const int p = base.personne("NOMBREUX", "Né", SexeHomme);
        base.eve(p, "Naissance", "1900", P);
    }
    rapport.show();
    const TToursBoucle t = ToursPendant([this] { choisit(0); });
    EXPECT_TRUE(t.Cadences()) << t.Tours << " tours en " << t.Ms << " ms";
    EXPECT_FALSE(rapport.Occupe());
}

// Persons without relatives: a mother counts as a relative both ways, as a
// father does (a child of one known parent, a parent of no union).
TEST(Orphelins, AMotherAloneIsARelativeAsAFatherAloneIs)
{
    TBD bd;
    const auto personne = [&bd](const char *nom, int sexe) {
        const int p = bd.NewPerson();
        bd.SetSurname(p, S(nom));
        bd.SetSex(p, sexe);
        return p;
    };
    const int mere = personne("MERE", SexeFemme), filleDeMere = personne("FILLE", SexeFemme);
    const int pere = personne("PERE", SexeHomme), filsDePere = personne("FILS", SexeHomme);
    const int seul = personne("SEUL", SexeInconnu);
    bd.SetMother(filleDeMere, mere);
    bd.SetFather(filsDePere, pere);
    TRapportPredefini r;
    ASSERT_TRUE(CalculeRapportPredefini(1, bd, {}, nullptr, &r));
    EXPECT_EQ(std::vector<int>(r.Liste.begin(), r.Liste.end()), std::vector<int>{seul});
}

TEST(FormatLieuRapport, TheFourFormats)
{
    const struct { const char *lieu; const char *formats[4]; } cas[] = {
        {"FRA,IDF,F95,Pontoise", {"FRA,IDF,F95,Pontoise", "Pontoise", " Pontoise", "Pontoise (95)"}},
        {"FRA,IDF,F95000,Pontoise", {"FRA,IDF,F95000,Pontoise", "Pontoise", "95000 Pontoise", "Pontoise (95)"}},
        {"FRA , IDF , F95300 , Pontoise , Saint-Martin", {"FRA , IDF , F95300 , Pontoise , Saint-Martin", "Pontoise",
                                                          "95300 Pontoise", "Pontoise (95)"}},
        {"FRA,IDF,F95000", {"FRA,IDF,F95000", "", "95000", " (95)"}},
        {"FRA,IDF,F9", {"FRA,IDF,F9", "", "", ""}},
        {"Pontoise", {"Pontoise", "", "", ""}},
        {"", {"", "", "", ""}},
    };
    for (const auto &c : cas) {
        for (int f = 0; f < 4; ++f)
            EXPECT_EQ(FormatLieuRapport(S(c.lieu), f), S(c.formats[f])) << c.lieu << " " << f;
        EXPECT_EQ(FormatLieuRapport(S(c.lieu), -1), S(c.lieu));
    }
}

} // namespace
