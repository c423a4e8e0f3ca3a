#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>
#include <cstdio>

// The baseline: statements run straight through the SQLite C API on one connection, every
// column of every row read in the form the engine holds it. Nothing of the program is used,
// except for one thing the engine lacks: the money formatting function that the program's
// statements may call, here a few lines of C.
class RawQuery {
public:
    // Runs the statements on the file and returns the number of rows they gave. With `out`,
    // every row is also printed to it as a line of tab-separated values, as a listing would be.
    static qint64 run(const QString& file, const QVector<QByteArray>& statements,
                      FILE* out = nullptr);
    // SQLite's own online backup of `from` into a new file `to`.
    static void backup(const QString& from, const QString& to);
};
