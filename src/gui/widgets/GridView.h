#pragma once

#include "widgets/GridModel.h"

#include <QHash>
#include <QList>
#include <QTreeView>

class Recordset;
class RowCursor;

// The grid of the tool windows: a list in report mode over a GridModel. Column 0 holds each
// row's key and is hidden; the other columns are the row's sub-items. A click on the header of
// the sort column flips the order; a click on another header makes that column the sort key and
// keeps the order. Once a sort key is set the rows stay sorted by it, also after a refill.
class GridView : public QTreeView {
    Q_OBJECT
public:
    explicit GridView(QWidget* parent = nullptr);

    GridModel* gridModel() const { return m_model; }

    // Rows and columns in the order shown.
    int rowCount() const;
    int columnCount() const;
    // The row's key (column 0), as the row's item text.
    QString itemText(int row) const;
    // Sub-item `index` (1 to columnCount() - 1) of the row.
    QString subItemText(int row, int index) const;
    QString text(int row, int column) const;
    // The column whose header caption is `caption` (without regard to case), or -1.
    int columnIndex(const QString& caption) const;

    // The selected row, or -1 when none is.
    int selectedRow() const;
    void selectRow(int row);
    void clearSelection();

    // -1 when the rows are kept in their recordset order.
    int sortKey() const { return m_sortKey; }
    Qt::SortOrder sortOrder() const { return m_sortOrder; }
    void setSortKey(int column);
    void setSortOrder(Qt::SortOrder order);
    // What a click on a column header does.
    void headerClicked(int column);

    // Column widths as fractions of the grid's inner width (0 hides nothing: column 0 stays
    // hidden whatever its fraction). The last column takes whatever width the others leave, so
    // that no strip of the grid stays empty. Applied again whenever the grid is resized; a new
    // list forgets the minimum widths given before.
    void setColumnWidthFractions(const QList<double>& fractions);
    // The column is never narrower than the sample text needs (the widest amount a price
    // column must show in full, for instance); the last column gives up the width it takes.
    void setColumnMinimumText(int column, const QString& sample);
    void setColumnAlignment(int column, Qt::Alignment alignment);

signals:
    // The selected row changed; -1 when the selection was cleared.
    void selectedRowChanged(int row);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void applySort();
    void applyColumnWidths();
    void modelWasReset();

    GridModel* m_model;
    int m_sortKey = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    QList<double> m_fractions;
    QHash<int, int> m_minimumWidths;
};

// Fills the grid from a recordset: column headers from the recordset's column names, one row
// per record, Null shown as "". Widths, alignment, sorting and selection are the caller's.
void FillListView(GridView* grid, const Recordset& recordset);
// The same from a cursor, read to its end as the rows are stored: the rows of a large table are
// never held twice.
void FillListView(GridView* grid, RowCursor& rows);
// The same from rows already read.
void FillListView(GridView* grid, GridRows rows);

// Puts the selected row on the clipboard: its item text, then a TAB and each sub-item. Does
// nothing when no row is selected.
void CopySelectedRow(GridView* grid);
// Puts every row on the clipboard, first to last as shown: item text and sub-items separated by
// TAB, each row ended by CR LF. Headers are not copied.
void CopyGrid(GridView* grid);
