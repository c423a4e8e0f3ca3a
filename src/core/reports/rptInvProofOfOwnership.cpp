#include "reports/rptInvProofOfOwnership.h"

#include "attachments/AttachmentFile.h"
#include "data/dvData.h"
#include "reports/InventoryGrouping.h"
#include "reports/ReportText.h"
#include "reports/rptGeneral.h"

#include <QHash>
#include <algorithm>

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

// The files of a run of items, read together: one query for many items rather than one each.
class ItemFiles {
public:
    ItemFiles(const dvData& data, const QList<qint64>& itemIDs)
        : m_files(data.Attachment().ListInventory(itemIDs)) {
        for (int row = 0; row < m_files.rowCount(); ++row)
            m_rowsOf[m_files.value(row, 0).toLongLong()].append(row);
    }
    const Recordset& files() const { return m_files; }
    // The item's rows of files(), in the order the files were added.
    QList<int> rowsOf(qint64 itemID) const { return m_rowsOf.value(itemID); }

private:
    Recordset m_files;
    QHash<qint64, QList<int>> m_rowsOf;
};

// Items whose files are read in one go: enough to save the queries, few enough that their
// thumbnails are not all held at once.
constexpr int ItemsPerRead = 500;

void writeFiles(rptGeneral& page, const Recordset& files, const QList<int>& fileRows) {
    if (fileRows.isEmpty()) {
        page.write(QStringLiteral("<p><i>No files are kept with this item.</i></p>"));
        return;
    }
    QStringList pictures;
    QStringList others;
    for (const int row : fileRows) {
        const QString entry = fileEntry(files, row);
        (entry.startsWith(QLatin1String("<li>")) ? others : pictures).append(entry);
    }
    if (!pictures.isEmpty())
        page.write(QStringLiteral("<p>") + pictures.join(QString()) + QStringLiteral("</p>"));
    if (!others.isEmpty())
        page.write(QStringList{QStringLiteral("<p><b>Documents</b>:</p><ul>")} + others +
                   QStringList{QStringLiteral("</ul>")});
}

qint64 itemIDOf(const Recordset& rows, int row) {
    return rows.value(row, QStringLiteral("ItemID")).toLongLong();
}

void writeItem(rptGeneral& page, const ItemFiles& files, const Recordset& rows, int row) {
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
    writeFiles(page, files.files(), files.rowsOf(itemIDOf(rows, row)));
    page.write(QStringLiteral("<hr>"));
}

} // namespace

QString Generate(rptGeneral& page, const dvData& data, const QString& type,
                 const QString& location) {
    page.StartReport(QStringLiteral("Proof of Ownership"));
    const Recordset rows =
        InventoryGrouping::selectedItems(page, data.Inventory().Item(), type, location);
    for (int first = 0; first < rows.rowCount(); first += ItemsPerRead) {
        const int end = std::min(rows.rowCount(), first + ItemsPerRead);
        QList<qint64> itemIDs;
        for (int row = first; row < end; ++row)
            itemIDs.append(itemIDOf(rows, row));
        const ItemFiles files(data, itemIDs);
        for (int row = first; row < end; ++row)
            writeItem(page, files, rows, row);
    }
    return page.EndReport();
}

} // namespace rptInvProofOfOwnership
