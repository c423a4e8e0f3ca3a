#include "records/CollectionGrid.h"

#include "app/General.h"
#include "records/Collection.h"

namespace {

// MainGrid gives ItemID and Item Name, then one column per field in FieldID order.
constexpr int FirstField = 2;

} // namespace

Recordset CollectionGrid::rows(const Collection& collections, const QString& collection,
                               int roundPrices) {
    QVector<short> kinds;
    RowCursor cursor = collections.Item().MainGridRows(collection, roundPrices, &kinds);
    QStringList names;
    for (const RowCursor::Column& column : cursor.columns())
        names.append(column.name);
    QVector<QVariantList> rows;
    while (cursor.next()) {
        QVariantList values = cursor.row();
        for (int field = 0; field < kinds.size() && FirstField + field < values.size(); ++field) {
            QVariant& value = values[FirstField + field];
            value = General::FieldValue(value, kinds[field], roundPrices);
        }
        rows.append(std::move(values));
    }
    return Recordset(names, rows);
}

GridRows CollectionGrid::gridRows(const Collection& collections, const QString& collection,
                                  int roundPrices) {
    QVector<short> kinds;
    RowCursor cursor = collections.Item().MainGridRows(collection, roundPrices, &kinds);
    GridRows grid = GridRows::forCursor(cursor);
    for (int field = 0; field < kinds.size(); ++field) {
        grid.setAdapter(FirstField + field,
                        [kind = kinds[field], roundPrices](const QVariant& value) {
                            return General::FieldValue(value, kind, roundPrices);
                        });
    }
    grid.readRows(cursor);
    return grid;
}
