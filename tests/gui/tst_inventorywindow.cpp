// The Home Inventory window in the running main window: views and values, the grid with its
// columns, heading and status, the enabling of commands, New/Edit/Delete from the Edit menu,
// sorting, the layout, unloading, and the refresh after list maintenance and moving items.

#include "GuiTest.h"

#include "app/Globals.h"
#include "app/Settings.h"
#include "app/frmMain.h"
#include "widgets/GridView.h"
#include "windows/inventory/frmInventory.h"

#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QPushButton>
#include <QTimer>

namespace {

// The application started on a database with three items.
struct App {
    GuiTestEnvironment env;
    ScriptedPrompts prompts;
    std::unique_ptr<frmMain> window;

    explicit App(int viewBy = -1) {
        {
            dvData seed;
            seed.setPath(env.databaseFile());
            const invItem& items = seed.Inventory().Item();
            items.Add({.ManufacturerNM = "Acme",
                       .ItemNM = "Anvil",
                       .ModelSeriesTX = "A1",
                       .PurchaseDT = QDate(2023, 5, 2),
                       .PurchasePriceAM = "1234.5",
                       .TypeTX = "Tools",
                       .LocationTX = "Garage"});
            items.Add({.ManufacturerNM = "O'Neil",
                       .ItemNM = "Wetsuit",
                       .PurchaseDT = QDate(2024, 3, 15),
                       .PurchasePriceAM = "199.99",
                       .TypeTX = "Sports Equipment",
                       .LocationTX = "Garage"});
            items.Add({.ManufacturerNM = "Zenith",
                       .ItemNM = "Radio",
                       .PurchasePriceAM = "45",
                       .TypeTX = "Electronics",
                       .LocationTX = "Kitchen"});
        }
        if (viewBy >= 0)
            Settings::setInteger(SettingKeys::ViewBy, viewBy);
        window = std::make_unique<frmMain>(env.dataFolder());
        if (window->MDIForm_Load() != std::nullopt)
            qFatal("the application did not start");
        window->resize(1000, 700);
        QCoreApplication::processEvents();
    }
    const invItem& items() const { return gData->Inventory().Item(); }
    frmInventory* inventory() const {
        return qobject_cast<frmInventory*>(window->toolWindow(QStringLiteral("frmInventory")));
    }
    template <class T = QWidget> T* control(const char* name) const {
        T* widget = child<T>(inventory(), QLatin1String(name));
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }
    GridView* grid() const { return control<GridView>("lvwItems"); }
    QListWidget* values() const { return control<QListWidget>("lstViewValues"); }
    QComboBox* viewBy() const { return control<QComboBox>("cboViewBy"); }
    QString heading() const { return control<QLabel>("hdgGrid")->text(); }
    bool menuOn(const char* name) const { return window->menuItem(name)->isEnabled(); }
    bool buttonOn(const char* key) const { return window->toolbarButton(key)->isEnabled(); }

    QStringList valueTexts() const {
        QStringList texts;
        for (int row = 0; row < values()->count(); ++row)
            texts << values()->item(row)->text();
        return texts;
    }
    QString currentValue() const {
        return values()->currentItem() ? values()->currentItem()->text() : QString();
    }
    void chooseValue(const QString& text) {
        const auto found = values()->findItems(text, Qt::MatchExactly);
        QVERIFY2(!found.isEmpty(), qPrintable(text));
        QTest::mouseClick(values()->viewport(), Qt::LeftButton, {},
                          values()->visualItemRect(found.first()).center());
    }
    // The texts of one grid column, top to bottom.
    QStringList column(const QString& caption) const {
        QStringList texts;
        const int index = grid()->columnIndex(caption);
        for (int row = 0; row < grid()->rowCount(); ++row)
            texts << grid()->text(row, index);
        return texts;
    }
    void selectItem(const QString& item) {
        grid()->selectRow(int(column(QStringLiteral("Item")).indexOf(item)));
    }
    void clickHeader(const QString& caption) {
        QHeaderView* header = grid()->header();
        const int section = grid()->columnIndex(caption);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(section) + 5, 5));
    }
};

// Fills the item editor on display and stores the item.
void editAndSave(QWidget* dialog, const QString& itemName, const QString& type = {},
                 const QString& location = {}) {
    dialog->findChild<QLineEdit*>(QStringLiteral("txtItemNM"))->setText(itemName);
    const auto choose = [dialog](const char* name, const QString& text) {
        if (text.isEmpty())
            return;
        auto* combo = dialog->findChild<QComboBox*>(QLatin1String(name));
        combo->setCurrentIndex(combo->findText(text));
    };
    choose("cboTypeTX", type);
    choose("cboLocationTX", location);
    dialog->findChild<QPushButton*>(QStringLiteral("cmdSaveExit"))->click();
}

// A person's double click: a click, then the second press that the system reports as double.
void doubleClick(GridView* grid, const QPoint& position) {
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, position);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, position);
}

void clickButton(QWidget* dialog, const char* name) {
    dialog->findChild<QPushButton*>(QLatin1String(name))->click();
}

} // namespace

class InventoryWindowTest : public QObject {
    Q_OBJECT

private slots:
    void startShowsEveryItem();
    void viewsFilterTheItems_data();
    void viewsFilterTheItems();
    void valueWithoutItemsShowsThePlaceholder();
    void headersSortTheGrid();
    void newEditAndDeleteFromTheEditMenu();
    void editKeepsTheValueShown();
    void listMaintenanceAndMovingRefreshTheWindow();
    void layoutFollowsTheWindowSize();
    void unloadGivesBackTheMainWindow();
    void engineErrorIsShownAndTheWindowGoesOn();
};

void InventoryWindowTest::startShowsEveryItem() {
    App app;
    QVERIFY(app.inventory());
    QVERIFY(app.inventory()->isVisible());
    QCOMPARE(gCurrentWindow, QStringLiteral("frmInventory"));
    QCOMPARE(app.window->windowTitle(), QStringLiteral("Qelto Domivo- Home Inventory"));
    QCOMPARE(app.control<QLabel>("lblViewDataBy")->text(),
             QStringLiteral("View Inventory Items By:"));

    QStringList views;
    for (int index = 0; index < app.viewBy()->count(); ++index)
        views << app.viewBy()->itemText(index);
    QCOMPARE(views, (QStringList{"Item Type", "Location", "Manufacturer", "Purchase Date"}));
    QCOMPARE(app.viewBy()->currentIndex(), 0);
    QCOMPARE(Settings::text(SettingKeys::ViewBy), QStringLiteral("0"));
    QCOMPARE(app.valueTexts(),
             (QStringList{"*** All ***", "Electronics", "Sports Equipment", "Tools"}));
    QCOMPARE(app.values()->currentRow(), 0);

    GridView* grid = app.grid();
    QCOMPARE(grid->gridModel()->headers(),
             (QStringList{"ItemID", "Manufacturer", "Item", "Model", "Price", "Type", "Location"}));
    QVERIFY(grid->isColumnHidden(0));
    QCOMPARE(app.column("Item"), (QStringList{"Anvil", "Wetsuit", "Radio"}));
    QCOMPARE(app.column("Price"), (QStringList{"$1,234.50", "$199.99", "$45.00"}));
    QCOMPARE(grid->sortKey(), 1);
    const QModelIndex price = grid->gridModel()->index(0, 4);
    QCOMPARE(Qt::Alignment(grid->gridModel()->data(price, Qt::TextAlignmentRole).toInt()) &
                 Qt::AlignHorizontal_Mask,
             Qt::AlignRight);
    const double width = grid->viewport()->width();
    const double shares[] = {0, 0.17, 0.23, 0.15, 0.10, 0.15, 0.15};
    for (int column = 1; column < 7; ++column)
        QVERIFY2(qAbs(grid->columnWidth(column) - width * shares[column]) <= 1,
                 qPrintable(QString::number(column)));
    QCOMPARE(app.heading(), QStringLiteral("Items where Item Type is '*** All ***'"));
    QCOMPARE(app.window->statusText(),
             QStringLiteral("There are 3 items for Item Type '*** All ***'"));

    QVERIFY(app.menuOn("mnuEdit_New"));
    QVERIFY(app.menuOn("mnuEdit_MoveLocation"));
    QVERIFY(app.buttonOn("MoveLocation"));
    QVERIFY(app.menuOn("mnuEdit_CopyGrid"));
    QVERIFY(app.buttonOn("CopyGrid"));
    QVERIFY(!app.menuOn("mnuEdit_Copy"));
    QVERIFY(!app.buttonOn("CopyItem"));
    QVERIFY(!app.menuOn("mnuEdit_Edit"));
    QVERIFY(!app.control("cmdEdit")->isEnabled());
    QVERIFY(!app.control("cmdDelete")->isEnabled());

    app.selectItem("Radio");
    QVERIFY(app.control("cmdEdit")->isEnabled());
    QVERIFY(app.control("cmdDelete")->isEnabled());
    for (const char* name : {"mnuEdit_Edit", "mnuEdit_Delete", "mnuEdit_Copy"})
        QVERIFY2(app.menuOn(name), name);
    QVERIFY(app.buttonOn("CopyItem"));
}

void InventoryWindowTest::viewsFilterTheItems_data() {
    QTest::addColumn<int>("view");
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("location") << 1 << QStringList{"*** All ***", "Garage", "Kitchen"} << "Kitchen"
                              << QStringList{"Radio"};
    QTest::newRow("manufacturer") << 2 << QStringList{"*** All ***", "Acme", "O'Neil", "Zenith"}
                                  << "O'Neil" << QStringList{"Wetsuit"};
    // Items without a purchase date are only among all items.
    QTest::newRow("purchase date") << 3 << QStringList{"*** All ***", "5/2/2023", "3/15/2024"}
                                   << "5/2/2023" << QStringList{"Anvil"};
}

void InventoryWindowTest::viewsFilterTheItems() {
    QFETCH(int, view);
    QFETCH(QStringList, values);
    QFETCH(QString, value);
    QFETCH(QStringList, items);
    App app(view);
    const QString viewText = app.viewBy()->currentText();
    QCOMPARE(app.viewBy()->currentIndex(), view);
    QCOMPARE(app.valueTexts(), values);

    app.chooseValue(value);
    QCOMPARE(app.column("Item"), items);
    QCOMPARE(app.heading(), QStringLiteral("Items where %1 is '%2'").arg(viewText, value));
    QCOMPARE(
        app.window->statusText(),
        QStringLiteral("There are %1 items for %2 '%3'").arg(items.size()).arg(viewText, value));

    // Prices follow the round-prices option at the next fill.
    Settings::setText(SettingKeys::RoundPrices, "1");
    app.chooseValue("*** All ***");
    QCOMPARE(app.column("Price").first(), QStringLiteral("$1,235"));

    // Another view is remembered for the next start.
    app.viewBy()->setCurrentIndex(0);
    QCOMPARE(Settings::text(SettingKeys::ViewBy), QStringLiteral("0"));
    QCOMPARE(app.valueTexts().size(), 4);
    QCOMPARE(app.values()->currentRow(), 0);
}

void InventoryWindowTest::valueWithoutItemsShowsThePlaceholder() {
    App app(1);
    // The radio goes while the list still offers its kitchen.
    const qint64 radio = app.items().List("Kitchen", "").value(0, "ItemID").toLongLong();
    app.items().Delete(radio);
    app.chooseValue("Kitchen");

    QCOMPARE(app.grid()->rowCount(), 1);
    QCOMPARE(app.column("Item"), QStringList{"No items found"});
    QCOMPARE(app.window->statusText(), QStringLiteral("There are 1 items for Location 'Kitchen'"));
    app.grid()->selectRow(0);
    QVERIFY(!app.control("cmdEdit")->isEnabled());
    QVERIFY(!app.menuOn("mnuEdit_Delete"));

    // Edit, Delete and a double click pass over the placeholder: no question, no editor.
    QObject guard;
    bool editorShown = false;
    QTimer::singleShot(1000, &guard, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            editorShown = true;
            modal->close();
        }
    });
    app.window->runMenuCommand("mnuEdit_Edit");
    app.window->runMenuCommand("mnuEdit_Delete");
    const QRect cell = app.grid()->visualRect(app.grid()->gridModel()->index(0, 2));
    doubleClick(app.grid(), cell.center());
    QVERIFY(!editorShown);
    QVERIFY(app.prompts.boxes().isEmpty());

    // Without any items the list holds only "*** All ***", with nothing selected.
    for (const QVariant& id : app.items().List("", "").columnValues("ItemID"))
        app.items().Delete(id.toLongLong());
    app.inventory()->lstViewValues_Populate();
    QCOMPARE(app.valueTexts(), QStringList{"*** All ***"});
    QCOMPARE(app.values()->currentRow(), -1);
}

void InventoryWindowTest::headersSortTheGrid() {
    App app;
    app.clickHeader("Item");
    QCOMPARE(app.grid()->sortKey(), 2);
    QCOMPARE(app.column("Item"), (QStringList{"Anvil", "Radio", "Wetsuit"}));
    app.clickHeader("Item");
    QCOMPARE(app.column("Item"), (QStringList{"Wetsuit", "Radio", "Anvil"}));
    // Another column keeps the order ...
    app.clickHeader("Manufacturer");
    QCOMPARE(app.column("Manufacturer"), (QStringList{"Zenith", "O'Neil", "Acme"}));
    // ... and the same one again reverses it.
    app.clickHeader("Manufacturer");
    QCOMPARE(app.column("Manufacturer"), (QStringList{"Acme", "O'Neil", "Zenith"}));
    // Prices sort by amount, not by text.
    app.clickHeader("Price");
    QCOMPARE(app.column("Price"), (QStringList{"$45.00", "$199.99", "$1,234.50"}));
}

void InventoryWindowTest::newEditAndDeleteFromTheEditMenu() {
    App app;
    app.chooseValue("Tools");

    QString caption;
    whenModalShown([&](QWidget* dialog) {
        caption = dialog->windowTitle();
        editAndSave(dialog, "Lamp", "Furniture", "Kitchen");
    });
    app.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(app.window.get()));
    QTest::keyClick(app.window.get(), Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(caption, QStringLiteral("Add New Inventory Item"));
    // After adding, all items are shown, the new value among the values.
    QCOMPARE(app.currentValue(), QStringLiteral("*** All ***"));
    QVERIFY(app.valueTexts().contains("Furniture"));
    QCOMPARE(app.column("Item").size(), 4);

    // Double click opens the item; Close changes nothing.
    app.selectItem("Radio");
    whenModalShown([&](QWidget* dialog) {
        caption = dialog->windowTitle();
        clickButton(dialog, "cmdClose");
    });
    const int radioRow = int(app.column("Item").indexOf("Radio"));
    const QRect cell = app.grid()->visualRect(app.grid()->gridModel()->index(radioRow, 2));
    doubleClick(app.grid(), cell.center());
    QCOMPARE(caption, QStringLiteral("Edit Inventory Item"));
    QCOMPARE(app.column("Item").size(), 4);
    QVERIFY(!app.control("cmdEdit")->isEnabled());

    app.selectItem("Radio");
    app.prompts.answerMessage(QMessageBox::No);
    app.window->menuItem("mnuEdit_Delete")->trigger();
    QCOMPARE(app.column("Item").size(), 4);
    QVERIFY(!app.menuOn("mnuEdit_Delete"));

    app.chooseValue("Electronics");
    app.selectItem("Radio");
    app.prompts.answerMessage(QMessageBox::Yes);
    app.window->menuItem("mnuEdit_Delete")->trigger();
    const ScriptedPrompts::Box& box = app.prompts.boxes().last();
    QCOMPARE(box.text, QStringLiteral("Are you sure you want to delete item 'Radio'?"));
    QCOMPARE(box.title, QStringLiteral("Delete Item"));
    QCOMPARE(box.icon, QMessageBox::Question);
    QCOMPARE(app.items().Count("", ""), 3);
    QVERIFY(!app.valueTexts().contains("Electronics"));
    QCOMPARE(app.currentValue(), QStringLiteral("*** All ***"));
    // Without a manufacturer the lamp comes first.
    QCOMPARE(app.column("Item"), (QStringList{"Lamp", "Anvil", "Wetsuit"}));
}

void InventoryWindowTest::editKeepsTheValueShown() {
    App app;
    app.chooseValue("Sports Equipment");
    app.selectItem("Wetsuit");
    whenModalShown([](QWidget* dialog) { editAndSave(dialog, "Dry suit"); });
    app.control<QPushButton>("cmdEdit")->click();
    QCOMPARE(app.values()->currentRow(), 2);
    QCOMPARE(app.currentValue(), QStringLiteral("Sports Equipment"));
    QCOMPARE(app.column("Item"), QStringList{"Dry suit"});
    QVERIFY(!app.control("cmdEdit")->isEnabled());
    QVERIFY(!app.menuOn("mnuEdit_Edit"));

    // An edit that takes the value out of the list shows all items, not whichever value now
    // stands at the same place.
    app.chooseValue("Tools");
    app.selectItem("Anvil");
    whenModalShown([](QWidget* dialog) { editAndSave(dialog, "Anvil", "Appliances"); });
    app.window->menuItem("mnuEdit_Edit")->trigger();
    QCOMPARE(app.valueTexts(),
             (QStringList{"*** All ***", "Appliances", "Electronics", "Sports Equipment"}));
    QCOMPARE(app.currentValue(), QStringLiteral("*** All ***"));
    QCOMPARE(app.column("Item").size(), 3);
}

void InventoryWindowTest::listMaintenanceAndMovingRefreshTheWindow() {
    App app(1);
    // Renaming a location shows the new name in the location view.
    app.prompts.answerInput(QStringLiteral("Workshop"));
    whenModalShown([](QWidget* dialog) {
        auto* entries = dialog->findChild<QListWidget*>(QStringLiteral("lstEntries"));
        entries->setCurrentItem(entries->findItems("Garage", Qt::MatchExactly).first());
        clickButton(dialog, "cmdEdit");
        clickButton(dialog, "cmdClose");
    });
    app.window->menuItem("mnuEdit_Locations")->trigger();
    QCOMPARE(app.valueTexts(), (QStringList{"*** All ***", "Kitchen", "Workshop"}));
    QCOMPARE(app.column("Location"), (QStringList{"Workshop", "Workshop", "Kitchen"}));

    // A renamed type shows in the rows of the location view too.
    app.chooseValue("Kitchen");
    app.prompts.answerInput(QStringLiteral("Audio"));
    whenModalShown([](QWidget* dialog) {
        auto* entries = dialog->findChild<QListWidget*>(QStringLiteral("lstEntries"));
        entries->setCurrentItem(entries->findItems("Electronics", Qt::MatchExactly).first());
        clickButton(dialog, "cmdEdit");
        clickButton(dialog, "cmdClose");
    });
    app.window->menuItem("mnuEdit_ItemTypes")->trigger();
    QCOMPARE(app.currentValue(), QStringLiteral("Kitchen"));
    QCOMPARE(app.column("Type"), QStringList{"Audio"});

    // Moving every item out of the kitchen takes the kitchen out of the view.
    whenModalShown([](QWidget* dialog) {
        auto* from = dialog->findChild<QComboBox*>(QStringLiteral("cboMoveFrom"));
        from->setCurrentIndex(from->findText("Kitchen"));
        clickButton(dialog, "cmdSelectAll");
        auto* to = dialog->findChild<QComboBox*>(QStringLiteral("cboMoveTo"));
        to->setCurrentIndex(to->findText("Attic"));
        clickButton(dialog, "cmdMove");
    });
    app.window->toolbarButton("MoveLocation")->trigger();
    QCOMPARE(app.valueTexts(), (QStringList{"*** All ***", "Attic", "Workshop"}));
    QCOMPARE(app.currentValue(), QStringLiteral("*** All ***"));
    QCOMPARE(app.items().Count("Attic", ""), 1);
    // The location itself stays on its list.
    QVERIFY(app.items().Location().List().columnValues("LocationTX").contains("Kitchen"));
}

void InventoryWindowTest::layoutFollowsTheWindowSize() {
    App app;
    for (const QSize size : {QSize(1000, 700), QSize(700, 520), QSize(1400, 900)}) {
        app.window->resize(size);
        QTRY_COMPARE(app.inventory()->size(), app.window->mdiArea()->viewport()->size());
        const frmInventory* window = app.inventory();
        const QRect panel = app.control("picToolbar")->geometry();
        QCOMPARE(panel.width(), window->width() / 4);
        QCOMPARE(panel.height(), window->height());
        const QRect viewBy = app.viewBy()->geometry();
        const QRect list = app.values()->geometry();
        const QRect newButton = app.control("cmdNew")->geometry();
        const QRect edit = app.control("cmdEdit")->geometry();
        const QRect del = app.control("cmdDelete")->geometry();
        // The buttons are stacked at the bottom, the list fills the space above them.
        QVERIFY(del.bottom() >= panel.height() - 10 && del.bottom() < panel.height());
        QVERIFY(edit.bottom() < del.top() && newButton.bottom() < edit.top());
        QVERIFY(list.top() > viewBy.bottom() && list.bottom() < newButton.top());
        QVERIFY(newButton.top() - list.bottom() <= 10);
        QVERIFY(viewBy.width() >= panel.width() - 16 && list.width() == viewBy.width());
        // The grid fills the rest, under its heading.
        const QRect grid = app.grid()->geometry();
        const QRect heading = app.control("hdgGrid")->geometry();
        QVERIFY(grid.left() >= panel.right() && grid.left() - panel.right() <= 10);
        QVERIFY(window->width() - grid.right() <= 10);
        QVERIFY(window->height() - grid.bottom() <= 10);
        QCOMPARE(heading.left(), grid.left());
        QVERIFY(heading.bottom() < grid.top());
    }
}

void InventoryWindowTest::unloadGivesBackTheMainWindow() {
    App app;
    app.selectItem("Radio");
    app.window->CloseToolWindows();
    QCOMPARE(app.window->windowTitle(), QStringLiteral("Qelto Domivo"));
    QCOMPARE(gCurrentWindow, QString());
    for (const char* name : {"mnuEdit_New", "mnuEdit_Edit", "mnuEdit_Delete",
                             "mnuEdit_MoveLocation", "mnuEdit_Copy", "mnuEdit_CopyGrid"})
        QVERIFY2(!app.menuOn(name), name);
    QVERIFY(!app.buttonOn("MoveLocation"));
    QVERIFY(!app.buttonOn("CopyItem"));

    // The toolbar button brings it back, freshly loaded.
    app.window->toolbarButton("Inventory")->trigger();
    QVERIFY(app.inventory());
    QVERIFY(app.menuOn("mnuEdit_New"));
    QCOMPARE(app.column("Item").size(), 3);
}

void InventoryWindowTest::engineErrorIsShownAndTheWindowGoesOn() {
    App app;
    runSqlite(app.env.databaseFile(), "DROP TABLE tblItem");
    app.prompts.answerMessage(QMessageBox::Ok, QStringLiteral("no such table"));
    app.viewBy()->setCurrentIndex(1);
    QCOMPARE(app.prompts.boxes().last().icon, QMessageBox::Critical);
    QCOMPARE(app.prompts.boxes().last().title, QStringLiteral("Qelto Domivo- Home Inventory"));
    QVERIFY(app.inventory()->isVisible());
    QVERIFY(gData);
}

DOMIVO_GUI_TEST_MAIN(InventoryWindowTest)
#include "tst_inventorywindow.moc"
