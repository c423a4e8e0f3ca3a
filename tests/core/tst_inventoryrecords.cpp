// The inventory item store: the grid query, lists, counts, and the writes, checked against the
// rows the engine holds in their storage forms.

#include "TestEnvironment.h"

#include "app/General.h"
#include "data/DbError.h"
#include "data/dvData.h"

namespace {

// A database of its own for one test, by default with three items written the way another
// program would: amounts in ten-thousandths, ISO dates.
struct Store : TestDatabase {
    explicit Store(bool withItems = true) {
        if (withItems)
            sql("INSERT INTO tblItem (ItemID, ManufacturerNM, ItemNM, ModelSeriesTX, PurchaseDT, "
                "PurchasePriceAM, TypeTX, LocationTX, LastChangeDT) VALUES "
                "(1, 'Zenith', 'Radio', 'Z1', '2023-05-02', 12345000, 'Electronics', 'Kitchen', "
                "'2001-01-01'), "
                "(2, 'O''Neil', 'Wetsuit', NULL, '2024-03-15', 1999900, 'Sports Equipment', "
                "'Garage', '2001-01-01'), "
                "(3, 'Acme', 'Anvil', 'heavy', NULL, NULL, 'Tools', 'Garage', '2001-01-01')");
    }
    const invItem& items() const { return data.Inventory().Item(); }
};

} // namespace

class InventoryRecordsTest : public QObject {
    Q_OBJECT

private slots:
    // (The grid's rows, filters and placeholder are checked through domivo-cli items and the
    // inventory window; Retrieve and Delete through the item editor and the inventory window.)
    void mainGridRoundsWithTheFlag1Only() {
        Store store;
        for (const auto& [flag, price] :
             {std::pair{0, "$1,234.50"}, {1, "$1,235"}, {2, "$1,234.50"}})
            QCOMPARE(store.items().ListMainGrid(flag, "Electronics", "", "", {}).value(0, "Price"),
                     QVariant(price));
    }

    void mainGridRowsAreTypedAndTiesComeInTheOrderItemsWereAdded() {
        Store store(false);
        store.sql("INSERT INTO tblItem (ItemID, ManufacturerNM, ItemNM, PurchasePriceAM) VALUES "
                  "(5, 'acme', 'Lamp', 10000), (2, 'Acme', 'lamp', 20000), "
                  "(9, 'Zenith', 'Radio', NULL), (7, 'ACME', 'Anvil', 5)");
        RowCursor rows = store.items().ListMainGridRows(1, "", "", "", {});
        QCOMPARE(rows.columns().at(4).moneyPattern, QString("$#,##0"));
        QStringList ids;
        QVariantList prices;
        while (rows.next()) {
            ids << rows.row().at(0).toString();
            prices << rows.row().at(4);
        }
        QCOMPARE(ids, QStringList({"7", "2", "5", "9"}));
        QCOMPARE(prices.at(1), QVariant::fromValue(Currency::fromUnits(20000)));
        QVERIFY(!prices.at(3).isValid());
        // A filter that matches nothing gives no row; the placeholder is asked for apart.
        RowCursor none = store.items().ListMainGridRows(0, "Art", "", "", {});
        QVERIFY(!none.next());
        QCOMPARE(store.items().NoItemsFound().value(0, "Item"), QVariant("No items found"));
        QVERIFY(Store(false).items().NoItemsFound().isEmpty());
    }

    void storedAmountsOfEveryKindAreShownAsTheyAre() {
        // Amounts no version of the program writes (the extremes of the 64-bit count, a REAL
        // beyond it, text), as a hand-edited or foreign file may hold them.
        Store store(false);
        store.sql("PRAGMA ignore_check_constraints = ON; INSERT INTO tblItem (ItemID, ItemNM, "
                  "PurchasePriceAM) VALUES (1, 'max', 9223372036854775807), "
                  "(2, 'min', -9223372036854775808), (3, 'real', 1e300), (4, 'text', 'abc'), "
                  "(5, 'small real', 125000.4)");
        const Recordset grid = store.items().ListMainGrid(0, "", "", "", {});
        QStringList prices;
        for (int row = 0; row < grid.rowCount(); ++row)
            prices << grid.value(row, "Price").toString();
        QCOMPARE(prices, QStringList({"$922,337,203,685,477.58", "-$922,337,203,685,477.58",
                                      "1e+300", "$12.50", "abc"}));
        QStringList shown;
        for (qint64 id = 1; id <= 5; ++id)
            shown << General::FormatPrice(store.items().Retrieve(id).value(0, "PurchasePriceAM"),
                                          true);
        QCOMPARE(shown, QStringList({"$922337203685477.58", "$-922337203685477.58", "1e+300", "abc",
                                     "$12.50"}));
    }

    void addStoresStorageForms() {
        Store store(false);
        store.items().Add({.ManufacturerNM = "O'Neil",
                           .ItemNM = "Kayak; 100% \"dry\"",
                           .PurchaseDT = QDate(2024, 3, 15),
                           .WarrantyCD = true,
                           .WarrantyExpireDT = QString(),
                           .PurchasePriceAM = QString("12.5"),
                           .ReplacePriceAM = QVariant::fromValue(Currency::fromUnits(1234567)),
                           .AppraisalPriceAM = QVariant(),
                           .TypeTX = "Sports Equipment",
                           .LocationTX = "Garage",
                           .ManualsCD = true,
                           .CommentsTX = "it's red"});
        QCOMPARE(store.sql("SELECT ManufacturerNM, ItemNM, PurchaseDT, WarrantyCD, "
                           "typeof(WarrantyExpireDT), WarrantyDocumentCD, PurchasePriceAM, "
                           "ReplacePriceAM, AppraisalPriceAM, ReceiptCD, ManualsCD, CommentsTX, "
                           "LastChangeDT FROM tblItem"),
                 QString("O'Neil|Kayak; 100% \"dry\"|2024-03-15|1|null|0|125000|1234567|0|0|1|it's "
                         "red|%1\n")
                     .arg(storedToday()));
        // The stored text is found again by the filters.
        QCOMPARE(store.items().ListMainGrid(0, "", "", "O'Neil", {}).value(0, "Item"),
                 QVariant("Kayak; 100% \"dry\""));

        QVERIFY_THROWS_EXCEPTION(DbError, store.items().Add({.ItemNM = "Lamp",
                                                             .PurchasePriceAM = "cheap",
                                                             .TypeTX = "Art",
                                                             .LocationTX = "Attic"}));
        QCOMPARE(store.items().Count("", ""), 1);
    }

    void updateWithOnlyTheIdentifierStampsTheDate() {
        Store store;
        const QString everyColumnButTheDate =
            "SELECT ItemID, ManufacturerNM, ItemNM, ModelSeriesTX, SerialNumberID, "
            "PurchaseLocationTX, PurchaseDT, WarrantyCD, WarrantyExpireDT, WarrantyDocumentCD, "
            "PurchasePriceAM, ReplacePriceAM, AppraisalPriceAM, TypeTX, LocationTX, ReceiptCD, "
            "ManualsCD, CommentsTX FROM tblItem ORDER BY ItemID";
        const QString before = store.sql(everyColumnButTheDate);

        store.items().Update(2);

        QCOMPARE(store.sql(everyColumnButTheDate), before);
        QCOMPARE(store.sql("SELECT LastChangeDT FROM tblItem ORDER BY ItemID"),
                 QString("2001-01-01\n%1\n2001-01-01\n").arg(storedToday()));
    }

    void updateWritesGivenColumnsAllOrNothing() {
        Store store;
        store.items().Update(1, {.ManufacturerNM = "",
                                 .PurchaseDT = QVariant(),
                                 .WarrantyCD = true,
                                 .PurchasePriceAM = QString(""),
                                 .AppraisalPriceAM = QString("2,000.25"),
                                 .LocationTX = "Attic"});
        QCOMPARE(
            store.sql("SELECT quote(ManufacturerNM), ItemNM, ModelSeriesTX, typeof(PurchaseDT), "
                      "WarrantyCD, PurchasePriceAM, AppraisalPriceAM, TypeTX, LocationTX "
                      "FROM tblItem WHERE ItemID = 1"),
            QString("''|Radio|Z1|null|1|0|20002500|Electronics|Attic\n"));

        // The type must be an entry of the type list; the refusal keeps the other change out too.
        QVERIFY_THROWS_EXCEPTION(
            DbError, store.items().Update(2, {.ManufacturerNM = "Philco", .TypeTX = "Gadgets"}));
        QCOMPARE(
            store.sql("SELECT ManufacturerNM, TypeTX, LastChangeDT FROM tblItem WHERE ItemID = 2"),
            QString("O'Neil|Sports Equipment|2001-01-01\n"));
    }

    void moveToLocationIsAllOrNothing() {
        Store store;
        store.items().MoveToLocation({3, 1}, "Attic");
        QCOMPARE(store.sql("SELECT ItemID, LocationTX, LastChangeDT FROM tblItem ORDER BY ItemID"),
                 QString("1|Attic|%1\n2|Garage|2001-01-01\n3|Attic|%1\n").arg(storedToday()));

        // A location that is not on the list is refused before anything moves.
        QVERIFY_THROWS_EXCEPTION(DbError, store.items().MoveToLocation({2}, "Moon"));
        // A refusal part-way takes back the items moved before it.
        store.sql("CREATE TRIGGER keep_anvil BEFORE UPDATE OF LocationTX ON tblItem "
                  "WHEN NEW.ItemID = 3 BEGIN SELECT RAISE(ABORT, 'the anvil stays'); END");
        QVERIFY_THROWS_EXCEPTION(DbError, store.items().MoveToLocation({1, 2, 3}, "Safe"));
        QCOMPARE(store.sql("SELECT ItemID, LocationTX FROM tblItem ORDER BY ItemID"),
                 QString("1|Attic\n2|Garage\n3|Attic\n"));
    }

    void listAndCountFilterPrecedenceAndOrder() {
        Store store;
        const invItem& items = store.items();
        const Recordset all = items.List("", "");
        QCOMPARE(all.columnCount(), 19);
        QCOMPARE(all.columnValues("ItemID"), (QVariantList{3LL, 2LL, 1LL}));
        QCOMPARE(items.List("", "Tools").columnValues("ItemID"), QVariantList{3LL});
        // Given both, the location decides.
        QCOMPARE(items.List("Garage", "Electronics").columnValues("ItemID"),
                 (QVariantList{3LL, 2LL}));
        QCOMPARE(items.List("", "", "PurchasePriceAM DESC, ItemNM").columnValues("ItemID"),
                 (QVariantList{1LL, 2LL, 3LL}));
        QVERIFY_THROWS_EXCEPTION(DbError, items.List("", "", "ItemNM; DELETE FROM tblItem"));
        QVERIFY_THROWS_EXCEPTION(DbError, items.List("", "", "Price"));

        QCOMPARE(items.Count("", ""), 3);
        QCOMPARE(items.Count("", "Tools"), 1);
        QCOMPARE(items.Count("Garage", "Electronics"), 2);
        QCOMPARE(items.Count("Safe", ""), 0);
    }

    void distinctFieldValueAcceptsOnlyItemColumns() {
        Store store;
        const Recordset locations = store.items().DistinctFieldValue("LocationTX");
        QCOMPARE(locations.columnNames(), QStringList{"LocationTX"});
        QCOMPARE(locations.columnValues("LocationTX"), (QVariantList{"Garage", "Kitchen"}));
        QCOMPARE(store.items().DistinctFieldValue("PurchaseDT").columnValues("PurchaseDT"),
                 (QVariantList{QVariant(), QDate(2023, 5, 2), QDate(2024, 3, 15)}));
        QVERIFY_THROWS_EXCEPTION(DbError, store.items().DistinctFieldValue("Colour"));
        QVERIFY_THROWS_EXCEPTION(DbError,
                                 store.items().DistinctFieldValue("1) FROM tblType_Lkp --"));

        // Through the index or without it: one entry per value regardless of letter case,
        // spelt as the earliest item has it, Null first.
        store.sql("INSERT INTO tblItem (ItemID, ManufacturerNM, ItemNM, PurchaseLocationTX) VALUES "
                  "(9, 'zenith', 'Clock', 'costco'), (4, 'ACME', 'Bolt', NULL), "
                  "(8, '', 'Nut', 'Costco'), (7, 'acme', 'Saw', 'Bob''s'), (5, NULL, 'Pen', '')");
        const auto listsAsShown = [&store] {
            QCOMPARE(
                store.items().DistinctFieldValue("ManufacturerNM").columnValues("ManufacturerNM"),
                (QVariantList{QVariant(), "", "Acme", "O'Neil", "Zenith"}));
            QCOMPARE(store.items()
                         .DistinctFieldValue("PurchaseLocationTX")
                         .columnValues("PurchaseLocationTX"),
                     (QVariantList{QVariant(), "", "Bob's", "Costco"}));
        };
        listsAsShown();
        store.sql("DROP INDEX ManufacturerKey; DROP INDEX PurchaseLocationKey");
        listsAsShown();
    }

    void searchShowsKnownColumnsAndBindsConditionValues() {
        Store store;
        const Inventory& inventory = store.data.Inventory();
        const QList<ResultColumn> columns = {
            {"ItemNM", "Item Name"},
            {"PurchasePriceAM", "Purchase Price", ResultColumn::Amount::Money}};

        const Recordset all = inventory.Search(columns);
        QCOMPARE(all.columnNames(), (QStringList{"ItemID", "Item Name", "Purchase Price"}));
        QCOMPARE(all.rowCount(), 3);

        SearchCondition condition;
        condition.add({.column = "ManufacturerNM",
                       .op = SearchCondition::Operator::Like,
                       .value = SearchCondition::likePattern("'ne")});
        condition.add({.join = SearchCondition::Join::Or,
                       .column = "PurchasePriceAM",
                       .op = SearchCondition::Operator::Greater,
                       .value = Currency::fromWhole(1000).units()});
        const Recordset found = inventory.Search(columns, condition);
        QCOMPARE(found.columnValues("Item Name"), (QVariantList{"Radio", "Wetsuit"}));
        QCOMPARE(found.columnValues("Purchase Price"), (QVariantList{"$1,234.50", "$199.99"}));

        // Only columns of the item table reach the statement, shown or tested.
        SearchCondition injected;
        injected.add({.column = "1=1 OR ItemNM", .value = "x"});
        QVERIFY_THROWS_EXCEPTION(DbError, inventory.Search({{"ItemNM FROM tblItem --"}}));
        QVERIFY_THROWS_EXCEPTION(DbError, inventory.Search(columns, injected));
    }
};

DOMIVO_TEST_MAIN(InventoryRecordsTest)
#include "tst_inventoryrecords.moc"
