#include "CliCommand.h"

#include "app/AppPaths.h"
#include "data/DatabaseCheck.h"

#include <QFileInfo>

int runCheck(CliContext& context) {
    const bool backup = context.isSet(QStringLiteral("backup"));
    const bool full = context.isSet(QStringLiteral("full"));
    QString file = context.argument(QStringLiteral("FILE"));
    if (file.isEmpty())
        file = AppPaths::databaseFile(context.dataFolder());
    file = QFileInfo(file).absoluteFilePath();

    // What each step found, then the verdict on a line of its own.
    const DatabaseCheck check = DatabaseCheck::examine(
        file, full ? DatabaseCheck::Depth::Full : DatabaseCheck::Depth::Contents,
        backup ? DatabaseCheck::Kind::Backup : DatabaseCheck::Kind::Database);
    for (const QString& finding : check.findings())
        context.out << finding << '\n';
    if (check.isValid()) {
        context.out << "valid" << Qt::endl;
        return ExitCode::Ok;
    }
    context.out << check.verdictName() << ": " << check.message() << Qt::endl;
    return ExitCode::Failed;
}
