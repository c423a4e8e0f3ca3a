#pragma once

#include "graphs/ChartNumber.h"

// The scale under a bar chart: its top, which a full-width bar reaches, and the ten grid values
// that stand at the right edge of each tenth of the bar track.
class ChartScale {
public:
    // The scale that fits the data: the largest value raised to the next step of its leading
    // digit (37 gives 40, 40 gives 50, 0 gives 1), keeping any fraction (1234.56 gives 1999.56).
    static ChartScale fromLargest(const ChartNumber& largest);
    // A top the caller chose.
    static ChartScale fromTop(double top) { return ChartScale(top); }

    double top() const { return m_top; }
    // The width of a value's bar in percent of the track.
    double percentOf(const ChartNumber& value) const;
    // Grid value 0 to 9: index + 1 tenths of the top rounded to a whole number (half to even).
    double gridValue(int index) const;

private:
    explicit ChartScale(double top);
    ChartScale(double top, double roundedTop)
        : m_top(top)
        , m_roundedTop(roundedTop) {}

    static ChartScale fromExact(qint64 units);
    static ChartScale fromReal(double largest);

    double m_top = 0;
    double m_roundedTop = 0;
};
