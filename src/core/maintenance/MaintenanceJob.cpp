#include "maintenance/MaintenanceJob.h"

#include "app/Clock.h"
#include "app/Settings.h"
#include "types/DateText.h"

#include <QFileInfo>

MaintenanceJob::MaintenanceJob(Operation operation, const QString& database,
                               DatabaseCopyJob::Plan plan)
    : m_operation(operation)
    , m_database(database)
    , m_sizeBefore(QFileInfo(database).size())
    , m_copy(std::move(plan)) {}

std::unique_ptr<MaintenanceJob>
MaintenanceJob::backup(const QString& database, const QString& backupFile, bool replaceExisting) {
    DatabaseCopyJob::Plan plan;
    plan.source = database;
    plan.destination = backupFile;
    plan.existing =
        replaceExisting ? DatabaseCopyJob::Existing::Replace : DatabaseCopyJob::Existing::Refuse;
    plan.backupStamp = Clock::now();
    return std::unique_ptr<MaintenanceJob>(new MaintenanceJob(Operation::Backup, database, plan));
}

std::unique_ptr<MaintenanceJob> MaintenanceJob::restore(const QString& database,
                                                        const QString& backupFile) {
    DatabaseCopyJob::Plan plan;
    plan.source = backupFile;
    plan.sourceKind = DatabaseCheck::Kind::Backup;
    plan.destination = database;
    plan.existing = DatabaseCopyJob::Existing::Replace;
    plan.emptyNullMemos = true;
    return std::unique_ptr<MaintenanceJob>(new MaintenanceJob(Operation::Restore, database, plan));
}

std::unique_ptr<MaintenanceJob> MaintenanceJob::compact(const QString& database) {
    DatabaseCopyJob::Plan plan;
    plan.source = database;
    plan.destination = database;
    plan.existing = DatabaseCopyJob::Existing::Replace;
    plan.rebuild = true;
    return std::unique_ptr<MaintenanceJob>(new MaintenanceJob(Operation::Compact, database, plan));
}

bool MaintenanceJob::step(qint64 maxRows) {
    if (m_copy.isFinished())
        return true;
    if (!m_copy.step(maxRows))
        return false;
    const QString today = DateText::storageText(Clock::today());
    if (m_operation == Operation::Backup)
        Settings::setText(SettingKeys::LastBackup, today);
    else if (m_operation == Operation::Compact)
        Settings::setText(SettingKeys::LastCompact, today);
    return true;
}

void MaintenanceJob::run() {
    while (!step(0)) {
    }
}

qint64 MaintenanceJob::sizeAfter() const {
    return QFileInfo(m_database).size();
}
