#pragma once

#include <QString>

class dvData;
class rptGeneral;

// "Inventory Cost Summary": the purchase, appraisal and replacement prices of the items,
// grouped by type or location, with group and grand totals.
namespace rptInvCostSummary {

// Writes the page and returns its path.
QString Generate(rptGeneral& page, const dvData& data, const QString& type,
                 const QString& location);

} // namespace rptInvCostSummary
