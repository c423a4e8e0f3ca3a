// domivo-cli: the command-line tool over the same data folder, database and settings as the
// desktop application, for scripts and for checking the stores from outside.

#include "CliCommand.h"

#include "app/AppPaths.h"
#include "app/Version.h"
#include "data/DbError.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>
#include <stdexcept>

namespace {

void printUsage(QTextStream& stream) {
    stream << "Usage: domivo-cli [--data-dir DIR] COMMAND [ARGUMENTS]\n"
              "       domivo-cli --help | --version\n\n"
              "Options:\n"
              "  --data-dir DIR  the data folder (default: $DOMIVO_DATA_DIR, else the per-user\n"
              "                  data folder)\n"
              "  -h, --help      show this help\n"
              "  -v, --version   show the version\n\n"
              "Commands:\n";
    for (const CliCommand& command : cliCommands()) {
        QString line = QStringLiteral("  %1 %2").arg(command.name, command.synopsis).trimmed();
        stream << "  " << line << "\n      " << command.description << "\n";
    }
    stream.flush();
}

int usageFailure(QTextStream& err, const QString& message) {
    err << "domivo-cli: " << message << "\n\n";
    printUsage(err);
    return ExitCode::Usage;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    AppPaths::setApplicationIdentity();
    QTextStream out(stdout);
    QTextStream err(stderr);

    QStringList args = app.arguments().mid(1);
    QString dataDir;
    while (!args.isEmpty() && args.first().startsWith(QLatin1Char('-'))) {
        const QString option = args.takeFirst();
        if (option == QLatin1String("-h") || option == QLatin1String("--help")) {
            printUsage(out);
            return ExitCode::Ok;
        }
        if (option == QLatin1String("-v") || option == QLatin1String("--version")) {
            out << "domivo-cli " << Version::Text << Qt::endl;
            return ExitCode::Ok;
        }
        if (option == QLatin1String("--data-dir")) {
            if (args.isEmpty() || args.first().isEmpty())
                return usageFailure(err, QStringLiteral("--data-dir needs a folder"));
            dataDir = args.takeFirst();
        } else if (option.startsWith(QLatin1String("--data-dir="))) {
            dataDir = option.mid(int(qstrlen("--data-dir=")));
            if (dataDir.isEmpty())
                return usageFailure(err, QStringLiteral("--data-dir needs a folder"));
        } else {
            return usageFailure(err, QStringLiteral("unknown option %1").arg(option));
        }
    }
    if (args.isEmpty())
        return usageFailure(err, QStringLiteral("no command given"));

    const QString name = args.takeFirst();
    for (const CliCommand& command : cliCommands()) {
        if (command.name != name)
            continue;
        CliContext context{args, dataDir, out, err};
        try {
            const int code = command.run(context);
            out.flush();
            return code;
        } catch (const UsageError& error) {
            out.flush();
            return usageFailure(err, error.message);
        } catch (const DbError& error) {
            out.flush();
            err << "domivo-cli: " << error.message() << Qt::endl;
            return ExitCode::Failed;
        } catch (const std::exception& error) {
            out.flush();
            err << "domivo-cli: " << error.what() << Qt::endl;
            return ExitCode::Failed;
        }
    }
    return usageFailure(err, QStringLiteral("unknown command %1").arg(name));
}
