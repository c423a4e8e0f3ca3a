#include "search/SearchTarget.h"

#include "data/DbError.h"
#include "data/dvData.h"
#include "records/colFieldType.h"

namespace {

SearchColumn fixedColumn(const char* displayName, const char* column, bool criterion = true) {
    const QString name = QLatin1String(column);
    return {.displayName = QLatin1String(displayName),
            .column = name,
            .kind = SearchColumn::kindOf(name),
            .criterion = criterion};
}

// A field's column, compared as its type says: its values are stored as text whatever the type.
SearchColumn fieldColumn(const QString& name, qint64 fieldID, qint64 fieldType) {
    SearchColumn column{.displayName = name, .column = QStringLiteral("Field%1").arg(fieldID)};
    switch (fieldType) {
    case colFieldType::Date:
        column.kind = SearchColumn::Kind::Date;
        column.reading = SearchCondition::Reading::FieldDate;
        break;
    case colFieldType::Integer:
    case colFieldType::Float:
    case colFieldType::Money:
    case colFieldType::YesNo:
        column.kind = SearchColumn::Kind::Number;
        column.reading = SearchCondition::Reading::FieldNumber;
        break;
    default:
        column.kind = SearchColumn::Kind::Text;
        break;
    }
    return column;
}

} // namespace

SearchTarget SearchTarget::inventory() {
    SearchTarget target;
    target.m_columns = {
        fixedColumn("Manufacturer", "ManufacturerNM"),
        fixedColumn("Item Name", "ItemNM"),
        fixedColumn("Model/Series", "ModelSeriesTX"),
        fixedColumn("Serial Number", "SerialNumberID"),
        fixedColumn("Purchase Location", "PurchaseLocationTX"),
        fixedColumn("Purchase Date", "PurchaseDT"),
        fixedColumn("Warranty Flag", "WarrantyCD"),
        fixedColumn("Warranty Expire Date", "WarrantyExpireDT"),
        fixedColumn("Warranty Documents", "WarrantyDocumentCD", false),
        fixedColumn("Purchase Price", "PurchasePriceAM"),
        fixedColumn("Appraisal Price", "AppraisalPriceAM"),
        fixedColumn("Replacement Price", "ReplacePriceAM"),
        fixedColumn("Type", "TypeTX"),
        fixedColumn("Location", "LocationTX"),
        fixedColumn("Receipt Flag", "ReceiptCD"),
        fixedColumn("Manuals Flag", "ManualsCD"),
        fixedColumn("Comments", "CommentsTX", false),
        fixedColumn("Last Change Date", "LastChangeDT"),
    };
    return target;
}

SearchTarget SearchTarget::collection(const dvData& data, const QString& name) {
    const Recordset found = data.Collection().Retrieve(name);
    if (found.isEmpty())
        throw DbError(QStringLiteral("There is no collection named '%1'.").arg(name));
    SearchTarget target;
    target.m_collection = found.value(0, QStringLiteral("CollectionNM")).toString();
    target.m_columns = {
        fixedColumn("Item Name", "ItemNM"),
        fixedColumn("Collection", "CollectionNM"),
        fixedColumn("Purchase Price", "PurchasePriceAM"),
        fixedColumn("Appraisal Price", "AppraisalPriceAM"),
        fixedColumn("Replacement Price", "ReplacePriceAM"),
        fixedColumn("Comments", "CommentsTX", false),
        fixedColumn("Last Change Date", "LastChangeDT"),
    };
    const Recordset fields = data.Collection().Field().List(target.m_collection);
    for (int row = 0; row < fields.rowCount(); ++row)
        target.m_columns.append(
            fieldColumn(fields.value(row, QStringLiteral("FieldNM")).toString(),
                        fields.value(row, QStringLiteral("FieldID")).toLongLong(),
                        fields.value(row, QStringLiteral("FieldTypeCD")).toLongLong()));
    return target;
}

QString SearchTarget::entryText() const {
    return isInventory() ? QStringLiteral("Inventory")
                         : QStringLiteral("Collection - ") + m_collection;
}

QList<SearchColumn> SearchTarget::criteriaColumns() const {
    QList<SearchColumn> result;
    for (const SearchColumn& column : m_columns) {
        if (column.criterion)
            result.append(column);
    }
    return result;
}

std::optional<SearchColumn> SearchTarget::column(const QString& columnName) const {
    for (const SearchColumn& column : m_columns) {
        if (column.column.compare(columnName, Qt::CaseInsensitive) == 0)
            return column;
    }
    return std::nullopt;
}

std::optional<SearchColumn> SearchTarget::columnByDisplayName(const QString& displayName) const {
    for (const SearchColumn& column : m_columns) {
        if (column.displayName.compare(displayName, Qt::CaseInsensitive) == 0)
            return column;
    }
    return std::nullopt;
}
