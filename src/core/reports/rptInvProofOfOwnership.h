#pragma once

#include <QString>

class dvData;
class rptGeneral;

// "Proof of Ownership": what an insurer asks for after a loss. Each item with its prices, where
// and when it was bought and its serial number, then the files kept with it: pictures shown by
// their thumbnails, inside the page itself so that it can be sent as one file, other files by
// name. The items are chosen as the detailed listing chooses them.
namespace rptInvProofOfOwnership {

// Writes the page and returns its path.
QString Generate(rptGeneral& page, const dvData& data, const QString& type,
                 const QString& location);

} // namespace rptInvProofOfOwnership
