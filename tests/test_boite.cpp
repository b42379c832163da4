// The person box of the tree and the drawing helpers, checked by rendering
// into pictures and measuring pixels.

#include "Dessin.h"
#include "TBoite.h"

#include <functional>

#include <gtest/gtest.h>

#include <QFile>
#include <QFontInfo>
#include <QPainter>
#include <QTemporaryDir>

#include "BD.h"
#include "Globales.h"

namespace {

const QRgb Blanc = qRgb(255, 255, 255);

QImage PageBlanche(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// Bounding box of the pixels matching `garde`.
QRect Encre(const QImage &image, const std::function<bool(QRgb)> &garde)
{
    QRect r;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (garde(image.pixel(x, y)))
                r |= QRect(x, y, 1, 1);
    return r;
}

QRect EncreNonBlanche(const QImage &image)
{
    return Encre(image, [](QRgb c) { return (c & 0xFFFFFF) != 0xFFFFFF; });
}

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

        homme = bd.NewPerson();
        bd.SetSurname(homme, QStringLiteral("MARTIN"));
        bd.SetSex(homme, SexeHomme);
        femme = bd.NewPerson();
        bd.SetSurname(femme, QStringLiteral("DURAND"));
        bd.SetSex(femme, SexeFemme);

        T1Aff &aff = looks[1];
        aff.Large = 100;
        aff.HauteurBoite = 60;
        aff.Zoom = 100;
        for (TLookSexe *ls : {&aff.Look.Homme, &aff.Look.Femme}) {
            ls->Couleur = 0x80FFFF; // yellow
            ls->Cadre = true;
        }
        aff.Look.LigneNbre = 0;
    }

    void TearDown() override
    {
        AfficheMarges = false;
        TBoite::VideCacheImages();
    }

    TLook &Look() { return looks[1].Look; }

    void AjouteLigne(const QString &modele, int hauteur, std::uint8_t alignement = AlignGauche)
    {
        TLigne &l = Look().Ligne[std::size_t(Look().LigneNbre++)];
        l.Texte = modele;
        l.Fonte.Nom = QStringLiteral("MS Sans Serif");
        l.Fonte.Hauteur = hauteur;
        l.Fonte.Alignement = alignement;
    }

    // A box of the man drawn at (X, Y), W x H, on a white page with room
    // around it.
    QImage Rend(TBoite &b, int W = 100, int H = 60)
    {
        QImage page = PageBlanche(W + 2 * X, H + 2 * Y);
        QPainter p(&page);
        b.AfficheBoite(p, X, Y, W, H, 100);
        return page;
    }

    QString Png(const QString &nom, int w, int h, QColor couleur)
    {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(couleur);
        const QString chemin = dossier.path() + u'/' + nom;
        EXPECT_TRUE(image.save(chemin));
        return chemin;
    }

    static constexpr int X = 10;
    static constexpr int Y = 8;
    QTemporaryDir dossier;
    TBD bd;
    TLooks looks;
    TContexteArbre ctx{.Bd = &bd, .Looks = &looks, .SelecPers = 0};
    int homme = 0;
    int femme = 0;
};

// ---- Drawing helpers ---------------------------------------------------

TEST(Dessin, RectangleExcludesItsRightAndBottomEdges)
{
    // (left, top, right, bottom) = (2, 3, 10, 8).
    QImage image = PageBlanche(14, 12);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing); // must not change the pixels
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::red);
        DessineRectangle(p, 2, 3, 10, 8);
    }
    EXPECT_EQ(EncreNonBlanche(image), QRect(QPoint(2, 3), QPoint(9, 7)));
    for (const QPoint pt : {QPoint(2, 5), QPoint(9, 5), QPoint(5, 3), QPoint(5, 7)})
        EXPECT_EQ(image.pixel(pt), qRgb(0, 0, 0)) << pt.x() << ',' << pt.y();
    EXPECT_EQ(Encre(image, [](QRgb c) { return c == qRgb(255, 0, 0); }),
              QRect(QPoint(3, 4), QPoint(8, 6)));

    // Without a pen the fill stops one pixel short on the right and bottom.
    image = PageBlanche(14, 12);
    {
        QPainter p(&image);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::red);
        DessineRectangle(p, 2, 3, 10, 8);
    }
    EXPECT_EQ(EncreNonBlanche(image), QRect(QPoint(2, 3), QPoint(8, 6)));

    // One pixel wide: a line in the pen's colour; zero wide: nothing.
    image = PageBlanche(14, 12);
    {
        QPainter p(&image);
        p.setPen(QPen(Qt::blue, 1));
        DessineRectangle(p, 4, 2, 5, 9);
        DessineRectangle(p, 7, 2, 7, 9);
    }
    EXPECT_EQ(EncreNonBlanche(image), QRect(QPoint(4, 2), QPoint(4, 8)));
}

TEST(Dessin, RoundedRectangleKeepsTheSidesAndCutsTheCorners)
{
    QImage image = PageBlanche(50, 40);
    {
        QPainter p(&image);
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::NoBrush);
        DessineRectangleArrondi(p, 5, 4, 45, 34, 14, 14);
    }
    EXPECT_EQ(EncreNonBlanche(image), QRect(QPoint(5, 4), QPoint(44, 33)));
    const QRgb noir = qRgb(0, 0, 0);
    EXPECT_EQ(image.pixel(5, 19), noir);
    EXPECT_EQ(image.pixel(44, 19), noir);
    EXPECT_EQ(image.pixel(25, 4), noir);
    EXPECT_EQ(image.pixel(25, 33), noir);
    for (const QPoint coin : {QPoint(5, 4), QPoint(44, 4), QPoint(5, 33), QPoint(44, 33)})
        EXPECT_EQ(image.pixel(coin), Blanc) << coin.x() << ',' << coin.y();
}

TEST(Dessin, ClassicFontNamesUseMetricCompatibleFonts)
{
    const struct {
        const char *nom;
        const char *famille;
    } cas[] = {
        {"MS Sans Serif", "Liberation Sans"},   {"Arial", "Liberation Sans"},
        {"TIMES NEW ROMAN", "Liberation Serif"}, {"Times New Roman", "Liberation Serif"},
        {"courier new", "Liberation Mono"},
    };
    for (const auto &c : cas) {
        const TFonteDessin f = FonteDessin(QString::fromUtf8(c.nom), 14, 0);
        EXPECT_EQ(QFontInfo(f.Fonte).family(), QString::fromUtf8(c.famille)) << c.nom;
    }
    EXPECT_EQ(FamilleInstallee(QStringLiteral("DejaVu Sans")), QStringLiteral("DejaVu Sans"));
}

TEST(Dessin, PositiveHeightIsTheCellHeight)
{
    for (const int h : {1, 6, 8, 12, 13, 16, 24, 40, 100}) {
        for (const std::uint8_t style : {std::uint8_t(0), std::uint8_t(fsGras | fsItalique)}) {
            const TFonteDessin f = FonteDessin(QStringLiteral("Times New Roman"), h, style);
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
    EXPECT_EQ(FonteDessin(QStringLiteral("Arial"), -20, 0).Fonte.pixelSize(), 20);
}

TEST(Dessin, TextIsTransparentAndClipped)
{
    QImage image(120, 40, QImage::Format_RGB32);
    const QRgb jaune = qRgb(255, 255, 0);
    image.fill(jaune);
    const QRect clip(10, 5, 30, 12);
    const TFonteDessin f = FonteDessin(QStringLiteral("Arial"), 20, fsGras);
    {
        QPainter p(&image);
        DessineTexte(p, f, clBlack, 4, 2, QStringLiteral("MMMMMMMM"), clip);
    }
    const QRect encre = Encre(image, [&](QRgb c) { return c != jaune; });
    ASSERT_FALSE(encre.isEmpty());
    EXPECT_TRUE(clip.contains(encre)) << encre.x() << ',' << encre.y() << ' ' << encre.width();
    // The text reaches beyond the clip on the right and below, so the ink
    // touches those edges; the gaps inside keep the background.
    EXPECT_EQ(encre.right(), clip.right());
    EXPECT_EQ(encre.bottom(), clip.bottom());
    EXPECT_EQ(image.pixel(clip.left(), clip.top()), jaune);
}

// ---- The box -------------------------------------------------------------

TEST_F(Boite, PositionIsZoomedInSixtyFourBits)
{
    looks[1].Zoom = 150;
    TBoite b(ctx);
    b.InitBoite(-7, 20'000'000, homme, 1, SexeHomme);
    EXPECT_EQ(b.Bounds(), QRect(-10, 30'000'000, 150, 90)); // truncated toward zero
    b.Deplace(7, -20'000'000);
    EXPECT_EQ(b.Bounds().topLeft(), QPoint(0, 0));
}

TEST_F(Boite, FrameColourFollowsSelectionThenFolding)
{
    const struct {
        const char *nom;
        bool courante; // the person is the context's current person
        bool selec;    // the box's isSelec
        bool pliee;
        TColor attendue;
    } cas[] = {
        {"other", false, false, false, clBlack},
        {"current person", true, false, false, clRed},
        {"isSelec", false, true, false, clRed},
        {"folded", false, false, true, clBlue},
        {"current and folded", true, false, true, clRed},
        {"isSelec and folded", false, true, true, clRed},
    };
    for (const auto &c : cas) {
        bd.SetTreeFold(homme, c.pliee ? 1 : 0);
        TBoite b(ctx);
        b.InitBoite(0, 0, homme, 1, SexeHomme);
        ctx.SelecPers = c.courante ? homme : femme;
        b.SetSelec(c.selec);
        const QImage page = Rend(b);
        for (const QPoint pt : {QPoint(X, Y + 30), QPoint(X + 99, Y + 30), QPoint(X + 50, Y),
                                QPoint(X + 50, Y + 59)})
            EXPECT_EQ(page.pixel(pt), Rgb(c.attendue)) << c.nom;
    }
}

TEST_F(Boite, FilledBoxWithShadowShowsAStripRightAndBelow)
{
    Look().Homme.Fond = 1;
    for (const bool ombre : {false, true}) {
        Look().Homme.Ombre = ombre;
        TBoite b(ctx);
        b.InitBoite(0, 0, homme, 1, SexeHomme);
        const QImage page = Rend(b, 40, 30);
        const int s = ombre ? 1 : 0;
        const QRgb noir = Rgb(clBlack), jaune = Rgb(0x80FFFF);
        const int midY = Y + 15, midX = X + 20;
        EXPECT_EQ(page.pixel(X, midY), noir) << ombre;
        EXPECT_EQ(page.pixel(X + 1, midY), jaune) << ombre;
        EXPECT_EQ(page.pixel(X + 38 - s, midY), jaune) << ombre;
        EXPECT_EQ(page.pixel(X + 39 - s, midY), noir) << ombre;
        EXPECT_EQ(page.pixel(X + 39, midY), noir) << ombre;
        EXPECT_EQ(page.pixel(midX, Y + 28 - s), jaune) << ombre;
        EXPECT_EQ(page.pixel(midX, Y + 29), noir) << ombre;
        EXPECT_EQ(EncreNonBlanche(page), QRect(X, Y, 40, 30)) << ombre;
        // The strip starts one pixel below the top, one right of the left.
        EXPECT_EQ(page.pixel(X + 39, Y), ombre ? Blanc : noir);
        EXPECT_EQ(page.pixel(X, Y + 29), ombre ? Blanc : noir);
    }
}

TEST_F(Boite, EmptyLineKeepsTheRoomOfALine)
{
    AjouteLigne(QString(), 16);
    AjouteLigne(QString(), 16);
    AjouteLigne(QString(), 10);
    TBoite b(ctx);
    b.InitBoite(0, 0, homme, 1, SexeHomme);
    b.Lignes[1] = QStringLiteral("Martin");
    AfficheMarges = true;
    const QImage page = Rend(b);
    // Rows of the blue line outlines at a column clear of any text.
    std::vector<int> rangs;
    for (int y = 0; y < page.height(); ++y)
        if (page.pixel(X + 97, y) == Rgb(clBlue))
            rangs.push_back(y - Y);
    // Line 0 covers rows [0, a), line 1 [a, 2a), line 2 [2a, 2a + c); the
    // top row of line 0 is under the margin outline.
    ASSERT_EQ(rangs.size(), 5u);
    const int a = rangs[0] + 1;
    EXPECT_EQ(rangs[1], a);
    EXPECT_EQ(rangs[2], 2 * a - 1) << "the text line and the empty line differ";
    EXPECT_EQ(rangs[3], 2 * a);
    const int c = rangs[4] - rangs[3] + 1;
    EXPECT_EQ(a, FonteDessin(QStringLiteral("MS Sans Serif"), 16, 0).Hauteur());
    EXPECT_EQ(c, FonteDessin(QStringLiteral("MS Sans Serif"), 10, 0).Hauteur());
    EXPECT_NEAR(a, 16, 1);
}

TEST_F(Boite, CentredLineMovesLeftWithAShadow)
{
    Look().Homme.Cadre = false;
    AjouteLigne(QString(), 14, AlignCentre);
    QImage rendus[2];
    for (const bool ombre : {false, true}) {
        Look().Homme.Ombre = ombre;
        TBoite b(ctx);
        b.InitBoite(0, 0, homme, 1, SexeHomme);
        b.Lignes[0] = QStringLiteral("Jean MARTIN");
        rendus[ombre] = Rend(b);
    }
    const QRect sans = EncreNonBlanche(rendus[0]);
    ASSERT_FALSE(sans.isEmpty());
    EXPECT_EQ(EncreNonBlanche(rendus[1]), sans.translated(-1, 0));
    EXPECT_EQ(rendus[1].copy(sans.translated(-1, 0)), rendus[0].copy(sans));
}

TEST_F(Boite, LongTextShrinksInsideItsLine)
{
    Look().Homme.Cadre = false;
    AjouteLigne(QString(), 16);
    AjouteLigne(QString(), 16);
    // Capitals only: cut but not shrunk, the ink would be as tall as in the
    // wide box.
    const QString nom = QStringLiteral("MARTIN DUPONT LEFEBVRE");
    const int h = FonteDessin(QStringLiteral("MS Sans Serif"), 16, 0).Hauteur();

    TBoite large(ctx);
    large.InitBoite(0, 0, homme, 1, SexeHomme);
    large.Lignes[0] = nom;
    const QRect reference = EncreNonBlanche(Rend(large, 600, 60));

    for (const int W : {60, 3}) {
        TBoite b(ctx);
        b.InitBoite(0, 0, homme, 1, SexeHomme);
        b.Lignes[0] = nom;
        b.Lignes[1] = QStringLiteral("I");
        const QImage page = Rend(b, W, 60);
        const QRect ligne0 = EncreNonBlanche(page.copy(0, 0, page.width(), Y + h));
        EXPECT_TRUE(ligne0.isEmpty() || QRect(X, Y, W, h).contains(ligne0)) << W;
        if (W == 60) {
            ASSERT_FALSE(ligne0.isEmpty());
            EXPECT_LT(ligne0.height(), reference.height());
            EXPECT_LT(ligne0.width(), reference.width());
        }
        // A box drawn again after a change draws as a new box would.
        TBoite reprise(ctx);
        reprise.InitBoite(0, 0, homme, 1, SexeHomme);
        reprise.Lignes[0] = QStringLiteral("DURAND");
        reprise.Lignes[1] = b.Lignes[1];
        Rend(reprise, W, 60);
        reprise.Lignes[0] = nom;
        EXPECT_EQ(Rend(reprise, W, 60), page) << W;
        reprise.Lignes[1].clear();
        EXPECT_EQ(Rend(reprise, 600, 60), Rend(large, 600, 60)) << W;
        if (W == 60) {
            // The next line starts below the unshrunk height.
            const QRect ligne1 = EncreNonBlanche(page.copy(0, Y + h, page.width(), h));
            EXPECT_FALSE(ligne1.isEmpty());
        }
    }
}

TEST_F(Boite, MarginOutlines)
{
    Look().MargeHaut = 10;
    Look().MargeBas = 10;
    Look().MargeGauche = 10;
    Look().MargeDroite = 20;
    AjouteLigne(QString(), 16);
    const int h = FonteDessin(QStringLiteral("MS Sans Serif"), 16, 0).Hauteur();
    for (const bool marges : {true, false}) {
        AfficheMarges = marges;
        TBoite b(ctx);
        b.InitBoite(0, 0, homme, 1, SexeHomme);
        const QImage page = Rend(b);
        const auto montre = [&](int x, int y, TColor c) {
            if (marges)
                EXPECT_EQ(page.pixel(X + x, Y + y), Rgb(c)) << x << ',' << y;
            else
                EXPECT_NE(page.pixel(X + x, Y + y), Rgb(c)) << x << ',' << y;
        };
        // The box (100 x 60): red over the frame.
        montre(0, 30, clRed);
        montre(99, 30, clRed);
        montre(50, 59, clRed);
        // The margins: left 10, right 20, top and bottom 6.
        montre(10, 40, clLime);
        montre(79, 40, clLime);
        montre(40, 6, clLime);
        montre(40, 53, clLime);
        // The line's bottom edge.
        montre(40, 6 + h - 1, clBlue);
    }
}

TEST_F(Boite, ThreePrintMethodsPutTheBoxAtTheSamePlace)
{
    Look().Homme.Fond = 1;
    Look().Homme.Ombre = true;
    Look().Homme.Arrondis = true;
    AjouteLigne(QString(), 14, AlignCentre);
    TBoite b(ctx);
    b.InitBoite(40, 30, homme, 1, SexeHomme);
    b.Lignes[0] = QStringLiteral("Jean MARTIN");
    QImage pages[3];
    for (int methode = 0; methode < 3; ++methode) {
        pages[methode] = PageBlanche(300, 200);
        QPainter p(&pages[methode]);
        b.Imprime(p, TParamImpression{QPoint(10, 5), 150, methode});
    }
    // 40 x 150% - 10, 30 x 150% - 5; 100 x 60 at 150%.
    EXPECT_EQ(EncreNonBlanche(pages[0]), QRect(50, 40, 150, 90));
    EXPECT_EQ(pages[1], pages[0]);
    EXPECT_EQ(pages[2], pages[0]);
}

TEST_F(Boite, SafeModePrintKeepsWhatIsUnderTheBox)
{
    // The copy by AND leaves the page's own colour where the box is white.
    TBoite b(ctx);
    b.InitBoite(0, 0, homme, 1, SexeHomme);
    QImage page(120, 80, QImage::Format_RGB32);
    page.fill(qRgb(0, 200, 0));
    {
        QPainter p(&page);
        b.Imprime(p, TParamImpression{QPoint(0, 0), 100, 2});
    }
    EXPECT_EQ(page.pixel(50, 30), qRgb(0, 200, 0));
    EXPECT_EQ(page.pixel(0, 30), qRgb(0, 0, 0));
}

TEST_F(Boite, PictureLineAtTheLineHeight)
{
    Look().Homme.Cadre = false;
    const QString chemin = Png(QStringLiteral("image.png"), 20, 10, Qt::red);
    const int ph = FonteDessin(QStringLiteral("MS Sans Serif"), 16, 0).Hauteur();
    const int pw = 2 * ph;
    const struct {
        std::uint8_t alignement;
        int x; // relative to the box
    } cas[] = {{AlignGauche, 2}, {AlignDroite, 100 - pw}, {AlignCentre, (100 - pw) / 2}};
    for (const auto &c : cas) {
        Look().LigneNbre = 0;
        AjouteLigne(QString(), 16, c.alignement);
        TBoite b(ctx);
        b.InitBoite(0, 0, homme, 1, SexeHomme);
        b.Lignes[0] = u'@' + chemin;
        const QImage page = Rend(b);
        EXPECT_EQ(EncreNonBlanche(page), QRect(X + c.x, Y + 1, pw, ph)) << int(c.alignement);
        EXPECT_EQ(page.pixel(X + c.x + pw / 2, Y + 1 + ph / 2), qRgb(255, 0, 0));
    }
    // A file that cannot be found or read leaves the line empty.
    const QString illisible = dossier.path() + QStringLiteral("/illisible.png");
    {
        QFile f(illisible);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("not a picture");
    }
    for (const QString &ligne : {QStringLiteral("@absente.png"), u'@' + illisible, QStringLiteral("@")}) {
        TBoite b(ctx);
        b.InitBoite(0, 0, homme, 1, SexeHomme);
        b.Lignes[0] = ligne;
        EXPECT_TRUE(EncreNonBlanche(Rend(b)).isEmpty()) << ligne.toStdString();
    }
}

TEST_F(Boite, BackgroundPictureOrEmptyWhenMissing)
{
    Png(QStringLiteral("fond.png"), 8, 8, Qt::green);
    Png(QStringLiteral("MARTIN.png"), 8, 8, Qt::green);
    QTemporaryDir ailleurs;
    QImage vert(4, 4, QImage::Format_RGB32);
    vert.fill(Qt::green);
    const QString horsDossier = ailleurs.path() + QStringLiteral("/photo.png");
    ASSERT_TRUE(vert.save(horsDossier));

    const struct {
        int fond;
        QString texture;
        int personne;
        bool image;
    } cas[] = {
        {2, QStringLiteral("fond.png"), homme, true},
        {2, QStringLiteral("absent.png"), homme, false},
        {2, QString(), homme, false},
        {3, QStringLiteral("<nom>.png"), homme, true},
        {3, QStringLiteral("@<nom>.png"), homme, true},
        {3, QStringLiteral("<nom>.png"), femme, false}, // DURAND.png is missing
        {3, u'@' + horsDossier, homme, true},
    };
    for (const auto &c : cas) {
        Look().Homme.Fond = c.fond;
        Look().Homme.Texture = c.texture;
        Look().Homme.Ombre = true;
        TBoite b(ctx);
        b.InitBoite(0, 0, c.personne, 1, SexeHomme);
        const QImage page = Rend(b);
        const QString quoi = QString::number(c.fond) + u' ' + c.texture;
        EXPECT_EQ(page.pixel(X + 50, Y + 30), c.image ? qRgb(0, 255, 0) : Blanc) << quoi.toStdString();
        EXPECT_EQ(page.pixel(X, Y + 30), qRgb(0, 0, 0)) << quoi.toStdString();
        EXPECT_EQ(page.pixel(X + 99, Y + 30), qRgb(0, 0, 0)) << quoi.toStdString();
        if (c.image) { // the picture stops before the shadow strip
            EXPECT_EQ(page.pixel(X + 97, Y + 30), qRgb(0, 255, 0)) << quoi.toStdString();
        }
    }
}

TEST_F(Boite, EmptyingTheCacheRereadsThePictures)
{
    Png(QStringLiteral("fond.png"), 8, 8, Qt::green);
    Look().Homme.Fond = 2;
    Look().Homme.Texture = QStringLiteral("fond.png");
    TBoite b(ctx);
    b.InitBoite(0, 0, homme, 1, SexeHomme);
    EXPECT_EQ(Rend(b).pixel(X + 50, Y + 30), qRgb(0, 255, 0));
    Png(QStringLiteral("fond.png"), 8, 8, Qt::blue);
    TBoite::VideCacheImages();
    EXPECT_EQ(Rend(b).pixel(X + 50, Y + 30), qRgb(0, 0, 255));
}

TEST_F(Boite, BitmapOfTheBoxAtItsZoom)
{
    looks[1].Zoom = 50;
    Look().Homme.Fond = 1;
    TBoite b(ctx);
    b.InitBoite(0, 0, homme, 1, SexeHomme);
    const QImage image = b.BoiteVersBitmap();
    ASSERT_EQ(image.size(), QSize(50, 30));
    EXPECT_EQ(image.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(25, 15), Rgb(0x80FFFF));
    EXPECT_EQ(image.pixel(49, 29), qRgb(0, 0, 0));
}

TEST(RemplitTexture, TilesFromTheCornerCuttingTheLastRowAndColumn)
{
    QImage motif(3, 2, QImage::Format_RGB32);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            motif.setPixel(x, y, qRgb(10 * x, 100 + 10 * y, 50));
    const QRect r(2, 1, 7, 5);
    QImage page = PageBlanche(12, 9);
    {
        QPainter p(&page);
        TBoite::RemplitTexture(r, p, motif);
        TBoite::RemplitTexture(QRect(0, 0, 12, 9), p, QImage()); // nothing
    }
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            const QRgb attendu = r.contains(x, y) ? motif.pixel((x - r.x()) % 3, (y - r.y()) % 2) : Blanc;
            EXPECT_EQ(page.pixel(x, y), attendu) << x << ',' << y;
        }
}

} // namespace
