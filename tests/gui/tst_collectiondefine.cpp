// Defining and deleting a collection: the definition rows and their type boxes, the checks of OK
// with their messages and focus, what each mode writes, renames, and the deletion window that
// needs the exact word YES. Closing either window with its close box counts as Cancel.

#include "GuiTest.h"

#include "windows/collections/frmCollectionDefine.h"
#include "windows/collections/frmCollectionDelete.h"

#include <QGroupBox>

namespace {

// A fresh database of the test's own, with the definition window open in a mode.
struct Define : GuiDatabase {
    ScriptedPrompts prompts;
    std::unique_ptr<frmCollectionDefine> window;

    void open(const QString& mode, const QString& name = QString()) {
        window = std::make_unique<frmCollectionDefine>();
        window->setMode(mode);
        window->setCollectionName(name);
        window->show();
    }
    template <class T = QLineEdit> T* get(const QString& name, int row = -1) const {
        return child<T>(window.get(), row < 0 ? name : QString("%1_%2").arg(name).arg(row));
    }
    QLineEdit* name() const { return get("txtCollectionNM"); }
    QComboBox* type(int row) const { return get<QComboBox>("cboFieldTypeCD", row); }
    QLineEdit* list(int row) const { return get("txtFieldListTX", row); }
    void setRow(int row, const QString& name, int typeCode, const QString& values = QString()) {
        get("txtFieldNM", row)->setText(name);
        type(row)->setCurrentIndex(typeCode);
        list(row)->setText(values);
    }
    // Presses OK, which must refuse with `message` and leave the focus on `focus`.
    void refused(const QString& message, QWidget* focus) {
        prompts.answerMessage(QMessageBox::Ok, message);
        click(window.get(), "cmdOK");
        QCOMPARE(prompts.boxes().last().icon, QMessageBox::Warning);
        QCOMPARE(window->focusWidget(), focus);
        QVERIFY(window->isVisible() && window->cancelled());
    }
    void ok() {
        click(window.get(), "cmdOK");
        QVERIFY(!window->isVisible() && !window->cancelled());
    }
};

// The collection's field definitions, one "ID name type required list" text per field.
QString fieldRows(const QString& collection) {
    const Recordset fields = gData->Collection().Field().List(collection);
    QStringList rows;
    for (int row = 0; row < fields.rowCount(); ++row)
        rows << QString("%1 %2 %3 %4 %5")
                    .arg(fields.value(row, "FieldID").toInt())
                    .arg(fields.value(row, "FieldNM").toString())
                    .arg(fields.value(row, "FieldTypeCD").toInt())
                    .arg(fields.value(row, "RequiredCD").toBool())
                    .arg(fields.value(row, "FieldListTX").toString());
    return rows.join(" | ");
}

} // namespace

class CollectionDefineTest : public QObject {
    Q_OBJECT

private slots:
    void rowsOfferTheTypesAndTheValueListGoesWithItsType() {
        Define define;
        define.open("N");
        // Names are limited to their column widths in the boxes.
        QCOMPARE(define.name()->maxLength(), 50);
        for (int row = 0; row < frmCollectionDefine::FieldRows; ++row) {
            QCOMPARE(define.get("txtFieldNM", row)->maxLength(), 25);
            QCOMPARE(texts(define.type(row)), colFieldType::names());
            QCOMPARE(define.type(row)->currentIndex(), -1);
            QVERIFY(!define.list(row)->isVisible());
        }
        // Switching a fixed list to another type hides and empties its values.
        define.type(2)->setCurrentIndex(1);
        QVERIFY(define.list(2)->isVisible());
        define.list(2)->setText("Red;White");
        define.type(2)->setCurrentIndex(2);
        QVERIFY(!define.list(2)->isVisible());
        define.type(2)->setCurrentIndex(1);
        QCOMPARE(define.list(2)->text(), QString());
    }

    void checksRunInOrderAndWriteNothing() {
        Define define;
        gData->Collection().Add("Coins", "");
        define.open("N");
        define.refused("Please specify the name of this collection.", define.name());
        define.name()->setText("   ");
        define.refused("Please specify the name of this collection.", define.name());
        // Letter case aside, the name is taken.
        define.name()->setText("COINS");
        define.refused("This collection already exists in your Qelto Domivo database.",
                       define.name());
        define.name()->setText("Wine");
        define.refused("Please configure at least one field for this collection.",
                       define.get("txtFieldNM", 0));
        define.setRow(0, "Vintage", 3);
        define.setRow(1, "", 0);
        define.refused("You specified the field type for field 2 without naming it.",
                       define.get("txtFieldNM", 1));
        define.setRow(1, "Region", -1);
        define.refused("Please specify the field type for field 2.", define.get("txtFieldNM", 1));
        define.setRow(1, "Colour", 1, "  ");
        define.refused("You selected a field type of 'String (Fixed List)' for field 2 so you must "
                       "specify the list values.",
                       define.list(1));
        QCOMPARE(gData->Collection().Count(), 1);
        define.list(1)->setText("Red;White");
        define.ok();
        QCOMPARE(fieldRows("Wine"), QString("0 Vintage 3 0  | 1 Colour 1 0 Red;White"));
    }

    void newCollectionKeepsRowNumbersAsFieldIds() {
        Define define;
        define.open("N");
        define.name()->setText("  Stamps ");
        define.get<QPlainTextEdit>("txtCommentsTX")->setPlainText("Grandpa's");
        define.setRow(2, " Country ", 0);
        define.get<QCheckBox>("chkRequiredCD", 2)->setChecked(true);
        define.ok();
        QCOMPARE(define.window->savedName(), QString("Stamps"));
        QCOMPARE(gData->Collection().Retrieve("Stamps").value(0, "CommentsTX"),
                 QVariant("Grandpa's"));
        QCOMPARE(fieldRows("Stamps"), QString("2 Country 0 1 "));
        // Its items show in the grid's query, though FieldIDs 0 and 1 are unused.
        addCollectionItem("Stamps", "Penny Black", {{2, "UK"}});
        QCOMPARE(gData->Collection().Item().MainGrid("Stamps", 0).rowCount(), 1);
    }

    void editModeShowsFieldsAndRenames() {
        Define define;
        const Collection& collections = gData->Collection();
        addCollection("Coins", {{0, "Year", 3, true, ""}, {3, "Mint", 1, false, "P;D"}});
        const qint64 penny = addCollectionItem("Coins", "Penny", {{0, "1909"}, {3, "D"}});
        collections.Add("Stamps", "");

        define.open("E", "Coins");
        QCOMPARE(define.name()->text(), QString("Coins"));
        QVERIFY(!define.get<QGroupBox>("fraFields")->isEnabled());
        QCOMPARE(define.get("txtFieldNM", 0)->text(), QString("Year"));
        QCOMPARE(define.type(0)->currentIndex(), 3);
        QVERIFY(define.get<QCheckBox>("chkRequiredCD", 0)->isChecked());
        QCOMPARE(define.type(1)->currentIndex(), -1);
        QCOMPARE(define.type(3)->currentIndex(), 1);
        QCOMPARE(define.list(3)->text(), QString("P;D"));

        // Renaming onto another collection is refused, letter case aside.
        define.name()->setText("stamps");
        define.refused("This collection already exists in your Qelto Domivo database.",
                       define.name());
        define.name()->setText("Old Coins");
        define.ok();
        QCOMPARE(define.window->savedName(), QString("Old Coins"));
        QVERIFY(collections.Retrieve("Coins").isEmpty());
        QCOMPARE(fieldRows("Old Coins"), QString("0 Year 3 1  | 3 Mint 1 0 P;D"));
        QCOMPARE(collections.Item().Retrieve(penny).value(0, "CollectionNM"),
                 QVariant("Old Coins"));

        // A change of letter case only is the collection's own name.
        define.open("E", "Old Coins");
        define.name()->setText("OLD COINS");
        define.ok();
        QCOMPARE(collections.List().columnValues("CollectionNM"),
                 (QVariantList{"OLD COINS", "Stamps"}));
    }

    void closeBoxCountsAsCancel() {
        Define define;
        define.open("N");
        define.name()->setText("Wine");
        define.setRow(0, "Vintage", 3);
        define.window->close();
        QVERIFY(define.window->cancelled());
        QCOMPARE(gData->Collection().Count(), 0);

        addCollection("Wine", {{0, "Vintage", 3, false, ""}});
        frmCollectionDelete confirm;
        confirm.setCollectionName("Wine");
        confirm.show();
        QTest::keyClicks(child<QLineEdit>(&confirm, "txtVerify"), "YES");
        confirm.close();
        QVERIFY(confirm.cancelled());
        QCOMPARE(gData->Collection().Count(), 1);
    }

    void deleteNeedsTheExactWord() {
        Define define;
        addCollection("Coins <b>XXX</b>", {{0, "Year", 3, false, ""}});
        addCollectionItem("Coins <b>XXX</b>", "Penny", {{0, "1909"}});
        gData->Collection().Add("Stamps", "");

        frmCollectionDelete confirm;
        confirm.setCollectionName("Coins <b>XXX</b>");
        confirm.show();
        // The name replaces XXX, and shows as typed.
        QLabel* text = child<QLabel>(&confirm, "lblText2");
        QVERIFY(text->text().contains("delete the collection \"Coins <b>XXX</b>\" by entering"));
        QCOMPARE(text->textFormat(), Qt::PlainText);

        QLineEdit* verify = child<QLineEdit>(&confirm, "txtVerify");
        QPushButton* ok = child<QPushButton>(&confirm, "cmdOK");
        for (const char* typed : {"", "yes", "YES ", " YES", "YEs"}) {
            verify->setText(typed);
            QVERIFY2(!ok->isEnabled(), typed);
        }
        verify->clear();
        QTest::keyClicks(verify, "YES");
        ok->click();
        QVERIFY(!confirm.cancelled());
        QCOMPARE(gData->Collection().List().columnValues("CollectionNM"), QVariantList{"Stamps"});
        QCOMPARE(gData->Collection().Item().Count("Coins <b>XXX</b>"), 0);
    }
};

DOMIVO_GUI_TEST_MAIN(CollectionDefineTest)
#include "tst_collectiondefine.moc"
