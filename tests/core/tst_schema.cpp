// The rules the database file itself enforces, checked both through the data layer and with
// rows written by the sqlite3 tool, since other programs read and write the file too. (Column
// names are what those rows, and every other test, write by; their number is checked by the
// validity tests. How values are bound and read back in their storage forms is the record
// and grid tests'; a series that fails part-way, the stores' all-or-nothing tests.)

#include "TestEnvironment.h"

#include "data/Connection.h"
#include "data/DbError.h"

class SchemaTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDatabase> db;

    Connection connect() { return Connection(db->data.connString()); }
    void expectRefused(const QString& sql, const QVariantList& params = {}) {
        Connection connection = connect();
        QVERIFY_THROWS_EXCEPTION(DbError, connection.execute(sql, params));
    }
    qlonglong countRows(const QString& table) {
        return connect().scalar("SELECT count(*) FROM " + table).toLongLong();
    }
    void addItem(const QString& name, const QVariant& type = {}, const QVariant& location = {}) {
        connect().execute("INSERT INTO tblItem (ItemNM, TypeTX, LocationTX) VALUES (?, ?, ?)",
                          {name, type, location});
    }

private slots:
    void init() { db = std::make_unique<TestDatabase>(); }
    void cleanup() { db.reset(); }

    void newDatabaseHoldsOnlyTheSeedRows() {
        QCOMPARE(countRows("tblType_Lkp"), 23);
        QCOMPARE(countRows("tblLocation_Lkp"), 23);
        QCOMPARE(countRows("tblCollectionFieldType_LKP"), 8);
        for (const char* table : {"tblItem", "tblCollection", "tblCollectionField",
                                  "tblCollectionItem", "tblCollectionItemField"})
            QCOMPARE(countRows(table), 0);
        QCOMPARE(db->sql("PRAGMA integrity_check; PRAGMA foreign_key_check;"), QString("ok\n"));
    }

    void emptyTextWidthAndStorageRules_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<bool>("accepted");
        const QString collection = "INSERT INTO tblCollection (CollectionNM) VALUES ('c');";
        const QString item = "INSERT INTO tblItem (ItemNM, %1) VALUES ('x', %2)";
        QTest::newRow("empty item name") << "INSERT INTO tblItem (ItemNM) VALUES ('')" << false;
        QTest::newRow("empty manufacturer and comments")
            << item.arg("ManufacturerNM, CommentsTX", "'', ''") << true;
        QTest::newRow("manufacturer of 30")
            << item.arg("ManufacturerNM", "printf('%.30c', 'm')") << true;
        QTest::newRow("manufacturer of 31")
            << item.arg("ManufacturerNM", "printf('%.31c', 'm')") << false;
        QTest::newRow("empty collection name")
            << "INSERT INTO tblCollection (CollectionNM) VALUES ('')" << false;
        QTest::newRow("empty collection comments")
            << "INSERT INTO tblCollection (CollectionNM, CommentsTX) VALUES ('c', '')" << true;
        QTest::newRow("empty field name") << collection + "INSERT INTO tblCollectionField "
                                                          "VALUES ('c', 0, '', 0, 0, NULL)"
                                          << false;
        QTest::newRow("empty collection item name")
            << collection + "INSERT INTO tblCollectionItem (ItemNM, CollectionNM) VALUES ('', 'c')"
            << false;
        QTest::newRow("empty field value")
            << collection +
                   "INSERT INTO tblCollectionItem (ItemNM, CollectionNM) VALUES ('i', 'c');"
                   "INSERT INTO tblCollectionItemField VALUES (last_insert_rowid(), 0, '')"
            << true;
        QTest::newRow("location of 41")
            << "INSERT INTO tblLocation_Lkp VALUES (printf('%.41c', 'l'))" << false;
        QTest::newRow("amount as a decimal") << item.arg("PurchasePriceAM", "12.5") << false;
        QTest::newRow("flag other than 0 or 1") << item.arg("ReceiptCD", "2") << false;
        QTest::newRow("date in another form") << item.arg("PurchaseDT", "'12/6/2026'") << false;
        QTest::newRow("date and time in storage form")
            << item.arg("PurchaseDT", "'2026-12-06 10:30:00'") << true;
    }
    void emptyTextWidthAndStorageRules() {
        QFETCH(QString, sql);
        QFETCH(bool, accepted);
        if (accepted)
            db->sql(sql);
        else
            QVERIFY(!runSqlite(db->databaseFile(), sql, true).isEmpty());
    }

    void itemTypeAndLocationMustBeListedOrNull() {
        addItem("Lamp");
        addItem("Sofa", "Furniture", "Living Room");
        expectRefused("INSERT INTO tblItem (ItemNM, TypeTX) VALUES (?, ?)", {"Rug", "Nonsense"});
        expectRefused("INSERT INTO tblItem (ItemNM, LocationTX) VALUES (?, ?)", {"Rug", "Moon"});
        QCOMPARE(countRows("tblItem"), 2);
    }

    void relationsCascadeRenamesAndDeletes() {
        addItem("Sofa", "Furniture", "Living Room");
        addItem("Drill", "Tools", "Garage");
        addItem("Saw", "Tools", "Garage");
        db->sql("UPDATE tblLocation_Lkp SET LocationTX = 'Workshop' WHERE LocationTX = 'Garage'");
        QCOMPARE(db->sql("SELECT count(*) FROM tblItem WHERE LocationTX = 'Workshop'"),
                 QString("2\n"));
        db->sql("DELETE FROM tblType_Lkp WHERE TypeTX = 'Tools'");
        QCOMPARE(countRows("tblItem"), 1);
    }

    void deletingACollectionLeavesNothingOfIt() {
        db->sql("INSERT INTO tblCollection VALUES ('Coins', NULL), ('Stamps', NULL);"
                "INSERT INTO tblCollectionField VALUES ('Coins', 0, 'Year', 3, 0, NULL), "
                "('Stamps', 0, 'Year', 3, 0, NULL);"
                "INSERT INTO tblCollectionItem (ItemNM, CollectionNM) VALUES ('Penny', 'Coins');"
                "INSERT INTO tblCollectionItemField VALUES (last_insert_rowid(), 0, '1909');"
                "INSERT INTO tblCollectionItem (ItemNM, CollectionNM) VALUES ('Jenny', 'Stamps');"
                "INSERT INTO tblCollectionItemField VALUES (last_insert_rowid(), 0, '1918');"
                "DELETE FROM tblCollection WHERE CollectionNM = 'coins'");
        QCOMPARE(countRows("tblCollectionField"), 1);
        QCOMPARE(countRows("tblCollectionItem"), 1);
        QCOMPARE(db->sql("SELECT FieldValueTX FROM tblCollectionItemField"), QString("1918\n"));
    }

    void keysIgnoreLetterCaseAndCountersAreNotReused() {
        expectRefused("INSERT INTO tblType_Lkp VALUES (?)", {"TOOLS"});
        connect().execute("INSERT INTO tblCollection (CollectionNM) VALUES (?)", {"Coins"});
        expectRefused("INSERT INTO tblCollection (CollectionNM) VALUES (?)", {"coins"});
        addItem("Hammer", "tools", "garage");
        QCOMPARE(connect().scalar("SELECT count(*) FROM tblItem WHERE TypeTX = 'TOOLS'").toInt(),
                 1);
        addItem("Saw");
        connect().execute("DELETE FROM tblItem WHERE ItemID = 2");
        addItem("Rug");
        QCOMPARE(connect().scalar("SELECT max(ItemID) FROM tblItem").toInt(), 3);
    }
};

DOMIVO_TEST_MAIN(SchemaTest)
#include "tst_schema.moc"
