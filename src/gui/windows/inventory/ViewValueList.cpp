#include "windows/inventory/ViewValueList.h"

#include "data/GridRows.h"
#include "records/invItem.h"

#include <QListWidget>
#include <QStringList>

namespace ViewValueList {

int fill(QListWidget* list, const invItem& items, const QString& column) {
    // Read straight into their typed form: the texts are made once, for the list.
    RowCursor cursor = items.DistinctFieldValueRows(column);
    GridRows values = GridRows::forCursor(cursor);
    values.readRows(cursor);
    QStringList texts;
    texts.reserve(values.rowCount() + 1);
    texts.append(QStringLiteral("*** All ***"));
    for (int row = 0; row < values.rowCount(); ++row) {
        QString text = values.text(row, 0);
        if (!text.isEmpty())
            texts.append(std::move(text));
    }
    list->clear();
    list->addItems(texts);
    return values.rowCount();
}

} // namespace ViewValueList
