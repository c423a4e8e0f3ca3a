#include "export/RowsetXmlWriter.h"

#include "types/Currency.h"

#include <QDateTime>
#include <QRegularExpression>
#include <charconv>

namespace {

const QString NsSchema = QStringLiteral("uuid:BDC6E3F0-6DA3-11d1-A2A3-00AA00C14882");
const QString NsDatatype = QStringLiteral("uuid:C2F41010-65B3-11d1-A29F-00AA00C14882");
const QString NsRowset = QStringLiteral("urn:schemas-microsoft-com:rowset");
const QString NsRow = QStringLiteral("#RowsetSchema");

// Enough dates for a large household's purchases; beyond it the memory starts again.
constexpr qsizetype MaxDateTexts = 100000;
// The buffer goes to the file once it holds this much: few writes, and little memory.
constexpr qsizetype FlushSize = qsizetype(1) << 20;

// The width a TEXT(n) column declares; 0 for a text without a limit.
int declaredWidth(const QString& declaredType) {
    static const QRegularExpression width(QStringLiteral("\\(\\s*(\\d+)\\s*\\)"));
    const QRegularExpressionMatch match = width.match(declaredType);
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

// The text of a value that has no quicker way into the file.
QString valueText(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::QDate:
        return value.toDate().toString(QStringLiteral("yyyy-MM-dd'T'00:00:00"));
    case QMetaType::QDateTime:
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss"));
    case QMetaType::Double:
        return QString::number(value.toDouble(), 'g', 15);
    default:
        return value.toString();
    }
}

// Writes the UTF-8 of one UTF-16 code unit below U+D800 or above U+DFFF.
char* putUtf8(char* out, char16_t c) {
    if (c < 0x80) {
        *out++ = char(c);
    } else if (c < 0x800) {
        *out++ = char(0xC0 | (c >> 6));
        *out++ = char(0x80 | (c & 0x3F));
    } else {
        *out++ = char(0xE0 | (c >> 12));
        *out++ = char(0x80 | ((c >> 6) & 0x3F));
        *out++ = char(0x80 | (c & 0x3F));
    }
    return out;
}

char* putText(char* out, const char* text) {
    while (*text)
        *out++ = *text++;
    return out;
}

// An attribute value's bytes: escaped, in UTF-8, with what XML cannot carry replaced. `out`
// has room for six bytes per code unit (the longest, "&quot;").
char* putEscaped(char* out, const char16_t* in, const char16_t* end) {
    constexpr char16_t Replacement = 0xFFFD;
    while (in < end) {
        const char16_t c = *in++;
        if (c >= 0x20 && c < 0x80) {
            switch (c) {
            case u'&':
                out = putText(out, "&amp;");
                break;
            case u'<':
                out = putText(out, "&lt;");
                break;
            case u'>':
                out = putText(out, "&gt;");
                break;
            case u'"':
                out = putText(out, "&quot;");
                break;
            default:
                *out++ = char(c);
            }
        } else if (c < 0x20) {
            if (c == u'\t')
                out = putText(out, "&#9;");
            else if (c == u'\n')
                out = putText(out, "&#10;");
            else if (c == u'\r')
                out = putText(out, "&#13;");
            else
                out = putUtf8(out, Replacement);
        } else if (QChar::isHighSurrogate(c) && in < end && QChar::isLowSurrogate(*in)) {
            const char32_t code = QChar::surrogateToUcs4(c, *in++);
            *out++ = char(0xF0 | (code >> 18));
            *out++ = char(0x80 | ((code >> 12) & 0x3F));
            *out++ = char(0x80 | ((code >> 6) & 0x3F));
            *out++ = char(0x80 | (code & 0x3F));
        } else if (QChar::isSurrogate(c) || c == 0xFFFE || c == 0xFFFF) {
            out = putUtf8(out, Replacement);
        } else {
            out = putUtf8(out, c);
        }
    }
    return out;
}

} // namespace

RowsetXmlWriter::RowsetXmlWriter(QIODevice& device)
    : ExportWriter(device) {
    m_buffer.reserve(FlushSize + FlushSize / 4);
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

void RowsetXmlWriter::writeHeader(const QVector<RowCursor::Column>& columns) {
    m_buffer += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
    startElement(0, "xml");
    attribute("xmlns:s", NsSchema);
    attribute("xmlns:dt", NsDatatype);
    attribute("xmlns:rs", NsRowset);
    attribute("xmlns:z", NsRow);
    startElement(1, "s:Schema");
    attribute("id", u"RowsetSchema");
    startElement(2, "s:ElementType");
    attribute("name", u"row");
    attribute("content", u"eltOnly");
    for (int position = 0; position < columns.size(); ++position)
        writeAttributeType(columns[position], position);
    startElement(3, "s:extends");
    attribute("type", u"rs:rowbase");
    endElement(3, "s:extends");
    endElement(2, "s:ElementType");
    endElement(1, "s:Schema");
    startElement(1, "rs:data");
    flush();
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
    m_valueOpenings.append(' ' + name.toUtf8() + "=\"");

    startElement(3, "s:AttributeType");
    attribute("name", name);
    if (name != column.name)
        attribute("rs:name", column.name);
    attribute("rs:number", QString::number(position + 1));
    if (column.nullable)
        attribute("rs:nullable", u"true");
    writeDatatype(column);
    endElement(3, "s:AttributeType");
}

void RowsetXmlWriter::writeDatatype(const RowCursor::Column& column) {
    startElement(4, "s:datatype");
    const auto fixed = [this](const char16_t* type, int length) {
        attribute("dt:type", type);
        attribute("dt:maxLength", QString::number(length));
    };
    switch (column.kind) {
    case ColumnValue::Kind::Integer:
        fixed(u"int", 4);
        attribute("rs:precision", u"10");
        attribute("rs:fixedlength", u"true");
        break;
    case ColumnValue::Kind::Boolean:
        fixed(u"boolean", 2);
        attribute("rs:fixedlength", u"true");
        break;
    case ColumnValue::Kind::Currency:
        attribute("dt:type", u"number");
        attribute("rs:dbtype", u"currency");
        attribute("dt:maxLength", u"8");
        attribute("rs:precision", u"19");
        attribute("rs:fixedlength", u"true");
        break;
    case ColumnValue::Kind::DateTime:
        attribute("dt:type", u"dateTime");
        attribute("rs:dbtype", u"variantdate");
        attribute("dt:maxLength", u"16");
        attribute("rs:fixedlength", u"true");
        break;
    case ColumnValue::Kind::Text:
    case ColumnValue::Kind::Unknown:
        attribute("dt:type", u"string");
        if (const int width = declaredWidth(column.declaredType); width > 0) {
            attribute("dt:maxLength", QString::number(width));
        } else {
            // A long text, as the comments are.
            attribute("dt:maxLength", u"536870910");
            attribute("rs:long", u"true");
        }
        break;
    }
    if (!column.nullable)
        attribute("rs:maybenull", u"false");
    endElement(4, "s:datatype");
}

void RowsetXmlWriter::writeRow(const QVariantList& values) {
    startElement(2, "z:row");
    for (int i = 0; i < values.size() && i < m_valueOpenings.size(); ++i) {
        const QVariant& value = values[i];
        if (value.isNull())
            continue;
        m_buffer += m_valueOpenings[i];
        appendValue(value);
        m_buffer += '"';
    }
    endElement(2, "z:row");
    if (m_buffer.size() >= FlushSize)
        flush();
}

void RowsetXmlWriter::finish() {
    endElement(1, "rs:data");
    endElement(0, "xml");
    m_buffer += '\n';
    flush();
}

void RowsetXmlWriter::startElement(int depth, const char* name) {
    if (m_startTagOpen)
        m_buffer += '>';
    m_buffer += '\n';
    m_buffer.append(depth, '\t');
    m_buffer += '<';
    m_buffer += name;
    m_startTagOpen = true;
}

void RowsetXmlWriter::endElement(int depth, const char* name) {
    if (m_startTagOpen) {
        m_buffer += "/>";
    } else {
        m_buffer += '\n';
        m_buffer.append(depth, '\t');
        m_buffer += "</";
        m_buffer += name;
        m_buffer += '>';
    }
    m_startTagOpen = false;
}

void RowsetXmlWriter::attribute(const char* name, QStringView value) {
    m_buffer += ' ';
    m_buffer += name;
    m_buffer += "=\"";
    appendEscaped(value);
    m_buffer += '"';
}

void RowsetXmlWriter::appendValue(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::QString:
        appendEscaped(*static_cast<const QString*>(value.constData()));
        return;
    case QMetaType::LongLong:
    case QMetaType::Int:
        appendNumber(value.toLongLong());
        return;
    case QMetaType::Bool:
        m_buffer += value.toBool() ? "True" : "False";
        return;
    case QMetaType::QDate:
    case QMetaType::QDateTime: {
        // A date, or a date and time at midnight, has the text of its day.
        QDate day;
        if (value.typeId() == QMetaType::QDate)
            day = value.toDate();
        else if (const QDateTime moment = value.toDateTime();
                 moment.isValid() && moment.time() == QTime(0, 0))
            day = moment.date();
        if (!day.isValid())
            break;
        auto known = m_dateTexts.constFind(day);
        if (known == m_dateTexts.cend()) {
            if (m_dateTexts.size() >= MaxDateTexts)
                m_dateTexts.clear();
            known = m_dateTexts.insert(day, valueText(QVariant(day)).toUtf8());
        }
        m_buffer += *known;
        return;
    }
    default:
        if (value.metaType() == QMetaType::fromType<Currency>()) {
            // The plain decimal without trailing zeros, as Currency::toString gives it.
            const qint64 units = static_cast<const Currency*>(value.constData())->units();
            const quint64 magnitude = units < 0 ? 0 - quint64(units) : quint64(units);
            if (units < 0)
                m_buffer += '-';
            appendNumber(qint64(magnitude / Currency::Scale));
            if (quint64 fraction = magnitude % Currency::Scale) {
                char digits[] = {'.', '0', '0', '0', '0'};
                for (int i = 4; i > 0; --i, fraction /= 10)
                    digits[i] = char('0' + fraction % 10);
                qsizetype length = 5;
                while (digits[length - 1] == '0')
                    --length;
                m_buffer.append(digits, length);
            }
            return;
        }
    }
    appendEscaped(valueText(value));
}

void RowsetXmlWriter::appendNumber(qint64 number) {
    char digits[24];
    const std::to_chars_result end = std::to_chars(digits, digits + sizeof digits, number);
    m_buffer.append(digits, end.ptr - digits);
}

void RowsetXmlWriter::appendEscaped(QStringView text) {
    const qsizetype start = m_buffer.size();
    m_buffer.resize(start + 6 * text.size());
    char* const begin = m_buffer.data();
    const char16_t* in = text.utf16();
    char* const end = putEscaped(begin + start, in, in + text.size());
    m_buffer.truncate(end - begin);
}

void RowsetXmlWriter::flush() {
    put(m_buffer);
    // Emptied without giving back its memory, which the next rows reuse.
    m_buffer.resize(0);
}
