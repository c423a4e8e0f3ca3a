#pragma once

#include "data/Recordset.h"
#include "data/RowCursor.h"
#include "records/ResultColumn.h"
#include "search/SearchCriteria.h"

class dvData;

// A search as the user asks for it: where, which columns, which criteria.
namespace SearchQuery {

// The columns to show, in the order the target lists them whatever the order they were chosen
// in, each under its display name; amounts as money text, rounded to whole units when
// roundPrices is 1. Each chosen column must be one the target offers: throws DbError otherwise.
QList<ResultColumn> resultColumns(const SearchTarget& target, const QStringList& chosenColumns,
                                  int roundPrices);

// Runs the search: ItemID, then the chosen columns, of the items that meet the criteria, in the
// order the items were added. The rows must pass SearchCriteria::ValidCriteria; throws DbError
// otherwise.
Recordset run(const dvData& data, const SearchTarget& target, const QStringList& chosenColumns,
              const QList<CriteriaRow>& rows, int roundPrices);
// The same rows read one at a time, as a grid takes them.
RowCursor cursor(const dvData& data, const SearchTarget& target, const QStringList& chosenColumns,
                 const QList<CriteriaRow>& rows, int roundPrices);

} // namespace SearchQuery
