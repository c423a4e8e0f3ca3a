// The "Attachments" area of both item editors: files added (by the dialog or dropped), shown as
// thumbnails with captions, opened, saved elsewhere and removed, written only when the item is
// saved, and dropped with everything else when the editor is closed.

#include "GuiTest.h"

#include "app/FileViewer.h"
#include "widgets/AttachmentsPanel.h"
#include "windows/collections/frmCollectionItem.h"
#include "windows/inventory/frmInventoryItem.h"

#include <QImage>
#include <QListWidget>
#include <QMimeData>

namespace {

struct Editor : GuiDatabase {
    ScriptedPrompts prompts;
    std::unique_ptr<QWidget> window;
    QString photo = filePath("tv.png");
    QString receipt = filePath("receipt.pdf");
    QStringList opened;

    Editor() {
        runSqlite(databaseFile(), "INSERT INTO tblItem (ItemID, ItemNM, TypeTX, LocationTX) "
                                  "VALUES (5, 'Television', 'Electronics', 'Family Room')");
        QImage image(640, 480, QImage::Format_RGB32);
        image.fill(Qt::darkBlue);
        image.save(photo, "PNG");
        writeFile(receipt, "%PDF-1.4\nnot really a page\n");
        FileViewer::setOpenerForTesting([this](const QString& path) {
            opened << path;
            return true;
        });
    }
    ~Editor() { FileViewer::setOpenerForTesting({}); }

    void openInventory(const QString& action, qint64 itemID = 0) {
        auto editor = std::make_unique<frmInventoryItem>();
        editor->setFormAction(action);
        editor->setEditItemID(itemID);
        window = std::move(editor);
        window->show();
    }
    template <class T = QWidget> T* get(const QString& name) const {
        return child<T>(window.get(), name);
    }
    QListWidget* list() const { return get<QListWidget>("lstAttachments"); }
    QStringList stored() const {
        return runSqlite(databaseFile(), "SELECT coalesce(ItemID, CollectionItemID), FileNM, "
                                         "CaptionTX FROM tblAttachment ORDER BY AttachmentID;")
            .split('\n', Qt::SkipEmptyParts);
    }
};

} // namespace

class ItemAttachmentsTest : public QObject {
    Q_OBJECT

private slots:
    void closeDiscardsAndSaveWritesTheFiles() {
        Editor e;
        e.openInventory("E", 5);
        QCOMPARE(e.list()->count(), 0);
        QVERIFY(!e.get("cmdAttachRemove")->isEnabled());
        // The dialog offers to tick "Receipt" once, while it is clear.
        e.prompts.answerFiles({e.photo, e.receipt}, true);
        click(e.window.get(), "cmdAttachAdd");
        QVERIFY(!e.prompts.fileDialogs().last().option.isEmpty());
        QVERIFY(e.get<QCheckBox>("chkReceiptCD")->isChecked());
        QCOMPARE(texts(e.list()), (QStringList{"tv.png", "receipt.pdf"}));
        // The photo shows as its thumbnail.
        QCOMPARE(e.list()->item(0)->icon().availableSizes().value(0), QSize(160, 120));
        click(e.window.get(), "cmdClose");
        QCOMPARE(e.stored(), QStringList());

        e.openInventory("E", 5);
        auto* panel = e.get<AttachmentsPanel>("fraAttachments");
        QMimeData dropped;
        dropped.setUrls({QUrl::fromLocalFile(e.photo)});
        QVERIFY(panel->dropFiles(&dropped));
        QCOMPARE(e.list()->count(), 1);
        QCOMPARE(e.list()->currentRow(), 0);
        QTest::keyClicks(e.get<QLineEdit>("txtAttachCaption"), "Front");
        QCOMPARE(texts(e.list()), QStringList{"Front"});
        e.prompts.answerFiles({e.receipt});
        click(e.window.get(), "cmdAttachAdd");
        QCOMPARE(e.stored(), QStringList());
        click(e.window.get(), "cmdSaveExit");
        QCOMPARE(e.stored(), (QStringList{"5|tv.png|Front", "5|receipt.pdf|"}));
    }

    void savedFilesOpenSaveAsAndRemove() {
        Editor e;
        gData->Attachment().Add(AttachmentOwner::inventoryItem(5),
                                {AttachmentFile::read(e.photo), AttachmentFile::read(e.receipt)});
        e.openInventory("E", 5);
        QCOMPARE(e.list()->count(), 2);
        e.list()->setCurrentRow(1);
        click(e.window.get(), "cmdAttachOpen");
        QCOMPARE(e.opened.size(), 1);
        QVERIFY(e.opened[0].endsWith("/receipt.pdf"));
        QCOMPARE(readFile(e.opened[0]), readFile(e.receipt));
        const QString copy = e.filePath("copy.pdf");
        e.prompts.answerFile(copy);
        click(e.window.get(), "cmdAttachSaveAs");
        QCOMPARE(readFile(copy), readFile(e.receipt));

        e.prompts.answerMessage(QMessageBox::No, "Remove 'receipt.pdf' from this item?");
        click(e.window.get(), "cmdAttachRemove");
        QCOMPARE(e.list()->count(), 2);
        e.prompts.answerMessage(QMessageBox::Yes, "Remove 'receipt.pdf' from this item?");
        click(e.window.get(), "cmdAttachRemove");
        QCOMPARE(texts(e.list()), QStringList{"tv.png"});
        QCOMPARE(e.stored().size(), 2);
        click(e.window.get(), "cmdSaveExit");
        QCOMPARE(e.stored(), QStringList{"5|tv.png|"});
    }

    void aTooLargeFileIsRefusedAndACollectionItemKeepsItsFiles() {
        Editor e;
        addCollection("Coins", {{0, "Year", 3, false, ""}});
        auto editor = std::make_unique<frmCollectionItem>();
        editor->setCollectionName("Coins");
        editor->setMode("N");
        e.window = std::move(editor);
        e.window->show();
        e.get<QLineEdit>("txtItemNM")->setText("Penny");
        const QString big = e.filePath("film.mov");
        writeFile(big, QByteArray(AttachmentFile::MaxSize + 1, 'x'));
        // No "Receipt" box here: the dialog offers none.
        e.prompts.answerFiles({big, e.photo});
        e.prompts.answerMessage(QMessageBox::Ok, "a file kept with an item may be at most 25 MB");
        click(e.window.get(), "cmdAttachAdd");
        QVERIFY(e.prompts.fileDialogs().last().option.isEmpty());
        QCOMPARE(texts(e.list()), QStringList{"tv.png"});
        click(e.window.get(), "cmdSaveExit");
        const QString penny =
            runSqlite(e.databaseFile(), "SELECT ItemID FROM tblCollectionItem;").trimmed();
        QCOMPARE(e.stored(), QStringList{penny + "|tv.png|"});
    }
};

DOMIVO_GUI_TEST_MAIN(ItemAttachmentsTest)
#include "tst_itemattachments.moc"
