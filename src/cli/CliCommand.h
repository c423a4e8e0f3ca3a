#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>
#include <QVector>
#include <functional>

class dvData;
class Recordset;

// What a command of the command-line tool gets: its own arguments, the resolved data folder and
// the two output streams.
struct CliContext {
    QStringList args;
    QString dataDirOverride;
    QTextStream& out;
    QTextStream& err;

    // Resolves (and creates) the data folder as the application does.
    QString dataFolder() const;
    // Points the context at the data folder's database, which must exist and be valid: a
    // command that only reads never creates one. Throws DbError otherwise.
    void openDatabase(dvData& data) const;
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

// Thrown by a command that was given arguments it does not take; the tool prints the message
// and the usage text and exits with ExitCode::Usage.
struct UsageError {
    QString message;
};

struct CliCommand {
    QString name;
    QString synopsis;    // arguments, as shown in the usage text
    QString description; // one line
    std::function<int(CliContext&)> run;
};

// Every command the tool knows, in the order the usage text lists them.
const QVector<CliCommand>& cliCommands();

// Each command lives in a file of its own and is listed here.
int runInit(CliContext& context);
int runCheck(CliContext& context);
int runItems(CliContext& context);
int runCollections(CliContext& context);
int runCollection(CliContext& context);
