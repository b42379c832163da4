// The input completion list and the event type chooser.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QStringListModel>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include "BD.h"
#include "DialoguesScriptes.h"
#include "Langue.h"
#include "Options.h"
#include "TfmFicheEve.h"
#include "TfmListe.h"

namespace {

QString S(const char *texte) { return QString::fromUtf8(texte); }

int personne(TBD &bd, const char *nom, const char *prenoms = "")
{
    const int p = bd.NewPerson();
    bd.SetSurname(p, S(nom));
    bd.SetGivenNames(p, S(prenoms));
    return p;
}

void lieu(TBD &bd, int p, const char *texte) { bd.SetEventField(bd.AddPersonEvent(p), EveLieu, S(texte)); }

// 24 surnames "DUA".."DUX" and 6 "DAA".."DAF": 30 beginning with "D".
void trenteNomsEnD(TBD &bd)
{
    for (int i = 0; i < 30; ++i)
        personne(bd, (std::string(i < 24 ? "DU" : "DA") + char('A' + i % 24)).c_str());
}

TSourceSaisie source(TGenreSaisie genre, int partie = 0) { return TSourceSaisie{genre, partie, QString(), 0}; }

class Liste : public ::testing::Test
{
protected:
    void SetUp() override { Options() = TOptions(); }
    void TearDown() override { Options() = TOptions(); }
    TBD bd;
};

TEST_F(Liste, DistinctSortedTypedTextLeftOutCaseIgnoredUnderTheMaximum)
{
    for (const char *nom : {"Dutour", "DUPONT", "Dupont", "DUPONT", "dupré", "Dupontel", "Émile", "", "MARTIN"})
        personne(bd, nom, "Jean");
    bd.DeletePerson(personne(bd, "Dupuis", "Jeannot"));
    personne(bd, "X", "Jeanne");
    const TSourceSaisie noms = source(TGenreSaisie::Noms);
    // "Dupont" and "DUPONT" are two values, each once; French order, code
    // order between texts that collate equal; persons not in use left out.
    EXPECT_EQ(CandidatsSaisie(bd, noms, S("du"), false, 25),
              (QStringList{S("DUPONT"), S("Dupont"), S("Dupontel"), S("dupré"), S("Dutour")}));
    EXPECT_EQ(CandidatsSaisie(bd, noms, S("dupont"), false, 25), QStringList{S("Dupontel")});
    EXPECT_EQ(CandidatsSaisie(bd, noms, S("é"), false, 25), QStringList{S("Émile")});
    const QStringList tous = CandidatsSaisie(bd, noms, QString(), true, 25);
    EXPECT_EQ(tous.size(), 8); // no empty surname
    EXPECT_EQ(tous.indexOf(S("Émile")), 5);
    EXPECT_EQ(CandidatsSaisie(bd, source(TGenreSaisie::Prenoms), S("JEAN"), false, 25), QStringList{S("Jeanne")});

    trenteNomsEnD(bd); // 29 values now begin with "du", 35 with "d"
    const auto nombre = [&](const char *saisi, bool tout, int maximum) {
        return CandidatsSaisie(bd, noms, S(saisi), tout, maximum).size();
    };
    EXPECT_EQ(nombre("D", false, 35), 0);
    EXPECT_EQ(nombre("Du", false, 30), 29);
    EXPECT_EQ(nombre("Du", false, 29), 0); // at most maximum - 1
    EXPECT_EQ(nombre("D", false, SaisieIllimitee), 35);
    EXPECT_EQ(nombre("DA", false, 0), 0); // taken as 1
    EXPECT_EQ(nombre("Du", true, 2), 38); // "all" ignores both
}

TEST_F(Liste, PlacesByPartOfThePlace)
{
    const int p = personne(bd, "A");
    for (const char *texte : {"FRA,IDF,F95,Pontoise", "FRA, IDF ,F75 ,Paris,Montmartre", "BEL,,,Bruxelles",
                              "FRA,IDF,F95,Pontoise", "ITA,LAZ,,Roma"})
        lieu(bd, p, texte);
    bd.RemovePersonEvent(p, 5); // Roma's event is no longer in use
    const QStringList entiers{S("BEL,,,Bruxelles"), S("FRA, IDF ,F75 ,Paris,Montmartre"), S("FRA,IDF,F95,Pontoise")};
    const struct {
        int partie;
        QStringList attendu;
    } cas[] = {
        {0, entiers}, {1, {S("BEL"), S("FRA")}}, {2, {S("IDF")}}, {3, {S("F75"), S("F95")}},
        {4, {S("Bruxelles"), S("Paris"), S("Pontoise")}}, {5, {S("Montmartre")}}, {9, entiers},
    };
    for (const auto &c : cas)
        EXPECT_EQ(CandidatsSaisie(bd, source(TGenreSaisie::Lieux, c.partie), QString(), true, 25), c.attendu)
            << "part " << c.partie;
}

// ---- The window ---------------------------------------------------------

class Fenetre : public Liste
{
protected:
    void SetUp() override
    {
        Liste::SetUp();
        ChargeLangue(QStringLiteral(LIGNEE_MODELE "/langue.txt"), nullptr);
        trenteNomsEnD(bd);
        auto *disposition = new QVBoxLayout(&hote);
        disposition->addWidget(edit);
        disposition->addWidget(autre);
        hote.show();
    }
    QStringList lignes() const { return static_cast<QStringListModel *>(lbListe->model())->stringList(); }
    int selection() const { return lbListe->currentIndex().isValid() ? lbListe->currentIndex().row() : -1; }
    void tape(const char *texte, bool tout = false)
    {
        edit->setText(S(texte));
        liste.ListeNoms(edit, PcNom, tout);
    }

    QDialog hote;
    QLineEdit *edit = new QLineEdit(&hote);
    QLineEdit *autre = new QLineEdit(&hote);
    TfmListe liste{bd};
    QListView *lbListe = liste.findChild<QListView *>(QStringLiteral("lbListe"));
};

TEST_F(Fenetre, TypingUnderTheMaximumThenF3)
{
    tape("D");
    EXPECT_FALSE(liste.Ouverte());
    tape("Du");
    ASSERT_TRUE(liste.Ouverte());
    EXPECT_EQ(lignes().size(), 24);
    EXPECT_EQ(selection(), -1);
    EXPECT_EQ(liste.windowTitle(), S("24 propositions (F3 pour tout afficher)"));
    EXPECT_EQ(liste.frameGeometry().topLeft(), edit->mapToGlobal(QPoint(0, edit->height())));
    tape("DUA");
    EXPECT_FALSE(liste.Ouverte()); // only "DUA" itself matches
    tape("D", true); // every match, no maximum; the sorted values are kept
    EXPECT_EQ(lignes().size(), 30);
    tape("D"); // typing while open: no maximum either
    EXPECT_EQ(lignes().size(), 30);
    // The kept values serve the next calls, until invalidated.
    for (const char *saisi : {"D", "du", "DUX", "DA"}) {
        liste.Ferme();
        tape(saisi);
        EXPECT_EQ(lignes(), CandidatsSaisie(bd, source(TGenreSaisie::Noms), S(saisi), false, 25)) << saisi;
    }
    liste.Ferme();
    personne(bd, "MARTIN");
    personne(bd, "DUZZ");
    liste.Invalide();
    tape("DUZ");
    EXPECT_EQ(lignes(), QStringList{S("DUZZ")});
    EXPECT_EQ(liste.windowTitle(), S("1 proposition (F3 pour tout afficher)"));
    tape("D", true); // F3 while open: every value
    EXPECT_EQ(lignes().size(), 32);
    autre->setText(S("DA")); // open for another edit counts as closed
    liste.ListeNoms(autre, PcNom, true);
    EXPECT_EQ(lignes().size(), 6);
    EXPECT_EQ(liste.Edit(), autre);
}

// The window system tells a window's frame once the window is on the screen;
// before, the list can only guess it (here it has no owner to copy it from).
// Placed by that guess above a field low on the screen, it would reach down
// onto the field: it is placed again once its frame is told.
TEST_F(Fenetre, PlacedAgainOnceTheWindowSystemTellsItsFrame)
{
    const QRect ecran = QGuiApplication::primaryScreen()->availableGeometry();
    hote.move(100, ecran.bottom() - 30 - edit->mapTo(&hote, QPoint(0, edit->height())).y());
    QCoreApplication::processEvents();
    const QRect champ(edit->mapToGlobal(QPoint(0, 0)), edit->size());
    ASSERT_GT(champ.bottom(), ecran.bottom() - 60);
    tape("Du");
    ASSERT_TRUE(liste.Ouverte());
    QCoreApplication::processEvents();
    const QRect cadre = liste.frameGeometry();
    EXPECT_NE(cadre, liste.geometry()) << "the window system gave no frame";
    EXPECT_FALSE(cadre.intersects(champ));
    EXPECT_EQ(cadre.bottom(), champ.top() - 1);
    EXPECT_TRUE(ecran.contains(cadre));
}

TEST_F(Fenetre, KeysOfTheEditAndTheMouseDriveTheList)
{
    tape("DA");
    QTest::keyClick(edit, Qt::Key_Up);
    EXPECT_EQ(selection(), -1);
    for (int touche : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Up, Qt::Key_Up, Qt::Key_Down})
        QTest::keyClick(edit, Qt::Key(touche));
    EXPECT_EQ(selection(), 1);
    for (int i = 0; i < 8; ++i)
        QTest::keyClick(edit, Qt::Key_Down);
    EXPECT_EQ(selection(), 5);
    // The line chosen reaches the edit's owner as the user's edit.
    QStringList edites;
    QObject::connect(edit, &QLineEdit::textEdited, &hote, [&edites](const QString &t) { edites << t; });
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(edit->text(), S("DAF"));
    EXPECT_EQ(edites, QStringList{S("DAF")});
    EXPECT_FALSE(liste.Ouverte());

    for (int touche : {Qt::Key_Enter, Qt::Key_Tab, Qt::Key_Escape}) {
        tape("DA");
        QTest::keyClick(edit, Qt::Key(touche));
        EXPECT_FALSE(liste.Ouverte()) << touche;
        EXPECT_EQ(edit->text(), S("DA")) << touche;
    }
    tape("DA"); // a mouse press acts as Enter on its line
    const QRect ligne = lbListe->visualRect(lbListe->model()->index(2, 0));
    QTest::mousePress(lbListe->viewport(), Qt::LeftButton, {}, ligne.center());
    EXPECT_EQ(edit->text(), S("DAC"));
    EXPECT_FALSE(liste.Ouverte());

    EXPECT_TRUE(hote.isVisible()); // the list swallowed Esc
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_FALSE(hote.isVisible()); // closed, it lets Esc through
}

TEST_F(Fenetre, PlacesAndUserFieldsThenEditDestroyed)
{
    lieu(bd, 1, "FRA,IDF,F95,Pontoise");
    lieu(bd, 2, "FRA,IDF,F75,Paris");
    Options().SaisieLieu = 4;
    edit->setText(S("p"));
    liste.ListeLieux(edit, false);
    EXPECT_EQ(lignes(), (QStringList{S("Paris"), S("Pontoise")}));

    bd.SetAttribute(1, S("Métier"), S("Tisserand"));
    bd.SetAttribute(2, S("Métier"), S("Tailleur"));
    bd.SetAttribute(3, S("Religion"), S("Tanneur"));
    liste.Ferme();
    liste.ListeChamp(edit, S("MÉTIER"), S("T"), 2, false); // never person 2's value
    EXPECT_EQ(lignes(), QStringList{S("Tisserand")});
    liste.ListeChamp(edit, S("Métier"), S("T"), 1, true);
    EXPECT_EQ(lignes(), QStringList{S("Tailleur")});

    delete edit;
    EXPECT_FALSE(liste.Ouverte());
    EXPECT_EQ(liste.Edit(), nullptr);
}

// ---- The event type chooser -----------------------------------------------

class Choix : public Liste
{
protected:
    void SetUp() override
    {
        Liste::SetUp();
        Options().Evenements = {{S("Individu"), S("Naissance"), S("BIRT")}, {S("Union"), S("Mariage"), S("MARR")},
                                {S("individu"), S("Décès"), S("DEAT")}, {S("Union"), S("Contrat"), QString()}};
    }
    // The dialog for a category, shown without blocking; texts are put in
    // whole (QTest types ASCII only).
    void ouvre(const char *categorie, const char *texte = nullptr)
    {
        dialogue = std::make_unique<TfmFicheEve>(Options(), S(categorie));
        dialogue->show();
        cbEve = dialogue->findChild<QLineEdit *>(QStringLiteral("cbEve"));
        liste = dialogue->findChild<QListWidget *>(QStringLiteral("cbEveListe"));
        bOk = dialogue->findChild<QPushButton *>(QStringLiteral("bOk"));
        if (texte)
            cbEve->setText(S(texte));
    }
    size_t lignes() const { return Options().Evenements.size(); }

    std::unique_ptr<TfmFicheEve> dialogue;
    QLineEdit *cbEve = nullptr;
    QListWidget *liste = nullptr;
    QPushButton *bOk = nullptr;
};

// A new type joins the list on Ok unless unticked; a known one, in any
// case, does not.
TEST_F(Choix, NewTypeJoinsTheListUnlessUncheckedOrCancelled)
{
    const struct {
        const char *texte;
        bool ajoute;
        Qt::Key touche;
        const char *type;
        size_t lignes;
    } cas[] = {
        {"mariage", true, Qt::Key_Return, "mariage", 4},
        {"  Fiançailles ", true, Qt::Key_Return, "Fiançailles", 5},
        {"Séparation", false, Qt::Key_Return, "Séparation", 5},
        {"Adoption", true, Qt::Key_Escape, "", 5},
    };
    for (const auto &c : cas) {
        ouvre("Union", c.texte);
        dialogue->findChild<QCheckBox *>(QStringLiteral("cbAjoute"))->setChecked(c.ajoute);
        QTest::keyClick(cbEve, c.touche);
        EXPECT_EQ(dialogue->Type(), S(c.type));
        EXPECT_EQ(dialogue->result(), *c.type ? QDialog::Accepted : QDialog::Rejected) << c.texte;
        ASSERT_EQ(lignes(), c.lignes) << c.texte;
    }
    EXPECT_EQ(Options().Evenements.back().Genre, S("Union"));
    EXPECT_EQ(Options().Evenements.back().Nom, S("Fiançailles"));
    EXPECT_TRUE(Options().Evenements.back().Gedcom.isEmpty());
}

TEST_F(Choix, ListOkButtonAndTip)
{
    TDialoguesScriptes dialogues;
    ouvre("INDIVIDU"); // the category in any case
    ASSERT_EQ(liste->count(), 2);
    EXPECT_EQ(liste->item(1)->text(), S("Décès"));
    EXPECT_EQ(liste->currentRow(), 0);
    EXPECT_EQ(cbEve->text(), S("Naissance"));
    liste->setCurrentRow(1);
    QTest::keyClick(cbEve, Qt::Key_Return);
    EXPECT_EQ(dialogue->Type(), S("Décès"));

    ouvre("Union");
    QTest::mouseClick(dialogue->findChild<QPushButton *>(QStringLiteral("BitBtn1")), Qt::LeftButton);
    EXPECT_EQ(dialogues.Astuces, QList<int>{10});
    const QPoint centre = liste->visualItemRect(liste->item(1)).center();
    QTest::mouseClick(liste->viewport(), Qt::LeftButton, {}, centre); // a double-click's first press
    QTest::mouseDClick(liste->viewport(), Qt::LeftButton, {}, centre);
    EXPECT_EQ(dialogue->Type(), S("Contrat"));

    ouvre("Autre"); // nothing proposed: Ok waits for a type
    EXPECT_EQ(liste->count(), 0);
    QTest::keyClicks(cbEve, S("  "));
    EXPECT_FALSE(bOk->isEnabled());
    QTest::keyClick(cbEve, Qt::Key_Return);
    EXPECT_TRUE(dialogue->isVisible());
    QTest::keyClicks(cbEve, S("Legs"));
    QTest::mouseClick(bOk, Qt::LeftButton);
    EXPECT_EQ(dialogue->Type(), S("Legs"));
    EXPECT_EQ(lignes(), 5u);
}

TEST_F(Choix, ChoisitEvenementRunsModallyOverTheOptions)
{
    QTimer::singleShot(0, [] {
        QWidget *modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        auto *edit = modal->findChild<QLineEdit *>(QStringLiteral("cbEve"));
        edit->setText(S("Tutelle"));
        QTest::keyClick(edit, Qt::Key_Return);
    });
    EXPECT_EQ(ChoisitEvenement(nullptr, S("Individu")), S("Tutelle"));
    EXPECT_EQ(lignes(), 5u);
}

} // namespace
