#include "maintenance/MaintenanceText.h"

#include "app/General.h"

namespace MaintenanceText {

QString kilobytes(qint64 bytes) {
    qint64 whole = bytes / 1024;
    const qint64 rest = bytes % 1024;
    if (rest > 512 || (rest == 512 && whole % 2 == 1))
        ++whole;
    return QString::number(whole);
}

QString sizeBeforeCompact(qint64 bytes) {
    return QStringLiteral("Before compacting, the database size was ") + kilobytes(bytes) +
           QStringLiteral(" KB.");
}

QString sizeAfterCompact(qint64 bytes) {
    return QStringLiteral("After compacting, the database size is ") + kilobytes(bytes) +
           QStringLiteral(" KB.");
}

bool hasBackupExtension(const QString& fileName) {
    return fileName.right(4).toUpper() == QLatin1String(BackupExtension);
}

QString wrongExtension() {
    return General::GetAppTitle() + QStringLiteral(" backup files must have a ") +
           QLatin1String(BackupExtension) + QStringLiteral(" file extension");
}

QString notABackup() {
    return QStringLiteral("This is not a valid ") + General::GetAppTitle() +
           QStringLiteral(" backup file.");
}

QString backedUp() {
    return General::GetAppTitle() + QStringLiteral(" data successfully backed up");
}

QString restored() {
    return General::GetAppTitle() + QStringLiteral(" database successfully restored.");
}

} // namespace MaintenanceText
