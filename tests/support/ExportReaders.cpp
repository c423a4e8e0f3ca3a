#include "ExportReaders.h"

#include <QTest>
#include <QXmlStreamReader>

QList<QStringList> readDelimited(const QByteArray& bytes, QChar separator) {
    const QString text = QString::fromUtf8(bytes);
    QList<QStringList> records;
    QStringList record;
    QString field;
    int i = 0;
    const auto fail = [&](const char* why) {
        QTest::qFail(
            qPrintable(QStringLiteral("%1 at character %2").arg(QLatin1String(why)).arg(i)),
            __FILE__, __LINE__);
        return records;
    };
    while (i < text.size()) {
        if (text[i] == QLatin1Char('"')) {
            if (!field.isEmpty())
                return fail("a quote inside an unquoted field");
            ++i;
            for (;;) {
                if (i >= text.size())
                    return fail("an unclosed quote");
                if (text[i] == QLatin1Char('"')) {
                    if (i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                        field += QLatin1Char('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += text[i++];
            }
            if (i < text.size() && text[i] != separator && text[i] != QLatin1Char('\r'))
                return fail("text after a closing quote");
            continue;
        }
        if (text[i] == separator) {
            record.append(field);
            field.clear();
            ++i;
        } else if (text[i] == QLatin1Char('\r')) {
            if (i + 1 >= text.size() || text[i + 1] != QLatin1Char('\n'))
                return fail("a CR without LF");
            record.append(field);
            field.clear();
            records.append(record);
            record.clear();
            i += 2;
        } else if (text[i] == QLatin1Char('\n')) {
            return fail("a bare line feed");
        } else {
            field += text[i++];
        }
    }
    if (!record.isEmpty() || !field.isEmpty())
        return fail("a last line without CR LF");
    return records;
}

RowsetFile readRowsetXml(const QByteArray& bytes) {
    static const QString s = QStringLiteral("uuid:BDC6E3F0-6DA3-11d1-A2A3-00AA00C14882");
    static const QString dt = QStringLiteral("uuid:C2F41010-65B3-11d1-A29F-00AA00C14882");
    static const QString rs = QStringLiteral("urn:schemas-microsoft-com:rowset");
    static const QString z = QStringLiteral("#RowsetSchema");
    RowsetFile file;
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes attributes = xml.attributes();
        if (xml.namespaceUri() == s && xml.name() == QLatin1String("AttributeType")) {
            RowsetFile::Column column;
            column.attribute = attributes.value(QStringLiteral("name")).toString();
            column.name = attributes.hasAttribute(rs, QStringLiteral("name"))
                              ? attributes.value(rs, QStringLiteral("name")).toString()
                              : column.attribute;
            column.number = attributes.value(rs, QStringLiteral("number")).toInt();
            column.nullable =
                attributes.value(rs, QStringLiteral("nullable")) == QLatin1String("true");
            file.columns.append(column);
        } else if (xml.namespaceUri() == s && xml.name() == QLatin1String("datatype")) {
            if (!file.columns.isEmpty())
                file.columns.last().type = attributes.value(dt, QStringLiteral("type")).toString();
        } else if (xml.namespaceUri() == s && xml.name() == QLatin1String("extends")) {
            file.extendsRowbase =
                attributes.value(QStringLiteral("type")) == QLatin1String("rs:rowbase");
        } else if (xml.namespaceUri() == z && xml.name() == QLatin1String("row")) {
            QMap<QString, QString> row;
            for (const QXmlStreamAttribute& attribute : attributes)
                row.insert(attribute.qualifiedName().toString(), attribute.value().toString());
            file.rows.append(row);
        }
    }
    if (xml.hasError())
        file.error = xml.errorString() + QStringLiteral(" at line %1").arg(xml.lineNumber());
    return file;
}
