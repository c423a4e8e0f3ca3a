#include "records/Inventory.h"

Inventory::Inventory(const dvData& data)
    : RecordStore(data)
    , m_item(data) {}

Recordset Inventory::Search(const QList<ResultColumn>& columns,
                            const SearchCondition& condition) const {
    const QStringList& known = invItem::columnNames();
    QString sql = QStringLiteral("SELECT ItemID");
    if (!columns.isEmpty())
        sql += QStringLiteral(", ") + ResultColumn::selectList(columns, known);
    sql += QStringLiteral(" FROM tblItem");
    const SqlFragment where = condition.toSql(known);
    if (!where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where.text;
    // In the order the items were added, whichever way the engine finds them.
    sql += QStringLiteral(" ORDER BY ItemID");
    Connection connection = connect();
    SearchCondition::registerFunctions(connection);
    return connection.query(sql, where.params);
}
