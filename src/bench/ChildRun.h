#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Runs another program to its end and tells how long it ran and how much memory it took at its
// peak, as the kernel accounts them.
class ChildRun {
public:
    struct Result {
        int exitCode = -1;
        double wallMs = 0;
        qint64 peakBytes = 0;
        // The standard output, when asked for; otherwise it goes to /dev/null.
        QByteArray output;
    };

    static Result run(const QString& program, const QStringList& args, bool keepOutput);

    // The kernel counts the memory a process had when it started another as the other's too:
    // a child of the benchmark would show the benchmark's peak. So the program is started
    // through domivo-bench-measure (`measurer`), which is small and reports the program's own
    // figures. Its output goes to /dev/null.
    static Result measured(const QString& measurer, const QString& program,
                           const QStringList& args);
};
