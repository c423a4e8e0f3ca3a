#pragma once

#include "records/LookupList.h"
#include "records/RecordStore.h"

// The inventory items (tblItem), with the two lists an item is filed under.
class invItem : public RecordStore {
public:
    explicit invItem(const dvData& data);

    invType& ItemType() { return m_type; }
    const invType& ItemType() const { return m_type; }
    invLocation& Location() { return m_location; }
    const invLocation& Location() const { return m_location; }

private:
    invType m_type;
    invLocation m_location;
};
