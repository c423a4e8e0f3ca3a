#include "records/colItemField.h"

colItemField::colItemField(const dvData& data)
    : RecordStore(data) {}

Recordset colItemField::List(const QString& collection, const QString& orderBy) const {
    const QString order =
        orderByList(orderBy, {QStringLiteral("a.ItemNM"), QStringLiteral("c.FieldNM"),
                              QStringLiteral("c.FieldTypeCD"), QStringLiteral("b.FieldValueTX"),
                              QStringLiteral("b.ItemID"), QStringLiteral("b.FieldID")});
    // The item identifier before the field keeps each item's values together even when two
    // items share a name.
    return read(QStringLiteral("SELECT a.ItemNM AS ItemNM, c.FieldNM AS FieldNM, "
                               "c.FieldTypeCD AS FieldTypeCD, b.ItemID AS ItemID, "
                               "b.FieldID AS FieldID, b.FieldValueTX AS FieldValueTX "
                               "FROM tblCollectionItem a "
                               "JOIN tblCollectionItemField b ON b.ItemID = a.ItemID "
                               "JOIN tblCollectionField c "
                               "ON c.CollectionNM = a.CollectionNM AND c.FieldID = b.FieldID "
                               "WHERE a.CollectionNM = ? ORDER BY %1")
                    .arg(order.isEmpty() ? QStringLiteral("b.FieldID, b.ItemID")
                                         : order + QStringLiteral(", b.ItemID, b.FieldID")),
                {collection});
}

void colItemField::Add(qint64 itemID, qint64 fieldID, const QString& value) const {
    Connection connection = connect();
    insert(connection, itemID, fieldID, value);
}

void colItemField::insert(Connection& connection, qint64 itemID, qint64 fieldID,
                          const QString& value) {
    connection.execute(
        QStringLiteral(
            "INSERT INTO tblCollectionItemField (ItemID, FieldID, FieldValueTX) VALUES (?, ?, ?)"),
        {itemID, fieldID, value});
}

void colItemField::store(Connection& connection, qint64 itemID, qint64 fieldID,
                         const QString& value) {
    connection.execute(
        QStringLiteral("INSERT INTO tblCollectionItemField (ItemID, FieldID, FieldValueTX) "
                       "VALUES (?, ?, ?) ON CONFLICT (ItemID, FieldID) "
                       "DO UPDATE SET FieldValueTX = excluded.FieldValueTX"),
        {itemID, fieldID, value});
}

Recordset colItemField::Retrieve(qint64 itemID, qint64 fieldID) const {
    if (fieldID > 1)
        return read(
            QStringLiteral("SELECT * FROM tblCollectionItemField WHERE ItemID = ? AND FieldID = ?"),
            {itemID, fieldID});
    return read(
        QStringLiteral("SELECT * FROM tblCollectionItemField WHERE ItemID = ? ORDER BY FieldID"),
        {itemID});
}

void colItemField::Update(qint64 itemID, qint64 fieldID, const QString& value) const {
    write(
        QStringLiteral(
            "UPDATE tblCollectionItemField SET FieldValueTX = ? WHERE ItemID = ? AND FieldID = ?"),
        {value, itemID, fieldID});
}

Recordset colItemField::DistinctValue(const QString& collection, const QString& fieldName) const {
    return read(QStringLiteral("SELECT DISTINCT b.FieldValueTX AS FieldValueTX "
                               "FROM tblCollectionItem a "
                               "JOIN tblCollectionItemField b ON b.ItemID = a.ItemID "
                               "JOIN tblCollectionField c "
                               "ON c.CollectionNM = a.CollectionNM AND c.FieldID = b.FieldID "
                               "WHERE a.CollectionNM = ? AND c.FieldNM = ? "
                               "ORDER BY b.FieldValueTX"),
                {collection, fieldName});
}

qint64 colItemField::Count(const QString& collection, const QString& fieldName,
                           const QString& value) const {
    return count(
        QStringLiteral("SELECT count(*) AS cnt FROM tblCollectionItemField a "
                       "JOIN tblCollectionItem b ON b.ItemID = a.ItemID "
                       "JOIN tblCollectionField c "
                       "ON c.CollectionNM = b.CollectionNM AND c.FieldID = a.FieldID "
                       "WHERE b.CollectionNM = ? AND c.FieldNM = ? AND a.FieldValueTX = ?"),
        {collection, fieldName, value});
}

Recordset colItemField::DistinctValueOfField(const QString& collection, qint64 fieldID) const {
    return read(QStringLiteral("SELECT DISTINCT b.FieldValueTX AS FieldValueTX "
                               "FROM tblCollectionItem a "
                               "JOIN tblCollectionItemField b ON b.ItemID = a.ItemID "
                               "JOIN tblCollectionField c "
                               "ON c.CollectionNM = a.CollectionNM AND c.FieldID = b.FieldID "
                               "WHERE a.CollectionNM = ? AND c.FieldID = ? "
                               "ORDER BY b.FieldValueTX"),
                {collection, fieldID});
}
