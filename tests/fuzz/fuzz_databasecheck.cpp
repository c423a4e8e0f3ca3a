// The database validity check and the start-up on files of any content (seeded with real
// databases and backups, which the fuzzer then damages): a verdict with a message, never a
// crash; only a file that is not ours is offered for a rebuild; and a file the start-up opens
// can be listed by the record classes, or fails with the engine's message.

#include "FuzzSupport.h"

#include "data/DatabaseCheck.h"
#include "data/DbError.h"
#include "data/dvData.h"
#include "maintenance/DatabaseStartup.h"
#include "records/Collection.h"
#include "records/Inventory.h"

#include <QDir>
#include <QFile>

using FuzzSupport::require;

namespace {

QString databaseFile;

void writeInput(const uint8_t* data, size_t size) {
    for (const char* suffix : {"-journal", "-wal", "-shm"})
        QFile::remove(databaseFile + QLatin1String(suffix));
    QFile file(databaseFile);
    require(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "the input can be written");
    file.write(reinterpret_cast<const char*>(data), qint64(size));
}

// What the windows show first: the inventory grid, the collections and each one's grid.
void listEverything(const dvData& data) {
    try {
        data.Inventory().Item().ListMainGrid(0, {}, {}, {}, {});
        const Recordset collections = data.Collection().List();
        for (int row = 0; row < collections.rowCount(); ++row)
            data.Collection().Item().MainGrid(
                collections.value(row, QStringLiteral("CollectionNM")).toString(), 0);
    } catch (const DbError& error) {
        require(!error.message().isEmpty(), "a failure carries the engine's message");
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    FuzzSupport::initialize(argc, argv);
    databaseFile = QDir(FuzzSupport::scratchFolder()).filePath(QStringLiteral("Domivo.mdb"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    writeInput(data, size);
    for (const auto kind : {DatabaseCheck::Kind::Database, DatabaseCheck::Kind::Backup}) {
        const DatabaseCheck check =
            DatabaseCheck::examine(databaseFile, DatabaseCheck::Depth::Full, kind);
        require(check.isValid() == check.message().isEmpty(), "a verdict names its cause",
                check.message());
    }
    const DatabaseCheck structure = DatabaseCheck::examine(databaseFile);
    dvData database;
    const DatabaseStartup::Result opened = DatabaseStartup::open(database, databaseFile);
    require((opened.outcome == DatabaseStartup::Outcome::NotValid) ==
                (structure.verdict() == DatabaseCheck::Verdict::NotOurs),
            "only a file that is not ours is offered for a rebuild", opened.message);
    if (opened.outcome == DatabaseStartup::Outcome::Ready)
        listEverything(database);
    return 0;
}
