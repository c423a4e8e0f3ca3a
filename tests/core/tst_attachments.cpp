// Files kept with the items: their bytes exactly as given (up to the size limit), their life
// tied to their item, their table added to databases made before it, and backup, restore and
// compact carrying them (or, from an older backup, none).

#include "TestEnvironment.h"

#include "app/Clock.h"
#include "attachments/AttachmentDraft.h"
#include "attachments/AttachmentError.h"
#include "data/Connection.h"
#include "data/ConnectionString.h"
#include "data/DbError.h"
#include "maintenance/DatabaseStartup.h"
#include "maintenance/MaintenanceJob.h"
#include "reports/ReportCatalogue.h"

#include <QCryptographicHash>
#include <QFileInfo>

namespace {

const QDateTime Now(QDate(2026, 6, 9), QTime(14, 30, 5));

// Bytes of every value 0-255, repeated: a blob that any text handling would change.
QByteArray pattern(qint64 size) {
    QByteArray bytes(size, Qt::Uninitialized);
    for (qint64 i = 0; i < size; ++i)
        bytes[i] = char((i * 7 + i / 251) & 0xff);
    return bytes;
}

const QByteArray PngStart("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);

void dropAttachmentTable(const QString& file) {
    runSqlite(file, "DROP TABLE tblAttachment;");
}

qint64 addItem(dvData& data, const QString& name) {
    return data.Inventory().Item().Add(
        {.ItemNM = name, .TypeTX = "Electronics", .LocationTX = "Garage"});
}

QByteArray digest(const QString& file) {
    return QCryptographicHash::hash(readFile(file), QCryptographicHash::Sha256);
}

} // namespace

class AttachmentsTest : public QObject {
    Q_OBJECT

private slots:
    void init() { Clock::setNow(Now); }
    void cleanup() { Clock::setNow({}); }

    void bytesComeBackAsGiven_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("mediaType");
        QTest::newRow("png") << "tv.png" << (PngStart + pattern(3000)) << "image/png";
        QTest::newRow("pdf") << "receipt.pdf" << QByteArray("%PDF-1.4\n%\xe2\xe3\n") + pattern(900)
                             << "application/pdf";
        QTest::newRow("empty") << "empty.txt" << QByteArray() << "text/plain";
        QTest::newRow("25 MB") << "manual.bin" << pattern(25 * 1024 * 1024)
                               << "application/octet-stream";
    }
    void bytesComeBackAsGiven() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, mediaType);
        TestDatabase db;
        const qint64 item = addItem(db.data, "Television");
        writeFile(db.filePath(name), bytes);
        AttachmentFile file = AttachmentFile::read(db.filePath(name));
        QCOMPARE(file.mediaType, mediaType);
        file.caption = "Front";
        file.thumbnail = QByteArray("thumb\0nail", 10);
        const QList<qint64> ids =
            db.data.Attachment().Add(AttachmentOwner::inventoryItem(item), {file});
        QCOMPARE(ids.size(), 1);

        const QByteArray back = db.data.Attachment().Data(ids[0]);
        QCOMPARE(back.size(), bytes.size());
        QVERIFY(back == bytes);
        QCOMPARE(db.data.Attachment().Thumbnail(ids[0]), QByteArray("thumb\0nail", 10));
        const Recordset list = db.data.Attachment().List(AttachmentOwner::inventoryItem(item));
        QCOMPARE(list.rowCount(), 1);
        QCOMPARE(list.value(0, "FileNM").toString(), name);
        QCOMPARE(list.value(0, "FileSizeNO").toLongLong(), qint64(bytes.size()));
        QCOMPARE(list.value(0, "CaptionTX").toString(), QString("Front"));
        QCOMPARE(list.value(0, "AddedDT").toDateTime(), Now);
        // A list without thumbnails leaves them (and the bytes) unread.
        QVERIFY(!list.columnNames().contains("ThumbnailBL"));
    }

    void aFileOverTheLimitIsRefused() {
        TestDatabase db;
        const qint64 item = addItem(db.data, "Television");
        const QString big = db.filePath("video.mp4");
        writeFile(big, QByteArray(AttachmentFile::MaxSize + 1, 'v'));
        try {
            AttachmentFile::read(big);
            QFAIL("a file over the limit was read");
        } catch (const AttachmentError& error) {
            QCOMPARE(error.message(),
                     QString("'video.mp4' is 25.0 MB; a file kept with an item may be at most "
                             "25 MB."));
        }
        AttachmentFile file{.fileName = "video.mp4", .data = readFile(big)};
        QVERIFY_THROWS_EXCEPTION(
            DbError, db.data.Attachment().Add(AttachmentOwner::inventoryItem(item), {file}));
        QCOMPARE(db.sql("SELECT count(*) FROM tblAttachment;"), QString("0\n"));
    }

    void filesGoWithTheirItem() {
        TestDatabase db;
        const qint64 tv = addItem(db.data, "Television");
        const qint64 sofa = addItem(db.data, "Sofa");
        db.sql("INSERT INTO tblCollection VALUES ('Coins', '');"
               "INSERT INTO tblCollectionItem (ItemID, ItemNM, CollectionNM) VALUES (40, 'Penny', "
               "'Coins'), (41, 'Dime', 'Coins');");
        Attachment& store = db.data.Attachment();
        const AttachmentFile photo = AttachmentFile::fromBytes("a.jpg", pattern(100));
        store.Add(AttachmentOwner::inventoryItem(tv), {photo, photo});
        store.Add(AttachmentOwner::inventoryItem(sofa), {photo});
        store.Add(AttachmentOwner::collectionItem(40), {photo});
        store.Add(AttachmentOwner::collectionItem(41), {photo});

        db.data.Inventory().Item().Delete(tv);
        QCOMPARE(db.sql("SELECT ItemID FROM tblAttachment WHERE ItemID IS NOT NULL;"),
                 QString("%1\n").arg(sofa));
        db.data.Collection().Item().Delete(40);
        QCOMPARE(db.sql("SELECT CollectionItemID FROM tblAttachment WHERE CollectionItemID IS "
                        "NOT NULL;"),
                 QString("41\n"));
        db.data.Collection().Delete("Coins");
        QCOMPARE(db.sql("SELECT count(*) FROM tblAttachment;"), QString("1\n"));

        // Exactly one owner, and one that exists.
        Connection connection(db.data.connString());
        const QString insert = "INSERT INTO tblAttachment (ItemID, CollectionItemID, FileNM, "
                               "MediaTypeTX, FileSizeNO, AddedDT, FileDataBL) VALUES (?, ?, 'x', "
                               "'text/plain', 1, '2026-06-09', x'41')";
        QVERIFY_THROWS_EXCEPTION(DbError, connection.execute(insert, {sofa, 41}));
        QVERIFY_THROWS_EXCEPTION(DbError, connection.execute(insert, {QVariant(), QVariant()}));
        QVERIFY_THROWS_EXCEPTION(DbError, connection.execute(insert, {999, QVariant()}));
        QCOMPARE(store.Delete(12345), false);
        QVERIFY_THROWS_EXCEPTION(DbError, store.Data(12345));
    }

    void anEditorsChangesAreWrittenWithTheItem() {
        TestDatabase db;
        Attachment& store = db.data.Attachment();
        const AttachmentFile photo = AttachmentFile::fromBytes("front.jpg", pattern(10));
        AttachmentFile receipt = AttachmentFile::fromBytes("receipt.pdf", pattern(20));
        receipt.caption = "Receipt";

        AttachmentDraft draft;
        draft.load(store, AttachmentOwner::inventoryItem(0));
        draft.add(photo);
        draft.add(receipt);
        // A draft dropped without saving writes nothing.
        QCOMPARE(db.sql("SELECT count(*) FROM tblAttachment;"), QString("0\n"));
        const qint64 tv = db.data.Inventory().Item().Add(
            {.ItemNM = "TV", .TypeTX = "Electronics", .LocationTX = "Garage"}, draft.changes());
        const AttachmentOwner owner = AttachmentOwner::inventoryItem(tv);

        draft.load(store, owner);
        QCOMPARE(draft.count(), 2);
        QVERIFY(!draft.isModified());
        QCOMPARE(draft.entry(1).label(), QString("Receipt"));
        QCOMPARE(draft.bytes(store, 1), receipt.data);
        draft.setCaption(0, "Front view");
        draft.remove(1);
        draft.add(AttachmentFile::fromBytes("back.jpg", pattern(5)));
        db.data.Inventory().Item().Update(tv, {}, draft.changes());
        QCOMPARE(db.sql("SELECT FileNM, CaptionTX FROM tblAttachment ORDER BY AttachmentID;"),
                 QString("front.jpg|Front view\nback.jpg|\n"));

        // A failing save writes none of the files.
        AttachmentChanges tooMuch;
        tooMuch.added = {photo, {.fileName = "huge", .data = QByteArray(30 << 20, 'x')}};
        QVERIFY_THROWS_EXCEPTION(DbError, db.data.Inventory().Item().Update(tv, {}, tooMuch));
        QCOMPARE(db.sql("SELECT count(*) FROM tblAttachment;"), QString("2\n"));
    }

    void anOlderDatabaseIsGivenTheTableOnce() {
        TestDatabase db;
        const QString file = db.databaseFile();
        addItem(db.data, "Television");
        dropAttachmentTable(file);
        QVERIFY(dvData::ValidDatabase(ConnectionString::forFile(file)));
        // Reading an older database finds no files.
        QCOMPARE(db.data.Attachment().List(AttachmentOwner::inventoryItem(1)).rowCount(), 0);

        dvData data;
        QCOMPARE(DatabaseStartup::open(data, file).outcome, DatabaseStartup::Outcome::Ready);
        QCOMPARE(db.sql("SELECT count(*) FROM tblAttachment;"), QString("0\n"));
        QCOMPARE(db.sql("SELECT ItemNM FROM tblItem;"), QString("Television\n"));
        QVERIFY(dvData::ValidDatabase(ConnectionString::forFile(file)));

        // A second start writes nothing.
        const QByteArray before = digest(file);
        const QDateTime modified = QFileInfo(file).lastModified();
        QCOMPARE(DatabaseStartup::open(data, file).outcome, DatabaseStartup::Outcome::Ready);
        QCOMPARE(digest(file), before);
        QCOMPARE(QFileInfo(file).lastModified(), modified);
    }

    void backupRestoreAndCompactCarryTheFiles() {
        TestDatabase db;
        const QString live = db.databaseFile();
        const qint64 tv = addItem(db.data, "Television");
        const QByteArray big = pattern(25 * 1024 * 1024);
        AttachmentFile receipt = AttachmentFile::fromBytes("receipt.pdf", big);
        receipt.thumbnail = "page";
        const QList<qint64> ids =
            db.data.Attachment().Add(AttachmentOwner::inventoryItem(tv),
                                     {receipt, AttachmentFile::fromBytes("empty", QByteArray())});
        const QString backup = db.filePath("home.dvb");
        MaintenanceJob::backup(live, backup, false)->run();
        QVERIFY(dvData::ValidBackup(ConnectionString::forFile(backup)));

        db.data.Inventory().Item().Delete(tv);
        QCOMPARE(db.sql("SELECT count(*) FROM tblAttachment;"), QString("0\n"));
        MaintenanceJob::restore(live, backup)->run();
        QVERIFY(db.data.Attachment().Data(ids[0]) == big);
        QCOMPARE(db.data.Attachment().Data(ids[1]), QByteArray(""));
        QCOMPARE(db.data.Attachment().Thumbnail(ids[0]), QByteArray("page"));

        // A step of a copy stops early after a large row, and compact keeps every file.
        auto compact = MaintenanceJob::compact(live);
        int steps = 0;
        while (!compact->step())
            ++steps;
        QVERIFY(steps > 3);
        QCOMPARE(
            db.sql("SELECT AttachmentID, FileNM, length(FileDataBL) FROM tblAttachment;"),
            QString("%1|receipt.pdf|%2\n%3|empty|0\n").arg(ids[0]).arg(big.size()).arg(ids[1]));
        QVERIFY(db.data.Attachment().Data(ids[0]) == big);
    }

    void aBackupFromBeforeAttachmentsRestoresWithout() {
        TestDatabase db;
        const QString live = db.databaseFile();
        const qint64 tv = addItem(db.data, "Television");
        const QString backup = db.filePath("old.dvb");
        MaintenanceJob::backup(live, backup, false)->run();
        dropAttachmentTable(backup);
        QVERIFY(dvData::ValidBackup(ConnectionString::forFile(backup)));

        db.data.Attachment().Add(AttachmentOwner::inventoryItem(tv),
                                 {AttachmentFile::fromBytes("a.png", PngStart)});
        MaintenanceJob::restore(live, backup)->run();
        QCOMPARE(db.sql("SELECT count(*) FROM tblAttachment;"), QString("0\n"));
        QCOMPARE(db.sql("SELECT ItemNM FROM tblItem;"), QString("Television\n"));
        QVERIFY(dvData::ValidDatabase(ConnectionString::forFile(live)));
    }

    void proofOfOwnershipShowsPhotosAndNamesDocuments() {
        TestDatabase db;
        db.sql("INSERT INTO tblItem (ItemID, ManufacturerNM, ItemNM, SerialNumberID, "
               "PurchaseLocationTX, PurchaseDT, PurchasePriceAM, TypeTX) VALUES (5, 'Sonic', "
               "'Television', 'SN-77', 'Best <Buy>', '2025-11-28', 8999900, 'Electronics'), "
               "(6, 'Acme', 'Anvil', NULL, NULL, NULL, NULL, 'Tools');");
        AttachmentFile photo = AttachmentFile::fromBytes("front.jpg", pattern(10));
        photo.thumbnail = PngStart + QByteArray("pixels");
        photo.caption = "Front & back";
        db.data.Attachment().Add(AttachmentOwner::inventoryItem(5),
                                 {photo, AttachmentFile::fromBytes("receipt.pdf", pattern(2048))});
        // Enough items that the page is written in runs: a file stays with its own item where
        // one run ends and the next begins, and no item is lost between them.
        db.sql("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 600) "
               "INSERT INTO tblItem (ItemID, ManufacturerNM, ItemNM, TypeTX) "
               "SELECT 100 + i, 'Zed', printf('Item %03d', i), 'Electronics' FROM n;");
        db.data.Attachment().Add(AttachmentOwner::inventoryItem(600),
                                 {AttachmentFile::fromBytes("boundary.txt", pattern(10))});

        const auto* report =
            ReportCatalogue::find(ReportCatalogue::Kind::Inventory, "Proof of Ownership");
        QVERIFY(report);
        const QString path = ReportCatalogue::run(*report, db.data, {.typeText = "Electronics"},
                                                  db.filePath("page.htm"));
        const QString page = QString::fromUtf8(readFile(path));
        QVERIFY(page.contains("<h3>Selected Type: Electronics</h3>"));
        QVERIFY(page.contains("<h3>Sonic Television</h3>"));
        QVERIFY(page.contains("SN-77") && page.contains("Best &lt;Buy&gt;"));
        QVERIFY(page.contains("$899.99"));
        QVERIFY(page.contains("<img src=\"data:image/png;base64," +
                              (PngStart + QByteArray("pixels")).toBase64() +
                              "\" alt=\"front.jpg\"><br>Front &amp; back</div>"));
        QVERIFY(page.contains("<li>receipt.pdf, 2 KB</li>"));
        QVERIFY(!page.contains("Anvil"));
        QCOMPARE(page.count("<hr>"), 601);
        const auto itemBlock = [&](const QString& name) {
            const qsizetype start = page.indexOf("<h3>Zed " + name + "</h3>");
            return page.mid(start, page.indexOf("<hr>", start) - start);
        };
        QVERIFY(itemBlock("Item 500").contains("<li>boundary.txt, 10 bytes</li>"));
        QVERIFY(itemBlock("Item 499").contains("No files are kept with this item."));
        QVERIFY(itemBlock("Item 501").contains("No files are kept with this item."));
    }
};

DOMIVO_TEST_MAIN(AttachmentsTest)
#include "tst_attachments.moc"
