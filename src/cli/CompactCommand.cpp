#include "CliCommand.h"

#include "data/dvData.h"
#include "maintenance/MaintenanceJob.h"
#include "maintenance/MaintenanceText.h"

int runCompact(CliContext& context) {
    dvData data;
    context.openDatabase(data);
    context.out << "database: " << data.PhysicalPath() << Qt::endl;
    const auto job = MaintenanceJob::compact(data.PhysicalPath());
    context.out << MaintenanceText::sizeBeforeCompact(job->sizeBefore()) << Qt::endl;
    job->run();
    context.out << MaintenanceText::sizeAfterCompact(job->sizeAfter()) << Qt::endl;
    return ExitCode::Ok;
}
