#include "Look.h"

#include "Chemins.h"
#include "Globales.h"
#include "Ini.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

TColor rgb(int r, int g, int b)
{
    return static_cast<TColor>(r + 256 * g + 65536 * b);
}

TLigne ligne(const QString &texte, const QString &fonte, int hauteur, std::uint8_t style = 0,
             std::uint8_t alignement = AlignGauche, TColor couleur = clBlack)
{
    return {texte, {fonte, couleur, hauteur, style, alignement}};
}

// The default look shipped with the program (modele/1/arbre/defaut.mva).
TLooks lookLivre()
{
    TLooks looks;
    for (int n = 1; n <= 2; ++n) {
        T1Aff &a = looks[n];
        a.Relier = 2;
        for (int k = 1; k <= 9; ++k)
            a.RelierTexture[k] = QStringLiteral("Lien%1.png").arg(k);
        a.RelierLarge = 1;
        a.NbreGen = 3;
        a.EcatHorz = 30;
        a.EcartVert = 40;
        a.Large = 140;
        a.Zoom = 100;
        a.Style = 2;
        TLook &l = a.Look;
        const QString arial = QStringLiteral("Arial");
        l.LigneNbre = 4;
        l.Ligne[0] = ligne(QStringLiteral("<nom>"), arial, 14, fsGras, AlignCentre);
        l.Ligne[1] = ligne(QStringLiteral("<prénom>"), arial, 12, 0, AlignCentre);
        l.Ligne[2] = ligne(QStringLiteral("° <naissance>"), arial, 12, 0, AlignCentre);
        l.Ligne[3] = ligne(QStringLiteral("+ <décès>"), arial, 12, 0, AlignCentre);
        l.Homme = {rgb(173, 216, 230), QString(), false, true, false, true, 1};
        l.Femme = {rgb(255, 182, 193), QString(), false, true, true, true, 1};
        l.MargeHaut = l.MargeBas = 5;
        l.MargeDroite = l.MargeGauche = 3;
    }
    return looks;
}

class Look : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_tmp.isValid());
        m_racine = m_tmp.path() + QLatin1Char('/');
        SetDossierProgramme(m_racine + QStringLiteral("prog"));
        SetRepModele(m_racine + QStringLiteral("prog/modele"));
        DossierImageArbre = m_racine + QStringLiteral("prog/modele/0/ImageArbre/");
        FichierCourant = m_racine + QStringLiteral("base/famille.mvd");
        ASSERT_TRUE(QDir().mkpath(DossierImageArbre));
        ASSERT_TRUE(QDir().mkpath(m_racine + QStringLiteral("base")));
    }
    void TearDown() override
    {
        NomLook = m_nomLook;
        TextEcran = m_textEcran;
        DossierImageArbre = m_dossierImageArbre;
        FichierCourant = m_fichierCourant;
        CouleurEcran = m_couleurEcran;
        SetDossierProgramme(QString());
        SetRepModele(QString());
    }

    QString chemin(const QString &nom) const { return m_racine + nom; }
    static void ecrit(const QString &chem, const QByteArray &octets)
    {
        QFile f(chem);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(octets);
    }
    static QByteArray lit(const QString &chem)
    {
        QFile f(chem);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir m_tmp;
    QString m_racine;
    const QString m_nomLook = NomLook, m_textEcran = TextEcran, m_dossierImageArbre = DossierImageArbre,
                  m_fichierCourant = FichierCourant;
    const TColor m_couleurEcran = CouleurEcran;
};

TEST_F(Look, AMissingFileGivesTheDefaultsAndTheDefaultName)
{
    ecrit(RepModele() + QStringLiteral("/Lien3"), "x"); // the only link picture found
    TLooks looks = lookLivre();
    CouleurEcran = clRed;
    TextEcran = QStringLiteral("ancien.jpg");
    LitLook(chemin(QStringLiteral("absent.mva")), looks);
    EXPECT_EQ(NomLook, NomModeleDefaut);
    EXPECT_EQ(CouleurEcran, clWhite);
    EXPECT_TRUE(TextEcran.isEmpty());

    T1Aff attendu;
    attendu.Relier = 2;
    attendu.RelierTexture[3] = RepModele() + QStringLiteral("/Lien3");
    attendu.RelierLarge = 1;
    attendu.NbreGen = 3;
    attendu.EcatHorz = attendu.EcartVert = 50;
    attendu.Large = attendu.Zoom = 100;
    attendu.Style = 2;
    attendu.Look.LigneNbre = 1;
    attendu.Look.Ligne[0] = ligne(QStringLiteral("<nom> <prénom>"), QStringLiteral("MS Sans Serif"), 12);
    attendu.Look.Homme = {rgb(128, 255, 255), QString(), false, false, false, true, 0};
    attendu.Look.Femme = {rgb(255, 255, 128), QString(), false, false, true, true, 0};
    EXPECT_EQ(looks[1], attendu);
    EXPECT_EQ(looks[2], attendu);

    NomLook = QStringLiteral("inchangé");
    TLooks parDefaut;
    LooksParDefaut(parDefaut);
    EXPECT_EQ(NomLook, u"inchangé");
    EXPECT_EQ(parDefaut, looks);
}

TEST_F(Look, ColourAndFontStyleTexts)
{
    const std::pair<const char *, TColor> couleurs[] = {
        {"255255255", clWhite}, {"001002003", rgb(1, 2, 3)},
        {"12", rgb(12, 255, 255)},         // missing groups are 255
        {"300000000", rgb(44, 0, 0)},      // low 8 bits of each group
        {"abc128x2z", rgb(255, 128, 255)}, // a group that is no number is 255
        {"0010020039", rgb(1, 2, 3)},
    };
    for (const auto &[texte, couleur] : couleurs)
        EXPECT_EQ(StrVersCouleur(QLatin1String(texte)), couleur) << texte;
    EXPECT_EQ(CouleurVersStr(rgb(1, 20, 255)), u"001020255");
    EXPECT_EQ(CouleurVersStr(0x80000005u), u"005000000"); // the high byte is not written

    const std::pair<const char *, int> styles[] = {
        {"BIUS", fsGras | fsItalique | fsSouligne | fsBarre}, {"b", 0}, {"  U", fsSouligne},
        {"B  S", fsGras | fsBarre}, {"IB", 0}, {"", 0},
    };
    for (const auto &[texte, style] : styles)
        EXPECT_EQ(StrVersStyle(QLatin1String(texte)), style) << texte;
    EXPECT_EQ(StyleVersStr(fsGras | fsBarre), u"B  S");
    for (int s = 0; s < 16; ++s)
        EXPECT_EQ(StrVersStyle(StyleVersStr(static_cast<std::uint8_t>(s))), s);
}

TEST_F(Look, BoxHeightAndSteps)
{
    struct Cas {
        std::vector<int> hauteurs;
        int ligneNbre, haut, bas, hauteur;
    };
    const Cas cas[] = {
        {{12, 13}, 2, 10, 10, 31}, // 31.25
        {{5}, 1, 40, 20, 12},      // 12.5: halves go to the even neighbour
        {{3}, 1, 40, 20, 8},       // 7.5
        {{12, 13}, 0, 0, 0, 0},    {{12, 13}, 1, 0, 0, 12}, {{12, 13}, 51, 0, 0, 0},
        {{12}, 1, 60, 40, 1200},   // margins of 100 or more count as 99
        {{12}, 1, 90, 90, 1200},   {{12}, 1, -50, -50, 6},
        {{-5, -7}, 2, 0, 0, 0},    {{60000, 6000}, 2, 0, 0, 65535}, // within 16 bits
    };
    for (const Cas &c : cas) {
        TLooks looks;
        TLook &l = looks[2].Look;
        for (size_t i = 0; i < c.hauteurs.size(); ++i)
            l.Ligne[i].Fonte.Hauteur = c.hauteurs[i];
        l.LigneNbre = c.ligneNbre;
        l.MargeHaut = c.haut;
        l.MargeBas = c.bas;
        EXPECT_EQ(CalculHauteur(looks, 2), c.hauteur) << c.ligneNbre << " lines, " << c.haut << "/" << c.bas;
        EXPECT_EQ(CalculHauteur(looks, 1) + CalculHauteur(looks, 0) + CalculHauteur(looks, 3), 0);
    }

    struct Pas {
        int ecartHorz, large, ecartVert, hauteur, pasHorz, pasVert;
    };
    const Pas pas[] = {
        {50, 100, 50, 25, 50, 12},              // 12.5 goes to 12
        {30, 145, 30, 45, 44, 14},              // 43.5 to 44, 13.5 to 14
        {100000, 100000, 40, 10, 100000000, 4}, // no 32-bit overflow
    };
    for (const Pas &p : pas) {
        TLooks looks;
        T1Aff &a = looks[1];
        a.EcatHorz = p.ecartHorz;
        a.Large = p.large;
        a.EcartVert = p.ecartVert;
        a.Look.LigneNbre = 1;
        a.Look.Ligne[0].Fonte.Hauteur = p.hauteur;
        CalculPas(looks, 1);
        EXPECT_EQ(a.HauteurBoite, p.hauteur);
        EXPECT_EQ(a.PasHorz, p.pasHorz);
        EXPECT_EQ(a.PasVert, p.pasVert);
    }
}

TEST_F(Look, TheLineCountIsKeptWithinTheRecord)
{
    const std::pair<const char *, int> cas[] = {{"0", 0}, {"3", 3}, {"51", 50}, {"70", 50}, {"-3", 0}, {"x", 1}};
    for (const auto &[valeur, lignes] : cas) {
        QByteArray texte = "[Look 2]\r\nLigneNbre=" + QByteArray(valeur) + "\r\n[Ligne 2]\r\n";
        for (int i = 0; i <= 50; ++i)
            texte += "FH" + QByteArray::number(i) + "=" + QByteArray::number(i + 1) + "\r\n";
        ecrit(chemin(QStringLiteral("n.mva")), texte);
        TLooks looks;
        LitLook(chemin(QStringLiteral("n.mva")), looks);
        const TLook &l = looks[2].Look;
        EXPECT_EQ(l.LigneNbre, lignes) << valeur;
        EXPECT_EQ(CalculHauteur(looks, 2), lignes * (lignes + 1) / 2) << valeur;
        for (int i = 0; i < NbreLignesMax; ++i) // slots beyond the count stay empty
            EXPECT_EQ(l.Ligne[i] == TLigne(), i >= lignes) << valeur << " slot " << i;
    }
}

TEST_F(Look, ABrokenFileReadsWithoutHarm)
{
    TLooks looks;
    LitLook(QStringLiteral(LIGNEE_FIXTURES "/look/casse.mva"), looks);
    EXPECT_EQ(NomLook, u"casse");
    EXPECT_EQ(CouleurEcran, rgb(44, 0, 0));
    EXPECT_TRUE(TextEcran.isEmpty()); // absent from the pictures folder

    const T1Aff &a = looks[1];
    EXPECT_EQ(a.Relier, 3);        // 0x103, low 8 bits
    EXPECT_EQ(a.RelierLarge, 1);   // "deux"
    EXPECT_EQ(a.NbreGen, 10);      // 0X0A
    EXPECT_EQ(a.EcatHorz, -5);
    EXPECT_EQ(a.Large, 100);       // "abc"
    EXPECT_EQ(a.Zoom, 100);        // empty
    EXPECT_EQ(a.Style, 2);         // 258
    EXPECT_EQ(a.RelierColor, rgb(12, 255, 255));
    EXPECT_EQ(a.Look.LigneNbre, 50);
    EXPECT_TRUE(a.Look.Homme.Ombre); // 7
    EXPECT_TRUE(a.Look.Homme.Cadre); // "non" is no number
    EXPECT_FALSE(a.Look.Femme.Arrondis);
    EXPECT_EQ(a.Look.Ligne[0], ligne(QStringLiteral("° <naissance>"), QStringLiteral("MS Sans Serif"), 2, 0,
                                     AlignCentre)); // "b" is no style; 0x102
    EXPECT_EQ(a.Look.Ligne[49].Texte, u"dernière");
    EXPECT_EQ(a.Look.Ligne[50], TLigne());
    EXPECT_EQ(CalculHauteur(looks, 1), 58000); // 2 + 48 x 12 + 2, margins 60 + 40 counted as 99
    EXPECT_EQ(looks[2].Look.LigneNbre, 0);
    EXPECT_TRUE(looks[2].RelierTexture[1].isEmpty());
}

TEST_F(Look, WriteThenReadGivesBackEveryStoredField)
{
    const QString modele = RepModele() + QLatin1Char('/');
    const QString base = m_racine + QStringLiteral("base/");
    ecrit(modele + QStringLiteral("Lien1.png"), "x");
    ecrit(DossierProgramme() + QStringLiteral("Lien2.png"), "x");
    ecrit(base + QStringLiteral("Lien3.png"), "x");
    ecrit(DossierImageArbre + QStringLiteral("ecran.png"), "x");

    TLooks ecrits;
    for (int n = 1; n <= 2; ++n) {
        T1Aff &a = ecrits[n];
        a.Relier = static_cast<std::uint8_t>(n);
        a.RelierColor = rgb(10 * n, 20, 30);
        a.RelierTexture[1] = modele + QStringLiteral("Lien1.png");
        a.RelierTexture[2] = DossierProgramme() + QStringLiteral("Lien2.png");
        a.RelierTexture[3] = base + QStringLiteral("Lien3.png");
        a.RelierTexture[4] = m_racine + QStringLiteral("disparu/Lien4.png");
        a.RelierLarge = 2 + n;
        a.NbreGen = 4 + n;
        a.EcatHorz = 20 + n;
        a.EcartVert = 30 + n;
        a.Large = 150 + n;
        a.Zoom = 80 + n;
        a.Style = static_cast<std::uint8_t>(2 + n);
        TLook &l = a.Look;
        l.LigneNbre = n == 1 ? 3 : 5;
        for (int i = 0; i < l.LigneNbre; ++i)
            l.Ligne[i] = ligne(QStringLiteral("<nom> %1 é").arg(i), QStringLiteral("F%1").arg(i), 9 + i,
                               static_cast<std::uint8_t>((i * 5 + n) % 16), static_cast<std::uint8_t>(i % 3),
                               rgb(i, 2 * i, 3 * i));
        l.Homme = {rgb(1, 2, n), modele + QStringLiteral("homme.png"), true, n == 1, false, true, 2};
        l.Femme = {rgb(4, 5, n), QStringLiteral("<nom>.jpg"), false, true, n == 2, false, 3};
        l.MargeHaut = 10 + n;
        l.MargeBas = 20 + n;
        l.MargeDroite = 30 + n;
        l.MargeGauche = 40 + n;
    }
    CouleurEcran = rgb(7, 8, 9);
    TextEcran = QStringLiteral("ecran.png");
    const QString c = chemin(QStringLiteral("Mon.Look.mva"));
    ASSERT_TRUE(SauveLook(c, ecrits));

    // Bare names for the models and program folders only.
    const TIniFile ini(c, TEncodage::Windows1252);
    const QString aff = QStringLiteral("Aff 2");
    EXPECT_EQ(ini.ReadString(aff, QStringLiteral("RelierTexture 1")), u"Lien1.png");
    EXPECT_EQ(ini.ReadString(aff, QStringLiteral("RelierTexture 2")), u"Lien2.png");
    EXPECT_EQ(ini.ReadString(aff, QStringLiteral("RelierTexture 3")), base + QStringLiteral("Lien3.png"));
    EXPECT_EQ(ini.ReadString(QStringLiteral("Look 1"), QStringLiteral("HTexture")), u"homme.png");

    CouleurEcran = clBlack;
    TextEcran.clear();
    TLooks lus;
    LitLook(c, lus);
    EXPECT_EQ(NomLook, u"Mon.Look");
    EXPECT_EQ(CouleurEcran, rgb(7, 8, 9));
    EXPECT_EQ(TextEcran, u"ecran.png");
    for (int n = 1; n <= 2; ++n) {
        // Link pictures found again, or not at all; the men's texture as stored.
        ecrits[n].RelierTexture[4].clear();
        ecrits[n].Look.Homme.Texture = QStringLiteral("homme.png");
        EXPECT_EQ(lus[n], ecrits[n]) << n;
    }

    QFile::remove(DossierImageArbre + QStringLiteral("ecran.png"));
    ecrit(chemin(QStringLiteral("Vieux.look")), "[Lignee]\r\nTextEcran=ecran.png\r\n");
    LitLook(chemin(QStringLiteral("Vieux.look")), lus);
    EXPECT_EQ(NomLook, u"Vieux"); // the whole extension goes
    EXPECT_TRUE(TextEcran.isEmpty());
}

TEST_F(Look, SavingUpdatesTheFileInPlace)
{
    const QString c = chemin(QStringLiteral("maj.mva"));
    ecrit(c, "; mon look\r\n[Aff 1]\r\nPerso=42\r\nLarge=10\r\n[Look 1]\r\nLigneNbre=5\r\n[Ligne 1]\r\n"
             "LC0=a\r\nLC1=b\r\nLC2=c\r\nLC3=quatre\r\nLC4=cinq\r\n[Autre]\r\nx=y\r\n");
    TLooks looks;
    LitLook(c, looks);
    ASSERT_EQ(looks[1].Look.LigneNbre, 5);
    looks[1].Look.LigneNbre = 3;
    looks[1].Look.Ligne[0].Texte = QStringLiteral("A");
    looks[1].Large = 120;
    ASSERT_TRUE(SauveLook(c, looks));

    const TIniFile ini(c, TEncodage::Windows1252);
    EXPECT_TRUE(ini.Text().startsWith(QStringLiteral("; mon look\r\n[Aff 1]\r\nPerso=42\r\nLarge=120\r\n")));
    EXPECT_EQ(ini.ReadString(QStringLiteral("Ligne 1"), QStringLiteral("LC3")), u"quatre");
    EXPECT_EQ(ini.ReadString(QStringLiteral("Ligne 1"), QStringLiteral("LC4")), u"cinq");
    EXPECT_EQ(ini.ReadString(QStringLiteral("Autre"), QStringLiteral("x")), u"y");
    TLooks relus;
    LitLook(c, relus);
    looks[1].Look.Ligne[3] = looks[1].Look.Ligne[4] = TLigne(); // beyond the count: read empty
    EXPECT_EQ(relus[1], looks[1]);
}

TEST_F(Look, ANewFileHasItsKeysInOrderInWindows1252)
{
    TLooks looks;
    LooksParDefaut(looks);
    looks[1].Look.LigneNbre = 2;
    looks[1].Look.Ligne[1] = ligne(QStringLiteral("é"), QStringLiteral("Arial"), 10, fsItalique);
    looks[2].Look.LigneNbre = 80; // never written past the slots
    const QString c = chemin(QStringLiteral("neuf.mva"));
    ASSERT_TRUE(SauveLook(c, looks));

    const QByteArray octets = lit(c);
    EXPECT_TRUE(octets.startsWith("[Lignee]\r\nVersion=30\r\nColorEcran=255255255\r\nTextEcran=\r\n"));
    EXPECT_TRUE(octets.contains("\r\nLC1=\xE9\r\nFN1=Arial\r\nFC1=000000000\r\nFH1=10\r\nFS1=I\r\nFA1=0\r\n"));
    const TIniFile ini(c, TEncodage::Windows1252);
    EXPECT_EQ(ini.Sections().join(u','), u"Lignee,Aff 1,Look 1,Ligne 1,Aff 2,Look 2,Ligne 2");
    EXPECT_EQ(ini.ReadSection(QStringLiteral("Aff 2")).mid(0, 10).join(u','),
              u"Relier,RelierLarge,NbreGen,EcatHorz,EcartVert,Large,Style,Zoom,RelierColor,RelierTexture 1");
    EXPECT_EQ(ini.ReadSection(QStringLiteral("Look 1")).join(u','),
              u"LigneNbre,HColor,FColor,HTexture,FTexture,HStretch,FStretch,HOmbre,FOmbre,HArrondis,"
              "FArrondis,HCadre,FCadre,HFond,FFond,MargeHaut,MargeBas,MargeDroite,MargeGauche");
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("Look 2"), QStringLiteral("LigneNbre")), 50);
    EXPECT_EQ(ini.ReadSection(QStringLiteral("Ligne 2")).size(), 50 * 6);

    TLooks relus;
    LitLook(c, relus);
    EXPECT_EQ(relus[1].Look.Ligne[1], looks[1].Look.Ligne[1]); // italic kept though the blanks went
    EXPECT_FALSE(SauveLook(chemin(QStringLiteral("pas/de/dossier.mva")), looks));
}

TEST_F(Look, TheShippedDefaultLookLoads)
{
    const QString c = QStringLiteral(LIGNEE_MODELE "/1/arbre/defaut.mva");
    ASSERT_TRUE(QFile::exists(c));
    TLooks looks;
    LitLook(c, looks);
    EXPECT_EQ(NomLook, u"defaut");
    EXPECT_EQ(CouleurEcran, clWhite);
    TLooks attendus = lookLivre();
    for (int n = 1; n <= 2; ++n) {
        for (int k = 1; k <= 9; ++k) // not found in the test's models folder
            attendus[n].RelierTexture[k].clear();
        EXPECT_EQ(looks[n], attendus[n]) << n;
        CalculPas(looks, n);
        EXPECT_EQ(looks[n].HauteurBoite, 56); // 50 x 100 / 90
        EXPECT_EQ(looks[n].PasHorz, 42);
        EXPECT_EQ(looks[n].PasVert, 22);
    }

    // The file is exactly what the writer makes of that look.
    TextEcran.clear();
    ASSERT_TRUE(SauveLook(chemin(QStringLiteral("defaut.mva")), lookLivre()));
    const QByteArray livre = lit(c);
    EXPECT_EQ(livre, lit(chemin(QStringLiteral("defaut.mva"))));
    EXPECT_TRUE(livre.contains("LC2=\xB0 <naissance>\r\n"));
    EXPECT_TRUE(livre.contains("RelierTexture 9=Lien9.png\r\n"));
}

} // namespace
