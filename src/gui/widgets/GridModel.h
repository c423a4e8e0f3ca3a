#pragma once

#include "data/Recordset.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QStringList>
#include <QVector>

// The rows of a grid: the recordset it was filled from, each value also held as the text the
// grid shows. Column 0 is the row's key (the item text); the other columns are its sub-items.
// Sorting compares numbers, amounts and dates by value and text without regard to case; a
// column is sorted as numbers when every text in it reads as a number or an amount ("$1,234.00"),
// as dates when every text reads as a date or the column holds dates as values (text in it
// that names no date then sorts after the dates), and as text otherwise.
class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit GridModel(QObject* parent = nullptr);

    // Replaces the headers (the recordset's column names) and the rows.
    void setRecordset(const Recordset& recordset);
    // Removes every row and every column header.
    void clear();

    QString text(int row, int column) const;
    QVariant value(int row, int column) const;
    QStringList headers() const { return m_headers; }

    void setColumnAlignment(int column, Qt::Alignment alignment);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    // Stable: rows that compare equal keep their order.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    struct Row {
        QVariantList values;
        QStringList texts;
    };

    QStringList m_headers;
    QVector<Row> m_rows;
    QHash<int, Qt::Alignment> m_alignment;
};
