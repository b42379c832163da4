// The advanced selection (its rows and joins, its selection files, its
// panel) and the ancestry web page panel of the report options window,
// driven as a user does.

#include <gtest/gtest.h>

#include <set>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "BD.h"
#include "Dates.h"
#include "DialoguesScriptes.h"
#include "FamilleTest.h"
#include "Globales.h"
#include "Ini.h"
#include "Langue.h"
#include "Modeles.h"
#include "ModelesLivres.h"
#include "PagesHtml.h"
#include "Parente.h"
#include "ReponseModale.h"
#include "SelectionAvancee.h"
#include "TfmEditeContenu.h"
#include "TfmRapport.h"
#include "TfmRapportCritere.h"

using namespace Qt::StringLiterals;

namespace {

using V = std::vector<int>;

QString S(const char *texte) { return QString::fromUtf8(texte); }

V v(const TR &l)
{
    return {l.begin(), l.end()};
}

QByteArray contenu(const QString &chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<absent>");
}

void ecrit(const QString &chemin, const QByteArray &octets)
{
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(octets);
}

// The persons in use that pass a predicate, in number order.
V ceux(const TBD &bd, const std::function<bool(int)> &passe)
{
    V r;
    for (int p = 1; p <= bd.PersonCount(); ++p) {
        if (bd.PersonInUse(p) && passe(p))
            r.push_back(p);
    }
    return r;
}

// "ET" and "OU" as the selection defines them, written out plainly.
V et(const V &a, const V &b)
{
    V r;
    for (int x : a) {
        for (int y : b) {
            if (x == y)
                r.push_back(x);
        }
    }
    return r;
}
V ou(const V &a, const V &b)
{
    V r = a;
    const std::set<int> dansA(a.begin(), a.end());
    for (int y : b) {
        if (!dansA.count(y))
            r.push_back(y);
    }
    return r;
}

// ---- Rows and joins --------------------------------------------------------

// Row 1 the MARTIN, row 2 the women, row 3 the persons born before 1910:
// ((1 ET 2) OU 3) and (1 ET (2 OU 3)) differ on this family, and the
// selection gives the first.
TEST(SelectionAvancee, RowsJoinStrictlyLeftToRight)
{
    FamilleTest f;
    const TBD &bd = f.bd;
    TSelectionAvancee s;
    s.Criteres[0] = {u"<nom>"_s, 0, u"martin"_s};
    s.Criteres[1] = {u"<sexe>"_s, 0, u"F"_s};
    s.Criteres[2] = {u"<naissance>"_s, 9, u"1910"_s};
    s.Jonctions = {JonctionEt, JonctionOu};
    const V martin = ceux(bd, [&](int p) { return bd.Surname(p) == u"MARTIN"_s; });
    const V femmes = ceux(bd, [&](int p) { return bd.Sex(p) == SexeFemme; });
    const V avant1910 = ceux(bd, [&](int p) {
        const int an = DateYear(bd.BirthDate(p));
        // An unknown date is earlier than any other.
        return an < 1910;
    });
    const TR tous = AllPersons(bd);
    const V gauche = ou(et(martin, femmes), avant1910);
    ASSERT_NE(gauche, et(martin, ou(femmes, avant1910)));
    EXPECT_EQ(v(EvalueSelection(tous, s, ExpandeurDe(bd))), gauche);

    // "OU" then "ET".
    s.Jonctions = {JonctionOu, JonctionEt};
    EXPECT_EQ(v(EvalueSelection(tous, s, ExpandeurDe(bd))), et(ou(martin, femmes), avant1910));
    // A "(vide)" join ends the selection, whatever follows it.
    s.Jonctions = {JonctionVide, JonctionOu};
    EXPECT_EQ(v(EvalueSelection(tous, s, ExpandeurDe(bd))), martin);
    // Each row is taken from the source, in its order.
    s.Jonctions = {JonctionEt, JonctionVide};
    TR source;
    for (int p : {13, 5, 2, 9, 5})
        source.Add(p);
    EXPECT_EQ(v(EvalueSelection(source, s, ExpandeurDe(bd))), (V{5, 5, 5, 5}));
    // An empty value keeps the whole source.
    s.Criteres[0].Valeur.clear();
    s.Jonctions = {JonctionVide, JonctionVide};
    EXPECT_EQ(v(EvalueSelection(source, s, ExpandeurDe(bd))), v(source));
}

// A value beginning with "<" is a template of the same person: those who
// died where they were born.
TEST(SelectionAvancee, ATemplateValueComparesTwoFieldsOfOnePerson)
{
    FamilleTest f;
    TBD &bd = f.bd;
    const char *const lieux[][2] = {{"Paris", "Paris"}, {"Lyon", "Paris"}, {"", ""}, {"Lille", "lille"}};
    for (int i = 0; i < 4; ++i) {
        bd.SetField(i + 1, PcNaissanceLieu, S(lieux[i][0]));
        bd.SetField(i + 1, PcDecesLieu, S(lieux[i][1]));
    }
    TSelectionAvancee s;
    s.Criteres[0] = {u"<lieu naissance>"_s, 0, u"<lieu décès>"_s};
    const V attendu = ceux(bd, [&](int p) {
        return bd.GetField(p, PcNaissanceLieu).compare(bd.GetField(p, PcDecesLieu), Qt::CaseInsensitive) == 0;
    });
    EXPECT_EQ(v(EvalueSelection(AllPersons(bd), s, ExpandeurDe(bd))), attendu);
    EXPECT_EQ(attendu.front(), 1);
    EXPECT_EQ(std::count(attendu.begin(), attendu.end(), 2), 0);
}

// Reading a selection file never trusts its numbers: tests out of the list
// choose none, a test that is not a number (or none at all) "texte égal à".
TEST(SelectionAvancee, ReadingASelectionFile)
{
    QTemporaryDir dossier;
    const struct {
        const char *lignes;
        int source, test1, test2, jonction1, jonction2;
    } cas[] = {
        {"Rech=Tous\nTest 1=3\nTest 2=14\nEtOu 1=ET\nEtOu 2=OU\n", SourceTous, 3, 14, JonctionEt, JonctionOu},
        {"Rech=tous\nTest 1=-1\nEtOu 1=ou\nEtOu 2=vide\n", SourceTous, -1, 0, JonctionOu, JonctionVide},
        {"Rech=Rapport\nTest 1=15\nTest 2=-2\nEtOu 1=X\n", SourceRapport, -1, -1, JonctionVide, JonctionVide},
        {"Test 1=abc\nTest 2=99999999999\n", SourceRapport, 0, -1, JonctionVide, JonctionVide},
        {"", SourceRapport, 0, 0, JonctionVide, JonctionVide},
    };
    for (const auto &c : cas) {
        SCOPED_TRACE(c.lignes);
        const QString chemin = dossier.filePath(u"s.mvp"_s);
        ecrit(chemin, QByteArray("[Selection]\nTitre=T\nCode 1=<nom>\n") + c.lignes);
        const TSelectionAvancee s = LitSelection(TIniFile(chemin, TEncodage::Windows1252));
        EXPECT_EQ(s.Source, c.source);
        EXPECT_EQ(s.Titre, u"T"_s);
        EXPECT_EQ(s.Criteres[0].Code, u"<nom>"_s);
        EXPECT_EQ(s.Criteres[0].Test, c.test1);
        EXPECT_EQ(s.Criteres[1].Test, c.test2);
        EXPECT_EQ(s.Criteres[2].Test, 0);
        EXPECT_EQ(s.Jonctions[0], c.jonction1);
        EXPECT_EQ(s.Jonctions[1], c.jonction2);
    }
}

// ---- The panel -------------------------------------------------------------

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

// Persons born in Paris or Lyon around 1800, some of them called M...:
//   1 MARTIN Jean, Paris 1750      2 MOREAU Anne, Paris 1810
//   3 DUVAL Paul, Paris 1760       4 Michel Louis, Lyon 1700
//   5 MERCIER Léa, Paris 12/3/1799 6 LEROY Marc, Lyon 1850
//   7 MARCHAND Luc, Paris 1801
struct Naissances {
    TBD bd;
    Naissances()
    {
        const struct {
            const char *nom, *prenom, *lieu, *date;
        } personnes[] = {
            {"MARTIN", "Jean", "FRA,IDF,F75,Paris", "1750"},      {"MOREAU", "Anne", "FRA,IDF,F75,Paris", "1810"},
            {"DUVAL", "Paul", "FRA,IDF,F75,Paris", "1760"},       {"Michel", "Louis", "FRA,ARA,F69,Lyon", "1700"},
            {"MERCIER", "Léa", "FRA,IDF,F75,Paris", "12/3/1799"}, {"LEROY", "Marc", "FRA,ARA,F69,Lyon", "1850"},
            {"MARCHAND", "Luc", "FRA,IDF,F75,Paris", "1801"},
        };
        for (const auto &x : personnes) {
            const int p = bd.NewPerson();
            bd.SetSurname(p, S(x.nom));
            bd.SetGivenNames(p, S(x.prenom));
            bd.SetBirthDate(p, S(x.date));
            bd.SetField(p, PcNaissanceLieu, S(x.lieu));
        }
    }
};

// The report window and its options window on the pAvance panel, as the
// main window makes them; `Recree` stands for quitting and starting again.
class Avance : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(ChargeLangue(QStringLiteral(LIGNEE_MODELE "/langue.txt"))); }

    void SetUp() override
    {
        DossierRapport = dossier.path() + u'/';
        NomModeleDefaut = u"defaut"_s;
        ASSERT_TRUE(QFile::copy(QStringLiteral(LIGNEE_MODELE "/1/rapport/defaut.mvr"), DossierRapport + u"defaut.mvr"_s));
        Recree();
    }
    void TearDown() override { DossierRapportUser.clear(); }

    void Recree()
    {
        critere.reset();
        rapport.reset();
        rapport = std::make_unique<TfmRapport>(base.bd, hote);
        hote.Fenetre = rapport.get();
        // As the main window does at start-up.
        rapport->Charge(DossierRapport + u"defaut.mvr"_s);
        critere = std::make_unique<TfmRapportCritere>(base.bd, *rapport, [] { return 1; }, std::function<TR()>());
        critere->MontrePanneau(TfmRapportCritere::PanneauAvance);
        QApplication::setActiveWindow(critere.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(critere.get()));
    }

    template <typename T>
    T *controle(const QString &nom) const
    {
        T *c = critere->findChild<T *>(nom);
        EXPECT_NE(c, nullptr) << nom.toStdString();
        return c;
    }
    QLineEdit *edit(const char *nom) const { return controle<QLineEdit>(S(nom)); }
    QComboBox *liste(const char *nom) const { return controle<QComboBox>(S(nom)); }
    bool montre(const char *nom) const { return controle<QWidget>(S(nom))->isVisible(); }

    // Types at the end of an edit, as the keyboard does, then lets the
    // selection apply.
    void tape(const char *nom, const QString &texte)
    {
        QLineEdit *e = edit(nom);
        e->setFocus();
        e->end(false);
        for (const QChar c : texte) {
            if (c.unicode() < 0x80)
                QTest::keyClick(e, static_cast<char>(c.unicode()));
            else
                QTest::sendKeyEvent(QTest::Click, e, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
        attends();
    }
    void efface(const char *nom)
    {
        QLineEdit *e = edit(nom);
        e->setFocus();
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Delete);
        attends();
    }
    // Opens a list and clicks the item of that text.
    void choisit(QComboBox *c, const QString &texte)
    {
        c->showPopup();
        QAbstractItemView *vue = c->view();
        const int ligne = c->findText(texte);
        ASSERT_GE(ligne, 0) << texte.toStdString();
        QTest::mouseClick(vue->viewport(), Qt::LeftButton, {}, vue->visualRect(vue->model()->index(ligne, 0)).center());
        attends();
    }
    void choisit(const char *nom, const char *texte) { choisit(liste(nom), S(texte)); }
    void appuie(const char *nom)
    {
        QTest::mouseClick(controle<QAbstractButton>(S(nom)), Qt::LeftButton);
        attends();
    }
    // The selection applies at the next turn of the event loop.
    static void attends() { QTest::qWait(1); }

    // The selection of the done-when scenario: born in Paris before 1800,
    // surname beginning with "M".
    void selectionParis()
    {
        tape("echp1", u"<lieu naissance>"_s);
        choisit("cbsign1", "texte contient");
        tape("ecomp1", u"Paris"_s);
        choisit("cbetou1", "ET");
        tape("echp2", u"<naissance>"_s);
        choisit("cbsign2", "date inférieure à");
        tape("ecomp2", u"1800"_s);
        choisit("cbetou2", "ET");
        tape("echp3", u"<nom>"_s);
        choisit("cbsign3", "texte commence par");
        tape("ecomp3", u"m"_s);
    }
    V parisAvant1800M() const
    {
        const TBD &bd = base.bd;
        return ceux(bd, [&](int p) {
            return bd.BirthPlace(p).contains(u"Paris"_s) && DateYear(bd.BirthDate(p)) < 1800
                   && bd.Surname(p).startsWith(u'M', Qt::CaseInsensitive);
        });
    }

    QTemporaryDir dossier;
    Naissances base;
    TDialoguesScriptes dialogues;
    Hote hote;
    std::unique_ptr<TfmRapport> rapport;
    std::unique_ptr<TfmRapportCritere> critere;
};

// The rows show as they are filled in, and go away when their join does.
TEST_F(Avance, RowsShowAsTheUserFillsThemIn)
{
    EXPECT_EQ(edit("eTitre")->text(), S("Rapport personnalisé"));
    EXPECT_EQ(liste("cbSource")->currentIndex(), 0);
    EXPECT_EQ(liste("cbsign1")->currentIndex(), -1);
    EXPECT_EQ(edit("eFileP")->text(), u"defaut"_s);
    EXPECT_TRUE(controle<QCheckBox>(u"cbAppAvance"_s)->isChecked());
    EXPECT_FALSE(montre("cbTrtCol"));
    const auto etat = [this] {
        return std::vector<bool>{montre("cbetou1"), montre("echp2"), montre("bchp2"), montre("cbsign2"),
                                 montre("ecomp2"), montre("cbetou2"), montre("echp3"), montre("ecomp3")};
    };
    using E = std::vector<bool>;
    EXPECT_EQ(etat(), E(8, false));
    tape("echp1", u"<nom>"_s);
    EXPECT_EQ(etat(), E(8, false)); // no test yet
    choisit("cbsign1", "texte égal à");
    EXPECT_EQ(etat(), (E{true, false, false, false, false, false, false, false}));
    choisit("cbetou1", "OU");
    EXPECT_EQ(etat(), (E{true, true, true, true, true, false, false, false}));
    tape("echp2", u"<sexe>"_s);
    EXPECT_EQ(etat(), (E{true, true, true, true, true, true, false, false}));
    choisit("cbetou2", "ET");
    EXPECT_EQ(etat(), (E{true, true, true, true, true, true, true, true}));
    // Without a code, row 2 hides its join, and row 3 goes with it.
    efface("echp2");
    EXPECT_EQ(etat(), (E{true, true, true, true, true, false, false, false}));
    tape("echp2", u"<sexe>"_s);
    EXPECT_EQ(liste("cbetou2")->currentIndex(), JonctionEt);
    EXPECT_TRUE(montre("echp3"));
    // Row 2 hidden, its join goes back to "(vide)".
    choisit("cbetou1", "(vide)");
    EXPECT_EQ(etat(), (E{true, false, false, false, false, false, false, false}));
    EXPECT_EQ(liste("cbetou2")->currentIndex(), JonctionVide);
    efface("echp1");
    EXPECT_FALSE(montre("cbetou1"));
}

// Done when: everyone born in Paris before 1800 whose surname begins with
// "M", built row by row with the report following, saved, and loaded again
// after a restart.
TEST_F(Avance, ASelectionFollowsTheRowsAndComesBackAfterARestart)
{
    tape("echp1", u"<lieu naissance>"_s);
    choisit("cbsign1", "texte contient");
    EXPECT_EQ(rapport->Liste().Count(), base.bd.PersonCount()); // no value: everyone
    tape("ecomp1", u"paris"_s);
    EXPECT_EQ(v(rapport->Liste()), ceux(base.bd, [&](int p) { return base.bd.BirthPlace(p).contains(u"Paris"_s); }));
    EXPECT_TRUE(rapport->isVisible());
    efface("ecomp1");
    selectionParis();
    const V attendu = parisAvant1800M();
    ASSERT_FALSE(attendu.empty());
    EXPECT_EQ(v(rapport->Liste()), attendu);
    EXPECT_EQ(rapport->Titre(), S("Rapport personnalisé"));
    tape("eTitre", u" M"_s);
    EXPECT_EQ(rapport->Titre(), S("Rapport personnalisé M"));
    EXPECT_EQ(rapport->windowTitle(), S("Rapport personnalisé M (%1 personnes)").arg(attendu.size()));

    edit("eFileP")->setText(u"Paris"_s);
    appuie("sbSauveP");
    ASSERT_TRUE(QFile::exists(DossierRapport + u"Paris.mvp"_s));

    Recree();
    EXPECT_EQ(edit("echp1")->text(), QString());
    EXPECT_FALSE(montre("echp2"));
    QComboBox *fichiers = liste("CB_FileListP");
    choisit(fichiers, u"paris"_s);
    EXPECT_EQ(edit("eFileP")->text(), u"paris"_s);
    EXPECT_EQ(edit("ecomp2")->text(), u"1800"_s);
    EXPECT_EQ(liste("cbsign3")->currentText(), u"texte commence par"_s);
    EXPECT_TRUE(montre("echp3"));
    EXPECT_EQ(v(rapport->Liste()), attendu);
    EXPECT_EQ(rapport->Titre(), S("Rapport personnalisé M"));
}

// A row 2 with a value but no code holds the selection back until it gets a
// code or loses its value; unchecked, nothing applies before "Ok", which
// closes the window.
TEST_F(Avance, WhenTheSelectionApplies)
{
    tape("echp1", u"<nom>"_s);
    choisit("cbsign1", "texte commence par");
    tape("ecomp1", u"M"_s);
    const V m = ceux(base.bd, [&](int p) { return base.bd.Surname(p).startsWith(u'M', Qt::CaseInsensitive); });
    ASSERT_EQ(v(rapport->Liste()), m);
    choisit("cbetou1", "ET");
    tape("ecomp2", u"1800"_s);
    EXPECT_EQ(v(rapport->Liste()), m);
    choisit("cbsign2", "date supérieure à");
    EXPECT_EQ(v(rapport->Liste()), m);
    tape("echp2", u"<naissance>"_s);
    const V apres = ceux(base.bd, [&](int p) {
        return base.bd.Surname(p).startsWith(u'M', Qt::CaseInsensitive) && DateYear(base.bd.BirthDate(p)) > 1800;
    });
    EXPECT_EQ(v(rapport->Liste()), apres);

    QTest::mouseClick(controle<QCheckBox>(u"cbAppAvance"_s), Qt::LeftButton);
    choisit("cbsign2", "date inférieure à");
    EXPECT_EQ(v(rapport->Liste()), apres);
    // The title is the report's at every change, applied or not.
    tape("eTitre", u" bis"_s);
    EXPECT_EQ(rapport->Titre(), S("Rapport personnalisé bis"));
    EXPECT_EQ(v(rapport->Liste()), apres);
    appuie("bOkAvance");
    const V avant = et(m, ceux(base.bd, [&](int p) { return DateYear(base.bd.BirthDate(p)) < 1800; }));
    EXPECT_EQ(v(rapport->Liste()), avant);
    EXPECT_EQ(rapport->windowTitle(), S("Rapport personnalisé bis (%1 personnes)").arg(avant.size()));
    EXPECT_FALSE(critere->isVisible());
}

// "Texte inférieur à" and "texte supérieur à" compare texts: every birth
// year, a text beginning with "1", comes before "9".
TEST_F(Avance, TextTestsCompareTextsNotNumbers)
{
    tape("echp1", u"<naissance>"_s);
    choisit("cbsign1", "texte inférieur à");
    tape("ecomp1", u"9"_s);
    EXPECT_EQ(v(rapport->Liste()), ceux(base.bd, [](int) { return true; }));
    choisit("cbsign1", "texte supérieur à");
    EXPECT_EQ(v(rapport->Liste()), V());
    // After "1750": 1810, 1760, 1850 and 1801, not 1700 nor "12/3/1799".
    efface("ecomp1");
    tape("ecomp1", u"1750"_s);
    EXPECT_EQ(v(rapport->Liste()), (V{2, 3, 6, 7}));
}

// Keys typed while the report fills (here with a list from another window)
// are applied once the fill is over.
TEST_F(Avance, KeysTypedDuringAFillAreApplied)
{
    // Enough persons for the fill to stop for messages several times.
    for (int i = 0; i < 400; ++i) {
        const int p = base.bd.NewPerson();
        base.bd.SetSurname(p, u"PAU"_s);
        base.bd.SetField(p, PcNaissanceLieu, i % 2 ? u"FRA,NAQ,F64,Pau"_s : u"FRA,IDF,F75,Paris"_s);
    }
    tape("echp1", u"<lieu naissance>"_s);
    choisit("cbsign1", "texte contient");
    bool pendant = false;
    QTimer guet;
    guet.setInterval(0);
    QObject::connect(&guet, &QTimer::timeout, [&] {
        if (!rapport->Occupe())
            return;
        guet.stop();
        pendant = true;
        QTest::keyClicks(edit("ecomp1"), u"Paris"_s);
    });
    guet.start();
    ASSERT_TRUE(rapport->AfficheListe(AllPersons(base.bd), u"Toutes les personnes"_s));
    ASSERT_TRUE(pendant);
    const V paris = ceux(base.bd, [&](int p) { return base.bd.BirthPlace(p).contains(u"Paris"_s); });
    EXPECT_TRUE(QTest::qWaitFor([&] { return v(rapport->Liste()) == paris; }, 5000));
}

// "Individus dans le rapport" takes the report's persons; with no report,
// nobody.
TEST_F(Avance, TheReportAsSource)
{
    choisit("cbSource", "Individus dans le rapport");
    tape("echp1", u"<nom>"_s);
    choisit("cbsign1", "texte commence par");
    tape("ecomp1", u"M"_s);
    EXPECT_TRUE(rapport->Liste().IsEmpty());
    EXPECT_TRUE(rapport->isVisible());

    TR deux;
    deux.Add(2);
    deux.Add(3);
    ASSERT_TRUE(rapport->AfficheListe(deux, u"Deux"_s));
    efface("ecomp1");
    tape("ecomp1", u"M"_s);
    EXPECT_EQ(v(rapport->Liste()), (V{2}));
}

// ---- Selection files -------------------------------------------------------

const QByteArray Selection = "[Selection]\r\n"
                             "Rech=Tous\r\n"
                             "Titre=Rapport personnalis\xe9\r\n"
                             "Code 1=<lieu naissance>\r\n"
                             "Test 1=2\r\n"
                             "Valeur 1=Paris\r\n"
                             "EtOu 1=ET\r\n"
                             "Code 2=<naissance>\r\n"
                             "Test 2=9\r\n"
                             "Valeur 2=1800\r\n"
                             "EtOu 2=ET\r\n"
                             "Code 3=<nom>\r\n"
                             "Test 3=4\r\n"
                             "Valeur 3=m\r\n";

// The first save of a session writes the selection alone; from then on the
// column model goes first, as the file format has it.
TEST_F(Avance, SelectionFilesAsWritten)
{
    selectionParis();
    edit("eFileP")->setText(u"a"_s);
    appuie("sbSauveP");
    EXPECT_EQ(contenu(DossierRapport + u"a.mvp"_s), "[Lignee]\r\nVersion=2\r\n\r\n" + Selection);
    EXPECT_TRUE(controle<QCheckBox>(u"cbTrtCol"_s)->isChecked());

    rapport->Modele().resize(2);
    rapport->Modele()[1].Large = 130;
    edit("eFileP")->setText(u"b"_s);
    appuie("sbSauveP");
    EXPECT_EQ(contenu(DossierRapport + u"b.mvp"_s), "[Lignee]\r\nVersion=2\r\n\r\n"
                                                    "[Colonne]\r\nNbre=2\r\n"
                                                    "Titre 1=Nom\r\nCode 1=<nom>\r\nType 1=Texte\r\nLarge 1=110\r\n"
                                                    "Titre 2=Pr\xe9noms\r\nCode 2=<pr\xe9nom>\r\nType 2=Texte\r\n"
                                                    "Large 2=130\r\n\r\n"
                                                        + Selection);

    // Saving over a file asks first, whatever the case of the name; No
    // writes nothing.
    efface("ecomp3");
    edit("eFileP")->setText(u"B"_s);
    appuie("sbSauveP");
    ASSERT_EQ(dialogues.Messages.size(), 1);
    EXPECT_TRUE(dialogues.Messages[0].startsWith(S("Ce modèle existe déjà.")));
    EXPECT_TRUE(contenu(DossierRapport + u"b.mvp"_s).contains("Valeur 3=m\r\n"));
    dialogues.OuiNon = {true};
    appuie("sbSauveP");
    EXPECT_TRUE(contenu(DossierRapport + u"b.mvp"_s).contains("Valeur 3=\r\n"));
    EXPECT_EQ(QDir(DossierRapport).entryList({u"*.mvp"_s}), (QStringList{u"a.mvp"_s, u"b.mvp"_s}));
}

// A file carrying columns gives them to the report when it loads; a file
// written by hand without its tests selects with "texte égal à"; a file
// gone since the list was filled is told and changes nothing.
TEST_F(Avance, LoadingSelectionFiles)
{
    ecrit(DossierRapport + u"Colonnes.mvp"_s, "[Lignee]\nVersion=2\n[Colonne]\nNbre=1\nTitre 1=Sexe\nCode 1=<sexe>\n"
                                              "[Selection]\nRech=Tous\nTitre=Hommes\nCode 1=<sexe>\nValeur 1=H\n"
                                              "EtOu 1=OU\nCode 2=<nom>\nValeur 2=leroy\n");
    ecrit(DossierRapport + u"disparu.mvp"_s, "[Selection]\nCode 1=<nom>\n");
    QComboBox *fichiers = liste("CB_FileListP");
    choisit(fichiers, u"colonnes"_s);
    EXPECT_EQ(liste("cbsign1")->currentText(), S("texte égal à"));
    EXPECT_EQ(liste("cbsign2")->currentText(), S("texte égal à"));
    EXPECT_EQ(liste("cbetou1")->currentText(), u"OU"_s);
    EXPECT_TRUE(montre("echp2"));
    EXPECT_TRUE(montre("cbetou2"));
    EXPECT_FALSE(montre("echp3"));
    ASSERT_EQ(rapport->Modele().size(), 1u);
    EXPECT_EQ(rapport->Modele()[0].Titre, u"Sexe"_s);
    const V attendu = ceux(base.bd, [&](int p) { return base.bd.Sex(p) == SexeHomme; });
    EXPECT_EQ(v(rapport->Liste()), ou(attendu, ceux(base.bd, [&](int p) { return base.bd.Surname(p) == u"LEROY"_s; })));
    EXPECT_EQ(rapport->windowTitle(), u"Hommes (%1 personnes)"_s.arg(rapport->Liste().Count()));

    // The file goes while the list is open.
    fichiers->showPopup();
    ASSERT_TRUE(QFile::remove(DossierRapport + u"disparu.mvp"_s));
    QAbstractItemView *vue = fichiers->view();
    QTest::mouseClick(vue->viewport(), Qt::LeftButton, {},
                      vue->visualRect(vue->model()->index(fichiers->findText(u"disparu"_s), 0)).center());
    attends();
    ASSERT_EQ(dialogues.Messages.size(), 1);
    EXPECT_TRUE(dialogues.Messages[0].contains(u"disparu.mvp"_s));
    EXPECT_EQ(edit("eTitre")->text(), u"Hommes"_s);
    EXPECT_EQ(edit("eFileP")->text(), u"colonnes"_s);

    // A title and a value beyond a line edit's usual 32,767 characters are
    // taken whole, so that the selection is saved back as it was read.
    const QByteArray long_(40000, 'a');
    ecrit(DossierRapport + u"long.mvp"_s, "[Selection]\nRech=Tous\nTitre=" + long_ + "\nCode 1=<nom>\nValeur 1=" + long_
                                              + "\n");
    choisit(fichiers, u"long"_s);
    EXPECT_EQ(edit("eTitre")->text().size(), 40000);
    EXPECT_EQ(edit("ecomp1")->text().size(), 40000);
}

// Selections are saved in the user's folder, never in the shipped one, and
// the list shows both, the user's where both have a name.
TEST_F(Avance, SelectionsAreSavedInTheUsersFolderNeverInTheShippedOne)
{
    TModelesLivres livres(dossier.path());
    ASSERT_TRUE(livres.Copie(QStringLiteral(LIGNEE_MODELE "/1/rapport/defaut.mvr"), u"defaut.mvr"_s));
    ASSERT_TRUE(livres.Ecrit(u"Paris.mvp"_s, "[Selection]\nTitre=Livre\nCode 1=<nom>\n"));
    ASSERT_TRUE(livres.Ecrit(u"Lyon.mvp"_s, "[Selection]\nTitre=Lyon\nCode 1=<nom>\n"));
    livres.Fige();
    DossierRapport = livres.Livre();
    DossierRapportUser = livres.User();
    selectionParis();
    edit("eFileP")->setText(u"paris"_s);
    dialogues.OuiNon = {true};
    appuie("sbSauveP");
    ASSERT_EQ(dialogues.Messages.size(), 1) << "the shipped one would be hidden";
    EXPECT_TRUE(livres.Intact());
    EXPECT_EQ(QDir(livres.User()).entryList(QDir::Files), QStringList{u"Paris.mvp"_s});
    EXPECT_EQ(contenu(livres.User() + u"Paris.mvp"_s), "[Lignee]\r\nVersion=2\r\n\r\n" + Selection);

    Recree();
    QComboBox *fichiers = liste("CB_FileListP");
    fichiers->showPopup();
    QStringList noms;
    for (int i = 0; i < fichiers->count(); ++i)
        noms << fichiers->itemText(i);
    fichiers->hidePopup();
    EXPECT_EQ(noms, (QStringList{u"lyon"_s, u"paris"_s}));
    choisit(fichiers, u"paris"_s);
    EXPECT_EQ(edit("echp1")->text(), u"<lieu naissance>"_s);
    EXPECT_EQ(edit("eTitre")->text(), S("Rapport personnalisé"));
    choisit(fichiers, u"lyon"_s);
    EXPECT_EQ(edit("eTitre")->text(), u"Lyon"_s);
    EXPECT_TRUE(livres.Intact());
}

} // namespace

// ---- The ancestry web page -----------------------------------------------

namespace {

class PageWeb : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(ChargeLangue(QStringLiteral(LIGNEE_MODELE "/langue.txt"))); }

    void SetUp() override
    {
        DossierGenealogie = dossier.path() + u"/"_s;
        DossierModele = QStringLiteral(LIGNEE_MODELE "/1/");
        hote.Fenetre = &rapport;
        critere.MontrePanneau(TfmRapportCritere::PanneauWeb);
        QApplication::setActiveWindow(&critere);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&critere));
    }

    template <typename T>
    T *controle(const char *nom) const
    {
        T *c = critere.findChild<T *>(QString::fromUtf8(nom));
        EXPECT_NE(c, nullptr) << nom;
        return c;
    }
    void appuie(const char *nom) { QTest::mouseClick(controle<QAbstractButton>(nom), Qt::LeftButton); }
    QString page(const QString &nom) const
    {
        QFile f(DossierGenealogie + u"html/"_s + nom);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : u"<absent>"_s;
    }

    QTemporaryDir dossier;
    FamilleTest famille;
    TDialoguesScriptes dialogues;
    Hote hote;
    int courante = 13;
    TfmRapport rapport{famille.bd, hote};
    TfmRapportCritere critere{famille.bd, rapport, [this] { return courante; }, {}};
};

// "Afficher" twice writes rapport1.htm then rapport2.htm, titled "Rapport",
// each the page of the kind and options chosen, and shows each in the
// browser.
TEST_F(PageWeb, AfficherWritesANewPageEachTime)
{
    EXPECT_EQ(controle<QLabel>("lWeb")->text(), S("MARTIN Théo"));
    auto *lbWeb = controle<QListWidget>("lbWeb");
    EXPECT_EQ(lbWeb->currentRow(), 0);
    EXPECT_EQ(controle<QSpinBox>("seWebGen")->value(), 5);
    EXPECT_FALSE(controle<QWidget>("eWebComp")->isVisible());
    EXPECT_FALSE(controle<QWidget>("bWebComp")->isVisible());

    appuie("Button1");
    ASSERT_EQ(dialogues.Pages, QStringList{DossierGenealogie + u"html/rapport1.htm"_s});
    const QString premiere = page(u"rapport1.htm"_s);
    EXPECT_TRUE(premiere.contains(u"<title>Rapport</title>"_s));
    EXPECT_TRUE(premiere.contains(PageAscendance(famille.bd, 13, 5, AscendanceParGenerations, false, false, QString())));
    EXPECT_TRUE(QFile::exists(DossierGenealogie + u"html/style.css"_s));

    // The missing ancestors over three generations, with siblings and the
    // complement.
    QTest::mouseClick(lbWeb->viewport(), Qt::LeftButton, {}, lbWeb->visualItemRect(lbWeb->item(2)).center());
    auto *seWebGen = controle<QSpinBox>("seWebGen");
    seWebGen->setFocus();
    QTest::keyClick(seWebGen, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(seWebGen, u"3"_s);
    appuie("cbWebFratrie");
    appuie("cbWebComp");
    EXPECT_TRUE(controle<QWidget>("eWebComp")->isVisible());
    EXPECT_TRUE(controle<QWidget>("bWebComp")->isVisible());
    // The complement gives the years of birth and death.
    const QString complement = controle<QLineEdit>("eWebComp")->text();
    EXPECT_EQ(complement, S("(<eve:Naissance,Année>-<eve:Décès,Année>)"));
    EXPECT_EQ(ExpandTemplate(famille.bd, 13, complement), u"(1980-)"_s);
    appuie("Button1");
    ASSERT_EQ(dialogues.Pages.size(), 2);
    EXPECT_EQ(dialogues.Pages[1], DossierGenealogie + u"html/rapport2.htm"_s);
    EXPECT_TRUE(page(u"rapport2.htm"_s).contains(
        PageAscendance(famille.bd, 13, 3, AscendantsManquants, true, false, complement)));
    EXPECT_EQ(page(u"rapport1.htm"_s), premiere);

    appuie("Button3");
    EXPECT_FALSE(critere.isVisible());
    // Shown again with another current person, the window names it in both
    // panels.
    courante = 4;
    critere.MontrePanneau(TfmRapportCritere::PanneauWeb);
    EXPECT_EQ(controle<QLabel>("lWeb")->text(), u"MARTIN Pierre"_s);
    EXPECT_EQ(controle<QLabel>("lTitre")->text(), u"MARTIN Pierre"_s);
}

// A page that cannot be written is told, and nothing is shown.
TEST_F(PageWeb, APageThatCannotBeWrittenIsTold)
{
    QFile bouchon(DossierGenealogie + u"html"_s);
    ASSERT_TRUE(bouchon.open(QIODevice::WriteOnly));
    bouchon.close();
    appuie("Button1");
    EXPECT_TRUE(dialogues.Pages.isEmpty());
    ASSERT_EQ(dialogues.Messages.size(), 1);
    EXPECT_TRUE(dialogues.Messages[0].startsWith(S("La page web n'a pas été écrite."))) << dialogues.Messages[0].toStdString();
}

// The field-code builders of the advanced selection and of the web page:
// their result replaces the template of their edit; cancelled, they empty
// it.
TEST_F(PageWeb, BuildersReplaceTheirTemplate)
{
    const struct {
        TfmRapportCritere::Panneau panneau;
        const char *bouton, *edit, *avant;
    } cas[] = {
        {TfmRapportCritere::PanneauAvance, "bchp1", "echp1", nullptr},
        {TfmRapportCritere::PanneauWeb, "bWebComp", "eWebComp", "cbWebComp"},
    };
    for (const auto &c : cas) {
        SCOPED_TRACE(c.bouton);
        critere.MontrePanneau(c.panneau);
        if (c.avant)
            appuie(c.avant);
        QString exemple;
        ReponseModale<TfmEditeContenu> ok([&](TfmEditeContenu &d) {
            auto *e = d.findChild<QLineEdit *>(u"eContenu"_s);
            e->selectAll();
            QTest::keyClicks(e, u"<sexe>"_s);
            exemple = d.findChild<QLabel *>(u"lApercu"_s)->text();
            QTest::mouseClick(d.findChild<QPushButton *>(u"B_Ok"_s), Qt::LeftButton);
        });
        appuie(c.bouton);
        ASSERT_TRUE(ok.Ouvert);
        EXPECT_EQ(exemple, u"H"_s); // the current person, Théo
        EXPECT_EQ(controle<QLineEdit>(c.edit)->text(), u"<sexe>"_s);
        ReponseModale<TfmEditeContenu> annule(
            [](TfmEditeContenu &d) { QTest::mouseClick(d.findChild<QPushButton *>(u"B_Annuler"_s), Qt::LeftButton); });
        appuie(c.bouton);
        ASSERT_TRUE(annule.Ouvert);
        EXPECT_EQ(controle<QLineEdit>(c.edit)->text(), QString());
    }
}

} // namespace
