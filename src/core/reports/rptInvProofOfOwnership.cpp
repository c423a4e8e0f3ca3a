#include "reports/rptInvProofOfOwnership.h"

#include "attachments/AttachmentFile.h"
#include "data/dvData.h"
#include "records/Attachment.h"
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

// The columns of the listing that an item's block shows.
struct ItemColumns {
    explicit ItemColumns(const RowCursor& listing)
        : itemID(listing.columnIndex(QLatin1String("ItemID")))
        , manufacturer(listing.columnIndex(QLatin1String("ManufacturerNM")))
        , name(listing.columnIndex(QLatin1String("ItemNM")))
        , model(listing.columnIndex(QLatin1String("ModelSeriesTX")))
        , serial(listing.columnIndex(QLatin1String("SerialNumberID")))
        , purchasedOn(listing.columnIndex(QLatin1String("PurchaseDT")))
        , purchasedAt(listing.columnIndex(QLatin1String("PurchaseLocationTX")))
        , purchasePrice(listing.columnIndex(QLatin1String("PurchasePriceAM")))
        , appraisalPrice(listing.columnIndex(QLatin1String("AppraisalPriceAM")))
        , replacePrice(listing.columnIndex(QLatin1String("ReplacePriceAM"))) {}

    qsizetype itemID, manufacturer, name, model, serial, purchasedOn, purchasedAt, purchasePrice,
        appraisalPrice, replacePrice;
};

// A run of the listing's items, held with their files while they are written: the files of
// many items come in one query rather than one each, and the listing itself is read a run at
// a time, so a large inventory is never held whole.
class ItemRun {
public:
    // Reads the cursor's next ItemsPerRead rows (fewer at the end) and their files.
    ItemRun(Connection& files, RowCursor& listing, qsizetype itemIDColumn) {
        m_items.reserve(ItemsPerRead);
        while (m_items.size() < ItemsPerRead && listing.next())
            m_items.append(listing.row());
        if (m_items.isEmpty())
            return;
        QList<qint64> itemIDs;
        itemIDs.reserve(m_items.size());
        for (const QVariantList& item : std::as_const(m_items))
            itemIDs.append(item.at(itemIDColumn).toLongLong());
        m_files = Attachment::ListInventory(files, itemIDs);
        for (int row = 0; row < m_files.rowCount(); ++row)
            m_fileRows[m_files.value(row, 0).toLongLong()].append(row);
    }

    const QVector<QVariantList>& items() const { return m_items; }
    const Recordset& files() const { return m_files; }
    // The item's rows of files(), in the order the files were added.
    QList<int> fileRows(qint64 itemID) const { return m_fileRows.value(itemID); }

private:
    QVector<QVariantList> m_items;
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
void writeItem(rptGeneral& page, const ItemRun& run, const ItemColumns& columns,
               const QVariantList& item) {
    const auto value = [&](qsizetype column) { return ReportText::text(item.at(column)); };
    const auto money = [&](qsizetype column) { return ReportText::money(item.at(column)); };
    const QString manufacturer = value(columns.manufacturer);
    page.writeLine({u"<h3>", manufacturer, manufacturer.isEmpty() ? u"" : u" ", value(columns.name),
                    u"</h3>"});
    page.writeLine({u"<table border=\"0\" width=\"100%\" cellspacing=\"0\">"});
    writeField(page, u"Model/Series", value(columns.model));
    writeField(page, u"Serial Number", value(columns.serial));
    writeField(page, u"Purchased on", value(columns.purchasedOn));
    writeField(page, u"Purchased at", value(columns.purchasedAt));
    writeField(page, u"Purchase Price", money(columns.purchasePrice));
    writeField(page, u"Appraisal Price", money(columns.appraisalPrice));
    writeField(page, u"Replacement Price", money(columns.replacePrice));
    page.writeLine({u"</table>"});
    writeFiles(page, run.files(), run.fileRows(item.at(columns.itemID).toLongLong()));
    page.writeLine({u"<hr>"});
}

} // namespace

QString Generate(rptGeneral& page, const dvData& data, const QString& type,
                 const QString& location) {
    page.StartReport(QStringLiteral("Proof of Ownership"));
    RowCursor listing =
        InventoryGrouping::selectedItemRows(page, data.Inventory().Item(), type, location);
    const ItemColumns columns(listing);
    // The runs' files are read on a connection of their own, open for the whole page.
    Connection files(data.connString(), Connection::OpenMode::ReadOnly);
    for (;;) {
        const ItemRun run(files, listing, columns.itemID);
        if (run.items().isEmpty())
            break;
        for (const QVariantList& item : run.items())
            writeItem(page, run, columns, item);
    }
    return page.EndReport();
}

} // namespace rptInvProofOfOwnership
