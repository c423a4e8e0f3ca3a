#pragma once

#include "attachments/AttachmentChanges.h"
#include "records/RecordStore.h"
#include "records/ResultColumn.h"
#include "records/SearchCondition.h"
#include "records/colItemField.h"

#include <QMap>
#include <QVariant>
#include <QVector>
#include <optional>

// The items of the collections (tblCollectionItem), and the two queries that turn their
// row-per-value fields back into one row per item: the collections window's grid and the
// search. Each field is joined on the FieldID its definition stores, so a collection whose
// fields are numbered 0 and 2 lays out like any other.
class colItem : public RecordStore {
public:
    // The columns to change on an existing item: an omitted member leaves its column as it is,
    // a given one is written even when empty (an empty price as 0). Prices are the typed text,
    // a Currency or Null.
    struct Changes {
        // Each member has an initializer, so callers name only the members they set.
        std::optional<QString> CollectionNM{};
        std::optional<QString> ItemNM{};
        std::optional<QVariant> PurchasePriceAM{};
        std::optional<QVariant> AppraisalPriceAM{};
        std::optional<QVariant> ReplacePriceAM{};
        std::optional<QString> CommentsTX{};
    };

    // An item's field values as the item editor writes them, by FieldID.
    using Values = QMap<qint64, QString>;

    explicit colItem(const dvData& data);

    colItemField& Field() { return m_field; }
    const colItemField& Field() const { return m_field; }

    // The collections window's grid: ItemID, "Item Name", one column per field named after it
    // (in FieldID order), Price (text, "$#,##0" when roundPrices is 1, else "$#,##0.00"); one
    // row per item that has a value for every field, in the order the items were added. A
    // collection without items still gives every column.
    Recordset MainGrid(const QString& collection, int roundPrices) const;
    // The same rows read one at a time, on one connection; `fieldKinds`, when given, receives
    // the FieldTypeCD of each field column, in column order.
    RowCursor MainGridRows(const QString& collection, int roundPrices,
                           QVector<short>* fieldKinds = nullptr) const;
    // The collection's item rows; orderBy lists columns of tblCollectionItem (empty: ItemNM).
    Recordset List(const QString& collection, const QString& orderBy = QString()) const;
    // The rows of List, read one at a time (a report of a large collection).
    RowCursor ListRows(const QString& collection, const QString& orderBy = QString()) const;
    // One column (by its name in tblCollectionItem) of the rows List gives in its default
    // order, without reading the rest of each row: what a graph sums. Throws DbError for no
    // such column.
    QVariantList ListColumn(const QString& collection, const QString& column) const;
    // An item's row: by its name within a collection when itemName is given (letter case
    // aside; the editor's check for a name already in use), else by itemID. A name without a
    // collection, or neither name nor identifier, throws DbError.
    Recordset Retrieve(std::optional<qint64> itemID,
                       const std::optional<QString>& itemName = std::nullopt,
                       const std::optional<QString>& collection = std::nullopt) const;
    qint64 Count(const QString& collection) const;
    // Stores a new item, with LastChangeDT today and empty prices as 0, and returns its
    // ItemID. Its field values are added separately (colItemField::Add).
    qint64 Add(const QString& collection, const QString& itemName, const QVariant& purchasePrice,
               const QVariant& appraisalPrice, const QVariant& replacePrice,
               const QString& comments) const;
    // A new item with its field values and its files, all or nothing; returns its ItemID.
    qint64 AddWithValues(const QString& collection, const QString& itemName,
                         const QVariant& purchasePrice, const QVariant& appraisalPrice,
                         const QVariant& replacePrice, const QString& comments,
                         const Values& values, const AttachmentChanges& attachments = {}) const;
    // Writes the given columns and LastChangeDT (today) of an item, all or none.
    void Update(qint64 itemID, const Changes& changes) const;
    // Update, together with the item's field values and the changes to its files, all or
    // nothing. A value row the item lacks is added, so that the item has one for every field
    // afterwards.
    void UpdateWithValues(qint64 itemID, const Changes& changes, const Values& values,
                          const AttachmentChanges& attachments = {}) const;
    // Only stamps LastChangeDT.
    void Update(qint64 itemID) const;
    // Deletes an item with its field values.
    void Delete(qint64 itemID) const;
    // The search window's and the export's query over one collection. It reads from a table
    // with the columns ItemID, ItemNM, CollectionNM, PurchasePriceAM, AppraisalPriceAM,
    // ReplacePriceAM, CommentsTX, LastChangeDT and one column "Field" + FieldID per field (a
    // field stored with FieldID 2 is Field2). The result is ItemID, then the given columns under
    // their headings, for the items that meet the condition (all when it is empty). orderBy
    // lists those columns too (empty: the engine's order). Naming any other column throws
    // DbError.
    Recordset Search(const QString& collection, const QList<ResultColumn>& columns,
                     const SearchCondition& condition = {},
                     const QString& orderBy = QString()) const;
    // The rows of Search, read one at a time (an export of a large collection).
    RowCursor SearchRows(const QString& collection, const QList<ResultColumn>& columns,
                         const SearchCondition& condition = {},
                         const QString& orderBy = QString()) const;
    // The sum of the purchase prices of the collection's items whose value of the named field
    // equals the value (0 when none does).
    Currency SumPrice(const QString& collection, const QString& fieldName,
                      const QString& value) const;
    // The rows of the collection's items whose value of the field with the given FieldID
    // equals the value (letter case aside), by item name.
    Recordset ListByFieldValue(const QString& collection, qint64 fieldID,
                               const QString& value) const;

private:
    // The statements of Add and Update, on a connection the caller holds.
    static qint64 insert(Connection& connection, const QString& collection, const QString& itemName,
                         const QVariant& purchasePrice, const QVariant& appraisalPrice,
                         const QVariant& replacePrice, const QString& comments);
    static void update(Connection& connection, qint64 itemID, const Changes& changes);
    // The statement of Search; it reads the collection's fields on the caller's connection.
    // MainGrid's statement; see MainGridRows for fieldKinds.
    static SqlFragment mainGridStatement(Connection& connection, const QString& collection,
                                         int roundPrices, QVector<short>* fieldKinds);
    static SqlFragment searchStatement(Connection& connection, const QString& collection,
                                       const QList<ResultColumn>& columns,
                                       const SearchCondition& condition, const QString& orderBy);

    colItemField m_field;
};
