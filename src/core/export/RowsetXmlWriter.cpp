#include "export/RowsetXmlWriter.h"

#include "types/Currency.h"

#include <QDate>
#include <QDateTime>
#include <QRegularExpression>

namespace {

const QString NsSchema = QStringLiteral("uuid:BDC6E3F0-6DA3-11d1-A2A3-00AA00C14882");
const QString NsDatatype = QStringLiteral("uuid:C2F41010-65B3-11d1-A29F-00AA00C14882");
const QString NsRowset = QStringLiteral("urn:schemas-microsoft-com:rowset");
const QString NsRow = QStringLiteral("#RowsetSchema");

// Enough dates for a large household's purchases; beyond it the memory starts again.
constexpr qsizetype MaxDateTexts = 100000;

// The width a TEXT(n) column declares; 0 for a text without a limit.
int declaredWidth(const QString& declaredType) {
    static const QRegularExpression width(QStringLiteral("\\(\\s*(\\d+)\\s*\\)"));
    const QRegularExpressionMatch match = width.match(declaredType);
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

bool isXmlChar(char32_t c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
           (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

QString xmlSafe(const QString& text) {
    bool clean = true;
    for (const char32_t c : text.toUcs4()) {
        if (!isXmlChar(c)) {
            clean = false;
            break;
        }
    }
    if (clean)
        return text;
    QString safe;
    safe.reserve(text.size());
    for (const char32_t c : text.toUcs4()) {
        const char32_t kept = isXmlChar(c) ? c : char32_t(0xFFFD);
        safe += QString::fromUcs4(&kept, 1);
    }
    return safe;
}

} // namespace

RowsetXmlWriter::RowsetXmlWriter(QIODevice& device)
    : ExportWriter(device)
    , m_xml(&device) {
    m_xml.setAutoFormatting(true);
    m_xml.setAutoFormattingIndent(-1); // one tab per level
}

bool RowsetXmlWriter::isXmlName(const QString& name) {
    if (name.isEmpty())
        return false;
    const QChar first = name.front();
    if (!first.isLetter() && first != QLatin1Char('_'))
        return false;
    for (const QChar c : name) {
        if (!c.isLetterOrNumber() && !c.isMark() && c != QLatin1Char('_') &&
            c != QLatin1Char('-') && c != QLatin1Char('.'))
            return false;
    }
    return true;
}

QString RowsetXmlWriter::valueText(const QVariant& value) {
    if (value.metaType() == QMetaType::fromType<Currency>())
        return value.value<Currency>().toString();
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::QDate:
        return value.toDate().toString(QStringLiteral("yyyy-MM-dd'T'00:00:00"));
    case QMetaType::QDateTime:
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss"));
    case QMetaType::Double:
        return QString::number(value.toDouble(), 'g', 15);
    default:
        return xmlSafe(value.toString());
    }
}

void RowsetXmlWriter::writeHeader(const QVector<RowCursor::Column>& columns) {
    m_xml.writeStartDocument();
    m_xml.writeNamespace(NsSchema, QStringLiteral("s"));
    m_xml.writeNamespace(NsDatatype, QStringLiteral("dt"));
    m_xml.writeNamespace(NsRowset, QStringLiteral("rs"));
    m_xml.writeNamespace(NsRow, QStringLiteral("z"));
    m_xml.writeStartElement(QStringLiteral("xml"));
    m_xml.writeStartElement(NsSchema, QStringLiteral("Schema"));
    m_xml.writeAttribute(QStringLiteral("id"), QStringLiteral("RowsetSchema"));
    m_xml.writeStartElement(NsSchema, QStringLiteral("ElementType"));
    m_xml.writeAttribute(QStringLiteral("name"), QStringLiteral("row"));
    m_xml.writeAttribute(QStringLiteral("content"), QStringLiteral("eltOnly"));
    for (int position = 0; position < columns.size(); ++position)
        writeAttributeType(columns[position], position);
    m_xml.writeEmptyElement(NsSchema, QStringLiteral("extends"));
    m_xml.writeAttribute(QStringLiteral("type"), QStringLiteral("rs:rowbase"));
    m_xml.writeEndElement(); // s:ElementType
    m_xml.writeEndElement(); // s:Schema
    m_xml.writeStartElement(NsRowset, QStringLiteral("data"));
    checkDevice();
}

void RowsetXmlWriter::writeAttributeType(const RowCursor::Column& column, int position) {
    QString name = column.name;
    if (!isXmlName(name) || m_attributeNames.contains(name)) {
        name = QStringLiteral("c%1").arg(position);
        // A real column may already be called c3; the suffix keeps the names apart.
        for (int suffix = 1; m_attributeNames.contains(name); ++suffix)
            name = QStringLiteral("c%1_%2").arg(position).arg(suffix);
    }
    m_attributeNames.append(name);

    m_xml.writeStartElement(NsSchema, QStringLiteral("AttributeType"));
    m_xml.writeAttribute(QStringLiteral("name"), name);
    if (name != column.name)
        m_xml.writeAttribute(NsRowset, QStringLiteral("name"), xmlSafe(column.name));
    m_xml.writeAttribute(NsRowset, QStringLiteral("number"), QString::number(position + 1));
    if (column.nullable)
        m_xml.writeAttribute(NsRowset, QStringLiteral("nullable"), QStringLiteral("true"));
    writeDatatype(column);
    m_xml.writeEndElement();
}

void RowsetXmlWriter::writeDatatype(const RowCursor::Column& column) {
    m_xml.writeEmptyElement(NsSchema, QStringLiteral("datatype"));
    const auto attribute = [this](const QString& ns, const char* name, const QString& value) {
        m_xml.writeAttribute(ns, QLatin1String(name), value);
    };
    const auto fixed = [&](const char* type, int length) {
        attribute(NsDatatype, "type", QLatin1String(type));
        attribute(NsDatatype, "maxLength", QString::number(length));
    };
    switch (column.kind) {
    case ColumnValue::Kind::Integer:
        fixed("int", 4);
        attribute(NsRowset, "precision", QStringLiteral("10"));
        attribute(NsRowset, "fixedlength", QStringLiteral("true"));
        break;
    case ColumnValue::Kind::Boolean:
        fixed("boolean", 2);
        attribute(NsRowset, "fixedlength", QStringLiteral("true"));
        break;
    case ColumnValue::Kind::Currency:
        attribute(NsDatatype, "type", QStringLiteral("number"));
        attribute(NsRowset, "dbtype", QStringLiteral("currency"));
        attribute(NsDatatype, "maxLength", QStringLiteral("8"));
        attribute(NsRowset, "precision", QStringLiteral("19"));
        attribute(NsRowset, "fixedlength", QStringLiteral("true"));
        break;
    case ColumnValue::Kind::DateTime:
        attribute(NsDatatype, "type", QStringLiteral("dateTime"));
        attribute(NsRowset, "dbtype", QStringLiteral("variantdate"));
        attribute(NsDatatype, "maxLength", QStringLiteral("16"));
        attribute(NsRowset, "fixedlength", QStringLiteral("true"));
        break;
    case ColumnValue::Kind::Text:
    case ColumnValue::Kind::Unknown:
        attribute(NsDatatype, "type", QStringLiteral("string"));
        if (const int width = declaredWidth(column.declaredType); width > 0) {
            attribute(NsDatatype, "maxLength", QString::number(width));
        } else {
            // A long text, as the comments are.
            attribute(NsDatatype, "maxLength", QStringLiteral("536870910"));
            attribute(NsRowset, "long", QStringLiteral("true"));
        }
        break;
    }
    if (!column.nullable)
        attribute(NsRowset, "maybenull", QStringLiteral("false"));
}

void RowsetXmlWriter::writeRow(const QVariantList& values) {
    m_xml.writeEmptyElement(NsRow, QStringLiteral("row"));
    for (int i = 0; i < values.size() && i < m_attributeNames.size(); ++i) {
        const QVariant& value = values[i];
        if (value.isNull())
            continue;
        // A date, or a date and time at midnight, has the text of its day.
        QDate day;
        if (value.typeId() == QMetaType::QDate)
            day = value.toDate();
        else if (value.typeId() == QMetaType::QDateTime && value.toDateTime().isValid() &&
                 value.toDateTime().time() == QTime(0, 0))
            day = value.toDateTime().date();
        if (!day.isValid()) {
            m_xml.writeAttribute(m_attributeNames[i], valueText(value));
            continue;
        }
        auto known = m_dateTexts.constFind(day);
        if (known == m_dateTexts.cend()) {
            if (m_dateTexts.size() >= MaxDateTexts)
                m_dateTexts.clear();
            known = m_dateTexts.insert(day, valueText(value));
        }
        m_xml.writeAttribute(m_attributeNames[i], *known);
    }
    checkDevice();
}

void RowsetXmlWriter::finish() {
    m_xml.writeEndElement(); // rs:data
    m_xml.writeEndElement(); // xml
    m_xml.writeEndDocument();
    checkDevice();
}

void RowsetXmlWriter::checkDevice() {
    if (m_xml.hasError())
        failed();
}
