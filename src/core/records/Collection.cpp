#include "records/Collection.h"

Collection::Collection(const dvData& data)
    : RecordStore(data)
    , m_item(data)
    , m_field(data) {}

Recordset Collection::List() const {
    return read(QStringLiteral("SELECT * FROM tblCollection ORDER BY CollectionNM"));
}

Recordset Collection::Retrieve(const QString& name) const {
    return read(QStringLiteral("SELECT * FROM tblCollection WHERE CollectionNM = ?"), {name});
}

qint64 Collection::Count() const {
    return count(QStringLiteral("SELECT count(*) AS cnt FROM tblCollection"));
}

void Collection::Add(const QString& name, const QString& comments) const {
    Connection connection = connect();
    insert(connection, name, comments);
}

void Collection::AddWithFields(const QString& name, const QString& comments,
                               const QList<colField::Definition>& fields) const {
    Connection connection = connect();
    Transaction transaction(connection);
    insert(connection, name, comments);
    for (const colField::Definition& field : fields)
        colField::insert(connection, name, field);
    transaction.commit();
}

void Collection::insert(Connection& connection, const QString& name, const QString& comments) {
    connection.execute(
        QStringLiteral("INSERT INTO tblCollection (CollectionNM, CommentsTX) VALUES (?, ?)"),
        {name, comments});
}

void Collection::Update(const QString& oldName, const QString& newName,
                        const QString& comments) const {
    Connection connection = connect();
    Transaction transaction(connection);
    // The relations carry a new name into the field definitions and the items.
    connection.execute(QStringLiteral("UPDATE tblCollection SET CollectionNM = ?, CommentsTX = ? "
                                      "WHERE CollectionNM = ?"),
                       {newName, comments, oldName});
    // Names compare without regard to case, so the engine sees a change of case alone as no
    // change of the key and does not cascade it; the rows that hang on the name are given the
    // new spelling here.
    for (const char* table : {"tblCollectionField", "tblCollectionItem"})
        connection.execute(QStringLiteral("UPDATE %1 SET CollectionNM = ?1 WHERE CollectionNM = ?1 "
                                          "AND CollectionNM <> ?1 COLLATE BINARY")
                               .arg(QLatin1String(table)),
                           {newName});
    transaction.commit();
}

void Collection::Delete(const QString& name) const {
    write(QStringLiteral("DELETE FROM tblCollection WHERE CollectionNM = ?"), {name});
}
