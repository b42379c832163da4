// The person search: acceptance of candidates, result lines, sorted orders
// and the window driven headless.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QStringListModel>
#include <QTemporaryDir>
#include <QTest>

#include "BD.h"
#include "DialoguesScriptes.h"
#include "FichierMvd.h"
#include "Langue.h"
#include "Options.h"
#include "Parente.h"
#include "Recherche.h"
#include "Relatifs.h"
#include "TfmRechFiche.h"

namespace {

QString S(const char *texte) { return QString::fromUtf8(texte); }

int personne(TBD &bd, const char *nom, const char *prenoms, int sexe, const char *naissance = "")
{
    const int p = bd.NewPerson();
    bd.SetSurname(p, S(nom));
    bd.SetGivenNames(p, S(prenoms));
    bd.SetSex(p, sexe);
    if (*naissance)
        bd.SetBirthDate(p, S(naissance));
    return p;
}

// ---- Acceptance ---------------------------------------------------------------

TEST(Recherche, FenetresDAnnees)
{
    TOptions o; // children from 15 to 70 years, spouses at most 20 years apart
    const struct {
        TModeRecherche mode;
        int annee, min, max;
    } cas[] = {
        {TModeRecherche::Pere, 1900, 1830, 1885},     {TModeRecherche::Mere, 1900, 1830, 1885},
        {TModeRecherche::Conjoint, 1900, 1880, 1920}, {TModeRecherche::Enfant, 1900, 1915, 1970},
        {TModeRecherche::Fratrie, 1900, 1830, 1970},  {TModeRecherche::Simple, 1900, 0, 9999},
        {TModeRecherche::Pere, 0, 0, 9999},           {TModeRecherche::Enfant, -5, 0, 9999},
    };
    for (const auto &c : cas) {
        const TFenetreAnnees f = FenetreAnnees(c.mode, c.annee, o);
        EXPECT_EQ(f.Min, c.min) << static_cast<int>(c.mode) << " " << c.annee;
        EXPECT_EQ(f.Max, c.max) << static_cast<int>(c.mode) << " " << c.annee;
    }
}

TEST(Recherche, AcceptationDUnPere)
{
    TBD bd;
    const int r = personne(bd, "MARTIN", "Jean", SexeHomme, "1900");
    const TOptions o;
    const TCritereRecherche pere{TModeRecherche::Pere, r, FenetreAnnees(TModeRecherche::Pere, 1900, o), false};
    TCritereRecherche tous = pere;
    tous.Tous = true;
    const struct {
        int p;
        bool accepte, accepteTous;
    } cas[] = {
        {personne(bd, "A", "né 1830", SexeHomme, "1830"), true, true},
        {personne(bd, "A", "né 1885", SexeHomme, "12/5/1885"), true, true},
        {personne(bd, "A", "né 1829", SexeHomme, "1829"), false, true},
        {personne(bd, "A", "né 1886", SexeHomme, "1886"), false, true},
        {personne(bd, "A", "sans date", SexeHomme), true, true},
        {personne(bd, "A", "sexe inconnu", SexeInconnu, "1850"), true, true},
        {personne(bd, "A", "femme", SexeFemme, "1850"), false, false},
        {r, false, false},
        {999, false, false}, // not in use
    };
    for (const auto &c : cas) {
        EXPECT_EQ(AccepteCandidat(bd, pere, c.p), c.accepte) << bd.GivenNames(c.p).toStdString();
        EXPECT_EQ(AccepteCandidat(bd, tous, c.p), c.accepteTous) << bd.GivenNames(c.p).toStdString();
    }
}

TEST(Recherche, AcceptationParLiens)
{
    TBD bd;
    const int homme = personne(bd, "R", "homme", SexeHomme);
    const int femme = personne(bd, "R", "femme", SexeFemme);
    const int inconnu = personne(bd, "R", "inconnu", SexeInconnu);
    const int h = personne(bd, "C", "h", SexeHomme);
    const int f = personne(bd, "C", "f", SexeFemme);
    const int i = personne(bd, "C", "i", SexeInconnu);
    const int avecPere = personne(bd, "C", "avec père", SexeHomme);
    bd.SetFather(avecPere, h);
    const int avecMere = personne(bd, "C", "avec mère", SexeHomme);
    bd.SetMother(avecMere, f);
    const int deuxParents = personne(bd, "C", "deux parents", SexeHomme);
    bd.SetFather(deuxParents, h);
    bd.SetMother(deuxParents, f);
    const int pereDisparu = personne(bd, "C", "père disparu", SexeHomme);
    bd.SetFather(pereDisparu, 500); // a number naming nobody counts as no father
    bd.SetMother(pereDisparu, f);

    using M = TModeRecherche;
    const struct {
        M mode;
        int reference, p;
        bool accepte;
    } cas[] = {
        {M::Conjoint, homme, f, true},        {M::Conjoint, homme, i, true},
        {M::Conjoint, homme, h, false},       {M::Conjoint, femme, h, true},
        {M::Conjoint, femme, f, false},       {M::Mere, homme, h, false},
        {M::Mere, homme, i, true},            {M::Mere, homme, f, true},
        {M::Enfant, femme, avecMere, false},  {M::Enfant, femme, avecPere, true},
        {M::Enfant, homme, avecPere, false},  {M::Enfant, homme, avecMere, true},
        {M::Enfant, inconnu, avecMere, false}, {M::Enfant, inconnu, avecPere, true},
        {M::Fratrie, homme, deuxParents, false}, {M::Fratrie, homme, avecPere, true},
        {M::Fratrie, homme, pereDisparu, true}, {M::Simple, homme, homme, true},
        {M::Fratrie, homme, homme, false},
    };
    for (const auto &c : cas) {
        const TCritereRecherche critere{c.mode, c.reference, {}, false};
        EXPECT_EQ(AccepteCandidat(bd, critere, c.p), c.accepte)
            << static_cast<int>(c.mode) << " " << bd.GivenNames(c.reference).toStdString() << " / "
            << bd.GivenNames(c.p).toStdString();
    }
}

// ---- Result lines -------------------------------------------------------------

TEST(Recherche, LignesDeResultat)
{
    TBD bd;
    const int ne = personne(bd, "MARTIN", "Jean Paul", SexeHomme, "3/4/1900");
    const int baptise = personne(bd, "PETIT", "Luc", SexeHomme);
    bd.SetPersonEventByType(baptise, NomsEvenements().Bapteme, S("5/4/1901"), EveDate);
    const int marie = personne(bd, "DURAND", "Marie", SexeFemme);
    const int mari1 = personne(bd, "X", "a", SexeHomme);
    const int mari2 = personne(bd, "X", "b", SexeHomme);
    const int mari3 = personne(bd, "X", "c", SexeHomme);
    // The later marriage gets the lower union number, and an undated union
    // comes after: the date kept is the last non-empty one in date order.
    bd.SetUnionField(bd.NewUnionOf(mari1, marie), UcMariageDate, S("1940"));
    bd.SetUnionField(bd.NewUnionOf(mari2, marie), UcMariageDate, S("1925"));
    bd.NewUnionOf(mari3, marie);
    const int rien = personne(bd, "", "Anonyme", SexeInconnu);
    // A baptism event without a date does not hide the marriage.
    const int baptemeVide = personne(bd, "LEROY", "Henri", SexeHomme);
    bd.SetPersonEventByType(baptemeVide, NomsEvenements().Bapteme, S("x"), EveLieu);
    bd.SetUnionField(bd.NewUnionOf(baptemeVide, rien), UcMariageDate, S("1950"));

    const struct {
        int p;
        bool avecNom;
        const char *ligne;
    } cas[] = {
        {ne, true, "MARTIN Jean Paul  3/4/1900"}, {ne, false, "Jean Paul  3/4/1900"},
        {baptise, true, "PETIT Luc  b 5/4/1901"}, {marie, true, "DURAND Marie  x 1940"},
        {mari3, false, "c  "},                    {baptemeVide, false, "Henri  x 1950"},
        {rien, true, " Anonyme  x 1950"},
    };
    for (const auto &c : cas)
        EXPECT_EQ(LigneRecherche(bd, c.p, c.avecNom), S(c.ligne)) << c.ligne;
}

// ---- Sorted orders ------------------------------------------------------------

TEST(Recherche, OrdresTriesEtReconstruits)
{
    TBD bd;
    const int dupont = personne(bd, "DUPONT", "Zoé", SexeFemme);
    const int durand = personne(bd, "DURAND", "Marc", SexeHomme);
    const int dupontMin = personne(bd, "Dupont", "Anne", SexeFemme);
    const int abel = personne(bd, "ABEL", "Jean", SexeHomme, "1900");
    const int libre = personne(bd, "ZORRO", "x", SexeHomme);
    bd.ClearPerson(libre);

    TOrdresRecherche ordres(bd);
    EXPECT_EQ(ordres.ParNomComplet(), (std::vector<int>{abel, dupontMin, dupont, durand}));
    EXPECT_EQ(ordres.LignesParNomComplet().front(), S("ABEL Jean  1900"));

    // "DUPONT" and "Dupont" make one group, listed by given names.
    const auto &groupes = ordres.GroupesNoms();
    ASSERT_EQ(groupes.size(), 3u);
    EXPECT_EQ(groupes[1].Personnes, (std::vector<int>{dupont, dupontMin}));
    EXPECT_EQ(ordres.GroupeDe(dupontMin), 1);
    EXPECT_EQ(ordres.GroupeDe(libre), -1);
    EXPECT_EQ(ordres.PrenomsDuGroupe(1), (std::vector<int>{dupontMin, dupont}));
    EXPECT_TRUE(ordres.PrenomsDuGroupe(7).empty());
    EXPECT_EQ(ordres.AnneeNaissance(abel), 1900);

    // Any change of the database is seen at the next call.
    bd.SetSurname(durand, S("AARON"));
    bd.SetBirthDate(abel, S("1901"));
    EXPECT_EQ(ordres.ParNomComplet().front(), durand);
    EXPECT_EQ(ordres.GroupesNoms().front().Personnes, std::vector<int>{durand});
    EXPECT_EQ(ordres.AnneeNaissance(abel), 1901);
    bd.ClearPerson(dupont);
    EXPECT_EQ(ordres.ParNomComplet().size(), 3u);
    EXPECT_EQ(ordres.GroupeDe(dupont), -1);
}

// ---- The window ---------------------------------------------------------------

class HoteTest final : public THoteRelatifs
{
public:
    int Selec = 0;
    int Onglet = 2;
    int SelecPers() const override { return Selec; }
    void SetSelecPers(int p) override { Selec = p; }
    bool SaisieIdentite(const QString &, int, bool) override { return false; }
    void MontreNouvelle(int, const QString &, bool) override {}
    void FicheAffiche() override {}
    int OngletFiche() const override { return Onglet; }
    void SetOngletFiche(int onglet) override { Onglet = onglet; }
};

QStringList lignes(QListView *liste)
{
    QStringList l;
    for (int i = 0; i < liste->model()->rowCount(); ++i)
        l << liste->model()->index(i, 0).data().toString();
    return l;
}

class Fenetre : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { ChargeLangue(QStringLiteral(LIGNEE_MODELE "/langue.txt"), nullptr); }

    void SetUp() override
    {
        Options() = TOptions();
        jean = personne(bd, "MARTIN", "Jean", SexeHomme, "1900");
        louis = personne(bd, "martin", "Louis", SexeHomme, "1860");
        paul = personne(bd, "MARTIN", "Paul", SexeHomme, "1850");
        marie4 = personne(bd, "DURAND", "Marie", SexeFemme, "1875");
        marie5 = personne(bd, "DURAND", "Marie", SexeFemme, "1875");
        pierre = personne(bd, "LEROY", "Pierre", SexeHomme, "1700");
        luc = personne(bd, "BERNARD", "Luc", SexeHomme);
        anne = personne(bd, "MARTINEZ", "Anne", SexeFemme, "1902");
        hote.Selec = marie4;
        f = std::make_unique<TfmRechFiche>(bd, relatifs, hote);
    }
    void TearDown() override { Options() = TOptions(); }

    template <class T>
    T *w(const char *nom)
    {
        T *x = f->findChild<T *>(S(nom));
        EXPECT_NE(x, nullptr) << nom;
        return x;
    }
    QListView *lb(const char *nom) { return w<QListView>(nom); }

    void ouvre(TModeRecherche mode, int reference, bool listeUnique)
    {
        w<QRadioButton>(listeUnique ? "rbListeUnique" : "rbNomPrenom")->setChecked(true);
        f->Prepare(mode, reference);
        f->show();
        QApplication::processEvents();
    }
    void clique(QListView *liste, int ligne)
    {
        const QModelIndex i = liste->model()->index(ligne, 0);
        liste->scrollTo(i);
        QTest::mouseClick(liste->viewport(), Qt::LeftButton, {}, liste->visualRect(i).center());
    }
    void ok() { QTest::mouseClick(w<QPushButton>("B_Ok"), Qt::LeftButton); }

    TDialoguesScriptes dialogues;
    TBD bd;
    HoteTest hote;
    TRelatifs relatifs{bd, hote};
    std::unique_ptr<TfmRechFiche> f;
    int jean = 0, louis = 0, paul = 0, marie4 = 0, marie5 = 0, pierre = 0, luc = 0, anne = 0;
};

TEST_F(Fenetre, TitresSelonLeMode)
{
    const struct {
        TModeRecherche mode;
        bool dateDeReference;
        const char *titre, *groupe;
        bool tousVisible;
    } cas[] = {
        {TModeRecherche::Simple, true, "Recherche d'une fiche", "Toutes les personnes", false},
        {TModeRecherche::Pere, true, "Choisir le père de MARTIN Jean", "Hommes nés entre 1830 et 1885", true},
        {TModeRecherche::Pere, false, "Choisir le père de MARTIN Jean", "Tous les hommes", true},
        {TModeRecherche::Enfant, true, "Choisir un enfant de MARTIN Jean",
         "Personnes sans père nées entre 1915 et 1970", true},
        {TModeRecherche::Conjoint, false, "Choisir un conjoint de MARTIN Jean", "Toutes les femmes", true},
    };
    for (const auto &c : cas) {
        bd.SetBirthDate(jean, c.dateDeReference ? S("1900") : QString());
        ouvre(c.mode, jean, true);
        EXPECT_EQ(f->windowTitle(), S(c.titre));
        EXPECT_EQ(w<QGroupBox>("GB_Pers")->title(), S(c.groupe));
        EXPECT_EQ(w<QCheckBox>("cbTous")->isVisible(), c.tousVisible) << c.titre;
        f->reject();
    }
    // A name is never read as a format.
    bd.SetSurname(jean, S("DU%1%s"));
    f->Prepare(TModeRecherche::Mere, jean);
    EXPECT_EQ(f->windowTitle(), S("Choisir la mère de DU%1%s Jean"));
}

TEST_F(Fenetre, ListesEtFrappe)
{
    ouvre(TModeRecherche::Simple, 0, true);
    auto *nomPre = lb("LB_NomPre");
    EXPECT_TRUE(nomPre->isVisible());
    EXPECT_FALSE(lb("LB_Nom")->isVisible());
    EXPECT_EQ(lignes(nomPre), (QStringList{S("BERNARD Luc  "), S("DURAND Marie  1875"), S("DURAND Marie  1875"),
                                           S("LEROY Pierre  1700"), S("MARTIN Jean  1900"), S("martin Louis  1860"),
                                           S("MARTIN Paul  1850"), S("MARTINEZ Anne  1902")}));
    // The current person is the first choice.
    EXPECT_EQ(nomPre->currentIndex().row(), 1);
    EXPECT_TRUE(w<QPushButton>("B_Ok")->isEnabled());

    auto *commence = w<QLineEdit>("eCommence");
    QTest::keyClicks(commence, QStringLiteral("mart"));
    EXPECT_EQ(commence->text(), S("MART"));
    EXPECT_EQ(lignes(nomPre).size(), 4);
    EXPECT_EQ(nomPre->currentIndex().row(), 0);
    QTest::keyClicks(commence, QStringLiteral("q"));
    EXPECT_TRUE(lignes(nomPre).isEmpty());
    EXPECT_FALSE(w<QPushButton>("B_Ok")->isEnabled());
    f->reject();
    EXPECT_EQ(f->Conclut(), 0);

    // Names form: "MARTIN" and "martin" are one surname. The choice made by
    // typing (Jean, the first "MART") is kept from the last opening.
    commence->clear();
    ouvre(TModeRecherche::Simple, 0, false);
    EXPECT_EQ(lignes(lb("LB_Nom")), (QStringList{S("BERNARD"), S("DURAND"), S("LEROY"), S("MARTIN"), S("MARTINEZ")}));
    EXPECT_EQ(w<QLabel>("L_Nom")->text(), S("Nom (5)"));
    EXPECT_EQ(lb("LB_Nom")->currentIndex().row(), 3);
    EXPECT_EQ(lignes(lb("LB_Pre")), (QStringList{S("Jean  1900"), S("Louis  1860"), S("Paul  1850")}));
    EXPECT_EQ(lb("LB_Pre")->currentIndex().row(), 0);
    clique(lb("LB_Nom"), 1);
    EXPECT_EQ(lignes(lb("LB_Pre")), (QStringList{S("Marie  1875"), S("Marie  1875")}));
    EXPECT_EQ(lb("LB_Pre")->currentIndex().row(), 0) << "the chosen one is not there: the first line";
    QTest::keyClicks(commence, QStringLiteral("Le"));
    EXPECT_EQ(lignes(lb("LB_Nom")), QStringList{S("LEROY")});
    EXPECT_EQ(lignes(lb("LB_Pre")), QStringList{S("Pierre  1700")});
    clique(lb("LB_Pre"), 0);
    ok();
    EXPECT_FALSE(f->isVisible());
    EXPECT_EQ(f->Conclut(), pierre);
    EXPECT_EQ(f->Conclut(), 0) << "a close is concluded once";
}

TEST_F(Fenetre, RechercheDUnPere)
{
    // In the names form, the surname as its first accepted bearer writes it.
    const QStringList attendues[] = {{S("BERNARD Luc  "), S("martin Louis  1860"), S("MARTIN Paul  1850")},
                                     {S("BERNARD"), S("martin")}};
    for (bool unique : {true, false}) {
        ouvre(TModeRecherche::Pere, jean, unique);
        QListView *liste = lb(unique ? "LB_NomPre" : "LB_Nom");
        EXPECT_EQ(lignes(liste), attendues[unique ? 0 : 1]);
        w<QCheckBox>("cbTous")->setChecked(true);
        EXPECT_EQ(lignes(liste).size(), unique ? 4 : 3) << unique;
        f->reject();
    }
    // cbTous is unticked at each opening.
    ouvre(TModeRecherche::Pere, jean, true);
    EXPECT_FALSE(w<QCheckBox>("cbTous")->isChecked());
    EXPECT_EQ(lignes(lb("LB_NomPre")).size(), 3);
    f->reject();
}

TEST_F(Fenetre, HomonymesDistinguesParLeNumero)
{
    for (bool unique : {true, false}) {
        ouvre(TModeRecherche::Simple, 0, unique);
        QListView *liste = lb(unique ? "LB_NomPre" : "LB_Pre");
        const int premiere = static_cast<int>(lignes(liste).indexOf(S(unique ? "DURAND Marie  1875" : "Marie  1875")));
        EXPECT_EQ(liste->currentIndex().row(), premiere);
        clique(liste, premiere + 1);
        ok();
        EXPECT_EQ(f->Conclut(), marie5) << unique;
        // The choice is kept: the second of the two equal lines comes back.
        ouvre(TModeRecherche::Simple, 0, unique);
        EXPECT_EQ(liste->currentIndex().row(), premiere + 1) << unique;
        clique(liste, premiere);
        clique(liste, premiere + 1);
        QTest::mouseDClick(liste->viewport(), Qt::LeftButton, {}, liste->visualRect(liste->currentIndex()).center());
        EXPECT_FALSE(f->isVisible()) << "a double click acts as Ok";
        EXPECT_EQ(f->Conclut(), marie5);
        EXPECT_EQ(f->Conclut(), 0);
        f = std::make_unique<TfmRechFiche>(bd, relatifs, hote);
    }
}

TEST_F(Fenetre, PersonneDisparueRefusee)
{
    for (bool unique : {true, false}) {
        hote.Selec = paul;
        ouvre(TModeRecherche::Simple, 0, unique);
        bd.DeletePerson(paul);
        ok();
        ASSERT_EQ(dialogues.Messages.size(), 1);
        EXPECT_EQ(dialogues.Messages.takeFirst(),
                  S("MARTIN Paul  1850 n'existe plus dans la base. La liste a été mise à jour."));
        EXPECT_TRUE(f->isVisible());
        if (unique) {
            EXPECT_EQ(lignes(lb("LB_NomPre")).size(), 7);
        }
        EXPECT_FALSE(w<QPushButton>("B_Ok")->isEnabled()) << unique;
        f->reject();
        EXPECT_EQ(f->Conclut(), 0);
        paul = personne(bd, "MARTIN", "Paul", SexeHomme, "1850");
    }
}

TEST_F(Fenetre, FicheSuitLaListePuisRevient)
{
    Options().FicheIdEnRech = true;
    ouvre(TModeRecherche::Simple, 0, true);
    EXPECT_EQ(hote.Onglet, 2);
    auto *selec = w<QCheckBox>("cbSelec");
    selec->setChecked(true);
    EXPECT_EQ(hote.Onglet, 0);
    clique(lb("LB_NomPre"), 4);
    EXPECT_EQ(hote.Selec, jean);
    selec->setChecked(false);
    EXPECT_EQ(hote.Selec, marie4);
    EXPECT_EQ(hote.Onglet, 2);
    selec->setChecked(true);
    clique(lb("LB_NomPre"), 6);
    EXPECT_EQ(hote.Selec, paul);
    QTest::mouseClick(w<QPushButton>("B_Annuler"), Qt::LeftButton);
    EXPECT_EQ(f->Conclut(), 0);
    EXPECT_EQ(hote.Selec, marie4);
    EXPECT_EQ(hote.Onglet, 2);

    // Shown with cbSelec ticked: the identity tab at once, put back on Ok.
    ouvre(TModeRecherche::Simple, 0, true);
    EXPECT_EQ(hote.Onglet, 0);
    EXPECT_EQ(hote.Selec, paul);
    ok();
    EXPECT_EQ(f->Conclut(), paul);
    EXPECT_EQ(hote.Selec, marie4);
    EXPECT_EQ(hote.Onglet, 2);
}

// Another database read in place of the first, with the same numbers of
// persons and events, or a new one made the same way, is another database:
// the lists are built again from it, in both forms and in the kept orders.
TEST_F(Fenetre, UneAutreBaseDeMemesNombres)
{
    QTemporaryDir dossier;
    ASSERT_TRUE(dossier.isValid());
    const auto base = [](std::initializer_list<const char *> noms) {
        TBD b;
        for (const char *nom : noms)
            personne(b, nom, "Jean", SexeHomme, "1900");
        return b;
    };
    const TBD martin = base({"MARTIN", "MARTIN", "MARTIN"});
    const TBD autres = base({"DURAND", "LEROY", "PETIT"});
    const QString cheminMartin = dossier.filePath(QStringLiteral("martin.mvd")),
                  cheminAutres = dossier.filePath(QStringLiteral("autres.mvd"));
    ASSERT_TRUE(SauveMvd(cheminMartin, martin, {}).Ok());
    ASSERT_TRUE(SauveMvd(cheminAutres, autres, {}).Ok());

    const struct {
        const char *cas;
        std::function<void()> remplace; // puts the second database in place of the first
    } cas[] = {
        {"read from a file", [&] { ASSERT_TRUE(ChargeMvd(cheminAutres, bd, nullptr).Ok()); }},
        {"made in memory", [&] { bd = base({"DURAND", "LEROY", "PETIT"}); }},
    };
    const QStringList trois{S("DURAND"), S("LEROY"), S("PETIT")};
    for (const auto &c : cas) {
        ASSERT_TRUE(ChargeMvd(cheminMartin, bd, nullptr).Ok());
        hote.Selec = 1;
        TOrdresRecherche ordres(bd);
        EXPECT_EQ(ordres.GroupesNoms().size(), 1u);
        for (bool unique : {false, true}) {
            ouvre(TModeRecherche::Simple, 0, unique);
            f->reject();
        }
        c.remplace();
        ouvre(TModeRecherche::Simple, 0, false);
        EXPECT_EQ(lignes(lb("LB_Nom")), trois) << c.cas;
        f->reject();
        ouvre(TModeRecherche::Simple, 0, true);
        EXPECT_EQ(lignes(lb("LB_NomPre")),
                  (QStringList{S("DURAND Jean  1900"), S("LEROY Jean  1900"), S("PETIT Jean  1900")}))
            << c.cas;
        f->reject();
        EXPECT_EQ(ordres.GroupesNoms().size(), 3u) << c.cas;
    }
}

// Ok of a link search makes the link through TRelatifs.
TEST_F(Fenetre, LienSurOk)
{
    const int mere = personne(bd, "PETIT", "Rose", SexeFemme, "1870");
    bd.SetMother(jean, mere);
    const int enfant = personne(bd, "NOEL", "Eve", SexeFemme, "1930");
    using M = TModeRecherche;
    const struct {
        M mode;
        int reference;
        const char *ligne;
        std::function<bool()> lie;
    } cas[] = {
        {M::Pere, jean, "MARTIN Paul  1850", [&] { return bd.Father(jean) == paul; }},
        {M::Mere, luc, "MARTINEZ Anne  1902", [&] { return bd.Mother(luc) == anne; }},
        {M::Conjoint, jean, "MARTINEZ Anne  1902", [&] { return UnionOf(bd, jean, anne) != 0; }},
        {M::Enfant, jean, "NOEL Eve  1930", [&] { return bd.Father(enfant) == jean; }},
        {M::Fratrie, jean, "LEROY Pierre  1700", [&] { return bd.Mother(pierre) == mere; }},
    };
    for (const auto &c : cas) {
        ouvre(c.mode, c.reference, true);
        w<QCheckBox>("cbTous")->setChecked(true);
        const int ligne = static_cast<int>(lignes(lb("LB_NomPre")).indexOf(S(c.ligne)));
        ASSERT_GE(ligne, 0) << c.ligne;
        clique(lb("LB_NomPre"), ligne);
        ok();
        EXPECT_NE(f->Conclut(), 0) << c.ligne;
        EXPECT_TRUE(c.lie()) << c.ligne;
    }
}

} // namespace
