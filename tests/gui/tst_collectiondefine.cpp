// Defining and deleting a collection: the definition rows and their type boxes, the checks of OK
// with their messages and focus, what each mode writes, renames, and the deletion window that
// needs the exact word YES. Closing either window with its close box counts as Cancel.

#include "GuiTest.h"

#include "app/Globals.h"
#include "records/Collection.h"
#include "windows/collections/frmCollectionDefine.h"
#include "windows/collections/frmCollectionDelete.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

// A fresh database of the test's own, with the definition window open in a mode.
struct Define {
    GuiTestEnvironment env;
    ScriptedPrompts prompts;
    std::unique_ptr<frmCollectionDefine> window;

    Define() {
        gData = std::make_unique<dvData>();
        gData->setPath(env.databaseFile());
    }
    void open(const QString& mode, const QString& name = QString()) {
        window = std::make_unique<frmCollectionDefine>();
        window->setMode(mode);
        window->setCollectionName(name);
        window->show();
    }
    QLineEdit* edit(const QString& name) const { return child<QLineEdit>(window.get(), name); }
    QLineEdit* fieldName(int row) const { return edit(QStringLiteral("txtFieldNM_%1").arg(row)); }
    QLineEdit* list(int row) const { return edit(QStringLiteral("txtFieldListTX_%1").arg(row)); }
    QComboBox* type(int row) const {
        return child<QComboBox>(window.get(), QStringLiteral("cboFieldTypeCD_%1").arg(row));
    }
    QCheckBox* required(int row) const {
        return child<QCheckBox>(window.get(), QStringLiteral("chkRequiredCD_%1").arg(row));
    }
    void setRow(int row, const QString& name, int typeCode, const QString& values = QString()) {
        fieldName(row)->setText(name);
        type(row)->setCurrentIndex(typeCode);
        list(row)->setText(values);
    }
    // Presses OK, which must refuse with `message` and leave the focus on `focus`.
    void refused(const QString& message, QWidget* focus) {
        prompts.answerMessage(QMessageBox::Ok);
        child<QPushButton>(window.get(), "cmdOK")->click();
        QCOMPARE(prompts.boxes().last().text, message);
        QCOMPARE(prompts.boxes().last().icon, QMessageBox::Warning);
        QCOMPARE(prompts.boxes().last().title, QStringLiteral("Define a Collection"));
        QCOMPARE(window->focusWidget(), focus);
        QVERIFY(window->isVisible());
        QVERIFY(window->cancelled());
    }
    void ok() { child<QPushButton>(window.get(), "cmdOK")->click(); }
};

QString fieldRows(const QString& collection) {
    const Recordset fields = gData->Collection().Field().List(collection);
    QStringList rows;
    for (int row = 0; row < fields.rowCount(); ++row)
        rows << QStringLiteral("%1 %2 %3 %4 %5")
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
    void newModeOffersFourEmptyRows();
    void fixedListValuesComeWithTheirType();
    void checksRunInOrderAndWriteNothing();
    void newCollectionKeepsRowNumbersAsFieldIds();
    void editModeShowsFieldsAndRenames();
    void closeBoxCountsAsCancel();
    void deleteNeedsTheExactWord();
};

void CollectionDefineTest::newModeOffersFourEmptyRows() {
    Define define;
    define.open("N");
    QCOMPARE(define.window->windowTitle(), QStringLiteral("Define a Collection"));
    QCOMPARE(define.edit("txtCollectionNM")->maxLength(), 50);
    const QStringList names = {"String",
                               "String (Fixed List)",
                               "String (Memory List)",
                               "Number - Integer",
                               "Number - Float",
                               "Yes/No",
                               "Date",
                               "Currency"};
    for (int row = 0; row < frmCollectionDefine::FieldRows; ++row) {
        QCOMPARE(
            child<QLabel>(define.window.get(), QStringLiteral("lblFieldID_%1").arg(row))->text(),
            QString::number(row + 1));
        QCOMPARE(define.fieldName(row)->maxLength(), 25);
        QStringList offered;
        for (int index = 0; index < define.type(row)->count(); ++index)
            offered << define.type(row)->itemText(index);
        QCOMPARE(offered, names);
        QCOMPARE(define.type(row)->currentIndex(), -1);
        QVERIFY(!define.required(row)->isChecked());
        QVERIFY(!define.list(row)->isVisible());
    }
    QVERIFY(child<QGroupBox>(define.window.get(), "fraFields")->isEnabled());
}

void CollectionDefineTest::fixedListValuesComeWithTheirType() {
    Define define;
    define.open("N");
    QLineEdit* values = define.list(2);
    QCOMPARE(values->toolTip(),
             QStringLiteral("Enter the values for the list separated by semi-colons"));
    define.type(2)->setCurrentIndex(1);
    QVERIFY(values->isVisible());
    values->setText("Red;White");
    define.type(2)->setCurrentIndex(2);
    QVERIFY(!values->isVisible());
    QCOMPARE(values->text(), QString());
    define.type(2)->setCurrentIndex(1);
    QVERIFY(values->isVisible());
    QCOMPARE(values->text(), QString());
}

void CollectionDefineTest::checksRunInOrderAndWriteNothing() {
    Define define;
    gData->Collection().Add("Coins", "");
    define.open("N");

    define.refused("Please specify the name of this collection.", define.edit("txtCollectionNM"));
    define.edit("txtCollectionNM")->setText("   ");
    define.refused("Please specify the name of this collection.", define.edit("txtCollectionNM"));
    // Letter case aside, the name is taken.
    define.edit("txtCollectionNM")->setText("COINS");
    define.refused("This collection already exists in your Qelto Domivo database.",
                   define.edit("txtCollectionNM"));

    define.edit("txtCollectionNM")->setText("Wine");
    define.refused("Please configure at least one field for this collection.", define.fieldName(0));
    define.setRow(0, "Vintage", 3);
    define.setRow(1, "", 0);
    define.refused("You specified the field type for field 2 without naming it.",
                   define.fieldName(1));
    define.setRow(1, "Region", -1);
    define.refused("Please specify the field type for field 2.", define.fieldName(1));
    define.setRow(1, "Colour", 1, "  ");
    define.refused("You selected a field type of 'String (Fixed List) for field 2 so you must "
                   "specify the list values.",
                   define.list(1));
    QCOMPARE(gData->Collection().Count(), 1);

    define.list(1)->setText("Red;White");
    define.ok();
    QVERIFY(!define.window->isVisible());
    QVERIFY(!define.window->cancelled());
    QCOMPARE(fieldRows("Wine"), QStringLiteral("0 Vintage 3 0  | 1 Colour 1 0 Red;White"));
}

void CollectionDefineTest::newCollectionKeepsRowNumbersAsFieldIds() {
    Define define;
    define.open("N");
    define.edit("txtCollectionNM")->setText("  Stamps ");
    child<QPlainTextEdit>(define.window.get(), "txtCommentsTX")->setPlainText("Grandpa's");
    define.setRow(2, " Country ", 0);
    define.required(2)->setChecked(true);
    define.ok();
    QVERIFY(!define.window->cancelled());
    QCOMPARE(define.window->savedName(), QStringLiteral("Stamps"));
    QCOMPARE(gData->Collection().Retrieve("Stamps").value(0, "CommentsTX"), QVariant("Grandpa's"));
    QCOMPARE(fieldRows("Stamps"), QStringLiteral("2 Country 0 1 "));

    // Its items show in the grid's query, though FieldIDs 0 and 1 are unused.
    const colItem& items = gData->Collection().Item();
    items.AddWithValues("Stamps", "Penny Black", "", "", "", "", {{2, "UK"}});
    QCOMPARE(items.MainGrid("Stamps", 0).rowCount(), 1);
}

void CollectionDefineTest::editModeShowsFieldsAndRenames() {
    Define define;
    Collection const& collections = gData->Collection();
    collections.AddWithFields("Coins", "old",
                              {{0, "Year", 3, true, ""}, {3, "Mint", 1, false, "P;D"}});
    const qint64 penny =
        collections.Item().AddWithValues("Coins", "Penny", "", "", "", "", {{0, "1909"}, {3, "D"}});
    collections.Add("Stamps", "");

    define.open("E", "Coins");
    QCOMPARE(define.edit("txtCollectionNM")->text(), QStringLiteral("Coins"));
    QCOMPARE(child<QPlainTextEdit>(define.window.get(), "txtCommentsTX")->toPlainText(),
             QStringLiteral("old"));
    QVERIFY(!child<QGroupBox>(define.window.get(), "fraFields")->isEnabled());
    QCOMPARE(define.fieldName(0)->text(), QStringLiteral("Year"));
    QCOMPARE(define.type(0)->currentIndex(), 3);
    QVERIFY(define.required(0)->isChecked());
    QCOMPARE(define.type(1)->currentIndex(), -1);
    QCOMPARE(define.type(3)->currentIndex(), 1);
    QVERIFY(define.list(3)->isVisible());
    QCOMPARE(define.list(3)->text(), QStringLiteral("P;D"));

    // Renaming onto another collection is refused, letter case aside.
    define.edit("txtCollectionNM")->setText("stamps");
    define.refused("This collection already exists in your Qelto Domivo database.",
                   define.edit("txtCollectionNM"));
    define.edit("txtCollectionNM")->setText("Old Coins");
    child<QPlainTextEdit>(define.window.get(), "txtCommentsTX")->setPlainText("renamed");
    define.ok();
    QVERIFY(!define.window->cancelled());
    QCOMPARE(define.window->collectionName(), QStringLiteral("Coins"));
    QCOMPARE(define.window->savedName(), QStringLiteral("Old Coins"));
    QVERIFY(collections.Retrieve("Coins").isEmpty());
    QCOMPARE(fieldRows("Old Coins"), QStringLiteral("0 Year 3 1  | 3 Mint 1 0 P;D"));
    QCOMPARE(collections.Item().Retrieve(penny).value(0, "CollectionNM"), QVariant("Old Coins"));
    QCOMPARE(collections.Item().MainGrid("Old Coins", 0).rowCount(), 1);

    // A change of letter case only is the collection's own name.
    define.open("E", "Old Coins");
    define.edit("txtCollectionNM")->setText("OLD COINS");
    define.ok();
    QVERIFY(!define.window->cancelled());
    QCOMPARE(collections.List().columnValues("CollectionNM"),
             (QVariantList{"OLD COINS", "Stamps"}));
}

void CollectionDefineTest::closeBoxCountsAsCancel() {
    Define define;
    define.open("N");
    define.edit("txtCollectionNM")->setText("Wine");
    define.setRow(0, "Vintage", 3);
    define.window->close();
    QVERIFY(define.window->cancelled());
    QCOMPARE(gData->Collection().Count(), 0);

    gData->Collection().AddWithFields("Wine", "", {{0, "Vintage", 3, false, ""}});
    frmCollectionDelete confirm;
    confirm.setCollectionName("Wine");
    confirm.show();
    QTest::keyClicks(child<QLineEdit>(&confirm, "txtVerify"), "YES");
    confirm.close();
    QVERIFY(confirm.cancelled());
    QCOMPARE(gData->Collection().Count(), 1);
}

void CollectionDefineTest::deleteNeedsTheExactWord() {
    Define define;
    Collection const& collections = gData->Collection();
    collections.AddWithFields("Coins <b>XXX</b>", "", {{0, "Year", 3, false, ""}});
    collections.Item().AddWithValues("Coins <b>XXX</b>", "Penny", "", "", "", "", {{0, "1909"}});
    collections.Add("Stamps", "");

    frmCollectionDelete confirm;
    confirm.setCollectionName("Coins <b>XXX</b>");
    confirm.show();
    QCOMPARE(confirm.windowTitle(), QStringLiteral("Delete Collection"));
    QCOMPARE(child<QLabel>(&confirm, "lblWarning")->text(), QStringLiteral("*** WARNING ***"));
    QLabel* text = child<QLabel>(&confirm, "lblText2");
    QCOMPARE(text->text(), QStringLiteral("Please verify that you want to delete the collection "
                                          "\"Coins <b>XXX</b>\" by entering \"YES\" in the text "
                                          "box below and clicking OK.  Click CANCEL to abort the "
                                          "deletion."));
    QCOMPARE(text->textFormat(), Qt::PlainText);

    QLineEdit* verify = child<QLineEdit>(&confirm, "txtVerify");
    QPushButton* ok = child<QPushButton>(&confirm, "cmdOK");
    QVERIFY(!ok->isEnabled());
    for (const char* typed : {"yes", "YES ", " YES", "YEs"}) {
        verify->setText(typed);
        QVERIFY2(!ok->isEnabled(), typed);
    }
    verify->clear();
    QTest::keyClicks(verify, "YES");
    QVERIFY(ok->isEnabled());
    ok->click();
    QVERIFY(!confirm.cancelled());
    QCOMPARE(collections.List().columnValues("CollectionNM"), QVariantList{"Stamps"});
    QCOMPARE(collections.Item().Count("Coins <b>XXX</b>"), 0);
}

DOMIVO_GUI_TEST_MAIN(CollectionDefineTest)
#include "tst_collectiondefine.moc"
