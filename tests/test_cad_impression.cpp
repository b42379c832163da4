// The artistic print window and what it is made of: picture names resolved
// for a design, the place of a printed design, the model chooser, the
// skinned button bar and its shipped skin; then the window driven as a user
// does: choose, personalise, save, print into a PDF read back.

#include "AideCAD.h"
#include "BD.h"
#include "CanevasEspion.h"
#include "Chemins.h"
#include "Bitmaps.h"
#include "DialoguesQt.h"
#include "DialoguesScriptes.h"
#include "Globales.h"
#include "Images.h"
#include "Metafichier.h"
#include "ModelesLivres.h"
#include "ImpressionModele.h"
#include "SkinImpression.h"
#include "TfmGenePrint.h"
#include "TxiloApercuModele.h"
#include "TxiloCAD.h"
#include "TxiloCADImage.h"
#include "TxiloCADTexte.h"
#include "TxiloMenuBarre.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QFileDialog>
#include <QDirIterator>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace Qt::StringLiterals;
using namespace aidecad;

// Texts shown as text when a comparison fails.
void PrintTo(const QString &texte, std::ostream *flux)
{
    *flux << '"' << texte.toStdString() << '"';
}

namespace {

const QString Fixtures = QStringLiteral(LIGNEE_FIXTURES "/impression/");

bool EcritCouleur(const QString &chemin, QSize taille, QColor couleur)
{
    QImage image(taille, QImage::Format_RGB32);
    image.fill(couleur);
    return chemin.endsWith(u".jpg"_s) ? EcritJpeg(image, chemin) : EcritPng(image, chemin);
}

bool Ecrit(const QString &chemin, const QByteArray &octets)
{
    QFile f(chemin);
    return f.open(QIODevice::WriteOnly) && f.write(octets) == octets.size();
}

// Pixels near a colour (pictures reach files through lossy compression).
QRect Zone(const QImage &image, QRgb c, int tolerance = 60)
{
    return Boite(image, [&](QRgb p) {
        return std::abs(qRed(p) - qRed(c)) < tolerance && std::abs(qGreen(p) - qGreen(c)) < tolerance
            && std::abs(qBlue(p) - qBlue(c)) < tolerance;
    });
}

// A temporary layout of the window's folders: the fixture models by
// category, the designs' pictures, the folder of the open database with the
// persons' photographs, a second models folder and a preview cache.
struct Dossiers {
    QTemporaryDir tmp;
    QString modeles = tmp.path() + u"/modeles/"_s;
    QString images = tmp.path() + u"/images/"_s;
    QString base = tmp.path() + u"/base/"_s;
    QString user = tmp.path() + u"/user/"_s;
    QString cache = tmp.path() + u"/cache/"_s;

    Dossiers()
    {
        for (QDirIterator it(Fixtures + u"modeles"_s, QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
            const QString source = it.next();
            const QString cible = modeles + source.mid(Fixtures.size() + 8);
            QDir().mkpath(QFileInfo(cible).absolutePath());
            QFile::copy(source, cible);
        }
        for (const QString &d : {images, base + u"sous"_s, user})
            QDir().mkpath(d);
        EcritCouleur(images + u"motif.png"_s, {40, 30}, Qt::green);
        EcritCouleur(base + u"jean.png"_s, {30, 40}, Qt::yellow);
        EcritCouleur(base + u"sous/marie.png"_s, {30, 40}, Qt::cyan);
    }
    QString Famille(const char *nom) const { return modeles + u"Famille/"_s + QString::fromLatin1(nom); }
    // A model file of its own lines.
    QString Modele(const QString &chemin, const QString &lignes) const
    {
        QDir().mkpath(QFileInfo(chemin).absolutePath());
        Ecrit(chemin, lignes.toUtf8());
        return chemin;
    }
    QString Photo(const QString &chemin, const QString &nom, const QString &fichier) const
    {
        return Modele(chemin, u"Large=100\nHaut=100\nFace=1\n  P\n    Name=Image\n    x=50\n    y=50\n    l=40\n"
                              u"    h=40\n    r=0\n    %1=%2\n  End\nEnd\n"_s.arg(nom, fichier));
    }
};

// ---- Picture names and the printed page ---------------------------------------

TEST(NomsImpression, RelativeNamesAreTheDesignsPicturesAndPathsStayPaths)
{
    const QString images = u"/images/"_s;
    const struct {
        QString nom, base, attendu;
    } cas[] = {
        {u"motif.png"_s, u"/b/f.mvd"_s, u"/images/motif.png"_s},
        {u"bords\\coin.png"_s, u"/b/f.mvd"_s, u"/images/bords/coin.png"_s},
        {u"/photos/jean.jpg"_s, u"/b/f.mvd"_s, u"/photos/jean.jpg"_s},
        {u"C:\\Photos\\jean.jpg"_s, u"/b/f.mvd"_s, u"C:/Photos/jean.jpg"_s},
        {u"@jean.jpg"_s, u"/b/f.mvd"_s, u"/b/jean.jpg"_s},
        {u"@album\\jean.jpg"_s, u"/b/f.mvd"_s, u"/b/album/jean.jpg"_s},
        {u"@/photos/jean.jpg"_s, u"/b/f.mvd"_s, u"/photos/jean.jpg"_s},
        {u"@jean.jpg"_s, u""_s, u"jean.jpg"_s},
        {u""_s, u"/b/f.mvd"_s, u""_s},
    };
    for (const auto &c : cas)
        EXPECT_EQ(ResoutNomImpression(c.nom, images, c.base), c.attendu) << c.nom.toStdString();
}

TEST(PlaceImpression, TrueSizeCentredAndReducedOnlyWhenTooLarge)
{
    // An A4 sheet at 600 dpi, 4961 x 7016 dots.
    const QSize a4(4961, 7016);
    const struct {
        QSizeF page;
        QRect imprimable, attendu;
    } cas[] = {
        // A CD label: 120 mm are 2835 dots, in the middle of the sheet.
        {{120, 120}, {236, 236, 4489, 6544}, {1063, 2090, 2835, 2835}},
        // A margin wider on one side moves it into the printable part.
        {{120, 120}, {236, 3000, 4489, 4000}, {1063, 3000, 2835, 2835}},
        // A whole A4 page within 10-mm margins: reduced, never distorted.
        {{210, 297}, {236, 236, 4489, 6544}, {236, 236 + (6544 - 6348) / 2, 4489, 6348}},
        // Wider than high: the proportions are kept across the width.
        {{400, 100}, {0, 0, 4961, 7016}, {0, (7016 - 1240) / 2, 4961, 1240}},
        {{0, 100}, {0, 0, 4961, 7016}, {}},
    };
    for (const auto &c : cas) {
        const QRect r = PlaceImpression(c.page, a4, c.imprimable, 600, 600);
        EXPECT_EQ(r, c.attendu) << c.page.width() << "x" << c.page.height();
        if (!r.isEmpty()) {
            EXPECT_TRUE(c.imprimable.contains(r));
        }
    }
    // No side of the printed bitmap beyond 4960 pixels.
    EXPECT_EQ(TailleBitmapImpression({4961, 7016}), QSize(3507, 4960));
    EXPECT_EQ(TailleBitmapImpression({2835, 2835}), QSize(2835, 2835));
    EXPECT_EQ(TailleBitmapImpression({9920, 100}), QSize(4960, 50));
}

// ---- The model chooser ----------------------------------------------------------

struct Choix {
    Dossiers d;
    TxiloApercuModele choix;
    QWidget *image = choix.findChild<QWidget *>(u"Apercus"_s);
    std::vector<std::pair<int, QString>> clics;

    Choix()
    {
        choix.SetDossierCache(d.cache);
        QObject::connect(&choix, &TxiloApercuModele::OnClique,
                         [this](int i, const QString &m) { clics.emplace_back(i, m); });
    }
    // Cells of 164 x 164, spacing 4: two columns at 356 pixels.
    void Grille(const QString &dossier)
    {
        choix.SetTailleAuto(false);
        choix.SetApercuLarge(164);
        choix.SetApercuHaut(164);
        choix.SetEspacement(4);
        choix.resize(356, 400);
        choix.LoadFolder(dossier);
    }
    QImage Dessin() { return image->grab().toImage().convertToFormat(QImage::Format_RGB32); }
};

TEST(Choix, ColumnsOfTheGrid)
{
    TxiloApercuModele choix;
    const struct {
        int largeur, cellule, espacement, colonnes;
    } cas[] = {{348, 164, 4, 1}, {356, 164, 4, 2}, {420, 100, 0, 4}, {10, 100, 0, 1}, {400, 0, 0, 1}, {400, 4, -4, 1}};
    for (const auto &c : cas) {
        choix.resize(c.largeur, 100);
        choix.SetApercuLarge(c.cellule);
        choix.SetEspacement(c.espacement);
        EXPECT_EQ(choix.Colonnes(), c.colonnes) << c.largeur << " " << c.cellule << " " << c.espacement;
    }
}

TEST(Choix, MissingPreviewsAreRenderedBesideTheirModelsAndClicksNameTheModel)
{
    Choix c;
    const QString dossier = c.d.modeles + u"Tous/"_s;
    QDir().mkpath(dossier);
    for (const char *nom : {"Famille/arbre.mdl", "Famille/etiquette.mdl", "Divers/marque_page.mdl"}) {
        const QString source = c.d.modeles + QString::fromLatin1(nom);
        ASSERT_TRUE(QFile::copy(source, dossier + QFileInfo(source).fileName()));
    }
    c.Grille(dossier);
    ASSERT_EQ(c.choix.Count(), 3);
    QImage apercu;
    ASSERT_TRUE(ChargeImage(apercu, dossier + u"arbre.jpg"_s));
    EXPECT_EQ(apercu.size(), QSize(160, 107));
    ASSERT_TRUE(ChargeImage(apercu, dossier + u"marque_page.jpg"_s));
    EXPECT_EQ(apercu.size(), QSize(40, 120));
    EXPECT_EQ(c.choix.Apercus()[1], dossier + u"etiquette.jpg"_s);
    EXPECT_EQ(c.image->size(), QSize(328, 328));

    // Each preview at its own size, centred in its cell, moved by the
    // spacing: the red page of the first at (4, 31).
    const QRect rouge = Zone(c.Dessin(), qRgb(255, 0, 0));
    EXPECT_TRUE(QRect(4, 31, 160, 107).contains(rouge)) << rouge.x() << "," << rouge.y();
    EXPECT_GT(rouge.width() * rouge.height(), 150 * 100);

    c.choix.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&c.choix));
    for (int i : {2, 0, 1})
        QTest::mouseClick(c.image, Qt::LeftButton, {}, c.choix.CellRect(i).center());
    QTest::mouseClick(c.image, Qt::RightButton, {}, c.choix.CellRect(0).topLeft());
    // Right of the last thumbnail of the incomplete row: nothing.
    QTest::mouseClick(c.image, Qt::LeftButton, {}, c.choix.CellRect(3).center());
    const std::vector<std::pair<int, QString>> attendu = {{2, dossier + u"marque_page.mdl"_s},
                                                          {0, dossier + u"arbre.mdl"_s},
                                                          {1, dossier + u"etiquette.mdl"_s},
                                                          {0, dossier + u"arbre.mdl"_s}};
    EXPECT_EQ(c.clics, attendu);
    QTest::mouseMove(c.image, c.choix.CellRect(1).center());
    EXPECT_EQ(c.image->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseMove(c.image, c.choix.CellRect(3).center());
    EXPECT_EQ(c.image->cursor().shape(), Qt::ArrowCursor);

    // A preview deleted after loading leaves its cell empty, the others in
    // place.
    ASSERT_TRUE(QFile::remove(dossier + u"arbre.jpg"_s));
    c.choix.Refresh();
    EXPECT_TRUE(Zone(c.Dessin(), qRgb(255, 0, 0)).isNull());
    EXPECT_FALSE(Zone(c.Dessin(), qRgb(0, 0, 255)).isNull());
    EXPECT_EQ(c.image->size(), QSize(328, 328));

    // A folder without models empties the chooser; models show again after.
    c.choix.LoadFolder(c.d.images);
    EXPECT_EQ(c.choix.Count(), 0);
    EXPECT_EQ(c.image->size(), QSize(0, 0));
    c.choix.LoadFolder(dossier);
    EXPECT_EQ(c.choix.Count(), 3);
    EXPECT_EQ(c.image->size(), QSize(328, 328));
}

TEST(Choix, AnExistingPreviewIsNeverRenderedAgain)
{
    Choix c;
    const QString jpg = c.d.Famille("arbre.jpg");
    ASSERT_TRUE(EcritCouleur(jpg, {160, 120}, Qt::magenta));
    QFile f(jpg);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    f.setFileTime(QDateTime::currentDateTime().addDays(-30), QFileDevice::FileModificationTime);
    f.close();
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray octets = f.readAll();
    f.close();
    c.Grille(c.d.modeles + u"Famille/"_s);
    QFile relue(jpg);
    ASSERT_TRUE(relue.open(QIODevice::ReadOnly));
    EXPECT_EQ(relue.readAll(), octets);
    EXPECT_FALSE(Zone(c.Dessin(), qRgb(255, 0, 255)).isNull());

    // A preview drawn again into the cache (where the one beside the model
    // could not be replaced) shows while it is the newer of the two and not
    // older than the model; else the one beside the model does.
    const QString mdl = c.d.Famille("arbre.mdl");
    const QString cache = c.choix.ApercuEnCache(mdl);
    ASSERT_TRUE(QDir().mkpath(QFileInfo(cache).absolutePath()));
    ASSERT_TRUE(EcritCouleur(cache, {160, 107}, Qt::cyan));
    const auto date = [](const QString &fichier, qint64 secondes) {
        QFile f(fichier);
        return f.open(QIODevice::ReadWrite)
               && f.setFileTime(QDateTime::currentDateTime().addSecs(secondes), QFileDevice::FileModificationTime);
    };
    const QRgb cyan = qRgb(0, 255, 255);
    const QRgb magenta = qRgb(255, 0, 255);
    // Dates in seconds from now.
    const struct {
        qint64 modele, apercu, cache;
        bool duCache;
    } cas[] = {
        {-40 * 86400, -30 * 86400, -60, true},
        {-40 * 86400, 60, -60, false},
        {120, -30 * 86400, -60, false},
        {-60, -30 * 86400, -60, true},
    };
    for (const auto &k : cas) {
        SCOPED_TRACE(testing::Message() << k.modele << " " << k.apercu << " " << k.cache);
        ASSERT_TRUE(date(mdl, k.modele) && date(jpg, k.apercu) && date(cache, k.cache));
        c.choix.LoadFolder(c.d.modeles + u"Famille/"_s);
        const QImage dessin = c.Dessin();
        EXPECT_FALSE(Zone(dessin, k.duCache ? cyan : magenta, 30).isNull());
        EXPECT_TRUE(Zone(dessin, k.duCache ? magenta : cyan, 30).isNull());
    }
}

// A models folder where the preview cannot be written beside its model: a
// read-only folder, or the preview's name taken by a folder (which stops
// every account, the superuser's included).
TEST(Choix, PreviewsThatCannotBeWrittenBesideTheirModelsGoToTheCache)
{
    EXPECT_TRUE(TxiloApercuModele().DossierCache().startsWith(
        QStandardPaths::writableLocation(QStandardPaths::CacheLocation)));
    for (bool lectureSeule : {true, false}) {
        SCOPED_TRACE(lectureSeule);
        Choix c;
        const QString famille = c.d.modeles + u"Famille/"_s;
        const auto droits = QFileInfo(famille).permissions();
        if (lectureSeule)
            QFile::setPermissions(famille, droits & ~(QFile::WriteOwner | QFile::WriteUser));
        else
            QDir().mkpath(famille + u"arbre.jpg"_s);
        c.Grille(famille);
        const QString cache = c.choix.ApercuEnCache(famille + u"arbre.mdl"_s);
        if (lectureSeule && QFileInfo::exists(famille + u"arbre.jpg"_s)) {
            QFile::setPermissions(famille, droits);
            continue; // permissions do not stop this account
        }
        EXPECT_TRUE(cache.startsWith(c.d.cache));
        EXPECT_EQ(c.choix.Apercus()[0], cache);
        EXPECT_TRUE(QFileInfo(cache).isFile());
        EXPECT_FALSE(Zone(c.Dessin(), qRgb(255, 0, 0)).isNull());

        // Used again as long as the model is not newer.
        ASSERT_TRUE(EcritCouleur(cache, {160, 107}, Qt::magenta));
        c.choix.LoadFolder(famille);
        EXPECT_FALSE(Zone(c.Dessin(), qRgb(255, 0, 255)).isNull());
        QFile modele(famille + u"arbre.mdl"_s);
        ASSERT_TRUE(modele.open(QIODevice::ReadWrite));
        modele.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime);
        modele.close();
        c.choix.LoadFolder(famille);
        EXPECT_TRUE(Zone(c.Dessin(), qRgb(255, 0, 255)).isNull());
        EXPECT_FALSE(Zone(c.Dessin(), qRgb(255, 0, 0)).isNull());
        QFile::setPermissions(famille, droits);
    }
}

TEST(Choix, AnAutoSizedChooserWhoseFirstPreviewCannotBeReadHasOneColumn)
{
    Choix c;
    ASSERT_TRUE(Ecrit(c.d.Famille("arbre.jpg"), "pas une image"));
    c.choix.resize(400, 400);
    c.choix.LoadFolder(c.d.modeles + u"Famille/"_s);
    EXPECT_EQ(c.choix.Count(), 2);
    EXPECT_EQ(c.choix.ApercuLarge(), 0);
    EXPECT_EQ(c.choix.Colonnes(), 1);
    EXPECT_EQ(c.image->size(), QSize(0, 0));
    EXPECT_EQ(c.choix.IndexAt(0, 0), -1);
}

// ---- The skinned button bar ---------------------------------------------------------

TEST(MenuBarre, TheSkinGivesColoursSizesAndPictures)
{
    QTemporaryDir tmp;
    const QString skin = tmp.filePath(u"skin.txt"_s);
    ASSERT_TRUE(Ecrit(skin, "[Skin2]\nCouleur=#102030\nCouleurTexte=zz0000\nHauteur=9000\nMarge=3\n"));
    ASSERT_TRUE(EcritCouleur(tmp.filePath(u"b1.png"_s), {16, 16}, Qt::red));
    TxiloMenuBarre barre;
    int clics = 0;
    QToolButton *b1 = barre.AddButton(u"b1"_s, u"Un"_s, [&] { ++clics; });
    EXPECT_EQ(b1->toolButtonStyle(), Qt::ToolButtonTextOnly); // no skin yet
    EXPECT_FALSE(barre.LoadSkin(tmp.filePath(u"absent.txt"_s), u"skin2"_s));
    EXPECT_FALSE(barre.LoadSkin(skin, u"skin3"_s));
    EXPECT_EQ(barre.Couleur(), QColor(0xE8, 0xE8, 0xE8));
    ASSERT_TRUE(barre.LoadSkin(skin, u"skin2"_s));
    QToolButton *b2 = barre.AddButton(u"b2"_s, u"Deux"_s, {});
    EXPECT_EQ(barre.Couleur(), QColor(0x10, 0x20, 0x30));
    EXPECT_EQ(barre.CouleurTexte(), QColor(0, 0, 0)); // unreadable: the default
    EXPECT_EQ(barre.height(), 256);                   // at most 256
    EXPECT_EQ(b1->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    EXPECT_FALSE(b1->icon().isNull());
    EXPECT_EQ(b2->toolButtonStyle(), Qt::ToolButtonTextOnly);
    barre.resize(400, 256);
    barre.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&barre));
    EXPECT_EQ(barre.Boutons(), (QList<QToolButton *>{b1, b2}));
    EXPECT_EQ(b1->x(), 3);
    EXPECT_LT(b1->geometry().right(), b2->x());
    QTest::mouseClick(b1, Qt::LeftButton);
    QTest::mouseClick(b2, Qt::LeftButton);
    EXPECT_EQ(clics, 1);
}

// A skin colour is six hexadecimal digits, with or without "#": anything
// else leaves the default.
TEST(MenuBarre, ASkinColourIsSixHexadecimalDigits)
{
    QTemporaryDir tmp;
    const QString skin = tmp.filePath(u"skin.txt"_s);
    const struct {
        QByteArray valeur;
        QColor attendue;
    } cas[] = {
        {"A0b1C2", QColor(0xA0, 0xB1, 0xC2)},
        {"#0a0B0c", QColor(0x0A, 0x0B, 0x0C)},
        {"0x1234", QColor(0xE8, 0xE8, 0xE8)},
        {"+12345", QColor(0xE8, 0xE8, 0xE8)},
        {"-12345", QColor(0xE8, 0xE8, 0xE8)},
        {QByteArray("1\0\0\0\0\0", 6), QColor(0xE8, 0xE8, 0xE8)},
        {"12 345", QColor(0xE8, 0xE8, 0xE8)},
        {"12345g", QColor(0xE8, 0xE8, 0xE8)},
        {"1234567", QColor(0xE8, 0xE8, 0xE8)},
    };
    for (const auto &c : cas) {
        ASSERT_TRUE(Ecrit(skin, "[Skin2]\nCouleur=" + c.valeur + "\n"));
        TxiloMenuBarre barre;
        ASSERT_TRUE(barre.LoadSkin(skin, u"skin2"_s));
        EXPECT_EQ(barre.Couleur(), c.attendue) << c.valeur.toHex().constData();
    }
}

TEST(MenuBarre, TheShippedSkinIsTheOneTheProgramDraws)
{
    // Stale after a change of SkinImpression.cpp: rebuild it with lignee_skin.
    const QString dossier = QStringLiteral(LIGNEE_MODELE "/0/impression/skin/");
    QFile skin(dossier + u"skin.txt"_s);
    ASSERT_TRUE(skin.open(QIODevice::ReadOnly));
    EXPECT_EQ(skin.readAll(), skinimpression::TexteSkin());
    for (int n = 21; n <= 25; ++n) {
        const QImage livree = QImage(dossier + u"btn%1.png"_s.arg(n)).convertToFormat(QImage::Format_ARGB32);
        EXPECT_EQ(livree, skinimpression::ImageBouton(n).convertToFormat(QImage::Format_ARGB32)) << n;
    }
}

// ---- The window -----------------------------------------------------------------------

class GenePrint : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(ChargeFonteTest());
        FichierCourant = d.base + u"famille.mvd"_s;
        jean = bd.NewPerson();
        bd.SetSurname(jean, u"MARTIN"_s);
        bd.SetGivenNames(jean, u"Jean"_s);
        const int s = bd.AddPersonSource(jean);
        bd.SetSourceField(s, SrcGenre, u"Photo de l'arbre"_s);
        bd.SetSourceField(s, SrcFichier, d.base + u"jean.png"_s); // a full path
        marie = bd.NewPerson();
        bd.SetGivenNames(marie, u"Marie"_s);
        const int t = bd.AddPersonSource(marie);
        bd.SetSourceField(t, SrcGenre, u"Photo de l'arbre"_s);
        bd.SetSourceField(t, SrcFichier, u"sous\\marie.png"_s); // beside the database
        RefPers = jean;
    }
    void TearDown() override
    {
        FichierCourant = m_fichierCourant;
        RefPers = m_refPers;
    }

    // A window on the temporary folders, printing into PDF files of A4
    // sheets at `dpi` with margins of `marge` mm; shown.
    TfmGenePrint &Fenetre(TDossiersGenePrint dossiers = {}, int dpi = 150, double marge = 10)
    {
        if (dossiers.Modeles.isEmpty())
            dossiers = {QString(), d.modeles.chopped(1), d.images.chopped(1), QString()}; // no final "/"
        auto imprimante = std::make_unique<QPrinter>(QPrinter::HighResolution);
        imprimante->setOutputFormat(QPrinter::PdfFormat);
        imprimante->setResolution(dpi);
        imprimante->setPageSize(QPageSize(QPageSize::A4));
        imprimante->setPageMargins(QMarginsF(marge, marge, marge, marge), QPageLayout::Millimeter);
        fenetre = std::make_unique<TfmGenePrint>(bd, dossiers, nullptr, std::move(imprimante));
        fenetre->Choix().SetDossierCache(d.cache);
        EXPECT_TRUE(fenetre->Prepare());
        fenetre->resize(1000, 700);
        fenetre->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(fenetre.get()));
        return *fenetre;
    }
    template <class T> T *Controle(const char *nom) { return fenetre->findChild<T *>(QString::fromLatin1(nom)); }
    void Clique(const char *nom) { QTest::mouseClick(Controle<QAbstractButton>(nom), Qt::LeftButton); }
    TxiloCADMdl &Modele() { return fenetre->Editeur().Modele(); }
    QString Texte(int i) { return dynamic_cast<TxiloCADTexte &>(Modele().Objet(i)).TexteAffiche(); }
    const QImage &Image(int i) { return dynamic_cast<TxiloCADImage &>(Modele().Objet(i)).Image(); }
    // The sheets of a PDF file, rendered at `dpi` without smoothing.
    QImage Feuille(const QString &pdf, int dpi = 50)
    {
        QProcess p;
        p.start(u"pdftoppm"_s, {u"-r"_s, QString::number(dpi), u"-aa"_s, u"no"_s, u"-aaVector"_s, u"no"_s,
                                 u"-png"_s, u"-singlefile"_s, pdf, pdf});
        EXPECT_TRUE(p.waitForFinished(60000) && p.exitCode() == 0);
        return QImage(pdf + u".png"_s).convertToFormat(QImage::Format_RGB32);
    }

    const QString m_fichierCourant = FichierCourant;
    const int m_refPers = RefPers;
    TDialoguesScriptes dialogues;
    Dossiers d;
    TBD bd;
    int jean = 0, marie = 0;
    std::unique_ptr<TfmGenePrint> fenetre;
};

TEST_F(GenePrint, ShowingListsTheCategoriesAndFillsTheFirstModelForTheReferencePerson)
{
    TfmGenePrint &f = Fenetre();
    QComboBox *categories = Controle<QComboBox>("cbFolder");
    EXPECT_EQ(categories->count(), 2);
    EXPECT_EQ(categories->itemText(0), u"Divers"_s);
    EXPECT_EQ(categories->itemText(1), u"Famille"_s);
    EXPECT_TRUE(Controle<QWidget>("pModele")->isVisible());
    EXPECT_FALSE(Controle<QWidget>("pPersonnalise")->isVisible());
    EXPECT_TRUE(Controle<QToolButton>("sbModele")->isChecked());
    EXPECT_EQ(f.ModeleCourant(), d.modeles + u"Divers/marque_page.mdl"_s);
    EXPECT_EQ(Texte(1), u"Jean"_s);
    EXPECT_TRUE(dialogues.Messages.isEmpty());

    // The other category, and a model chosen by a click on its preview.
    categories->setCurrentIndex(1);
    QWidget *apercus = f.Choix().findChild<QWidget *>(u"Apercus"_s);
    QTest::mouseClick(apercus, Qt::LeftButton, {}, f.Choix().CellRect(0).center());
    ASSERT_EQ(f.ModeleCourant(), d.Famille("arbre.mdl"));
    EXPECT_EQ(f.Personne(), jean);
    EXPECT_EQ(Texte(1), u"Généalogie de ma famille"_s);
    EXPECT_EQ(Texte(2), u"MARTIN Jean"_s);
    EXPECT_EQ(Texte(3), Controle<QLineEdit>("eTexte2")->text()); // "<TEXTE2>": case ignored
    EXPECT_EQ(Texte(4), u"Pour  et MARTIN"_s); // among other words: a person template
    EXPECT_EQ(Texte(5), Controle<QLineEdit>("eTexte3")->text());
    // The photograph given as a full path, and a picture of the designs.
    EXPECT_EQ(Image(6).pixel(15, 20), qRgb(255, 255, 0));
    EXPECT_EQ(Image(7).pixel(5, 5), qRgb(0, 255, 0));

    // Personalised, then refreshed: the file itself is left as it was.
    QFile fichier(d.Famille("arbre.mdl"));
    ASSERT_TRUE(fichier.open(QIODevice::ReadOnly));
    const QByteArray avant = fichier.readAll();
    Clique("sbPersonnalise");
    ASSERT_TRUE(Controle<QWidget>("pPersonnalise")->isVisible());
    QLineEdit *titre = Controle<QLineEdit>("eTexte1");
    QTest::mouseClick(titre, Qt::LeftButton);
    titre->selectAll();
    QTest::keyClicks(QApplication::focusWidget(), u"Les Martin de Quimper"_s);
    Clique("Button1");
    EXPECT_EQ(Texte(1), u"Les Martin de Quimper"_s);
    fichier.seek(0);
    EXPECT_EQ(fichier.readAll(), avant);

    // Another reference person.
    RefPers = marie;
    Clique("Button1");
    EXPECT_EQ(Texte(2), u"Marie"_s);
    EXPECT_EQ(Image(6).pixel(15, 20), qRgb(0, 255, 255)); // "@sous\marie.png" beside the base
}

// A merged person's names hold " | " between the names of the two records:
// filled into a design, they stay on their line, every word drawn.
TEST_F(GenePrint, APersonTextNeverLosesWords)
{
    bd.SetSurname(jean, u"BERNARD | FOURNIER"_s);
    bd.SetGivenNames(jean, u"Yvonne | Denise"_s);
    TfmGenePrint &f = Fenetre();
    ASSERT_TRUE(f.ApplyModel(d.Famille("arbre.mdl")));
    EXPECT_EQ(Texte(2), u"BERNARD / FOURNIER Yvonne / Denise"_s);
    CanevasEspion espion(QSize(600, 400));
    Modele().Draw(espion, QRect(0, 0, 600, 400));
    QStringList ecrits;
    for (const auto &t : espion.Textes)
        ecrits << t.Texte;
    EXPECT_TRUE(ecrits.contains(u"BERNARD / FOURNIER Yvonne / Denise"_s)) << qPrintable(ecrits.join(u" # "_s));
    // A line break of the model's own text stays one.
    const QString modele = d.Modele(d.tmp.filePath(u"lignes.mdl"_s),
                                    u"Large=100\nHaut=100\nFace=1\n  T\n    Name=Texte\n    x=50\n    y=50\n"
                                    u"    l=60\n    h=8\n    r=0\n    txt=<prénom>|<nom>\n  End\nEnd\n"_s);
    ASSERT_TRUE(f.ApplyModel(modele));
    EXPECT_EQ(Texte(0), u"Yvonne / Denise|BERNARD / FOURNIER"_s);
}

// The window shows what prints: the guide marks a model keeps for its
// editing are not drawn in it.
TEST_F(GenePrint, TheGuidesOfAModelAreNotShown)
{
    TfmGenePrint &f = Fenetre();
    const QString modele = d.Modele(d.tmp.filePath(u"guides.mdl"_s),
                                    u"Large=100\nHaut=100\nFace=1\n  G\n    Name=Repere\n    position=50\n"
                                    u"    sens=1\n    sorte=1\n  End\n  H\n    Name=Repere\n    position=30\n"
                                    u"    sens=2\n    sorte=1\n  End\nEnd\n"_s);
    ASSERT_TRUE(f.ApplyModel(modele));
    ASSERT_EQ(Modele().Count(), 2);
    f.Editeur().Redraw();
    const QImage page = f.Editeur().Image().convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(page.isNull());
    // Guides of their own face are solid blue lines across the page.
    int bleus = 0;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            const QRgb c = page.pixel(x, y);
            bleus += qBlue(c) > 200 && qRed(c) < 60 && qGreen(c) < 60;
        }
    }
    EXPECT_EQ(bleus, 0);
}

TEST_F(GenePrint, PictureNamesOfTheModels)
{
    TfmGenePrint &f = Fenetre();
    const struct {
        QString cle, nom;
        QRgb couleur;
    } cas[] = {
        {u"FichierImage"_s, d.base + u"jean.png"_s, qRgb(255, 255, 0)},    // a full path
        {u"FichierImage"_s, u"@sous/marie.png"_s, qRgb(0, 255, 255)},     // beside the base
        {u"FichierImage"_s, u"@"_s + d.images + u"motif.png"_s, qRgb(0, 255, 0)},
        {u"FichierImage"_s, u"motif.png"_s, qRgb(0, 255, 0)},             // the designs' pictures
    };
    for (const auto &c : cas) {
        ASSERT_TRUE(f.ApplyModel(d.Photo(d.tmp.filePath(u"photo.mdl"_s), c.cle, c.nom)));
        ASSERT_FALSE(Image(0).isNull()) << c.nom.toStdString();
        EXPECT_EQ(Image(0).pixel(5, 5), c.couleur) << c.nom.toStdString();
    }
    EXPECT_TRUE(dialogues.Messages.isEmpty());
    EXPECT_FALSE(f.ApplyModel(d.tmp.filePath(u"absent.mdl"_s)));
    EXPECT_EQ(dialogues.Messages.value(0), u"Not found : "_s + d.tmp.filePath(u"absent.mdl"_s));
}

TEST_F(GenePrint, CategoriesMissingOrEmptyAndTheSecondModelsFolder)
{
    // No category at all: the window is not to be shown.
    const QString vide = d.tmp.filePath(u"vide/"_s);
    QDir().mkpath(vide);
    TfmGenePrint sans(bd, {QString(), vide, d.images, QString()});
    EXPECT_FALSE(sans.Prepare());
    EXPECT_EQ(dialogues.Messages, QStringList{u"Not found : path_modele_print="_s + vide});

    // An empty category, and the user's models first.
    dialogues.Messages.clear();
    QDir().mkpath(d.modeles + u"Aaa"_s);
    QFile::copy(d.Famille("etiquette.mdl"), d.user + u"cd.mdl"_s);
    TfmGenePrint &f = Fenetre({QString(), d.modeles, d.images, d.user});
    QComboBox *categories = Controle<QComboBox>("cbFolder");
    EXPECT_EQ(categories->itemText(0), u"<softprint>"_s);
    EXPECT_EQ(f.ModeleCourant(), d.user + u"cd.mdl"_s);
    EXPECT_TRUE(dialogues.Messages.isEmpty());
    categories->setCurrentIndex(1);
    EXPECT_EQ(categories->currentText(), u"Aaa"_s);
    EXPECT_EQ(f.Choix().Count(), 0);
    ShowGenePrint(nullptr, bd, {QString(), d.modeles + u"Famille/"_s, d.images, QString()});
    EXPECT_EQ(dialogues.Messages.value(0), u"Not found : path_modele_print="_s + d.modeles + u"Famille/"_s);
    dialogues.Messages.clear();
    TfmGenePrint aucun(bd, {QString(), d.modeles + u"Tous/"_s, d.images, QString()});
    QDir().mkpath(d.modeles + u"Tous/Vide"_s);
    EXPECT_TRUE(aucun.Prepare());
    EXPECT_EQ(dialogues.Messages, QStringList{u"Aucun modèle"_s});

    // Folders of the program: the user's only when it holds models.
    const QString avant = DossierImpressionModelesUser;
    DossierImpressionModelesUser = d.images;
    EXPECT_TRUE(DossiersGenePrint().ModelesUser.isEmpty());
    DossierImpressionModelesUser = d.user;
    EXPECT_EQ(DossiersGenePrint().ModelesUser, d.user);
    DossierImpressionModelesUser = avant;
}

TEST_F(GenePrint, AModelWithoutAValidPageLeavesAnEmptyPageAndSaysSo)
{
    // A category holding a design and a damaged model whose page has no
    // width: chosen after the design, the damaged one leaves nothing of it
    // on screen, and says it cannot be used.
    const QString bon = d.Modele(d.modeles + u"Abimes/a_bon.mdl"_s,
                                 u"Large=100\nHaut=100\nFace=1\n  F\n    Name=Rectangle\n    Brush=0000FF,0\n"
                                 u"    x=50\n    y=50\n    l=80\n    h=80\n    r=0\n  End\nEnd\n"_s);
    const QString abime = d.Modele(d.modeles + u"Abimes/b_abime.mdl"_s,
                                   u"Large=0\nHaut=100\nFace=1\n  F\n    Name=Rectangle\n    Brush=0000FF,0\n"
                                   u"    x=50\n    y=50\n    l=80\n    h=80\n    r=0\n  End\nEnd\n"_s);
    TfmGenePrint &f = Fenetre();
    QComboBox *categories = Controle<QComboBox>("cbFolder");
    categories->setCurrentIndex(categories->findText(u"Abimes"_s));
    ASSERT_EQ(f.Choix().Count(), 2);
    QWidget *apercus = f.Choix().findChild<QWidget *>(u"Apercus"_s);
    QTest::mouseClick(apercus, Qt::LeftButton, {}, f.Choix().CellRect(0).center());
    ASSERT_EQ(f.ModeleCourant(), bon);
    f.Editeur().Redraw();
    EXPECT_NE(Zone(f.Editeur().Image().convertToFormat(QImage::Format_RGB32), qRgb(255, 0, 0)), QRect());
    EXPECT_TRUE(dialogues.Messages.isEmpty());

    QTest::mouseClick(apercus, Qt::LeftButton, {}, f.Choix().CellRect(1).center());
    EXPECT_EQ(f.ModeleCourant(), abime);
    EXPECT_EQ(dialogues.Messages,
              QStringList{u"Le modèle "_s + abime + u" ne peut pas être utilisé : sa page n'a pas de taille valide."_s});
    f.Editeur().RequestRedraw();
    QTest::qWait(100);
    EXPECT_TRUE(f.Editeur().Image().isNull());
    EXPECT_EQ(Modele().Count(), 0);
    // Saving says so again, before any file is asked for.
    dialogues.Messages.clear();
    Clique("sbEnregistrer");
    EXPECT_EQ(dialogues.Messages.size(), 1);
    EXPECT_TRUE(dialogues.TitresFichiers.isEmpty());

    // The design chosen again shows.
    QTest::mouseClick(apercus, Qt::LeftButton, {}, f.Choix().CellRect(0).center());
    f.Editeur().Redraw();
    EXPECT_NE(Zone(f.Editeur().Image().convertToFormat(QImage::Format_RGB32), qRgb(255, 0, 0)), QRect());
}

TEST_F(GenePrint, SavedAsPicturesAtTenPixelsPerMillimetre)
{
    TfmGenePrint &f = Fenetre();
    const struct {
        const char *modele;
        int filtre;
        QString nom, fichier;
        QSize taille;
    } cas[] = {
        {"arbre.mdl", 1, u"a"_s, u"a.bmp"_s, {1500, 1000}},
        {"arbre.mdl", 2, u"b"_s, u"b.jpg"_s, {1500, 1000}},
        {"arbre.mdl", 2, u"c.bmp"_s, u"c.bmp"_s, {1500, 1000}}, // the name's format
        {"etiquette.mdl", 1, u"cd"_s, u"cd.bmp"_s, {1200, 1200}},
        {"arbre.mdl", 0, u"v"_s, u"v.emf"_s, {1500, 1000}},
        {"etiquette.mdl", 2, u"w.emf"_s, u"w.emf"_s, {1200, 1200}},
        // An extension typed in capitals is the format's all the same.
        {"arbre.mdl", 1, u"D.JPG"_s, u"D.JPG"_s, {1500, 1000}},
        {"arbre.mdl", 2, u"E.Bmp"_s, u"E.Bmp"_s, {1500, 1000}},
        {"etiquette.mdl", 1, u"F.EMF"_s, u"F.EMF"_s, {1200, 1200}},
    };
    QLabel *statut = Controle<QLabel>("lStatut");
    ASSERT_NE(statut, nullptr);
    for (const auto &c : cas) {
        ASSERT_TRUE(f.ApplyModel(d.Famille(c.modele)));
        dialogues.TypeFichier = c.filtre;
        dialogues.Fichiers.push_back(d.tmp.filePath(c.nom));
        Clique("sbEnregistrer");
        // The status line says where the picture went.
        EXPECT_EQ(statut->text(), u"Image enregistrée dans "_s + d.tmp.filePath(c.fichier));
        EXPECT_TRUE(statut->isVisible());
        EXPECT_EQ(QDir(d.tmp.path()).entryList({c.nom + u'*'}, QDir::Files), QStringList{c.fichier});
        if (c.fichier.endsWith(u".emf"_s, Qt::CaseInsensitive)) {
            // A vector picture of the page's true size, read back whole.
            TMetafichier emf;
            ASSERT_TRUE(emf.Charge(d.tmp.filePath(c.fichier))) << c.fichier.toStdString();
            EXPECT_NEAR(emf.TailleMm().width(), c.taille.width() / 10.0, 0.1);
            EXPECT_NEAR(emf.TailleMm().height(), c.taille.height() / 10.0, 0.1);
            continue;
        }
        QImage image;
        ASSERT_TRUE(ChargeImage(image, d.tmp.filePath(c.fichier))) << c.fichier.toStdString();
        EXPECT_EQ(image.size(), c.taille);
        QFile ecrit(d.tmp.filePath(c.fichier));
        ASSERT_TRUE(ecrit.open(QIODevice::ReadOnly));
        EXPECT_EQ(ecrit.read(2), QByteArray(c.fichier.endsWith(u".bmp"_s, Qt::CaseInsensitive) ? "BM" : "\xff\xd8"));
    }
    EXPECT_EQ(dialogues.CheminsProposes.value(0), ShellFolder(u"My Pictures"_s));
    EXPECT_TRUE(dialogues.Messages.isEmpty());

    // A failed save is told, and the status line claims nothing.
    const QString impossible = d.tmp.filePath(u"absent/image.jpg"_s);
    dialogues.Fichiers.push_back(impossible);
    Clique("sbEnregistrer");
    ASSERT_EQ(dialogues.Messages.size(), 1);
    EXPECT_TRUE(dialogues.Messages[0].contains(impossible));
    EXPECT_TRUE(statut->text().isEmpty());

    // Sizes beyond any picture are refused before the user is asked.
    for (const char *taille : {"Large=3000\nHaut=100", "Large=1100\nHaut=1000", "Large=0\nHaut=10"}) {
        dialogues.Messages.clear();
        dialogues.TitresFichiers.clear();
        const QString grand =
            d.Modele(d.tmp.filePath(u"grand.mdl"_s), QString::fromLatin1(taille) + u"\nFace=1\nEnd\n"_s);
        f.ApplyModel(grand);
        dialogues.Messages.clear();
        Clique("sbEnregistrer");
        EXPECT_EQ(dialogues.Messages.size(), 1) << taille;
        EXPECT_TRUE(dialogues.TitresFichiers.isEmpty()) << taille;
    }
}

// The program's own dialogs: the name typed in the save dialog is that of a
// named pipe, the replacement is confirmed, the write fails. The message
// that says so opens over the print window, not over the main window.
TEST_F(GenePrint, AFailedSaveIsToldOverThePrintWindow)
{
    const QString fifo = d.tmp.filePath(u"fifo.emf"_s);
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QWidget principale;
    principale.resize(400, 300);
    principale.show();
    TDialoguesQt qt(&principale);
    SetDialogues(&qt);
    auto imprimante = std::make_unique<QPrinter>(QPrinter::HighResolution);
    imprimante->setOutputFormat(QPrinter::PdfFormat);
    auto *f = new TfmGenePrint(bd, {QString(), d.modeles, d.images, QString()}, &principale, std::move(imprimante));
    f->setAttribute(Qt::WA_DeleteOnClose);
    f->Choix().SetDossierCache(d.cache);
    ASSERT_TRUE(f->Prepare());
    f->resize(800, 600);
    f->show();
    f->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(f));

    // Each modal window as it comes: the save dialog takes the pipe's name,
    // the question "replace it?" is answered yes, the message is read.
    struct Vu {
        QString texte;
        QWidget *parent;
    };
    QList<Vu> vus;
    QWidget *enregistrement = nullptr;
    QTimer guet;
    guet.setInterval(20);
    QObject::connect(&guet, &QTimer::timeout, [&] {
        QWidget *m = QApplication::activeModalWidget();
        if (!m || !m->isVisible())
            return;
        if (auto *dialogue = qobject_cast<QFileDialog *>(m)) {
            vus.push_back({u"fichier"_s, dialogue->parentWidget()});
            enregistrement = dialogue;
            // Typed, as a pipe is not listed.
            dialogue->selectNameFilter(dialogue->nameFilters().value(0));
            auto *nom = dialogue->findChild<QLineEdit *>(u"fileNameEdit"_s);
            ASSERT_NE(nom, nullptr);
            nom->setText(fifo);
            QMetaObject::invokeMethod(dialogue, "accept", Qt::QueuedConnection);
        } else if (auto *boite = qobject_cast<QMessageBox *>(m)) {
            vus.push_back({boite->text(), boite->parentWidget()});
            QAbstractButton *oui = boite->button(QMessageBox::Yes);
            QMetaObject::invokeMethod(oui ? static_cast<QObject *>(oui) : boite, oui ? "click" : "accept",
                                      Qt::QueuedConnection);
        }
    });
    guet.start();
    QTest::mouseClick(f->findChild<QAbstractButton *>(u"sbEnregistrer"_s), Qt::LeftButton);
    guet.stop();
    SetDialogues(&dialogues);
    ASSERT_EQ(vus.size(), 3);
    EXPECT_EQ(vus[0].parent, f);
    // Qt's question, over the save dialog.
    EXPECT_EQ(vus[1].parent, enregistrement);
    EXPECT_EQ(vus[2].texte, u"L'image n'a pas été enregistrée dans "_s + fifo + u". Ce n'est pas un fichier ordinaire"_s);
    EXPECT_EQ(vus[2].parent, f);
    f->close();
}

TEST_F(GenePrint, PrintedAtTrueSizeCentredInTheSheetsOrientation)
{
    if (QStandardPaths::findExecutable(u"pdftoppm"_s).isEmpty())
        GTEST_SKIP() << "pdftoppm is not installed";
    TfmGenePrint &f = Fenetre();
    const struct {
        const char *modele;
        QRgb couleur;
        QSizeF mm;
        bool paysage;
    } cas[] = {
        {"Famille/arbre.mdl", qRgb(255, 0, 0), {150, 100}, true},
        {"Famille/etiquette.mdl", qRgb(0, 0, 255), {120, 120}, false},
        {"Divers/marque_page.mdl", qRgb(0, 160, 0), {50, 150}, false},
    };
    int n = 0;
    for (const auto &c : cas) {
        SCOPED_TRACE(c.modele);
        ASSERT_TRUE(f.ApplyModel(d.modeles + QString::fromLatin1(c.modele)));
        const QString pdf = d.tmp.filePath(u"feuille%1"_s.arg(++n));
        dialogues.Fichiers.push_back(pdf);
        Clique("sbPrint");
        EXPECT_EQ(Controle<QLabel>("lStatut")->text(), u"Modèle imprimé dans le fichier "_s + pdf + u".pdf"_s);
        const QImage feuille = Feuille(pdf + u".pdf"_s);
        ASSERT_FALSE(feuille.isNull());
        EXPECT_EQ(feuille.width() > feuille.height(), c.paysage);
        const QRect zone = Zone(feuille, c.couleur);
        const QSizeF attendu = c.mm / 25.4 * 50;
        EXPECT_NEAR(zone.width(), attendu.width(), 2);
        EXPECT_NEAR(zone.height(), attendu.height(), 2);
        EXPECT_NEAR(zone.center().x(), feuille.width() / 2.0, 2);
        EXPECT_NEAR(zone.center().y(), feuille.height() / 2.0, 2);
    }
    EXPECT_TRUE(dialogues.Messages.isEmpty());
    EXPECT_EQ(dialogues.TitresFichiers.value(0), u"Imprimer le modèle dans un fichier PDF"_s);

    // A PDF file has no margin, though the printer has margins of 10 mm: a
    // design of the sheet's size prints at its size, within half a
    // millimetre (its rectangle 10 mm inside the sheet, 190 x 277 mm).
    f.ApplyModel(d.Modele(d.tmp.filePath(u"a4.mdl"_s),
                          u"Large=210\nHaut=297\nFace=1\n  F\n    Name=Rectangle\n    Pen=000000,1,5\n"
                          u"    Brush=0000FF,0\n    x=105\n    y=148.5\n    l=190\n    h=277\n    r=0\n  End\nEnd\n"_s));
    dialogues.Fichiers.push_back(d.tmp.filePath(u"a4.pdf"_s));
    Clique("sbPrint");
    const double parMm = 200 / 25.4;
    const QImage a4 = Feuille(d.tmp.filePath(u"a4.pdf"_s), 200);
    const QRect rouge = Zone(a4, qRgb(255, 0, 0));
    EXPECT_NEAR(rouge.left() / parMm, 10, 0.5);
    EXPECT_NEAR(rouge.top() / parMm, 10, 0.5);
    EXPECT_NEAR((rouge.right() + 1) / parMm, 200, 0.5);
    EXPECT_NEAR((rouge.bottom() + 1) / parMm, 287, 0.5);

    // Larger than the sheet: reduced into it, proportions kept.
    f.ApplyModel(d.Modele(d.tmp.filePath(u"affiche.mdl"_s),
                          u"Large=600\nHaut=300\nFace=1\n  F\n    Name=Rectangle\n    Pen=000000,1,5\n"
                          u"    Brush=0000FF,0\n    x=300\n    y=150\n    l=600\n    h=300\n    r=0\n  End\nEnd\n"_s));
    dialogues.Fichiers.push_back(d.tmp.filePath(u"affiche.pdf"_s));
    Clique("sbPrint");
    const QImage feuille = Feuille(d.tmp.filePath(u"affiche.pdf"_s));
    const QRect zone = Zone(feuille, qRgb(255, 0, 0));
    EXPECT_NEAR(zone.width(), 297 / 25.4 * 50, 2); // the whole width of the sheet
    EXPECT_NEAR(double(zone.width()) / zone.height(), 2.0, 0.03);
    EXPECT_NEAR(zone.center().y(), feuille.height() / 2.0, 2);
    EXPECT_TRUE(dialogues.Messages.isEmpty());
}

TEST_F(GenePrint, APageBeyond4960DotsIsPrintedThroughABitmapOf4960OnItsLongerSide)
{
    if (QStandardPaths::findExecutable(u"pdfimages"_s).isEmpty())
        GTEST_SKIP() << "pdfimages is not installed";
    TfmGenePrint &f = Fenetre({}, 600, 0);
    f.ApplyModel(d.Modele(d.tmp.filePath(u"a4.mdl"_s),
                          u"Large=210\nHaut=297\nFace=1\n  F\n    Name=Rectangle\n    Brush=0000FF,0\n    x=105\n"
                          u"    y=148\n    l=100\n    h=100\n    r=0\n  End\nEnd\n"_s));
    const QString pdf = d.tmp.filePath(u"a4.pdf"_s);
    dialogues.Fichiers.push_back(pdf);
    Clique("sbPrint");
    QProcess p;
    p.start(u"pdfimages"_s, {u"-list"_s, pdf});
    ASSERT_TRUE(p.waitForFinished(60000) && p.exitCode() == 0);
    const QStringList lignes = QString::fromUtf8(p.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lignes.size(), 3); // the header, its rule, one picture
    const QStringList champs = lignes[2].split(u' ', Qt::SkipEmptyParts);
    EXPECT_EQ(champs.value(3).toInt(), 3507);
    EXPECT_EQ(champs.value(4).toInt(), 4960);
}

// F5 over an installed copy's read-only models folder: the previews drawn
// again show, wherever they could be written.
TEST_F(GenePrint, F5ShowsTheFreshPreviewsOfAReadOnlyModelsFolder)
{
    TModelesLivres livres(d.tmp.filePath(u"installe"_s));
    ASSERT_TRUE(livres.Copie(d.Famille("arbre.mdl"), u"arbre.mdl"_s));
    ASSERT_TRUE(EcritCouleur(livres.Livre() + u"arbre.jpg"_s, {160, 107}, Qt::magenta));
    livres.Fige();
    TfmGenePrint &f = Fenetre({QString(), d.tmp.filePath(u"installe"_s), d.images, QString()});
    QWidget *apercus = f.Choix().findChild<QWidget *>(u"Apercus"_s);
    const auto dessin = [&] { return apercus->grab().toImage().convertToFormat(QImage::Format_RGB32); };
    ASSERT_EQ(f.Choix().Count(), 1);
    EXPECT_FALSE(Zone(dessin(), qRgb(255, 0, 255), 30).isNull());

    f.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    QComboBox *categories = Controle<QComboBox>("cbFolder");
    categories->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F5);
    ASSERT_EQ(f.Choix().Count(), 1);
    const QImage apres = dessin();
    EXPECT_TRUE(Zone(apres, qRgb(255, 0, 255), 30).isNull());
    EXPECT_FALSE(Zone(apres, qRgb(255, 0, 0)).isNull());
    EXPECT_TRUE(dialogues.Messages.isEmpty());
}

TEST_F(GenePrint, TheSkinnedBarRunsTheCommandsAndF5DrawsThePreviewsAgain)
{
    TfmGenePrint &f = Fenetre({QStringLiteral(LIGNEE_MODELE "/0/impression/skin/"), d.modeles, d.images, QString()});
    ASSERT_TRUE(f.Barre());
    EXPECT_FALSE(Controle<QWidget>("Panel1")->isVisible());
    EXPECT_EQ(Controle<QWidget>("pModele")->palette().color(QPalette::Window), skinimpression::Bande);
    EXPECT_EQ(Controle<QWidget>("Panel2")->palette().color(QPalette::Window), skinimpression::Bande);
    Clique("btn22");
    EXPECT_TRUE(Controle<QWidget>("pPersonnalise")->isVisible());
    Clique("btn21");
    EXPECT_FALSE(Controle<QWidget>("pModele")->isVisible());
    Clique("btn21");
    EXPECT_TRUE(Controle<QWidget>("pModele")->isVisible());

    QComboBox *categories = Controle<QComboBox>("cbFolder");
    categories->setCurrentIndex(1);
    QImage apercu;
    ASSERT_TRUE(ChargeImage(apercu, d.Famille("etiquette.jpg")));
    EXPECT_EQ(apercu.size(), QSize(120, 120));
    f.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    categories->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F5);
    ASSERT_TRUE(ChargeImage(apercu, d.Famille("etiquette.jpg")));
    EXPECT_EQ(apercu.size(), QSize(160, 160));
    EXPECT_EQ(f.Choix().Count(), 2);
    // Any other key shows the category again, with a model added meanwhile.
    ASSERT_TRUE(QFile::copy(d.Famille("etiquette.mdl"), d.Famille("etiquette2.mdl")));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Shift);
    EXPECT_TRUE(QTest::qWaitFor([&] { return f.Choix().Count() == 3; }));

    Clique("btn25");
    EXPECT_FALSE(f.isVisible());
}

} // namespace
