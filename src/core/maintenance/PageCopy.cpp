#include "maintenance/PageCopy.h"

#include "data/Connection.h"
#include "data/DbError.h"

#include <algorithm>
#include <sqlite3.h>

PageCopy::PageCopy(Connection& destination, Connection& source, qint64 pageSize)
    : m_destination(destination)
    , m_pageSize(std::max<qint64>(512, pageSize)) {
    m_backup = sqlite3_backup_init(destination.handle(), "main", source.handle(), "main");
    if (!m_backup)
        throw DbError::fromEngine(destination.handle());
}

PageCopy::~PageCopy() {
    // An unfinished copy leaves the destination for its owner to discard.
    if (m_backup)
        sqlite3_backup_finish(m_backup);
}

bool PageCopy::copySome(qint64 maxBytes) {
    if (m_done)
        return true;
    if (!m_backup)
        throw DbError(QStringLiteral("The copy was given up after an earlier error."));
    const int pages = maxBytes <= 0 ? -1 : int(std::max<qint64>(1, maxBytes / m_pageSize));
    const int rc = sqlite3_backup_step(m_backup, pages);
    if (rc == SQLITE_OK)
        return false;
    // Done or failed: finishing reports the outcome, and puts the engine's message of a failure
    // (a full disk, a write refused) on the destination's connection.
    finish();
    if (rc != SQLITE_DONE)
        throw DbError::fromEngine(m_destination.handle());
    m_done = true;
    return true;
}

void PageCopy::finish() {
    sqlite3_backup* backup = m_backup;
    m_backup = nullptr;
    if (sqlite3_backup_finish(backup) != SQLITE_OK)
        throw DbError::fromEngine(m_destination.handle());
}

double PageCopy::share() const {
    if (m_done)
        return 1.0;
    if (!m_backup)
        return 0.0;
    const int total = sqlite3_backup_pagecount(m_backup);
    if (total <= 0)
        return 0.0;
    return double(total - sqlite3_backup_remaining(m_backup)) / total;
}
