#include "AttachmentTarget.h"
#include "CliCommand.h"

#include "data/dvData.h"

int runAttachments(CliContext& context) {
    dvData data;
    context.openDatabase(data);
    const std::optional<AttachmentOwner> owner = AttachmentTarget::item(context, data);
    if (!owner)
        return ExitCode::Failed;
    printTable(context.out, data.Attachment().List(*owner));
    return ExitCode::Ok;
}
