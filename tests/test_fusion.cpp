// Merging two person records: the merge itself on small databases, and the
// merge window driven with the mouse.

#include <deque>

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "BD.h"
#include "Dates.h"
#include "DialoguesScriptes.h"
#include "FamilleTest.h"
#include "Fusion.h"
#include "Globales.h"
#include "InvariantBase.h"
#include "Langue.h"
#include "Parente.h"
#include "TFusion.h"

using namespace Qt::StringLiterals;

namespace {

class Fusion : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(ChargeLangue(QStringLiteral(LIGNEE_MODELE "/langue.txt"), nullptr));
        BaseModifiee = 0;
    }

    TBD &bd() { return m_f.bd; }
    // A second record of Pierre (4): born 1926 in Lyon, died 1990, the same
    // mother and no father, a child, a wife married in 1960 in Paris, and a
    // note.
    int doublePierre()
    {
        const int d = m_f.personne("MARTIN", "Pierre", SexeHomme, "1926");
        bd().SetField(d, PcNaissanceLieu, u"Lyon"_s);
        bd().SetField(d, PcNaissanceNote, u"acte 3"_s);
        bd().SetField(d, PcDecesDate, u"1990"_s);
        bd().SetMother(d, 2);
        bd().SetField(d, PcNote, u"vu au recensement"_s);
        m_enfant = m_f.personne("MARTIN", "Jules", SexeHomme, "1962");
        bd().SetFather(m_enfant, d);
        m_epouse = m_f.personne("ROUX", "Jeanne", SexeFemme, "");
        const int u = m_f.union_(d, m_epouse, "1960");
        bd().SetUnionField(u, UcMariageLieu, u"Paris"_s);
        return d;
    }

    FamilleTest m_f;
    int m_enfant = 0;
    int m_epouse = 0;
};

TEST_F(Fusion, RefusalsChangeNothing)
{
    // A father and his son, neither with parents of his own, and Jean (1)
    // with his great-grandson Théo (13).
    const int pere = m_f.personne("ROBERT", "Jacques", SexeHomme, "");
    const int fils = m_f.personne("ROBERT", "Jacques", SexeHomme, "");
    bd().SetFather(fils, pere);
    const int libre = m_f.personne("Y", "Z", SexeHomme, "");
    bd().ClearPerson(libre);
    const struct {
        int premier, second;
        TResultatFusion attendu;
        const char *message;
    } cas[] = {
        {1, 2, TResultatFusion::SexesDifferents, "Cette fusion ne peut se faire, les personnes ne sont pas du même sexe"},
        {4, 6, TResultatFusion::ParentsDifferents,
         "Cette fusion ne peut se faire, les parents sont différents, supprimer les liens parents d'une des personnes"},
        {4, 4, TResultatFusion::PersonnesInvalides, "Cette fusion ne peut se faire : choisissez deux personnes différentes."},
        {0, 4, TResultatFusion::PersonnesInvalides, nullptr},
        {4, 0, TResultatFusion::PersonnesInvalides, nullptr},
        {4, libre, TResultatFusion::PersonnesInvalides, nullptr},
        {bd().PersonCount() + 1, 4, TResultatFusion::PersonnesInvalides, nullptr},
        {fils, pere, TResultatFusion::Ascendance,
         "Cette fusion ne peut se faire : l'une des personnes est un ascendant de l'autre."},
        {pere, fils, TResultatFusion::Ascendance, nullptr},
        {13, 1, TResultatFusion::Ascendance, nullptr},
        {1, 13, TResultatFusion::Ascendance, nullptr},
    };
    for (const auto &c : cas) {
        SCOPED_TRACE(testing::Message() << c.premier << " <- " << c.second);
        const quint64 revision = bd().Revision();
        const TResultatFusion r = FusionneFiches(bd(), c.premier, c.second);
        EXPECT_EQ(r, c.attendu);
        EXPECT_FALSE(FusionFaite(r));
        if (c.message) {
            EXPECT_EQ(MLText(TexteFusion(r)), QString::fromUtf8(c.message));
        }
        EXPECT_EQ(bd().Revision(), revision);
        EXPECT_EQ(BaseModifiee, 0);
    }
    EXPECT_EQ(bd().Father(fils), pere);
    EXPECT_EQ(bd().Father(pere), 0);
}

TEST_F(Fusion, TheSecondRecordIsCarriedIntoTheFirst)
{
    const int d = doublePierre();
    const QString naissance = NomsEvenements().Naissance;
    bd().SetPersonEventByType(d, naissance, u"10h30"_s, EveHeure);
    const int unions = bd().UnionCount();
    ASSERT_EQ(FusionneFiches(bd(), 4, d), TResultatFusion::Faite);
    EXPECT_EQ(MLText(TexteFusion(TResultatFusion::Faite)), u"Fusion Terminée");
    EXPECT_EQ(BaseModifiee, 1);
    EXPECT_EQ(FautesBase(bd()), QStringList());

    // Equal names stay as they were; the second is marked for deletion.
    EXPECT_EQ(bd().Surname(4), u"MARTIN");
    EXPECT_EQ(bd().GivenNames(4), u"Pierre");
    EXPECT_EQ(bd().Surname(d), u"(double à supprimer) MARTIN");
    EXPECT_EQ(bd().GetField(4, PcModification), TodayDateText());
    // Parents: the second takes the first's father; their union existed.
    EXPECT_EQ(bd().Father(4), 1);
    EXPECT_EQ(bd().Mother(4), 2);
    EXPECT_EQ(bd().Father(d), 1);
    // The child and the wife now belong to the first.
    EXPECT_EQ(bd().Father(m_enfant), 4);
    const int u = UnionOf(bd(), 4, m_epouse);
    ASSERT_NE(u, 0);
    EXPECT_EQ(bd().UnionCount(), unions + 1);
    EXPECT_EQ(bd().MarriageDate(u), u"1960");
    EXPECT_EQ(bd().GetUnionField(u, UcMariageLieu), u"Paris");
    // The birth dated on both keeps the first's date and notes the second's;
    // the empty place is filled; the death is new.
    EXPECT_EQ(bd().BirthDate(4), u"3/4/1926");
    EXPECT_EQ(bd().BirthPlace(4), u"Lyon");
    EXPECT_EQ(bd().GetField(4, PcNaissanceNote), u"1926\r\nacte 3");
    EXPECT_EQ(bd().GetPersonEventByType(4, naissance, EveHeure), u"10h30"); // an empty time is filled
    EXPECT_EQ(bd().DeathDate(4), u"1990");
    EXPECT_EQ(bd().PersonEventCount(4), 2);
    EXPECT_EQ(bd().GetField(4, PcNote), u"Issue de la fusion\r\nvu au recensement");
    // The second keeps its own events, links and union.
    EXPECT_EQ(bd().DeathDate(d), u"1990");
    EXPECT_NE(UnionOf(bd(), d, m_epouse), 0);
}

TEST_F(Fusion, DifferentNamesAreJoinedAndNotesMarked)
{
    const int d = m_f.personne("DURANT", "Marie Louise", SexeFemme, "1902");
    const QString naissance = NomsEvenements().Naissance;
    bd().SetField(2, PcNaissanceNote, u"acte"_s);
    bd().SetPersonEventByType(2, naissance, u"8h"_s, EveHeure);
    bd().SetField(2, PcNote, u"née à Paris"_s);
    bd().SetField(d, PcNaissanceNote, u"registre"_s);
    bd().SetPersonEventByType(d, naissance, u"9h"_s, EveHeure);
    bd().SetField(d, PcNote, u"autre fiche"_s);
    // Children of the second woman, one with a father.
    const int fille = m_f.personne("DURANT", "Rose", SexeFemme, "1930");
    const int fils = m_f.personne("LEROY", "Marc", SexeHomme, "1932");
    m_f.parents(fille, 0, d);
    m_f.parents(fils, 11, d);
    ASSERT_EQ(FusionneFiches(bd(), 2, d), TResultatFusion::Faite);
    EXPECT_EQ(bd().Surname(2), u"DURAND | DURANT");
    EXPECT_EQ(bd().GivenNames(2), u"Marie | Marie Louise");
    EXPECT_EQ(bd().Surname(d), u"(double à supprimer) DURANT");
    // Date, place and time that differ go to the note, in that order.
    EXPECT_EQ(bd().GetField(2, PcNaissanceNote), u"acte\r\nIssue de la fusion\r\n1902\r\n9h\r\nregistre");
    EXPECT_EQ(bd().GetPersonEventByType(2, naissance, EveHeure), u"8h");
    EXPECT_EQ(bd().GetField(2, PcNote), u"née à Paris\r\nIssue de la fusion\r\nautre fiche");
    // The second woman's children have the first as mother, their fathers
    // unchanged; the first's own children stay hers.
    EXPECT_EQ(bd().Mother(fille), 2);
    EXPECT_EQ(bd().Father(fille), 0);
    EXPECT_EQ(bd().Mother(fils), 2);
    EXPECT_EQ(bd().Father(fils), 11);
    EXPECT_EQ(bd().Mother(7), 2);
    EXPECT_EQ(FautesBase(bd()), QStringList());
}

TEST_F(Fusion, UnionFusionTakesTheExistingUnionOrMakesAFullOne)
{
    const int unions = bd().UnionCount();
    EXPECT_EQ(UnionFusion(bd(), 1, 2), UnionOf(bd(), 1, 2));
    EXPECT_EQ(UnionFusion(bd(), 1, 4), 0);  // same sex
    EXPECT_EQ(UnionFusion(bd(), 1, 0), 0);  // no partner: no empty union
    EXPECT_EQ(UnionFusion(bd(), 0, 3), 0);
    EXPECT_EQ(UnionFusion(bd(), 1, 10), 0); // a free slot
    EXPECT_EQ(bd().UnionCount(), unions);

    // b a man numbered 8: a is his wife, numbered 9; b a woman numbered 9:
    // a is her husband, numbered 8; a number list is not a number.
    const struct {
        int a, b;
        const char *numeroB, *numeroA;
    } cas[] = {{3, 6, "8", "9"}, {6, 12, "9", "8"}, {8, 13, "5,12", ""}};
    for (const auto &c : cas) {
        bd().SetField(c.b, PcNumerotation, QString::fromUtf8(c.numeroB));
        const int u = UnionFusion(bd(), c.a, c.b);
        ASSERT_NE(u, 0);
        EXPECT_EQ(bd().Husband(u), bd().Sex(c.b) == SexeHomme ? c.b : c.a);
        EXPECT_EQ(bd().Wife(u), bd().Sex(c.b) == SexeHomme ? c.a : c.b);
        EXPECT_EQ(bd().GetField(c.a, PcNumerotation), QString::fromUtf8(c.numeroA));
    }

    // A merge where the parents' union lacks a partner makes no union.
    const int a = m_f.personne("X", "A", SexeHomme, ""), b = m_f.personne("X", "A", SexeHomme, "");
    bd().SetFather(a, 1);
    const int avant = bd().UnionCount();
    ASSERT_EQ(FusionneFiches(bd(), a, b), TResultatFusion::Faite);
    EXPECT_EQ(bd().Father(b), 1);
    EXPECT_EQ(bd().UnionCount(), avant);
    EXPECT_EQ(FautesBase(bd()), QStringList());
}

TEST_F(Fusion, AFullEventTableStopsTheCarryingOver)
{
    TBD bd;
    const int a = bd.NewPerson(), b = bd.NewPerson(), autre = bd.NewPerson();
    bd.SetField(b, PcDecesDate, u"1990"_s);
    TFiche f = bd.Fiche(autre);
    for (int e = bd.EventCount() + 1; e <= MaxEvenements; ++e) {
        TEve ev;
        ev.EnService = true;
        bd.PlaceEvent(e, ev);
        f.Evenements.push_back(e);
    }
    bd.PlaceFiche(autre, f);
    ASSERT_FALSE(bd.CanAddEvent());
    const TEve vide = bd.Event(0);
    EXPECT_EQ(FusionneFiches(bd, a, b), TResultatFusion::EvenementsPleins);
    EXPECT_TRUE(MLText(TexteFusion(TResultatFusion::EvenementsPleins)).startsWith(u"Fusion terminée, mais"_s));
    EXPECT_EQ(bd.PersonEventCount(a), 0);
    EXPECT_EQ(bd.Event(0).Type, vide.Type);
    EXPECT_EQ(bd.Event(0).Note, vide.Note);
    EXPECT_EQ(bd.DeathDate(b), u"1990");
    EXPECT_EQ(FautesBase(bd), QStringList());
}

// The merge window over a scripted main window.
class Hote final : public THoteFusion
{
public:
    int SelecPers() const override { return Selec; }
    void SetSelecPers(int p) override { Selec = p; }
    int ChoisitPersonne() override
    {
        if (Choix.empty())
            return 0;
        const int p = Choix.front();
        Choix.pop_front();
        return p;
    }
    void MontreFicheArbre() override { Navigateur << Selec; }
    void ApresFusion() override { ++Fusions; }

    int Selec = 1;
    std::deque<int> Choix;
    QList<int> Navigateur;
    int Fusions = 0;
};

TEST_F(Fusion, TheWindowTellsARefusalAndForgetsACancelledChoice)
{
    TDialoguesScriptes dialogues;
    Hote hote;
    TFusion fenetre(bd(), hote);
    fenetre.show();
    auto clique = [&](const char *nom) {
        QTest::mouseClick(fenetre.findChild<QPushButton *>(QString::fromLatin1(nom)), Qt::LeftButton);
    };
    auto texte = [&](const char *nom) { return fenetre.findChild<QLineEdit *>(QString::fromLatin1(nom))->text(); };
    EXPECT_EQ(fenetre.windowTitle(), u"Fusion");

    // A man and a woman: refused, said, nothing refreshed.
    hote.Choix = {4, 2};
    clique("SelectFiche1");
    EXPECT_EQ(texte("Personne1"), u"MARTIN Pierre 3/4/1926");
    clique("SelectFiche2");
    EXPECT_EQ(hote.Selec, 2);
    clique("Fusionner");
    EXPECT_EQ(dialogues.Messages, QStringList{MLText(7710)});
    EXPECT_EQ(hote.Fusions, 0);
    // "Voir fiche" shows the person beside it.
    clique("VoirFiche1");
    EXPECT_EQ(hote.Navigateur, QList<int>{4});

    // A cancelled search clears the choice; merging with nobody is refused.
    clique("SelectFiche2");
    EXPECT_EQ(fenetre.Second(), 0);
    EXPECT_TRUE(texte("Personne2").isEmpty());
    clique("Fusionner");
    EXPECT_EQ(dialogues.Messages.last(), MLText(7713));
    EXPECT_EQ(hote.Fusions, 0);
    clique("Annuler");
    EXPECT_FALSE(fenetre.isVisible());
}

} // namespace
