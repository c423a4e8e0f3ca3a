// The collections window: its list and buttons and when they are enabled, the grid of a
// collection's items with one column per field, the status texts after the definition and item
// windows, the Edit menu and copy commands while it is on display, and its layout.

#include "GuiTest.h"

#include "app/Globals.h"
#include "app/Settings.h"
#include "app/frmMain.h"
#include "records/Collection.h"
#include "widgets/GridView.h"
#include "windows/collections/frmCollections.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QPushButton>

namespace {

using Fields = QList<colField::Definition>;

const Fields FourFields = {{0, "Year", 3, true, ""},
                           {1, "Mint", 1, false, "P;D;S"},
                           {2, "Grade", 2, false, ""},
                           {3, "Proof", 5, false, ""}};

// The application started on a fresh database, with the collections window one click away.
struct App {
    GuiTestEnvironment env;
    ScriptedPrompts prompts;
    frmMain main;
    frmCollections* window = nullptr;

    App()
        : main(env.dataFolder()) {
        if (main.MDIForm_Load() != std::nullopt)
            QTest::qFail("start-up failed", __FILE__, __LINE__);
    }
    void open() {
        main.tlbMain_ButtonClick(QStringLiteral("Collections"));
        window = dynamic_cast<frmCollections*>(main.toolWindow(QStringLiteral("frmCollections")));
    }

    static void addCollection(const QString& name, const Fields& fields) {
        gData->Collection().AddWithFields(name, QString(), fields);
    }
    static qint64 addItem(const QString& collection, const QString& name, const QString& price,
                          const colItem::Values& values) {
        return gData->Collection().Item().AddWithValues(collection, name, price, "", "", "",
                                                        values);
    }

    QListWidget* list() const { return child<QListWidget>(window, "lstCollection"); }
    GridView* grid() const { return child<GridView>(window, "lvwItems"); }
    QPushButton* button(const char* name) const {
        return child<QPushButton>(window, QLatin1String(name));
    }
    bool menuEnabled(const char* name) const {
        return main.menuItem(QLatin1String(name))->isEnabled();
    }
    void choose(const QString& collection) const {
        list()->setCurrentItem(list()->findItems(collection, Qt::MatchExactly).value(0));
    }
    // Which of the buttons are enabled, as a string of 0 and 1 in the order of the panel.
    QString buttons() const {
        QString state;
        for (const char* name : {"cmdNewCollection", "cmdEditCollection", "cmdDeleteCollection",
                                 "cmdNew", "cmdEdit", "cmdDelete"})
            state += button(name)->isEnabled() ? '1' : '0';
        return state;
    }
};

// A double click as the window system delivers it: press, release, double click, release.
void doubleClick(QWidget* widget, const QPoint& at) {
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                    QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, at, widget->mapToGlobal(at), Qt::LeftButton, held, {});
        QApplication::sendEvent(widget, &event);
    }
}

} // namespace

class CollectionsWindowTest : public QObject {
    Q_OBJECT

private slots:
    void loadsAndUnloadsWithTheMainWindowsCommands();
    void gridHasOneColumnPerField();
    void itemCommandsFollowTheSelection();
    void definitionChangesReportOnTheStatusLine();
    void deletingACollectionClearsTheGrid();
    void editMenuAndCopyCommandsActHere();
    void engineErrorEndsOnlyTheCommand();
    void layoutFollowsTheWindowSize();
};

void CollectionsWindowTest::loadsAndUnloadsWithTheMainWindowsCommands() {
    App app;
    QAction* moveLocation = app.main.menuItem("mnuEdit_MoveLocation");
    QVERIFY(moveLocation->isVisible());
    app.main.setMenuItemEnabled("mnuEdit_New", true);
    app.open();
    QVERIFY(app.window);

    QCOMPARE(gCurrentWindow, QStringLiteral("frmCollections"));
    QCOMPARE(app.main.windowTitle(), QStringLiteral("Qelto Domivo- Collections"));
    QVERIFY(!moveLocation->isVisible());
    QCOMPARE(child<QLabel>(app.window, "hdgCollection")->text(),
             QStringLiteral("Select Collection:"));
    // With no collections only a new one can be defined.
    QCOMPARE(app.list()->count(), 0);
    QCOMPARE(app.buttons(), QStringLiteral("100000"));
    for (const char* name :
         {"mnuEdit_New", "mnuEdit_Edit", "mnuEdit_Delete", "mnuEdit_Copy", "mnuEdit_CopyGrid"})
        QVERIFY2(!app.menuEnabled(name), name);
    QVERIFY(!app.main.toolbarButton("CopyItem")->isEnabled());
    QVERIFY(!app.main.toolbarButton("CopyGrid")->isEnabled());

    app.main.CloseToolWindows();
    QVERIFY(moveLocation->isVisible());
    QCOMPARE(gCurrentWindow, QString());
    QCOMPARE(app.main.windowTitle(), QStringLiteral("Qelto Domivo"));
}

void CollectionsWindowTest::gridHasOneColumnPerField() {
    App app;
    App::addCollection("Coins", FourFields);
    App::addItem("Coins", "Penny", "1234.5", {{0, "1909"}, {1, "S"}, {2, "VF"}, {3, "0"}});
    App::addItem("Coins", "Dime", "", {{0, "1916"}, {1, "D"}, {2, "G"}, {3, "1"}});
    App::addCollection("Stamps", {{2, "Country", 0, false, ""}});
    App::addItem("Stamps", "Penny Black", "", {{2, "UK"}});
    Settings::setText(SettingKeys::RoundPrices, "1");
    app.open();
    QCOMPARE(app.list()->count(), 2);
    QVERIFY(app.list()->selectedItems().isEmpty());
    QVERIFY(!child<QLabel>(app.window, "hdgGrid")->isVisible());

    // A real click on the list, as the user makes it.
    QListWidgetItem* coins = app.list()->item(0);
    QTest::mouseClick(app.list()->viewport(), Qt::LeftButton, {},
                      app.list()->visualItemRect(coins).center());
    GridView* grid = app.grid();
    QCOMPARE(grid->gridModel()->headers(),
             (QStringList{"ItemID", "Item Name", "Year", "Mint", "Grade", "Proof", "Price"}));
    QCOMPARE(grid->rowCount(), 2);
    QCOMPARE(grid->text(0, 6), QStringLiteral("$1,235"));
    QVERIFY(grid->isColumnHidden(0));
    const int width = grid->viewport()->width();
    QCOMPARE(grid->columnWidth(1), int(width * 0.25));
    for (int column = 2; column <= 5; ++column)
        QCOMPARE(grid->columnWidth(column), int(width * 0.15));
    QCOMPARE(grid->columnWidth(6), int(width * 0.10));
    const auto alignment = [grid](int column) {
        return grid->model()->index(0, column).data(Qt::TextAlignmentRole).toInt() &
               Qt::AlignHorizontal_Mask;
    };
    QCOMPARE(alignment(6), int(Qt::AlignRight));
    QCOMPARE(child<QLabel>(app.window, "hdgGrid")->text(),
             QStringLiteral("Items in collection 'Coins'"));
    QVERIFY(child<QLabel>(app.window, "hdgGrid")->isVisible());
    QCOMPARE(app.main.statusText(), QStringLiteral("There are 2 items for collection 'Coins'"));

    // One field, stored as FieldID 2, takes the whole 60 %; the old price column is now a
    // field and left-aligned.
    app.choose("Stamps");
    QCOMPARE(grid->gridModel()->headers(),
             (QStringList{"ItemID", "Item Name", "Country", "Price"}));
    QCOMPARE(grid->text(0, 2), QStringLiteral("UK"));
    QCOMPARE(grid->columnWidth(2), int(grid->viewport()->width() * 0.60));
    QCOMPARE(alignment(2), int(Qt::AlignLeft));
    QCOMPARE(alignment(3), int(Qt::AlignRight));

    // A header click sorts; a second click on it reverses.
    app.choose("Coins");
    QHeaderView* header = grid->header();
    const QPoint year(header->sectionViewportPosition(2) + 5, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, year);
    QCOMPARE(grid->text(0, 1), QStringLiteral("Penny"));
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, year);
    QCOMPARE(grid->sortOrder(), Qt::DescendingOrder);
    QCOMPARE(grid->text(0, 1), QStringLiteral("Dime"));
}

void CollectionsWindowTest::itemCommandsFollowTheSelection() {
    App app;
    App::addCollection("Coins", FourFields);
    App::addItem("Coins", "Penny", "", {{0, "1909"}, {1, "S"}, {2, "VF"}, {3, "0"}});
    App::addCollection("Shells", {{0, "Beach", 0, false, ""}});
    app.open();
    app.choose("Coins");
    QCOMPARE(app.buttons(), QStringLiteral("111100"));
    QVERIFY(app.menuEnabled("mnuEdit_New"));
    QVERIFY(app.menuEnabled("mnuEdit_CopyGrid"));
    QVERIFY(!app.menuEnabled("mnuEdit_Copy"));

    app.grid()->selectRow(0);
    QCOMPARE(app.buttons(), QStringLiteral("111111"));
    for (const char* name : {"mnuEdit_Edit", "mnuEdit_Delete", "mnuEdit_Copy"})
        QVERIFY2(app.menuEnabled(name), name);
    QVERIFY(app.main.toolbarButton("CopyItem")->isEnabled());

    // Another collection: no row is selected there.
    app.choose("Shells");
    QCOMPARE(app.buttons(), QStringLiteral("111100"));
    QVERIFY(!app.menuEnabled("mnuEdit_Edit"));
    QCOMPARE(app.main.statusText(), QStringLiteral("There are 0 items for collection 'Shells'"));

    // A double click edits the row; closing the editor changes nothing and leaves no row
    // selected.
    app.choose("Coins");
    GridView* grid = app.grid();
    QString caption;
    whenModalShown([&caption](QWidget* editor) {
        caption = editor->windowTitle();
        child<QPushButton>(editor, "cmdClose")->click();
    });
    const QRect row = grid->visualRect(grid->model()->index(0, 1));
    doubleClick(grid->viewport(), row.center());
    QCOMPARE(caption, QStringLiteral("Edit Item in 'Coins'"));
    QCOMPARE(grid->selectedRow(), -1);
    QCOMPARE(app.buttons(), QStringLiteral("111100"));

    // Deleting asks first; No keeps the item.
    grid->selectRow(0);
    app.prompts.answerMessage(QMessageBox::No);
    app.button("cmdDelete")->click();
    const auto& box = app.prompts.boxes().last();
    QCOMPARE(box.text, QStringLiteral("Are you sure you want to delete item 'Penny'?"));
    QCOMPARE(box.title, QStringLiteral("Delete Item"));
    QCOMPARE(box.icon, QMessageBox::Question);
    QCOMPARE(box.buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(grid->rowCount(), 1);
    QVERIFY(!app.button("cmdDelete")->isEnabled());
    grid->selectRow(0);
    app.prompts.answerMessage(QMessageBox::Yes);
    app.button("cmdDelete")->click();
    QCOMPARE(grid->rowCount(), 0);
    QCOMPARE(gData->Collection().Item().Count("Coins"), 0);
}

void CollectionsWindowTest::definitionChangesReportOnTheStatusLine() {
    App app;
    App::addCollection("Coins", FourFields);
    App::addItem("Coins", "Penny", "", {{0, "1909"}, {1, "S"}, {2, "VF"}, {3, "0"}});
    app.open();
    app.choose("Coins");

    // Cancelled: nothing is written, the status stays.
    whenModalShown([](QWidget* define) { child<QPushButton>(define, "cmdCancel")->click(); });
    app.button("cmdNewCollection")->click();
    QCOMPARE(app.main.statusText(), QStringLiteral("There are 1 items for collection 'Coins'"));

    whenModalShown([](QWidget* define) {
        child<QLineEdit>(define, "txtCollectionNM")->setText("Stamps");
        child<QLineEdit>(define, "txtFieldNM_0")->setText("Country");
        child<QComboBox>(define, "cboFieldTypeCD_0")->setCurrentIndex(0);
        child<QPushButton>(define, "cmdOK")->click();
    });
    app.button("cmdNewCollection")->click();
    QCOMPARE(app.main.statusText(), QStringLiteral("New collection added."));
    QCOMPARE(app.list()->count(), 2);
    QVERIFY(app.list()->selectedItems().isEmpty());
    // The grid still shows the coins, and New Item still adds to them.
    QCOMPARE(app.buttons(), QStringLiteral("100100"));
    QCOMPARE(app.grid()->rowCount(), 1);

    // A rename: the status names the collection as it was opened; the grid follows the rename.
    app.choose("Coins");
    whenModalShown([](QWidget* define) {
        child<QLineEdit>(define, "txtCollectionNM")->setText("Old Coins");
        child<QPushButton>(define, "cmdOK")->click();
    });
    app.button("cmdEditCollection")->click();
    QCOMPARE(app.main.statusText(), QStringLiteral("Collection 'Coins' updated."));
    QCOMPARE(app.list()->item(0)->text(), QStringLiteral("Old Coins"));
    QCOMPARE(child<QLabel>(app.window, "hdgGrid")->text(),
             QStringLiteral("Items in collection 'Old Coins'"));
    QCOMPARE(app.grid()->rowCount(), 1);
    QString caption;
    whenModalShown([&caption](QWidget* editor) {
        caption = editor->windowTitle();
        child<QPushButton>(editor, "cmdClose")->click();
    });
    app.button("cmdNew")->click();
    QCOMPARE(caption, QStringLiteral("Add New Item to 'Old Coins'"));
}

void CollectionsWindowTest::deletingACollectionClearsTheGrid() {
    App app;
    App::addCollection("Coins", FourFields);
    App::addItem("Coins", "Penny", "", {{0, "1909"}, {1, "S"}, {2, "VF"}, {3, "0"}});
    App::addCollection("Stamps", {{0, "Country", 0, false, ""}});
    app.open();
    app.choose("Coins");

    whenModalShown([](QWidget* confirm) { confirm->close(); });
    app.button("cmdDeleteCollection")->click();
    QCOMPARE(gData->Collection().Count(), 2);
    QCOMPARE(app.grid()->rowCount(), 1);

    whenModalShown([](QWidget* confirm) {
        QTest::keyClicks(child<QLineEdit>(confirm, "txtVerify"), "YES");
        child<QPushButton>(confirm, "cmdOK")->click();
    });
    app.button("cmdDeleteCollection")->click();
    QCOMPARE(app.main.statusText(), QStringLiteral("Collection 'Coins' deleted."));
    QCOMPARE(app.list()->count(), 1);
    QCOMPARE(app.grid()->columnCount(), 0);
    QVERIFY(!child<QLabel>(app.window, "hdgGrid")->isVisible());
    // No collection on display: no item can be added until one is chosen.
    QCOMPARE(app.buttons(), QStringLiteral("100000"));
    QVERIFY(!app.menuEnabled("mnuEdit_New"));
    QVERIFY(!app.menuEnabled("mnuEdit_CopyGrid"));
    QCOMPARE(gData->Collection().Item().Count("Coins"), 0);
}

void CollectionsWindowTest::editMenuAndCopyCommandsActHere() {
    App app;
    App::addCollection("Coins", {{0, "Year", 3, false, ""}});
    App::addItem("Coins", "Penny", "2", {{0, "1909"}});
    App::addItem("Coins", "Dime", "", {{0, "1916"}});
    app.open();
    app.choose("Coins");

    QString caption;
    whenModalShown([&caption](QWidget* editor) {
        caption = editor->windowTitle();
        child<QLineEdit>(editor, "txtItemNM")->setText("Nickel");
        child<QPushButton>(editor, "cmdSaveExit")->click();
    });
    app.main.menuItem("mnuEdit_New")->trigger();
    QCOMPARE(caption, QStringLiteral("Add New Item to 'Coins'"));
    QCOMPARE(app.grid()->rowCount(), 3);

    app.grid()->selectRow(1);
    app.main.menuItem("mnuEdit_Copy")->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("2\tDime\t1916\t$0.00"));
    app.main.toolbarButton("CopyGrid")->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text().count("\r\n"), 3);

    whenModalShown([](QWidget* editor) {
        QCOMPARE(child<QLineEdit>(editor, "txtItemNM")->text(), QStringLiteral("Dime"));
        child<QLineEdit>(editor, "txtItemNM")->setText("Mercury Dime");
        child<QPushButton>(editor, "cmdSaveExit")->click();
    });
    app.main.menuItem("mnuEdit_Edit")->trigger();
    QCOMPARE(app.grid()->text(1, 1), QStringLiteral("Mercury Dime"));
    QVERIFY(!app.menuEnabled("mnuEdit_Edit"));

    app.grid()->selectRow(0);
    app.prompts.answerMessage(QMessageBox::Yes, "'Penny'");
    app.main.menuItem("mnuEdit_Delete")->trigger();
    QCOMPARE(app.grid()->rowCount(), 2);
}

void CollectionsWindowTest::engineErrorEndsOnlyTheCommand() {
    App app;
    App::addCollection("Coins", {{0, "Year", 3, false, ""}});
    App::addItem("Coins", "Penny", "", {{0, "1909"}});
    runSqlite(app.env.databaseFile(), "CREATE TRIGGER keep BEFORE DELETE ON tblCollectionItem "
                                      "BEGIN SELECT RAISE(ABORT, 'items are kept'); END;");
    app.open();
    app.choose("Coins");
    app.grid()->selectRow(0);
    app.prompts.answerMessage(QMessageBox::Yes);
    app.prompts.answerMessage(QMessageBox::Ok, "items are kept");
    app.button("cmdDelete")->click();
    QCOMPARE(app.prompts.boxes().last().icon, QMessageBox::Critical);
    QCOMPARE(app.grid()->rowCount(), 1);
    QCOMPARE(app.buttons(), QStringLiteral("111100"));
}

void CollectionsWindowTest::layoutFollowsTheWindowSize() {
    App app;
    app.open();
    for (const QSize size : {QSize(900, 640), QSize(1300, 900), QSize(640, 480)}) {
        app.main.resize(size);
        QTRY_COMPARE(app.window->size(), app.main.mdiArea()->viewport()->size());
        const int width = app.window->width();
        const QWidget* panel = child<QWidget>(app.window, "picToolbar");
        QCOMPARE(panel->width(), width / 4);
        QCOMPARE(panel->height(), app.window->height());
        const QRect list = app.list()->geometry();
        QCOMPARE(list.width(), panel->width() - 24);
        const QRect grid = app.grid()->geometry();
        QCOMPARE(grid.left(), panel->width() + 8);
        QCOMPARE(grid.top(), list.top());
        QCOMPARE(grid.right(), width - 8 - 1);
        QCOMPARE(grid.bottom(), app.window->height() - 8 - 1);
        // The buttons stand flush with the list's right edge, below it, in the panel.
        const QRect remove = app.button("cmdDelete")->geometry();
        QCOMPARE(remove.right(), list.right());
        QCOMPARE(remove.bottom(), panel->height() - 16 - 1);
        QCOMPARE(app.button("cmdNew")->geometry().bottom() + 8 + 1,
                 app.button("cmdEdit")->geometry().top());
        const QRect newCollection = app.button("cmdNewCollection")->geometry();
        QCOMPARE(app.button("cmdDeleteCollection")->geometry().right(), list.right());
        QVERIFY(newCollection.left() >= list.left());
        QCOMPARE(list.bottom() + 8 + 1, newCollection.top());
        QCOMPARE(newCollection.bottom() + 24 + 1, app.button("cmdNew")->geometry().top());
    }
}

DOMIVO_GUI_TEST_MAIN(CollectionsWindowTest)
#include "tst_collectionswindow.moc"
