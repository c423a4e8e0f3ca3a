#pragma once

#include "export/ExportWriter.h"
#include "types/DateTextCache.h"

#include <QChar>
#include <QString>

// Values separated by a comma or a tab, in UTF-8 without a byte-order mark. The first line
// holds the column names; each further line one row, every value in its display text (dates
// as short or general date, flags True/False, amounts without trailing zeros, Null empty).
// Every value, the last included, is followed by the separator, and every line ends in CR LF.
// A value that holds the separator, a double quote or a line break stands between double
// quotes with its quotes doubled, so that spreadsheets and csv readers keep every row's columns
// in place; any other value is written as it is.
class DelimitedWriter : public ExportWriter {
public:
    DelimitedWriter(QIODevice& device, QChar separator);

    void writeHeader(const QVector<RowCursor::Column>& columns) override;
    void writeRow(const QVariantList& values) override;
    void finish() override {}

    // One value as it stands in the file, without its separator.
    static QString field(const QString& text, QChar separator);

private:
    void writeLine(const QStringList& texts);

    QChar m_separator;
    // The line being written, kept to reuse its memory from row to row.
    QString m_line;
    DateTextCache m_dates;
};
