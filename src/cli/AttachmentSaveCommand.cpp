#include "AttachmentTarget.h"
#include "CliCommand.h"

#include "data/dvData.h"

#include <QSaveFile>

int runAttachmentSave(CliContext& context) {
    dvData data;
    context.openDatabase(data);
    const std::optional<qint64> id = AttachmentTarget::attachment(context, data);
    if (!id)
        return ExitCode::Failed;
    const QByteArray bytes = data.Attachment().Data(*id);
    // Written under a temporary name and renamed into place: an existing file is replaced only
    // by a complete copy.
    const QString path = context.argument(QStringLiteral("FILE"));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        context.err << "domivo-cli: " << path << " cannot be written: " << file.errorString()
                    << Qt::endl;
        return ExitCode::Failed;
    }
    context.out << path << Qt::endl;
    return ExitCode::Ok;
}
