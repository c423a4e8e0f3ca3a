#include "CliCommand.h"

#include "app/Settings.h"
#include "data/dvData.h"
#include "search/SearchQuery.h"

namespace {

// The column a display name given on the command line stands for; `forCriterion` admits only
// the columns a criterion can test.
QString columnNamed(const SearchTarget& target, const QString& displayName, bool forCriterion) {
    const auto column = target.columnByDisplayName(displayName.trimmed());
    if (!column)
        throw UsageError{
            QStringLiteral("%1 has no field '%2'").arg(target.entryText(), displayName.trimmed())};
    if (forCriterion && !column->criterion)
        throw UsageError{QStringLiteral("'%1' cannot be searched").arg(column->displayName)};
    return column->column;
}

QStringList chosenColumns(const CliContext& context, const SearchTarget& target) {
    QStringList columns;
    if (!context.isSet(QStringLiteral("fields"))) {
        for (const SearchColumn& column : target.columns())
            columns.append(column.column);
        return columns;
    }
    const QStringList names = context.value(QStringLiteral("fields")).split(QLatin1Char(','));
    for (const QString& name : names)
        columns.append(columnNamed(target, name, false));
    return columns;
}

// One --criterion: "" for an unused row, else FIELD|OP|VALUE, from the second on optionally
// led by and| or or|. The value is everything after the second bar, bars included.
CriteriaRow criteriaRow(const SearchTarget& target, const QString& text, int index) {
    CriteriaRow row;
    if (text.isEmpty())
        return row;
    QString rest = text;
    for (const auto& [word, join] : {std::pair{QLatin1String("and|"), SearchCondition::Join::And},
                                     std::pair{QLatin1String("or|"), SearchCondition::Join::Or}}) {
        if (!rest.startsWith(word, Qt::CaseInsensitive))
            continue;
        if (index == 0)
            throw UsageError{QStringLiteral("the first criterion joins nothing: '%1'").arg(text)};
        row.join = join;
        rest = rest.mid(word.size());
        break;
    }
    const QStringList parts = rest.split(QLatin1Char('|'));
    if (parts.size() < 3)
        throw UsageError{QStringLiteral("a criterion is FIELD|OP|VALUE: '%1'").arg(text)};
    if (!parts.at(0).trimmed().isEmpty())
        row.column = columnNamed(target, parts.at(0), true);
    row.op = parts.at(1).trimmed();
    if (!row.op.isEmpty() && !SearchCriteria::operators().contains(row.op, Qt::CaseInsensitive))
        throw UsageError{QStringLiteral("unknown operator '%1' (one of %2)")
                             .arg(row.op, SearchCriteria::operators().join(QStringLiteral(" ")))};
    row.value = parts.mid(2).join(QLatin1Char('|'));
    return row;
}

} // namespace

int runSearch(CliContext& context) {
    dvData data;
    context.openDatabase(data);
    const SearchTarget target =
        context.isSet(QStringLiteral("collection"))
            ? SearchTarget::collection(data, context.value(QStringLiteral("collection")))
            : SearchTarget::inventory();
    const QStringList columns = chosenColumns(context, target);
    QList<CriteriaRow> rows;
    const QStringList criteria = context.values(QStringLiteral("criterion"));
    for (int index = 0; index < criteria.size(); ++index)
        rows.append(criteriaRow(target, criteria.at(index), index));

    if (const auto refused = SearchCriteria::ValidCriteria(target, rows)) {
        context.err << "domivo-cli: " << refused->message << Qt::endl;
        return ExitCode::Failed;
    }
    const int roundPrices = Settings::integer(SettingKeys::RoundPrices, 0);
    printTable(context.out, SearchQuery::run(data, target, columns, rows, roundPrices));
    return ExitCode::Ok;
}
