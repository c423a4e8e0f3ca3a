#include "AttachmentTarget.h"
#include "CliCommand.h"

#include "data/dvData.h"

int runDetach(CliContext& context) {
    dvData data;
    context.openDatabase(data);
    const std::optional<qint64> id = AttachmentTarget::attachment(context, data);
    if (!id || !data.Attachment().Delete(*id))
        return ExitCode::Failed;
    return ExitCode::Ok;
}
