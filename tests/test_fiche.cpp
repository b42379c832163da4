#include "BD.h"
#include "Dates.h"
#include "DialoguesScriptes.h"
#include "FamilleTest.h"
#include "Globales.h"
#include "InvariantBase.h"
#include "Langue.h"
#include "Options.h"
#include "Relatifs.h"
#include "ReponseModale.h"
#include "TChamp.h"
#include "TfmChampAjoute.h"
#include "TfmFiche.h"
#include "TfmFicheEve.h"
#include "TfmLieuV3.h"
#include "TfmListe.h"
#include "TfmNote.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QTemporaryDir>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

using namespace Qt::StringLiterals;

void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

namespace {

// Types a text, accented letters included (QTest::keyClicks takes ASCII only).
void Tape(QWidget *w, const QString &texte)
{
    for (QChar c : texte)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// A double-click on a line of a list, where and as the user makes it: the
// first click, the window's events handled (a layout that changes moves the
// list under the mouse), then the double-click event and its release at the
// same place on the screen.
void DoubleClic(QListWidget *liste, int ligne)
{
    // The user clicks on what is on the screen: a tab just chosen is laid out.
    QCoreApplication::processEvents();
    const QPoint centre = liste->visualItemRect(liste->item(ligne)).center();
    const QPoint ecran = liste->viewport()->mapToGlobal(centre);
    QTest::mouseClick(liste->viewport(), Qt::LeftButton, {}, centre);
    QCoreApplication::processEvents();
    const QPoint ici = liste->viewport()->mapFromGlobal(ecran);
    // Wherever the window is, the line must stay under the mouse.
    EXPECT_EQ(ici, centre) << "the list moved under the mouse between the two clicks ";
    QTest::mouseDClick(liste->viewport(), Qt::LeftButton, {}, ici);
    QTest::mouseRelease(liste->viewport(), Qt::LeftButton, {}, ici);
}

// Answers the event type chooser: types `type` and presses OK.
struct ReponseChoixEve {
    explicit ReponseChoixEve(const QString &type)
        : Reponse([type](TfmFicheEve &d) {
            d.findChild<QLineEdit *>(QStringLiteral("cbEve"))->setText(type);
            d.findChild<QPushButton *>(QStringLiteral("bOk"))->click();
        })
    {
    }
    ReponseModale<TfmFicheEve> Reponse;
};

// Answers the add-field dialog: the label typed, the kind's radio button
// and the two check boxes, then OK; the labels it offered are kept.
struct ReponseAjoutChamp {
    ReponseAjoutChamp(const char *libelle, const char *sorte, bool liste, bool tous)
        : Reponse([=, this](TfmChampAjoute &d) {
            Proposes = d.Libelles();
            QTest::keyClicks(d.findChild<QLineEdit *>(u"cbLibelle"_s), QString::fromUtf8(libelle));
            d.findChild<QRadioButton *>(QString::fromLatin1(sorte))->click();
            d.findChild<QCheckBox *>(u"cbListe"_s)->setChecked(liste);
            d.findChild<QCheckBox *>(u"cbTous"_s)->setChecked(tous);
            d.findChild<QPushButton *>(u"bOk"_s)->click();
        })
    {
    }
    QStringList Proposes;
    ReponseModale<TfmChampAjoute> Reponse;
};

class HoteFicheTest final : public THoteFiche
{
public:
    int Selec = 4;
    QList<int> Modifiees;
    int Liens = 0;
    QList<int> Touches;

    int SelecPers() const override { return Selec; }
    void SetSelecPers(int p) override { Selec = p; }
    bool FormKeyDown(int key, Qt::KeyboardModifiers) override
    {
        Touches << key;
        return key == Qt::Key_F12;
    }
    void PersonneModifiee(int p) override { Modifiees << p; }
    void LiensModifies() override { ++Liens; }
    QColor CouleurSexe(int sexe) const override { return sexe == SexeHomme ? Qt::cyan : Qt::magenta; }
    QString DefinitionChamps() const override { return ::DefinitionChamps(Options().Champs); }
    void FicheCachee() override {}
};

class Fiche : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(ChargeLangue(QStringLiteral(LIGNEE_MODELE "/langue.txt"), nullptr));
        Options() = TOptions();
        Options().Champs = {{true, u"Profession"_s, u"OCCU"_s}, {false, u"Titre"_s, u"TITL"_s}};
        BaseModifiee = 0;
        SetHorloge([] { return QDate(2020, 6, 15); });
        m_fiche = std::make_unique<TfmFiche>(m_famille.bd, m_hote);
        m_fiche->show();
        // Focus changes, which run the exit handlers, need an active window.
        QApplication::setActiveWindow(m_fiche.get());
        m_fiche->Affiche();
    }
    void TearDown() override
    {
        SetHorloge({});
        SetOrdreMoisJour(false);
    }

    template <typename T>
    T *controle(const char *nom)
    {
        T *c = m_fiche->findChild<T *>(QString::fromLatin1(nom));
        EXPECT_NE(c, nullptr) << nom;
        return c;
    }

    TBD &bd() { return m_famille.bd; }
    void montre(int p)
    {
        m_hote.Selec = p;
        m_fiche->Affiche();
    }
    // Runs an entry of the relatives menu prepared for a control.
    void menu(const char *controle, const char *entree)
    {
        m_fiche->PrepareMenuRelatifs(QString::fromLatin1(controle));
        m_fiche->MenuRelatifs()->findChild<QAction *>(QString::fromLatin1(entree))->trigger();
    }

    FamilleTest m_famille;
    HoteFicheTest m_hote;
    TDialoguesScriptes m_dialogues;
    std::unique_ptr<TfmFiche> m_fiche;
};

TEST(FormatNoms, UnicodeCaseMappingCharacterByCharacter)
{
    const struct {
        const char *texte, *nom, *prenom;
    } cas[] = {
        {"dupont", "DUPONT", "Dupont"},
        {"éloïse-marie d'arc", "ÉLOÏSE-MARIE D'ARC", "Éloïse-Marie D'arc"},
        {"straße", "STRAßE", "Straße"},
        {"ÿves ÷ ×", "ŸVES ÷ ×", "Ÿves ÷ ×"},
        {"łukasz żółć", "ŁUKASZ ŻÓŁĆ", "Łukasz Żółć"},
        {"ΔΗΜΗΤΡΗΣ", "ΔΗΜΗΤΡΗΣ", "Δημητρησ"},
        {"jean \"jeannot\",paul;luc", "JEAN \"JEANNOT\",PAUL;LUC", "Jean \"Jeannot\",Paul;Luc"},
    };
    for (const auto &c : cas) {
        EXPECT_EQ(TfmFiche::FormateNom(QString::fromUtf8(c.texte)), QString::fromUtf8(c.nom)) << c.texte;
        EXPECT_EQ(TfmFiche::FormatePrenom(QString::fromUtf8(c.texte)), QString::fromUtf8(c.prenom)) << c.texte;
    }
}

TEST_F(Fiche, ShowsTheCurrentPerson)
{
    EXPECT_EQ(m_fiche->windowTitle(), u"MARTIN Pierre");
    EXPECT_EQ(controle<QLineEdit>("E_Nom")->text(), u"MARTIN");
    EXPECT_EQ(controle<QLineEdit>("E_Pere")->text(), u"MARTIN Jean (1900 - )");
    EXPECT_EQ(controle<QListWidget>("LB_Fatrie")->count(), 4); // Anne, Paul, Claude, new line
    EXPECT_EQ(controle<QListWidget>("lbEve")->item(0)->text(), u"Naissance");
    EXPECT_EQ(controle<QListWidget>("LB_Union")->item(0)->text(), u"BERNARD Sophie ( - )");
    // A person without a creation date gets today's, nothing else changes.
    EXPECT_EQ(bd().GetField(4, PcCreation), u"15/6/2020");
    EXPECT_EQ(BaseModifiee, 0);
    // Pierre has a child and a union: his sex cannot change here.
    QToolButton *sbSexe = controle<QToolButton>("sbSexe");
    EXPECT_FALSE(sbSexe->isEnabled());
    // No coherence message: no error tab.
    QTabWidget *pc = controle<QTabWidget>("PC");
    const int erreur = pc->indexOf(controle<QWidget>("tsErreur"));
    EXPECT_FALSE(pc->isTabVisible(erreur));
    bd().SetBirthDate(4, QStringLiteral("1890")); // born before his father
    m_fiche->Affiche();
    EXPECT_TRUE(pc->isTabVisible(erreur));
    EXPECT_FALSE(controle<QPlainTextEdit>("mInfo")->toPlainText().isEmpty());

    // Claude: unknown sex shown as a woman; no child nor union, so it can change.
    montre(7);
    EXPECT_EQ(sbSexe->text(), u"Femme");
    sbSexe->click();
    EXPECT_EQ(bd().Sex(7), SexeHomme);
    EXPECT_EQ(sbSexe->text(), u"Homme");
    EXPECT_EQ(controle<QFrame>("pSexe")->palette().color(QPalette::Window), QColor(Qt::cyan));
}

TEST_F(Fiche, TypingStoresAtOnce)
{
    bd().SetField(4, PcModification, QStringLiteral("1/1/2000"));
    QLineEdit *nom = controle<QLineEdit>("E_Nom");
    nom->setFocus();
    nom->setCursorPosition(3);
    Tape(nom, QStringLiteral("é"));
    EXPECT_EQ(nom->text(), u"MARÉTIN");
    EXPECT_EQ(nom->cursorPosition(), 4);
    EXPECT_EQ(bd().Surname(4), u"MARÉTIN");
    EXPECT_EQ(bd().GetField(4, PcModification), u"15/6/2020");
    EXPECT_EQ(BaseModifiee, 1);
    EXPECT_EQ(m_hote.Modifiees.last(), 4);

    Options().PreMaj = true;
    QLineEdit *prenoms = controle<QLineEdit>("E_Pre");
    prenoms->setFocus();
    prenoms->clear();
    QTest::keyClicks(prenoms, QStringLiteral("jean-pierre  "));
    EXPECT_EQ(bd().GivenNames(4), u"Jean-Pierre");

    // Without the options, names are stored as typed.
    Options().NomMaj = false;
    nom->setFocus();
    nom->clear();
    QTest::keyClicks(nom, QStringLiteral("de Gaulle"));
    EXPECT_EQ(bd().Surname(4), u"de Gaulle");

    QPlainTextEdit *note = controle<QPlainTextEdit>("M_Note");
    note->setPlainText(QStringLiteral("ligne 1\nligne 2\n\n"));
    EXPECT_EQ(bd().GetField(4, PcNote), u"ligne 1\r\nligne 2");
    EXPECT_TRUE(controle<QTabWidget>("PC")->tabText(4).endsWith(QLatin1Char('+')));
    // The field of the definitions is offered; typing a value stores it.
    auto *profession = m_fiche->findChild<QLineEdit *>(QStringLiteral("E_Champ1"));
    ASSERT_NE(profession, nullptr);
    Tape(profession, QStringLiteral("Menuisier|ébéniste"));
    EXPECT_EQ(bd().Profession(4), u"Menuisier ébéniste");
}

// The union list names the spouse, also for a person of unknown sex, who
// holds a union as its wife.
TEST_F(Fiche, TheUnionListOfAPersonOfUnknownSexNamesTheSpouse)
{
    const int camille = m_famille.personne("DUPUIS", "Camille", SexeInconnu, "1936");
    m_famille.union_(6, 7, "1960");       // Claude, unknown, as the wife of Paul
    m_famille.union_(6, camille, "1970"); // Camille, unknown, as the wife of Paul
    const auto lignes = [&](int p) {
        montre(p);
        QStringList l;
        auto *liste = controle<QListWidget>("LB_Union");
        for (int i = 0; i + 1 < liste->count(); ++i)
            l << liste->item(i)->text();
        return l;
    };
    EXPECT_EQ(lignes(7), QStringList{u"MARTIN Paul (1942 - )"_s});
    EXPECT_EQ(lignes(camille), QStringList{u"MARTIN Paul (1942 - )"_s});
    EXPECT_EQ(lignes(6), (QStringList{u"DURAND Claude (1935 - )"_s, u"DUPUIS Camille (1936 - )"_s}));
}

TEST_F(Fiche, EventDatesAndPlaces)
{
    QLineEdit *date = controle<QLineEdit>("eveDate");
    QLineEdit *lieu = controle<QLineEdit>("eveLieu");
    date->setFocus();
    date->selectAll();
    QTest::keyClicks(date, QStringLiteral("14.7.1789"));
    lieu->setFocus(); // leaving the date normalises it
    EXPECT_EQ(bd().BirthDate(4), u"14/7/1789");
    EXPECT_EQ(date->text(), u"14/7/1789");
    EXPECT_TRUE(controle<QLabel>("lJour")->text().startsWith(QStringLiteral("Mardi 14 juillet 1789.")));

    // "95" is the département of Val-d'Oise; three digits or one stay as typed.
    QTest::keyClicks(lieu, QStringLiteral("95"));
    EXPECT_EQ(lieu->text(), u"FRA,IDF,F95");
    EXPECT_EQ(lieu->cursorPosition(), lieu->text().size());
    EXPECT_EQ(bd().BirthPlace(4), u"FRA,IDF,F95");
    for (const char *saisie : {"9", "950", "00", "٩٥", " 95"}) {
        lieu->clear();
        lieu->insert(QString::fromUtf8(saisie)); // as pasted
        EXPECT_EQ(lieu->text(), QString::fromUtf8(saisie));
        EXPECT_EQ(bd().BirthPlace(4), QString::fromUtf8(saisie));
    }
}

TEST_F(Fiche, AddedFieldsJoinTheProposedFieldsWhenAsked)
{
    QToolButton *ajoute = controle<QToolButton>("sbPersChp");
    TChamp *champs = controle<TChamp>("PChp");
    auto clique = [&](ReponseAjoutChamp &r) {
        QTest::mouseClick(ajoute, Qt::LeftButton);
        EXPECT_TRUE(r.Reponse.Ouvert);
    };
    {
        // A date field proposed for every person.
        ReponseAjoutChamp r("Parrain", "rbDate", true, true);
        clique(r);
        EXPECT_EQ(r.Proposes, (QStringList{u"Profession"_s, u"Titre"_s}));
    }
    auto *parrain = m_fiche->findChild<QLineEdit *>(u"E_Champ2"_s);
    ASSERT_NE(parrain, nullptr);
    EXPECT_EQ(bd().GetField(4, PcChamps), QString()); // nothing stored while empty
    EXPECT_EQ(BaseModifiee, 0);
    ASSERT_EQ(Options().Champs.size(), 3u);
    EXPECT_TRUE(Options().Champs[2].PourTous);
    EXPECT_EQ(Options().Champs[2].Nom, u"Parrain"_s);
    EXPECT_EQ(champs->ChampDef(), u"t|Profession||t|Parrain||"_s);
    QTest::keyClicks(parrain, QStringLiteral("15/8/1950"));
    EXPECT_EQ(bd().GetField(4, PcChamps), u"d|Parrain|15/8/1950|"_s);
    // Another person gets the proposed field, empty.
    montre(9);
    EXPECT_EQ(m_fiche->findChild<QLabel *>(u"L_Champ2"_s)->text(), u"Parrain"_s);
    EXPECT_TRUE(m_fiche->findChild<QLineEdit *>(u"E_Champ2"_s)->text().isEmpty());

    {
        // Not for the list: left empty, it is gone when the person is
        // shown again.
        ReponseAjoutChamp r("Surnom", "rbTexte", false, true);
        clique(r);
    }
    ASSERT_NE(m_fiche->findChild<QLineEdit *>(u"E_Champ3"_s), nullptr);
    EXPECT_EQ(Options().Champs.size(), 3u);
    montre(9);
    EXPECT_EQ(m_fiche->findChild<QLineEdit *>(u"E_Champ3"_s), nullptr);

    {
        // A proposed field, whatever its letter case, is only shown for all.
        ReponseAjoutChamp r("titre", "rbTexte", true, true);
        clique(r);
    }
    EXPECT_EQ(Options().Champs.size(), 3u);
    EXPECT_TRUE(Options().Champs[1].PourTous);
    EXPECT_EQ(champs->ChampDef(), u"t|Profession||t|Titre||t|Parrain||"_s);
}

// The completion list of a user-defined field, driven by the keys typed in
// it and by the focus going in and out of the fields.
TEST_F(Fiche, TheFieldsDriveTheCompletionList)
{
    Options().SaisieChp = false;
    for (const auto &[p, metier] : {std::pair{1, "Menuisier"}, {2, "Meunier"}, {3, "Maçon"}})
        bd().SetField(p, PcChamps, u"t|Profession|"_s + QString::fromUtf8(metier) + u'|');
    bd().SetField(1, PcNaissanceLieu, u"Lyon"_s);
    montre(4);
    TfmListe *liste = m_fiche->Liste();
    auto *metier = m_fiche->findChild<QLineEdit *>(u"E_Champ1"_s);
    ASSERT_NE(metier, nullptr);
    auto f3 = [&](QWidget *w) {
        w->setFocus();
        QTest::keyClick(w, Qt::Key_F3);
        return liste->Ouverte();
    };

    // Typing leaves the list as it is; a shorter text closes it.
    ASSERT_TRUE(f3(metier));
    QTest::keyClicks(metier, u"Me"_s);
    EXPECT_TRUE(liste->Ouverte());
    EXPECT_EQ(bd().GetField(4, PcChamps), u"t|Profession|Me|");
    QTest::keyClick(metier, Qt::Key_Backspace);
    EXPECT_FALSE(liste->Ouverte());
    EXPECT_EQ(bd().GetField(4, PcChamps), u"t|Profession|M|");

    // Leaving the fields closes it.
    ASSERT_TRUE(f3(metier));
    controle<QLineEdit>("E_Pre")->setFocus();
    EXPECT_FALSE(liste->Ouverte());
    // So does coming into them from a field whose list is open.
    m_fiche->SetOnglet(1);
    ASSERT_TRUE(f3(controle<QLineEdit>("eveLieu")));
    m_fiche->SetOnglet(0);
    metier->setFocus();
    EXPECT_FALSE(liste->Ouverte());

    // Enter, once the list has taken what it uses, moves to the next control.
    ASSERT_TRUE(f3(metier));
    QTest::keyClick(metier, Qt::Key_Down);
    QTest::keyClick(metier, Qt::Key_Return);
    EXPECT_FALSE(liste->Ouverte());
    EXPECT_EQ(bd().GetField(4, PcChamps), u"t|Profession|Maçon|");
    EXPECT_TRUE(metier->hasFocus());
    QTest::keyClick(metier, Qt::Key_Return);
    EXPECT_FALSE(metier->hasFocus());
    EXPECT_TRUE(m_hote.Touches.isEmpty());

    // The hidden OK button closes the form.
    auto *ok = controle<QPushButton>("bOK");
    EXPECT_FALSE(ok->isVisible());
    ok->click();
    EXPECT_FALSE(m_fiche->isVisible());
}

TEST_F(Fiche, TheDayLabelSaysWhenADateDoesNotExist)
{
    montre(8); // Sophie: no birth, no death
    QTest::keyClick(m_fiche.get(), Qt::Key_B, Qt::ControlModifier);
    QLineEdit *date = controle<QLineEdit>("eveDate");
    QLineEdit *lieu = controle<QLineEdit>("eveLieu");
    QLabel *jour = controle<QLabel>("lJour");
    const QString inexistante = MLText(7100);
    const struct {
        bool moisJour; // display order m/j/a
        const char *saisie, *jour;
    } cas[] = {
        {false, "29/2/1900", nullptr},  {false, "29/2/2000", "Mardi 29 février 2000."},
        {false, "31/4/1850", nullptr},  {false, "30/4/1850", "Mardi 30 avril 1850."},
        {false, "31/2/1850", nullptr},  {false, "12/13/1850", nullptr},
        {false, "0/5/1850", nullptr},   {false, "5/10/1582", nullptr},
        {false, "14/10/1582", nullptr}, {false, "4/10/1582", "Jeudi 4 octobre 1582."},
        {false, "15/10/1582", "Vendredi 15 octobre 1582."},
        {false, "1850", "1850."},       {false, "vers 5/1850", "Mai 1850."},
        {true, "12/13/1850", "Vendredi 13 décembre 1850."}, {true, "2/31/1850", nullptr},
    };
    for (const auto &c : cas) {
        SetOrdreMoisJour(c.moisJour);
        const QString saisie = QString::fromUtf8(c.saisie);
        date->setFocus();
        date->selectAll();
        QTest::keyClicks(date, saisie);
        lieu->setFocus();
        EXPECT_EQ(jour->text().trimmed(), c.jour ? QString::fromUtf8(c.jour) : inexistante) << c.saisie;
        // What was typed stays as typed.
        EXPECT_EQ(date->text(), saisie);
        EXPECT_EQ(DateVersAffichage(bd().GetPersonEventField(8, 1, EveDate)), saisie) << c.saisie;
    }
}

TEST_F(Fiche, AgesAndLengthsOfLife)
{
    const int p = 6; // Paul, born 1942
    m_hote.Selec = p;
    const struct {
        const char *naissance, *deces;
        const char *attendu; // in the day label, after the birth date
    } cas[] = {
        {"3/4/1926", "", "Âge: 94 ans."},
        {"1/1/2021", "", ""},             // born in the future: no age
        {"3/4/2020", "", ""},             // a baby: no age in years
        {"1/1/1950", "2/1/1951", "Décédé(e) à 1 an."},
        {"1/1/1950", "1/3/1950", "Décédé(e) à 59 jours."},
        {"1/1/1950", "1/1/1950", ""},
        {"1/1/1950", "31/12/1950", "Décédé(e) à 364 jours."},
    };
    for (const auto &c : cas) {
        bd().SetBirthDate(p, QString::fromUtf8(c.naissance));
        bd().SetField(p, PcDecesDate, QString::fromUtf8(c.deces));
        m_fiche->Affiche();
        const QString jour = controle<QLabel>("lJour")->text();
        if (*c.attendu)
            EXPECT_TRUE(jour.endsWith(QString::fromUtf8(c.attendu))) << jour.toStdString();
        else
            EXPECT_FALSE(jour.contains(QStringLiteral("Âge")) || jour.contains(QStringLiteral("Décédé")))
                << jour.toStdString();
    }
}

TEST_F(Fiche, CtrlKeysAddTheUsualEventsOnce)
{
    montre(8); // Sophie: no event, one union
    QLineEdit *nom = controle<QLineEdit>("E_Nom");
    nom->setFocus();
    QTest::keyClick(nom, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(bd().PersonEventCount(8), 1);
    EXPECT_EQ(bd().GetPersonEventField(8, 1, EveType), u"Naissance");
    QTest::keyClick(m_fiche.get(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(bd().PersonEventCount(8), 1);
    for (Qt::Key k : {Qt::Key_B, Qt::Key_D, Qt::Key_S})
        QTest::keyClick(m_fiche.get(), k, Qt::ControlModifier);
    EXPECT_EQ(bd().PersonEventCount(8), 4);
    EXPECT_EQ(bd().GetPersonEventField(8, 4, EveType), u"Inhumation");

    // Ctrl+M: a marriage on the selected union, once.
    const int u = 3;
    const int avant = bd().UnionEventCount(u);
    QTest::keyClick(m_fiche.get(), Qt::Key_M, Qt::ControlModifier);
    EXPECT_EQ(bd().UnionEventCount(u), avant); // the union has its marriage already
    bd().RemoveUnionEvent(u, 1);
    QTest::keyClick(m_fiche.get(), Qt::Key_M, Qt::ControlModifier);
    EXPECT_EQ(bd().UnionEventCount(u), avant);
    EXPECT_EQ(bd().GetUnionEventField(u, avant, EveType), u"Mariage");

    // Other keys go to the main window.
    QTest::keyClick(m_fiche.get(), Qt::Key_F12);
    EXPECT_TRUE(m_hote.Touches.contains(Qt::Key_F12));
}

TEST_F(Fiche, DoubleClickOnTheNewEntryLineAddsAnEventOfAnyType)
{
    montre(8); // Sophie: no event, one union (3) with its marriage
    QTabWidget *pc = controle<QTabWidget>("PC");
    pc->setCurrentWidget(controle<QWidget>("TS_Evenement"));
    QListWidget *lbEve = controle<QListWidget>("lbEve");
    ASSERT_EQ(lbEve->count(), 1);
    {
        ReponseChoixEve reponse(QStringLiteral("Profession"));
        DoubleClic(lbEve, 0);
        EXPECT_TRUE(reponse.Reponse.Ouvert);
    }
    ASSERT_EQ(bd().PersonEventCount(8), 1);
    EXPECT_EQ(bd().GetPersonEventField(8, 1, EveType), u"Profession");
    EXPECT_EQ(lbEve->currentRow(), 0);
    EXPECT_EQ(m_fiche->focusWidget(), controle<QLineEdit>("eveDate"));
    // A second one, the first now holding a place.
    QTest::keyClicks(controle<QLineEdit>("eveLieu"), QStringLiteral("Paris"));
    {
        ReponseChoixEve reponse(QStringLiteral("Résidence"));
        DoubleClic(lbEve, 1);
        EXPECT_TRUE(reponse.Reponse.Ouvert);
    }
    ASSERT_EQ(bd().PersonEventCount(8), 2);
    EXPECT_EQ(bd().GetPersonEventField(8, 2, EveType), u"Résidence");
    EXPECT_EQ(bd().GetPersonEventField(8, 1, EveLieu), u"Paris");

    // The same on the events of the selected union.
    pc->setCurrentWidget(controle<QWidget>("TS_Union"));
    QListWidget *lbUnionEve = controle<QListWidget>("lbUnionEve");
    const int avant = bd().UnionEventCount(3);
    ASSERT_EQ(lbUnionEve->count(), avant + 1);
    {
        ReponseChoixEve reponse(QStringLiteral("Contrat de mariage"));
        DoubleClic(lbUnionEve, avant);
        EXPECT_TRUE(reponse.Reponse.Ouvert);
    }
    ASSERT_EQ(bd().UnionEventCount(3), avant + 1);
    EXPECT_EQ(bd().GetUnionEventField(3, avant + 1, EveType), u"Contrat de mariage");
    EXPECT_EQ(lbUnionEve->currentRow(), avant);
}

TEST_F(Fiche, AnEventLeftEmptyIsRemovedWhenLeavingIt)
{
    montre(8);
    QTest::keyClick(m_fiche.get(), Qt::Key_D, Qt::ControlModifier);
    ASSERT_EQ(bd().PersonEventCount(8), 1);
    QListWidget *lbEve = controle<QListWidget>("lbEve");
    // Choosing the new-entry line leaves the empty death event.
    QTest::mouseClick(lbEve->viewport(), Qt::LeftButton, {}, lbEve->visualItemRect(lbEve->item(1)).center());
    EXPECT_EQ(bd().PersonEventCount(8), 0);
    EXPECT_EQ(lbEve->count(), 1);
    // Nothing is written while the new-entry line is selected.
    QTest::keyClicks(controle<QLineEdit>("eveLieu"), QStringLiteral("Paris"));
    EXPECT_EQ(bd().PersonEventCount(8), 0);
}

TEST_F(Fiche, CertaintyPanels)
{
    QToolButton *sbStaP = controle<QToolButton>("sbStaP");
    QFrame *pStaP = controle<QFrame>("pStaP");
    const QColor attendues[] = {QColor(0, 255, 0), QColor(255, 255, 0), QColor(255, 128, 0), QColor(255, 0, 0),
                                QColor(0, 255, 0)};
    EXPECT_EQ(pStaP->palette().color(QPalette::Window), attendues[0]);
    for (int k = 1; k <= 4; ++k) {
        sbStaP->click();
        EXPECT_EQ(bd().FatherLinkStatus(4), k % 4);
        EXPECT_EQ(pStaP->palette().color(QPalette::Window), attendues[k]);
        EXPECT_EQ(sbStaP->text(), MLText(120 + k % 4));
    }
    EXPECT_EQ(m_hote.Liens, 4);

    // An event's status: a complete date is sure, and what is shown is stored.
    bd().SetPersonEventField(4, 1, QStringLiteral("2"), EveQualite);
    m_fiche->Affiche();
    EXPECT_EQ(bd().GetPersonEventField(4, 1, EveQualite), u"2"); // filling writes nothing
    QLineEdit *date = controle<QLineEdit>("eveDate");
    date->setFocus();
    QTest::keyClick(date, Qt::Key_End);
    controle<QLineEdit>("eveLieu")->setFocus();
    EXPECT_EQ(bd().GetPersonEventField(4, 1, EveQualite), u"0");
    controle<QToolButton>("sbEveSta")->click();
    EXPECT_EQ(bd().GetPersonEventField(4, 1, EveQualite), u"1");

    // The union event's own status steps.
    controle<QTabWidget>("PC")->setCurrentIndex(3);
    controle<QToolButton>("sbEveUnionSta")->click();
    EXPECT_EQ(bd().GetUnionEventField(3, 1, EveQualite), u"1");
    EXPECT_EQ(bd().GetPersonEventField(4, 1, EveQualite), u"1");
}

// The relatives operations' host, for the form's add commands: it follows
// the form's host.
class HoteRelatifsTest final : public THoteRelatifs
{
public:
    explicit HoteRelatifsTest(HoteFicheTest &fiche) : m_fiche(fiche) {}
    int SelecPers() const override { return m_fiche.Selec; }
    void SetSelecPers(int p) override { m_fiche.Selec = p; }
    bool SaisieIdentite(const QString &, int, bool) override { return true; }
    void MontreNouvelle(int p, const QString &, bool) override { m_fiche.Selec = p; }
    void FicheAffiche() override {}
    int OngletFiche() const override { return 0; }
    void SetOngletFiche(int) override {}

private:
    HoteFicheTest &m_fiche;
};

TEST_F(Fiche, RelativesMenuFollowsTheControlItWasOpenedOn)
{
    auto visibles = [this](const char *controle) {
        m_fiche->PrepareMenuRelatifs(QString::fromLatin1(controle));
        QStringList noms;
        for (QAction *a : m_fiche->MenuRelatifs()->actions())
            if (a->isVisible())
                noms << a->objectName();
        return noms.join(u' ');
    };
    // Person 4 has a father and a mother, one child, siblings, one union.
    EXPECT_EQ(visibles("E_Pere"), u"MI_Sel MI_Ref MI_Recherche MI_Supprime MI_Efface"_s);
    EXPECT_EQ(visibles("E_Nom"), u"MI_Ref MI_Recherche MI_Supprime"_s);
    QListWidget *enfants = controle<QListWidget>("LB_Enfant");
    enfants->setCurrentRow(0);
    EXPECT_EQ(visibles("LB_Enfant"), u"MI_Sel MI_Ref MI_Ajoute MI_Recherche MI_Supprime MI_Efface"_s);
    enfants->setCurrentRow(enfants->count() - 1); // the new-entry line
    EXPECT_EQ(visibles("LB_Enfant"), u"MI_Ajoute MI_Recherche"_s);
    // A double click reaches the relative.
    controle<QTabWidget>("PC")->setCurrentWidget(controle<QWidget>("TS_Famille"));
    DoubleClic(enfants, 0);
    EXPECT_EQ(m_hote.Selec, 9);
    QTest::mouseDClick(controle<QLineEdit>("E_Pere"), Qt::LeftButton);
    EXPECT_EQ(m_hote.Selec, 1);
    // Sophie (8) has no parents.
    montre(8);
    EXPECT_EQ(visibles("E_Mere"), u"MI_Ajoute MI_Recherche"_s);
}

TEST_F(Fiche, NewEntryLinesAndEmptyParentsAddRelatives)
{
    HoteRelatifsTest hote(m_hote);
    TRelatifs relatifs(bd(), hote);
    m_fiche->SetRelatifs(&relatifs, nullptr);
    Options().AjoutePers = false;
    Options().LienAuto = true;
    montre(8); // Sophie BERNARD: no parents
    QTest::mouseDClick(controle<QLineEdit>("E_Pere"), Qt::LeftButton);
    const int pere = m_hote.Selec;
    ASSERT_NE(pere, 8);
    EXPECT_EQ(bd().Father(8), pere);
    EXPECT_EQ(bd().Surname(pere), u"BERNARD"_s);

    // A child from the new-entry line of the children list.
    montre(8);
    QListWidget *enfants = controle<QListWidget>("LB_Enfant");
    controle<QTabWidget>("PC")->setCurrentWidget(controle<QWidget>("TS_Famille"));
    DoubleClic(enfants, enfants->count() - 1);
    const int enfant = m_hote.Selec;
    EXPECT_EQ(bd().Mother(enfant), 8);
    // Sophie has one union (with Pierre, 4): the child is his, silently.
    EXPECT_EQ(bd().Father(enfant), 4);
    EXPECT_EQ(bd().Surname(enfant), u"MARTIN"_s);
    EXPECT_TRUE(m_dialogues.Messages.isEmpty());
}

TEST_F(Fiche, DeletingFromTheFormAsksThenMovesToARelative)
{
    // No keeps everything; Yes on the name deletes the person shown, and
    // the form moves to the father.
    m_dialogues.OuiNon = {false};
    menu("E_Nom", "MI_Supprime");
    EXPECT_TRUE(bd().PersonInUse(4));
    EXPECT_EQ(m_dialogues.Messages.last(), MLFormat(536, {bd().FullName(4)}));
    m_dialogues.OuiNon = {true};
    menu("E_Nom", "MI_Supprime");
    EXPECT_FALSE(bd().PersonInUse(4));
    EXPECT_EQ(m_hote.Selec, 1);
    EXPECT_EQ(m_fiche->Personne(), 1);
    EXPECT_EQ(bd().Father(9), 0);
    EXPECT_EQ(BaseModifiee, 1);
    EXPECT_EQ(FautesBase(bd()), QStringList());

    // Theo (13) has no known relative left after his parents go: the form
    // moves to the nearest person before him.
    montre(13);
    m_dialogues.OuiNon = {true, true, true};
    menu("E_Pere", "MI_Supprime");
    menu("E_Mere", "MI_Supprime");
    menu("E_Pre", "MI_Supprime");
    EXPECT_FALSE(bd().PersonInUse(13));
    EXPECT_EQ(m_hote.Selec, 11);
    EXPECT_EQ(FautesBase(bd()), QStringList());

    // The last person is never deleted.
    for (int p = 1; p <= bd().PersonCount(); ++p)
        if (p != 11)
            bd().ClearPerson(p);
    m_fiche->Affiche();
    m_dialogues.OuiNon = {true};
    menu("E_Nom", "MI_Supprime");
    EXPECT_TRUE(bd().PersonInUse(11));
    EXPECT_EQ(m_dialogues.Messages.last(), MLText(2210));
}

TEST_F(Fiche, UnlinkingKeepsThePersonsAndOnlyTheSharedParent)
{
    QListWidget *fratrie = controle<QListWidget>("LB_Fatrie");
    auto efface = [&](const char *controle, const char *prenom) {
        if (prenom) {
            const auto lignes = fratrie->findItems(QString::fromLatin1(prenom), Qt::MatchContains);
            ASSERT_EQ(lignes.size(), 1) << prenom;
            fratrie->setCurrentItem(lignes[0]);
        }
        menu(controle, "MI_Efface");
    };
    // Pierre (4, of 1 and 2): half-siblings Paul (6, of 1 and 3) and Claude
    // (7, of 2 alone).
    efface("LB_Fatrie", "Paul");
    EXPECT_EQ(bd().Father(6), 0);
    EXPECT_EQ(bd().Mother(6), 3);
    efface("LB_Fatrie", "Claude");
    EXPECT_EQ(bd().Mother(7), 0);
    efface("E_Mere", nullptr);
    EXPECT_EQ(bd().Mother(4), 0);
    EXPECT_EQ(bd().Father(4), 1);
    for (int p = 1; p <= 13; ++p)
        EXPECT_EQ(bd().PersonInUse(p), p != 10) << p;
}

TEST_F(Fiche, ThePostalCodeProgramFillsThePlace)
{
    QTemporaryDir tmp;
    const QString programme = tmp.path() + QStringLiteral("/codepostal.sh");
    QFile f(programme);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("#!/bin/sh\n[ -n \"$1\" ] || exit 1\necho\necho 'FRA,IDF,F95,Pontoise'\n");
    f.close();
    f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
    Options().Lindafor = true;
    Options().CheminLindafor = programme;
    QLineEdit *lieu = controle<QLineEdit>("eveLieu");
    QTest::mouseClick(lieu, Qt::RightButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return bd().BirthPlace(4) == u"FRA,IDF,F95,Pontoise"; }, 5000));
    EXPECT_EQ(lieu->text(), u"FRA,IDF,F95,Pontoise");
}

// Without the postal-code program, the right button opens the place picker
// on the field, and nothing else: OK writes the line clicked; OK without a
// line and Cancel keep the place. The click goes through the window, as the
// window system sends it, so that the edit menu it would bring is seen.
TEST_F(Fiche, TheRightButtonOnAPlaceOpensThePicker)
{
    QTemporaryDir dossier;
    DossierLieu = dossier.path() + u'/';
    QFile f(DossierLieu + u"Villes.txt"_s);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("FRA,IDF,F95,Pontoise\nFRA,ARA,F69,Lyon\n");
    f.close();
    const auto choisit = [](const char *bouton, bool ligne) {
        return [=](TfmLieuV3 &d) {
            auto *liste = d.findChild<QListView *>(u"lbLieu"_s);
            const QModelIndex pontoise = liste->model()->index(1, 0);
            if (ligne)
                QTest::mouseClick(liste->viewport(), Qt::LeftButton, {}, liste->visualRect(pontoise).center());
            QTest::mouseClick(d.findChild<QPushButton *>(QString::fromLatin1(bouton)), Qt::LeftButton);
        };
    };
    QLineEdit *lieu = controle<QLineEdit>("eveLieu");
    auto *pc = controle<QTabWidget>("PC");
    for (int i = 0; i < pc->count(); ++i) {
        if (pc->widget(i)->isAncestorOf(lieu))
            pc->setCurrentIndex(i);
    }
    ASSERT_TRUE(lieu->isVisible());
    const auto clicDroit = [&] {
        QTest::mouseClick(m_fiche->windowHandle(), Qt::RightButton, {}, lieu->mapTo(m_fiche.get(), QPoint(5, 5)));
        QCoreApplication::processEvents();
    };
    const struct {
        const char *bouton;
        bool ligne;
        QString attendu;
    } cas[] = {
        {"bOK", true, u"FRA,IDF,F95,Pontoise"_s},
        {"bOK", false, u"Paris"_s},
        {"bAnnuler", true, u"Paris"_s},
    };
    for (const auto &c : cas) {
        SCOPED_TRACE(std::string(c.bouton) + (c.ligne ? " after a line" : " alone"));
        lieu->setText(u"Paris"_s);
        ReponseModale<TfmLieuV3> reponse(choisit(c.bouton, c.ligne));
        clicDroit();
        EXPECT_TRUE(reponse.Ouvert);
        EXPECT_EQ(lieu->text(), c.attendu);
        EXPECT_EQ(bd().BirthPlace(4), c.attendu);
        QWidget *menu = QApplication::activePopupWidget();
        EXPECT_EQ(menu, nullptr) << "the edit menu came up after the picker";
        if (menu)
            menu->close();
    }
    DossierLieu.clear();

    // The notes too: the right button opens the note editor alone.
    for (const char *nom : {"eveNote", "M_Note"}) {
        SCOPED_TRACE(nom);
        QWidget *champ = controle<QWidget>(nom);
        for (int i = 0; i < pc->count(); ++i) {
            if (pc->widget(i)->isAncestorOf(champ))
                pc->setCurrentIndex(i);
        }
        ReponseModale<TfmNote> reponse([](TfmNote &d) { d.reject(); });
        QTest::mouseClick(m_fiche->windowHandle(), Qt::RightButton, {}, champ->mapTo(m_fiche.get(), QPoint(5, 5)));
        QCoreApplication::processEvents();
        EXPECT_TRUE(reponse.Ouvert);
        QWidget *menu = QApplication::activePopupWidget();
        EXPECT_EQ(menu, nullptr) << "the edit menu came up after the note editor";
        if (menu)
            menu->close();
    }
}

} // namespace
