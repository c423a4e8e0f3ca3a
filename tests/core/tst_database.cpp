// The database context: creating, recognising, copying and upgrading whole database files, and
// the start-up's handling of a file that is not ours. A file is never taken for "not ours"
// because it is busy, locked, unreadable or holds an interrupted write.

#include "TestEnvironment.h"

#include "app/Settings.h"
#include "data/Connection.h"
#include "data/ConnectionString.h"
#include "data/DatabaseCheck.h"
#include "data/DbError.h"
#include "data/SqlFragment.h"
#include "maintenance/DatabaseStartup.h"
#include "maintenance/StagedDatabase.h"
#include "types/Currency.h"

#include <QDir>
#include <QFile>
#include <sys/stat.h>
#include <unistd.h>

class DatabaseTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;

    QString conn(const QString& name) { return ConnectionString::forFile(env->filePath(name)); }
    static qlonglong count(const QString& connString, const QString& sql) {
        return Connection(connString).scalar(sql).toLongLong();
    }

private slots:
    void init() { env = std::make_unique<TestEnvironment>(); }
    void cleanup() {
        Connection::setBusyTimeout(Connection::DefaultBusyTimeoutMs);
        env.reset();
    }

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
        QVERIFY(!dvData::ValidBackup(other.connString()));
        // Asking about a missing file does not create it.
        QVERIFY(!dvData::ValidDatabase(conn("missing.mdb")));
        QVERIFY(!QFile::exists(env->filePath("missing.mdb")));
    }

    void anInterruptedWriteIsRolledBackNotTakenForInvalid() {
        TestDatabase db;
        leaveInterruptedWrite(db.databaseFile());
        QVERIFY(QFileInfo(db.databaseFile() + "-journal").size() > 0);
        QVERIFY(dvData::ValidDatabase(db.data.connString()));
        QVERIFY(!QFile::exists(db.databaseFile() + "-journal"));
        QCOMPARE(db.sql("SELECT count(*) FROM tblItem; PRAGMA integrity_check;"),
                 QString("0\nok\n"));
    }

    void troubleIsNamedAndTheFileLeftAlone() {
        TestDatabase db;
        const QString file = db.databaseFile();
        const QByteArray before = readFile(file);
        Connection::setBusyTimeout(100);
        {
            // Another program keeps the database locked beyond the busy timeout.
            Connection holder = Connection::openFile(file);
            holder.execute("BEGIN EXCLUSIVE");
            const DatabaseCheck check = DatabaseCheck::examine(file);
            QCOMPARE(check.verdict(), DatabaseCheck::Verdict::InUse);
            QCOMPARE(check.message(), QString("The database '%1' is in use by another program "
                                              "(database is locked).")
                                          .arg(file));
            try {
                db.data.Inventory().Item().ItemType().AddAll({"Hats"});
                QFAIL("a write went through a lock");
            } catch (const DbError& error) {
                QCOMPARE(error.message(),
                         QString("The database is in use by another program (database is "
                                 "locked)."));
            }
        }
        QCOMPARE(readFile(file), before);

        // A FIFO would keep the engine waiting for a writer forever.
        const QString fifo = env->filePath("Domivo.fifo");
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QCOMPARE(DatabaseCheck::examine(fifo).verdict(), DatabaseCheck::Verdict::NotAFile);
        QVERIFY_THROWS_EXCEPTION(DbError, Connection::openFile(fifo));

        if (::geteuid() == 0)
            QSKIP("the superuser may read any file");
        QFile::setPermissions(file, QFileDevice::WriteOwner);
        const DatabaseCheck refused = DatabaseCheck::examine(file);
        QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QCOMPARE(refused.verdict(), DatabaseCheck::Verdict::NoAccess);
        QVERIFY(refused.message().contains("Permission denied"));
    }

    void creationsArePublishedWhole() {
        const QString file = env->filePath("Domivo.mdb");
        // What a creation killed in another process left, a copy under way in this one, and a
        // file of the user's that merely looks alike.
        const QString dead = file + ".2147483646-1.partial";
        const QString underWay = QString("Domivo.mdb.%1-99.partial").arg(::getpid());
        writeFile(dead, "half");
        writeFile(dead + "-journal", "half");
        writeFile(env->filePath(underWay), "under way");
        writeFile(file + ".partial", "mine");
        dvData data;
        data.setPath(file);
        QVERIFY(dvData::ValidDatabase(data.connString()));
        QCOMPARE(QDir(env->root()).entryList(QDir::Files),
                 QStringList({"Domivo.mdb", underWay, "Domivo.mdb.partial"}));

        // A file that appears under the destination's name while another is built is kept.
        const QString race = env->filePath("race.mdb");
        StagedDatabase staged(race);
        writeFile(staged.path(), "built");
        writeFile(race, "theirs");
        QVERIFY(!staged.publishNew());
        QCOMPARE(readFile(race), QByteArray("theirs"));
        QVERIFY(!QFile::exists(staged.path()));
    }

    void rebuildKeepsTheOldFileAndReplacesItInOneStep() {
        const QString file = env->databaseFile();
        const QString bad = env->dataFolder() + "/Domivo.bad";
        runSqlite(file, "CREATE TABLE recipes (name TEXT); INSERT INTO recipes VALUES ('soup');");
        const QByteArray old = readFile(file);
        // The journal of an older copy would be taken for the new copy's own.
        writeFile(bad + "-journal", "older damage");
        Settings::setText(SettingKeys::LastBackup, "2001-01-01");
        dvData data;
        const DatabaseStartup::Result opened = DatabaseStartup::open(data, file);
        QCOMPARE(opened.outcome, DatabaseStartup::Outcome::NotValid);
        QCOMPARE(
            opened.message,
            QString("'%1' is not a Domivo database: it has no table tblCollection.").arg(file));

        QCOMPARE(DatabaseStartup::rebuild(data).outcome, DatabaseStartup::Outcome::Ready);
        QCOMPARE(readFile(bad), old);
        QVERIFY(!QFile::exists(bad + "-journal"));
        QVERIFY(DatabaseCheck::examine(file, DatabaseCheck::Depth::Contents).isValid());
        QCOMPARE(Settings::text(SettingKeys::LastBackup), storedToday());
        QCOMPARE(QDir(env->dataFolder()).entryList(QDir::Files),
                 QStringList({"Domivo.bad", "Domivo.mdb"}));
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

    void copyTakesColumnNamesFromItsOwnSchemaOnly() {
        TestDatabase db;
        // A file that passes as a database, with a column name that would end the statement
        // it is put in and start another.
        QFile::copy(db.databaseFile(), env->filePath("crafted.mdb"));
        runSqlite(env->filePath("crafted.mdb"),
                  "ALTER TABLE tblItem RENAME COLUMN CommentsTX TO "
                  "\"x\"\") VALUES (1); DROP TABLE tblType_Lkp; --\";");
        QVERIFY(dvData::ValidDatabase(conn("crafted.mdb")));
        QVERIFY_THROWS_EXCEPTION(DbError,
                                 dvData::Copy(conn("copy.DVB"), conn("crafted.mdb"), true));
        // Nor does a source that is missing leave an empty backup behind.
        QVERIFY_THROWS_EXCEPTION(DbError,
                                 dvData::Copy(conn("copy.DVB"), conn("missing.mdb"), true));
        QCOMPARE(QDir(env->root()).entryList({"copy.DVB*"}), QStringList());
    }

    void textsWithANulCharacterAreRefused() {
        TestDatabase db;
        const QString name = QString("Gar") + QChar(0) + "age";
        QVERIFY(!db.data.Inventory().Item().Location().Add(name));
        QVERIFY_THROWS_EXCEPTION(DbError, db.data.Collection().Add(name, QString()));
        QVERIFY_THROWS_EXCEPTION(DbError, SqlFragment::quoteIdentifier(name));
        QCOMPARE(db.sql("SELECT count(*) FROM tblLocation_Lkp; SELECT count(*) FROM "
                        "tblCollection;"),
                 QString("23\n0\n"));
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

    void upgradeGivesOlderDatabasesTheLaterIndexes() {
        TestDatabase db;
        const QString index = "SELECT count(*) FROM sqlite_master WHERE type = 'index' AND "
                              "(tbl_name = 'tblCollectionItem' AND sql LIKE '%(CollectionNM)%' OR "
                              "tbl_name = 'tblItem' AND sql LIKE '%(PurchaseLocationTX)%');";
        QCOMPARE(db.sql(index), QString("2\n"));
        const QString plan = "EXPLAIN QUERY PLAN SELECT * FROM tblCollectionItem WHERE "
                             "CollectionNM = 'Coins' ORDER BY ItemID;";
        QVERIFY2(db.sql(plan).contains("USING INDEX CollectionItemKey"), qPrintable(db.sql(plan)));

        // A file made before the indexes gets them; while another program writes, it is used as
        // it is, and gets them at a later start.
        db.sql("DROP INDEX CollectionItemKey; DROP INDEX PurchaseLocationKey;");
        {
            Connection writer(db.data.connString());
            writer.execute("BEGIN IMMEDIATE");
            Connection::setBusyTimeout(50);
            dvData::UpdateDatabaseToVersion1_2(db.data.connString());
            Connection::setBusyTimeout(Connection::DefaultBusyTimeoutMs);
        }
        QCOMPARE(db.sql(index), QString("0\n"));
        dvData::UpdateDatabaseToVersion1_2(db.data.connString());
        QCOMPARE(db.sql(index), QString("2\n"));
    }
};

DOMIVO_TEST_MAIN(DatabaseTest)
#include "tst_database.moc"
