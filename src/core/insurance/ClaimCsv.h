#pragma once

#include <QString>
#include <QStringList>

class Claim;

// The claim's items as comma-separated values for an insurer's forms and spreadsheets: a line
// of column names, then one line per item, in UTF-8, lines ended by CR LF, a value holding a
// comma, a double quote or a line break between double quotes. Values are written to be read by
// programs whatever their locale: dates as YYYY-MM-DD, amounts as plain decimals with two
// places ("1234.50"), flags as Yes or No, the names of the files kept with an item joined by
// "; ".
class ClaimCsv {
public:
    static const QStringList& columnNames();
    static QByteArray text(const Claim& claim);
    // Writes the file beside its name under a temporary one and puts it in place when it is
    // complete, so that a failure leaves any earlier file as it was. Throws ExportError naming
    // the cause.
    static void write(const Claim& claim, const QString& fileName);
};
