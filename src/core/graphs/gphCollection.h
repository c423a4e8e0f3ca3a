#pragma once

#include "graphs/gphGeneral.h"

class dvData;

// The collection graphs: one bar per collection (item counts, price sums), or one bar per value
// of a collection's field.
namespace gphCollection {

Graph CountSummary(const dvData& data);
// priceColumn: PurchasePriceAM, AppraisalPriceAM or ReplacePriceAM.
Graph PriceSummary(const dvData& data, const QString& priceColumn);
// One bar per value of the field (in ascending order, letter case aside): the number of items
// holding it, or, when kind starts with "P" (any case), the sum of their purchase prices. The
// field is found by its FieldID; its name only goes into the caption.
Graph FieldGraph(const dvData& data, const QString& collection, qint64 fieldID,
                 const QString& fieldName, const QString& kind);

} // namespace gphCollection
