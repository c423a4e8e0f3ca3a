#include "reports/rptInvProofOfOwnership.h"

#include "attachments/AttachmentFile.h"
#include "data/dvData.h"
#include "reports/InventoryGrouping.h"
#include "reports/ReportText.h"
#include "reports/rptGeneral.h"

namespace rptInvProofOfOwnership {

namespace {

QString line(const QString& label, const QString& value) {
    return QStringLiteral("  <tr><td width=\"30%\"><b>") + label + QStringLiteral("</b></td><td>") +
           value + QStringLiteral("</td></tr>");
}

// A file as the page shows it: its thumbnail when it has one, with the caption (else the
// name) under it; otherwise its name, caption and size.
QString fileEntry(const Recordset& files, int row) {
    const auto value = [&](const char* column) { return files.value(row, QLatin1String(column)); };
    const QString name = rptGeneral::html(value("FileNM").toString());
    const QString caption = rptGeneral::html(value("CaptionTX").toString());
    const QString picture = AttachmentFile::dataUrl(value("ThumbnailBL").toByteArray());
    if (!picture.isEmpty())
        return QStringLiteral("<div style=\"display:inline-block; margin:4px; "
                              "text-align:center; vertical-align:top\"><img src=\"%1\" "
                              "alt=\"%2\"><br>%3</div>")
            .arg(picture, name, caption.isEmpty() ? name : caption);
    QString text = name;
    if (!caption.isEmpty())
        text += QStringLiteral(" (") + caption + QStringLiteral(")");
    return QStringLiteral("<li>") + text + QStringLiteral(", ") +
           rptGeneral::html(AttachmentFile::sizeText(value("FileSizeNO").toLongLong())) +
           QStringLiteral("</li>");
}

void writeFiles(rptGeneral& page, const Recordset& files) {
    if (files.isEmpty()) {
        page.write(QStringLiteral("<p><i>No files are kept with this item.</i></p>"));
        return;
    }
    QStringList pictures;
    QStringList others;
    for (int row = 0; row < files.rowCount(); ++row) {
        const QString entry = fileEntry(files, row);
        (entry.startsWith(QLatin1String("<li>")) ? others : pictures).append(entry);
    }
    if (!pictures.isEmpty())
        page.write(QStringLiteral("<p>") + pictures.join(QString()) + QStringLiteral("</p>"));
    if (!others.isEmpty())
        page.write(QStringList{QStringLiteral("<p><b>Documents</b>:</p><ul>")} + others +
                   QStringList{QStringLiteral("</ul>")});
}

void writeItem(rptGeneral& page, const dvData& data, const Recordset& rows, int row) {
    const auto value = [&](const char* column) {
        return ReportText::text(rows.value(row, QLatin1String(column)));
    };
    const auto money = [&](const char* column) {
        return ReportText::money(rows.value(row, QLatin1String(column)));
    };
    QString title = value("ManufacturerNM");
    title += (title.isEmpty() ? QString() : QStringLiteral(" ")) + value("ItemNM");
    page.write({QStringLiteral("<h3>") + title + QStringLiteral("</h3>"),
                QStringLiteral("<table border=\"0\" width=\"100%\" cellspacing=\"0\">"),
                line(QStringLiteral("Model/Series"), value("ModelSeriesTX")),
                line(QStringLiteral("Serial Number"), value("SerialNumberID")),
                line(QStringLiteral("Purchased on"), value("PurchaseDT")),
                line(QStringLiteral("Purchased at"), value("PurchaseLocationTX")),
                line(QStringLiteral("Purchase Price"), money("PurchasePriceAM")),
                line(QStringLiteral("Appraisal Price"), money("AppraisalPriceAM")),
                line(QStringLiteral("Replacement Price"), money("ReplacePriceAM")),
                QStringLiteral("</table>")});
    const qint64 itemID = rows.value(row, QStringLiteral("ItemID")).toLongLong();
    writeFiles(page, data.Attachment().List(AttachmentOwner::inventoryItem(itemID), true));
    page.write(QStringLiteral("<hr>"));
}

} // namespace

QString Generate(rptGeneral& page, const dvData& data, const QString& type,
                 const QString& location) {
    page.StartReport(QStringLiteral("Proof of Ownership"));
    const Recordset rows =
        InventoryGrouping::selectedItems(page, data.Inventory().Item(), type, location);
    for (int row = 0; row < rows.rowCount(); ++row)
        writeItem(page, data, rows, row);
    return page.EndReport();
}

} // namespace rptInvProofOfOwnership
