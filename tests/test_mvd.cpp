#include "FichierMvd.h"

#include <random>

#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include "BD.h"
#include "CheminsSpeciaux.h"

using namespace Qt::StringLiterals;

// Records are built with designated initializers that name only the fields a
// case sets; the others keep their defaults on purpose.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace {

const QString Fixtures = QStringLiteral(LIGNEE_FIXTURES "/mvd/");

QByteArray contenu(const QString &chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void ecrit(const QString &chemin, const QByteArray &octets)
{
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(octets), octets.size());
}

// Plain CRC-32 (IEEE, reflected), written apart from the code under test so
// that the checksum the file carries is checked against its documented kind.
quint32 crc32(const char *d, qsizetype n)
{
    quint32 c = 0xFFFFFFFFu;
    for (qsizetype i = 0; i < n; ++i) {
        c ^= static_cast<unsigned char>(d[i]);
        for (int k = 0; k < 8; ++k)
            c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
    }
    return ~c;
}

void recalculeCrc(QByteArray &octets)
{
    qToLittleEndian(crc32(octets.constData(), octets.size() - 4), octets.data() + octets.size() - 4);
}

// A database with every field of every record kind set to something other
// than its default, free slots before, between and after the used ones, and
// links to records that do not exist (kept as they are).
TBD baseComplete()
{
    TBD bd;
    const TFiche complete{.EnService = true, .Plie = -7, .Sexe = SexeFemme,
                          .Nom = u"LE GALL – Ñoël 漢字 😀"_s, .Prenoms = u"Marie \"Jo\", Anne"_s,
                          .Pere = 4, .Mere = 99999, .StatutPere = 2, .StatutMere = 3,
                          .Note = u"ligne 1\nligne 2|x"_s + QChar(0) + u"fin"_s,
                          .Creation = u"1/1/2020"_s, .Modification = u"2/2/2021"_s,
                          .Champs = u"t|Profession|Menuisier|"_s, .Numerotation = u"12"_s,
                          .Evenements = {1, 4, 0, 50000}, .Sources = {2, 7}};
    bd.PlaceFiche(1, complete);
    bd.PlaceFiche(2, {.EnService = true, .Sexe = SexeInconnu, .Nom = u"DUVAL"_s});
    // A leading BOM is text, not an encoding marker.
    bd.PlaceFiche(4, {.EnService = true, .Prenoms = QChar(0xFEFF) + u"Zoé"_s});
    bd.PlaceFiche(6, TFiche()); // high-water above the last used slot

    bd.PlaceUnion(1, {.EnService = true, .Mari = 1, .Femme = 2, .Evenements = {2}});
    bd.PlaceUnion(3, {.EnService = true, .Mari = 0, .Femme = MaxPersonnes});
    for (int e : {1, 2, 4})
        bd.PlaceEvent(e, {true, u"Naissance %1"_s.arg(e), u"vers 14/7/188%1"_s.arg(e), u"10:3%1"_s.arg(e),
                          u"FRA,IDF,F95,Pontoise"_s, u"note %1"_s.arg(e), u"3"_s});
    bd.PlaceSource(2, {true, u"Registre"_s, u"État civil"_s, u"folio 12"_s,
                       u"actes/a.jpg|10|20|légende"_s});
    bd.SetAppendOnly(true);
    return bd;
}

const TEnteteMvd kEntete{u"Arbre d'été"_s, 4};

auto champs(const TFiche &f)
{
    return std::tie(f.EnService, f.Plie, f.Sexe, f.Nom, f.Prenoms, f.Pere, f.Mere, f.StatutPere,
                    f.StatutMere, f.Note, f.Creation, f.Modification, f.Champs, f.Numerotation,
                    f.Evenements, f.Sources);
}
auto champs(const TUnion &u) { return std::tie(u.EnService, u.Mari, u.Femme, u.Evenements); }
auto champs(const TEve &e)
{
    return std::tie(e.EnService, e.Type, e.Date, e.Heure, e.Lieu, e.Note, e.Qualite);
}
auto champs(const TSrc &s) { return std::tie(s.EnService, s.Titre, s.Genre, s.Note, s.Fichier); }

// Every slot up to the high-water counts, used or free, field by field.
void compareBases(const TBD &a, const TBD &b)
{
    ASSERT_EQ(std::tuple(a.PersonCount(), a.UnionCount(), a.EventCount(), a.SourceCount(), a.AppendOnly()),
              std::tuple(b.PersonCount(), b.UnionCount(), b.EventCount(), b.SourceCount(), b.AppendOnly()));
    for (int p = 1; p <= a.PersonCount(); ++p)
        EXPECT_TRUE(champs(a.Fiche(p)) == champs(b.Fiche(p))) << "personne " << p;
    for (int u = 1; u <= a.UnionCount(); ++u)
        EXPECT_TRUE(champs(a.Union(u)) == champs(b.Union(u))) << "union " << u;
    for (int e = 1; e <= a.EventCount(); ++e)
        EXPECT_TRUE(champs(a.Event(e)) == champs(b.Event(e))) << "événement " << e;
    for (int s = 1; s <= a.SourceCount(); ++s)
        EXPECT_TRUE(champs(a.Source(s)) == champs(b.Source(s))) << "source " << s;
}

// The database a failed load must leave alone.
TBD baseTemoin()
{
    TBD bd;
    const int p = bd.NewPerson();
    bd.SetSurname(p, u"TÉMOIN"_s);
    return bd;
}

void verifieTemoin(const TBD &bd)
{
    EXPECT_EQ(bd.PersonCount(), 1);
    EXPECT_EQ(bd.Surname(1), u"TÉMOIN"_s);
    EXPECT_EQ(bd.EventCount(), 0);
}

// Whatever a loaded file held, every number must be one the program can use.
bool baseDansLesBornes(const TBD &bd, const TEnteteMvd &entete)
{
    auto dans = [](int v, int max) { return v >= 0 && v <= max; };
    auto liste = [&](const std::vector<int> &l, int max) {
        return dans(static_cast<int>(l.size()), max)
            && std::all_of(l.begin(), l.end(), [&](int v) { return dans(v, max); });
    };
    bool ok = dans(entete.RefPers, MaxPersonnes) && dans(bd.PersonCount(), MaxPersonnes)
        && dans(bd.UnionCount(), MaxUnions) && dans(bd.EventCount(), MaxEvenements)
        && dans(bd.SourceCount(), MaxSources);
    for (int p = 1; p <= bd.PersonCount(); ++p) {
        const TFiche &f = bd.Fiche(p);
        ok = ok && dans(f.Sexe, 2) && dans(f.StatutPere, 3) && dans(f.StatutMere, 3)
            && dans(f.Pere, MaxPersonnes) && dans(f.Mere, MaxPersonnes)
            && liste(f.Evenements, MaxEvenements) && liste(f.Sources, MaxSources);
    }
    for (int u = 1; u <= bd.UnionCount(); ++u) {
        const TUnion &un = bd.Union(u);
        ok = ok && dans(un.Mari, MaxPersonnes) && dans(un.Femme, MaxPersonnes)
            && liste(un.Evenements, MaxEvenements);
    }
    return ok;
}

class Mvd : public ::testing::Test
{
protected:
    QString chemin(const QString &nom) const { return m_dossier.filePath(nom); }

    // Saves the complete test database and returns the file's bytes.
    QByteArray fichierComplet()
    {
        const QString c = chemin(u"complet.mvd"_s);
        EXPECT_TRUE(SauveMvd(c, baseComplete(), kEntete).Ok());
        return contenu(c);
    }

    // Loads `octets` from a file into a database holding the marker person.
    TResultatMvd chargeOctets(const QByteArray &octets, TBD &bd, TEnteteMvd &entete)
    {
        const QString c = chemin(u"essai.mvd"_s);
        ecrit(c, octets);
        return ChargeMvd(c, bd, &entete);
    }

    QTemporaryDir m_dossier;
};

TEST_F(Mvd, SaveAndLoadGiveBackEveryFieldSlotAndHeader)
{
    const TBD origine = baseComplete();
    const QByteArray octets = fichierComplet();
    ASSERT_GT(octets.size(), 16);
    EXPECT_EQ(octets.left(8), QByteArray("LIGNEEDB"));
    EXPECT_EQ(qFromLittleEndian<quint32>(octets.constData() + 8), 1u);
    EXPECT_EQ(qFromLittleEndian<quint32>(octets.constData() + octets.size() - 4),
              crc32(octets.constData(), octets.size() - 4));

    TBD lue = baseTemoin();
    TEnteteMvd entete;
    const TResultatMvd r = ChargeMvd(chemin(u"complet.mvd"_s), lue, &entete);
    ASSERT_TRUE(r.Ok()) << r.Erreur << " " << r.Detail.toStdString();
    compareBases(origine, lue);
    EXPECT_EQ(std::tuple(entete.NomLook, entete.RefPers), std::tuple(kEntete.NomLook, kEntete.RefPers));
    // The loaded database allocates like the saved one: free slots in the
    // middle are found, links index is rebuilt.
    lue.SetAppendOnly(false);
    EXPECT_EQ(lue.NewPerson(), 3);
    EXPECT_EQ(lue.NewUnion(), 2);
    EXPECT_EQ(lue.IndexUnions(1), std::vector<int>{1});

    // An empty database replaces a full one.
    ASSERT_TRUE(SauveMvd(chemin(u"vide.mvd"_s), TBD(), TEnteteMvd()).Ok());
    ASSERT_TRUE(ChargeMvd(chemin(u"vide.mvd"_s), lue, nullptr).Ok());
    EXPECT_EQ(lue.PersonCount() + lue.UnionCount() + lue.EventCount() + lue.SourceCount(), 0);
    EXPECT_FALSE(lue.AppendOnly());
}

// The reader makes room for each table once, from its high-water count:
// that room changes neither the counts nor the records, and a count that
// the bytes left cannot hold takes no room for nothing.
TEST_F(Mvd, RoomMadeForTheTablesChangesNothing)
{
    TBD bd = baseComplete();
    const TBD avant = bd;
    bd.ReservePersons(MaxPersonnes + 5);
    bd.ReserveUnions(-3);
    bd.ReserveEvents(1000);
    bd.ReserveSources(0);
    compareBases(avant, bd);
    bd.SetAppendOnly(false);
    EXPECT_EQ(bd.NewPerson(), 3); // the free slot in the middle, as before

    // A person table announcing every slot, one record, then a cut.
    QByteArray octets = fichierComplet();
    const int debut = 8 + 4 + 4 + int(kEntete.NomLook.toUtf8().size()) + 4 + 4;
    qToLittleEndian<qint32>(MaxPersonnes, octets.data() + debut);
    octets.truncate(debut + 8);
    TBD lue;
    TEnteteMvd entete;
    EXPECT_EQ(chargeOctets(octets, lue, entete).Erreur, MvdEndommage);
    EXPECT_EQ(lue.PersonCount(), 0);
}

TEST_F(Mvd, NumbersTheFormatCannotHoldAreSavedAsTheSettersWouldStoreThem)
{
    TBD bd;
    bd.PlaceFiche(1, {.EnService = true, .Sexe = 9, .Pere = -5, .Mere = MaxPersonnes + 1, .StatutPere = 7,
                      .StatutMere = -1, .Evenements = {-1, 2, MaxEvenements + 1, 3},
                      .Sources = {MaxSources + 1}});
    bd.PlaceUnion(1, {.EnService = true, .Mari = -2, .Femme = 1});
    TEnteteMvd entete;
    entete.RefPers = -3;
    ASSERT_TRUE(SauveMvd(chemin(u"b.mvd"_s), bd, entete).Ok());

    TBD lue;
    TEnteteMvd enteteLue;
    const TResultatMvd r = ChargeMvd(chemin(u"b.mvd"_s), lue, &enteteLue);
    ASSERT_TRUE(r.Ok()) << r.Detail.toStdString();
    const TFiche &g = lue.Fiche(1);
    EXPECT_EQ(std::tuple(g.Sexe, g.StatutPere, g.StatutMere, g.Pere, g.Mere),
              std::tuple(SexeInconnu, 0, 0, 0, 0));
    EXPECT_EQ(g.Evenements, (std::vector<int>{2, 3}));
    EXPECT_TRUE(g.Sources.empty());
    EXPECT_EQ(std::tuple(lue.Union(1).Mari, lue.Union(1).Femme, enteteLue.RefPers), std::tuple(0, 1, 0));
}

TEST_F(Mvd, EveryTruncationFailsAndLeavesTheDatabaseAlone)
{
    const QByteArray octets = fichierComplet();
    for (qsizetype n = 0; n < octets.size(); ++n) {
        SCOPED_TRACE(n);
        TBD bd = baseTemoin();
        TEnteteMvd entete;
        entete.NomLook = u"avant"_s;
        const TResultatMvd r = chargeOctets(octets.left(n), bd, entete);
        EXPECT_EQ(r.Erreur, n == 0 ? MvdEtranger : MvdEndommage);
        EXPECT_TRUE(n == 0 ? r.Position == -1 : r.Position >= 0 && r.Position <= n) << r.Position;
        verifieTemoin(bd);
        EXPECT_EQ(entete.NomLook, u"avant"_s);
    }
}

TEST_F(Mvd, RandomDamageNeverCrashesNorLoadsOutOfRangeNumbers)
{
    const QByteArray octets = fichierComplet();
    std::mt19937 rng(20240601);
    std::uniform_int_distribution<qsizetype> place(0, octets.size() - 1);
    std::uniform_int_distribution<int> masque(1, 255), nombre(1, 4);
    int echecsStructure = 0;
    for (int variante = 0; variante < 400; ++variante) {
        SCOPED_TRACE(variante);
        QByteArray abime = octets;
        for (int i = nombre(rng); i > 0; --i)
            abime[place(rng)] ^= static_cast<char>(masque(rng));
        // Half the variants carry a matching checksum, so that the structure
        // checks are the ones that must catch the damage.
        const bool crcJuste = variante % 2 == 1;
        if (crcJuste)
            recalculeCrc(abime);
        TBD bd = baseTemoin();
        TEnteteMvd entete;
        const TResultatMvd r = chargeOctets(abime, bd, entete);
        if (r.Ok()) {
            EXPECT_TRUE(crcJuste) << "damage went through the checksum";
            EXPECT_TRUE(baseDansLesBornes(bd, entete));
        } else {
            verifieTemoin(bd);
            if (crcJuste && r.Erreur == MvdEndommage)
                ++echecsStructure;
        }
    }
    EXPECT_GT(echecsStructure, 50);
}

TEST_F(Mvd, ForeignMissingAndBrokenFilesAreRefusedWithTheirReason)
{
    // An empty file is among the truncations above; this text starts like
    // the magic one.
    ecrit(chemin(u"image.mvd"_s), QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
    ecrit(chemin(u"texte.mvd"_s), "LIGNEE est un logiciel de genealogie\n");
    QDir(m_dossier.path()).mkdir(u"dossier.mvd"_s);
    {
        QFile gros(chemin(u"gros.mvd"_s)); // sparse: takes no room on disk
        ASSERT_TRUE(gros.open(QIODevice::WriteOnly));
        ASSERT_TRUE(gros.resize(TailleMaxMvd + 1));
    }
    const struct { QString chemin; int erreur; qint64 position; QString detail; } cas[] = {
        {chemin(u"absent.mvd"_s), MvdIntrouvable, -1, {}},
        {chemin(u"dossier.mvd"_s), MvdIllisible, -1, {}},
        {chemin(u"gros.mvd"_s), MvdTropGros, -1, QString::number(TailleMaxMvd + 1)},
        {chemin(u"image.mvd"_s), MvdEtranger, -1, {}},
        {chemin(u"texte.mvd"_s), MvdEtranger, -1, {}},
        {Fixtures + u"version_2.mvd"_s, MvdVersionRecente, -1, u"2"_s},
        {Fixtures + u"somme_fausse.mvd"_s, MvdSommeControle, -1, {}},
        {Fixtures + u"longueur_4go.mvd"_s, MvdEndommage, 12, u"NomLook"_s},
        {Fixtures + u"numero_repete.mvd"_s, MvdEndommage, 105, u"répété"_s},
        {Fixtures + u"pere_hors_capacite.mvd"_s, MvdEndommage, 61, u"personne 1, champ Pere"_s},
        {Fixtures + u"liste_geante.mvd"_s, MvdEndommage, 97, u"Evenements"_s},
        {Fixtures + u"utf8_invalide.mvd"_s, MvdEndommage, 52, u"événement 1, champ Type"_s},
        {Fixtures + u"octets_en_trop.mvd"_s, MvdEndommage, 56, u"2 octets en trop"_s},
        {Fixtures + u"un_octet_en_trop.mvd"_s, MvdEndommage, 56, u"1 octet en trop"_s},
        {Fixtures + u"version_0.mvd"_s, MvdEndommage, 8, u"version"_s},
        {Fixtures + u"numero_au_dela.mvd"_s, MvdEndommage, 56, u"table des sources"_s},
    };
    std::vector<std::tuple<QString, int, qint64, QString>> tous;
    for (const auto &c : cas)
        tous.emplace_back(c.chemin, c.erreur, c.position, c.detail);
    // A named pipe or a device is never opened.
    for (const QString &special : CheminsSpeciaux(m_dossier.path(), u".mvd"_s))
        tous.emplace_back(special, MvdIllisible, -1, u"ce n'est pas un fichier ordinaire"_s);
    for (const auto &[chemin, erreur, position, detail] : tous) {
        SCOPED_TRACE(chemin.toStdString());
        TBD bd = baseTemoin();
        TEnteteMvd entete;
        entete.RefPers = 1;
        const TResultatMvd r = ChargeMvd(chemin, bd, &entete);
        EXPECT_EQ(r.Erreur, erreur);
        EXPECT_EQ(r.Position, position);
        EXPECT_TRUE(r.Detail.contains(detail)) << r.Detail.toStdString();
        verifieTemoin(bd);
        EXPECT_EQ(entete.RefPers, 1);
    }
}

TEST_F(Mvd, EachSaveKeepsThePreviousFileAsOld)
{
    const struct { QString nom, ancienne; } noms[] = {
        {u"base.mvd"_s, u"base.old"_s}, {u"arbre.v2.mvd"_s, u"arbre.v2.old"_s},
        {u"sans_extension"_s, u"sans_extension.old"_s}};
    for (const auto &n : noms) {
        SCOPED_TRACE(n.nom.toStdString());
        QTemporaryDir dossier;
        const QString c = dossier.filePath(n.nom);
        TBD bd;
        TEnteteMvd entete;
        QByteArray versions[3];
        for (int i = 0; i < 3; ++i) {
            entete.RefPers = i;
            bd.SetSurname(bd.NewPerson(), u"P%1"_s.arg(i));
            ASSERT_TRUE(SauveMvd(c, bd, entete).Ok());
            versions[i] = contenu(c);
        }
        EXPECT_NE(versions[1], versions[2]);
        EXPECT_EQ(contenu(dossier.filePath(n.ancienne)), versions[1]);
        QStringList attendu{n.nom, n.ancienne};
        attendu.sort();
        EXPECT_EQ(QDir(dossier.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), attendu);
    }
}

TEST_F(Mvd, FailedSaveLeavesTheUserFileAsItWas)
{
    const QString base = chemin(u"base.mvd"_s);
    TBD premiere;
    premiere.SetSurname(premiere.NewPerson(), u"PREMIÈRE"_s);
    ASSERT_TRUE(SauveMvd(base, premiere, TEnteteMvd()).Ok());
    const QByteArray avant = contenu(base);
    // A folder in the way of the backup makes the save fail after the new
    // content was written to its temporary file.
    ASSERT_TRUE(QDir(m_dossier.path()).mkpath(u"base.old/occupe"_s));
    QDir(m_dossier.path()).mkdir(u"dossier.mvd"_s);

    const struct { QString chemin; int erreur; } cas[] = {
        {base, MvdCopieAncienne}, {chemin(u"dossier.mvd"_s), MvdEcritureImpossible},
        {chemin(u"absent/base.mvd"_s), MvdEcritureImpossible},
        {chemin(u"base.mvd/base.mvd"_s), MvdEcritureImpossible}};
    const TBD autre = baseComplete();
    for (const auto &c : cas) {
        SCOPED_TRACE(c.chemin.toStdString());
        const TResultatMvd r = SauveMvd(c.chemin, autre, kEntete);
        EXPECT_EQ(r.Erreur, c.erreur);
        EXPECT_FALSE(r.Detail.isEmpty());
        EXPECT_EQ(contenu(base), avant);
    }
    EXPECT_EQ(QDir(m_dossier.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              QStringList({u"base.mvd"_s, u"base.old"_s, u"dossier.mvd"_s}));

    // A folder the user may not write to (folder permissions do not bind
    // the superuser).
    if (::geteuid() != 0) {
        QFile::setPermissions(m_dossier.path(), QFile::ReadOwner | QFile::ExeOwner);
        EXPECT_EQ(SauveMvd(base, autre, kEntete).Erreur, MvdEcritureImpossible);
        QFile::setPermissions(m_dossier.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        EXPECT_EQ(contenu(base), avant);
    }
}

TEST(MvdExemple, TheShippedExampleLoadsWithFamilies)
{
    TBD bd;
    TEnteteMvd entete;
    const TResultatMvd r = ChargeMvd(QStringLiteral(LIGNEE_MODELE "/exemples/exemple.mvd"), bd, &entete);
    ASSERT_TRUE(r.Ok()) << r.Erreur << " " << r.Detail.toStdString();
    EXPECT_EQ(entete.NomLook, u"defaut"_s);
    ASSERT_TRUE(bd.PersonInUse(entete.RefPers));
    EXPECT_NE(bd.Father(entete.RefPers), 0);
    EXPECT_NE(bd.Mother(entete.RefPers), 0);
    int avecDeuxParents = 0, sansPere = 0, remaries = 0;
    for (int p = 1; p <= bd.PersonCount(); ++p) {
        avecDeuxParents += bd.PersonInUse(bd.Father(p)) && bd.PersonInUse(bd.Mother(p));
        sansPere += bd.Father(p) == 0 && bd.Mother(p) != 0;
        remaries += bd.IndexUnions(p).size() > 1;
    }
    EXPECT_TRUE(bd.PersonCount() >= 30 && bd.UnionCount() >= 8 && avecDeuxParents >= 15 && sansPere >= 1
                && remaries >= 1)
        << bd.PersonCount() << " " << bd.UnionCount() << " " << avecDeuxParents << " " << sansPere << " " << remaries;
    for (int u = 1; u <= bd.UnionCount(); ++u)
        EXPECT_TRUE(bd.CheckUnion(u)) << u;
}

} // namespace
