// gene.ini reading and writing, and the options dialog.

#include <gtest/gtest.h>

#include <ostream>
#include <tuple>
#include <utility>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include "DialoguesScriptes.h"
#include "Ini.h"
#include "Options.h"
#include "TfmOptions.h"
#include "Style.h"

using namespace Qt::StringLiterals;

void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

namespace {

auto Scalaires(const TOptions &o)
{
    return std::tie(o.NomMaj, o.PreMaj, o.SaisieNom, o.SaisieChp, o.SaisieNomMax, o.SaisieLieu,
                    o.Lindafor, o.CheminLindafor, o.FicheTitre, o.Fiche1, o.Fiche2, o.FicheIdEnRech, o.AjouteEve,
                    o.Generation, o.AjoutePers, o.LienAuto, o.NumeroteBase, o.NumeroteGen,
                    o.NumeroteConjoint, o.NumeroteFamille, o.AgeMarMin, o.AgeMarMax, o.AgeEnfMin,
                    o.AgeEnfMax, o.AgeDecesMax, o.EcartConjMax, o.CalNbre, o.CalWE, o.CalFete,
                    o.Photo, o.NbreJour);
}

auto Scalaires(const TReglages &r)
{
    return std::tie(r.PrintZoom, r.PrintCroise, r.PrintMargeH, r.PrintMargeG, r.PrintZoomAuto,
                    r.ZoomAuto, r.DernierFichier, r.Carte);
}

auto Scalaires(const TReglagesStat &s)
{
    return std::tie(s.DateMin, s.DateMax, s.AgeMin, s.AgeMax, s.AgePas, s.AnneeMin, s.AnneeMax,
                    s.AnneePas);
}

// How many members of two tuples are equal.
template <typename T>
int Identiques(const T &a, const T &b)
{
    return [&]<size_t... I>(std::index_sequence<I...>) {
        return ((std::get<I>(a) == std::get<I>(b) ? 1 : 0) + ...);
    }(std::make_index_sequence<std::tuple_size_v<T>>());
}

QStringList Lignes(const std::vector<TEvePropose> &v)
{
    QStringList l;
    for (const auto &e : v)
        l << e.Genre + u'/' + e.Nom + u'/' + e.Gedcom;
    return l;
}

QStringList Lignes(const std::vector<TChampPropose> &v)
{
    QStringList l;
    for (const auto &c : v)
        l << (c.PourTous ? u"oui/"_s : u"non/"_s) + c.Nom + u'/' + c.Gedcom;
    return l;
}

// Options whose every value differs from the defaults.
TOptions OptionsModifiees()
{
    return {.NomMaj = false, .PreMaj = false, .SaisieNom = false, .SaisieChp = false,
            .SaisieNomMax = 40, .SaisieLieu = 4, .Lindafor = true,
            .CheminLindafor = u"/opt/codes postaux/lindafor"_s,
            .FicheTitre = u"<prénom> <nom> = titre"_s, .Fiche1 = u"<nom>"_s, .Fiche2 = u"<prénom>"_s,
            .FicheIdEnRech = true, .AjouteEve = false, .Generation = 30, .AjoutePers = false,
            .LienAuto = true, .NumeroteBase = true, .NumeroteGen = 12, .NumeroteConjoint = true,
            .NumeroteFamille = true, .AgeMarMin = 16, .AgeMarMax = 80, .AgeEnfMin = 14, .AgeEnfMax = 60,
            .AgeDecesMax = 105, .EcartConjMax = 25, .CalNbre = 2, .CalWE = false, .CalFete = true,
            .Photo = u"Portrait"_s, .NbreJour = 30,
            .Evenements = {{GenreEveUnion(), u"Mariage"_s, u"MARR"_s},
                           {GenreEveIndividu(), u"Baptême"_s, u"BAPM"_s},
                           {GenreEveIndividu(), u"Bar mitsva"_s, QString()}},
            .Champs = {{false, u"Titre"_s, u"TITL"_s}, {true, u"Métier"_s, QString()}},
            .Sources = {u"Portrait"_s, u"Acte notarié"_s}};
}

void MemesOptions(const TOptions &lues, const TOptions &attendues)
{
    EXPECT_EQ(Scalaires(lues), Scalaires(attendues));
    EXPECT_EQ(Lignes(lues.Evenements), Lignes(attendues.Evenements));
    EXPECT_EQ(Lignes(lues.Champs), Lignes(attendues.Champs));
    EXPECT_EQ(lues.Sources, attendues.Sources);
}

class Parametres : public ::testing::Test
{
protected:
    QString Chemin() const { return m_dossier.filePath(u"gene.ini"_s); }

    void EcritFichier(const QByteArray &octets)
    {
        QFile f(Chemin());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(octets);
    }

    // Writes the structures into gene.ini and reads them back into new ones.
    void AllerRetour(const TOptions &o, const TReglages &r, const TReglagesStat &s)
    {
        TIniFile ecrit(Chemin());
        EcritParametres(ecrit, o, r, s);
        ASSERT_TRUE(ecrit.UpdateFile()) << ecrit.ErrorString().toStdString();
        Lit();
    }

    void Lit() { LitParametres(TIniFile(Chemin()), m_o, m_r, m_s); }

    QTemporaryDir m_dossier;
    TOptions m_o;
    TReglages m_r;
    TReglagesStat m_s;
};

TEST_F(Parametres, EveryKeySurvivesARoundTrip)
{
    const TOptions o = OptionsModifiees();
    const TReglages r{150, 10, 12, 8, false, false, u"/home/moi/Généalogie/famille.mvd"_s, {2, 8}, u"Départements"_s};
    const TReglagesStat s{1500, 2000, 5, 90, 5, 1800, 1950, 20};
    // Values equal to the defaults would not show a key that is never read.
    ASSERT_EQ(Identiques(Scalaires(o), Scalaires(TOptions{})), 0);
    ASSERT_EQ(Identiques(Scalaires(r), Scalaires(TReglages{})), 0);
    ASSERT_EQ(Identiques(Scalaires(s), Scalaires(TReglagesStat{})), 0);

    AllerRetour(o, r, s);
    MemesOptions(m_o, o);
    EXPECT_EQ(Scalaires(m_r), Scalaires(r));
    EXPECT_EQ(m_r.AstucesVues, r.AstucesVues);
    EXPECT_EQ(Scalaires(m_s), Scalaires(s));

    const QString texte = TIniFile(Chemin()).Text();
    for (const QString &attendu : {u"[gene]"_s, u"[gene\\Stat]"_s, u"\nPrint ZoomAuto=0"_s,
                                   u"\nPrintMargeH=12"_s, u"\nPrintMargeG=8"_s, u"\nAnneePas=20"_s})
        EXPECT_TRUE(texte.contains(attendu)) << attendu.toStdString();
}

TEST_F(Parametres, UnknownKeysAndSectionsSurviveAWrite)
{
    EcritFichier("[gene]\nInconnue=42\nPrintZoom=300\n"
                 "[Sources]\nRemarque=à garder\n1=Ancienne\n2=Ancienne 2\n3=Ancienne 3\n");
    {
        TIniFile ini(Chemin());
        TOptions o;
        o.Sources = {u"Acte"_s};
        EcritParametres(ini, o, TReglages{}, TReglagesStat{});
        ASSERT_TRUE(ini.UpdateFile());
    }
    // Comments and unrelated sections are TIniFile's to keep (its own tests).
    const TIniFile ini(Chemin());
    EXPECT_EQ(ini.ReadString(u"gene"_s, u"Inconnue"_s), u"42"_s);
    EXPECT_EQ(ini.ReadInteger(u"gene"_s, u"PrintZoom"_s), 100);
    EXPECT_EQ(ini.ReadString(u"Sources"_s, u"Remarque"_s), u"à garder"_s);
    // The rows beyond the new end are gone: they would come back as sources.
    EXPECT_FALSE(ini.ValueExists(u"Sources"_s, u"2"_s) || ini.ValueExists(u"Sources"_s, u"3"_s));
    Lit();
    EXPECT_EQ(m_o.Sources, QStringList{u"Acte"_s});
}

TEST_F(Parametres, BadValuesKeepTheDefaults)
{
    const char *cas[] = {
        "[gene]\nPrintZoom=abc", "[gene]\nPrintZoom=0", "[gene]\nPrintCroise=-5",
        "[gene]\nPrintMargeH=-1", "[gene]\nPrint ZoomAuto=peut-être", "[gene]\nZoomAuto=",
        "[gene\\Stat]\nAgePas=0", "[gene\\Stat]\nAnneePas=-10", "[gene\\Stat]\nDateMin=mil",
        "[Options]\nSaisieLieu=6", "[Options]\nCalNbre=-1", "[Options]\nCalNbre=6", "[Options]\nNbreJour=0",
        "[Options]\nSaisieNomNbre=0", "[Options]\nGeneration=0", "[Options]\nAgeMarMax=1000",
        "[Options]\nNomMaj=2", "[Options]\nEcartConjMax=vingt", "[Options]\nNumeroteGen=99999999999",
    };
    for (const char *texte : cas) {
        SCOPED_TRACE(texte);
        EcritFichier(QByteArray(texte) + '\n');
        m_o = {};
        m_r = {};
        m_s = {};
        Lit();
        EXPECT_EQ(Scalaires(m_o), Scalaires(TOptions{}));
        EXPECT_EQ(Scalaires(m_r), Scalaires(TReglages{}));
        EXPECT_EQ(Scalaires(m_s), Scalaires(TReglagesStat{}));
    }
}

TEST_F(Parametres, EmptyFileGivesTheBuiltInLists)
{
    Lit();
    EXPECT_EQ(Scalaires(m_o), Scalaires(TOptions{}));
    const QStringList eve = Lignes(m_o.Evenements);
    EXPECT_TRUE(eve.contains(GenreEveIndividu() + u"/Naissance/BIRT"_s));
    EXPECT_TRUE(eve.contains(GenreEveUnion() + u"/Mariage/MARR"_s));
    EXPECT_TRUE(Lignes(m_o.Champs).contains(u"oui/Profession/OCCU"_s));
    // The tree photo must be found among the proposed source kinds.
    EXPECT_TRUE(m_o.Sources.contains(m_o.Photo));
}

TEST_F(Parametres, ListsAreReadDefensivelyAndBarsInNamesRoundTrip)
{
    EcritFichier("[Evenements]\nNombre=99\n2=Union|Mariage|MARR\n01=Individu|Doublon|X\n"
                 "1=Individu|Naissance|BIRT\nabc=Individu|Clé|X\n3=|Sans genre|\n4=Individu||VIDE\n"
                 "5=Individu|Trop| A |B\n6=Individu\n"
                 "[Champs]\n1=1|Profession|OCCU\n2=0|Titre\n3=oui| Religion |RELI\n"
                 "[Sources]\n");
    Lit();
    EXPECT_EQ(Lignes(m_o.Evenements),
              (QStringList{u"Individu/Naissance/BIRT"_s, u"Union/Mariage/MARR"_s,
                           GenreEveIndividu() + u"/Sans genre/"_s, u"Individu/Trop/A"_s}));
    EXPECT_EQ(Lignes(m_o.Champs), (QStringList{u"oui/Profession/OCCU"_s, u"non/Titre/"_s,
                                               u"non/Religion/RELI"_s}));
    // A list emptied by the user stays empty.
    EXPECT_TRUE(m_o.Sources.isEmpty());

    // Bars in names cannot split a row written back.
    TOptions o;
    o.Evenements = {{GenreEveIndividu(), u"Entrée | sortie"_s, u"_X"_s}};
    o.Champs = {{true, u"a|b"_s, u"|"_s}};
    AllerRetour(o, TReglages{}, TReglagesStat{});
    EXPECT_EQ(Lignes(m_o.Evenements), QStringList{GenreEveIndividu() + u"/Entrée / sortie/_X"_s});
    EXPECT_EQ(Lignes(m_o.Champs), QStringList{u"oui/a/b//"_s});
    EXPECT_TRUE(m_o.Sources.isEmpty());
}

// ---- The dialog ----------------------------------------------------------

template <typename T>
T *Controle(const QWidget &fenetre, const char *nom)
{
    T *c = fenetre.findChild<T *>(QString::fromLatin1(nom));
    EXPECT_NE(c, nullptr) << nom;
    return c;
}

TEST(Dialogue, EveryDocumentedControlExists)
{
    TOptions o;
    TfmOptions f(o);
    for (const char *nom : {"cbNomMaj", "cbPreMaj", "cbSaisieNom", "cbSaisieChp", "cbLindafor",
                            "cbFicheIdEnRech", "cbAjouteEve", "cbAjoutePers", "cbLienAuto",
                            "cbNumeroteBase", "cbNumeroteConjoint", "cbNumeroteFamille", "cbCalWE",
                            "cbCalFete"})
        Controle<QCheckBox>(f, nom);
    for (const char *nom : {"seSaisieNom", "seGeneration", "seNumeroteGen", "seAgeMarMin",
                            "seAgeMarMax", "seAgeEnfMin", "seAgeEnfMax", "seAgeDecesMax",
                            "seEcartConjMax", "seNbreJour"})
        Controle<QSpinBox>(f, nom);
    for (const char *nom : {"eFicheTitre", "eFiche1", "eFiche2", "ePhoto", "eLindafor"})
        Controle<QLineEdit>(f, nom);
    EXPECT_EQ(Controle<QComboBox>(f, "cbSaisieLieu")->count(), 6);
    // Item i stands for CalNbre = i.
    const QComboBox *cal = Controle<QComboBox>(f, "cbCalNbre");
    QStringList entrees;
    for (int i = 0; i < cal->count(); ++i)
        entrees << cal->itemText(i);
    EXPECT_EQ(entrees, (QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"6"_s, u"12"_s}));
    // Not available yet. The grids and their buttons are driven by the tests below.
    EXPECT_FALSE(Controle<QPushButton>(f, "Button6")->isEnabled());
    // The style sheet editor, until given its style sheet (the main window's
    // test drives it).
    EXPECT_FALSE(Controle<QPlainTextEdit>(f, "Style")->isEnabled());

    // Shown, every tab title is whole in the window, which fits the screen.
    f.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
    EXPECT_LE(f.width(), f.screen()->availableGeometry().width());
    const QTabBar *onglets = Controle<QTabWidget>(f, "PC")->tabBar();
    for (int i = 0; i < onglets->count(); ++i)
        EXPECT_TRUE(onglets->rect().contains(onglets->tabRect(i))) << onglets->tabText(i).toStdString();
}

// The style sheet is shown as written: a long rule stays on one line.
TEST(Dialogue, TheStyleSheetKeepsItsLines)
{
    TOptions o;
    TfmOptions f(o);
    TxiloStyleEdit style;
    style.SetTexte(u".rowPair { background-color: #ffffff; color: #000000; font-family: serif; "_s.repeated(4)
                   + u"}\n.calcase { }"_s);
    f.SetStyle(&style, QString());
    f.show();
    auto *editeur = Controle<QPlainTextEdit>(f, "Style");
    Controle<QTabWidget>(f, "PC")->setCurrentIndex(Controle<QTabWidget>(f, "PC")->count() - 1);
    QApplication::processEvents();
    const QTextBlock premiere = editeur->document()->firstBlock();
    ASSERT_TRUE(premiere.layout());
    EXPECT_EQ(premiere.layout()->lineCount(), 1);
    EXPECT_EQ(editeur->document()->blockCount(), 2);
}

// Changes one control of each kind and every grid.
void ModifieControles(TfmOptions &f)
{
    Controle<QCheckBox>(f, "cbNomMaj")->click();
    Controle<QCheckBox>(f, "cbCalFete")->click();
    Controle<QSpinBox>(f, "seAgeDecesMax")->setValue(120);
    Controle<QSpinBox>(f, "seNbreJour")->setValue(3);
    Controle<QComboBox>(f, "cbCalNbre")->setCurrentIndex(4);
    Controle<QComboBox>(f, "cbSaisieLieu")->setCurrentIndex(3);
    Controle<QLineEdit>(f, "eFiche2")->setText(u"<prénom> <nom>"_s);
    Controle<QLineEdit>(f, "eLindafor")->setText(u" /bin/codes "_s);

    auto *eve = Controle<QTableWidget>(f, "sgEve");
    eve->item(0, 1)->setText(u"Épousailles"_s);
    qobject_cast<QComboBox *>(eve->cellWidget(2, 0))->setCurrentIndex(1);
    Controle<QPushButton>(f, "bEveAjoute")->click();
    eve->item(eve->rowCount() - 1, 1)->setText(u"  Adoption "_s);
    eve->item(eve->rowCount() - 1, 2)->setText(u"ADOP"_s);

    auto *chp = Controle<QTableWidget>(f, "sgChp");
    chp->item(0, 0)->setCheckState(Qt::Checked);
    Controle<QPushButton>(f, "bChpAjoute")->click(); // left blank: dropped

    auto *src = Controle<QTableWidget>(f, "sgSrc");
    src->selectRow(0);
    Controle<QPushButton>(f, "bSrcSupprime")->click();
    Controle<QPushButton>(f, "bSrcAjoute")->click();
    src->item(src->rowCount() - 1, 0)->setText(u"Carte postale"_s);
}

// Rows picked with Ctrl in a list of the options go, and only they.
TEST(Dialogue, SeveralRowsPickedAreTheOnesDeleted)
{
    TOptions o;
    o.Sources = {u"Acte"_s, u"Carte"_s, u"Lettre"_s, u"Photo"_s, u"Registre"_s, u"Tombe"_s};
    o.Champs = {{true, u"Profession"_s, u"OCCU"_s}, {false, u"Titre"_s, u"TITL"_s}};
    TfmOptions f(o);
    f.Charge();
    f.show();
    auto *src = Controle<QTableWidget>(f, "sgSrc");
    ASSERT_TRUE(src->rowCount() >= 5);
    QStringList avant;
    for (int r = 0; r < src->rowCount(); ++r)
        avant << src->item(r, 0)->text();
    src->scrollToTop();
    const auto clic = [src](int ligne, Qt::KeyboardModifiers touches) {
        QTest::mouseClick(src->viewport(), Qt::LeftButton, touches,
                          src->visualRect(src->model()->index(ligne, 0)).center());
    };
    clic(1, Qt::NoModifier);
    clic(3, Qt::ControlModifier);
    clic(4, Qt::ControlModifier);
    Controle<QPushButton>(f, "bSrcSupprime")->click();
    QStringList apres;
    for (int r = 0; r < src->rowCount(); ++r)
        apres << src->item(r, 0)->text();
    avant.removeAt(4);
    avant.removeAt(3);
    avant.removeAt(1);
    EXPECT_EQ(apres, avant);

    // A click on any cell picks its whole row.
    auto *chp = Controle<QTableWidget>(f, "sgChp");
    Controle<QTabWidget>(f, "PC")->setCurrentWidget(chp->parentWidget());
    ASSERT_GE(chp->rowCount(), 2);
    QTest::mouseClick(chp->viewport(), Qt::LeftButton, {}, chp->visualRect(chp->model()->index(1, 1)).center());
    EXPECT_TRUE(chp->selectionModel()->isRowSelected(1, {}));
}

// "Ajouter" of a list gives the keyboard to the new row's name: what the
// user types next names it.
TEST(Dialogue, AnAddedRowTakesTheTyping)
{
    TOptions o;
    TfmOptions f(o);
    f.show();
    QApplication::setActiveWindow(&f);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    const struct { const char *grille, *bouton; int colonne; } listes[] = {
        {"sgEve", "bEveAjoute", 1}, {"sgChp", "bChpAjoute", 1}, {"sgSrc", "bSrcAjoute", 0}};
    for (const auto &l : listes) {
        SCOPED_TRACE(l.grille);
        auto *grille = Controle<QTableWidget>(f, l.grille);
        Controle<QTabWidget>(f, "PC")->setCurrentWidget(grille->parentWidget());
        QTest::mouseClick(Controle<QPushButton>(f, l.bouton), Qt::LeftButton);
        QWidget *saisie = QApplication::focusWidget();
        ASSERT_TRUE(saisie && grille->isAncestorOf(saisie));
        QTest::keyClicks(saisie, u"Adoption"_s);
        QTest::keyClick(saisie, Qt::Key_Return);
        QApplication::processEvents();
        EXPECT_EQ(grille->item(grille->rowCount() - 1, l.colonne)->text(), u"Adoption"_s);
    }
}

TEST(Dialogue, OkWritesTheControlsIntoTheOptions)
{
    TOptions o = OptionsModifiees();
    TfmOptions f(o);
    ModifieControles(f);
    Controle<QPushButton>(f, "bOk")->click();

    TOptions attendu = OptionsModifiees();
    attendu.NomMaj = true;
    attendu.CalFete = false;
    attendu.AgeDecesMax = 120;
    attendu.NbreJour = 3;
    attendu.CalNbre = 4;
    attendu.SaisieLieu = 3;
    attendu.Fiche2 = u"<prénom> <nom>"_s;
    attendu.CheminLindafor = u"/bin/codes"_s;
    attendu.Evenements = {{GenreEveUnion(), u"Épousailles"_s, u"MARR"_s},
                          {GenreEveIndividu(), u"Baptême"_s, u"BAPM"_s},
                          {GenreEveUnion(), u"Bar mitsva"_s, QString()},
                          {GenreEveIndividu(), u"Adoption"_s, u"ADOP"_s}};
    attendu.Champs = {{true, u"Titre"_s, u"TITL"_s}, {true, u"Métier"_s, QString()}};
    attendu.Sources = {u"Acte notarié"_s, u"Carte postale"_s};
    MemesOptions(o, attendu);
}

// OK writes what every control shows, not only what was changed: options
// changed elsewhere while the dialog was open all take the values shown.
TEST(Dialogue, OkWritesEveryControlShown)
{
    TOptions o;
    TfmOptions f(o);
    o = OptionsModifiees();
    Controle<QPushButton>(f, "bOk")->click();
    MemesOptions(o, TOptions{});
}

TEST(Dialogue, CancelRestoresTheControlsAndOkWithoutChangeKeepsEveryValue)
{
    // Built on the defaults, then loaded with other values: what OK writes
    // must come from Charge.
    const TOptions avant = OptionsModifiees();
    TOptions o;
    o.Evenements = {{GenreEveIndividu(), u"Naissance"_s, u"BIRT"_s}};
    TfmOptions f(o);
    o = avant;
    f.Charge();
    const QString definitions = f.DefinitionChamps();
    ModifieControles(f);
    ASSERT_NE(f.DefinitionChamps(), definitions);
    Controle<QPushButton>(f, "bAnnuler")->click();
    EXPECT_EQ(f.result(), QDialog::Rejected);
    MemesOptions(o, avant);
    EXPECT_EQ(f.DefinitionChamps(), definitions);

    Controle<QPushButton>(f, "bOk")->click();
    EXPECT_EQ(f.result(), QDialog::Accepted);
    MemesOptions(o, avant);
}

TEST(Dialogue, ThePostalCodeProgramIsChosenInAFileDialog)
{
    TDialoguesScriptes dialogues;
    TOptions o = OptionsModifiees();
    TfmOptions f(o);
    auto *chemin = Controle<QLineEdit>(f, "eLindafor");
    EXPECT_EQ(chemin->text(), o.CheminLindafor);
    // Cancelled: the path stays.
    Controle<QPushButton>(f, "bLindafor")->click();
    EXPECT_EQ(dialogues.TitresFichiers.size(), 1);
    EXPECT_EQ(chemin->text(), o.CheminLindafor);
    dialogues.Fichiers = {u"/usr/local/bin/codes"_s};
    Controle<QPushButton>(f, "bLindafor")->click();
    EXPECT_EQ(chemin->text(), u"/usr/local/bin/codes"_s);
    Controle<QPushButton>(f, "bOk")->click();
    EXPECT_EQ(o.CheminLindafor, u"/usr/local/bin/codes"_s);
}

TEST(Dialogue, FieldDefinitionsListTheFieldsShownForAll)
{
    TOptions o;
    o.Champs = {{true, u"Profession"_s, u"OCCU"_s}, {false, u"Titre"_s, u"TITL"_s},
                {true, u"a|b"_s, QString()},        {true, u"Religion"_s, u"RELI"_s}};
    TfmOptions f(o);
    EXPECT_EQ(f.DefinitionChamps(), u"t|Profession||t|a b||t|Religion||"_s);

    auto *chp = Controle<QTableWidget>(f, "sgChp");
    chp->item(0, 0)->setCheckState(Qt::Unchecked);
    chp->item(3, 1)->setText(u"   "_s);
    EXPECT_EQ(f.DefinitionChamps(), u"t|a b||"_s);

    o.Champs.clear();
    f.Charge();
    EXPECT_EQ(f.DefinitionChamps(), QString());
}

} // namespace
