#include "export/ExportFile.h"

#include "app/Settings.h"
#include "export/DelimitedWriter.h"
#include "export/ExportError.h"
#include "export/ExportSource.h"
#include "export/RowsetXmlWriter.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <memory>

namespace {

std::unique_ptr<ExportWriter> writerFor(ExportFormat format, QIODevice& device) {
    if (format == ExportFormat::Xml)
        return std::make_unique<RowsetXmlWriter>(device);
    return std::make_unique<DelimitedWriter>(device, ExportFormats::separator(format));
}

QString shown(const QString& fileName) {
    return QDir::toNativeSeparators(fileName);
}

} // namespace

void ExportFile::checkDestination(const RowCursor& rows, const QString& fileName) {
    const QFileInfo destination(fileName);
    if (fileName.trimmed().isEmpty())
        throw ExportError(QStringLiteral("No export file is named."));
    if (!destination.exists())
        return;
    if (destination.isDir())
        throw ExportError(QStringLiteral("%1 is a folder, not a file.").arg(shown(fileName)));
    // Replacing the database with its own export would lose every record in it.
    if (destination.canonicalFilePath() == QFileInfo(rows.databasePath()).canonicalFilePath())
        throw ExportError(QStringLiteral("%1 is the database itself; choose another export file.")
                              .arg(shown(fileName)));
    // The file would be replaced by renaming, which a read-only file does not prevent (nor do
    // its permissions stop the administrator, so they are read as they stand).
    constexpr auto anyWrite =
        QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    if (!destination.isWritable() || !(destination.permissions() & anyWrite))
        throw ExportError(QStringLiteral("The export file %1 is read-only.").arg(shown(fileName)));
}

std::optional<qint64> ExportFile::write(RowCursor& rows, ExportFormat format,
                                        const QString& fileName, const Progress& progress) {
    checkDestination(rows, fileName);
    const qint64 total = progress ? rows.countRows() : 0;
    const auto goOn = [&progress, total](qint64 written) {
        return !progress || progress(written, total);
    };
    if (!goOn(0))
        return std::nullopt;

    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw ExportError(QStringLiteral("The export file %1 cannot be written: %2")
                              .arg(shown(fileName), file.errorString()));
    const std::unique_ptr<ExportWriter> writer = writerFor(format, file);
    writer->writeHeader(rows.columns());
    qint64 written = 0;
    while (rows.next()) {
        writer->writeRow(rows.row());
        ++written;
        if (written % ProgressStep == 0 && !goOn(written))
            return std::nullopt; // the temporary file goes with `file`
    }
    writer->finish();
    if (!goOn(written))
        return std::nullopt;
    if (!file.commit())
        throw ExportError(QStringLiteral("The export file %1 cannot be written: %2")
                              .arg(shown(fileName), file.errorString()));
    return written;
}

std::optional<qint64> ExportFile::exportTable(const dvData& data, const QString& entry,
                                              ExportFormat format, const QString& fileName,
                                              const Progress& progress) {
    // Amounts and dates are written row by row, after the settings.
    const Settings::Held settings;
    RowCursor rows = ExportSource::open(data, entry);
    return write(rows, format, fileName, progress);
}
