#include "graphs/gphCollection.h"

#include "data/dvData.h"
#include "graphs/ChartNumber.h"
#include "graphs/gphInventory.h"

namespace gphCollection {

namespace {

QStringList collectionNames(const dvData& data) {
    QStringList names;
    for (const QVariant& name :
         data.Collection().List().columnValues(QStringLiteral("CollectionNM")))
        names.append(name.toString());
    return names;
}

} // namespace

Graph CountSummary(const dvData& data) {
    const QStringList labels = collectionNames(data);
    QVariantList values;
    for (const QString& collection : labels)
        values.append(data.Collection().Item().Count(collection));
    return gphGeneral::CaptionedChart(values, labels, QStringLiteral("Collection Count Summary"));
}

Graph PriceSummary(const dvData& data, const QString& priceColumn) {
    const QStringList labels = collectionNames(data);
    QVariantList values;
    for (const QString& collection : labels) {
        values.append(ChartNumber::sumOfAmounts(
            data.Collection().Item().ListColumn(collection, priceColumn)));
    }
    return gphGeneral::CaptionedChart(values, labels,
                                      QStringLiteral("Collection ") +
                                          gphInventory::PriceName(priceColumn) +
                                          QStringLiteral(" Summary"));
}

Graph FieldGraph(const dvData& data, const QString& collection, qint64 fieldID,
                 const QString& fieldName, const QString& kind) {
    const colItem& items = data.Collection().Item();
    const bool price = kind.left(1).toUpper() == QLatin1String("P");
    QStringList labels;
    QVariantList values;
    const Recordset distinct = items.Field().DistinctValueOfField(collection, fieldID);
    for (const QVariant& value : distinct.columnValues(QStringLiteral("FieldValueTX"))) {
        labels.append(value.toString());
        const Recordset holders = items.ListByFieldValue(collection, fieldID, labels.last());
        if (price)
            values.append(
                ChartNumber::sumOfAmounts(holders.columnValues(QStringLiteral("PurchasePriceAM"))));
        else
            values.append(qint64(holders.rowCount()));
    }
    const QString caption =
        (price ? QStringLiteral("Price Summary by ") : QStringLiteral("Count by ")) + fieldName +
        QStringLiteral(" for ") + collection;
    return gphGeneral::CaptionedChart(values, labels, caption);
}

} // namespace gphCollection
