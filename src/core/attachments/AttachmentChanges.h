#pragma once

#include "attachments/AttachmentFile.h"

#include <QList>
#include <QMap>
#include <QString>

// What an item editor changes in its item's files, written together with the item when it is
// saved: files added, files removed (by AttachmentID) and new captions of files it keeps.
struct AttachmentChanges {
    QList<AttachmentFile> added{};
    QList<qint64> removed{};
    QMap<qint64, QString> captions{};

    bool isEmpty() const { return added.isEmpty() && removed.isEmpty() && captions.isEmpty(); }
};
