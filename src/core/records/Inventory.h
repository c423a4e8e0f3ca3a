#pragma once

#include "data/SqlFragment.h"
#include "records/RecordStore.h"
#include "records/invItem.h"

// The root of the inventory record classes.
class Inventory : public RecordStore {
public:
    explicit Inventory(const dvData& data);

    invItem& Item() { return m_item; }
    const invItem& Item() const { return m_item; }

    // The search window's query over tblItem: ItemID, then the select list, for the items that
    // meet the condition (every item when it is empty), in the engine's order. The select list
    // is built by the caller from the columns of tblItem (with aliases made by
    // SqlFragment::quoteIdentifier, amounts perhaps through FormatMoney); the condition names
    // those columns and carries its values as parameters.
    Recordset Search(const QString& fieldList, const SqlFragment& condition = {}) const;

private:
    invItem m_item;
};
