#pragma once

#include "records/RecordStore.h"

// The values of the collection items' fields (tblCollectionItemField): one row per item and
// field, holding the value as text whatever the field's type; an optional field left empty
// holds the empty text.
class colItemField : public RecordStore {
public:
    explicit colItemField(const dvData& data);

    // Every stored value of the collection with its item and field: ItemNM, FieldNM,
    // FieldTypeCD, ItemID, FieldID, FieldValueTX. orderBy may name ItemNM, FieldNM,
    // FieldTypeCD, FieldValueTX, ItemID or FieldID; the values of one item stay together, in
    // FieldID order.
    Recordset List(const QString& collection, const QString& orderBy = QString()) const;
    void Add(qint64 itemID, qint64 fieldID, const QString& value) const;
    // The item's value rows. A fieldID of 0 or 1 gives every value row of the item (the item
    // editor passes 0 to load them all); 2 or more gives that field's row only.
    Recordset Retrieve(qint64 itemID, qint64 fieldID) const;
    void Update(qint64 itemID, qint64 fieldID, const QString& value) const;
    // The different values of the named field in the collection, sorted; one column,
    // FieldValueTX.
    Recordset DistinctValue(const QString& collection, const QString& fieldName) const;
    // The number of the collection's items whose value of the named field equals the value.
    qint64 Count(const QString& collection, const QString& fieldName, const QString& value) const;
    // DistinctValue for the field with the given FieldID, which, unlike its name, always tells
    // one field from another; in ascending order, letter case aside (as the engine compares
    // text, values that differ only in case are one value).
    Recordset DistinctValueOfField(const QString& collection, qint64 fieldID) const;

private:
    friend class colItem;
    // The statements of Add and of a write that adds the row when the item lacks it, on a
    // connection the caller holds, so that they can share its transaction.
    static void insert(Connection& connection, qint64 itemID, qint64 fieldID, const QString& value);
    static void store(Connection& connection, qint64 itemID, qint64 fieldID, const QString& value);
};
