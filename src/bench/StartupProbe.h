#pragma once

#include <QString>
#include <QStringList>

// Times the desktop program's start-up in a process of its own, as a person starting it would
// wait for it: from the moment the process is started to the inventory window drawn with its
// rows, with the program's own start-up code and its --no-splash-wait option. The benchmark
// starts itself with the probe's arguments; the probe prints what it found on its output.
class StartupProbe {
public:
    static constexpr const char* Flag = "--startup-probe";

    struct Result {
        double ms = 0;
        qint64 rows = 0;
        qint64 peakBytes = 0;
    };

    // The arguments that make the benchmark program a probe on the data folder.
    static QStringList arguments(const QString& dataFolder);
    // In the probe process: argv[1] is Flag, argv[2] the start time; the rest goes to the
    // program. Returns the exit code.
    static int runProbe(int argc, char* argv[]);
    // What a probe printed; ok is false when it printed nothing that can be read.
    static Result parse(const QByteArray& output, bool* ok);
    // The monotonic clock the probe and its starter share, in nanoseconds.
    static qint64 now();
};
