#include "Chemins.h"
#include "Dates.h"
#include "Fetes.h"
#include "Globales.h"
#include "ModelesUtilisateur.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

class Chemins : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_tmp.isValid());
        SetDossierProgramme(m_racine + u"/prog"_s);
        SetRepModele(m_racine + u"/prog/modele"_s);
        FichierCourant = m_racine + u"/base/famille.mvd"_s;
    }
    void TearDown() override
    {
        QDir::setCurrent(m_dossierCourant);
        FichierCourant.clear();
        SetDossierProgramme(QString());
        SetRepModele(QString());
    }
    // Creates an empty file, and its folder when missing; returns its path.
    QString cree(const QString &chemin)
    {
        QDir().mkpath(chemin.left(chemin.lastIndexOf(u'/')));
        QFile f(chemin);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly)) << qPrintable(chemin);
        return chemin;
    }

    const QString m_dossierCourant = QDir::currentPath();
    QTemporaryDir m_tmp;
    const QString m_racine = m_tmp.path();
    const QString m_modele = m_racine + u"/prog/modele/"_s;
    const QString m_base = m_racine + u"/base/"_s;
};

// Run from its build folder the program finds the models beside it;
// installed, in its data folder; the path it reports when both lack the
// language file is the one beside it.
TEST_F(Chemins, TheModelsFolderBesideTheProgramElseInstalled)
{
    SetRepModele(QString());
    const QString programme = m_racine + u"/usr/bin"_s;
    const QString installe = m_racine + u"/usr/share/lignee/modele"_s;
    QDir().mkpath(programme + u"/modele"_s);
    SetDossierProgramme(programme);
    EXPECT_EQ(RepModele(), programme + u"/modele"_s);
    cree(installe + u"/langue.txt"_s);
    EXPECT_EQ(RepModele(), installe);
    EXPECT_EQ(FichierLangue(), installe + u"/langue.txt"_s);
    cree(programme + u"/modele/langue.txt"_s);
    EXPECT_EQ(RepModele(), programme + u"/modele"_s);
}

TEST_F(Chemins, FoldersFollowTheModelsFolderAndTheLanguage)
{
    ASSERT_TRUE(InitialiseDossiers(2, m_racine + u"/user"_s));
    EXPECT_EQ(RepModele(), m_racine + u"/prog/modele"_s);
    EXPECT_EQ((QStringList{DossierModele, DossierArbre, DossierRapport, DossierCarte, DossierLieu,
                           DossierImageArbre, FichierFete}),
              (QStringList{m_modele + u"2/"_s, m_modele + u"2/arbre/"_s, m_modele + u"2/rapport/"_s,
                           m_modele + u"2/carte/"_s, m_modele + u"2/lieu/"_s, m_modele + u"0/ImageArbre/"_s,
                           m_modele + u"2/Fete.mv"_s}));
    EXPECT_TRUE(QDir(DossierParamUser).exists() && QDir(DossierGenealogie).exists());
    EXPECT_EQ(FichierAnniFete, DossierParamUser + u"AnniFete.mv"_s);
    // The user's models mirror the shipped folders in the user's data folder.
    const QString user = m_racine + u"/user/donnees/modele/2/"_s;
    EXPECT_EQ((QStringList{DossierArbreUser, DossierRapportUser, DossierCarteUser}),
              (QStringList{user + u"arbre/"_s, user + u"rapport/"_s, user + u"carte/"_s}));
    EXPECT_EQ(DossiersRapport().User, DossierRapportUser);
    EXPECT_EQ(DossiersCarte().Livre, DossierCarte);
    EXPECT_EQ(DossierImageArbreUser, m_racine + u"/user/donnees/modele/0/ImageArbre/"_s);
    EXPECT_EQ(DossierImagesCopiees(), DossierImageArbreUser);
    // The artistic print window's folders: models by language, pictures and
    // skin shared by every language, the user's models beside the others.
    EXPECT_EQ((QStringList{DossierImpressionModeles, DossierImpressionImages, DossierImpressionSkin,
                           DossierImpressionModelesUser}),
              (QStringList{m_modele + u"2/impression/modeles/"_s, m_modele + u"0/impression/images/"_s,
                           m_modele + u"0/impression/skin/"_s, user + u"impression/modeles/"_s}));

    // A tree picture is read from the user's folder first.
    cree(DossierImageArbre + u"bois.jpg"_s);
    cree(DossierImageArbre + u"fond.png"_s);
    cree(DossierImageArbreUser + u"fond.png"_s);
    EXPECT_EQ(CheminImageArbre(u"bois.jpg"_s), DossierImageArbre + u"bois.jpg"_s);
    EXPECT_EQ(CheminImageArbre(u"fond.png"_s), DossierImageArbreUser + u"fond.png"_s);
    EXPECT_EQ(CheminImageArbre(u"absent.png"_s), DossierImageArbre + u"absent.png"_s);
    EXPECT_EQ(CheminImageArbre(QString()), QString());
}

// Models are listed from both folders, one per name, the user's where both
// have it; read from the user's folder first; written only there.
TEST_F(Chemins, UserModelsHideShippedOnesOfTheSameName)
{
    const TDossiersModeles dossiers{m_racine + u"/user/"_s, m_modele + u"1/rapport/"_s};
    for (const char *nom : {"defaut.mvr", "Bleu.mvr", "Standard.MVR", "notes.txt", ".mvr"})
        cree(dossiers.Livre + QLatin1String(nom));
    for (const char *nom : {"bleu.mvr", "perso.mvr"})
        cree(dossiers.User + QLatin1String(nom));
    EXPECT_EQ(FichiersModeles(dossiers, u".mvr"_s),
              (QStringList{dossiers.User + u"bleu.mvr"_s, dossiers.Livre + u"defaut.mvr"_s,
                           dossiers.User + u"perso.mvr"_s, dossiers.Livre + u"Standard.MVR"_s}));
    EXPECT_EQ(NomsModeles(dossiers, u".mvr"_s), (QStringList{u"bleu"_s, u"defaut"_s, u"perso"_s, u"Standard"_s}));

    const struct {
        const char *nom;
        QString lu, ecrit;
    } cas[] = {
        {"BLEU", dossiers.User + u"bleu.mvr"_s, dossiers.User + u"bleu.mvr"_s},
        {"defaut", dossiers.Livre + u"defaut.mvr"_s, dossiers.User + u"defaut.mvr"_s},
        {"DEFAUT", dossiers.Livre + u"defaut.mvr"_s, dossiers.User + u"defaut.mvr"_s},
        {"standard", dossiers.Livre + u"Standard.MVR"_s, dossiers.User + u"Standard.MVR"_s},
        {"nouveau", dossiers.Livre + u"nouveau.mvr"_s, dossiers.User + u"nouveau.mvr"_s},
    };
    for (const auto &c : cas) {
        EXPECT_EQ(FichierModele(dossiers, QLatin1String(c.nom), u".mvr"_s), c.lu) << c.nom;
        EXPECT_EQ(FichierModeleAEcrire(dossiers, QLatin1String(c.nom), u".mvr"_s), c.ecrit) << c.nom;
    }

    // The user's folder is made when a model is first written to it.
    const TDossiersModeles neufs{m_racine + u"/neuf/rapport/"_s, dossiers.Livre};
    EXPECT_EQ(NomsModeles(neufs, u".mvr"_s), (QStringList{u"Bleu"_s, u"defaut"_s, u"Standard"_s}));
    EXPECT_EQ(FichierModeleAEcrire(neufs, u"Bleu"_s, u".mvr"_s), neufs.User + u"Bleu.mvr"_s);
    EXPECT_TRUE(QDir(neufs.User).exists());
    // Without a user's folder, the one folder given is read and written.
    const TDossiersModeles seul{QString(), dossiers.Livre};
    EXPECT_EQ(NomsModeles(seul, u".mvr"_s), NomsModeles(neufs, u".mvr"_s));
    EXPECT_EQ(FichierModeleAEcrire(seul, u"defaut"_s, u".mvr"_s), dossiers.Livre + u"defaut.mvr"_s);
}

TEST_F(Chemins, MediaPathsAreFoundInOrder)
{
    EXPECT_EQ(CheminMedia(QString()), QString());
    EXPECT_EQ(CheminMedia(u"C:\\Photos\\absent.jpg"_s), QString());
    // A path that exists is returned as it is, letter case included.
    const QString ailleurs = cree(m_racine + u"/ailleurs/Jean.PNG"_s);
    EXPECT_EQ(CheminMedia(ailleurs), ailleurs);

    // A Windows path stored on another machine: its file name is looked for,
    // in the models folder, then the database folder, then the program folder.
    for (const QString &dossier : {m_racine + u"/prog/"_s, m_base, m_modele}) {
        const QString trouve = cree(dossier + u"p.bmp"_s);
        EXPECT_EQ(CheminMedia(u"D:\\vieux\\p.bmp"_s), trouve);
        EXPECT_EQ(CheminMedia(u"D:p.bmp"_s), trouve);
    }

    // The ".jpg" variant, in the database folder only.
    const QString scan = cree(m_base + u"scan.jpg"_s);
    EXPECT_EQ(CheminMedia(u"/x/scan.tif"_s), scan);
    EXPECT_EQ(CheminMedia(u"/x/scan"_s), scan);
    cree(m_modele + u"tex.jpg"_s);
    EXPECT_EQ(CheminMedia(u"/x/tex.png"_s), QString());

    // Without an open database neither its folder nor the working folder is
    // searched.
    FichierCourant.clear();
    QDir::setCurrent(m_base);
    EXPECT_EQ(CheminMedia(u"/x/scan.tif"_s), QString());
    // A path naming a folder is not a picture.
    for (const QString &dossier : {u"c:\\dossier\\"_s, m_racine + u"/ailleurs"_s})
        EXPECT_EQ(CheminMedia(dossier), QString()) << qPrintable(dossier);
}

TEST_F(Chemins, RelativePathsAndFileNames)
{
    // Letter case of the folder does not matter; other folders are kept whole.
    const QString autre = m_base + u"photo.jpg"_s, sous = m_modele + u"sous/tex.jpg"_s;
    const std::pair<QString, QString> relatifs[] = {
        {m_modele + u"tex.jpg"_s, u"tex.jpg"_s}, {m_racine + u"/prog/logo.png"_s, u"logo.png"_s},
        {m_modele.toUpper() + u"tex.jpg"_s, u"tex.jpg"_s}, {autre, autre}, {u"photo.jpg"_s, u"photo.jpg"_s},
        {sous, sous}};
    for (const auto &[chemin, attendu] : relatifs)
        EXPECT_EQ(CheminRelatif(chemin), attendu) << qPrintable(chemin);

    for (const QString &chemin : {u"C:\\a\\b.jpg"_s, u"/a/b.jpg"_s, u"C:b.jpg"_s, u"b.jpg"_s})
        EXPECT_EQ(NomDeFichier(chemin), u"b.jpg") << qPrintable(chemin);

    // Every kind of the user's folders names one, letter case ignored.
    const QStringList noms = NomsShellFolders();
    EXPECT_TRUE(noms.contains(u"Personal"_s));
    for (const QString &nom : noms) {
        EXPECT_TRUE(ShellFolder(nom).endsWith(u'/')) << qPrintable(nom);
        EXPECT_EQ(ShellFolder(nom.toUpper()), ShellFolder(nom)) << qPrintable(nom);
    }
    EXPECT_EQ(ShellFolder(u"My Music"_s), QStandardPaths::writableLocation(QStandardPaths::MusicLocation) + u'/');
    EXPECT_TRUE(ShellFolder(u"Inconnu"_s).isEmpty());
    EXPECT_TRUE(ShellFolder(QString()).isEmpty());
}

TEST(Fetes, ShippedAndWrittenFilesHoldEveryDayOfTheYear)
{
    QTemporaryDir tmp;
    const QString ecrit = tmp.path() + u"/Fete.mv"_s;
    QFile f(ecrit);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[Autre]\r\ncle=valeur\r\n");
    f.close();
    ASSERT_TRUE(EcritFetesFrancaises(ecrit));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray octets = f.readAll();
    // Other sections kept; "Fêtes" and "Geneviève" in Windows-1252.
    EXPECT_TRUE(octets.startsWith("[Autre]\r\ncle=valeur\r\n"));
    EXPECT_TRUE(octets.contains("[F\xEAtes]") && octets.contains("m1j3=Genevi\xE8ve"));

    for (const QString &chemin : {QStringLiteral(LIGNEE_MODELE "/1/Fete.mv"), ecrit}) {
        ASSERT_TRUE(LitFetes(chemin)) << qPrintable(chemin);
        int jours = 0;
        for (int mois = 1; mois <= 12; ++mois) {
            for (int jour = 1; jour <= 31; ++jour) {
                const QString attendu = FeteFrancaise(mois, jour);
                EXPECT_EQ(TableFetes().Get(mois, jour), attendu) << mois << "/" << jour;
                jours += attendu.isEmpty() ? 0 : 1;
            }
        }
        EXPECT_EQ(jours, 366);
    }
    EXPECT_EQ(TableFetes().Get(1, 3), u"Geneviève");
    EXPECT_EQ(FeteFrancaise(12, 31), u"Sylvestre");
    EXPECT_TRUE(FeteFrancaise(2, 30).isEmpty() && FeteFrancaise(13, 1).isEmpty());
    EXPECT_FALSE(LitFetes(tmp.path() + u"/absent.mv"_s));
}

} // namespace
