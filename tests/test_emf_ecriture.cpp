// Designs saved as enhanced metafiles: pages of every object kind written,
// read back record by record by the program's reader, played by its player
// and by an independent converter (emf2svg, rasterised by rsvg-convert), and
// compared with the page drawn on the screen's canvas; the records the
// objects become; an empty page; targets that cannot be written.

#include "AideCAD.h"
#include "Bezier.h"
#include "CanevasEmf.h"
#include "CanevasQt.h"
#include "EcrivainEmf.h"
#include "ExportEmf.h"
#include "LecteurEmf.h"
#include "Metafichier.h"
#include "TxiloCADArbo.h"
#include "TxiloCADCal.h"
#include "TxiloCADCodeBarre.h"
#include "TxiloCADForme.h"
#include "TxiloCADGroup.h"
#include "TxiloCADImage.h"
#include "TxiloCADLigne.h"
#include "TxiloCADMdl.h"
#include "TxiloCADRectangle.h"
#include "TxiloCADTexte.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <numeric>
#include <set>

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QFontMetricsF>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;
using namespace aidecad;

namespace {

// Pages of 100 x 80 mm saved at 10 pixels per millimetre, as the print
// window saves them.
constexpr int Largeur = 1000;
constexpr int Hauteur = 800;

const TFonteCAD Arial{CouleurNoire, u"Arial"_s, 6000, FonteGras, 0};

// What a metafile holds, read by the program's reader: every record's type
// in order, and the records themselves (views into `octets`).
struct Lecture {
    explicit Lecture(const QByteArray &o) : octets(o), lecteur(octets)
    {
        TEnregistrementEmf e;
        while (lecteur.Suivant(e)) {
            types.push_back(e.Type());
            enregistrements.push_back(e);
        }
    }
    int Nombre(std::uint32_t type) const { return int(std::count(types.begin(), types.end(), type)); }
    QByteArray octets;
    TLecteurEmf lecteur;
    std::vector<std::uint32_t> types;
    std::vector<TEnregistrementEmf> enregistrements;
};

// Pixels that differ clearly between two pictures of the same page, away
// from the edges of what the reference shows: within `rayon` pixels of a
// change of colour of the reference, smoothing and rounding may differ.
int Ecarts(const QImage &reference, const QImage &autre, int rayon)
{
    const QImage a = reference.convertToFormat(QImage::Format_RGB32);
    const QImage b = autre.convertToFormat(QImage::Format_RGB32);
    if (a.size() != b.size())
        return a.width() * a.height();
    const auto surBord = [&](int x, int y) {
        const QRgb c = a.pixel(x, y);
        for (int dy = -rayon; dy <= rayon; ++dy)
            for (int dx = -rayon; dx <= rayon; ++dx) {
                const int nx = std::clamp(x + dx, 0, a.width() - 1);
                const int ny = std::clamp(y + dy, 0, a.height() - 1);
                if (a.pixel(nx, ny) != c)
                    return true;
            }
        return false;
    };
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            const int ecart = std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                        std::abs(qBlue(p) - qBlue(q))});
            if (ecart > 64 && !surBord(x, y))
                ++n;
        }
    return n;
}

int NonBlancs(const QImage &image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += qGray(image.pixel(x, y)) < 224;
    return n;
}

// A page with the files its objects use in a folder of its own.
struct Page {
    Page() { EXPECT_TRUE(ChargeFonteTest()); }
    QTemporaryDir dossier;
    TxiloCADMdl m{nullptr, QRect(0, 0, Largeur, Hauteur), 100, 80};

    QString Chemin(const QString &nom) const { return dossier.filePath(nom); }

    template <typename T>
    T &Ajoute(const QString &sorte)
    {
        auto &objet = dynamic_cast<T &>(*m.AddObject(sorte));
        objet.SetFace(1);
        return objet;
    }
    TxiloCADRectangle &Rectangle(double x, double y, double l, double h, double r, int cote)
    {
        auto &o = Ajoute<TxiloCADRectangle>(u"rectangle"_s);
        o.SetCentre(x, y);
        o.SetTaille(l, h);
        o.SetR(r);
        o.SetCote(cote);
        return o;
    }
    TxiloCADTexte &Texte(double x, double y, double r, const QString &texte, TFonteCAD fonte = Arial)
    {
        auto &t = Ajoute<TxiloCADTexte>(u"texte"_s);
        t.SetFont(fonte);
        t.SetText(texte);
        t.SetCentre(x, y);
        t.SetR(r);
        return t;
    }
    // A picture of a green disc and a red bar on magenta, which is made
    // transparent.
    TxiloCADImage &Image(double x, double y, double l, double h, double r)
    {
        const QString fichier = Chemin(u"disque.png"_s);
        if (!QFile::exists(fichier)) {
            QImage image(60, 40, QImage::Format_RGB32);
            image.fill(qRgb(255, 0, 255));
            QPainter painter(&image);
            painter.setPen(Qt::NoPen);
            painter.setBrush(QColor(0, 150, 0));
            painter.drawEllipse(QRect(5, 2, 36, 36));
            painter.fillRect(QRect(40, 15, 18, 10), QColor(220, 0, 0));
            painter.end();
            EXPECT_TRUE(image.save(fichier));
        }
        auto &o = Ajoute<TxiloCADImage>(u"image"_s);
        o.SetCentre(x, y);
        o.SetTaille(l, h);
        o.SetR(r);
        o.SetTransparent(true);
        o.SetTransparentColor(CouleurMagenta);
        o.SetFichierImage(fichier);
        return o;
    }

    QImage Ecran()
    {
        return Dessine(QSize(Largeur, Hauteur),
                       [this](TCanevas &c) { m.DrawObjects(c, QRect(0, 0, Largeur, Hauteur)); });
    }
    // The page saved as a metafile; empty when the saving failed.
    QByteArray Metafichier()
    {
        const QString fichier = Chemin(u"page.emf"_s);
        QString erreur;
        if (!ExporteEmf(m, fichier, Largeur, Hauteur, &erreur)) {
            ADD_FAILURE() << qPrintable(erreur);
            return QByteArray();
        }
        QFile f(fichier);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

// The pages of the kinds, each also showing what the metafile must keep.
struct Cas {
    const char *nom;
    std::function<void(Page &)> remplit;
    // Record types that must be there.
    std::vector<std::uint32_t> attendus;
    // The converter draws what the page holds (it fills hatched brushes
    // solid and misplaces turned texts).
    bool convertisseur = true;
    // What else the records must say.
    std::function<void(const Lecture &)> verifie = [](const Lecture &) {};
};

// The texts of a metafile's ExtTextOutW records and the escapements of its
// fonts.
QStringList Textes(const Lecture &l)
{
    QStringList textes;
    for (const TEnregistrementEmf &e : l.enregistrements) {
        if (e.Type() != emr::ExtTextOutW)
            continue;
        QString t;
        for (std::uint32_t i = 0; i < e.U32(44); ++i)
            t.append(QChar(char16_t(e.U16(qsizetype(e.U32(48)) + 2 * i))));
        textes.append(t);
    }
    return textes;
}

std::set<int> Escapements(const Lecture &l)
{
    std::set<int> angles;
    for (const TEnregistrementEmf &e : l.enregistrements) {
        if (e.Type() == emr::ExtCreateFontIndirectW) {
            EXPECT_EQ(e.I32(20), e.I32(24)) << "escapement et orientation";
            angles.insert(e.I32(20));
        }
    }
    return angles;
}

std::vector<Cas> TousLesCas()
{
    return {
        {"rectangles",
         [](Page &p) {
             auto &carre = p.Rectangle(25, 25, 30, 30, 0, 4);
             carre.SetPen(TStylo{CouleurRGB(0, 0, 160), 1500, StyloPlein});
             carre.SetBrush(TPinceau{CouleurJaune, PinceauPlein});
             auto &ellipse = p.Rectangle(70, 25, 40, 26, 20, TxiloCADRectangle::CoteEllipse);
             ellipse.SetPen(TStylo{CouleurRouge, 0, StyloPlein});
             ellipse.SetBrush(TPinceau{CouleurRGB(0, 120, 0), PinceauPlein});
             auto &triangle = p.Rectangle(50, 60, 50, 25, -10, 3);
             triangle.SetPen(TStylo{CouleurNoire, 0, StyloTirets});
             triangle.SetBrush(TPinceau{CouleurRGB(120, 180, 255), PinceauPlein});
         },
         {emr::Polygon16, emr::ExtCreatePen, emr::CreatePen, emr::CreateBrushIndirect}},
        {"hachures",
         [](Page &p) {
             for (int style = PinceauHorizontal; style <= PinceauCroixDiagonale; ++style) {
                 auto &r = p.Rectangle(15 + (style - PinceauHorizontal) * 14, 40, 12, 60, 0,
                                       style % 2 ? 4 : TxiloCADRectangle::CoteEllipse);
                 r.SetPen(TStylo{CouleurNoire, 0, StyloPlein});
                 r.SetBrush(TPinceau{CouleurRGB(0, 0, 200), style});
             }
         },
         {emr::CreateBrushIndirect},
         false},
        {"textes",
         [](Page &p) {
             p.Texte(30, 15, 0, u"Généalogie"_s);
             TFonteCAD rouge = Arial;
             rouge.Couleur = CouleurRouge;
             rouge.Style = FonteItalique | FonteSouligne;
             p.Texte(50, 45, 0, u"Famille Dupré"_s, rouge);
         },
         {emr::ExtCreateFontIndirectW, emr::ExtTextOutW, emr::SetTextColor}, true,
         [](const Lecture &l) {
             EXPECT_EQ(Textes(l), QStringList({u"Généalogie"_s, u"Famille Dupré"_s}));
         }},
        {"textes tournés",
         [](Page &p) {
             TFonteCAD rouge = Arial;
             rouge.Couleur = CouleurRouge;
             p.Texte(50, 45, 30, u"Famille Dupré"_s, rouge);
             p.Texte(88, 45, 90, u"1850 – 1920"_s);
             p.Texte(30, 65, 200, u"Généalogie"_s);
         },
         {emr::ExtCreateFontIndirectW, emr::ExtTextOutW}, false,
         [](const Lecture &l) {
             // Turned clockwise on the page: counter-clockwise escapements
             // below 0.
             EXPECT_EQ(Escapements(l), std::set<int>({-300, -900, -2000}));
             EXPECT_EQ(Textes(l), QStringList({u"Famille Dupré"_s, u"1850 – 1920"_s, u"Généalogie"_s}));
         }},
        {"ligne et forme",
         [](Page &p) {
             auto &ligne = p.Ajoute<TxiloCADLigne>(u"ligne"_s);
             ligne.SetPoints({{10, 70}, {20, 10}, {40, 10}, {50, 40}, {60, 70}, {80, 70}, {90, 20}});
             ligne.SetPen(TStylo{CouleurRGB(120, 0, 120), 1200, StyloPlein});
             ligne.SetBrush(TPinceau{CouleurRGB(255, 220, 150), PinceauPlein});
             auto &forme = p.Ajoute<TxiloCADForme>(u"forme"_s);
             forme.SetCentre(70, 40);
             forme.SetTaille(30, 30);
             forme.SetCadreForme(1, 1);
             forme.SetPoints({{0.5, 0}, {1, 0}, {1, 1}, {0.5, 1}, {0, 1}, {0, 0}, {0.5, 0}});
             forme.SetPen(TStylo{CouleurNoire, 0, StyloPlein});
             forme.SetBrush(TPinceau{CouleurRGB(0, 160, 200), PinceauPlein});
         },
         {emr::BeginPath, emr::PolyBezierTo16, emr::CloseFigure, emr::EndPath, emr::FillPath, emr::PolyBezier16,
          emr::StrokeAndFillPath}},
        {"calendrier",
         [](Page &p) {
             auto &c = p.Ajoute<TxiloCADCal>(u"cal"_s);
             c.SetCentre(50, 40);
             c.SetTaille(90, 70);
             c.SetAnnee(2024);
             c.SetMois(2);
             c.SetColorFond(CouleurRGB(255, 250, 220));
         },
         {emr::Polygon16, emr::ExtTextOutW}},
        {"code-barre",
         [](Page &p) {
             auto &c = p.Ajoute<TxiloCADCodeBarre>(u"codebarre"_s);
             c.SetCentre(50, 40);
             c.SetTaille(60, 35);
             c.SetCodeBarre(u"9782070360024"_s);
         },
         {emr::Rectangle, emr::ExtTextOutW}},
        {"images",
         [](Page &p) {
             auto &fond = p.Rectangle(50, 40, 80, 60, 0, 4);
             fond.SetBrush(TPinceau{CouleurRGB(90, 110, 220), PinceauPlein});
             fond.SetPen(TStylo{CouleurNoire, 0, StyloVide});
             p.Image(35, 30, 45, 30, 0);
             p.Image(65, 55, 40, 28, 25);
         },
         {emr::StretchDIBits}, true,
         [](const Lecture &l) {
             // Each picture in two passes: a mask of 1 bit per pixel, then
             // the colours once, in 32 bits.
             std::vector<std::pair<std::uint32_t, int>> passes;
             for (const TEnregistrementEmf &e : l.enregistrements) {
                 if (e.Type() == emr::StretchDIBits)
                     passes.emplace_back(e.U32(68), e.U16(qsizetype(e.U32(48)) + 14));
             }
             const std::pair<std::uint32_t, int> masque(emf::RopSrcAnd, 1), couleurs(emf::RopSrcPaint, 32);
             EXPECT_EQ(passes, std::vector({masque, couleurs, masque, couleurs}));
         }},
        {"arborescence",
         [](Page &p) {
             const QString racine = p.Chemin(u"archives"_s);
             ASSERT_TRUE(QDir().mkpath(racine + u"/actes/naissances"_s));
             for (const QString &nom : {u"actes/registre.txt"_s, u"actes/naissances/acte.png"_s, u"lisezmoi"_s}) {
                 QFile f(racine + u'/' + nom);
                 ASSERT_TRUE(f.open(QIODevice::WriteOnly));
             }
             auto &a = p.Ajoute<TxiloCADArbo>(u"arbo"_s);
             a.SetCentre(50, 40);
             a.SetTaille(80, 60);
             a.SetViewFichier(true);
             a.SetDepthMax(3);
             a.SetPath(racine);
         },
         {emr::StretchDIBits, emr::ExtTextOutW, emr::Polyline16}},
        {"groupe",
         [](Page &p) {
             const QString sous = p.Chemin(u"sous.mdl"_s);
             QFile f(sous);
             ASSERT_TRUE(f.open(QIODevice::WriteOnly));
             f.write("Large=40\nHaut=20\nFace=1\n"
                     "  R\n    Name=Rectangle\n    x=20\n    y=10\n    l=36\n    h=16\n    Cote=999\n"
                     "    Brush=255,0\n    Pen=0,400,0\n  End\n"
                     "  L\n    Name=Ligne\n    p=2;2|10;18|30;2|38;18|\n  End\nEnd\n");
             f.close();
             auto &g = p.Ajoute<TxiloCADGroup>(u"groupe"_s);
             g.SetCentre(50, 40);
             g.SetTaille(80, 40);
             g.SetR(15);
             g.SetFichierMdl(sous);
         },
         {emr::Polygon16, emr::PolyBezier16}},
    };
}

// Every record of the file sound and in order, the header saying what the
// page is.
void VerifieFichier(const QByteArray &octets)
{
    Lecture l(octets);
    ASSERT_TRUE(l.lecteur.EnteteValide());
    EXPECT_EQ(l.lecteur.Fin(), TFinEmf::Eof);
    EXPECT_EQ(l.lecteur.Position() + 20, octets.size());
    const TEnteteEmf &e = l.lecteur.Entete();
    EXPECT_EQ(e.Octets, std::uint32_t(octets.size()));
    EXPECT_EQ(e.Enregistrements, std::uint32_t(l.types.size() + 1));
    EXPECT_EQ(e.Limites, QRect(0, 0, Largeur, Hauteur));
    EXPECT_EQ(e.Cadre, QRect(QPoint(0, 0), QPoint(10000, 8000)));
    // The device's resolution is the picture's: 10 pixels per millimetre.
    EXPECT_NEAR(double(e.Peripherique.width()) / e.Millimetres.width(), 10.0, 1e-3);
    EXPECT_NEAR(double(e.Peripherique.height()) / e.Millimetres.height(), 10.0, 1e-3);
    // Every object selected was created before, and lies within the
    // table's size.
    std::map<std::uint32_t, bool> vivants;
    for (const TEnregistrementEmf &r : l.enregistrements) {
        EXPECT_EQ(r.Taille() % 4, 0);
        const std::uint32_t type = r.Type();
        if (type == emr::CreatePen || type == emr::ExtCreatePen || type == emr::CreateBrushIndirect
            || type == emr::ExtCreateFontIndirectW) {
            EXPECT_FALSE(vivants[r.U32(8)]) << "index " << r.U32(8) << " pris";
            EXPECT_LT(r.U32(8), e.Objets);
            vivants[r.U32(8)] = true;
        } else if (type == emr::SelectObject && !(r.U32(8) & 0x80000000u)) {
            EXPECT_TRUE(vivants[r.U32(8)]);
        } else if (type == emr::DeleteObject) {
            EXPECT_TRUE(vivants[r.U32(8)]);
            vivants[r.U32(8)] = false;
        }
    }
    for (const auto &[index, vivant] : vivants)
        EXPECT_FALSE(vivant) << "index " << index << " jamais libéré";
}

} // namespace

// Each kind of object saved alone: the file is sound, holds the records of
// curves, texts and pictures rather than a picture of the page, and the
// program's player draws it as the screen does.
TEST(ExportEmf, ChaqueSorteRelueEtJoueeCommeALEcran)
{
    for (const Cas &cas : TousLesCas()) {
        SCOPED_TRACE(cas.nom);
        Page p;
        cas.remplit(p);
        const QImage ecran = p.Ecran();
        ASSERT_GT(NonBlancs(ecran), 2000);
        const QByteArray octets = p.Metafichier();
        ASSERT_FALSE(octets.isEmpty());
        VerifieFichier(octets);
        const Lecture l(octets);
        for (const std::uint32_t type : cas.attendus)
            EXPECT_GT(l.Nombre(type), 0) << "type " << type;
        cas.verifie(l);

        TMetafichier metafichier;
        ASSERT_TRUE(metafichier.ChargeOctets(octets));
        EXPECT_NEAR(metafichier.TailleMm().width(), 100, 1e-9);
        EXPECT_NEAR(metafichier.TailleMm().height(), 80, 1e-9);
        const QImage joue = metafichier.Rendu(QSize(Largeur, Hauteur), Qt::white);
        EXPECT_LT(Ecarts(ecran, joue, 2), NonBlancs(ecran) / 100);
    }
}

namespace {

// The picture an independent converter makes of the metafile: emf2svg's
// SVG rasterised by rsvg-convert at the page's size over white. A null
// picture when a tool is missing; a failure of a tool fails the test.
QImage Convertie(const QByteArray &octets, const QString &dossier)
{
    if (QStandardPaths::findExecutable(u"emf2svg-conv"_s).isEmpty()
        || QStandardPaths::findExecutable(u"rsvg-convert"_s).isEmpty())
        return QImage();
    const QString emf = dossier + u"/converti.emf"_s;
    const QString svg = dossier + u"/converti.svg"_s;
    const QString png = dossier + u"/converti.png"_s;
    QFile f(emf);
    if (!f.open(QIODevice::WriteOnly) || f.write(octets) != octets.size())
        return QImage();
    f.close();
    QProcess conversion;
    conversion.start(u"emf2svg-conv"_s, {u"-i"_s, emf, u"-o"_s, svg});
    EXPECT_TRUE(conversion.waitForFinished(60000));
    EXPECT_EQ(conversion.exitCode(), 0) << conversion.readAllStandardError().constData();
    QProcess rasterise;
    rasterise.start(u"rsvg-convert"_s, {u"-w"_s, QString::number(Largeur), u"-h"_s, QString::number(Hauteur),
                                        u"-b"_s, u"white"_s, u"-o"_s, png, svg});
    EXPECT_TRUE(rasterise.waitForFinished(60000));
    EXPECT_EQ(rasterise.exitCode(), 0) << rasterise.readAllStandardError().constData();
    return QImage(png).convertToFormat(QImage::Format_RGB32);
}

} // namespace

TEST(ExportEmf, CommeUnConvertisseurIndependant)
{
    for (const Cas &cas : TousLesCas()) {
        if (!cas.convertisseur)
            continue;
        SCOPED_TRACE(cas.nom);
        Page p;
        cas.remplit(p);
        const QImage ecran = p.Ecran();
        const QByteArray octets = p.Metafichier();
        const QImage autre = Convertie(octets, p.dossier.path());
        if (autre.isNull())
            GTEST_SKIP() << "emf2svg-conv (paquet emf2svg) ou rsvg-convert (paquet librsvg2-bin) manque";
        ASSERT_EQ(autre.size(), ecran.size());
        // The converter smooths what it draws: its edges are wider.
        EXPECT_LT(Ecarts(ecran, autre, 3), NonBlancs(ecran) / 100);
    }
}

// A page without objects is a sound metafile of the page's size that draws
// nothing, which the converter reads too.
TEST(ExportEmf, PageVide)
{
    Page p;
    const QByteArray octets = p.Metafichier();
    VerifieFichier(octets);
    const Lecture l(octets);
    for (const std::uint32_t type : l.types) {
        EXPECT_TRUE(type == emr::Header || type == emr::SaveDC || type == emr::RestoreDC || type == emr::SetMapMode
                    || type == emr::SetBkMode || type == emr::SetPolyFillMode || type == emr::SetStretchBltMode
                    || type == emr::SetTextAlign)
            << "type " << type;
    }
    TMetafichier metafichier;
    ASSERT_TRUE(metafichier.ChargeOctets(octets));
    EXPECT_EQ(NonBlancs(metafichier.Rendu(QSize(Largeur, Hauteur), Qt::white)), 0);
    const QImage autre = Convertie(octets, p.dossier.path());
    if (!autre.isNull()) {
        EXPECT_EQ(NonBlancs(autre), 0);
    }
}

// An A3 design whose pictures fill the page, a photograph and a frame of
// tiles whose inside is a transparent colour, is saved as a metafile the
// program's own reader loads, and which it draws as the screen does: each
// picture once, at the resolution it is drawn from, the parts of the frame
// that do not show left out, its mask a picture of 1 bit per pixel.
TEST(ExportEmf, PleinePageA3RelueParLeLecteur)
{
    ASSERT_TRUE(ChargeFonteTest());
    QTemporaryDir dossier;
    TxiloCADMdl m(nullptr, QRect(0, 0, 297, 420), 297, 420);
    const QString photo = dossier.filePath(u"photo.png"_s);
    QImage pixels(1485, 2100, QImage::Format_RGB32);
    for (int y = 0; y < pixels.height(); ++y)
        for (int x = 0; x < pixels.width(); ++x)
            pixels.setPixel(x, y, qRgb(x % 256, y % 256, (x + y) % 200));
    ASSERT_TRUE(pixels.save(photo));
    const auto image = [&m](const QString &fichier) -> TxiloCADImage & {
        auto &o = dynamic_cast<TxiloCADImage &>(*m.AddObject(u"image"_s));
        o.SetFace(1);
        o.SetCentre(148.5, 210);
        o.SetTaille(297, 420);
        o.SetFichierImage(fichier);
        return o;
    };
    image(photo);
    auto &cadre = image(QString::fromUtf8(LIGNEE_FIXTURES) + u"/cad/bordure.png"_s);
    cadre.SetBordure(TBordure{true, 12, 12, 2});
    cadre.SetTransparent(true);
    cadre.SetTransparentColor(CouleurBlanche);
    // Both fill the page; the frame's tiles give it its size.
    cadre.SetTaille(288, 408);

    const QString fichier = dossier.filePath(u"a3.emf"_s);
    QString erreur;
    ASSERT_TRUE(ExporteEmf(m, fichier, 2970, 4200, &erreur)) << qPrintable(erreur);
    const qint64 taille = QFileInfo(fichier).size();
    EXPECT_LT(taille, 20 * 1024 * 1024);
    TMetafichier relu;
    ASSERT_TRUE(relu.Charge(fichier));
    EXPECT_NEAR(relu.TailleMm().width(), 297, 1e-9);

    // The photograph once, opaque, at its own 1485 x 2100 pixels; each
    // block of the frame a mask of 1 bit, then its colours.
    const Lecture l(relu.Octets());
    std::vector<std::pair<std::uint32_t, int>> passes;
    qint64 pixelsEcrits = 0;
    for (const TEnregistrementEmf &e : l.enregistrements) {
        if (e.Type() != emr::StretchDIBits)
            continue;
        const qsizetype info = e.U32(48);
        passes.emplace_back(e.U32(68), e.U16(info + 14));
        if (e.U32(68) == emf::RopSrcCopy) {
            EXPECT_EQ(e.I32(info + 4), 1485);
            EXPECT_EQ(e.I32(info + 8), 2100);
        } else if (e.U32(68) == emf::RopSrcPaint) {
            pixelsEcrits += qint64(e.I32(info + 4)) * e.I32(info + 8);
        }
    }
    ASSERT_GE(passes.size(), 3u);
    EXPECT_EQ(passes.front(), std::pair(std::uint32_t(emf::RopSrcCopy), 24));
    for (size_t i = 1; i + 1 < passes.size(); i += 2) {
        EXPECT_EQ(passes[i], std::pair(std::uint32_t(emf::RopSrcAnd), 1));
        EXPECT_EQ(passes[i + 1], std::pair(std::uint32_t(emf::RopSrcPaint), 32));
    }
    // The frame's band of 12 mm around the page, and not its inside.
    EXPECT_LT(pixelsEcrits, 2970 * 4200 / 5);

    const QSize petite(594, 840);
    const QImage ecran = Dessine(petite, [&m, petite](TCanevas &c) { m.DrawObjects(c, QRect(QPoint(0, 0), petite)); });
    EXPECT_LT(Ecarts(ecran, relu.Rendu(petite, Qt::white), 2), petite.width() * petite.height() / 100);
}

// Objects reaching beyond the page are cut at its edges, as on a bitmap of
// the page: a player that draws the metafile into a rectangle of a larger
// picture draws nothing around it.
TEST(ExportEmf, CoupeAuBordDeLaPage)
{
    Page p;
    auto &r = p.Rectangle(100, 40, 60, 30, 10, 4);
    r.SetBrush(TPinceau{CouleurRouge, PinceauPlein});
    p.Texte(5, 70, 20, u"Généalogie de la famille"_s);
    p.Image(0, 0, 40, 30, 0);
    const QByteArray octets = p.Metafichier();
    VerifieFichier(octets);
    EXPECT_EQ(Lecture(octets).Nombre(emr::IntersectClipRect), 1);

    TMetafichier metafichier;
    ASSERT_TRUE(metafichier.ChargeOctets(octets));
    QImage grande(Largeur + 200, Hauteur + 200, QImage::Format_RGB32);
    grande.fill(Qt::white);
    QPainter painter(&grande);
    metafichier.Dessine(painter, QRectF(100, 100, Largeur, Hauteur));
    painter.end();
    EXPECT_EQ(NonBlancs(grande.copy(100, 100, Largeur, Hauteur)), NonBlancs(grande));
    EXPECT_LT(Ecarts(p.Ecran(), grande.copy(100, 100, Largeur, Hauteur), 2), NonBlancs(p.Ecran()) / 100);
}

// The editor showing the model measures with its own scales and offsets:
// saving leaves them, and the model's switches, as they were.
TEST(ExportEmf, EtatDuModeleGarde)
{
    Page p;
    p.Rectangle(50, 40, 20, 20, 0, 4);
    p.m.SetEchelles(3.5, 4.25);
    p.m.SetDecalages(12, -7);
    p.m.Interrupteurs().Interactif = true;
    ASSERT_FALSE(p.Metafichier().isEmpty());
    EXPECT_EQ(p.m.EchelleX(), 3.5);
    EXPECT_EQ(p.m.EchelleY(), 4.25);
    EXPECT_EQ(p.m.DecalageX(), 12);
    EXPECT_EQ(p.m.DecalageY(), -7);
    EXPECT_TRUE(p.m.Interrupteurs().Interactif);
}

// What cannot be saved gives false and a reason, and leaves what is at the
// path as it was: a folder, a named pipe (whose reading end nobody opens),
// a missing folder; a page or a picture size that is not valid.
TEST(ExportEmf, EchecsAvecRaison)
{
    Page p;
    p.Rectangle(50, 40, 20, 20, 0, 4);
    const QString dossier = p.Chemin(u"dossier.emf"_s);
    ASSERT_TRUE(QDir().mkpath(dossier));
    const QString tube = p.Chemin(u"tube.emf"_s);
    ASSERT_EQ(mkfifo(QFile::encodeName(tube).constData(), 0600), 0);
    const QString existant = p.Chemin(u"existant.emf"_s);
    {
        QFile f(existant);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("ancien");
    }
    struct Refus {
        const char *nom;
        QString fichier;
        int largeur;
        int hauteur;
        double large;
        QString raison; // a part of the reason, or empty for any
    };
    const std::vector<Refus> refus = {
        {"dossier", dossier, Largeur, Hauteur, 100, u"dossier"_s},
        {"tube", tube, Largeur, Hauteur, 100, u"pas un fichier ordinaire"_s},
        {"dossier absent", p.Chemin(u"absent/page.emf"_s), Largeur, Hauteur, 100, u"le dossier n'existe pas"_s},
        {"largeur nulle", existant, 0, Hauteur, 100, u"0 x 800"_s},
        {"hauteur négative", existant, Largeur, -5, 100, u"1000 x -5"_s},
        {"trop grande", existant, CoteMaxEmf + 1, Hauteur, 100, u"pixels"_s},
        {"page vide", existant, Largeur, Hauteur, 0, u"page"_s},
        {"page démesurée", existant, Largeur, Hauteur, TxiloCADMdl::TailleMaxPage * 2, u"page"_s},
    };
    for (const Refus &r : refus) {
        SCOPED_TRACE(r.nom);
        p.m.SetLarge(r.large);
        QString erreur;
        EXPECT_FALSE(ExporteEmf(p.m, r.fichier, r.largeur, r.hauteur, &erreur));
        EXPECT_FALSE(erreur.isEmpty());
        if (!r.raison.isEmpty()) {
            EXPECT_TRUE(erreur.contains(r.raison)) << qPrintable(erreur);
        }
        // The window that shows the reason names the file itself.
        EXPECT_FALSE(erreur.contains(p.dossier.path())) << qPrintable(erreur);
        EXPECT_FALSE(ExporteEmf(p.m, r.fichier, r.largeur, r.hauteur));
    }
    EXPECT_TRUE(QFileInfo(dossier).isDir());
    QFile f(existant);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "ancien");
    // The same page, valid again, replaces the file.
    p.m.SetLarge(100);
    QString erreur;
    EXPECT_TRUE(ExporteEmf(p.m, existant, Largeur, Hauteur, &erreur)) << qPrintable(erreur);
    f.close();
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(EstEmf(f.readAll()));

    // What the superuser may write anyway: a protected file, a protected
    // folder.
    if (::geteuid() != 0) {
        const QString protege = p.Chemin(u"protege.emf"_s);
        QFile(protege).open(QIODevice::WriteOnly);
        ASSERT_TRUE(QFile::setPermissions(protege, QFileDevice::ReadOwner));
        const QString dossierProtege = p.Chemin(u"protege"_s);
        ASSERT_TRUE(QDir().mkpath(dossierProtege));
        ASSERT_TRUE(QFile::setPermissions(dossierProtege, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        for (const auto &[fichier, raison] : {std::pair(protege, u"le fichier existant est protégé en écriture"_s),
                                              std::pair(dossierProtege + u"/page.emf"_s,
                                                        u"le dossier n'accepte pas l'écriture"_s)}) {
            QString donnee;
            EXPECT_FALSE(ExporteEmf(p.m, fichier, Largeur, Hauteur, &donnee));
            EXPECT_EQ(donnee.toStdString(), raison.toStdString());
        }
        QFile::setPermissions(dossierProtege, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
}

namespace {

bool EcritDans(const char *chemin, const QByteArray &texte)
{
    const int fd = ::open(chemin, O_WRONLY);
    const bool ok = fd >= 0 && ::write(fd, texte.constData(), size_t(texte.size())) == texte.size();
    if (fd >= 0)
        ::close(fd);
    return ok;
}

// The reason the export of the page gives on a disk of 4 kB mounted on
// `disque` for a child process alone (in a mount namespace of its own, and a
// user namespace when it is not the superuser); empty when the system does
// not let it mount one.
QString RaisonSurDisquePlein(Page &p, const QString &disque)
{
    int tube[2];
    if (::pipe(tube) != 0)
        return QString();
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(tube[0]);
        const QByteArray uid = QByteArray::number(::geteuid());
        const QByteArray gid = QByteArray::number(::getegid());
        bool monte = ::unshare(CLONE_NEWNS) == 0;
        if (!monte && ::unshare(CLONE_NEWUSER | CLONE_NEWNS) == 0) {
            EcritDans("/proc/self/setgroups", "deny");
            monte = EcritDans("/proc/self/uid_map", "0 " + uid + " 1")
                    && EcritDans("/proc/self/gid_map", "0 " + gid + " 1");
        }
        monte = monte && ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0
                && ::mount("lignee", QFile::encodeName(disque).constData(), "tmpfs", 0, "size=4k") == 0;
        QString erreur;
        if (monte && !ExporteEmf(p.m, disque + u"/page.emf"_s, Largeur, Hauteur, &erreur)) {
            const QByteArray texte = erreur.toUtf8();
            [[maybe_unused]] const auto n = ::write(tube[1], texte.constData(), size_t(texte.size()));
        }
        ::_exit(0);
    }
    ::close(tube[1]);
    QByteArray reponse;
    char tampon[256];
    for (ssize_t n; (n = ::read(tube[0], tampon, sizeof tampon)) > 0;)
        reponse.append(tampon, n);
    ::close(tube[0]);
    ::waitpid(pid, nullptr, 0);
    return QString::fromUtf8(reponse);
}

} // namespace

// A metafile larger than the disk says that the disk is full, and leaves
// nothing there.
TEST(ExportEmf, DisquePlein)
{
    Page p;
    p.Rectangle(50, 40, 20, 20, 0, 4);
    p.Image(35, 30, 80, 60, 0);
    const QString disque = p.Chemin(u"disque"_s);
    ASSERT_TRUE(QDir().mkpath(disque));
    const QString raison = RaisonSurDisquePlein(p, disque);
    if (raison.isEmpty())
        GTEST_SKIP() << "aucun disque de test ne peut être monté ici";
    EXPECT_EQ(raison.toStdString(), "le disque est plein");
}

// Points written with 16 bits when they fit and with 32 otherwise, read
// back as they were; a metafile that would outgrow its maximum keeps the
// records before the one that did not fit and stays readable.
TEST(EcrivainEmf, PointsLargesEtTailleMaximale)
{
    TEcrivainEmf e(QSize(100, 100), QSizeF(10, 10));
    const QPolygon petit({QPoint(0, 0), QPoint(32767, -32768), QPoint(5, 9)});
    const QPolygon grand({QPoint(0, 0), QPoint(32768, 0), QPoint(-5, -CoordonneeMax)});
    e.Poly(emr::Polygon, petit);
    e.Poly(emr::Polygon, grand);
    e.Poly(emr::PolyBezier, petit + grand.mid(1));
    const Lecture l(e.Octets());
    EXPECT_EQ(l.lecteur.Fin(), TFinEmf::Eof);
    ASSERT_EQ(l.types, (std::vector<std::uint32_t>{emr::Header, emr::Polygon16, emr::Polygon, emr::PolyBezier}));
    const auto points = [](const TEnregistrementEmf &r, bool seize) {
        QPolygon p;
        for (std::uint32_t i = 0; i < r.U32(24); ++i)
            p.append(seize ? r.Point16(28 + 4 * i) : r.Point32(28 + 8 * i));
        return p;
    };
    EXPECT_EQ(points(l.enregistrements[1], true), petit);
    EXPECT_EQ(points(l.enregistrements[2], false), grand);
    EXPECT_EQ(points(l.enregistrements[3], false), petit + grand.mid(1));
    // The bounds of a figure, inclusive.
    EXPECT_EQ(l.enregistrements[2].Rect32(8), QRect(QPoint(-5, -CoordonneeMax), QPoint(32768, 0)));

    TEcrivainEmf borne(QSize(10, 10), QSizeF(1, 1), 200);
    for (int i = 0; i < 20; ++i)
        borne.Valeur(emr::SetBkMode, 1);
    EXPECT_TRUE(borne.Deborde());
    const QByteArray octets = borne.Octets();
    EXPECT_LE(octets.size(), 200);
    const Lecture lu(octets);
    EXPECT_EQ(lu.lecteur.Fin(), TFinEmf::Eof);
    EXPECT_EQ(int(lu.types.size()), borne.Nombre() + 1);
    EXPECT_EQ(borne.Nombre(), (200 - 108 - 20) / 12);
}

// A picture given with more pixels than its target is written at the
// target's pixels, as the screen draws it: never finer than the page.
TEST(CanevasEmf, ImagePlusFineQueSaCible)
{
    QImage fine(400, 300, QImage::Format_RGB32);
    for (int y = 0; y < fine.height(); ++y)
        for (int x = 0; x < fine.width(); ++x)
            fine.setPixel(x, y, (x / 40 + y / 30) % 2 ? qRgb(200, 30, 30) : qRgb(20, 20, 160));
    const QSize taille(200, 150);
    const auto dessin = [&fine](TCanevas &c) { c.Image(QRect(10, 20, 100, 75), fine); };
    TEcrivainEmf ecrivain(taille, QSizeF(20, 15));
    {
        TCanevasEmf canevas(ecrivain);
        dessin(canevas);
    }
    const QByteArray octets = ecrivain.Octets();
    const Lecture l(octets);
    ASSERT_EQ(l.Nombre(emr::StretchDIBits), 1);
    for (const TEnregistrementEmf &e : l.enregistrements) {
        if (e.Type() == emr::StretchDIBits) {
            EXPECT_EQ(e.I32(qsizetype(e.U32(48)) + 4), 100);
            EXPECT_EQ(e.I32(qsizetype(e.U32(48)) + 8), 75);
        }
    }
    TMetafichier metafichier;
    ASSERT_TRUE(metafichier.ChargeOctets(octets));
    const QImage ecran = Dessine(taille, dessin);
    EXPECT_LT(Ecarts(ecran, metafichier.Rendu(taille, Qt::white), 1), 30);
}

// Opaque pictures of widths whose rows of 3 bytes a pixel need padding to 4
// bytes, or none, are written at their size bottom row first, each row
// padded with zeros, and read back as they were: no row slides into the
// next.
TEST(CanevasEmf, ImagesOpaquesAuxLignesCompletees)
{
    for (const int largeur : {1, 2, 3, 4, 5, 7}) {
        SCOPED_TRACE(largeur);
        QImage image(largeur, 3, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < largeur; ++x)
                image.setPixel(x, y, qRgb(10 + 40 * x, 20 + 70 * y, 200 - 30 * x - 10 * y));
        TEcrivainEmf ecrivain(QSize(40, 30), QSizeF(4, 3));
        {
            TCanevasEmf canevas(ecrivain);
            canevas.Image(QRect(QPoint(10, 5), image.size()), image);
        }
        const QByteArray octets = ecrivain.Octets();
        const Lecture l(octets);
        ASSERT_EQ(l.Nombre(emr::StretchDIBits), 1);
        for (const TEnregistrementEmf &e : l.enregistrements) {
            if (e.Type() != emr::StretchDIBits)
                continue;
            EXPECT_EQ(e.U32(68), emf::RopSrcCopy);
            const qsizetype info = e.U32(48);
            EXPECT_EQ(e.I32(info + 4), largeur);
            EXPECT_EQ(e.I32(info + 8), 3);
            EXPECT_EQ(e.U16(info + 14), 24);
            const qsizetype pas = (3 * largeur + 3) / 4 * 4;
            ASSERT_EQ(qsizetype(e.U32(60)), 3 * pas);
            const qsizetype pixels = e.U32(56);
            for (int ligne = 0; ligne < 3; ++ligne) {
                const int y = 2 - ligne;
                for (int x = 0; x < largeur; ++x) {
                    const QRgb c = image.pixel(x, y);
                    const qsizetype o = pixels + ligne * pas + 3 * x;
                    EXPECT_EQ(e.U8(o), qBlue(c)) << x << ", " << y;
                    EXPECT_EQ(e.U8(o + 1), qGreen(c)) << x << ", " << y;
                    EXPECT_EQ(e.U8(o + 2), qRed(c)) << x << ", " << y;
                }
                for (qsizetype o = 3 * largeur; o < pas; ++o)
                    EXPECT_EQ(e.U8(pixels + ligne * pas + o), 0);
            }
        }
        TMetafichier metafichier;
        ASSERT_TRUE(metafichier.ChargeOctets(octets));
        const QImage relue = metafichier.Rendu(QSize(40, 30), Qt::white).convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(relue.copy(QRect(QPoint(10, 5), image.size())), image);
    }
}

// Each style of a design's font is written in its own field of the font
// record: bold as the weight, then italic, underline and strike-out, one
// byte each in that order; the player reads them back so.
TEST(CanevasEmf, StylesDeFonte)
{
    ASSERT_TRUE(ChargeFonteTest());
    const struct {
        int Style;
        int Poids;
        int Italique;
        int Souligne;
        int Barre;
    } cas[] = {
        {0, 400, 0, 0, 0},
        {FonteGras, 700, 0, 0, 0},
        {FonteItalique, 400, 1, 0, 0},
        {FonteSouligne, 400, 0, 1, 0},
        {FonteBarre, 400, 0, 0, 1},
        {FonteGras | FonteSouligne, 700, 0, 1, 0},
    };
    std::map<int, int> encres;
    for (const auto &c : cas) {
        SCOPED_TRACE(c.Style);
        TEcrivainEmf ecrivain(QSize(400, 100), QSizeF(40, 10));
        {
            TCanevasEmf canevas(ecrivain);
            canevas.SetFonte(TFonteCAD{CouleurNoire, u"Arial"_s, -40, std::uint8_t(c.Style), 0});
            canevas.Texte(QPoint(10, 10), u"Généalogie"_s);
        }
        const QByteArray octets = ecrivain.Octets();
        const Lecture l(octets);
        ASSERT_EQ(l.Nombre(emr::ExtCreateFontIndirectW), 1);
        for (const TEnregistrementEmf &e : l.enregistrements) {
            if (e.Type() != emr::ExtCreateFontIndirectW)
                continue;
            EXPECT_EQ(e.I32(28), c.Poids);
            EXPECT_EQ(e.U8(32), c.Italique);
            EXPECT_EQ(e.U8(33), c.Souligne);
            EXPECT_EQ(e.U8(34), c.Barre);
        }
        TMetafichier metafichier;
        ASSERT_TRUE(metafichier.ChargeOctets(octets));
        const QImage joue = metafichier.Rendu(QSize(400, 100), Qt::white);
        const QImage ecran = Dessine(QSize(400, 100), [&c](TCanevas &canevas) {
            canevas.SetFonte(TFonteCAD{CouleurNoire, u"Arial"_s, -40, std::uint8_t(c.Style), 0});
            canevas.Texte(QPoint(10, 10), u"Généalogie"_s);
        });
        EXPECT_LT(Ecarts(ecran, joue, 2), NonBlancs(ecran) / 20) << NonBlancs(ecran);
    }
}

// A line of 8,000 characters (words, letters with combining accents,
// characters of two UTF-16 units, a run of 3,000 units of both without a
// space; below the 8,192 units Qt shapes at once, which it may cut between
// two units of a pair) is
// written whole, each unit with the advance the screen gives it: the
// advances add up to the line's width on the screen, and those of a short
// line laid out alone are found again at its place in the long one.
TEST(CanevasEmf, LigneTresLongue)
{
    ASSERT_TRUE(ChargeFonteTest());
    const TFonteCAD fonte{CouleurNoire, u"Arial"_s, 1200, 0, 0};
    QString ligne;
    for (int i = 0; ligne.size() < 8000; ++i) {
        if (i % 7 == 6)
            ligne.append(u' ');
        else if (i % 50 == 13)
            ligne.append(u"e\u0301"_s);
        else if (i % 90 == 17)
            ligne.append(QChar::fromUcs4(0x1D11E));
        else
            ligne.append(QChar(u'a' + i % 26));
        if (i == 1000) {
            for (int j = 0; j < 750; ++j) {
                ligne.append(u"e\u0301"_s);
                ligne.append(QChar::fromUcs4(0x1D11E));
            }
        }
    }
    const auto avances = [&fonte](const QString &texte) {
        TEcrivainEmf ecrivain(QSize(2000, 200), QSizeF(200, 20));
        {
            TCanevasEmf canevas(ecrivain);
            canevas.SetFonte(fonte);
            canevas.Texte(QPoint(0, 50), texte);
        }
        const Lecture l(ecrivain.Octets());
        std::vector<int> dx;
        for (const TEnregistrementEmf &e : l.enregistrements) {
            if (e.Type() != emr::ExtTextOutW)
                continue;
            EXPECT_EQ(qsizetype(e.U32(44)), texte.size());
            for (std::uint32_t i = 0; i < e.U32(44); ++i)
                dx.push_back(e.I32(qsizetype(e.U32(72)) + 4 * i));
        }
        return dx;
    };
    const std::vector<int> dx = avances(ligne);
    ASSERT_EQ(qsizetype(dx.size()), ligne.size());
    const double largeur = QFontMetricsF(PoliceCAD(fonte)).horizontalAdvance(ligne);
    EXPECT_NEAR(std::accumulate(dx.begin(), dx.end(), 0.0), largeur, 64);
    // A pair of units takes its advance on its second one.
    for (qsizetype i = 0; i < ligne.size(); ++i) {
        if (ligne.at(i).isHighSurrogate()) {
            EXPECT_EQ(dx[size_t(i)], 0) << i;
        } else {
            EXPECT_GE(dx[size_t(i)], 0) << i;
        }
    }
    // Words taken from the line after the run without spaces, laid out
    // alone: the same advances, but for the rounding of where they start.
    for (const qsizetype debut : {qsizetype(4503), qsizetype(ligne.size() - 300)}) {
        const qsizetype mot = ligne.indexOf(u' ', debut) + 1;
        const QString court = ligne.sliced(mot, ligne.indexOf(u' ', mot + 40) - mot);
        const std::vector<int> seul = avances(court);
        ASSERT_EQ(qsizetype(seul.size()), court.size());
        int ecart = 0;
        for (size_t i = 0; i < seul.size(); ++i) {
            ecart += dx[size_t(mot) + i] - seul[i];
            EXPECT_LE(std::abs(ecart), 1) << mot << " + " << i;
        }
    }
}

// The primitives the objects seldom use, drawn by the metafile canvas and
// played back, as the screen's canvas draws them: wide pens kept inside
// rectangles and ellipses, dashed and wide lines, an outlined polygon,
// pictures stretched with and without transparent pixels, a turned text,
// an open Bézier chain filled.
TEST(CanevasEmf, PrimitivesCommeALEcran)
{
    ASSERT_TRUE(ChargeFonteTest());
    QImage damier(8, 6, QImage::Format_ARGB32);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x)
            damier.setPixel(x, y, (x + y) % 3 == 0 ? 0u : qRgb(40 * x, 200 - 30 * y, 90));
    const std::vector<std::pair<const char *, std::function<void(TCanevas &)>>> cas = {
        {"intérieur", [](TCanevas &c) {
             c.SetStylo(TStylo{CouleurRouge, 16, StyloInterieur});
             c.SetPinceau(TPinceau{CouleurJaune, PinceauPlein});
             c.Rectangle(20, 20, 300, 200);
             c.Ellipse(340, 30, 600, 380);
         }},
        {"lignes", [](TCanevas &c) {
             c.SetStylo(TStylo{CouleurBleue, 1, StyloTiretPoint});
             c.Polyligne(QPolygon({QPoint(10, 10), QPoint(600, 40), QPoint(300, 380)}));
             c.SetStylo(TStylo{CouleurNoire, 12, StyloTirets});
             c.Ligne(QPoint(40, 300), QPoint(560, 200));
             c.SetStylo(TStylo{CouleurRGB(0, 128, 0), 0, StyloPlein});
             c.SetPinceau(TPinceau{CouleurRGB(200, 200, 255), PinceauPlein});
             c.Polygone(QPolygon({QPoint(100, 100), QPoint(250, 60), QPoint(200, 250), QPoint(120, 200)}));
         }},
        {"images", [&damier](TCanevas &c) {
             c.Image(QRect(10, 10, 280, 210), damier.convertToFormat(QImage::Format_RGB32));
             c.SetPinceau(TPinceau{CouleurRGB(255, 160, 0), PinceauPlein});
             c.SetStylo(TStylo{CouleurNoire, 0, StyloVide});
             c.Rectangle(300, 50, 620, 350);
             c.Image(QRect(320, 80, 240, 180), damier);
         }},
        {"texte et courbe", [](TCanevas &c) {
             c.SetFonte(TFonteCAD{CouleurRGB(0, 0, 128), u"Arial"_s, -40, FonteGras, 450});
             c.Texte(QPoint(60, 300), u"Arbre généalogique"_s);
             c.SetStylo(TStylo{CouleurNoire, 5, StyloPlein});
             c.SetPinceau(TPinceau{CouleurRGB(120, 220, 120), PinceauPlein});
             const QPolygon courbe({QPoint(300, 50), QPoint(600, 0), QPoint(600, 400), QPoint(350, 300)});
             QPolygon trace;
             for (int i = 0; i <= 64; ++i)
                 trace.append(PointBezier(courbe[0], courbe[1], courbe[2], courbe[3], i / 64.0).toPoint());
             c.Bezier(courbe, trace, true);
         }},
    };
    const QSize taille(640, 400);
    for (const auto &[nom, dessin] : cas) {
        SCOPED_TRACE(nom);
        const QImage ecran = Dessine(taille, dessin);
        TEcrivainEmf ecrivain(taille, QSizeF(64, 40));
        {
            TCanevasEmf canevas(ecrivain);
            dessin(canevas);
        }
        const QByteArray octets = ecrivain.Octets();
        EXPECT_EQ(Lecture(octets).lecteur.Fin(), TFinEmf::Eof);
        TMetafichier metafichier;
        ASSERT_TRUE(metafichier.ChargeOctets(octets));
        EXPECT_LT(Ecarts(ecran, metafichier.Rendu(taille, Qt::white), 2), NonBlancs(ecran) / 100);
    }
}
