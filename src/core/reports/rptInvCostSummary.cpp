#include "reports/rptInvCostSummary.h"

#include "data/dvData.h"
#include "reports/InventoryGrouping.h"
#include "reports/ReportText.h"
#include "reports/rptGeneral.h"

#include <array>

namespace rptInvCostSummary {

namespace {

using Totals = std::array<Currency, 3>;

const std::array<const char*, 3> PriceColumns = {"PurchasePriceAM", "AppraisalPriceAM",
                                                 "ReplacePriceAM"};

QString totalCell(Currency total) {
    return QStringLiteral("    <td width=\"15%\" align=\"right\" class=\"totalLine\">") +
           ReportText::money(total) + QStringLiteral("&nbsp;</td>");
}

QStringList groupOpening(const InventoryGrouping& groups) {
    using namespace ReportText;
    return QStringList{groups.heading(), table()} +
           row({headerCell(15, QStringLiteral("Manufacturer")),
                headerCell(15, QStringLiteral("Item Name")),
                headerCell(15, QStringLiteral("Series/Model")),
                headerCell(15, QStringLiteral("Purchase Price")),
                headerCell(15, QStringLiteral("Appraisal Price")),
                headerCell(15, QStringLiteral("Replacement Price")),
                headerCell(10, QStringLiteral("Purchase Date"))});
}

// The lines of an item's row, written straight from their pieces.
void writeItemRow(rptGeneral& page, const RowCursor& row) {
    using namespace ReportText;
    page.writeLine({u"  <tr>"});
    for (const char* column : {"ManufacturerNM", "ItemNM", "ModelSeriesTX"})
        page.writeLine(
            {u"    <td width=\"15%\">", text(row.value(QLatin1String(column))), u"&nbsp;</td>"});
    for (const char* column : PriceColumns)
        page.writeLine({u"    <td width=\"15%\" align=\"right\">",
                        money(row.value(QLatin1String(column))), u"&nbsp;</td>"});
    page.writeLine({u"    <td width=\"10%\" align=\"center\">",
                    shortDate(row.value(QStringLiteral("PurchaseDT"))), u"&nbsp;</td>"});
    page.writeLine({u"  </tr>"});
}

// The bold tag of the first cell stays open to the end of the cell, as it always has; browsers
// close it there.
QStringList groupClosing(const InventoryGrouping& groups, const Totals& totals) {
    QStringList cells = {QStringLiteral("    <td width=\"15%\" align=\"right\" colspan=\"3\" "
                                        "class=\"totalLine\"><b>Totals for ") +
                         rptGeneral::html(groups.openValue()) +
                         QStringLiteral(":&nbsp;&nbsp;&nbsp;</td>")};
    for (const Currency total : totals)
        cells.append(totalCell(total));
    cells.append(QStringLiteral("    <td width=\"15%\" class=\"totalLine\">&nbsp;</td>"));
    return ReportText::row(cells) + QStringList{QStringLiteral("</table>")};
}

QStringList grandTotals(const Totals& totals) {
    QStringList cells = {
        QStringLiteral("    <td width=\"45%\" align=\"right\" "
                       "class=\"totalLine\"><b>GRAND TOTALS:&nbsp;&nbsp;&nbsp;</td>")};
    for (const Currency total : totals)
        cells.append(totalCell(total));
    cells.append(QStringLiteral("    <td width=\"10%\" class=\"totalLine\">&nbsp;</td>"));
    return QStringList{QStringLiteral("<p>"), ReportText::table()} + ReportText::row(cells) +
           QStringList{QStringLiteral("</table>")};
}

} // namespace

QString Generate(rptGeneral& page, const dvData& data, const QString& type,
                 const QString& location) {
    page.StartReport(QStringLiteral("Inventory Cost Summary"));
    auto groups = InventoryGrouping::byTypeOrLocation(data.Inventory().Item(), type, location);
    Totals groupTotals{};
    Totals grand{};
    groups.writeGroups(
        {}, [&] { page.write(groupOpening(groups)); },
        [&](const RowCursor& row) {
            writeItemRow(page, row);
            for (std::size_t i = 0; i < PriceColumns.size(); ++i)
                groupTotals[i] += ReportText::amount(row.value(QLatin1String(PriceColumns[i])));
        },
        [&] {
            page.write(groupClosing(groups, groupTotals));
            for (std::size_t i = 0; i < grand.size(); ++i)
                grand[i] += groupTotals[i];
            groupTotals = {};
        });
    page.write(grandTotals(grand));
    return page.EndReport();
}

} // namespace rptInvCostSummary
