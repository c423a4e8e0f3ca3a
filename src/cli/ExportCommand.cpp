#include "CliCommand.h"

#include "data/dvData.h"
#include "export/ExportFile.h"
#include "export/ExportSource.h"

#include <QDir>

int runExport(CliContext& context) {
    const QString table = context.argument(QStringLiteral("TABLE"));
    const QString formatName = context.argument(QStringLiteral("FORMAT"));
    const QString file = context.argument(QStringLiteral("FILE"));
    const auto format = ExportFormats::ofName(formatName);
    if (!format)
        throw UsageError{QStringLiteral("FORMAT is csv, tsv or xml, not '%1'").arg(formatName)};
    const QStringList inventoryTables = {QStringLiteral("Inventory Items"),
                                         QStringLiteral("Inventory Type List"),
                                         QStringLiteral("Inventory Location List")};
    if (!inventoryTables.contains(table) && !ExportSource::collectionOf(table))
        throw UsageError{QStringLiteral("TABLE is \"%1\" or \"Collection 'NAME'\", not \"%2\"")
                             .arg(inventoryTables.join(QStringLiteral("\", \"")), table)};
    dvData data;
    context.openDatabase(data);
    const std::optional<qint64> rows = ExportFile::exportTable(data, table, *format, file);
    const qint64 written = rows.value_or(0);
    context.out << "Exported " << written << (written == 1 ? " row" : " rows") << " of " << table
                << " to " << QDir::toNativeSeparators(file) << Qt::endl;
    return ExitCode::Ok;
}
