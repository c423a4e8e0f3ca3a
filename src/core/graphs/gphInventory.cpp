#include "graphs/gphInventory.h"

#include "data/dvData.h"
#include "graphs/ChartNumber.h"

namespace gphInventory {

namespace {

const QString TypeColumn = QStringLiteral("TypeTX");
const QString LocationColumn = QStringLiteral("LocationTX");

// The types or locations that items are filed under. An item without one is left out: asking
// for the items of the empty filter would count every item.
QStringList labelsOf(const dvData& data, const QString& column) {
    QStringList labels;
    for (const QVariant& value :
         data.Inventory().Item().DistinctFieldValue(column).columnValues(column))
        if (!value.toString().isEmpty())
            labels.append(value.toString());
    return labels;
}

Graph countBy(const dvData& data, const QString& column, const QString& caption) {
    const invItem& items = data.Inventory().Item();
    const QStringList labels = labelsOf(data, column);
    QVariantList values;
    for (const QString& label : labels)
        values.append(column == TypeColumn ? items.Count(QString(), label)
                                           : items.Count(label, QString()));
    return gphGeneral::CaptionedChart(values, labels, caption);
}

Graph priceBy(const dvData& data, const QString& column, const QString& priceColumn,
              const QString& caption) {
    const invItem& items = data.Inventory().Item();
    const QStringList labels = labelsOf(data, column);
    QVariantList values;
    for (const QString& label : labels) {
        values.append(ChartNumber::sumOfAmounts(
            column == TypeColumn ? items.ListColumn(QString(), label, priceColumn)
                                 : items.ListColumn(label, QString(), priceColumn)));
    }
    return gphGeneral::CaptionedChart(values, labels, caption);
}

} // namespace

Graph CountByType(const dvData& data) {
    return countBy(data, TypeColumn, QStringLiteral("Inventory Item Count by Type"));
}

Graph CountByLocation(const dvData& data) {
    return countBy(data, LocationColumn, QStringLiteral("Inventory Item Count by Location"));
}

Graph PriceByType(const dvData& data, const QString& priceColumn) {
    return priceBy(data, TypeColumn, priceColumn,
                   QStringLiteral("Inventory ") + PriceName(priceColumn) +
                       QStringLiteral(" by Type"));
}

Graph PriceByLocation(const dvData& data, const QString& priceColumn) {
    return priceBy(data, LocationColumn, priceColumn,
                   QStringLiteral("Inventory ") + PriceName(priceColumn) +
                       QStringLiteral(" by Location"));
}

QString PriceName(const QString& priceColumn) {
    return priceColumn.left(priceColumn.size() - 2)
        .replace(QStringLiteral("Price"), QStringLiteral(" Price"));
}

} // namespace gphInventory
