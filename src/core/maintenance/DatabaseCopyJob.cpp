#include "maintenance/DatabaseCopyJob.h"

#include "data/Connection.h"
#include "data/DbError.h"
#include "data/Schema.h"
#include "data/SqlFragment.h"
#include "data/TableCopy.h"
#include "maintenance/DatabaseFiles.h"
#include "maintenance/StagedDatabase.h"

#include <algorithm>

namespace {

qint64 rowCount(Connection& connection, const QString& table) {
    return connection
        .scalar(QStringLiteral("SELECT count(*) FROM %1").arg(SqlFragment::quoteIdentifier(table)))
        .toLongLong();
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
            if (m_table < m_tables.size())
                copySome(maxRows);
            else
                commit();
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
    m_tables = TableCopy::tablesToCopy(*m_from);
    for (const QString& table : Schema::copyOrder()) {
        // A table the source lacks is in the copy too, and must be empty there.
        const qint64 rows = m_tables.contains(table) ? rowCount(*m_from, table) : 0;
        m_sourceRows.insert(table, rows);
        m_total += rows;
    }

    m_staged = std::make_unique<StagedDatabase>(m_plan.destination);
    m_to = std::make_unique<Connection>(
        Connection::openFile(m_staged->path(), Connection::OpenMode::Create));
    m_transaction = std::make_unique<Transaction>(*m_to);
    // Every copy has the backup table: a backup needs it, and a live database tolerates it.
    m_to->executeScript(Schema::createScript(true));
    m_stage = Stage::Copying;
}

void DatabaseCopyJob::copySome(qint64 maxRows) {
    qint64 budget = maxRows;
    qint64 bytes = 0;
    while (m_table < m_tables.size() && (maxRows <= 0 || (budget > 0 && bytes < StepBytes))) {
        if (!m_tableCopy)
            m_tableCopy = std::make_unique<TableCopy>(*m_to, *m_from, m_tables[m_table]);
        const qint64 before = m_tableCopy->rowsCopied();
        const qint64 bytesBefore = m_tableCopy->bytesCopied();
        const bool done = maxRows <= 0 ? m_tableCopy->copyRows()
                                       : m_tableCopy->copyRows(budget, StepBytes - bytes);
        const qint64 copied = m_tableCopy->rowsCopied() - before;
        m_copied += copied;
        budget -= copied;
        bytes += m_tableCopy->bytesCopied() - bytesBefore;
        if (done) {
            m_tableCopy.reset();
            ++m_table;
        }
    }
}

void DatabaseCopyJob::commit() {
    if (m_plan.backupStamp)
        m_to->execute(QStringLiteral("INSERT INTO tblBackup (BackupDT) VALUES (?)"),
                      {*m_plan.backupStamp});
    m_transaction->commit();
    m_transaction.reset();
    m_to.reset();
    m_stage = Stage::Checking;
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
    QHash<QString, qint64> expected = m_sourceRows;
    expected.insert(Schema::backupTable().name, m_plan.backupStamp ? 1 : 0);
    for (auto table = expected.cbegin(); table != expected.cend(); ++table) {
        const qint64 rows = rowCount(connection, table.key());
        if (rows != table.value())
            throw DbError(QStringLiteral("The new file holds %1 rows in %2 where %3 were "
                                         "written.")
                              .arg(rows)
                              .arg(table.key())
                              .arg(table.value()));
    }
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
    m_tableCopy.reset();
    m_transaction.reset();
    m_to.reset();
    m_from.reset();
}
