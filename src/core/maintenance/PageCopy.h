#pragma once

#include "maintenance/FileCopy.h"

class Connection;
struct sqlite3_backup;

// A database copied page by page into an empty one by the engine's online backup: the fastest
// whole copy there is, the same bytes in the same places, free pages included. The source must
// be kept in a read transaction by its connection while the copy runs: then the pages all come
// from one state of it, and the engine never has to start the copy over.
class PageCopy : public FileCopy {
public:
    PageCopy(Connection& destination, Connection& source, qint64 pageSize);
    ~PageCopy() override;
    PageCopy(const PageCopy&) = delete;
    PageCopy& operator=(const PageCopy&) = delete;

    bool copySome(qint64 maxBytes) override;
    double share() const override;

private:
    void finish();

    Connection& m_destination;
    qint64 m_pageSize;
    sqlite3_backup* m_backup = nullptr;
    bool m_done = false;
};
