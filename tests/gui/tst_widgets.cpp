// The shared widget pieces of the tool windows: the grid (filling, sorting by value, the copy
// commands), type-ahead in combo boxes, the typed date box and the date field that can hold no
// date, and the real message box behind the seam the other tests script.
// (Header clicks are tested through the inventory window; filling and choosing in combo boxes
// through the item editors.)

#include "GuiTest.h"

#include "types/Currency.h"
#include "widgets/ComboHelpers.h"

#include "widgets/DateBox.h"

#include <QCalendarWidget>
#include <QVBoxLayout>

namespace {

Recordset items() {
    return Recordset({"ItemID", "Manufacturer", "Item", "Price"},
                     {{3LL, "Miele", "washer", "$1,234.00"},
                      {1LL, QVariant(), "Armchair", "$99.50"},
                      {2LL, "bosch", "Dryer", "$650.00"}});
}

// An editable combo box with type-ahead, shown and empty, its entries in the given order.
struct TypeAheadCombo {
    QComboBox combo;
    explicit TypeAheadCombo(const QStringList& entries = {"Garage", "Garden", "Kitchen"}) {
        combo.addItems(entries);
        EnableTypeAhead(&combo);
        combo.setCurrentIndex(-1);
        combo.clearEditText();
        combo.show();
        combo.lineEdit()->setFocus();
    }
    QLineEdit* edit() { return combo.lineEdit(); }
};

} // namespace

class WidgetsTest : public QObject {
    Q_OBJECT

private slots:
    void gridFillsWithTheKeyHidden() {
        GridView grid;
        FillListView(&grid, items());
        QVERIFY(grid.isColumnHidden(0) && !grid.isColumnHidden(1));
        QCOMPARE(grid.itemText(0), QString("3"));
        QCOMPARE(grid.subItemText(1, 1), QString()); // Null shows as the empty text
        QCOMPARE(grid.columnIndex("price"), 3);
        // A refill replaces headers and rows; without rows the headers stay.
        FillListView(&grid, Recordset({"ID", "Item Name"}, {}));
        QCOMPARE(grid.gridModel()->headers(), (QStringList{"ID", "Item Name"}));
        QCOMPARE(grid.rowCount(), 0);
        QVERIFY(grid.isColumnHidden(0));
    }

    void gridSortsByValue_data() {
        QTest::addColumn<QVariantList>("values");
        QTest::addColumn<QStringList>("ascending");
        QTest::newRow("amounts as grid text")
            << QVariantList{"$1,234.00", "$99.50", "$650.00", "$5"}
            << QStringList{"$5", "$99.50", "$650.00", "$1,234.00"};
        QTest::newRow("amounts as values")
            << QVariantList{QVariant::fromValue(Currency::fromWhole(20)),
                            QVariant::fromValue(Currency::fromUnits(25000)),
                            QVariant::fromValue(Currency::fromWhole(100))}
            << QStringList{"2.5", "20", "100"};
        QTest::newRow("numbers as text")
            << QVariantList{"10", "9.5", "-3", "100"} << QStringList{"-3", "9.5", "10", "100"};
        QTest::newRow("dates as values, one stored as a text that names none")
            << QVariantList{QDate(2026, 12, 6), "spring", QDate(2025, 1, 15)}
            << QStringList{"1/15/2025", "12/6/2026", "spring"};
        QTest::newRow("dates as text") << QVariantList{"12/6/2026", "1/15/2025", "3/2/2026"}
                                       << QStringList{"1/15/2025", "3/2/2026", "12/6/2026"};
        QTest::newRow("text that merely starts with digits")
            << QVariantList{"10 Downing", "9 Elms", "Attic"}
            << QStringList{"10 Downing", "9 Elms", "Attic"};
    }
    void gridSortsByValue() {
        QFETCH(QVariantList, values);
        QFETCH(QStringList, ascending);
        QVector<QVariantList> rows;
        for (int i = 0; i < values.size(); ++i)
            rows << QVariantList{qlonglong(i + 1), values.at(i)};
        GridView grid;
        FillListView(&grid, Recordset({"ID", "Value"}, rows));
        grid.setSortKey(1);
        QCOMPARE(columnTexts(&grid, "Value"), ascending);
        grid.setSortOrder(Qt::DescendingOrder);
        std::reverse(ascending.begin(), ascending.end());
        QCOMPARE(columnTexts(&grid, "Value"), ascending);
    }

    void gridKeepsTheSortKeyOnRefillAndTheSelectionFollowsTheRow() {
        GridView grid;
        FillListView(&grid, items());
        grid.setSortKey(2);
        grid.selectRow(2);
        QCOMPARE(grid.itemText(grid.selectedRow()), QString("3"));
        grid.setSortOrder(Qt::DescendingOrder);
        QCOMPARE(grid.selectedRow(), 0);
        FillListView(&grid, items());
        QCOMPARE(grid.selectedRow(), -1);
        QCOMPARE(columnTexts(&grid, "Item"), (QStringList{"washer", "Dryer", "Armchair"}));
    }

    void copyTexts() {
        GuiTestEnvironment env;
        frmMain window(env.dataFolder());
        QClipboard* clipboard = QGuiApplication::clipboard();
        GridView grid;
        FillListView(&grid, Recordset({"ID", "Item", "Price"},
                                      {{1LL, "Sofa", "$800.00"}, {2LL, "Lamp", QVariant()}}));
        CopyGrid(&grid);
        QCOMPARE(clipboard->text(), QString("1\tSofa\t$800.00\r\n2\tLamp\t\r\n"));
        QCOMPARE(window.statusText(), QString("Contents of grid copied to the clipboard."));

        // Nothing selected: nothing copied.
        window.ShowStatus(QString());
        CopySelectedRow(&grid);
        QCOMPARE(clipboard->text(), QString("1\tSofa\t$800.00\r\n2\tLamp\t\r\n"));
        QCOMPARE(window.statusText(), QString());
        grid.selectRow(0);
        CopySelectedRow(&grid);
        QCOMPARE(clipboard->text(), QString("1\tSofa\t$800.00"));
        QCOMPARE(window.statusText(), QString("Selected grid item copied to the clipboard."));

        FillListView(&grid, Recordset({"ID", "Item"}, {}));
        CopyGrid(&grid);
        QCOMPARE(clipboard->text(), QString());
    }

    void typeAheadCompletesTheFirstMatch_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("highlighted");
        // Typing on past a suggestion that no longer fits keeps what was typed (the first
        // letter as the suggestion spelt it).
        for (const auto& [typed, text, highlighted] : {std::tuple{"gar", "Garage", "age"},
                                                       {"g", "Garage", "arage"},
                                                       {"GARD", "Garden", "en"},
                                                       {"garden", "Garden", ""},
                                                       {"Attic", "Attic", ""},
                                                       {"gax", "Gax", ""}})
            QTest::newRow(typed) << QString(typed) << QString(text) << QString(highlighted);
    }
    void typeAheadCompletesTheFirstMatch() {
        QFETCH(QString, typed);
        QFETCH(QString, text);
        QFETCH(QString, highlighted);
        TypeAheadCombo box;
        QTest::keyClicks(box.edit(), typed);
        QCOMPARE(box.combo.currentText(), text);
        if (box.combo.findText(text) >= 0)
            QCOMPARE(box.combo.currentIndex(), box.combo.findText(text));
        QCOMPARE(box.edit()->selectedText(), highlighted);
        if (!highlighted.isEmpty())
            QCOMPARE(box.edit()->selectionStart(), int(typed.size()));
    }

    void editingKeysDoNotComplete() {
        TypeAheadCombo box;
        QTest::keyClicks(box.edit(), "gar");
        // Backspace takes the suggestion away and leaves the typed letters.
        QTest::keyClick(box.edit(), Qt::Key_Backspace);
        QCOMPARE(box.combo.currentText(), QString("Gar"));
        QCOMPARE(box.edit()->selectedText(), QString());
        QTest::keyClick(box.edit(), Qt::Key_Backspace);
        QCOMPARE(box.combo.currentText(), QString("Ga"));
        // Delete does not complete either.
        QTest::keyClick(box.edit(), Qt::Key_Home);
        QTest::keyClick(box.edit(), Qt::Key_Delete);
        QCOMPARE(box.combo.currentText(), QString("a"));
        // A printable key completes again.
        QTest::keyClick(box.edit(), Qt::Key_Home);
        QTest::keyClicks(box.edit(), "g");
        QCOMPARE(box.combo.currentText(), QString("Garage"));
        QCOMPARE(box.edit()->selectedText(), QString("rage"));
    }

    void messageBoxesShowTheirTextAsTyped() {
        // The real box, behind the seam the other tests script: a name the user typed with
        // "<b>" in it shows as typed.
        Qt::TextFormat format = Qt::AutoText;
        QString text;
        whenModalShown([&](QWidget* modal) {
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                format = box->textFormat();
                text = box->text();
            }
            modal->close();
        });
        MsgBox(nullptr, "Delete 'Coins <b>XXX</b>'?", QMessageBox::Ok, QMessageBox::Question);
        QCOMPARE(format, Qt::PlainText);
        QCOMPARE(text, QString("Delete 'Coins <b>XXX</b>'?"));
    }

    // A date is typed whole, at a person's pace, like any text; the calendar is still there.
    void dateBoxTakesATypedDate() {
        QWidget window;
        auto* box = new DateBox(&window);
        auto* next = new QLineEdit(&window);
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(box);
        layout->addWidget(next);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QSignalSpy changes(box, &DateBox::dateChanged);
        const auto type = [&](const QString& text) {
            box->setFocus();
            box->selectAll();
            QTest::keyClicks(box, text, Qt::NoModifier, 20);
            QTest::keyClick(box, Qt::Key_Tab);
            QVERIFY(next->hasFocus());
        };
        type("3/15/2024");
        QCOMPARE(box->date(), QDate(2024, 3, 15));
        QCOMPARE(changes.last().first().toDate(), QDate(2024, 3, 15));
        // Leaving the box shows ISO and two-digit years in the short form.
        type("2024-03-05");
        QCOMPARE(box->text(), QString("3/5/2024"));
        type("3/5/24");
        QCOMPARE(box->text(), QString("3/5/2024"));
        // A text that names no date stays as typed, for the window to refuse.
        type("3/45/2024");
        QCOMPARE(box->text(), QString("3/45/2024"));
        QVERIFY(!box->date().isValid());

        box->setFocus();
        QTest::keyClick(box, Qt::Key_F4);
        QCalendarWidget* calendar = box->calendar();
        QVERIFY(calendar && calendar->isVisible());
        calendar->setSelectedDate(QDate(2024, 2, 29));
        emit calendar->activated(calendar->selectedDate());
        QVERIFY(!calendar->isVisible());
        QCOMPARE(box->text(), QString("2/29/2024"));
        // Opened again, it shows the box's date.
        box->showCalendar();
        QCOMPARE(calendar->selectedDate(), QDate(2024, 2, 29));
        calendar->window()->hide();
    }

    void optionalDateHoldsNoDateWhenUnchecked() {
        OptionalDateEdit field;
        QSignalSpy changes(&field, &OptionalDateEdit::valueChanged);
        QVERIFY(field.value().isNull());
        QVERIFY(!field.dateEdit()->isEnabled());
        field.setValue(QDate(2024, 2, 29));
        QCOMPARE(field.value(), QVariant(QDate(2024, 2, 29)));
        QVERIFY(field.dateEdit()->isEnabled());
        QCOMPARE(changes.count(), 1);

        field.checkBox()->click();
        QVERIFY(field.isNull() && field.value().isNull());
        QCOMPARE(changes.last().first(), QVariant());
        // Ticking it again offers the date it showed before.
        field.checkBox()->click();
        QCOMPARE(field.date(), QDate(2024, 2, 29));
        field.setValue(QDateTime(QDate(2023, 5, 1), QTime(10, 30)));
        QCOMPARE(field.value(), QVariant(QDate(2023, 5, 1)));
        // A text that names no date is shown as it is, and is no date.
        field.setText("spring");
        QCOMPARE(field.text(), QString("spring"));
        QVERIFY(!field.isNull() && field.value().isNull() && !field.date().isValid());
    }
};

DOMIVO_GUI_TEST_MAIN(WidgetsTest)
#include "tst_widgets.moc"
