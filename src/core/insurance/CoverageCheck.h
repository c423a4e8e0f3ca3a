#pragma once

#include "types/Currency.h"

#include <QList>
#include <QString>
#include <optional>

class dvData;

// What the home holds against what the policy covers: per item type the number of items and
// their value, against the type's sub-limit, and in all against the contents limit. An item is
// valued at its replacement price, or at its purchase price when no replacement price is
// recorded (an empty price is kept as 0).
class CoverageCheck {
public:
    struct Line {
        // The type as the list spells it; "" for the items filed under no type.
        QString type;
        qint64 items = 0;
        Currency value;
        std::optional<Currency> limit;

        bool isOver() const { return limit && value > *limit; }
        // How far the value goes beyond the limit; 0 when it does not.
        Currency over() const { return isOver() ? value - *limit : Currency(); }
    };

    // With everyType, a line for every type of the list (the coverage window, where any type
    // may be given a limit); without, only for the types that have items or a sub-limit (the
    // report). The items under no type come last, when there are any.
    static CoverageCheck compute(const dvData& data, bool everyType = false);

    const QList<Line>& lines() const { return m_lines; }
    // Every item, against the contents limit.
    const Line& total() const { return m_total; }

private:
    QList<Line> m_lines;
    Line m_total;
};
