#pragma once

#include <QString>
#include <stdexcept>

struct sqlite3;

// The one exception type of the data layer. It carries the database engine's own message (or,
// for failures outside the engine, a message saying what went wrong) so that a window can show
// it to the user as it stands.
class DbError : public std::runtime_error {
public:
    explicit DbError(const QString& message, int engineCode = 0);

    // The last error of a connection. A database that another program keeps locked beyond the
    // busy timeout is reported as being in use, because "database is locked" alone reads like
    // a fault of the file.
    static DbError fromEngine(sqlite3* db);

    QString message() const { return m_message; }
    // The engine's extended result code, or 0 when the failure did not come from the engine.
    int engineCode() const { return m_engineCode; }
    // The primary result code (SQLITE_BUSY for every kind of busy), or 0.
    int primaryCode() const { return m_engineCode & 0xff; }

private:
    QString m_message;
    int m_engineCode;
};
