// Backup, restore and compact of the database file: what each keeps (every table, identifiers,
// Null dates, collection values), what each notes in the settings, and that a failure, a cancel
// or a full disk at any point leaves the database, byte for byte, as it was.

#include "FullDisk.h"
#include "TestEnvironment.h"

#include "app/Clock.h"
#include "app/Settings.h"
#include "data/Connection.h"
#include "data/ConnectionString.h"
#include "data/DbError.h"
#include "maintenance/MaintenanceJob.h"
#include "maintenance/MaintenanceText.h"

#include <QDir>

namespace {

const QDateTime Now(QDate(2026, 6, 9), QTime(14, 30, 5));

// Every row of every table, as the sqlite3 tool lists them (Null memo and empty text alike), in
// an order of their own.
QString contents(const QString& file) {
    QString all;
    for (const char* table :
         {"tblCollectionFieldType_LKP", "tblLocation_Lkp", "tblType_Lkp", "tblItem",
          "tblCollection", "tblCollectionField", "tblCollectionItem", "tblCollectionItemField"}) {
        QStringList rows =
            runSqlite(file, QStringLiteral("SELECT * FROM %1;").arg(table)).split('\n');
        rows.sort();
        all += table + QStringLiteral(":\n") + rows.join('\n');
    }
    return all;
}

// Items with an identifier gap, a Null memo and a Null date; a collection with field values.
void fill(const TestDatabase& db) {
    db.sql("INSERT INTO tblItem (ItemID, ItemNM, TypeTX, PurchaseDT, PurchasePriceAM, CommentsTX) "
           "VALUES (7, 'Sofa', 'Furniture', NULL, 1234500, NULL), "
           "(12, 'Lamp', NULL, '2025-10-31', NULL, 'It''s \"vintage\"');"
           "INSERT INTO tblCollection VALUES ('Coins', 'old ones');"
           "INSERT INTO tblCollectionField VALUES ('Coins', 0, 'Year', 3, 1, NULL), "
           "('Coins', 2, 'Minted', 6, 0, NULL);"
           "INSERT INTO tblCollectionItem (ItemID, ItemNM, CollectionNM) VALUES "
           "(40, 'Penny', 'Coins'), (41, 'Dime', 'Coins');"
           "INSERT INTO tblCollectionItemField VALUES (40, 0, '1909'), (40, 2, '1909-08-02'), "
           "(41, 0, '1916'), (41, 2, '');"
           "DELETE FROM tblType_Lkp WHERE TypeTX = 'Art';");
}

// Enough items that copying them takes many steps and a file far larger than a fresh one.
void addItems(const TestDatabase& db, int count) {
    db.sql(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE "
                          "i < %1) INSERT INTO tblItem (ItemNM, CommentsTX) SELECT 'Item ' || i, "
                          "printf('%.200c', 'x') FROM n;")
               .arg(count));
}

// Partial files left beside the database or beside the backup files.
QStringList leftovers(const TestEnvironment& env) {
    QStringList found;
    for (const QString& folder : {env.root(), env.dataFolder()})
        found += QDir(folder).entryList({"*.partial*"}, QDir::Files | QDir::Hidden);
    return found;
}

} // namespace

class MaintenanceTest : public QObject {
    Q_OBJECT

private slots:
    void init() { Clock::setNow(Now); }
    void cleanup() { Clock::setNow({}); }

    void textsOfTheWindows() {
        // A half rounds to the even number.
        QCOMPARE(MaintenanceText::kilobytes(100864), QString("98"));
        QCOMPARE(MaintenanceText::kilobytes(101888), QString("100"));
        QCOMPARE(MaintenanceText::kilobytes(100865), QString("99"));
        QCOMPARE(MaintenanceText::kilobytes(0), QString("0"));
        QCOMPARE(MaintenanceText::sizeBeforeCompact(100864),
                 QString("Before compacting, the database size was 98 KB."));
        QCOMPARE(MaintenanceText::sizeAfterCompact(101888),
                 QString("After compacting, the database size is 100 KB."));

        QVERIFY(MaintenanceText::hasBackupExtension("/media/usb/home.dvb"));
        QVERIFY(MaintenanceText::hasBackupExtension("home.Dvb"));
        QVERIFY(!MaintenanceText::hasBackupExtension("/data/Domivo.mdb"));
        QVERIFY(!MaintenanceText::hasBackupExtension("DVB"));
        QCOMPARE(MaintenanceText::wrongExtension(),
                 QString("Qelto Domivo backup files must have a .DVB file extension"));
        QCOMPARE(MaintenanceText::notABackup(),
                 QString("This is not a valid Qelto Domivo backup file."));
    }

    void backupAndRestoreGoRoundTrip() {
        TestDatabase db;
        fill(db);
        // A table the user added to the file goes along: the copy is the whole file.
        db.sql("CREATE TABLE Notes (Note TEXT); INSERT INTO Notes VALUES ('garage code');");
        const QString live = db.databaseFile();
        const QString backup = db.filePath("home.dvb");
        const QString before = contents(live);

        MaintenanceJob::backup(live, backup, false)->run();
        QCOMPARE(Settings::text(SettingKeys::LastBackup), QString("2026-06-09"));
        QVERIFY(Settings::text(SettingKeys::LastCompact).isEmpty());
        QVERIFY(dvData::ValidBackup(ConnectionString::forFile(backup)));
        QCOMPARE(runSqlite(backup, "SELECT * FROM tblBackup;"), QString("2026-06-09 14:30:05\n"));
        QCOMPARE(contents(backup), before);

        // Whatever happened since the backup is undone by the restore.
        db.sql("DELETE FROM tblCollection; DELETE FROM tblItem WHERE ItemID = 7;"
               "INSERT INTO tblItem (ItemNM) VALUES ('Bought later'); DROP TABLE Notes;");
        MaintenanceJob::restore(live, backup)->run();
        QCOMPARE(contents(live), before);
        QCOMPARE(runSqlite(live, "SELECT Note FROM Notes;"), QString("garage code\n"));
        QCOMPARE(runSqlite(live, "SELECT ItemID, quote(CommentsTX), quote(PurchaseDT) FROM "
                                 "tblItem ORDER BY 1;"),
                 QString("7|''|NULL\n12|'It''s \"vintage\"'|'2025-10-31'\n"));
        QCOMPARE(runSqlite(live, "SELECT count(*) FROM tblBackup; PRAGMA foreign_key_check;"),
                 QString("0\n"));
        QVERIFY(dvData::ValidDatabase(ConnectionString::forFile(live)));
        // New identifiers continue after the restored ones.
        db.sql("INSERT INTO tblItem (ItemNM) VALUES ('Rug');");
        QCOMPARE(db.sql("SELECT max(ItemID) FROM tblItem;"), QString("13\n"));
        QCOMPARE(leftovers(db), QStringList());
    }

    void backupReplacesAFileOnlyWhenAsked() {
        TestDatabase db;
        const QString backup = db.filePath("home.DVB");
        writeFile(backup, "an older backup");
        QVERIFY_THROWS_EXCEPTION(DbError,
                                 MaintenanceJob::backup(db.databaseFile(), backup, false)->run());
        QCOMPARE(readFile(backup), QByteArray("an older backup"));
        QVERIFY(Settings::text(SettingKeys::LastBackup).isEmpty());

        MaintenanceJob::backup(db.databaseFile(), backup, true)->run();
        MaintenanceJob::backup(db.databaseFile(), backup, true)->run();
        QCOMPARE(runSqlite(backup, "SELECT count(*) FROM tblBackup;"), QString("1\n"));
    }

    void restoreWantsABackupFile() {
        TestDatabase db;
        const QString live = db.databaseFile();
        // The database itself, renamed: it has no backup table.
        QFile::copy(live, db.filePath("copy.DVB"));
        writeFile(db.filePath("notes.DVB"), "shopping list");
        db.sql("INSERT INTO tblItem (ItemNM) VALUES ('Kept');");
        const QByteArray bytes = readFile(live);
        for (const char* name : {"copy.DVB", "notes.DVB", "missing.DVB"}) {
            QVERIFY_THROWS_EXCEPTION(DbError,
                                     MaintenanceJob::restore(live, db.filePath(name))->run());
            QCOMPARE(readFile(live), bytes);
        }
    }

    void compactKeepsEveryRowAndShrinksTheFile() {
        TestDatabase db;
        fill(db);
        addItems(db, 2000);
        db.sql("DELETE FROM tblItem WHERE ItemNM LIKE 'Item %';");
        const QString live = db.databaseFile();
        const QString before = contents(live);

        const auto job = MaintenanceJob::compact(live);
        QCOMPARE(job->sizeBefore(), QFileInfo(live).size());
        job->run();
        QVERIFY2(job->sizeAfter() * 4 < job->sizeBefore(),
                 qPrintable(QString("%1 -> %2").arg(job->sizeBefore()).arg(job->sizeAfter())));
        QCOMPARE(job->sizeAfter(), QFileInfo(live).size());
        QCOMPARE(contents(live), before);
        QCOMPARE(runSqlite(live, "SELECT count(*) FROM tblBackup; PRAGMA integrity_check;"),
                 QString("0\nok\n"));
        QCOMPARE(Settings::text(SettingKeys::LastCompact), QString("2026-06-09"));
        QCOMPARE(leftovers(db), QStringList());
    }

    void workComesInStepsAndCancellingChangesNothing() {
        TestDatabase db;
        addItems(db, 3000);
        const QString live = db.databaseFile();
        const QByteArray bytes = readFile(live);
        for (int operation = 0; operation < 2; ++operation) {
            auto job = operation == 0 ? MaintenanceJob::compact(live)
                                      : MaintenanceJob::backup(live, db.filePath("b.DVB"), false);
            int steps = 0;
            int last = 0;
            while (job->rowsCopied() < 1500) {
                QVERIFY(!job->step(250));
                QVERIFY(job->percent() >= last);
                last = job->percent();
                ++steps;
            }
            QVERIFY(steps >= 6);
            QVERIFY(last > 0 && last < 100);
            QVERIFY(!leftovers(db).isEmpty());
            job.reset();
            QCOMPARE(readFile(live), bytes);
            QCOMPARE(leftovers(db), QStringList());
            QVERIFY(!QFileInfo::exists(db.filePath("b.DVB")));
        }
        QVERIFY(Settings::text(SettingKeys::LastCompact).isEmpty());
    }

    void aFullDiskLeavesEveryFileAsItWas_data() {
        QTest::addColumn<int>("operation");
        QTest::newRow("backup") << 0;
        QTest::newRow("restore") << 1;
        QTest::newRow("compact") << 2;
    }
    void aFullDiskLeavesEveryFileAsItWas() {
        QFETCH(int, operation);
        TestDatabase db;
        addItems(db, 1500);
        const QString live = db.databaseFile();
        const QString backup = db.filePath("home.DVB");
        MaintenanceJob::backup(live, backup, false)->run();
        db.sql("DELETE FROM tblItem WHERE ItemID > 700;");
        const QByteArray liveBytes = readFile(live);
        const QByteArray backupBytes = readFile(backup);
        std::unique_ptr<MaintenanceJob> job;
        if (operation == 0)
            job = MaintenanceJob::backup(live, backup, true);
        else if (operation == 1)
            job = MaintenanceJob::restore(live, backup);
        else
            job = MaintenanceJob::compact(live);
        QString message;
        {
            // Room for the first pages of the new file only.
            FullDisk full(QFileInfo(live).size() / 3);
            try {
                job->run();
            } catch (const DbError& error) {
                message = error.message();
            }
        }
        QVERIFY2(message.startsWith("Copying '" + (operation == 1 ? backup : live) + "'") &&
                     message.contains("disk"),
                 qPrintable(message));
        QCOMPARE(readFile(live), liveBytes);
        QCOMPARE(readFile(backup), backupBytes);
        QCOMPARE(leftovers(db), QStringList());
        QVERIFY_THROWS_EXCEPTION(DbError, job->step());
    }

    void aCopyThatDoesNotReadBackIsNeverPutInPlace() {
        TestDatabase db;
        fill(db);
        const QString live = db.databaseFile();
        const QByteArray bytes = readFile(live);
        const auto check = [&](const char* damage, const char* expected) {
            auto job = MaintenanceJob::compact(live);
            job->copyJob().setBeforeCheckForTesting(
                [damage](const QString& copy) { runSqlite(copy, damage); });
            try {
                job->run();
                QFAIL("the damaged copy was put in place");
            } catch (const DbError& error) {
                QVERIFY2(error.message().contains(expected), qPrintable(error.message()));
            }
            QCOMPARE(readFile(live), bytes);
            QCOMPARE(leftovers(db), QStringList());
        };
        check("DELETE FROM tblCollectionItemField WHERE ItemID = 41;",
              "holds 2 rows in tblCollectionItemField where 4 were written");
        check("DROP TABLE tblBackup;", "no table tblBackup");
        QVERIFY(Settings::text(SettingKeys::LastCompact).isEmpty());
    }
};

DOMIVO_TEST_MAIN(MaintenanceTest)
#include "tst_maintenance.moc"
