#include "attachments/AttachmentFile.h"

#include "attachments/AttachmentError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QMimeDatabase>

AttachmentFile AttachmentFile::read(const QString& path) {
    const QFileInfo info(path);
    const QString name = QDir::toNativeSeparators(path);
    if (!info.exists())
        throw AttachmentError(QStringLiteral("There is no file '%1'.").arg(name));
    if (!info.isFile())
        throw AttachmentError(QStringLiteral("'%1' is not a file.").arg(name));
    // The size is checked before reading, so that a huge file is refused at once.
    if (info.size() > MaxSize)
        throw AttachmentError(tooLargeMessage(info.fileName(), info.size()));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw AttachmentError(
            QStringLiteral("'%1' cannot be read: %2.").arg(name, file.errorString()));
    // One byte more than allowed tells a file that grew since it was measured.
    const QByteArray data = file.read(MaxSize + 1);
    if (file.error() != QFileDevice::NoError)
        throw AttachmentError(
            QStringLiteral("'%1' cannot be read: %2.").arg(name, file.errorString()));
    return fromBytes(info.fileName(), data);
}

AttachmentFile AttachmentFile::fromBytes(const QString& fileName, const QByteArray& data) {
    const QString name = safeFileName(fileName);
    if (data.size() > MaxSize)
        throw AttachmentError(tooLargeMessage(name, data.size()));
    AttachmentFile file;
    file.fileName = name;
    file.mediaType = QMimeDatabase().mimeTypeForFileNameAndData(name, data).name();
    // A file of no bytes is kept as one: an empty blob, not a missing one.
    file.data = data.isNull() ? QByteArray("", 0) : data;
    return file;
}

QString AttachmentFile::tooLargeMessage(const QString& fileName, qint64 size) {
    return QStringLiteral("'%1' is %2; a file kept with an item may be at most %3.")
        .arg(fileName, sizeText(size), sizeText(MaxSize));
}

QString AttachmentFile::sizeText(qint64 bytes) {
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    constexpr qint64 Kilo = 1024;
    if (bytes < Kilo)
        return QStringLiteral("%1 bytes").arg(bytes);
    if (bytes < Kilo * Kilo)
        return QStringLiteral("%1 KB").arg((bytes + Kilo / 2) / Kilo);
    const double megabytes = double(bytes) / double(Kilo * Kilo);
    // Whole megabytes without a decimal: the limit reads "25 MB".
    if (bytes % (Kilo * Kilo) == 0)
        return QStringLiteral("%1 MB").arg(bytes / (Kilo * Kilo));
    return QStringLiteral("%1 MB").arg(english.toString(megabytes, 'f', 1));
}

QString AttachmentFile::safeFileName(const QString& fileName) {
    QString name = fileName;
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    name = name.section(QLatin1Char('/'), -1);
    name.remove(QChar(0));
    name = name.trimmed();
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return QStringLiteral("attachment");
    return name.left(255);
}

QString AttachmentFile::pictureType(const QByteArray& picture) {
    if (picture.isEmpty())
        return {};
    const QString type = QMimeDatabase().mimeTypeForData(picture).name();
    return type.startsWith(QLatin1String("image/")) ? type : QString();
}

QString AttachmentFile::dataUrl(const QByteArray& picture) {
    const QString type = pictureType(picture);
    if (type.isEmpty())
        return {};
    return QStringLiteral("data:") + type + QStringLiteral(";base64,") +
           QString::fromLatin1(picture.toBase64());
}
