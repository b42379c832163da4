// The record form inside the main window: keys, and the form over a new
// database.

#include "Globales.h"
#include "ProgrammeTest.h"
#include "TQuorWin.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

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
    Touche(Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(bd().PersonEventCount(p), 2);
    EXPECT_EQ(bd().GetPersonEventField(p, 2, EveType), u"Inhumation");
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

} // namespace
