#pragma once

#include <QStringList>
#include <QVariant>
#include <QVector>

// The materialised rows of one statement: the column names (the SELECT aliases) and the values,
// typed by each column's declared type: BOOLEAN as bool, CURRENCY as Currency, DATETIME as QDate
// or QDateTime, integers as qlonglong, text as QString. Null is an invalid QVariant.
class Recordset {
public:
    Recordset() = default;
    Recordset(QStringList columnNames, QVector<QVariantList> rows);

    int columnCount() const { return int(m_columns.size()); }
    const QStringList& columnNames() const { return m_columns; }
    QString columnName(int column) const { return m_columns.value(column); }
    // The position of a column, found without regard to letter case; -1 when there is none.
    int columnIndex(const QString& name) const;

    int rowCount() const { return int(m_rows.size()); }
    bool isEmpty() const { return m_rows.isEmpty(); }
    const QVariantList& row(int row) const { return m_rows.at(row); }
    const QVariant& value(int row, int column) const { return m_rows.at(row).at(column); }
    // Throws DbError when the recordset has no such column.
    const QVariant& value(int row, const QString& column) const;
    // The values of one column, top to bottom.
    QVariantList columnValues(const QString& column) const;

private:
    QStringList m_columns;
    QVector<QVariantList> m_rows;
};
