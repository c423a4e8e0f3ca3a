#include "CliCommand.h"

#include "data/dvData.h"
#include "maintenance/DatabaseFiles.h"
#include "maintenance/MaintenanceJob.h"
#include "maintenance/MaintenanceText.h"

#include <QDir>
#include <QFileInfo>

int runBackup(CliContext& context) {
    const QFileInfo file(context.argument(QStringLiteral("FILE")));
    const QString path = file.absoluteFilePath();
    if (!MaintenanceText::hasBackupExtension(path))
        throw UsageError{MaintenanceText::wrongExtension()};
    if (!file.absoluteDir().exists()) {
        context.err << "domivo-cli: the folder " << file.absolutePath() << " does not exist"
                    << Qt::endl;
        return ExitCode::Failed;
    }
    const bool replace = DatabaseFiles::nameExists(path);
    if (replace && !context.isSet(QStringLiteral("force"))) {
        context.err << "domivo-cli: " << path << " already exists (--force replaces it)"
                    << Qt::endl;
        return ExitCode::Failed;
    }

    dvData data;
    context.openDatabase(data);
    context.out << "database: " << data.PhysicalPath() << Qt::endl;
    // An existing file stays as it was until the new backup is complete and checked.
    const auto job = MaintenanceJob::backup(data.PhysicalPath(), path, replace);
    job->run();
    context.out << "backup file: " << path << (replace ? " (replaced)" : "") << '\n'
                << "rows copied: " << job->rowsCopied() << '\n'
                << MaintenanceText::backedUp() << Qt::endl;
    return ExitCode::Ok;
}
