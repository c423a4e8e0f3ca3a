#pragma once

#include <QtGlobal>

// The resident memory of this process, as the kernel counts it.
namespace ProcessMemory {

// Gives freed memory back to the system and starts the peak afresh at what is resident now, so
// that the next peak belongs to what runs after this call. Returns false where the kernel does
// not allow it (the peak then stays the process's peak so far).
bool resetPeak();
// The highest resident size since the last reset (or since the start), in bytes.
qint64 peakBytes();
// The resident size now, in bytes.
qint64 currentBytes();

} // namespace ProcessMemory
