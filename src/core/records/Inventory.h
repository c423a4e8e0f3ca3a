#pragma once

#include "records/RecordStore.h"
#include "records/ResultColumn.h"
#include "records/SearchCondition.h"
#include "records/invItem.h"

// The root of the inventory record classes.
class Inventory : public RecordStore {
public:
    explicit Inventory(const dvData& data);

    invItem& Item() { return m_item; }
    const invItem& Item() const { return m_item; }

    // The search over tblItem: ItemID, then the given columns of tblItem under their headings,
    // for the items that meet the condition (every item when it is empty), in the order they
    // were added. A column or condition naming anything but a column of tblItem throws DbError.
    Recordset Search(const QList<ResultColumn>& columns,
                     const SearchCondition& condition = {}) const;
    // The same rows read one at a time.
    RowCursor SearchRows(const QList<ResultColumn>& columns,
                         const SearchCondition& condition = {}) const;

private:
    static SqlFragment searchStatement(const QList<ResultColumn>& columns,
                                       const SearchCondition& condition);

    invItem m_item;
};
