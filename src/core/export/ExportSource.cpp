#include "export/ExportSource.h"

#include "app/General.h"
#include "data/SqlFragment.h"
#include "data/dvData.h"
#include "export/ExportError.h"

namespace {

const QString InventoryItems = QStringLiteral("Inventory Items");
const QString TypeList = QStringLiteral("Inventory Type List");
const QString LocationList = QStringLiteral("Inventory Location List");
const QString CollectionPrefix = QStringLiteral("Collection '");

} // namespace

QStringList ExportSource::entries(const dvData& data) {
    QStringList list = {InventoryItems, TypeList, LocationList};
    const Recordset collections = data.Collection().List();
    for (int row = 0; row < collections.rowCount(); ++row)
        list.append(CollectionPrefix +
                    General::ValueText(collections.value(row, QStringLiteral("CollectionNM"))) +
                    QLatin1Char('\''));
    return list;
}

std::optional<QString> ExportSource::collectionOf(const QString& entry) {
    if (!entry.startsWith(CollectionPrefix) || !entry.endsWith(QLatin1Char('\'')) ||
        entry.size() <= CollectionPrefix.size() + 1)
        return std::nullopt;
    return entry.mid(CollectionPrefix.size(), entry.size() - CollectionPrefix.size() - 1);
}

RowCursor ExportSource::open(const dvData& data, const QString& entry) {
    const invItem& items = data.Inventory().Item();
    if (entry == InventoryItems)
        return items.ListRows(QString(), QString(), QString());
    if (entry == TypeList)
        return items.ItemType().ListRows();
    if (entry == LocationList)
        return items.Location().ListRows();
    if (const auto collection = collectionOf(entry))
        return openCollection(data, *collection);
    throw ExportError(QStringLiteral("There is no table called \"%1\" to export.").arg(entry));
}

RowCursor ExportSource::openCollection(const dvData& data, const QString& collection) {
    const class Collection& collections = data.Collection();
    if (collections.Retrieve(collection).isEmpty())
        throw ExportError(QStringLiteral("There is no collection named '%1'.").arg(collection));
    // An item's comments are not part of the export.
    QList<ResultColumn> columns;
    for (const char* column : {"ItemNM", "CollectionNM", "PurchasePriceAM", "AppraisalPriceAM",
                               "ReplacePriceAM", "LastChangeDT"})
        columns.append({QLatin1String(column)});
    const Recordset fields = collections.Field().List(collection);
    for (int row = 0; row < fields.rowCount(); ++row)
        columns.append({QStringLiteral("Field%1").arg(
                            fields.value(row, QStringLiteral("FieldID")).toLongLong()),
                        fields.value(row, QStringLiteral("FieldNM")).toString()});
    return collections.Item().SearchRows(collection, columns, {}, QStringLiteral("ItemID"));
}
