#include "widgets/GridModel.h"

#include "app/General.h"
#include "types/Currency.h"
#include "types/DateText.h"

#include <algorithm>
#include <numeric>
#include <optional>

namespace {

enum class SortKind { Number, Date, Text };

QDateTime dateOf(const QVariant& value, const QString& text) {
    if (value.typeId() == QMetaType::QDateTime)
        return value.toDateTime();
    if (value.typeId() == QMetaType::QDate)
        return value.toDate().startOfDay();
    // A general date: the short date, then the time of day.
    const QString trimmed = text.trimmed();
    const qsizetype blank = trimmed.indexOf(QLatin1Char(' '));
    const QDate date = DateText::parseDate(blank < 0 ? trimmed : trimmed.left(blank));
    if (!date.isValid())
        return {};
    if (blank < 0)
        return date.startOfDay();
    const QString timeText = trimmed.mid(blank + 1);
    const QLocale locale;
    QTime time = locale.toTime(timeText, QLocale::LongFormat);
    if (!time.isValid())
        time = locale.toTime(timeText, QLocale::ShortFormat);
    if (!time.isValid())
        time = QTime::fromString(timeText, Qt::ISODate);
    return time.isValid() ? QDateTime(date, time) : QDateTime();
}

} // namespace

GridModel::GridModel(QObject* parent)
    : QAbstractTableModel(parent) {}

void GridModel::setRecordset(const Recordset& recordset) {
    beginResetModel();
    m_headers = recordset.columnNames();
    m_rows.clear();
    m_rows.reserve(recordset.rowCount());
    for (int r = 0; r < recordset.rowCount(); ++r) {
        Row row;
        row.values = recordset.row(r);
        for (const QVariant& value : row.values)
            row.texts << General::NullToDefault(value, General::KindText).toString();
        m_rows << row;
    }
    m_alignment.clear();
    endResetModel();
}

void GridModel::clear() {
    beginResetModel();
    m_headers.clear();
    m_rows.clear();
    m_alignment.clear();
    endResetModel();
}

QString GridModel::text(int row, int column) const {
    if (row < 0 || row >= m_rows.size())
        return {};
    return m_rows.at(row).texts.value(column);
}

QVariant GridModel::value(int row, int column) const {
    if (row < 0 || row >= m_rows.size())
        return {};
    return m_rows.at(row).values.value(column);
}

void GridModel::setColumnAlignment(int column, Qt::Alignment alignment) {
    m_alignment.insert(column, alignment);
    if (!m_rows.isEmpty())
        emit dataChanged(index(0, column), index(int(m_rows.size()) - 1, column),
                         {Qt::TextAlignmentRole});
    emit headerDataChanged(Qt::Horizontal, column, column);
}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_headers.size());
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
        return m_headers.value(section);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(m_alignment.value(section, Qt::AlignLeft) | Qt::AlignVCenter);
    return {};
}

void GridModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= m_headers.size() || m_rows.size() < 2)
        return;

    // One kind for the whole column, so that every pair of rows compares the same way. A
    // column that holds dates as values is a date column even where a value is text that
    // names no date (a collection date stored in a form that cannot be read); such text sorts
    // after the dates.
    SortKind kind = SortKind::Number;
    const bool holdsDates = std::any_of(m_rows.cbegin(), m_rows.cend(), [column](const Row& row) {
        const int type = row.values.at(column).typeId();
        return type == QMetaType::QDate || type == QMetaType::QDateTime;
    });
    for (const Row& row : m_rows) {
        if (holdsDates) {
            kind = SortKind::Date;
            break;
        }
        const QString& text = row.texts.at(column);
        if (text.trimmed().isEmpty())
            continue;
        if (kind == SortKind::Number && !General::NumberOf(row.values.at(column)))
            kind = SortKind::Date;
        if (kind == SortKind::Date && !dateOf(row.values.at(column), text).isValid()) {
            kind = SortKind::Text;
            break;
        }
    }

    struct Key {
        bool empty = true;
        double number = 0;
        QDateTime date;
        QString text;
    };
    QVector<Key> keys(m_rows.size());
    for (int r = 0; r < m_rows.size(); ++r) {
        const QString& text = m_rows.at(r).texts.at(column);
        const QVariant& value = m_rows.at(r).values.at(column);
        Key& key = keys[r];
        key.empty = text.trimmed().isEmpty();
        key.text = text;
        if (key.empty)
            continue;
        if (kind == SortKind::Number)
            key.number = General::NumberOf(value).value_or(0.0);
        else if (kind == SortKind::Date)
            key.date = dateOf(value, text);
    }
    const auto less = [&](int a, int b) {
        const Key& x = keys.at(a);
        const Key& y = keys.at(b);
        if (x.empty || y.empty)
            return x.empty && !y.empty;
        switch (kind) {
        case SortKind::Number:
            return x.number < y.number;
        case SortKind::Date:
            if (x.date.isValid() && y.date.isValid())
                return x.date < y.date;
            if (x.date.isValid() != y.date.isValid())
                return x.date.isValid();
            break;
        case SortKind::Text:
            break;
        }
        return QString::compare(x.text, y.text, Qt::CaseInsensitive) < 0;
    };

    QVector<int> order_(m_rows.size());
    std::iota(order_.begin(), order_.end(), 0);
    if (order == Qt::AscendingOrder)
        std::stable_sort(order_.begin(), order_.end(), less);
    else
        std::stable_sort(order_.begin(), order_.end(), [&](int a, int b) { return less(b, a); });

    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    QVector<int> newPosition(m_rows.size());
    QVector<Row> sorted;
    sorted.reserve(m_rows.size());
    for (int position = 0; position < order_.size(); ++position) {
        newPosition[order_.at(position)] = position;
        sorted << m_rows.at(order_.at(position));
    }
    m_rows = std::move(sorted);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& index : before)
        after << this->index(newPosition.at(index.row()), index.column());
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}
