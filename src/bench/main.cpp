// domivo-bench: builds a deterministic database and times the program's operations on it
// against the same statements run straight through the SQLite C API. See README.md.

#include "BenchDatabase.h"
#include "BenchRun.h"
#include "ProcessMemory.h"
#include "SqlCapture.h"
#include "StartupProbe.h"

#include "app/AppPaths.h"
#include "app/Clock.h"
#include "app/PageView.h"
#include "app/Settings.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocale>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstring>
#include <exception>

namespace {

struct Options {
    BenchDatabase::Size size;
    int runs = 5;
    QString keep;
    QStringList only;
};

// Reads the options; returns an error message, or "" when they are fine.
QString readOptions(const QStringList& args, Options& options, bool& help) {
    QCommandLineParser parser;
    const QCommandLineOption items(QStringLiteral("items"),
                                   QStringLiteral("inventory items to generate (100000)"),
                                   QStringLiteral("N"));
    const QCommandLineOption collections(QStringLiteral("collections"),
                                         QStringLiteral("large collections to generate (20)"),
                                         QStringLiteral("N"));
    const QCommandLineOption collectionItems(
        QStringLiteral("collection-items"), QStringLiteral("items in each large collection (5000)"),
        QStringLiteral("N"));
    const QCommandLineOption runs(QStringLiteral("runs"),
                                  QStringLiteral("timed runs of each operation (5)"),
                                  QStringLiteral("N"));
    const QCommandLineOption keep(
        QStringLiteral("keep"),
        QStringLiteral("keep the generated database in DIR (reused when it is there)"),
        QStringLiteral("DIR"));
    const QCommandLineOption only(
        QStringLiteral("only"),
        QStringLiteral("run only these groups of operations (comma-separated): grid, move, "
                       "collections, search, reports, graphs, exports, maintenance, startup, "
                       "cli, photos"),
        QStringLiteral("GROUPS"));
    const QCommandLineOption helpOption({QStringLiteral("h"), QStringLiteral("help")},
                                        QStringLiteral("show this help"));
    parser.addOptions({items, collections, collectionItems, runs, keep, only, helpOption});
    if (!parser.parse(args))
        return parser.errorText();
    help = parser.isSet(helpOption);
    const auto number = [&](const QCommandLineOption& option, qint64 lowest, qint64& value) {
        if (!parser.isSet(option))
            return true;
        bool ok = false;
        value = parser.value(option).toLongLong(&ok);
        return ok && value >= lowest;
    };
    qint64 n = options.size.items;
    if (!number(items, 1, n))
        return QStringLiteral("--items needs a number of at least 1");
    options.size.items = n;
    n = options.size.collections;
    if (!number(collections, 0, n) || n > 1000)
        return QStringLiteral("--collections needs a number from 0 to 1000");
    options.size.collections = int(n);
    n = options.size.collectionItems;
    if (!number(collectionItems, 1, n) || n > 10000000)
        return QStringLiteral("--collection-items needs a number from 1 to 10000000");
    options.size.collectionItems = int(n);
    n = options.runs;
    if (!number(runs, 1, n) || n > 100)
        return QStringLiteral("--runs needs a number from 1 to 100");
    options.runs = int(n);
    options.keep = parser.value(keep);
    if (parser.isSet(only)) {
        static const QStringList groups{
            QStringLiteral("grid"),    QStringLiteral("move"),        QStringLiteral("collections"),
            QStringLiteral("search"),  QStringLiteral("reports"),     QStringLiteral("graphs"),
            QStringLiteral("exports"), QStringLiteral("maintenance"), QStringLiteral("startup"),
            QStringLiteral("cli"),     QStringLiteral("photos")};
        options.only = parser.value(only).split(QLatin1Char(','), Qt::SkipEmptyParts);
        for (const QString& group : std::as_const(options.only))
            if (!groups.contains(group))
                return QStringLiteral("--only does not know the group \"%1\"").arg(group);
    }
    return QString();
}

const char* const Usage =
    "Usage: domivo-bench [--items N] [--collections N] [--collection-items N] [--runs N]\n"
    "                    [--keep DIR] [--only GROUPS]\n\n"
    "Generates a database (default: 100000 inventory items, 20 collections of 5000 items\n"
    "with four fields each, and one of 100 items), times the program's operations on it and\n"
    "the same statements run straight through the SQLite C API, and prints one table.\n"
    "--only runs some groups of operations (comma-separated): grid, move, collections,\n"
    "search, reports, graphs, exports, maintenance, startup, cli, photos.\n";

} // namespace

int main(int argc, char* argv[]) {
    if (argc >= 3 && std::strcmp(argv[1], StartupProbe::Flag) == 0)
        return StartupProbe::runProbe(argc, argv);

    QStringList args;
    for (int i = 0; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));
    Options options;
    bool help = false;
    const QString misuse = readOptions(args, options, help);
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (help) {
        out << Usage;
        return 0;
    }
    if (!misuse.isEmpty()) {
        err << "domivo-bench: " << misuse << "\n\n" << Usage;
        return 2;
    }

    // A world of its own: the settings, the help cache and the data folder are temporary, so
    // that the user's are never touched; the child processes inherit it.
    QTemporaryDir world;
    if (!world.isValid()) {
        err << "domivo-bench: cannot create a temporary folder\n";
        return 1;
    }
    const QDir root(world.path());
    for (const char* folder : {"config", "cache", "data", "scratch"})
        root.mkpath(QLatin1String(folder));
    qputenv("XDG_CONFIG_HOME", root.filePath(QStringLiteral("config")).toUtf8());
    qputenv("XDG_CACHE_HOME", root.filePath(QStringLiteral("cache")).toUtf8());
    qputenv("LC_ALL", "C.UTF-8");
    // As the programs do; the child processes inherit it.
    Clock::readLocalZoneOnce();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QString dataFolder =
        options.keep.isEmpty() ? root.filePath(QStringLiteral("data")) : options.keep;
    QDir().mkpath(dataFolder);
    const QString database = AppPaths::databaseFile(dataFolder);

    SqlCapture::install();
    PageView::prepareProcess();
    QApplication app(argc, argv);
    AppPaths::setApplicationIdentity();
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       root.filePath(QStringLiteral("config")));
    // The generated warranties run out around today: the start-up list of them would wait for
    // a click in the measured start-ups.
    Settings::setFlag(SettingKeys::RemindWarranty, false);

    try {
        if (!QFile::exists(database)) {
            err << "Generating " << options.size.items << " inventory items and "
                << options.size.collections << " collections of " << options.size.collectionItems
                << " items in " << database << " ..." << Qt::endl;
            QElapsedTimer clock;
            clock.start();
            BenchDatabase::generate(database, options.size);
            err << "  done in " << clock.elapsed() << " ms, "
                << QFileInfo(database).size() / (1024 * 1024) << " MB" << Qt::endl;
        }
        BenchRun::Settings settings{
            .size = options.size,
            .runs = options.runs,
            .dataFolder = dataFolder,
            .scratchFolder = root.filePath(QStringLiteral("scratch")),
            .cliProgram =
                QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("domivo-cli")),
            .benchProgram = QCoreApplication::applicationFilePath(),
            .measureProgram = QDir(QCoreApplication::applicationDirPath())
                                  .filePath(QStringLiteral("domivo-bench-measure")),
            .only = options.only};
        BenchRun bench(settings);
        bench.runAll([&](const QString& name) { err << "  " << name << Qt::endl; });
        out << "domivo-bench: " << options.size.items << " inventory items, "
            << options.size.collections << " collections of " << options.size.collectionItems
            << " items; median of " << options.runs << " runs\n\n";
        bench.table().print(out);
        const qint64 limit = options.size.items <= 100000 ? 150 : 500;
        // The program's own figure is the start-up's: domivo itself, with the whole inventory
        // in its grid. The benchmark process also holds what its earlier operations left.
        qint64 program = 0;
        for (const BenchTable::Row& row : bench.table().rows())
            if (row.operation.startsWith(QLatin1String("start-up")))
                program = row.peakBytes;
        out << "\npeak memory: ";
        if (program > 0)
            out << program / (1024 * 1024) << " MB, the program started with every item in its "
                << "grid (target < " << limit << " MB); ";
        out << bench.table().peakBytes() / (1024 * 1024)
            << " MB, the benchmark process over all operations\n";
    } catch (const std::exception& error) {
        err << "domivo-bench: " << error.what() << Qt::endl;
        return 1;
    }
    return 0;
}
