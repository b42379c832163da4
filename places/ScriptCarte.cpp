#include "ScriptCarte.h"

#include "Textes.h"

QString LitteralJs(const QString &texte)
{
    QString s;
    s.reserve(texte.size() + 2);
    s += QLatin1Char('\'');
    for (qsizetype i = 0; i < texte.size(); ++i) {
        const QChar c = texte.at(i);
        switch (c.unicode()) {
        case '\\':
            s += QLatin1String("\\\\");
            break;
        case '\'':
            s += QLatin1String("\\'");
            break;
        case '\n':
            s += QLatin1String("\\n");
            break;
        case '\r':
            s += QLatin1String("\\r");
            break;
        case '\t':
            s += QLatin1String("\\t");
            break;
        case '\b':
            s += QLatin1String("\\b");
            break;
        case '\f':
            s += QLatin1String("\\f");
            break;
        case '/':
            // "</script>" would end the script element of a page that holds
            // the text; "<\/script>" reads the same in the string.
            if (i > 0 && texte.at(i - 1) == QLatin1Char('<')
                && texte.mid(i + 1, 6).compare(QLatin1String("script"), Qt::CaseInsensitive) == 0)
                s += QLatin1String("\\/");
            else
                s += c;
            break;
        default:
            // Line and paragraph separators end a line in a script although
            // JSON lets them stand in a string.
            if (c.unicode() < 0x20 || c.unicode() == 0x2028 || c.unicode() == 0x2029)
                s += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                s += c;
        }
    }
    s += QLatin1Char('\'');
    return s;
}

QString ScriptAppel(const QString &fonction, const QStringList &arguments)
{
    QStringList litteraux;
    litteraux.reserve(arguments.size());
    for (const QString &a : arguments)
        litteraux << LitteralJs(a);
    return fonction + QLatin1Char('(') + litteraux.join(QLatin1Char(',')) + QLatin1Char(')');
}

TPointCarte PointPersonne(const QString &lieu, int personne, const QString &nomComplet)
{
    if (lieu.isEmpty() || personne < 1)
        return {};
    TPointCarte point;
    const QStringList parties = lieu.split(QLatin1Char(','));
    if (parties.at(0) == QLatin1String("FRA") && parties.size() > 3 && !parties.at(3).isEmpty())
        point.Lieu = parties.at(3) + QLatin1String(",France");
    else
        point.Lieu = lieu;
    point.Libelle = QLatin1String("<a href=\"") + QString::number(personne) + QLatin1String("\">")
        + EchappeHtml(nomComplet) + QLatin1String("</a><br/>") + EchappeHtml(lieu);
    return point;
}

TPointCarte PointLieuCarte(const QString &lieu, const QString &nomComplet)
{
    if (lieu.isEmpty())
        return {};
    TPointCarte point;
    point.Lieu = lieu;
    if (lieu.left(4).toUpper() == QLatin1String("FRA,")) {
        const QStringList parties = lieu.split(QLatin1Char(','));
        // Without a commune the gazetteer reads the place text itself (a
        // département or a region): ",France" alone would lose it.
        if (parties.size() > 3 && !parties.at(3).trimmed().isEmpty()) {
            const QString &departement = parties.at(2);
            point.Lieu = parties.at(3)
                + (departement.size() == 6 ? QLatin1Char(',') + departement.mid(1, 5) : QString())
                + QLatin1String(",France");
        }
    }
    point.Libelle = EchappeHtml(nomComplet) + QLatin1String("<br/><font size=\"-1\">") + EchappeHtml(lieu)
        + QLatin1String("</font>");
    return point;
}
