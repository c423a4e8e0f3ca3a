#pragma once

#include <QString>
#include <QStringList>

// File operations on database files that never leave a reader with half a file: copies are
// written under a name of their own and renamed into place, and a database travels with the
// journal files the engine keeps beside it ("-journal", "-wal", "-shm"). Failures throw DbError
// naming the file and the system's reason.
namespace DatabaseFiles {

// A name beside the destination, unique to this process, for a file that is being built or
// copied and will be renamed to the destination when it is complete.
QString temporaryName(const QString& destination);
// Removes what processes that were killed while building or copying a file for this
// destination left behind. Files of processes that still run are kept, and nothing else is
// ever taken for such a leftover.
void removeLeftovers(const QString& destination);

// True when anything (a file, a folder, a dangling link) has this name.
bool nameExists(const QString& path);

// The names of the journal files that belong to a database file, whether they exist or not.
QStringList journalFiles(const QString& databasePath);
// Removes the journal files of a database file; only for a file whose journals hold nothing
// that is still needed (rolled back, copied, or belonging to a file that is being replaced).
void removeJournalFiles(const QString& databasePath);

// Copies a database file with its journal files to a new name, replacing whatever had that
// name (and its journal files). The copy holds everything the engine needs to recover the
// data, and the destination name shows either the old file or the complete copy.
void copyWithJournals(const QString& from, const QString& to);

// Renames a file to a name that must not exist yet, in one step. Returns false, leaving both
// names as they were, when the destination exists.
bool renameWithoutReplacing(const QString& from, const QString& to);
// Renames a file over another in one step: the destination shows the old or the new file,
// never neither.
void renameReplacing(const QString& from, const QString& to);

// Writes a file's data (or a folder's list of names) through to the disk, so that a rename
// that follows cannot reach the disk before the data it names.
void syncFile(const QString& path);
void syncFolderOf(const QString& path);
// Starts writing a file's data to the disk without waiting for it, so that a syncFile() that
// comes later waits less. Where the system cannot, nothing happens.
void startWriting(const QString& path);

} // namespace DatabaseFiles
