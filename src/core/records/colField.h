#pragma once

#include "records/RecordStore.h"
#include "records/colFieldType.h"

// The field definitions of the collections (tblCollectionField). A field is identified by its
// collection and its FieldID, the number the definition window gives it (0 to 3); the numbers
// of a collection need not be consecutive.
class colField : public RecordStore {
public:
    explicit colField(const dvData& data);

    colFieldType& fieldType() { return m_fieldType; }
    const colFieldType& fieldType() const { return m_fieldType; }

    // The collection's field rows by FieldID; every window lays out fields in this order.
    Recordset List(const QString& collection) const;
    // One field's row; no row when there is none.
    Recordset Retrieve(const QString& collection, qint64 fieldID) const;
    int Count(const QString& collection) const;
    // A new field definition. An empty list text leaves FieldListTX Null (only fixed-list
    // fields have one).
    void Add(const QString& collection, qint64 fieldID, const QString& name, qint64 fieldTypeCD,
             bool required, const QString& listText) const;
    // The different values already stored for the field in the collection's items (the empty
    // value too, when stored), sorted: the choices of a memory-list field. One column,
    // FieldValueTX.
    Recordset MemoryList(const QString& collection, qint64 fieldID) const;

private:
    colFieldType m_fieldType;
};
