#include "records/Inventory.h"

Inventory::Inventory(const dvData& data)
    : RecordStore(data)
    , m_item(data) {}
