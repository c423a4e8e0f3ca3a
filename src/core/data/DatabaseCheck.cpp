#include "data/DatabaseCheck.h"

#include "data/Connection.h"
#include "data/DbError.h"
#include "data/Schema.h"
#include "records/colFieldType.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <cerrno>
#include <cstring>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The rows a PRAGMA check returned, one text each (its own line breaks made blanks, so that
// each finding stays one line); {"ok"} when it found nothing.
QStringList lines(const Recordset& rows) {
    QStringList texts;
    for (int row = 0; row < rows.rowCount(); ++row)
        texts.append(rows.value(row, 0).toString().simplified());
    return texts;
}

QString systemError(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

DatabaseCheck DatabaseCheck::examine(const QString& path, Depth depth, Kind kind) {
    DatabaseCheck check(path, kind);
    if (!check.checkFile())
        return check;
    try {
        Connection connection = Connection::openFile(path, Connection::OpenMode::ReadWrite);
        check.checkStructure(connection);
        if (check.isValid() && depth != Depth::Structure)
            check.checkContents(connection);
        if (check.isValid() && depth == Depth::Full)
            check.checkFully(connection);
    } catch (const DbError& error) {
        check.failFrom(error);
    }
    return check;
}

bool DatabaseCheck::checkFile() {
    struct stat info {};
    const QByteArray name = QFile::encodeName(m_path);
    if (::stat(name.constData(), &info) != 0) {
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR)
            fail(Verdict::Missing, QString());
        else if (error == EACCES)
            fail(Verdict::NoAccess, systemError(error));
        else
            fail(Verdict::Unreadable, systemError(error));
        return false;
    }
    // The engine would wait forever for a FIFO to be written, and call a folder unopenable.
    if (!S_ISREG(info.st_mode)) {
        fail(Verdict::NotAFile, QString());
        return false;
    }
    if (::access(name.constData(), R_OK) != 0) {
        fail(Verdict::NoAccess, systemError(errno));
        return false;
    }
    return true;
}

void DatabaseCheck::checkStructure(Connection& connection) {
    // The first read of the schema is where the engine rolls back an interrupted write.
    const Recordset stored =
        connection.query(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"));
    // A view lists its columns as a table does, but cannot take a row: it is no table of ours.
    QSet<QString> storedTables;
    for (int row = 0; row < stored.rowCount(); ++row)
        storedTables.insert(stored.value(row, 0).toString().toCaseFolded());
    QVector<Schema::Table> tables = Schema::requiredTables();
    if (m_kind == Kind::Backup)
        tables.append(Schema::backupTable());
    tables += Schema::optionalTables();
    for (const Schema::Table& table : std::as_const(tables)) {
        const bool isTable = storedTables.contains(table.name.toCaseFolded());
        const qint64 columns =
            isTable ? connection
                          .scalar(QStringLiteral("SELECT count(*) FROM pragma_table_info(?)"),
                                  {table.name})
                          .toLongLong()
                    : 0;
        QString problem;
        if (columns == 0 && Schema::isOptional(table.name))
            continue;
        if (columns == 0)
            problem = QStringLiteral("it has no table %1").arg(table.name);
        else if (columns != table.columnCount)
            problem = QStringLiteral("its table %1 has %2 columns instead of %3")
                          .arg(table.name)
                          .arg(columns)
                          .arg(table.columnCount);
        if (!problem.isEmpty()) {
            m_findings.append(QStringLiteral("tables: ") + problem);
            fail(Verdict::NotOurs, problem);
            return;
        }
    }
    m_findings.append(QStringLiteral("tables: ok"));
}

void DatabaseCheck::checkContents(Connection& connection) {
    // A file cut short (copied in part, or its disk full) may still pass the engine's own
    // checks when its last pages held little: the pages the header counts must all be there.
    // (In write-ahead-log mode, which this program does not use, the newest pages may still be
    // in the log rather than in the file.)
    const bool logged =
        connection.scalar(QStringLiteral("PRAGMA journal_mode")).toString() == QLatin1String("wal");
    connection.execute(QStringLiteral("BEGIN"));
    const qint64 pages = connection.scalar(QStringLiteral("PRAGMA page_count")).toLongLong();
    const qint64 pageSize = connection.scalar(QStringLiteral("PRAGMA page_size")).toLongLong();
    const qint64 size = QFileInfo(m_path).size();
    connection.execute(QStringLiteral("COMMIT"));
    if (!logged && size < pages * pageSize) {
        const QString problem = QStringLiteral("the file ends %1 bytes before the end of its "
                                               "last page")
                                    .arg(pages * pageSize - size);
        m_findings.append(QStringLiteral("size: ") + problem);
        fail(Verdict::Damaged, problem);
        return;
    }
    m_findings.append(QStringLiteral("size: ok"));

    const QStringList found = lines(connection.query(QStringLiteral("PRAGMA quick_check(10)")));
    m_findings.append(QStringLiteral("quick_check: ") + found.join(QStringLiteral("; ")));
    if (found != QStringList{QStringLiteral("ok")}) {
        fail(Verdict::Damaged,
             QStringLiteral("quick_check found: ") + found.join(QStringLiteral("; ")));
        return;
    }

    // Collection fields need every field type; a database whose creation was cut short, by an
    // earlier version that built it in place, lacks them.
    const Recordset types = connection.query(
        QStringLiteral("SELECT FieldTypeNM FROM tblCollectionFieldType_LKP ORDER BY FieldTypeCD"));
    const QStringList expected = colFieldType::names();
    bool complete = types.rowCount() == expected.size();
    for (int code = 0; complete && code < expected.size(); ++code)
        complete = types.value(code, 0).toString() == expected[code];
    if (!complete) {
        const QString problem = QStringLiteral("its table tblCollectionFieldType_LKP has %1 of "
                                               "the %2 field types")
                                    .arg(types.rowCount())
                                    .arg(expected.size());
        m_findings.append(QStringLiteral("starting rows: ") + problem);
        fail(Verdict::Incomplete, problem);
        return;
    }
    m_findings.append(QStringLiteral("starting rows: ok"));
}

void DatabaseCheck::checkFully(Connection& connection) {
    const QStringList found = lines(connection.query(QStringLiteral("PRAGMA integrity_check(10)")));
    m_findings.append(QStringLiteral("integrity_check: ") + found.join(QStringLiteral("; ")));
    if (found != QStringList{QStringLiteral("ok")}) {
        fail(Verdict::Damaged,
             QStringLiteral("integrity_check found: ") + found.join(QStringLiteral("; ")));
        return;
    }

    const Recordset orphans = connection.query(QStringLiteral("PRAGMA foreign_key_check"));
    if (orphans.rowCount() == 0) {
        m_findings.append(QStringLiteral("foreign_key_check: ok"));
        return;
    }
    const QString problem = QStringLiteral("%1 rows refer to rows that do not exist (the first: "
                                           "row %2 of %3, in %4)")
                                .arg(orphans.rowCount())
                                .arg(orphans.value(0, 1).toString(), orphans.value(0, 0).toString(),
                                     orphans.value(0, 2).toString());
    m_findings.append(QStringLiteral("foreign_key_check: ") + problem);
    fail(Verdict::Damaged, problem);
}

void DatabaseCheck::fail(Verdict verdict, const QString& reason) {
    m_verdict = verdict;
    QString text;
    switch (verdict) {
    case Verdict::Valid:
        return;
    case Verdict::Missing:
        text = QStringLiteral("There is no file '%1'.");
        break;
    case Verdict::NotAFile:
        text = QStringLiteral("'%1' is not a regular file.");
        break;
    case Verdict::NoAccess:
        text = QStringLiteral("'%1' cannot be read: %2.");
        break;
    case Verdict::InUse:
        text = QStringLiteral("The database '%1' is in use by another program (%2).");
        break;
    case Verdict::NeedsRecovery:
        text = QStringLiteral("The database '%1' holds an interrupted change that cannot be "
                              "rolled back here (%2).");
        break;
    case Verdict::Unreadable:
        text = QStringLiteral("The database '%1' cannot be read: %2");
        break;
    case Verdict::NotOurs:
        text = m_kind == Kind::Backup ? QStringLiteral("'%1' is not a Domivo backup file: %2.")
                                      : QStringLiteral("'%1' is not a Domivo database: %2.");
        break;
    case Verdict::Incomplete:
        text = QStringLiteral("The database '%1' is incomplete: %2.");
        break;
    case Verdict::Damaged:
        text = QStringLiteral("The database '%1' is damaged: %2");
        break;
    }
    m_message = reason.isEmpty() ? text.arg(m_path) : text.arg(m_path, reason);
}

void DatabaseCheck::failFrom(const DbError& error) {
    switch (error.primaryCode()) {
    case SQLITE_NOTADB:
        m_findings.append(QStringLiteral("tables: not an SQLite database"));
        fail(Verdict::NotOurs, QStringLiteral("it is not an SQLite database"));
        break;
    case SQLITE_CORRUPT:
        fail(Verdict::Damaged, error.message());
        break;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        fail(Verdict::InUse, QString::fromUtf8(sqlite3_errstr(error.engineCode())));
        break;
    case SQLITE_PERM:
    case SQLITE_AUTH:
        fail(Verdict::NoAccess, error.message());
        break;
    case SQLITE_READONLY:
        fail(Verdict::NeedsRecovery, error.message());
        break;
    default:
        fail(Verdict::Unreadable, error.message());
        break;
    }
}

QString DatabaseCheck::verdictName() const {
    switch (m_verdict) {
    case Verdict::Valid:
        return QStringLiteral("valid");
    case Verdict::Missing:
        return QStringLiteral("missing");
    case Verdict::NotAFile:
        return QStringLiteral("not a file");
    case Verdict::NoAccess:
        return QStringLiteral("no access");
    case Verdict::InUse:
        return QStringLiteral("in use");
    case Verdict::NeedsRecovery:
        return QStringLiteral("needs recovery");
    case Verdict::Unreadable:
        return QStringLiteral("unreadable");
    case Verdict::NotOurs:
        return QStringLiteral("invalid");
    case Verdict::Incomplete:
        return QStringLiteral("incomplete");
    case Verdict::Damaged:
        return QStringLiteral("damaged");
    }
    return {};
}
