#include "attachments/AttachmentDraft.h"

#include "records/Attachment.h"

void AttachmentDraft::load(const Attachment& store, const AttachmentOwner& owner) {
    clear();
    if (owner.itemID == 0)
        return;
    const Recordset rows = store.List(owner, true);
    for (int row = 0; row < rows.rowCount(); ++row) {
        const auto value = [&](const char* column) {
            return rows.value(row, QLatin1String(column));
        };
        Entry entry;
        entry.attachmentID = value("AttachmentID").toLongLong();
        entry.fileName = value("FileNM").toString();
        entry.mediaType = value("MediaTypeTX").toString();
        entry.caption = value("CaptionTX").toString();
        entry.size = value("FileSizeNO").toLongLong();
        entry.added = value("AddedDT");
        entry.thumbnail = value("ThumbnailBL").toByteArray();
        m_savedCaptions.insert(entry.attachmentID, entry.caption);
        m_entries.append(entry);
    }
}

void AttachmentDraft::clear() {
    m_entries.clear();
    m_removed.clear();
    m_savedCaptions.clear();
}

int AttachmentDraft::add(const AttachmentFile& file) {
    Entry entry;
    entry.fileName = file.fileName;
    entry.mediaType = file.mediaType;
    entry.caption = file.caption;
    entry.size = file.data.size();
    entry.thumbnail = file.thumbnail;
    entry.data = file.data;
    m_entries.append(entry);
    return count() - 1;
}

void AttachmentDraft::remove(int index) {
    const Entry entry = m_entries.takeAt(index);
    if (!entry.isNew())
        m_removed.append(entry.attachmentID);
}

void AttachmentDraft::setCaption(int index, const QString& caption) {
    m_entries[index].caption = caption;
}

QByteArray AttachmentDraft::bytes(const Attachment& store, int index) const {
    const Entry& file = entry(index);
    return file.isNew() ? file.data : store.Data(file.attachmentID);
}

AttachmentChanges AttachmentDraft::changes() const {
    AttachmentChanges changes;
    changes.removed = m_removed;
    for (const Entry& entry : m_entries) {
        if (entry.isNew()) {
            changes.added.append({.fileName = entry.fileName,
                                  .mediaType = entry.mediaType,
                                  .caption = entry.caption,
                                  .data = entry.data,
                                  .thumbnail = entry.thumbnail});
        } else if (m_savedCaptions.value(entry.attachmentID) != entry.caption) {
            changes.captions.insert(entry.attachmentID, entry.caption);
        }
    }
    return changes;
}
