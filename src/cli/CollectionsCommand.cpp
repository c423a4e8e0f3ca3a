#include "CliCommand.h"

#include "data/dvData.h"

int runCollections(CliContext& context) {
    if (!context.args.isEmpty())
        throw UsageError{QStringLiteral("collections takes no arguments")};
    dvData data;
    context.openDatabase(data);
    printTable(context.out, data.Collection().List());
    return ExitCode::Ok;
}
