// The command-line tool, run as a separate process the way scripts use it: init and check, and
// the listings, on a database whose rows the sqlite3 tool wrote in the storage forms (amounts in
// ten-thousandths, ISO dates, flags 0/1).

#include "TestEnvironment.h"

#include "app/Settings.h"
#include "data/ConnectionString.h"
#include "graphs/gphGeneral.h"

#include <QDir>
#include <QFile>

namespace {

const QString itemsHeader = "ItemID\tManufacturer\tItem\tModel\tPrice\tType\tLocation\n";
const QString radio = "1\tZenith\tRadio\tZ1\t$1,234.50\tElectronics\tKitchen\n";
const QString wetsuit = "2\tO'Neil\tWet suit\t\t$199.99\tSports Equipment\tGarage\n";

QString lastLine(const QString& text) {
    return text.trimmed().section('\n', -1);
}

} // namespace

class CliTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;

    ProcessResult cli(const QStringList& args, const QString& locale = QString()) {
        QProcessEnvironment environment = env->processEnvironment();
        if (!locale.isEmpty())
            environment.insert("LC_ALL", locale);
        return runProcess(DOMIVO_CLI_PATH, args, environment);
    }
    // Creates the database of the data folder and writes two items and two collections.
    void writeRows() {
        dvData().setPath(env->databaseFile());
        runSqlite(
            env->databaseFile(),
            "INSERT INTO tblItem (ItemID, ManufacturerNM, ItemNM, ModelSeriesTX, PurchaseDT, "
            "WarrantyCD, PurchasePriceAM, TypeTX, LocationTX, CommentsTX) VALUES "
            "(1, 'Zenith', 'Radio', 'Z1', '2023-05-02', 1, 12345000, 'Electronics', 'Kitchen', "
            "'line one\nline two'), "
            "(2, 'O''Neil', 'Wet\tsuit', NULL, '2024-03-15', 0, 1999900, 'Sports Equipment', "
            "'Garage', NULL);"
            "INSERT INTO tblCollection VALUES ('Coins', 'old\tones'), ('Old Stamps', NULL);"
            "INSERT INTO tblCollectionField VALUES ('Coins', 2, 'Mint''s [mark]', 0, 0, NULL), "
            "('Coins', 0, 'Year of \"issue\"', 3, 1, NULL), "
            "('Old Stamps', 0, 'Country', 0, 0, NULL);"
            "INSERT INTO tblCollectionItem VALUES "
            "(1, 'Penny', 'Coins', 12345000, NULL, NULL, NULL, '2024-01-01'), "
            "(2, 'Dime', 'Coins', NULL, NULL, NULL, NULL, '2024-01-01');"
            "INSERT INTO tblCollectionItemField VALUES "
            "(1, 0, '1909'), (1, 2, 'S'), (2, 0, '1916'), (2, 2, '');");
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

    void checkSaysWhatItFound() {
        QCOMPARE(cli({"check"}).exitCode, 1); // nothing there yet
        // Without --data-dir the data folder comes from the environment.
        QCOMPARE(cli({"init"}).exitCode, 0);
        QVERIFY(QFile::exists(env->databaseFile()));
        ProcessResult result = cli({"check"});
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out,
                 QString("tables: ok\nsize: ok\nquick_check: ok\nstarting rows: ok\nvalid\n"));
        result = cli({"check", "--full"});
        QCOMPARE(result.exitCode, 0);
        QVERIFY(result.out.endsWith("integrity_check: ok\nforeign_key_check: ok\nvalid\n"));

        // Each kind of trouble by its own name; only "invalid" means the file is not ours.
        writeFile(env->filePath("notes.txt"), "not a database");
        runSqlite(env->filePath("short.mdb"), "CREATE TABLE tblItem (ItemID INTEGER);");
        QFile::copy(env->databaseFile(), env->filePath("unseeded.mdb"));
        runSqlite(env->filePath("unseeded.mdb"), "DELETE FROM tblCollectionFieldType_LKP;");
        QFile::copy(env->databaseFile(), env->filePath("orphan.mdb"));
        runSqlite(env->filePath("orphan.mdb"), "PRAGMA foreign_keys = OFF; INSERT INTO tblItem "
                                               "(ItemNM, TypeTX) VALUES ('Lamp', 'Nowhere');");
        // The last pages cut off.
        const QByteArray whole = readFile(env->databaseFile());
        writeFile(env->filePath("cut.mdb"), whole.left(whole.size() - 1000));
        QDir().mkpath(env->filePath("folder.mdb"));
        const QList<QPair<QStringList, QString>> cases = {
            {{"notes.txt"},
             "invalid: '%1' is not a Domivo database: it is not an SQLite database."},
            {{"short.mdb"},
             "invalid: '%1' is not a Domivo database: it has no table tblCollection."},
            {{"unseeded.mdb"},
             "incomplete: The database '%1' is incomplete: its table "
             "tblCollectionFieldType_LKP has 0 of the 8 field types."},
            {{"--full", "orphan.mdb"},
             "damaged: The database '%1' is damaged: 1 rows refer to "
             "rows that do not exist (the first: row 1 of tblItem, in "
             "tblType_Lkp)"},
            {{"cut.mdb"},
             "damaged: The database '%1' is damaged: the file ends 1000 bytes before "
             "the end of its last page"},
            {{"folder.mdb"}, "not a file: '%1' is not a regular file."},
            {{"missing.mdb"}, "missing: There is no file '%1'."},
        };
        for (const auto& [args, verdict] : cases) {
            const QString file = env->filePath(args.last());
            result = cli(QStringList{"check"} + args.mid(0, args.size() - 1) + QStringList{file});
            QVERIFY2(result.exitCode == 1 && lastLine(result.out).startsWith(verdict.arg(file)),
                     qPrintable(result.out));
        }
        QCOMPARE(readFile(env->filePath("notes.txt")), QByteArray("not a database"));
        // The orphan passes the quick check; only --full looks at the relations.
        QCOMPARE(cli({"check", env->filePath("orphan.mdb")}).exitCode, 0);
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
        QVERIFY(result.out.contains("check [--backup] [--full] [FILE]"));
        result = cli({"--version"});
        QCOMPARE(result.exitCode, 0);
        QVERIFY(result.out.startsWith("domivo-cli 1."));
        // A command's help is its own usage, from its declaration.
        result = cli({"items", "--help"});
        QCOMPARE(result.exitCode, 0);
        QVERIFY2(result.out.startsWith("Usage: domivo-cli [--data-dir DIR] items [--type T] "),
                 qPrintable(result.out));
        QVERIFY(result.out.contains("  --purchase-date DATE  only the items bought on DATE"));
        // A group's help lists its own sub-commands only.
        result = cli({"incident", "-h"});
        QCOMPARE(result.exitCode, 0);
        QVERIFY2(result.out.contains("  incident new [--date DATE]") &&
                     result.out.contains("  incident add ID ITEM...\n"),
                 qPrintable(result.out));
        QVERIFY(!result.out.contains("search"));

        // Each refusal names its fault and shows the usage of what was run.
        const QList<QPair<QStringList, QString>> refused = {
            {{}, "no command given"},
            {{"frobnicate"}, "unknown command frobnicate"},
            {{"--colour", "init"}, "unknown option --colour"},
            {{"--data-dir"}, "Missing value after '--data-dir'"},
            {{"--data-dir=", "init"}, "--data-dir needs a value"},
            {{"init", "extra"},
             "unexpected argument 'extra'\n\nUsage: domivo-cli [--data-dir DIR] init"},
            {{"check", "--force"}, "unknown option --force"},
            {{"check", "--backup=yes"}, "Unexpected value after '--backup'"},
            {{"check", "a", "b"}, "unexpected argument 'b'"},
            {{"check", ""}, "FILE may not be empty"},
            {{"collection"}, "collection needs NAME"},
            {{"incident"}, "incident needs a command"}};
        for (const auto& [args, message] : refused) {
            result = cli(args);
            QVERIFY2(result.exitCode == 2, qPrintable(args.join(' ')));
            QVERIFY2(result.err.contains("domivo-cli: " + message), qPrintable(result.err));
            QVERIFY(result.err.contains("Usage: domivo-cli"));
        }
        QVERIFY(!QFile::exists(env->databaseFile()));
    }

    void items_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("rows");
        QTest::newRow("all") << QStringList{} << "" << wetsuit + radio;
        QTest::newRow("type") << QStringList{"--type", "Sports Equipment"} << "" << wetsuit;
        QTest::newRow("type=") << QStringList{"--type=electronics"} << "" << radio;
        QTest::newRow("location") << QStringList{"--location", "Garage"} << "" << wetsuit;
        QTest::newRow("manufacturer") << QStringList{"--manufacturer", "O'Neil"} << "" << wetsuit;
        QTest::newRow("iso date") << QStringList{"--purchase-date", "2023-05-02"} << "" << radio;
        QTest::newRow("short date")
            << QStringList{"--purchase-date", "3/15/2024"} << "en_US.UTF-8" << wetsuit;
        QTest::newRow("no match") << QStringList{"--location", "Attic"} << ""
                                  << "\t\tNo items found\t\t\t\t\n";
    }
    void items() {
        writeRows();
        QFETCH(QStringList, args);
        QFETCH(QString, locale);
        QFETCH(QString, rows);
        const ProcessResult result = cli(QStringList{"items"} + args, locale);
        QCOMPARE(result.err, QString());
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out, itemsHeader + rows);
    }

    void itemsRoundsPricesWithTheSetting() {
        writeRows();
        Settings::setInteger(SettingKeys::RoundPrices, 1);
        const ProcessResult result = cli({"items", "--type", "Electronics"});
        QCOMPARE(result.out, itemsHeader + "1\tZenith\tRadio\tZ1\t$1,235\tElectronics\tKitchen\n");
    }

    void itemsRefusesBadArguments_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        QTest::newRow("bad date") << QStringList{"--purchase-date", "31/31/2024"} << "not a date";
        QTest::newRow("two filters")
            << QStringList{"--type", "Art", "--location", "Attic"} << "at most one filter";
        QTest::newRow("no value") << QStringList{"--manufacturer"} << "Missing value";
        QTest::newRow("empty value") << QStringList{"--type="} << "needs a value";
        QTest::newRow("unknown") << QStringList{"--colour", "red"} << "unknown option --colour";
        QTest::newRow("twice") << QStringList{"--type", "Art", "--type=Tools"}
                               << "--type may be given once";
    }
    void itemsRefusesBadArguments() {
        writeRows();
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        const ProcessResult result = cli(QStringList{"items"} + args);
        QCOMPARE(result.exitCode, 2);
        QCOMPARE(result.out, QString());
        QVERIFY2(result.err.contains(message), qPrintable(result.err));
    }

    void collectionsAndCollectionGrid() {
        writeRows();
        const ProcessResult list = cli({"collections"});
        QCOMPARE(list.exitCode, 0);
        QCOMPARE(list.out, QString("CollectionNM\tCommentsTX\nCoins\told ones\nOld Stamps\t\n"));

        const ProcessResult coins = cli({"collection", "coins"});
        QCOMPARE(coins.exitCode, 0);
        QCOMPARE(coins.out, QString("ItemID\tItem Name\tYear of \"issue\"\tMint's [mark]\tPrice\n"
                                    "1\tPenny\t1909\tS\t$1,234.50\n"
                                    "2\tDime\t1916\t\t\n"));
        QCOMPARE(cli({"collection", "Old Stamps"}).out,
                 QString("ItemID\tItem Name\tCountry\tPrice\n"));

        // Values by their field's kind, as the collections window shows them; dates in the
        // short form of the locale, a stored date that names no day as it is.
        runSqlite(env->databaseFile(),
                  "INSERT INTO tblCollection VALUES ('Boxes', NULL);"
                  "INSERT INTO tblCollectionField VALUES ('Boxes', 0, 'Sealed', 5, 0, NULL), "
                  "('Boxes', 1, 'Worth', 7, 0, NULL), ('Boxes', 2, 'Opened', 6, 0, NULL);"
                  "INSERT INTO tblCollectionItem VALUES "
                  "(3, 'Tin', 'Boxes', NULL, NULL, NULL, NULL, '2024-01-01'), "
                  "(4, 'Crate', 'Boxes', NULL, NULL, NULL, NULL, '2024-01-01');"
                  "INSERT INTO tblCollectionItemField VALUES (3, 0, '1'), (3, 1, '12.5'), "
                  "(3, 2, '2020-03-10'), (4, 0, '0'), (4, 1, '$1234'), (4, 2, 'spring');");
        const QString boxes = "ItemID\tItem Name\tSealed\tWorth\tOpened\tPrice\n"
                              "3\tTin\tTrue\t$12.50\t%1\t\n"
                              "4\tCrate\tFalse\t$1234.00\tspring\t\n";
        QCOMPARE(cli({"collection", "Boxes"}, "en_US.UTF-8").out, boxes.arg("3/10/2020"));
        QCOMPARE(cli({"collection", "Boxes"}, "en_GB.UTF-8").out, boxes.arg("10/03/2020"));

        const ProcessResult unknown = cli({"collection", "Shells"});
        QCOMPARE(unknown.exitCode, 1);
        QCOMPARE(unknown.out, QString());
        QVERIFY2(unknown.err.contains("no collection named 'Shells'"), qPrintable(unknown.err));
        QCOMPARE(cli({"collection"}).exitCode, 2);
        QCOMPARE(cli({"collection", "Coins", "Old Stamps"}).exitCode, 2);
    }

    void listingsNeedAnExistingDatabase() {
        for (const char* command : {"items", "collections"}) {
            const ProcessResult result = cli({command});
            QCOMPARE(result.exitCode, 1);
            QVERIFY2(result.err.contains("no database"), qPrintable(result.err));
        }
        // A listing only reads: it does not create the database it did not find.
        QVERIFY(!QFileInfo::exists(env->databaseFile()));

        // An item table without rows lists the header alone.
        dvData().setPath(env->databaseFile());
        const ProcessResult empty = cli({"items", "--type", "Art"});
        QCOMPARE(empty.exitCode, 0);
        QCOMPARE(empty.out, itemsHeader);
    }

    void graphWritesTheWindowsPage() {
        dvData().setPath(env->databaseFile());
        const ProcessResult nothing = cli({"graph", "Count by Type"});
        QCOMPARE(nothing.exitCode, 1);
        QVERIFY2(nothing.err.contains("Cannot graph -- there are no inventory items on-file."),
                 qPrintable(nothing.err));

        writeRows();
        const QString page = QDir(env->dataFolder()).filePath("DV-RPT.HTM");
        const ProcessResult byType = cli({"graph", "count by type"});
        QCOMPARE(byType.exitCode, 0);
        QCOMPARE(byType.out, page + "\n");
        const Graph graph = gphGeneral::CaptionedChart({1, 1}, {"Electronics", "Sports Equipment"},
                                                       "Inventory Item Count by Type");
        const QString expected = env->filePath("expected.htm");
        gphGeneral::WriteGraphPageFile(expected, graph.chart, graph.caption);
        QCOMPARE(readFile(page), readFile(expected));

        const QString output = env->filePath("summary.htm");
        const ProcessResult summary = cli({"graph", "Purchase Price Summary", "--output", output});
        QCOMPARE(summary.exitCode, 0);
        QCOMPARE(summary.out, output + "\n");
        QVERIFY(readFile(output).contains("<TITLE>Collection Purchase Price Summary</TITLE>"));
        QCOMPARE(readFile(page), readFile(expected));

        // Coins has no field of a list type, so it has no field graphs.
        const ProcessResult unknown = cli({"graph", "Coins - Count by Year of \"issue\""});
        QCOMPARE(unknown.exitCode, 1);
        QVERIFY2(unknown.err.contains("no graph named"), qPrintable(unknown.err));
        QCOMPARE(cli({"graph"}).exitCode, 2);
    }

    void graphOpensThePageInTheBrowser() {
        writeRows();
        // A stand-in for the desktop's opener that records what it was given.
        const QString bin = env->filePath("bin");
        QDir().mkpath(bin);
        const QString recorded = env->filePath("opened.txt");
        writeFile(bin + "/xdg-open",
                  ("#!/bin/sh\nprintf '%s' \"$1\" > '" + recorded + "'\n").toUtf8());
        QFile::setPermissions(bin + "/xdg-open", QFile::ReadOwner | QFile::ExeOwner);
        QProcessEnvironment environment = env->processEnvironment();
        environment.insert("PATH", bin + ":" + environment.value("PATH"));
        const ProcessResult opened =
            runProcess(DOMIVO_CLI_PATH, {"graph", "--open", "Count by Location"}, environment);
        QCOMPARE(opened.exitCode, 0);
        const QString page = QDir(env->dataFolder()).filePath("DV-RPT.HTM");
        QTRY_COMPARE(readFile(recorded), page.toUtf8());

        // No opener at all: the page is written, and the failure said.
        QFile::remove(page);
        environment.insert("PATH", env->filePath("nothing here"));
        const ProcessResult failed =
            runProcess(DOMIVO_CLI_PATH, {"graph", "--open", "Count by Location"}, environment);
        QCOMPARE(failed.exitCode, 1);
        QVERIFY2(failed.err.contains("cannot start the web browser"), qPrintable(failed.err));
        QVERIFY(QFile::exists(page));
    }
};

DOMIVO_TEST_MAIN(CliTest)
#include "tst_cli.moc"
