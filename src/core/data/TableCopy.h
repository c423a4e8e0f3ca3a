#pragma once

#include "data/Statement.h"

#include <QString>
#include <QStringList>
#include <QVector>

class Connection;

// Copies the rows of one table from a database into the same table of a database this program
// built, a few rows at a time, so that copying a large table can be spread over many short
// steps. The columns are named as the destination has them: a name read from the source file
// never becomes part of a statement, and a source whose columns are named otherwise is refused.
// Values go across exactly as stored (identifiers included), except that a Null long text
// arrives as the empty text.
//
// Both connections must outlive the copy; the source's rows are read from one statement, so a
// caller that wants every table read from the same state of the source keeps a read
// transaction open on it.
class TableCopy {
public:
    TableCopy(Connection& destination, Connection& source, const QString& table);

    // Copies up to maxRows more rows (every remaining row when maxRows is 0 or less), and
    // stops early after the row with which the bytes copied by this call reach maxBytes (when
    // above 0), since a row may hold a large file. Returns true once the last row is copied.
    // Throws DbError.
    bool copyRows(qint64 maxRows = 0, qint64 maxBytes = 0);
    qint64 rowsCopied() const { return m_copied; }
    // The bytes of text and blob values copied so far.
    qint64 bytesCopied() const { return m_bytes; }

    // The tables of Schema::copyOrder() that a copy reads from the source: every required
    // table, and an optional one only when the source has it (a file from before it existed;
    // its copy gets the table empty).
    static QStringList tablesToCopy(Connection& source);
    // The table's columns in their order; none when there is no such table.
    static QStringList columnNames(Connection& connection, const QString& table);
    // The destination's columns of the table, once the source's table is found to have the
    // same names in the same order; DbError naming the first that differs otherwise.
    static QStringList matchingColumns(Connection& destination, Connection& source,
                                       const QString& table);

private:
    QStringList m_columns;
    QVector<bool> m_isMemo;
    Statement m_select;
    Statement m_insert;
    qint64 m_copied = 0;
    qint64 m_bytes = 0;
    bool m_done = false;
};
