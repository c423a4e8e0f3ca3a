#include "data/DbError.h"

#include <sqlite3.h>

DbError::DbError(const QString& message, int engineCode)
    : std::runtime_error(message.toStdString())
    , m_message(message)
    , m_engineCode(engineCode) {}

DbError DbError::fromEngine(sqlite3* db) {
    const int code = sqlite3_extended_errcode(db);
    const QString engineMessage = QString::fromUtf8(sqlite3_errmsg(db));
    const int primary = code & 0xff;
    if (primary == SQLITE_BUSY || primary == SQLITE_LOCKED)
        return DbError(
            QStringLiteral("The database is in use by another program (%1).").arg(engineMessage),
            code);
    return DbError(engineMessage, code);
}
