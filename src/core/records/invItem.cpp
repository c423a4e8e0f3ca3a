#include "records/invItem.h"

#include "app/General.h"
#include "data/DbError.h"
#include "records/Attachment.h"

namespace {

// The position of Price among the grid's columns.
constexpr int PriceColumn = 4;

// Text columns with an index of their own, whose values are few and shared by many items
// (makers, places, types): their value lists step through the index from value to value.
// (Purchase dates have an index too, but nearly as many values as items.)
const QStringList SteppedColumns = {QStringLiteral("ManufacturerNM"),
                                    QStringLiteral("PurchaseLocationTX"), QStringLiteral("TypeTX"),
                                    QStringLiteral("LocationTX")};

// Whether an index of tblItem holds this column alone, in the column's own order (its texts
// without regard to letter case): each step below then takes one look-up. A database that
// could not be given its index (opened read-only at start-up, say) reads every item once, as
// before, rather than once for every value.
bool hasOwnIndex(Connection& connection, const QString& column) {
    return connection
               .scalar(QStringLiteral(
                           "SELECT count(*) FROM pragma_index_list('tblItem') AS list "
                           "WHERE list.partial = 0 "
                           "AND (SELECT count(*) FROM pragma_index_xinfo(list.name) WHERE key) = 1 "
                           "AND EXISTS (SELECT 1 FROM pragma_index_xinfo(list.name) AS info "
                           "WHERE info.key AND info.name = ? AND info.\"desc\" = 0 "
                           "AND info.coll = 'NOCASE' COLLATE NOCASE)"),
                       {column})
               .toLongLong() > 0;
}

// The rows of SELECT DISTINCT, found through the column's index: from each value straight to
// the first entry of the next, so that a few dozen values among a million items take a few
// dozen look-ups instead of a read of every item. Values that differ in letter case only are
// one value, shown as the item with the lowest ItemID has it (as SELECT DISTINCT shows it);
// no value (Null) comes first.
QString steppedStatement(const QString& column) {
    return QStringLiteral(
               "WITH RECURSIVE step(id) AS ("
               "SELECT ItemID FROM (SELECT ItemID FROM tblItem WHERE %1 IS NULL LIMIT 1) "
               "UNION ALL "
               "SELECT ItemID FROM (SELECT ItemID FROM tblItem WHERE %1 IS NOT NULL "
               "ORDER BY %1, ItemID LIMIT 1) "
               "UNION ALL "
               "SELECT (SELECT later.ItemID FROM tblItem AS later WHERE later.%1 > here.%1 "
               "ORDER BY later.%1, later.ItemID LIMIT 1) "
               "FROM step JOIN tblItem AS here ON here.ItemID = step.id WHERE here.%1 IS NOT NULL) "
               "SELECT tblItem.%1 AS %1 FROM step CROSS JOIN tblItem ON tblItem.ItemID = step.id "
               "ORDER BY tblItem.%1")
        .arg(column);
}

} // namespace

invItem::Changes invItem::Changes::everyColumn(const Values& values) {
    return {.ManufacturerNM = values.ManufacturerNM,
            .ItemNM = values.ItemNM,
            .ModelSeriesTX = values.ModelSeriesTX,
            .SerialNumberID = values.SerialNumberID,
            .PurchaseLocationTX = values.PurchaseLocationTX,
            .PurchaseDT = values.PurchaseDT,
            .WarrantyCD = values.WarrantyCD,
            .WarrantyExpireDT = values.WarrantyExpireDT,
            .WarrantyDocumentCD = values.WarrantyDocumentCD,
            .PurchasePriceAM = values.PurchasePriceAM,
            .ReplacePriceAM = values.ReplacePriceAM,
            .AppraisalPriceAM = values.AppraisalPriceAM,
            .TypeTX = values.TypeTX,
            .LocationTX = values.LocationTX,
            .ReceiptCD = values.ReceiptCD,
            .ManualsCD = values.ManualsCD,
            .CommentsTX = values.CommentsTX};
}

invItem::invItem(const dvData& data)
    : RecordStore(data)
    , m_type(data)
    , m_location(data) {}

const QStringList& invItem::columnNames() {
    static const QStringList columns = {
        QStringLiteral("ItemID"),           QStringLiteral("ManufacturerNM"),
        QStringLiteral("ItemNM"),           QStringLiteral("ModelSeriesTX"),
        QStringLiteral("SerialNumberID"),   QStringLiteral("PurchaseLocationTX"),
        QStringLiteral("PurchaseDT"),       QStringLiteral("WarrantyCD"),
        QStringLiteral("WarrantyExpireDT"), QStringLiteral("WarrantyDocumentCD"),
        QStringLiteral("PurchasePriceAM"),  QStringLiteral("ReplacePriceAM"),
        QStringLiteral("AppraisalPriceAM"), QStringLiteral("TypeTX"),
        QStringLiteral("LocationTX"),       QStringLiteral("ReceiptCD"),
        QStringLiteral("ManualsCD"),        QStringLiteral("CommentsTX"),
        QStringLiteral("LastChangeDT"),
    };
    return columns;
}

QString invItem::MoneyPattern(int roundPrices) {
    return roundPrices == 1 ? QStringLiteral("$#,##0") : QStringLiteral("$#,##0.00");
}

RowCursor invItem::ListMainGridRows(int roundPrices, const QString& inType,
                                    const QString& inLocation, const QString& inManufacturer,
                                    const QDate& inPurchaseDate) const {
    QStringList conditions;
    QVariantList params;
    if (!inType.isEmpty()) {
        conditions.append(QStringLiteral("TypeTX = ?"));
        params.append(inType);
    }
    if (!inLocation.isEmpty()) {
        conditions.append(QStringLiteral("LocationTX = ?"));
        params.append(inLocation);
    }
    if (!inManufacturer.isEmpty()) {
        conditions.append(QStringLiteral("ManufacturerNM = ?"));
        params.append(inManufacturer);
    }
    if (inPurchaseDate.isValid()) {
        conditions.append(QStringLiteral("PurchaseDT = ?"));
        params.append(inPurchaseDate);
    }
    QString sql = QStringLiteral("SELECT ItemID, ManufacturerNM AS Manufacturer, ItemNM AS Item, "
                                 "ModelSeriesTX AS Model, PurchasePriceAM AS Price, TypeTX AS "
                                 "Type, LocationTX AS Location FROM tblItem");
    if (!conditions.isEmpty())
        sql += QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND "));
    // The table read in its own order and sorted once: walking the manufacturer index would
    // fetch every row from a different place in the file, which is many times slower once the
    // table no longer fits the engine's page cache (the unary + keeps the index out of the
    // ordering, not the column's letter-case rule). Items of the same manufacturer and name
    // come in the order they were added.
    sql += QStringLiteral(" ORDER BY +ManufacturerNM, ItemNM, ItemID");
    RowCursor rows = readRows(sql, params);
    rows.setMoneyPattern(PriceColumn, MoneyPattern(roundPrices));
    return rows;
}

Recordset invItem::NoItemsFound() const {
    // FROM tblItem makes the placeholder row appear only when there are items to filter.
    return read(QStringLiteral(
        "SELECT '' AS ItemID, '' AS Manufacturer, 'No items found' AS Item, "
        "'' AS Model, '' AS Price, '' AS Type, '' AS Location FROM tblItem LIMIT 1"));
}

Recordset invItem::ListMainGrid(int roundPrices, const QString& inType, const QString& inLocation,
                                const QString& inManufacturer, const QDate& inPurchaseDate) const {
    RowCursor cursor =
        ListMainGridRows(roundPrices, inType, inLocation, inManufacturer, inPurchaseDate);
    QStringList names;
    for (const RowCursor::Column& column : cursor.columns())
        names.append(column.name);
    const QString pattern = MoneyPattern(roundPrices);
    QVector<QVariantList> rows;
    while (cursor.next()) {
        QVariantList row = cursor.row();
        QVariant& price = row[PriceColumn];
        if (price.metaType() == QMetaType::fromType<Currency>())
            price = price.value<Currency>().format(pattern);
        else if (!price.isNull())
            price = General::ValueText(price);
        rows.append(std::move(row));
    }
    if (rows.isEmpty())
        return NoItemsFound();
    return Recordset(names, rows);
}

QString invItem::distinctStatement(Connection& connection, const QString& fieldName) {
    QString column;
    for (const QString& candidate : columnNames())
        if (candidate.compare(fieldName, Qt::CaseInsensitive) == 0)
            column = candidate;
    if (column.isEmpty())
        throw DbError(QStringLiteral("The item table has no column '%1'.").arg(fieldName));
    if (!SteppedColumns.contains(column) || !hasOwnIndex(connection, column))
        return QStringLiteral("SELECT DISTINCT %1 FROM tblItem ORDER BY %1").arg(column);
    return steppedStatement(column);
}

Recordset invItem::DistinctFieldValue(const QString& fieldName) const {
    Connection connection = connect();
    const QString statement = distinctStatement(connection, fieldName);
    return connection.query(statement);
}

RowCursor invItem::DistinctFieldValueRows(const QString& fieldName) const {
    Connection connection = connect();
    const QString statement = distinctStatement(connection, fieldName);
    return RowCursor(std::move(connection), statement);
}

Recordset invItem::Retrieve(qint64 itemID) const {
    return read(QStringLiteral("SELECT * FROM tblItem WHERE ItemID = ?"), {itemID});
}

SqlFragment invItem::listStatement(const QString& LocationTX, const QString& TypeTX,
                                   const QString& orderBy) {
    SqlFragment statement{QStringLiteral("SELECT * FROM tblItem"), {}};
    if (!LocationTX.isEmpty())
        statement.append(QStringLiteral(" WHERE LocationTX = ?"), {LocationTX});
    else if (!TypeTX.isEmpty())
        statement.append(QStringLiteral(" WHERE TypeTX = ?"), {TypeTX});
    const QString order = orderByList(orderBy, columnNames());
    statement.append(
        QStringLiteral(" ORDER BY ") +
        (order.isEmpty() ? QStringLiteral("ManufacturerNM, ItemNM, ModelSeriesTX") : order));
    return statement;
}

Recordset invItem::List(const QString& LocationTX, const QString& TypeTX,
                        const QString& orderBy) const {
    const SqlFragment statement = listStatement(LocationTX, TypeTX, orderBy);
    return read(statement.text, statement.params);
}

QVariantList invItem::ListColumn(const QString& LocationTX, const QString& TypeTX,
                                 const QString& column) const {
    QString name;
    for (const QString& candidate : columnNames())
        if (candidate.compare(column, Qt::CaseInsensitive) == 0)
            name = candidate;
    if (name.isEmpty())
        throw DbError(QStringLiteral("The item table has no column '%1'.").arg(column));
    SqlFragment statement = listStatement(LocationTX, TypeTX, QString());
    statement.text.replace(QStringLiteral("SELECT *"), QStringLiteral("SELECT ") + name);
    const Recordset rows = read(statement.text, statement.params);
    QVariantList values;
    values.reserve(rows.rowCount());
    for (int row = 0; row < rows.rowCount(); ++row)
        values.append(rows.value(row, 0));
    return values;
}

RowCursor invItem::ListRows(const QString& LocationTX, const QString& TypeTX,
                            const QString& orderBy) const {
    const SqlFragment statement = listStatement(LocationTX, TypeTX, orderBy);
    return readRows(statement.text, statement.params);
}

qint64 invItem::Count(const QString& LocationTX, const QString& TypeTX) const {
    if (!LocationTX.isEmpty())
        return count(QStringLiteral("SELECT count(*) AS cnt FROM tblItem WHERE LocationTX = ?"),
                     {LocationTX});
    if (!TypeTX.isEmpty())
        return count(QStringLiteral("SELECT count(*) AS cnt FROM tblItem WHERE TypeTX = ?"),
                     {TypeTX});
    return count(QStringLiteral("SELECT count(*) AS cnt FROM tblItem"));
}

qint64 invItem::Add(const Values& item, const AttachmentChanges& attachments) const {
    Connection connection = connect();
    Transaction transaction(connection);
    connection.execute(
        QStringLiteral(
            "INSERT INTO tblItem (ManufacturerNM, ItemNM, ModelSeriesTX, SerialNumberID, "
            "PurchaseLocationTX, PurchaseDT, WarrantyCD, WarrantyExpireDT, WarrantyDocumentCD, "
            "PurchasePriceAM, ReplacePriceAM, AppraisalPriceAM, TypeTX, LocationTX, ReceiptCD, "
            "ManualsCD, CommentsTX, LastChangeDT) "
            "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
        {item.ManufacturerNM, item.ItemNM, item.ModelSeriesTX, item.SerialNumberID,
         item.PurchaseLocationTX, dateValue(item.PurchaseDT), item.WarrantyCD,
         dateValue(item.WarrantyExpireDT), item.WarrantyDocumentCD,
         QVariant::fromValue(amountValue(item.PurchasePriceAM)),
         QVariant::fromValue(amountValue(item.ReplacePriceAM)),
         QVariant::fromValue(amountValue(item.AppraisalPriceAM)), item.TypeTX, item.LocationTX,
         item.ReceiptCD, item.ManualsCD, item.CommentsTX, today()});
    const qint64 itemID = connection.lastInsertId();
    if (!attachments.isEmpty())
        Attachment::apply(connection, AttachmentOwner::inventoryItem(itemID), attachments);
    transaction.commit();
    return itemID;
}

void invItem::Update(qint64 itemID, const Changes& changes) const {
    Update(itemID, changes, {});
}

void invItem::Update(qint64 itemID, const Changes& changes,
                     const AttachmentChanges& attachments) const {
    // One statement, so the item is changed completely or not at all.
    QStringList assignments;
    QVariantList params;
    const auto set = [&](const char* column, const QVariant& value) {
        assignments.append(QLatin1String(column) + QStringLiteral(" = ?"));
        params.append(value);
    };
    const auto setText = [&](const char* column, const std::optional<QString>& value) {
        if (value)
            set(column, *value);
    };
    const auto setDate = [&](const char* column, const std::optional<QVariant>& value) {
        if (value)
            set(column, dateValue(*value));
    };
    const auto setFlag = [&](const char* column, const std::optional<bool>& value) {
        if (value)
            set(column, *value);
    };
    const auto setAmount = [&](const char* column, const std::optional<QVariant>& value) {
        if (value)
            set(column, QVariant::fromValue(amountValue(*value)));
    };
    setText("ManufacturerNM", changes.ManufacturerNM);
    setText("ItemNM", changes.ItemNM);
    setText("ModelSeriesTX", changes.ModelSeriesTX);
    setText("SerialNumberID", changes.SerialNumberID);
    setText("PurchaseLocationTX", changes.PurchaseLocationTX);
    setDate("PurchaseDT", changes.PurchaseDT);
    setFlag("WarrantyCD", changes.WarrantyCD);
    setDate("WarrantyExpireDT", changes.WarrantyExpireDT);
    setFlag("WarrantyDocumentCD", changes.WarrantyDocumentCD);
    setAmount("PurchasePriceAM", changes.PurchasePriceAM);
    setAmount("ReplacePriceAM", changes.ReplacePriceAM);
    setAmount("AppraisalPriceAM", changes.AppraisalPriceAM);
    setText("TypeTX", changes.TypeTX);
    setText("LocationTX", changes.LocationTX);
    setFlag("ReceiptCD", changes.ReceiptCD);
    setFlag("ManualsCD", changes.ManualsCD);
    setText("CommentsTX", changes.CommentsTX);
    set("LastChangeDT", today());
    params.append(itemID);
    Connection connection = connect();
    Transaction transaction(connection);
    connection.execute(QStringLiteral("UPDATE tblItem SET %1 WHERE ItemID = ?")
                           .arg(assignments.join(QStringLiteral(", "))),
                       params);
    if (!attachments.isEmpty())
        Attachment::apply(connection, AttachmentOwner::inventoryItem(itemID), attachments);
    transaction.commit();
}

void invItem::Update(qint64 itemID) const {
    Update(itemID, Changes(), {});
}

void invItem::MoveToLocation(const QList<qint64>& itemIDs, const QString& location) const {
    Connection connection = connect();
    Transaction transaction(connection);
    for (const qint64 itemID : itemIDs)
        connection.execute(
            QStringLiteral("UPDATE tblItem SET LocationTX = ?, LastChangeDT = ? WHERE ItemID = ?"),
            {location, today(), itemID});
    transaction.commit();
}

void invItem::Delete(qint64 itemID) const {
    write(QStringLiteral("DELETE FROM tblItem WHERE ItemID = ?"), {itemID});
}
