// The database context: creating, recognising, copying and upgrading whole database files.

#include "TestEnvironment.h"

#include "data/Connection.h"
#include "data/ConnectionString.h"
#include "data/DbError.h"
#include "data/dvData.h"
#include "types/Currency.h"

#include <QDir>
#include <QFile>

class DatabaseTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TestEnvironment> env;

    QString conn(const QString& name) { return ConnectionString::forFile(env->filePath(name)); }
    static qlonglong count(const QString& connString, const QString& sql) {
        return Connection(connString).scalar(sql).toLongLong();
    }

private slots:
    void init() { env = std::make_unique<TestEnvironment>(); }
    void cleanup() { env.reset(); }

    void settingThePathCreatesAMissingFileOnly() {
        dvData data;
        data.setPath(env->databaseFile());
        QVERIFY(dvData::ValidDatabase(data.connString()));
        QCOMPARE(count(data.connString(), "SELECT count(*) FROM tblType_Lkp"), 23);

        // A second context on the same, now existing, file changes nothing in it.
        Connection(data.connString()).execute("DELETE FROM tblLocation_Lkp");
        const QByteArray before = readFile(env->databaseFile());
        dvData again;
        again.setPath(env->databaseFile());
        QCOMPARE(readFile(env->databaseFile()), before);

        // Nor does it touch a file that is not a database at all.
        writeFile(env->filePath("notes.mdb"), "shopping list\n");
        dvData other;
        other.setPath(env->filePath("notes.mdb"));
        QCOMPARE(readFile(env->filePath("notes.mdb")), QByteArray("shopping list\n"));
        QVERIFY(!dvData::ValidDatabase(other.connString()));
    }

    void connectionStringGivesThePathBack() {
        const QString path = env->filePath("My Documents/Home Inventory; 2026/Domivo.mdb");
        QDir().mkpath(QFileInfo(path).path());
        dvData data;
        data.setPath(path);
        QCOMPARE(data.Path(), path);
        QCOMPARE(data.PhysicalPath(), path);
        QVERIFY(data.connString().startsWith("Provider=SQLite3;Data Source="));
        QVERIFY(data.connString().endsWith(";"));
        QVERIFY(dvData::ValidDatabase(data.connString()));
    }

    void validityOfFilesThatAreNotDatabases_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("text file") << QByteArray("Domivo\r\nnot a database\r\n");
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("random bytes") << QByteArray(4096, '\x5a');
    }
    void validityOfFilesThatAreNotDatabases() {
        QFETCH(QByteArray, content);
        writeFile(env->filePath("bad.mdb"), content);
        QVERIFY(!dvData::ValidDatabase(conn("bad.mdb")));
        QVERIFY(!dvData::ValidBackup(conn("bad.mdb")));
        QCOMPARE(readFile(env->filePath("bad.mdb")), content);
        QVERIFY(!dvData::ValidDatabase(conn("missing.mdb")));
        QVERIFY(!QFile::exists(env->filePath("missing.mdb")));
    }

    void validityOfTruncatedAndForeignDatabases() {
        dvData data;
        data.setPath(env->databaseFile());
        const QByteArray whole = readFile(env->databaseFile());
        writeFile(env->filePath("truncated.mdb"), whole.left(whole.size() / 3));
        QVERIFY(!dvData::ValidDatabase(conn("truncated.mdb")));

        runSqlite(env->filePath("other.mdb"), "CREATE TABLE recipes (name TEXT, steps TEXT);");
        QVERIFY(!dvData::ValidDatabase(conn("other.mdb")));

        // Every table present, but tblItem one column short.
        QFile::copy(env->databaseFile(), env->filePath("short.mdb"));
        runSqlite(env->filePath("short.mdb"), "ALTER TABLE tblItem DROP COLUMN CommentsTX;");
        QVERIFY(!dvData::ValidDatabase(conn("short.mdb")));
    }

    void backupsAreDatabasesWithTheBackupTable() {
        dvData data;
        data.setPath(env->databaseFile());
        QVERIFY(!dvData::ValidBackup(data.connString()));

        try {
            dvData::Copy(conn("stamped.DVB"), data.connString(), true);
        } catch (const DbError& e) {
            qWarning() << e.message();
            throw;
        }
        dvData::Copy(conn("plain.DVB"), data.connString(), false);
        QVERIFY(dvData::ValidBackup(conn("stamped.DVB")));
        QVERIFY(dvData::ValidBackup(conn("plain.DVB")));
        QVERIFY(dvData::ValidDatabase(conn("plain.DVB")));
        QCOMPARE(count(conn("stamped.DVB"), "SELECT count(*) FROM tblBackup"), 1);
        QCOMPARE(count(conn("plain.DVB"), "SELECT count(*) FROM tblBackup"), 0);

        const QDateTime stamp =
            Connection(conn("stamped.DVB")).scalar("SELECT BackupDT FROM tblBackup").toDateTime();
        QVERIFY(qAbs(stamp.secsTo(QDateTime::currentDateTime())) < 60);
    }

    void copyKeepsEveryValueAndIdentifier() {
        dvData data;
        data.setPath(env->databaseFile());
        runSqlite(env->databaseFile(),
                  "INSERT INTO tblItem (ItemID, ItemNM, TypeTX, PurchaseDT, PurchasePriceAM, "
                  "WarrantyCD, CommentsTX) VALUES (7, 'Sofa', 'Furniture', NULL, 1234500, 1, "
                  "NULL);"
                  "INSERT INTO tblItem (ItemID, ItemNM, PurchaseDT, CommentsTX) VALUES "
                  "(12, 'Lamp', '2025-10-31', 'It''s \"vintage\"');"
                  "INSERT INTO tblCollection VALUES ('Coins', NULL);"
                  "INSERT INTO tblCollectionField VALUES ('Coins', 0, 'Year', 3, 1, NULL);"
                  "INSERT INTO tblCollectionField VALUES ('Coins', 2, 'Mint', 1, 0, 'P;D;S');"
                  "INSERT INTO tblCollectionItem (ItemID, ItemNM, CollectionNM) VALUES "
                  "(40, 'Penny', 'Coins');"
                  "INSERT INTO tblCollectionItem (ItemID, ItemNM, CollectionNM) VALUES "
                  "(41, 'Dime', 'Coins');"
                  "INSERT INTO tblCollectionItemField VALUES (40, 0, '1909'), (40, 2, 'S'), "
                  "(41, 0, '1916'), (41, 2, '');");
        // Rows deleted before copying leave a gap that the copy keeps.
        runSqlite(env->databaseFile(), "DELETE FROM tblType_Lkp WHERE TypeTX = 'Art';");

        dvData::Copy(conn("copy.mdb"), data.connString(), false);
        const QString c = conn("copy.mdb");
        QCOMPARE(count(c, "SELECT count(*) FROM tblType_Lkp"), 22);
        QCOMPARE(count(c, "SELECT count(*) FROM tblLocation_Lkp"), 23);

        const Recordset items = Connection(c).query("SELECT * FROM tblItem ORDER BY ItemID");
        QCOMPARE(items.rowCount(), 2);
        QCOMPARE(items.value(0, "ItemID").toLongLong(), 7);
        QCOMPARE(items.value(0, "CommentsTX").toString(), QString(""));
        QVERIFY(!items.value(0, "CommentsTX").isNull());
        QVERIFY(items.value(0, "PurchaseDT").isNull());
        QCOMPARE(items.value(0, "PurchasePriceAM").value<Currency>(), Currency::fromUnits(1234500));
        QCOMPARE(items.value(0, "WarrantyCD").toBool(), true);
        QCOMPARE(items.value(1, "ItemID").toLongLong(), 12);
        QCOMPARE(items.value(1, "PurchaseDT").toDate(), QDate(2025, 10, 31));
        QCOMPARE(items.value(1, "CommentsTX").toString(), QString("It's \"vintage\""));

        QCOMPARE(Connection(c)
                     .scalar("SELECT FieldListTX FROM tblCollectionField WHERE FieldID "
                             "= 0")
                     .toString(),
                 QString(""));
        QCOMPARE(count(c, "SELECT count(*) FROM tblCollectionItemField f JOIN tblCollectionItem "
                          "i ON i.ItemID = f.ItemID"),
                 4);
        QCOMPARE(Connection(c)
                     .scalar("SELECT FieldValueTX FROM tblCollectionItemField WHERE ItemID = 40 "
                             "AND FieldID = 2")
                     .toString(),
                 QString("S"));
        QCOMPARE(runSqlite(env->filePath("copy.mdb"),
                           "PRAGMA integrity_check; PRAGMA foreign_key_check;")
                     .trimmed(),
                 QString("ok"));

        // New identifiers continue after the copied ones.
        Connection(c).execute("INSERT INTO tblItem (ItemNM) VALUES ('Rug')");
        QCOMPARE(count(c, "SELECT max(ItemID) FROM tblItem"), 13);
    }

    void createRefusesAnExistingFile() {
        writeFile(env->filePath("taken.mdb"), "keep me");
        QVERIFY_THROWS_EXCEPTION(DbError, dvData::CreateDatabase(conn("taken.mdb"), false));
        QCOMPARE(readFile(env->filePath("taken.mdb")), QByteArray("keep me"));
        QVERIFY_THROWS_EXCEPTION(DbError,
                                 dvData::Copy(conn("taken.mdb"), conn("missing.mdb"), false));
        QCOMPARE(readFile(env->filePath("taken.mdb")), QByteArray("keep me"));
    }

    void createWithAndWithoutTheBackupTable() {
        dvData::CreateDatabase(conn("live.mdb"), false);
        dvData::CreateDatabase(conn("backup.DVB"), true);
        QVERIFY(dvData::ValidDatabase(conn("live.mdb")));
        QVERIFY(!dvData::ValidBackup(conn("live.mdb")));
        QVERIFY(dvData::ValidBackup(conn("backup.DVB")));
        // Built but not seeded.
        QCOMPARE(count(conn("live.mdb"), "SELECT count(*) FROM tblType_Lkp"), 0);
    }

    void upgradeLeavesTheSchemaAsItIs() {
        dvData data;
        data.setPath(env->databaseFile());
        const QString before = runSqlite(env->databaseFile(), "SELECT sql FROM sqlite_master;");
        dvData::UpdateDatabaseToVersion1_2(data.connString());
        dvData::UpdateDatabaseToVersion1_2(data.connString());
        QCOMPARE(runSqlite(env->databaseFile(), "SELECT sql FROM sqlite_master;"), before);
        QVERIFY_THROWS_EXCEPTION(DbError, dvData::UpdateDatabaseToVersion1_2(conn("missing.mdb")));
    }
};

DOMIVO_TEST_MAIN(DatabaseTest)
#include "tst_database.moc"
