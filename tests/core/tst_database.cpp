// The database context: creating, recognising, copying and upgrading whole database files.

#include "TestEnvironment.h"

#include "data/Connection.h"
#include "data/ConnectionString.h"
#include "data/DbError.h"
#include "types/Currency.h"

#include <QDir>
#include <QFile>

class DatabaseTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;

    QString conn(const QString& name) { return ConnectionString::forFile(env->filePath(name)); }
    static qlonglong count(const QString& connString, const QString& sql) {
        return Connection(connString).scalar(sql).toLongLong();
    }

private slots:
    void init() { env = std::make_unique<TestEnvironment>(); }
    void cleanup() { env.reset(); }

    void settingThePathCreatesAMissingFileOnly() {
        // Spaces and a semicolon in the path survive the connection string.
        const QString path = env->filePath("My Documents/Home; 2026/Domivo.mdb");
        QDir().mkpath(QFileInfo(path).path());
        dvData data;
        data.setPath(path);
        QCOMPARE(data.PhysicalPath(), path);
        QVERIFY(dvData::ValidDatabase(data.connString()));
        QCOMPARE(count(data.connString(), "SELECT count(*) FROM tblType_Lkp"), 23);

        // A second context on the same, now existing, file changes nothing in it.
        Connection(data.connString()).execute("DELETE FROM tblLocation_Lkp");
        const QByteArray before = readFile(path);
        dvData().setPath(path);
        QCOMPARE(readFile(path), before);

        // Nor does it touch a file that is not a database at all.
        writeFile(env->filePath("notes.mdb"), "shopping list\n");
        dvData other;
        other.setPath(env->filePath("notes.mdb"));
        QCOMPARE(readFile(env->filePath("notes.mdb")), QByteArray("shopping list\n"));
        QVERIFY(!dvData::ValidDatabase(other.connString()));
    }

    void filesThatAreNotDatabasesAreInvalid_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("text file") << QByteArray("Domivo\r\nnot a database\r\n");
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("random bytes") << QByteArray(4096, '\x5a');
    }
    void filesThatAreNotDatabasesAreInvalid() {
        QFETCH(QByteArray, content);
        writeFile(env->filePath("bad.mdb"), content);
        QVERIFY(!dvData::ValidDatabase(conn("bad.mdb")));
        QVERIFY(!dvData::ValidBackup(conn("bad.mdb")));
        QCOMPARE(readFile(env->filePath("bad.mdb")), content);
        QVERIFY(!dvData::ValidDatabase(conn("missing.mdb")));
        QVERIFY(!QFile::exists(env->filePath("missing.mdb")));
    }

    void truncatedAndForeignDatabasesAreInvalid() {
        TestDatabase db;
        const QByteArray whole = readFile(db.databaseFile());
        writeFile(env->filePath("truncated.mdb"), whole.left(whole.size() / 3));
        QVERIFY(!dvData::ValidDatabase(conn("truncated.mdb")));

        runSqlite(env->filePath("other.mdb"), "CREATE TABLE recipes (name TEXT, steps TEXT);");
        QVERIFY(!dvData::ValidDatabase(conn("other.mdb")));

        // Every table present, but tblItem with 18 columns.
        QFile::copy(db.databaseFile(), env->filePath("short.mdb"));
        runSqlite(env->filePath("short.mdb"), "ALTER TABLE tblItem DROP COLUMN CommentsTX;");
        QVERIFY(!dvData::ValidDatabase(conn("short.mdb")));
    }

    void backupsAreDatabasesWithTheBackupTable() {
        dvData::CreateDatabase(conn("live.mdb"), false);
        dvData::CreateDatabase(conn("backup.DVB"), true);
        QVERIFY(dvData::ValidDatabase(conn("live.mdb")));
        QVERIFY(!dvData::ValidBackup(conn("live.mdb")));
        QVERIFY(dvData::ValidBackup(conn("backup.DVB")));
        // Built but not seeded.
        QCOMPARE(count(conn("live.mdb"), "SELECT count(*) FROM tblType_Lkp"), 0);

        // A copy is stamped only when it is a backup.
        dvData::Copy(conn("stamped.DVB"), conn("live.mdb"), true);
        dvData::Copy(conn("plain.DVB"), conn("live.mdb"), false);
        QVERIFY(dvData::ValidBackup(conn("stamped.DVB")));
        QVERIFY(dvData::ValidBackup(conn("plain.DVB")));
        QCOMPARE(count(conn("plain.DVB"), "SELECT count(*) FROM tblBackup"), 0);
        const Recordset stamp = Connection(conn("stamped.DVB")).query("SELECT * FROM tblBackup");
        QCOMPARE(stamp.rowCount(), 1);
        QVERIFY(qAbs(stamp.value(0, 0).toDateTime().secsTo(QDateTime::currentDateTime())) < 60);
    }

    void copyKeepsEveryValueAndIdentifier() {
        TestDatabase db;
        db.sql("INSERT INTO tblItem (ItemID, ItemNM, TypeTX, PurchaseDT, PurchasePriceAM, "
               "WarrantyCD, CommentsTX) VALUES (7, 'Sofa', 'Furniture', NULL, 1234500, 1, NULL), "
               "(12, 'Lamp', NULL, '2025-10-31', NULL, NULL, 'It''s \"vintage\"');"
               "INSERT INTO tblCollection VALUES ('Coins', NULL);"
               "INSERT INTO tblCollectionField VALUES ('Coins', 0, 'Year', 3, 1, NULL), "
               "('Coins', 2, 'Mint', 1, 0, 'P;D;S');"
               "INSERT INTO tblCollectionItem (ItemID, ItemNM, CollectionNM) VALUES "
               "(40, 'Penny', 'Coins'), (41, 'Dime', 'Coins');"
               "INSERT INTO tblCollectionItemField VALUES (40, 0, '1909'), (40, 2, 'S'), "
               "(41, 0, '1916'), (41, 2, '');"
               // A row deleted before copying leaves a gap that the copy keeps.
               "DELETE FROM tblType_Lkp WHERE TypeTX = 'Art';");

        dvData::Copy(conn("copy.mdb"), db.data.connString(), false);
        const QString copy = env->filePath("copy.mdb");
        QCOMPARE(runSqlite(copy, "SELECT count(*) FROM tblType_Lkp"), QString("22\n"));
        QCOMPARE(runSqlite(copy, "SELECT ItemID, quote(CommentsTX), quote(PurchaseDT), "
                                 "PurchasePriceAM, WarrantyCD FROM tblItem ORDER BY ItemID"),
                 QString("7|''|NULL|1234500|1\n12|'It''s \"vintage\"'|'2025-10-31'||\n"));
        QCOMPARE(runSqlite(copy, "SELECT quote(FieldListTX) FROM tblCollectionField ORDER BY 1"),
                 QString("''\n'P;D;S'\n"));
        QCOMPARE(runSqlite(copy, "SELECT group_concat(v) FROM (SELECT ItemID || FieldID || '=' || "
                                 "FieldValueTX AS v FROM tblCollectionItemField JOIN "
                                 "tblCollectionItem USING (ItemID) ORDER BY 1)"),
                 QString("400=1909,402=S,410=1916,412=\n"));
        QCOMPARE(runSqlite(copy, "PRAGMA integrity_check; PRAGMA foreign_key_check;"),
                 QString("ok\n"));
        // New identifiers continue after the copied ones.
        Connection(conn("copy.mdb")).execute("INSERT INTO tblItem (ItemNM) VALUES ('Rug')");
        QCOMPARE(count(conn("copy.mdb"), "SELECT max(ItemID) FROM tblItem"), 13);
    }

    void createAndCopyNeverOverwriteAFile() {
        writeFile(env->filePath("taken.mdb"), "keep me");
        QVERIFY_THROWS_EXCEPTION(DbError, dvData::CreateDatabase(conn("taken.mdb"), false));
        QVERIFY_THROWS_EXCEPTION(DbError,
                                 dvData::Copy(conn("taken.mdb"), conn("missing.mdb"), false));
        QCOMPARE(readFile(env->filePath("taken.mdb")), QByteArray("keep me"));
    }

    void upgradeLeavesTheSchemaAsItIs() {
        TestDatabase db;
        const QString before = db.sql("SELECT sql FROM sqlite_master;");
        dvData::UpdateDatabaseToVersion1_2(db.data.connString());
        dvData::UpdateDatabaseToVersion1_2(db.data.connString());
        QCOMPARE(db.sql("SELECT sql FROM sqlite_master;"), before);
        QVERIFY_THROWS_EXCEPTION(DbError, dvData::UpdateDatabaseToVersion1_2(conn("missing.mdb")));
    }
};

DOMIVO_TEST_MAIN(DatabaseTest)
#include "tst_database.moc"
