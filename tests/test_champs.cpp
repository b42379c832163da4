// User-defined fields: the fields text (split, join, merge with the
// definitions, yes/no values) and the TChamp control driven by the keyboard
// and the mouse.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include "BD.h"
#include "Champs.h"
#include "ReponseModale.h"
#include "TChamp.h"
#include "TfmChampAjoute.h"

using namespace Qt::StringLiterals;

// Readable failure messages.
void PrintTo(const QString &texte, std::ostream *flux) { *flux << '"' << texte.toStdString() << '"'; }

void PrintTo(const TEntreeChamp &e, std::ostream *flux)
{
    *flux << '(' << e.Sorte.toStdString() << ',' << e.Libelle.toStdString() << ',' << e.Valeur.toStdString() << ')';
}

namespace {

TEntreeChamp E(const char16_t *sorte, const char16_t *libelle, const char16_t *valeur)
{
    return {QString::fromUtf16(sorte), QString::fromUtf16(libelle), QString::fromUtf16(valeur)};
}

QString T(const char16_t *texte) { return QString::fromUtf16(texte); }

// ---- The fields text ------------------------------------------------------------

TEST(DecoupeChamps, CutsAtEachSeparatorThreePiecesAtATime)
{
    const struct {
        const char16_t *texte;
        TTableChamps attendu;
    } cas[] = {
        {u"", {}},
        {u"t|Profession|Menuisier|r|Parrain|Oui|", {E(u"t", u"Profession", u"Menuisier"), E(u"r", u"Parrain", u"Oui")}},
        // No final separator, or a text stopping inside an entry: missing
        // pieces are empty.
        {u"t|A|1", {E(u"t", u"A", u"1")}}, {u"t|A", {E(u"t", u"A", u"")}}, {u"t", {E(u"t", u"", u"")}},
        {u"t|A|1|t|B", {E(u"t", u"A", u"1"), E(u"t", u"B", u"")}},
        {u"t|A|1|x", {E(u"t", u"A", u"1"), E(u"x", u"", u"")}},
        // Empty labels are entries like the others.
        {u"t||x|", {E(u"t", u"", u"x")}}, {u"|||", {E(u"", u"", u"")}},
        {u"m|Note|l1\r\nl2|", {E(u"m", u"Note", u"l1\r\nl2")}},
    };
    for (const auto &c : cas)
        EXPECT_EQ(DecoupeChamps(T(c.texte)), c.attendu) << T(c.texte).toStdString();
}

TEST(AssembleChamps, JoinOfSplitKeepsEveryEntryWithAValue)
{
    for (const char16_t *texte : {u"t|A|1|", u"t|A|1", u"t|A|1|t|B", u"t|A|1|t|B||", u"t||x|", u"t|A|1|x",
                                  u"z|Inconnu|?|t|A|1|", u"m|Note|l1\r\nl2|r|P|oui|", u"t|Tel|1|t|Tel|2|t|Tel||",
                                  u"|||", u"d|Baptême|1900|l|Lieu|Paris|"}) {
        TTableChamps pleines = DecoupeChamps(T(texte));
        std::erase_if(pleines, [](const TEntreeChamp &e) { return e.Valeur.isEmpty(); });
        const QString ecrit = AssembleChamps(DecoupeChamps(T(texte)));
        EXPECT_EQ(DecoupeChamps(ecrit), pleines) << T(texte).toStdString();
        EXPECT_EQ(AssembleChamps(DecoupeChamps(ecrit)), ecrit) << T(texte).toStdString(); // stable
    }
    // A well-formed text whose values are all filled comes back unchanged.
    const QString complet = u"t|Profession|Menuisier|m|Note|a\r\nb|d|Baptême|1 JAN 1900|r|Parrain|Oui|"_s;
    EXPECT_EQ(AssembleChamps(DecoupeChamps(complet)), complet);
    // A "|" anywhere would shift every later entry: it becomes a blank.
    EXPECT_EQ(AssembleChamps({E(u"t|", u"a|b", u"c|d"), E(u"t", u"Z", u"z")}), u"t |a b|c d|t|Z|z|"_s);
}

// The database reads the same text with its own parser: both must see the
// same fields in a well-formed text.
TEST(DecoupeChamps, AgreesWithTheDatabaseOnWellFormedTexts)
{
    TBD bd;
    const int p = bd.NewPerson();
    const QString texte = u"t|Profession|Menuisier|r|Parrain|Oui|m|Note|a\r\nb|z|Autre|?|"_s;
    ASSERT_TRUE(bd.SetField(p, PcChamps, texte));
    for (const TEntreeChamp &e : DecoupeChamps(texte))
        EXPECT_EQ(bd.GetAttribute(p, e.Libelle), e.Valeur) << e.Libelle.toStdString();
    // And a text the database wrote splits back into what it was given.
    ASSERT_TRUE(bd.SetAttribute(p, u"Ville"_s, u"Lyon"_s));
    const TTableChamps t = DecoupeChamps(bd.GetField(p, PcChamps));
    ASSERT_FALSE(t.empty());
    EXPECT_EQ(t.back(), E(u"t", u"Ville", u"Lyon"));
    EXPECT_EQ(AssembleChamps(t), bd.GetField(p, PcChamps));
}

TEST(FusionneChamps, DefinitionsFirstThenThePersonsOtherFields)
{
    const struct {
        const char16_t *definitions, *personne;
        TTableChamps attendu;
    } cas[] = {
        {u"t|Profession||", u"", {E(u"t", u"Profession", u"")}},
        // Definitions keep their order whatever the person's order.
        {u"t|A||t|B||t|C||", u"t|C|3|t|X|x|t|A|1|",
         {E(u"t", u"A", u"1"), E(u"t", u"B", u""), E(u"t", u"C", u"3"), E(u"t", u"X", u"x")}},
        // The person's kind wins over the definition's.
        {u"t|Parrain||", u"r|Parrain|Oui|", {E(u"r", u"Parrain", u"Oui")}},
        // Letter case counts.
        {u"t|Profession||", u"t|profession|x|", {E(u"t", u"Profession", u""), E(u"t", u"profession", u"x")}},
        // Two person fields with the same label stay two fields.
        {u"t|Tel||", u"t|Tel|1|t|Tel|2|", {E(u"t", u"Tel", u"1"), E(u"t", u"Tel", u"2")}},
        {u"t|Tel||t|Tel||", u"t|Tel|1|t|Tel|2|t|Tel|3|",
         {E(u"t", u"Tel", u"1"), E(u"t", u"Tel", u"2"), E(u"t", u"Tel", u"3")}},
        {u"t|A||t|Tel||", u"t|Tel|1|t|B|b|t|Tel|2|",
         {E(u"t", u"A", u""), E(u"t", u"Tel", u"1"), E(u"t", u"B", u"b"), E(u"t", u"Tel", u"2")}},
    };
    for (const auto &c : cas)
        EXPECT_EQ(FusionneChamps(T(c.definitions), T(c.personne)), c.attendu) << T(c.personne).toStdString();

    // Writing the merge back loses no value, twice over.
    const QString personne = u"t|Tel|1|t|Tel|2|z|Autre|?|t|Note|n|"_s;
    const QString ecrit = AssembleChamps(FusionneChamps(u"t|Note||t|Tel||"_s, personne));
    EXPECT_EQ(ecrit, u"t|Note|n|t|Tel|1|t|Tel|2|z|Autre|?|"_s);
    EXPECT_EQ(AssembleChamps(FusionneChamps(u"t|Note||t|Tel||"_s, ecrit)), ecrit);
}

TEST(Champs, SmallRules)
{
    EXPECT_EQ(SansSeparateur(u"||a|é/b"_s), u"  a é/b"_s);
    const std::pair<const char16_t *, TOuiNon> ouiNon[] = {
        {u"Oui", TOuiNon::Oui}, {u"oui", TOuiNon::Oui}, {u" OUI ", TOuiNon::Oui}, {u"non", TOuiNon::Non},
        {u"", TOuiNon::Nul},    {u" ", TOuiNon::Nul},   {u"Nul", TOuiNon::Inconnu}, {u"Ouii", TOuiNon::Inconnu},
    };
    for (const auto &[valeur, attendu] : ouiNon)
        EXPECT_EQ(LitOuiNon(T(valeur)), attendu) << T(valeur).toStdString();
    EXPECT_EQ(TexteOuiNon(TOuiNon::Oui) + TexteOuiNon(TOuiNon::Non), u"OuiNon"_s);
    EXPECT_EQ(TexteOuiNon(TOuiNon::Nul) + TexteOuiNon(TOuiNon::Inconnu), u""_s);

    const std::pair<const char16_t *, const char16_t *> lignes[] = {
        {u"", u""}, {u"a\nb", u"a\r\nb"}, {u"a\r\nb", u"a\r\nb"}, {u"a\rb", u"a\r\nb"},
        {u"a  \n\n \t\n", u"a"}, {u"  a\n  b", u"  a\r\n  b"},
    };
    for (const auto &[texte, attendu] : lignes)
        EXPECT_EQ(ValeurMultiligne(T(texte)), T(attendu));
}

// ---- The control -----------------------------------------------------------------

class TChampTest : public ::testing::Test
{
protected:
    TChamp champ;

    void SetUp() override
    {
        champ.resize(300, 400);
        champ.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&champ));
    }
    template <class T = QWidget>
    T *Editeur(int n) const { return champ.findChild<T *>(u"E_Champ%1"_s.arg(n)); }
    QLabel *Libelle(int n) const { return champ.findChild<QLabel *>(u"L_Champ%1"_s.arg(n)); }
    QRadioButton *Bouton(int n, const char16_t *nom) const
    {
        return Editeur<TRButton>(n)->findChild<QRadioButton *>(QString::fromUtf16(nom));
    }
    // Types at the end of a one-line editor, as after a click there.
    void Tape(int n, const QString &texte) const
    {
        auto *e = Editeur<QLineEdit>(n);
        ASSERT_NE(e, nullptr);
        e->end(false);
        QTest::keyClicks(e, texte);
    }
    // The last fields text the control sent.
    static QString Dernier(const QSignalSpy &spy) { return spy.isEmpty() ? QString() : spy.last().at(0).toString(); }
};

TEST_F(TChampTest, ShowsOneEditorPerKindWithoutSendingAnything)
{
    QSignalSpy spy(&champ, &TChamp::ChampChange);
    const QString texte = u"t|T|x|m|M|l1\r\nl2|d|D|1900|l|L|Paris|r|R|Oui|z|Z|?|"_s;
    champ.SetChamp(texte);
    // Rows go down without overlap; Hauteur reaches the last one's bottom.
    const char *classes[] = {"QLineEdit", "QPlainTextEdit", "QLineEdit", "QLineEdit", "TRButton"};
    int bas = 0;
    for (int n = 1; n <= 5; ++n) {
        ASSERT_TRUE(Editeur(n) && Editeur(n)->inherits(classes[n - 1])) << n;
        EXPECT_TRUE(Editeur(n)->isVisible());
        EXPECT_GE(Editeur(n)->y(), bas);
        bas = Editeur(n)->geometry().bottom() + 1;
    }
    EXPECT_EQ(champ.Hauteur(), bas);
    // A kind without editor has no row but is kept.
    EXPECT_EQ(Libelle(6), nullptr);
    EXPECT_EQ(Editeur(6), nullptr);
    EXPECT_EQ(champ.Champ(), texte);
    EXPECT_EQ(spy.count(), 0);
    EXPECT_EQ(Libelle(3)->text(), u"D"_s);
    EXPECT_EQ(Editeur<QLineEdit>(3)->text(), u"1900"_s);
    EXPECT_EQ(Editeur<QPlainTextEdit>(2)->toPlainText(), u"l1\nl2"_s);
    EXPECT_TRUE(Bouton(5, u"rbOui")->isChecked());

    champ.SetChamp(QString());
    EXPECT_EQ(champ.Hauteur(), 0);
    EXPECT_EQ(Editeur(1), nullptr);
}

TEST_F(TChampTest, RowsFollowTheDefinitionsAndEmptyValuesAreNotWritten)
{
    champ.SetChampDef(u"t|Profession||t|Parrain||t|Tel||"_s);
    champ.SetChamp(u"t|Note|x|t|Tel|1|t|Profession|Menuisier|t|profession|y|t|Tel|2|"_s);
    const char16_t *libelles[] = {u"Profession", u"Parrain", u"Tel", u"Note", u"profession", u"Tel"};
    for (int n = 1; n <= 6; ++n) {
        ASSERT_NE(Libelle(n), nullptr);
        EXPECT_EQ(Libelle(n)->text(), T(libelles[n - 1]));
    }
    EXPECT_EQ(Editeur<QLineEdit>(1)->text(), u"Menuisier"_s);
    EXPECT_EQ(Editeur<QLineEdit>(2)->text(), u""_s);
    EXPECT_EQ(champ.Champ(), u"t|Profession|Menuisier|t|Tel|1|t|Note|x|t|profession|y|t|Tel|2|"_s);
    // Editing the second "Tel" keeps both.
    QSignalSpy spy(&champ, &TChamp::ChampChange);
    Tape(6, u"2"_s);
    EXPECT_EQ(Dernier(spy), u"t|Profession|Menuisier|t|Tel|1|t|Note|x|t|profession|y|t|Tel|22|"_s);
}

// Separators typed or pasted become blanks; lines join with CR LF.
TEST_F(TChampTest, TypingAndPastingSendTheNewText)
{
    champ.SetChamp(u"t|A|1|t|B||m|M|x|"_s);
    QSignalSpy texte(&champ, &TChamp::ChampChange);
    QSignalSpy editeur(&champ, &TChamp::EditeurChange);
    Tape(2, u"ab|c"_s);
    EXPECT_EQ(texte.count(), 4);
    EXPECT_EQ(Dernier(texte), u"t|A|1|t|B|ab c|m|M|x|"_s);
    EXPECT_EQ(Editeur<QLineEdit>(2)->text(), u"ab c"_s);
    ASSERT_EQ(editeur.count(), 4);
    EXPECT_EQ(editeur.last().at(0).value<QWidget *>(), Editeur(2));
    EXPECT_EQ(editeur.last().mid(1), (QVariantList{u"t"_s, u"B"_s, u"ab c"_s}));

    Editeur<QLineEdit>(1)->end(false);
    Editeur<QLineEdit>(1)->insert(u"|2|3"_s);
    EXPECT_EQ(Editeur<QLineEdit>(1)->text(), u"1 2 3"_s);
    EXPECT_EQ(Dernier(texte), u"t|A|1 2 3|t|B|ab c|m|M|x|"_s);

    auto *m = Editeur<QPlainTextEdit>(3);
    m->moveCursor(QTextCursor::End);
    m->insertPlainText(u"|y\n|z"_s);
    QTest::keyClicks(m, u"|b"_s);
    QTest::keyClick(m, Qt::Key_Return);
    QTest::keyClicks(m, u"c  "_s);
    QTest::keyClick(m, Qt::Key_Return);
    EXPECT_EQ(m->toPlainText(), u"x y\n z b\nc  \n"_s);
    EXPECT_EQ(Dernier(texte), u"t|A|1 2 3|t|B|ab c|m|M|x y\r\n z b\r\nc|"_s);

    // Clearing the value drops the entry.
    Editeur<QLineEdit>(1)->selectAll();
    QTest::keyClick(Editeur(1), Qt::Key_Delete);
    EXPECT_EQ(Dernier(texte), u"t|B|ab c|m|M|x y\r\n z b\r\nc|"_s);
}

TEST_F(TChampTest, YesNoKeepsItsValueUntilClicked)
{
    champ.SetChamp(u"r|P|Oui|r|Q|peut-être|r|S|non|t|T|x|"_s);
    // An unknown value shows no choice.
    for (const char16_t *nom : {u"rbOui", u"rbNon", u"rbNul"})
        EXPECT_FALSE(Bouton(2, nom)->isChecked());
    EXPECT_TRUE(Bouton(3, u"rbNon")->isChecked());

    // Editing another field leaves the yes/no values as they were.
    QSignalSpy texte(&champ, &TChamp::ChampChange);
    Tape(4, u"y"_s);
    EXPECT_EQ(Dernier(texte), u"r|P|Oui|r|Q|peut-être|r|S|non|t|T|xy|"_s);

    // A click writes the capitalised value.
    QTest::mouseClick(Bouton(2, u"rbNon"), Qt::LeftButton);
    EXPECT_EQ(Editeur<TRButton>(2)->Valeur(), u"Non"_s);
    EXPECT_EQ(Dernier(texte), u"r|P|Oui|r|Q|Non|r|S|non|t|T|xy|"_s);
    QTest::mouseClick(Bouton(3, u"rbNon"), Qt::LeftButton);
    EXPECT_EQ(Dernier(texte), u"r|P|Oui|r|Q|Non|r|S|Non|t|T|xy|"_s);
    // Nul empties the value, so the field is no longer written.
    QTest::mouseClick(Bouton(1, u"rbNul"), Qt::LeftButton);
    EXPECT_EQ(Editeur<TRButton>(1)->Valeur(), u""_s);
    EXPECT_EQ(Dernier(texte), u"r|Q|Non|r|S|Non|t|T|xy|"_s);
    // Clicking the choice already held sends nothing.
    const qsizetype avant = texte.count();
    QTest::mouseClick(Bouton(2, u"rbNon"), Qt::LeftButton);
    EXPECT_EQ(texte.count(), avant);
}

TEST_F(TChampTest, EntriesBeyondTheShownRowsAreWrittenBack)
{
    QString texte;
    const int n = TChamp::MaxLignes + 50;
    for (int i = 1; i <= n; ++i)
        texte += u"t|C%1|v%1|"_s.arg(i);
    champ.SetChamp(texte);
    EXPECT_NE(Editeur(TChamp::MaxLignes), nullptr);
    EXPECT_EQ(Editeur(TChamp::MaxLignes + 1), nullptr);
    EXPECT_EQ(champ.Entrees().size(), static_cast<size_t>(n));
    EXPECT_EQ(champ.Champ(), texte);

    QSignalSpy spy(&champ, &TChamp::ChampChange);
    Tape(TChamp::MaxLignes, u"x"_s);
    ASSERT_EQ(spy.count(), 1);
    const TTableChamps t = DecoupeChamps(Dernier(spy));
    ASSERT_EQ(t.size(), static_cast<size_t>(n));
    EXPECT_EQ(t[TChamp::MaxLignes - 1].Valeur, u"v%1x"_s.arg(TChamp::MaxLignes));
    EXPECT_EQ(t.back().Valeur, u"v%1"_s.arg(n));
    EXPECT_GT(champ.Hauteur(), champ.viewport()->height());
    // No row is added beyond the limit.
    EXPECT_EQ(champ.AjouteEntree(u"t"_s, u"Z"_s), nullptr);
}

// The record form stores the text and may show the person again from inside
// the change signal.
TEST_F(TChampTest, RefillingFromItsOwnSignalIsSafe)
{
    champ.SetChamp(u"t|A|1|"_s);
    QObject::connect(&champ, &TChamp::ChampChange, &champ, [this](const QString &t) { champ.SetChamp(t); });
    Tape(1, u"2"_s);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_NE(Editeur<QLineEdit>(1), nullptr);
    EXPECT_EQ(Editeur<QLineEdit>(1)->text(), u"12"_s);
    EXPECT_EQ(champ.findChild<QWidget *>(u"pEditeurs"_s)->findChildren<QLineEdit *>().size(), 1);
    Tape(1, u"3"_s);
    EXPECT_EQ(champ.Champ(), u"t|A|123|"_s);
}

TEST_F(TChampTest, KeysAndExitsOfDateAndPlaceEditors)
{
    champ.SetChamp(u"d|Baptême|1900|l|Lieu|Paris|m|M|x|"_s);
    QSignalSpy bas(&champ, &TChamp::ChampKeyDown);
    QSignalSpy haut(&champ, &TChamp::ChampKeyUp);
    QSignalSpy date(&champ, &TChamp::DateExit);
    QSignalSpy lieu(&champ, &TChamp::LieuExit);
    QTest::keyClick(Editeur(1), Qt::Key_F3);
    ASSERT_EQ(bas.count(), 1);
    ASSERT_EQ(haut.count(), 1);
    EXPECT_EQ(bas.last().at(0).value<QWidget *>(), Editeur(1));
    EXPECT_EQ(bas.last().mid(1), (QVariantList{int(Qt::Key_F3), u"d"_s, u"Baptême"_s, u"1900"_s}));

    champ.activateWindow();
    for (int n : {1, 2, 3})
        Editeur(n)->setFocus();
    if (!QApplication::focusWidget())
        GTEST_SKIP() << "no keyboard focus on this platform";
    ASSERT_EQ(date.count(), 1);
    EXPECT_EQ(date.last().at(0).value<QWidget *>(), Editeur(1));
    ASSERT_EQ(lieu.count(), 1);
    EXPECT_EQ(lieu.last().at(0).value<QWidget *>(), Editeur(2));
}

TEST_F(TChampTest, AddedFieldIsWrittenOnceFilled)
{
    champ.SetChamp(u"t|A|1|"_s);
    const int hauteur = champ.Hauteur();
    QWidget *e = champ.AjouteEntree(u"d"_s, u"Baptême|civil"_s);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e, Editeur<QLineEdit>(2));
    EXPECT_EQ(Libelle(2)->text(), u"Baptême civil"_s);
    EXPECT_GT(champ.Hauteur(), hauteur);
    EXPECT_EQ(champ.Champ(), u"t|A|1|"_s);
    QSignalSpy spy(&champ, &TChamp::ChampChange);
    QTest::keyClicks(e, u"1900"_s);
    EXPECT_EQ(Dernier(spy), u"t|A|1|d|Baptême civil|1900|"_s);
    EXPECT_EQ(champ.AjouteEntree(u"z"_s, u"Z"_s), nullptr);
}

TEST_F(TChampTest, AddFieldDialogNamesTheFieldAndItsKind)
{
    champ.SetChamp(u"t|A|1|"_s);
    TfmChampAjoute *d = champ.DialogueAjout();
    auto *libelle = d->findChild<QLineEdit *>(u"cbLibelle"_s);
    auto *liste = d->findChild<QListWidget *>(u"cbLibelleListe"_s);
    auto *ok = d->findChild<QPushButton *>(u"bOk"_s);
    ASSERT_TRUE(libelle && liste && ok);
    EXPECT_EQ(d->Libelles().size(), 10);
    EXPECT_TRUE(d->Libelles().contains(u"Marraine"_s));
    // Four kinds: a yes/no field is not added here.
    EXPECT_EQ(d->findChildren<QRadioButton *>().size(), 4);

    // Typed, with Enter; OK stays disabled while the label is blank.
    {
        ReponseModale<TfmChampAjoute> r([&](TfmChampAjoute &) {
            EXPECT_FALSE(ok->isEnabled());
            QTest::keyClicks(libelle, u"  "_s);
            EXPECT_FALSE(ok->isEnabled());
            QTest::keyClicks(libelle, u"Date|civile "_s);
            EXPECT_TRUE(ok->isEnabled());
            d->findChild<QRadioButton *>(u"rbDate"_s)->click();
            QTest::keyClick(libelle, Qt::Key_Return);
        });
        EXPECT_TRUE(champ.AjouteChamp());
        EXPECT_TRUE(r.Ouvert);
    }
    ASSERT_NE(Editeur<QLineEdit>(2), nullptr);
    EXPECT_EQ(champ.Entrees().back(), E(u"d", u"Date civile", u""));
    EXPECT_EQ(champ.Champ(), u"t|A|1|"_s);

    // Picked with a double-click, as a place; the dialog starts afresh.
    {
        ReponseModale<TfmChampAjoute> r([&](TfmChampAjoute &) {
            EXPECT_TRUE(libelle->text().isEmpty());
            EXPECT_TRUE(d->findChild<QRadioButton *>(u"rbTexte"_s)->isChecked());
            d->findChild<QRadioButton *>(u"rbLieu"_s)->click();
            const auto lignes = liste->findItems(u"Marraine"_s, Qt::MatchExactly);
            ASSERT_EQ(lignes.size(), 1);
            const QPoint centre = liste->visualItemRect(lignes[0]).center();
            QTest::mouseClick(liste->viewport(), Qt::LeftButton, {}, centre);
            QTest::mouseDClick(liste->viewport(), Qt::LeftButton, {}, centre);
        });
        EXPECT_TRUE(champ.AjouteChamp());
        EXPECT_TRUE(r.Ouvert);
    }
    EXPECT_EQ(champ.Entrees().back(), E(u"l", u"Marraine", u""));

    // Esc changes nothing.
    {
        ReponseModale<TfmChampAjoute> r([&](TfmChampAjoute &) {
            QTest::keyClicks(libelle, u"Parrain"_s);
            QTest::keyClick(libelle, Qt::Key_Escape);
        });
        EXPECT_FALSE(champ.AjouteChamp());
        EXPECT_TRUE(r.Ouvert);
    }
    EXPECT_EQ(champ.Entrees().size(), 3u);
}

TEST_F(TChampTest, SplitIsTheLabelColumnWidth)
{
    EXPECT_EQ(champ.Split(), TChamp::SplitDefaut);
    champ.SetChamp(u"t|Un libellé|1|"_s);
    auto *libelles = champ.findChild<QWidget *>(u"pLibelles"_s);
    auto *editeurs = champ.findChild<QWidget *>(u"pEditeurs"_s);
    ASSERT_TRUE(libelles && editeurs);
    EXPECT_EQ(libelles->width(), TChamp::SplitDefaut);
    champ.SetSplit(120);
    EXPECT_EQ(libelles->width(), 120);
    // The label column keeps its width when the control grows; editors take
    // the rest.
    champ.resize(500, 400);
    QApplication::processEvents();
    EXPECT_EQ(libelles->width(), 120);
    EXPECT_EQ(Editeur(1)->width(), editeurs->width());
    EXPECT_GT(editeurs->width(), 250);
    champ.SetSplit(-5);
    EXPECT_EQ(champ.Split(), 0);
}

} // namespace
