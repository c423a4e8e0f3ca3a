#pragma once

#include "records/RecordStore.h"

// A user-maintained list of names kept in a one-column table (item types, locations). Items
// refer to an entry by its text; renaming or deleting an entry cascades into every item filed
// under it.
class LookupList : public RecordStore {
public:
    // Every entry, sorted by its text.
    Recordset List() const;
    // The rows of List, read one at a time.
    RowCursor ListRows() const;
    // Stores a new entry; false when the table refuses it (a duplicate, an empty or too long
    // text) or the database cannot be reached. Nothing is changed then.
    bool Add(const QString& text) const;
    // Stores several entries at once, all or none; throws DbError when any is refused.
    void AddAll(const QStringList& texts) const;
    // Renames an entry; false when the database refuses. An unknown old value changes nothing.
    bool Update(const QString& oldValue, const QString& newValue) const;
    // Deletes an entry (and, through the relation, every item filed under it).
    bool Delete(const QString& text) const;

    const QString& tableName() const { return m_table; }
    const QString& columnName() const { return m_column; }

protected:
    LookupList(const dvData& data, QString table, QString column);

private:
    QString listStatement() const;
    QString insertStatement() const;

    QString m_table;
    QString m_column;
};

// The item types (tblType_Lkp.TypeTX).
class invType : public LookupList {
public:
    explicit invType(const dvData& data);
};

// The locations (tblLocation_Lkp.LocationTX).
class invLocation : public LookupList {
public:
    explicit invLocation(const dvData& data);
};
