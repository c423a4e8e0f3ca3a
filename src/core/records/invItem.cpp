#include "records/invItem.h"

invItem::invItem(const dvData& data)
    : RecordStore(data)
    , m_type(data)
    , m_location(data) {}
