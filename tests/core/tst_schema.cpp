// The rules the database file itself enforces, checked both through the data layer and with
// rows written by the sqlite3 tool, since other programs read and write the file too.

#include "TestEnvironment.h"

#include "data/Connection.h"
#include "data/DbError.h"
#include "data/dvData.h"
#include "types/Currency.h"

class SchemaTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TestEnvironment> env;
    std::unique_ptr<dvData> data;

    Connection connect() { return Connection(data->connString()); }
    void expectRefused(const QString& sql, const QVariantList& params = {}) {
        Connection connection = connect();
        QVERIFY_THROWS_EXCEPTION(DbError, connection.execute(sql, params));
    }
    qlonglong countRows(const QString& table) {
        return connect().scalar(QStringLiteral("SELECT count(*) FROM ") + table).toLongLong();
    }
    void addItem(const QString& name, const QVariant& type, const QVariant& location) {
        connect().execute(
            QStringLiteral("INSERT INTO tblItem (ItemNM, TypeTX, LocationTX) VALUES (?, ?, ?)"),
            {name, type, location});
    }

private slots:
    void init() {
        env = std::make_unique<TestEnvironment>();
        data = std::make_unique<dvData>();
        data->setPath(env->databaseFile());
    }
    void cleanup() {
        data.reset();
        env.reset();
    }

    void newDatabaseHoldsOnlyTheSeedRows() {
        QCOMPARE(countRows("tblType_Lkp"), 23);
        QCOMPARE(countRows("tblLocation_Lkp"), 23);
        QCOMPARE(countRows("tblCollectionFieldType_LKP"), 8);
        for (const char* table : {"tblItem", "tblCollection", "tblCollectionField",
                                  "tblCollectionItem", "tblCollectionItemField"})
            QCOMPARE(countRows(table), 0);
        const Recordset kinds = connect().query(
            "SELECT FieldTypeCD, FieldTypeNM FROM tblCollectionFieldType_LKP ORDER BY 1");
        QCOMPARE(kinds.value(1, 1).toString(), QStringLiteral("String (Fixed List)"));
        QCOMPARE(kinds.value(7, 1).toString(), QStringLiteral("Currency"));
        const QString check =
            runSqlite(env->databaseFile(), "PRAGMA integrity_check; PRAGMA foreign_key_check;");
        QCOMPARE(check.trimmed(), QStringLiteral("ok"));
    }

    void columnsKeepTheirNamesOrderAndKinds() {
        const Recordset columns = connect().query(
            "SELECT name, type, \"notnull\" FROM pragma_table_info('tblItem') ORDER BY cid");
        QCOMPARE(columns.rowCount(), 19);
        QStringList names;
        for (int row = 0; row < columns.rowCount(); ++row)
            names << columns.value(row, 0).toString();
        QCOMPARE(names,
                 QStringList({"ItemID", "ManufacturerNM", "ItemNM", "ModelSeriesTX",
                              "SerialNumberID", "PurchaseLocationTX", "PurchaseDT", "WarrantyCD",
                              "WarrantyExpireDT", "WarrantyDocumentCD", "PurchasePriceAM",
                              "ReplacePriceAM", "AppraisalPriceAM", "TypeTX", "LocationTX",
                              "ReceiptCD", "ManualsCD", "CommentsTX", "LastChangeDT"}));
        QCOMPARE(columns.value(1, 1).toString(), QStringLiteral("TEXT(30)"));
        QCOMPARE(columns.value(2, 2).toLongLong(), 1); // ItemNM NOT NULL
        QCOMPARE(columns.value(6, 1).toString(), QStringLiteral("DATETIME"));
        QCOMPARE(columns.value(7, 1).toString(), QStringLiteral("BOOLEAN"));
        QCOMPARE(columns.value(10, 1).toString(), QStringLiteral("CURRENCY"));

        const QString indexes =
            runSqlite(env->databaseFile(),
                      "SELECT name FROM sqlite_master WHERE type = 'index' AND tbl_name = "
                      "'tblItem' AND sql IS NOT NULL ORDER BY name;");
        QCOMPARE(indexes.split('\n', Qt::SkipEmptyParts),
                 QStringList({"LocationKey", "ManufacturerKey", "PurchaseDateKey", "TypeKey"}));
    }

    void emptyTextAndWidthRules_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("empty item name") << "INSERT INTO tblItem (ItemNM) VALUES ('')" << false;
        QTest::newRow("empty manufacturer")
            << "INSERT INTO tblItem (ItemNM, ManufacturerNM, CommentsTX) VALUES ('x', '', '')"
            << true;
        QTest::newRow("manufacturer of 30")
            << "INSERT INTO tblItem (ItemNM, ManufacturerNM) VALUES ('x', printf('%.30c', 'm'))"
            << true;
        QTest::newRow("manufacturer of 31")
            << "INSERT INTO tblItem (ItemNM, ManufacturerNM) VALUES ('x', printf('%.31c', 'm'))"
            << false;
        QTest::newRow("empty collection name")
            << "INSERT INTO tblCollection (CollectionNM) VALUES ('')" << false;
        QTest::newRow("collection comments empty")
            << "INSERT INTO tblCollection (CollectionNM, CommentsTX) VALUES ('c', '')" << true;
        QTest::newRow("empty field name")
            << "INSERT INTO tblCollection (CollectionNM) VALUES ('c');"
               "INSERT INTO tblCollectionField (CollectionNM, FieldID, FieldNM, FieldTypeCD) "
               "VALUES ('c', 0, '', 0)"
            << false;
        QTest::newRow("empty collection item name")
            << "INSERT INTO tblCollection (CollectionNM) VALUES ('c');"
               "INSERT INTO tblCollectionItem (ItemNM, CollectionNM) VALUES ('', 'c')"
            << false;
        QTest::newRow("empty field value is an optional field left empty")
            << "INSERT INTO tblCollection (CollectionNM) VALUES ('c');"
               "INSERT INTO tblCollectionItem (ItemNM, CollectionNM) VALUES ('i', 'c');"
               "INSERT INTO tblCollectionItemField VALUES (last_insert_rowid(), 0, '')"
            << true;
        QTest::newRow("location of 41")
            << "INSERT INTO tblLocation_Lkp VALUES (printf('%.41c', 'l'))" << false;
        QTest::newRow("amount as a decimal")
            << "INSERT INTO tblItem (ItemNM, PurchasePriceAM) VALUES ('x', 12.5)" << false;
        QTest::newRow("flag other than 0 or 1")
            << "INSERT INTO tblItem (ItemNM, ReceiptCD) VALUES ('x', 2)" << false;
        QTest::newRow("date in another form")
            << "INSERT INTO tblItem (ItemNM, PurchaseDT) VALUES ('x', '12/6/2026')" << false;
        QTest::newRow("date and time in storage form")
            << "INSERT INTO tblItem (ItemNM, PurchaseDT) VALUES ('x', '2026-12-06 10:30:00')"
            << true;
    }
    void emptyTextAndWidthRules() {
        QFETCH(QString, sql);
        QFETCH(bool, accepted);
        if (accepted)
            runSqlite(env->databaseFile(), sql);
        else
            QVERIFY(!runSqlite(env->databaseFile(), sql, true).isEmpty());
    }

    void itemTypeAndLocationMustBeListedOrNull() {
        addItem("Lamp", QVariant(), QVariant());
        addItem("Sofa", "Furniture", "Living Room");
        expectRefused("INSERT INTO tblItem (ItemNM, TypeTX) VALUES (?, ?)", {"Rug", "Nonsense"});
        expectRefused("INSERT INTO tblItem (ItemNM, LocationTX) VALUES (?, ?)", {"Rug", "Moon"});
        QCOMPARE(countRows("tblItem"), 2);
    }

    void relationsCascadeRenamesAndDeletes() {
        addItem("Sofa", "Furniture", "Living Room");
        addItem("Drill", "Tools", "Garage");
        addItem("Saw", "Tools", "Garage");
        runSqlite(env->databaseFile(),
                  "UPDATE tblLocation_Lkp SET LocationTX = 'Workshop' WHERE LocationTX = 'Garage'");
        QCOMPARE(
            connect().scalar("SELECT count(*) FROM tblItem WHERE LocationTX = 'Workshop'").toInt(),
            2);
        runSqlite(env->databaseFile(), "DELETE FROM tblType_Lkp WHERE TypeTX = 'Tools'");
        QCOMPARE(countRows("tblItem"), 1);
    }

    void deletingACollectionLeavesNothingOfIt() {
        runSqlite(env->databaseFile(),
                  "INSERT INTO tblCollection VALUES ('Coins', NULL);"
                  "INSERT INTO tblCollection VALUES ('Stamps', NULL);"
                  "INSERT INTO tblCollectionField VALUES ('Coins', 0, 'Year', 3, 0, NULL);"
                  "INSERT INTO tblCollectionField VALUES ('Stamps', 0, 'Year', 3, 0, NULL);"
                  "INSERT INTO tblCollectionItem (ItemNM, CollectionNM) VALUES ('Penny', 'Coins');"
                  "INSERT INTO tblCollectionItemField VALUES (last_insert_rowid(), 0, '1909');"
                  "INSERT INTO tblCollectionItem (ItemNM, CollectionNM) VALUES ('Jenny', 'Stamps');"
                  "INSERT INTO tblCollectionItemField VALUES (last_insert_rowid(), 0, '1918');");
        runSqlite(env->databaseFile(), "DELETE FROM tblCollection WHERE CollectionNM = 'coins'");
        QCOMPARE(countRows("tblCollectionField"), 1);
        QCOMPARE(countRows("tblCollectionItem"), 1);
        QCOMPARE(countRows("tblCollectionItemField"), 1);
        QCOMPARE(connect().scalar("SELECT FieldValueTX FROM tblCollectionItemField").toString(),
                 QStringLiteral("1918"));
    }

    void keysIgnoreLetterCase() {
        expectRefused("INSERT INTO tblType_Lkp VALUES (?)", {"TOOLS"});
        connect().execute("INSERT INTO tblCollection (CollectionNM) VALUES (?)", {"Coins"});
        expectRefused("INSERT INTO tblCollection (CollectionNM) VALUES (?)", {"coins"});
        addItem("Hammer", "tools", "garage");
        QCOMPARE(connect().scalar("SELECT count(*) FROM tblItem WHERE TypeTX = 'TOOLS'").toInt(),
                 1);
    }

    void countersAreNeverReused() {
        addItem("First", QVariant(), QVariant());
        addItem("Second", QVariant(), QVariant());
        connect().execute("DELETE FROM tblItem WHERE ItemID = 2");
        addItem("Third", QVariant(), QVariant());
        QCOMPARE(connect().scalar("SELECT max(ItemID) FROM tblItem").toInt(), 3);
    }

    void valuesComeBackTypedFromTheirStorageForm() {
        runSqlite(env->databaseFile(),
                  "INSERT INTO tblItem (ItemNM, PurchaseDT, LastChangeDT, WarrantyCD, "
                  "PurchasePriceAM, CommentsTX) VALUES ('Lamp', '2026-03-01', "
                  "'2026-03-02 14:05:09', 1, 125000, NULL)");
        const Recordset rows = connect().query("SELECT * FROM tblItem");
        QCOMPARE(rows.value(0, "PurchaseDT").toDate(), QDate(2026, 3, 1));
        QCOMPARE(rows.value(0, "LastChangeDT").toDateTime(),
                 QDateTime(QDate(2026, 3, 2), QTime(14, 5, 9)));
        QCOMPARE(rows.value(0, "WarrantyCD").typeId(), QMetaType::Bool);
        QVERIFY(rows.value(0, "WarrantyCD").toBool());
        QCOMPARE(rows.value(0, "PurchasePriceAM").value<Currency>(), Currency::fromUnits(125000));
        QVERIFY(rows.value(0, "CommentsTX").isNull());
        QVERIFY(rows.value(0, "ReceiptCD").isNull());
        QCOMPARE(rows.value(0, "ItemID").toLongLong(), 1);
    }

    void boundValuesAreStoredInTheirStorageForm() {
        connect().execute("INSERT INTO tblItem (ItemNM, PurchaseDT, ManualsCD, AppraisalPriceAM) "
                          "VALUES (?, ?, ?, ?)",
                          {"O'Neil; 100%", QDate(2025, 1, 31), true,
                           QVariant::fromValue(Currency::fromUnits(125000))});
        QCOMPARE(runSqlite(env->databaseFile(),
                           "SELECT ItemNM, PurchaseDT, ManualsCD, AppraisalPriceAM FROM tblItem")
                     .trimmed(),
                 QStringLiteral("O'Neil; 100%|2025-01-31|1|125000"));
    }

    void aFailingSeriesLeavesNothingHalfWritten() {
        Connection connection = connect();
        try {
            Transaction transaction(connection);
            connection.execute("INSERT INTO tblType_Lkp VALUES (?)", {"Gadgets"});
            connection.execute("INSERT INTO tblType_Lkp VALUES (?)", {""});
            transaction.commit();
            QFAIL("the empty type was accepted");
        } catch (const DbError& error) {
            QVERIFY(error.message().contains("CHECK constraint failed"));
        }
        QCOMPARE(countRows("tblType_Lkp"), 23);
    }

    void engineErrorsCarryTheEngineMessage() {
        try {
            connect().execute("INSERT INTO tblType_Lkp VALUES (?)", {"Tools"});
            QFAIL("the duplicate was accepted");
        } catch (const DbError& error) {
            QVERIFY2(error.message().contains("UNIQUE constraint failed"),
                     qPrintable(error.message()));
            QVERIFY(error.engineCode() != 0);
        }
    }

    void moneyFormattingFunction() {
        const Recordset rows = connect().query(
            "SELECT FormatMoney(12345000, '$#,##0.00'), FormatMoney(12345000, '$#,##0'), "
            "FormatMoney(NULL, '$#,##0.00')");
        QCOMPARE(rows.value(0, 0).toString(), QStringLiteral("$1,234.50"));
        QCOMPARE(rows.value(0, 1).toString(), QStringLiteral("$1,235"));
        QVERIFY(rows.value(0, 2).isNull());
    }
};

DOMIVO_TEST_MAIN(SchemaTest)
#include "tst_schema.moc"
