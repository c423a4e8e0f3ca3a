#pragma once

#include "CliContext.h"
#include "reports/ReportCatalogue.h"

#include <QCommandLineOption>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <QVector>
#include <functional>

class Recordset;

// Adding a command to the tool takes two steps:
//   1. a declaration in cliCommands() (CliCommand.cpp): its name, description, options and
//      positional arguments, and the function that runs it;
//   2. that function, `int runName(CliContext&)`, in a file of its own, declared below.
// CliRunner parses the command line against the declaration before the function runs: unknown
// options, missing or empty values, options given too often and missing or extra arguments are
// refused there (exit code 2), and `domivo-cli NAME --help` prints the command's usage. The
// function reads what it was given through its CliContext and only checks what the declaration
// cannot say (a date that is no date, two filters where one is allowed); it throws UsageError
// for those.

// An option of a command. Its name is typed --name (a one-letter name -x), and a value as
// `--name VALUE` or `--name=VALUE`.
struct CliOption {
    QCommandLineOption option;
    // How often it may be given: repeated values reach the command in order (values()).
    int maxCount = 1;
    // Whether `--name ""` is accepted (an empty value that means something to the command).
    bool mayBeEmpty = false;

    static CliOption flag(const QString& name, const QString& description);
    static CliOption value(const QString& name, const QString& valueName,
                           const QString& description, int maxCount = 1);
    // This option, accepting an empty value.
    CliOption allowingEmpty() const;
};

// A positional argument of a command, named as the usage text shows it (FILE, NAME). Optional
// arguments follow the required ones. The last one may be repeatable (ITEM...): it takes every
// remaining argument, at least one unless it is optional.
struct CliArgument {
    QString name;
    QString description;
    bool optional = false;
    // The last argument only: it takes every value that follows (FILE...), at least one.
    bool repeated = false;
};

struct CliCommand {
    // One word, or a group and its sub-command ("incident new"): the command's words come first
    // on the command line, then its options and arguments.
    QString name;
    QString description; // a sentence; a line break continues it on the next line
    QList<CliOption> options = {};
    QList<CliArgument> arguments = {};
    std::function<int(CliContext&)> run;

    QStringList words() const;
    // "[--backup] [FILE]": the options and arguments as the usage texts show them.
    QString synopsis() const;
};

// Prints rows as the grids show them, for scripts: a line of column names, then one line per
// row, values tab-separated in their display text (Null as empty). Tabs and line breaks inside
// a value become blanks so that every row stays one line.
void printTable(QTextStream& out, const Recordset& rows);

// Exit codes shared by every command.
namespace ExitCode {
inline constexpr int Ok = 0;
inline constexpr int Failed = 1;
inline constexpr int Usage = 2;
} // namespace ExitCode

// Thrown by a command whose arguments are wrong in a way its declaration cannot express; the
// tool prints the message and the command's usage and exits with ExitCode::Usage.
struct UsageError {
    QString message;
};

// Every command the tool knows, in the order the usage text lists them.
const QVector<CliCommand>& cliCommands();

// The commands, each in a file of its own.
int runInit(CliContext& context);
int runCheck(CliContext& context);
int runItems(CliContext& context);
int runCollections(CliContext& context);
int runCollection(CliContext& context);
int runSearch(CliContext& context);
int runReport(CliContext& context);
// Writes a report's page to --output (or the usual page file), prints where, and opens it with
// --open: what every command that makes a page ends with.
int writeReportPage(CliContext& context, const ReportCatalogue::Report& report, dvData& data,
                    const ReportRequest& wanted);
int runGraph(CliContext& context);
int runExport(CliContext& context);
int runBackup(CliContext& context);
int runRestore(CliContext& context);
int runCompact(CliContext& context);
int runAttach(CliContext& context);
int runAttachments(CliContext& context);
int runAttachmentSave(CliContext& context);
int runDetach(CliContext& context);
int runWarranties(CliContext& context);
int runIncidentNew(CliContext& context);
int runIncidentAdd(CliContext& context);
int runIncidents(CliContext& context);
int runClaim(CliContext& context);
int runCoverage(CliContext& context);
int runCoverageSet(CliContext& context);
