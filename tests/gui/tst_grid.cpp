// The grid of the tool windows: filling it from a recordset, sorting by value, the header
// clicks, and the two copy commands.

#include "GuiTest.h"

#include "app/frmMain.h"
#include "types/Currency.h"
#include "widgets/GridView.h"

#include <QClipboard>
#include <QHeaderView>

namespace {

Recordset items() {
    return Recordset(
        {QStringLiteral("ItemID"), QStringLiteral("Manufacturer"), QStringLiteral("Item"),
         QStringLiteral("Price")},
        {{qlonglong(3), QStringLiteral("Miele"), QStringLiteral("washer"),
          QStringLiteral("$1,234.00")},
         {qlonglong(1), QVariant(), QStringLiteral("Armchair"), QStringLiteral("$99.50")},
         {qlonglong(2), QStringLiteral("bosch"), QStringLiteral("Dryer"),
          QStringLiteral("$650.00")}});
}

// The texts of one column, top to bottom.
QStringList column(const GridView& grid, int index) {
    QStringList texts;
    for (int row = 0; row < grid.rowCount(); ++row)
        texts << grid.text(row, index);
    return texts;
}

void clickHeader(GridView& grid, int column) {
    QHeaderView* header = grid.header();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
}

} // namespace

class GridTest : public QObject {
    Q_OBJECT

private slots:
    void fillsHeadersAndRowsWithTheKeyHidden();
    void emptyRecordsetLeavesTheHeaders();
    void sortsByValue_data();
    void sortsByValue();
    void headerClickFlipsOrChangesTheSortKey();
    void sortKeyIsKeptOnRefillAndSelectionFollowsTheRow();
    void copyTexts();
};

void GridTest::fillsHeadersAndRowsWithTheKeyHidden() {
    GridView grid;
    FillListView(&grid, items());

    QCOMPARE(grid.columnCount(), 4);
    QCOMPARE(grid.gridModel()->headers(), (QStringList{"ItemID", "Manufacturer", "Item", "Price"}));
    QVERIFY(grid.isColumnHidden(0));
    QVERIFY(!grid.isColumnHidden(1));
    QCOMPARE(grid.rowCount(), 3);
    QCOMPARE(grid.itemText(0), QStringLiteral("3"));
    QCOMPARE(grid.subItemText(0, 3), QStringLiteral("$1,234.00"));
    // Null shows as the empty text.
    QCOMPARE(grid.subItemText(1, 1), QString());
    QCOMPARE(grid.columnIndex(QStringLiteral("price")), 3);

    // A refill replaces headers and rows.
    FillListView(&grid, Recordset({QStringLiteral("ID"), QStringLiteral("Name")},
                                  {{qlonglong(9), QStringLiteral("Stamps")}}));
    QCOMPARE(grid.columnCount(), 2);
    QCOMPARE(grid.rowCount(), 1);
    QVERIFY(grid.isColumnHidden(0));
}

void GridTest::emptyRecordsetLeavesTheHeaders() {
    GridView grid;
    FillListView(&grid, items());
    FillListView(&grid, Recordset({QStringLiteral("ItemID"), QStringLiteral("Item Name"),
                                   QStringLiteral("Price")},
                                  {}));
    QCOMPARE(grid.columnCount(), 3);
    QCOMPARE(grid.rowCount(), 0);
    QCOMPARE(grid.model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Item Name"));

    grid.gridModel()->clear();
    QCOMPARE(grid.columnCount(), 0);
}

void GridTest::sortsByValue_data() {
    QTest::addColumn<QVariantList>("values");
    QTest::addColumn<QStringList>("ascending");

    QTest::newRow("amounts as grid text") << QVariantList{"$1,234.00", "$99.50", "$650.00", "$5"}
                                          << QStringList{"$5", "$99.50", "$650.00", "$1,234.00"};
    QTest::newRow("amounts as values")
        << QVariantList{QVariant::fromValue(Currency::fromWhole(20)),
                        QVariant::fromValue(Currency::fromUnits(25000)),
                        QVariant::fromValue(Currency::fromWhole(100))}
        << QStringList{"2.5", "20", "100"};
    QTest::newRow("whole numbers") << QVariantList{qlonglong(10), qlonglong(9), qlonglong(100)}
                                   << QStringList{"9", "10", "100"};
    QTest::newRow("numbers as text")
        << QVariantList{"10", "9.5", "-3", "100"} << QStringList{"-3", "9.5", "10", "100"};
    QTest::newRow("dates as values")
        << QVariantList{QDate(2026, 12, 6), QDate(2025, 1, 15), QDate(2026, 3, 2)}
        << QStringList{"1/15/2025", "3/2/2026", "12/6/2026"};
    QTest::newRow("dates as text") << QVariantList{"12/6/2026", "1/15/2025", "3/2/2026"}
                                   << QStringList{"1/15/2025", "3/2/2026", "12/6/2026"};
    QTest::newRow("text without regard to case")
        << QVariantList{"banana", "Apple", "cherry", "apricot"}
        << QStringList{"Apple", "apricot", "banana", "cherry"};
    QTest::newRow("text that merely starts with digits")
        << QVariantList{"10 Downing", "9 Elms", "Attic"}
        << QStringList{"10 Downing", "9 Elms", "Attic"};
    QTest::newRow("empty cells first")
        << QVariantList{"$20.00", QVariant(), "$3.00"} << QStringList{"", "$3.00", "$20.00"};
}

void GridTest::sortsByValue() {
    QFETCH(QVariantList, values);
    QFETCH(QStringList, ascending);
    QVector<QVariantList> rows;
    for (int i = 0; i < values.size(); ++i)
        rows << QVariantList{qlonglong(i + 1), values.at(i)};
    GridView grid;
    FillListView(&grid, Recordset({QStringLiteral("ID"), QStringLiteral("Value")}, rows));

    grid.setSortKey(1);
    QCOMPARE(column(grid, 1), ascending);
    grid.setSortOrder(Qt::DescendingOrder);
    QStringList descending = ascending;
    std::reverse(descending.begin(), descending.end());
    QCOMPARE(column(grid, 1), descending);
}

void GridTest::headerClickFlipsOrChangesTheSortKey() {
    GridView grid;
    grid.resize(600, 300);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    FillListView(&grid, items());
    grid.setSortKey(1);
    QCOMPARE(column(grid, 1), (QStringList{"", "bosch", "Miele"}));

    clickHeader(grid, 1);
    QCOMPARE(grid.sortKey(), 1);
    QCOMPARE(grid.sortOrder(), Qt::DescendingOrder);
    QCOMPARE(column(grid, 1), (QStringList{"Miele", "bosch", ""}));

    // Another column becomes the key and the order is kept.
    clickHeader(grid, 3);
    QCOMPARE(grid.sortKey(), 3);
    QCOMPARE(grid.sortOrder(), Qt::DescendingOrder);
    QCOMPARE(column(grid, 3), (QStringList{"$1,234.00", "$650.00", "$99.50"}));

    clickHeader(grid, 3);
    QCOMPARE(grid.sortOrder(), Qt::AscendingOrder);
    QCOMPARE(column(grid, 2), (QStringList{"Armchair", "Dryer", "washer"}));
}

void GridTest::sortKeyIsKeptOnRefillAndSelectionFollowsTheRow() {
    GridView grid;
    FillListView(&grid, items());
    grid.setSortKey(2);
    grid.selectRow(2);
    QCOMPARE(grid.itemText(grid.selectedRow()), QStringLiteral("3"));

    grid.setSortOrder(Qt::DescendingOrder);
    QCOMPARE(grid.selectedRow(), 0);
    QCOMPARE(grid.itemText(grid.selectedRow()), QStringLiteral("3"));

    FillListView(&grid, items());
    QCOMPARE(grid.selectedRow(), -1);
    QCOMPARE(column(grid, 2), (QStringList{"washer", "Dryer", "Armchair"}));
}

void GridTest::copyTexts() {
    GuiTestEnvironment env;
    frmMain window(env.dataFolder());
    QClipboard* clipboard = QGuiApplication::clipboard();
    GridView grid;
    FillListView(&grid,
                 Recordset({QStringLiteral("ID"), QStringLiteral("Item"), QStringLiteral("Price")},
                           {{qlonglong(1), QStringLiteral("Sofa"), QStringLiteral("$800.00")},
                            {qlonglong(2), QStringLiteral("Lamp"), QVariant()}}));

    CopyGrid(&grid);
    QCOMPARE(clipboard->text(), QStringLiteral("1\tSofa\t$800.00\r\n2\tLamp\t\r\n"));
    QCOMPARE(window.statusText(), QStringLiteral("Contents of grid copied to the Windows Clipboard."));

    // Nothing selected: nothing copied.
    window.ShowStatus(QString());
    CopySelectedRow(&grid);
    QCOMPARE(clipboard->text(), QStringLiteral("1\tSofa\t$800.00\r\n2\tLamp\t\r\n"));
    QCOMPARE(window.statusText(), QString());

    grid.selectRow(0);
    CopySelectedRow(&grid);
    QCOMPARE(clipboard->text(), QStringLiteral("1\tSofa\t$800.00"));
    QCOMPARE(window.statusText(), QStringLiteral("Selected grid item copied to the Windows Clipboard."));

    FillListView(&grid, Recordset({QStringLiteral("ID"), QStringLiteral("Item")}, {}));
    CopyGrid(&grid);
    QCOMPARE(clipboard->text(), QString());
}

DOMIVO_GUI_TEST_MAIN(GridTest)
#include "tst_grid.moc"
