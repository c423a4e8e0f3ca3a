#pragma once

#include <QDate>
#include <QString>

class dvData;
class rptGeneral;

// "Un-updated Inventory Item Listing": the items last changed on or before a date (at its
// midnight), most recently changed first, and how many they are.
namespace rptInvNotUpdated {

// Writes the page and returns its path.
QString Generate(rptGeneral& page, const dvData& data, const QDate& since);

} // namespace rptInvNotUpdated
