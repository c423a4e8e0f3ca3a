// The collection stores: collections, field definitions, items and their field values, and the
// grid and search queries that lay out one column per field.

#include "TestEnvironment.h"

#include "data/DbError.h"
#include "data/dvData.h"

#include <QLoggingCategory>
#include <QRegularExpression>

namespace {

const QString mintField = "Mint's \"mark\" [x]";

// A database of its own for one test, by default with two collections written the way
// another program would. Coins has fields 0 and 2 (stored out of order); item 2's Mint holds the
// same text as item 1's Year, and a Stamps item holds it too.
struct Store : TestDatabase {
    explicit Store(bool withCollections = true) {
        if (withCollections)
            sql("INSERT INTO tblCollection VALUES ('Coins', 'old ones'), ('Stamps', NULL);"
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
    const Collection& collections() const { return data.Collection(); }
    const colItem& items() const { return data.Collection().Item(); }

    // A collection with four fields and one item holding a value in each; returns the item.
    qint64 addFourFieldItem() const {
        collections().Add("Four", "");
        for (int field = 0; field < 4; ++field)
            collections().Field().Add("Four", field, QString("F%1").arg(field), 0, false, "");
        const qint64 id = items().Add("Four", "Box", "7", "", "", "");
        for (int field = 0; field < 4; ++field)
            items().Field().Add(id, field, QString("v%1").arg(field));
        return id;
    }
};

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
std::pair<int, int> keyLookupsAndScans(const dvData& data, const QString& sql) {
    static const QRegularExpression keyLookup(
        R"(^SEARCH \w+ USING (COVERING )?INDEX sqlite_autoindex_tblCollectionItemField_1 )"
        R"(\(ItemID=\? AND FieldID=\?\)$)");
    Connection connection(data.connString());
    const Recordset plan =
        connection.query("EXPLAIN QUERY PLAN " + sql, QVariantList(sql.count('?'), QVariant()));
    std::pair<int, int> counts;
    for (const QVariant& detail : plan.columnValues("detail")) {
        counts.first += keyLookup.match(detail.toString()).hasMatch() ? 1 : 0;
        counts.second += detail.toString().startsWith("SCAN") ? 1 : 0;
    }
    return counts;
}

} // namespace

class CollectionRecordsTest : public QObject {
    Q_OBJECT

private slots:
    void collectionNamesWithQuotesAreStoredAndFound() {
        Store store(false);
        const QString name = "Grandma's \"best\"; 100%";
        store.collections().Add(name, "it's hers");
        store.collections().Add("Buttons", "");
        QCOMPARE(store.collections().Count(), 2);
        QCOMPARE(store.collections().List().columnValues("CollectionNM"),
                 (QVariantList{"Buttons", name}));
        QCOMPARE(store.collections().Retrieve(name.toUpper()).row(0),
                 (QVariantList{name, "it's hers"}));
        QVERIFY(store.collections().Retrieve("Grandma").isEmpty());
        // The name is the key, letter case aside.
        QVERIFY_THROWS_EXCEPTION(DbError, store.collections().Add("BUTTONS", ""));
    }

    void newCollectionWithFieldsIsAllOrNothing() {
        Store store;
        store.collections().AddWithFields(
            "Wine", "cellar",
            {{0, "Vintage", 3, true, ""}, {2, "Colour", 1, false, "Red;White;Rosé"}});
        QCOMPARE(store.sql("SELECT FieldID, FieldNM, FieldTypeCD, RequiredCD, quote(FieldListTX) "
                           "FROM tblCollectionField WHERE CollectionNM = 'Wine' ORDER BY FieldID"),
                 QString("0|Vintage|3|1|NULL\n2|Colour|1|0|'Red;White;Rosé'\n"));
        QCOMPARE(store.collections().Retrieve("Wine").value(0, "CommentsTX"), QVariant("cellar"));

        // A field the engine refuses (an unknown type, a name too long for its column) takes the
        // collection with it, and so does a collection name already in use.
        QVERIFY_THROWS_EXCEPTION(
            DbError, store.collections().AddWithFields(
                         "Beer", "", {{0, "Brewery", 0, false, ""}, {1, "Style", 42, false, ""}}));
        QVERIFY_THROWS_EXCEPTION(DbError, store.collections().AddWithFields(
                                              "Beer", "", {{0, QString(26, 'x'), 0, false, ""}}));
        QVERIFY_THROWS_EXCEPTION(
            DbError, store.collections().AddWithFields("wine", "", {{0, "Year", 0, false, ""}}));
        QVERIFY(store.collections().Retrieve("Beer").isEmpty());
        QCOMPARE(store.sql("SELECT count(*) FROM tblCollectionField WHERE CollectionNM = 'Beer'"),
                 QString("0\n"));
        QCOMPARE(store.collections().Field().Count("Wine"), 2);
    }

    // Names compare without regard to case, so the engine does not cascade a change of case
    // alone: the store carries it to the fields and items itself, together with the rename.
    void renameReachesFieldsAndItems() {
        Store store;
        store.collections().Update("Coins", "COINS", "new");
        QCOMPARE(store.sql("SELECT group_concat(CollectionNM || '/' || ifnull(CommentsTX, ''))"
                           " FROM tblCollection"),
                 QString("COINS/new,Stamps/\n"));
        for (const QString table : {"tblCollectionField", "tblCollectionItem"})
            QCOMPARE(store.sql("SELECT DISTINCT CollectionNM FROM " + table + " ORDER BY 1"),
                     QString("COINS\nStamps\n"));
        store.collections().Update("coins", "Money", "new");
        for (const QString table : {"tblCollectionField", "tblCollectionItem"})
            QCOMPARE(store.sql("SELECT DISTINCT CollectionNM FROM " + table + " ORDER BY 1"),
                     QString("Money\nStamps\n"));
        QCOMPARE(store.items().MainGrid("money", 0).rowCount(), 2);
    }

    void fieldDefinitions() {
        Store store;
        const colField& fields = store.collections().Field();
        const Recordset coins = fields.List("Coins");
        QCOMPARE(coins.columnNames(), (QStringList{"CollectionNM", "FieldID", "FieldNM",
                                                   "FieldTypeCD", "RequiredCD", "FieldListTX"}));
        QCOMPARE(coins.columnValues("FieldID"), (QVariantList{0LL, 2LL}));
        QCOMPARE(coins.columnValues("RequiredCD"), (QVariantList{true, false}));
        QCOMPARE(fields.Retrieve("Coins", 2).value(0, "FieldNM"), QVariant(mintField));
        QVERIFY(fields.Retrieve("Coins", 1).isEmpty());
        QCOMPARE(fields.Count("Coins"), 2);
        QCOMPARE(fields.Count("Nothing"), 0);

        fields.Add("Stamps", 1, "Condition", 1, true, "Mint;Used;Collector's");
        fields.Add("Stamps", 3, "Notes", 0, false, "");
        QCOMPARE(
            store.sql("SELECT FieldID, FieldNM, FieldTypeCD, RequiredCD, quote(FieldListTX) "
                      "FROM tblCollectionField WHERE CollectionNM = 'Stamps' ORDER BY FieldID"),
            QString("0|Country|0|0|NULL\n1|Condition|1|1|'Mint;Used;Collector''s'\n"
                    "3|Notes|0|0|NULL\n"));
    }

    void memoryListOffersDistinctValuesOfTheField() {
        Store store;
        store.sql("INSERT INTO tblCollectionItem (ItemID, ItemNM, CollectionNM) "
                  "VALUES (4, 'Nickel', 'Coins'), (5, 'Cent', 'Coins');"
                  "INSERT INTO tblCollectionItemField VALUES "
                  "(4, 0, '1916'), (4, 2, ''), (5, 0, '1909'), (5, 2, 's');");
        const colField& fields = store.collections().Field();
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

    // (MainGrid's columns for fields 0 and 2, for a collection without items, and its rounding
    // are checked through domivo-cli collection and the collections window; renames through the
    // definition window.)
    void gridAndSearchFindEachValueThroughItsKey() {
        Store store(false);
        store.addFourFieldItem();

        loggedStatements.clear();
        QLoggingCategory::setFilterRules("domivo.sql.debug=true");
        previousHandler = qInstallMessageHandler(catchStatements);
        const Recordset grid = store.items().MainGrid("Four", 0);
        SearchCondition field3;
        field3.add({.column = "Field3", .value = "v3"});
        const Recordset found = store.items().Search("Four", {{"ItemNM"}}, field3);
        qInstallMessageHandler(previousHandler);
        QLoggingCategory::setFilterRules("domivo.sql.debug=false");
        QCOMPARE(grid.rowCount(), 1);
        QCOMPARE(found.rowCount(), 1);

        // The grid's statement and the search's: no table is walked, the collection's items
        // are found through their index and each value through its key.
        const QStringList statements = loggedStatements.filter("FieldValueTX");
        QCOMPARE(statements.size(), 2);
        for (const QString& sql : statements)
            QCOMPARE(keyLookupsAndScans(store.data, sql), std::pair(4, 0));
    }

    void itemAddReturnsIdentifierAndStoresPrices() {
        Store store;
        const qint64 stamp =
            store.items().Add("Stamps", "Penny Black", "", QVariant(), QString(), "");
        const qint64 coin =
            store.items().Add("Coins", "Half", "1.5", "2,000.25",
                              QVariant::fromValue(Currency::fromUnits(35000)), "it's");
        QCOMPARE(stamp, 4);
        QCOMPARE(coin, 5);
        QCOMPARE(
            store.sql("SELECT ItemID, ItemNM, CollectionNM, PurchasePriceAM, AppraisalPriceAM, "
                      "ReplacePriceAM, CommentsTX, LastChangeDT FROM tblCollectionItem "
                      "WHERE ItemID > 3 ORDER BY ItemID"),
            QString("4|Penny Black|Stamps|0|0|0||%1\n5|Half|Coins|15000|20002500|35000|it's|%1\n")
                .arg(storedToday()));
    }

    // (Retrieve by identifier is checked through the item editor's edit mode.)
    void itemReads() {
        Store store;
        const colItem& items = store.items();
        QCOMPARE(items.Retrieve(std::nullopt, "PENNY", "coins").value(0, "ItemID"), QVariant(1LL));
        QVERIFY(items.Retrieve(std::nullopt, "Penny", "Stamps").isEmpty());
        QVERIFY_THROWS_EXCEPTION(DbError, items.Retrieve(std::nullopt, "Penny"));
        QCOMPARE(items.List("Coins", "ReplacePriceAM DESC, ItemID").columnValues("ItemID"),
                 (QVariantList{1LL, 2LL}));
        QVERIFY_THROWS_EXCEPTION(DbError, items.List("Coins", "FieldValueTX"));
        QCOMPARE(items.Count("Coins"), 2);
    }

    void itemUpdateWritesOnlyGivenColumns() {
        Store store;
        const QString row = "SELECT ItemNM, CollectionNM, PurchasePriceAM, AppraisalPriceAM, "
                            "ReplacePriceAM, CommentsTX, LastChangeDT FROM tblCollectionItem "
                            "WHERE ItemID = 1";
        store.items().Update(1, {.ItemNM = "Wheat Penny"});
        QCOMPARE(store.sql(row),
                 QString("Wheat Penny|Coins|12345000|20000|30000|worn|%1\n").arg(storedToday()));

        store.items().Update(
            1, {.PurchasePriceAM = QString(""), .ReplacePriceAM = QVariant(), .CommentsTX = ""});
        QCOMPARE(store.sql(row), QString("Wheat Penny|Coins|0|20000|0||%1\n").arg(storedToday()));

        // A collection that does not exist is refused, and the name given with it is not written.
        QVERIFY_THROWS_EXCEPTION(
            DbError, store.items().Update(1, {.CollectionNM = "Shells", .ItemNM = "Conch"}));
        QCOMPARE(store.items().Retrieve(1).value(0, "ItemNM"), QVariant("Wheat Penny"));
    }

    void itemWithValuesIsAllOrNothing() {
        Store store;
        const colItem& items = store.items();
        const QString values = "SELECT group_concat(FieldID || '=' || FieldValueTX, ',') FROM "
                               "(SELECT * FROM tblCollectionItemField WHERE ItemID = %1 "
                               "ORDER BY FieldID)";
        const qint64 id =
            items.AddWithValues("Coins", "Nickel", "5", "", "", "", {{0, "1938"}, {2, ""}});
        QCOMPARE(id, 4);
        QCOMPARE(store.sql(values.arg(id)), QString("0=1938,2=\n"));
        QCOMPARE(items.MainGrid("Coins", 0).rowCount(), 3);

        // A value the column refuses (longer than 255 characters) leaves no item behind.
        QVERIFY_THROWS_EXCEPTION(DbError,
                                 items.AddWithValues("Coins", "Quarter", "", "", "", "",
                                                     {{0, "1932"}, {2, QString(256, 'D')}}));
        QCOMPARE(items.Count("Coins"), 3);
        QCOMPARE(store.sql("SELECT count(*) FROM tblCollectionItemField"), QString("7\n"));

        // An update writes the item and its values together; a value row the item lacks is added.
        store.sql("DELETE FROM tblCollectionItemField WHERE ItemID = 2 AND FieldID = 2");
        items.UpdateWithValues(2, {.ItemNM = "Mercury Dime"}, {{0, "1917"}, {2, "D"}});
        QCOMPARE(store.sql(values.arg(2)), QString("0=1917,2=D\n"));
        QCOMPARE(items.Retrieve(2).value(0, "ItemNM"), QVariant("Mercury Dime"));
        QVERIFY_THROWS_EXCEPTION(
            DbError, items.UpdateWithValues(2, {.ItemNM = "Dime"}, {{0, QString(256, '9')}}));
        QCOMPARE(items.Retrieve(2).value(0, "ItemNM"), QVariant("Mercury Dime"));
        QCOMPARE(store.sql(values.arg(2)), QString("0=1917,2=D\n"));
    }

    void fieldValueRetrieveAllOrOne() {
        Store store(false);
        const qint64 id = store.addFourFieldItem();
        const colItemField& values = store.items().Field();
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

    void fieldValueListKeepsEachItemTogether() {
        Store store;
        const colItemField& values = store.items().Field();
        const Recordset byItem = values.List("Coins", "ItemNM");
        QCOMPARE(byItem.columnNames(), (QStringList{"ItemNM", "FieldNM", "FieldTypeCD", "ItemID",
                                                    "FieldID", "FieldValueTX"}));
        QCOMPARE(byItem.columnValues("ItemNM"), (QVariantList{"Dime", "Dime", "Penny", "Penny"}));
        QCOMPARE(byItem.columnValues("FieldNM"),
                 (QVariantList{"Year", mintField, "Year", mintField}));
        QCOMPARE(byItem.columnValues("FieldValueTX"), (QVariantList{"1916", "1909", "1909", "S"}));
        QCOMPARE(values.List("Coins").columnValues("FieldID"), (QVariantList{0LL, 0LL, 2LL, 2LL}));
    }

    void countAndSumLookAtTheNamedFieldOnly() {
        Store store;
        const colItem& items = store.items();
        QCOMPARE(items.Field().Count("Coins", "Year", "1909"), 1);
        QCOMPARE(items.Field().Count("Coins", mintField, "1909"), 1);
        QCOMPARE(items.Field().Count("Coins", "Year", "1800"), 0);
        QCOMPARE(items.SumPrice("Coins", "Year", "1909"), Currency::fromUnits(12345000));
        QCOMPARE(items.SumPrice("Coins", mintField, "1909"), Currency::fromUnits(1000000));
        QCOMPARE(items.SumPrice("Coins", "Year", "1800"), Currency());
        QCOMPARE(items.Field().DistinctValue("Coins", "Year").columnValues("FieldValueTX"),
                 (QVariantList{"1909", "1916"}));
    }

    void searchNamesFieldColumnsByStoredId() {
        Store store;
        store.sql("UPDATE tblCollectionItemField SET FieldValueTX = 'O''Brien' "
                  "WHERE ItemID = 2 AND FieldID = 2");
        const colItem& items = store.items();
        const QList<ResultColumn> columns = {
            {"itemnm"}, {"PurchasePriceAM"}, {"Field2", mintField}};

        const Recordset all = items.Search("Coins", columns, {}, "ItemNM");
        QCOMPARE(all.columnNames(),
                 (QStringList{"ItemID", "ItemNM", "PurchasePriceAM", mintField}));
        QCOMPARE(all.columnValues("ItemNM"), (QVariantList{"Dime", "Penny"}));
        QCOMPARE(all.value(0, "PurchasePriceAM").value<Currency>(), Currency::fromWhole(100));

        SearchCondition brien;
        brien.add({.column = "Field2", .value = "o'brien"});
        QCOMPARE(items.Search("Coins", columns, brien).columnValues("ItemID"), QVariantList{2LL});
        SearchCondition either;
        either.add({.column = "Field0", .op = SearchCondition::Operator::Like, .value = "%16"});
        either.add({.join = SearchCondition::Join::Or,
                    .column = "PurchasePriceAM",
                    .op = SearchCondition::Operator::Greater,
                    .value = 10000000});
        QCOMPARE(items.Search("Coins", {{"Field0"}}, either, "Field0").columnValues("Field0"),
                 (QVariantList{"1909", "1916"}));

        // Coins has no field 1, so there is no column Field1 to show, sort or filter by.
        SearchCondition field1;
        field1.add({.column = "Field1", .value = "x"});
        QVERIFY_THROWS_EXCEPTION(DbError, items.Search("Coins", {{"Field1"}}));
        QVERIFY_THROWS_EXCEPTION(DbError, items.Search("Coins", {{"ItemNM"}}, {}, "Field1"));
        QVERIFY_THROWS_EXCEPTION(DbError, items.Search("Coins", {{"ItemNM"}}, field1));
    }
};

DOMIVO_TEST_MAIN(CollectionRecordsTest)
#include "tst_collectionrecords.moc"
