#pragma once

#include "attachments/AttachmentChanges.h"
#include "data/SqlFragment.h"
#include "records/LookupList.h"
#include "records/RecordStore.h"

#include <QDate>
#include <QStringList>
#include <QVariant>
#include <optional>

// The inventory items (tblItem), with the two lists an item is filed under. Each call runs its
// statement on a connection of its own and hands back the rows; nothing is kept between calls.
class invItem : public RecordStore {
public:
    // The columns of an item as the item editor supplies them for a new item. Dates are QDate
    // (Null or the empty text for no date); prices are the typed text, a Currency or Null, and
    // an empty price is stored as 0. Type and location must be entries of their lists.
    struct Values {
        // Each member has an initializer, so callers name only the members they set.
        QString ManufacturerNM{};
        QString ItemNM{};
        QString ModelSeriesTX{};
        QString SerialNumberID{};
        QString PurchaseLocationTX{};
        QVariant PurchaseDT{};
        bool WarrantyCD = false;
        QVariant WarrantyExpireDT{};
        bool WarrantyDocumentCD = false;
        QVariant PurchasePriceAM{};
        QVariant ReplacePriceAM{};
        QVariant AppraisalPriceAM{};
        QString TypeTX{};
        QString LocationTX{};
        bool ReceiptCD = false;
        bool ManualsCD = false;
        QString CommentsTX{};
    };

    // The columns to change on an existing item: an omitted member leaves its column as it is,
    // a given one is written even when empty (an empty price as 0, an empty date as Null).
    struct Changes {
        // Each member has an initializer, so callers name only the members they set.
        std::optional<QString> ManufacturerNM{};
        std::optional<QString> ItemNM{};
        std::optional<QString> ModelSeriesTX{};
        std::optional<QString> SerialNumberID{};
        std::optional<QString> PurchaseLocationTX{};
        std::optional<QVariant> PurchaseDT{};
        std::optional<bool> WarrantyCD{};
        std::optional<QVariant> WarrantyExpireDT{};
        std::optional<bool> WarrantyDocumentCD{};
        std::optional<QVariant> PurchasePriceAM{};
        std::optional<QVariant> ReplacePriceAM{};
        std::optional<QVariant> AppraisalPriceAM{};
        std::optional<QString> TypeTX{};
        std::optional<QString> LocationTX{};
        std::optional<bool> ReceiptCD{};
        std::optional<bool> ManualsCD{};
        std::optional<QString> CommentsTX{};

        // Every column of an item, for rewriting all of it.
        static Changes everyColumn(const Values& values);
    };

    explicit invItem(const dvData& data);

    invType& ItemType() { return m_type; }
    const invType& ItemType() const { return m_type; }
    invLocation& Location() { return m_location; }
    const invLocation& Location() const { return m_location; }

    // The rows of the inventory window's grid: ItemID, Manufacturer, Item, Model, Price (text,
    // "$#,##0" when roundPrices is 1, else "$#,##0.00"), Type, Location, by manufacturer and
    // item name. An empty text or an invalid date is no filter; the window gives at most one,
    // and several are all applied. When the filter matches nothing but the table has items,
    // the one row is the placeholder "No items found" (every other column ""), so the grid
    // says why it is empty; an empty table gives no row.
    Recordset ListMainGrid(int roundPrices, const QString& inType, const QString& inLocation,
                           const QString& inManufacturer, const QDate& inPurchaseDate) const;
    // The same rows read one at a time, as the grid and the command-line listing take them:
    // Price is the amount (Currency), shown with the money pattern of roundPrices (the
    // cursor's column carries it). Without the placeholder row: a reader that got no row asks
    // NoItemsFound() for it.
    RowCursor ListMainGridRows(int roundPrices, const QString& inType, const QString& inLocation,
                               const QString& inManufacturer, const QDate& inPurchaseDate) const;
    // The placeholder row of ListMainGrid ("No items found", every other column ""), or no row
    // when the table has no items.
    Recordset NoItemsFound() const;
    // "$#,##0" when roundPrices is 1, else "$#,##0.00".
    static QString MoneyPattern(int roundPrices);
    // The different values of one column of tblItem, sorted; the result column is named after
    // it. Only the columns of tblItem are accepted (DbError otherwise).
    Recordset DistinctFieldValue(const QString& fieldName) const;
    // The same values read one at a time (a list of many values fills without a copy).
    RowCursor DistinctFieldValueRows(const QString& fieldName) const;
    // The item's whole row (no row when there is no such item).
    Recordset Retrieve(qint64 itemID) const;
    // Whole item rows, filtered by location when one is given, else by type when one is given
    // (the location wins when both are). orderBy lists columns of tblItem; empty means
    // "ManufacturerNM, ItemNM, ModelSeriesTX".
    Recordset List(const QString& LocationTX, const QString& TypeTX,
                   const QString& orderBy = QString()) const;
    // The rows of List, read one at a time (an export of a large inventory).
    RowCursor ListRows(const QString& LocationTX, const QString& TypeTX,
                       const QString& orderBy = QString()) const;
    // One column (by its name in tblItem) of the rows List gives, in the same order, without
    // reading the rest of each row: what a graph sums. Throws DbError for no such column.
    QVariantList ListColumn(const QString& LocationTX, const QString& TypeTX,
                            const QString& column) const;
    // The number of items under a location, else a type, else all items (same precedence as
    // List).
    qint64 Count(const QString& LocationTX, const QString& TypeTX) const;
    // Stores a new item, with LastChangeDT today, together with its files (all or nothing),
    // and returns its ItemID.
    qint64 Add(const Values& item, const AttachmentChanges& attachments = {}) const;
    // Writes the given columns and LastChangeDT (today) of an item, all or none.
    void Update(qint64 itemID, const Changes& changes) const;
    // Update, together with the changes to the item's files, all or nothing.
    void Update(qint64 itemID, const Changes& changes, const AttachmentChanges& attachments) const;
    // Only stamps LastChangeDT.
    void Update(qint64 itemID) const;
    // Files the items under another location, each with LastChangeDT today; all of them or,
    // when any write fails, none.
    void MoveToLocation(const QList<qint64>& itemIDs, const QString& location) const;
    void Delete(qint64 itemID) const;

    // The columns of tblItem in table order.
    static const QStringList& columnNames();

private:
    static SqlFragment listStatement(const QString& LocationTX, const QString& TypeTX,
                                     const QString& orderBy);
    // SELECT DISTINCT of the tblItem column named (in any letter case), or a statement that
    // gives the same rows sooner on the database behind the connection; DbError for another.
    static QString distinctStatement(Connection& connection, const QString& fieldName);

    invType m_type;
    invLocation m_location;
};
