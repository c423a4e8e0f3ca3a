#include "AttachmentTarget.h"
#include "CliCommand.h"
#include "ThumbnailMaker.h"

#include "attachments/AttachmentError.h"
#include "data/dvData.h"

int runAttach(CliContext& context) {
    dvData data;
    context.openDatabase(data);
    const std::optional<AttachmentOwner> owner = AttachmentTarget::item(context, data);
    if (!owner)
        return ExitCode::Failed;
    // Every file is read and checked before any is stored: all of them are kept, or none.
    QList<AttachmentFile> files;
    try {
        for (const QString& path : context.arguments(QStringLiteral("FILE"))) {
            AttachmentFile file = AttachmentFile::read(path);
            file.caption = context.value(QStringLiteral("caption"));
            file.thumbnail = ThumbnailMaker::make(file.data, file.mediaType);
            files.append(file);
        }
    } catch (const AttachmentError& refused) {
        context.err << "domivo-cli: " << refused.message() << Qt::endl;
        return ExitCode::Failed;
    }
    // A database from before attachments gets their table, as the desktop program's start-up
    // gives it.
    dvData::AddAttachmentTable(data.connString());
    const QList<qint64> ids = data.Attachment().Add(*owner, files);
    for (qsizetype i = 0; i < ids.size(); ++i)
        context.out << ids.at(i) << '\t' << files.at(i).fileName << '\n';
    return ExitCode::Ok;
}
