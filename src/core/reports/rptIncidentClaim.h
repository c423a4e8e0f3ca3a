#pragma once

#include <QString>

class Claim;
class rptGeneral;

// The claim list of one incident: the incident (name, date, kind, notes), then every item
// marked as lost or damaged in it with manufacturer, item, model, serial number, the date and
// place of purchase, the purchase, replacement and appraisal prices and whether the receipt and
// manuals are kept, the files kept with it under it (pictures shown inline), and the totals of
// the three prices.
namespace rptIncidentClaim {

// The page's title for an incident.
QString title(const QString& incidentName);
// Writes the page and returns its path.
QString Generate(rptGeneral& page, const Claim& claim);

} // namespace rptIncidentClaim
