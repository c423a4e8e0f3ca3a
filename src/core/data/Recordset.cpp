#include "data/Recordset.h"

#include "data/DbError.h"

Recordset::Recordset(QStringList columnNames, QVector<QVariantList> rows)
    : m_columns(std::move(columnNames))
    , m_rows(std::move(rows)) {}

int Recordset::columnIndex(const QString& name) const {
    // Names of another length never match (case is folded character by character), and
    // skipping them cheaply matters: a report asks for its columns by name in every row.
    for (int i = 0; i < m_columns.size(); ++i) {
        if (m_columns[i].size() == name.size() &&
            m_columns[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

const QVariant& Recordset::value(int row, const QString& column) const {
    const int index = columnIndex(column);
    if (index < 0)
        throw DbError(QStringLiteral("The result has no column named '%1'.").arg(column));
    return value(row, index);
}

QVariantList Recordset::columnValues(const QString& column) const {
    QVariantList values;
    values.reserve(m_rows.size());
    for (int row = 0; row < m_rows.size(); ++row)
        values.append(value(row, column));
    return values;
}
