#pragma once

#include <QByteArray>
#include <QString>

// A file about to be kept with an item: its name (without a folder), its media type, the
// caption the user gave it, its bytes exactly as read, and a small picture of it for lists
// and reports (empty when there is none: the file is no picture the program can draw).
struct AttachmentFile {
    // The largest file an item keeps: 25 MB. Photos and scanned receipts are far below it; a
    // video is not what the inventory is for, and every backup copies every file.
    static constexpr qint64 MaxSize = 25 * 1024 * 1024;

    QString fileName{};
    QString mediaType{};
    QString caption{};
    QByteArray data{};
    QByteArray thumbnail{};

    // Reads the file at path. Throws AttachmentError, naming the file and the cause, for a file
    // that is larger than MaxSize (the message names the limit), not a regular file, or
    // unreadable.
    static AttachmentFile read(const QString& path);
    // A file of these bytes under this name (a folder in it is dropped), its media type found
    // from the name and the bytes. Throws AttachmentError when the bytes exceed MaxSize.
    static AttachmentFile fromBytes(const QString& fileName, const QByteArray& data);

    // The refusal of a file of `size` bytes: "'NAME' is 30.2 MB; a file kept with an item may
    // be at most 25 MB."
    static QString tooLargeMessage(const QString& fileName, qint64 size);
    // A size as people read it: "512 bytes", "48 KB", "3.4 MB".
    static QString sizeText(qint64 bytes);
    // The stored name made safe to write into a folder: no folder part, no path separators, no
    // "." or ".." (a name read from a database file may hold anything).
    static QString safeFileName(const QString& fileName);
    // The media type of a picture's bytes (a thumbnail's), or "" when they are no picture.
    static QString pictureType(const QByteArray& picture);
    // The picture as a self-contained "data:" URL for a page's <img>, or "" when it is no
    // picture.
    static QString dataUrl(const QByteArray& picture);
};
