#include "app/AppPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <stdexcept>

namespace AppPaths {

void setApplicationIdentity() {
    QCoreApplication::setOrganizationName(QStringLiteral("Qelto"));
    QCoreApplication::setApplicationName(QStringLiteral("Domivo"));
}

QString dataFolder(const QString& commandLineOverride) {
    QString folder = commandLineOverride;
    if (folder.isEmpty())
        folder = qEnvironmentVariable(DataDirVariable);
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    folder = QDir::cleanPath(QDir(folder).absolutePath());
    if (!QDir().mkpath(folder))
        throw std::runtime_error(
            QStringLiteral("Cannot create the data folder %1.").arg(folder).toStdString());
    return folder;
}

QString databaseFile(const QString& dataFolder) {
    return QDir(dataFolder).filePath(QLatin1String(DatabaseFileName));
}

QString pageFile(const QString& dataFolder) {
    return QDir(dataFolder).filePath(QLatin1String(PageFileName));
}

QString findInstalledFile(const QString& fileName) {
    return findInstalledFile(fileName, QCoreApplication::applicationDirPath());
}

QString findInstalledFile(const QString& fileName, const QString& programFolder) {
    // Beside the program in the build tree; in share/domivo/ beside its bin/ when installed.
    const QStringList candidates = {
        programFolder,
        QDir(programFolder).filePath(QStringLiteral("../share/domivo")),
    };
    for (const QString& folder : candidates) {
        const QFileInfo file(QDir(folder).filePath(fileName));
        if (file.exists())
            return QDir::cleanPath(file.absoluteFilePath());
    }
    return {};
}

} // namespace AppPaths
