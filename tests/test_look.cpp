#include "Look.h"

#include "BD.h"
#include "Chemins.h"
#include "Ini.h"
#include "Modeles.h"
#include "ModelesLook.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "AideArbre.h"

using namespace Qt::StringLiterals;

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
        a = {.Relier = 2, .RelierTexture = {}, .RelierLarge = 1, .NbreGen = 3, .EcatHorz = 30,
             .EcartVert = 40, .Large = 140, .Zoom = 100, .Style = 2, .Look = {}};
        for (int k = 1; k <= 9; ++k)
            a.RelierTexture[k] = u"Lien%1.png"_s.arg(k);
        TLook &l = a.Look;
        l.LigneNbre = 4;
        l.Ligne[0] = ligne(u"<nom>"_s, u"Arial"_s, 14, fsGras, AlignCentre);
        l.Ligne[1] = ligne(u"<prénom>"_s, u"Arial"_s, 12, 0, AlignCentre);
        l.Ligne[2] = ligne(u"<naissance>"_s, u"Arial"_s, 12, 0, AlignCentre);
        l.Ligne[3] = ligne(u"<décès>"_s, u"Arial"_s, 12, 0, AlignCentre);
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
        m_racine = m_tmp.path() + u'/';
        SetDossierProgramme(m_racine + u"prog"_s);
        SetRepModele(m_racine + u"prog/modele"_s);
        DossierImageArbre = m_racine + u"prog/modele/0/ImageArbre/"_s;
        FichierCourant = m_racine + u"base/famille.mvd"_s;
        ASSERT_TRUE(QDir().mkpath(DossierImageArbre));
        ASSERT_TRUE(QDir().mkpath(m_racine + u"base"_s));
    }
    void TearDown() override
    {
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

    const GardeGlobales m_garde;
    QTemporaryDir m_tmp;
    QString m_racine;
};

TEST_F(Look, AMissingFileGivesTheDefaultsAndTheDefaultName)
{
    ecrit(RepModele() + u"/Lien3"_s, "x"); // the only link picture found
    TLooks looks = lookLivre();
    CouleurEcran = clRed;
    TextEcran = u"ancien.jpg"_s;
    LitLook(chemin(u"absent.mva"_s), looks);
    EXPECT_EQ(NomLook, NomModeleDefaut);
    EXPECT_EQ(CouleurEcran, clWhite);
    EXPECT_TRUE(TextEcran.isEmpty());

    T1Aff attendu{.Relier = 2, .RelierTexture = {}, .RelierLarge = 1, .NbreGen = 3, .EcatHorz = 50,
                  .EcartVert = 50, .Large = 100, .Zoom = 100, .Style = 2, .Look = {}};
    attendu.RelierTexture[3] = RepModele() + u"/Lien3"_s;
    attendu.Look.LigneNbre = 1;
    attendu.Look.Ligne[0] = ligne(u"<nom> <prénom>"_s, u"MS Sans Serif"_s, 12);
    attendu.Look.Homme = {rgb(128, 255, 255), QString(), false, false, false, true, 0};
    attendu.Look.Femme = {rgb(255, 255, 128), QString(), false, false, true, true, 0};
    EXPECT_EQ(looks[1], attendu);
    EXPECT_EQ(looks[2], attendu);

    NomLook = u"inchangé"_s;
    TLooks parDefaut;
    LooksParDefaut(parDefaut);
    EXPECT_EQ(NomLook, u"inchangé");
    EXPECT_EQ(parDefaut, looks);
}

TEST_F(Look, ColourAndFontStyleTexts)
{
    // The broken file has short and too large groups.
    const std::pair<const char *, TColor> couleurs[] = {
        {"255255255", clWhite}, {"0010020039", rgb(1, 2, 3)},
        {"abc128x2z", rgb(255, 128, 255)}, // a group that is no number is 255
    };
    for (const auto &[texte, couleur] : couleurs)
        EXPECT_EQ(StrVersCouleur(QLatin1String(texte)), couleur) << texte;
    EXPECT_EQ(CouleurVersStr(rgb(1, 20, 255)), u"001020255");
    EXPECT_EQ(CouleurVersStr(0x80000005u), u"005000000"); // the high byte is not written

    const std::pair<const char *, int> styles[] = {
        {"BIUS", fsGras | fsItalique | fsSouligne | fsBarre}, {"  U", fsSouligne}, {"IB", 0}, {"", 0},
    };
    for (const auto &[texte, style] : styles)
        EXPECT_EQ(StrVersStyle(QLatin1String(texte)), style) << texte;
    EXPECT_EQ(StyleVersStr(fsGras | fsBarre), u"B  S");
    for (int s = 0; s < 16; ++s)
        EXPECT_EQ(StrVersStyle(StyleVersStr(static_cast<std::uint8_t>(s))), s);
}

TEST_F(Look, BoxHeightAndSteps)
{
    const struct {
        std::vector<int> hauteurs;
        int ligneNbre, haut, bas, hauteur;
    } cas[] = {
        {{12, 13}, 2, 10, 10, 31}, // 31.25
        {{5}, 1, 40, 20, 12},      // 12.5: halves go to the even neighbour
        {{3}, 1, 40, 20, 8},       // 7.5
        {{12, 13}, 0, 0, 0, 0},    {{12, 13}, 1, 0, 0, 12}, {{12, 13}, 51, 0, 0, 0},
        {{12}, 1, 60, 40, 1200},   // margins of 100 or more count as 99
        {{12}, 1, 90, 90, 1200},   {{12}, 1, -50, -50, 6},
        {{-5, -7}, 2, 0, 0, 0},    {{60000, 6000}, 2, 0, 0, 65535}, // within 16 bits
    };
    for (const auto &c : cas) {
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

    // EcatHorz, Large, EcartVert, line height; PasHorz, PasVert.
    const std::array<int, 6> pas[] = {
        {50, 100, 50, 25, 50, 12},              // 12.5 goes to 12
        {30, 145, 30, 45, 44, 14},              // 43.5 to 44, 13.5 to 14
        {100000, 100000, 40, 10, 100000000, 4}, // no 32-bit overflow
    };
    for (const auto &[ecartHorz, large, ecartVert, hauteur, pasHorz, pasVert] : pas) {
        TLooks looks;
        T1Aff &a = looks[1];
        a = {.RelierTexture = {}, .EcatHorz = ecartHorz, .EcartVert = ecartVert, .Large = large, .Look = {}};
        a.Look.LigneNbre = 1;
        a.Look.Ligne[0].Fonte.Hauteur = hauteur;
        CalculPas(looks, 1);
        EXPECT_EQ(a.HauteurBoite, hauteur);
        EXPECT_EQ(a.PasHorz, pasHorz);
        EXPECT_EQ(a.PasVert, pasVert);
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
    EXPECT_EQ(a.Look.Ligne[0], ligne(u"° <naissance>"_s, u"MS Sans Serif"_s, 2, 0,
                                     AlignCentre)); // "b" is no style; 0x102
    EXPECT_EQ(a.Look.Ligne[49].Texte, u"dernière");
    EXPECT_EQ(a.Look.Ligne[50], TLigne());
    EXPECT_EQ(CalculHauteur(looks, 1), 58000); // 2 + 48 x 12 + 2, margins 60 + 40 counted as 99
    EXPECT_EQ(looks[2].Look.LigneNbre, 0);
    EXPECT_TRUE(looks[2].RelierTexture[1].isEmpty());
}

// Font heights from a file are kept to what a box can show: a look asking
// for 2,000,000,000 pixels gives a thumbnail at once, the one of the largest
// height kept.
TEST_F(Look, FontHeightsReadAreKeptToASaneRange)
{
    const struct {
        const char *valeur;
        int hauteur;
    } cas[] = {{"12", 12}, {"1", 1}, {"1000", 1000}, {"2000", 1000}, {"2000000000", 1000},
               {"0", 1},   {"-12", 1}, {"-2000000000", 1}, {"abc", 12}};
    for (const auto &c : cas) {
        ecrit(chemin(u"haut.mva"_s), "[Look 1]\nLigneNbre=1\n[Ligne 1]\nLC0=<nom>\nFH0="_ba + c.valeur + "\n");
        TLooks looks;
        LitLook(chemin(u"haut.mva"_s), looks);
        EXPECT_EQ(looks[1].Look.Ligne[0].Fonte.Hauteur, c.hauteur) << c.valeur;
    }

    TBD bd;
    const int p = bd.NewPerson();
    bd.SetSurname(p, u"MARTIN-DUPONT DE LA ROCHEFOUCAULD"_s);
    TLooks immense, plusGrand;
    ecrit(chemin(u"immense.mva"_s), "[Look 1]\nLigneNbre=1\n[Ligne 1]\nLC0=<nom>\nFH0=2000000000\n");
    LitLook(chemin(u"immense.mva"_s), immense);
    plusGrand = immense;
    plusGrand[1].Look.Ligne[0].Fonte.Hauteur = 1000;
    const QImage vignette = VignetteLook(immense, bd, p, true);
    ASSERT_FALSE(vignette.isNull());
    EXPECT_EQ(vignette, VignetteLook(plusGrand, bd, p, true));
}

TEST_F(Look, WriteThenReadGivesBackEveryStoredField)
{
    const QString modele = RepModele() + u'/', base = m_racine + u"base/"_s;
    ecrit(modele + u"Lien1.png"_s, "x");
    ecrit(DossierProgramme() + u"Lien2.png"_s, "x");
    ecrit(base + u"Lien3.png"_s, "x");
    ecrit(DossierImageArbre + u"ecran.png"_s, "x");

    TLooks ecrits;
    for (int n = 1; n <= 2; ++n) {
        T1Aff &a = ecrits[n];
        a = {.Relier = std::uint8_t(n), .RelierColor = rgb(10 * n, 20, 30), .RelierTexture = {},
             .RelierLarge = 2 + n, .NbreGen = 4 + n, .EcatHorz = 20 + n, .EcartVert = 30 + n, .Large = 150 + n,
             .Zoom = 80 + n, .Style = std::uint8_t(2 + n), .Look = {}};
        a.RelierTexture[1] = modele + u"Lien1.png"_s;
        a.RelierTexture[2] = DossierProgramme() + u"Lien2.png"_s;
        a.RelierTexture[3] = base + u"Lien3.png"_s;
        a.RelierTexture[4] = m_racine + u"disparu/Lien4.png"_s;
        TLook &l = a.Look;
        l.LigneNbre = n == 1 ? 3 : 5;
        for (int i = 0; i < l.LigneNbre; ++i)
            l.Ligne[i] = ligne(u"<nom> %1 é"_s.arg(i), u"F%1"_s.arg(i), 9 + i, std::uint8_t((i * 5 + n) % 16),
                               std::uint8_t(i % 3), rgb(i, 2 * i, 3 * i));
        l.Homme = {rgb(1, 2, n), modele + u"homme.png"_s, true, n == 1, false, true, 2};
        l.Femme = {rgb(4, 5, n), u"<nom>.jpg"_s, false, true, n == 2, false, 3};
        l.MargeHaut = 10 + n;
        l.MargeBas = 20 + n;
        l.MargeDroite = 30 + n;
        l.MargeGauche = 40 + n;
    }
    CouleurEcran = rgb(7, 8, 9);
    TextEcran = u"ecran.png"_s;
    const QString c = chemin(u"Mon.Look.mva"_s);
    ASSERT_TRUE(SauveLook(c, ecrits));

    // Bare names for the models and program folders only.
    const TIniFile ini(c, TEncodage::Windows1252);
    EXPECT_EQ(ini.ReadString(u"Aff 2"_s, u"RelierTexture 1"_s), u"Lien1.png");
    EXPECT_EQ(ini.ReadString(u"Aff 2"_s, u"RelierTexture 2"_s), u"Lien2.png");
    EXPECT_EQ(ini.ReadString(u"Aff 2"_s, u"RelierTexture 3"_s), base + u"Lien3.png"_s);
    EXPECT_EQ(ini.ReadString(u"Look 1"_s, u"HTexture"_s), u"homme.png");

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
        ecrits[n].Look.Homme.Texture = u"homme.png"_s;
        EXPECT_EQ(lus[n], ecrits[n]) << n;
    }

    ecrit(chemin(u"Vieux.look"_s), "");
    LitLook(chemin(u"Vieux.look"_s), lus);
    EXPECT_EQ(NomLook, u"Vieux"); // the whole extension goes
}

TEST_F(Look, SavingUpdatesTheFileInPlaceWithinTheLineSlots)
{
    const QString c = chemin(u"maj.mva"_s);
    ecrit(c, "; mon look\r\n[Aff 1]\r\nPerso=42\r\nLarge=10\r\n[Look 1]\r\nLigneNbre=5\r\n[Ligne 1]\r\n"
             "LC0=a\r\nLC1=b\r\nLC2=c\r\nLC3=quatre\r\nLC4=cinq\r\n[Autre]\r\nx=y\r\n");
    TLooks looks;
    LitLook(c, looks);
    ASSERT_EQ(looks[1].Look.LigneNbre, 5);
    looks[1].Look.LigneNbre = 3;
    looks[1].Look.Ligne[0].Texte = u"A"_s;
    looks[1].Large = 120;
    looks[2].Look.LigneNbre = 80; // never written past the slots
    ASSERT_TRUE(SauveLook(c, looks));
    EXPECT_FALSE(SauveLook(chemin(u"pas/de/dossier.mva"_s), looks));

    const TIniFile ini(c, TEncodage::Windows1252);
    EXPECT_TRUE(ini.Text().startsWith(u"; mon look\r\n[Aff 1]\r\nPerso=42\r\nLarge=120\r\n"_s));
    EXPECT_EQ(ini.ReadString(u"Ligne 1"_s, u"LC3"_s), u"quatre");
    EXPECT_EQ(ini.ReadString(u"Ligne 1"_s, u"LC4"_s), u"cinq");
    EXPECT_EQ(ini.ReadString(u"Autre"_s, u"x"_s), u"y");
    EXPECT_EQ(ini.ReadInteger(u"Look 2"_s, u"LigneNbre"_s), 50);
    EXPECT_EQ(ini.ReadSection(u"Ligne 2"_s).size(), 50 * 6);
    TLooks relus;
    LitLook(c, relus);
    looks[1].Look.Ligne[3] = looks[1].Look.Ligne[4] = TLigne(); // beyond the count: read empty
    EXPECT_EQ(relus[1], looks[1]);
}

TEST_F(Look, TheShippedDefaultLookLoadsAndIsWhatTheWriterMakes)
{
    const QString c = QStringLiteral(LIGNEE_MODELE "/1/arbre/defaut.mva");
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

    // Byte for byte what the writer makes of that look: sections and keys in
    // order, Windows-1252, CRLF.
    TextEcran.clear();
    ASSERT_TRUE(SauveLook(chemin(u"defaut.mva"_s), lookLivre()));
    EXPECT_EQ(lit(c), lit(chemin(u"defaut.mva"_s)));
}

TEST_F(Look, TheShippedDefaultLookShowsNothingForAnUnknownDate)
{
    TLooks looks;
    LitLook(QStringLiteral(LIGNEE_MODELE "/1/arbre/defaut.mva"), looks);
    TBD bd;
    const int sansDates = bd.NewPerson();
    const int avecDates = bd.NewPerson();
    for (const int p : {sansDates, avecDates}) {
        bd.SetSurname(p, u"MARTIN"_s);
        bd.SetGivenNames(p, u"Jean"_s);
    }
    bd.SetBirthDate(avecDates, u"3/4/1926"_s);
    bd.SetField(avecDates, PcDecesDate, u"2/4/1990"_s);
    // A line that shows a date when there is one shows nothing at all when
    // there is none.
    int lignesDeDate = 0;
    for (int n = 1; n <= 2; ++n) {
        for (int i = 0; i < looks[n].Look.LigneNbre; ++i) {
            const QString &modele = looks[n].Look.Ligne[size_t(i)].Texte;
            const QString connue = ExpandTemplate(bd, avecDates, modele);
            const QString inconnue = ExpandTemplate(bd, sansDates, modele);
            if (connue == inconnue)
                continue;
            ++lignesDeDate;
            EXPECT_TRUE(connue.contains(u"1926"_s) || connue.contains(u"1990"_s)) << connue.toStdString();
            EXPECT_EQ(inconnue, QString()) << "look " << n << ", line " << i;
        }
    }
    EXPECT_EQ(lignesDeDate, 4); // birth and death, in both looks
}

} // namespace
