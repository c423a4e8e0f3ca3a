// The grids' rows held in their typed form: what comes back out of them (values and the texts
// shown), read from a cursor in parts or from a recordset alike, and the sort rule: text
// without regard to case exactly as QString compares it, ties kept in their order, empty values
// first, dates by day and time. (Numbers, amounts and dates written as text are sorted through
// the grid in tst_widgets.)

#include "TestEnvironment.h"

#include "data/GridRows.h"
#include "data/RowCursor.h"
#include "records/GridPrefetch.h"
#include "records/Inventory.h"
#include "types/Currency.h"

#include <QRandomGenerator>
#include <algorithm>
#include <numeric>

namespace {

QStringList columnTexts(const GridRows& rows, int column) {
    QStringList texts;
    for (int row = 0; row < rows.rowCount(); ++row)
        texts << rows.text(row, column);
    return texts;
}

GridRows oneColumn(const QVariantList& values) {
    QVector<QVariantList> rows;
    for (int i = 0; i < values.size(); ++i)
        rows << QVariantList{qlonglong(i), values[i]};
    return GridRows::fromRecordset(Recordset({"ID", "Value"}, rows));
}

// Texts that case folding treats in every way it can: ASCII, Latin-1 and Greek letters whose
// cases differ, letters without a case, pairs outside the BMP (Deseret) and lone surrogates.
QString randomText(QRandomGenerator& random) {
    static const QList<char32_t> letters = {
        'a',     'A',     'b',     'B',     'z',     'Z',     ' ',     '0',     '9',     '_',
        0x00E9,  0x00C9,  0x00DF,  0x00FF,  0x0178,  0x03A3,  0x03C3,  0x03C2,  0x0130,  0x0131,
        0x0416,  0x0436,  0x4E2D,  0xFF21,  0xFF41,  0x10400, 0x10428, 0x1D400, 0xD800,  0xDC00};
    QString text;
    const int length = int(random.bounded(6));
    for (int i = 0; i < length; ++i) {
        const char32_t code = letters[int(random.bounded(letters.size()))];
        if (QChar::requiresSurrogates(code))
            text += QString::fromUcs4(&code, 1);
        else
            text += QChar(char16_t(code));
    }
    return text;
}

} // namespace

class GridRowsTest : public QObject {
    Q_OBJECT

private slots:
    void rowsReadFromACursorAreTheRecordsetsRows() {
        TestDatabase db;
        db.sql("INSERT INTO tblItem (ItemID, ManufacturerNM, ItemNM, PurchaseDT, WarrantyCD, "
               "PurchasePriceAM, LastChangeDT) VALUES "
               "(1, 'Zoë''s', 'Lamp', '2024-03-15', 1, 12345000, '2024-03-15 08:09:10'), "
               "(2, NULL, 'Rug', NULL, 0, NULL, NULL), "
               "(3, 'Acme', 'Anvil\tlarge', '1999-12-31', 0, -5, '2001-01-01')");
        const QString sql = "SELECT ItemID, ManufacturerNM, ItemNM, PurchaseDT, WarrantyCD, "
                            "PurchasePriceAM, LastChangeDT, 'x' || ItemID AS Computed FROM "
                            "tblItem ORDER BY ItemID";
        RowCursor cursor(Connection(db.data.connString()), sql);
        cursor.setMoneyPattern(5, "$#,##0.00");
        GridRows read = GridRows::forCursor(cursor);
        QCOMPARE(read.readRows(cursor, 1), 1);
        QCOMPARE(read.readRows(cursor), 2);
        QCOMPARE(read.readRows(cursor), 0);

        const GridRows materialised =
            GridRows::fromRecordset(Connection(db.data.connString()).query(sql));
        QCOMPARE(read.headers(), materialised.headers());
        QCOMPARE(read.rowCount(), 3);
        for (int row = 0; row < 3; ++row)
            for (int column = 0; column < read.columnCount(); ++column)
                QCOMPARE(read.value(row, column), materialised.value(row, column));

        QCOMPARE(read.value(0, 5), QVariant::fromValue(Currency::fromUnits(12345000)));
        QCOMPARE(read.value(0, 6), QVariant(QDateTime(QDate(2024, 3, 15), QTime(8, 9, 10))));
        QCOMPARE(read.text(0, 1), QString("Zoë's"));
        QCOMPARE(read.text(0, 3), QString("3/15/2024"));
        QCOMPARE(read.text(0, 4), QString("True"));
        // The money pattern is the cursor's; the recordset's amounts show as plain decimals.
        QCOMPARE(columnTexts(read, 5), QStringList({"$1,234.50", "", "$0.00"}));
        QCOMPARE(columnTexts(materialised, 5), QStringList({"1234.5", "", "-0.0005"}));
        QCOMPARE(read.text(0, 6), QString("3/15/2024 8:09:10 AM"));
        QCOMPARE(read.text(1, 1), QString());
        QVERIFY(!read.value(1, 1).isValid());
        QCOMPARE(read.text(2, 2), QString("Anvil\tlarge"));
        QCOMPARE(read.text(2, 7), QString("x3"));
        QVERIFY(!read.value(3, 0).isValid() && read.text(0, 8).isEmpty());
    }

    void rowsReadEarlyAreTakenOnceAndOnlyForTheirListing() {
        TestDatabase db;
        db.sql("INSERT INTO tblItem (ItemID, ManufacturerNM, ItemNM, TypeTX, PurchasePriceAM) "
               "VALUES (1, 'Zed', 'Lamp', 'Books', 12340000), (2, 'Acme', 'Rug', 'Tools', NULL)");
        const invItem& items = db.data.Inventory().Item();
        GridPrefetch::start(items, {1});
        // Another listing (here: amounts shown otherwise) reads for itself, and the early rows
        // are gone.
        QVERIFY(!GridPrefetch::take({0}));
        QVERIFY(!GridPrefetch::take({1}));

        GridPrefetch::start(items, {1});
        std::optional<GridRows> early = GridPrefetch::take({1});
        QVERIFY(early);
        QVERIFY(!GridPrefetch::take({1}));
        RowCursor cursor = items.ListMainGridRows(1, {}, {}, {}, {});
        GridRows now = GridRows::forCursor(cursor);
        now.readRows(cursor);
        QCOMPARE(early->headers(), now.headers());
        QCOMPARE(early->rowCount(), 2);
        for (int column = 0; column < now.columnCount(); ++column)
            QCOMPARE(columnTexts(*early, column), columnTexts(now, column));
        QCOMPARE(early->text(1, 4), QString("$1,234"));

        // A read that fails leaves the caller to read, and to see why.
        db.sql("DROP TABLE tblItem");
        GridPrefetch::start(items, {0, "Books"});
        QVERIFY(!GridPrefetch::take({0, "Books"}));
    }

    void textSortsAsQStringComparesWithoutCase() {
        QRandomGenerator random(1802);
        QVariantList values;
        for (int i = 0; i < 3000; ++i)
            values << randomText(random);
        GridRows rows = oneColumn(values);
        rows.sort(1, Qt::AscendingOrder);

        // Blank texts first, then by QString's case-insensitive order, ties by position.
        QList<int> expected(values.size());
        std::iota(expected.begin(), expected.end(), 0);
        const auto blank = [&](int i) { return values[i].toString().trimmed().isEmpty(); };
        std::stable_sort(expected.begin(), expected.end(), [&](int a, int b) {
            if (blank(a) || blank(b))
                return blank(a) && !blank(b);
            return QString::compare(values[a].toString(), values[b].toString(),
                                    Qt::CaseInsensitive) < 0;
        });
        for (int row = 0; row < rows.rowCount(); ++row)
            QCOMPARE(rows.value(row, 0).toInt(), expected[row]);
    }

    void sortsAreStableAndKeepEmptyValuesApart() {
        GridRows rows = oneColumn({"pear", QVariant(), "Apple", "apple", " ", "PEAR", "apple"});
        rows.sort(1, Qt::AscendingOrder);
        QCOMPARE(columnTexts(rows, 0), QStringList({"1", "4", "2", "3", "6", "0", "5"}));
        // A sort by the order the rows are in moves nothing.
        QVERIFY(rows.sortPositions(1, Qt::AscendingOrder).isEmpty());
        // Descending: ties still in the order they had, empty values last.
        rows.sort(1, Qt::DescendingOrder);
        QCOMPARE(columnTexts(rows, 0), QStringList({"0", "5", "2", "3", "6", "1", "4"}));
        // Another column sorts the rows as they are shown now.
        rows.sort(0, Qt::AscendingOrder);
        QCOMPARE(columnTexts(rows, 1), QStringList({"pear", "", "Apple", "apple", " ", "PEAR",
                                                    "apple"}));
    }

    void datesSortByDayAndTimeOfDay() {
        GridRows rows = oneColumn({QDateTime(QDate(2026, 3, 2), QTime(13, 0)), QDate(2026, 3, 2),
                                   "spring", QDateTime(QDate(2026, 3, 2), QTime(9, 30)),
                                   QDate(2025, 12, 31), "Autumn", QVariant()});
        rows.sort(1, Qt::AscendingOrder);
        QCOMPARE(columnTexts(rows, 0), QStringList({"6", "4", "1", "3", "0", "5", "2"}));
        rows.sort(1, Qt::DescendingOrder);
        QCOMPARE(columnTexts(rows, 0), QStringList({"2", "5", "0", "3", "1", "4", "6"}));
    }
};

DOMIVO_TEST_MAIN(GridRowsTest)
#include "tst_gridrows.moc"
