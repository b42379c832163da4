#include "BD.h"
#include "Dates.h"
#include "Globales.h"
#include "Langue.h"

#include <climits>
#include <gtest/gtest.h>

#include <QFile>
#include <QObject>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

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
        ChargeLangue(Ecrit({}));
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

TEST_F(Langue, LoadsNumbersKeysAndEscapes)
{
    QString erreur;
    ASSERT_TRUE(ChargeLangue(Ecrit(kFixture), &erreur));
    EXPECT_EQ(MLText(1), u"Un");
    EXPECT_EQ(MLText(3), u"Trois");
    EXPECT_EQ(MLText(4), u"A\nB\tC\\n\\x\\");
    EXPECT_EQ(MLText(100000), u"dernier");
    EXPECT_EQ(MLTextKey(u"fmcarte.CAPTION"_s), u"Carte");
    // Every ignored line is reported with its number: duplicates (kept
    // first), a line without TAB, numbers out of range.
    for (const char *attendu : {"ligne 7 ", "ligne 9 ", "ligne 10 ", "ligne 11 ", "ligne 12 "})
        EXPECT_TRUE(erreur.contains(QLatin1StringView(attendu))) << attendu << qPrintable(erreur);
    EXPECT_EQ(erreur.count(u'\n'), 4) << qPrintable(erreur);
    EXPECT_EQ(MLText(-5), QString());
    EXPECT_EQ(MLText(100001), QString());

    // Another column, falling back to French when empty or missing.
    LangueActive = 2;
    EXPECT_EQ(MLText(1), u"One");
    EXPECT_EQ(MLText(2), u"Deux");
    EXPECT_EQ(MLText(3), u"Trois");
    EXPECT_EQ(MLTextKey(u"fmCarte.Caption"_s), u"Map");
    LangueActive = 3;
    EXPECT_EQ(MLText(3), u"Drei");
    LangueActive = 0;
    EXPECT_EQ(MLText(1), u"Un");
}

TEST_F(Langue, MissingTextsAreEmptyOrMarkedInDebugMode)
{
    ASSERT_TRUE(ChargeLangue(Ecrit(kFixture)));
    for (const int n : {5, 99999, -1, 100001, INT_MAX, INT_MIN}) {
        SetDebugLangue(false);
        EXPECT_EQ(MLText(n), QString()) << n;
        SetDebugLangue(true);
        EXPECT_EQ(MLText(n), u"[%1]"_s.arg(n));
    }
    EXPECT_EQ(MLText(1), u"Un");
    SetDebugLangue(false);
    EXPECT_EQ(MLTextKey(u"fmAbsent.Caption"_s), QString());
    SetDebugLangue(true);
    EXPECT_EQ(MLTextKey(u"fmAbsent.Caption"_s), u"[fmAbsent.Caption]");
    EXPECT_EQ(MLTextKey(u"FMCARTE.CAPTION"_s), u"Carte");
}

TEST_F(Langue, BrokenFilesLoadWithoutCrash)
{
    QByteArray binaire;
    for (int i = 0; i < 4096; ++i)
        binaire.append(static_cast<char>((i * 37) % 256));
    const QByteArray cas[] = {
        {},
        "pas de tabulation du tout\n",
        binaire,
        "7\t" + QByteArray(20000, 'x') + "\n8\thuit",
        "\t\t\t\n\t\n9",
        QByteArrayLiteral("8\thuit\xFF\xFE\x00" "fin\n"),
        "99999999999999999999\tnombre\n8\thuit",
    };
    for (const QByteArray &octets : cas) {
        ASSERT_TRUE(ChargeLangue(Ecrit(octets))) << octets.left(40).toHex().constData();
        EXPECT_EQ(MLText(7), QString());
    }
    // The last line, without a line break, still counts.
    EXPECT_EQ(MLText(8), u"huit");

    // An unreadable file is an error and keeps the texts loaded before.
    ASSERT_TRUE(ChargeLangue(Ecrit("1\tUn")));
    QString erreur;
    EXPECT_FALSE(ChargeLangue(m_dossier.filePath(u"absent.txt"_s), &erreur));
    EXPECT_FALSE(erreur.isEmpty());
    EXPECT_FALSE(ChargeLangue(m_dossier.path()));
    EXPECT_EQ(MLText(1), u"Un");
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
    ASSERT_TRUE(ChargeLangue(Ecrit("fmTest.Caption\tMa fenêtre\n"
                                   "fmTest.Hint\tBulle forme\n"
                                   "fmtest.BOK.caption\tValider\n"
                                   "fmTest.bOk.Hint\tBulle\n"
                                   "fmTest.bOk.PlaceholderText\tExemple\n"
                                   "fmTest.bOk.Width\t99\n"
                                   "fmTest.bOk.Inconnue\tx\n"
                                   "fmTest.gbCadre.Caption\tCadre\n"
                                   "fmTest.lEtiquette.Text\tÉtiquette\n"
                                   "fmTest.absent.Caption\tRien\n"
                                   "fmTest.bVide.Caption\t\n"
                                   "fmAutre.bOk.Caption\tAutre\n")));
    const auto nomme = [](QObject *o, const QString &nom, QObject *parent) {
        o->setObjectName(nom);
        o->setParent(parent);
    };
    TFormeTest forme;
    nomme(&forme, u"fmTest"_s, nullptr);
    auto *ok = new TBoutonTest;
    nomme(ok, u"bOk"_s, &forme);
    auto *groupe = new TGroupeTest;
    nomme(groupe, u"gbCadre"_s, &forme);
    auto *etiquette = new TBoutonTest; // a grandchild
    nomme(etiquette, u"lEtiquette"_s, groupe);
    auto *vide = new TBoutonTest;
    nomme(vide, u"bVide"_s, &forme);

    MLTranslateForm(&forme);
    EXPECT_EQ(forme.m_titre, u"Ma fenêtre");
    EXPECT_EQ(forme.m_bulle, u"Bulle forme");
    EXPECT_EQ(ok->m_texte, u"Valider");
    EXPECT_EQ(ok->m_bulle, u"Bulle");
    EXPECT_EQ(ok->m_etat, u"Bulle");
    EXPECT_EQ(ok->m_exemple, u"Exemple");
    EXPECT_EQ(ok->m_largeur, 10);
    EXPECT_EQ(groupe->m_titre, u"Cadre");
    EXPECT_EQ(etiquette->m_texte, u"Étiquette");
    EXPECT_EQ(vide->m_texte, u"texte");
    for (const QObject *o : std::initializer_list<const QObject *>{&forme, ok, groupe, etiquette})
        EXPECT_TRUE(o->dynamicPropertyNames().isEmpty()) << qPrintable(o->objectName());

    // A form without keys, a form without name and a null form are left alone.
    TBoutonTest autre;
    autre.setObjectName(u"fmRien"_s);
    MLTranslateForm(&autre);
    TBoutonTest anonyme;
    MLTranslateForm(&anonyme);
    MLTranslateForm(nullptr);
    EXPECT_EQ(autre.m_texte, u"texte");
    EXPECT_EQ(anonyme.m_texte, u"texte");
}

TEST_F(Langue, SettingsRoundTripAndApply)
{
    const QString chemin = m_dossier.filePath(u"langue.ini"_s);
    const TReglagesLangue defaut = LitReglagesLangue(chemin);
    EXPECT_EQ(defaut.Langue, 1);
    EXPECT_FALSE(defaut.Debug);
    EXPECT_FALSE(defaut.MoisAvantJour);
    EXPECT_EQ(defaut.Skin, QString());

    ASSERT_TRUE(EcritReglagesLangue(chemin, {2, true, true, u"bleu"_s}));
    const TReglagesLangue lu = LitReglagesLangue(chemin);
    EXPECT_EQ(lu.Langue, 2);
    EXPECT_TRUE(lu.Debug);
    EXPECT_TRUE(lu.MoisAvantJour);
    EXPECT_EQ(lu.Skin, u"bleu");
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
