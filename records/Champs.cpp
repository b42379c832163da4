#include "Champs.h"

using namespace Qt::StringLiterals;

namespace {

const QChar kSeparateur = u'|';

} // namespace

TTableChamps DecoupeChamps(const QString &texte)
{
    TTableChamps table;
    qsizetype pos = 0;
    const qsizetype fin = texte.size();
    // Each piece ends at the next separator; once none is left, the rest of
    // the text is the piece and every later piece is empty.
    auto morceau = [&]() {
        if (pos >= fin)
            return QString();
        const qsizetype sep = texte.indexOf(kSeparateur, pos);
        QString m;
        if (sep < 0) {
            m = texte.mid(pos);
            pos = fin;
        } else {
            m = texte.mid(pos, sep - pos);
            pos = sep + 1;
        }
        return m;
    };
    while (pos < fin) {
        TEntreeChamp e;
        e.Sorte = morceau();
        e.Libelle = morceau();
        e.Valeur = morceau();
        table.push_back(std::move(e));
    }
    return table;
}

QString AssembleChamps(const TTableChamps &table)
{
    QString texte;
    for (const TEntreeChamp &e : table) {
        if (e.Valeur.isEmpty())
            continue;
        texte += SansSeparateur(e.Sorte) + kSeparateur + SansSeparateur(e.Libelle) + kSeparateur
            + SansSeparateur(e.Valeur) + kSeparateur;
    }
    return texte;
}

TTableChamps FusionneChamps(const QString &definitions, const QString &personne)
{
    TTableChamps table = DecoupeChamps(definitions);
    const size_t nbDefinitions = table.size();
    // A definition takes one person entry only: letting a later entry with
    // the same label overwrite it would lose the earlier value on the next
    // write.
    std::vector<bool> prise(nbDefinitions, false);
    for (TEntreeChamp &e : DecoupeChamps(personne)) {
        size_t i = 0;
        while (i < nbDefinitions && (prise[i] || table[i].Libelle != e.Libelle))
            ++i;
        if (i < nbDefinitions) {
            prise[i] = true;
            table[i] = std::move(e);
        } else {
            table.push_back(std::move(e));
        }
    }
    return table;
}

TOuiNon LitOuiNon(const QString &valeur)
{
    const QString v = valeur.trimmed();
    if (v.isEmpty())
        return TOuiNon::Nul;
    if (v.compare(u"oui"_s, Qt::CaseInsensitive) == 0)
        return TOuiNon::Oui;
    if (v.compare(u"non"_s, Qt::CaseInsensitive) == 0)
        return TOuiNon::Non;
    return TOuiNon::Inconnu;
}

QString TexteOuiNon(TOuiNon choix)
{
    switch (choix) {
    case TOuiNon::Oui:
        return u"Oui"_s;
    case TOuiNon::Non:
        return u"Non"_s;
    case TOuiNon::Nul:
    case TOuiNon::Inconnu:
        break;
    }
    return QString();
}

QString ValeurMultiligne(const QString &texteEditeur)
{
    QString t = texteEditeur;
    t.replace(u"\r\n"_s, u"\n"_s);
    t.replace(u'\r', u'\n');
    qsizetype n = t.size();
    while (n > 0) {
        const QChar c = t[n - 1];
        if (c != u' ' && c != u'\t' && c != u'\n')
            break;
        --n;
    }
    t.truncate(n);
    t.replace(u'\n', u"\r\n"_s);
    return t;
}
