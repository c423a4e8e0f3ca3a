#pragma once

#include "data/DatabaseCheck.h"
#include "records/Attachment.h"
#include "records/Collection.h"
#include "records/Inventory.h"

#include <QString>
#include <memory>

// The database context: where the database file is, the connection string every data access
// uses, and the operations on whole database files (create, seed, validate, copy, upgrade).
// It owns the roots of the record classes. It keeps no connection open between calls, so the
// file may be replaced while the application runs and the same connection string reaches the
// new file.
class StagedDatabase;

class dvData {
public:
    dvData();
    ~dvData();
    dvData(const dvData&) = delete;
    dvData& operator=(const dvData&) = delete;

    class Inventory& Inventory() {
        return *m_inventory;
    }
    const class Inventory& Inventory() const { return *m_inventory; }
    class Collection& Collection() {
        return *m_collection;
    }
    const class Collection& Collection() const { return *m_collection; }
    // The files kept with the inventory and collection items.
    class Attachment& Attachment() {
        return *m_attachment;
    }
    const class Attachment& Attachment() const { return *m_attachment; }

    // Sets the database file. A missing file is created and seeded without asking (built under
    // a name of its own and renamed into place when complete, so that a creation cut short
    // leaves no database rather than half of one); an existing file is left exactly as it is
    // (whether it is a valid database is for the caller to ask).
    void setPath(const QString& fileName);
    QString Path() const { return m_path; }
    // The file name taken back out of the connection string.
    QString PhysicalPath() const;
    QString connString() const { return m_connString; }

    // True when the file holds every table of the schema with its number of columns. Never
    // fails: any error (no file, not a database, a missing table) gives false. DatabaseCheck
    // tells why a file is not valid.
    static bool ValidDatabase(const QString& connString);
    // A valid database that also has the backup table.
    static bool ValidBackup(const QString& connString);
    // Builds the schema, without rows, in a new file; with the backup table when addBackup.
    // The file must not exist yet. The file appears only when it is complete.
    static void CreateDatabase(const QString& connString, bool addBackup);
    // Builds a new database with its starting rows in a staged file and checks it; publishing
    // it is the caller's step.
    static void BuildSeeded(const StagedDatabase& staged);
    // Writes the starting rows (item types, locations, field types) into this context's file.
    void Initialize();
    // Creates the destination (with the backup table) and copies every row of the source into
    // it, identifiers included; a Null long text arrives as the empty text. With isBackup the
    // backup table gets the current date and time. The source must be a valid database; the
    // destination must not exist yet and appears only when it is complete and checked.
    static void Copy(const QString& toConnString, const QString& fromConnString, bool isBackup);
    // Databases of earlier versions held a narrower collection item name. SQLite keeps the
    // declared width in the schema and checks it itself, so this only verifies the column.
    // Runs at every start; it also gives a database made before one of the later indexes
    // (Schema::laterIndexScript) that index.
    static void UpdateDatabaseToVersion1_2(const QString& connString);
    // Gives a database from before attachments the table that holds them (a table added, no
    // column of the other tables changed); a database that has it is not written to.
    static void AddAttachmentTable(const QString& connString);

    static const QStringList& seedItemTypes();
    static const QStringList& seedLocations();

private:
    static void buildSchema(const QString& path, bool addBackup);
    static void verify(const QString& path, DatabaseCheck::Depth depth, DatabaseCheck::Kind kind);
    static void CopyTable(Connection& destination, Connection& source, const QString& table);
    // The upgrade's step for the indexes added after the first databases were made.
    static void addLaterIndexes(Connection& connection);

    QString m_path;
    QString m_connString;
    std::unique_ptr<class Inventory> m_inventory;
    std::unique_ptr<class Collection> m_collection;
    std::unique_ptr<class Attachment> m_attachment;
};
