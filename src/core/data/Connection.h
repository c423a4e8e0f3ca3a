#pragma once

#include "data/Recordset.h"

#include <QString>
#include <QVariant>

struct sqlite3;

// One open connection to a database file, closed when it goes out of scope. Foreign keys are
// switched on before anything else runs, and the money formatting function FormatMoney is
// registered, so statements may write FormatMoney(PurchasePriceAM, '$#,##0.00').
// A connection waits for another program's write to finish (the busy timeout) before it reports
// the database as in use.
class Connection {
public:
    static constexpr int DefaultBusyTimeoutMs = 10000;

    enum class OpenMode {
        ReadWrite, // the file must exist
        ReadOnly,  // the file must exist and is never written
        Create     // the file must not exist yet and is created
    };

    // Opens the file named by a connection string of the form "Provider=...;Data Source=...;".
    // A file that is not a regular file, or that the user may not read, is refused before the
    // engine opens it.
    explicit Connection(const QString& connString, OpenMode mode = OpenMode::ReadWrite);
    static Connection openFile(const QString& path, OpenMode mode = OpenMode::ReadWrite);
    ~Connection();
    Connection(Connection&& other) noexcept;
    Connection& operator=(Connection&&) = delete;
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Runs one statement with its parameters bound.
    void execute(const QString& sql, const QVariantList& params = {});
    // Runs one statement and returns every row it produces.
    Recordset query(const QString& sql, const QVariantList& params = {});
    // The first column of the first row, or Null when there is no row.
    QVariant scalar(const QString& sql, const QVariantList& params = {});
    // Runs several statements without parameters (schema scripts).
    void executeScript(const QString& sql);

    // A file being built under a temporary name needs no crash safety of its own: a crash
    // leaves it unpublished and it is discarded, and it is synced once before it is renamed
    // into place. Connections to a file marked here skip the journal and the syncs.
    static void setScratchFile(const QString& path, bool scratch);

    // How long every connection opened from now on waits for another program's lock.
    static void setBusyTimeout(int milliseconds);

    qint64 lastInsertId() const;
    QString path() const { return m_path; }
    sqlite3* handle() const { return m_db; }

private:
    struct FileTag {};
    Connection(FileTag, const QString& path, OpenMode mode);
    void open(OpenMode mode);

    sqlite3* m_db = nullptr;
    QString m_path;
};

// Keeps a series of statements together: they all take effect, or (when the guard goes out of
// scope without commit(), for instance through an exception) none does.
class Transaction {
public:
    explicit Transaction(Connection& connection);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit();

private:
    Connection& m_connection;
    bool m_done = false;
};
