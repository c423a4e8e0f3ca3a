#include "app/DomivoMain.h"

#include "app/AppPaths.h"
#include "app/CommandLine.h"
#include "app/PageView.h"
#include "app/Version.h"
#include "app/frmMain.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>
#include <QTextStream>
#include <cstdio>
#include <stdexcept>

namespace {

// The desktop program's own option: the title window's three seconds are for a person starting
// the program, not for a script or someone who wants to work at once.
QCommandLineOption noSplashWaitOption() {
    return QCommandLineOption(QStringLiteral("no-splash-wait"),
                              QStringLiteral("show the main window as soon as the database is\n"
                                             "open, without waiting for the title window"));
}

QList<QCommandLineOption> options() {
    QList<QCommandLineOption> all = CommandLine::globalOptions();
    all.insert(1, noSplashWaitOption());
    return all;
}

QString usage() {
    return QStringLiteral("Usage: domivo [--data-dir DIR] [--no-splash-wait]\n"
                          "       domivo --help | --version\n\n"
                          "Options:\n") +
           CommandLine::optionTable(options());
}

void prepare(QCommandLineParser& parser) {
    parser.addOptions(options());
    // -platform is one of Qt's options, not -p -l -a ...
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
}

// Qt's own options (-platform, -style ...) are single-dash words that QApplication takes out of
// the command line later: they are left to it, and their values are ignored here as any other
// word that is not an option is. An unknown option with two dashes is a mistake.
QStringList withoutQtOptions(const QStringList& args) {
    QCommandLineParser probe;
    prepare(probe);
    probe.parse(args);
    QStringList own = args;
    for (const QString& name : probe.unknownOptionNames()) {
        const QString option = QLatin1Char('-') + name;
        own.removeIf([&](const QString& arg) {
            return arg == option || arg.startsWith(option + QLatin1Char('='));
        });
    }
    return own;
}

} // namespace

namespace DomivoMain {

int run(int argc, char* argv[], const std::function<void(frmMain&)>& started) {
    // The options are read before the window system is reached, so that --help, --version and
    // a refused option work without a display.
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));
    QCommandLineParser parser;
    prepare(parser);
    const QString misuse = CommandLine::parse(parser, withoutQtOptions(args));
    QTextStream out(stdout);
    if (parser.isSet(CommandLine::helpOption())) {
        out << usage();
        return 0;
    }
    if (parser.isSet(CommandLine::versionOption())) {
        out << "domivo " << Version::Text << Qt::endl;
        return 0;
    }
    if (!misuse.isEmpty()) {
        QTextStream(stderr) << "domivo: " << misuse << "\n\n" << usage();
        return 2;
    }
    const QString dataDir = parser.value(CommandLine::dataDirOption());
    if (parser.isSet(noSplashWaitOption()))
        frmMain::setSplashWait(false);

    PageView::prepareProcess();
    QApplication app(argc, argv);
    AppPaths::setApplicationIdentity();
    QApplication::setApplicationDisplayName(QString());
    QApplication::setApplicationVersion(QLatin1String(Version::Text));
    // The installed menu entry's name: the desktop shows that entry's name and icon for the
    // program's windows.
    QApplication::setDesktopFileName(QStringLiteral("com.qelto.Domivo"));

    QString folder;
    try {
        folder = AppPaths::dataFolder(dataDir);
    } catch (const std::exception& error) {
        QMessageBox::critical(nullptr, QStringLiteral("Qelto Domivo"),
                              QString::fromLocal8Bit(error.what()));
        return 1;
    }

    frmMain window(folder);
    QObject::connect(&window, &frmMain::ended, &app, &QApplication::quit, Qt::QueuedConnection);
    if (const auto exitCode = window.MDIForm_Load())
        return *exitCode;
    if (started)
        started(window);
    return app.exec();
}

} // namespace DomivoMain
