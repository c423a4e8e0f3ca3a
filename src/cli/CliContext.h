#pragma once

#include <QCommandLineParser>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QTextStream>

class dvData;

// What a running command gets: the options and arguments of its command line, already checked
// against its declaration, the data folder and the two output streams.
class CliContext {
public:
    CliContext(const QCommandLineParser& parser, const QHash<QString, QString>& arguments,
               const QString& dataDirOverride, QTextStream& output, QTextStream& errors);

    // Options by their declared name, without dashes.
    bool isSet(const QString& option) const;
    QString value(const QString& option) const;
    QStringList values(const QString& option) const;
    // A positional argument by its declared name; empty when an optional one was left out.
    QString argument(const QString& name) const;
    // Every value of a repeatable argument, in order.
    QStringList argumentList(const QString& name) const;
    void setArgumentList(const QString& name, const QStringList& values);

    // Resolves (and creates) the data folder as the application does.
    QString dataFolder() const;
    // Points the context at the data folder's database, which must exist and be valid: a
    // command that only reads never creates one. Throws DbError otherwise.
    void openDatabase(dvData& data) const;

    QTextStream& out;
    QTextStream& err;

private:
    const QCommandLineParser& m_parser;
    QHash<QString, QString> m_arguments;
    QHash<QString, QStringList> m_argumentLists;
    QString m_dataDirOverride;
};
