#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// The database's tables, as the engine holds them. Kinds map onto SQLite like this:
//   counter  INTEGER PRIMARY KEY AUTOINCREMENT (identifiers are never reused)
//   flag     BOOLEAN, 0 or 1
//   amount   CURRENCY, a whole number of ten-thousandths
//   date     DATETIME, ISO text "YYYY-MM-DD" or "YYYY-MM-DD HH:MM:SS"
//   text(n)  TEXT(n), at most n characters; memo is TEXT without a limit
//   bytes    BLOB, a file's bytes exactly as given
// Every text compares without regard to letter case (COLLATE NOCASE), and every relation
// cascades updates and deletes from the parent row to the rows that refer to it.
namespace Schema {

struct Table {
    QString name;
    int columnCount;
};

// The tables a database must have, with their column counts, in the order they are checked.
const QVector<Table>& requiredTables();
// The one extra table of a backup file.
const Table& backupTable();
// The files kept with the items. Databases and backups made before it existed lack it, and are
// given it at start-up (attachmentScript); when a file has it, it must have these columns.
const Table& attachmentTable();
// Tables a valid file may lack: tables that later versions added.
const QVector<Table>& optionalTables();

// Tables in an order in which every parent comes before its children.
const QStringList& copyOrder();
bool isOptional(const QString& table);
// Long-text columns of a table; a Null in them is copied as the empty text.
QStringList memoColumns(const QString& table);

// The statements that build an empty database, with or without the backup table.
QString createScript(bool addBackup);
// The statements that add the attachment table, with its indexes, to a database without it.
QString attachmentScript();
// The statement that adds the backup table where it is missing.
QString backupScript();

// Indexes added after the first databases were made: part of the script above, and added to
// databases made before them (IF NOT EXISTS). The collection items by their collection, so that
// the items of one collection are found without reading those of every other; the items by
// their purchase place, so that the places in use are listed without reading every item.
inline constexpr const char* CollectionItemIndexName = "CollectionItemKey";
inline constexpr const char* PurchaseLocationIndexName = "PurchaseLocationKey";
QStringList laterIndexNames();
QString laterIndexScript();
// The incidents with the items lost or damaged in them, and the insurance policy's limits (the
// contents limit and the sub-limits per item type). Each statement creates only what is
// missing, so the script also adds these tables to a database made before them.
QString insuranceScript();

} // namespace Schema
