// backup, restore and compact of the command-line tool: their refusals, what they print and
// note in the settings, and the database after each of them was killed at a random moment:
// always whole, holding what it held before or, once a restore or compact was done, after.

#include "KilledRun.h"
#include "TestEnvironment.h"

#include "app/Settings.h"
#include "data/ConnectionString.h"
#include "data/DatabaseCheck.h"

#include <QDir>
#include <QElapsedTimer>
#include <QRandomGenerator>

namespace {

// Fixed, so that a failure can be run again as it happened.
constexpr quint32 Seed = 20260610;

QString itemNames(const QString& database) {
    return runSqlite(database, "SELECT group_concat(ItemNM) FROM tblItem;").trimmed();
}

// Every row of every table, as the sqlite3 tool lists them.
QString contents(const QString& file) {
    return runSqlite(file, "SELECT * FROM tblItem ORDER BY 1; SELECT * FROM tblType_Lkp; "
                           "SELECT * FROM tblLocation_Lkp; SELECT * FROM "
                           "tblCollectionFieldType_LKP ORDER BY 1;");
}

QStringList leftovers(const QString& folder) {
    return QDir(folder).entryList({"*.partial*"}, QDir::Files | QDir::Hidden);
}

} // namespace

class MaintenanceCliTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDatabase> db;
    QRandomGenerator random{Seed};

    ProcessResult cli(const QStringList& args) {
        return runProcess(DOMIVO_CLI_PATH, args, db->processEnvironment());
    }

private slots:
    void init() {
        db = std::make_unique<TestDatabase>();
        db->sql("INSERT INTO tblItem (ItemNM) VALUES ('Chair');");
    }
    void cleanup() { db.reset(); }

    void backup() {
        const ProcessResult wrong = cli({"backup", db->filePath("home.mdb")});
        QCOMPARE(wrong.exitCode, 2);
        QVERIFY2(wrong.err.contains("Qelto Domivo backup files must have a .DVB file extension"),
                 qPrintable(wrong.err));
        QCOMPARE(cli({"backup", db->filePath("nowhere/home.DVB")}).exitCode, 1);
        QVERIFY(Settings::text(SettingKeys::LastBackup).isEmpty());

        const QString file = db->filePath("home.dvb");
        const ProcessResult made = cli({"backup", file});
        QCOMPARE(made.exitCode, 0);
        QCOMPARE(made.out, "database: " + db->databaseFile() + "\nbackup file: " + file +
                               "\nrows copied: 55\nQelto Domivo data successfully backed up\n");
        QCOMPARE(runSqlite(file, "SELECT count(*) FROM tblBackup;"), QString("1\n"));
        QCOMPARE(itemNames(file), QString("Chair"));
        QCOMPARE(Settings::text(SettingKeys::LastBackup), storedToday());

        db->sql("INSERT INTO tblItem (ItemNM) VALUES ('Table');");
        const QByteArray old = readFile(file);
        const ProcessResult refused = cli({"backup", file});
        QCOMPARE(refused.exitCode, 1);
        QVERIFY2(refused.err.contains("already exists (--force replaces it)"),
                 qPrintable(refused.err));
        QCOMPARE(readFile(file), old);
        const ProcessResult replaced = cli({"backup", "--force", file});
        QCOMPARE(replaced.exitCode, 0);
        QVERIFY(replaced.out.contains(file + " (replaced)\n"));
        QCOMPARE(itemNames(file), QString("Chair,Table"));
        QCOMPARE(runSqlite(file, "SELECT count(*) FROM tblBackup;"), QString("1\n"));
    }

    void restore() {
        const QString file = db->filePath("home.DVB");
        QCOMPARE(cli({"backup", file}).exitCode, 0);
        QFile::copy(db->databaseFile(), db->filePath("live.DVB"));

        const ProcessResult copy = cli({"restore", db->filePath("live.DVB")});
        QCOMPARE(copy.exitCode, 1);
        QVERIFY2(copy.err.contains("This is not a valid Qelto Domivo backup file.\n'"),
                 qPrintable(copy.err));
        QCOMPARE(cli({"restore", db->filePath("missing.DVB")}).exitCode, 1);
        QCOMPARE(cli({"restore", db->databaseFile()}).exitCode, 2);

        // A database that is no longer one is what a restore is for.
        writeFile(db->databaseFile(), "garbage");
        const ProcessResult restored = cli({"restore", file});
        QCOMPARE(restored.exitCode, 0);
        QCOMPARE(restored.out, "database: " + db->databaseFile() + "\nrestored from: " + file +
                                   "\nrows copied: 55\nQelto Domivo database successfully "
                                   "restored.\n");
        QCOMPARE(itemNames(db->databaseFile()), QString("Chair"));
        QVERIFY(dvData::ValidDatabase(db->data.connString()));
        QVERIFY(Settings::text(SettingKeys::LastCompact).isEmpty());
    }

    void compact() {
        db->sql("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 500) "
                "INSERT INTO tblItem (ItemNM, CommentsTX) SELECT 'Item ' || i, printf('%.500c', "
                "'x') FROM n; DELETE FROM tblItem WHERE ItemNM LIKE 'Item %';");
        const QString before = contents(db->databaseFile());
        const ProcessResult compacted = cli({"compact"});
        QCOMPARE(compacted.exitCode, 0);
        const QStringList lines = compacted.out.split('\n');
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[0], "database: " + db->databaseFile());
        const QRegularExpression before_("^Before compacting, the database size was (\\d+) KB\\.$");
        const QRegularExpression after_("^After compacting, the database size is (\\d+) KB\\.$");
        QVERIFY2(before_.match(lines[1]).hasMatch(), qPrintable(lines[1]));
        QVERIFY2(after_.match(lines[2]).hasMatch(), qPrintable(lines[2]));
        QVERIFY(after_.match(lines[2]).captured(1).toInt() <
                before_.match(lines[1]).captured(1).toInt());
        QCOMPARE(contents(db->databaseFile()), before);
        QCOMPARE(Settings::text(SettingKeys::LastCompact), storedToday());

        QFile::remove(db->databaseFile());
        QCOMPARE(cli({"compact"}).exitCode, 1);
        QVERIFY(!QFileInfo::exists(db->databaseFile()));
    }

    void killedAtAnyMomentTheDatabaseStaysWhole() {
        db->sql("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 20000) "
                "INSERT INTO tblItem (ItemNM, CommentsTX) SELECT 'Item ' || i, printf('%.100c', "
                "'x') FROM n;");
        const QString live = db->databaseFile();
        const QString backup = db->filePath("home.DVB");
        const QString earlier = db->filePath("earlier.DVB");
        const QString fresh = db->filePath("fresh.DVB");
        QCOMPARE(cli({"backup", backup}).exitCode, 0);
        db->sql("DELETE FROM tblItem WHERE ItemID > 10000;");
        QCOMPARE(cli({"backup", earlier}).exitCode, 0);
        const QString before = contents(live);
        const QString backedUp = contents(backup);

        QStringList failures;
        int killed = 0;
        int replaced = 0;
        for (const QStringList& command :
             {QStringList{"backup", "--force", fresh}, QStringList{"compact"},
              QStringList{"restore", backup}}) {
            const bool restore = command[0] == "restore";
            // How long the command takes here sets the range of the moments to kill it at.
            QElapsedTimer clock;
            clock.start();
            QCOMPARE(cli(command).exitCode, 0);
            const qint64 duration = clock.elapsed() * 1000;
            for (int trial = 0; trial < 12; ++trial) {
                if (restore)
                    QCOMPARE(cli({"restore", earlier}).exitCode, 0);
                const QByteArray bytes = readFile(live);
                const KilledRun run =
                    KilledRun::start(DOMIVO_CLI_PATH, command, db->processEnvironment(),
                                     random.bounded(duration + duration / 2), "database: ");
                killed += run.killed;
                const QString tag = QString("%1, trial %2: ").arg(command[0]).arg(trial);
                if (!run.killed && run.exitCode != 0)
                    failures << tag + run.err;
                const DatabaseCheck check =
                    DatabaseCheck::examine(live, DatabaseCheck::Depth::Full);
                if (!check.isValid()) {
                    failures << tag + check.message();
                    continue;
                }
                const QString now = contents(live);
                if (now != before && !(restore && now == backedUp))
                    failures << tag + "the database holds other rows";
                replaced += restore && now == backedUp;
                if (!restore && readFile(live) != bytes && command[0] == "backup")
                    failures << tag + "the database was changed";
                if (command[0] == "backup" && contents(fresh) != before)
                    failures << tag + "the backup file holds other rows";
            }
            // The next run clears what the killed ones left.
            QCOMPARE(cli(command).exitCode, 0);
            const QStringList left = leftovers(db->root()) + leftovers(db->dataFolder());
            if (!left.isEmpty())
                failures << command[0] + " left " + left.join(' ');
        }
        qInfo("%d of 36 runs killed at random moments, %d restores after the new file was in "
              "place; runs that left anything but a whole database: %lld",
              killed, replaced, qlonglong(failures.size()));
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join('\n')));
        // The kills must have hit runs under way, or the test proves nothing.
        QVERIFY(killed >= 12);
    }
};

DOMIVO_TEST_MAIN(MaintenanceCliTest)
#include "tst_maintenancecli.moc"
