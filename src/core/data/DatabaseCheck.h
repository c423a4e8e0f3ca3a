#pragma once

#include <QString>
#include <QStringList>

class Connection;
class DbError;

// What examining a database file found, and why. Only NotOurs says that the file is not a
// Domivo database; it is the one verdict after which replacing the file may be offered. Every
// other failure names a cause (the file is in use, may not be read, is damaged, ...) for which
// the file must be left exactly as it is.
//
// The file is opened for writing, so that a journal left by a write that was interrupted (the
// program killed, the power lost) is rolled back as the engine intends: a file in that state is
// a valid database, not an invalid one.
class DatabaseCheck {
public:
    enum class Verdict {
        Valid,         // a Domivo database (or backup file), as far as the examination went
        Missing,       // nothing has that name
        NotAFile,      // a folder, a FIFO, a device
        NoAccess,      // the user may not read the file
        InUse,         // another program keeps it locked beyond the busy timeout
        NeedsRecovery, // an interrupted write that cannot be rolled back here (read-only file)
        Unreadable,    // any other failure to read it (I/O error, out of memory, ...)
        NotOurs,       // not an SQLite database, or without the tables and columns of ours
        Incomplete,    // ours, but without the starting rows every database gets
        Damaged,       // ours, but the engine finds its pages or its relations broken
    };
    enum class Depth {
        Structure, // the tables and their columns: quick enough for every start
        Contents,  // also the file's size, PRAGMA quick_check and the starting rows
        Full,      // also PRAGMA integrity_check and PRAGMA foreign_key_check
    };
    enum class Kind { Database, Backup };

    static DatabaseCheck examine(const QString& path, Depth depth = Depth::Structure,
                                 Kind kind = Kind::Database);

    Verdict verdict() const { return m_verdict; }
    bool isValid() const { return m_verdict == Verdict::Valid; }
    // One sentence naming the file and what is wrong with it; "" when valid.
    QString message() const { return m_message; }
    // What each step of the examination found, one line each ("quick_check: ok").
    const QStringList& findings() const { return m_findings; }
    // A short name of the verdict for listings ("valid", "in use", "damaged", ...).
    QString verdictName() const;

private:
    DatabaseCheck(const QString& path, Kind kind)
        : m_path(path)
        , m_kind(kind) {}
    bool checkFile();
    void checkStructure(Connection& connection);
    void checkContents(Connection& connection);
    void checkFully(Connection& connection);
    void fail(Verdict verdict, const QString& reason);
    void failFrom(const DbError& error);

    QString m_path;
    Kind m_kind;
    Verdict m_verdict = Verdict::Valid;
    QString m_message;
    QStringList m_findings;
};
