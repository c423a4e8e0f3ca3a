// The database under the mishaps of real use: a writer killed (SIGKILL) at random moments of
// its writes, a creation killed part-way, another program holding the database locked. After
// each, the command-line tool and the start-up logic that the desktop program runs must find a
// valid, complete database, and never take it for a file that is not ours (the question that
// offers to replace it).

#include "KilledRun.h"
#include "TestEnvironment.h"

#include "data/Connection.h"
#include "data/DatabaseCheck.h"
#include "data/DbError.h"
#include "maintenance/DatabaseStartup.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>

namespace {

// Fixed, so that a failure can be run again as it happened.
constexpr quint32 Seed = 20260609;

// The system's folder for temporary files, on a disk (see main()).
QString diskTemporaryFolder;

QString journalOf(const QString& file) {
    return file + "-journal";
}

// The database with its journal, copied as a kill left them into a data folder of its own.
QString copyAsLeft(const QString& file, const QString& folder) {
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    const QString copy = QDir(folder).filePath("Domivo.mdb");
    QFile::copy(file, copy);
    if (QFileInfo::exists(journalOf(file)))
        QFile::copy(journalOf(file), journalOf(copy));
    return folder;
}

QString lastLine(const QString& text) {
    return text.trimmed().section('\n', -1);
}

} // namespace

class CrashSafetyTest : public QObject {
    Q_OBJECT

    QRandomGenerator random{Seed};

    static ProcessResult cli(const TestEnvironment& env, const QString& dataFolder,
                             const QStringList& args) {
        return runProcess(DOMIVO_CLI_PATH, QStringList{"--data-dir", dataFolder} + args,
                          env.processEnvironment());
    }
    // What the desktop program's start-up makes of the file: true when it opens it without a
    // question or an error.
    static bool startupOpens(const QString& file, QString* message) {
        dvData data;
        const DatabaseStartup::Result opened = DatabaseStartup::open(data, file);
        *message = opened.message;
        return opened.outcome == DatabaseStartup::Outcome::Ready;
    }

    // What the command-line tool's listings do: the database opened as they open it, then the
    // inventory grid and the collections read. "" when that works.
    static QString listingError(const QString& file) {
        const DatabaseCheck check = DatabaseCheck::examine(file);
        if (!check.isValid())
            return check.message();
        try {
            dvData data;
            data.setPath(file);
            data.Inventory().Item().ListMainGrid(0, {}, {}, {}, {});
            data.Collection().List();
        } catch (const DbError& error) {
            return error.message();
        }
        return {};
    }

private slots:
    void cleanup() { Connection::setBusyTimeout(Connection::DefaultBusyTimeoutMs); }

    void killedWritersLeaveAValidDatabase() {
        TestDatabase db;
        // The writers work on a disk, where the syncs make each write last long enough for
        // many kills to land in the middle of one; the readers' copies stay in memory.
        QTemporaryDir disk(diskTemporaryFolder + "/Domivo-XXXXXX");
        const QString file = QDir(disk.path()).filePath("Domivo.mdb");
        QVERIFY(QFile::copy(db.databaseFile(), file));
        const int trials = 100;
        int journals = 0;
        QStringList failures;
        QElapsedTimer clock;
        clock.start();
        for (int trial = 0; trial < trials; ++trial) {
            const KilledRun run =
                KilledRun::start(DOMIVO_WRITER_PATH, {"write", file}, db.processEnvironment(),
                                 random.bounded(20000), "ready");
            QVERIFY2(run.killed, qPrintable(run.err));
            if (QFileInfo(journalOf(file)).size() > 0)
                ++journals;
            // Each reader meets the interrupted write itself, in a copy of its own: what the
            // command-line tool's check and listings do and the start-up logic every time, the
            // tool itself as a separate program every fourth time.
            const QString tag = QString("trial %1: ").arg(trial);
            const auto copy = [&](const QString& name) {
                return copyAsLeft(file, db.filePath(name));
            };
            const DatabaseCheck check = DatabaseCheck::examine(
                QDir(copy("check")).filePath("Domivo.mdb"), DatabaseCheck::Depth::Contents);
            if (!check.isValid())
                failures << tag + "check: " + check.message();
            if (const QString error = listingError(QDir(copy("list")).filePath("Domivo.mdb"));
                !error.isEmpty())
                failures << tag + "listing: " + error;
            QString message;
            if (!startupOpens(QDir(copy("start")).filePath("Domivo.mdb"), &message))
                failures << tag + "start-up: " + message;
            if (trial % 4 != 0)
                continue;
            const ProcessResult checked = cli(db, copy("check"), {"check"});
            if (checked.exitCode != 0 || lastLine(checked.out) != "valid")
                failures << tag + "domivo-cli check: " + checked.out + checked.err;
            for (const QString command : {"items", "collections"}) {
                const ProcessResult listed = cli(db, copy(command), {command});
                if (listed.exitCode != 0)
                    failures << tag + "domivo-cli " + command + ": " + listed.err;
            }
        }
        qInfo("%d writers killed at random moments in %lld ms, %d of them in the middle of a "
              "write (journal left); readers that did not find a valid database: %lld",
              trials, clock.elapsed(), journals, qlonglong(failures.size()));
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join('\n')));
        // The kills must have hit writes under way, or the test proves nothing.
        QVERIFY(journals >= trials / 10);
    }

    // (A lock held beyond the busy timeout is reported as the database being in use, and the
    // file left alone, by the database and start-up tests.)
    void aLockedDatabaseIsWaitedFor() {
        TestDatabase db;
        const QString file = db.databaseFile();
        // A lock held longer than an ordinary write (2.3 s here, more than a 2 s timeout would
        // allow): readers and another writer wait for it rather than fail.
        QProcess holder;
        holder.start(DOMIVO_WRITER_PATH, {"lock", file, "exclusive", "2300"});
        QVERIFY(holder.waitForReadyRead(10000));
        QElapsedTimer clock;
        clock.start();
        QList<QProcess*> waiting;
        const auto startProcess = [&](const QString& program, const QStringList& args) {
            auto* process = new QProcess(this);
            process->setProcessEnvironment(db.processEnvironment());
            process->start(program, args);
            waiting << process;
        };
        startProcess(DOMIVO_CLI_PATH, {"check"});
        startProcess(DOMIVO_CLI_PATH, {"items"});
        startProcess(DOMIVO_CLI_PATH, {"collections"});
        startProcess(DOMIVO_WRITER_PATH, {"write", file, "2"});
        startProcess(DOMIVO_WRITER_PATH, {"write", file, "2"});
        for (QProcess* process : std::as_const(waiting)) {
            QVERIFY(process->waitForFinished(20000));
            QVERIFY2(process->exitCode() == 0, qPrintable(process->arguments().join(' ') + ": " +
                                                          process->readAllStandardOutput() +
                                                          process->readAllStandardError()));
        }
        QVERIFY(clock.elapsed() >= 2000);
        QVERIFY(holder.waitForFinished(10000));
        // The holder that was killed wrote nothing; the one that finished did.
        QCOMPARE(runSqlite(file, "SELECT count(*) FROM tblLocation_Lkp WHERE LocationTX LIKE "
                                 "'Locked room%'"),
                 QString("1\n"));
        qInfo("%lld processes waited %lld ms for another program's lock and then succeeded",
              qlonglong(waiting.size()), clock.elapsed());
        qDeleteAll(waiting);
    }

    void killedCreationsLeaveNoDatabaseOrACompleteOne() {
        TestEnvironment env;
        // How long a creation takes here sets the range of the moments to kill it at.
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(cli(env, env.filePath("timed"), {"init"}).exitCode, 0);
        const qint64 creation = clock.elapsed() * 1000;

        const int trials = 50;
        int none = 0, complete = 0;
        QStringList failures;
        for (int trial = 0; trial < trials; ++trial) {
            const QString folder = env.filePath(QString("init%1").arg(trial));
            const QString file = QDir(folder).filePath("Domivo.mdb");
            const KilledRun run =
                KilledRun::start(DOMIVO_CLI_PATH, {"--data-dir", folder, "init"},
                                 env.processEnvironment(), random.bounded(creation + creation / 5));
            if (!QFileInfo::exists(file)) {
                ++none;
            } else {
                const DatabaseCheck check =
                    DatabaseCheck::examine(file, DatabaseCheck::Depth::Contents);
                if (check.isValid())
                    ++complete;
                else
                    failures << QString("trial %1 (killed: %2): %3")
                                    .arg(trial)
                                    .arg(run.killed)
                                    .arg(check.message());
            }
            // Every fifth time, the next start finishes the job and clears what the kill left.
            if (trial % 5 == 0) {
                QDir().mkpath(folder);
                QString message;
                if (!startupOpens(file, &message))
                    failures << QString("trial %1, next start: %2").arg(trial).arg(message);
                const QStringList left = QDir(folder).entryList({"*.partial*"}, QDir::Files);
                if (!left.isEmpty())
                    failures << QString("trial %1 left %2").arg(trial).arg(left.join(' '));
            }
        }
        qInfo("%d creations killed at random moments: %d left no database, %d a complete one, "
              "%lld anything else",
              trials, none, complete, qlonglong(failures.size()));
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join('\n')));
        QVERIFY(none > 0 && complete > 0);
    }
};

int main(int argc, char* argv[]) {
    // A killed process's writes stay in the system's file cache whatever holds the files, so
    // the readers need no disk; a file system in memory keeps their many syncs fast.
    diskTemporaryFolder = QDir::tempPath();
    if (QFileInfo("/dev/shm").isWritable() && qEnvironmentVariableIsEmpty("DOMIVO_TEST_ON_DISK"))
        qputenv("TMPDIR", "/dev/shm");
    QCoreApplication app(argc, argv);
    prepareTestProgram();
    CrashSafetyTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_crashsafety.moc"
