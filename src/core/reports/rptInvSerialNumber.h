#pragma once

#include <QString>

class dvData;
class rptGeneral;

// "Inventory Serial Number List": the items that have a serial number, grouped by type or
// location.
namespace rptInvSerialNumber {

// Writes the page and returns its path.
QString Generate(rptGeneral& page, const dvData& data, const QString& type,
                 const QString& location);

} // namespace rptInvSerialNumber
