#include "reports/rptColValueSummary.h"

#include "reports/CollectionReportData.h"
#include "reports/ReportText.h"
#include "reports/rptGeneral.h"

#include <array>

namespace rptColValueSummary {

namespace {

const std::array<const char*, 3> PriceColumns = {"PurchasePriceAM", "AppraisalPriceAM",
                                                 "ReplacePriceAM"};

QString priceCell(const QString& money) {
    return QStringLiteral("    <td width=\"20%\" align=\"right\">") + money +
           QStringLiteral("&nbsp;</td>");
}

} // namespace

QString Generate(rptGeneral& page, const dvData& data, const QString& collection) {
    using namespace ReportText;
    const CollectionReportData report(data, collection, false);
    page.StartReport(QStringLiteral("Collection Value Summary for '") + collection +
                     QStringLiteral("'"));
    page.write(QStringList{table()} + row({headerCell(20, QStringLiteral("Item Name")),
                                           headerCell(20, QStringLiteral("Collection")),
                                           headerCell(20, QStringLiteral("Purchase Price")),
                                           headerCell(20, QStringLiteral("Appraisal Price")),
                                           headerCell(20, QStringLiteral("Replacement Price"))}));
    std::array<Currency, 3> totals{};
    const Recordset& items = report.items();
    for (int r = 0; r < items.rowCount(); ++r) {
        QStringList cells = {rowCell(20, text(items.value(r, QStringLiteral("ItemNM")))),
                             rowCell(20, text(items.value(r, QStringLiteral("CollectionNM"))))};
        for (std::size_t i = 0; i < PriceColumns.size(); ++i) {
            const QVariant price = items.value(r, QLatin1String(PriceColumns[i]));
            cells.append(priceCell(money(price)));
            totals[i] += amount(price);
        }
        page.write(row(cells));
    }
    QStringList cells = {QStringLiteral("    <td width=\"20%\" align=\"right\" colspan=\"2\" "
                                        "class=\"totalLine\">Totals: &nbsp;&nbsp;&nbsp;</td>")};
    for (const Currency total : totals)
        cells.append(QStringLiteral("    <td width=\"20%\" align=\"right\" class=\"totalLine\">") +
                     money(total) + QStringLiteral("&nbsp;</td>"));
    page.write(row(cells) + QStringList{QStringLiteral("</table>")});
    return page.EndReport();
}

} // namespace rptColValueSummary
