#pragma once

#include <QByteArray>
#include <QVector>

// Records the statements the program runs, with their values written in, so that the baseline
// can run exactly the same SQL straight through the SQLite C API. It hooks every connection the
// process opens (sqlite3_auto_extension and the engine's statement trace), so the program
// itself needs no hook: install() before the first connection, then start() and stop() around
// the operation.
class SqlCapture {
public:
    static void install();
    static void start();
    // The statements run since start(), in order, each as often as it ran.
    static QVector<QByteArray> stop();
};
