// The style sheet reader, the shipped style sheet and the HTML page builder.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>

#include "Globales.h"
#include "Html.h"
#include "Style.h"

namespace {

QString S(const char *texte) { return QString::fromUtf8(texte); }

QByteArray lis(const QString &chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

const char *const Feuille = R"css(
/* .rowPair { background-color: #000000; } is a comment */
body { color: #111111 }
TABLE   THEAD
  TD { Background-Color :  #D6E2EE  ; font-weight: bold; }
.rowPair, .rowImpair,.calcase { background-color: #ffffff; border: 1px solid /* inline */ #cccccc }
.rowImpair { background-color: #eeeeee !important; }
@media print { .rowPair { background-color: #123456; } }
@import url("autre.css");
.rowHomme { background-color: #dcecfc; background-color: #aabbcc; }
.vide { color: ; }
.a, .b, .A { color: #000001; border: none }
.b { color: #000002 }
.c {}
.a /* x */ , /* y */ .c { border: thin }
.nonFerme { color: #010203;
)css";

struct CasStyle {
    const char *selecteur;
    const char *propriete;
    const char *attendu;
};

TEST(Style, GetStyleValue)
{
    TxiloStyleEdit style;
    style.SetTexte(S(Feuille));
    const CasStyle cas[] = {
        {"table thead td", "background-color", "#D6E2EE"},  // case and blanks of the rule
        {"  Table Thead  td ", "BACKGROUND-COLOR", "#D6E2EE"}, // case and blanks of the question
        {"table thead td", "font-weight", "bold"},
        {"body", "color", "#111111"},                       // last declaration without ";"
        {".rowpair", "background-color", "#ffffff"},        // comment and @media ignored
        {".rowImpair", "background-color", "#eeeeee"},      // later rule wins, !important dropped
        {".calcase", "background-color", "#ffffff"},        // last of a selector list
        {".calcase", "border", "1px solid #cccccc"},        // comment inside a value
        {".rowHomme", "background-color", "#aabbcc"},       // later declaration wins
        {".vide", "color", ""},
        {".a", "color", "#000001"},                         // a block shared by a list
        {".b", "color", "#000002"},                         // a later rule for one of them
        {".b", "border", "none"},                           // leaves it the rest of the block
        {".a", "border", "thin"},                           // comments around list items
        {".c", "border", "thin"},
        {".nonFerme", "color", "#010203"},                  // unclosed block still read
        {".rowFemme", "background-color", ""},              // no such rule
        {"table", "background-color", ""},                  // a selector is matched whole
    };
    for (const CasStyle &c : cas) {
        SCOPED_TRACE(std::string(c.selecteur) + " / " + c.propriete);
        EXPECT_EQ(style.GetStyleValue(S(c.selecteur), S(c.propriete)), S(c.attendu));
    }

    style.SetTexte(S(".rowPair { background-color: #ffffff }"));
    EXPECT_EQ(style.GetStyleValue(S("table thead td"), S("background-color")), QString());
}

TEST(Style, HtmlToColor)
{
    const std::pair<const char *, QColor> cas[] = {
        {"#ff8000", QColor(255, 128, 0)}, {" #0a0B0c ", QColor(10, 11, 12)},
        {"#f80", QColor(255, 136, 0)},    {"ff8000", QColor()},
        {"#ff80", QColor()},              {"#gg0000", QColor()},
        {"red", QColor()},                {"", QColor()},
    };
    for (const auto &[texte, attendu] : cas) {
        const QColor couleur = TxiloStyleEdit::HtmlToColor(S(texte));
        EXPECT_EQ(couleur.isValid(), attendu.isValid()) << texte;
        EXPECT_EQ(couleur.rgb(), attendu.rgb()) << texte;
    }
}

TEST(Style, FeuilleLivreeCompleteEtFichierParDefaut)
{
    DossierModele = S(LIGNEE_MODELE "/1/");
    EXPECT_EQ(FichierStyleDefaut(), S(LIGNEE_MODELE "/1/style.css"));
    const QByteArray css = lis(FichierStyleDefaut());
    ASSERT_FALSE(css.isEmpty());
    TxiloStyleEdit style;
    style.SetTexte(QString::fromUtf8(css));
    auto couleur = [&](const char *sel) {
        return TxiloStyleEdit::HtmlToColor(style.GetStyleValue(S(sel), S("background-color")));
    };
    for (const char *sel : {"table thead td", ".rowunique", ".rowPair", ".rowImpair", ".rowHomme", ".rowFemme",
                            ".statgraph", ".calcase", ".calweekend", "table tbody td", ".calmois", ".caljour"})
        EXPECT_TRUE(couleur(sel).isValid()) << sel;
    // Men's rows blue, women's rows pink.
    EXPECT_TRUE(couleur(".rowHomme").blue() > couleur(".rowHomme").red());
    EXPECT_TRUE(couleur(".rowFemme").red() > couleur(".rowFemme").blue());
}

TEST(Html, EchappeHtml)
{
    EXPECT_EQ(EchappeHtml(S(R"(Jean "le Grand" d'Arc <b> & Cie &amp; Zoé)")),
              S("Jean &quot;le Grand&quot; d&#39;Arc &lt;b&gt; &amp; Cie &amp;amp; Zoé"));
}

class Page : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dossier.isValid());
        DossierModele = S(LIGNEE_MODELE "/1/");
    }
    void TearDown() override { DossierModele.clear(); }

    QTemporaryDir dossier;
    TxiloStyleEdit style;
};

TEST_F(Page, ConstruitEtEnregistreAvecLaFeuille)
{
    style.SetTexte(S("body { color: #010101; } /* é */"));
    THtml page(style);
    page.Ajoute(S("restes d'une page précédente"));
    page.DebutPage(S("Famille <Dupont> & %titre%"));
    page.DebutTableau();
    page.Ajoute(S("<tr><td>") + EchappeHtml(S("Émile <l'aîné>")) + S("</td></tr>"));
    page.Ajoute(S("</table>"));
    page.FinPage();

    const QStringList &l = page.Lignes();
    EXPECT_EQ(l.first(), S("<!DOCTYPE html>"));
    EXPECT_FALSE(l.contains(S("restes d'une page précédente")));
    // The title is escaped and put in place once: a marker inside it stays.
    EXPECT_TRUE(l.contains(S("<title>Famille &lt;Dupont&gt; &amp; %titre%</title>")));
    EXPECT_TRUE(l.contains(S("<link rel=\"stylesheet\" href=\"style.css\">")));
    EXPECT_EQ(l.last(), S("</html>"));

    const QString chemin = dossier.filePath(S("page.htm"));
    QString erreur;
    ASSERT_TRUE(page.Enregistre(chemin, &erreur)) << erreur.toStdString();
    EXPECT_EQ(lis(chemin), (l.join(u'\n') + u'\n').toUtf8());
    EXPECT_EQ(lis(dossier.filePath(S("style.css"))), style.Texte().toUtf8());
}

TEST_F(Page, SansTexteDeStyleNiModelesEtEchecsSignales)
{
    THtml page(style);
    page.DebutPage(S("Calendrier"));
    const QString chemin = dossier.filePath(S("cal.htm"));
    ASSERT_TRUE(page.Enregistre(chemin));
    EXPECT_EQ(lis(dossier.filePath(S("style.css"))), lis(FichierStyleDefaut()));

    // A models folder without templates: minimal ones; without the shipped
    // style sheet: reported, nothing written.
    DossierModele = dossier.filePath(S("absent")) + u'/';
    page.DebutPage(S("A & B"));
    page.FinPage();
    for (const char *ligne : {"<meta charset=\"utf-8\">", "<title>A &amp; B</title>",
                              "<link rel=\"stylesheet\" href=\"style.css\">", "</html>"})
        EXPECT_TRUE(page.Lignes().contains(S(ligne))) << ligne;
    const QString autre = dossier.filePath(S("autre.htm"));
    QString erreur;
    EXPECT_FALSE(page.Enregistre(autre, &erreur));
    EXPECT_TRUE(erreur.contains(S("style.css")));
    EXPECT_FALSE(QFile::exists(autre));

    // Templates and style sheet that are named pipes are never opened.
    DossierModele = dossier.filePath(S("tubes")) + u'/';
    QDir().mkpath(DossierModele);
    for (const char *nom : {"entete.htm", "pied.htm", "style.css"})
        ::mkfifo(QFile::encodeName(DossierModele + S(nom)).constData(), 0600);
    page.DebutPage(S("Tubes"));
    page.FinPage();
    EXPECT_TRUE(page.Lignes().contains(S("<title>Tubes</title>")));
    EXPECT_FALSE(page.Enregistre(autre, &erreur));
    EXPECT_TRUE(erreur.contains(S("ce n'est pas un fichier ordinaire"))) << erreur.toStdString();

    style.SetTexte(S("body { }"));
    const QString horsDossier = dossier.filePath(S("absent/page.htm"));
    EXPECT_FALSE(page.Enregistre(horsDossier, &erreur));
    EXPECT_TRUE(erreur.contains(horsDossier));
}

} // namespace
