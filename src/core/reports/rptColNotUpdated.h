#pragma once

#include <QDate>
#include <QString>

class dvData;
class rptGeneral;

// "Un-updated Collection Item Listing for ...": the items of a collection last changed on or
// before a date (at its midnight), one column per field, and how many they are.
namespace rptColNotUpdated {

// Writes the page and returns its path.
QString Generate(rptGeneral& page, const dvData& data, const QString& collection,
                 const QDate& since);

} // namespace rptColNotUpdated
