#include "records/colItem.h"

#include "data/DbError.h"
#include "records/Attachment.h"

#include <functional>

namespace {

// The columns of tblCollectionItem, the only names a caller may sort or read by.
const QStringList& itemColumns() {
    static const QStringList columns = {
        QStringLiteral("ItemID"),           QStringLiteral("ItemNM"),
        QStringLiteral("CollectionNM"),     QStringLiteral("PurchasePriceAM"),
        QStringLiteral("AppraisalPriceAM"), QStringLiteral("ReplacePriceAM"),
        QStringLiteral("CommentsTX"),       QStringLiteral("LastChangeDT"),
    };
    return columns;
}

// One join per field, each through the (ItemID, FieldID) key of the value table, so that a
// field's value is found by key for every item. CROSS JOIN keeps the item table as the outer
// loop: otherwise a condition on a field may lead the engine to walk the whole value table of
// every collection. The aliases are f + the field's position, which holds only letters and
// digits whatever the field is called.
struct FieldJoins {
    QStringList columns; // "fK.FieldValueTX AS <alias>"
    QString joins;
    QVariantList params; // the FieldIDs, in the order of the joins
};

FieldJoins fieldJoins(const Recordset& fields, const std::function<QString(int)>& aliasOf) {
    FieldJoins result;
    for (int k = 0; k < fields.rowCount(); ++k) {
        const QString table = QStringLiteral("f%1").arg(k);
        result.columns.append(QStringLiteral("%1.FieldValueTX AS %2").arg(table, aliasOf(k)));
        result.joins +=
            QStringLiteral(" CROSS JOIN tblCollectionItemField %1 ON %1.ItemID = a.ItemID "
                           "AND %1.FieldID = ?")
                .arg(table);
        result.params.append(fields.value(k, QStringLiteral("FieldID")));
    }
    return result;
}

} // namespace

colItem::colItem(const dvData& data)
    : RecordStore(data)
    , m_field(data) {}

SqlFragment colItem::mainGridStatement(Connection& connection, const QString& collection,
                                       int roundPrices, QVector<short>* fieldKinds) {
    const QString format =
        roundPrices == 1 ? QStringLiteral("$#,##0") : QStringLiteral("$#,##0.00");
    const Recordset fields = connection.query(
        QStringLiteral("SELECT FieldID, FieldNM, FieldTypeCD FROM tblCollectionField "
                       "WHERE CollectionNM = ? ORDER BY FieldID"),
        {collection});
    if (fieldKinds) {
        fieldKinds->clear();
        for (int k = 0; k < fields.rowCount(); ++k)
            fieldKinds->append(short(fields.value(k, QStringLiteral("FieldTypeCD")).toInt()));
    }
    const FieldJoins joins = fieldJoins(fields, [&fields](int k) {
        return SqlFragment::quoteIdentifier(fields.value(k, QStringLiteral("FieldNM")).toString());
    });
    QStringList columns = {QStringLiteral("a.ItemID AS \"ItemID\""),
                           QStringLiteral("a.ItemNM AS \"Item Name\"")};
    columns += joins.columns;
    columns.append(QStringLiteral("FormatMoney(a.PurchasePriceAM, '%1') AS \"Price\"").arg(format));
    const QString sql = QStringLiteral("SELECT %1 FROM tblCollectionItem a%2 "
                                       "WHERE a.CollectionNM = ? ORDER BY a.ItemID")
                            .arg(columns.join(QStringLiteral(", ")), joins.joins);
    return {sql, joins.params + QVariantList{collection}};
}

Recordset colItem::MainGrid(const QString& collection, int roundPrices) const {
    Connection connection = connect();
    const SqlFragment statement = mainGridStatement(connection, collection, roundPrices, nullptr);
    return connection.query(statement.text, statement.params);
}

RowCursor colItem::MainGridRows(const QString& collection, int roundPrices,
                                QVector<short>* fieldKinds) const {
    Connection connection = connect();
    const SqlFragment statement =
        mainGridStatement(connection, collection, roundPrices, fieldKinds);
    return RowCursor(std::move(connection), statement.text, statement.params);
}

namespace {

QString listStatement(const QString& order) {
    return QStringLiteral("SELECT * FROM tblCollectionItem WHERE CollectionNM = ? ORDER BY %1")
        .arg(order.isEmpty() ? QStringLiteral("ItemNM") : order);
}

} // namespace

Recordset colItem::List(const QString& collection, const QString& orderBy) const {
    return read(listStatement(orderByList(orderBy, itemColumns())), {collection});
}

RowCursor colItem::ListRows(const QString& collection, const QString& orderBy) const {
    return readRows(listStatement(orderByList(orderBy, itemColumns())), {collection});
}

QVariantList colItem::ListColumn(const QString& collection, const QString& column) const {
    QString name;
    for (const QString& candidate : itemColumns())
        if (candidate.compare(column, Qt::CaseInsensitive) == 0)
            name = candidate;
    if (name.isEmpty())
        throw DbError(QStringLiteral("The collection item table has no column '%1'.").arg(column));
    const Recordset rows = read(
        QStringLiteral("SELECT %1 FROM tblCollectionItem WHERE CollectionNM = ? ORDER BY ItemNM")
            .arg(name),
        {collection});
    QVariantList values;
    values.reserve(rows.rowCount());
    for (int row = 0; row < rows.rowCount(); ++row)
        values.append(rows.value(row, 0));
    return values;
}

Recordset colItem::Retrieve(std::optional<qint64> itemID, const std::optional<QString>& itemName,
                            const std::optional<QString>& collection) const {
    if (itemName) {
        if (!collection)
            throw DbError(QStringLiteral("An item is found by its name only within a collection."));
        return read(
            QStringLiteral("SELECT * FROM tblCollectionItem WHERE ItemNM = ? AND CollectionNM = ?"),
            {*itemName, *collection});
    }
    if (!itemID)
        throw DbError(QStringLiteral("No item was named."));
    return read(QStringLiteral("SELECT * FROM tblCollectionItem WHERE ItemID = ?"), {*itemID});
}

qint64 colItem::Count(const QString& collection) const {
    return count(
        QStringLiteral("SELECT count(*) AS cnt FROM tblCollectionItem WHERE CollectionNM = ?"),
        {collection});
}

qint64 colItem::Add(const QString& collection, const QString& itemName,
                    const QVariant& purchasePrice, const QVariant& appraisalPrice,
                    const QVariant& replacePrice, const QString& comments) const {
    Connection connection = connect();
    return insert(connection, collection, itemName, purchasePrice, appraisalPrice, replacePrice,
                  comments);
}

qint64 colItem::AddWithValues(const QString& collection, const QString& itemName,
                              const QVariant& purchasePrice, const QVariant& appraisalPrice,
                              const QVariant& replacePrice, const QString& comments,
                              const Values& values, const AttachmentChanges& attachments) const {
    Connection connection = connect();
    Transaction transaction(connection);
    const qint64 itemID = insert(connection, collection, itemName, purchasePrice, appraisalPrice,
                                 replacePrice, comments);
    for (auto value = values.cbegin(); value != values.cend(); ++value)
        colItemField::insert(connection, itemID, value.key(), value.value());
    if (!attachments.isEmpty())
        Attachment::apply(connection, AttachmentOwner::collectionItem(itemID), attachments);
    transaction.commit();
    return itemID;
}

qint64 colItem::insert(Connection& connection, const QString& collection, const QString& itemName,
                       const QVariant& purchasePrice, const QVariant& appraisalPrice,
                       const QVariant& replacePrice, const QString& comments) {
    const QVariantList params = {collection,
                                 itemName,
                                 QVariant::fromValue(amountValue(purchasePrice)),
                                 QVariant::fromValue(amountValue(replacePrice)),
                                 QVariant::fromValue(amountValue(appraisalPrice)),
                                 comments,
                                 today()};
    connection.execute(QStringLiteral("INSERT INTO tblCollectionItem (CollectionNM, ItemNM, "
                                      "PurchasePriceAM, ReplacePriceAM, AppraisalPriceAM, "
                                      "CommentsTX, LastChangeDT) VALUES (?, ?, ?, ?, ?, ?, ?)"),
                       params);
    return connection.lastInsertId();
}

void colItem::Update(qint64 itemID, const Changes& changes) const {
    Connection connection = connect();
    update(connection, itemID, changes);
}

void colItem::UpdateWithValues(qint64 itemID, const Changes& changes, const Values& values,
                               const AttachmentChanges& attachments) const {
    Connection connection = connect();
    Transaction transaction(connection);
    update(connection, itemID, changes);
    for (auto value = values.cbegin(); value != values.cend(); ++value)
        colItemField::store(connection, itemID, value.key(), value.value());
    if (!attachments.isEmpty())
        Attachment::apply(connection, AttachmentOwner::collectionItem(itemID), attachments);
    transaction.commit();
}

void colItem::update(Connection& connection, qint64 itemID, const Changes& changes) {
    // One statement, so the item is changed completely or not at all.
    QStringList assignments;
    QVariantList params;
    const auto set = [&](const char* column, const QVariant& value) {
        assignments.append(QLatin1String(column) + QStringLiteral(" = ?"));
        params.append(value);
    };
    const auto setAmount = [&](const char* column, const std::optional<QVariant>& value) {
        if (value)
            set(column, QVariant::fromValue(amountValue(*value)));
    };
    if (changes.CollectionNM)
        set("CollectionNM", *changes.CollectionNM);
    if (changes.ItemNM)
        set("ItemNM", *changes.ItemNM);
    setAmount("PurchasePriceAM", changes.PurchasePriceAM);
    setAmount("ReplacePriceAM", changes.ReplacePriceAM);
    setAmount("AppraisalPriceAM", changes.AppraisalPriceAM);
    if (changes.CommentsTX)
        set("CommentsTX", *changes.CommentsTX);
    set("LastChangeDT", today());
    params.append(itemID);
    connection.execute(QStringLiteral("UPDATE tblCollectionItem SET %1 WHERE ItemID = ?")
                           .arg(assignments.join(QStringLiteral(", "))),
                       params);
}

void colItem::Update(qint64 itemID) const {
    Update(itemID, Changes());
}

void colItem::Delete(qint64 itemID) const {
    write(QStringLiteral("DELETE FROM tblCollectionItem WHERE ItemID = ?"), {itemID});
}

Recordset colItem::Search(const QString& collection, const QList<ResultColumn>& columns,
                          const SearchCondition& condition, const QString& orderBy) const {
    Connection connection = connect();
    const SqlFragment statement =
        searchStatement(connection, collection, columns, condition, orderBy);
    return connection.query(statement.text, statement.params);
}

RowCursor colItem::SearchRows(const QString& collection, const QList<ResultColumn>& columns,
                              const SearchCondition& condition, const QString& orderBy) const {
    Connection connection = connect();
    const SqlFragment statement =
        searchStatement(connection, collection, columns, condition, orderBy);
    return RowCursor(std::move(connection), statement.text, statement.params);
}

SqlFragment colItem::searchStatement(Connection& connection, const QString& collection,
                                     const QList<ResultColumn>& columns,
                                     const SearchCondition& condition, const QString& orderBy) {
    SearchCondition::registerFunctions(connection);
    const Recordset fields = connection.query(
        QStringLiteral(
            "SELECT FieldID FROM tblCollectionField WHERE CollectionNM = ? ORDER BY FieldID"),
        {collection});
    QStringList innerColumns = {
        QStringLiteral("ItemID"),           QStringLiteral("ItemNM"),
        QStringLiteral("CollectionNM"),     QStringLiteral("PurchasePriceAM"),
        QStringLiteral("AppraisalPriceAM"), QStringLiteral("ReplacePriceAM"),
        QStringLiteral("CommentsTX"),       QStringLiteral("LastChangeDT"),
    };
    QStringList select;
    for (const QString& column : std::as_const(innerColumns))
        select.append(QStringLiteral("a.%1 AS %1").arg(column));
    const FieldJoins joins = fieldJoins(fields, [&fields](int k) {
        return QStringLiteral("Field%1").arg(fields.value(k, 0).toLongLong());
    });
    select += joins.columns;
    for (int k = 0; k < fields.rowCount(); ++k)
        innerColumns.append(QStringLiteral("Field%1").arg(fields.value(k, 0).toLongLong()));

    QString sql = QStringLiteral("SELECT ItemID");
    if (!columns.isEmpty())
        sql += QStringLiteral(", ") + ResultColumn::selectList(columns, innerColumns);
    sql += QStringLiteral(" FROM (SELECT %1 FROM tblCollectionItem a%2 WHERE a.CollectionNM = ?)")
               .arg(select.join(QStringLiteral(", ")), joins.joins);
    QVariantList params = joins.params;
    params.append(collection);
    const SqlFragment where = condition.toSql(innerColumns);
    if (!where.isEmpty()) {
        sql += QStringLiteral(" WHERE ") + where.text;
        params += where.params;
    }
    const QString order = orderByList(orderBy, innerColumns);
    if (!order.isEmpty())
        sql += QStringLiteral(" ORDER BY ") + order;
    return {sql, params};
}

Currency colItem::SumPrice(const QString& collection, const QString& fieldName,
                           const QString& value) const {
    const QVariant sum = connect().scalar(
        QStringLiteral("SELECT sum(b.PurchasePriceAM) AS price FROM tblCollectionItemField a "
                       "JOIN tblCollectionItem b ON b.ItemID = a.ItemID "
                       "JOIN tblCollectionField c "
                       "ON c.CollectionNM = b.CollectionNM AND c.FieldID = a.FieldID "
                       "WHERE b.CollectionNM = ? AND c.FieldNM = ? AND a.FieldValueTX = ?"),
        {collection, fieldName, value});
    // The engine refuses an integer sum that overflows; a REAL among the amounts makes the sum
    // a REAL, which may lie beyond every amount.
    if (sum.isNull())
        return Currency();
    if (sum.typeId() != QMetaType::Double)
        return Currency::fromUnits(sum.toLongLong());
    const auto amount = Currency::fromRealUnits(sum.toDouble());
    if (!amount)
        throw DbError(QStringLiteral("The sum of the prices is outside the range of amounts."));
    return *amount;
}

Recordset colItem::ListByFieldValue(const QString& collection, qint64 fieldID,
                                    const QString& value) const {
    return read(QStringLiteral("SELECT b.* FROM tblCollectionItem b "
                               "JOIN tblCollectionItemField a ON a.ItemID = b.ItemID "
                               "WHERE b.CollectionNM = ? AND a.FieldID = ? AND a.FieldValueTX = ? "
                               "ORDER BY b.ItemNM, b.ItemID"),
                {collection, fieldID, value});
}
