// Maintenance of the item type and location lists (adding with its refusals, renaming carried
// into the items, deleting refused while items use the entry) and moving items between
// locations (what is offered, the three refusals, the move itself and Cancel).

#include "GuiTest.h"

#include "windows/inventory/frmListUpdate.h"
#include "windows/inventory/frmMoveLocation.h"

namespace {

// A database with an anvil and a wetsuit in the garage and a radio in the kitchen, none changed
// since 2001.
struct Items : GuiDatabase {
    ScriptedPrompts prompts;

    Items() {
        runSqlite(databaseFile(),
                  "INSERT INTO tblItem (ManufacturerNM, ItemNM, ModelSeriesTX, TypeTX, LocationTX, "
                  "LastChangeDT) VALUES ('O''Neil', 'Wetsuit', '', 'Sports Equipment', 'Garage', "
                  "'2001-01-01'), ('', 'Anvil', 'A1', 'Tools', 'Garage', '2001-01-01'), "
                  "('', 'Radio', '', 'Electronics', 'Kitchen', '2001-01-01')");
    }
    // Where the item is and when it last changed.
    QString placeOf(const QString& item) const {
        return runSqlite(databaseFile(), "SELECT LocationTX || '|' || LastChangeDT FROM tblItem "
                                         "WHERE ItemNM = '" +
                                             item + "'")
            .trimmed();
    }
};

// The list maintenance window over one of the lists.
struct Lists : Items {
    frmListUpdate dialog;
    explicit Lists(const QString& editType) {
        dialog.setEditType(editType);
        dialog.show();
    }
    QListWidget* entries() { return child<QListWidget>(&dialog, "lstEntries"); }
    // Whether Edit and Delete are on (they must agree).
    bool entryCommandsOn() {
        const bool on = child<QPushButton>(&dialog, "cmdEdit")->isEnabled();
        if (child<QPushButton>(&dialog, "cmdDelete")->isEnabled() != on)
            QTest::qFail("Edit and Delete disagree", __FILE__, __LINE__);
        return on;
    }
    // Chooses the entry and clicks the button.
    void act(const QString& entry, const char* button) {
        clickEntry(entries(), entry);
        click(&dialog, button);
    }
};

// The move dialog, opened afresh by open().
struct Move : Items {
    std::unique_ptr<frmMoveLocation> dialog;
    Move() { open(); }
    void open() {
        dialog = std::make_unique<frmMoveLocation>();
        dialog->show();
    }
    QComboBox* from() { return child<QComboBox>(dialog.get(), "cboMoveFrom"); }
    QComboBox* to() { return child<QComboBox>(dialog.get(), "cboMoveTo"); }
    QListWidget* list() { return child<QListWidget>(dialog.get(), "lstItems"); }
    bool on(const char* button) { return child<QPushButton>(dialog.get(), button)->isEnabled(); }
    void choose(QComboBox* combo, const QString& text) {
        combo->setCurrentIndex(combo->findText(text));
    }
};

} // namespace

class InventoryListsTest : public QObject {
    Q_OBJECT

private slots:
    void listUpdateShowsTheChosenList() {
        for (const auto& [type, caption, fourth] :
             {std::tuple{"TYPE", "Update Item Types", "Automotive"},
              {"LOC", "Update Locations", "Deck"}}) {
            Lists lists(type);
            QCOMPARE(lists.dialog.windowTitle(), QString(caption));
            // The list taking the focus chooses no entry.
            lists.dialog.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&lists.dialog));
            lists.entries()->setFocus();
            QVERIFY(!lists.entryCommandsOn());
            QCOMPARE(texts(lists.entries()).at(3), QString(fourth));
            clickEntry(lists.entries(), fourth);
            QVERIFY(lists.entryCommandsOn());
        }
    }

    void newEntryIsTrimmedAndChecked() {
        Lists lists("TYPE");
        ScriptedPrompts& prompts = lists.prompts;
        prompts.answerInput("   Hobby Gear  ");
        prompts.answerInput(QString(40, 'x'));
        prompts.answerInput(QString(41, 'y'));
        prompts.answerMessage(QMessageBox::Ok, "The value you specified is too large.  Must be 40 "
                                               "characters or less.");
        // Surrounding spaces do not count towards the 40 characters.
        prompts.answerInput("  " + QString(40, 'z') + "  ");
        prompts.answerInput("Grandma's china");
        prompts.answerMessage(QMessageBox::Ok,
                              "You cannot use the single quote character in a Item Type value.");
        prompts.answerInput("tools");
        prompts.answerMessage(QMessageBox::Ok,
                              "You have specified a duplicate entry.  Cannot add.");
        prompts.answerInput("   ");
        prompts.answerInput(std::nullopt);
        for (int click = 0; click < 8; ++click)
            ::click(&lists.dialog, "cmdNew");

        QCOMPARE(prompts.inputPrompts().first(), QString("Enter your new Item Type"));
        for (const ScriptedPrompts::Box& box : prompts.boxes())
            QCOMPARE(box.title, QString("Update Item Types"));
        QStringList added = texts(lists.entries());
        QCOMPARE(added.size(), 23 + 3);
        QVERIFY(added.contains("Hobby Gear") && added.contains(QString(40, 'x')) &&
                added.contains(QString(40, 'z')));
        QCOMPARE(inventoryItems().ItemType().List().rowCount(), 23 + 3);
    }

    void renameIsCarriedIntoTheItems() {
        Lists lists("LOC");
        lists.prompts.answerInput(" Workshop ");
        lists.act("Garage", "cmdEdit");
        QCOMPARE(lists.prompts.inputPrompts().last(), QString("Change Location 'Garage' to"));
        QVERIFY(!texts(lists.entries()).contains("Garage"));
        QCOMPARE(inventoryItems().Count("Workshop", ""), 2);
        QVERIFY(!lists.entryCommandsOn());

        // Its own text, nothing, or a cancelled box: nothing happens.
        for (const std::optional<QString>& answer :
             {std::optional<QString>("Workshop"), std::optional<QString>(""),
              std::optional<QString>()}) {
            lists.prompts.answerInput(answer);
            lists.act("Workshop", "cmdEdit");
        }
        QVERIFY(lists.prompts.boxes().isEmpty());
        // Onto another entry, or with an apostrophe: refused, and said so.
        lists.prompts.answerInput("attic");
        lists.prompts.answerMessage(QMessageBox::Ok, "duplicate entry");
        lists.act("Workshop", "cmdEdit");
        lists.prompts.answerInput("Bob's shed");
        lists.prompts.answerMessage(
            QMessageBox::Ok, "You cannot use the single quote character in a Location value.");
        lists.act("Workshop", "cmdEdit");
        QCOMPARE(inventoryItems().Count("Workshop", ""), 2);
        // A change of capitals only reaches the items too.
        lists.prompts.answerInput("WORKSHOP");
        lists.act("Workshop", "cmdEdit");
        QCOMPARE(lists.placeOf("Anvil"), QString("WORKSHOP|2001-01-01"));
    }

    void deleteIsRefusedWhileItemsUseTheEntry() {
        Lists lists("TYPE");
        lists.prompts.answerMessage(QMessageBox::No,
                                    "Are you sure you want to delete Item Type 'Tools'");
        lists.act("Tools", "cmdDelete");
        QCOMPARE(lists.prompts.boxes().last().buttons, QMessageBox::Yes | QMessageBox::No);
        QVERIFY(texts(lists.entries()).contains("Tools"));

        lists.prompts.answerMessage(QMessageBox::Yes);
        lists.prompts.answerMessage(QMessageBox::Ok, "Cannot delete 'Tools' because one or more "
                                                     "items are on-file for that Item Type");
        click(&lists.dialog, "cmdDelete");
        QCOMPARE(lists.prompts.boxes().last().icon, QMessageBox::Warning);
        QVERIFY(texts(lists.entries()).contains("Tools"));
        QVERIFY(!lists.entryCommandsOn());

        // Once the anvil is filed elsewhere the type can go.
        const qint64 anvil = inventoryItems().List("", "Tools").value(0, "ItemID").toLongLong();
        inventoryItems().Update(anvil, {.TypeTX = "Miscellaneous"});
        lists.prompts.answerMessage(QMessageBox::Yes);
        lists.act("Tools", "cmdDelete");
        QVERIFY(!texts(lists.entries()).contains("Tools"));
        QCOMPARE(inventoryItems().Count("", ""), 3);
    }

    void moveOffersLocationsAndItems() {
        Move move;
        // Only the locations that hold items are sources; every location is a target.
        QCOMPARE(texts(move.from()), (QStringList{"Garage", "Kitchen"}));
        QCOMPARE(move.from()->currentIndex(), -1);
        QVERIFY(!move.on("cmdSelectAll") && !move.on("cmdMove"));
        move.from()->setCurrentIndex(0);
        // Manufacturer, item and model, trimmed; ordered by manufacturer, item, model.
        QCOMPARE(texts(move.list()), (QStringList{"Anvil A1", "O'Neil Wetsuit"}));
        QCOMPARE(move.to()->count(), 23);
        QVERIFY(move.on("cmdSelectAll") && move.on("cmdClearAll") && !move.on("cmdMove"));
        move.to()->setCurrentIndex(move.to()->findText("Attic"));
        QVERIFY(move.on("cmdMove"));
        // Another source starts the target over.
        move.from()->setCurrentIndex(1);
        QCOMPARE(move.list()->count(), 1);
        QVERIFY(!move.on("cmdMove"));
    }

    void moveRefusalsKeepTheDialogOpen() {
        Move move;
        move.dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(move.dialog.get()));
        const auto refused = [&](const QString& text, QWidget* focus) {
            move.prompts.answerMessage(QMessageBox::Ok, text);
            move.dialog->cmdMove_Click();
            QCOMPARE(move.prompts.boxes().last().icon, QMessageBox::Warning);
            QCOMPARE(QApplication::focusWidget(), focus);
            QVERIFY(move.dialog->isVisible());
        };
        refused("Please select the location to move items from.", move.from());
        move.from()->setCurrentIndex(0);
        refused("Please select the location to move items to.", move.to());
        move.to()->setCurrentIndex(0);
        refused("You must select one or more items to move.", move.list());
        QCOMPARE(move.placeOf("Anvil"), QString("Garage|2001-01-01"));
    }

    void moveTakesTheSelectedItemsOrNothing() {
        Move move;
        move.choose(move.from(), "Garage");
        move.list()->item(1)->setSelected(true);
        move.choose(move.to(), "Attic");
        click(move.dialog.get(), "cmdMove");
        QVERIFY(!move.dialog->wasCancelled() && !move.dialog->isVisible());
        QCOMPARE(move.placeOf("Wetsuit"), "Attic|" + storedToday());
        QCOMPARE(move.placeOf("Anvil"), QString("Garage|2001-01-01"));

        // To their own location nothing moves; the items only get today as their last change.
        move.open();
        move.choose(move.from(), "Kitchen");
        click(move.dialog.get(), "cmdSelectAll");
        click(move.dialog.get(), "cmdClearAll");
        QCOMPARE(move.list()->selectedItems().size(), 0);
        click(move.dialog.get(), "cmdSelectAll");
        QCOMPARE(move.list()->selectedItems().size(), 1);
        move.choose(move.to(), "Kitchen");
        click(move.dialog.get(), "cmdMove");
        QCOMPARE(move.placeOf("Radio"), "Kitchen|" + storedToday());

        move.open();
        move.choose(move.from(), "Garage");
        click(move.dialog.get(), "cmdSelectAll");
        move.choose(move.to(), "Attic");
        click(move.dialog.get(), "cmdCancel");
        QVERIFY(move.dialog->wasCancelled() && !move.dialog->isVisible());
        QCOMPARE(move.placeOf("Anvil"), QString("Garage|2001-01-01"));
    }
};

DOMIVO_GUI_TEST_MAIN(InventoryListsTest)
#include "tst_inventorylists.moc"
