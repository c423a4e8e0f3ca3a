// The command-line tool's first commands, run as a separate process the way scripts use it.

#include "TestEnvironment.h"

#include "data/ConnectionString.h"
#include "data/dvData.h"

#include <QDir>
#include <QFile>

class CliTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;

    ProcessResult cli(const QStringList& args) {
        return runProcess(QStringLiteral(DOMIVO_CLI_PATH), args, env->processEnvironment());
    }

private slots:
    void init() { env = std::make_unique<TestEnvironment>(); }
    void cleanup() { env.reset(); }

    void initCreatesASeededDatabaseInTheDataFolder() {
        const QString folder = env->filePath("new folder/inventory");
        const ProcessResult result = cli({"--data-dir", folder, "init"});
        QCOMPARE(result.exitCode, 0);
        const QString file = QDir(folder).filePath("Domivo.mdb");
        QVERIFY(QFile::exists(file));
        QVERIFY2(result.out.contains("database: " + file), qPrintable(result.out));
        QVERIFY(result.out.contains("tblType_Lkp: 23"));
        QVERIFY(result.out.contains("tblLocation_Lkp: 23"));
        QVERIFY(result.out.contains("tblCollectionFieldType_LKP: 8"));
        QCOMPARE(runSqlite(file, "PRAGMA integrity_check; PRAGMA foreign_key_check;").trimmed(),
                 QString("ok"));

        // Running it again leaves the existing file alone.
        runSqlite(file, "DELETE FROM tblType_Lkp WHERE TypeTX = 'Art';");
        const QByteArray before = readFile(file);
        QCOMPARE(cli({"--data-dir=" + folder, "init"}).exitCode, 0);
        QCOMPARE(readFile(file), before);
    }

    void checkTellsValidFromInvalid() {
        QCOMPARE(cli({"check"}).exitCode, 1); // nothing there yet
        // Without --data-dir the data folder comes from the environment.
        QCOMPARE(cli({"init"}).exitCode, 0);
        QVERIFY(QFile::exists(env->databaseFile()));
        ProcessResult result = cli({"check"});
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out.trimmed(), QString("valid"));

        writeFile(env->filePath("notes.txt"), "not a database");
        result = cli({"check", env->filePath("notes.txt")});
        QCOMPARE(result.exitCode, 1);
        QVERIFY(result.out.startsWith("invalid: "));
        QCOMPARE(readFile(env->filePath("notes.txt")), QByteArray("not a database"));

        runSqlite(env->filePath("short.mdb"), "CREATE TABLE tblItem (ItemID INTEGER);");
        QCOMPARE(cli({"check", env->filePath("short.mdb")}).exitCode, 1);
    }

    void checkWithBackupWantsTheBackupTable() {
        QCOMPARE(cli({"init"}).exitCode, 0);
        const ProcessResult live = cli({"check", "--backup"});
        QCOMPARE(live.exitCode, 1);
        QVERIFY(live.out.contains("backup"));
        dvData::Copy(ConnectionString::forFile(env->filePath("home.DVB")),
                     ConnectionString::forFile(env->databaseFile()), true);
        QCOMPARE(cli({"check", "--backup", env->filePath("home.DVB")}).exitCode, 0);
        QCOMPARE(cli({"check", env->filePath("home.DVB")}).exitCode, 0);
    }

    void helpVersionAndBadArguments() {
        ProcessResult result = cli({"--help"});
        QCOMPARE(result.exitCode, 0);
        QVERIFY(result.out.contains("Usage: domivo-cli"));
        QVERIFY(result.out.contains("check [--backup] [FILE]"));
        result = cli({"--version"});
        QCOMPARE(result.exitCode, 0);
        QVERIFY(result.out.startsWith("domivo-cli 1."));

        for (const QStringList& args :
             {QStringList{}, QStringList{"frobnicate"}, QStringList{"--colour", "init"},
              QStringList{"--data-dir"}, QStringList{"init", "extra"},
              QStringList{"check", "--force"}, QStringList{"check", "a", "b"}}) {
            result = cli(args);
            QVERIFY2(result.exitCode == 2, qPrintable(args.join(' ')));
            QVERIFY(result.err.contains("Usage: domivo-cli"));
        }
        QVERIFY(!QFile::exists(env->databaseFile()));
    }
};

DOMIVO_TEST_MAIN(CliTest)
#include "tst_cli.moc"
