#include "app/Clock.h"

#include <ctime>

namespace {

QDateTime& fixedNow() {
    static QDateTime fixed;
    return fixed;
}

} // namespace

namespace Clock {

QDateTime now() {
    const QDateTime& fixed = fixedNow();
    return fixed.isValid() ? fixed : QDateTime::currentDateTime();
}

QDate today() {
    return now().date();
}

void setNow(const QDateTime& fixed) {
    fixedNow() = fixed;
}

void readLocalZoneOnce() {
    if (qEnvironmentVariableIsSet("TZ"))
        return;
    // The C library's own name for "the zone this machine is set to"; Qt reads it as such too.
    qputenv("TZ", ":/etc/localtime");
    tzset();
}

} // namespace Clock
