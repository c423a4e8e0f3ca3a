#include "widgets/GridView.h"

#include "app/Globals.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QScrollBar>
#include <QStyle>

GridView::GridView(QWidget* parent)
    : QTreeView(parent)
    , m_model(new GridModel(this)) {
    setModel(m_model);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setAlternatingRowColors(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);
    header()->setSectionsClickable(true);
    header()->setSortIndicatorShown(false);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    connect(header(), &QHeaderView::sectionClicked, this, &GridView::headerClicked);
    connect(m_model, &QAbstractItemModel::modelReset, this, &GridView::modelWasReset);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { emit selectedRowChanged(selectedRow()); });
}

int GridView::rowCount() const {
    return m_model->rowCount();
}

int GridView::columnCount() const {
    return m_model->columnCount();
}

QString GridView::itemText(int row) const {
    return m_model->text(row, 0);
}

QString GridView::subItemText(int row, int index) const {
    return m_model->text(row, index);
}

QString GridView::text(int row, int column) const {
    return m_model->text(row, column);
}

int GridView::columnIndex(const QString& caption) const {
    const QStringList headers = m_model->headers();
    for (int column = 0; column < headers.size(); ++column) {
        if (headers.at(column).compare(caption, Qt::CaseInsensitive) == 0)
            return column;
    }
    return -1;
}

int GridView::selectedRow() const {
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void GridView::selectRow(int row) {
    if (row < 0 || row >= rowCount()) {
        clearSelection();
        return;
    }
    const QModelIndex index = m_model->index(row, columnCount() > 1 ? 1 : 0);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                 QItemSelectionModel::Rows);
    scrollTo(index);
}

void GridView::clearSelection() {
    selectionModel()->clearSelection();
}

void GridView::setSortKey(int column) {
    m_sortKey = column;
    applySort();
}

void GridView::setSortOrder(Qt::SortOrder order) {
    m_sortOrder = order;
    applySort();
}

void GridView::headerClicked(int column) {
    if (column == m_sortKey) {
        m_sortOrder = m_sortOrder == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    } else {
        m_sortKey = column;
    }
    applySort();
}

void GridView::setColumnWidthFractions(const QList<double>& fractions) {
    m_fractions = fractions;
    m_minimumWidths.clear();
    applyColumnWidths();
}

void GridView::setColumnMinimumText(int column, const QString& sample) {
    // The item view keeps this margin on either side of a cell's text.
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    m_minimumWidths.insert(column, fontMetrics().horizontalAdvance(sample) + 2 * margin + 2);
    applyColumnWidths();
}

void GridView::setColumnAlignment(int column, Qt::Alignment alignment) {
    m_model->setColumnAlignment(column, alignment);
}

void GridView::resizeEvent(QResizeEvent* event) {
    QTreeView::resizeEvent(event);
    applyColumnWidths();
}

void GridView::applySort() {
    if (m_sortKey < 0 || m_sortKey >= columnCount()) {
        header()->setSortIndicatorShown(false);
        return;
    }
    m_model->sort(m_sortKey, m_sortOrder);
    header()->setSortIndicatorShown(true);
    header()->setSortIndicator(m_sortKey, m_sortOrder);
}

void GridView::applyColumnWidths() {
    if (m_fractions.isEmpty())
        return;
    const int width = viewport()->width();
    const int columns = std::min(columnCount(), int(m_fractions.size()));
    const bool stretchLast = columns == columnCount();
    int used = 0;
    for (int column = 1; column < columns; ++column) {
        const int minimum = m_minimumWidths.value(column);
        int columnWidth = std::max(int(width * m_fractions.at(column)), minimum);
        // The last column keeps at least half its share when the others' minimums crowd it.
        if (stretchLast && column == columns - 1)
            columnWidth = std::max(width - used, std::max(minimum, columnWidth / 2));
        setColumnWidth(column, columnWidth);
        used += columnWidth;
    }
}

void GridView::modelWasReset() {
    if (columnCount() > 0)
        setColumnHidden(0, true);
    for (int column = 1; column < columnCount(); ++column)
        setColumnHidden(column, false);
    applySort();
    applyColumnWidths();
    emit selectedRowChanged(-1);
}

void FillListView(GridView* grid, const Recordset& recordset) {
    grid->gridModel()->setRecordset(recordset);
}

void FillListView(GridView* grid, RowCursor& rows) {
    grid->gridModel()->fill(rows);
}

void FillListView(GridView* grid, GridRows rows) {
    grid->gridModel()->setRows(std::move(rows));
}

namespace {

QString rowText(const GridView* grid, int row) {
    QString text = grid->itemText(row);
    for (int index = 1; index < grid->columnCount(); ++index)
        text += QLatin1Char('\t') + grid->subItemText(row, index);
    return text;
}

void putOnClipboard(const QString& text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(text);
}

} // namespace

void CopySelectedRow(GridView* grid) {
    const int row = grid->selectedRow();
    if (row < 0)
        return;
    putOnClipboard(rowText(grid, row));
    ShowStatus(QStringLiteral("Selected grid item copied to the clipboard."));
}

void CopyGrid(GridView* grid) {
    QString text;
    for (int row = 0; row < grid->rowCount(); ++row)
        text += rowText(grid, row) + QLatin1String("\r\n");
    putOnClipboard(text);
    ShowStatus(QStringLiteral("Contents of grid copied to the clipboard."));
}
