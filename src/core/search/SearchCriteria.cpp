#include "search/SearchCriteria.h"

#include "app/General.h"
#include "data/DbError.h"
#include "types/Currency.h"
#include "types/DateText.h"

#include <cmath>

namespace SearchCriteria {

namespace {

using Operator = SearchCondition::Operator;

// The offered operator a text names (Like in any letter case), if any.
std::optional<Operator> operatorOf(const QString& text) {
    static const Operator order[] = {
        Operator::Equal, Operator::Greater,     Operator::GreaterOrEqual,
        Operator::Less,  Operator::LessOrEqual, Operator::NotEqual,
        Operator::Like};
    const qsizetype index = operators().indexOf(text.trimmed(), 0);
    if (index >= 0)
        return order[index];
    if (text.trimmed().compare(QLatin1String("Like"), Qt::CaseInsensitive) == 0)
        return Operator::Like;
    return std::nullopt;
}

std::optional<CriteriaError> checkRow(const SearchTarget& target, const CriteriaRow& row,
                                      int index) {
    const QString n = QString::number(index + 1);
    const auto refuse = [index](CriteriaError::Control control, const QString& message) {
        return CriteriaError{index, control, message};
    };
    const bool hasOperator = !row.op.trimmed().isEmpty();
    if (!row.isUsed()) {
        if (hasOperator)
            return refuse(CriteriaError::Control::Field,
                          QStringLiteral("Please select search field for search criteria ") + n);
        return std::nullopt;
    }
    const std::optional<SearchColumn> column = target.column(row.column);
    if (!column || !column->criterion)
        return refuse(
            CriteriaError::Control::Field,
            QStringLiteral("'%1' cannot be searched in %2.").arg(row.column, target.entryText()));
    const std::optional<Operator> op = operatorOf(row.op);
    if (!op)
        return refuse(CriteriaError::Control::Operator,
                      QStringLiteral("Please select an operator for search criteria ") + n);
    if (row.value.isEmpty())
        return refuse(CriteriaError::Control::Value,
                      QStringLiteral("Please select search value for search criteria ") + n);
    if (column->kind == SearchColumn::Kind::Date && !DateText::parseDate(row.value).isValid())
        return refuse(
            CriteriaError::Control::Value,
            QStringLiteral("The search value for criteria %1 must be a valid date.").arg(n));
    if (column->kind == SearchColumn::Kind::Number && !General::IsNumeric(row.value))
        return refuse(CriteriaError::Control::Value,
                      QStringLiteral("The search value for criteria %1 must be numeric.").arg(n));
    if (*op == Operator::Like && column->kind != SearchColumn::Kind::Text)
        return refuse(CriteriaError::Control::Operator,
                      QStringLiteral("You cannot use the 'Like' operator for search field ") + n);
    return std::nullopt;
}

// A typed number as the column stores it: amounts of the item tables in ten-thousandths (exact
// when the amount has at most four decimals), anything else as the number itself.
QVariant numberValue(const SearchColumn& column, const QString& text) {
    const double number = General::ParseNumber(text).value_or(0.0);
    if (column.reading == SearchCondition::Reading::AsStored && column.isAmount()) {
        if (const auto amount = Currency::parse(text))
            return QVariant(qlonglong(amount->units()));
        return QVariant(number * double(Currency::Scale));
    }
    if (number == std::trunc(number) && std::abs(number) < 9.0e15)
        return QVariant(qlonglong(number));
    return QVariant(number);
}

QVariant boundValue(const SearchColumn& column, Operator op, const QString& text) {
    if (op == Operator::Like)
        return SearchCondition::likePattern(text);
    switch (column.kind) {
    case SearchColumn::Kind::Date:
        return DateText::storageText(DateText::parseDate(text));
    case SearchColumn::Kind::Number:
        return numberValue(column, text);
    case SearchColumn::Kind::Text:
        break;
    }
    return text;
}

} // namespace

const QStringList& operators() {
    static const QStringList list = {
        QStringLiteral("="),  QStringLiteral(">"),  QStringLiteral(">="),  QStringLiteral("<"),
        QStringLiteral("<="), QStringLiteral("<>"), QStringLiteral("Like")};
    return list;
}

std::optional<CriteriaError> ValidCriteria(const SearchTarget& target,
                                           const QList<CriteriaRow>& rows) {
    for (int index = 0; index < rows.size(); ++index) {
        if (auto error = checkRow(target, rows.at(index), index))
            return error;
    }
    return std::nullopt;
}

SearchCondition condition(const SearchTarget& target, const QList<CriteriaRow>& rows) {
    if (const auto error = ValidCriteria(target, rows))
        throw DbError(error->message);
    SearchCondition result;
    for (const CriteriaRow& row : rows) {
        if (!row.isUsed())
            continue;
        const SearchColumn column = *target.column(row.column);
        const Operator op = *operatorOf(row.op);
        result.add({.join = row.join,
                    .column = column.column,
                    .op = op,
                    .value = boundValue(column, op, row.value),
                    .reading = column.reading});
    }
    return result;
}

} // namespace SearchCriteria
