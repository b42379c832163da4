// The ancestry web page and the page files of the HTML export folder.

#include <gtest/gtest.h>

#include <map>
#include <set>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "BD.h"
#include "DialoguesScriptes.h"
#include "FamilleTest.h"
#include "Globales.h"
#include "Langue.h"
#include "PagesHtml.h"
#include "Style.h"
#include "Textes.h"

using namespace Qt::StringLiterals;

namespace {

QString S(const char *texte) { return QString::fromUtf8(texte); }

QString lis(const QString &chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : u"<absent>"_s;
}

// One row of a page: its generation heading, its Sosa number, its name cell
// and the missing parents' cell; absent rows are those of class "absent".
struct Rangee {
    int Generation;
    quint64 Sosa;
    QString Cellule;
    QString Manque;
    bool Absent;
    bool operator==(const Rangee &) const = default;
};

std::vector<Rangee> rangees(const QString &page)
{
    static const QRegularExpression motif(
        uR"(<h3>Génération (\d+)</h3>|<tr( class="absent")?><td class="sosa">(\d+)</td><td>(.*?)</td>(?:<td>(.*?)</td>)?</tr>)"_s);
    std::vector<Rangee> r;
    int generation = 0;
    for (const QRegularExpressionMatch &m : motif.globalMatch(page)) {
        if (!m.captured(1).isEmpty())
            generation = m.captured(1).toInt();
        else
            r.push_back({generation, m.captured(3).toULongLong(), m.captured(4), m.captured(5), !m.captured(2).isEmpty()});
    }
    return r;
}

// Every line from p upward, walked plainly to the depth asked, without any
// visited set: an ancestor belongs to the page at the place of its nearest
// generation, and there at its lowest Sosa number.
struct Ancetre {
    int Profondeur;
    quint64 Sosa;
};
void chemins(const TBD &bd, int x, int profondeur, quint64 sosa, int max, std::map<int, Ancetre> &vus)
{
    const auto it = vus.find(x);
    if (it == vus.end() || std::pair(profondeur, sosa) < std::pair(it->second.Profondeur, it->second.Sosa))
        vus[x] = {profondeur, sosa};
    if (profondeur + 1 >= max)
        return;
    if (bd.PersonInUse(bd.Father(x)))
        chemins(bd, bd.Father(x), profondeur + 1, 2 * sosa, max, vus);
    if (bd.PersonInUse(bd.Mother(x)))
        chemins(bd, bd.Mother(x), profondeur + 1, 2 * sosa + 1, max, vus);
}

// The rows the page should have, from that walk.
std::vector<Rangee> attendues(const TBD &bd, int p, int n, int sorte)
{
    std::map<int, Ancetre> vus;
    chemins(bd, p, 0, 1, n, vus);
    std::vector<Rangee> r;
    for (const auto &[x, a] : vus) {
        const QString nom = EchappeHtml(bd.FullName(x));
        const bool pere = !bd.PersonInUse(bd.Father(x));
        const bool mere = !bd.PersonInUse(bd.Mother(x));
        const bool avantDerniere = a.Profondeur + 1 < n;
        if (sorte != AscendantsManquants)
            r.push_back({a.Profondeur + 1, a.Sosa, nom, QString(), false});
        if (sorte == AscendanceAvecAbsents && avantDerniere) {
            if (pere)
                r.push_back({a.Profondeur + 2, 2 * a.Sosa, u"Père inconnu de "_s + nom, QString(), true});
            if (mere)
                r.push_back({a.Profondeur + 2, 2 * a.Sosa + 1, S("Mère inconnue de ") + nom, QString(), true});
        }
        if (sorte == AscendantsManquants && avantDerniere && (pere || mere))
            r.push_back({a.Profondeur + 1, a.Sosa, nom,
                         pere && mere ? S("père et mère inconnus") : (pere ? S("père inconnu") : S("mère inconnue")),
                         false});
    }
    std::sort(r.begin(), r.end(), [](const Rangee &a, const Rangee &b) { return a.Sosa < b.Sosa; });
    return r;
}

class PagesHtml : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(ChargeLangue(QStringLiteral(LIGNEE_MODELE "/langue.txt"))); }
    void SetUp() override
    {
        DossierGenealogie = dossier.path() + u"/Lignée/"_s;
        DossierModele = QStringLiteral(LIGNEE_MODELE "/1/");
    }
    QTemporaryDir dossier;
    FamilleTest f;
};

// The three pages of Théo (13), whose parents are second cousins (implex: 1
// and 2 are his great-grandparents twice), over one to six generations,
// then with a loop in the parent links (Jean's father set to Théo).
TEST_F(PagesHtml, AncestryPagesFollowAnIndependentWalk)
{
    for (const bool boucle : {false, true}) {
        if (boucle)
            f.bd.SetFather(1, 13);
        for (int sorte = AscendanceParGenerations; sorte <= AscendantsManquants; ++sorte) {
            for (int n = 1; n <= 7; ++n) {
                SCOPED_TRACE(testing::Message() << "boucle " << boucle << ", sorte " << sorte << ", " << n
                                                << " générations");
                const QString page = PageAscendance(f.bd, 13, n, sorte, false, false, QString());
                EXPECT_EQ(rangees(page), attendues(f.bd, 13, n, sorte));
                EXPECT_TRUE(page.contains(sorte == AscendantsManquants ? S("Ascendants manquants de MARTIN Théo")
                                                                       : S("Ascendance de MARTIN Théo")));
                EXPECT_EQ(page.contains(S("Aucun ascendant ne manque.")),
                          sorte == AscendantsManquants && attendues(f.bd, 13, n, sorte).empty());
            }
        }
    }
    // Implex: Jean and Marie once each, at Sosa 8 and 9, not again at 14 and
    // 15 as Anne's parents.
    f.bd.SetFather(1, 0);
    const auto r = rangees(PageAscendance(f.bd, 13, 4, AscendanceParGenerations, false, false, QString()));
    EXPECT_EQ(std::count_if(r.begin(), r.end(), [](const Rangee &x) { return x.Cellule == u"MARTIN Jean"_s; }), 1);
    EXPECT_EQ(r.back().Sosa, 9u);

    EXPECT_TRUE(PageAscendance(f.bd, 10, 5, 0, false, false, QString()).isEmpty()); // not in use
    EXPECT_TRUE(PageAscendance(f.bd, 13, 5, 3, false, false, QString()).isEmpty());
}

// Sosa numbers stay exact beyond what 64 bits hold: 70 generations of
// fathers, the last one numbered 2^69.
TEST_F(PagesHtml, SosaNumbersOfDistantGenerations)
{
    TBD bd;
    int enfant = bd.NewPerson();
    const int racine = enfant;
    for (int g = 1; g < 70; ++g) {
        const int pere = bd.NewPerson();
        bd.SetFather(enfant, pere);
        enfant = pere;
    }
    const QString page = PageAscendance(bd, racine, 99, AscendanceParGenerations, false, false, QString());
    EXPECT_TRUE(page.contains(u"<h3>Génération 70</h3>"_s));
    EXPECT_TRUE(page.contains(u"<td class=\"sosa\">590295810358705651712</td>"_s));
    EXPECT_FALSE(page.contains(u"Génération 71"_s));
}

// Siblings, other partners and the complement under each name; every text of
// the database or of the template escaped.
TEST_F(PagesHtml, SiblingsPartnersAndComplementEscaped)
{
    f.bd.SetSurname(12, u"LEROY <b>&"_s);
    f.bd.SetField(4, PcNote, u"<script>x</script>"_s);
    const QString page
        = PageAscendance(f.bd, 13, 4, AscendanceParGenerations, true, true, u"[<note>]"_s);
    const auto r = rangees(page);
    const auto cellule = [&](quint64 sosa) {
        for (const Rangee &x : r) {
            if (x.Sosa == sosa)
                return x.Cellule;
        }
        return u"<aucune>"_s;
    };
    EXPECT_FALSE(page.contains(u"<b>"_s));
    EXPECT_FALSE(page.contains(u"<script>"_s));
    // Emma, with her name escaped (and in the title of nobody else).
    EXPECT_TRUE(cellule(3).startsWith(u"LEROY &lt;b&gt;&amp; Emma"_s)) << cellule(3).toStdString();
    // Pierre: his note as complement, his brother, sister and half-siblings,
    // each with the complement too (their notes are empty).
    EXPECT_EQ(cellule(4), u"MARTIN Pierre [&lt;script&gt;x&lt;/script&gt;]"_s
                          u"<br><span class=\"fratrie\">Fratrie : MARTIN Anne [], MARTIN Paul [], DURAND Claude []</span>"_s);
    // Jean, reached as Pierre's father: his other wife, not Pierre's mother.
    EXPECT_TRUE(cellule(8).endsWith(u"<span class=\"conjoints\">Autres conjoints : PETIT Louise []</span>"_s))
        << cellule(8).toStdString();
    // Luc's wife Emma is the other parent of Théo: no other partner.
    EXPECT_FALSE(cellule(2).contains(u"conjoints"_s));
    // The person of the page has all of its partners.
    const auto luc = rangees(PageAscendance(f.bd, 9, 1, AscendanceParGenerations, false, true, QString()));
    ASSERT_EQ(luc.size(), 1u);
    EXPECT_EQ(luc[0].Cellule, u"MARTIN Luc<br><span class=\"conjoints\">Conjoints : LEROY &lt;b&gt;&amp; Emma</span>"_s);
}

// Free names are taken in the export folder, made when the first page is
// written; a page that cannot be written says why.
TEST_F(PagesHtml, PageFilesInTheExportFolder)
{
    const QString html = DossierExportHtml();
    EXPECT_EQ(html, dossier.path() + u"/Lignée/html/"_s);
    EXPECT_EQ(NomPageHtmlLibre(u"rapport"_s), html + u"rapport1.htm"_s);
    QString erreur;
    ASSERT_TRUE(EcritPageHtml(html + u"rapport1.htm"_s, u"Rapport <1>"_s, u"<p>corps</p>"_s, &erreur))
        << erreur.toStdString();
    const QString page = lis(html + u"rapport1.htm"_s);
    EXPECT_TRUE(page.contains(u"<title>Rapport &lt;1&gt;</title>"_s));
    EXPECT_TRUE(page.contains(u"\n<p>corps</p>\n</body>"_s));
    EXPECT_EQ(lis(html + u"style.css"_s), lis(FichierStyleDefaut()));
    EXPECT_EQ(NomPageHtmlLibre(u"rapport"_s), html + u"rapport2.htm"_s);
    ASSERT_TRUE(QDir(html).mkdir(u"rapport2.htm"_s));
    EXPECT_EQ(NomPageHtmlLibre(u"rapport"_s), html + u"rapport3.htm"_s);

    // A folder in the place of the page, then a file in the place of the
    // export folder.
    EXPECT_FALSE(EcritPageHtml(html + u"rapport2.htm"_s, u"Rapport"_s, QString(), &erreur));
    EXPECT_TRUE(erreur.contains(u"rapport2.htm"_s)) << erreur.toStdString();
    ASSERT_TRUE(QDir(html).removeRecursively());
    QFile bouchon(html.chopped(1));
    ASSERT_TRUE(bouchon.open(QIODevice::WriteOnly));
    bouchon.close();
    erreur.clear();
    EXPECT_FALSE(EcritPageHtml(html + u"rapport1.htm"_s, u"Rapport"_s, QString(), &erreur));
    EXPECT_FALSE(erreur.isEmpty());

    TDialoguesScriptes dialogues;
    AffichePageHtml(u"/x/page.htm"_s);
    EXPECT_EQ(dialogues.Pages, QStringList{u"/x/page.htm"_s});
}

} // namespace
