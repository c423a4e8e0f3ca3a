// The collections window: its list and buttons and when they are enabled, the grid of a
// collection's items with one column per field, the status texts after the definition and item
// windows, and the Edit menu and copy commands while it is on display. (How header clicks sort is
// the grid's own, tested through the inventory window; here the values sort by their kind.)

#include "GuiTest.h"

#include "data/DataChanges.h"
#include "windows/collections/frmCollections.h"

namespace {

const QList<colField::Definition> FourFields = {{0, "Year", 3, true, ""},
                                                {1, "Mint", 1, false, "P;D;S"},
                                                {2, "Grade", 2, false, ""},
                                                {3, "Proof", 5, false, ""}};

// The application started on a fresh database, with the collections window one click away.
struct App : GuiApp {
    frmCollections* window = nullptr;

    void open() {
        main->tlbMain_ButtonClick("Collections");
        window = qobject_cast<frmCollections*>(main->toolWindow("frmCollections"));
    }
    // Opens the window on a collection of four fields holding a penny.
    void openOnCoins() {
        addCollection("Coins", FourFields);
        addCollectionItem("Coins", "Penny", {{0, "1909"}, {1, "S"}, {2, "VF"}, {3, "0"}});
        open();
        choose("Coins");
    }
    QListWidget* list() const { return child<QListWidget>(window, "lstCollection"); }
    GridView* grid() const { return child<GridView>(window, "lvwItems"); }
    QLabel* heading() const { return child<QLabel>(window, "hdgGrid"); }
    bool menuOn(const char* name) const { return main->menuItem(name)->isEnabled(); }
    void choose(const QString& collection) const {
        list()->setCurrentItem(list()->findItems(collection, Qt::MatchExactly).value(0));
    }
    // Which of the buttons are enabled, as a string of 0 and 1 in the order of the panel.
    QString buttons() const {
        QString state;
        for (const char* name : {"cmdNewCollection", "cmdEditCollection", "cmdDeleteCollection",
                                 "cmdNew", "cmdEdit", "cmdDelete"})
            state += child<QPushButton>(window, name)->isEnabled() ? '1' : '0';
        return state;
    }
    // Runs the command with this button while `action` answers the window it opens.
    void run(const char* button, const std::function<void(QWidget*)>& action) {
        whenModalShown(action);
        click(window, button);
    }
};

} // namespace

class CollectionsWindowTest : public QObject {
    Q_OBJECT

private slots:
    void gridHasOneColumnPerField() {
        App app;
        addCollection("Coins", FourFields);
        addCollectionItem("Coins", "Penny", {{0, "1909"}, {1, "S"}, {2, "VF"}, {3, "0"}}, "1234.5");
        addCollectionItem("Coins", "Dime", {{0, "1916"}, {1, "D"}, {2, "G"}, {3, "1"}});
        addCollection("Stamps", {{2, "Country", 0, false, ""}});
        addCollectionItem("Stamps", "Penny Black", {{2, "UK"}});
        Settings::setText(SettingKeys::RoundPrices, "1");
        app.open();
        QCOMPARE(app.main->windowTitle(), QString("Qelto Domivo- Collections"));
        QVERIFY(app.list()->selectedItems().isEmpty());
        QVERIFY(!app.heading()->isVisible());

        // A real click on the list, as the user makes it.
        clickEntry(app.list(), "Coins");
        GridView* grid = app.grid();
        QCOMPARE(grid->gridModel()->headers(),
                 (QStringList{"ItemID", "Item Name", "Year", "Mint", "Grade", "Proof", "Price"}));
        QCOMPARE(columnTexts(grid, "Price"), (QStringList{"$1,235", "$0"}));
        QCOMPARE(columnTexts(grid, "Proof"), (QStringList{"False", "True"}));
        // The shares; the last column takes what they leave.
        const int width = grid->viewport()->width();
        QCOMPARE(grid->columnWidth(1), int(width * 0.25));
        for (int column = 2; column <= 5; ++column)
            QCOMPARE(grid->columnWidth(column), int(width * 0.15));
        QCOMPARE(grid->columnWidth(6), width - int(width * 0.25) - 4 * int(width * 0.15));
        const auto alignment = [grid](int column) {
            return grid->model()->index(0, column).data(Qt::TextAlignmentRole).toInt() &
                   Qt::AlignHorizontal_Mask;
        };
        QCOMPARE(alignment(6), int(Qt::AlignRight));
        QCOMPARE(app.heading()->text(), QString("Items in collection 'Coins'"));
        QCOMPARE(app.main->statusText(), QString("There are 2 items for collection 'Coins'"));

        // One field, stored as FieldID 2, takes the whole 60 %; the old price column is now a
        // field and left-aligned.
        app.choose("Stamps");
        QCOMPARE(grid->gridModel()->headers(),
                 (QStringList{"ItemID", "Item Name", "Country", "Price"}));
        QCOMPARE(grid->text(0, 2), QString("UK"));
        QCOMPARE(grid->columnWidth(2), int(grid->viewport()->width() * 0.60));
        QCOMPARE(alignment(2), int(Qt::AlignLeft));
    }

    // Values are shown by their field's kind and sorted by what they stand for.
    void gridShowsValuesByKind() {
        App app;
        addCollection("Wine", {{0, "Bottles", 4, false, ""},
                               {1, "Drink by", 6, false, ""},
                               {2, "Cost", 7, false, ""},
                               {3, "Opened", 5, false, ""}});
        addCollectionItem("Wine", "Rioja", {{0, "10"}, {1, "2031-03-05"}, {2, "12.5"}, {3, "1"}});
        addCollectionItem("Wine", "Tokaji", {{0, "9.5"}, {1, "3/15/2020"}, {2, "$100"}, {3, "0"}});
        addCollectionItem("Wine", "Port", {{0, "100"}, {1, "spring"}, {2, "2"}, {3, ""}});
        app.open();
        app.choose("Wine");
        GridView* grid = app.grid();
        QCOMPARE(columnTexts(grid, "Drink by"), (QStringList{"3/5/2031", "3/15/2020", "spring"}));
        QCOMPARE(columnTexts(grid, "Cost"), (QStringList{"$12.50", "$100.00", "$2.00"}));
        QCOMPARE(columnTexts(grid, "Opened"), (QStringList{"True", "False", ""}));
        const QList<std::pair<QString, QStringList>> sorted = {
            {"Bottles", {"Tokaji", "Rioja", "Port"}},
            {"Drink by", {"Tokaji", "Rioja", "Port"}},
            {"Cost", {"Port", "Rioja", "Tokaji"}},
        };
        for (const auto& [caption, names] : sorted) {
            clickHeader(grid, caption);
            QCOMPARE(columnTexts(grid, "Item Name"), names);
        }
    }

    void itemCommandsFollowTheSelection() {
        App app;
        addCollection("Shells", {{0, "Beach", 0, false, ""}});
        app.openOnCoins();
        QCOMPARE(app.buttons(), QString("111100"));
        QVERIFY(app.menuOn("mnuEdit_New") && app.menuOn("mnuEdit_CopyGrid"));
        QVERIFY(!app.menuOn("mnuEdit_Copy"));
        app.grid()->selectRow(0);
        QCOMPARE(app.buttons(), QString("111111"));
        QVERIFY(app.menuOn("mnuEdit_Edit") && app.menuOn("mnuEdit_Copy"));
        // Another collection: no row is selected there.
        app.choose("Shells");
        QCOMPARE(app.buttons(), QString("111100"));
        QCOMPARE(app.main->statusText(), QString("There are 0 items for collection 'Shells'"));

        // A double click edits the row; closing the editor leaves no row selected.
        app.choose("Coins");
        QString caption;
        whenModalShown([&caption](QWidget* editor) {
            caption = editor->windowTitle();
            click(editor, "cmdClose");
        });
        doubleClickCell(app.grid(), 0, 1);
        QCOMPARE(caption, QString("Edit Item in 'Coins'"));
        QCOMPARE(app.buttons(), QString("111100"));
    }

    void definitionChangesReportOnTheStatusLine() {
        App app;
        app.openOnCoins();
        // Cancelled: nothing is written, the status stays.
        app.run("cmdNewCollection", [](QWidget* define) { click(define, "cmdCancel"); });
        QCOMPARE(app.main->statusText(), QString("There are 1 items for collection 'Coins'"));

        app.run("cmdNewCollection", [](QWidget* define) {
            child<QLineEdit>(define, "txtCollectionNM")->setText("Stamps");
            child<QLineEdit>(define, "txtFieldNM_0")->setText("Country");
            child<QComboBox>(define, "cboFieldTypeCD_0")->setCurrentIndex(0);
            click(define, "cmdOK");
        });
        QCOMPARE(app.main->statusText(), QString("New collection added."));
        QCOMPARE(app.list()->count(), 2);
        // The grid still shows the coins, and New Item still adds to them.
        QCOMPARE(app.buttons(), QString("100100"));
        QCOMPARE(app.grid()->rowCount(), 1);

        // A rename: the status and the grid follow the new name.
        app.choose("Coins");
        app.run("cmdEditCollection", [](QWidget* define) {
            child<QLineEdit>(define, "txtCollectionNM")->setText("Old Coins");
            click(define, "cmdOK");
        });
        QCOMPARE(app.main->statusText(), QString("Collection 'Old Coins' updated."));
        QCOMPARE(app.heading()->text(), QString("Items in collection 'Old Coins'"));
        QString caption;
        app.run("cmdNew", [&caption](QWidget* editor) {
            caption = editor->windowTitle();
            click(editor, "cmdClose");
        });
        QCOMPARE(caption, QString("Add New Item to 'Old Coins'"));

        // Deleting takes exactly YES; then no collection is on display and no item can be added.
        app.choose("Old Coins");
        app.run("cmdDeleteCollection", [](QWidget* confirm) { confirm->close(); });
        QCOMPARE(gData->Collection().Count(), 2);
        app.run("cmdDeleteCollection", [](QWidget* confirm) {
            QTest::keyClicks(child<QLineEdit>(confirm, "txtVerify"), "YES");
            click(confirm, "cmdOK");
        });
        QCOMPARE(app.main->statusText(), QString("Collection 'Old Coins' deleted."));
        QCOMPARE(texts(app.list()), QStringList{"Stamps"});
        QCOMPARE(app.grid()->columnCount(), 0);
        QVERIFY(!app.heading()->isVisible());
        // With no collection on display only a new one can be defined.
        QCOMPARE(app.buttons(), QString("100000"));
        for (const char* name :
             {"mnuEdit_New", "mnuEdit_Edit", "mnuEdit_Delete", "mnuEdit_Copy", "mnuEdit_CopyGrid"})
            QVERIFY2(!app.menuOn(name), name);
    }

    // Collections changed elsewhere: the list is refilled, and the grid follows its collection
    // for as long as that exists.
    void changesMadeElsewhereRefreshTheWindow() {
        App app;
        addCollection("Stamps", {{0, "Country", 0, false, ""}});
        app.openOnCoins();
        addCollectionItem("Coins", "Dime", {{0, "1916"}, {1, "D"}, {2, "G"}, {3, "1"}});
        addCollection("Shells", {{0, "Beach", 0, false, ""}});
        emit DataChanges::instance().collectionsChanged();
        QCOMPARE(texts(app.list()), (QStringList{"Coins", "Shells", "Stamps"}));
        QCOMPARE(columnTexts(app.grid(), "Item Name"), (QStringList{"Penny", "Dime"}));
        gData->Collection().Delete("Coins");
        emit DataChanges::instance().collectionsChanged();
        QCOMPARE(app.grid()->columnCount(), 0);
        QCOMPARE(app.buttons(), QString("100000"));
    }

    void editMenuAndCopyCommandsActHere() {
        App app;
        addCollection("Coins", {{0, "Year", 3, false, ""}});
        addCollectionItem("Coins", "Penny", {{0, "1909"}}, "2");
        addCollectionItem("Coins", "Dime", {{0, "1916"}});
        app.open();
        app.choose("Coins");

        whenModalShown([](QWidget* editor) {
            child<QLineEdit>(editor, "txtItemNM")->setText("Nickel");
            click(editor, "cmdSaveExit");
        });
        app.main->menuItem("mnuEdit_New")->trigger();
        QCOMPARE(app.grid()->rowCount(), 3);

        app.grid()->selectRow(1);
        app.main->menuItem("mnuEdit_Copy")->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("2\tDime\t1916\t$0.00"));
        app.main->toolbarButton("CopyGrid")->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text().count("\r\n"), 3);

        whenModalShown([](QWidget* editor) {
            child<QLineEdit>(editor, "txtItemNM")->setText("Mercury Dime");
            click(editor, "cmdSaveExit");
        });
        app.main->menuItem("mnuEdit_Edit")->trigger();
        QCOMPARE(app.grid()->text(1, 1), QString("Mercury Dime"));
        QVERIFY(!app.menuOn("mnuEdit_Edit"));

        app.grid()->selectRow(0);
        app.prompts.answerMessage(QMessageBox::Yes, "'Penny'");
        app.main->menuItem("mnuEdit_Delete")->trigger();
        QCOMPARE(app.grid()->rowCount(), 2);
    }
};

DOMIVO_GUI_TEST_MAIN(CollectionsWindowTest)
#include "tst_collectionswindow.moc"
