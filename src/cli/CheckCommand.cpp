#include "CliCommand.h"

#include "app/AppPaths.h"
#include "data/ConnectionString.h"
#include "data/dvData.h"

#include <QFileInfo>

int runCheck(CliContext& context) {
    const bool backup = context.isSet(QStringLiteral("backup"));
    QString file = context.argument(QStringLiteral("FILE"));
    if (file.isEmpty())
        file = AppPaths::databaseFile(context.dataFolder());
    file = QFileInfo(file).absoluteFilePath();

    const QString connString = ConnectionString::forFile(file);
    const bool valid = backup ? dvData::ValidBackup(connString) : dvData::ValidDatabase(connString);
    if (valid) {
        context.out << "valid" << Qt::endl;
        return ExitCode::Ok;
    }
    QString reason;
    if (!QFileInfo::exists(file))
        reason = QStringLiteral("no such file: %1").arg(file);
    else if (backup && dvData::ValidDatabase(connString))
        reason = QStringLiteral("not a backup file (it has no backup table): %1").arg(file);
    else
        reason =
            QStringLiteral("not a valid Domivo %1: %2")
                .arg(backup ? QStringLiteral("backup file") : QStringLiteral("database"), file);
    context.out << "invalid: " << reason << Qt::endl;
    return ExitCode::Failed;
}
