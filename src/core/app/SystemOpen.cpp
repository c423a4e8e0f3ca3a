#include "app/SystemOpen.h"

#include <QFileInfo>
#include <QProcess>

namespace SystemOpen {

bool openFile(const QString& path) {
    return QProcess::startDetached(QStringLiteral("xdg-open"),
                                   {QFileInfo(path).absoluteFilePath()});
}

} // namespace SystemOpen
