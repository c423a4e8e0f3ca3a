#include "insurance/Claim.h"

#include "app/General.h"
#include "attachments/AttachmentFile.h"
#include "attachments/AttachmentOwner.h"
#include "data/DbError.h"
#include "data/dvData.h"
#include "insurance/IncidentStore.h"
#include "records/Attachment.h"

#include <QHash>

namespace {

QString textOf(const Recordset& rows, int r, const char* column) {
    return General::NullToDefault(rows.value(r, QLatin1String(column)), General::KindText)
        .toString();
}

Currency amountOf(const Recordset& rows, int r, const char* column) {
    return General::ToCurrency(rows.value(r, QLatin1String(column))).value_or(Currency());
}

QDate dateOf(const Recordset& rows, int r, const char* column) {
    const QVariant value = rows.value(r, QLatin1String(column));
    return value.typeId() == QMetaType::QDateTime ? value.toDateTime().date() : value.toDate();
}

// Each item's files, read for all the claim's items at once.
QHash<qint64, QList<Claim::Attachment>> attachmentsOf(const dvData& data,
                                                      const QList<qint64>& itemIDs) {
    const Recordset files = data.Attachment().ListInventory(itemIDs);
    QHash<qint64, QList<Claim::Attachment>> attachments;
    for (int r = 0; r < files.rowCount(); ++r)
        attachments[files.value(r, QStringLiteral("ItemID")).toLongLong()].append(
            {textOf(files, r, "FileNM"), textOf(files, r, "CaptionTX"),
             AttachmentFile::dataUrl(files.value(r, QStringLiteral("ThumbnailBL")).toByteArray())});
    return attachments;
}

} // namespace

Claim Claim::load(const dvData& data, qint64 incidentID) {
    const IncidentStore incidents(data);
    const Recordset incident = incidents.Retrieve(incidentID);
    if (incident.isEmpty())
        throw DbError(QStringLiteral("There is no incident %1.").arg(incidentID));
    Claim claim;
    claim.incidentID = incidentID;
    claim.name = textOf(incident, 0, "IncidentNM");
    claim.date = dateOf(incident, 0, "IncidentDT");
    claim.kind = textOf(incident, 0, "KindTX");
    claim.notes = textOf(incident, 0, "NotesTX");

    const Recordset rows = incidents.ItemRows(incidentID);
    for (int r = 0; r < rows.rowCount(); ++r) {
        Item item;
        item.itemID = rows.value(r, QStringLiteral("ItemID")).toLongLong();
        item.manufacturer = textOf(rows, r, "ManufacturerNM");
        item.item = textOf(rows, r, "ItemNM");
        item.model = textOf(rows, r, "ModelSeriesTX");
        item.serialNumber = textOf(rows, r, "SerialNumberID");
        item.purchaseDate = dateOf(rows, r, "PurchaseDT");
        item.purchasePlace = textOf(rows, r, "PurchaseLocationTX");
        item.purchasePrice = amountOf(rows, r, "PurchasePriceAM");
        item.replacementPrice = amountOf(rows, r, "ReplacePriceAM");
        item.appraisalPrice = amountOf(rows, r, "AppraisalPriceAM");
        item.receipt = rows.value(r, QStringLiteral("ReceiptCD")).toBool();
        item.manuals = rows.value(r, QStringLiteral("ManualsCD")).toBool();
        claim.items.append(item);
    }
    QList<qint64> itemIDs;
    for (const Item& item : std::as_const(claim.items))
        itemIDs.append(item.itemID);
    const auto attachments = attachmentsOf(data, itemIDs);
    for (Item& item : claim.items)
        item.attachments = attachments.value(item.itemID);
    return claim;
}

Currency Claim::sum(Currency Item::*price) const {
    Currency total;
    for (const Item& item : items)
        total += item.*price;
    return total;
}

Currency Claim::totalPurchasePrice() const {
    return sum(&Item::purchasePrice);
}

Currency Claim::totalReplacementPrice() const {
    return sum(&Item::replacementPrice);
}

Currency Claim::totalAppraisalPrice() const {
    return sum(&Item::appraisalPrice);
}
