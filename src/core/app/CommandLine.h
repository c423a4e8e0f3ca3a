#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// What the desktop program and the command-line tool share on their command lines: the options
// both take first, the checks QCommandLineParser leaves to its caller, and the two-column
// tables of their usage texts.
namespace CommandLine {

// --data-dir DIR: the data folder instead of $DOMIVO_DATA_DIR or the per-user one.
QCommandLineOption dataDirOption();
QCommandLineOption helpOption();
QCommandLineOption versionOption();
// The three above, in the order the usage texts list them.
QList<QCommandLineOption> globalOptions();

// Parses args (the program's name first) with the options declared on the parser. Returns what
// is wrong with them, or an empty text: an unknown option, a missing or unexpected value, or
// an empty one (`--type=` is a mistake, not "any type"), except for the options named in
// mayBeEmpty, for which an empty value means something.
QString parse(QCommandLineParser& parser, const QStringList& args,
              const QStringList& mayBeEmpty = {});

// An option name as it is typed: -x for one letter, --name otherwise.
QString typed(const QString& name);

// "-h, --help" or "--data-dir DIR": an option as the usage texts show it.
QString label(const QCommandLineOption& option);

// Rows of two columns, indented by two, the second aligned; a line break in the second column
// continues under it.
using Row = QPair<QString, QString>;
QString table(const QList<Row>& rows);
QString optionTable(const QList<QCommandLineOption>& options);

} // namespace CommandLine
