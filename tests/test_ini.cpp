#include "Ini.h"

#include "CheminsSpeciaux.h"

#include <climits>
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

QString Fixture(const QString &nom)
{
    return QString::fromUtf8(LIGNEE_FIXTURES) + u"/ini/"_s + nom;
}

QByteArray Octets(const QString &chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Ecrit(const QString &chemin, const QByteArray &octets)
{
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(octets) == octets.size());
}

// A writable copy of a fixture in the temporary folder.
QString Copie(const QTemporaryDir &dossier, const QString &nom)
{
    const QString chemin = dossier.filePath(nom);
    QFile::copy(Fixture(nom), chemin);
    QFile::setPermissions(chemin, QFile::ReadOwner | QFile::WriteOwner);
    return chemin;
}

QStringList Contenu(const QTemporaryDir &dossier)
{
    return QDir(dossier.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries);
}

} // namespace

TEST(IniLecture, ValeursSectionsEtCles)
{
    const TIniFile ini(Fixture(u"gene.ini"_s));
    const QString absent = u"<défaut>"_s;
    const QString cas[][3] = {
        {u"Général"_s, u"Langue"_s, u"fr"_s},               // first of two duplicates
        {u" GÉNÉRAL "_s, u" LANGUE"_s, u"fr"_s},            // accents folded, blanks
        {u"Général"_s, u"print zoomauto"_s, u"1"_s},        // indented key with a blank
        {u"Général"_s, u"Formule"_s, u"a=b=c"_s},           // split at the first "="
        {u"Général"_s, u"Titre"_s, u"\"  Mon arbre  \""_s}, // quotes kept
        {u"Général"_s, u"Vide"_s, QString()},               // present but empty
        {u"aff 1"_s, u"Hauteur"_s, u"0x1F"_s},              // the commented line is skipped
        {u"GENE\\stat"_s, u"Total"_s, u"abc"_s},
        {u"été"_s, u"MOT"_s, u"élan"_s},
        {u"Général"_s, u"Avant"_s, absent},                 // before any section
        {u"Aff 1"_s, u"; Hauteur"_s, absent},
        {u"Aff 1"_s, u"ligne sans égal"_s, absent},
        {u"Absente"_s, u"Langue"_s, absent},
    };
    for (const auto &[section, cle, attendu] : cas) {
        SCOPED_TRACE((section + u'/' + cle).toStdString());
        EXPECT_EQ(ini.ReadString(section, cle, absent), attendu);
        EXPECT_EQ(ini.ValueExists(section, cle), attendu != absent);
    }
    EXPECT_EQ(ini.Sections(), QStringList({u"Général"_s, u"Aff 1"_s, u"gene\\Stat"_s, u"Été"_s}));
    EXPECT_EQ(ini.ReadSection(u"GÉNÉRAL"_s),
              QStringList({u"Langue"_s, u"Print ZoomAuto"_s, u"Couleur"_s, u"Marge"_s,
                           u"Vide"_s, u"Formule"_s, u"Titre"_s}));
    EXPECT_EQ(ini.ReadSection(u"Aff 1"_s), QStringList({u"Largeur"_s, u"Hauteur"_s}));
    EXPECT_FALSE(ini.SectionExists(u"Aff"_s));
}

TEST(IniLecture, EntiersEtBooleens)
{
    TIniFile ini(u"/nonexistent/x.ini"_s);
    struct Cas { QString texte; int entier; int booleen; }; // 77 and -1: the default
    const Cas cas[] = {
        {u"-7"_s, -7, -1}, {u"0XfF"_s, 255, -1}, {u"0xFFFFFFFF"_s, -1, -1},
        {u"2147483647"_s, INT_MAX, -1}, {u"-2147483648"_s, INT_MIN, -1},
        {u"2147483648"_s, 77, -1}, {u"0x123456789"_s, 77, -1}, {u"0x"_s, 77, -1},
        {u"0x-1"_s, 77, -1}, {u"0x0x1"_s, 77, -1}, {u"12abc"_s, 77, -1}, {QString(), 77, -1},
        {u"1"_s, 1, 1}, {u"TRUE"_s, 77, 1}, {u"Yes"_s, 77, 1}, {u"oui"_s, 77, 1},
        {u"0"_s, 0, 0}, {u"False"_s, 77, 0}, {u"NO"_s, 77, 0}, {u"Non"_s, 77, 0},
    };
    for (const Cas &c : cas) {
        SCOPED_TRACE(c.texte.toStdString());
        ini.WriteString(u"S"_s, u"N"_s, c.texte);
        EXPECT_EQ(ini.ReadInteger(u"S"_s, u"N"_s, 77), c.entier);
        for (const bool defaut : {false, true})
            EXPECT_EQ(ini.ReadBool(u"S"_s, u"N"_s, defaut), c.booleen < 0 ? defaut : c.booleen == 1);
    }
}

// Saving without a change gives back the very same bytes: line endings, a
// missing final line break, comments, binary junk and invalid UTF-8 included.
TEST(IniRelecture, FichierInchangeIdentique)
{
    QTemporaryDir dossier;
    const std::pair<QString, TEncodage> cas[] = {
        {u"gene.ini"_s, TEncodage::Utf8}, {u"win1252_crlf.ini"_s, TEncodage::Windows1252},
        {u"win1252_crlf.ini"_s, TEncodage::Utf8}, {u"broken.ini"_s, TEncodage::Utf8},
        {u"broken.ini"_s, TEncodage::Windows1252}, {u"bom.ini"_s, TEncodage::Utf8},
    };
    for (const auto &[nom, encodage] : cas) {
        SCOPED_TRACE(nom.toStdString());
        const QString chemin = dossier.filePath(u"copie.ini"_s);
        QFile::remove(chemin);
        QFile::copy(Fixture(nom), chemin);
        TIniFile ini(chemin, encodage);
        ASSERT_TRUE(ini.UpdateFile()) << ini.ErrorString().toStdString();
        EXPECT_EQ(Octets(chemin), Octets(Fixture(nom)));
    }
}

// A lone CR ends a line, as the other line breaks do: writing back every
// value read changes nothing, and a reload reads the same values.
TEST(IniRelecture, RetourChariotSeulFinDeLigne)
{
    QTemporaryDir dossier;
    const struct { QByteArray octets; QString k; } cas[] = {
        {"[S]\r\nk=a\rb\r\nm=c\r\n", u"a"_s},
        {"[S]\nk= a \r\rm=c", u"a"_s},
        {"[S]\rk=v\rm=w\r", u"v"_s},
        {"[S]\nk=\r\r\nm=\xC3\xA9\r", QString()},
    };
    int n = 0;
    for (const auto &c : cas) {
        SCOPED_TRACE(c.octets.toStdString());
        const QString chemin = dossier.filePath(QString::number(++n));
        Ecrit(chemin, c.octets);
        QStringList valeurs;
        {
            TIniFile ini(chemin);
            EXPECT_EQ(ini.ReadString(u"S"_s, u"k"_s, u"?"_s), c.k);
            for (const QString &cle : ini.ReadSection(u"S"_s)) {
                valeurs.append(ini.ReadString(u"S"_s, cle));
                ini.WriteString(u"S"_s, cle, valeurs.last());
            }
            EXPECT_FALSE(ini.Modified());
            ASSERT_TRUE(ini.UpdateFile());
        }
        EXPECT_EQ(Octets(chemin), c.octets);
        TIniFile relu(chemin);
        QStringList relues;
        for (const QString &cle : relu.ReadSection(u"S"_s))
            relues.append(relu.ReadString(u"S"_s, cle));
        EXPECT_EQ(relues, valeurs);
    }
    // New lines of a file whose lines end with CR alone end the same way.
    TIniFile ini(dossier.filePath(u"3"_s));
    ini.WriteString(u"S"_s, u"x"_s, u"1"_s);
    ini.WriteString(u"T"_s, u"y"_s, u"2"_s);
    ASSERT_TRUE(ini.UpdateFile());
    EXPECT_EQ(Octets(dossier.filePath(u"3"_s)), QByteArray("[S]\rk=v\rm=w\rx=1\r\r[T]\ry=2\r"));
}

TEST(IniMiseAJour, ModifieSurPlaceEtGardeLeReste)
{
    QTemporaryDir dossier;
    const QString chemin = Copie(dossier, u"gene.ini"_s);
    TIniFile ini(chemin);
    ini.WriteString(u"général"_s, u"LANGUE"_s, u"de"_s);
    ini.WriteInteger(u"Aff 1"_s, u"Largeur"_s, 130);
    ini.WriteBool(u"Aff 1"_s, u"Nouvelle"_s, true);
    ini.WriteString(u"Été"_s, u"Clé"_s, u" v "_s);
    ini.WriteString(u"Nouvelle Section"_s, u"K"_s, u"1"_s);
    EXPECT_TRUE(ini.Modified());
    ASSERT_TRUE(ini.UpdateFile());
    EXPECT_FALSE(ini.Modified());
    const QString attendu = u"; Réglages de Lignée\nAvant=1\n\n"
                            "[Général]\nLangue=de\n Print ZoomAuto = 1\nCouleur=0x00FF8000\n"
                            "Marge=-12\nVide=\nFormule=a=b=c\nTitre=\"  Mon arbre  \"\n"
                            "langue=en\n\n"
                            "[Aff 1]\nLargeur = 130\n; Hauteur=99\nHauteur=0x1F\n"
                            "ligne sans égal\nNouvelle=1\n\n\n"
                            "[gene\\Stat]\nTotal=abc\n\n"
                            "[Été]\nMot=élan\nClé=v\n\n"
                            "[Nouvelle Section]\nK=1\n"_s;
    EXPECT_EQ(QString::fromUtf8(Octets(chemin)), attendu);
    EXPECT_EQ(ini.Text(), attendu);
}

TEST(IniMiseAJour, DoublonsEtSuppressions)
{
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(u"d.ini"_s);
    Ecrit(chemin, "[A]\nx=1\nx=2\n[B]\ny=2\n[a]\nx=9\nz=3\n");
    TIniFile ini(chemin);
    EXPECT_EQ(ini.Sections(), QStringList({u"A"_s, u"B"_s}));
    EXPECT_EQ(ini.ReadSection(u"A"_s), QStringList({u"x"_s, u"z"_s}));
    ini.WriteString(u"A"_s, u"x"_s, u"1"_s); // same value: nothing changes
    EXPECT_FALSE(ini.Modified());
    ini.WriteString(u"A"_s, u"X"_s, u"5"_s);
    ini.WriteString(u"A"_s, u"w"_s, u"6"_s);
    EXPECT_EQ(ini.Text(), u"[A]\nx=5\nx=2\n[B]\ny=2\n[a]\nx=9\nz=3\nw=6\n"_s);
    ini.DeleteKey(u"a"_s, u"X"_s);
    EXPECT_EQ(ini.Text(), u"[A]\n[B]\ny=2\n[a]\nz=3\nw=6\n"_s);
    ini.EraseSection(u"A"_s);
    ASSERT_TRUE(ini.UpdateFile());
    EXPECT_EQ(Octets(chemin), QByteArray("[B]\ny=2\n"));
    ini.DeleteKey(u"B"_s, u"absente"_s);
    ini.EraseSection(u"Absente"_s);
    EXPECT_FALSE(ini.Modified());
}

// A section read or written whole at once gives what reading or writing it
// key by key gives, on files with duplicates, blocks of the same section,
// comments, blank lines and keys in other letter cases.
TEST(IniMiseAJour, SectionEntiereCommeCleParCle)
{
    const std::vector<std::pair<QString, QString>> valeurs{
        {u"x"_s, u"5"_s},  {u"w"_s, u"6"_s},     {u"X"_s, u"7"_s},      {u" v "_s, u" a\nb "_s},
        {u"a=b"_s, u"r"_s}, {u";c"_s, u"r"_s},    {QString(), u"r"_s},   {u"W"_s, u"8"_s},
        {u"z"_s, u"3"_s},  {u"neuve"_s, QString()},
    };
    const QString fichiers[] = {
        QString(),
        u"[A]\nx=1\nx=2\n[B]\ny=2\n[a]\nX=9\nz=3\n"_s,
        u"; tête\n[B]\ny=2\n\n"_s,
        u"[A]\n; note\nx = 1\n\n\n[B]\ny=2\n[A]\n\n"_s,
        u"[A]\nx=5\nw=6\nv=a b\nz=3\nneuve=\n"_s,
    };
    QTemporaryDir dossier;
    int n = 0;
    for (const QString &texte : fichiers) {
        SCOPED_TRACE(texte.toStdString());
        const QString chemin = dossier.filePath(QString::number(++n));
        if (!texte.isNull())
            Ecrit(chemin, texte.toUtf8());
        TIniFile cleParCle(chemin), entiere(chemin);
        for (const auto &[cle, valeur] : valeurs)
            cleParCle.WriteString(u"A"_s, cle, valeur);
        entiere.WriteSectionValues(u" A "_s, valeurs);
        EXPECT_EQ(entiere.Text(), cleParCle.Text());
        EXPECT_EQ(entiere.Modified(), cleParCle.Modified());

        std::vector<std::pair<QString, QString>> lues;
        for (const QString &cle : cleParCle.ReadSection(u"A"_s))
            lues.emplace_back(cle, cleParCle.ReadString(u"A"_s, cle));
        EXPECT_EQ(entiere.ReadSectionValues(u"a"_s), lues);
    }
    TIniFile ini(u"/nonexistent/x.ini"_s);
    ini.WriteSectionValues(u"a]b"_s, valeurs);
    ini.WriteSectionValues(u"S"_s, {});
    EXPECT_FALSE(ini.Modified());
    EXPECT_TRUE(ini.ReadSectionValues(u"S"_s).empty());
}

// Names that could not be read back as written are refused; line breaks in a
// value would split the line, so they become blanks.
TEST(IniMiseAJour, NomsRefusesEtValeursSurUneLigne)
{
    TIniFile ini(u"/nonexistent/x.ini"_s);
    const std::pair<QString, QString> refuses[] = {
        {QString(), u"k"_s}, {u"a]b"_s, u"k"_s}, {u"a\nb"_s, u"k"_s}, {u"S"_s, QString()},
        {u"S"_s, u"a=b"_s}, {u"S"_s, u";c"_s}, {u"S"_s, u"[x]"_s}, {u"S"_s, u"a\r\nb"_s},
    };
    for (const auto &[section, cle] : refuses)
        ini.WriteString(section, cle, u"v"_s);
    EXPECT_FALSE(ini.Modified());
    ini.WriteString(u"S"_s, u"k"_s, u"l1\r\n[T]\nl2"_s);
    EXPECT_EQ(ini.Text(), u"[S]\nk=l1  [T] l2\n"_s);
}

TEST(IniMiseAJour, FinsDeLigneDuFichier)
{
    QTemporaryDir dossier;
    // "-": no file. Erasing the first section of a file keeps its UTF-8 mark.
    struct Cas { TEncodage encodage; QByteArray avant, apres; QString efface = {}; };
    const Cas cas[] = {
        {TEncodage::Utf8, "-", "[S]\nk=v\n"},
        {TEncodage::Windows1252, "-", "[S]\r\nk=v\r\n"},
        {TEncodage::Utf8, "[S]\r\na=1\r\n", "[S]\r\na=1\r\nk=v\r\n"},
        {TEncodage::Windows1252, "[S]\na=1\n", "[S]\na=1\nk=v\n"},
        {TEncodage::Utf8, "[S]\na=1", "[S]\na=1\nk=v"},
        {TEncodage::Utf8, "[T]\r\nb=2\n", "[T]\r\nb=2\n\r\n[S]\r\nk=v\r\n"},
        {TEncodage::Utf8, "[T]\nb=2\n\n", "[T]\nb=2\n\n[S]\nk=v\n"},
        {TEncodage::Utf8, "\xEF\xBB\xBF[L]\nc=fr\n", "\xEF\xBB\xBF[S]\nk=v\n", u"L"_s},
    };
    int n = 0;
    for (const Cas &c : cas) {
        SCOPED_TRACE(c.apres.toStdString());
        const QString chemin = dossier.filePath(QString::number(++n));
        if (c.avant != "-")
            Ecrit(chemin, c.avant);
        TIniFile ini(chemin, c.encodage);
        ini.EraseSection(c.efface);
        ini.WriteString(u"S"_s, u"k"_s, u"v"_s);
        ASSERT_TRUE(ini.UpdateFile());
        EXPECT_EQ(Octets(chemin), c.apres);
    }
}

TEST(IniWindows1252, TousLesOctetsAllerRetour)
{
    QByteArray tous;
    for (int i = 0; i < 256; ++i)
        tous.append(static_cast<char>(i));
    const QString texte = DecodeWindows1252(tous);
    ASSERT_EQ(texte.size(), 256);
    EXPECT_EQ(EncodeWindows1252(texte), tous);
    const std::pair<int, char16_t> points[] = {
        {0x41, u'A'}, {0x80, 0x20AC}, {0x81, 0x0081}, {0x8D, 0x008D}, {0x96, 0x2013},
        {0x9C, 0x0153}, {0x9D, 0x009D}, {0x9F, 0x0178}, {0xA0, 0x00A0}, {0xE9, 0x00E9},
    };
    for (const auto &[octet, unicode] : points)
        EXPECT_EQ(texte.at(octet).unicode(), unicode) << octet;
    EXPECT_EQ(EncodeWindows1252(u"€œé Ω\u0080"_s), QByteArray("\x80\x9C\xE9 ??"));
    // One character outside the basic plane, then a lone surrogate.
    EXPECT_EQ(EncodeWindows1252(u"a\U0001F600b"_s + QChar(0xD800)), QByteArray("a?b?"));
}

TEST(IniWindows1252, FichierLuEtEcrit)
{
    QTemporaryDir dossier;
    const QString chemin = Copie(dossier, u"win1252_crlf.ini"_s);
    TIniFile ini(chemin, TEncodage::Windows1252);
    EXPECT_EQ(ini.ReadString(u"Lieux"_s, u"Ville"_s), u"Orléans"_s);
    EXPECT_EQ(ini.ReadString(u"Lieux"_s, u"Ligature"_s), u"œuvre"_s);
    ini.WriteString(u"Lieux"_s, u"Nom"_s, u"Œil ✓"_s);
    ASSERT_TRUE(ini.UpdateFile());
    EXPECT_EQ(Octets(chemin), QByteArray("[Lieux]\r\nVille=Orl\xE9" "ans\r\nSymbole=\x80\r\n"
                                         "Ligature=\x9Cuvre\r\nNom=\x8Cil ?\r\n\r\n[Autre]\r\nX=1\r\n"));
}

TEST(IniFichierAbime, LuSansPlantageEtLignesGardees)
{
    QTemporaryDir dossier;
    const QString chemin = Copie(dossier, u"broken.ini"_s);
    TIniFile ini(chemin);
    EXPECT_EQ(ini.Sections(), QStringList({u"Ok"_s}));
    EXPECT_EQ(ini.ReadString(u"Ok"_s, u"C"_s), u"3"_s); // "[ouverte" is no header
    EXPECT_EQ(ini.ReadSection(u"Ok"_s).mid(0, 3), QStringList({u"A"_s, u"B"_s, u"C"_s}));
    ini.WriteString(u"Ok"_s, u"A"_s, u"2"_s);
    ASSERT_TRUE(ini.UpdateFile());
    QByteArray attendu = Octets(Fixture(u"broken.ini"_s));
    EXPECT_EQ(Octets(chemin), attendu.replace("\nA=1\n", "\nA=2\n"));
}

// A failed save creates nothing and damages nothing.
TEST(IniEnregistrement, EchecSansRienCreerNiAbimer)
{
    QTemporaryDir dossier;
    Ecrit(dossier.filePath(u"fichier"_s), "x");
    QDir().mkdir(dossier.filePath(u"rep.ini"_s));
    for (const QString &nom : {u"absent/sous/x.ini"_s, u"fichier/x.ini"_s, u"rep.ini"_s}) {
        TIniFile ini(dossier.filePath(nom));
        ini.WriteString(u"S"_s, u"k"_s, u"v"_s);
        EXPECT_FALSE(ini.UpdateFile()) << nom.toStdString();
        EXPECT_FALSE(ini.ErrorString().isEmpty());
        EXPECT_TRUE(ini.Modified());
    }
    EXPECT_EQ(Contenu(dossier), QStringList({u"fichier"_s, u"rep.ini"_s}));
    EXPECT_TRUE(QDir(dossier.filePath(u"rep.ini"_s)).isEmpty());
    EXPECT_EQ(Octets(dossier.filePath(u"fichier"_s)), QByteArray("x"));
}

// A named pipe or a device is never opened: it reads as an empty file and is
// not replaced by a save.
TEST(IniFichierAbime, CheminsSpeciauxNiLusNiRemplaces)
{
    QTemporaryDir dossier;
    for (const QString &chemin : CheminsSpeciaux(dossier.path(), u".ini"_s)) {
        SCOPED_TRACE(chemin.toStdString());
        TIniFile ini(chemin);
        EXPECT_TRUE(ini.Sections().isEmpty());
        EXPECT_EQ(ini.ReadString(u"S"_s, u"k"_s, u"défaut"_s), u"défaut"_s);
        ini.WriteString(u"S"_s, u"k"_s, u"v"_s);
        EXPECT_FALSE(ini.UpdateFile());
        EXPECT_TRUE(ini.ErrorString().contains(u"ce n'est pas un fichier ordinaire"_s))
            << ini.ErrorString().toStdString();
    }
    EXPECT_EQ(QDir(dossier.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot),
              QStringList({u"tube.ini"_s, u"zero.ini"_s}));
    EXPECT_TRUE(QFileInfo(dossier.filePath(u"zero.ini"_s)).isSymLink());
}

TEST(IniEnregistrement, PermissionsRefuseesAncienFichierIntact)
{
    QTemporaryDir dossier;
    const QString chemin = Copie(dossier, u"gene.ini"_s);
    const QString illisible = Copie(dossier, u"bom.ini"_s);
    QFile::setPermissions(illisible, QFile::WriteOwner);
    const auto lecture = QFile::ReadOwner | QFile::ExeOwner;
    QFile::setPermissions(dossier.path(), lecture);
    if (QFile(illisible).open(QIODevice::ReadOnly)) {
        QFile::setPermissions(dossier.path(), lecture | QFile::WriteOwner);
        GTEST_SKIP() << "permissions are not enforced for this user";
    }
    TIniFile ini(chemin); // in a read-only folder
    ini.WriteString(u"Général"_s, u"Langue"_s, u"de"_s);
    EXPECT_FALSE(ini.UpdateFile());
    EXPECT_FALSE(ini.ErrorString().isEmpty());
    EXPECT_EQ(Contenu(dossier), QStringList({u"bom.ini"_s, u"gene.ini"_s}));

    // Writable but not readable: only the refusal to save keeps its contents.
    QFile::setPermissions(dossier.path(), lecture | QFile::WriteOwner);
    TIniFile sansLecture(illisible);
    sansLecture.WriteString(u"S"_s, u"k"_s, u"v"_s);
    EXPECT_FALSE(sansLecture.UpdateFile());
    QFile::setPermissions(illisible, QFile::ReadOwner);
    EXPECT_EQ(Octets(chemin), Octets(Fixture(u"gene.ini"_s)));
    EXPECT_EQ(Octets(illisible), Octets(Fixture(u"bom.ini"_s)));
}
