// The collection stores: collections, field definitions, items and their field values, and the
// grid and search queries that lay out one column per field.

#include "TestEnvironment.h"

#include "data/DbError.h"
#include "data/SqlFragment.h"
#include "data/dvData.h"
#include "types/DateText.h"

#include <QLoggingCategory>
#include <QRegularExpression>

namespace {

const QString mintField = "Mint's \"mark\" [x]";

// Two collections written the way another program would. Coins has fields 0 and 2 (stored out
// of order); item 2's Mint holds the same text as item 1's Year, and a Stamps item holds it too.
void writeCollections(const TestEnvironment& env) {
    runSqlite(env.databaseFile(),
              "INSERT INTO tblCollection VALUES ('Coins', 'old ones'), ('Stamps', NULL);"
              "INSERT INTO tblCollectionField VALUES "
              "('Coins', 2, 'Mint''s \"mark\" [x]', 0, 0, NULL), "
              "('Coins', 0, 'Year', 3, 1, NULL), ('Stamps', 0, 'Country', 0, 0, NULL);"
              "INSERT INTO tblCollectionItem VALUES "
              "(1, 'Penny', 'Coins', 12345000, 20000, 30000, 'worn', '2001-01-01'), "
              "(2, 'Dime', 'Coins', 1000000, NULL, NULL, NULL, '2001-01-01'), "
              "(3, 'Jenny', 'Stamps', 5000000, NULL, NULL, NULL, '2001-01-01');"
              "INSERT INTO tblCollectionItemField VALUES "
              "(1, 0, '1909'), (1, 2, 'S'), (2, 0, '1916'), (2, 2, '1909'), (3, 0, '1909');");
}

// A collection with four fields and one item holding a value in each.
qint64 addFourFieldItem(const Collection& collections) {
    collections.Add("Four", "");
    for (int field = 0; field < 4; ++field)
        collections.Field().Add("Four", field, QString("F%1").arg(field), 0, false, "");
    const qint64 id = collections.Item().Add("Four", "Box", "7", "", "", "");
    for (int field = 0; field < 4; ++field)
        collections.Item().Field().Add(id, field, QString("v%1").arg(field));
    return id;
}

// Statements the data layer logs, caught so that the engine can be asked how it runs them.
QStringList loggedStatements;
QtMessageHandler previousHandler = nullptr;

void catchStatements(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (context.category && qstrcmp(context.category, "domivo.sql") == 0) {
        loggedStatements.append(message.left(message.lastIndexOf(" QList(")));
        return;
    }
    previousHandler(type, context, message);
}

// How many of the value table's lookups in the plan go through its (ItemID, FieldID) key, and
// how many tables the plan scans.
struct PlanSummary {
    int keyLookups = 0;
    int scans = 0;
};

PlanSummary planOf(const dvData& data, const QString& sql) {
    static const QRegularExpression keyLookup(
        R"(^SEARCH \w+ USING (COVERING )?INDEX sqlite_autoindex_tblCollectionItemField_1 )"
        R"(\(ItemID=\? AND FieldID=\?\)$)");
    Connection connection(data.connString());
    const Recordset plan =
        connection.query("EXPLAIN QUERY PLAN " + sql, QVariantList(sql.count('?'), QVariant()));
    PlanSummary summary;
    for (const QVariant& detail : plan.columnValues("detail")) {
        if (keyLookup.match(detail.toString()).hasMatch())
            ++summary.keyLookups;
        if (detail.toString().startsWith("SCAN"))
            ++summary.scans;
    }
    return summary;
}

} // namespace

class CollectionRecordsTest : public QObject {
    Q_OBJECT

private slots:
    void collectionNamesWithQuotesAreStoredAndFound();
    void renameKeepsFieldsAndItems();
    void deleteLeavesNothingBehind();
    void fieldDefinitions();
    void memoryListOffersDistinctValuesOfTheField();
    void mainGridJoinsStoredFieldIds_data();
    void mainGridJoinsStoredFieldIds();
    void mainGridWithoutItemsKeepsColumns();
    void gridAndSearchFindEachValueThroughItsKey();
    void itemAddReturnsIdentifierAndStoresPrices();
    void itemRetrieveByIdentifierOrName();
    void itemUpdateWritesOnlyGivenColumns();
    void itemDeleteTakesItsValues();
    void itemListOrder();
    void fieldValueRetrieveAllOrOne();
    void fieldValueListKeepsEachItemTogether();
    void countAndSumLookAtTheNamedFieldOnly();
    void searchNamesFieldColumnsByStoredId();
};

void CollectionRecordsTest::collectionNamesWithQuotesAreStoredAndFound() {
    TestEnvironment env;
    dvData data;
    data.setPath(env.databaseFile());
    const Collection& collections = data.Collection();
    const QString name = "Grandma's \"best\"; 100%";

    collections.Add(name, "it's hers");
    collections.Add("Buttons", "");
    QCOMPARE(collections.Count(), 2);
    QCOMPARE(collections.List().columnValues("CollectionNM"), (QVariantList{"Buttons", name}));
    const Recordset found = collections.Retrieve(name.toUpper());
    QCOMPARE(found.rowCount(), 1);
    QCOMPARE(found.row(0), (QVariantList{name, "it's hers"}));
    QVERIFY(collections.Retrieve("Grandma").isEmpty());
    // The name is the key, letter case aside.
    QVERIFY_THROWS_EXCEPTION(DbError, collections.Add("BUTTONS", ""));
}

void CollectionRecordsTest::renameKeepsFieldsAndItems() {
    TestEnvironment env;
    dvData data;
    data.setPath(env.databaseFile());
    writeCollections(env);
    const Collection& collections = data.Collection();

    collections.Update("Coins", "Old Coins", "renamed");
    QVERIFY(collections.Retrieve("Coins").isEmpty());
    QCOMPARE(collections.Retrieve("Old Coins").value(0, "CommentsTX"), QVariant("renamed"));
    QCOMPARE(collections.Field().Count("Old Coins"), 2);
    QCOMPARE(collections.Item().Count("Old Coins"), 2);
    QCOMPARE(collections.Item().MainGrid("Old Coins", 0).rowCount(), 2);

    collections.Update("Stamps", "Stamps", "comments only");
    QCOMPARE(collections.List().columnValues("CommentsTX"),
             (QVariantList{"renamed", "comments only"}));
    QCOMPARE(collections.Item().Count("Stamps"), 1);
}

void CollectionRecordsTest::deleteLeavesNothingBehind() {
    TestEnvironment env;
    dvData data;
    data.setPath(env.databaseFile());
    writeCollections(env);

    data.Collection().Delete("Coins");
    QCOMPARE(runSqlite(env.databaseFile(),
                       "SELECT (SELECT count(*) FROM tblCollection), "
                       "(SELECT count(*) FROM tblCollectionField), "
                       "(SELECT count(*) FROM tblCollectionItem), "
                       "(SELECT group_concat(ItemID) FROM tblCollectionItemField)"),
             QString("1|1|1|3\n"));
}

void CollectionRecordsTest::fieldDefinitions() {
    TestEnvironment env;
    dvData data;
    data.setPath(env.databaseFile());
    writeCollections(env);
    const colField& fields = data.Collection().Field();

    const Recordset coins = fields.List("Coins");
    QCOMPARE(coins.columnNames(), (QStringList{"CollectionNM", "FieldID", "FieldNM", "FieldTypeCD",
                                               "RequiredCD", "FieldListTX"}));
    QCOMPARE(coins.columnValues("FieldID"), (QVariantList{0LL, 2LL}));
    QCOMPARE(coins.columnValues("RequiredCD"), (QVariantList{true, false}));
    QCOMPARE(fields.Retrieve("Coins", 2).value(0, "FieldNM"), QVariant(mintField));
    QVERIFY(fields.Retrieve("Coins", 1).isEmpty());
    QCOMPARE(fields.Count("Coins"), 2);
    QCOMPARE(fields.Count("Nothing"), 0);

    fields.Add("Stamps", 1, "Condition", 1, true, "Mint;Used;Collector's");
    fields.Add("Stamps", 3, "Notes", 0, false, "");
    QCOMPARE(runSqlite(env.databaseFile(),
                       "SELECT FieldID, FieldNM, FieldTypeCD, RequiredCD, quote(FieldListTX) "
                       "FROM tblCollectionField WHERE CollectionNM = 'Stamps' ORDER BY FieldID"),
             QString("0|Country|0|0|NULL\n1|Condition|1|1|'Mint;Used;Collector''s'\n"
                     "3|Notes|0|0|NULL\n"));
}

void CollectionRecordsTest::memoryListOffersDistinctValuesOfTheField() {
    TestEnvironment env;
    dvData data;
    data.setPath(env.databaseFile());
    writeCollections(env);
    runSqlite(env.databaseFile(), "INSERT INTO tblCollectionItem (ItemID, ItemNM, CollectionNM) "
                                  "VALUES (4, 'Nickel', 'Coins'), (5, 'Cent', 'Coins');"
                                  "INSERT INTO tblCollectionItemField VALUES "
                                  "(4, 0, '1916'), (4, 2, ''), (5, 0, '1909'), (5, 2, 's');");
    const colField& fields = data.Collection().Field();

    const Recordset mints = fields.MemoryList("Coins", 2);
    QCOMPARE(mints.columnNames(), QStringList{"FieldValueTX"});
    // "s" and "S" are one value, as every text comparison ignores letter case.
    QCOMPARE(mints.rowCount(), 3);
    QCOMPARE(mints.value(0, 0), QVariant(""));
    QCOMPARE(mints.value(1, 0), QVariant("1909"));
    QCOMPARE(mints.value(2, 0).toString().toUpper(), QString("S"));
    QCOMPARE(fields.MemoryList("Coins", 0).columnValues("FieldValueTX"),
             (QVariantList{"1909", "1916"}));
    QVERIFY(fields.MemoryList("Stamps", 2).isEmpty());
}

void CollectionRecordsTest::mainGridJoinsStoredFieldIds_data() {
    QTest::addColumn<int>("flag");
    QTest::addColumn<QString>("pennyPrice");
    QTest::addColumn<QString>("dimePrice");
    QTest::newRow("0") << 0 << "$1,234.50"
                       << "$100.00";
    QTest::newRow("1") << 1 << "$1,235"
                       << "$100";
    QTest::newRow("2") << 2 << "$1,234.50"
                       << "$100.00";
}

void CollectionRecordsTest::mainGridJoinsStoredFieldIds() {
    QFETCH(int, flag);
    QFETCH(QString, pennyPrice);
    QFETCH(QString, dimePrice);
    TestEnvironment env;
    dvData data;
    data.setPath(env.databaseFile());
    writeCollections(env);

    const Recordset grid = data.Collection().Item().MainGrid("Coins", flag);
    QCOMPARE(grid.columnNames(), (QStringList{"ItemID", "Item Name", "Year", mintField, "Price"}));
    QCOMPARE(grid.rowCount(), 2);
    QCOMPARE(grid.row(0), (QVariantList{1LL, "Penny", "1909", "S", pennyPrice}));
    QCOMPARE(grid.row(1), (QVariantList{2LL, "Dime", "1916", "1909", dimePrice}));
}

void CollectionRecordsTest::mainGridWithoutItemsKeepsColumns() {
    TestEnvironment env;
    dvData data;
    data.setPath(env.databaseFile());
    const Collection& collections = data.Collection();
    collections.Add("Empty", "");
    collections.Field().Add("Empty", 0, "First Name", 0, false, "");
    collections.Field().Add("Empty", 1, "O'Brien", 0, false, "");

    const Recordset grid = collections.Item().MainGrid("Empty", 0);
    QCOMPARE(grid.columnNames(),
             (QStringList{"ItemID", "Item Name", "First Name", "O'Brien", "Price"}));
    QCOMPARE(grid.rowCount(), 0);
}

void CollectionRecordsTest::gridAndSearchFindEachValueThroughItsKey() {
    TestEnvironment env;
    dvData data;
    data.setPath(env.databaseFile());
    const Collection& collections = data.Collection();
    addFourFieldItem(collections);

    loggedStatements.clear();
    QLoggingCategory::setFilterRules("domivo.sql.debug=true");
    previousHandler = qInstallMessageHandler(catchStatements);
    const Recordset grid = collections.Item().MainGrid("Four", 0);
    const Recordset found = collections.Item().Search("Four", "ItemNM", {"Field3 = ?", {"v3"}});
    qInstallMessageHandler(previousHandler);
    QLoggingCategory::setFilterRules("domivo.sql.debug=false");
    QCOMPARE(grid.rowCount(), 1);
    QCOMPARE(found.rowCount(), 1);

    // The grid's statement and the search's, each of them joining the value table per field.
    const QStringList joins = loggedStatements.filter("FieldValueTX");
    QCOMPARE(joins.size(), 2);
    for (const QString& sql : joins) {
        const PlanSummary plan = planOf(data, sql);
        QCOMPARE(plan.keyLookups, 4);
        QCOMPARE(plan.scans, 1);
    }
}

void CollectionRecordsTest::itemAddReturnsIdentifierAndStoresPrices() {
    TestEnvironment env;
    dvData data;
    data.setPath(env.databaseFile());
    writeCollections(env);
    const colItem& items = data.Collection().Item();

    const qint64 stamp = items.Add("Stamps", "Penny Black", "", QVariant(), QString(), "");
    const qint64 coin = items.Add("Coins", "Half", "1.5", "2,000.25",
                                  QVariant::fromValue(Currency::fromUnits(35000)), "it's shiny");
    QCOMPARE(stamp, 4);
    QCOMPARE(coin, 5);
    const QString today = DateText::storageText(QDate::currentDate());
    QCOMPARE(runSqlite(env.databaseFile(),
                       "SELECT ItemID, ItemNM, CollectionNM, PurchasePriceAM, AppraisalPriceAM, "
                       "ReplacePriceAM, CommentsTX, LastChangeDT FROM tblCollectionItem "
                       "WHERE ItemID > 3 ORDER BY ItemID"),
             QString("4|Penny Black|Stamps|0|0|0||%1\n5|Half|Coins|15000|20002500|35000|it's "
                     "shiny|%1\n")
                 .arg(today));
}

void CollectionRecordsTest::itemRetrieveByIdentifierOrName() {
    TestEnvironment env;
    dvData data;
    data.setPath(env.databaseFile());
    writeCollections(env);
    const colItem& items = data.Collection().Item();

    const Recordset byId = items.Retrieve(2);
    QCOMPARE(byId.columnCount(), 8);
    QCOMPARE(byId.value(0, "ItemNM"), QVariant("Dime"));
    QCOMPARE(byId.value(0, "PurchasePriceAM").value<Currency>(), Currency::fromWhole(100));
    QCOMPARE(items.Retrieve(std::nullopt, "PENNY", "coins").value(0, "ItemID"), QVariant(1LL));
    QVERIFY(items.Retrieve(std::nullopt, "Penny", "Stamps").isEmpty());
    QVERIFY(items.Retrieve(99).isEmpty());
    QVERIFY_THROWS_EXCEPTION(DbError, items.Retrieve(std::nullopt, "Penny"));
}

void CollectionRecordsTest::itemUpdateWritesOnlyGivenColumns() {
    TestEnvironment env;
    dvData data;
    data.setPath(env.databaseFile());
    writeCollections(env);
    const colItem& items = data.Collection().Item();
    const QString row = "SELECT ItemNM, CollectionNM, PurchasePriceAM, AppraisalPriceAM, "
                        "ReplacePriceAM, CommentsTX, LastChangeDT FROM tblCollectionItem "
                        "WHERE ItemID = 1";
    const QString today = DateText::storageText(QDate::currentDate());

    items.Update(1, {.ItemNM = "Wheat Penny"});
    QCOMPARE(runSqlite(env.databaseFile(), row),
             QString("Wheat Penny|Coins|12345000|20000|30000|worn|%1\n").arg(today));

    items.Update(1,
                 {.PurchasePriceAM = QString(""), .ReplacePriceAM = QVariant(), .CommentsTX = ""});
    QCOMPARE(runSqlite(env.databaseFile(), row),
             QString("Wheat Penny|Coins|0|20000|0||%1\n").arg(today));

    // A collection that does not exist is refused, and the name given with it is not written.
    QVERIFY_THROWS_EXCEPTION(DbError,
                             items.Update(1, {.CollectionNM = "Shells", .ItemNM = "Conch"}));
    QCOMPARE(items.Retrieve(1).value(0, "ItemNM"), QVariant("Wheat Penny"));
}

void CollectionRecordsTest::itemDeleteTakesItsValues() {
    TestEnvironment env;
    dvData data;
    data.setPath(env.databaseFile());
    writeCollections(env);

    data.Collection().Item().Delete(1);
    QCOMPARE(runSqlite(env.databaseFile(),
                       "SELECT (SELECT group_concat(ItemID) FROM tblCollectionItem), "
                       "(SELECT count(*) FROM tblCollectionItemField WHERE ItemID = 1)"),
             QString("2,3|0\n"));
}

void CollectionRecordsTest::itemListOrder() {
    TestEnvironment env;
    dvData data;
    data.setPath(env.databaseFile());
    writeCollections(env);
    const colItem& items = data.Collection().Item();

    const Recordset byName = items.List("Coins", "ItemNM");
    QCOMPARE(byName.columnCount(), 8);
    QCOMPARE(byName.columnValues("ItemNM"), (QVariantList{"Dime", "Penny"}));
    QCOMPARE(items.List("Coins", "ReplacePriceAM DESC, ItemID").columnValues("ItemID"),
             (QVariantList{1LL, 2LL}));
    QCOMPARE(items.Count("Coins"), 2);
    QVERIFY_THROWS_EXCEPTION(DbError, items.List("Coins", "FieldValueTX"));
}

void CollectionRecordsTest::fieldValueRetrieveAllOrOne() {
    TestEnvironment env;
    dvData data;
    data.setPath(env.databaseFile());
    const Collection& collections = data.Collection();
    const qint64 id = addFourFieldItem(collections);
    const colItemField& values = collections.Item().Field();

    // 0 and 1 stand for "every value of the item", which is how the item editor loads them.
    for (int fieldID : {0, 1}) {
        const Recordset all = values.Retrieve(id, fieldID);
        QCOMPARE(all.columnNames(), (QStringList{"ItemID", "FieldID", "FieldValueTX"}));
        QCOMPARE(all.columnValues("FieldValueTX"), (QVariantList{"v0", "v1", "v2", "v3"}));
    }
    values.Update(id, 3, "it's new");
    QCOMPARE(values.Retrieve(id, 2).columnValues("FieldValueTX"), QVariantList{"v2"});
    QCOMPARE(values.Retrieve(id, 3).columnValues("FieldValueTX"), QVariantList{"it's new"});
}

void CollectionRecordsTest::fieldValueListKeepsEachItemTogether() {
    TestEnvironment env;
    dvData data;
    data.setPath(env.databaseFile());
    writeCollections(env);
    const colItemField& values = data.Collection().Item().Field();

    const Recordset byItem = values.List("Coins", "ItemNM");
    QCOMPARE(byItem.columnNames(), (QStringList{"ItemNM", "FieldNM", "FieldTypeCD", "ItemID",
                                                "FieldID", "FieldValueTX"}));
    QCOMPARE(byItem.columnValues("ItemNM"), (QVariantList{"Dime", "Dime", "Penny", "Penny"}));
    QCOMPARE(byItem.columnValues("FieldNM"), (QVariantList{"Year", mintField, "Year", mintField}));
    QCOMPARE(byItem.columnValues("FieldValueTX"), (QVariantList{"1916", "1909", "1909", "S"}));
    QCOMPARE(values.List("Coins").columnValues("FieldID"), (QVariantList{0LL, 0LL, 2LL, 2LL}));
}

void CollectionRecordsTest::countAndSumLookAtTheNamedFieldOnly() {
    TestEnvironment env;
    dvData data;
    data.setPath(env.databaseFile());
    writeCollections(env);
    const colItem& items = data.Collection().Item();

    QCOMPARE(items.Field().Count("Coins", "Year", "1909"), 1);
    QCOMPARE(items.Field().Count("Coins", mintField, "1909"), 1);
    QCOMPARE(items.Field().Count("Coins", "Year", "1800"), 0);
    QCOMPARE(items.SumPrice("Coins", "Year", "1909"), Currency::fromUnits(12345000));
    QCOMPARE(items.SumPrice("Coins", mintField, "1909"), Currency::fromUnits(1000000));
    QCOMPARE(items.SumPrice("Coins", "Year", "1800"), Currency());
    QCOMPARE(items.Field().DistinctValue("Coins", "Year").columnValues("FieldValueTX"),
             (QVariantList{"1909", "1916"}));
}

void CollectionRecordsTest::searchNamesFieldColumnsByStoredId() {
    TestEnvironment env;
    dvData data;
    data.setPath(env.databaseFile());
    writeCollections(env);
    runSqlite(env.databaseFile(),
              "UPDATE tblCollectionItemField SET FieldValueTX = 'O''Brien' WHERE ItemID = 2 "
              "AND FieldID = 2");
    const colItem& items = data.Collection().Item();
    const QString select =
        "ItemNM, PurchasePriceAM, Field2 AS " + SqlFragment::quoteIdentifier(mintField);

    const Recordset all = items.Search("Coins", select, {}, "ItemNM");
    QCOMPARE(all.columnNames(), (QStringList{"ItemID", "ItemNM", "PurchasePriceAM", mintField}));
    QCOMPARE(all.columnValues("ItemNM"), (QVariantList{"Dime", "Penny"}));
    QCOMPARE(all.value(0, "PurchasePriceAM").value<Currency>(), Currency::fromWhole(100));

    const Recordset quoted = items.Search("Coins", select, {"Field2 = ?", {"o'brien"}});
    QCOMPARE(quoted.columnValues("ItemID"), QVariantList{2LL});
    const Recordset either = items.Search(
        "Coins", "Field0", {"Field0 LIKE ? OR PurchasePriceAM > ?", {"%16", 10000000}}, "Field0");
    QCOMPARE(either.columnValues("Field0"), (QVariantList{"1909", "1916"}));

    // Coins has no field 1, so there is no column Field1 to sort or filter by.
    QVERIFY_THROWS_EXCEPTION(DbError, items.Search("Coins", "ItemNM", {}, "Field1"));
    QVERIFY_THROWS_EXCEPTION(DbError, items.Search("Coins", "ItemNM", {"Field1 = ?", {"x"}}));
}

DOMIVO_TEST_MAIN(CollectionRecordsTest)
#include "tst_collectionrecords.moc"
