// The statistics window driven as the user drives it: the lists, the range
// edits, the period dialog, the graph's columns and the report hand-off.

#include <gtest/gtest.h>

#include <tuple>

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include "DialoguesScriptes.h"
#include "FamilleTest.h"
#include "Globales.h"
#include "Langue.h"
#include "Options.h"
#include "Parente.h"
#include "ReponseModale.h"
#include "Style.h"
#include "TBKStringGrid.h"
#include "TfmRapport.h"
#include "TfmStat.h"
#include "TfmStatDate.h"
#include "TxiloGraph.h"

using namespace Qt::StringLiterals;

namespace {

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

std::vector<int> personnes(const TR &liste)
{
    return {liste.begin(), liste.end()};
}

// The small family, with full birth and marriage dates: persons 4 and 5
// born in May, 6 in March; Jean (1) married twice in June.
struct Famille : FamilleTest {
    Famille()
    {
        bd.SetBirthDate(4, u"3/5/1926"_s);
        bd.SetBirthDate(5, u"12/5/1928"_s);
        bd.SetBirthDate(6, u"8/3/1942"_s);
        bd.SetField(1, PcDecesDate, u"2/1/1970"_s); // 70 years old
        bd.SetUnionField(1, UcMariageDate, u"6/6/1940"_s);
        bd.SetUnionField(2, UcMariageDate, u"14/6/1925"_s);
    }
};

class FenetreStat : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(ChargeLangue(QStringLiteral(LIGNEE_MODELE "/langue.txt"))); }

    void SetUp() override
    {
        DossierRapport = QStringLiteral(LIGNEE_MODELE "/1/rapport/");
        NomModeleDefaut = u"defaut"_s;
        DossierGenealogie = dossier.path() + u'/';
        StyleOptions().SetTexte(u".statgraph { background-color: #a9c8e8; }"_s);
        imprimante.setOutputFormat(QPrinter::PdfFormat);
        imprimante.setResolution(150);
        rapport = std::make_unique<TfmRapport>(famille.bd, hote);
        hote.Fenetre = rapport.get();
        stat = std::make_unique<TfmStat>(famille.bd, *rapport, reglages, [this]() -> QPrinter & { return imprimante; });
        cbVoir = stat->findChild<QComboBox *>(u"cbVoir"_s);
        cbPour = stat->findChild<QComboBox *>(u"cbPour"_s);
        eMin = stat->findChild<QLineEdit *>(u"eMin"_s);
        eMax = stat->findChild<QLineEdit *>(u"eMax"_s);
        ePas = stat->findChild<QLineEdit *>(u"ePas"_s);
        graph = stat->findChild<TxiloGraph *>(u"Graph"_s);
        ASSERT_TRUE(cbVoir && cbPour && eMin && eMax && ePas && graph);
    }
    void TearDown() override
    {
        stat.reset();
        rapport.reset();
    }

    void montre()
    {
        stat->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(stat.get()));
    }

    // Chooses an entry of a list the way the user does: opens it and clicks
    // the line.
    static void choisit(QComboBox *liste, int index)
    {
        liste->showPopup();
        QAbstractItemView *vue = liste->view();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(vue->window()));
        const QModelIndex ligne = vue->model()->index(index, 0);
        vue->scrollTo(ligne);
        QTest::mouseClick(vue->viewport(), Qt::LeftButton, {}, vue->visualRect(ligne).center());
    }

    // Types a text into an edit and presses Enter.
    static void saisit(QLineEdit *edit, const QString &texte)
    {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, texte);
        QTest::keyClick(edit, Qt::Key_Return);
    }

    // The centre of column col's bar as drawn on screen.
    QPoint barre(int col) const
    {
        for (const auto &b : graph->Geometrie(graph->rect(), graph->fontMetrics()).Barres) {
            if (b.Colonne == col)
                return b.Rect.center();
        }
        ADD_FAILURE() << "no bar " << col;
        return {};
    }

    QStringList valeurs() const { return graph->ValY(); }
    QString commentaire() const { return stat->findChild<QPlainTextEdit *>(u"M"_s)->toPlainText(); }

    QTemporaryDir dossier;
    TDialoguesScriptes dialogues;
    Famille famille;
    Hote hote;
    TReglagesStat reglages;
    QPrinter imprimante;
    std::unique_ptr<TfmRapport> rapport;
    std::unique_ptr<TfmStat> stat;
    QComboBox *cbVoir = nullptr;
    QComboBox *cbPour = nullptr;
    QLineEdit *eMin = nullptr;
    QLineEdit *eMax = nullptr;
    QLineEdit *ePas = nullptr;
    TxiloGraph *graph = nullptr;
};

// Whatever the settings hold, every showing starts from the years
// 1900..2000 and the ages 0..100, by tens.
TEST_F(FenetreStat, OpensOnTheAgeAtDeathOfEveryPersonWithTheUsualRanges)
{
    reglages.AgeMin = 20;
    reglages.AgeMax = 80;
    reglages.AgePas = 20;
    reglages.AnneeMin = 1900;
    reglages.AnneeMax = 2100;
    reglages.AnneePas = 10;
    montre();
    EXPECT_EQ(cbVoir->currentIndex(), StatAgeDeces);
    EXPECT_EQ(cbPour->currentIndex(), 0);
    EXPECT_EQ(personnes(stat->Source()), personnes(AllPersons(famille.bd)));
    EXPECT_TRUE(stat->findChild<QWidget *>(u"pMinMax"_s)->isVisible());
    EXPECT_TRUE(stat->findChild<QWidget *>(u"pPas"_s)->isVisible());
    EXPECT_EQ(QStringList({eMin->text(), eMax->text(), ePas->text()}), QStringList({u"0"_s, u"100"_s, u"10"_s}));
    EXPECT_EQ(graph->ValX().size(), 10);
    EXPECT_EQ(graph->ValX().first(), u"0+"_s);
    EXPECT_EQ(graph->ValX().last(), u"90+"_s);
    EXPECT_EQ(valeurs().value(7), u"1"_s);
    EXPECT_EQ(graph->ColorBar(), QColor(0xa9, 0xc8, 0xe8));
    EXPECT_TRUE(commentaire().contains(MLFormat(851, {u"70,00"_s})));
    EXPECT_EQ(std::tuple(reglages.AgeMin, reglages.AgeMax, reglages.AgePas), std::tuple(0, 100, 10));

    // A separator computes the men and women; the range edits go away.
    choisit(cbVoir, 2);
    EXPECT_EQ(cbVoir->currentIndex(), 0);
    EXPECT_EQ(valeurs(), QStringList({u"6"_s, u"6"_s}));
    EXPECT_FALSE(stat->findChild<QWidget *>(u"pMinMax"_s)->isVisible());

    // The year statistics show the year range: ten decades.
    choisit(cbVoir, StatNaissancesAnnee);
    EXPECT_EQ(QStringList({eMin->text(), eMax->text(), ePas->text()}), QStringList({u"1900"_s, u"2000"_s, u"10"_s}));
    EXPECT_EQ(graph->ValX().size(), 10);
    EXPECT_EQ(graph->ValX().last(), u"1990+"_s);
    EXPECT_EQ(valeurs().mid(0, 9), QStringList({u"2"_s, u"1"_s, u"2"_s, u"1"_s, u"1"_s, u"2"_s, u"0"_s, u"0"_s, u"1"_s}));
    EXPECT_EQ(std::tuple(reglages.AnneeMin, reglages.AnneeMax, reglages.AnneePas), std::tuple(1900, 2000, 10));

    // A range changed by the user lasts until the window is shown again.
    saisit(eMax, u"1950"_s);
    EXPECT_EQ(graph->ValX().size(), 5);
    stat->hide();
    montre();
    EXPECT_EQ(QStringList({eMin->text(), eMax->text(), ePas->text()}), QStringList({u"1900"_s, u"2000"_s, u"10"_s}));
    EXPECT_EQ(graph->ValX().size(), 10);
}

TEST_F(FenetreStat, RangeEditsAreReadCorrectedAndKeptInTheSettings)
{
    montre();
    struct Cas {
        QLineEdit *edit;
        const char *texte;
        const char *min, *max, *pas;
    };
    const Cas cas[] = {
        {eMax, "60", "0", "60", "10"},
        {ePas, "0", "0", "60", "1"},
        {eMin, "abc", "0", "60", "1"},
        {eMin, "90", "90", "91", "1"},
    };
    for (const Cas &c : cas) {
        SCOPED_TRACE(c.texte);
        saisit(c.edit, QString::fromUtf8(c.texte));
        EXPECT_EQ(QStringList({eMin->text(), eMax->text(), ePas->text()}),
                  QStringList({QString::fromUtf8(c.min), QString::fromUtf8(c.max), QString::fromUtf8(c.pas)}));
    }
    EXPECT_EQ(reglages.AgeMin, 90);
    EXPECT_EQ(reglages.AgeMax, 91);
    EXPECT_EQ(reglages.AgePas, 1);

    // Ages beyond column 500, then the usual range: only the new counts.
    saisit(eMin, u"0"_s);
    saisit(eMax, u"2000"_s);
    EXPECT_EQ(valeurs().size(), 2000);
    EXPECT_EQ(graph->ValX().first(), QString()); // too many columns for labels
    saisit(ePas, u"10"_s);
    saisit(eMax, u"100"_s);
    EXPECT_EQ(valeurs(), QStringList({u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"1"_s, u"0"_s, u"0"_s}));

    // A range that would need more than 2,001 columns is refused.
    saisit(ePas, u"1"_s);
    saisit(eMax, u"100000"_s);
    ASSERT_FALSE(dialogues.Messages.isEmpty());
    EXPECT_EQ(dialogues.Messages.last(), MLFormat(7900, {u"100000"_s, u"2001"_s}));
    EXPECT_EQ(QStringList({eMin->text(), eMax->text(), ePas->text()}), QStringList({u"0"_s, u"100"_s, u"1"_s}));
    EXPECT_EQ(valeurs().size(), 100);
    EXPECT_EQ(reglages.AgeMax, 100);
}

TEST_F(FenetreStat, ColumnClickPutsItsPersonsInTheReport)
{
    montre();
    choisit(cbVoir, StatNaissancesMois);
    EXPECT_EQ(valeurs().value(4), u"2");

    // Hovering shows the value.
    auto *lVal = stat->findChild<QLabel *>(u"lVal"_s);
    QTest::mouseMove(graph, barre(4));
    EXPECT_EQ(lVal->text(), MLText(856) + u" 2"_s);
    QTest::mouseMove(graph, QPoint(graph->width() - 2, 2));
    EXPECT_EQ(lVal->text(), QString());

    QTest::mouseClick(graph, Qt::LeftButton, {}, barre(4));
    EXPECT_EQ(stat->ColonneSelectionnee(), 4);
    EXPECT_TRUE(rapport->isVisible());
    EXPECT_EQ(personnes(rapport->Liste()), (std::vector<int>{4, 5}));
    EXPECT_EQ(rapport->Grille()->GetRowData(1), 4);
    EXPECT_EQ(rapport->windowTitle(), u"Répartition des naissances par mois : mai(2)=2");

    // A marriage counts once per union: Jean twice for June.
    choisit(cbVoir, StatMariagesMois);
    EXPECT_EQ(stat->ColonneSelectionnee(), -1);
    QTest::mouseClick(graph, Qt::LeftButton, {}, barre(5));
    EXPECT_EQ(personnes(rapport->Liste()), (std::vector<int>{1, 1, 2, 3}));
    EXPECT_EQ(rapport->Grille()->RowCount(), 5);
}

TEST_F(FenetreStat, BornBetweenAsksThePeriod)
{
    montre();
    choisit(cbVoir, 0);
    {
        ReponseModale<TfmStatDate> annule([](TfmStatDate &d) {
            EXPECT_EQ(d.Debut()->value(), 1000);
            EXPECT_EQ(d.Fin()->value(), 2100);
            QTest::mouseClick(d.findChild<QPushButton *>(u"bAnnuler"_s), Qt::LeftButton);
        });
        choisit(cbPour, 1);
        EXPECT_TRUE(annule.Ouvert);
    }
    EXPECT_EQ(cbPour->currentIndex(), 0);
    EXPECT_EQ(stat->Source().Count(), 12);
    auto *pMinMax = stat->findChild<QWidget *>(u"pMinMax"_s);
    auto *pPas = stat->findChild<QWidget *>(u"pPas"_s);
    EXPECT_FALSE(pMinMax->isVisible());

    {
        ReponseModale<TfmStatDate> periode([](TfmStatDate &d) {
            d.Debut()->setValue(1926);
            d.Fin()->setValue(1942);
            QTest::mouseClick(d.findChild<QPushButton *>(u"bOk"_s), Qt::LeftButton);
        });
        choisit(cbPour, 1);
        EXPECT_TRUE(periode.Ouvert);
    }
    EXPECT_EQ(cbPour->currentIndex(), 1);
    EXPECT_EQ(cbPour->itemText(1), MLFormat(857, {u"1926"_s, u"1942"_s}));
    // Born between dates, the minimum and maximum show for every statistic;
    // the step only for those with ranges.
    EXPECT_TRUE(pMinMax->isVisible());
    EXPECT_FALSE(pPas->isVisible());
    choisit(cbVoir, StatNaissancesJour);
    EXPECT_TRUE(pMinMax->isVisible());
    EXPECT_FALSE(pPas->isVisible());
    choisit(cbVoir, 0);
    // Shown whole, even in a narrow window.
    stat->resize(200, stat->height());
    QCoreApplication::processEvents();
    EXPECT_GT(cbPour->width(), cbPour->fontMetrics().horizontalAdvance(cbPour->itemText(1)) + 20);
    // Born in 1926, 1928, 1942 and 1935: both ends of the period count.
    EXPECT_EQ(personnes(stat->Source()), (std::vector<int>{4, 5, 6, 7}));
    EXPECT_EQ(valeurs(), QStringList({u"2"_s, u"2"_s}));
    EXPECT_EQ(reglages.DateMin, 1926);
    EXPECT_EQ(reglages.DateMax, 1942);

    // Shown again, the window keeps the period without asking.
    stat->hide();
    montre();
    EXPECT_EQ(personnes(stat->Source()), (std::vector<int>{4, 5, 6, 7}));
    EXPECT_TRUE(pMinMax->isVisible());
    choisit(cbPour, 0);
    EXPECT_FALSE(pMinMax->isVisible());
}

TEST_F(FenetreStat, AccordingToTheReportTakesOnlyItsPersons)
{
    montre();
    choisit(cbVoir, 0);
    // Nothing in the report: the message, then every person.
    choisit(cbPour, 2);
    EXPECT_EQ(dialogues.Messages.value(0), MLText(701));
    EXPECT_EQ(cbPour->currentIndex(), 0);

    // A table whose heading rows hold no person.
    TBKStringGrid *grille = rapport->Grille();
    ASSERT_TRUE(rapport->InitRapport());
    grille->Clear();
    grille->SetColCount(1);
    grille->SetRowCount(6);
    const int lignes[] = {0, 4, 0, 5, 6};
    for (int r = 1; r <= 5; ++r) {
        grille->SetCell(0, r, QString::number(lignes[r - 1]));
        grille->SetRowData(r, lignes[r - 1]);
    }
    rapport->FinRapport();
    choisit(cbPour, 2);
    EXPECT_EQ(cbPour->currentIndex(), 2);
    EXPECT_EQ(personnes(stat->Source()), (std::vector<int>{4, 5, 6}));
    EXPECT_EQ(cbPour->itemText(2), MLFormat(858, {u"3"_s}));
    EXPECT_EQ(valeurs(), QStringList({u"2"_s, u"1"_s}));

    // A person report: its first row is a person too, and so is its last.
    TR liste;
    for (const int p : {7, 4, 9})
        liste.Add(p);
    ASSERT_TRUE(rapport->AfficheListe(liste, u"Trois"_s));
    choisit(cbPour, 0);
    choisit(cbPour, 2);
    EXPECT_EQ(personnes(stat->Source()), (std::vector<int>{7, 4, 9}));
    EXPECT_EQ(cbPour->itemText(2), MLFormat(858, {u"3"_s}));

    // Another database: back to every person of it.
    famille.bd.ClearPerson(13);
    stat->BaseRechargee();
    EXPECT_EQ(cbPour->currentIndex(), 0);
    EXPECT_EQ(stat->Source().Count(), 11);
}

} // namespace
