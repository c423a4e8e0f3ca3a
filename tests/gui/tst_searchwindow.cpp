// The search window: where to search, the column list and the criteria rows, the refusals with
// their messages, the grid of the items found with the copy commands and sorting.

#include "GuiTest.h"
#include "SampleRows.h"

#include "windows/search/frmSearch.h"

#include <QGroupBox>
#include <QMdiArea>
#include <QRadioButton>

namespace {

void seed(const dvData& data) {
    runSqlite(data.Path(), SampleRows::search);
}

// The application on the small database with the search window on display.
struct App : GuiApp {
    frmSearch* window = nullptr;

    App()
        : GuiApp(seed) {
        main->tlbMain_ButtonClick("Search");
        window = qobject_cast<frmSearch*>(main->toolWindow("frmSearch"));
    }
    template <class T> T* get(const QString& name) const { return child<T>(window, name); }
    QComboBox* searchIn() const { return get<QComboBox>("cboSearch"); }
    QListWidget* fields() const { return get<QListWidget>("lstFields"); }
    QComboBox* field(int row) const {
        return get<QComboBox>(QString("cboSearchField_%1").arg(row));
    }
    QComboBox* op(int row) const { return get<QComboBox>(QString("cboOperator_%1").arg(row)); }
    QLineEdit* value(int row) const { return get<QLineEdit>(QString("txtValue_%1").arg(row)); }
    GridView* grid() const { return get<GridView>("lvwItems"); }
    bool menuOn(const char* name) const { return main->menuItem(name)->isEnabled(); }

    void searchIn(const QString& entry) const {
        searchIn()->setCurrentIndex(searchIn()->findText(entry));
    }
    void tick(const QString& name) const { clickEntry(fields(), name); }
    // Fills a row as the user does: the field, then the operator and the value.
    void criterion(int row, const QString& name, const QString& op, const QString& text) const {
        field(row)->setCurrentIndex(field(row)->findText(name));
        this->op(row)->setCurrentIndex(this->op(row)->findText(op));
        QTest::keyClicks(value(row), text);
    }
    QStringList search(const QString& caption = "Item Name") {
        click(window, "cmdSearch");
        return columnTexts(grid(), caption);
    }
};

} // namespace

class SearchWindowTest : public QObject {
    Q_OBJECT

private slots:
    void loadsWithItsListsAndKeepsTheChoiceOnResize() {
        App app;
        QCOMPARE(gCurrentWindow(), QString("frmSearch"));
        QCOMPARE(app.main->windowTitle(), QString("Qelto Domivo- Search"));
        QCOMPARE(texts(app.searchIn()), (QStringList{"Inventory", "Collection - Coins"}));
        QCOMPARE(app.searchIn()->currentIndex(), -1);
        QVERIFY(!app.get<QGroupBox>("fraCriteria")->isEnabled());
        QVERIFY(!app.get<QPushButton>("cmdSearch")->isEnabled());
        QCOMPARE(app.get<QLabel>("hdgGrid")->text(), QString("Items matching search criteria"));
        for (const char* name : {"mnuEdit_Copy", "mnuEdit_CopyGrid", "mnuEdit_New"})
            QVERIFY2(!app.menuOn(name), name);
        app.prompts.answerMessage(QMessageBox::Ok, "Search sort");
        app.main->toolbarButton("Sort")->trigger();

        app.searchIn("Inventory");
        QCOMPARE(app.fields()->count(), 18);
        QCOMPARE(app.fields()->item(8)->text(), QString("Warranty Documents"));
        QCOMPARE(app.fields()->item(8)->data(Qt::UserRole).toString(),
                 QString("WarrantyDocumentCD"));
        const QStringList searchFields = texts(app.field(2));
        QCOMPARE(searchFields.size(), 17);
        QCOMPARE(searchFields.first(), QString());
        QVERIFY(!searchFields.contains("Comments") && !searchFields.contains("Warranty Documents"));
        QCOMPARE(texts(app.op(0)), (QStringList{"=", ">", ">=", "<", "<=", "<>", "Like"}));
        QCOMPARE(app.op(0)->currentIndex(), -1);
        QVERIFY(app.get<QRadioButton>("optBoolean1_0")->isChecked());
        QVERIFY(app.get<QRadioButton>("optBoolean2_0")->isChecked());
        QVERIFY(app.get<QGroupBox>("fraCriteria")->isEnabled());

        // Ticking enables Search, unticking the last one disables it again.
        app.tick("Item Name");
        QVERIFY(app.get<QPushButton>("cmdSearch")->isEnabled());
        app.tick("Item Name");
        QVERIFY(!app.get<QPushButton>("cmdSearch")->isEnabled());

        app.main->resize(900, 640);
        QTRY_COMPARE(app.window->size(), app.main->mdiArea()->viewport()->size());
        QCOMPARE(app.searchIn()->currentText(), QString("Inventory"));
        QCOMPARE(app.fields()->count(), 18);
    }

    void findsWhatTheCriteriaSayInListOrder() {
        App app;
        app.searchIn("Inventory");
        app.tick("Purchase Price");
        app.tick("Item Name");
        // Kitchenware items, or garage items over 100: And binds tighter than Or.
        app.criterion(0, "Type", "=", "Kitchenware");
        app.criterion(1, "Location", "=", "Garage");
        app.get<QRadioButton>("optBoolean1_1")->click();
        app.criterion(2, "Purchase Price", ">", "100");
        QCOMPARE(app.search(), (QStringList{"Toaster", "Radio", "Mixer"}));
        GridView* grid = app.grid();
        QCOMPARE(grid->gridModel()->headers(),
                 (QStringList{"ItemID", "Item Name", "Purchase Price"}));
        QVERIFY(grid->isColumnHidden(0));
        QCOMPARE(columnTexts(grid, "Purchase Price"),
                 (QStringList{"$25.00", "$1,234.50", "$150.00"}));
        QCOMPARE(grid->columnWidth(1), int(grid->viewport()->width() * (0.95 / 2)));
        QCOMPARE(app.main->statusText(),
                 QString("There are 3 items matching the specified search criteria."));

        // The copy commands and the headers act on the grid.
        QVERIFY(app.menuOn("mnuEdit_CopyGrid") && !app.menuOn("mnuEdit_Copy"));
        grid->selectRow(1);
        QVERIFY(app.menuOn("mnuEdit_Copy") && app.main->toolbarButton("CopyItem")->isEnabled());
        app.main->menuItem("mnuEdit_Copy")->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("2\tRadio\t$1,234.50"));
        clickHeader(grid, "Purchase Price");
        clickHeader(grid, "Purchase Price");
        QCOMPARE(columnTexts(grid, "Item Name"), (QStringList{"Radio", "Mixer", "Toaster"}));
        app.main->toolbarButton("CopyGrid")->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QString("2\tRadio\t$1,234.50\r\n4\tMixer\t$150.00\r\n1\tToaster\t$25.00\r\n"));

        // Choosing the empty entry clears the row; a first row left empty starts nothing.
        app.field(0)->setCurrentIndex(0);
        QCOMPARE(app.op(0)->currentIndex(), -1);
        QCOMPARE(app.value(0)->text(), QString());
        Settings::setInteger(SettingKeys::RoundPrices, 1);
        QCOMPARE(app.search("Purchase Price"), (QStringList{"$1,235", "$150"}));

        // Values taken literally, dates typed in the short form.
        app.field(1)->setCurrentIndex(0);
        app.field(2)->setCurrentIndex(0);
        app.criterion(0, "Manufacturer", "=", "O'Neil");
        QCOMPARE(app.search(), QStringList{"Wet suit"});
        app.criterion(2, "Purchase Date", ">=", "3/15/2024");
        app.get<QRadioButton>("optBoolean2_1")->click();
        QCOMPARE(app.search(), (QStringList{"Toaster", "Wet suit", "Mixer"}));
        QCOMPARE(app.prompts.boxes().size(), 0);
    }

    void refusesCriteriaWithTheirMessages() {
        App app;
        app.searchIn("Inventory");
        app.tick("Item Name");
        QCOMPARE(app.search(), (QStringList{"Toaster", "Radio", "Wet suit", "Mixer"}));
        app.criterion(1, "Purchase Price", "Like", "5");
        app.prompts.answerMessage(QMessageBox::Ok);
        QCOMPARE(app.search().size(), 4);
        const ScriptedPrompts::Box box = app.prompts.boxes().last();
        QCOMPARE(box.text, QString("You cannot use the 'Like' operator for search field 2"));
        QCOMPARE(box.icon, QMessageBox::Warning);
        QCOMPARE(box.title, QString("Qelto Domivo- Search"));
        QVERIFY(hasFocus(app.op(1)));
        QCOMPARE(app.value(1)->text(), QString("5"));

        app.op(1)->setCurrentIndex(app.op(1)->findText("<"));
        app.value(1)->setText("soon");
        app.prompts.answerMessage(QMessageBox::Ok,
                                  "The search value for criteria 2 must be numeric.");
        app.search();
        QVERIFY(hasFocus(app.value(1)));
        // The empty first row with a used second one.
        app.value(1)->setText("$30");
        QCOMPARE(app.search(), QStringList{"Toaster"});
        app.op(0)->setCurrentIndex(0);
        app.prompts.answerMessage(QMessageBox::Ok,
                                  "Please select search field for search criteria 1");
        app.search();
        QVERIFY(hasFocus(app.field(0)));
    }

    void searchesACollectionByItsFields() {
        App app;
        app.searchIn("Collection - Coins");
        QCOMPARE(
            texts(app.fields()),
            (QStringList{"Item Name", "Collection", "Purchase Price", "Appraisal Price",
                         "Replacement Price", "Comments", "Last Change Date", "Year", "Mint"}));
        QCOMPARE(app.fields()->item(8)->data(Qt::UserRole).toString(), QString("Field2"));
        QCOMPARE(texts(app.field(0)).size(), 9);
        app.tick("Mint");
        app.tick("Item Name");
        app.criterion(0, "Mint", "=", "d");
        QCOMPARE(app.search("Mint"), QStringList{"D"});
        QCOMPARE(app.grid()->gridModel()->headers(), (QStringList{"ItemID", "Item Name", "Mint"}));

        // Another target refills the lists and clears the rows.
        app.searchIn("Inventory");
        QCOMPARE(app.fields()->count(), 18);
        QCOMPARE(app.field(0)->currentIndex(), 0);
        QCOMPARE(app.value(0)->text(), QString());
        QVERIFY(!app.get<QPushButton>("cmdSearch")->isEnabled());
    }
};

DOMIVO_GUI_TEST_MAIN(SearchWindowTest)
#include "tst_searchwindow.moc"
