#include "Textes.h"

#include <algorithm>
#include <cmath>

QString StripTrailingBlanks(const QString &texte)
{
    qsizetype fin = texte.size();
    while (fin > 0 && (texte[fin - 1] == QLatin1Char(' ') || texte[fin - 1] == QLatin1Char('\t')))
        --fin;
    return texte.left(fin);
}

QString RetireRetourLigne(const QString &texte)
{
    QString r;
    r.reserve(texte.size());
    for (qsizetype i = 0; i < texte.size(); ++i) {
        const QChar c = texte[i];
        if (c == QLatin1Char('\r')) {
            r += QLatin1Char(' ');
            if (i + 1 < texte.size() && texte[i + 1] == QLatin1Char('\n'))
                ++i;
        } else if (c == QLatin1Char('\n')) {
            r += QLatin1Char(' ');
        } else {
            r += c;
        }
    }
    return r;
}

QStringList SplitFields(const QString &separateur, const QString &texte)
{
    if (separateur.isEmpty())
        return {texte};
    return texte.split(separateur);
}

QString SansSeparateur(const QString &texte)
{
    QString r = texte;
    r.replace(QLatin1Char('|'), QLatin1Char(' '));
    return r;
}

QString FloatToStr2(double x)
{
    if (!std::isfinite(x))
        return QStringLiteral("0,00");
    QString t = QString::number(x, 'f', 2);
    if (t == u"-0.00")
        t = QStringLiteral("0.00");
    t.replace(QLatin1Char('.'), QLatin1Char(','));
    return t;
}

QString TexteNote(const QString &memo)
{
    QString t = memo;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    while (!t.isEmpty() && (t.endsWith(QLatin1Char(' ')) || t.endsWith(QLatin1Char('\r'))
                            || t.endsWith(QLatin1Char('\n')) || t.endsWith(QLatin1Char('\t'))))
        t.chop(1);
    return t;
}

QString EchappeHtml(const QString &texte)
{
    QString s = texte.toHtmlEscaped();
    s.replace(QLatin1Char('\''), QLatin1String("&#39;"));
    return s;
}

int HauteurQuiTient(int hauteur, int place, const std::function<int(int)> &largeur)
{
    if (hauteur <= 1)
        return hauteur;
    qint64 largeurHaut = largeur(hauteur);
    if (largeurHaut <= place)
        return hauteur;
    if (place < 0)
        return 1;
    // haut is too wide; bas fits, or is the floor. Heights are 64-bit so
    // that no step overflows near the largest int.
    qint64 haut = hauteur;
    qint64 bas = 1;
    // A width grows about in proportion to the height: the guess from the
    // lowest height known too wide is usually the answer or next to it.
    // When a guess is too wide, the next one is also at most halfway down,
    // so that a width that grows less than in proportion (a font that stops
    // growing) still costs no more than a bisection.
    bool rate = false;
    while (haut - bas > 1) {
        qint64 essai = std::clamp(haut * place / std::max<qint64>(largeurHaut, 1), bas + 1, haut - 1);
        if (rate)
            essai = std::min(essai, bas + (haut - bas) / 2);
        const qint64 l = largeur(int(essai));
        if (l <= place) {
            bas = essai;
            break;
        }
        haut = essai;
        largeurHaut = l;
        rate = true;
    }
    // From a height that fits, steps up that double until one is too wide,
    // then halving between the two.
    for (qint64 pas = 1; haut - bas > 1; pas *= 2) {
        const qint64 essai = std::min(bas + pas, haut - 1);
        if (largeur(int(essai)) <= place) {
            bas = essai;
        } else {
            haut = essai;
            break;
        }
    }
    while (haut - bas > 1) {
        const qint64 milieu = bas + (haut - bas) / 2;
        if (largeur(int(milieu)) <= place)
            bas = milieu;
        else
            haut = milieu;
    }
    return int(bas);
}
