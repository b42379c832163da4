// The metafile reader and player of the core: records of every kind read,
// broken records stopping the reading cleanly, the pictures they draw
// measured on pixels, random damage never crashing them, and a drawing
// compared with an independent converter's.

#include "AideEmf.h"
#include "ImageDib.h"
#include "Images.h"
#include "LecteurEmf.h"
#include "LecteurWmf.h"
#include "Metafichier.h"

#include <gtest/gtest.h>

#include <limits>
#include <map>
#include <random>
#include <string>

#include <QFileInfo>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;
using namespace aideemf;

namespace {

constexpr std::uint32_t Rouge = Ref(255, 0, 0);
constexpr std::uint32_t Bleu = Ref(0, 0, 255);
constexpr std::uint32_t Vert = Ref(0, 160, 0);
constexpr std::uint32_t StockNoir = 0x80000004;
constexpr std::uint32_t StockSansCrayon = 0x80000008;

// A metafile with one record of every kind the reader knows.
Emf ToutesSortes()
{
    Emf m;
    const QList<QPoint> trois{{10, 10}, {50, 10}, {30, 40}};
    const QList<QPoint> quatre{{10, 10}, {20, 0}, {30, 20}, {40, 10}};
    for (const std::uint32_t t : {emr::Polygon, emr::Polyline, emr::PolylineTo, emr::Polygon16, emr::Polyline16,
                                  emr::PolylineTo16})
        m.Poly(t, trois);
    for (const std::uint32_t t : {emr::PolyBezier, emr::PolyBezier16})
        m.Poly(t, quatre);
    for (const std::uint32_t t : {emr::PolyBezierTo, emr::PolyBezierTo16})
        m.Poly(t, quatre.mid(1));
    for (const std::uint32_t t : {emr::PolyPolygon, emr::PolyPolyline, emr::PolyPolygon16, emr::PolyPolyline16})
        m.PolyPoly(t, {trois, quatre});
    m.Mots(emr::SetMapMode, {8})
        .Mots(emr::SetWindowExtEx, {200, 150})
        .Mots(emr::SetWindowOrgEx, {0, 0})
        .Mots(emr::SetViewportExtEx, {200, 150})
        .Mots(emr::SetViewportOrgEx, {0, 0})
        .Mots(emr::ScaleWindowExtEx, {1, 1, 1, 1})
        .Mots(emr::ScaleViewportExtEx, {1, 1, 1, 1})
        .Mots(emr::SetBkMode, {1})
        .Mots(emr::SetPolyFillMode, {2})
        .Mots(emr::SetTextAlign, {24})
        .Mots(emr::SetTextColor, {Bleu})
        .Mots(emr::SetBkColor, {Rouge})
        .Mots(emr::SetArcDirection, {2})
        .Simple(emr::SaveDC)
        .Transformation(1, 0, 0, 1, 5, 5)
        .Mots(emr::RestoreDC, {std::uint32_t(-1)})
        .Crayon(1, 0, 3, Bleu)
        .Brosse(2, 2, Vert, 4)
        .Fonte(3, -20, u"Liberation Sans"_s)
        .Choisit(1)
        .Choisit(2)
        .Choisit(3)
        .Point(emr::MoveToEx, {5, 5})
        .Point(emr::LineTo, {30, 30})
        .Rect(emr::Rectangle, QRect(QPoint(10, 10), QPoint(40, 40)))
        .Rect(emr::Ellipse, QRect(QPoint(10, 10), QPoint(40, 40)))
        .Mots(emr::RoundRect, {10, 10, 40, 40, 8, 8})
        .Mots(emr::Arc, {10, 10, 40, 40, 40, 25, 25, 10})
        .Mots(emr::Chord, {10, 10, 40, 40, 40, 25, 25, 10})
        .Mots(emr::Pie, {10, 10, 40, 40, 40, 25, 25, 10})
        .Mots(emr::ArcTo, {10, 10, 40, 40, 40, 25, 25, 10})
        .Simple(emr::BeginPath)
        .Point(emr::MoveToEx, {60, 60})
        .Point(emr::LineTo, {90, 60})
        .Simple(emr::CloseFigure)
        .Simple(emr::EndPath)
        .Rect(emr::FillPath, QRect(0, 0, 1, 1))
        .Rect(emr::StrokeAndFillPath, QRect(0, 0, 1, 1))
        .Rect(emr::StrokePath, QRect(0, 0, 1, 1))
        .Simple(emr::AbortPath)
        .Mots(emr::SelectClipPath, {5})
        .Rect(emr::IntersectClipRect, QRect(QPoint(0, 0), QPoint(200, 150)))
        .Rect(emr::ExcludeClipRect, QRect(QPoint(190, 140), QPoint(200, 150)))
        .Mots(emr::ExtSelectClipRgn, {48, 5, 32, 1, 1, 16, 0, 0, 200, 150, 0, 0, 200, 150})
        .Mots(emr::ExtSelectClipRgn, {0, 5})
        .Enr(emr::BitBlt, QByteArray(92, '\0'))
        .Enr(emr::StretchBlt, QByteArray(100, '\0'))
        .Enr(emr::CreateMonoBrush, QByteArray(24, '\0'))
        .Enr(emr::CreateDIBPatternBrushPt, QByteArray(24, '\0'))
        .Enr(emr::ExtCreatePen, QByteArray(44, '\0'))
        .Mots(emr::ModifyWorldTransform, {0x3F800000, 0, 0, 0x3F800000, 0, 0, 1})
        .Mots(emr::DeleteObject, {1})
        .Texte({20, 20}, u"Texte"_s)
        .Bitmap(QRect(100, 0, 50, 50), QImage(2, 2, QImage::Format_RGB32));
    QByteArray texteA = Emf::Bornes(QRect(0, 0, 1, 1));
    for (const std::uint32_t v : {1u, 0u, 0u, 20u, 20u, 2u, 76u, 0u, 0u, 0u, 1u, 1u, 0u})
        Mot(texteA, v);
    texteA.append("ab\0\0", 4);
    m.Enr(emr::ExtTextOutA, texteA);
    return m;
}

// The types read from the bytes, the header first, and how the reading
// ended.
struct Lecture {
    std::vector<std::uint32_t> Types;
    TFinEmf Fin;
    qsizetype Position;
};

Lecture Lit(const QByteArray &octets)
{
    TLecteurEmf lecteur(octets);
    Lecture l;
    TEnregistrementEmf e;
    while (lecteur.Suivant(e))
        l.Types.push_back(e.Type());
    l.Fin = lecteur.Fin();
    l.Position = lecteur.Position();
    return l;
}

QImage Joue(const QByteArray &octets, QSize taille = QSize(200, 150))
{
    TMetafichier m;
    EXPECT_TRUE(m.ChargeOctets(octets));
    return m.Rendu(taille, Qt::white);
}

bool Est(const QImage &image, int x, int y, std::uint32_t ref)
{
    return image.pixel(x, y) == qRgb(int(ref & 0xFF), int((ref >> 8) & 0xFF), int((ref >> 16) & 0xFF));
}

QRect BoiteDe(const QImage &image, std::uint32_t ref)
{
    QRect boite;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (Est(image, x, y, ref))
                boite |= QRect(x, y, 1, 1);
    return boite;
}

// A red rectangle without outline.
Emf &RectangleRouge(Emf &m, QRect r)
{
    return m.Brosse(1, 0, Rouge).Choisit(1).Choisit(StockSansCrayon).Rect(emr::Rectangle, r);
}

QString Fixture(const QString &nom)
{
    return QString::fromUtf8(LIGNEE_FIXTURES) + u"/cad/"_s + nom;
}

} // namespace

TEST(LecteurEmf, ToutesLesSortesSontLues)
{
    const Emf m = ToutesSortes();
    const Lecture l = Lit(m.Octets());
    EXPECT_EQ(l.Fin, TFinEmf::Eof);
    ASSERT_FALSE(l.Types.empty());
    EXPECT_EQ(l.Types.front(), emr::Header);
    // Every record but the header and the EOF.
    TLecteurEmf lecteur(m.Octets());
    EXPECT_EQ(l.Types.size() + 1, lecteur.Entete().Enregistrements);
    const std::vector<std::uint32_t> attendus{emr::Polygon,    emr::Polyline,       emr::PolylineTo,  emr::Polygon16,
                                              emr::Polyline16, emr::PolylineTo16,   emr::PolyBezier,  emr::PolyBezier16,
                                              emr::PolyBezierTo, emr::PolyBezierTo16, emr::PolyPolygon, emr::PolyPolyline};
    for (size_t i = 0; i < attendus.size(); ++i)
        EXPECT_EQ(l.Types[i + 1], attendus[i]) << i;
    EXPECT_EQ(l.Types.back(), emr::ExtTextOutA);
    // The header's values.
    EXPECT_TRUE(lecteur.EnteteValide());
    EXPECT_EQ(lecteur.Entete().Cadre, QRect(QPoint(0, 0), QPoint(2000, 1500)));
    EXPECT_EQ(lecteur.Entete().Peripherique, QSize(1000, 1000));
    EXPECT_EQ(lecteur.Entete().Millimetres, QSize(100, 100));
    // The player draws all of it.
    const QImage image = Joue(m.Octets());
    EXPECT_FALSE(image.isNull());
}

TEST(LecteurEmf, EnregistrementsCassesArretentLaLecture)
{
    const auto mot = [](std::initializer_list<std::uint32_t> mots) {
        QByteArray o;
        for (const std::uint32_t v : mots)
            Mot(o, v);
        return o;
    };
    QByteArray polygoneEnorme = mot({emr::Polygon, 52, 0, 0, 1, 1, 0x40000000});
    polygoneEnorme.append(mot({10, 10, 20, 20, 30, 10}));
    QByteArray polygone16UnDeTrop = mot({emr::Polygon16, 40, 0, 0, 1, 1, 4});
    polygone16UnDeTrop.append(mot({0x000A000A, 0x00140014, 0x000A001E}));
    QByteArray sommeTropGrande = mot({emr::PolyPolygon, 64, 0, 0, 1, 1, 1, 3, 4});
    sommeTropGrande.append(mot({10, 10, 20, 20, 30, 10}));
    const QByteArray figuresEnormes = mot({emr::PolyPolygon16, 36, 0, 0, 1, 1, 0x7FFFFFFF, 0, 0});
    QByteArray texteLong = mot({emr::ExtTextOutW, 80, 0, 0, 1, 1, 1, 0, 0, 0, 0, 0x10000000, 76, 0, 0, 0, 1, 1, 0});
    texteLong.append(mot({0x00620061}));
    QByteArray texteDehors = mot({emr::ExtTextOutW, 80, 0, 0, 1, 1, 1, 0, 0, 0, 0, 2, 78, 0, 0, 0, 1, 1, 0});
    texteDehors.append(mot({0x00620061}));
    QByteArray bitmapDehors = mot({emr::StretchDIBits, 80, 0, 0, 1, 1, 0, 0, 0, 0, 1, 1, 80, 40, 120, 4, 0,
                                   0xCC0020, 1, 1});
    const QByteArray crayonEntrees = mot({emr::ExtCreatePen, 52, 1, 0, 0, 0, 0, 0x10000, 5, 0, 0, 0, 1000});
    const QByteArray region = mot({emr::ExtSelectClipRgn, 48, 32, 5, 32, 1, 50, 800, 0, 0, 10, 10});
    const struct Cas {
        const char *Nom;
        QByteArray Enregistrement;
    } cas[] = {
        {"taille 4", mot({emr::Rectangle, 4})},
        {"taille 0", mot({emr::Rectangle, 0})},
        {"taille impaire", mot({emr::Rectangle, 10, 0, 0, 0, 0})},
        {"au-delà de la fin", mot({emr::Rectangle, 4000, 0, 0, 10, 10})},
        {"rectangle trop court", mot({emr::Rectangle, 16, 0, 0})},
        {"crayon trop court", mot({emr::CreatePen, 20, 1, 0, 1})},
        {"transformation trop courte", mot({emr::SetWorldTransform, 24, 0, 0, 0, 0})},
        {"polygone de 2^30 points", polygoneEnorme},
        {"polygone 16 bits d'un point de trop", polygone16UnDeTrop},
        {"figures plus longues que les points", sommeTropGrande},
        {"nombre de figures énorme", figuresEnormes},
        {"texte de 2^28 caractères", texteLong},
        {"texte hors de l'enregistrement", texteDehors},
        {"bitmap hors de l'enregistrement", bitmapDehors},
        {"crayon de 1000 tirets", crayonEntrees},
        {"région de 800 rectangles", region},
    };
    for (const Cas &c : cas) {
        Emf m;
        RectangleRouge(m, QRect(QPoint(10, 10), QPoint(50, 50)));
        const qsizetype position = m.Octets().size() - 20;
        m.Brut(c.Enregistrement);
        m.Brosse(2, 0, Bleu).Choisit(2).Rect(emr::Rectangle, QRect(QPoint(100, 10), QPoint(150, 50)));
        const Lecture l = Lit(m.Octets());
        EXPECT_EQ(l.Fin, TFinEmf::Malforme) << c.Nom;
        EXPECT_EQ(l.Position, position) << c.Nom;
        EXPECT_EQ(l.Types.size(), 5u) << c.Nom;
        // Drawn up to the broken record.
        const QImage image = Joue(m.Octets());
        EXPECT_TRUE(Est(image, 30, 30, Rouge)) << c.Nom;
        EXPECT_TRUE(Est(image, 120, 30, aideemf::Ref(255, 255, 255))) << c.Nom;
    }
}

namespace {

// The address space the process has reserved, in bytes (Linux).
qint64 EspaceReserve()
{
    QFile f(u"/proc/self/status"_s);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &ligne : f.readAll().split('\n')) {
        if (ligne.startsWith("VmSize:"))
            return ligne.mid(7).trimmed().split(' ').value(0).toLongLong() * 1024;
    }
    return -1;
}

} // namespace

// A loaded metafile holds the memory its bytes need, not the most a
// metafile may have: a hundred pictures of a design reserve a few hundred
// kilobytes, and every metafile byte is read.
TEST(LecteurEmf, ChargementALaTailleDuFichier)
{
    const QString fleur = Fixture(u"fleur.emf"_s);
    const qint64 taille = QFileInfo(fleur).size();
    ASSERT_GT(taille, 1000);
    QByteArray octets;
    ASSERT_TRUE(TMetafichier::LitFichier(fleur, &octets));
    EXPECT_EQ(octets.size(), taille);
    EXPECT_LE(octets.capacity(), taille + 64);
    EXPECT_FALSE(TMetafichier::LitFichier(Fixture(u"absent.emf"_s), &octets));
    EXPECT_TRUE(octets.isEmpty());

    const qint64 avant = EspaceReserve();
    ASSERT_GT(avant, 0);
    std::vector<TMetafichier> images(100);
    for (TMetafichier &m : images)
        ASSERT_TRUE(m.Charge(fleur));
    EXPECT_LT(EspaceReserve() - avant, qint64(64) * 1024 * 1024);
    EXPECT_EQ(images.back().Octets().size(), taille);
    EXPECT_FALSE(images.back().Rendu(QSize(60, 60), Qt::white).isNull());
}

TEST(LecteurEmf, FinsEtEntetes)
{
    // EOF ends the reading; records after it are not read.
    Emf m;
    RectangleRouge(m, QRect(QPoint(10, 10), QPoint(50, 50)));
    QByteArray eof;
    for (const std::uint32_t v : {std::uint32_t(emr::Eof), 20u, 0u, 16u, 20u})
        Mot(eof, v);
    m.Brut(eof).Rect(emr::Rectangle, QRect(QPoint(100, 10), QPoint(150, 50)));
    Lecture l = Lit(m.SansEof().Octets());
    EXPECT_EQ(l.Fin, TFinEmf::Eof);
    EXPECT_EQ(l.Types.size(), 5u);

    // Without EOF the end of the data ends it.
    Emf sans;
    RectangleRouge(sans, QRect(QPoint(10, 10), QPoint(50, 50)));
    l = Lit(sans.SansEof().Octets());
    EXPECT_EQ(l.Fin, TFinEmf::FinDonnees);
    EXPECT_EQ(l.Types.size(), 5u);

    // Headers that cannot be read: nothing is.
    QByteArray signature = Emf().Octets();
    signature[40] = 'X';
    QByteArray courte = Emf().Octets();
    courte[4] = 80;
    QByteArray type = Emf().Octets();
    type[0] = 2;
    for (const QByteArray &o : {signature, courte, type, Emf().Octets().first(60), QByteArray()}) {
        const TLecteurEmf lecteur(o);
        EXPECT_FALSE(lecteur.EnteteValide());
        EXPECT_TRUE(Lit(o).Types.empty());
        TMetafichier f;
        EXPECT_FALSE(f.ChargeOctets(o));
        EXPECT_TRUE(f.Rendu(QSize(10, 10)).isNull());
    }
}

TEST(JoueurEmf, ProjectionsEtEtats)
{
    // MM_TEXT: logical units are the device's pixels; the 20 x 15 mm frame
    // is 200 x 150 of them, drawn here at twice the size.
    Emf texte;
    RectangleRouge(texte, QRect(QPoint(20, 20), QPoint(80, 60)));
    QImage image = Joue(texte.Octets(), QSize(400, 300));
    EXPECT_EQ(BoiteDe(image, Rouge), QRect(QPoint(40, 40), QPoint(159, 119)));

    // Anisotropic: a window of 1000 x 1000 over a viewport of 200 x 150.
    Emf aniso;
    aniso.Mots(emr::SetMapMode, {8}).Mots(emr::SetWindowExtEx, {1000, 1000}).Mots(emr::SetViewportExtEx, {200, 150});
    RectangleRouge(aniso, QRect(QPoint(0, 0), QPoint(500, 500)));
    image = Joue(aniso.Octets());
    EXPECT_EQ(BoiteDe(image, Rouge), QRect(QPoint(0, 0), QPoint(99, 74)));

    // Isotropic: the smaller scale on both axes.
    Emf iso;
    iso.Mots(emr::SetMapMode, {7}).Mots(emr::SetWindowExtEx, {1000, 1000}).Mots(emr::SetViewportExtEx, {200, 150});
    RectangleRouge(iso, QRect(QPoint(0, 0), QPoint(500, 500)));
    image = Joue(iso.Octets());
    EXPECT_EQ(BoiteDe(image, Rouge), QRect(QPoint(0, 0), QPoint(74, 74)));

    // Tenths of a millimetre, y upwards: 10 pixels per millimetre makes a
    // unit one pixel.
    Emf lometric;
    lometric.Mots(emr::SetMapMode, {2});
    RectangleRouge(lometric, QRect(QPoint(20, -20), QPoint(80, -60)));
    image = Joue(lometric.Octets());
    EXPECT_EQ(BoiteDe(image, Rouge), QRect(QPoint(20, 20), QPoint(79, 59)));

    // Origins: window and viewport.
    Emf origines;
    origines.Mots(emr::SetWindowOrgEx, {100, 0}).Mots(emr::SetViewportOrgEx, {0, 50});
    RectangleRouge(origines, QRect(QPoint(120, 0), QPoint(140, 20)));
    image = Joue(origines.Octets());
    EXPECT_EQ(BoiteDe(image, Rouge), QRect(QPoint(20, 50), QPoint(39, 69)));

    // A state saved, changed and restored.
    Emf etats;
    etats.Simple(emr::SaveDC).Mots(emr::SetWindowOrgEx, {std::uint32_t(-100), 0}).Simple(emr::SaveDC);
    etats.Mots(emr::SetWindowOrgEx, {std::uint32_t(-50), 0}).Mots(emr::RestoreDC, {1});
    RectangleRouge(etats, QRect(QPoint(0, 0), QPoint(20, 20)));
    image = Joue(etats.Octets());
    EXPECT_EQ(BoiteDe(image, Rouge), QRect(QPoint(0, 0), QPoint(19, 19)));
    // One state back after one save.
    Emf unSeul;
    unSeul.Simple(emr::SaveDC).Mots(emr::SetWindowOrgEx, {std::uint32_t(-100), 0});
    unSeul.Mots(emr::RestoreDC, {std::uint32_t(-1)});
    RectangleRouge(unSeul, QRect(QPoint(0, 0), QPoint(20, 20)));
    image = Joue(unSeul.Octets());
    EXPECT_EQ(BoiteDe(image, Rouge), QRect(QPoint(0, 0), QPoint(19, 19)));
    // Restoring beyond the saved states changes nothing.
    Emf trop;
    trop.Simple(emr::SaveDC).Mots(emr::SetWindowOrgEx, {std::uint32_t(-100), 0}).Mots(emr::RestoreDC, {std::uint32_t(-2)});
    RectangleRouge(trop, QRect(QPoint(0, 0), QPoint(20, 20)));
    image = Joue(trop.Octets());
    EXPECT_EQ(BoiteDe(image, Rouge), QRect(QPoint(100, 0), QPoint(119, 19)));

    // World transform: scaled by 2, moved by 10; a transform that is not
    // finite is left out.
    Emf monde;
    monde.Transformation(2, 0, 0, 2, 10, 0).Transformation(std::numeric_limits<float>::infinity(), 0, 0, 1, 0, 0);
    RectangleRouge(monde, QRect(QPoint(0, 0), QPoint(20, 20)));
    image = Joue(monde.Octets());
    EXPECT_EQ(BoiteDe(image, Rouge), QRect(QPoint(10, 0), QPoint(49, 39)));
}

TEST(JoueurEmf, FiguresCrayonsBrosses)
{
    // 16- and 32-bit polygons, a poly-polygon with a hole (alternate fill),
    // a filled path and a thick blue polyline.
    Emf m;
    m.Brosse(1, 0, Rouge).Choisit(1).Choisit(StockSansCrayon);
    m.Poly(emr::Polygon16, {{0, 0}, {40, 0}, {40, 40}, {0, 40}});
    m.Poly(emr::Polygon, {{50, 0}, {90, 0}, {90, 40}, {50, 40}});
    m.PolyPoly(emr::PolyPolygon16, {{{100, 0}, {160, 0}, {160, 60}, {100, 60}}, {{120, 20}, {140, 20}, {140, 40}, {120, 40}}});
    m.Brosse(2, 0, Vert).Choisit(2);
    m.Simple(emr::BeginPath).Point(emr::MoveToEx, {0, 100}).Poly(emr::PolylineTo16, {{60, 100}, {30, 140}});
    m.Simple(emr::CloseFigure).Simple(emr::EndPath).Rect(emr::FillPath, QRect(0, 0, 1, 1));
    m.Crayon(3, 0, 10, Bleu).Choisit(3).Poly(emr::Polyline, {{80, 120}, {190, 120}});
    const QImage image = Joue(m.Octets());
    EXPECT_TRUE(Est(image, 20, 20, Rouge));
    EXPECT_TRUE(Est(image, 70, 20, Rouge));
    EXPECT_TRUE(Est(image, 110, 10, Rouge));
    EXPECT_TRUE(Est(image, 130, 30, aideemf::Ref(255, 255, 255)));
    EXPECT_TRUE(Est(image, 30, 110, Vert));
    EXPECT_TRUE(Est(image, 5, 135, aideemf::Ref(255, 255, 255)));
    const QRect trait = BoiteDe(image, Bleu);
    EXPECT_NEAR(trait.height(), 10, 1);
    EXPECT_NEAR(trait.center().y(), 120, 1);

    // A dashed pen wider than a pixel draws solid, as such pens are drawn.
    Emf tirets;
    tirets.Crayon(1, 1, 6, Bleu).Choisit(1).Poly(emr::Polyline, {{10, 50}, {190, 50}});
    const QImage pleine = Joue(tirets.Octets());
    int trous = 0;
    for (int x = 20; x <= 180; ++x)
        trous += !Est(pleine, x, 50, Bleu);
    EXPECT_EQ(trous, 0);

    // A stock black brush, a hatched brush over an opaque background.
    Emf h;
    h.Choisit(StockNoir).Choisit(StockSansCrayon).Rect(emr::Rectangle, QRect(QPoint(0, 0), QPoint(50, 50)));
    h.Mots(emr::SetBkColor, {Rouge}).Brosse(1, 2, Bleu, 4).Choisit(1);
    h.Rect(emr::Rectangle, QRect(QPoint(100, 0), QPoint(150, 50)));
    const QImage hachee = Joue(h.Octets());
    EXPECT_TRUE(Est(hachee, 25, 25, aideemf::Ref(0, 0, 0)));
    int rouges = 0;
    int bleus = 0;
    for (int y = 5; y < 45; ++y)
        for (int x = 105; x < 145; ++x) {
            rouges += Est(hachee, x, y, Rouge);
            bleus += Est(hachee, x, y, Bleu);
        }
    EXPECT_GT(rouges, 800);
    EXPECT_GT(bleus, 100);
}

TEST(JoueurEmf, TexteEtBitmap)
{
    // Dark text of 30 pixels from its top-left corner, a picture of four
    // coloured pixels stretched over 100 x 100.
    QImage quatre(2, 2, QImage::Format_RGB32);
    quatre.setPixel(0, 0, qRgb(255, 0, 0));
    quatre.setPixel(1, 0, qRgb(0, 160, 0));
    quatre.setPixel(0, 1, qRgb(0, 0, 255));
    quatre.setPixel(1, 1, qRgb(255, 255, 0));
    Emf m;
    m.Mots(emr::SetBkMode, {1}).Fonte(1, -30, u"Liberation Sans"_s).Choisit(1);
    m.Texte({10, 10}, u"HHH"_s);
    m.Bitmap(QRect(100, 0, 100, 100), quatre);
    const QImage image = Joue(m.Octets());
    QRect encre;
    for (int y = 0; y < 150; ++y)
        for (int x = 0; x < 100; ++x)
            if (qGray(image.pixel(x, y)) < 100)
                encre |= QRect(x, y, 1, 1);
    ASSERT_FALSE(encre.isNull());
    EXPECT_GE(encre.left(), 10);
    EXPECT_GE(encre.top(), 10);
    EXPECT_LE(encre.bottom(), 42);
    EXPECT_GT(encre.width(), 40);
    EXPECT_TRUE(Est(image, 125, 25, Rouge));
    EXPECT_TRUE(Est(image, 175, 25, Vert));
    EXPECT_TRUE(Est(image, 125, 75, Bleu));
    EXPECT_TRUE(Est(image, 175, 75, Ref(255, 255, 0)));

    // In a mapping whose y axis goes up the text still stands upright: its
    // ink hangs below the reference point.
    Emf haut;
    haut.Mots(emr::SetMapMode, {2}).Mots(emr::SetBkMode, {1}).Fonte(1, -30, u"Liberation Sans"_s).Choisit(1);
    haut.Texte({10, -10}, u"T"_s);
    const QImage droite = Joue(haut.Octets());
    QRect t;
    for (int y = 0; y < 150; ++y)
        for (int x = 0; x < 100; ++x)
            if (qGray(droite.pixel(x, y)) < 100)
                t |= QRect(x, y, 1, 1);
    ASSERT_FALSE(t.isNull());
    EXPECT_GE(t.top(), 10);
    // The bar of the T is at the top of its ink.
    const auto encreLigne = [&](int y) {
        int n = 0;
        for (int x = t.left(); x <= t.right(); ++x)
            n += qGray(droite.pixel(x, y)) < 100;
        return n;
    };
    EXPECT_GT(encreLigne(t.top()), 3 * encreLigne(t.bottom()));
}

// Texts that a font engine cannot make glyph bitmaps of, stretched a
// hundred thousand times along one axis and squeezed along the other (by the
// world transform or the mapping) or nearly singular, are left out or drawn
// as outlines, and what follows them is played: at the sizes a picture
// object shows.
TEST(JoueurEmf, TextesDemesures)
{
    QFile f(Fixture(u"textes_demesures.emf"_s));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    TMetafichier fixture;
    ASSERT_TRUE(fixture.ChargeOctets(f.readAll()));
    for (const QSize taille : {QSize(100, 80), QSize(200, 150), QSize(400, 300)}) {
        SCOPED_TRACE(taille.width());
        const QImage image = fixture.Rendu(taille, Qt::white);
        // The red square of 150-190 x 100-140 pixels of the 200 x 150 frame.
        const QRect carre = BoiteDe(image, Rouge);
        EXPECT_NEAR(carre.left(), 150 * taille.width() / 200, 1);
        EXPECT_NEAR(carre.right() + 1, 190 * taille.width() / 200, 1);
        EXPECT_NEAR(carre.top(), 100 * taille.height() / 150, 1);
        EXPECT_NEAR(carre.bottom() + 1, 140 * taille.height() / 150, 1);
    }

    // Texts stretched less, whose glyphs Qt would still make as bitmaps
    // hundreds of pixels long, are drawn as outlines: the ink takes the
    // stretched shape, an underline adds to it; texts of extreme heights,
    // angles or names draw what they can and stop nothing.
    const struct Cas {
        const char *Nom;
        float Transformation[4];
        int Hauteur;
        int Escapement;
        std::uint32_t Attributs;
        QString Police;
        QPoint Reference;
        int Encre; // 1: taller than wide, -1: wider than tall, 0: anything
    } cas[] = {
        // The tops of the capitals on the top edge.
        {"en hauteur", {0.05f, 0, 0, 4}, -100, 0, 0, u"Liberation Sans"_s, {200, -18}, 1},
        {"en largeur", {4, 0, 0, 0.05f}, -100, 0, 0, u"Liberation Sans"_s, {2, -18}, -1},
        {"large", {3, 0, 0, 0.5f}, -100, 0, 0, u"Liberation Sans"_s, {2, -18}, -1},
        {"large souligné", {3, 0, 0, 0.5f}, -100, 0, 0x100, u"Liberation Sans"_s, {2, -18}, -1},
        {"penché", {0.05f, 4, 0, 0.05f}, -100, 900, 0x10001, u"DejaVu Serif"_s, {10, 10}, 0},
        {"hauteur minimale", {1, 0, 0, 1}, std::numeric_limits<int>::min(), 0, 0, QString(), {10, 10}, 0},
        {"démesuré", {3e38f, 0, 0, 3e38f}, -2000000000, 0, 0, u"Liberation Sans"_s, {10, 10}, 0},
        {"angle extrême", {1, 0, 0, 1}, -40, std::numeric_limits<int>::min(), 0,
         u"\uFFFF\u0301"_s + QChar(0xD800), {10, 10}, 0},
        {"minuscule", {1e-30f, 0, 0, 1e-30f}, -1, 0, 0, u"Liberation Sans"_s, {10, 10}, 0},
    };
    std::map<std::string, int> encres;
    for (const Cas &c : cas) {
        SCOPED_TRACE(c.Nom);
        Emf m;
        m.Mots(emr::SetBkMode, {1}).Simple(emr::SaveDC);
        m.Transformation(c.Transformation[0], c.Transformation[1], c.Transformation[2], c.Transformation[3], 0, 0);
        m.Fonte(1, c.Hauteur, c.Police, c.Escapement, c.Attributs).Choisit(1).Texte(c.Reference, u"HHHHHHHH"_s);
        m.Mots(emr::RestoreDC, {std::uint32_t(-1)});
        RectangleRouge(m, QRect(QPoint(150, 100), QPoint(190, 140)));
        const QImage image = Joue(m.Octets());
        EXPECT_EQ(BoiteDe(image, Rouge), QRect(QPoint(150, 100), QPoint(189, 139)));
        QRect encre;
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < 150; ++x)
                if (qGray(image.pixel(x, y)) < 100) {
                    encre |= QRect(x, y, 1, 1);
                    ++n;
                }
        encres[c.Nom] = n;
        if (c.Encre != 0) {
            ASSERT_FALSE(encre.isEmpty());
            EXPECT_EQ(encre.height() > encre.width(), c.Encre > 0) << encre.width() << " x " << encre.height();
        }
    }
    EXPECT_GT(encres["large souligné"], encres["large"] + 300);
}

// Random damage to metafiles never crashes the reader or the player: bytes
// flipped, words set to extreme values, records cut, parts repeated.
TEST(JoueurEmf, DommagesAleatoires)
{
    std::vector<QByteArray> graines{ToutesSortes().Octets()};
    Emf chemins;
    chemins.Simple(emr::BeginPath).Point(emr::MoveToEx, {0, 0}).Poly(emr::PolyBezierTo16, {{10, 0}, {20, 10}, {20, 20}});
    chemins.Simple(emr::EndPath).Rect(emr::StrokeAndFillPath, QRect(0, 0, 1, 1));
    graines.push_back(chemins.Octets());
    for (const char16_t *nom : {u"fleur.emf", u"masque_gauche.emf"}) {
        QFile f(Fixture(QString::fromUtf16(nom)));
        if (f.open(QIODevice::ReadOnly))
            graines.push_back(f.readAll());
    }
    std::mt19937 hasard(20240607);
    const std::uint32_t extremes[] = {0, 1, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 0x10000, 8, 12};
    int joues = 0;
    for (int tour = 0; tour < 3000; ++tour) {
        QByteArray o = graines[size_t(tour) % graines.size()];
        const int changements = 1 + int(hasard() % 4);
        for (int c = 0; c < changements && o.size() > 8; ++c) {
            const qsizetype i = qsizetype(hasard() % std::uint32_t(o.size()));
            switch (hasard() % 5) {
            case 0:
                o[i] = char(hasard());
                break;
            case 1: {
                const qsizetype mot = std::min<qsizetype>(i / 4 * 4, o.size() - 4);
                const std::uint32_t v = extremes[hasard() % std::size(extremes)];
                for (int k = 0; k < 4; ++k)
                    o[mot + k] = char((v >> (8 * k)) & 0xFF);
                break;
            }
            case 2:
                o.truncate(i);
                break;
            case 3:
                o.insert(i, o.mid(i, qsizetype(hasard() % 64)));
                break;
            default:
                o.remove(i, qsizetype(hasard() % 16));
                break;
            }
        }
        TLecteurEmf lecteur(o);
        TEnregistrementEmf e;
        int n = 0;
        while (lecteur.Suivant(e))
            ++n;
        EXPECT_NE(lecteur.Fin(), TFinEmf::EnCours);
        TMetafichier m;
        if (m.ChargeOctets(o)) {
            m.Rendu(QSize(48, 36), Qt::white);
            ++joues;
        }
    }
    EXPECT_GT(joues, 500);
}

// The same small metafile drawn by the player and by an independent
// converter (emf2svg, its SVG rasterised by rsvg-convert) differs only along
// the edges of its figures.
TEST(JoueurEmf, CommeUnConvertisseurIndependant)
{
    Emf m;
    m.Choisit(StockSansCrayon);
    m.Brosse(1, 0, Rouge).Choisit(1).Rect(emr::Rectangle, QRect(QPoint(10, 10), QPoint(90, 70)));
    m.Brosse(2, 0, Bleu).Choisit(2).Rect(emr::Ellipse, QRect(QPoint(110, 10), QPoint(190, 90)));
    m.Brosse(3, 0, Vert).Choisit(3).Poly(emr::Polygon16, {{20, 140}, {60, 90}, {100, 140}});
    m.CrayonEtendu(4, 0, 6, Ref(0, 0, 0)).Choisit(4).Poly(emr::Polyline, {{110, 110}, {190, 110}, {190, 140}});
    m.Brosse(5, 0, Ref(255, 200, 0)).Choisit(5).Choisit(StockSansCrayon);
    m.Simple(emr::BeginPath).Point(emr::MoveToEx, {120, 120}).Poly(emr::PolylineTo16, {{170, 120}, {145, 135}});
    m.Simple(emr::CloseFigure).Simple(emr::EndPath).Rect(emr::FillPath, QRect(0, 0, 1, 1));

    QTemporaryDir dossier;
    ASSERT_TRUE(dossier.isValid());
    const QString emf = dossier.filePath(u"petit.emf"_s);
    const QString svg = dossier.filePath(u"petit.svg"_s);
    const QString png = dossier.filePath(u"petit.png"_s);
    ASSERT_TRUE(m.Ecrit(emf));
    QProcess conversion;
    conversion.start(u"emf2svg-conv"_s, {u"-i"_s, emf, u"-o"_s, svg});
    ASSERT_TRUE(conversion.waitForFinished(30000)) << "emf2svg-conv (paquet emf2svg) manque";
    ASSERT_EQ(conversion.exitCode(), 0) << conversion.readAllStandardError().constData();
    QProcess rasterise;
    rasterise.start(u"rsvg-convert"_s, {u"-w"_s, u"200"_s, u"-h"_s, u"150"_s, u"-b"_s, u"white"_s, u"-o"_s, png, svg});
    ASSERT_TRUE(rasterise.waitForFinished(30000)) << "rsvg-convert (paquet librsvg2-bin) manque";
    ASSERT_EQ(rasterise.exitCode(), 0) << rasterise.readAllStandardError().constData();
    QImage autre(png);
    ASSERT_EQ(autre.size(), QSize(200, 150));
    autre = autre.convertToFormat(QImage::Format_RGB32);

    // Pixels that differ clearly, away from the edges of what the player
    // drew (the converter adds thin outlines and smooths the edges).
    const QImage image = Joue(m.Octets());
    const auto surBord = [&](int x, int y) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                const int nx = std::clamp(x + dx, 0, 199);
                const int ny = std::clamp(y + dy, 0, 149);
                if (image.pixel(nx, ny) != image.pixel(x, y))
                    return true;
            }
        return false;
    };
    int differents = 0;
    int bords = 0;
    for (int y = 0; y < 150; ++y)
        for (int x = 0; x < 200; ++x) {
            const QRgb a = image.pixel(x, y);
            const QRgb b = autre.pixel(x, y);
            const int ecart = std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                        std::abs(qBlue(a) - qBlue(b))});
            if (ecart > 64)
                ++(surBord(x, y) ? bords : differents);
        }
    EXPECT_LT(differents, 30);
    EXPECT_LT(bords, 1000);
}

namespace {

// A Windows metafile: a placeable header when `boite` is given (left, top,
// right, bottom in logical units at `parPouce` units per inch), the metafile
// header, the records, and the end record.
class Wmf
{
public:
    explicit Wmf(QRect boite = QRect(), int parPouce = 1440) : m_boite(boite), m_parPouce(parPouce) {}
    Wmf &Enr(std::uint16_t fonction, std::initializer_list<int> mots)
    {
        QByteArray r;
        Mot(r, std::uint32_t(3 + mots.size()));
        Demi(r, fonction);
        for (const int m : mots)
            Demi(r, std::uint16_t(m));
        m_records.append(r);
        return *this;
    }
    Wmf &Brut(const QByteArray &o)
    {
        m_records.append(o);
        return *this;
    }
    QByteArray Octets() const
    {
        QByteArray o;
        if (!m_boite.isNull()) {
            Mot(o, CleWmfPlacable);
            Demi(o, 0);
            for (const int v : {m_boite.left(), m_boite.top(), m_boite.right(), m_boite.bottom(), m_parPouce})
                Demi(o, std::uint16_t(v));
            Mot(o, 0);
            Demi(o, 0);
        }
        QByteArray corps;
        for (const QByteArray &r : m_records)
            corps.append(r);
        Demi(o, 1);
        Demi(o, 9);
        Demi(o, 0x0300);
        Mot(o, std::uint32_t((18 + corps.size() + 6) / 2));
        Demi(o, 8);
        Mot(o, 16);
        Demi(o, 0);
        o.append(corps);
        Mot(o, 3);
        Demi(o, 0);
        return o;
    }

private:
    QRect m_boite;
    int m_parPouce;
    QList<QByteArray> m_records;
};

} // namespace

TEST(JoueurWmf, FenetreFiguresEtEnregistrementCasse)
{
    // A placeable metafile of 2 x 1.5 inches whose window of 2000 x 1500
    // units holds a red rectangle, a blue polygon and a black brush from a
    // green pen's table place freed and reused.
    Wmf w(QRect(QPoint(0, 0), QPoint(2000, 1500)), 1000);
    w.Enr(meta::SetWindowOrg, {0, 0}).Enr(meta::SetWindowExt, {1500, 2000});
    w.Enr(meta::CreateBrushIndirect, {0, 0x00FF, 0, 0}); // place 0: red
    w.Enr(meta::CreatePenIndirect, {5, 0, 0, 0, 0});     // place 1: no outline
    w.Enr(meta::SelectObject, {0}).Enr(meta::SelectObject, {1});
    w.Enr(meta::Rectangle, {750, 1000, 0, 0});            // bottom, right, top, left
    w.Enr(meta::DeleteObject, {0});
    w.Enr(meta::CreateBrushIndirect, {0, 0, 0x00FF, 0}); // place 0 again: blue
    w.Enr(meta::SelectObject, {0});
    w.Enr(meta::Polygon, {3, 1000, 0, 2000, 0, 1500, 750});
    TMetafichier m;
    ASSERT_TRUE(m.ChargeOctets(w.Octets()));
    EXPECT_EQ(m.Format(), TMetafichier::TFormat::Wmf);
    EXPECT_NEAR(m.TailleMm().width(), 50.8, 1e-9);
    EXPECT_NEAR(m.TailleMm().height(), 38.1, 1e-9);
    QImage image = m.Rendu(QSize(200, 150), Qt::white);
    EXPECT_EQ(BoiteDe(image, Rouge), QRect(QPoint(0, 0), QPoint(99, 74)));
    EXPECT_TRUE(Est(image, 150, 10, Bleu));
    EXPECT_TRUE(Est(image, 150, 100, Ref(255, 255, 255)));

    // A polygon of more points than its record holds stops the reading: the
    // rectangle before it is drawn, nothing after.
    Wmf casse(QRect(QPoint(0, 0), QPoint(2000, 1500)), 1000);
    casse.Enr(meta::SetWindowExt, {1500, 2000}).Enr(meta::CreateBrushIndirect, {0, 0x00FF, 0, 0});
    casse.Enr(meta::SelectObject, {0}).Enr(meta::Rectangle, {750, 1000, 0, 0});
    casse.Enr(meta::Polygon, {200, 1000, 0, 2000, 0});
    casse.Enr(meta::Rectangle, {1500, 2000, 750, 1000});
    image = Joue(casse.Octets());
    EXPECT_TRUE(Est(image, 50, 30, Rouge));
    EXPECT_TRUE(Est(image, 150, 100, Ref(255, 255, 255)));
    TLecteurWmf lecteur(casse.Octets());
    TEnregistrementEmf e;
    int n = 0;
    while (lecteur.Suivant(e))
        ++n;
    EXPECT_EQ(n, 4);
    EXPECT_EQ(lecteur.Fin(), TFinEmf::Malforme);

    // A record whose size runs past the end, one of size 0.
    for (const std::uint32_t taille : {0u, 2u, 9999u}) {
        QByteArray r;
        Mot(r, taille);
        Demi(r, meta::Rectangle);
        Wmf w2(QRect(QPoint(0, 0), QPoint(2000, 1500)), 1000);
        w2.Brut(r);
        TLecteurWmf l2(w2.Octets());
        EXPECT_FALSE(l2.Suivant(e)) << taille;
        EXPECT_EQ(l2.Fin(), TFinEmf::Malforme) << taille;
    }

    // Without a placeable header the first window is the frame; without a
    // window nothing can be drawn.
    Wmf simple;
    simple.Enr(meta::SetWindowOrg, {0, 0}).Enr(meta::SetWindowExt, {150, 200});
    ASSERT_TRUE(m.ChargeOctets(simple.Octets()));
    EXPECT_NEAR(m.TailleMm().width(), 200 / (96 / 25.4), 1e-9);
    Wmf sansFenetre;
    sansFenetre.Enr(meta::Rectangle, {10, 10, 0, 0});
    EXPECT_FALSE(m.ChargeOctets(sansFenetre.Octets()));
    EXPECT_TRUE(m.EstVide());
}

TEST(JoueurWmf, DommagesAleatoires)
{
    Wmf w(QRect(QPoint(0, 0), QPoint(2000, 1500)), 1000);
    w.Enr(meta::SetWindowExt, {1500, 2000}).Enr(meta::CreateBrushIndirect, {0, 0x00FF, 0, 0});
    w.Enr(meta::CreateFontIndirect, {-40, 0, 0, 0, 400, 0, 0, 0, 0x694C, 0x6562});
    w.Enr(meta::SelectObject, {0}).Enr(meta::SelectObject, {1}).Enr(meta::Rectangle, {750, 1000, 0, 0});
    w.Enr(meta::PolyPolygon, {2, 3, 3, 0, 0, 10, 0, 5, 5, 20, 20, 30, 20, 25, 25});
    w.Enr(meta::TextOut, {2, 0x6261, 100, 100});
    w.Enr(meta::ExtTextOut, {100, 100, 2, 6, 0, 0, 50, 50, 0x6261});
    w.Enr(meta::StretchDib, {0x0020, 0xCC, 0, 1, 1, 0, 0, 100, 100, 0, 0, 40, 0, 1, 0, 1, 0, 1, 24, 0, 0, 0, 0, 0,
                             0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x00FF, 0});
    const QByteArray graine = w.Octets();
    std::mt19937 hasard(7);
    int joues = 0;
    for (int tour = 0; tour < 2000; ++tour) {
        QByteArray o = graine;
        for (int c = 0; c < 3; ++c) {
            const qsizetype i = qsizetype(hasard() % std::uint32_t(o.size()));
            if (hasard() % 3 == 0)
                o.truncate(std::max<qsizetype>(i, 30));
            else
                o[i] = char(hasard());
        }
        TMetafichier m;
        if (m.ChargeOctets(o)) {
            EXPECT_FALSE(m.Rendu(QSize(40, 30), Qt::white).isNull());
            ++joues;
        }
    }
    EXPECT_GT(joues, 200);
}

// Device-independent bitmaps of every depth the player reads, and those it
// refuses.
TEST(ImageDib, ProfondeursEtRefus)
{
    // A 2 x 2 header of that depth, height and compression, then the colour
    // table.
    const auto entete = [](int bits, int hauteur, std::uint32_t compression, QList<std::uint32_t> couleurs) {
        QByteArray o;
        Mot(o, 40);
        Mot(o, 2);
        Mot(o, std::uint32_t(hauteur));
        Demi(o, 1);
        Demi(o, std::uint16_t(bits));
        Mot(o, compression);
        for (int i = 0; i < 3; ++i)
            Mot(o, 0);
        Mot(o, std::uint32_t(couleurs.size()));
        Mot(o, 0);
        for (const std::uint32_t c : couleurs)
            Mot(o, c);
        return o;
    };
    const auto octets = [](std::initializer_list<int> v) {
        QByteArray o;
        for (const int b : v)
            o.append(char(b));
        return o;
    };
    const QRgb r = qRgb(255, 0, 0), v = qRgb(0, 255, 0), b = qRgb(0, 0, 255), n = qRgb(0, 0, 0);
    const struct Cas {
        const char *Nom;
        QByteArray Info;
        QByteArray Pixels;
        QRgb Haut[2];
        QRgb Bas[2];
    } cas[] = {
        // Rows bottom first, each padded to 4 bytes.
        // Colour table entries are blue, green, red and a spare byte.
        {"1 bit", entete(1, 2, 0, {0xFF0000, 0x00FF00}), octets({0x80, 0, 0, 0, 0x40, 0, 0, 0}), {r, v}, {v, r}},
        {"4 bits", entete(4, 2, 0, {0xFF0000, 0x00FF00, 0x0000FF}), octets({0x01, 0, 0, 0, 0x21, 0, 0, 0}),
         {b, v}, {r, v}},
        {"8 bits de haut en bas", entete(8, -2, 0, {0xFF0000, 0x00FF00, 0x0000FF}),
         octets({2, 1, 0, 0, 0, 0, 0, 0}), {b, v}, {r, r}},
        {"16 bits 5-5-5", entete(16, 2, 0, {}), octets({0x00, 0x7C, 0xE0, 0x03, 0, 0, 0x1F, 0x00}), {n, b},
         {r, v}},
        {"32 bits à masques", entete(32, 2, 3, {0xFF, 0xFF00, 0xFF0000}),
         octets({255, 0, 0, 0, 0, 255, 0, 0, 0, 0, 255, 0, 0, 0, 0, 0}), {b, n}, {r, v}},
    };
    for (const Cas &c : cas) {
        const QImage image = ImageDib(c.Info, c.Pixels, 0);
        ASSERT_EQ(image.size(), QSize(2, 2)) << c.Nom;
        EXPECT_EQ(image.pixel(0, 0), c.Haut[0]) << c.Nom;
        EXPECT_EQ(image.pixel(1, 0), c.Haut[1]) << c.Nom;
        EXPECT_EQ(image.pixel(0, 1), c.Bas[0]) << c.Nom;
        EXPECT_EQ(image.pixel(1, 1), c.Bas[1]) << c.Nom;
        // Packed, the same picture.
        EXPECT_EQ(ImageDibCompacte(c.Info + c.Pixels, 0), image) << c.Nom;
    }
    // Pixels cut short, a compressed picture, an odd depth, a header that
    // does not fit, a size of zero, a colour table beyond the header: none.
    EXPECT_TRUE(ImageDib(entete(24, 2, 0, {}), octets({1, 2, 3, 0, 4, 5}), 0).isNull());
    EXPECT_TRUE(ImageDib(entete(8, 2, 1, {0}), QByteArray(8, '\0'), 0).isNull());
    EXPECT_TRUE(ImageDib(entete(7, 2, 0, {}), QByteArray(8, '\0'), 0).isNull());
    EXPECT_TRUE(ImageDib(entete(24, 2, 0, {}).first(30), QByteArray(16, '\0'), 0).isNull());
    EXPECT_TRUE(ImageDib(entete(24, 0, 0, {}), QByteArray(16, '\0'), 0).isNull());
    EXPECT_TRUE(ImageDib(entete(8, 2, 0, {}), QByteArray(8, '\0'), 0).isNull());
    QByteArray geante = entete(24, 2, 0, {});
    geante[4] = char(0xFF);
    geante[5] = char(0xFF);
    geante[6] = char(0xFF);
    EXPECT_TRUE(ImageDib(geante, QByteArray(16, '\0'), 0).isNull());
    // Palette indices: black and white for 1 bit only.
    EXPECT_EQ(ImageDib(entete(1, 2, 0, {}), octets({0x80, 0, 0, 0, 0x40, 0, 0, 0}), 1).pixel(1, 0),
              qRgb(255, 255, 255));
    EXPECT_TRUE(ImageDib(entete(8, 2, 0, {}), QByteArray(8, '\0'), 1).isNull());

    // A record's source rows count from the bottom of a bitmap stored bottom
    // row first (a positive height, in either header), from the top of one
    // stored top down.
    QByteArray os2;
    Mot(os2, 12);
    for (const int v : {2, 4, 1, 24})
        Demi(os2, std::uint16_t(v));
    const QImage quatreLignes(2, 4, QImage::Format_RGB32);
    EXPECT_EQ(HautSourceDib(entete(24, 4, 0, {}), quatreLignes, 0, 1), 3);
    EXPECT_EQ(HautSourceDib(os2, quatreLignes, 1, 1), 2);
    EXPECT_EQ(HautSourceDib(entete(24, -4, 0, {}), quatreLignes, 0, 1), 0);
}

TEST(JoueurEmf, Decoupes)
{
    // A region of two rectangles, narrowed by a clip rectangle and a
    // rectangle taken out of it, then a path: a page-wide red fill shows
    // only where all of them leave room.
    Emf m;
    m.Mots(emr::ExtSelectClipRgn, {64, 5, 32, 1, 2, 32, 0, 0, 200, 150, 0, 0, 100, 100, 120, 0, 200, 100});
    m.Rect(emr::IntersectClipRect, QRect(QPoint(0, 0), QPoint(200, 80)));
    m.Rect(emr::ExcludeClipRect, QRect(QPoint(40, 40), QPoint(60, 60)));
    RectangleRouge(m, QRect(QPoint(0, 0), QPoint(200, 150)));
    // Without clip again, then clipped to a triangle's path.
    m.Mots(emr::ExtSelectClipRgn, {0, 5});
    m.Brosse(2, 0, Bleu).Choisit(2);
    m.Simple(emr::BeginPath).Poly(emr::Polygon16, {{0, 100}, {100, 100}, {0, 150}}).Simple(emr::EndPath);
    m.Mots(emr::SelectClipPath, {5});
    m.Rect(emr::Rectangle, QRect(QPoint(0, 90), QPoint(200, 150)));
    const QImage image = Joue(m.Octets());
    EXPECT_TRUE(Est(image, 10, 10, Rouge));
    EXPECT_TRUE(Est(image, 150, 70, Rouge));
    EXPECT_TRUE(Est(image, 110, 50, Ref(255, 255, 255)));
    EXPECT_TRUE(Est(image, 50, 50, Ref(255, 255, 255)));
    EXPECT_TRUE(Est(image, 50, 90, Ref(255, 255, 255)));
    EXPECT_TRUE(Est(image, 10, 110, Bleu));
    EXPECT_TRUE(Est(image, 80, 140, Ref(255, 255, 255)));
    EXPECT_TRUE(Est(image, 150, 120, Ref(255, 255, 255)));
}
