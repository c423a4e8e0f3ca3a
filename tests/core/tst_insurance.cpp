// Warranties about to run out, incidents with their claim list and CSV, and the coverage check:
// which items each one counts, the totals, the tables' cascades, the upgrade step on a database
// made before them, and backup and restore carrying them.

#include "ExportReaders.h"
#include "TestEnvironment.h"

#include "app/Clock.h"
#include "app/Settings.h"
#include "attachments/AttachmentFile.h"
#include "attachments/AttachmentOwner.h"
#include "data/DbError.h"
#include "export/ExportError.h"
#include "insurance/Claim.h"
#include "insurance/ClaimCsv.h"
#include "insurance/CoverageCheck.h"
#include "insurance/CoverageStore.h"
#include "insurance/IncidentStore.h"
#include "insurance/InsuranceUpgrade.h"
#include "insurance/WarrantyReminder.h"
#include "maintenance/DatabaseStartup.h"
#include "maintenance/MaintenanceJob.h"
#include "reports/ReportCatalogue.h"
#include "reports/rptGeneral.h"
#include "reports/rptIncidentClaim.h"

namespace {

const QDateTime Now(QDate(2026, 3, 10), QTime(23, 59, 30));

// An item through SQL, with the columns a test cares about; returns its ItemID.
qint64 addItem(const TestDatabase& db, const QString& columns, const QString& values) {
    return db
        .sql(QStringLiteral("INSERT INTO tblItem (%1) VALUES (%2); SELECT max(ItemID) FROM "
                            "tblItem;")
                 .arg(columns, values))
        .trimmed()
        .toLongLong();
}

qint64 addWarranty(const TestDatabase& db, const QString& name, const QString& expires,
                   int flag = 1) {
    return addItem(db, "ManufacturerNM, ItemNM, ModelSeriesTX, WarrantyCD, WarrantyExpireDT",
                   QStringLiteral("'Acme', '%1', 'M-1', %2, %3").arg(name).arg(flag).arg(expires));
}

QStringList column(const Recordset& rows, const QString& name) {
    QStringList texts;
    for (const QVariant& value : rows.columnValues(name))
        texts.append(value.toString());
    return texts;
}

const QByteArray PngStart("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);

Currency dollars(const char* text) {
    return *Currency::parse(QLatin1String(text));
}

} // namespace

class InsuranceTest : public QObject {
    Q_OBJECT

private slots:
    void init() { Clock::setNow(Now); }
    void cleanup() { Clock::setNow({}); }

    void warrantiesWithinTheDaysAhead() {
        TestDatabase db;
        addWarranty(db, "In 30 days", "'2026-04-09'");
        addWarranty(db, "In 31 days", "'2026-04-10'");
        addWarranty(db, "Today", "'2026-03-10 08:00:00'");
        addWarranty(db, "Yesterday", "'2026-03-09'");
        addWarranty(db, "Flag off", "'2026-03-20'", 0);
        addWarranty(db, "No expiry", "NULL");
        addWarranty(db, "In 5 days", "'2026-03-15'");

        const Recordset rows = WarrantyReminder::expiring(db.data, 30);
        QCOMPARE(rows.columnNames(),
                 (QStringList{"ItemID", "Manufacturer", "Item", "Model", "Expires", "Days Left"}));
        QCOMPARE(column(rows, "Item"), (QStringList{"Today", "In 5 days", "In 30 days"}));
        QCOMPARE(column(rows, "Expires"), (QStringList{"3/10/2026", "3/15/2026", "4/9/2026"}));
        QCOMPARE(column(rows, "Days Left"), (QStringList{"0", "5", "30"}));
        QCOMPARE(column(WarrantyReminder::expiring(db.data, 0), "Item"), QStringList{"Today"});
        QCOMPARE(WarrantyReminder::expiring(db.data, 31).rowCount(), 4);
    }

    void warrantyReminderSettings() {
        TestEnvironment env;
        QCOMPARE(WarrantyReminder::days(), 30);
        QVERIFY(WarrantyReminder::isDue());
        WarrantyReminder::noteShown();
        QCOMPARE(Settings::text(SettingKeys::LastWarrantyReminder), QString("2026-03-10"));
        // Once a calendar day: again a minute later (the next day), not twice the same day.
        QVERIFY(!WarrantyReminder::isDue());
        Clock::setNow(Now.addSecs(60));
        QVERIFY(WarrantyReminder::isDue());
        Settings::setText(SettingKeys::RemindWarranty, "0");
        QVERIFY(!WarrantyReminder::isDue());
        Settings::setText(SettingKeys::WarrantyDays, "7");
        QCOMPARE(WarrantyReminder::days(), 7);
        Settings::setText(SettingKeys::WarrantyDays, "-3");
        QCOMPARE(WarrantyReminder::days(), 30);
    }

    void incidentsKeepTheirItemsApart() {
        TestDatabase db;
        const IncidentStore incidents(db.data);
        QCOMPARE(IncidentStore::problem({.IncidentNM = " ", .IncidentDT = QDate(2026, 3, 3)}),
                 QString("An incident needs a name."));
        QVERIFY_THROWS_EXCEPTION(DbError, incidents.Add({.IncidentNM = "Fire"}));
        const qint64 fire = incidents.Add(
            {.IncidentNM = "Fire", .IncidentDT = QDate(2026, 3, 3), .KindTX = "Fire"});
        const qint64 theft = incidents.Add({.IncidentNM = "Burglary",
                                            .IncidentDT = QDate(2026, 3, 8),
                                            .NotesTX = "Back door forced"});
        const qint64 sofa = addItem(db, "ItemNM, ManufacturerNM", "'Sofa', 'Ikea'");
        const qint64 tv = addItem(db, "ItemNM, ManufacturerNM", "'TV', 'Sony'");

        QCOMPARE(incidents.AddItems(fire, {sofa, tv}), 2);
        QCOMPARE(incidents.AddItems(fire, {tv}), 0);
        // All or none: an unknown item leaves the incident as it was.
        QVERIFY_THROWS_EXCEPTION(DbError, incidents.AddItems(theft, {tv, 999}));
        QCOMPARE(incidents.Items(theft).rowCount(), 0);
        QVERIFY_THROWS_EXCEPTION(DbError, incidents.AddItems(999, {tv}));

        const Recordset list = incidents.List();
        QCOMPARE(column(list, "Incident"), (QStringList{"Burglary", "Fire"}));
        QCOMPARE(column(list, "Date"), (QStringList{"3/8/2026", "3/3/2026"}));
        QCOMPARE(column(list, "Items"), (QStringList{"0", "2"}));

        // A deleted item leaves its incident; a deleted incident leaves its items.
        db.data.Inventory().Item().Delete(tv);
        QCOMPARE(column(incidents.Items(fire), "Item"), QStringList{"Sofa"});
        incidents.Delete(fire);
        QCOMPARE(db.sql("SELECT count(*) FROM tblIncidentItem; SELECT count(*) FROM tblItem;"),
                 QString("0\n1\n"));
        incidents.Update(theft, {.IncidentNM = "Break-in", .IncidentDT = QDate(2026, 3, 7)});
        QCOMPARE(db.sql("SELECT IncidentNM, IncidentDT, KindTX, NotesTX FROM tblIncident;"),
                 QString("Break-in|2026-03-07||\n"));
    }

    void claimListsEveryItemWithTotals() {
        TestDatabase db;
        const IncidentStore incidents(db.data);
        const qint64 burglary = incidents.Add({.IncidentNM = "Burglary <3 March>",
                                               .IncidentDT = QDate(2026, 3, 3),
                                               .KindTX = "Theft",
                                               .NotesTX = "Police report 26/1187"});
        const QString columns = "ManufacturerNM, ItemNM, ModelSeriesTX, SerialNumberID, "
                                "PurchaseDT, PurchaseLocationTX, PurchasePriceAM, "
                                "ReplacePriceAM, AppraisalPriceAM, ReceiptCD, ManualsCD";
        const qint64 tv = addItem(db, columns,
                                  "'Sony', 'TV', 'KD-55', 'S123', '2024-11-29', 'Best, \"Buy\"', "
                                  "89999900, 95000000, 0, 1, 1");
        const qint64 ring = addItem(db, columns,
                                    "'', 'Ring', NULL, NULL, NULL, NULL, 12000000, 0, 20000000, "
                                    "0, 0");
        const qint64 laptop = addItem(db, columns,
                                      "'Apple', 'Laptop', 'M3', 'C02X', '2025-01-15', 'Apple "
                                      "Store', 19990000, 21000000, 0, 1, 0");
        addItem(db, "ItemNM, PurchasePriceAM", "'Not stolen', 50000000");
        incidents.AddItems(burglary, {tv, ring, laptop});
        // The TV's photo (its thumbnail shows on the page) and its receipt, a file without one.
        AttachmentFile photo = AttachmentFile::fromBytes("tv.png", PngStart + QByteArray(40, 'p'));
        photo.caption = "Front <left>";
        photo.thumbnail = PngStart + QByteArray(20, 't');
        db.data.Attachment().Add(AttachmentOwner::inventoryItem(tv),
                                 {photo, AttachmentFile::fromBytes("receipt.txt", "Paid")});

        const Claim claim = Claim::load(db.data, burglary);
        QCOMPARE(claim.items.size(), 3);
        QCOMPARE(claim.totalPurchasePrice(), dollars("12198.99"));
        QCOMPARE(claim.totalReplacementPrice(), dollars("11600"));
        QCOMPARE(claim.totalAppraisalPrice(), dollars("2000"));
        QVERIFY_THROWS_EXCEPTION(DbError, Claim::load(db.data, burglary + 1));

        rptGeneral page(db.filePath("claim.htm"), "/usr/share/domivo/DOMIVO.CSS");
        rptIncidentClaim::Generate(page, claim);
        const QString html = QString::fromUtf8(readFile(db.filePath("claim.htm")));
        QVERIFY(html.contains("<H1>Claim List: Burglary &lt;3 March&gt;</H1>"));
        QVERIFY(html.contains("Police report 26/1187"));
        for (const char* cell :
             {"Best, &quot;Buy&quot;", "11/29/2024", "$8999.99", "$9500.00", "S123", "C02X"})
            QVERIFY2(html.contains(QLatin1String(cell)), cell);
        QVERIFY(html.contains("TOTALS (3 items)"));
        for (const char* total : {"$12198.99", "$11600.00", "$2000.00"})
            QVERIFY2(html.contains(QLatin1String(">") + total + "&nbsp;</td>"), total);
        QVERIFY(!html.contains("Not stolen"));
        // Items come by manufacturer, then name: the ring without one first.
        QVERIFY(html.indexOf(">Ring&nbsp;") < html.indexOf(">Laptop&nbsp;"));
        QVERIFY(html.indexOf(">Laptop&nbsp;") < html.indexOf(">TV&nbsp;"));
        const QString thumbnail =
            "data:image/png;base64," + (PngStart + QByteArray(20, 't')).toBase64();
        QVERIFY(html.contains("<img class=\"photo\" src=\"" + thumbnail +
                              "\" alt=\"Front &lt;left&gt; (tv.png)\"><br>"));
        QCOMPARE(html.count("<img "), 1);
        QVERIFY(html.contains("<span class=\"attachment\">receipt.txt</span>"));

        // The CSV holds the same rows, read back as a spreadsheet reads it.
        const QString csv = db.filePath("claim.csv");
        ClaimCsv::write(claim, csv);
        const QList<QStringList> records = readDelimited(readFile(csv), ',');
        QCOMPARE(records.size(), 4);
        QCOMPARE(records.at(0), ClaimCsv::columnNames());
        QCOMPARE(records.at(1), (QStringList{QString::number(ring), "", "Ring", "", "", "", "",
                                             "1200.00", "0.00", "2000.00", "No", "No", ""}));
        QCOMPARE(records.at(3), (QStringList{QString::number(tv), "Sony", "TV", "KD-55", "S123",
                                             "2024-11-29", "Best, \"Buy\"", "8999.99", "9500.00",
                                             "0.00", "Yes", "Yes", "tv.png; receipt.txt"}));
        // A folder that cannot be written to leaves nothing behind and says so.
        QVERIFY_THROWS_EXCEPTION(ExportError,
                                 ClaimCsv::write(claim, db.filePath("missing/claim.csv")));
    }

    void coverageAgainstTheLimits() {
        TestDatabase db;
        const CoverageStore store(db.data);
        // Jewelry: worth exactly its limit; Art: one cent over; Tools: the purchase price
        // counts where no replacement price is recorded.
        const QString columns = "ItemNM, TypeTX, PurchasePriceAM, ReplacePriceAM";
        addItem(db, columns, "'Ring', 'Jewelry', 50000000, 10000000");
        addItem(db, columns, "'Watch', 'Jewelry', 0, 5000000");
        addItem(db, columns, "'Print', 'Art', 9000000, 10000100");
        addItem(db, columns, "'Drill', 'Tools', 1500000, 0");
        addItem(db, columns, "'Saw', 'Tools', 2500000, NULL");
        addItem(db, columns, "'Box', NULL, 100000, 0");
        store.setLimit("jewelry", dollars("1500"));
        store.setLimit("Art", dollars("1000"));
        store.setContentsLimit(dollars("2000"));
        QVERIFY_THROWS_EXCEPTION(DbError, store.setLimit("Boats", dollars("1")));
        QVERIFY_THROWS_EXCEPTION(DbError, store.setLimit("Art", dollars("-1")));

        CoverageCheck check = CoverageCheck::compute(db.data);
        QCOMPARE(check.lines().size(), 4);
        const CoverageCheck::Line art = check.lines().at(0);
        QCOMPARE(art.type, QString("Art"));
        QVERIFY(art.isOver());
        QCOMPARE(art.over(), dollars("0.01"));
        const CoverageCheck::Line jewelry = check.lines().at(1);
        QCOMPARE(jewelry.type, QString("Jewelry"));
        QCOMPARE(jewelry.items, qint64(2));
        QCOMPARE(jewelry.value, dollars("1500"));
        QVERIFY(!jewelry.isOver());
        QCOMPARE(check.lines().at(2).value, dollars("400"));
        QVERIFY(!check.lines().at(2).limit);
        QCOMPARE(check.lines().at(3).type, QString());
        QCOMPARE(check.lines().at(3).value, dollars("10"));
        QCOMPARE(check.total().items, qint64(6));
        QCOMPARE(check.total().value, dollars("2910.01"));
        QCOMPARE(check.total().over(), dollars("910.01"));
        QCOMPARE(CoverageCheck::compute(db.data, true).lines().size(),
                 dvData::seedItemTypes().size() + 1);

        // A renamed type keeps its sub-limit; a deleted one takes it along.
        QVERIFY(db.data.Inventory().Item().ItemType().Update("Jewelry", "Jewellery"));
        QCOMPARE(store.limits().byType.value("Jewellery"), dollars("1500"));
        QVERIFY(db.data.Inventory().Item().ItemType().Delete("Art"));
        QCOMPARE(store.limits().byType.keys(), QStringList{"Jewellery"});

        store.save({.contents = std::nullopt, .byType = {{"Tools", dollars("300")}}});
        check = CoverageCheck::compute(db.data);
        QVERIFY(!check.total().limit);
        QCOMPARE(store.limits().byType.keys(), QStringList{"Tools"});

        // The report marks the type over its limit, and only that one.
        const QString page = ReportCatalogue::run(
            *ReportCatalogue::find(ReportCatalogue::Kind::Inventory, "coverage check"), db.data, {},
            db.filePath("coverage.htm"));
        const QString html = QString::fromUtf8(readFile(page));
        QVERIFY(html.contains("<H1>Coverage Check</H1>"));
        QCOMPARE(html.count("OVER LIMIT"), 1);
        QCOMPARE(html.count("<tr class=\"overLimit\">"), 1);
        const QString tools = html.section("Tools&nbsp;", 1).section("</tr>", 0, 0);
        QVERIFY2(tools.contains("$400.00") && tools.contains("$300.00") &&
                     tools.contains("$100.00") && tools.contains("OVER LIMIT"),
                 qPrintable(tools));
        QVERIFY(html.contains("** Unknown **"));
    }

    void tablesComeWithUpgradesBackupsAndRestores() {
        TestDatabase db;
        const IncidentStore incidents(db.data);
        const qint64 sofa = addItem(db, "ItemNM, TypeTX", "'Sofa', 'Furniture'");
        const qint64 flood =
            incidents.Add({.IncidentNM = "Flood", .IncidentDT = QDate(2026, 2, 1)});
        incidents.AddItems(flood, {sofa});
        CoverageStore(db.data).setLimit("Furniture", dollars("5000"));
        CoverageStore(db.data).setContentsLimit(dollars("80000"));

        const QString backup = db.filePath("home.DVB");
        MaintenanceJob::backup(db.databaseFile(), backup, false)->run();
        db.sql("DELETE FROM tblIncident; DELETE FROM tblCoverageLimit; DELETE FROM tblCoverage;");
        MaintenanceJob::restore(db.databaseFile(), backup)->run();
        QCOMPARE(column(incidents.Items(flood), "Item"), QStringList{"Sofa"});
        QCOMPARE(CoverageStore(db.data).limits().byType.value("Furniture"), dollars("5000"));
        QCOMPARE(*CoverageStore(db.data).limits().contents, dollars("80000"));
        MaintenanceJob::compact(db.databaseFile())->run();
        QCOMPARE(db.sql("SELECT count(*) FROM tblIncidentItem;"), QString("1\n"));

        // A database, and a backup, made before the tables: the backup restores without them,
        // and start-up adds them (empty) to the database.
        const QString older = db.filePath("older.DVB");
        QFile::copy(backup, older);
        runSqlite(older, "DROP TABLE tblIncidentItem; DROP TABLE tblIncident; DROP TABLE "
                         "tblCoverageLimit; DROP TABLE tblCoverage;");
        MaintenanceJob::restore(db.databaseFile(), older)->run();
        QCOMPARE(db.sql("SELECT count(*) FROM tblIncident; SELECT count(*) FROM tblItem;"),
                 QString("0\n1\n"));
        db.sql("DROP TABLE tblIncidentItem; DROP TABLE tblIncident; DROP TABLE tblCoverageLimit; "
               "DROP TABLE tblCoverage;");
        QVERIFY(!InsuranceUpgrade::isUpToDate(db.data.connString()));
        dvData reopened;
        QCOMPARE(DatabaseStartup::open(reopened, db.databaseFile()).outcome,
                 DatabaseStartup::Outcome::Ready);
        QVERIFY(InsuranceUpgrade::isUpToDate(db.data.connString()));
        QVERIFY(IncidentStore(db.data).List().isEmpty());
        // The tables of a new database and of an upgraded one are the same.
        TestDatabase fresh;
        const QString schema = "SELECT sql FROM sqlite_master WHERE name LIKE '%Incident%' OR "
                               "name LIKE '%Coverage%' ORDER BY name;";
        QCOMPARE(db.sql(schema), fresh.sql(schema));
    }
};

DOMIVO_TEST_MAIN(InsuranceTest)
#include "tst_insurance.moc"
