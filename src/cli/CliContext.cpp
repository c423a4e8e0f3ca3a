#include "CliContext.h"

#include "app/AppPaths.h"
#include "data/ConnectionString.h"
#include "data/DatabaseCheck.h"
#include "data/DbError.h"
#include "data/dvData.h"

#include <QFileInfo>

CliContext::CliContext(const QCommandLineParser& parser, const QHash<QString, QString>& arguments,
                       const QString& dataDirOverride, QTextStream& output, QTextStream& errors)
    : out(output)
    , err(errors)
    , m_parser(parser)
    , m_arguments(arguments)
    , m_dataDirOverride(dataDirOverride) {}

bool CliContext::isSet(const QString& option) const {
    return m_parser.isSet(option);
}

QString CliContext::value(const QString& option) const {
    return m_parser.value(option);
}

QStringList CliContext::values(const QString& option) const {
    return m_parser.values(option);
}

QString CliContext::argument(const QString& name) const {
    // Every declared argument is in the map, an omitted optional one as empty: a name that is
    // not there is a typing mistake in the command.
    Q_ASSERT_X(m_arguments.contains(name), "CliContext::argument", "not a declared argument");
    return m_arguments.value(name);
}

QStringList CliContext::argumentList(const QString& name) const {
    Q_ASSERT_X(m_argumentLists.contains(name), "CliContext::argumentList",
               "not a repeatable argument");
    return m_argumentLists.value(name);
}

void CliContext::setArgumentList(const QString& name, const QStringList& values) {
    m_argumentLists.insert(name, values);
}

QString CliContext::dataFolder() const {
    return AppPaths::dataFolder(m_dataDirOverride);
}

void CliContext::openDatabase(dvData& data) const {
    const QString file = AppPaths::databaseFile(dataFolder());
    const DatabaseCheck check = DatabaseCheck::examine(file);
    if (check.verdict() == DatabaseCheck::Verdict::Missing)
        throw DbError(QStringLiteral("no database at %1 (domivo-cli init creates one)").arg(file));
    if (!check.isValid())
        throw DbError(check.message());
    data.setPath(file);
}
