#include "records/Inventory.h"

Inventory::Inventory(const dvData& data)
    : RecordStore(data)
    , m_item(data) {}

Recordset Inventory::Search(const QString& fieldList, const SqlFragment& condition) const {
    QString sql = QStringLiteral("SELECT ItemID");
    if (!fieldList.trimmed().isEmpty())
        sql += QStringLiteral(", ") + fieldList;
    sql += QStringLiteral(" FROM tblItem");
    if (!condition.isEmpty())
        sql += QStringLiteral(" WHERE ") + condition.text;
    return read(sql, condition.params);
}
