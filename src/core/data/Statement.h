#pragma once

#include <QString>
#include <QVariant>

struct sqlite3;
struct sqlite3_stmt;
class Recordset;

// One prepared statement with its parameters bound, finalised when it goes out of scope.
// Values bind by their kind: Null, bool as 0/1, Currency as its ten-thousandths, QDate and
// QDateTime in their ISO storage form, integers, doubles and text as themselves, QByteArray as
// a blob.
class Statement {
public:
    Statement(sqlite3* db, const QString& sql, const QVariantList& params = {});
    // Prepares a statement whose parameters the caller binds itself through handle().
    struct BindLater {};
    Statement(sqlite3* db, const QString& sql, BindLater);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Runs the statement to its end, discarding any rows.
    void run();
    // Runs the statement and keeps every row it returns.
    Recordset fetchAll();

    sqlite3_stmt* handle() const { return m_stmt; }
    // Steps once; true while a row is available (read it through handle()).
    bool step();

private:
    void prepare();
    void bind(int position, const QVariant& value);
    [[noreturn]] void fail() const;

    sqlite3* m_db;
    sqlite3_stmt* m_stmt = nullptr;
    QString m_sql;
};
