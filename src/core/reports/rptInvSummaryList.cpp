#include "reports/rptInvSummaryList.h"

#include "data/dvData.h"
#include "reports/InventoryGrouping.h"
#include "reports/ReportText.h"
#include "reports/rptGeneral.h"

namespace rptInvSummaryList {

namespace {

QStringList groupOpening(const InventoryGrouping& groups) {
    using namespace ReportText;
    return QStringList{groups.heading(), table()} +
           row({headerCell(20, QStringLiteral("Manufacturer")),
                headerCell(20, QStringLiteral("Item Name")),
                headerCell(15, QStringLiteral("Series/Model")),
                headerCell(15, QStringLiteral("Type")), headerCell(15, QStringLiteral("Location")),
                headerCell(15, QStringLiteral("Purchase Price"))});
}

QStringList groupClosing(const InventoryGrouping& groups, Currency total) {
    return ReportText::row({
               QStringLiteral("    <td width=\"20%\" class=\"totalLine\" colspan=\"5\" "
                              "align=\"right\"><b>Total Purchase Price for ") +
                   rptGeneral::html(groups.openValue()) + QStringLiteral(":&nbsp;&nbsp;</b></td>"),
               QStringLiteral("    <td width=\"15%\" class=\"totalLine\">") +
                   ReportText::money(total) + QStringLiteral("&nbsp;</td>"),
           }) +
           QStringList{QStringLiteral("</table>")};
}

} // namespace

QString Generate(rptGeneral& page, const dvData& data, const QString& type,
                 const QString& location) {
    using namespace ReportText;
    page.StartReport(QStringLiteral("Inventory Summary Listing"));
    auto groups = InventoryGrouping::byTypeOrLocation(data.Inventory().Item(), type, location);
    Currency groupTotal;
    Currency grandTotal;
    groups.writeGroups(
        {}, [&] { page.write(groupOpening(groups)); },
        [&](const RowCursor& r) {
            const auto value = [&](const char* column) {
                return text(r.value(QLatin1String(column)));
            };
            const QVariant price = r.value(QStringLiteral("PurchasePriceAM"));
            writeRow(page, {{20, value("ManufacturerNM")},
                            {20, value("ItemNM")},
                            {15, value("ModelSeriesTX")},
                            {15, value("TypeTX")},
                            {15, value("LocationTX")},
                            {15, money(price)}});
            groupTotal += amount(price);
        },
        [&] {
            page.write(groupClosing(groups, groupTotal));
            grandTotal += groupTotal;
            groupTotal = Currency();
        });
    page.write(QStringList{QStringLiteral("<p>"), table()} +
               row({QStringLiteral("    <td width=\"85%\" class=\"totalLine\" "
                                   "align=\"right\"><b>GRAND TOTAL PURCHASE "
                                   "PRICE:&nbsp;&nbsp;</b></td>"),
                    QStringLiteral("    <td width=\"15%\" class=\"totalLine\">") +
                        money(grandTotal) + QStringLiteral("&nbsp;</td>")}) +
               QStringList{QStringLiteral("</table>")});
    return page.EndReport();
}

} // namespace rptInvSummaryList
