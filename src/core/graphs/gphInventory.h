#pragma once

#include "graphs/gphGeneral.h"

class dvData;

// The inventory graphs: item counts and price sums, one bar per item type or per location. The
// bars are the types or locations that items are filed under, in alphabetical order; an item
// filed under none is no bar.
namespace gphInventory {

Graph CountByType(const dvData& data);
Graph CountByLocation(const dvData& data);
// priceColumn: PurchasePriceAM, AppraisalPriceAM or ReplacePriceAM.
Graph PriceByType(const dvData& data, const QString& priceColumn);
Graph PriceByLocation(const dvData& data, const QString& priceColumn);

// The name a price column goes by in captions: "PurchasePriceAM" gives "Purchase Price",
// "ReplacePriceAM" "Replace Price".
QString PriceName(const QString& priceColumn);

} // namespace gphInventory
