#pragma once

#include <QColor>
#include <QRect>
#include <QString>

#include <vector>

class QPainter;
class QSize;
class QPoint;
class TBD;
class THtml;

// The anniversaries and events calendar: for each day of the year (month
// 1..12, day 1..31), the persons (or unions) that had an event of the chosen
// kind on that day in a period of years. Plain data, filled without any
// window, drawn by DessineCalendrier and written by PageCalendrier.

// Where the numbers come from.
enum class TSourceCal {
    Tous,    // every person in use
    EnVie,   // living persons (PersonneEnVie, AnniFete.h)
    Rapport, // the persons of a given list (the report's)
    Unions,  // every complete union (husband and wife)
};

// The cells: each the numbers found, in the order found, a number appearing
// once per matching event. Months and days outside 1..12 and 1..31 read as
// an empty cell.
class TCalendrier final
{
public:
    const std::vector<int> &Cellule(int mois, int jour) const;
    void Ajoute(int mois, int jour, int numero);
    void Vide();

private:
    std::vector<int> m_cellules[12][31];
};

// What to fill from.
struct TCritereCal {
    TSourceCal Source = TSourceCal::Tous;
    // The persons of TSourceCal::Rapport (person numbers; those not in use
    // are skipped).
    std::vector<int> Rapport;
    // The event type to take (compared without regard to letter case);
    // empty for every event.
    QString Evenement;
    int Debut = 1950;
    int Fin = 2010;
    // TSourceCal::EnVie: the oldest age of the living (the options'
    // AgeDecesMax).
    int AgeMax = 110;
};

// Empties the cells, then enters each event of the source whose date has no
// qualifier, a day 1..31, a month 1..12 and a year within Debut..Fin: the
// person's (or union's) number is added to the cell of that day and month.
void RemplitCalendrier(const TBD &bd, const TCritereCal &critere, TCalendrier &cal);

// Geometry of the grid drawn in a rectangle of size `taille`: a band of 25
// pixels on the left for the day titles, 15 on top for the month titles,
// 12 columns and 31 rows sharing the rest (integer division).
inline constexpr int BandeGaucheCal = 25;
inline constexpr int BandeHautCal = 15;
// The cell of month m, day d, as drawn (it overlaps its neighbours' edges by
// one pixel, so that frames are shared).
QRect RectCelluleCal(const QSize &taille, int mois, int jour);
// The cell under a point, as {month, day}; {0, 0} in the title bands or
// outside the grid.
std::pair<int, int> CelluleCalEn(const QSize &taille, const QPoint &point);

// The colours, from the style sheet rules ".calcase" (a cell with entries),
// ".calweekend" (an empty weekend cell), "table tbody td" (other empty
// cells), ".calmois" and ".caljour" (month and day titles).
struct TCouleursCal {
    QColor Case, WeekEnd, Vide, Mois, Jour, Trait;
};
// The colours of the program's style sheet (StyleOptions(), Style.h); a rule
// without a readable "background-color" gives white; the frames take
// `trait`.
TCouleursCal CouleursCal(const QColor &trait);

// Draws the grid: the cells framed and filled by their state (a weekend cell
// when `weekEnds` is set and the day of that month of `annee` is a Saturday
// or a Sunday), the short month names (NomMoisCourt) and the day numbers, in
// 10-point type. The one routine for the screen and the tests.
void DessineCalendrier(QPainter &p, const QSize &taille, const TCalendrier &cal, const TCouleursCal &couleurs,
                       bool weekEnds, int annee);

// The short French name of month m (1-12) heading its column: "janv.",
// "févr.", ..., "juin", "juil.", ... The program speaks French whatever the
// language of the system it runs on.
QString NomMoisCourt(int m);

// What the HTML page shows.
struct TPageCal {
    bool Anniversaires = false; // else the events calendar
    QString Pour;               // the source's name, events calendar only
    QString Evenement;          // the event's name, events calendar only
    bool Unions = false;        // the numbers are unions
    int Debut = 1950;
    int Fin = 2010;
    int Tableaux = 12;          // 1, 2, 3, 4, 6 or 12 (others read as 12)
    bool WeekEnds = true;
    bool Fetes = false;         // name days of the name-day table added
};

// Writes the calendar page into `html` (header included, footer included):
// a heading and the period in a division, then the 12 months cut into
// `Tableaux` tables, each followed by "</div>", one row per day, each cell listing its persons' names ("name (age in
// Fin)" for anniversaries, "husband et wife" for unions), then the day's
// name days when asked; an empty cell is "&nbsp;". Every name is escaped.
void PageCalendrier(THtml &html, const TBD &bd, const TCalendrier &cal, const TPageCal &page);
