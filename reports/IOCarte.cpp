#include "IOCarte.h"

#include "Fichiers.h"
#include "Ini.h"
#include "Langue.h"

#include <QBuffer>
#include <QHash>
#include <QFileInfo>
#include <QImage>

using namespace Qt::StringLiterals;

namespace {

const QString SectionDescription = u"Description"_s;
const QString CleNombre = u"Nbre"_s;
const QString CleDebut = u"DebutLieu"_s;
const QString SectionNom = u"Nom"_s;
const QString SectionLieu = u"Lieu"_s;
const QString SectionX = u"PtsX"_s;
const QString SectionY = u"PtsY"_s;

// A definition file is a few hundred bytes a zone: anything this large is
// no map.
constexpr qint64 TailleMax = 64LL * 1024 * 1024;
constexpr int CoordonneeMax = 100000;

constexpr int TexteNomVide = 8420;
constexpr int TexteNomPoint = 8406;
constexpr int TexteNomSeparateur = 8407;
constexpr int TexteTropGrand = 8408;
constexpr int TexteSansImage = 8404;

int Coordonnee(const QString &texte)
{
    bool ok = false;
    const int v = texte.toInt(&ok);
    return ok && v >= 0 && v <= CoordonneeMax ? v : 0;
}

// The values of a section by key. A section is read whole at once: looking
// each key up in the file would make a map of many zones slow to read.
QHash<QString, QString> Valeurs(const TIniFile &ini, const QString &section)
{
    QHash<QString, QString> valeurs;
    for (auto &[cle, valeur] : ini.ReadSectionValues(section))
        valeurs.insert(cle.toCaseFolded(), valeur);
    return valeurs;
}

} // namespace

QString NomCarteWeb()
{
    return u"Carte Google"_s;
}

TLectureCarte ChargeCarte(const QString &chemin, std::vector<TZoneCarte> &zones)
{
    zones.clear();
    TLectureCarte r;
    if (const QString obstacle = ObstacleLecture(chemin); !obstacle.isEmpty()) {
        r.Erreur = obstacle;
        return r;
    }
    if (QFileInfo(chemin).size() > TailleMax) {
        r.Erreur = MLText(TexteTropGrand);
        return r;
    }
    const TIniFile ini(chemin, TEncodage::Windows1252);
    if (!ini.ReadError().isEmpty()) {
        r.Erreur = ini.ReadError();
        return r;
    }
    if (ini.ReadBool(SectionDescription, CleDebut, false))
        r.Comparaison = TComparaisonLieux::Debut;
    int n = ini.ReadInteger(SectionDescription, CleNombre, 0);
    if (n < 0)
        n = 0;
    // A damaged count would otherwise have the program read and list
    // millions of empty zones.
    if (n > MaxZonesCarte) {
        n = MaxZonesCarte;
        r.Tronquee = true;
    }
    const QHash<QString, QString> noms = Valeurs(ini, SectionNom), lieux = Valeurs(ini, SectionLieu),
                                  xs = Valeurs(ini, SectionX), ys = Valeurs(ini, SectionY);
    zones.reserve(static_cast<size_t>(n));
    for (int i = 1; i <= n; ++i) {
        const QString cle = QString::number(i);
        zones.push_back({noms.value(cle), lieux.value(cle), Coordonnee(xs.value(cle)), Coordonnee(ys.value(cle))});
    }
    r.Ok = true;
    return r;
}

bool SauveCarte(const QString &chemin, const std::vector<TZoneCarte> &zones, TComparaisonLieux comparaison,
                QString *erreur)
{
    TIniFile ini(chemin, TEncodage::Windows1252);
    ini.WriteInteger(SectionDescription, CleNombre, static_cast<int>(zones.size()));
    if (comparaison == TComparaisonLieux::Debut)
        ini.WriteBool(SectionDescription, CleDebut, true);
    else
        ini.DeleteKey(SectionDescription, CleDebut);
    // Each section written at once: key by key, a map of many zones would
    // take a pass over the file per key.
    std::vector<std::pair<QString, QString>> noms, lieux, xs, ys;
    for (auto *s : {&noms, &lieux, &xs, &ys})
        s->reserve(zones.size());
    for (size_t i = 0; i < zones.size(); ++i) {
        const QString cle = QString::number(i + 1);
        noms.emplace_back(cle, zones[i].Nom);
        lieux.emplace_back(cle, zones[i].Lieu);
        xs.emplace_back(cle, QString::number(zones[i].X));
        ys.emplace_back(cle, QString::number(zones[i].Y));
    }
    ini.WriteSectionValues(SectionNom, noms);
    ini.WriteSectionValues(SectionLieu, lieux);
    ini.WriteSectionValues(SectionX, xs);
    ini.WriteSectionValues(SectionY, ys);
    if (ini.UpdateFile())
        return true;
    if (erreur)
        *erreur = ini.ErrorString();
    return false;
}

bool NouvelleCarte(const QString &chemin, QString *erreur)
{
    const QByteArray texte = "[Description]\r\nNbre=0\r\n";
    return EcritFichierEntier(chemin, texte.constData(), texte.size(), erreur);
}

bool SauveImageCarte(const QImage &image, const QString &chemin, QString *erreur)
{
    QByteArray octets;
    QBuffer tampon(&octets);
    tampon.open(QIODevice::WriteOnly);
    if (image.isNull() || !image.save(&tampon, "BMP")) {
        if (erreur)
            *erreur = MLText(TexteSansImage);
        return false;
    }
    return EcritFichierEntier(chemin, octets.constData(), octets.size(), erreur);
}

bool NomCarteValide(const QString &nom, QString *raison)
{
    int texte = 0;
    if (nom.trimmed().isEmpty())
        texte = TexteNomVide;
    else if (nom.startsWith(u'.'))
        texte = TexteNomPoint;
    for (const QChar c : nom) {
        if (c == u'/' || c == u'\\' || c.unicode() < 0x20 || c.unicode() == 0x7f)
            texte = TexteNomSeparateur;
    }
    if (raison)
        *raison = texte ? MLText(texte) : QString();
    return texte == 0;
}

QString FormeComparee(const QString &texte)
{
    QStringList parties = texte.toUpper().split(u',');
    for (QString &p : parties)
        p = p.trimmed();
    return parties.join(u',');
}
