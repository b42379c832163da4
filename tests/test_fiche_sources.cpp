// The record form's sources tab.

#include "BD.h"
#include "Dates.h"
#include "DialoguesScriptes.h"
#include "FamilleTest.h"
#include "Globales.h"
#include "HoteSourceTest.h"
#include "Langue.h"
#include "MediaFactice.h"
#include "Options.h"
#include "ReponseModale.h"
#include "TApercu.h"
#include "TfmFiche.h"
#include "TfmSource.h"
#include "TfmSourceRech.h"
#include "TfmVoirImage.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

namespace {

class HoteFiche final : public THoteFiche
{
public:
    int Selec = 4;
    int SelecPers() const override { return Selec; }
    void SetSelecPers(int p) override { Selec = p; }
    bool FormKeyDown(int, Qt::KeyboardModifiers) override { return false; }
    void PersonneModifiee(int) override {}
    void LiensModifies() override {}
    QColor CouleurSexe(int) const override { return Qt::white; }
    QString DefinitionChamps() const override { return QString(); }
    void FicheCachee() override {}
};

class FicheSources : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(ChargeLangue(QStringLiteral(LIGNEE_MODELE "/langue.txt"), nullptr));
        Options() = TOptions();
        Options().Sources = {u"Photo"_s};
        BaseModifiee = 0;
        SetHorloge([] { return QDate(2020, 6, 15); });
        FichierCourant = m_dossier.filePath(u"famille.mvd"_s);
        QImage i(300, 200, QImage::Format_RGB32);
        i.fill(Qt::blue);
        ASSERT_TRUE(i.save(m_dossier.filePath(u"portrait.jpeg"_s)));
        QFile(m_dossier.filePath(u"voix.wav"_s)).open(QIODevice::WriteOnly);
        QFile(m_dossier.filePath(u"lettre.txt"_s)).open(QIODevice::WriteOnly);
        source(u"Portrait"_s, u"portrait.jpeg|10|10|nez"_s);
        source(u"Voix"_s, u"voix.wav"_s);
        source(u"Lettre"_s, u"lettre.txt"_s);
        m_fiche = std::make_unique<TfmFiche>(bd(), m_hote);
        m_fiche->SetSources(&m_hoteSource);
        m_fiche->show();
        QApplication::setActiveWindow(m_fiche.get());
        m_fiche->Affiche();
        pc()->setCurrentWidget(m_fiche->findChild<QWidget *>(u"TS_Donnee"_s));
        QCoreApplication::processEvents();
        bd().SetField(4, PcModification, u"1/1/2000"_s);
    }
    void TearDown() override
    {
        SetHorloge({});
        FichierCourant.clear();
    }
    void source(const QString &titre, const QString &fichier)
    {
        const int s = bd().AddPersonSource(4);
        bd().SetSourceField(s, SrcTitre, titre);
        bd().SetSourceField(s, SrcFichier, fichier);
    }
    TBD &bd() { return m_famille.bd; }
    QTabWidget *pc() { return m_fiche->findChild<QTabWidget *>(u"PC"_s); }
    QListWidget *liste() { return m_fiche->findChild<QListWidget *>(u"lbDonnee"_s); }
    TApercu *photo() { return m_fiche->findChild<TApercu *>(u"iPhoto"_s); }
    QWidget *lecteur() { return m_fiche->findChild<QWidget *>(u"mpDonnee"_s); }
    void clic(int ligne, bool double_ = false)
    {
        const QPoint centre = liste()->visualItemRect(liste()->item(ligne)).center();
        QTest::mouseClick(liste()->viewport(), Qt::LeftButton, {}, centre);
        if (double_)
            QTest::mouseDClick(liste()->viewport(), Qt::LeftButton, {}, centre);
    }
    void menu(const char *entree)
    {
        m_fiche->findChild<QMenu *>(u"pmDonnee"_s)->findChild<QAction *>(QString::fromLatin1(entree))->trigger();
    }
    QString onglet() { return pc()->tabText(pc()->indexOf(m_fiche->findChild<QWidget *>(u"TS_Donnee"_s))); }

    QTemporaryDir m_dossier;
    FamilleTest m_famille;
    HoteFiche m_hote;
    THoteSourceTest m_hoteSource;
    TDialoguesScriptes m_dialogues;
    TMediaFactice::Installe m_media;
    std::unique_ptr<TfmFiche> m_fiche;
};

TEST_F(FicheSources, TheSelectedSourceShowsItsPictureOrPlaysItsSound)
{
    ASSERT_EQ(liste()->count(), 4);
    EXPECT_EQ(liste()->item(3)->text(), u"<Double cliquer ici pour créer>");
    EXPECT_EQ(onglet(), u"Donnée+");
    // A ".jpeg" picture (the whole extension counts).
    EXPECT_FALSE(photo()->Vide());
    EXPECT_FALSE(lecteur()->isVisible());
    clic(1);
    EXPECT_TRUE(photo()->Vide());
    EXPECT_TRUE(lecteur()->isVisible());
    EXPECT_EQ(TMediaFactice::Appels().last(), u"Ouvre "_s + m_dossier.filePath(u"voix.wav"_s));
    clic(2); // another kind of file shows nothing
    EXPECT_TRUE(photo()->Vide());
    EXPECT_FALSE(lecteur()->isVisible());
    EXPECT_EQ(TMediaFactice::Appels().last(), u"Ferme");

    // A left click on the picture shows it in the picture view; another
    // button opens the editor.
    clic(0);
    QTest::mouseClick(photo(), Qt::LeftButton);
    auto *vue = m_fiche->findChild<TfmVoirImage *>();
    ASSERT_NE(vue, nullptr);
    EXPECT_TRUE(vue->isVisible());
    vue->close();
    int editee = 0;
    ReponseModale<TfmSource> reponse([&](TfmSource &e) {
        editee = e.Source();
        e.findChild<QLineEdit *>(u"eNature"_s)->setText(u"Portrait de Pierre"_s);
        e.findChild<QPushButton *>(u"bOk"_s)->click();
    });
    QTest::mouseClick(photo(), Qt::RightButton);
    EXPECT_EQ(editee, 1);
    EXPECT_EQ(liste()->item(0)->text(), u"Portrait de Pierre");

    // A video plays in the same player (any letter case).
    QFile(m_dossier.filePath(u"film.Avi"_s)).open(QIODevice::WriteOnly);
    source(u"Film"_s, u"film.Avi"_s);
    m_fiche->Affiche();
    clic(3);
    EXPECT_TRUE(photo()->Vide());
    EXPECT_TRUE(lecteur()->isVisible());
    EXPECT_EQ(TMediaFactice::Appels().last(), u"Ouvre "_s + m_dossier.filePath(u"film.Avi"_s));
}

TEST_F(FicheSources, NewSourcesAreMadeThenEditedUnlessTheTableIsFull)
{
    bool ouverte = false;
    {
        ReponseModale<TfmSource> reponse([&](TfmSource &e) {
            ouverte = true;
            e.findChild<QLineEdit *>(u"eNature"_s)->setText(u"Acte de mariage"_s);
            e.findChild<QPushButton *>(u"bOk"_s)->click();
        });
        clic(3, true);
    }
    EXPECT_TRUE(ouverte);
    ASSERT_EQ(bd().PersonSourceCount(4), 4);
    EXPECT_EQ(liste()->item(3)->text(), u"Acte de mariage");
    EXPECT_EQ(liste()->currentRow(), 3);
    EXPECT_EQ(bd().GetField(4, PcModification), u"15/6/2020");
    EXPECT_EQ(BaseModifiee, 1);

    // A new source cancelled as it came is not kept.
    BaseModifiee = 0;
    int annulee = 0;
    {
        ReponseModale<TfmSource> reponse([&](TfmSource &e) {
            annulee = e.Source();
            QTest::keyClick(&e, Qt::Key_Escape);
        });
        clic(4, true);
    }
    ASSERT_GT(annulee, 0);
    EXPECT_FALSE(bd().SourceInUse(annulee));
    EXPECT_EQ(bd().PersonSourceCount(4), 4);
    ASSERT_EQ(liste()->count(), 5);
    EXPECT_EQ(liste()->item(3)->text(), u"Acte de mariage");
    EXPECT_EQ(BaseModifiee, 0);

    // One to which the user linked a person is kept with that link, even
    // cancelled.
    m_hoteSource.Choix = {9};
    int liee = 0;
    {
        ReponseModale<TfmSource> reponse([&](TfmSource &e) {
            liee = e.Source();
            auto *personnes = e.findChild<QListWidget *>(u"lbPers"_s);
            const QPoint choisir = personnes->visualItemRect(personnes->item(personnes->count() - 1)).center();
            QTest::mouseClick(personnes->viewport(), Qt::LeftButton, {}, choisir);
            QTest::mouseDClick(personnes->viewport(), Qt::LeftButton, {}, choisir);
            QTest::keyClick(&e, Qt::Key_Escape);
        });
        clic(4, true);
    }
    ASSERT_GT(liee, 0);
    EXPECT_TRUE(bd().SourceInUse(liee));
    ASSERT_EQ(bd().PersonSourceCount(4), 5);
    EXPECT_EQ(bd().PersonSourceNumber(4, 5), liee);
    ASSERT_EQ(bd().PersonSourceCount(9), 1);
    EXPECT_EQ(bd().PersonSourceNumber(9, 1), liee);
    EXPECT_EQ(liste()->count(), 6);
    EXPECT_EQ(BaseModifiee, 1);

    // The source table full: the user is told, nothing is written.
    while (bd().NewSource() != 0) {
    }
    ouverte = false;
    {
        ReponseModale<TfmSource> reponse([&](TfmSource &e) {
            ouverte = true;
            e.reject();
        });
        menu("miDonneeAjoute");
    }
    EXPECT_FALSE(ouverte);
    EXPECT_EQ(bd().PersonSourceCount(4), 5);
    ASSERT_EQ(m_dialogues.Messages.size(), 1);
    EXPECT_TRUE(m_dialogues.Messages[0].contains(u"50 000"_s));
}

TEST_F(FicheSources, LinkingAndUnlinkingSources)
{
    // Another person's source, chosen in the chooser.
    const int autre = bd().AddPersonSource(9);
    bd().SetSourceField(autre, SrcTitre, u"Registre"_s);
    QString titre;
    ReponseModale<TfmSourceRech> reponse([&](TfmSourceRech &d) {
        titre = d.windowTitle();
        auto *l = d.findChild<QListWidget *>(u"lb"_s);
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(3)).center());
        d.findChild<QPushButton *>(u"bOk"_s)->click();
    });
    menu("Slectionnerlasourcedanslaliste1");
    EXPECT_EQ(titre, u"Choisir une source pour MARTIN Pierre");
    ASSERT_EQ(bd().PersonSourceCount(4), 4);
    EXPECT_EQ(bd().PersonSourceNumber(4, 4), autre);
    EXPECT_EQ(liste()->item(3)->text(), u"Registre");
    EXPECT_EQ(bd().GetField(4, PcModification), u"15/6/2020");

    // Removing the link keeps the source, still cited by person 9.
    clic(3);
    menu("pmDonneeSupprime");
    EXPECT_EQ(bd().PersonSourceCount(4), 3);
    EXPECT_TRUE(bd().SourceInUse(autre));
    EXPECT_EQ(bd().PersonSourceNumber(9, 1), autre);
    // On the new-entry line nothing is removed.
    clic(3);
    menu("pmDonneeSupprime");
    EXPECT_EQ(bd().PersonSourceCount(4), 3);
    // The last source gone, the tab loses its "+".
    for (int i = 0; i < 3; ++i) {
        clic(0);
        menu("pmDonneeSupprime");
    }
    EXPECT_EQ(onglet(), u"Donnée");
    EXPECT_EQ(liste()->count(), 1);
}

} // namespace
