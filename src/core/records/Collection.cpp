#include "records/Collection.h"

Collection::Collection(const dvData& data)
    : RecordStore(data)
    , m_field(data) {}
