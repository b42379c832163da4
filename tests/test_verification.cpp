#include <functional>

#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "BD.h"
#include "DialoguesScriptes.h"
#include "FamilleTest.h"
#include "Globales.h"
#include "InvariantBase.h"
#include "Langue.h"
#include "ReponseModale.h"
#include "TfmNote.h"
#include "Verification.h"

using namespace Qt::StringLiterals;

namespace {

class Verification : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(ChargeLangue(QStringLiteral(LIGNEE_MODELE "/langue.txt"), nullptr));
        BaseModifiee = 0;
    }
};

// Raw edits of an event list, as a damaged file would leave it.
void listePersonne(TBD &bd, int p, const std::function<void(std::vector<int> &)> &change)
{
    TFiche f = bd.Fiche(p);
    change(f.Evenements);
    bd.PlaceFiche(p, f);
}

void listeUnion(TBD &bd, int u, const std::function<void(std::vector<int> &)> &change)
{
    TUnion un = bd.Union(u);
    change(un.Evenements);
    bd.PlaceUnion(u, un);
}

int naissance(const TBD &bd, int p)
{
    return bd.PersonEventNumber(p, 1);
}

struct Cas {
    const char *nom;
    std::function<void(TBD &)> abime;
    QStringList rapport;
};

// The family of FamilleTest: 1 MARTIN Jean, 2 DURAND Marie, 3 PETIT Louise,
// unions 1 (Jean x Louise, 1940) and 2 (Jean x Marie, 1925).
const Cas cas[] = {
    {"a healthy base is left untouched", [](TBD &) {}, {}},
    {"an event listed twice by one person is doubled",
     [](TBD &bd) { listePersonne(bd, 1, [&](auto &l) { l.push_back(l.front()); }); },
     {u"MARTIN Jean : L'événement \"Naissance\" a un problème de lien croisé avec MARTIN Jean et a été doublé."_s}},
    {"an event of a person listed by a union names the person",
     [](TBD &bd) { listeUnion(bd, 2, [&](auto &l) { l.push_back(naissance(bd, 2)); }); },
     {u"Union de MARTIN Jean et DURAND Marie : L'événement \"Naissance\" a un problème de lien croisé avec "
      u"DURAND Marie et a été doublé."_s}},
    {"an event of a union listed by another union names the first union",
     [](TBD &bd) { listeUnion(bd, 3, [&](auto &l) { l.push_back(bd.UnionEventNumber(1, 1)); }); },
     {u"Union de MARTIN Pierre et BERNARD Sophie : L'événement \"Mariage\" a un problème de lien croisé avec "
      u"l'union MARTIN Jean et PETIT Louise et a été doublé."_s}},
    {"event number 0 and a number beyond the table are removed",
     [](TBD &bd) {
         listePersonne(bd, 3, [](auto &l) { l.insert(l.begin(), 0); });
         listeUnion(bd, 1, [](auto &l) { l.push_back(MaxEvenements + 7); });
     },
     {u"PETIT Louise : L'événement \"\" a un problème d'index hors limite et a été supprimé."_s,
      u"Union de MARTIN Jean et PETIT Louise : L'événement \"\" a un problème d'index hors limite et a été "
      u"supprimé."_s}},
    {"a freed event still listed is made valid again",
     [](TBD &bd) { bd.SetEventInUse(naissance(bd, 4), false); },
     {u"MARTIN Pierre : L'événement \"Naissance\" a un problème de validation et a été revalidé."_s}},
    {"an event nobody lists is freed",
     [](TBD &bd) { listePersonne(bd, 5, [](auto &l) { l.clear(); }); },
     {u"L'événement Naissance 1928 n'est lié à personne et est supprimé."_s}},
    {"the first event of the table, listed by nobody, is freed",
     [](TBD &bd) {
         ASSERT_EQ(naissance(bd, 1), 1);
         listePersonne(bd, 1, [](auto &l) { l.erase(l.begin()); });
     },
     {u"L'événement Naissance 1900 n'est lié à personne et est supprimé."_s}},
};

TEST_F(Verification, ReportsAndRepairsEachKindOfDamage)
{
    for (const Cas &c : cas) {
        SCOPED_TRACE(c.nom);
        FamilleTest f;
        TBD &bd = f.bd;
        c.abime(bd);
        BaseModifiee = 0;
        const quint64 revision = bd.Revision();
        EXPECT_EQ(VerifieBase(bd), c.rapport);
        EXPECT_EQ(BaseModifiee, c.rapport.isEmpty() ? 0 : 1);
        if (c.rapport.isEmpty()) {
            EXPECT_EQ(bd.Revision(), revision);
        }
        EXPECT_FALSE(bd.AppendOnly());
        EXPECT_EQ(FautesBase(bd), QStringList());
        // Every event in use is listed exactly once now.
        std::vector<int> listes(static_cast<size_t>(bd.EventCount()) + 1, 0);
        for (int p = 1; p <= bd.PersonCount(); ++p)
            for (int i = 1; i <= bd.PersonEventCount(p); ++i)
                ++listes[static_cast<size_t>(bd.PersonEventNumber(p, i))];
        for (int u = 1; u <= bd.UnionCount(); ++u)
            for (int i = 1; i <= bd.UnionEventCount(u); ++i)
                ++listes[static_cast<size_t>(bd.UnionEventNumber(u, i))];
        for (int e = 1; e <= bd.EventCount(); ++e)
            EXPECT_EQ(listes[static_cast<size_t>(e)], bd.EventInUse(e) ? 1 : 0) << "event " << e;
        // A repaired base is healthy.
        EXPECT_EQ(VerifieBase(bd), QStringList());
    }
}

TEST_F(Verification, DoublingCopiesTheWholeEvent)
{
    FamilleTest f;
    TBD &bd = f.bd;
    const int e = naissance(bd, 1);
    bd.SetEventField(e, EveLieu, u"Lyon"_s);
    bd.SetEventField(e, EveNote, u"acte 12"_s);
    bd.SetEventField(e, EveQualite, u"2"_s);
    bd.SetField(1, PcDecesDate, u"1970"_s);
    listePersonne(bd, 1, [&](auto &l) { l.insert(l.begin() + 1, e); });
    ASSERT_EQ(VerifieBase(bd).size(), 1);
    // The copy is appended after the death, the original stays first.
    ASSERT_EQ(bd.PersonEventCount(1), 3);
    EXPECT_EQ(bd.PersonEventNumber(1, 1), e);
    EXPECT_EQ(bd.GetPersonEventField(1, 2, EveType), u"Décès");
    const int copie = bd.PersonEventNumber(1, 3);
    EXPECT_NE(copie, e);
    for (int champ = EveType; champ <= EveQualite; ++champ)
        EXPECT_EQ(bd.EventField(copie, champ), bd.EventField(e, champ)) << champ;
}

TEST_F(Verification, FullEventTableKeepsTheEntryAndSaysSo)
{
    TBD bd;
    const int p = bd.NewPerson();
    bd.SetSurname(p, u"DUPONT"_s);
    bd.SetGivenNames(p, u"Jean"_s);
    const int q = bd.NewPerson();
    for (int e = 1; e <= MaxEvenements; ++e) {
        TEve ev;
        ev.EnService = true;
        ev.Type = u"Naissance"_s;
        bd.PlaceEvent(e, ev);
    }
    TFiche f = bd.Fiche(p);
    f.Evenements = {1, 1};
    bd.PlaceFiche(p, f);
    TFiche g = bd.Fiche(q);
    for (int e = 2; e <= MaxEvenements; ++e)
        g.Evenements.push_back(e);
    bd.PlaceFiche(q, g);

    EXPECT_EQ(VerifieBase(bd),
              QStringList{u"DUPONT Jean : L'événement \"Naissance\" a un problème de lien croisé avec DUPONT Jean et "
                          u"n'a pas pu être doublé : la base contient déjà le nombre maximum d'événements (50 000)."_s});
    EXPECT_EQ(bd.Fiche(p).Evenements, (std::vector<int>{1, 1}));
    EXPECT_TRUE(bd.EventInUse(1));
    EXPECT_FALSE(bd.AppendOnly());
}

TEST_F(Verification, TheCommandAsksFirstThenShowsTheReport)
{
    TDialoguesScriptes dialogues;
    FamilleTest f;
    listePersonne(f.bd, 1, [](auto &l) { l.push_back(0); });

    // No: nothing is checked.
    dialogues.Reponses = {ReponseNon};
    EXPECT_FALSE(VerificationBase(f.bd, nullptr));
    EXPECT_EQ(dialogues.Messages, QStringList{MLText(7700)});
    EXPECT_TRUE(dialogues.Messages.first().startsWith(u"Attention !\nIl est conseillé"_s));
    EXPECT_EQ(f.bd.PersonEventCount(1), 2);

    // Yes: the report opens in the note editor.
    dialogues.Messages.clear();
    dialogues.Reponses = {ReponseOui};
    QString montre;
    ReponseModale<TfmNote> editeur([&](TfmNote &note) {
        montre = note.findChild<QPlainTextEdit *>(u"m"_s)->toPlainText();
        QTest::mouseClick(note.findChild<QPushButton *>(u"Button1"_s), Qt::LeftButton);
    });
    EXPECT_TRUE(VerificationBase(f.bd, nullptr));
    EXPECT_TRUE(editeur.Ouvert);
    EXPECT_EQ(montre, u"MARTIN Jean : L'événement \"\" a un problème d'index hors limite et a été supprimé."_s);
    EXPECT_EQ(f.bd.PersonEventCount(1), 1);

    // Nothing left to repair.
    dialogues.Messages.clear();
    dialogues.Reponses = {ReponseOui};
    EXPECT_FALSE(VerificationBase(f.bd, nullptr));
    EXPECT_EQ(dialogues.Messages, (QStringList{MLText(7700), u"Aucun problème constaté."_s}));
}

} // namespace
