#include "export/DelimitedWriter.h"

#include "app/General.h"

DelimitedWriter::DelimitedWriter(QIODevice& device, QChar separator)
    : ExportWriter(device)
    , m_separator(separator) {}

QString DelimitedWriter::field(const QString& text, QChar separator) {
    const bool needsQuotes = text.contains(separator) || text.contains(QLatin1Char('"')) ||
                             text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
    if (!needsQuotes)
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
    QStringList texts;
    texts.reserve(values.size());
    for (const QVariant& value : values)
        texts.append(General::ValueText(value));
    writeLine(texts);
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
