#pragma once

#include <QString>
#include <QTextStream>

class Recordset;
class RowCursor;

// The listings' lines, for scripts: a line of column names, then one line per row, values
// tab-separated in their display text (Null as empty). Tabs and line breaks inside a value
// become blanks so that every row stays one line.
class TablePrinter {
public:
    // Every row of the recordset, with or without the line of column names.
    static void print(QTextStream& out, const Recordset& rows, bool withHeader = true);
    // The column names and the cursor's rows, each written as it is read, so that a listing of
    // any size takes little memory. Returns the number of rows.
    static qint64 print(QTextStream& out, RowCursor& rows);

private:
    // Turns the tabs and line breaks of line[from...] into blanks.
    static void flatten(QString& line, qsizetype from);
};
