#include "data/dvData.h"

#include "app/Clock.h"
#include "data/ConnectionString.h"
#include "data/DbError.h"
#include "data/Schema.h"
#include "data/Statement.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

dvData::dvData()
    : m_inventory(std::make_unique<class Inventory>(*this))
    , m_collection(std::make_unique<class Collection>(*this)) {}

dvData::~dvData() {
    // The collection root goes first, then the inventory root.
    m_collection.reset();
    m_inventory.reset();
}

void dvData::setPath(const QString& fileName) {
    m_path = fileName;
    m_connString = ConnectionString::forFile(fileName);
    if (!QFileInfo::exists(fileName)) {
        CreateDatabase(m_connString, false);
        Initialize();
    }
}

QString dvData::PhysicalPath() const {
    return ConnectionString::dataSource(m_connString);
}

bool dvData::ValidDatabase(const QString& connString) {
    try {
        Connection connection(connString, Connection::OpenMode::ReadOnly);
        for (const Schema::Table& table : Schema::requiredTables()) {
            Statement select(connection.handle(),
                             QStringLiteral("SELECT * FROM \"%1\"").arg(table.name));
            if (sqlite3_column_count(select.handle()) != table.columnCount)
                return false;
        }
        return true;
    } catch (const DbError&) {
        return false;
    }
}

bool dvData::ValidBackup(const QString& connString) {
    if (!ValidDatabase(connString))
        return false;
    try {
        Connection connection(connString, Connection::OpenMode::ReadOnly);
        const Schema::Table& table = Schema::backupTable();
        Statement select(connection.handle(),
                         QStringLiteral("SELECT * FROM \"%1\"").arg(table.name));
        return sqlite3_column_count(select.handle()) == table.columnCount;
    } catch (const DbError&) {
        return false;
    }
}

void dvData::CreateDatabase(const QString& connString, bool addBackup) {
    const QString path = ConnectionString::dataSource(connString);
    if (QFileInfo::exists(path))
        throw DbError(QStringLiteral("Database '%1' already exists.").arg(path));
    try {
        Connection connection(connString, Connection::OpenMode::Create);
        Transaction transaction(connection);
        connection.executeScript(Schema::createScript(addBackup));
        transaction.commit();
    } catch (const DbError&) {
        QFile::remove(path);
        throw;
    }
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
    CreateDatabase(toConnString, true);
    Connection source(fromConnString, Connection::OpenMode::ReadOnly);
    Connection destination(toConnString);
    Transaction transaction(destination);
    for (const QString& table : Schema::copyOrder())
        CopyTable(destination, source, table);
    if (isBackup)
        destination.execute(QStringLiteral("INSERT INTO tblBackup (BackupDT) VALUES (?)"),
                            {Clock::now()});
    transaction.commit();
}

void dvData::CopyTable(Connection& destination, Connection& source, const QString& table) {
    Statement select(source.handle(), QStringLiteral("SELECT * FROM \"%1\"").arg(table));
    sqlite3_stmt* rows = select.handle();
    const int columns = sqlite3_column_count(rows);
    const QStringList memo = Schema::memoColumns(table);
    QStringList names;
    QVector<bool> isMemo;
    for (int i = 0; i < columns; ++i) {
        names.append(QStringLiteral("\"%1\"").arg(QString::fromUtf8(sqlite3_column_name(rows, i))));
        isMemo.append(memo.contains(QString::fromUtf8(sqlite3_column_name(rows, i))));
    }
    QStringList placeholders;
    for (int i = 0; i < columns; ++i)
        placeholders.append(QStringLiteral("?"));
    Statement insert(
        destination.handle(),
        QStringLiteral("INSERT INTO \"%1\" (%2) VALUES (%3)")
            .arg(table, names.join(QStringLiteral(", ")), placeholders.join(QStringLiteral(", "))),
        Statement::BindLater{});
    int rc = SQLITE_ROW;
    while ((rc = sqlite3_step(rows)) == SQLITE_ROW) {
        sqlite3_reset(insert.handle());
        for (int i = 0; i < columns; ++i) {
            // Values go across exactly as stored, in their storage form.
            sqlite3_value* value = sqlite3_column_value(rows, i);
            if (isMemo[i] && sqlite3_value_type(value) == SQLITE_NULL)
                sqlite3_bind_text(insert.handle(), i + 1, "", 0, SQLITE_STATIC);
            else
                sqlite3_bind_value(insert.handle(), i + 1, value);
        }
        insert.run();
    }
    if (rc != SQLITE_DONE)
        throw DbError(QString::fromUtf8(sqlite3_errmsg(source.handle())),
                      sqlite3_extended_errcode(source.handle()));
}

void dvData::UpdateDatabaseToVersion1_2(const QString& connString) {
    Connection connection(connString);
    const Recordset columns =
        connection.query(QStringLiteral("SELECT type FROM pragma_table_info('tblCollectionItem') "
                                        "WHERE name = 'ItemNM'"));
    if (columns.isEmpty())
        throw DbError(QStringLiteral("The collection item table has no column ItemNM."));
}
