// attach, attachments, attachment-save and detach: files go in and come back byte for byte,
// pictures and PDFs get thumbnails, and wrong identifiers or files too large are refused with
// exit code 1 and nothing stored.

#include "TestEnvironment.h"

#include "ThumbnailMaker.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>

namespace {

QByteArray png(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray pdf() {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        QPainter painter(&writer);
        painter.fillRect(QRect(0, 0, 2000, 1000), Qt::black);
    }
    return bytes;
}

} // namespace

class AttachCliTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDatabase> db;

    ProcessResult cli(const QStringList& args) {
        return runProcess(DOMIVO_CLI_PATH, args, db->processEnvironment());
    }
    void expectFailure(const QStringList& args, const QString& message) {
        const ProcessResult result = cli(args);
        QCOMPARE(result.exitCode, 1);
        QVERIFY2(result.err.contains(message), qPrintable(result.err));
    }

private slots:
    void init() {
        db = std::make_unique<TestDatabase>();
        db->sql("INSERT INTO tblItem (ItemID, ItemNM) VALUES (5, 'Television');"
                "INSERT INTO tblCollection VALUES ('Coins', '');"
                "INSERT INTO tblCollectionItem (ItemID, ItemNM, CollectionNM) VALUES (40, "
                "'Penny', 'Coins');");
    }
    void cleanup() { db.reset(); }

    // (A file of the largest size allowed is the core's test.)
    void filesComeBackByteForByte() {
        const QMap<QString, QByteArray> files = {
            {"front.png", png(1600, 1200)}, {"receipt.pdf", pdf()}, {"empty.txt", QByteArray()}};
        QStringList args = {"attach", "5", "--caption", "Living room"};
        for (auto file = files.cbegin(); file != files.cend(); ++file) {
            writeFile(db->filePath(file.key()), file.value());
            args.append(db->filePath(file.key()));
        }
        const ProcessResult attached = cli(args);
        QCOMPARE(attached.exitCode, 0);
        QCOMPARE(attached.out, QString("1\tempty.txt\n2\tfront.png\n3\treceipt.pdf\n"));

        const ProcessResult listed = cli({"attachments", "5"});
        QCOMPARE(listed.exitCode, 0);
        const QStringList lines = listed.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[2].split('\t').mid(0, 5),
                 QStringList({"2", "front.png", "image/png",
                              QString::number(files["front.png"].size()), "Living room"}));
        QCOMPARE(lines[2].split('\t').at(5).isEmpty(), false);

        for (int id = 1; id <= 3; ++id) {
            const QString out = db->filePath(QStringLiteral("out%1").arg(id));
            QCOMPARE(cli({"attachment-save", QString::number(id), out}).exitCode, 0);
            QVERIFY(readFile(out) == files.values().at(id - 1));
        }

        // The photo's thumbnail is small; the PDF's first page is drawn where Qt Pdf is there.
        const QImage thumbnail = QImage::fromData(QByteArray::fromHex(
            db->sql("SELECT hex(ThumbnailBL) FROM tblAttachment WHERE AttachmentID = 2;")
                .trimmed()
                .toLatin1()));
        QCOMPARE(thumbnail.size(), QSize(160, 120));
        QCOMPARE(db->sql("SELECT ThumbnailBL IS NOT NULL FROM tblAttachment ORDER BY 1;")
                     .split('\n', Qt::SkipEmptyParts)
                     .count("1"),
                 ThumbnailMaker::drawsPdf() ? 2 : 1);

        QCOMPARE(cli({"detach", "2"}).exitCode, 0);
        QCOMPARE(db->sql("SELECT group_concat(AttachmentID) FROM tblAttachment;"),
                 QString("1,3\n"));
    }

    void wrongIdentifiersAndLargeFilesAreRefused() {
        const QString photo = db->filePath("photo.png");
        writeFile(photo, png(10, 10));
        const QString big = db->filePath("big.mov");
        writeFile(big, QByteArray(25 * 1024 * 1024 + 1, 'm'));
        expectFailure({"attach", "5", photo, big}, "a file kept with an item may be at most 25 MB");
        expectFailure({"attach", "6", photo}, "there is no inventory item '6'");
        expectFailure({"attach", "TV", photo}, "there is no inventory item 'TV'");
        expectFailure({"attach", "5", db->filePath("none.png")}, "There is no file");
        expectFailure({"attach", "--collection", "Stamps", "40", photo},
                      "there is no collection named 'Stamps'");
        expectFailure({"attachments", "--collection", "Coins", "5"},
                      "collection 'Coins' has no item '5'");
        expectFailure({"attachment-save", "1", db->filePath("x")}, "there is no attachment '1'");
        expectFailure({"detach", "0"}, "there is no attachment '0'");
        QCOMPARE(db->sql("SELECT count(*) FROM tblAttachment;"), QString("0\n"));

        QCOMPARE(cli({"attach", "--collection", "coins", "40", photo}).exitCode, 0);
        QCOMPARE(db->sql("SELECT CollectionItemID, FileNM FROM tblAttachment;"),
                 QString("40|photo.png\n"));
        QCOMPARE(cli({"attachments", "5"}).out.count('\n'), 1);
    }

    void anOlderDatabaseIsGivenTheTableWhenAFileIsAttached() {
        db->sql("DROP TABLE tblAttachment;");
        const ProcessResult listed = cli({"attachments", "5"});
        QCOMPARE(listed.exitCode, 0);
        QCOMPARE(listed.out.count('\n'), 1);
        const QString photo = db->filePath("photo.png");
        writeFile(photo, png(10, 10));
        QCOMPARE(cli({"attach", "5", photo}).exitCode, 0);
        QCOMPARE(db->sql("SELECT FileNM FROM tblAttachment;"), QString("photo.png\n"));
    }
};

DOMIVO_TEST_MAIN(AttachCliTest)
#include "tst_attachcli.moc"
