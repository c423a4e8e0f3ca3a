#pragma once

#include "data/RowCursor.h"

#include <QVariantList>
#include <QVector>

class QIODevice;

// Writes rows to an export file in one format: the columns first, then each row as it is read,
// then whatever closes the file. A device that refuses bytes ends the export with ExportError
// at once, rather than at the end of a long run.
class ExportWriter {
public:
    explicit ExportWriter(QIODevice& device)
        : m_device(device) {}
    virtual ~ExportWriter() = default;
    ExportWriter(const ExportWriter&) = delete;
    ExportWriter& operator=(const ExportWriter&) = delete;

    virtual void writeHeader(const QVector<RowCursor::Column>& columns) = 0;
    virtual void writeRow(const QVariantList& values) = 0;
    virtual void finish() = 0;

protected:
    QIODevice& device() { return m_device; }
    void put(const QByteArray& bytes);
    [[noreturn]] void failed();

private:
    QIODevice& m_device;
};
