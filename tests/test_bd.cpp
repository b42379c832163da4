#include "BD.h"

#include <gtest/gtest.h>

#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

// A database holding one person, p = 1.
class BD : public ::testing::Test
{
protected:
    TBD bd;
    const int p = bd.NewPerson();
};

TEST_F(BD, NewPersonTakesTheFirstFreeSlotUnlessAppendOnly)
{
    for (int i = 2; i <= 5; ++i)
        EXPECT_EQ(bd.NewPerson(), i);
    bd.ClearPerson(1);
    bd.ClearPerson(3);
    EXPECT_FALSE(bd.PersonInUse(3));
    EXPECT_EQ(bd.PersonCount(), 5);
    // Previous and next skip the free slots.
    for (const auto &[n, suivant] : {std::pair(-10, 2), {0, 2}, {2, 4}, {5, 0}})
        EXPECT_EQ(bd.NextPerson(n), suivant) << n;
    for (const auto &[n, precedent] : {std::pair(4, 2), {2, 0}, {1000, 5}})
        EXPECT_EQ(bd.PrevPerson(n), precedent) << n;

    EXPECT_EQ(bd.NewPerson(), 1);
    bd.SetAppendOnly(true);
    EXPECT_EQ(bd.NewPerson(), 6);
    bd.SetAppendOnly(false);
    EXPECT_EQ(bd.NewPerson(), 3);
    EXPECT_EQ(bd.NewPerson(), 7);
}

TEST_F(BD, BadNumbersReadEmptyAndWriteNothing)
{
    for (int n : {0, -1, 2, 100001, 2147483647}) {
        EXPECT_FALSE(bd.PersonInUse(n));
        EXPECT_EQ(bd.Sex(n), SexeInconnu);
        EXPECT_TRUE(bd.Surname(n).isEmpty());
        EXPECT_TRUE(bd.GetField(n, PcNom).isEmpty());
        EXPECT_FALSE(bd.SetSurname(n, u"X"_s));
        EXPECT_FALSE(bd.SetBirthDate(n, u"1900"_s));
        EXPECT_EQ(bd.AddPersonEvent(n), 0);
        EXPECT_EQ(bd.AddPersonSource(n), 0);
        bd.ClearPerson(n);
        bd.DeletePerson(n);
    }
    EXPECT_EQ(bd.PersonCount(), 1);
    EXPECT_EQ(bd.EventCount(), 0);
    EXPECT_TRUE(bd.GetField(p, -1).isEmpty());
    EXPECT_TRUE(bd.GetField(p, 29).isEmpty());
    EXPECT_FALSE(bd.SetField(p, 29, u"x"_s));
    EXPECT_TRUE(bd.EventField(0, EveDate).isEmpty());
    EXPECT_TRUE(bd.GetPersonEventField(p, 5, EveDate).isEmpty());
    EXPECT_TRUE(bd.GetUnionField(3, UcMariageDate).isEmpty());
}

TEST_F(BD, PersonFieldCodes)
{
    const int pere = bd.NewPerson();
    const std::pair<int, const char *> cas[] = {
        {PcNom, "MARTIN"}, {PcPrenoms, "Jean \"Jeannot\", Pierre"}, {PcNaissanceDate, "1/2/1900"},
        {PcNaissanceLieu, "FRA,IDF,F95,Pontoise"}, {PcNaissanceNote, "n1"}, {PcBaptemeDate, "3/2/1900"},
        {PcBaptemeLieu, "b"}, {PcBaptemeNote, "n2"}, {PcDecesDate, "1970"}, {PcDecesLieu, "d"},
        {PcDecesNote, "n3"}, {PcInhumationDate, "1970"}, {PcInhumationLieu, "i"}, {PcInhumationNote, "n4"},
        {PcNote, "une note\r\nsur deux lignes"}, {PcCreation, "1/1/2020"}, {PcModification, "2/1/2020"},
        {PcNumerotation, "1/2"}, {PcProfession, "Menuisier"}, {PcStatutPere, "2"}, {PcStatutMere, "3"},
        {PcPlie, "1"},
    };
    for (const auto &[code, valeur] : cas)
        EXPECT_TRUE(bd.SetField(p, code, QString::fromUtf8(valeur))) << code;
    for (const auto &[code, valeur] : cas)
        EXPECT_EQ(bd.GetField(p, code), QString::fromUtf8(valeur)) << code;
    // The four events, one of each type, and the named accessors read them.
    EXPECT_EQ(bd.PersonEventCount(p), 4);
    EXPECT_EQ((QStringList{bd.BirthPlace(p), bd.DeathDate(p), bd.DeathPlace(p), bd.Profession(p)}),
              (QStringList{u"FRA,IDF,F95,Pontoise"_s, u"1970"_s, u"d"_s, u"Menuisier"_s}));
    EXPECT_EQ(bd.GetField(p, PcChamps), u"t|Profession|Menuisier|");

    for (const auto &[texte, sexe, lettre] :
         {std::tuple(u" f"_s, SexeFemme, u"F"_s), {u"?"_s, SexeInconnu, u"I"_s}}) {
        EXPECT_TRUE(bd.SetField(p, PcSexe, texte));
        EXPECT_EQ(bd.Sex(p), sexe);
        EXPECT_EQ(bd.GetField(p, PcSexe), lettre);
    }
    EXPECT_TRUE(bd.SetField(p, PcPere, QString::number(pere)));
    EXPECT_EQ(bd.Father(p), pere);
    // Read-only codes; link statuses stay within 0..3.
    const std::pair<int, QString> lecture[] = {
        {PcNumero, u"1"_s}, {PcNomComplet, u"MARTIN Jean \"Jeannot\", Pierre"_s}, {PcPrenomUsuel, u"Jeannot"_s}};
    for (const auto &[code, valeur] : lecture) {
        EXPECT_FALSE(bd.SetField(p, code, u"9"_s)) << code;
        EXPECT_EQ(bd.GetField(p, code), valeur) << code;
    }
    bd.SetFatherLinkStatus(p, 7);
    EXPECT_EQ(bd.FatherLinkStatus(p), 0);

    // The principal given name, then the full name.
    const std::pair<QString, QString> prenoms[] = {
        {u"Jean Pierre"_s, u"Jean"_s}, {u"Marie, Louise"_s, u"Marie"_s}, {u"Marie \"Lili\" Louise"_s, u"Lili"_s},
        {u"  Anne"_s, u"Anne"_s},      {u"Jean \"unclosed"_s, u"Jean"_s}, {QString(), QString()}};
    for (const auto &[texte, usuel] : prenoms)
        EXPECT_EQ(PrenomUsuel(texte), usuel) << texte.toStdString();
    // The blank stays when either part is empty, so that a surname alone
    // never reads as a given name alone.
    bd.SetSurname(p, u"DUPONT"_s);
    bd.SetGivenNames(p, QString());
    EXPECT_EQ(bd.FullName(p), u"DUPONT ");
    bd.SetGivenNames(p, u"Jules \"Julot\""_s);
    EXPECT_EQ(bd.FullName(p), u"DUPONT Julot");
    bd.SetSurname(p, QString());
    EXPECT_EQ(bd.FullName(p), u" Julot");
    EXPECT_EQ(bd.FullName(0), QString());
    EXPECT_EQ(bd.FullName(bd.PersonCount() + 1), QString());
}

TEST_F(BD, EventsByTypeInListsAndSlots)
{
    // Two birth events: both the getter and the setter address the first.
    const int e1 = bd.AddPersonEvent(p);
    const int e2 = bd.AddPersonEvent(p);
    bd.SetEventField(e1, EveType, u"Naissance"_s);
    bd.SetEventField(e2, EveType, u"naissance"_s);
    bd.SetEventField(e2, EveDate, u"1901"_s);
    EXPECT_TRUE(bd.SetPersonEventByType(p, u"NAISSANCE"_s, u"1900"_s, EveDate));
    EXPECT_EQ(bd.BirthDate(p), u"1900");
    EXPECT_EQ(bd.EventField(e1, EveDate), u"1900");
    EXPECT_EQ(bd.EventField(e2, EveDate), u"1901");

    // An empty text does not create a missing event; a text does.
    EXPECT_TRUE(bd.SetPersonEventByType(p, u"Décès"_s, QString(), EveDate));
    EXPECT_EQ(bd.PersonEventCount(p), 2);
    EXPECT_TRUE(bd.SetField(p, PcDecesLieu, u"Paris"_s));
    EXPECT_EQ(bd.PersonEventCount(p), 3);
    EXPECT_EQ(bd.GetPersonEventField(p, 3, EveType), u"Décès");
    EXPECT_EQ(bd.GetPersonEventField(p, 3, EveQualite), u"0");

    // The lists of events and their slots.
    const int q = bd.NewPerson();
    bd.RemovePersonEvent(p, 3);
    bd.SetPersonEventField(p, 2, u"Profession"_s, EveType);
    EXPECT_EQ(bd.EventField(e2, EveType), u"Profession");
    EXPECT_EQ(bd.PersonEventNumber(p, 1), e1);

    // Moving an event from one person to another without freeing it.
    bd.DetachPersonEvent(p, 2);
    EXPECT_TRUE(bd.AttachPersonEvent(q, e2));
    EXPECT_TRUE(bd.EventInUse(e2));
    EXPECT_EQ(bd.GetPersonEventField(q, 1, EveType), u"Profession");
    EXPECT_FALSE(bd.AttachPersonEvent(q, 999));

    // Copy, then remove: the slot is freed and taken again first.
    const int e3 = bd.AddPersonEvent(q);
    EXPECT_TRUE(bd.CopyEvent(e2, e3));
    EXPECT_EQ(bd.EventField(e3, EveType), u"Profession");
    bd.RemovePersonEvent(p, 1);
    EXPECT_EQ(bd.PersonEventCount(p), 0);
    EXPECT_FALSE(bd.EventInUse(e1));
    EXPECT_EQ(bd.AddPersonEvent(p), e1);

    // Clearing a person frees its events; clearing an event resets its quality.
    bd.ClearPerson(q);
    EXPECT_FALSE(bd.EventInUse(e2) || bd.EventInUse(e3));
    bd.SetEventField(e1, EveQualite, u"2"_s);
    bd.ClearEvent(e1);
    EXPECT_EQ(bd.Event(e1).Qualite, u"0");
    EXPECT_TRUE(bd.Event(e1).Type.isEmpty());

    // The in-use flag alone: a freed slot comes back with its fields as they
    // were, and a slot freed this way is taken again first.
    const int e4 = bd.AddPersonEvent(p);
    bd.SetEventField(e4, EveDate, u"1850"_s);
    EXPECT_TRUE(bd.SetEventInUse(e4, false));
    EXPECT_FALSE(bd.EventInUse(e4));
    EXPECT_TRUE(bd.SetEventInUse(e4, true));
    EXPECT_EQ(bd.EventField(e4, EveDate), u"1850");
    bd.SetEventInUse(e1, false);
    EXPECT_EQ(bd.AddPersonEvent(p), e1);
    EXPECT_FALSE(bd.SetEventInUse(0, true));
    EXPECT_FALSE(bd.SetEventInUse(bd.EventCount() + 1, true));
    EXPECT_FALSE(bd.EventInUse(bd.EventCount() + 1));
    // Reads of a slot outside the table are empty.
    for (int champ = EveType; champ <= EveQualite; ++champ) {
        EXPECT_TRUE(bd.EventField(0, champ).isEmpty());
        EXPECT_TRUE(bd.EventField(MaxEvenements + 1, champ).isEmpty());
    }
}

TEST_F(BD, UnionsAndTheirFields)
{
    const int f = bd.NewPerson();
    bd.SetSex(f, SexeFemme);
    const int u = bd.NewUnionOf(f, p);
    EXPECT_EQ(bd.Husband(u), p);
    EXPECT_EQ(bd.Wife(u), f);
    EXPECT_TRUE(bd.CheckUnion(u));

    const std::pair<int, QString> champs[] = {{UcMariageDate, u"5/6/1920"_s}, {UcMariageLieu, u"Lyon"_s},
                                              {UcMariageNote, u"n"_s},        {UcDivorceDate, u"1930"_s},
                                              {UcDivorceLieu, u"Paris"_s}};
    for (const auto &[code, valeur] : champs)
        EXPECT_TRUE(bd.SetUnionField(u, code, valeur)) << code;
    for (const auto &[code, valeur] : champs)
        EXPECT_EQ(bd.GetUnionField(u, code), valeur) << code;
    EXPECT_EQ(bd.MarriageDate(u), u"5/6/1920");
    EXPECT_EQ(bd.GetUnionField(u, UcMari), QString::number(p));
    EXPECT_EQ(bd.UnionEventCount(u), 2);
    EXPECT_EQ(bd.GetUnionEventByType(u, u"Mariage"_s, EveLieu), u"Lyon");

    // A half-known union is reported, never freed, by the check.
    bd.SetWife(u, 0);
    EXPECT_FALSE(bd.CheckUnion(u));
    EXPECT_TRUE(bd.UnionInUse(u));

    const int e = bd.UnionEventNumber(u, 1);
    bd.ClearUnion(u);
    EXPECT_FALSE(bd.UnionInUse(u) || bd.EventInUse(e));
    EXPECT_EQ(bd.Husband(u), 0);
    EXPECT_EQ(bd.NewUnion(), u);
}

TEST_F(BD, SourcesAreSharedBetweenPersons)
{
    const int q = bd.NewPerson();
    const int s = bd.AddPersonSource(p);
    ASSERT_NE(s, 0);
    bd.SetSourceField(s, SrcTitre, u"Acte"_s);
    bd.SetSourceField(s, SrcFichier, u"c:\\photos\\jean.jpg|10|20|Jean"_s);
    EXPECT_EQ(bd.GetPersonSourceField(p, 1, SrcTitre), u"Acte");
    EXPECT_EQ(bd.GetPersonSourceField(p, 1, SrcNumero), QString::number(s));
    EXPECT_EQ(bd.GetPersonSourceField(p, 1, SrcCheminSeul), u"c:\\photos\\jean.jpg");
    EXPECT_TRUE(bd.GetPersonSourceField(p, 2, SrcTitre).isEmpty());

    EXPECT_TRUE(bd.LinkSource(q, s));
    EXPECT_FALSE(bd.LinkSource(q, s));
    EXPECT_FALSE(bd.LinkSource(q, s + 1));
    bd.RemovePersonSource(p, 1);
    EXPECT_EQ(bd.PersonSourceCount(p), 0);
    // Neither removing it from a list nor clearing a person frees a source.
    bd.ClearPerson(q);
    EXPECT_EQ(bd.PersonSourceCount(q), 0);
    EXPECT_TRUE(bd.SourceInUse(s));
    EXPECT_EQ(bd.NewSource(), s + 1);
}

TEST_F(BD, UserDefinedFields)
{
    bd.SetField(p, PcChamps, u"t|Profession|Menuisier|r|Parrain|Oui|"_s);
    EXPECT_EQ(bd.GetAttribute(p, u"parrain"_s), u"Oui");
    EXPECT_EQ(bd.GetAttribute(p, u"Absent"_s), QString());

    EXPECT_TRUE(bd.SetAttribute(p, u"Parrain"_s, u"Non"_s));
    EXPECT_TRUE(bd.SetAttribute(p, u"Surnom"_s, u"a|b"_s));
    EXPECT_EQ(bd.GetField(p, PcChamps), u"t|Profession|Menuisier|r|Parrain|Non|t|Surnom|a b|");
    EXPECT_TRUE(bd.SetAttribute(p, u"Profession"_s, QString()));
    EXPECT_EQ(bd.GetField(p, PcChamps), u"r|Parrain|Non|t|Surnom|a b|");

    // An unfinished tail from a damaged record is kept, not dropped.
    bd.SetField(p, PcChamps, u"t|A|1|t|B"_s);
    EXPECT_EQ(bd.GetAttribute(p, u"A"_s), u"1");
    bd.SetAttribute(p, u"A"_s, u"2"_s);
    EXPECT_EQ(bd.GetField(p, PcChamps), u"t|A|2|t|B");
}

TEST_F(BD, FillingEachTableToItsLimit)
{
    for (int i = 2; i <= MaxPersonnes; ++i)
        ASSERT_EQ(bd.NewPerson(), i);
    EXPECT_FALSE(bd.CanAddPerson());
    EXPECT_EQ(bd.NewPerson(), 0);
    EXPECT_EQ(bd.PersonCount(), MaxPersonnes);

    for (int i = 1; i <= MaxUnions; ++i)
        ASSERT_EQ(bd.NewUnion(), i);
    EXPECT_FALSE(bd.CanAddUnion());
    EXPECT_EQ(bd.NewUnion(), 0);
    EXPECT_EQ(bd.NewUnionOf(1, 2), 0);

    for (int i = 1; i <= MaxEvenements; ++i)
        ASSERT_NE(bd.AddPersonEvent(1 + i % 1000), 0);
    EXPECT_FALSE(bd.CanAddEvent());
    EXPECT_EQ(bd.AddPersonEvent(5), 0);
    EXPECT_EQ(bd.AddUnionEvent(5), 0);
    // Setters needing a new event report the failure and change nothing.
    EXPECT_FALSE(bd.SetBirthDate(5000, u"1900"_s));
    EXPECT_FALSE(bd.SetPersonEventByType(5000, u"Décès"_s, u"x"_s, EveDate));
    EXPECT_FALSE(bd.SetField(5000, PcDecesDate, u"1950"_s));
    EXPECT_FALSE(bd.SetUnionField(7, UcMariageDate, u"1950"_s));
    EXPECT_EQ(bd.PersonEventCount(5000), 0);

    for (int i = 1; i <= MaxSources; ++i)
        ASSERT_EQ(bd.NewSource(), i);
    EXPECT_EQ(bd.NewSource(), 0);
    EXPECT_EQ(bd.AddPersonSource(1), 0);

    // A freed slot is found again at once, unless appending only.
    bd.ClearPerson(4321);
    EXPECT_TRUE(bd.CanAddPerson());
    EXPECT_EQ(bd.NewPerson(), 4321);
    bd.SetAppendOnly(true);
    bd.ClearPerson(17);
    EXPECT_FALSE(bd.CanAddPerson());
    EXPECT_EQ(bd.NewPerson(), 0);
    bd.SetAppendOnly(false);
    bd.ClearUnion(9);
    EXPECT_TRUE(bd.CanAddUnion());
    bd.ClearEvent(77);
    EXPECT_TRUE(bd.CanAddEvent());
    bd.SetAppendOnly(true);
    EXPECT_FALSE(bd.CanAddEvent());
    bd.SetAppendOnly(false);
}

TEST_F(BD, PlacedRecordsAndClear)
{
    TFiche f;
    f.EnService = true;
    f.Nom = u"A"_s;
    EXPECT_TRUE(bd.PlaceFiche(10, f));
    EXPECT_FALSE(bd.PlaceFiche(0, f));
    EXPECT_FALSE(bd.PlaceFiche(MaxPersonnes + 1, f));
    EXPECT_EQ(bd.PersonCount(), 10);
    EXPECT_EQ(bd.Surname(10), u"A");
    // The free slots below the placed one are taken first.
    EXPECT_EQ(bd.NewPerson(), 2);

    TEve ev;
    ev.EnService = true;
    EXPECT_TRUE(bd.PlaceEvent(MaxEvenements, ev));
    EXPECT_FALSE(bd.PlaceEvent(MaxEvenements + 1, ev));
    EXPECT_EQ(bd.EventCount(), MaxEvenements);

    bd.Clear();
    EXPECT_EQ(bd.PersonCount(), 0);
    EXPECT_EQ(bd.EventCount(), 0);
    EXPECT_EQ(bd.NewPerson(), 1);
}

TEST_F(BD, RevisionGrowsAtEveryChangeAndOnlyThen)
{
    auto change = [this](auto &&action) {
        const quint64 avant = bd.Revision();
        action();
        return bd.Revision() > avant;
    };
    EXPECT_TRUE(change([&] { bd.NewPerson(); }));
    EXPECT_TRUE(change([&] { bd.SetSurname(p, u"MARTIN"_s); }));
    EXPECT_TRUE(change([&] { bd.SetBirthDate(p, u"1900"_s); }));
    EXPECT_TRUE(change([&] { bd.SetEventField(bd.PersonEventNumber(p, 1), EveLieu, u"Brest"_s); }));
    EXPECT_TRUE(change([&] { bd.NewUnionOf(p, 2); }));
    EXPECT_TRUE(change([&] { bd.ClearPerson(p); }));
    EXPECT_TRUE(change([&] { bd.Clear(); }));
    EXPECT_FALSE(change([&] {
        bd.Surname(1);
        bd.CanAddPerson();
        bd.GetPersonEventByType(1, u"Naissance"_s, EveDate);
    }));
}

} // namespace
