#pragma once

#include "data/DatabaseCheck.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class Connection;
class FileCopy;
class StagedDatabase;

// A whole database copied into a new file that takes the destination's name only once it is
// complete and checked: the work of backing up, restoring and compacting.
//
//     DatabaseCopyJob job(plan);
//     while (!job.step())
//         showProgress(job.percent());
//
// The file is copied by the engine page by page (its online backup), which is many times faster
// than reading and writing every row, and a compact rebuilds it into the new file (VACUUM
// INTO), which leaves out the space of deleted rows. The copy carries the whole file: every
// table, index and view, also any the user added to it; only a compact's rebuild orders them
// anew. A backup of a database, or a restore of a backup, from before a table existed gets the
// table empty, so that every copy has the tables of a new database.
//
// The work comes in steps of a bounded size, so that a window can show the progress and stay
// responsive between them, on the one thread the data layer is built for, and can be abandoned
// between any two steps. (A compact's rebuild is one statement of the engine: it runs on a
// thread of its own with its own connection, while the steps wait for it a little at a time.)
// Until the last step has succeeded the destination is untouched: the copy is built under a name
// of its own beside it. The last steps check the copy (the tables and columns of a backup file,
// and as many rows in every table as the source held) and rename it over the destination in one
// step. An exception from any step, or the job destroyed before it finished (cancelled, or the
// process killed), leaves the source and the destination exactly as they were, and the partial
// copy is removed.
//
// The source is read inside one read transaction, held from the first step to the last, so
// that the rows counted and the rows copied come from the same state of it and no other
// program can change it meanwhile (a writer waits, then finds the database in use).
class DatabaseCopyJob {
public:
    // Rows per step: a few milliseconds of work, so that a window stays responsive. A step
    // copies the share of the file's pages that this share of its rows takes.
    static constexpr qint64 DefaultStepRows = 2000;
    // A step also ends once it has copied this many bytes: rows that hold files are large.
    static constexpr qint64 StepBytes = 8 * 1024 * 1024;

    enum class Existing {
        Refuse,  // a destination that exists by the last step is kept, and the job fails
        Replace, // the copy takes an existing destination's place
    };
    struct Plan {
        QString source;
        // What the source must be: a database, or a backup file (with its backup table).
        DatabaseCheck::Kind sourceKind = DatabaseCheck::Kind::Database;
        QString destination;
        Existing existing = Existing::Refuse;
        // The date and time written into the copy's backup table; without one it stays empty.
        std::optional<QDateTime> backupStamp;
        // Rebuilt rather than copied page by page: the space of deleted rows is left out.
        bool rebuild = false;
        // A Null long text becomes the empty text, as the program writes it: for a file that
        // comes back as the database.
        bool emptyNullMemos = false;
    };

    explicit DatabaseCopyJob(Plan plan);
    ~DatabaseCopyJob();
    DatabaseCopyJob(const DatabaseCopyJob&) = delete;
    DatabaseCopyJob& operator=(const DatabaseCopyJob&) = delete;

    // Does the next piece of work: the first step examines the source and starts the copy,
    // the following ones copy the pages of up to maxRows rows each (the last of them
    // completes the copy), and the last two check it and put it in place. Returns true when the job
    // is finished. Throws DbError naming what failed; after that the job can do nothing more.
    bool step(qint64 maxRows = DefaultStepRows);
    // Every step at once.
    void run();

    bool isFinished() const { return m_stage == Stage::Finished; }
    // Rows copied so far, of the rows the source holds (known after the first step): while
    // the pages are copied, the rows their share stands for; once the copy is checked, the
    // rows found in it.
    qint64 rowsCopied() const { return m_copied; }
    qint64 rowsToCopy() const { return m_total; }
    // 0 to 100; 100 only once the job is finished.
    int percent() const;

    // For the tests: runs on the complete copy (its connections closed) before it is checked,
    // to stand for whatever may go wrong between writing a file and reading it back.
    void setBeforeCheckForTesting(std::function<void(const QString& copy)> hook);

private:
    enum class Stage { NotStarted, Copying, Checking, Publishing, Finished, Failed };

    void start();
    void copySome(qint64 maxRows);
    void completeCopy();
    void checkCopy();
    void publish();
    void finish();
    void abandon();
    void closeConnections();

    Plan m_plan;
    Stage m_stage = Stage::NotStarted;
    // The tables read from the source (a file from before a table existed lacks it).
    QStringList m_tables;
    QHash<QString, qint64> m_sourceRows;
    qint64 m_total = 0;
    qint64 m_copied = 0;
    qint64 m_pageSize = 4096;
    // What the copy writes: the source's pages (a rebuild leaves out the free ones).
    qint64 m_bytesToCopy = 0;
    std::function<void(const QString&)> m_beforeCheck;

    // Destroyed in reverse order: the copy before the connections it works on, the connections
    // before the staged file is removed.
    std::unique_ptr<StagedDatabase> m_staged;
    std::unique_ptr<Connection> m_from;
    std::unique_ptr<Connection> m_to;
    std::unique_ptr<FileCopy> m_copy;
};
