#pragma once

#include <QColor>
#include <QString>

// The HTML style sheet that the options dialog edits: the report rows, the
// statistics graph and the calendar take their colours from it, so that the
// screen and the HTML pages share one colour set.
class TxiloStyleEdit
{
public:
    // The style sheet text (CSS).
    QString Texte() const { return m_texte; }
    void SetTexte(const QString &texte) { m_texte = texte; }

    // The value of a property in the rule whose selector equals the text
    // (letter case ignored, blanks around it ignored); empty when none.
    QString GetStyleValue(const QString &selecteur, const QString &propriete) const;
    // The colour of a "#rrggbb" text (also "#rgb"); an invalid colour for
    // anything else.
    static QColor HtmlToColor(const QString &texte);

private:
    QString m_texte;
};

// The style sheet of this run (read from the models folder at start-up, or
// the one the user saved).
TxiloStyleEdit &StyleOptions();
// The style sheet shipped with the program: DossierModele + "style.css".
QString FichierStyleDefaut();
