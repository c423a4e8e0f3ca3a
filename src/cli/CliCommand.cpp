#include "CliCommand.h"

#include "app/AppPaths.h"

QString CliContext::dataFolder() const {
    return AppPaths::dataFolder(dataDirOverride);
}

const QVector<CliCommand>& cliCommands() {
    static const QVector<CliCommand> commands = {
        {QStringLiteral("init"), QString(),
         QStringLiteral("Create (when missing) and seed the database; print its path and the "
                        "lookup table counts."),
         runInit},
        {QStringLiteral("check"), QStringLiteral("[--backup] [FILE]"),
         QStringLiteral("Check that FILE (default: the data folder's database) is a valid "
                        "database, or with --backup a valid backup file."),
         runCheck},
    };
    return commands;
}
