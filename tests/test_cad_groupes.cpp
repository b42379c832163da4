// The group objects of the designs and the metafile import: sub-models
// stretched into their box, mirrored, drawn with the group's pen and brush,
// files that name themselves, and the lines, pens and brushes that the paths
// of a metafile give.

#include "AideCAD.h"
#include "AideEmf.h"
#include "CanevasEspion.h"
#include "Convertisseurs.h"
#include "ImportEmf.h"
#include "TxiloCADGroup.h"
#include "TxiloCADLigne.h"
#include "TxiloCADMdl.h"
#include "TxiloCADTexte.h"

#include <gtest/gtest.h>

#include <random>

#include <QFile>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;
using namespace aidecad;
using namespace aideemf;

namespace {

QString Fixture(const QString &nom)
{
    return QString::fromUtf8(LIGNEE_FIXTURES) + u"/cad/"_s + nom;
}

const QRgb Rouge = qRgb(255, 0, 0);
const QRgb Blanc = qRgb(255, 255, 255);

// A page of 200 x 150 mm at 4 pixels per millimetre whose bare file names
// are those of `dossier`.
struct Page : Page200x150 {
    explicit Page(const QString &dossier = Fixture(QString())) : Page200x150(dossier) {}
    TxiloCADGroup &Ajoute(double x, double y, double l, double h, const QString &fichier)
    {
        auto &groupe = dynamic_cast<TxiloCADGroup &>(*m.AddObject(u"groupe"_s));
        groupe.SetFace(1);
        groupe.SetCentre(x, y);
        groupe.SetTaille(l, h);
        groupe.SetFichierMdl(fichier);
        return groupe;
    }
};

TxiloCADLigne &Ligne(TxiloCADMdl &m, int i)
{
    return dynamic_cast<TxiloCADLigne &>(m.Objet(i));
}

bool Ecrit(const QString &chemin, const QString &texte)
{
    QFile f(chemin);
    return f.open(QIODevice::WriteOnly) && f.write(texte.toUtf8()) >= 0;
}

// A model file of a 40 x 20 page holding one group of that file.
QString ModeleAvecGroupe(const QString &fichier)
{
    return u"Large=40\nHaut=20\nFace=1\n  G\n    Name=Groupe\n    x=20\n    y=10\n    l=40\n    h=20\n"
           u"    FichierMdl="_s
           + fichier + u"\n  End\n  R\n    Name=Rectangle\n    x=5\n    y=5\n    l=4\n    h=4\n  End\nEnd\n"_s;
}

} // namespace

TEST(ImportEmf, CheminsRemplisEnLignes)
{
    // Two filled paths: each line has the pen created before its path began
    // and the brush created last before its fill. A rectangle, an ellipse,
    // a text and a bitmap make no line.
    Emf e(QRect(QPoint(0, 0), QPoint(6000, 4000)));
    e.Crayon(1, 0, 700, Ref(255, 0, 0)).Brosse(2, 0, Ref(0, 0, 255));
    e.Simple(emr::BeginPath).Point(emr::MoveToEx, {100, 200}).Point(emr::LineTo, {300, 200});
    e.Poly(emr::PolylineTo16, {{300, 400}});
    e.Simple(emr::CloseFigure).Simple(emr::EndPath).Brosse(3, 2, Ref(0, 255, 0));
    e.Rect(emr::FillPath, QRect(0, 0, 1, 1));
    e.Crayon(4, 0, 350, Ref(0, 0, 255)).Brosse(5, 0, Ref(255, 255, 0));
    e.Rect(emr::Rectangle, QRect(QPoint(0, 0), QPoint(100, 100))).Rect(emr::Ellipse, QRect(QPoint(0, 0), QPoint(100, 100)));
    e.Texte({10, 10}, u"x"_s).Bitmap(QRect(0, 0, 10, 10), QImage(2, 2, QImage::Format_RGB32));
    e.Simple(emr::BeginPath).Point(emr::MoveToEx, {1000, 1000});
    e.Poly(emr::PolyBezierTo16, {{1100, 1000}, {1200, 1100}, {1200, 1200}});
    e.Simple(emr::EndPath).Rect(emr::FillPath, QRect(0, 0, 1, 1));
    TxiloCADMdl m(nullptr, QRect(), 0, 0);
    ASSERT_TRUE(ImportEmfOctets(m, e.Octets()));
    EXPECT_EQ(m.Large(), 60);
    EXPECT_EQ(m.Haut(), 40);
    ASSERT_EQ(m.Count(), 2);
    TxiloCADLigne &premiere = Ligne(m, 0);
    TxiloCADLigne &seconde = Ligne(m, 1);
    EXPECT_EQ(premiere.Face(), 1);
    // Straight segments, their control points on their ends.
    const std::vector<QPointF> droits{{1, 2}, {1, 2}, {3, 2}, {3, 2}, {3, 2}, {3, 4}, {3, 4}};
    EXPECT_EQ(premiere.Points(), droits);
    const std::vector<QPointF> courbe{{10, 10}, {11, 10}, {12, 11}, {12, 12}};
    EXPECT_EQ(seconde.Points(), courbe);
    EXPECT_EQ(premiere.Pen(), (TStylo{CouleurRGB(255, 0, 0), 20, StyloPlein}));
    EXPECT_EQ(seconde.Pen(), (TStylo{CouleurRGB(0, 0, 255), 10, StyloPlein}));
    EXPECT_EQ(premiere.Brush(), (TPinceau{CouleurRGB(0, 255, 0), 2}));
    EXPECT_EQ(seconde.Brush(), (TPinceau{CouleurRGB(255, 255, 0), PinceauPlein}));
}

// The brush styles of the designs are kept, up to the last one; a style
// beyond them fills solid.
TEST(ImportEmf, DernierStyleDePinceau)
{
    for (const std::uint32_t style : {std::uint32_t(PinceauMax), std::uint32_t(PinceauMax + 1)}) {
        Emf e;
        e.Brosse(1, style, Ref(0, 0, 255));
        e.Simple(emr::BeginPath).Point(emr::MoveToEx, {100, 100}).Point(emr::LineTo, {200, 100});
        e.Point(emr::LineTo, {200, 200}).Simple(emr::EndPath).Rect(emr::FillPath, QRect(0, 0, 1, 1));
        TxiloCADMdl m(nullptr, QRect(), 0, 0);
        ASSERT_TRUE(ImportEmfOctets(m, e.Octets()));
        ASSERT_EQ(m.Count(), 1);
        EXPECT_EQ(Ligne(m, 0).Brush(),
                  (TPinceau{CouleurRGB(0, 0, 255), style == PinceauMax ? PinceauMax : PinceauPlein}))
            << style;
    }
}

TEST(ImportEmf, PointsHorsCheminEtEnregistrementsCasses)
{
    // Lines drawn outside any path add nothing, before the first path and
    // after one.
    Emf e;
    e.Point(emr::MoveToEx, {0, 0}).Point(emr::LineTo, {500, 500}).Poly(emr::PolylineTo16, {{10, 10}});
    e.Poly(emr::PolyBezierTo16, {{1, 1}, {2, 2}, {3, 3}});
    e.Simple(emr::BeginPath).Point(emr::MoveToEx, {100, 100}).Point(emr::LineTo, {200, 100}).Simple(emr::EndPath);
    e.Point(emr::LineTo, {900, 900}).Poly(emr::PolyBezierTo16, {{1, 1}, {2, 2}, {3, 3}});
    e.Crayon(1, 0, 3500, Ref(255, 0, 0));
    TxiloCADMdl m(nullptr, QRect(), 0, 0);
    ASSERT_TRUE(ImportEmfOctets(m, e.Octets()));
    ASSERT_EQ(m.Count(), 1);
    EXPECT_EQ(Ligne(m, 0).NombrePoints(), 4);
    // A pen created after the path is not the line's.
    EXPECT_EQ(Ligne(m, 0).Pen(), TStylo());

    // A broken record ends the import: the line before it stays, the path
    // after it is not read.
    Emf casse;
    casse.Simple(emr::BeginPath).Point(emr::MoveToEx, {100, 100}).Point(emr::LineTo, {200, 100}).Simple(emr::EndPath);
    QByteArray enorme;
    for (const std::uint32_t v : {std::uint32_t(emr::PolylineTo16), 32u, 0u, 0u, 1u, 1u, 0x40000000u, 0u})
        Mot(enorme, v);
    casse.Brut(enorme).Simple(emr::BeginPath).Point(emr::MoveToEx, {1, 1}).Simple(emr::EndPath);
    TxiloCADMdl m2(nullptr, QRect(), 0, 0);
    ASSERT_TRUE(ImportEmfOctets(m2, casse.Octets()));
    EXPECT_EQ(m2.Count(), 1);
    // A path of more points than a line holds keeps the first PointsMax.
    Emf longue;
    longue.Simple(emr::BeginPath).Point(emr::MoveToEx, {0, 0});
    QList<QPoint> points;
    for (int i = 0; i < 3000; ++i)
        points.append(QPoint(i, i % 7));
    longue.Poly(emr::PolyBezierTo16, points).Simple(emr::EndPath);
    TxiloCADMdl m3(nullptr, QRect(), 0, 0);
    ASSERT_TRUE(ImportEmfOctets(m3, longue.Octets()));
    EXPECT_EQ(Ligne(m3, 0).NombrePoints(), PointsMax);
    // Not a metafile: nothing.
    TxiloCADMdl m4(nullptr, QRect(), 10, 10);
    EXPECT_FALSE(ImportEmfOctets(m4, "pas un métafichier"));
    EXPECT_FALSE(ImportEmf(m4, Fixture(u"absent.emf"_s)));
    EXPECT_EQ(m4.Count(), 0);
    EXPECT_EQ(m4.Large(), 10);
}

// Random damage to the clip art never crashes the import, and no line holds
// more points than a line may.
TEST(ImportEmf, DommagesAleatoires)
{
    QFile f(Fixture(u"fleur.emf"_s));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray graine = f.readAll();
    std::mt19937 hasard(1789);
    int importes = 0;
    for (int tour = 0; tour < 2000; ++tour) {
        QByteArray o = graine;
        for (int c = 0; c < 3; ++c) {
            const qsizetype i = qsizetype(hasard() % std::uint32_t(o.size()));
            switch (hasard() % 3) {
            case 0:
                o[i] = char(hasard());
                break;
            case 1:
                o.truncate(std::max<qsizetype>(i, 8));
                break;
            default: {
                const qsizetype mot = std::min<qsizetype>(i / 4 * 4, o.size() - 4);
                const std::uint32_t v = hasard() % 2 ? 0xFFFFFFFFu : 0x10000u;
                for (int k = 0; k < 4; ++k)
                    o[mot + k] = char((v >> (8 * k)) & 0xFF);
            }
            }
        }
        TxiloCADMdl m(nullptr, QRect(), 0, 0);
        if (ImportEmfOctets(m, o))
            ++importes;
        for (int i = 0; i < m.Count(); ++i)
            EXPECT_LE(Ligne(m, i).NombrePoints(), PointsMax);
    }
    EXPECT_GT(importes, 500);
}

TEST(GroupeObjet, SousModeleEtireMiroirEtStyloForce)
{
    // The sub-model, a 40 x 20 page whose left half is a red square, in an
    // 80 x 40 mm box: the box's left half red.
    Page p;
    TxiloCADGroup &groupe = p.Ajoute(100, 75, 80, 40, u"sous_modele.mdl"_s);
    EXPECT_EQ(groupe.CheminMdl(), Fixture(u"sous_modele.mdl"_s));
    ASSERT_EQ(groupe.SousModele().Count(), 1);
    QImage page = p.Dessine();
    // The box from (240, 220) to (560, 380).
    EXPECT_EQ(BoiteDe(page, CouleurRouge), QRect(QPoint(240, 220), QPoint(399, 379)));

    // Mirrored left to right: the right half.
    groupe.SetMirroirX(-1);
    page = p.Dessine();
    EXPECT_EQ(BoiteDe(page, CouleurRouge), QRect(QPoint(400, 220), QPoint(559, 379)));
    // Mirrored both ways it stays in the box.
    groupe.SetMirroirY(-1);
    page = p.Dessine();
    EXPECT_EQ(BoiteDe(page, CouleurRouge), QRect(QPoint(400, 220), QPoint(559, 379)));
    groupe.SetMirroirX(1);
    groupe.SetMirroirY(1);

    // Turned with the box: a quarter turn stands the red half on top.
    groupe.SetR(90);
    page = p.Dessine();
    EXPECT_TRUE(BoiteDe(page, CouleurRouge).adjusted(-1, -1, 1, 1).contains(QRect(QPoint(320, 140), QPoint(479, 299))));
    EXPECT_EQ(page.pixel(400, 350), Blanc);
    groupe.SetR(0);

    // The group's pen and brush forced on the sub-objects, which keep them.
    groupe.SetBrush(TPinceau{CouleurBleue, PinceauPlein});
    groupe.SetForcePenBrush(true);
    page = p.Dessine();
    EXPECT_EQ(page.pixel(320, 300), CouleurCAD(CouleurBleue).rgb());
    groupe.SetForcePenBrush(false);
    page = p.Dessine();
    EXPECT_EQ(page.pixel(320, 300), CouleurCAD(CouleurBleue).rgb());
    EXPECT_EQ(groupe.SousModele().Objet(0).Brush(), (TPinceau{CouleurBleue, PinceauPlein}));
}

TEST(GroupeObjet, ClesFichiersAbsentsEtCopies)
{
    // Keys: the file name alone; mirrors read by their sign, 0 or missing
    // as 1.
    Page p;
    TxiloCADGroup &groupe = p.Ajoute(100, 75, 80, 40, Fixture(u"sous_modele.mdl"_s));
    groupe.SetMirroirX(-1);
    groupe.SetForcePenBrush(true);
    const QStringList cles = groupe.SaveToStrings();
    const qsizetype debut = cles.indexOf(u"r=0"_s);
    ASSERT_GE(debut, 0);
    EXPECT_EQ(cles.mid(debut + 1), QStringList({u"mirroirx=-1"_s, u"mirroiry=1"_s, u"FichierMdl=sous_modele.mdl"_s,
                                                u"ForcePenBrush=1"_s}));
    EXPECT_EQ(groupe.Pen(), (TStylo{CouleurNoire, 300, StyloPlein}));
    QStringList lues = cles;
    lues.replace(lues.indexOf(u"mirroirx=-1"_s), u"mirroirx=0"_s);
    lues.replace(lues.indexOf(u"mirroiry=1"_s), u"mirroiry=-7"_s);
    groupe.LoadFromStrings(lues);
    EXPECT_EQ(groupe.MirroirX(), 1);
    EXPECT_EQ(groupe.MirroirY(), -1);

    // A missing file: "Pas de modèle".
    TxiloCADGroup &absent = p.Ajoute(40, 40, 30, 20, u"absent.mdl"_s);
    CanevasEspion espion(QSize(800, 600));
    absent.Draw(espion);
    ASSERT_EQ(espion.Textes.size(), 1u);
    EXPECT_EQ(espion.Textes[0].Texte, u"Pas de modèle"_s);

    // A copy keeps a sub-model found outside the folder of bare names.
    QTemporaryDir vide;
    Page ailleurs(vide.path());
    TxiloCADGroup &source = ailleurs.Ajoute(100, 75, 80, 40, Fixture(u"sous_modele.mdl"_s));
    auto *copie = dynamic_cast<TxiloCADGroup *>(ailleurs.m.CloneObject(source));
    ASSERT_NE(copie, nullptr);
    EXPECT_EQ(source.SousModele().Count(), 1);
    EXPECT_EQ(copie->SousModele().Count(), 1);
    EXPECT_EQ(copie->CheminMdl(), Fixture(u"sous_modele.mdl"_s));
}

TEST(GroupeObjet, FichiersQuiSeNommentEux_Memes)
{
    // A model naming itself, two naming each other, and a chain deeper than
    // groups are read: every reading ends.
    QTemporaryDir dossier;
    ASSERT_TRUE(Ecrit(dossier.filePath(u"soi.mdl"_s), ModeleAvecGroupe(u"soi.mdl"_s)));
    ASSERT_TRUE(Ecrit(dossier.filePath(u"a.mdl"_s), ModeleAvecGroupe(u"b.mdl"_s)));
    ASSERT_TRUE(Ecrit(dossier.filePath(u"b.mdl"_s), ModeleAvecGroupe(u"a.mdl"_s)));
    for (int i = 0; i < 12; ++i)
        ASSERT_TRUE(Ecrit(dossier.filePath(u"n%1.mdl"_s.arg(i)), ModeleAvecGroupe(u"n%1.mdl"_s.arg(i + 1))));
    Page p(dossier.path());
    // The depth of groups read inside a group.
    const auto profondeur = [](TxiloCADGroup &g) {
        int n = 0;
        TxiloCADGroup *courant = &g;
        while (courant && courant->SousModele().Count() > 0) {
            ++n;
            courant = dynamic_cast<TxiloCADGroup *>(&courant->SousModele().Objet(0));
        }
        return n;
    };
    TxiloCADGroup &soi = p.Ajoute(50, 50, 40, 20, u"soi.mdl"_s);
    EXPECT_EQ(profondeur(soi), 1);
    TxiloCADGroup &a = p.Ajoute(100, 50, 40, 20, u"a.mdl"_s);
    EXPECT_EQ(profondeur(a), 2);
    TxiloCADGroup &chaine = p.Ajoute(150, 50, 40, 20, u"n0.mdl"_s);
    EXPECT_EQ(profondeur(chaine), TxiloCADGroup::ProfondeurMax);
    // Each is drawn, down to the innermost group's message.
    CanevasEspion espion(QSize(800, 600));
    p.m.Draw(espion, QRect(0, 0, 800, 600));
    int messages = 0;
    for (const auto &t : espion.Textes)
        messages += t.Texte == u"Pas de modèle"_s;
    EXPECT_EQ(messages, 3);
}

// A model file of a 100 x 20 page holding five groups of `fichier` side by
// side, or five rectangles when `fichier` is empty.
QString CinqGroupes(const QString &fichier)
{
    QString texte = u"Large=100\nHaut=20\nFace=1\n"_s;
    for (int i = 0; i < 5; ++i) {
        texte += u"  O%1\n    Name=%2\n    x=%3\n    y=10\n    l=18\n    h=18\n"_s.arg(i)
                     .arg(fichier.isEmpty() ? u"Rectangle"_s : u"Groupe"_s)
                     .arg(10 + 20 * i);
        if (!fichier.isEmpty())
            texte += u"    FichierMdl="_s + fichier + u'\n';
        texte += u"  End\n"_s;
    }
    return texte + u"End\n"_s;
}

// The objects of a model and of all its groups' sub-models; the groups
// whose sub-model was not read, or read empty, in *vides.
int Objets(TxiloCADMdl &m, int *vides)
{
    int n = m.Count();
    for (int i = 0; i < m.Count(); ++i) {
        if (auto *g = dynamic_cast<TxiloCADGroup *>(&m.Objet(i))) {
            *vides += g->SousModele().Count() == 0;
            n += Objets(g->SousModele(), vides);
        }
    }
    return n;
}

TEST(GroupeObjet, GroupesDeGroupesBornesParLaLecture)
{
    // Nine files each holding five groups of the next would make 5^9 objects:
    // one reading makes about its budget, the first groups whole, the later
    // ones empty ("Pas de modèle"), and no group shows part of its
    // sub-model.
    QTemporaryDir dossier;
    for (int i = 0; i < 9; ++i) {
        ASSERT_TRUE(Ecrit(dossier.filePath(u"n%1.mdl"_s.arg(i)),
                          CinqGroupes(i < 8 ? u"n%1.mdl"_s.arg(i + 1) : QString())));
    }
    Page p(dossier.path());
    ASSERT_TRUE(p.m.LoadFromFile(dossier.filePath(u"n0.mdl"_s)));
    int vides = 0;
    const int objets = Objets(p.m, &vides);
    // Past the budget, only the files being read then (one a level) still
    // make their own five objects.
    EXPECT_LE(objets, TxiloCADMdl::ObjetsMaxLecture + 9 * 5);
    EXPECT_GT(objets, TxiloCADMdl::ObjetsMaxLecture / 2);
    EXPECT_GT(vides, 0);
    // The first group of each level holds its five objects down to the
    // rectangles of the last file.
    TxiloCADMdl *niveau = &p.m;
    for (int i = 0; i < 9; ++i) {
        ASSERT_EQ(niveau->Count(), 5) << i;
        auto *g = dynamic_cast<TxiloCADGroup *>(&niveau->Objet(0));
        if (i == 8) {
            EXPECT_EQ(g, nullptr);
            break;
        }
        ASSERT_NE(g, nullptr);
        niveau = &g->SousModele();
    }
    // The last group of the page was read after the budget ran out.
    auto &derniere = dynamic_cast<TxiloCADGroup &>(p.m.Objet(4));
    EXPECT_EQ(derniere.SousModele().Count(), 0);
    CanevasEspion espion(QSize(400, 80));
    p.m.Draw(espion, QRect(0, 0, 400, 80));
    int messages = 0;
    for (const auto &t : espion.Textes)
        messages += t.Texte == u"Pas de modèle"_s;
    EXPECT_GT(messages, 0);

    // Each reading has its own budget: the same file read again, or a group
    // given a file afterwards, reads as much again.
    ASSERT_TRUE(p.m.LoadFromFile(dossier.filePath(u"n0.mdl"_s)));
    int vides2 = 0;
    EXPECT_EQ(Objets(p.m, &vides2), objets);
    TxiloCADGroup &groupe = p.Ajoute(50, 50, 40, 20, u"n1.mdl"_s);
    int videsGroupe = 0;
    EXPECT_GT(Objets(groupe.SousModele(), &videsGroupe), TxiloCADMdl::ObjetsMaxLecture / 2);

    // One file of more objects than a reading may make: whole when read
    // first, left empty rather than cut when read as a group's sub-model.
    QString gros = u"Large=100\nHaut=20\nFace=1\n"_s;
    for (int i = 0; i <= TxiloCADMdl::ObjetsPlafondLecture; ++i)
        gros += u"  R%1\n    Name=Rectangle\n  End\n"_s.arg(i);
    ASSERT_TRUE(Ecrit(dossier.filePath(u"gros.mdl"_s), gros + u"End\n"_s));
    TxiloCADMdl seul(nullptr, QRect(), 100, 20);
    ASSERT_TRUE(seul.LoadFromFile(dossier.filePath(u"gros.mdl"_s)));
    EXPECT_EQ(seul.Count(), TxiloCADMdl::ObjetsPlafondLecture + 1);
    EXPECT_FALSE(seul.LectureTronquee());
    ASSERT_TRUE(Ecrit(dossier.filePath(u"g.mdl"_s), CinqGroupes(u"gros.mdl"_s)));
    ASSERT_TRUE(p.m.LoadFromFile(dossier.filePath(u"g.mdl"_s)));
    auto &premier = dynamic_cast<TxiloCADGroup &>(p.m.Objet(0));
    EXPECT_EQ(premier.SousModele().Count(), 0);
    EXPECT_TRUE(premier.SousModele().LectureTronquee());
}

TEST(GroupeObjet, MetafichierImporte)
{
    // The clip art's six filled paths (four petals, the heart and the stem)
    // are six lines of a 60 x 60 mm sub-model, drawn in the box.
    Page p;
    TxiloCADGroup &groupe = p.Ajoute(100, 75, 60, 60, u"fleur.emf"_s);
    TxiloCADMdl &s = groupe.SousModele();
    ASSERT_EQ(s.Count(), 6);
    EXPECT_EQ(s.Large(), 60);
    EXPECT_EQ(s.Haut(), 60);
    EXPECT_EQ(s.Objet(0).Brush().Couleur, CouleurRGB(40, 160, 40));
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(s.Objet(i).Brush().Couleur, CouleurRGB(250, 200, 30)) << i;
    EXPECT_EQ(s.Objet(5).Brush().Couleur, CouleurRGB(150, 70, 20));
    const QImage page = p.Dessine();
    // The heart at (30, 22) mm of the frame, a petal up and to the right of
    // it, the stem below; nothing of the ground or the caption.
    EXPECT_EQ(page.pixel(400, 268), qRgb(150, 70, 20));
    EXPECT_EQ(page.pixel(440, 228), qRgb(250, 200, 30));
    EXPECT_EQ(page.pixel(400, 360), qRgb(40, 160, 40));
    EXPECT_EQ(page.pixel(300, 410), Blanc);
}

TEST(GroupeObjet, TexteMiroirGardeSaTaille)
{
    // A text off the middle of a 40 x 20 sub-model, in an 80 x 40 mm box (8
    // pixels to the sub-model's millimetre). Mirrored, the text keeps its
    // size and reads as it is: it is drawn as the same text unmirrored at
    // the mirrored place, turned the other way when one side is mirrored.
    ASSERT_TRUE(ChargeFonteTest());
    QTemporaryDir dossier;
    const struct {
        const char *nom;
        const char *txt;
        int r;
    } textes[] = {{"une ligne", "Famille Dupré", 0}, {"deux lignes", "Famille|Dupré de Vannes", 0},
                  {"tournée", "Famille|Dupré de Vannes", 30}};
    for (const auto &t : textes) {
        SCOPED_TRACE(t.nom);
        ASSERT_TRUE(Ecrit(dossier.filePath(u"texte.mdl"_s),
                          u"Large=40\nHaut=20\nFace=1\n  Titre\n    Name=Texte\n    x=13\n    y=7\n    r=%1\n"
                          u"    Font=000000,Arial,2500,\n    txt=%2\n  End\nEnd\n"_s.arg(t.r)
                              .arg(QString::fromUtf8(t.txt))));
        Page p(dossier.path());
        TxiloCADGroup &groupe = p.Ajoute(100, 75, 80, 40, u"texte.mdl"_s);
        ASSERT_EQ(groupe.SousModele().Count(), 1);
        auto &texte = dynamic_cast<TxiloCADTexte &>(groupe.SousModele().Objet(0));
        const QRect rect(0, 0, 800, 600);
        const auto encre = [&] {
            return BoiteNonBlanche(Dessine(rect.size(), [&](TCanevas &c) { p.m.DrawObjects(c, rect); }));
        };
        const QRect droit = encre();
        const QSizeF taille(texte.L(), texte.H());
        ASSERT_GT(droit.width(), 100);
        const struct {
            int mx;
            int my;
        } miroirs[] = {{-1, 1}, {1, -1}, {-1, -1}};
        for (const auto &m : miroirs) {
            SCOPED_TRACE(m.mx);
            SCOPED_TRACE(m.my);
            groupe.SetMirroirX(m.mx);
            groupe.SetMirroirY(m.my);
            const QRect miroir = encre();
            EXPECT_NEAR(texte.L(), taille.width(), 1e-9);
            EXPECT_NEAR(texte.H(), taille.height(), 1e-9);
            EXPECT_NEAR(miroir.width(), droit.width(), 2);
            EXPECT_NEAR(miroir.height(), droit.height(), 2);
            if (m.my > 0) {
                // Left to right, the ink's middle is mirrored about the
                // box's middle (x = 400).
                EXPECT_NEAR(QRectF(miroir).center().x(), 800 - QRectF(droit).center().x(), 2);
                EXPECT_NEAR(QRectF(miroir).center().y(), QRectF(droit).center().y(), 1);
            }

            groupe.SetMirroirX(1);
            groupe.SetMirroirY(1);
            texte.SetCentre(m.mx < 0 ? 40 - 13 : 13, m.my < 0 ? 20 - 7 : 7);
            texte.SetR(t.r * m.mx * m.my);
            const QRect attendu = encre();
            EXPECT_NEAR(miroir.left(), attendu.left(), 1);
            EXPECT_NEAR(miroir.top(), attendu.top(), 1);
            EXPECT_NEAR(miroir.right(), attendu.right(), 1);
            EXPECT_NEAR(miroir.bottom(), attendu.bottom(), 1);
            texte.SetCentre(13, 7);
            texte.SetR(t.r);
        }
        EXPECT_EQ(encre(), droit);
    }
}
// A placeholder of a group's text whose value names itself is filled once,
// as on the page: the group asks the page for the value, and neither fills
// it again.
TEST(GroupeObjet, BaliseQuiSeNommeElleMeme)
{
    QTemporaryDir dossier;
    ASSERT_TRUE(Ecrit(dossier.filePath(u"texte.mdl"_s),
                      u"Large=40\nHaut=20\nFace=1\n  Titre\n    Name=Texte\n    x=20\n    y=10\n"
                      u"    Font=000000,Arial,2500,\n    txt=<titre>\n  End\nEnd\n"_s));
    Page p(dossier.path());
    const QString valeur = u"<titre>"_s + QString(20000, u'x');
    p.m.SetOnGetTagValue([&valeur](TxiloCADObj *, const QString &balise, QString &v) {
        if (balise == u"titre"_s)
            v = valeur;
    });
    TxiloCADGroup &groupe = p.Ajoute(100, 75, 80, 40, u"texte.mdl"_s);
    ASSERT_EQ(groupe.SousModele().Count(), 1);
    const QString affiche = dynamic_cast<TxiloCADTexte &>(groupe.SousModele().Objet(0)).TexteAffiche();
    EXPECT_EQ(affiche.size(), valeur.size());
    EXPECT_TRUE(affiche == valeur);
}

TEST(GroupeObjet, TexteDansUnGroupeTourne)
{
    // Two lines in the middle of a sub-model: in a group turned by an angle,
    // they are drawn as the same text turned by that angle in a group that
    // is not, letters and lines alike.
    ASSERT_TRUE(ChargeFonteTest());
    QTemporaryDir dossier;
    ASSERT_TRUE(Ecrit(dossier.filePath(u"texte.mdl"_s),
                      u"Large=40\nHaut=20\nFace=1\n  Titre\n    Name=Texte\n    x=20\n    y=10\n"
                      u"    Font=000000,Arial,2500,\n    txt=Famille|Dupré de Vannes\n  End\nEnd\n"_s));
    Page p(dossier.path());
    TxiloCADGroup &groupe = p.Ajoute(100, 75, 80, 40, u"texte.mdl"_s);
    auto &texte = dynamic_cast<TxiloCADTexte &>(groupe.SousModele().Objet(0));
    const QRect rect(0, 0, 800, 600);
    const auto encre = [&] {
        return BoiteNonBlanche(Dessine(rect.size(), [&](TCanevas &c) { p.m.DrawObjects(c, rect); }));
    };
    for (const int angle : {90, 30, -45}) {
        SCOPED_TRACE(angle);
        groupe.SetR(angle);
        texte.SetR(0);
        const QRect tourne = encre();
        groupe.SetR(0);
        texte.SetR(angle);
        const QRect attendu = encre();
        EXPECT_NEAR(tourne.left(), attendu.left(), 1);
        EXPECT_NEAR(tourne.top(), attendu.top(), 1);
        EXPECT_NEAR(tourne.right(), attendu.right(), 1);
        EXPECT_NEAR(tourne.bottom(), attendu.bottom(), 1);
    }
}
TEST(GroupeObjet, CalendrierMiroirGardeSesChiffres)
{
    // A month calendar in a group writes its letters and days in the same
    // font whichever way the group is mirrored.
    ASSERT_TRUE(ChargeFonteTest());
    QTemporaryDir dossier;
    ASSERT_TRUE(Ecrit(dossier.filePath(u"cal.mdl"_s),
                      u"Large=40\nHaut=20\nFace=1\n  Mois\n    Name=cal\n    x=20\n    y=10\n    l=36\n    h=18\n"
                      u"    Font=000000,Arial,8,\n    Annee=2024\n    Mois=2\n  End\nEnd\n"_s));
    Page p(dossier.path());
    TxiloCADGroup &groupe = p.Ajoute(100, 75, 120, 60, u"cal.mdl"_s);
    const auto ecrits = [&] {
        CanevasEspion espion(QSize(800, 600));
        p.m.DrawObjects(espion, QRect(0, 0, 800, 600));
        return espion.Textes;
    };
    const auto droits = ecrits();
    // Seven letters and the 29 days of February 2024.
    ASSERT_EQ(droits.size(), 36u);
    for (const auto &[mx, my] : {std::pair{-1, 1}, std::pair{1, -1}, std::pair{-1, -1}}) {
        groupe.SetMirroirX(mx);
        groupe.SetMirroirY(my);
        const auto miroirs = ecrits();
        ASSERT_EQ(miroirs.size(), droits.size()) << mx << ',' << my;
        EXPECT_EQ(miroirs.front().Fonte.Hauteur, droits.front().Fonte.Hauteur) << mx << ',' << my;
    }
}
