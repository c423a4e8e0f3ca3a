// backup, restore and compact of the command-line tool: their refusals, what they print and
// note in the settings. That compact keeps every row is the core's test; killed runs and full
// disks are the fault-injection test's.

#include "TestEnvironment.h"

#include "app/Settings.h"

#include <QRegularExpression>

namespace {

QString itemNames(const QString& database) {
    return runSqlite(database, "SELECT group_concat(ItemNM) FROM tblItem;").trimmed();
}

} // namespace

class MaintenanceCliTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDatabase> db;

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
        QCOMPARE(Settings::text(SettingKeys::LastCompact), storedToday());

        QFile::remove(db->databaseFile());
        QCOMPARE(cli({"compact"}).exitCode, 1);
        QVERIFY(!QFileInfo::exists(db->databaseFile()));
    }
};

DOMIVO_TEST_MAIN(MaintenanceCliTest)
#include "tst_maintenancecli.moc"
