// The folder-tree object of the designs: a temporary folder of files,
// sub-folders, an extensionless file and symbolic links listed in walk
// order, once; the cap on entries; user folders written by their kind and
// found again on another machine; the rows and columns drawn; its keys.

#include "AideCAD.h"
#include "CanevasEspion.h"
#include "Chemins.h"
#include "TxiloCADArbo.h"
#include "TxiloCADCodeBarre.h"
#include "Convertisseurs.h"
#include "TxiloCADMdl.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;
using namespace aidecad;

// Names shown as text when a comparison fails.
void PrintTo(const QString &s, std::ostream *os)
{
    *os << s.toStdString();
}

namespace {

void Cree(const QString &chemin)
{
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << qPrintable(chemin);
}

// Folder names and files: photos/ holds a picture, sub-folder sous/ (with a
// file one level deeper) and a link back to its parent.
struct Dossier {
    QTemporaryDir tmp;
    QString racine = tmp.path() + u'/';
    Dossier()
    {
        QDir d(racine);
        d.mkpath(u"photos/sous"_s);
        d.mkpath(u"Zèbre"_s);
        d.mkpath(u".cache"_s);
        for (const QString &f : {u"b.txt"_s, u"A.png"_s, u"LISEZMOI"_s, u".cache/x.txt"_s, u".profil"_s,
                                 u"photos/x.jpg"_s, u"photos/sous/profond.txt"_s})
            Cree(racine + f);
        QFile::link(racine + u"photos"_s, racine + u"lien"_s);
        QFile::link(racine + u"b.txt"_s, racine + u"lienfichier"_s);
        QFile::link(racine + u"rien"_s, racine + u"lienmort"_s);
        QFile::link(racine, racine + u"photos/boucle"_s);
    }
};

using Liste = std::vector<std::pair<int, QString>>;

Liste Lu(TxiloCADArbo &a)
{
    Liste l;
    for (const TxiloCADArbo::TEntree &e : a.Entrees())
        l.emplace_back(e.Niveau, e.Nom);
    return l;
}

struct Page {
    Page() { EXPECT_TRUE(ChargeFonteTest()); }
    TxiloCADMdl m{nullptr, QRect(0, 0, 1000, 1000), 100, 100};
    TxiloCADArbo &Arbo(const QString &chemin)
    {
        auto &a = dynamic_cast<TxiloCADArbo &>(*m.AddObject(u"arbo"_s));
        a.SetFace(1);
        a.SetPath(chemin);
        return a;
    }
};

// Sets HOME for the life of the object, so that the user's folders are
// those of another user.
struct AutreUtilisateur {
    explicit AutreUtilisateur(const QString &home) : m_ancien(qgetenv("HOME")) { qputenv("HOME", home.toUtf8()); }
    ~AutreUtilisateur() { qputenv("HOME", m_ancien); }
    QByteArray m_ancien;
};

} // namespace

TEST(Arbo, ListeDansLOrdreDuParcours)
{
    Dossier d;
    Page p;
    TxiloCADArbo &a = p.Arbo(d.racine);
    // Made unturned, two levels, folders only, handle 2 off.
    EXPECT_EQ(a.Name(), u"Arbo"_s);
    EXPECT_FALSE(a.AvecPoignee(2));
    EXPECT_EQ(a.DepthMax(), 2);
    EXPECT_EQ(Lu(a), (Liste{{1, u"lien"_s}, {1, u"photos"_s}, {2, u"boucle"_s}, {2, u"sous"_s}, {1, u"Zèbre"_s}}));

    // With the files: at each level the files, sorted by name whatever the
    // letter case, then each folder followed by its content. Names
    // beginning with "." and broken links are left out; a link to a folder
    // is listed but not walked, so the link back to the top loops nowhere.
    a.SetViewFichier(true);
    const Liste deuxNiveaux{{1, u"A.png"_s},   {1, u"b.txt"_s},  {1, u"lienfichier"_s}, {1, u"LISEZMOI"_s},
                            {1, u"lien"_s},    {1, u"photos"_s}, {2, u"x.jpg"_s},       {2, u"boucle"_s},
                            {2, u"sous"_s},    {1, u"Zèbre"_s}};
    EXPECT_EQ(Lu(a), deuxNiveaux);
    a.SetDepthMax(1);
    EXPECT_EQ(Lu(a), (Liste{{1, u"A.png"_s}, {1, u"b.txt"_s}, {1, u"lienfichier"_s}, {1, u"LISEZMOI"_s},
                            {1, u"lien"_s}, {1, u"photos"_s}, {1, u"Zèbre"_s}}));
    a.SetDepthMax(50);
    Liste profond = deuxNiveaux;
    profond.insert(profond.begin() + 9, {3, u"profond.txt"_s});
    EXPECT_EQ(Lu(a), profond);

    // One icon for the folders, another for files without extension, one per
    // extension; .txt files share theirs.
    const auto &e = a.Entrees();
    const auto icone = [&](const QString &nom) {
        return std::find_if(e.begin(), e.end(), [&](const auto &x) { return x.Nom == nom; })->Icone;
    };
    EXPECT_NE(icone(u"LISEZMOI"_s), icone(u"photos"_s));
    EXPECT_EQ(icone(u"photos"_s), icone(u"Zèbre"_s));
    EXPECT_EQ(icone(u"b.txt"_s), icone(u"profond.txt"_s));
    EXPECT_NE(icone(u"b.txt"_s), icone(u"A.png"_s));
    EXPECT_EQ(a.Icones().size(), 5u);
    for (const QImage &i : a.Icones())
        EXPECT_EQ(i.size(), QSize(32, 32));
    EXPECT_NE(a.Icones()[size_t(icone(u"LISEZMOI"_s))], a.Icones()[size_t(icone(u"photos"_s))]);

    // No folder, a file, a folder that does not exist: nothing.
    for (const QString &rien : {QString(), d.racine + u"b.txt"_s, d.racine + u"absent"_s}) {
        a.SetPath(rien);
        EXPECT_TRUE(a.Entrees().empty()) << qPrintable(rien);
    }
}

TEST(Arbo, ListeUneSeuleFoisEtBornee)
{
    QTemporaryDir tmp;
    Page p;
    TxiloCADArbo &a = p.Arbo(tmp.path());
    a.SetViewFichier(true);
    const auto dessine = [&] { return Dessine(QSize(1000, 1000), [&](TCanevas &c) { p.m.Draw(c, QRect(0, 0, 1000, 1000)); }); };
    // An empty folder is listed at the first drawing, and not again at each
    // one: what appears in it later shows once the folder is set again.
    dessine();
    Cree(tmp.path() + u"/nouveau.txt"_s);
    dessine();
    EXPECT_TRUE(a.Entrees().empty());
    a.SetPath(tmp.path());
    EXPECT_EQ(Lu(a), (Liste{{1, u"nouveau.txt"_s}}));

    // Beyond 1,001 entries, the first 1,001 in walk order.
    for (int i = 0; i < 1100; ++i)
        Cree(tmp.path() + u"/f"_s + QString::number(i).rightJustified(4, u'0') + u".dat"_s);
    a.SetPath(tmp.path());
    const Liste l = Lu(a);
    ASSERT_EQ(l.size(), 1001u);
    EXPECT_EQ(l.front().second, u"f0000.dat"_s);
    EXPECT_EQ(l.back().second, u"f1000.dat"_s);
}

TEST(Arbo, DossiersDeLUtilisateur)
{
    QTemporaryDir ici;
    QTemporaryDir ailleurs;
    QStringList cles;
    {
        AutreUtilisateur u(ici.path());
        const QString documents = ShellFolder(u"Personal"_s);
        ASSERT_TRUE(documents.startsWith(ici.path()));
        QDir().mkpath(documents + u"lettres"_s);
        TxiloCADMdl m(nullptr, QRect(0, 0, 100, 100), 100, 100);
        auto &a = dynamic_cast<TxiloCADArbo &>(*m.AddObject(u"arbo"_s));
        // Written by its kind, with or without the final separator; any other
        // folder as it stands.
        for (const QString &chemin : {documents, documents.chopped(1)}) {
            a.SetPath(chemin);
            EXPECT_TRUE(a.SaveToStrings().contains(u"Path=[Personal]"_s)) << qPrintable(chemin);
        }
        a.SetPath(ici.path() + u"/autre/"_s);
        EXPECT_TRUE(a.SaveToStrings().contains(u"Path="_s + ici.path() + u"/autre/"_s));
        a.SetPath(documents);
        cles = a.SaveToStrings();
    }
    // Read by another user: that user's documents.
    AutreUtilisateur u(ailleurs.path());
    const QString documents = ShellFolder(u"Personal"_s);
    ASSERT_TRUE(documents.startsWith(ailleurs.path()));
    QDir().mkpath(documents + u"factures"_s);
    Page p;
    TxiloCADArbo &a = p.Arbo(QString());
    a.LoadFromStrings(cles);
    EXPECT_EQ(a.Path(), documents);
    EXPECT_EQ(Lu(a), (Liste{{1, u"factures"_s}}));

    // A kind unknown here lists nothing (never the root of the disk) and is
    // written back as it was read.
    for (const QString &inconnu : {u"[Inconnu]"_s, u"[]"_s, u"["_s}) {
        a.LoadFromStrings({u"Path="_s + inconnu});
        EXPECT_TRUE(a.Entrees().empty()) << qPrintable(inconnu);
        EXPECT_TRUE(a.SaveToStrings().contains(u"Path="_s + inconnu));
    }
}

TEST(Arbo, RangsEtColonnes)
{
    QTemporaryDir tmp;
    for (int i = 1; i <= 9; ++i)
        Cree(tmp.path() + u"/f"_s + QString::number(i) + u".txt"_s);
    Page p;
    TxiloCADArbo &a = p.Arbo(tmp.path());
    a.SetViewFichier(true);
    a.SetColumn(2);
    a.SetPen(TStylo{CouleurRouge, 1000, StyloPlein});
    // A box of 90 x 45 mm at (5, 7.5) mm: 900 x 450 pixels at (50, 75).
    a.SetCentre(50, 30);
    a.SetTaille(90, 45);
    CanevasEspion canevas(QSize(1000, 1000));
    p.m.Draw(canevas, QRect(0, 0, 1000, 1000));
    const QImage image = canevas.Image();

    // Nine names in two columns: five in the first, four in the second, half
    // the box's width further right, on rows of 450 / 5 = 90 pixels from the
    // box's top.
    ASSERT_EQ(canevas.Textes.size(), 9u);
    for (int i = 0; i < 9; ++i) {
        const TexteEcrit &t = canevas.Textes[size_t(i)];
        EXPECT_EQ(t.Texte, u"f"_s + QString::number(i + 1) + u".txt"_s);
        EXPECT_EQ(t.Coin.x(), canevas.Textes[0].Coin.x() + (i < 5 ? 0 : 450)) << i;
        EXPECT_EQ(t.Coin.y(), canevas.Textes[0].Coin.y() + 90 * (i % 5)) << i;
        // Half the row high, in the middle of the row.
        EXPECT_EQ(t.Fonte.Hauteur, 45);
    }
    const int hauteurTexte = QFontMetrics(PoliceCAD(canevas.Textes[0].Fonte)).height();
    EXPECT_EQ(canevas.Textes[0].Coin.y(), 75 + (90 - hauteurTexte) / 2);
    // Icons of the row's height one level in (90 pixels), names beyond them.
    const int xIcone = 50 + 90;
    EXPECT_GT(canevas.Textes[0].Coin.x(), xIcone + 90);
    const QRect icone = BoiteNonBlanche(image.copy(xIcone, 75, 90, 90));
    EXPECT_GT(icone.width(), 45);
    EXPECT_GT(icone.height(), 70);
    // Each connector in the pen's colour: from the icon's left towards the
    // level's left edge in the middle of the row, then up; a first-level
    // entry's to the box's top. The pen is 1 mm wide: 5 pixels at this
    // scale.
    EXPECT_TRUE(Est(image, xIcone - 20, 75 + 45, CouleurRouge));
    EXPECT_TRUE(Est(image, xIcone - 45, 77, CouleurRouge));
    EXPECT_TRUE(Est(image, xIcone - 45 + 450, 77, CouleurRouge));
    EXPECT_TRUE(Est(image, xIcone - 45 - 2, 100, CouleurRouge));
    EXPECT_FALSE(Est(image, xIcone - 45 - 4, 100, CouleurRouge));
    // Nothing above the box.
    EXPECT_EQ(BoiteNonBlanche(image.copy(1, 1, 998, 70)), QRect());
}

TEST(Arbo, NomsCoupesAuBordDeLaColonne)
{
    QTemporaryDir tmp;
    const QString longNom = u"un nom de fichier bien trop long pour sa colonne.txt"_s;
    Cree(tmp.path() + u"/court.txt"_s);
    Cree(tmp.path() + u'/' + longNom);
    Page p;
    TxiloCADArbo &a = p.Arbo(tmp.path());
    a.SetViewFichier(true);
    // A box of 30 x 10 mm: 300 pixels wide, two rows of 50 pixels.
    a.SetCentre(50, 50);
    a.SetTaille(30, 10);
    CanevasEspion canevas(QSize(1000, 1000));
    p.m.Draw(canevas, QRect(0, 0, 1000, 1000));
    ASSERT_EQ(canevas.Textes.size(), 2u);
    EXPECT_EQ(canevas.Textes[0].Texte, u"court.txt"_s);
    // The long name is cut to the characters that end before the box's
    // right edge at 650 pixels.
    const TexteEcrit &t = canevas.Textes[1];
    ASSERT_TRUE(longNom.startsWith(t.Texte));
    ASSERT_LT(t.Texte.size(), longNom.size());
    const QFontMetrics mesure(PoliceCAD(t.Fonte));
    EXPECT_LE(t.Coin.x() + mesure.horizontalAdvance(t.Texte), 650);
    EXPECT_GT(t.Coin.x() + mesure.horizontalAdvance(longNom.first(t.Texte.size() + 1)), 650);
    const QImage image = canevas.Image();
    EXPECT_EQ(BoiteNonBlanche(image.copy(651, 1, 348, 998)), QRect());
}

TEST(Arbo, ClesEtMessage)
{
    Page p;
    TxiloCADArbo &a = p.Arbo(u"/tmp/rien-ici"_s);
    a.SetDepthMax(3);
    a.SetColumn(2);
    a.SetViewFichier(true);
    a.SetFont(TFonteCAD{CouleurRGB(0x11, 0x22, 0x33), u"Courier New"_s, 3000, FonteGras, 0});
    a.SetCentre(10, 20);
    a.SetTaille(30, 40);
    const QStringList cles = a.SaveToStrings();
    EXPECT_EQ(cles.mid(cles.indexOf(u"r=0"_s) + 1),
              (QStringList{u"Path=/tmp/rien-ici"_s, u"DepthMax=3"_s, u"Column=2"_s, u"ViewFichier=1"_s,
                           u"Font=112233,Courier New,3000,B"_s}));

    // Read back through the model file's text, unturned whatever r says.
    QStringList lignes = p.m.SaveToStrings();
    lignes.replaceInStrings(u"r=0"_s, u"r=30"_s);
    TxiloCADMdl relu(nullptr, QRect(0, 0, 100, 100), 100, 100);
    relu.LoadFromStrings(lignes);
    ASSERT_EQ(relu.Count(), 1);
    auto &b = dynamic_cast<TxiloCADArbo &>(relu.Objet(0));
    EXPECT_EQ(b.Path(), u"/tmp/rien-ici"_s);
    EXPECT_EQ(b.DepthMax(), 3);
    EXPECT_EQ(b.Column(), 2);
    EXPECT_TRUE(b.ViewFichier());
    EXPECT_EQ(b.Font(), a.Font());
    EXPECT_EQ(b.X(), 10);
    EXPECT_EQ(b.R(), 0);
    // Missing keys keep the present values.
    b.LoadFromStrings({u"Path=/ailleurs"_s});
    EXPECT_EQ(b.DepthMax(), 3);
    EXPECT_TRUE(b.ViewFichier());
    EXPECT_EQ(b.Font(), a.Font());

    // Nothing to list, or fewer than one column: the grey crossed box, with
    // the message switch on; nothing without it.
    QTemporaryDir tmp;
    Cree(tmp.path() + u"/f.txt"_s);
    a.SetPath(tmp.path());
    const auto gris = [&] {
        const QImage image = Dessine(QSize(1000, 1000), [&](TCanevas &c) { p.m.Draw(c, QRect(0, 0, 1000, 1000)); });
        return Compte(image, CouleurGrise);
    };
    EXPECT_EQ(gris(), 0);
    a.SetColumn(0);
    EXPECT_GT(gris(), 500);
    a.SetColumn(1);
    a.SetPath(QString());
    EXPECT_GT(gris(), 500);
    p.m.Interrupteurs().Messages = false;
    EXPECT_EQ(gris(), 0);
}

// Folder trees and bar codes whose boxes, columns, depths and fonts lie far
// beyond any page (a damaged or hostile file) are drawn at every scale
// without an overflow anywhere.
TEST(Arbo, ValeursEnormes)
{
    QTemporaryDir tmp;
    QDir(tmp.path()).mkpath(u"a/b/c"_s);
    for (const QString &f : {u"/x.txt"_s, u"/a/y.png"_s, u"/a/b/z"_s})
        Cree(tmp.path() + f);
    Page p;
    const double enormes[] = {99999999999999999.0, -99999999999999999.0, 2147483647.0, 3e9, 0};
    const int entiers[] = {2147483647, -2147483647 - 1, 0, 1, 1000000};
    for (size_t i = 0; i < std::size(enormes); ++i) {
        TxiloCADArbo &a = p.Arbo(tmp.path());
        a.SetViewFichier(true);
        a.SetCentre(i % 2 ? 50 : enormes[i], enormes[(i + 1) % std::size(enormes)]);
        a.SetTaille(enormes[i], enormes[(i + 2) % std::size(enormes)]);
        a.SetColumn(entiers[i]);
        a.SetDepthMax(entiers[(i + 1) % std::size(entiers)]);
        a.SetPen(TStylo{CouleurNoire, LargeurStyloMax, StyloPlein});
        a.SetFont(TFonteCAD{CouleurNoire, u"Arial"_s, HauteurFonteMax, 0, 0});
        auto &c = dynamic_cast<TxiloCADCodeBarre &>(*p.m.AddObject(u"codebarre"_s));
        c.SetFace(1);
        c.SetCentre(a.X(), 50);
        c.SetTaille(a.L(), a.H());
    }
    for (const QRect rect : {QRect(0, 0, 240, 240), QRect(-50, 30, 40, 400), QRect(3, 3, 1, 1)}) {
        const QImage image = Dessine(QSize(240, 240), [&](TCanevas &c) { p.m.Draw(c, rect); });
        EXPECT_EQ(image.size(), QSize(240, 240));
    }
}
