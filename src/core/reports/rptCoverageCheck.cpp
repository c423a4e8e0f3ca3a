#include "reports/rptCoverageCheck.h"

#include "insurance/CoverageCheck.h"
#include "reports/InventoryGrouping.h"
#include "reports/ReportText.h"
#include "reports/rptGeneral.h"

namespace rptCoverageCheck {

namespace {

using Line = CoverageCheck::Line;

QString rightCell(int width, const QString& text, const QString& cssClass = QString()) {
    const QString classAttribute =
        cssClass.isEmpty() ? QString() : QStringLiteral(" class=\"%1\"").arg(cssClass);
    return QStringLiteral("    <td width=\"%1%\" align=\"right\"%2>")
               .arg(width)
               .arg(classAttribute) +
           text + QStringLiteral("&nbsp;</td>");
}

QString limitText(const Line& line) {
    return line.limit ? ReportText::money(*line.limit) : QStringLiteral("none");
}

// The cells after the first: count, value, limit, the amount over it and the marker.
QStringList figureCells(const Line& line, const QString& cssClass = QString()) {
    return {rightCell(10, QString::number(line.items), cssClass),
            rightCell(18, ReportText::money(line.value), cssClass),
            rightCell(18, limitText(line), cssClass),
            rightCell(18, line.isOver() ? ReportText::money(line.over()) : QString(), cssClass),
            QStringLiteral("    <td width=\"12%\"") +
                (cssClass.isEmpty() ? QString() : QStringLiteral(" class=\"%1\"").arg(cssClass)) +
                QStringLiteral(">") +
                (line.isOver() ? QLatin1String(OverMarker) : QLatin1String("")) +
                QStringLiteral("&nbsp;</td>")};
}

QStringList typeRow(const Line& line) {
    const QString name = line.type.isEmpty() ? QLatin1String(InventoryGrouping::UnknownHeading)
                                             : rptGeneral::html(line.type);
    // A line over its limit stands out in colour and also in words, for a page printed in black.
    const QString opening =
        line.isOver() ? QStringLiteral("  <tr class=\"overLimit\">") : QStringLiteral("  <tr>");
    return QStringList{opening, ReportText::rowCell(24, name)} + figureCells(line) +
           QStringList{QStringLiteral("  </tr>")};
}

QStringList totalTable(const Line& total) {
    const QString opening =
        total.isOver() ? QStringLiteral("  <tr class=\"overLimit\">") : QStringLiteral("  <tr>");
    return QStringList{QStringLiteral("<p>"), ReportText::table(), opening,
                       QStringLiteral("    <td width=\"24%\" align=\"right\" "
                                      "class=\"totalLine\"><b>ALL ITEMS (contents "
                                      "limit):&nbsp;&nbsp;&nbsp;</b></td>")} +
           figureCells(total, QStringLiteral("totalLine")) +
           QStringList{QStringLiteral("  </tr>"), QStringLiteral("</table>")};
}

} // namespace

QString Generate(rptGeneral& page, const dvData& data) {
    using namespace ReportText;
    const CoverageCheck check = CoverageCheck::compute(data);
    page.StartReport(QLatin1String(Title));
    page.write(QStringLiteral("<p>Each item counts at its replacement price, or at its purchase "
                              "price where no replacement price is recorded.</p>"));
    page.write(QStringList{table()} + row({headerCell(24, QStringLiteral("Item Type")),
                                           headerCell(10, QStringLiteral("Items")),
                                           headerCell(18, QStringLiteral("Replacement Value")),
                                           headerCell(18, QStringLiteral("Sub-limit")),
                                           headerCell(18, QStringLiteral("Over Limit By")),
                                           headerCell(12, QStringLiteral("&nbsp;"))}));
    for (const Line& line : check.lines())
        page.write(typeRow(line));
    page.write(QStringLiteral("</table>"));
    page.write(totalTable(check.total()));
    return page.EndReport();
}

} // namespace rptCoverageCheck
