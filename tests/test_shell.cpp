#include "Chemins.h"
#include "ProgrammeTest.h"
#include "Demarrage.h"
#include "DialoguesScriptes.h"
#include "Globales.h"
#include "Ini.h"
#include "Options.h"
#include "TPage.h"
#include "Look.h"
#include "TBKStringGrid.h"
#include "TQuorWin.h"
#include "Langue.h"
#include "TfmAjoute.h"
#include "TfmRechFiche.h"
#include "TfmSupprime.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTest>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>
#include <QTemporaryDir>

namespace {

class Shell : public ProgrammeTest
{
protected:
    // A small database: a couple and their child.
    static void remplit(TBD &bd)
    {
        const int pere = bd.NewPerson();
        bd.SetSurname(pere, QStringLiteral("MARTIN"));
        bd.SetGivenNames(pere, QStringLiteral("Jean"));
        bd.SetBirthDate(pere, QStringLiteral("1/2/1900"));
        const int mere = bd.NewPerson();
        bd.SetSex(mere, SexeFemme);
        bd.SetSurname(mere, QStringLiteral("DURAND"));
        const int enfant = bd.NewPerson();
        bd.SetSurname(enfant, QStringLiteral("MARTIN"));
        bd.SetGivenNames(enfant, QStringLiteral("Élise"));
        bd.SetFather(enfant, pere);
        bd.SetMother(enfant, mere);
        bd.SetUnionField(bd.NewUnionOf(pere, mere), UcMariageDate, QStringLiteral("1925"));
    }

};

TEST(Demarrage, AMissingLanguageFileStopsTheProgram)
{
    QTemporaryDir tmp;
    TDialoguesScriptes dialogues;
    SetRepModele(tmp.path());
    EXPECT_FALSE(PrepareDemarrage(tmp.path()));
    ASSERT_EQ(dialogues.Messages.size(), 1);
    EXPECT_EQ(dialogues.Messages[0], QStringLiteral("Not Found : ") + tmp.path() + QStringLiteral("/langue.txt"));

    // The language file alone is not enough.
    QFile::copy(QStringLiteral(LIGNEE_MODELE "/langue.txt"), tmp.path() + QStringLiteral("/langue.txt"));
    EXPECT_FALSE(PrepareDemarrage(tmp.path()));
    EXPECT_EQ(dialogues.Messages.last(), QStringLiteral("Not Found : ") + tmp.path() + QStringLiteral("/langue.ini"));
    SetRepModele(QString());
}

TEST_F(Shell, NewDatabaseSavedAndOpenedAgain)
{
    TQuorWin w;
    w.Initialise({});
    EXPECT_EQ(w.Base().PersonCount(), 0);
    EXPECT_EQ(w.SelecPers(), 0);

    remplit(w.Base());
    RefPers = 3;
    BaseModifiee = 1;
    m_dialogues.Fichiers.push_back(chemin("famille"));
    ASSERT_TRUE(w.Enregistrer());
    EXPECT_EQ(FichierCourant, chemin("famille.mvd"));
    EXPECT_EQ(BaseModifiee, 0);
    EXPECT_TRUE(w.windowTitle().contains(QStringLiteral("famille.mvd")));

    // The second save keeps the first file as ".old".
    w.Base().SetGivenNames(1, QStringLiteral("Jean-Pierre"));
    ASSERT_TRUE(w.Enregistrer());
    EXPECT_TRUE(QFileInfo::exists(chemin("famille.old")));

    ASSERT_TRUE(w.Nouveau());
    EXPECT_EQ(w.Base().PersonCount(), 0);
    ASSERT_TRUE(w.Charge(chemin("famille.mvd")));
    const TBD &bd = w.Base();
    EXPECT_EQ(bd.PersonCount(), 3);
    EXPECT_EQ(bd.GivenNames(1), u"Jean-Pierre");
    EXPECT_EQ(bd.BirthDate(1), u"1/2/1900");
    EXPECT_EQ(bd.Sex(2), SexeFemme);
    EXPECT_EQ(bd.Father(3), 1);
    EXPECT_EQ(bd.Mother(3), 2);
    EXPECT_EQ(bd.MarriageDate(1), u"1925");
    EXPECT_EQ(RefPers, 3);
    EXPECT_EQ(w.SelecPers(), 3);
    EXPECT_TRUE(m_dialogues.Messages.isEmpty()) << m_dialogues.Messages.join(QLatin1Char('|')).toStdString();
}

TEST_F(Shell, SaveQuestionOnAModifiedDatabase)
{
    TQuorWin w;
    w.Initialise({});
    remplit(w.Base());
    BaseModifiee = 1;

    // Cancel: nothing happens.
    m_dialogues.Reponses = {ReponseAnnuler};
    EXPECT_FALSE(w.Nouveau());
    EXPECT_EQ(w.Base().PersonCount(), 3);
    EXPECT_EQ(m_dialogues.Messages.size(), 1);

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
    TQuorWin w;
    w.Initialise({});
    remplit(w.Base());
    m_dialogues.Fichiers = {chemin("bonne.mvd")};
    ASSERT_TRUE(w.EnregistrerSous());

    QFile f(chemin("abimee.mvd"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("LIGNEEDB\x01\x00\x00\x00 pas une base");
    f.close();
    EXPECT_FALSE(w.Charge(chemin("abimee.mvd")));
    ASSERT_EQ(m_dialogues.Messages.size(), 1);
    EXPECT_TRUE(m_dialogues.Messages[0].contains(QStringLiteral("abimee.mvd")));
    EXPECT_EQ(w.Base().PersonCount(), 3);
    EXPECT_EQ(w.Base().Surname(2), u"DURAND");
    EXPECT_EQ(FichierCourant, chemin("bonne.mvd"));

    EXPECT_FALSE(w.Charge(chemin("absente.mvd")));
    EXPECT_EQ(m_dialogues.Messages.size(), 2);
    EXPECT_EQ(w.Base().PersonCount(), 3);
}

TEST_F(Shell, StartUpOpensTheNamedFileElseTheLastOne)
{
    {
        TQuorWin w;
        w.Initialise({});
        remplit(w.Base());
        m_dialogues.Fichiers = {chemin("derniere.mvd")};
        ASSERT_TRUE(w.EnregistrerSous());
        w.close();
    }
    EXPECT_EQ(TIniFile(DossierParamUser + QStringLiteral("gene.ini")).ReadString(QStringLiteral("gene"), QStringLiteral("DernierFichier")),
              chemin("derniere.mvd"));

    Reglages() = TReglages();
    FichierCourant.clear();
    // A missing file named on the command line is reported, then the last
    // file used opens.
    TQuorWin w;
    w.Initialise({chemin("absente.mvd")});
    EXPECT_EQ(m_dialogues.Messages.size(), 1);
    EXPECT_EQ(FichierCourant, chemin("derniere.mvd"));
    EXPECT_EQ(w.Base().PersonCount(), 3);
}

TEST_F(Shell, TheExitHandlersRunBeforeTheViewsAreTold)
{
    TQuorWin w;
    w.Initialise({});
    remplit(w.Base());
    QStringList ordre;
    w.AjouteSortieFiche([&] { ordre << QStringLiteral("sortie:%1").arg(w.SelecPers()); });
    QObject::connect(&w, &TQuorWin::SelecPersChangee, [&](int p) { ordre << QStringLiteral("vue:%1").arg(p); });
    w.SetSelecPers(2);
    EXPECT_EQ(ordre, (QStringList{QStringLiteral("sortie:0"), QStringLiteral("vue:2")}));
    EXPECT_TRUE(w.findChild<QLabel *>(QStringLiteral("lStatut"))->text().contains(QStringLiteral("DURAND")));
    // A person not in use makes nobody current.
    w.SetSelecPers(99);
    EXPECT_EQ(w.SelecPers(), 0);
}

TEST_F(Shell, HistoryOfCurrentPersons)
{
    TQuorWin w;
    w.Initialise({});
    remplit(w.Base());
    w.SetSelecPers(1);
    w.SetSelecPers(2);
    w.SetSelecPers(3);
    EXPECT_TRUE(w.Precedent());
    EXPECT_EQ(w.SelecPers(), 2);
    EXPECT_TRUE(w.Precedent());
    EXPECT_EQ(w.SelecPers(), 1);
    EXPECT_FALSE(w.Precedent());
    EXPECT_TRUE(w.Suivant());
    EXPECT_EQ(w.SelecPers(), 2);
    // A new choice drops the forward part; deleted persons are skipped.
    w.SetSelecPers(1);
    EXPECT_FALSE(w.Suivant());
    w.Base().DeletePerson(2);
    EXPECT_TRUE(w.Precedent());
    EXPECT_EQ(w.SelecPers(), 1);
    EXPECT_EQ(w.Base().PersonInUse(2), false);
}

TEST_F(Shell, OnlyCommandKeysReachTheShortcuts)
{
    TQuorWin w;
    w.Initialise({});
    remplit(w.Base());
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

TEST_F(Shell, ClosingWritesTheSettingsAndTheUsageCounters)
{
    Reglages().PrintMargeH = 7;
    Reglages().PrintMargeG = 3;
    {
        TQuorWin w;
        w.Initialise({});
        // The print page holds the print settings while the program runs.
        EXPECT_EQ(w.Page()->PrintMargeH, 7);
        w.Page()->PrintMargeH = 12;
        EXPECT_TRUE(w.close());
    }
    const TIniFile gene(DossierParamUser + QStringLiteral("gene.ini"));
    EXPECT_EQ(gene.ReadInteger(QStringLiteral("gene"), QStringLiteral("PrintMargeH")), 12);
    const TIniFile stats(DossierParamUser + QStringLiteral("stats.sta"));
    EXPECT_EQ(stats.ReadInteger(QStringLiteral("Stats"), QStringLiteral("Sessions")), 1);

    // A modified database whose save question is cancelled keeps the window open.
    TQuorWin w;
    w.Initialise({});
    BaseModifiee = 1;
    m_dialogues.Reponses = {ReponseAnnuler};
    EXPECT_FALSE(w.close());
    BaseModifiee = 0;
}

TEST_F(Shell, TipsShownOnceAreRememberedAcrossSessions)
{
    AfficheAstuceUneFois(8);
    AfficheAstuceUneFois(8);
    AfficheAstuce(1);
    EXPECT_EQ(m_dialogues.Astuces, (QList<int>{8, 1}));
    EXPECT_TRUE(m_dialogues.Messages[0].startsWith(QStringLiteral("Un double clic")));
    {
        TQuorWin w;
        w.Initialise({});
        w.close();
    }
    Reglages() = TReglages();
    TQuorWin w;
    w.Initialise({});
    AfficheAstuceUneFois(8);
    AfficheAstuceUneFois(2);
    EXPECT_EQ(m_dialogues.Astuces, (QList<int>{8, 1, 2}));
}

TEST_F(Shell, TheReportWindowFromTheReportButton)
{
    TQuorWin w;
    w.show();
    w.Initialise({QStringLiteral(LIGNEE_MODELE "/exemples/exemple.mvd")});
    auto *bouton = w.findChild<QToolButton *>(QStringLiteral("SB_Rapport"));
    ASSERT_TRUE(bouton->isEnabled());
    bouton->click();
    ASSERT_TRUE(w.Rapport()->isVisible());
    // The first showing lists every person with the default model.
    TBKStringGrid *grille = w.Rapport()->Grille();
    EXPECT_EQ(grille->RowCount(), w.Base().PersonCount() + 1);
    EXPECT_EQ(grille->ColCount(), 5);
    EXPECT_EQ(grille->Cell(0, 0), u"Nom");

    // A row opens its person in the record form.
    const int p = grille->GetRowData(3);
    emit grille->RowClicked(3);
    EXPECT_EQ(w.SelecPers(), p);
    EXPECT_TRUE(w.Fiche()->isVisible());

    // The export asks for a file and its type, then says it is done.
    m_dialogues.Fichiers = {chemin("rapport.csv")};
    m_dialogues.TypeFichier = 1;
    ASSERT_TRUE(w.ExporteRapport());
    QFile f(chemin("rapport.csv"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readLine().startsWith("Nom,Pr\xE9noms,"));
    EXPECT_EQ(m_dialogues.Messages.last(), MLText(531));

    // The button follows the window.
    w.Rapport()->hide();
    EXPECT_FALSE(bouton->isChecked());
    // An export to a folder that does not exist is reported, not announced.
    m_dialogues.Fichiers = {chemin("absent/rapport.csv")};
    EXPECT_FALSE(w.ExporteRapport());
    EXPECT_NE(m_dialogues.Messages.last(), MLText(531));
}

// Runs `action` once the modal window `fenetre` is shown.
template <typename F>
void QuandVisible(QWidget *fenetre, F action)
{
    auto *minuterie = new QTimer(fenetre);
    QObject::connect(minuterie, &QTimer::timeout, fenetre, [=] {
        if (!fenetre->isVisible())
            return;
        minuterie->stop();
        minuterie->deleteLater();
        action();
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
    QuandVisible(recherche, [recherche] {
        auto *commence = recherche->findChild<QLineEdit *>(QStringLiteral("eCommence"));
        commence->setText(QStringLiteral("DUR"));
        recherche->findChild<QPushButton *>(QStringLiteral("B_Ok"))->click();
    });
    w.findChild<QToolButton *>(QStringLiteral("SB_RechFiche"))->click();
    EXPECT_EQ(w.SelecPers(), 2);
    EXPECT_FALSE(recherche->isVisible());

    // The reference button moves the tree's reference as well.
    QuandVisible(recherche, [recherche] {
        recherche->findChild<QLineEdit *>(QStringLiteral("eCommence"))->setText(QStringLiteral("MAR"));
        recherche->findChild<QPushButton *>(QStringLiteral("B_Ok"))->click();
    });
    w.findChild<QToolButton *>(QStringLiteral("SB_Reference"))->click();
    EXPECT_EQ(RefPers, w.SelecPers());
    EXPECT_EQ(w.Base().Surname(RefPers), u"MARTIN");

    // The box menu's "Ajouter...": a mother for the child's mother.
    ::Options().AjoutePers = false;
    w.SetSelecPers(2);
    TfmAjoute *ajoute = w.FenetreAjoute();
    QuandVisible(ajoute, [ajoute] {
        ajoute->findChild<QRadioButton *>(QStringLiteral("RB_Mere"))->setChecked(true);
        ajoute->findChild<QPushButton *>(QStringLiteral("B_Ok"))->click();
    });
    w.MenuBoite()->findChild<QAction *>(QStringLiteral("MI_BoiteAjoute"))->trigger();
    const int mere = w.Base().Mother(2);
    ASSERT_TRUE(w.Base().PersonInUse(mere));
    EXPECT_EQ(w.SelecPers(), mere);
    EXPECT_TRUE(w.Fiche()->isVisible());
    EXPECT_EQ(w.Fiche()->windowTitle(), MLText(305) + u' ' + w.Base().FullName(2));
    EXPECT_EQ(BaseModifiee, 1);
}

TEST_F(Shell, TheDeleteWindowOpensOnceAndRemovesAroundTheCurrentPerson)
{
    TQuorWin w;
    w.show();
    remplit(w.Base());
    RefPers = 3;
    w.SetSelecPers(3);
    auto *bouton = w.findChild<QToolButton *>(QStringLiteral("sbSupprime"));
    bouton->click();
    QPointer<TfmSupprime> fenetre = w.FenetreSupprime();
    ASSERT_TRUE(fenetre);
    EXPECT_TRUE(bouton->isChecked());
    // A second opening does nothing.
    w.MenuBoite()->findChild<QAction *>(QStringLiteral("MI_BoiteSupprime"))->trigger();
    EXPECT_EQ(w.FenetreSupprime(), fenetre);
    // Only the current person: the child goes, the father becomes current
    // and the reference.
    fenetre->findChild<QPushButton *>(QStringLiteral("B_Ok"))->click();
    EXPECT_FALSE(w.Base().PersonInUse(3));
    EXPECT_EQ(w.SelecPers(), 1);
    EXPECT_EQ(RefPers, 1);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(fenetre.isNull());
    EXPECT_FALSE(bouton->isChecked());
}

TEST_F(Shell, TreePageCommandsAndPrintingToPdfWithoutAPrinter)
{
    TQuorWin w;
    w.show();
    w.Initialise({QStringLiteral(LIGNEE_MODELE "/exemples/exemple.mvd")});
    w.Arbre()->Execute();
    TPage *page = w.Page();
    // The page view shows the frames of the pages the tree covers.
    auto *voirPage = w.findChild<QToolButton *>(QStringLiteral("sbVoirPage"));
    voirPage->click();
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
    auto *zoom = w.findChild<QToolButton *>(QStringLiteral("sbZoomPage"));
    auto *croise = w.findChild<QToolButton *>(QStringLiteral("sbCroisePage"));
    QTest::mouseClick(zoom, Qt::RightButton, {}, QPoint(5, 2));
    EXPECT_EQ(page->PrintZoom, 300);
    QTest::mouseClick(croise, Qt::RightButton, {}, QPoint(5, croise->height() - 2));
    QTest::mouseClick(croise, Qt::RightButton, {}, QPoint(5, croise->height() - 2));
    EXPECT_EQ(page->PrintCroise, 0);

    // Without a printer the tree goes to a PDF file the user names, one
    // sheet per page of the grid.
    page->PrintZoomAuto = true;
    m_dialogues.Fichiers = {chemin("arbre")};
    ASSERT_TRUE(w.sbArbreImprimeClick());
    QFile pdf(chemin("arbre.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray contenu = pdf.readAll();
    EXPECT_TRUE(contenu.startsWith("%PDF"));
    // The automatic fit puts the whole tree on one sheet.
    const auto pages = QRegularExpression(QStringLiteral("/Count (\\d+)")).match(QString::fromLatin1(contenu));
    ASSERT_TRUE(pages.hasMatch());
    EXPECT_EQ(pages.captured(1), u"1");

    // A cancelled file dialog prints nothing.
    EXPECT_FALSE(w.sbArbreImprimeClick());
}

TEST_F(Shell, TreeSettingDialogsRebuildAfterOk)
{
    TQuorWin w;
    w.show();
    w.Initialise({QStringLiteral(LIGNEE_MODELE "/exemples/exemple.mvd")});
    w.Arbre()->Execute();
    int constructions = 0;
    QObject::connect(w.Arbre(), &TAffArbre::Construit, [&constructions] { ++constructions; });
    const int generations = Looks[1].NbreGen;
    // "Génération": OK stores the counts and the tree is built again.
    QTimer::singleShot(0, [] {
        auto *dialogue = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialogue, nullptr);
        auto *asc = dialogue->findChild<QSpinBox *>(QStringLiteral("SE_Asc"));
        asc->setValue(asc->value() + 1);
        dialogue->findChild<QPushButton *>(QStringLiteral("B_Ok"))->click();
    });
    w.findChild<QToolButton *>(QStringLiteral("sbArbreNbreGen"))->click();
    EXPECT_EQ(Looks[1].NbreGen, generations + 1);
    QApplication::processEvents();
    EXPECT_EQ(constructions, 1);
}

} // namespace
