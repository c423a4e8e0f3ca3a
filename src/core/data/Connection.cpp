#include "data/Connection.h"

#include "data/ConnectionString.h"
#include "data/DbError.h"
#include "data/Statement.h"
#include "types/Currency.h"

#include <QFile>
#include <QSet>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Long enough for an ordinary write of another program to finish.
int busyTimeout = Connection::DefaultBusyTimeoutMs;

// The engine keeps a count of the memory it holds, under a lock taken on every allocation;
// nothing here reads that count, and a rebuild of a large file spends a twentieth of its time on
// it. The setting takes effect only before the engine's first use (later calls change nothing).
void leaveMemoryUncounted() {
    static const bool configured = sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0) == SQLITE_OK;
    Q_UNUSED(configured);
}

QSet<QString>& scratchFiles() {
    static QSet<QString> files;
    return files;
}

// FormatMoney(amount, pattern): the stored amount (ten-thousandths) as text in one of the
// application's money patterns; Null stays Null.
void formatMoney(sqlite3_context* context, int argc, sqlite3_value** argv) {
    if (argc != 2 || sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    std::optional<Currency> amount;
    if (sqlite3_value_type(argv[0]) == SQLITE_INTEGER)
        amount = Currency::fromUnits(sqlite3_value_int64(argv[0]));
    else if (sqlite3_value_type(argv[0]) == SQLITE_FLOAT)
        amount = Currency::fromRealUnits(sqlite3_value_double(argv[0]));
    if (!amount) {
        // Not an amount the program could have written (text, or a number beyond the range of
        // amounts): it is shown as it is stored rather than as some other amount.
        sqlite3_result_value(context, argv[0]);
        return;
    }
    const auto* pattern = reinterpret_cast<const char*>(sqlite3_value_text(argv[1]));
    const int patternBytes = sqlite3_value_bytes(argv[1]);
    // The application's patterns are ASCII, read as they are; anything else through Qt.
    if (std::all_of(pattern, pattern + patternBytes, [](char c) { return uchar(c) < 0x80; })) {
        char buffer[Currency::FormattedSize];
        const QByteArrayView text =
            amount->format(QLatin1StringView(pattern, patternBytes), buffer);
        sqlite3_result_text(context, text.data(), int(text.size()), SQLITE_TRANSIENT);
        return;
    }
    const QByteArray text = amount->format(QString::fromUtf8(pattern, patternBytes)).toUtf8();
    sqlite3_result_text(context, text.constData(), int(text.size()), SQLITE_TRANSIENT);
}

// Refuses, before the engine sees it, a name that is not a regular file the user may read: the
// engine would wait forever on a FIFO and report a directory or a permission problem as a
// failure to open without saying which.
void checkExistingFile(const QString& path) {
    struct stat info {};
    const QByteArray name = QFile::encodeName(path);
    if (::stat(name.constData(), &info) != 0)
        throw DbError(QStringLiteral("Could not find file '%1'.").arg(path));
    if (!S_ISREG(info.st_mode))
        throw DbError(QStringLiteral("'%1' is not a regular file.").arg(path), SQLITE_CANTOPEN);
    if (::access(name.constData(), R_OK) != 0 && errno == EACCES)
        throw DbError(QStringLiteral("Permission denied: '%1' cannot be read.").arg(path),
                      SQLITE_PERM);
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
    if (mode == OpenMode::Create) {
        struct stat info {};
        if (::lstat(QFile::encodeName(m_path).constData(), &info) == 0)
            throw DbError(QStringLiteral("Database '%1' already exists.").arg(m_path));
    } else {
        checkExistingFile(m_path);
    }

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
    leaveMemoryUncounted();
    const QByteArray file = m_path.toUtf8();
    const int rc = sqlite3_open_v2(file.constData(), &m_db, flags | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        QString message =
            m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString::fromUtf8(sqlite3_errstr(rc));
        const int systemError = m_db ? sqlite3_system_errno(m_db) : 0;
        if (systemError != 0)
            message += QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(systemError));
        const int code = m_db ? sqlite3_extended_errcode(m_db) : rc;
        sqlite3_close(m_db);
        m_db = nullptr;
        throw DbError(message, code);
    }
    sqlite3_extended_result_codes(m_db, 1);
    // A double-quoted name that matches no column must be an error, not silently the text
    // between the quotes (the engine's historical leniency).
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_busy_timeout(m_db, busyTimeout);
    sqlite3_create_function_v2(m_db, "FormatMoney", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                               formatMoney, nullptr, nullptr, nullptr);
    try {
        execute(QStringLiteral("PRAGMA foreign_keys = ON"));
        if (scratchFiles().contains(m_path)) {
            execute(QStringLiteral("PRAGMA journal_mode = MEMORY"));
            execute(QStringLiteral("PRAGMA synchronous = OFF"));
        }
    } catch (...) {
        sqlite3_close(m_db);
        m_db = nullptr;
        throw;
    }
}

void Connection::setScratchFile(const QString& path, bool scratch) {
    if (scratch)
        scratchFiles().insert(path);
    else
        scratchFiles().remove(path);
}

void Connection::setBusyTimeout(int milliseconds) {
    busyTimeout = milliseconds;
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
        sqlite3_free(error);
        throw DbError::fromEngine(m_db);
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
