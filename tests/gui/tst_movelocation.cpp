// Moving items between locations: which locations are offered, the item entries, selecting,
// the three refusals, the move itself and Cancel.

#include "GuiTest.h"

#include "app/Globals.h"
#include "windows/inventory/frmMoveLocation.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>

namespace {

// Two items in the garage, one in the kitchen, and the dialog over them.
struct Move {
    GuiTestEnvironment env;
    ScriptedPrompts prompts;
    frmMoveLocation dialog;

    Move() {
        gData = std::make_unique<dvData>();
        gData->setPath(env.databaseFile());
        items().Add({.ManufacturerNM = "O'Neil",
                     .ItemNM = "Wetsuit",
                     .TypeTX = "Sports Equipment",
                     .LocationTX = "Garage"});
        items().Add({.ManufacturerNM = "",
                     .ItemNM = "Anvil",
                     .ModelSeriesTX = "A1",
                     .TypeTX = "Tools",
                     .LocationTX = "Garage"});
        items().Add({.ItemNM = "Radio", .TypeTX = "Electronics", .LocationTX = "Kitchen"});
        runSqlite(env.databaseFile(), "UPDATE tblItem SET LastChangeDT = '2001-01-01'");
        dialog.Form_Load();
        dialog.show();
    }
    const invItem& items() const { return gData->Inventory().Item(); }
    QComboBox* from() { return child<QComboBox>(&dialog, "cboMoveFrom"); }
    QComboBox* to() { return child<QComboBox>(&dialog, "cboMoveTo"); }
    QListWidget* list() { return child<QListWidget>(&dialog, "lstItems"); }
    QPushButton* button(const char* name) { return child<QPushButton>(&dialog, name); }
    static QStringList entries(const QComboBox* combo) {
        QStringList texts;
        for (int index = 0; index < combo->count(); ++index)
            texts << combo->itemText(index);
        return texts;
    }
    QString locationOf(const QString& item) const {
        return runSqlite(env.databaseFile(),
                         QStringLiteral("SELECT LocationTX || '|' || LastChangeDT FROM tblItem "
                                        "WHERE ItemNM = '%1'")
                             .arg(item))
            .trimmed();
    }
};

QString today() {
    return QDate::currentDate().toString(Qt::ISODate);
}

} // namespace

class MoveLocationTest : public QObject {
    Q_OBJECT

private slots:
    void sourcesTargetsAndEntries();
    void refusalsKeepTheDialogOpen();
    void movesTheSelectedItems();
    void selectAllAndMoveToTheOwnLocation();
    void cancelMovesNothing();
};

void MoveLocationTest::sourcesTargetsAndEntries() {
    Move move;
    QCOMPARE(move.dialog.windowTitle(), QStringLiteral("Move Items to another Location"));
    // Only the locations that hold items are sources.
    QCOMPARE(Move::entries(move.from()), (QStringList{"Garage", "Kitchen"}));
    QCOMPARE(move.from()->currentIndex(), -1);
    for (const char* name : {"cmdSelectAll", "cmdClearAll", "cmdMove"})
        QVERIFY2(!move.button(name)->isEnabled(), name);

    move.from()->setCurrentIndex(0);
    QCOMPARE(move.list()->count(), 2);
    // Manufacturer, item and model, trimmed; ordered by manufacturer, item, model.
    QCOMPARE(move.list()->item(0)->text(), QStringLiteral("Anvil A1"));
    QCOMPARE(move.list()->item(1)->text(), QStringLiteral("O'Neil Wetsuit"));
    const qint64 anvil = move.items().List("", "Tools").value(0, "ItemID").toLongLong();
    QCOMPARE(move.list()->item(0)->data(Qt::UserRole).toLongLong(), anvil);
    // Every location is a target, one without items too.
    QCOMPARE(move.to()->count(), 23);
    QVERIFY(Move::entries(move.to()).contains("Attic"));
    QCOMPARE(move.to()->currentIndex(), -1);
    QVERIFY(move.button("cmdSelectAll")->isEnabled());
    QVERIFY(move.button("cmdClearAll")->isEnabled());
    QVERIFY(!move.button("cmdMove")->isEnabled());

    move.to()->setCurrentIndex(move.to()->findText("Attic"));
    QVERIFY(move.button("cmdMove")->isEnabled());
    // Another source starts the target over.
    move.from()->setCurrentIndex(1);
    QCOMPARE(move.list()->count(), 1);
    QVERIFY(!move.button("cmdMove")->isEnabled());
}

void MoveLocationTest::refusalsKeepTheDialogOpen() {
    Move move;
    move.dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&move.dialog));
    const auto refused = [&](const QString& text, QWidget* focus) {
        move.prompts.answerMessage(QMessageBox::Ok, text);
        move.dialog.cmdMove_Click();
        QCOMPARE(move.prompts.boxes().last().text, text);
        QCOMPARE(move.prompts.boxes().last().icon, QMessageBox::Warning);
        QCOMPARE(move.prompts.boxes().last().title, move.dialog.windowTitle());
        QCOMPARE(QApplication::focusWidget(), focus);
        QVERIFY(move.dialog.isVisible());
    };
    refused(QStringLiteral("Please select the location to move items from."), move.from());
    move.from()->setCurrentIndex(0);
    refused(QStringLiteral("Please select the location to move items to."), move.to());
    move.to()->setCurrentIndex(0);
    refused(QStringLiteral("You must select one or more items to move."), move.list());
    QCOMPARE(move.locationOf("Anvil"), QStringLiteral("Garage|2001-01-01"));
}

void MoveLocationTest::movesTheSelectedItems() {
    Move move;
    move.from()->setCurrentIndex(0);
    move.list()->item(1)->setSelected(true);
    move.to()->setCurrentIndex(move.to()->findText("Attic"));
    move.button("cmdMove")->click();

    QVERIFY(!move.dialog.wasCancelled());
    QVERIFY(!move.dialog.isVisible());
    QCOMPARE(move.locationOf("Wetsuit"), QStringLiteral("Attic|") + today());
    QCOMPARE(move.locationOf("Anvil"), QStringLiteral("Garage|2001-01-01"));
    QCOMPARE(move.locationOf("Radio"), QStringLiteral("Kitchen|2001-01-01"));
}

void MoveLocationTest::selectAllAndMoveToTheOwnLocation() {
    Move move;
    move.from()->setCurrentIndex(0);
    move.button("cmdSelectAll")->click();
    QCOMPARE(move.list()->selectedItems().size(), 2);
    move.button("cmdClearAll")->click();
    QCOMPARE(move.list()->selectedItems().size(), 0);
    move.button("cmdSelectAll")->click();
    move.to()->setCurrentIndex(move.to()->findText("Garage"));
    move.button("cmdMove")->click();

    // Nothing moves; the items only get today as their last change.
    QCOMPARE(move.locationOf("Wetsuit"), QStringLiteral("Garage|") + today());
    QCOMPARE(move.locationOf("Anvil"), QStringLiteral("Garage|") + today());
    QCOMPARE(move.locationOf("Radio"), QStringLiteral("Kitchen|2001-01-01"));
}

void MoveLocationTest::cancelMovesNothing() {
    Move move;
    move.from()->setCurrentIndex(0);
    move.button("cmdSelectAll")->click();
    move.to()->setCurrentIndex(0);
    move.button("cmdCancel")->click();
    QVERIFY(move.dialog.wasCancelled());
    QVERIFY(!move.dialog.isVisible());
    QCOMPARE(move.locationOf("Wetsuit"), QStringLiteral("Garage|2001-01-01"));
}

DOMIVO_GUI_TEST_MAIN(MoveLocationTest)
#include "tst_movelocation.moc"
