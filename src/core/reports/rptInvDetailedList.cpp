#include "reports/rptInvDetailedList.h"

#include "data/dvData.h"
#include "reports/InventoryGrouping.h"
#include "reports/ReportText.h"
#include "reports/rptGeneral.h"

namespace rptInvDetailedList {

namespace {

// The table nested in a cell of the block: the three prices, and the receipt and manuals flags.
const QStringView InnerTable =
    u"      <table border=\"0\" width=\"100%\" cellspacing=\"0\" cellpadding=\"0\">";

QStringView yesNo(const QVariant& flag) {
    return flag.toBool() ? u"Yes" : u"No";
}

void writeWarrantyCell(rptGeneral& page, const RowCursor& row) {
    const QStringView start = u"    <td width=\"50%\"><b>Warranty?</b>:&nbsp; ";
    if (!row.value(QStringLiteral("WarrantyCD")).toBool()) {
        page.writeLine({start, u"No</td>"});
        return;
    }
    const QString expires = ReportText::text(row.value(QStringLiteral("WarrantyExpireDT")));
    if (!row.value(QStringLiteral("WarrantyDocumentCD")).toBool())
        page.writeLine({start, u"Yes, expires on ", expires, u"</td>"});
    else
        page.writeLine({start, u"Yes (with documents), expires on ", expires, u"</td>"});
}

// One item's block, a line at a time, each written from its pieces as it is made.
void writeItem(rptGeneral& page, const RowCursor& row) {
    const auto value = [&](const char* column) {
        return ReportText::text(row.value(QLatin1String(column)));
    };
    const auto money = [&](const char* column) {
        return ReportText::money(row.value(QLatin1String(column)));
    };
    const auto line = [&page](QStringView text) { page.writeLine({text}); };
    line(u"<table border=\"0\" width=\"100%\" cellspacing=\"0\" cellpadding=\"0\">");
    line(u"  <tr>");
    page.writeLine({u"    <td width=\"50%\"><b>Manufacturer</b>:&nbsp; <b>",
                    value("ManufacturerNM"), u"</b></td>"});
    page.writeLine({u"    <td width=\"50%\"><b>Purchased</b> <b>at</b>:&nbsp; ",
                    value("PurchaseLocationTX"), u"</td>"});
    line(u"  </tr>");
    line(u"  <tr>");
    page.writeLine(
        {u"    <td width=\"50%\"><b>Item Name</b>:&nbsp; <b>", value("ItemNM"), u"</b></td>"});
    page.writeLine({u"    <td width=\"50%\"><b>Purchased</b> <b>on</b>:&nbsp; ",
                    value("PurchaseDT"), u"</td>"});
    line(u"  </tr>");
    line(u"  <tr>");
    page.writeLine({u"    <td width=\"50%\"><b>Model/Series</b>:&nbsp; <b>", value("ModelSeriesTX"),
                    u"</b></td>"});
    writeWarrantyCell(page, row);
    line(u"  </tr>");
    line(u"  <tr>");
    page.writeLine(
        {u"    <td width=\"50%\"><b>Serial Number</b>:&nbsp; ", value("SerialNumberID"), u"</td>"});
    line(u"    <td width=\"50%\" rowspan=\"2\">");
    line(InnerTable);
    line(u"        <tr>");
    line(u"          <td width=\"33%\"><b>Purchase</b> <b>Price</b></td>");
    line(u"          <td width=\"33%\"><b>Appraisal</b> <b>Price</b></td>");
    line(u"          <td width=\"34%\"><b>Replacement</b> <b>Price</b></td>");
    line(u"        </tr>");
    line(u"        <tr>");
    page.writeLine({u"          <td width=\"33%\">", money("PurchasePriceAM"), u"</td>"});
    page.writeLine({u"          <td width=\"33%\">", money("AppraisalPriceAM"), u"</td>"});
    page.writeLine({u"          <td width=\"34%\">", money("ReplacePriceAM"), u"</td>"});
    line(u"        </tr>");
    line(u"      </table>");
    line(u"    </td>");
    line(u"  </tr>");
    line(u"  <tr>");
    page.writeLine({u"    <td width=\"50%\"><b>Type</b>:&nbsp; ", value("TypeTX"), u"</td>"});
    line(u"  </tr>");
    line(u"  <tr>");
    page.writeLine(
        {u"    <td width=\"50%\"><b>Location</b>:&nbsp; ", value("LocationTX"), u"</td>"});
    line(u"    <td width=\"50%\">");
    line(InnerTable);
    line(u"        <tr>");
    page.writeLine({u"          <td width=\"50%\"><b>Have a receipt</b>?: ",
                    yesNo(row.value(QStringLiteral("ReceiptCD"))), u"</td>"});
    page.writeLine({u"          <td width=\"50%\"><b>Have manuals</b>?: ",
                    yesNo(row.value(QStringLiteral("ManualsCD"))), u"</td>"});
    line(u"        </tr>");
    line(u"      </table>");
    line(u"    </td>");
    line(u"  </tr>");
    line(u"  <tr>");
    page.writeLine({u"    <td width=\"50%\" colspan=\"2\"><b>Comments/Notes</b>:&nbsp; ",
                    value("CommentsTX"), u"</td>"});
    line(u"  </tr>");
    line(u"  <tr>");
    page.writeLine({u"    <td width=\"50%\" colspan=\"2\"><i>Last updated on:&nbsp; ",
                    value("LastChangeDT"), u"</i></td>"});
    line(u"  </tr>");
    line(u"</table>");
    line(u"<p>");
}

} // namespace

QString Generate(rptGeneral& page, const dvData& data, const QString& type,
                 const QString& location) {
    page.StartReport(QStringLiteral("Detailed Inventory Listing"));
    RowCursor rows =
        InventoryGrouping::selectedItemRows(page, data.Inventory().Item(), type, location);
    while (rows.next())
        writeItem(page, rows);
    return page.EndReport();
}

} // namespace rptInvDetailedList
