#pragma once

#include <QTableView>
#include <QStringList>

#include <vector>

class QSortFilterProxyModel;
class QStandardItemModel;
class TProgression;

// The sortable string grid of the report window and of the lists: a table of
// texts with a title row (the header), a 32-bit row value per data row, a sort
// kind per column (0 text, 1 date, 2 number). Built as a model, a sort proxy
// and a view: sort keys are computed once per fill (a date to an integer, a
// number to a number, a text through a French collator), the comparator never
// parses text.
//
// Rows and columns are 0-based; row 0 is the title row, data rows are 1..n
// (the view shows the titles in its header). Row values exist for rows 0 to
// 100,000; outside they read 0.
class TBKStringGrid final : public QTableView
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TBKStringGrid)

public:
    explicit TBKStringGrid(QWidget *parent = nullptr);
    ~TBKStringGrid() override;

    // Size of the table, title row included (RowCount 1 = titles only).
    int ColCount() const;
    int RowCount() const;
    void SetColCount(int n);
    void SetRowCount(int n);

    // Cell text; row 0 is the title row. Out of range: empty / ignored.
    QString Cell(int col, int row) const;
    void SetCell(int col, int row, const QString &texte);
    // Fills a whole data row at once (faster than cell by cell).
    void SetRow(int row, const QStringList &cellules);

    int GetRowData(int row) const;
    void SetRowData(int row, int valeur);

    int ColSortType(int col) const;
    void SetColSortType(int col, int sorte);
    // Title, width (set only when above 0) and sort kind of a column.
    void SetColumn(int col, const QString &titre, int largeur, int sorte);
    int ColWidth(int col) const;

    // Sorts data rows 1..n on a column; the title row stays. Records the
    // column and the direction. Stable: equal keys keep their order; empty
    // cells sort last in both directions.
    void SortColumn(int col, bool ascendant, TProgression *progression = nullptr);
    // The sorted column (-1 for none) and direction; the report window reads
    // and resets them.
    int SortedColumn() const { return m_colonneTriee; }
    bool SortAscending() const { return m_ascendant; }
    void ResetSort();

    // The data row shown at a visual row, and back (rows are moved by sorts,
    // columns by the user: Cell() always addresses the logical cell).
    int SelectedRow() const;
    void SelectRow(int row);
    // Column indexes in the order the user sees them (moved columns).
    std::vector<int> VisualColumns() const;

    // Clears everything: no rows, no columns, no sort.
    void Clear();

signals:
    // A click on the title of a column (the report window sorts on it).
    void TitleClicked(int col);
    // A click on a cell of a data row.
    void RowClicked(int row);

private:
    // Implementation defined in the .cpp.
    int m_colonneTriee = -1;
    bool m_ascendant = true;
    struct Donnees;
    Donnees *m_d;
};
