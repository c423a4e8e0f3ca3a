// The item editor: both modes, the checks in their order with their messages and focus, the
// replacement price of a new item, the warranty date, Save / New Item, type-ahead, and text that
// reaches the database unchanged.

#include "GuiTest.h"

#include "widgets/DateBox.h"
#include "windows/inventory/frmInventoryItem.h"

namespace {

// A database with two items, and the editor over it.
struct Editor : GuiDatabase {
    ScriptedPrompts prompts;
    std::unique_ptr<frmInventoryItem> dialog;

    Editor() {
        runSqlite(databaseFile(),
                  "INSERT INTO tblItem (ManufacturerNM, ItemNM, PurchaseLocationTX, TypeTX, "
                  "LocationTX) VALUES ('Sony', 'Television', 'Costco', 'Electronics', "
                  "'Family Room'), ('Samsung', 'Fridge', '', 'Appliances', 'Kitchen')");
    }
    frmInventoryItem& open(const QString& action, qint64 itemID = 0) {
        dialog = std::make_unique<frmInventoryItem>();
        dialog->setFormAction(action);
        dialog->setEditItemID(itemID);
        dialog->show();
        dialog->activateWindow();
        if (!QTest::qWaitForWindowActive(dialog.get()))
            qWarning("the editor did not become active");
        return *dialog;
    }
    template <class T = QWidget> T* control(const QString& name) {
        return child<T>(dialog.get(), name);
    }
    QLineEdit* edit(const char* name) { return control<QLineEdit>(name); }
    QComboBox* combo(const char* name) { return control<QComboBox>(name); }
    OptionalDateEdit* date(const char* name) { return control<OptionalDateEdit>(name); }
    void fillRequired() {
        edit("txtItemNM")->setText("Lamp");
        combo("cboTypeTX")->setCurrentIndex(combo("cboTypeTX")->findText("Furniture"));
        combo("cboLocationTX")->setCurrentIndex(combo("cboLocationTX")->findText("Living Room"));
    }
    void save() { click(dialog.get(), "cmdSaveExit"); }
    qint64 lastItemID() const {
        return inventoryItems().List("", "", "ItemID DESC").value(0, "ItemID").toLongLong();
    }
    QVariant stored(const char* column) const {
        return inventoryItems().Retrieve(lastItemID()).value(0, column);
    }
    qint64 storedUnits(const char* column) const {
        return stored(column).value<Currency>().units();
    }
};

void setRequired(const QString& key) {
    Settings::setText(SettingKey{"Required", qPrintable(key)}, "1");
}

} // namespace

class InventoryItemTest : public QObject {
    Q_OBJECT

private slots:
    void addModeOffersTheListsAndNoSelection() {
        Editor e;
        frmInventoryItem& dialog = e.open("N");
        QCOMPARE(dialog.windowTitle(), QString("Add New Inventory Item"));
        QVERIFY(e.control("cmdSaveNew")->isVisible());
        QVERIFY(!e.control("lblLastChangeDT")->isVisible());
        // The manufacturers and places already used, without the empty one.
        QCOMPARE(texts(e.combo("cboManufacturerNM")), (QStringList{"Samsung", "Sony"}));
        QCOMPARE(texts(e.combo("cboPurchaseLocationTX")), QStringList{"Costco"});
        QCOMPARE(e.combo("cboTypeTX")->count(), 23);
        for (const char* name :
             {"cboTypeTX", "cboLocationTX", "cboManufacturerNM", "cboPurchaseLocationTX"})
            QCOMPARE(e.combo(name)->currentText(), QString());
        QVERIFY(e.date("dtpPurchaseDT")->isNull());
        QVERIFY(!e.date("dtpWarrantyExpireDT")->isVisible());

        // Required fields have bold headings.
        setRequired("Manufacturer");
        setRequired("Purchase Date");
        e.open("N");
        QVERIFY(e.control<QLabel>("hdgManufacturer")->font().bold());
        QVERIFY(e.control<QLabel>("hdgPurchaseDate")->font().bold());
        QVERIFY(!e.control<QLabel>("hdgModelSeries")->font().bold());
    }

    void checksInOrder_data() {
        QTest::addColumn<QString>("required");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("message"); // empty: accepted
        const auto row = [](const char* name, const char* required, const char* field,
                            const QString& value, const QString& message) {
            QTest::newRow(name) << QString(required) << QString(field) << value << message;
        };
        const QString options = "You have specified in the OPTIONS that the ";
        const QString purchase = "The purchase price must be a valid numeric value.";
        row("1", "Manufacturer", "cboManufacturerNM", "", options + "manufacturer is required.");
        row("2: 30 characters", "", "cboManufacturerNM", QString(30, 'm'), "");
        row("2: 31 characters", "", "cboManufacturerNM", QString(31, 'm'),
            "The manufacturer field cannot be longer than 30 characters.");
        row("3", "", "txtItemNM", "", "You must provide an item name.");
        row("4", "Model", "txtModelSeriesTX", "", options + "Model Series is required.");
        row("5", "Purchase Location", "cboPurchaseLocationTX", "",
            options + "purchase location is required.");
        row("6: 255 characters", "", "cboPurchaseLocationTX", QString(255, 'p'), "");
        row("6: 256 characters", "", "cboPurchaseLocationTX", QString(256, 'p'),
            "The purchase location field cannot be longer than 255 characters.");
        row("7", "Purchase Date", "dtpPurchaseDT", "", options + "purchase date is required.");
        row("7: a date typed as ISO", "", "dtpPurchaseDT", "2024-02-29", "");
        row("7: a day that is none", "", "dtpPurchaseDT", "2/30/2024",
            "The purchase date must be a valid date.");
        row("8", "Purchase Price", "txtPurchasePriceAM", "",
            options + "purchase price is required.");
        // The amount rules are the core's (IsValidMoney); here, that no dollar sign is taken.
        row("9: dollar sign", "", "txtPurchasePriceAM", "$12", purchase);
        row("10", "", "txtReplacementPriceAM", "$12",
            "The replacement price must be a valid numeric value.");
        row("11", "", "txtAppraisalPriceAM", "12.345",
            "The appraisal price must be a valid numeric value.");
        row("11: thousands", "", "txtAppraisalPriceAM", "1,000.25", "");
        row("12", "", "cboTypeTX", "", "You must select a type of item.");
        row("13", "", "cboLocationTX", "", "You must select the current location of the item.");
        // Several faults: the first check that fails speaks, and takes the focus.
        row("order", "", "txtItemNM+cboTypeTX", "", "You must provide an item name.");
    }
    void checksInOrder() {
        QFETCH(QString, required);
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QString, message);
        Editor e;
        if (!required.isEmpty())
            setRequired(required);
        frmInventoryItem& dialog = e.open("N");
        e.fillRequired();
        e.edit("txtPurchasePriceAM")->setText("10");
        for (const QString& name : field.split('+')) {
            QWidget* control = e.control(name);
            if (auto* edit = qobject_cast<QLineEdit*>(control))
                edit->setText(value);
            else if (auto* combo = qobject_cast<QComboBox*>(control); combo && combo->isEditable())
                combo->setEditText(value);
            else if (combo)
                combo->setCurrentIndex(-1);
            else if (auto* date = qobject_cast<OptionalDateEdit*>(control); value.isEmpty())
                date->clear();
            else {
                date->checkBox()->setChecked(true);
                date->dateEdit()->selectAll();
                QTest::keyClicks(date->dateEdit(), value);
            }
        }
        if (message.isEmpty()) {
            e.save();
            QVERIFY(!dialog.isVisible() && !dialog.wasCancelled());
            QCOMPARE(inventoryItems().Count("", ""), 3);
            return;
        }
        e.prompts.answerMessage(QMessageBox::Ok, message);
        e.save();
        QCOMPARE(e.prompts.boxes().first().text, message);
        QCOMPARE(e.prompts.boxes().first().icon, QMessageBox::Warning);
        QVERIFY(hasFocus(e.control(field.section('+', 0, 0))));
        QVERIFY(dialog.isVisible() && dialog.wasCancelled());
        QCOMPARE(inventoryItems().Count("", ""), 2);
    }

    void replacementPriceOfANewItem_data() {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("percent");
        QTest::addColumn<QString>("purchase");
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<qint64>("stored");
        const auto row = [](const char* name, const char* option, const char* percent,
                            const char* purchase, const char* replacement, qint64 stored) {
            QTest::newRow(name) << QString(option) << QString(percent) << QString(purchase)
                                << QString(replacement) << stored;
        };
        row("80 % of 250", "2", "80", "250", "", 2000000);
        row("percent kept to four decimals", "2", "80", "12.34", "", 98720);
        row("percent never stored: 100 %", "2", "", "250", "", 2500000);
        row("percent without purchase price", "2", "80", "", "", 0);
        row("purchase price", "1", "", "250", "", 2500000);
        row("leave blank", "0", "", "250", "", 0);
        row("typed price wins", "1", "", "250", "99.5", 995000);
    }
    void replacementPriceOfANewItem() {
        QFETCH(QString, option);
        QFETCH(QString, percent);
        QFETCH(QString, purchase);
        QFETCH(QString, replacement);
        QFETCH(qint64, stored);
        Editor e;
        Settings::setText(SettingKeys::ReplacePrice, option);
        if (!percent.isEmpty())
            Settings::setText(SettingKeys::ReplacePercent, percent);
        e.open("N");
        e.fillRequired();
        e.edit("txtPurchasePriceAM")->setText(purchase);
        e.edit("txtReplacementPriceAM")->setText(replacement);
        e.save();
        QVERIFY(e.prompts.boxes().isEmpty());
        QCOMPARE(e.storedUnits("ReplacePriceAM"), stored);
    }

    void editModeLoadsAndKeepsStoredAmounts() {
        Editor e;
        const QString comment = "He said \"50% off\" -- it's 'fine'; DROP TABLE tblItem;";
        runSqlite(e.databaseFile(),
                  "INSERT INTO tblItem (ManufacturerNM, ItemNM, ModelSeriesTX, "
                  "PurchaseLocationTX, PurchaseDT, WarrantyCD, WarrantyExpireDT, PurchasePriceAM, "
                  "ReplacePriceAM, AppraisalPriceAM, TypeTX, LocationTX, ReceiptCD, CommentsTX, "
                  "LastChangeDT) "
                  "VALUES ('O''Neil', 'Drill', 'PSB 500', 'Surf Shop; Pier 7', '2023-05-02', 1, "
                  "'2026-01-31', 125000, 98720, 0, 'Tools', 'Garage', 1, '" +
                      QString(comment).replace("'", "''") + "', '2001-01-01')");
        const qint64 id = e.lastItemID();
        // Prices shown rounded must not be stored rounded.
        Settings::setText(SettingKeys::RoundPrices, "1");
        Settings::setText(SettingKeys::ReplacePrice, "1");
        frmInventoryItem& dialog = e.open("E", id);

        QCOMPARE(dialog.windowTitle(), QString("Edit Inventory Item"));
        QVERIFY(!e.control("cmdSaveNew")->isVisible());
        for (const auto& [name, text] : {std::pair{"cboManufacturerNM", "O'Neil"},
                                         {"cboPurchaseLocationTX", "Surf Shop; Pier 7"},
                                         {"cboTypeTX", "Tools"},
                                         {"cboLocationTX", "Garage"}})
            QCOMPARE(e.combo(name)->currentText(), QString(text));
        for (const auto& [name, text] : {std::pair{"txtItemNM", "Drill"},
                                         {"txtModelSeriesTX", "PSB 500"},
                                         {"txtPurchasePriceAM", "13"},
                                         {"txtReplacementPriceAM", "10"},
                                         {"txtAppraisalPriceAM", "0"}})
            QCOMPARE(e.edit(name)->text(), QString(text));
        QCOMPARE(e.date("dtpPurchaseDT")->value(), QVariant(QDate(2023, 5, 2)));
        // The stored expiry date wins over the proposed one.
        QCOMPARE(e.date("dtpWarrantyExpireDT")->value(), QVariant(QDate(2026, 1, 31)));
        QVERIFY(e.control<QCheckBox>("chkReceiptCD")->isChecked());
        QVERIFY(!e.control<QCheckBox>("chkManualsCD")->isChecked());
        QCOMPARE(e.control<QPlainTextEdit>("txtCommentsTX")->toPlainText(), comment);
        QCOMPARE(e.control<QLabel>("lblLastChangeDT")->text(), QString("Last change: 1/1/2001"));

        // Untouched amounts keep their cents; a changed one is taken as typed; an emptied
        // replacement price is 0, whatever the option says.
        e.edit("txtAppraisalPriceAM")->setText("300");
        e.edit("txtModelSeriesTX")->setText("PSB 500 RE");
        e.save();
        QVERIFY(!dialog.wasCancelled());
        QCOMPARE(e.storedUnits("PurchasePriceAM"), 125000);
        QCOMPARE(e.storedUnits("ReplacePriceAM"), 98720);
        QCOMPARE(e.storedUnits("AppraisalPriceAM"), 3000000);
        QCOMPARE(e.stored("ModelSeriesTX"), QVariant("PSB 500 RE"));
        QCOMPARE(e.stored("CommentsTX"), QVariant(comment));
        QCOMPARE(e.stored("LastChangeDT"), QVariant(QDate::currentDate()));
        e.open("E", id);
        e.edit("txtReplacementPriceAM")->clear();
        e.save();
        QCOMPARE(e.storedUnits("ReplacePriceAM"), 0);
        QCOMPARE(e.stored("WarrantyExpireDT"), QVariant(QDate(2026, 1, 31)));
    }

    void editingAnItemThatIsGone() {
        Editor e;
        e.prompts.answerMessage(QMessageBox::Ok, "ERROR - read for item edit failed.");
        frmInventoryItem& dialog = e.open("E", 999);
        QCOMPARE(e.prompts.boxes().first().icon, QMessageBox::Critical);
        QCOMPARE(e.edit("txtItemNM")->text(), QString());
        click(&dialog, "cmdClose");
        QVERIFY(dialog.wasCancelled());
    }

    void saveNewStoresAndStartsAgain() {
        Editor e;
        frmInventoryItem& dialog = e.open("N");
        QSignalSpy added(&dialog, &frmInventoryItem::itemAdded);
        e.combo("cboManufacturerNM")->setEditText("O'Neil");
        e.combo("cboPurchaseLocationTX")->setEditText("Surf Shop; Pier 7");
        e.fillRequired();
        e.edit("txtModelSeriesTX")->setText("50%_off");
        e.date("dtpPurchaseDT")->setDate(QDate(2024, 2, 29));
        e.control<QCheckBox>("chkManualsCD")->click();
        // The warranty box proposes tomorrow, and shows no date when unticked.
        auto* warranty = e.control<QCheckBox>("chkWarrantyCD");
        OptionalDateEdit* expiry = e.date("dtpWarrantyExpireDT");
        const QDate tomorrow = QDate::currentDate().addDays(1);
        warranty->click();
        QCOMPARE(warranty->text(), QString("Under warranty until"));
        QVERIFY(expiry->isVisible() && !expiry->checkBox()->isVisible());
        warranty->click();
        QCOMPARE(warranty->text(), QString("Under warranty?"));
        QVERIFY(!expiry->isVisible() && expiry->isNull());
        warranty->click();
        QCOMPARE(expiry->value(), QVariant(tomorrow));
        click(&dialog, "cmdSaveNew");

        QCOMPARE(added.count(), 1);
        QCOMPARE(e.stored("WarrantyExpireDT"), QVariant(tomorrow));
        QCOMPARE(e.stored("ManufacturerNM"), QVariant("O'Neil"));
        QCOMPARE(e.stored("PurchaseLocationTX"), QVariant("Surf Shop; Pier 7"));
        QCOMPARE(e.stored("ModelSeriesTX"), QVariant("50%_off"));
        QVERIFY(dialog.isVisible() && !dialog.wasCancelled());
        // A fresh form, whose lists know the new manufacturer.
        for (const char* name : {"txtItemNM", "txtModelSeriesTX"})
            QCOMPARE(e.edit(name)->text(), QString());
        for (const char* name : {"cboManufacturerNM", "cboTypeTX", "cboPurchaseLocationTX"})
            QCOMPARE(e.combo(name)->currentText(), QString());
        QVERIFY(e.combo("cboManufacturerNM")->findText("O'Neil") >= 0);
        QVERIFY(e.date("dtpPurchaseDT")->isNull());
        QVERIFY(!warranty->isChecked() && !expiry->isVisible());
        QVERIFY(!e.control<QCheckBox>("chkManualsCD")->isChecked());
        QVERIFY(hasFocus(e.combo("cboManufacturerNM")));

        // Leaving stores nothing of what is on the form.
        e.fillRequired();
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(!dialog.isVisible() && dialog.wasCancelled());
        QCOMPARE(inventoryItems().Count("", ""), 3);
    }

    void typeAheadInManufacturerAndPurchasePlace() {
        Editor e;
        e.open("N");
        // Keys go where a person's keys go: to the widget with the focus.
        QLineEdit* manufacturer = e.combo("cboManufacturerNM")->lineEdit();
        e.combo("cboManufacturerNM")->setFocus();
        QTest::keyClicks(QApplication::focusWidget(), "so");
        QCOMPARE(manufacturer->text(), QString("Sony"));
        QCOMPARE(manufacturer->selectedText(), QString("ny"));
        e.combo("cboPurchaseLocationTX")->setFocus();
        QTest::keyClicks(QApplication::focusWidget(), "c");
        QCOMPARE(e.combo("cboPurchaseLocationTX")->lineEdit()->selectedText(), QString("ostco"));
    }
};

DOMIVO_GUI_TEST_MAIN(InventoryItemTest)
#include "tst_inventoryitem.moc"
