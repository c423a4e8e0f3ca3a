// domivo-cli report, run as scripts run it: the report found by its caption, the filters of the
// reports window as options, the page written where asked and its path printed, the browser
// started only with --open (a fake xdg-open first on PATH records what it was given), and the
// refusals. The pages' lines are compared in full by the core's report tests.

#include "TestEnvironment.h"

#include "app/Clock.h"

#include <QDir>
#include <QFile>

class CliReportTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;

    // The folder of the fake xdg-open, which writes its argument to opened.txt.
    QString fakeOpener() const { return env->filePath("bin"); }
    QString openedFile() const { return env->filePath("opened.txt"); }

    ProcessResult cli(const QStringList& args) {
        QProcessEnvironment environment = env->processEnvironment();
        environment.insert("PATH", fakeOpener() + ":" + environment.value("PATH"));
        // Dates on the pages in the form the window shows them.
        environment.insert("LC_ALL", "en_US.UTF-8");
        return runProcess(DOMIVO_CLI_PATH, QStringList{"report"} + args, environment);
    }
    QString page() const { return QDir(env->dataFolder()).filePath("DV-RPT.HTM"); }

private slots:
    void init() {
        env = std::make_unique<TestEnvironment>();
        QDir().mkpath(fakeOpener());
        const QString opener = QDir(fakeOpener()).filePath("xdg-open");
        writeFile(opener, "#!/bin/sh\nprintf '%s' \"$1\" > '" + openedFile().toUtf8() + "'\n");
        QFile::setPermissions(opener, QFile::permissions(opener) | QFileDevice::ExeOwner);

        dvData().setPath(env->databaseFile());
        runSqlite(env->databaseFile(),
                  "INSERT INTO tblItem (ItemID, ManufacturerNM, ItemNM, PurchasePriceAM, TypeTX, "
                  "LocationTX, WarrantyCD, WarrantyExpireDT, LastChangeDT) VALUES "
                  "(1, 'Zenith', 'Radio', 120000, 'Electronics', 'Kitchen', 1, '2001-01-01', "
                  "'2001-01-01'), "
                  "(2, 'Acme', 'Anvil', 102500, 'Tools', 'Garage', 0, NULL, '2024-06-01');"
                  "INSERT INTO tblCollection VALUES ('Coins', '');"
                  "INSERT INTO tblCollectionField VALUES ('Coins', 0, 'Year', 3, 0, NULL);"
                  "INSERT INTO tblCollectionItem VALUES "
                  "(10, 'Penny', 'Coins', 102500, 0, 0, NULL, '2024-06-01'), "
                  "(11, 'Dime', 'Coins', 205000, 0, 0, NULL, '2024-06-01');"
                  "INSERT INTO tblCollectionItemField VALUES (10, 0, '1909'), (11, 0, '1916');");
    }
    void cleanup() { env.reset(); }

    void writesTheWindowsPageWithoutABrowser() {
        // Like the window as it opens: every type, grouped by type.
        ProcessResult result = cli({"summary listing"});
        QCOMPARE(result.err, QString());
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out, page() + "\n");
        QString text = readFile(page());
        QVERIFY(text.startsWith("<HTML>\r\n<HEAD>\r\n  <TITLE>Inventory Summary Listing</TITLE>"));
        QVERIFY(text.contains("<h3>Electronics</h3>") && text.contains("<h3>Tools</h3>"));
        QVERIFY(text.contains("DOMIVO.CSS"));
        QVERIFY(text.endsWith("</BODY>\r\n</HTML>\r\n"));

        result = cli({"Summary Listing", "--location", "*** All ***"});
        text = readFile(page());
        QVERIFY(text.contains("<h3>Garage</h3>") && text.contains("<h3>Kitchen</h3>"));
        cli({"Summary Listing", "--type=Tools"});
        text = readFile(page());
        QVERIFY(text.contains("<h3>Tools</h3>") && !text.contains("Radio"));

        // The un-updated listing and the warranty summary take their own filters.
        cli({"Un-updated Item Listing", "--since", "2001-01-01"});
        text = readFile(page());
        QVERIFY(text.contains("Radio") && !text.contains("Anvil"));
        QVERIFY(text.contains("not updated since 1/1/2001:"));
        cli({"Warranty Summary"});
        QVERIFY(!readFile(page()).contains("Radio"));
        cli({"Warranty Summary", "--include-expired"});
        QVERIFY(readFile(page()).contains("Radio"));
        QVERIFY(!QFile::exists(openedFile()));
    }

    void collectionReportsAndOutputAndOpen() {
        const QString output = env->filePath("coins.htm");
        const ProcessResult result =
            cli({"Summary Listing", "--collection", "coins", "--output", output, "--open"});
        QCOMPARE(result.err, QString());
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out, output + "\n");
        const QString text = readFile(output);
        QVERIFY(text.contains("<H1>Summary Listing for 'Coins'</H1>"));
        QVERIFY(text.contains(">$30.75&nbsp;</td>"));
        QVERIFY(!QFile::exists(page()));
        QTRY_COMPARE(QString(readFile(openedFile())), output);
    }

    void refusals_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown report")
            << QStringList{"Everything"} << 1
            << "no inventory report named 'Everything'; the reports are 'Detailed Listing'";
        QTest::newRow("inventory caption for a collection")
            << QStringList{"Cost Summary", "--collection", "Coins"} << 1
            << "no collection report named 'Cost Summary'";
        QTest::newRow("unknown collection")
            << QStringList{"Value Summary", "--collection", "Shells"} << 1
            << "no collection named 'Shells'";
        QTest::newRow("no name") << QStringList{} << 2 << "report needs NAME";
        QTest::newRow("bad date") << QStringList{"Un-updated Item Listing", "--since", "soon"} << 2
                                  << "'soon' is not a date";
        QTest::newRow("type and location")
            << QStringList{"Cost Summary", "--type", "Tools", "--location", "Garage"} << 2
            << "give --type or --location, not both";
        QTest::newRow("filter not used") << QStringList{"Cost Summary", "--since", "1/1/2024"} << 2
                                         << "--since does not apply to the report 'Cost Summary'";
        QTest::newRow("no type for collections")
            << QStringList{"Value Summary", "--collection", "Coins", "--type", "Tools"} << 2
            << "--type does not apply";
        QTest::newRow("unwritable page")
            << QStringList{"Cost Summary", "--output", "/nonexistent/folder/page.htm"} << 1
            << "Cannot create the report page /nonexistent/folder/page.htm";
    }
    void refusals() {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        const ProcessResult result = cli(args);
        QCOMPARE(result.exitCode, exitCode);
        QCOMPARE(result.out, QString());
        QVERIFY2(result.err.contains(message), qPrintable(result.err));
        QVERIFY(!QFile::exists(page()));
    }

    void openFailsWhenNoOpenerStarts() {
        QFile::remove(QDir(fakeOpener()).filePath("xdg-open"));
        QProcessEnvironment environment = env->processEnvironment();
        environment.insert("PATH", fakeOpener());
        const ProcessResult result =
            runProcess(DOMIVO_CLI_PATH, {"report", "Cost Summary", "--open"}, environment);
        QCOMPARE(result.exitCode, 1);
        QCOMPARE(result.out, page() + "\n");
        QVERIFY2(result.err.contains("no program could be started"), qPrintable(result.err));
        QVERIFY(QFile::exists(page()));
    }
};

DOMIVO_TEST_MAIN(CliReportTest)
#include "tst_clireport.moc"
