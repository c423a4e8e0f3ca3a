#include "graphs/GraphEntry.h"

#include "app/Settings.h"
#include "graphs/gphCollection.h"
#include "graphs/gphInventory.h"

Graph GraphEntry::draw(const dvData& data) const {
    // The sums are formatted as amounts, each after the rounding setting.
    const Settings::Held settings;
    switch (routine) {
    case Routine::CountByType:
        return gphInventory::CountByType(data);
    case Routine::CountByLocation:
        return gphInventory::CountByLocation(data);
    case Routine::PriceByType:
        return gphInventory::PriceByType(data, priceColumn);
    case Routine::PriceByLocation:
        return gphInventory::PriceByLocation(data, priceColumn);
    case Routine::CountSummary:
        return gphCollection::CountSummary(data);
    case Routine::PriceSummary:
        return gphCollection::PriceSummary(data, priceColumn);
    case Routine::FieldGraph:
        return gphCollection::FieldGraph(data, collection, fieldID, fieldName, fieldKind);
    }
    return {};
}
