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

} // namespace Clock
