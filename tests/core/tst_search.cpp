// Searching: the checks on the criteria with their messages, and the searches they turn into,
// run on a small database whose rows the sqlite3 tool wrote in the storage forms.

#include "TestEnvironment.h"

#include "data/DbError.h"
#include "search/SearchQuery.h"

#include <algorithm>

namespace {

using Join = SearchCondition::Join;

// Five items; Toaster and Mixer are Kitchenware, Radio, Wet suit and Mixer are in the garage.
// A collection Coins with a text field stored as FieldID 2, a Date field 0 and a number field 3,
// the Date values in ISO and in the short form older versions stored.
struct Store : TestDatabase {
    Store() {
        sql("INSERT INTO tblItem (ItemID, ManufacturerNM, ItemNM, PurchaseDT, PurchasePriceAM, "
            "TypeTX, LocationTX, WarrantyCD) VALUES "
            "(1, 'Acme', 'Toaster', '2024-03-15', 250000, 'Kitchenware', 'Kitchen', 1), "
            "(2, 'Zenith', 'Radio', '2023-05-02', 12345000, 'Electronics', 'Garage', 0), "
            "(3, 'O''Neil', 'Wet suit', NULL, 500000, 'Sports Equipment', 'Garage', 0), "
            "(4, '100% Cotton; Ltd', 'Shirt_1', NULL, 100000, 'Clothing', 'Attic', 0), "
            "(5, 'Bosch', 'Mixer', '2024-03-16', 1500000, 'Kitchenware', 'Garage', 1);"
            "INSERT INTO tblCollection VALUES ('Coins', NULL);"
            "INSERT INTO tblCollectionField VALUES ('Coins', 0, 'Minted', 6, 0, NULL), "
            "('Coins', 2, 'Mint', 0, 0, NULL), ('Coins', 3, 'Weight', 4, 0, NULL);"
            "INSERT INTO tblCollectionItem VALUES "
            "(1, 'Penny', 'Coins', 10000, NULL, NULL, NULL, '2024-01-01'), "
            "(2, 'Dime', 'Coins', 20000, NULL, NULL, NULL, '2024-01-01'), "
            "(3, 'Nickel', 'Coins', 30000, NULL, NULL, NULL, '2024-01-01');"
            "INSERT INTO tblCollectionItemField VALUES "
            "(1, 0, '1909-05-01'), (1, 2, 'S'), (1, 3, '9'), "
            "(2, 0, '3/4/1916'), (2, 2, 'D'), (2, 3, '10.5'), "
            "(3, 0, ''), (3, 2, 'P'), (3, 3, '');");
    }

    // The ItemIDs the search finds, in order.
    QVariantList found(const SearchTarget& target, const QList<CriteriaRow>& rows) const {
        QVariantList ids =
            SearchQuery::run(data, target, {"ItemNM"}, rows, 0).columnValues("ItemID");
        std::sort(ids.begin(), ids.end(), [](const QVariant& a, const QVariant& b) {
            return a.toLongLong() < b.toLongLong();
        });
        return ids;
    }
    QVariantList inventory(const QList<CriteriaRow>& rows) const {
        return found(SearchTarget::inventory(), rows);
    }
};

QVariantList ids(std::initializer_list<qlonglong> values) {
    QVariantList list;
    for (const qlonglong value : values)
        list.append(value);
    return list;
}

} // namespace

Q_DECLARE_METATYPE(QList<CriteriaRow>)

class SearchTest : public QObject {
    Q_OBJECT

private slots:
    void validCriteriaRefusesInOrder_data() {
        QTest::addColumn<QList<CriteriaRow>>("rows");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("control");
        QTest::addColumn<QString>("message");
        const int field = int(CriteriaError::Control::Field);
        const int op = int(CriteriaError::Control::Operator);
        const int value = int(CriteriaError::Control::Value);
        const CriteriaRow fine{"ItemNM", "=", "Radio"};
        QTest::newRow("no operator") << QList<CriteriaRow>{fine, {"ItemNM", "", "x"}} << 1 << op
                                     << "Please select an operator for search criteria 2";
        QTest::newRow("no field") << QList<CriteriaRow>{{"", "=", ""}, {"ItemNM", "", ""}} << 0
                                  << field << "Please select search field for search criteria 1";
        QTest::newRow("no value") << QList<CriteriaRow>{fine, fine, {"TypeTX", "<>", ""}} << 2
                                  << value << "Please select search value for search criteria 3";
        QTest::newRow("not a date")
            << QList<CriteriaRow>{{"PurchaseDT", "=", "13/13/2024"}} << 0 << value
            << "The search value for criteria 1 must be a valid date.";
        QTest::newRow("not numeric") << QList<CriteriaRow>{{"PurchasePriceAM", "Like", "ten"}} << 0
                                     << value << "The search value for criteria 1 must be numeric.";
        QTest::newRow("like on an amount")
            << QList<CriteriaRow>{{}, {"PurchasePriceAM", "Like", "5"}} << 1 << op
            << "You cannot use the 'Like' operator for search field 2";
        QTest::newRow("like on a date")
            << QList<CriteriaRow>{{"PurchaseDT", "Like", "1/2/2024"}} << 0 << op
            << "You cannot use the 'Like' operator for search field 1";
        QTest::newRow("comments are not searched")
            << QList<CriteriaRow>{{"CommentsTX", "Like", "x"}} << 0 << field
            << "'CommentsTX' cannot be searched in Inventory.";
    }
    void validCriteriaRefusesInOrder() {
        QFETCH(QList<CriteriaRow>, rows);
        QFETCH(int, row);
        QFETCH(int, control);
        QFETCH(QString, message);
        const auto refused = SearchCriteria::ValidCriteria(SearchTarget::inventory(), rows);
        QVERIFY(refused);
        QCOMPARE(refused->message, message);
        QCOMPARE(refused->row, row);
        QCOMPARE(int(refused->control), control);
        Store store;
        QVERIFY_THROWS_EXCEPTION(DbError, store.inventory(rows));
    }

    void andBindsTighterThanOrAndAnUnusedFirstRowIsWellFormed() {
        Store store;
        const CriteriaRow kitchenware{"TypeTX", "=", "kitchenware"};
        const CriteriaRow garage{"LocationTX", "=", "Garage", Join::Or};
        const CriteriaRow over100{"PurchasePriceAM", ">", "$100", Join::And};
        QCOMPARE(store.inventory({kitchenware, garage, over100}), ids({1, 2, 5}));
        // The first row left unused: the second joins nothing.
        QCOMPARE(store.inventory({{}, garage, over100}), ids({2, 5}));
        QCOMPARE(store.inventory({{}, {}, garage}), ids({2, 3, 5}));
        QCOMPARE(store.inventory({}), ids({1, 2, 3, 4, 5}));
    }

    void valuesAreReadForTheirColumnAndTakenLiterally() {
        Store store;
        QCOMPARE(store.inventory({{"ManufacturerNM", "=", "O'Neil"}}), ids({3}));
        QCOMPARE(store.inventory({{"ManufacturerNM", "Like", "'ne"}}), ids({3}));
        QCOMPARE(store.inventory({{"ManufacturerNM", "Like", "0%"}}), ids({4}));
        QCOMPARE(store.inventory({{"ManufacturerNM", "Like", "n; l"}}), ids({4}));
        QCOMPARE(store.inventory({{"ItemNM", "Like", "t_1"}}), ids({4}));
        QCOMPARE(store.inventory({{"ItemNM", "Like", "t_s"}}), ids({}));
        QCOMPARE(store.inventory({{"ManufacturerNM", "=", "x' OR 1=1 --"}}), ids({}));
        // Amounts as typed, compared with the stored ten-thousandths; flags as 1 and 0.
        QCOMPARE(store.inventory({{"PurchasePriceAM", ">=", "1,234.5"}}), ids({2}));
        QCOMPARE(store.inventory({{"PurchasePriceAM", "<", "25.00001"}}), ids({1, 4}));
        QCOMPARE(store.inventory({{"WarrantyCD", "=", "1"}}), ids({1, 5}));
        // Dates in the short form or ISO.
        QCOMPARE(store.inventory({{"PurchaseDT", ">=", "3/15/2024"}}), ids({1, 5}));
        QCOMPARE(store.inventory({{"PurchaseDT", "<", "2024-03-15"}}), ids({2}));
    }

    void collectionFieldsCompareAsTheirTypeSays() {
        Store store;
        const SearchTarget coins = SearchTarget::collection(store.data, "coins");
        QCOMPARE(coins.entryText(), QString("Collection - Coins"));
        QCOMPARE(coins.columns().size(), 10);
        QCOMPARE(coins.columns().at(8).column, QString("Field2"));
        QCOMPARE(coins.columns().at(8).displayName, QString("Mint"));
        QCOMPARE(coins.criteriaColumns().size(), 9);

        QCOMPARE(store.found(coins, {{"Field2", "=", "d"}}), ids({2}));
        QCOMPARE(store.found(coins, {{"Field2", "Like", "s"}}), ids({1}));
        // A date stored in ISO or in the old short form; an empty one matches nothing.
        QCOMPARE(store.found(coins, {{"Field0", "<", "1/1/1910"}}), ids({1}));
        QCOMPARE(store.found(coins, {{"Field0", "=", "1916-03-04"}}), ids({2}));
        QCOMPARE(store.found(coins, {{"Field0", "<>", "1916-03-04"}}), ids({1}));
        // A number field compares as numbers: 9 is less than 10.5.
        QCOMPARE(store.found(coins, {{"Field3", ">", "9.5"}}), ids({2}));
        QCOMPARE(SearchCriteria::ValidCriteria(coins, {{"Field0", "Like", "1/1/1909"}})->message,
                 QString("You cannot use the 'Like' operator for search field 1"));
        QVERIFY_THROWS_EXCEPTION(DbError, SearchTarget::collection(store.data, "Stamps"));
    }

    void columnsComeInListOrderUnderTheirNames() {
        Store store;
        const SearchTarget inventory = SearchTarget::inventory();
        const QStringList chosen = {"PurchasePriceAM", "itemnm"};
        for (const auto& [round, price] : {std::pair{0, "$1,234.50"}, {1, "$1,235"}}) {
            const Recordset rows =
                SearchQuery::run(store.data, inventory, chosen, {{"ItemNM", "=", "Radio"}}, round);
            QCOMPARE(rows.columnNames(), (QStringList{"ItemID", "Item Name", "Purchase Price"}));
            QCOMPARE(rows.value(0, "Purchase Price"), QVariant(price));
        }
        QVERIFY_THROWS_EXCEPTION(DbError, SearchQuery::resultColumns(inventory, {"Field2"}, 0));
    }
};

DOMIVO_TEST_MAIN(SearchTest)
#include "tst_search.moc"
