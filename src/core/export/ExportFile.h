#pragma once

#include "data/RowCursor.h"
#include "export/ExportFormat.h"

#include <QString>
#include <functional>
#include <optional>

class dvData;

// Writes one export file. The file is built under a temporary name beside the one chosen and
// takes its place only when it is complete, so a cancelled or failed export leaves no
// half-written file under that name, and a file already there stays as it was until then.
class ExportFile {
public:
    // Told how far the export has come (rows written, rows in all) now and then, and once at
    // the start and the end; answering false stops the export.
    using Progress = std::function<bool(qint64 written, qint64 total)>;

    // Writes the rows to fileName, replacing a file of that name. Returns the number of rows
    // written, or nullopt when progress stopped the export. Throws ExportError when the file
    // cannot be written (a missing folder, a read-only file, the database the rows come from,
    // a full disk), DbError when the rows cannot be read.
    static std::optional<qint64> write(RowCursor& rows, ExportFormat format,
                                       const QString& fileName, const Progress& progress = {});

    // The entry's rows (ExportSource::open) written to fileName.
    static std::optional<qint64> exportTable(const dvData& data, const QString& entry,
                                             ExportFormat format, const QString& fileName,
                                             const Progress& progress = {});

    // How many rows go by between two progress reports.
    static constexpr qint64 ProgressStep = 200;

private:
    static void checkDestination(const RowCursor& rows, const QString& fileName);
};
