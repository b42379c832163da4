// The report window: fills, sorts, clicks, row colours, the delimited text
// export and the column model file.

#include <gtest/gtest.h>

#include <vector>

#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "FamilleTest.h"
#include "Globales.h"
#include "Ini.h"
#include "Langue.h"
#include "Style.h"
#include "TBKStringGrid.h"
#include "TfmRapport.h"

using namespace Qt::StringLiterals;

namespace {

QString S(const char *texte) { return QString::fromUtf8(texte); }

const QString ModeleLivre = QStringLiteral(LIGNEE_MODELE "/1/rapport/defaut.mvr");

QByteArray contenu(const QString &chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<absent>");
}

void ecrit(const QString &chemin, const QByteArray &octets)
{
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(octets);
}

// A reader of delimited text as a spreadsheet reads it: quoted fields may hold
// the separator, quotes (doubled) and line breaks. Every line of the export
// ends with a separator, so the empty field after it is not a cell.
std::vector<QStringList> litCsv(const QByteArray &octets, const QString &sep)
{
    const QString t = DecodeWindows1252(octets);
    std::vector<QStringList> lignes;
    QStringList ligne;
    QString champ;
    bool entreGuillemets = false;
    for (qsizetype i = 0; i < t.size(); ++i) {
        const QChar c = t[i];
        if (entreGuillemets) {
            if (c == u'"' && i + 1 < t.size() && t[i + 1] == u'"') {
                champ += c;
                ++i;
            } else if (c == u'"') {
                entreGuillemets = false;
            } else {
                champ += c;
            }
        } else if (c == u'"' && champ.isEmpty()) {
            entreGuillemets = true;
        } else if (c == sep[0]) {
            ligne << champ;
            champ.clear();
        } else if (c == u'\r' && i + 1 < t.size() && t[i + 1] == u'\n') {
            if (!champ.isEmpty())
                ligne << champ;
            lignes.push_back(ligne);
            ligne.clear();
            champ.clear();
            ++i;
        } else {
            champ += c;
        }
    }
    return lignes;
}

class Hote final : public THoteRapport
{
public:
    TfmRapport *Fenetre = nullptr;
    int Selec = 0;
    QList<int> Fiches;
    int Cache = 0;
    QList<int> Touches;
    int SelecPers() const override { return Selec; }
    void SelecFiche(int p) override { Fiches << p; }
    void MontreRapport() override { Fenetre->show(); }
    void RapportCache() override { ++Cache; }
    bool FormKeyDown(int key, Qt::KeyboardModifiers) override
    {
        Touches << key;
        return key == Qt::Key_F2;
    }
};

TR liste(std::initializer_list<int> personnes)
{
    TR r;
    for (int p : personnes)
        r.Add(p);
    return r;
}

class Rapport : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(ChargeLangue(QStringLiteral(LIGNEE_MODELE "/langue.txt"))); }

    void SetUp() override
    {
        DossierRapport = dossier.path() + u'/';
        NomModeleDefaut = u"defaut"_s;
        QFile::copy(ModeleLivre, DossierRapport + u"defaut.mvr"_s);
        StyleOptions().SetTexte(QString());
        rapport = std::make_unique<TfmRapport>(famille.bd, hote);
        hote.Fenetre = rapport.get();
        grille = rapport->Grille();
    }
    void TearDown() override { rapport.reset(); }

    // The persons of the data rows, top to bottom.
    std::vector<int> valeurs() const
    {
        std::vector<int> v;
        for (int r = 1; r < grille->RowCount(); ++r)
            v.push_back(grille->GetRowData(r));
        return v;
    }
    QPoint centre(int ligne, int col = 0) const
    {
        return grille->visualRect(grille->model()->index(ligne - 1, col)).center();
    }
    QPoint titre(int col) const
    {
        const QHeaderView *h = grille->horizontalHeader();
        return {h->sectionViewportPosition(col) + h->sectionSize(col) / 2, h->height() / 2};
    }

    QTemporaryDir dossier;
    FamilleTest famille;
    Hote hote;
    std::unique_ptr<TfmRapport> rapport;
    TBKStringGrid *grille = nullptr;
};

// ---- Column model file ---------------------------------------------------

// Every field of a model, for comparisons.
QStringList champs(const std::vector<TColonneModele> &modele)
{
    QStringList t;
    for (const TColonneModele &c : modele)
        t << c.Titre << c.Code << c.Type << QString::number(c.Large);
    return t;
}

TEST_F(Rapport, ModeleLivreSeRelitEtSeReecritOctetPourOctet)
{
    const QByteArray dore = "[Lignee]\r\nVersion=2\r\n\r\n[Colonne]\r\nNbre=5\r\n"
                            "Titre 1=Nom\r\nCode 1=<nom>\r\nType 1=Texte\r\nLarge 1=110\r\n"
                            "Titre 2=Pr\xe9noms\r\nCode 2=<pr\xe9nom>\r\nType 2=Texte\r\nLarge 2=130\r\n"
                            "Titre 3=Naissance\r\nCode 3=<naissance>\r\nType 3=Date\r\nLarge 3=80\r\n"
                            "Titre 4=Lieu de naissance\r\nCode 4=<lieu naissance>\r\nType 4=Texte\r\nLarge 4=150\r\n"
                            "Titre 5=D\xe9""c\xe8s\r\nCode 5=<d\xe9""c\xe8s>\r\nType 5=Date\r\nLarge 5=80\r\n";
    EXPECT_EQ(contenu(ModeleLivre), dore);
    ASSERT_TRUE(rapport->Charge(ModeleLivre));
    EXPECT_EQ(rapport->NomModele(), u"defaut"_s);
    EXPECT_EQ(champs(rapport->Modele()).mid(16), QStringList({S("Décès"), S("<décès>"), u"Date"_s, u"80"_s}));
    const QString copie = dossier.filePath(u"copie.mvr"_s);
    ASSERT_TRUE(rapport->Sauve(copie));
    EXPECT_EQ(contenu(copie), dore);
}

TEST_F(Rapport, ModeleAllerRetourGardeTitresCodesTypesEtLargeurs)
{
    const std::vector<TColonneModele> modele = {{S("Coût €"), S("<nom> = <n°>"), QString(), 250},
                                                {S("Âge"), S("<âge>"), S("Nombre"), 42}};
    rapport->Modele() = modele;
    const QString chemin = dossier.filePath(u"essai.mvr"_s);
    ASSERT_TRUE(rapport->Sauve(chemin));
    rapport->Modele().clear();
    ASSERT_TRUE(rapport->Charge(chemin));
    EXPECT_EQ(champs(rapport->Modele()), champs(modele));
    EXPECT_TRUE(contenu(chemin).contains("Co\xfbt \x80"));

    // The widths the user gives the columns of the report are saved with it,
    // but not those of a table that is not the model's.
    ASSERT_TRUE(rapport->AfficheListe(liste({1}), u"T"_s));
    grille->horizontalHeader()->resizeSection(1, 77);
    ASSERT_TRUE(rapport->InitRapport());
    grille->horizontalHeader()->resizeSection(0, 66);
    rapport->FinRapport();
    ASSERT_TRUE(rapport->Sauve(chemin));
    ASSERT_TRUE(rapport->Charge(chemin));
    EXPECT_EQ(rapport->Modele()[0].Large, 250);
    EXPECT_EQ(rapport->Modele()[1].Large, 77);
}

TEST_F(Rapport, ModelesIncompletsOuAbsents)
{
    const std::vector<TColonneModele> avant = {{u"A"_s, u"<nom>"_s, u"Texte"_s, 100}, {u"B"_s, {}, {}, 100}};
    const struct {
        const char *nom, *texte;
        bool lu;
        int colonnes;
    } cas[] = {
        {"absent", nullptr, false, 0},
        {"zero", "[Lignee]\nVersion=2\n[Colonne]\nNbre=0\n", true, 0},
        {"sans nombre", "[Lignee]\nVersion=2\n[Colonne]\nTitre 1=X\n", false, 0},
        {"trop", "[Lignee]\nVersion=2\n[Colonne]\nNbre=2000000000\n", false, 0},
        {"negatif", "[Lignee]\nVersion=2\n[Colonne]\nNbre=-7\n", false, 0},
        {"ancien", "[Lignee]\nVersion=1\n[Critere]\nColonne=3\n", false, 3},
        {"ancien sans compte", "[Lignee]\nVersion=1\n", false, 1},
    };
    for (const auto &c : cas) {
        SCOPED_TRACE(c.nom);
        const QString chemin = dossier.filePath(S(c.nom) + u".mvr"_s);
        if (c.texte)
            ecrit(chemin, c.texte);
        rapport->Modele() = avant;
        EXPECT_EQ(rapport->Charge(chemin), c.lu);
        ASSERT_EQ(rapport->Modele().size(), static_cast<size_t>(c.colonnes));
        if (c.colonnes > 0) {
            EXPECT_EQ(rapport->Modele()[0].Titre, u"A"_s); // an older model keeps its cells
        }
        EXPECT_EQ(rapport->NomModele(), S(c.nom));
    }

    // Missing keys take their defaults; widths out of reason are not used.
    const QString chemin = dossier.filePath(u"defauts.mvr"_s);
    ecrit(chemin, "[Lignee]\nVersion=2\n[Colonne]\nNbre=3\nTitre 1=X\nLarge 2=0\nLarge 3=999999\n");
    ASSERT_TRUE(rapport->Charge(chemin));
    ASSERT_EQ(rapport->Modele().size(), 3u);
    for (const TColonneModele &c : rapport->Modele()) {
        EXPECT_EQ(c.Type, u"Texte"_s);
        EXPECT_EQ(c.Large, 100);
    }
}

TEST_F(Rapport, NomsDeModeleSansEgardALaCasse)
{
    QFile::copy(ModeleLivre, DossierRapport + u"Standard.mvr"_s);
    ASSERT_TRUE(rapport->Charge(DossierRapport + u"standard.mvr"_s));
    EXPECT_EQ(rapport->Modele().size(), 5u);
    EXPECT_EQ(rapport->NomModele(), u"standard"_s);

    // Saving under another case replaces that file instead of adding one.
    rapport->Modele().resize(2);
    ASSERT_TRUE(rapport->Sauve(DossierRapport + u"STANDARD.mvr"_s));
    EXPECT_EQ(QDir(DossierRapport).entryList({u"*.mvr"_s}, QDir::Files, QDir::Name),
              QStringList({u"Standard.mvr"_s, u"defaut.mvr"_s}));
    ASSERT_TRUE(rapport->Charge(DossierRapport + u"standard.mvr"_s));
    EXPECT_EQ(rapport->Modele().size(), 2u);

    QString erreur;
    EXPECT_FALSE(rapport->Sauve(dossier.filePath(u"absent/x.mvr"_s), &erreur));
    EXPECT_TRUE(erreur.contains(u"x.mvr"_s)) << erreur.toStdString();
}

// ---- Fill ------------------------------------------------------------------

TEST_F(Rapport, PremiereOuvertureMontreToutesLesPersonnesAvecLeModeleParDefaut)
{
    rapport->show();
    EXPECT_EQ(rapport->NomModele(), u"defaut"_s);
    EXPECT_EQ(grille->ColCount(), 5);
    EXPECT_EQ(rapport->Liste().Count(), 12);
    EXPECT_EQ(grille->RowCount(), 13);
    EXPECT_EQ(grille->Cell(0, 0), u"Nom"_s);
    EXPECT_EQ(grille->Cell(1, 1), u"Jean"_s);
    EXPECT_EQ(grille->Cell(2, 1), u"1900"_s);
    EXPECT_EQ(grille->ColWidth(3), 150);
    EXPECT_EQ(grille->ColSortType(2), 1);
    EXPECT_EQ(rapport->width(), 110 + 130 + 80 + 150 + 80 + 5 + 16);
}

TEST_F(Rapport, ListeRemplitLaGrilleEtSelectionneLaPersonneCourante)
{
    ASSERT_TRUE(rapport->Charge(ModeleLivre));
    const struct { int courante, ligne; } cas[] = {{3, 2}, {5, 3}, {4, 0}, {0, 0}};
    for (const auto &c : cas) {
        SCOPED_TRACE(c.courante);
        hote.Selec = c.courante;
        ASSERT_TRUE(rapport->AfficheListe(liste({1, 3, 5, 3}), u"Famille"_s));
        EXPECT_EQ(grille->SelectedRow(), c.ligne);
    }
    EXPECT_TRUE(rapport->isVisible());
    EXPECT_EQ(valeurs(), (std::vector<int>{1, 3, 5, 3}));
    EXPECT_EQ(grille->Cell(0, 2), u"PETIT"_s);
    EXPECT_EQ(rapport->windowTitle(), u"Famille (4 personnes)"_s);
    EXPECT_TRUE(grille->isVisible());
    EXPECT_FALSE(rapport->findChild<QPlainTextEdit *>(u"Memo1"_s)->isVisible());

    ASSERT_TRUE(rapport->AfficheListe(TR(), u"Vide"_s));
    EXPECT_EQ(grille->RowCount(), 1);
    EXPECT_EQ(grille->Cell(0, 0), u"Nom"_s);
    EXPECT_FALSE(grille->isVisible());
    EXPECT_TRUE(rapport->findChild<QPlainTextEdit *>(u"Memo1"_s)->isVisible());
    EXPECT_EQ(rapport->windowTitle(), u"Vide (0 personnes)"_s);
    EXPECT_EQ(rapport->Liste().Count(), 0);
}

TEST_F(Rapport, UnClicSurUnTitreTrieSelonLeTypeDuModeleDansUnSensPuisLAutre)
{
    const struct {
        const char *type, *code;
        std::vector<int> montant;
    } cas[] = {
        {"Nombre", "<n°>", {2, 9, 12, 13}},
        {"", "<n°>", {12, 13, 2, 9}},       // neither date nor number: text
        {"nombre", "<n°>", {12, 13, 2, 9}}, // the type is compared with its case
        {"Date", "<naissance>", {2, 9, 12, 13}},
    };
    ASSERT_TRUE(rapport->Charge(ModeleLivre)); // a model is in use: the fill keeps it
    for (const auto &c : cas) {
        SCOPED_TRACE(c.type);
        rapport->Modele() = {{u"Nom"_s, u"<nom>"_s, u"Texte"_s, 80}, {u"X"_s, S(c.code), S(c.type), 80}};
        hote.Selec = 12;
        ASSERT_TRUE(rapport->AfficheListe(liste({9, 12, 2, 13}), u"T"_s));
        QTest::mouseClick(grille->horizontalHeader()->viewport(), Qt::LeftButton, {}, titre(1));
        EXPECT_EQ(valeurs(), c.montant);
        EXPECT_EQ(grille->GetRowData(grille->SelectedRow()), 12);
        EXPECT_EQ(grille->horizontalHeader()->sortIndicatorOrder(), Qt::AscendingOrder);
        QTest::mouseClick(grille->horizontalHeader()->viewport(), Qt::LeftButton, {}, titre(1));
        const std::vector<int> descendant(c.montant.rbegin(), c.montant.rend());
        EXPECT_EQ(valeurs(), descendant);
        EXPECT_EQ(grille->horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
        EXPECT_EQ(grille->GetRowData(grille->SelectedRow()), 12);
        EXPECT_EQ(rapport->windowTitle(), u"T (4 personnes)"_s);
        EXPECT_TRUE(hote.Fiches.isEmpty());
    }
}

TEST_F(Rapport, UnClicOuvreLaFicheDUnePersonneEncoreEnUsageSeulement)
{
    ASSERT_TRUE(rapport->AfficheListe(liste({1, 3, 5}), u"T"_s));
    QTest::mouseClick(grille->viewport(), Qt::LeftButton, {}, centre(2, 1));
    EXPECT_EQ(hote.Fiches, QList<int>{3});

    famille.bd.DeletePerson(5);
    QTest::mouseClick(grille->viewport(), Qt::LeftButton, {}, centre(3));
    EXPECT_EQ(hote.Fiches, QList<int>{3});

    // A table of counts: rows of value 0 open nothing.
    ASSERT_TRUE(rapport->InitRapport());
    EXPECT_FALSE(rapport->InitRapport());
    grille->Clear();
    grille->SetColCount(2);
    grille->SetRowCount(3);
    grille->SetRow(0, {u"Nom"_s, u"Nombre"_s});
    grille->SetRow(1, {u"MARTIN"_s, u"6"_s});
    grille->SetRow(2, {u"DURAND"_s, u"2"_s});
    rapport->FinRapport();
    EXPECT_FALSE(rapport->Occupe());
    EXPECT_EQ(rapport->width(), grille->ColWidth(0) + grille->ColWidth(1) + 2 + 16);
    QTest::mouseClick(grille->viewport(), Qt::LeftButton, {}, centre(1));
    EXPECT_EQ(hote.Fiches, QList<int>{3});

    // The main window's shortcuts are offered the keys first.
    QTest::keyClick(grille, Qt::Key_F2);
    EXPECT_EQ(hote.Touches, QList<int>{Qt::Key_F2});
}

// A timer that fires inside a fill (messages are processed every 50 rows)
// cannot start another fill nor replace the list being shown.
TEST_F(Rapport, UneDemandePendantUnRemplissageEstRefusee)
{
    ASSERT_TRUE(rapport->Charge(ModeleLivre));
    TR longue;
    for (int i = 0; i < 400; ++i)
        longue.Add(i % 13 + 1);
    ASSERT_TRUE(rapport->AfficheListe(liste({1}), u"Avant"_s));

    int essais = 0;
    QTimer::singleShot(0, rapport.get(), [&] {
        ++essais;
        EXPECT_TRUE(rapport->Occupe());
        EXPECT_FALSE(rapport->AfficheListe(liste({2}), u"Autre"_s));
        EXPECT_FALSE(rapport->InitRapport());
        rapport->RemplitTableau(liste({3}));
        longue.Clear(); // the caller's list changes under the fill
    });
    rapport->RemplitTableau(longue);
    EXPECT_EQ(essais, 1);
    EXPECT_FALSE(rapport->Occupe());
    EXPECT_EQ(grille->RowCount(), 401);
    EXPECT_EQ(grille->GetRowData(398), 8);
    EXPECT_EQ(grille->Cell(0, 398), u"BERNARD"_s);
    EXPECT_EQ(rapport->Titre(), u"Avant"_s);
    EXPECT_EQ(rapport->Liste().Count(), 1);
}

// ---- Export ------------------------------------------------------------------

TEST_F(Rapport, ExportOctetPourOctetDansLOrdreAffiche)
{
    ASSERT_TRUE(rapport->Charge(ModeleLivre));
    ASSERT_TRUE(rapport->AfficheListe(liste({1, 3}), u"T"_s));
    grille->horizontalHeader()->moveSection(0, 4);
    const struct { const char *sep; QByteArray attendu; } cas[] = {
        {";", "Pr\xe9noms;Naissance;Lieu de naissance;D\xe9""c\xe8s;Nom;\r\n"
              "Jean;1900;;;MARTIN;\r\nLouise;1910;;;PETIT;\r\n"},
        {",", "Pr\xe9noms,Naissance,Lieu de naissance,D\xe9""c\xe8s,Nom,\r\n"
              "Jean,1900,,,MARTIN,\r\nLouise,1910,,,PETIT,\r\n"},
        {"\t", "Pr\xe9noms\tNaissance\tLieu de naissance\tD\xe9""c\xe8s\tNom\t\r\n"
               "Jean\t1900\t\t\tMARTIN\t\r\nLouise\t1910\t\t\tPETIT\t\r\n"},
    };
    const QString chemin = dossier.filePath(u"export.csv"_s);
    for (const auto &c : cas) {
        SCOPED_TRACE(c.sep);
        ASSERT_TRUE(rapport->SauveTableau(chemin, S(c.sep)));
        EXPECT_EQ(contenu(chemin), c.attendu);
        const auto lignes = litCsv(contenu(chemin), S(c.sep));
        ASSERT_EQ(lignes.size(), 3u);
        EXPECT_EQ(lignes[2], QStringList({u"Louise"_s, u"1910"_s, {}, {}, u"PETIT"_s}));
    }

    // A new fill shows the model's order again.
    ASSERT_TRUE(rapport->AfficheListe(TR(), u"Vide"_s));
    ASSERT_TRUE(rapport->SauveTableau(chemin, u";"_s));
    EXPECT_EQ(contenu(chemin), QByteArray("Nom;Pr\xe9noms;Naissance;Lieu de naissance;D\xe9""c\xe8s;\r\n"));
    grille->Clear();
    ASSERT_TRUE(rapport->SauveTableau(chemin, u";"_s));
    EXPECT_EQ(contenu(chemin), QByteArray());

    QString erreur;
    EXPECT_FALSE(rapport->SauveTableau(dossier.filePath(u"absent/rapport.csv"_s), u";"_s, &erreur));
    EXPECT_TRUE(erreur.contains(u"rapport.csv"_s)) << erreur.toStdString();
}

TEST_F(Rapport, ExportGuillemetteLesCellulesQuiLeDemandent)
{
    const QStringList cellules = {u"a;b"_s, u"a,b"_s, u"a\tb"_s, u"dit \"oui\""_s, u"l1\r\nl2"_s, u"l1\nl2"_s, u"é"_s};
    ASSERT_TRUE(rapport->InitRapport());
    grille->Clear();
    grille->SetColCount(static_cast<int>(cellules.size()));
    grille->SetRowCount(2);
    grille->SetRow(1, cellules);
    rapport->FinRapport();

    const QString chemin = dossier.filePath(u"export.csv"_s);
    for (const char *sep : {";", ",", "\t"}) {
        SCOPED_TRACE(sep);
        ASSERT_TRUE(rapport->SauveTableau(chemin, S(sep)));
        const auto lignes = litCsv(contenu(chemin), S(sep));
        ASSERT_EQ(lignes.size(), 2u);
        EXPECT_EQ(lignes[1], cellules);
    }
    // With ";" the cells without one stay as they are.
    ASSERT_TRUE(rapport->SauveTableau(chemin, u";"_s));
    EXPECT_TRUE(contenu(chemin).endsWith("\"a;b\";a,b;a\tb;\"dit \"\"oui\"\"\";\"l1\r\nl2\";\"l1\nl2\";\xe9;\r\n"));
}

// ---- Row colours -----------------------------------------------------------

TEST_F(Rapport, CouleursDesLignesSelonLaMiseEnForme)
{
    const QColor fondTitre(0x11, 0x22, 0x33), unique(0x20, 0xa0, 0x20), pair(0xc0, 0xc0, 0xff),
        impair(0xff, 0xc0, 0xc0), homme(0x80, 0xc0, 0xff), femme(0xff, 0x80, 0xc0);
    StyleOptions().SetTexte(u"table thead td { background-color: #112233 } .rowunique { background-color: #20a020 }"
                            " .rowPair { background-color: #c0c0ff } .rowImpair { background-color: #ffc0c0 }"
                            " .rowHomme { background-color: #80c0ff } .rowFemme { background-color: #ff80c0 }"_s);
    hote.Selec = 0; // no row selected
    ASSERT_TRUE(rapport->AfficheListe(liste({1, 2, 7, 4}), u"T"_s));

    const struct {
        int style;
        std::vector<QColor> lignes;
    } cas[] = {
        {0, {unique, unique, unique, unique}},
        {1, {pair, impair, pair, impair}},
        {2, {homme, femme, femme, homme}}, // 7 has no known sex
    };
    for (const auto &c : cas) {
        SCOPED_TRACE(c.style);
        rapport->SetStyleLignes(c.style);
        const QImage image = grille->viewport()->grab().toImage();
        for (int r = 1; r <= 4; ++r) {
            const QRect cellule = grille->visualRect(grille->model()->index(r - 1, 4));
            EXPECT_EQ(image.pixelColor(cellule.right() - 3, cellule.center().y()), c.lignes[static_cast<size_t>(r - 1)])
                << "ligne " << r;
        }
        const QImage titres = grille->horizontalHeader()->grab().toImage();
        EXPECT_EQ(titres.pixelColor(titre(4).x() + 30, 3), fondTitre);
    }

    // Without the rules: white rows and light grey titles.
    StyleOptions().SetTexte(QString());
    rapport->SetStyleLignes(-1);
    EXPECT_EQ(rapport->StyleLignes(), 1);
    const QImage image = grille->viewport()->grab().toImage();
    const QRect cellule = grille->visualRect(grille->model()->index(1, 4));
    EXPECT_EQ(image.pixelColor(cellule.right() - 3, cellule.center().y()), QColor(Qt::white));
    const QColor gris = grille->horizontalHeader()->grab().toImage().pixelColor(titre(4).x() + 30, 3);
    EXPECT_TRUE(gris.red() == gris.green() && gris.green() == gris.blue() && gris.red() > 180 && gris.red() < 255)
        << gris.name().toStdString();
}

} // namespace
