#pragma once

#include <QString>

// A database file that is built beside its destination under a name of its own and takes the
// destination's name only once it is complete. Whoever looks at the destination meanwhile, or
// after the process was killed at any moment, finds what was there before or the finished
// file, never a half-built one. Creating, rebuilding, backing up, restoring and compacting all
// build their files this way.
//
//     StagedDatabase staged(destination);
//     ... build and check the file at staged.path() ...
//     staged.publishNew();            // or publishReplacing()
//
// A staged file that is never published is removed when the object goes; one left by a killed
// process is removed by the next staging for the same destination.
class StagedDatabase {
public:
    explicit StagedDatabase(const QString& destination);
    ~StagedDatabase();
    StagedDatabase(const StagedDatabase&) = delete;
    StagedDatabase& operator=(const StagedDatabase&) = delete;

    QString destination() const { return m_destination; }
    // Where the file is built.
    QString path() const { return m_path; }
    QString connString() const;

    // Gives the finished file the destination's name, unless something has that name by now
    // (another process may have created the database meanwhile): then the staged file is
    // discarded and the result is false. Throws DbError when the file system refuses.
    bool publishNew();
    // Puts the finished file in the destination's place in one step. The destination's journal
    // files are removed first, because they belong to the file being replaced: the caller must
    // have recovered or copied what they hold. Throws DbError when the file system refuses.
    void publishReplacing();

private:
    void prepareToPublish();
    void discard();

    QString m_destination;
    QString m_path;
    bool m_published = false;
};
