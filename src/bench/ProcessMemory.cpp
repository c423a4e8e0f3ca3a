#include "ProcessMemory.h"

#include <QFile>
#include <malloc.h>

namespace {

// A "VmHWM:   123456 kB" line of /proc/self/status, in bytes.
qint64 statusValue(const char* name) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray key = QByteArray(name) + ':';
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').value(0).toLongLong() * 1024;
    }
    return 0;
}

} // namespace

namespace ProcessMemory {

bool resetPeak() {
    malloc_trim(0);
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    // "5" resets the peak resident size to the current one.
    return clear.open(QIODevice::WriteOnly) && clear.write("5") == 1;
}

qint64 peakBytes() {
    return statusValue("VmHWM");
}

qint64 currentBytes() {
    return statusValue("VmRSS");
}

} // namespace ProcessMemory
