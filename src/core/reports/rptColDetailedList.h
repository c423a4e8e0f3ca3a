#pragma once

#include <QString>

class dvData;
class rptGeneral;

// "Detailed Collection Listing for ...": one block per item of a collection, with its field
// values, prices and comments.
namespace rptColDetailedList {

// Writes the page and returns its path.
QString Generate(rptGeneral& page, const dvData& data, const QString& collection);

} // namespace rptColDetailedList
