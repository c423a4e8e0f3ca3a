#pragma once

#include "data/Recordset.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <functional>
#include <memory>
#include <vector>

class RowCursor;

// The rows a grid shows, each value held once in its typed form: a number, an amount, a flag, a
// date or a text. The values of a column are kept side by side (a kind and a 64-bit payload per
// value, the texts in one buffer per column), which takes a fraction of the memory of a
// QVariant and a QString per value and reads back quickly. The text a value is shown as is made
// when it is asked for: Null as "", an amount as its plain decimal or, in a column given a
// money pattern, as money ("$1,234.50"), a flag as "True" or "False", a date in the short form.
//
// Sorting follows the grids' rule: a column is sorted as numbers when every value in it is a
// number or an amount (or a text that reads as one), as dates when it holds dates (or every text
// in it reads as a date; texts that name no date then sort after the dates, by their text), and
// as text otherwise, without regard to letter case; empty values come first. The sort is
// stable: rows that compare equal keep the order they had.
class GridRows {
public:
    GridRows();
    ~GridRows();
    GridRows(GridRows&&) noexcept;
    GridRows& operator=(GridRows&&) noexcept;
    GridRows(const GridRows&) = delete;
    GridRows& operator=(const GridRows&) = delete;

    // The columns of a recordset and its rows.
    static GridRows fromRecordset(const Recordset& recordset);
    // The cursor's columns (with their money patterns), without rows yet.
    static GridRows forCursor(const RowCursor& cursor);
    // Reads the cursor's next rows (all of them when maxRows is 0) and returns how many came.
    qint64 readRows(RowCursor& cursor, qint64 maxRows = 0);
    // The values of the column, as read from a cursor, are stored as `adapt` makes them (a
    // collection's field shown by its kind). Set before reading.
    using Adapter = std::function<QVariant(const QVariant&)>;
    void setAdapter(int column, Adapter adapt);

    int rowCount() const;
    int columnCount() const { return int(m_headers.size()); }
    const QStringList& headers() const { return m_headers; }

    // In the order shown. Null is an invalid QVariant; an out-of-range row or column gives one.
    QVariant value(int row, int column) const;
    QString text(int row, int column) const;
    // Appends the text of a value to `out` (a listing builds its lines this way).
    void appendText(int row, int column, QString& out) const;

    // Amounts in the column are shown with the pattern ("$#,##0.00"; "" for the plain
    // decimal).
    void setMoneyPattern(int column, const QString& pattern);

    // Where each row goes when the rows are put in the order of the column's values, keeping
    // the order of equal ones: for each row, the position it moves to. An empty list when every
    // row stays where it is.
    QVector<int> sortPositions(int column, Qt::SortOrder order) const;
    // Moves the rows to the positions sortPositions gave.
    void reorder(const QVector<int>& positions);
    // Both of the above.
    void sort(int column, Qt::SortOrder order) { reorder(sortPositions(column, order)); }

private:
    class Column;

    void appendRecord(const QVariantList& values);
    // The storage row shown at position `row`.
    qsizetype stored(int row) const { return qsizetype(m_order[size_t(row)]); }

    QStringList m_headers;
    std::vector<std::unique_ptr<Column>> m_columns;
    // The stored rows in the order shown.
    std::vector<quint32> m_order;
};
