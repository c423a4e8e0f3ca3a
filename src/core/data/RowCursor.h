#pragma once

#include "data/ColumnValue.h"
#include "data/Connection.h"

#include <QString>
#include <QVariantList>
#include <QVector>
#include <memory>

class Statement;

// The rows of one statement read one at a time, for results too large to hold at once (an
// export of every item of a large household). The cursor keeps its own connection open until
// it is destroyed, so it is meant for one operation that reads to the end or gives up.
class RowCursor {
public:
    struct Column {
        QString name;         // the alias the statement gives it
        QString declaredType; // as the table declares it ("TEXT(50)", "CURRENCY"); "" when computed
        ColumnValue::Kind kind = ColumnValue::Kind::Unknown;
        // False only for a value taken straight from a NOT NULL column of a table.
        bool nullable = true;
        // How the column's amounts are shown ("$#,##0.00"); "" for the plain decimal. The
        // values stay amounts (Currency); only their text follows the pattern.
        QString moneyPattern = {};
    };

    RowCursor(Connection connection, const QString& sql, const QVariantList& params = {});
    ~RowCursor();
    // Moving keeps the statement on the same open connection.
    RowCursor(RowCursor&&) noexcept;
    RowCursor(const RowCursor&) = delete;
    RowCursor& operator=(const RowCursor&) = delete;

    const QVector<Column>& columns() const { return m_columns; }
    // The amounts of a column are shown with the pattern wherever the rows are shown as text.
    void setMoneyPattern(int column, const QString& pattern);
    // The database file the rows come from.
    QString databasePath() const { return m_connection.path(); }
    // How many rows the statement gives, counted by the engine without handing them over.
    qint64 countRows();
    // Moves to the next row; false after the last one.
    bool next();
    // The current row, typed as in a Recordset (Null is an invalid QVariant).
    const QVariantList& row() const { return m_row; }
    // A value of the current row by its column's name (letter case aside); throws DbError when
    // the statement has no such column.
    const QVariant& value(const QString& column) const;
    // The same for a name the program spells out, without making a QString of it per row.
    const QVariant& value(QLatin1String column) const;
    // The position in row() of the column of that name, for a caller that reads it in every
    // row; throws DbError when the statement has no such column.
    qsizetype columnIndex(QLatin1String column) const;

private:
    // GridRows reads the values of each row straight from the statement, in a form of its own.
    friend class GridRows;

    void describeColumns();
    // Steps to the next row without reading it; false after the last one.
    bool advance();

    // Declared before the statement, so that the statement is finalised first.
    Connection m_connection;
    QString m_sql;
    QVariantList m_params;
    std::unique_ptr<Statement> m_statement;
    QVector<Column> m_columns;
    QVariantList m_row;
    bool m_finished = false;
};
