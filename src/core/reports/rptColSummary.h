#pragma once

#include <QString>

class dvData;
class rptGeneral;

// "Summary Listing for ...": a collection's items with one column per field and the
// purchase price, and the total of the prices.
namespace rptColSummary {

// Writes the page and returns its path.
QString Generate(rptGeneral& page, const dvData& data, const QString& collection);

} // namespace rptColSummary
