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
};
