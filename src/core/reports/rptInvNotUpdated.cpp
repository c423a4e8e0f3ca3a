#include "reports/rptInvNotUpdated.h"

#include "data/dvData.h"
#include "reports/ReportText.h"
#include "reports/rptGeneral.h"

namespace rptInvNotUpdated {

QString Generate(rptGeneral& page, const dvData& data, const QDate& since) {
    using namespace ReportText;
    page.StartReport(QStringLiteral("Un-updated Inventory Item Listing"));
    RowCursor rows = data.Inventory().Item().ListRows(QString(), QString(),
                                                      QStringLiteral("LastChangeDT DESC, ItemID"));
    page.write(QStringList{table()} + row({headerCell(20, QStringLiteral("Manufacturer")),
                                           headerCell(20, QStringLiteral("Item Name")),
                                           headerCell(15, QStringLiteral("Series/Model")),
                                           headerCell(15, QStringLiteral("Type")),
                                           headerCell(15, QStringLiteral("Location")),
                                           headerCell(15, QStringLiteral("Last Update"))}));
    // The date stands for its midnight: a change at 00:00 of that day counts, a later one not.
    const QDateTime limit(since, QTime(0, 0));
    int count = 0;
    while (rows.next()) {
        const auto value = [&](const char* column) { return rows.value(QLatin1String(column)); };
        const auto changed = moment(value("LastChangeDT"));
        if (!changed || *changed > limit)
            continue;
        ++count;
        writeRow(page, {{20, text(value("ManufacturerNM"))},
                        {20, text(value("ItemNM"))},
                        {15, text(value("ModelSeriesTX"))},
                        {15, text(value("TypeTX"))},
                        {15, text(value("LocationTX"))},
                        {15, shortDate(value("LastChangeDT"))}});
    }
    page.write(row({QStringLiteral("    <td width=\"20%\" class=\"totalLine\" colspan=\"5\" "
                                   "align=\"right\"><b>Total Number of Items not updated since ") +
                        shortDate(since) + QStringLiteral(":&nbsp;&nbsp;</b></td>"),
                    QStringLiteral("    <td width=\"15%\" class=\"totalLine\">") +
                        QString::number(count) + QStringLiteral("&nbsp;</td>")}) +
               QStringList{QStringLiteral("</table>")});
    return page.EndReport();
}

} // namespace rptInvNotUpdated
