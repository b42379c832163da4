#pragma once

#include <QString>
#include <QStringList>

// The text of the scripts sent to the web map page. Nothing reaches the
// page but through ScriptAppel, so that no name or place can break out of
// its string or put markup into the page.

// A JavaScript string literal in single quotes holding `texte` exactly:
// backslash, "'", the control characters (line breaks among them), U+2028
// and U+2029 are escaped as in JSON (\\, \', \n, \r, \t, \b, \f, \uXXXX), and
// the "/" of "</script" is escaped whatever its letter case, so that the
// literal stays whole inside an HTML page too. Double quotes and other
// markup are kept as they are.
QString LitteralJs(const QString &texte);

// The call `fonction(argument1,argument2...)` with each argument as a
// LitteralJs: ScriptAppel("plotadd", {"a'b", "c"}) gives "plotadd('a\'b','c')".
// `fonction` is the program's own name and is written as it stands.
QString ScriptAppel(const QString &fonction, const QStringList &arguments = {});

// What the map shows for one person's place: the place text sent to the
// page's plotadd and the HTML label of its pop-up.
struct TPointCarte {
    QString Lieu;
    QString Libelle;
};

// The point for the place `lieu` of person `personne` named `nomComplet`
// (TBD::FullName): a French place ("FRA" first) with a commune (part 3) is
// sent as the commune followed by ",France", any other place as written;
// the label is a link to the person, "<a href=\"<number>\">", then the name,
// "</a><br/>" and the whole place, name and place HTML-escaped. Both empty
// when the place is empty or the person number is below 1: nothing is then
// plotted.
TPointCarte PointPersonne(const QString &lieu, int personne, const QString &nomComplet);

// The point the map window (web mode) plots for one event's place of a
// person named `nomComplet`: a French place ("FRA," first, any case) with a
// commune (part 3) is sent as the commune, then the five digits of a postal
// code held in the département part ("F95000") when there is one, then
// "France", joined by ","; any other place as written. The label is the
// name, "<br/><font size=\"-1\">", the whole place and "</font>", name and
// place HTML-escaped. Both empty for an empty place.
TPointCarte PointLieuCarte(const QString &lieu, const QString &nomComplet);
