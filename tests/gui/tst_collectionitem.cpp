// The collection item editor: field controls built by type and placed by FieldID, the checks of
// a save with their messages, the values written for each kind of control and shown again, the
// replacement price of a new item, Save / New Item, and engine errors.

#include "GuiTest.h"

#include "app/Globals.h"
#include "app/Settings.h"
#include "records/Collection.h"
#include "types/DateText.h"
#include "widgets/OptionalDateEdit.h"
#include "windows/collections/FieldControl.h"
#include "windows/collections/frmCollectionItem.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>

namespace {

// A fresh database with three collections that between them use every field type:
//   Coins:  0 Year (integer), 1 Mint (fixed list P;D;S), 2 Grade (memory list), 3 Proof (yes/no)
//   Wine:   0 Region (text, required), 1 Bottles (float), 2 Drink by (date), 3 Cost (currency)
//   Gaps:   0 Bought (date, required), 2 Note (text) -- slots 1 and 3 unused
struct Editor {
    GuiTestEnvironment env;
    ScriptedPrompts prompts;
    std::unique_ptr<frmCollectionItem> window;

    Editor() {
        gData = std::make_unique<dvData>();
        gData->setPath(env.databaseFile());
        const Collection& collections = gData->Collection();
        collections.AddWithFields("Coins", "",
                                  {{0, "Year", 3, false, ""},
                                   {1, "Mint", 1, false, "P;D;S"},
                                   {2, "Grade", 2, false, ""},
                                   {3, "Proof", 5, false, ""}});
        collections.AddWithFields("Wine", "",
                                  {{0, "Region", 0, true, ""},
                                   {1, "Bottles", 4, false, ""},
                                   {2, "Drink by", 6, false, ""},
                                   {3, "Cost", 7, false, ""}});
        collections.AddWithFields("Gaps", "",
                                  {{0, "Bought", 6, true, ""}, {2, "Note", 0, false, ""}});
        collections.Item().AddWithValues("Coins", "Penny", "12.5", "", "", "",
                                         {{0, "1909"}, {1, "W"}, {2, "VF"}, {3, "1"}});
    }
    void open(const QString& collection, const QString& mode = "N", qint64 itemID = 0) {
        window = std::make_unique<frmCollectionItem>();
        window->setCollectionName(collection);
        window->setMode(mode);
        window->setItemID(itemID);
        window->show();
    }
    template <class T = QLineEdit> T* get(const QString& name) const {
        T* found = child<T>(window.get(), name);
        if (!found)
            QTest::qFail(qPrintable("no control " + name), __FILE__, __LINE__);
        return found;
    }
    void click(const char* name) { get<QPushButton>(QLatin1String(name))->click(); }
    // Saves and expects the refusal `message` with the focus on `focus`.
    void refused(const QString& message, QWidget* focus) {
        prompts.answerMessage(QMessageBox::Ok);
        click("cmdSaveExit");
        QCOMPARE(prompts.boxes().last().text, message);
        QCOMPARE(prompts.boxes().last().icon, QMessageBox::Warning);
        QCOMPARE(prompts.boxes().last().title, window->windowTitle());
        QCOMPARE(window->focusWidget(), focus);
        QVERIFY(window->isVisible());
    }
    static QString values(qint64 itemID) {
        const Recordset rows = gData->Collection().Item().Field().Retrieve(itemID, 0);
        QStringList texts;
        for (int row = 0; row < rows.rowCount(); ++row)
            texts << rows.value(row, "FieldID").toString() + "=" +
                         rows.value(row, "FieldValueTX").toString();
        return texts.join(",");
    }
    static qint64 itemID(const QString& collection, const QString& name) {
        return gData->Collection()
            .Item()
            .Retrieve(std::nullopt, name, collection)
            .value(0, "ItemID")
            .toLongLong();
    }
};

} // namespace

class CollectionItemTest : public QObject {
    Q_OBJECT

private slots:
    void slotsFollowTheStoredFieldIds();
    void controlsAreBuiltByFieldType();
    void checksRunInOrder();
    void duplicateNamesWithinTheCollectionOnly();
    void valuesAreStoredAndShownAgain();
    void datesAreStoredInTheirShortForm();
    void replacementPriceOfANewItem();
    void saveNewClearsForTheNextItem();
    void engineErrorWritesNothing();
};

void CollectionItemTest::slotsFollowTheStoredFieldIds() {
    Editor editor;
    editor.open("Gaps");
    QCOMPARE(editor.window->windowTitle(), QStringLiteral("Add New Item to 'Gaps'"));
    QVERIFY(!editor.get<QLabel>("lblLastChangeDT")->isVisible());
    QVERIFY(editor.get<QPushButton>("cmdSaveNew")->isVisible());

    QLabel* bought = editor.get<QLabel>("hdgField_0");
    QLabel* note = editor.get<QLabel>("hdgField_2");
    QCOMPARE(bought->text(), QStringLiteral("Bought"));
    QVERIFY(bought->font().bold());
    QCOMPARE(note->text(), QStringLiteral("Note"));
    QVERIFY(!note->font().bold());
    QVERIFY(!editor.get<QLabel>("hdgField_1")->isVisible());
    QVERIFY(!editor.get<QLabel>("hdgField_3")->isVisible());
    // Top left and bottom left, each control under its heading.
    QCOMPARE(bought->pos(), QPoint(8, 64));
    QCOMPARE(note->pos(), QPoint(8, 112));
    auto* date = editor.get<QDateEdit>("dtpField_0");
    QCOMPARE(date->pos(), QPoint(8, 80));
    QCOMPARE(date->date(), QDate::currentDate());
    QCOMPARE(editor.get<QLineEdit>("txtField_2")->pos(), QPoint(8, 128));
    QCOMPARE(editor.window->findChildren<QLineEdit*>(QRegularExpression("^txtField_[13]$")).size(),
             0);

    // The tab order: name, the fields by slot, the prices, comments, the buttons. (Tab also
    // steps through the parts of a date before it leaves it.)
    editor.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(editor.window.get()));
    editor.get("txtItemNM")->setFocus();
    QStringList order;
    for (int step = 0; step < 12 && order.size() < 6; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* focus = QApplication::focusWidget();
        while (focus && focus->objectName().isEmpty())
            focus = focus->parentWidget();
        const QString name = focus ? focus->objectName() : QString();
        if (order.isEmpty() || order.last() != name)
            order << name;
    }
    QCOMPARE(order, (QStringList{"dtpField_0", "txtField_2", "txtPurchasePriceAM",
                                 "txtAppraisalPriceAM", "txtReplacePriceAM", "txtCommentsTX"}));

    // The hidden slots are neither checked nor written.
    editor.get("txtItemNM")->setText("Lamp");
    editor.click("cmdSaveExit");
    QVERIFY(!editor.window->cancelled());
    QCOMPARE(Editor::values(Editor::itemID("Gaps", "Lamp")),
             "0=" + DateText::shortDate(QDate::currentDate()) + ",2=");
}

void CollectionItemTest::controlsAreBuiltByFieldType() {
    const QStringList kinds = {"TEXTBOX", "LISTBOX",  "COMBOBOX",   "TEXTBOX",
                               "TEXTBOX", "CHECKBOX", "DATEPICKER", "TEXTBOX"};
    for (int type = 0; type < kinds.size(); ++type)
        QCOMPARE(FieldControl::kindOf(type), kinds.at(type));
    QCOMPARE(FieldControl::kindOf(8), QString());
    QVERIFY(FieldControl::create({"Coins", 0, 8, false, ""}, nullptr).isNull());

    Editor editor;
    gData->Collection().Item().AddWithValues("Coins", "Dime", "", "", "", "",
                                             {{0, ""}, {1, "D"}, {2, ""}, {3, "0"}});
    editor.open("Coins");
    auto* mint = editor.get<QComboBox>("lstField_1");
    QVERIFY(!mint->isEditable());
    QCOMPARE(mint->count(), 3);
    QCOMPARE(mint->itemText(2), QStringLiteral("S"));
    QCOMPARE(mint->currentIndex(), -1);
    auto* grade = editor.get<QComboBox>("cboField_2");
    QVERIFY(grade->isEditable());
    // The values already used, without the empty one; nothing chosen yet.
    QCOMPARE(grade->count(), 1);
    QCOMPARE(grade->itemText(0), QStringLiteral("VF"));
    QCOMPARE(grade->currentText(), QString());
    // Type-ahead completes from the values already used, with the keys given to the box as
    // the window system gives them.
    grade->setFocus();
    QTest::keyClick(grade, Qt::Key_V, Qt::ShiftModifier);
    QCOMPARE(grade->currentText(), QStringLiteral("VF"));
    QVERIFY(!editor.get<QCheckBox>("chkField_3")->isChecked());
    QCOMPARE(editor.get("txtField_0")->maxLength(), 255);

    editor.open("Wine");
    QVERIFY(editor.get("txtField_0"));
    QVERIFY(editor.get("txtField_1"));
    auto* drinkBy = editor.get<OptionalDateEdit>("dtpField_2");
    QVERIFY(drinkBy->isNull());
    QCOMPARE(editor.get("txtField_3")->maxLength(), 15);
    QCOMPARE(editor.get("txtPurchasePriceAM")->maxLength(), 15);
}

void CollectionItemTest::checksRunInOrder() {
    Editor editor;
    editor.open("Wine");
    QLineEdit* name = editor.get("txtItemNM");
    editor.refused("You must provide an item name.", name);
    name->setText("Rioja");
    editor.refused("Please specify a valid value for the 'Region' field.",
                   editor.get("txtField_0"));
    editor.get("txtField_0")->setText("Spain");
    editor.get("txtField_1")->setText("two");
    editor.refused("Please specify a valid value for the 'Bottles' field.",
                   editor.get("txtField_1"));
    editor.get("txtField_1")->setText("1.5");
    editor.get("txtField_3")->setText("12.505");
    editor.refused("Please specify a valid value for the 'Cost' field.", editor.get("txtField_3"));
    editor.get("txtField_3")->setText("$12.50");

    QLineEdit* purchase = editor.get("txtPurchasePriceAM");
    purchase->setText("$12.50");
    editor.refused("The purchase price must be a valid numeric value.", purchase);
    purchase->setText("12.50");
    editor.get("txtReplacePriceAM")->setText("lots");
    editor.get("txtAppraisalPriceAM")->setText("-1");
    editor.refused("The replacement price must be a valid numeric value.",
                   editor.get("txtReplacePriceAM"));
    editor.get("txtReplacePriceAM")->clear();
    editor.refused("The appraisal price must be a valid numeric value.",
                   editor.get("txtAppraisalPriceAM"));
    QCOMPARE(gData->Collection().Item().Count("Wine"), 0);
    editor.get("txtAppraisalPriceAM")->setText("1,000");
    editor.click("cmdSaveExit");
    QVERIFY(!editor.window->isVisible());
    const qint64 rioja = Editor::itemID("Wine", "Rioja");
    QCOMPARE(Editor::values(rioja), QStringLiteral("0=Spain,1=1.5,2=,3=$12.50"));
    const Recordset item = gData->Collection().Item().Retrieve(rioja);
    QCOMPARE(item.value(0, "PurchasePriceAM").value<Currency>(), Currency::fromUnits(125000));
    QCOMPARE(item.value(0, "AppraisalPriceAM").value<Currency>(), Currency::fromWhole(1000));

    // An optional whole number: 1.5 is refused, nothing is accepted.
    editor.open("Coins");
    editor.get("txtItemNM")->setText("Nickel");
    editor.get("txtField_0")->setText("1.5");
    editor.refused("Please specify a valid value for the 'Year' field.", editor.get("txtField_0"));
    editor.get("txtField_0")->clear();
    editor.click("cmdSaveExit");
    QCOMPARE(Editor::values(Editor::itemID("Coins", "Nickel")), QStringLiteral("0=,1=,2=,3=0"));
}

void CollectionItemTest::duplicateNamesWithinTheCollectionOnly() {
    Editor editor;
    editor.open("Coins");
    editor.get("txtItemNM")->setText("PENNY");
    editor.refused("This item name is already on-file for this collection.",
                   editor.get("txtItemNM"));
    editor.open("Wine");
    editor.get("txtItemNM")->setText("Penny");
    editor.get("txtField_0")->setText("Bordeaux");
    editor.click("cmdSaveExit");
    QVERIFY(!editor.window->cancelled());
    QCOMPARE(gData->Collection().Item().Count("Wine"), 1);

    // An edited item keeps its own name, but cannot take another's.
    const qint64 dime = gData->Collection().Item().AddWithValues(
        "Coins", "Dime", "", "", "", "", {{0, ""}, {1, ""}, {2, ""}, {3, "0"}});
    editor.open("Coins", "E", dime);
    editor.get("txtItemNM")->setText("penny");
    editor.refused("This item name is already on-file for this collection.",
                   editor.get("txtItemNM"));
    editor.get("txtItemNM")->setText("DIME");
    editor.click("cmdSaveExit");
    QVERIFY(!editor.window->cancelled());
    QCOMPARE(gData->Collection().Item().Retrieve(dime).value(0, "ItemNM"), QVariant("DIME"));
}

void CollectionItemTest::valuesAreStoredAndShownAgain() {
    Editor editor;
    Settings::setText(SettingKeys::RoundPrices, "1");
    editor.open("Coins");
    editor.get("txtItemNM")->setText("Nickel");
    editor.get("txtField_0")->setText(" 1938 ");
    editor.get<QComboBox>("lstField_1")->setCurrentIndex(1);
    editor.get<QComboBox>("cboField_2")->setEditText("XF");
    editor.get<QCheckBox>("chkField_3")->setChecked(true);
    editor.get("txtPurchasePriceAM")->setText("0.75");
    editor.click("cmdSaveExit");
    const qint64 nickel = Editor::itemID("Coins", "Nickel");
    QCOMPARE(Editor::values(nickel), QStringLiteral("0=1938,1=D,2=XF,3=1"));

    editor.open("Coins", "E", nickel);
    QCOMPARE(editor.window->windowTitle(), QStringLiteral("Edit Item in 'Coins'"));
    QCOMPARE(editor.get<QLabel>("lblLastChangeDT")->text(),
             "Last change: " + DateText::shortDate(QDate::currentDate()));
    QVERIFY(editor.get<QLabel>("lblLastChangeDT")->isVisible());
    QVERIFY(!editor.get<QPushButton>("cmdSaveNew")->isVisible());
    QCOMPARE(editor.get<QPushButton>("cmdSaveExit")->pos(), QPoint(304, 296));
    QCOMPARE(editor.get("txtField_0")->text(), QStringLiteral("1938"));
    QCOMPARE(editor.get<QComboBox>("lstField_1")->currentText(), QStringLiteral("D"));
    QCOMPARE(editor.get<QComboBox>("cboField_2")->currentText(), QStringLiteral("XF"));
    QVERIFY(editor.get<QCheckBox>("chkField_3")->isChecked());
    // Prices keep their cents while the grids round them, so a save does not round them.
    QCOMPARE(editor.get("txtPurchasePriceAM")->text(), QStringLiteral("0.75"));
    QCOMPARE(editor.get("txtReplacePriceAM")->text(), QStringLiteral("0.00"));
    editor.get<QCheckBox>("chkField_3")->setChecked(false);
    editor.click("cmdSaveExit");
    QCOMPARE(Editor::values(nickel), QStringLiteral("0=1938,1=D,2=XF,3=0"));
    QCOMPARE(
        gData->Collection().Item().Retrieve(nickel).value(0, "PurchasePriceAM").value<Currency>(),
        Currency::fromUnits(7500));

    // A list value that is no longer offered shows no choice.
    editor.open("Coins", "E", Editor::itemID("Coins", "Penny"));
    QCOMPARE(editor.get<QComboBox>("lstField_1")->currentIndex(), -1);
    QCOMPARE(editor.get("txtPurchasePriceAM")->text(), QStringLiteral("12.50"));
}

void CollectionItemTest::datesAreStoredInTheirShortForm() {
    Editor editor;
    editor.open("Wine");
    editor.get("txtItemNM")->setText("Rioja");
    editor.get("txtField_0")->setText("Spain");
    editor.click("cmdSaveExit");
    const qint64 rioja = Editor::itemID("Wine", "Rioja");
    QCOMPARE(Editor::values(rioja), QStringLiteral("0=Spain,1=,2=,3="));

    editor.open("Wine", "E", rioja);
    auto* drinkBy = editor.get<OptionalDateEdit>("dtpField_2");
    QVERIFY(drinkBy->isNull());
    drinkBy->setDate(QDate(2031, 3, 5));
    editor.click("cmdSaveExit");
    QCOMPARE(Editor::values(rioja), QStringLiteral("0=Spain,1=,2=3/5/2031,3="));
    editor.open("Wine", "E", rioja);
    QCOMPARE(editor.get<OptionalDateEdit>("dtpField_2")->date(), QDate(2031, 3, 5));
}

void CollectionItemTest::replacementPriceOfANewItem() {
    Editor editor;
    const auto save = [&editor](const QString& name, const QString& purchase,
                                const QString& replacement) {
        editor.open("Gaps");
        editor.get("txtItemNM")->setText(name);
        editor.get("txtPurchasePriceAM")->setText(purchase);
        editor.get("txtReplacePriceAM")->setText(replacement);
        editor.click("cmdSaveExit");
        return gData->Collection()
            .Item()
            .Retrieve(Editor::itemID("Gaps", name))
            .value(0, "ReplacePriceAM")
            .value<Currency>();
    };
    Settings::setText(SettingKeys::ReplacePrice, "2");
    Settings::setText(SettingKeys::ReplacePercent, "150");
    QCOMPARE(save("Lamp", "100", ""), Currency::fromWhole(150));
    QCOMPARE(save("Chair", "100", "80"), Currency::fromWhole(80));
    QCOMPARE(save("Rug", "", ""), Currency());
    Settings::setText(SettingKeys::ReplacePercent, "");
    QCOMPARE(save("Vase", "1,000.50", ""), Currency::fromUnits(10005000));
    Settings::setText(SettingKeys::ReplacePrice, "1");
    QCOMPARE(save("Desk", "99.99", ""), Currency::fromUnits(999900));
    Settings::setText(SettingKeys::ReplacePrice, "0");
    QCOMPARE(save("Bed", "300", ""), Currency());

    // Editing applies no default.
    Settings::setText(SettingKeys::ReplacePrice, "1");
    editor.open("Gaps", "E", Editor::itemID("Gaps", "Bed"));
    editor.get("txtReplacePriceAM")->clear();
    editor.click("cmdSaveExit");
    QCOMPARE(gData->Collection()
                 .Item()
                 .Retrieve(Editor::itemID("Gaps", "Bed"))
                 .value(0, "ReplacePriceAM")
                 .value<Currency>(),
             Currency());
}

void CollectionItemTest::saveNewClearsForTheNextItem() {
    Editor editor;
    editor.open("Coins");
    QSignalSpy added(editor.window.get(), &frmCollectionItem::itemAdded);
    editor.get("txtItemNM")->setText("Nickel");
    editor.get<QComboBox>("lstField_1")->setCurrentIndex(2);
    editor.get<QComboBox>("cboField_2")->setEditText("AU");
    editor.get<QCheckBox>("chkField_3")->setChecked(true);
    editor.get("txtPurchasePriceAM")->setText("5");
    editor.get<QPlainTextEdit>("txtCommentsTX")->setPlainText("shiny");
    editor.click("cmdSaveNew");
    QCOMPARE(added.count(), 1);
    QVERIFY(!editor.window->cancelled());
    QVERIFY(editor.window->isVisible());
    QCOMPARE(Editor::values(Editor::itemID("Coins", "Nickel")), QStringLiteral("0=,1=S,2=AU,3=1"));

    QCOMPARE(editor.get("txtItemNM")->text(), QString());
    QCOMPARE(editor.window->focusWidget(), editor.get("txtItemNM"));
    QCOMPARE(editor.get("txtPurchasePriceAM")->text(), QString());
    QCOMPARE(editor.get<QPlainTextEdit>("txtCommentsTX")->toPlainText(), QString());
    QVERIFY(!editor.get<QCheckBox>("chkField_3")->isChecked());
    // The fixed list keeps its choice for the next item; the memory list offers the new value.
    QCOMPARE(editor.get<QComboBox>("lstField_1")->currentText(), QStringLiteral("S"));
    auto* grade = editor.get<QComboBox>("cboField_2");
    QCOMPARE(grade->currentText(), QString());
    QCOMPARE(grade->count(), 2);
    QCOMPARE(grade->itemText(0), QStringLiteral("AU"));

    editor.click("cmdClose");
    QVERIFY(editor.window->cancelled());
    QCOMPARE(gData->Collection().Item().Count("Coins"), 2);

    // Dates go back to no date, or to today when one is required.
    editor.open("Gaps");
    editor.get<QDateEdit>("dtpField_0")->setDate(QDate(2001, 1, 1));
    editor.get("txtItemNM")->setText("Lamp");
    editor.click("cmdSaveNew");
    QCOMPARE(editor.get<QDateEdit>("dtpField_0")->date(), QDate::currentDate());
    editor.open("Wine");
    editor.get("txtItemNM")->setText("Rioja");
    editor.get("txtField_0")->setText("Spain");
    editor.get<OptionalDateEdit>("dtpField_2")->setDate(QDate(2030, 1, 1));
    editor.click("cmdSaveNew");
    QVERIFY(editor.get<OptionalDateEdit>("dtpField_2")->isNull());
}

void CollectionItemTest::engineErrorWritesNothing() {
    Editor editor;
    runSqlite(editor.env.databaseFile(),
              "CREATE TRIGGER refuse BEFORE INSERT ON tblCollectionItemField "
              "WHEN NEW.FieldID = 3 BEGIN SELECT RAISE(ABORT, 'disk full'); END;");
    editor.open("Coins");
    editor.get("txtItemNM")->setText("Nickel");
    editor.prompts.answerMessage(QMessageBox::Ok, "disk full");
    editor.click("cmdSaveExit");
    QCOMPARE(editor.prompts.boxes().last().icon, QMessageBox::Critical);
    QVERIFY(editor.window->isVisible());
    QVERIFY(editor.window->cancelled());
    // Neither the item nor its first values were kept.
    QCOMPARE(gData->Collection().Item().Count("Coins"), 1);
    QCOMPARE(runSqlite(editor.env.databaseFile(), "SELECT count(*) FROM tblCollectionItemField"),
             QStringLiteral("4\n"));
}

DOMIVO_GUI_TEST_MAIN(CollectionItemTest)
#include "tst_collectionitem.moc"
