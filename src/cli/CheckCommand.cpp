#include "CliCommand.h"

#include "app/AppPaths.h"
#include "data/ConnectionString.h"
#include "data/dvData.h"

#include <QFileInfo>

int runCheck(CliContext& context) {
    bool backup = false;
    QString file;
    for (const QString& arg : std::as_const(context.args)) {
        if (arg == QLatin1String("--backup"))
            backup = true;
        else if (arg.startsWith(QLatin1Char('-')))
            throw UsageError{QStringLiteral("check does not know the option %1").arg(arg)};
        else if (file.isEmpty())
            file = arg;
        else
            throw UsageError{QStringLiteral("check takes one file")};
    }
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
