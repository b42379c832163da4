#include "FichierMvd.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <unistd.h>
#include <zlib.h>

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QtEndian>

#include "BD.h"
#include "FichierTemporaire.h"
#include "Fichiers.h"
#include "Langue.h"

using namespace Qt::StringLiterals;

namespace {

quint32 sommeControle(const char *donnees, qint64 taille)
{
    return static_cast<quint32>(
        crc32_z(0, reinterpret_cast<const Bytef *>(donnees), static_cast<size_t>(taille)));
}

TResultatMvd resultat(int erreur, const QString &detail = QString())
{
    TResultatMvd r;
    r.Erreur = erreur;
    r.Detail = detail;
    return r;
}

// ---- Writing -------------------------------------------------------------

class Ecrivain
{
public:
    explicit Ecrivain(qsizetype reserve) { m_donnees.reserve(reserve); }

    void octets(const char *d, qsizetype n) { m_donnees.append(d, n); }

    void naturel(quint32 v)
    {
        char b[4];
        qToLittleEndian(v, b);
        m_donnees.append(b, 4);
    }

    void entier(qint32 v) { naturel(static_cast<quint32>(v)); }

    void texte(const QString &s)
    {
        const QByteArray utf8 = s.toUtf8();
        naturel(static_cast<quint32>(utf8.size()));
        m_donnees.append(utf8);
    }

    // Entries the reader would refuse (outside 0..capacite) are left out, and
    // the list is cut at the capacity, so that every saved file loads back.
    void liste(const std::vector<int> &l, int capacite)
    {
        const qsizetype debut = m_donnees.size();
        entier(0);
        qint32 n = 0;
        for (const int v : l) {
            if (v < 0 || v > capacite)
                continue;
            if (n == capacite)
                break;
            entier(v);
            ++n;
        }
        qToLittleEndian(n, m_donnees.data() + debut);
    }

    qsizetype position() const { return m_donnees.size(); }
    void corrige(qsizetype position, qint32 v) { qToLittleEndian(v, m_donnees.data() + position); }

    QByteArray &donnees() { return m_donnees; }

private:
    QByteArray m_donnees;
};

int personneValide(int p)
{
    return p >= 0 && p <= MaxPersonnes ? p : 0;
}

// Writes the high-water count, the number of records (patched once known)
// and the slots in use.
template <typename EnService, typename Ecrit>
void ecritTable(Ecrivain &e, int haut, EnService enService, Ecrit ecrit)
{
    e.entier(haut);
    const qsizetype placeNombre = e.position();
    e.entier(0);
    qint32 nombre = 0;
    for (int n = 1; n <= haut; ++n) {
        if (!enService(n))
            continue;
        e.entier(n);
        ecrit(n);
        ++nombre;
    }
    e.corrige(placeNombre, nombre);
}

QByteArray encode(const TBD &bd, const TEnteteMvd &entete)
{
    // About 200 bytes per person and 100 per event is close for real
    // databases; a good guess saves most of the reallocations.
    Ecrivain e(4096 + qsizetype(bd.PersonCount()) * 200 + qsizetype(bd.EventCount()) * 100);
    e.octets(MagiqueMvd, sizeof(MagiqueMvd));
    e.naturel(VersionMvd);
    e.texte(entete.NomLook);
    e.entier(personneValide(entete.RefPers));
    e.entier(bd.AppendOnly() ? 1 : 0);

    ecritTable(e, bd.PersonCount(), [&](int p) { return bd.PersonInUse(p); }, [&](int p) {
        const TFiche &f = bd.Fiche(p);
        const bool sexeConnu = f.Sexe == SexeHomme || f.Sexe == SexeFemme;
        e.entier(sexeConnu ? f.Sexe : SexeInconnu);
        e.entier(f.Plie);
        e.texte(f.Nom);
        e.texte(f.Prenoms);
        e.entier(personneValide(f.Pere));
        e.entier(personneValide(f.Mere));
        e.entier(f.StatutPere >= 0 && f.StatutPere <= 3 ? f.StatutPere : 0);
        e.entier(f.StatutMere >= 0 && f.StatutMere <= 3 ? f.StatutMere : 0);
        e.texte(f.Note);
        e.texte(f.Creation);
        e.texte(f.Modification);
        e.texte(f.Champs);
        e.texte(f.Numerotation);
        e.liste(f.Evenements, MaxEvenements);
        e.liste(f.Sources, MaxSources);
    });
    ecritTable(e, bd.UnionCount(), [&](int u) { return bd.UnionInUse(u); }, [&](int u) {
        const TUnion &un = bd.Union(u);
        e.entier(personneValide(un.Mari));
        e.entier(personneValide(un.Femme));
        e.liste(un.Evenements, MaxEvenements);
    });
    ecritTable(e, bd.EventCount(), [&](int n) { return bd.EventInUse(n); }, [&](int n) {
        const TEve &ev = bd.Event(n);
        e.texte(ev.Type);
        e.texte(ev.Date);
        e.texte(ev.Heure);
        e.texte(ev.Lieu);
        e.texte(ev.Note);
        e.texte(ev.Qualite);
    });
    ecritTable(e, bd.SourceCount(), [&](int s) { return bd.SourceInUse(s); }, [&](int s) {
        const TSrc &src = bd.Source(s);
        e.texte(src.Titre);
        e.texte(src.Genre);
        e.texte(src.Note);
        e.texte(src.Fichier);
    });

    QByteArray &donnees = e.donnees();
    char crc[4];
    qToLittleEndian(sommeControle(donnees.constData(), donnees.size()), crc);
    donnees.append(crc, 4);
    return std::move(donnees);
}

// ---- Reading -------------------------------------------------------------

// A count with its noun, singular up to one: "1 octet", "2 octets".
QString compte(qint64 n, const char16_t *un, const char16_t *plusieurs)
{
    return QString::number(n) + u' ' + QString::fromUtf16(n > 1 ? plusieurs : un);
}

// Reads numbers and texts from the file image with every access checked
// against its end. The first failure is kept, with the byte offset, the
// record being read and the field, and every later call fails.
class Lecteur
{
public:
    explicit Lecteur(const QByteArray &donnees)
        : m_debut(donnees.constData()), m_taille(donnees.size())
    {}

    qint64 position() const { return m_position; }
    qint64 reste() const { return m_taille - m_position; }
    void saute(qint64 n) { m_position += n; }

    // Names the record being read ("personne", 12) for the error detail; a
    // zero number names a part of the file rather than a record.
    void contexte(const char16_t *genre, int numero)
    {
        m_genre = genre;
        m_numero = numero;
    }

    bool naturel(quint32 &v, const char16_t *champ)
    {
        if (reste() < 4)
            return echec(m_position, champ, u"fin du fichier atteinte"_s);
        v = qFromLittleEndian<quint32>(m_debut + m_position);
        m_position += 4;
        return true;
    }

    bool entier(int &v, int min, int max, const char16_t *champ)
    {
        const qint64 debut = m_position;
        quint32 brut = 0;
        if (!naturel(brut, champ))
            return false;
        v = static_cast<qint32>(brut);
        if (v < min || v > max)
            return echec(debut, champ, u"valeur %1 hors de %2..%3"_s.arg(v).arg(min).arg(max));
        return true;
    }

    bool texte(QString &s, const char16_t *champ)
    {
        const qint64 debut = m_position;
        quint32 longueur = 0;
        if (!naturel(longueur, champ))
            return false;
        if (longueur > reste())
            return echec(debut, champ, u"longueur %1, il reste %2"_s
                                           .arg(longueur).arg(compte(reste(), u"octet", u"octets")));
        const char *d = m_debut + m_position;
        m_position += longueur;
        if (!decodeUtf8(d, longueur, s))
            return echec(debut, champ, u"texte UTF-8 invalide"_s);
        return true;
    }

    bool liste(std::vector<int> &l, int capacite, const char16_t *champ)
    {
        int n = 0;
        if (!entier(n, 0, capacite, champ))
            return false;
        // The count is checked against the bytes left before anything is
        // reserved, so a damaged count cannot ask for a huge allocation.
        if (qint64(n) * 4 > reste())
            return echec(m_position - 4, champ, u"%1, il reste %2"_s
                                                    .arg(compte(n, u"numéro annoncé", u"numéros annoncés"),
                                                         compte(reste(), u"octet", u"octets")));
        l.clear();
        l.reserve(static_cast<size_t>(n));
        for (int i = 0; i < n; ++i) {
            int v = 0;
            if (!entier(v, 0, capacite, champ))
                return false;
            l.push_back(v);
        }
        return true;
    }

    bool echec(qint64 position, const char16_t *champ, const QString &raison)
    {
        if (!m_erreur.Ok())
            return false;
        const QString lieu = m_numero > 0
            ? u"%1 %2"_s.arg(QStringView(m_genre)).arg(m_numero)
            : QStringView(m_genre).toString();
        m_erreur.Erreur = MvdEndommage;
        m_erreur.Position = position;
        m_erreur.Detail = u"octet %1, %2, champ %3 : %4"_s.arg(position).arg(
            lieu, QStringView(champ).toString(), raison);
        return false;
    }

    const TResultatMvd &erreur() const { return m_erreur; }

private:
    // Plain ASCII, by far the most common, skips the decoder set-up. A leading
    // U+FEFF is part of the text and is kept.
    static bool decodeUtf8(const char *d, qint64 n, QString &s)
    {
        bool ascii = true;
        for (qint64 i = 0; i < n && ascii; ++i)
            ascii = static_cast<unsigned char>(d[i]) < 0x80;
        if (ascii) {
            s = QString::fromLatin1(d, static_cast<qsizetype>(n));
            return true;
        }
        QStringDecoder decodeur(QStringDecoder::Utf8,
                                QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
        s = decodeur(QByteArrayView(d, static_cast<qsizetype>(n)));
        return !decodeur.hasError();
    }

    const char *m_debut;
    qint64 m_taille;
    qint64 m_position = 0;
    const char16_t *m_genre = u"en-tête";
    int m_numero = 0;
    TResultatMvd m_erreur;
};

struct TTable {
    const char16_t *Nom;    // the table, for errors before a record
    const char16_t *Genre;  // one record
    int Capacite;
    int TailleMin;          // bytes of the smallest record, slot number included
};

// Reads one table; `reserve` makes room for the table's slots once they are
// known, `lit` reads the fields of the record with the given slot number and
// puts it in the database, `libere` marks the high-water slot as
// used-then-freed when no record reaches it.
template <typename Reserve, typename Lit, typename Libere>
bool litTable(Lecteur &l, const TTable &table, Reserve reserve, Lit lit, Libere libere)
{
    l.contexte(table.Nom, 0);
    int haut = 0;
    int nombre = 0;
    if (!l.entier(haut, 0, table.Capacite, u"nombre de places")
        || !l.entier(nombre, 0, haut, u"nombre d'enregistrements"))
        return false;
    // Room for the slots at once, but never for more records than the bytes
    // left could hold: a damaged count must not take memory for nothing.
    reserve(static_cast<int>(std::min<qint64>(haut, l.reste() / table.TailleMin)));
    int precedent = 0;
    for (int i = 0; i < nombre; ++i) {
        l.contexte(table.Nom, 0);
        const qint64 debut = l.position();
        int numero = 0;
        if (!l.entier(numero, 1, haut, u"numéro"))
            return false;
        // Strictly rising numbers make a repeated slot impossible to miss.
        if (numero <= precedent)
            return l.echec(debut, u"numéro",
                           u"numéro %1 répété ou hors d'ordre après %2"_s.arg(numero).arg(precedent));
        l.contexte(table.Genre, numero);
        if (!lit(numero))
            return false;
        precedent = numero;
    }
    if (haut > precedent)
        libere(haut);
    return true;
}

bool litPersonnes(Lecteur &l, TBD &bd)
{
    TFiche f;
    f.EnService = true;
    return litTable(l, {u"table des personnes", u"personne", MaxPersonnes, 16 * 4}, [&](int n) { bd.ReservePersons(n); }, [&](int p) {
        const bool ok = l.entier(f.Sexe, SexeHomme, SexeInconnu, u"Sexe")
            && l.entier(f.Plie, INT_MIN, INT_MAX, u"Plie")
            && l.texte(f.Nom, u"Nom")
            && l.texte(f.Prenoms, u"Prenoms")
            && l.entier(f.Pere, 0, MaxPersonnes, u"Pere")
            && l.entier(f.Mere, 0, MaxPersonnes, u"Mere")
            && l.entier(f.StatutPere, 0, 3, u"StatutPere")
            && l.entier(f.StatutMere, 0, 3, u"StatutMere")
            && l.texte(f.Note, u"Note")
            && l.texte(f.Creation, u"Creation")
            && l.texte(f.Modification, u"Modification")
            && l.texte(f.Champs, u"Champs")
            && l.texte(f.Numerotation, u"Numerotation")
            && l.liste(f.Evenements, MaxEvenements, u"Evenements")
            && l.liste(f.Sources, MaxSources, u"Sources");
        return ok && bd.PlaceFiche(p, std::move(f));
    }, [&](int p) { bd.PlaceFiche(p, TFiche()); });
}

bool litUnions(Lecteur &l, TBD &bd)
{
    TUnion un;
    un.EnService = true;
    return litTable(l, {u"table des unions", u"union", MaxUnions, 4 * 4}, [&](int n) { bd.ReserveUnions(n); }, [&](int u) {
        const bool ok = l.entier(un.Mari, 0, MaxPersonnes, u"Mari")
            && l.entier(un.Femme, 0, MaxPersonnes, u"Femme")
            && l.liste(un.Evenements, MaxEvenements, u"Evenements");
        return ok && bd.PlaceUnion(u, std::move(un));
    }, [&](int u) { bd.PlaceUnion(u, TUnion()); });
}

bool litEvenements(Lecteur &l, TBD &bd)
{
    TEve ev;
    ev.EnService = true;
    return litTable(l, {u"table des événements", u"événement", MaxEvenements, 7 * 4}, [&](int n) { bd.ReserveEvents(n); }, [&](int e) {
        const bool ok = l.texte(ev.Type, u"Type")
            && l.texte(ev.Date, u"Date")
            && l.texte(ev.Heure, u"Heure")
            && l.texte(ev.Lieu, u"Lieu")
            && l.texte(ev.Note, u"Note")
            && l.texte(ev.Qualite, u"Qualite");
        return ok && bd.PlaceEvent(e, std::move(ev));
    }, [&](int e) { bd.PlaceEvent(e, TEve()); });
}

bool litSources(Lecteur &l, TBD &bd)
{
    TSrc src;
    src.EnService = true;
    return litTable(l, {u"table des sources", u"source", MaxSources, 5 * 4}, [&](int n) { bd.ReserveSources(n); }, [&](int s) {
        const bool ok = l.texte(src.Titre, u"Titre")
            && l.texte(src.Genre, u"Genre")
            && l.texte(src.Note, u"Note")
            && l.texte(src.Fichier, u"Fichier");
        return ok && bd.PlaceSource(s, std::move(src));
    }, [&](int s) { bd.PlaceSource(s, TSrc()); });
}

// Parses a whole file image into an empty database.
TResultatMvd decode(const QByteArray &donnees, TBD &bd, TEnteteMvd &entete)
{
    const qint64 taille = donnees.size();
    if (taille == 0)
        return resultat(MvdEtranger, u"fichier vide"_s);
    // A file cut inside the magic text is a damaged database, anything else
    // that does not start with it is a foreign file.
    const size_t compare = static_cast<size_t>(std::min<qint64>(taille, sizeof(MagiqueMvd)));
    if (std::memcmp(donnees.constData(), MagiqueMvd, compare) != 0)
        return resultat(MvdEtranger);

    Lecteur l(donnees);
    if (taille < qint64(sizeof(MagiqueMvd))) {
        l.echec(taille, u"identification", u"fin du fichier atteinte"_s);
        return l.erreur();
    }
    l.saute(sizeof(MagiqueMvd));
    quint32 version = 0;
    if (!l.naturel(version, u"version"))
        return l.erreur();
    // The layout after the version may change in a later format, so nothing
    // further is read from a newer file.
    if (version > VersionMvd)
        return resultat(MvdVersionRecente, QString::number(version));
    if (version == 0) {
        l.echec(sizeof(MagiqueMvd), u"version", u"version 0 inconnue"_s);
        return l.erreur();
    }

    int ajoutSeul = 0;
    if (!l.texte(entete.NomLook, u"NomLook") || !l.entier(entete.RefPers, 0, MaxPersonnes, u"RefPers")
        || !l.entier(ajoutSeul, 0, 1, u"ajout seul"))
        return l.erreur();
    bd.SetAppendOnly(ajoutSeul != 0);

    if (!litPersonnes(l, bd) || !litUnions(l, bd) || !litEvenements(l, bd) || !litSources(l, bd))
        return l.erreur();

    // The structure is read before the checksum is compared so that a cut
    // file is reported with the place where it stops.
    l.contexte(u"fin du fichier", 0);
    const qint64 finContenu = l.position();
    if (l.reste() > 4) {
        l.echec(finContenu, u"somme de contrôle", compte(l.reste() - 4, u"octet", u"octets") + u" en trop"_s);
        return l.erreur();
    }
    quint32 attendue = 0;
    if (!l.naturel(attendue, u"somme de contrôle"))
        return l.erreur();
    if (sommeControle(donnees.constData(), finContenu) != attendue)
        return resultat(MvdSommeControle);
    return TResultatMvd();
}

// ---- Saving helpers ------------------------------------------------------

// A rename inside a folder is only durable once the folder itself is synced.
// Some file systems refuse to sync a folder; the rename has happened anyway.
void synchroniseDossier(const QString &dossier)
{
    const int fd = ::open(QFile::encodeName(dossier).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

QString cheminAncienne(const QFileInfo &info)
{
    return info.absolutePath() + u'/' + info.completeBaseName() + u".old"_s;
}

// Makes `ancienne` a copy of the file at `chemin` without ever leaving a
// half-written "<name>.old": the copy is made under a temporary name, then
// renamed over the old backup.
bool gardeAncienne(const QString &chemin, const QString &ancienne, QString *erreur)
{
    TFichierTemporaire copie;
    // A hard link costs nothing and is safe because a save never writes into
    // the file in place: the next one renames a new file over it. File
    // systems without hard links (FAT, some network shares) get a copy,
    // synced before it becomes the backup.
    QString raisonLien;
    if (!copie.Lie(chemin, ancienne, &raisonLien)
        && !(copie.Cree(ancienne, chemin, erreur) && copie.Copie(chemin, erreur) && copie.Synchronise(erreur)))
        return false;
    return copie.Remplace(ancienne, erreur);
}

} // namespace

TResultatMvd ChargeMvd(const QString &chemin, TBD &bd, TEnteteMvd *entete)
{
    if (!QFileInfo::exists(chemin))
        return resultat(MvdIntrouvable);
    if (const QString obstacle = ObstacleLecture(chemin); !obstacle.isEmpty())
        return resultat(MvdIllisible, obstacle);
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::ReadOnly))
        return resultat(MvdIllisible, fichier.errorString());
    // The size is checked before anything is allocated; the whole file is
    // then parsed from memory.
    const qint64 taille = fichier.size();
    if (taille > TailleMaxMvd)
        return resultat(MvdTropGros, QString::number(taille));
    const QByteArray donnees = fichier.read(taille);
    if (donnees.size() != taille)
        return resultat(MvdIllisible, fichier.errorString());
    fichier.close();

    TBD lue;
    TEnteteMvd enteteLue;
    TResultatMvd r = decode(donnees, lue, enteteLue);
    if (!r.Ok())
        return r;
    bd = std::move(lue);
    if (entete)
        *entete = std::move(enteteLue);
    return r;
}

TResultatMvd SauveMvd(const QString &chemin, const TBD &bd, const TEnteteMvd &entete)
{
    const QByteArray donnees = encode(bd, entete);
    if (donnees.size() > TailleMaxMvd)
        return resultat(MvdBaseTropGrosse, QString::number(donnees.size()));

    const QFileInfo info(chemin);
    if (const QString obstacle = ObstacleEcriture(chemin); !obstacle.isEmpty())
        return resultat(MvdEcritureImpossible, obstacle);
    // Through a symbolic link the file it points to is replaced, and the
    // link stays.
    const bool existe = info.exists();
    const QString cible = existe ? info.canonicalFilePath() : info.absoluteFilePath();
    const QString ancienne = cheminAncienne(info);

    // What a killed save left goes first, so that its room on the disk is
    // free for this one.
    NettoieTemporaires(cible);
    NettoieTemporaires(ancienne);

    TFichierTemporaire nouveau;
    QString erreur;
    if (!nouveau.Cree(cible, cible, &erreur) || !nouveau.Ecrit(donnees.constData(), donnees.size(), &erreur)
        || !nouveau.Synchronise(&erreur))
        return resultat(MvdEcritureImpossible, erreur);

    // The backup is made while the previous file is still in place, so that
    // the final rename is the only step that changes the user's file.
    if (existe && ancienne != info.absoluteFilePath() && !gardeAncienne(cible, ancienne, &erreur))
        return resultat(MvdCopieAncienne, u"%1 : %2"_s.arg(ancienne, erreur));
    if (!nouveau.Remplace(cible, &erreur))
        return resultat(MvdEcritureImpossible, erreur);
    synchroniseDossier(QFileInfo(cible).absolutePath());
    return TResultatMvd();
}

QString MessageMvd(const TResultatMvd &resultat, const QString &chemin)
{
    const QString texte = MLText(resultat.Erreur);
    if (texte.contains(QLatin1String("%2")))
        return texte.arg(chemin, resultat.Detail);
    return texte.arg(chemin);
}
