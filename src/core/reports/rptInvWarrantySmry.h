#pragma once

#include <QString>

class dvData;
class rptGeneral;

// "Inventory Warranty Summary Report": the items under warranty, with the expiry date; those
// whose warranty has run out only when includeExpired.
namespace rptInvWarrantySmry {

// Writes the page and returns its path.
QString Generate(rptGeneral& page, const dvData& data, bool includeExpired);

} // namespace rptInvWarrantySmry
