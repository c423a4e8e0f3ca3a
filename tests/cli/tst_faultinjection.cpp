// backup, restore and compact of the command-line tool under the faults of real use: killed
// (SIGKILL) at random moments, a hundred times each, and run out of disk space, both where the
// process may write no more (a file size limit) and on a small file system of its own. After
// every fault the database passes the validity and integrity checks and holds exactly the rows
// it held before, or, once a restore was done, exactly the backup's rows; nothing half-written
// is ever put in place or left lying about.

#include "FullDisk.h"
#include "KilledRun.h"
#include "TestEnvironment.h"

#include "data/ConnectionString.h"
#include "data/DatabaseCheck.h"

#include <QDir>
#include <QElapsedTimer>
#include <QRandomGenerator>

namespace {

// Fixed, so that a failure can be run again as it happened.
constexpr quint32 Seed = 20260612;
constexpr int Trials = 100;

// Every row of every table, as the sqlite3 tool lists them.
QString contents(const QString& file) {
    return runSqlite(file, "SELECT * FROM tblItem ORDER BY 1; SELECT * FROM tblType_Lkp; "
                           "SELECT * FROM tblLocation_Lkp; SELECT * FROM "
                           "tblCollectionFieldType_LKP ORDER BY 1; SELECT * FROM tblCollection; "
                           "SELECT * FROM tblCollectionField ORDER BY 1, 2; SELECT * FROM "
                           "tblCollectionItem ORDER BY 1; SELECT * FROM tblCollectionItemField "
                           "ORDER BY 1, 2;");
}

QStringList leftovers(const QString& folder) {
    return QDir(folder).entryList({"*.partial*", "*-journal", "*-wal"}, QDir::Files | QDir::Hidden);
}

// What a whole database must pass: the program's own check of its tables and columns, and the
// engine's checks of every page and relation.
QString wholeDatabaseFault(const QString& file) {
    if (!dvData::ValidDatabase(ConnectionString::forFile(file)))
        return "not a valid database";
    const DatabaseCheck check = DatabaseCheck::examine(file, DatabaseCheck::Depth::Full);
    return check.isValid() ? QString() : check.message();
}

} // namespace

class FaultInjectionTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDatabase> db;
    QRandomGenerator random{Seed};
    QString live;
    QString backup;
    // The database before each operation, and what the backup holds.
    QByteArray liveBytes;
    QString before;
    QString backedUp;

    ProcessResult cli(const QStringList& args) {
        return runProcess(DOMIVO_CLI_PATH, args, db->processEnvironment());
    }
    QStringList commandOf(const QString& operation) const {
        if (operation == "backup")
            return {"backup", "--force", db->filePath("fresh.DVB")};
        if (operation == "restore")
            return {"restore", backup};
        return {"compact"};
    }
    // Puts the database back as it was before the operation, journal-free.
    void resetLive() {
        QFile::remove(live + "-journal");
        writeFile(live, liveBytes);
    }

private slots:
    // Enough rows for every operation to take a while, in items and a collection, with free
    // pages for compact to drop; the backup holds more items than the database.
    void initTestCase() {
        db = std::make_unique<TestDatabase>();
        live = db->databaseFile();
        backup = db->filePath("home.DVB");
        db->sql("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 6000) "
                "INSERT INTO tblItem (ItemNM, CommentsTX) SELECT 'Item ' || i, printf('%.100c', "
                "'x') FROM n; INSERT INTO tblCollection VALUES ('Coins', 'Old coins'); "
                "INSERT INTO tblCollectionField VALUES ('Coins', 0, 'Mint', 0, 0, NULL); "
                "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 500) "
                "INSERT INTO tblCollectionItem (ItemNM, CollectionNM, PurchasePriceAM) "
                "SELECT 'Coin ' || i, 'Coins', i * 10000 FROM n; INSERT INTO "
                "tblCollectionItemField SELECT ItemID, 0, 'D' FROM tblCollectionItem;");
        QCOMPARE(cli({"backup", backup}).exitCode, 0);
        db->sql("DELETE FROM tblItem WHERE ItemID > 3000;");
        liveBytes = readFile(live);
        before = contents(live);
        backedUp = contents(backup);
        QVERIFY(before != backedUp);
    }

    void killedAtRandomMoments_data() {
        QTest::addColumn<QString>("operation");
        QTest::newRow("backup") << "backup";
        QTest::newRow("restore") << "restore";
        QTest::newRow("compact") << "compact";
    }
    void killedAtRandomMoments() {
        QFETCH(QString, operation);
        const QStringList command = commandOf(operation);
        const QString fresh = db->filePath("fresh.DVB");
        const bool restore = operation == "restore";
        // How long the command takes here sets the range of the moments to kill it at.
        resetLive();
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(cli(command).exitCode, 0);
        // In microseconds; it includes the start before the program names the database, so it
        // is narrowed towards the work itself by each run that ended before its moment came.
        qint64 range = clock.elapsed() * 1000;

        QStringList failures;
        int killed = 0;
        int replaced = 0;
        clock.restart();
        for (int trial = 0; trial < Trials; ++trial) {
            resetLive();
            const qint64 delay = random.bounded(range);
            const KilledRun run = KilledRun::start(DOMIVO_CLI_PATH, command,
                                                   db->processEnvironment(), delay, "database: ");
            killed += run.killed;
            if (!run.killed)
                range = std::max<qint64>((3 * range + delay) / 4, 1000);
            const QString tag = QString("trial %1: ").arg(trial);
            if (!run.killed && run.exitCode != 0)
                failures << tag + run.err;
            if (const QString fault = wholeDatabaseFault(live); !fault.isEmpty()) {
                failures << tag + fault;
                continue;
            }
            const QString now = contents(live);
            replaced += restore && now == backedUp;
            if (now != before && !(restore && now == backedUp))
                failures << tag + "the database holds other rows";
            if (operation == "backup" && readFile(live) != liveBytes)
                failures << tag + "the database was changed";
            // A backup file, once there, is always a whole one.
            if (QFileInfo::exists(fresh) && contents(fresh) != before)
                failures << tag + "the backup file holds other rows";
        }
        const qint64 elapsed = clock.elapsed();
        // The next run clears what the killed ones left.
        resetLive();
        QCOMPARE(cli(command).exitCode, 0);
        const QStringList left = leftovers(db->root()) + leftovers(db->dataFolder());
        if (!left.isEmpty())
            failures << "left " + left.join(' ');
        qInfo("%s: %d runs, %d killed at random moments (%d after the new file was in place) in "
              "%lld ms; faults not survived: %lld",
              qPrintable(operation), Trials, killed, replaced, elapsed, qlonglong(failures.size()));
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join('\n')));
        // The kills must have hit runs under way, or the test proves nothing.
        QVERIFY(killed >= Trials / 3);
    }

    void aFullDiskChangesNothing_data() { killedAtRandomMoments_data(); }
    void aFullDiskChangesNothing() {
        QFETCH(QString, operation);
        const QStringList command = commandOf(operation);
        const QString fresh = db->filePath("fresh.DVB");
        resetLive();
        QFile::remove(fresh);
        // The size of the file the operation writes sets the limits: none of it, a few pages,
        // and a little, a third, two thirds and all but the last page of it.
        QCOMPARE(cli(command).exitCode, 0);
        const qint64 produced = QFileInfo(operation == "backup" ? fresh : live).size();
        QFile::remove(fresh);
        int refused = 0;
        for (const qint64 limit : {qint64(0), qint64(8192), produced / 10, produced / 3,
                                   produced * 2 / 3, produced - 4096}) {
            resetLive();
            ProcessResult result;
            {
                FullDisk full{rlim_t(limit)};
                result = cli(command);
            }
            const QString tag = QString("limit %1 of %2: ").arg(limit).arg(produced);
            QVERIFY2(result.exitCode == 1, qPrintable(tag + result.out + result.err));
            QVERIFY2(result.err.contains("File too large") || result.err.contains("disk"),
                     qPrintable(tag + result.err));
            QCOMPARE(readFile(live), liveBytes);
            QVERIFY(!QFileInfo::exists(fresh));
            QCOMPARE(leftovers(db->root()) + leftovers(db->dataFolder()), QStringList());
            ++refused;
        }
        qInfo("%s: %d runs on a full disk, each refused with the database unchanged",
              qPrintable(operation), refused);
    }

    // A real file system of its own, too small for the new file: the engine's "disk is full".
    // Mounting needs the right to (root outside a restricted container).
    void aFullFileSystemChangesNothing_data() { killedAtRandomMoments_data(); }
    void aFullFileSystemChangesNothing() {
        QFETCH(QString, operation);
        QTemporaryDir mountPoint;
        // Room for the database and a few pages more.
        const qint64 room = liveBytes.size() + 16384;
        const ProcessResult mounted = runProcess(
            "mount",
            {"-t", "tmpfs", "-o", QString("size=%1").arg(room), "tmpfs", mountPoint.path()},
            QProcessEnvironment::systemEnvironment());
        if (mounted.exitCode != 0)
            QSKIP(qPrintable("a small file system cannot be mounted here: " + mounted.err));
        const auto unmount = qScopeGuard([&] {
            runProcess("umount", {mountPoint.path()}, QProcessEnvironment::systemEnvironment());
        });
        const QString folder = mountPoint.path();
        const QString file = QDir(folder).filePath("Domivo.mdb");
        writeFile(file, liveBytes);
        QStringList command = commandOf(operation);
        if (operation == "backup")
            command.last() = QDir(folder).filePath("home.DVB");
        const ProcessResult result = runProcess(
            DOMIVO_CLI_PATH, QStringList{"--data-dir", folder} + command, db->processEnvironment());
        QVERIFY2(result.exitCode == 1, qPrintable(result.out + result.err));
        QVERIFY2(result.err.contains("disk is full"), qPrintable(result.err));
        QCOMPARE(readFile(file), liveBytes);
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"Domivo.mdb"});
    }
};

int main(int argc, char* argv[]) {
    // The kills land where they land whatever holds the files; a file system in memory keeps the
    // many syncs of three hundred runs fast.
    if (QFileInfo("/dev/shm").isWritable() && qEnvironmentVariableIsEmpty("DOMIVO_TEST_ON_DISK"))
        qputenv("TMPDIR", "/dev/shm");
    QCoreApplication app(argc, argv);
    prepareTestProgram();
    FaultInjectionTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_faultinjection.moc"
