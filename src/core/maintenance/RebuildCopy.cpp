#include "maintenance/RebuildCopy.h"

#include "data/Connection.h"
#include "data/DbError.h"
#include "maintenance/DatabaseFiles.h"

#include <QFileInfo>
#include <algorithm>
#include <chrono>
#include <sqlite3.h>

namespace {

// Long enough not to spin, short enough for a window to stay responsive.
constexpr std::chrono::milliseconds Wait(20);

} // namespace

RebuildCopy::RebuildCopy(const QString& source, const QString& destination, qint64 expectedBytes)
    : m_destination(destination)
    , m_expectedBytes(std::max<qint64>(1, expectedBytes))
    // Opened for writing although it only reads: the engine rebuilds from a read-only
    // connection several times more slowly.
    , m_source(std::make_unique<Connection>(Connection::openFile(source))) {
    // The new file is written as the source's connection would write: without syncs, since it
    // is synced once before it is renamed into place, and a crash leaves it unpublished.
    m_source->execute(QStringLiteral("PRAGMA synchronous = OFF"));
    sqlite3_progress_handler(m_source->handle(), 1000, &RebuildCopy::progress, this);
    Connection* connection = m_source.get();
    const QString target = m_destination;
    m_rebuild = std::async(std::launch::async, [connection, target] {
        connection->execute(QStringLiteral("VACUUM INTO ?"), {target});
    });
}

RebuildCopy::~RebuildCopy() {
    if (m_rebuild.valid()) {
        m_cancelled = true;
        m_rebuild.wait();
    }
}

int RebuildCopy::progress(void* self) {
    return static_cast<RebuildCopy*>(self)->m_cancelled ? 1 : 0;
}

bool RebuildCopy::copySome(qint64 maxBytes) {
    if (m_done)
        return true;
    if (!m_finished) {
        m_finished = waitForRebuild();
        while (maxBytes <= 0 && !m_finished)
            m_finished = waitForRebuild();
        if (m_finished)
            m_rebuild.get(); // throws the rebuild's DbError
    }
    const double reached = m_finished ? 1.0 : grownShare();
    m_share =
        maxBytes <= 0 ? reached : std::min(reached, m_share + double(maxBytes) / m_expectedBytes);
    m_done = m_finished && m_share >= 1.0;
    return m_done;
}

bool RebuildCopy::waitForRebuild() {
    if (m_rebuild.wait_for(Wait) == std::future_status::ready)
        return true;
    // The disk writes out what the rebuild has written so far while it goes on, instead of
    // all of it at the sync that comes after: the file is as durable as before (nothing is
    // published before that sync), and finished sooner.
    DatabaseFiles::startWriting(m_destination);
    return false;
}

double RebuildCopy::grownShare() const {
    return std::min(0.99, double(QFileInfo(m_destination).size()) / m_expectedBytes);
}
