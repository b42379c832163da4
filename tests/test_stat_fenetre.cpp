// The statistics as a user reaches them in the main window, on the shipped
// example database: opened from their tab, births per month, age at death
// as a table, a birth period, a column made a report, the window printed
// to a PDF file, the window closed.

#include "BD.h"
#include "Langue.h"
#include "ProgrammeTest.h"
#include "ReponseModale.h"
#include "TBKStringGrid.h"
#include "TQuorWin.h"
#include "TfmRapport.h"
#include "TfmStat.h"
#include "TfmStatDate.h"
#include "TxiloGraph.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {

class StatFenetre : public ProgrammeTest
{
protected:
    void SetUp() override
    {
        ProgrammeTest::SetUp();
        ASSERT_FALSE(HasFailure());
        ReglagesStat() = TReglagesStat();
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

    static void choisit(QComboBox *liste, int index)
    {
        liste->showPopup();
        QAbstractItemView *vue = liste->view();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(vue->window()));
        const QModelIndex ligne = vue->model()->index(index, 0);
        vue->scrollTo(ligne);
        QTest::mouseClick(vue->viewport(), Qt::LeftButton, {}, vue->visualRect(ligne).center());
    }
    QToolButton *bouton(const char *nom) { return w().findChild<QToolButton *>(QString::fromLatin1(nom)); }

    TQuorWin &w() { return *m_fenetre; }
    std::unique_ptr<TQuorWin> m_fenetre;
};

int somme(const QStringList &valeurs)
{
    int s = 0;
    for (const QString &v : valeurs)
        s += v.toInt();
    return s;
}

TEST_F(StatFenetre, LookNarrowReportAndPrintOnTheExample)
{
    const TBD &bd = w().Base();
    // The main window's page control (the record form has one of that name).
    auto *pc = w().centralWidget()->findChild<QTabWidget *>(u"PC"_s);
    ASSERT_TRUE(pc);
    pc->setCurrentWidget(w().findChild<QWidget *>(u"TS_Stat"_s));
    ASSERT_EQ(pc->currentWidget()->objectName(), u"TS_Stat");
    EXPECT_FALSE(bouton("sbStatImprime")->isEnabled());
    QTest::mouseClick(bouton("sbStat"), Qt::LeftButton);
    auto *stat = w().findChild<TfmStat *>();
    ASSERT_TRUE(stat);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(stat));
    auto *cbVoir = stat->findChild<QComboBox *>(u"cbVoir"_s);
    auto *cbPour = stat->findChild<QComboBox *>(u"cbPour"_s);
    TxiloGraph *graph = stat->Graph();

    // Births per month: every birth date with a month, counted here.
    choisit(cbVoir, 12);
    int avecMois = 0;
    for (int p = 1; p <= bd.PersonCount(); ++p)
        avecMois += bd.PersonInUse(p) && bd.GetField(p, PcNaissanceDate).count(u'/') >= 1;
    EXPECT_EQ(graph->ValY().size(), 12);
    EXPECT_EQ(somme(graph->ValY()), avecMois);

    // Age at death, its columns as a table in the report.
    choisit(cbVoir, 7);
    QTest::mouseClick(bouton("sbStatRapport"), Qt::LeftButton);
    TfmRapport *rapport = w().Rapport();
    const TBKStringGrid *grille = rapport->Grille();
    EXPECT_TRUE(rapport->isVisible());
    EXPECT_TRUE(bouton("SB_Rapport")->isChecked());
    EXPECT_EQ(rapport->windowTitle(), u"Âge au décès");
    ASSERT_EQ(grille->ColCount(), 2);
    ASSERT_EQ(grille->RowCount(), 11);
    EXPECT_EQ(grille->Cell(0, 0), MLText(859));
    EXPECT_EQ(grille->Cell(1, 0), MLText(860));
    for (int r = 1; r <= 10; ++r) {
        EXPECT_EQ(grille->Cell(0, r), graph->ValX()[r - 1]);
        EXPECT_EQ(grille->Cell(1, r), graph->ValY()[r - 1]);
        EXPECT_EQ(grille->GetRowData(r), 0);
    }

    // Narrowed to those born between 1800 and 1900.
    ReponseModale<TfmStatDate> periode([](TfmStatDate &d) {
        d.Debut()->setValue(1800);
        d.Fin()->setValue(1900);
        QTest::mouseClick(d.findChild<QPushButton *>(u"bOk"_s), Qt::LeftButton);
    });
    choisit(cbPour, 1);
    ASSERT_TRUE(periode.Ouvert);
    int nes = 0;
    for (int p = 1; p <= bd.PersonCount(); ++p) {
        const int annee = bd.GetField(p, PcNaissanceDate).section(u'/', -1).section(u' ', -1).toInt();
        nes += bd.PersonInUse(p) && annee >= 1800 && annee <= 1900;
    }
    EXPECT_EQ(stat->Source().Count(), nes);

    // The tallest column becomes a report of its persons.
    int colonne = 0;
    for (int k = 1; k < graph->ValY().size(); ++k) {
        if (graph->ValY()[k].toInt() > graph->ValY()[colonne].toInt())
            colonne = k;
    }
    QPoint centre;
    for (const auto &b : graph->Geometrie(graph->rect(), graph->fontMetrics()).Barres) {
        if (b.Colonne == colonne)
            centre = b.Rect.center();
    }
    QTest::mouseClick(graph, Qt::LeftButton, {}, centre);
    EXPECT_EQ(rapport->Liste().Count(), graph->ValY()[colonne].toInt());
    EXPECT_GT(rapport->Liste().Count(), 0);
    for (int p : rapport->Liste())
        EXPECT_TRUE(stat->Source().Contains(p)) << p;

    // Printed to a PDF file of one page, far from blank; a cancelled file
    // dialog prints nothing.
    QPrinter &imprimante = w().Imprimante();
    imprimante.setOutputFormat(QPrinter::PdfFormat);
    imprimante.setOutputFileName(chemin("blanc.pdf"));
    QPainter(&imprimante).end();
    m_dialogues.Fichiers = {chemin("statistiques")};
    QTest::mouseClick(bouton("sbStatImprime"), Qt::LeftButton);
    QFile fichier(chemin("statistiques.pdf"));
    ASSERT_TRUE(fichier.open(QIODevice::ReadOnly)) << m_dialogues.Messages.join(u'\n').toStdString();
    const QByteArray octets = fichier.readAll();
    EXPECT_EQ(octets.count("/Type /Page\n") + octets.count("/Type /Page "), 1);
    EXPECT_GT(octets.size(), QFile(chemin("blanc.pdf")).size() + 2000);
    // Nothing comes out of a printer: the status line says where it went.
    EXPECT_EQ(w().statusBar()->currentMessage(),
              u"Les statistiques ont été enregistrées dans "_s + chemin("statistiques.pdf") + u'.');
    EXPECT_FALSE(stat->Imprime());
    // A pipe under the chosen name would wait for a reader for ever: it is
    // refused with a message.
    ASSERT_EQ(::mkfifo(QFile::encodeName(chemin("tube.pdf")).constData(), 0600), 0);
    m_dialogues.Fichiers = {chemin("tube.pdf")};
    m_dialogues.Messages.clear();
    EXPECT_FALSE(stat->Imprime());
    EXPECT_EQ(m_dialogues.Messages.size(), 1);

    // The button up hides the window; the window closed puts it up and
    // brings back the main page.
    QTest::mouseClick(bouton("sbStat"), Qt::LeftButton);
    EXPECT_FALSE(stat->isVisible());
    QTest::mouseClick(bouton("sbStat"), Qt::LeftButton);
    EXPECT_TRUE(stat->isVisible());
    stat->close();
    EXPECT_FALSE(bouton("sbStat")->isChecked());
    EXPECT_FALSE(bouton("sbStatImprime")->isEnabled());
    EXPECT_EQ(pc->currentWidget()->objectName(), u"TS_Afficher");
}

} // namespace
