#pragma once

#include "records/RecordStore.h"
#include "records/colFieldType.h"

// The field definitions of the collections (tblCollectionField). A field is identified by its
// collection and its FieldID, the number the definition window gives it (0 to 3); the numbers
// of a collection need not be consecutive.
class colField : public RecordStore {
public:
    // One field as the definition window describes it.
    struct Definition {
        qint64 FieldID = 0;
        QString FieldNM;
        qint64 FieldTypeCD = 0;
        bool RequiredCD = false;
        // The allowed values of a fixed-list field, separated by ";"; empty for other types.
        QString FieldListTX;
    };

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
    friend class Collection;
    // The insert of Add, on a connection the caller holds, so that it can share a transaction.
    static void insert(Connection& connection, const QString& collection, const Definition& field);

    colFieldType m_fieldType;
};
