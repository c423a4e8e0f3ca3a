#pragma once

#include "export/ExportWriter.h"

#include <QDate>
#include <QHash>
#include <QStringList>
#include <QXmlStreamWriter>

// The rowset XML persistence format that data-access libraries read back as a recordset: a
// root element declaring the s, dt, rs and z namespaces; an s:Schema with one s:AttributeType
// per column (its name, its number from 1, whether it may be Null, and an s:datatype of its
// kind), closed by s:extends type="rs:rowbase"; then rs:data with one z:row per record, whose
// non-Null values are its attributes. Dates are written yyyy-mm-ddThh:mm:ss, flags True/False,
// amounts as plain decimals. A column name that cannot be an attribute name (a blank in it, a
// leading digit, or a name an earlier column already took) is written as "c" + its position
// from 0, with the real name in rs:name.
class RowsetXmlWriter : public ExportWriter {
public:
    explicit RowsetXmlWriter(QIODevice& device);

    void writeHeader(const QVector<RowCursor::Column>& columns) override;
    void writeRow(const QVariantList& values) override;
    void finish() override;

    // A value's text in the file. Characters XML cannot carry at all (control characters other
    // than tab and line breaks) become U+FFFD, so that the file stays readable.
    static QString valueText(const QVariant& value);
    // True when the name may stand as an attribute name without a namespace prefix.
    static bool isXmlName(const QString& name);

private:
    void writeAttributeType(const RowCursor::Column& column, int position);
    void writeDatatype(const RowCursor::Column& column);
    void checkDevice();

    QXmlStreamWriter m_xml;
    QStringList m_attributeNames;
    // The texts of the dates written so far: an export repeats the same dates many times, and
    // formatting one costs far more than finding it again.
    QHash<QDate, QString> m_dateTexts;
};
