#pragma once

#include "Listes.h"
#include "Tableau.h"

#include <QString>

class TBD;

// The predefined reports: fourteen fixed tables computed over the whole
// database and shown in the report grid instead of a person report. This
// half computes them; the panel of the report options window
// (TPanneauPredefinis) shows them.

// Number of predefined reports (items of the report list).
inline constexpr int NbRapportsPredefinis = 14;

// The report of index `rapport` in the list, 0-based; empty outside 0..13.
QString TexteRapportPredefini(int rapport);

// The options of the panel that the reports read.
struct TOptionsPredefinis {
    // Place filter of reports 0 and 9: every non-empty place, or only those
    // beginning with Prefixe (letter case ignored).
    bool TousLesLieux = true;
    QString Prefixe;
    // Place format of reports 2, 4, 5 and 7 (FormatLieuRapport).
    int FormatLieux = 0;
    // Search depth of report 3, in generations.
    int Generations = 10;
    // Sign of report 10, as the sign names of the template "<zodiaque>".
    QString Signe;
};

// A place text as a report shows it, by the format chosen in the panel:
//   1 "Commune": the commune part (SplitPlace);
//   2 "Code-postal Commune": the postal code, characters 2 to 6 of the
//     département part when that part is exactly 6 characters long (a
//     département code then a postal code, "F95000"), else nothing; then a
//     blank and the commune when there is one;
//   3 "Commune (Département)": the commune, then " (" + characters 2 and 3
//     of the département part + ")" when that part is longer than 2;
//   any other (0 "Identique à la saisie", -1 none): the place as typed.
QString FormatLieuRapport(const QString &lieu, int format);

// A computed report.
struct TRapportPredefini {
    TTableau Tableau;
    // The report window's caption once the table is shown.
    QString Titre;
    // Report 1 lists persons: they become the report list.
    bool ListePersonnes = false;
    TR Liste;
    // The column on which the grid is then sorted, ascending (-1: none).
    int ColonneTri = -1;
};

// Computes report `rapport` (0..13) over the database. The progress, when
// given, is told every 20, 25 or 50 items as each report says, and a false
// answer stops the report: the result is then incomplete and the function
// returns false. It also returns false, with an empty result, for an index
// out of range.
//
// The reports, columns as (language text, width, sort kind), rows in the
// order given; names are TBD::FullName, notes have their line breaks made
// blanks, counts are decimal texts and a count never given is an empty
// cell; row values are 0 unless a person is named:
//  0 events per surname: (575, 100, text) surname, (576, 55, number)
//    persons, then births (577), baptisms (578), deaths (579) and burials
//    (580), all (55, number). A person counts when one of the places of its
//    birth, baptism, death or burial passes the place filter; each passing
//    kind counts once. Rows by surname (exact), in order of appearance.
//    Caption 581 (rows), or 582 (prefix, rows) with a prefix. Step 25.
//  1 orphans: persons in use with neither father nor mother in use, nobody's
//    father or mother, and neither husband nor wife of a complete union;
//    sorted by surname (SortList, stable); (589, 150, text) surname, (590,
//    150, text) given names; row values the persons, who become the report
//    list. Caption 591 (count). Step 20.
//  2 unions: every complete union in number order: (610, 150, text)
//    husband, (611, 50, number) his age at the marriage (YearsBetween of his
//    birth and the marriage, empty below 1), (612, 150, text) wife, (611,
//    50, number) her age, (594, 80, date) marriage date, (613, 100, text)
//    marriage place in the place format; row value the husband. Caption
//    614 (rows). Step 20.
//  3 consanguine marriages: every complete union whose partners have a
//    common ancestor within Generations (FindCommonAncestor): (592, 200,
//    text) husband, (593, 200, text) wife, (594, 80, date) marriage date,
//    (595, 150, text) the nearest common ancestor, (596, 50, number) and
//    (597, 50, number) its distance in generations from the husband and from
//    the wife; row value the husband. Caption 598 (generations, rows).
//    Step 20.
//  4 person events: every event of every person in use: (572, 80, date)
//    date, (583, 150, text) place in the place format, (615, 80, text) type,
//    (576, 150, text) person, (616, 100, text) note; row value the person;
//    then sorted on the date. Caption 617 (rows). Step 50 persons.
//  5 union events: every event of every complete union: (572, 80, date)
//    date, (583, 120, text) place in the place format, (615, 80, text) type,
//    (592, 100, text) husband, (593, 100, text) wife, (616, 80, text) note;
//    row value the husband; then sorted on the date. Caption 618 (rows).
//    Step 50 unions.
//  6 duplicates: the persons in use grouped by full name (FullName: the
//    blank stays when a part is empty), letter case ignored (accented
//    letters included); every group of two or more, the
//    groups in the order of their first member and each member, in the order
//    of a sort by surname and given names (SortList, code 25): (619, 150,
//    text) name, (620, 100, date) birth date, (621, 150, text) father,
//    (622, 150, text) mother; row value the person. Caption 623 (rows).
//  7 places: the place of every event in use, in the place format, counted
//    by text (exact): (583, 200, text) place, (624, 50, number) events, in
//    order of appearance. Caption 625 (rows). Step 50 events.
//  8 professions: the "Profession" field (language text 626) of every person,
//    counted by text (exact): (626, 200, text), (627, 50, number). Caption
//    628 (rows). Step 50.
//  9 flash list: for each event with a year and a place passing the place
//    filter, of every person in use (its surname) and of every complete
//    union (the husband's surname and the wife's): one row per surname and
//    place (exact), with the first and last years: (575, 100, text) surname,
//    (583, 180, text) place, (584, 50, date) first, (585, 50, date) last.
//    Caption 586 (rows), or 587 (prefix, rows). Step 25 persons, then 25
//    unions.
// 10 zodiac: the persons in use for whom the template of language text 2092
//    ("<zodiaque>") gives Signe, letter case ignored (none when Signe is
//    empty): (629, 150, text) name, (620, 100, date) birth date, (630, 150,
//    text) birth place, (631, 150, text) note; row value the person. Caption
//    632 (sign, rows). Step 50.
// 11 PatroLieux (PatroLieux.h), sorted by surname then place (French
//    collation, letter case ignored). Caption 634 (rows).
// 12 the same with the surname and place columns exchanged, sorted by place
//    then surname. Caption 635 (rows).
// 13 birthdays: the persons in use born on today's day and month (a bare
//    date), in number order, one text each: "Anniversaire de <name> âgé de
//    <n> an(s)." ("âgée" for a woman, "ans" above 1; language texts 8106 to
//    8109), or "Anniversaire de <name>." (8110) when the age is not known
//    (AgeInYears gives -1: no year, or born after today). One column
//    (8111 "Fêtes et anniversaires", 300, text). Caption 8112 (today's date,
//    rows).
bool CalculeRapportPredefini(int rapport, const TBD &bd, const TOptionsPredefinis &options,
                             TAvancement *avancement, TRapportPredefini *resultat);
