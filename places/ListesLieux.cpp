#include "ListesLieux.h"

#include "Fichiers.h"
#include "Ini.h"

#include <QCollator>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>
#include <vector>

QStringList ListesDeLieux(const QString &dossier)
{
    QStringList fichiers;
    ListFiles(fichiers, dossier, QStringLiteral(".txt"), false);
    std::sort(fichiers.begin(), fichiers.end());
    return fichiers;
}

QString NomListeLieux(const QString &chemin)
{
    const QString nom = QFileInfo(chemin).fileName();
    return nom.left(nom.size() - 4);
}

bool ChargeListeLieux(const QString &chemin, QStringList &lieux, QString *erreur)
{
    lieux.clear();
    constexpr qint64 TailleMax = 64 * 1024 * 1024;
    QString raison = ObstacleLecture(chemin);
    QFile fichier(chemin);
    if (raison.isEmpty() && QFileInfo(chemin).size() > TailleMax)
        raison = QStringLiteral("fichier trop grand");
    if (raison.isEmpty() && !fichier.open(QIODevice::ReadOnly))
        raison = fichier.errorString();
    QByteArray octets;
    if (raison.isEmpty()) {
        // The size may have grown since it was checked.
        octets = fichier.read(TailleMax + 1);
        if (octets.size() > TailleMax)
            raison = QStringLiteral("fichier trop grand");
    }
    if (!raison.isEmpty()) {
        if (erreur)
            *erreur = raison;
        return false;
    }

    // The whole file is decoded at once: a stateful decoder would keep an
    // incomplete character at the very end waiting for more bytes, dropping
    // it without an error, while that last byte is what shows the list is
    // not UTF-8.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString texte = utf8.decode(octets);
    if (utf8.hasError())
        texte = DecodeWindows1252(octets);
    else if (texte.startsWith(QChar(0xFEFF)))
        texte.remove(0, 1);

    QStringList lignes = texte.split(QLatin1Char('\n'));
    for (QString &l : lignes) {
        if (l.endsWith(QLatin1Char('\r')))
            l.chop(1);
        if (!l.trimmed().isEmpty())
            lieux << l;
    }

    // One sort of the whole list on collation keys: comparing through the
    // collator at each step would cost a second for the communes of France.
    QCollator collation{QLocale(QLocale::French, QLocale::France)};
    collation.setCaseSensitivity(Qt::CaseInsensitive);
    collation.setIgnorePunctuation(false);
    std::vector<std::pair<QCollatorSortKey, qsizetype>> cles;
    cles.reserve(static_cast<size_t>(lieux.size()));
    for (qsizetype i = 0; i < lieux.size(); ++i)
        cles.emplace_back(collation.sortKey(lieux.at(i)), i);
    std::stable_sort(cles.begin(), cles.end(),
                     [](const auto &a, const auto &b) { return a.first.compare(b.first) < 0; });
    QStringList triees;
    triees.reserve(lieux.size());
    for (const auto &c : cles)
        triees << lieux.at(c.second);
    lieux = std::move(triees);
    return true;
}
