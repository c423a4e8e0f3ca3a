#pragma once

#include <QString>

class dvData;
class rptGeneral;

// "Detailed Inventory Listing": every field of each item of the chosen type or location (or of
// every item), one block per item.
namespace rptInvDetailedList {

// Writes the page and returns its path.
QString Generate(rptGeneral& page, const dvData& data, const QString& type,
                 const QString& location);

} // namespace rptInvDetailedList
