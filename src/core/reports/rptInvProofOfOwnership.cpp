#include "reports/rptInvProofOfOwnership.h"

#include "attachments/AttachmentFile.h"
#include "data/dvData.h"
#include "reports/InventoryGrouping.h"
#include "reports/ReportText.h"
#include "reports/rptGeneral.h"

#include <QHash>

namespace rptInvProofOfOwnership {

namespace {

// A row of the item's table: the label in bold, then the value.
void writeField(rptGeneral& page, QStringView label, const QString& value) {
    page.writeLine({u"  <tr><td width=\"30%\"><b>", label, u"</b></td><td>", value, u"</td></tr>"});
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

// Items whose files are read in one go: enough to save the queries, few enough that neither
// their rows nor their thumbnails are all held at once.
constexpr int ItemsPerRead = 500;

// A run of the listing's items, held with their files while they are written: the files of
// many items come in one query rather than one each, and the listing itself is read a run at
// a time, so a large inventory is never held whole.
class ItemRun {
public:
    // Reads the cursor's next ItemsPerRead rows (fewer at the end) and their files.
    ItemRun(const dvData& data, RowCursor& listing) {
        QStringList columns;
        for (const RowCursor::Column& column : listing.columns())
            columns.append(column.name);
        QVector<QVariantList> rows;
        rows.reserve(ItemsPerRead);
        while (rows.size() < ItemsPerRead && listing.next())
            rows.append(listing.row());
        m_items = Recordset(columns, std::move(rows));
        if (m_items.isEmpty())
            return;
        QList<qint64> itemIDs;
        itemIDs.reserve(m_items.rowCount());
        for (int row = 0; row < m_items.rowCount(); ++row)
            itemIDs.append(itemID(row));
        m_files = data.Attachment().ListInventory(itemIDs);
        for (int row = 0; row < m_files.rowCount(); ++row)
            m_fileRows[m_files.value(row, 0).toLongLong()].append(row);
    }

    const Recordset& items() const { return m_items; }
    qint64 itemID(int row) const {
        return m_items.value(row, QStringLiteral("ItemID")).toLongLong();
    }
    const Recordset& files() const { return m_files; }
    // The item's rows of files(), in the order the files were added.
    QList<int> fileRows(int row) const { return m_fileRows.value(itemID(row)); }

private:
    Recordset m_items;
    Recordset m_files;
    QHash<qint64, QList<int>> m_fileRows;
};

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

// One item's block, a line at a time, each written from its pieces as it is made.
void writeItem(rptGeneral& page, const ItemRun& run, int row) {
    const Recordset& items = run.items();
    const auto value = [&](const char* column) {
        return ReportText::text(items.value(row, QLatin1String(column)));
    };
    const auto money = [&](const char* column) {
        return ReportText::money(items.value(row, QLatin1String(column)));
    };
    const QString manufacturer = value("ManufacturerNM");
    page.writeLine(
        {u"<h3>", manufacturer, manufacturer.isEmpty() ? u"" : u" ", value("ItemNM"), u"</h3>"});
    page.writeLine({u"<table border=\"0\" width=\"100%\" cellspacing=\"0\">"});
    writeField(page, u"Model/Series", value("ModelSeriesTX"));
    writeField(page, u"Serial Number", value("SerialNumberID"));
    writeField(page, u"Purchased on", value("PurchaseDT"));
    writeField(page, u"Purchased at", value("PurchaseLocationTX"));
    writeField(page, u"Purchase Price", money("PurchasePriceAM"));
    writeField(page, u"Appraisal Price", money("AppraisalPriceAM"));
    writeField(page, u"Replacement Price", money("ReplacePriceAM"));
    page.writeLine({u"</table>"});
    writeFiles(page, run.files(), run.fileRows(row));
    page.writeLine({u"<hr>"});
}

} // namespace

QString Generate(rptGeneral& page, const dvData& data, const QString& type,
                 const QString& location) {
    page.StartReport(QStringLiteral("Proof of Ownership"));
    RowCursor listing =
        InventoryGrouping::selectedItemRows(page, data.Inventory().Item(), type, location);
    for (;;) {
        const ItemRun run(data, listing);
        if (run.items().isEmpty())
            break;
        for (int row = 0; row < run.items().rowCount(); ++row)
            writeItem(page, run, row);
    }
    return page.EndReport();
}

} // namespace rptInvProofOfOwnership
