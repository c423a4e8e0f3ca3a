#pragma once

#include "maintenance/FileCopy.h"

#include <QString>
#include <atomic>
#include <future>
#include <memory>

class Connection;

// A database rebuilt into a new file by the engine (VACUUM INTO): every table and index written
// afresh, without the space of deleted rows, and every identifier as it was. The engine does it
// in one statement, which takes a while on a large file, so it runs on a thread of its own, with
// a connection of its own that nothing else uses; copySome() waits for it a little at a time and
// reports how far the new file has grown. A rebuild that is abandoned is interrupted before the
// object goes.
//
// A caller that wants the rebuild to see a known state of the source keeps a read transaction
// open on it meanwhile: no other program can then change it.
class RebuildCopy : public FileCopy {
public:
    // expectedBytes: about the size the new file will have (the pages the source uses).
    RebuildCopy(const QString& source, const QString& destination, qint64 expectedBytes);
    ~RebuildCopy() override;
    RebuildCopy(const RebuildCopy&) = delete;
    RebuildCopy& operator=(const RebuildCopy&) = delete;

    // Waits a few milliseconds for the rebuild (until it is done when maxBytes is 0 or less).
    // The share reported grows by at most maxBytes a call, so that progress shown in steps
    // looks as it does for a copy.
    bool copySome(qint64 maxBytes) override;
    double share() const override { return m_share; }

private:
    static int progress(void* self);
    // Waits a few milliseconds; true once the rebuild has ended.
    bool waitForRebuild();
    double grownShare() const;

    QString m_destination;
    qint64 m_expectedBytes;
    std::unique_ptr<Connection> m_source;
    std::atomic<bool> m_cancelled{false};
    std::future<void> m_rebuild;
    bool m_finished = false; // the statement has ended
    bool m_done = false;     // and the share shown has reached it
    double m_share = 0.0;
};
