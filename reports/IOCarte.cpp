#include "IOCarte.h"

#include "Fichiers.h"
#include "Ini.h"
#include "Langue.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>

using namespace Qt::StringLiterals;

namespace {

const QString SectionDescription = u"Description"_s;
const QString CleNombre = u"Nbre"_s;
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

int Coordonnee(const TIniFile &ini, const QString &section, const QString &cle)
{
    bool ok = false;
    const int v = ini.ReadString(section, cle).toInt(&ok);
    return ok && v >= 0 && v <= CoordonneeMax ? v : 0;
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
    int n = ini.ReadInteger(SectionDescription, CleNombre, 0);
    if (n < 0)
        n = 0;
    // A damaged count would otherwise have the program read and list
    // millions of empty zones.
    if (n > MaxZonesCarte) {
        n = MaxZonesCarte;
        r.Tronquee = true;
    }
    zones.reserve(static_cast<size_t>(n));
    for (int i = 1; i <= n; ++i) {
        const QString cle = QString::number(i);
        zones.push_back({ini.ReadString(SectionNom, cle), ini.ReadString(SectionLieu, cle),
                         Coordonnee(ini, SectionX, cle), Coordonnee(ini, SectionY, cle)});
    }
    r.Ok = true;
    return r;
}

bool SauveCarte(const QString &chemin, const std::vector<TZoneCarte> &zones, QString *erreur)
{
    TIniFile ini(chemin, TEncodage::Windows1252);
    ini.WriteInteger(SectionDescription, CleNombre, static_cast<int>(zones.size()));
    for (size_t i = 0; i < zones.size(); ++i) {
        const QString cle = QString::number(i + 1);
        ini.WriteString(SectionNom, cle, zones[i].Nom);
        ini.WriteString(SectionLieu, cle, zones[i].Lieu);
        ini.WriteInteger(SectionX, cle, zones[i].X);
        ini.WriteInteger(SectionY, cle, zones[i].Y);
    }
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

QStringList ListeCartes(const QString &dossier)
{
    QStringList fichiers;
    ListFiles(fichiers, dossier, u".mvc"_s, false);
    QStringList noms;
    for (const QString &f : fichiers) {
        const QString nom = QFileInfo(f).fileName();
        noms << nom.left(nom.size() - 4);
    }
    return noms;
}

QString CheminCarte(const QString &dossier, const QString &nom, const QString &extension)
{
    const QString chemin = dossier + nom + extension;
    if (QFileInfo::exists(chemin))
        return chemin;
    QStringList fichiers;
    ListFiles(fichiers, dossier, extension, false);
    for (const QString &f : fichiers) {
        const QString n = QFileInfo(f).fileName();
        if (n.size() == nom.size() + extension.size() && n.startsWith(nom))
            return f;
    }
    return chemin;
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
