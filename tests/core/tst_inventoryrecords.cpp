// The inventory item store: the grid query, lists, counts, and the writes, checked against the
// rows the engine holds in their storage forms.

#include "TestEnvironment.h"

#include "data/DbError.h"
#include "data/SqlFragment.h"
#include "data/dvData.h"
#include "types/DateText.h"

namespace {

const QStringList gridColumns = {"ItemID", "Manufacturer", "Item",    "Model",
                                 "Price",  "Type",         "Location"};

// Three items written the way another program would: amounts in ten-thousandths, ISO dates.
void writeThreeItems(const TestEnvironment& env) {
    runSqlite(env.databaseFile(),
              "INSERT INTO tblItem (ItemID, ManufacturerNM, ItemNM, ModelSeriesTX, PurchaseDT, "
              "PurchasePriceAM, TypeTX, LocationTX, LastChangeDT) VALUES "
              "(1, 'Zenith', 'Radio', 'Z1', '2023-05-02', 12345000, 'Electronics', 'Kitchen', "
              "'2001-01-01'), "
              "(2, 'O''Neil', 'Wetsuit', NULL, '2024-03-15', 1999900, 'Sports Equipment', "
              "'Garage', '2001-01-01'), "
              "(3, 'Acme', 'Anvil', 'heavy', NULL, NULL, 'Tools', 'Garage', '2001-01-01')");
}

QVariantList column(const Recordset& rows, const QString& name) {
    return rows.columnValues(name);
}

} // namespace

class InventoryRecordsTest : public QObject {
    Q_OBJECT

private slots:
    void mainGridRowsColumnsAndOrder();
    void mainGridRoundsPricesOnlyWithFlagOne_data();
    void mainGridRoundsPricesOnlyWithFlagOne();
    void mainGridFilters();
    void mainGridPlaceholderOnlyWhenTableHasItems();
    void addStoresStorageForms();
    void addRefusesWhatIsNotAnAmount();
    void updateWithOnlyTheIdentifierStampsTheDate();
    void updateWritesGivenColumnsEvenWhenEmpty();
    void updateIsAllOrNothing();
    void listFilterPrecedenceAndOrder();
    void countFollowsListPrecedence();
    void distinctFieldValueAcceptsOnlyItemColumns();
    void retrieveAndDelete();
    void searchBindsConditionValues();
};

void InventoryRecordsTest::mainGridRowsColumnsAndOrder() {
    TestEnvironment env;
    dvData data;
    data.setPath(env.databaseFile());
    writeThreeItems(env);

    const Recordset rows = data.Inventory().Item().ListMainGrid(0, "", "", "", QDate());
    QCOMPARE(rows.columnNames(), gridColumns);
    QCOMPARE(rows.rowCount(), 3);
    QCOMPARE(rows.row(0),
             (QVariantList{3LL, "Acme", "Anvil", "heavy", QVariant(), "Tools", "Garage"}));
    QCOMPARE(rows.row(1), (QVariantList{2LL, "O'Neil", "Wetsuit", QVariant(), "$199.99",
                                        "Sports Equipment", "Garage"}));
    QCOMPARE(rows.row(2),
             (QVariantList{1LL, "Zenith", "Radio", "Z1", "$1,234.50", "Electronics", "Kitchen"}));
}

void InventoryRecordsTest::mainGridRoundsPricesOnlyWithFlagOne_data() {
    QTest::addColumn<int>("flag");
    QTest::addColumn<QString>("price");
    QTest::newRow("0") << 0 << "$1,234.50";
    QTest::newRow("1") << 1 << "$1,235";
    QTest::newRow("2") << 2 << "$1,234.50";
}

void InventoryRecordsTest::mainGridRoundsPricesOnlyWithFlagOne() {
    QFETCH(int, flag);
    QFETCH(QString, price);
    TestEnvironment env;
    dvData data;
    data.setPath(env.databaseFile());
    writeThreeItems(env);
    const Recordset rows = data.Inventory().Item().ListMainGrid(flag, "Electronics", "", "", {});
    QCOMPARE(column(rows, "Price"), QVariantList{price});
}

void InventoryRecordsTest::mainGridFilters() {
    TestEnvironment env;
    dvData data;
    data.setPath(env.databaseFile());
    writeThreeItems(env);
    const invItem& items = data.Inventory().Item();

    QCOMPARE(column(items.ListMainGrid(0, "Tools", "", "", {}), "ItemID"), QVariantList{3LL});
    QCOMPARE(column(items.ListMainGrid(0, "", "Garage", "", {}), "ItemID"),
             (QVariantList{3LL, 2LL}));
    QCOMPARE(column(items.ListMainGrid(0, "", "", "O'Neil", {}), "ItemID"), QVariantList{2LL});
    // Names compare without regard to letter case, as everywhere in the database.
    QCOMPARE(column(items.ListMainGrid(0, "", "", "o'neil", {}), "ItemID"), QVariantList{2LL});
    QCOMPARE(column(items.ListMainGrid(0, "", "", "", QDate(2023, 5, 2)), "ItemID"),
             QVariantList{1LL});
}

void InventoryRecordsTest::mainGridPlaceholderOnlyWhenTableHasItems() {
    TestEnvironment env;
    dvData data;
    data.setPath(env.databaseFile());
    const invItem& items = data.Inventory().Item();

    const Recordset empty = items.ListMainGrid(0, "Tools", "", "", {});
    QCOMPARE(empty.rowCount(), 0);
    QCOMPARE(items.ListMainGrid(0, "", "", "", {}).rowCount(), 0);

    writeThreeItems(env);
    const Recordset none = items.ListMainGrid(0, "Art", "", "", {});
    QCOMPARE(none.columnNames(), gridColumns);
    QCOMPARE(none.rowCount(), 1);
    QCOMPARE(none.row(0), (QVariantList{"", "", "No items found", "", "", "", ""}));
    QCOMPARE(items.ListMainGrid(0, "", "", "Nobody", {}).rowCount(), 1);
    QCOMPARE(items.ListMainGrid(0, "", "", "", QDate(1999, 1, 1)).rowCount(), 1);
}

void InventoryRecordsTest::addStoresStorageForms() {
    TestEnvironment env;
    dvData data;
    data.setPath(env.databaseFile());
    const invItem& items = data.Inventory().Item();

    items.Add({.ManufacturerNM = "O'Neil",
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
    const QString today = DateText::storageText(QDate::currentDate());
    QCOMPARE(runSqlite(env.databaseFile(),
                       "SELECT ManufacturerNM, ItemNM, PurchaseDT, WarrantyCD, "
                       "typeof(WarrantyExpireDT), WarrantyDocumentCD, PurchasePriceAM, "
                       "ReplacePriceAM, AppraisalPriceAM, ReceiptCD, ManualsCD, CommentsTX, "
                       "LastChangeDT FROM tblItem"),
             QString("O'Neil|Kayak; 100% \"dry\"|2024-03-15|1|null|0|125000|1234567|0|0|1|it's "
                     "red|%1\n")
                 .arg(today));
    // The stored text is found again by the filters.
    QCOMPARE(items.ListMainGrid(0, "", "", "O'Neil", {}).value(0, "Item").toString(),
             QString("Kayak; 100% \"dry\""));
}

void InventoryRecordsTest::addRefusesWhatIsNotAnAmount() {
    TestEnvironment env;
    dvData data;
    data.setPath(env.databaseFile());
    QVERIFY_THROWS_EXCEPTION(DbError, data.Inventory().Item().Add({.ItemNM = "Lamp",
                                                                   .PurchasePriceAM = "cheap",
                                                                   .TypeTX = "Art",
                                                                   .LocationTX = "Attic"}));
    QCOMPARE(data.Inventory().Item().Count("", ""), 0);
}

void InventoryRecordsTest::updateWithOnlyTheIdentifierStampsTheDate() {
    TestEnvironment env;
    dvData data;
    data.setPath(env.databaseFile());
    writeThreeItems(env);
    const QString everyColumnButTheDate =
        "SELECT ItemID, ManufacturerNM, ItemNM, ModelSeriesTX, SerialNumberID, "
        "PurchaseLocationTX, PurchaseDT, WarrantyCD, WarrantyExpireDT, WarrantyDocumentCD, "
        "PurchasePriceAM, ReplacePriceAM, AppraisalPriceAM, TypeTX, LocationTX, ReceiptCD, "
        "ManualsCD, CommentsTX FROM tblItem ORDER BY ItemID";
    const QString before = runSqlite(env.databaseFile(), everyColumnButTheDate);

    data.Inventory().Item().Update(2);

    QCOMPARE(runSqlite(env.databaseFile(), everyColumnButTheDate), before);
    QCOMPARE(
        runSqlite(env.databaseFile(), "SELECT LastChangeDT FROM tblItem ORDER BY ItemID"),
        QString("2001-01-01\n%1\n2001-01-01\n").arg(DateText::storageText(QDate::currentDate())));
}

void InventoryRecordsTest::updateWritesGivenColumnsEvenWhenEmpty() {
    TestEnvironment env;
    dvData data;
    data.setPath(env.databaseFile());
    writeThreeItems(env);

    data.Inventory().Item().Update(1, {.ManufacturerNM = "",
                                       .PurchaseDT = QVariant(),
                                       .WarrantyCD = true,
                                       .PurchasePriceAM = QString(""),
                                       .AppraisalPriceAM = QString("2,000.25"),
                                       .LocationTX = "Attic"});

    QCOMPARE(runSqlite(env.databaseFile(),
                       "SELECT quote(ManufacturerNM), ItemNM, ModelSeriesTX, typeof(PurchaseDT), "
                       "WarrantyCD, PurchasePriceAM, AppraisalPriceAM, TypeTX, LocationTX "
                       "FROM tblItem WHERE ItemID = 1"),
             QString("''|Radio|Z1|null|1|0|20002500|Electronics|Attic\n"));
}

void InventoryRecordsTest::updateIsAllOrNothing() {
    TestEnvironment env;
    dvData data;
    data.setPath(env.databaseFile());
    writeThreeItems(env);
    // The type must be an entry of the type list; the refusal keeps the other change out too.
    QVERIFY_THROWS_EXCEPTION(DbError, data.Inventory().Item().Update(
                                          1, {.ManufacturerNM = "Philco", .TypeTX = "Gadgets"}));
    QCOMPARE(runSqlite(env.databaseFile(),
                       "SELECT ManufacturerNM, TypeTX, LastChangeDT FROM tblItem WHERE ItemID = 1"),
             QString("Zenith|Electronics|2001-01-01\n"));
}

void InventoryRecordsTest::listFilterPrecedenceAndOrder() {
    TestEnvironment env;
    dvData data;
    data.setPath(env.databaseFile());
    writeThreeItems(env);
    const invItem& items = data.Inventory().Item();

    const Recordset all = items.List("", "");
    QCOMPARE(all.columnCount(), 19);
    QCOMPARE(column(all, "ItemID"), (QVariantList{3LL, 2LL, 1LL}));
    QCOMPARE(column(items.List("", "Tools"), "ItemID"), QVariantList{3LL});
    // Given both, the location decides.
    QCOMPARE(column(items.List("Garage", "Electronics"), "ItemID"), (QVariantList{3LL, 2LL}));
    QCOMPARE(column(items.List("", "", "PurchasePriceAM DESC, ItemNM"), "ItemID"),
             (QVariantList{1LL, 2LL, 3LL}));
    QVERIFY_THROWS_EXCEPTION(DbError, items.List("", "", "ItemNM; DELETE FROM tblItem"));
    QVERIFY_THROWS_EXCEPTION(DbError, items.List("", "", "Price"));
}

void InventoryRecordsTest::countFollowsListPrecedence() {
    TestEnvironment env;
    dvData data;
    data.setPath(env.databaseFile());
    writeThreeItems(env);
    const invItem& items = data.Inventory().Item();
    QCOMPARE(items.Count("", ""), 3);
    QCOMPARE(items.Count("Garage", ""), 2);
    QCOMPARE(items.Count("", "Tools"), 1);
    QCOMPARE(items.Count("Garage", "Electronics"), 2);
    QCOMPARE(items.Count("Safe", ""), 0);
    QCOMPARE(items.Count("", "Unknown"), 0);
}

void InventoryRecordsTest::distinctFieldValueAcceptsOnlyItemColumns() {
    TestEnvironment env;
    dvData data;
    data.setPath(env.databaseFile());
    writeThreeItems(env);
    const invItem& items = data.Inventory().Item();

    const Recordset locations = items.DistinctFieldValue("LocationTX");
    QCOMPARE(locations.columnNames(), QStringList{"LocationTX"});
    QCOMPARE(locations.columnValues("LocationTX"), (QVariantList{"Garage", "Kitchen"}));
    QCOMPARE(items.DistinctFieldValue("PurchaseDT").columnValues("PurchaseDT"),
             (QVariantList{QVariant(), QDate(2023, 5, 2), QDate(2024, 3, 15)}));
    QVERIFY_THROWS_EXCEPTION(DbError, items.DistinctFieldValue("Colour"));
    QVERIFY_THROWS_EXCEPTION(DbError, items.DistinctFieldValue("1) FROM tblType_Lkp --"));
}

void InventoryRecordsTest::retrieveAndDelete() {
    TestEnvironment env;
    dvData data;
    data.setPath(env.databaseFile());
    writeThreeItems(env);
    const invItem& items = data.Inventory().Item();

    const Recordset item = items.Retrieve(2);
    QCOMPARE(item.rowCount(), 1);
    QCOMPARE(item.columnNames(), invItem::columnNames());
    QCOMPARE(item.value(0, "PurchasePriceAM").value<Currency>(), Currency::fromUnits(1999900));
    QCOMPARE(item.value(0, "PurchaseDT"), QVariant(QDate(2024, 3, 15)));

    items.Delete(2);
    QVERIFY(items.Retrieve(2).isEmpty());
    QCOMPARE(runSqlite(env.databaseFile(), "SELECT ItemID FROM tblItem ORDER BY ItemID"),
             QString("1\n3\n"));
}

void InventoryRecordsTest::searchBindsConditionValues() {
    TestEnvironment env;
    dvData data;
    data.setPath(env.databaseFile());
    writeThreeItems(env);
    const Inventory& inventory = data.Inventory();
    const QString fields = QString("ItemNM AS %1, FormatMoney(PurchasePriceAM, '$#,##0.00') AS %2")
                               .arg(SqlFragment::quoteIdentifier("Item Name"),
                                    SqlFragment::quoteIdentifier("Purchase Price"));

    const Recordset all = inventory.Search(fields);
    QCOMPARE(all.columnNames(), (QStringList{"ItemID", "Item Name", "Purchase Price"}));
    QCOMPARE(all.rowCount(), 3);

    const Recordset found =
        inventory.Search(fields, {"ManufacturerNM LIKE ? OR PurchasePriceAM > ?",
                                  {"%'ne%", QVariant::fromValue(Currency::fromWhole(1000))}});
    QCOMPARE(found.columnValues("Item Name"), (QVariantList{"Radio", "Wetsuit"}));
    QCOMPARE(found.columnValues("Purchase Price"), (QVariantList{"$1,234.50", "$199.99"}));
}

DOMIVO_TEST_MAIN(InventoryRecordsTest)
#include "tst_inventoryrecords.moc"
