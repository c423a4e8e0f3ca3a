#include "records/colField.h"

colField::colField(const dvData& data)
    : RecordStore(data)
    , m_fieldType(data) {}

Recordset colField::List(const QString& collection) const {
    return read(
        QStringLiteral("SELECT * FROM tblCollectionField WHERE CollectionNM = ? ORDER BY FieldID"),
        {collection});
}

Recordset colField::Retrieve(const QString& collection, qint64 fieldID) const {
    return read(
        QStringLiteral("SELECT * FROM tblCollectionField WHERE CollectionNM = ? AND FieldID = ?"),
        {collection, fieldID});
}

int colField::Count(const QString& collection) const {
    return int(count(
        QStringLiteral("SELECT count(*) AS cnt FROM tblCollectionField WHERE CollectionNM = ?"),
        {collection}));
}

void colField::Add(const QString& collection, qint64 fieldID, const QString& name,
                   qint64 fieldTypeCD, bool required, const QString& listText) const {
    Connection connection = connect();
    insert(connection, collection, Definition{fieldID, name, fieldTypeCD, required, listText});
}

void colField::insert(Connection& connection, const QString& collection, const Definition& field) {
    connection.execute(
        QStringLiteral("INSERT INTO tblCollectionField "
                       "(CollectionNM, FieldID, FieldNM, FieldTypeCD, RequiredCD, FieldListTX) "
                       "VALUES (?, ?, ?, ?, ?, ?)"),
        {collection, field.FieldID, field.FieldNM, field.FieldTypeCD, field.RequiredCD,
         field.FieldListTX.isEmpty() ? QVariant() : QVariant(field.FieldListTX)});
}

Recordset colField::MemoryList(const QString& collection, qint64 fieldID) const {
    return read(
        QStringLiteral("SELECT DISTINCT b.FieldValueTX AS FieldValueTX FROM tblCollectionItem a "
                       "JOIN tblCollectionItemField b ON b.ItemID = a.ItemID "
                       "WHERE a.CollectionNM = ? AND b.FieldID = ? "
                       "ORDER BY b.FieldValueTX"),
        {collection, fieldID});
}
