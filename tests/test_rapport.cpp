// The report window: fills, sorts, clicks, row colours, the delimited text
// export and the column model file.

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "CheminsSpeciaux.h"
#include "FamilleTest.h"
#include "Globales.h"
#include "Langue.h"
#include "Style.h"
#include "TBKStringGrid.h"
#include "TfmRapport.h"
#include "ToursBoucle.h"

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

class Hote final : public THoteRapport
{
public:
    TfmRapport *Fenetre = nullptr;
    int Selec = 0;
    QList<int> Fiches, Touches;
    int SelecPers() const override { return Selec; }
    void SelecFiche(int p) override { Fiches << p; }
    void MontreRapport() override { Fenetre->show(); }
    void RapportCache() override {}
    bool FormKeyDown(int key, Qt::KeyboardModifiers) override { return Touches << key, key == Qt::Key_F2; }
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
    // A table that is not a person list, written as a predefined report does.
    void tableau(const QList<QStringList> &lignes)
    {
        ASSERT_TRUE(rapport->InitRapport());
        EXPECT_FALSE(rapport->InitRapport()); // one fill at a time
        grille->Clear();
        grille->SetColCount(static_cast<int>(lignes[0].size()));
        grille->SetRowCount(static_cast<int>(lignes.size()));
        for (int r = 0; r < lignes.size(); ++r)
            grille->SetRow(r, lignes[r]);
        rapport->FinRapport();
    }
    // The colour painted in cell (ligne, col), and in the title of col.
    QColor fond(int ligne, int col) const
    {
        const QRect cellule = grille->visualRect(grille->model()->index(ligne - 1, col));
        return grille->viewport()->grab().toImage().pixelColor(cellule.right() - 3, cellule.center().y());
    }
    QColor fondTitre(int col) const
    {
        return grille->horizontalHeader()->grab().toImage().pixelColor(titre(col).x() + 30, 3);
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

// The shipped model is read (Windows-1252) and written back byte for byte.
TEST_F(Rapport, ModeleLivreSeRelitEtSeReecritOctetPourOctet)
{
    ASSERT_TRUE(rapport->Charge(ModeleLivre));
    EXPECT_EQ(rapport->NomModele(), u"defaut"_s);
    EXPECT_EQ(champs(rapport->Modele()).mid(16), QStringList({S("Décès"), S("<décès>"), u"Date"_s, u"80"_s}));
    const QString copie = dossier.filePath(u"copie.mvr"_s);
    ASSERT_TRUE(rapport->Sauve(copie));
    EXPECT_EQ(contenu(copie), contenu(ModeleLivre));
    EXPECT_TRUE(contenu(copie).startsWith("[Lignee]\r\nVersion=2\r\n\r\n[Colonne]\r\nNbre=5\r\n"));
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
    rapport->FinRapport();
    grille->horizontalHeader()->resizeSection(0, 66);
    ASSERT_TRUE(rapport->Sauve(chemin));
    ASSERT_TRUE(rapport->Charge(chemin));
    EXPECT_EQ(rapport->Modele()[0].Large, 250);
    EXPECT_EQ(rapport->Modele()[1].Large, 77);
}

TEST_F(Rapport, ModelesIncompletsOuAbsents)
{
    const std::vector<TColonneModele> avant = {{u"A"_s, u"<nom>"_s, u"Texte"_s, 100}, {u"B"_s, {}, {}, 100}};
    // A model that cannot be used keeps the columns in use and the name of
    // their model, and says why. A hand-edited count is brought into 0..256.
    const struct { const char *nom, *texte; bool lu; int colonnes; const char *raison; } cas[] = {
        {"absent", nullptr, false, 2, "fichier introuvable"},
        {"vide", "", false, 2, "il est vide"},
        {"abime", "\x89PNG\r\n\x1a\n\x01\xff\rIHDR", false, 2, "pas un modèle de colonnes de cette version"},
        {"zero", "[Lignee]\nVersion=2\n[Colonne]\nNbre=0\n", true, 0, ""},
        {"sans nombre", "[Lignee]\nVersion=2\n[Colonne]\nTitre 1=X\n", false, 2, "nombre de ses colonnes"},
        {"trop", "[Lignee]\nVersion=2\n[Colonne]\nNbre=2000000000\nTitre 1=X\n", true, 256, ""},
        {"moins un", "[Lignee]\nVersion=2\n[Colonne]\nNbre=-1\n", false, 2, "nombre de ses colonnes"},
        {"negatif", "[Lignee]\nVersion=2\n[Colonne]\nNbre=-7\n", false, 2, "nombre de ses colonnes"},
        {"ancien", "[Lignee]\nVersion=1\n[Critere]\nColonne=3\n", false, 2, "de cette version"},
        {"ancien sans compte", "[Lignee]\nVersion=1\n", false, 2, "de cette version"},
        {"version 3", "[Lignee]\nVersion=3\n[Colonne]\nNbre=1\nTitre 1=X\n", false, 2, "de cette version"},
    };
    for (const auto &c : cas) {
        SCOPED_TRACE(c.nom);
        const QString chemin = dossier.filePath(S(c.nom) + u".mvr"_s);
        if (c.texte)
            ecrit(chemin, c.texte);
        ASSERT_TRUE(rapport->Charge(ModeleLivre));
        rapport->Modele() = avant;
        QString erreur;
        EXPECT_EQ(rapport->Charge(chemin, &erreur), c.lu);
        ASSERT_EQ(rapport->Modele().size(), static_cast<size_t>(c.colonnes));
        EXPECT_EQ(champs(rapport->Modele()) == champs(avant), !c.lu);
        EXPECT_EQ(rapport->NomModele(), c.lu ? S(c.nom) : u"defaut"_s);
        if (c.lu) {
            EXPECT_TRUE(erreur.isEmpty());
        } else {
            EXPECT_TRUE(erreur.startsWith(u"Le modèle de colonnes « "_s + chemin)) << erreur.toStdString();
            EXPECT_TRUE(erreur.contains(S(c.raison))) << erreur.toStdString();
        }
    }
    // A pipe or a device is refused at once, never read.
    ASSERT_TRUE(QDir(dossier.path()).mkpath(u"speciaux"_s));
    for (const QString &special : CheminsSpeciaux(dossier.filePath(u"speciaux"_s), u".mvr"_s)) {
        SCOPED_TRACE(special.toStdString());
        rapport->Modele() = avant;
        EXPECT_FALSE(rapport->Charge(special));
        EXPECT_EQ(rapport->Modele().size(), avant.size());
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
    EXPECT_EQ(rapport->Liste().Count(), 12);
    EXPECT_EQ(grille->RowCount(), 13);
    EXPECT_EQ(grille->Cell(1, 1), u"Jean"_s);
    EXPECT_EQ(grille->ColWidth(3), 150);
    EXPECT_EQ(grille->ColSortType(2), 1);
    // The model's widths, or more where a title needs it.
    const int modele[] = {110, 130, 80, 150, 80};
    int somme = 0;
    for (int c = 0; c < 5; ++c) {
        EXPECT_EQ(grille->ColWidth(c), std::max(modele[c], grille->LargeurTitre(grille->Cell(c, 0)))) << c;
        somme += grille->ColWidth(c);
    }
    EXPECT_EQ(rapport->width(), somme + 5 + 16);
}

// Shown empty, whatever emptied it, the window starts again from every
// person with the default model, and says so to the options window.
TEST_F(Rapport, UneFenetreMontreeVideRepartDeToutesLesPersonnes)
{
    int initiales = 0;
    QObject::connect(rapport.get(), &TfmRapport::SelectionInitiale, [&] { ++initiales; });
    rapport->show();
    EXPECT_EQ(initiales, 1);
    rapport->Modele().resize(1);
    ASSERT_TRUE(rapport->AfficheListe(TR(), u"Vide"_s));
    rapport->hide();
    rapport->show();
    EXPECT_EQ(initiales, 2);
    EXPECT_EQ(rapport->Titre(), u"Toutes les personnes"_s);
    EXPECT_EQ(grille->RowCount(), 13);
    EXPECT_EQ(grille->ColCount(), 5);
    // A window that holds a report shows it as it was.
    ASSERT_TRUE(rapport->AfficheListe(liste({2}), u"Une"_s));
    rapport->hide();
    rapport->show();
    EXPECT_EQ(initiales, 2);
    EXPECT_EQ(valeurs(), std::vector<int>{2});

    // Without the default model file, the columns in use stay.
    QFile::remove(DossierRapport + u"defaut.mvr"_s);
    rapport->Modele().resize(2);
    ASSERT_TRUE(rapport->AfficheListe(TR(), u"Vide"_s));
    rapport->hide();
    rapport->show();
    EXPECT_EQ(grille->RowCount(), 13);
    EXPECT_EQ(grille->ColCount(), 2);
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
    EXPECT_EQ(rapport->windowTitle(), u"Vide (0 personne)"_s);
    EXPECT_EQ(rapport->Liste().Count(), 0);
    ASSERT_TRUE(rapport->AfficheListe(liste({3}), u"Une"_s));
    EXPECT_EQ(rapport->windowTitle(), u"Une (1 personne)"_s);
}

TEST_F(Rapport, UnClicSurUnTitreTrieSelonLeTypeDuModeleDansUnSensPuisLAutre)
{
    const struct { const char *type, *code; std::vector<int> montant; } cas[] = {
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
        EXPECT_EQ(valeurs(), std::vector<int>(c.montant.rbegin(), c.montant.rend()));
        EXPECT_EQ(grille->horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
        EXPECT_EQ(grille->GetRowData(grille->SelectedRow()), 12);
        EXPECT_EQ(rapport->windowTitle(), u"T (4 personnes)"_s);
        EXPECT_TRUE(hote.Fiches.isEmpty());
    }
}

// A fill shows no sort mark but keeps the direction: the next title click
// sorts the other way from the last sort, on whatever column.
TEST_F(Rapport, UnTriApresUnRemplissageVaALOpposeDuDernier)
{
    ASSERT_TRUE(rapport->Charge(ModeleLivre));
    const auto trie = [&](int col) {
        QTest::mouseClick(grille->horizontalHeader()->viewport(), Qt::LeftButton, {}, titre(col));
        return grille->horizontalHeader()->sortIndicatorOrder();
    };
    const std::vector<int> montant = {5, 1, 3, 9}; // by given names: Anne, Jean, Louise, Luc
    for (Qt::SortOrder attendu : {Qt::AscendingOrder, Qt::DescendingOrder, Qt::AscendingOrder}) {
        ASSERT_TRUE(rapport->AfficheListe(liste({5, 9, 1, 3}), u"T"_s));
        EXPECT_EQ(grille->horizontalHeader()->sortIndicatorSection(), -1);
        EXPECT_EQ(trie(1), attendu);
        EXPECT_EQ(valeurs(), attendu == Qt::AscendingOrder ? montant
                                                         : std::vector<int>(montant.rbegin(), montant.rend()));
    }
    // Another column continues from the last direction too.
    EXPECT_EQ(trie(0), Qt::DescendingOrder);
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
    tableau({{u"Nom"_s, u"Nombre"_s}, {u"MARTIN"_s, u"6"_s}, {u"DURAND"_s, u"2"_s}});
    EXPECT_FALSE(rapport->Occupe());
    EXPECT_EQ(rapport->width(), grille->ColWidth(0) + grille->ColWidth(1) + 2 + 16);
    QTest::mouseClick(grille->viewport(), Qt::LeftButton, {}, centre(1));
    EXPECT_EQ(hote.Fiches, QList<int>{3});

    // The main window's shortcuts are offered the keys first.
    QTest::keyClick(grille, Qt::Key_F2);
    EXPECT_EQ(hote.Touches, QList<int>{Qt::Key_F2});
}

// Persons deleted or merged: the person report keeps only persons in use,
// shows the merged ones as they are now, in the order it was sorted; a table
// of another kind drops its rows of persons that are gone; no row leads to a
// freed slot a new person took. Asked during a fill, it comes after it.
TEST_F(Rapport, PersonnesSupprimeesOuFusionneesQuittentLeRapport)
{
    ASSERT_TRUE(rapport->Charge(ModeleLivre));
    hote.Selec = 4;
    ASSERT_TRUE(rapport->AfficheListe(liste({1, 3, 4, 5, 6, 3}), u"Famille"_s));
    QTest::mouseClick(grille->horizontalHeader()->viewport(), Qt::LeftButton, {}, titre(1));
    QTest::mouseClick(grille->horizontalHeader()->viewport(), Qt::LeftButton, {}, titre(1));
    ASSERT_EQ(valeurs(), (std::vector<int>{4, 6, 3, 3, 1, 5})); // given names descending
    rapport->hide();
    famille.bd.DeletePerson(3);
    famille.bd.DeletePerson(5);
    famille.bd.SetGivenNames(6, u"Albert"_s); // what a merge may give
    rapport->PersonnesChangees();
    EXPECT_EQ(valeurs(), (std::vector<int>{4, 1, 6}));
    EXPECT_EQ(grille->Cell(1, 3), u"Albert"_s);
    EXPECT_EQ(grille->horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
    EXPECT_EQ(grille->horizontalHeader()->sortIndicatorSection(), 1);
    EXPECT_EQ(rapport->Liste().Count(), 3);
    EXPECT_EQ(rapport->windowTitle(), u"Famille (3 personnes)"_s);
    // The freed slots go to new persons: no row leads to them.
    const int nouvelle = famille.bd.NewPerson();
    ASSERT_EQ(nouvelle, 3);
    rapport->show();
    for (int r = 1; r < grille->RowCount(); ++r)
        QTest::mouseClick(grille->viewport(), Qt::LeftButton, {}, centre(r));
    EXPECT_EQ(hote.Fiches, (QList<int>{4, 1, 6}));

    // A table whose rows are persons among counts.
    ASSERT_TRUE(rapport->InitRapport());
    grille->Clear();
    grille->SetColCount(1);
    grille->SetRowCount(5);
    const QStringList lignes = {u"Titre"_s, u"Pierre"_s, u"Total"_s, u"Luc"_s, u"Anne"_s};
    const int personnes[] = {0, 4, 0, 9, 12};
    for (int r = 0; r < 5; ++r) {
        grille->SetCell(0, r, lignes[r]);
        grille->SetRowData(r, personnes[r]);
    }
    famille.bd.DeletePerson(9);
    rapport->PersonnesChangees(); // during the fill: waits for its end
    EXPECT_EQ(grille->RowCount(), 5);
    rapport->FinRapport();
    ASSERT_EQ(grille->RowCount(), 4);
    EXPECT_EQ(valeurs(), (std::vector<int>{4, 0, 12}));
    EXPECT_EQ(grille->Cell(0, 3), u"Anne"_s);
    EXPECT_EQ(grille->GetRowData(4), 0);
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

// A long fill repaints the window a few times a second, not every few rows.
TEST_F(Rapport, UnLongRemplissageSeRepeintAuRythmeDuTemps)
{
    ASSERT_TRUE(rapport->Charge(ModeleLivre));
    rapport->show();
    TR longue;
    for (int i = 0; i < 3000; ++i)
        longue.Add(i % 13 + 1);
    const TToursBoucle t = ToursPendant([&] { EXPECT_TRUE(rapport->AfficheListe(longue, u"Longue"_s)); });
    EXPECT_TRUE(t.Cadences()) << t.Tours << " tours en " << t.Ms << " ms";
    EXPECT_EQ(grille->RowCount(), 3001);
}

// A database replaced under the window: no row keeps a number of the old one,
// even when the replacement comes during a fill.
TEST_F(Rapport, UneBaseRemplaceeVideLeRapport)
{
    ASSERT_TRUE(rapport->Charge(ModeleLivre));
    ASSERT_TRUE(rapport->AfficheListe(liste({3, 5}), u"T"_s));
    rapport->hide();
    rapport->Vide();
    EXPECT_EQ(grille->RowCount(), 1);
    EXPECT_EQ(grille->ColCount(), 5);
    EXPECT_EQ(grille->GetRowData(1), 0);
    EXPECT_EQ(rapport->Liste().Count(), 0);
    EXPECT_EQ(rapport->windowTitle(), u"Rapport"_s);

    TR longue;
    for (int i = 0; i < 400; ++i)
        longue.Add(3);
    rapport->show();
    famille.bd.DeletePerson(2);
    QTimer::singleShot(0, rapport.get(), [&] { rapport->Vide(); });
    ASSERT_TRUE(rapport->AfficheListe(longue, u"Longue"_s));
    // A window on screen lists every person of the database it now shows.
    EXPECT_FALSE(rapport->Occupe());
    EXPECT_EQ(rapport->Titre(), u"Toutes les personnes"_s);
    EXPECT_EQ(valeurs(), (std::vector<int>{1, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13}));
    EXPECT_EQ(grille->GetRowData(12), 0);
}

// ---- Export ------------------------------------------------------------------

TEST_F(Rapport, ExportOctetPourOctetDansLOrdreAffiche)
{
    ASSERT_TRUE(rapport->Charge(ModeleLivre));
    ASSERT_TRUE(rapport->AfficheListe(liste({1, 3}), u"T"_s));
    grille->horizontalHeader()->moveSection(0, 4);
    const QByteArray attendu = "Pr\xe9noms;Naissance;Lieu de naissance;D\xe9""c\xe8s;Nom;\r\n"
                               "Jean;1900;;;MARTIN;\r\nLouise;1910;;;PETIT;\r\n";
    const QString chemin = dossier.filePath(u"export.csv"_s);
    for (const char *sep : {";", ",", "\t"}) {
        ASSERT_TRUE(rapport->SauveTableau(chemin, S(sep)));
        EXPECT_EQ(contenu(chemin), QByteArray(attendu).replace(';', sep)) << sep;
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

// A cell holding the separator, a quote or a line break is quoted, inner
// quotes doubled; the others stay as they are.
TEST_F(Rapport, ExportGuillemetteLesCellulesQuiLeDemandent)
{
    tableau({QStringList(7), {u"a;b"_s, u"a,b"_s, u"a\tb"_s, u"dit \"oui\""_s, u"l1\r\nl2"_s, u"l1\nl2"_s, u"é"_s}});
    const struct { const char *sep; QByteArray ligne; } cas[] = {
        {";", "\"a;b\";a,b;a\tb;\"dit \"\"oui\"\"\";\"l1\r\nl2\";\"l1\nl2\";\xe9;\r\n"},
        {",", "a;b,\"a,b\",a\tb,\"dit \"\"oui\"\"\",\"l1\r\nl2\",\"l1\nl2\",\xe9,\r\n"},
        {"\t", "a;b\ta,b\t\"a\tb\"\t\"dit \"\"oui\"\"\"\t\"l1\r\nl2\"\t\"l1\nl2\"\t\xe9\t\r\n"},
    };
    const QString chemin = dossier.filePath(u"export.csv"_s);
    for (const auto &c : cas) {
        ASSERT_TRUE(rapport->SauveTableau(chemin, S(c.sep)));
        EXPECT_EQ(contenu(chemin), QByteArray(7, c.sep[0]) + "\r\n" + c.ligne) << c.sep;
    }
}

// ---- Row colours -----------------------------------------------------------

TEST_F(Rapport, CouleursDesLignesSelonLaMiseEnForme)
{
    const QColor unique(0x20, 0xa0, 0x20), pair(0xc0, 0xc0, 0xff), impair(0xff, 0xc0, 0xc0),
        homme(0x80, 0xc0, 0xff), femme(0xff, 0x80, 0xc0);
    StyleOptions().SetTexte(u"table thead td { background-color: #112233 } .rowunique { background-color: #20a020 }"
                            " .rowPair { background-color: #c0c0ff } .rowImpair { background-color: #ffc0c0 }"
                            " .rowHomme { background-color: #80c0ff } .rowFemme { background-color: #ff80c0 }"_s);
    hote.Selec = 0; // no row selected
    ASSERT_TRUE(rapport->AfficheListe(liste({1, 2, 7, 4}), u"T"_s));
    const struct { int style; std::vector<QColor> lignes; } cas[] = {
        {0, {unique, unique, unique, unique}},
        {1, {pair, impair, pair, impair}},
        {2, {homme, femme, femme, homme}}, // 7 has no known sex
    };
    for (const auto &c : cas) {
        SCOPED_TRACE(c.style);
        rapport->SetStyleLignes(c.style);
        for (int r = 1; r <= 4; ++r)
            EXPECT_EQ(fond(r, 4), c.lignes[static_cast<size_t>(r - 1)]) << "ligne " << r;
        EXPECT_EQ(fondTitre(4), QColor(0x11, 0x22, 0x33));
    }

    // Without the rules: white rows and light grey titles.
    StyleOptions().SetTexte(QString());
    rapport->SetStyleLignes(-1);
    EXPECT_EQ(rapport->StyleLignes(), 1);
    EXPECT_EQ(fond(2, 4), QColor(Qt::white));
    const QColor gris = fondTitre(4);
    EXPECT_TRUE(gris.red() == gris.green() && gris.green() == gris.blue() && gris.red() > 180 && gris.red() < 255)
        << gris.name().toStdString();
}

} // namespace
