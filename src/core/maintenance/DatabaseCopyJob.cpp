#include "maintenance/DatabaseCopyJob.h"

#include "data/Connection.h"
#include "data/DbError.h"
#include "data/Schema.h"
#include "data/SqlFragment.h"
#include "data/TableCopy.h"
#include "maintenance/DatabaseFiles.h"
#include "maintenance/PageCopy.h"
#include "maintenance/RebuildCopy.h"
#include "maintenance/StagedDatabase.h"

#include <algorithm>

namespace {

qint64 rowCount(Connection& connection, const QString& table) {
    return connection
        .scalar(QStringLiteral("SELECT count(*) FROM %1").arg(SqlFragment::quoteIdentifier(table)))
        .toLongLong();
}

qint64 pragmaNumber(Connection& connection, const char* pragma) {
    return connection.scalar(QStringLiteral("PRAGMA %1").arg(QLatin1String(pragma))).toLongLong();
}

bool hasTable(Connection& connection, const QString& table) {
    return !TableCopy::columnNames(connection, table).isEmpty();
}

// The source's tables must have the columns of ours, by name too: the examination counts them
// only, and a copy page by page would take any names along.
void requireOurColumns(Connection& source, const QStringList& tables) {
    Connection reference =
        Connection::openFile(QStringLiteral(":memory:"), Connection::OpenMode::Create);
    reference.executeScript(Schema::createScript(false));
    for (const QString& table : tables)
        TableCopy::matchingColumns(reference, source, table);
}

DbError alreadyExists(const QString& path) {
    return DbError(QStringLiteral("'%1' already exists.").arg(path));
}

} // namespace

DatabaseCopyJob::DatabaseCopyJob(Plan plan)
    : m_plan(std::move(plan)) {}

DatabaseCopyJob::~DatabaseCopyJob() = default;

void DatabaseCopyJob::setBeforeCheckForTesting(std::function<void(const QString&)> hook) {
    m_beforeCheck = std::move(hook);
}

int DatabaseCopyJob::percent() const {
    if (m_stage == Stage::Finished)
        return 100;
    if (m_total == 0)
        return 0;
    return int(std::min<qint64>(99, m_copied * 100 / m_total));
}

bool DatabaseCopyJob::step(qint64 maxRows) {
    try {
        switch (m_stage) {
        case Stage::NotStarted:
            start();
            break;
        case Stage::Copying:
            copySome(maxRows);
            break;
        case Stage::Checking:
            checkCopy();
            break;
        case Stage::Publishing:
            publish();
            break;
        case Stage::Finished:
            break;
        case Stage::Failed:
            throw DbError(QStringLiteral("it was given up after an earlier error."));
        }
    } catch (const DbError& error) {
        abandon();
        // The engine's own message does not say which file it was at.
        throw DbError(QStringLiteral("Copying '%1' to '%2' failed: %3")
                          .arg(m_plan.source, m_plan.destination, error.message()),
                      error.engineCode());
    } catch (...) {
        abandon();
        throw;
    }
    return isFinished();
}

void DatabaseCopyJob::abandon() {
    // Nothing of the copy is kept; source and destination are as they were.
    m_stage = Stage::Failed;
    closeConnections();
    m_staged.reset();
}

void DatabaseCopyJob::run() {
    while (!step(0)) {
    }
}

void DatabaseCopyJob::start() {
    // Examining the source also rolls back a write that was interrupted in it.
    const DatabaseCheck source =
        DatabaseCheck::examine(m_plan.source, DatabaseCheck::Depth::Structure, m_plan.sourceKind);
    if (!source.isValid())
        throw DbError(source.message());
    if (m_plan.existing == Existing::Refuse && DatabaseFiles::nameExists(m_plan.destination))
        throw alreadyExists(m_plan.destination);

    m_from = std::make_unique<Connection>(
        Connection::openFile(m_plan.source, Connection::OpenMode::ReadOnly));
    m_from->execute(QStringLiteral("BEGIN"));
    // The first reads start the read transaction: from here on the source stays as it is, for
    // the rows counted below and for the copy alike.
    m_tables = TableCopy::tablesToCopy(*m_from);
    requireOurColumns(*m_from, m_tables);
    m_pageSize = pragmaNumber(*m_from, "page_size");
    qint64 pages = pragmaNumber(*m_from, "page_count");
    if (m_plan.rebuild)
        pages -= pragmaNumber(*m_from, "freelist_count");
    m_bytesToCopy = pages * m_pageSize;

    m_staged = std::make_unique<StagedDatabase>(m_plan.destination);
    if (m_plan.rebuild) {
        // The rebuild runs on its own thread while the rows are counted here.
        m_copy = std::make_unique<RebuildCopy>(m_plan.source, m_staged->path(), m_bytesToCopy);
    } else {
        m_to = std::make_unique<Connection>(
            Connection::openFile(m_staged->path(), Connection::OpenMode::Create));
        m_copy = std::make_unique<PageCopy>(*m_to, *m_from, m_pageSize);
    }
    for (const QString& table : Schema::copyOrder()) {
        // A table the source lacks is in the copy too, and must be empty there.
        const qint64 rows = m_tables.contains(table) ? rowCount(*m_from, table) : 0;
        m_sourceRows.insert(table, rows);
        m_total += rows;
    }
    m_stage = Stage::Copying;
}

void DatabaseCopyJob::copySome(qint64 maxRows) {
    // The pages of maxRows rows: their share of the file.
    qint64 bytes = 0;
    if (maxRows > 0)
        bytes = std::clamp(maxRows * m_bytesToCopy / std::max<qint64>(1, m_total), m_pageSize,
                           StepBytes);
    const bool done = m_copy->copySome(bytes);
    m_copied = qint64(double(m_total) * m_copy->share());
    if (!done)
        return;
    m_copy.reset();
    completeCopy();
    // The disk gets on with what is left of the new file while it is checked.
    DatabaseFiles::startWriting(m_staged->path());
    m_stage = Stage::Checking;
}

void DatabaseCopyJob::completeCopy() {
    if (!m_to)
        m_to = std::make_unique<Connection>(Connection::openFile(m_staged->path()));
    Transaction transaction(*m_to);
    // What a file from before a table existed lacks, the copy gets empty; every copy has the
    // backup table: a backup needs it, and a database tolerates it.
    if (!hasTable(*m_to, Schema::attachmentTable().name))
        m_to->executeScript(Schema::attachmentScript());
    m_to->executeScript(Schema::insuranceScript() + Schema::laterIndexScript() +
                        Schema::backupScript());
    // A backup's stamp belongs to that backup file alone.
    m_to->execute(QStringLiteral("DELETE FROM tblBackup"));
    if (m_plan.backupStamp)
        m_to->execute(QStringLiteral("INSERT INTO tblBackup (BackupDT) VALUES (?)"),
                      {*m_plan.backupStamp});
    if (m_plan.emptyNullMemos) {
        for (const QString& table : std::as_const(m_tables)) {
            for (const QString& column : Schema::memoColumns(table))
                m_to->execute(QStringLiteral("UPDATE %1 SET %2 = '' WHERE %2 IS NULL")
                                  .arg(SqlFragment::quoteIdentifier(table),
                                       SqlFragment::quoteIdentifier(column)));
        }
    }
    transaction.commit();
    m_to.reset();
}

void DatabaseCopyJob::checkCopy() {
    const QString copy = m_staged->path();
    if (m_beforeCheck)
        m_beforeCheck(copy);
    const DatabaseCheck check =
        DatabaseCheck::examine(copy, DatabaseCheck::Depth::Structure, DatabaseCheck::Kind::Backup);
    if (!check.isValid())
        throw DbError(QStringLiteral("The new file does not read back as it was written: %1")
                          .arg(check.message()));
    Connection connection = Connection::openFile(copy, Connection::OpenMode::ReadOnly);
    connection.execute(QStringLiteral("BEGIN"));
    QHash<QString, qint64> expected = m_sourceRows;
    expected.insert(Schema::backupTable().name, m_plan.backupStamp ? 1 : 0);
    qint64 verified = 0;
    for (auto table = expected.cbegin(); table != expected.cend(); ++table) {
        const qint64 rows = rowCount(connection, table.key());
        if (rows != table.value())
            throw DbError(QStringLiteral("The new file holds %1 rows in %2 where %3 were "
                                         "written.")
                              .arg(rows)
                              .arg(table.key())
                              .arg(table.value()));
        if (table.key() != Schema::backupTable().name)
            verified += rows;
    }
    m_copied = verified;
    m_stage = Stage::Publishing;
}

void DatabaseCopyJob::publish() {
    if (m_plan.existing == Existing::Refuse) {
        if (!m_staged->publishNew())
            throw alreadyExists(m_plan.destination);
        finish();
        return;
    }
    // The file being replaced loses its journals in the replacing: a write that was
    // interrupted in it is rolled back first, so that a process killed between the two steps
    // leaves it whole.
    if (DatabaseFiles::nameExists(m_plan.destination))
        DatabaseCheck::examine(m_plan.destination);
    m_staged->publishReplacing();
    finish();
}

void DatabaseCopyJob::finish() {
    closeConnections();
    m_staged.reset();
    m_stage = Stage::Finished;
}

void DatabaseCopyJob::closeConnections() {
    m_copy.reset();
    m_to.reset();
    m_from.reset();
}
