#pragma once

#include "records/RecordStore.h"
#include "records/colField.h"

// The root of the collection record classes: the collections themselves (tblCollection).
class Collection : public RecordStore {
public:
    explicit Collection(const dvData& data);

    colField& Field() { return m_field; }
    const colField& Field() const { return m_field; }

private:
    colField m_field;
};
