#pragma once

#include "data/GridRows.h"
#include "data/Recordset.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QStringList>

class RowCursor;

// The rows of a grid, held once in their typed form (GridRows: numbers, amounts, dates and
// texts; the text a value is shown as is made when the view asks for it). Column 0 is the row's
// key (the item text); the other columns are its sub-items. Sorting compares numbers, amounts
// and dates by value and text without regard to case (GridRows has the rule).
class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit GridModel(QObject* parent = nullptr);

    // Replaces the headers (the recordset's column names) and the rows.
    void setRecordset(const Recordset& recordset);
    // Replaces the headers and the rows with the cursor's, read to its end. The rows shown
    // before are let go once the statement has given its first row, before the others are
    // read, so that a refill never holds both; an error before that leaves them as they were.
    void fill(RowCursor& cursor);
    // Replaces the headers and the rows with rows read already (elsewhere, or earlier).
    void setRows(GridRows rows);
    // Removes every row and every column header.
    void clear();

    QString text(int row, int column) const;
    QVariant value(int row, int column) const;
    QStringList headers() const { return m_rows.headers(); }

    void setColumnAlignment(int column, Qt::Alignment alignment);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    // Stable: rows that compare equal keep their order.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    GridRows m_rows;
    // The sort the rows are in (a second sort by the same key and order would change nothing);
    // -1 for the order they came in.
    int m_sortedColumn = -1;
    Qt::SortOrder m_sortedOrder = Qt::AscendingOrder;
    QHash<int, Qt::Alignment> m_alignment;
};
