#pragma once

#include <QtGlobal>

// The item a file is kept with: an inventory item (tblItem) or a collection item
// (tblCollectionItem), by its identifier.
struct AttachmentOwner {
    enum class Kind { InventoryItem, CollectionItem };

    Kind kind = Kind::InventoryItem;
    qint64 itemID = 0;

    static AttachmentOwner inventoryItem(qint64 itemID) { return {Kind::InventoryItem, itemID}; }
    static AttachmentOwner collectionItem(qint64 itemID) { return {Kind::CollectionItem, itemID}; }

    // The column of tblAttachment that names the owner: ItemID or CollectionItemID.
    const char* column() const {
        return kind == Kind::InventoryItem ? "ItemID" : "CollectionItemID";
    }
};
