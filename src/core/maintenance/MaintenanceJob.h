#pragma once

#include "maintenance/DatabaseCopyJob.h"

#include <QString>
#include <memory>

// Backing up, restoring and compacting the database file, for the windows and the
// command-line tool alike. Each is a DatabaseCopyJob (see there: done in steps, the new file
// built beside its destination, checked, and renamed into place in one step, so that a failure,
// a cancel or a killed process leaves every file as it was) plus what the operation notes when
// it is done: a backup and a compact write today's date to "Dates"/"LastBackup" and
// "Dates"/"LastCompact", which the start-up reminders count from.
class MaintenanceJob {
public:
    enum class Operation { Backup, Restore, Compact };

    // A complete copy of the database, page by page, with the backup table and its one stamp
    // row, in a backup file. An existing file of that name is replaced only with replaceExisting
    // (the user agreed), and only once the new backup is complete.
    static std::unique_ptr<MaintenanceJob> backup(const QString& database,
                                                  const QString& backupFile, bool replaceExisting);
    // The database replaced by a copy of a valid backup file, with an empty backup table, and
    // the empty text for a Null long text, as the program writes them.
    static std::unique_ptr<MaintenanceJob> restore(const QString& database,
                                                   const QString& backupFile);
    // The database rebuilt into a new file that takes its place: the space of deleted rows is
    // gone, and every identifier stays as it was.
    static std::unique_ptr<MaintenanceJob> compact(const QString& database);

    // The next piece of work (see DatabaseCopyJob::step); true once the operation is done and
    // its date noted. Throws DbError naming what failed.
    bool step(qint64 maxRows = DatabaseCopyJob::DefaultStepRows);
    void run();

    Operation operation() const { return m_operation; }
    bool isFinished() const { return m_copy.isFinished(); }
    int percent() const { return m_copy.percent(); }
    qint64 rowsCopied() const { return m_copy.rowsCopied(); }
    // The database file's size in bytes when the job was made, and once it is done.
    qint64 sizeBefore() const { return m_sizeBefore; }
    qint64 sizeAfter() const;

    DatabaseCopyJob& copyJob() { return m_copy; }

private:
    MaintenanceJob(Operation operation, const QString& database, DatabaseCopyJob::Plan plan);

    Operation m_operation;
    QString m_database;
    qint64 m_sizeBefore;
    DatabaseCopyJob m_copy;
};
