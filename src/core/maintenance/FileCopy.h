#pragma once

#include <QtGlobal>

// The copying part of a DatabaseCopyJob: the new file written a piece at a time, so that the job
// can show its progress and be abandoned between any two pieces.
class FileCopy {
public:
    virtual ~FileCopy() = default;

    // Copies about maxBytes more of the file (all that is left when 0 or less); true once the
    // copy is complete. Throws DbError; the copy can do nothing more after that.
    virtual bool copySome(qint64 maxBytes) = 0;
    // The share of the file copied so far, 0 to 1.
    virtual double share() const = 0;
};
