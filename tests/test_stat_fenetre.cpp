// The statistics as a user reaches them in the main window, on the shipped
// example database: opened from their tab, births per month, age at death,
// a birth period, a column made a report, the window printed to a PDF file.

#include "BD.h"
#include "Langue.h"
#include "ProgrammeTest.h"
#include "ReponseModale.h"
#include "TQuorWin.h"
#include "TfmRapport.h"
#include "TfmStat.h"
#include "TfmStatDate.h"
#include "TxiloGraph.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QFile>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
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

    TQuorWin &w() { return *m_fenetre; }
    std::unique_ptr<TQuorWin> m_fenetre;
};

// Day, month and year of a full "d/m/y" date; nothing for anything else.
std::optional<QDate> dateComplete(const QString &texte)
{
    static const QRegularExpression forme(u"^(\\d{1,2})/(\\d{1,2})/(\\d{1,4})$"_s);
    const QRegularExpressionMatch m = forme.match(texte.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    return QDate(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
}

TEST_F(StatFenetre, LookNarrowReportAndPrintOnTheExample)
{
    const TBD &bd = w().Base();
    auto *pc = w().findChild<QTabWidget *>(u"PC"_s);
    pc->setCurrentWidget(w().findChild<QWidget *>(u"TS_Stat"_s));
    QTest::mouseClick(w().findChild<QToolButton *>(u"sbStat"_s), Qt::LeftButton);
    auto *stat = w().findChild<TfmStat *>();
    ASSERT_TRUE(stat);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(stat));
    auto *cbVoir = stat->findChild<QComboBox *>(u"cbVoir"_s);
    auto *cbPour = stat->findChild<QComboBox *>(u"cbPour"_s);
    TxiloGraph *graph = stat->Graph();

    // Births per month, counted here from the full dates and the month/year
    // ones.
    choisit(cbVoir, 12);
    std::vector<int> mois(12);
    int personnes = 0;
    for (int p = 1; p <= bd.PersonCount(); ++p) {
        if (!bd.PersonInUse(p))
            continue;
        ++personnes;
        const QStringList parties = bd.GetField(p, PcNaissanceDate).split(u'/');
        if (parties.size() >= 2 && parties[parties.size() - 2].toInt() >= 1)
            ++mois[parties[parties.size() - 2].toInt() - 1];
    }
    ASSERT_EQ(graph->ValY().size(), 12);
    for (int m = 0; m < 12; ++m)
        EXPECT_EQ(graph->ValY()[m].toInt(), mois[m]) << m;

    // Age at death of those whose birth and death are full dates.
    choisit(cbVoir, 7);
    std::vector<int> ages(10);
    for (int p = 1; p <= bd.PersonCount(); ++p) {
        const auto naissance = dateComplete(bd.GetField(p, PcNaissanceDate));
        const auto deces = dateComplete(bd.GetField(p, PcDecesDate));
        if (!bd.PersonInUse(p) || !naissance || !deces)
            continue;
        int age = deces->year() - naissance->year();
        if (std::pair(deces->month(), deces->day()) < std::pair(naissance->month(), naissance->day()))
            --age;
        if (age >= 0 && age < 100)
            ++ages[age / 10];
    }
    int pleines = 0;
    for (int k = 0; k < 10; ++k) {
        EXPECT_GE(graph->ValY()[k].toInt(), ages[k]) << k; // persons with partial dates add to some
        pleines += ages[k];
    }
    ASSERT_GT(pleines, 0);

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
    EXPECT_LT(nes, personnes);

    // The tallest column becomes a report of its persons.
    int colonne = 0;
    for (int k = 1; k < graph->ValY().size(); ++k) {
        if (graph->ValY()[k].toInt() > graph->ValY()[colonne].toInt())
            colonne = k;
    }
    const int valeur = graph->ValY()[colonne].toInt();
    ASSERT_GT(valeur, 0);
    QPoint centre;
    for (const auto &b : graph->Geometrie(graph->rect(), graph->fontMetrics()).Barres) {
        if (b.Colonne == colonne)
            centre = b.Rect.center();
    }
    QTest::mouseClick(graph, Qt::LeftButton, {}, centre);
    TfmRapport *rapport = w().Rapport();
    EXPECT_TRUE(rapport->isVisible());
    EXPECT_TRUE(w().findChild<QToolButton *>(u"SB_Rapport"_s)->isChecked());
    EXPECT_EQ(rapport->Liste().Count(), valeur);
    for (int p : rapport->Liste())
        EXPECT_TRUE(stat->Source().Contains(p)) << p;

    // Printed to a PDF file of one page.
    w().Imprimante().setOutputFormat(QPrinter::PdfFormat);
    const QString pdf = chemin("statistiques.pdf");
    m_dialogues.Fichiers = {pdf};
    QTest::mouseClick(w().findChild<QToolButton *>(u"sbStatImprime"_s), Qt::LeftButton);
    QFile fichier(pdf);
    ASSERT_TRUE(fichier.open(QIODevice::ReadOnly)) << m_dialogues.Messages.join(u'\n').toStdString();
    const QByteArray octets = fichier.readAll();
    EXPECT_EQ(octets.count("/Type /Page\n") + octets.count("/Type /Page "), 1);
    EXPECT_GT(octets.size(), 10000);

    // Closing the window puts its button up.
    stat->close();
    EXPECT_FALSE(w().findChild<QToolButton *>(u"sbStat"_s)->isChecked());
}

} // namespace
