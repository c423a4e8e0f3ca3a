#include "export/ExportFormat.h"

namespace ExportFormats {

const QStringList& entries() {
    static const QStringList list = {
        QStringLiteral("Comma-Separated Values (.csv)"),
        QStringLiteral("Tab-Separated Values (.tsv)"),
        QStringLiteral("Extended Markup Language (.xml)"),
    };
    return list;
}

std::optional<ExportFormat> ofEntry(const QString& entry) {
    const QString ending = entry.right(6);
    if (ending == QLatin1String("(.csv)"))
        return ExportFormat::Csv;
    if (ending == QLatin1String("(.tsv)"))
        return ExportFormat::Tsv;
    if (ending == QLatin1String("(.xml)"))
        return ExportFormat::Xml;
    return std::nullopt;
}

std::optional<ExportFormat> ofName(const QString& name) {
    const QString lower = name.toLower();
    if (lower == QLatin1String("csv"))
        return ExportFormat::Csv;
    if (lower == QLatin1String("tsv"))
        return ExportFormat::Tsv;
    if (lower == QLatin1String("xml"))
        return ExportFormat::Xml;
    return std::nullopt;
}

QChar separator(ExportFormat format) {
    return format == ExportFormat::Tsv ? QLatin1Char('\t') : QLatin1Char(',');
}

} // namespace ExportFormats
