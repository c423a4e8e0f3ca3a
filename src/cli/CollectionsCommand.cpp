#include "CliCommand.h"

#include "data/dvData.h"

int runCollections(CliContext& context) {
    dvData data;
    context.openDatabase(data);
    printTable(context.out, data.Collection().List());
    return ExitCode::Ok;
}
