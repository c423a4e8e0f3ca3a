#include "maintenance/StagedDatabase.h"

#include "data/Connection.h"
#include "data/ConnectionString.h"
#include "maintenance/DatabaseFiles.h"

#include <QFile>

StagedDatabase::StagedDatabase(const QString& destination)
    : m_destination(destination) {
    DatabaseFiles::removeLeftovers(destination);
    m_path = DatabaseFiles::temporaryName(destination);
    Connection::setScratchFile(m_path, true);
}

StagedDatabase::~StagedDatabase() {
    Connection::setScratchFile(m_path, false);
    if (!m_published)
        discard();
}

QString StagedDatabase::connString() const {
    return ConnectionString::forFile(m_path);
}

bool StagedDatabase::publishNew() {
    prepareToPublish();
    if (!DatabaseFiles::renameWithoutReplacing(m_path, m_destination)) {
        discard();
        return false;
    }
    m_published = true;
    DatabaseFiles::syncFolderOf(m_destination);
    return true;
}

void StagedDatabase::publishReplacing() {
    prepareToPublish();
    DatabaseFiles::removeJournalFiles(m_destination);
    DatabaseFiles::renameReplacing(m_path, m_destination);
    m_published = true;
    DatabaseFiles::syncFolderOf(m_destination);
}

void StagedDatabase::prepareToPublish() {
    // Every connection to the staged file is closed by now, so it has no journal of its own;
    // its data, written without syncs while it was built, reaches the disk before the name
    // that makes it the database does.
    Connection::setScratchFile(m_path, false);
    DatabaseFiles::syncFile(m_path);
}

void StagedDatabase::discard() {
    QFile::remove(m_path);
    for (const QString& journal : DatabaseFiles::journalFiles(m_path))
        QFile::remove(journal);
}
