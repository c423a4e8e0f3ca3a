#include "records/CollectionGrid.h"

#include "app/General.h"
#include "app/Settings.h"
#include "records/Collection.h"

Recordset CollectionGrid::rows(const Collection& collections, const QString& collection,
                               int roundPrices) {
    // Amount fields are formatted row by row, each after the rounding setting.
    const Settings::Held settings;
    const Recordset fields = collections.Field().List(collection);
    const Recordset grid = collections.Item().MainGrid(collection, roundPrices);
    // MainGrid gives ItemID and Item Name, then one column per field in FieldID order, as
    // the field list comes.
    constexpr int FirstField = 2;
    QVector<QVariantList> rows;
    rows.reserve(grid.rowCount());
    for (int row = 0; row < grid.rowCount(); ++row) {
        QVariantList values = grid.row(row);
        for (int field = 0; field < fields.rowCount() && FirstField + field < values.size();
             ++field) {
            const auto kind = short(fields.value(field, QStringLiteral("FieldTypeCD")).toInt());
            QVariant& value = values[FirstField + field];
            value = General::FieldValue(value, kind);
        }
        rows.append(values);
    }
    return Recordset(grid.columnNames(), rows);
}
