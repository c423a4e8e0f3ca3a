#include "reports/rptColNotUpdated.h"

#include "reports/CollectionReportData.h"
#include "reports/ReportText.h"
#include "reports/rptGeneral.h"

namespace rptColNotUpdated {

QString Generate(rptGeneral& page, const dvData& data, const QString& collection,
                 const QDate& since) {
    const CollectionReportData report(data, collection, true);
    page.StartReport(QStringLiteral("Un-updated Collection Item Listing for '") + collection +
                     QStringLiteral("'"));
    page.write(report.listingHead(QStringLiteral("Last Updated")));
    // The date stands for its midnight: a change at 00:00 of that day counts, a later one not.
    const QDateTime limit(since, QTime(0, 0));
    int count = 0;
    const Recordset& items = report.items();
    for (int r = 0; r < items.rowCount(); ++r) {
        const QVariant changed = items.value(r, QStringLiteral("LastChangeDT"));
        const auto when = ReportText::moment(changed);
        if (!when || *when > limit)
            continue;
        ++count;
        page.write(report.listingRow(r, ReportText::shortDate(changed)));
    }
    page.write(report.listingTotal(QStringLiteral("Total Number of Items not updated since ") +
                                       ReportText::shortDate(since),
                                   QString::number(count)));
    return page.EndReport();
}

} // namespace rptColNotUpdated
