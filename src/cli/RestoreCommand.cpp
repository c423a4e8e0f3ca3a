#include "CliCommand.h"

#include "app/AppPaths.h"
#include "data/DatabaseCheck.h"
#include "maintenance/MaintenanceJob.h"
#include "maintenance/MaintenanceText.h"

#include <QFileInfo>

int runRestore(CliContext& context) {
    const QString path = QFileInfo(context.argument(QStringLiteral("FILE"))).absoluteFilePath();
    if (!MaintenanceText::hasBackupExtension(path))
        throw UsageError{MaintenanceText::wrongExtension()};
    const DatabaseCheck backup =
        DatabaseCheck::examine(path, DatabaseCheck::Depth::Structure, DatabaseCheck::Kind::Backup);
    if (backup.verdict() == DatabaseCheck::Verdict::Missing) {
        context.err << "domivo-cli: Backup file not found: " << path << Qt::endl;
        return ExitCode::Failed;
    }
    if (!backup.isValid()) {
        context.err << "domivo-cli: " << MaintenanceText::notABackup() << '\n'
                    << backup.message() << Qt::endl;
        return ExitCode::Failed;
    }

    // The database is replaced whatever state it is in: restoring is how a damaged one is
    // mended. It stays as it was until the restored one is complete and checked.
    const QString database = AppPaths::databaseFile(context.dataFolder());
    context.out << "database: " << database << Qt::endl;
    const auto job = MaintenanceJob::restore(database, path);
    job->run();
    context.out << "restored from: " << path << '\n'
                << "rows copied: " << job->rowsCopied() << '\n'
                << MaintenanceText::restored() << Qt::endl;
    return ExitCode::Ok;
}
