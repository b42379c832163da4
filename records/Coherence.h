#pragma once

#include <QString>

class TBD;
struct TOptions;

// Coherence check of one person's dates, run by the record form each time
// it shows a person or an event date is left.
//
// Returns the messages found, each a language text (901 to 923) followed by
// CR LF, in this order:
//   - the parents: 901/902 when the father/mother was not born strictly
//     before the person, 903/904 when the person was born after the
//     father's/mother's death;
//   - when there is at least one parent message, a heading line is put in
//     front of the whole text: 905 for one message, 906 for two or more;
//   - only when there is no parent message: 907/908/909 when the birth lies
//     after the baptism/death/burial, 910 when the burial lies more than 7
//     days after the death, 911/912 (father) and 913/914 (mother) when the
//     parent's age at the birth is below AgeEnfMin/above AgeEnfMax, 915 when
//     the age at death is above AgeDecesMax;
//   - for each union of the person, ordered by marriage date: 916 when the
//     birth is not strictly before the marriage, else 917 when it is not
//     strictly before the divorce; 918 when the marriage is not strictly
//     before the divorce; 919 when the marriage lies after the death;
//     920/921 when the age at marriage is above AgeMarMax/below AgeMarMin;
//     922/923 when the spouse is younger/older by more than EcartConjMax
//     years.
// Ages are whole years; limits are inclusive (an age equal to a limit is
// accepted). A date without a year takes part in no test. A person without a
// birth year, or a number that names no person, gives an empty text.
// The ages at death and at marriage are checked only when the dates are in
// order (a death before the birth is reported as such, not as an age).
//
// The first form reads the limits from Options().
QString ControleCoherence(const TBD &bd, int p);
QString ControleCoherence(const TBD &bd, int p, const TOptions &limites);
