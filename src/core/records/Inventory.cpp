#include "records/Inventory.h"

Inventory::Inventory(const dvData& data)
    : RecordStore(data)
    , m_item(data) {}

SqlFragment Inventory::searchStatement(const QList<ResultColumn>& columns,
                                       const SearchCondition& condition) {
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
    return {sql, where.params};
}

Recordset Inventory::Search(const QList<ResultColumn>& columns,
                            const SearchCondition& condition) const {
    const SqlFragment statement = searchStatement(columns, condition);
    Connection connection = connect();
    SearchCondition::registerFunctions(connection);
    return connection.query(statement.text, statement.params);
}

RowCursor Inventory::SearchRows(const QList<ResultColumn>& columns,
                                const SearchCondition& condition) const {
    const SqlFragment statement = searchStatement(columns, condition);
    Connection connection = connect();
    SearchCondition::registerFunctions(connection);
    return RowCursor(std::move(connection), statement.text, statement.params);
}
