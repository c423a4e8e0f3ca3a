#pragma once

#include <QString>

class dvData;
class rptGeneral;

// "Inventory by Purchase Location": the items of the chosen type or location grouped by
// where they were bought; those bought at no recorded place come first, under "** Unknown **".
namespace rptInvPurchaseLocation {

// Writes the page and returns its path.
QString Generate(rptGeneral& page, const dvData& data, const QString& type,
                 const QString& location);

} // namespace rptInvPurchaseLocation
