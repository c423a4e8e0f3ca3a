#pragma once

#include "CliCommand.h"

#include <QString>
#include <QVector>

// The usage texts of the tool, written from the commands' declarations: what --help prints, and
// what follows the message when a command line is refused.
namespace CliUsage {

// The tool's: its global options and every command.
QString tool(const QVector<CliCommand>& commands);
// A group's (`domivo-cli incident --help`): its sub-commands.
QString group(const QString& name, const QVector<CliCommand>& members);
// One command's: its synopsis, description, options and arguments.
QString command(const CliCommand& command);

} // namespace CliUsage
