#include "CliRunner.h"

#include "CliUsage.h"
#include "app/CommandLine.h"
#include "app/Version.h"
#include "data/DbError.h"

#include <algorithm>
#include <stdexcept>

CliRunner::CliRunner(const QVector<CliCommand>& commands, QTextStream& out, QTextStream& err)
    : m_commands(commands)
    , m_out(out)
    , m_err(err) {}

int CliRunner::run(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addOptions(CommandLine::globalOptions());
    // Everything from the command's name on is left to the command's own parser.
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    const QString error = CommandLine::parse(parser, arguments);
    if (parser.isSet(CommandLine::helpOption()))
        return printHelp(CliUsage::tool(m_commands));
    if (parser.isSet(CommandLine::versionOption())) {
        m_out << "domivo-cli " << Version::Text << Qt::endl;
        return ExitCode::Ok;
    }
    if (!error.isEmpty())
        return refuse(error, CliUsage::tool(m_commands));

    const QStringList words = parser.positionalArguments();
    if (words.isEmpty())
        return refuse(QStringLiteral("no command given"), CliUsage::tool(m_commands));
    const QString dataDir = parser.value(CommandLine::dataDirOption());
    if (const CliCommand* command = find(words))
        return runCommand(*command, words.mid(command->words().size()), dataDir);
    return runGroup(words.first(), words.mid(1));
}

const CliCommand* CliRunner::find(const QStringList& words) const {
    const CliCommand* found = nullptr;
    for (const CliCommand& command : m_commands) {
        const QStringList name = command.words();
        if (words.mid(0, name.size()) == name && (!found || name.size() > found->words().size()))
            found = &command;
    }
    return found;
}

int CliRunner::runCommand(const CliCommand& command, const QStringList& arguments,
                          const QString& dataDir) {
    QCommandLineParser parser;
    QStringList mayBeEmpty;
    for (const CliOption& declared : command.options) {
        parser.addOption(declared.option);
        if (declared.mayBeEmpty)
            mayBeEmpty += declared.option.names();
    }
    parser.addOption(CommandLine::helpOption());
    const QString usage = CliUsage::command(command);
    const QString error =
        CommandLine::parse(parser, QStringList{command.name} + arguments, mayBeEmpty);
    if (parser.isSet(CommandLine::helpOption()))
        return printHelp(usage);
    if (const QString problem = error.isEmpty() ? misuse(command, parser) : error;
        !problem.isEmpty())
        return refuse(problem, usage);

    // Every declared argument has an entry, so that a command asking for a name it did not
    // declare is caught.
    QHash<QString, QString> values;
    const QStringList positional = parser.positionalArguments();
    for (qsizetype i = 0; i < command.arguments.size(); ++i)
        values.insert(command.arguments.at(i).name, positional.value(i));
    CliContext context(parser, values, dataDir, m_out, m_err);
    if (!command.arguments.isEmpty() && command.arguments.last().repeatable)
        context.setArgumentList(command.arguments.last().name,
                                positional.mid(command.arguments.size() - 1));
    try {
        const int code = command.run(context);
        m_out.flush();
        return code;
    } catch (const UsageError& misused) {
        return refuse(misused.message, usage);
    } catch (const DbError& failure) {
        m_out.flush();
        m_err << "domivo-cli: " << failure.message() << Qt::endl;
    } catch (const std::exception& failure) {
        m_out.flush();
        m_err << "domivo-cli: " << failure.what() << Qt::endl;
    }
    return ExitCode::Failed;
}

int CliRunner::runGroup(const QString& name, const QStringList& arguments) {
    QVector<CliCommand> members;
    std::copy_if(m_commands.cbegin(), m_commands.cend(), std::back_inserter(members),
                 [&](const CliCommand& command) {
                     const QStringList words = command.words();
                     return words.size() > 1 && words.first() == name;
                 });
    if (members.isEmpty())
        return refuse(QStringLiteral("unknown command %1").arg(name), CliUsage::tool(m_commands));

    QCommandLineParser parser;
    parser.addOption(CommandLine::helpOption());
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    const QString usage = CliUsage::group(name, members);
    const QString error = CommandLine::parse(parser, QStringList{name} + arguments);
    if (parser.isSet(CommandLine::helpOption()))
        return printHelp(usage);
    if (!error.isEmpty())
        return refuse(error, usage);
    const QStringList words = parser.positionalArguments();
    if (words.isEmpty())
        return refuse(QStringLiteral("%1 needs a command").arg(name), usage);
    return refuse(QStringLiteral("unknown command %1 %2").arg(name, words.first()), usage);
}

QString CliRunner::misuse(const CliCommand& command, const QCommandLineParser& parser) {
    const QStringList found = parser.optionNames();
    for (const CliOption& declared : command.options) {
        const QStringList names = declared.option.names();
        const auto given = std::count_if(found.cbegin(), found.cend(),
                                         [&](const QString& name) { return names.contains(name); });
        if (given <= declared.maxCount)
            continue;
        const QString option = CommandLine::typed(names.last());
        if (declared.maxCount == 1)
            return QStringLiteral("%1 may be given once").arg(option);
        return QStringLiteral("%1 may be given at most %2 times")
            .arg(option)
            .arg(declared.maxCount);
    }

    const QStringList positional = parser.positionalArguments();
    for (qsizetype i = 0; i < command.arguments.size(); ++i) {
        const CliArgument& argument = command.arguments.at(i);
        if (i >= positional.size()) {
            if (argument.optional)
                break;
            return QStringLiteral("%1 needs %2").arg(command.name, argument.name);
        }
        if (positional.at(i).isEmpty())
            return QStringLiteral("%1 may not be empty").arg(argument.name);
    }
    const bool repeats = !command.arguments.isEmpty() && command.arguments.last().repeatable;
    if (repeats) {
        for (qsizetype i = command.arguments.size(); i < positional.size(); ++i) {
            if (positional.at(i).isEmpty())
                return QStringLiteral("%1 may not be empty").arg(command.arguments.last().name);
        }
    }
    if (!repeats && positional.size() > command.arguments.size())
        return QStringLiteral("unexpected argument '%1'")
            .arg(positional.at(command.arguments.size()));
    return QString();
}

int CliRunner::printHelp(const QString& usage) {
    m_out << usage;
    m_out.flush();
    return ExitCode::Ok;
}

int CliRunner::refuse(const QString& message, const QString& usage) {
    m_out.flush();
    m_err << "domivo-cli: " << message << "\n\n" << usage;
    m_err.flush();
    return ExitCode::Usage;
}
