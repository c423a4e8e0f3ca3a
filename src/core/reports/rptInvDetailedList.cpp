#include "reports/rptInvDetailedList.h"

#include "data/dvData.h"
#include "reports/InventoryGrouping.h"
#include "reports/ReportText.h"
#include "reports/rptGeneral.h"

namespace rptInvDetailedList {

namespace {

// The table nested in a cell of the block: the three prices, and the receipt and manuals flags.
const char* const InnerTable =
    "      <table border=\"0\" width=\"100%\" cellspacing=\"0\" cellpadding=\"0\">";

QString yesNo(const QVariant& flag) {
    return flag.toBool() ? QStringLiteral("Yes") : QStringLiteral("No");
}

QString warrantyCell(const Recordset& rows, int row) {
    const QString start = QStringLiteral("    <td width=\"50%\"><b>Warranty?</b>:&nbsp; ");
    if (!rows.value(row, QStringLiteral("WarrantyCD")).toBool())
        return start + QStringLiteral("No</td>");
    const QString expires = ReportText::text(rows.value(row, QStringLiteral("WarrantyExpireDT")));
    if (!rows.value(row, QStringLiteral("WarrantyDocumentCD")).toBool())
        return start + QStringLiteral("Yes, expires on ") + expires + QStringLiteral("</td>");
    return start + QStringLiteral("Yes (with documents), expires on ") + expires +
           QStringLiteral("</td>");
}

void writeItem(rptGeneral& page, const Recordset& rows, int row) {
    const auto value = [&](const char* column) {
        return ReportText::text(rows.value(row, QLatin1String(column)));
    };
    const auto money = [&](const char* column) {
        return ReportText::money(rows.value(row, QLatin1String(column)));
    };
    const QString inner = QLatin1String(InnerTable);
    page.write({
        QStringLiteral("<table border=\"0\" width=\"100%\" cellspacing=\"0\" cellpadding=\"0\">"),
        QStringLiteral("  <tr>"),
        QStringLiteral("    <td width=\"50%\"><b>Manufacturer</b>:&nbsp; <b>") +
            value("ManufacturerNM") + QStringLiteral("</b></td>"),
        QStringLiteral("    <td width=\"50%\"><b>Purchased</b> <b>at</b>:&nbsp; ") +
            value("PurchaseLocationTX") + QStringLiteral("</td>"),
        QStringLiteral("  </tr>"),
        QStringLiteral("  <tr>"),
        QStringLiteral("    <td width=\"50%\"><b>Item Name</b>:&nbsp; <b>") + value("ItemNM") +
            QStringLiteral("</b></td>"),
        QStringLiteral("    <td width=\"50%\"><b>Purchased</b> <b>on</b>:&nbsp; ") +
            value("PurchaseDT") + QStringLiteral("</td>"),
        QStringLiteral("  </tr>"),
        QStringLiteral("  <tr>"),
        QStringLiteral("    <td width=\"50%\"><b>Model/Series</b>:&nbsp; <b>") +
            value("ModelSeriesTX") + QStringLiteral("</b></td>"),
        warrantyCell(rows, row),
        QStringLiteral("  </tr>"),
        QStringLiteral("  <tr>"),
        QStringLiteral("    <td width=\"50%\"><b>Serial Number</b>:&nbsp; ") +
            value("SerialNumberID") + QStringLiteral("</td>"),
        QStringLiteral("    <td width=\"50%\" rowspan=\"2\">"),
        inner,
        QStringLiteral("        <tr>"),
        QStringLiteral("          <td width=\"33%\"><b>Purchase</b> <b>Price</b></td>"),
        QStringLiteral("          <td width=\"33%\"><b>Appraisal</b> <b>Price</b></td>"),
        QStringLiteral("          <td width=\"34%\"><b>Replacement</b> <b>Price</b></td>"),
        QStringLiteral("        </tr>"),
        QStringLiteral("        <tr>"),
        QStringLiteral("          <td width=\"33%\">") + money("PurchasePriceAM") +
            QStringLiteral("</td>"),
        QStringLiteral("          <td width=\"33%\">") + money("AppraisalPriceAM") +
            QStringLiteral("</td>"),
        QStringLiteral("          <td width=\"34%\">") + money("ReplacePriceAM") +
            QStringLiteral("</td>"),
        QStringLiteral("        </tr>"),
        QStringLiteral("      </table>"),
        QStringLiteral("    </td>"),
        QStringLiteral("  </tr>"),
        QStringLiteral("  <tr>"),
        QStringLiteral("    <td width=\"50%\"><b>Type</b>:&nbsp; ") + value("TypeTX") +
            QStringLiteral("</td>"),
        QStringLiteral("  </tr>"),
        QStringLiteral("  <tr>"),
        QStringLiteral("    <td width=\"50%\"><b>Location</b>:&nbsp; ") + value("LocationTX") +
            QStringLiteral("</td>"),
        QStringLiteral("    <td width=\"50%\">"),
        inner,
        QStringLiteral("        <tr>"),
        QStringLiteral("          <td width=\"50%\"><b>Have a receipt</b>?: ") +
            yesNo(rows.value(row, QStringLiteral("ReceiptCD"))) + QStringLiteral("</td>"),
        QStringLiteral("          <td width=\"50%\"><b>Have manuals</b>?: ") +
            yesNo(rows.value(row, QStringLiteral("ManualsCD"))) + QStringLiteral("</td>"),
        QStringLiteral("        </tr>"),
        QStringLiteral("      </table>"),
        QStringLiteral("    </td>"),
        QStringLiteral("  </tr>"),
        QStringLiteral("  <tr>"),
        QStringLiteral("    <td width=\"50%\" colspan=\"2\"><b>Comments/Notes</b>:&nbsp; ") +
            value("CommentsTX") + QStringLiteral("</td>"),
        QStringLiteral("  </tr>"),
        QStringLiteral("  <tr>"),
        QStringLiteral("    <td width=\"50%\" colspan=\"2\"><i>Last updated on:&nbsp; ") +
            value("LastChangeDT") + QStringLiteral("</i></td>"),
        QStringLiteral("  </tr>"),
        QStringLiteral("</table>"),
        QStringLiteral("<p>"),
    });
}

} // namespace

QString Generate(rptGeneral& page, const dvData& data, const QString& type,
                 const QString& location) {
    page.StartReport(QStringLiteral("Detailed Inventory Listing"));
    const Recordset rows =
        InventoryGrouping::selectedItems(page, data.Inventory().Item(), type, location);
    for (int row = 0; row < rows.rowCount(); ++row)
        writeItem(page, rows, row);
    return page.EndReport();
}

} // namespace rptInvDetailedList
