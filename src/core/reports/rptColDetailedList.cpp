#include "reports/rptColDetailedList.h"

#include "reports/CollectionReportData.h"
#include "reports/ReportText.h"
#include "reports/rptGeneral.h"

namespace rptColDetailedList {

namespace {

QString cell(const QString& caption, const QString& text) {
    return QStringLiteral("    <td width=\"50%\" valign=\"top\"><b>") + caption +
           QStringLiteral("</b>:&nbsp; ") + text + QStringLiteral("</td>");
}

QStringList prices(const Recordset& items, int r) {
    const auto money = [&](const char* column) {
        return ReportText::money(items.value(r, QLatin1String(column)));
    };
    return {
        QStringLiteral("  <tr>"),
        QStringLiteral("    <td width=\"50%\" valign=\"top\">"),
        QStringLiteral(
            "      <table border=\"0\" width=\"100%\" cellspacing=\"0\" cellpadding=\"0\">"),
        QStringLiteral("        <tr>"),
        QStringLiteral("          <td width=\"33%\"><b>Purchase Price</b></td>"),
        QStringLiteral("          <td width=\"33%\"><b>Appraisal Price</b></td>"),
        QStringLiteral("          <td width=\"34%\"><b>Replacement Price</b></td>"),
        QStringLiteral("        </tr>"),
        QStringLiteral("        <tr>"),
        QStringLiteral("          <td width=\"33%\">") + money("PurchasePriceAM") +
            QStringLiteral("</td>"),
        QStringLiteral("          <td width=\"33%\">") + money("AppraisalPriceAM") +
            QStringLiteral("</td>"),
        QStringLiteral("          <td width=\"34%\">") + money("ReplacePriceAM") +
            QStringLiteral("</td>"),
        QStringLiteral("        </tr>"),
        QStringLiteral("      </table>"),
        QStringLiteral("    </td>"),
        QStringLiteral("  </tr>"),
    };
}

void writeItem(rptGeneral& page, const CollectionReportData& report, int r) {
    const Recordset& items = report.items();
    const auto value = [&](const char* column) {
        return ReportText::text(items.value(r, QLatin1String(column)));
    };
    page.write({
        QStringLiteral("<table border=\"0\" width=\"100%\" cellspacing=\"0\" cellpadding=\"0\">"),
        QStringLiteral("  <tr>"),
        cell(QStringLiteral("Item Name"), value("ItemNM")),
        cell(QStringLiteral("Collection"), value("CollectionNM")),
        QStringLiteral("  </tr>"),
    });
    const QStringList values = report.valueTexts(r);
    for (qsizetype i = 0; i < values.size(); ++i) {
        page.write(QStringLiteral("  <tr>"));
        page.write(cell(rptGeneral::html(report.fields().at(i).name), values.at(i)));
        // The comments stand to the right of the field rows and the price row.
        if (i == 0)
            page.write(QStringLiteral("    <td width=\"50%\" valign=\"top\" rowspan=\"%1\">"
                                      "<b>Comments/Notes</b>:&nbsp; ")
                           .arg(report.fieldCount() + 1) +
                       value("CommentsTX") + QStringLiteral("</td>"));
        page.write(QStringLiteral("  </tr>"));
    }
    page.write(prices(items, r));
    page.write({
        QStringLiteral("  <tr>"),
        QStringLiteral("    <td width=\"50%\" valign=\"top\" colspan=\"2\"><i>Last updated "
                       "on:&nbsp; ") +
            value("LastChangeDT") + QStringLiteral("</i></td>"),
        QStringLiteral("  </tr>"),
        QStringLiteral("</table>"),
        QStringLiteral("<p>"),
    });
}

} // namespace

QString Generate(rptGeneral& page, const dvData& data, const QString& collection) {
    const CollectionReportData report(data, collection, true);
    page.StartReport(QStringLiteral("Detailed Collection Listing for '") + collection +
                     QStringLiteral("'"));
    if (report.hasValues())
        for (int r = 0; r < report.items().rowCount(); ++r)
            writeItem(page, report, r);
    return page.EndReport();
}

} // namespace rptColDetailedList
