#include "search/SearchQuery.h"

#include "data/DbError.h"
#include "data/dvData.h"

namespace SearchQuery {

QList<ResultColumn> resultColumns(const SearchTarget& target, const QStringList& chosenColumns,
                                  int roundPrices) {
    for (const QString& chosen : chosenColumns) {
        if (!target.column(chosen))
            throw DbError(
                QStringLiteral("'%1' is not a column of %2.").arg(chosen, target.entryText()));
    }
    const ResultColumn::Amount money =
        roundPrices == 1 ? ResultColumn::Amount::RoundedMoney : ResultColumn::Amount::Money;
    QList<ResultColumn> result;
    for (const SearchColumn& column : target.columns()) {
        if (!chosenColumns.contains(column.column, Qt::CaseInsensitive))
            continue;
        result.append({.column = column.column,
                       .heading = column.displayName,
                       .amount = column.isAmount() ? money : ResultColumn::Amount::AsStored});
    }
    return result;
}

Recordset run(const dvData& data, const SearchTarget& target, const QStringList& chosenColumns,
              const QList<CriteriaRow>& rows, int roundPrices) {
    const QList<ResultColumn> columns = resultColumns(target, chosenColumns, roundPrices);
    const SearchCondition condition = SearchCriteria::condition(target, rows);
    if (target.isInventory())
        return data.Inventory().Search(columns, condition);
    return data.Collection().Item().Search(target.collectionName(), columns, condition,
                                           QStringLiteral("ItemID"));
}

RowCursor cursor(const dvData& data, const SearchTarget& target, const QStringList& chosenColumns,
                 const QList<CriteriaRow>& rows, int roundPrices) {
    const QList<ResultColumn> columns = resultColumns(target, chosenColumns, roundPrices);
    const SearchCondition condition = SearchCriteria::condition(target, rows);
    if (target.isInventory())
        return data.Inventory().SearchRows(columns, condition);
    return data.Collection().Item().SearchRows(target.collectionName(), columns, condition,
                                               QStringLiteral("ItemID"));
}

} // namespace SearchQuery
