// The search condition builder: criteria rows of any column name, operator, connector and value,
// for the inventory and for a collection with a field of every type. A row set is either
// refused with a message naming its row, or becomes a condition whose values are all bound and
// which the engine runs on a real database.

#include "FuzzSupport.h"

#include "data/DbError.h"
#include "data/dvData.h"
#include "records/Collection.h"
#include "search/SearchCriteria.h"
#include "search/SearchQuery.h"

#include <QDir>
#include <algorithm>
#include <fuzzer/FuzzedDataProvider.h>
#include <memory>

using FuzzSupport::require;

namespace {

std::unique_ptr<dvData> database;

// A collection with one field of each type, numbered with a gap as real collections may be,
// and items whose values include dates in both stored forms and numbers that are not.
void addCollection(const dvData& data) {
    QList<colField::Definition> fields;
    const QStringList names = {QStringLiteral("Text"),   QStringLiteral("Fixed"),
                               QStringLiteral("Memory"), QStringLiteral("Count"),
                               QStringLiteral("Weight"), QStringLiteral("Proof"),
                               QStringLiteral("Minted"), QStringLiteral("Value")};
    for (int type = 0; type < names.size(); ++type)
        fields.append(
            {type * 2, names[type], type, false, type == 1 ? QStringLiteral("A;B;C") : QString()});
    data.Collection().AddWithFields(QStringLiteral("Coins"), QString(), fields);
    const QStringList values[] = {
        {QStringLiteral("O'Neil"), QStringLiteral("A"), QStringLiteral("x"), QStringLiteral("3"),
         QStringLiteral("2.5"), QStringLiteral("1"), QStringLiteral("1909-05-01"),
         QStringLiteral("12.50")},
        {QStringLiteral("100%_"), QStringLiteral("B"), QString(), QStringLiteral("abc"), QString(),
         QStringLiteral("0"), QStringLiteral("3/4/1916"), QStringLiteral("$1,000")}};
    for (const QStringList& row : values) {
        colItem::Values byField;
        for (int type = 0; type < row.size(); ++type)
            byField.insert(type * 2, row[type]);
        data.Collection().Item().AddWithValues(QStringLiteral("Coins"), row[0], QStringLiteral("1"),
                                               QString(), QString(), QString(), byField);
    }
}

QString pick(FuzzedDataProvider& input, const QStringList& offered) {
    const auto index = input.ConsumeIntegralInRange<qsizetype>(0, offered.size() + 1);
    if (index < offered.size())
        return offered[index];
    return index == offered.size() ? QString()
                                   : FuzzSupport::text(input.ConsumeRandomLengthString(40));
}

int placeholders(const QString& text) {
    return int(text.count(QLatin1Char('?')));
}

void search(const SearchTarget& target, const QList<CriteriaRow>& rows) {
    const auto refused = SearchCriteria::ValidCriteria(target, rows);
    if (refused) {
        require(refused->row >= 0 && refused->row < SearchCriteria::RowCount &&
                    !refused->message.isEmpty(),
                "a refusal names its row", refused->message);
        return;
    }
    QStringList known;
    for (const SearchColumn& column : target.columns())
        known << column.column;
    const SqlFragment sql = SearchCriteria::condition(target, rows).toSql(known);
    require(placeholders(sql.text) == sql.params.size(), "every value is bound", sql.text);
    // The one literal of the program's own: the escape character of its Like patterns.
    const QString own = QString(sql.text).remove(QStringLiteral(" ESCAPE '\\'"));
    require(!own.contains(QLatin1Char('\'')) && !own.contains(QLatin1Char(';')),
            "no typed text is part of the statement", sql.text);
    try {
        SearchQuery::run(*database, target, {}, rows, 0);
    } catch (const DbError& error) {
        // The engine's interface ends a text at a NUL, so the statements refuse such text
        // rather than search for less than was typed.
        const bool nul = std::any_of(rows.begin(), rows.end(), [](const CriteriaRow& row) {
            return row.value.contains(QChar(0));
        });
        require(nul, "criteria that passed the checks run", error.message());
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    FuzzSupport::initialize(argc, argv);
    database = std::make_unique<dvData>();
    database->setPath(QDir(FuzzSupport::scratchFolder()).filePath(QStringLiteral("Domivo.mdb")));
    addCollection(*database);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    static const SearchTarget inventory = SearchTarget::inventory();
    static const SearchTarget coins = SearchTarget::collection(*database, QStringLiteral("Coins"));
    const SearchTarget& target = input.ConsumeBool() ? inventory : coins;
    QStringList columns;
    for (const SearchColumn& column : target.columns())
        columns << column.column;
    QList<CriteriaRow> rows;
    for (int row = 0; row < SearchCriteria::RowCount && input.remaining_bytes() > 0; ++row) {
        CriteriaRow criteria;
        criteria.column = pick(input, columns);
        criteria.op = pick(input, SearchCriteria::operators());
        criteria.join =
            input.ConsumeBool() ? SearchCondition::Join::Or : SearchCondition::Join::And;
        criteria.value = FuzzSupport::text(input.ConsumeRandomLengthString(200));
        rows.append(criteria);
    }
    search(target, rows);
    return 0;
}
