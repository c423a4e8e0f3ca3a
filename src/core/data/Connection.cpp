#include "data/Connection.h"

#include "data/ConnectionString.h"
#include "data/DbError.h"
#include "data/Statement.h"
#include "types/Currency.h"

#include <QFileInfo>
#include <sqlite3.h>

namespace {

// FormatMoney(amount, pattern): the stored amount (ten-thousandths) as text in one of the
// application's money patterns; Null stays Null.
void formatMoney(sqlite3_context* context, int argc, sqlite3_value** argv) {
    if (argc != 2 || sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    Currency amount;
    if (sqlite3_value_type(argv[0]) == SQLITE_INTEGER)
        amount = Currency::fromUnits(sqlite3_value_int64(argv[0]));
    else
        amount = Currency::fromUnits(qint64(sqlite3_value_double(argv[0])));
    const auto* pattern = reinterpret_cast<const char*>(sqlite3_value_text(argv[1]));
    const QByteArray text = amount.format(QString::fromUtf8(pattern)).toUtf8();
    sqlite3_result_text(context, text.constData(), int(text.size()), SQLITE_TRANSIENT);
}

} // namespace

Connection::Connection(const QString& connString, OpenMode mode)
    : Connection(FileTag{}, ConnectionString::dataSource(connString), mode) {}

Connection::Connection(FileTag, const QString& path, OpenMode mode)
    : m_path(path) {
    open(mode);
}

Connection Connection::openFile(const QString& path, OpenMode mode) {
    return Connection(FileTag{}, path, mode);
}

void Connection::open(OpenMode mode) {
    if (m_path.isEmpty())
        throw DbError(QStringLiteral("No database file is named."));
    const bool exists = QFileInfo::exists(m_path);
    if (mode == OpenMode::Create && exists)
        throw DbError(QStringLiteral("Database '%1' already exists.").arg(m_path));
    if (mode != OpenMode::Create && !exists)
        throw DbError(QStringLiteral("Could not find file '%1'.").arg(m_path));

    int flags = 0;
    switch (mode) {
    case OpenMode::ReadWrite:
        flags = SQLITE_OPEN_READWRITE;
        break;
    case OpenMode::ReadOnly:
        flags = SQLITE_OPEN_READONLY;
        break;
    case OpenMode::Create:
        flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
        break;
    }
    const QByteArray file = m_path.toUtf8();
    const int rc = sqlite3_open_v2(file.constData(), &m_db, flags | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        const QString message =
            m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_close(m_db);
        m_db = nullptr;
        throw DbError(message, rc);
    }
    sqlite3_extended_result_codes(m_db, 1);
    sqlite3_busy_timeout(m_db, 2000);
    sqlite3_create_function_v2(m_db, "FormatMoney", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                               formatMoney, nullptr, nullptr, nullptr);
    try {
        execute(QStringLiteral("PRAGMA foreign_keys = ON"));
    } catch (...) {
        sqlite3_close(m_db);
        m_db = nullptr;
        throw;
    }
}

Connection::~Connection() {
    if (m_db)
        sqlite3_close_v2(m_db);
}

Connection::Connection(Connection&& other) noexcept
    : m_db(other.m_db)
    , m_path(std::move(other.m_path)) {
    other.m_db = nullptr;
}

void Connection::execute(const QString& sql, const QVariantList& params) {
    Statement(m_db, sql, params).run();
}

Recordset Connection::query(const QString& sql, const QVariantList& params) {
    return Statement(m_db, sql, params).fetchAll();
}

QVariant Connection::scalar(const QString& sql, const QVariantList& params) {
    const Recordset rows = query(sql, params);
    if (rows.isEmpty() || rows.columnCount() == 0)
        return {};
    return rows.value(0, 0);
}

void Connection::executeScript(const QString& sql) {
    char* error = nullptr;
    const QByteArray text = sql.toUtf8();
    if (sqlite3_exec(m_db, text.constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        const QString message = QString::fromUtf8(error ? error : sqlite3_errmsg(m_db));
        sqlite3_free(error);
        throw DbError(message, sqlite3_extended_errcode(m_db));
    }
}

qint64 Connection::lastInsertId() const {
    return sqlite3_last_insert_rowid(m_db);
}

Transaction::Transaction(Connection& connection)
    : m_connection(connection) {
    m_connection.execute(QStringLiteral("BEGIN IMMEDIATE"));
}

Transaction::~Transaction() {
    if (!m_done) {
        try {
            m_connection.execute(QStringLiteral("ROLLBACK"));
        } catch (const DbError&) {
            // The engine has already rolled back (for instance after a disk error).
        }
    }
}

void Transaction::commit() {
    m_connection.execute(QStringLiteral("COMMIT"));
    m_done = true;
}
