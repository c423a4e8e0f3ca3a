#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

// Readers for export files written independently of the writers, so that a test sees a file as
// a spreadsheet or an XML library would.

// The records of a comma- or tab-separated file: fields split at the separator, a field between
// double quotes taking separators, line breaks and doubled quotes as text; records end at CR
// LF. The trailing separator of each line gives a last empty field, which is kept. A malformed
// file (a stray quote, a bare line feed between records, a missing final CR LF) fails the test
// and gives what was read so far.
QList<QStringList> readDelimited(const QByteArray& bytes, QChar separator);

// A rowset XML file as read by an XML parser.
struct RowsetFile {
    struct Column {
        QString attribute; // the attribute name of its values
        QString name;      // rs:name when given, else the attribute name
        int number = 0;
        bool nullable = false;
        QString type; // dt:type of its s:datatype
    };
    QList<Column> columns;
    // Each z:row's attributes; a Null value is an absent attribute.
    QList<QMap<QString, QString>> rows;
    bool extendsRowbase = false;
    QString error; // empty when the parser read the whole file
};
RowsetFile readRowsetXml(const QByteArray& bytes);
