#include "reports/rptInvPurchaseLocation.h"

#include "data/dvData.h"
#include "reports/InventoryGrouping.h"
#include "reports/ReportText.h"
#include "reports/rptGeneral.h"

namespace rptInvPurchaseLocation {

QString Generate(rptGeneral& page, const dvData& data, const QString& type,
                 const QString& location) {
    using namespace ReportText;
    page.StartReport(QStringLiteral("Inventory by Purchase Location"));
    auto groups = InventoryGrouping::byPurchaseLocation(data.Inventory().Item(), type, location);
    const auto value = [&](const RowCursor& r, const char* column) {
        return text(r.value(QLatin1String(column)));
    };
    groups.writeGroups(
        {},
        [&] {
            page.write(QStringList{groups.heading(), table()} +
                       row({headerCell(20, QStringLiteral("Manufacturer")),
                            headerCell(20, QStringLiteral("Item Name")),
                            headerCell(15, QStringLiteral("Series/Model")),
                            headerCell(15, QStringLiteral("Type")),
                            headerCell(15, QStringLiteral("Location")),
                            headerCell(15, QStringLiteral("Purchase Date"))}));
        },
        [&](const RowCursor& r) {
            writeRow(page, {{20, value(r, "ManufacturerNM")},
                            {20, value(r, "ItemNM")},
                            {15, value(r, "ModelSeriesTX")},
                            {15, value(r, "TypeTX")},
                            {15, value(r, "LocationTX")},
                            {15, shortDate(r.value(QStringLiteral("PurchaseDT")))}});
        },
        [&] { page.write(QStringLiteral("</table>")); });
    return page.EndReport();
}

} // namespace rptInvPurchaseLocation
