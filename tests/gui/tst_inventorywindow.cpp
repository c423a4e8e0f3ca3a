// The Home Inventory window in the running main window: views and values, the grid with its
// heading and status, the enabling of commands, New/Edit/Delete from the Edit menu, sorting,
// and the refresh after changes made elsewhere (list maintenance, moving items). (What the main
// window takes back on unloading is tested with the main window.)

#include "GuiTest.h"

#include "windows/inventory/frmInventory.h"
#include "windows/inventory/frmListUpdate.h"

#include <QMdiArea>

namespace {

// The application started on a database with three items, the view chosen beforehand.
struct App : GuiApp {
    explicit App(int viewBy = 0)
        : GuiApp([viewBy](const dvData& data) {
            Settings::setInteger(SettingKeys::ViewBy, viewBy);
            runSqlite(data.Path(),
                      "INSERT INTO tblItem (ManufacturerNM, ItemNM, ModelSeriesTX, PurchaseDT, "
                      "PurchasePriceAM, TypeTX, LocationTX) VALUES "
                      "('Acme', 'Anvil', 'A1', '2023-05-02', 12345000, 'Tools', 'Garage'), "
                      "('O''Neil', 'Wetsuit', '', '2024-03-15', 1999900, 'Sports Equipment', "
                      "'Garage'), ('Zenith', 'Radio', '', NULL, 450000, 'Electronics', 'Kitchen')");
        }) {}
    frmInventory* inventory() const {
        return qobject_cast<frmInventory*>(main->toolWindow("frmInventory"));
    }
    template <class T = QWidget> T* control(const char* name) const {
        return child<T>(inventory(), name);
    }
    GridView* grid() const { return control<GridView>("lvwItems"); }
    QListWidget* values() const { return control<QListWidget>("lstViewValues"); }
    QComboBox* viewBy() const { return control<QComboBox>("cboViewBy"); }
    QStringList valueTexts() const { return texts(values()); }
    QString currentValue() const {
        return values()->currentItem() ? values()->currentItem()->text() : QString();
    }
    QStringList column(const QString& caption) const { return columnTexts(grid(), caption); }
    void selectItem(const QString& item) { grid()->selectRow(int(column("Item").indexOf(item))); }
    bool menuOn(const char* name) const { return main->menuItem(name)->isEnabled(); }
    // Whether Edit, Delete and Copy Item are on, in the window and the main window alike.
    bool rowCommandsOn() const {
        const bool on = control("cmdEdit")->isEnabled();
        if (control("cmdDelete")->isEnabled() != on || menuOn("mnuEdit_Edit") != on ||
            menuOn("mnuEdit_Delete") != on || menuOn("mnuEdit_Copy") != on ||
            main->toolbarButton("CopyItem")->isEnabled() != on)
            QTest::qFail("the row commands disagree", __FILE__, __LINE__);
        return on;
    }
};

// Fills the item editor on display and stores the item.
void editAndSave(QWidget* dialog, const QString& itemName, const QString& type = {},
                 const QString& location = {}) {
    child<QLineEdit>(dialog, "txtItemNM")->setText(itemName);
    for (const auto& [name, text] : {std::pair{"cboTypeTX", type}, {"cboLocationTX", location}}) {
        auto* combo = child<QComboBox>(dialog, name);
        if (!text.isEmpty())
            combo->setCurrentIndex(combo->findText(text));
    }
    click(dialog, "cmdSaveExit");
}

} // namespace

class InventoryWindowTest : public QObject {
    Q_OBJECT

private slots:
    void startShowsEveryItem() {
        App app;
        QVERIFY(app.inventory()->isVisible());
        QCOMPARE(app.main->windowTitle(), QString("Qelto Domivo- Home Inventory"));
        QCOMPARE(app.valueTexts(),
                 (QStringList{"*** All ***", "Electronics", "Sports Equipment", "Tools"}));
        QCOMPARE(app.values()->currentRow(), 0);
        GridView* grid = app.grid();
        QCOMPARE(grid->gridModel()->headers(), (QStringList{"ItemID", "Manufacturer", "Item",
                                                            "Model", "Price", "Type", "Location"}));
        QCOMPARE(app.column("Item"), (QStringList{"Anvil", "Wetsuit", "Radio"}));
        QCOMPARE(app.column("Price"), (QStringList{"$1,234.50", "$199.99", "$45.00"}));
        QCOMPARE(grid->gridModel()->index(0, 4).data(Qt::TextAlignmentRole).toInt() &
                     Qt::AlignHorizontal_Mask,
                 int(Qt::AlignRight));
        QCOMPARE(app.control<QLabel>("hdgGrid")->text(),
                 QString("Items where Item Type is '*** All ***'"));
        QCOMPARE(app.main->statusText(), QString("There are 3 items for Item Type '*** All ***'"));

        QVERIFY(app.menuOn("mnuEdit_New") && app.menuOn("mnuEdit_MoveLocation"));
        QVERIFY(app.menuOn("mnuEdit_CopyGrid"));
        QVERIFY(!app.rowCommandsOn());
        app.selectItem("Radio");
        QVERIFY(app.rowCommandsOn());
    }

    void viewsFilterTheItems_data() {
        QTest::addColumn<int>("view");
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("item");
        // Items without a purchase date are only among all items.
        for (const auto& [view, values, value, item] :
             {std::tuple{1, QStringList{"Garage", "Kitchen"}, "Kitchen", "Radio"},
              {2, QStringList{"Acme", "O'Neil", "Zenith"}, "O'Neil", "Wetsuit"},
              {3, QStringList{"5/2/2023", "3/15/2024"}, "5/2/2023", "Anvil"}})
            QTest::newRow(value) << view << QStringList{"*** All ***"} + values << QString(value)
                                 << QString(item);
    }
    void viewsFilterTheItems() {
        QFETCH(int, view);
        QFETCH(QStringList, values);
        QFETCH(QString, value);
        QFETCH(QString, item);
        App app(view);
        const QString viewText = app.viewBy()->currentText();
        QCOMPARE(app.viewBy()->currentIndex(), view);
        QCOMPARE(app.valueTexts(), values);
        clickEntry(app.values(), value);
        QCOMPARE(app.column("Item"), QStringList{item});
        QCOMPARE(app.control<QLabel>("hdgGrid")->text(),
                 QString("Items where %1 is '%2'").arg(viewText, value));
        QCOMPARE(app.main->statusText(),
                 QString("There are 1 items for %1 '%2'").arg(viewText, value));

        // Prices follow the round-prices option at the next fill.
        Settings::setText(SettingKeys::RoundPrices, "1");
        clickEntry(app.values(), "*** All ***");
        QCOMPARE(app.column("Price").first(), QString("$1,235"));
        // Another view is remembered for the next start.
        app.viewBy()->setCurrentIndex(0);
        QCOMPARE(Settings::text(SettingKeys::ViewBy), QString("0"));
        QCOMPARE(app.valueTexts().size(), 4);
    }

    void valueWithoutItemsShowsThePlaceholder() {
        App app(1);
        // The radio goes while the list still offers its kitchen.
        inventoryItems().Delete(
            inventoryItems().List("Kitchen", "").value(0, "ItemID").toLongLong());
        clickEntry(app.values(), "Kitchen");
        QCOMPARE(app.column("Item"), QStringList{"No items found"});
        QCOMPARE(app.main->statusText(), QString("There are 1 items for Location 'Kitchen'"));
        // It can be copied, but not edited or deleted.
        app.grid()->selectRow(0);
        QVERIFY(!app.control("cmdEdit")->isEnabled() && !app.menuOn("mnuEdit_Delete"));

        // Edit, Delete and a double click pass over the placeholder: no question, no editor.
        QObject guard;
        bool editorShown = false;
        QTimer::singleShot(1000, &guard, [&] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                editorShown = true;
                modal->close();
            }
        });
        app.main->runMenuCommand("mnuEdit_Edit");
        app.main->runMenuCommand("mnuEdit_Delete");
        doubleClickCell(app.grid(), 0, 2);
        QVERIFY(!editorShown);
        QVERIFY(app.prompts.boxes().isEmpty());

        // Without any items the list holds only "*** All ***", with nothing selected.
        for (const QVariant& id : inventoryItems().List("", "").columnValues("ItemID"))
            inventoryItems().Delete(id.toLongLong());
        app.inventory()->lstViewValues_Populate();
        QCOMPARE(app.valueTexts(), QStringList{"*** All ***"});
        QCOMPARE(app.values()->currentRow(), -1);
        // Then nothing is listed, and no heading names a value: also not after an entry was
        // added to the other view's list, which refills the grid.
        app.prompts.answerInput("Hobbies");
        whenModalShown([](QWidget* dialog) {
            click(dialog, "cmdNew");
            click(dialog, "cmdClose");
        });
        app.main->menuItem("mnuEdit_ItemTypes")->trigger();
        QCOMPARE(app.grid()->rowCount(), 0);
        QCOMPARE(app.control<QLabel>("hdgGrid")->text(), QString());
        QVERIFY(!app.menuOn("mnuEdit_CopyGrid"));
    }

    // At 1024 x 700 a price up to $99,999.99 is shown in full, and the last column takes the
    // width the others leave.
    void pricesAreReadableAtASmallSize() {
        App app;
        inventoryItems().Add({.ItemNM = "Piano",
                              .PurchasePriceAM = "99999.99",
                              .TypeTX = "Tools",
                              .LocationTX = "Garage"});
        app.main->showNormal();
        app.main->resize(1024, 700);
        app.inventory()->lvwItems_Populate();
        GridView* grid = app.grid();
        QTRY_COMPARE(app.inventory()->size(), app.main->mdiArea()->viewport()->size());
        const int price = grid->columnIndex("Price");
        QVERIFY(app.column("Price").contains("$99,999.99"));
        const QModelIndex cell = grid->model()->index(0, price);
        QVERIFY2(grid->columnWidth(price) >= grid->sizeHintForIndex(cell).width(),
                 qPrintable(QString::number(grid->columnWidth(price))));
        int used = 0;
        for (int column = 1; column < grid->columnCount(); ++column)
            used += grid->columnWidth(column);
        QCOMPARE(used, grid->viewport()->width());
    }

    void headersSortTheGrid() {
        App app;
        QCOMPARE(app.grid()->sortKey(), 1);
        clickHeader(app.grid(), "Item");
        QCOMPARE(app.column("Item"), (QStringList{"Anvil", "Radio", "Wetsuit"}));
        clickHeader(app.grid(), "Item");
        QCOMPARE(app.column("Item"), (QStringList{"Wetsuit", "Radio", "Anvil"}));
        // Another column keeps the order ...
        clickHeader(app.grid(), "Manufacturer");
        QCOMPARE(app.column("Manufacturer"), (QStringList{"Zenith", "O'Neil", "Acme"}));
        // ... and the same one again reverses it.
        clickHeader(app.grid(), "Manufacturer");
        QCOMPARE(app.column("Manufacturer"), (QStringList{"Acme", "O'Neil", "Zenith"}));
        // Prices sort by amount, not by text.
        clickHeader(app.grid(), "Price");
        QCOMPARE(app.column("Price"), (QStringList{"$45.00", "$199.99", "$1,234.50"}));
    }

    void newEditAndDeleteFromTheEditMenu() {
        App app;
        clickEntry(app.values(), "Tools");
        QString caption;
        whenModalShown([&](QWidget* dialog) {
            caption = dialog->windowTitle();
            editAndSave(dialog, "Lamp", "Furniture", "Kitchen");
        });
        app.main->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(app.main.get()));
        QTest::keyClick(app.main.get(), Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(caption, QString("Add New Inventory Item"));
        // After adding, all items are shown, the new value among the values.
        QCOMPARE(app.currentValue(), QString("*** All ***"));
        QVERIFY(app.valueTexts().contains("Furniture"));
        QCOMPARE(app.column("Item").size(), 4);

        // Double click opens the item; Close changes nothing and leaves no row selected.
        whenModalShown([&](QWidget* dialog) {
            caption = dialog->windowTitle();
            click(dialog, "cmdClose");
        });
        doubleClickCell(app.grid(), int(app.column("Item").indexOf("Radio")), 2);
        QCOMPARE(caption, QString("Edit Inventory Item"));
        QVERIFY(!app.rowCommandsOn());

        app.selectItem("Radio");
        app.prompts.answerMessage(QMessageBox::No);
        app.main->menuItem("mnuEdit_Delete")->trigger();
        QCOMPARE(app.column("Item").size(), 4);
        QVERIFY(!app.rowCommandsOn());

        clickEntry(app.values(), "Electronics");
        app.selectItem("Radio");
        app.prompts.answerMessage(QMessageBox::Yes,
                                  "Are you sure you want to delete item 'Radio'?");
        app.main->menuItem("mnuEdit_Delete")->trigger();
        QCOMPARE(app.prompts.boxes().last().icon, QMessageBox::Question);
        QCOMPARE(inventoryItems().Count("", ""), 3);
        QVERIFY(!app.valueTexts().contains("Electronics"));
        QCOMPARE(app.currentValue(), QString("*** All ***"));
        // Without a manufacturer the lamp comes first.
        QCOMPARE(app.column("Item"), (QStringList{"Lamp", "Anvil", "Wetsuit"}));
    }

    void editKeepsTheValueShown() {
        App app;
        clickEntry(app.values(), "Sports Equipment");
        app.selectItem("Wetsuit");
        whenModalShown([](QWidget* dialog) { editAndSave(dialog, "Dry suit"); });
        click(app.inventory(), "cmdEdit");
        QCOMPARE(app.values()->currentRow(), 2);
        QCOMPARE(app.currentValue(), QString("Sports Equipment"));
        QCOMPARE(app.column("Item"), QStringList{"Dry suit"});
        QVERIFY(!app.rowCommandsOn());

        // An edit that takes the value out of the list shows all items, not whichever value now
        // stands at the same place.
        clickEntry(app.values(), "Tools");
        app.selectItem("Anvil");
        whenModalShown([](QWidget* dialog) { editAndSave(dialog, "Anvil", "Appliances"); });
        app.main->menuItem("mnuEdit_Edit")->trigger();
        QCOMPARE(app.valueTexts(),
                 (QStringList{"*** All ***", "Appliances", "Electronics", "Sports Equipment"}));
        QCOMPARE(app.currentValue(), QString("*** All ***"));
    }

    // The list maintenance and the move dialog know nothing of this window: what they store
    // reaches it as a change notification.
    void changesMadeElsewhereRefreshTheWindow() {
        App app(1);
        frmListUpdate lists(app.main.get());
        lists.setEditType("LOC");
        lists.show();
        app.prompts.answerInput("Workshop");
        clickEntry(child<QListWidget>(&lists, "lstEntries"), "Garage");
        click(&lists, "cmdEdit");
        // The location view shows the new name at once, behind the open dialog.
        QCOMPARE(app.valueTexts(), (QStringList{"*** All ***", "Kitchen", "Workshop"}));
        QCOMPARE(app.column("Location"), (QStringList{"Workshop", "Workshop", "Kitchen"}));
        lists.close();
        // A renamed type shows in the rows of another view.
        clickEntry(app.values(), "Kitchen");
        app.prompts.answerInput("Gadgets");
        whenModalShown([](QWidget* dialog) {
            clickEntry(child<QListWidget>(dialog, "lstEntries"), "Electronics");
            click(dialog, "cmdEdit");
            click(dialog, "cmdClose");
        });
        app.main->menuItem("mnuEdit_ItemTypes")->trigger();
        QCOMPARE(app.currentValue(), QString("Kitchen"));
        QCOMPARE(app.column("Type"), QStringList{"Gadgets"});

        // Moving every item out of the kitchen takes the kitchen out of the view.
        whenModalShown([](QWidget* dialog) {
            auto* from = child<QComboBox>(dialog, "cboMoveFrom");
            from->setCurrentIndex(from->findText("Kitchen"));
            click(dialog, "cmdSelectAll");
            auto* to = child<QComboBox>(dialog, "cboMoveTo");
            to->setCurrentIndex(to->findText("Attic"));
            click(dialog, "cmdMove");
        });
        app.main->toolbarButton("MoveLocation")->trigger();
        QCOMPARE(app.valueTexts(), (QStringList{"*** All ***", "Attic", "Workshop"}));
        QCOMPARE(app.currentValue(), QString("*** All ***"));
        QCOMPARE(inventoryItems().Count("Attic", ""), 1);
    }

    void engineErrorIsShownAndTheWindowGoesOn() {
        App app;
        runSqlite(app.env.databaseFile(), "DROP TABLE tblItem");
        app.prompts.answerMessage(QMessageBox::Ok, "no such table");
        app.viewBy()->setCurrentIndex(1);
        QCOMPARE(app.prompts.boxes().last().icon, QMessageBox::Critical);
        QVERIFY(app.inventory()->isVisible());
    }
};

DOMIVO_GUI_TEST_MAIN(InventoryWindowTest)
#include "tst_inventorywindow.moc"
