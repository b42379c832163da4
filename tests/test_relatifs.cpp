#include "BD.h"
#include "Dates.h"
#include "DialoguesScriptes.h"
#include "Globales.h"
#include "Langue.h"
#include "Options.h"
#include "Parente.h"
#include "Relatifs.h"
#include "TfmAjoute.h"
#include "TfmAjoutePers.h"
#include "TfmFiche.h"
#include "TfmListe.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDate>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {

// A scripted main window: records what the operations ask of it.
class HoteRelatifsTest final : public THoteRelatifs
{
public:
    int Selec = 0;
    bool Reponse = true;   // answer of the identity window
    QStringList Saisies;   // identity window captions
    QList<int> SexeChoisi; // its sex button, 0 or 1
    QStringList Titres;    // record form captions of MontreNouvelle
    QList<int> Montrees;
    QList<bool> FocusNom;
    int Affichages = 0;

    int SelecPers() const override { return Selec; }
    void SetSelecPers(int p) override { Selec = p; }
    bool SaisieIdentite(const QString &titre, int, bool sexe) override
    {
        Saisies << titre;
        SexeChoisi << int(sexe);
        return Reponse;
    }
    void MontreNouvelle(int p, const QString &titre, bool focusNom) override
    {
        Selec = p;
        Montrees << p;
        Titres << titre;
        FocusNom << focusNom;
    }
    void FicheAffiche() override { ++Affichages; }
    int OngletFiche() const override { return 0; }
    void SetOngletFiche(int) override {}
};

class HoteFicheTest final : public THoteFiche
{
public:
    QList<int> Modifiees;
    int SelecPers() const override { return 0; }
    void SetSelecPers(int) override {}
    bool FormKeyDown(int, Qt::KeyboardModifiers) override { return false; }
    void PersonneModifiee(int p) override { Modifiees << p; }
    void LiensModifies() override {}
    QColor CouleurSexe(int sexe) const override { return sexe == SexeHomme ? Qt::cyan : Qt::magenta; }
    QString DefinitionChamps() const override { return QString(); }
    void FicheCachee() override {}
};

class Relatifs : public ::testing::Test
{
protected:
    TBD bd;
    HoteRelatifsTest hote;
    TRelatifs rel{bd, hote};
    TDialoguesScriptes dialogues;

    static void SetUpTestSuite() { ASSERT_TRUE(ChargeLangue(QStringLiteral(LIGNEE_MODELE "/langue.txt"))); }
    void SetUp() override { TearDown(); }
    void TearDown() override
    {
        Options() = TOptions();
        BaseModifiee = 0;
        LangueActive = 1;
    }

    // "SURNAME Given" (the full name), sex, birth date.
    int personne(const char *nom, int sexe, const char *naissance = "")
    {
        const QStringList n = QString::fromUtf8(nom).split(u' ');
        const int p = bd.NewPerson();
        bd.SetSurname(p, n.value(0));
        bd.SetGivenNames(p, n.value(1));
        bd.SetSex(p, sexe);
        if (*naissance)
            bd.SetBirthDate(p, QString::fromUtf8(naissance));
        return p;
    }
    void reponds(std::initializer_list<int> r) { dialogues.Reponses.insert(dialogues.Reponses.end(), r); }
    QString question(int n, std::initializer_list<int> personnes) const
    {
        QStringList noms;
        for (int p : personnes)
            noms << bd.FullName(p);
        return MLFormat(n, noms);
    }
    // New persons or unions find no slot; those in place stay.
    void remplit(bool personnes)
    {
        bd.SetAppendOnly(true);
        TFiche f;
        TUnion u;
        f.EnService = u.EnService = true;
        ASSERT_TRUE(personnes ? bd.PlaceFiche(MaxPersonnes, f) : bd.PlaceUnion(MaxUnions, u));
    }
};

constexpr int Oui = ReponseOui;
constexpr int Non = ReponseNon;

// ---- Adding --------------------------------------------------------------

TEST_F(Relatifs, NewFatherOffersTheUnionWithTheMotherOnce)
{
    for (const int reponse : {Oui, Non}) {
        SCOPED_TRACE(reponse);
        bd.Clear();
        dialogues.Messages.clear();
        const int enfant = personne("MARTIN Luc", SexeHomme);
        const int mere = personne("PETIT Louise", SexeFemme);
        bd.SetMother(enfant, mere);
        bd.SetField(enfant, PcNumerotation, u"3"_s);
        reponds({reponse});
        const int pere = rel.AjoutePere(enfant);
        EXPECT_EQ(bd.Father(enfant), pere);
        EXPECT_EQ(bd.Surname(pere), u"MARTIN");
        EXPECT_EQ(bd.GetField(pere, PcNumerotation), u"6");
        EXPECT_EQ(dialogues.Messages, QStringList{question(320, {enfant, mere})});
        EXPECT_EQ(bd.UnionCount() == 1 && bd.Husband(1) == pere && bd.Wife(1) == mere, reponse == Oui);
        EXPECT_EQ(hote.Saisies.last(), u"Ajouter le père de MARTIN Luc");
        EXPECT_EQ(hote.Titres.last(), u"Père de MARTIN Luc");
        EXPECT_FALSE(hote.FocusNom.last());
    }
}

TEST_F(Relatifs, NewMotherOfAChildWithoutFatherAsksNothing)
{
    const int enfant = personne("MARTIN Luc", SexeHomme);
    hote.Selec = enfant;
    hote.Reponse = false; // the identity window says: do not select her
    const int mere = rel.AjouteMere(enfant);
    EXPECT_EQ(bd.Mother(enfant), mere);
    EXPECT_EQ(bd.Sex(mere), SexeFemme);
    EXPECT_TRUE(bd.Surname(mere).isEmpty());
    EXPECT_TRUE(dialogues.Messages.isEmpty() && hote.Montrees.isEmpty());
    EXPECT_EQ(hote.SexeChoisi, QList<int>{0});
    EXPECT_EQ(hote.Selec, enfant);
    EXPECT_EQ(BaseModifiee, 1);
}

TEST_F(Relatifs, ChildFindsItsOtherParent)
{
    // Automatic links with a single union: no question.
    Options().LienAuto = true;
    const int jean = personne("MARTIN Jean", SexeHomme);
    const int marie = personne("DURAND Marie", SexeFemme);
    bd.NewUnionOf(jean, marie);
    const int fils = rel.AjouteEnfant(jean);
    EXPECT_EQ(bd.Mother(fils), marie);
    const int fille = rel.AjouteEnfant(marie);
    EXPECT_EQ(bd.Father(fille), jean);
    EXPECT_EQ(bd.Surname(fille), u"MARTIN"); // the husband's, not hers
    const int seule = personne("PETIT Louise", SexeFemme);
    const int enfant = rel.AjouteEnfant(seule);
    EXPECT_EQ(bd.Father(enfant), 0);
    EXPECT_EQ(bd.Surname(enfant), u"PETIT");
    EXPECT_TRUE(dialogues.Messages.isEmpty());

    // Two unions are asked about in marriage-date order until one is taken.
    const int rose = personne("BLANC Rose", SexeFemme);
    bd.SetUnionField(bd.NewUnionOf(jean, rose), UcMariageDate, u"1940"_s);
    bd.SetUnionField(1, UcMariageDate, u"1925"_s);
    reponds({Non, Oui});
    const int paul = rel.AjouteEnfant(jean);
    EXPECT_EQ(dialogues.Messages, (QStringList{question(328, {jean, marie}), question(328, {jean, rose})}));
    EXPECT_EQ(bd.Mother(paul), rose);
}

TEST_F(Relatifs, NewCoupleOfTwoParentsIsOfferedTheirChildren)
{
    const int pere = personne("MARTIN Jean", SexeHomme);
    const int mere = personne("DURAND Marie", SexeFemme);
    const int enfant = personne("MARTIN Paul", SexeHomme);
    const int autre = personne("DURAND Anne", SexeFemme);
    bd.SetMother(enfant, mere);
    bd.SetMother(autre, mere);
    bd.SetField(autre, PcNumerotation, u"5"_s);
    reponds({Oui, Oui});
    EXPECT_TRUE(rel.LieEnfant(pere, enfant));
    EXPECT_EQ(dialogues.Messages, (QStringList{question(330, {mere, pere, enfant}), question(325, {mere, autre})}));
    EXPECT_EQ(bd.UnionCount(), 1);
    EXPECT_EQ(bd.Father(autre), pere);
    EXPECT_EQ(bd.GetField(pere, PcNumerotation), u"10");
}

TEST_F(Relatifs, SharedMotherForSiblingsWithoutParents)
{
    SetHorloge([] { return QDate(2024, 5, 17); });
    const int ref = personne("MARTIN Luc", SexeHomme, "1850");
    bd.SetField(ref, PcNumerotation, u"1"_s);
    reponds({Oui});
    const int frere = rel.AjouteFratrie(ref);
    SetHorloge(nullptr);
    EXPECT_EQ(dialogues.Messages, QStringList{question(331, {ref})});
    const int mere = bd.Mother(ref);
    ASSERT_TRUE(bd.PersonInUse(mere) && mere != frere);
    EXPECT_EQ(bd.Mother(frere), mere);
    EXPECT_EQ(bd.Sex(mere), SexeFemme);
    EXPECT_EQ(bd.FullName(mere), u"MARTIN "_s + MLText(312));
    EXPECT_EQ(bd.GetField(mere, PcCreation), u"17/5/2024");
    EXPECT_EQ(bd.GetField(mere, PcNumerotation), u"3");
    EXPECT_EQ(bd.BirthDate(mere), u"vers 1825");
    EXPECT_EQ(hote.Affichages, 1);
}

TEST_F(Relatifs, EstimatedBirthYears)
{
    const struct {
        int (TRelatifs::*ajoute)(int);
        const char *naissance; // the reference's
        const char *attendu;   // the new person's; empty: none
    } cas[] = {
        {&TRelatifs::AjoutePere, "1850", "vers 1825"},      {&TRelatifs::AjouteMere, "3/4/1850", "vers 1825"},
        {&TRelatifs::AjouteEnfant, "1850", "vers 1875"},    {&TRelatifs::AjouteConjoint, "1850", "vers 1850"},
        {&TRelatifs::AjouteFratrie, "vers 1850", "vers 1850"}, {&TRelatifs::AjoutePere, "", ""},
        {&TRelatifs::AjoutePere, "10", ""}, // no year before 1
    };
    for (const auto &c : cas) {
        SCOPED_TRACE(c.naissance);
        const int p = (rel.*c.ajoute)(personne("MARTIN Luc", SexeFemme, c.naissance));
        EXPECT_EQ(bd.BirthDate(p), QString::fromUtf8(c.attendu));
        EXPECT_EQ(bd.GetPersonEventByType(p, MLText(201), EveQualite), *c.attendu ? u"2"_s : QString());
    }
    Options().AjouteEve = false;
    EXPECT_TRUE(bd.BirthDate(rel.AjoutePere(personne("MARTIN Luc", SexeHomme, "1850"))).isEmpty());
}

TEST_F(Relatifs, FullTablesCreateNothing)
{
    const int ref = personne("MARTIN Luc", SexeHomme);
    const int frere = personne("MARTIN Paul", SexeHomme);
    remplit(false);
    EXPECT_EQ(rel.AjouteConjoint(ref), 0);
    EXPECT_FALSE(rel.LieConjoint(ref, frere));
    EXPECT_EQ(bd.PersonCount(), 2);
    EXPECT_EQ(dialogues.Messages, QStringList(2, MLText(5062)));
    dialogues.Messages.clear();

    remplit(true);
    const int avant = bd.PersonCount();
    for (auto ajoute : {&TRelatifs::AjoutePere, &TRelatifs::AjouteMere, &TRelatifs::AjouteEnfant,
                        &TRelatifs::AjouteConjoint, &TRelatifs::AjouteFratrie})
        EXPECT_EQ((rel.*ajoute)(ref), 0);
    EXPECT_EQ(rel.AjouteNouvelle(), 0);
    reponds({Oui});
    rel.CompleteLienFratrie(ref, frere);
    EXPECT_EQ(bd.PersonCount(), avant);
    EXPECT_EQ(bd.Father(ref) + bd.Mother(ref), 0);
    QStringList attendus(6, MLText(5061));
    attendus << question(331, {ref}) << MLText(5061);
    EXPECT_EQ(dialogues.Messages, attendus);
    EXPECT_TRUE(hote.Saisies.isEmpty() && hote.Montrees.isEmpty() && hote.Affichages == 0);
    EXPECT_EQ(BaseModifiee, 0);
}

// ---- Linking -----------------------------------------------------------------

TEST_F(Relatifs, LinkThatWouldCloseALoopIsRefused)
{
    const int grandPere = personne("MARTIN Jean", SexeHomme);
    const int pere = personne("MARTIN Pierre", SexeHomme);
    const int fils = personne("MARTIN Luc", SexeHomme);
    bd.SetFather(pere, grandPere);
    bd.SetFather(fils, pere);
    EXPECT_FALSE(rel.LiePere(grandPere, fils));
    EXPECT_FALSE(rel.LieEnfant(fils, grandPere));
    EXPECT_FALSE(rel.LieMere(pere, pere));
    EXPECT_EQ(bd.Father(grandPere), 0);
    EXPECT_EQ(dialogues.Messages, QStringList(2, question(5060, {fils, grandPere})));
    EXPECT_EQ(BaseModifiee, 0);

    // A completion step meeting a loop goes on as after a No: Luc's only
    // wife descends from the child being linked.
    Options().LienAuto = true;
    const int femme = personne("DURAND Marie", SexeFemme);
    bd.NewUnionOf(fils, femme);
    const int enfant = personne("DURAND Louis", SexeHomme);
    bd.SetFather(femme, enfant);
    dialogues.Messages.clear();
    EXPECT_TRUE(rel.LieEnfant(fils, enfant));
    EXPECT_TRUE(bd.Father(enfant) == fils && bd.Mother(enfant) == 0);
    EXPECT_EQ(dialogues.Messages, QStringList{question(5060, {femme, enfant})});
}

TEST_F(Relatifs, LinkingSpouses)
{
    const int jean = personne("MARTIN Jean", SexeHomme);
    const int marie = personne("DURAND Marie", SexeFemme);
    bd.NewUnionOf(jean, marie);
    EXPECT_TRUE(rel.LieConjoint(marie, jean));
    EXPECT_EQ(bd.UnionCount(), 1);
    EXPECT_EQ(BaseModifiee, 0);
    EXPECT_FALSE(rel.LieConjoint(jean, jean));

    // A new union, whose spouse is offered the children.
    const int louise = personne("PETIT Louise", SexeFemme);
    const int a = personne("MARTIN Paul", SexeHomme);
    const int b = personne("PETIT Rose", SexeFemme);
    bd.SetFather(a, jean);
    bd.SetMother(b, louise);
    bd.SetField(a, PcNumerotation, u"4"_s);
    reponds({Oui, Non});
    EXPECT_TRUE(rel.LieConjoint(jean, louise));
    EXPECT_EQ(dialogues.Messages, (QStringList{question(324, {jean, a}), question(326, {louise, b, jean})}));
    EXPECT_EQ(bd.Mother(a), louise);
    EXPECT_EQ(bd.GetField(louise, PcNumerotation), u"9");
    EXPECT_EQ(bd.Father(b), 0);
    EXPECT_TRUE(bd.Husband(2) == jean && bd.Wife(2) == louise);
}

TEST_F(Relatifs, LinkingParentsAndSiblings)
{
    const int enfant = personne("MARTIN Luc", SexeHomme);
    const int fille = personne("MARTIN Anne", SexeFemme);
    const int pere = personne("MARTIN Jean", SexeHomme);
    const int femme = personne("DURAND Marie", SexeFemme);
    bd.NewUnionOf(pere, femme);
    reponds({Oui});
    EXPECT_TRUE(rel.LiePere(enfant, pere));
    EXPECT_EQ(bd.Mother(enfant), femme);
    EXPECT_EQ(dialogues.Messages, QStringList{question(321, {pere, femme, enfant})});

    // Siblings share what each lacks, without a question.
    dialogues.Messages.clear();
    EXPECT_TRUE(rel.LieFratrie(fille, enfant));
    EXPECT_TRUE(bd.Father(fille) == pere && bd.Mother(fille) == femme);
    const int x = personne("A B", SexeHomme);
    bd.SetMother(x, femme);
    EXPECT_TRUE(rel.LieFratrie(x, enfant) && bd.Father(x) == pere);
    EXPECT_FALSE(rel.LieFratrie(x, enfant)); // nothing left to share
    EXPECT_TRUE(dialogues.Messages.isEmpty());
}

// ---- The add window ----------------------------------------------------------

class Ajoute : public Relatifs
{
protected:
    TfmAjoute fenetre{bd, rel, hote};
    QRadioButton *bouton(const char *nom) { return fenetre.findChild<QRadioButton *>(QString::fromLatin1(nom)); }
};

TEST_F(Ajoute, ParentButtonsFollowTheCurrentPerson)
{
    EXPECT_TRUE(bouton("RB_Nouvelle")->isChecked());
    const int pere = personne("MARTIN Jean", SexeHomme);
    const int fils = personne("MARTIN Luc", SexeHomme);
    bd.SetFather(fils, pere);
    hote.Selec = pere;
    fenetre.Affiche();
    bouton("RB_Pere")->setChecked(true);
    hote.Selec = fils;
    fenetre.Affiche();
    EXPECT_EQ(fenetre.findChild<QLabel *>(u"L_Nom"_s)->text(), u"MARTIN Luc");
    EXPECT_TRUE(!bouton("RB_Pere")->isEnabled() && bouton("RB_Mere")->isEnabled());
    // The choice kept from the last use is no longer allowed.
    EXPECT_TRUE(bouton("RB_Nouvelle")->isChecked());
}

TEST_F(Ajoute, OkAddsTheChosenRelative)
{
    Options().AjoutePers = false;
    const int ref = personne("MARTIN Luc", SexeHomme);
    hote.Selec = ref;
    fenetre.Affiche();
    fenetre.show();
    QSignalSpy ajoutees(&fenetre, &TfmAjoute::PersonneAjoutee);
    bouton("RB_Enfant")->setChecked(true);
    QTest::mouseClick(fenetre.findChild<QPushButton *>(u"B_Ok"_s), Qt::LeftButton);
    ASSERT_EQ(ajoutees.size(), 1);
    EXPECT_EQ(bd.Father(ajoutees[0][0].toInt()), ref);
    EXPECT_EQ(fenetre.result(), QDialog::Accepted);
    EXPECT_TRUE(hote.Saisies.isEmpty()); // no identity window without AjoutePers

    bouton("RB_Nouvelle")->setChecked(true);
    fenetre.B_OkClick();
    ASSERT_EQ(ajoutees.size(), 2);
    const int nouvelle = ajoutees[1][0].toInt();
    EXPECT_TRUE(bd.PersonInUse(nouvelle) && bd.Surname(nouvelle).isEmpty() && bd.GivenNames(nouvelle).isEmpty());
    EXPECT_EQ(hote.Selec, nouvelle);
    EXPECT_EQ(hote.Titres.last(), MLText(301));
    remplit(true);
    fenetre.B_OkClick();
    EXPECT_EQ(ajoutees.size(), 2);
}

// The tip; that language's captions need a wider right column.
TEST_F(Ajoute, TipAndRightColumnOfLanguageThree)
{
    QTest::mouseClick(fenetre.findChild<QPushButton *>(u"BitBtn1"_s), Qt::LeftButton);
    EXPECT_EQ(dialogues.Astuces, QList<int>{2});
    const int largeur = bouton("RB_Conj")->width();
    LangueActive = 3;
    fenetre.show();
    for (const char *nom : {"RB_Conj", "RB_Fatrie", "RB_Enfant"})
        EXPECT_GT(bouton(nom)->width(), largeur) << nom;
    EXPECT_EQ(bouton("RB_Pere")->x(), bouton("RB_Nouvelle")->x());
}

// ---- The identity window -----------------------------------------------------

class AjoutePers : public Relatifs
{
protected:
    HoteFicheTest hoteFiche;
    TfmListe liste{bd};
    TfmAjoutePers fenetre{bd, hoteFiche, &liste};
    template <typename T>
    T *controle(const char *nom) { return fenetre.findChild<T *>(QString::fromLatin1(nom)); }
};

TEST_F(AjoutePers, TypingWritesTheNames)
{
    for (const bool maj : {true, false}) {
        SCOPED_TRACE(maj);
        Options().NomMaj = maj;
        const int p = personne("", SexeHomme);
        hoteFiche.Modifiees.clear();
        fenetre.Prepare(u"Ajouter le père de X"_s, p, false);
        EXPECT_TRUE(hoteFiche.Modifiees.isEmpty()); // filling writes nothing
        fenetre.show();
        QTest::keyClicks(controle<QLineEdit>("eNom"), u"duPont"_s);
        QTest::keyClicks(controle<QLineEdit>("ePre"), u"Jean "_s);
        EXPECT_EQ(bd.Surname(p), maj ? u"DUPONT"_s : u"duPont"_s);
        EXPECT_EQ(controle<QLineEdit>("eNom")->text(), bd.Surname(p));
        EXPECT_EQ(bd.GivenNames(p), u"Jean");
        EXPECT_EQ(hoteFiche.Modifiees, QList<int>(11, p));
    }
}

TEST_F(AjoutePers, SexButtonTogglesTheSex)
{
    const int p = personne("MARTIN Luc", SexeHomme);
    fenetre.Prepare(u"t"_s, p, true);
    auto *sb = controle<QToolButton>("sbSexe");
    const auto couleur = [&] { return controle<QFrame>("pSexe")->palette().color(QPalette::Window); };
    EXPECT_TRUE(sb->text() == MLText(101) && couleur() == QColor(Qt::cyan));
    QTest::mouseClick(sb, Qt::LeftButton);
    EXPECT_EQ(bd.Sex(p), SexeFemme);
    EXPECT_TRUE(sb->text() == MLText(102) && couleur() == QColor(Qt::magenta));
    QTest::mouseClick(sb, Qt::LeftButton);
    EXPECT_EQ(bd.Sex(p), SexeHomme);
    EXPECT_EQ(hoteFiche.Modifiees, (QList<int>{p, p}));

    // Unknown sex shows as a woman; the sex is not always choosable.
    fenetre.Prepare(u"t"_s, personne("X Y", SexeInconnu), false);
    EXPECT_EQ(sb->text(), MLText(102));
    EXPECT_FALSE(sb->isEnabled() || controle<QLabel>("lSexe")->isEnabled());
}

TEST_F(AjoutePers, EditsAreFilledInEveryLanguage)
{
    const int a = personne("MARTIN Luc", SexeHomme);
    const int b = personne("DURAND Marie", SexeFemme);
    LangueActive = 3;
    fenetre.Prepare(u"t"_s, a, false);
    fenetre.Prepare(u"t"_s, b, false);
    EXPECT_EQ(controle<QLineEdit>("eNom")->text(), u"DURAND");
    QTest::keyClick(controle<QLineEdit>("ePre"), Qt::Key_E);
    EXPECT_EQ(bd.FullName(b), u"DURAND Mariee");
    EXPECT_EQ(bd.FullName(a), u"MARTIN Luc"); // not the previous person
}

TEST_F(AjoutePers, SelectionBoxKeepsItsState)
{
    const int p = personne("MARTIN Luc", SexeHomme);
    auto *selec = controle<QCheckBox>("cbSelec");
    EXPECT_TRUE(selec->isChecked());
    const auto joue = [&](bool cocher) {
        QTimer::singleShot(0, [&, cocher] {
            selec->setChecked(cocher);
            QTest::mouseClick(controle<QPushButton>("Button1"), Qt::LeftButton);
        });
        return fenetre.SaisieIdentite(u"t"_s, p, false);
    };
    EXPECT_FALSE(joue(false));
    EXPECT_FALSE(selec->isChecked());
    EXPECT_TRUE(joue(true));
}

} // namespace
