#include "CliCommand.h"

#include "app/AppPaths.h"
#include "data/DatabaseCheck.h"
#include "data/dvData.h"
#include "maintenance/DatabaseStartup.h"

int runInit(CliContext& context) {
    const QString file = AppPaths::databaseFile(context.dataFolder());
    dvData data;
    // The desktop program's own start-up, without the question: a file that is not a database
    // of ours is reported, never replaced.
    const DatabaseStartup::Result opened = DatabaseStartup::open(data, file);
    context.out << "database: " << data.PhysicalPath() << Qt::endl;
    if (opened.outcome != DatabaseStartup::Outcome::Ready) {
        context.err << opened.message << Qt::endl;
        return ExitCode::Failed;
    }
    const DatabaseCheck check = DatabaseCheck::examine(file, DatabaseCheck::Depth::Contents);
    if (!check.isValid()) {
        context.err << check.message() << Qt::endl;
        return ExitCode::Failed;
    }
    Connection connection(data.connString(), Connection::OpenMode::ReadOnly);
    const QStringList tables = {QStringLiteral("tblType_Lkp"), QStringLiteral("tblLocation_Lkp"),
                                QStringLiteral("tblCollectionFieldType_LKP")};
    for (const QString& table : tables) {
        const qlonglong rows =
            connection.scalar(QStringLiteral("SELECT count(*) FROM %1").arg(table)).toLongLong();
        context.out << table << ": " << rows << Qt::endl;
    }
    return ExitCode::Ok;
}
