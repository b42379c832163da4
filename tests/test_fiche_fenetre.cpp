// The record form inside the main window: keys, and the form over a new
// database.

#include "DialoguesQt.h"
#include "Globales.h"
#include "ProgrammeTest.h"
#include "TBoite.h"
#include "TQuorWin.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QWindow>

using namespace Qt::StringLiterals;

namespace {

// A line edit that takes Ctrl+D to delete the next character, as line edits
// do with the key bindings of X11 desktops (the offscreen tests run with
// other bindings).
class EditeurCtrlD final : public QLineEdit
{
public:
    using QLineEdit::QLineEdit;

protected:
    static bool CtrlD(const QEvent *e)
    {
        const auto *k = static_cast<const QKeyEvent *>(e);
        return k->key() == Qt::Key_D && k->modifiers() == Qt::ControlModifier;
    }
    bool event(QEvent *e) override
    {
        if (e->type() == QEvent::ShortcutOverride && CtrlD(e)) {
            e->accept();
            return true;
        }
        return QLineEdit::event(e);
    }
    void keyPressEvent(QKeyEvent *e) override
    {
        if (CtrlD(e))
            del();
        else
            QLineEdit::keyPressEvent(e);
    }
};

class FicheFenetre : public ProgrammeTest
{
protected:
    void SetUp() override
    {
        ProgrammeTest::SetUp();
        ASSERT_FALSE(HasFailure());
        m_fenetre = std::make_unique<TQuorWin>();
        m_fenetre->show();
        m_fenetre->Initialise({});
        ASSERT_EQ(bd().PersonCount(), 0);
    }
    void TearDown() override
    {
        m_fenetre.reset();
        ProgrammeTest::TearDown();
    }

    TQuorWin &w() { return *m_fenetre; }
    TBD &bd() { return m_fenetre->Base(); }
    TfmFiche &fiche() { return *m_fenetre->Fiche(); }
    template <typename T>
    T *controle(const char *nom)
    {
        T *c = fiche().findChild<T *>(QString::fromLatin1(nom));
        EXPECT_NE(c, nullptr) << nom;
        return c;
    }
    // A key typed where the focus is.
    static void Touche(Qt::Key touche, Qt::KeyboardModifiers modificateurs = Qt::NoModifier)
    {
        QWidget *focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        QTest::keyClick(focus, touche, modificateurs);
    }

    std::unique_ptr<TQuorWin> m_fenetre;
};

TEST_F(FicheFenetre, CtrlKeysTypedInTheRecordFormAreTheFormsOwn)
{
    const int p = bd().NewPerson();
    bd().SetSurname(p, u"MARTIN"_s);
    w().SetSelecPers(p);
    w().ShowFiche();
    BaseModifiee = 0;
    // Were the main window to run its commands, it would empty the base
    // without asking, or ask where to save it.
    m_dialogues.Reponses = {ReponseNon, ReponseNon};
    QApplication::setActiveWindow(&fiche());
    controle<QLineEdit>("E_Nom")->setFocus();

    Touche(Qt::Key_N, Qt::ControlModifier);
    ASSERT_TRUE(bd().PersonInUse(p));
    EXPECT_EQ(bd().Surname(p), u"MARTIN");
    ASSERT_EQ(bd().PersonEventCount(p), 1);
    EXPECT_EQ(bd().GetPersonEventField(p, 1, EveType), u"Naissance");
    // The focus is now in the birth date.
    EXPECT_EQ(QApplication::focusWidget(), controle<QLineEdit>("eveDate"));
    Touche(Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(bd().PersonEventCount(p), 2);
    EXPECT_EQ(bd().GetPersonEventField(p, 2, EveType), u"Inhumation");
    // Ctrl+D in an editor that deletes with it, as line edits do on X11
    // desktops, is a death all the same.
    auto *editeur = new EditeurCtrlD(controle<QWidget>("TS_Identite"));
    editeur->setText(u"1900"_s);
    editeur->setCursorPosition(0);
    editeur->show();
    controle<QTabWidget>("PC")->setCurrentIndex(0);
    editeur->setFocus();
    Touche(Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(editeur->text(), u"1900"_s);
    ASSERT_EQ(bd().PersonEventCount(p), 3);
    EXPECT_EQ(bd().GetPersonEventField(p, 3, EveType), u"Décès");
    EXPECT_TRUE(m_dialogues.TitresFichiers.isEmpty());
    EXPECT_TRUE(m_dialogues.Messages.isEmpty());
    EXPECT_EQ(BaseModifiee, 1);

    // The main window, once active, has its commands again: Ctrl+N is a new
    // base (the question answered No).
    QApplication::setActiveWindow(&w());
    w().setFocus();
    Touche(Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(m_dialogues.Messages.size(), 1);
    EXPECT_EQ(bd().PersonCount(), 0);
}

TEST_F(FicheFenetre, AfterNewTheFormShowsTheEmptyBaseAndTypingCreatesItsFirstPerson)
{
    const int p = bd().NewPerson();
    bd().SetSurname(p, u"MARTIN"_s);
    bd().SetGivenNames(p, u"Jean"_s);
    bd().SetBirthDate(p, u"1/2/1900"_s);
    RefPers = p;
    w().SetSelecPers(p);
    w().ShowFiche();
    ASSERT_EQ(controle<QLineEdit>("E_Nom")->text(), u"MARTIN");
    BaseModifiee = 0;
    w().findChild<QAction *>(u"MI_Nouveau"_s)->trigger();
    ASSERT_EQ(bd().PersonCount(), 0);

    // Nothing of the old person is left.
    EXPECT_TRUE(controle<QLineEdit>("E_Nom")->text().isEmpty());
    EXPECT_TRUE(controle<QLineEdit>("E_Pre")->text().isEmpty());
    EXPECT_EQ(controle<QListWidget>("lbEve")->count(), 0);
    EXPECT_FALSE(fiche().windowTitle().contains(u"MARTIN"_s));
    EXPECT_FALSE(controle<QTabWidget>("PC")->isTabEnabled(1));

    // The surname typed makes the first person: current, reference of the
    // tree, shown in the tree and named by the status line.
    QApplication::setActiveWindow(&fiche());
    QLineEdit *nom = controle<QLineEdit>("E_Nom");
    nom->setFocus();
    QTest::keyClicks(nom, u"dupont"_s);
    ASSERT_EQ(bd().PersonCount(), 1);
    EXPECT_EQ(bd().Surname(1), u"DUPONT");
    EXPECT_EQ(nom->text(), u"DUPONT");
    EXPECT_EQ(nom->cursorPosition(), 6);
    EXPECT_EQ(w().SelecPers(), 1);
    EXPECT_EQ(RefPers, 1);
    EXPECT_EQ(fiche().Personne(), 1);
    EXPECT_TRUE(controle<QTabWidget>("PC")->isTabEnabled(1));
    EXPECT_TRUE(QTest::qWaitFor([&] {
        const TBoite *b = w().Arbre()->GetBoiteRefPers();
        return b && b->Personne() == 1;
    }));
    EXPECT_TRUE(w().findChild<QLabel *>(u"lStatut"_s)->text().contains(u"DUPONT"_s));
    EXPECT_EQ(BaseModifiee, 1);
    // The given names go to that person.
    QLineEdit *prenoms = controle<QLineEdit>("E_Pre");
    prenoms->setFocus();
    QTest::keyClicks(prenoms, u"jean"_s);
    EXPECT_EQ(bd().PersonCount(), 1);
    EXPECT_EQ(bd().GivenNames(1), u"Jean");
    EXPECT_TRUE(w().findChild<QLabel *>(u"lStatut"_s)->text().contains(u"DUPONT Jean"_s));
}

// The first focus in a place field and the first click in a note bring
// their tip, with the program's own dialogs: the tip shows, and the keys the
// user goes on typing reach the field, not the tip.
TEST_F(FicheFenetre, ATipLeavesTheKeysToTheFieldTheUserTypesIn)
{
    TDialoguesQt qt(m_fenetre.get());
    SetDialogues(&qt);
    const int p = bd().NewPerson();
    bd().SetSurname(p, u"MARTIN"_s);
    bd().SetBirthDate(p, u"1900"_s);
    w().SetSelecPers(p);
    w().ShowFiche();
    QApplication::setActiveWindow(&fiche());
    auto *pc = controle<QTabWidget>("PC");
    const struct {
        const char *champ;
        int astuce;
        QString tape;
    } cas[] = {
        {"eveLieu", 1, u"Lyon"_s},
        {"M_Note", 2, u"Vu en 1901"_s},
    };
    for (const auto &c : cas) {
        SCOPED_TRACE(c.champ);
        QWidget *champ = controle<QWidget>(c.champ);
        for (int i = 0; i < pc->count(); ++i) {
            if (pc->widget(i)->isAncestorOf(champ))
                pc->setCurrentIndex(i);
        }
        if (auto *eves = fiche().findChild<QListWidget *>(u"lbEve"_s); pc->currentWidget()->isAncestorOf(eves))
            QTest::mouseClick(eves->viewport(), Qt::LeftButton, {}, eves->visualItemRect(eves->item(0)).center());
        ASSERT_TRUE(champ->isEnabled());
        // The user types as soon as the field is clicked, into the window
        // that has the keyboard then.
        QString titre;
        bool modale = true;
        QPointer<QMessageBox> astuce;
        QTimer::singleShot(0, [&] {
            // The keys go where the window system sends them: to the window
            // that has the keyboard, unless a modal window blocks it.
            QTest::qWait(50);
            if (QWindow *clavier = QGuiApplication::focusWindow()) {
                for (const QChar ch : c.tape)
                    QTest::keyClick(clavier, ch.toLatin1());
            }
            for (QWidget *fenetre : QApplication::topLevelWidgets()) {
                auto *boite = qobject_cast<QMessageBox *>(fenetre);
                if (boite && boite->isVisible()) {
                    titre = boite->windowTitle();
                    modale = boite->isModal();
                    astuce = boite;
                    if (modale)
                        boite->close();
                }
            }
        });
        auto *note = qobject_cast<QPlainTextEdit *>(champ);
        QTest::mouseClick(note ? note->viewport() : champ, Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !titre.isEmpty(); }));
        EXPECT_EQ(titre, u"Astuce n° %1"_s.arg(c.astuce));
        EXPECT_FALSE(modale);
        EXPECT_EQ(note ? note->toPlainText() : qobject_cast<QLineEdit *>(champ)->text(), c.tape);
        ASSERT_FALSE(astuce.isNull());
        // The tip leaves the form in sight; clicked by the user, who reads it
        // and closes it, it gives the keyboard back to the field.
        EXPECT_FALSE(astuce->frameGeometry().intersects(fiche().frameGeometry()));
        QApplication::setActiveWindow(astuce);
        ASSERT_TRUE(QTest::qWaitForWindowActive(astuce));
        QTest::mouseClick(astuce->button(QMessageBox::Ok), Qt::LeftButton);
        EXPECT_TRUE(QTest::qWaitFor([&] { return astuce.isNull(); }));
        EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == champ; }));
    }
    EXPECT_EQ(bd().BirthPlace(p), u"Lyon");
    EXPECT_EQ(bd().GetField(p, PcNote), u"Vu en 1901");
    SetDialogues(&m_dialogues);
}

} // namespace
