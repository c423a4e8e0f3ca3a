// Export of the inventory tables and of collections to comma- and tab-separated values and to
// rowset XML. The files are read back with readers of the tests' own (ExportReaders), the way a
// spreadsheet or an XML library reads them.

#include "ExportReaders.h"
#include "TestEnvironment.h"

#include "export/ExportError.h"
#include "export/ExportFile.h"
#include "export/ExportSource.h"
#include "export/RowsetXmlWriter.h"
#include "types/Currency.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace {

const QStringList coinColumns = {"ItemID",
                                 "ItemNM",
                                 "CollectionNM",
                                 "PurchasePriceAM",
                                 "AppraisalPriceAM",
                                 "ReplacePriceAM",
                                 "LastChangeDT",
                                 "Year",
                                 "Mint",
                                 "Found on",
                                 "Proof"};

// Two items, two collections: Coins (fields Year, Mint, "Found on" a date, Proof a yes/no,
// stored with FieldIDs out of order) with two items, and Empty without items. Values are
// written in their storage forms: amounts in ten-thousandths, ISO dates, flags 0/1.
struct ExportDatabase : TestDatabase {
    ExportDatabase() {
        sql("INSERT INTO tblItem (ItemID, ManufacturerNM, ItemNM, ModelSeriesTX, SerialNumberID, "
            "PurchaseDT, WarrantyCD, WarrantyDocumentCD, PurchasePriceAM, ReplacePriceAM, "
            "AppraisalPriceAM, TypeTX, LocationTX, ReceiptCD, ManualsCD, CommentsTX, LastChangeDT) "
            "VALUES (1, 'Zenith', 'Radio', 'Z1', 'A' || char(1) || 'B', '2023-05-02', 1, 0, "
            "12345000, 0, 0, 'Electronics', 'Kitchen', 0, 0, 'line one' || char(10) || "
            "'line two', '2024-01-31'), "
            "(2, 'O''Neil, Inc.', 'Wet \"suit\"', NULL, NULL, NULL, 0, 0, 1999900, 0, 5, "
            "'Sports Equipment', 'Garage', 1, 1, 'tab' || char(9) || 'here', '2024-02-01');"
            "INSERT INTO tblCollection VALUES ('Coins', NULL), ('Empty', NULL);"
            "INSERT INTO tblCollectionField VALUES ('Coins', 3, 'Proof', 5, 0, NULL), "
            "('Coins', 0, 'Year', 3, 1, NULL), ('Coins', 1, 'Mint', 0, 0, NULL), "
            "('Coins', 2, 'Found on', 6, 0, NULL), ('Empty', 0, 'Colour', 0, 0, NULL);"
            "INSERT INTO tblCollectionItem VALUES "
            "(7, 'Penny', 'Coins', 5000, NULL, 0, 'not exported', '2024-03-01'), "
            "(3, 'Dime', 'Coins', 1000000, 0, 0, NULL, '2024-03-02');"
            "INSERT INTO tblCollectionItemField VALUES (7, 0, '1909'), (7, 1, 'S'), "
            "(7, 2, '2024-02-29'), (7, 3, '1'), (3, 0, '1916'), (3, 1, ''), (3, 2, ''), "
            "(3, 3, '0');");
    }

    std::optional<qint64> exportTo(const QString& entry, ExportFormat format, const QString& name,
                                   const ExportFile::Progress& progress = {}) {
        return ExportFile::exportTable(data, entry, format, filePath(name), progress);
    }
};

QList<QStringList> readBack(const QString& path, ExportFormat format) {
    return readDelimited(readFile(path), ExportFormats::separator(format));
}

// The files in the folder, so that a test sees that no temporary file was left behind.
QStringList filesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden);
}

// The document Qt's own XML writer makes of what its reader finds in `bytes`, formatted the way
// the export is: one element per line, a tab per level.
QByteArray rewrittenByQt(const QByteArray& bytes) {
    QByteArray out;
    QXmlStreamWriter writer(&out);
    writer.setAutoFormatting(true);
    writer.setAutoFormattingIndent(-1);
    QXmlStreamReader reader(bytes);
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartDocument:
            writer.writeStartDocument();
            break;
        case QXmlStreamReader::StartElement:
            for (const QXmlStreamNamespaceDeclaration& ns : reader.namespaceDeclarations())
                writer.writeNamespace(ns.namespaceUri().toString(), ns.prefix().toString());
            writer.writeStartElement(reader.namespaceUri().toString(), reader.name().toString());
            for (const QXmlStreamAttribute& attribute : reader.attributes())
                writer.writeAttribute(attribute);
            break;
        case QXmlStreamReader::EndElement:
            writer.writeEndElement();
            break;
        case QXmlStreamReader::EndDocument:
            writer.writeEndDocument();
            break;
        default: // the line breaks and tabs between elements
            break;
        }
    }
    if (reader.hasError() || writer.hasError())
        return "not read or not rewritten: " + reader.errorString().toUtf8();
    return out;
}

} // namespace

class ExportTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ExportDatabase> db;

private slots:
    void init() { db = std::make_unique<ExportDatabase>(); }
    void cleanup() { db.reset(); }

    void everyTableInEveryFormat_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QStringList>("columns");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("format");
        const QList<std::tuple<QString, QStringList, int>> tables = {
            {"Inventory Items", invItem::columnNames(), 2},
            {"Inventory Type List", {"TypeTX"}, 23},
            {"Inventory Location List", {"LocationTX"}, 23},
            {"Collection 'Coins'", coinColumns, 2},
            {"Collection 'Empty'", coinColumns.mid(0, 7) + QStringList{"Colour"}, 0},
        };
        for (const auto& [entry, columns, rows] : tables) {
            for (const ExportFormat format :
                 {ExportFormat::Csv, ExportFormat::Tsv, ExportFormat::Xml})
                QTest::addRow("%s %d", qPrintable(entry), int(format))
                    << entry << columns << rows << int(format);
        }
    }
    void everyTableInEveryFormat() {
        QFETCH(QString, entry);
        QFETCH(QStringList, columns);
        QFETCH(int, rows);
        QFETCH(int, format);
        const auto kind = ExportFormat(format);
        QCOMPARE(db->exportTo(entry, kind, "export"), std::optional<qint64>(rows));
        const QString path = db->filePath("export");
        if (kind == ExportFormat::Xml) {
            const RowsetFile file = readRowsetXml(readFile(path));
            QVERIFY2(file.error.isEmpty(), qPrintable(file.error));
            QStringList names;
            for (int i = 0; i < file.columns.size(); ++i) {
                names << file.columns[i].name;
                QCOMPARE(file.columns[i].number, i + 1);
            }
            QCOMPARE(names, columns);
            QVERIFY(file.extendsRowbase);
            QCOMPARE(file.rows.size(), rows);
            return;
        }
        const QByteArray bytes = readFile(path);
        QVERIFY(!bytes.startsWith("\xEF\xBB\xBF")); // no byte-order mark
        const QList<QStringList> records = readBack(path, kind);
        QCOMPARE(records.size(), rows + 1);
        // Every value, the last included, is followed by the separator.
        QCOMPARE(records.first(), columns + QStringList{""});
        for (const QStringList& record : records) {
            QCOMPARE(record.size(), columns.size() + 1);
            QCOMPARE(record.last(), QString());
        }
    }

    void valuesAreWrittenInTheirTextForm() {
        QVERIFY(db->exportTo("Inventory Items", ExportFormat::Csv, "items.csv"));
        const QStringList lines =
            QString::fromUtf8(readFile(db->filePath("items.csv"))).split("\r\n");
        QCOMPARE(lines.size(), 4); // header, two rows, and nothing after the last CR LF
        QCOMPARE(lines[0], invItem::columnNames().join(',') + ',');
        // By manufacturer; dates as short dates, flags True/False, amounts without trailing
        // zeros, Null empty; only values holding a comma, quote or line break are quoted.
        QCOMPARE(lines[1], QString("2,\"O'Neil, Inc.\",\"Wet \"\"suit\"\"\",,,,,False,,False,"
                                   "199.99,0,0.0005,Sports Equipment,Garage,True,True,tab\there,"
                                   "2/1/2024,"));
        QCOMPARE(lines[2], QString("1,Zenith,Radio,Z1,A\x01"
                                   "B,,5/2/2023,True,,False,1234.5,0,0,"
                                   "Electronics,Kitchen,False,False,\"line one\nline two\","
                                   "1/31/2024,"));

        // Collection rows by ItemID, field values as stored: the date's ISO text, Yes/No 1/0.
        QVERIFY(db->exportTo("Collection 'Coins'", ExportFormat::Tsv, "coins.tsv"));
        QCOMPARE(QString::fromUtf8(readFile(db->filePath("coins.tsv"))),
                 coinColumns.join('\t') + "\t\r\n" +
                     "3\tDime\tCoins\t100\t0\t0\t3/2/2024\t1916\t\t\t0\t\r\n"
                     "7\tPenny\tCoins\t0.5\t\t0\t3/1/2024\t1909\tS\t2024-02-29\t1\t\r\n");

        QVERIFY(db->exportTo("Inventory Type List", ExportFormat::Tsv, "types.tsv"));
        QVERIFY(readFile(db->filePath("types.tsv"))
                    .startsWith("TypeTX\t\r\nAccessories\t\r\nAppliances\t\r\nArt\t\r\n"));
    }

    void valuesWithSeparatorsQuotesAndLineBreaksKeepTheirColumns() {
        db->sql("INSERT INTO tblItem (ItemNM, ManufacturerNM, ModelSeriesTX, CommentsTX) VALUES "
                "('a,b', 'say \"hi\"', 'tab' || char(9) || 'bed', 'one' || char(13) || char(10) "
                "|| 'two' || char(10) || 'three,' || char(9) || '\"');");
        for (const ExportFormat format : {ExportFormat::Csv, ExportFormat::Tsv}) {
            QVERIFY(db->exportTo("Inventory Items", format, "items"));
            const QList<QStringList> records = readBack(db->filePath("items"), format);
            QCOMPARE(records.size(), 4);
            const QStringList& row = records[2]; // between O'Neil and Zenith
            QCOMPARE(row.size(), invItem::columnNames().size() + 1);
            QCOMPARE(row[1], QString("say \"hi\""));
            QCOMPARE(row[2], QString("a,b"));
            QCOMPARE(row[3], QString("tab\tbed"));
            QCOMPARE(row[17], QString("one\r\ntwo\nthree,\t\""));
        }
    }

    void xmlReadsBackTheSameRowsAndNulls() {
        QVERIFY(db->exportTo("Inventory Items", ExportFormat::Xml, "items.xml"));
        const RowsetFile items = readRowsetXml(readFile(db->filePath("items.xml")));
        QVERIFY2(items.error.isEmpty(), qPrintable(items.error));
        const auto column = [&items](const QString& name) {
            for (const RowsetFile::Column& c : items.columns) {
                if (c.name == name)
                    return c;
            }
            return RowsetFile::Column{};
        };
        QCOMPARE(column("ItemID").type, QString("int"));
        QVERIFY(!column("ItemID").nullable);
        QVERIFY(!column("ItemNM").nullable);
        QVERIFY(column("ManufacturerNM").nullable);
        QCOMPARE(column("ManufacturerNM").type, QString("string"));
        QCOMPARE(column("PurchaseDT").type, QString("dateTime"));
        QCOMPARE(column("WarrantyCD").type, QString("boolean"));
        QCOMPARE(column("PurchasePriceAM").type, QString("number"));

        QCOMPARE(items.rows.size(), 2);
        const QMap<QString, QString> wetsuit = items.rows[0];
        QCOMPARE(wetsuit.value("ManufacturerNM"), QString("O'Neil, Inc."));
        QCOMPARE(wetsuit.value("ItemNM"), QString("Wet \"suit\""));
        QCOMPARE(wetsuit.value("AppraisalPriceAM"), QString("0.0005"));
        QCOMPARE(wetsuit.value("CommentsTX"), QString("tab\there"));
        for (const char* null : {"ModelSeriesTX", "SerialNumberID", "PurchaseDT",
                                 "WarrantyExpireDT", "PurchaseLocationTX"})
            QVERIFY2(!wetsuit.contains(null), null);
        const QMap<QString, QString> radio = items.rows[1];
        QCOMPARE(radio.value("ItemID"), QString("1"));
        QCOMPARE(radio.value("PurchaseDT"), QString("2023-05-02T00:00:00"));
        QCOMPARE(radio.value("WarrantyCD"), QString("True"));
        QCOMPARE(radio.value("ReceiptCD"), QString("False"));
        QCOMPARE(radio.value("PurchasePriceAM"), QString("1234.5"));
        QCOMPARE(radio.value("CommentsTX"), QString("line one\nline two"));
        // A character XML cannot carry is replaced, so that the file stays readable.
        QCOMPARE(radio.value("SerialNumberID"), QString("A\uFFFDB"));

        // A column name with a blank gets the attribute name c + its position from 0.
        QVERIFY(db->exportTo("Collection 'Coins'", ExportFormat::Xml, "coins.xml"));
        const RowsetFile coins = readRowsetXml(readFile(db->filePath("coins.xml")));
        QVERIFY2(coins.error.isEmpty(), qPrintable(coins.error));
        QCOMPARE(coins.columns[9].attribute, QString("c9"));
        QCOMPARE(coins.columns[9].name, QString("Found on"));
        QCOMPARE(coins.columns[7].attribute, QString("Year"));
        QCOMPARE(coins.columns[7].type, QString("string")); // values as stored
        QCOMPARE(coins.rows[1].value("c9"), QString("2024-02-29"));
        QCOMPARE(coins.rows[1].value("Proof"), QString("1"));
        QCOMPARE(coins.rows[1].value("LastChangeDT"), QString("2024-03-01T00:00:00"));
        QVERIFY(!coins.rows[1].contains("AppraisalPriceAM"));
        QCOMPARE(coins.rows[0].value("Mint"), QString("")); // empty, not Null
        QVERIFY(coins.rows[0].contains("Mint"));
    }

    // Whatever a value holds, the file is the XML a standard writer makes of the same content,
    // byte for byte, and reads back as the value. What XML cannot carry becomes U+FFFD.
    void xmlIsWhatAStandardWriterWritesForHostileText() {
        const QString hostile = QString::fromUtf16(
            u"\"q\" 'a' <l> &amp; \t\n\r\r\n \x01\x0B\x0C\x1F\x7F\x80 \xFFFE\xFFFF "
            u"\xD800 \xDC00 \xD83D\xDE00 \u00e9\u20ac\u4e2d");
        const QString kept = QString::fromUtf16(
            u"\"q\" 'a' <l> &amp; \t\n\r\r\n \xFFFD\xFFFD\xFFFD\xFFFD\x7F\x80 \xFFFD\xFFFD "
            u"\xFFFD \xFFFD \xD83D\xDE00 \u00e9\u20ac\u4e2d");
        using Kind = ColumnValue::Kind;
        const QVector<RowCursor::Column> columns = {
            {"Text <\"&>" + hostile, "TEXT(50)", Kind::Text, true},
            {QString::fromUtf16(u"\u00dcbers\u00e9t"), "MEMO", Kind::Text, false},
            {"Number", "INTEGER", Kind::Integer, false},
            {"Amount", "CURRENCY", Kind::Currency, true},
            {"Day", "DATETIME", Kind::DateTime, true},
            {"Flag", "BIT", Kind::Boolean, true},
        };
        const QVariantList row = {hostile,
                                  "",
                                  -42,
                                  QVariant::fromValue(Currency::fromUnits(-123450)),
                                  QDate(1999, 12, 31),
                                  true};
        for (const bool withRows : {false, true}) {
            QBuffer file;
            file.open(QIODevice::WriteOnly);
            RowsetXmlWriter writer(file);
            writer.writeHeader(columns);
            if (withRows) {
                writer.writeRow(row);
                writer.writeRow(QVariantList(columns.size()));
            }
            writer.finish();
            QCOMPARE(file.data(), rewrittenByQt(file.data()));
            if (!withRows) {
                QVERIFY(file.data().endsWith("\n\t<rs:data/>\n</xml>\n"));
                continue;
            }
            const RowsetFile read = readRowsetXml(file.data());
            QVERIFY2(read.error.isEmpty(), qPrintable(read.error));
            QCOMPARE(read.columns[0].name, "Text <\"&>" + kept);
            QCOMPARE(read.columns[1].attribute, columns[1].name);
            QCOMPARE(read.rows.size(), 2);
            QCOMPARE(read.rows[0], (QMap<QString, QString>{{"c0", kept},
                                                           {columns[1].name, ""},
                                                           {"Number", "-42"},
                                                           {"Amount", "-12.345"},
                                                           {"Day", "1999-12-31T00:00:00"},
                                                           {"Flag", "True"}}));
            QVERIFY(read.rows[1].isEmpty());
        }
    }

    void exportingAgainReplacesTheFile() {
        const QString path = db->filePath("out/types.csv");
        QDir(db->root()).mkpath("out");
        QVERIFY(db->exportTo("Inventory Type List", ExportFormat::Csv, "out/types.csv"));
        db->sql("DELETE FROM tblType_Lkp WHERE TypeTX NOT IN ('Art', 'Tools');");
        QVERIFY(db->exportTo("Inventory Type List", ExportFormat::Csv, "out/types.csv"));
        QCOMPARE(readFile(path), QByteArray("TypeTX,\r\nArt,\r\nTools,\r\n"));
        QCOMPARE(filesIn(db->filePath("out")), QStringList{"types.csv"});
    }

    void aStoppedOrFailedExportLeavesTheFileAsItWas() {
        // 450 items, so that the export is stopped part-way.
        db->sql("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 448) "
                "INSERT INTO tblItem (ItemNM) SELECT 'item ' || i FROM n;");
        QDir(db->root()).mkpath("out");
        const QString path = db->filePath("out/items.csv");
        writeFile(path, "the old export");
        QList<std::pair<qint64, qint64>> reports;
        const auto stopAt400 = [&reports](qint64 written, qint64 total) {
            reports.append({written, total});
            return written < 400;
        };
        QCOMPARE(db->exportTo("Inventory Items", ExportFormat::Csv, "out/items.csv", stopAt400),
                 std::nullopt);
        QCOMPARE(reports, (QList<std::pair<qint64, qint64>>{{0, 450}, {200, 450}, {400, 450}}));
        QCOMPARE(readFile(path), QByteArray("the old export"));
        QCOMPARE(filesIn(db->filePath("out")), QStringList{"items.csv"});

        reports.clear();
        const auto goOn = [&reports](qint64 written, qint64 total) {
            reports.append({written, total});
            return true;
        };
        QCOMPARE(db->exportTo("Inventory Items", ExportFormat::Xml, "out/items.csv", goOn),
                 std::optional<qint64>(450));
        QCOMPARE(reports.last(), (std::pair<qint64, qint64>{450, 450}));
        QCOMPARE(readRowsetXml(readFile(path)).rows.size(), 450);

        // Refused before anything is written: the database itself, a read-only file, a folder,
        // a folder that does not exist.
        const QByteArray database = readFile(db->databaseFile());
        QVERIFY_THROWS_EXCEPTION(ExportError,
                                 ExportFile::exportTable(db->data, "Inventory Items",
                                                         ExportFormat::Csv, db->databaseFile()));
        QCOMPARE(readFile(db->databaseFile()), database);
        QFile::setPermissions(path, QFileDevice::ReadOwner);
        QVERIFY_THROWS_EXCEPTION(
            ExportError, db->exportTo("Inventory Items", ExportFormat::Csv, "out/items.csv"));
        QCOMPARE(readRowsetXml(readFile(path)).rows.size(), 450);
        QVERIFY_THROWS_EXCEPTION(ExportError,
                                 db->exportTo("Inventory Items", ExportFormat::Csv, "out"));
        QVERIFY_THROWS_EXCEPTION(
            ExportError, db->exportTo("Inventory Items", ExportFormat::Csv, "nowhere/items.csv"));
        QCOMPARE(filesIn(db->filePath("out")), QStringList{"items.csv"});
    }

    void entriesNameTheTablesAndEachCollection() {
        QCOMPARE(ExportSource::entries(db->data),
                 (QStringList{"Inventory Items", "Inventory Type List", "Inventory Location List",
                              "Collection 'Coins'", "Collection 'Empty'"}));
        QCOMPARE(ExportSource::collectionOf("Collection 'Bob's coins'"),
                 std::optional<QString>("Bob's coins"));
        QCOMPARE(ExportSource::collectionOf("Collection ''"), std::nullopt);
        QVERIFY_THROWS_EXCEPTION(ExportError, ExportSource::open(db->data, "Collection 'Stamps'"));
        QVERIFY_THROWS_EXCEPTION(ExportError, ExportSource::open(db->data, "Furniture"));
        QCOMPARE(ExportFormats::ofEntry(ExportFormats::entries()[2]), ExportFormat::Xml);
        QCOMPARE(ExportFormats::ofName("TSV"), ExportFormat::Tsv);
        QCOMPARE(ExportFormats::ofName("xls"), std::nullopt);
    }
};

DOMIVO_TEST_MAIN(ExportTest)
#include "tst_export.moc"
