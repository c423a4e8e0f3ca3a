#pragma once

#include "records/RecordStore.h"
#include "records/colFieldType.h"

// The field definitions of the collections (tblCollectionField).
class colField : public RecordStore {
public:
    explicit colField(const dvData& data);

    colFieldType& fieldType() { return m_fieldType; }
    const colFieldType& fieldType() const { return m_fieldType; }

private:
    colFieldType m_fieldType;
};
