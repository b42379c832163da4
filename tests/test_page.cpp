// The print page: the page grid over the tree canvas, the page frames, the
// automatic print zoom, printing the tree page by page, the print page
// dialog.

#include <memory>
#include <tuple>
#include <vector>

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "AideArbre.h"
#include "FamilleTest.h"
#include "Impression.h"
#include "TfmZoomPage.h"

using namespace Qt::StringLiterals;

namespace {

const QRgb Blanc = qRgb(255, 255, 255), Bleu = qRgb(0, 0, 255), Rouge = qRgb(255, 0, 0), Vert = qRgb(0, 255, 0);
constexpr int Homme = 1, Femme = 2; // persons of FamilleTest

// A canvas in a shown scroll area; boxes of solid colour (men red, women
// green, no frame, no text); a printable page of 4800 x 6600, zoom 1000 and
// overlap 10: cells of 480 x 660 every 432 across and 612 down.
class Page : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (int n : {1, 2}) {
            Looks[n] = T1Aff();
            Looks[n].Style = 2;
            Looks[n].Zoom = 100;
            Looks[n].Relier = 1;
            Looks[n].Look.Homme.Fond = Looks[n].Look.Femme.Fond = 1;
            Looks[n].Look.Homme.Couleur = clRed;
            Looks[n].Look.Femme.Couleur = clLime;
        }
        Taille(100, 60);
        CouleurEcran = clWhite;
        TextEcran.clear();
        RelieArbre(vue, page, arbre, famille.bd, hote, QSize(800, 600));
        page->PrintZoomAuto = false;
        page->PageImprimante = QSize(4800, 6600);
        page->PrintZoom = 1000;
        page->PrintCroise = 10;
    }

    static void Taille(int large, int haut)
    {
        Looks[1].Large = Looks[2].Large = large;
        Looks[1].HauteurBoite = Looks[2].HauteurBoite = haut;
    }

    std::vector<QRect> Pages() const
    {
        std::vector<QRect> r;
        for (int n = 1; n <= page->ComptePages(); ++n)
            r.push_back(page->GetCoord(n));
        return r;
    }

    const GardeGlobales garde;
    FamilleTest famille;
    HoteArbreTest hote;
    QScrollArea vue;
    TPage *page = nullptr;
    std::unique_ptr<TAffArbre> arbre;
};

// ---- Page grid -----------------------------------------------------------

TEST_F(Page, CellSizesStepsAndPaperRectanglesFollowZoomAndOverlap)
{
    struct Cas {
        int zoom, croise, w, h, sx, sy, pasX, pasY;
    } const cas[] = {
        {1000, 10, 480, 660, 432, 612, 4320, 6120}, // the overlap comes from the width both ways
        {1000, 0, 480, 660, 480, 660, 4800, 6600},  // no overlap: the cells touch
        {700, 45, 685, 942, 377, 634, 2640, 4440},  // divisions truncate
        {1000, -20, 480, 660, 480, 660, 4800, 6600}, // a negative overlap counts as none
    };
    Taille(20, 20);
    for (const Cas &c : cas) {
        arbre->Vide();
        page->PrintZoom = c.zoom;
        page->PrintCroise = c.croise;
        // One box inside cell (0, 1) only, then one inside cell (1, 0) only.
        arbre->AjouteBoite(10, (c.h + 2 * c.sy) / 2 - 10, Homme, 1);
        arbre->AjouteBoite((c.w + 2 * c.sx) / 2 - 10, 10, Homme, 1);
        ASSERT_EQ(page->ComptePages(), 2) << c.zoom << '/' << c.croise;
        EXPECT_EQ(Pages(), (std::vector<QRect>{{c.sx, 0, c.w, c.h}, {0, c.sy, c.w, c.h}})) << c.zoom;
        EXPECT_EQ(page->GetPrintCoord(1), QRect(c.pasX, 0, c.pasX, c.pasY)) << c.zoom;
        EXPECT_EQ(page->GetPrintCoord(2), QRect(0, c.pasY, c.pasX, c.pasY)) << c.zoom;
        for (int n : {0, 3})
            EXPECT_TRUE(page->GetCoord(n).isNull() && page->GetPrintCoord(n).isNull()) << n;
    }
    // No printer, no zoom, or steps of a pixel: no page at all.
    for (const auto &[imprimante, zoom, croise] :
         {std::tuple(QSize(), 1000, 0), std::tuple(QSize(4800, 6600), 0, 0), std::tuple(QSize(4800, 6600), 480000, 0),
          std::tuple(QSize(4800, 6600), 1000, 100)}) {
        page->PageImprimante = imprimante;
        page->PrintZoom = zoom;
        page->PrintCroise = croise;
        EXPECT_EQ(page->ComptePages(), 0) << zoom << '/' << croise;
        EXPECT_TRUE(page->GetCoord(1).isNull() && page->GetPrintCoord(1).isNull()) << zoom;
    }
}

TEST_F(Page, ACellIsAPageWhenItMeetsABoxOrALink)
{
    struct Cas {
        const char *nom;
        int large;
        std::vector<QPoint> hommes, femmes;
        std::vector<QLine> liens;
        std::vector<QPoint> cellules; // column, row of each page in order
    } const cas[] = {
        {"a corner in each of two cells", 100, {{400, 300}}, {}, {}, {{0, 0}, {1, 0}}},
        // Cells cover pixels 0..479, 432..911 across and 0..659, 612..1271 down.
        {"one pixel into the next cell", 100, {{333, 100}}, {}, {}, {{0, 0}, {1, 0}}},
        {"ends where the next cell starts", 100, {{332, 100}}, {}, {}, {{0, 0}}},
        {"starts on the last pixel of a cell", 100, {{479, 100}}, {}, {}, {{0, 0}, {1, 0}}},
        {"starts on the first pixel past a cell", 100, {{480, 100}}, {}, {}, {{1, 0}}},
        {"one pixel into the next row", 100, {{100, 553}}, {}, {}, {{0, 0}, {0, 1}}},
        {"ends where the next row starts", 100, {{100, 552}}, {}, {}, {{0, 0}}},
        {"the first cell of the row is empty", 100, {{481, 100}}, {}, {}, {{1, 0}}},
        {"a box wider than a page", 1500, {{100, 100}}, {}, {}, {{0, 0}, {1, 0}, {2, 0}, {3, 0}}},
        {"the middle of a long link", 100, {}, {}, {{100, 1000, 2000, 1010}}, {{0, 1}, {1, 1}, {2, 1}, {3, 1}, {4, 1}}},
        {"numbered row by row, whatever the order", 100, {{100, 100}}, {{1000, 700}}, {}, {{0, 0}, {2, 1}}},
        {"no item, no page", 100, {}, {}, {}, {}},
    };
    for (const Cas &c : cas) {
        arbre->Vide();
        Taille(c.large, 60);
        for (const QPoint &f : c.femmes)
            arbre->AjouteBoite(f.x(), f.y(), Femme, 1);
        for (const QPoint &h : c.hommes)
            arbre->AjouteBoite(h.x(), h.y(), Homme, 1);
        for (const QLine &l : c.liens)
            arbre->AjouteLien(l.x1(), l.y1(), l.x2(), l.y2(), Homme, Femme, 1);
        std::vector<QRect> attendues;
        for (const QPoint &k : c.cellules)
            attendues.emplace_back(k.x() * 432, k.y() * 612, 480, 660);
        EXPECT_EQ(Pages(), attendues) << c.nom;
    }
    // After the empty first cell, page 1 prints from column 1 of the paper.
    arbre->Vide();
    arbre->AjouteBoite(481, 100, Homme, 1);
    EXPECT_FALSE(page->CompInRect(QRect(0, 0, 480, 660)));
    EXPECT_FALSE(page->CompInRect(QRect(582, 0, 480, 660)));
    EXPECT_TRUE(page->CompInRect(QRect(432, 0, 480, 660)));
    EXPECT_TRUE(page->CompInRect(QRect(0, 0, 482, 660)));
    EXPECT_EQ(page->GetPrintCoord(1), QRect(4320, 0, 4320, 6120));
}

TEST_F(Page, AutomaticZoomFitsTheTreeInStepsOfTenWithinBounds)
{
    struct Cas {
        int droite, bas, large, haut, attendu;
    } const cas[] = {
        {2000, 1000, 100, 60, 240}, // 4800 x 100 / 2000, below 6600 x 100 / 1000
        {5000, 1000, 100, 60, 90},  // 96 rounded down
        {1, 1, 1, 1, 100000},       // the dialog's largest zoom
        {60000, 1000, 100, 60, 10}, // 8 would round to 0: the floor is 10
    };
    for (const Cas &c : cas) {
        arbre->Vide();
        Taille(c.large, c.haut);
        arbre->AjouteBoite(c.droite - c.large, c.bas - c.haut, Homme, 1);
        page->PrintZoom = 777;
        page->CalculZoomAuto();
        EXPECT_EQ(page->PrintZoom, c.attendu) << c.droite << 'x' << c.bas;
    }
    // Too large for zoom 10: several pages at 10.
    arbre->AjouteBoite(0, 0, Femme, 1);
    page->PrintCroise = 0;
    EXPECT_EQ(page->ComptePages(), 2);
    // No printer, or nothing to fit: the zoom stays.
    page->PrintZoom = 777;
    page->PageImprimante = QSize();
    page->CalculZoomAuto();
    EXPECT_EQ(page->PrintZoom, 777);
    page->PageImprimante = QSize(4800, 6600);
    arbre->Vide();
    page->CalculZoomAuto();
    EXPECT_EQ(page->PrintZoom, 777);
}

// ---- Frames on screen ----------------------------------------------------

QImage Capture(QWidget &w)
{
    return w.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

TEST_F(Page, ThePaintFramesAndNumbersThePagesUnderTheTreeAndCountsThem)
{
    // Cells (1, 0) and (2, 0) hold a box; cell (0, 0) is empty.
    arbre->AjouteBoite(481, 100, Homme, 1);
    arbre->AjouteBoite(1000, 100, Homme, 1);
    arbre->RePositionne();
    page->NbrePage = 99;
    Capture(*page);
    EXPECT_EQ(page->NbrePage, 0);      // frames hidden
    EXPECT_EQ(page->ComptePages(), 2); // what the print command uses

    page->VoirPage = true;
    const QImage image = Capture(*page);
    EXPECT_EQ(page->NbrePage, 2);
    // Page 1 spans x 432..911, page 2 starts at 864, its frame whole beyond
    // page 1's; the boxes lie on top.
    for (const QPoint &p : {QPoint(432, 400), QPoint(911, 400), QPoint(600, 0), QPoint(864, 400), QPoint(1100, 0)})
        EXPECT_EQ(image.pixel(p), Bleu) << p.x() << ',' << p.y();
    EXPECT_EQ(image.pixel(912, 400), Blanc);
    EXPECT_EQ(image.pixel(0, 400), Blanc);
    EXPECT_EQ(image.pixel(500, 130), Rouge);
    // "Page 1" centred between the frame lines.
    QRect texte;
    for (int y = 1; y < image.height(); ++y)
        for (int x = 433; x < 863; ++x)
            if (image.pixel(x, y) == Bleu)
                texte |= QRect(x, y, 1, 1);
    EXPECT_NEAR(texte.center().x(), 432 + 240, 3);
    EXPECT_NEAR(texte.center().y(), 330, 4);

    // Automatic zoom: the paint fits the tree first (4800 x 100 / 1234).
    arbre->Vide();
    Taille(1234, 60);
    arbre->AjouteBoite(0, 0, Homme, 1);
    page->PrintZoomAuto = true;
    page->PrintCroise = 0;
    Capture(*page);
    EXPECT_EQ(page->PrintZoom, 380);
    EXPECT_EQ(page->NbrePage, 1);

    // Pages of 20 x 27 pixels, narrower than "Page 1": the number is clipped
    // to its frame.
    arbre->Vide();
    page->PrintZoomAuto = false;
    page->PrintZoom = 24000;
    Taille(10, 10);
    arbre->AjouteBoite(5, 5, Homme, 1);
    arbre->AjouteBoite(205, 205, Homme, 1);
    const QImage petites = Capture(*page);
    ASSERT_EQ(Pages(), (std::vector<QRect>{{0, 0, 20, 27}, {200, 189, 20, 27}}));
    EXPECT_EQ(petites.pixel(0, 0), Bleu);
    for (const QPoint &q : PointsEncre(petites))
        EXPECT_TRUE(petites.pixel(q) != Bleu || QRect(0, 0, 20, 27).contains(q) || QRect(200, 189, 20, 27).contains(q))
            << q.x() << ',' << q.y();
}

// ---- Printing as the screen shows ---------------------------------------

TEST_F(Page, APrintedPageIsTheScreenMagnified)
{
    // Framed boxes with a shadow, the woman's rounded, and an elbowed link
    // between them; no text, whose glyphs are drawn afresh at every size.
    for (int n : {1, 2}) {
        Looks[n].Relier = 2;
        for (TLookSexe *s : {&Looks[n].Look.Homme, &Looks[n].Look.Femme}) {
            s->Cadre = true;
            s->Ombre = true;
        }
        Looks[n].Look.Femme.Arrondis = true;
    }
    Taille(90, 50);
    arbre->AjouteBoite(20, 30, Homme, 1);
    arbre->AjouteBoite(160, 90, Femme, 1);
    arbre->AjouteLien(110, 55, 160, 115, Homme, Femme, 1);
    arbre->RePositionne();
    // A page whose origin is a whole number of screen pixels, at three
    // printer pixels per screen pixel: each screen pixel is a 3 x 3 square.
    const QPoint origine(30, 60);
    const QRect zone(origine / 3, QSize(260, 140));
    const QImage attendu = page->grab(zone).toImage().convertToFormat(QImage::Format_RGB32).scaled(
        zone.size() * 3, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    for (int methode : {0, 1, 2}) {
        QImage feuille = Toile(zone.width() * 3, zone.height() * 3);
        QPainter p(&feuille);
        arbre->Imprime(p, {origine, 300, methode});
        p.end();
        // The straight sides, the shadows and the link are the same pixels;
        // the curves of the rounded corners, traced again at the larger
        // size, are smoother.
        const QRect coins[] = {{160, 90, 8, 8}, {242, 90, 8, 8}, {160, 132, 8, 8}, {242, 132, 8, 8}};
        const auto dansUnCoin = [&](int x, int y) {
            const QPoint logique((x + origine.x()) / 3, (y + origine.y()) / 3);
            return std::any_of(std::begin(coins), std::end(coins), [&](const QRect &c) { return c.contains(logique); });
        };
        int differents = 0;
        for (int y = 0; y < feuille.height(); ++y)
            for (int x = 0; x < feuille.width(); ++x)
                differents += feuille.pixel(x, y) != attendu.pixel(x, y) && !dansUnCoin(x, y);
        EXPECT_EQ(differents, 0) << methode;
        // The shadow strip, three pixels on paper, right of and below the
        // man's box; the woman's corner cut as on screen.
        const QPoint coinHomme = QPoint(20 + 90, 30 + 50) * 3 - origine;
        for (int k = 1; k <= 3; ++k) {
            EXPECT_EQ(feuille.pixel(coinHomme.x() - k, coinHomme.y() - 20), qRgb(0, 0, 0)) << methode << ' ' << k;
            EXPECT_EQ(feuille.pixel(coinHomme.x() - 20, coinHomme.y() - k), qRgb(0, 0, 0)) << methode << ' ' << k;
        }
        const QPoint coinFemme = QPoint(160, 90) * 3 - origine;
        EXPECT_EQ(feuille.pixel(coinFemme + QPoint(4, 4)), Blanc) << methode;
        EXPECT_EQ(feuille.pixel(coinFemme + QPoint(21, 1)), qRgb(0, 0, 0)) << methode;
    }
}

// ---- Print page dialog ---------------------------------------------------

class Dialogue : public Page
{
protected:
    void SetUp() override
    {
        Page::SetUp();
        arbre->AjouteBoite(100, 100, Homme, 1);
        arbre->AjouteBoite(400, 300, Femme, 1);
        page->VoirPage = true;
        page->PrintZoom = 245;
        page->PrintCroise = 15;
        page->PrintMargeH = page->PrintMargeG = 20;
        page->MethodeImpression = 1;
        arbre->DecaleZero(); // the tree at the margins: 20..420 x 20..280
    }

    std::unique_ptr<TfmZoomPage> Ouvre(bool boutonEnfonce = true)
    {
        auto d = std::make_unique<TfmZoomPage>(
            *page, *arbre, [this](bool bas) { voirPage.push_back(bas); }, [boutonEnfonce] { return boutonEnfonce; });
        d->show();
        zoom = d->findChild<QSpinBox *>(u"seZoomPage"_s);
        croise = d->findChild<QSpinBox *>(u"seCroise"_s);
        marge = d->findChild<QSpinBox *>(u"seMarge"_s);
        autoZ = d->findChild<QCheckBox *>(u"cbAuto"_s);
        voir = d->findChild<QCheckBox *>(u"cbVoirPage"_s);
        appliquer = d->findChild<QCheckBox *>(u"cbAppliquer"_s);
        methode = d->findChild<QComboBox *>(u"cbMethodeImpression"_s);
        ok = d->findChild<QPushButton *>(u"B_Ok"_s);
        EXPECT_TRUE(zoom && croise && marge && autoZ && voir && appliquer && methode && ok);
        return d;
    }
    int Gauche() const { return arbre->GetRect().left(); }
    // Zoom, overlap, top and left margins, method.
    std::tuple<int, int, int, int, int> Reglages() const
    {
        return {page->PrintZoom, page->PrintCroise, page->PrintMargeH, page->PrintMargeG, page->MethodeImpression};
    }

    std::vector<bool> voirPage;
    QSpinBox *zoom = nullptr, *croise = nullptr, *marge = nullptr;
    QCheckBox *autoZ = nullptr, *voir = nullptr, *appliquer = nullptr;
    QComboBox *methode = nullptr;
    QPushButton *ok = nullptr;
};

TEST_F(Dialogue, ChangesApplyAtOnceWhileAskedAndTheFramesAreShownAndOkAppliesAll)
{
    EXPECT_TRUE(Ouvre(true) && voir->isChecked()); // the page-view button is down
    const auto d = Ouvre(false);
    EXPECT_FALSE(voir->isChecked());
    EXPECT_TRUE(appliquer->isChecked());
    EXPECT_FALSE(autoZ->isChecked());
    EXPECT_TRUE(d->findChild<QPushButton *>(u"BitBtn1"_s)->isHidden());
    EXPECT_EQ(std::tuple(zoom->value(), croise->value(), marge->value(), methode->currentIndex()),
              std::tuple(24, 15, 20, 1)); // 245 div 10
    EXPECT_EQ(page->PrintZoom, 245);      // filling the controls applied nothing

    zoom->setValue(25);
    croise->setValue(20);
    marge->setValue(30);
    methode->setCurrentIndex(0);
    EXPECT_EQ(Reglages(), std::tuple(250, 20, 30, 30, 0));
    EXPECT_EQ(Gauche(), 30); // the tree moved to the new margin

    // Not applied while unchecked, nor while the frames are hidden.
    appliquer->setChecked(false);
    zoom->setValue(40);
    page->VoirPage = false;
    appliquer->setChecked(true);
    marge->setValue(50);
    methode->setCurrentIndex(1);
    EXPECT_EQ(Reglages(), std::tuple(250, 20, 30, 30, 0));
    EXPECT_EQ(Gauche(), 30);
    // Frames shown again: the next change applies every control.
    page->VoirPage = true;
    croise->setValue(10);
    EXPECT_EQ(Reglages(), std::tuple(400, 10, 50, 50, 1));
    EXPECT_EQ(Gauche(), 50);

    appliquer->setChecked(false);
    zoom->setValue(80);
    croise->setValue(5);
    marge->setValue(60);
    voir->setChecked(true);
    ok->click();
    EXPECT_EQ(d->result(), QDialog::Accepted);
    EXPECT_EQ(Reglages(), std::tuple(800, 5, 60, 60, 1));
    EXPECT_EQ(Gauche(), 60);
    EXPECT_EQ(voirPage, std::vector<bool>{true});
}

TEST_F(Dialogue, OnePageFitsTheTreeAndKeepsTheMargins)
{
    const auto d = Ouvre();
    autoZ->setChecked(true);
    EXPECT_FALSE(zoom->isEnabled());
    EXPECT_FALSE(croise->isEnabled());
    // 4800 x 100 / 420 = 1142, below 6600 x 100 / 280, in tens.
    EXPECT_EQ(Reglages(), std::tuple(1140, 0, 20, 20, 1));
    EXPECT_EQ(std::pair(zoom->value(), croise->value()), std::pair(114, 0));
    EXPECT_TRUE(page->PrintZoomAuto);

    appliquer->setChecked(false);
    marge->setValue(70);
    voir->setChecked(false);
    page->PrintCroise = 10;
    ok->click();
    EXPECT_EQ(Reglages(), std::tuple(1140, 0, 20, 20, 1));
    EXPECT_EQ(voirPage, std::vector<bool>{false});

    // Unchecked, the spin edits come back, and OK takes them.
    autoZ->setChecked(false);
    EXPECT_TRUE(zoom->isEnabled() && croise->isEnabled());
    EXPECT_TRUE(page->PrintZoomAuto);
    ok->click();
    EXPECT_FALSE(page->PrintZoomAuto);
    EXPECT_EQ(Gauche(), 70);
}

// ---- Printing ------------------------------------------------------------

// PDF sheets of 200 x 300 points at 72 dpi, so that printer pixels are
// points, rendered back with pdftoppm.
class Impression : public Page
{
protected:
    void SetUp() override
    {
        Page::SetUp();
        if (QStandardPaths::findExecutable(u"pdftoppm"_s).isEmpty())
            GTEST_SKIP() << "pdftoppm is not installed";
        ASSERT_TRUE(dossier.isValid());
        page->PrintZoom = 100;
        page->PrintCroise = 0;
        page->MethodeImpression = 0;
        arbre->AjouteBoite(20, 30, Homme, 1);
    }

    std::unique_ptr<QPrinter> Imprimante(const QString &nom, int copies = 1)
    {
        auto imp = std::make_unique<QPrinter>(QPrinter::HighResolution);
        imp->setOutputFormat(QPrinter::PdfFormat);
        imp->setOutputFileName(dossier.filePath(nom));
        imp->setResolution(72);
        imp->setFullPage(true);
        imp->setPageLayout(QPageLayout(QPageSize(QSizeF(200, 300), QPageSize::Point, {}, QPageSize::ExactMatch),
                                       QPageLayout::Portrait, QMarginsF()));
        imp->setCopyCount(copies);
        page->PageImprimante = imp->pageLayout().paintRectPixels(imp->resolution()).size();
        EXPECT_EQ(page->PageImprimante, QSize(200, 300));
        return imp;
    }

    // The sheets of a PDF file, rendered without smoothing.
    std::vector<QImage> Feuilles(const QString &nom)
    {
        const QString sortie = dossier.filePath(nom + u"-rendu"_s);
        QDir().mkpath(sortie);
        QProcess p;
        p.start(u"pdftoppm"_s, {u"-r"_s, u"72"_s, u"-aa"_s, u"no"_s, u"-aaVector"_s, u"no"_s, u"-png"_s,
                                 dossier.filePath(nom), sortie + u"/f"_s});
        EXPECT_TRUE(p.waitForFinished(60000) && p.exitCode() == 0) << nom.toStdString();
        std::vector<QImage> images;
        const QDir d(sortie);
        for (const QString &f : d.entryList({u"*.png"_s}, QDir::Files, QDir::Name))
            images.push_back(QImage(d.filePath(f)).convertToFormat(QImage::Format_RGB32));
        return images;
    }

    // Where pixels of about that colour lie: pictures reach the file through
    // a lossy compression.
    static QRect Couleur(const QImage &image, QRgb c)
    {
        QRect r;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = image.pixel(x, y);
                if (std::abs(qRed(p) - qRed(c)) < 60 && std::abs(qGreen(p) - qGreen(c)) < 60
                    && std::abs(qBlue(p) - qBlue(c)) < 60)
                    r |= QRect(x, y, 1, 1);
            }
        return r;
    }

    // Same top-left corner; the far edges of a picture may blur by flou.
    static void Proche(const QRect &obtenu, const QRect &attendu, int flou, int cas)
    {
        EXPECT_EQ(obtenu.topLeft(), attendu.topLeft()) << cas;
        EXPECT_LE(std::abs(obtenu.right() - attendu.right()), flou) << cas;
        EXPECT_LE(std::abs(obtenu.bottom() - attendu.bottom()), flou) << cas;
    }

    // Where the box drawing itself puts the ink of the man's box drawn at p.
    QRect Modele(QPoint p) const
    {
        QImage modele = Toile(400, 400);
        QPainter peintre(&modele);
        arbre->Boites()[0]->AfficheBoite(peintre, p.x(), p.y(), 100, 60, 100);
        peintre.end();
        return Couleur(modele, Rouge);
    }

    QTemporaryDir dossier;
};

TEST_F(Impression, EveryMethodPutsEachBoxOnEachOverlappingPageItMeets)
{
    // Overlap 20: cells of 200 x 300 every 160 across and 260 down; the
    // woman's box (170..270 x 280..340) meets four of them.
    page->PrintCroise = 20;
    arbre->AjouteBoite(170, 280, Femme, 1);
    const QRect homme = Modele({20, 30}), femme = Modele({170, 280});
    ASSERT_FALSE(homme.isNull());
    const QPoint origines[] = {{0, 0}, {160, 0}, {0, 260}, {160, 260}};
    for (int methode : {0, 1, 2}) {
        page->MethodeImpression = methode;
        const QString nom = u"m%1.pdf"_s.arg(methode);
        auto imp = Imprimante(nom);
        ASSERT_EQ(page->ComptePages(), 4);
        QString erreur;
        ASSERT_TRUE(ImprimeArbre(*arbre, *page, *imp, 1, 4, &erreur)) << erreur.toStdString();
        const std::vector<QImage> f = Feuilles(nom);
        ASSERT_EQ(f.size(), 4u) << methode;
        const int flou = methode == 0 ? 0 : 1;
        Proche(Couleur(f[0], Rouge), homme, flou, methode);
        for (size_t n = 0; n < 4; ++n) {
            Proche(Couleur(f[n], Vert), femme.translated(-origines[n]).intersected(QRect(0, 0, 200, 300)), flou,
                   10 * methode + int(n));
            EXPECT_TRUE(n == 0 || Couleur(f[n], Rouge).isNull()) << methode << ' ' << n;
        }
        // Nothing but the boxes: no page frame.
        EXPECT_TRUE((homme | femme).adjusted(0, 0, 2 * flou, 2 * flou).contains(Encre(f[0]))) << methode;
        // One picture per box and sheet it shows on: the man's on one sheet,
        // the woman's on four.
        QFile pdf(dossier.filePath(nom));
        ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
        EXPECT_EQ(pdf.readAll().count("/Subtype /Image"), methode == 0 ? 0 : 5) << methode;
    }

    // Ranges are bounded to the pages that exist; a PDF file cannot copy by
    // itself, so copies are sheets, once each.
    struct Cas {
        int premiere, derniere, copies, feuilles;
    } const cas[] = {{2, 3, 1, 2}, {-5, 99, 1, 4}, {2, 2, 3, 3}, {1, 4, 2, 8}};
    for (const Cas &c : cas) {
        const QString nom = u"c%1-%2x%3.pdf"_s.arg(c.premiere).arg(c.derniere).arg(c.copies);
        const auto imp = Imprimante(nom, c.copies);
        ASSERT_FALSE(imp->supportsMultipleCopies());
        ASSERT_TRUE(ImprimeArbre(*arbre, *page, *imp, c.premiere, c.derniere));
        EXPECT_EQ(Feuilles(nom).size(), size_t(c.feuilles)) << nom.toStdString();
        EXPECT_EQ(imp->copyCount(), c.copies); // given back to the caller
    }
}

// "Tout imprimer sur la même page" prints a tree on one sheet, whatever
// its size: the page then ends on the tree's last pixel or beyond.
TEST_F(Impression, TheOnePageFitPrintsOneSheet)
{
    auto imp = Imprimante(u"une.pdf"_s);
    page->VoirPage = true;
    page->PrintMargeH = page->PrintMargeG = 0;
    struct Cas {
        int large, haut;
    } const cas[] = {
        {100, 60},  // 200 x 100 / 100: the page is as wide as the box
        {60, 150},  // 300 x 100 / 150: as tall
        {100, 150}, // both
        {125, 40},  // 160: a page of 125
        {90, 70},   // 222 rounded down to 220: a page of 90
    };
    for (const Cas &c : cas) {
        arbre->Vide();
        Taille(c.large, c.haut);
        arbre->AjouteBoite(0, 0, Homme, 1);
        arbre->DecaleZero();
        auto d = std::make_unique<TfmZoomPage>(
            *page, *arbre, [](bool) {}, [] { return true; });
        d->show();
        d->findChild<QCheckBox *>(u"cbAuto"_s)->setChecked(true);
        d->findChild<QPushButton *>(u"B_Ok"_s)->click();
        ASSERT_TRUE(page->PrintZoomAuto);
        EXPECT_EQ(page->ComptePages(), 1) << c.large << 'x' << c.haut << " at " << page->PrintZoom;
        const QString nom = u"une%1x%2.pdf"_s.arg(c.large).arg(c.haut);
        imp->setOutputFileName(dossier.filePath(nom));
        ASSERT_TRUE(ImprimeArbre(*arbre, *page, *imp, 1, 99));
        const std::vector<QImage> f = Feuilles(nom);
        ASSERT_EQ(f.size(), 1u) << c.large << 'x' << c.haut;
        // The whole box on it, to its last screen pixel (the box's own last
        // pixel is its frame's, drawn in the frame colour).
        const QRect rouge = Couleur(f[0], Rouge);
        const int pixel = page->PrintZoom / 100 + 1;
        EXPECT_EQ(rouge.topLeft(), QPoint(0, 0));
        EXPECT_LE(rouge.right() + 1, c.large * page->PrintZoom / 100);
        EXPECT_LE(c.large * page->PrintZoom / 100 - (rouge.right() + 1), pixel) << c.large;
        EXPECT_LE(rouge.bottom() + 1, c.haut * page->PrintZoom / 100);
        EXPECT_LE(c.haut * page->PrintZoom / 100 - (rouge.bottom() + 1), pixel) << c.haut;
    }
}

TEST_F(Impression, NothingToPrintOrNoPrinterIsAnError)
{
    auto imp = Imprimante(u"vide.pdf"_s);
    // With a message when asked for one, and without.
    const auto echoue = [&](int premiere) {
        QString erreur;
        return !ImprimeArbre(*arbre, *page, *imp, premiere, 5, &erreur) && !erreur.isEmpty()
               && !ImprimeArbre(*arbre, *page, *imp, premiere, 5);
    };
    EXPECT_TRUE(echoue(2)); // past the last page
    arbre->Vide();
    EXPECT_TRUE(echoue(1)); // an empty tree
    arbre->AjouteBoite(20, 30, Homme, 1);
    imp->setOutputFileName(dossier.filePath(u"absent/dossier.pdf"_s));
    EXPECT_TRUE(echoue(1)); // a printer that cannot start
    EXPECT_FALSE(QFile::exists(dossier.filePath(u"vide.pdf"_s)));
    // A pipe, which would wait for a reader for ever, and a folder.
    const QString tube = dossier.filePath(u"tube.pdf"_s);
    ASSERT_EQ(::mkfifo(QFile::encodeName(tube).constData(), 0600), 0);
    ASSERT_TRUE(QDir().mkdir(dossier.filePath(u"dossier.pdf"_s)));
    for (const QString &fichier : {tube, dossier.filePath(u"dossier.pdf"_s)}) {
        imp->setOutputFileName(fichier);
        EXPECT_TRUE(echoue(1)) << fichier.toStdString();
    }
    EXPECT_FALSE(QFileInfo(tube).isFile());
}

} // namespace
