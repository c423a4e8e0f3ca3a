#include "data/TableCopy.h"

#include "data/Connection.h"
#include "data/DbError.h"
#include "data/Schema.h"
#include "data/SqlFragment.h"

#include <sqlite3.h>

namespace {

// "SELECT a, b FROM t" and "INSERT INTO t (a, b) VALUES (?, ?)" over the destination's columns.
QString selectText(const QStringList& columns, const QString& table) {
    QStringList names;
    for (const QString& name : columns)
        names.append(SqlFragment::quoteIdentifier(name));
    return QStringLiteral("SELECT %1 FROM %2")
        .arg(names.join(QStringLiteral(", ")), SqlFragment::quoteIdentifier(table));
}

QString insertText(const QStringList& columns, const QString& table) {
    QStringList names;
    QStringList placeholders;
    for (const QString& name : columns) {
        names.append(SqlFragment::quoteIdentifier(name));
        placeholders.append(QStringLiteral("?"));
    }
    return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
        .arg(SqlFragment::quoteIdentifier(table), names.join(QStringLiteral(", ")),
             placeholders.join(QStringLiteral(", ")));
}

} // namespace

TableCopy::TableCopy(Connection& destination, Connection& source, const QString& table)
    : m_columns(matchingColumns(destination, source, table))
    , m_select(source.handle(), selectText(m_columns, table), Statement::BindLater{})
    , m_insert(destination.handle(), insertText(m_columns, table), Statement::BindLater{}) {
    const QStringList memo = Schema::memoColumns(table);
    for (const QString& name : std::as_const(m_columns))
        m_isMemo.append(memo.contains(name));
}

QStringList TableCopy::matchingColumns(Connection& destination, Connection& source,
                                       const QString& table) {
    const QStringList wanted = columnNames(destination, table);
    const QStringList found = columnNames(source, table);
    for (int i = 0; i < wanted.size(); ++i) {
        if (found.size() != wanted.size() || found[i].compare(wanted[i], Qt::CaseInsensitive) != 0)
            throw DbError(QStringLiteral("The table %1 of '%2' does not have the columns of a "
                                         "Domivo database (column %3 should be %4).")
                              .arg(table, source.path(), QString::number(i + 1), wanted[i]));
    }
    return wanted;
}

QStringList TableCopy::columnNames(Connection& connection, const QString& table) {
    const Recordset rows = connection.query(
        QStringLiteral("SELECT name FROM pragma_table_info(?) ORDER BY cid"), {table});
    QStringList names;
    for (int i = 0; i < rows.rowCount(); ++i)
        names.append(rows.value(i, 0).toString());
    return names;
}

QStringList TableCopy::tablesToCopy(Connection& source) {
    QStringList tables;
    for (const QString& table : Schema::copyOrder()) {
        if (!Schema::isOptional(table) || !columnNames(source, table).isEmpty())
            tables.append(table);
    }
    return tables;
}

bool TableCopy::copyRows(qint64 maxRows, qint64 maxBytes) {
    sqlite3_stmt* rows = m_select.handle();
    sqlite3_stmt* insert = m_insert.handle();
    const int count = int(m_isMemo.size());
    qint64 bytes = 0;
    for (qint64 n = 0;
         !m_done && (maxRows <= 0 || n < maxRows) && (maxBytes <= 0 || bytes < maxBytes); ++n) {
        qint64 rowBytes = 0;
        const int rc = sqlite3_step(rows);
        if (rc == SQLITE_DONE) {
            m_done = true;
            break;
        }
        if (rc != SQLITE_ROW)
            throw DbError::fromEngine(sqlite3_db_handle(rows));
        sqlite3_reset(insert);
        for (int i = 0; i < count; ++i) {
            const int type = sqlite3_column_type(rows, i);
            if (type == SQLITE_BLOB || type == SQLITE_TEXT)
                rowBytes += sqlite3_column_bytes(rows, i);
            sqlite3_value* value = sqlite3_column_value(rows, i);
            if (m_isMemo[i] && sqlite3_value_type(value) == SQLITE_NULL)
                sqlite3_bind_text(insert, i + 1, "", 0, SQLITE_STATIC);
            else
                sqlite3_bind_value(insert, i + 1, value);
        }
        m_insert.run();
        ++m_copied;
        m_bytes += rowBytes;
        bytes += rowBytes;
    }
    return m_done;
}
