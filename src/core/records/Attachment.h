#pragma once

#include "attachments/AttachmentChanges.h"
#include "attachments/AttachmentOwner.h"
#include "records/RecordStore.h"

#include <QByteArray>
#include <QList>

// The files kept with the items (tblAttachment): photos, scanned receipts, manuals. Each
// belongs to one inventory or collection item and is deleted with it. Listings never read the
// files' bytes, only their names, sizes and thumbnails; the bytes are read one file at a time.
//
// A database from before attachments has no table for them until start-up adds it: reading
// then finds no files, and writing fails with the engine's message.
class Attachment : public RecordStore {
public:
    explicit Attachment(const dvData& data);

    // An item's files in the order they were added: AttachmentID, FileNM, MediaTypeTX,
    // FileSizeNO, CaptionTX, AddedDT, and with thumbnails also ThumbnailBL (Null when there is
    // none).
    Recordset List(const AttachmentOwner& owner, bool withThumbnails = false) const;
    // The files of every inventory item, for a report: ItemID, then the columns of List with
    // thumbnails, by item and then in the order they were added.
    Recordset ListInventory() const;
    // The same for the given inventory items only, read in one query rather than one per item.
    Recordset ListInventory(const QList<qint64>& itemIDs) const;
    // The same on a connection the caller keeps open: a report that reads the files of one run
    // of items after another saves opening the database for each run.
    static Recordset ListInventory(Connection& connection, const QList<qint64>& itemIDs);
    // One file's row without its bytes: AttachmentID, ItemID, CollectionItemID, FileNM,
    // MediaTypeTX, FileSizeNO, CaptionTX, AddedDT; no row when there is no such file.
    Recordset Retrieve(qint64 attachmentID) const;
    // A file's bytes exactly as they were attached. Throws DbError when there is no such file.
    QByteArray Data(qint64 attachmentID) const;
    // A file's thumbnail (a JPEG or PNG picture), empty when it has none or there is no such
    // file.
    QByteArray Thumbnail(qint64 attachmentID) const;
    // Keeps files with an item, all of them or (when one is refused) none; returns their new
    // identifiers in order. A file larger than AttachmentFile::MaxSize is refused (DbError).
    QList<qint64> Add(const AttachmentOwner& owner, const QList<AttachmentFile>& files) const;
    void UpdateCaption(qint64 attachmentID, const QString& caption) const;
    // Removes a file; false when there was no such file.
    bool Delete(qint64 attachmentID) const;

    // An editor's changes to its item's files, on the connection (and in the transaction) that
    // writes the item: so the item and its files are saved together or not at all. A removed
    // or recaptioned file must belong to the owner; others are left alone.
    static QList<qint64> apply(Connection& connection, const AttachmentOwner& owner,
                               const AttachmentChanges& changes);
    // Whether the database has the attachment table yet.
    static bool tableExists(Connection& connection);

private:
    static qint64 insert(Connection& connection, const AttachmentOwner& owner,
                         const AttachmentFile& file);
};
