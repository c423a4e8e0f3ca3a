// The item type and location lists, and the field type list. (Renames and deletes reaching the
// items are the database's cascades, checked in tst_schema, and through the list maintenance
// window.)

#include "TestEnvironment.h"

#include "data/Connection.h"

class LookupListsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDatabase> db;

    invType& types() { return db->data.Inventory().Item().ItemType(); }
    invLocation& locations() { return db->data.Inventory().Item().Location(); }
    static QStringList texts(const Recordset& rows) {
        QStringList list;
        for (const QVariant& value : rows.columnValues(rows.columnNames().first()))
            list << value.toString();
        return list;
    }

private slots:
    void init() { db = std::make_unique<TestDatabase>(); }
    void cleanup() { db.reset(); }

    void listsAreSortedByTheirText() {
        QVERIFY(types().Add("aquarium"));
        const Recordset rows = types().List();
        QCOMPARE(rows.columnNames(), QStringList{"TypeTX"});
        QCOMPARE(texts(rows).mid(0, 4),
                 (QStringList{"Accessories", "Appliances", "aquarium", "Art"}));
        QCOMPARE(texts(locations().List()), dvData::seedLocations());
    }

    void addRefusesDuplicatesAndBadTextWithoutChangingAnything() {
        QVERIFY(!types().Add("Tools"));
        QVERIFY(!types().Add("TOOLS"));
        QVERIFY(!types().Add(""));
        QVERIFY(!types().Add(QString(41, 'x')));
        QVERIFY(types().Add(QString(40, 'x')));
        QCOMPARE(types().List().rowCount(), 24);
        QVERIFY(locations().Add("Grandma's attic; 100% dry"));
        QVERIFY(texts(locations().List()).contains("Grandma's attic; 100% dry"));
    }

    void updateAndDeleteReportWhatHappened() {
        QVERIFY(!locations().Update("Garage", "Attic"));
        QVERIFY(locations().Update("Garage", "GARAGE"));
        QVERIFY(texts(locations().List()).contains("GARAGE"));
        // Unknown entries change nothing, and that is no failure.
        QVERIFY(types().Update("Spaceships", "Rockets"));
        QVERIFY(types().Delete("Spaceships"));
        QCOMPARE(types().List().rowCount(), 23);
        // Without a database every change fails, and none creates the file again.
        QFile::remove(db->databaseFile());
        QVERIFY(!types().Add("Toys"));
        QVERIFY(!types().Update("Tools", "Toys"));
        QVERIFY(!types().Delete("Tools"));
        QVERIFY(!QFile::exists(db->databaseFile()));
    }

    void fieldTypesInCodeOrder() {
        colFieldType& fieldTypes = db->data.Collection().Field().fieldType();
        fieldTypes.Initialize();
        fieldTypes.Initialize();
        const Recordset rows = fieldTypes.List();
        QCOMPARE(rows.columnNames(), QStringList({"FieldTypeCD", "FieldTypeNM"}));
        QCOMPARE(rows.columnValues("FieldTypeCD"),
                 (QVariantList{0LL, 1LL, 2LL, 3LL, 4LL, 5LL, 6LL, 7LL}));
        QCOMPARE(rows.columnValues("FieldTypeNM").at(1).toString(), "String (Fixed List)");
        QCOMPARE(rows.columnValues("FieldTypeNM").at(7).toString(), "Currency");
    }
};

DOMIVO_TEST_MAIN(LookupListsTest)
#include "tst_lookuplists.moc"
