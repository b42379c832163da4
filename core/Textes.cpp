#include "Textes.h"

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
