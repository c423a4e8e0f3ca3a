#pragma once

#include "data/RowCursor.h"

#include <QString>
#include <QStringList>
#include <optional>

class dvData;

// What can be exported, named as the export window lists it: "Inventory Items", "Inventory
// Type List", "Inventory Location List", then "Collection '<name>'" for each collection.
class ExportSource {
public:
    // Every entry, the three inventory tables first, then the collections by name.
    static QStringList entries(const dvData& data);
    // The collection an entry names ("Collection 'Coins'" gives Coins); nullopt for any other
    // entry.
    static std::optional<QString> collectionOf(const QString& entry);

    // The rows an entry stands for, in the order they are written:
    //   the inventory items: every column of tblItem, by manufacturer, item name and model;
    //   the type and location lists: their one column, alphabetical;
    //   a collection: ItemID, ItemNM, CollectionNM, the three prices, LastChangeDT, then one
    //     column per field named after it (in FieldID order, values as stored), by ItemID.
    // Throws ExportError for an entry that names nothing, or a collection that does not exist.
    static RowCursor open(const dvData& data, const QString& entry);

private:
    static RowCursor openCollection(const dvData& data, const QString& collection);
};
