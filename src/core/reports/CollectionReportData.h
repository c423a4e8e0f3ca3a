#pragma once

#include "data/Recordset.h"

#include <QHash>
#include <QString>
#include <QStringList>

class dvData;

// What the collection reports read about one collection: its field definitions, its items by
// name (ties by ItemID) and, when asked for, its items' field values. Values are matched to
// their item and field by identifier, not by position, so an item that lacks a value row
// still shows its own values in their own columns (the missing one as the empty text).
class CollectionReportData {
public:
    struct Field {
        qint64 id = 0;
        QString name;
        short type = 0;
    };

    CollectionReportData(const dvData& data, const QString& collection, bool withValues);

    const QList<Field>& fields() const { return m_fields; }
    int fieldCount() const { return int(m_fields.size()); }
    const Recordset& items() const { return m_items; }
    // Whether the collection's items have any stored values at all.
    bool hasValues() const { return m_hasValues; }

    // An item's value texts, escaped for HTML, one per field in FieldID order: each as its
    // field's type shows it; an empty value is the empty text whatever the type.
    QStringList valueTexts(int itemRow) const;

    // The width in percent of every column of the listings that show one column per field
    // besides the item name, the collection and one more: 100 / (fields + 3), rounded half to
    // even.
    int columnWidth() const;
    // The head of those listings: the table and a header row of "Item Name", "Collection", the
    // field names and lastCaption. Written even for a collection without items, so that the
    // page always holds a whole table.
    QStringList listingHead(const QString& lastCaption) const;
    // An item's row in those listings, ended by a cell holding lastText (escaped).
    QStringList listingRow(int itemRow, const QString& lastText) const;
    // The closing row: a caption over all columns but the last, the value in the last, and
    // the end of the table.
    QStringList listingTotal(const QString& caption, const QString& value) const;

private:
    // A stored value's text as its field type shows it, escaped.
    QString shownText(const QString& value, short type) const;

    QList<Field> m_fields;
    Recordset m_items;
    bool m_hasValues = false;
    // FieldValueTX by ItemID, then FieldID.
    QHash<qint64, QHash<qint64, QString>> m_values;
    // The shown text of each stored text, by field type: values recur from item to item, and
    // reading one as a date or a number takes longer than finding its text again.
    mutable QHash<short, QHash<QString, QString>> m_shownTexts;
};
