// domivo-cli: the command-line tool over the same data folder, database and settings as the
// desktop application, for scripts and for checking the stores from outside.

#include "CliCommand.h"
#include "CliRunner.h"

#include "app/AppPaths.h"
#include "app/Clock.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

int main(int argc, char* argv[]) {
    Clock::readLocalZoneOnce();
    QCoreApplication app(argc, argv);
    AppPaths::setApplicationIdentity();
    QTextStream out(stdout);
    QTextStream err(stderr);
    return CliRunner(cliCommands(), out, err).run(QCoreApplication::arguments());
}
