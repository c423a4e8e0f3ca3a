#pragma once

#include <QString>

class dvData;
class rptGeneral;

// "Inventory Summary Listing": the items grouped by type or location, with the purchase
// price of each group and of all of them.
namespace rptInvSummaryList {

// Writes the page and returns its path.
QString Generate(rptGeneral& page, const dvData& data, const QString& type,
                 const QString& location);

} // namespace rptInvSummaryList
