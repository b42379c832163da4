#include "Ini.h"

#include <QFile>
#include <QHash>
#include <QSet>

#include "Fichiers.h"

namespace {

// Characters of the bytes 0x80 to 0x9F, the only range where Windows-1252
// differs from Latin-1. The five bytes the code page leaves undefined keep
// the control character of the same value, so every byte survives a
// decode/encode round trip.
constexpr char16_t kWindows1252[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

const QByteArray kBom = QByteArrayLiteral("\xEF\xBB\xBF");

bool MemeNom(const QString &a, const QString &b)
{
    return QString::compare(a, b, Qt::CaseInsensitive) == 0;
}

bool EstVide(const QString &texte)
{
    return texte.trimmed().isEmpty();
}

bool ALigneCoupee(const QString &texte)
{
    return texte.contains(u'\n') || texte.contains(u'\r');
}

} // namespace

QString DecodeWindows1252(const QByteArray &bytes)
{
    QString texte(bytes.size(), Qt::Uninitialized);
    QChar *sortie = texte.data();
    for (const char c : bytes) {
        const auto octet = static_cast<unsigned char>(c);
        *sortie++ = (octet >= 0x80 && octet < 0xA0) ? QChar(kWindows1252[octet - 0x80])
                                                    : QChar(char16_t(octet));
    }
    return texte;
}

QByteArray EncodeWindows1252(const QString &text)
{
    QByteArray octets;
    octets.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            octets.append(static_cast<char>(c));
            continue;
        }
        char octet = '?';
        for (int j = 0; j < 32; ++j) {
            if (kWindows1252[j] == c) {
                octet = static_cast<char>(0x80 + j);
                break;
            }
        }
        // A character outside the basic plane is one character, so one "?".
        if (QChar::isHighSurrogate(c) && i + 1 < text.size()
            && text.at(i + 1).isLowSurrogate())
            ++i;
        octets.append(octet);
    }
    return octets;
}

TIniFile::TIniFile(const QString &path, TEncodage encodage)
    : m_path(path)
    , m_encodage(encodage)
    , m_saut(encodage == TEncodage::Windows1252 ? QByteArrayLiteral("\r\n") : QByteArrayLiteral("\n"))
{
    Lit();
}

TIniFile::Ligne TIniFile::Analyse(const QString &texte)
{
    Ligne ligne;
    ligne.Brut = texte;
    const QString t = texte.trimmed();
    const qsizetype fermante = t.indexOf(u']');
    if (t.startsWith(u'[') && fermante > 0) {
        ligne.EstSection = true;
        ligne.Section = t.mid(1, fermante - 1).trimmed();
        return ligne;
    }
    if (t.startsWith(u';'))
        return ligne;
    const qsizetype egal = texte.indexOf(u'=');
    if (egal < 0)
        return ligne;
    const QString cle = texte.left(egal).trimmed();
    if (cle.isEmpty())
        return ligne;
    ligne.EstCle = true;
    ligne.Cle = cle;
    ligne.Valeur = texte.mid(egal + 1).trimmed();
    return ligne;
}

void TIniFile::Lit()
{
    m_lignes.clear();
    QFile fichier(m_path);
    if (!fichier.exists())
        return;
    // A file that exists but cannot be read must not be replaced by the few
    // values written afterwards: UpdateFile() refuses while this is set.
    if (const QString obstacle = ObstacleLecture(m_path); !obstacle.isEmpty()) {
        m_erreurLecture = obstacle;
        return;
    }
    if (!fichier.open(QIODevice::ReadOnly)) {
        m_erreurLecture = fichier.errorString();
        return;
    }
    QByteArray octets = fichier.readAll();
    if (fichier.error() != QFileDevice::NoError) {
        m_erreurLecture = fichier.errorString();
        return;
    }

    if (m_encodage == TEncodage::Utf8 && octets.startsWith(kBom)) {
        m_bom = true;
        octets.remove(0, kBom.size());
    }
    if (octets.isEmpty())
        return;
    const char dernier = octets.back();
    m_finFinale = dernier == '\n' || dernier == '\r';

    // A lone CR ends a line as LF and CR LF do. Left inside the line, it
    // would be read as part of a value that no write can give back, since
    // values are written on one line: writing the value read would then
    // change the file.
    bool premiere = true;
    qsizetype debut = 0;
    while (debut < octets.size()) {
        qsizetype fin = debut;
        while (fin < octets.size() && octets.at(fin) != '\n' && octets.at(fin) != '\r')
            ++fin;
        QByteArray saut;
        if (fin < octets.size()) {
            const bool crlf = octets.at(fin) == '\r' && fin + 1 < octets.size() && octets.at(fin + 1) == '\n';
            saut = crlf ? QByteArrayLiteral("\r\n") : octets.mid(fin, 1);
        }
        if (premiere && !saut.isEmpty()) {
            m_saut = saut;
            premiere = false;
        }
        const QByteArray brut = octets.mid(debut, fin - debut);
        // The bytes and the line break are kept so that a line holding bytes
        // that are not valid UTF-8 (binary junk, another encoding), or a file
        // mixing line breaks, is written back unchanged.
        Ligne ligne = Analyse(m_encodage == TEncodage::Windows1252 ? DecodeWindows1252(brut)
                                                                   : QString::fromUtf8(brut));
        ligne.Octets = brut;
        ligne.Fin = saut;
        ligne.Lue = true;
        m_lignes.push_back(std::move(ligne));
        debut = fin + saut.size();
        if (saut.isEmpty())
            break;
    }
}

int TIniFile::ChercheSection(const QString &section) const
{
    for (size_t i = 0; i < m_lignes.size(); ++i) {
        if (m_lignes[i].EstSection && MemeNom(m_lignes[i].Section, section))
            return static_cast<int>(i);
    }
    return -1;
}

int TIniFile::ChercheCle(const QString &section, const QString &key) const
{
    bool dedans = false;
    for (size_t i = 0; i < m_lignes.size(); ++i) {
        const Ligne &ligne = m_lignes[i];
        if (ligne.EstSection)
            dedans = MemeNom(ligne.Section, section);
        else if (dedans && ligne.EstCle && MemeNom(ligne.Cle, key))
            return static_cast<int>(i);
    }
    return -1;
}

int TIniFile::FinSection(const QString &section) const
{
    bool dedans = false;
    int fin = -1;
    for (size_t i = 0; i < m_lignes.size(); ++i) {
        const Ligne &ligne = m_lignes[i];
        if (ligne.EstSection) {
            dedans = MemeNom(ligne.Section, section);
            if (dedans)
                fin = static_cast<int>(i) + 1;
        } else if (dedans && !EstVide(ligne.Brut)) {
            fin = static_cast<int>(i) + 1;
        }
    }
    return fin;
}

bool TIniFile::SectionExists(const QString &section) const
{
    return ChercheSection(section.trimmed()) >= 0;
}

bool TIniFile::ValueExists(const QString &section, const QString &key) const
{
    return ChercheCle(section.trimmed(), key.trimmed()) >= 0;
}

QStringList TIniFile::Sections() const
{
    QStringList noms;
    for (const Ligne &ligne : m_lignes) {
        if (ligne.EstSection && !noms.contains(ligne.Section, Qt::CaseInsensitive))
            noms.append(ligne.Section);
    }
    return noms;
}

QStringList TIniFile::ReadSection(const QString &section) const
{
    const QString nom = section.trimmed();
    QStringList cles;
    bool dedans = false;
    for (const Ligne &ligne : m_lignes) {
        if (ligne.EstSection)
            dedans = MemeNom(ligne.Section, nom);
        else if (dedans && ligne.EstCle && !cles.contains(ligne.Cle, Qt::CaseInsensitive))
            cles.append(ligne.Cle);
    }
    return cles;
}

std::vector<std::pair<QString, QString>> TIniFile::ReadSectionValues(const QString &section) const
{
    const QString nom = section.trimmed();
    std::vector<std::pair<QString, QString>> valeurs;
    QSet<QString> vues;
    bool dedans = false;
    for (const Ligne &ligne : m_lignes) {
        if (ligne.EstSection) {
            dedans = MemeNom(ligne.Section, nom);
        } else if (dedans && ligne.EstCle) {
            const QString repere = ligne.Cle.toCaseFolded();
            if (!vues.contains(repere)) {
                vues.insert(repere);
                valeurs.emplace_back(ligne.Cle, ligne.Valeur);
            }
        }
    }
    return valeurs;
}

QString TIniFile::ReadString(const QString &section, const QString &key,
                             const QString &defaut) const
{
    const int i = ChercheCle(section.trimmed(), key.trimmed());
    return i < 0 ? defaut : m_lignes[static_cast<size_t>(i)].Valeur;
}

int TIniFile::ReadInteger(const QString &section, const QString &key, int defaut) const
{
    const QString valeur = ReadString(section, key);
    bool ok = false;
    if (valeur.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        // Checked digit by digit: toUInt() would also take a second "0x" or
        // a sign. Up to eight digits, so colours written as 0xFFFFFFFF read
        // back as the same 32 bits.
        const QString chiffres = valeur.mid(2);
        if (chiffres.isEmpty() || chiffres.size() > 8)
            return defaut;
        for (const QChar c : chiffres) {
            if (!QStringLiteral("0123456789abcdefABCDEF").contains(c))
                return defaut;
        }
        const uint nombre = chiffres.toUInt(&ok, 16);
        return ok ? static_cast<int>(nombre) : defaut;
    }
    const int nombre = valeur.toInt(&ok, 10);
    return ok ? nombre : defaut;
}

bool TIniFile::ReadBool(const QString &section, const QString &key, bool defaut) const
{
    const QString valeur = ReadString(section, key);
    for (const char *vrai : {"1", "true", "yes", "oui"}) {
        if (MemeNom(valeur, QLatin1String(vrai)))
            return true;
    }
    for (const char *faux : {"0", "false", "no", "non"}) {
        if (MemeNom(valeur, QLatin1String(faux)))
            return false;
    }
    return defaut;
}

bool TIniFile::Entete(const QString &section, Ligne &entete)
{
    // A name that would read back as something else (a key holding "=", a
    // section holding "]") or that would split the line would corrupt the
    // file, so it is refused.
    const QString nom = section.trimmed();
    entete = Analyse(u'[' + nom + u']');
    return !nom.isEmpty() && !ALigneCoupee(nom) && entete.EstSection && entete.Section == nom;
}

bool TIniFile::LigneCle(const QString &key, const QString &value, Ligne &ligne)
{
    const QString cle = key.trimmed();
    if (ALigneCoupee(cle))
        return false;
    QString valeur = value;
    valeur.replace(u'\r', u' ').replace(u'\n', u' ');
    valeur = valeur.trimmed();
    ligne = Analyse(cle + u'=' + valeur);
    return ligne.EstCle && ligne.Cle == cle;
}

void TIniFile::Remplace(Ligne &ligne, const QString &valeur)
{
    if (ligne.Valeur == valeur)
        return;
    // The key keeps its spelling and the blanks around "=" as the user
    // or the other program wrote them.
    const qsizetype egal = ligne.Brut.indexOf(u'=');
    const QString reste = ligne.Brut.mid(egal + 1);
    qsizetype blancs = 0;
    if (!EstVide(reste)) {
        while (reste.at(blancs).isSpace())
            ++blancs;
    }
    ligne.Brut = ligne.Brut.left(egal + 1 + blancs) + valeur;
    ligne.Valeur = valeur;
    ligne.Octets.clear();
    ligne.Lue = false;
    m_modifie = true;
}

void TIniFile::WriteString(const QString &section, const QString &key, const QString &value)
{
    Ligne entete, nouvelle;
    if (!Entete(section, entete) || !LigneCle(key, value, nouvelle))
        return;
    const QString &nom = entete.Section;

    const int i = ChercheCle(nom, nouvelle.Cle);
    if (i >= 0) {
        Remplace(m_lignes[static_cast<size_t>(i)], nouvelle.Valeur);
        return;
    }

    const int fin = FinSection(nom);
    if (fin >= 0) {
        m_lignes.insert(m_lignes.begin() + fin, std::move(nouvelle));
    } else {
        if (!m_lignes.empty() && !EstVide(m_lignes.back().Brut))
            m_lignes.push_back(Analyse(QString()));
        m_lignes.push_back(entete);
        m_lignes.push_back(std::move(nouvelle));
    }
    m_modifie = true;
}

void TIniFile::WriteSectionValues(const QString &section, const std::vector<std::pair<QString, QString>> &values)
{
    Ligne entete;
    if (!Entete(section, entete))
        return;
    const QString &nom = entete.Section;
    // Each key once, spelt and placed as first given, with the last value
    // given.
    std::vector<Ligne> nouvelles;
    QHash<QString, size_t> parCle;
    for (const auto &[cle, valeur] : values) {
        Ligne ligne;
        if (!LigneCle(cle, valeur, ligne))
            continue;
        const QString repere = ligne.Cle.toCaseFolded();
        if (const auto it = parCle.constFind(repere); it != parCle.constEnd()) {
            Ligne &premiere = nouvelles[*it];
            LigneCle(premiere.Cle, ligne.Valeur, premiere);
        } else {
            parCle.insert(repere, nouvelles.size());
            nouvelles.push_back(std::move(ligne));
        }
    }
    if (nouvelles.empty())
        return;

    // As WriteString: the first line of a key, in any block of the section,
    // takes the value; new keys go after the last non-blank line of the
    // last block.
    std::vector<bool> ecrite(nouvelles.size(), false);
    QSet<QString> vues;
    bool dedans = false;
    int fin = -1;
    for (size_t i = 0; i < m_lignes.size(); ++i) {
        Ligne &ligne = m_lignes[i];
        if (ligne.EstSection) {
            dedans = MemeNom(ligne.Section, nom);
            if (dedans)
                fin = static_cast<int>(i) + 1;
            continue;
        }
        if (!dedans)
            continue;
        if (!EstVide(ligne.Brut))
            fin = static_cast<int>(i) + 1;
        if (!ligne.EstCle)
            continue;
        const QString repere = ligne.Cle.toCaseFolded();
        if (vues.contains(repere))
            continue;
        vues.insert(repere);
        if (const auto it = parCle.constFind(repere); it != parCle.constEnd()) {
            Remplace(ligne, nouvelles[*it].Valeur);
            ecrite[*it] = true;
        }
    }

    std::vector<Ligne> ajoutees;
    for (size_t k = 0; k < nouvelles.size(); ++k) {
        if (!ecrite[k])
            ajoutees.push_back(std::move(nouvelles[k]));
    }
    if (ajoutees.empty())
        return;
    if (fin < 0) {
        if (!m_lignes.empty() && !EstVide(m_lignes.back().Brut))
            m_lignes.push_back(Analyse(QString()));
        m_lignes.push_back(entete);
        fin = static_cast<int>(m_lignes.size());
    }
    m_lignes.insert(m_lignes.begin() + fin, std::make_move_iterator(ajoutees.begin()),
                    std::make_move_iterator(ajoutees.end()));
    m_modifie = true;
}

void TIniFile::WriteInteger(const QString &section, const QString &key, int value)
{
    WriteString(section, key, QString::number(value));
}

void TIniFile::WriteBool(const QString &section, const QString &key, bool value)
{
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void TIniFile::DeleteKey(const QString &section, const QString &key)
{
    const QString nom = section.trimmed();
    const QString cle = key.trimmed();
    // Every copy goes: removing only the first would bring a stale duplicate
    // back to life.
    std::vector<Ligne> gardees;
    gardees.reserve(m_lignes.size());
    bool dedans = false;
    for (Ligne &ligne : m_lignes) {
        if (ligne.EstSection)
            dedans = MemeNom(ligne.Section, nom);
        else if (dedans && ligne.EstCle && MemeNom(ligne.Cle, cle))
            continue;
        gardees.push_back(std::move(ligne));
    }
    if (gardees.size() != m_lignes.size())
        m_modifie = true;
    m_lignes = std::move(gardees);
}

void TIniFile::EraseSection(const QString &section)
{
    const QString nom = section.trimmed();
    std::vector<Ligne> gardees;
    gardees.reserve(m_lignes.size());
    bool dedans = false;
    for (Ligne &ligne : m_lignes) {
        if (ligne.EstSection)
            dedans = MemeNom(ligne.Section, nom);
        if (!dedans)
            gardees.push_back(std::move(ligne));
    }
    if (gardees.size() != m_lignes.size())
        m_modifie = true;
    m_lignes = std::move(gardees);
}

QByteArray TIniFile::FinDeLigne(size_t i) const
{
    if (!m_lignes[i].Fin.isEmpty())
        return m_lignes[i].Fin;
    if (i + 1 == m_lignes.size() && !m_finFinale)
        return QByteArray();
    return m_saut;
}

QString TIniFile::Text() const
{
    QString texte;
    for (size_t i = 0; i < m_lignes.size(); ++i)
        texte += m_lignes[i].Brut + QLatin1String(FinDeLigne(i));
    return texte;
}

bool TIniFile::UpdateFile()
{
    m_erreur.clear();
    if (!m_erreurLecture.isEmpty()) {
        m_erreur = m_erreurLecture;
        return false;
    }

    QByteArray octets;
    if (m_bom)
        octets += kBom;
    for (size_t i = 0; i < m_lignes.size(); ++i) {
        const Ligne &ligne = m_lignes[i];
        if (ligne.Lue)
            octets += ligne.Octets;
        else if (m_encodage == TEncodage::Windows1252)
            octets += EncodeWindows1252(ligne.Brut);
        else
            octets += ligne.Brut.toUtf8();
        octets += FinDeLigne(i);
    }

    if (!EcritFichierEntier(m_path, octets.constData(), octets.size(), &m_erreur))
        return false;
    m_modifie = false;
    return true;
}
