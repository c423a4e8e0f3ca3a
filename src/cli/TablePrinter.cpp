#include "TablePrinter.h"

#include "app/General.h"
#include "data/GridRows.h"
#include "data/Recordset.h"
#include "data/RowCursor.h"

namespace {

// Rows read and printed at a time: enough to keep the engine busy, few enough to take little
// memory.
constexpr qint64 ChunkRows = 2000;

} // namespace

void TablePrinter::flatten(QString& line, qsizetype from) {
    for (qsizetype i = from; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            line[i] = QLatin1Char(' ');
    }
}

void TablePrinter::print(QTextStream& out, const Recordset& rows, bool withHeader) {
    QString line;
    const auto cell = [&line](int column, const QString& text) {
        if (column > 0)
            line += QLatin1Char('\t');
        const qsizetype start = line.size();
        line += text;
        flatten(line, start);
    };
    if (withHeader) {
        for (int column = 0; column < rows.columnCount(); ++column)
            cell(column, rows.columnName(column));
        out << line << '\n';
    }
    for (int row = 0; row < rows.rowCount(); ++row) {
        // Emptied, not cleared: clear() gives the buffer back, and each line would grow one
        // again.
        line.resize(0);
        for (int column = 0; column < rows.columnCount(); ++column)
            cell(column,
                 General::NullToDefault(rows.value(row, column), General::KindText).toString());
        out << line << '\n';
    }
    out.flush();
}

qint64 TablePrinter::print(QTextStream& out, RowCursor& rows) {
    QString line;
    for (int column = 0; column < rows.columns().size(); ++column) {
        if (column > 0)
            line += QLatin1Char('\t');
        const qsizetype start = line.size();
        line += rows.columns()[column].name;
        flatten(line, start);
    }
    out << line << '\n';
    qint64 total = 0;
    for (;;) {
        GridRows chunk = GridRows::forCursor(rows);
        const qint64 read = chunk.readRows(rows, ChunkRows);
        for (int row = 0; row < chunk.rowCount(); ++row) {
            line.resize(0);
            for (int column = 0; column < chunk.columnCount(); ++column) {
                if (column > 0)
                    line += QLatin1Char('\t');
                const qsizetype start = line.size();
                chunk.appendText(row, column, line);
                flatten(line, start);
            }
            out << line << '\n';
        }
        total += read;
        if (read < ChunkRows)
            break;
    }
    out.flush();
    return total;
}
