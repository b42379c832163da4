#include "Style.h"

#include "Globales.h"

namespace {

// Selectors compare without regard to case or to the blanks that the user
// may have typed between their parts.
QString normalise(const QString &texte)
{
    return texte.simplified().toLower();
}

// The text with its comments blanked out, so that a comment between a
// selector and its block still separates words. An unclosed comment runs to
// the end, as in a browser.
QString sansCommentaires(const QString &css)
{
    QString texte = css;
    qsizetype debut = texte.indexOf(u"/*");
    while (debut >= 0) {
        qsizetype fin = texte.indexOf(u"*/", debut + 2);
        fin = fin < 0 ? texte.size() : fin + 2;
        texte.replace(debut, fin - debut, QString(u' '));
        debut = texte.indexOf(u"/*", debut + 1);
    }
    return texte;
}

bool estHexa(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

} // namespace

void TxiloStyleEdit::SetTexte(const QString &texte)
{
    m_texte = texte;
    m_declarations.clear();
    const QString css = sansCommentaires(texte);
    const qsizetype n = css.size();
    qsizetype i = 0;
    while (i < n) {
        qsizetype j = i;
        while (j < n && css[j] != u'{' && css[j] != u';' && css[j] != u'}')
            ++j;
        if (j >= n)
            break;
        // A statement without a block ("@import ...;") or a stray brace.
        if (css[j] != u'{') {
            i = j + 1;
            continue;
        }
        const QString prelude = css.mid(i, j - i).trimmed();
        // Blocks may nest in at-rules; find the brace that closes this one.
        int profondeur = 1;
        qsizetype k = j + 1;
        while (k < n && profondeur > 0) {
            if (css[k] == u'{')
                ++profondeur;
            else if (css[k] == u'}')
                --profondeur;
            ++k;
        }
        const qsizetype finBloc = profondeur == 0 ? k - 1 : n;
        // At-rules (media queries, fonts) do not describe the screen colours.
        if (!prelude.startsWith(u'@')) {
            QStringList selecteurs;
            for (const QString &s : prelude.split(u','))
                if (const QString sel = normalise(s); !sel.isEmpty())
                    selecteurs.append(sel);
            const QString bloc = css.mid(j + 1, finBloc - j - 1);
            for (const QString &declaration : bloc.split(u';')) {
                const qsizetype deuxPoints = declaration.indexOf(u':');
                if (deuxPoints < 0)
                    continue;
                const QString propriete = declaration.left(deuxPoints).trimmed().toLower();
                // A value may run over lines or hold a comment: its blanks count as one.
                QString valeur = declaration.mid(deuxPoints + 1).simplified();
                if (valeur.endsWith(u"!important", Qt::CaseInsensitive))
                    valeur = valeur.chopped(10).trimmed();
                if (propriete.isEmpty())
                    continue;
                for (const QString &sel : selecteurs)
                    m_declarations.push_back({sel, propriete, valeur});
            }
        }
        i = k;
    }
}

QString TxiloStyleEdit::GetStyleValue(const QString &selecteur, const QString &propriete) const
{
    const QString sel = normalise(selecteur);
    const QString prop = propriete.trimmed().toLower();
    for (auto d = m_declarations.rbegin(); d != m_declarations.rend(); ++d) {
        if (d->Selecteur == sel && d->Propriete == prop)
            return d->Valeur;
    }
    return {};
}

QColor TxiloStyleEdit::HtmlToColor(const QString &texte)
{
    const QString t = texte.trimmed();
    if (!t.startsWith(u'#') || (t.size() != 4 && t.size() != 7))
        return {};
    for (qsizetype i = 1; i < t.size(); ++i) {
        if (!estHexa(t[i]))
            return {};
    }
    const uint v = t.mid(1).toUInt(nullptr, 16);
    if (t.size() == 7)
        return QColor((v >> 16) & 0xff, (v >> 8) & 0xff, v & 0xff);
    // "#abc" stands for "#aabbcc".
    return QColor(((v >> 8) & 0xf) * 17, ((v >> 4) & 0xf) * 17, (v & 0xf) * 17);
}

TxiloStyleEdit &StyleOptions()
{
    static TxiloStyleEdit style;
    return style;
}

QString FichierStyleDefaut()
{
    return DossierModele + QStringLiteral("style.css");
}
