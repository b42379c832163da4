#include "Chemins.h"
#include "Dates.h"
#include "Fetes.h"
#include "Globales.h"
#include "Ini.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

void cree(const QString &chemin)
{
    QDir().mkpath(chemin.left(chemin.lastIndexOf(QLatin1Char('/'))));
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}

class Chemins : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_tmp.isValid());
        m_racine = m_tmp.path();
        SetDossierProgramme(m_racine + QStringLiteral("/prog"));
        SetRepModele(m_racine + QStringLiteral("/prog/modele"));
        FichierCourant = m_racine + QStringLiteral("/base/famille.mvd");
    }
    void TearDown() override
    {
        FichierCourant.clear();
        SetDossierProgramme(QString());
        SetRepModele(QString());
    }

    QTemporaryDir m_tmp;
    QString m_racine;
};

TEST_F(Chemins, FoldersFollowTheModelsFolderAndTheLanguage)
{
    ASSERT_TRUE(InitialiseDossiers(1, m_racine + QStringLiteral("/user")));
    const QString modele = m_racine + QStringLiteral("/prog/modele/");
    EXPECT_EQ(RepModele(), m_racine + QStringLiteral("/prog/modele"));
    EXPECT_EQ(DossierModele, modele + QStringLiteral("1/"));
    EXPECT_EQ(DossierArbre, modele + QStringLiteral("1/arbre/"));
    EXPECT_EQ(DossierRapport, modele + QStringLiteral("1/rapport/"));
    EXPECT_EQ(DossierCarte, modele + QStringLiteral("1/carte/"));
    EXPECT_EQ(DossierLieu, modele + QStringLiteral("1/lieu/"));
    EXPECT_EQ(DossierImageArbre, modele + QStringLiteral("0/ImageArbre/"));
    EXPECT_EQ(FichierFete, modele + QStringLiteral("1/Fete.mv"));
    EXPECT_TRUE(QDir(DossierParamUser).exists());
    EXPECT_TRUE(QDir(DossierGenealogie).exists());
    EXPECT_EQ(FichierAnniFete, DossierParamUser + QStringLiteral("AnniFete.mv"));
}

TEST_F(Chemins, MediaPathsAreFoundInOrder)
{
    const QString modele = m_racine + QStringLiteral("/prog/modele/");
    const QString base = m_racine + QStringLiteral("/base/");
    EXPECT_EQ(CheminMedia(QString()), QString());
    EXPECT_EQ(CheminMedia(QStringLiteral("C:\\Photos\\absent.jpg")), QString());

    // A path that exists is returned as it is, letter case included.
    cree(m_racine + QStringLiteral("/ailleurs/Jean.PNG"));
    EXPECT_EQ(CheminMedia(m_racine + QStringLiteral("/ailleurs/Jean.PNG")),
              m_racine + QStringLiteral("/ailleurs/Jean.PNG"));

    // A Windows path stored on another machine: its file name is looked for.
    cree(m_racine + QStringLiteral("/prog/p.bmp"));
    EXPECT_EQ(CheminMedia(QStringLiteral("D:\\vieux\\p.bmp")), m_racine + QStringLiteral("/prog/p.bmp"));
    cree(base + QStringLiteral("p.bmp"));
    EXPECT_EQ(CheminMedia(QStringLiteral("D:\\vieux\\p.bmp")), base + QStringLiteral("p.bmp"));
    cree(modele + QStringLiteral("p.bmp"));
    EXPECT_EQ(CheminMedia(QStringLiteral("D:p.bmp")), modele + QStringLiteral("p.bmp"));

    // The ".jpg" variant, in the database folder only.
    cree(base + QStringLiteral("scan.jpg"));
    EXPECT_EQ(CheminMedia(QStringLiteral("/x/scan.tif")), base + QStringLiteral("scan.jpg"));
    EXPECT_EQ(CheminMedia(QStringLiteral("/x/scan")), base + QStringLiteral("scan.jpg"));
    cree(modele + QStringLiteral("tex.jpg"));
    EXPECT_EQ(CheminMedia(QStringLiteral("/x/tex.png")), QString());

    // Without an open database the database folder is not searched.
    FichierCourant.clear();
    EXPECT_EQ(CheminMedia(QStringLiteral("/x/scan.tif")), QString());
    // A path naming a folder is not a picture.
    EXPECT_EQ(CheminMedia(QStringLiteral("c:\\dossier\\")), QString());
}

TEST_F(Chemins, RelativePathsAndFileNames)
{
    const QString modele = m_racine + QStringLiteral("/prog/modele/");
    EXPECT_EQ(CheminRelatif(modele + QStringLiteral("tex.jpg")), u"tex.jpg");
    EXPECT_EQ(CheminRelatif(m_racine + QStringLiteral("/prog/logo.png")), u"logo.png");
    // Letter case of the folder does not matter; other folders are kept whole.
    EXPECT_EQ(CheminRelatif(modele.toUpper() + QStringLiteral("tex.jpg")), u"tex.jpg");
    const QString autre = m_racine + QStringLiteral("/base/photo.jpg");
    EXPECT_EQ(CheminRelatif(autre), autre);
    EXPECT_EQ(CheminRelatif(QStringLiteral("photo.jpg")), u"photo.jpg");
    EXPECT_EQ(CheminRelatif(modele + QStringLiteral("sous/tex.jpg")), modele + QStringLiteral("sous/tex.jpg"));

    EXPECT_EQ(NomDeFichier(QStringLiteral("C:\\a\\b.jpg")), u"b.jpg");
    EXPECT_EQ(NomDeFichier(QStringLiteral("/a/b.jpg")), u"b.jpg");
    EXPECT_EQ(NomDeFichier(QStringLiteral("C:b.jpg")), u"b.jpg");
    EXPECT_EQ(NomDeFichier(QStringLiteral("b.jpg")), u"b.jpg");

    EXPECT_TRUE(ShellFolder(QStringLiteral("Personal")).endsWith(QLatin1Char('/')));
    EXPECT_TRUE(ShellFolder(QStringLiteral("Inconnu")).isEmpty());
}

TEST(Fetes, TheShippedFileHoldsEveryDayOfTheYear)
{
    ASSERT_TRUE(LitFetes(QStringLiteral(LIGNEE_MODELE "/1/Fete.mv")));
    int jours = 0;
    for (int mois = 1; mois <= 12; ++mois) {
        for (int jour = 1; jour <= 31; ++jour) {
            const QString attendu = FeteFrancaise(mois, jour);
            EXPECT_EQ(TableFetes().Get(mois, jour), attendu) << mois << "/" << jour;
            jours += attendu.isEmpty() ? 0 : 1;
        }
    }
    EXPECT_EQ(jours, 366);
    EXPECT_EQ(TableFetes().Get(12, 31), u"Sylvestre");
    EXPECT_EQ(TableFetes().Get(2, 29), u"Auguste");
    EXPECT_TRUE(FeteFrancaise(2, 30).isEmpty());
    EXPECT_TRUE(FeteFrancaise(13, 1).isEmpty());
}

TEST(Fetes, WritingKeepsOtherSectionsAndReadsBackInWindows1252)
{
    QTemporaryDir tmp;
    const QString chemin = tmp.path() + QStringLiteral("/Fete.mv");
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[Autre]\r\ncle=valeur\r\n");
    f.close();
    ASSERT_TRUE(EcritFetesFrancaises(chemin));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray octets = f.readAll();
    EXPECT_TRUE(octets.startsWith("[Autre]\r\ncle=valeur\r\n"));
    // "Fêtes" and "Geneviève" in Windows-1252.
    EXPECT_TRUE(octets.contains("[F\xEAtes]"));
    EXPECT_TRUE(octets.contains("m1j3=Genevi\xE8ve"));
    ASSERT_TRUE(LitFetes(chemin));
    EXPECT_EQ(TableFetes().Get(1, 3), u"Geneviève");
    EXPECT_FALSE(LitFetes(tmp.path() + QStringLiteral("/absent.mv")));
}

} // namespace
