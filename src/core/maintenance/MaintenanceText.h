#pragma once

#include <QString>

// What the backup, restore and compact windows and the command-line tool say, in one place so
// that both say the same.
namespace MaintenanceText {

// Backup files carry this extension, in any letter case.
inline constexpr const char* BackupExtension = ".DVB";

// A file size in kilobytes, as whole digits: bytes / 1024 rounded half to even (100864 bytes,
// 98.5 KB, give "98"; 101888 bytes, 99.5 KB, give "100").
QString kilobytes(qint64 bytes);
QString sizeBeforeCompact(qint64 bytes);
QString sizeAfterCompact(qint64 bytes);

// Whether a file name ends in the backup extension, letter case aside.
bool hasBackupExtension(const QString& fileName);
QString wrongExtension();
QString notABackup();

QString backedUp();
QString restored();

} // namespace MaintenanceText
