#pragma once

#include "records/SearchCondition.h"
#include "search/SearchTarget.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// One row of criteria as the user filled it in.
struct CriteriaRow {
    // The column chosen; "" when the row's field is not used.
    QString column = {};
    // The operator as offered ("=", ">", ">=", "<", "<=", "<>", "Like"); "" when none is chosen.
    QString op = {};
    QString value = {};
    // How the row joins the rows before it (the first used row's is not used).
    SearchCondition::Join join = SearchCondition::Join::And;

    bool isUsed() const { return !column.isEmpty(); }
};

// A refused row: which row (0 to 2), which of its controls is at fault, and the message.
struct CriteriaError {
    enum class Control { Field, Operator, Value };
    int row = 0;
    Control control = Control::Field;
    QString message = {};
};

// The checks made on the criteria before a search, and the condition they turn into.
namespace SearchCriteria {

inline constexpr int RowCount = 3;

// The operators in the order they are offered.
const QStringList& operators();

// Checks the rows in order, each row completely before the next, and stops at the first
// failure:
//   field used, no operator:      "Please select an operator for search criteria n"
//   operator without a field:     "Please select search field for search criteria n"
//   field used, value empty:      "Please select search value for search criteria n"
//   date column, not a date:      "The search value for criteria n must be a valid date."
//   number column, not a number:  "The search value for criteria n must be numeric."
//   Like on a column not text:    "You cannot use the 'Like' operator for search field n"
// n counts rows from 1. A column or operator the target does not offer is refused too.
// Returns nothing when the rows may be used.
std::optional<CriteriaError> ValidCriteria(const SearchTarget& target,
                                           const QList<CriteriaRow>& rows);

// The condition of rows that passed ValidCriteria: one term per used row, in order, the first
// used row without a connector. Values are read for their column: text as typed (Like finds it
// anywhere in the value, literally), numbers as numbers, amounts in their stored form, dates
// read as the short date or ISO form. Throws DbError for rows that do not pass.
SearchCondition condition(const SearchTarget& target, const QList<CriteriaRow>& rows);

} // namespace SearchCriteria
