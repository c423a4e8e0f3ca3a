// domivo-cli search, run as scripts run it, on a small database whose rows the sqlite3 tool
// wrote in the storage forms: the chosen fields in the list's order, the criteria rows with
// their connectors, and the window's refusals.

#include "SampleRows.h"
#include "TestEnvironment.h"

#include "app/Settings.h"

namespace {

const QString header = "ItemID\tItem Name\n";

} // namespace

class CliSearchTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;

    ProcessResult search(const QStringList& args) {
        QProcessEnvironment environment = env->processEnvironment();
        environment.insert("LC_ALL", "en_US.UTF-8");
        return runProcess(DOMIVO_CLI_PATH, QStringList{"search"} + args, environment);
    }

private slots:
    void init() {
        env = std::make_unique<TestEnvironment>();
        dvData().setPath(env->databaseFile());
        runSqlite(env->databaseFile(), SampleRows::search);
    }
    void cleanup() { env.reset(); }

    void fieldsInListOrderRoundedAsSet() {
        const QStringList args = {"--fields", "purchase price, Item Name", "--criterion",
                                  "Item Name|=|Radio"};
        QCOMPARE(search(args).out, QString("ItemID\tItem Name\tPurchase Price\n"
                                           "2\tRadio\t$1,234.50\n"));
        Settings::setInteger(SettingKeys::RoundPrices, 1);
        QCOMPARE(search(args).out,
                 QString("ItemID\tItem Name\tPurchase Price\n2\tRadio\t$1,235\n"));
        // Without --fields every field is shown.
        const QString all = search({"--criterion", "Item Name|=|Radio"}).out;
        QVERIFY2(all.startsWith("ItemID\tManufacturer\tItem Name\tModel/Series\t"),
                 qPrintable(all));
        QVERIFY(all.section('\n', 0, 0).endsWith("\tComments\tLast Change Date"));
    }

    void criteria_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("rows");
        QTest::newRow("or, then and")
            << QStringList{"--criterion",          "Type|=|Kitchenware", "--criterion",
                           "or|Location|=|Garage", "--criterion",        "and|Purchase Price|>|100"}
            << "1\tToaster\n2\tRadio\n4\tMixer\n";
        QTest::newRow("and by default")
            << QStringList{"--criterion", "Type|=|Kitchenware", "--criterion", "Location|=|garage"}
            << "4\tMixer\n";
        QTest::newRow("unused first row") << QStringList{"--criterion", "",
                                                         "--criterion", "Location|=|Garage",
                                                         "--criterion", "AND|Purchase Price|>|$100"}
                                          << "2\tRadio\n4\tMixer\n";
        QTest::newRow("value with a bar") << QStringList{"--criterion", "Item Name|=|a|b"} << "";
        QTest::newRow("short date")
            << QStringList{"--criterion", "Purchase Date|>=|3/15/24"} << "1\tToaster\n4\tMixer\n";
    }
    void criteria() {
        QFETCH(QStringList, args);
        QFETCH(QString, rows);
        const ProcessResult result = search(QStringList{"--fields", "Item Name"} + args);
        QCOMPARE(result.err, QString());
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out, header + rows);
    }

    void collectionFieldsByTheirNames() {
        const ProcessResult mint = search(
            {"--collection", "coins", "--fields", "Mint,Item Name", "--criterion", "Mint|=|d"});
        QCOMPARE(mint.out, QString("ItemID\tItem Name\tMint\n2\tDime\tD\n"));
        // Year is an Integer field: compared as a number.
        QCOMPARE(search({"--collection", "Coins", "--fields", "Item Name", "--criterion",
                         "Year|<|1910.5"})
                     .out,
                 header + "1\tPenny\n");
        const ProcessResult unknown = search({"--collection", "Stamps"});
        QCOMPARE(unknown.exitCode, 1);
        QVERIFY2(unknown.err.contains("There is no collection named 'Stamps'."),
                 qPrintable(unknown.err));
    }

    void refusals_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::newRow("like on an amount")
            << QStringList{"--criterion", "", "--criterion", "Purchase Price|Like|5"} << 1
            << "You cannot use the 'Like' operator for search field 2\n";
        QTest::newRow("no operator") << QStringList{"--criterion", "Type||Art"} << 1
                                     << "Please select an operator for search criteria 1\n";
        QTest::newRow("no field") << QStringList{"--criterion", "|=|Art"} << 1
                                  << "Please select search field for search criteria 1\n";
        QTest::newRow("unknown field") << QStringList{"--fields", "Item Name,Colour"} << 2
                                       << "Inventory has no field 'Colour'";
        QTest::newRow("not searchable") << QStringList{"--criterion", "Comments|Like|x"} << 2
                                        << "'Comments' cannot be searched";
        QTest::newRow("two parts")
            << QStringList{"--criterion", "Type|Art"} << 2 << "a criterion is FIELD|OP|VALUE";
        QTest::newRow("operator") << QStringList{"--criterion", "Type|==|Art"} << 2
                                  << "unknown operator '=='";
        QTest::newRow("first joins") << QStringList{"--criterion", "or|Type|=|Art"} << 2
                                     << "the first criterion joins nothing";
        QTest::newRow("four") << QStringList{"--criterion", "", "--criterion", "",
                                             "--criterion", "", "--criterion", ""}
                              << 2 << "--criterion may be given at most 3 times";
        QTest::newRow("empty fields") << QStringList{"--fields="} << 2 << "--fields needs a value";
    }
    void refusals() {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        const ProcessResult result = search(args);
        QCOMPARE(result.exitCode, exitCode);
        QCOMPARE(result.out, QString());
        if (exitCode == 1)
            QCOMPARE(result.err, "domivo-cli: " + message);
        else
            QVERIFY2(result.err.contains(message), qPrintable(result.err));
    }
};

DOMIVO_TEST_MAIN(CliSearchTest)
#include "tst_clisearch.moc"
