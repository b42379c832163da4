// The place lists, the place picker and the text of the web map's scripts.

#include "Dialogues.h"
#include "DialoguesScriptes.h"
#include "Globales.h"
#include "Langue.h"
#include "Lieux.h"
#include "ListesLieux.h"
#include "ReponseModale.h"
#include "ScriptCarte.h"
#include "TfmLieuV3.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QListView>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

namespace {

// ---- Script text ---------------------------------------------------------

TEST(ScriptCarte, PersonPlacesAsThePageReceivesThem)
{
    struct Cas {
        QString lieu;
        int personne;
        QString nom;
        QString script; // empty: nothing is plotted
    };
    const Cas cas[] = {
        {u"FRA,IDF,F95,000 Pontoise"_s, 7, u"DUPONT Jean"_s,
         uR"(plotadd('000 Pontoise,France','<a href="7">DUPONT Jean</a><br/>FRA,IDF,F95,000 Pontoise'))"_s},
        // No commune: the place goes as it is.
        {u"FRA,IDF"_s, 7, u"DUPONT Jean"_s,
         uR"(plotadd('FRA,IDF','<a href="7">DUPONT Jean</a><br/>FRA,IDF'))"_s},
        {u"FRA,IDF,F95,"_s, 12, u"X Y"_s, uR"(plotadd('FRA,IDF,F95,','<a href="12">X Y</a><br/>FRA,IDF,F95,'))"_s},
        {u"ITA,,,Roma"_s, 3, u"ROSSI Maria"_s, uR"(plotadd('ITA,,,Roma','<a href="3">ROSSI Maria</a><br/>ITA,,,Roma'))"_s},
        // Apostrophes: a backslash before each, inside the quotes; in the
        // label they are HTML text.
        {u"FRA,HDF,F59,Villeneuve-d'Ascq"_s, 2, u"D'ARC Jeanne"_s,
         uR"(plotadd('Villeneuve-d\'Ascq,France','<a href="2">D&#39;ARC Jeanne</a><br/>FRA,HDF,F59,Villeneuve-d&#39;Ascq'))"_s},
        // Backslashes and line breaks stay inside their string.
        {u"FRA,IDF,F75,Paris\\15e"_s, 5, u"A\nB\r\tC"_s,
         uR"(plotadd('Paris\\15e,France','<a href="5">A\nB\r\tC</a><br/>FRA,IDF,F75,Paris\\15e'))"_s},
        // Markup in a name is text, and "</script>" cannot close a script.
        {u"</script><script>alert(1)</script>"_s, 9, u"<b>GRAS</b> & \"Cie\""_s,
         uR"(plotadd('<\/script><script>alert(1)<\/SCRIPT>','<a href="9">&lt;b&gt;GRAS&lt;/b&gt; &amp; &quot;Cie&quot;</a><br/>&lt;/script&gt;&lt;script&gt;alert(1)&lt;/script&gt;'))"_s
             .replace(u"<\\/SCRIPT>"_s, u"<\\/script>"_s)},
        {u"</SCRIPT >"_s, 1, u"N"_s, uR"(plotadd('<\/SCRIPT >','<a href="1">N</a><br/>&lt;/SCRIPT &gt;'))"_s},
        // Backspace and form feed are escaped by name.
        {u"A\bB\fC"_s, 6, u"N"_s, uR"(plotadd('A\bB\fC','<a href="6">N</a><br/>A\bB\fC'))"_s},
        // Line and paragraph separators end a line in a script.
        {u"Lyon"_s + QChar(0x2028) + u"x"_s + QChar(0x2029) + QChar(1), 4, u"Z"_s,
         uR"(plotadd('Lyon\u2028x\u2029\u0001','<a href="4">Z</a><br/>Lyon\u2028x\u2029\u0001'))"_s},
        // Person 0 or no place: nothing.
        {u"FRA,IDF,F95,Pontoise"_s, 0, u"DUPONT Jean"_s, QString()},
        {QString(), 7, u"DUPONT Jean"_s, QString()},
    };
    for (const Cas &c : cas) {
        const TPointCarte point = PointPersonne(c.lieu, c.personne, c.nom);
        if (c.script.isEmpty()) {
            EXPECT_TRUE(point.Lieu.isEmpty() && point.Libelle.isEmpty()) << c.lieu.toStdString();
            continue;
        }
        EXPECT_EQ(ScriptAppel(u"plotadd"_s, {point.Lieu, point.Libelle}), c.script);
    }
    EXPECT_EQ(ScriptAppel(u"plotclear"_s), u"plotclear()"_s);
}

// ---- Place list files ------------------------------------------------------

void Ecrit(const QString &chemin, const QByteArray &octets)
{
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << chemin.toStdString();
    f.write(octets);
}

TEST(ListesLieux, FolderAndFileReading)
{
    QTemporaryDir dossier;
    const QString d = dossier.path() + u'/';
    Ecrit(d + u"Pays.TXT"_s, "ITA\nDEU\n");
    Ecrit(d + u"b.txt"_s, "\xEF\xBB\xBFz\r\n\r\n\u00e9\r\nE\r\n"_ba);
    Ecrit(d + u"notes.doc"_s, "x");
    QDir(d).mkdir(u"sous"_s);
    Ecrit(d + u"sous/cache.txt"_s, "x");
    QDir(d).mkdir(u"dossier.txt"_s);
    // Folders are no lists, whatever their names.
    EXPECT_EQ(ListesDeLieux(d), (QStringList{d + u"Pays.TXT"_s, d + u"b.txt"_s}));
    EXPECT_EQ(NomListeLieux(d + u"Pays.TXT"_s), u"Pays"_s);
    EXPECT_TRUE(ListesDeLieux(d + u"absent/"_s).isEmpty());

    struct Cas {
        QByteArray octets;
        QStringList lieux;
    };
    const Cas cas[] = {
        // Sorted in French order, letter case and accents aside; a byte
        // order mark, CR LF and blank lines are no places.
        {"\xEF\xBB\xBF" "FRA,IDF,F95,Pontoise\r\n\r\nfra,ara,F01,Ambronay\r\nFRA,IDF,F95,\xC3\x89" "couen\r\n"
         "FRA,IDF,F95,Ermont\r\n",
         {u"fra,ara,F01,Ambronay"_s, u"FRA,IDF,F95,Écouen"_s, u"FRA,IDF,F95,Ermont"_s, u"FRA,IDF,F95,Pontoise"_s}},
        // Not UTF-8: read as Windows-1252.
        {"FRA,IDF,F95,\xC9" "couen\nFRA,IDF,F95,Cergy", {u"FRA,IDF,F95,Cergy"_s, u"FRA,IDF,F95,Écouen"_s}},
        // The only byte that is not UTF-8 is the very last one (it could
        // begin a longer character): the whole list is still Windows-1252.
        {"FRA,IDF,F95,Cergy\nFRA,BRE,F22,Beaupr\xE9", {u"FRA,BRE,F22,Beaupré"_s, u"FRA,IDF,F95,Cergy"_s}},
        {"FRA,IDF,F95,Cergy\r\nFRA,IDF,F95,Montmagny\xC3", {u"FRA,IDF,F95,Cergy"_s, u"FRA,IDF,F95,MontmagnyÃ"_s}},
        {"", {}},
        // Spellings that differ by their letter case only keep the file's
        // order.
        {"Lyon\nlyon\nLYON\n", {u"Lyon"_s, u"lyon"_s, u"LYON"_s}},
    };
    for (const Cas &c : cas) {
        Ecrit(d + u"l.txt"_s, c.octets);
        QStringList lieux{u"avant"_s};
        EXPECT_TRUE(ChargeListeLieux(d + u"l.txt"_s, lieux));
        EXPECT_EQ(lieux, c.lieux);
    }

    ASSERT_EQ(::mkfifo(QFile::encodeName(d + u"tube.txt"_s).constData(), 0600), 0);
    QFile grand(d + u"grand.txt"_s);
    ASSERT_TRUE(grand.open(QIODevice::WriteOnly) && grand.resize(64 * 1024 * 1024 + 1));
    grand.close();
    for (const QString &illisible :
         {d + u"tube.txt"_s, d + u"dossier.txt"_s, d + u"absent.txt"_s, d + u"grand.txt"_s}) {
        QStringList lieux{u"avant"_s};
        QString erreur;
        EXPECT_FALSE(ChargeListeLieux(illisible, lieux, &erreur)) << illisible.toStdString();
        EXPECT_TRUE(lieux.isEmpty());
        EXPECT_FALSE(erreur.isEmpty());
    }
}

// The lists shipped with the program are in the program's place text form,
// with the region codes the program gives the départements.
TEST(ListesLieux, ShippedLists)
{
    const QString d = QStringLiteral(LIGNEE_MODELE "/1/lieu/");
    EXPECT_EQ(ListesDeLieux(d), (QStringList{d + u"Communes de France.txt"_s, d + u"Départements de France.txt"_s,
                                             d + u"Pays.txt"_s}));
    QStringList communes, departements, pays;
    ASSERT_TRUE(ChargeListeLieux(d + u"Communes de France.txt"_s, communes));
    ASSERT_TRUE(ChargeListeLieux(d + u"Départements de France.txt"_s, departements));
    ASSERT_TRUE(ChargeListeLieux(d + u"Pays.txt"_s, pays));
    EXPECT_GT(communes.size(), 34000);
    EXPECT_EQ(departements.size(), 101);
    EXPECT_TRUE(communes.contains(u"FRA,IDF,F95,Pontoise"_s));
    EXPECT_TRUE(communes.contains(u"FRA,COR,F2A,Ajaccio"_s));
    EXPECT_TRUE(departements.contains(u"FRA,IDF,F95"_s));
    EXPECT_TRUE(pays.contains(u"FRA"_s) && pays.contains(u"ITA"_s));
    const auto regionAttendue = [](const QString &dep) {
        if (dep == u"2A" || dep == u"2B")
            return RegionOfDepartement(20);
        return RegionOfDepartement(dep.toInt());
    };
    int fautes = 0;
    for (const QStringList *liste : {&communes, &departements}) {
        for (const QString &lieu : *liste) {
            const QStringList p = lieu.split(u',');
            const bool bon = p.size() == (liste == &communes ? 4 : 3) && p[0] == u"FRA" && p[2].startsWith(u'F')
                && p[1] == regionAttendue(p[2].mid(1)) && (liste != &communes || !p[3].trimmed().isEmpty());
            if (!bon && ++fautes < 5)
                ADD_FAILURE() << lieu.toStdString();
        }
    }
    EXPECT_EQ(fautes, 0);
}

// ---- The picker ------------------------------------------------------------

class Choix : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(ChargeLangue(QStringLiteral(LIGNEE_MODELE "/langue.txt"), nullptr));
        m_dossier = std::make_unique<QTemporaryDir>();
        DossierLieu = m_dossier->path() + u'/';
    }
    void TearDown() override { DossierLieu.clear(); }
    std::unique_ptr<QTemporaryDir> m_dossier;
};

// Clicks line `ligne` of the place list where the user sees it.
void Clique(TfmLieuV3 &d, int ligne)
{
    auto *liste = d.findChild<QListView *>(u"lbLieu"_s);
    const QModelIndex index = liste->model()->index(ligne, 0);
    liste->scrollTo(index);
    QTest::mouseClick(liste->viewport(), Qt::LeftButton, {}, liste->visualRect(index).center());
}

void Bouton(TfmLieuV3 &d, const char *nom)
{
    QTest::mouseClick(d.findChild<QPushButton *>(QString::fromLatin1(nom)), Qt::LeftButton);
}

TEST_F(Choix, PickingAPlace)
{
    Ecrit(DossierLieu + u"Départements.TXT"_s, "FRA,IDF,F95\nFRA,ARA,F01\n");
    Ecrit(DossierLieu + u"Villes.txt"_s, "Lyon\nAnnecy\nBrest\n");
    QDir(DossierLieu).mkdir(u"autres"_s);
    Ecrit(DossierLieu + u"autres/Cachée.txt"_s, "x\n");

    struct Cas {
        int liste;  // cbLieu entry chosen, -1 to keep the first
        int ligne;  // line clicked, -1 for none, -2 clicked and unselected
        const char *bouton;
        QString attendu;
    };
    const Cas cas[] = {
        {-1, 1, "bOK", u"FRA,IDF,F95"_s},
        {1, 2, "bOK", u"Lyon"_s},
        // OK without a click keeps the place the field held.
        {-1, -1, "bOK", u"défaut"_s},
        // A line clicked then unselected (Ctrl+click) chooses nothing.
        {-1, -2, "bOK", u"défaut"_s},
        // Cancel: the default, even after a click.
        {1, 0, "bAnnuler", u"défaut"_s},
    };
    for (const Cas &c : cas) {
        QStringList listes, lignes;
        ReponseModale<TfmLieuV3> reponse([&](TfmLieuV3 &d) {
            auto *cb = d.findChild<QComboBox *>(u"cbLieu"_s);
            for (int i = 0; i < cb->count(); ++i)
                listes << cb->itemText(i);
            if (c.liste >= 0)
                cb->setCurrentIndex(c.liste);
            const auto *modele = d.findChild<QListView *>(u"lbLieu"_s)->model();
            for (int i = 0; i < modele->rowCount(); ++i)
                lignes << modele->index(i, 0).data().toString();
            if (c.ligne >= 0)
                Clique(d, c.ligne);
            if (c.ligne == -2) {
                Clique(d, 0);
                auto *liste = d.findChild<QListView *>(u"lbLieu"_s);
                QTest::mouseClick(liste->viewport(), Qt::LeftButton, Qt::ControlModifier,
                                  liste->visualRect(liste->model()->index(0, 0)).center());
            }
            Bouton(d, c.bouton);
        });
        EXPECT_EQ(ChoisitLieu(nullptr, u"défaut"_s), c.attendu);
        EXPECT_TRUE(reponse.Ouvert);
        EXPECT_EQ(listes, (QStringList{u"Départements"_s, u"Villes"_s}));
        EXPECT_EQ(lignes, c.liste == 1 ? (QStringList{u"Annecy"_s, u"Brest"_s, u"Lyon"_s})
                                       : (QStringList{u"FRA,ARA,F01"_s, u"FRA,IDF,F95"_s}));
    }
}

TEST_F(Choix, EmptyOrUnreadableFolder)
{
    TDialoguesScriptes dialogues;
    {
        TfmLieuV3 d;
        EXPECT_EQ(d.findChild<QComboBox *>(u"cbLieu"_s)->count(), 0);
        EXPECT_EQ(d.findChild<QListView *>(u"lbLieu"_s)->model()->rowCount(), 0);
    }
    // A list that cannot be read is told, and shows nothing.
    QFile grand(DossierLieu + u"grand.txt"_s);
    ASSERT_TRUE(grand.open(QIODevice::WriteOnly) && grand.resize(64 * 1024 * 1024 + 1));
    grand.close();
    TfmLieuV3 d;
    EXPECT_EQ(d.findChild<QComboBox *>(u"cbLieu"_s)->count(), 1);
    EXPECT_EQ(d.findChild<QListView *>(u"lbLieu"_s)->model()->rowCount(), 0);
    ASSERT_EQ(dialogues.Messages.size(), 1);
    EXPECT_TRUE(dialogues.Messages[0].contains(DossierLieu + u"grand.txt"_s));
}

} // namespace
