#include "Style.h"

#include "Globales.h"

namespace {

// Selectors compare without regard to case or to the blanks that the user
// may have typed between their parts.
QString normalise(const QString &texte)
{
    return texte.simplified().toLower();
}

// The text with each comment replaced by one blank, so that a comment between
// a selector and its block still separates words. An unclosed comment runs to
// the end, as in a browser. One pass: replacing comments in place would move
// the rest of the text once per comment.
QString sansCommentaires(const QString &css)
{
    QString texte;
    texte.reserve(css.size());
    qsizetype i = 0;
    while (i < css.size()) {
        const qsizetype debut = css.indexOf(u"/*", i);
        if (debut < 0) {
            texte += QStringView(css).mid(i);
            break;
        }
        texte += QStringView(css).mid(i, debut - i);
        texte += u' ';
        const qsizetype fin = css.indexOf(u"*/", debut + 2);
        i = fin < 0 ? css.size() : fin + 2;
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
    m_regles.clear();
    m_reglesDe.clear();
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
        const QStringView prelude = QStringView(css).mid(i, j - i).trimmed();
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
        i = k;
        // At-rules (media queries, fonts) do not describe the screen colours.
        if (prelude.startsWith(u'@'))
            continue;

        std::vector<TDeclaration> declarations;
        for (const QStringView declaration : QStringView(css).mid(j + 1, finBloc - j - 1).split(u';')) {
            const qsizetype deuxPoints = declaration.indexOf(u':');
            if (deuxPoints < 0)
                continue;
            const QString propriete = declaration.left(deuxPoints).trimmed().toString().toLower();
            if (propriete.isEmpty())
                continue;
            // A value may run over lines or hold a comment: its blanks count as one.
            QString valeur = declaration.mid(deuxPoints + 1).toString().simplified();
            if (valeur.endsWith(u"!important", Qt::CaseInsensitive))
                valeur = valeur.chopped(10).trimmed();
            declarations.push_back({propriete, valeur});
        }
        if (declarations.empty())
            continue;
        const int regle = static_cast<int>(m_regles.size());
        bool retenue = false;
        for (const QStringView s : prelude.split(u',')) {
            const QString sel = normalise(s.toString());
            if (sel.isEmpty())
                continue;
            std::vector<int> &regles = m_reglesDe[sel];
            // A selector listed twice in one rule points to it once.
            if (regles.empty() || regles.back() != regle)
                regles.push_back(regle);
            retenue = true;
        }
        if (retenue)
            m_regles.push_back(std::move(declarations));
    }
}

QString TxiloStyleEdit::GetStyleValue(const QString &selecteur, const QString &propriete) const
{
    const auto it = m_reglesDe.constFind(normalise(selecteur));
    if (it == m_reglesDe.cend())
        return {};
    const QString prop = propriete.trimmed().toLower();
    // The last declaration in text order wins: the selector's last rule
    // first, and the last declaration of each rule first.
    for (auto r = it->rbegin(); r != it->rend(); ++r) {
        const std::vector<TDeclaration> &declarations = m_regles[static_cast<size_t>(*r)];
        for (auto d = declarations.rbegin(); d != declarations.rend(); ++d) {
            if (d->Propriete == prop)
                return d->Valeur;
        }
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
