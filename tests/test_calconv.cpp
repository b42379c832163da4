// The calendar converter driven as a user drives it: typed dates and Julian
// days, the Republican lists, OK and Cancel.

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "ReponseModale.h"
#include "TfmCalConv.h"

using namespace Qt::StringLiterals;

namespace {

std::string S(const QString &s) { return s.toStdString(); }

// The converter shown on a date, with its controls.
struct Convertisseur {
    explicit Convertisseur(const QString &date)
        : f(date)
    {
        f.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&f));
        f.activateWindow();
    }
    template <typename T>
    T *c(const char *nom) { return f.findChild<T *>(QString::fromLatin1(nom)); }
    QLineEdit *greg() { return c<QLineEdit>("eGreg"); }
    QLineEdit *jul() { return c<QLineEdit>("eJul"); }
    QComboBox *j() { return c<QComboBox>("cbRepJ"); }
    QComboBox *m() { return c<QComboBox>("cbRepM"); }
    QComboBox *a() { return c<QComboBox>("cbRepA"); }
    QString semaine() { return c<QLabel>("lSem")->text(); }
    QString republicain() { return j()->currentText() + u' ' + m()->currentText() + u' ' + a()->currentText(); }

    // Replaces the text of an edit as typed, then leaves it with Tab.
    void tape(QLineEdit *e, const QString &texte)
    {
        e->setFocus();
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Delete);
        QTest::keyClicks(e, texte);
        QTest::keyClick(e, Qt::Key_Tab);
    }
    // Chooses an entry of a list through its popup, as with the mouse.
    static void choisit(QComboBox *liste, const QString &texte)
    {
        const int index = liste->findText(texte);
        ASSERT_GE(index, 0) << S(texte);
        liste->showPopup();
        QAbstractItemView *vue = liste->view();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(vue->window()));
        const QModelIndex ligne = vue->model()->index(index, 0);
        vue->scrollTo(ligne);
        // A narrow popup shows its items wider than itself: aim within it.
        const QRect r = vue->visualRect(ligne);
        QTest::mouseClick(vue->viewport(), Qt::LeftButton, {}, QPoint(vue->viewport()->width() / 2, r.center().y()));
    }

    TfmCalConv f;
};

} // namespace

TEST(CalConv, OpensOnADateInTheThreeCalendars)
{
    const struct { QString date, jul, semaine, republicain; } cas[] = {
        {u"9/11/1799"_s, u"2378443,50"_s, u"samedi"_s, u"18 Brumaire 8"_s},
        {u"22/9/1792"_s, u"2375839,50"_s, u"samedi"_s, u"1 Vendémiaire 1"_s},
        {u"27/7/1794"_s, u"2376512,50"_s, u"dimanche"_s, u"9 Thermidor 2"_s},
        {u"31/12/1805"_s, u"2380686,50"_s, u"mardi"_s, u"10 Nivôse 14"_s},
        // Outside the Republican calendar the lists have no selection; the
        // Julian day is still there.
        {u"1/1/2000"_s, u"2451544,50"_s, u"samedi"_s, u"  "_s},
        {u"4/10/1582"_s, u"2299159,50"_s, u"jeudi"_s, u"  "_s},
        // No day: nothing but the text.
        {u"31/2/1800"_s, QString(), QString(), u"  "_s},
        {u""_s, QString(), QString(), u"  "_s},
    };
    for (const auto &c : cas) {
        Convertisseur v(c.date);
        EXPECT_EQ(v.greg()->text(), c.date);
        EXPECT_EQ(v.jul()->text(), c.jul) << S(c.date);
        EXPECT_EQ(v.semaine(), c.semaine) << S(c.date);
        EXPECT_EQ(v.republicain(), c.republicain) << S(c.date);
        EXPECT_TRUE(v.c<QPushButton>("bCopier")->hasFocus());
        EXPECT_EQ(v.f.windowTitle(), u"Calendrier"_s);
    }
}

TEST(CalConv, TypingADateOrAJulianDayUpdatesTheOthers)
{
    Convertisseur v(u"9/11/1799"_s);
    // Each key of the date counts at once.
    v.greg()->setFocus();
    v.greg()->selectAll();
    QTest::keyClicks(v.greg(), u"27/7/1794"_s);
    EXPECT_EQ(v.jul()->text(), u"2376512,50"_s);
    EXPECT_EQ(v.republicain(), u"9 Thermidor 2"_s);
    EXPECT_EQ(v.semaine(), u"dimanche"_s);

    // A Julian day without decimals is the day it falls in, written again
    // at 0 h; a comma or a point alike.
    const std::pair<QString, QString> jours[] = {
        {u"2451545"_s, u"1/1/2000"_s}, {u"2378443,9"_s, u"9/11/1799"_s}, {u"1842712.5"_s, u"27/1/333"_s},
        {u"2299160"_s, u"4/10/1582"_s}, {u"2299160.5"_s, u"15/10/1582"_s},
    };
    for (const auto &[jd, date] : jours) {
        v.tape(v.jul(), jd);
        EXPECT_EQ(v.greg()->text(), date) << S(jd);
        EXPECT_EQ(v.jul()->text().trimmed().length(), 10) << S(jd);
        EXPECT_TRUE(v.jul()->text().endsWith(u",50"_s)) << S(jd);
    }
    EXPECT_EQ(v.jul()->text(), u"2299160,50"_s);
    EXPECT_EQ(v.semaine(), u"vendredi"_s);

    // What is no day of the span brings the last day back, and changes
    // nothing else.
    for (const QString &faux : {u"1e300"_s, u"inf"_s, u"nan"_s, u"-2451545"_s, u"abc"_s, u""_s, u"1000"_s,
                                u"9999999"_s}) {
        v.tape(v.jul(), faux);
        EXPECT_EQ(v.jul()->text(), u"2299160,50"_s) << S(faux);
        EXPECT_EQ(v.greg()->text(), u"15/10/1582"_s) << S(faux);
        EXPECT_EQ(v.semaine(), u"vendredi"_s) << S(faux);
    }
    // The first and the last day of the span.
    v.tape(v.jul(), u"1721423.5"_s);
    EXPECT_EQ(v.greg()->text(), u"1/1/1"_s);
    v.tape(v.jul(), u"5373484.4"_s);
    EXPECT_EQ(v.greg()->text(), u"31/12/9999"_s);
    EXPECT_EQ(v.jul()->text(), u"5373483,50"_s);
}

TEST(CalConv, TheRepublicanListsGiveTheDateAndOnlyTheDaysThatExist)
{
    Convertisseur v(u"9/11/1799"_s);
    Convertisseur::choisit(v.a(), u"2"_s);
    Convertisseur::choisit(v.m(), u"Thermidor"_s);
    Convertisseur::choisit(v.j(), u"9"_s);
    EXPECT_EQ(v.greg()->text(), u"27/7/1794"_s);
    EXPECT_EQ(v.jul()->text(), u"2376512,50"_s);
    EXPECT_EQ(v.semaine(), u"dimanche"_s);

    // The complementary days: 6 in the sextile year III, 5 in year IV; a
    // day beyond them becomes the last one.
    Convertisseur::choisit(v.j(), u"30"_s);
    Convertisseur::choisit(v.a(), u"3"_s);
    Convertisseur::choisit(v.m(), u"Sans-Culottide"_s);
    EXPECT_EQ(v.j()->count(), 6);
    EXPECT_EQ(v.republicain(), u"6 Sans-Culottide 3"_s);
    EXPECT_EQ(v.greg()->text(), u"22/9/1795"_s);
    Convertisseur::choisit(v.a(), u"4"_s);
    EXPECT_EQ(v.j()->count(), 5);
    EXPECT_EQ(v.republicain(), u"5 Sans-Culottide 4"_s);
    EXPECT_EQ(v.greg()->text(), u"21/9/1796"_s) << "never a day of the next year";
    Convertisseur::choisit(v.m(), u"Vendémiaire"_s);
    EXPECT_EQ(v.j()->count(), 30);
    EXPECT_EQ(v.greg()->text(), u"27/9/1795"_s);
}

TEST(CalConv, OkGivesTheDateAndCancelTheOneGiven)
{
    ReponseModale<TfmCalConv> annule([](TfmCalConv &f) {
        auto *greg = f.findChild<QLineEdit *>(u"eGreg"_s);
        greg->selectAll();
        QTest::keyClicks(greg, u"1/1/2000"_s);
        QTest::mouseClick(f.findChild<QPushButton *>(u"Button1"_s), Qt::LeftButton);
    });
    EXPECT_EQ(ConvertitDateCalendrier(nullptr, u"vers 1800"_s), u"vers 1800"_s);
    EXPECT_TRUE(annule.Ouvert);

    ReponseModale<TfmCalConv> ok([](TfmCalConv &f) {
        Convertisseur::choisit(f.findChild<QComboBox *>(u"cbRepA"_s), u"8"_s);
        Convertisseur::choisit(f.findChild<QComboBox *>(u"cbRepM"_s), u"Brumaire"_s);
        Convertisseur::choisit(f.findChild<QComboBox *>(u"cbRepJ"_s), u"18"_s);
        QTest::keyClick(f.findChild<QPushButton *>(u"bCopier"_s), Qt::Key_Return);
    });
    EXPECT_EQ(ConvertitDateCalendrier(nullptr, QString()), u"9/11/1799"_s);
    EXPECT_TRUE(ok.Ouvert);
}
