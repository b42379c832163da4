#include "BD.h"
#include "CheminsSpeciaux.h"
#include "Dates.h"
#include "Globales.h"
#include "Langue.h"

#include <climits>
#include <gtest/gtest.h>
#include <ostream>

#include <QFile>
#include <QObject>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

// Stand-ins for widgets: plain objects with the properties the translation
// looks for.
class TFormeTest : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString windowTitle MEMBER m_titre)
    Q_PROPERTY(QString toolTip MEMBER m_bulle)
public:
    QString m_titre = u"titre"_s, m_bulle;
};

class TBoutonTest : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString text MEMBER m_texte)
    Q_PROPERTY(QString toolTip MEMBER m_bulle)
    Q_PROPERTY(QString statusTip MEMBER m_etat)
    Q_PROPERTY(QString placeholderText MEMBER m_exemple)
    Q_PROPERTY(int width MEMBER m_largeur)
public:
    QString m_texte = u"texte"_s, m_bulle, m_etat, m_exemple;
    int m_largeur = 10;
};

class TGroupeTest : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString title MEMBER m_titre)
public:
    QString m_titre;
};

namespace {

class Langue : public ::testing::Test
{
protected:
    QString Ecrit(const QByteArray &octets)
    {
        const QString chemin = m_dossier.filePath(u"l%1.txt"_s.arg(++m_n));
        QFile f(chemin);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.write(octets) == octets.size());
        return chemin;
    }
    void TearDown() override
    {
        LangueActive = 1;
        SetDebugLangue(false);
        SetOrdreMoisJour(false);
        ChargeLangue(Ecrit("0\t\n"));
    }

    QTemporaryDir m_dossier;
    int m_n = 0;
};

const QByteArray kFixture =
    "\xEF\xBB\xBF# comment\tnot a key\r\n"
    "\r\n"
    "1\tUn\tOne\r\n"
    "2\tDeux\r\n"
    "3\tTrois\t\tDrei\n"
    "  4  \tA\\nB\\tC\\\\n\\x\\\n"
    "1\tdoublon\n"
    "fmCarte.Caption\tCarte\tMap\n"
    "FMCARTE.caption\tautre\n"
    "sans tabulation\n"
    "-5\tnegatif\n"
    "100001\ttrop grand\n"
    "100000\tdernier\n"
    "201\tGeburt\n"
    "2206\tstandard\n";

template <typename T>
T *Enfant(QObject *parent, const QString &nom)
{
    auto *o = new T;
    o->setObjectName(nom);
    o->setParent(parent);
    return o;
}

TEST_F(Langue, LoadsNumbersKeysAndEscapesInEveryColumnAndMarksMissingTexts)
{
    QString erreur;
    ASSERT_TRUE(ChargeLangue(Ecrit(kFixture), &erreur));
    // Every ignored line is reported with its number: duplicates (kept
    // first), a line without TAB, numbers out of range.
    for (const char *attendu : {"ligne 7 ", "ligne 9 ", "ligne 10 ", "ligne 11 ", "ligne 12 "})
        EXPECT_TRUE(erreur.contains(QLatin1StringView(attendu))) << attendu << qPrintable(erreur);
    EXPECT_EQ(erreur.count(u'\n'), 4) << qPrintable(erreur);

    // Other columns fall back to French when empty or missing.
    const struct { int langue, numero; const char16_t *texte; } cas[] = {
        {1, 1, u"Un"}, {1, 3, u"Trois"}, {1, 4, u"A\nB\tC\\n\\x\\"}, {1, 100000, u"dernier"},
        {2, 1, u"One"}, {2, 2, u"Deux"}, {2, 3, u"Trois"}, {3, 3, u"Drei"}, {0, 1, u"Un"}};
    for (const auto &c : cas) {
        LangueActive = c.langue;
        EXPECT_EQ(MLText(c.numero), QStringView(c.texte)) << c.langue << " " << c.numero;
    }
    LangueActive = 2;
    EXPECT_EQ(MLTextKey(u"fmCarte.Caption"_s), u"Map");
    LangueActive = 1;

    // Missing texts are empty, or marked in debug mode.
    for (const int n : {5, 99999, -1, 100001, INT_MAX, INT_MIN}) {
        SetDebugLangue(false);
        EXPECT_EQ(MLText(n), QString()) << n;
        SetDebugLangue(true);
        EXPECT_EQ(MLText(n), u"[%1]"_s.arg(n));
    }
    EXPECT_EQ(MLText(1), u"Un");
    EXPECT_EQ(MLTextKey(u"fmAbsent.Caption"_s), u"[fmAbsent.Caption]");
    EXPECT_EQ(MLTextKey(u"fmcarte.CAPTION"_s), u"Carte");
    SetDebugLangue(false);
    EXPECT_EQ(MLTextKey(u"fmAbsent.Caption"_s), QString());
}

TEST_F(Langue, BrokenFilesLoadWithoutCrash)
{
    QByteArray binaire;
    for (int i = 0; i < 4096; ++i)
        binaire.append(static_cast<char>((i * 37) % 256));
    const QByteArray cas[] = {
        binaire + "\n8\thuit", "7\t" + QByteArray(20000, 'x') + "\n8\thuit",
        "\t\t\t\n\t\n8\thuit", QByteArrayLiteral("8\thuit\xFF\xFE\x00" "fin\n"),
        "99999999999999999999\tnombre\n8\thuit",
    };
    for (const QByteArray &octets : cas) {
        ASSERT_TRUE(ChargeLangue(Ecrit(octets))) << octets.left(40).toHex().constData();
        EXPECT_EQ(MLText(7), QString());
        // The last line, without a line break, still counts.
        EXPECT_TRUE(MLText(8).startsWith(u"huit"));
    }
}

// A file that cannot be read, or that holds no text, is refused at once and
// the texts loaded before stay: a named pipe or a device is never opened.
TEST_F(Langue, UnreadableOrEmptyFilesKeepTheTexts)
{
    QStringList chemins = CheminsSpeciaux(m_dossier.path(), u".txt"_s);
    chemins << m_dossier.filePath(u"absent.txt"_s) << m_dossier.path() << Ecrit({})
            << Ecrit("# rien que des commentaires\r\n\r\n") << Ecrit("pas de tabulation\n-1\tnégatif\n");
    for (const QString &chemin : chemins) {
        SCOPED_TRACE(chemin.toStdString());
        ASSERT_TRUE(ChargeLangue(Ecrit("1\tUn\n2206\tstandard\n")));
        QString erreur;
        EXPECT_FALSE(ChargeLangue(chemin, &erreur));
        EXPECT_TRUE(erreur.contains(chemin)) << erreur.toStdString();
        EXPECT_EQ(MLText(1), u"Un");
        EXPECT_EQ(NomModeleDefaut, u"standard");
    }
    for (const QString &special : chemins.mid(0, 3)) {
        QString erreur;
        ChargeLangue(special, &erreur);
        EXPECT_TRUE(erreur.contains(u"ce n'est pas un fichier ordinaire"_s)) << erreur.toStdString();
    }
}

TEST_F(Langue, BaseTextsGoToTheDatabaseAndDefaultModel)
{
    ASSERT_TRUE(ChargeLangue(Ecrit(kFixture)));
    EXPECT_EQ(NomsEvenements().Naissance, u"Geburt");
    EXPECT_EQ(NomsEvenements().Deces, u"Décès"); // missing: French default
    EXPECT_EQ(NomModeleDefaut, u"standard");

    // Debug markers never reach the database, and a reload forgets the
    // previous language's words.
    SetDebugLangue(true);
    ASSERT_TRUE(ChargeLangue(Ecrit("1\tUn\n")));
    EXPECT_EQ(NomsEvenements().Naissance, u"Naissance");
    EXPECT_EQ(NomModeleDefaut, u"defaut");
}

TEST_F(Langue, TranslateFormSetsDeclaredStringProperties)
{
    ASSERT_TRUE(ChargeLangue(Ecrit("fmTest.Caption\tMa fenêtre\nfmTest.Hint\tBulle forme\n"
                                   "fmtest.BOK.caption\tValider\nfmTest.bOk.Hint\tBulle\n"
                                   "fmTest.bOk.PlaceholderText\tExemple\nfmTest.bOk.Width\t99\n"
                                   "fmTest.bOk.Inconnue\tx\nfmTest.gbCadre.Caption\tCadre\n"
                                   "fmTest.lEtiquette.Text\tÉtiquette\nfmTest.absent.Caption\tRien\n"
                                   "fmTest.bVide.Caption\t\nfmAutre.bOk.Caption\tAutre\n")));
    TFormeTest forme;
    forme.setObjectName(u"fmTest"_s);
    auto *ok = Enfant<TBoutonTest>(&forme, u"bOk"_s);
    auto *groupe = Enfant<TGroupeTest>(&forme, u"gbCadre"_s);
    auto *etiquette = Enfant<TBoutonTest>(groupe, u"lEtiquette"_s); // a grandchild
    auto *vide = Enfant<TBoutonTest>(&forme, u"bVide"_s);

    MLTranslateForm(&forme);
    EXPECT_EQ((QStringList{forme.m_titre, forme.m_bulle, ok->m_texte, ok->m_bulle, ok->m_etat,
                           ok->m_exemple, groupe->m_titre, etiquette->m_texte, vide->m_texte}),
              (QStringList{u"Ma fenêtre"_s, u"Bulle forme"_s, u"Valider"_s, u"Bulle"_s, u"Bulle"_s,
                           u"Exemple"_s, u"Cadre"_s, u"Étiquette"_s, u"texte"_s}));
    EXPECT_EQ(ok->m_largeur, 10);
    for (const QObject *o : std::initializer_list<const QObject *>{&forme, ok, groupe, etiquette})
        EXPECT_TRUE(o->dynamicPropertyNames().isEmpty()) << qPrintable(o->objectName());

    // A form without keys, a form without name and a null form are left alone.
    TBoutonTest autre, anonyme;
    autre.setObjectName(u"fmRien"_s);
    MLTranslateForm(&autre);
    MLTranslateForm(&anonyme);
    MLTranslateForm(nullptr);
    EXPECT_EQ(autre.m_texte, u"texte");
    EXPECT_EQ(anonyme.m_texte, u"texte");
}

TEST_F(Langue, SettingsRoundTripAndApply)
{
    const QString chemin = m_dossier.filePath(u"langue.ini"_s);
    const auto champs = [](const TReglagesLangue &r) {
        return std::tuple(r.Langue, r.Debug, r.MoisAvantJour, r.Skin);
    };
    EXPECT_EQ(champs(LitReglagesLangue(chemin)), std::tuple(1, false, false, QString()));

    ASSERT_TRUE(EcritReglagesLangue(chemin, {2, true, true, u"bleu"_s}));
    EXPECT_EQ(champs(LitReglagesLangue(chemin)), std::tuple(2, true, true, u"bleu"_s));
    EXPECT_EQ(LangueActive, 2);
    EXPECT_TRUE(DebugLangue());
    EXPECT_EQ(DateVersAffichage(u"1/2/1900"_s), u"2/1/1900");

    ASSERT_TRUE(EcritReglagesLangue(chemin, {}));
    EXPECT_FALSE(LitReglagesLangue(chemin).MoisAvantJour);
    EXPECT_EQ(DateVersAffichage(u"1/2/1900"_s), u"1/2/1900");
    EXPECT_EQ(LangueActive, 1);

    // Hand-edited values.
    const std::pair<QByteArray, int> langues[] = {{"0", 1}, {"abc", 1}, {"100", 1}, {"99", 99}, {"3", 3}};
    for (const auto &[valeur, attendu] : langues) {
        QFile f(chemin);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[langue]\nlangue=" + valeur + "\nformatdate= M/J/A \n");
        f.close();
        const TReglagesLangue r = LitReglagesLangue(chemin);
        EXPECT_EQ(r.Langue, attendu) << valeur.constData();
        EXPECT_TRUE(r.MoisAvantJour);
    }
}

TEST(FormatTexte, FillsInOrderOrByPositionAndNeverRereadsAnArgument)
{
    const QStringList deux{u"DUPONT Jean"_s, u"MARTIN Marie"_s};
    EXPECT_EQ(FormatTexte(u"%s et %s"_s, deux), u"DUPONT Jean et MARTIN Marie"_s);
    EXPECT_EQ(FormatTexte(u"%2 et %1, %2"_s, deux), u"MARTIN Marie et DUPONT Jean, MARTIN Marie"_s);
    EXPECT_EQ(FormatTexte(u"n° %d : 100%%"_s, {u"7"_s}), u"n° 7 : 100%"_s);
    // Missing arguments give nothing, extra ones are ignored.
    EXPECT_EQ(FormatTexte(u"%s, %s et %3"_s, {u"a"_s}), u"a,  et "_s);
    EXPECT_EQ(FormatTexte(u"seul"_s, deux), u"seul"_s);
    // A "%" that is no directive stays, at the end too.
    EXPECT_EQ(FormatTexte(u"50 % de %x %"_s, {}), u"50 % de %x %"_s);
    // Names holding directives are inserted as they are.
    EXPECT_EQ(FormatTexte(u"%s / %s"_s, {u"100%s"_s, u"%1"_s}), u"100%s / %1"_s);
    EXPECT_EQ(FormatTexte(u"%1 (%2)"_s, {u"%2"_s, u"x"_s}), u"%2 (x)"_s);
}

TEST_F(Langue, RealLanguageFileLoads)
{
    const QString modele = QString::fromUtf8(LIGNEE_MODELE);
    QString erreur = u"?"_s;
    ASSERT_TRUE(ChargeLangue(modele + u"/langue.txt"_s, &erreur));
    EXPECT_EQ(erreur, QString()); // no line ignored
    const char *mots[] = {"Naissance", "Baptême", "Décès", "Inhumation", "Mariage"};
    for (int n = 201; n <= 205; ++n)
        EXPECT_EQ(MLText(n), QString::fromUtf8(mots[n - 201])) << n;
    EXPECT_EQ(NomModeleDefaut, u"defaut");
    EXPECT_EQ(LitReglagesLangue(modele + u"/langue.ini"_s).Langue, 1);
}

} // namespace

#include "test_langue.moc"
