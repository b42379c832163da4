#pragma once

#include <QColor>
#include <QHash>
#include <QString>

#include <vector>

// The HTML style sheet that the options dialog edits: the report rows, the
// statistics graph and the calendar take their colours from it, so that the
// screen and the HTML pages share one colour set.
class TxiloStyleEdit
{
public:
    // The style sheet text (CSS). Setting it reads its rules once.
    QString Texte() const { return m_texte; }
    void SetTexte(const QString &texte);

    // The value of a property in the rule whose selector equals the text
    // (letter case ignored, blanks around it ignored, inner blanks counting as
    // one); empty when none. Rules are "selector, selector { property: value;
    // ... }"; each selector of a list counts; comments are ignored; at-rules
    // ("@media ... { }", "@import ...;") are skipped. Blanks inside a value
    // count as one. When several declarations match, the last one wins; a
    // trailing "!important" is dropped from the value and gives no precedence.
    QString GetStyleValue(const QString &selecteur, const QString &propriete) const;
    // The colour of a "#rrggbb" text (also "#rgb"), blanks around allowed; an
    // invalid colour for anything else.
    static QColor HtmlToColor(const QString &texte);

private:
    struct TDeclaration {
        QString Propriete; // lower case
        QString Valeur;
    };
    QString m_texte;
    // The declarations of each rule, in text order, stored once however many
    // selectors the rule lists.
    std::vector<std::vector<TDeclaration>> m_regles;
    // Normalised selector (lower case, single blanks) -> the indexes of its
    // rules in m_regles, rising.
    QHash<QString, std::vector<int>> m_reglesDe;
};

// The style sheet of this run (read from the models folder at start-up, or
// the one the user saved).
TxiloStyleEdit &StyleOptions();
// The style sheet shipped with the program: DossierModele + "style.css".
QString FichierStyleDefaut();
