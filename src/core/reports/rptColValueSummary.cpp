#include "reports/rptColValueSummary.h"

#include "data/dvData.h"
#include "reports/ReportText.h"
#include "reports/rptGeneral.h"

#include <array>

namespace rptColValueSummary {

namespace {

const std::array<const char*, 3> PriceColumns = {"PurchasePriceAM", "AppraisalPriceAM",
                                                 "ReplacePriceAM"};

// An item's row, written straight from its pieces; the prices are added to the totals.
void writeItemRow(rptGeneral& page, const RowCursor& item, std::array<Currency, 3>& totals) {
    using namespace ReportText;
    page.writeLine({u"  <tr>"});
    for (const char* column : {"ItemNM", "CollectionNM"})
        page.writeLine(
            {u"    <td width=\"20%\">", text(item.value(QLatin1String(column))), u"&nbsp;</td>"});
    for (std::size_t i = 0; i < PriceColumns.size(); ++i) {
        const QVariant& price = item.value(QLatin1String(PriceColumns[i]));
        page.writeLine({u"    <td width=\"20%\" align=\"right\">", money(price), u"&nbsp;</td>"});
        totals[i] += amount(price);
    }
    page.writeLine({u"  </tr>"});
}

} // namespace

QString Generate(rptGeneral& page, const dvData& data, const QString& collection) {
    using namespace ReportText;
    page.StartReport(QStringLiteral("Collection Value Summary for '") + collection +
                     QStringLiteral("'"));
    page.write(QStringList{table()} + row({headerCell(20, QStringLiteral("Item Name")),
                                           headerCell(20, QStringLiteral("Collection")),
                                           headerCell(20, QStringLiteral("Purchase Price")),
                                           headerCell(20, QStringLiteral("Appraisal Price")),
                                           headerCell(20, QStringLiteral("Replacement Price"))}));
    std::array<Currency, 3> totals{};
    RowCursor items =
        data.Collection().Item().ListRows(collection, QStringLiteral("ItemNM, ItemID"));
    while (items.next())
        writeItemRow(page, items, totals);
    QStringList cells = {QStringLiteral("    <td width=\"20%\" align=\"right\" colspan=\"2\" "
                                        "class=\"totalLine\">Totals: &nbsp;&nbsp;&nbsp;</td>")};
    for (const Currency total : totals)
        cells.append(QStringLiteral("    <td width=\"20%\" align=\"right\" class=\"totalLine\">") +
                     money(total) + QStringLiteral("&nbsp;</td>"));
    page.write(row(cells) + QStringList{QStringLiteral("</table>")});
    return page.EndReport();
}

} // namespace rptColValueSummary
