#include "app/Clock.h"

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

} // namespace Clock
