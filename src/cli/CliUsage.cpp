#include "CliUsage.h"

#include "app/CommandLine.h"

namespace {

const QString Program = QStringLiteral("domivo-cli");

// "  check [--backup] [FILE]" and its description under it, for each command.
QString commandList(const QVector<CliCommand>& commands) {
    QString text = QStringLiteral("Commands:\n");
    for (const CliCommand& command : commands) {
        const QString line = QStringLiteral("%1 %2").arg(command.name, command.synopsis());
        QString description = command.description;
        description.replace(QLatin1Char('\n'), QStringLiteral("\n      "));
        text += QStringLiteral("  %1\n      %2\n").arg(line.trimmed(), description);
    }
    return text;
}

} // namespace

namespace CliUsage {

QString tool(const QVector<CliCommand>& commands) {
    return QStringLiteral("Usage: %1 [--data-dir DIR] COMMAND [ARGUMENTS]\n"
                          "       %1 COMMAND --help\n"
                          "       %1 --help | --version\n\n"
                          "Options:\n")
               .arg(Program) +
           CommandLine::optionTable(CommandLine::globalOptions()) + QLatin1Char('\n') +
           commandList(commands);
}

QString group(const QString& name, const QVector<CliCommand>& members) {
    return QStringLiteral("Usage: %1 [--data-dir DIR] %2 COMMAND [ARGUMENTS]\n"
                          "       %1 %2 COMMAND --help\n\n")
               .arg(Program, name) +
           commandList(members);
}

QString command(const CliCommand& command) {
    QString text = QStringLiteral("Usage: %1 [--data-dir DIR] %2 %3")
                       .arg(Program, command.name, command.synopsis())
                       .trimmed();
    text += QStringLiteral("\n\n%1\n\nOptions:\n").arg(command.description);
    QList<QCommandLineOption> options;
    for (const CliOption& declared : command.options)
        options.append(declared.option);
    options.append(CommandLine::helpOption());
    text += CommandLine::optionTable(options);
    if (!command.arguments.isEmpty()) {
        QList<CommandLine::Row> rows;
        for (const CliArgument& argument : command.arguments)
            rows.append({argument.name, argument.description});
        text += QStringLiteral("\nArguments:\n") + CommandLine::table(rows);
    }
    return text;
}

} // namespace CliUsage
