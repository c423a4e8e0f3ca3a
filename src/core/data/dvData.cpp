#include "data/dvData.h"

#include "app/Clock.h"
#include "data/ConnectionString.h"
#include "data/DatabaseCheck.h"
#include "data/DbError.h"
#include "data/Schema.h"
#include "data/TableCopy.h"
#include "maintenance/DatabaseFiles.h"
#include "maintenance/StagedDatabase.h"

#include <QDateTime>
#include <algorithm>

dvData::dvData()
    : m_inventory(std::make_unique<class Inventory>(*this))
    , m_collection(std::make_unique<class Collection>(*this))
    , m_attachment(std::make_unique<class Attachment>(*this)) {}

dvData::~dvData() {
    // The collection root goes first, then the inventory root.
    m_attachment.reset();
    m_collection.reset();
    m_inventory.reset();
}

void dvData::setPath(const QString& fileName) {
    m_path = fileName;
    m_connString = ConnectionString::forFile(fileName);
    if (!DatabaseFiles::nameExists(fileName)) {
        StagedDatabase staged(fileName);
        BuildSeeded(staged);
        // Another process may have created the database meanwhile; its file is as complete as
        // this one would have been, and is kept.
        staged.publishNew();
    }
}

QString dvData::PhysicalPath() const {
    return ConnectionString::dataSource(m_connString);
}

bool dvData::ValidDatabase(const QString& connString) {
    return DatabaseCheck::examine(ConnectionString::dataSource(connString)).isValid();
}

bool dvData::ValidBackup(const QString& connString) {
    return DatabaseCheck::examine(ConnectionString::dataSource(connString),
                                  DatabaseCheck::Depth::Structure, DatabaseCheck::Kind::Backup)
        .isValid();
}

void dvData::CreateDatabase(const QString& connString, bool addBackup) {
    const QString path = ConnectionString::dataSource(connString);
    if (DatabaseFiles::nameExists(path))
        throw DbError(QStringLiteral("Database '%1' already exists.").arg(path));
    StagedDatabase staged(path);
    buildSchema(staged.path(), addBackup);
    if (!staged.publishNew())
        throw DbError(QStringLiteral("Database '%1' already exists.").arg(path));
}

void dvData::BuildSeeded(const StagedDatabase& staged) {
    buildSchema(staged.path(), false);
    dvData seeding;
    seeding.setPath(staged.path());
    seeding.Initialize();
    verify(staged.path(), DatabaseCheck::Depth::Contents, DatabaseCheck::Kind::Database);
}

void dvData::buildSchema(const QString& path, bool addBackup) {
    Connection connection = Connection::openFile(path, Connection::OpenMode::Create);
    Transaction transaction(connection);
    connection.executeScript(Schema::createScript(addBackup));
    transaction.commit();
}

void dvData::verify(const QString& path, DatabaseCheck::Depth depth, DatabaseCheck::Kind kind) {
    const DatabaseCheck check = DatabaseCheck::examine(path, depth, kind);
    if (!check.isValid())
        throw DbError(check.message());
}

const QStringList& dvData::seedItemTypes() {
    static const QStringList types = {
        QStringLiteral("Accessories"),
        QStringLiteral("Appliances"),
        QStringLiteral("Art"),
        QStringLiteral("Automotive"),
        QStringLiteral("Bathroom Items"),
        QStringLiteral("Books"),
        QStringLiteral("Clothing"),
        QStringLiteral("Collectibles"),
        QStringLiteral("Computer Equipment"),
        QStringLiteral("Computer Software"),
        QStringLiteral("Electronics"),
        QStringLiteral("Firearms"),
        QStringLiteral("Furniture"),
        QStringLiteral("Jewelry"),
        QStringLiteral("Kitchenware"),
        QStringLiteral("Lawn and Garden"),
        QStringLiteral("Miscellaneous"),
        QStringLiteral("Music Tapes and CDs"),
        QStringLiteral("Outdoor Furniture"),
        QStringLiteral("Rugs and Carpets"),
        QStringLiteral("Sports Equipment"),
        QStringLiteral("Tools"),
        QStringLiteral("Video Tapes and DVDs"),
    };
    return types;
}

const QStringList& dvData::seedLocations() {
    static const QStringList locations = {
        QStringLiteral("Attic"),
        QStringLiteral("Basement"),
        QStringLiteral("Computer Room"),
        QStringLiteral("Deck"),
        QStringLiteral("Dining Room"),
        QStringLiteral("Family Room"),
        QStringLiteral("Foyer"),
        QStringLiteral("Front Porch"),
        QStringLiteral("Garage"),
        QStringLiteral("Guest Bathroom"),
        QStringLiteral("Guest Bedroom"),
        QStringLiteral("Kitchen"),
        QStringLiteral("Laundry Room"),
        QStringLiteral("Living Room"),
        QStringLiteral("Master Bathroom"),
        QStringLiteral("Master Bedroom"),
        QStringLiteral("Mechanical Room"),
        QStringLiteral("Powder Room"),
        QStringLiteral("Safe"),
        QStringLiteral("Shed"),
        QStringLiteral("Storage Closet"),
        QStringLiteral("Study/Den"),
        QStringLiteral("Utility Room"),
    };
    return locations;
}

void dvData::Initialize() {
    invItem& item = Inventory().Item();
    item.ItemType().AddAll(seedItemTypes());
    item.Location().AddAll(seedLocations());
    Collection().Field().fieldType().Initialize();
}

void dvData::Copy(const QString& toConnString, const QString& fromConnString, bool isBackup) {
    const QString sourcePath = ConnectionString::dataSource(fromConnString);
    const QString destinationPath = ConnectionString::dataSource(toConnString);
    // Examining the source also rolls back a write that was interrupted in it; a source that is
    // missing or not a database leaves no destination behind.
    const DatabaseCheck source = DatabaseCheck::examine(sourcePath);
    if (!source.isValid())
        throw DbError(source.message());
    if (DatabaseFiles::nameExists(destinationPath))
        throw DbError(QStringLiteral("Database '%1' already exists.").arg(destinationPath));

    StagedDatabase staged(destinationPath);
    buildSchema(staged.path(), true);
    {
        Connection from = Connection::openFile(sourcePath, Connection::OpenMode::ReadOnly);
        // Every table is read from the same state of the source.
        from.execute(QStringLiteral("BEGIN"));
        Connection to = Connection::openFile(staged.path());
        Transaction transaction(to);
        for (const QString& table : TableCopy::tablesToCopy(from))
            CopyTable(to, from, table);
        if (isBackup)
            to.execute(QStringLiteral("INSERT INTO tblBackup (BackupDT) VALUES (?)"),
                       {Clock::now()});
        transaction.commit();
    }
    // The copy holds what the source held, starting rows or not.
    verify(staged.path(), DatabaseCheck::Depth::Structure, DatabaseCheck::Kind::Backup);
    if (!staged.publishNew())
        throw DbError(QStringLiteral("Database '%1' already exists.").arg(destinationPath));
}

void dvData::CopyTable(Connection& destination, Connection& source, const QString& table) {
    TableCopy(destination, source, table).copyRows();
}

void dvData::UpdateDatabaseToVersion1_2(const QString& connString) {
    Connection connection(connString);
    const Recordset columns =
        connection.query(QStringLiteral("SELECT type FROM pragma_table_info('tblCollectionItem') "
                                        "WHERE name = 'ItemNM'"));
    if (columns.isEmpty())
        throw DbError(QStringLiteral("The collection item table has no column ItemNM."));
    addLaterIndexes(connection);
}

void dvData::addLaterIndexes(Connection& connection) {
    // The indexes only make reading faster: a database that cannot take them now (opened
    // read-only, a full disk, another program writing) is used as it is and gets them at a
    // later start. Looking first keeps an ordinary start from writing anything.
    const QVariantList present =
        connection.query(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'index'"))
            .columnValues(QStringLiteral("name"));
    const QStringList names = Schema::laterIndexNames();
    if (std::all_of(names.cbegin(), names.cend(),
                    [&present](const QString& name) { return present.contains(name); }))
        return;
    try {
        connection.executeScript(Schema::laterIndexScript());
    } catch (const DbError&) {
    }
}

void dvData::AddAttachmentTable(const QString& connString) {
    Connection connection(connString);
    if (Attachment::tableExists(connection))
        return;
    Transaction transaction(connection);
    connection.executeScript(Schema::attachmentScript());
    transaction.commit();
}
