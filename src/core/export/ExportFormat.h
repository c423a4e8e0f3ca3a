#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The three kinds of export file.
enum class ExportFormat { Csv, Tsv, Xml };

namespace ExportFormats {

// The entries of the export window's format list, in this order: comma-separated,
// tab-separated, XML.
const QStringList& entries();
// The format of a list entry, recognised by its last six characters ("(.csv)", "(.tsv)",
// "(.xml)"); nullopt for anything else.
std::optional<ExportFormat> ofEntry(const QString& entry);
// The format named "csv", "tsv" or "xml" (letter case aside), as the command line gives it.
std::optional<ExportFormat> ofName(const QString& name);
// The character between values: a comma or a tab. XML has none.
QChar separator(ExportFormat format);

} // namespace ExportFormats
