// The report pages: the frame every page shares, and each inventory and collection report on
// small databases that exercise its row choice, grouping, totals and filters: one page of each
// shape compared line by line with the page it must write, the others table by table.

#include "TestEnvironment.h"

#include "app/AppPaths.h"
#include "app/Clock.h"
#include "app/Settings.h"
#include "data/DbError.h"
#include "reports/ReportCatalogue.h"
#include "reports/rptGeneral.h"

#include <QDir>
#include <QRegularExpression>
#include <stdexcept>

namespace {

using Kind = ReportCatalogue::Kind;

const QString styleSheet = "/opt/domivo/DOMIVO.CSS";
const QDateTime now(QDate(2024, 6, 10), QTime(14, 5, 9));

// Six items. Item 4 has no type and an "&", a "<" and a letter beyond ASCII in its texts; 3 and 5
// share manufacturer and name (5 has the lower model, 3 the lower ItemID); 2 and 3 have no
// purchase place (Null and empty), 4 and 1 were bought at "SEARS" and "Sears"; 1's warranty
// expired at midnight today, 3's runs on, 4's ran out long ago, 5's has no expiry date; 1 was
// changed at midnight of June 1st, 2 later that day; 6 has Null prices and no change date.
const char* const inventorySql =
    "INSERT INTO tblItem (ItemID, ManufacturerNM, ItemNM, ModelSeriesTX, SerialNumberID, "
    "PurchaseLocationTX, PurchaseDT, WarrantyCD, WarrantyExpireDT, WarrantyDocumentCD, "
    "PurchasePriceAM, ReplacePriceAM, AppraisalPriceAM, TypeTX, LocationTX, ReceiptCD, "
    "ManualsCD, CommentsTX, LastChangeDT) VALUES "
    "(1, 'Zenith', 'Radio', 'Z1', 'SN-1', 'Sears', '2023-05-02', 1, '2024-06-10', 0, "
    "1200000, 1500000, 1000000, 'Electronics', 'Kitchen', 1, 0, 'on the shelf', '2024-06-01'), "
    "(2, 'Acme', 'Anvil', 'heavy', NULL, NULL, NULL, 0, NULL, 0, 102500, 0, 0, 'Tools', "
    "'Garage', 0, 0, NULL, '2024-06-01 15:30:00'), "
    "(3, 'Acme', 'Hammer', 'H2', '', '', '2020-01-15', 1, '2025-01-31', 1, 205000, 250000, "
    "155000, 'Tools', 'Kitchen', 0, 1, NULL, '2023-12-24'), "
    "(4, 'Müller', 'Salt & Pepper', NULL, 'A<1>', 'SEARS', '2022-11-30', 1, '2021-01-01', 0, "
    "50000, 50000, 50000, NULL, 'Kitchen', 0, 0, NULL, '2024-05-31'), "
    "(5, 'Acme', 'Hammer', 'H1', 'SN-5', 'Hardware Barn', '2021-07-04', 1, NULL, 0, 12345000, "
    "0, 0, 'Tools', 'Garage', 0, 0, NULL, '2024-06-11'), "
    "(6, 'Bosch', 'Drill', NULL, NULL, 'Hardware Barn', NULL, 0, NULL, 0, NULL, NULL, NULL, "
    "'Tools', 'Shed', 0, 0, NULL, NULL);";

// Coins has four fields (integer, text, yes/no, currency) whose values were stored out of
// order; Dime was changed later on June 1st than Penny. "Empty Box" has one field, no items.
const char* const collectionSql =
    "INSERT INTO tblCollection VALUES ('Coins', ''), ('Empty Box', '');"
    "INSERT INTO tblCollectionField VALUES ('Coins', 0, 'Year', 3, 0, NULL), "
    "('Coins', 1, 'Mint', 0, 0, NULL), ('Coins', 2, 'Proof', 5, 0, NULL), "
    "('Coins', 3, 'Value', 7, 0, NULL), ('Empty Box', 0, 'Label', 0, 0, NULL);"
    "INSERT INTO tblCollectionItem VALUES "
    "(10, 'Penny', 'Coins', 102500, 150000, 120000, 'worn', '2024-06-01'), "
    "(11, 'Dime', 'Coins', 205000, 0, 0, NULL, '2024-06-01 09:00:00');"
    "INSERT INTO tblCollectionItemField VALUES (11, 3, ''), (10, 3, '3.5'), (11, 0, '1916'), "
    "(10, 2, '1'), (10, 0, '1909'), (11, 2, '0'), (10, 1, 'S'), (11, 1, '');";

QStringList lines(const QString& text) {
    QStringList result = text.split('\n');
    if (!result.isEmpty() && result.first().isEmpty())
        result.removeFirst();
    if (!result.isEmpty() && result.last().isEmpty())
        result.removeLast();
    return result;
}

QStringList expectedPage(const QString& title, const QStringList& body) {
    return QStringList{"<HTML>",
                       "<HEAD>",
                       "  <TITLE>" + title + "</TITLE>",
                       "  <LINK rel=\"stylesheet\" type=\"text/css\" href=\"" + styleSheet + "\">",
                       "</HEAD>",
                       "<BODY>",
                       "",
                       "<H1>" + title + "</H1>"} +
           body +
           QStringList{"<span class=\"footer\">Report created 6/10/2024 2:05:09 PM</span>", "",
                       "</BODY>", "</HTML>"};
}

QStringList pageLines(const QString& path) {
    QStringList result = QString::fromUtf8(readFile(path)).split("\r\n");
    if (!result.isEmpty() && result.last().isEmpty())
        result.removeLast();
    return result;
}

// The tables of a page as text: a heading as "# heading", a row as its cells' texts (tags and
// spaces dropped, entities kept) joined by " | ".
QStringList tableRows(const QStringList& page) {
    static const QRegularExpression tag("<[^>]*>");
    const auto text = [](QString line) { return line.remove(tag).remove("&nbsp;").trimmed(); };
    QStringList rows;
    QStringList cells;
    for (const QString& line : page) {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith("<h3>"))
            rows << "# " + text(trimmed);
        else if (trimmed == "<tr>")
            cells.clear();
        else if (trimmed == "</tr>")
            rows << cells.join(" | ").trimmed();
        else if (trimmed.startsWith("<td"))
            cells << text(trimmed);
    }
    return rows;
}

struct Run {
    Kind kind = Kind::Inventory;
    QString caption{};
    ReportRequest request{};
    bool roundPrices = false;
};

} // namespace

Q_DECLARE_METATYPE(Run)

class ReportsTest : public QObject {
    Q_OBJECT

private slots:
    void pageFrame() {
        TestDatabase db;
        Clock::setNow(now);
        const QString path = AppPaths::pageFile(db.dataFolder());
        QCOMPARE(path, QDir(db.dataFolder()).filePath("DV-RPT.HTM"));
        {
            rptGeneral page(path, "/no/such/folder/DOMIVO.CSS");
            page.StartReport("First");
            page.write("<p>one</p>");
            QCOMPARE(page.EndReport(), path);
        }
        rptGeneral page(path, styleSheet);
        page.StartReport("Tom & Jerry's <Café>");
        page.write("<p>two</p>");
        page.EndReport();
        // Only the second page is left; every line ends in CR LF; a missing stylesheet would
        // still be linked by the path given.
        const QByteArray bytes = readFile(path);
        QVERIFY(bytes.endsWith("</HTML>\r\n"));
        QCOMPARE(bytes.count("\n"), bytes.count("\r\n"));
        QCOMPARE(pageLines(path),
                 expectedPage("Tom &amp; Jerry's &lt;Caf&#233;&gt;", {"<p>two</p>"}));

        // A page abandoned half-way (a database error, say) leaves the earlier one, and no
        // temporary file behind.
        {
            rptGeneral broken(path, styleSheet);
            broken.StartReport("Broken");
            broken.write("<p>three</p>");
        }
        QCOMPARE(pageLines(path).at(8), QString("<p>two</p>"));
        QCOMPARE(QDir(db.dataFolder()).entryList(QDir::Files),
                 QStringList({"Domivo.mdb", "DV-RPT.HTM"}));

        rptGeneral unwritable(QDir(db.root()).filePath("missing/DV-RPT.HTM"), styleSheet);
        try {
            unwritable.StartReport("Nowhere");
            QFAIL("a page in a missing folder was started");
        } catch (const std::runtime_error& error) {
            QVERIFY2(QString(error.what()).contains("missing/DV-RPT.HTM"), error.what());
        }
    }

    // Defined after the class: moc misreads the raw string literals of the expected pages
    // inside a class body.
    void reports_data();
    void reports() {
        QFETCH(QString, fixture);
        QFETCH(Run, run);
        QFETCH(QString, title);
        QFETCH(QStringList, body);
        QFETCH(bool, wholePage);

        TestDatabase db;
        if (!fixture.isEmpty())
            db.sql(fixture);
        Clock::setNow(now);
        Settings::setFlag(SettingKeys::RoundPrices, run.roundPrices);
        const ReportCatalogue::Report* report = ReportCatalogue::find(run.kind, run.caption);
        QVERIFY(report);
        rptGeneral page(AppPaths::pageFile(db.dataFolder()), styleSheet);
        const QString path = report->generate(page, db.data, run.request);
        const QStringList written = pageLines(path);
        if (wholePage) {
            QCOMPARE(written, expectedPage(title, body));
        } else {
            QCOMPARE(written.mid(0, 8) + written.mid(written.size() - 4), expectedPage(title, {}));
            QCOMPARE(tableRows(written), body);
        }
    }
};

void ReportsTest::reports_data() {
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<Run>("run");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("body");
    QTest::addColumn<bool>("wholePage");
    const auto addCase = [](const char* name, const QString& fixture, const Run& run,
                            const QString& title, const QStringList& body) {
        QTest::newRow(name) << fixture << run << title << body << true;
    };
    const auto addRows = [](const char* name, const QString& fixture, const Run& run,
                            const QString& title, const char* rows) {
        QTest::newRow(name) << fixture << run << title << lines(rows) << false;
    };

    // Whole pages, one for each shape of page.
    addCase("summary listing of one type", inventorySql,
            Run{Kind::Inventory,
                "Summary Listing",
                {.typeText = "Electronics", .locationText = "*** All ***"}},
            "Inventory Summary Listing", lines(R"html(
<h3>Electronics</h3>
<table border="1" width="100%" cellspacing="0" bordercolor="#800000">
  <tr>
    <td width="20%" class="listHeader">Manufacturer</td>
    <td width="20%" class="listHeader">Item Name</td>
    <td width="15%" class="listHeader">Series/Model</td>
    <td width="15%" class="listHeader">Type</td>
    <td width="15%" class="listHeader">Location</td>
    <td width="15%" class="listHeader">Purchase Price</td>
  </tr>
  <tr>
    <td width="20%">Zenith&nbsp;</td>
    <td width="20%">Radio&nbsp;</td>
    <td width="15%">Z1&nbsp;</td>
    <td width="15%">Electronics&nbsp;</td>
    <td width="15%">Kitchen&nbsp;</td>
    <td width="15%">$120.00&nbsp;</td>
  </tr>
  <tr>
    <td width="20%" class="totalLine" colspan="5" align="right"><b>Total Purchase Price for Electronics:&nbsp;&nbsp;</b></td>
    <td width="15%" class="totalLine">$120.00&nbsp;</td>
  </tr>
</table>
<p>
<table border="1" width="100%" cellspacing="0" bordercolor="#800000">
  <tr>
    <td width="85%" class="totalLine" align="right"><b>GRAND TOTAL PURCHASE PRICE:&nbsp;&nbsp;</b></td>
    <td width="15%" class="totalLine">$120.00&nbsp;</td>
  </tr>
</table>
)html"));

    // One location: the grouped page with its totals and grand totals, whole.
    addCase("cost summary of one location", inventorySql,
            Run{Kind::Inventory, "Cost Summary", {.locationText = "Garage"}},
            "Inventory Cost Summary", lines(R"html(
<h3>Garage</h3>
<table border="1" width="100%" cellspacing="0" bordercolor="#800000">
  <tr>
    <td width="15%" class="listHeader">Manufacturer</td>
    <td width="15%" class="listHeader">Item Name</td>
    <td width="15%" class="listHeader">Series/Model</td>
    <td width="15%" class="listHeader">Purchase Price</td>
    <td width="15%" class="listHeader">Appraisal Price</td>
    <td width="15%" class="listHeader">Replacement Price</td>
    <td width="10%" class="listHeader">Purchase Date</td>
  </tr>
  <tr>
    <td width="15%">Acme&nbsp;</td>
    <td width="15%">Anvil&nbsp;</td>
    <td width="15%">heavy&nbsp;</td>
    <td width="15%" align="right">$10.25&nbsp;</td>
    <td width="15%" align="right">$0.00&nbsp;</td>
    <td width="15%" align="right">$0.00&nbsp;</td>
    <td width="10%" align="center">&nbsp;</td>
  </tr>
  <tr>
    <td width="15%">Acme&nbsp;</td>
    <td width="15%">Hammer&nbsp;</td>
    <td width="15%">H1&nbsp;</td>
    <td width="15%" align="right">$1234.50&nbsp;</td>
    <td width="15%" align="right">$0.00&nbsp;</td>
    <td width="15%" align="right">$0.00&nbsp;</td>
    <td width="10%" align="center">7/4/2021&nbsp;</td>
  </tr>
  <tr>
    <td width="15%" align="right" colspan="3" class="totalLine"><b>Totals for Garage:&nbsp;&nbsp;&nbsp;</td>
    <td width="15%" align="right" class="totalLine">$1244.75&nbsp;</td>
    <td width="15%" align="right" class="totalLine">$0.00&nbsp;</td>
    <td width="15%" align="right" class="totalLine">$0.00&nbsp;</td>
    <td width="15%" class="totalLine">&nbsp;</td>
  </tr>
</table>
<p>
<table border="1" width="100%" cellspacing="0" bordercolor="#800000">
  <tr>
    <td width="45%" align="right" class="totalLine"><b>GRAND TOTALS:&nbsp;&nbsp;&nbsp;</td>
    <td width="15%" align="right" class="totalLine">$1244.75&nbsp;</td>
    <td width="15%" align="right" class="totalLine">$0.00&nbsp;</td>
    <td width="15%" align="right" class="totalLine">$0.00&nbsp;</td>
    <td width="10%" class="totalLine">&nbsp;</td>
  </tr>
</table>
)html"));

    // Radio changed at midnight of June 1st counts, Anvil changed later that day does not.
    addCase("items not updated", inventorySql,
            Run{Kind::Inventory, "Un-updated Item Listing", {.since = QDate(2024, 6, 1)}},
            "Un-updated Inventory Item Listing", lines(R"html(
<table border="1" width="100%" cellspacing="0" bordercolor="#800000">
  <tr>
    <td width="20%" class="listHeader">Manufacturer</td>
    <td width="20%" class="listHeader">Item Name</td>
    <td width="15%" class="listHeader">Series/Model</td>
    <td width="15%" class="listHeader">Type</td>
    <td width="15%" class="listHeader">Location</td>
    <td width="15%" class="listHeader">Last Update</td>
  </tr>
  <tr>
    <td width="20%">Zenith&nbsp;</td>
    <td width="20%">Radio&nbsp;</td>
    <td width="15%">Z1&nbsp;</td>
    <td width="15%">Electronics&nbsp;</td>
    <td width="15%">Kitchen&nbsp;</td>
    <td width="15%">6/1/2024&nbsp;</td>
  </tr>
  <tr>
    <td width="20%">M&#252;ller&nbsp;</td>
    <td width="20%">Salt &amp; Pepper&nbsp;</td>
    <td width="15%">&nbsp;</td>
    <td width="15%">&nbsp;</td>
    <td width="15%">Kitchen&nbsp;</td>
    <td width="15%">5/31/2024&nbsp;</td>
  </tr>
  <tr>
    <td width="20%">Acme&nbsp;</td>
    <td width="20%">Hammer&nbsp;</td>
    <td width="15%">H2&nbsp;</td>
    <td width="15%">Tools&nbsp;</td>
    <td width="15%">Kitchen&nbsp;</td>
    <td width="15%">12/24/2023&nbsp;</td>
  </tr>
  <tr>
    <td width="20%" class="totalLine" colspan="5" align="right"><b>Total Number of Items not updated since 6/1/2024:&nbsp;&nbsp;</b></td>
    <td width="15%" class="totalLine">3&nbsp;</td>
  </tr>
</table>
)html"));

    // The type is looked at before the location.
    addCase("detailed listing of one type", inventorySql,
            Run{Kind::Inventory,
                "Detailed Listing",
                {.typeText = "Electronics", .locationText = "Garage"}},
            "Detailed Inventory Listing", lines(R"html(
<h3>Selected Type: Electronics</h3>
<table border="0" width="100%" cellspacing="0" cellpadding="0">
  <tr>
    <td width="50%"><b>Manufacturer</b>:&nbsp; <b>Zenith</b></td>
    <td width="50%"><b>Purchased</b> <b>at</b>:&nbsp; Sears</td>
  </tr>
  <tr>
    <td width="50%"><b>Item Name</b>:&nbsp; <b>Radio</b></td>
    <td width="50%"><b>Purchased</b> <b>on</b>:&nbsp; 5/2/2023</td>
  </tr>
  <tr>
    <td width="50%"><b>Model/Series</b>:&nbsp; <b>Z1</b></td>
    <td width="50%"><b>Warranty?</b>:&nbsp; Yes, expires on 6/10/2024</td>
  </tr>
  <tr>
    <td width="50%"><b>Serial Number</b>:&nbsp; SN-1</td>
    <td width="50%" rowspan="2">
      <table border="0" width="100%" cellspacing="0" cellpadding="0">
        <tr>
          <td width="33%"><b>Purchase</b> <b>Price</b></td>
          <td width="33%"><b>Appraisal</b> <b>Price</b></td>
          <td width="34%"><b>Replacement</b> <b>Price</b></td>
        </tr>
        <tr>
          <td width="33%">$120.00</td>
          <td width="33%">$100.00</td>
          <td width="34%">$150.00</td>
        </tr>
      </table>
    </td>
  </tr>
  <tr>
    <td width="50%"><b>Type</b>:&nbsp; Electronics</td>
  </tr>
  <tr>
    <td width="50%"><b>Location</b>:&nbsp; Kitchen</td>
    <td width="50%">
      <table border="0" width="100%" cellspacing="0" cellpadding="0">
        <tr>
          <td width="50%"><b>Have a receipt</b>?: Yes</td>
          <td width="50%"><b>Have manuals</b>?: No</td>
        </tr>
      </table>
    </td>
  </tr>
  <tr>
    <td width="50%" colspan="2"><b>Comments/Notes</b>:&nbsp; on the shelf</td>
  </tr>
  <tr>
    <td width="50%" colspan="2"><i>Last updated on:&nbsp; 6/1/2024</i></td>
  </tr>
</table>
<p>
)html"));

    const char* const coinsSummary = R"html(
<table border="1" width="100%" cellspacing="0" bordercolor="#800000">
  <tr>
    <td width="14%" class="listHeader">Item Name</td>
    <td width="14%" class="listHeader">Collection</td>
    <td width="14%" class="listHeader">Year</td>
    <td width="14%" class="listHeader">Mint</td>
    <td width="14%" class="listHeader">Proof</td>
    <td width="14%" class="listHeader">Value</td>
    <td width="14%" class="listHeader">Purchase Price</td>
  </tr>
  <tr>
    <td width="14%">Dime&nbsp;</td>
    <td width="14%">Coins&nbsp;</td>
    <td width="14%">%5</td>
    <td width="14%"></td>
    <td width="14%">False</td>
    <td width="14%"></td>
    <td width="14%">$%1</td>
  </tr>
  <tr>
    <td width="14%">Penny&nbsp;</td>
    <td width="14%">Coins&nbsp;</td>
    <td width="14%">1909</td>
    <td width="14%">S</td>
    <td width="14%">True</td>
    <td width="14%">$%2</td>
    <td width="14%">$%3</td>
  </tr>
  <tr>
    <td width="14%" class="totalLine" colspan="6" align="right">Total Purchase Price:&nbsp;&nbsp;</td>
    <td width="14%" class="totalLine">$%4&nbsp;</td>
  </tr>
</table>
)html";
    addCase("collection summary", collectionSql,
            Run{Kind::Collection, "Summary Listing", {.collection = "Coins"}},
            "Summary Listing for 'Coins'",
            lines(QString(coinsSummary).arg("20.50", "3.50", "10.25", "30.75", "1916")));
    addCase("collection summary, rounded", collectionSql,
            Run{Kind::Collection, "Summary Listing", {.collection = "Coins"}, true},
            "Summary Listing for 'Coins'",
            lines(QString(coinsSummary).arg("21", "4", "10", "31", "1916")));

    // Dime lost its Year row: its other values stay in their columns, and Penny keeps its own.
    addCase("collection summary, a value row missing",
            collectionSql +
                QString("DELETE FROM tblCollectionItemField WHERE ItemID = 11 AND FieldID = 0;"),
            Run{Kind::Collection, "Summary Listing", {.collection = "Coins"}},
            "Summary Listing for 'Coins'",
            lines(QString(coinsSummary).arg("20.50", "3.50", "10.25", "30.75", "")));

    // Dime was changed after midnight of June 1st.

    addCase("collection without items not updated", collectionSql,
            Run{Kind::Collection,
                "Un-updated Item Listing",
                {.collection = "Empty Box", .since = QDate(2024, 6, 1)}},
            "Un-updated Collection Item Listing for 'Empty Box'", lines(R"html(
<table border="1" width="100%" cellspacing="0" bordercolor="#800000">
  <tr>
    <td width="25%" class="listHeader">Item Name</td>
    <td width="25%" class="listHeader">Collection</td>
    <td width="25%" class="listHeader">Label</td>
    <td width="25%" class="listHeader">Last Updated</td>
  </tr>
  <tr>
    <td width="25%" class="totalLine" colspan="3" align="right">Total Number of Items not updated since 6/1/2024:&nbsp;&nbsp;</td>
    <td width="25%" class="totalLine">0&nbsp;</td>
  </tr>
</table>
)html"));

    addCase("collection values", collectionSql,
            Run{Kind::Collection, "Value Summary", {.collection = "Coins"}},
            "Collection Value Summary for 'Coins'", lines(R"html(
<table border="1" width="100%" cellspacing="0" bordercolor="#800000">
  <tr>
    <td width="20%" class="listHeader">Item Name</td>
    <td width="20%" class="listHeader">Collection</td>
    <td width="20%" class="listHeader">Purchase Price</td>
    <td width="20%" class="listHeader">Appraisal Price</td>
    <td width="20%" class="listHeader">Replacement Price</td>
  </tr>
  <tr>
    <td width="20%">Dime&nbsp;</td>
    <td width="20%">Coins&nbsp;</td>
    <td width="20%" align="right">$20.50&nbsp;</td>
    <td width="20%" align="right">$0.00&nbsp;</td>
    <td width="20%" align="right">$0.00&nbsp;</td>
  </tr>
  <tr>
    <td width="20%">Penny&nbsp;</td>
    <td width="20%">Coins&nbsp;</td>
    <td width="20%" align="right">$10.25&nbsp;</td>
    <td width="20%" align="right">$15.00&nbsp;</td>
    <td width="20%" align="right">$12.00&nbsp;</td>
  </tr>
  <tr>
    <td width="20%" align="right" colspan="2" class="totalLine">Totals: &nbsp;&nbsp;&nbsp;</td>
    <td width="20%" align="right" class="totalLine">$30.75&nbsp;</td>
    <td width="20%" align="right" class="totalLine">$15.00&nbsp;</td>
    <td width="20%" align="right" class="totalLine">$12.00&nbsp;</td>
  </tr>
</table>
)html"));

    addCase("collection without items, detailed", collectionSql,
            Run{Kind::Collection, "Detailed Item Listing", {.collection = "Empty Box"}},
            "Detailed Collection Listing for 'Empty Box'", QStringList());

    // Each item shows its own values in field order, whatever order they were stored in.
    const QString coinDetails = R"html(
<table border="0" width="100%" cellspacing="0" cellpadding="0">
  <tr>
    <td width="50%" valign="top"><b>Item Name</b>:&nbsp; %1</td>
    <td width="50%" valign="top"><b>Collection</b>:&nbsp; Coins</td>
  </tr>
  <tr>
    <td width="50%" valign="top"><b>Year</b>:&nbsp; %2</td>
    <td width="50%" valign="top" rowspan="5"><b>Comments/Notes</b>:&nbsp; %3</td>
  </tr>
  <tr>
    <td width="50%" valign="top"><b>Mint</b>:&nbsp; %4</td>
  </tr>
  <tr>
    <td width="50%" valign="top"><b>Proof</b>:&nbsp; %5</td>
  </tr>
  <tr>
    <td width="50%" valign="top"><b>Value</b>:&nbsp; %6</td>
  </tr>
  <tr>
    <td width="50%" valign="top">
      <table border="0" width="100%" cellspacing="0" cellpadding="0">
        <tr>
          <td width="33%"><b>Purchase Price</b></td>
          <td width="33%"><b>Appraisal Price</b></td>
          <td width="34%"><b>Replacement Price</b></td>
        </tr>
        <tr>
          <td width="33%">$%7</td>
          <td width="33%">$%8</td>
          <td width="34%">$%9</td>
        </tr>
      </table>
    </td>
  </tr>
  <tr>
    <td width="50%" valign="top" colspan="2"><i>Last updated on:&nbsp; %10</i></td>
  </tr>
</table>
<p>)html";
    addCase("collection detailed", collectionSql,
            Run{Kind::Collection, "Detailed Item Listing", {.collection = "Coins"}},
            "Detailed Collection Listing for 'Coins'",
            lines(coinDetails.arg("Dime", "1916", "", "", "False", "", "20.50", "0.00", "0.00")
                      .arg("6/1/2024 9:00:00 AM") +
                  coinDetails
                      .arg("Penny", "1909", "worn", "S", "True", "$3.50", "10.25", "15.00", "12.00")
                      .arg("6/1/2024")));

    // The other pages share a shape pinned above: their tables compared cell by cell.
    addRows("no items: summary listing", "",
            Run{Kind::Inventory, "Summary Listing", {.typeText = "*** All ***"}},
            "Inventory Summary Listing", R"(
GRAND TOTAL PURCHASE PRICE: | $0.00
)");

    addRows("summary listing of one type, rounded", inventorySql,
            Run{Kind::Inventory,
                "Summary Listing",
                {.typeText = "Tools", .locationText = "*** All ***"},
                true},
            "Inventory Summary Listing", R"(
# Tools
Manufacturer | Item Name | Series/Model | Type | Location | Purchase Price
Acme | Anvil | heavy | Tools | Garage | $10
Acme | Hammer | H2 | Tools | Kitchen | $21
Acme | Hammer | H1 | Tools | Garage | $1235
Bosch | Drill |  | Tools | Shed | $0
Total Purchase Price for Tools: | $1265
GRAND TOTAL PURCHASE PRICE: | $1265
)");

    // Item 4 has no type: its group heads the page, under no name.
    addRows("summary listing by type, all", inventorySql,
            Run{Kind::Inventory, "Summary Listing", {.typeText = "*** All ***"}},
            "Inventory Summary Listing", R"(
# ** Unknown **
Manufacturer | Item Name | Series/Model | Type | Location | Purchase Price
M&#252;ller | Salt &amp; Pepper |  |  | Kitchen | $5.00
Total Purchase Price for : | $5.00
# Electronics
Manufacturer | Item Name | Series/Model | Type | Location | Purchase Price
Zenith | Radio | Z1 | Electronics | Kitchen | $120.00
Total Purchase Price for Electronics: | $120.00
# Tools
Manufacturer | Item Name | Series/Model | Type | Location | Purchase Price
Acme | Anvil | heavy | Tools | Garage | $10.25
Acme | Hammer | H2 | Tools | Kitchen | $20.50
Acme | Hammer | H1 | Tools | Garage | $1234.50
Bosch | Drill |  | Tools | Shed | $0.00
Total Purchase Price for Tools: | $1265.25
GRAND TOTAL PURCHASE PRICE: | $1390.25
)");

    addRows("cost summary by location, all", inventorySql,
            Run{Kind::Inventory, "Cost Summary", {.locationText = "*** All ***"}},
            "Inventory Cost Summary", R"(
# Garage
Manufacturer | Item Name | Series/Model | Purchase Price | Appraisal Price | Replacement Price | Purchase Date
Acme | Anvil | heavy | $10.25 | $0.00 | $0.00 |
Acme | Hammer | H1 | $1234.50 | $0.00 | $0.00 | 7/4/2021
Totals for Garage: | $1244.75 | $0.00 | $0.00 |
# Kitchen
Manufacturer | Item Name | Series/Model | Purchase Price | Appraisal Price | Replacement Price | Purchase Date
Acme | Hammer | H2 | $20.50 | $15.50 | $25.00 | 1/15/2020
M&#252;ller | Salt &amp; Pepper |  | $5.00 | $5.00 | $5.00 | 11/30/2022
Zenith | Radio | Z1 | $120.00 | $100.00 | $150.00 | 5/2/2023
Totals for Kitchen: | $145.50 | $120.50 | $180.00 |
# Shed
Manufacturer | Item Name | Series/Model | Purchase Price | Appraisal Price | Replacement Price | Purchase Date
Bosch | Drill |  | $0.00 | $0.00 | $0.00 |
Totals for Shed: | $0.00 | $0.00 | $0.00 |
GRAND TOTALS: | $1390.25 | $120.50 | $180.00 |
)");

    // Shed's only item has no serial number, so Shed has no table.
    addRows("serial numbers by location, all", inventorySql,
            Run{Kind::Inventory, "Serial Number Listing", {.locationText = "*** All ***"}},
            "Inventory Serial Number List", R"(
# Garage
Manufacturer | Item Name | Series/Model | Type | Location | Serial Number
Acme | Hammer | H1 | Tools | Garage | SN-5
# Kitchen
Manufacturer | Item Name | Series/Model | Type | Location | Serial Number
M&#252;ller | Salt &amp; Pepper |  |  | Kitchen | A&lt;1&gt;
Zenith | Radio | Z1 | Electronics | Kitchen | SN-1
)");

    // Null and empty purchase places form the first group; "SEARS" and "Sears" are one.
    addRows("purchase locations", inventorySql,
            Run{Kind::Inventory, "Purchase Location Summary", {.typeText = "*** All ***"}},
            "Inventory by Purchase Location", R"(
# ** Unknown **
Manufacturer | Item Name | Series/Model | Type | Location | Purchase Date
Acme | Anvil | heavy | Tools | Garage |
Acme | Hammer | H2 | Tools | Kitchen | 1/15/2020
# Hardware Barn
Manufacturer | Item Name | Series/Model | Type | Location | Purchase Date
Acme | Hammer | H1 | Tools | Garage | 7/4/2021
Bosch | Drill |  | Tools | Shed |
# SEARS
Manufacturer | Item Name | Series/Model | Type | Location | Purchase Date
M&#252;ller | Salt &amp; Pepper |  |  | Kitchen | 11/30/2022
Zenith | Radio | Z1 | Electronics | Kitchen | 5/2/2023
)");

    // Radio's warranty expired at midnight today.
    addRows("active warranties", inventorySql,
            Run{Kind::Inventory, "Warranty Summary", {.includeExpired = false}},
            "Inventory Warranty Summary Report", R"(
Manufacturer | Item Name | Series/Model | Type | Location | Warranty Expires
Acme | Hammer | H2 | Tools | Kitchen | 1/31/2025 (have documents)
)");

    addRows("active and expired warranties", inventorySql,
            Run{Kind::Inventory, "Warranty Summary", {.includeExpired = true}},
            "Inventory Warranty Summary Report", R"(
Manufacturer | Item Name | Series/Model | Type | Location | Warranty Expires
Acme | Hammer | H1 | Tools | Garage |
Acme | Hammer | H2 | Tools | Kitchen | 1/31/2025 (have documents)
M&#252;ller | Salt &amp; Pepper |  |  | Kitchen | 1/1/2021
Zenith | Radio | Z1 | Electronics | Kitchen | 6/10/2024
)");

    // Dime was changed after midnight of June 1st.
    addRows("collection items not updated", collectionSql,
            Run{Kind::Collection,
                "Un-updated Item Listing",
                {.collection = "Coins", .since = QDate(2024, 6, 1)}},
            "Un-updated Collection Item Listing for 'Coins'", R"(
Item Name | Collection | Year | Mint | Proof | Value | Last Updated
Penny | Coins | 1909 | S | True | $3.50 | 6/1/2024
Total Number of Items not updated since 6/1/2024: | 1
)");
}

DOMIVO_TEST_MAIN(ReportsTest)
#include "tst_reports.moc"
