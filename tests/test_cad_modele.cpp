// Page models of the designs: the sections of model files, reading and
// writing them, the object list, placeholders and coordinates.

#include "AideCAD.h"
#include "CheminsSpeciaux.h"
#include "Convertisseurs.h"
#include "ExportEmf.h"
#include "FichierMdl.h"
#include "Fichiers.h"
#include "Langue.h"
#include "TxiloCADBloc.h"
#include "TxiloCADMdl.h"
#include "TxiloCADRectangle.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <thread>
#include <cmath>
#include <gtest/gtest.h>
#include <random>

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;
using namespace aidecad;

// Texts shown as text when a comparison fails.
void PrintTo(const QString &texte, std::ostream *flux)
{
    *flux << '"' << texte.toStdString() << '"';
}

namespace {

QString Fixture(const QString &nom)
{
    return QString::fromUtf8(LIGNEE_FIXTURES) + u"/cad/"_s + nom;
}

QByteArray Octets(const QString &chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TxiloCADRectangle &Rect(TxiloCADMdl &m, int i)
{
    return dynamic_cast<TxiloCADRectangle &>(m.Objet(i));
}

// A page of 120 x 120 mm on 1200 x 1200 pixels.
struct Page {
    TxiloCADMdl m{nullptr, QRect(0, 0, 1200, 1200), 120, 120};
};

} // namespace

TEST(SectionsMdl, NiveauxEtChemins)
{
    // Tabs are not counted; a line of blanks only counts one less.
    const std::pair<const char16_t *, int> niveaux[] = {
        {u"Face=1", 0}, {u" x", 0}, {u"  Obj", 1}, {u"   x", 1}, {u"    x=1", 2},
        {u"\t\tx", 0}, {u"  \tx", 1}, {u"    ", 1}, {u"     ", 2}, {u"", 0},
    };
    for (const auto &[ligne, niveau] : niveaux)
        EXPECT_EQ(LineLevel(QString::fromUtf16(ligne)), niveau) << QString::fromUtf16(ligne).toStdString();
    EXPECT_EQ(IndentText(2, u"x=1"_s), u"    x=1"_s);

    const QStringList lignes = {
        u"Large=10"_s,
        u"Face=1"_s,
        u"  A"_s,
        u"    Name=Rectangle"_s,
        u"    x=1"_s,
        u"      Profond=1"_s, // a nested block's line
        u"    End"_s,
        u"  End"_s,
        u"  B "_s,            // trailing blanks count
        u"    x=2"_s,
        u"  End"_s,
        u"End"_s,
        u"Face=2"_s,
        u"  A"_s,             // the name of face 1 again
        u"    y=3"_s,
        u"  End"_s,
        u"End"_s,
    };
    struct Cas {
        const char16_t *chemin;
        QStringList attendu;
    };
    const Cas cas[] = {
        {u"/Face=1", {u"A"_s, u"B "_s}},
        {u"/Face=1/A", {u"Name=Rectangle"_s, u"x=1"_s, u"y=3"_s}}, // the later block too
        {u"/Face=2/A", {u"y=3"_s}},
        {u"/Face=1/B ", {u"x=2"_s}},
        {u"/Face=1/B", {}},
        {u"/face=1", {}},     // letter case counts
        {u"/Face=3", {}},
        {u"/Face=3/A", {}},
        {u"", {}},
    };
    for (const Cas &c : cas) {
        SCOPED_TRACE(QString::fromUtf16(c.chemin).toStdString());
        EXPECT_EQ(GetSection(lignes, QString::fromUtf16(c.chemin)), c.attendu);
    }
    // A header found at any indentation; a block without End runs to the
    // end of the text.
    EXPECT_EQ(GetSection({u"    Face=1"_s, u"  X"_s, u"    a=1"_s}, u"/Face=1/X"), QStringList({u"a=1"_s}));
}

TEST(ModeleMdl, LectureDUnModele)
{
    Page p;
    p.m.SetFaceCourante(2);
    p.m.Interrupteurs().Interactif = false;
    ASSERT_TRUE(p.m.LoadFromFile(Fixture(u"etiquette_cd.mdl"_s)));
    EXPECT_EQ(p.m.Large(), 120);
    EXPECT_EQ(p.m.Haut(), 120);
    EXPECT_EQ(p.m.Gabarit(), 1);
    EXPECT_EQ(p.m.ValeurPage(u"petitdiam"), u"15"_s);
    EXPECT_EQ(p.m.EchelleX(), 1);
    // The face and the switches outlive a load.
    EXPECT_EQ(p.m.FaceCourante(), 2);
    EXPECT_FALSE(p.m.Interrupteurs().Interactif);

    ASSERT_EQ(p.m.Count(), 3);
    const TxiloCADRectangle &fond = Rect(p.m, 0);
    EXPECT_EQ(fond.Cote(), 999);
    EXPECT_FALSE(fond.CanSelect());
    EXPECT_EQ(fond.Pen().Style, StyloVide);
    EXPECT_EQ(fond.Brush(), (TPinceau{CouleurRGB(0x99, 0xCC, 0xFF), PinceauPlein}));
    // Name RECTANGLE makes a rectangle; the Face key says 2 but the block is
    // in face 1; comma decimals; the Windows code page.
    const TxiloCADRectangle &bandeau = Rect(p.m, 1);
    EXPECT_EQ(bandeau.Face(), 1);
    EXPECT_EQ(bandeau.Tag(), 3);
    EXPECT_EQ(bandeau.Code(), u"bandeau généalogique"_s);
    EXPECT_DOUBLE_EQ(bandeau.X(), 60.5);
    EXPECT_DOUBLE_EQ(bandeau.Y(), 30.25);
    EXPECT_DOUBLE_EQ(bandeau.H(), 12.5);
    EXPECT_DOUBLE_EQ(bandeau.R(), -22.5);
    EXPECT_EQ(bandeau.Pen(), (TStylo{CouleurRouge, 350, StyloPlein}));
    EXPECT_EQ(Rect(p.m, 2).Face(), 2);
    EXPECT_EQ(Rect(p.m, 2).Cote(), 3);

    // Faces 1 and 3: the reading stops at the missing face 2.
    ASSERT_TRUE(p.m.LoadFromFile(Fixture(u"faces_1_3.mdl"_s)));
    ASSERT_EQ(p.m.Count(), 1);
    EXPECT_EQ(Rect(p.m, 0).X(), 10);
    EXPECT_EQ(p.m.Gabarit(), 0);
}

TEST(ModeleMdl, BlocsRepetesEtSortesInconnues)
{
    Page p;
    ASSERT_TRUE(p.m.LoadFromFile(Fixture(u"noms_repetes.mdl"_s)));
    EXPECT_EQ(p.m.Large(), 0); // an indented page key is not a page key
    EXPECT_EQ(p.m.Haut(), 50);
    EXPECT_EQ(p.m.Gabarit(), 5);
    // The unknown kind and the block without kind are kept as read, where
    // they stand, and show nothing.
    ASSERT_EQ(p.m.Count(), 6);
    for (const int i : {3, 4}) {
        SCOPED_TRACE(i);
        auto *garde = dynamic_cast<TxiloCADBloc *>(&p.m.Objet(i));
        ASSERT_NE(garde, nullptr);
        EXPECT_EQ(garde->Face(), 1);
        EXPECT_EQ(garde->HitTest(QPointF(5, 0)), -1);
    }
    EXPECT_EQ(p.m.Objet(3).Name(), u"Hologramme"_s);
    EXPECT_EQ(p.m.Objet(3).Params(), QStringList({u"Name=Hologramme"_s, u"x=5"_s}));
    EXPECT_EQ(p.m.Objet(4).Name(), QString());
    EXPECT_EQ(p.m.Objet(4).Params(), QStringList({u"x=5"_s}));
    EXPECT_EQ(p.m.CloneObject(p.m.Objet(3)), nullptr);
    struct Attendu {
        int indice;
        int face;
        double x, y, l;
        int cote;
    };
    const Attendu attendus[] = {
        // Both blocks named Double read the lines of both: the first line
        // of each key wins.
        {0, 1, 10, 7, 0, 3},
        {1, 1, 10, 7, 0, 3},
        // Face 1's Partage also reads face 2's, for the keys it lacks.
        {2, 1, 1, 22, 4, 4},
        {5, 2, 2, 22, 4, 4},
    };
    for (const Attendu &a : attendus) {
        SCOPED_TRACE(a.indice);
        const TxiloCADRectangle &r = Rect(p.m, a.indice);
        EXPECT_EQ(r.Face(), a.face);
        EXPECT_EQ(r.X(), a.x);
        EXPECT_EQ(r.Y(), a.y);
        EXPECT_EQ(r.L(), a.l);
        EXPECT_EQ(r.Cote(), a.cote);
    }
}

TEST(ModeleMdl, ValeursCasseesLuesSansDanger)
{
    Page p;
    ASSERT_TRUE(p.m.LoadFromFile(Fixture(u"valeurs_cassees.mdl"_s)));
    EXPECT_EQ(p.m.Large(), -120);
    EXPECT_TRUE(std::isfinite(p.m.Haut()));
    EXPECT_FALSE(p.m.PageValide());
    EXPECT_EQ(p.m.FriseX(), 0);
    ASSERT_EQ(p.m.Count(), 4); // the last block, without End, included
    const TxiloCADRectangle &couleurs = Rect(p.m, 0);
    EXPECT_EQ(couleurs.Face(), 1);
    EXPECT_EQ(couleurs.Pen(), (TStylo{0, 1, StyloTirets}));
    EXPECT_EQ(couleurs.Brush(), (TPinceau{0x12, PinceauVide}));
    EXPECT_NEAR(couleurs.X(), 2, 1e-9);
    EXPECT_TRUE(std::isfinite(couleurs.Y()));
    EXPECT_DOUBLE_EQ(couleurs.R(), 1.5);
    // No side count is 4 sides; an absurd one is brought down; so is the
    // pen width.
    EXPECT_EQ(Rect(p.m, 1).Cote(), 4);
    EXPECT_EQ(Rect(p.m, 1).Pen().Largeur, LargeurStyloMax);
    EXPECT_EQ(Rect(p.m, 2).Cote(), TxiloCADRectangle::CoteMax);
    EXPECT_EQ(Rect(p.m, 3).X(), 40);
    // Drawing every object of it stays within the image.
    p.m.SetEchelles(10, 10);
    const QImage image = Dessine(QSize(200, 200), [&](TCanevas &c) {
        for (int i = 0; i < p.m.Count(); ++i)
            p.m.Objet(i).Draw(c);
    });
    EXPECT_FALSE(BoiteNonBlanche(image).isNull());
}

TEST(ModeleMdl, TaillesDePage)
{
    const struct {
        double large, haut;
        bool valide;
    } cas[] = {
        {210, 297, true},     {0, 297, false},          {210, 0, false},   {-1, 10, false},
        {10000, 1, true},     {10000.5, 1, false},      {1, 1e18, false},  {std::nan(""), 5, false},
        {INFINITY, 5, false}, {0.01, 0.01, true},
    };
    for (const auto &c : cas) {
        SCOPED_TRACE(c.large);
        TxiloCADMdl m(nullptr, QRect(0, 0, 210, 297), c.large, c.haut);
        EXPECT_EQ(m.PageValide(), c.valide);
        // A page that cannot be drawn has scales of 1, never a division by
        // its size.
        EXPECT_TRUE(std::isfinite(m.EchelleX()) && std::isfinite(m.EchelleY()));
    }
    TxiloCADMdl m(nullptr, QRect(0, 0, 210, 297), 21, 29.7);
    EXPECT_DOUBLE_EQ(m.EchelleX(), 10);
    EXPECT_DOUBLE_EQ(m.EchelleY(), 10);
    // A work bitmap larger than allowed is not made; texts are still
    // measured.
    TxiloCADMdl geant(nullptr, QRect(0, 0, 100000, 100000), 10, 10);
    EXPECT_GE(geant.CanevasTravail().TailleTexte(u"x"_s).height(), 1);
}

TEST(ModeleMdl, EnregistrementAttendu)
{
    QTemporaryDir dossier;
    Page p;
    p.m.SetGabarit(1);
    p.m.EcritValeurPage(u"PetitDiam"_s, u"15"_s);
    auto &a = dynamic_cast<TxiloCADRectangle &>(*p.m.AddObject(u"Rectangle"_s));
    a.SetFace(1);
    a.SetCentre(60, 60);
    a.SetTaille(40.5, 20.25);
    a.SetR(30);
    a.SetTag(7);
    a.SetCode(u"fond dégradé"_s);
    a.SetPen(TStylo{CouleurBleue, 500, StyloPlein});
    a.SetBrush(TPinceau{CouleurJaune, PinceauPlein});
    auto &b = dynamic_cast<TxiloCADRectangle &>(*p.m.AddObject(u"rectangle"_s));
    b.SetCentre(30.125, 90);
    b.SetTaille(20, 10);
    b.SetR(-12.5);
    b.SetCote(999);
    b.SetCanSelect(false);
    auto &c = dynamic_cast<TxiloCADRectangle &>(*p.m.AddObject(u"RECTANGLE"_s));
    c.SetFace(3);
    c.SetCentre(10, 10);
    c.SetTaille(5, 5);
    c.SetCote(6);

    const QString chemin = dossier.filePath(u"etiquette.mdl"_s);
    ASSERT_TRUE(p.m.SaveToFile(chemin));
    EXPECT_EQ(Octets(chemin), Octets(Fixture(u"attendu_sauve.mdl"_s)));

    // Read back: the object of face 0 is on face 1, the empty face 2 did
    // not stop the reading of face 3.
    Page relu;
    ASSERT_TRUE(relu.m.LoadFromFile(chemin));
    ASSERT_EQ(relu.m.Count(), 3);
    EXPECT_EQ(relu.m.Objet(1).Face(), 1);
    EXPECT_EQ(relu.m.Objet(2).Face(), 3);
    EXPECT_EQ(relu.m.ValeurPage(u"PetitDiam"), u"15"_s);
    EXPECT_EQ(relu.m.Objet(0).SaveToStrings(), p.m.Objet(0).SaveToStrings());
}

TEST(ModeleMdl, ChaqueModeleRelitCeQuIlEcrit)
{
    // Every shipped model and every model of the tests: loaded, saved,
    // loaded and saved again gives the same file and the same objects.
    QStringList modeles;
    for (const QString &racine : {QString::fromUtf8(LIGNEE_MODELE), Fixture(QString())}) {
        QDirIterator it(racine, {u"*.mdl"_s}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            modeles.append(it.next());
    }
    ASSERT_GE(modeles.size(), 6);
    QTemporaryDir dossier;
    for (const QString &modele : modeles) {
        SCOPED_TRACE(modele.toStdString());
        Page p;
        ASSERT_TRUE(p.m.LoadFromFile(modele));
        const QString une = dossier.filePath(u"une.mdl"_s);
        const QString deux = dossier.filePath(u"deux.mdl"_s);
        ASSERT_TRUE(p.m.SaveToFile(une));
        Page relu;
        ASSERT_TRUE(relu.m.LoadFromFile(une));
        ASSERT_TRUE(relu.m.SaveToFile(deux));
        EXPECT_EQ(Octets(une), Octets(deux));
        EXPECT_EQ(relu.m.Count(), p.m.Count());
        EXPECT_EQ(relu.m.Large(), p.m.Large());
        EXPECT_EQ(relu.m.Gabarit(), p.m.Gabarit());
    }
}

TEST(ModeleMdl, EncodagesEtFinsDeLigne)
{
    QTemporaryDir dossier;
    Page p;
    ASSERT_TRUE(p.m.LoadFromFile(Fixture(u"unicode.mdl"_s)));
    ASSERT_EQ(p.m.Count(), 1);
    const QString code = u"Généalogie ★ Ωmega"_s;
    EXPECT_EQ(p.m.Objet(0).Code(), code);
    // Letters the Windows code page lacks are saved in UTF-8, not lost.
    const QString chemin = dossier.filePath(u"u.mdl"_s);
    ASSERT_TRUE(p.m.SaveToFile(chemin));
    EXPECT_TRUE(Octets(chemin).contains(code.toUtf8()));
    Page relu;
    ASSERT_TRUE(relu.m.LoadFromFile(chemin));
    EXPECT_EQ(relu.m.Objet(0).Code(), code);
    // Letters it has are saved in it, lines ending in CR LF.
    relu.m.Objet(0).SetCode(u"Généalogie"_s);
    ASSERT_TRUE(relu.m.SaveToFile(chemin));
    EXPECT_TRUE(Octets(chemin).contains("Code=G\xE9n\xE9" "alogie\r\n"));
    // A byte order mark is dropped; empty lines are kept, a final line
    // break adds none.
    EXPECT_EQ(DecodeMdl("\xEF\xBB\xBFx=\xC3\xA9"), u"x=é"_s);
    EXPECT_EQ(DecoupeLignes(u"a\r\n\rb\nc\n"), QStringList({u"a"_s, QString(), u"b"_s, u"c"_s}));
    // A line break inside a value cannot cut its block.
    Page coupe;
    coupe.m.AddObject(u"rectangle"_s)->SetCode(u"deux\r\nlignes"_s);
    coupe.m.Objet(0).SetFace(1);
    EXPECT_TRUE(coupe.m.SaveToStrings().contains(u"    Code=deux  lignes"_s));
}

TEST(ModeleMdl, FichiersIllisiblesOuImpossiblesAEcrire)
{
    ASSERT_TRUE(ChargeLangue(QString::fromUtf8(LIGNEE_MODELE) + u"/langue.txt"_s));
    QTemporaryDir dossier;
    const QString trop = dossier.filePath(u"trop.mdl"_s);
    {
        QFile f(trop);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.resize(TailleMaxMdl + 1));
    }
    QStringList illisibles = CheminsSpeciaux(dossier.path(), u".mdl"_s);
    illisibles << dossier.path() << dossier.filePath(u"absent.mdl"_s) << u"/proc/self/mem"_s << trop;
    for (const QString &chemin : illisibles) {
        SCOPED_TRACE(chemin.toStdString());
        Page p;
        p.m.AddObject(u"rectangle"_s);
        QString erreur;
        EXPECT_FALSE(p.m.LoadFromFile(chemin, &erreur));
        EXPECT_FALSE(erreur.isEmpty());
        // The objects are gone; the page is as it was.
        EXPECT_EQ(p.m.Count(), 0);
        EXPECT_EQ(p.m.Large(), 120);
    }
    QString erreur;
    Page p;
    EXPECT_FALSE(p.m.LoadFromFile(trop, &erreur));
    EXPECT_EQ(erreur, MLText(8200));

    // Saving where no file can be written says so and changes nothing.
    p.m.AddObject(u"rectangle"_s)->SetFace(1);
    for (const QString &chemin : {dossier.filePath(u"absent/x.mdl"_s), dossier.path()}) {
        SCOPED_TRACE(chemin.toStdString());
        erreur.clear();
        EXPECT_FALSE(p.m.SaveToFile(chemin, &erreur));
        EXPECT_FALSE(erreur.isEmpty());
        EXPECT_TRUE(p.m.TextePage().isEmpty());
    }
}

// A save killed before its end (the program killed while it wrote a model,
// a picture or a metafile) leaves a temporary file beside the file; the next
// save of that file takes its own leftovers away, and nothing else: not the
// temporary file of a save still running (it holds its lock), nor the
// leftovers of another file, nor files that only look like them.
TEST(ModeleMdl, UnEnregistrementTueLaisseSesTemporairesAuSuivant)
{
    QTemporaryDir dossier;
    Page p;
    p.m.AddObject(u"rectangle"_s)->SetFace(1);
    const QString modele = dossier.filePath(u"modele.mdl"_s);

    // Killed while it writes 32 MB again and again; then the leftovers of
    // kills at any moment, named as the writer names its files.
    const QByteArray gros(32 * 1024 * 1024, 'x');
    for (int essai = 0; essai < 6; ++essai) {
        const pid_t fils = ::fork();
        ASSERT_GE(fils, 0);
        if (fils == 0) {
            for (;;)
                EcritFichierEntier(modele, gros.constData(), gros.size(), nullptr);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5 + 7 * essai));
        ::kill(fils, SIGKILL);
        ::waitpid(fils, nullptr, 0);
    }
    for (const QString &nom : {u"modele.mdl.Xy12Zw.tmp"_s, u"modele.mdl.a1B2c3.tmp"_s})
        QFile::copy(modele, dossier.filePath(nom));

    const QStringList gardes = {u"modele.mdl.backup"_s, u"modele.mdl.abcdef.tmp.txt"_s, u"autre.mdl.abcdef.tmp"_s};
    for (const QString &nom : gardes)
        QFile(dossier.filePath(nom)).open(QIODevice::WriteOnly);
    const QString enCours = dossier.filePath(u"modele.mdl.EnCour.tmp"_s);
    const int verrou = ::open(QFile::encodeName(enCours).constData(), O_RDWR | O_CREAT, 0600);
    ASSERT_GE(verrou, 0);
    ::flock(verrou, LOCK_EX);
    ASSERT_TRUE(p.m.SaveToFile(modele));
    ::close(verrou);
    QStringList attendu = gardes;
    attendu << u"modele.mdl"_s << u"modele.mdl.EnCour.tmp"_s;
    attendu.sort();
    EXPECT_EQ(QDir(dossier.path()).entryList(QDir::Files, QDir::Name), attendu);
    ASSERT_TRUE(p.m.LoadFromFile(modele));
    EXPECT_EQ(p.m.Count(), 1);

    // Pictures and metafiles of a design, through the same writer.
    const struct {
        const char *nom;
        std::function<bool(const QString &)> ecrit;
    } ecrivains[] = {
        {"page.jpg", [&](const QString &c) { return p.m.ExportJpeg(c, 100, 100, CouleurBlanche); }},
        {"page.bmp", [&](const QString &c) { return p.m.ExportBmp(c, 100, 100, CouleurBlanche); }},
        {"page.emf", [&](const QString &c) { return ExporteEmf(p.m, c, 100, 100); }},
    };
    for (const auto &e : ecrivains) {
        SCOPED_TRACE(e.nom);
        const QString fichier = dossier.filePath(QString::fromLatin1(e.nom));
        const QString reste = fichier + u".Xy12Zw.tmp"_s;
        ASSERT_TRUE(QFile(reste).open(QIODevice::WriteOnly));
        ASSERT_TRUE(e.ecrit(fichier));
        EXPECT_TRUE(QFileInfo(fichier).isFile());
        EXPECT_FALSE(QFileInfo::exists(reste));
    }
}

TEST(ModeleMdl, ObjetsFabriquesCopiesEtTrouves)
{
    Page p;
    EXPECT_EQ(p.m.AddObject(u"hologramme"_s), nullptr);
    EXPECT_EQ(p.m.Count(), 0);
    // A new rectangle: in the middle of the page, 1 mm square, unturned,
    // on no face; a Tag of 0 is not written.
    auto *r = dynamic_cast<TxiloCADRectangle *>(p.m.AddObject(u"ReCtAnGlE"_s));
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->SaveToStrings(),
              QStringList({u"Name=Rectangle"_s, u"Face=0"_s, u"CanSelect=1"_s, u"Pen=000000,1,0"_s,
                           u"Brush=FFFFFF,1"_s, u"x=60"_s, u"y=60"_s, u"l=1"_s, u"h=1"_s, u"r=0"_s, u"Cote=4"_s}));

    r->SetFace(2);
    r->SetTaille(20, 10);
    r->SetCote(7);
    p.m.AddObject(u"rectangle"_s)->SetFace(2);
    auto *copie = dynamic_cast<TxiloCADRectangle *>(p.m.CloneObject(*r));
    ASSERT_NE(copie, nullptr);
    EXPECT_EQ(&p.m.Objet(2), copie); // appended last, drawn on top
    EXPECT_EQ(copie->Face(), 2);
    EXPECT_EQ(copie->Cote(), 7);
    EXPECT_EQ(copie->SaveToStrings(), r->SaveToStrings());

    // The topmost object of the current face is found; other faces never.
    int poignee = -2;
    EXPECT_EQ(p.m.ObjetSous(QPointF(60, 60), &poignee), nullptr);
    EXPECT_EQ(poignee, -1);
    p.m.SetFaceCourante(2);
    EXPECT_EQ(p.m.ObjetSous(QPointF(60, 60), &poignee), copie);
    EXPECT_EQ(poignee, 0);
    copie->SetFace(1);
    EXPECT_EQ(p.m.ObjetSous(QPointF(55, 60)), r);
    p.m.ClearObjects();
    EXPECT_EQ(p.m.Count(), 0);
}

TEST(ModeleMdl, BalisesEtFichiers)
{
    Page p;
    TxiloCADObj *objet = p.m.AddObject(u"rectangle"_s);
    // Without a handler placeholders go; lone brackets stay.
    EXPECT_EQ(p.m.RemplitBalises(objet, u"a<Nom>b < c > d>"_s), u"ab  d>"_s);
    EXPECT_EQ(p.m.RemplitBalises(objet, u"x > y <z"_s), u"x > y <z"_s);
    TxiloCADObj *vu = nullptr;
    p.m.SetOnGetTagValue([&](TxiloCADObj *o, const QString &balise, QString &valeur) {
        vu = o;
        if (balise == u"nom"_s)
            valeur = u"Martin <prenom>"_s; // filled in turn
        else if (balise == u"prenom"_s)
            valeur = u"Jean"_s;
        else if (balise == u"boucle"_s)
            valeur = u"<boucle>!"_s;
        else if (balise == u"a"_s)
            valeur = u"<b>a"_s;
        else if (balise == u"b"_s)
            valeur = u"<a>b"_s;
    });
    EXPECT_EQ(p.m.RemplitBalises(objet, u"M. <NOM>, <inconnue>fin"_s), u"M. Martin Jean, fin"_s);
    EXPECT_EQ(vu, objet);
    // A value naming itself is filled once, as are values naming each
    // other; a placeholder after the value is filled again.
    EXPECT_EQ(p.m.RemplitBalises(objet, u"<boucle>"_s), u"<boucle>!"_s);
    EXPECT_EQ(p.m.RemplitBalises(objet, u"<Boucle><boucle>."_s), u"<boucle>!<boucle>!."_s);
    EXPECT_EQ(p.m.RemplitBalises(objet, u"<a>-<b>"_s), u"<a>ba-<b>ab"_s);

    EXPECT_EQ(p.m.ResoutFichier(objet, u"photo.jpg"_s), u"photo.jpg"_s);
    p.m.SetOnResolveFile([](TxiloCADObj *, QString &nom) { nom.prepend(u"/images/"_s); });
    EXPECT_EQ(p.m.ResoutFichier(objet, u"photo.jpg"_s), u"/images/photo.jpg"_s);
}

TEST(ModeleMdl, CoordonneesBoiteTourneeEtTexteTourne)
{
    ASSERT_TRUE(ChargeFonteTest());
    Page p;
    p.m.SetEchelles(10, 5);
    p.m.SetDecalages(3, -2);
    EXPECT_EQ(p.m.MmToPixelX(1.25), 16); // 15.5 rounded to the even 16
    EXPECT_EQ(p.m.MmToPixelY(1.5), 6);   // 5.5 -> 6
    EXPECT_EQ(p.m.MmToPixelX(0.35), 6);  // 6.5 -> 6
    EXPECT_DOUBLE_EQ(p.m.PixelToMmX(25), 2.5);
    EXPECT_DOUBLE_EQ(p.m.PixelToMmY(25), 5);
    EXPECT_EQ(p.m.PageToPixel(QPointF(2, 4)), QPoint(23, 18));
    // The page turned a quarter clockwise: x' = -y, y' = x, then the
    // offsets.
    p.m.SetAnglePage(90);
    EXPECT_EQ(p.m.PageToPixel(QPointF(2, 4)), QPoint(3 - 20, -2 + 20));
    p.m.SetEchelles(0, 0);
    EXPECT_EQ(p.m.PixelToMmX(7), 7);

    const QPointF tourne = TxiloCADMdl::RotatePoint(QPointF(10, 10), QPointF(20, 10), 90);
    EXPECT_NEAR(tourne.x(), 10, 1e-12);
    EXPECT_NEAR(tourne.y(), 20, 1e-12); // clockwise on screen
    const QPointF trente = TxiloCADMdl::RotatePoint(QPointF(0, 0), QPointF(2, 0), 30);
    EXPECT_NEAR(trente.x(), std::sqrt(3.0), 1e-12);
    EXPECT_NEAR(trente.y(), 1, 1e-12);

    // The turned box filled from two opposite corners covers the pixels of
    // the polygon of its four corners.
    p.m.SetAnglePage(0);
    p.m.SetDecalages(0, 0);
    p.m.SetEchelles(2, 2);
    TxiloCADRectangle boite(p.m, 50, 40, 60, 24, 30);
    const auto coins = boite.Coins();
    const QImage rempli = Dessine(QSize(200, 160), [&](TCanevas &c) {
        c.SetStylo(TStylo{CouleurBleue, 1, StyloPlein});
        c.SetPinceau(TPinceau{CouleurRouge, PinceauPlein});
        p.m.FillTurnedBox(c, coins[0], coins[2], boite.R());
        EXPECT_EQ(c.Stylo().Style, StyloPlein); // the pen is given back
    });
    const QImage attendu = Dessine(QSize(200, 160), [&](TCanevas &c) {
        c.SetStylo(TStylo{CouleurBleue, 1, StyloVide});
        c.SetPinceau(TPinceau{CouleurRouge, PinceauPlein});
        QPolygon polygone;
        for (const QPointF &coin : coins)
            polygone << p.m.PageToPixel(coin);
        c.Polygone(polygone);
    });
    EXPECT_EQ(rempli, attendu);
    EXPECT_EQ(Compte(rempli, CouleurBleue), 0);
    EXPECT_GT(Compte(rempli, CouleurRouge), 60 * 2 * 24 * 2 * 9 / 10);

    // Text turned 90 degrees clockwise runs down from its point; the canvas
    // font is given back.
    const TFonteCAD fonte{CouleurNoire, u"Arial"_s, 20, 0, 0};
    const QImage texte = Dessine(QSize(100, 200), [&](TCanevas &c) {
        c.SetFonte(fonte);
        TxiloCADMdl::TextOutRotated(c, QPoint(60, 20), u"MMMMM"_s, 90);
        EXPECT_EQ(c.Fonte(), fonte);
    });
    const QRect encre = BoiteNonBlanche(texte);
    EXPECT_LE(encre.right(), 60);
    EXPECT_GE(encre.top(), 20);
    EXPECT_GT(encre.height(), 2 * encre.width());
}

namespace {

// The key lines of every object, in drawing order, with its face.
std::vector<std::pair<int, QStringList>> Objets(const TxiloCADMdl &m)
{
    std::vector<std::pair<int, QStringList>> objets;
    for (int i = 0; i < m.Count(); ++i)
        objets.emplace_back(m.Objet(i).Face(), m.Objet(i).SaveToStrings());
    return objets;
}

// The page values a model reads from its page text.
QStringList ValeursPage(const TxiloCADMdl &m)
{
    QStringList valeurs = {FloatToText(m.Large()), FloatToText(m.Haut()), IntToText(m.Gabarit())};
    for (const QStringView cle : {u"PetitDiam", u"TailleRetour", u"TailleTranche", u"TailleRabat"})
        valeurs.append(m.ValeurPage(cle));
    return valeurs;
}

// The model saved, read back, saved again and read back again: the objects
// and page values read each time are those of the model, and both files are
// the same.
void ExpectAllerRetour(TxiloCADMdl &m)
{
    // The page text becomes the file's once saved: what the model read is
    // taken before.
    const QStringList valeurs = ValeursPage(m);
    std::vector<std::pair<int, QString>> sortes;
    for (int i = 0; i < m.Count(); ++i)
        sortes.emplace_back(m.Objet(i).Face(), m.Objet(i).Name());
    // Read back face by face, each face's objects in their order.
    std::stable_sort(sortes.begin(), sortes.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    QTemporaryDir dossier;
    const QString une = dossier.filePath(u"une.mdl"_s);
    const QString deux = dossier.filePath(u"deux.mdl"_s);
    ASSERT_TRUE(m.SaveToFile(une));
    Page relu;
    ASSERT_TRUE(relu.m.LoadFromFile(une));
    std::vector<std::pair<int, QString>> relues;
    for (int i = 0; i < relu.m.Count(); ++i)
        relues.emplace_back(relu.m.Objet(i).Face(), relu.m.Objet(i).Name());
    EXPECT_EQ(relues, sortes);
    EXPECT_EQ(ValeursPage(relu.m), valeurs);
    ASSERT_TRUE(relu.m.SaveToFile(deux));
    EXPECT_EQ(Octets(deux), Octets(une));
    Page encore;
    ASSERT_TRUE(encore.m.LoadFromFile(deux));
    EXPECT_EQ(Objets(encore.m), Objets(relu.m));
    EXPECT_EQ(ValeursPage(encore.m), valeurs);
}

QStringList Lignes(std::initializer_list<const char16_t *> lignes)
{
    QStringList l;
    for (const char16_t *ligne : lignes)
        l.append(QString::fromUtf16(ligne));
    return l;
}

} // namespace

TEST(ModeleMdl, EnregistreSansDoublerLesObjets)
{
    // The reader takes a face header at any indentation, after tabs or
    // other control characters: the save rewrites those faces, never keeping
    // the old block beside the new one.
    const struct {
        const char *nom;
        QStringList lignes;
        int objets;
    } cas[] = {
        {"en-tête en retrait",
         Lignes({u"Large=50", u"Haut=40", u"  Face=1", u"  A", u"    Name=Rectangle", u"    x=3", u"  End",
                 u"  B", u"    Name=Rectangle", u"    x=7", u"  End", u"End"}),
         2},
        {"deux faces en retrait",
         Lignes({u"Large=50", u"    Face=1", u"  A", u"    Name=Rectangle", u"  End", u"End", u" Face=2", u"  A",
                 u"    Name=Rectangle", u"    x=9", u"  End", u"End"}),
         2},
        {"en-tête après une tabulation",
         Lignes({u"Large=50", u"\tFace=1", u"  A", u"    Name=Rectangle", u"  End", u"End"}), 1},
        {"en-tête après un caractère de contrôle",
         Lignes({u"Large=50", u"\u0001Face=1", u"  A", u"    Name=Rectangle", u"  End", u"End"}), 1},
        // Not a header to the reader: Face=01 is not found as face 1, and the
        // page key after it is read.
        {"Face=01",
         Lignes({u"Large=50", u"Gabarit=CD", u"Face=01", u"PetitDiam=12", u"Face=1", u"  A", u"    Name=Rectangle",
                 u"  End", u"End"}),
         1},
        {"en-tête suivi d'un blanc", Lignes({u"Large=50", u"Face=1 ", u"  A", u"    Name=Rectangle", u"  End", u"End"}),
         0},
        // Page keys after the faces are read too.
        {"clé de page après les faces",
         Lignes({u"Large=50", u"Gabarit=JaquetteDVD", u"Face=1", u"  A", u"    Name=Rectangle", u"  End",
                 u"TailleTranche=14", u"End", u"Haut=30", u"Large=99"}),
         1},
    };
    for (const auto &c : cas) {
        SCOPED_TRACE(c.nom);
        Page p;
        p.m.LoadFromStrings(c.lignes);
        ASSERT_EQ(p.m.Count(), c.objets);
        ExpectAllerRetour(p.m);
    }
}

TEST(ModeleMdl, ValeursHexadecimalesEtFacesQuiNeSontPasDesFaces)
{
    // A number written "0X1F" is 31 whatever the case of its prefix; the
    // blocks "Face=0" and "Face0" are no faces (faces count from 1, and a
    // header is "Face=" and a number): their objects are not read, those of
    // Face=1 are.
    Page p;
    p.m.LoadFromStrings(Lignes({u"Large=50", u"Haut=40", u"Face=0", u"  Z", u"    Name=Rectangle", u"    x=1",
                                u"  End", u"End", u"Face0", u"  Y", u"    Name=Rectangle", u"    x=2", u"  End",
                                u"End", u"Face=1", u"  A", u"    Name=Rectangle", u"    Tag=0X1F", u"    x=3",
                                u"    Cote=0X5", u"  End", u"End"}));
    ASSERT_EQ(p.m.Count(), 1);
    EXPECT_EQ(p.m.Objet(0).Face(), 1);
    EXPECT_EQ(p.m.Objet(0).Tag(), 31);
    EXPECT_EQ(Rect(p.m, 0).X(), 3);
    EXPECT_EQ(Rect(p.m, 0).Cote(), 5);
    EXPECT_EQ(NumeroFace(u"Face0"), 0);
    EXPECT_EQ(NumeroFace(u"Face=0"), 0);
    EXPECT_EQ(NumeroFace(u"  Face=10"), 10);
    // An object read alone (a copy) whose Face key says 0, or less, or
    // nothing, is on face 1, which is drawn.
    for (const char16_t *face : {u"Face=0", u"Face=-3", u"Face0=2", u"Face=1"}) {
        TxiloCADObj *seul = p.m.AddObject(u"rectangle"_s);
        seul->LoadFromStrings({u"Name=Rectangle"_s, QString::fromUtf16(face)});
        EXPECT_EQ(seul->Face(), 1) << QString::fromUtf16(face).toStdString();
        p.m.SupprimeObjet(seul);
    }
    // An object put on face 0 is saved on face 1; the blocks that are no
    // faces are kept as they were read, and read as nothing again.
    p.m.Objet(0).SetFace(0);
    const QStringList lignes = p.m.SaveToStrings();
    EXPECT_EQ(lignes.count(u"Face=1"_s), 1);
    EXPECT_EQ(lignes.count(u"Face=0"_s), 1);
    Page relu;
    relu.m.LoadFromStrings(lignes);
    ASSERT_EQ(relu.m.Count(), 1);
    EXPECT_EQ(relu.m.Objet(0).Face(), 1);
}

TEST(ModeleMdl, BlocsInconnusGardesALEnregistrement)
{
    // A picture, a kind this program does not know and a block without kind
    // come back as read from every save; the block that reads as a face-2
    // header in face 1, and the nested line named like a later block, do not
    // pull other objects into their place once saved.
    Page p;
    const QString fixture = Fixture(u"image_et_inconnu.mdl"_s);
    ASSERT_TRUE(p.m.LoadFromFile(fixture));
    ASSERT_EQ(p.m.Count(), 6);
    const std::pair<QString, int> sortes[] = {{u"Rectangle"_s, 1}, {u"Texte"_s, 1}, {u"Image"_s, 1},
                                              {u"Hologramme"_s, 2}, {QString(), 2}, {u"Rectangle"_s, 2}};
    for (int i = 0; i < p.m.Count(); ++i) {
        EXPECT_EQ(p.m.Objet(i).Name(), sortes[i].first) << i;
        EXPECT_EQ(p.m.Objet(i).Face(), sortes[i].second) << i;
    }
    EXPECT_EQ(p.m.Objet(3).Params().mid(3, 5),
              QStringList({u"  Calque"_s, u"    Profondeur=3"_s, u"  End"_s, u"  Objet6"_s, u"x=99"_s}));
    EXPECT_EQ(p.m.Objet(3).Params().at(2), u"Irisation=dorée"_s);
    // A rectangle added on face 1 lands after the picture.
    auto *ajout = dynamic_cast<TxiloCADRectangle *>(p.m.AddObject(u"rectangle"_s));
    ajout->SetFace(1);
    ajout->SetCentre(11, 12);
    ExpectAllerRetour(p.m);

    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(u"m.mdl"_s);
    ASSERT_TRUE(p.m.SaveToFile(chemin));
    Page relu;
    ASSERT_TRUE(relu.m.LoadFromFile(chemin));
    // Read face by face, the rectangle added comes fourth.
    ASSERT_EQ(relu.m.Count(), 7);
    const int avant[] = {0, 1, 2, 6, 3, 4, 5};
    for (int i = 0; i < relu.m.Count(); ++i)
        EXPECT_EQ(relu.m.Objet(i).SaveToStrings(), p.m.Objet(avant[i]).SaveToStrings()) << i;
    // The picture names a placeholder and a mask that is not there: both
    // names are written back, not the empty path they resolve to.
    const QStringList image = relu.m.Objet(2).SaveToStrings();
    EXPECT_TRUE(image.contains(u"FichierImage=<photo>"_s)) << image.join(u'|').toStdString();
    EXPECT_TRUE(image.contains(u"FichierMasque=ovale.bmp"_s)) << image.join(u'|').toStdString();
    EXPECT_GT(Octets(chemin).size(), Octets(fixture).size());
}

TEST(ModeleMdl, EncodageChoisiParLaRelecture)
{
    // The bytes written are those the reader turns back into the text.
    const struct {
        QString texte;
        QByteArray octets; // empty: not checked
    } cas[] = {
        {u"Code=é"_s, "Code=\xE9\r\n"},
        // Windows-1252 bytes of these are also valid UTF-8 ("é"), or start
        // as a UTF-8 byte order mark.
        {u"Code=Ã©"_s, "Code=\xC3\x83\xC2\xA9\r\n"},
        {u"ï»¿Large=5"_s, "\xC3\xAF\xC2\xBB\xC2\xBFLarge=5\r\n"},
        {u"Code=★"_s, "Code=\xE2\x98\x85\r\n"},
        // A text that begins with a byte order mark of its own keeps it.
        {QChar(0xFEFF) + u"Large=5"_s, "\xEF\xBB\xBF\xEF\xBB\xBFLarge=5\r\n"},
        {u"Code=Ã© ★"_s, {}},
    };
    for (const auto &c : cas) {
        const QStringList lignes = {c.texte, u"x=1"_s};
        SCOPED_TRACE(lignes.first().toStdString());
        QByteArray octets;
        ASSERT_TRUE(EncodeMdl(lignes, octets));
        if (!c.octets.isEmpty()) {
            EXPECT_EQ(octets.left(c.octets.size()).toHex(), c.octets.toHex());
        }
        EXPECT_EQ(DecoupeLignes(DecodeMdl(octets)), lignes);
    }
    // A lone surrogate has no bytes; a line break would make two lines.
    QByteArray octets = "x";
    EXPECT_FALSE(EncodeMdl({QString(QChar(0xD800))}, octets));
    EXPECT_TRUE(octets.isEmpty());
    EXPECT_FALSE(EncodeMdl({u"a\nb"_s}, octets));

    // Through a model and its file.
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(u"m.mdl"_s);
    Page p;
    p.m.AddObject(u"rectangle"_s)->SetCode(u"Ã©té"_s);
    ASSERT_TRUE(p.m.SaveToFile(chemin));
    Page relu;
    ASSERT_TRUE(relu.m.LoadFromFile(chemin));
    EXPECT_EQ(relu.m.Objet(0).Code(), u"Ã©té"_s);
    // A model whose text cannot be written is not saved, and says so.
    ASSERT_TRUE(ChargeLangue(QString::fromUtf8(LIGNEE_MODELE) + u"/langue.txt"_s));
    p.m.Objet(0).SetCode(u"a"_s + QChar(0xDC00));
    QString erreur;
    EXPECT_FALSE(p.m.SaveToFile(chemin, &erreur));
    EXPECT_EQ(erreur, MLText(8201));
    ASSERT_TRUE(relu.m.LoadFromFile(chemin));
    EXPECT_EQ(relu.m.Objet(0).Code(), u"Ã©té"_s);
}

TEST(ModeleMdl, CleDePageEnDouble)
{
    // The first line of a key is the one read, before and after a save.
    Page p;
    p.m.LoadFromStrings(Lignes({u"Large=", u"Large=50", u"Haut=40", u"Gabarit=inconnu", u"Gabarit=CD",
                                u"PetitDiam=12", u"petitdiam=30", u"Face=1", u"  A", u"    Name=Rectangle", u"  End",
                                u"End"}));
    EXPECT_EQ(p.m.Large(), 0);
    EXPECT_EQ(p.m.Gabarit(), 0);
    EXPECT_EQ(p.m.ValeurPage(u"PetitDiam"), u"12"_s);
    ExpectAllerRetour(p.m);
    // A page key removed is removed whole.
    p.m.EcritValeurPage(u"PetitDiam"_s, QString());
    EXPECT_EQ(p.m.ValeurPage(u"PetitDiam"), QString());
    p.m.EcritValeurPage(u"Titre"_s, u"un\ndeux"_s);
    EXPECT_EQ(p.m.ValeurPage(u"Titre"), u"un deux"_s);
}

TEST(ModeleMdl, TextesAbimesRelusCommeEcrits)
{
    // Model files damaged line by line (blanks added or taken off, lines
    // repeated, dropped or swapped, stray headers and ends): whatever a
    // damaged text reads as, its save reads as the same model and saves as
    // the same text.
    QStringList modeles;
    for (const QString &nom : {u"etiquette_cd.mdl"_s, u"noms_repetes.mdl"_s, u"image_et_inconnu.mdl"_s,
                               u"page_formes.mdl"_s, u"valeurs_cassees.mdl"_s})
        modeles.append(nom);
    const QStringList parasites = {u"Face=1"_s, u"  Face=2"_s, u"End"_s,    u"  End"_s,     u"    End"_s,
                                   u"  Objet1"_s, u"Objet2"_s, u"Large=7"_s, u"Gabarit=CD"_s, u"    Face=3"_s,
                                   u"    Name=Texte"_s, u"    Name=Image"_s, QString(), u"     "_s};
    std::mt19937 alea(33);
    int essais = 0;
    for (const QString &nom : modeles) {
        QStringList origine;
        ASSERT_TRUE(LitFichierMdl(Fixture(nom), origine));
        for (int n = 0; n < 300; ++n) {
            QStringList lignes = origine;
            const int retouches = 1 + int(alea() % 4);
            for (int k = 0; k < retouches && !lignes.isEmpty(); ++k) {
                const qsizetype i = qsizetype(alea() % size_t(lignes.size()));
                switch (alea() % 6) {
                case 0:
                    lignes[i].prepend(u' ');
                    break;
                case 1:
                    if (lignes[i].startsWith(u' '))
                        lignes[i].remove(0, 1);
                    break;
                case 2:
                    lignes.insert(i, lignes.at(qsizetype(alea() % size_t(lignes.size()))));
                    break;
                case 3:
                    lignes.removeAt(i);
                    break;
                case 4:
                    lignes.swapItemsAt(i, qsizetype(alea() % size_t(lignes.size())));
                    break;
                default:
                    lignes.insert(i, parasites.at(qsizetype(alea() % size_t(parasites.size()))));
                    break;
                }
            }
            Page lu;
            lu.m.LoadFromStrings(lignes);
            const QStringList une = lu.m.SaveToStrings();
            Page relu;
            relu.m.LoadFromStrings(une);
            const QStringList deux = relu.m.SaveToStrings();
            ++essais;
            if (relu.m.Count() != lu.m.Count() || deux != une || ValeursPage(relu.m) != ValeursPage(lu.m)) {
                ADD_FAILURE() << nom.toStdString() << " : " << lignes.join(u"\n"_s).toStdString() << "\n---\n"
                              << une.join(u"\n"_s).toStdString();
                return;
            }
        }
    }
    EXPECT_EQ(essais, 1500);
}
