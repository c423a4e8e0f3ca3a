#include "data/RowCursor.h"

#include "data/DbError.h"
#include "data/Statement.h"

#include <sqlite3.h>

RowCursor::RowCursor(Connection connection, const QString& sql, const QVariantList& params)
    : m_connection(std::move(connection))
    , m_sql(sql)
    , m_params(params)
    , m_statement(std::make_unique<Statement>(m_connection.handle(), sql, params)) {
    describeColumns();
}

RowCursor::~RowCursor() = default;
RowCursor::RowCursor(RowCursor&&) noexcept = default;

void RowCursor::describeColumns() {
    sqlite3_stmt* stmt = m_statement->handle();
    const int count = sqlite3_column_count(stmt);
    m_columns.reserve(count);
    for (int i = 0; i < count; ++i) {
        Column column;
        column.name = QString::fromUtf8(sqlite3_column_name(stmt, i));
        const char* declared = sqlite3_column_decltype(stmt, i);
        column.declaredType = QString::fromUtf8(declared);
        column.kind = ColumnValue::kindOfDeclaredType(declared);
        // The engine traces a result column back to its table column, through subqueries too;
        // a computed column has no origin and may always be Null.
        const char* table = sqlite3_column_table_name(stmt, i);
        const char* origin = sqlite3_column_origin_name(stmt, i);
        int notNull = 0;
        if (table && origin &&
            sqlite3_table_column_metadata(
                m_connection.handle(), sqlite3_column_database_name(stmt, i), table, origin,
                nullptr, nullptr, &notNull, nullptr, nullptr) == SQLITE_OK)
            column.nullable = notNull == 0;
        m_columns.append(column);
    }
}

qint64 RowCursor::countRows() {
    return m_connection.scalar(QStringLiteral("SELECT count(*) FROM (%1)").arg(m_sql), m_params)
        .toLongLong();
}

void RowCursor::setMoneyPattern(int column, const QString& pattern) {
    if (column >= 0 && column < m_columns.size())
        m_columns[column].moneyPattern = pattern;
}

bool RowCursor::advance() {
    // Stepping a finished statement would run it again from the start.
    if (m_finished || !m_statement->step()) {
        m_finished = true;
        return false;
    }
    return true;
}

bool RowCursor::next() {
    if (!advance()) {
        m_row.clear();
        return false;
    }
    sqlite3_stmt* stmt = m_statement->handle();
    m_row.clear();
    m_row.reserve(m_columns.size());
    for (int i = 0; i < m_columns.size(); ++i)
        m_row.append(ColumnValue::read(stmt, i, m_columns[i].kind));
    return true;
}

namespace {

// The column of that name: the name as the statement spells it is tried first, as callers
// nearly always use it, since comparing without letter case costs many times more.
template <typename Name>
qsizetype columnOf(const QVector<RowCursor::Column>& columns, Name column) {
    for (qsizetype i = 0; i < columns.size(); ++i)
        if (columns[i].name == column)
            return i;
    // Names of another length never match; skipping them cheaply matters, as a report asks
    // for its columns by name in every row.
    for (qsizetype i = 0; i < columns.size(); ++i) {
        const QString& name = columns[i].name;
        if (name.size() == column.size() && name.compare(column, Qt::CaseInsensitive) == 0)
            return i;
    }
    throw DbError(QStringLiteral("The result has no column named '%1'.").arg(column));
}

} // namespace

const QVariant& RowCursor::value(const QString& column) const {
    return m_row.at(columnOf(m_columns, column));
}

const QVariant& RowCursor::value(QLatin1String column) const {
    return m_row.at(columnOf(m_columns, column));
}

qsizetype RowCursor::columnIndex(QLatin1String column) const {
    return columnOf(m_columns, column);
}
