#pragma once

#include "records/RecordStore.h"

#include <QStringList>

// The fixed list of collection field types (tblCollectionFieldType_LKP). A type's code is its
// position in the list.
class colFieldType : public RecordStore {
public:
    enum Code {
        String = 0,
        FixedList = 1,
        MemoryList = 2,
        Integer = 3,
        Float = 4,
        YesNo = 5,
        Date = 6,
        Money = 7
    };

    explicit colFieldType(const dvData& data);

    // The type names in code order.
    static const QStringList& names();

    // Replaces the table's rows with the eight types. Deleting a type would cascade into the
    // field definitions that use it, so this is only run on a database without collections.
    void Initialize() const;
    // The eight type rows, by code.
    Recordset List() const;
};
