#pragma once

#include <QDate>
#include <QDateTime>

// The one clock the program reads for "now" and "today": the status line's timer, the
// start-up reminders, the default dates of the editors and the stamps written into files.
// Tests set it to a fixed moment instead of waiting for real time to pass.
namespace Clock {

QDateTime now();
QDate today();

// Fixes the time the program sees; an invalid date-time gives the system clock back.
void setNow(const QDateTime& fixed);

// Called first thing in main: has the C library read the local time zone once for the whole
// run. Without TZ set, it checks the zone file again for every local date-time made (a listing
// of 100,000 items made 200,000 such checks, half its time). A TZ the user has set is kept.
// A change of the machine's zone while the program runs is then seen at its next start.
void readLocalZoneOnce();

} // namespace Clock
