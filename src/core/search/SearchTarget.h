#pragma once

#include "search/SearchColumn.h"

#include <QList>
#include <QString>
#include <optional>

class dvData;

// Where a search looks, the inventory or one collection, with the columns it offers in the
// order the search window lists them.
class SearchTarget {
public:
    // The eighteen columns of the inventory items.
    static SearchTarget inventory();
    // The collection's seven fixed columns, then one column "Field" + FieldID per field of the
    // collection, in FieldID order, named after the field and compared as its type says: a
    // Date field as a date; Integer, Float, Currency and Yes/No fields as numbers; the others
    // as text. Throws DbError when there is no such collection.
    static SearchTarget collection(const dvData& data, const QString& name);

    bool isInventory() const { return m_collection.isEmpty(); }
    // The collection's name as stored; "" for the inventory.
    QString collectionName() const { return m_collection; }
    // "Inventory", or "Collection - " + the collection's name.
    QString entryText() const;

    // The columns that can be shown.
    const QList<SearchColumn>& columns() const { return m_columns; }
    // The columns a criterion can test: all but the long texts.
    QList<SearchColumn> criteriaColumns() const;
    // The column of that name (letter case aside), if this target offers it.
    std::optional<SearchColumn> column(const QString& columnName) const;
    std::optional<SearchColumn> columnByDisplayName(const QString& displayName) const;

private:
    SearchTarget() = default;

    QString m_collection;
    QList<SearchColumn> m_columns;
};
