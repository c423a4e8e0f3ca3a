// domivo-cli warranties, incident new/add, incidents, claim and coverage, as scripts run them:
// what each prints, the files it writes, what it refuses, and an older database gaining the
// tables on first use. What the lists hold is checked in full by the core's tests.

#include "ExportReaders.h"
#include "TestEnvironment.h"

#include <QDir>

class CliInsuranceTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;

    ProcessResult cli(const QStringList& args) {
        QProcessEnvironment environment = env->processEnvironment();
        environment.insert("LC_ALL", "en_US.UTF-8");
        return runProcess(DOMIVO_CLI_PATH, args, environment);
    }
    // The command's standard output; fails the test when it does not succeed.
    QString ok(const QStringList& args) {
        const ProcessResult result = cli(args);
        if (result.exitCode != 0 || !result.err.isEmpty())
            QTest::qFail(qPrintable(args.join(' ') + ": " + result.err), __FILE__, __LINE__);
        return result.out;
    }
    QString sql(const QString& statement) { return runSqlite(env->databaseFile(), statement); }

private slots:
    void init() {
        env = std::make_unique<TestEnvironment>();
        dvData().setPath(env->databaseFile());
        // The program reads the real clock: expiry dates count from today.
        const QDate today = QDate::currentDate();
        const auto day = [&](int days) { return today.addDays(days).toString(Qt::ISODate); };
        sql(QStringLiteral(
                "INSERT INTO tblItem (ItemID, ManufacturerNM, ItemNM, ModelSeriesTX, TypeTX, "
                "PurchasePriceAM, ReplacePriceAM, WarrantyCD, WarrantyExpireDT) VALUES "
                "(1, 'Sony', 'TV', 'KD-55', 'Electronics', 8000000, 0, 1, '%1'), "
                "(2, 'Bosch', 'Drill', 'PSB', 'Tools', 1000000, 1500000, 1, '%2'), "
                "(3, 'Miele', 'Washer', NULL, 'Appliances', 9000000, 0, 1, '%3'), "
                "(4, 'Tiffany', 'Ring', NULL, 'Jewelry', 20000000, 0, 0, '%4');")
                .arg(day(10), day(0), day(45), day(5)));
    }
    void cleanup() { env.reset(); }

    void warranties() {
        const QString today = QDate::currentDate().toString("M/d/yyyy");
        const QString inTen = QDate::currentDate().addDays(10).toString("M/d/yyyy");
        QCOMPARE(ok({"warranties"}),
                 QString("ItemID\tManufacturer\tItem\tModel\tExpires\tDays Left\n"
                         "2\tBosch\tDrill\tPSB\t%1\t0\n"
                         "1\tSony\tTV\tKD-55\t%2\t10\n")
                     .arg(today, inTen));
        QCOMPARE(ok({"warranties", "--within", "0"}).count('\n'), 2);
        QCOMPARE(ok({"warranties", "--within=45"}).count('\n'), 4);
        sql("UPDATE tblItem SET WarrantyCD = 0;");
        QCOMPARE(ok({"warranties"}), QString("ItemID\tManufacturer\tItem\tModel\tExpires\tDays "
                                             "Left\n"));
        const ProcessResult wrong = cli({"warranties", "--within", "-1"});
        QCOMPARE(wrong.exitCode, 2);
        QVERIFY(wrong.err.contains("--within takes a whole number"));
    }

    void incidentsAndTheirClaim() {
        QCOMPARE(ok({"incident", "new", "Burglary", "--date", "2026-03-03", "--kind", "Theft",
                     "--notes", "Back door"}),
                 QString("1\n"));
        QCOMPARE(ok({"incident", "new", "Storm", "--date=3/9/2026"}), QString("2\n"));
        QCOMPARE(ok({"incident", "add", "1", "1", "3"}),
                 QString("incident 1: 2 item(s) marked, 2 in all\n"));
        QCOMPARE(ok({"incidents"}), QString("IncidentID\tIncident\tDate\tKind\tItems\tNotes\n"
                                            "2\tStorm\t3/9/2026\t\t0\t\n"
                                            "1\tBurglary\t3/3/2026\tTheft\t2\tBack door\n"));

        // One unknown item: nothing is marked.
        const ProcessResult unknown = cli({"incident", "add", "2", "1", "99"});
        QCOMPARE(unknown.exitCode, 1);
        QVERIFY(unknown.err.contains("There is no item 99."));
        QCOMPARE(sql("SELECT count(*) FROM tblIncidentItem WHERE IncidentID = 2;"), QString("0\n"));

        const QString page = env->filePath("claim.htm");
        const QString csv = env->filePath("claim.csv");
        QCOMPARE(ok({"claim", "1", "--output", page, "--csv", csv}),
                 QDir::toNativeSeparators(page) + "\n" + QDir::toNativeSeparators(csv) + "\n");
        const QString html = QString::fromUtf8(readFile(page));
        QVERIFY(html.contains("Claim List: Burglary"));
        QVERIFY(html.contains("TOTALS (2 items)"));
        QCOMPARE(readDelimited(readFile(csv), ',').size(), 3);
        // Without --output the page is the data folder's.
        QCOMPARE(ok({"claim", "2"}),
                 QDir::toNativeSeparators(QDir(env->dataFolder()).filePath("DV-RPT.HTM")) + "\n");
        QCOMPARE(cli({"claim", "7"}).exitCode, 1);
    }

    void refusals() {
        const struct {
            QStringList args;
            const char* message;
        } cases[] = {
            {{"incident", "new", "Fire"}, "incident new needs --date"},
            {{"incident", "new", "Fire", "--date", "yesterday"}, "'yesterday' is not a date"},
            {{"incident", "new", QString(51, 'x'), "--date", "2026-01-01"}, "at most 50"},
            {{"incident", "add", "1"}, "incident add needs ITEM"},
            {{"incident", "add", "one", "2"}, "'one' is not an incident's ID"},
            {{"incident", "add", "1", "2", ""}, "ITEM may not be empty"},
            {{"incident", "remove"}, "unknown command incident remove"},
            {{"coverage", "set", "Jewelry"}, "needs AMOUNT after TYPE"},
            {{"coverage", "set"}, "needs TYPE AMOUNT or --total AMOUNT"},
            {{"coverage", "set", "Jewelry", "lots"}, "'lots' is not an amount"},
            {{"coverage", "set", "--total", "-5"}, "'-5' is not an amount"},
            {{"claim", "0"}, "'0' is not an incident's ID"},
        };
        for (const auto& wrong : cases) {
            const ProcessResult result = cli(wrong.args);
            QVERIFY2(result.exitCode == 2, qPrintable(wrong.args.join(' ')));
            QVERIFY2(result.err.contains(QLatin1String(wrong.message)), qPrintable(result.err));
        }
        QCOMPARE(sql("SELECT count(*) FROM tblIncident;"), QString("0\n"));
    }

    void coverage() {
        QCOMPARE(ok({"coverage", "set", "jewelry", "1,500.00"}), QString("Jewelry: $1,500.00\n"));
        QCOMPARE(ok({"coverage", "set", "--total", "$20000"}),
                 QString("contents limit: $20,000.00\n"));
        const ProcessResult boats = cli({"coverage", "set", "Boats", "10"});
        QCOMPARE(boats.exitCode, 1);
        QVERIFY(boats.err.contains("There is no item type 'Boats'."));
        QCOMPARE(sql("SELECT TypeTX, LimitAM FROM tblCoverageLimit; SELECT ContentsLimitAM FROM "
                     "tblCoverage;"),
                 QString("Jewelry|15000000\n200000000\n"));

        const QString page = env->filePath("coverage.htm");
        QCOMPARE(ok({"coverage", "--output", page}), QDir::toNativeSeparators(page) + "\n");
        // The ring ($2000 at its purchase price) is over Jewelry's limit, and nothing else.
        QCOMPARE(QString::fromUtf8(readFile(page)).count("OVER LIMIT"), 1);

        QCOMPARE(ok({"coverage", "set", "Jewelry", "none"}), QString("Jewelry: none\n"));
        QCOMPARE(sql("SELECT count(*) FROM tblCoverageLimit;"), QString("0\n"));
    }

    void anOlderDatabaseGainsTheTables() {
        sql("DROP TABLE tblIncidentItem; DROP TABLE tblIncident; DROP TABLE tblCoverageLimit; "
            "DROP TABLE tblCoverage;");
        // Listing commands that do not need the tables leave the file alone.
        ok({"warranties"});
        QCOMPARE(sql("SELECT count(*) FROM sqlite_master WHERE name = 'tblIncident';"),
                 QString("0\n"));
        QCOMPARE(ok({"incidents"}), QString("IncidentID\tIncident\tDate\tKind\tItems\tNotes\n"));
        QCOMPARE(sql("SELECT count(*) FROM sqlite_master WHERE name LIKE 'tblIncident%' OR name "
                     "LIKE 'tblCoverage%';"),
                 QString("4\n"));
    }
};

DOMIVO_TEST_MAIN(CliInsuranceTest)
#include "tst_cliinsurance.moc"
