#include "records/Attachment.h"

#include "data/DbError.h"

namespace {

// The listing columns; the thumbnail and the bytes stand last in the row, so these are read
// without touching them.
const char* const ListColumns = "AttachmentID, FileNM, MediaTypeTX, FileSizeNO, CaptionTX, AddedDT";

// The columns a listing shows when the table is not there yet: the same names, no rows.
Recordset noFiles(const QStringList& columns) {
    return Recordset(columns, {});
}

QStringList columnList(const QString& columns) {
    QStringList names = columns.split(QLatin1Char(','));
    for (QString& name : names)
        name = name.trimmed();
    return names;
}

} // namespace

Attachment::Attachment(const dvData& data)
    : RecordStore(data) {}

bool Attachment::tableExists(Connection& connection) {
    return connection
               .scalar(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table' "
                                      "AND name = 'tblAttachment'"))
               .toLongLong() > 0;
}

Recordset Attachment::List(const AttachmentOwner& owner, bool withThumbnails) const {
    QString columns = QLatin1String(ListColumns);
    if (withThumbnails)
        columns += QStringLiteral(", ThumbnailBL");
    Connection connection = connect();
    if (!tableExists(connection))
        return noFiles(columnList(columns));
    return connection.query(QStringLiteral("SELECT %1 FROM tblAttachment WHERE %2 = ? ORDER BY "
                                           "AttachmentID")
                                .arg(columns, QLatin1String(owner.column())),
                            {owner.itemID});
}

Recordset Attachment::ListInventory() const {
    const QString columns =
        QStringLiteral("ItemID, ") + QLatin1String(ListColumns) + QStringLiteral(", ThumbnailBL");
    Connection connection = connect();
    if (!tableExists(connection))
        return noFiles(columnList(columns));
    return connection.query(QStringLiteral("SELECT %1 FROM tblAttachment WHERE ItemID IS NOT NULL "
                                           "ORDER BY ItemID, AttachmentID")
                                .arg(columns));
}

Recordset Attachment::ListInventory(const QList<qint64>& itemIDs) const {
    Connection connection = connect();
    return ListInventory(connection, itemIDs);
}

Recordset Attachment::ListInventory(Connection& connection, const QList<qint64>& itemIDs) {
    const QString columns =
        QStringLiteral("ItemID, ") + QLatin1String(ListColumns) + QStringLiteral(", ThumbnailBL");
    if (!tableExists(connection))
        return noFiles(columnList(columns));
    // The items go in as one bound value, a JSON array, rather than a placeholder each: a
    // statement with hundreds of placeholders takes longer to prepare than to run.
    QString list;
    list.reserve(itemIDs.size() * 8 + 2);
    list += QLatin1Char('[');
    for (const qint64 itemID : itemIDs) {
        if (list.size() > 1)
            list += QLatin1Char(',');
        list += QString::number(itemID);
    }
    list += QLatin1Char(']');
    return connection.query(QStringLiteral("SELECT %1 FROM tblAttachment WHERE ItemID IN (SELECT "
                                           "value FROM json_each(?)) ORDER BY ItemID, AttachmentID")
                                .arg(columns),
                            {list});
}

Recordset Attachment::Retrieve(qint64 attachmentID) const {
    const QString columns = QStringLiteral("AttachmentID, ItemID, CollectionItemID, FileNM, "
                                           "MediaTypeTX, FileSizeNO, CaptionTX, AddedDT");
    Connection connection = connect();
    if (!tableExists(connection))
        return noFiles(columnList(columns));
    return connection.query(
        QStringLiteral("SELECT %1 FROM tblAttachment WHERE AttachmentID = ?").arg(columns),
        {attachmentID});
}

QByteArray Attachment::Data(qint64 attachmentID) const {
    Connection connection = connect();
    const Recordset rows =
        tableExists(connection)
            ? connection.query(
                  QStringLiteral("SELECT FileDataBL FROM tblAttachment WHERE AttachmentID = ?"),
                  {attachmentID})
            : Recordset();
    if (rows.isEmpty())
        throw DbError(QStringLiteral("There is no attachment %1.").arg(attachmentID));
    const QByteArray data = rows.value(0, 0).toByteArray();
    // An empty blob reads back as no bytes at all; it is still a file of 0 bytes.
    return data.isNull() ? QByteArray("", 0) : data;
}

QByteArray Attachment::Thumbnail(qint64 attachmentID) const {
    Connection connection = connect();
    if (!tableExists(connection))
        return {};
    return connection
        .scalar(QStringLiteral("SELECT ThumbnailBL FROM tblAttachment WHERE AttachmentID = ?"),
                {attachmentID})
        .toByteArray();
}

QList<qint64> Attachment::Add(const AttachmentOwner& owner,
                              const QList<AttachmentFile>& files) const {
    Connection connection = connect();
    Transaction transaction(connection);
    const QList<qint64> added = apply(connection, owner, {.added = files});
    transaction.commit();
    return added;
}

void Attachment::UpdateCaption(qint64 attachmentID, const QString& caption) const {
    write(QStringLiteral("UPDATE tblAttachment SET CaptionTX = ? WHERE AttachmentID = ?"),
          {caption, attachmentID});
}

bool Attachment::Delete(qint64 attachmentID) const {
    Connection connection = connect();
    if (!tableExists(connection))
        return false;
    connection.execute(QStringLiteral("DELETE FROM tblAttachment WHERE AttachmentID = ?"),
                       {attachmentID});
    return connection.scalar(QStringLiteral("SELECT changes()")).toLongLong() > 0;
}

QList<qint64> Attachment::apply(Connection& connection, const AttachmentOwner& owner,
                                const AttachmentChanges& changes) {
    const QString column = QLatin1String(owner.column());
    for (const qint64 removed : changes.removed)
        connection.execute(
            QStringLiteral("DELETE FROM tblAttachment WHERE AttachmentID = ? AND %1 = ?")
                .arg(column),
            {removed, owner.itemID});
    for (auto caption = changes.captions.cbegin(); caption != changes.captions.cend(); ++caption)
        connection.execute(QStringLiteral("UPDATE tblAttachment SET CaptionTX = ? WHERE "
                                          "AttachmentID = ? AND %1 = ?")
                               .arg(column),
                           {caption.value(), caption.key(), owner.itemID});
    QList<qint64> added;
    for (const AttachmentFile& file : changes.added)
        added.append(insert(connection, owner, file));
    return added;
}

qint64 Attachment::insert(Connection& connection, const AttachmentOwner& owner,
                          const AttachmentFile& file) {
    if (file.data.size() > AttachmentFile::MaxSize)
        throw DbError(AttachmentFile::tooLargeMessage(file.fileName, file.data.size()));
    const bool inventory = owner.kind == AttachmentOwner::Kind::InventoryItem;
    connection.execute(
        QStringLiteral("INSERT INTO tblAttachment (ItemID, CollectionItemID, FileNM, MediaTypeTX, "
                       "CaptionTX, FileSizeNO, AddedDT, ThumbnailBL, FileDataBL) "
                       "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
        {inventory ? QVariant(owner.itemID) : QVariant(),
         inventory ? QVariant() : QVariant(owner.itemID), file.fileName, file.mediaType,
         file.caption, qint64(file.data.size()), Clock::now(),
         file.thumbnail.isEmpty() ? QVariant() : QVariant(file.thumbnail),
         QVariant(file.data.isNull() ? QByteArray("", 0) : file.data)});
    return connection.lastInsertId();
}
