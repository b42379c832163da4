// The column model editor of the report options window: editing the model
// with the keys and buttons a user has, live application to the report,
// the model list and saving under a name.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "DialoguesScriptes.h"
#include "FamilleTest.h"
#include "Globales.h"
#include "Langue.h"
#include "ModelesLivres.h"
#include "Parente.h"
#include "ReponseModale.h"
#include "TBKStringGrid.h"
#include "TfmEditeContenu.h"
#include "TfmRapport.h"
#include "TfmRapportCritere.h"

using namespace Qt::StringLiterals;

namespace {

QString S(const char *texte) { return QString::fromUtf8(texte); }

const QString ModeleLivre = QStringLiteral(LIGNEE_MODELE "/1/rapport/defaut.mvr");

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

// Types a text as keys; letters outside ASCII come as the keys of a French
// keyboard give them, with their text.
void frappe(QWidget *w, const QString &texte)
{
    for (const QChar c : texte) {
        if (c.unicode() < 0x80)
            QTest::keyClick(w, static_cast<char>(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

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

class Colonnes : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(ChargeLangue(QStringLiteral(LIGNEE_MODELE "/langue.txt"))); }

    void SetUp() override
    {
        DossierRapport = dossier.path() + u'/';
        NomModeleDefaut = u"defaut"_s;
        ASSERT_TRUE(QFile::copy(ModeleLivre, DossierRapport + u"defaut.mvr"_s));
        hote.Fenetre = &rapport;
        rapport.Charge(DossierRapport + u"defaut.mvr"_s);
        ASSERT_TRUE(rapport.AfficheListe(AllPersons(famille.bd), u"Toutes les personnes"_s));
        critere.MontrePanneau(TfmRapportCritere::PanneauCol);
        QApplication::setActiveWindow(&critere);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&critere));
    }
    void TearDown() override { DossierRapportUser.clear(); }

    template <typename T>
    T *controle(const QString &nom) const
    {
        T *c = critere.findChild<T *>(nom);
        EXPECT_NE(c, nullptr) << nom.toStdString();
        return c;
    }

    // A click on a cell of the editor, as the user selects it.
    void clique(int ligne, int col)
    {
        QTest::mouseClick(sgCol->viewport(), Qt::LeftButton, {},
                          sgCol->visualItemRect(sgCol->item(ligne, col)).center());
    }
    // Types a text into a cell: the first key opens the cell's edit, the
    // others go to it, Enter ends the edit.
    void tape(int ligne, int col, const QString &texte)
    {
        clique(ligne, col);
        frappe(sgCol, texte.left(1));
        QWidget *edition = QApplication::focusWidget();
        ASSERT_NE(edition, sgCol);
        frappe(edition, texte.mid(1));
        QTest::keyClick(edition, Qt::Key_Return);
        // The edit ends once the key has been handled, at the next turn of
        // the event loop.
        QCoreApplication::processEvents();
    }
    void appuie(const char *nom) { QTest::mouseClick(controle<QAbstractButton>(S(nom)), Qt::LeftButton); }

    // The editor's rows, cell by cell.
    QList<QStringList> editeur() const
    {
        QList<QStringList> lignes;
        for (int r = 0; r < sgCol->rowCount(); ++r)
            lignes << QStringList{sgCol->item(r, 0)->text(), sgCol->item(r, 1)->text(), sgCol->item(r, 2)->text()};
        return lignes;
    }
    // The report grid's titles, and one of its rows.
    QStringList titres() const
    {
        QStringList t;
        for (int c = 0; c < grille->ColCount(); ++c)
            t << grille->Cell(c, 0);
        return t;
    }
    QStringList ligneRapport(int r) const
    {
        QStringList t;
        for (int c = 0; c < grille->ColCount(); ++c)
            t << grille->Cell(c, r);
        return t;
    }

    QTemporaryDir dossier;
    FamilleTest famille;
    TDialoguesScriptes dialogues;
    Hote hote;
    int courante = 4;
    TfmRapport rapport{famille.bd, hote};
    TfmRapportCritere critere{famille.bd, rapport, [this] { return courante; }, {}};
    TBKStringGrid *grille = rapport.Grille();
    QTableWidget *sgCol = controle<QTableWidget>(u"sgCol"_s);
    QLineEdit *eFile = controle<QLineEdit>(u"eFile"_s);
    QCheckBox *cbAppCol = controle<QCheckBox>(u"cbAppCol"_s);
};

const QList<QStringList> EditeurLivre = {
    {u"Nom"_s, u"<nom>"_s, u"Texte"_s},
    {S("Prénoms"), S("<prénom>"), u"Texte"_s},
    {u"Naissance"_s, u"<naissance>"_s, u"Date"_s},
    {u"Lieu de naissance"_s, u"<lieu naissance>"_s, u"Texte"_s},
    {S("Décès"), S("<décès>"), u"Date"_s},
};

TEST_F(Colonnes, TheEditorShowsTheModelInUse)
{
    ASSERT_TRUE(critere.isVisible());
    EXPECT_EQ(critere.PanneauCourant(), TfmRapportCritere::PanneauCol);
    EXPECT_EQ(editeur(), EditeurLivre);
    EXPECT_EQ(sgCol->horizontalHeaderItem(0)->text(), u"Titre"_s);
    EXPECT_EQ(sgCol->horizontalHeaderItem(2)->text(), u"Type"_s);
    EXPECT_EQ(eFile->text(), u"defaut"_s);
    EXPECT_TRUE(cbAppCol->isChecked());
    EXPECT_EQ(controle<QComboBox>(u"cobLigne"_s)->currentIndex(), 1);
    // A model loaded by the report window shows at once.
    ecrit(DossierRapport + u"deux.mvr"_s, "[Lignee]\nVersion=2\n[Colonne]\nNbre=1\nTitre 1=A\nCode 1=<n\xb0>\n");
    rapport.Charge(DossierRapport + u"deux.mvr"_s);
    EXPECT_EQ(editeur(), (QList<QStringList>{{u"A"_s, S("<n°>"), u"Texte"_s}}));
    EXPECT_EQ(eFile->text(), u"deux"_s);
}

// A user adds a column of birth dates above the places, titles it, gives it
// its code and its type, removes the last columns and saves the model: the
// report follows each change, and the file is written as the program has
// always written it.
TEST_F(Colonnes, BuildingAModelColumnByColumnThenSavingIt)
{
    clique(3, 0);
    appuie("sbPlus");
    EXPECT_EQ(sgCol->currentRow(), 3);
    EXPECT_EQ(editeur()[3], QStringList({QString(), QString(), QString()}));
    EXPECT_EQ(grille->ColCount(), 6);
    tape(3, 0, S("Né en"));
    EXPECT_EQ(titres()[3], S("Né en"));
    tape(3, 1, S("<naissance>"));
    clique(3, 2);
    QTest::keyClick(sgCol, 'd');
    EXPECT_EQ(ligneRapport(4)[3], u"3/4/1926"_s); // row 4 is Pierre
    EXPECT_EQ(grille->ColSortType(3), 1);
    // The last two columns go; the first stays where it is.
    clique(5, 1);
    appuie("sbMoins");
    appuie("sbMoins");
    EXPECT_EQ(grille->ColCount(), 4);
    clique(0, 0);
    appuie("sbDown");
    EXPECT_EQ(sgCol->currentRow(), 1);
    appuie("sbUp");
    EXPECT_EQ(sgCol->currentRow(), 0);
    appuie("sbUp"); // already at the top
    EXPECT_EQ(titres(), QStringList({u"Nom"_s, S("Prénoms"), u"Naissance"_s, S("Né en")}));

    eFile->setFocus();
    eFile->selectAll();
    QTest::keyClicks(eFile, u"naissances"_s);
    appuie("sbSauve");
    EXPECT_TRUE(dialogues.Messages.isEmpty()); // a new name asks nothing
    EXPECT_EQ(contenu(DossierRapport + u"naissances.mvr"_s),
              QByteArray("[Lignee]\r\nVersion=2\r\n\r\n[Colonne]\r\nNbre=4\r\n"
                         "Titre 1=Nom\r\nCode 1=<nom>\r\nType 1=Texte\r\nLarge 1=110\r\n"
                         "Titre 2=Pr\xe9noms\r\nCode 2=<pr\xe9nom>\r\nType 2=Texte\r\nLarge 2=130\r\n"
                         "Titre 3=Naissance\r\nCode 3=<naissance>\r\nType 3=Date\r\nLarge 3=80\r\n"
                         "Titre 4=N\xe9 en\r\nCode 4=<naissance>\r\nType 4=Date\r\nLarge 4=100\r\n"));
}

// After "+", what the user types is the new column's title, wherever the
// keyboard was (here in the model name, as when the window opens): the
// model name stays, and so does the file saved under it.
TEST_F(Colonnes, AfterPlusTheKeysGoToTheNewTitle)
{
    clique(2, 1);
    QTest::mouseClick(eFile, Qt::LeftButton);
    ASSERT_TRUE(eFile->hasFocus());
    appuie("sbPlus");
    for (const QChar c : S("Métier"))
        frappe(QApplication::focusWidget(), QString(c));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(eFile->text(), u"defaut"_s);
    EXPECT_EQ(editeur()[2], QStringList({S("Métier"), QString(), QString()}));
    EXPECT_EQ(titres()[2], S("Métier"));
}

// The type column takes one key, in either case; any other character
// empties it and says which keys to use; keys that type nothing move.
TEST_F(Colonnes, TypeKeysInEitherCase)
{
    const struct { char touche; const char *type; int sorte; } cas[] = {
        {'n', "Nombre", 2}, {'T', "Texte", 0}, {'D', "Date", 1}, {'N', "Nombre", 2},
        {'t', "Texte", 0},  {'d', "Date", 1},  {'x', "", 0},
    };
    clique(1, 2);
    for (const auto &c : cas) {
        SCOPED_TRACE(c.touche);
        QTest::keyClick(sgCol, c.touche);
        EXPECT_EQ(sgCol->item(1, 2)->text(), S(c.type));
        EXPECT_EQ(rapport.Modele()[1].Type, S(c.type));
        EXPECT_EQ(grille->ColSortType(1), c.sorte);
    }
    ASSERT_EQ(dialogues.Messages.size(), 1);
    EXPECT_EQ(dialogues.Messages[0], u"Vous devez sélectionner:\n- Texte en appuyant sur \"t\"\n"
                                     "- Date en appuyant sur \"d\"\n- Nombre en appuyant sur \"n\""_s);
    // No edit ever opens on the type: the key goes straight in.
    EXPECT_EQ(QApplication::focusWidget(), sgCol);
    QTest::keyClick(sgCol, Qt::Key_Down);
    EXPECT_EQ(sgCol->currentRow(), 2);
    EXPECT_EQ(dialogues.Messages.size(), 1);
}

TEST_F(Colonnes, TheMinusButtonKeepsOneColumnAndThePlusButtonAddsAtTheEndWithoutSelection)
{
    clique(2, 0);
    for (int i = 0; i < 6; ++i)
        appuie("sbMoins");
    ASSERT_EQ(sgCol->rowCount(), 1);
    EXPECT_EQ(rapport.Modele().size(), 1u);
    EXPECT_EQ(grille->ColCount(), 1);
    EXPECT_EQ(editeur()[0][0], u"Nom"_s);

    // A model of no columns (Nbre=0) gives an empty editor; plus then adds.
    ecrit(DossierRapport + u"vide.mvr"_s, "[Lignee]\nVersion=2\n[Colonne]\nNbre=0\n");
    rapport.Charge(DossierRapport + u"vide.mvr"_s);
    EXPECT_EQ(sgCol->rowCount(), 0);
    appuie("sbMoins");
    appuie("sbPlus");
    appuie("sbPlus");
    EXPECT_EQ(sgCol->rowCount(), 2);
    EXPECT_EQ(rapport.Modele().size(), 2u);

    // As many columns as a model file is read with, and not one more: one
    // short of it, plus adds the last.
    QByteArray grand = "[Lignee]\nVersion=2\n[Colonne]\nNbre=255\n";
    ecrit(DossierRapport + u"grand.mvr"_s, grand);
    ASSERT_TRUE(rapport.Charge(DossierRapport + u"grand.mvr"_s));
    ASSERT_EQ(sgCol->rowCount(), 255);
    clique(0, 0);
    appuie("sbPlus");
    EXPECT_EQ(rapport.Modele().size(), 256u);
    appuie("sbPlus");
    EXPECT_EQ(rapport.Modele().size(), 256u);
    EXPECT_EQ(sgCol->rowCount(), 256);
    EXPECT_EQ(grille->ColCount(), 256);
}

// The field-code builder opens on the code of the selected row with the
// current person as example; its result replaces the code, a cancel keeps it.
TEST_F(Colonnes, TheContentEditorBuildsTheCode)
{
    clique(1, 0);
    QString exemple;
    ReponseModale<TfmEditeContenu> ok([&](TfmEditeContenu &d) {
        exemple = d.findChild<QLabel *>(u"lApercu"_s)->text();
        auto *e = d.findChild<QLineEdit *>(u"eContenu"_s);
        e->end(false);
        QTest::keyClicks(e, u" (<sexe>)"_s);
        QTest::mouseClick(d.findChild<QPushButton *>(u"B_Ok"_s), Qt::LeftButton);
    });
    appuie("sbEdite");
    ASSERT_TRUE(ok.Ouvert);
    EXPECT_EQ(exemple, u"Pierre"_s); // person 4
    EXPECT_EQ(editeur()[1][1], S("<prénom> (<sexe>)"));
    EXPECT_EQ(ligneRapport(1)[1], u"Jean (H)"_s);

    ReponseModale<TfmEditeContenu> annule(
        [](TfmEditeContenu &d) { QTest::mouseClick(d.findChild<QPushButton *>(u"B_Annuler"_s), Qt::LeftButton); });
    appuie("sbEdite");
    ASSERT_TRUE(annule.Ouvert);
    EXPECT_EQ(editeur()[1][1], S("<prénom> (<sexe>)"));
}

// Unchecked, nothing reaches the report until "Ok", which then closes the
// window; the line styling goes to the report window at once.
TEST_F(Colonnes, WithoutLiveApplicationOkApplies)
{
    QTest::mouseClick(cbAppCol, Qt::LeftButton);
    ASSERT_FALSE(cbAppCol->isChecked());
    tape(0, 0, u"Patronyme"_s);
    clique(4, 0);
    appuie("sbUp");
    EXPECT_EQ(titres(), QStringList({u"Nom"_s, S("Prénoms"), u"Naissance"_s, u"Lieu de naissance"_s, S("Décès")}));
    appuie("bOkCol");
    EXPECT_EQ(titres(), QStringList({u"Patronyme"_s, S("Prénoms"), u"Naissance"_s, S("Décès"), u"Lieu de naissance"_s}));
    EXPECT_FALSE(critere.isVisible());
    // The width moves with its column.
    EXPECT_EQ(grille->ColWidth(3), 80);

    critere.MontrePanneau(TfmRapportCritere::PanneauCol);
    QApplication::setActiveWindow(&critere);
    auto *cobLigne = controle<QComboBox>(u"cobLigne"_s);
    cobLigne->setFocus();
    QTest::keyClick(cobLigne, Qt::Key_Up);
    EXPECT_EQ(rapport.StyleLignes(), 0);
    // Checking the box again applies what waits.
    tape(0, 0, u"Nom"_s);
    EXPECT_EQ(grille->Cell(0, 0), u"Patronyme"_s);
    QTest::mouseClick(cbAppCol, Qt::LeftButton);
    EXPECT_EQ(grille->Cell(0, 0), u"Nom"_s);
}

// ---- Model files ---------------------------------------------------------

// Opens the model list and picks the item of that text.
void choisit(QComboBox *liste, const QString &texte)
{
    liste->showPopup();
    QAbstractItemView *vue = liste->view();
    const int ligne = liste->findText(texte);
    ASSERT_GE(ligne, 0) << texte.toStdString();
    QTest::mouseClick(vue->viewport(), Qt::LeftButton, {}, vue->visualRect(vue->model()->index(ligne, 0)).center());
}

TEST_F(Colonnes, TheListShowsLowerCaseNamesAndLoadsEachFileByItsOwnName)
{
    ecrit(DossierRapport + u"Standard.mvr"_s, "[Lignee]\nVersion=2\n[Colonne]\nNbre=1\nTitre 1=S\nCode 1=<sexe>\n");
    ecrit(DossierRapport + u"Ancien.MVR"_s, "[Lignee]\nVersion=2\n[Colonne]\nNbre=1\nTitre 1=A\n");
    ecrit(DossierRapport + u"notes.txt"_s, "");
    auto *liste = controle<QComboBox>(u"CB_FileList"_s);
    liste->showPopup();
    QStringList noms;
    for (int i = 0; i < liste->count(); ++i)
        noms << liste->itemText(i);
    EXPECT_EQ(noms, QStringList({u"ancien"_s, u"defaut"_s, u"standard"_s}));
    liste->hidePopup();

    choisit(liste, u"standard"_s);
    EXPECT_EQ(editeur(), (QList<QStringList>{{u"S"_s, u"<sexe>"_s, u"Texte"_s}}));
    EXPECT_EQ(eFile->text(), u"standard"_s);
    EXPECT_EQ(titres(), QStringList{u"S"_s});
    EXPECT_EQ(grille->Cell(0, 3), u"F"_s);
    choisit(liste, u"defaut"_s);
    EXPECT_EQ(editeur(), EditeurLivre);
    EXPECT_TRUE(dialogues.Messages.isEmpty());
}

// A model that is empty, damaged or of another version cannot be used: the
// user is told so, and the columns and the name in use stay, so that
// "Enregistrer" offers to save them under their own name, never over the
// file that could not be read.
TEST_F(Colonnes, AModelThatCannotBeReadChangesNothingAndSaysSo)
{
    const struct { const char *nom; QByteArray texte; } cas[] = {
        {"vide", ""},
        {"abime", "\x89PNG\r\n\x1a\n\x01\xff\rIHDR"},
        {"ancien", "[Lignee]\nVersion=1\n[Critere]\nColonne=1\n"},
        {"futur", "[Lignee]\nVersion=3\n[Colonne]\nNbre=1\nTitre 1=X\n"},
    };
    for (const auto &c : cas)
        ecrit(DossierRapport + S(c.nom) + u".mvr"_s, c.texte);
    auto *liste = controle<QComboBox>(u"CB_FileList"_s);
    for (const auto &c : cas) {
        SCOPED_TRACE(c.nom);
        dialogues.Messages.clear();
        choisit(liste, S(c.nom));
        ASSERT_EQ(dialogues.Messages.size(), 1);
        EXPECT_TRUE(dialogues.Messages[0].startsWith(S("Le modèle de colonnes « ") + DossierRapport + S(c.nom)))
            << dialogues.Messages[0].toStdString();
        EXPECT_EQ(editeur(), EditeurLivre);
        EXPECT_EQ(titres(), QStringList({u"Nom"_s, S("Prénoms"), u"Naissance"_s, u"Lieu de naissance"_s, S("Décès")}));
        EXPECT_EQ(eFile->text(), u"defaut"_s);
        EXPECT_EQ(rapport.NomModele(), u"defaut"_s);
    }
    // Saving asks about the model in use, and No keeps every file.
    dialogues.Messages.clear();
    appuie("sbSauve");
    ASSERT_EQ(dialogues.Messages.size(), 1);
    EXPECT_TRUE(dialogues.Messages[0].startsWith(S("Ce modèle existe déjà")));
    for (const auto &c : cas)
        EXPECT_EQ(contenu(DossierRapport + S(c.nom) + u".mvr"_s), c.texte);
}

// A name that would lead out of the report folder, hide the file or be no
// name at all is refused before any question, and nothing is written.
TEST_F(Colonnes, UnfitNamesAreRefusedBeforeAnything)
{
    const QStringList avant = QDir(dossier.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const char *nom : {"", "   ", "../defaut", "sous/modele", "sous\\modele", ".cache", "..", "a\tb"}) {
        SCOPED_TRACE(nom);
        dialogues.Messages.clear();
        dialogues.OuiNon = {true};
        eFile->setText(S(nom));
        appuie("sbSauve");
        ASSERT_EQ(dialogues.Messages.size(), 1);
        EXPECT_TRUE(dialogues.Messages[0].contains(u"ne peut pas servir de nom de modèle"_s));
        EXPECT_EQ(dialogues.OuiNon.size(), 1u); // no question was asked
    }
    EXPECT_EQ(QDir(dossier.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), avant);
    EXPECT_EQ(contenu(ModeleLivre), contenu(DossierRapport + u"defaut.mvr"_s));
}

// Saving over a model asks first, whatever the case of the name typed: No
// leaves every file as it was, Yes replaces that model's file (no second
// file of another case), and a failed write is told.
TEST_F(Colonnes, SavingOverAModelAsksFirst)
{
    const QString defaut = DossierRapport + u"defaut.mvr"_s;
    clique(4, 0);
    appuie("sbMoins");
    eFile->setText(u"DEFAUT"_s);
    appuie("sbSauve");
    ASSERT_EQ(dialogues.Messages.size(), 1);
    EXPECT_EQ(dialogues.Messages[0], u"Ce modèle existe déjà. Êtes-vous sûr de vouloir le remplacer ?\nVous pouvez "
                                     "créer un nouveau modèle en entrant un nom différent avant de cliquer sur "
                                     "enregistrer."_s);
    EXPECT_EQ(contenu(defaut), contenu(ModeleLivre));
    EXPECT_EQ(QDir(DossierRapport).entryList(QDir::Files), QStringList{u"defaut.mvr"_s});

    dialogues.OuiNon = {true};
    appuie("sbSauve");
    EXPECT_EQ(dialogues.Messages.size(), 2);
    EXPECT_EQ(QDir(DossierRapport).entryList(QDir::Files), QStringList{u"defaut.mvr"_s});
    EXPECT_TRUE(contenu(defaut).contains("Nbre=4\r\n"));
    EXPECT_FALSE(contenu(defaut).contains("Titre 5"));

    // A folder where the file should be: the write fails and says so.
    ASSERT_TRUE(QDir(DossierRapport).mkdir(u"bloque.mvr"_s));
    eFile->setText(u"bloque"_s);
    dialogues.OuiNon = {true};
    appuie("sbSauve");
    ASSERT_EQ(dialogues.Messages.size(), 4);
    EXPECT_TRUE(dialogues.Messages[3].contains(u"bloque.mvr"_s)) << dialogues.Messages[3].toStdString();
}

// An installed program's report folder cannot be written: models are saved
// in the user's folder, the list shows the user's models and the shipped
// ones, the user's where both have a name, and a report starting afresh
// reads the user's default model.
TEST_F(Colonnes, ModelsAreSavedInTheUsersFolderNeverInTheShippedOne)
{
    TModelesLivres livres(dossier.path());
    ASSERT_TRUE(livres.Copie(ModeleLivre, u"defaut.mvr"_s));
    ASSERT_TRUE(livres.Ecrit(u"Standard.mvr"_s, "[Lignee]\nVersion=2\n[Colonne]\nNbre=1\nTitre 1=S\nCode 1=<sexe>\n"));
    livres.Fige();
    DossierRapport = livres.Livre();
    DossierRapportUser = livres.User();

    // The shipped default, less a column, saved under its name: the user is
    // asked, since the shipped model would be hidden. Then a new model.
    clique(4, 0);
    appuie("sbMoins");
    eFile->setText(u"defaut"_s);
    dialogues.OuiNon = {true};
    appuie("sbSauve");
    EXPECT_EQ(dialogues.Messages.size(), 1);
    eFile->setText(u"mien"_s);
    appuie("sbSauve");
    EXPECT_EQ(dialogues.Messages.size(), 1) << "nothing to replace";
    EXPECT_TRUE(livres.Intact());
    EXPECT_EQ(QDir(livres.User()).entryList(QDir::Files), (QStringList{u"defaut.mvr"_s, u"mien.mvr"_s}));
    EXPECT_TRUE(contenu(livres.User() + u"defaut.mvr"_s).contains("Nbre=4\r\n"));

    auto *liste = controle<QComboBox>(u"CB_FileList"_s);
    liste->showPopup();
    QStringList noms, fichiers;
    for (int i = 0; i < liste->count(); ++i) {
        noms << liste->itemText(i);
        fichiers << liste->itemData(i).toString();
    }
    liste->hidePopup();
    EXPECT_EQ(noms, (QStringList{u"defaut"_s, u"mien"_s, u"standard"_s}));
    EXPECT_EQ(fichiers, (QStringList{livres.User() + u"defaut.mvr"_s, livres.User() + u"mien.mvr"_s,
                                     livres.Livre() + u"Standard.mvr"_s}));
    choisit(liste, u"standard"_s);
    choisit(liste, u"defaut"_s);
    EXPECT_EQ(editeur(), EditeurLivre.mid(0, 4));

    TfmRapport nouveau(famille.bd, hote);
    hote.Fenetre = &nouveau;
    nouveau.show();
    EXPECT_EQ(nouveau.Grille()->ColCount(), 4);
    EXPECT_TRUE(livres.Intact());
}

} // namespace
