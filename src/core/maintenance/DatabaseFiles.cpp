#include "maintenance/DatabaseFiles.h"

#include "data/DbError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray encoded(const QString& path) {
    return QFile::encodeName(path);
}

QString systemError(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

[[noreturn]] void fail(const QString& what, const QString& path, int error) {
    throw DbError(QStringLiteral("%1 '%2': %3").arg(what, path, systemError(error)));
}

bool processIsGone(qint64 pid) {
    return pid > 0 && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH;
}

// Copies one file to a temporary name beside the destination and renames it into place.
void copyFile(const QString& from, const QString& to) {
    const QString temporary = DatabaseFiles::temporaryName(to);
    QFile source(from);
    if (!source.copy(temporary)) {
        const QString reason = source.errorString();
        QFile::remove(temporary);
        throw DbError(QStringLiteral("Cannot copy '%1' to '%2': %3").arg(from, to, reason));
    }
    try {
        DatabaseFiles::syncFile(temporary);
        DatabaseFiles::renameReplacing(temporary, to);
    } catch (const DbError&) {
        QFile::remove(temporary);
        throw;
    }
}

} // namespace

namespace DatabaseFiles {

QString temporaryName(const QString& destination) {
    static int counter = 0;
    return QStringLiteral("%1.%2-%3.partial")
        .arg(destination, QString::number(::getpid()), QString::number(++counter));
}

void removeLeftovers(const QString& destination) {
    const QFileInfo target(destination);
    const QRegularExpression pattern(
        QStringLiteral("^%1\\.(\\d+)-\\d+\\.partial(?:-journal|-wal|-shm)?$")
            .arg(QRegularExpression::escape(target.fileName())));
    const QDir folder = target.absoluteDir();
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        const auto match = pattern.match(name);
        // A file of a process still running may be a copy under way; it is left alone.
        if (match.hasMatch() && processIsGone(match.captured(1).toLongLong()))
            QFile::remove(folder.filePath(name));
    }
}

bool nameExists(const QString& path) {
    struct stat info {};
    return ::lstat(encoded(path).constData(), &info) == 0;
}

QStringList journalFiles(const QString& databasePath) {
    return {databasePath + QStringLiteral("-journal"), databasePath + QStringLiteral("-wal"),
            databasePath + QStringLiteral("-shm")};
}

void removeJournalFiles(const QString& databasePath) {
    for (const QString& journal : journalFiles(databasePath)) {
        if (::unlink(encoded(journal).constData()) != 0 && errno != ENOENT)
            fail(QStringLiteral("Cannot remove"), journal, errno);
    }
}

void copyWithJournals(const QString& from, const QString& to) {
    // The destination's old journals would be taken for the copy's own, so they go first.
    removeJournalFiles(to);
    copyFile(from, to);
    const QStringList fromJournals = journalFiles(from);
    const QStringList toJournals = journalFiles(to);
    // The shared-memory index of a write-ahead log is rebuilt from the log; it is not copied.
    for (int i = 0; i < 2; ++i) {
        if (QFileInfo::exists(fromJournals[i]))
            copyFile(fromJournals[i], toJournals[i]);
    }
    syncFolderOf(to);
}

bool renameWithoutReplacing(const QString& from, const QString& to) {
    const QByteArray source = encoded(from);
    const QByteArray target = encoded(to);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) ==
        0)
        return true;
    if (errno == EEXIST)
        return false;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
        fail(QStringLiteral("Cannot rename '%1' to").arg(from), to, errno);
    // A file system without the atomic rename: a second link is made only when the name is
    // free, and then the temporary name is dropped.
    if (::link(source.constData(), target.constData()) == 0) {
        ::unlink(source.constData());
        return true;
    }
    if (errno == EEXIST)
        return false;
    fail(QStringLiteral("Cannot rename '%1' to").arg(from), to, errno);
}

void renameReplacing(const QString& from, const QString& to) {
    if (::rename(encoded(from).constData(), encoded(to).constData()) != 0)
        fail(QStringLiteral("Cannot rename '%1' to").arg(from), to, errno);
}

void syncFile(const QString& path) {
    const int fd = ::open(encoded(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        fail(QStringLiteral("Cannot open"), path, errno);
    const int rc = ::fsync(fd);
    const int error = errno;
    ::close(fd);
    if (rc != 0)
        fail(QStringLiteral("Cannot write to disk"), path, error);
}

void startWriting(const QString& path) {
    const int fd = ::open(encoded(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::sync_file_range(fd, 0, 0, SYNC_FILE_RANGE_WRITE);
    ::close(fd);
}

void syncFolderOf(const QString& path) {
    const QString folder = QFileInfo(path).absolutePath();
    const int fd = ::open(encoded(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    // Some file systems cannot sync a folder; the rename has been made all the same.
    ::fsync(fd);
    ::close(fd);
}

} // namespace DatabaseFiles
