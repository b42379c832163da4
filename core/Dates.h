#pragma once

#include <QDate>
#include <QString>
#include <functional>

// Dates as the database stores them: text of day, month and year separated by
// "/" ("14/7/1789"), the partial forms "7/1789" (month and year) and "1789"
// (year alone), optionally preceded by a qualifier "avant", "après" or "vers".
// A range is stored as "après <date> avant <date>". All numbers below are
// 1-based calendar numbers; 0 always means "absent". Years 1 to 9999 are
// supported; a text with any other year counts as having no date.

// ---- Names ----------------------------------------------------------------

// Month names, entry 0 empty, 1-12 "janvier" .. "décembre".
extern const QString NomsMois[13];
// Weekday names, 0 "dimanche" .. 6 "samedi".
extern const QString NomsJours[7];

// Name-day first names of each day of the year, read from the name-day file
// at start-up. Months 1-12, days 1-31; outside those, reading gives an empty
// text and writing does nothing.
class TTableFetes final
{
public:
    QString Get(int mois, int jour) const;
    void Put(int mois, int jour, const QString &prenoms);
    void Clear();

private:
    QString m_prenoms[12][31];
};
TTableFetes &TableFetes();

// ---- Settings and clock ---------------------------------------------------

// Display order of dates: false for "j/m/a" (the default), true for "m/j/a".
void SetOrdreMoisJour(bool moisAvantJour);
bool OrdreMoisJour();

// Today's date as the date helpers see it. Tests replace the clock; an
// empty function restores the system clock.
void SetHorloge(std::function<QDate()> horloge);
QDate Aujourdhui();

// ---- Pieces of a date text --------------------------------------------------

struct TDateParts {
    int Jour = 0;
    int Mois = 0;
    int Annee = 0;
};

struct TDateRange {
    QString Qualif1; // "avant", "après", "vers" or empty
    QString Date1;   // "d/m/y", "m/y" or "y", empty when none
    QString Qualif2;
    QString Date2;
};

struct TQualifiedDate {
    QString Qualif;
    int Jour = 0;
    int Mois = 0;
    int Annee = 0;
};

// Day, month and year of a bare "d/m/y", "m/y" or "y" text (blanks around it
// allowed); absent or unreadable parts are 0. A part is unreadable when it is
// not plain digits or out of range (day 1..31, month 1..12, year 1..9999); a
// day without its month is dropped, and without a year everything is 0. A
// text with a qualifier is not bare: all 0.
TDateParts SplitDate(const QString &text);
// The qualifiers and the dates of a stored date or range, the dates as
// written. Qualifiers are recognised whatever their case and given in their
// stored spelling. Anything after the second date is ignored.
TDateRange SplitDateRange(const QString &text);
// The qualifier and the numbers of the first date of a stored text (read as
// SplitDate reads a bare date).
TQualifiedDate SplitQualifiedDate(const QString &text);

// Year and month of the first date, 0 when absent.
int DateYear(const QString &text);
int DateMonth(const QString &text);

// Sort key of the first date: year * 10000 + month * 100 + day, absent parts
// counting 0; 0 when the text has no year.
int DateKey(const QString &text);

// Number of the last day of a month in the calendar in force at that time
// (Julian leap years up to 1582, Gregorian after; October 1582 gives 31 although
// its days 5 to 14 do not exist). 0 for a month outside 1..12 or a year
// outside 1..9999.
int DaysInMonth(int mois, int annee);
// True for an existing day of the calendar (1/1/1 and later; the days
// 5..14/10/1582 do not exist).
bool IsValidDate(int jour, int mois, int annee);

// True when a date of the text (the first, or the second of a range), written
// as numbers with a year 1..9999, names a day or a month the calendar does
// not have: a month outside 1..12 ("12/13/1850", "13/1850"), day 0, a day
// past the end of its month ("31/4/1850", "29/2/1900"), or one of the days
// 5..14/10/1582 that the reform dropped. The readers above drop such parts,
// so that "31/2/1850" still reads as day 31 of February and "12/13/1850" as
// the year 1850 alone; this tells the user what was typed does not exist.
bool DateInexistante(const QString &text);

// ---- Texts ---------------------------------------------------------------

// Today as "d/m/y"; empty if the clock gives an invalid date.
QString TodayDateText();
// A stored date in display order and back: the first two fields of every full
// date of the text (a blank-separated token of three numbers) are swapped
// when the order is "m/j/a". Everything else, blanks included, is unchanged.
QString DateVersAffichage(const QString &text);
QString DateDepuisAffichage(const QString &text);
// A typed date put into stored form. Grammar (the tokens are separated by
// blanks; case is ignored):
//   - "." and "-" inside numbers become "/"; numbers separated only by blanks
//     are joined with "/"; leading zeros are dropped ("01.02.1900" -> "1/2/1900");
//   - "av", "av.", "avt" -> "avant"; "ap", "apr", "apres" -> "après";
//     "v", "ca", "env", "environ" -> "vers";
//   - "entre X et Y" -> "après X avant Y";
//   - in a range ("après X avant Y", typed so or from "entre"), a second year
//     of one or two digits takes the century of the first when that year has
//     three or four digits ("entre 1914 et 18" -> "après 1914 avant 1918"),
//     or the next century when the range would otherwise end before it starts
//     ("entre 1995 et 05" -> "après 1995 avant 2005");
//   - blanks are folded and trimmed. Anything else is kept as typed.
QString NormalizeDateInput(const QString &text);
// The typed date completed against another date of the same person. mode 1:
// the typed date is `premier` and `second` is a later reference (a birth
// against the death); mode 2: the typed date is `second` and `premier` an
// earlier reference. A year of one or two digits gets the century that puts
// it nearest to the reference on the right side of it (mode 1: not after the
// reference year, mode 2: not before); every date of a typed range is
// completed. A reference range gives its last year in mode 1 and its first
// in mode 2. Returns the normalised typed date; without a reference year, or
// when no year 1..9999 fits, the two-digit year is left as typed. Any other
// mode returns NormalizeDateInput(premier).
QString NormalisePeriode(const QString &premier, const QString &second, int mode);

// "Samedi 1 janvier 2000"; empty for an impossible date.
QString DateLongue(int jour, int mois, int annee);

// ---- Comparing and measuring ----------------------------------------------

// 0 when both have no year or they are equal, 1 when only b has no year or b
// is earlier than a, 2 when only a has no year or b is later than a. Keys are
// those of DateKey, except that when b lacks the month (the day) that a has,
// b's month counts as 13 (its day as 32). Qualifiers do not take part.
int CompareDates(const QString &a, const QString &b);
// Whole years between the first dates of a and b, in either order; 0 when a
// year is missing.
int YearsBetween(const QString &a, const QString &b);
// Days from b to a (first dates); 0 when either has no year or does not
// exist, or a is not later than b. Absent months and days count as 1.
int DaysBetween(const QString &a, const QString &b);
// Whole years from the date (the second date of a range) to today, the month
// and day counting only when known; -1 when there is no year or the result
// would be negative.
int AgeInYears(const QString &text);
// The same to the day `aujourdhui` (Aujourdhui(), taken once by a caller
// that counts many ages: each asking of the clock reads the time zone).
int AgeInYears(const QString &text, const QDate &aujourdhui);

// ---- Weekdays -----------------------------------------------------------

// 0 Sunday .. 6 Saturday; 7 for an impossible or incomplete date.
int DayOfWeek(int jour, int mois, int annee);
// Weekday of a bare full date (see SplitDate); 7 for anything else, including
// qualified dates and ranges, which do not name one day.
int DateWeekday(const QString &text);
// "dimanche" .. "samedi"; empty when DateWeekday gives 7.
QString DateWeekdayName(const QString &text);

// ---- Calendars ----------------------------------------------------------

// Julian day number at 0 h of a date, the form the published tables give
// (1/1/2000 is 2451544.5, 15/10/1582 is 2299160.5). Julian calendar before
// 15/10/1582, Gregorian from that day. Absent months and days count as 1; 0
// when there is no year or the date does not exist.
double DateToJulianDay(const QString &text);
double DateToJulianDay(int jour, int mois, int annee);
// The "d/m/y" text of the day holding the instant jd (from its 0 h included
// to the next 0 h excluded); empty for a number that is not finite or any
// instant outside the supported span (JourJulienMin to JourJulienFin).
// JulianDayToParts gives zeros in those cases.
QString JulianDayToDate(double jd);
TDateParts JulianDayToParts(double jd);
// The supported span in Julian days: 0 h of 1/1/1 (Julian calendar) included,
// 0 h of the day after 31/12/9999 excluded.
inline constexpr double JourJulienMin = 1721423.5;
inline constexpr double JourJulienFin = 5373484.5;
// A Julian day as the user types it: a decimal number, "," or "." as the
// decimal mark, blanks around ignored. True and the value in *jd only for a
// finite number within the supported span; *jd is untouched otherwise.
bool LitJourJulien(const QString &texte, double *jd);
// A Julian day written with two decimals and a decimal comma, right-aligned
// in at least 10 characters ("2451544,50", "1721423,50").
QString TexteJourJulien(double jd);

// French Republican calendar, years I to XIV (sextile years III, VII, XI).
// Month 13 holds the complementary days (5, or 6 in a sextile year).
struct TRepublicanDate {
    int Jour = 0;  // 1..30
    int Mois = 0;  // 1..13
    int Annee = 0; // 1..14
};
// Month names 1-13, "Vendémiaire" .. "Fructidor", then "Sans-Culottide" for
// the complementary days; entry 0 empty.
extern const QString NomsMoisRepublicains[14];
// The number of days of a Republican month: 30, or for month 13 the
// complementary days of that year (5, 6 in a sextile year); 0 for a month or
// a year outside the calendar.
int JoursMoisRepublicain(int mois, int annee);
// The Republican date of a bare full date (see SplitDate); all zeros outside
// years I to XIV, for an incomplete or impossible date, a qualified date or
// a range.
TRepublicanDate DateToRepublican(const QString &text);
// Julian day number at 0 h of a Republican date; 0 when it does not exist.
double RepublicanToJulianDay(int jour, int mois, int annee);
