#include "graphs/GraphList.h"

#include "data/dvData.h"
#include "records/colFieldType.h"

namespace GraphList {

namespace {

using Routine = GraphEntry::Routine;

struct PriceGraph {
    const char* name;
    const char* column;
};

// The prices in list order, with the column each one sums.
const PriceGraph PriceGraphs[] = {
    {"Purchase Price", "PurchasePriceAM"},
    {"Appraisal Price", "AppraisalPriceAM"},
    {"Replacement Price", "ReplacePriceAM"},
};

QList<GraphEntry> inventoryGraphs() {
    QList<GraphEntry> entries = {{QStringLiteral("Count by Type"), Routine::CountByType},
                                 {QStringLiteral("Count by Location"), Routine::CountByLocation}};
    for (const PriceGraph& price : PriceGraphs) {
        const QString name = QLatin1String(price.name);
        const QString column = QLatin1String(price.column);
        entries.append({name + QStringLiteral(" by Type"), Routine::PriceByType, column});
        entries.append({name + QStringLiteral(" by Location"), Routine::PriceByLocation, column});
    }
    return entries;
}

void appendFieldGraphs(const dvData& data, const QString& collection, QList<GraphEntry>& entries) {
    const Recordset fields = data.Collection().Field().List(collection);
    for (int row = 0; row < fields.rowCount(); ++row) {
        const qint64 type = fields.value(row, QStringLiteral("FieldTypeCD")).toLongLong();
        if (type != colFieldType::FixedList && type != colFieldType::MemoryList)
            continue;
        const qint64 fieldID = fields.value(row, QStringLiteral("FieldID")).toLongLong();
        const QString name = fields.value(row, QStringLiteral("FieldNM")).toString();
        for (const QString& kind : {QStringLiteral("Count"), QStringLiteral("Price")})
            entries.append(
                {collection + QStringLiteral(" - ") + kind + QStringLiteral(" by ") + name,
                 Routine::FieldGraph, QString(), collection, fieldID, name, kind});
    }
}

QList<GraphEntry> collectionGraphs(const dvData& data) {
    QList<GraphEntry> entries = {{QStringLiteral("Count Summary"), Routine::CountSummary}};
    for (const PriceGraph& price : PriceGraphs)
        entries.append({QLatin1String(price.name) + QStringLiteral(" Summary"),
                        Routine::PriceSummary, QLatin1String(price.column)});
    const Recordset collections = data.Collection().List();
    for (const QVariant& name : collections.columnValues(QStringLiteral("CollectionNM")))
        appendFieldGraphs(data, name.toString(), entries);
    return entries;
}

} // namespace

Kind KindOf(const QString& text) {
    return text.startsWith(QLatin1Char('I')) ? Kind::Inventory : Kind::Collections;
}

Kind KindOf(const GraphEntry& entry) {
    switch (entry.routine) {
    case Routine::CountByType:
    case Routine::CountByLocation:
    case Routine::PriceByType:
    case Routine::PriceByLocation:
        return Kind::Inventory;
    case Routine::CountSummary:
    case Routine::PriceSummary:
    case Routine::FieldGraph:
        break;
    }
    return Kind::Collections;
}

QString CannotGraphMessage(const dvData& data, Kind kind) {
    if (kind == Kind::Inventory)
        return data.Inventory().Item().Count(QString(), QString()) == 0
                   ? QStringLiteral("Cannot graph -- there are no inventory items on-file.")
                   : QString();
    return data.Collection().Count() == 0
               ? QStringLiteral("Cannot graph -- there are no collections on-file.")
               : QString();
}

QList<GraphEntry> LoadGraphList(const dvData& data, Kind kind) {
    return kind == Kind::Inventory ? inventoryGraphs() : collectionGraphs(data);
}

std::optional<GraphEntry> Find(const dvData& data, const QString& text) {
    for (const Kind kind : {Kind::Inventory, Kind::Collections})
        for (const GraphEntry& entry : LoadGraphList(data, kind))
            if (entry.text.compare(text, Qt::CaseInsensitive) == 0)
                return entry;
    return std::nullopt;
}

} // namespace GraphList
