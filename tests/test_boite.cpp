// The person box of the tree and the drawing helpers, checked by rendering
// into pictures and measuring pixels.

#include "AideEmf.h"
#include "Dessin.h"
#include "TBoite.h"
#include "Textes.h"

#include <algorithm>
#include <array>
#include <climits>
#include <memory>

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QPainter>
#include <QTemporaryDir>

#include "AideArbre.h"
#include "BD.h"

using namespace Qt::StringLiterals;

namespace {

const QRgb Blanc = qRgb(255, 255, 255), Noir = qRgb(0, 0, 0), Rouge = qRgb(255, 0, 0),
           Vert = qRgb(0, 255, 0);
const QString Sans = u"MS Sans Serif"_s;

QRgb Rgb(TColor c)
{
    return CouleurQt(c).rgb();
}

class Boite : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dossier.isValid());
        DossierImageArbre = dossier.path() + u'/';
        FichierCourant.clear();
        AfficheMarges = false;
        TBoite::VideCacheImages();
        bd.SetSurname(bd.NewPerson(), u"MARTIN"_s);
        bd.SetSurname(bd.NewPerson(), u"DURAND"_s);
        looks[1].Large = 100;
        looks[1].HauteurBoite = 60;
        looks[1].Zoom = 100;
        Look().Homme.Couleur = 0x80FFFF; // yellow
        Look().Homme.Cadre = true;
    }

    TLook &Look() { return looks[1].Look; }
    void AjouteLigne(int hauteur, std::uint8_t alignement = AlignGauche)
    {
        TFonte &f = Look().Ligne[std::size_t(Look().LigneNbre++)].Fonte;
        f.Nom = Sans;
        f.Hauteur = hauteur;
        f.Alignement = alignement;
    }
    // A man's box of look 1 at (0, 0) showing those lines.
    std::unique_ptr<TBoite> Nouvelle(const QString &l0 = {}, const QString &l1 = {}, int personne = homme)
    {
        auto b = std::make_unique<TBoite>(ctx);
        b->InitBoite(0, 0, personne, 1, SexeHomme);
        b->Lignes[0] = l0;
        b->Lignes[1] = l1;
        return b;
    }
    // The box drawn at (X, Y), W x H, on a white page with room around it.
    QImage Rend(TBoite &b, int W = 100, int H = 60)
    {
        QImage page = Toile(W + 2 * X, H + 2 * Y);
        QPainter p(&page);
        b.AfficheBoite(p, X, Y, W, H, 100);
        return page;
    }
    QString Png(const QString &nom, QColor couleur, int w = 8, int h = 8)
    {
        const QImage image = Toile(w, h, couleur.rgb());
        EXPECT_TRUE(image.save(dossier.path() + u'/' + nom));
        return dossier.path() + u'/' + nom;
    }

    static constexpr int X = 10;
    static constexpr int Y = 8;
    QTemporaryDir dossier;
    TBD bd;
    TLooks looks;
    TContexteArbre ctx{.Bd = &bd, .Looks = &looks, .SelecPers = 0};
    static constexpr int homme = 1, femme = 2;
};

// ---- Drawing helpers ---------------------------------------------------

TEST(Dessin, RectanglesExcludeTheirRightAndBottomEdges)
{
    // Left, top, right, bottom.
    const auto dessine = [](const QPen &stylo, bool arrondi, std::array<int, 4> r) {
        QImage image = Toile(50, 40);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing); // changes no pixel
        p.setPen(stylo);
        p.setBrush(Qt::red);
        if (arrondi)
            DessineRectangleArrondi(p, r[0], r[1], r[2], r[3], 14, 14);
        else
            DessineRectangle(p, r[0], r[1], r[2], r[3]);
        return image;
    };
    const QPen noir(Qt::black, 1);
    const QImage image = dessine(noir, false, {2, 3, 10, 8});
    EXPECT_EQ(Encre(image), QRect(QPoint(2, 3), QPoint(9, 7)));
    EXPECT_TRUE(Encre(image.copy(3, 4, 6, 3), Rouge).isNull()); // the fill inside the outline
    for (const QPoint pt : {QPoint(2, 5), QPoint(9, 5), QPoint(5, 3), QPoint(5, 7)})
        EXPECT_EQ(image.pixel(pt), Noir) << pt.x() << ',' << pt.y();
    // Without a pen the fill stops one pixel short on the right and bottom.
    EXPECT_EQ(Encre(dessine(Qt::NoPen, false, {2, 3, 10, 8})), QRect(QPoint(2, 3), QPoint(8, 6)));
    // Rounded corners: the sides on the same pixels, the corners cut.
    const QImage arrondi = dessine(noir, true, {5, 4, 45, 34});
    EXPECT_EQ(Encre(arrondi), QRect(QPoint(5, 4), QPoint(44, 33)));
    for (const QPoint cote : {QPoint(5, 19), QPoint(44, 19), QPoint(25, 4), QPoint(25, 33)})
        EXPECT_EQ(arrondi.pixel(cote), Noir) << cote.x() << ',' << cote.y();
    for (const QPoint coin : {QPoint(5, 4), QPoint(44, 4), QPoint(5, 33), QPoint(44, 33)})
        EXPECT_EQ(arrondi.pixel(coin), Blanc) << coin.x() << ',' << coin.y();

    // One pixel wide: a line in the pen's colour; zero wide: nothing.
    const QImage trait = dessine(QPen(Qt::blue, 1), false, {4, 2, 5, 9});
    EXPECT_EQ(Encre(trait), QRect(QPoint(4, 2), QPoint(4, 8)));
    EXPECT_EQ(trait.pixel(4, 5), qRgb(0, 0, 255));
    EXPECT_TRUE(Encre(dessine(QPen(Qt::blue, 1), false, {7, 2, 7, 9})).isNull());
}

TEST(Dessin, ClassicFontNamesUseMetricCompatibleFonts)
{
    const std::pair<QString, QString> cas[] = {
        {Sans, u"Liberation Sans"_s}, {u"Arial"_s, u"Liberation Sans"_s},
        {u"TIMES NEW ROMAN"_s, u"Liberation Serif"_s}, {u"courier new"_s, u"Liberation Mono"_s}};
    // The family itself, as the font dialog is opened on it, and as drawn.
    for (const auto &[nom, famille] : cas) {
        EXPECT_EQ(FamilleInstallee(nom), famille) << nom.toStdString();
        EXPECT_EQ(QFontInfo(FonteDessin(nom, 14, 0).Fonte).family(), famille) << nom.toStdString();
    }
    EXPECT_EQ(FamilleInstallee(u"DejaVu Sans"_s), u"DejaVu Sans"_s);
}

TEST(Dessin, PositiveHeightIsTheCellHeight)
{
    for (const int h : {1, 6, 8, 12, 13, 16, 24, 40, 100}) {
        for (const std::uint8_t style : {std::uint8_t(0), std::uint8_t(fsGras | fsItalique)}) {
            const TFonteDessin f = FonteDessin(u"Times New Roman"_s, h, style);
            EXPECT_EQ(f.Fonte.bold(), style != 0);
            // No neighbouring pixel size gives a closer cell.
            const int ecart = std::abs(f.Hauteur() - h);
            EXPECT_LE(ecart, 1) << h;
            for (const int voisin : {f.Fonte.pixelSize() - 1, f.Fonte.pixelSize() + 1}) {
                if (voisin < 1)
                    continue;
                QFont v = f.Fonte;
                v.setPixelSize(voisin);
                EXPECT_GE(std::abs(QFontMetrics(v).height() - h), ecart) << h << " vs " << voisin;
            }
            EXPECT_EQ(HauteurTexte(f, QString()), f.Hauteur());
        }
    }
    EXPECT_EQ(FonteDessin(u"Arial"_s, -20, 0).Fonte.pixelSize(), 20);
}

// A text too wide for its line gets the height a descent one pixel at a time
// would reach, the one boxes have always shown, in a few measures.
TEST(Dessin, AShrunkTextTakesTheHeightOfADescentInAFewMeasures)
{
    int cas = 0, mesuresMax = 0;
    for (const QString &nom : {Sans, u"Times New Roman"_s, u"Courier New"_s}) {
        for (const std::uint8_t style : {std::uint8_t(0), std::uint8_t(fsGras | fsItalique)}) {
            for (const QString &texte : {u"MARTIN Jean"_s, u"° 12/03/1854 Saint-Rémy-de-Provence"_s, u"I"_s}) {
                const auto largeur = [&](int h) { return LargeurTexte(FonteDessin(nom, h, style), texte); };
                for (const int hauteur : {2, 6, 8, 10, 11, 12, 13, 14, 16, 18, 20, 24, 30, 40, 60}) {
                    for (const int place : {0, 5, 24, 37, 60, 100, 150}) {
                        int descente = hauteur;
                        while (largeur(descente) > place && descente > 1)
                            --descente;
                        int mesures = 0;
                        const int h = HauteurQuiTient(hauteur, place, [&](int x) {
                            ++mesures;
                            return largeur(x);
                        });
                        EXPECT_EQ(h, descente) << nom.toStdString() << ' ' << int(style) << ' '
                                               << texte.toStdString() << ' ' << hauteur << ' ' << place;
                        mesuresMax = std::max(mesuresMax, mesures);
                        ++cas;
                    }
                }
            }
        }
    }
    EXPECT_EQ(cas, 3 * 2 * 3 * 15 * 7);
    EXPECT_LE(mesuresMax, 8);
}

// Heights a look file may hold, far beyond any font: a few measures still,
// and a height whose text fits while one pixel more does not.
TEST(Dessin, HugeHeightsShrinkInAFewMeasures)
{
    const QString texte = u"MARTIN Jean-Baptiste"_s;
    for (const int hauteur : {2'000, 2'000'000'000}) {
        for (const int place : {1, 100, 3'000}) {
            int mesures = 0;
            const auto largeur = [&](int h) {
                ++mesures;
                return LargeurTexte(FonteDessin(Sans, h, 0), texte);
            };
            const int h = HauteurQuiTient(hauteur, place, largeur);
            EXPECT_LE(mesures, 40) << hauteur << " " << place;
            EXPECT_TRUE(h == 1 || largeur(h) <= place) << hauteur << ' ' << place << ' ' << h;
            EXPECT_TRUE(h == hauteur || largeur(h + 1) > place) << hauteur << ' ' << place << ' ' << h;
        }
        // A width in proportion to the height: found at once.
        int mesures = 0;
        const int h = HauteurQuiTient(hauteur, 700, [&](int x) {
            ++mesures;
            return int(std::min<qint64>(qint64(x) * 7, INT_MAX));
        });
        EXPECT_EQ(h, 100);
        EXPECT_LE(mesures, 4);
    }
    // Nothing to shrink, and no room at all.
    EXPECT_EQ(HauteurQuiTient(1, 0, [](int) { return 50; }), 1);
    EXPECT_EQ(HauteurQuiTient(-12, 0, [](int) { return 50; }), -12);
    EXPECT_EQ(HauteurQuiTient(40, -3, [](int h) { return h; }), 1);
    EXPECT_EQ(HauteurQuiTient(40, 60, [](int h) { return h; }), 40);
}

TEST(Dessin, TextIsTransparentAndClipped)
{
    const QRgb jaune = qRgb(255, 255, 0);
    QImage image = Toile(120, 40, jaune);
    const QRect clip(10, 5, 30, 12);
    QPainter p(&image);
    DessineTexte(p, FonteDessin(u"Arial"_s, 20, fsGras), clBlack, 4, 2, u"MMMMMMMM"_s, clip);
    p.end();
    // The text reaches beyond the clip on the right and below, so the ink
    // touches those edges; the gaps inside keep the background.
    const QRect encre = Encre(image, jaune);
    EXPECT_EQ(encre.bottomRight(), clip.bottomRight());
    EXPECT_TRUE(clip.contains(encre));
    EXPECT_EQ(image.pixel(clip.topLeft()), jaune);
}

// ---- The box -------------------------------------------------------------

TEST_F(Boite, PositionIsZoomedInSixtyFourBitsAndTheBitmapAtTheZoom)
{
    looks[1].Zoom = 150;
    AjouteLigne(14);
    TBoite b(ctx);
    b.InitBoite(-7, 20'000'000, homme, 1, SexeHomme);
    EXPECT_EQ(b.Bounds(), QRect(-10, 30'000'000, 150, 90)); // truncated toward zero
    b.Deplace(7, -20'000'000);
    EXPECT_EQ(b.Bounds().topLeft(), QPoint(0, 0));
    b.Lignes[0] = u"Jean MARTIN"_s;
    QImage attendu = Toile(150, 90);
    QPainter p(&attendu);
    b.AfficheBoite(p, 0, 0, 150, 90, 150);
    p.end();
    EXPECT_EQ(b.BoiteVersBitmap(), attendu);

    // Just beyond the 50 million pixels a box picture may take: none.
    looks[1].Zoom = 9200;
    TBoite grande(ctx);
    grande.InitBoite(0, 0, homme, 1, SexeHomme);
    ASSERT_GT(qint64(grande.Bounds().width()) * grande.Bounds().height(), 50'000'000);
    ASSERT_LT(qint64(grande.Bounds().width()) * grande.Bounds().height(), 52'000'000);
    EXPECT_TRUE(grande.BoiteVersBitmap().isNull());
}

TEST_F(Boite, FrameColourFollowsSelectionThenFolding)
{
    const struct {
        bool courante; // the person is the context's current person
        bool selec;    // the box's isSelec
        bool pliee;
        TColor attendue;
    } cas[] = {
        {false, false, false, clBlack}, {true, false, false, clRed}, {false, true, false, clRed},
        {false, false, true, clBlue},   {true, false, true, clRed},  {false, true, true, clRed},
    };
    for (const auto &c : cas) {
        bd.SetTreeFold(homme, c.pliee ? 1 : 0);
        const auto b = Nouvelle();
        ctx.SelecPers = c.courante ? homme : femme;
        b->SetSelec(c.selec);
        const QImage page = Rend(*b);
        for (const QPoint pt : {QPoint(X, Y + 30), QPoint(X + 99, Y + 30), QPoint(X + 50, Y),
                                QPoint(X + 50, Y + 59)})
            EXPECT_EQ(page.pixel(pt), Rgb(c.attendue)) << c.courante << c.selec << c.pliee;
    }
}

TEST_F(Boite, FilledBoxWithShadowShowsAStripRightAndBelow)
{
    Look().Homme.Fond = 1;
    const QRgb jaune = Rgb(0x80FFFF);
    for (const int s : {0, 1}) {
        Look().Homme.Ombre = s == 1;
        const QImage page = Rend(*Nouvelle(), 40, 30);
        // (x, y) in the 40 x 30 box: frame, fill, the shadow strip.
        const struct {
            int x, y;
            QRgb c;
        } pixels[] = {{0, 15, Noir}, {1, 15, jaune}, {38 - s, 15, jaune}, {39 - s, 15, Noir}, {39, 15, Noir},
                      {20, 28 - s, jaune}, {20, 29, Noir},
                      // The strip starts one pixel below the top, one right of the left.
                      {39, 0, s ? Blanc : Noir}, {0, 29, s ? Blanc : Noir}};
        for (const auto &p : pixels)
            EXPECT_EQ(page.pixel(X + p.x, Y + p.y), p.c) << s << ": " << p.x << ',' << p.y;
        EXPECT_EQ(Encre(page), QRect(X, Y, 40, 30)) << s;
    }
}

TEST_F(Boite, MarginOutlinesAndEmptyLinesKeepingTheRoomOfALine)
{
    Look().MargeHaut = Look().MargeBas = Look().MargeGauche = 10;
    Look().MargeDroite = 20;
    AjouteLigne(16);
    AjouteLigne(16);
    AjouteLigne(10);
    const int a = FonteDessin(Sans, 16, 0).Hauteur(), c = FonteDessin(Sans, 10, 0).Hauteur();
    EXPECT_NEAR(a, 16, 1);
    for (const bool marges : {true, false}) {
        AfficheMarges = marges;
        const QImage page = Rend(*Nouvelle(QString(), u"Martin"_s));
        // The box (100 x 60) in red over the frame; the margins (left 10,
        // right 20, top and bottom 6) in lime.
        const struct {
            int x, y;
            TColor c;
        } traits[] = {{0, 30, clRed},   {99, 30, clRed},  {50, 59, clRed},  {10, 40, clLime},
                      {79, 40, clLime}, {40, 6, clLime},  {40, 53, clLime}};
        for (const auto &t : traits)
            EXPECT_EQ(page.pixel(X + t.x, Y + t.y) == Rgb(t.c), marges) << t.x << ',' << t.y;
        // The lines in blue, the text line between the two empty ones; the top
        // of line 0 is under the margin.
        std::vector<int> rangs;
        for (int y = 0; y < page.height(); ++y)
            if (page.pixel(X + 75, y) == Rgb(clBlue))
                rangs.push_back(y - Y);
        const std::vector<int> lignes{5 + a, 6 + a, 5 + 2 * a, 6 + 2 * a, 5 + 2 * a + c};
        EXPECT_EQ(rangs, marges ? lignes : std::vector<int>());
    }
}

TEST_F(Boite, CentredLineMovesLeftWithAShadow)
{
    Look().Homme.Cadre = false;
    AjouteLigne(14, AlignCentre);
    const QImage sans = Rend(*Nouvelle(u"Jean MARTIN"_s));
    Look().Homme.Ombre = true;
    const QImage avec = Rend(*Nouvelle(u"Jean MARTIN"_s));
    const QRect encre = Encre(sans);
    ASSERT_FALSE(encre.isEmpty());
    EXPECT_EQ(Encre(avec), encre.translated(-1, 0));
    EXPECT_EQ(avec.copy(encre.translated(-1, 0)), sans.copy(encre));
}

TEST_F(Boite, LongTextShrinksInsideItsLineAndIsLaidOutAgainWhenItChanges)
{
    Look().Homme.Cadre = false;
    AjouteLigne(16);
    AjouteLigne(16);
    // Capitals only: cut but not shrunk, the ink would be as tall as in the
    // wide box.
    const QString nom = u"MARTIN DUPONT LEFEBVRE"_s;
    const int h = FonteDessin(Sans, 16, 0).Hauteur();
    const QRect large = Encre(Rend(*Nouvelle(nom), 600));
    const QImage etroite = Rend(*Nouvelle(nom, u"I"_s), 60);
    const QRect ligne0 = Encre(etroite.copy(0, 0, etroite.width(), Y + h));
    ASSERT_FALSE(ligne0.isEmpty());
    EXPECT_TRUE(QRect(X, Y, 60, h).contains(ligne0));
    EXPECT_LT(ligne0.height(), large.height());
    EXPECT_LT(ligne0.width(), large.width());
    // The next line starts below the unshrunk height.
    EXPECT_FALSE(Encre(etroite.copy(0, Y + h, etroite.width(), h)).isEmpty());
    // Down to a height of 1, still inside the line.
    const QRect minuscule = Encre(Rend(*Nouvelle(nom), 3));
    EXPECT_TRUE(minuscule.isEmpty() || QRect(X, Y, 3, h).contains(minuscule));

    // A box drawn again after a change draws as a new box would.
    const auto b = Nouvelle(u"DURAND"_s, u"I"_s);
    Rend(*b, 60);
    b->Lignes[0] = nom;
    EXPECT_EQ(Rend(*b, 60), etroite);
    b->Lignes[1].clear();
    EXPECT_EQ(Rend(*b, 600), Rend(*Nouvelle(nom), 600));
}

TEST_F(Boite, PrintMethodsPutTheBoxAtTheSamePlace)
{
    Look().Homme.Fond = 1;
    Look().Homme.Ombre = true;
    Look().Homme.Arrondis = true;
    AjouteLigne(14, AlignCentre);
    TBoite b(ctx);
    b.InitBoite(40, 30, homme, 1, SexeHomme);
    b.Lignes[0] = u"Jean MARTIN"_s;
    const auto imprime = [&](int methode, QRgb fond) {
        QImage page = Toile(300, 200, fond);
        QPainter p(&page);
        b.Imprime(p, TParamImpression{QPoint(10, 5), 150, methode});
        return page;
    };
    // 40 x 150% - 10, 30 x 150% - 5; 100 x 60 at 150%.
    const QImage direct = imprime(0, Blanc);
    EXPECT_EQ(Encre(direct), QRect(50, 40, 150, 90));
    EXPECT_EQ(imprime(1, Blanc), direct);
    EXPECT_EQ(imprime(2, Blanc), direct);
    // Without a background, the bitmap of method 1 whitens the page inside
    // the box; the copy by AND of method 2 keeps the page's colour there.
    Look().Homme.Fond = 0;
    const QRgb vert = qRgb(0, 200, 0);
    EXPECT_EQ(imprime(1, vert).pixel(60, 120), Blanc);
    EXPECT_EQ(imprime(2, vert).pixel(60, 120), vert);
    EXPECT_EQ(imprime(2, vert).pixel(50, 85), Noir);
}

TEST_F(Boite, PictureLineAtTheLineHeight)
{
    Look().Homme.Cadre = false;
    const QString chemin = Png(u"image.png"_s, Qt::red, 20, 10);
    // The picture keeps its proportions at the line's height.
    const int ph = FonteDessin(Sans, 16, 0).Hauteur(), pw = 2 * ph;
    const std::pair<std::uint8_t, int> cas[] = {
        {AlignGauche, 2}, {AlignDroite, 100 - pw}, {AlignCentre, (100 - pw) / 2}};
    for (const auto &[alignement, x] : cas) {
        Look().LigneNbre = 0;
        AjouteLigne(16, alignement);
        const QImage page = Rend(*Nouvelle(u'@' + chemin));
        EXPECT_EQ(Encre(page), QRect(X + x, Y + 1, pw, ph)) << int(alignement);
        EXPECT_EQ(page.pixel(X + x + pw / 2, Y + 1 + ph / 2), Rouge);
    }
    // A file that cannot be found or read leaves the line empty.
    for (const QString &ligne : {u"@absente.png"_s, u"@" LIGNEE_FIXTURES "/images/rgb_corrompu.png"_s, u"@"_s})
        EXPECT_TRUE(Encre(Rend(*Nouvelle(ligne))).isNull()) << ligne.toStdString();
}

TEST_F(Boite, APrintedPictureLineIsMadeAtThePrinterResolution)
{
    Look().Homme.Cadre = false;
    AjouteLigne(16);
    // A picture finer than the printed line, red then blue, the edge
    // between them falling inside a pixel at both sizes.
    QImage source = Toile(200, 100, qRgb(0, 0, 255));
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 70; ++x)
            source.setPixel(x, y, qRgb(255, 0, 0));
    const QString chemin = dossier.filePath(u"moitie.png"_s);
    ASSERT_TRUE(source.save(chemin));
    TBoite b(ctx);
    b.InitBoite(0, 0, homme, 1, SexeHomme);
    b.Lignes[0] = u'@' + chemin;
    QImage ecran = Toile(100, 60);
    {
        QPainter p(&ecran);
        b.Paint(p);
    }
    QImage papier = Toile(300, 180);
    {
        QPainter p(&papier);
        b.Imprime(p, TParamImpression{QPoint(), 300, 0});
    }
    // Where the screen shows it, three times larger; the edge as sharp in
    // printer pixels as in screen pixels, not a magnified screen picture.
    const QRect r = Encre(ecran);
    ASSERT_FALSE(r.isEmpty());
    EXPECT_EQ(Encre(papier), QRect(r.topLeft() * 3, r.size() * 3));
    const auto melanges = [](const QImage &image, int y) {
        int n = 0;
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            n += c != Blanc && c != qRgb(255, 0, 0) && c != qRgb(0, 0, 255);
        }
        return n;
    };
    ASSERT_GE(melanges(ecran, r.center().y()), 1);
    EXPECT_LE(melanges(papier, 3 * r.center().y()), melanges(ecran, r.center().y()));
}

TEST_F(Boite, BackgroundPictureOrEmptyWhenMissing)
{
    // Where a file was found (here: nowhere) is forgotten with the pictures
    // when the cache is emptied.
    Look().Homme.Fond = 2;
    Look().Homme.Texture = u"fond.png"_s;
    const auto b = Nouvelle();
    for (const QColor couleur : {QColor(Qt::white), QColor(Qt::blue), QColor(Qt::green)}) {
        if (couleur != Qt::white)
            Png(u"fond.png"_s, couleur);
        TBoite::VideCacheImages();
        EXPECT_EQ(Rend(*b).pixel(X + 50, Y + 30), couleur.rgb()) << couleur.name().toStdString();
    }

    Png(u"MARTIN.png"_s, Qt::green);
    QTemporaryDir ailleurs;
    const QString horsDossier = ailleurs.path() + u"/photo.png"_s;
    ASSERT_TRUE(Toile(4, 4, Vert).save(horsDossier));
    const struct {
        int fond;
        QString texture;
        bool femme; // DURAND.png is missing
        bool image;
    } cas[] = {
        {2, u"fond.png"_s, false, true},   {2, u"absent.png"_s, false, false},
        {2, QString(), false, false},      {3, u"<nom>.png"_s, false, true},
        {3, u"@<nom>.png"_s, false, true}, {3, u"<nom>.png"_s, true, false},
        {3, u'@' + horsDossier, false, true},
    };
    Look().Homme.Ombre = true;
    for (const auto &c : cas) {
        Look().Homme.Fond = c.fond;
        Look().Homme.Texture = c.texture;
        const QImage page = Rend(*Nouvelle({}, {}, c.femme ? femme : homme));
        const std::string quoi = QString::number(c.fond).toStdString() + ' ' + c.texture.toStdString();
        // The picture stops before the shadow strip.
        for (const int x : {50, 97})
            EXPECT_EQ(page.pixel(X + x, Y + 30), c.image ? Vert : Blanc) << quoi << " at " << x;
        EXPECT_EQ(page.pixel(X, Y + 30), Noir) << quoi;
        EXPECT_EQ(page.pixel(X + 99, Y + 30), Noir) << quoi;
    }
}

TEST_F(Boite, MetafileBackgroundIsPlayedOverTheBox)
{
    // A metafile texture, red on its left half and blue on its right half,
    // stretched over the whole box.
    aideemf::Emf emf;
    emf.Choisit(0x80000008).Brosse(1, 0, aideemf::Ref(255, 0, 0)).Choisit(1);
    emf.Rect(emr::Rectangle, QRect(QPoint(0, 0), QPoint(100, 150)));
    emf.Brosse(2, 0, aideemf::Ref(0, 0, 255)).Choisit(2);
    emf.Rect(emr::Rectangle, QRect(QPoint(100, 0), QPoint(200, 150)));
    ASSERT_TRUE(emf.Ecrit(dossier.filePath(u"fond.emf"_s)));
    Look().Homme.Fond = 2;
    Look().Homme.Texture = u"fond.emf"_s;
    const QImage page = Rend(*Nouvelle());
    for (const int y : {5, 30, 55}) {
        EXPECT_EQ(page.pixel(X + 10, Y + y), Rouge) << y;
        EXPECT_EQ(page.pixel(X + 45, Y + y), Rouge) << y;
        EXPECT_EQ(page.pixel(X + 55, Y + y), qRgb(0, 0, 255)) << y;
        EXPECT_EQ(page.pixel(X + 90, Y + y), qRgb(0, 0, 255)) << y;
    }
}

TEST(RemplitTexture, TilesFromTheCornerCuttingTheLastRowAndColumn)
{
    QImage motif(3, 2, QImage::Format_RGB32);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            motif.setPixel(x, y, qRgb(10 * x, 100 + 10 * y, 50));
    // A last tile cut, then a rectangle of whole tiles: nothing beyond it.
    for (const QRect &r : {QRect(2, 1, 7, 5), QRect(2, 1, 6, 4)}) {
        QImage page = Toile(12, 9);
        QPainter p(&page);
        TBoite::RemplitTexture(r, p, motif);
        TBoite::RemplitTexture(QRect(0, 0, 12, 9), p, QImage()); // nothing
        p.end();
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                EXPECT_EQ(page.pixel(x, y), r.contains(x, y) ? motif.pixel((x - r.x()) % 3, (y - r.y()) % 2) : Blanc)
                    << r.width() << ' ' << x << ',' << y;
    }
}

} // namespace
