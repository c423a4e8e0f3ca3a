// The item editor: both modes, the checks in their order with their messages and focus, the
// replacement price of a new item, the warranty date, Save / New Item, and text that reaches
// the database unchanged.

#include "GuiTest.h"

#include "app/Globals.h"
#include "app/Settings.h"
#include "types/DateText.h"
#include "widgets/OptionalDateEdit.h"
#include "windows/inventory/frmInventoryItem.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>

namespace {

// A seeded database with two items, and the editor over it.
struct Editor {
    GuiTestEnvironment env;
    ScriptedPrompts prompts;
    std::unique_ptr<frmInventoryItem> dialog;

    Editor() {
        gData = std::make_unique<dvData>();
        gData->setPath(env.databaseFile());
        items().Add({.ManufacturerNM = "Sony",
                     .ItemNM = "Television",
                     .PurchaseLocationTX = "Costco",
                     .TypeTX = "Electronics",
                     .LocationTX = "Family Room"});
        items().Add({.ManufacturerNM = "Samsung",
                     .ItemNM = "Fridge",
                     .TypeTX = "Appliances",
                     .LocationTX = "Kitchen"});
    }
    const invItem& items() const { return gData->Inventory().Item(); }
    frmInventoryItem& open(const QString& action, qint64 itemID = 0) {
        dialog = std::make_unique<frmInventoryItem>();
        dialog->setFormAction(action);
        dialog->setEditItemID(itemID);
        dialog->Form_Load();
        dialog->show();
        dialog->activateWindow();
        if (!QTest::qWaitForWindowActive(dialog.get()))
            qWarning("the editor did not become active");
        return *dialog;
    }
    template <class T = QWidget> T* control(const char* name) {
        T* widget = child<T>(dialog.get(), QLatin1String(name));
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }
    QLineEdit* edit(const char* name) { return control<QLineEdit>(name); }
    QComboBox* combo(const char* name) { return control<QComboBox>(name); }
    OptionalDateEdit* date(const char* name) { return control<OptionalDateEdit>(name); }
    QCheckBox* check(const char* name) { return control<QCheckBox>(name); }
    void choose(const char* name, const QString& entry) {
        combo(name)->setCurrentIndex(combo(name)->findText(entry));
    }
    // The least a new item needs.
    void fillRequired() {
        edit("txtItemNM")->setText("Lamp");
        choose("cboTypeTX", "Furniture");
        choose("cboLocationTX", "Living Room");
    }
    void click(const char* name) { control<QPushButton>(name)->click(); }
    bool focusIsOn(const char* name) {
        QWidget* focus = QApplication::focusWidget();
        QWidget* target = control(name);
        return focus && (focus == target || target->isAncestorOf(focus));
    }
    qint64 lastItemID() const {
        return items().List("", "", "ItemID DESC").value(0, "ItemID").toLongLong();
    }
    QVariant stored(const char* column) const {
        return items().Retrieve(lastItemID()).value(0, QLatin1String(column));
    }
};

void setRequired(const QString& key) {
    const QByteArray name = key.toLatin1();
    Settings::setText(SettingKey{"Required", name.constData()}, QStringLiteral("1"));
}

qint64 units(const QVariant& amount) {
    return amount.value<Currency>().units();
}

} // namespace

class InventoryItemTest : public QObject {
    Q_OBJECT

private slots:
    void addModeOffersTheListsAndNoSelection();
    void checksInOrder_data();
    void checksInOrder();
    void limitsAreAccepted();
    void replacementPriceOfANewItem_data();
    void replacementPriceOfANewItem();
    void warrantyProposesTomorrow();
    void editModeLoadsAndKeepsStoredAmounts();
    void editingAnItemThatIsGone();
    void saveNewStoresAndStartsAgain();
    void typeAheadInManufacturerAndPurchasePlace();
    void userTextIsStoredAndShownUnchanged();
};

void InventoryItemTest::addModeOffersTheListsAndNoSelection() {
    Editor e;
    frmInventoryItem& dialog = e.open("N");

    QCOMPARE(dialog.windowTitle(), QStringLiteral("Add New Inventory Item"));
    QVERIFY(e.control("cmdSaveNew")->isVisible());
    QVERIFY(!e.control("lblLastChangeDT")->isVisible());
    QCOMPARE(e.combo("cboTypeTX")->count(), 23);
    QCOMPARE(e.combo("cboLocationTX")->count(), 23);
    // The manufacturers and places already used, without the empty one.
    QCOMPARE(e.combo("cboManufacturerNM")->itemText(0), QStringLiteral("Samsung"));
    QCOMPARE(e.combo("cboManufacturerNM")->count(), 2);
    QCOMPARE(e.combo("cboPurchaseLocationTX")->count(), 1);
    for (const char* name :
         {"cboTypeTX", "cboLocationTX", "cboManufacturerNM", "cboPurchaseLocationTX"}) {
        QCOMPARE(e.combo(name)->currentIndex(), -1);
        QCOMPARE(e.combo(name)->currentText(), QString());
    }
    QVERIFY(e.date("dtpPurchaseDT")->isNull());
    QVERIFY(!e.date("dtpWarrantyExpireDT")->isVisible());
    QCOMPARE(e.check("chkWarrantyCD")->text(), QStringLiteral("Under warranty?"));
    QVERIFY(dialog.wasCancelled());
    for (const char* name : {"hdgManufacturer", "hdgModelSeries", "hdgPurchaseDate"})
        QVERIFY2(!e.control<QLabel>(name)->font().bold(), name);

    // Required fields have bold headings.
    setRequired("Manufacturer");
    setRequired("Purchase Date");
    e.open("N");
    QVERIFY(e.control<QLabel>("hdgManufacturer")->font().bold());
    QVERIFY(e.control<QLabel>("hdgPurchaseDate")->font().bold());
    QVERIFY(!e.control<QLabel>("hdgModelSeries")->font().bold());
}

void InventoryItemTest::checksInOrder_data() {
    QTest::addColumn<QString>("required");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("message");
    const auto row = [](const char* name, const char* required, const char* field,
                        const QString& value, const QString& message) {
        QTest::newRow(name) << QString(required) << QString(field) << value << message;
    };
    const QString options = "You have specified in the OPTIONS that the ";
    const QString purchase = "The purchase price must be a valid numeric value.";
    row("1", "Manufacturer", "cboManufacturerNM", "", options + "manufacturer is required.");
    row("2: 31 characters", "", "cboManufacturerNM", QString(31, 'm'),
        "The manufacturer field cannot be longer than 30 characters.");
    row("3", "", "txtItemNM", "", "You must provide an item name.");
    row("4", "Model", "txtModelSeriesTX", "", options + "Model Series is required.");
    row("5", "Purchase Location", "cboPurchaseLocationTX", "",
        options + "purchase location is required.");
    row("6: 256 characters", "", "cboPurchaseLocationTX", QString(256, 'p'),
        "The purchase location field cannot be longer than 255 characters.");
    row("7", "Purchase Date", "dtpPurchaseDT", "", options + "purchase date is required.");
    row("8", "Purchase Price", "txtPurchasePriceAM", "", options + "purchase price is required.");
    row("9: dollar sign", "", "txtPurchasePriceAM", "$12", purchase);
    row("9: negative", "", "txtPurchasePriceAM", "-1", purchase);
    row("9: three decimals", "", "txtPurchasePriceAM", "12.345", purchase);
    row("9: a word", "", "txtPurchasePriceAM", "twelve", purchase);
    row("10", "", "txtReplacementPriceAM", "$12",
        "The replacement price must be a valid numeric value.");
    row("11", "", "txtAppraisalPriceAM", "12.345",
        "The appraisal price must be a valid numeric value.");
    row("12", "", "cboTypeTX", "", "You must select a type of item.");
    row("13", "", "cboLocationTX", "", "You must select the current location of the item.");
    // Several faults: the first check that fails speaks, and takes the focus.
    row("order", "", "txtItemNM+cboTypeTX", "", "You must provide an item name.");
}

void InventoryItemTest::checksInOrder() {
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
        QWidget* control = e.control(name.toLatin1().constData());
        if (auto* edit = qobject_cast<QLineEdit*>(control))
            edit->setText(value);
        else if (auto* combo = qobject_cast<QComboBox*>(control); combo && combo->isEditable())
            combo->setEditText(value);
        else if (combo)
            combo->setCurrentIndex(-1);
        else if (auto* date = qobject_cast<OptionalDateEdit*>(control))
            date->clear();
    }
    e.prompts.answerMessage(QMessageBox::Ok);
    e.click("cmdSaveExit");

    QCOMPARE(e.prompts.boxes().size(), 1);
    QCOMPARE(e.prompts.boxes().first().text, message);
    QCOMPARE(e.prompts.boxes().first().icon, QMessageBox::Warning);
    QCOMPARE(e.prompts.boxes().first().title, QStringLiteral("Add New Inventory Item"));
    QVERIFY2(e.focusIsOn(field.section('+', 0, 0).toLatin1().constData()),
             qPrintable(QApplication::focusWidget() ? QApplication::focusWidget()->objectName()
                                                    : QStringLiteral("no focus")));
    QVERIFY(dialog.isVisible());
    QVERIFY(dialog.wasCancelled());
    QCOMPARE(e.items().Count("", ""), 2);
}

void InventoryItemTest::limitsAreAccepted() {
    Editor e;
    frmInventoryItem& dialog = e.open("N");
    e.fillRequired();
    e.combo("cboManufacturerNM")->setEditText(QString(30, 'm'));
    e.combo("cboPurchaseLocationTX")->setEditText(QString(255, 'p'));
    e.edit("txtPurchasePriceAM")->setText("12.5");
    e.edit("txtAppraisalPriceAM")->setText("1,000.25");
    e.click("cmdSaveExit");

    QVERIFY(e.prompts.boxes().isEmpty());
    QVERIFY(!dialog.isVisible());
    QVERIFY(!dialog.wasCancelled());
    QCOMPARE(e.stored("ManufacturerNM").toString(), QString(30, 'm'));
    QCOMPARE(e.stored("PurchaseLocationTX").toString().size(), 255);
    QCOMPARE(units(e.stored("PurchasePriceAM")), 125000);
    QCOMPARE(units(e.stored("AppraisalPriceAM")), 10002500);
    QCOMPARE(e.stored("LastChangeDT"), QVariant(QDate::currentDate()));
}

void InventoryItemTest::replacementPriceOfANewItem_data() {
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

void InventoryItemTest::replacementPriceOfANewItem() {
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
    e.click("cmdSaveExit");

    QVERIFY(e.prompts.boxes().isEmpty());
    QCOMPARE(units(e.stored("ReplacePriceAM")), stored);
}

void InventoryItemTest::warrantyProposesTomorrow() {
    Editor e;
    e.open("N");
    QCheckBox* warranty = e.check("chkWarrantyCD");
    OptionalDateEdit* expiry = e.date("dtpWarrantyExpireDT");

    warranty->click();
    QCOMPARE(warranty->text(), QStringLiteral("Under warranty until"));
    QVERIFY(expiry->isVisible());
    QVERIFY(!expiry->checkBox()->isVisible());
    QCOMPARE(expiry->value(), QVariant(QDate::currentDate().addDays(1)));

    warranty->click();
    QCOMPARE(warranty->text(), QStringLiteral("Under warranty?"));
    QVERIFY(!expiry->isVisible());
    QVERIFY(expiry->isNull());

    warranty->click();
    e.fillRequired();
    e.click("cmdSaveExit");
    QCOMPARE(e.stored("WarrantyCD"), QVariant(true));
    QCOMPARE(e.stored("WarrantyExpireDT"), QVariant(QDate::currentDate().addDays(1)));
}

void InventoryItemTest::editModeLoadsAndKeepsStoredAmounts() {
    Editor e;
    e.items().Add({.ManufacturerNM = "Bosch",
                   .ItemNM = "Drill",
                   .ModelSeriesTX = "PSB 500",
                   .SerialNumberID = "SN-1",
                   .PurchaseLocationTX = "Costco",
                   .PurchaseDT = QDate(2023, 5, 2),
                   .WarrantyCD = true,
                   .WarrantyExpireDT = QDate(2026, 1, 31),
                   .WarrantyDocumentCD = true,
                   .PurchasePriceAM = QVariant::fromValue(Currency::fromUnits(125000)),
                   .ReplacePriceAM = QVariant::fromValue(Currency::fromUnits(98720)),
                   .TypeTX = "Tools",
                   .LocationTX = "Garage",
                   .ReceiptCD = true,
                   .CommentsTX = "Blue case"});
    const qint64 id = e.lastItemID();
    runSqlite(
        e.env.databaseFile(),
        QStringLiteral("UPDATE tblItem SET LastChangeDT = '2001-01-01' WHERE ItemID = %1").arg(id));
    // Prices shown rounded must not be stored rounded.
    Settings::setText(SettingKeys::RoundPrices, "1");
    Settings::setText(SettingKeys::ReplacePrice, "1");
    frmInventoryItem& dialog = e.open("E", id);

    QCOMPARE(dialog.windowTitle(), QStringLiteral("Edit Inventory Item"));
    QVERIFY(!e.control("cmdSaveNew")->isVisible());
    QCOMPARE(e.combo("cboManufacturerNM")->currentText(), QStringLiteral("Bosch"));
    QCOMPARE(e.edit("txtItemNM")->text(), QStringLiteral("Drill"));
    QCOMPARE(e.edit("txtModelSeriesTX")->text(), QStringLiteral("PSB 500"));
    QCOMPARE(e.edit("txtSerialNumberID")->text(), QStringLiteral("SN-1"));
    QCOMPARE(e.combo("cboPurchaseLocationTX")->currentText(), QStringLiteral("Costco"));
    QCOMPARE(e.combo("cboTypeTX")->currentText(), QStringLiteral("Tools"));
    QCOMPARE(e.combo("cboLocationTX")->currentText(), QStringLiteral("Garage"));
    QCOMPARE(e.date("dtpPurchaseDT")->value(), QVariant(QDate(2023, 5, 2)));
    // The stored expiry date wins over the proposed one.
    QVERIFY(e.check("chkWarrantyCD")->isChecked());
    QCOMPARE(e.date("dtpWarrantyExpireDT")->value(), QVariant(QDate(2026, 1, 31)));
    QVERIFY(e.check("chkWarrantyDocumentCD")->isChecked());
    QVERIFY(e.check("chkReceiptCD")->isChecked());
    QVERIFY(!e.check("chkManualsCD")->isChecked());
    QCOMPARE(e.edit("txtPurchasePriceAM")->text(), QStringLiteral("13"));
    QCOMPARE(e.edit("txtReplacementPriceAM")->text(), QStringLiteral("10"));
    QCOMPARE(e.edit("txtAppraisalPriceAM")->text(), QStringLiteral("0"));
    QCOMPARE(e.control<QPlainTextEdit>("txtCommentsTX")->toPlainText(),
             QStringLiteral("Blue case"));
    QCOMPARE(e.control<QLabel>("lblLastChangeDT")->text(), QStringLiteral("Last change: 1/1/2001"));
    QVERIFY(e.control("lblLastChangeDT")->isVisible());

    // Untouched amounts keep their cents; a changed one is taken as typed; an emptied
    // replacement price is 0, whatever the option says.
    e.edit("txtAppraisalPriceAM")->setText("300");
    e.edit("txtModelSeriesTX")->setText("PSB 500 RE");
    e.click("cmdSaveExit");
    QVERIFY(!dialog.wasCancelled());
    QCOMPARE(units(e.stored("PurchasePriceAM")), 125000);
    QCOMPARE(units(e.stored("ReplacePriceAM")), 98720);
    QCOMPARE(units(e.stored("AppraisalPriceAM")), 3000000);
    QCOMPARE(e.stored("ModelSeriesTX").toString(), QStringLiteral("PSB 500 RE"));
    QCOMPARE(e.stored("LastChangeDT"), QVariant(QDate::currentDate()));

    e.open("E", id);
    e.edit("txtReplacementPriceAM")->clear();
    e.click("cmdSaveExit");
    QCOMPARE(units(e.stored("ReplacePriceAM")), 0);
    QCOMPARE(e.stored("WarrantyExpireDT"), QVariant(QDate(2026, 1, 31)));
}

void InventoryItemTest::editingAnItemThatIsGone() {
    Editor e;
    e.prompts.answerMessage(QMessageBox::Ok, "ERROR - read for item edit failed.");
    frmInventoryItem& dialog = e.open("E", 999);
    QCOMPARE(e.prompts.boxes().first().icon, QMessageBox::Critical);
    QCOMPARE(e.prompts.boxes().first().title, QStringLiteral("Edit Inventory Item"));
    QCOMPARE(e.edit("txtItemNM")->text(), QString());
    e.click("cmdClose");
    QVERIFY(dialog.wasCancelled());
}

void InventoryItemTest::saveNewStoresAndStartsAgain() {
    Editor e;
    frmInventoryItem& dialog = e.open("N");
    QSignalSpy added(&dialog, &frmInventoryItem::itemAdded);
    e.combo("cboManufacturerNM")->setEditText("Bosch");
    e.fillRequired();
    e.edit("txtSerialNumberID")->setText("SN-9");
    e.date("dtpPurchaseDT")->setDate(QDate(2024, 2, 29));
    e.check("chkWarrantyCD")->click();
    e.check("chkManualsCD")->click();
    e.click("cmdSaveNew");

    QCOMPARE(added.count(), 1);
    QCOMPARE(e.items().Count("", ""), 3);
    QCOMPARE(e.stored("ManufacturerNM").toString(), QStringLiteral("Bosch"));
    QVERIFY(dialog.isVisible());
    QVERIFY(!dialog.wasCancelled());
    // A fresh form, whose lists know the new manufacturer.
    for (const char* name : {"txtItemNM", "txtSerialNumberID", "txtPurchasePriceAM"})
        QCOMPARE(e.edit(name)->text(), QString());
    for (const char* name :
         {"cboManufacturerNM", "cboTypeTX", "cboLocationTX", "cboPurchaseLocationTX"})
        QCOMPARE(e.combo(name)->currentText(), QString());
    QVERIFY(e.combo("cboManufacturerNM")->findText("Bosch") >= 0);
    QVERIFY(e.date("dtpPurchaseDT")->isNull());
    QVERIFY(!e.check("chkWarrantyCD")->isChecked());
    QVERIFY(!e.check("chkManualsCD")->isChecked());
    QVERIFY(!e.date("dtpWarrantyExpireDT")->isVisible());
    QVERIFY(e.focusIsOn("cboManufacturerNM"));

    // Leaving stores nothing of what is on the form.
    e.fillRequired();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QVERIFY(!dialog.isVisible());
    QVERIFY(dialog.wasCancelled());
    QCOMPARE(e.items().Count("", ""), 3);
}

void InventoryItemTest::typeAheadInManufacturerAndPurchasePlace() {
    Editor e;
    e.open("N");
    // Keys go where a person's keys go: to the widget with the focus.
    QLineEdit* manufacturer = e.combo("cboManufacturerNM")->lineEdit();
    e.combo("cboManufacturerNM")->setFocus();
    QTest::keyClicks(QApplication::focusWidget(), "so");
    QCOMPARE(manufacturer->text(), QStringLiteral("Sony"));
    QCOMPARE(manufacturer->selectedText(), QStringLiteral("ny"));
    // Backspace takes the suggestion away and suggests nothing new.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
    QCOMPARE(manufacturer->text(), QStringLiteral("So"));

    QLineEdit* place = e.combo("cboPurchaseLocationTX")->lineEdit();
    e.combo("cboPurchaseLocationTX")->setFocus();
    QTest::keyClicks(QApplication::focusWidget(), "c");
    QCOMPARE(place->text(), QStringLiteral("Costco"));
    QCOMPARE(place->selectedText(), QStringLiteral("ostco"));
}

void InventoryItemTest::userTextIsStoredAndShownUnchanged() {
    Editor e;
    const QString comment =
        QStringLiteral("He said \"50% off\" -- it's 'fine'; DROP TABLE tblItem;");
    e.open("N");
    e.fillRequired();
    e.combo("cboManufacturerNM")->setEditText("O'Neil");
    e.combo("cboPurchaseLocationTX")->setEditText("Surf Shop; Pier 7");
    e.edit("txtModelSeriesTX")->setText("50%_off");
    e.control<QPlainTextEdit>("txtCommentsTX")->setPlainText(comment);
    e.click("cmdSaveExit");

    QCOMPARE(e.stored("ManufacturerNM").toString(), QStringLiteral("O'Neil"));
    QCOMPARE(e.stored("PurchaseLocationTX").toString(), QStringLiteral("Surf Shop; Pier 7"));
    QCOMPARE(e.stored("ModelSeriesTX").toString(), QStringLiteral("50%_off"));
    QCOMPARE(e.stored("CommentsTX").toString(), comment);

    e.open("E", e.lastItemID());
    QCOMPARE(e.combo("cboManufacturerNM")->currentText(), QStringLiteral("O'Neil"));
    QCOMPARE(e.combo("cboPurchaseLocationTX")->currentText(), QStringLiteral("Surf Shop; Pier 7"));
    QCOMPARE(e.control<QPlainTextEdit>("txtCommentsTX")->toPlainText(), comment);
}

DOMIVO_GUI_TEST_MAIN(InventoryItemTest)
#include "tst_inventoryitem.moc"
