#include "Chemins.h"
#include "ProgrammeTest.h"
#include "Dates.h"
#include "Demarrage.h"
#include "DialoguesQt.h"
#include "DialoguesScriptes.h"
#include "FichierMvd.h"
#include "Globales.h"
#include "Ini.h"
#include "Options.h"
#include "Parente.h"
#include "Placement.h"
#include "TPage.h"
#include "Look.h"
#include "Style.h"
#include "TBKStringGrid.h"
#include "TQuorWin.h"
#include "Langue.h"
#include "TfmAjoute.h"
#include "TfmCal.h"
#include "TfmGenePrint.h"
#include "TfmOptions.h"
#include "TfmRapportCritere.h"
#include "TfmRechFiche.h"
#include "TfmRemp.h"
#include "TfmSupprime.h"
#include "ReponseModale.h"
#include "TfmSource.h"
#include "TfmStat.h"
#include "TfmSourceVue.h"
#include "TfmSourceRech.h"
#include "TfmZoomPage.h"
#include "TfmFiche.h"
#include "TfmFicheArbre.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLibraryInfo>
#include <QLocale>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QSpontaneKeyEvent>
#include <QShowEvent>
#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

const QString Exemple = QStringLiteral(LIGNEE_MODELE "/exemples/exemple.mvd");

class Shell : public ProgrammeTest
{
protected:
    void TearDown() override
    {
        m_fenetre.reset();
        ProgrammeTest::TearDown();
    }

    // A small database: 1 Jean MARTIN (1/2/1900) x 2 DURAND (F), married in
    // 1925, and their child 3 Élise MARTIN.
    static void remplit(TBD &bd)
    {
        const int pere = bd.NewPerson(), mere = bd.NewPerson(), enfant = bd.NewPerson();
        bd.SetSurname(pere, u"MARTIN"_s);
        bd.SetGivenNames(pere, u"Jean"_s);
        bd.SetBirthDate(pere, u"1/2/1900"_s);
        bd.SetSex(mere, SexeFemme);
        bd.SetSurname(mere, u"DURAND"_s);
        bd.SetSurname(enfant, u"MARTIN"_s);
        bd.SetGivenNames(enfant, u"Élise"_s);
        bd.SetFather(enfant, pere);
        bd.SetMother(enfant, mere);
        bd.SetUnionField(bd.NewUnionOf(pere, mere), UcMariageDate, u"1925"_s);
    }

    // A new main window (replacing the previous one) started with `arguments`,
    // holding the small database when asked.
    TQuorWin &fenetre(bool famille = true, const QStringList &arguments = {})
    {
        m_fenetre.reset();
        m_fenetre = std::make_unique<TQuorWin>();
        m_fenetre->Initialise(arguments);
        if (famille)
            remplit(m_fenetre->Base());
        return *m_fenetre;
    }
    // A shown main window on the shipped example database.
    TQuorWin &fenetreExemple()
    {
        m_fenetre = std::make_unique<TQuorWin>();
        m_fenetre->show();
        m_fenetre->Initialise({Exemple});
        return *m_fenetre;
    }

    std::unique_ptr<TQuorWin> m_fenetre;
};

// A page the desktop cannot show (the test platform has no browser) is not
// dropped in silence: the user is told where it was written.
TEST(DialoguesQt, APageNoBrowserShowsIsTold)
{
    TDialoguesQt dialogues;
    QString texte;
    ReponseModale<QMessageBox> reponse([&](QMessageBox &boite) {
        texte = boite.text();
        boite.accept();
    });
    dialogues.AffichePage(u"/tmp/lignee-essai/rapport1.htm"_s);
    ASSERT_TRUE(reponse.Ouvert);
    EXPECT_TRUE(texte.contains(u"/tmp/lignee-essai/rapport1.htm"_s)) << texte.toStdString();
}

// The desktop's opener that cannot show a page says so only by its exit
// code and on its standard error: the user is told where the page is. One
// that opens it says nothing more.
TEST(DialoguesQt, AnOpenerThatFailsIsTold)
{
    QTemporaryDir dossier;
    const QString appels = dossier.filePath(u"appels.txt"_s);
    const auto ouvreur = [&](int code) {
        QFile script(dossier.filePath(u"xdg-open"_s));
        ASSERT_TRUE(script.open(QIODevice::WriteOnly | QIODevice::Truncate));
        script.write(u"#!/bin/sh\necho \"$1\" >> '%1'\necho 'xdg-open: no method available' >&2\nexit %2\n"_s
                         .arg(appels)
                         .arg(code)
                         .toUtf8());
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    };
    const QByteArray chemin = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(dossier.path()) + ':' + chemin);
    TDialoguesQt dialogues;
    SetDialogues(&dialogues);
    for (const int code : {3, 0}) {
        SCOPED_TRACE(code);
        ouvreur(code);
        QString texte;
        ReponseModale<QMessageBox> reponse([&](QMessageBox &boite) {
            texte = boite.text();
            boite.accept();
        });
        QFile::remove(appels);
        dialogues.AffichePage(u"/tmp/lignee-essai/rapport%1.htm"_s.arg(code));
        EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(appels); }, 5000));
        // The opener's end is waited for without blocking.
        QTest::qWait(300);
        EXPECT_EQ(reponse.Ouvert, code != 0);
        EXPECT_EQ(texte.contains(u"/tmp/lignee-essai/rapport3.htm"_s), code != 0) << texte.toStdString();
        QFile f(appels);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll().trimmed(), u"/tmp/lignee-essai/rapport%1.htm"_s.arg(code).toUtf8());
    }
    SetDialogues(nullptr);
    qputenv("PATH", chemin);
}

// The real dialog layer answers what the user clicks: OK of an OK / Cancel
// box is OK, Cancel is Cancel, No is No; the colour picker gives the colour
// chosen on OK and nothing on Cancel; a dialog asked for while the active
// window is hidden opens over the main window, not over a window nobody sees.
TEST(DialoguesQt, TheRealDialogsAnswerWhatIsClickedOverAWindowOnScreen)
{
    QWidget principale;
    principale.show();
    TDialoguesQt dialogues(&principale);
    const auto clique = [&](int boutons, QMessageBox::StandardButton bouton) {
        ReponseModale<QMessageBox> reponse([bouton](QMessageBox &boite) { boite.button(bouton)->click(); });
        const int r = dialogues.AppMessageBox(u"Continuer ?"_s, MsgQuestion, boutons);
        EXPECT_TRUE(reponse.Ouvert);
        return r;
    };
    EXPECT_EQ(clique(BoutonsOkAnnuler, QMessageBox::Ok), ReponseOk);
    EXPECT_EQ(clique(BoutonsOkAnnuler, QMessageBox::Cancel), ReponseAnnuler);
    EXPECT_EQ(clique(BoutonsOuiNonAnnuler, QMessageBox::No), ReponseNon);
    EXPECT_EQ(clique(BoutonsOuiNonAnnuler, QMessageBox::Yes), ReponseOui);
    EXPECT_EQ(clique(BoutonsOuiNonAnnuler, QMessageBox::Cancel), ReponseAnnuler);
    EXPECT_EQ(clique(BoutonsOuiNon, QMessageBox::No), ReponseNon);
    EXPECT_EQ(clique(BoutonsOk, QMessageBox::Ok), ReponseOk);
    // Each box shows its buttons and no others.
    const std::pair<int, QMessageBox::StandardButtons> jeux[] = {
        {BoutonsOk, QMessageBox::Ok},
        {BoutonsOkAnnuler, QMessageBox::Ok | QMessageBox::Cancel},
        {BoutonsOuiNon, QMessageBox::Yes | QMessageBox::No},
        {BoutonsOuiNonAnnuler, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel}};
    for (const auto &[boutons, attendus] : jeux) {
        QMessageBox::StandardButtons montres;
        ReponseModale<QMessageBox> reponse([&](QMessageBox &boite) {
            montres = boite.standardButtons();
            boite.reject();
        });
        dialogues.AppMessageBox(u"Continuer ?"_s, MsgQuestion, boutons);
        EXPECT_EQ(montres, attendus) << boutons;
    }

    for (const bool ok : {true, false}) {
        QColor couleur(1, 2, 3);
        ReponseModale<QColorDialog> reponse([ok](QColorDialog &d) {
            d.setCurrentColor(QColor(10, 20, 30));
            if (ok)
                d.accept();
            else
                d.reject();
        });
        EXPECT_EQ(dialogues.ChoisitCouleur(couleur), ok);
        EXPECT_TRUE(reponse.Ouvert);
        EXPECT_EQ(couleur, ok ? QColor(10, 20, 30) : QColor(1, 2, 3));
    }

    QWidget cachee;
    cachee.show();
    QApplication::setActiveWindow(&cachee);
    cachee.hide();
    if (QApplication::activeWindow() != &cachee)
        QApplication::setActiveWindow(&cachee);
    ASSERT_FALSE(cachee.isVisible());
    QWidget *parent = nullptr;
    ReponseModale<QMessageBox> reponse([&](QMessageBox &boite) {
        parent = boite.parentWidget();
        boite.accept();
    });
    dialogues.AppMessageBox(u"Message"_s, MsgInformation, BoutonsOk);
    EXPECT_TRUE(reponse.Ouvert);
    EXPECT_EQ(parent, &principale);
}

// The real text, font and file dialogs give what the user typed or chose,
// and nothing when cancelled; a message box wears the icon of its kind.
TEST(DialoguesQt, TheRealInputDialogsGiveWhatTheUserChose)
{
    QWidget principale;
    principale.show();
    TDialoguesQt dialogues(&principale);
    const auto bouton = [](QWidget &d, const QString &texte) {
        for (QPushButton *b : d.findChildren<QPushButton *>())
            if (b->isVisible() && b->text().remove(u'&') == texte)
                return b;
        return static_cast<QPushButton *>(nullptr);
    };

    // A text: typed, then OK or Annuler; at most 255 characters.
    for (const char *clic : {"OK", "Annuler"}) {
        QString texte = u"avant"_s;
        ReponseModale<QInputDialog> reponse([&](QInputDialog &d) {
            auto *saisie = d.findChild<QLineEdit *>();
            saisie->selectAll();
            QTest::keyClicks(saisie, u"Martin"_s + u"x"_s.repeated(300));
            QTest::mouseClick(bouton(d, QLatin1String(clic)), Qt::LeftButton);
        });
        const bool ok = QByteArray(clic) == "OK";
        EXPECT_EQ(dialogues.SaisieTexte(u"Titre"_s, u"Nom :"_s, texte), ok);
        EXPECT_TRUE(reponse.Ouvert);
        EXPECT_EQ(texte, ok ? (u"Martin"_s + u"x"_s.repeated(249)) : u"avant"_s);
    }

    // A font opens on the one given, in pixels: OK without a change gives it
    // back; the colour beside it is chosen in the colour picker.
    for (const bool ok : {true, false}) {
        QFont fonte(u"Liberation Sans"_s);
        fonte.setPixelSize(17);
        fonte.setBold(true);
        QColor couleur(1, 2, 3);
        ReponseModale<QDialog> reponse([&](QDialog &d) {
            ReponseModale<QColorDialog> choix([](QColorDialog &c) {
                c.setCurrentColor(QColor(200, 100, 50));
                c.accept();
            });
            // The colour button shows the colour, before and after the choice.
            const auto teinte = [&] { return bouton(d, u"Couleur..."_s)->icon().pixmap(16).toImage().pixelColor(8, 8); };
            EXPECT_EQ(teinte(), QColor(1, 2, 3));
            QTest::mouseClick(bouton(d, u"Couleur..."_s), Qt::LeftButton);
            EXPECT_TRUE(choix.Ouvert);
            EXPECT_EQ(teinte(), QColor(200, 100, 50));
            QTest::mouseClick(bouton(d, ok ? u"OK"_s : u"Annuler"_s), Qt::LeftButton);
        });
        EXPECT_EQ(dialogues.ChoisitFonte(fonte, couleur), ok);
        EXPECT_TRUE(reponse.Ouvert);
        EXPECT_EQ(fonte.family(), u"Liberation Sans"_s);
        EXPECT_EQ(fonte.pixelSize(), 17);
        EXPECT_TRUE(fonte.bold());
        EXPECT_EQ(couleur, ok ? QColor(200, 100, 50) : QColor(1, 2, 3));
    }

    // A file to save, with the type chosen among the filters; cancelled,
    // no file and the first type.
    QTemporaryDir dossier;
    for (const bool ok : {true, false}) {
        int type = -1;
        ReponseModale<QFileDialog> reponse([&](QFileDialog &d) {
            EXPECT_EQ(d.acceptMode(), QFileDialog::AcceptSave);
            d.selectNameFilter(u"Texte (*.txt)"_s);
            d.selectFile(dossier.filePath(u"sortie.txt"_s));
            // The dialog's own accept, which checks the name, as its Save button.
            if (ok)
                static_cast<QDialog &>(d).accept();
            else
                d.reject();
        });
        const QString chemin = dialogues.FichierAEnregistrerType(u"Exporter"_s, dossier.filePath(u"rapport.csv"_s),
                                                                 u"Tableur (*.csv);;Texte (*.txt)"_s, &type);
        EXPECT_TRUE(reponse.Ouvert);
        EXPECT_EQ(chemin, ok ? dossier.filePath(u"sortie.txt"_s) : QString());
        EXPECT_EQ(type, ok ? 1 : 0);
    }
    // A file to open must exist.
    QFile(dossier.filePath(u"base.mvd"_s)).open(QIODevice::WriteOnly);
    ReponseModale<QFileDialog> ouvre([&](QFileDialog &d) {
        EXPECT_EQ(d.acceptMode(), QFileDialog::AcceptOpen);
        EXPECT_EQ(d.fileMode(), QFileDialog::ExistingFile);
        d.selectFile(dossier.filePath(u"base.mvd"_s));
        static_cast<QDialog &>(d).accept();
    });
    EXPECT_EQ(dialogues.FichierAOuvrir(u"Ouvrir"_s, dossier.path(), u"Bases (*.mvd)"_s), dossier.filePath(u"base.mvd"_s));

    // The icon tells the kind of message.
    const std::pair<int, QMessageBox::Icon> icones[] = {{MsgErreur, QMessageBox::Critical},
                                                       {MsgInformation, QMessageBox::Information},
                                                       {MsgQuestion, QMessageBox::Question},
                                                       {MsgAvertissement, QMessageBox::Warning}};
    for (const auto &[genre, icone] : icones) {
        QMessageBox::Icon montree = QMessageBox::NoIcon;
        ReponseModale<QMessageBox> reponse([&](QMessageBox &boite) {
            montree = boite.icon();
            boite.accept();
        });
        dialogues.AppMessageBox(u"Message"_s, genre, BoutonsOk);
        EXPECT_EQ(montree, icone) << genre;
    }
}

TEST(Demarrage, AMissingLanguageFileStopsTheProgram)
{
    QTemporaryDir tmp;
    TDialoguesScriptes dialogues;
    SetRepModele(tmp.path());
    EXPECT_FALSE(PrepareDemarrage(tmp.path()));
    ASSERT_EQ(dialogues.Messages.size(), 1);
    EXPECT_EQ(dialogues.Messages[0], u"Not Found : "_s + tmp.path() + u"/langue.txt"_s);
    // The language file alone is not enough.
    QFile::copy(QStringLiteral(LIGNEE_MODELE "/langue.txt"), tmp.path() + u"/langue.txt"_s);
    EXPECT_FALSE(PrepareDemarrage(tmp.path()));
    EXPECT_EQ(dialogues.Messages.last(), u"Not Found : "_s + tmp.path() + u"/langue.ini"_s);
    // Both there, but the language file cannot be read (a folder).
    QFile::copy(QStringLiteral(LIGNEE_MODELE "/langue.ini"), tmp.path() + u"/langue.ini"_s);
    ASSERT_TRUE(QFile::remove(tmp.path() + u"/langue.txt"_s));
    ASSERT_TRUE(QDir(tmp.path()).mkdir(u"langue.txt"_s));
    EXPECT_FALSE(PrepareDemarrage(tmp.path()));
    EXPECT_TRUE(dialogues.Messages.last().startsWith(u"Not Found : "_s + tmp.path() + u"/langue.txt"_s));
    SetRepModele(QString());
}

// The name-day file is the models' own: a models folder without one starts
// without a word and without name days; one that cannot be read is told.
TEST(Demarrage, AMissingNameDayFileStartsSilentlyWithoutNameDays)
{
    QTemporaryDir tmp, utilisateur;
    TDialoguesScriptes dialogues;
    SetRepModele(QStringLiteral(LIGNEE_MODELE));
    ASSERT_TRUE(PrepareDemarrage(utilisateur.path()));
    ASSERT_EQ(TableFetes().Get(1, 1), u"Marie"_s);
    for (const char *f : {"langue.txt", "langue.ini"})
        ASSERT_TRUE(QFile::copy(QStringLiteral(LIGNEE_MODELE "/") + QLatin1String(f), tmp.filePath(QLatin1String(f))));
    ASSERT_TRUE(QDir().mkpath(tmp.filePath(u"1"_s)));
    SetRepModele(tmp.path());
    EXPECT_TRUE(PrepareDemarrage(utilisateur.path()));
    EXPECT_TRUE(dialogues.Messages.isEmpty()) << dialogues.Messages.join(u'|').toStdString();
    EXPECT_EQ(TableFetes().Get(1, 1), QString());
    // A folder in its place cannot be read.
    ASSERT_TRUE(QDir().mkpath(tmp.filePath(u"1/Fete.mv"_s)));
    EXPECT_TRUE(PrepareDemarrage(utilisateur.path()));
    ASSERT_EQ(dialogues.Messages.size(), 1);
    EXPECT_TRUE(dialogues.Messages[0].contains(u"Fete.mv"_s));
    SetRepModele(QString());
}

// Qt's own texts (standard buttons, system error texts) speak French once the
// program has started.
TEST(Demarrage, QtTextsAreInTheProgramLanguage)
{
    const QString dossier = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!QFile::exists(dossier + u"/qtbase_fr.qm"_s))
        GTEST_SKIP() << "Qt's French translation is not installed (qt6-translations-l10n)";
    QTemporaryDir tmp;
    TDialoguesScriptes dialogues;
    SetRepModele(QStringLiteral(LIGNEE_MODELE));
    const QLocale systeme;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    for (int fois = 0; fois < 2; ++fois)
        ASSERT_TRUE(PrepareDemarrage(tmp.path()));
    SetRepModele(QString());
    // Dates and month names of Qt's widgets too, on an English system.
    EXPECT_EQ(QLocale().toString(QDate(2000, 7, 1), u"MMMM"_s), u"juillet"_s);
    QLocale::setDefault(systeme);

    QDialogButtonBox boutons(QDialogButtonBox::Cancel | QDialogButtonBox::Yes);
    EXPECT_EQ(boutons.button(QDialogButtonBox::Cancel)->text(), u"Annuler"_s);
    EXPECT_EQ(boutons.button(QDialogButtonBox::Yes)->text().remove(u'&'), u"Oui"_s);
    QFile absent(tmp.filePath(u"absent.mvd"_s));
    EXPECT_FALSE(absent.open(QIODevice::ReadOnly));
    EXPECT_EQ(absent.errorString(), u"Aucun fichier ou dossier"_s);
}

TEST_F(Shell, NewDatabaseSavedAndOpenedAgain)
{
    TQuorWin &w = fenetre(false);
    EXPECT_EQ(w.Base().PersonCount(), 0);
    remplit(w.Base());
    RefPers = 3;
    BaseModifiee = 1;
    m_dialogues.Fichiers.push_back(chemin("famille"));
    ASSERT_TRUE(w.Enregistrer());
    EXPECT_EQ(FichierCourant, chemin("famille.mvd"));
    EXPECT_EQ(BaseModifiee, 0);
    EXPECT_TRUE(w.windowTitle().contains(u"famille.mvd"_s));

    // The second save keeps the first file as ".old".
    w.Base().SetGivenNames(1, u"Jean-Pierre"_s);
    ASSERT_TRUE(w.Enregistrer());
    EXPECT_TRUE(QFileInfo::exists(chemin("famille.old")));

    ASSERT_TRUE(w.Nouveau());
    EXPECT_EQ(w.Base().PersonCount(), 0);
    ASSERT_TRUE(w.Charge(chemin("famille.mvd")));
    EXPECT_EQ(w.Base().PersonCount(), 3);
    EXPECT_EQ(w.Base().GivenNames(1), u"Jean-Pierre");
    EXPECT_EQ(w.Base().Mother(3), 2);
    EXPECT_EQ(std::pair(RefPers, w.SelecPers()), std::pair(3, 3));
    EXPECT_TRUE(m_dialogues.Messages.isEmpty()) << m_dialogues.Messages.join(u'|').toStdString();
}

TEST_F(Shell, SaveQuestionOnAModifiedDatabase)
{
    TQuorWin &w = fenetre();
    BaseModifiee = 1;
    // Cancel: nothing happens.
    m_dialogues.Reponses = {ReponseAnnuler};
    EXPECT_FALSE(w.Nouveau());
    EXPECT_EQ(w.Base().PersonCount(), 3);
    // Yes: the database is saved (a file is asked for), then emptied.
    m_dialogues.Reponses = {ReponseOui};
    m_dialogues.Fichiers = {chemin("oui.mvd")};
    EXPECT_TRUE(w.Nouveau());
    EXPECT_TRUE(QFileInfo::exists(chemin("oui.mvd")));
    EXPECT_EQ(w.Base().PersonCount(), 0);
    // Yes, but the file dialog is cancelled: the work is kept.
    remplit(w.Base());
    BaseModifiee = 1;
    m_dialogues.Reponses = {ReponseOui};
    EXPECT_FALSE(w.Nouveau());
    EXPECT_EQ(w.Base().PersonCount(), 3);
    // No: emptied without saving.
    m_dialogues.Reponses = {ReponseNon};
    EXPECT_TRUE(w.Nouveau());
    EXPECT_EQ(w.Base().PersonCount(), 0);
    EXPECT_EQ(m_dialogues.Messages.size(), 4);
}

TEST_F(Shell, ACorruptFileLeavesTheOpenDatabaseAsItWas)
{
    TQuorWin &w = fenetre();
    m_dialogues.Fichiers = {chemin("bonne.mvd")};
    ASSERT_TRUE(w.EnregistrerSous());
    QFile f(chemin("abimee.mvd"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("LIGNEEDB\x01\x00\x00\x00 pas une base");
    f.close();
    EXPECT_FALSE(w.Charge(chemin("abimee.mvd")));
    EXPECT_FALSE(w.Charge(chemin("absente.mvd")));
    ASSERT_EQ(m_dialogues.Messages.size(), 2);
    EXPECT_TRUE(m_dialogues.Messages[0].contains(u"abimee.mvd"_s));
    EXPECT_EQ(w.Base().PersonCount(), 3);
    EXPECT_EQ(w.Base().Surname(2), u"DURAND");
    EXPECT_EQ(FichierCourant, chemin("bonne.mvd"));

    // A save that fails is told, and the base stays modified under its name.
    BaseModifiee = 1;
    m_dialogues.Fichiers = {chemin("absent/copie.mvd")};
    EXPECT_FALSE(w.EnregistrerSous());
    ASSERT_EQ(m_dialogues.Messages.size(), 3);
    EXPECT_TRUE(m_dialogues.Messages[2].contains(u"copie.mvd"_s)) << m_dialogues.Messages[2].toStdString();
    EXPECT_EQ(BaseModifiee, 1);
    EXPECT_EQ(FichierCourant, chemin("bonne.mvd"));
}

TEST_F(Shell, StartUpOpensTheNamedFileElseTheLastOne)
{
    m_dialogues.Fichiers = {chemin("derniere.mvd")};
    ASSERT_TRUE(fenetre().EnregistrerSous());
    m_fenetre->close();
    EXPECT_EQ(TIniFile(DossierParamUser + u"gene.ini"_s).ReadString(u"gene"_s, u"DernierFichier"_s),
              chemin("derniere.mvd"));

    Reglages() = TReglages();
    FichierCourant.clear();
    // A missing file named on the command line is reported, then the last
    // file used opens.
    TQuorWin &w = fenetre(false, {chemin("absente.mvd")});
    EXPECT_EQ(m_dialogues.Messages.size(), 1);
    EXPECT_EQ(FichierCourant, chemin("derniere.mvd"));
    EXPECT_EQ(w.Base().PersonCount(), 3);
}

TEST_F(Shell, CurrentPersonExitHandlersAndHistory)
{
    TQuorWin &w = fenetre();
    QStringList ordre;
    w.AjouteSortieFiche([&] { ordre << u"sortie:%1"_s.arg(w.SelecPers()); });
    QObject::connect(&w, &TQuorWin::SelecPersChangee, [&](int p) { ordre << u"vue:%1"_s.arg(p); });
    // The exit handlers run before the views are told.
    w.SetSelecPers(2);
    EXPECT_EQ(ordre, (QStringList{u"sortie:0"_s, u"vue:2"_s}));
    EXPECT_TRUE(w.findChild<QLabel *>(u"lStatut"_s)->text().contains(u"DURAND"_s));
    // A person not in use makes nobody current.
    w.SetSelecPers(99);
    EXPECT_EQ(w.SelecPers(), 0);

    for (int p : {1, 2, 3})
        w.SetSelecPers(p);
    EXPECT_TRUE(w.Precedent());
    EXPECT_TRUE(w.Precedent());
    EXPECT_EQ(w.SelecPers(), 1);
    EXPECT_TRUE(w.Suivant());
    EXPECT_EQ(w.SelecPers(), 2);
    // A new choice drops the forward part; deleted persons are skipped.
    w.SetSelecPers(1);
    EXPECT_FALSE(w.Suivant());
    w.Base().DeletePerson(2);
    EXPECT_TRUE(w.Precedent());
    EXPECT_EQ(w.SelecPers(), 1);
    // Going back from the first one leaves it current.
    EXPECT_FALSE(w.Precedent());
    EXPECT_EQ(w.SelecPers(), 1);
    // The Edit menu walks the same history.
    w.SetSelecPers(3);
    w.findChild<QAction *>(u"MI_Precedent"_s)->trigger();
    EXPECT_EQ(w.SelecPers(), 1);
    w.findChild<QAction *>(u"MI_Suivant"_s)->trigger();
    EXPECT_EQ(w.SelecPers(), 3);
}

// The main window's state: the reference person of a base without one is
// the first person made current, and only that one; a person chosen twice
// in a row is one step of the history; a base whose stored reference person
// is gone opens on its first person; the record's sex panel wears the
// colour of the person's sex.
TEST_F(Shell, TheReferenceTheHistoryAndTheSexColours)
{
    TQuorWin &w = fenetre();
    ASSERT_EQ(RefPers, 0);
    w.SetSelecPers(2);
    w.SetSelecPers(3);
    EXPECT_EQ(RefPers, 2);
    w.SetSelecPers(1);
    w.SetSelecPers(1);
    EXPECT_TRUE(w.Precedent());
    EXPECT_EQ(w.SelecPers(), 3);

    // Saved with a reference, which is then deleted from the file's base.
    m_dialogues.Fichiers = {chemin("sans-reference.mvd")};
    ASSERT_TRUE(w.EnregistrerSous());
    {
        TBD bd;
        TEnteteMvd entete;
        ASSERT_TRUE(ChargeMvd(chemin("sans-reference.mvd"), bd, &entete).Ok());
        bd.DeletePerson(3);
        entete.RefPers = 3;
        ASSERT_TRUE(SauveMvd(chemin("sans-reference.mvd"), bd, entete).Ok());
    }
    ASSERT_TRUE(w.Charge(chemin("sans-reference.mvd")));
    EXPECT_EQ(std::pair(RefPers, w.SelecPers()), std::pair(1, 1));

    // Men's and women's boxes of unequal colours; the panel follows the sex.
    Looks[1].Look.Homme.Couleur = 0x00FF8000; // blue-ish, in BGR
    Looks[1].Look.Femme.Couleur = 0x000080FF;
    w.show();
    w.ShowFiche();
    auto *panneau = w.Fiche()->findChild<QWidget *>(u"pSexe"_s);
    ASSERT_NE(panneau, nullptr);
    for (const int p : {1, 2}) {
        w.SetSelecPers(p);
        const bool homme = w.Base().Sex(p) == SexeHomme;
        EXPECT_EQ(panneau->palette().color(QPalette::Window),
                  homme ? QColor(0x00, 0x80, 0xFF) : QColor(0xFF, 0x80, 0x00))
            << p;
    }
}

TEST_F(Shell, OnlyCommandKeysReachTheShortcuts)
{
    TQuorWin &w = fenetre();
    m_dialogues.Fichiers = {chemin("touches.mvd")};
    ASSERT_TRUE(w.EnregistrerSous());
    QFile::remove(chemin("touches.mvd"));
    // Letters typed in other windows' edits are not commands.
    EXPECT_FALSE(w.FormKeyDown(Qt::Key_S, Qt::NoModifier));
    EXPECT_FALSE(w.FormKeyDown(Qt::Key_S, Qt::ShiftModifier));
    EXPECT_FALSE(QFileInfo::exists(chemin("touches.mvd")));
    EXPECT_TRUE(w.FormKeyDown(Qt::Key_S, Qt::ControlModifier));
    EXPECT_TRUE(QFileInfo::exists(chemin("touches.mvd")));
    EXPECT_FALSE(w.FormKeyDown(Qt::Key_F12, Qt::NoModifier));
}

TEST_F(Shell, ClosingWritesTheSettingsCountersAndTips)
{
    // Each print setting with values of its own, read at start and written
    // at the end.
    const struct { const char *cle; int TReglages::*reglage; int TPage::*page; int lu, change; } impression[] = {
        {"PrintZoom", &TReglages::PrintZoom, &TPage::PrintZoom, 250, 300},
        {"PrintCroise", &TReglages::PrintCroise, &TPage::PrintCroise, 15, 20},
        {"PrintMargeH", &TReglages::PrintMargeH, &TPage::PrintMargeH, 7, 12},
        {"PrintMargeG", &TReglages::PrintMargeG, &TPage::PrintMargeG, 9, 14},
    };
    for (const auto &r : impression)
        Reglages().*r.reglage = r.lu;
    Reglages().PrintZoomAuto = false;
    AfficheAstuceUneFois(8);
    AfficheAstuceUneFois(8);
    AfficheAstuce(1);
    EXPECT_EQ(m_dialogues.Astuces, (QList<int>{8, 1}));
    EXPECT_TRUE(m_dialogues.Messages[0].startsWith(u"Un double clic"_s));
    // The print page holds the print settings while the program runs.
    TQuorWin *w = &fenetre(false);
    for (const auto &r : impression) {
        EXPECT_EQ(w->Page()->*r.page, r.lu) << r.cle;
        w->Page()->*r.page = r.change;
    }
    EXPECT_FALSE(w->Page()->PrintZoomAuto);
    w->Page()->PrintZoomAuto = true;
    EXPECT_TRUE(w->close());
    const TIniFile gene(DossierParamUser + u"gene.ini"_s);
    for (const auto &r : impression)
        EXPECT_EQ(gene.ReadInteger(u"gene"_s, QLatin1String(r.cle)), r.change) << r.cle;
    EXPECT_EQ(gene.ReadString(u"gene"_s, u"Print ZoomAuto"_s), u"1"_s);
    EXPECT_EQ(TIniFile(DossierParamUser + u"stats.sta"_s).ReadInteger(u"Stats"_s, u"Sessions"_s), 1);

    // The tips seen are remembered across sessions.
    Reglages() = TReglages();
    w = &fenetre(false);
    AfficheAstuceUneFois(8);
    AfficheAstuceUneFois(2);
    EXPECT_EQ(m_dialogues.Astuces, (QList<int>{8, 1, 2}));
    // A modified database whose save question is cancelled keeps the window open.
    BaseModifiee = 1;
    m_dialogues.Reponses = {ReponseAnnuler};
    EXPECT_FALSE(w->close());
    BaseModifiee = 0;
}

TEST_F(Shell, TheReportWindowFromTheReportButton)
{
    TQuorWin &w = fenetreExemple();
    auto *bouton = w.findChild<QToolButton *>(u"SB_Rapport"_s);
    ASSERT_TRUE(bouton->isEnabled());
    bouton->click();
    ASSERT_TRUE(w.Rapport()->isVisible());
    // The first showing lists every person with the default model.
    TBKStringGrid *grille = w.Rapport()->Grille();
    EXPECT_EQ(grille->RowCount(), w.Base().PersonCount() + 1);
    EXPECT_EQ(grille->ColCount(), 5);

    // A row opens its person in the record form.
    const int p = grille->GetRowData(3);
    emit grille->RowClicked(3);
    EXPECT_EQ(w.SelecPers(), p);
    EXPECT_TRUE(w.Fiche()->isVisible());

    // The File menu's export asks for a file and its type, then says it is
    // done; each type has its separator.
    const char *separateurs[] = {";", ",", "\t"};
    for (int type = 0; type < 3; ++type) {
        m_dialogues.Fichiers = {chemin("rapport.csv")};
        m_dialogues.TypeFichier = type;
        w.findChild<QAction *>(u"MI_ExporteRapport"_s)->trigger();
        QFile f(chemin("rapport.csv"));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_TRUE(f.readLine().startsWith(QByteArray("Nom") + separateurs[type] + "Pr\xE9noms" + separateurs[type]))
            << type;
        EXPECT_EQ(m_dialogues.Messages.last(), MLText(531));
    }

    // The button follows the window, and so do the options window and its
    // buttons.
    QTest::mouseClick(w.findChild<QToolButton *>(u"sbRapCol"_s), Qt::LeftButton);
    ASSERT_TRUE(w.RapportCritere()->isVisible());
    w.Rapport()->close();
    EXPECT_FALSE(bouton->isChecked());
    EXPECT_FALSE(w.findChild<QToolButton *>(u"sbRapCol"_s)->isChecked());
    EXPECT_FALSE(w.RapportCritere()->isVisible());
    // Cancelled, nothing is exported.
    const qsizetype messages = m_dialogues.Messages.size();
    EXPECT_FALSE(w.ExporteRapport());
    EXPECT_EQ(m_dialogues.Messages.size(), messages);
    // An export to a folder that does not exist is reported, not announced.
    m_dialogues.Fichiers = {chemin("absent/rapport.csv")};
    EXPECT_FALSE(w.ExporteRapport());
    EXPECT_NE(m_dialogues.Messages.last(), MLText(531));
}

// The style sheet edited in the options: a colour changed and confirmed is
// saved to the user's own style sheet and shown at once by the calendar and
// the report, then read again at the next start. Cancelled, nothing
// changes; a sheet that cannot be saved is told and the dialog stays open.
TEST_F(Shell, TheStyleSheetEditedInTheOptionsColoursTheCalendarAndTheReport)
{
    TQuorWin &w = fenetreExemple();
    w.findChild<QToolButton *>(u"sbCal"_s)->click();
    auto *cal = w.findChild<TfmCal *>();
    ASSERT_TRUE(cal && cal->isVisible());
    cal->findChild<QSpinBox *>(u"seDeb"_s)->setValue(1700);
    int mois = 0, jour = 0;
    for (int m = 1; m <= 12 && !mois; ++m) {
        for (int j = 1; j <= 31 && !mois; ++j) {
            if (!cal->Cellules().Cellule(m, j).empty())
                mois = m, jour = j;
        }
    }
    ASSERT_NE(mois, 0);
    auto caseAvecEvenement = [&] {
        QWidget *grille = cal->Grille();
        return grille->grab().toImage().pixelColor(RectCelluleCal(grille->size(), mois, jour).center());
    };
    EXPECT_EQ(caseAvecEvenement(), QColor(u"#f6b26b"_s)) << "the shipped colour";
    w.findChild<QToolButton *>(u"SB_Rapport"_s)->click();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.Rapport()));
    TBKStringGrid *rapport = w.Rapport()->Grille();
    auto ligneClaire = [&] {
        // The first row shown that is not selected, in a column wide enough:
        // odd rows of the report take ".rowPair".
        int col = 0;
        while (col < rapport->model()->columnCount() && rapport->columnWidth(col) < 20)
            ++col;
        const QImage image = rapport->viewport()->grab().toImage();
        for (int r = 0; r < rapport->model()->rowCount(); r += 2) {
            const QModelIndex i = rapport->model()->index(r, col);
            const QRect cellule = rapport->visualRect(i);
            if (!rapport->selectionModel()->isSelected(i) && image.rect().contains(cellule.center()))
                return image.pixelColor(cellule.right() - 3, cellule.center().y());
        }
        return QColor();
    };
    EXPECT_EQ(ligneClaire(), QColor(u"#ffffff"_s)) << "the shipped colour";

    // The user adds two rules at the end of the sheet, in the Style tab.
    auto edite = [](TfmOptions &f, const QString &regles) {
        auto *onglets = f.findChild<QTabWidget *>(u"PC"_s);
        QTabBar *barre = onglets->tabBar();
        QTest::mouseClick(barre, Qt::LeftButton, {}, barre->tabRect(onglets->count() - 1).center());
        auto *style = f.findChild<QPlainTextEdit *>(u"Style"_s);
        EXPECT_TRUE(style->isVisible() && style->isEnabled());
        style->setFocus();
        QTest::keyClick(style, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClick(style, Qt::Key_Return);
        QTest::keyClicks(style, regles);
    };
    const QString regles = u".calcase { background-color: #123456 } .rowPair { background-color: #654321 }"_s;
    const QString fichier = DossierParamUser + u"style.css"_s;
    ReponseModale<TfmOptions> annule([&](TfmOptions &f) {
        edite(f, regles);
        QTest::mouseClick(f.findChild<QPushButton *>(u"bAnnuler"_s), Qt::LeftButton);
    });
    w.findChild<QAction *>(u"MI_Options"_s)->trigger();
    ASSERT_TRUE(annule.Ouvert);
    EXPECT_FALSE(QFile::exists(fichier));
    EXPECT_EQ(caseAvecEvenement(), QColor(u"#f6b26b"_s));

    // Where the sheet cannot be written, the user is told and may cancel.
    ASSERT_TRUE(QDir().mkpath(fichier));
    bool resteOuvert = false;
    ReponseModale<TfmOptions> refuse([&](TfmOptions &f) {
        edite(f, regles);
        QTest::mouseClick(f.findChild<QPushButton *>(u"bOk"_s), Qt::LeftButton);
        resteOuvert = f.isVisible();
        QTest::mouseClick(f.findChild<QPushButton *>(u"bAnnuler"_s), Qt::LeftButton);
    });
    const qsizetype messages = m_dialogues.Messages.size();
    w.findChild<QAction *>(u"MI_Options"_s)->trigger();
    ASSERT_TRUE(refuse.Ouvert);
    EXPECT_TRUE(resteOuvert);
    ASSERT_EQ(m_dialogues.Messages.size(), messages + 1);
    EXPECT_TRUE(m_dialogues.Messages.last().contains(fichier)) << m_dialogues.Messages.last().toStdString();
    EXPECT_EQ(caseAvecEvenement(), QColor(u"#f6b26b"_s));
    ASSERT_TRUE(QDir(fichier).removeRecursively());

    ReponseModale<TfmOptions> ok([&](TfmOptions &f) {
        edite(f, regles);
        QTest::mouseClick(f.findChild<QPushButton *>(u"bOk"_s), Qt::LeftButton);
    });
    w.findChild<QAction *>(u"MI_Options"_s)->trigger();
    ASSERT_TRUE(ok.Ouvert);
    EXPECT_EQ(caseAvecEvenement(), QColor(u"#123456"_s));
    EXPECT_EQ(ligneClaire(), QColor(u"#654321"_s));
    QFile enregistre(fichier);
    ASSERT_TRUE(enregistre.open(QIODevice::ReadOnly));
    const QString texte = QString::fromUtf8(enregistre.readAll());
    EXPECT_TRUE(texte.endsWith(regles)) << "saved whole";
    EXPECT_TRUE(texte.contains(u".calweekend"_s));

    // The next start reads the user's sheet.
    StyleOptions().SetTexte(QString());
    m_fenetre.reset();
    fenetreExemple();
    EXPECT_EQ(StyleOptions().GetStyleValue(u".calcase"_s, u"background-color"_s), u"#123456"_s);
}

// OK in the options writes the reminder's file of birthdays for this
// database; a file that cannot be written is told, with its name.
TEST_F(Shell, OkInTheOptionsWritesTheRemindersFile)
{
    TQuorWin &w = fenetre();
    // The window shows the options as they are when it opens.
    ::Options().NomMaj = !::Options().NomMaj;
    bool montre = !::Options().NomMaj;
    ReponseModale<TfmOptions> lit([&](TfmOptions &f) {
        montre = f.findChild<QCheckBox *>(u"cbNomMaj"_s)->isChecked();
        f.reject();
    });
    w.findChild<QAction *>(u"MI_Options"_s)->trigger();
    EXPECT_EQ(montre, ::Options().NomMaj);
    QFile::remove(FichierAnniFete);
    for (const bool ecrit : {true, false}) {
        ReponseModale<TfmOptions> ok(
            [](TfmOptions &f) { QTest::mouseClick(f.findChild<QPushButton *>(u"bOk"_s), Qt::LeftButton); });
        w.findChild<QAction *>(u"MI_Options"_s)->trigger();
        ASSERT_TRUE(ok.Ouvert);
        EXPECT_EQ(QFileInfo(FichierAnniFete).isFile(), ecrit);
        EXPECT_EQ(m_dialogues.Messages.size(), ecrit ? 0 : 1);
        // In its place, a folder.
        if (ecrit)
            ASSERT_TRUE(QFile::remove(FichierAnniFete) && QDir().mkpath(FichierAnniFete));
    }
    EXPECT_TRUE(m_dialogues.Messages.value(0).contains(FichierAnniFete));
}

// The options window's button follows the window however it hides, so one
// click always shows it.
TEST_F(Shell, TheReportOptionsButtonComesUpWithItsWindow)
{
    TQuorWin &w = fenetreExemple();
    auto *bouton = w.findChild<QToolButton *>(u"sbRapAff"_s);
    TfmRapportCritere *options = w.RapportCritere();
    QTest::mouseClick(w.findChild<QToolButton *>(u"SB_Rapport"_s), Qt::LeftButton);
    for (const char *fermeture : {"bOk", "close"}) {
        SCOPED_TRACE(fermeture);
        QTest::mouseClick(bouton, Qt::LeftButton);
        ASSERT_TRUE(options->isVisible());
        ASSERT_TRUE(bouton->isChecked());
        if (QByteArray(fermeture) == "bOk")
            QTest::mouseClick(options->findChild<QPushButton *>(u"bOk"_s), Qt::LeftButton);
        else
            options->close();
        EXPECT_FALSE(options->isVisible());
        EXPECT_FALSE(bouton->isChecked());
    }
    QTest::mouseClick(bouton, Qt::LeftButton);
    EXPECT_TRUE(options->isVisible());
    // The report shown again leaves the options window as it is.
    auto *rapport = w.findChild<QToolButton *>(u"SB_Rapport"_s);
    QTest::mouseClick(rapport, Qt::LeftButton);
    ASSERT_FALSE(w.Rapport()->isVisible());
    QTest::mouseClick(bouton, Qt::LeftButton);
    QTest::mouseClick(rapport, Qt::LeftButton);
    EXPECT_TRUE(w.Rapport()->isVisible());
    EXPECT_TRUE(options->isVisible());
    EXPECT_TRUE(bouton->isChecked());
}

// Each report task button shows its panel of the options window while it is
// down, one at a time; the window hiding raises four of them, but the web
// page button stays down, and two clicks bring its panel back.
TEST_F(Shell, EachReportTaskButtonShowsItsPanel)
{
    TQuorWin &w = fenetreExemple();
    TfmRapportCritere *options = w.RapportCritere();
    const struct {
        const char *bouton;
        TfmRapportCritere::Panneau panneau;
        const char *controle;
    } taches[] = {
        {"sbRapAff", TfmRapportCritere::PanneauAff, "lbAfficher"},
        {"sbRapCol", TfmRapportCritere::PanneauCol, "sgCol"},
        {"sbRapAvance", TfmRapportCritere::PanneauAvance, "echp1"},
        {"sbRapDef", TfmRapportCritere::PanneauDef, "lbDef"},
        {"sbRapWeb", TfmRapportCritere::PanneauWeb, "lbWeb"},
    };
    const auto bouton = [&](const char *nom) { return w.findChild<QToolButton *>(QLatin1String(nom)); };
    for (const auto &t : taches) {
        SCOPED_TRACE(t.bouton);
        QTest::mouseClick(bouton(t.bouton), Qt::LeftButton);
        ASSERT_TRUE(options->isVisible());
        EXPECT_EQ(options->PanneauCourant(), t.panneau);
        // The web page panel brings the report window, and its button down.
        const bool web = t.panneau == TfmRapportCritere::PanneauWeb;
        EXPECT_EQ(w.Rapport()->isVisible(), web);
        EXPECT_EQ(bouton("SB_Rapport")->isChecked(), web);
        EXPECT_TRUE(options->findChild<QWidget *>(QLatin1String(t.controle))->isVisible());
        for (const auto &autre : taches)
            EXPECT_EQ(bouton(autre.bouton)->isChecked(), &autre == &t) << autre.bouton;
    }
    QTest::mouseClick(options->findChild<QPushButton *>(u"Button3"_s), Qt::LeftButton);
    EXPECT_FALSE(options->isVisible());
    EXPECT_TRUE(bouton("sbRapWeb")->isChecked());
    QTest::mouseClick(bouton("sbRapWeb"), Qt::LeftButton);
    EXPECT_FALSE(options->isVisible());
    QTest::mouseClick(bouton("sbRapWeb"), Qt::LeftButton);
    EXPECT_TRUE(options->isVisible());
    EXPECT_EQ(options->PanneauCourant(), TfmRapportCritere::PanneauWeb);

    QTest::mouseClick(bouton("sbRapAvance"), Qt::LeftButton);
    QTest::mouseClick(options->findChild<QPushButton *>(u"bOkAvance"_s), Qt::LeftButton);
    EXPECT_FALSE(options->isVisible());
    for (const auto &t : taches)
        EXPECT_FALSE(bouton(t.bouton)->isChecked()) << t.bouton;
}

// The rectangle of a widget in screen coordinates.
QRect ecranDe(const QWidget *w)
{
    return {w->mapToGlobal(QPoint(0, 0)), w->size()};
}

// The tool windows open in the corners of the tree area (the screen has no
// room beside the main window), over neither the menus nor the task column;
// the window system keeps them above the main window only, so that dialogs
// come above them. The report makes room for its options window, beside it
// and beyond the main window when it must. Moved, they open where they were
// left, from one session to the next, unless that place is no longer on the
// screen.
TEST_F(Shell, ToolWindowsOpenBesideTheTreeAreaThenWhereTheyWereLeft)
{
    ASSERT_EQ(QGuiApplication::primaryScreen()->availableGeometry(), QRect(0, 0, 1366, 768));
    TIniFile ini(DossierParamUser + u"gene.ini"_s);
    ini.WriteString(u"Fenetres"_s, u"fmRapport"_s, u"5000,5000,500,400"_s);
    ASSERT_TRUE(ini.UpdateFile());
    TQuorWin *w = &fenetreExemple();
    w->ShowFiche();
    QTest::mouseClick(w->findChild<QToolButton *>(u"SB_Rapport"_s), Qt::LeftButton);
    QTest::mouseClick(w->findChild<QToolButton *>(u"sbRapAff"_s), Qt::LeftButton);
    w->AfficheSupprime();
    const QRect arbre = ecranDe(w->findChild<QScrollArea *>(u"Arbre"_s));
    const auto *taches = w->centralWidget()->findChild<QTabWidget *>(u"PC"_s, Qt::FindDirectChildrenOnly);
    ASSERT_NE(taches, nullptr);
    const QRect options = w->RapportCritere()->frameGeometry();
    const QRect ecran = w->screen()->availableGeometry();
    const struct { QWidget *fenetre; QPoint coin, attendu; QRect dans; } outils[] = {
        {w->Fiche(), w->Fiche()->frameGeometry().topRight(), arbre.topRight(), arbre},
        {w->Rapport(), w->Rapport()->frameGeometry().bottomLeft(), options.bottomRight() + QPoint(1, 0),
         QRect(arbre.topLeft(), ecran.bottomRight())},
        {w->RapportCritere(), options.bottomLeft(), arbre.bottomLeft(), arbre},
        {w->FenetreSupprime(), w->FenetreSupprime()->frameGeometry().topLeft(), arbre.topLeft(), arbre},
    };
    for (const auto &o : outils) {
        SCOPED_TRACE(o.fenetre->objectName().toStdString());
        ASSERT_TRUE(o.fenetre->isVisible());
        EXPECT_EQ(o.coin, o.attendu);
        const QRect cadre = o.fenetre->frameGeometry();
        EXPECT_TRUE(o.dans.contains(cadre));
        EXPECT_FALSE(cadre.intersects(ecranDe(w->menuBar())));
        EXPECT_FALSE(cadre.intersects(ecranDe(taches)));
        EXPECT_EQ(o.fenetre->windowType(), Qt::Tool);
        EXPECT_FALSE(o.fenetre->windowFlags() & Qt::WindowStaysOnTopHint);
        EXPECT_EQ(o.fenetre->parentWidget(), w);
        EXPECT_GE(o.fenetre->width(), TPlacement::LargeurTitre(o.fenetre));
    }

    const QRect laissee(300, 260, 500, 420);
    w->Fiche()->setGeometry(laissee);
    // Shown again by the window system (the main window restored from the
    // task bar): where the user left it.
    QShowEvent montre;
    QSpontaneKeyEvent::setSpontaneous(&montre);
    QApplication::sendEvent(w->Fiche(), &montre);
    EXPECT_EQ(w->Fiche()->geometry(), laissee);
    w->Fiche()->close();
    w->AfficheSupprime(); // open already: nothing moves
    const QRect supprime = w->FenetreSupprime()->geometry();
    w->FenetreSupprime()->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    w->AfficheSupprime();
    EXPECT_EQ(w->FenetreSupprime()->geometry(), supprime);
    ASSERT_TRUE(w->close());
    w = &fenetreExemple();
    w->ShowFiche();
    EXPECT_EQ(w->Fiche()->geometry(), laissee);
    // Left open at the end of the session, it opens where it was then.
    const QRect ouverte(320, 280, 500, 420);
    w->Fiche()->setGeometry(ouverte);
    ASSERT_TRUE(w->close());
    w = &fenetreExemple();
    w->ShowFiche();
    EXPECT_EQ(w->Fiche()->geometry(), ouverte);
}

// The other tool windows of the task column open in the top left corner of
// the tree area, each from its button; the report's options, alone, in the
// bottom left one.
TEST_F(Shell, EveryToolWindowOpensInTheTreeAreasCorner)
{
    TQuorWin &w = fenetreExemple();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    const QRect arbre = ecranDe(w.findChild<QScrollArea *>(u"Arbre"_s));
    const auto fenetre = [&w](const char *classe) {
        for (QWidget *f : QApplication::topLevelWidgets())
            if (f->inherits(classe) && f->parentWidget() == &w)
                return f;
        return static_cast<QWidget *>(nullptr);
    };
    const struct { const char *bouton, *classe; } outils[] = {
        {"sbCellule", "TfmCellule"}, {"sbStat", "TfmStat"},   {"sbCal", "TfmCal"},
        {"sbCarte", "TfmCarte"},     {"sbFicheArbre", "TfmFicheArbre"},
    };
    // The report's options with no report on the screen: their own corner.
    QTest::mouseClick(w.findChild<QToolButton *>(u"sbRapAff"_s), Qt::LeftButton);
    ASSERT_TRUE(w.RapportCritere()->isVisible());
    EXPECT_EQ(w.RapportCritere()->frameGeometry().bottomLeft(), arbre.bottomLeft());
    w.RapportCritere()->close();
    for (const auto &o : outils) {
        SCOPED_TRACE(o.bouton);
        QTest::mouseClick(w.findChild<QToolButton *>(QLatin1String(o.bouton)), Qt::LeftButton);
        QWidget *f = fenetre(o.classe);
        ASSERT_TRUE(f && f->isVisible());
        EXPECT_EQ(f->frameGeometry().topLeft(), arbre.topLeft());
        f->close();
    }
    // The calendar's "Événements" and "Anniversaires" exclude each other.
    auto *eve = w.findChild<QToolButton *>(u"sbCalEve"_s);
    auto *ann = w.findChild<QToolButton *>(u"sbCalAnn"_s);
    EXPECT_TRUE(eve->isChecked());
    QTest::mouseClick(ann, Qt::LeftButton);
    EXPECT_EQ(std::pair(eve->isChecked(), ann->isChecked()), std::pair(false, true));
    QTest::mouseClick(eve, Qt::LeftButton);
    EXPECT_EQ(std::pair(eve->isChecked(), ann->isChecked()), std::pair(true, false));
}

// A kept place that is no window anybody left (a size of nothing or out of
// reason, a value missing or not a number) is not used: the window opens in
// its corner.
TEST_F(Shell, KeptPlacesOutOfReasonAreNotUsed)
{
    for (const QString &valeur : {u"300,260,0,420"_s, u"300,260,500,0"_s, u"300,260,20001,420"_s,
                                  u"300,260,500,20001"_s, u"300,260,500"_s, u"300,x,500,420"_s}) {
        SCOPED_TRACE(valeur.toStdString());
        TIniFile ini(DossierParamUser + u"gene.ini"_s);
        ini.WriteString(u"Fenetres"_s, u"fmFiche"_s, valeur);
        ASSERT_TRUE(ini.UpdateFile());
        m_fenetre.reset();
        TQuorWin &w = fenetreExemple();
        w.ShowFiche();
        EXPECT_EQ(w.Fiche()->frameGeometry().topRight(), ecranDe(w.findChild<QScrollArea *>(u"Arbre"_s)).topRight());
        m_fenetre->hide();
    }
    // A sound one is.
    TIniFile ini(DossierParamUser + u"gene.ini"_s);
    ini.WriteString(u"Fenetres"_s, u"fmFiche"_s, u"300,260,500,420"_s);
    ASSERT_TRUE(ini.UpdateFile());
    m_fenetre.reset();
    fenetreExemple().ShowFiche();
    EXPECT_EQ(m_fenetre->Fiche()->geometry(), QRect(300, 260, 500, 420));
}

// A tool window whose title grows too long for it widens to show it whole,
// and never narrows for a shorter one.
TEST_F(Shell, AToolWindowWidensForALongerTitle)
{
    TQuorWin &w = fenetreExemple();
    QTest::mouseClick(w.findChild<QToolButton *>(u"SB_Rapport"_s), Qt::LeftButton);
    TfmRapport *rapport = w.Rapport();
    ASSERT_TRUE(rapport->isVisible());
    rapport->setWindowTitle(u"Un rapport au titre très long, "_s.repeated(3));
    const int large = rapport->width();
    EXPECT_GE(large, TPlacement::LargeurTitre(rapport));
    EXPECT_TRUE(w.screen()->availableGeometry().contains(rapport->frameGeometry()));
    rapport->setWindowTitle(u"Court"_s);
    EXPECT_EQ(rapport->width(), large);
}

// Where a 300 x 200 window with a frame of 2 goes, for a main window whose
// tree area runs from (240, 50) to (1099, 699) on a 1366 x 768 screen.
TEST(Placement, CornersOfTheTreeAreaOrBesideTheMainWindow)
{
    const QRect ecran(0, 0, 1366, 768);
    const QRect zone(240, 50, 860, 650);
    const QMargins cadre(2, 2, 2, 2);
    const struct { TPlacement::TCoin coin; QRect principale; QSize taille; QRect attendu; } cas[] = {
        // No room at the right of the main window: inside the tree area.
        {TPlacement::HautDroite, QRect(0, 0, 1200, 720), {300, 200}, QRect(798, 52, 300, 200)},
        {TPlacement::BasDroite, QRect(0, 0, 1200, 720), {300, 200}, QRect(798, 498, 300, 200)},
        {TPlacement::HautGauche, QRect(0, 0, 1200, 720), {300, 200}, QRect(242, 52, 300, 200)},
        {TPlacement::BasGauche, QRect(0, 0, 1200, 720), {300, 200}, QRect(242, 498, 300, 200)},
        // Room: a right-hand window goes beside the main window, a left-hand
        // one stays in the tree area.
        {TPlacement::HautDroite, QRect(0, 0, 1050, 720), {300, 200}, QRect(1052, 52, 300, 200)},
        {TPlacement::BasGauche, QRect(0, 0, 1050, 720), {300, 200}, QRect(242, 498, 300, 200)},
        // Taller than the room below the tree area's top: moved up only as
        // far as the screen needs.
        {TPlacement::HautDroite, QRect(0, 0, 1200, 720), {300, 740}, QRect(798, 26, 300, 740)},
        // Wider than the screen: the screen's width.
        {TPlacement::BasGauche, QRect(0, 0, 1200, 720), {2000, 200}, QRect(2, 498, 1362, 200)},
    };
    for (const auto &c : cas) {
        SCOPED_TRACE(c.attendu.x());
        EXPECT_EQ(TPlacement::Calcule(c.taille, cadre, c.coin, c.principale, zone, ecran), c.attendu);
    }
}

// A window that grows while it is being shown (as the report fills itself
// then) keeps the corner of the tree area it was given; grown later, it only
// stays on the screen.
TEST(Placement, AWindowGrowingWhileShownKeepsItsCorner)
{
    QWidget principale;
    principale.setGeometry(0, 0, 1300, 700);
    auto *zone = new QWidget(&principale);
    zone->setGeometry(240, 50, 1000, 600);
    principale.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&principale));
    class TGrandit final : public QWidget
    {
    public:
        using QWidget::QWidget;
    protected:
        void showEvent(QShowEvent *evenement) override
        {
            QWidget::showEvent(evenement);
            resize(400, 300);
        }
    };
    TGrandit outil(&principale, Qt::Tool);
    outil.setObjectName(u"outil"_s);
    outil.resize(200, 100);
    TPlacement placement(&principale, zone);
    placement.Suit(&outil, TPlacement::BasDroite);
    outil.show();
    const QRect coin(zone->mapToGlobal(QPoint(0, 0)), zone->size());
    EXPECT_EQ(outil.size(), QSize(400, 300));
    EXPECT_EQ(outil.frameGeometry().bottomRight(), coin.bottomRight());
    const QPoint place = outil.frameGeometry().topLeft();
    outil.resize(500, 350);
    EXPECT_EQ(outil.frameGeometry().topLeft(), place);
    // Grown past the screen's edges, it is moved back on the screen.
    outil.resize(700, 500);
    EXPECT_TRUE(principale.screen()->availableGeometry().contains(outil.frameGeometry()));
    outil.resize(500, 350);

    // A window wider than the screen is high keeps its width; one taller
    // than the room below the tree area's top is made that tall.
    QWidget large(&principale, Qt::Tool), haute(&principale, Qt::Tool);
    large.setObjectName(u"large"_s);
    haute.setObjectName(u"haute"_s);
    large.resize(1000, 200);
    haute.resize(300, 1000);
    placement.Suit(&large, TPlacement::HautGauche);
    placement.Suit(&haute, TPlacement::HautGauche);
    large.show();
    haute.show();
    EXPECT_EQ(large.size(), QSize(1000, 200));
    const int ecran = principale.screen()->availableGeometry().bottom();
    EXPECT_EQ(haute.size(), QSize(300, ecran + 1 - coin.top() - 4));

    // Shown where it was left, a window growing while shown stays there.
    QTemporaryDir dossier;
    TIniFile ini(dossier.filePath(u"gene.ini"_s));
    ini.WriteString(u"Fenetres"_s, u"gardee"_s, u"300,200,200,100"_s);
    placement.Lit(ini);
    TGrandit gardee(&principale, Qt::Tool);
    gardee.setObjectName(u"gardee"_s);
    placement.Suit(&gardee, TPlacement::BasDroite);
    gardee.show();
    EXPECT_EQ(gardee.geometry(), QRect(300, 200, 400, 300));

    // A window that serves another goes beside it when they overlap; the
    // one served stays where it is.
    QWidget servie(&principale, Qt::Tool), servante(&principale, Qt::Tool);
    servie.setGeometry(QRect(400, 300, 300, 200));
    servante.setGeometry(QRect(450, 350, 200, 150));
    placement.Accompagne(&servante, &servie);
    servie.show();
    servante.show();
    QApplication::processEvents();
    EXPECT_EQ(servie.geometry(), QRect(400, 300, 300, 200));
    EXPECT_FALSE(servante.frameGeometry().intersects(servie.frameGeometry()));
}

// On a 1366 x 768 screen: the main window fits and may be made shorter, its
// task column scrolls to every command, the record form shows every tab and
// every new-entry line whole, and titles are not cut.
TEST_F(Shell, TheWindowsFitASmallScreen)
{
    TQuorWin &w = fenetreExemple();
    const QRect ecran = w.screen()->availableGeometry();
    EXPECT_TRUE(ecran.contains(w.frameGeometry()));
    w.resize(w.width(), 500);
    EXPECT_EQ(w.height(), 500);
    auto *page = w.findChild<QScrollArea *>(u"TS_Afficher"_s);
    auto *derniere = w.findChild<QToolButton *>(u"sbRapWeb"_s);
    page->ensureWidgetVisible(derniere);
    EXPECT_TRUE(page->viewport()->rect().contains(QRect(derniere->mapTo(page->viewport(), QPoint(0, 0)),
                                                        derniere->size())));

    // A person with a union, so that the union's events show too.
    int conjoint = 1;
    while (!HasUnion(w.Base(), conjoint))
        ++conjoint;
    w.SetSelecPers(conjoint);
    w.ShowFiche();
    auto *onglets = w.Fiche()->findChild<QTabWidget *>(u"PC"_s);
    const QTabBar *barre = onglets->tabBar();
    for (int i = 0; i < onglets->count(); ++i) {
        if (!onglets->isTabVisible(i))
            continue;
        SCOPED_TRACE(onglets->tabText(i).toStdString());
        EXPECT_TRUE(barre->rect().contains(barre->tabRect(i)));
        onglets->setCurrentIndex(i);
        for (const QListWidget *liste : onglets->widget(i)->findChildren<QListWidget *>()) {
            if (!liste->isVisible() || liste->count() == 0)
                continue;
            SCOPED_TRACE(liste->objectName().toStdString());
            const QListWidgetItem *nouvelle = liste->item(liste->count() - 1);
            const QRect texte(liste->visualItemRect(nouvelle).topLeft(),
                              QSize(liste->fontMetrics().horizontalAdvance(nouvelle->text()),
                                    liste->visualItemRect(nouvelle).height()));
            EXPECT_TRUE(liste->viewport()->rect().contains(texte));
        }
    }

    // A report of one narrow column under a long title, in the report
    // window on screen.
    QTest::mouseClick(w.findChild<QToolButton *>(u"SB_Rapport"_s), Qt::LeftButton);
    w.Rapport()->Modele().resize(1);
    w.Rapport()->AfficheListe(TR(), u"Les descendants de quelqu'un dont il manque au moins un parent"_s);
    EXPECT_GE(w.Rapport()->width(), TPlacement::LargeurTitre(w.Rapport()));
    EXPECT_TRUE(ecran.contains(w.Rapport()->frameGeometry()));

    w.AfficheSupprime();
    EXPECT_TRUE(ecran.contains(w.FenetreSupprime()->frameGeometry()));
}

// Once the modal window `fenetre` is shown, types `texte` in eCommence (when
// given), checks `radio` (when given) and clicks B_Ok.
void QuandVisible(QWidget *fenetre, const QString &texte, const QString &radio = {})
{
    auto *minuterie = new QTimer(fenetre);
    QObject::connect(minuterie, &QTimer::timeout, fenetre, [=] {
        if (!fenetre->isVisible())
            return;
        minuterie->stop();
        minuterie->deleteLater();
        if (!texte.isEmpty())
            fenetre->findChild<QLineEdit *>(u"eCommence"_s)->setText(texte);
        if (!radio.isEmpty())
            fenetre->findChild<QRadioButton *>(radio)->setChecked(true);
        fenetre->findChild<QPushButton *>(u"B_Ok"_s)->click();
    });
    minuterie->start(10);
}

TEST_F(Shell, SearchAndAddCommandsOfTheMainWindow)
{
    TQuorWin w;
    w.show();
    remplit(w.Base());
    w.SetSelecPers(3);
    // The search button: the person typed and chosen becomes current.
    TfmRechFiche *recherche = w.FenetreRecherche();
    QuandVisible(recherche, u"DUR"_s);
    w.findChild<QToolButton *>(u"SB_RechFiche"_s)->click();
    EXPECT_EQ(w.SelecPers(), 2);
    EXPECT_FALSE(recherche->isVisible());

    // The reference button moves the tree's reference as well.
    QuandVisible(recherche, u"MAR"_s);
    w.findChild<QToolButton *>(u"SB_Reference"_s)->click();
    EXPECT_EQ(RefPers, w.SelecPers());
    EXPECT_EQ(w.Base().Surname(RefPers), u"MARTIN");

    // The box menu's "Ajouter...": a mother for the child's mother.
    ::Options().AjoutePers = false;
    w.SetSelecPers(2);
    QuandVisible(w.FenetreAjoute(), {}, u"RB_Mere"_s);
    w.MenuBoite()->findChild<QAction *>(u"MI_BoiteAjoute"_s)->trigger();
    const int mere = w.Base().Mother(2);
    ASSERT_TRUE(w.Base().PersonInUse(mere));
    EXPECT_EQ(w.SelecPers(), mere);
    EXPECT_TRUE(w.Fiche()->isVisible());
    EXPECT_EQ(w.Fiche()->windowTitle(), MLText(305) + u' ' + w.Base().FullName(2));
    EXPECT_EQ(BaseModifiee, 1);
}

// The menu commands from their keys, typed in the main window, and the box
// menu's commands on the current person.
TEST_F(Shell, TheMenuCommandsFromTheirKeys)
{
    TQuorWin &w = fenetre();
    w.show();
    QApplication::setActiveWindow(&w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    w.SetSelecPers(2);
    const auto touche = [&w](QKeyCombination t) { QTest::keyClick(&w, t.key(), t.keyboardModifiers()); };

    // New on a modified base asks first; cancelled, nothing changes.
    BaseModifiee = 1;
    m_dialogues.Reponses = {ReponseAnnuler};
    touche(Qt::CTRL | Qt::Key_N);
    EXPECT_EQ(m_dialogues.Messages.size(), 1);
    EXPECT_EQ(w.Base().PersonCount(), 3);
    // Open and Save as ask for their file; cancelled, nothing is opened.
    BaseModifiee = 0;
    EXPECT_FALSE(w.Ouvrir());
    m_dialogues.TitresFichiers.clear();
    touche(Qt::CTRL | Qt::Key_O);
    touche(Qt::CTRL | Qt::SHIFT | Qt::Key_S);
    EXPECT_EQ(m_dialogues.TitresFichiers, (QStringList{MLText(5022), MLText(5023)}));
    // F2 shows the record form.
    touche(Qt::Key_F2);
    EXPECT_TRUE(w.Fiche()->isVisible());
    w.Fiche()->hide();
    // Edit > "Supprimer..." opens the delete window.
    w.menuBar()->findChild<QMenu *>(u"MI_Edition"_s)->findChild<QAction *>(u"MI_Supprime"_s)->trigger();
    ASSERT_TRUE(w.FenetreSupprime());
    w.FenetreSupprime()->close();
    // F9 opens the options.
    ReponseModale<TfmOptions> options([](TfmOptions &f) { f.reject(); });
    QApplication::setActiveWindow(&w);
    touche(Qt::Key_F9);
    EXPECT_TRUE(options.Ouvert);

    // The box menu: the record form, the reference of the tree, a branch
    // folded and unfolded (which modifies the base).
    QMenu *boite = w.MenuBoite();
    w.SetSelecPers(3);
    boite->findChild<QAction *>(u"MI_BoiteFiche"_s)->trigger();
    EXPECT_TRUE(w.Fiche()->isVisible());
    ASSERT_EQ(RefPers, 2);
    boite->findChild<QAction *>(u"MI_BoiteReference"_s)->trigger();
    EXPECT_EQ(RefPers, 3);
    for (const bool plie : {true, false}) {
        boite->findChild<QAction *>(u"MI_BoitePlie"_s)->trigger();
        EXPECT_EQ(w.Base().TreeFold(3) != 0, plie);
        EXPECT_EQ(BaseModifiee, 1);
        EXPECT_TRUE(w.windowTitle().endsWith(u" *"_s));
    }
    QuandVisible(w.FenetreRecherche(), u"MAR"_s);
    boite->findChild<QAction *>(u"MI_BoiteRecherche"_s)->trigger();
    EXPECT_EQ(w.Base().Surname(w.SelecPers()), u"MARTIN");
    EXPECT_EQ(RefPers, 3);

    // Ctrl+Q quits, after the save question.
    m_dialogues.Reponses = {ReponseAnnuler};
    touche(Qt::CTRL | Qt::Key_Q);
    EXPECT_TRUE(w.isVisible());
    BaseModifiee = 0;
    touche(Qt::CTRL | Qt::Key_Q);
    EXPECT_FALSE(w.isVisible());
}

// The record form's commands that reach the main window: a relative made
// the tree's reference from its menu, a new source from the "Donnée" tab.
TEST_F(Shell, TheRecordFormsReferenceAndSourceCommands)
{
    TQuorWin &w = fenetre();
    w.show();
    w.SetSelecPers(3);
    ASSERT_EQ(RefPers, 3);
    w.ShowFiche();
    TfmFiche *fiche = w.Fiche();
    fiche->PrepareMenuRelatifs(u"E_Pere"_s);
    fiche->MenuRelatifs()->findChild<QAction *>(u"MI_Ref"_s)->trigger();
    EXPECT_EQ(RefPers, 1);

    auto *onglets = fiche->findChild<QTabWidget *>(u"PC"_s);
    auto *donnees = fiche->findChild<QListWidget *>(u"lbDonnee"_s);
    ASSERT_TRUE(onglets && donnees);
    for (int i = 0; i < onglets->count(); ++i)
        if (onglets->widget(i)->isAncestorOf(donnees))
            onglets->setCurrentIndex(i);
    QApplication::processEvents();
    ReponseModale<TfmSource> source([](TfmSource &e) {
        e.findChild<QLineEdit *>(u"eNature"_s)->setText(u"Acte de naissance"_s);
        e.findChild<QPushButton *>(u"bOk"_s)->click();
    });
    const QRect ligne = donnees->visualItemRect(donnees->item(donnees->count() - 1));
    QTest::mouseClick(donnees->viewport(), Qt::LeftButton, {}, ligne.center());
    QTest::mouseDClick(donnees->viewport(), Qt::LeftButton, {}, ligne.center());
    EXPECT_TRUE(source.Ouvert);
    EXPECT_EQ(w.Base().PersonSourceCount(3), 1);
}

// Every window that holds person numbers drops them when another database
// is opened: none shows, selects or removes a person of the previous one.
TEST_F(Shell, OpeningAnotherDatabaseLeavesNothingOfThePreviousOne)
{
    TQuorWin &petite = fenetre();
    RefPers = 3;
    m_dialogues.Fichiers = {chemin("petite.mvd")};
    ASSERT_TRUE(petite.EnregistrerSous());

    TQuorWin &w = fenetreExemple();
    const TBD &bd = w.Base();
    // The person search keeps its last choice from one opening to the next.
    w.SetSelecPers(2);
    QuandVisible(w.FenetreRecherche(), {});
    w.findChild<QToolButton *>(u"SB_RechFiche"_s)->click();
    w.SetSelecPers(5);
    QTest::mouseClick(w.findChild<QToolButton *>(u"SB_Rapport"_s), Qt::LeftButton);
    QTest::mouseClick(w.findChild<QToolButton *>(u"sbRapAff"_s), Qt::LeftButton);
    auto *lbAfficher = w.RapportCritere()->findChild<QListWidget *>(u"lbAfficher"_s);
    QTest::mouseClick(lbAfficher->viewport(), Qt::LeftButton, {},
                      lbAfficher->visualItemRect(lbAfficher->item(4)).center());
    w.ShowFiche();
    w.AfficheSupprime();
    QPointer<TfmSupprime> supprime = w.FenetreSupprime();
    TBKStringGrid *grille = w.Rapport()->Grille();
    ASSERT_NE(grille->RowCount(), 4);
    QTest::mouseClick(w.findChild<QToolButton *>(u"sbStat"_s), Qt::LeftButton);
    auto *stat = w.findChild<TfmStat *>();
    ASSERT_TRUE(stat && stat->isVisible());
    ASSERT_EQ(stat->Source().Count(), bd.PersonCount());
    QTest::mouseClick(w.findChild<QToolButton *>(u"sbFicheArbre"_s), Qt::LeftButton);
    auto *centre = w.FicheArbre()->findChild<QListWidget *>(u"lbCentre"_s);

    ASSERT_TRUE(w.Charge(chemin("petite.mvd")));
    // The statistics count the persons of this database; the navigator
    // shows its current person.
    EXPECT_EQ(stat->Source().Count(), 3);
    EXPECT_EQ(centre->item(0)->text(), u"MARTIN Élise"_s);
    ASSERT_EQ(w.SelecPers(), 3);
    EXPECT_EQ(w.Fiche()->findChild<QLineEdit *>(u"E_Pre"_s)->text(), u"Élise"_s);
    EXPECT_EQ(w.RapportCritere()->findChild<QLabel *>(u"lTitre"_s)->text(), bd.FullName(3));
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(supprime.isNull());
    // The search starts again on the current person.
    QuandVisible(w.FenetreRecherche(), {});
    w.findChild<QToolButton *>(u"SB_RechFiche"_s)->click();
    EXPECT_EQ(w.SelecPers(), 3);

    // The report lists the persons of this database, and a click on a row
    // opens the person that row shows.
    ASSERT_EQ(grille->RowCount(), 4);
    EXPECT_EQ(w.Rapport()->Titre(), u"Toutes les personnes"_s);
    EXPECT_EQ(lbAfficher->currentRow(), 0);
    EXPECT_EQ(grille->Cell(0, 2), u"DURAND"_s);
    const QRect ligne = grille->visualRect(grille->model()->index(1, 0));
    QTest::mouseClick(grille->viewport(), Qt::LeftButton, {}, ligne.center());
    EXPECT_EQ(w.SelecPers(), 2);
    EXPECT_EQ(w.Fiche()->findChild<QLineEdit *>(u"E_Nom"_s)->text(), u"DURAND"_s);
}

// A date being typed in the record form when another database is opened
// belongs to the database it was typed in, never to the next one.
TEST_F(Shell, AnEditInProgressStaysWithItsDatabase)
{
    TQuorWin &w = fenetre();
    RefPers = 1;
    w.Base().SetBirthDate(1, u"1/1/1800"_s);
    m_dialogues.Fichiers = {chemin("b.mvd"), chemin("a.mvd")};
    ASSERT_TRUE(w.EnregistrerSous());
    w.Base().SetBirthDate(1, u"1/2/1900"_s);
    ASSERT_TRUE(w.EnregistrerSous());

    w.show();
    w.SetSelecPers(1);
    w.ShowFiche();
    QApplication::setActiveWindow(w.Fiche());
    auto *date = w.Fiche()->findChild<QLineEdit *>(u"eveDate"_s);
    date->setFocus();
    date->selectAll();
    QTest::keyClicks(date, u"14.7.1789"_s);
    // Opening b.mvd: the edit makes a.mvd modified, and the user keeps it.
    m_dialogues.Reponses = {ReponseOui};
    m_dialogues.Fichiers = {chemin("b.mvd")};
    ASSERT_TRUE(w.Ouvrir());
    EXPECT_EQ(m_dialogues.Messages.size(), 1);
    EXPECT_EQ(w.Base().BirthDate(1), u"1/1/1800");
    EXPECT_EQ(BaseModifiee, 0);
    ASSERT_TRUE(w.Charge(chemin("a.mvd")));
    EXPECT_EQ(w.Base().BirthDate(1), u"14/7/1789");
}

// Names and counts shown in other windows follow the edits: the status
// line, the report options' "Par rapport à :" and the delete window.
TEST_F(Shell, NamesAndCountsFollowTheEdits)
{
    TQuorWin w;
    w.show();
    remplit(w.Base());
    ::Options().AjoutePers = false;
    w.SetSelecPers(1);
    w.AfficheSupprime();
    TfmSupprime *supprime = w.FenetreSupprime();
    auto *cbRapport = supprime->findChild<QCheckBox *>(u"cbRapport"_s);
    auto *sbListe = supprime->findChild<QToolButton *>(u"sbListe"_s);
    supprime->findChild<QCheckBox *>(u"CB_Enfant"_s)->click();
    EXPECT_EQ(sbListe->text(), u"Liste des 2 fiches supprimées"_s);
    EXPECT_FALSE(cbRapport->isEnabled());

    // A report made in the options window: the delete window counts its persons.
    QTest::mouseClick(w.findChild<QToolButton *>(u"sbRapAff"_s), Qt::LeftButton);
    auto *lbAfficher = w.RapportCritere()->findChild<QListWidget *>(u"lbAfficher"_s);
    lbAfficher->setCurrentRow(-1);
    QTest::mouseClick(lbAfficher->viewport(), Qt::LeftButton, {},
                      lbAfficher->visualItemRect(lbAfficher->item(0)).center());
    ASSERT_EQ(w.Rapport()->Liste().Count(), 3);
    EXPECT_EQ(cbRapport->text(), u"Les personnes listées dans le rapport (3 pers.)"_s);
    EXPECT_TRUE(cbRapport->isEnabled());

    // A surname typed in the record form, the navigator open.
    QTest::mouseClick(w.findChild<QToolButton *>(u"sbFicheArbre"_s), Qt::LeftButton);
    auto *centre = w.FicheArbre()->findChild<QListWidget *>(u"lbCentre"_s);
    ASSERT_EQ(centre->item(0)->text(), u"MARTIN Jean"_s);
    w.ShowFiche();
    QApplication::setActiveWindow(w.Fiche());
    auto *nom = w.Fiche()->findChild<QLineEdit *>(u"E_Nom"_s);
    nom->setFocus();
    nom->selectAll();
    QTest::keyClicks(nom, u"MARTEL"_s);
    const QString nouveau = w.Base().FullName(1);
    ASSERT_TRUE(nouveau.contains(u"MARTEL"_s));
    EXPECT_TRUE(w.findChild<QLabel *>(u"lStatut"_s)->text().contains(nouveau));
    EXPECT_EQ(w.RapportCritere()->findChild<QLabel *>(u"lTitre"_s)->text(), nouveau);
    EXPECT_EQ(centre->item(0)->text(), u"MARTEL Jean"_s);
    EXPECT_EQ(supprime->findChild<QLabel *>(u"L_Nom"_s)->text(), nouveau);

    // A child added to the reference of the delete window.
    QuandVisible(w.FenetreAjoute(), {}, u"RB_Enfant"_s);
    w.MenuBoite()->findChild<QAction *>(u"MI_BoiteAjoute"_s)->trigger();
    ASSERT_EQ(w.Base().PersonCount(), 4);
    EXPECT_EQ(sbListe->text(), u"Liste des 3 fiches supprimées"_s);

    // The window's own list shown in the report is not taken as the
    // report's persons.
    supprime->findChild<QCheckBox *>(u"CB_Enfant"_s)->click();
    QTest::mouseClick(sbListe, Qt::LeftButton);
    EXPECT_EQ(w.Rapport()->Liste().Count(), 1);
    EXPECT_EQ(cbRapport->text(), u"Les personnes listées dans le rapport (3 pers.)"_s);
}

TEST_F(Shell, TheDeleteWindowOpensOnceAndRemovesAroundTheCurrentPerson)
{
    TQuorWin w;
    w.show();
    remplit(w.Base());
    RefPers = 3;
    w.SetSelecPers(3);
    auto *bouton = w.findChild<QToolButton *>(u"sbSupprime"_s);
    bouton->click();
    QPointer<TfmSupprime> fenetre = w.FenetreSupprime();
    ASSERT_TRUE(fenetre);
    EXPECT_TRUE(bouton->isChecked());
    // A second opening does nothing.
    w.MenuBoite()->findChild<QAction *>(u"MI_BoiteSupprime"_s)->trigger();
    EXPECT_EQ(w.FenetreSupprime(), fenetre);
    // Only the current person: the child goes, the father becomes current
    // and the reference.
    fenetre->findChild<QPushButton *>(u"B_Ok"_s)->click();
    EXPECT_FALSE(w.Base().PersonInUse(3));
    EXPECT_EQ(std::pair(w.SelecPers(), RefPers), std::pair(1, 1));
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(fenetre.isNull());
    EXPECT_FALSE(bouton->isChecked());
    // The button raised again closes the window.
    bouton->click();
    fenetre = w.FenetreSupprime();
    ASSERT_TRUE(fenetre && fenetre->isVisible());
    bouton->click();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(fenetre.isNull() || !fenetre->isVisible());
}

// A report kept hidden while persons are deleted loses their rows: it holds
// only persons in use, and none of its rows leads to the slot a new person
// then takes.
TEST_F(Shell, DeletedPersonsLeaveAHiddenReport)
{
    TQuorWin &w = fenetreExemple();
    auto *bouton = w.findChild<QToolButton *>(u"SB_Rapport"_s);
    bouton->click();
    TBKStringGrid *grille = w.Rapport()->Grille();
    const int lignes = grille->RowCount();
    ASSERT_EQ(lignes, w.Base().PersonCount() + 1);
    bouton->click();
    ASSERT_FALSE(w.Rapport()->isVisible());

    const int p = w.SelecPers();
    w.findChild<QToolButton *>(u"sbSupprime"_s)->click();
    ASSERT_TRUE(w.FenetreSupprime());
    w.FenetreSupprime()->findChild<QPushButton *>(u"B_Ok"_s)->click();
    ASSERT_FALSE(w.Base().PersonInUse(p));
    EXPECT_EQ(grille->RowCount(), lignes - 1);
    EXPECT_EQ(w.Rapport()->Liste().Count(), lignes - 2);
    ASSERT_EQ(w.Base().NewPerson(), p);
    for (int r = 1; r < grille->RowCount(); ++r)
        EXPECT_NE(grille->GetRowData(r), p) << r;
}

TEST_F(Shell, TreePageCommandsAndPrintingToPdfWithoutAPrinter)
{
    TQuorWin &w = fenetreExemple();
    w.Arbre()->Execute();
    TPage *page = w.Page();
    // The page view shows the frames of the pages the tree covers.
    w.findChild<QToolButton *>(u"sbVoirPage"_s)->click();
    ASSERT_TRUE(page->VoirPage);
    ASSERT_FALSE(page->PageImprimante.isEmpty());
    page->grab();
    EXPECT_EQ(page->NbrePage, page->ComptePages());
    EXPECT_GE(page->NbrePage, 1);

    // Other buttons than the left one step the zoom on the upper half of
    // the button and the overlap down on the lower half.
    page->PrintZoomAuto = false;
    page->PrintZoom = 200;
    page->PrintCroise = 5;
    auto *croise = w.findChild<QToolButton *>(u"sbCroisePage"_s);
    auto *zoom = w.findChild<QToolButton *>(u"sbZoomPage"_s);
    QTest::mouseClick(zoom, Qt::RightButton, {}, QPoint(5, 2));
    EXPECT_EQ(page->PrintZoom, 300);
    // The zoom goes down to 100 and no further.
    for (const int attendu : {200, 100, 100}) {
        QTest::mouseClick(zoom, Qt::RightButton, {}, QPoint(5, zoom->height() - 2));
        EXPECT_EQ(page->PrintZoom, attendu);
    }
    for (int i = 0; i < 2; ++i)
        QTest::mouseClick(croise, Qt::RightButton, {}, QPoint(5, croise->height() - 2));
    EXPECT_EQ(page->PrintCroise, 0);
    // The overlap goes up to 45 and no further.
    page->PrintCroise = 35;
    for (const int attendu : {40, 45, 45}) {
        QTest::mouseClick(croise, Qt::RightButton, {}, QPoint(5, 2));
        EXPECT_EQ(page->PrintCroise, attendu);
    }
    page->PrintCroise = 0;

    // Without a printer the tree goes to a PDF file the user names; the
    // automatic fit puts the whole tree on one sheet.
    page->PrintZoomAuto = true;
    m_dialogues.Fichiers = {chemin("arbre")};
    ASSERT_TRUE(w.sbArbreImprimeClick());
    QFile pdf(chemin("arbre.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray contenu = pdf.readAll();
    EXPECT_TRUE(contenu.startsWith("%PDF"));
    const auto pages = QRegularExpression(u"/Count (\\d+)"_s).match(QString::fromLatin1(contenu));
    ASSERT_TRUE(pages.hasMatch());
    EXPECT_EQ(pages.captured(1), u"1");
    // The user is told where the file went.
    EXPECT_TRUE(w.statusBar()->currentMessage().contains(chemin("arbre.pdf"))) << w.statusBar()->currentMessage().toStdString();
    // A name that ends in ".PDF" is kept as it is typed.
    m_dialogues.Fichiers = {chemin("ARBRE.PDF")};
    ASSERT_TRUE(w.sbArbreImprimeClick());
    EXPECT_TRUE(QFileInfo::exists(chemin("ARBRE.PDF")));
    EXPECT_FALSE(QFileInfo::exists(chemin("ARBRE.PDF.pdf")));
    // A cancelled file dialog prints nothing.
    EXPECT_FALSE(w.sbArbreImprimeClick());
}

// The left button of the page zoom and overlap buttons opens the page
// dialog, with the page frames shown while it is open; its OK hides them
// again when "keep them visible" stays unchecked. The frames button shows
// and hides the frames on the screen at once.
TEST_F(Shell, ThePageButtonsShowTheFramesOnTheScreen)
{
    TQuorWin &w = fenetreExemple();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    w.Arbre()->Execute();
    TPage *page = w.Page();
    auto *voir = w.findChild<QToolButton *>(u"sbVoirPage"_s);
    for (const char *nom : {"sbZoomPage", "sbCroisePage"}) {
        SCOPED_TRACE(nom);
        ASSERT_FALSE(voir->isChecked());
        bool cadres = false;
        ReponseModale<TfmZoomPage> reponse([&](TfmZoomPage &d) {
            cadres = page->VoirPage && voir->isChecked();
            EXPECT_FALSE(d.findChild<QCheckBox *>(u"cbVoirPage"_s)->isChecked());
            QTest::mouseClick(d.findChild<QPushButton *>(u"B_Ok"_s), Qt::LeftButton);
        });
        QTest::mouseClick(w.findChild<QToolButton *>(QLatin1String(nom)), Qt::LeftButton);
        EXPECT_TRUE(reponse.Ouvert);
        EXPECT_TRUE(cadres);
        EXPECT_FALSE(page->VoirPage);
        EXPECT_FALSE(voir->isChecked());
    }

    // What the screen shows of the tree area, as the window system has it.
    auto *vue = w.findChild<QScrollArea *>(u"Arbre"_s)->viewport();
    const auto ecran = [&] {
        QApplication::processEvents();
        const QImage tout = w.screen()->grabWindow(w.winId()).toImage();
        return tout.copy(QRect(vue->mapTo(&w, QPoint(0, 0)), vue->size()));
    };
    const QImage sans = ecran();
    QTest::mouseClick(voir, Qt::LeftButton);
    ASSERT_TRUE(page->VoirPage);
    const QImage avec = ecran();
    EXPECT_NE(avec, sans);
    QTest::mouseClick(voir, Qt::LeftButton);
    EXPECT_EQ(ecran(), sans);
}

TEST_F(Shell, TheFileMenuOpensTheArtisticPrintWindowOnce)
{
    TQuorWin &w = fenetreExemple();
    // The program's folders, with one category holding one model.
    DossierImpressionModeles = chemin("modeles/");
    ASSERT_TRUE(QDir().mkpath(DossierImpressionModeles + u"Famille"_s));
    ASSERT_TRUE(QFile::copy(QStringLiteral(LIGNEE_FIXTURES "/impression/modeles/Famille/etiquette.mdl"),
                            DossierImpressionModeles + u"Famille/etiquette.mdl"_s));
    QAction *commande = w.menuBar()->findChild<QMenu *>(u"MI_Fichier"_s)->findChild<QAction *>(u"MI_GenePrint"_s);
    ASSERT_TRUE(commande);
    EXPECT_EQ(commande->text(), u"Impression artistique..."_s);
    commande->trigger();
    const QList<TfmGenePrint *> fenetres = w.findChildren<TfmGenePrint *>();
    ASSERT_EQ(fenetres.size(), 1);
    TfmGenePrint *f = fenetres[0];
    EXPECT_TRUE(f->isVisible());
    EXPECT_TRUE(f->windowState() & Qt::WindowMaximized);
    EXPECT_EQ(f->windowTitle(), u"Impression artistique"_s);
    EXPECT_TRUE(f->Barre()); // the shipped skin
    EXPECT_EQ(f->ModeleCourant(), DossierImpressionModeles + u"Famille/etiquette.mdl"_s);
    EXPECT_TRUE(m_dialogues.Messages.isEmpty());
    commande->trigger();
    EXPECT_EQ(w.findChildren<TfmGenePrint *>().size(), 1);
    f->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(w.findChildren<TfmGenePrint *>().isEmpty());
}

TEST_F(Shell, TreeSettingDialogsRebuildAfterOk)
{
    TQuorWin &w = fenetreExemple();
    w.Arbre()->Execute();
    int constructions = 0;
    QObject::connect(w.Arbre(), &TAffArbre::Construit, [&constructions] { ++constructions; });
    const int generations = Looks[1].NbreGen;
    // "Génération": OK stores the counts and the tree is built again.
    QTimer::singleShot(0, [] {
        auto *dialogue = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialogue, nullptr);
        auto *asc = dialogue->findChild<QSpinBox *>(u"SE_Asc"_s);
        asc->setValue(asc->value() + 1);
        dialogue->findChild<QPushButton *>(u"B_Ok"_s)->click();
    });
    w.findChild<QToolButton *>(u"sbArbreNbreGen"_s)->click();
    EXPECT_EQ(Looks[1].NbreGen, generations + 1);
    QApplication::processEvents();
    EXPECT_EQ(constructions, 1);
}


TEST_F(Shell, SourceCommandsOfTheTaskColumn)
{
    TQuorWin &w = fenetreExemple();
    const int avant = w.Base().SourceCount();
    QString titre;
    {
        ReponseModale<TfmSource> reponse([&](TfmSource &e) {
            titre = e.findChild<QLineEdit *>(u"eNature"_s)->text();
            e.findChild<QLineEdit *>(u"eNature"_s)->setText(u"Registre paroissial"_s);
            e.findChild<QPushButton *>(u"bOk"_s)->click();
        });
        QTest::mouseClick(w.findChild<QToolButton *>(u"sbSourceAjoute"_s), Qt::LeftButton);
        EXPECT_TRUE(reponse.Ouvert);
    }
    EXPECT_EQ(titre, u"Nouvelle source");
    ASSERT_EQ(w.Base().SourceCount(), avant + 1);
    EXPECT_EQ(w.Base().SourceField(avant + 1, SrcTitre), u"Registre paroissial");
    EXPECT_TRUE(w.windowTitle().contains(u'*'));
    // The overview wears the tree view's background.
    QBrush fond;
    ReponseModale<TfmSourceVue> vue([&](TfmSourceVue &v) {
        fond = v.findChild<QWidget *>(u"pHaut"_s)->palette().window();
        v.reject();
    });
    QTest::mouseClick(w.findChild<QToolButton *>(u"SpeedButton6"_s), Qt::LeftButton);
    EXPECT_TRUE(vue.Ouvert);
    EXPECT_EQ(fond, w.Page()->Fond());
    // "Rechercher une source" and "Choisir une source" open the list of
    // the sources.
    for (const char *bouton : {"sbSourceRech", "SpeedButton4"}) {
        SCOPED_TRACE(bouton);
        QString titre;
        ReponseModale<TfmSourceRech> liste([&](TfmSourceRech &l) {
            titre = l.windowTitle();
            l.reject();
        });
        auto *b = w.findChild<QToolButton *>(QLatin1String(bouton));
        ASSERT_TRUE(b && b->isEnabled());
        QTest::mouseClick(b, Qt::LeftButton);
        EXPECT_TRUE(liste.Ouvert);
        EXPECT_EQ(titre, u"Liste des sources"_s);
    }
}

// Find and replace from the task column: the places listed with their
// counts in the report, one spelling replaced everywhere, the record form
// following.
TEST_F(Shell, FindAndReplaceFromTheTaskColumn)
{
    TQuorWin &w = fenetreExemple();
    TBD &bd = w.Base();
    QMap<QString, int> lieux;
    for (int e = 1; e <= bd.EventCount(); ++e)
        if (bd.EventInUse(e) && !bd.EventField(e, EveLieu).isEmpty())
            ++lieux[bd.EventField(e, EveLieu)];
    ASSERT_FALSE(lieux.isEmpty());
    const QString lieu = std::max_element(lieux.begin(), lieux.end()).key();
    int p = 1;
    while (!bd.PersonInUse(p) || bd.Surname(p).isEmpty())
        ++p;
    w.SetSelecPers(p);
    w.ShowFiche();

    QTest::mouseClick(w.findChild<QToolButton *>(u"sbRemp"_s), Qt::LeftButton);
    auto *remp = w.findChild<TfmRemp *>();
    ASSERT_NE(remp, nullptr);
    ASSERT_TRUE(remp->isVisible());
    const auto clic = [&](const char *nom) {
        auto *b = remp->findChild<QAbstractButton *>(QString::fromLatin1(nom));
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(std::min(8, b->width() / 2), b->height() / 2));
    };
    const auto choisit = [&](int ligne) {
        auto *lb = remp->findChild<QListWidget *>(u"lb"_s);
        QTest::mouseClick(lb->viewport(), Qt::LeftButton, {}, lb->visualItemRect(lb->item(ligne)).center());
    };
    const auto tape = [&](const char *nom, const QString &texte) {
        auto *e = remp->findChild<QLineEdit *>(QString::fromLatin1(nom));
        e->setFocus();
        QTest::keyClick(e, Qt::Key_A, Qt::ControlModifier);
        for (const QChar c : texte)
            QTest::sendKeyEvent(QTest::Click, e, Qt::Key_unknown, QString(c), Qt::NoModifier);
    };
    const auto compteDans = [&](const QString &valeur) {
        const TBKStringGrid *g = w.Rapport()->Grille();
        for (int r = 1; r < g->RowCount(); ++r)
            if (g->Cell(0, r) == valeur)
                return g->Cell(1, r).toInt();
        return 0;
    };

    clic("cbVoir");
    choisit(6);
    EXPECT_TRUE(w.findChild<QToolButton *>(u"SB_Rapport"_s)->isChecked());
    EXPECT_TRUE(w.Rapport()->isVisible());
    EXPECT_TRUE(w.Rapport()->windowTitle().startsWith(u"Liste des lieux ("_s));
    EXPECT_EQ(compteDans(lieu), lieux[lieu]);

    const QString corrige = lieu + u" (corrigé)"_s;
    clic("rb3");
    tape("e1", lieu.toLower());
    tape("e2", corrige);
    clic("bOk");
    EXPECT_EQ(compteDans(lieu), 0);
    EXPECT_EQ(compteDans(corrige), lieux[lieu]);
    EXPECT_TRUE(w.windowTitle().contains(u'*'));

    // The current person's surname: the record form shows the new one.
    choisit(0);
    tape("e1", bd.Surname(p));
    tape("e2", u"NOUVEAU"_s);
    clic("bOk");
    EXPECT_EQ(bd.Surname(p), u"NOUVEAU");
    EXPECT_EQ(w.Fiche()->findChild<QLineEdit *>(u"E_Nom"_s)->text(), u"NOUVEAU");
}

// A user builds a column model with a column of birth dates, saves it, shows
// every person with it, then runs two predefined reports; the task buttons
// show one panel of the options window at a time.
TEST_F(Shell, AColumnModelThenPredefinedReportsOnTheExample)
{
    TQuorWin &w = fenetreExemple();
    ASSERT_TRUE(QDir().mkpath(chemin("rapport")));
    DossierRapport = chemin("rapport/");
    ASSERT_TRUE(QFile::copy(QStringLiteral(LIGNEE_MODELE "/1/rapport/defaut.mvr"), DossierRapport + u"defaut.mvr"_s));
    TfmRapportCritere *options = w.RapportCritere();
    TBKStringGrid *grille = w.Rapport()->Grille();
    const auto bouton = [&](const char *nom) { return w.findChild<QToolButton *>(QLatin1String(nom)); };
    QTest::mouseClick(bouton("SB_Rapport"), Qt::LeftButton);
    ASSERT_EQ(grille->RowCount(), 36);

    QTest::mouseClick(bouton("sbRapCol"), Qt::LeftButton);
    ASSERT_TRUE(options->isVisible());
    EXPECT_EQ(options->PanneauCourant(), TfmRapportCritere::PanneauCol);
    QApplication::setActiveWindow(options);
    auto *sgCol = options->findChild<QTableWidget *>(u"sgCol"_s);
    const auto cellule = [&](int ligne, int col) {
        QTest::mouseClick(sgCol->viewport(), Qt::LeftButton, {}, sgCol->visualItemRect(sgCol->item(ligne, col)).center());
    };
    const auto tape = [&](int ligne, int col, const QString &texte) {
        cellule(ligne, col);
        QTest::keyClicks(sgCol, texte.left(1));
        QTest::keyClicks(QApplication::focusWidget(), texte.mid(1));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCoreApplication::processEvents();
    };
    cellule(2, 0);
    QTest::mouseClick(options->findChild<QToolButton *>(u"sbPlus"_s), Qt::LeftButton);
    tape(2, 0, u"Date de naissance"_s);
    tape(2, 1, u"<naissance>"_s);
    cellule(2, 2);
    QTest::keyClick(sgCol, 'd');
    auto *eFile = options->findChild<QLineEdit *>(u"eFile"_s);
    eFile->selectAll();
    QTest::keyClicks(eFile, u"naissances"_s);
    QTest::mouseClick(options->findChild<QToolButton *>(u"sbSauve"_s), Qt::LeftButton);
    EXPECT_TRUE(QFile::exists(DossierRapportUser + u"naissances.mvr"_s));
    EXPECT_FALSE(QFile::exists(DossierRapport + u"naissances.mvr"_s));

    QTest::mouseClick(bouton("sbRapAff"), Qt::LeftButton);
    EXPECT_FALSE(bouton("sbRapCol")->isChecked());
    EXPECT_EQ(options->PanneauCourant(), TfmRapportCritere::PanneauAff);
    auto *lbAfficher = options->findChild<QListWidget *>(u"lbAfficher"_s);
    QTest::mouseClick(lbAfficher->viewport(), Qt::LeftButton, {}, lbAfficher->visualItemRect(lbAfficher->item(0)).center());
    ASSERT_EQ(grille->ColCount(), 6);
    EXPECT_EQ(grille->Cell(2, 0), u"Date de naissance"_s);
    EXPECT_EQ(grille->ColSortType(2), 1);
    EXPECT_EQ(grille->Cell(2, 22), u"9/3/1896"_s);

    QTest::mouseClick(bouton("sbRapDef"), Qt::LeftButton);
    EXPECT_FALSE(bouton("sbRapAff")->isChecked());
    auto *lbDef = options->findChild<QListWidget *>(u"lbDef"_s);
    const auto rapport = [&](int r) {
        QTest::mouseClick(lbDef->viewport(), Qt::LeftButton, {}, lbDef->visualItemRect(lbDef->item(r)).center());
    };
    rapport(3);
    EXPECT_EQ(w.Rapport()->windowTitle(), u"Mariages consanguins sur 10 générations (1)"_s);
    ASSERT_EQ(grille->RowCount(), 2);
    QStringList ligne;
    for (int c = 0; c < grille->ColCount(); ++c)
        ligne << grille->Cell(c, 1);
    EXPECT_EQ(ligne, QStringList({u"LE GALL Albert"_s, u"DUVAL Lucie"_s, u"1908"_s, u"DUVAL Louis"_s, u"2"_s, u"2"_s}));
    rapport(6);
    EXPECT_EQ(w.Rapport()->windowTitle(), u"Doublons (0)"_s);

    // The report's Ok closes the window and raises its button.
    QTest::mouseClick(options->findChild<QPushButton *>(u"bDef"_s), Qt::LeftButton);
    EXPECT_FALSE(options->isVisible());
    EXPECT_FALSE(bouton("sbRapDef")->isChecked());
}

} // namespace
