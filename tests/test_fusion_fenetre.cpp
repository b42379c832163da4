// The verification, the navigator and the merge as a user reaches them in
// the main window, on the shipped example database.

#include "Langue.h"
#include "ProgrammeTest.h"
#include "ReponseModale.h"
#include "TAffArbre.h"
#include "TBKStringGrid.h"
#include "TFusion.h"
#include "TQuorWin.h"
#include "TfmOptions.h"
#include "TfmRapport.h"
#include "TfmRechFiche.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {

class FusionFenetre : public ProgrammeTest
{
protected:
    void SetUp() override
    {
        ProgrammeTest::SetUp();
        ASSERT_FALSE(HasFailure());
        m_fenetre = std::make_unique<TQuorWin>();
        m_fenetre->show();
        m_fenetre->Initialise({QStringLiteral(LIGNEE_MODELE "/exemples/exemple.mvd")});
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_fenetre.get()));
    }
    void TearDown() override
    {
        m_fenetre.reset();
        ProgrammeTest::TearDown();
    }

    TQuorWin &w() { return *m_fenetre; }
    TBD &bd() { return m_fenetre->Base(); }

    std::unique_ptr<TQuorWin> m_fenetre;
};

// Once the person search is open: the unique list of the persons whose
// surname begins with `nom`, a click on the line holding `date`, OK.
void ChoisitDansRecherche(TfmRechFiche *recherche, const QString &nom, const QString &date)
{
    auto *minuterie = new QTimer(recherche);
    QObject::connect(minuterie, &QTimer::timeout, recherche, [=] {
        if (!recherche->isVisible())
            return;
        minuterie->stop();
        minuterie->deleteLater();
        recherche->findChild<QRadioButton *>(u"rbListeUnique"_s)->click();
        recherche->findChild<QLineEdit *>(u"eCommence"_s)->setText(nom);
        auto *liste = recherche->findChild<QListView *>(u"LB_NomPre"_s);
        const QModelIndexList lignes =
            liste->model()->match(liste->model()->index(0, 0), Qt::DisplayRole, date, 1, Qt::MatchContains);
        EXPECT_EQ(lignes.size(), 1) << date.toStdString();
        if (lignes.size() != 1) {
            recherche->reject();
            return;
        }
        QTest::mouseClick(liste->viewport(), Qt::LeftButton, {}, liste->visualRect(lignes.first()).center());
        QTest::mouseClick(recherche->findChild<QPushButton *>(u"B_Ok"_s), Qt::LeftButton);
    });
    minuterie->start(10);
}

TEST_F(FusionFenetre, VerifyWalkAndMergeTheExample)
{
    // The options window's verification: asked, then nothing to repair.
    m_dialogues.Reponses = {ReponseOui};
    ReponseModale<TfmOptions> options([](TfmOptions &fenetre) {
        QTest::mouseClick(fenetre.findChild<QPushButton *>(u"Button6"_s), Qt::LeftButton);
        QTest::mouseClick(fenetre.findChild<QPushButton *>(u"bAnnuler"_s), Qt::LeftButton);
    });
    w().findChild<QAction *>(u"MI_Options"_s)->trigger();
    ASSERT_TRUE(options.Ouvert);
    EXPECT_EQ(m_dialogues.Messages.value(m_dialogues.Messages.size() - 2), MLText(7700));
    EXPECT_EQ(m_dialogues.Messages.last(), u"Aucun problème constaté.");
    EXPECT_EQ(BaseModifiee, 0);

    // The navigator from its button, up three generations with clicks.
    const int jacques = w().SelecPers();
    ASSERT_EQ(bd().FullName(jacques), u"LE GALL Jacques");
    auto *bouton = w().findChild<QToolButton *>(u"sbFicheArbre"_s);
    QTest::mouseClick(bouton, Qt::LeftButton);
    TfmFicheArbre *navigateur = w().FicheArbre();
    ASSERT_TRUE(navigateur->isVisible());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(navigateur));
    auto *lbPere = navigateur->findChild<QListWidget *>(u"lbPere"_s);
    auto *lbCentre = navigateur->findChild<QListWidget *>(u"lbCentre"_s);
    for (const char *nom : {"LE GALL René", "LE GALL Louis", "LE GALL Yves"}) {
        QTest::mouseClick(lbPere->viewport(), Qt::LeftButton, {}, lbPere->viewport()->rect().center());
        EXPECT_EQ(bd().FullName(w().SelecPers()), QString::fromUtf8(nom));
        EXPECT_EQ(lbCentre->item(0)->text(), bd().Surname(w().SelecPers()) + u' ' + bd().GivenNames(w().SelecPers()));
    }
    const int yves = w().SelecPers();

    // A second record of Louis, born "vers 1875", was made René's father.
    const int rene = bd().Father(jacques), louis = bd().Father(rene);
    const int double_ = bd().NewPerson();
    bd().SetSurname(double_, bd().Surname(louis));
    bd().SetGivenNames(double_, bd().GivenNames(louis));
    bd().SetBirthDate(double_, u"vers 1875"_s);
    bd().SetFather(rene, double_);
    w().SetSelecPers(jacques);
    w().ArbreModifie();
    // The tree is built once the events waiting are handled.
    QCoreApplication::processEvents();
    ASSERT_TRUE(w().Arbre()->ListeEcran().Contains(double_));

    // A report of every person, hidden during the merge.
    auto *boutonRapport = w().findChild<QToolButton *>(u"SB_Rapport"_s);
    boutonRapport->click();
    TBKStringGrid *grille = w().Rapport()->Grille();
    const auto ligneDe = [&](int p) {
        for (int r = 1; r < grille->RowCount(); ++r) {
            if (grille->GetRowData(r) == p)
                return r;
        }
        return 0;
    };
    ASSERT_EQ(grille->Cell(0, ligneDe(double_)), u"LE GALL"_s);
    boutonRapport->click();

    // Edit > "Fusionner deux fiches...": both chosen through the search.
    ReponseModale<TFusion> fusion([&](TFusion &fenetre) {
        ChoisitDansRecherche(w().FenetreRecherche(), u"LE GALL"_s, u"3/2/1875"_s);
        QTest::mouseClick(fenetre.findChild<QPushButton *>(u"SelectFiche1"_s), Qt::LeftButton);
        ChoisitDansRecherche(w().FenetreRecherche(), u"LE GALL"_s, u"vers 1875"_s);
        QTest::mouseClick(fenetre.findChild<QPushButton *>(u"SelectFiche2"_s), Qt::LeftButton);
        EXPECT_EQ(fenetre.Premier(), louis);
        EXPECT_EQ(fenetre.Second(), double_);
        QTest::mouseClick(fenetre.findChild<QPushButton *>(u"Fusionner"_s), Qt::LeftButton);
        QTest::mouseClick(fenetre.findChild<QPushButton *>(u"Annuler"_s), Qt::LeftButton);
    });
    QAction *commande = w().findChild<QAction *>(u"MI_Fusion"_s);
    ASSERT_NE(commande, nullptr);
    EXPECT_EQ(commande->text(), u"Fusionner deux fiches...");
    commande->trigger();
    ASSERT_TRUE(fusion.Ouvert);
    EXPECT_EQ(m_dialogues.Messages.last(), u"Fusion Terminée");
    // The tree is built again at once, without the merged record, and the
    // title says that the base is modified.
    QCoreApplication::processEvents();
    EXPECT_FALSE(w().Arbre()->ListeEcran().Contains(double_));
    EXPECT_TRUE(w().windowTitle().endsWith(u" *"_s)) << w().windowTitle().toStdString();

    // One Louis in the tree again, René's father, with his ancestors.
    EXPECT_EQ(w().SelecPers(), louis);
    EXPECT_EQ(bd().Father(rene), louis);
    EXPECT_EQ(bd().Surname(double_), u"(double à supprimer) LE GALL");
    // The report shows the merged records as they are now.
    EXPECT_EQ(grille->Cell(0, ligneDe(double_)), u"(double à supprimer) LE GALL");
    EXPECT_EQ(grille->RowCount(), bd().PersonCount() + 1);
    w().SetSelecPers(jacques);
    QCoreApplication::processEvents();
    const TR ecran = w().Arbre()->ListeEcran();
    EXPECT_TRUE(ecran.Contains(louis));
    EXPECT_TRUE(ecran.Contains(yves));
    EXPECT_FALSE(ecran.Contains(double_));
    EXPECT_EQ(lbCentre->item(0)->text(), u"LE GALL Jacques");
    EXPECT_EQ(BaseModifiee, 1);
}

} // namespace
