#include "export/DelimitedWriter.h"

#include "app/General.h"

#include <algorithm>

DelimitedWriter::DelimitedWriter(QIODevice& device, QChar separator)
    : ExportWriter(device)
    , m_separator(separator) {}

QString DelimitedWriter::field(const QString& text, QChar separator) {
    const auto special = [separator](QChar c) {
        return c == separator || c == u'"' || c == u'\n' || c == u'\r';
    };
    if (std::none_of(text.cbegin(), text.cend(), special))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

void DelimitedWriter::writeHeader(const QVector<RowCursor::Column>& columns) {
    QStringList names;
    names.reserve(columns.size());
    for (const RowCursor::Column& column : columns)
        names.append(column.name);
    writeLine(names);
}

void DelimitedWriter::writeRow(const QVariantList& values) {
    m_line.resize(0);
    for (const QVariant& value : values) {
        const int type = value.typeId();
        m_line += field(type == QMetaType::QDate || type == QMetaType::QDateTime
                            ? m_dates.displayText(value)
                            : General::ValueText(value),
                        m_separator);
        m_line += m_separator;
    }
    m_line += QLatin1String("\r\n");
    put(m_line.toUtf8());
}

void DelimitedWriter::writeLine(const QStringList& texts) {
    QString line;
    for (const QString& text : texts) {
        line += field(text, m_separator);
        line += m_separator;
    }
    line += QLatin1String("\r\n");
    put(line.toUtf8());
}
