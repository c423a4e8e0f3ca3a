#pragma once

#include "CliCommand.h"

#include <QCommandLineParser>
#include <QStringList>
#include <QTextStream>
#include <QVector>

// Runs the tool on one command line: the global options, then the command its first words name
// (the longest name that matches, so that "incident new" wins over a group "incident"), parsed
// against that command's declaration, then the command itself. Every refused command line takes
// the same way out: the message and the usage on the error stream, ExitCode::Usage.
class CliRunner {
public:
    CliRunner(const QVector<CliCommand>& commands, QTextStream& out, QTextStream& err);

    // arguments: the program's name, then its arguments. Returns the exit code.
    int run(const QStringList& arguments);

private:
    const CliCommand* find(const QStringList& words) const;
    int runCommand(const CliCommand& command, const QStringList& arguments, const QString& dataDir);
    // A group's name without (or with an unknown) sub-command.
    int runGroup(const QString& name, const QStringList& arguments);
    // What the parser found that the command's declaration does not allow, or empty.
    static QString misuse(const CliCommand& command, const QCommandLineParser& parser);
    int printHelp(const QString& usage);
    int refuse(const QString& message, const QString& usage);

    const QVector<CliCommand>& m_commands;
    QTextStream& m_out;
    QTextStream& m_err;
};
