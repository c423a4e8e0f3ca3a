#pragma once

#include "records/RecordStore.h"
#include "records/invItem.h"

// The root of the inventory record classes.
class Inventory : public RecordStore {
public:
    explicit Inventory(const dvData& data);

    invItem& Item() { return m_item; }
    const invItem& Item() const { return m_item; }

private:
    invItem m_item;
};
