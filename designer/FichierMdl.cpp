#include "FichierMdl.h"

#include <algorithm>
#include <climits>

#include <QFile>
#include <QStringDecoder>

#include "Fichiers.h"
#include "Ini.h"
#include "Langue.h"

using namespace Qt::StringLiterals;

namespace {

const QString Fin = u"End"_s;

const QString EnteteFace = u"Face="_s;
const QByteArray MarqueUtf8("\xEF\xBB\xBF");

} // namespace

QStringView TexteSansRetrait(QStringView ligne)
{
    // Leading blanks as the reader removes them: spaces, tabs and the other
    // control characters.
    qsizetype i = 0;
    while (i < ligne.size() && ligne.at(i).unicode() <= u' ')
        ++i;
    return ligne.sliced(i);
}

int NumeroFace(QStringView ligne)
{
    const QStringView texte = TexteSansRetrait(ligne);
    if (!texte.startsWith(EnteteFace) || texte.size() == EnteteFace.size() || texte.at(EnteteFace.size()) == u'0')
        return 0;
    qint64 numero = 0;
    for (const QChar c : texte.sliced(EnteteFace.size())) {
        if (c < u'0' || c > u'9')
            return 0;
        numero = std::min<qint64>(numero * 10 + (c.unicode() - u'0'), INT_MAX);
    }
    return int(numero);
}

int LineLevel(QStringView ligne)
{
    qsizetype n = 0;
    while (n < ligne.size() && ligne.at(n) == u' ')
        ++n;
    if (n > 0 && n == ligne.size())
        --n;
    return int(std::min<qsizetype>(n / 2, 1 << 30));
}

QString IndentText(int niveau, const QString &texte)
{
    return QString(2 * std::max(niveau, 0), u' ') + texte;
}

QStringList GetSection(const QStringList &lignes, QStringView chemin)
{
    return TIndexSections(lignes).Section(chemin);
}

TIndexSections::TIndexSections(const QStringList &lignes) : m_lignes(lignes)
{
    m_niveaux.reserve(size_t(m_lignes.size()));
    m_textes.reserve(size_t(m_lignes.size()));
    m_occurrences.reserve(m_lignes.size());
    for (qsizetype i = 0; i < m_lignes.size(); ++i) {
        m_niveaux.push_back(LineLevel(m_lignes.at(i)));
        m_textes.push_back(TexteSansRetrait(m_lignes.at(i)));
        m_occurrences[m_textes.back()].push_back(i);
    }
}

qsizetype TIndexSections::Suivante(QStringView texte, qsizetype apres) const
{
    const auto trouve = m_occurrences.constFind(texte);
    if (trouve == m_occurrences.constEnd())
        return -1;
    const auto i = std::upper_bound(trouve->begin(), trouve->end(), apres);
    return i == trouve->end() ? -1 : *i;
}

QStringList TIndexSections::Section(QStringView chemin) const
{
    return Lignes(chemin, false);
}

QStringList TIndexSections::SectionBrute(QStringView chemin) const
{
    return Lignes(chemin, true);
}

QStringList TIndexSections::Lignes(QStringView chemin, bool brutes) const
{
    const QList<QStringView> elements = chemin.split(u'/');
    const int profondeur = int(elements.size()) - 1;
    if (profondeur < 1)
        return {};
    // Reading goes one level deeper at the first header of each element
    // after the previous one; until the last level nothing is collected.
    qsizetype position = -1;
    for (int d = 1; d < profondeur; ++d) {
        position = Suivante(elements.at(d), position);
        if (position < 0)
            return {};
    }

    const QString finBloc = IndentText(profondeur - 1, Fin);
    const QString finImbrique = IndentText(profondeur, Fin);
    QStringList resultat;
    // Every header of the last element starts a run that lasts until the
    // closing line of its level; a header met inside a run changes nothing,
    // and one on the closing line itself starts the next run.
    qsizetype suite = position + 1;
    for (qsizetype entete = Suivante(elements.at(profondeur), position); entete >= 0;
         entete = Suivante(elements.at(profondeur), std::max(entete, suite - 1))) {
        if (entete < suite)
            continue;
        qsizetype i = entete + 1;
        for (; i < m_lignes.size() && m_lignes.at(i) != finBloc; ++i) {
            const int niveau = m_niveaux[size_t(i)];
            if (niveau < profondeur || m_lignes.at(i) == finImbrique)
                continue;
            if (brutes)
                resultat.append(m_lignes.at(i).sliced(2 * profondeur));
            else if (niveau == profondeur)
                resultat.append(m_textes[size_t(i)].toString());
        }
        suite = i;
        if (i >= m_lignes.size())
            break;
    }
    return resultat;
}

QStringList DecoupeLignes(QStringView texte)
{
    QStringList lignes;
    qsizetype debut = 0;
    for (qsizetype i = 0; i < texte.size(); ++i) {
        const QChar c = texte.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        lignes.append(texte.sliced(debut, i - debut).toString());
        if (c == u'\r' && i + 1 < texte.size() && texte.at(i + 1) == u'\n')
            ++i;
        debut = i + 1;
    }
    if (debut < texte.size())
        lignes.append(texte.sliced(debut).toString());
    return lignes;
}

QString DecodeMdl(const QByteArray &octets)
{
    const bool bom = octets.startsWith(MarqueUtf8);
    // The mark is taken off here, once: a second one is the text's own.
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString texte = utf8(bom ? octets.sliced(MarqueUtf8.size()) : octets);
    if (!utf8.hasError() || bom)
        return texte;
    return DecodeWindows1252(octets);
}

bool EncodeMdl(const QStringList &lignes, QByteArray &octets)
{
    octets.clear();
    for (const QString &ligne : lignes) {
        if (ligne.contains(u'\r') || ligne.contains(u'\n'))
            return false;
    }
    const QString texte = lignes.isEmpty() ? QString() : lignes.join(u"\r\n"_s) + u"\r\n"_s;
    // The reader takes bytes that are valid UTF-8 for UTF-8: Windows-1252
    // bytes that happen to be ("Ã©") would come back as other letters. And
    // the code page lacks most of the world's letters, which UTF-8 keeps.
    const QByteArray utf8 = texte.toUtf8();
    const QByteArray essais[] = {EncodeWindows1252(texte), utf8, MarqueUtf8 + utf8};
    for (const QByteArray &essai : essais) {
        if (DecodeMdl(essai) == texte) {
            octets = essai;
            return true;
        }
    }
    return false;
}

bool LitFichierMdl(const QString &chemin, QStringList &lignes, QString *erreur)
{
    QString raison = ObstacleLecture(chemin);
    QByteArray octets;
    if (raison.isEmpty()) {
        QFile fichier(chemin);
        if (!fichier.open(QIODevice::ReadOnly)) {
            raison = fichier.errorString();
        } else {
            // Up to one byte past the limit rather than trusting size(),
            // which the file may outgrow while it is read; but read by what
            // the file holds, as a buffer of the limit's size for every
            // file would cost more than reading most models.
            const qint64 bout = TailleMaxMdl + 1;
            qint64 morceau = std::clamp<qint64>(fichier.size() + 1, 4096, bout);
            while (octets.size() < bout) {
                const QByteArray lus = fichier.read(std::min<qint64>(morceau, bout - octets.size()));
                if (lus.isEmpty())
                    break;
                octets += lus;
                morceau = std::min<qint64>(2 * morceau, bout);
            }
            if (fichier.error() != QFileDevice::NoError)
                raison = fichier.errorString();
            else if (octets.size() > TailleMaxMdl)
                raison = MLText(8200);
        }
    }
    if (!raison.isEmpty()) {
        if (erreur)
            *erreur = raison;
        return false;
    }
    lignes = DecoupeLignes(DecodeMdl(octets));
    return true;
}

bool EcritFichierMdl(const QString &chemin, const QStringList &lignes, QString *erreur)
{
    QByteArray octets;
    if (!EncodeMdl(lignes, octets)) {
        if (erreur)
            *erreur = MLText(8201);
        return false;
    }
    return EcritFichierEntier(chemin, octets.constData(), octets.size(), erreur);
}
