#pragma once

#include "records/RecordStore.h"
#include "records/colField.h"
#include "records/colItem.h"

// The root of the collection record classes: the collections themselves (tblCollection), with
// the stores of their field definitions and of their items. A collection's fields and items
// hang on its name through cascading relations, so renaming or deleting the collection
// carries them along.
class Collection : public RecordStore {
public:
    explicit Collection(const dvData& data);

    colField& Field() { return m_field; }
    const colField& Field() const { return m_field; }
    colItem& Item() { return m_item; }
    const colItem& Item() const { return m_item; }

    // Every collection (CollectionNM, CommentsTX), by name.
    Recordset List() const;
    // The collection's row; no row when there is none of that name (letter case aside).
    Recordset Retrieve(const QString& name) const;
    qint64 Count() const;
    // A new collection; a name already in use is refused by the table's key (DbError).
    void Add(const QString& name, const QString& comments) const;
    // A new collection together with its field definitions, all or nothing: a refused field
    // leaves no collection behind.
    void AddWithFields(const QString& name, const QString& comments,
                       const QList<colField::Definition>& fields) const;
    // Renames a collection and sets its comments, all or nothing. Its fields and items follow
    // the new name. oldName and newName may be the same (a change of comments only).
    void Update(const QString& oldName, const QString& newName, const QString& comments) const;
    // Deletes a collection with its fields, its items and their values.
    void Delete(const QString& name) const;

private:
    static void insert(Connection& connection, const QString& name, const QString& comments);

    // Declared in this order so that the field store goes first when the root is destroyed.
    colItem m_item;
    colField m_field;
};
