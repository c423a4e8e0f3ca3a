#pragma once

#include "export/ExportWriter.h"

#include <QByteArray>
#include <QDate>
#include <QHash>
#include <QStringList>
#include <QStringView>

// The rowset XML persistence format that data-access libraries read back as a recordset: a
// root element declaring the s, dt, rs and z namespaces; an s:Schema with one s:AttributeType
// per column (its name, its number from 1, whether it may be Null, and an s:datatype of its
// kind), closed by s:extends type="rs:rowbase"; then rs:data with one z:row per record, whose
// non-Null values are its attributes. Dates are written yyyy-mm-ddThh:mm:ss, flags True/False,
// amounts as plain decimals. A column name that cannot be an attribute name (a blank in it, a
// leading digit, or a name an earlier column already took) is written as "c" + its position
// from 0, with the real name in rs:name.
//
// The file is UTF-8 with an XML declaration, one element per line, indented by one tab per
// level. In attribute values &, <, > and " are escaped, and so are tab, line feed and carriage
// return (as character references, so that a reader keeps them rather than turning them into
// blanks). Characters XML cannot carry at all (other control characters, U+FFFE, U+FFFF, and a
// half of a surrogate pair standing alone) become U+FFFD, so that the file stays readable.
//
// The XML is written here rather than through a general XML writer: a large export is
// millions of attributes, and building each one's bytes straight into one buffer, which goes
// to the file a megabyte at a time, takes a fraction of the time.
class RowsetXmlWriter : public ExportWriter {
public:
    explicit RowsetXmlWriter(QIODevice& device);

    void writeHeader(const QVector<RowCursor::Column>& columns) override;
    void writeRow(const QVariantList& values) override;
    void finish() override;

    // True when the name may stand as an attribute name without a namespace prefix.
    static bool isXmlName(const QString& name);

private:
    void writeAttributeType(const RowCursor::Column& column, int position);
    void writeDatatype(const RowCursor::Column& column);

    // An element's start tag at the depth, left open for its attributes.
    void startElement(int depth, const char* name);
    // Closes the element started last at the depth: "/>" while its start tag is still open
    // (it has no content), else an end tag on a line of its own.
    void endElement(int depth, const char* name);
    void attribute(const char* name, QStringView value);
    void appendValue(const QVariant& value);
    void appendEscaped(QStringView text);
    void appendNumber(qint64 number);
    void flush();

    QByteArray m_buffer;
    bool m_startTagOpen = false;
    QStringList m_attributeNames;
    // Each column's ` name="` as it opens its value in a row.
    QList<QByteArray> m_valueOpenings;
    // The texts of the dates written so far: an export repeats the same dates many times, and
    // formatting one costs far more than finding it again.
    QHash<QDate, QByteArray> m_dateTexts;
};
