#include "CliCommand.h"

#include "app/AppPaths.h"
#include "data/dvData.h"

int runInit(CliContext& context) {
    const QString file = AppPaths::databaseFile(context.dataFolder());
    dvData data;
    data.setPath(file);
    context.out << "database: " << data.PhysicalPath() << Qt::endl;
    if (!dvData::ValidDatabase(data.connString())) {
        context.err << "The file is not a valid Domivo database." << Qt::endl;
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
