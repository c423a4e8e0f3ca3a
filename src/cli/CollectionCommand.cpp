#include "CliCommand.h"

#include "app/Settings.h"
#include "data/dvData.h"
#include "records/CollectionGrid.h"

int runCollection(CliContext& context) {
    const QString name = context.argument(QStringLiteral("NAME"));
    dvData data;
    context.openDatabase(data);
    if (data.Collection().Retrieve(name).isEmpty()) {
        context.err << "domivo-cli: there is no collection named '" << name << "'" << Qt::endl;
        return ExitCode::Failed;
    }
    const int roundPrices = Settings::integer(SettingKeys::RoundPrices, 0);
    printTable(context.out, CollectionGrid::rows(data.Collection(), name, roundPrices));
    return ExitCode::Ok;
}
