#include "reports/rptColDetailedList.h"

#include "reports/CollectionReportData.h"
#include "reports/ReportText.h"
#include "reports/rptGeneral.h"

namespace rptColDetailedList {

namespace {

void writeCell(rptGeneral& page, QStringView caption, QStringView text) {
    page.writeLine(
        {u"    <td width=\"50%\" valign=\"top\"><b>", caption, u"</b>:&nbsp; ", text, u"</td>"});
}

void writePrices(rptGeneral& page, const Recordset& items, int r) {
    const auto line = [&page](QStringView text) { page.writeLine({text}); };
    const auto money = [&](const char* column) {
        return ReportText::money(items.value(r, QLatin1String(column)));
    };
    line(u"  <tr>");
    line(u"    <td width=\"50%\" valign=\"top\">");
    line(u"      <table border=\"0\" width=\"100%\" cellspacing=\"0\" cellpadding=\"0\">");
    line(u"        <tr>");
    line(u"          <td width=\"33%\"><b>Purchase Price</b></td>");
    line(u"          <td width=\"33%\"><b>Appraisal Price</b></td>");
    line(u"          <td width=\"34%\"><b>Replacement Price</b></td>");
    line(u"        </tr>");
    line(u"        <tr>");
    page.writeLine({u"          <td width=\"33%\">", money("PurchasePriceAM"), u"</td>"});
    page.writeLine({u"          <td width=\"33%\">", money("AppraisalPriceAM"), u"</td>"});
    page.writeLine({u"          <td width=\"34%\">", money("ReplacePriceAM"), u"</td>"});
    line(u"        </tr>");
    line(u"      </table>");
    line(u"    </td>");
    line(u"  </tr>");
}

// One item's block, each line written from its pieces as it is made.
void writeItem(rptGeneral& page, const CollectionReportData& report, int r) {
    const Recordset& items = report.items();
    const auto value = [&](const char* column) {
        return ReportText::text(items.value(r, QLatin1String(column)));
    };
    const auto line = [&page](QStringView text) { page.writeLine({text}); };
    line(u"<table border=\"0\" width=\"100%\" cellspacing=\"0\" cellpadding=\"0\">");
    line(u"  <tr>");
    writeCell(page, u"Item Name", value("ItemNM"));
    writeCell(page, u"Collection", value("CollectionNM"));
    line(u"  </tr>");
    const QStringList values = report.valueTexts(r);
    for (qsizetype i = 0; i < values.size(); ++i) {
        line(u"  <tr>");
        writeCell(page, rptGeneral::html(report.fields().at(i).name), values.at(i));
        // The comments stand to the right of the field rows and the price row.
        if (i == 0)
            page.writeLine({u"    <td width=\"50%\" valign=\"top\" rowspan=\"",
                            QString::number(report.fieldCount() + 1),
                            u"\"><b>Comments/Notes</b>:&nbsp; ", value("CommentsTX"), u"</td>"});
        line(u"  </tr>");
    }
    writePrices(page, items, r);
    line(u"  <tr>");
    page.writeLine({u"    <td width=\"50%\" valign=\"top\" colspan=\"2\"><i>Last updated "
                    u"on:&nbsp; ",
                    value("LastChangeDT"), u"</i></td>"});
    line(u"  </tr>");
    line(u"</table>");
    line(u"<p>");
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
