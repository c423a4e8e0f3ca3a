#include "records/colField.h"

colField::colField(const dvData& data)
    : RecordStore(data)
    , m_fieldType(data) {}
