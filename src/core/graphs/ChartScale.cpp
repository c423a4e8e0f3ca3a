#include "graphs/ChartScale.h"

#include <cmath>

namespace {

// Ten-thousandths rounded to a whole number, halves to the even neighbour.
qint64 roundHalfEven(qint64 units) {
    const qint64 whole = units / Currency::Scale;
    const qint64 rest = units % Currency::Scale;
    const qint64 half = Currency::Scale / 2;
    if (rest > half || (rest == half && whole % 2 != 0))
        return whole + 1;
    if (rest < -half || (rest == -half && whole % 2 != 0))
        return whole - 1;
    return whole;
}

} // namespace

ChartScale::ChartScale(double top)
    : m_top(top)
    , m_roundedTop(std::nearbyint(top)) {}

ChartScale ChartScale::fromLargest(const ChartNumber& largest) {
    return largest.isExact() ? fromExact(largest.units())
                             : fromReal(double(largest.toLongDouble()));
}

// The step p is 10 to the power of the rounded value's number of characters less one; the top
// is the value plus p less the rounded value modulo p (the remainder keeps the dividend's sign,
// so the -1 of "no values at all" gives a top of 10).
ChartScale ChartScale::fromExact(qint64 units) {
    const qint64 rounded = roundHalfEven(units);
    qint64 step = 1;
    for (qsizetype digits = QString::number(rounded).size(); digits > 1; --digits)
        step *= 10;
    const qint64 raise = step - rounded % step;
    qint64 raiseUnits = 0;
    qint64 topUnits = 0;
    if (__builtin_mul_overflow(raise, Currency::Scale, &raiseUnits) ||
        __builtin_add_overflow(units, raiseUnits, &topUnits)) {
        // Only amounts near the end of the Currency range get here.
        const double top = double(units) / Currency::Scale + double(raise);
        return ChartScale(top);
    }
    return ChartScale(double(topUnits) / Currency::Scale, double(roundHalfEven(topUnits)));
}

ChartScale ChartScale::fromReal(double largest) {
    const double rounded = std::nearbyint(largest);
    const double step = std::pow(10.0, double(QString::number(rounded, 'f', 0).size() - 1));
    return ChartScale(largest + step - std::fmod(rounded, step));
}

double ChartScale::percentOf(const ChartNumber& value) const {
    // A top of 0 (a MaxScale of 0 over values of 0) leaves every bar empty instead of dividing
    // zero by zero.
    if (m_top == 0)
        return 0;
    return value.hundredfold() / m_top;
}

double ChartScale::gridValue(int index) const {
    return (index + 1) * m_roundedTop / 10;
}
