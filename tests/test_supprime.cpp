// Deleting persons: the set gathered around a person, the removal and its
// clean-up of links, and the delete window driven headless.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDate>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

#include <functional>
#include <vector>

#include "BD.h"
#include "FamilleTest.h"
#include "Globales.h"
#include "InvariantBase.h"
#include "Parente.h"
#include "Suppression.h"
#include "TfmSupprime.h"

namespace {

using Criteres = std::function<void(TCriteresSuppression &)>;

// The persons in use the marks hold, in number order.
std::vector<int> ensemble(const TBD &bd, int ref, const Criteres &regle, const TR &rapport = TR())
{
    TCriteresSuppression c;
    c.Personne = false;
    regle(c);
    const TR l = ListeSuppression(bd, MarquesSuppression(bd, ref, c, rapport), false);
    return {l.begin(), l.end()};
}

TMarques marques(const TBD &bd, std::initializer_list<int> personnes)
{
    TMarques m(static_cast<size_t>(bd.PersonCount()) + 1, 0);
    for (int p : personnes)
        m[static_cast<size_t>(p)] = 1;
    return m;
}

::testing::AssertionResult saine(const TBD &bd)
{
    const QStringList fautes = FautesBase(bd);
    return fautes.isEmpty() ? ::testing::AssertionSuccess()
                            : ::testing::AssertionFailure() << fautes.join(u'\n').toStdString();
}

// ---- The set ------------------------------------------------------------------

TEST(EnsembleSuppression, ParCase)
{
    FamilleTest f;
    TR rapport;
    for (int p : {3, 0, -5, 200000, 6, 3, 10})
        rapport.Add(p);
    const struct {
        const char *nom;
        int ref;
        Criteres regle;
        std::vector<int> attendu;
    } cas[] = {
        {"la personne", 13, [](auto &c) { c.Personne = true; }, {13}},
        {"père et mère", 13, [](auto &c) { c.Pere = c.Mere = true; }, {9, 12}},
        {"conjoints", 1, [](auto &c) { c.Conjoints = true; }, {2, 3}},
        {"fratrie par le père ou la mère", 4, [](auto &c) { c.Fratrie = true; }, {5, 6, 7}},
        {"enfants d'une mère", 2, [](auto &c) { c.Enfants = true; }, {4, 5, 7}},
        {"ascendance, deux chemins vers 1 et 2", 13, [](auto &c) { c.Asc = true, c.AscGen = 999; },
         {1, 2, 4, 5, 8, 9, 11, 12, 13}},
        {"conjoints de l'ascendance", 9, [](auto &c) { c.Asc = c.AscConj = true; }, {4, 8, 9, 12}},
        {"et leur ascendance", 9, [](auto &c) { c.Asc = c.AscConj = c.AscConjAsc = true; },
         {1, 2, 4, 5, 8, 9, 11, 12}},
        {"fratrie de l'ascendance", 9, [](auto &c) { c.Asc = c.AscFratrie = true; }, {4, 5, 6, 7, 8, 9}},
        {"et sa descendance", 9, [](auto &c) { c.Asc = c.AscFratrie = c.AscFratrieDes = true; },
         {4, 5, 6, 7, 8, 9, 12, 13}},
        {"et les conjoints de tous", 9,
         [](auto &c) { c.Asc = c.AscFratrie = c.AscFratrieDes = c.AscConj = true; },
         {4, 5, 6, 7, 8, 9, 11, 12, 13}},
        {"cases dépendantes sans la leur", 9,
         [](auto &c) { c.AscConj = c.AscConjAsc = c.AscFratrie = c.AscFratrieDes = c.DesConj = c.DesConjAsc = true; },
         {}},
        {"descendance sur 2", 1, [](auto &c) { c.Des = true, c.DesGen = 2; }, {4, 5, 6, 9, 12}},
        {"descendance, 13 par deux chemins", 1, [](auto &c) { c.Des = true, c.DesGen = 999; }, {4, 5, 6, 9, 12, 13}},
        {"conjoints de la descendance et leur ascendance sur 1", 11,
         [](auto &c) { c.Des = c.DesConj = c.DesConjAsc = true; }, {4, 8, 9, 12}},
        {"... sur 2", 11, [](auto &c) { c.Des = c.DesConj = c.DesConjAsc = true, c.DesConjAscGen = 2; },
         {1, 2, 4, 8, 9, 12}},
        {"rapport, numéros impossibles ignorés", 13, [](auto &c) { c.Rapport = true; }, {3, 6}},
        {"aucune référence", 0,
         [](auto &c) { c = TCriteresSuppression(), c.Pere = c.Fratrie = c.Enfants = c.Asc = c.Des = true; }, {}},
    };
    for (const auto &c : cas)
        EXPECT_EQ(ensemble(f.bd, c.ref, c.regle, rapport), c.attendu) << c.nom;
}

TEST(EnsembleSuppression, AgeDepuisLaNaissance)
{
    TBD bd;
    const QDate auj = QDate::currentDate();
    auto ne = [&bd](const QString &date) {
        const int p = bd.NewPerson();
        bd.SetBirthDate(p, date);
        return p;
    };
    auto texte = [](QDate d) { return d.toString(QStringLiteral("d/M/yyyy")); };
    const int dix = ne(texte(auj.addYears(-10)));
    ne(texte(auj.addYears(-50)));                             // 50 exactly: not under 50
    const int presque = ne(texte(auj.addYears(-50).addDays(1))); // 49
    ne(texte(auj));                                           // age 0
    ne(texte(auj.addYears(1)));                               // not born yet
    bd.NewPerson();                                           // no date
    const int annee = ne(QString::number(auj.year() - 20));
    EXPECT_EQ(ensemble(bd, 1, [](auto &c) { c.Age = true, c.AgeMax = 50; }), (std::vector<int>{dix, presque, annee}));
}

// Every couple's two children marry each other: from the last couple each
// ancestor is reached by 2^generations paths, which a walk that keeps
// duplicates could never finish; a damaged loop of parents is added too.
TEST(EnsembleSuppression, ParenteEnCouronneEtBoucles)
{
    TBD bd;
    const int generations = 1500;
    std::vector<int> a{bd.NewPerson()}, b{bd.NewPerson()};
    bd.SetSex(b[0], SexeFemme);
    for (int i = 1; i <= generations; ++i) {
        a.push_back(bd.NewPerson());
        b.push_back(bd.NewPerson());
        bd.SetSex(b[i], SexeFemme);
        for (int x : {a[i], b[i]}) {
            bd.SetFather(x, a[i - 1]);
            bd.SetMother(x, b[i - 1]);
        }
        bd.NewUnionOf(a[i], b[i]);
    }
    auto nombre = [&](int ref, const Criteres &regle) {
        return static_cast<int>(ensemble(bd, ref, regle).size());
    };
    EXPECT_EQ(nombre(a.back(), [](auto &c) { c.Asc = true, c.AscGen = 999; }), 1 + 2 * 999);
    EXPECT_EQ(nombre(a[0], [](auto &c) { c.Des = c.DesConj = c.DesConjAsc = true, c.DesGen = c.DesConjAscGen = 9999; }),
              2 * generations + 2);

    const int x = bd.NewPerson();
    const int y = bd.NewPerson();
    bd.SetFather(x, y);
    bd.SetFather(y, x);
    EXPECT_EQ(ensemble(bd, x, [](auto &c) { c.Asc = true, c.AscGen = 999; }), (std::vector<int>{x, y}));
    EXPECT_EQ(ensemble(bd, x, [](auto &c) { c.Des = true, c.DesGen = 999; }), std::vector<int>{y});
}

// The last slot of the person table counts like any other.
TEST(EnsembleSuppression, DerniereFicheDeLaTableConservee)
{
    FamilleTest f;
    TFiche fiche;
    fiche.EnService = true;
    ASSERT_TRUE(f.bd.PlaceFiche(MaxPersonnes, fiche));
    const TMarques m = MarquesSuppression(f.bd, MaxPersonnes, TCriteresSuppression(), TR());
    EXPECT_EQ(CompteSuppression(f.bd, m, true), 12);
    RefPers = 1;
    EXPECT_EQ(SupprimePersonnes(f.bd, m, true, 1), MaxPersonnes);
    EXPECT_EQ(AllPersons(f.bd).Count(), 1);
    EXPECT_TRUE(f.bd.PersonInUse(MaxPersonnes));
    EXPECT_EQ(RefPers, MaxPersonnes);
    EXPECT_TRUE(saine(f.bd));
}

// ---- The removal ----------------------------------------------------------------

TEST(SuppressionPersonnes, PersonneCouranteApres)
{
    const struct {
        std::initializer_list<int> retirees;
        int courant, attendu;
    } cas[] = {
        {{13}, 13, 9},        // its father
        {{7}, 7, 2},          // no father: its mother
        {{8}, 8, 7},          // no parents: the previous person in use
        {{1}, 1, 2},          // nobody before: the next one
        {{12, 13}, 13, 9},
        {{9, 13}, 13, 12},    // the father went first: the mother
        {{9, 12, 13}, 13, 11},
        {{2, 7}, 7, 6},       // its mother went first: the previous person
        {{6}, 4, 4},          // the current person stays
        {{1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13}, 5, 0},
    };
    for (const auto &c : cas) {
        FamilleTest f;
        RefPers = 13;
        const int apres = SupprimePersonnes(f.bd, marques(f.bd, c.retirees), false, c.courant);
        EXPECT_EQ(apres, c.attendu) << "courant " << c.courant;
        EXPECT_EQ(RefPers, f.bd.PersonInUse(13) ? 13 : apres);
        EXPECT_EQ(AllPersons(f.bd).Count(), 12 - static_cast<int>(c.retirees.size()));
        EXPECT_TRUE(saine(f.bd));
    }
}

// Union 3 joins 4 Pierre and 8 Sophie, the parents of 9 Luc: removing either
// partner frees the union with its events and unlinks the child from that
// parent only.
TEST(SuppressionPersonnes, UnConjointEtSesUnions)
{
    for (const bool femme : {false, true}) {
        SCOPED_TRACE(femme ? "femme" : "mari");
        FamilleTest f;
        const int retiree = femme ? 8 : 4;
        const int restant = femme ? 4 : 8;
        f.bd.SetFatherLinkStatus(9, 2);
        f.bd.SetMotherLinkStatus(9, 3);
        const int mariage = f.bd.UnionEventNumber(3, 1);
        ASSERT_TRUE(f.bd.EventInUse(mariage));
        const int naissance = f.bd.PersonEventNumber(4, 1);
        BaseModifiee = 0;
        SupprimePersonnes(f.bd, marques(f.bd, {retiree}), false, 13);
        EXPECT_EQ(f.bd.Father(9), femme ? 4 : 0);
        EXPECT_EQ(f.bd.FatherLinkStatus(9), femme ? 2 : 0);
        EXPECT_EQ(f.bd.Mother(9), femme ? 0 : 8);
        EXPECT_EQ(f.bd.MotherLinkStatus(9), femme ? 0 : 3);
        EXPECT_FALSE(f.bd.UnionInUse(3));
        EXPECT_FALSE(f.bd.EventInUse(mariage));
        EXPECT_EQ(f.bd.EventInUse(naissance), femme);
        EXPECT_TRUE(f.bd.IndexUnions(restant).empty());
        EXPECT_TRUE(f.bd.UnionInUse(5));
        EXPECT_EQ(BaseModifiee, 1);
        EXPECT_TRUE(saine(f.bd));
    }
}

// Unions that lost nobody in the removal keep what they know; only the empty
// ones and partner numbers naming no person go, also with nothing removed.
TEST(SuppressionPersonnes, UnionsIncompletesAilleurs)
{
    for (const bool rien : {false, true}) {
        FamilleTest f;
        const int veuf = f.bd.NewUnion();
        f.bd.SetHusband(veuf, 11);
        f.bd.SetUnionField(veuf, UcMariageDate, QStringLiteral("1949"));
        const int vide = f.bd.NewUnion();
        const int pendante = f.bd.NewUnionOf(6, 3);
        f.bd.SetWife(pendante, 10);
        f.bd.SetFather(7, 10);
        SupprimePersonnes(f.bd, rien ? marques(f.bd, {}) : marques(f.bd, {13}), false, 1);
        EXPECT_EQ(f.bd.PersonInUse(13), rien);
        EXPECT_TRUE(f.bd.UnionInUse(veuf));
        EXPECT_EQ(f.bd.Husband(veuf), 11);
        EXPECT_EQ(f.bd.MarriageDate(veuf), QStringLiteral("1949"));
        EXPECT_FALSE(f.bd.UnionInUse(vide));
        EXPECT_TRUE(f.bd.UnionInUse(pendante));
        EXPECT_EQ(f.bd.Wife(pendante), 0);
        EXPECT_EQ(f.bd.Father(7), 0);
        EXPECT_TRUE(f.bd.UnionInUse(5));
        EXPECT_TRUE(saine(f.bd));
    }
}

// ---- The window -------------------------------------------------------------------

class Hote final : public THoteSupprime
{
public:
    int Selec = 0;
    TR Rapport;
    TR Montree;
    QString Titre;
    int NbMontre = 0, NbSupprimees = 0, NbCache = 0;
    int SelecPers() const override { return Selec; }
    void SetSelecPers(int p) override { Selec = p; }
    TR ListeRapport() const override { return Rapport; }
    void MontreListe(const TR &l, const QString &t) override { Montree = l, Titre = t, ++NbMontre; }
    void PersonnesSupprimees() override { ++NbSupprimees; }
    void SupprimeCache() override { ++NbCache; }
};

struct Fenetre : FamilleTest {
    Hote hote;
    QPointer<TfmSupprime> f;

    explicit Fenetre(int ref, std::initializer_list<int> rapport = {})
    {
        RefPers = 1;
        hote.Selec = ref;
        for (int p : rapport)
            hote.Rapport.Add(p);
        f = new TfmSupprime(bd, hote);
        f->show();
    }
    ~Fenetre() { delete f.data(); }

    template <typename T>
    T *c(const char *nom) const
    {
        T *w = f->findChild<T *>(QString::fromLatin1(nom));
        EXPECT_NE(w, nullptr) << nom;
        return w;
    }
    QCheckBox *caseA(const char *nom) const { return c<QCheckBox>(nom); }
    QString liste() const { return c<QToolButton>("sbListe")->text(); }
    // Lets the window's deferred deletion after a close happen.
    bool fermee() const
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return f.isNull();
    }
};

TEST(FenetreSupprime, EtatInitialEtCasesDesRelations)
{
    // The relatives boxes enabled for each reference.
    const std::pair<int, const char *> cas[] = {{13, "CB_Pere CB_Mere"}, {1, "CB_Conj CB_Enfant"},
                                                {4, "CB_Pere CB_Mere CB_Conj CB_Fatrie CB_Enfant"},
                                                {7, "CB_Mere CB_Fatrie"}, {0, ""}};
    for (const auto &c : cas) {
        Fenetre w(c.first);
        const QStringList actives = QString::fromLatin1(c.second).split(u' ');
        for (const char *nom : {"CB_Pere", "CB_Mere", "CB_Conj", "CB_Fatrie", "CB_Enfant"})
            EXPECT_EQ(w.caseA(nom)->isEnabled(), actives.contains(QLatin1String(nom))) << c.first << " " << nom;
        EXPECT_FALSE(w.caseA("cbRapport")->isEnabled());
        EXPECT_EQ(w.c<QLabel>("L_Nom")->text(), c.first ? w.bd.FullName(c.first) : QString());
    }

    Fenetre w(9, {2, 3, 5});
    EXPECT_TRUE(w.caseA("CB_Pers")->isChecked() && w.caseA("cbCalculer")->isChecked());
    EXPECT_TRUE(w.c<QRadioButton>("rbSupprimer")->isChecked());
    EXPECT_EQ(w.c<QSpinBox>("eAge")->value(), 100);
    for (const char *nom :
         {"cbAscConj", "cbAscConjAsc", "cbAscFratrie", "cbAscFratrieDes", "cbDesConj", "cbDesConjAsc"})
        EXPECT_FALSE(w.caseA(nom)->isEnabled()) << nom;
    EXPECT_EQ(w.caseA("cbRapport")->text(), QStringLiteral("Les personnes listées dans le rapport (3 pers.)"));
    EXPECT_TRUE(w.caseA("cbRapport")->isEnabled());
    EXPECT_EQ(w.liste(), QStringLiteral("Liste d'une fiche supprimée"));
}

TEST(FenetreSupprime, CasesDependantesEnCascade)
{
    Fenetre w(9);
    const char *asc[] = {"cbAscConj", "cbAscConjAsc", "cbAscFratrie", "cbAscFratrieDes"};
    w.caseA("CB_Asc")->click();
    EXPECT_TRUE(w.caseA("cbAscConj")->isEnabled());
    EXPECT_FALSE(w.caseA("cbAscConjAsc")->isEnabled());
    for (const char *nom : asc)
        w.caseA(nom)->click();
    for (const char *nom : asc)
        EXPECT_TRUE(w.caseA(nom)->isChecked()) << nom;
    EXPECT_EQ(w.liste(), QStringLiteral("Liste des 11 fiches supprimées"));

    w.caseA("CB_Asc")->click();
    for (const char *nom : asc) {
        EXPECT_FALSE(w.caseA(nom)->isChecked()) << nom;
        EXPECT_FALSE(w.caseA(nom)->isEnabled()) << nom;
    }
    EXPECT_EQ(w.liste(), QStringLiteral("Liste d'une fiche supprimée"));

    for (const char *nom : {"CB_Des", "cbDesConj", "cbDesConjAsc", "CB_Des"})
        w.caseA(nom)->click();
    EXPECT_FALSE(w.caseA("cbDesConj")->isChecked() || w.caseA("cbDesConjAsc")->isEnabled());
}

// Numbers typed count at once; letters are refused. The window is not
// modal, so Ok works on the database as it is by then, not on the last count.
TEST(FenetreSupprime, NombresAuClavierPuisOk)
{
    Fenetre w(1);
    w.caseA("CB_Pers")->click();
    w.caseA("CB_Des")->click();
    EXPECT_EQ(w.liste(), QStringLiteral("Liste des 3 fiches supprimées"));
    auto *gen = w.c<QSpinBox>("eDesGen");
    EXPECT_EQ(w.c<QLabel>("L_DesGen")->text(), QStringLiteral("génération"));
    gen->selectAll();
    QTest::keyClicks(gen, QStringLiteral("2"));
    EXPECT_EQ(w.liste(), QStringLiteral("Liste des 5 fiches supprimées"));
    EXPECT_EQ(w.c<QLabel>("L_DesGen")->text(), QStringLiteral("générations"));

    // The units agree with the numbers.
    auto *age = w.c<QSpinBox>("eAge");
    age->selectAll();
    QTest::keyClicks(age, QStringLiteral("1"));
    EXPECT_EQ(w.c<QLabel>("L_Age")->text(), QStringLiteral("an"));
    age->selectAll();
    QTest::keyClicks(age, QStringLiteral("4x2"));
    EXPECT_EQ(age->value(), 42);
    EXPECT_EQ(w.c<QLabel>("L_Age")->text(), QStringLiteral("ans"));
    EXPECT_EQ(w.c<QLabel>("L_AscGen")->text(), QStringLiteral("génération"));

    w.bd.DeletePerson(6);
    ASSERT_EQ(w.bd.NewPerson(), 6);
    w.c<QPushButton>("B_Ok")->click();
    EXPECT_EQ(AllPersons(w.bd).Count(), 8);
    EXPECT_TRUE(w.bd.PersonInUse(6));
    EXPECT_TRUE(saine(w.bd));
}

// The count's button is as wide as the longest count from the start: the
// window keeps its size and its buttons their place as the count grows.
TEST(FenetreSupprime, UnLongCompteNeDeplacePasLesBoutons)
{
    Fenetre w(1);
    while (w.bd.CanAddPerson())
        w.bd.NewPerson();
    const QRect avant = w.f->geometry();
    auto *annuler = w.c<QPushButton>("B_Annuler");
    const QPoint place = annuler->mapTo(w.f, QPoint(0, 0));
    w.c<QRadioButton>("rbConserver")->click();
    ASSERT_EQ(w.liste(), QStringLiteral("Liste des 99999 fiches supprimées"));
    QCoreApplication::processEvents();
    EXPECT_EQ(w.f->geometry(), avant);
    EXPECT_EQ(annuler->mapTo(w.f, QPoint(0, 0)), place);
}

TEST(FenetreSupprime, CompteEtListeDansLeRapport)
{
    Fenetre w(13);
    auto *sbListe = w.c<QToolButton>("sbListe");
    EXPECT_EQ(w.liste(), QStringLiteral("Liste d'une fiche supprimée"));
    EXPECT_TRUE(sbListe->isEnabled());
    // Counted, nothing to remove: there is no list to show.
    w.caseA("CB_Pers")->click();
    EXPECT_EQ(w.liste(), QStringLiteral("Liste vide"));
    EXPECT_FALSE(sbListe->isEnabled());
    QTest::mouseClick(sbListe, Qt::LeftButton);
    EXPECT_EQ(w.hote.NbMontre, 0);
    w.caseA("CB_Pers")->click();
    w.caseA("cbCalculer")->click();
    EXPECT_EQ(w.liste(), QStringLiteral("Liste vide"));
    EXPECT_FALSE(sbListe->isEnabled());
    w.caseA("cbCalculer")->click();
    w.c<QRadioButton>("rbConserver")->click();
    EXPECT_EQ(w.liste(), QStringLiteral("Liste des 11 fiches supprimées"));
    w.c<QToolButton>("sbListe")->click();
    EXPECT_EQ(w.hote.NbMontre, 1);
    EXPECT_EQ(w.hote.Titre, QStringLiteral("Liste des 11 fiches supprimées"));
    EXPECT_EQ(std::vector<int>(w.hote.Montree.begin(), w.hote.Montree.end()),
              (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12}));
    EXPECT_EQ(AllPersons(w.bd).Count(), 12);
}

// Ok, Annuler and Escape all close the window; only Ok removes, also with
// the count turned off.
TEST(FenetreSupprime, FermetureParOkAnnulerOuEchap)
{
    enum Action { Ok, Annuler, Echap };
    const struct {
        Action action;
        bool conserver, calculer;
        int personnes, courant;
    } cas[] = {{Ok, false, true, 11, 9}, {Ok, true, false, 1, 13}, {Annuler, false, true, 12, 13},
               {Echap, true, true, 12, 13}};
    for (const auto &c : cas) {
        Fenetre w(13);
        if (c.conserver)
            w.c<QRadioButton>("rbConserver")->click();
        if (!c.calculer)
            w.caseA("cbCalculer")->click();
        if (c.action == Ok)
            w.c<QPushButton>("B_Ok")->click();
        else if (c.action == Annuler)
            w.c<QPushButton>("B_Annuler")->click();
        else
            QTest::keyClick(w.f, Qt::Key_Escape);
        EXPECT_EQ(AllPersons(w.bd).Count(), c.personnes) << c.action;
        EXPECT_EQ(w.hote.Selec, c.courant);
        EXPECT_EQ(w.hote.NbSupprimees, c.action == Ok ? 1 : 0);
        EXPECT_TRUE(w.fermee());
        EXPECT_EQ(w.hote.NbCache, 1);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        EXPECT_TRUE(saine(w.bd));
    }
}

} // namespace
