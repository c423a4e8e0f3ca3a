#include "reports/rptIncidentClaim.h"

#include "insurance/Claim.h"
#include "reports/ReportText.h"
#include "reports/rptGeneral.h"

namespace rptIncidentClaim {

namespace {

using namespace ReportText;

constexpr int ColumnCount = 11;

QString moneyCell(int width, Currency amount, const QString& cssClass = QString()) {
    const QString classAttribute =
        cssClass.isEmpty() ? QString() : QStringLiteral(" class=\"%1\"").arg(cssClass);
    return QStringLiteral("    <td width=\"%1%\" align=\"right\"%2>")
               .arg(width)
               .arg(classAttribute) +
           money(amount) + QStringLiteral("&nbsp;</td>");
}

QString yesNo(bool value) {
    return value ? QStringLiteral("Yes") : QStringLiteral("No");
}

QStringList incidentLines(const Claim& claim) {
    QStringList lines = {QStringLiteral("<table>")};
    const auto add = [&](const QString& caption, const QString& value) {
        lines += row({QStringLiteral("    <td><b>") + caption + QStringLiteral(":</b></td>"),
                      QStringLiteral("    <td>") + value + QStringLiteral("</td>")});
    };
    add(QStringLiteral("Incident"), rptGeneral::html(claim.name));
    add(QStringLiteral("Date"), shortDate(claim.date));
    if (!claim.kind.isEmpty())
        add(QStringLiteral("Kind"), rptGeneral::html(claim.kind));
    if (!claim.notes.isEmpty())
        add(QStringLiteral("Notes"),
            rptGeneral::html(claim.notes).replace(QLatin1Char('\n'), QStringLiteral("<br>")));
    add(QStringLiteral("Items"), QString::number(claim.items.size()));
    lines += QStringLiteral("</table>");
    lines += QStringLiteral("<p>");
    return lines;
}

QStringList headerRow() {
    return row(
        {headerCell(10, QStringLiteral("Manufacturer")),
         headerCell(12, QStringLiteral("Item Name")), headerCell(9, QStringLiteral("Series/Model")),
         headerCell(10, QStringLiteral("Serial Number")),
         headerCell(8, QStringLiteral("Purchase Date")),
         headerCell(11, QStringLiteral("Purchased At")),
         headerCell(9, QStringLiteral("Purchase Price")),
         headerCell(9, QStringLiteral("Replacement Price")),
         headerCell(9, QStringLiteral("Appraisal Price")), headerCell(6, QStringLiteral("Receipt")),
         headerCell(7, QStringLiteral("Manuals"))});
}

QStringList itemRow(const Claim::Item& item) {
    return row({rowCell(10, rptGeneral::html(item.manufacturer)),
                rowCell(12, rptGeneral::html(item.item)), rowCell(9, rptGeneral::html(item.model)),
                rowCell(10, rptGeneral::html(item.serialNumber)),
                rowCell(8, shortDate(item.purchaseDate)),
                rowCell(11, rptGeneral::html(item.purchasePlace)), moneyCell(9, item.purchasePrice),
                moneyCell(9, item.replacementPrice), moneyCell(9, item.appraisalPrice),
                rowCell(6, yesNo(item.receipt)), rowCell(7, yesNo(item.manuals))});
}

// What a file is called on the page: its caption, and its name when the caption is not it.
QString label(const Claim::Attachment& attachment) {
    if (attachment.caption.isEmpty() || attachment.caption == attachment.name)
        return rptGeneral::html(attachment.name);
    return rptGeneral::html(attachment.caption) + QStringLiteral(" (") +
           rptGeneral::html(attachment.name) + QStringLiteral(")");
}

// The files kept with an item, in a row of their own under it: each by its label, the ones
// with a thumbnail (photos, a scanned receipt) shown above it.
QStringList attachmentRow(const Claim::Item& item) {
    if (item.attachments.isEmpty())
        return {};
    QStringList pieces;
    for (const Claim::Attachment& attachment : item.attachments) {
        const QString text = label(attachment);
        const QString picture = attachment.photoUrl.isEmpty()
                                    ? QString()
                                    : QStringLiteral("<img class=\"photo\" src=\"") +
                                          attachment.photoUrl.toHtmlEscaped() +
                                          QStringLiteral("\" alt=\"") + text +
                                          QStringLiteral("\"><br>");
        pieces.append(QStringLiteral("<span class=\"attachment\">") + picture + text +
                      QStringLiteral("</span>"));
    }
    return row({QStringLiteral("    <td colspan=\"%1\">").arg(ColumnCount) +
                pieces.join(QLatin1Char(' ')) + QStringLiteral("</td>")});
}

QStringList totalRow(const Claim& claim) {
    return row({QStringLiteral("    <td width=\"60%\" colspan=\"6\" align=\"right\" "
                               "class=\"totalLine\"><b>TOTALS (%1 items):&nbsp;&nbsp;&nbsp;</b>"
                               "</td>")
                    .arg(claim.items.size()),
                moneyCell(9, claim.totalPurchasePrice(), QStringLiteral("totalLine")),
                moneyCell(9, claim.totalReplacementPrice(), QStringLiteral("totalLine")),
                moneyCell(9, claim.totalAppraisalPrice(), QStringLiteral("totalLine")),
                QStringLiteral("    <td width=\"13%\" colspan=\"2\" "
                               "class=\"totalLine\">&nbsp;</td>")});
}

} // namespace

QString title(const QString& incidentName) {
    return QStringLiteral("Claim List: ") + incidentName;
}

QString Generate(rptGeneral& page, const Claim& claim) {
    page.StartReport(title(claim.name));
    page.write(incidentLines(claim));
    page.write(QStringList{table()} + headerRow());
    for (const Claim::Item& item : claim.items) {
        page.write(itemRow(item));
        page.write(attachmentRow(item));
    }
    page.write(totalRow(claim));
    page.write(QStringLiteral("</table>"));
    return page.EndReport();
}

} // namespace rptIncidentClaim
