#pragma once

#include "records/SearchCondition.h"

#include <QString>

// A column the search offers: the name the user sees, the column it stands for, what a value
// typed for it must be, and whether it can be tested by a criterion as well as shown.
struct SearchColumn {
    enum class Kind { Text, Number, Date };

    QString displayName{};
    QString column{};
    Kind kind = Kind::Text;
    SearchCondition::Reading reading = SearchCondition::Reading::AsStored;
    bool criterion = true;

    // Amounts are shown as money text.
    bool isAmount() const { return column.endsWith(QLatin1String("AM"), Qt::CaseInsensitive); }

    // What the column's name says of its values: "#" for a date (a name ending in DT), "'" for
    // text (a "Field" column, or a name ending in NM, TX or ID), "" for a number (amounts AM,
    // flags CD and anything else).
    static QString ValueDelimiter(const QString& column);
    static Kind kindOf(const QString& column);
};
