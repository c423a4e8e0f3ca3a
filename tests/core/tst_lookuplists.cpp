// The item type and location lists, and the field type list.

#include "TestEnvironment.h"

#include "data/Connection.h"
#include "data/dvData.h"

class LookupListsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TestEnvironment> env;
    std::unique_ptr<dvData> data;

    invType& types() { return data->Inventory().Item().ItemType(); }
    invLocation& locations() { return data->Inventory().Item().Location(); }
    static QStringList texts(const Recordset& rows) {
        QStringList list;
        for (int row = 0; row < rows.rowCount(); ++row)
            list << rows.value(row, 0).toString();
        return list;
    }
    qlonglong itemsAt(const QString& location) {
        return Connection(data->connString())
            .scalar("SELECT count(*) FROM tblItem WHERE LocationTX = ?", {location})
            .toLongLong();
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

    void listsAreSortedByTheirText() {
        QVERIFY(types().Add("aquarium"));
        const Recordset rows = types().List();
        QCOMPARE(rows.columnNames(), QStringList{"TypeTX"});
        QCOMPARE(rows.rowCount(), 24);
        QCOMPARE(rows.value(0, 0).toString(), QString("Accessories"));
        QCOMPARE(rows.value(2, 0).toString(), QString("aquarium"));
        QCOMPARE(rows.value(3, 0).toString(), QString("Art"));
        const QStringList seeded = texts(locations().List());
        QCOMPARE(seeded, dvData::seedLocations());
        QCOMPARE(locations().List().columnNames(), QStringList{"LocationTX"});
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

    void renamingCarriesIntoEveryItem() {
        Connection(data->connString())
            .execute("INSERT INTO tblItem (ItemNM, LocationTX) VALUES ('Drill', 'Garage'), "
                     "('Saw', 'Garage'), ('Lamp', 'Attic')");
        QVERIFY(locations().Update("Garage", "Workshop"));
        QCOMPARE(itemsAt("Workshop"), 2);
        QCOMPARE(itemsAt("Garage"), 0);
        QVERIFY(!texts(locations().List()).contains("Garage"));
        // A rename onto an existing entry is refused and changes nothing.
        QVERIFY(!locations().Update("Workshop", "Attic"));
        QCOMPARE(itemsAt("Workshop"), 2);
        // A change of case alone reaches the items too.
        QVERIFY(locations().Update("Workshop", "WORKSHOP"));
        QCOMPARE(Connection(data->connString())
                     .query("SELECT DISTINCT LocationTX FROM tblItem ORDER BY 1")
                     .columnValues("LocationTX"),
                 (QVariantList{"Attic", "WORKSHOP"}));
        QVERIFY(texts(locations().List()).contains("WORKSHOP"));
    }

    void unknownEntriesChangeNothing() {
        QVERIFY(types().Update("Spaceships", "Rockets"));
        QVERIFY(types().Delete("Spaceships"));
        QCOMPARE(types().List().rowCount(), 23);
        QVERIFY(!texts(types().List()).contains("Rockets"));
    }

    void deletingAnEntryDeletesItsItems() {
        Connection(data->connString())
            .execute("INSERT INTO tblItem (ItemNM, LocationTX) VALUES ('Drill', 'Garage'), "
                     "('Lamp', 'Attic')");
        QVERIFY(locations().Delete("garage"));
        QCOMPARE(itemsAt("Garage"), 0);
        QCOMPARE(itemsAt("Attic"), 1);
    }

    void emptyListReadsAsNoRows() {
        Connection(data->connString()).execute("DELETE FROM tblType_Lkp");
        QVERIFY(types().List().isEmpty());
    }

    void listsReportFailureWhenTheDatabaseIsGone() {
        QFile::remove(env->databaseFile());
        QVERIFY(!types().Add("Toys"));
        QVERIFY(!types().Update("Tools", "Toys"));
        QVERIFY(!types().Delete("Tools"));
        QVERIFY(!QFile::exists(env->databaseFile()));
    }

    void fieldTypesInCodeOrder() {
        colFieldType& fieldTypes = data->Collection().Field().fieldType();
        fieldTypes.Initialize();
        fieldTypes.Initialize();
        const Recordset rows = fieldTypes.List();
        QCOMPARE(rows.columnNames(), QStringList({"FieldTypeCD", "FieldTypeNM"}));
        QCOMPARE(rows.rowCount(), 8);
        for (int code = 0; code < 8; ++code) {
            QCOMPARE(rows.value(code, 0).toInt(), code);
            QCOMPARE(rows.value(code, 1).toString(), colFieldType::names()[code]);
        }
        QCOMPARE(rows.value(2, 1).toString(), QString("String (Memory List)"));
        QCOMPARE(rows.value(5, 1).toString(), QString("Yes/No"));
    }
};

DOMIVO_TEST_MAIN(LookupListsTest)
#include "tst_lookuplists.moc"
