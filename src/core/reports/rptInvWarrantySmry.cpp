#include "reports/rptInvWarrantySmry.h"

#include "app/Clock.h"
#include "data/dvData.h"
#include "reports/ReportText.h"
#include "reports/rptGeneral.h"

namespace rptInvWarrantySmry {

namespace {

// A warranty is still running while its expiry lies after `now`; one that expired earlier
// today (at midnight) has run out. An item without an expiry date counts as expired.
bool isActive(const QVariant& expires, const QDateTime& now) {
    const auto when = ReportText::moment(expires);
    return when && *when > now;
}

} // namespace

QString Generate(rptGeneral& page, const dvData& data, bool includeExpired) {
    using namespace ReportText;
    page.StartReport(QStringLiteral("Inventory Warranty Summary Report"));
    // Read a row at a time: a large inventory is never held whole.
    RowCursor rows = data.Inventory().Item().ListRows(
        QString(), QString(), QStringLiteral("ManufacturerNM, ItemNM, ModelSeriesTX, ItemID"));
    page.write(QStringList{table()} + row({headerCell(15, QStringLiteral("Manufacturer")),
                                           headerCell(20, QStringLiteral("Item Name")),
                                           headerCell(15, QStringLiteral("Series/Model")),
                                           headerCell(15, QStringLiteral("Type")),
                                           headerCell(15, QStringLiteral("Location")),
                                           headerCell(20, QStringLiteral("Warranty Expires"))}));
    // One moment for the whole report, as it is one page.
    const QDateTime now = Clock::now();
    while (rows.next()) {
        const auto value = [&](const char* column) { return rows.value(QLatin1String(column)); };
        if (!value("WarrantyCD").toBool())
            continue;
        if (!includeExpired && !isActive(value("WarrantyExpireDT"), now))
            continue;
        const QString documents =
            value("WarrantyDocumentCD").toBool() ? QStringLiteral(" (have documents)") : QString();
        writeRow(page, {{15, text(value("ManufacturerNM"))},
                        {20, text(value("ItemNM"))},
                        {15, text(value("ModelSeriesTX"))},
                        {15, text(value("TypeTX"))},
                        {15, text(value("LocationTX"))},
                        {20, text(value("WarrantyExpireDT")) + documents}});
    }
    page.write(QStringLiteral("</table>"));
    return page.EndReport();
}

} // namespace rptInvWarrantySmry
