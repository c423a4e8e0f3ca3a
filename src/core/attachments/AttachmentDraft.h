#pragma once

#include "attachments/AttachmentChanges.h"
#include "attachments/AttachmentOwner.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariant>

class Attachment;

// The files an item editor shows, as the user changes them: the item's saved files (read
// without their bytes, with their thumbnails), files added, files removed and captions
// changed. Nothing reaches the database until the editor saves the item with changes();
// an editor closed without saving simply drops its draft.
class AttachmentDraft {
public:
    struct Entry {
        qint64 attachmentID = 0; // 0 for a file added in this draft
        QString fileName{};
        QString mediaType{};
        QString caption{};
        qint64 size = 0;
        QVariant added{}; // the date and time a saved file was added; Null for a new one
        QByteArray thumbnail{};
        QByteArray data{}; // the bytes of a new file; a saved file's stay in the database

        bool isNew() const { return attachmentID == 0; }
        // What a list shows under the thumbnail: the caption, else the file name.
        QString label() const { return caption.isEmpty() ? fileName : caption; }
    };

    // The owner's saved files (none for an item not saved yet, itemID 0); forgets every change.
    void load(const Attachment& store, const AttachmentOwner& owner);
    // No files and no changes, for the next new item.
    void clear();

    const QList<Entry>& entries() const { return m_entries; }
    int count() const { return int(m_entries.size()); }
    const Entry& entry(int index) const { return m_entries.at(index); }

    // Appends a file; returns its index.
    int add(const AttachmentFile& file);
    void remove(int index);
    void setCaption(int index, const QString& caption);
    // The file's bytes: those of a new file, or a saved file's as read from the database.
    QByteArray bytes(const Attachment& store, int index) const;

    // What saving the item writes: the new files, the saved files removed, and the captions
    // that differ from the saved ones.
    AttachmentChanges changes() const;
    bool isModified() const { return !changes().isEmpty(); }

private:
    QList<Entry> m_entries;
    QList<qint64> m_removed;
    // The captions as saved, by AttachmentID.
    QMap<qint64, QString> m_savedCaptions;
};
