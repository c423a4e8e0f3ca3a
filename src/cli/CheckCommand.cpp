#include "CliCommand.h"

#include "app/AppPaths.h"
#include "data/DatabaseCheck.h"

#include <QFileInfo>

int runCheck(CliContext& context) {
    bool backup = false;
    bool full = false;
    QString file;
    for (const QString& arg : std::as_const(context.args)) {
        if (arg == QLatin1String("--backup"))
            backup = true;
        else if (arg == QLatin1String("--full"))
            full = true;
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
