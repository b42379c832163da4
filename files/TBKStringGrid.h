#pragma once

#include <QStringList>
#include <QTableView>

#include <vector>

class TProgression;

// The sortable string grid of the report window and of the lists: a table of
// texts with a title row (the header), a 32-bit row value per data row, a sort
// kind per column (0 text, 1 date, 2 number; any other kind sorts as text).
// Built as a model and a plain view: SortColumn computes one sort key per row
// (a date to an integer, a number to a number, a text through a French
// collator) and reorders the stored rows; the comparator never parses text.
//
// Rows and columns are 0-based; row 0 is the title row, data rows are 1..n
// (the view shows the titles in its header and data row r as its model row
// r - 1). Row values exist for rows 0 to 100,000; outside they read 0.
// Qt's own header sorting is off: a title click only emits TitleClicked.
class TBKStringGrid final : public QTableView
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TBKStringGrid)

public:
    explicit TBKStringGrid(QWidget *parent = nullptr);
    ~TBKStringGrid() override;

    // Size of the table, title row included (RowCount 1 = titles only). The
    // title row always exists: SetRowCount below 1 gives 1. A negative column
    // count gives 0. Shrinking drops the texts of the rows or columns removed;
    // row values are kept (they belong to row numbers, see SetRowData).
    int ColCount() const;
    int RowCount() const;
    void SetColCount(int n);
    void SetRowCount(int n);

    // Cell text; row 0 is the title row. Out of range: empty / ignored.
    QString Cell(int col, int row) const;
    void SetCell(int col, int row, const QString &texte);
    // Fills a whole row at once (faster than cell by cell): cell i takes
    // cellules[i]; missing cells become empty, extra ones are dropped. Row 0
    // sets the titles. Ignored outside 0..RowCount() - 1.
    void SetRow(int row, const QStringList &cellules);
    // The same, taking the cells of a list the caller no longer needs.
    void SetRow(int row, QStringList &&cellules);

    // Row value of rows 0..100,000, whatever the row count; 0 outside, and
    // writing outside is ignored. Values move with their rows in SortColumn
    // and are cleared only by Clear (or by writing 0).
    int GetRowData(int row) const;
    void SetRowData(int row, int valeur);

    int ColSortType(int col) const;
    void SetColSortType(int col, int sorte);
    // Title, width (set only when above 0) and sort kind of a column; ignored
    // for a column out of range. The column is never left narrower than its
    // title needs (LargeurTitre), whatever the width given.
    void SetColumn(int col, const QString &titre, int largeur, int sorte);
    // The width that shows a title whole in the header, in its font: the
    // text, the header's margins on both sides and room for the sort mark.
    // 0 for an empty title.
    int LargeurTitre(const QString &titre) const;
    // Width in pixels; 0 for a column out of range.
    int ColWidth(int col) const;

    // Sorts data rows 1..n on a column; the title row stays. Records the
    // column and the direction. Stable: equal keys keep their order. Cells
    // without a key sort last in both directions, in their previous order:
    // blank cells, dates without a year, texts that are not numbers. Keys:
    //  - text: French collation, letter case ignored, accents weighing only
    //    after the letters ("Emile" < "Émile" < "Eric"); digits compare as
    //    characters ("a10" < "a9");
    //  - date: DateKey of the first date (qualifiers do not count, a partial
    //    date sorts before the full dates of its year or month);
    //  - number: an optional sign, digits and one decimal separator, "," or
    //    "." ("-1,5" and "-1.5" are equal), blanks around allowed.
    // The progress, when given, gets the row count as maximum and positions
    // while the keys are computed. Does nothing for a column out of range.
    // Selected rows stay selected where they move.
    void SortColumn(int col, bool ascendant, TProgression *progression = nullptr);
    // The sorted column (-1 for none) and the direction of the last sort
    // (ascending before any sort). The report window reads them to sort the
    // other way on the next title click.
    int SortedColumn() const { return m_colonneTriee; }
    bool SortAscending() const { return m_ascendant; }
    // Marks no column as sorted; the direction of the last sort is kept.
    void ResetSort();

    // The data row of the selection (whole rows, one at a time), 0 when no
    // data row is selected. SelectRow selects data row `row` and scrolls to
    // it; 0 or a row out of range clears the selection. Sorting moves rows,
    // so a row number is only valid until the next SortColumn.
    int SelectedRow() const;
    void SelectRow(int row);
    // Column indexes in the order the user sees them (the user may drag
    // columns; Cell() always addresses the column by its own index).
    std::vector<int> VisualColumns() const;

    // Clears everything: titles only (RowCount 1), no columns, no row
    // values, no sort (column -1, ascending).
    void Clear();

signals:
    // A click on the title of a column (the report window sorts on it).
    void TitleClicked(int col);
    // A click on a cell of a data row (row 1..n).
    void RowClicked(int row);

private:
    int m_colonneTriee = -1;
    bool m_ascendant = true;
    struct Donnees;
    Donnees *m_d;
};
