#pragma once

#include <QString>

class dvData;
class rptGeneral;

// "Collection Value Summary for ...": the purchase, appraisal and replacement prices of a
// collection's items, with their totals.
namespace rptColValueSummary {

// Writes the page and returns its path.
QString Generate(rptGeneral& page, const dvData& data, const QString& collection);

} // namespace rptColValueSummary
