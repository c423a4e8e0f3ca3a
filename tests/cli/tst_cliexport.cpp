// domivo-cli export, run as a separate process the way scripts use it: each format written and
// read back, a second export replacing the first, and the refusals with their exit codes.

#include "ExportReaders.h"
#include "TestEnvironment.h"

#include <QDir>
#include <QFile>

class CliExportTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDatabase> db;

    ProcessResult cli(const QStringList& args) {
        return runProcess(DOMIVO_CLI_PATH, args, db->processEnvironment());
    }

private slots:
    void init() {
        db = std::make_unique<TestDatabase>();
        db->sql("INSERT INTO tblCollection VALUES ('Bob''s coins', NULL);"
                "INSERT INTO tblCollectionField VALUES ('Bob''s coins', 0, 'Year', 3, 0, NULL), "
                "('Bob''s coins', 1, 'Mint', 0, 0, NULL);"
                "INSERT INTO tblCollectionItem VALUES (1, 'Penny, wheat', 'Bob''s coins', 5000, "
                "NULL, 0, NULL, '2024-03-01');"
                "INSERT INTO tblCollectionItemField VALUES (1, 0, '1909'), (1, 1, 'S');");
    }
    void cleanup() { db.reset(); }

    void exportsEachFormatAndReplacesTheFile() {
        const QString path = db->filePath("coins");
        const QString table = "Collection 'Bob's coins'";
        ProcessResult result = cli({"export", table, "csv", path});
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out, "Exported 1 row of " + table + " to " + path + "\n");
        const QList<QStringList> records = readDelimited(readFile(path), ',');
        QCOMPARE(records.size(), 2);
        QCOMPARE(records[0].mid(7), (QStringList{"Year", "Mint", ""}));
        QCOMPARE(records[1].mid(0, 3), (QStringList{"1", "Penny, wheat", "Bob's coins"}));

        QCOMPARE(cli({"export", table, "XML", path}).exitCode, 0);
        const RowsetFile xml = readRowsetXml(readFile(path));
        QVERIFY2(xml.error.isEmpty(), qPrintable(xml.error));
        QCOMPARE(xml.rows.size(), 1);
        QCOMPARE(xml.rows[0].value("ItemNM"), QString("Penny, wheat"));

        result = cli({"export", "Inventory Location List", "tsv", path});
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out, "Exported 23 rows of Inventory Location List to " + path + "\n");
        QVERIFY(readFile(path).startsWith("LocationTX\t\r\nAttic\t\r\n"));
    }

    void refusesWhatItCannotExport() {
        const QString path = db->filePath("out.csv");
        for (const QStringList& args : {QStringList{"export", "Inventory Items", "xls", path},
                                        QStringList{"export", "Furniture", "csv", path},
                                        QStringList{"export", "Inventory Items", "csv"}}) {
            const ProcessResult result = cli(args);
            QCOMPARE(result.exitCode, 2);
            QVERIFY2(result.err.contains("Usage: domivo-cli"), qPrintable(result.err));
        }
        ProcessResult result = cli({"export", "Collection 'Stamps'", "csv", path});
        QCOMPARE(result.exitCode, 1);
        QVERIFY2(result.err.contains("no collection named 'Stamps'"), qPrintable(result.err));
        const QByteArray database = readFile(db->databaseFile());
        result = cli({"export", "Inventory Items", "csv", db->databaseFile()});
        QCOMPARE(result.exitCode, 1);
        QVERIFY2(result.err.contains("is the database itself"), qPrintable(result.err));
        QCOMPARE(readFile(db->databaseFile()), database);
        QCOMPARE(
            cli({"export", "Inventory Items", "csv", db->filePath("missing/out.csv")}).exitCode, 1);
        QVERIFY(!QFile::exists(path));
    }
};

DOMIVO_TEST_MAIN(CliExportTest)
#include "tst_cliexport.moc"
