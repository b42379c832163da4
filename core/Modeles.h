#pragma once

#include "Listes.h"

#include <QString>
#include <QStringList>

class TBD;

// Person text templates: texts in which tags between "<" and ">" stand for
// the data of one person, as in the tree boxes ("<nom> <prénom>",
// "° <naissance> <lieu naissance>"), the record form title and the lists.
//
// Tags are recognised whatever their letter case, accented letters included
// ("<PRÉNOM>" is "<prénom>"). Dates are given in display order
// (DateVersAffichage). A tag whose data is missing gives an empty text.
//
//   <nom>              surname
//   <prénom>           given names
//   <prénom usuel>     principal given name (PrenomUsuel)
//   <sexe>             "H", "F" or "I"
//   <n°>               person number
//   <numéro>           numbering text (Sosa / d'Aboville, person field 26)
//   <naissance>        birth date          <lieu naissance>   birth place
//   <baptême>          baptism date        <lieu baptême>     baptism place
//   <décès>            death date          <lieu décès>       death place
//   <inhumation>       burial date         <lieu inhumation>  burial place
//   <note>             the person's note
//   <profession>       the profession user-defined field
//   <âge>              whole years: at death when the person has a death
//                      event (YearsBetween of birth and death; empty when the
//                      death date has no year or comes before the birth),
//                      else today's age (AgeInYears of the birth); empty
//                      when the birth has no year, and under one year
//   <père>, <mère>     FullName of the father, of the mother; empty when none
//                      or not in use
//   <conjoint>         FullName of LastSpouse
//   <mariage>          marriage date of the last union by marriage date, the
//                      one LastSpouse uses; empty when none
//   <création>         creation date (field 21)
//   <modification>     modification date (field 22)
//   <zodiaque>         French sign of the day and month of a bare birth date
//                      ("Bélier" .. "Poissons"); empty when the day or month
//                      is unknown, or the date is qualified or a range
//   <photo>            "@" and the file path (before the first "|") of the
//                      person's first source whose kind equals
//                      Options().Photo, case ignored; empty when there is
//                      none or its path is empty
//   <eve:type,field>   a field of the person's first event in use of that
//                      type (letter case ignored, "<eve:Naissance,Année>"):
//                      "Date", "Année" (the year alone; empty when none),
//                      "Lieu" or "Note"; empty when there is no such event
//
// Anything else is plain text and copied as it stands: an unknown tag, a "<"
// without a closing ">", and so "a < b" or "<<nom>>" (gives "<", the
// surname, ">").

// The template expanded for person p (1-based). For a person number out of
// range or a slot not in use, every tag gives an empty text and the plain
// text is kept. Parsed templates are kept in a small per-thread cache keyed
// by the template text.
QString ExpandTemplate(const TBD &bd, int p, const QString &modele);

// Every tag ExpandTemplate knows, written with its "<" and ">", in the
// order of the list above ("<nom>", "<prénom>", "<prénom usuel>"...).
QStringList BalisesModele();

// An expander calling ExpandTemplate on bd, for FilterListByTest. It refers
// to bd, which must outlive it.
TExpandeur ExpandeurDe(const TBD &bd);
