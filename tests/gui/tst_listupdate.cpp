// Maintenance of the item type and location lists: captions, adding with its refusals,
// renaming carried into the items, and deleting refused while items use the entry.

#include "GuiTest.h"

#include "app/Globals.h"
#include "windows/inventory/frmListUpdate.h"

#include <QListWidget>
#include <QPushButton>

namespace {

// A seeded database with a drill in the garage (a tool) and a lamp in the attic (furniture),
// and the dialog over one of its lists.
struct Lists {
    GuiTestEnvironment env;
    ScriptedPrompts prompts;
    std::unique_ptr<frmListUpdate> dialog;

    Lists() {
        gData = std::make_unique<dvData>();
        gData->setPath(env.databaseFile());
        items().Add({.ItemNM = "Drill", .TypeTX = "Tools", .LocationTX = "Garage"});
        items().Add({.ItemNM = "Lamp", .TypeTX = "Furniture", .LocationTX = "Attic"});
    }
    const invItem& items() const { return gData->Inventory().Item(); }
    frmListUpdate& open(const QString& editType) {
        dialog = std::make_unique<frmListUpdate>();
        dialog->setEditType(editType);
        dialog->Form_Load();
        dialog->show();
        return *dialog;
    }
    QListWidget* entries() const {
        return child<QListWidget>(dialog.get(), QStringLiteral("lstEntries"));
    }
    QPushButton* button(const char* name) const {
        return child<QPushButton>(dialog.get(), QLatin1String(name));
    }
    QStringList texts() const {
        QStringList list;
        for (int row = 0; row < entries()->count(); ++row)
            list << entries()->item(row)->text();
        return list;
    }
    void select(const QString& entry) {
        const auto found = entries()->findItems(entry, Qt::MatchExactly);
        QVERIFY2(!found.isEmpty(), qPrintable(entry));
        QTest::mouseClick(entries()->viewport(), Qt::LeftButton, {},
                          entries()->visualItemRect(found.first()).center());
    }
};

} // namespace

class ListUpdateTest : public QObject {
    Q_OBJECT

private slots:
    void captionsAndEntries_data();
    void captionsAndEntries();
    void newEntryIsTrimmedAndChecked();
    void renameIsCarriedIntoTheItems();
    void deleteIsRefusedWhileItemsUseTheEntry();
};

void ListUpdateTest::captionsAndEntries_data() {
    QTest::addColumn<QString>("editType");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("first");
    QTest::newRow("types") << "TYPE"
                           << "Update Item Types"
                           << "Accessories";
    QTest::newRow("locations") << "LOC"
                               << "Update Locations"
                               << "Attic";
    QTest::newRow("anything else is locations") << "x"
                                                << "Update Locations"
                                                << "Attic";
}

void ListUpdateTest::captionsAndEntries() {
    QFETCH(QString, editType);
    QFETCH(QString, caption);
    QFETCH(QString, first);
    Lists lists;
    frmListUpdate& dialog = lists.open(editType);

    QCOMPARE(dialog.windowTitle(), caption);
    QCOMPARE(lists.entries()->count(), 23);
    QCOMPARE(lists.texts().first(), first);
    // The list taking the focus chooses no entry.
    dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    lists.entries()->setFocus();
    QVERIFY(!lists.button("cmdEdit")->isEnabled());
    QVERIFY(!lists.button("cmdDelete")->isEnabled());
    lists.select(lists.texts().at(3));
    QVERIFY(lists.button("cmdEdit")->isEnabled());
    QVERIFY(lists.button("cmdDelete")->isEnabled());
    lists.button("cmdClose")->click();
    QVERIFY(!dialog.isVisible());
}

void ListUpdateTest::newEntryIsTrimmedAndChecked() {
    Lists lists;
    lists.open("TYPE");
    const QString tooLarge =
        QStringLiteral("The value you specified is too large.  Must be 40 characters or less.");

    lists.prompts.answerInput(QStringLiteral("   Hobby Gear  "));
    lists.prompts.answerInput(QString(40, 'x'));
    lists.prompts.answerInput(QString(41, 'y'));
    lists.prompts.answerMessage(QMessageBox::Ok, tooLarge);
    // Surrounding spaces do not count towards the 40 characters.
    lists.prompts.answerInput(QStringLiteral("  ") + QString(40, 'z') + QStringLiteral("  "));
    lists.prompts.answerInput(QStringLiteral("Grandma's china"));
    lists.prompts.answerMessage(QMessageBox::Ok, QStringLiteral("You cannot use the single quote "
                                                                "character in a Item Type value."));
    lists.prompts.answerInput(QStringLiteral("tools"));
    lists.prompts.answerMessage(
        QMessageBox::Ok, QStringLiteral("You have specified a duplicate entry.  Cannot add."));
    lists.prompts.answerInput(QStringLiteral("   "));
    lists.prompts.answerInput(std::nullopt);
    for (int click = 0; click < 8; ++click)
        lists.button("cmdNew")->click();

    QCOMPARE(lists.prompts.inputPrompts().first(), QStringLiteral("Enter your new Item Type"));
    QCOMPARE(lists.prompts.boxes().size(), 3);
    for (const ScriptedPrompts::Box& box : lists.prompts.boxes())
        QCOMPARE(box.title, QStringLiteral("Update Item Types"));
    const QStringList texts = lists.texts();
    QVERIFY(texts.contains(QStringLiteral("Hobby Gear")));
    QVERIFY(texts.contains(QString(40, 'x')));
    QVERIFY(texts.contains(QString(40, 'z')));
    QCOMPARE(texts.size(), 23 + 3);
    QCOMPARE(lists.items().ItemType().List().rowCount(), 23 + 3);
}

void ListUpdateTest::renameIsCarriedIntoTheItems() {
    Lists lists;
    frmListUpdate& dialog = lists.open("LOC");

    lists.select("Garage");
    lists.prompts.answerInput(QStringLiteral(" Workshop "));
    lists.button("cmdEdit")->click();
    QCOMPARE(lists.prompts.inputPrompts().last(), QStringLiteral("Change Location 'Garage' to"));
    QVERIFY(lists.texts().contains("Workshop"));
    QVERIFY(!lists.texts().contains("Garage"));
    QCOMPARE(lists.items().Count("Workshop", ""), 1);
    QVERIFY(!lists.button("cmdEdit")->isEnabled());

    // Its own text, nothing, or a cancelled box: nothing happens.
    for (const std::optional<QString>& answer :
         {std::optional<QString>("Workshop"), std::optional<QString>(""),
          std::optional<QString>()}) {
        lists.select("Workshop");
        lists.prompts.answerInput(answer);
        lists.button("cmdEdit")->click();
    }
    QVERIFY(lists.prompts.boxes().isEmpty());
    QCOMPARE(lists.items().Count("Workshop", ""), 1);

    // Onto another entry: refused, and said so.
    lists.select("Workshop");
    lists.prompts.answerInput(QStringLiteral("attic"));
    lists.prompts.answerMessage(QMessageBox::Ok, QStringLiteral("duplicate entry"));
    lists.button("cmdEdit")->click();
    QCOMPARE(lists.items().Count("Workshop", ""), 1);

    // The same checks as for a new entry.
    lists.select("Workshop");
    lists.prompts.answerInput(QStringLiteral("Bob's shed"));
    lists.prompts.answerMessage(QMessageBox::Ok, QStringLiteral("You cannot use the single quote "
                                                                "character in a Location value."));
    lists.button("cmdEdit")->click();

    // A change of capitals only reaches the items too.
    lists.select("Workshop");
    lists.prompts.answerInput(QStringLiteral("WORKSHOP"));
    lists.button("cmdEdit")->click();
    QCOMPARE(lists.items().List("Workshop", "").value(0, "LocationTX").toString(),
             QStringLiteral("WORKSHOP"));
    QVERIFY(dialog.isVisible());
}

void ListUpdateTest::deleteIsRefusedWhileItemsUseTheEntry() {
    Lists lists;
    lists.open("TYPE");

    lists.select("Tools");
    lists.prompts.answerMessage(
        QMessageBox::No, QStringLiteral("Are you sure you want to delete Item Type 'Tools'"));
    lists.button("cmdDelete")->click();
    QVERIFY(lists.texts().contains("Tools"));
    QCOMPARE(lists.prompts.boxes().last().icon, QMessageBox::Question);
    QCOMPARE(lists.prompts.boxes().last().buttons, QMessageBox::Yes | QMessageBox::No);

    lists.prompts.answerMessage(QMessageBox::Yes);
    lists.prompts.answerMessage(QMessageBox::Ok,
                                QStringLiteral("Cannot delete 'Tools' because one or more items "
                                               "are on-file for that Item Type"));
    lists.button("cmdDelete")->click();
    QCOMPARE(lists.prompts.boxes().last().icon, QMessageBox::Warning);
    QVERIFY(lists.texts().contains("Tools"));
    QCOMPARE(lists.items().Count("", "Tools"), 1);
    QVERIFY(!lists.button("cmdDelete")->isEnabled());

    // Once the drill is filed elsewhere the type can go.
    const qint64 drill = lists.items().List("", "Tools").value(0, "ItemID").toLongLong();
    lists.items().Update(drill, {.TypeTX = "Miscellaneous"});
    lists.select("Tools");
    lists.prompts.answerMessage(QMessageBox::Yes);
    lists.button("cmdDelete")->click();
    QVERIFY(!lists.texts().contains("Tools"));
    QCOMPARE(lists.items().Count("", ""), 2);
}

DOMIVO_GUI_TEST_MAIN(ListUpdateTest)
#include "tst_listupdate.moc"
