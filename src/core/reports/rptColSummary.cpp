#include "reports/rptColSummary.h"

#include "reports/CollectionReportData.h"
#include "reports/ReportText.h"
#include "reports/rptGeneral.h"

namespace rptColSummary {

QString Generate(rptGeneral& page, const dvData& data, const QString& collection) {
    const CollectionReportData report(data, collection, true);
    page.StartReport(QStringLiteral("Summary Listing for '") + collection + QStringLiteral("'"));
    page.write(report.listingHead(QStringLiteral("Purchase Price")));
    Currency total;
    const Recordset& items = report.items();
    for (int r = 0; r < items.rowCount(); ++r) {
        const QVariant price = items.value(r, QStringLiteral("PurchasePriceAM"));
        page.write(report.listingRow(r, ReportText::money(price)));
        total += ReportText::amount(price);
    }
    page.write(
        report.listingTotal(QStringLiteral("Total Purchase Price"), ReportText::money(total)));
    return page.EndReport();
}

} // namespace rptColSummary
