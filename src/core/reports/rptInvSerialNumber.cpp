#include "reports/rptInvSerialNumber.h"

#include "data/dvData.h"
#include "reports/InventoryGrouping.h"
#include "reports/ReportText.h"
#include "reports/rptGeneral.h"

namespace rptInvSerialNumber {

QString Generate(rptGeneral& page, const dvData& data, const QString& type,
                 const QString& location) {
    using namespace ReportText;
    page.StartReport(QStringLiteral("Inventory Serial Number List"));
    auto groups = InventoryGrouping::byTypeOrLocation(data.Inventory().Item(), type, location);
    const auto value = [&](const RowCursor& r, const char* column) {
        return text(r.value(QLatin1String(column)));
    };
    // An item without a serial number is left out before it could open a group, so a group
    // of such items does not appear at all.
    groups.writeGroups([&](const RowCursor& r) { return !value(r, "SerialNumberID").isEmpty(); },
                       [&] {
                           page.write(QStringList{groups.heading(), table()} +
                                      row({headerCell(20, QStringLiteral("Manufacturer")),
                                           headerCell(20, QStringLiteral("Item Name")),
                                           headerCell(15, QStringLiteral("Series/Model")),
                                           headerCell(15, QStringLiteral("Type")),
                                           headerCell(15, QStringLiteral("Location")),
                                           headerCell(15, QStringLiteral("Serial Number"))}));
                       },
                       [&](const RowCursor& r) {
                           writeRow(page, {{20, value(r, "ManufacturerNM")},
                                           {20, value(r, "ItemNM")},
                                           {15, value(r, "ModelSeriesTX")},
                                           {15, value(r, "TypeTX")},
                                           {15, value(r, "LocationTX")},
                                           {15, value(r, "SerialNumberID")}});
                       },
                       [&] { page.write(QStringLiteral("</table>")); });
    return page.EndReport();
}

} // namespace rptInvSerialNumber
