#include "CliCommand.h"

#include "app/AppPaths.h"
#include "app/General.h"
#include "data/DatabaseCheck.h"
#include "data/DbError.h"
#include "data/Recordset.h"
#include "data/dvData.h"

#include <QRegularExpression>

QString CliContext::dataFolder() const {
    return AppPaths::dataFolder(dataDirOverride);
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

void printTable(QTextStream& out, const Recordset& rows) {
    static const QRegularExpression breaks(QStringLiteral("[\t\r\n]"));
    const auto cell = [](const QVariant& value) {
        return General::NullToDefault(value, General::KindText)
            .toString()
            .replace(breaks, QStringLiteral(" "));
    };
    QStringList line;
    for (const QString& name : rows.columnNames())
        line.append(cell(name));
    out << line.join(QLatin1Char('\t')) << '\n';
    for (int row = 0; row < rows.rowCount(); ++row) {
        line.clear();
        for (const QVariant& value : rows.row(row))
            line.append(cell(value));
        out << line.join(QLatin1Char('\t')) << '\n';
    }
    out.flush();
}

const QVector<CliCommand>& cliCommands() {
    static const QVector<CliCommand> commands = {
        {QStringLiteral("init"), QString(),
         QStringLiteral("Create (when missing) and seed the database; print its path and the "
                        "lookup table counts."),
         runInit},
        {QStringLiteral("check"), QStringLiteral("[--backup] [--full] [FILE]"),
         QStringLiteral("Check that FILE (default: the data folder's database) is a valid "
                        "database, or with --backup a valid backup file: its tables, starting "
                        "rows and PRAGMA quick_check; with --full also PRAGMA integrity_check "
                        "and foreign_key_check."),
         runCheck},
        {QStringLiteral("items"),
         QStringLiteral("[--type T | --location L | --manufacturer M | --purchase-date DATE]"),
         QStringLiteral("List the inventory items as the inventory window's grid shows them "
                        "(tab-separated), at most one filter."),
         runItems},
        {QStringLiteral("collections"), QString(),
         QStringLiteral("List the collections with their comments (tab-separated)."),
         runCollections},
        {QStringLiteral("collection"), QStringLiteral("NAME"),
         QStringLiteral("List the items of collection NAME as the collections window's grid "
                        "shows them (tab-separated)."),
         runCollection},
    };
    return commands;
}
