#include "widgets/GridModel.h"

#include "data/RowCursor.h"

GridModel::GridModel(QObject* parent)
    : QAbstractTableModel(parent) {}

void GridModel::setRows(GridRows rows) {
    beginResetModel();
    m_rows = std::move(rows);
    m_sortedColumn = -1;
    m_alignment.clear();
    endResetModel();
}

void GridModel::setRecordset(const Recordset& recordset) {
    setRows(GridRows::fromRecordset(recordset));
}

void GridModel::fill(RowCursor& cursor) {
    GridRows rows = GridRows::forCursor(cursor);
    rows.readRows(cursor, 1);
    beginResetModel();
    m_rows = GridRows();
    m_sortedColumn = -1;
    m_alignment.clear();
    try {
        rows.readRows(cursor);
    } catch (...) {
        endResetModel();
        throw;
    }
    m_rows = std::move(rows);
    endResetModel();
}

void GridModel::clear() {
    setRows(GridRows());
}

QString GridModel::text(int row, int column) const {
    return m_rows.text(row, column);
}

QVariant GridModel::value(int row, int column) const {
    return m_rows.value(row, column);
}

void GridModel::setColumnAlignment(int column, Qt::Alignment alignment) {
    m_alignment.insert(column, alignment);
    if (m_rows.rowCount() > 0)
        emit dataChanged(index(0, column), index(m_rows.rowCount() - 1, column),
                         {Qt::TextAlignmentRole});
    emit headerDataChanged(Qt::Horizontal, column, column);
}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows.rowCount();
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows.columnCount();
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return text(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(
            m_alignment.value(index.column(), Qt::AlignLeft | Qt::AlignVCenter) | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal)
        return {};
    if (role == Qt::DisplayRole)
        return m_rows.headers().value(section);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(m_alignment.value(section, Qt::AlignLeft) | Qt::AlignVCenter);
    return {};
}

void GridModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= m_rows.columnCount())
        return;
    if (column == m_sortedColumn && order == m_sortedOrder)
        return;
    const QVector<int> moved = m_rows.sortPositions(column, order);
    m_sortedColumn = column;
    m_sortedOrder = order;
    // Rows that are in that order already (the statement sorted them) are left as they are,
    // and so is the view.
    if (moved.isEmpty())
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    m_rows.reorder(moved);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& index : before)
        after << this->index(moved.at(index.row()), index.column());
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}
